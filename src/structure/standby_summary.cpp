// Behaviour and template of the stand-by summary window (see
// standby_summary.h). The caption is written only at the first fill after
// the window opens; later ticks update the cells alone. The 84 cells share
// one click rule, found from the cell's control id.
#include "structure/standby_summary.h"

#include "shell/app_startup.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/lesson_links.h"
#include "engine/timetable_view.h"
#include "engine/week_grid_access.h"
#include "platform/cp1252.h"
#include "schooldata/ui_school_model.h"
#include "shell/ml_text.h"

using namespace kt::ui;

CContadispo g_contadispo;

namespace {

const MlText kTotal = {"Ore a disposizione totali = %d", "Insgesamt Vertretungverfügbar Stunden = %d"_cp,
                       "Total Hours available for Substitutions = %d"};
const MlText kNotYet = {"Ore a disposizione non ancora assegnate", "Vertretungsstunden noch nicht zugeordnet",
                        "Hours available for substitutions not yet assigned"};

constexpr int kCellW = 22, kCellH = 11, kLeft = 22, kTop = 30;

std::vector<ControlTemplate> build_controls() {
  std::vector<ControlTemplate> c;
  c.push_back({"Static", CContadispo::kCaptionId, "Capzione Superiore", 0, 6, 4, 170, 10});
  for (int d = 0; d < 7; ++d)
    c.push_back({"Static", CContadispo::kFirstDayHeadingId + d, "", 0, kLeft + d * kCellW, kTop - 12, kCellW, 10});
  static char hours[12][3];
  for (int h = 0; h < 12; ++h) {
    std::snprintf(hours[h], sizeof hours[h], "%d", h + 1);
    c.push_back({"Static", CContadispo::kFirstHourHeadingId + h, hours[h], 0, 4, kTop + h * kCellH, 16, 10});
    for (int d = 0; d < 7; ++d)
      c.push_back({"Button", CContadispo::CellId(d, h), "", kBsPushButton | kBsOwnerDraw, kLeft + d * kCellW,
                   kTop + h * kCellH, kCellW - 1, kCellH - 1});
  }
  c.push_back({"Static", CContadispo::kHintId,
               "Potete spostare questa finestra con il mouse, o clickare un'ora per cercare le disposizioni", 0, 6,
               kTop + 12 * kCellH + 4, 170, 20});
  return c;
}

const DialogTemplate& standby_template() {
  static const std::vector<ControlTemplate> controls = build_controls();
  static const DialogTemplate t = {CContadispo::kTemplate, "Riepilogo Ore a Disposizione",
                                   kWsPopup | kWsCaption | kDsModalFrame, 0, 0, 182, kTop + 12 * kCellH + 28,
                                   controls};
  return t;
}

// The slot of a cell control, -1 for any other control.
int slot_of(int id) {
  for (int d = 0; d < 7; ++d)
    for (int h = 0; h < 12; ++h)
      if (CContadispo::CellId(d, h) == id) return d * 12 + h;
  return -1;
}

}  // namespace

int CContadispo::CellId(int day, int hour) {
  if (hour <= 8) return 1372 + 9 * day + hour;
  if (hour == 9) return day == 0 ? 1582 : 1443 + (day - 1);
  return 1969 + 2 * day + (hour - 10);
}

CContadispo::~CContadispo() {
  if (m_created) DestroyWindow();
}

int CContadispo::Create(Window* parent) {
  if (m_created) return 0;
  const DialogTemplate& t = standby_template();
  if (find_dialog_template(t.id) != &t) register_dialog_template(t);
  if (!Dialog::Create(kTemplate, parent)) return 0;
  m_created = true;
  ShowWindow(kSwShow);
  return 1;
}

int CContadispo::DestroyWindow() {
  if (!m_created) return 1;
  m_created = false;
  return CDialogML::DestroyWindow();
}

void CContadispo::OnDestroy() {
  KillTimer(kTimer);
  m_created = false;
  CDialogML::OnDestroy();
}

void CContadispo::SetOpenPoint(int x, int y) {
  m_has_point = true;
  m_x = x;
  m_y = y;
}

void CContadispo::DoDataExchange(DataExchange& dx) {
  for (int d = 0; d < 7; ++d)
    for (int h = 0; h < 12; ++h) dx.Control(CellId(d, h), m_cells[d * 12 + h]);
}

bool CContadispo::OnInitDialog() {
  CDialogML::OnInitDialog();
  if (m_has_point) {
    Rect r = GetWindowRect();
    MoveWindow(m_x - 15, m_y - 25, r.right - r.left, r.bottom - r.top);
  }
  char heading[8];
  // The grid keeps its seven days and twelve hours; the days and hours the
  // school's week lacks show no heading and their cells can't be clicked.
  int longest = 0;
  for (int d = 0; d < 7; ++d) {
    bool day_in_week = or_slot_in_week(d, 0);
    std::snprintf(heading, sizeof heading, "%2.2s", g_ui_header.day_codes[d]);
    SetDlgItemText(kFirstDayHeadingId + d, day_in_week ? heading : "");
    for (int h = 0; h < 12; ++h) {
      if (or_slot_in_week(d, h)) longest = std::max(longest, h + 1);
      if (Window* cell = GetDlgItem(CellId(d, h))) cell->EnableWindow(or_slot_in_week(d, h));
    }
  }
  for (int h = longest; h < 12; ++h) SetDlgItemText(kFirstHourHeadingId + h, "");
  // A window made again starts from its template's empty cells, not from
  // the counts its previous window showed.
  for (CColorButton& cell : m_cells) {
    cell.m_state = 0;
    cell.SetCaption("");
  }
  or_move_standby_count(-1, -1, -1, -1);
  // Only the timetable board opens the window, after telling it where the
  // teacher it finds goes; without that place the program is at fault.
  if (m_selected_teacher == nullptr) og_fatal_system_error("SW", "Contadispo", __LINE__);
  m_first_fill = true;
  Refresh();
  SetTimer(kTimer, kTimerMs);
  return true;
}

void CContadispo::OnTimer(WParam id) {
  if (id == kTimer) Refresh();
}

bool CContadispo::OnCommand(WParam w, LParam l) {
  int slot = command_code(w) == kBnClicked ? slot_of(command_id(w)) : -1;
  if (slot < 0) return CDialogML::OnCommand(w, l);
  FindStandbyTeacher(slot / 12, slot % 12);
  return true;
}

void CContadispo::Refresh() {
  int counts[84] = {};
  int total = or_count_standby_per_slot(counts);
  int marked_day = -1, marked_hour = -1;
  or_get_standby_grid_keys(&marked_day, &marked_hour);
  int marked = marked_day >= 0 && marked_day < 7 && marked_hour >= 0 && marked_hour < 12 ? marked_day * 12 + marked_hour
                                                                                          : -1;
  if (total <= 0) {
    if (m_first_fill) SetDlgItemText(kCaptionId, kNotYet.Get());
    m_first_fill = false;
    return;
  }
  if (m_first_fill) {
    char caption[96];
    std::snprintf(caption, sizeof caption, kTotal.Get(), total);
    SetDlgItemText(kCaptionId, caption);
  }
  m_first_fill = false;
  for (int s = 0; s < 84; ++s) {
    char text[8] = "";
    if (!or_slot_in_week(s / 12, s % 12)) counts[s] = 0;
    if (counts[s] > 0 || s == marked) std::snprintf(text, sizeof text, "%2d", counts[s]);
    int state = s == marked ? kMarkedState : 0;
    if (m_cells[s].Caption() != text || m_cells[s].m_state != state) {
      m_cells[s].m_state = state;
      m_cells[s].SetCaption(text);
      m_cells[s].Redraw();
    }
  }
}

void CContadispo::FindStandbyTeacher(int day, int hour) {
  if (!or_slot_in_week(day, hour) || m_selected_teacher == nullptr) return;
  int teachers = int(std::min<std::uint32_t>(+g_timetable_view.real_teacher_count, kMaxTeachers));
  if (teachers <= 0) return;
  if (day == m_last_day && hour == m_last_hour) {
    m_rotating = m_rotating + 1 >= teachers ? 0 : m_rotating + 1;
  } else {
    m_last_day = day;
    m_last_hour = hour;
  }
  if (m_rotating >= teachers) m_rotating = 0;
  static WeekGridCell grid[84];
  for (int k = 0; k < teachers; ++k) {
    int t = (m_rotating + k) % teachers;
    const char* name = g_timetable_view.teacher_names[t];
    if (name[0] == 0) continue;
    or_fill_week_grid(kGridTeacher, name, grid);
    if (grid[day * 12 + hour].flag != 1) continue;
    m_rotating = t;
    *m_selected_teacher = t;
    return;
  }
}
