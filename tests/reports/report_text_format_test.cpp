// The small formatting routines of the text reports: times, centring, class
// code split, the teacher label column and the two alphabetical iterators.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

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
  struct Case { const char* id; int width; const char* text; const char* out; } cases[] = {
      {"c1", 20, "abcdefghij", "       abcdefghij   "},  // (20 - 5) / 2 = 7 before, 3 after
      {"c2", 10, "abc", "    abc   "},                   // (10 - 1) / 2 = 4
      {"c3", 6, "", "      "},
      {"c4", 8, "abcdefgh", "abcdefgh"},                  // as long as the field: no padding
      {"c5", 9, "abcdefgh", " abcdefgh"},                 // (9 - 4) / 2 = 2 would pass the field
      {"c6", 5, "toolongtext", "toolongtext"},            // longer than the field: whole
      {"c7", 101, "x", "Buffer Length ?"},
      {"c8", -1, "x", "Buffer Length ?"},
      {"c9", 100, "a", nullptr},
  };
  for (const Case& c : cases) {
    std::string got = or_center_text(c.width, c.text);
    if (c.out) {
      EXPECT_EQ(got, c.out) << c.id;
    }
    if (c.width >= 0 && c.width <= 100) {
      EXPECT_EQ(got.size(), std::max<std::size_t>(c.width, std::strlen(c.text))) << c.id;
    }
  }
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
  // Equal names: the first one only; empty names never.
  int expected[] = {3, 2, 0, 5, -1, -1};
  EXPECT_EQ(or_next_subject_short_name(1, 6), expected[0]);
  for (int i = 1; i < 6; ++i) EXPECT_EQ(or_next_subject_short_name(0, 6), expected[i]) << i;
  EXPECT_EQ(or_next_subject_short_name(1, 3), 2);
  EXPECT_EQ(or_next_subject_short_name(0, 3), 0);
  EXPECT_EQ(or_next_subject_short_name(0, 3), -1);
}

TEST(ReportTextFormat, TitleLines) {
  struct Case { const char* line; bool title; } cases[] = {
      {"*2 Classe", true}, {"!0 x", true}, {"@9", true}, {"^1 Ora", true},
      {"* nota", false},   {"|2 x", false}, {"", false}, {"*", false},
  };
  for (const Case& c : cases) EXPECT_EQ(kt::is_report_title_line(c.line), c.title) << c.line;
}

}  // namespace
