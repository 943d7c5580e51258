// What each teacher rule on days counts on a week written by hand: the day
// loads, the free day among the listed ones, lessons in hours not
// available, the shapes of a day (light, first hours, last hours, a band)
// and the days wanted of a shape, the inner breaks of free days and the
// picks that open one, the school's break options, the special break
// between two days and the presence in the week's first and last hour.
// A week is one string per day, 'X' a lesson; days have eight hours.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "solver/day_counts.h"
#include "solver/week_masks.h"
#include "week_text.h"

namespace {

using namespace kt_week_text;

DayLoads loads_of(std::vector<int> n) {
  DayLoads l{};
  for (std::size_t d = 0; d < n.size(); ++d) l.n[d] = n[d];
  return l;
}

TEST(DayLoads, AreTheLessonsOfEachDayWithinItsHoursAndTheWeek) {
  Hours hours = eight_hours();
  hours.h[1] = 2;
  WeekMasks w = week_of({"XX.X....", "XXXX....", "", "XXXXXXXX", "X", "XX"});
  DayLoads l = day_loads(w, 5, hours.h);
  const int expected[kDays] = {3, 2, 0, 8, 1, 0, 0};
  for (int d = 0; d < kDays; ++d) EXPECT_EQ(l.n[d], expected[d]) << "day " << d;
}

TEST(FreeDays, CountTheSmallestLoadOfTheListedDaysAndFlagThem) {
  DayLoads l = loads_of({3, 0, 2, 4, 1, 0, 0});
  struct {
    std::vector<std::uint8_t> listed;
    int days;
    int count;
    unsigned flags;
  } cases[] = {
      {{0, 2, 4}, 5, 1, 0b10101u},
      {{4, 2, 0}, 5, 1, 0b10101u},
      {{1, 2}, 5, 0, 0b00110u},
      {{3}, 5, 4, 0b01000u},
      {{5, 6}, 5, 0, 0u},      // no listed day inside the week
      {{6}, 7, 0, 0b1000000u},  // a free seventh day
      {{}, 5, 0, 0u},
  };
  for (const auto& c : cases) {
    unsigned flags = 0xFFFF;
    RuleTally t = count_free_days(l, c.days, c.listed.data(), static_cast<int>(c.listed.size()), &flags);
    EXPECT_EQ(t.count, c.count) << "first listed " << (c.listed.empty() ? -1 : c.listed[0]);
    EXPECT_EQ(t.secondary, c.count);
    EXPECT_EQ(flags, c.flags) << "first listed " << (c.listed.empty() ? -1 : c.listed[0]);
  }
}

TEST(UnavailableHours, CountTheLessonsInHoursThatAreNotAvailable) {
  Hours hours = eight_hours();
  hours.h[2] = 4;
  std::uint8_t available[kDays * kHoursPerDay];
  for (auto& a : available) a = 1;
  available[0] = 0;                  // day 0, hour 0
  available[3] = 2;                  // day 0, hour 3: any value but 1
  available[5] = 0;                  // day 0, hour 5: free there
  available[2 * kHoursPerDay + 5] = 0;  // day 2, hour 5: past the day's hours
  available[6 * kHoursPerDay] = 0;      // day 6: past the week
  WeekMasks w = week_of({"XX.X....", "XXXX....", "X....X..", "", "", "", "X"});
  DayMask flagged[kDays];
  for (auto& f : flagged) f = 0xFFFF;
  RuleTally t = count_unavailable_hours(w, 5, hours.h, available, flagged);
  EXPECT_EQ(t.count, 2);
  EXPECT_EQ(t.secondary, 2);
  EXPECT_EQ(flagged[0], day_of("X..X"));
  for (int d = 1; d < kDays; ++d) EXPECT_EQ(flagged[d], 0) << "day " << d;
  EXPECT_EQ(count_unavailable_hours(w, 7, hours.h, available, nullptr).count, 3);
}

struct ShapeCase {
  const char* day;
  int hours;
  int a, b;
  bool light, first, last, band;
};

TEST(DayShapes, EachDayIsOfTheShapesItHas) {
  // light: exactly a lessons in one block; first: the first a hours taken
  // and nothing else; last: the first a hours free and one block from hour
  // a; band: exactly hours a to b (counted from 1).
  const ShapeCase cases[] = {
      {"XX......", 8, 2, 2, true, true, false, false},
      {"..XX....", 8, 2, 4, true, false, true, false},
      {"..XXX...", 8, 2, 5, false, false, true, false},
      {"..XXX...", 8, 3, 5, true, false, false, true},
      {"..XX....", 8, 3, 5, false, false, false, false},
      {"..XXXX..", 8, 3, 5, false, false, false, false},
      {"X.X.....", 8, 2, 3, false, false, false, false},
      {"XXX.....", 8, 2, 3, false, false, false, false},
      {"XXX.....", 8, 3, 3, true, true, false, false},
      {"X.......", 8, 1, 1, true, true, false, true},
      {".X......", 8, 1, 2, true, false, true, false},
      {".X......", 8, 1, 1, true, false, true, false},
      {".X......", 8, 2, 2, false, false, false, true},
      {"...XX...", 8, 2, 5, true, false, false, false},
      {"..XX.X..", 8, 2, 4, false, false, false, false},
      {"XX..X...", 4, 2, 2, true, true, false, false},  // hour 5 is past the day
      {"........", 8, 0, 0, false, false, false, false},
      {"XX......", 8, 0, 0, false, false, true, false},  // no free hour first
      {"..XXX...", 4, 3, 5, false, false, false, false},  // band past the day's hours
      {"..XXX...", 4, 2, 4, true, false, true, false},   // hour 5 is past the day
  };
  for (const auto& c : cases) {
    DayMask m = day_of(c.day);
    SCOPED_TRACE(std::string(c.day) + " a=" + std::to_string(c.a) + " b=" + std::to_string(c.b) +
                 " hours=" + std::to_string(c.hours));
    EXPECT_EQ(is_light_day(m, c.hours, c.a), c.light);
    EXPECT_EQ(is_first_hours_day(m, c.hours, c.a), c.first);
    EXPECT_EQ(is_last_hours_day(m, c.hours, c.a), c.last);
    EXPECT_EQ(is_band_day(m, c.hours, c.a, c.b), c.band);
  }
  EXPECT_FALSE(is_band_day(day_of("XXX"), 8, 0, 2));
  EXPECT_FALSE(is_band_day(day_of("XXX"), 8, 3, 2));
  EXPECT_FALSE(is_last_hours_day(0, 8, 2));
  EXPECT_FALSE(is_last_hours_day(day_of("..XX"), 8, -1));
}

TEST(DayShapeCounts, AreTheDaysWantedLessTheDaysFound) {
  Hours hours = eight_hours();
  WeekMasks w = week_of({"XX......", "..XX....", "X.X.....", "XXX.....", "", "XX......"});
  struct {
    DayShape shape;
    int a, b, wanted, count;
  } cases[] = {
      {DayShape::Light, 2, 0, 3, 1},     {DayShape::Light, 2, 0, 2, 0},      {DayShape::Light, 2, 0, 1, 0},
      {DayShape::Light, 3, 0, 3, 2},     {DayShape::FirstHours, 2, 0, 2, 1}, {DayShape::FirstHours, 3, 0, 2, 1},
      {DayShape::LastHours, 2, 0, 2, 1}, {DayShape::LastHours, 0, 0, 5, 3},  {DayShape::Band, 1, 2, 2, 1},
      {DayShape::Band, 3, 4, 1, 0},      {DayShape::Band, 1, 3, 4, 3},       {DayShape::Light, 2, 0, 0, 0},
  };
  for (const auto& c : cases) {
    RuleTally t = count_day_shape(w, 5, hours.h, c.shape, c.a, c.b, c.wanted);
    EXPECT_EQ(t.count, c.count) << "shape " << static_cast<int>(c.shape) << " a=" << c.a << " wanted " << c.wanted;
    EXPECT_EQ(t.secondary, c.count);
  }
  // Six days: the sixth day's light block counts too.
  EXPECT_EQ(count_day_shape(w, 6, hours.h, DayShape::Light, 2, 0, 3).count, 0);
}

TEST(InnerBreaks, TheLastRunOfFreeDaysBetweenTwoWorkingDays) {
  struct {
    std::vector<int> loads;
    int days, run;
  } cases[] = {
      {{2, 0, 0, 3, 0, 1}, 6, 1}, {{2, 0, 0, 3, 0, 0}, 6, 2}, {{0, 0, 3, 3, 0}, 5, 0},
      {{2, 0, 0, 0, 1}, 5, 3},    {{2, 3, 4, 5, 6}, 5, 0},    {{2, 0, 1, 0, 0, 0, 1}, 7, 3},
      {{2, 0, 1, 0, 0, 0, 1}, 6, 1},
  };
  for (const auto& c : cases) {
    DayLoads l = loads_of(c.loads);
    EXPECT_EQ(last_inner_break(l.n, c.days), c.run) << "days " << c.days << " first " << c.loads[1];
  }
}

TEST(GenericBreak, PicksTheLightestDaysBetweenWorkingNeighbours) {
  struct {
    std::vector<int> loads;
    int days, wanted, count;
  } cases[] = {
      {{4, 2, 3, 1, 5}, 5, 1, 1},  // day 3 is the lightest
      {{4, 2, 3, 1, 5}, 5, 2, 3},  // then day 1 (day 2 lost its neighbour)
      {{4, 2, 3, 1, 5}, 5, 3, 15}, // nothing left: a whole day of 12
      {{4, 0, 3, 1, 5}, 5, 1, 0},  // a break of one is there
      {{4, 0, 3, 1, 5}, 5, 2, 1},
      {{4, 0, 3, 1, 5}, 5, 0, 1},  // any break charged its length
      {{4, 2, 3, 1, 5}, 5, 0, 0},
      {{4, 0, 0, 1, 5}, 5, 0, 2},
      {{1, 1, 1, 1, 1, 1, 2}, 9, 1, 1},
  };
  for (const auto& c : cases) {
    RuleTally t = count_generic_break(loads_of(c.loads), c.days, c.wanted);
    EXPECT_EQ(t.count, c.count) << "loads " << c.loads[1] << c.loads[2] << c.loads[3] << " wanted " << c.wanted;
    EXPECT_EQ(t.secondary, c.count);
  }
}

void record_pick(void* ctx, int amount) { static_cast<std::vector<int>*>(ctx)->push_back(amount); }

TEST(ClassBreak, PicksTheLightestDaysToOpenTheBreakWanted) {
  struct {
    std::vector<int> loads;
    int days, wanted, total;
    std::vector<int> picks;
  } cases[] = {
      {{4, 2, 3, 1, 5}, 5, 1, 1, {1}},
      {{4, 2, 3, 1, 5}, 5, 2, 3, {1, 2}},  // no neighbours needed
      {{4, 2, 3, 1, 5}, 5, 3, 6, {1, 2, 3}},
      {{4, 2, 3, 1, 5}, 5, 4, 18, {1, 2, 3, 12}},
      {{4, 2, 3, 1, 5}, 5, 0, 0, {}},
      {{4, 0, 3, 1, 5}, 5, 1, 0, {}},
      {{4, 0, 0, 0, 5}, 5, 4, 12, {12}},
      {{3, 3, 3, 3, 3, 0, 0}, 7, 1, 3, {3}},
      {{3, 3, 3, 3, 3, 2, 3}, 7, 1, 2, {2}},
      {{3, 3, 3, 3, 3, 2, 3}, 6, 1, 3, {3}},  // the sixth day is the last
  };
  for (const auto& c : cases) {
    std::vector<int> picks;
    EXPECT_EQ(count_class_break(c.loads.data(), c.days, c.wanted, record_pick, &picks), c.total)
        << "days " << c.days << " wanted " << c.wanted;
    EXPECT_EQ(picks, c.picks) << "days " << c.days << " wanted " << c.wanted;
  }
  std::vector<int> loads = {4, 2, 3, 1, 5};
  EXPECT_EQ(count_class_break(loads.data(), 5, 2, nullptr, nullptr), 3);
}

TEST(BreakOptions, AddTheLargestDayOfTheWeeksEachOptionNames) {
  struct {
    std::vector<int> loads;
    unsigned options;
    int total;
    std::vector<int> picks;
  } cases[] = {
      {{3, 0, 0, 0, 0, 5, 0}, 0x0F, 5, {5}},    {{6, 0, 0, 0, 0, 5, 0}, 0x01, 6, {6}},
      {{3, 0, 0, 0, 0, 5, 0}, 0x0E, 0, {}},     {{3, 0, 0, 0, 6, 0, 0}, 0x0F, 6, {6}},
      {{3, 0, 0, 0, 6, 0, 0}, 0x01, 0, {}},     {{3, 0, 0, 0, 2, 4, 0}, 0x0F, 4, {4}},
      {{7, 0, 0, 0, 2, 4, 0}, 0x04, 7, {7}},    {{3, 0, 0, 0, 2, 4, 0}, 0x0B, 0, {}},
      {{2, 5, 0, 0, 0, 1, 0}, 0x0F, 5, {5}},    {{2, 5, 0, 0, 0, 1, 0}, 0x07, 0, {}},
      {{3, 0, 0, 0, 0, 5, 1}, 0x0F, 0, {}},     {{3, 4, 0, 0, 0, 0, 0}, 0x0F, 0, {}},
      {{3, 4, 0, 0, 2, 5, 0}, 0x0F, 0, {}},
  };
  for (const auto& c : cases) {
    std::vector<int> picks;
    EXPECT_EQ(count_break_options(c.loads.data(), c.options, record_pick, &picks), c.total)
        << "options " << c.options << " loads " << c.loads[0] << c.loads[1] << c.loads[4] << c.loads[5];
    EXPECT_EQ(picks, c.picks) << "options " << c.options;
  }
}

TEST(SpecialBreak, CountsTheSecondDaysExcess) {
  struct {
    int a, b, trigger, allowed, excess;
  } cases[] = {
      {6, 5, 5, 3, 2}, {6, 7, 5, 3, 2}, {5, 8, 5, 3, 3}, {4, 7, 5, 3, 0}, {6, 3, 5, 3, 0},
      {6, 4, 5, 3, 1}, {6, 7, 0, 3, 0}, {6, 7, -1, 3, 0}, {6, 2, 5, 0, 2},
  };
  for (const auto& c : cases)
    EXPECT_EQ(special_break_excess(c.a, c.b, c.trigger, c.allowed), c.excess)
        << c.a << " then " << c.b << ", trigger " << c.trigger << ", allowed " << c.allowed;
}

TEST(FirstAndLastOfWeek, BusyInTheFirstHourAndTheLastDaysLastHour) {
  Hours hours = eight_hours();
  WeekMasks w = week_of({"X.......", "", "", "", ".......X"});
  EXPECT_TRUE(busy_first_and_last_of_week(w, 5, hours.h));
  EXPECT_FALSE(busy_first_and_last_of_week(w, 6, hours.h));
  EXPECT_FALSE(busy_first_and_last_of_week(w, 0, hours.h));
  EXPECT_FALSE(busy_first_and_last_of_week(w, 8, hours.h));
  WeekMasks late = week_of({".X......", "", "", "", ".......X"});
  EXPECT_FALSE(busy_first_and_last_of_week(late, 5, hours.h));
  hours.h[4] = 6;  // the last day ends at hour 6
  EXPECT_FALSE(busy_first_and_last_of_week(w, 5, hours.h));
  WeekMasks short_day = week_of({"X.......", "", "", "", ".....X.."});
  EXPECT_TRUE(busy_first_and_last_of_week(short_day, 5, hours.h));
  WeekMasks one_day = week_of({"X......X"});
  EXPECT_TRUE(busy_first_and_last_of_week(one_day, 1, eight_hours().h));
  // A last day of a single hour: its first hour is its last.
  Hours short_last = eight_hours();
  short_last.h[1] = 1;
  EXPECT_TRUE(busy_first_and_last_of_week(week_of({"X.......", "X......."}), 2, short_last.h));
  EXPECT_FALSE(busy_first_and_last_of_week(week_of({"X.......", ".X......"}), 2, short_last.h));
  short_last.h[1] = 0;
  EXPECT_FALSE(busy_first_and_last_of_week(week_of({"X.......", "X......."}), 2, short_last.h));
}

}  // namespace
