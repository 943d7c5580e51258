// Atomic replacement: new contents appear whole or not at all. A write that
// fails (a file-size limit in a copy of the test program stands for a full
// disk), a writer that gives up and an unreadable source all leave the old
// file exactly as it was and no temporary file behind. The limit is set in
// the copy so this process's own output is never cut.
#include <gtest/gtest.h>

#include <errno.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/system_atomic_write.h"
#include "sys_child.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

// args: path. Writes 100000 bytes under a 4096-byte file-size limit; exits 0
// when the write was refused with EFBIG.
int write_past_limit(const std::vector<std::string>& args) {
  ::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{4096, 4096};
  if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
  int error = 0;
  bool ok = kt::write_file_atomically(args.at(0), std::string(100000, 'n'), &error);
  return !ok && error == EFBIG ? 0 : 1;
}

SysChildRole limit_role("write-past-limit", write_past_limit);

class AtomicWriteTest : public TempFolderTest {
 protected:
  AtomicWriteTest() : TempFolderTest("kt_atomic_") {}
  std::string read(const std::string& rel) const {
    std::ifstream in(root_ / rel, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::size_t entries() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(root_), fs::directory_iterator()));
  }
};

}  // namespace

TEST_F(AtomicWriteTest, CreatesAndReplacesWholeFilesKeepingThePermissions) {
  EXPECT_TRUE(kt::write_file_atomically(at("savego.txt"), "first\r\n"));
  EXPECT_EQ(read("savego.txt"), "first\r\n");
  EXPECT_TRUE(kt::write_file_atomically(at("savego.txt"), "second"));
  EXPECT_EQ(read("savego.txt"), "second");
  EXPECT_TRUE(kt::write_file_atomically(at("savego.txt"), ""));
  EXPECT_EQ(read("savego.txt"), "");
  EXPECT_EQ(entries(), 1u);
  // A replacement keeps the file's permissions.
  const fs::perms kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(root_ / "savego.txt", kept);
  ASSERT_TRUE(kt::write_file_atomically(at("savego.txt"), "new"));
  EXPECT_EQ(fs::status(root_ / "savego.txt").permissions(), kept);
}

TEST_F(AtomicWriteTest, FailedWriteLeavesTheOldFileIntact) {
  std::ofstream(root_ / "scuola2.txt") << "old contents";
  kt::ChildProcess child = spawn_sys_child("write-past-limit", {at("scuola2.txt")});
  auto status = child.wait_for(std::chrono::seconds(20));
  ASSERT_TRUE(status);
  EXPECT_TRUE(status->success()) << "exit " << status->code;
  EXPECT_EQ(read("scuola2.txt"), "old contents");
  EXPECT_EQ(entries(), 1u);
}

TEST_F(AtomicWriteTest, UncommittedWriterLeavesTheOldFileIntact) {
  std::ofstream(root_ / "plenixstatus.txt") << "old";
  {
    kt::AtomicFile file(at("plenixstatus.txt"));
    ASSERT_TRUE(file.is_open());
    std::fputs("half a ", file.stream());
    EXPECT_TRUE(file.write("file"));
  }
  EXPECT_EQ(read("plenixstatus.txt"), "old");
  EXPECT_EQ(entries(), 1u);
  int error = 0;  // a missing folder is reported
  EXPECT_FALSE(kt::write_file_atomically(at("nofolder/x.txt"), "x", &error));
  EXPECT_EQ(error, ENOENT);
}

TEST_F(AtomicWriteTest, CopyReplacesTargetAndReportsProgress) {
  std::string big(40000, 'q');
  std::ofstream(root_ / "source.txt") << big;
  std::ofstream(root_ / "target.txt") << "old";
  std::vector<std::uint64_t> steps;
  auto progress = [&](std::uint64_t done, std::uint64_t total) {
    EXPECT_EQ(total, 40000u);
    steps.push_back(done);
  };
  EXPECT_EQ(kt::copy_file_replacing(at("source.txt"), at("target.txt"), progress), kt::CopyResult::kOk);
  EXPECT_EQ(read("target.txt"), big);
  EXPECT_EQ(steps, (std::vector<std::uint64_t>{16384, 32768, 40000}));
  EXPECT_EQ(entries(), 2u);
}

TEST_F(AtomicWriteTest, CopyFailuresLeaveTheTargetAlone) {
  std::ofstream(root_ / "target.txt") << "old";
  fs::create_directory(root_ / "folder");
  std::ofstream(root_ / "source.txt") << "new";
  struct Case { const char* id; std::string source, target; kt::CopyResult result; int error; } cases[] = {
      {"missing", at("missing.txt"), at("target.txt"), kt::CopyResult::kSourceUnreadable, ENOENT},
      {"folder", at("folder"), at("target.txt"), kt::CopyResult::kSourceUnreadable, EISDIR},
      {"nowhere", at("source.txt"), at("nofolder/target.txt"), kt::CopyResult::kTargetFailed, ENOENT},
  };
  for (const Case& c : cases) {
    int error = 0;
    EXPECT_EQ(kt::copy_file_replacing(c.source, c.target, nullptr, &error), c.result) << c.id;
    EXPECT_EQ(error, c.error) << c.id;
  }
  EXPECT_EQ(read("target.txt"), "old");
  EXPECT_EQ(entries(), 3u);
}

namespace {

// Set by the "stop-at-rename" copy: the rename (counted from 1) at which it
// ends as if killed.
int g_stop_at_rename = 0;

int stop_at(kt::AtomicStep step, const std::string&) {
  if (step == kt::AtomicStep::kRename && --g_stop_at_rename == 0) ::_exit(42);
  return 0;
}

// args: folder, rename number. Replaces a.txt and b.txt together and dies at
// the given rename: the temporaries' ones are 1 (the marker), 2 and 3.
int stop_at_rename(const std::vector<std::string>& args) {
  g_stop_at_rename = std::stoi(args.at(1));
  kt::set_atomic_write_fault(stop_at);
  const std::string& folder = args.at(0);
  kt::replace_files_together({{folder + "/a.txt", "new a"}, {folder + "/b.txt", "new b"}}, folder + "/pair.mark");
  return 0;
}

SysChildRole stop_role("stop-at-rename", stop_at_rename);

class FilesTogetherTest : public AtomicWriteTest {
 protected:
  void SetUp() override {
    AtomicWriteTest::SetUp();
    std::ofstream(root_ / "a.txt") << "old a";
    std::ofstream(root_ / "b.txt") << "old b";
  }
  void TearDown() override {
    kt::set_atomic_write_fault(nullptr);
    AtomicWriteTest::TearDown();
  }
  std::string Pair() { return read("a.txt") + "+" + read("b.txt"); }
  bool Replace(std::string* failed = nullptr, int* error = nullptr) {
    return kt::replace_files_together({{at("a.txt"), "new a"}, {at("b.txt"), "new b"}}, at("pair.mark"), failed,
                                      error);
  }
};

int g_fault_error = 0;
std::string g_fault_target;
kt::AtomicStep g_fault_step = kt::AtomicStep::kWrite;

int injected(kt::AtomicStep step, const std::string& target) {
  return step == g_fault_step && target.ends_with(g_fault_target) ? g_fault_error : 0;
}

}  // namespace

TEST_F(FilesTogetherTest, ReplacesBothOrNeitherOnAnyFailure) {
  ASSERT_TRUE(Replace());
  EXPECT_EQ(Pair(), "new a+new b");
  EXPECT_EQ(entries(), 2u) << "no marker, no temporary left";

  struct Case { const char* target; kt::AtomicStep step; int error; } cases[] = {
      {"b.txt", kt::AtomicStep::kWrite, ENOSPC},  // the second file does not fit
      {"a.txt", kt::AtomicStep::kSync, EIO},
      {"pair.mark", kt::AtomicStep::kWrite, EDQUOT},
      {"pair.mark", kt::AtomicStep::kRename, EACCES},
  };
  kt::set_atomic_write_fault(injected);
  for (const Case& c : cases) {
    std::ofstream(root_ / "a.txt") << "old a";
    std::ofstream(root_ / "b.txt") << "old b";
    g_fault_target = c.target;
    g_fault_step = c.step;
    g_fault_error = c.error;
    std::string failed;
    int error = 0;
    EXPECT_FALSE(Replace(&failed, &error)) << c.target;
    EXPECT_EQ(error, c.error) << c.target;
    EXPECT_TRUE(failed.ends_with(c.target)) << failed;
    EXPECT_EQ(Pair(), "old a+old b") << c.target;
    EXPECT_EQ(entries(), 2u) << c.target;
    EXPECT_EQ(kt::complete_files_together(at("pair.mark")), kt::Completion::kNothing);
  }
}

TEST_F(FilesTogetherTest, ACopyKilledAtAnyRenameLeavesOldOrNewAfterCompletion) {
  // 1: the marker's own rename (nothing decided yet); 2: before a.txt; 3:
  // between a.txt and b.txt; 4: none, the save ends.
  const char* expected[] = {"old a+old b", "new a+new b", "new a+new b", "new a+new b"};
  for (int stop = 1; stop <= 4; ++stop) {
    std::ofstream(root_ / "a.txt") << "old a";
    std::ofstream(root_ / "b.txt") << "old b";
    kt::ChildProcess child = spawn_sys_child("stop-at-rename", {root_.string(), std::to_string(stop)});
    auto status = child.wait_for(std::chrono::seconds(20));
    ASSERT_TRUE(status);
    EXPECT_EQ(status->code, stop == 4 ? 0 : 42) << stop;
    if (stop == 3) {
      EXPECT_EQ(Pair(), "new a+old b") << "the mix a crash leaves, until completed";
    }
    kt::Completion done = kt::complete_files_together(at("pair.mark"));
    EXPECT_EQ(done, stop == 2 || stop == 3 ? kt::Completion::kCompleted : kt::Completion::kNothing) << stop;
    EXPECT_EQ(kt::remove_stale_temporaries(root_.string()), stop == 1 ? 3 : 0) << stop;
    EXPECT_EQ(Pair(), expected[stop - 1]) << stop;
    EXPECT_EQ(entries(), 2u) << stop;
  }
}

TEST_F(FilesTogetherTest, StaleTemporariesOfProcessesGoneAreRemovedOthersKept) {
  pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ASSERT_GT(gone, 0);
  ::waitpid(gone, nullptr, 0);
  std::string dead = std::to_string(gone), own = std::to_string(::getpid());
  for (const std::string& name : std::vector<std::string>{"a.txt.~" + dead + "-3", "b.txt.kt-tmp-" + dead, "b.txt.kt-tmp-" + dead + "-2",
                                  "a.txt.~" + own + "-1", "a.txt.~1", "notes.~x-1", "b.txt.kt-tmp-" + dead + "x"}) {
    std::ofstream(root_ / name) << "x";
  }
  fs::create_directory(root_ / ("c.txt.~" + dead + "-1"));  // a folder is never removed
  EXPECT_EQ(kt::remove_stale_temporaries(root_.string()), 3);
  EXPECT_EQ(entries(), 2u + 5u);
  EXPECT_TRUE(fs::exists(root_ / ("a.txt.~" + own + "-1")));
  // A marker that is not whole decides nothing: it goes, the files stay.
  std::ofstream(root_ / "pair.mark") << "KT-COMMIT 1\nx\ta.txt\n";
  std::ofstream(root_ / "x") << "half";
  EXPECT_EQ(kt::complete_files_together(at("pair.mark")), kt::Completion::kNothing);
  EXPECT_EQ(Pair(), "old a+old b");
  EXPECT_FALSE(fs::exists(root_ / "pair.mark"));
}

TEST_F(FilesTogetherTest, AMarkerWhoseTemporaryIsLostIsKeptAndRenamesNothing) {
  // A save stopped before its renames left both temporaries; the second is
  // lost since. Renaming the first alone would pair a new a.txt with the old
  // b.txt: the marker stays and nothing moves, as often as it is tried.
  std::ofstream(root_ / "a.txt.~1-0") << "new a";
  std::ofstream(root_ / "pair.mark") << "KT-COMMIT 1\na.txt.~1-0\ta.txt\nb.txt.~1-1\tb.txt\nEND\n";
  for (int attempt = 0; attempt < 2; ++attempt) {
    int error = 0;
    EXPECT_EQ(kt::complete_files_together(at("pair.mark"), &error), kt::Completion::kFailed);
    EXPECT_EQ(error, ENOENT);
    EXPECT_EQ(Pair(), "old a+old b");
    EXPECT_TRUE(fs::exists(root_ / "pair.mark"));
    EXPECT_TRUE(fs::exists(root_ / "a.txt.~1-0"));
  }
  // Given to it as text, the same marker decides the same.
  EXPECT_EQ(kt::complete_files_as_marked(at("pair.mark"), "KT-COMMIT 1\na.txt.~1-0\ta.txt\nb.txt.~1-1\tb.txt\nEND\n"),
            kt::Completion::kFailed);
  // The first renamed before the stop and the second still there: completed.
  fs::rename(root_ / "a.txt.~1-0", root_ / "a.txt");
  std::ofstream(root_ / "b.txt.~1-1") << "new b";
  EXPECT_EQ(kt::complete_files_together(at("pair.mark")), kt::Completion::kCompleted);
  EXPECT_EQ(Pair(), "new a+new b");
  EXPECT_EQ(entries(), 2u);
}

TEST_F(FilesTogetherTest, FilesReplacedSinceTheSaveStoppedAreLeftAsTheyAre) {
  // Stopped between a.txt and b.txt, then both replaced (a restore writes
  // over them, here in place): the newer files stay, the save goes.
  kt::ChildProcess child = spawn_sys_child("stop-at-rename", {root_.string(), "3"});
  auto status = child.wait_for(std::chrono::seconds(20));
  ASSERT_TRUE(status);
  ASSERT_EQ(status->code, 42);
  ASSERT_EQ(Pair(), "new a+old b");
  std::ofstream(root_ / "a.txt", std::ios::trunc) << "restored a";
  std::ofstream(root_ / "b.txt", std::ios::trunc) << "restored b";
  EXPECT_EQ(kt::complete_files_together(at("pair.mark")), kt::Completion::kAbandoned);
  EXPECT_EQ(Pair(), "restored a+restored b");
  EXPECT_EQ(entries(), 2u) << "no marker, no temporary left";
}

TEST_F(FilesTogetherTest, FilesReplacedBeforeAnyRenameAreLeftAsTheyAre) {
  // Stopped before its first file's rename (both temporaries still there),
  // then both files restored: the save goes, with its temporaries and marker.
  kt::ChildProcess child = spawn_sys_child("stop-at-rename", {root_.string(), "2"});
  auto status = child.wait_for(std::chrono::seconds(20));
  ASSERT_TRUE(status);
  ASSERT_EQ(status->code, 42);
  ASSERT_EQ(Pair(), "old a+old b");
  std::ofstream(root_ / "a.txt", std::ios::trunc) << "restored a, longer";
  std::ofstream(root_ / "b.txt", std::ios::trunc) << "restored b, longer";
  int error = 0;
  EXPECT_EQ(kt::complete_files_together(at("pair.mark"), &error), kt::Completion::kAbandoned) << error;
  EXPECT_EQ(Pair(), "restored a, longer+restored b, longer");
  EXPECT_EQ(entries(), 2u) << "no marker, no temporary left";
  EXPECT_EQ(kt::complete_files_together(at("pair.mark")), kt::Completion::kNothing);
}

TEST_F(FilesTogetherTest, AMarkerWithAnyLineAmissDecidesNothing) {
  // Each marker below was not written whole by a save: it goes, the files
  // stay as they are and so does the temporary (stale, for the clean-up).
  const char* broken[] = {
      "KT-COMMIT 1\n\ta.txt\nEND\n",                   // no temporary
      "KT-COMMIT 1\nx.tmp\nEND\n",                     // no target
      "KT-COMMIT 1\nx.tmp\t\nEND\n",                   // an empty target
      "KT-COMMIT 1\nx.tmp\t\t123\nEND\n",              // an empty target before the identity
      "KT-COMMIT 1\nx.tmp\ta.txt\t\nEND\n",            // an empty identity
      "KT-COMMIT 1\nsub/x.tmp\ta.txt\nEND\n",          // a name in another folder
      "KT-COMMIT 1\nx.tmp\t../a.txt\nEND\n",
      "KT-COMMIT 1\nx.tmp\ta.txt\n",                   // cut before its end
      "KT-COMMI 1\nx.tmp\ta.txt\nEND\n",               // not a marker's head
      "",
  };
  for (const char* text : broken) {
    std::ofstream(root_ / "x.tmp") << "new a";
    std::ofstream(root_ / "pair.mark") << text;
    EXPECT_EQ(kt::complete_files_together(at("pair.mark")), kt::Completion::kNothing) << text;
    EXPECT_EQ(Pair(), "old a+old b") << text;
    EXPECT_FALSE(fs::exists(root_ / "pair.mark")) << text;
    EXPECT_TRUE(fs::exists(root_ / "x.tmp")) << text;
  }
  // The same lines whole: the temporary takes the target's place.
  std::ofstream(root_ / "pair.mark") << "KT-COMMIT 1\nx.tmp\ta.txt\nEND\n";
  EXPECT_EQ(kt::complete_files_together(at("pair.mark")), kt::Completion::kCompleted);
  EXPECT_EQ(Pair(), "new a+old b");
  EXPECT_EQ(entries(), 2u);
}
