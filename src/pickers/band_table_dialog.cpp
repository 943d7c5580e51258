// The frame of the band-table pickers (see band_table_dialog.h): shared
// controls, refusals, the sum title and the restore help.
#include "pickers/band_table_dialog.h"

#include <algorithm>
#include <cstdio>

#include "platform/cp1252.h"
#include "shell/list_utilities.h"
#include "shell/message_box.h"

using namespace kt::ui;

namespace {

const MlText kSumTitle = {" %s = [ %s ] - Somma corrente = %d ore totali",
                          " %s = [ %s ] - Aktuelle Summe = %d Stunden insgesamt",
                          " %s = [ %s] - Current Sum = %d Hours total"};
const MlText kLeaveTable = {"Uscire senza salvare le modifiche alla tabella?",
                            "Die Tabelle verlassen, ohne die Änderungen zu speichern?"_cp,
                            "Leave the table without saving the changes?"};

}  // namespace

LResult CBandTableDialog::DoModal() {
  ui_register_band_table_templates();
  return CDialogML::DoModal();
}

void CBandTableDialog::KeepOpened(std::initializer_list<const BandRows*> tables) {
  m_opened.clear();
  for (const BandRows* t : tables) m_opened.emplace_back(t, t->rows);
}

void CBandTableDialog::OnCancel() {
  bool edited = false;
  for (const auto& [table, rows] : m_opened) edited = edited || table->rows != rows;
  if (edited && ui_message_box_type(kLeaveTable.Get(), kMbYesNo | kMbIconQuestion) != kIdYes) return;
  CDialogML::OnCancel();
}

void CBandTableDialog::DoDataExchange(DataExchange& dx) {
  dx.Control(kReminderId, m_reminder);
  dx.Control(kHelpPaneId, m_help);
  dx.Control(kIdOk, m_save);
  dx.Control(kIdCancel, m_abandon);
  dx.Control(kRestoreId, m_restore);
  dx.Control(kRestoreHelpId, m_restore_help);
}

void CBandTableDialog::ConfirmRows(BandRows& rows, const std::int8_t* defaults, std::int8_t* table, int columns,
                                   std::uint8_t* count) {
  if (!SaveFocused()) return;
  rows.Recount();
  rows.Sort(-1);
  rows.ShowRows();
  Window* focus = nullptr;
  if (const MlText* fault = rows.Check(&focus)) {
    Refuse(*fault, focus);
    return;
  }
  if (!rows.Close(defaults)) {
    Refuse(kBandNotEmpty, &rows.bands[0]);
    return;
  }
  if (table) rows.Store(table, columns);
  if (count) *count = std::uint8_t(rows.count);
  EndDialog(kIdOk);
}

std::string band_summary_line(const char* caption, const std::int8_t* table, int stride, int count, int band_min,
                              int band_max, bool over) {
  std::string out = caption ? caption : "";
  for (int i = 0; i < 9; ++i) {
    int band = table[i * stride];
    if (i >= count || band < band_min) out += "\t ";
    else if (band >= band_max && over) out += std::string("\t ") + kBandOver.Get();
    else out += "\t " + std::to_string(band);
  }
  return out;
}

bool CBandTableDialog::Refuse(const MlText& text, Window* focus) {
  if (focus) focus->SetFocus();
  ui_message_box(text.Get());
  return false;
}

std::string CBandTableDialog::SumTitle(const char* title, const BandRows& rows) {
  if (!title) title = "";
  if (!(rows.lim.flags & kHq2SumMode)) return title;
  std::string digits;
  int sum = rows.Sum(digits);
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, kSumTitle.Get(), title, "%s", sum);
  // The digits can be long: put them in after the fixed part is formatted.
  std::string shown = buffer;
  if (std::size_t at = shown.find("%s"); at != std::string::npos) shown.replace(at, 2, digits);
  return shown;
}

void CBandTableDialog::ShowDefaultsHelp(const std::vector<const char*>& captions, const BandRows& rows,
                                        const std::int8_t* defaults) {
  if (!defaults) {
    m_help.SetTextML(&kBandNoDefaults);
    return;
  }
  std::vector<std::string> lines;
  int wide = 0;
  for (const char* caption : captions) {
    lines.emplace_back(caption ? caption : "");
    wide = std::max(wide, og_text_width(nullptr, lines.back()));
  }
  int width = rows.Width();
  for (std::size_t c = 0; c < lines.size(); ++c) {
    og_pad_text_to_width(nullptr, lines[c], wide, 200);
    lines[c] += " ";
    for (int i = 0; i < 9; ++i) {
      int band = defaults[i * width];
      if (band < 1) break;
      int value = defaults[i * width + int(c)];
      char cell[32];
      if (c == 0 && band >= rows.lim.band_max && rows.lim.over) std::snprintf(cell, sizeof cell, "%s ", kBandOver.Get());
      else std::snprintf(cell, sizeof cell, "%3d ", value);
      lines[c] += cell;
    }
  }
  std::string text = kBandRestoreHelp.Get();
  for (std::size_t c = 0; c < lines.size(); ++c) text += (c ? "\r\n" : "") + lines[c];
  m_help.SetText(text.c_str());
}

bool CBandTableDialog::ConfirmRestore(const std::int8_t* defaults) {
  if (!defaults) {
    m_help.SetTextML(&kBandNoDefaults);
    return false;
  }
  return ui_message_box_type(kBandRestoreQuestion.Get(), 36) == 6;
}
