// What each teacher rule on hours of the day counts on a week written by
// hand: the bands of hours (given hours, first hours, last hours by the
// day's length), the days in a band short of a minimum or above a maximum,
// the days straddling an hour, and the hours a day short of its wish or
// above its limit. A week is one string per day, 'X' a lesson; days have
// eight hours unless a case says.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "solver/hour_of_day_counts.h"
#include "solver/week_masks.h"
#include "week_text.h"

namespace {

using namespace kt_week_text;

TEST(HourBands, AreTheSameHoursOnEveryDayOrTheLastOfEachDay) {
  DayBand b = band_of_hours(2, 4);
  EXPECT_EQ(b.width, 3);
  for (int d = 0; d < kDays; ++d) EXPECT_EQ(b.hours[d], day_of(".XXX")) << "day " << d;
  DayBand one = band_of_hours(5, 5);
  EXPECT_EQ(one.width, 1);
  EXPECT_EQ(one.hours[3], day_of("....X"));
  DayBand none = band_of_hours(4, 2);
  EXPECT_EQ(none.width, 0);
  for (int d = 0; d < kDays; ++d) EXPECT_EQ(none.hours[d], 0) << "day " << d;

  DayBand first = band_first_hours(3);
  EXPECT_EQ(first.width, 3);
  for (int d = 0; d < kDays; ++d) EXPECT_EQ(first.hours[d], day_of("XXX")) << "day " << d;
  DayBand no_first = band_first_hours(0);
  EXPECT_EQ(no_first.width, 0);
  EXPECT_EQ(no_first.hours[0], 0);

  Hours hours = eight_hours();
  hours.h[1] = 6;
  hours.h[2] = 1;
  DayBand last = band_last_hours(2, hours.h);
  EXPECT_EQ(last.width, 2);
  EXPECT_EQ(last.hours[0], day_of("......XX"));
  EXPECT_EQ(last.hours[1], day_of("....XX"));
  EXPECT_EQ(last.hours[2], day_of("X"));
  EXPECT_EQ(last.hours[6], day_of("......XX"));
  DayBand no_last = band_last_hours(0, hours.h);
  EXPECT_EQ(no_last.width, 0);
  EXPECT_EQ(no_last.hours[0], 0);
}

const std::vector<std::string> kBandWeek = {"X.......", ".X......", "..X.....", "", "XX......", "X......."};

TEST(BandMinimum, CountsTheDaysInTheBandShortOfTheMinimum) {
  DayBand b = band_first_hours(2);
  WeekMasks w = week_of(kBandWeek);
  struct {
    int days, min_days, count;
  } cases[] = {{5, 4, 1}, {5, 3, 0}, {5, 5, 2}, {5, 0, 0}, {3, 4, 2}, {6, 4, 0}, {9, 5, 1}};
  for (const auto& c : cases) {
    RuleTally t = count_band_minimum(w, c.days, b, c.min_days);
    EXPECT_EQ(t.count, c.count) << c.days << " days, minimum " << c.min_days;
    EXPECT_EQ(t.secondary, c.count);
  }
}

TEST(BandMaximum, CountsTheHoursAboveTheLimitElseTheDaysAbove) {
  DayBand b = band_first_hours(2);
  WeekMasks w = week_of(kBandWeek);
  // Band hours busy: 1 + 1 + 0 + 0 + 2 = 4 on three days (five days).
  struct {
    int days, max_days, count;
  } cases[] = {{5, 1, 2}, {5, 2, 1}, {5, 3, 0}, {5, 0, 4}, {6, 2, 1}, {6, 3, 1}, {6, 4, 0}, {2, 1, 1}, {2, 2, 0}};
  for (const auto& c : cases) {
    RuleTally t = count_band_maximum(w, c.days, b, c.max_days);
    EXPECT_EQ(t.count, c.count) << c.days << " days, maximum " << c.max_days;
    EXPECT_EQ(t.secondary, -c.count) << c.days << " days, maximum " << c.max_days;
  }
  // A band of one hour: the hours are the days.
  DayBand first = band_first_hours(1);
  RuleTally t = count_band_maximum(w, 5, first, 1);
  EXPECT_EQ(t.count, 1);
  EXPECT_EQ(t.secondary, -1);
}

TEST(StraddledHour, ChargesTheSmallerSideOfEveryStraddlingDayAboveTheLimit) {
  Hours hours = eight_hours();
  // Hour index 3: lessons before it and after it (the hour itself is not a side).
  WeekMasks w = week_of({"XX.XXX..", "X...X...", "XXXX....", ".......X", "XXX.X...", "X...X..."});
  struct {
    int max_days, count;
  } cases[] = {{2, 4}, {3, 0}, {0, 4}, {5, 0}};
  for (const auto& c : cases) {
    RuleTally t = count_straddled_hour(w, 5, hours.h, 3, c.max_days);
    EXPECT_EQ(t.count, c.count) << "at most " << c.max_days << " days";
    EXPECT_EQ(t.secondary, -c.count) << "at most " << c.max_days << " days";
  }
  EXPECT_EQ(count_straddled_hour(w, 6, hours.h, 3, 3).count, 5);
  hours.h[1] = 4;  // the lesson in hour 5 of day 1 is past its day
  EXPECT_EQ(count_straddled_hour(w, 5, hours.h, 3, 1).count, 3);
  EXPECT_EQ(count_straddled_hour(w, 5, hours.h, 3, 2).count, 0);
  EXPECT_EQ(count_straddled_hour(week_of({"XXX.....", "XXXX...."}), 2, hours.h, 3, 0).count, 0);
  EXPECT_EQ(count_straddled_hour(week_of({"X.XXX..."}), 1, eight_hours().h, 1, 0).count, 1);
}

TEST(DesiredHours, CountTheHoursMissingOnTheDaysThatWantSome) {
  Hours hours = eight_hours();
  WeekMasks w = week_of({"XXX.....", "X.......", "", "XXXXX...", "X.X.....", "X......."});
  const std::int8_t desired[kDays] = {4, 0, 2, 5, 1, 3, 3};
  unsigned flagged = 0xFFFF;
  RuleTally t = count_desired_hours(w, 5, hours.h, desired, &flagged);
  EXPECT_EQ(t.count, 3);
  EXPECT_EQ(t.secondary, 3);
  EXPECT_EQ(flagged, 0b101u);
  t = count_desired_hours(w, 6, hours.h, desired, &flagged);
  EXPECT_EQ(t.count, 5);
  EXPECT_EQ(flagged, 0b100101u);
  hours.h[0] = 2;  // day 0 keeps two of its three lessons
  EXPECT_EQ(count_desired_hours(w, 5, hours.h, desired, nullptr).count, 4);
  const std::int8_t none[kDays] = {};
  t = count_desired_hours(w, 5, hours.h, none, &flagged);
  EXPECT_EQ(t.count, 0);
  EXPECT_EQ(flagged, 0u);
}

TEST(MaximumHours, CountTheHoursAboveEachDaysLimit) {
  Hours hours = eight_hours();
  WeekMasks w = week_of({"XXX.....", "XXXXXXXX", "", "XXXXX...", "X.X.....", "XXXX...."});
  const std::int8_t maximum[kDays] = {2, 12, 0, 3, -1, 1, 0};
  int last = 99;
  RuleTally t = count_maximum_hours(w, 5, hours.h, maximum, &last);
  EXPECT_EQ(t.count, 1 + 2 + 2);
  EXPECT_EQ(t.secondary, 5);
  EXPECT_EQ(last, 4);
  t = count_maximum_hours(w, 6, hours.h, maximum, &last);
  EXPECT_EQ(t.count, 8);
  EXPECT_EQ(last, 5);
  t = count_maximum_hours(w, 2, hours.h, maximum, &last);
  EXPECT_EQ(t.count, 1);
  EXPECT_EQ(last, 0);
  const std::int8_t no_limit[kDays] = {12, 12, 12, 12, 12, 12, 12};
  t = count_maximum_hours(w, 7, hours.h, no_limit, &last);
  EXPECT_EQ(t.count, 0);
  EXPECT_EQ(last, -1);
  hours.h[3] = 3;  // day 3 keeps three lessons: at its limit
  EXPECT_EQ(count_maximum_hours(w, 5, hours.h, maximum, nullptr).count, 1 + 2);
}

}  // namespace
