// Behaviour and templates of the courses board and its two small windows
// (see courses_board.h). Every refill reads each class's week from the
// engine tables once; the cell states are computed from those copies when
// the grid paints, so a state never outlives the week it describes.
#include "board/courses_board.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "board/board_moves.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "platform/cp1252.h"
#include "platform/ui_backend.h"
#include "shell/dialog_title.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"

using namespace kt::ui;

Cqcorsi g_courses_board;
Cqclegenda g_legend;
Cquadrino g_quadrino;

namespace {

const MlText kTitle = {"Vedi Orario per Corsi (Sezioni) e Modifica Orario Manualmente",
                       "Stundenplan durch Abschnitte anzeigen um manuell zu ändern"_cp,
                       "View Timetable for Sections and change it manually"};
const MlText kClassHeading = {"Classe", "Klasse", "Class"};
const MlText kSave = {"Salva l'orario", "Stundenplan speichern", "Save the timetable"};
const MlText kLegend = {"Legenda", "Legende", "Legend"};
const MlText kChooseTarget = {"Clickare l'ora della stessa classe in cui spostare la lezione",
                              "Die Zielstunde in derselben Klasse anklicken",
                              "Click the hour of the same class to move to"};
const MlText kSaved = {"Orario salvato", "Stundenplan gespeichert", "Timetable saved"};
const MlText kLegendTitle = {"Legenda dei colori", "Legende der Farben", "Colour legend"};
const MlText kTeacherWeek = {"Settimana del docente", "Woche des Lehrers", "Teacher's week"};

constexpr int kHourColumnWidth = 60;
// A cell's text starts 5 pixels in and keeps 2 clear of the next cell.
constexpr int kCellTextInset = 7;

// Cell state bits the grid paints (bit 0 chosen, bit 1 the highlighted
// teacher's hours, bit 3 a lab hour, bit 5 a shared hour; negative: clash).
constexpr int kChosen = 1, kSameTeacher = 2, kLabHour = 8, kSharedHour = 32;

struct LegendLine {
  MlText text;
  int state;
};
const LegendLine kLegendLines[Cqclegenda::kLines] = {
    {{"Lezione scelta da spostare", "Zu verschiebende Lehrstunde", "Lesson chosen to move"}, kChosen},
    {{"Ore del docente della cella evidenziata", "Stunden des Lehrers der markierten Zelle",
      "Hours of the highlighted cell's teacher"},
     kSameTeacher},
    {{"Ora in laboratorio", "Stunde im Labor", "Hour in a laboratory"}, kLabHour},
    {{"Ora in compresenza", "Stunde mit zwei Lehrern", "Hour with two teachers"}, kSharedHour},
    {{"Docente in due classi nella stessa ora", "Lehrer in zwei Klassen zur gleichen Stunde",
      "Teacher in two classes at the same hour"},
     -1},
    {{"Cella evidenziata", "Markierte Zelle", "Highlighted cell"}, 0},
};

const ControlTemplate kControls[] = {
    {"Static", Cqcorsi::kTitleId, "", kSsLeft, 8, 4, 400, 10},
    {"Button", Cqcorsi::kSaveId, "Salva l'orario", kBsPushButton | kWsTabStop, 8, 16, 80, 16},
    {"Button", Cqcorsi::kLegendId, "Legenda", kBsPushButton | kWsTabStop, 94, 16, 60, 16},
    {"Static", Cqcorsi::kStatusId, "", kSsLeft, 162, 19, 300, 10},
    {"ListView", Cqcorsi::kGridId, "", kLvsReport | kWsBorder | kWsTabStop, 8, 36, 600, 220},
};
const DialogTemplate kTemplate = {Cqcorsi::kTemplate, "Vedi Orario per Corsi", kWsChild, 0, 0, 616, 262, kControls};

const ControlTemplate kLegendControls[] = {
    {"Static", Cqclegenda::kFirstLineId + 0, "", kSsLeft, 6, 6, 200, 10},
    {"Static", Cqclegenda::kFirstLineId + 1, "", kSsLeft, 6, 18, 200, 10},
    {"Static", Cqclegenda::kFirstLineId + 2, "", kSsLeft, 6, 30, 200, 10},
    {"Static", Cqclegenda::kFirstLineId + 3, "", kSsLeft, 6, 42, 200, 10},
    {"Static", Cqclegenda::kFirstLineId + 4, "", kSsLeft, 6, 54, 200, 10},
    {"Static", Cqclegenda::kFirstLineId + 5, "", kSsLeft, 6, 66, 200, 10},
};
const DialogTemplate kLegendTemplate = {
    Cqclegenda::kTemplate, "Legenda dei colori", kWsPopup | kWsCaption | kWsSysMenu, 0, 0, 212, 82, kLegendControls};
const ControlTemplate kQuadrinoControls[] = {
    {"ListView", Cquadrino::kGridId, "", kLvsReport | kWsBorder, 4, 4, 240, 110},
};
const DialogTemplate kQuadrinoTemplate = {
    Cquadrino::kTemplate, "Settimana del docente", kWsPopup | kWsCaption | kWsSysMenu, 0, 0, 248, 118,
    kQuadrinoControls};

void register_once(const DialogTemplate& t) {
  if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}

const char* teacher_name(int t) { return t >= 0 && t < g_eng_school.teacher_count ? g_eng_teachers[t].name : ""; }

}  // namespace

void ui_register_courses_board_templates() {
  register_once(kTemplate);
  register_once(kLegendTemplate);
  register_once(kQuadrinoTemplate);
}

int quadro_course_cell_state(int row, int column) { return g_courses_board.CellState(row, column); }
int quadro_course_cell_color(int row, int column) { return g_courses_board.CellColor(row, column); }
void quadro_course_cell_selected(CXQcLix* grid, int flag) {
  if (grid == &g_courses_board.Grid()) g_courses_board.HighlightChanged(flag);
}

void Cqcorsi::DoDataExchange(DataExchange& dx) { dx.Control(kGridId, m_grid); }

int Cqcorsi::Column(int day, int hour) const {
  for (std::size_t c = 0; c < m_slots.size(); ++c)
    if (m_slots[c] == std::pair{day, hour}) return int(c) + 2;
  return -1;
}

int Cqcorsi::Row(int class_index) const {
  for (std::size_t r = 0; r < m_classes.size(); ++r)
    if (m_classes[r] == class_index) return int(r);
  return -1;
}

const WeekGridCell& Cqcorsi::Cell(int row, int column) const {
  auto [day, hour] = m_slots.at(std::size_t(column - 2));
  return m_weeks.at(std::size_t(row))[std::size_t(day * kHoursPerDay + hour)];
}

bool Cqcorsi::HasLesson(int row, int column) const {
  if (row < 0 || row >= int(m_weeks.size()) || column < 2 || column - 2 >= int(m_slots.size())) return false;
  return Cell(row, column).class_index >= 0;
}

// The number of other rows in which the cell's teacher has a lesson in the
// same hour.
int Cqcorsi::TeacherClashes(int row, int column) const {
  int teacher = Cell(row, column).teacher, n = 0;
  if (teacher < 0) return 0;
  for (int r = 0; r < int(m_weeks.size()); ++r)
    if (r != row && HasLesson(r, column) &&
        (Cell(r, column).teacher == teacher || Cell(r, column).second_teacher == teacher))
      ++n;
  return n;
}

int Cqcorsi::CellState(int row, int column) const {
  if (!HasLesson(row, column)) return 0;
  const WeekGridCell& c = Cell(row, column);
  if (TeacherClashes(row, column) > 0) return -1;
  int state = 0;
  if (row == m_chosen_row && column == m_chosen_column) state |= kChosen;
  int hr = m_grid.HighlightRow(), hc = m_grid.HighlightColumn();
  if (HasLesson(hr, hc) && !(hr == row && hc == column) && c.teacher == Cell(hr, hc).teacher) state |= kSameTeacher;
  if (or_lesson_in_other_room(c.lesson)) state |= kLabHour;
  if (c.second_teacher >= 0) state |= kSharedHour;
  return state;
}

int Cqcorsi::CellColor(int row, int column) const {
  if (!HasLesson(row, column)) return 0;
  if (TeacherClashes(row, column) > 0) return 2;
  return Cell(row, column).second_teacher >= 0 ? 1 : 0;
}

bool Cqcorsi::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  ui_set_current_dialog_title(kTitle.Get());
  FitIntoPageArea();
  ShowGrip(false);
  SetDlgItemText(kTitleId, kTitle.Get());
  SetDlgItemText(kSaveId, kSave.Get());
  SetDlgItemText(kLegendId, kLegend.Get());
  AnchorControl(kGridId, kAnchorTopLeft, kAnchorBottomRight);
  m_changed = false;
  m_chosen_row = m_chosen_column = -1;
  m_classes.clear();
  m_slots.clear();
  m_grid.ResetSelection();
  m_loaded = board_load_timetable();
  if (!m_loaded) return true;
  int cursor = 0;
  for (int c = or_next_class_by_section(1, &cursor); c >= 0 && c < g_eng_school.real_class_count;
       c = or_next_class_by_section(0, &cursor))
    m_classes.push_back(c);
  if (m_classes.size() != std::size_t(g_eng_school.real_class_count)) {
    m_classes.clear();
    for (int c = 0; c < g_eng_school.real_class_count; ++c) m_classes.push_back(c);
  }
  m_grid.InsertColumn(0, "", kLvcfmtLeft, 12);
  m_grid.InsertColumn(1, kClassHeading.Get(), kLvcfmtLeft, 50);
  for (int d = 0; d < or_week_days(); ++d)
    for (int h = 0; h < or_day_hours(d); ++h) {
      char heading[8];
      std::snprintf(heading, sizeof heading, "%.2s%d", g_eng_school.day_codes[d], h + 1);
      m_slots.emplace_back(d, h);
      m_grid.InsertColumn(int(m_slots.size()) + 1, heading, kLvcfmtLeft, kHourColumnWidth);
    }
  for (std::size_t r = 0; r < m_classes.size(); ++r) {
    m_grid.InsertRow(int(r), "");
    m_grid.SetItemText(int(r), 1, g_eng_classes[m_classes[r]].code);
  }
  m_problems = board_week_problems();
  m_grid.quadro_course_cell_state = quadro_course_cell_state;
  m_grid.quadro_course_cell_color = quadro_course_cell_color;
  m_grid.m_on_cell_selected = [this](int, int, int flag) { quadro_course_cell_selected(&m_grid, flag); };
  Refill();
  // The hour columns share one width, that of the longest name they show
  // (lessons only move within their row, so the names stay those), and
  // never less than 60 pixels. The grid scrolls sideways.
  int width = kHourColumnWidth;
  for (int r = 0; r < m_grid.GetItemCount(); ++r)
    for (int c = 2; c < m_grid.GetColumnCount(); ++c)
      width = std::max(width, m_grid.GetStringWidth(m_grid.GetItemText(r, c)) + kCellTextInset);
  for (int c = 2; c < m_grid.GetColumnCount(); ++c) m_grid.SetColumnWidth(c, width);
  return true;
}

void Cqcorsi::Refill() {
  m_weeks.assign(m_classes.size(), std::vector<WeekGridCell>(kWeekSlots));
  for (std::size_t r = 0; r < m_classes.size(); ++r) {
    or_fill_week_grid(kGridClass, g_eng_classes[m_classes[r]].code, m_weeks[r].data());
    for (std::size_t c = 0; c < m_slots.size(); ++c)
      m_grid.SetItemText(int(r), int(c) + 2,
                         HasLesson(int(r), int(c) + 2) ? teacher_name(Cell(int(r), int(c) + 2).teacher) : "");
  }
  m_grid.Invalidate(false);
}

void Cqcorsi::HighlightChanged(int flag) {
  int row = m_grid.HighlightRow(), column = m_grid.HighlightColumn();
  if (flag == 1) {  // a right click drops the choice
    m_chosen_row = m_chosen_column = -1;
    SetDlgItemText(kStatusId, "");
  } else if (m_chosen_row >= 0 && row == m_chosen_row && column >= 2 && column != m_chosen_column) {
    auto [day, hour] = m_slots[std::size_t(column - 2)];
    int lesson = Cell(m_chosen_row, m_chosen_column).lesson;
    int partner = HasLesson(row, column) ? Cell(row, column).lesson : -1;
    m_chosen_row = m_chosen_column = -1;
    SetDlgItemText(kStatusId, "");
    if (int moved = board_move_lesson(lesson, day, hour, partner); moved == 0) {
      m_changed = true;
      std::vector<std::string> before = std::move(m_problems);
      m_problems = board_week_problems();
      SetDlgItemText(kStatusId, board_moved_text(before, m_problems).c_str());
      Refill();
    } else {
      ui_message_box(board_move_refusal(moved).c_str());
    }
  } else if (HasLesson(row, column) && Cell(row, column).teacher >= 0) {
    m_chosen_row = row;
    m_chosen_column = column;
    SetDlgItemText(kStatusId, kChooseTarget.Get());
  }
  if (HasLesson(row, column) && Cell(row, column).teacher >= 0) {
    bool first = !g_quadrino.IsWindow();
    g_quadrino.ShowTeacher(this, Cell(row, column).teacher);
    PlaceTeacherWeek(first);
  }
  m_grid.Invalidate(false);
}

// The teacher's week opens at the grid's bottom-right corner, clear of the
// class names and the first hours, and moves to the top-right corner when
// it would hide the row being worked on (a lesson moves within its row);
// otherwise it stays where the user put it.
void Cqcorsi::PlaceTeacherWeek(bool first) {
  if (!g_quadrino.IsWindow()) return;
  Rect grid = m_grid.GetWindowRect(), work = backend().WorkArea(), own = g_quadrino.GetWindowRect();
  grid = Rect{std::max(grid.left, work.left), std::max(grid.top, work.top), std::min(grid.right, work.right),
              std::min(grid.bottom, work.bottom)};
  Rect band{}, item;
  bool has_row = m_grid.HighlightRow() >= 0 && m_grid.GetItemRect(m_grid.HighlightRow(), item);
  if (has_row) {
    Rect on_screen = m_grid.ClientToScreen(item);
    band = Rect{grid.left, on_screen.top, grid.right, on_screen.bottom};
  }
  auto hides_row = [&](const Rect& r) { return has_row && r.top < band.bottom && r.bottom > band.top; };
  if (!first && !hides_row(own)) return;
  constexpr int kScrollBarRoom = 20;
  int w = own.Width(), h = own.Height();
  int x = std::max(grid.left, grid.right - kScrollBarRoom - w);
  Rect lower{x, grid.bottom - kScrollBarRoom - h, x + w, grid.bottom - kScrollBarRoom};
  int top = grid.top + m_grid.HeaderHeight() + 2;
  Rect upper{x, top, x + w, top + h};
  g_quadrino.MoveWindow(hides_row(lower) ? upper : lower);
}

// The week, the reports and the reception hours that follow it; a teacher
// given a new reception hour is named in the status line.
bool Cqcorsi::Save() {
  std::vector<std::string> notes;
  if (!m_loaded || !board_save_week_and_reports(notes)) return false;
  m_changed = false;
  SetDlgItemText(kStatusId, board_status_with_reception_notes(kSaved.Get(), notes).c_str());
  return true;
}

bool Cqcorsi::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked && command_id(w) == kSaveId) {
    Save();
    return true;
  }
  if (command_code(w) == kBnClicked && command_id(w) == kLegendId) {
    g_legend.Open(this);
    return true;
  }
  return CResizableDialog::OnCommand(w, l);
}

int Cqcorsi::DestroyWindow() {
  if (IsWindow() && !board_may_leave(m_changed, m_leaving, [this] { return Save(); })) return 0;
  m_changed = false;
  if (g_legend.IsWindow()) g_legend.Dialog::DestroyWindow();
  if (g_quadrino.IsWindow()) g_quadrino.Dialog::DestroyWindow();
  return CResizableDialog::DestroyWindow();
}

void Cqclegenda::Open(Window* owner) {
  register_once(kLegendTemplate);
  if (!IsWindow()) {
    if (!Create(kTemplate, owner)) return;
    SetWindowText(kLegendTitle.Get());
    for (int i = 0; i < kLines; ++i) SetDlgItemText(kFirstLineId + i, kLegendLines[i].text.Get());
  }
  ShowWindow(kSwShow);
}

// Each line is drawn on the colour it explains.
Color Cqclegenda::OnCtlColor(DeviceContext& dc, Window* control, CtlType type) {
  int line = control ? control->GetDlgCtrlID() - kFirstLineId : -1;
  if (type != CtlType::kStatic || line < 0 || line >= kLines) return CDialogML::OnCtlColor(dc, control, type);
  Color c = line == kLines - 1 ? rgb(255, 0, 0) : CXQcLix::StateColor(kLegendLines[line].state, false);
  dc.SetBkColor(c);
  return c;
}

void Cquadrino::DoDataExchange(DataExchange& dx) { dx.Control(kGridId, m_grid); }

void Cquadrino::ShowTeacher(Window* owner, int teacher) {
  register_once(kQuadrinoTemplate);
  if (!IsWindow()) {
    if (!Create(kTemplate, owner)) return;
    SetWindowText(kTeacherWeek.Get());
    m_grid.InsertColumn(0, "", kLvcfmtLeft, 24);
    for (int d = 0; d < or_week_days(); ++d)
      m_grid.InsertColumn(d + 1, std::string(g_eng_school.day_codes[d], strnlen(g_eng_school.day_codes[d], 2)),
                          kLvcfmtLeft, 44);
  }
  m_teacher = teacher;
  WeekGridCell week[kWeekSlots];
  or_fill_week_grid(kGridTeacher, teacher_name(teacher), week);
  m_grid.DeleteAllItems();
  for (int h = 0; h < g_eng_run.longest_day && h < kHoursPerDay; ++h) {
    m_grid.InsertItem(h, std::to_string(h + 1));
    for (int d = 0; d < or_week_days(); ++d) {
      const WeekGridCell& c = week[d * kHoursPerDay + h];
      m_grid.SetItemText(h, d + 1, c.class_index >= 0 ? g_eng_classes[c.class_index].code : "");
    }
  }
  char title[64];
  std::snprintf(title, sizeof title, "%s - %s", kTeacherWeek.Get(), teacher_name(teacher));
  SetWindowText(title);
  ShowWindow(kSwShowNoActivate);
}
