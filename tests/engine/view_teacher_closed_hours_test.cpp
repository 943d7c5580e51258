// A teacher's closed hours on his week as the timetable pages show it: the
// hours his line forbids ("OP:"), and, when he has exactly one free day
// ("LI:"), every hour of that day too; a teacher without forbidden hours
// shows none closed, his free day included. The small sample read by
// "RIGO:" through or_main, with ROSSI's line given forbidden hours.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/command_steps.h"
#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "engine/week_grid_access.h"
#include "orario_run_support.h"

namespace {

int run(const char* command) {
  g_command_steps = or_default_command_steps();
  g_status.clear();
  const char* argv[] = {"Questo non serve", command, nullptr};
  return or_main(1, 2, argv);
}

std::vector<int> closed(const char* teacher) {
  WeekGridCell grid[kWeekSlots];
  EXPECT_GE(or_fill_week_grid(kGridTeacher, teacher, grid), 0) << teacher;
  std::vector<int> out;
  for (int d = 0; d < 6; ++d)
    for (int h = 0; h < 5; ++h)
      if (grid[d * kHoursPerDay + h].unavailable) out.push_back(d * 10 + h + 1);
  return out;
}

TEST(ViewTeacherClosedHours, ForbiddenHoursAndTheOneFreeDay) {
  engine_test::TempDir school;
  engine_test::InFolder in(school.path());
  orario_test::piccola_with_saved_week(school, "V:\tROSSI\tLI:SA:\t", "V:\tROSSI\tLI:SA:\tOP:ME:4-5\t");
  ASSERT_EQ(run("RIGO:scuola2.txt"), 0) << g_status.message;
  // Wednesday's 4th and 5th hours, and all of Saturday (day 5).
  EXPECT_EQ(closed("ROSSI"), (std::vector<int>{24, 25, 51, 52, 53, 54, 55}));
  // BIANCHI: "OP:LU:1-2" and no free day.
  EXPECT_EQ(closed("BIANCHI"), (std::vector<int>{1, 2}));
  // RICCI: a free day ("LI:GI:") and no forbidden hours: nothing closed.
  EXPECT_EQ(closed("RICCI"), (std::vector<int>{}));
}

}  // namespace
