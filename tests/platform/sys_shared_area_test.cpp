// Named shared memory, in one process and across a copy of the test
// program: the copy sees the area the parent wrote and answers in it.
// Object names carry the process id and the case name, and each case
// removes them, so nothing is left in /dev/shm.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "platform/shared_memory.h"
#include "sys_child.h"

using namespace std::chrono_literals;

namespace {

constexpr std::size_t kAreaSize = 68530;  // the parallel solvers' area
constexpr std::size_t kReplyAt = 26501;   // a state byte the copy answers in
constexpr const char kFolder[] = "/srv/scuole/Liceo Volta";

// args: area name, ready descriptor.
int area_worker(const std::vector<std::string>& args) {
  kt::SharedMemory area = kt::SharedMemory::open(args.at(0), kAreaSize);
  if (!area) return 10;
  if (std::strcmp(reinterpret_cast<const char*>(area.bytes()), kFolder) != 0) return 12;
  if (area.bytes()[kAreaSize - 1] != 0xA5 || area.bytes()[423 + 3] != 1) return 13;
  area.bytes()[kReplyAt] = '3';
  ReadySignal::send(args.at(1));
  return 0;
}

SysChildRole worker_role("area-worker", area_worker);

class SharedAreaTest : public ::testing::Test {
 protected:
  void TearDown() override {
    kt::SharedMemory::remove(area_name_);
  }
  std::string tag_ = std::to_string(::getpid()) + ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::string area_name_ = "KtTestParproArea" + tag_ + ".map";
};

}  // namespace

TEST(ShmName, IsOnePortableComponentPerUser) {
  std::string uid = "." + std::to_string(::geteuid());
  struct Case { const char* id; std::string windows; std::string object; } cases[] = {
      {"plain", "KestrinTempusParproArea.map", "/KestrinTempusParproArea.map" + uid},
      {"slash", "Local\\a/b", "/Local%5Ca%2Fb" + uid},
      {"blank", "x y", "/x%20y" + uid},
      {"1252", "Attivit\xE0", "/Attivit%E0" + uid},
      {"percent", "50%", "/50%25" + uid},
  };
  for (const Case& c : cases) EXPECT_EQ(kt::shm_object_name(c.windows), c.object) << c.id;
}

TEST_F(SharedAreaTest, CreatorMakesZeroedAreaAndOpenerChecksSize) {
  kt::SharedMemory area = kt::SharedMemory::create(area_name_, kAreaSize);
  ASSERT_TRUE(area) << area.error();
  EXPECT_TRUE(area.is_creator());
  EXPECT_EQ(area.bytes()[0], 0);
  EXPECT_EQ(area.bytes()[kAreaSize - 1], 0);
  area.bytes()[100] = 42;

  kt::SharedMemory same = kt::SharedMemory::open(area_name_, kAreaSize);
  ASSERT_TRUE(same);
  EXPECT_FALSE(same.is_creator());
  EXPECT_EQ(same.bytes()[100], 42);

  kt::SharedMemory bigger = kt::SharedMemory::open(area_name_, kAreaSize + 1);
  EXPECT_FALSE(bigger);
  EXPECT_EQ(bigger.status(), kt::ShmStatus::kTooSmall);

  area.close();  // the creator takes the name away; mappings stay
  EXPECT_EQ(same.bytes()[100], 42);
  kt::SharedMemory gone = kt::SharedMemory::open(area_name_, kAreaSize);
  EXPECT_EQ(gone.status(), kt::ShmStatus::kNotFound);
}

TEST_F(SharedAreaTest, CreateReplacesStaleAreaWithFreshZeroes) {
  kt::SharedMemory stale = kt::SharedMemory::create(area_name_, 16);
  ASSERT_TRUE(stale);
  stale.bytes()[0] = 7;
  kt::SharedMemory fresh = kt::SharedMemory::create(area_name_, kAreaSize);
  ASSERT_TRUE(fresh);
  EXPECT_EQ(fresh.bytes()[0], 0);
  EXPECT_TRUE(kt::SharedMemory::open(area_name_, kAreaSize));
}

TEST_F(SharedAreaTest, SpawnedCopySeesTheAreaAndAnswersInIt) {
  kt::SharedMemory area = kt::SharedMemory::create(area_name_, kAreaSize);
  ASSERT_TRUE(area);
  std::memcpy(area.bytes(), kFolder, sizeof kFolder);
  area.bytes()[423 + 3] = 1;
  area.bytes()[kAreaSize - 1] = 0xA5;
  ReadySignal answered;
  kt::ChildProcess copy = spawn_sys_child("area-worker", {area_name_, answered.arg()});
  ASSERT_TRUE(copy) << copy.error();
  ASSERT_TRUE(answered.wait(10000));
  auto status = copy.wait_for(20s);
  ASSERT_TRUE(status);
  EXPECT_TRUE(status->success()) << "exit " << status->code << " signal " << status->signal;
  EXPECT_EQ(area.bytes()[kReplyAt], '3');
}

// Names left by a main process that no longer runs go; a running process's
// names, untagged names and tags that are no process id stay.
TEST_F(SharedAreaTest, OrphansOfEndedProcessesAreRemoved) {
  pid_t ended = ::fork();
  ASSERT_GE(ended, 0);
  if (ended == 0) ::_exit(0);
  int status = 0;
  ASSERT_EQ(::waitpid(ended, &status, 0), ended);
  std::string base = "KtOrphans" + tag_;
  const struct {
    std::string name;
    bool stays;
  } areas[] = {{base + "." + std::to_string(ended), false},
               {base + "." + std::to_string(::getpid()), true},
               {base, true},
               {base + ".12x", true}};
  std::vector<kt::SharedMemory> held;
  for (const auto& a : areas) {
    held.push_back(kt::SharedMemory::create(a.name, 64));
    ASSERT_TRUE(held.back()) << a.name;
  }
  EXPECT_EQ(kt::SharedMemory::remove_orphans(base), 1);
  for (const auto& a : areas)
    EXPECT_EQ(kt::SharedMemory::open(a.name, 64).status() == kt::ShmStatus::kOk, a.stays) << a.name;
  EXPECT_EQ(kt::SharedMemory::remove_orphans(base), 0);
}
