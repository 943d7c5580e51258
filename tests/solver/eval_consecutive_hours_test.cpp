// Consecutive hours of a teaching line in a hand-placed class: the Part's
// worked pattern (wanted 2, 2, 1 against days of 2, 1, 1) through the model,
// the alternative pattern, laboratory lines apart from ordinary ones, and
// the map reader.
//
// The class is placed by hand, so no randomness is involved.
#include <gtest/gtest.h>

#include <cstring>

#include "school_fixture.h"
#include "solver/consecutive_hours_constraints.h"
#include "solver/constraint_catalogue.h"
#include "solver/placement_state.h"

namespace {

std::uint16_t at(int day, int hour) { return static_cast<std::uint16_t>(day | (hour << 8)); }

// One class, teacher 0 with five lessons of one line, teacher 1 with one.
void build_line(std::initializer_list<std::uint16_t> places, const char* map, const char* alternative) {
  SchoolSpec spec;
  spec.classes = 1;
  spec.lessons_per_class = 6;
  spec.teachers = 2;
  spec.lab_lessons_per_class = 0;
  build_school(spec, 1);
  int l = 0;
  for (std::uint16_t p : places) set_lesson_place(l++, p);
  set_lesson_place(5, at(3, 0));
  std::strcpy(g_eng_lessons[0].consecutive_maps[0], map);
  std::strcpy(g_eng_lessons[0].consecutive_maps[1], alternative);
  or_rebuild_slot_index();
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
}

TEST(EvalConsecutiveHours, WorkedPattern) {
  // Days of 2, 1 and 2 consecutive hours against 2, 2, 1: exact.
  build_line({at(0, 0), at(0, 1), at(1, 0), at(2, 0), at(2, 1)}, "221", "");
  EXPECT_EQ(or_delta_consecutive_hours(0), 0);
  // Wednesday's two hours apart: days of 2, 1, 1: distance 1.
  build_line({at(0, 0), at(0, 1), at(1, 0), at(2, 0), at(2, 2)}, "221", "");
  ConstraintStats[80].weight = 3;
  EXPECT_EQ(or_delta_consecutive_hours(0), 3);
  EXPECT_EQ(or_full_consecutive_hours(), 3);
  EXPECT_EQ(ConstraintStats[80].count, 1u);
  // The alternative 2, 1, 1 matches exactly.
  build_line({at(0, 0), at(0, 1), at(1, 0), at(2, 0), at(2, 2)}, "221", "211");
  EXPECT_EQ(or_delta_consecutive_hours(0), 0);
  // No map: nothing wanted.
  build_line({at(0, 0), at(1, 0), at(2, 0), at(3, 1), at(4, 0)}, "", "");
  EXPECT_EQ(or_delta_consecutive_hours(0), 0);
  EXPECT_EQ(or_delta_consecutive_lab_hours(0), 0);
  reset_run_state();
}

TEST(EvalConsecutiveHours, MapReader) {
  EXPECT_EQ(blocks_of_map("321", 13).count, 3);
  EXPECT_EQ(blocks_of_map("32x1", 13).count, 2);
  EXPECT_EQ(blocks_of_map("", 13).count, 0);
}

}  // namespace
