// The single-instance lock on "semaphore.dat": a second holder, in this
// process or another, is refused as held elsewhere and learns who holds it;
// a user without rights on the folder is refused as access denied; the lock
// goes with its holder. Run as root, the access case drops to the "nobody"
// user in a copy of the test program, since root passes every rights check.
#include <gtest/gtest.h>

#include <utility>

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/instance_lock.h"
#include "platform/system_info.h"
#include "sys_child.h"

namespace fs = std::filesystem;

namespace {

// args: folder. Exit 20 + the status it got.
int try_lock(const std::vector<std::string>& args) {
  return 20 + static_cast<int>(kt::InstanceLock::acquire(args.at(0)).status());
}

// args: folder. Drops root rights first when it has them, then as try_lock.
int try_lock_unprivileged(const std::vector<std::string>& args) {
  if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 3;
  return try_lock(args);
}

SysChildRole try_role("instance-lock", try_lock);
SysChildRole nobody_role("instance-lock-unprivileged", try_lock_unprivileged);

int exit_code_for(kt::InstanceLockStatus s) { return 20 + static_cast<int>(s); }

class InstanceLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("kt_lock_" + std::to_string(::getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override {
    fs::permissions(folder_, fs::perms::owner_all);
    fs::remove_all(folder_);
  }
  fs::path folder_;
};

}  // namespace

TEST(InstanceLockErrors, RightsErrorsAreAccessDenied) {
  struct Case { int error; kt::InstanceLockStatus status; } cases[] = {
      {EACCES, kt::InstanceLockStatus::kAccessDenied},
      {EPERM, kt::InstanceLockStatus::kAccessDenied},
      {EROFS, kt::InstanceLockStatus::kAccessDenied},
      {ENOENT, kt::InstanceLockStatus::kFailed},
      {EISDIR, kt::InstanceLockStatus::kFailed},
  };
  for (const Case& c : cases) EXPECT_EQ(kt::classify_lock_open_error(c.error), c.status) << c.error;
}

TEST_F(InstanceLockTest, SecondHolderIsRefusedAndNamesTheFirstUntilTheLockGoesWithIt) {
  kt::InstanceLock first = kt::InstanceLock::acquire(folder_.string());
  ASSERT_TRUE(first) << first.error();
  EXPECT_EQ(first.path(), (folder_ / "semaphore.dat").string());

  kt::InstanceLock second = kt::InstanceLock::acquire(folder_.string() + "/");
  EXPECT_FALSE(second);
  EXPECT_EQ(second.status(), kt::InstanceLockStatus::kHeldElsewhere);
  EXPECT_EQ(second.shown_code(), 32);
  EXPECT_EQ(second.holder(), std::to_string(::getpid()) + " " + kt::user_name());

  kt::ChildProcess other = spawn_sys_child("instance-lock", {folder_.string()});
  auto status = other.wait_for(std::chrono::seconds(20));
  ASSERT_TRUE(status);
  EXPECT_EQ(status->code, exit_code_for(kt::InstanceLockStatus::kHeldElsewhere));

  { kt::InstanceLock gone = std::move(first); }  // the lock goes with its holder
  kt::ChildProcess next = spawn_sys_child("instance-lock", {folder_.string()});
  status = next.wait_for(std::chrono::seconds(20));
  ASSERT_TRUE(status);
  EXPECT_EQ(status->code, exit_code_for(kt::InstanceLockStatus::kAcquired));
  EXPECT_TRUE(kt::InstanceLock::acquire(folder_.string()));
}

TEST_F(InstanceLockTest, FolderWithoutRightsIsAccessDenied) {
  fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                               fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  kt::ChildProcess other = spawn_sys_child("instance-lock-unprivileged", {folder_.string()});
  auto status = other.wait_for(std::chrono::seconds(20));
  ASSERT_TRUE(status);
  EXPECT_EQ(status->code, exit_code_for(kt::InstanceLockStatus::kAccessDenied));
}

TEST_F(InstanceLockTest, MissingFolderIsAFailureNotARefusal) {
  kt::InstanceLock lock = kt::InstanceLock::acquire((folder_ / "missing").string());
  EXPECT_EQ(lock.status(), kt::InstanceLockStatus::kFailed);
  EXPECT_EQ(lock.error(), ENOENT);
  EXPECT_EQ(lock.shown_code(), ENOENT);
  // Handed on (the program keeps the lock in a member), it still says why.
  kt::InstanceLock kept;
  kept = std::move(lock);
  EXPECT_EQ(kept.status(), kt::InstanceLockStatus::kFailed);
  EXPECT_EQ(kept.error(), ENOENT);
  EXPECT_EQ(kept.shown_code(), ENOENT);
}
