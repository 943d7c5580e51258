// Full evaluation and the uncached per-teacher and per-class sums.
//
// The order of the ids is fixed: it decides the order of the violation
// records and which of them fit into the 199 places of the status block.
// Every id passes the same gate (switch-off byte 0, or g_eval_mode 2).
//
// Workload: one full evaluation per search cycle over every teacher and
// class; the sums below run for single teachers and classes inside moves.
#include "solver/cost_evaluation.h"

#include <cstring>
#include <initializer_list>

#include "engine/status_block.h"
#include "solver/day_constraints.h"
#include "solver/gap_constraints.h"
#include "solver/hour_of_day_constraints.h"
#include "solver/placement_state.h"
#include "solver/presence_constraints.h"
#include "solver/rest_special_hour_constraints.h"
#include "solver/teacher_rule_frame.h"
#include "solver/run_state_reset.h"

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

// Equal byte ranges, compared a word at a time (the sizes here are fixed,
// so the loops unroll).
bool same_bytes(const void* a, const void* b, std::size_t size) {
  const unsigned char* x = static_cast<const unsigned char*>(a);
  const unsigned char* y = static_cast<const unsigned char*>(b);
  std::uint64_t differ = 0;
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t u, v;
    std::memcpy(&u, x + i, 8);
    std::memcpy(&v, y + i, 8);
    differ |= u ^ v;
  }
  for (; i < size; ++i) differ |= static_cast<std::uint64_t>(x[i] ^ y[i]);
  return differ == 0;
}

// Checks whose rule counts nothing for a teacher whose own parameters leave
// it without work, with the delta check that does so: while the id is priced
// by that delta, a teacher's sum leaves it out for such a teacher.
struct UnsetRule {
  std::uint8_t id;
  DeltaCheck delta;
};
constexpr UnsetRule kUnsetRules[] = {
    {12, or_delta_first_hours_min}, {13, or_delta_first_hours_max}, {57, or_delta_last_hours_min},
    {58, or_delta_last_hours_max},  {16, or_delta_band1_min},       {17, or_delta_band1_max},
    {14, or_delta_band2_min},       {15, or_delta_band2_max},       {46, or_delta_straddled_hour},
    {18, or_delta_desired_hours},   {19, or_delta_maximum_hours},   {20, or_delta_light_days},
    {21, or_delta_first_hour_days}, {22, or_delta_last_hour_days},  {49, or_delta_band_days},
    {27, or_delta_special_break},   {66, or_delta_week_ends},       {4, or_delta_standby_per_day},
    {1, or_delta_bua_diagonal},     {24, or_delta_class_hour_distribution},
    {25, or_delta_late_lesson_share}, {56, or_delta_gaps_short_days}, {64, or_delta_edge_doubles},
    {41, or_delta_nonstandard_hours}, {42, or_delta_rest_after_run},      {45, or_delta_mandatory_free_hours},
    {51, or_delta_edge_presence},     {47, or_delta_adjacent_gaps},       {26, or_delta_generic_break},
    {5, or_delta_free_days},          {54, or_delta_free_days_second},
};
constexpr int kUnsetRuleCount = static_cast<int>(sizeof kUnsetRules / sizeof kUnsetRules[0]);
static_assert(kUnsetRuleCount <= 32, "one bit per rule");

inline bool rule_unset(int id, const EngineTeacher& t) {
  return or_hour_of_day_rule_unset(id, t) || or_day_rule_unset(id, t) || or_presence_rule_unset(id, t) ||
         or_gap_rule_unset(id, t) || or_rest_rule_unset(id, t);
}

// Bit i: kUnsetRules[i] counts nothing for the teacher, read from the
// teacher's record as it is now (the ids are constants once unrolled, so each
// bit is one byte read and compared).
std::uint32_t unset_rules(const EngineTeacher& t) {
  std::uint32_t unset = 0;
#pragma GCC unroll 32
  for (int i = 0; i < kUnsetRuleCount; ++i)
    unset |= static_cast<std::uint32_t>(rule_unset(kUnsetRules[i].id, t)) << i;
  return unset;
}

// The ids of kTeacherSumOrder that pass the switch gate, in that order: a
// sum walks only these, without a gate of its own. The switch bytes have
// many writers (staging, releases, restarts, workers, tests), so the list
// keeps a copy of the bytes and the mode it was made for and is made again
// when either differs, or when an id of kUnsetRules changes its delta check;
// comparing 96 bytes costs less than 66 gate branches that the processor
// cannot predict. Each making has its own generation, for the teachers' lists.
class ActiveTeacherChecks {
 public:
  const ActiveTeacherChecks& current() {
    static_assert(sizeof(ConstraintSwitchTable) == kConstraintCount, "one switch byte per id");
    if (generation_ == 0 || mode_ != g_eval_mode || !same_bytes(switches_, ConstraintSwitchTable, sizeof switches_) ||
        (own_rules_ == kAllOwn ? !all_own() : own_rules() != own_rules_))
      build();
    return *this;
  }
  const std::uint8_t* ids() const { return ids_; }
  int count() const { return count_; }
  // Those at the first three places of the order.
  int first_three() const { return first_three_; }
  // The place of 39 in ids(), count() when absent.
  int at39() const { return at39_; }
  std::uint32_t generation() const { return generation_; }
  // Bit i: kUnsetRules[i]'s id is priced by its own delta check.
  std::uint32_t own_rules_mask() const { return own_rules_; }

 private:
  static constexpr std::uint32_t kAllOwn =
      kUnsetRuleCount == 32 ? 0xFFFFFFFFu : (std::uint32_t{1} << kUnsetRuleCount) - 1u;

  // Every id of kUnsetRules is priced by its own delta check (the search's
  // case: only tests plant other checks), with fewer instructions than the
  // mask of own_rules().
  static bool all_own() {
    std::uintptr_t differ = 0;
#pragma GCC unroll 32
    for (int i = 0; i < kUnsetRuleCount; ++i)
      differ |= reinterpret_cast<std::uintptr_t>(g_evaluators[kUnsetRules[i].id].delta) ^
                reinterpret_cast<std::uintptr_t>(kUnsetRules[i].delta);
    return differ == 0;
  }

  static std::uint32_t own_rules() {
    std::uint32_t own = 0;
#pragma GCC unroll 32
    for (int i = 0; i < kUnsetRuleCount; ++i)
      own |= static_cast<std::uint32_t>(g_evaluators[kUnsetRules[i].id].delta == kUnsetRules[i].delta) << i;
    return own;
  }

  void build() {
    std::memcpy(switches_, ConstraintSwitchTable, sizeof(switches_));
    mode_ = g_eval_mode;
    own_rules_ = own_rules();
    count_ = first_three_ = 0;
    at39_ = -1;
    for (int i = 0; i < 66; ++i) {
      std::uint8_t id = kTeacherSumOrder[i];
      if (!or_constraint_active(id)) continue;
      if (id == 39) at39_ = count_;
      ids_[count_++] = id;
      if (i < 3) ++first_three_;
    }
    if (at39_ < 0) at39_ = count_;
    // 0 stands for "never made" in the teachers' lists.
    if (++generation_ == 0) generation_ = 1;
  }

  std::uint32_t generation_ = 0;
  std::uint8_t mode_ = 0;
  std::uint32_t own_rules_ = 0;
  std::uint8_t switches_[kConstraintCount] = {};
  std::uint8_t ids_[66] = {};
  int count_ = 0, first_three_ = 0, at39_ = 0;
};

ActiveTeacherChecks g_active_teacher_checks;

// One teacher's part of the active list: the checks that can count for it.
// Made again when the active list is, or when the rules its parameters leave
// without work differ from those it was made for, whoever wrote them.
struct TeacherCheckList {
  std::uint32_t made_for = 0;  // generation of the active list
  std::uint32_t left_out = 0;  // bits of kUnsetRules
  std::uint8_t count = 0, first_three = 0, at39 = 0;
  std::uint8_t ids[66] = {};

  void make(std::uint32_t unset, const ActiveTeacherChecks& active) {
    left_out = unset;
    int n = 0, first = 0, place39 = -1;
    for (int k = 0; k < active.count(); ++k) {
      int id = active.ids()[k];
      bool skip = false;
      for (int i = 0; i < kUnsetRuleCount; ++i)
        if (kUnsetRules[i].id == id && ((unset >> i) & 1u) != 0) skip = true;
      if (skip) continue;
      if (id == 39) place39 = n;
      if (k < active.first_three()) ++first;
      ids[n++] = static_cast<std::uint8_t>(id);
    }
    count = static_cast<std::uint8_t>(n);
    first_three = static_cast<std::uint8_t>(first);
    at39 = static_cast<std::uint8_t>(place39 < 0 ? n : place39);
    made_for = active.generation();
    int k = 0;
    for (std::uint8_t id : kBoundFirst)
      for (int i = 0; i < n; ++i)
        if (ids[i] == id) bound_order[k++] = id;
    for (int i = 0; i < n; ++i) {
      bool first_placed = false;
      for (std::uint8_t id : kBoundFirst) first_placed |= ids[i] == id;
      if (!first_placed) bound_order[k++] = ids[i];
    }
  }

  // The same ids for a sum that stops past a bound: the rules most often
  // broken (unavailable hours, working days, gaps, class returns, presence)
  // first, so that a move that breaks one is refused before the many
  // checks that rarely count anything run. A sum's value does not depend on
  // the order of its terms.
  static constexpr std::uint8_t kBoundFirst[5] = {6, 11, 48, 32, 8};
  std::uint8_t bound_order[66] = {};
};

TeacherCheckList g_teacher_check_lists[kMaxTeachers];

// Teacher sum over kTeacherSumOrder; `checked` stops after the first three
// ids in the first search phase, `without39` leaves constraint 39 out. With
// Capped, the sum stops at the first check that takes it past `cap` (every
// check counts n x weights, never below 0, so the rest cannot bring it back):
// a price that only has to be compared with a bound then skips the checks
// left.
template <bool Capped>
std::int64_t teacher_sum(int teacher, bool checked, bool without39, std::int64_t cap = 0) {
  TeacherWeekScope week(teacher);
  const ActiveTeacherChecks& active = g_active_teacher_checks.current();
  const std::uint8_t* ids = active.ids();
  int n = active.count(), first_three = active.first_three(), at39 = active.at39();
  if (teacher >= 0 && teacher < kMaxTeachers) {
    TeacherCheckList& list = g_teacher_check_lists[teacher];
    std::uint32_t unset = unset_rules(g_eng_teachers[teacher]) & active.own_rules_mask();
    if (list.made_for != active.generation() || list.left_out != unset) list.make(unset, active);
    ids = list.ids;
    n = list.count;
    first_three = list.first_three;
    at39 = list.at39;
  }
  if (checked && g_solver.search_phase == 1) n = first_three;
  int before39 = without39 && at39 < n ? at39 : n;
  std::int64_t sum = 0;
  // or_run_delta_check without its gate: this loop is the hottest path of
  // the search.
  if constexpr (Capped) {
    // The whole list (not the first phase's first three, nor without 39)
    // runs in the bound's order.
    if (teacher >= 0 && teacher < kMaxTeachers && before39 == n && n == g_teacher_check_lists[teacher].count)
      ids = g_teacher_check_lists[teacher].bound_order;
    for (int i = 0; i < before39; ++i)
      if ((sum += g_evaluators[ids[i]].delta(teacher)) > cap) return sum;
    for (int i = before39 + 1; i < n; ++i)
      if ((sum += g_evaluators[ids[i]].delta(teacher)) > cap) return sum;
  } else {
    for (int i = 0; i < before39; ++i) sum += g_evaluators[ids[i]].delta(teacher);
    for (int i = before39 + 1; i < n; ++i) sum += g_evaluators[ids[i]].delta(teacher);
  }
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
  return teacher_sum<false>(teacher, true, false);
}

std::int64_t or_teacher_penalty_checked_capped(int teacher, std::int64_t cap) {
  if (teacher < 0) return 0;
  return teacher_sum<true>(teacher, true, false, cap);
}

std::int64_t or_teacher_penalty64(int teacher) { return teacher_sum<false>(teacher, false, true); }

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

std::int64_t or_class_penalty_capped(int class_index, std::int64_t cap) {
  if (building_mode_on()) or_align_class_day_buildings(class_index);
  std::int64_t sum = 0;
  for (int id : kClassSumOrder)
    if ((sum += or_run_delta_check(id, class_index)) > cap) return sum;
  return sum;
}

namespace {
// Where the scans for the worst teacher and class last started.
int g_worst_teacher_cursor = 0;
int g_worst_class_cursor = 0;
}  // namespace

void or_reset_worst_scan_cursors() {
  g_worst_teacher_cursor = 0;
  g_worst_class_cursor = 0;
  // The moves' sampling divisor starts at 1; the phases and the room
  // optimiser raise it to 7 for their own runs.
  g_solver.sampling_divisor = 1;
  g_solver.focus_teacher = -1;
}

// Both scans start one past the previous call's start, so ties rotate.
void or_find_worst_teacher_and_class() {
  int& teacher_cursor = g_worst_teacher_cursor;
  int& class_cursor = g_worst_class_cursor;
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
