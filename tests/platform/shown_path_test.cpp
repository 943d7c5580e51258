// Names the program speaks as the user is shown them: the way this system
// writes them, relative to the school folder (the current folder) for a
// file inside it, else the absolute path; names in other cases than on the
// disk shown as the disk has them, 1252 text in and out. The drive root is
// a temporary folder named by the environment variable, never the home.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/paths.h"
#include "temp_folder.h"
#include "test_temp_folder.h"

namespace fs = std::filesystem;

namespace {

class ShownPathTest : public TempFolderTest {
 protected:
  ShownPathTest() : TempFolderTest("kt_shownpath_") {}
  void SetUp() override {
    TempFolderTest::SetUp();
    data_ = (root_ / "KestrinTempusDati").string();
    school_ = data_ + "/piccola";
    fs::create_directories(school_ + "/ORARIO");
    fs::create_directories(data_ + "/liceo");
    std::ofstream(school_ + "/ATTIVITÀ.txt") << "x";
    in_school_ = std::make_unique<kt_test::InDriveRoot>(root_, school_);
  }
  void TearDown() override {
    in_school_.reset();
    TempFolderTest::TearDown();
  }
  std::string data_, school_;
  std::unique_ptr<kt_test::InDriveRoot> in_school_;
};

}  // namespace

TEST_F(ShownPathTest, InsideTheSchoolFolderRelativeElseInFull) {
  struct Case { const char* id; std::string name; std::string shown; } cases[] = {
      {"output-file", ".\\Orario\\Orario Classi.txt", "ORARIO/Orario Classi.txt"},
      {"output-folder", ".\\Sostituzioni\\", "Sostituzioni/"},
      {"no-dot", "Orario\\x.txt", "ORARIO/x.txt"},
      {"plain", "savego.txt", "savego.txt"},
      {"accented", "attivit\xE0.TXT", "ATTIVIT\xC0.txt"},
      {"parent", "..\\Orario\\x", data_ + "/Orario/x"},
      {"parent-and-back", "..\\piccola\\scuola2.txt", "scuola2.txt"},
      {"rooted-inside", "\\KestrinTempusDati\\piccola\\scuola2.txt", "scuola2.txt"},
      {"rooted-other-case", "\\kestrintempusdati\\PICCOLA\\orario\\x.txt", "ORARIO/x.txt"},
      {"drive-letter", "C:\\KestrinTempusDati\\piccola\\savego.txt", "savego.txt"},
      {"school-folder", "\\KestrinTempusDati\\piccola", school_},
      {"school-folder-slash", "\\KestrinTempusDati\\piccola\\", school_ + "/"},
      {"current-folder", ".\\", school_},
      {"data-root", "\\KestrinTempusDati\\", data_ + "/"},
      {"other-school", "\\KestrinTempusDati\\liceo\\scuola2.txt", data_ + "/liceo/scuola2.txt"},
      {"linux-inside", school_ + "/Orario/x.txt", "Orario/x.txt"},
      {"linux-outside", "/var/tmp/elsewhere/x.txt", "/var/tmp/elsewhere/x.txt"},
      {"linux-school-folder", school_, school_},
      {"shown-already", "Orario/x.txt", "ORARIO/x.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(kt::shown_path(c.name), c.shown) << c.id;
}

// A drive root reached through a link (a home folder kept on another disk):
// the current folder is named by its real path, and a file in it is still
// shown relative to it; the school folder itself keeps the name it was given.
TEST_F(ShownPathTest, ADriveRootThroughALink) {
  fs::create_directory_symlink(root_, root_.string() + "-link");
  ::setenv(kt::kDriveRootVariable, (root_.string() + "-link").c_str(), 1);
  EXPECT_EQ(kt::shown_path("\\KestrinTempusDati\\piccola\\scuola2.txt"), "scuola2.txt");
  EXPECT_EQ(kt::shown_path("\\KestrinTempusDati\\piccola"), root_.string() + "-link/KestrinTempusDati/piccola");
  fs::remove(root_.string() + "-link");
}
