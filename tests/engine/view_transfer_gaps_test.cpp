// A teacher's week on the timetable pages, where the school asks for
// transfers between buildings to be shown: a single free hour between two
// lessons in different buildings is marked as a transfer (by the lesson's
// own building, else its class's); a free hour between lessons of one
// building, or two free hours, are not; without the option nothing is; and
// each lesson's cell shows its building's first letter. On the small test
// school, 1A in CENTRALE and 1B in SUCCURSALE.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "engine/week_grid_access.h"
#include "save_test_fixture.h"

using save_test::SmallSchool;

namespace {

class ViewTransferGaps : public ::testing::Test {
 protected:
  void SetUp() override {
    g_eng_school.building_count = 2;
    std::snprintf(g_eng_buildings[0].name, kNameSize, "CENTRALE");
    std::snprintf(g_eng_buildings[1].name, kNameSize, "SUCCURSALE");
    g_eng_classes[school_.c1a].building = 0;
    g_eng_classes[school_.c1b].building = 1;
    for (int i = 0; i < g_eng_school.lesson_count; ++i) g_eng_lessons[i].building = -1;
    // ROSSI already: 1A Monday 1st and 2nd, 1B Tuesday 1st. Added: 1B
    // Monday 4th; 1A Tuesday 3rd; 1A Wednesday 1st and 3rd; 1B Thursday 1st
    // and 1A Thursday 4th.
    int added[][3] = {{school_.c1b, 0, 3}, {school_.c1a, 1, 2}, {school_.c1a, 2, 0},
                      {school_.c1a, 2, 2}, {school_.c1b, 3, 0}, {school_.c1a, 3, 3}};
    for (const auto& a : added) {
      int l = save_test::add_lesson(school_.rossi, a[0], school_.math);
      g_eng_lessons[l].building = -1;
      save_test::place(l, a[1], a[2]);
      last_ = l;
    }
  }
  std::vector<int> transfers() {
    WeekGridCell grid[kWeekSlots];
    EXPECT_EQ(or_fill_week_grid(kGridTeacher, "ROSSI", grid), school_.rossi);
    std::vector<int> out;
    for (int s = 0; s < kWeekSlots; ++s)
      if (grid[s].transfer_gap) out.push_back(s);
    return out;
  }
  SmallSchool school_;
  int last_ = -1;
};

int slot(int day, int hour) { return day * kHoursPerDay + hour; }

TEST_F(ViewTransferGaps, ASingleFreeHourBetweenBuildings) {
  g_eng_school.transfer_option = 1;
  // Monday 3rd (1A then 1B) and Tuesday 2nd (1B then 1A); not Wednesday's
  // 2nd (1A both sides) nor Thursday's two free hours.
  EXPECT_EQ(transfers(), (std::vector<int>{slot(0, 2), slot(1, 1)}));
  // Wednesday's third lesson held in the other building: its own counts.
  g_eng_lessons[last_ - 2].building = 1;
  EXPECT_EQ(transfers(), (std::vector<int>{slot(0, 2), slot(1, 1), slot(2, 1)}));
}

TEST_F(ViewTransferGaps, NoneWithoutTheOption) {
  g_eng_school.transfer_option = 0;
  EXPECT_EQ(transfers(), (std::vector<int>{}));
}

TEST_F(ViewTransferGaps, EachCellShowsItsBuildingsLetter) {
  WeekGridCell grid[kWeekSlots];
  ASSERT_EQ(or_fill_week_grid(kGridTeacher, "ROSSI", grid), school_.rossi);
  EXPECT_EQ(grid[slot(0, 0)].building_code, 'C');
  EXPECT_EQ(grid[slot(0, 3)].building_code, 'S');
  EXPECT_EQ(grid[slot(0, 2)].building_code, 0);
  g_eng_lessons[last_].building = 1;  // Thursday's 1A lesson held in SUCCURSALE
  ASSERT_EQ(or_fill_week_grid(kGridTeacher, "ROSSI", grid), school_.rossi);
  EXPECT_EQ(grid[slot(3, 3)].building_code, 'S');
}

}  // namespace
