// Text in code page 1252 as the program holds it: every letter's upper and
// lower case (the accented ones and the four pairs of the 0x80 row too),
// names put in upper case whole, comparisons without case in both
// directions and by prefix, and UTF-8 from the desktop turned into 1252 and
// back, a character 1252 cannot hold becoming one "?" and a broken sequence
// one "?" a byte, never swallowing its neighbours.
#include <gtest/gtest.h>

#include <string>

#include "platform/cp1252.h"

namespace {

// The case pairs of 1252: the 26 letters, the Latin-1 letters (the division
// sign and the sharp s have none) and the four of the 0x80 row.
bool is_pair(int lower, int upper) {
  if (lower >= 'a' && lower <= 'z') return upper == lower - 32;
  if (lower >= 0xE0 && lower <= 0xFE && lower != 0xF7) return upper == lower - 32;
  return (lower == 0x9A && upper == 0x8A) || (lower == 0x9C && upper == 0x8C) || (lower == 0x9E && upper == 0x8E) ||
         (lower == 0xFF && upper == 0x9F);
}

TEST(TextFolding, EveryByteHasItsCases) {
  int pairs = 0;
  for (int b = 0; b < 256; ++b) {
    int up = kt::cp1252_upper(static_cast<unsigned char>(b));
    int low = kt::cp1252_lower(static_cast<unsigned char>(b));
    if (up != b) {
      EXPECT_TRUE(is_pair(b, up)) << "upper of " << b << " is " << up;
      EXPECT_EQ(kt::cp1252_lower(static_cast<unsigned char>(up)), b) << b;
      ++pairs;
    } else {
      for (int u = 0; u < 256; ++u) EXPECT_FALSE(is_pair(b, u) && u != b) << b << " should go up to " << u;
    }
    if (low != b) {
      EXPECT_TRUE(is_pair(low, b)) << "lower of " << b << " is " << low;
      EXPECT_EQ(kt::cp1252_upper(static_cast<unsigned char>(low)), b) << b;
    }
  }
  EXPECT_EQ(pairs, 26 + 30 + 4);
}

TEST(TextFolding, NamesPutInUpperCaseWhole) {
  struct Case { std::string in, out; } cases[] = {
      {"citt\xE0 pi\xF9 \xE8", "CITT\xC0 PI\xD9 \xC8"},
      {"Stra\xDF" "e \xF7 3", "STRA\xDF" "E \xF7 3"},
      {"\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F"},
      {"1A-bis", "1A-BIS"},
      {"", ""},
  };
  for (const Case& c : cases) {
    std::string s = c.in;
    kt::cp1252_make_upper(s.data());
    EXPECT_EQ(s, c.out) << c.in;
  }
}

TEST(TextFolding, ComparisonsIgnoreCaseAndKeepTheOrder) {
  struct Case { const char *a, *b; int sign; } cases[] = {
      {"Rossi", "ROSSI", 0}, {"abc", "ABD", -1}, {"b", "A", 1}, {"Ros", "rossi", -1},
      {"rossi", "Ros", 1},   {"\xE0", "\xC1", -1}, {"", "", 0},  {"Z", "\xE0", -1},
  };
  auto sign = [](int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; };
  for (const Case& c : cases) {
    EXPECT_EQ(sign(kt::cp1252_casecmp(c.a, c.b)), c.sign) << c.a << " vs " << c.b;
    EXPECT_EQ(sign(kt::cp1252_casecmp(c.b, c.a)), -c.sign) << c.b << " vs " << c.a;
  }
  EXPECT_EQ(kt::cp1252_ncasecmp("Roma", "ROMANO", 4), 0);
  EXPECT_LT(kt::cp1252_ncasecmp("Roma", "ROMANO", 5), 0);
  EXPECT_EQ(kt::cp1252_ncasecmp("abc", "xyz", 0), 0);
  EXPECT_EQ(kt::cp1252_ncasecmp("Lab", "LAB", 10), 0) << "both end before the count";
}

TEST(TextFolding, Utf8ToAndFrom1252) {
  struct Case { std::string utf8, text; bool ok; } cases[] = {
      {"citt\xC3\xA0", "citt\xE0", true},
      {"\xE2\x82\xAC 5", "\x80 5", true},              // the euro sign
      {"\xC5\xB8", "\x9F", true},                      // Y with diaeresis
      {"a\xF0\x9F\x98\x80" "b", "a?b", false},         // a four-byte character
      {"a\xC3" "b", "a?b", false},                     // a sequence cut short
      {"a\x80" "b", "a?b", false},                     // a stray continuation byte
      {"x\xE2\x82", "x??", false},                     // cut short at the end: a "?" a byte
      {"\xE2\x88\x9E\xE2\x88\x9E", "??", false},       // two in a row
  };
  for (const Case& c : cases) {
    bool ok = !c.ok;
    EXPECT_EQ(kt::utf8_to_cp1252(c.utf8, &ok), c.text) << c.utf8;
    EXPECT_EQ(ok, c.ok) << c.utf8;
  }
  EXPECT_EQ(kt::cp1252_to_utf8("\x80\x81\xE0 a"), "\xE2\x82\xAC\xC2\x81\xC3\xA0 a");
  EXPECT_EQ(kt::cp1252_to_utf8("\x99"), "\xE2\x84\xA2");
}

}  // namespace
