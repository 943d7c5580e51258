// What each teacher rule on presence and hours counts on days written by
// hand: the span of a day and its teaching hours against their limits and
// the daily minimum (with the days an hour-band pair tolerates), the
// working days against their bounds, the spread of a class's hours over the
// week, the share of late lessons and the stand-by hours above a day's
// maximum.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "solver/presence_counts.h"
#include "solver/week_masks.h"
#include "week_text.h"

namespace {

using namespace kt_week_text;

using Report = std::tuple<int, int, int>;  // id, the day's value, its excess
void record(void* ctx, int id, int value, int n) { static_cast<std::vector<Report>*>(ctx)->emplace_back(id, value, n); }

TEST(PresenceAndTeaching, CountEachDayAgainstTheLimitsAndTheMinimum) {
  Hours hours = eight_hours();
  WeekMasks teaching = week_of({"XX.XXX..", "X.......", "", "XXXX....", "X.....X.", "XXXXXXXX"});
  WeekMasks presence = week_of({"XX.XXX..", "X.......", "", "XXXX.X..", "X.....X.", "XXXXXXXX"});
  PresenceLimits limits{5, 4, 2, {nullptr, 0}, {nullptr, 0}};
  std::vector<Report> reports;
  PresenceTally t = count_presence_teaching(presence, teaching, 5, hours.h, limits, record, &reports);
  EXPECT_EQ(t.presence, 1 + 1 + 2);
  EXPECT_EQ(t.teaching, 1);
  EXPECT_EQ(t.minimum, 1);
  EXPECT_EQ(t.week_teaching, 5 + 1 + 0 + 4 + 2);
  const std::vector<Report> expected = {{8, 6, 1}, {9, 5, 1}, {10, 1, 1}, {8, 6, 1}, {8, 7, 2}};
  EXPECT_EQ(reports, expected);

  // A sixth day of eight hours, and the limits of a longer day.
  t = count_presence_teaching(presence, teaching, 6, hours.h, limits, nullptr, nullptr);
  EXPECT_EQ(t.presence, 4 + 3);
  EXPECT_EQ(t.teaching, 1 + 4);
  EXPECT_EQ(t.week_teaching, 20);
  PresenceLimits wide{8, 8, 1, {nullptr, 0}, {nullptr, 0}};
  t = count_presence_teaching(presence, teaching, 6, hours.h, wide, nullptr, nullptr);
  EXPECT_EQ(t.presence, 0);
  EXPECT_EQ(t.teaching, 0);
  EXPECT_EQ(t.minimum, 0);

  // Hours past a day's length are outside it.
  hours.h[0] = 4;
  t = count_presence_teaching(presence, teaching, 1, hours.h, limits, nullptr, nullptr);
  EXPECT_EQ(t.presence, 0);
  EXPECT_EQ(t.teaching, 0);
  EXPECT_EQ(t.week_teaching, 3);
}

TEST(PresenceAndTeaching, AnHourBandPairToleratesItsDays) {
  // Up to two days of six hours' presence are tolerated; the third counts.
  Hours hours = eight_hours();
  const std::uint8_t pairs[][2] = {{6, 2}};
  WeekMasks w = week_of({"XXXXXX..", "XXXXXX..", "XXXXXX..", "XXX.....", "XXXXXXX."});
  PresenceLimits presence_only{5, 8, 0, {pairs, 1}, {nullptr, 0}};
  std::vector<Report> reports;
  PresenceTally t = count_presence_teaching(w, w, 3, hours.h, presence_only, record, &reports);
  EXPECT_EQ(t.presence, 1);
  EXPECT_EQ(reports, (std::vector<Report>{{8, 6, 1}}));
  t = count_presence_teaching(w, w, 2, hours.h, presence_only, nullptr, nullptr);
  EXPECT_EQ(t.presence, 0);
  // A seven-hour day is beyond what the pair names.
  t = count_presence_teaching(w, w, 5, hours.h, presence_only, nullptr, nullptr);
  EXPECT_EQ(t.presence, 1 + 2);
  // The same pair on the teaching hours.
  PresenceLimits teaching_only{8, 5, 0, {nullptr, 0}, {pairs, 1}};
  t = count_presence_teaching(w, w, 3, hours.h, teaching_only, nullptr, nullptr);
  EXPECT_EQ(t.presence, 0);
  EXPECT_EQ(t.teaching, 1);
  // Without the pair every day above the limit counts.
  PresenceLimits plain{5, 5, 0, {nullptr, 0}, {nullptr, 0}};
  t = count_presence_teaching(w, w, 3, hours.h, plain, nullptr, nullptr);
  EXPECT_EQ(t.presence, 3);
  EXPECT_EQ(t.teaching, 3);
}

TEST(DailyExcess, IsTheValueAboveTheLimitUnlessAPairToleratesIt) {
  int hist[13] = {};
  HourBandPairs none{nullptr, 0};
  EXPECT_EQ(daily_excess(4, 5, none, hist), 0);
  EXPECT_EQ(daily_excess(5, 5, none, hist), 0);
  EXPECT_EQ(daily_excess(7, 5, none, hist), 2);
  const std::uint8_t pairs[][2] = {{6, 1}, {7, 3}};
  HourBandPairs two{pairs, 2};
  hist[6] = 1;
  EXPECT_EQ(daily_excess(6, 5, two, hist), 0);
  hist[6] = 2;  // more six-hour days than the first pair allows, fewer than the second
  EXPECT_EQ(daily_excess(6, 5, two, hist), 0);
  hist[6] = 4;
  EXPECT_EQ(daily_excess(6, 5, two, hist), 1);
}

TEST(WorkingDays, CountTheDaysShortOfTheMinimumOrTheLightestAboveTheMaximum) {
  const int loads[kDays] = {3, 0, 2, 4, 1, 5, 0};
  struct {
    int days, min_days, max_days, count, worked;
  } cases[] = {
      {5, 5, 5, 1, 4}, {5, 3, 5, 0, 4}, {5, 4, 4, 0, 4}, {5, 1, 2, 3, 4},  {5, 0, 0, 10, 4},
      {5, 6, 3, 1, 4}, {3, 3, 5, 1, 2}, {6, 6, 6, 1, 5}, {6, 1, 3, 3, 5},  {7, 7, 7, 2, 5},
      {9, 0, 4, 1, 5}, {5, 1, -1, 10, 4},
  };
  for (const auto& c : cases) {
    int worked = -1;
    EXPECT_EQ(count_working_days(loads, c.days, c.min_days, c.max_days, &worked), c.count)
        << c.days << " days, " << c.min_days << " to " << c.max_days;
    EXPECT_EQ(worked, c.worked) << c.days << " days";
  }
  EXPECT_EQ(count_working_days(loads, 5, 5, 5, nullptr), 1);
}

TEST(ClassDistribution, CountsTheDaysHoldingThePairsHoursBeyondTheDaysAllowed) {
  const int loads[kDays] = {2, 2, 2, 1, 3, 2, 0};
  const std::int8_t pairs[][2] = {{2, 1}, {3, 0}, {1, 1}};
  EXPECT_EQ(count_class_distribution(loads, 5, pairs, 3), 2 + 1 + 0);
  EXPECT_EQ(count_class_distribution(loads, 6, pairs, 3), 3 + 1 + 0);
  EXPECT_EQ(count_class_distribution(loads, 2, pairs, 3), 1);
  EXPECT_EQ(count_class_distribution(loads, 5, pairs, 1), 2);
  EXPECT_EQ(count_class_distribution(loads, 5, pairs, 0), 0);
  const std::int8_t generous[][2] = {{2, 5}};
  EXPECT_EQ(count_class_distribution(loads, 7, generous, 1), 0);
  const std::int8_t empty_days[][2] = {{0, 1}};
  EXPECT_EQ(count_class_distribution(loads, 7, empty_days, 1), 0);
}

TEST(LateShare, CountsTheLateLessonsAboveEachPairsPercent) {
  // Lessons at hour h or later, of 20 in the week.
  const int late_from[kHoursPerDay] = {20, 18, 15, 12, 8, 5, 3, 1, 0, 0, 0, 0};
  struct {
    std::vector<std::vector<std::int8_t>> pairs;
    int weekly;
    int count, first;
  } cases[] = {
      {{{5, 30}, {6, 10}}, 20, 2 + 3, 0},
      {{{5, 50}, {7, 10}}, 20, 1, 1},
      {{{5, 40}}, 20, 0, -1},           // exactly the share
      {{{5, 39}}, 20, 8 - 7, 0},
      {{{0, 50}}, 20, 20 - 10, 0},      // an hour before the first: every lesson
      {{{13, 0}}, 20, 0, -1},           // past the day
      {{{5, 30}, {6, 10}}, 2, 8, 0},    // two hours a week: one pair read
      {{{5, 30}}, 0, 0, -1},
      {{{1, 100}, {2, 80}, {3, 70}}, 20, 0 + 2 + 1, 1},
      {{{1, 90}, {2, 80}, {3, 70}}, 20, 2 + 2 + 1, 0},
  };
  for (const auto& c : cases) {
    std::int8_t pairs[4][2] = {};
    for (std::size_t i = 0; i < c.pairs.size(); ++i) {
      pairs[i][0] = c.pairs[i][0];
      pairs[i][1] = c.pairs[i][1];
    }
    int first = 99;
    EXPECT_EQ(count_late_share(late_from, c.weekly, pairs, static_cast<int>(c.pairs.size()), &first), c.count)
        << "from " << int(pairs[0][0]) << " at " << int(pairs[0][1]) << "%, " << c.weekly << " hours";
    EXPECT_EQ(first, c.first) << "from " << int(pairs[0][0]) << " at " << int(pairs[0][1]) << "%";
  }
}

TEST(StandbyHours, CountTheHoursAboveTheDailyMaximum) {
  const int standby[kDays] = {3, 1, 4, 0, 2, 5, 5};
  EXPECT_EQ(count_standby_excess(standby, 5, 2), 1 + 2);
  EXPECT_EQ(count_standby_excess(standby, 7, 2), 1 + 2 + 3 + 3);
  EXPECT_EQ(count_standby_excess(standby, 5, 0), 3 + 1 + 4 + 2);
  EXPECT_EQ(count_standby_excess(standby, 5, 5), 0);
  EXPECT_EQ(count_standby_excess(standby, 9, 4), 2);
}

}  // namespace
