// Closing the class gaps of a complete placement: a saved timetable that no
// longer fits the school's hours, or a fresh random placement of a school
// whose classes do not fill every hour of the week.
//
// Each gap (a free hour of a class followed by an occupied hour of the same
// day) is treated by the first of three steps that works: pull down a later
// lesson of the class, pull in any other lesson of the class that is not a
// laboratory or conversation piece, or exchange two occupied slots of the
// class. Every move keeps the placement clash-free (the slot index answers
// the clash test). Passes repeat until none finds a gap, within bounds of
// 10 x n moves and 1000 x n failures.
#include <vector>

#include "engine/engine_random.h"
#include "solver/initial_assignment.h"
#include "solver/placement_state.h"

namespace {

std::uint16_t place_of(int day, int hour) { return static_cast<std::uint16_t>(day | (hour << 8)); }

// Moves lesson l to (day, hour) when it fits there; the class grid follows.
bool move_lesson(int l, int day, int hour) {
  std::uint16_t old = lesson_place(l);
  or_slot_list_remove(l);
  set_lesson_place(l, place_of(day, hour));
  if (or_find_slot_conflict(l) != kNoConflict) {
    set_lesson_place(l, old);
    or_slot_list_add(l);
    return false;
  }
  or_slot_list_add(l);
  or_rebuild_class_grid(g_eng_lessons[l].class_index);
  return true;
}

bool exchange_lessons(int a, int b) {
  std::uint16_t pa = lesson_place(a), pb = lesson_place(b);
  or_slot_list_remove(a);
  or_slot_list_remove(b);
  set_lesson_place(a, pb);
  set_lesson_place(b, pa);
  bool ok = or_find_slot_conflict(a) == kNoConflict;
  if (ok) {
    or_slot_list_add(a);
    ok = or_find_slot_conflict(b) == kNoConflict;
    or_slot_list_remove(a);
  }
  if (!ok) {
    set_lesson_place(a, pa);
    set_lesson_place(b, pb);
  }
  or_slot_list_add(a);
  or_slot_list_add(b);
  if (ok) or_rebuild_class_grid(g_eng_lessons[a].class_index);
  return ok;
}

int cell(int c, int day, int hour) {
  std::uint16_t v = g_eng_classes[c].week_grid[day][hour];
  return v == kGridFree ? -1 : v;
}

bool pull_later_lesson(int c, int d, int h, bool any_hour) {
  int days = days_per_week();
  int start = g_engine_random.below(days);
  for (int k = 0; k < days; ++k) {
    int e = (start + k) % days;
    int low = any_hour ? 0 : h + 1;
    for (int hh = hours_of_day(e) - 1; hh >= low; --hh) {
      if (e == d && hh == h) continue;
      int l = cell(c, e, hh);
      if (l < 0) continue;
      if (any_hour && (g_eng_lessons[l].piece_kind & 0x03) != 0) continue;
      if (move_lesson(l, d, h)) return true;
    }
  }
  return false;
}

bool exchange_two_slots(int c) {
  int days = days_per_week();
  int d3 = g_engine_random.below(days);
  int h3 = g_engine_random.below(hours_of_day(d3));
  int d4 = g_engine_random.below(days);
  int h4 = g_engine_random.below(hours_of_day(d3));
  int first = d3 * kHoursPerDay + h3, second = d4 * kHoursPerDay + h4;
  for (int i = 0; i < kWeekSlots; ++i) {
    int s3 = (first + i) % kWeekSlots;
    int a = cell(c, s3 / kHoursPerDay, s3 % kHoursPerDay);
    if (a < 0) continue;
    for (int j = 0; j < kWeekSlots; ++j) {
      int s4 = (second + j) % kWeekSlots;
      if (s4 == s3) continue;
      int b = cell(c, s4 / kHoursPerDay, s4 % kHoursPerDay);
      if (b < 0 || b == a) continue;
      if (exchange_lessons(a, b)) return true;
    }
  }
  return false;
}

bool is_gap(int c, int d, int h) {
  if (h >= hours_of_day(d) || cell(c, d, h) >= 0) return false;
  for (int later = h + 1; later < kHoursPerDay; ++later)
    if (cell(c, d, later) >= 0) return true;
  return false;
}

// Each class's grid holds all its lessons: the occupied cells plus the
// lessons that share a cell with a joint lesson of the same class make the
// class's lesson count. Counting cells alone would take two joint lessons
// in one hour for a lost lesson.
bool class_lesson_counts_agree(int classes) {
  std::vector<int> lessons(static_cast<std::size_t>(classes), 0), sharing(static_cast<std::size_t>(classes), 0);
  int total = g_eng_school.lesson_count;
  for (int l = 0; l < total && l < kMaxLessons; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (x.class_index < 0 || x.class_index >= classes || !lesson_placed(l)) continue;
    ++lessons[x.class_index];
    int there = cell(x.class_index, x.day, x.hour);
    if (there != l && there >= 0 && g_eng_lessons[there].class_index == x.class_index) ++sharing[x.class_index];
  }
  for (int c = 0; c < classes; ++c) {
    if (class_skips_gap_test(c)) continue;
    int occupied = 0;
    for (int d = 0; d < kDays; ++d)
      for (int h = 0; h < kHoursPerDay; ++h) occupied += cell(c, d, h) >= 0 ? 1 : 0;
    if (occupied + sharing[c] != lessons[c]) return false;
  }
  return true;
}

}  // namespace

int or_repair_restored_timetable(int n) {
  or_rebuild_slot_index();
  or_rebuild_class_grids();
  std::int64_t moves = 0, failures = 0;
  int classes = g_eng_school.class_count;
  if (classes > kMaxClasses) classes = kMaxClasses;
  int days = days_per_week();
  if (days <= 0) return 0;
  bool found_gap = true;
  while (found_gap) {
    if (moves > 10ll * n) return -2;
    found_gap = false;
    for (int c = 0; c < classes; ++c) {
      if (class_skips_gap_test(c)) continue;
      int start = g_engine_random.below(days);
      for (int k = 0; k < days; ++k) {
        int d = (start + k) % days;
        for (int h = 0; h <= 10; ++h) {
          if (!is_gap(c, d, h)) continue;
          found_gap = true;
          ++moves;
          if (pull_later_lesson(c, d, h, false)) continue;
          if (pull_later_lesson(c, d, h, true)) continue;
          if (exchange_two_slots(c)) continue;
          if (++failures > 1000ll * n) return -1;
        }
      }
    }
  }
  or_rebuild_class_grids();
  if (or_any_class_has_gap()) or_raise_critical_error("SW", 0, kSourceSybil, 1630);
  if (!class_lesson_counts_agree(classes)) or_raise_critical_error("SW", 0, kSourceSybil, 1631);
  int total = g_eng_school.lesson_count;
  for (int l = 0; l < total && l < kMaxLessons; ++l)
    if (!lesson_placed(l)) or_raise_critical_error("SW", l, kSourceSybil, 1632);
  return static_cast<int>(moves);
}
