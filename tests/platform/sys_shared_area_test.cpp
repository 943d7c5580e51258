// Named shared memory and robust named mutexes, in one process and across a
// copy of the test program: the copy sees the area the parent wrote, both
// count under the mutex without losing an increment, and a holder that is
// killed, or a thread that ends, while holding the mutex blocks nobody.
// Object names carry the process id and the case name, and each case
// removes them, so nothing is left in /dev/shm.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include "platform/named_mutex.h"
#include "platform/shared_memory.h"
#include "sys_child.h"

using namespace std::chrono_literals;

namespace {

constexpr std::size_t kAreaSize = 68530;  // the parallel solvers' area
constexpr std::size_t kCounterAt = 476;   // a u32 both processes count in
constexpr std::size_t kReplyAt = 26501;   // a state byte the copy answers in
constexpr const char kFolder[] = "/srv/scuole/Liceo Volta";
constexpr int kIncrements = 20000;

std::uint32_t read_u32(const unsigned char* p) {
  std::uint32_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

void write_u32(unsigned char* p, std::uint32_t v) { std::memcpy(p, &v, sizeof v); }

// Read, let the other process run, write back: loses counts unless the
// mutex really excludes.
bool count_under(kt::NamedMutex& mutex, unsigned char* counter, int times) {
  for (int i = 0; i < times; ++i) {
    if (!kt::acquired(mutex.lock())) return false;
    std::uint32_t v = read_u32(counter);
    if (i % 16 == 0) std::this_thread::yield();
    write_u32(counter, v + 1);
    if (!mutex.unlock()) return false;
  }
  return true;
}

// args: area name, mutex name, ready descriptor.
int area_worker(const std::vector<std::string>& args) {
  kt::SharedMemory area = kt::SharedMemory::open(args.at(0), kAreaSize);
  kt::NamedMutex mutex = kt::NamedMutex::open(args.at(1));
  if (!area || !mutex) return 10;
  {
    kt::NamedMutexLock hold(mutex);
    if (!kt::acquired(hold.result())) return 11;
    if (std::strcmp(reinterpret_cast<const char*>(area.bytes()), kFolder) != 0) return 12;
    if (area.bytes()[kAreaSize - 1] != 0xA5 || area.bytes()[423 + 3] != 1) return 13;
  }
  ReadySignal::send(args.at(2));
  if (!count_under(mutex, area.bytes() + kCounterAt, kIncrements)) return 14;
  kt::NamedMutexLock hold(mutex);
  area.bytes()[kReplyAt] = '3';
  return 0;
}

// args: mutex name, ready descriptor. Locks, reports, then waits to be killed.
int mutex_holder(const std::vector<std::string>& args) {
  kt::NamedMutex mutex = kt::NamedMutex::open(args.at(0));
  if (!mutex || !kt::acquired(mutex.lock())) return 10;
  ReadySignal::send(args.at(1));
  ::sleep(30);  // bounded, in case the test that should kill it died first
  return 11;
}

// args: mutex name. Exit 0 for a plain acquisition, 1 owner died, 2 otherwise.
int mutex_taker(const std::vector<std::string>& args) {
  kt::NamedMutex mutex = kt::NamedMutex::open(args.at(0));
  if (!mutex) return 3;
  kt::LockResult r = mutex.lock_for(10s);
  if (r == kt::LockResult::kAcquired) return 0;
  return r == kt::LockResult::kAcquiredOwnerDied ? 1 : 2;
}

SysChildRole worker_role("area-worker", area_worker);
SysChildRole holder_role("mutex-holder", mutex_holder);
SysChildRole taker_role("mutex-taker", mutex_taker);

class SharedAreaTest : public ::testing::Test {
 protected:
  void TearDown() override {
    kt::SharedMemory::remove(area_name_);
    kt::SharedMemory::remove(mutex_name_);
  }
  std::string tag_ = std::to_string(::getpid()) + ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::string area_name_ = "KtTestParproArea" + tag_ + ".map";
  std::string mutex_name_ = "KtTestParproMutexCOM" + tag_ + ".dat";
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
  kt::NamedMutex missing = kt::NamedMutex::open(mutex_name_, 0ms);
  EXPECT_EQ(missing.status(), kt::ShmStatus::kNotFound);
  EXPECT_EQ(missing.lock(), kt::LockResult::kFailed);
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

TEST_F(SharedAreaTest, MutexIsRecursiveAndExcludesOtherThreads) {
  kt::NamedMutex mutex = kt::NamedMutex::create(mutex_name_);
  ASSERT_TRUE(mutex);
  EXPECT_EQ(mutex.lock(), kt::LockResult::kAcquired);
  EXPECT_EQ(mutex.try_lock(), kt::LockResult::kAcquired);  // same thread again
  kt::LockResult other_try = kt::LockResult::kFailed, other_timed = kt::LockResult::kFailed;
  std::thread([&] {
    kt::NamedMutex view = kt::NamedMutex::open(mutex_name_);
    other_try = view.try_lock();
    other_timed = view.lock_for(20ms);
  }).join();
  EXPECT_EQ(other_try, kt::LockResult::kBusy);
  EXPECT_EQ(other_timed, kt::LockResult::kTimedOut);
  EXPECT_TRUE(mutex.unlock());
  EXPECT_TRUE(mutex.unlock());
  EXPECT_FALSE(mutex.unlock());  // not held any more
}

TEST_F(SharedAreaTest, ThreadThatEndsHoldingTheMutexBlocksNobody) {
  kt::NamedMutex mutex = kt::NamedMutex::create(mutex_name_);
  ASSERT_TRUE(mutex);
  std::thread([&] { EXPECT_EQ(mutex.lock(), kt::LockResult::kAcquired); }).join();
  EXPECT_EQ(mutex.lock_for(5s), kt::LockResult::kAcquiredOwnerDied);
  EXPECT_TRUE(mutex.unlock());
  EXPECT_EQ(mutex.try_lock(), kt::LockResult::kAcquired);  // consistent again
  EXPECT_TRUE(mutex.unlock());
}

TEST_F(SharedAreaTest, SpawnedCopySharesTheAreaAndCountsUnderTheMutex) {
  kt::SharedMemory area = kt::SharedMemory::create(area_name_, kAreaSize);
  kt::NamedMutex mutex = kt::NamedMutex::create(mutex_name_);
  ASSERT_TRUE(area);
  ASSERT_TRUE(mutex);
  {
    kt::NamedMutexLock hold(mutex);
    std::memcpy(area.bytes(), kFolder, sizeof kFolder);
    area.bytes()[423 + 3] = 1;
    area.bytes()[kAreaSize - 1] = 0xA5;
  }
  ReadySignal checked;
  kt::ChildProcess copy = spawn_sys_child("area-worker", {area_name_, mutex_name_, checked.arg()});
  ASSERT_TRUE(copy) << copy.error();
  ASSERT_TRUE(checked.wait(10000));  // both count at the same time from here
  EXPECT_TRUE(count_under(mutex, area.bytes() + kCounterAt, kIncrements));
  auto status = copy.wait_for(20s);
  ASSERT_TRUE(status);
  EXPECT_TRUE(status->success()) << "exit " << status->code << " signal " << status->signal;
  kt::NamedMutexLock hold(mutex);
  EXPECT_EQ(read_u32(area.bytes() + kCounterAt), 2u * kIncrements);
  EXPECT_EQ(area.bytes()[kReplyAt], '3');
}

TEST_F(SharedAreaTest, KilledHolderBlocksNeitherUsNorTheNextProcess) {
  kt::NamedMutex mutex = kt::NamedMutex::create(mutex_name_);
  ASSERT_TRUE(mutex);
  ReadySignal holding;
  kt::ChildProcess holder = spawn_sys_child("mutex-holder", {mutex_name_, holding.arg()});
  ASSERT_TRUE(holder);
  ASSERT_TRUE(holding.wait(10000));
  EXPECT_EQ(mutex.try_lock(), kt::LockResult::kBusy);
  kt::ExitStatus end = holder.kill();
  EXPECT_EQ(end.signal, SIGKILL);

  EXPECT_EQ(mutex.lock_for(5s), kt::LockResult::kAcquiredOwnerDied);
  EXPECT_TRUE(mutex.unlock());

  kt::ChildProcess next = spawn_sys_child("mutex-taker", {mutex_name_});
  auto status = next.wait_for(20s);
  ASSERT_TRUE(status);
  EXPECT_TRUE(status->success()) << "exit " << status->code;
}
