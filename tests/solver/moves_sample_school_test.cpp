// The moves on the realistic sample school (examples/liceo, read by the
// loader from a temporary copy): from a seeded random timetable the class
// pair sweep and the focused sweep lower the weighted cost and keep the
// placement free of clashes, class gaps and double-booked rooms, and so do
// the colleague rotations.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/engine_random.h"
#include "engine/loader.h"
#include "engine/model_post_passes.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/colleague_rotations.h"
#include "class_delta_sum.h"
#include "solver/cost_evaluation.h"
#include "solver/initial_assignment.h"
#include "solver/neighbourhood_moves.h"
#include "solver/placement_state.h"
#include "solver/search_weights.h"

namespace fs = std::filesystem;

namespace {

class SampleSchoolMoves : public ::testing::Test {
 protected:
  void SetUp() override {
    copy_ = std::make_unique<SchoolCopy>("liceo");
    old_ = fs::current_path();
    fs::current_path(copy_->folder());
    reset_run_state();
    or_reset_model();
    or_load_description("scuola2.txt", 1);
    or_finish_loaded_model();
    reset_run_state();
    or_reset_weights(1);
    fs::current_path(old_);
    ASSERT_GT(g_eng_school.lesson_count, 0);
    ASSERT_TRUE(place_seeded(7));
    g_solver.search_phase = 2;
  }
  void TearDown() override { copy_.reset(); }
  std::unique_ptr<SchoolCopy> copy_;
  fs::path old_;
};

TEST_F(SampleSchoolMoves, ClassPairSweepLowersTheWeightedCost) {
  std::int64_t start = or_evaluate_all_constraints64(0);
  ASSERT_GT(start, 0);
  int kept = or_sweep_class_pairs();
  EXPECT_GT(kept, 0);
  expect_sound_placement("liceo");
  EXPECT_LT(or_evaluate_all_constraints64(0), start);
}

TEST_F(SampleSchoolMoves, FocusedSweepLowersTheCostItPrices) {
  std::int64_t start = or_evaluate_all_constraints64(0);
  std::int64_t running = 0;
  or_sweep_focused_class_pairs(&running);
  expect_sound_placement("liceo");
  // The moves price the touched teachers and classes only; constraints that
  // join classes (shared common rooms) may move the total a little beyond
  // the running score, never by much.
  std::int64_t full = or_evaluate_all_constraints64(0);
  EXPECT_LT(running, start);
  EXPECT_LT(full, start);
  EXPECT_LE(full > running ? full - running : running - full, start / 100);
}

TEST_F(SampleSchoolMoves, ColleagueRotationsKeepThePlacementSound) {
  or_alloc_colleague_table();
  ASSERT_GT(g_colleague_pair_count, 0);
  or_evaluate_all_constraints64(0);
  g_engine_random.seed_with(11);
  int kept = or_swap_colleague_slots(0) + or_swap_colleague_slots(1);
  EXPECT_GE(kept, 0);
  expect_sound_placement("liceo");
}

}  // namespace
