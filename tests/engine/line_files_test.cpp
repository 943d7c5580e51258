// The line scrambler, reading logical lines of plain and scrambled files
// within the reader's limits, and whole-file operations.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "engine/engine_random.h"
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

int unscramble(const std::string& stored, std::string* clear) {
  std::vector<char> out(stored.size() + 1);
  int result = or_scramble_line(1, stored.c_str(), out.data());
  *clear = out.data();
  return result;
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

TEST(ReadLine, PlainScrambledAndCutLinesWithinTheLimit) {
  std::string tail = scrambled(5, "last\n");
  tail.pop_back();  // a scrambled last line without its line feed still decodes
  std::string crlf = scrambled(9, "second\n");
  crlf.insert(crlf.size() - 1, "\r");
  struct Case { const char* id; std::string bytes; int n; std::vector<std::string> lines; } cases[] = {
      {"mixed", "REM:\tplain\n" + scrambled(3, "GM:\tItaliano\n") + "V:\tROSSI\n", 400,
       {"REM:\tplain\n", "GM:\tItaliano\n", "V:\tROSSI\n"}},
      {"crlf", "first\r\n" + crlf + "third\r\n", 400, {"first\n", "second\n", "third\n"}},
      {"pieces", scrambled(1, "DAYS:\tLU") + scrambled(2, "-6\tMA-6\n") + "next\n", 400, {"DAYS:\tLU-6\tMA-6\n", "next\n"}},
      {"plain-tail", "one\ntwo", 400, {"one\n", "two\r"}}, {"scrambled-tail", tail, 400, {"last\n"}},
      {"long", "start\n" + std::string(100000, 'x') + "\n" + scrambled(4, std::string(300, 'y') + "\n") + "end\n", 100,
       {"start\n", std::string(98, 'x'), std::string(98, 'y'), "end\n"}},
  };
  TempDir dir;
  for (const Case& c : cases) {
    write_file(dir.file(c.id), c.bytes);
    EXPECT_EQ(read_lines(dir.file(c.id), c.n), c.lines) << c.id;
  }
  // Limits below two read nothing.
  std::FILE* f = std::tmpfile();
  std::fputs("abc\n", f);
  std::rewind(f);
  char buffer[4] = {'#', '#', '#', '#'};
  EXPECT_TRUE(or_read_line(buffer, 0, f) == nullptr && or_read_line(buffer, 1, f) == nullptr);
  EXPECT_EQ(buffer[1], '#');
  std::fclose(f);
}

// Each logical line tells how many lines of the file it took: a scrambled
// line stored in pieces takes one per piece, so readers can name the
// file's line where a logical line began.
TEST(ReadLine, PiecesOfEachLogicalLineAreCounted) {
  struct Case { const char* id; std::string bytes; std::vector<int> pieces; } cases[] = {
      {"plain", "one\n\nthree\n", {1, 1, 1}},
      {"pieces", scrambled(1, "DAYS:\tLU") + scrambled(2, "-6\tMA") + scrambled(3, "-6\n") + "next\n", {3, 1}},
      {"damaged", "REM:x\n" + std::string(20, 'A') + "\nend\n", {1, 1, 1}},
  };
  TempDir dir;
  for (const Case& c : cases) {
    write_file(dir.file(c.id), c.bytes);
    std::FILE* f = std::fopen(dir.file(c.id).c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::vector<int> pieces;
    char buffer[400];
    while (or_read_line(buffer, sizeof buffer, f)) pieces.push_back(or_last_line_pieces());
    std::fclose(f);
    EXPECT_EQ(pieces, c.pieces) << c.id;
  }
}

TEST(TextFiles, ScrambleUnscrambleCopyAndReadTheHeader) {
  TempDir dir;
  InFolder in(dir.path());
  ASSERT_EQ(write_scrambled_file("scuola2s.txt", "REM:\tLiceo\r\nDAYS:\tLU-6\n"), 0);
  EXPECT_EQ(read_file("scuola2s.txt").find("LU-6"), std::string::npos);
  or_unscramble_file(".\\scuola2s.txt", 0, nullptr);
  EXPECT_EQ(read_file("scuola2s_debug.txt"), "REM:\tLiceo\nDAYS:\tLU-6\n");
  or_unscramble_file(".\\scuola2s.txt", 1, nullptr);
  EXPECT_EQ(read_file("scuola2s.txt"), "REM:\tLiceo\nDAYS:\tLU-6\n");
  // The whole-file scrambler and back; a missing source leaves no target.
  or_scramble_file("scuola2s.txt", "again.txt");
  EXPECT_EQ(read_file("again.txt").find("LU-6"), std::string::npos);
  or_unscramble_file(".\\again.txt", 1, nullptr);
  EXPECT_EQ(read_file("again.txt"), "REM:\tLiceo\nDAYS:\tLU-6\n");
  or_scramble_file("none.txt", "never.txt");
  EXPECT_FALSE(std::filesystem::exists("never.txt"));
  // Copies.
  std::string big(40000, 'k');
  write_file("source.txt", big);
  EXPECT_EQ(or_copy_file("source.txt", "copy.txt"), 0);
  EXPECT_EQ(or_copy_file("missing.txt", "copy.txt"), ENOENT);
  EXPECT_EQ(read_file("copy.txt"), big) << "copied whole, then kept";
  // A folder opens for reading but every read fails (EISDIR): not an end of
  // file. The copy reports it and leaves the old target as it was.
  std::filesystem::create_directory("folder");
  write_file("target.txt", "old");
  EXPECT_EQ(or_copy_file("folder", "target.txt"), -1);
  EXPECT_EQ(read_file("target.txt"), "old");
  EXPECT_FALSE(std::filesystem::exists("target.txt.kt-tmp-" + std::to_string(::getpid())));
  // The school's header lines.
  write_file("scuola2.txt",
             "REM:\tLiceo Galilei  \r\nREM:\tcommento\nREM:\tSede centrale\tVia Roma\n"
             "REM:\tquarta riga\nDATARELEASE:\t12-09-2026\tx\nDAYS:\tLU-6\nREM:\tignored\n");
  char a[41], b[41], c[41], release[41];
  const char* title = or_read_school_header(".", a, b, c, release, "scuola2.txt");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ((std::vector<std::string>{title, a, b, c, release}),
            (std::vector<std::string>{"Liceo Galilei", "SEDE CENTRALE", "VIA ROMA", "QUARTA RIGA", "12-09-2026"}));
  EXPECT_EQ(or_read_school_header(".", a, b, c, nullptr, "none.txt"), nullptr);
  EXPECT_STREQ(a, "");
}

TEST(LineScrambler, EveryByteValueRoundTripsUnderEverySeed) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  all += '\n';
  for (int seed = 0; seed < 256; ++seed) {
    std::string stored = scrambled(static_cast<std::uint8_t>(seed), all);
    ASSERT_EQ(stored.size(), 2 * all.size() + 9) << "seed " << seed;
    std::string clear;
    ASSERT_EQ(unscramble(stored, &clear), 0) << "seed " << seed;
    EXPECT_EQ(clear, all) << "seed " << seed;
  }
}

TEST(LineScrambler, StoredLayoutWorkedByHand) {
  // Seed 0, seven bytes 0x01: key indexes 1 2 3 4 5 0 1, running offsets
  // 9e c6 9a fc b5 01 a0; checks 07, 17 + 4 = 15h, 37 + 3 = 28h.
  EXPECT_EQ(scrambled(0, std::string(7, '\x01')), "009fc79bfdb602a1071528\n");
  // The empty text: seed and the three checks S, S + 17, S + 37.
  EXPECT_EQ(scrambled(0x20, ""), "20203145\n");
  std::string clear = "x";
  EXPECT_EQ(unscramble(scrambled(200, ""), &clear), 0);
  EXPECT_EQ(clear, "");
}

// Plain lines, and scrambled lines with any one digit changed, read back as stored.
TEST(LineScrambler, PlainAndCorruptedLinesReadBackAsStored) {
  std::vector<std::string> lines = {"REM:\n", "12345678", "DAYS:|LU-6|MA-6|\n"};
  std::string stored = scrambled(77, "GM:|Italiano|\n");
  for (std::size_t i = 0; i + 1 < stored.size(); ++i) {
    lines.push_back(stored);
    lines.back()[i] = stored[i] == '0' ? '1' : '0';
  }
  for (const std::string& line : lines) {
    std::string clear;
    EXPECT_EQ(unscramble(line, &clear), 1) << line;
    EXPECT_EQ(clear, line);
  }
}

TEST(LineScrambler, WritingNeverMovesTheSolversGenerator) {
  g_engine_random.seed_with(42);
  std::int32_t a = g_engine_random.next();
  std::int32_t b = g_engine_random.next();
  g_engine_random.seed_with(42);
  std::vector<char> work(64);
  std::FILE* sink = std::tmpfile();
  ASSERT_NE(sink, nullptr);
  EXPECT_EQ(or_write_scrambled_line(sink, "abc\n", work.data()), 0);
  EXPECT_EQ(or_write_status_line(sink, "abc\n", work.data()), 0);
  std::fclose(sink);
  EXPECT_EQ((std::vector<std::int32_t>{g_engine_random.next(), g_engine_random.next()}), (std::vector<std::int32_t>{a, b}));
}
