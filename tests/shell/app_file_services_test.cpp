// The file services on program paths below a temporary drive root: delete,
// copy (empty, missing source, missing target folder, the progress bar),
// emptying a folder tree, the folders of a path with and without a final
// separator, the temporary folder.
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "app_test_support.h"
#include "platform/controls/progress_bar.h"
#include "platform/test_driver.h"
#include "shell/file_services.h"

namespace {

using namespace kt_app_test;

class FileServices : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    fs::create_directories(root_ / "dati");
  }
};

TEST_F(FileServices, DeleteIfPresent) {
  write(root_ / "dati" / "a.txt", "x");
  EXPECT_NE(og_delete_file_checked("\\dati\\a.txt"), 0);
  EXPECT_FALSE(fs::exists(root_ / "dati" / "a.txt"));
  EXPECT_NE(og_delete_file_checked("\\dati\\a.txt"), 0);  // absent: nothing to do
  fs::create_directories(root_ / "dati" / "cartella");
  EXPECT_EQ(og_delete_file_checked("\\dati\\cartella"), 0);  // a folder is never removed
  EXPECT_TRUE(fs::exists(root_ / "dati" / "cartella"));
}

TEST_F(FileServices, CopyAndMakePath) {
  write(root_ / "dati" / "vuoto.txt", "");
  EXPECT_EQ(og_copy_file("\\dati\\vuoto.txt", "\\dati\\copia.txt", nullptr), 0);
  EXPECT_TRUE(fs::exists(root_ / "dati" / "copia.txt"));
  EXPECT_EQ(fs::file_size(root_ / "dati" / "copia.txt"), 0u);

  EXPECT_EQ(og_copy_file("\\dati\\manca.txt", "\\dati\\x.txt", nullptr), ENOENT);
  EXPECT_FALSE(fs::exists(root_ / "dati" / "x.txt"));

  write(root_ / "dati" / "b.txt", "dati");
  EXPECT_EQ(og_copy_file("\\dati\\b.txt", "\\nessuna\\cartella\\b.txt", nullptr), -1);
  og_make_path("C:\\uno\\due\\tre");
  EXPECT_TRUE(fs::is_directory(root_ / "uno" / "due"));
  EXPECT_FALSE(fs::exists(root_ / "uno" / "due" / "tre"));
  EXPECT_EQ(og_make_path("C:\\uno\\due\\tre\\"), 0);
  EXPECT_TRUE(fs::is_directory(root_ / "uno" / "due" / "tre"));
  // Only the folders the path names: none for a part of a name.
  for (const char* stray : {"u", "un", "uno/d", "uno/du", "uno/due/t"}) EXPECT_FALSE(fs::exists(root_ / stray)) << stray;
  EXPECT_EQ(og_make_path("\\uno/quattro/cinque.txt"), 0);  // forward slashes part folders too
  EXPECT_TRUE(fs::is_directory(root_ / "uno" / "quattro"));
  EXPECT_FALSE(fs::exists(root_ / "uno" / "q"));
}

TEST_F(FileServices, CopyStepsProgressBar) {
  kt::ui::TestDriver ui;
  write(root_ / "dati" / "grande.txt", std::string(40000, 'a'));  // 2 whole blocks and a part
  kt::ui::ProgressBar bar;
  kt::ui::CreateParams p;
  p.class_name = "ProgressBar";
  ASSERT_TRUE(bar.CreateEx(p));
  EXPECT_EQ(og_copy_file("\\dati\\grande.txt", "\\dati\\grande2.txt", &bar), 0);
  int low = -1, high = -1;
  bar.GetRange(low, high);
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 3);
  EXPECT_EQ(bar.GetPos(), 3);
  EXPECT_EQ(read(root_ / "dati" / "grande2.txt"), std::string(40000, 'a'));
}

TEST_F(FileServices, EmptyFolderKeepsTheFolder) {
  fs::create_directories(root_ / "dati" / "vecchi" / "sotto");
  write(root_ / "dati" / "vecchi" / "a.txt", "x");
  write(root_ / "dati" / "vecchi" / "sotto" / "b.txt", "y");
  EXPECT_EQ(og_empty_folder("\\dati", "vecchi"), 0);
  EXPECT_TRUE(fs::is_directory(root_ / "dati" / "vecchi"));
  EXPECT_TRUE(fs::is_empty(root_ / "dati" / "vecchi"));
}

// The system's temporary folder, always with its final '/', and its length
// even when the buffer is too small for it.
TEST_F(FileServices, TemporaryFolder) {
  const char* before = std::getenv("TMPDIR");
  std::string kept = before ? before : "";
  struct Case {
    const char* id;
    const char* tmpdir;  // null: unset
    int size;
    const char *text, *length_of;
  } cases[] = {
      {"unset", nullptr, 64, "/tmp/", "/tmp/"},
      {"empty", "", 64, "/tmp/", "/tmp/"},
      {"own", "/var/tmp", 64, "/var/tmp/", "/var/tmp/"},
      {"slash-kept", "/scratch/", 64, "/scratch/", "/scratch/"},
      {"cut", "/var/tmp", 5, "/var", "/var/tmp/"},
  };
  for (const Case& c : cases) {
    if (c.tmpdir) ::setenv("TMPDIR", c.tmpdir, 1);
    else ::unsetenv("TMPDIR");
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(og_get_temp_path(c.size, buffer), int(std::strlen(c.length_of))) << c.id;
    EXPECT_STREQ(buffer, c.text) << c.id;
  }
  if (before) ::setenv("TMPDIR", kept.c_str(), 1);
  else ::unsetenv("TMPDIR");
}

}  // namespace
