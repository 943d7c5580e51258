// Pre-solve preparation on small models, values worked out by hand.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/presolve.h"
#include "save_test_fixture.h"

namespace {

void set_band(BandTable& band, std::initializer_list<std::pair<int, int>> pairs) {
  band.count = 0;
  for (auto [a, b] : pairs) {
    band.pairs[band.count][0] = static_cast<std::int8_t>(a);
    band.pairs[band.count++][1] = static_cast<std::int8_t>(b);
  }
}

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

TEST(PrepDerived, GapDaysFromMaxbudayper) {
  struct Case { int per, first, second; } cases[] = {{2, 2, 0}, {3, 2, 1}, {4, 2, 2}, {5, 5, 0}, {6, 5, 1}, {7, 5, 2}};
  for (const Case& c : cases) {
    int t = one_teacher(4);
    g_eng_teachers[t].maxbudayper = static_cast<std::int8_t>(c.per);
    or_prepare_model_for_solving();
    const std::int8_t* v = g_eng_teachers[t].gap_day_values;
    EXPECT_EQ((std::vector<int>{v[0], v[1]}), (std::vector<int>{c.first, c.second})) << c.per;
  }
}

TEST(PrepDerived, DailyLimitsFromBandsAndOwnValues) {
  // presenza, insegna 255: not given. Bands for 12 weekly hours: pairs (10,4)/(14,5) and (12,4).
  struct Case { const char* id; int presenza, insegna; bool bands; int presence, teaching; } cases[] = {
      {"nothing", 255, 255, false, 99, 99}, {"bands", 255, 255, true, 5, 4}, {"own", 6, 3, true, 6, 3},
  };
  for (const Case& c : cases) {
    int t = one_teacher(12);
    g_eng_teachers[t].presenza = static_cast<std::uint8_t>(c.presenza);
    g_eng_teachers[t].insegna = static_cast<std::uint8_t>(c.insegna);
    if (c.bands) {
      set_band(g_eng_school.ihpresenza, {{10, 4}, {14, 5}});
      set_band(g_eng_school.ihinsegna, {{12, 4}, {18, 5}});
    }
    or_prepare_model_for_solving();
    const EngineTeacher& x = g_eng_teachers[t];
    EXPECT_EQ((std::vector<int>{x.max_presence_per_day, x.max_teaching_per_day}), (std::vector<int>{c.presence, c.teaching}))
        << c.id;
  }
}

TEST(PrepDerived, GapToleranceAndWorkingDays) {
  int t = one_teacher(16);
  set_band(g_eng_school.ihbuche, {{10, 1}, {18, 3}});
  set_band(g_eng_school.iggiorni, {{12, 3}, {18, 5}});
  g_eng_teachers[t].buk[0] = 1;
  or_prepare_model_for_solving();
  const EngineTeacher& x = g_eng_teachers[t];
  // Gap tolerance: band 3 for 16 hours, plus BUK 1.
  EXPECT_EQ((std::vector<int>{x.gap_tolerance, x.min_working_days, x.max_working_days}), (std::vector<int>{4, 5, 5}));
  for (int i = 0; i < g_eng_school.lesson_count; ++i) EXPECT_EQ(g_eng_lessons[i].day_limit, 5);
}

// The fewest hours a teaching day holds: the school's band for the weekly
// hours or the teacher's own value, then lowered by a day whose allowed
// hours or own hour count are fewer, by a map of consecutive hours of a
// one-class teacher, by too few days at that rate, and by GL hours.
TEST(PrepDerived, MinimumDailyHoursFromTheBandAndWhatLowersIt) {
  struct Case {
    const char* id;
    int own, ov, allowed_on_monday, gl;
    const char* map;
    bool band;
    int minimum;
  } cases[] = {
      // 12 hours on five days at least: a rate of 3 or more leaves too few
      // days, one hour less is asked.
      {"no band", 0, 0, -1, 0, "", false, 0},     {"band", 0, 0, -1, 0, "", true, 2},
      {"own", 2, 0, -1, 0, "", true, 2},          {"own, too few days", 4, 0, -1, 0, "", true, 3},
      {"own 6", 6, 0, -1, 0, "", true, 5},        {"own day count", 4, 2, -1, 0, "", true, 2},
      {"allowed hours", 4, 0, 1, 0, "", true, 1}, {"map", 4, 0, -1, 0, "21", true, 1},
      {"GL hours", 4, 0, -1, 2, "", true, 2},
  };
  for (const Case& c : cases) {
    int t = one_teacher(12);
    EngineTeacher& x = g_eng_teachers[t];
    if (c.band) set_band(g_eng_school.ihminimo, {{10, 1}, {18, 3}});
    x.insegnamin = static_cast<std::uint8_t>(c.own);
    x.ov[1] = static_cast<std::int8_t>(c.ov);
    x.gl_hours = static_cast<std::int8_t>(c.gl);
    if (c.allowed_on_monday >= 0) {
      std::memset(x.forbidden_hours, 0, kWeekSlots);
      for (int h = c.allowed_on_monday; h < 6; ++h) x.forbidden_hours[h] = 1;
    }
    std::snprintf(g_eng_lessons[0].consecutive_maps[0], 13, "%s", c.map);
    or_prepare_model_for_solving();
    EXPECT_EQ(x.min_hours_per_day, c.minimum) << c.id;
  }
}

// Block bands ("GRUPPIOREMAX:" pairs of block length and count) too small
// for the teacher's hours in one class are raised, count by count, until
// the week holds those hours: the blocks counted, and each other working
// day one block less than the shortest.
TEST(PrepDerived, BlockBandsRaisedToHoldTheHoursOfAClass) {
  struct Case {
    const char* id;
    std::vector<std::pair<int, int>> band;
    std::vector<int> counts;
  } cases[] = {{"one length", {{3, 0}}, {2}}, {"two lengths", {{2, 0}, {3, 0}}, {4, 2}}, {"enough", {{3, 4}}, {4}}};
  for (const Case& c : cases) {
    int t = one_teacher(12);
    EngineTeacher& x = g_eng_teachers[t];
    x.gruppioremax_count = static_cast<std::int8_t>(c.band.size());
    for (std::size_t p = 0; p < c.band.size(); ++p) {
      x.gruppioremax_pairs[p][0] = static_cast<std::int8_t>(c.band[p].first);
      x.gruppioremax_pairs[p][1] = static_cast<std::int8_t>(c.band[p].second);
    }
    or_prepare_model_for_solving();
    ASSERT_EQ(x.max_working_days, 5) << c.id;
    std::vector<int> counts;
    for (std::size_t p = 0; p < c.band.size(); ++p) counts.push_back(x.gruppioremax_pairs[p][1]);
    EXPECT_EQ(counts, c.counts) << c.id;
  }
}

TEST(PrepDerived, ForbiddenHoursBecomeTheAllowedComplement) {
  int t = one_teacher(6);
  EngineTeacher& x = g_eng_teachers[t];
  std::memset(x.forbidden_hours, 0, kWeekSlots);
  x.forbidden_hours[0] = x.forbidden_hours[1] = 1;  // Monday, first two hours
  for (int h = 0; h < 6; ++h) x.forbidden_hours[4 * 12 + h] = 1;  // Friday wholly
  or_prepare_model_for_solving();
  // The allowed grid is the complement within each day's six hours, the
  // forbidden grid is used up, and Friday wholly forbidden leaves four days.
  EXPECT_EQ((std::vector<int>{x.allowed_hours[0], x.allowed_hours[2], x.allowed_hours[6], x.allowed_hours_work[13],
                              x.forbidden_hours[0], g_eng_lessons[0].day_limit, g_eng_lessons[0].slot_limit}),
            (std::vector<int>{0, 1, 0, 1, 255, 4, 30 - 8}));
}

TEST(PrepDerived, TeknoShareOfTeachers) {
  save_test::reset_school();
  for (int i = 0; i < 50; ++i) save_test::add_teacher(("T" + std::to_string(i)).c_str());
  g_eng_school.tekno[0] = 20;
  std::snprintf(g_eng_school.tekno_text, kNameSize, "2 5");
  or_prepare_model_for_solving();
  const std::uint8_t* days = g_eng_run.tekno_day_exclusion;
  EXPECT_EQ((std::vector<int>{g_eng_school.tekno[0], days[1], days[2], days[5]}), (std::vector<int>{40, 1, 0, 0}));
}

// With graded technical teachers asked for, the run counts the teachers
// given a grade; a class's calendar teacher always gets grade 1 and is not
// counted.
TEST(PrepDerived, TeknoGradedTeachersAreCounted) {
  save_test::reset_school();
  int k = save_test::add_class("1A");
  int grades[] = {2, 0, 1, 3};
  const char* names[] = {"T0", "T1", "T2", "Calendario-1A"};
  for (int i = 0; i < 4; ++i) {
    int t = save_test::add_teacher(names[i]);
    g_eng_teachers[t].tekgrado[0] = std::int8_t(grades[i]);
  }
  g_eng_teachers[3].calendar_class = k;
  g_eng_school.tekno[1] = 1;
  g_eng_run.tekgrado_teacher_count = -1;
  or_prepare_model_for_solving();
  EXPECT_EQ(g_eng_run.tekgrado_teacher_count, 2);
  EXPECT_EQ(g_eng_teachers[3].tekgrado[0], 1);
  EXPECT_EQ(g_eng_teachers[1].tekgrado[0], 0);
}

TEST(PrepDerived, ConsecutiveMapsBecomeRows) {
  // Maps of up to seven blocks become rows; an eighth block is refused.
  for (const char* map : {"21", "1111111", "11111111"}) {
    one_teacher(2);
    std::snprintf(g_eng_lessons[0].consecutive_maps[0], 13, "%s", map);
    if (std::string(map).size() > 7) {
      EXPECT_THROW(or_prepare_model_for_solving(), EngineError) << map;
      continue;
    }
    or_prepare_model_for_solving();
    const std::uint8_t* row = g_eng_classes[0].consecutive_rows[0][0];
    EXPECT_EQ((std::vector<int>{row[0], row[1]}), (std::vector<int>{map[0] - '0', map[1] - '0'})) << map;
  }
}

TEST(PrepDerived, ClassTalliesAndTheirCheck) {
  save_test::SmallSchool school;
  or_prepare_model_for_solving();
  // Mathematics, physics, the calendar subject; ROSSI, BIANCHI and
  // Calendario-1A with one line each.
  const EngineClass& k = g_eng_classes[school.c1a];
  EXPECT_EQ((std::vector<int>{k.tally_count, k.tally_hours[0], k.triple_count}), (std::vector<int>{3, 2, 3}));
  save_test::SmallSchool again;
  g_eng_lessons[1].day = 5;  // placed on a day the week does not have
  EXPECT_THROW(or_prepare_model_for_solving(), EngineError);
  save_test::SmallSchool unplaced;
  save_test::place(1, -1, 0);  // before a timetable is placed nothing is compared
  EXPECT_NO_THROW(or_prepare_model_for_solving());
}

TEST(PrepDerived, ClassBuildings) {
  save_test::SmallSchool school;
  g_eng_school.building_count = 2;  // section A in the first, class 1B in the second
  std::snprintf(g_eng_buildings[0].name, kNameSize, "CENTRALE");
  std::snprintf(g_eng_buildings[0].sections[g_eng_buildings[0].section_count++], kClassCodeSize, "A");
  std::snprintf(g_eng_buildings[1].name, kNameSize, "SUCCURSALE");
  std::snprintf(g_eng_buildings[1].classes[g_eng_buildings[1].class_count++], kClassCodeSize, "1B");
  for (int i = 0; i < g_eng_school.lesson_count; ++i) g_eng_lessons[i].building = -1;
  or_assign_class_buildings(0);
  EXPECT_EQ((std::vector<int>{g_eng_classes[school.c1a].building, g_eng_classes[school.c1b].building,
                              g_eng_lessons[2].building}),
            (std::vector<int>{0, 1, 1}));
  g_eng_buildings[1].class_count = 0;
  EXPECT_THROW(or_assign_class_buildings(0), EngineError);
  EXPECT_NE(std::string(g_status.message).find("Errore di configurazione [Manca sede per classe"), std::string::npos);
}

}  // namespace
