// The Windows-path translation against a drive root and a school folder that
// hold names in other cases than the program writes them: rooted paths, the
// output folders relative to the school, accented 1252 names, parent folders
// and paths whose tail does not exist yet. The drive root is a temporary
// folder named by the environment variable, never the user's home.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/paths.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

class PathCaseTest : public TempFolderTest {
 protected:
  PathCaseTest() : TempFolderTest("kt_pathcase_") {}
  void SetUp() override {
    TempFolderTest::SetUp();
    fs::create_directories(root_ / "KestrinTempusDati" / "Liceo" / "ORARIO");
    fs::create_directories(root_ / "KestrinTempusDati" / "altro");
    std::ofstream(root_ / "KestrinTempusDati" / "Liceo" / "ORARIO" / "classi.TXT") << "x";
    std::ofstream(root_ / "KestrinTempusDati" / "Liceo" / "ATTIVITÀ.txt") << "x";
    old_root_ = std::getenv(kt::kDriveRootVariable) ? std::getenv(kt::kDriveRootVariable) : "";
    ::setenv(kt::kDriveRootVariable, root_.c_str(), 1);
    old_cwd_ = fs::current_path();
    fs::current_path(root_ / "KestrinTempusDati" / "Liceo");
  }
  void TearDown() override {
    fs::current_path(old_cwd_);
    if (old_root_.empty()) {
      ::unsetenv(kt::kDriveRootVariable);
    } else {
      ::setenv(kt::kDriveRootVariable, old_root_.c_str(), 1);
    }
    TempFolderTest::TearDown();
  }
  fs::path old_cwd_;
  std::string old_root_;
};

}  // namespace

TEST_F(PathCaseTest, TranslatesToTheNamesOnDisk) {
  const std::string r = root_.string() + "/KestrinTempusDati";
  struct Case { const char* id; std::string windows; std::string local; } cases[] = {
      {"data-root", "\\KestrinTempusDati\\", r + "/"},
      {"data-root-bare", "\\KestrinTempusDati", r},
      {"data-root-lower", "\\kestrintempusdati\\", r + "/"},
      {"drive-upper", "C:\\KESTRINTEMPUSDATI\\LICEO\\", r + "/Liceo/"},
      {"status-file", "\\KestrinTempusDati\\plenixstatus.txt", r + "/plenixstatus.txt"},
      {"orario", ".\\Orario\\", "ORARIO/"},
      {"orario-file", ".\\Orario\\Classi.txt", "ORARIO/classi.TXT"},
      {"orario-plain", "Orario\\CLASSI.txt", "ORARIO/classi.TXT"},
      {"new-folder", ".\\Provvisorio\\Classi.txt", "Provvisorio/Classi.txt"},
      {"accented", "attivit\xE0.TXT", "ATTIVITÀ.txt"},
      {"parent", "..\\Altro\\", "../altro/"},
      {"semaphore", "\\KestrinTempusDati\\\\semaphore.dat", r + "/semaphore.dat"},
  };
  for (const Case& c : cases) EXPECT_EQ(kt::translate_path(c.windows), c.local) << c.id;
}

TEST_F(PathCaseTest, DriveRootFallsBackToHome) {
  EXPECT_EQ(kt::drive_root(), root_.string());
  const char* home = std::getenv("HOME");
  std::string saved_home = home ? home : "";
  ::setenv(kt::kDriveRootVariable, "", 1);
  ::setenv("HOME", "/tmp/kt-home-stand-in", 1);
  EXPECT_EQ(kt::drive_root(), "/tmp/kt-home-stand-in");
  EXPECT_EQ(kt::translate_path("\\KestrinTempusDati\\"), "/tmp/kt-home-stand-in/KestrinTempusDati/");
  if (home) {
    ::setenv("HOME", saved_home.c_str(), 1);
  } else {
    ::unsetenv("HOME");
  }
}

// Without a drive root and without a home (unset or empty), paths start at
// the file system's root; an empty drive root counts as none.
TEST_F(PathCaseTest, DriveRootFallsBackToTheRootWithoutAHome) {
  const char* home = std::getenv("HOME");
  std::string saved_home = home ? home : "";
  for (bool root_set : {false, true}) {
    if (root_set) ::setenv(kt::kDriveRootVariable, "", 1);
    else ::unsetenv(kt::kDriveRootVariable);
    ::unsetenv("HOME");
    EXPECT_EQ(kt::drive_root(), "/") << "no home, root variable set: " << root_set;
    ::setenv("HOME", "", 1);
    EXPECT_EQ(kt::drive_root(), "/") << "empty home, root variable set: " << root_set;
    EXPECT_EQ(kt::translate_path("\\KestrinTempusDati\\semaphore.dat"), "/KestrinTempusDati/semaphore.dat");
  }
  if (home) ::setenv("HOME", saved_home.c_str(), 1);
  else ::unsetenv("HOME");
}
