// Where the board may put a stand-by hour moved into an hour its own
// pseudo-class already holds: another pseudo-class of the same kind (stand-by
// for stand-by, support for support), in the same building, free in that
// hour once the lessons leaving it are gone, and its room; none for an
// ordinary lesson. On a small model: ALFA's stand-by class dAA, BETA's
// stand-by class dAB and support class dAC (stand-by pseudo-classes one per
// teacher).
#include <gtest/gtest.h>

#include <vector>

#include "engine/lesson_links.h"
#include "engine/standby_support.h"
#include "save_test_fixture.h"

namespace {

class StandbyFreeClass : public ::testing::Test {
 protected:
  void SetUp() override {
    save_test::reset_school();
    int k = save_test::add_class("1A");
    int s = save_test::add_subject("ITALIANO");
    int a = save_test::add_teacher("ALFA"), b = save_test::add_teacher("BETA");
    g_eng_teachers[a].contract_values[0] = 2;  // two stand-by hours
    g_eng_teachers[b].contract_values[0] = 3;
    g_eng_teachers[b].standby_value = 1;       // one support hour
    for (int h = 0; h < 3; ++h) save_test::place(save_test::add_lesson(a, k, s), 2, h);
    for (int h = 3; h < 5; ++h) save_test::place(save_test::add_lesson(b, k, s), 2, h);
    g_eng_school.standby_grouping = -1;
    or_count_hours(0);
    or_create_standby_lessons();
    or_count_hours(0);
    ASSERT_EQ(+g_eng_school.class_count, 4);
    // ALFA's stand-by (5, 6), BETA's stand-by (7, 8, 9) and support (10).
    int slots[][2] = {{0, 0}, {0, 1}, {0, 0}, {1, 0}, {1, 1}, {3, 3}};
    for (int i = 5; i < 11; ++i) save_test::place(i, slots[i - 5][0], slots[i - 5][1]);
  }
  static int slot(int day, int hour) { return day * kHoursPerDay + hour; }
  static int room_of(int c) {
    for (int r = 0; r < g_eng_school.room_count; ++r)
      if (g_eng_rooms[r].home_class == c) return r;
    return -1;
  }
  // class and room found, or {-1, -1} when refused.
  static std::vector<int> free_class(int lesson, int at, const std::vector<int>& leaving) {
    int c = -1, r = -1;
    if (!or_free_standby_class(lesson, at, leaving, c, r)) return {-1, -1};
    return {c, r};
  }
};

TEST_F(StandbyFreeClass, AnotherStandbyClassFreeInThatHour) {
  // Wednesday's first hour: dAB is free there.
  EXPECT_EQ(free_class(5, slot(2, 0), {}), (std::vector<int>{2, room_of(2)}));
  // Monday's first hour: dAB holds BETA's stand-by hour...
  EXPECT_EQ(free_class(5, slot(0, 0), {}), (std::vector<int>{-1, -1}));
  // ... unless that hour is leaving it.
  EXPECT_EQ(free_class(5, slot(0, 0), {7}), (std::vector<int>{2, room_of(2)}));
  // BETA's stand-by hour: dAA, where ALFA's Tuesday is free.
  EXPECT_EQ(free_class(8, slot(1, 0), {}), (std::vector<int>{1, room_of(1)}));
  EXPECT_EQ(free_class(8, slot(0, 1), {}), (std::vector<int>{-1, -1}));
}

TEST_F(StandbyFreeClass, OnlyTheSameKindInTheSameBuilding) {
  // The only support class is the lesson's own.
  EXPECT_EQ(free_class(10, slot(4, 4), {}), (std::vector<int>{-1, -1}));
  // dAB in another building than dAA.
  g_eng_classes[2].building = 1;
  EXPECT_EQ(free_class(5, slot(2, 0), {}), (std::vector<int>{-1, -1}));
}

TEST_F(StandbyFreeClass, NoneForAnOrdinaryLessonOrOutOfRange) {
  EXPECT_EQ(free_class(0, slot(4, 4), {}), (std::vector<int>{-1, -1}));
  EXPECT_EQ(free_class(-1, slot(4, 4), {}), (std::vector<int>{-1, -1}));
  EXPECT_EQ(free_class(11, slot(4, 4), {}), (std::vector<int>{-1, -1}));
  EXPECT_EQ(free_class(5, kWeekSlots, {}), (std::vector<int>{-1, -1}));
  EXPECT_EQ(free_class(5, -1, {}), (std::vector<int>{-1, -1}));
}

}  // namespace
