// The line scrambler: round trips over every seed and every byte value, the
// stored layout worked out by hand, and lines that must read back as plain.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/engine_random.h"
#include "engine/text_lines.h"

namespace {

std::string scramble(std::uint8_t seed, const std::string& text) {
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

}  // namespace

TEST(LineScrambler, EveryByteValueRoundTripsUnderEverySeed) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  all += '\n';
  for (int seed = 0; seed < 256; ++seed) {
    std::string stored = scramble(static_cast<std::uint8_t>(seed), all);
    ASSERT_EQ(stored.size(), 2 * all.size() + 9) << "seed " << seed;
    std::string clear;
    ASSERT_EQ(unscramble(stored, &clear), 0) << "seed " << seed;
    EXPECT_EQ(clear, all) << "seed " << seed;
  }
}

TEST(LineScrambler, StoredLayoutWorkedByHand) {
  // Seed 0, seven bytes 0x01: key indexes 1 2 3 4 5 0 1, running offsets
  // 9e c6 9a fc b5 01 a0; checks 07, 17 + 4 = 15h, 37 + 3 = 28h.
  EXPECT_EQ(scramble(0, std::string(7, '\x01')), "009fc79bfdb602a1071528\n");
  // The empty text: seed and the three checks S, S + 17, S + 37.
  EXPECT_EQ(scramble(0x20, ""), "20203145\n");
  std::string clear = "x";
  EXPECT_EQ(unscramble(scramble(200, ""), &clear), 0);
  EXPECT_EQ(clear, "");
}

TEST(LineScrambler, PlainLinesAreReturnedUnchanged) {
  struct Case {
    const char* id;
    std::string stored;
  } cases[] = {
      {"short", "REM:\n"},
      {"eight", "12345678"},
      {"words", "DAYS:|LU-6|MA-6|\n"},
  };
  for (const Case& c : cases) {
    std::string clear;
    EXPECT_EQ(unscramble(c.stored, &clear), 1) << c.id;
    EXPECT_EQ(clear, c.stored) << c.id;
  }
}

TEST(LineScrambler, CorruptedDigitReadsBackAsStored) {
  std::string stored = scramble(77, "GM:|Italiano|\n");
  for (std::size_t i = 0; i + 1 < stored.size(); ++i) {
    std::string corrupted = stored;
    corrupted[i] = corrupted[i] == '0' ? '1' : '0';
    std::string clear;
    EXPECT_EQ(unscramble(corrupted, &clear), 1) << "digit " << i;
    EXPECT_EQ(clear, corrupted) << "digit " << i;
  }
}

TEST(LineScrambler, ParseHexCountsOtherCharactersAsZero) {
  struct Case {
    int n;
    const char* text;
    int value;
  } cases[] = {{2, "1G", 16}, {2, "ff", 255}, {2, "Ab", 171}, {4, "12", 0x1200}, {1, "z", 0}};
  for (const Case& c : cases) EXPECT_EQ(or_parse_hex(c.n, c.text), c.value) << c.text;
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
  EXPECT_EQ(g_engine_random.next(), a);
  EXPECT_EQ(g_engine_random.next(), b);
}

TEST(EngineRandom, SameSeedSameSequence) {
  EngineRandom x(2026), y(2026), z(2027);
  bool differs = false;
  for (int i = 0; i < 100; ++i) {
    std::int32_t v = x.next();
    EXPECT_EQ(v, y.next());
    EXPECT_GE(v, 0);
    differs = differs || v != z.next();
  }
  EXPECT_TRUE(differs);
}
