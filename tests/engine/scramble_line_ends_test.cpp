// The whole-file scrambler takes a plain file written with Windows line ends
// (as the user's editor leaves a description) and stores each line with a
// plain line end: read back, the file's lines end in "\n" alone, each line
// whole, the last one without a line end kept as it is.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine_test_support.h"

namespace {

using engine_test::InFolder;
using engine_test::read_file;
using engine_test::TempDir;
using engine_test::write_file;

TEST(ScrambleLineEnds, WindowsLineEndsBecomePlainOnes) {
  TempDir dir;
  InFolder in(dir.path());
  write_file("plain.txt", "REM:\tLiceo\r\nDAYS:\tLU6-LUNEDI\tMA6-MARTEDI\r\n\r\nGM:MAT\n\tlast");
  or_scramble_file("plain.txt", "stored.txt");
  std::string stored = read_file("stored.txt");
  EXPECT_EQ(stored.find("LUNEDI"), std::string::npos) << "stored scrambled";
  // Line by line, as the loader reads it.
  std::FILE* f = or_fopen("stored.txt", "rt");
  ASSERT_NE(f, nullptr);
  std::vector<std::string> lines;
  char buffer[400];
  while (or_read_line(buffer, sizeof buffer, f) != nullptr) lines.push_back(buffer);
  or_fclose(f);
  EXPECT_EQ(lines, (std::vector<std::string>{"REM:\tLiceo\n", "DAYS:\tLU6-LUNEDI\tMA6-MARTEDI\n", "\n", "GM:MAT\n",
                                             "\tlast"}));
  // And whole, as the debug copy shows it.
  or_unscramble_file(".\\stored.txt", 0, "shown.txt");
  EXPECT_EQ(read_file("shown.txt"), "REM:\tLiceo\nDAYS:\tLU6-LUNEDI\tMA6-MARTEDI\n\nGM:MAT\n\tlast");
}

}  // namespace
