// Behaviour and template of the timetable board (see board_page.h). The
// grid has one row per hour of the longest day and one column per day after
// the hour column; every refill reads the engine tables again, so what the
// grid shows is always the week a save would write. Moves go through
// board_move_lesson, lab bookings through the engine's slot listing.
#include "board/board_page.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "board/board_cells.h"
#include "board/board_moves.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/reception_exemption_files.h"
#include "engine/teacher_availability.h"
#include "engine/timetable_view.h"
#include "platform/cp1252.h"
#include "schooldata/model_utilities.h"
#include "shell/dialog_title.h"
#include "shell/engine_commands.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"
#include "solver/timetable_state.h"
#include "structure/lab_booking_chooser.h"
#include "structure/lab_summary.h"
#include "structure/standby_summary.h"

using namespace kt::ui;

Cquadro g_board;

namespace {

const MlText kTitle = {"Vedi Orario Elaborato", "Vorbereiteten Stundenplan anzeigen", "View calculated Timetable"};
const MlText kTitleSupport = {"Sistema le ore di Sostegno, Disposizione e Ricevimento",
                              "Verwaltung der Behindertenhilfe, Verfügung und Sprechstunden"_cp,
                              "Hours for Substitutions, - for Handicap Support - And Receipt of Public"};
const MlText kKinds[3] = {{"Classi", "Klassen", "Classes"},
                          {"Professori", "Lehrer", "Teachers"},
                          {"Laboratori", "Laboratorien", "Laboratories"}};
const MlText kHourHeading = {"Ora", "Stunde", "Hour"};
const MlText kSave = {"Salva l'orario", "Stundenplan speichern", "Save the timetable"};
const MlText kChooseTarget = {"Clickare l'ora in cui spostare la lezione", "Die Zielstunde der Lehrstunde anklicken",
                              "Click the hour the lesson is to move to"};
const MlText kProblemsLabel = {"Vincoli non rispettati dall'orario:", "Vom Stundenplan verletzte Bedingungen:",
                               "Constraints the timetable breaks:"};
const MlText kSaved = {"Orario salvato", "Stundenplan gespeichert", "Timetable saved"};
const MlText kSupportLabel = {"Classe sostenuta:", "Unterstützte Klasse:"_cp, "Supported class:"};
const MlText kReception = {"Ora di ricevimento", "Sprechstunde", "Reception hour"};
const MlText kStandby = {"Riepilogo Disposizioni", "Übersicht Verfügungen"_cp, "Stand-by summary"};
const MlText kNotSupport = {"Scegliere prima un'ora di sostegno del docente.",
                            "Zuerst eine Stunde der Behindertenhilfe des Lehrers wählen."_cp,
                            "First choose a support hour of the teacher."};
const MlText kNoTeacherHour = {"Scegliere prima un'ora nella settimana di un docente.",
                               "Zuerst eine Stunde in der Woche eines Lehrers wählen."_cp,
                               "First choose an hour in a teacher's week."};
const MlText kNotFreeHour = {"L'ora di ricevimento va scelta fra le ore libere del docente.",
                             "Die Sprechstunde muss eine freie Stunde des Lehrers sein."_cp,
                             "The reception hour must be a free hour of the teacher."};
const MlText kClosedHour = {"L'ora di ricevimento non può cadere in un'ora in cui il docente non è disponibile."_cp,
                            "Die Sprechstunde darf nicht in einer Stunde liegen, "
                            "in der der Lehrer nicht verfügbar ist."_cp,
                            "The reception hour cannot be an hour in which the teacher is not available."};
const MlText kNoReceptionForStandIn = {
    "Questo nome sta per le lezioni di un laboratorio o di un gruppo articolato: "
    "l'ora di ricevimento va scelta nella settimana del docente.",
    "Dieser Name steht für die Stunden eines Labors oder einer Gruppe: "
    "die Sprechstunde wird in der Woche des Lehrers gewählt."_cp,
    "This name stands for the lessons of a lab or of an articulated group: "
    "choose the reception hour in the teacher's own week."};
// The hour looks free on the teacher's own week: the lesson he gives then
// stands under his stand-in's name (an articulated group's, a lab's), so the
// refusal names it and the class.
const MlText kTeachesUnderStandIn = {
    "In quest'ora il docente insegna come %s nella classe %s: "
    "l'ora di ricevimento va scelta fra le ore libere del docente.",
    "In dieser Stunde unterrichtet der Lehrer als %s in der Klasse %s: "
    "die Sprechstunde muss eine freie Stunde des Lehrers sein."_cp,
    "In this hour the teacher teaches as %s in class %s: "
    "the reception hour must be a free hour of the teacher."};
const MlText kReceptionNotWritten = {"Impossibile scrivere ricevi.txt: l'orario non è stato salvato."_cp,
                                     "ricevi.txt kann nicht geschrieben werden: der Stundenplan wurde nicht gespeichert."_cp,
                                     "ricevi.txt cannot be written: the timetable was not saved."};
const MlText kStandbyText = {"Disp.", "Verf.", "Stby"};
const MlText kReceptionText = {"Ricevimento", "Sprechstunde", "Reception"};
const MlText kSupportText = {"Sost.", "Vert.", "Subs."};

const ControlTemplate kControls[] = {
    {"Static", Cquadro::kTitleId, "", kSsLeft, 8, 4, 400, 10},
    {"ComboBox", Cquadro::kKindId, "", kCbsDropDownList | kWsVScroll | kWsTabStop, 8, 18, 80, 80},
    {"ComboBox", Cquadro::kNameId, "", kCbsDropDownList | kWsVScroll | kWsTabStop, 94, 18, 120, 160},
    {"Button", Cquadro::kSaveId, "Salva l'orario", kBsPushButton | kWsTabStop, 222, 16, 90, 16},
    {"Static", Cquadro::kStatusId, "", kSsLeft, 320, 17, 220, 18},
    {"Static", Cquadro::kSupportLabelId, "Classe sostenuta:", kSsLeft, 8, 40, 70, 10},
    {"ComboBox", Cquadro::kSupportId, "", kCbsDropDownList | kWsVScroll | kWsTabStop, 80, 38, 90, 120},
    {"Button", Cquadro::kReceptionId, "Ora di ricevimento", kBsPushButton | kWsTabStop, 180, 36, 90, 16},
    {"Button", Cquadro::kStandbyId, "Riepilogo Disposizioni", kBsPushButton | kWsTabStop, 278, 36, 100, 16},
    {"ListView", Cquadro::kGridId, "", kLvsReport | kWsBorder | kWsTabStop, 8, 58, 532, 144},
    {"Static", Cquadro::kProblemsLabelId, "Vincoli non rispettati dall'orario:", kSsLeft, 8, 206, 300, 10},
    {"ListBox", Cquadro::kProblemsId, "", kWsVScroll | kWsBorder | kWsTabStop, 8, 216, 532, 36},
};
const DialogTemplate kTemplate = {Cquadro::kTemplate, "Vedi Orario Elaborato", kWsChild, 0, 0, 548, 256, kControls};

int slot(int day, int hour) { return day * kHoursPerDay + hour; }
const char* class_code(int c) { return c >= 0 && c < g_eng_school.class_count ? g_eng_classes[c].code : "?"; }

constexpr int kHourColumnWidth = 40;
constexpr int kDayColumnWidth = 110;  // the narrowest a day's column gets
constexpr int kCellMargin = 7;        // the text starts 5 pixels in and stays 2 clear of the next cell

// What a cell shows in each view, in at most `width` pixels where it can.
std::string cell_text(const WeekGridCell& c, int view, const BoardWeekNames& week, int width,
                      const BoardMeasure& measure) {
  if (c.class_index < 0) return "";
  if (c.flag == 1) return kStandbyText.Get();
  if (c.flag == 2)
    return std::string(kSupportText.Get()) + " " + (c.supported_class >= 0 ? class_code(c.supported_class) : "?");
  return board_fit_cell(board_cell_parts(c, view), week, width, measure);
}

// The refusal of an hour the teacher gives under another name: the name on
// the lesson that is not his own, and the lesson's class.
std::string stand_in_refusal(int lesson, int teacher) {
  const EngineLesson& l = g_eng_lessons[lesson];
  int who = l.teacher;
  if (who == teacher && or_lesson_has_second(lesson)) who = l.second_teacher;
  const char* name = who >= 0 && who < g_eng_school.teacher_count ? g_eng_teachers[who].name : "?";
  char text[400];
  std::snprintf(text, sizeof text, kTeachesUnderStandIn.Get(), name, class_code(l.class_index));
  return text;
}

}  // namespace

void ui_register_board_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}

void Cquadro::DoDataExchange(DataExchange& dx) {
  dx.Control(kGridId, m_grid);
  dx.Control(kKindId, m_kind);
  dx.Control(kNameId, m_name);
  dx.Control(kSupportId, m_support);
}

bool Cquadro::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  m_mode = g_pages.Argument(PageSlot::Quadro) == 1 ? 1 : 0;
  const MlText& title = m_mode ? kTitleSupport : kTitle;
  ui_set_current_dialog_title(title.Get());
  FitIntoPageArea();
  ShowGrip(false);
  SetDlgItemText(kTitleId, title.Get());
  SetDlgItemText(kSaveId, kSave.Get());
  SetDlgItemText(kSupportLabelId, kSupportLabel.Get());
  SetDlgItemText(kReceptionId, kReception.Get());
  SetDlgItemText(kStandbyId, kStandby.Get());
  AnchorControl(kGridId, kAnchorTopLeft, kAnchorBottomRight);
  AnchorControl(kProblemsLabelId, kAnchorBottomLeft, kAnchorBottomLeft);
  AnchorControl(kProblemsId, kAnchorBottomLeft, kAnchorBottomRight);
  SetDlgItemText(kProblemsLabelId, kProblemsLabel.Get());
  for (int id : {kSupportLabelId, kSupportId, kReceptionId, kStandbyId})
    if (Window* c = GetDlgItem(id)) c->ShowWindow(m_mode ? kSwShow : kSwHide);
  m_changed = false;
  m_from = m_selected = m_entity = -1;
  m_shown_teacher = m_selected_teacher = -1;
  // The support mode works on the week the engine has just prepared
  // ("RIGO:"); the view mode loads the saved week.
  m_loaded = m_mode ? true : board_load_timetable();
  if (m_mode) board_keep_loaded_week();
  m_grid.InsertColumn(0, kHourHeading.Get(), kLvcfmtLeft, kHourColumnWidth);
  if (!m_loaded) return true;
  for (int d = 0; d < or_week_days(); ++d)
    m_grid.InsertColumn(d + 1, std::string(g_eng_school.day_codes[d], strnlen(g_eng_school.day_codes[d], 2)),
                        kLvcfmtLeft, kDayColumnWidth);
  FitColumns();
  for (int h = 0; h < g_eng_run.longest_day && h < kHoursPerDay; ++h) m_grid.InsertRow(h, std::to_string(h + 1));
  m_grid.m_on_cell_selected = [this](int row, int column, int) {
    if (column >= 1) CellClicked(row, column - 1);
  };
  for (const MlText& k : kKinds) m_kind.AddString(k.Get());
  m_view = m_mode ? kViewTeacher : kViewClass;
  m_kind.SetCurSel(m_view);
  for (int c = 0; c < g_eng_school.real_class_count; ++c) m_support.AddString(g_eng_classes[c].code);
  FillNames();
  ShowProblems(board_week_problems());
  if (m_mode) {
    OpenStandbySummary();
    SetTimer(kFollowTimer, kFollowMs);
  } else {
    g_contagrullab.Create(this);
    g_contagrullab.RefreshList();
  }
  return true;
}

void Cquadro::FillNames() {
  m_name.ResetContent();
  if (m_view == kViewClass) {
    for (int c = 0; c < g_eng_school.real_class_count; ++c) m_name.AddString(g_eng_classes[c].code);
  } else if (m_view == kViewTeacher) {
    for (std::uint32_t t = 0; t < g_timetable_view.real_teacher_count; ++t)
      m_name.AddString(g_timetable_view.teacher_names[t]);
  } else {
    for (int r = 0; r < g_eng_school.room_count; ++r)
      if (g_eng_rooms[r].lab_flag & 1) m_name.AddString(g_eng_rooms[r].name);
  }
  m_entity = -1;
  if (m_name.GetCount() > 0) {
    m_name.SetCurSel(0);
    ShowWeek(m_view, m_name.GetLBText(0).c_str());
  }
}

bool Cquadro::ShowWeek(int kind, const char* name) {
  static const int kGridKinds[3] = {kGridClass, kGridTeacher, kGridRoom};
  if (kind < 0 || kind > 2 || !m_loaded) return false;
  if (kind != m_view) {
    m_view = kind;
    m_kind.SetCurSel(kind);
    FillNames();
  }
  for (int i = 0; i < m_name.GetCount(); ++i)
    if (m_name.GetLBText(i) == name) m_name.SetCurSel(i);
  // The hour chosen and the move begun belong to the week shown before: the
  // next click on this one chooses afresh, and the reception button asks
  // for an hour of this week.
  if (m_from >= 0) SetStatus("");
  m_from = m_selected = -1;
  m_grid.ClearHighlight();
  m_entity = or_fill_week_grid(kGridKinds[kind], name, m_cells);
  if (kind == kViewTeacher) m_shown_teacher = m_selected_teacher = m_entity;
  Refill();
  return m_entity >= 0;
}

// The slot of the shown teacher's reception hour in the stand-by mode, where
// the engine has just given every teacher one and the board picks it anew;
// -1 when there is none to show.
int Cquadro::ReceptionSlot() const {
  if (!m_mode || m_view != kViewTeacher || m_entity < 0 ||
      std::uint32_t(m_entity) >= g_timetable_view.real_teacher_count)
    return -1;
  const TimetableView::Reception& r = g_timetable_view.reception[m_entity];
  if (!or_slot_in_week(r.day, r.hour)) return -1;
  return slot(r.day, r.hour);
}

void Cquadro::Refill() {
  static const int kGridKinds[3] = {kGridClass, kGridTeacher, kGridRoom};
  if (m_entity >= 0) or_fill_week_grid(kGridKinds[m_view], m_name.GetLBText(m_name.GetCurSel()).c_str(), m_cells);
  int reception = ReceptionSlot();
  BoardWeekNames week = board_week_names(m_cells, m_view);
  BoardMeasure measure = [this](std::string_view text) { return m_grid.GetStringWidth(text); };
  for (int h = 0; h < m_grid.RowCount(); ++h)
    for (int d = 0; d + 1 < m_grid.ColumnCount(); ++d) {
      bool chosen = slot(d, h) == m_from;
      int width = m_grid.GetColumnWidth(d + 1) - kCellMargin - (chosen ? measure("> ") : 0);
      std::string text = cell_text(m_cells[slot(d, h)], m_view, week, width, measure);
      if (text.empty() && slot(d, h) == reception) text = kReceptionText.Get();
      m_grid.SetItemText(h, d + 1, chosen ? "> " + text : text);
    }
}

// The days share the grid's width, none narrower than it was drawn; the
// texts are fitted again to the new widths.
void Cquadro::FitColumns() {
  int days = m_grid.ColumnCount() - 1;
  if (!m_grid.IsWindow() || days <= 0) return;
  int room = m_grid.ViewWidth() - m_grid.GetColumnWidth(0);
  int width = std::max(kDayColumnWidth, room / days);
  bool changed = false;
  for (int d = 1; d <= days; ++d)
    if (m_grid.GetColumnWidth(d) != width) changed = m_grid.SetColumnWidth(d, width) || changed;
  if (changed && m_grid.RowCount() > 0) Refill();
}

void Cquadro::OnLayoutChanged() {
  CResizableDialog::OnLayoutChanged();
  if (m_loaded) FitColumns();
}

// The summary opens with its corner at the lower left of its button, out of
// the way of the grid.
void Cquadro::OpenStandbySummary() {
  g_contadispo.m_selected_teacher = &m_selected_teacher;
  if (Window* button = GetDlgItem(kStandbyId)) {
    Rect r = button->GetWindowRect();
    g_contadispo.SetOpenPoint(r.left + 15, r.bottom + 25);
  }
  g_contadispo.Create(this);
}

void Cquadro::SetStatus(const char* text) { SetDlgItemText(kStatusId, text); }

void Cquadro::ShowProblems(std::vector<std::string> lines) {
  m_problems = std::move(lines);
  auto* list = static_cast<ListBox*>(GetDlgItem(kProblemsId));
  if (!list) return;
  list->ResetContent();
  for (const std::string& line : m_problems) list->AddString(line);
}

void Cquadro::CellClicked(int hour, int day) {
  if (!or_slot_in_week(day, hour) || m_entity < 0) return;
  int s = slot(day, hour);
  m_selected = s;
  if (m_mode) or_set_standby_grid_keys(day, hour);
  if (m_view == kViewLab) return BookLab(day, hour);
  if (m_from < 0) {
    if (m_cells[s].class_index >= 0 && m_cells[s].teacher >= 0) {
      m_from = s;
      SetStatus(kChooseTarget.Get());
      Refill();
    }
    return;
  }
  int from = m_from;
  m_from = -1;
  if (from != s) {
    // What the cell shows trades places with the lesson chosen.
    int partner = m_cells[s].class_index >= 0 ? m_cells[s].lesson : -1;
    if (int moved = board_move_lesson(m_cells[from].lesson, day, hour, partner); moved == 0) {
      m_changed = true;
      // A lesson put on a teacher's reception hour takes it: he gets another
      // at once, so the week shown is the one the save keeps.
      std::vector<std::string> notes = m_mode ? RepickCoveredReceptionHours() : std::vector<std::string>{};
      std::vector<std::string> before = m_problems;
      ShowProblems(board_week_problems());
      std::string status = board_status_with_reception_notes(board_moved_text(before, m_problems), notes);
      if (!notes.empty()) {
        for (const std::string& note : notes) m_problems.push_back(note);
        ShowProblems(m_problems);
      }
      SetStatus(status.c_str());
      g_contagrullab.RefreshList();  // a waiting lab lesson shows its new hour
    } else {
      SetStatus("");
      ui_message_box(board_move_refusal(moved).c_str());
    }
  } else {
    SetStatus("");
  }
  Refill();
}

// The engine gives each teacher whose reception hour a lesson now covers
// another; the officer is told which, for the problems list and status.
std::vector<std::string> Cquadro::RepickCoveredReceptionHours() {
  TimetableView& v = g_timetable_view;
  int teachers = std::min<int>(static_cast<int>(v.real_teacher_count), kMaxTeachers);
  std::vector<std::pair<int, int>> before;
  for (int t = 0; t < teachers; ++t) before.emplace_back(v.reception[t].day, v.reception[t].hour);
  std::vector<std::string> notes;
  if (or_repick_covered_reception_hours() == 0) return notes;
  for (int t = 0; t < teachers; ++t) {
    const TimetableView::Reception& r = v.reception[t];
    if (r.day == before[std::size_t(t)].first && r.hour == before[std::size_t(t)].second) continue;
    if (or_slot_in_week(r.day, r.hour)) notes.push_back(board_reception_moved_text(t, r.day, r.hour));
  }
  return notes;
}

// The lab's hour goes to the lesson chosen, is freed (-1), or stays (-2).
void Cquadro::BookLab(int day, int hour) {
  int room = -1;
  for (int r = 0; r < g_eng_school.room_count && room < 0; ++r)
    if ((g_eng_rooms[r].lab_flag & 1) && m_name.GetLBText(m_name.GetCurSel()) == g_eng_rooms[r].name) room = r;
  if (room < 0) return;
  Cmanulab chooser(this);
  chooser.m_day = static_cast<std::int8_t>(day);
  chooser.m_hour = static_cast<std::int8_t>(hour);
  int chosen = int(chooser.DoModal());
  if (chosen == Cmanulab::kUnchanged) return;
  int held = m_cells[slot(day, hour)].class_index >= 0 ? m_cells[slot(day, hour)].lesson : -1;
  if (held >= 0 && held != chosen) {
    // Back in its class's room and waiting for a lab again.
    or_set_lesson_room(held, nullptr);
    or_set_lesson_room_setting(held, kRoomSettingNone);
  }
  if (chosen >= 0) or_next_lesson_text_at_slot(2, chosen, room, nullptr);
  m_changed = true;
  g_contagrullab.RefreshList();
  ShowProblems(board_week_problems());
  Refill();
}

void Cquadro::ChooseSupportedClass() {
  int sel = m_support.GetCurSel();
  if (m_view != kViewTeacher || m_selected < 0 || m_cells[m_selected].class_index < 0 ||
      m_cells[m_selected].flag != 2) {
    ui_message_box(kNotSupport);
    return;
  }
  if (sel < 0) return;
  or_set_support_class(m_entity, sel, m_selected / kHoursPerDay, m_selected % kHoursPerDay);
  // The click that chose the hour is not the start of a move.
  m_from = -1;
  SetStatus("");
  m_changed = true;
  Refill();
}

void Cquadro::SetReceptionHour() {
  if (m_view != kViewTeacher || m_entity < 0 || m_selected < 0) {
    ui_message_box(kNoTeacherHour);
    return;
  }
  // Parents see the teacher himself: a lab's "_LAB" stand-in or his
  // stand-in for an articulated group gets no hour (the engine writes none).
  if (!or_teacher_receives_parents(m_entity)) {
    ui_message_box(kNoReceptionForStandIn);
    return;
  }
  int day = m_selected / kHoursPerDay, hour = m_selected % kHoursPerDay;
  // The engine keeps a reception hour only where the teacher is free: one
  // on a lesson would be replaced by another hour at the save. The lessons
  // he gives an articulated group stand in another week but take him too.
  if (m_cells[m_selected].class_index >= 0) {
    ui_message_box(kNotFreeHour);
    return;
  }
  if (int lesson = or_teacher_lesson_at(m_entity, day, hour); lesson >= 0) {
    ui_message_box(stand_in_refusal(lesson, m_entity).c_str());
    return;
  }
  // Nor in an hour his own constraints close to him (not his available
  // hours, a forbidden hour, his free day): the question the stand-by
  // placement and the choice of covers ask too.
  if (or_teacher_slot_closed(m_entity, day, hour)) {
    ui_message_box(kClosedHour);
    return;
  }
  TimetableView::Reception& r = g_timetable_view.reception[m_entity];
  r.day = static_cast<std::int8_t>(day);
  r.hour = static_cast<std::int8_t>(hour);
  m_changed = true;
  Refill();
}

bool Cquadro::Save() {
  if (!m_loaded) return false;
  if (m_mode) {
    if (m_view == kViewTeacher) or_apply_grid_support_classes(m_cells);
    // The reception hours chosen are part of the save: when their file
    // cannot be written nothing else is written either.
    if (!or_apply_reception_slots()) {
      ui_message_box(kReceptionNotWritten);
      return false;
    }
  }
  std::vector<std::string> notes;
  if (!m_mode) {
    if (!board_save_week_and_reports(notes)) return false;
    std::vector<std::string> lines = board_week_problems();
    lines.insert(lines.end(), notes.begin(), notes.end());
    ShowProblems(std::move(lines));
  } else if (!board_save_timetable()) {
    return false;
  }
  if (m_mode) {
    // The week also goes to the balancing save, which the engine's second
    // board mode ("SBIL:") reads back and checks; then the reports are
    // written anew with the support hours placed.
    if (!board_save_balance_copy()) return false;
    if (og_run_engine(EngineCommandCode::Sbil) < 0) return false;
    og_record_timetable_state(or_timetable_state(0));
    if (og_run_engine(EngineCommandCode::Repo) != 0) return false;
    // The reports' load left the view without reception hours; a further
    // save would write that into "ricevi.txt". The board is prepared again
    // as on opening: the saved week read back, the reception hours with it.
    if (og_run_engine(EngineCommandCode::Rigo) != 0) return false;
    board_keep_loaded_week();
    // The tables now hold the week as the engine read it back: the list is
    // that week's.
    ShowProblems(board_week_problems());
  }
  m_changed = false;
  SetStatus(board_status_with_reception_notes(kSaved.Get(), notes).c_str());
  Refill();
  return true;
}

bool Cquadro::OnCommand(WParam w, LParam l) {
  int id = command_id(w), code = command_code(w);
  if (code == kCbnSelChange && id == kKindId) {
    m_view = m_kind.GetCurSel();
    FillNames();
    return true;
  }
  if (code == kCbnSelChange && id == kNameId) {
    ShowWeek(m_view, m_name.GetLBText(m_name.GetCurSel()).c_str());
    return true;
  }
  if (code == kCbnSelChange && id == kSupportId) {
    ChooseSupportedClass();
    return true;
  }
  if (code == kBnClicked) {
    switch (id) {
      case kSaveId: Save(); return true;
      case kReceptionId: SetReceptionHour(); return true;
      case kStandbyId: OpenStandbySummary(); return true;
      default: break;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}

// The stand-by summary writes the teacher it found into m_selected_teacher;
// the board then shows that teacher's week.
void Cquadro::OnTimer(WParam id) {
  if (id != kFollowTimer) return;
  if (m_selected_teacher == m_shown_teacher || m_selected_teacher < 0 ||
      std::uint32_t(m_selected_teacher) >= g_timetable_view.real_teacher_count)
    return;
  ShowWeek(kViewTeacher, g_timetable_view.teacher_names[m_selected_teacher]);
}

void Cquadro::CloseWindows() {
  if (g_contadispo.IsCreated()) g_contadispo.DestroyWindow();
  if (g_contagrullab.IsCreated()) g_contagrullab.DestroyWindow();
  g_contadispo.m_selected_teacher = nullptr;
}

int Cquadro::DestroyWindow() {
  // "Save" on leaving saves as the button does: on the stand-by board the
  // supported classes and reception hours too, and the reports anew.
  if (IsWindow() && !board_may_leave(m_changed, m_leaving, [this] { return Save(); })) return 0;
  m_changed = false;
  if (IsWindow()) KillTimer(kFollowTimer);
  CloseWindows();
  return CResizableDialog::DestroyWindow();
}
