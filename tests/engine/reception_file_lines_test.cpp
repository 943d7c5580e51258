// The reception-hours file read line by line: a teacher field that is no
// number names nobody, the candidates are taken in pairs up to fourteen, a
// pair left open at the end is dropped, Windows line ends read alike, and
// each line sets only its own teacher.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/reception_exemption_files.h"
#include "save_test_fixture.h"

namespace {

// Two teachers with a Monday lesson each, in a 5 x 6 week.
void two_teachers() {
  save_test::reset_school();
  int k = save_test::add_class("1A");
  int s = save_test::add_subject("ITALIANO");
  for (const char* name : {"ROSSI", "BIANCHI"}) save_test::place(save_test::add_lesson(save_test::add_teacher(name), k, s), 0, 1);
  or_count_hours(0);
}

// A teacher's reception day and hour, then his candidates (day, hour) until
// the first open one.
std::vector<int> reception_of(int t) {
  const EngineTeacher& x = g_eng_teachers[t];
  std::vector<int> out = {x.reset_marker, x.reset_marker == 255 ? -1 : x.reception_hour};
  for (const auto& pair : x.reset_pairs) {
    if (pair[0] == 255) break;
    out.push_back(pair[0]);
    out.push_back(pair[1]);
  }
  return out;
}

TEST(ReceptionFileLines, EachLineSetsItsOwnTeacher) {
  std::string fourteen = "1|BIANCHI|4|5|";
  std::vector<int> fourteen_want = {4, 5};
  for (int i = 0; i < 16; ++i) {
    fourteen += std::to_string(i % 5) + "|" + std::to_string(i % 6) + "|";
    if (i < 14) {
      fourteen_want.push_back(i % 5);
      fourteen_want.push_back(i % 6);
    }
  }
  struct Case {
    const char* id;
    std::string text;
    std::vector<int> rossi, bianchi;
  } cases[] = {
      {"both", "0|ROSSI|1|3|2|4|\n1|BIANCHI|3|2|\n", {1, 3, 2, 4}, {3, 2}},
      {"no number", "x|ROSSI|1|3|\n1|BIANCHI|2|2|\n", {255, -1}, {2, 2}},
      {"empty teacher", "|ROSSI|1|3|\n", {255, -1}, {255, -1}},
      {"number then text", "1x|BIANCHI|1|3|\n", {255, -1}, {1, 3}},
      {"open pair", "0|ROSSI|1|3|2|4|3|\n", {1, 3, 2, 4}, {255, -1}},
      {"windows ends", "0|ROSSI|0|5|4|0|\r\n1|BIANCHI|4|5|\r\n", {0, 5, 4, 0}, {4, 5}},
      {"fourteen candidates", fourteen + "\n", {255, -1}, fourteen_want},
      {"later line wins", "0|ROSSI|1|3|\n0|ROSSI|2|4|1|1|\n", {2, 4, 1, 1}, {255, -1}},
      {"past the teachers", "2|VERDI|1|3|\n", {255, -1}, {255, -1}},
  };
  for (const Case& c : cases) {
    save_test::SchoolFolder folder;
    two_teachers();
    for (int t = 0; t < 2; ++t) {
      g_eng_teachers[t].reset_marker = 255;
      for (auto& p : g_eng_teachers[t].reset_pairs) p[0] = 255;
    }
    folder.write("ricevi.txt", c.text);
    EXPECT_EQ(or_read_reception_slots(), 0) << c.id;
    EXPECT_EQ(reception_of(0), c.rossi) << c.id;
    EXPECT_EQ(reception_of(1), c.bianchi) << c.id;
  }
}

}  // namespace
