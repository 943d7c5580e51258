// The teacher-side move: a class of identical lessons gives no exchange, an
// exchange that costs nothing is kept and a score below 1 ends the call at
// once, the pacing value by errors, call counter and process, and the gap
// stage's points.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "engine/engine_random.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "fresh_process.h"
#include "school_fixture.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"
#include "solver/placement_state.h"
#include "solver/search_state.h"
#include "solver/teacher_side_move.h"

namespace {

class TeacherSideTest : public ::testing::Test {
 protected:
  void prepare(const SchoolSpec& spec, std::uint64_t seed) {
    build_school(spec, seed);
    g_engine_random.seed_with(seed);
    place_all_lessons();
    or_rebuild_grids_and_evaluate();
    or_reset_search_state();
    or_reset_teacher_side_state();
    g_process_number = 0;
  }
  void TearDown() override {
    g_process_number = 0;
    or_set_teacher_side_sleep(nullptr);
  }
};

TEST_F(TeacherSideTest, FreeExchangeKeptAndZeroScoreEndsTheCall) {
  prepare(SchoolSpec{}, 42);
  for (ConstraintSwitch& s : ConstraintSwitchTable) s.off = 1;
  or_rebuild_grids_and_evaluate();
  or_penalty_cache_invalidate_all();
  ASSERT_EQ(g_solver.total_score, 0);
  std::int32_t score = -1;
  EXPECT_EQ(or_teacher_side_move(1, -1, &score), 1) << "delta 0 kept, then the score 0 ends it";
  EXPECT_EQ(score, 0);
  for (ConstraintSwitch& s : ConstraintSwitchTable) s.off = 0;
}

TEST_F(TeacherSideTest, PacingByCallCounterErrorsAndProcess) {
  prepare(SchoolSpec{}, 43);
  g_status.teachers_in_test = 0;  // base (0 x 3 + 685) / 4 = 171
  g_status.error_count = 5;
  std::int32_t score;
  struct Step {
    const char* id;
    int errors;
    int process;
    int exchanges;
    int pacing;
  } steps[] = {
      {"P1 first call doubles", 5, 0, 0, 342},
      {"P2 then the base (the counter went -1, 1, 2)", 5, 0, 0, 171},
      {"P3 and again", 5, 0, 0, 171},
      {"P4 one error doubles", 1, 0, 0, 342},
      {"P5 worker, third exchange count", 5, 1, 3, 513},
      {"P6 worker otherwise", 5, 1, 4, 256},
  };
  for (const Step& s : steps) {
    g_process_number = static_cast<std::int8_t>(s.process);
    g_search.exchanges = s.exchanges;
    g_status.error_count = s.errors;
    g_status.run_state = kRunStateStopRequested;  // price the call, run no round
    or_teacher_side_move(1, -1, &score);
    g_status.run_state = 0;
    EXPECT_EQ(or_pacing_value(), s.pacing) << s.id;
  }
}

// In the gap stage, the 28th call brings the gap-stage value from 1 to 0:
// every teacher still in test with a gap marker (1 or more) earns a point.
TEST_F(TeacherSideTest, GapValueAtZeroGivesAPointToTestTeachersWithAGapMarker) {
  // The side move keeps its call averages for the whole run: a run of its
  // own sees them as orario does at its start, whatever ran before.
  KT_IN_FRESH_PROCESS({
    prepare(SchoolSpec{}, 45);
    or_snapshot_current_placement();  // the step goes back to it when gaps are not all the errors
    ASSERT_GT(g_solver.total_score, 0);
    int n = g_eng_school.teacher_count;
    ASSERT_GE(n, 3);
    for (int t = 0; t < n; ++t) {
      g_eng_teachers[t].in_test = 1;
      g_eng_teachers[t].gap_marker = static_cast<std::uint8_t>(t % 3);
      g_eng_teachers[t].points = g_eng_teachers[t].points2 = 0;
    }
    g_status.teachers_in_test = n;
    g_status.stage_id = 48;
    g_staging.gap_stage_value = 1;
    g_status.run_state = kRunStateStopRequested;  // price the calls, run no round
    std::int32_t score;
    for (int call = 0; call < 27; ++call) or_teacher_side_move(1, -1, &score);
    g_status.run_state = 0;
    g_status.stage_id = -1;
    EXPECT_EQ(g_staging.gap_stage_value, 0u);
    int released = g_status.released_teacher;
    if (released <= -100) released = -100 - released;
    int earned = 0;
    for (int t = 0; t < n; ++t) {
      if (t == released) continue;
      const EngineTeacher& x = g_eng_teachers[t];
      std::uint32_t expected = x.in_test >= 1 && x.gap_marker > 0 ? 1 : 0;
      EXPECT_EQ(x.points2, expected) << t;
      earned += x.gap_marker == 1 && x.in_test >= 1 ? 1 : 0;
    }
    EXPECT_GT(earned, 0) << "a teacher with marker 1 stays in test";
  });
}

}  // namespace
