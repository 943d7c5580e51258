// Full evaluation and the uncached per-teacher and per-class sums.
//
// The order of the ids is fixed: it decides the order of the violation
// records and which of them fit into the 199 places of the status block.
// Every id passes the same gate (switch-off byte 0, or g_eval_mode 2).
//
// Workload: one full evaluation per search cycle over every teacher and
// class; the sums below run for single teachers and classes inside moves.
#include "solver/cost_evaluation.h"

#include <initializer_list>
#include <cstring>

#include "engine/status_block.h"
#include "solver/placement_state.h"
#include "solver/teacher_rule_frame.h"

const std::uint8_t kClassBlockOrder[15] = {44, 77, 78, 89, 79, 86, 87, 88, 80, 81, 75, 82, 83, 84, 85};
const std::uint8_t kTeacherBlockOrder[64] = {
    6,  5,  54, 33, 61, 62, 63, 55, 65, 56, 34, 35, 36, 53, 1,  32, 8,  11, 24, 25, 4,  12,
    13, 46, 57, 58, 59, 60, 66, 67, 16, 17, 14, 15, 18, 19, 20, 21, 22, 49, 23, 64, 26, 27,
    28, 29, 30, 31, 42, 45, 43, 40, 68, 37, 38, 39, 41, 51, 52, 47, 50, 3,  2,  48};
const std::uint8_t kTeacherSumOrder[66] = {
    6,  5,  54, 33, 61, 62, 63, 55, 65, 56, 34, 35, 36, 53, 1,  47, 50, 51, 52, 3,  2,  48,
    32, 8,  11, 24, 25, 84, 85, 4,  12, 13, 46, 57, 58, 59, 60, 66, 67, 16, 17, 14, 15, 18,
    19, 20, 21, 22, 49, 23, 64, 26, 27, 28, 29, 30, 31, 42, 45, 43, 37, 38, 39, 40, 68, 41};

SolverTotals g_solver = {0, 0, 0, 0, 0, 0, 0, -1, 0, 1};
EngineCounter g_secondary_score;
EngineCounter g_total_score_pair;

void or_take_total_score(EngineCounter* score) { or_counter_copy(score, &g_total_score_pair); }
bool or_total_score_below(const EngineCounter* score) { return or_counter_less(&g_total_score_pair, score) != 0; }

namespace {

int teacher_total() {
  int n = g_eng_school.teacher_count;
  return n < 0 ? 0 : (n > kMaxTeachers ? kMaxTeachers : n);
}

int class_total() {
  int n = g_eng_school.class_count;
  return n < 0 ? 0 : (n > kMaxClasses ? kMaxClasses : n);
}

bool building_mode_on() { return (g_building_mode_flags & 3) != 0; }

std::int64_t run_full(int id) { return or_run_full_check(id); }

// The ids of kTeacherSumOrder that pass the switch gate, in that order: a
// sum walks only these, without a gate of its own. The switch bytes have
// many writers (staging, releases, restarts, workers, tests), so the list
// keeps a copy of the bytes and the mode it was made for and is made again
// when either differs; comparing 96 bytes costs less than 66 gate branches
// that the processor cannot predict.
class ActiveTeacherChecks {
 public:
  const ActiveTeacherChecks& current() {
    static_assert(sizeof(ConstraintSwitchTable) == kConstraintCount, "one switch byte per id");
    if (!built_ || mode_ != g_eval_mode || !same_switches()) build();
    return *this;
  }
  // Ids to sum: all of them, or without 39; first_three: those at the first
  // three places of the order.
  const std::uint8_t* ids(bool without39) const { return without39 ? without39_ : all_; }
  int count(bool without39) const { return without39 ? without39_count_ : all_count_; }
  int first_three() const { return first_three_; }

 private:
  static constexpr int kWords = kConstraintCount / 8;
  static_assert(kConstraintCount % 8 == 0, "the switch bytes compare as whole words");

  bool same_switches() const {
    std::uint64_t differ = 0;
    for (int i = 0; i < kWords; ++i) {
      std::uint64_t now;
      std::memcpy(&now, reinterpret_cast<const unsigned char*>(ConstraintSwitchTable) + 8 * i, 8);
      differ |= now ^ switches_[i];
    }
    return differ == 0;
  }

  void build() {
    std::memcpy(switches_, ConstraintSwitchTable, sizeof(switches_));
    mode_ = g_eval_mode;
    all_count_ = without39_count_ = first_three_ = 0;
    for (int i = 0; i < 66; ++i) {
      std::uint8_t id = kTeacherSumOrder[i];
      if (!or_constraint_active(id)) continue;
      all_[all_count_++] = id;
      if (i < 3) ++first_three_;
      if (id != 39) without39_[without39_count_++] = id;
    }
    built_ = true;
  }

  bool built_ = false;
  std::uint8_t mode_ = 0;
  std::uint64_t switches_[kWords] = {};
  std::uint8_t all_[66] = {}, without39_[66] = {};
  int all_count_ = 0, without39_count_ = 0, first_three_ = 0;
};

ActiveTeacherChecks g_active_teacher_checks;

// Teacher sum over kTeacherSumOrder; `checked` stops after the first three
// ids in the first search phase, `without39` leaves constraint 39 out.
std::int64_t teacher_sum(int teacher, bool checked, bool without39) {
  TeacherWeekScope week(teacher);
  const ActiveTeacherChecks& active = g_active_teacher_checks.current();
  const std::uint8_t* ids = active.ids(without39);
  int n = checked && g_solver.search_phase == 1 ? active.first_three() : active.count(without39);
  std::int64_t sum = 0;
  // or_run_delta_check without its gate: this loop is the hottest path of
  // the search.
  for (int i = 0; i < n; ++i) sum += g_evaluators[ids[i]].delta(teacher);
  return sum;
}

}  // namespace

std::int64_t or_evaluate_all_constraints64(int report) {
  g_eng_run.peak_reported_points = 0;
  g_eng_run.peak_reported_teacher = -1;
  g_eng_run.violation_signature = 0;

  int teachers = teacher_total(), classes = class_total();
  for (int t = 0; t < teachers; ++t) {
    g_teacher_full_penalty[t] = 0;
    g_teacher_violations[t] = 0;
  }
  for (int c = 0; c < classes; ++c) g_class_accumulated_penalty[c] = 0;
  if (building_mode_on()) or_align_class_day_buildings(-1);

  for (ConstraintStat& s : ConstraintStats) s.count = 0;
  g_solver.consecutive_subtotal = 0;
  g_solver.flagged_teacher_violations = 0;
  g_status.error_count = 0;
  g_solver.class_subtotal = 0;
  g_secondary_score = {0, 0};

  if (report) {
    g_status.violation_count = 0;
    g_status.reporting = 1;
  } else {
    g_status.reporting = 0;
  }

  std::int64_t total = run_full(76);
  g_solver.subtotal_76 = total;
  if (g_solver.search_phase != 1) {
    for (int id : kClassBlockOrder) {
      std::int64_t v = run_full(id);
      if (id == 80) g_solver.consecutive_subtotal = v;
      if (id == 81) g_solver.consecutive_subtotal += v;
      total += v;
    }
    g_solver.class_subtotal = total;
    for (int id : kTeacherBlockOrder) total += run_full(id);
  }

  std::int64_t errors = 0;
  for (const ConstraintStat& s : ConstraintStats) errors += s.count;
  g_status.error_count = static_cast<std::int32_t>(errors > INT32_MAX ? INT32_MAX : errors);
  g_status.gap_count = static_cast<std::int32_t>(ConstraintStats[48].count);
  for (int t = 0; t < teachers; ++t)
    if (g_eng_teachers[t].penalty_flag != 0) g_solver.flagged_teacher_violations += g_teacher_violations[t];

  if (total > g_solver.peak_total_score) g_solver.peak_total_score = total;
  g_status.reporting = 0;
  g_solver.total_score = total;
  // Totals are sums of non-negative weighted counts.
  std::uint64_t pair = total > 0 ? static_cast<std::uint64_t>(total) : 0;
  g_total_score_pair = EngineCounter{static_cast<std::uint32_t>(pair >> 32), static_cast<std::uint32_t>(pair)};
  g_total_score = total > 0xFFFFFFFFll ? 0xFFFFFFFFu : static_cast<std::uint32_t>(total);
  // The next move must price from the new placement, not from entries the
  // previous cycle left behind.
  or_penalty_cache_invalidate_all();
  return total;
}

unsigned or_evaluate_all_constraints(int report) {
  or_evaluate_all_constraints64(report);
  return g_total_score;
}

unsigned or_rebuild_grids_and_evaluate() {
  or_rebuild_slot_index();
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
  return or_evaluate_all_constraints(0);
}

std::int64_t or_teacher_penalty_checked(int teacher) {
  if (teacher < 0) return 0;
  return teacher_sum(teacher, true, false);
}

std::int64_t or_teacher_penalty64(int teacher) { return teacher_sum(teacher, false, true); }

std::uint32_t or_teacher_penalty(int teacher) {
  std::int64_t v = or_teacher_penalty64(teacher);
  return v > 0xFFFFFFFFll ? 0xFFFFFFFFu : static_cast<std::uint32_t>(v);
}

// A class's side of the score, delta check by delta check in the order the
// whole evaluation charges them.
const std::uint8_t kClassSumOrder[14] = {76, 44, 77, 78, 89, 79, 86, 87, 88, 80, 81, 75, 82, 83};
std::int64_t or_class_penalty(int class_index) {
  if (building_mode_on()) or_align_class_day_buildings(class_index);
  std::int64_t sum = 0;
  for (int id : kClassSumOrder) sum += or_run_delta_check(id, class_index);
  return sum;
}

// Both scans start one past the previous call's start, so ties rotate.
void or_find_worst_teacher_and_class() {
  static int teacher_cursor = 0;
  static int class_cursor = 0;
  int worst_teacher = -2, worst_class = -2;
  int teachers = teacher_total();
  if (teachers > 0) {
    teacher_cursor = teacher_cursor + 1 >= teachers ? 0 : teacher_cursor + 1;
    std::int64_t best = -1;
    for (int k = 0; k < teachers; ++k) {
      int t = (teacher_cursor + k) % teachers;
      std::int64_t p = or_teacher_penalty64(t);
      bool better = worst_teacher < 0 || p > best ||
                    (p == best && g_eng_teachers[t].points > g_eng_teachers[worst_teacher].points);
      if (better) {
        worst_teacher = t;
        best = p;
      }
    }
  }
  int classes = class_total();
  if (classes > 0) {
    class_cursor = class_cursor + 1 >= classes ? 0 : class_cursor + 1;
    std::int64_t best = 0;
    for (int k = 0; k < classes; ++k) {
      int c = (class_cursor + k) % classes;
      std::int64_t p = or_class_penalty(c);
      if (p > best) {
        best = p;
        worst_class = c;
      }
    }
  }
  g_status.worst_teacher = worst_teacher;
  g_status.worst_class = worst_class;
}

void or_align_class_day_buildings(int class_index) {
  int first = class_index < 0 ? 0 : class_index;
  int last = class_index < 0 ? class_total() - 1 : class_index;
  if (class_index >= class_total()) return;
  int days = days_per_week();
  for (int c = first; c <= last; ++c) {
    const EngineClass& k = g_eng_classes[c];
    for (int d = 0; d < days; ++d) {
      int hours = hours_of_day(d);
      int anchor = -1;
      for (int h = 0; h < hours && anchor < 0; ++h) {
        int l = k.week_grid[d][h];
        if (l != kGridFree && g_lesson_buildings[l].anchor == 1) anchor = l;
      }
      for (int h = 0; h < hours; ++h) {
        int l = k.week_grid[d][h];
        if (l == kGridFree || l == anchor) continue;
        EngineLesson& x = g_eng_lessons[l];
        LessonBuildingState& b = g_lesson_buildings[l];
        if (anchor < 0) {
          x.building = b.own_building;
          x.common_room = b.own_common_room;
          b.moved = 0;
          continue;
        }
        int target = g_eng_lessons[anchor].building;
        if (x.building == target) continue;
        x.building = target;
        b.moved = 1;
        if (x.common_room < 0) continue;
        x.common_room = -1;
        int rooms = g_eng_school.common_room_count;
        if (rooms > kMaxCommonRooms) rooms = kMaxCommonRooms;
        for (int r = 0; r < rooms && x.common_room < 0; ++r) {
          const EngineCommonRoom& room = g_eng_common_rooms[r];
          if (room.building != target) continue;
          for (int s : room.subjects)
            if (s == x.subject) {
              x.common_room = r;
              break;
            }
        }
      }
    }
  }
}
