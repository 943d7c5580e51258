// The lock of a folder's work: the first taker holds it and names itself in
// the file, a second taker is refused and told who holds it, letting go
// removes the file, and a lock moved to another owner stays held. A folder
// that does not exist gives a failure with its reason.
#include <errno.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "platform/folder_lock.h"
#include "temp_folder.h"

namespace {

class FolderLockTest : public TempFolderTest {
 protected:
  FolderLockTest() : TempFolderTest("kt-folder-lock-") {}
  std::string Contents(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(FolderLockTest, SecondTakerIsRefusedAndToldTheHolder) {
  std::string path = at("plenix.lock");
  kt::FolderLock first = kt::FolderLock::acquire(path);
  ASSERT_TRUE(first);
  EXPECT_EQ(first.status(), kt::FolderLockStatus::kAcquired);
  EXPECT_EQ(first.error(), 0);
  EXPECT_EQ(Contents(path), std::to_string(::getpid()) + "\n");
  kt::FolderLock second = kt::FolderLock::acquire(path);
  EXPECT_FALSE(second);
  EXPECT_EQ(second.status(), kt::FolderLockStatus::kHeldElsewhere);
  EXPECT_EQ(second.holder(), ::getpid());
  EXPECT_TRUE(std::filesystem::exists(path));  // the refused taker leaves the holder's file
  first.release();
  EXPECT_FALSE(first);
  EXPECT_FALSE(std::filesystem::exists(path));
  first.release();  // nothing more to let go
  kt::FolderLock third = kt::FolderLock::acquire(path);
  EXPECT_TRUE(third);
}

TEST_F(FolderLockTest, AMovedLockStaysHeldUntilItsNewOwnerGoes) {
  std::string path = at("plenix.lock");
  {
    kt::FolderLock taken = kt::FolderLock::acquire(path);
    kt::FolderLock kept(std::move(taken));
    EXPECT_TRUE(kept);
    EXPECT_FALSE(taken);
    taken.release();  // the moved-from lock lets nothing go
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(kt::FolderLock::acquire(path).status(), kt::FolderLockStatus::kHeldElsewhere);
    kt::FolderLock assigned;
    assigned = std::move(kept);
    EXPECT_TRUE(assigned);
    EXPECT_EQ(kt::FolderLock::acquire(path).status(), kt::FolderLockStatus::kHeldElsewhere);
  }
  EXPECT_FALSE(std::filesystem::exists(path));  // gone with its last owner
  EXPECT_TRUE(kt::FolderLock::acquire(path));
}

TEST_F(FolderLockTest, AMissingFolderFailsWithItsReason) {
  kt::FolderLock lock = kt::FolderLock::acquire(at("missing/plenix.lock"));
  EXPECT_FALSE(lock);
  EXPECT_EQ(lock.status(), kt::FolderLockStatus::kFailed);
  EXPECT_EQ(lock.error(), ENOENT);
}

}  // namespace
