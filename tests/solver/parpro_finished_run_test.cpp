// A worker whose run ends with no error hands its timetable to the main
// process even when the main is still in an earlier stage: the main takes
// it, counts it the way the run's end judges it, and its own search ends on
// it. Before, the offer was measured against the main's stage like any
// stage result, never made (another stage), and the worker then sat idle
// until the main's next publish started it again: the run's result lost.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_main.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"
#include "solver/gap_stage.h"
#include "solver/parallel_exchange.h"
#include "solver/parpro_area.h"
#include "solver/placement_state.h"
#include "solver/search_loop_parts.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"
#include "solver/solver_state.h"

namespace fs = std::filesystem;

namespace {

// A finished run of the small sample school (one process, seed 1) gives the
// timetable with no error; then an area of three processes under this test
// program's own tag.
class FinishedRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    school_ = std::make_unique<SchoolCopy>("piccola");
    old_ = fs::current_path();
    fs::current_path(school_->folder());
    ::setenv("KESTRINTEMPUS_ROOT", school_->root().c_str(), 1);
    std::string tag = "wfinish" + std::to_string(::getpid());
    ::setenv("KESTRINTEMPUS_PARPRO_TAG", tag.c_str(), 1);
    parpro_remove_names();
    g_status.clear();
    g_requested_seed = 1;
    testing::internal::CaptureStdout();
    const char* argv[] = {"Questo non serve", "CALC:scuola2.txt", nullptr};
    int result = or_main(1, 2, argv);
    std::string trace = testing::internal::GetCapturedStdout();
    ASSERT_EQ(result, 0) << trace;
    ASSERT_NE(trace.find("Finito raggiunto record=0"), std::string::npos) << trace;
    n_ = g_eng_school.lesson_count;
    finished_ = live();
    ASSERT_EQ(g_eng_run.run_mode, 15) << "a plain computation";
    ASSERT_TRUE(parpro_create(3, "/tmp", "scuola2.txt"));
  }
  void TearDown() override {
    g_process_number = 0;
    g_worker_run_serial = 0;
    parpro_close();
    parpro_remove_names();
    ::unsetenv("KESTRINTEMPUS_PARPRO_TAG");
    ::unsetenv("KESTRINTEMPUS_ROOT");
    g_requested_seed = -1;
    for (ConstraintSwitch& s : ConstraintSwitchTable) s.off = 0;
    fs::current_path(old_);
    reset_run_state();
  }
  std::vector<std::uint16_t> live() const {
    std::vector<std::uint16_t> v;
    for (int l = 0; l < n_; ++l) v.push_back(lesson_place(l));
    return v;
  }
  void apply(const std::vector<std::uint16_t>& placement) {
    or_apply_placement(placement.data());
    or_rebuild_grids_and_evaluate();
  }
  // The main process's own timetable: the finished one with the first two
  // lessons that may change places exchanged.
  std::vector<std::uint16_t> mains_own() {
    apply(finished_);
    for (int a = 0; a < n_; ++a)
      for (int b = a + 1; b < n_; ++b)
        if (lesson_place(a) != lesson_place(b) && or_swap_lessons(a, b) == kNoConflict) {
          or_rebuild_grids_and_evaluate();
          return live();
        }
    return live();
  }
  // The main process in an earlier stage: the gap stage and the stage of
  // constraint 6 still off.
  void main_in_an_earlier_stage(const std::vector<std::uint16_t>& own) {
    g_process_number = 0;
    apply(own);
    for (ConstraintSwitch& s : ConstraintSwitchTable) s.off = 0;
    ConstraintSwitchTable[kGapStageId].off = 1;
    ConstraintSwitchTable[6].off = 1;
    g_status.stage_id = 6;
    g_status.level = 0;
    or_evaluate_all_constraints(0);
  }
  // A run's end as the worker's search meets it: every stage on, nobody in
  // test, no gap tolerated, counted afresh.
  void worker_at_its_runs_end() {
    g_process_number = 1;
    apply(finished_);
    for (ConstraintSwitch& s : ConstraintSwitchTable) s.off = 0;
    g_status.stage_id = kGapStageId;
    g_status.level = 0;
    g_status.gap_stage_state = 0;
    g_status.gap_tolerance_level = 0;
    or_reset_test_teachers(-1);
    g_search.search_state = 2;
    or_set_constraint_weights();
    or_evaluate_all_constraints(0);
  }

  std::unique_ptr<SchoolCopy> school_;
  fs::path old_;
  int n_ = 0;
  std::vector<std::uint16_t> finished_;
};

TEST_F(FinishedRunTest, AWorkersFinishedRunEndsTheMainsSearchInAnEarlierStage) {
  struct Case {
    const char* id;
    bool main_publishes_first;  // its own next stage before it looks at slot A
  } cases[] = {
      {"R1 the main looks at once", false},
      {"R2 the main publishes first", true},
  };
  std::vector<std::uint16_t> own = mains_own();
  ASSERT_NE(own, finished_);
  for (const Case& c : cases) {
    main_in_an_earlier_stage(own);
    or_publish_to_workers(1, -1, 1);

    worker_at_its_runs_end();
    ASSERT_EQ(g_status.error_count.load(), 0) << c.id;
    ASSERT_EQ(g_status.gap_count.load(), 0) << c.id;
    // The worker's search meets its end with no error: its run is over.
    ASSERT_TRUE(or_end_of_stage(1, -1)) << c.id;
    ASSERT_EQ(+parpro_area()->slot_a_state, +kSlotAFull) << c.id << ": the finished run is offered";

    main_in_an_earlier_stage(own);
    if (c.main_publishes_first) or_publish_to_workers(1, -1, 1);
    int refusals = g_parpro_refusals;
    or_exchange_with_workers();
    EXPECT_EQ(g_parpro_refusals, refusals) << c.id << ": taken, not refused";
    EXPECT_EQ(live(), finished_) << c.id << ": the worker's timetable is the main's now";
    EXPECT_EQ(or_count_switched_off(), 0) << c.id << ": every stage on";
    EXPECT_EQ(g_status.stage_id.load(), kGapStageId) << c.id;
    EXPECT_EQ(g_status.error_count.load(), 0) << c.id << ": counted as the run's end counts";
    // The main's search ends on it at once.
    EXPECT_TRUE(or_end_of_stage(1, -1)) << c.id;
    EXPECT_EQ(live(), finished_) << c.id;
  }
}

// A stage's result is still measured against the main's stage: a timetable
// of a stage other than the published one, not the run's end, is not
// offered.
TEST_F(FinishedRunTest, AStageResultOfAnotherStageIsStillNotOffered) {
  std::vector<std::uint16_t> own = mains_own();
  main_in_an_earlier_stage(own);
  or_publish_to_workers(1, -1, 1);
  g_process_number = 1;
  apply(finished_);
  g_status.stage_id = 9;
  g_status.level = 0;
  or_offer_to_main(1, -1);
  EXPECT_NE(+parpro_area()->slot_a_state, +kSlotAFull);
}

// The desktop program's workers outlive its runs. A worker that finished
// the last run after the main process had ended it leaves its timetable in
// slot A; the next run starts from an empty week and must compute its own,
// not take that one at its first look, nor anything a worker still on the
// last run offers. A worker that took the new run's go offers as before.
TEST_F(FinishedRunTest, TheNextRunDoesNotTakeTheLastRunsFinishedTimetable) {
  std::vector<std::uint16_t> own = mains_own();
  ASSERT_NE(own, finished_);
  // The last run: begun, published, and the worker's go taken.
  g_process_number = 0;
  or_parpro_begin_run();
  main_in_an_earlier_stage(own);
  or_publish_to_workers(1, -1, 1);
  g_worker_run_serial = parpro_area()->run_serial;  // as the worker's take of the go notes it
  worker_at_its_runs_end();
  ASSERT_TRUE(or_end_of_stage(1, -1));
  ASSERT_EQ(+parpro_area()->slot_a_state, +kSlotAFull) << "the finished run waits in slot A";

  // The next run begins; its main looks at the slots.
  main_in_an_earlier_stage(own);
  or_parpro_begin_run();
  or_publish_to_workers(1, -1, 1);
  EXPECT_NE(+parpro_area()->slot_a_state, +kSlotAFull) << "emptied as the run began";
  or_exchange_with_workers();
  EXPECT_EQ(live(), own) << "the last run's timetable was taken";

  // The worker, not yet on the new run, finishes the old one again.
  worker_at_its_runs_end();
  or_end_of_stage(1, -1);
  EXPECT_NE(+parpro_area()->slot_a_state, +kSlotAFull) << "an offer of the last run";

  // Once it has taken the new run's go, its finished run is the result.
  g_worker_run_serial = parpro_area()->run_serial;
  worker_at_its_runs_end();
  ASSERT_TRUE(or_end_of_stage(1, -1));
  ASSERT_EQ(+parpro_area()->slot_a_state, +kSlotAFull);
  main_in_an_earlier_stage(own);
  or_exchange_with_workers();
  EXPECT_EQ(live(), finished_);
}

}  // namespace
