// Hand-built weeks for the day rules: free days, unavailable hours, the
// shapes of a day, the generic and per-class breaks, the special break and
// presence at both ends of the week. Rows read hour 1 to 12, 'x' busy.
//
// Each expected value is worked out by hand in the comment beside it or in
// the case's row.
#include <gtest/gtest.h>

#include "solver/day_counts.h"

namespace {

const std::uint8_t kSix[kDays] = {6, 6, 6, 6, 6, 6, 0};

TEST(EvalDay, FreeDays) {
  DayLoads one_free = day_loads(masks_from_rows({"xx....", "......", "xxxx.."}), 6, kSix);
  const std::uint8_t listed[] = {0, 1};
  EXPECT_EQ(count_free_days(one_free, 6, listed, 2, nullptr).count, 0);
  // Both listed days busy (2 and 4 lessons): the lighter one is charged.
  DayLoads busy = day_loads(masks_from_rows({"xx....", "xxxx.."}), 6, kSix);
  unsigned flagged = 0;
  EXPECT_EQ(count_free_days(busy, 6, listed, 2, &flagged).count, 2);
  EXPECT_EQ(flagged, 0b11u);
  const std::uint8_t past_week[] = {9};
  EXPECT_EQ(count_free_days(busy, 6, past_week, 1, nullptr).count, 0);
}

TEST(EvalDay, UnavailableHours) {
  std::uint8_t available[kWeekSlots];
  for (std::uint8_t& a : available) a = 1;
  available[0 * 12 + 0] = 0;
  available[0 * 12 + 2] = 0;
  available[1 * 12 + 4] = 0;
  available[1 * 12 + 5] = 0;
  DayMask flagged[kDays];
  WeekMasks w = masks_from_rows({"xxx...", "....x."});
  RuleTally t = count_unavailable_hours(w, 6, kSix, available, flagged);
  EXPECT_EQ(t.count, 3);
  EXPECT_EQ(flagged[0], 0b101);
  EXPECT_EQ(flagged[1], 0b10000);
}

struct ShapeCase {
  const char* id;
  const char* row;
  DayShape shape;
  int a, b;
  bool hit;
};

TEST(EvalDay, DayShapes) {
  const ShapeCase cases[] = {
      {"light-124", "xx.x..", DayShape::Light, 3, 0, false},
      {"light-234", ".xxx..", DayShape::Light, 3, 0, true},
      {"light-more", "xxxx..", DayShape::Light, 3, 0, false},
      {"first-3", "xxx...", DayShape::FirstHours, 3, 0, true},
      {"first-late", "xxx..x", DayShape::FirstHours, 3, 0, false},
      {"first-hole", "x.x...", DayShape::FirstHours, 3, 0, false},
      {"last-2", "..xxxx", DayShape::LastHours, 2, 0, true},
      {"last-late-start", "...xxx", DayShape::LastHours, 2, 0, false},
      {"last-hole", "..x.xx", DayShape::LastHours, 2, 0, false},
      {"last-empty", "......", DayShape::LastHours, 2, 0, false},
      {"band-2-4", ".xxx..", DayShape::Band, 2, 4, true},
      {"band-extra", ".xxxx.", DayShape::Band, 2, 4, false},
      {"band-short-day", ".xxx..", DayShape::Band, 2, 7, false},
  };
  for (const ShapeCase& c : cases) {
    WeekMasks w = masks_from_rows({c.row});
    RuleTally t = count_day_shape(w, 1, kSix, c.shape, c.a, c.b, 1);
    EXPECT_EQ(t.count, c.hit ? 0 : 1) << c.id;
  }
}

struct BreakCase {
  const char* id;
  int loads[kDays];
  int wanted, count;
};

TEST(EvalDay, GenericBreak) {
  const BreakCase cases[] = {
      // wanted 0 charges the last inner run of free days by its length.
      {"any-run", {3, 0, 0, 4, 2, 0, 0}, 0, 2},
      {"no-run", {3, 1, 2, 4, 2, 0, 0}, 0, 0},
      // one free day wanted, none: the lightest day with working neighbours.
      {"open-one", {3, 1, 2, 4, 2, 0, 0}, 1, 1},
      // two wanted: day 1 (1 hour) then day 3 (4 hours; day 2 lost its
      // neighbour when day 1 was taken, so only day 3 qualifies).
      {"open-two", {3, 1, 2, 4, 2, 0, 0}, 2, 5},
      {"has-run", {3, 0, 2, 4, 2, 0, 0}, 1, 0},
      // nothing qualifies: 12.
      {"none", {3, 0, 0, 0, 2, 0, 0}, 4, 12},
  };
  for (const BreakCase& c : cases) {
    DayLoads loads{};
    for (int d = 0; d < kDays; ++d) loads.n[d] = c.loads[d];
    EXPECT_EQ(count_generic_break(loads, 5, c.wanted).count, c.count) << c.id;
  }
}

TEST(EvalDay, ClassBreakNeedsNoNeighbours) {
  int loads[kDays] = {2, 1, 0, 3, 2, 0, 0};
  EXPECT_EQ(count_class_break(loads, 5, 1, nullptr, nullptr), 0);  // the break on day 2 is enough
  int picks = 0;
  auto pick = [](void* ctx, int) { ++*static_cast<int*>(ctx); };
  EXPECT_EQ(count_class_break(loads, 5, 2, pick, &picks), 1);  // day 1 goes
  EXPECT_EQ(picks, 1);
}

TEST(EvalDay, BreakOptions) {
  int monday_saturday[kDays] = {2, 0, 0, 0, 0, 3, 0};
  EXPECT_EQ(count_break_options(monday_saturday, 0x01, nullptr, nullptr), 3);
  EXPECT_EQ(count_break_options(monday_saturday, 0x02, nullptr, nullptr), 0);
  int three[kDays] = {2, 4, 0, 0, 0, 1, 0};
  EXPECT_EQ(count_break_options(three, 0x08, nullptr, nullptr), 4);
}

TEST(EvalDay, SpecialBreak) {
  EXPECT_EQ(special_break_excess(3, 2, 3, 1), 1);  // b - B (A not below b)
  EXPECT_EQ(special_break_excess(3, 4, 3, 1), 1);  // b - A
  EXPECT_EQ(special_break_excess(2, 4, 3, 1), 0);  // day d below the trigger
  EXPECT_EQ(special_break_excess(3, 1, 3, 1), 0);  // within the allowed hours
}

TEST(EvalDay, WeekEnds) {
  EXPECT_TRUE(busy_first_and_last_of_week(masks_from_rows({"x.....", "", "", "", ".....x"}), 5, kSix));
  EXPECT_FALSE(busy_first_and_last_of_week(masks_from_rows({"x.....", "", "", "", "....x."}), 5, kSix));
}

}  // namespace
