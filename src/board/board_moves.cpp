// Loading, moving, saving and leaving for the timetable boards (see
// board_moves.h). A move is a plan (the lesson, the one it trades places
// with, the lessons held jointly with either), checked first on the two
// hours it touches with the engine's pair rule, then applied by the
// engine's grid matchers teacher by teacher; when a matcher cannot place
// every lesson of its teacher, the teachers' lessons go back to the hours
// they had, so a refused move leaves the week exactly as it was. A move
// costs a few walks over the lessons (a few thousand at most).
#include "board/board_moves.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "engine/engine_main.h"
#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/model_post_passes.h"
#include "engine/placement_check.h"
#include "engine/placement_services.h"
#include "engine/presolve.h"
#include "engine/reception_exemption_files.h"
#include "engine/save_files.h"
#include "engine/standby_support.h"
#include "engine/report_services.h"
#include "engine/special_calendars.h"
#include "engine/status_block.h"
#include "platform/cp1252.h"
#include "schooldata/model_utilities.h"
#include "shell/engine_commands.h"
#include "solver/cost_evaluation.h"
#include "solver/violation_reporter.h"
#include "solver/timetable_state.h"
#include "shell/message_box.h"
#include "structure/unsaved_changes_prompt.h"

const MlText g_board_move_refused = {
    "Spostamento non possibile: nell'ora scelta la classe o il docente sono già impegnati."_cp,
    "Verschiebung nicht möglich: in der gewählten Stunde sind die Klasse oder der Lehrer schon besetzt."_cp,
    "This move is not possible: the class or the teacher is already busy at the chosen hour."};
const MlText g_board_room_taken = {
    "Spostamento non possibile: nell'ora scelta l'aula o il laboratorio della lezione è già occupato."_cp,
    "Verschiebung nicht möglich: in der gewählten Stunde ist der Raum oder das Labor der Lehrstunde schon besetzt."_cp,
    "This move is not possible: the lesson's room or lab is already taken at the chosen hour."};

const MlText g_board_joint_class_busy = {
    "Spostamento non possibile: la lezione si tiene insieme alla classe %s, e nell'ora scelta quella classe o il suo docente sono già impegnati."_cp,
    "Verschiebung nicht möglich: die Lehrstunde wird gemeinsam mit der Klasse %s gehalten, und in der gewählten Stunde sind diese Klasse oder ihr Lehrer schon besetzt."_cp,
    "This move is not possible: the lesson is held together with class %s, and that class or its teacher is already busy at the chosen hour."};

namespace {
// The class of the jointly held lesson that could not go along in the last
// refused move.
std::string g_refused_joint_class;
}  // namespace

std::string board_move_refusal(int result) {
  if (result == kBoardRoomTaken) return g_board_room_taken.Get();
  if (result != kBoardJointClassBusy) return g_board_move_refused.Get();
  char text[400];
  std::snprintf(text, sizeof text, g_board_joint_class_busy.Get(), g_refused_joint_class.c_str());
  return text;
}

namespace {

const MlText kSaveFailed = {"Salvataggio dell'orario non riuscito.", "Speichern des Stundenplanes fehlgeschlagen.",
                            "The timetable could not be saved."};
const MlText kCalendarFull = {"Le ore dei calendari speciali non trovano posto nella settimana.",
                              "Die Stunden der besonderen Kalender finden keinen Platz in der Woche.",
                              "The hours of the special calendars do not fit into the week."};

const MlText kMoved = {"Lezione spostata", "Lehrstunde verschoben", "Lesson moved"};
const MlText kMovedBreaks = {"Lezione spostata: ora l'orario viola %s", "Lehrstunde verschoben: der Stundenplan verletzt nun %s",
                             "Lesson moved: the timetable now breaks %s"};
const MlText kMore = {" (e altri %d)", " (und %d weitere)", " (and %d more)"};
const MlText kReceptionMoved = {
    "Ora di ricevimento di %s spostata a %s, %d^ ora: quella di prima è ora occupata da una lezione."_cp,
    "Sprechstunde von %s verlegt auf %s, %d. Stunde: die bisherige ist nun durch eine Lehrstunde belegt."_cp,
    "Reception hour of %s moved to %s, hour %d: the previous one now holds a lesson."};

int slot(int day, int hour) { return day * kHoursPerDay + hour; }

constexpr int kClashRoom = 2;  // or_lesson_clash: the two share a room

// Whether two lessons share a teacher in any role (a room clash is told
// before the teachers are looked at).
bool share_teacher(int a, int b) {
  const EngineLesson& x = g_eng_lessons[a];
  const EngineLesson& y = g_eng_lessons[b];
  int xs = or_lesson_has_second(a) ? x.second_teacher.get() : -1, ys = or_lesson_has_second(b) ? y.second_teacher.get() : -1;
  return x.teacher == y.teacher || (xs >= 0 && (xs == y.teacher || xs == ys)) || (ys >= 0 && ys == x.teacher);
}

// The lesson of a grid cell, -1 for a free cell.
int cell_lesson(const WeekGridCell* grid, int s) { return grid[s].class_index >= 0 ? grid[s].lesson : -1; }

const char* teacher_name(int t) { return t >= 0 && t < g_eng_school.teacher_count ? g_eng_teachers[t].name : ""; }

}  // namespace

bool board_load_timetable() {
  // A save the engine had to take over (written before the teaching posts
  // changed, or damaged) has been told, saved again and loaded: that week
  // is the one to show.
  std::int32_t result = og_run_engine(EngineCommandCode::Snod);
  if (result != 0 && result != kResultRecovered) return false;
  board_keep_loaded_week();
  return true;
}

namespace {
// The week as last loaded or saved: a move rewrites both placement copies
// of the engine, so the board keeps its own, with the pseudo-class (and its
// room) of every stand-by and support hour, which a move may change.
std::vector<std::uint16_t> g_loaded_week;
std::vector<std::pair<int, int>> g_loaded_pseudo_classes;
}  // namespace

void board_keep_loaded_week() {
  or_keep_placement(1);
  g_loaded_week.assign(g_current_placement, g_current_placement + g_eng_school.lesson_count);
  g_loaded_pseudo_classes.clear();
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    g_loaded_pseudo_classes.emplace_back(g_eng_lessons[i].class_index, g_eng_lessons[i].room);
}

void board_restore_loaded_week() {
  std::size_t n = static_cast<std::size_t>(g_eng_school.lesson_count);
  if (g_loaded_week.size() != n || g_loaded_pseudo_classes.size() != n) return;
  bool moved_class = false;
  for (std::size_t i = 0; i < n; ++i) {
    EngineLesson& l = g_eng_lessons[i];
    if (l.standby_marker == 0 || l.class_index == g_loaded_pseudo_classes[i].first) continue;
    l.class_index = g_loaded_pseudo_classes[i].first;
    l.room = g_loaded_pseudo_classes[i].second;
    moved_class = true;
  }
  if (moved_class) or_count_hours(0);
  std::copy(g_loaded_week.begin(), g_loaded_week.end(), g_current_placement);
  or_keep_placement(0);
}

namespace {

struct Planned {
  int lesson;
  int to;             // the slot it goes to
  int to_class = -1;  // a stand-by hour's new pseudo-class, -1 its own
  int to_room = -1;
  bool along = false;  // held jointly with a lesson the officer moves
};

int slot_of(int lesson) {
  const EngineLesson& l = g_eng_lessons[lesson];
  return or_lesson_placed(lesson) && l.day < kDays && l.hour < kHoursPerDay ? slot(l.day, l.hour) : -1;
}

bool in_plan(const std::vector<Planned>& plan, int lesson) {
  for (const Planned& p : plan)
    if (p.lesson == lesson) return true;
  return false;
}

bool movable(int lesson) {
  if (lesson < 0 || lesson >= g_eng_school.lesson_count || !or_lesson_placed(lesson)) return false;
  int t = g_eng_lessons[lesson].teacher;
  return t >= 0 && t < g_eng_school.teacher_count && !or_is_calendar_teacher(t);
}

// The lessons held jointly with a planned one in its hour go to the same
// hour.
void add_joint_partners(std::vector<Planned>& plan) {
  for (std::size_t i = 0; i < plan.size(); ++i)
    for (int j : or_joint_lessons_in_slot(plan[i].lesson))
      if (!in_plan(plan, j)) plan.push_back({j, plan[i].to, -1, -1, true});
}

// The lessons that will stand on the slot once the plan is carried out;
// the special-calendar fillers are left out (they take the free hours of
// their class again when the week is evaluated or saved).
std::vector<int> after_plan(const std::vector<Planned>& plan, int s) {
  std::vector<int> there;
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (slot_of(i) == s && !in_plan(plan, i) && !or_is_calendar_teacher(g_eng_lessons[i].teacher)) there.push_back(i);
  for (const Planned& p : plan)
    if (p.to == s) there.push_back(p.lesson);
  return there;
}

// A stand-by or support hour whose pseudo-class holds another such hour at
// its new slot changes pseudo-class, as the packing of those hours would.
bool choose_pseudo_classes(std::vector<Planned>& plan) {
  std::vector<int> leaving;
  for (const Planned& p : plan) leaving.push_back(p.lesson);
  for (Planned& p : plan) {
    const EngineLesson& l = g_eng_lessons[p.lesson];
    if (l.standby_marker == 0) continue;
    bool taken = false;
    for (int other : after_plan(plan, p.to)) taken = taken || (other != p.lesson && g_eng_lessons[other].class_index == l.class_index);
    if (taken && !or_free_standby_class(p.lesson, p.to, leaving, p.to_class, p.to_room)) return false;
  }
  return true;
}

// The engine's pair rule (a class or a room unless held jointly, a teacher,
// a second teacher) over the two slots the plan touches, with each planned
// stand-by hour in the pseudo-class it would go to: 0 when nothing clashes,
// kBoardRoomTaken when only rooms do (the officer is told it is the room,
// not a class or a teacher), kBoardJointClassBusy when every other clash
// is one of a lesson going along as held jointly (its class is noted for
// the message), -1 otherwise.
int plan_fits(const std::vector<Planned>& plan) {
  struct Kept {
    int lesson, klass, room;
  };
  std::vector<Kept> kept;
  for (const Planned& p : plan)
    if (p.to_class >= 0) {
      EngineLesson& l = g_eng_lessons[p.lesson];
      kept.push_back({p.lesson, l.class_index, l.room});
      l.class_index = p.to_class;
      l.room = p.to_room;
    }
  auto along = [&plan](int lesson) {
    for (const Planned& p : plan)
      if (p.lesson == lesson) return p.along;
    return false;
  };
  bool busy = false, room_taken = false;
  int joint_busy = -1;  // a lesson going along that clashes, when only such do
  std::vector<int> slots;
  for (const Planned& p : plan)
    if (std::find(slots.begin(), slots.end(), p.to) == slots.end()) slots.push_back(p.to);
  for (int s : slots) {
    std::vector<int> there = after_plan(plan, s);
    for (std::size_t a = 0; a < there.size() && !busy; ++a)
      for (std::size_t b = a + 1; b < there.size() && !busy; ++b)
        for (int clash : {or_lesson_clash(there[a], there[b]), or_lesson_clash(there[b], there[a])}) {
          bool hard = (clash != 0 && clash != kClashRoom) || (clash == kClashRoom && share_teacher(there[a], there[b]));
          room_taken = room_taken || clash == kClashRoom;
          if (!hard) continue;
          int joint = along(there[a]) ? there[a] : along(there[b]) ? there[b] : -1;
          if (joint >= 0)
            joint_busy = joint;
          else
            busy = true;
        }
  }
  for (const Kept& k : kept) {
    g_eng_lessons[k.lesson].class_index = k.klass;
    g_eng_lessons[k.lesson].room = k.room;
  }
  if (busy) return -1;
  if (joint_busy >= 0) {
    int c = g_eng_lessons[joint_busy].class_index;
    g_refused_joint_class.clear();
    if (c >= 0 && c < g_eng_school.class_count)
      g_refused_joint_class.assign(g_eng_classes[c].code, strnlen(g_eng_classes[c].code, sizeof g_eng_classes[c].code));
    return kBoardJointClassBusy;
  }
  return room_taken ? kBoardRoomTaken : 0;
}

// Carries the plan out teacher by teacher through the engine's grid
// matchers, then puts each planned lesson in its hour: the matchers take
// lessons of one class as interchangeable, so a swap of two lessons of one
// teacher in one class leaves them where they were. False when a matcher
// cannot place every lesson of its teacher.
bool apply_plan(const std::vector<Planned>& plan) {
  // Every lesson of a plan leaves a slot of the week: one without (unplaced,
  // or a day or hour past the week's grid) cannot be moved from it.
  for (const Planned& p : plan)
    if (slot_of(p.lesson) < 0 || p.to < 0 || p.to >= kWeekSlots) return false;
  std::vector<int> teachers;
  for (const Planned& p : plan)
    if (std::find(teachers.begin(), teachers.end(), g_eng_lessons[p.lesson].teacher) == teachers.end())
      teachers.push_back(g_eng_lessons[p.lesson].teacher);
  for (int t : teachers) {
    WeekGridCell grid[kWeekSlots], moved[kWeekSlots];
    or_fill_week_grid(kGridTeacherLeads, teacher_name(t), grid);
    std::memcpy(static_cast<void*>(moved), grid, sizeof grid);
    for (const Planned& p : plan) {
      int from = slot_of(p.lesson);
      if (from >= 0 && g_eng_lessons[p.lesson].teacher == t && cell_lesson(moved, from) == p.lesson) {
        moved[from].class_index = -1;
        moved[from].lesson = -1;
      }
    }
    for (const Planned& p : plan) {
      int from = slot_of(p.lesson);
      if (from >= 0 && g_eng_lessons[p.lesson].teacher == t) moved[p.to] = grid[from];
    }
    int shared = -1;
    for (const Planned& p : plan)
      if (g_eng_lessons[p.lesson].teacher == t && or_lesson_has_second(p.lesson)) shared = p.lesson;
    if (shared >= 0) {
      int room = or_lesson_room_setting(shared) >= 0 ? or_lesson_room_setting(shared) : -1;
      if (or_check_shared_lessons_fit_grid(t, g_eng_lessons[shared].second_teacher, room, moved) != 0) return false;
    }
    if (or_check_lessons_fit_grid(t, moved) != 0) return false;
  }
  for (const Planned& p : plan) {
    or_place_lesson_everywhere(p.lesson, p.to / kHoursPerDay, p.to % kHoursPerDay);
    if (p.to_class >= 0) {
      g_eng_lessons[p.lesson].class_index = p.to_class;
      g_eng_lessons[p.lesson].room = p.to_room;
    }
  }
  return true;
}

}  // namespace

int board_move_lesson(int lesson, int day, int hour, int partner) {
  if (!movable(lesson) || !or_slot_in_week(day, hour)) return -1;
  int from = slot_of(lesson), to = slot(day, hour);
  if (from == to || partner == lesson) return 0;
  std::vector<Planned> plan = {{lesson, to}};
  if (partner >= 0) {
    if (!movable(partner) || slot_of(partner) != to) return -1;
    plan.push_back({partner, from});
  }
  add_joint_partners(plan);
  for (const Planned& p : plan)
    if (!movable(p.lesson)) return -1;
  if (!choose_pseudo_classes(plan)) return -1;
  if (int fits = plan_fits(plan); fits != 0) return fits;

  // The involved teachers' lessons as they are, to undo a failed match.
  struct Before {
    int lesson;
    std::uint16_t place;
    int klass, room;
  };
  std::vector<Before> before;
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    for (const Planned& p : plan)
      if (g_eng_lessons[i].teacher == g_eng_lessons[p.lesson].teacher || i == p.lesson) {
        before.push_back({i, or_lesson_place_value(i), g_eng_lessons[i].class_index, g_eng_lessons[i].room});
        break;
      }
  std::vector<int> old_slots;
  for (const Planned& p : plan) old_slots.push_back(slot_of(p.lesson));
  if (!apply_plan(plan)) {
    for (const Before& b : before) {
      or_place_lesson_everywhere(b.lesson, b.place & 0xFF, b.place >> 8);
      g_eng_lessons[b.lesson].class_index = b.klass;
      g_eng_lessons[b.lesson].room = b.room;
    }
    return -1;
  }
  bool new_class = false;
  for (const Planned& p : plan) new_class = new_class || p.to_class >= 0;
  if (new_class) or_count_hours(0);
  // The stand-by count cache follows every stand-by hour that moved.
  for (std::size_t i = 0; i < plan.size(); ++i)
    if (g_eng_lessons[plan[i].lesson].standby_marker == 1) {
      int to_slot = plan[i].to, back = old_slots[i];
      or_move_standby_count(to_slot / kHoursPerDay, to_slot % kHoursPerDay, back / kHoursPerDay, back % kHoursPerDay);
    }
  return 0;
}

std::vector<std::string> board_week_problems() {
  std::vector<std::string> lines;
  g_status.message[0] = '\0';
  unsigned char suppressed = g_residual_log_suppressed;
  g_residual_log_suppressed = 1;  // the residual-errors file is the runs' own
  try {
    or_prepare_model_for_solving();  // once per load; the check's own step
    or_place_calendar_lessons();
    or_rebuild_grids_and_evaluate();
    g_eng_run.report_mode = 1;
    or_evaluate_all_constraints(1);
    g_eng_run.report_mode = 0;
    int n = std::clamp(g_status.violation_count.load(), 0, kMaxViolationRecords);
    for (int i = 0; i < n; ++i) lines.push_back(or_violation_text(g_status.violations[i], true));
  } catch (const EngineError&) {
    g_eng_run.report_mode = 0;
    lines.assign(1, std::string(g_status.message, strnlen(g_status.message, kMessageSize)));
  }
  g_residual_log_suppressed = suppressed;
  return lines;
}

std::string board_moved_text(const std::vector<std::string>& before, const std::vector<std::string>& after) {
  std::vector<std::string> left = before, added;
  for (const std::string& line : after) {
    auto at = std::find(left.begin(), left.end(), line);
    if (at != left.end()) left.erase(at);
    else added.push_back(line);
  }
  if (added.empty()) return kMoved.Get();
  char text[400];
  std::snprintf(text, sizeof text, kMovedBreaks.Get(), added.front().c_str());
  std::string out = text;
  if (added.size() > 1) {
    std::snprintf(text, sizeof text, kMore.Get(), int(added.size() - 1));
    out += text;
  }
  return out;
}

bool board_save_timetable() {
  g_status.message[0] = '\0';
  // Tables that show the lessons only would write a week without the
  // stand-by and support hours placed on the stand-by board, and without
  // the class each support hour supports: the save carries them over.
  try {
    or_set_aside_standby_lines();
  } catch (const EngineError&) {
    ui_message_box(g_status.message[0] ? g_status.message : kSaveFailed.Get());
    return false;
  }
  int result = or_commit_placement(0);
  if (result != 0) or_drop_set_aside_standby_lines();
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

std::string board_reception_moved_text(int teacher, int day, int hour) {
  const char* name = teacher >= 0 && teacher < g_eng_school.teacher_count ? g_eng_teachers[teacher].name : "?";
  std::string day_name = day >= 0 && day < kDays ? std::string(g_eng_school.day_names[day], strnlen(g_eng_school.day_names[day], sizeof g_eng_school.day_names[day])) : "?";
  char text[400];
  std::snprintf(text, sizeof text, kReceptionMoved.Get(), name, day_name.c_str(), hour + 1);
  return text;
}

std::string board_status_with_reception_notes(std::string status, const std::vector<std::string>& notes) {
  // Each note is a sentence with its own full stop: only a status that has
  // none yet gets one before the next.
  for (const std::string& note : notes) {
    if (note.empty()) continue;
    if (!status.empty()) status += status.back() == '.' ? " " : ". ";
    status += note;
  }
  return status;
}

bool board_save_week_and_reports(std::vector<std::string>& notes) {
  notes.clear();
  // The reception hours as saved before: the teachers given another one by
  // the reports' run are named to the officer.
  int teachers = std::min(g_eng_school.teacher_count, kMaxTeachers);
  std::vector<std::pair<int, int>> before(static_cast<std::size_t>(std::max(teachers, 0)), {255, 0});
  if (!board_save_timetable()) return false;
  for (int t = 0; t < teachers; ++t) g_eng_teachers[t].reset_marker = 255;
  g_status.message[0] = '\0';
  try {
    if (or_read_reception_slots() >= 0)
      for (int t = 0; t < teachers; ++t)
        before[std::size_t(t)] = {g_eng_teachers[t].reset_marker, g_eng_teachers[t].reception_hour};
  } catch (const EngineFileError&) {
    // "ricevi.txt" not read whole: the officer is told which file, and no
    // teacher is named as given a new hour against a table cut short.
    ui_message_box(g_status.message);
  } catch (const EngineError&) {
  }
  // "REPO:" writes the reports for the saved week and, as on the stand-by
  // board's save, gives a teacher whose reception hour a lesson now covers
  // another one in "ricevi.txt"; its load replaced the tables, so the saved
  // week is loaded again as on opening.
  bool written = og_run_engine(EngineCommandCode::Repo) == 0;
  if (written) {
    for (int t = 0; t < teachers; ++t) {
      const EngineTeacher& x = g_eng_teachers[t];
      auto [day, hour] = before[std::size_t(t)];
      if (day >= kDays || hour >= kHoursPerDay || !or_teacher_receives_parents(t)) continue;
      if (x.reset_marker == day && x.reception_hour == hour) continue;
      if (!or_teacher_in_class_at(t, day, hour)) continue;
      if (x.reset_marker < kDays) notes.push_back(board_reception_moved_text(t, x.reset_marker, x.reception_hour));
    }
  }
  // A failed run or reload has shown the engine's message; the week itself
  // is saved, and the tables hold it either way.
  board_load_timetable();
  return true;
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

bool board_may_leave(bool changed, bool& asking, const std::function<bool()>& save) {
  if (!changed || asking) return true;
  asking = true;
  bool leave = false;
  switch (ui_ask_unsaved_changes()) {
    case 1: leave = save(); break;
    case 2: board_restore_loaded_week(); leave = true; break;
    default: break;
  }
  asking = false;
  return leave;
}
