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

// A teacher's gap tolerance: the school's band for his weekly hours, plus his
// own BUK; a teacher who asks for no idle-free days (NOMOTOR 4) is allowed
// at least two gaps.
TEST(PrepTeacherDefaults, GapToleranceFromTheBandHisOwnAndNomotor) {
  struct Case { int band, buk, nomotor, tolerance; } cases[] = {
      {0, 0, 0, 0}, {1, 0, 0, 1}, {1, 2, 0, 3}, {0, 0, 4, 2}, {1, 0, 4, 2}, {2, 0, 4, 2}, {3, 0, 4, 3},
      {0, 1, 4, 2}, {2, 1, 4, 3}, {0, 0, 2, 0}, {1, 255, 0, 1},
  };
  for (const Case& c : cases) {
    int t = one_teacher(8);
    g_eng_school.ihbuche.count = 1;
    g_eng_school.ihbuche.pairs[0][0] = 40;
    g_eng_school.ihbuche.pairs[0][1] = static_cast<std::int8_t>(c.band);
    g_eng_teachers[t].buk[0] = static_cast<std::int8_t>(c.buk);
    g_eng_teachers[t].nomotor = static_cast<std::int8_t>(c.nomotor);
    or_prepare_model_for_solving();
    EXPECT_EQ(+g_eng_teachers[t].gap_tolerance, c.tolerance) << c.band << " " << c.buk << " " << c.nomotor;
  }
}

// The lunch pause and the weekly limit of days without a free hour: the
// school's unless the teacher has his own; NOMOTOR 2 asks for none.
TEST(PrepTeacherDefaults, LunchPauseAndNomweekDefaults) {
  struct Case { int school_pause, own_pause, nomotor, nomweek, pause0, flag; } cases[] = {
      {0, 0, 0, 0, 0, 0}, {3, 0, 0, 0, 3, 1}, {1, 0, 0, 0, 1, 0}, {3, 2, 0, 0, 2, 1},
      {0, 2, 2, 0, 2, 0}, {0, 0, 0, 3, 0, 0}, {0, 0, 2, 3, 0, 0},
  };
  for (const Case& c : cases) {
    int t = one_teacher(8);
    for (int k = 0; k < 4; ++k) g_eng_school.pausamensa[k] = k == 3 ? c.school_pause : 4 + k;
    g_eng_teachers[t].pausameper[0] = static_cast<std::int8_t>(c.own_pause);
    g_eng_teachers[t].nomotor = static_cast<std::int8_t>(c.nomotor);
    g_eng_teachers[t].nomweek = static_cast<std::int8_t>(c.nomweek);
    or_prepare_model_for_solving();
    const EngineTeacher& x = g_eng_teachers[t];
    ASSERT_GE(+x.max_working_days, 1);
    int want_nomweek = c.nomweek >= 1 ? c.nomweek : c.nomotor == 2 ? 0 : x.max_working_days + 1;
    EXPECT_EQ(+x.nomweek, want_nomweek) << c.nomotor << " " << c.nomweek;
    if (c.own_pause < 1) {
      EXPECT_EQ((std::vector<int>{x.pausameper[0], x.pausameper[1], x.pausameper[2], x.pausameper[3]}),
                (std::vector<int>{4, 5, 6, c.school_pause}));
    } else {
      EXPECT_EQ(+x.pausameper[0], c.own_pause);
    }
    EXPECT_EQ(+g_eng_school.lunch_pause_flag, c.school_pause >= 2 ? 1 : 0) << c.school_pause;
  }
}

// The teacher's contract hours less the school's BUDIME, never below zero.
TEST(PrepTeacherDefaults, ContractLessBudime) {
  struct Case { int contract, budime, less; } cases[] = {{18, 0, 18}, {18, 2, 16}, {1, 3, 0}, {0, 0, 0}, {5, 5, 0}};
  for (const Case& c : cases) {
    int t = one_teacher(8);
    g_eng_teachers[t].contract_values[0] = static_cast<std::int8_t>(c.contract);
    g_eng_school.budime = c.budime;
    or_prepare_model_for_solving();
    EXPECT_EQ(+g_eng_teachers[t].contract_less_budime, c.less) << c.contract << " " << c.budime;
  }
}

}  // namespace
