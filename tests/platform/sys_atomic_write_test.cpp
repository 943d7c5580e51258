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
