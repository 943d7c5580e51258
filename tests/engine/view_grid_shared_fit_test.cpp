// A lab lesson's week edited on the board and put back: only the lessons of
// the teacher that the same second teacher assists in the same room are
// fitted to the edited grid (a lesson off the week takes the first free cell
// of its class; the placed ones keep theirs); another assistant, another
// room or no assistant leaves a lesson where it is; with no free cell of its
// class the grid is refused. On the small test school: BIANCHI's 1B lesson
// with VERDI (Monday's first hour) and his 1A lesson alone (Wednesday's
// fourth hour), both in their class's room.
#include <gtest/gtest.h>

#include "engine/lesson_links.h"
#include "engine/week_grid_access.h"
#include "save_test_fixture.h"

using save_test::SmallSchool;

namespace {

int where(int lesson) { return or_lesson_placed(lesson) ? g_eng_lessons[lesson].day * 100 + g_eng_lessons[lesson].hour : -1; }

class ViewGridSharedFit : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(or_fill_week_grid(kGridTeacher, "BIANCHI", grid_), school_.bianchi);
    ASSERT_EQ(grid_[0].class_index, school_.c1b);
    // The edited grid: 1B's cell of Monday's first hour copied to Thursday's
    // third, the lessons taken off the week.
    grid_[3 * kHoursPerDay + 2] = grid_[0];
    save_test::place(3, -1, 0);
    save_test::place(4, -1, 0);
    ASSERT_FALSE(or_lesson_placed(3));
    ASSERT_FALSE(or_lesson_placed(4));
  }
  SmallSchool school_;
  WeekGridCell grid_[kWeekSlots];
};

TEST_F(ViewGridSharedFit, OnlyTheAssistedLessonsTakeTheirClasssFreeCell) {
  EXPECT_EQ(or_check_shared_lessons_fit_grid(school_.bianchi, school_.verdi, -1, grid_), 0);
  EXPECT_EQ(where(3), 0);   // the first free cell of 1B in week order
  EXPECT_EQ(where(4), -1);  // not assisted: left off
  EXPECT_EQ(where(0), 0);   // ROSSI's lessons untouched
  EXPECT_EQ(where(5), 405);
}

TEST_F(ViewGridSharedFit, ThePlacedLessonKeepsItsCell) {
  save_test::place(3, 3, 2);
  EXPECT_EQ(or_check_shared_lessons_fit_grid(school_.bianchi, school_.verdi, -1, grid_), 0);
  EXPECT_EQ(where(3), 302);
}

TEST_F(ViewGridSharedFit, AnotherAssistantOrRoomSelectsNothing) {
  EXPECT_EQ(or_check_shared_lessons_fit_grid(school_.bianchi, school_.rossi, -1, grid_), 0);
  EXPECT_EQ(where(3), -1);
  int lab = save_test::add_room("LAB FISICA");
  EXPECT_EQ(or_check_shared_lessons_fit_grid(school_.bianchi, school_.verdi, lab, grid_), 0);
  EXPECT_EQ(where(3), -1);
  EXPECT_EQ(or_check_shared_lessons_fit_grid(school_.rossi, school_.verdi, -1, grid_), 0);
  EXPECT_EQ(where(3), -1);
  // The class's own room named outright is the same room.
  EXPECT_EQ(or_check_shared_lessons_fit_grid(school_.bianchi, school_.verdi, save_test::room_named("1B"), grid_), 0);
  EXPECT_EQ(where(3), 0);
}

TEST_F(ViewGridSharedFit, NoFreeCellOfItsClassIsRefused) {
  grid_[0].class_index = school_.c1a;
  grid_[3 * kHoursPerDay + 2].class_index = -1;
  EXPECT_EQ(or_check_shared_lessons_fit_grid(school_.bianchi, school_.verdi, -1, grid_), -1);
  EXPECT_EQ(where(3), -1);
  // A cell of its class that is no lesson of the same kind does not take it.
  grid_[3 * kHoursPerDay + 2] = grid_[kHoursPerDay];
  grid_[3 * kHoursPerDay + 2].class_index = school_.c1b;
  grid_[3 * kHoursPerDay + 2].flag = 1;
  EXPECT_EQ(or_check_shared_lessons_fit_grid(school_.bianchi, school_.verdi, -1, grid_), -1);
  EXPECT_EQ(where(3), -1);
}

}  // namespace
