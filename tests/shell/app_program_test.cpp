// The desktop program as a process: no display ends it with 1, a worker
// ends with 0 on its quit byte or when its starter is gone.
#include <chrono>
#include <vector>

#include "app_test_support.h"
#include "platform/process.h"
#include "platform/shared_memory.h"

namespace {

using namespace kt_app_test;

std::string program() { return std::string(KT_BINARY_DIR) + "/apps/kestrintempus/kestrintempus"; }

// A shared-area tag of this process's own: test runs never meet in one area.
class AppProgram : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ::setenv("KESTRINTEMPUS_PARPRO_TAG", ("shell-test-" + std::to_string(::getpid())).c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("KESTRINTEMPUS_PARPRO_TAG");
    TempRoot::TearDown();
  }
};

TEST_F(AppProgram, WithoutDisplayEndsWithOne) {
  const char* display = std::getenv("DISPLAY");
  std::string kept = display ? display : "";
  ::unsetenv("DISPLAY");
  kt::ChildProcess child = kt::ChildProcess::spawn(program(), {});
  if (!kept.empty()) ::setenv("DISPLAY", kept.c_str(), 1);
  ASSERT_TRUE(bool(child)) << child.error();
  auto status = child.wait_for(std::chrono::seconds(20));
  ASSERT_TRUE(status.has_value());
  EXPECT_TRUE(status->exited);
  EXPECT_EQ(status->code, 1);
  EXPECT_FALSE(fs::exists(data_root()));  // nothing made before the display was there
}

TEST_F(AppProgram, WorkerEndsOnItsQuitByte) {
  kt::SharedMemory area =
      kt::SharedMemory::create(or_parpro_object_name("KestrinTempusParproArea.map"), kParproAreaSize);
  ASSERT_TRUE(bool(area));
  area.bytes()[kParproCommandByte + 2] = 100;
  kt::ChildProcess worker = kt::ChildProcess::spawn(program(), {"PARPRO:2-3"});
  ASSERT_TRUE(bool(worker)) << worker.error();
  auto status = worker.wait_for(std::chrono::seconds(20));
  ASSERT_TRUE(status.has_value());
  EXPECT_TRUE(status->exited);
  EXPECT_EQ(status->code, 0);
  EXPECT_FALSE(fs::exists(data_root()));  // a worker makes no folder and takes no lock
}

TEST(AppWorkerWait, EndsOnQuitByteOrLostParent) {
  std::vector<unsigned char> area(kParproAreaSize, 0);
  int parent = int(::getppid());
  EXPECT_TRUE(og_worker_should_wait(2, parent, area.data()));
  EXPECT_TRUE(og_worker_should_wait(2, parent, nullptr));
  area[kParproCommandByte + 3] = 100;
  EXPECT_TRUE(og_worker_should_wait(2, parent, area.data()));  // another worker's byte
  area[kParproCommandByte + 2] = 100;
  EXPECT_FALSE(og_worker_should_wait(2, parent, area.data()));
  EXPECT_FALSE(og_worker_should_wait(2, parent + 100000, nullptr));
}

}  // namespace
