// What a worker does with a publish and with another worker's offer, and
// what the main process publishes after an offer it could not take: an
// offerer goes on with its own run, a run being stopped leaves the go for
// the next one, stopped workers are given the main's timetable, a run
// started from a later stage begins there, a run on its way to the
// published stage is not started again by the next publish of it, and a
// worker searching the gap stage searches it to its end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "engine/engine_random.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "parpro_test_support.h"
#include "school_fixture.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"
#include "solver/gap_stage.h"
#include "solver/parallel_exchange.h"
#include "solver/parallel_workers.h"
#include "solver/parpro_area.h"
#include "solver/placement_state.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"

namespace fs = std::filesystem;

namespace {

class WorkerStartTest : public parpro_test::SchoolWithArea {
 protected:
  void SetUp() override { set_up_school("wstart", 37, 15); }
  void TearDown() override {
    g_worker_start_stage = -1;
    g_status.run_state = 0;
    close_area();
  }
  std::vector<std::uint16_t> published() const {
    std::vector<std::uint16_t> v(static_cast<std::size_t>(n));
    parpro_load_timetable(v.data(), parpro_area()->start_timetable);
    return v;
  }
};

// The desktop program runs many computations with the same workers: the
// summary of a new run counts that run's trading alone, not the publishes
// the workers took, or the cycles they ran, in the runs before it.
TEST_F(WorkerStartTest, ANewRunsSummaryCountsNothingOfTheRunsBefore) {
  parpro_area()->worker_takes = 4;
  parpro_area()->worker_cycles[1] = 90;
  parpro_area()->worker_starts[2] = 3;
  g_process_number = 0;
  or_parpro_clear_worker_counts();
  EXPECT_EQ(or_parpro_worker_takes(), 0);
  EXPECT_EQ(or_parpro_worker_counts().rfind("cicli=0/", 0), 0u) << or_parpro_worker_counts();
  EXPECT_NE(or_parpro_worker_counts().find("avvii=0/0"), std::string::npos) << or_parpro_worker_counts();
}

// Worker 1 offers a finished stage: worker 2, which is not going, stops by
// itself to start again from what the main makes of the offer; worker 1
// itself goes on with its run (stopping it would throw away the very
// search that just got ahead).
TEST_F(WorkerStartTest, AnOfferStopsTheOtherWorkersButNotTheOfferer) {
  g_status.level = 0;
  g_status.stage_id = 5;
  or_publish_to_workers(1, -1, 1);
  for (int i = 1; i <= kMaxWorkerProcesses; ++i) parpro_test::set_worker_command(i, 0);
  g_process_number = 1;
  or_offer_to_main(1, -1);
  ASSERT_EQ(parpro_area()->slot_a_state, kSlotAFull);
  EXPECT_EQ(parpro_command(1), 0) << "the offerer";
  EXPECT_EQ(parpro_command(2), kParproStopAuto) << "another worker";
}

// A worker whose run was told to stop (another worker's offer) and that
// meets the main's next go before the run has ended leaves the go where it
// is: the command watcher starts the next run from it. Taken by the ending
// run, the go would be lost and the worker would sit idle.
TEST_F(WorkerStartTest, ARunBeingStoppedLeavesTheGoForTheNextRun) {
  g_status.level = 0;
  g_status.stage_id = 5;
  or_publish_to_workers(1, -1, 1);
  ASSERT_EQ(parpro_command(1), kParproGo);
  g_process_number = 1;
  g_status.run_state = kRunStateStopRequested;
  EXPECT_EQ(or_worker_take_published(), kPublishLeft);
  EXPECT_EQ(parpro_command(1), kParproGo);
  g_status.run_state = 0;
  EXPECT_EQ(or_worker_take_published(), kPublishKept) << "a running search judges it";
  EXPECT_EQ(parpro_command(1), 0);
}

// The offer stopped every other worker; when the main process cannot take
// it, it publishes its own timetable, so they start again at once instead
// of waiting for its next stage.
TEST_F(WorkerStartTest, AnOfferTheMainCannotTakeIsFollowedByItsOwnTimetable) {
  struct Case {
    const char* id;
    bool open_gap_search;  // else the main has moved on to the next stage
  } cases[] = {
      {"R1 the main has moved on", false},
      {"R2 the open gap search has a lower record", true},
  };
  for (const Case& c : cases) {
    or_apply_placement(start.data());
    or_rebuild_grids_and_evaluate();
    g_status.level = 0;
    g_status.stage_id = c.open_gap_search ? kGapStageId : 5;
    if (c.open_gap_search) {
      or_keep_search_placement();
      or_open_gap_stage();
    }
    or_publish_to_workers(1, -1, 1);
    for (int i = 1; i <= kMaxWorkerProcesses; ++i) parpro_test::set_worker_command(i, 0);
    g_process_number = 1;
    move_something();
    int offered_errors = g_status.error_count;
    or_offer_to_main(1, -1);
    ASSERT_EQ(parpro_area()->slot_a_state, kSlotAFull) << c.id;
    ASSERT_EQ(parpro_command(2), kParproStopAuto) << c.id;

    g_process_number = 0;
    or_apply_placement(start.data());
    or_rebuild_grids_and_evaluate();
    if (c.open_gap_search) g_search.record = offered_errors;
    else g_status.stage_id = 6;
    int refusals = g_parpro_refusals;
    or_exchange_with_workers();
    EXPECT_EQ(parpro_area()->slot_a_state, 0) << c.id;
    EXPECT_EQ(live(), start) << c.id << ": not taken";
    EXPECT_EQ(g_parpro_refusals, refusals + 1) << c.id;
    EXPECT_EQ(parpro_command(1), kParproGo) << c.id;
    EXPECT_EQ(parpro_command(2), kParproGo) << c.id;
    EXPECT_EQ(published(), start) << c.id << ": the main's own timetable";
    EXPECT_EQ(static_cast<int>(parpro_area()->progress.stage_id), g_status.stage_id.load()) << c.id;
    or_reset_gap_stage();
  }
}

// A worker started from a publish of a later stage switches every stage
// before it on at once, their errors still counting, as the main process
// left them; the main process never does.
TEST_F(WorkerStartTest, AWorkerStartedFromALaterStageBeginsThere) {
  g_staging.gap_staging = 1;
  // Every constraint off, as a staging start leaves them; the publish was
  // made in the seventh stage of the staging order.
  or_staging_start(-1);
  const int target = kStagingOrder[6];
  g_worker_start_stage = target;
  g_status.stage_id = -1;

  or_worker_catch_up();
  EXPECT_EQ(g_status.stage_id, -1) << "the main process";

  g_process_number = 1;
  or_worker_catch_up();
  EXPECT_EQ(g_status.stage_id, target);
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(+ConstraintSwitchTable[kStagingOrder[i]].off, 0) << "stage " << +kStagingOrder[i];
  EXPECT_NE(+ConstraintSwitchTable[kStagingOrder[7]].off, 0) << "the next stage waits";

  // Started from no stage (the main had none yet): the staging is left as it was.
  or_staging_start(-1);
  g_status.stage_id = -1;
  g_worker_start_stage = -1;
  or_worker_catch_up();
  EXPECT_EQ(g_status.stage_id, -1);
}

// The command byte as the worker's first thread serves it, against a
// stand-in run that waits for its stop and reports the stage it is at.
class WorkerWatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tag = "wwatch" + std::to_string(::getpid());
    ::setenv("KESTRINTEMPUS_PARPRO_TAG", tag.c_str(), 1);
    parpro_remove_names();
    char here[4096];
    ASSERT_NE(::getcwd(here, sizeof here), nullptr);
    ASSERT_TRUE(parpro_create(3, here, "scuola2.txt"));
    g_status.clear();
    hooks.run = [this](const char*, int) {
      g_status.stage_id = own_stage.load();
      started.fetch_add(1);
      while (g_status.run_state.load() != kRunStateStopRequested) std::this_thread::yield();
      stopped.fetch_add(1);
      return 0;
    };
    hooks.parent_alive = [] { return true; };
    hooks.pause = [] { std::this_thread::yield(); };
  }
  void TearDown() override {
    if (worker.joinable()) {
      parpro_test::set_worker_command(1, kParproQuit);
      worker.join();
    }
    g_worker_start_stage = -1;
    parpro_close();
    parpro_remove_names();
    ::unsetenv("KESTRINTEMPUS_PARPRO_TAG");
  }
  void start() {
    worker = std::thread([this] { parpro_serve_commands(1, hooks); });
  }
  // The main publishes a timetable of `stage` for run code 15.
  void publish(int stage, int run_code = 15) {
    ASSERT_TRUE(parpro_lock());
    parpro_area()->run_code = static_cast<std::uint8_t>(run_code);
    parpro_area()->progress.stage_id = static_cast<std::uint32_t>(stage);
    parpro_area()->command[1] = kParproGo;
    parpro_unlock();
  }
  static void wait_for(const std::atomic<int>& value, int at_least) {
    while (value.load() < at_least) std::this_thread::yield();
  }
  // Gives the watcher time to act on what it sees.
  static void let_it_look() { std::this_thread::sleep_for(std::chrono::milliseconds(100)); }

  WorkerHooks hooks;
  std::thread worker;
  std::atomic<int> started{0}, stopped{0};
  std::atomic<int> own_stage{0};
};

// Another worker's offer (9) stops a worker before the gap stage, which
// starts again from the main's next publish; a worker searching the gap
// stage, where the main process is too, goes on searching it and the 9 is
// cleared.
TEST_F(WorkerWatchTest, AWorkerSearchingTheGapStageKeepsOnThroughAnotherWorkersOffer) {
  struct Case {
    const char* id;
    int own_stage;
    int main_stage;
    bool stops;
  } cases[] = {
      {"W1 both in the gap stage", kGapStageId, kGapStageId, false},
      {"W2 the main still before it", kGapStageId, kStagingOrder[10], false},
      {"W3 the worker before it", kStagingOrder[10], kGapStageId, true},
  };
  start();
  int runs = 0;
  for (const Case& c : cases) {
    own_stage = c.own_stage;
    publish(c.main_stage);
    ++runs;
    wait_for(started, runs);
    while (parpro_command(1) == kParproGo) std::this_thread::yield();
    parpro_test::set_worker_command(1, kParproStopAuto);
    if (c.stops) {
      wait_for(stopped, runs);
      continue;
    }
    while (parpro_command(1) == kParproStopAuto) std::this_thread::yield();
    let_it_look();
    EXPECT_EQ(parpro_command(1), 0) << c.id;
    EXPECT_EQ(stopped.load(), runs - 1) << c.id;
    EXPECT_NE(g_status.run_state.load(), kRunStateStopRequested) << c.id;
    // The main's next stage (another run code here) starts it again.
    publish(c.main_stage, 16);
    wait_for(stopped, runs);
    while (parpro_command(1) == kParproGo) std::this_thread::yield();
    ++runs;
    wait_for(started, runs);
    parpro_test::set_worker_command(1, kParproStop);
    wait_for(stopped, runs);
  }
}

// A run that started from a publish of the gap stage is still setting up
// (no stage of its own yet) when the main publishes again in that stage:
// started again it would only start the same way, so the go waits for its
// search; a publish of a later stage than the one it started from (another
// run here) still starts it again.
TEST_F(WorkerWatchTest, ARunOnItsWayToThePublishedStageIsNotStartedAgainByItsNextPublish) {
  own_stage = 0;
  start();
  publish(kGapStageId);
  wait_for(started, 1);
  while (parpro_command(1) == kParproGo) std::this_thread::yield();
  EXPECT_EQ(g_worker_start_stage, kGapStageId);
  publish(kGapStageId);
  let_it_look();
  EXPECT_EQ(stopped.load(), 0);
  EXPECT_EQ(parpro_command(1), kParproGo) << "left for the search";
  publish(kGapStageId, 16);
  wait_for(stopped, 1);
  wait_for(started, 2);
}

// The run's summary names what each worker did: the search cycles it ran
// and how often it started the computation, worker by worker, and the
// offers the main process could not take. A forced violation keeps all
// three processes searching to the limit.
TEST(WorkerSummary, TheRunsTraceNamesEachWorkersCyclesAndStarts) {
  SchoolCopy school("piccola");
  fs::path description = school.folder() / "scuola2.txt";
  std::ifstream in(description, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  in.close();
  std::string s = text.str();
  const std::string from = "V:\tMANCINI\tGMAX:2\t";
  std::size_t at = s.find(from);
  ASSERT_NE(at, std::string::npos);
  s.replace(at, from.size(), "V:\tMANCINI\tOP:LU:1-5MA:1-5ME:1-5GI:1-5VE:1-5\t");
  std::ofstream(description, std::ios::binary) << s;
  std::string out;
  ASSERT_EQ(run_orario_in(school.folder(), school.root(), "CALC:scuola2.txt --processes 3 --seed 4 --time-limit 4",
                          &out),
            0)
      << out;
  std::smatch m;
  ASSERT_TRUE(std::regex_search(
      out, m, std::regex("Processi ausiliari: cicli=([0-9]+)/([0-9]+) avvii=([0-9]+)/([0-9]+) rifiutati=([0-9]+)")))
      << out;
  EXPECT_GE(std::stoi(m[3]), 1) << out;
  EXPECT_GE(std::stoi(m[4]), 1) << out;
  EXPECT_GT(std::stoi(m[1]) + std::stoi(m[2]), 0) << out;
}

}  // namespace
