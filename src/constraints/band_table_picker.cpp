// Behaviour of the band-table picker (see band_table_picker.h): the lists
// of bands and quantities, sorting and showing the rows after each change,
// the running-sum title, restoring the system defaults, the checks of a
// confirmation and the summary text. Rows are few (nine) and every change
// redraws all of them.
#include "constraints/band_table_picker.h"

#include <algorithm>
#include <cstring>

#include "shell/list_utilities.h"
#include "shell/message_box.h"

using namespace kt::ui;

int g_hq2_label_width = 300;

namespace {

const MlText kOver = {"Oltre", "weiter", "over"};
const MlText kNotDefined = {"Non definito", "Nicht definiert", "Not defined"};
const MlText kBandFirst = {"Definire prima la FASCIA, e poi la QUANTITA'", "translate",
                           "Define the BAND first, then the QUANTITY"};
const MlText kSumTitle = {" %s = [ %s ] - Somma corrente = %d ore totali", "translate",
                          " %s = [ %s] - Current Sum = %d Hours total"};
const MlText kNoDefaults = {
    "I valori predefiniti dal sistema non esistono per questa tabella.\r\nSe necessario, configurarla opportunamente.",
    "translate", "There are no system defaults for this table.\r\nIf needed, configure it yourself."};
const MlText kRestoreQuestion = {"Ripristino dei valori predefiniti di sistema. Sicuro?", "translate",
                                 "Restore the system defaults. Sure?"};
const MlText kRestoreHelp = {
    "Usare questo pulsante per rispristinare i valori predefiniti dal sistema per questa tabella, che sono i "
    "seguenti:\r\n\r\n",
    "translate", "Use this button to restore the system defaults of this table, which are:\r\n\r\n"};
const MlText kEqualBands = {"Ci sono due FASCE eguali - non consentito", "translate",
                            "There are two equal BANDS - not allowed"};
const MlText kIncreasing = {"Inserire valori di QUANTITA' sempre crescenti", "translate",
                            "Enter always increasing QUANTITY values"};
const MlText kNotIncreasing = {"Inserire valori di QUANTITA' eguali o decrescenti", "translate",
                               "Enter equal or decreasing QUANTITY values"};
const MlText kNotAboveBand = {"Inserire valori di QUANTITA' Minori o Eguali alla Fascia corrispondente", "translate",
                              "Enter QUANTITY values less than or equal to the corresponding Band"};
const MlText kDefineQuantity = {"Definire la QUANTITA' (oppure eliminare la FASCIA corrispondente)", "translate",
                                "Define the QUANTITY (or delete the corresponding BAND)"};
const MlText kNotEmpty = {"Inserire i dati - la tabella non può essere vuota."_cp, "translate",
                          "Enter the data - the table cannot be empty."};

int label_width(std::uint8_t flags) {
  if (flags & kHq2NarrowLabel) return 150;
  if (flags & kHq2MediumLabel) return 240;
  return 300;
}

}  // namespace

std::string hq2_summary_text(const std::int8_t (*pairs)[2], int count, const Hq2TableSpec& spec, const char* title,
                             const char* band_caption, const char* quantity_caption) {
  count = std::clamp(count, 0, 9);
  std::string out = std::string(title ? title : "") + "\n" + (band_caption ? band_caption : "");
  for (int i = 0; i < 9; ++i) {
    int band = pairs[i][0];
    if (i >= count || band < spec.band_min) out += "\t ";
    else if (band >= spec.band_max && spec.over) out += std::string("\t ") + kOver.Get();
    else out += "\t " + std::to_string(band);
  }
  out += std::string("\n") + (quantity_caption ? quantity_caption : "");
  for (int i = 0; i < 9; ++i) {
    int quantity = pairs[i][1];
    if (i < count && quantity >= spec.quantity_min) out += "\t " + std::to_string(quantity);
    else out += "\t ";
  }
  return out + "\n";
}

KT_BEGIN_MESSAGE_MAP(Chq2, CDialogML)
  KT_ON_CONTROL_RANGE(kCbnSelChange, 1430, 1438, OnBandChange)
  KT_ON_CONTROL_RANGE(kCbnSelChange, 1439, 1447, OnQuantityChange)
  KT_ON_COMMAND(kRestoreId, OnRestore)
  KT_ON_COMMAND(kRestoreHelpId, OnRestoreHelp)
  KT_ON_COMMAND(kExplanationHelpId, OnExplanationHelp)
KT_END_MESSAGE_MAP()

Chq2::Chq2(Window* parent) : CDialogML(kTemplate, parent) {}

void Chq2::SetBandData(Window* target, const char* title, const char* band_caption, const char* quantity_caption,
                       const MlText* explanation, const Hq2TableSpec& spec) {
  if (title) m_title = title;
  if (band_caption) m_band_caption = band_caption;
  if (quantity_caption) m_quantity_caption = quantity_caption;
  if (explanation) m_explanation = explanation;
  m_spec = spec;
  if (spec.pairs)
    for (int i = 0; i < 9; ++i) m_pairs[std::size_t(i)] = {spec.pairs[i][0], spec.pairs[i][1]};
  m_count = spec.count ? std::clamp(int(*spec.count), 0, 9) : 0;
  g_hq2_label_width = label_width(spec.flags);
  if (target && spec.pairs)
    target->SetWindowText(
        hq2_summary_text(spec.pairs, m_count, m_spec, m_title, m_band_caption, m_quantity_caption));
}

LResult Chq2::DoModal() {
  ui_register_band_table_templates();
  return CDialogML::DoModal();
}

void Chq2::DoDataExchange(DataExchange& dx) {
  for (std::size_t i = 0; i < 9; ++i) {
    dx.Control(kBandIds[i], m_bands[i]);
    dx.Control(kQuantityIds[i], m_quantities[i]);
    dx.Control(kBandTextIds[i], m_band_texts[i]);
  }
  dx.Control(kTitleId, m_title_text);
  dx.Control(kBandCaptionId, m_band_caption_text);
  dx.Control(kQuantityCaptionId, m_quantity_caption_text);
  dx.Control(kReminderId, m_reminder);
  dx.Control(kHelpPaneId, m_help);
  dx.Control(kIdOk, m_save);
  dx.Control(kIdCancel, m_abandon);
  dx.Control(kRestoreId, m_restore);
  dx.Control(kRestoreHelpId, m_restore_help);
  dx.Control(kExplanationHelpId, m_explanation_help);
}

bool Chq2::OnInitDialog() {
  CDialogML::OnInitDialog();
  m_band_caption_text.SetWindowText(m_band_caption ? m_band_caption : "");
  m_band_caption_text.SetTranslated(true);
  m_quantity_caption_text.SetWindowText(m_quantity_caption ? m_quantity_caption : "");
  m_quantity_caption_text.SetTranslated(true);
  // Rows the caller left empty get the empty band.
  for (auto& pair : m_pairs)
    if (pair[0] < m_spec.band_min) pair[0] = std::int8_t(m_spec.band_min - 1);
  Recount();
  if (!(m_spec.flags & kHq2FixedBands)) Sort(-1);
  FillLists();
  ShowRows();
  RefreshTitle();
  m_help.SetTextML(m_explanation);
  return true;
}

std::string Chq2::BandText(int band) const {
  if (band >= m_spec.band_max && m_spec.over) return kOver.Get();
  return std::to_string(band);
}

void Chq2::FillLists() {
  int nd = m_spec.not_defined ? 1 : 0;
  for (int i = 0; i < 9; ++i) {
    ComboBox& bands = m_bands[std::size_t(i)];
    bands.ResetContent();
    bands.AddString(kNotDefined.Get());
    for (int b = m_spec.band_min; b <= m_spec.band_max; ++b) bands.AddString(BandText(b));
    ComboBox& quantities = m_quantities[std::size_t(i)];
    quantities.ResetContent();
    if (nd) quantities.AddString(kNotDefined.Get());
    int band = m_pairs[std::size_t(i)][0];
    for (int q = m_spec.quantity_min; q <= m_spec.quantity_max; ++q) {
      if ((m_spec.flags & kHq2SumMode) && band * q > m_spec.limit) break;
      quantities.AddString(std::to_string(q));
    }
  }
}

int Chq2::Recount() {
  m_count = 0;
  for (int i = 0; i < 9; ++i) m_count += Used(i) ? 1 : 0;
  return m_count;
}

int Chq2::Sort(int tracked) {
  if (m_spec.flags & kHq2FixedBands) return tracked;
  bool descending = (m_spec.flags & kHq2Descending) != 0;
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (int i = 1; i < 9; ++i) {
      if (!Used(i)) continue;
      int band = m_pairs[std::size_t(i)][0], before = m_pairs[std::size_t(i - 1)][0];
      bool move = !Used(i - 1) || (descending ? band > before : band < before);
      if (!move) continue;
      std::swap(m_pairs[std::size_t(i)], m_pairs[std::size_t(i - 1)]);
      if (tracked == i) tracked = i - 1;
      else if (tracked == i - 1) tracked = i;
      swapped = true;
    }
  }
  return tracked;
}

void Chq2::ShowRows() {
  bool fixed = (m_spec.flags & kHq2FixedBands) != 0;
  int nd = m_spec.not_defined ? 1 : 0;
  bool first_empty = true;
  for (int i = 0; i < 9; ++i) {
    std::size_t k = std::size_t(i);
    int band = m_pairs[k][0], quantity = m_pairs[k][1];
    if (Used(i)) {
      m_bands[k].EnableWindow(!fixed);
      m_quantities[k].EnableWindow(true);
      int index = band < m_spec.band_max ? band - m_spec.band_min + 1 : m_bands[k].GetCount() - 1;
      m_bands[k].SetCurSel(index);
      m_band_texts[k].SetWindowText(BandText(band));
      m_quantities[k].SetCurSel(quantity >= m_spec.quantity_min ? nd + quantity - m_spec.quantity_min : 0);
    } else {
      m_bands[k].SetCurSel(-1);
      m_quantities[k].SetCurSel(-1);
      m_quantities[k].EnableWindow(false);
      m_bands[k].EnableWindow(first_empty && !fixed);
      first_empty = false;
      m_band_texts[k].SetWindowText("");
    }
    m_bands[k].ShowWindow(fixed ? kSwHide : kSwShow);
    m_band_texts[k].ShowWindow(fixed && Used(i) ? kSwShow : kSwHide);
  }
}

void Chq2::RefreshTitle() {
  const char* title = m_title ? m_title : "";
  std::string shown = title;
  if (m_spec.flags & kHq2SumMode) {
    std::string digits;
    int sum = 0;
    for (int i = 0; i < m_count && i < 9; ++i) {
      int band = m_pairs[std::size_t(i)][0], quantity = m_pairs[std::size_t(i)][1];
      if (!Used(i) || band <= 0) continue;
      sum += band * quantity;
      for (int q = 0; q < quantity; ++q) digits += std::to_string(band) + " ";
    }
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, kSumTitle.Get(), title, "%s", sum);
    // The digits can be long: put them in after the fixed part is formatted.
    shown = buffer;
    if (std::size_t at = shown.find("%s"); at != std::string::npos) shown.replace(at, 2, digits);
  }
  SetWindowText(shown);
  m_title_text.SetWindowText(shown);
}

void Chq2::OnBandChange(int row) {
  if (row < 0 || row >= 9) return;
  std::size_t k = std::size_t(row);
  int index = m_bands[k].GetCurSel();
  if (index < 0) return;
  m_pairs[k][0] = std::int8_t(m_spec.band_min + index - 1);
  if (!Used(row)) {
    m_pairs[k][0] = std::int8_t(m_spec.band_min - 1);
    m_quantities[k].SetCurSel(-1);
  } else {
    m_pairs[k][1] = std::int8_t(std::clamp(int(m_pairs[k][1]), int(m_spec.quantity_min), int(m_spec.quantity_max)));
  }
  Recount();
  int at = Sort(row);
  ShowRows();
  if (at >= 0 && at < 9) {
    if (Used(at)) m_quantities[std::size_t(at)].SetFocus();
    else m_bands[std::size_t(at)].SetFocus();
  }
  RefreshTitle();
}

void Chq2::OnQuantityChange(int row) {
  if (row < 0 || row >= 9) return;
  std::size_t k = std::size_t(row);
  if (!Used(row)) {
    ui_message_box(kBandFirst.Get());
    m_quantities[k].SetCurSel(-1);
    return;
  }
  int index = m_quantities[k].GetCurSel();
  if (index < 0) return;
  int quantity = m_spec.quantity_min - (m_spec.not_defined ? 1 : 0) + index;
  m_pairs[k][1] = std::int8_t(quantity);
  if ((m_spec.flags2 & kHq2FlashAtLimit) && quantity >= m_spec.limit && m_explanation) {
    m_help.SetSchemeText(m_flash++ % 2 ? 14 : 13, m_explanation->Get());
  }
  RefreshTitle();
}

void Chq2::OnRestore() {
  if (!m_spec.defaults) {
    m_help.SetTextML(&kNoDefaults);
    return;
  }
  if (ui_message_box_type(kRestoreQuestion.Get(), 36) != 6) return;
  for (int i = 0; i < 9; ++i) m_pairs[std::size_t(i)] = {m_spec.defaults[2 * i], m_spec.defaults[2 * i + 1]};
  for (auto& pair : m_pairs)
    if (pair[0] < m_spec.band_min) pair[0] = std::int8_t(m_spec.band_min - 1);
  Recount();
  Sort(-1);
  FillLists();
  ShowRows();
  RefreshTitle();
}

std::string Chq2::DefaultsText() const {
  std::string bands = m_band_caption ? m_band_caption : "", quantities = m_quantity_caption ? m_quantity_caption : "";
  int wide = std::max(og_text_width(nullptr, bands), og_text_width(nullptr, quantities));
  og_pad_text_to_width(nullptr, bands, wide, 200);
  og_pad_text_to_width(nullptr, quantities, wide, 200);
  bands += " ";
  quantities += " ";
  for (int i = 0; i < 9; ++i) {
    int band = m_spec.defaults[2 * i], quantity = m_spec.defaults[2 * i + 1];
    if (band < 1) break;
    char cell[32];
    if (band >= m_spec.band_max && m_spec.over) std::snprintf(cell, sizeof cell, "%s ", kOver.Get());
    else std::snprintf(cell, sizeof cell, "%3d ", band);
    bands += cell;
    std::snprintf(cell, sizeof cell, "%3d ", quantity);
    quantities += cell;
  }
  return bands + "\r\n" + quantities;
}

void Chq2::OnRestoreHelp() {
  if (!m_spec.defaults) {
    m_help.SetTextML(&kNoDefaults);
    return;
  }
  m_help.SetText((std::string(kRestoreHelp.Get()) + DefaultsText()).c_str());
}

void Chq2::OnExplanationHelp() { m_help.SetTextML(m_explanation); }

bool Chq2::Refuse(const MlText& text, Window& focus) {
  focus.SetFocus();
  ui_message_box(text.Get());
  return false;
}

void Chq2::OnOK() {
  if (Window::GetFocus() != &m_save) return;
  Recount();
  Sort(-1);
  ShowRows();
  for (int i = 0; i + 1 < m_count; ++i) {
    std::size_t k = std::size_t(i), next = k + 1;
    int q = m_pairs[k][1], q_next = m_pairs[next][1];
    if (m_pairs[k][0] == m_pairs[next][0]) {
      Refuse(kEqualBands, m_bands[next]);
      return;
    }
    if ((m_spec.flags & kHq2Increasing) && q >= q_next) {
      Refuse(kIncreasing, m_quantities[next]);
      return;
    }
    if ((m_spec.flags & kHq2NotIncreasing) && q < q_next) {
      Refuse(kNotIncreasing, m_quantities[next]);
      return;
    }
  }
  for (int i = 0; i < m_count; ++i) {
    std::size_t k = std::size_t(i);
    int q = m_pairs[k][1];
    if ((m_spec.flags & kHq2NotAboveBand) && q > m_pairs[k][0]) {
      Refuse(kNotAboveBand, m_quantities[k]);
      return;
    }
    if (!m_spec.not_defined && (q < m_spec.quantity_min || q > m_spec.quantity_max)) {
      Refuse(kDefineQuantity, m_quantities[k]);
      return;
    }
  }
  if ((m_spec.flags2 & kHq2NotEmpty) && m_count == 0) {
    if (!m_spec.defaults) {
      Refuse(kNotEmpty, m_bands[0]);
      return;
    }
    for (int i = 0; i < 9; ++i) m_pairs[std::size_t(i)] = {m_spec.defaults[2 * i], m_spec.defaults[2 * i + 1]};
    Recount();
  }
  if ((m_spec.flags2 & kHq2EndsAtMaximum) && m_count > 0) {
    std::size_t last = std::size_t(m_count - 1);
    int band = m_pairs[last][0];
    if (band != m_spec.band_max && band != 99) {
      if (m_count < 9) {
        m_pairs[last + 1] = {std::int8_t(m_spec.band_max < 1 ? 99 : m_spec.band_max), m_pairs[last][1]};
        ++m_count;
      } else {
        m_pairs[last][0] = 99;
      }
    }
  }
  if (m_spec.pairs)
    for (int i = 0; i < 9; ++i) {
      m_spec.pairs[i][0] = m_pairs[std::size_t(i)][0];
      m_spec.pairs[i][1] = m_pairs[std::size_t(i)][1];
    }
  if (m_spec.count) *m_spec.count = std::uint8_t(m_count);
  EndDialog(kIdOk);
}
