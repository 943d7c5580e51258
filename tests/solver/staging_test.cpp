// Constraint staging, the teacher test set and the search weights.
#include <gtest/gtest.h>

#include <vector>

#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"
#include "solver/search_weights.h"

namespace {

class Staging : public ::testing::Test {
 protected:
  void SetUp() override {
    SchoolSpec spec;
    spec.lessons_per_class = 4;
    build_school(spec, 1);
    g_staging = {};
    g_eng_run.run_mode = 15;
  }
};

TEST_F(Staging, EverythingOffThenFreeIdsThenThePriorityOrderWith48Last) {
  g_staging.gap_staging = 1;
  or_staging_start(-1);
  EXPECT_EQ(g_status.switched_off_count.load(), 94);  // 0 and 95 stay on
  ASSERT_EQ(or_staging_next(), 1);
  EXPECT_EQ(g_status.stage_id.load(), 94);
  for (int id : {1, 69, 70, 71, 72, 73, 74, 90, 91, 92, 93, 94}) EXPECT_EQ(ConstraintSwitchTable[id].off, 0) << id;
  std::vector<int> order;
  while (g_status.switched_off_count.load() > 0) {
    ASSERT_EQ(or_staging_next(), 1);
    order.push_back(g_status.stage_id.load());
    ASSERT_LE(order.size(), 82u);
  }
  EXPECT_EQ(order, std::vector<int>(kStagingOrder, kStagingOrder + 82));
  EXPECT_EQ(g_status.history_count.load(), 1);
  EXPECT_EQ(g_status.history_codes[0], 52);
  EXPECT_STREQ(g_status.status_text, "ORE BUCHE");
}

TEST_F(Staging, WithoutGapStagingEverythingButGapsComesOnAndThenNothingMore) {
  or_staging_start(-1);
  int steps = 0;
  while (or_staging_next() == 1) ASSERT_LT(++steps, 100);
  EXPECT_EQ(g_status.switched_off_count.load(), 1);
  EXPECT_EQ(ConstraintSwitchTable[48].off, 1);
  int stage = g_status.stage_id.load();
  EXPECT_EQ(or_staging_next(), 0);
  EXPECT_EQ(g_status.stage_id.load(), stage);
}

TEST_F(Staging, FullRunHistoryTakesNoMoreCodes) {
  g_staging.gap_staging = 1;
  g_staging.gap_option = 1;
  for (int i = 0; i < 99; ++i) or_append_history(7);
  or_staging_start(-1);
  while (ConstraintSwitchTable[48].off) or_staging_next();
  EXPECT_EQ(g_status.history_count.load(), 99);
}

TEST_F(Staging, StartOnOneStageSwitchesOnlyItOff) {
  or_staging_start(48);
  EXPECT_EQ(g_status.switched_off_count.load(), 1);
  EXPECT_EQ(ConstraintSwitchTable[48].off, 1);
  EXPECT_EQ(g_status.gap_tolerance_level.load(), 7);
  EXPECT_EQ(g_staging.gap_weighting, 7);
  EXPECT_EQ(g_status.teachers_in_test.load(), g_eng_school.teacher_count);
}

TEST_F(Staging, KeepSatisfiedStartLeavesTheZeroCostIdsOn) {
  OnlyPlantedEvaluators nothing_priced;  // so every id is satisfied
  or_staging_start(-2);
  EXPECT_EQ(or_count_switched_off(), 0);
}

TEST_F(Staging, TestSetResetAndGrading) {
  or_reset_test_teachers(5);
  EXPECT_EQ(g_status.teachers_in_test.load(), g_eng_school.teacher_count);
  EXPECT_EQ(or_reset_test_teachers(-1), 0);
  g_eng_teachers[3].tekgrado[0] = 1;
  g_eval_mode = 2;
  EXPECT_EQ(or_reset_test_teachers(1), g_eng_school.teacher_count - 1);
  EXPECT_EQ(g_eng_teachers[3].in_test, 0);
  g_eval_mode = 0;
}

TEST_F(Staging, AddingTakesTheFewestPointsAndFailsWhenNobodyIsLeft) {
  or_reset_test_teachers(-1);
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    g_eng_teachers[t].points = 100 - t;
    g_eng_teachers[t].gap_marker = 1;
  }
  EXPECT_EQ(or_add_test_teachers(1), 1);
  EXPECT_EQ(g_eng_teachers[g_eng_school.teacher_count - 1].in_test, 1);
  or_reset_test_teachers(1);
  EXPECT_EQ(or_add_test_teachers(1), -1);
}

TEST_F(Staging, ReleaseTakesTheHighestRankElseTheMostPoints) {
  or_staging_start(0);
  for (auto& s : ConstraintSwitchTable) s.off = 0;
  or_reset_test_teachers(1);
  g_eng_teachers[2].points = 50;
  g_eng_teachers[7].points = 50;
  EXPECT_EQ(or_release_test_teacher(), g_eng_school.teacher_count - 1);
  EXPECT_EQ(g_status.released_teacher.load(), 7);  // the later on ties
  g_eng_teachers[4].release_rank = 3;
  or_release_test_teacher();
  EXPECT_EQ(g_status.released_teacher.load(), 4);
}

TEST(Weights, ModeTwoRaisesOneWeightPerCallInTurn) {
  build_school(SchoolSpec{}, 1);
  g_weights.mode = 2;
  g_weights.cursor = 10;
  g_weights.increment = 177;
  g_weights.stage_focus = 0;
  g_eng_run.run_mode = 15;
  g_status.stage_id = -1;
  g_status.level = 1;
  or_perturb_weights();
  EXPECT_EQ(ConstraintStats[11].weight, 178u);
  or_perturb_weights();
  EXPECT_EQ(ConstraintStats[12].weight, 179u);
  EXPECT_EQ(ConstraintStats[13].weight, 1u);
  EXPECT_EQ(g_weights.increment, 179u);
}

TEST(Weights, ResetGivesPseudoTeachersTheirWeightAndFocusingIsolatesOneId) {
  build_school(SchoolSpec{}, 1);
  g_eng_teachers[2].pseudo_flag = 1;
  g_eng_teachers[5].points = 9;
  or_reset_weights(1);
  EXPECT_EQ(g_eng_teachers[2].weight, kPseudoTeacherWeight);
  EXPECT_EQ(g_eng_teachers[1].weight, 1u);
  EXPECT_EQ(g_eng_teachers[5].points, 0u);
  EXPECT_EQ(or_focus_single_constraint(59), 59);
  EXPECT_EQ(ConstraintStats[59].weight, 1u);
  EXPECT_EQ(ConstraintStats[58].weight, kFocusWeight);
  or_reset_weights(1);
  EXPECT_EQ(ConstraintStats[58].weight, 1u);
}

TEST(Release, TheMostPointsAreReleasedFirstAndTiesGoToTheLater) {
  build_school(SchoolSpec{}, 1);
  g_release.cursor = 0;
  or_setup_test_set(-1);  // everyone held out, teacher 0 released
  int teachers = g_eng_school.teacher_count;
  EXPECT_EQ(g_status.level.load(), teachers - 1);
  g_eng_teachers[3].points = 40;
  g_eng_teachers[8].points = 40;
  EXPECT_EQ(or_next_test_teacher(1, 0), 1);
  EXPECT_EQ(g_release.stage_teacher, 8);
  EXPECT_EQ(g_status.level.load(), teachers - 2);
  EXPECT_EQ(or_next_test_teacher(1, 0), 1);
  EXPECT_EQ(g_release.stage_teacher, 3);
}

TEST(Release, AgingNeverDividesByZero) {
  build_school(SchoolSpec{}, 1);
  g_weights.age_divisor = 0;
  g_eng_teachers[1].points2 = 4000000000u;
  or_age_teacher_points();
  EXPECT_EQ(g_eng_teachers[1].points2, 2000000000u);
  g_weights.age_divisor = 1;
}

TEST(Release, AMovedJointLessonReleasesTheOtherTeacherWithTheLargerPoints) {
  build_school(SchoolSpec{}, 1);
  EngineLesson& a = g_eng_lessons[0];
  int other = 40;
  a.joint_count = 1;
  a.joint_lessons[0] = other;
  int ta = a.teacher, tb = g_eng_lessons[other].teacher;
  ASSERT_NE(ta, tb);
  g_eng_teachers[tb].held_out = 1;
  g_eng_teachers[ta].points = 5;
  g_eng_teachers[tb].points = 30;
  g_eng_teachers[ta].points2 = 8;
  g_lesson_buildings[0].moved = 1;
  EXPECT_EQ(or_merge_joint_points(), 1);
  EXPECT_EQ(g_eng_teachers[tb].held_out, 0);
  EXPECT_EQ(g_eng_teachers[ta].points, 30u);
  EXPECT_EQ(g_eng_teachers[tb].points2, 8u);
  EXPECT_EQ(g_lesson_buildings[0].moved, 0);
  EXPECT_EQ(or_merge_joint_points(), 0);
}

TEST(Release, TestTraceCountsAndNamesTheTeacher) {
  build_school(SchoolSpec{}, 1);
  g_release.class_under_test = -1;
  g_release.teacher_under_test = 4;
  or_trace_test_state();
  EXPECT_EQ(g_status.focus_mode.load(), 13);
  EXPECT_EQ(g_status.test_count.load(), g_eng_school.teacher_count - 5);
  EXPECT_STREQ(g_status.test_display_name, "PROF04");
  g_release.teacher_under_test = -1;
  or_trace_test_state();
  EXPECT_EQ(g_status.focus_mode.load(), 12);
  EXPECT_EQ(g_status.test_counter.load(), 2);
}

}  // namespace
