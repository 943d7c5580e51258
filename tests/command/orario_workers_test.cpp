// The parallel workers of `orario --processes N` as a user at a terminal
// meets them: Ctrl-C reaches every process of the run, but only the main
// process stops (with its best timetable), and no worker is reported lost;
// a main process killed outright leaves no worker behind.
#include <gtest/gtest.h>

#include <sys/types.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "orario_run_support.h"
#include "platform/process.h"

namespace fs = std::filesystem;
using engine_test::read_file;
using engine_test::TempDir;
using engine_test::write_file;
using orario_test::contains;

namespace {

// The workers of the main process `main` ("PARPRO:..."), read from /proc.
std::vector<pid_t> workers_of(pid_t main) {
  std::vector<pid_t> found;
  for (const auto& e : fs::directory_iterator("/proc")) {
    std::string name = e.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string stat = read_file(e.path().string() + "/stat");
    std::size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    long parent = std::strtol(stat.c_str() + close + 4, nullptr, 10);
    if (parent != main) continue;
    if (read_file(e.path().string() + "/cmdline").find("PARPRO:") != std::string::npos)
      found.push_back(static_cast<pid_t>(std::stol(name)));
  }
  return found;
}

// Whether the process still runs (a zombie counts as ended).
bool alive(pid_t pid) {
  std::string stat = read_file("/proc/" + std::to_string(pid) + "/stat");
  std::size_t close = stat.rfind(')');
  return close != std::string::npos && stat[close + 2] != 'Z';
}

// Starts a computation of istituto with `processes` processes and waits
// until all its workers run; the main process and its workers.
struct ParallelRun {
  TempDir school, capture;
  kt::ChildProcess main;
  std::vector<pid_t> workers;
  explicit ParallelRun(int processes) {
    write_file(school.file("scuola2.txt"), read_file(std::string(KT_SOURCE_DIR) + "/examples/istituto/scuola2.txt"));
    std::string command = "cd '" + school.path().string() +
                          "' && exec env -i PATH=/usr/bin:/bin KESTRINTEMPUS_ROOT=. LANG=it_IT.UTF-8 '" +
                          std::string(KT_BINARY_DIR) + "/apps/orario/orario' --seed 3 --time-limit 60 --processes " +
                          std::to_string(processes) + " CALC:scuola2.txt >'" + capture.file("out") + "' 2>'" +
                          capture.file("err") + "'";
    main = kt::ChildProcess::spawn("/bin/sh", {"-c", command});
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (main && main.running() && std::chrono::steady_clock::now() < deadline) {
      workers = workers_of(main.pid());
      if (static_cast<int>(workers.size()) == processes - 1) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  std::string err() const { return read_file(capture.file("err")); }
};

bool all_ended(const std::vector<pid_t>& pids, std::chrono::seconds within) {
  auto deadline = std::chrono::steady_clock::now() + within;
  for (;;) {
    bool any = false;
    for (pid_t p : pids) any = any || alive(p);
    if (!any) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace

TEST(OrarioWorkers, CtrlCStopsTheMainProcessOnlyAndNoWorkerIsLost) {
  ParallelRun run(3);
  ASSERT_TRUE(run.main);
  ASSERT_EQ(run.workers.size(), 2u) << run.err();
  // Give the search a moment to start, then Ctrl-C as the terminal sends it:
  // to every process of the run.
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  for (pid_t w : run.workers) ASSERT_EQ(::kill(w, SIGINT), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  for (pid_t w : run.workers) EXPECT_TRUE(alive(w)) << "a worker ended on Ctrl-C";
  ASSERT_EQ(::kill(run.main.pid(), SIGINT), 0);
  std::optional<kt::ExitStatus> end = run.main.wait_for(std::chrono::seconds(60));
  ASSERT_TRUE(end);
  std::string err = run.err();
  EXPECT_TRUE(end->success()) << err;
  EXPECT_FALSE(contains(err, "processo di calcolo parallelo")) << err;
  EXPECT_FALSE(read_file(run.school.file("savego.txt")).empty()) << "the best timetable is saved";
  EXPECT_TRUE(all_ended(run.workers, std::chrono::seconds(10)));
}

TEST(OrarioWorkers, AKilledMainProcessLeavesNoWorkerBehind) {
  ParallelRun run(3);
  ASSERT_TRUE(run.main);
  ASSERT_EQ(run.workers.size(), 2u) << run.err();
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  ASSERT_EQ(::kill(run.main.pid(), SIGKILL), 0);
  ASSERT_TRUE(run.main.wait_for(std::chrono::seconds(10)));
  EXPECT_TRUE(all_ended(run.workers, std::chrono::seconds(20))) << "the workers follow their program";
}
