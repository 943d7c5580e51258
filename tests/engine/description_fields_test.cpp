// Description-line normalisation, fields and tokens, letter classes and the
// case operations, each as a table of cases worked out by hand.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/text_lines.h"
#include "platform/cp1252.h"

TEST(NormalizeLine, Cases) {
  struct Case { const char* id; const char* in; int upper; const char* out; } cases[] = {
      {"tab-blanks-crlf", "x\t y  z\r\n", 0, "x|y z|\r"}, {"lf", "DAYS:\tLU-6\n", 1, "DAYS:|LU-6|\n"},
      {"upper", "v:\trossi mario\n", 1, "V:|ROSSI MARIO|\n"},
      {"umlauts", "gm:\tm\xE4" "dchen \xFC" "ber\n", 1, "GM:|M\xC4" "DCHEN \xDC" "BER|\n"},
      {"accents-stay", "gm:\tattivit\xE0\n", 1, "GM:|ATTIVIT\xE0|\n"}, {"first-blank-kept", "  a\n", 0, " a|\n"},
      {"blank-after-bar", "a|   b\n", 0, "a|b|\n"}, {"no-line-end", "a\t\tb", 0, "a||b"}, {"empty", "", 1, ""},
      {"only-newline", "\n", 0, "|\n"},
  };
  for (const Case& c : cases) {
    char line[64];
    std::strcpy(line, c.in);
    or_normalize_line(line, c.upper);
    EXPECT_STREQ(line, c.out) << c.id;
  }
}

TEST(Fields, RangeDash) {
  char a[] = "8-13:15|x-y";
  EXPECT_EQ(or_find_range_dash(a), a + 1);
  char b[] = "12|3-4";
  EXPECT_EQ(or_find_range_dash(b), nullptr);
}

TEST(Letters, ClassesAndFolding) {
  struct Case { unsigned char c; int letter, alnum; unsigned char upper; } cases[] = {
      {'a', 1, 1, 'A'},   {'Z', 1, 1, 'Z'},   {'7', 0, 1, '7'},   {' ', 0, 0, ' '},
      {0xE0, 1, 1, 0xE0}, {0xE9, 1, 1, 0xE9}, {0xE4, 1, 1, 0xC4}, {0xD6, 1, 1, 0xD6},
      {0xFC, 1, 1, 0xDC}, {0xF2, 1, 1, 0xF2}, {0xC0, 0, 0, 0xC0}, {'-', 0, 0, '-'},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(or_is_letter(c.c), c.letter) << int(c.c);
    EXPECT_EQ(or_is_alnum(c.c), c.alnum) << int(c.c);
    EXPECT_EQ(or_fold_upper_char(c.c), c.upper) << int(c.c);
  }
}

TEST(Letters, CaseOperations) {
  struct Case { const char* id; const char* in; const char* out; } cases[] = {
      {"plain", "LICEO SCIENTIFICO", "Liceo Scientifico"}, {"apostrophe", "L'ATTIVIT\xE0", "L'Attivit\xE0"},
      {"umlaut", "\xFC" "BUNG M\xDC" "LLER", "\xDC" "bung M\xFC" "ller"},
      {"digits", "3A-LAB", "3A-Lab"},
  };
  for (const Case& c : cases) {
    char out[40];
    or_title_case(out, c.in);
    EXPECT_STREQ(out, c.out) << c.id;
  }
  char out[40];
  or_copy_title_case_to_char_n(out, "MARIO|ROSSI", '|', 2);
  EXPECT_STREQ(out, "Ma");
}


// The field steps and copies the import readers use, each case by hand.
TEST(Fields, StepsAndCopies) {
  char line[] = "GM:|ITALIANO||LAB:|\n";
  char* p = or_next_field(line, '|');
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p - line, 4);
  p = or_next_field(p, '|');
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(std::string(p, 4), "LAB:") << "a run of separators is one";
  char ended[] = "ABC\n|D";
  EXPECT_EQ(or_next_field(ended, '|'), nullptr) << "the line end comes first";
  char out[16];
  char item[] = "3A 5|LU-2:MA-4|";
  p = or_copy_field(out, item, 7);
  EXPECT_STREQ(out, "3A 5");
  EXPECT_EQ(or_find_sub_separator(p), p + 4);
  p = or_copy_token(out, p, 7);
  EXPECT_STREQ(out, "LU");
  p = or_copy_token(out, p, 7);
  EXPECT_STREQ(out, "2");
  EXPECT_EQ(or_find_sub_separator(p), nullptr);
  EXPECT_EQ(or_copy_field(out, nullptr, 7), nullptr);
  struct Copy { const char* id; char* (*copy)(char*, const char*, char, int); int n; const char* out; } copies[] = {
      {"n-3", or_copy_to_char_n, 3, "ROS"}, {"max-3", or_copy_to_char_max, 3, "ROS"},
      {"n-0-counts-after", or_copy_to_char_n, 0, "R"}, {"max-0-counts-before", or_copy_to_char_max, 0, ""},
      {"n-stop", or_copy_to_char_n, 10, "ROSSI"},
  };
  for (const Copy& c : copies) {
    c.copy(out, "ROSSI|MARIO", '|', c.n);
    EXPECT_STREQ(out, c.out) << c.id;
  }
  or_copy_to_either_n(out, "AB-CD:EF", ':', '-', 10);
  EXPECT_STREQ(out, "AB");
  const char* whole = "ROSSI MARIO|X";
  EXPECT_EQ(or_copy_to_char(out, whole, '|'), whole + 11) << "no limit; the stop's position";
  EXPECT_STREQ(out, "ROSSI MARIO");
  char blanks[] = "A B C|D E";
  or_replace_blanks(blanks, '_', '|');
  EXPECT_STREQ(blanks, "A_B_C|D E");
}

TEST(Letters, NamesWordsAndClassNames) {
  struct Fold { unsigned char c, name; } folds[] = {
      {'a', 'a'}, {'7', '7'}, {' ', '_'}, {0xE0, 'a'}, {0xE9, 'e'}, {0xE4, 'a'}, {0xD6, 'O'}, {0xFC, 'u'}, {'-', '_'}};
  for (const Fold& f : folds) EXPECT_EQ(or_fold_name_char(f.c), f.name) << int(f.c);
  char words[] = "rOSSI de marco";
  or_capitalize_words(words);
  EXPECT_STREQ(words, "Rossi De Marco");
  char out[40];
  or_copy_title_case_to_char(out, "MARIO|ROSSI", '|');
  EXPECT_STREQ(out, "Mario");
  struct Case { const char* in; const char* out; int year; } cases[] = {
      {"IIIb", "IIIB", 3}, {"1a liceo", "1A liceo", 1}, {"iiib", "Iiib", 0}, {"IVc", "IVC", 2},
      {"Va", "VA", 1},     {"ab", "Ab", 0},             {"", "", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(or_normalize_class_name(out, c.in), c.year) << c.in;
    EXPECT_STREQ(out, c.out) << c.in;
    EXPECT_EQ(or_normalize_class_name(nullptr, c.in), c.year) << c.in;
  }
}
