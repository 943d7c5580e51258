// The sweep of graded teachers' lessons ("TEKGRADO:" teachers, exchanged
// with a class calendar's last hours): on a school without a class calendar
// it finds no lesson to exchange with, keeps nothing, says so (the search
// then files the cycle as one that kept nothing) and leaves the week as it
// was.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "bundled_schools.h"
#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/neighbourhood_moves.h"
#include "solver/placement_state.h"
#include "solver/solver_state.h"

namespace fs = std::filesystem;

namespace {

TEST(FlaggedSweep, WithoutACalendarClassNothingIsKeptAndTheWeekStays) {
  std::unique_ptr<SchoolCopy> school = bundled_copy(kBundledWeeks[0]);
  fs::path old = fs::current_path();
  fs::current_path(school->folder());
  g_status.clear();
  const char* argv[] = {"Questo non serve", "SNOD:scuola2.txt", "NEDE", nullptr};
  ASSERT_EQ(or_main(1, 3, argv), 0) << g_status.message;
  int graded = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) graded += g_eng_teachers[t].tekgrado[1] != 0 ? 1 : 0;
  ASSERT_GT(graded, 0) << "a bundle grades its teacher";
  std::vector<std::uint16_t> before;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) before.push_back(lesson_place(l));
  EXPECT_EQ(or_sweep_flagged_teacher_pairs(), 0);
  EXPECT_EQ(or_sweep_flagged_teacher_pairs(), 0);
  std::vector<std::uint16_t> after;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) after.push_back(lesson_place(l));
  EXPECT_EQ(after, before);
  fs::current_path(old);
  reset_run_state();
}

}  // namespace
