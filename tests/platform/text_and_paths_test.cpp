// Code page 1252 conversions, case folding and the Windows path translation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/cp1252.h"
#include "platform/paths.h"

namespace fs = std::filesystem;

TEST(Cp1252, EveryByteRoundTripsThroughUtf8) {
  for (int b = 1; b < 256; ++b) {
    std::string one(1, static_cast<char>(b));
    bool ok = false;
    EXPECT_EQ(kt::utf8_to_cp1252(kt::cp1252_to_utf8(one), &ok), one) << "byte " << b;
    EXPECT_TRUE(ok) << "byte " << b;
  }
}

TEST(Cp1252, LiteralsConvertAtCompileTime) {
  EXPECT_STREQ("Qualità"_cp, "Qualit\xE0");
  EXPECT_STREQ("Lehrer für €"_cp, "Lehrer f\xFCr \x80");
  EXPECT_STREQ("plain"_cp, "plain");
}

TEST(Cp1252, UnconvertibleCharacterIsReported) {
  bool ok = true;
  EXPECT_EQ(kt::utf8_to_cp1252("a\xE2\x88\x9E" "b", &ok), "a?b");  // infinity sign
  EXPECT_FALSE(ok);
}

TEST(Cp1252, CaseFoldingCoversAccentedLetters) {
  struct Case { const char* a; const char* b; bool equal; } cases[] = {
      {"ITALIANO", "italiano", true},
      {"Attivit\xE0", "ATTIVIT\xC0", true},
      {"\x9A", "\x8A", true},       // š Š
      {"\xF7", "\xD7", false},      // division and multiplication signs stay apart
      {"abc", "abd", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(kt::cp1252_casecmp(c.a, c.b) == 0, c.equal) << c.a << " vs " << c.b;
}

class PathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("kt_paths_" + std::to_string(::getpid()));
    fs::create_directories(root_ / "KestrinTempusDati" / "Liceo");
    std::ofstream(root_ / "KestrinTempusDati" / "Liceo" / "SaveGo.txt") << "x";
    ::setenv(kt::kDriveRootVariable, root_.c_str(), 1);
    old_ = fs::current_path();
    fs::current_path(root_ / "KestrinTempusDati" / "Liceo");
  }
  void TearDown() override {
    fs::current_path(old_);
    ::unsetenv(kt::kDriveRootVariable);
    fs::remove_all(root_);
  }
  fs::path root_, old_;
};

TEST_F(PathTest, TranslatesRootedRelativeAndMixedCaseNames) {
  std::string r = root_.string();
  EXPECT_EQ(kt::translate_path("\\KestrinTempusDati\\"), r + "/KestrinTempusDati/");
  EXPECT_EQ(kt::translate_path("C:\\KestrinTempusDati\\liceo\\x.txt"), r + "/KestrinTempusDati/Liceo/x.txt");
  EXPECT_EQ(kt::translate_path(".\\Orario\\Classi.txt"), "Orario/Classi.txt");
  EXPECT_EQ(kt::translate_path(".\\savego.txt"), "SaveGo.txt");
  EXPECT_EQ(kt::translate_path("scuola2.txt"), "scuola2.txt");
}
