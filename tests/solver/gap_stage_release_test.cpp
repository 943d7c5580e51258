// Past the release threshold of the gap stage's teacher-side move, with
// every teacher in test, the held-out teacher with the most points becomes
// the released teacher; a teacher not held out, however many points he
// has, is not chosen, and once one is released only a held-out teacher
// with more points than his would take his place.
#include <gtest/gtest.h>

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

TEST(GapStageRelease, TheHeldOutTeacherWithTheMostPointsIsReleased) {
  // The side move keeps its call averages for the whole run: a run of its
  // own sees them as orario does at its start.
  KT_IN_FRESH_PROCESS({
    build_school(SchoolSpec{}, 46);
    g_engine_random.seed_with(46);
    place_all_lessons();
    or_rebuild_grids_and_evaluate();
    or_reset_search_state();
    or_reset_teacher_side_state();
    g_process_number = 0;
    or_snapshot_current_placement();
    int n = g_eng_school.teacher_count;
    ASSERT_GE(n, 5);
    for (int t = 0; t < n; ++t) {
      EngineTeacher& x = g_eng_teachers[t];
      x.in_test = 1;
      x.gap_marker = 0;
      x.held_out = 0;
      x.points = x.points2 = 0;
    }
    g_eng_teachers[1].held_out = 1;
    g_eng_teachers[1].points = 7;
    g_eng_teachers[2].held_out = 1;
    g_eng_teachers[2].points = 9;
    g_eng_teachers[3].points = 20;  // not held out
    g_status.teachers_in_test = n;
    g_status.released_teacher = -1;
    g_status.stage_id = 48;
    g_staging.gap_stage_value = 0;
    g_status.run_state = kRunStateStopRequested;  // price the calls, run no round
    std::int32_t score;
    for (int call = 0; call < 60; ++call) or_teacher_side_move(1, -1, &score);
    g_status.run_state = 0;
    g_status.stage_id = -1;
    int released = g_status.released_teacher;
    if (released <= -100) released = -100 - released;
    EXPECT_EQ(released, 2);
  });
}

}  // namespace
