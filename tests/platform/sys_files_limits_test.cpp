// Emptying and removing a folder tree deeper than the descriptors a process
// may hold: the call fails with the cause (too many open files), not with a
// later symptom, and leaves what it could not reach; with descriptors enough
// the same tree goes whole.
#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/system_files.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

class FilesLimits : public TempFolderTest {
 protected:
  FilesLimits() : TempFolderTest("kt_files_limits_") {}
  // A chain of twelve nested folders, each with a file.
  std::string Deep() {
    fs::path p = root_ / "albero";
    for (int level = 0; level < 12; ++level) {
      p /= "livello" + std::to_string(level);
      fs::create_directories(p);
      std::ofstream(p / "dati.txt") << level;
    }
    return (root_ / "albero").string();
  }
  // Runs the call in a child process holding only a few descriptors more
  // than it has open; its exit code is the errno reported, 0 on success.
  template <typename Call>
  int WithFewDescriptors(Call call) {
    pid_t child = ::fork();
    if (child == 0) {
      int probe = ::open("/dev/null", O_RDONLY);
      ::close(probe);
      rlimit few{rlim_t(probe + 4), rlim_t(probe + 4)};
      if (::setrlimit(RLIMIT_NOFILE, &few) != 0) ::_exit(250);
      int error = 0;
      bool ok = call(&error);
      ::_exit(ok ? 0 : (error > 0 && error < 250 ? error : 251));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 252;
  }
};

}  // namespace

TEST_F(FilesLimits, TooDeepForTheDescriptorsFailsWithTheCause) {
  std::string tree = Deep();
  EXPECT_EQ(WithFewDescriptors([&](int* error) { return kt::empty_folder(tree, error); }), EMFILE);
  EXPECT_TRUE(fs::exists(tree)) << "the folder itself is kept";
  EXPECT_TRUE(fs::exists(root_ / "albero/livello0/livello1")) << "the levels out of reach stay";
  EXPECT_EQ(WithFewDescriptors([&](int* error) { return kt::remove_folder_tree(tree, error); }), EMFILE);
  EXPECT_TRUE(fs::exists(tree));
  // With descriptors enough, the rest goes, whatever error an earlier call
  // of the program left behind.
  int error = 0;
  errno = EINVAL;
  EXPECT_TRUE(kt::remove_folder_tree(tree, &error)) << error;
  EXPECT_FALSE(fs::exists(tree));
  std::string again = Deep();
  errno = EINVAL;
  EXPECT_TRUE(kt::empty_folder(again, &error)) << error;
  EXPECT_TRUE(fs::is_empty(again));
}

// A file the system refuses to remove (the kernel's own, even to root) is
// reported with the refusal and stays; a file already gone is no failure.
TEST_F(FilesLimits, AFileTheSystemWillNotRemoveIsReported) {
  int error = 0;
  EXPECT_FALSE(kt::remove_file_if_present("/proc/version", &error));
  EXPECT_TRUE(error == EPERM || error == EACCES) << error;
  EXPECT_TRUE(fs::exists("/proc/version"));
  error = 0;
  EXPECT_TRUE(kt::remove_file_if_present(at("mai-esistito.txt"), &error));
  EXPECT_EQ(error, 0);
}
