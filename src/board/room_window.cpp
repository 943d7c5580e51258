// The room-assignment window (see room_window.h). The parameter block lives
// in the window; the status block points to it only while a command of the
// window runs. Only the user-interface thread touches the window; the
// engine thread writes the status block and the allocation's results, which
// the timer reads.
#include "board/room_window.h"
#include "platform/cp1252.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/model.h"
#include "engine/report_services.h"
#include "engine/week_grid_access.h"
#include "schooldata/school_files.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/engine_commands.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"
#include "solver/classroom_allocation.h"

using namespace kt::ui;

namespace {

const MlText kTitle = {"Assegnazione delle Aule", "Zuweisung der Klassenzimmer", "Allocation of Classrooms"};
const MlText kRoomsLabel = {"Aule per plesso (separate da virgole)", "Zimmer je Gebäude (durch Kommas getrennt)"_cp,
                            "Rooms per building (separated by commas)"};
const MlText kTeachersLabel = {"Professori per aula (0 = ore alle aule)", "Lehrer je Zimmer (0 = Stunden zu Zimmern)",
                               "Teachers per room (0 = lessons to rooms)"};
const MlText kModes[3] = {{"per Classe", "nach Klasse", "by Class"},
                          {"per Professore", "nach Lehrer", "by Teacher"},
                          {"per Aula", "nach Zimmer", "by Room"}};
const MlText kMovable = {"Le ore della classe possono cambiare aula", "Die Stunden der Klasse dürfen das Zimmer wechseln"_cp,
                         "The lessons of the class may change room"};
const MlText kRoomLabel = {"Aula della classe", "Zimmer der Klasse", "Room of the class"};
const MlText kForbiddenLabel = {"Aule vietate (A, B, ...)", "Verbotene Zimmer (A, B, ...)",
                                "Forbidden rooms (A, B, ...)"};
const MlText kAssign = {"Assegna le Aule", "Zimmer zuweisen", "Allocate rooms"};
const MlText kReduce = {"Riduci spostamenti", "Wechsel verringern", "Fewer room changes"};
const MlText kDelete = {"Cancella i report delle Aule", "Zimmerberichte löschen"_cp, "Delete the room reports"};
const MlText kClose = {"Chiudi", "Schließen"_cp, "Close"};
const MlText kBadRooms = {"Numero di aule non valido: indicare numeri da 0 a 99 separati da virgole.",
                          "Ungültige Zahl der Zimmer: Zahlen von 0 bis 99 durch Kommas getrennt angeben."_cp,
                          "Invalid number of rooms: give numbers from 0 to 99 separated by commas."};
const MlText kBadTeachers = {"Numero di professori per aula non valido (da 0 a 99).",
                             "Ungültige Zahl der Lehrer je Zimmer (0 bis 99)."_cp,
                             "Invalid number of teachers per room (0 to 99)."};
const MlText kNotSaved = {"Impostazioni delle aule non salvate: assegnazione non avviata.",
                          "Zimmereinstellungen nicht gespeichert: Zuweisung nicht gestartet.",
                          "Room settings not saved: allocation not started."};
const MlText kNoThread = {"Assegnazione non avviata: un altro calcolo e' in corso.",
                          "Zuweisung nicht gestartet: eine andere Berechnung läuft."_cp,
                          "Allocation not started: another computation is running."};
const MlText kRunning = {"Assegnazione in corso...", "Zuweisung läuft..."_cp, "Allocation running..."};
const MlText kDone = {"Assegnazione terminata.", "Zuweisung beendet.", "Allocation finished."};
const MlText kFailed = {"Assegnazione NON riuscita.", "Zuweisung NICHT gelungen.", "Allocation FAILED."};
const MlText kClassLine = {"%s: cambi d'aula %d, ore nell'aula della classe %d",
                           "%s: Zimmerwechsel %d, Stunden im Zimmer der Klasse %d",
                           "%s: room changes %d, lessons in the class's room %d"};

constexpr std::uint32_t kButton = kBsPushButton | kWsTabStop;
constexpr std::uint32_t kEditStyle = kEsAutoHScroll | kWsBorder | kWsTabStop;

const ControlTemplate kControls[] = {
    {"Static", Casau::kTitleId, "", kSsLeft, 6, 6, 328, 12},
    {"Static", Casau::kRoomsLabelId, "", kSsLeft, 6, 22, 200, 10},
    {"Edit", Casau::kRoomsId, "", kEditStyle, 210, 20, 124, 12},
    {"Static", Casau::kTeachersLabelId, "", kSsLeft, 6, 38, 200, 10},
    {"Edit", Casau::kTeachersId, "", kEditStyle, 210, 36, 40, 12},
    {"ComboBox", Casau::kModeId, "", kCbsDropDownList | kWsVScroll | kWsTabStop, 256, 36, 78, 60},
    {"ListBox", Casau::kClassListId, "", kLbsNotify | kWsVScroll | kWsBorder | kWsTabStop, 6, 54, 70, 100},
    {"Button", Casau::kMovableId, "", kBsAutoCheckBox | kWsTabStop, 82, 54, 252, 12},
    {"Static", Casau::kRoomLabelId, "", kSsLeft, 82, 72, 120, 10},
    {"Edit", Casau::kRoomId, "", kEditStyle, 206, 70, 128, 12},
    {"Static", Casau::kForbiddenLabelId, "", kSsLeft, 82, 88, 120, 10},
    {"Edit", Casau::kForbiddenId, "", kEditStyle, 206, 86, 128, 12},
    {"Button", Casau::kAssignId, "", kButton, 82, 106, 80, 16},
    {"Button", Casau::kReduceId, "", kButton, 168, 106, 80, 16},
    {"Button", Casau::kStopId, "STOP", kButton, 254, 106, 80, 16},
    {"Edit", Casau::kProgressId, "", kEsMultiLine | kEsReadOnly | kEsAutoVScroll | kWsVScroll | kWsBorder, 82, 126,
     252, 60},
    {"Static", Casau::kResultId, "", kSsLeft, 6, 190, 328, 24},
    {"Button", Casau::kDeleteReportsId, "", kButton, 6, 218, 120, 16},
    {"Button", Casau::kCloseId, "", kButton, 274, 218, 60, 16},
};
const DialogTemplate kTemplate = {Casau::kTemplate, "Assegnazione delle Aule",
                                  kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 340, 240, kControls};

std::string trimmed(const std::string& text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> split_names(const std::string& text) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    std::string name = trimmed(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (!name.empty()) names.push_back(name);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return names;
}

std::string joined(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& n : names) out += (out.empty() ? "" : ", ") + n;
  return out;
}

// A whole number from 0 to 99, else -1.
int small_number(const std::string& text) {
  std::string t = trimmed(text);
  if (t.empty() || t.size() > 2) return -1;
  for (char c : t)
    if (c < '0' || c > '9') return -1;
  return std::atoi(t.c_str());
}

std::string with_note(const std::string& text, const std::string& note) {
  return note.empty() ? text : text + " " + note;
}

UiSchoolStructure& st = g_ui_structure;

std::string classroom_name(std::int32_t index) {
  if (index < 0 || index >= kUiMaxClassrooms || static_cast<std::uint32_t>(index) >= st.classroom_count) return "";
  return std::string(st.classroom_names[index], strnlen(st.classroom_names[index], kUiNameSize));
}

// The classroom name's index, added when new; -1 when the table is full.
std::int32_t classroom_index(const std::string& name) {
  for (std::uint32_t i = 0; i < st.classroom_count && i < kUiMaxClassrooms; ++i)
    if (classroom_name(static_cast<std::int32_t>(i)) == name) return static_cast<std::int32_t>(i);
  if (st.classroom_count >= kUiMaxClassrooms) return -1;
  std::snprintf(st.classroom_names[st.classroom_count], kUiNameSize, "%s", name.c_str());
  return static_cast<std::int32_t>(st.classroom_count++);
}

// The code as the user reads it (a school of one track leaves the track
// letter blank).
std::string class_code(const UiClass& c) { return trimmed(std::string(c.code, strnlen(c.code, sizeof c.code))); }

}  // namespace

void ui_register_room_window_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}

void board_open_room_window() {
  Casau window;
  window.DoModal();
}

Casau::Casau() : CResizableDialog(kTemplate) {}

Casau::~Casau() {
  // A window torn down while its command runs (the program ending) leaves
  // no command pointing at its parameter block.
  if (m_running) {
    g_status.run_state = kRunStateStopRequested;
    g_engine_thread.Join();
  }
  if (g_status.room_params.load() == &m_params) g_status.room_params = nullptr;
}

LResult Casau::DoModal() {
  ui_register_room_window_template();
  // The settings are the saved school's (a file that does not read has
  // been told about and opens nothing).
  if (!og_read_school_files(0)) return -1;
  LoadSettings();
  DoModalCaptioned(true);
  return m_result;
}

void Casau::LoadSettings() {
  m_params = RoomAllocationParams{};
  m_params.teachers_per_room = static_cast<std::int32_t>(st.room_assignment_mode);
  for (int b = 0; b < 10; ++b) m_params.rooms_per_building[b] = static_cast<std::int32_t>(st.room_assignment_values[b]);
  m_params.best_result = kNoRecord;
  m_params.allocation_mode = st.room_assignment_last >= 0 && st.room_assignment_last <= 2
                                 ? static_cast<std::uint8_t>(st.room_assignment_last)
                                 : 0;
  m_classes.clear();
  for (std::uint32_t i = 0; i < st.class_count && i < kUiMaxClasses; ++i) {
    const UiClass& c = st.classes[i];
    RoomWindowClass record;
    record.code = class_code(c);
    record.movable = c.room_move != 0;
    record.room = classroom_name(c.preferred_room);
    for (int r = 0; r < kMaxForbiddenRooms; ++r)
      if (!classroom_name(c.forbidden_rooms[r]).empty()) record.forbidden.push_back(classroom_name(c.forbidden_rooms[r]));
    m_classes.push_back(record);
  }
}

bool Casau::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  SetDlgItemText(kTitleId, kTitle.Get());
  SetDlgItemText(kRoomsLabelId, kRoomsLabel.Get());
  SetDlgItemText(kTeachersLabelId, kTeachersLabel.Get());
  SetDlgItemText(kMovableId, kMovable.Get());
  SetDlgItemText(kRoomLabelId, kRoomLabel.Get());
  SetDlgItemText(kForbiddenLabelId, kForbiddenLabel.Get());
  SetDlgItemText(kAssignId, kAssign.Get());
  SetDlgItemText(kReduceId, kReduce.Get());
  SetDlgItemText(kDeleteReportsId, kDelete.Get());
  SetDlgItemText(kCloseId, kClose.Get());
  int buildings = g_ui_settings.building_count > 0 ? static_cast<int>(g_ui_settings.building_count) : 1;
  if (buildings > 10) buildings = 10;
  std::string rooms;
  for (int b = 0; b < buildings; ++b) rooms += (b ? "," : "") + std::to_string(m_params.rooms_per_building[b]);
  SetDlgItemText(kRoomsId, rooms.c_str());
  SetDlgItemInt(kTeachersId, m_params.teachers_per_room);
  if (auto* mode = static_cast<ComboBox*>(GetDlgItem(kModeId))) {
    for (const MlText& m : kModes) mode->AddString(m.Get());
    mode->SetCurSel(m_params.allocation_mode);
  }
  if (auto* list = static_cast<ListBox*>(GetDlgItem(kClassListId))) {
    for (const RoomWindowClass& c : m_classes) list->AddString(c.code);
    list->SetCurSel(m_classes.empty() ? -1 : 0);
  }
  ShowRecord(m_classes.empty() ? -1 : 0);
  if (Window* stop = GetDlgItem(kStopId)) stop->EnableWindow(false);
  return true;
}

void Casau::ShowRecord(int index) {
  m_shown = index;
  bool any = index >= 0 && index < static_cast<int>(m_classes.size());
  const RoomWindowClass empty;
  const RoomWindowClass& c = any ? m_classes[index] : empty;
  CheckDlgButton(kMovableId, c.movable ? kBstChecked : 0);
  SetDlgItemText(kRoomId, c.room.c_str());
  SetDlgItemText(kForbiddenId, joined(c.forbidden).c_str());
}

void Casau::KeepRecord() {
  if (m_shown < 0 || m_shown >= static_cast<int>(m_classes.size())) return;
  RoomWindowClass& c = m_classes[m_shown];
  c.movable = IsDlgButtonChecked(kMovableId) == kBstChecked;
  c.room = trimmed(GetDlgItemText(kRoomId));
  c.forbidden = split_names(GetDlgItemText(kForbiddenId));
}

bool Casau::ReadParams() {
  std::vector<std::string> counts = split_names(GetDlgItemText(kRoomsId));
  if (counts.empty() || counts.size() > 10) {
    ui_message_box(kBadRooms);
    return false;
  }
  RoomAllocationParams p{};
  for (std::size_t b = 0; b < counts.size(); ++b) {
    p.rooms_per_building[b] = small_number(counts[b]);
    if (p.rooms_per_building[b] < 0) {
      ui_message_box(kBadRooms);
      return false;
    }
  }
  p.teachers_per_room = small_number(GetDlgItemText(kTeachersId));
  if (p.teachers_per_room < 0) {
    ui_message_box(kBadTeachers);
    return false;
  }
  auto* mode = static_cast<ComboBox*>(GetDlgItem(kModeId));
  int chosen = mode ? mode->GetCurSel() : 0;
  p.allocation_mode = static_cast<std::uint8_t>(chosen >= 0 && chosen <= 2 ? chosen : 0);
  p.best_result = kNoRecord;
  m_params = p;
  return true;
}

// Into the school's structure, as its file keeps them: only settings that
// passed the check get here.
void Casau::SaveSettings() {
  st.room_assignment_mode = static_cast<std::uint32_t>(m_params.teachers_per_room);
  for (int b = 0; b < 10; ++b) st.room_assignment_values[b] = static_cast<std::uint32_t>(m_params.rooms_per_building[b]);
  st.room_assignment_last = static_cast<std::int8_t>(m_params.allocation_mode);
  for (std::uint32_t i = 0; i < st.class_count && i < kUiMaxClasses; ++i) {
    UiClass& c = st.classes[i];
    for (const RoomWindowClass& r : m_classes) {
      if (r.code != class_code(c)) continue;
      c.room_move = r.movable ? 1 : 0;
      c.preferred_room = r.room.empty() ? -1 : classroom_index(r.room);
      for (int k = 0; k < kMaxForbiddenRooms; ++k) c.forbidden_rooms[k] = -1;
      for (std::size_t k = 0; k < r.forbidden.size() && k < static_cast<std::size_t>(kMaxForbiddenRooms); ++k)
        c.forbidden_rooms[k] = classroom_index(r.forbidden[k]);
    }
  }
}

void Casau::Run(EngineCommandCode code) {
  if (m_running) return;
  KeepRecord();
  if (!ReadParams()) return;
  // The check matches the window's records to the school the engine reads.
  if (og_run_engine(EngineCommandCode::Synt) != 0) return;
  // A class of the structure without lessons is unknown to the engine: it
  // is left out, said below the results, and keeps its settings.
  std::vector<RoomWindowClass> run_classes = m_classes;
  std::string note = or_room_window_left_out_note(or_room_window_drop_classes_without_lessons(run_classes));
  std::string problem = or_room_window_problem(m_params, run_classes);
  if (!problem.empty()) {
    ui_message_box(problem.c_str());
    return;
  }
  SaveSettings();
  if (og_write_structure_file() != 0) {
    ui_message_box(kNotSaved);
    return;
  }
  or_room_window_handover(run_classes);
  m_run_classes = std::move(run_classes);
  m_note = std::move(note);
  g_status.clear();
  g_status.room_params = &m_params;
  if (!g_engine_thread.Start(static_cast<std::uint32_t>(code))) {
    g_status.room_params = nullptr;
    ui_message_box(kNoThread);
    return;
  }
  m_running = true;
  m_progress.clear();
  SetDlgItemText(kProgressId, "");
  SetDlgItemText(kResultId, with_note(kRunning.Get(), m_note).c_str());
  for (int id : {kAssignId, kReduceId, kDeleteReportsId})
    if (Window* w = GetDlgItem(id)) w->EnableWindow(false);
  if (Window* stop = GetDlgItem(kStopId)) stop->EnableWindow(true);
  SetTimer(kTimer, kTimerMs);
}

void Casau::OnTimer(WParam id) {
  if (id == kTimer) Poll();
  else CResizableDialog::OnTimer(id);
}

void Casau::Poll() {
  if (og_take_engine_progress(m_progress)) og_show_progress(*this, kProgressId, m_progress);
  // A new record of the optimiser: the stored results of every class.
  if (or_room_allocation_query(13, nullptr, nullptr, nullptr, nullptr) == 1) ShowClassResults(12);
  if (g_status.run_state.load() != kRunStateFinished || g_engine_thread.Running()) return;
  KillTimer(kTimer);
  Finish(g_engine_thread.Join());
}

void Casau::ShowClassResults(int code) {
  std::string text;
  for (const RoomWindowClass& c : m_run_classes) {
    int own = 0;
    std::uint8_t days = 0;
    int changes = or_room_allocation_query(code, c.code.c_str(), nullptr, &own, &days);
    char line[160];
    std::snprintf(line, sizeof line, kClassLine.Get(), c.code.c_str(), changes, own);
    text += std::string(line) + "\r\n";
  }
  og_show_progress(*this, kProgressId, m_progress + text);
}

// Below the results: the reports in which the user finds the rooms.
void Casau::ShowReportHint() {
  char hint[400];
  or_room_report_hint(hint);
  std::string text = GetDlgItemText(kProgressId) + "\r\n";
  for (const char* c = hint; *c; ++c) text += *c == '\n' ? std::string("\r\n") : std::string(1, *c);
  og_show_progress(*this, kProgressId, text);
}

void Casau::Finish(std::int32_t result) {
  m_running = false;
  g_status.room_params = nullptr;
  m_result = result;
  std::string text = result == 0 ? kDone.Get() : kFailed.Get();
  if (result == 0 && g_room_report_flag) {
    int unallocated = or_unallocated_lesson_count();
    // Rooms given on a week with moved lessons belong to that week: it
    // becomes the saved timetable before the reports name the rooms.
    int taken = or_take_room_allocation_timetable();
    if (taken < 0) {
      ui_message_box(g_status.message);
      text = kFailed.Get();
    } else {
      // The allocation lives in the engine until the next command reads the
      // school again: the reports are written now, with the rooms.
      if (og_run_engine(EngineCommandCode::Repo) == 0) or_show_room_reports(0);
      ShowClassResults(11);
      std::string note = or_unallocated_message(unallocated);
      if (!note.empty()) text += " " + note;
      ShowReportHint();
      // Last, where the box shows its end: the saved week changed.
      if (taken > 0)
        og_show_progress(*this, kProgressId,
                         GetDlgItemText(kProgressId) + "\r\n" + or_room_allocation_taken_message() + "\r\n");
    }
  } else if (result == 0) {
    // The grouping of teachers into rooms writes its own room reports.
    or_show_room_reports(0);
    ShowReportHint();
  }
  SetDlgItemText(kResultId, with_note(text, m_note).c_str());
  for (int id : {kAssignId, kReduceId, kDeleteReportsId})
    if (Window* w = GetDlgItem(id)) w->EnableWindow(true);
  if (Window* stop = GetDlgItem(kStopId)) stop->EnableWindow(false);
}

bool Casau::OnCommand(WParam w, LParam l) {
  int id = command_id(w);
  if (id == kClassListId && command_code(w) == kLbnSelChange) {
    KeepRecord();
    auto* list = static_cast<ListBox*>(GetDlgItem(kClassListId));
    ShowRecord(list ? list->GetCurSel() : -1);
    return true;
  }
  if (command_code(w) == kBnClicked) {
    switch (id) {
      case kAssignId: Run(EngineCommandCode::Asau); return true;
      case kReduceId: Run(EngineCommandCode::Misv); return true;
      case kStopId:
        if (m_running) g_status.run_state = kRunStateStopRequested;
        return true;
      case kDeleteReportsId: or_show_room_reports(1); return true;
      case kCloseId: Close(); return true;
      default: break;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}

void Casau::Close() {
  if (m_running) {
    g_status.run_state = kRunStateStopRequested;
    KillTimer(kTimer);
    Finish(g_engine_thread.Join());
  }
  EndDialog(m_result);
}
