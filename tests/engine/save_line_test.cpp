// The plain save line: the writer's exact layout and the reader's refusal
// of malformed or out-of-range lines.
#include "engine/save_line.h"

#include <gtest/gtest.h>

namespace {

SaveLine sample() {
  SaveLine l;
  l.lesson = 7;
  l.day = 2;
  l.hour = 3;
  l.class_code = "1A";
  l.class_index = 0;
  l.teacher = "ROSSI";
  l.teacher_index = 4;
  l.points = 12;
  return l;
}

TEST(SaveLineFormat, LayoutOfEachOptionalPart) {
  struct Case { const char* id; void (*edit)(SaveLine&); const char* expected; } cases[] = {
      {"plain", [](SaveLine&) {}, "0007 2 3 1A (0) ROSSI (4)  (-1) CE:12\n"},
      {"second", [](SaveLine& l) { l.second_teacher = "VERDI"; l.second_index = 9;
                                   l.has_second_points = true; l.second_points = 5; },
       "0007 2 3 1A (0) ROSSI (4) VERDI (9) CE:12CF:5\n"},
      {"standby", [](SaveLine& l) { l.pseudo_letter = 'D'; l.class_code = "dAA"; l.class_index = 6; },
       "0007D 2 3 dAA (6) ROSSI (4)  (-1) CE:12\n"},
      {"support", [](SaveLine& l) { l.pseudo_letter = 'S'; l.has_supported_class = true;
                                    l.supported_class = "2B"; },
       "0007S 2 3 1A (0) ROSSI (4)  (-1) CE:12 SOCL:2B-\n"},
      {"norooms", [](SaveLine& l) { l.no_room = true; }, "0007 2 3 1A (0) ROSSI (4)  (-1) CE:12 STZN:|\n"},
      {"room", [](SaveLine& l) { l.has_room = true; l.room = "LAB FISICA"; },
       "0007 2 3 1A (0) ROSSI (4)  (-1) CE:12 STZM:LAB FISICA|\n"},
      {"unplaced", [](SaveLine& l) { l.day = -1; l.hour = -1; }, "0007 -1 -1 1A (0) ROSSI (4)  (-1) CE:12\n"},
  };
  for (const Case& c : cases) {
    SaveLine l = sample();
    c.edit(l);
    std::string text = format_save_line(l);
    EXPECT_EQ(text, c.expected) << c.id;
    SaveLine back;
    ASSERT_TRUE(parse_save_line(text.c_str(), back)) << c.id;
    EXPECT_EQ(format_save_line(back), text) << c.id;
  }
}

TEST(SaveLineParse, RefusesBadLines) {
  struct Case { const char* id; const char* text; } cases[] = {
      {"empty", ""},
      {"letter", "x007 2 3 1A (0) ROSSI (4)  (-1) CE:12\n"},
      {"day7", "0007 7 3 1A (0) ROSSI (4)  (-1) CE:12\n"},
      {"hour12", "0007 2 12 1A (0) ROSSI (4)  (-1) CE:12\n"},
      {"dayneg", "0007 -1 3 1A (0) ROSSI (4)  (-1) CE:12\n"},
      {"nobrace", "0007 2 3 1A 0 ROSSI (4)  (-1) CE:12\n"},
      {"noce", "0007 2 3 1A (0) ROSSI (4)  (-1)\n"},
      {"longname", "0007 2 3 1A (0) ABCDEFGHIJKLMNOPQRSTUVWXYZ (4)  (-1) CE:12\n"},
      {"index", "0007 2 3 1A (0) ROSSI (99999999)  (-1) CE:12\n"},
      {"trail", "0007 2 3 1A (0) ROSSI (4)  (-1) CE:12 junk\n"},
      {"cut", "0007 2 3 1A (0) ROS"},
      {"stzm", "0007 2 3 1A (0) ROSSI (4)  (-1) CE:12 STZM:AULA\n"},
  };
  for (const Case& c : cases) {
    SaveLine l;
    EXPECT_FALSE(parse_save_line(c.text, l)) << c.id;
  }
}

TEST(SaveLineParse, CarriageReturnAndLetter) {
  SaveLine l;
  ASSERT_TRUE(parse_save_line("0012S 0 0 sAA (9) BIANCHI (1)  (-1) CE:0\r\n", l));
  EXPECT_EQ(l.pseudo_letter, 'S');
  EXPECT_EQ(l.class_index, 9);
  EXPECT_EQ(save_line_pseudo_letter("0012S 0 0 x"), 'S');
  EXPECT_EQ(save_line_pseudo_letter("0012 0 0 x"), 0);
  EXPECT_EQ(save_line_pseudo_letter("nospace"), 0);
}

}  // namespace
