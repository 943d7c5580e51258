// The gap stage: the stall test, the staging requests of the computation
// page, the "EDY " pass, and the gap tolerance lowered at a round's end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "engine/engine_random.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/constraint_catalogue.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"
#include "solver/gap_stage.h"
#include "solver/placement_state.h"
#include "solver/result_history.h"
#include "solver/search_loop_parts.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"

namespace fs = std::filesystem;

namespace {

class GapStageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::make_unique<TempCommandFolder>();
    ::setenv("KESTRINTEMPUS_ROOT", fs::current_path().c_str(), 1);
    SchoolSpec spec;
    spec.classes = 2;
    spec.teachers = 4;
    spec.lessons_per_class = 20;
    build_school(spec, 71);
    g_engine_random.seed_with(71);
    place_all_lessons();
    reset_run_state();
    or_reset_search_state();
    or_reset_gap_stage();
    saved_weights_ = g_weights;
  }
  void TearDown() override {
    // A staging request served here sets the stage focus, which only the end
    // of a stage clears: the weights go back as they were found.
    g_weights = saved_weights_;
    for (ConstraintSwitch& s : ConstraintSwitchTable) s.off = 0;
    g_status.stage_id = -1;
    folder_.reset();
  }
  std::unique_ptr<TempCommandFolder> folder_;
  SearchWeightState saved_weights_;
};

TEST_F(GapStageTest, StallTestAnswers) {
  struct Case {
    const char* id;
    int level, errors, count, target, stage_error, teacher, marker, quality;
    int expected;
  } cases[] = {
      {"S1 teachers held out", 1, 5, 0, 9, 5, -1, 0, 3, 0},
      {"S2 count two below target, only gap errors", 0, 5, 2, 4, 5, -1, 0, 3, 1},
      {"S3 gap teacher one above the stage error", 0, 5, 4, 4, 3, 1, 4, 3, 1},
      {"S4 first look notes and answers 1", 0, 5, 4, 4, 3, -1, 0, 3, 1},
      {"S5 the same again is a stall", 0, 5, 4, 4, 3, -1, 0, 3, 0},
      {"S6 a worse quality is a stall", 0, 5, 4, 4, 3, -1, 0, 4, 0},
      {"S7 a better quality is not", 0, 5, 4, 4, 3, -1, 0, 2, 1},
      {"S8 fewer errors is not", 0, 4, 4, 4, 3, -1, 0, 9, 1},
  };
  for (const Case& c : cases) {
    g_status.level = c.level;
    g_status.error_count = c.errors;
    g_status.gap_stage_count = c.count;
    g_status.gap_stage_target = c.target;
    g_status.gap_stage_error = c.stage_error;
    g_status.gap_stage_teacher = c.teacher;
    if (c.teacher >= 0) g_eng_teachers[c.teacher].gap_marker = static_cast<std::uint8_t>(c.marker);
    g_search.stage_quality_value = static_cast<std::uint32_t>(c.quality);
    EXPECT_EQ(or_gap_stage_stall_test(), c.expected) << c.id;
  }
}

TEST_F(GapStageTest, StagingRequestsAreServedAndAcknowledged) {
  g_status.stage_id = 12;
  g_status.stage_value = -1;
  g_search.cycles = 40;
  g_search.cycle_limit = 70;
  g_status.staging_request = 8;
  or_serve_staging_requests();
  EXPECT_EQ(g_search.cycle_limit, 50) << "R1 leaving: ten more cycles outside the gap stage";
  EXPECT_EQ(g_status.staging_request.load(), 0);
  EXPECT_EQ(g_status.staging_ack.load(), 8);

  g_status.staging_request = 4;
  g_status.staging_parameter = 1;
  or_serve_staging_requests();
  EXPECT_EQ(g_search.cycle_limit, 1050) << "R2 applying again at level 0 gives 1000 cycles";
  EXPECT_EQ(g_weights.stage_focus, 1) << "R2 the parameter becomes the stage focus";
  EXPECT_EQ(g_status.staging_ack.load(), 12);
  EXPECT_EQ(g_status.staging_request.load(), 0);

  g_status.staging_request = 0;
  or_serve_staging_requests();
  EXPECT_EQ(g_search.cycle_limit, 1050) << "R3 nothing asked, nothing done";
}

// Applying the stage again while teachers are held out (a level above 0)
// releases every one of them, forgets the stage's start, focuses the
// weights on the stage and gives 2500 more cycles from the present errors.
TEST_F(GapStageTest, ApplyingAgainAboveLevelZeroReleasesEveryTeacher) {
  g_status.stage_id = 12;
  g_status.stage_value = 3;
  g_status.stage_start_id = 5;
  g_status.gap_stage_teacher = -1;
  or_setup_test_set(0);  // all but teacher 0 held out
  ASSERT_EQ(g_status.level.load(), g_eng_school.teacher_count - 1);
  g_search.cycle_limit = 70;
  g_search.error_adjustment = 1;
  g_status.staging_parameter = 1;
  g_status.staging_ack = 0;
  g_status.staging_request = 4;
  or_serve_staging_requests();
  for (int t = 0; t < g_eng_school.teacher_count; ++t) EXPECT_EQ(g_eng_teachers[t].held_out, 0) << t;
  EXPECT_EQ(g_status.level.load(), 0);
  EXPECT_EQ(g_status.stage_value.load(), -1);
  EXPECT_EQ(g_status.stage_start_id.load(), -1);
  EXPECT_EQ(g_search.cycle_limit, 70 + 2500);
  EXPECT_EQ(g_search.low_point, g_status.error_count.load() - 1);
  EXPECT_EQ(g_weights.stage_focus, 1);
  EXPECT_EQ(g_status.staging_request.load(), 0);
  EXPECT_EQ(g_status.staging_ack.load(), 4);
}

TEST_F(GapStageTest, EdyPassKeepsOnlyAnImprovementAndNotTheKeptPlacement) {
  int n = g_eng_school.lesson_count;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    g_eng_teachers[t].free_day_count = 1;  // every teacher wants a free day: constraint 5
    g_eng_teachers[t].free_days[0] = 0;
  }
  or_rebuild_grids_and_evaluate();
  or_keep_search_placement();
  std::vector<std::uint16_t> kept(g_current_placement, g_current_placement + n);
  std::vector<std::uint16_t> live(static_cast<std::size_t>(n));
  or_copy_placement(live.data());
  int errors = g_status.error_count;
  std::uint32_t c5 = ConstraintStats[5].count;
  g_search.cycles = 30;
  EXPECT_FALSE(or_edy_pass()) << "E1 not requested";
  g_search.edy_request = 1;
  EXPECT_TRUE(or_edy_pass());
  EXPECT_EQ(g_search.cycles, 31) << "E2 the pass is a counted cycle";
  EXPECT_FALSE(or_edy_due()) << "E3 the next one waits 17 cycles";
  EXPECT_EQ(std::vector<std::uint16_t>(g_current_placement, g_current_placement + n), kept);
  std::vector<std::uint16_t> after(static_cast<std::size_t>(n));
  or_copy_placement(after.data());
  if (after != live) {
    EXPECT_LT(ConstraintStats[5].count, c5) << "E4 a kept exchange helped constraint 5";
    EXPECT_LE(static_cast<int>(g_status.error_count), errors);
  }
  g_search.cycles = 48;
  EXPECT_TRUE(or_edy_due());
}

TEST_F(GapStageTest, RoundEndLowersTheToleranceOnceEveryTeacherIsOut) {
  for (ConstraintSwitch& s : ConstraintSwitchTable) s.off = 1;
  ConstraintSwitchTable[kGapStageId].off = 0;
  g_status.stage_id = kGapStageId;
  g_status.gap_tolerance_level = 7;
  g_status.gap_stage_state = 7;
  or_prepare_search_tables();
  or_reset_test_teachers(-1);
  or_rebuild_grids_and_evaluate();
  ASSERT_EQ(g_status.error_count.load(), 0);
  g_search.stage_quality_value = 99;
  EXPECT_TRUE(or_gap_stage_round_end());
  // State and tolerance one lower, everyone in test for the next round.
  EXPECT_EQ((std::vector<int>{g_status.gap_stage_state.load(), g_status.gap_tolerance_level.load(),
                              g_status.teachers_in_test.load(), g_search.stage_quality_byte,
                              g_status.history_codes[g_status.history_count - 1]}),
            (std::vector<int>{6, 6, 4, 6, 59}));

  or_reset_test_teachers(-1);
  g_status.gap_stage_state = 0;
  EXPECT_FALSE(or_gap_stage_round_end()) << "at state 0 the stage is done";
  or_reset_test_teachers(1);
  g_status.gap_stage_state = 3;
  EXPECT_FALSE(or_gap_stage_round_end()) << "teachers still in test";
}

TEST_F(GapStageTest, TheLastLoweringDoesNotEndTheLoopWithEveryoneInTest) {
  // Every constraint on, the gap stage at its last step with nobody in test
  // and no error left: the end of the stage lowers the tolerance to 0 and
  // puts every teacher in test, whose gaps then count nothing. The loop must
  // go on and release them, not take the empty count for a settled round.
  // Only the gap hours are priced.
  EvaluatorPair gaps = g_evaluators[kGapStageId];
  OnlyPlantedEvaluators only;
  g_evaluators[kGapStageId] = gaps;
  for (ConstraintSwitch& s : ConstraintSwitchTable) s.off = 0;
  g_status.stage_id = kGapStageId;
  g_status.gap_tolerance_level = 7;
  g_status.gap_stage_state = 1;
  or_prepare_search_tables();
  or_reset_test_teachers(-1);
  or_rebuild_grids_and_evaluate();
  ASSERT_EQ(g_status.error_count.load(), 0);
  g_search.search_state = 2;
  EXPECT_FALSE(or_end_of_stage(1, -1));
  EXPECT_EQ(g_status.gap_stage_state.load(), 0);
  EXPECT_EQ(g_status.teachers_in_test.load(), 4);
}

}  // namespace
