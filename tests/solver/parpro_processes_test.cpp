// Parallel solver processes as real processes of orario and the desktop
// program: workers start and end with the command leaving no shared names,
// a killed worker blocks nobody, and workers of a dead main end by
// themselves. Every wait is bounded; each test uses its own object names.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>
#include <signal.h>
#include <string>
#include <thread>

#include "platform/process.h"
#include "solver/parpro_area.h"

namespace fs = std::filesystem;

namespace {

const std::string kOrario = std::string(KT_BINARY_DIR) + "/apps/orario/orario";
const std::string kDesktop = std::string(KT_BINARY_DIR) + "/apps/kestrintempus/kestrintempus";

// The processes a process started (its worker processes), from /proc.
std::vector<pid_t> children_of(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
  std::vector<pid_t> out;
  for (pid_t child; in >> child;) out.push_back(child);
  return out;
}

std::string text_of(const std::string& path) {
  std::ifstream in(path);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Processor time a process used so far, in clock ticks (0 when gone).
long cpu_ticks(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::size_t close = text.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream fields(text.substr(close + 2));
  std::string skip;
  for (int i = 0; i < 11; ++i) fields >> skip;  // state .. cmajflt
  long utime = 0;
  fields >> utime;
  return utime;
}

// A process that has ended and been reaped by someone, or is a zombie.
bool gone(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::size_t close = text.rfind(')');
  return close == std::string::npos || text.compare(close + 2, 1, "Z") == 0;
}

// Waits (bounded) until `pid` has started its workers and each of them has
// been computing for a moment; their ids, or none.
std::vector<pid_t> busy_workers(pid_t pid, std::size_t count) {
  // Only a bound for a machine that never gets there: the runs waited on
  // last minutes.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (std::chrono::steady_clock::now() < deadline) {
    std::vector<pid_t> workers = children_of(pid);
    bool busy = workers.size() == count;
    for (pid_t w : workers) busy = busy && cpu_ticks(w) >= 20;
    if (busy) return workers;
    std::this_thread::yield();
  }
  return {};
}

bool names_left(const std::string& tag) {
  for (const auto& entry : fs::directory_iterator("/dev/shm"))
    if (entry.path().filename().string().find("." + tag + ".") != std::string::npos) return true;
  return false;
}

class WorkerProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tag_ = "proc" + std::to_string(::getpid());
    ::setenv("KESTRINTEMPUS_PARPRO_TAG", tag_.c_str(), 1);
    parpro_remove_names();
    char pattern[] = "/tmp/kt_parpro_XXXXXX";
    folder_ = mkdtemp(pattern);
    ::setenv("KESTRINTEMPUS_ROOT", folder_.c_str(), 1);
    fs::copy(fs::path(KT_SOURCE_DIR) / "examples" / "piccola", folder_ / "piccola",
             fs::copy_options::recursive);
  }
  void TearDown() override {
    parpro_close();
    parpro_remove_names();
    ::unsetenv("KESTRINTEMPUS_PARPRO_TAG");
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  // Waits (bounded) until process i took its go.
  static bool taken(int i) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
      if (parpro_command(i) == 0) return true;
      std::this_thread::yield();
    }
    return false;
  }
  std::string tag_;
  fs::path folder_;
};

// The desktop program's worker computes as orario's does; a worker killed
// while the other computes blocks nobody.
TEST_F(WorkerProcessTest, AKilledWorkerBlocksNobody) {
  std::string school = (folder_ / "piccola").string();
  ASSERT_TRUE(parpro_create(3, school.c_str(), "scuola2.txt"));
  kt::ChildProcess first = kt::ChildProcess::spawn(kOrario, {"PARPRO:1-3"});
  std::string out = (folder_ / "desktop.txt").string();
  kt::ChildProcess second = kt::ChildProcess::spawn(
      "/bin/sh", {"-c", "exec '" + kDesktop + "' PARPRO:2-3 >'" + out + "' 2>&1"});
  ASSERT_TRUE(first && second);
  ASSERT_TRUE(or_wait_mutex_for(g_parpro_com_mutex, 60000));
  parpro_area()->run_code = 16;
  parpro_area()->command[1] = parpro_area()->command[2] = kParproGo;
  or_release_mutex(g_parpro_com_mutex);
  ASSERT_TRUE(taken(1));
  ASSERT_TRUE(taken(2));
  // Killed while the desktop worker computes.
  // piccola takes a worker about one tick of processor time in all: the
  // kill falls while the desktop worker has started on its run.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (cpu_ticks(second.pid()) < 1 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::yield();
  first.kill();
  // The others go on: the area's mutex answers, the second worker quits
  // when told, and the dead one is reaped without a wait.
  parpro_set_all_commands(kParproQuit);
  auto status = second.wait_for(std::chrono::seconds(20));
  ASSERT_TRUE(status.has_value());
  EXPECT_TRUE(status->success());
  EXPECT_FALSE(first.running());
  EXPECT_EQ(text_of(out), "") << "a worker leaves the console to the main process";
}

TEST_F(WorkerProcessTest, OrarioStartsAndEndsItsWorkers) {
  std::string command = "cd '" + (folder_ / "piccola").string() + "' && timeout 60 '" + kOrario +
                        "' --processes 3 --seed 7 CALC:scuola2.txt >out.txt 2>&1";
  int status = std::system(command.c_str());
  EXPECT_NE(status, -1);
  EXPECT_NE(WEXITSTATUS(status), 124) << "ended within the bound";
  EXPECT_FALSE(names_left(tag_)) << "the area and the mutexes are removed";
  // Only the main process prints: its seed line once, not once per process.
  std::string out = text_of((folder_ / "piccola" / "out.txt").string());
  std::size_t seeds = 0;
  for (std::size_t at = out.find(" SEME "); at != std::string::npos; at = out.find(" SEME ", at + 1))
    ++seeds;
  EXPECT_EQ(seeds, 1u) << out;
}

// The main run goes on and saves its timetable when one of its workers is
// killed while it computes. The run is on a school that can never reach zero
// errors, so it goes on far longer than the wait for busy workers (the time
// limit only bounds it), and
// is then ended by Ctrl-C as a user would end it: nothing here depends on how
// fast the machine is.
TEST_F(WorkerProcessTest, AWorkerKilledMidRunLeavesTheMainFinishingAndSaving) {
  fs::path school = folder_ / "piccola";
  // A forbidden hour the school forces keeps every process searching until
  // the time limit, however quickly a seed finds the rest.
  std::string text;
  {
    std::ifstream in(school / "scuola2.txt", std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::size_t at = text.find("V:\tMANCINI\tGMAX:2\t");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 18, "V:\tMANCINI\tOP:LU:1-5MA:1-5ME:1-5GI:1-5VE:1-5\t");
  std::ofstream(school / "scuola2.txt", std::ios::binary | std::ios::trunc) << text;
  kt::ChildProcess main = kt::ChildProcess::spawn(
      kOrario, {"--processes", "3", "--seed", "5", "--time-limit", "600",
                "CALC:" + (school / "scuola2.txt").string()});
  ASSERT_TRUE(main);
  std::vector<pid_t> workers = busy_workers(main.pid(), 2);
  ASSERT_EQ(workers.size(), 2u);
  ASSERT_TRUE(main.running()) << "the run outlasts the wait for its workers";
  ::kill(workers[0], SIGKILL);
  ::kill(main.pid(), SIGINT);
  auto status = main.wait_for(std::chrono::seconds(120));
  ASSERT_TRUE(status.has_value());
  EXPECT_TRUE(status->success());
  EXPECT_TRUE(fs::exists(school / "savego.txt"));
  EXPECT_TRUE(gone(workers[1])) << "the other worker ended with the command";
}

// Workers whose main process dies end by themselves.
TEST_F(WorkerProcessTest, WorkersEndWhenTheirMainDies) {
  fs::copy(fs::path(KT_SOURCE_DIR) / "examples" / "liceo", folder_ / "liceo",
           fs::copy_options::recursive);
  kt::ChildProcess main = kt::ChildProcess::spawn(
      kOrario, {"--processes", "3", "--seed", "303", "--time-limit", "600",
                "CALC:" + (folder_ / "liceo" / "scuola2.txt").string()});
  ASSERT_TRUE(main);
  std::vector<pid_t> workers = busy_workers(main.pid(), 2);
  ASSERT_EQ(workers.size(), 2u);
  main.kill();
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline && !(gone(workers[0]) && gone(workers[1])))
    std::this_thread::yield();
  EXPECT_TRUE(gone(workers[0]));
  EXPECT_TRUE(gone(workers[1]));
  // The names of the dead main's area are its own tag's; clear them here.
  parpro_remove_names();
}

}  // namespace
