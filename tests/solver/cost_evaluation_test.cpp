// Cost evaluation with planted evaluators: the caches equal a recomputation
// after every kept swap, the gates, the first search phase, 64-bit totals.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "engine/engine_random.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "class_delta_sum.h"
#include "solver/cost_evaluation.h"
#include "solver/hour_of_day_constraints.h"
#include "solver/placement_state.h"
#include "solver/search_weights.h"

namespace {

// Planted constraints, counted straight from the lesson table:
// 2 (teacher): the teacher's lessons in hour 0; 76 (class, uncached): the
// class's lessons on day 0 hour 1; 80 (class, cached part): the class's
// lessons in the last hour of a day.
std::uint32_t teacher_first_hours(int t) {
  std::uint32_t n = 0;
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    if (lesson_placed(l) && g_eng_lessons[l].hour == 0 &&
        (g_eng_lessons[l].teacher == t || (lesson_has_second_teacher(l) && g_eng_lessons[l].second_teacher == t)))
      ++n;
  return n;
}

std::uint32_t class_count_where(int c, bool (*pred)(const EngineLesson&)) {
  std::uint32_t n = 0;
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    if (lesson_placed(l) && g_eng_lessons[l].class_index == c && pred(g_eng_lessons[l])) ++n;
  return n;
}

bool day0_hour1(const EngineLesson& x) { return x.day == 0 && x.hour == 1; }
bool last_hour(const EngineLesson& x) { return x.hour + 1 == g_eng_school.hours_per_day[x.day]; }

// The evaluators' gate: a held-out teacher, its own switch byte of the id
// or a pseudo-teacher counts nothing.
bool teacher_counts(int t, int id) {
  const EngineTeacher& x = g_eng_teachers[t];
  return !x.held_out && !x.constraint_switch[id] && x.pseudo_flag != 1;
}

std::int64_t full2() {
  std::int64_t sum = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (teacher_counts(t, 2)) sum += or_count_teacher_violation(2, t, teacher_first_hours(t), 0, 0, "prima ora");
  return sum;
}
std::int64_t delta2(int t) { return teacher_counts(t, 2) ? or_teacher_weighted(2, t, teacher_first_hours(t)) : 0; }

template <int Id, bool (*Pred)(const EngineLesson&)>
std::int64_t full_class() {
  std::int64_t sum = 0;
  for (int c = 0; c < g_eng_school.class_count; ++c)
    sum += or_count_class_violation(Id, c, class_count_where(c, Pred), 0, 0, "");
  return sum;
}
template <int Id, bool (*Pred)(const EngineLesson&)>
std::int64_t delta_class(int c) {
  return or_class_weighted(Id, c, class_count_where(c, Pred));
}

class PlantedEvaluators : public ::testing::Test {
 protected:
  void SetUp() override {
    g_evaluators[2] = {full2, delta2, 0};
    g_evaluators[76] = {full_class<76, day0_hour1>, delta_class<76, day0_hour1>, 0};
    g_evaluators[80] = {full_class<80, last_hour>, delta_class<80, last_hour>, 0};
    build_school(SchoolSpec{}, 21);
    place_all_lessons();
    ConstraintStats[2].weight = 3;
    ConstraintStats[76].weight = 5;
    ConstraintStats[80].weight = 7;
    // A search prices the whole placement before its first move, which
    // leaves every cache entry "not computed": the moves start from there,
    // not from what an earlier run left in the caches.
    or_evaluate_all_constraints64(0);
  }
  void TearDown() override { or_reset_constraint_tables(); }
  std::int64_t sum_of_deltas() {
    std::int64_t sum = 0;
    for (int t = 0; t < g_eng_school.teacher_count; ++t) sum += or_teacher_penalty_checked(t);
    for (int c = 0; c < g_eng_school.class_count; ++c) sum += solver_test::class_delta_sum(c);
    return sum;
  }
  OnlyPlantedEvaluators planted_;
};

TEST_F(PlantedEvaluators, CachesEqualARecomputationAfterEachKeptSwap) {
  EngineRandom random(23);
  int n = g_eng_school.lesson_count;
  std::int64_t total = or_evaluate_all_constraints64(0);
  int kept = 0;
  for (int round = 0; round < 3000; ++round) {
    int a = random.below(n), b = random.below(n);
    if (lesson_place(a) == lesson_place(b)) continue;
    std::set<int> teachers, classes;
    for (int l : {a, b}) {
      teachers.insert(g_eng_lessons[l].teacher);
      if (lesson_has_second_teacher(l)) teachers.insert(g_eng_lessons[l].second_teacher);
      classes.insert(g_eng_lessons[l].class_index);
    }
    std::int64_t before = 0, after = 0;
    for (int t : teachers) before += or_teacher_penalty_checked(t);
    for (int c : classes) before += solver_test::class_delta_sum(c);
    for (int l : {a, b}) {
      or_teacher_penalty_of_lesson(l);
      or_class_penalty_of_lesson(l, 0);
    }
    or_penalty_cache_open2(a, b);
    if (or_swap_lessons(a, b) != kNoConflict) {
      or_penalty_cache_undo2(a, b);
      continue;
    }
    for (int l : {a, b}) {
      or_teacher_penalty_of_lesson(l);
      or_class_penalty_of_lesson(l, 0);
    }
    bool keep = random.below(2) == 0;
    if (!keep) {
      or_undo_swap_lessons(a, b);
      or_penalty_cache_undo2(a, b);
    } else {
      or_penalty_cache_commit2(a, b);
      ++kept;
    }
    for (int t : teachers) after += or_teacher_penalty_checked(t);
    for (int c : classes) after += solver_test::class_delta_sum(c);
    total += after - before;  // a signed difference: a move may lower the cost
    for (int t = 0; t < g_eng_school.teacher_count; ++t)
      if (g_teacher_penalty[t] != kPenaltyNotComputed) {
        ASSERT_EQ(g_teacher_penalty[t], or_teacher_penalty_checked(t)) << "round " << round << " teacher " << t;
      }
    for (int c = 0; c < g_eng_school.class_count; ++c)
      if (g_class_penalty[c] != kPenaltyNotComputed) {
        ASSERT_EQ(g_class_penalty[c], or_run_delta_check(80, c)) << "round " << round << " class " << c;
      }
  }
  EXPECT_GT(kept, 10);
  EXPECT_EQ(or_evaluate_all_constraints64(0), total);
}

TEST_F(PlantedEvaluators, FullEvaluationLeavesEveryCacheEntryNotComputed) {
  or_teacher_penalty_of_lesson(0);
  or_penalty_cache_commit2(0, 0);
  or_evaluate_all_constraints64(0);
  for (int t = 0; t < kMaxTeachers; ++t) ASSERT_EQ(g_teacher_penalty[t], kPenaltyNotComputed);
  for (int c = 0; c < kMaxClasses; ++c) ASSERT_EQ(g_class_penalty[c], kPenaltyNotComputed);
}

TEST_F(PlantedEvaluators, SharedTeacherKeepsItsValueBeforeTheMove) {
  // Two lessons of one teacher, neither with a second teacher, so that a
  // lesson's price is that teacher's own entry.
  int a = 0, b = -1;
  while (a < g_eng_school.lesson_count && lesson_has_second_teacher(a)) ++a;
  for (int l = a + 1; l < g_eng_school.lesson_count && b < 0; ++l)
    if (g_eng_lessons[l].teacher == g_eng_lessons[a].teacher && !lesson_has_second_teacher(l)) b = l;
  ASSERT_GE(b, 0);
  int t = g_eng_lessons[a].teacher;
  std::int64_t value = or_teacher_penalty_of_lesson(a);
  ASSERT_GT(value, 0);  // a real price, not an entry nobody computed
  or_penalty_cache_commit2(a, a);
  ASSERT_EQ(g_teacher_penalty[t], value);
  or_penalty_cache_open2(a, b);
  EXPECT_EQ(g_teacher_penalty_saved[t], value);
  or_penalty_cache_undo2(a, b);
  EXPECT_EQ(g_teacher_penalty[t], value);
}

TEST_F(PlantedEvaluators, SwitchedOffIdsCountOnlyInEvaluationModeTwo) {
  std::int64_t all = or_evaluate_all_constraints64(0);
  ConstraintSwitchTable[2].off = 1;
  std::int64_t without = or_evaluate_all_constraints64(0);
  EXPECT_LT(without, all);
  EXPECT_EQ(ConstraintStats[2].count, 0u);
  g_eval_mode = 2;
  EXPECT_EQ(or_evaluate_all_constraints64(0), all);
  g_eval_mode = 0;
}

// The sums walk a list of the switched-on ids: a switch byte or the mode
// written between two sums must show in the next one.
TEST_F(PlantedEvaluators, TeacherSumsFollowTheSwitchBytesAndTheMode) {
  std::vector<std::int64_t> on;
  std::int64_t total = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    on.push_back(or_teacher_penalty64(t));
    EXPECT_EQ(on.back(), g_teacher_full_penalty[t]) << t;
    total += on.back();
  }
  ASSERT_GT(total, 0);
  ConstraintSwitchTable[2].off = 1;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) EXPECT_EQ(or_teacher_penalty64(t), 0) << t;
  g_eval_mode = 2;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) EXPECT_EQ(or_teacher_penalty_checked(t), on[t]) << t;
  g_eval_mode = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) EXPECT_EQ(or_teacher_penalty64(t), 0) << t;
  ConstraintSwitchTable[2].off = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) EXPECT_EQ(or_teacher_penalty64(t), on[t]) << t;
}

// A sum leaves the first-hours check out for a teacher without its
// parameter only while the id is priced by that check's own rule.
TEST_F(PlantedEvaluators, ACheckPlantedInPlaceOfALeftOutRuleIsSummed) {
  g_evaluators[12] = {or_full_first_hours_min, or_delta_first_hours_min, 0};
  std::vector<std::int64_t> own;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    g_eng_teachers[t].pmin_hours = -1;
    own.push_back(or_teacher_penalty64(t));
  }
  g_evaluators[12] = {full2, delta2, 0};
  std::int64_t total = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    EXPECT_EQ(or_teacher_penalty64(t), 2 * own[t]) << t;
    total += own[t];
  }
  EXPECT_GT(total, 0);
}

TEST_F(PlantedEvaluators, HeldOutTeachersCountNothing) {
  or_evaluate_all_constraints64(0);
  std::int64_t teacher_part = 3 * static_cast<std::int64_t>(ConstraintStats[2].count);
  std::int64_t all = g_solver.total_score;
  ASSERT_GT(teacher_part, 0);
  for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].held_out = 1;
  EXPECT_EQ(or_evaluate_all_constraints64(0), all - teacher_part);
  EXPECT_EQ(ConstraintStats[2].count, 0u);
  for (int t = 0; t < g_eng_school.teacher_count; ++t) EXPECT_EQ(or_teacher_penalty_checked(t), 0);
}

TEST_F(PlantedEvaluators, FirstSearchPhaseCountsOnlyConstraint76) {
  g_solver.search_phase = 1;
  std::int64_t total = or_evaluate_all_constraints64(0);
  EXPECT_EQ(total, g_solver.subtotal_76);
  EXPECT_EQ(g_solver.class_subtotal, 0);
  EXPECT_EQ(ConstraintStats[2].count, 0u);
  for (int t = 0; t < g_eng_school.teacher_count; ++t) EXPECT_EQ(or_teacher_penalty_checked(t), 0);
  g_solver.search_phase = 0;
  EXPECT_EQ(or_teacher_penalty_checked(-1), 0);
}

TEST_F(PlantedEvaluators, LargeWeightsAreMultipliedIn64Bits) {
  for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].weight = 3717;
  ConstraintStats[2].weight = 1997 * 600;
  std::int64_t total = or_evaluate_all_constraints64(0);
  std::int64_t expected = static_cast<std::int64_t>(ConstraintStats[2].count) * 3717 * 1997 * 600;
  EXPECT_GT(expected, 0xFFFFFFFFll);
  EXPECT_GE(total, expected);
  EXPECT_EQ(or_evaluate_all_constraints(0), 0xFFFFFFFFu);
}

TEST(WorstChoice, TeacherWithTheLargestPenaltyWinsAndNoClassAboveZeroStaysNone) {
  build_school(SchoolSpec{}, 3);
  place_all_lessons();
  or_find_worst_teacher_and_class();
  int worst = g_status.worst_teacher.load();
  ASSERT_GE(worst, 0);  // a first teacher with penalty 0 is always taken
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    EXPECT_LE(or_teacher_penalty64(t), or_teacher_penalty64(worst)) << t;
  EXPECT_EQ(g_status.worst_class.load(), -2);
}

// A class's grid without its calendar pseudo-teacher keeps only the hours
// of ordinary teachers; teachers without points are held out.
TEST(RestoredHelpers, RealTeacherGridAndPointlessTeachers) {
  build_school(SchoolSpec{}, 5);
  place_all_lessons();
  int c = g_eng_lessons[0].class_index, t = g_eng_lessons[0].teacher;
  g_eng_teachers[t].calendar_class = c;  // the lesson's teacher stands for the class's calendar
  or_rebuild_class_grid_real_teachers(c);
  int d = g_eng_lessons[0].day, h = g_eng_lessons[0].hour;
  EXPECT_EQ(g_eng_classes[c].week_grid[d][h], kGridFree);
  g_eng_teachers[t].calendar_class = -1;
  or_rebuild_class_grid(c);
  EXPECT_EQ(g_eng_classes[c].week_grid[d][h], 0);
  for (int k = 0; k < g_eng_school.teacher_count; ++k) {
    g_eng_teachers[k].held_out = 0;
    g_eng_teachers[k].points = k % 2;
  }
  or_hold_out_pointless_teachers();
  for (int k = 0; k < g_eng_school.teacher_count; ++k) EXPECT_EQ(g_eng_teachers[k].held_out, k % 2 == 0) << k;
}

}  // namespace
