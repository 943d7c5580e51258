// Code page 1252 conversions and case folding.
#include <gtest/gtest.h>

#include "platform/cp1252.h"

TEST(Cp1252, EveryByteRoundTripsThroughUtf8) {
  for (int b = 1; b < 256; ++b) {
    std::string one(1, static_cast<char>(b));
    bool ok = false;
    EXPECT_EQ(kt::utf8_to_cp1252(kt::cp1252_to_utf8(one), &ok), one) << "byte " << b;
    EXPECT_TRUE(ok) << "byte " << b;
  }
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
