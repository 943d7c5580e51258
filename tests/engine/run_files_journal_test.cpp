// The files one command writes, gathered and then replaced together or
// dropped: after a good end every new file holds its new bytes, every noted
// deletion is done and no temporary or marker is left; after a failure every
// file holds what it held before, the folders the command made are gone and
// so are its temporaries; a write that appends starts from the current
// contents (the command's own if it wrote the file before); a file written
// straight through with undo comes back after a failure; a name moved to
// another takes its new contents along; without a command nothing is
// gathered.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "engine/file_replace.h"
#include "engine/run_files.h"
#include "engine_test_support.h"

namespace {

namespace fs = std::filesystem;
using engine_test::read_file;
using engine_test::write_file;

class RunFilesJournal : public ::testing::Test {
 protected:
  void TearDown() override { or_run_files_abort(); }
  // Every file under the folder, by relative path, with its bytes.
  std::map<std::string, std::string> files() const {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(folder_.path()))
      if (e.is_regular_file()) out[fs::relative(e.path(), folder_.path()).string()] = read_file(e.path().string());
    return out;
  }
  std::map<std::string, std::string> folders() const {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(folder_.path()))
      if (e.is_directory()) out[fs::relative(e.path(), folder_.path()).string()] = "";
    return out;
  }
  static void write(const std::string& path, const std::string& bytes, bool append = false) {
    int error = 0;
    bool handled = false;
    std::FILE* f = or_run_files_open_write(path, append, &error, &handled);
    ASSERT_TRUE(handled) << path;
    ASSERT_NE(f, nullptr) << path << " " << error;
    std::fputs(bytes.c_str(), f);
    std::fclose(f);
  }
  // Written straight through, as the search's record and the granted
  // exemptions are, replacing the file whole.
  static void straight(const std::string& name, const std::string& bytes, bool undo) {
    ReplacementFile f;
    f.set_direct(undo);
    ASSERT_TRUE(f.open((".\\" + name).c_str())) << name;
    std::fputs(bytes.c_str(), f.stream());
    ASSERT_TRUE(f.commit()) << name;
  }
  static std::string current(const std::string& path) {
    std::string from;
    EXPECT_TRUE(or_run_files_read_path(path, &from));
    return from.empty() ? "<deleted>" : read_file(from);
  }
  engine_test::TempDir folder_;
  engine_test::InFolder in_{folder_.path()};
};

TEST_F(RunFilesJournal, AGoodEndReplacesEveryFileTogether) {
  write_file(folder_.file("a.txt"), "old a\n");
  write_file(folder_.file("b.txt"), "old b\n");
  or_run_files_begin();
  write("a.txt", "new a\n");
  write("Orario/Nuova/c.txt", "new c\n");
  EXPECT_TRUE(or_run_files_remove("b.txt"));
  EXPECT_TRUE(or_run_files_remove("never.txt"));  // nothing on the disk: nothing noted
  // Until the end the old files stand; reads see the new contents.
  EXPECT_EQ(read_file(folder_.file("a.txt")), "old a\n");
  EXPECT_TRUE(fs::exists(folder_.path() / "b.txt"));
  EXPECT_EQ(current("a.txt"), "new a\n");
  EXPECT_EQ(current("b.txt"), "<deleted>");
  EXPECT_EQ(current("Orario/Nuova/c.txt"), "new c\n");
  std::string untouched;
  EXPECT_TRUE(or_run_files_read_path("z.txt", &untouched));
  EXPECT_EQ(untouched, "z.txt");
  EXPECT_EQ(or_run_files_exists("a.txt"), 1);
  EXPECT_EQ(or_run_files_exists("b.txt"), 0);
  EXPECT_EQ(or_run_files_exists("z.txt"), -1);
  EXPECT_EQ(or_run_files_exists("never.txt"), -1);
  std::string failed = "-";
  int error = -1;
  bool pending = true;
  ASSERT_TRUE(or_run_files_commit(&failed, &error, &pending));
  EXPECT_FALSE(pending);
  EXPECT_EQ(files(), (std::map<std::string, std::string>{{"a.txt", "new a\n"}, {"Orario/Nuova/c.txt", "new c\n"}}));
  // The journal is closed: nothing more is gathered.
  EXPECT_EQ(or_run_files_exists("a.txt"), -1);
  std::string from;
  EXPECT_FALSE(or_run_files_read_path("a.txt", &from));
}

TEST_F(RunFilesJournal, AFailureLeavesEveryFileAndTakesAwayWhatTheCommandMade) {
  write_file(folder_.file("a.txt"), "old a\n");
  write_file(folder_.file("b.txt"), "old b\n");
  fs::create_directory(folder_.path() / "Orario");
  std::map<std::string, std::string> before = files(), before_folders = folders();
  or_run_files_begin();
  write("a.txt", "new a\n");
  write("a.txt", "newer a\n");
  write("Orario/Nuova/Sotto/c.txt", "new c\n");
  write("d.txt", "new d\n");
  EXPECT_TRUE(or_run_files_remove("b.txt"));
  EXPECT_TRUE(fs::exists(folder_.path() / "Orario/Nuova/Sotto"));
  EXPECT_EQ(current("a.txt"), "newer a\n");
  or_run_files_abort();
  EXPECT_EQ(files(), before);
  EXPECT_EQ(folders(), before_folders);
  // A second abort, or a commit without a journal, does nothing.
  or_run_files_abort();
  EXPECT_TRUE(or_run_files_commit(nullptr, nullptr));
  EXPECT_EQ(files(), before);
}

TEST_F(RunFilesJournal, AppendingStartsFromTheCurrentContents) {
  write_file(folder_.file("log.txt"), "one\n");
  or_run_files_begin();
  write("log.txt", "two\n", true);
  EXPECT_EQ(current("log.txt"), "one\ntwo\n");
  write("log.txt", "three\n", true);
  EXPECT_EQ(current("log.txt"), "one\ntwo\nthree\n");
  write("fresh.txt", "only\n", true);
  EXPECT_TRUE(or_run_files_remove("log.txt"));
  write("log.txt", "after\n", true);  // deleted first: nothing to append to
  ASSERT_TRUE(or_run_files_commit(nullptr, nullptr));
  EXPECT_EQ(files(), (std::map<std::string, std::string>{{"log.txt", "after\n"}, {"fresh.txt", "only\n"}}));
}

TEST_F(RunFilesJournal, AStraightWriteWithUndoComesBackAfterAFailure) {
  write_file(folder_.file("saveprec.txt"), "record\n");
  write_file(folder_.file("scuola3.txt"), "before\n");
  or_run_files_begin();
  write("saveprec.txt", "gathered\n");
  straight("saveprec.txt", "straight\n", true);
  EXPECT_EQ(read_file(folder_.file("saveprec.txt")), "straight\n");
  EXPECT_EQ(or_run_files_exists("saveprec.txt"), -1);  // the gathered write is forgotten
  straight("scuola3.txt", "granted\n", false);
  straight("nuovo.txt", "made\n", true);
  EXPECT_EQ(read_file(folder_.file("nuovo.txt")), "made\n");
  or_run_files_abort();
  EXPECT_EQ(files(), (std::map<std::string, std::string>{{"saveprec.txt", "record\n"}, {"scuola3.txt", "granted\n"}}));
  // After a good end the straight write stays.
  or_run_files_begin();
  straight("saveprec.txt", "straight\n", true);
  ASSERT_TRUE(or_run_files_commit(nullptr, nullptr));
  EXPECT_EQ(files(), (std::map<std::string, std::string>{{"saveprec.txt", "straight\n"}, {"scuola3.txt", "granted\n"}}));
}

TEST_F(RunFilesJournal, ANameMovedTakesItsNewContents) {
  write_file(folder_.file("to.txt"), "old to\n");
  or_run_files_begin();
  write("from.txt", "moved\n");
  EXPECT_TRUE(or_run_files_rename("from.txt", "to.txt"));
  EXPECT_FALSE(or_run_files_rename("from.txt", "other.txt"));  // gone from the journal
  EXPECT_FALSE(or_run_files_rename("none.txt", "other.txt"));
  EXPECT_EQ(current("to.txt"), "moved\n");
  ASSERT_TRUE(or_run_files_commit(nullptr, nullptr));
  EXPECT_EQ(files(), (std::map<std::string, std::string>{{"to.txt", "moved\n"}}));
}

TEST_F(RunFilesJournal, WhatAPlainWriteWouldRefuseIsRefusedAtOnce) {
  fs::create_directory(folder_.path() / "cartella.txt");
  or_run_files_begin();
  int error = 0;
  bool handled = false;
  EXPECT_EQ(or_run_files_open_write("cartella.txt", false, &error, &handled), nullptr);
  EXPECT_TRUE(handled);
  EXPECT_EQ(error, EISDIR);
  or_run_files_abort();
  // Without a command nothing is gathered and the caller writes itself.
  handled = true;
  EXPECT_EQ(or_run_files_open_write("a.txt", false, &error, &handled), nullptr);
  EXPECT_FALSE(handled);
  EXPECT_FALSE(or_run_files_remove("a.txt"));
  EXPECT_FALSE(or_run_files_rename("a.txt", "b.txt"));
  EXPECT_EQ(or_run_files_exists("a.txt"), -1);
  EXPECT_FALSE(fs::exists(folder_.path() / "a.txt"));
}

}  // namespace
