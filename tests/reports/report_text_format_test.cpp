// The small formatting routines of the text reports: times, centring, class
// code split, the teacher label column and the two alphabetical iterators.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "reports/report_text_format.h"

namespace {

TEST(ReportTextFormat, Minutes) {
  struct Case { const char* id; int minutes; const char* text; } cases[] = {
      {"m1", 0, "0:00"},     {"m2", 485, "8:05"},   {"m3", 830, "13:50"}, {"m5", 1439, "23:59"}, {"m6", -1, ""},
  };
  for (const Case& c : cases) EXPECT_STREQ(or_format_minutes(c.minutes), c.text) << c.id;
}

TEST(ReportTextFormat, TaggedMinutes) {
  struct Case { const char* id; int minutes; char tag; const char* text; } cases[] = {
      {"t1", 480, 'i', "i:8:00"}, {"t2", 545, 'f', "f:9:05"}, {"t3", 0, 'b', "b:0:00"}, {"t4", -5, 'e', ""},
  };
  for (const Case& c : cases) EXPECT_STREQ(or_format_tagged_minutes(c.minutes, c.tag), c.text) << c.id;
}

TEST(ReportTextFormat, EightResultsStayValidTheNinthReusesTheFirst) {
  const char* first = or_format_minutes(60);
  const char* kept[8] = {first};
  for (int i = 1; i < 8; ++i) kept[i] = or_format_minutes(60 * (i + 1));
  for (int i = 0; i < 8; ++i) EXPECT_EQ(std::string(kept[i]), std::to_string(i + 1) + ":00") << i;
  const char* ninth = or_format_minutes(605);
  EXPECT_EQ(ninth, first);
  EXPECT_STREQ(first, "10:05");
  // The tagged ring is separate: it does not disturb the plain one.
  or_format_tagged_minutes(0, 'i');
  EXPECT_STREQ(kept[1], "2:00");
}

TEST(ReportTextFormat, Centring) {
  // Before the text (width - length / 2) / 2 blanks, after it the rest of
  // the width; past the field's end the blanks after it count as many as
  // it overran.
  struct Case { const char* id; int width; const char* text; const char* out; } cases[] = {
      {"c1", 20, "abcdefghij", "       abcdefghij   "},  // (20 - 5) / 2 = 7 before, 3 after
      {"c2", 10, "abc", "    abc   "},                   // (10 - 1) / 2 = 4
      {"c3", 6, "", "      "},
      {"c4", 8, "abcdefgh", "  abcdefgh  "},              // as long as the field: a quarter before
      {"c5", 9, "abcdefgh", "  abcdefgh "},               // 9 - 10 after: one blank
      {"c6", 5, "toolongtext", "toolongtext      "},      // 5 - 11 after: six blanks
      {"c7", 101, "x", "Buffer Length ?"},
      {"c8", -1, "x", "Buffer Length ?"},
      {"c9", 100, "a", nullptr},
  };
  for (const Case& c : cases) {
    std::string got = or_center_text(c.width, c.text);
    if (c.out) {
      EXPECT_EQ(got, c.out) << c.id;
    }
  }
  EXPECT_EQ(std::string(or_center_text(100, "a")), std::string(50, ' ') + "a" + std::string(49, ' '));
}

TEST(ReportTextFormat, ClassCodeSplit) {
  struct Case { const char* id; const char* code; const char* out; } cases[] = {
      {"r1", "IIIB", "III/B/ "}, {"r2", "VAsia", "V/A/sia"}, {"r3", "IV", "IV/ / "},
      {"r4", "IIA", "II/A/ "},   {"r5", "I", "I/ / "},       {"r6", "IVCinf", "IV/C/inf"},
      {"a1", "1A", "1/A/ "},     {"a2", "2Binf", "2/B/inf"}, {"a3", " 3C", "3/C/ "},
      {"a4", "5", "5/ / "},      {"a5", "", " / / "},        {"a6", "  ", " / / "},
  };
  for (const Case& c : cases) EXPECT_STREQ(or_split_class_code(c.code), c.out) << c.id;
}

std::string label(int mode, const char* name, const char* subject, int kind, int language) {
  char* buf = nullptr;
  std::size_t size = 0;
  std::FILE* f = open_memstream(&buf, &size);
  or_write_teacher_label_column(f, mode, name, subject, kind, language);
  std::fclose(f);
  std::string out(buf, size);
  std::free(buf);
  return out;
}

TEST(ReportTextFormat, TeacherLabelColumn) {
  struct Case { const char* id; int mode; int kind; int language; const char* out; } cases[] = {
      {"l1", 0, 0, 0, "Rossi Mario         "},
      {"l2", 1, 0, 0, "Matematica e Fisica "},  // cut to 20
      {"l3", 2, 1, 0, "Laboratorio         "},
      {"l4", 2, 4, 2, "Laboratory          "},
      {"l5", 2, 2, 1, "Mitanwesenheit      "},
      {"l6", 2, 2, 2, "Twin Teacher Lesson "},
      {"l7", 2, 8, 0, "                    "},
      {"l8", 3, 1, 0, "                    "},
  };
  for (const Case& c : cases)
    EXPECT_EQ(label(c.mode, "Rossi Mario", "Matematica e Fisica Applicata", c.kind, c.language), c.out) << c.id;
}

TEST(ReportTextFormat, SubjectShortNamesInByteOrder) {
  std::memset(g_subject_short_names, 0, sizeof g_subject_short_names);
  const char* short_names[] = {"MAT", "", "ITA", "FIS", "ITA", "\xC8TI"};
  for (int i = 0; i < 6; ++i) std::strcpy(g_subject_short_names[i], short_names[i]);
  // Equal names: the first one only; empty names never, nor one that
  // begins above 127.
  int expected[] = {3, 2, 0, -1, -1, -1};
  EXPECT_EQ(or_next_subject_short_name(1, 6), expected[0]);
  for (int i = 1; i < 6; ++i) EXPECT_EQ(or_next_subject_short_name(0, 6), expected[i]) << i;
  EXPECT_EQ(or_next_subject_short_name(1, 3), 2);
  EXPECT_EQ(or_next_subject_short_name(0, 3), 0);
  EXPECT_EQ(or_next_subject_short_name(0, 3), -1);
}

// The main subjects of the teacher grid, each distinct name once in byte
// order; a name from twenty 'z' on (an accented capital first) is not
// listed, and after the last one every call answers -1 until a restart.
TEST(ReportTextFormat, TeacherGridSubjectsInByteOrder) {
  const char* subjects[] = {"STORIA", "ITALIANO", "\xC8TICA", "STORIA", "ARTE", "zzzzzzzzzzzzzzzzzzzz"};
  std::vector<std::string> got;
  for (int more = or_next_teacher_grid_by_subject(1, subjects, 6); more >= 0;
       more = or_next_teacher_grid_by_subject(0, subjects, 6))
    got.push_back(or_teacher_grid_subject());
  EXPECT_EQ(got, (std::vector<std::string>{"ARTE", "ITALIANO", "STORIA"}));
  EXPECT_EQ(or_next_teacher_grid_by_subject(0, subjects, 6), -1);
  EXPECT_STREQ(or_teacher_grid_subject(), "zzzzzzzzzzzzzzzzzzzz");
  EXPECT_EQ(or_next_teacher_grid_by_subject(1, subjects, 0), -1) << "no records";
  EXPECT_EQ(or_next_teacher_grid_by_subject(1, subjects, 1), 0);
  EXPECT_STREQ(or_teacher_grid_subject(), "STORIA");
}

TEST(ReportTextFormat, TitleLines) {
  struct Case { const char* line; bool title; } cases[] = {
      {"*2 Classe", true}, {"!0 x", true}, {"@9", true}, {"^1 Ora", true},
      {"* nota", false},   {"|2 x", false}, {"", false}, {"*", false},
  };
  for (const Case& c : cases) EXPECT_EQ(kt::is_report_title_line(c.line), c.title) << c.line;
}

}  // namespace
