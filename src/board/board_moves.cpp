// Loading, moving, saving and leaving for the timetable boards (see
// board_moves.h). A move is checked on copies first (the class's and the
// second teacher's grids), then applied by the engine's grid matcher; when
// the matcher cannot place every lesson of the teacher, the teacher's
// lessons go back to the hours they had, so a refused move leaves the week
// exactly as it was.
#include "board/board_moves.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/placement_services.h"
#include "engine/save_files.h"
#include "engine/status_block.h"
#include "platform/cp1252.h"
#include "schooldata/model_utilities.h"
#include "shell/engine_commands.h"
#include "solver/timetable_state.h"
#include "shell/message_box.h"
#include "structure/unsaved_changes_prompt.h"

const MlText g_board_move_refused = {
    "Spostamento non possibile: nell'ora scelta la classe o il docente sono già impegnati."_cp,
    "Verschiebung nicht möglich: in der gewählten Stunde sind die Klasse oder der Lehrer schon besetzt."_cp,
    "This move is not possible: the class or the teacher is already busy at the chosen hour."};

namespace {

const MlText kSaveFailed = {"Salvataggio dell'orario non riuscito.", "Speichern des Stundenplanes fehlgeschlagen.",
                            "The timetable could not be saved."};
const MlText kCalendarFull = {"Le ore dei calendari speciali non trovano posto nella settimana.",
                              "Die Stunden der besonderen Kalender finden keinen Platz in der Woche.",
                              "The hours of the special calendars do not fit into the week."};

int slot(int day, int hour) { return day * kHoursPerDay + hour; }

// The lesson of a grid cell, -1 for a free cell.
int cell_lesson(const WeekGridCell* grid, int s) { return grid[s].class_index >= 0 ? grid[s].lesson : -1; }

const char* teacher_name(int t) { return t >= 0 && t < g_eng_school.teacher_count ? g_eng_teachers[t].name : ""; }

}  // namespace

bool board_load_timetable() {
  if (og_run_engine(EngineCommandCode::Snod) != 0) return false;
  board_keep_loaded_week();
  return true;
}

namespace {
// The week as last loaded or saved: a move rewrites both placement copies
// of the engine, so the board keeps its own.
std::vector<std::uint16_t> g_loaded_week;
}  // namespace

void board_keep_loaded_week() {
  or_keep_placement(1);
  g_loaded_week.assign(g_current_placement, g_current_placement + g_eng_school.lesson_count);
}

void board_restore_loaded_week() {
  if (g_loaded_week.size() != static_cast<std::size_t>(g_eng_school.lesson_count)) return;
  std::copy(g_loaded_week.begin(), g_loaded_week.end(), g_current_placement);
  or_keep_placement(0);
}

namespace {

struct Planned {
  int lesson;
  int to;  // the slot it goes to
};

// Where a lesson stands once the plan is carried out.
int planned_slot(const std::vector<Planned>& plan, int lesson) {
  for (const Planned& p : plan)
    if (p.lesson == lesson) return p.to;
  const EngineLesson& l = g_eng_lessons[lesson];
  return or_lesson_placed(lesson) ? slot(l.day, l.hour) : -1;
}

// Every lesson of the grid's entity that will stand on the slot, besides
// `lesson`, must be leaving it; a second lesson arriving there is a clash.
bool slot_free_after(const WeekGridCell* grid, const std::vector<Planned>& plan, int lesson, int s) {
  int occupant = cell_lesson(grid, s);
  if (occupant >= 0 && occupant != lesson && planned_slot(plan, occupant) == s) return false;
  for (const Planned& p : plan)
    if (p.lesson != lesson && p.to == s) {
      // Another planned lesson arrives there: a clash when it shares this grid's entity.
      for (int t = 0; t < kWeekSlots; ++t)
        if (cell_lesson(grid, t) == p.lesson) return false;
    }
  return true;
}

bool movable(int lesson) {
  if (lesson < 0 || lesson >= g_eng_school.lesson_count || !or_lesson_placed(lesson)) return false;
  int t = g_eng_lessons[lesson].teacher;
  return t >= 0 && t < g_eng_school.teacher_count && !or_is_calendar_teacher(t);
}

bool plan_fits(const std::vector<Planned>& plan) {
  WeekGridCell grid[kWeekSlots];
  for (const Planned& p : plan) {
    const EngineLesson& l = g_eng_lessons[p.lesson];
    if (!or_slot_in_week(p.to / kHoursPerDay, p.to % kHoursPerDay)) return false;
    if (!or_is_pseudo_class(l.class_index)) {
      or_fill_week_grid(kGridClass, g_eng_classes[l.class_index].code, grid);
      if (!slot_free_after(grid, plan, p.lesson, p.to)) return false;
    }
    or_fill_week_grid(kGridTeacher, teacher_name(l.teacher), grid);
    if (!slot_free_after(grid, plan, p.lesson, p.to)) return false;
    if (or_lesson_has_second(p.lesson)) {
      or_fill_week_grid(kGridTeacher, teacher_name(l.second_teacher), grid);
      if (!slot_free_after(grid, plan, p.lesson, p.to)) return false;
    }
  }
  return true;
}

// Carries the plan out teacher by teacher through the engine's grid
// matchers; false when one of them cannot place every lesson.
bool apply_plan(const std::vector<Planned>& plan) {
  std::vector<int> teachers;
  for (const Planned& p : plan)
    if (std::find(teachers.begin(), teachers.end(), g_eng_lessons[p.lesson].teacher) == teachers.end())
      teachers.push_back(g_eng_lessons[p.lesson].teacher);
  for (int t : teachers) {
    WeekGridCell grid[kWeekSlots], moved[kWeekSlots];
    or_fill_week_grid(kGridTeacherLeads, teacher_name(t), grid);
    std::memcpy(static_cast<void*>(moved), grid, sizeof grid);
    for (const Planned& p : plan) {
      if (g_eng_lessons[p.lesson].teacher != t) continue;
      int from = planned_slot({}, p.lesson);
      if (cell_lesson(moved, from) == p.lesson) {
        moved[from].class_index = -1;
        moved[from].lesson = -1;
      }
      moved[p.to] = grid[from];
    }
    int shared = -1;
    for (const Planned& p : plan)
      if (g_eng_lessons[p.lesson].teacher == t && or_lesson_has_second(p.lesson)) shared = p.lesson;
    int result = 0;
    if (shared >= 0) {
      int room = or_lesson_room_setting(shared) >= 0 ? or_lesson_room_setting(shared) : -1;
      result = or_check_shared_lessons_fit_grid(t, g_eng_lessons[shared].second_teacher, room, moved);
    } else {
      result = or_check_lessons_fit_grid(t, moved);
    }
    if (result != 0) return false;
  }
  for (const Planned& p : plan)
    if (planned_slot({}, p.lesson) != p.to) return false;
  return true;
}

}  // namespace

int board_move_lesson(int lesson, int day, int hour) {
  if (!movable(lesson) || !or_slot_in_week(day, hour)) return -1;
  const EngineLesson& l = g_eng_lessons[lesson];
  int from = slot(l.day, l.hour), to = slot(day, hour);
  if (from == to) return 0;
  // What stands at the target: the teacher's own lesson trades places with
  // the moved one, and so does the class's lesson of another teacher.
  WeekGridCell grid[kWeekSlots];
  std::vector<Planned> plan = {{lesson, to}};
  or_fill_week_grid(kGridTeacherLeads, teacher_name(l.teacher), grid);
  int own = cell_lesson(grid, to);
  if (own >= 0) plan.push_back({own, from});
  if (!or_is_pseudo_class(l.class_index)) {
    or_fill_week_grid(kGridClass, g_eng_classes[l.class_index].code, grid);
    int held = cell_lesson(grid, to);
    if (held >= 0 && held != own) plan.push_back({held, from});
  }
  for (const Planned& p : plan)
    if (!movable(p.lesson)) return -1;
  // A lesson shared with a second teacher moves only on its own: the
  // shared-lesson matcher places that pair's lessons and no other.
  for (const Planned& p : plan)
    if (or_lesson_has_second(p.lesson) && plan.size() > 1) return -1;
  if (!plan_fits(plan)) return -1;

  // The involved teachers' lessons as they are, to undo a failed match.
  std::vector<std::pair<int, std::uint16_t>> before;
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    for (const Planned& p : plan)
      if (g_eng_lessons[i].teacher == g_eng_lessons[p.lesson].teacher) {
        before.emplace_back(i, or_lesson_place_value(i));
        break;
      }
  if (!apply_plan(plan)) {
    for (const auto& [i, place] : before) or_place_lesson_everywhere(i, place & 0xFF, place >> 8);
    return -1;
  }
  // The stand-by count cache follows every stand-by hour that moved.
  for (const Planned& p : plan)
    if (g_eng_lessons[p.lesson].standby_marker == 1) {
      int back = p.lesson == lesson ? from : to;
      or_move_standby_count(p.to / kHoursPerDay, p.to % kHoursPerDay, back / kHoursPerDay, back % kHoursPerDay);
    }
  return 0;
}

bool board_save_timetable() {
  g_status.message[0] = '\0';
  int result = or_commit_placement(0);
  if (result == 0) {
    board_keep_loaded_week();
    // A week edited by hand: its state as it stands now.
    og_record_timetable_state(or_evaluate_timetable_state());
    return true;
  }
  if (result == -11)
    ui_message_box(kCalendarFull);
  else
    ui_message_box(g_status.message[0] ? g_status.message : kSaveFailed.Get());
  return false;
}

bool board_save_balance_copy() {
  g_status.message[0] = '\0';
  try {
    or_save_timetable(kSaveBalance);
  } catch (const EngineFileError&) {
    ui_message_box(g_status.message[0] ? g_status.message : kSaveFailed.Get());
    return false;
  } catch (const EngineError&) {
    ui_message_box(g_status.message[0] ? g_status.message : kSaveFailed.Get());
    return false;
  }
  return true;
}

bool board_may_leave(bool changed, bool& asking) {
  if (!changed || asking) return true;
  asking = true;
  bool leave = false;
  switch (ui_ask_unsaved_changes()) {
    case 1: leave = board_save_timetable(); break;
    case 2: board_restore_loaded_week(); leave = true; break;
    default: break;
  }
  asking = false;
  return leave;
}
