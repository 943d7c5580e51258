// Stand-ins for the solver's placement operations in the engine tests: the
// grid rebuild counts its calls, the random placement puts each unplaced
// lesson into the first slot where it clashes with nothing. The fixture's
// own test checks the small school it builds.
#include <gtest/gtest.h>

#include "engine/placement_check.h"
#include "save_test_fixture.h"

int g_test_rebuild_calls = 0;
int g_test_gap_answer = 0;  // what the class gap check answers

std::uint32_t or_rebuild_grids_and_evaluate() {
  ++g_test_rebuild_calls;
  return 0;
}
void or_rebuild_class_grids() {}
void or_rebuild_teacher_grids() {}
void or_rebuild_slot_index() {}
int or_any_class_has_gap() { return g_test_gap_answer; }
std::uint32_t or_teacher_penalty(int) { return 0; }

int or_place_remaining_randomly(int, int) {
  SlotOccupancy occupancy;
  occupancy.add_all_placed();
  int tried = 0;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    if (or_lesson_placed(i)) continue;
    ++tried;
    for (int s = 0; s < kWeekSlots && !or_lesson_placed(i); ++s) {
      int d = s / kHoursPerDay, h = s % kHoursPerDay;
      if (!or_slot_in_week(d, h) || occupancy.clash_at(i, d, h) >= 0) continue;
      or_place_lesson_everywhere(i, d, h);
      occupancy.add(i);
    }
  }
  return tried;
}

namespace {

TEST(SaveFixture, SmallSchoolIsWholeAndClashFree) {
  save_test::SmallSchool school;
  EXPECT_EQ(g_eng_school.lesson_count, 60);
  EXPECT_STREQ(g_eng_teachers[3].name, "Calendario-1A");
  EXPECT_STREQ(g_eng_teachers[4].name, "Calendario-1B");
  EXPECT_EQ(g_eng_classes[school.c1a].lesson_count, 30);
  EXPECT_EQ(or_first_misplaced_lesson(true), -1);
  EXPECT_EQ(g_eng_teachers[school.verdi].lesson_hours, 2);  // one own lesson, one assisted
  EXPECT_EQ(g_eng_teachers[school.rossi].lesson_count, 3);
}

}  // namespace
