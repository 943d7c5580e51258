// Pre-solve preparation of the gap-day limits and of the consecutive-hour
// maps, on small models, values worked out by hand: the school's gap-day
// values reaching every teacher without his own, a teacher's own value
// overriding them; a lesson's main map losing the hours its part's map
// already names before both become rows.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/presolve.h"
#include "save_test_fixture.h"

namespace {

// One class, one teacher with `lessons` lessons placed over the week.
int one_teacher(int lessons) {
  save_test::reset_school();
  int k = save_test::add_class("1A");
  int s = save_test::add_subject("ITALIANO");
  int t = save_test::add_teacher("ROSSI");
  for (int i = 0; i < lessons; ++i) save_test::place(save_test::add_lesson(t, k, s), i / 6, i % 6);
  or_count_hours(0);
  return t;
}

TEST(PrepGapDays, TheSchoolsValuesUnlessTheTeacherHasHisOwn) {
  // School MAXBUDAY first and second value, teacher MAXBUDAYPER (0 none).
  struct Case { int school0, school1, own, first, second; } cases[] = {
      {0, 0, 0, 0, 0}, {2, 1, 0, 2, 1}, {2, 3, 0, 2, 3}, {1, 3, 0, 1, 0}, {0, 2, 0, 0, 0},
      {2, 1, 2, 2, 1}, {2, 1, 5, 5, 1}, {0, 4, 5, 5, 0}, {2, 1, 3, 2, 1}, {2, 1, 4, 2, 2},
      {3, 2, 6, 5, 1}, {3, 2, 7, 5, 2}, {2, 2, 1, 2, 2}, {2, 2, 8, 2, 2},
  };
  for (const Case& c : cases) {
    int t = one_teacher(4);
    g_eng_school.maxbuday[0] = static_cast<std::int8_t>(c.school0);
    g_eng_school.maxbuday[1] = static_cast<std::int8_t>(c.school1);
    g_eng_teachers[t].maxbudayper = static_cast<std::int8_t>(c.own);
    or_prepare_model_for_solving();
    const std::int8_t* v = g_eng_teachers[t].gap_day_values;
    EXPECT_EQ((std::vector<int>{v[0], v[1]}), (std::vector<int>{c.first, c.second}))
        << c.school0 << "-" << c.school1 << " own " << c.own;
  }
}

TEST(PrepConsecutiveMaps, TheMainMapLosesWhatItsPartsMapNames) {
  struct Case {
    const char *main, *part;
    std::vector<int> main_row, part_row;
  } cases[] = {
      {"2211", "22", {1, 1, 0}, {2, 2, 0}},
      {"21", "3", {2, 1, 0}, {3, 0, 0}},
      {"3", "21", {3, 0, 0}, {2, 1, 0}},
      {"111", "111", {0, 0, 0}, {1, 1, 1}},
      {"1212", "121", {2, 0, 0}, {1, 2, 1}},
      {"221", "", {2, 2, 1}, {0, 0, 0}},
      {"", "22", {0, 0, 0}, {2, 2, 0}},
      {"2222222", "2222222", {0, 0, 0}, {2, 2, 2}},
  };
  for (const Case& c : cases) {
    one_teacher(3);
    std::snprintf(g_eng_lessons[0].consecutive_maps[0], 13, "%s", c.main);
    std::snprintf(g_eng_lessons[0].consecutive_maps[2], 13, "%s", c.part);
    or_prepare_model_for_solving();
    const EngineClass& k = g_eng_classes[0];
    std::vector<int> main_row(k.consecutive_rows[0][0], k.consecutive_rows[0][0] + 3);
    std::vector<int> part_row(k.consecutive_rows[1][0], k.consecutive_rows[1][0] + 3);
    EXPECT_EQ(main_row, c.main_row) << c.main << " / " << c.part;
    EXPECT_EQ(part_row, c.part_row) << c.main << " / " << c.part;
  }
}

}  // namespace
