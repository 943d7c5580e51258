// The command-byte protocol of a worker, served on a thread of the test
// process against a stand-in run that waits for the stop byte: go starts a
// run, a new byte stops it, 100 ends the worker, an orphan gives up.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "solver/parallel_exchange.h"
#include "solver/parallel_workers.h"
#include "parpro_test_support.h"
#include "solver/parpro_area.h"

namespace {

class WorkerProtocolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tag = "proto" + std::to_string(::getpid());
    ::setenv("KESTRINTEMPUS_PARPRO_TAG", tag.c_str(), 1);
    parpro_remove_names();
    // The worker enters the published folder before each run: the test's own.
    char here[4096];
    ASSERT_NE(::getcwd(here, sizeof here), nullptr);
    ASSERT_TRUE(parpro_create(2, here, "scuola2.txt"));
    g_status.clear();
    hooks.run = [this](const char* name, int run_code) {
      last_name = name;
      last_code = run_code;
      last_seed = g_requested_seed;
      started.fetch_add(1);
      while (g_status.run_state.load() != kRunStateStopRequested || deaf.load()) {
        if (given_up.load()) break;
        std::this_thread::yield();
      }
      stopped.fetch_add(1);
      return 0;
    };
    hooks.parent_alive = [this] { return parent.load(); };
    hooks.pause = [] { std::this_thread::yield(); };
    hooks.give_up = [this] { given_up = true; };
  }
  void TearDown() override {
    if (worker.joinable()) {
      parpro_area()->command[1] = kParproQuit;
      worker.join();
    }
    parpro_close();
    parpro_remove_names();
    ::unsetenv("KESTRINTEMPUS_PARPRO_TAG");
  }
  void start() {
    worker = std::thread([this] { runs = parpro_serve_commands(1, hooks); });
  }
  void publish(int run_code) {
    ASSERT_TRUE(or_wait_mutex_for(g_parpro_com_mutex, 60000));
    parpro_area()->run_code = static_cast<std::uint8_t>(run_code);
    parpro_area()->command[1] = kParproGo;
    or_release_mutex(g_parpro_com_mutex);
  }
  static void wait_for(const std::atomic<int>& value, int at_least) {
    while (value.load() < at_least) std::this_thread::yield();
  }

  WorkerHooks hooks;
  std::thread worker;
  std::atomic<int> started{0}, stopped{0};
  std::atomic<bool> parent{true};
  std::atomic<bool> deaf{false}, given_up{false};  // a run that ignores the stop
  std::int64_t last_seed = 0;
  std::string last_name;
  int last_code = 0;
  int runs = -1;
};

TEST_F(WorkerProtocolTest, GoRunsAndStopEndsTheRun) {
  parpro_area()->requested_seed = 40;
  start();
  publish(16);
  wait_for(started, 1);
  EXPECT_EQ(last_name, "scuola2.txt");
  EXPECT_EQ(last_code, 16);
  EXPECT_EQ(last_seed, 40 + 17) << "a fixed seed of the main, made the worker's own";
  EXPECT_EQ(parpro_command(1), 0) << "the go is taken";
  parpro_test::set_worker_command(1, kParproStop);
  wait_for(stopped, 1);
  parpro_test::set_worker_command(1, kParproQuit);
  worker.join();
  EXPECT_EQ(runs, 1);
}

// A publish of the worker's own stage or of one it has passed is left to
// its search, which keeps its own timetable when it is as far on; a publish
// of a later stage restarts the run.
TEST_F(WorkerProtocolTest, AWorkerAsFarOnAsThePublishedTimetableKeepsItsSearch) {
  hooks.run = [this](const char*, int run_code) {
    std::uint8_t mode = g_eng_run.run_mode;
    g_process_number = 1;
    g_eng_run.run_mode = static_cast<std::uint8_t>(run_code);
    started.fetch_add(1);
    while (g_status.run_state.load() != kRunStateStopRequested) {
      or_worker_take_published();
      std::this_thread::yield();
    }
    g_process_number = 0;
    g_eng_run.run_mode = mode;
    stopped.fetch_add(1);
    return 0;
  };
  start();
  publish(16);
  wait_for(started, 1);
  struct Case {
    const char* id;
    int own_stage;
    ParproHeader published;
    bool restarts;
  };
  // Constraint 47 comes before the gap stage (48) in the staging.
  const Case cases[] = {
      {"behind", 48, {0, 2, 0, 4, 48, 0}, false},
      {"as far", 48, {0, 0, 0, 1, 48, 0}, false},
      {"earlier stage", 48, {0, 0, 0, 9, 47, 0}, false},
      {"later stage", 47, {0, 0, 0, 0, 48, 0}, true},
  };
  int restarts = 0;
  for (const Case& c : cases) {
    // The worker's own search: every teacher in, one gap left.
    g_status.stage_id = c.own_stage;
    g_status.level = 0;
    g_status.second_stage_counter = 0;
    g_status.gap_stage_state = 0;
    g_status.gap_stage_count = 1;
    ASSERT_TRUE(or_wait_mutex_for(g_parpro_com_mutex, 60000));
    parpro_area()->progress = c.published;
    parpro_area()->slot_b_flag = 0;
    or_release_mutex(g_parpro_com_mutex);
    publish(16);
    if (c.restarts) {
      ++restarts;
      wait_for(stopped, restarts);
      wait_for(started, restarts + 1);
    } else {
      while (parpro_command(1) != 0) std::this_thread::yield();
      EXPECT_EQ(stopped.load(), restarts) << c.id;
      EXPECT_NE(g_status.run_state.load(), kRunStateStopRequested) << c.id;
    }
  }
}

TEST_F(WorkerProtocolTest, StopByItselfAndANewGoRestart) {
  start();
  publish(15);
  wait_for(started, 1);
  parpro_test::set_worker_command(1, kParproStopAuto);
  wait_for(stopped, 1);
  publish(20);
  wait_for(started, 2);
  EXPECT_EQ(last_code, 20);
  // A new go during a run stops it and starts the next one.
  publish(16);
  wait_for(started, 3);
  EXPECT_EQ(last_code, 16);
  parpro_test::set_worker_command(1, kParproQuit);
  worker.join();
  EXPECT_EQ(runs, 3);
}

TEST_F(WorkerProtocolTest, QuitDuringARunStopsItAndEnds) {
  start();
  publish(15);
  wait_for(started, 1);
  parpro_test::set_worker_command(1, kParproQuit);
  worker.join();
  EXPECT_EQ(stopped.load(), 1);
  EXPECT_EQ(runs, 1);
}

TEST_F(WorkerProtocolTest, ARunThatIgnoresTheQuitIsGivenUp) {
  deaf = true;
  start();
  publish(15);
  wait_for(started, 1);
  parent = false;
  worker.join();
  EXPECT_TRUE(given_up.load());
  EXPECT_EQ(runs, 1);
}

}  // namespace
