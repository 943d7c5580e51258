// The permissions of what the program creates, under the user's umask: a
// saved file, the files of a school saved together and a copy made new are
// readable and writable as far as the umask lets (0666 less it), as are the
// instance and folder lock files, so another user of a shared folder can
// open them; folders made take 0777 less the umask; a shared area is the
// user's own (0600) whatever the umask. A replaced file keeps its own.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/folder_lock.h"
#include "platform/instance_lock.h"
#include "platform/shared_memory.h"
#include "platform/system_atomic_write.h"
#include "platform/system_files.h"
#include "temp_folder.h"

namespace {

unsigned mode_of(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return 0xFFFFu;
  return unsigned(st.st_mode & 07777);
}

class CreatedModes : public TempFolderTest {
 protected:
  CreatedModes() : TempFolderTest("kt-created-modes-") {}
  void TearDown() override {
    ::umask(saved_);
    TempFolderTest::TearDown();
  }
  mode_t saved_ = ::umask(022);
};

TEST_F(CreatedModes, FilesAndFoldersTakeTheUmasksRights) {
  for (mode_t mask : {mode_t(022), mode_t(002), mode_t(077)}) {
    ::umask(mask);
    std::string folder = at("m" + std::to_string(mask));
    const unsigned file = 0666u & ~unsigned(mask), dir = 0777u & ~unsigned(mask);
    ASSERT_TRUE(kt::make_folders(folder + "/anno/classi"));
    EXPECT_EQ(mode_of(folder), dir) << mask;
    EXPECT_EQ(mode_of(folder + "/anno/classi"), dir) << mask;

    ASSERT_TRUE(kt::write_file_atomically(folder + "/orario.txt", "x"));
    EXPECT_EQ(mode_of(folder + "/orario.txt"), file) << mask;
    ASSERT_TRUE(kt::replace_files_together({{folder + "/a.dat", "a"}, {folder + "/b.dat", "b"}}, folder + "/ab.mark"));
    EXPECT_EQ(mode_of(folder + "/a.dat"), file) << mask;
    EXPECT_EQ(mode_of(folder + "/b.dat"), file) << mask;
    kt::CopyResult copied = kt::copy_file_replacing(folder + "/orario.txt", folder + "/copia.txt");
    EXPECT_EQ(copied, kt::CopyResult::kOk) << mask;
    EXPECT_EQ(mode_of(folder + "/copia.txt"), file) << mask;

    kt::InstanceLock instance = kt::InstanceLock::acquire(folder);
    ASSERT_TRUE(instance) << mask;
    EXPECT_EQ(mode_of(folder + "/" + kt::kInstanceLockFile), file) << mask;
    kt::FolderLock lock = kt::FolderLock::acquire(folder + "/cartella.lck");
    ASSERT_TRUE(lock) << mask;
    EXPECT_EQ(mode_of(folder + "/cartella.lck"), file) << mask;
    lock.release();
  }
}

TEST_F(CreatedModes, AReplacedFileKeepsItsOwnRights) {
  ::umask(022);
  std::string path = at("tenuto.txt");
  std::ofstream(path) << "old";
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(kt::write_file_atomically(path, "new"));
  EXPECT_EQ(mode_of(path), 0640u);
  ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
  ASSERT_TRUE(kt::replace_files_together({{path, "newer"}}, at("t.mark")));
  EXPECT_EQ(mode_of(path), 0604u);
}

TEST_F(CreatedModes, ASharedAreaIsTheUsersOwn) {
  for (mode_t mask : {mode_t(0), mode_t(022)}) {
    ::umask(mask);
    const std::string name = "KtModeProbe" + std::to_string(::getpid());
    kt::SharedMemory::remove(name);
    kt::SharedMemory area = kt::SharedMemory::create(name, 64);
    ASSERT_TRUE(area) << mask;
    int fd = ::shm_open(area.object_name().c_str(), O_RDONLY, 0);
    ASSERT_GE(fd, 0);
    struct stat st;
    ASSERT_EQ(::fstat(fd, &st), 0);
    ::close(fd);
    EXPECT_EQ(unsigned(st.st_mode & 07777), 0600u) << mask;
    area.close();
  }
}

}  // namespace
