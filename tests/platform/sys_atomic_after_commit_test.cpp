// A save that went through owns no temporary any more: the file made later
// at its temporary's old name (another save's temporary, a file of another
// process) survives the end of the committed save, and a second commit or
// discard of it changes nothing on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/system_atomic_write.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

class AtomicAfterCommit : public TempFolderTest {
protected:
  AtomicAfterCommit() : TempFolderTest("kt_atomic_after_") {}
  std::string read(const fs::path &p) const {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(AtomicAfterCommit, TheTemporarysOldNameIsNoLongerTheSaves) {
  for (bool discard_after : {false, true}) {
    SCOPED_TRACE(discard_after ? "discarded after" : "ended after");
    std::string target = at("orario.txt");
    std::string old_name;
    {
      kt::AtomicFile file(target);
      ASSERT_TRUE(file.is_open()) << file.error();
      old_name = file.temporary_path();
      ASSERT_FALSE(old_name.empty());
      ASSERT_TRUE(file.write("settimana\n"));
      ASSERT_TRUE(file.commit());
      EXPECT_EQ(file.temporary_path(), "");
      EXPECT_FALSE(fs::exists(old_name));
      { std::ofstream(old_name, std::ios::binary) << "altro"; }
      if (discard_after)
        file.discard();
    }
    EXPECT_EQ(read(target), "settimana\n");
    EXPECT_EQ(read(old_name), "altro");
    fs::remove(old_name);
  }
}

} // namespace
