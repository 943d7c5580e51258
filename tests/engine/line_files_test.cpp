// Reading logical lines from files of plain and scrambled lines, the safety
// limits of the reader, and the whole-file copies.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/text_lines.h"
#include "engine_test_support.h"

using engine_test::InFolder;
using engine_test::read_file;
using engine_test::TempDir;
using engine_test::write_file;
using engine_test::write_scrambled_file;

namespace {

std::string scrambled(std::uint8_t seed, const std::string& text) {
  std::vector<char> out(2 * text.size() + 10);
  or_scramble_line_seeded(seed, text.c_str(), out.data());
  return out.data();
}

// Every logical line of a file, read with buffers of n bytes.
std::vector<std::string> read_lines(const std::string& path, int n) {
  std::vector<std::string> lines;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return lines;
  std::vector<char> buffer(n + 8, '#');
  while (or_read_line(buffer.data(), n, f)) {
    lines.push_back(buffer.data());
    // Nothing past the caller's n bytes was touched.
    for (int i = n; i < n + 8; ++i) EXPECT_EQ(buffer[i], '#') << "byte " << i;
  }
  std::fclose(f);
  return lines;
}

}  // namespace

TEST(ReadLine, PlainScrambledAndCutLines) {
  std::string tail = scrambled(5, "last\n");
  tail.pop_back();  // a scrambled last line without its line feed still decodes
  std::string crlf = scrambled(9, "second\n");
  crlf.insert(crlf.size() - 1, "\r");
  struct Case {
    const char* id;
    std::string bytes;
    int n;
    std::vector<std::string> lines;
  } cases[] = {
      {"mixed", "REM:\tplain\n" + scrambled(3, "GM:\tItaliano\n") + "V:\tROSSI\n", 400,
       {"REM:\tplain\n", "GM:\tItaliano\n", "V:\tROSSI\n"}},
      {"crlf", "first\r\n" + crlf + "third\r\n", 400, {"first\n", "second\n", "third\n"}},
      {"pieces", scrambled(1, "DAYS:\tLU") + scrambled(2, "-6\tMA-6\n") + "next\n", 400, {"DAYS:\tLU-6\tMA-6\n", "next\n"}},
      {"plain-tail", "one\ntwo", 400, {"one\n", "two\r"}},
      {"scrambled-tail", tail, 400, {"last\n"}},
      {"long", "start\n" + std::string(100000, 'x') + "\n" + scrambled(4, std::string(300, 'y') + "\n") + "end\n", 100,
       {"start\n", std::string(98, 'x'), std::string(98, 'y'), "end\n"}},
  };
  TempDir dir;
  for (const Case& c : cases) {
    write_file(dir.file(c.id), c.bytes);
    EXPECT_EQ(read_lines(dir.file(c.id), c.n), c.lines) << c.id;
  }
}

TEST(ReadLine, BinaryBytesNeverOverrun) {
  TempDir dir;
  std::string path = dir.file("binary.bin");
  std::string bytes;
  for (int i = 0; i < 5000; ++i) bytes += static_cast<char>((i * 37) & 0xFF);
  write_file(path, bytes);
  std::vector<std::string> lines = read_lines(path, 64);
  EXPECT_FALSE(lines.empty());
  for (const std::string& line : lines) EXPECT_LE(line.size(), 62u);
}

TEST(ReadLine, LimitsBelowTwo) {
  TempDir dir;
  std::string path = dir.file("a.txt");
  write_file(path, "abc\n");
  std::FILE* f = std::fopen(path.c_str(), "rb");
  char buffer[4] = {'#', '#', '#', '#'};
  EXPECT_EQ(or_read_line(buffer, 0, f), nullptr);
  EXPECT_EQ(or_read_line(buffer, 1, f), nullptr);
  EXPECT_EQ(buffer[1], '#');
  std::fclose(f);
}

TEST(TextFiles, ScrambleAndUnscrambleWholeFiles) {
  TempDir dir;
  InFolder in(dir.path());
  ASSERT_EQ(write_scrambled_file("scuola2s.txt", "REM:\tLiceo\r\nDAYS:\tLU-6\n"), 0);
  std::string stored = read_file("scuola2s.txt");
  EXPECT_EQ(stored.find("LU-6"), std::string::npos);
  or_unscramble_file(".\\scuola2s.txt", 0, nullptr);
  EXPECT_EQ(read_file("scuola2s_debug.txt"), "REM:\tLiceo\nDAYS:\tLU-6\n");
  or_unscramble_file(".\\scuola2s.txt", 1, nullptr);
  EXPECT_EQ(read_file("scuola2s.txt"), "REM:\tLiceo\nDAYS:\tLU-6\n");
}

TEST(TextFiles, CopyFile) {
  TempDir dir;
  InFolder in(dir.path());
  std::string big(40000, 'k');
  write_file("source.txt", big);
  EXPECT_EQ(or_copy_file("source.txt", "copy.txt"), 0);
  EXPECT_EQ(read_file("copy.txt"), big);
  EXPECT_EQ(or_copy_file("missing.txt", "copy.txt"), ENOENT);
  EXPECT_EQ(read_file("copy.txt"), big);
}

TEST(TextFiles, ReadErrorWhileCopyingIsAFailure) {
  TempDir dir;
  InFolder in(dir.path());
  // A folder opens for reading but every read fails (EISDIR): not an end of
  // file. The copy reports it and leaves the old target as it was.
  std::filesystem::create_directory("folder");
  write_file("target.txt", "old");
  EXPECT_EQ(or_copy_file("folder", "target.txt"), -1);
  EXPECT_EQ(read_file("target.txt"), "old");
  EXPECT_FALSE(std::filesystem::exists("target.txt.kt-tmp-" + std::to_string(::getpid())));
}

TEST(TextFiles, SchoolHeader) {
  TempDir dir;
  InFolder in(dir.path());
  write_file("scuola2.txt",
             "REM:\tLiceo Galilei  \r\nREM:\tcommento\nREM:\tSede centrale\tVia Roma\n"
             "REM:\tquarta riga\nDATARELEASE:\t12-09-2026\tx\nDAYS:\tLU-6\nREM:\tignored\n");
  char a[41], b[41], c[41], release[41];
  const char* title = or_read_school_header(".", a, b, c, release, "scuola2.txt");
  ASSERT_NE(title, nullptr);
  EXPECT_STREQ(title, "Liceo Galilei");
  EXPECT_STREQ(a, "SEDE CENTRALE");
  EXPECT_STREQ(b, "VIA ROMA");
  EXPECT_STREQ(c, "QUARTA RIGA");
  EXPECT_STREQ(release, "12-09-2026");
  EXPECT_EQ(or_read_school_header(".", a, b, c, nullptr, "none.txt"), nullptr);
  EXPECT_STREQ(a, "");
}
