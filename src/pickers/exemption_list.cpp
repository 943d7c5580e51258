// The derogation list window (see exemption_list.h): loading the file into
// the list, the delete buttons, the service button that marks every record
// automatic, sorting, and the timer that keeps the buttons and the list in
// step with the computation and the file on disk. File work lives in
// exemption_list_files.cpp; this file holds the window's behaviour.
#include "pickers/exemption_list.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <set>

#include "engine/timetable_view.h"
#include "platform/cp1252.h"
#include "shell/busy_popup.h"
#include "shell/list_utilities.h"
#include "shell/message_box.h"
#include "shell/service_mode.h"
#include "solver/constraint_names.h"
#include "solver/exemptions.h"

using namespace kt::ui;

Cvedide g_exemptions_view;

namespace {

constexpr int kYes = 6;
constexpr int kQuestion = 0x24;
constexpr int kAutomaticOffset = 197;

const MlText kTitle = {"Deroghe Temporanee ai Vincoli", "Vorläufige Ausnahmen von den Bedingungen"_cp,
                       "Temporary Exemptions from Constraints"};
const MlText kHelp = {
    "Qui potete esaminare e cancellare le deroghe concesse in precedenza. Le deroghe automatiche danno un primo "
    "risultato approssimato: disattivatele in seguito per un risultato accurato.",
    "Hier können Sie die früher gewährten Ausnahmen prüfen und löschen. Automatische Ausnahmen geben ein erstes "
    "ungefähres Ergebnis: schalten Sie sie später für ein genaues Ergebnis ab."_cp,
    "Here you can examine and delete the exemptions granted earlier. Automatic exemptions give a first "
    "approximate result: switch them off later for an accurate one."};
const MlText kButtonHelp = {
    "Selezionate le deroghe da cancellare. Si possono cancellare tutte insieme solo le deroghe non utilizzate. Le "
    "deroghe si cancellano solo a elaborazione ferma.",
    "Wählen Sie die zu löschenden Ausnahmen. Nur ungenutzte Ausnahmen können alle zusammen gelöscht werden. "
    "Ausnahmen können nur bei angehaltener Berechnung gelöscht werden."_cp,
    "Select the exemptions to delete. Only the exemptions not in use can be deleted all at once. Exemptions can "
    "be deleted only while the computation is stopped."};
const MlText kSureDeleteAll = {"Sicuro di cancellare tutti gli elementi ?", "Wirklich alle Elemente löschen ?"_cp,
                               "Really delete all the items ?"};
const MlText kBusy = {"Elaborazione in corso - Attendere", "Berechnung läuft - Bitte warten"_cp,
                      "Processing - Please wait"};

struct Column {
  const char* heading;
  int width;
};
const Column kColumns[] = {{"Num", 8 * 3},
                           {"Descrizione dell'errore", 16 * 23},
                           {"Professore o classe", 8 * 19},
                           {"Classifica", 0},
                           {"Quantità"_cp, 0},
                           {"Annotazioni", 16 * 11},
                           {"Tipologia", 8 * 9}};

ListView* list_of(Window& w) { return static_cast<ListView*>(w.GetDlgItem(Cvedide::kListId)); }

std::string text_field(const StoredExemption& r, int offset, int size) {
  const char* p = reinterpret_cast<const char*>(r.bytes + offset);
  return std::string(p, strnlen(p, std::size_t(size)));
}

std::string name_field(const char* p) { return std::string(p, strnlen(p, kNameSize - 1)); }

// The teacher's or class's name as the timetable view holds it.
std::string who_of(const StoredExemption& r, bool remote) {
  if (remote) return text_field(r, kExemptionNameOffset, 20);
  std::int32_t id = or_exemption_id(r);
  if (id < 75) {
    std::int32_t t = or_exemption_teacher(r);
    return t >= 0 && t < kMaxTeachers ? name_field(g_timetable_view.teacher_names[t]) : "";
  }
  std::int32_t c = or_exemption_class(r);
  return c >= 0 && c < kMaxClasses ? name_field(g_timetable_view.class_display_names[c]) : "";
}


}  // namespace

Cvedide::Cvedide(bool remote) : CResizableDialog(kTemplate), m_hooks(vedide_engine_hooks()), m_remote(remote) {}

int Cvedide::CreatePanel(Window* parent) {
  if (m_created && IsWindow()) return 1;
  ui_register_exemption_list_template();
  if (!Dialog::Create(kTemplate, parent)) return 0;
  m_created = true;
  return 1;
}

void Cvedide::ShowPanel(bool show) {
  if (!m_created || !IsWindow()) return;
  if (!show) m_rect = GetWindowRect();
  ShowWindow(show ? kSwShow : kSwHide);
}

void Cvedide::DoDataExchange(DataExchange& dx) {
  dx.Control(kHelpId, m_help);
  const int ids[] = {kDeleteSelectedId, kDeleteAllId, kDeleteUnusedId, kFakeAutomaticId, kEndId, kHelpButtonId};
  for (int i = 0; i < 6; ++i) dx.Control(ids[i], m_buttons[i]);
}

bool Cvedide::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  AnchorControl(kListId, kAnchorTopLeft, kAnchorBottomRight);
  AnchorControl(kHelpId, kAnchorBottomLeft, kAnchorBottomRight);
  ListView* list = list_of(*this);
  list->SetExtendedStyle(kLvsExFullRowSelect | kLvsExGridLines);
  for (int c = 0; c < int(std::size(kColumns)); ++c) list->InsertColumn(c, kColumns[c].heading, kLvcfmtLeft, kColumns[c].width);
  // The shell's service mode, as it stands when the window opens.
  m_service_mode = g_service_mode != 0;
  GetDlgItem(kFakeAutomaticId)->ShowWindow(m_service_mode ? kSwShow : kSwHide);
  // Where the user left it; the first time as wide again as the template.
  if (m_rect.IsEmpty()) {
    Rect r = GetWindowRect();
    MoveWindow(r.left, r.top, 2 * r.Width(), r.Height());
  } else {
    MoveWindow(m_rect);
  }
  m_path = vedide_file_path(m_remote);
  LoadExemptionFile(true);
  m_help.SetTextML(&kHelp);
  SetTimer(kTimerId, kTimerMs);
  SetWindowText(kTitle.Get());
  return true;
}

std::time_t Cvedide::FileTime() const {
  std::error_code ec;
  auto t = std::filesystem::last_write_time(m_path, ec);
  if (ec) return 0;
  return std::time_t(std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count());
}

// A file without any derogation is made again holding one empty record,
// the form the engine's writer expects to append to.
void Cvedide::LoadExemptionFile(bool check) {
  ListView* list = list_of(*this);
  list->DeleteAllItems();
  std::vector<ExemptionLine> lines;
  std::vector<std::string> unread;
  if (!vedide_read_file(m_path, lines, &unread)) {
    m_seen = FileTime();
    return;
  }
  std::error_code ec;
  if (check && std::filesystem::file_size(m_path, ec) == 0 && !ec) {
    if (!m_remote) vedide_write_file(m_path, {});
    m_seen = FileTime();
    return;
  }
  int n = 0;
  for (const ExemptionLine& l : lines) {
    const StoredExemption& r = l.record;
    ++n;
    int row = list->InsertItem(list->GetItemCount(), std::to_string(n), std::uintptr_t(n));
    list->SetItemText(row, 1, or_constraint_name(or_exemption_id(r), ui_language()));
    list->SetItemText(row, 2, who_of(r, m_remote));
    list->SetItemText(row, 4, std::to_string(or_exemption_word(r, 18)));
    list->SetItemText(row, 5, text_field(r, kExemptionTextOffset, 41));
    list->SetItemText(row, 6, r.bytes[kAutomaticOffset] == 1 ? "automatica" : "");
  }
  // Lines the list cannot show keep the file as it is: the engine appends
  // to any file that exists.
  if (n == 0 && unread.empty() && !m_remote) vedide_write_file(m_path, {});
  if (m_sorted_column >= 0) ui_sort_list_by_column(*list, m_sorted_column, 0, kListSortKeep);
  m_seen = FileTime();
}

bool Cvedide::Refused() {
  if (m_remote || m_busy || (m_running && *m_running)) {
    message_beep(kBeepSimple);
    return true;
  }
  return false;
}

void Cvedide::EnableDelete(bool enable) {
  for (int id : {kDeleteSelectedId, kDeleteAllId, kDeleteUnusedId}) GetDlgItem(id)->EnableWindow(enable);
}

// The file as it stands before a deletion; false (with a beep) when it is
// there but cannot be read whole, so that nothing is written over it.
bool Cvedide::ReadForRewrite(std::vector<ExemptionLine>& lines, std::vector<std::string>& unread) {
  if (vedide_read_file(m_path, lines, &unread)) return true;
  std::error_code ec;
  if (!std::filesystem::exists(m_path, ec) && !ec) return true;
  message_beep(kBeepSimple);
  return false;
}

void Cvedide::Rewrite(const std::vector<ExemptionLine>& lines, const std::vector<std::string>& unread) {
  m_busy = true;
  if (!vedide_write_file(m_path, lines, unread)) message_beep(kBeepSimple);
  m_busy = false;
  LoadExemptionFile(false);
}

void Cvedide::OnDeleteSelected() {
  if (Refused()) return;
  ListView* list = list_of(*this);
  std::set<int> selected;
  for (int row = 0; row < list->GetItemCount(); ++row)
    if (list->GetItemState(row, kLvisSelected)) selected.insert(std::atoi(list->GetItemText(row, 0).c_str()));
  std::vector<ExemptionLine> lines, kept;
  std::vector<std::string> unread;
  if (!vedide_read_file(m_path, lines, &unread)) {
    message_beep(kBeepSimple);
    return;
  }
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (!selected.count(int(i) + 1)) kept.push_back(lines[i]);
  Rewrite(kept, unread);
  EnableDelete(false);
}

void Cvedide::OnDeleteAll() {
  if (Refused()) return;
  if (ui_message_box_type(kSureDeleteAll, kQuestion) != kYes) return;
  // "All" is every derogation the list shows; lines it cannot show stay.
  std::vector<ExemptionLine> lines;
  std::vector<std::string> unread;
  if (!ReadForRewrite(lines, unread)) return;
  Rewrite({}, unread);
  EnableDelete(false);
}

void Cvedide::OnDeleteUnused() {
  if (Refused()) return;
  std::vector<ExemptionLine> lines, used;
  std::vector<std::string> unread;
  if (!vedide_read_file(m_path, lines, &unread)) {
    message_beep(kBeepSimple);
    return;
  }
  CelaincoWnd busy;
  busy.SetText(kBusy.Get());
  busy.Create(this);
  m_busy = true;
  bool ok = vedide_used_lines(lines, m_hooks, used);
  m_busy = false;
  busy.DestroyWindow();
  if (!ok) {
    message_beep(kBeepSimple);
    return;
  }
  Rewrite(used, unread);
  EnableDelete(false);
}

void Cvedide::OnFakeAutomatic() {
  if (Refused()) return;
  std::vector<ExemptionLine> lines;
  std::vector<std::string> unread;
  if (!vedide_read_file(m_path, lines, &unread)) {
    message_beep(kBeepSimple);
    return;
  }
  for (ExemptionLine& l : lines) {
    l.record.bytes[kAutomaticOffset] = 1;
    char text[4 + 2 * kExemptionRecordSize + 8];
    or_format_exemption_line(l.record, text, sizeof text);
    l.text.assign(text, strnlen(text, sizeof text));
    while (!l.text.empty() && (l.text.back() == '\n' || l.text.back() == '\r')) l.text.pop_back();
  }
  Rewrite(lines, unread);
}

void Cvedide::OnTimer(WParam id) {
  if (id != kTimerId || m_busy) return;
  EnableDelete(!m_remote && !(m_running && *m_running));
  if (FileTime() != m_seen) LoadExemptionFile(false);
}

bool Cvedide::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (!header || header->id != kListId) return CResizableDialog::OnNotify(w, l, result);
  auto* notify = reinterpret_cast<ListViewNotify*>(l);
  if (header->code == kLvnColumnClick) {
    ui_sort_list_by_column(*list_of(*this), notify->subitem, 0, 0);
    m_sorted_column = notify->subitem;
    return true;
  }
  if (header->code == kLvnKeyDown && notify->key == kVkDelete) {
    OnDeleteSelected();
    return true;
  }
  return CResizableDialog::OnNotify(w, l, result);
}

bool Cvedide::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    switch (command_id(w)) {
      case kDeleteSelectedId: OnDeleteSelected(); return true;
      case kDeleteAllId: OnDeleteAll(); return true;
      case kDeleteUnusedId: OnDeleteUnused(); return true;
      case kFakeAutomaticId: OnFakeAutomatic(); return true;
      case kHelpButtonId: m_help.SetTextML(&kButtonHelp); return true;
      case kEndId:
        if (m_remote) ShowPanel(false);
        else DestroyWindow();
        return true;
      default: break;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}

// Closing from the system menu only hides the window.
void Cvedide::OnCancel() { ShowPanel(false); }

void Cvedide::OnDestroy() {
  m_rect = GetWindowRect();
  KillTimer(kTimerId);
  m_created = false;
  CResizableDialog::OnDestroy();
}
