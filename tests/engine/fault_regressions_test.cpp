// Paths of the engine that a planted fault once passed unseen.
//
// Daily limit of a teacher in a class with class-off hours ("KOP:"): the
// line's lessons spread over the days the class is not off, so the daily
// value is at least their count over those days; off every day, it stays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/presolve.h"
#include "engine/week_grid_access.h"
#include "loader_harness.h"
#include "save_test_fixture.h"

namespace {

// The daily value of teacher t in the class with this code, -1 when the
// teacher does not teach there.
int daily_value(int t, const char* code) {
  const EngineTeacher& x = g_eng_teachers[t];
  for (int k = 0; k < x.class_count && k < kWeekSlots; ++k) {
    int c = x.class_indexes[k];
    if (c >= 0 && std::string(g_eng_classes[c].code) == code) return x.per_class_daily[k];
  }
  return -1;
}

TEST(EngineFaults, ClassOffHoursRaiseTheDailyValueByTheDaysLeft) {
  struct Case {
    const char* id;
    const char* items;  // class-off items of Rossi's 1A line (4 hours)
    int expected;       // Rossi's daily value in 1A
    const char* own = "";  // Rossi's constraint line
    int other = 1;         // his daily value in 2A (2 hours)
  } cases[] = {
      {"none", "", 1},                                        // 4 hours over 5 days
      {"one day left", "KOP:LU:1-6MA:1-6ME:1-6GI:1-6", 4},    // all on Friday
      {"two days left", "KOP:LU:1-6MA:1-6ME:1-6", 2},         // 4 hours over 2 days
      {"part of a day", "KOP:LU:1-6MA:1-6ME:1-6GI:1-5", 2},   // Thursday keeps an hour
      {"every day", "KOP:X:1-6", 1},                          // no day left: unchanged
      {"one working day", "", 4, "V:\tROSSI\tGMAX:1\t\n", 2},  // all on his one day
  };
  for (const Case& c : cases) {
    std::string line = std::string("ROSSI\t1A 4 ") + c.items + "\t2A 2\t\n" + c.own;
    loader_test::Outcome outcome = loader_test::run_synt(std::string(loader_test::kWeek) + "GM:MAT\t\n" + line);
    ASSERT_EQ(outcome.code, 0) << c.id << ": " << outcome.message;
    or_prepare_model_for_solving();
    int t = engine_test::teacher_index("ROSSI");
    ASSERT_GE(t, 0) << c.id;
    EXPECT_EQ(daily_value(t, "1A"), c.expected) << c.id;
    EXPECT_EQ(daily_value(t, "2A"), c.other) << c.id;  // the other class keeps its value
  }
}

// In a school of two buildings a support hour shows the building of the
// class it supports; any other hour shows its own class's building.
TEST(EngineFaults, SupportCellsShowTheSupportedClassesBuilding) {
  struct Case {
    const char* id;
    int marker;     // 0 a lesson, 1 stand-by, 2 support
    int supported;  // class supported, -1 none
    char building;
  } cases[] = {
      {"support of 2A", 2, 1, 'S'},
      {"support of nobody", 2, -1, 'C'},
      {"stand-by naming 2A", 1, 1, 'C'},
      {"lesson", 0, -1, 'C'},
  };
  for (const Case& c : cases) {
    save_test::reset_school();
    int a = save_test::add_class("1A"), b = save_test::add_class("2A");
    g_eng_school.building_count = 2;
    std::snprintf(g_eng_buildings[0].name, sizeof g_eng_buildings[0].name, "CENTRO");
    std::snprintf(g_eng_buildings[1].name, sizeof g_eng_buildings[1].name, "SUCCURSALE");
    g_eng_classes[a].building = 0;
    g_eng_classes[b].building = 1;
    int rossi = save_test::add_teacher("ROSSI");
    int l = save_test::add_lesson(rossi, a, save_test::add_subject("SOSTEGNO"));
    g_eng_lessons[l].standby_marker = static_cast<std::uint8_t>(c.marker);
    or_set_lesson_supported_class(l, c.supported);
    or_count_hours(0);
    save_test::place(l, 2, 3);
    WeekGridCell grid[kWeekSlots];
    ASSERT_EQ(or_fill_week_grid(kGridTeacher, "ROSSI", grid), rossi) << c.id;
    EXPECT_EQ(grid[2 * kHoursPerDay + 3].building_code, c.building) << c.id;
  }
}

}  // namespace
