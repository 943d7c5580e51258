// The moves on the realistic sample school (examples/liceo, read by the
// loader from a temporary copy): from a seeded random timetable the class
// pair sweep and the focused sweep lower the weighted cost and keep the
// placement free of clashes, class gaps and double-booked rooms; the whole
// evaluation equals the sum of the teacher and class sums; the colleague
// rotations book no room twice.
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

void expect_no_clash_or_gap() {
  // The grids the moves kept equal a rebuild from the placement.
  static EngineClass classes[kMaxClasses];
  static EngineTeacher teachers[kMaxTeachers];
  for (int c = 0; c < g_eng_school.class_count; ++c) classes[c] = g_eng_classes[c];
  for (int t = 0; t < g_eng_school.teacher_count; ++t) teachers[t] = g_eng_teachers[t];
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
  for (int c = 0; c < g_eng_school.class_count; ++c)
    EXPECT_EQ(std::memcmp(classes[c].week_grid, g_eng_classes[c].week_grid, sizeof classes[c].week_grid), 0) << c;
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    EXPECT_EQ(std::memcmp(teachers[t].lesson_per_slot, g_eng_teachers[t].lesson_per_slot,
                          sizeof teachers[t].lesson_per_slot), 0) << t;
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    ASSERT_EQ(or_find_lesson_conflict(l), kNoConflict) << "lesson " << l;
  EXPECT_EQ(or_any_class_has_gap(), 0);
}

TEST_F(SampleSchoolMoves, ClassPairSweepLowersTheWeightedCost) {
  std::int64_t start = or_evaluate_all_constraints64(0);
  ASSERT_GT(start, 0);
  int kept = or_sweep_class_pairs();
  EXPECT_GT(kept, 0);
  expect_no_clash_or_gap();
  EXPECT_LT(or_evaluate_all_constraints64(0), start);
}

TEST_F(SampleSchoolMoves, FocusedSweepLowersTheCostItPrices) {
  std::int64_t start = or_evaluate_all_constraints64(0);
  std::int64_t running = 0;
  or_sweep_focused_class_pairs(&running);
  expect_no_clash_or_gap();
  // The moves price the touched teachers and classes only; constraints that
  // join classes (shared common rooms) may move the total a little beyond
  // the running score, never by much.
  std::int64_t full = or_evaluate_all_constraints64(0);
  EXPECT_LT(running, start);
  EXPECT_LT(full, start);
  EXPECT_LE(full > running ? full - running : running - full, start / 100);
}

TEST_F(SampleSchoolMoves, WholeEvaluationEqualsTheTeacherAndClassSums) {
  or_evaluate_all_constraints64(0);  // settles the car-share tolerances
  std::int64_t full = or_evaluate_all_constraints64(0);
  std::int64_t sum = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) sum += or_teacher_penalty_checked(t);
  for (int c = 0; c < g_eng_school.class_count; ++c) sum += solver_test::class_delta_sum(c);
  EXPECT_EQ(full, sum);
}

TEST_F(SampleSchoolMoves, ColleagueRotationsKeepThePlacementSound) {
  or_alloc_colleague_table();
  ASSERT_GT(g_colleague_pair_count, 0);
  or_evaluate_all_constraints64(0);
  g_engine_random.seed_with(11);
  int kept = or_swap_colleague_slots(0) + or_swap_colleague_slots(1);
  EXPECT_GE(kept, 0);
  expect_no_clash_or_gap();
  for (int s = 0; s < kWeekSlots; ++s)
    for (std::uint32_t i = 0; i < g_slot_lessons[s].count; ++i)
      for (std::uint32_t j = i + 1; j < g_slot_lessons[s].count; ++j) {
        int a = g_slot_lessons[s].lesson[i], b = g_slot_lessons[s].lesson[j];
        if (a < 0 || b < 0) continue;
        EXPECT_NE(or_lesson_pair_conflict(a, b), kConflictRoom) << a << " " << b;
      }
}

}  // namespace
