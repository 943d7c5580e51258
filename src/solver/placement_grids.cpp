// Class and teacher week grids, the class-gap test and the whole-timetable
// copies of the placement.
//
// The grids are derived data: they are rebuilt from the lesson table after
// every change of the live placement that the caller keeps. A rebuild that
// finds one class or one teacher booked twice in a slot ends the command
// through the critical-error reporter: such a timetable is never priced or
// saved. Lessons of one class that are in each other's joint list share a
// slot by design; the class grid keeps the first of them.
//
// Workload: the full rebuild runs once per kept move of the search (a few
// thousand lessons); the per-class and per-teacher rebuilds run inside moves.
#include <initializer_list>
#include <cstdio>
#include <cstring>

#include "solver/cost_evaluation.h"
#include "solver/placement_state.h"

std::uint16_t g_best_placement[kMaxLessons];
std::uint16_t g_stage_placement[kMaxLessons];
std::uint16_t g_stage_best_placement[kMaxLessons];
EngineCounter g_best_score;
EngineCounter g_kept_score;

namespace {

bool joint_pair(int a, int b) {
  for (int x : {a, b}) {
    const EngineLesson& l = g_eng_lessons[x];
    int other = x == a ? b : a;
    int n = l.joint_count < 0 ? 0 : (l.joint_count > kMaxJointLessons ? kMaxJointLessons : l.joint_count);
    for (int i = 0; i < n; ++i)
      if (l.joint_lessons[i] == other) return true;
  }
  return false;
}

void clear_class_grid(EngineClass& c) {
  std::memset(c.week_grid, 0xFF, sizeof(c.week_grid));
  std::memset(c.teacher_grid, 0xFF, sizeof(c.teacher_grid));
}

void clear_teacher_grid(EngineTeacher& t) {
  std::memset(t.class_per_slot, 0xFF, sizeof(t.class_per_slot));
  std::memset(t.lesson_per_slot, 0xFF, sizeof(t.lesson_per_slot));
}

bool slot_valid(int l) {
  const EngineLesson& x = g_eng_lessons[l];
  return x.day < kDays && x.hour < kHoursPerDay;
}

// Puts lesson l into the grids of its class; a second lesson in the same
// slot is a double booking unless the two are joint.
void enter_class_lesson(int l, bool real_teachers_only) {
  const EngineLesson& x = g_eng_lessons[l];
  if (x.teacher < 0) or_raise_critical_error("SW Proffe sconosciuto", l, kSourceSybil, 320);
  if (real_teachers_only && g_eng_teachers[x.teacher].calendar_class >= 0) return;
  if (!slot_valid(l)) or_raise_critical_error("SW", l, kSourceSybil, 322);
  EngineClass& c = g_eng_classes[x.class_index];
  std::uint16_t& cell = c.week_grid[x.day][x.hour];
  int slot = lesson_slot(l);
  if (cell != kGridFree) {
    if (joint_pair(cell, l)) return;
    char text[200];
    std::snprintf(text, sizeof text,
                  "SW Ubiquit\xE0 classe:%d-%s cattedra/ora:%d g:%d h:%d con cattedra/ora:%d",
                  x.class_index.get(), c.code, int(cell), int(x.day), int(x.hour), l);
    or_raise_critical_error(text, 0, kSourceSybil, 330);
  }
  cell = static_cast<std::uint16_t>(l);
  c.teacher_grid[slot] = static_cast<std::uint16_t>(x.teacher & 0xFFFF);
}

void enter_teacher_slot(int teacher, int l, bool named, int line) {
  const EngineLesson& x = g_eng_lessons[l];
  if (teacher < 0 || teacher >= g_eng_school.teacher_count)
    or_raise_critical_error("SW", l, kSourceSybil, line);
  EngineTeacher& t = g_eng_teachers[teacher];
  int slot = lesson_slot(l);
  if (t.lesson_per_slot[slot] != kGridFree) {
    if (named) {
      char text[80];
      std::snprintf(text, sizeof text, "SW ubiquit\xE0 %s", t.name);
      or_raise_critical_error(text, l, kSourceSybil, line);
    }
    or_raise_critical_error("SW", l, kSourceSybil, line);
  }
  t.class_per_slot[slot] = static_cast<std::uint16_t>(x.class_index & 0xFFFF);
  t.lesson_per_slot[slot] = static_cast<std::uint16_t>(l);
}

int class_count_checked() {
  int n = g_eng_school.class_count;
  return n < 0 ? 0 : (n > kMaxClasses ? kMaxClasses : n);
}

int teacher_count_checked() {
  int n = g_eng_school.teacher_count;
  return n < 0 ? 0 : (n > kMaxTeachers ? kMaxTeachers : n);
}

bool class_in_range(int l) {
  int c = g_eng_lessons[l].class_index;
  return c >= 0 && c < class_count_checked();
}

// The lessons of each class and of each teacher (as first or second
// teacher), in lesson order, so that a one-class or teacher-pair rebuild
// walks only its own lessons. Which class and teachers a lesson has never
// changes inside a search; the index is made again by every whole-grid
// rebuild, and on first use for a lesson table of another size.
struct LessonIndex {
  int lesson_count = -1;
  int class_start[kMaxClasses + 1];
  int teacher_start[kMaxTeachers + 1];
  std::uint16_t class_lessons[kMaxLessons];
  std::uint16_t teacher_lessons[2 * kMaxLessons];
};
LessonIndex g_index;

void build_lesson_index() {
  int n = g_eng_school.lesson_count;
  if (n < 0) n = 0;
  if (n > kMaxLessons) n = kMaxLessons;
  static int class_fill[kMaxClasses + 1], teacher_fill[kMaxTeachers + 1];
  std::memset(class_fill, 0, sizeof class_fill);
  std::memset(teacher_fill, 0, sizeof teacher_fill);
  auto second = [](int l) { return lesson_has_second_teacher(l) ? g_eng_lessons[l].second_teacher : -1; };
  auto teacher_in_range = [](int t) { return t >= 0 && t < kMaxTeachers; };
  for (int l = 0; l < n; ++l) {
    int c = g_eng_lessons[l].class_index, t = g_eng_lessons[l].teacher, s = second(l);
    if (c >= 0 && c < kMaxClasses) ++class_fill[c + 1];
    if (teacher_in_range(t)) ++teacher_fill[t + 1];
    if (teacher_in_range(s) && s != t) ++teacher_fill[s + 1];
  }
  for (int c = 0; c < kMaxClasses; ++c) class_fill[c + 1] += class_fill[c];
  for (int t = 0; t < kMaxTeachers; ++t) teacher_fill[t + 1] += teacher_fill[t];
  std::memcpy(g_index.class_start, class_fill, sizeof class_fill);
  std::memcpy(g_index.teacher_start, teacher_fill, sizeof teacher_fill);
  for (int l = 0; l < n; ++l) {
    int c = g_eng_lessons[l].class_index, t = g_eng_lessons[l].teacher, s = second(l);
    if (c >= 0 && c < kMaxClasses) g_index.class_lessons[class_fill[c]++] = static_cast<std::uint16_t>(l);
    if (teacher_in_range(t)) g_index.teacher_lessons[teacher_fill[t]++] = static_cast<std::uint16_t>(l);
    if (teacher_in_range(s) && s != t) g_index.teacher_lessons[teacher_fill[s]++] = static_cast<std::uint16_t>(l);
  }
  g_index.lesson_count = g_eng_school.lesson_count;
}

void ensure_lesson_index() {
  if (g_index.lesson_count != g_eng_school.lesson_count) build_lesson_index();
}

void rebuild_one_class(int class_index, bool real_teachers_only) {
  if (class_index < 0 || class_index >= class_count_checked()) return;
  clear_class_grid(g_eng_classes[class_index]);
  ensure_lesson_index();
  for (int i = g_index.class_start[class_index]; i < g_index.class_start[class_index + 1]; ++i) {
    int l = g_index.class_lessons[i];
    if (lesson_placed(l)) enter_class_lesson(l, real_teachers_only);
  }
}

bool among(int slot, const int* slots, int slot_count) {
  for (int i = 0; i < slot_count; ++i)
    if (slots[i] == slot) return true;
  return false;
}

}  // namespace

void or_rebuild_class_grid(int class_index) { rebuild_one_class(class_index, false); }

// A cell is written only by the lessons in its slot, so entering the class's
// lessons in those slots, in lesson order, leaves the cells (and finds the
// double booking) as the whole rebuild does; the other cells are left as
// they are. A lesson with no valid slot is entered so that it is refused.
void or_rebuild_class_grid_cells(int class_index, const int* slots, int slot_count) {
  if (class_index < 0 || class_index >= class_count_checked()) return;
  EngineClass& c = g_eng_classes[class_index];
  for (int i = 0; i < slot_count; ++i) {
    int slot = slots[i];
    if (slot < 0 || slot >= kWeekSlots) continue;
    c.week_grid[slot / kHoursPerDay][slot % kHoursPerDay] = kGridFree;
    c.teacher_grid[slot] = kGridFree;
  }
  ensure_lesson_index();
  for (int i = g_index.class_start[class_index]; i < g_index.class_start[class_index + 1]; ++i) {
    int l = g_index.class_lessons[i];
    if (lesson_placed(l) && (!slot_valid(l) || among(lesson_slot(l), slots, slot_count)))
      enter_class_lesson(l, false);
  }
}

void or_rebuild_class_grid_real_teachers(int class_index) { rebuild_one_class(class_index, true); }

void or_rebuild_class_grids() {
  build_lesson_index();
  int classes = class_count_checked();
  for (int c = 0; c < classes; ++c) clear_class_grid(g_eng_classes[c]);
  int n = g_eng_school.lesson_count;
  for (int l = 0; l < n; ++l) {
    if (!lesson_placed(l)) continue;  // never index a grid with day 255
    if (!class_in_range(l)) or_raise_critical_error("SW", l, kSourceSybil, 360);
    enter_class_lesson(l, false);
  }
}

void or_rebuild_teacher_grid_pair(int teacher, int second_teacher) {
  int teachers = teacher_count_checked();
  if (teacher < 0 || teacher >= teachers) return;
  clear_teacher_grid(g_eng_teachers[teacher]);
  bool second = second_teacher >= 0 && second_teacher < teachers && second_teacher != teacher;
  if (second) clear_teacher_grid(g_eng_teachers[second_teacher]);
  // The lessons of both teachers merged in lesson order, each once: the
  // order of the whole-table walk, so a double booking is found at the
  // same lesson.
  ensure_lesson_index();
  int i = g_index.teacher_start[teacher], i_end = g_index.teacher_start[teacher + 1];
  int j = second ? g_index.teacher_start[second_teacher] : 0;
  int j_end = second ? g_index.teacher_start[second_teacher + 1] : 0;
  while (i < i_end || j < j_end) {
    int l;
    if (j >= j_end || (i < i_end && g_index.teacher_lessons[i] <= g_index.teacher_lessons[j])) {
      l = g_index.teacher_lessons[i++];
      if (j < j_end && g_index.teacher_lessons[j] == l) ++j;
    } else {
      l = g_index.teacher_lessons[j++];
    }
    if (!lesson_placed(l)) continue;
    const EngineLesson& x = g_eng_lessons[l];
    int s = lesson_has_second_teacher(l) ? x.second_teacher : -1;
    if (x.teacher == teacher || s == teacher) enter_teacher_slot(teacher, l, true, 380);
    if (second && (x.teacher == second_teacher || s == second_teacher))
      enter_teacher_slot(second_teacher, l, false, 382);
  }
}

void or_rebuild_teacher_grids() {
  build_lesson_index();
  int teachers = teacher_count_checked();
  for (int t = 0; t < teachers; ++t) clear_teacher_grid(g_eng_teachers[t]);
  int n = g_eng_school.lesson_count;
  for (int l = 0; l < n; ++l) {
    if (!lesson_placed(l)) continue;
    if (!slot_valid(l)) or_raise_critical_error("SW", l, kSourceSybil, 392);
    const EngineLesson& x = g_eng_lessons[l];
    enter_teacher_slot(x.teacher, l, false, 394);
    if (lesson_has_second_teacher(l) && x.second_teacher >= 0)
      enter_teacher_slot(x.second_teacher, l, false, 396);
  }
}

int or_any_class_has_gap() {
  int classes = class_count_checked();
  int days = days_per_week();
  for (int c = 0; c < classes; ++c) {
    if (class_skips_gap_test(c)) continue;
    const EngineClass& k = g_eng_classes[c];
    for (int d = 0; d < days; ++d) {
      int hours = hours_of_day(d);
      for (int h = 0; h <= 10 && h < hours; ++h) {
        if (k.week_grid[d][h] != kGridFree) continue;
        for (int later = h + 1; later < kHoursPerDay; ++later)
          if (k.week_grid[d][later] != kGridFree) return 1;
      }
    }
  }
  return 0;
}

void or_copy_placement(std::uint16_t* to) {
  int n = g_eng_school.lesson_count;
  for (int l = 0; l < n; ++l) to[l] = lesson_place(l);
}

void or_apply_placement(const std::uint16_t* from) {
  int n = g_eng_school.lesson_count;
  for (int l = 0; l < n; ++l) set_lesson_place(l, from[l]);
}

void or_snapshot_current_placement() { or_copy_placement(g_current_placement); }

void or_restore_current_placement() {
  or_apply_placement(g_current_placement);
  or_rebuild_grids_and_evaluate();
  or_take_total_score(&g_kept_score);
}

int or_restore_best_placement() {
  if ((g_best_placement[0] & 0xFF) == 0xFF) return 0;
  or_apply_placement(g_best_placement);
  or_rebuild_grids_and_evaluate();
  or_take_total_score(&g_kept_score);
  return 1;
}

void or_clear_best_placement() {
  g_best_placement[0] = static_cast<std::uint16_t>(g_best_placement[0] | 0x00FF);
  g_best_score = EngineCounter{0, 0};
}
