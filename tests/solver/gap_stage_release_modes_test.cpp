// Past the release threshold of the gap stage's teacher-side move, the
// held-out teacher with the most points is released -- in the evaluation
// mode that prices only the graded teachers (mode 1), among the graded
// ones alone; in the plain mode and the mode where every evaluator runs
// (0 and 2), among all of them. The case table gives each mode the same
// teachers and says who is released.
#include <gtest/gtest.h>

#include <cstdint>

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

struct Held {
  int teacher;
  std::uint32_t points;
  bool graded;
};

struct ReleaseCase {
  const char* name;
  std::uint8_t mode;
  Held held[3];
  int held_count;
  int expected;  // -1: nobody released
};

void PrintTo(const ReleaseCase& c, std::ostream* os) { *os << c.name; }

class ReleaseByMode : public ::testing::TestWithParam<ReleaseCase> {};

int released_after_threshold(const ReleaseCase& c) {
  build_school(SchoolSpec{}, 46);
  g_engine_random.seed_with(46);
  place_all_lessons();
  or_rebuild_grids_and_evaluate();
  or_reset_search_state();
  or_reset_teacher_side_state();
  g_process_number = 0;
  or_snapshot_current_placement();
  int n = g_eng_school.teacher_count;
  for (int t = 0; t < n; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    x.in_test = 1;
    x.gap_marker = 0;
    x.held_out = 0;
    x.points = x.points2 = 0;
    x.tekgrado[0] = 0;
  }
  // A teacher outside the held-out set with the most points of all: never
  // the one released.
  g_eng_teachers[4].points = 50;
  g_eng_teachers[4].tekgrado[0] = 1;
  for (int i = 0; i < c.held_count; ++i) {
    EngineTeacher& x = g_eng_teachers[c.held[i].teacher];
    x.held_out = 1;
    x.points = c.held[i].points;
    x.tekgrado[0] = c.held[i].graded ? 1 : 0;
  }
  g_eval_mode = c.mode;
  g_status.teachers_in_test = n;
  g_status.released_teacher = -1;
  g_status.stage_id = 48;
  g_staging.gap_stage_value = 0;
  g_status.run_state = kRunStateStopRequested;  // price the calls, run no round
  std::int32_t score;
  for (int call = 0; call < 60; ++call) or_teacher_side_move(1, -1, &score);
  g_status.run_state = 0;
  g_status.stage_id = -1;
  g_eval_mode = 0;
  int released = g_status.released_teacher;
  if (released <= -100) released = -100 - released;
  return released;
}

TEST_P(ReleaseByMode, TheRightHeldOutTeacherIsReleased) {
  const ReleaseCase c = GetParam();
  KT_IN_FRESH_PROCESS({
    int released = released_after_threshold(c);
    ASSERT_GE(g_eng_school.teacher_count, 5);
    EXPECT_EQ(released, c.expected);
  });
}

const ReleaseCase kCases[] = {
    {"Plain_UngradedWithMorePointsWins", 0, {{1, 7, true}, {2, 9, false}}, 2, 2},
    {"Plain_GradedWithMorePointsWins", 0, {{1, 9, true}, {2, 7, false}}, 2, 1},
    {"GradedOnly_UngradedPassedOver", 1, {{1, 7, true}, {2, 9, false}}, 2, 1},
    {"GradedOnly_MostPointsAmongGraded", 1, {{1, 7, true}, {2, 9, false}, {3, 8, true}}, 3, 3},
    {"GradedOnly_NoGradedHeldOut", 1, {{1, 7, false}, {2, 9, false}}, 2, -1},
    {"EveryEvaluator_UngradedWithMorePointsWins", 2, {{1, 7, true}, {2, 9, false}}, 2, 2},
    {"EveryEvaluator_AllUngraded", 2, {{1, 7, false}, {2, 9, false}, {3, 8, false}}, 3, 2},
};

INSTANTIATE_TEST_SUITE_P(Modes, ReleaseByMode, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ReleaseCase>& i) { return std::string(i.param.name); });

}  // namespace
