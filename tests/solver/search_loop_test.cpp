// The local search loop on small synthetic schools: a stop restoring and
// saving the stage's best, the bookkeeping of kept moves, and a granted
// exemption restarting the search.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "engine/engine_random.h"
#include "engine/model_post_passes.h"
#include "engine/reception_exemption_files.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"
#include "solver/exemptions.h"
#include "solver/local_search.h"
#include "solver/placement_state.h"
#include "solver/result_history.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"
#include "solver/teacher_side_move.h"

namespace fs = std::filesystem;

namespace {

int g_stop_at = -1;
std::vector<int> g_sleeps;
std::int64_t g_now = 0;
std::int64_t g_step = 0;

void stop_at_cycle(int cycle) {
  if (cycle == g_stop_at) g_status.run_state.store(kRunStateStopRequested);
}
void record_sleep(int ms) { g_sleeps.push_back(ms); }
std::int64_t fake_clock() { return g_now += g_step; }

class SearchLoopTest : public ::testing::Test {
 public:
  void SetUp() override {
    folder_ = std::make_unique<TempCommandFolder>();
    ::setenv("KESTRINTEMPUS_ROOT", fs::current_path().c_str(), 1);
    g_stop_at = -1;
    g_sleeps.clear();
    or_set_cycle_observer(stop_at_cycle);
    or_set_search_pacing(record_sleep, fake_clock);
    or_set_teacher_side_sleep(record_sleep);
  }
  void TearDown() override {
    or_set_cycle_observer(nullptr);
    or_set_search_pacing(nullptr, nullptr);
    or_set_teacher_side_sleep(nullptr);
    folder_.reset();
  }
  // A school with errors left after its seeded placement, ready to search.
  void prepare(std::uint64_t seed) {
    SchoolSpec spec;
    spec.classes = 4;
    spec.teachers = 8;
    spec.lessons_per_class = 26;
    build_school(spec, seed);
    g_engine_random.seed_with(seed);
    place_all_lessons();
    or_count_hours(0);  // the class lesson lists the moves walk
    g_eng_run.run_mode = 16;
    or_reset_search_state();
    or_prepare_search_tables();
    g_status.stage_value = -1;
    or_reset_weights(1);
    or_rebuild_grids_and_evaluate();
    g_search.search_state = 2;
    g_stage_placement[0] = 0xFFFF;
    g_stage_best_placement[0] = 0xFFFF;
    or_reset_teacher_side_state();
  }
  bool saved() const { return fs::exists("savego.txt"); }

  std::unique_ptr<TempCommandFolder> folder_;
};

TEST_F(SearchLoopTest, StopRestoresTheStageBestWhenOneIsStored) {
  prepare(13);
  std::vector<std::uint16_t> start(static_cast<std::size_t>(g_eng_school.lesson_count));
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    start[static_cast<std::size_t>(l)] = lesson_place(l);
    g_stage_best_placement[l] = lesson_place(l);
  }
  g_stop_at = 3;
  or_search_loop(1, -1, 0);
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    ASSERT_EQ(lesson_place(l), start[static_cast<std::size_t>(l)]) << l;
  EXPECT_TRUE(saved());
}

// Every kept move is booked: the exchange count, the evaluation and the
// placement's error count.
TEST_F(SearchLoopTest, ErrorsFallWithinTenCycles) {
  prepare(16);
  int start_errors = g_status.error_count;
  g_stop_at = 10;
  or_search_loop(1, -1, 0);
  int errors = g_status.error_count;
  EXPECT_LT(errors, start_errors);
  // Every kept move is counted, and the count of errors is the placement's.
  EXPECT_GT(g_search.exchanges, 0);
  or_evaluate_all_constraints(0);
  EXPECT_EQ(static_cast<int>(g_status.error_count), errors);
}

}  // namespace

namespace {

int g_restarts_at_grant = -1;
int g_restarts_after = -1;
// Grants an exemption (teacher 0's minimum hours) at cycle 3, as the
// processing page does while the search runs; notes the restart counter.
void grant_at(int cycle) {
  stop_at_cycle(cycle);
  if (cycle == 3) {
    ViolationRecord v{};
    v.constraint_id = 10;
    v.teacher = 0;
    g_exemption_current = or_exemption_from_violation(v, kExemptionRequestGrant);
    g_restarts_at_grant = g_search.restart_counter;
  }
  g_restarts_after = g_search.restart_counter;
}

// A granted exemption is written to the exemption file and applied, and
// the loop restarts at once from its kept placement, holding a record.
TEST_F(SearchLoopTest, AGrantedExemptionRestartsTheSearch) {
  prepare(18);
  or_set_cycle_observer(grant_at);
  g_stop_at = 5;
  g_search.search_state = 0;
  g_eng_teachers[0].min_hours_per_day = 3;
  or_search_loop(1, -1, 0);
  EXPECT_TRUE(fs::exists("scuola3.txt"));
  EXPECT_GT(g_restarts_after, g_restarts_at_grant);
  EXPECT_EQ((std::vector<int>{g_exemption_current.bytes[0], g_search.search_state, g_eng_teachers[0].min_hours_per_day}),
            (std::vector<int>{kExemptionRequestNone, 2, 2}));
}

}  // namespace
