// Hand-built weeks for the hour-of-day rules: bands of first and last hours
// and the two configured bands (MIN and MAX kinds), days straddling an
// hour, desired and maximum hours per day. Rows read hour 1 to 12, 'x' busy.
//
// Each expected value is worked out by hand in the comment beside it.
#include <gtest/gtest.h>

#include "solver/hour_of_day_counts.h"

namespace {

const std::uint8_t kSix[kDays] = {6, 6, 6, 6, 6, 6, 0};
const std::uint8_t kShortFriday[kDays] = {6, 6, 6, 6, 4, 0, 0};

struct BandCase {
  const char* id;
  std::initializer_list<const char*> rows;
  int first, last, limit;
  bool maximum;
  int count;
};

TEST(EvalHourOfDay, Bands) {
  const BandCase cases[] = {
      // PMAX: 3 hours, 2 days; h = 3 + 3 + 1 = 7 > 6: count 1, d not looked at.
      {"pmax-h", {"xxx...", "xxx...", "x.....", "......", "......"}, 1, 3, 2, true, 1},
      // h = 3 <= 6 but three days in the band: d - 2 = 1.
      {"pmax-d", {"x.....", "x.....", ".x....", "......", "......"}, 1, 3, 2, true, 1},
      {"pmax-ok", {"xx....", "x.....", "......", "...xxx", "......"}, 1, 3, 2, true, 0},
      // PMIN: 2 hours, 4 days wanted, only 2 days start early.
      {"pmin", {"x.....", ".x....", "..xxxx", "......", "......"}, 1, 2, 4, false, 2},
      {"pmin-empty", {"", "", "", "", ""}, 1, 2, 3, false, 3},
      // FMAX: hours 3..4, 1 day: h = 4 > 2 x 1.
      {"fmax", {"..xx..", "..xx..", "......", "......", "......"}, 3, 4, 1, true, 2},
      {"fmin", {"..x...", "xx....", "......", "......", "......"}, 3, 4, 2, false, 1},
  };
  for (const BandCase& c : cases) {
    WeekMasks w = masks_from_rows(c.rows);
    DayBand band = band_of_hours(c.first, c.last);
    RuleTally t = c.maximum ? count_band_maximum(w, 5, band, c.limit) : count_band_minimum(w, 5, band, c.limit);
    EXPECT_EQ(t.count, c.count) << c.id;
  }
}

TEST(EvalHourOfDay, MaximumKindSecondaryIsNegative) {
  WeekMasks w = masks_from_rows({"xxx...", "xxx...", "x....."});
  RuleTally t = count_band_maximum(w, 5, band_first_hours(3), 2);
  EXPECT_EQ(t.count, 1);
  EXPECT_EQ(t.secondary, -1);
}

TEST(EvalHourOfDay, LastHoursFollowEachDaysLength) {
  // Last 2 hours: hours 5-6 on Monday to Thursday, hours 3-4 on the short Friday.
  WeekMasks w = masks_from_rows({"....x.", "......", "......", "......", "..x..."});
  DayBand band = band_last_hours(2, kShortFriday);
  EXPECT_EQ(count_band_minimum(w, 5, band, 3).count, 1);
  EXPECT_EQ(count_band_maximum(w, 5, band, 1).count, 1);
}

TEST(EvalHourOfDay, EmptyOrReversedBandCountsNothingAboveLimit) {
  WeekMasks w = masks_from_rows({"xxxxxx", "xxxxxx"});
  EXPECT_EQ(count_band_maximum(w, 5, band_of_hours(4, 2), 0).count, 0);
}

struct StraddleCase {
  const char* id;
  std::initializer_list<const char*> rows;
  int hour, max_days, count;
};

TEST(EvalHourOfDay, StraddledHour) {
  const StraddleCase cases[] = {
      // H = 3: three days straddle hour 4 (sides 3/2, 1/1, 2/1), M = 2: all
      // three are charged their smaller side: 2 + 1 + 1.
      {"three", {"xxx.xx", "x...x.", ".xx..x", "......", "......"}, 3, 2, 4},
      {"within", {"xxx.xx", "x...x.", "......", "......", "......"}, 3, 2, 0},
      // Hours H and H+1 only: the straddled hour is not looked at.
      {"adjacent", {"..xx..", "..xx..", "..xx.."}, 3, 0, 0},
      // Hours H and H+2: straddles.
      {"gap", {"..x.x.", "......", "......"}, 3, 0, 1},
  };
  for (const StraddleCase& c : cases)
    EXPECT_EQ(count_straddled_hour(masks_from_rows(c.rows), 5, kSix, c.hour, c.max_days).count, c.count)
        << c.id;
}

TEST(EvalHourOfDay, DesiredHours) {
  WeekMasks w = masks_from_rows({"xx....", "xxxx..", "......", "x....."});
  const std::int8_t desired[kDays] = {4, 3, 0, 2, 0, 0, 0};
  unsigned flagged = 0;
  RuleTally t = count_desired_hours(w, 5, kSix, desired, &flagged);
  EXPECT_EQ(t.count, 3);  // 2 on Monday, 1 on Thursday
  EXPECT_EQ(flagged, 0b1001u);
  EXPECT_EQ(t.secondary, 3);
}

TEST(EvalHourOfDay, MaximumHours) {
  WeekMasks w = masks_from_rows({"xxxx..", "xxxxx.", "xx....", "x....."});
  const std::int8_t maximum[kDays] = {12, 3, 12, 0, 12, 12, 12};
  int last = -1;
  RuleTally t = count_maximum_hours(w, 5, kSix, maximum, &last);
  EXPECT_EQ(t.count, 3);  // 2 over on Tuesday, the one lesson of Thursday
  EXPECT_EQ(last, 3);
}

}  // namespace
