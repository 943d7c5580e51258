// Parallel solver processes as real processes of the orario program: the
// workers of `--processes` are started and ended with the command and leave
// no shared-memory names behind; a worker killed while the others work
// blocks nobody, and the main process reaps it without waiting. Every wait
// is bounded; each test uses its own object names.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/process.h"
#include "solver/parpro_area.h"

namespace fs = std::filesystem;

namespace {

const std::string kOrario = std::string(KT_BINARY_DIR) + "/apps/orario/orario";

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

TEST_F(WorkerProcessTest, AKilledWorkerBlocksNobody) {
  std::string school = (folder_ / "piccola").string();
  ASSERT_TRUE(parpro_create(3, school.c_str(), "scuola2.txt"));
  kt::ChildProcess first = kt::ChildProcess::spawn(kOrario, {"PARPRO:1-3"});
  kt::ChildProcess second = kt::ChildProcess::spawn(kOrario, {"PARPRO:2-3"});
  ASSERT_TRUE(first && second);
  or_wait_mutex(g_parpro_com_mutex);
  parpro_area()->run_code = 16;
  parpro_area()->command[1] = parpro_area()->command[2] = kParproGo;
  or_release_mutex(g_parpro_com_mutex);
  ASSERT_TRUE(taken(1));
  ASSERT_TRUE(taken(2));
  first.kill();
  // The others go on: the area's mutex answers, the second worker quits
  // when told, and the dead one is reaped without a wait.
  parpro_set_all_commands(kParproQuit);
  auto status = second.wait_for(std::chrono::seconds(20));
  ASSERT_TRUE(status.has_value());
  EXPECT_TRUE(status->success());
  EXPECT_FALSE(first.running());
}

TEST_F(WorkerProcessTest, OrarioStartsAndEndsItsWorkers) {
  std::string command = "cd '" + (folder_ / "piccola").string() + "' && timeout 60 '" + kOrario +
                        "' --processes 3 --seed 7 CALC:scuola2.txt >out.txt 2>&1";
  int status = std::system(command.c_str());
  EXPECT_NE(status, -1);
  EXPECT_NE(WEXITSTATUS(status), 124) << "ended within the bound";
  EXPECT_FALSE(names_left(tag_)) << "the area and the mutexes are removed";
}

}  // namespace
