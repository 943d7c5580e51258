// The search driver on a small synthetic school: an unknown run mode is the
// critical error "SW"; "MIBU" flags its evaluation subset.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "engine/engine_random.h"
#include "engine/model_post_passes.h"
#include "engine/errors.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/cost_evaluation.h"
#include "solver/local_search.h"
#include "solver/placement_state.h"
#include "solver/search_driver.h"
#include "solver/search_state.h"

namespace fs = std::filesystem;

namespace {

int g_stop_at = -1;
void stop_at_cycle(int cycle) {
  if (cycle == g_stop_at) g_status.run_state.store(kRunStateStopRequested);
}

class SearchDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::make_unique<TempCommandFolder>();
    ::setenv("KESTRINTEMPUS_ROOT", fs::current_path().c_str(), 1);
    or_set_cycle_observer(stop_at_cycle);
    SchoolSpec spec;
    spec.lessons_per_class = 28;
    build_school(spec, 21);
    g_engine_random.seed_with(21);
    place_all_lessons();
    or_count_hours(0);  // the class lesson lists the moves walk
    or_rebuild_grids_and_evaluate();
    // The synthetic school is built straight into the tables with its
    // derived values in place: the pre-solve preparation has nothing to add.
    g_eng_run.prepared = 1;
    start_errors_ = g_status.error_count;
  }
  void TearDown() override {
    or_set_cycle_observer(nullptr);
    g_status.run_state = 0;
    folder_.reset();
  }
  std::unique_ptr<TempCommandFolder> folder_;
  int start_errors_ = 0;
};

TEST_F(SearchDriverTest, UnknownRunModeIsTheSwError) {
  g_eng_run.run_mode = 41;
  EXPECT_THROW(or_search_driver(), EngineError);
}

TEST_F(SearchDriverTest, SubsetRunFlagsJointPartAndOtherRoomTeachers) {
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    g_eng_lessons[l].joint_count = 0;
    g_eng_lessons[l].part_line_number = -1;
    g_eng_lessons[l].room = -1;
  }
  for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].tekgrado[0] = 0;
  auto lesson_of = [](int teacher) {
    for (int l = 0; l < g_eng_school.lesson_count; ++l)
      if (g_eng_lessons[l].teacher == teacher) return l;
    return -1;
  };
  int joint = lesson_of(2), part = lesson_of(5), roomed = lesson_of(7);
  ASSERT_GE(joint, 0);
  ASSERT_GE(part, 0);
  ASSERT_GE(roomed, 0);
  g_eng_lessons[joint].joint_count = 1;
  g_eng_lessons[part].part_line_number = 3;
  g_eng_school.room_count = 1;
  g_eng_rooms[0].home_class = static_cast<std::int16_t>(g_eng_lessons[roomed].class_index + 1);
  g_eng_lessons[roomed].room = 0;
  g_eng_school.tekno[1] = 2;
  g_eng_run.run_mode = 20;
  g_stop_at = 2;
  or_search_driver();
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    EXPECT_EQ(g_eng_teachers[t].tekgrado[0] != 0, t == 2 || t == 5 || t == 7) << t;
  EXPECT_EQ(g_eng_run.tekgrado_teacher_count, 3);
  EXPECT_EQ(g_eng_school.tekno[1], 1) << "flagged once";
}

}  // namespace
