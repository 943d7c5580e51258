// The car-share rule (30) at its less common shapes, on descriptions loaded
// through the engine's loader: the teacher with fewer weekly hours rides
// whichever of the two names the other, the wait widens the driver's day by
// one hour before its first lesson or, when that is the day's first hour,
// after its last, and a day either of them is free is skipped. Hours count
// from 0; the week is five days of six hours.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/loader_harness.h"
#include "engine/presolve.h"
#include "eval2_mini_school.h"
#include "solver/constraint_parameter_fill.h"
#include "solver/cost_evaluation.h"

namespace {

int teacher_named(const char* name) {
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (std::string(g_eng_teachers[t].name) == name) return t;
  return -1;
}

struct Lessons {
  int count;
  std::vector<std::pair<int, int>> slots;  // (day, hour) of each, in line order
};

TEST(CarShare, TheTeacherWithFewerHoursRidesInTheOthersDay) {
  struct Case {
    const char* id;
    const char* owner;  // who names the other with "CARSHARE:"
    int wait;
    Lessons rossi, verdi;
    std::int64_t expected;  // the owner's count of rule 30
  } cases[] = {
      // ROSSI (2 hours) rides in VERDI's Monday 1-3: his hours 4 and 5 fall outside.
      {"rider names the driver", "ROSSI", 0, {2, {{0, 4}, {0, 5}}}, {4, {{0, 1}, {0, 2}, {0, 3}, {1, 0}}}, 2},
      {"driver names the rider", "VERDI", 0, {2, {{0, 4}, {0, 5}}}, {4, {{0, 1}, {0, 2}, {0, 3}, {1, 0}}}, 2},
      // Within the driver's day nothing is charged, free hours between included.
      {"inside the frame", "ROSSI", 0, {2, {{0, 1}, {0, 3}}}, {4, {{0, 0}, {0, 2}, {0, 4}, {1, 0}}}, 0},
      // A day the rider or the driver is free is skipped.
      {"driver free that day", "ROSSI", 0, {2, {{2, 0}, {2, 5}}}, {4, {{0, 1}, {0, 2}, {0, 3}, {1, 0}}}, 0},
      // The wait takes the hour before the driver's first lesson (here 0).
      {"wait before", "ROSSI", 0, {2, {{0, 0}, {0, 5}}}, {4, {{0, 1}, {0, 2}, {0, 3}, {1, 0}}}, 2},
      {"wait before, waiting", "ROSSI", 1, {2, {{0, 0}, {0, 5}}}, {4, {{0, 1}, {0, 2}, {0, 3}, {1, 0}}}, 1},
      // A driver who starts at the day's first hour: the hour after his last.
      {"wait after, waiting", "ROSSI", 2, {2, {{0, 4}, {0, 5}}}, {4, {{0, 0}, {0, 1}, {0, 2}, {0, 3}}}, 1},
      {"wait after", "ROSSI", 0, {2, {{0, 4}, {0, 5}}}, {4, {{0, 0}, {0, 1}, {0, 2}, {0, 3}}}, 2},
      // Equal hours: the teacher evaluated drives, so VERDI's day outside ROSSI's counts.
      {"equal hours", "ROSSI", 0, {3, {{0, 2}, {0, 3}, {1, 0}}}, {3, {{0, 0}, {0, 3}, {0, 5}}}, 2},
  };
  for (const Case& c : cases) {
    std::string other = std::string(c.owner) == "ROSSI" ? "VERDI" : "ROSSI";
    std::string lines = "GM:MAT\t\nROSSI\t1A " + std::to_string(c.rossi.count) + "\t\nVERDI\t2A " +
                        std::to_string(c.verdi.count) + "\t\nV:\t" + c.owner + "\tCARSHARE:" + other + ":" +
                        std::to_string(c.wait) + "\t\n";
    loader_test::Outcome outcome = loader_test::run_synt(std::string(loader_test::kWeek) + lines);
    ASSERT_EQ(outcome.code, 0) << c.id << ": " << outcome.message;
    reset_run_state();
    g_provisional_mode = 0;
    or_prepare_model_for_solving();
    for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].weight = 1;
    std::vector<std::pair<int, int>> all = c.rossi.slots;
    all.insert(all.end(), c.verdi.slots.begin(), c.verdi.slots.end());
    or_assign_class_buildings(0);
    for (std::size_t l = 0; l < all.size(); ++l) {
      g_eng_lessons[l].day = static_cast<std::uint8_t>(all[l].first);
      g_eng_lessons[l].hour = static_cast<std::uint8_t>(all[l].second);
    }
    rebuild_mini_school();
    or_prepare_constraint_parameters();
    int owner = teacher_named(c.owner);
    EXPECT_EQ(delta_of(30, owner), c.expected) << c.id;
    // The other names nobody: nothing of his own to count.
    EXPECT_EQ(delta_of(30, teacher_named(other.c_str())), 0) << c.id;
    or_evaluate_all_constraints(0);
    EXPECT_EQ(static_cast<std::int64_t>(ConstraintStats[30].count), c.expected) << c.id;
  }
  reset_run_state();
}

}  // namespace
