// Description-line normalisation, fields and tokens, letter classes and the
// case operations, each as a table of cases worked out by hand.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/text_lines.h"
#include "platform/cp1252.h"

TEST(NormalizeLine, Cases) {
  struct Case {
    const char* id;
    const char* in;
    int upper;
    const char* out;
  } cases[] = {
      {"tab-blanks-crlf", "x\t y  z\r\n", 0, "x|y z|\r"},
      {"lf", "DAYS:\tLU-6\n", 1, "DAYS:|LU-6|\n"},
      {"upper", "v:\trossi mario\n", 1, "V:|ROSSI MARIO|\n"},
      {"umlauts", "gm:\tm\xE4" "dchen \xFC" "ber\n", 1, "GM:|M\xC4" "DCHEN \xDC" "BER|\n"},
      {"accents-stay", "gm:\tattivit\xE0\n", 1, "GM:|ATTIVIT\xE0|\n"},
      {"first-blank-kept", "  a\n", 0, " a|\n"},
      {"blank-after-bar", "a|   b\n", 0, "a|b|\n"},
      {"no-line-end", "a\t\tb", 0, "a||b"},
      {"empty", "", 1, ""},
      {"only-newline", "\n", 0, "|\n"},
  };
  for (const Case& c : cases) {
    char line[64];
    std::strcpy(line, c.in);
    or_normalize_line(line, c.upper);
    EXPECT_STREQ(line, c.out) << c.id;
  }
}

TEST(Fields, NextField) {
  char line[] = "GM:|ITALIANO||LAB:|\n";
  char* p = or_next_field(line, '|');
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p - line, 4);
  p = or_next_field(p, '|');
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(std::string(p, 4), "LAB:");
  EXPECT_EQ(or_next_field(p + 4, '|'), p + 5);
  char ended[] = "ABC\n|D";
  EXPECT_EQ(or_next_field(ended, '|'), nullptr);
  std::string long_line(10050, 'a');
  long_line += '|';
  EXPECT_EQ(or_next_field(long_line.data(), '|'), nullptr);
}

TEST(Fields, CopyFieldAndToken) {
  char line[] = "3A 5|LU-2:MA-4|";
  char out[8];
  char* p = or_copy_field(out, line, 7);
  EXPECT_STREQ(out, "3A 5");
  p = or_copy_token(out, p, 7);
  EXPECT_STREQ(out, "LU");
  p = or_copy_token(out, p, 7);
  EXPECT_STREQ(out, "2");
  p = or_copy_token(out, p, 1);
  EXPECT_STREQ(out, "M");
  EXPECT_EQ(*p, '4');
  EXPECT_EQ(or_copy_field(out, nullptr, 7), nullptr);

  char cut[] = "ABCDEFGHIJ|K";
  p = or_copy_field(out, cut, 3);
  EXPECT_STREQ(out, "ABC");
  EXPECT_EQ(*p, 'K');
}

TEST(Fields, RangeDashAndSubSeparator) {
  char a[] = "8-13:15|x-y";
  EXPECT_EQ(or_find_range_dash(a), a + 1);
  EXPECT_EQ(or_find_sub_separator(a), a + 4);
  char b[] = "12|3-4";
  EXPECT_EQ(or_find_range_dash(b), nullptr);
  EXPECT_EQ(or_find_sub_separator(b), nullptr);
}

TEST(Fields, CopyToStopCharacters) {
  char out[16];
  EXPECT_EQ(*or_copy_to_char(out, "ROSSI|MARIO", '|'), '|');
  EXPECT_STREQ(out, "ROSSI");
  or_copy_to_char_n(out, "ROSSI|MARIO", '|', 3);
  EXPECT_STREQ(out, "ROS");
  or_copy_to_char_max(out, "ROSSI|MARIO", '|', 0);
  EXPECT_STREQ(out, "");
  or_copy_to_either_n(out, "AB-CD:EF", ':', '-', 10);
  EXPECT_STREQ(out, "AB");
  char blanks[] = "A B C|D E";
  or_replace_blanks(blanks, '_', '|');
  EXPECT_STREQ(blanks, "A_B_C|D E");
}

TEST(Letters, ClassesAndFolding) {
  struct Case {
    unsigned char c;
    int letter;
    int alnum;
    unsigned char upper;
    unsigned char name;
  } cases[] = {
      {'a', 1, 1, 'A', 'a'},       {'Z', 1, 1, 'Z', 'Z'},       {'7', 0, 1, '7', '7'},
      {' ', 0, 0, ' ', '_'},       {0xE0, 1, 1, 0xE0, 'a'},     {0xE9, 1, 1, 0xE9, 'e'},
      {0xE4, 1, 1, 0xC4, 'a'},     {0xD6, 1, 1, 0xD6, 'O'},     {0xFC, 1, 1, 0xDC, 'u'},
      {0xF2, 1, 1, 0xF2, 'o'},     {0xC0, 0, 0, 0xC0, '_'},     {'-', 0, 0, '-', '_'},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(or_is_letter(c.c), c.letter) << int(c.c);
    EXPECT_EQ(or_is_alnum(c.c), c.alnum) << int(c.c);
    EXPECT_EQ(or_fold_upper_char(c.c), c.upper) << int(c.c);
    EXPECT_EQ(or_fold_name_char(c.c), c.name) << int(c.c);
  }
}

TEST(Letters, CaseOperations) {
  char words[] = "rOSSI de marco";
  or_capitalize_words(words);
  EXPECT_STREQ(words, "Rossi De Marco");

  struct Case {
    const char* id;
    const char* in;
    const char* out;
  } cases[] = {
      {"plain", "LICEO SCIENTIFICO", "Liceo Scientifico"},
      {"apostrophe", "L'ATTIVIT\xE0", "L'Attivit\xE0"},
      {"umlaut", "\xFC" "BUNG M\xDC" "LLER", "\xDC" "bung M\xFC" "ller"},
      {"digits", "3A-LAB", "3A-Lab"},
  };
  for (const Case& c : cases) {
    char out[40];
    or_title_case(out, c.in);
    EXPECT_STREQ(out, c.out) << c.id;
  }
  char out[40];
  or_copy_title_case_to_char(out, "MARIO|ROSSI", '|');
  EXPECT_STREQ(out, "Mario");
  or_copy_title_case_to_char_n(out, "MARIO|ROSSI", '|', 2);
  EXPECT_STREQ(out, "Ma");
}

TEST(Letters, NormalizeClassName) {
  struct Case {
    const char* in;
    const char* out;
    int year;
  } cases[] = {
      {"IIIb", "IIIB", 3},  {"1a liceo", "1A liceo", 1}, {"iiib", "Iiib", 0},
      {"IVc", "IVC", 2},    {"Va", "VA", 1},             {"5B SCIENZE", "5B scienze", 1},
      {"ab", "Ab", 0},      {"", "", 0},
  };
  for (const Case& c : cases) {
    char out[40];
    EXPECT_EQ(or_normalize_class_name(out, c.in), c.year) << c.in;
    EXPECT_STREQ(out, c.out) << c.in;
    EXPECT_EQ(or_normalize_class_name(nullptr, c.in), c.year) << c.in;
  }
}
