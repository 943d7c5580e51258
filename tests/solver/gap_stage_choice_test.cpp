// The gap stage's choice of the teacher to work on, on liceo's computed week
// (its errors are gap hours above the allowance, and two teachers over a
// daily limit, which the gap stage does not look at), checked with the
// search's tables prepared: every teacher over the real allowance is marked
// for the second test and counted, the count is the round's gap-stage
// count, and the chosen teacher is one with the most gap hours above it,
// the one with more points among equals.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "bundled_schools.h"
#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/constraint_catalogue.h"
#include "solver/cost_evaluation.h"
#include "solver/gap_stage.h"
#include "solver/search_state.h"

namespace fs = std::filesystem;

namespace {

TEST(GapStageChoice, EveryTeacherOverTheAllowanceIsCountedAndTheWorstChosen) {
  SchoolCopy school("liceo");
  fs::copy_file(fs::path(KT_TEST_DATA) / "residual" / "weeks" / "liceo_computed.txt", school.folder() / "savego.txt",
                fs::copy_options::overwrite_existing);
  fs::path old = fs::current_path();
  fs::current_path(school.folder());
  g_status.clear();
  const char* argv[] = {"Questo non serve", "SNOD:scuola2.txt", "NEDE", nullptr};
  ASSERT_EQ(or_main(1, 3, argv), 0) << g_status.message;
  // Gap hours above each teacher's allowance, as the check reports them.
  std::map<int, int> excess;
  for (int i = 0; i < g_status.violation_count.load(); ++i) {
    const ViolationRecord& r = g_status.violations[i];
    if (r.constraint_id != static_cast<std::uint32_t>(kGapStageId)) continue;
    excess[static_cast<int>(r.teacher)] += static_cast<int>(r.count);
  }
  ASSERT_GT(excess.size(), 2u);
  int worst = -1;
  for (auto [t, n] : excess)
    if (worst < 0 || n > excess[worst] || (n == excess[worst] && g_eng_teachers[t].points > g_eng_teachers[worst].points))
      worst = t;

  g_status.stage_id = kGapStageId;
  g_status.level = 0;
  g_status.gap_tolerance_level = 0;
  g_status.gap_stage_state = 0;
  g_status.gap_stage_count = 1;
  int teachers = g_eng_school.teacher_count;
  g_status.gap_stage_target = teachers + 1;
  for (int t = 0; t < teachers; ++t) g_eng_teachers[t].second_test = 0;
  // A round with fewer teachers over the allowance than the target: the
  // count becomes the target, the stage starts over on the live week with
  // 99 more cycles, teacher by teacher.
  std::int32_t limit = g_search.cycle_limit;
  or_choose_gap_stage_teacher();
  int over = static_cast<int>(excess.size());
  EXPECT_EQ(g_status.gap_stage_count.load(), over);
  EXPECT_EQ(g_status.gap_stage_target.load(), over);
  EXPECT_EQ(g_search.cycle_limit, limit + 99);
  EXPECT_EQ(g_gap_stage.teacher_mode, 1);
  // As many as the target: the worst is chosen and everyone over the
  // allowance marked for the second test.
  or_choose_gap_stage_teacher();
  EXPECT_EQ(g_status.gap_stage_count.load(), over);
  EXPECT_EQ(g_status.gap_stage_teacher.load(), worst);
  EXPECT_EQ(g_gap_stage.teacher_mode, -1);
  EXPECT_EQ(g_gap_stage.second_value, over + 1);
  for (int t = 0; t < teachers; ++t)
    EXPECT_EQ(g_eng_teachers[t].second_test, excess.count(t) ? 1 : 0) << g_eng_teachers[t].name;
  int in_test = 0;
  for (int t = 0; t < teachers; ++t) in_test += g_eng_teachers[t].in_test != 0 ? 1 : 0;
  EXPECT_EQ(g_status.teachers_in_test.load(), in_test);
  g_status.stage_id = -1;
  fs::current_path(old);
  reset_run_state();
}

}  // namespace
