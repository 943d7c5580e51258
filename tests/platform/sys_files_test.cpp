// Folder and file operations: creating a folder with its parents, deleting
// files and trees (never through a link), emptying a folder, listing it in
// name order, free space. Every case works below a temporary folder of its
// own, named after the process, so tests running side by side (ctest -j)
// never meet; the folder is removed after each case.
#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/system_files.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

class FilesTest : public TempFolderTest {
 protected:
  FilesTest() : TempFolderTest("kt_files_") {}
  void put(const std::string& rel, const std::string& text) { std::ofstream(root_ / rel) << text; }
};

}  // namespace

TEST_F(FilesTest, MakeFoldersCreatesEveryLevel) {
  struct Case { const char* id; std::string path; bool ok; } cases[] = {
      {"three", at("a/b/c"), true},
      {"again", at("a/b/c"), true},
      {"slash", at("a/d/"), true},
      {"file", at("f.txt/x"), false},
      {"empty", "", false},
  };
  put("f.txt", "x");
  for (const Case& c : cases) {
    int error = 0;
    EXPECT_EQ(kt::make_folders(c.path, &error), c.ok) << c.id;
    EXPECT_EQ(kt::folder_exists(c.path), c.ok) << c.id;
    if (!c.ok) {
      EXPECT_NE(error, 0) << c.id;
    }
  }
}

TEST_F(FilesTest, EmptyFolderKeepsItAndNeverFollowsLinks) {
  fs::create_directories(root_ / "school/Orario/sub");
  fs::create_directories(root_ / "outside");
  put("school/scuola2.txt", "x");
  put("school/Orario/sub/r.txt", "x");
  put("outside/keep.txt", "x");
  fs::create_directory_symlink(root_ / "outside", root_ / "school/link");

  EXPECT_TRUE(kt::empty_folder(at("school")));
  EXPECT_TRUE(kt::folder_exists(at("school")));
  EXPECT_TRUE(fs::is_empty(root_ / "school"));
  EXPECT_TRUE(kt::file_exists(at("outside/keep.txt")));
}

TEST_F(FilesTest, RemoveFolderTree) {
  fs::create_directories(root_ / "RISERVA/a/b");
  put("RISERVA/a/b/x.txt", "x");
  int error = 0;
  EXPECT_TRUE(kt::remove_folder_tree(at("RISERVA")));
  EXPECT_FALSE(fs::exists(root_ / "RISERVA"));
  EXPECT_TRUE(kt::remove_folder_tree(at("RISERVA")));  // already gone
  put("plain.txt", "x");
  EXPECT_FALSE(kt::remove_folder_tree(at("plain.txt"), &error));
  EXPECT_EQ(error, ENOTDIR);
}

TEST_F(FilesTest, ListFolderSortsByNameWithKindAndSize) {
  put("b.txt", "12345");
  put("A.txt", "");
  fs::create_directory(root_ / "Orario");
  auto entries = kt::list_folder(root_.string());
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 3u);
  EXPECT_EQ((*entries)[0].name, "A.txt");
  EXPECT_EQ((*entries)[1].name, "Orario");
  EXPECT_TRUE((*entries)[1].is_folder);
  EXPECT_EQ((*entries)[2].name, "b.txt");
  EXPECT_EQ((*entries)[2].size, 5u);
  int error = 0;
  EXPECT_FALSE(kt::list_folder(at("missing"), &error));
  EXPECT_EQ(error, ENOENT);
}

TEST_F(FilesTest, FreeSpace) {
  auto space = kt::free_space(root_.string());
  ASSERT_TRUE(space);
  EXPECT_GT(*space, 0u);
  EXPECT_FALSE(kt::free_space(at("missing")));
  // The same through an open descriptor of the folder; none for a closed one.
  int fd = ::open(root_.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  auto through = kt::free_space_of(fd);
  ::close(fd);
  ASSERT_TRUE(through);
  EXPECT_GT(*through, 0u);
  EXPECT_FALSE(kt::free_space_of(fd));
}

// A file goes; nothing there (or a path under a file) is no failure; a
// folder is refused and kept; a link goes, never what it points to.
TEST_F(FilesTest, RemoveFileIfPresent) {
  put("orario.txt", "x");
  put("altro.txt", "y");
  fs::create_directory(root_ / "Orario");
  fs::create_symlink(root_ / "altro.txt", root_ / "link.txt");
  const struct {
    const char* id;
    std::string path;
    bool ok;
    int error;
  } cases[] = {{"file", at("orario.txt"), true, 0},
               {"gone-already", at("orario.txt"), true, 0},
               {"under-a-file", at("altro.txt/dentro"), true, 0},
               {"folder", at("Orario"), false, EISDIR},
               {"link", at("link.txt"), true, 0}};
  for (const auto& c : cases) {
    int error = 0;
    EXPECT_EQ(kt::remove_file_if_present(c.path, &error), c.ok) << c.id;
    EXPECT_EQ(error, c.error) << c.id;
  }
  EXPECT_FALSE(fs::exists(root_ / "orario.txt"));
  EXPECT_TRUE(fs::is_directory(root_ / "Orario"));
  EXPECT_FALSE(fs::is_symlink(root_ / "link.txt"));
  EXPECT_TRUE(fs::exists(root_ / "altro.txt"));
}

// Emptying a folder that is not there, and removing a tree that is a file,
// fail with their reasons and touch nothing.
TEST_F(FilesTest, EmptyingOrRemovingWhatIsNoFolderFails) {
  put("scuola2.txt", "x");
  int error = 0;
  EXPECT_FALSE(kt::empty_folder(at("missing"), &error));
  EXPECT_EQ(error, ENOENT);
  error = 0;
  EXPECT_FALSE(kt::remove_folder_tree(at("scuola2.txt"), &error));
  EXPECT_EQ(error, ENOTDIR);
  EXPECT_TRUE(fs::exists(root_ / "scuola2.txt"));
  error = 0;
  EXPECT_FALSE(kt::make_folders(at("scuola2.txt"), &error));
  EXPECT_EQ(error, ENOTDIR);
  EXPECT_TRUE(kt::remove_folder_tree(at("missing"), &error));
}
