// A teacher's week edited on the board and put back on his lessons, on the
// small test school: a lesson not yet placed takes a free cell of its own
// class in the edited grid (the placed ones keep theirs); with no such cell
// the grid is refused; the supported classes of its support hours reach
// their lessons, and no other cell gives one.
#include <gtest/gtest.h>

#include "engine/lesson_links.h"
#include "engine/week_grid_access.h"
#include "save_test_fixture.h"

using save_test::SmallSchool;

namespace {

TEST(ViewGridFit, AnUnplacedLessonTakesAFreeCellOfItsClass) {
  SmallSchool school;
  WeekGridCell grid[kWeekSlots];
  ASSERT_EQ(or_fill_week_grid(kGridTeacher, "ROSSI", grid), school.rossi);
  save_test::place(1, -1, 0);  // 1A's second hour of ROSSI taken off the week
  ASSERT_FALSE(or_lesson_placed(1));
  // The edited grid keeps 1A's cell at Monday's second hour and gives 1A
  // Wednesday's fourth hour as well: the unplaced lesson takes the first
  // free cell of 1A in week order.
  grid[2 * kHoursPerDay + 3] = grid[1];
  EXPECT_EQ(or_check_lessons_fit_grid(school.rossi, grid), 0);
  EXPECT_TRUE(or_lesson_placed(1));
  EXPECT_EQ(g_eng_lessons[1].day * 100 + g_eng_lessons[1].hour, 1);
  EXPECT_EQ(g_eng_lessons[0].day * 100 + g_eng_lessons[0].hour, 0);
  EXPECT_EQ(g_eng_lessons[2].day * 100 + g_eng_lessons[2].hour, 100);

  // Unplaced again, and no free cell of 1A left: refused, the lesson stays off.
  save_test::place(1, -1, 0);
  grid[1].class_index = school.c1b;
  grid[2 * kHoursPerDay + 3].class_index = -1;
  EXPECT_EQ(or_check_lessons_fit_grid(school.rossi, grid), -1);
  EXPECT_FALSE(or_lesson_placed(1));
}

}  // namespace

// The supported classes the board's grid gives its support hours reach their
// lessons; a cell that is no support hour (a stand-by hour, a lesson, a free
// cell the board left a class in) gives its lesson none.
TEST(ViewGridFit, OnlySupportHoursTakeTheirSupportedClass) {
  SmallSchool school;
  WeekGridCell grid[kWeekSlots];
  ASSERT_EQ(or_fill_week_grid(kGridTeacher, "ROSSI", grid), school.rossi);
  WeekGridCell& support = grid[0];      // lesson 0, Monday's first hour
  WeekGridCell& standby = grid[1];      // lesson 1, Monday's second hour
  WeekGridCell& lesson = grid[kHoursPerDay];  // lesson 2, Tuesday's first hour
  ASSERT_EQ(support.lesson, 0);
  ASSERT_EQ(standby.lesson, 1);
  ASSERT_EQ(lesson.lesson, 2);
  support.flag = 2;
  support.supported_class = school.c1b;
  standby.flag = 1;
  standby.supported_class = school.c1b;
  lesson.supported_class = school.c1b;
  WeekGridCell& free = grid[2 * kHoursPerDay];  // a free cell still naming lesson 4
  free.class_index = -1;
  free.lesson = 4;
  free.flag = 2;
  free.supported_class = school.c1b;
  or_apply_grid_support_classes(grid);
  EXPECT_EQ(or_lesson_supported_class(0), school.c1b);
  EXPECT_EQ(or_lesson_supported_class(1), -1);
  EXPECT_EQ(or_lesson_supported_class(2), -1);
  EXPECT_EQ(or_lesson_supported_class(4), -1);
}
