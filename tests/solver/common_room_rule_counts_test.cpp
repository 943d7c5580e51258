// What each common-room rule counts on values written by hand: the years
// that may not share the room with a class's year, too many classes in a
// room at once (the "+FCA" teachers' lessons aside), shared hours beyond the
// room's sharing limit with the tolerance, and the missing attendance.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "solver/common_room_counts.h"

namespace {

unsigned years(std::initializer_list<int> ys) {
  unsigned m = 0;
  for (int y : ys) m |= 1u << y;
  return m;
}

TEST(IncompatibleYears, CountTheYearsThePairsDoNotLetShare) {
  const std::uint8_t pairs[][2] = {{1, 2}, {3, 255}, {6, 8}};
  struct {
    int own;
    unsigned present;
    int count;
  } cases[] = {
      {1, years({1, 2}), 0},          // paired with 2
      {1, years({1, 2, 4}), 1},       // 4 is not its partner
      {1, years({1, 2, 4, 7}), 2},
      {2, years({1, 2, 7}), 1},       // the pair holds either way round
      {3, years({3}), 1},             // shares with nobody
      {3, years({3, 1}), 1},
      {5, years({5, 1, 4}), 2},       // own year unpaired: the first paired year present decides
      {5, years({5, 9}), 0},          // nobody paired
      {5, years({5, 3}), 1},          // a year present that shares with nobody
      {5, years({5, 6, 8}), 1},       // 6 with 8: 5 left out
      {8, years({8, 6, 1}), 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(incompatible_years(c.own, c.present, pairs, 3), c.count) << "year " << c.own << ", present " << c.present;
  EXPECT_EQ(incompatible_years(1, years({1, 4, 7}), pairs, 0), 0);
  EXPECT_EQ(incompatible_years(6, years({6, 8, 1}), pairs, 1), 2);  // the table cut to its first pair
  const std::uint8_t twice[][2] = {{1, 2}, {1, 4}};
  EXPECT_EQ(incompatible_years(1, years({1, 2, 4, 7}), twice, 2), 1);
}

TEST(RoomOverCapacity, CountsTheClassesAboveTheSlotsCapacity) {
  struct {
    int lessons, fca, capacity, excess;
  } cases[] = {
      {0, 0, 0, 0}, {1, 0, 0, 0}, {2, 0, 1, 1}, {3, 0, 2, 1}, {5, 0, 2, 3}, {3, 1, 1, 1},
      {4, 1, 3, 0}, {2, 2, 1, 1}, {3, 3, 1, 2}, {2, 0, 2, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(room_over_capacity(c.lessons, c.fca, c.capacity), c.excess)
        << c.lessons << " lessons, " << c.fca << " by +FCA teachers, capacity " << c.capacity;
}

TEST(SharingExcess, CountsOnceWhenTheSharedHoursPassTheRowsLimit) {
  const std::uint8_t rows[][2] = {{2, 1}, {4, 2}, {6, 3}};
  struct {
    int hours, shared, tolerance, excess;
  } cases[] = {
      {5, 3, 0, 1}, {5, 2, 0, 0}, {5, 3, 1, 0}, {5, 3, -1, 1}, {1, 9, 0, 0}, {2, 2, 0, 1},
      {2, 1, 0, 0}, {4, 3, 0, 1}, {6, 3, 0, 0}, {6, 4, 0, 1}, {9, 4, 0, 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(sharing_excess(c.hours, c.shared, rows, 3, c.tolerance), c.excess)
        << c.hours << " hours, " << c.shared << " shared, tolerance " << c.tolerance;
  EXPECT_EQ(sharing_excess(5, 9, rows, 0, 0), 0);
  EXPECT_EQ(sharing_excess(5, 2, rows, 1, 0), 1);  // only the first row: a limit of 1
}

TEST(MissingAttendance, CountsTheClassesShortOfTheWantedNumber) {
  struct {
    int minimum, slot_value, used;
    bool only_when_used;
    int missing;
  } cases[] = {
      {3, 0, 1, false, 2}, {3, 0, 0, false, 3}, {3, 0, 0, true, 0}, {3, 2, 1, true, 1},
      {3, 3, 1, true, 2},  {3, 0, 3, false, 0}, {0, 0, 0, false, 0}, {3, 5, 0, false, 3},
      {3, 1, 0, false, 1}, {3, 1, 1, false, 0}, {-1, 0, 0, false, 0}, {4, 0, 5, false, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(missing_attendance(c.minimum, c.slot_value, c.used, c.only_when_used), c.missing)
        << "minimum " << c.minimum << ", slot " << c.slot_value << ", used " << c.used
        << (c.only_when_used ? ", only when used" : "");
}

}  // namespace
