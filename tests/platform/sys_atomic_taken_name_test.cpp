// A save whose temporary name is taken by a file left behind (a save of an
// earlier process with the same id) tries the next name: the save goes
// through, the stray file is left as it was, and no other temporary stays.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/system_atomic_write.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

class AtomicTakenName : public TempFolderTest {
 protected:
  AtomicTakenName() : TempFolderTest("kt_atomic_taken_") {}
  std::string read(const fs::path& p) const {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(AtomicTakenName, ATakenTemporaryNameIsSkipped) {
  std::string target = at("savego.txt");
  std::string first;
  {
    kt::AtomicFile probe(target);
    ASSERT_TRUE(probe.is_open());
    first = probe.temporary_path();
    probe.discard();
  }
  // The names end in a counter: the next save would take the next number.
  std::size_t dash = first.rfind('-');
  ASSERT_NE(dash, std::string::npos);
  std::string next = first.substr(0, dash + 1) + std::to_string(std::stoll(first.substr(dash + 1)) + 1);
  { std::ofstream(next, std::ios::binary) << "left behind"; }

  kt::AtomicFile file(target);
  ASSERT_TRUE(file.is_open()) << file.error();
  EXPECT_NE(file.temporary_path(), next);
  ASSERT_TRUE(file.write("contents\n"));
  ASSERT_TRUE(file.commit());
  EXPECT_EQ(read(target), "contents\n");
  EXPECT_EQ(read(next), "left behind");
  std::size_t entries = 0;
  for (const auto& e : fs::directory_iterator(root_)) {
    ++entries;
    EXPECT_TRUE(e.path() == fs::path(target) || e.path() == fs::path(next)) << e.path();
  }
  EXPECT_EQ(entries, 2u);
}

}  // namespace
