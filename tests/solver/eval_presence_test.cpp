// Hand-built weeks for the presence rules: presence span and teaching
// hours against the daily limits with tolerated days, working days, the
// spread of a class's hours, the late-lesson share and stand-by hours.
//
// Each expected value is worked out by hand in the comment beside it; the
// Parts' own worked cases are among them.
#include <gtest/gtest.h>

#include "solver/presence_counts.h"

namespace {

const std::uint8_t kEight[kDays] = {8, 8, 8, 8, 8, 8, 0};

PresenceLimits limits(int presence, int teaching, int minimum) {
  return PresenceLimits{presence, teaching, minimum, {nullptr, 0}, {nullptr, 0}};
}

TEST(EvalPresence, SpanAndTeaching) {
  // Lessons in hours 2, 3 and 6: presence 5, teaching 3.
  WeekMasks w = masks_from_rows({".xx..x.."});
  PresenceTally t = count_presence_teaching(w, w, 5, kEight, limits(4, 2, 0), nullptr, nullptr);
  EXPECT_EQ(t.presence, 1);
  EXPECT_EQ(t.teaching, 1);
  EXPECT_EQ(t.week_teaching, 3);
  t = count_presence_teaching(w, w, 5, kEight, limits(5, 3, 4), nullptr, nullptr);
  EXPECT_EQ(t.presence, 0);
  EXPECT_EQ(t.teaching, 0);
  EXPECT_EQ(t.minimum, 1);
}

TEST(EvalPresence, ToleratedDays) {
  // Pair (6 hours, 2 days), maximum 5: two days of 6 are allowed, the third counted.
  const std::uint8_t pairs[1][2] = {{6, 2}};
  PresenceLimits lim = limits(5, 12, 0);
  lim.presence_pairs = {pairs, 1};
  WeekMasks w = masks_from_rows({"xxxxxx..", "xxxxxx..", "xxxxxx..", "xxxxx..."});
  PresenceTally t = count_presence_teaching(w, w, 5, kEight, lim, nullptr, nullptr);
  EXPECT_EQ(t.presence, 1);
}

TEST(EvalPresence, CarryNeverPassesTheHistogram) {
  int hist[13] = {};
  const std::uint8_t pairs[1][2] = {{12, 9}};
  HourBandPairs p{pairs, 1};
  for (int v = 0; v < 12; ++v) hist[v] = 1;
  hist[12] = 1;
  EXPECT_GE(daily_excess(12, 0, p, hist), 0);
}

TEST(EvalPresence, WorkingDays) {
  int six[kDays] = {4, 5, 2, 6, 5, 3, 0};
  int worked = 0;
  EXPECT_EQ(count_working_days(six, 6, 1, 5, &worked), 2);  // the lightest day holds 2
  EXPECT_EQ(worked, 6);
  int three[kDays] = {4, 0, 5, 0, 6, 0, 0};
  EXPECT_EQ(count_working_days(three, 6, 5, 6, &worked), 2);  // minimum 5, 3 days
  EXPECT_EQ(count_working_days(three, 6, 3, 6, &worked), 0);
}

TEST(EvalPresence, ClassDistribution) {
  int loads[kDays] = {2, 2, 1, 2, 0, 0, 0};
  const std::int8_t pairs[2][2] = {{2, 1}, {1, 0}};
  EXPECT_EQ(count_class_distribution(loads, 6, pairs, 2), 3);  // 3 days of 2 (1 allowed), 1 day of 1
  EXPECT_EQ(count_class_distribution(loads, 6, pairs, 0), 0);
}

TEST(EvalPresence, LateShare) {
  // Pair (5, 30): 4 weekly hours, 2 of them at the fifth hour or later:
  // 200 / 4 = 50 > 30, n = 2 - 30 x 4 / 100 = 2 - 1 = 1.
  int late_from[kHoursPerDay] = {4, 4, 4, 4, 2, 1, 0, 0, 0, 0, 0, 0};
  const std::int8_t pairs[1][2] = {{5, 30}};
  EXPECT_EQ(count_late_share(late_from, 4, pairs, 1), 1);
  EXPECT_EQ(count_late_share(late_from, 0, pairs, 1), 0);  // no hours: nothing to share
  EXPECT_EQ(count_late_share(late_from, 1, pairs, 1), 0);  // the pair's position + 1 is not below 1
}

TEST(EvalPresence, StandbyExcess) {
  int standby[kDays] = {0, 2, 3, 1, 0, 0, 0};
  EXPECT_EQ(count_standby_excess(standby, 5, 1), 3);
}

}  // namespace
