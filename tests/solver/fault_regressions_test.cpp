// Paths of the solver that a planted fault once passed unseen, each on a
// small description loaded through the engine's own loader (or_main,
// "SYNT:"): the class-off hours of a teacher's second class stay with that
// class. Hours count from 0; the week is five days of six hours.
#include <gtest/gtest.h>

#include <string>

#include "engine/loader_harness.h"
#include "engine/presolve.h"
#include "eval2_mini_school.h"
#include "school_fixture.h"
#include "solver/constraint_parameter_fill.h"

namespace {

void load(const std::string& lines) {
  loader_test::Outcome outcome = loader_test::run_synt(std::string(loader_test::kWeek) + lines);
  ASSERT_EQ(outcome.code, 0) << outcome.message;
  reset_run_state();
  g_provisional_mode = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].weight = 1;
  for (int c = 0; c < g_eng_school.class_count; ++c) g_eng_classes[c].weight = 1;
}

// Places the lessons in table order at (day, hour) pairs.
void place(std::initializer_list<std::pair<int, int>> slots) {
  or_assign_class_buildings(0);
  int l = 0;
  for (const auto& [day, hour] : slots) {
    g_eng_lessons[l].day = static_cast<std::uint8_t>(day);
    g_eng_lessons[l].hour = static_cast<std::uint8_t>(hour);
    ++l;
  }
  rebuild_mini_school();
}

TEST(SolverFaults, ClassOffHoursOfTheSecondClassStayWithIt) {
  // One line: 1A is off on Monday hours 1-2, 2A on Tuesday hours 1-2.
  struct Case {
    const char* id;
    std::pair<int, int> first, second;  // 1A's and 2A's lesson
    std::int64_t expected;              // forbidden hours taken (35)
  } cases[] = {
      {"each on the other's day", {1, 0}, {0, 0}, 0},
      {"1A on its own off hour", {0, 1}, {0, 0}, 1},
      {"2A on its own off hour", {1, 0}, {1, 1}, 1},
      {"both", {0, 0}, {1, 0}, 2},
  };
  for (const Case& c : cases) {
    load("GM:MAT\t\nROSSI\t1A 1 KOP:LU:1-2\t2A 1 KOP:MA:1-2\t\n");
    place({c.first, c.second});
    or_reset_constraint_parameters();
    or_prepare_constraint_parameters();
    EXPECT_EQ(delta_of(35, 0), c.expected) << c.id;
  }
  reset_run_state();
}

}  // namespace
