// What each teacher gap rule counts on a week written by hand: free hours
// between lessons, transfer and rest gaps, the excess over the allowance,
// days with many or two gaps, adjacent gaps in both modes, gaps on watched
// and on short days, the hours after the return from lunch and the lunch
// breaks a teacher may leave free. A week is one string per day, 'X' a
// lesson, '.' a free hour; every day has eight hours unless a case says.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "solver/gap_counts.h"
#include "solver/week_masks.h"
#include "week_text.h"

namespace {

using namespace kt_week_text;

std::string day_text(DayMask m, int hours) {
  std::string s;
  for (int h = 0; h < hours; ++h) s += is_busy(m, h) ? 'X' : '.';
  return s;
}

const GapContext kPlain{nullptr, false, 0, nullptr, nullptr, 0};

// --- free hours between lessons ---------------------------------------

struct GapCase {
  const char* name;
  std::vector<std::string> week;
  int days;
  int gaps;
};
void PrintTo(const GapCase& c, std::ostream* os) { *os << c.name; }

class GapHours : public ::testing::TestWithParam<GapCase> {};

TEST_P(GapHours, CountsTheFreeHoursBetweenTheFirstAndTheLastLesson) {
  const GapCase& c = GetParam();
  Hours hours = eight_hours();
  GapTally t = count_gap_hours(week_of(c.week), c.days, hours.h, kPlain);
  EXPECT_EQ(t.gaps, c.gaps);
  EXPECT_EQ(t.transfers, 0);
  EXPECT_EQ(t.rests, 0);
}

const GapCase kGapCases[] = {
    {"EmptyWeek", {}, 5, 0},
    {"OneLesson", {"...X...."}, 5, 0},
    {"CompactDay", {"..XXX..."}, 5, 0},
    {"OneGap", {"X.X....."}, 5, 1},
    {"ThreeHourGap", {"X...X..."}, 5, 3},
    {"TwoGapsOneDay", {"X.X.X..."}, 5, 2},
    {"FreeHoursAtTheEndsAreNoGaps", {"..X..X.."}, 5, 2},
    {"SummedOverDays", {"X.X.....", "", "X..X....", "XXXX...X"}, 5, 6},
    {"DaysPastTheWeekAreNotCounted", {"X.X.....", "", "", "", "", "X..X...."}, 5, 1},
    {"SevenDayWeek", {"", "", "", "", "", "", "X.X....."}, 7, 1},
    {"DaysAboveSevenAreClipped", {"", "", "", "", "", "", "X.X....."}, 9, 1},
};
INSTANTIATE_TEST_SUITE_P(Weeks, GapHours, ::testing::ValuesIn(kGapCases),
                         [](const ::testing::TestParamInfo<GapCase>& i) { return std::string(i.param.name); });

TEST(GapHoursOfShortDays, HoursPastTheDaysLengthAreOutsideTheWeek) {
  Hours hours = eight_hours();
  hours.h[0] = 4;  // the lesson in hour 5 does not exist
  hours.h[1] = 6;
  GapTally t = count_gap_hours(week_of({"X...X...", "X....X.."}), 5, hours.h, kPlain);
  EXPECT_EQ(t.gaps, 4);
}

TEST(GapHoursOfBuildings, AChangeOfBuildingMakesATransferGap) {
  Hours hours = eight_hours();
  std::int32_t building[kDays * kHoursPerDay];
  for (auto& b : building) b = -1;
  // Day 0: lessons at 0 and 2 in buildings 0 and 1; day 1: 0 and 2 in the
  // same building; day 2: 0 and 3, two free hours, buildings differ but the
  // gap is not a single hour between two lessons.
  building[0] = 0;
  building[2] = 1;
  building[kHoursPerDay + 0] = 1;
  building[kHoursPerDay + 2] = 1;
  building[2 * kHoursPerDay + 0] = 0;
  building[2 * kHoursPerDay + 3] = 1;
  GapContext c{building, false, 0, nullptr, nullptr, 0};
  GapTally t = count_gap_hours(week_of({"X.X.....", "X.X.....", "X..X...."}), 5, hours.h, c);
  EXPECT_EQ(t.gaps, 4);
  EXPECT_EQ(t.transfers, 1);

  // An unknown building on either side is no transfer.
  building[2] = -1;
  t = count_gap_hours(week_of({"X.X....."}), 5, hours.h, c);
  EXPECT_EQ(t.gaps, 1);
  EXPECT_EQ(t.transfers, 0);
}

TEST(GapHoursOfBuildings, ATimedTransferWithinTheAllowedMinutesIsNoGap) {
  Hours hours = eight_hours();
  std::int32_t building[kDays * kHoursPerDay];
  std::uint16_t start[kDays * kHoursPerDay], end[kDays * kHoursPerDay];
  for (int s = 0; s < kDays * kHoursPerDay; ++s) {
    building[s] = -1;
    start[s] = static_cast<std::uint16_t>(480 + 60 * (s % kHoursPerDay));
    end[s] = static_cast<std::uint16_t>(start[s] + 50);
  }
  building[0] = 0;
  building[2] = 1;
  // Hour 0 ends at 8:50, hour 2 starts at 10:00: 70 minutes.
  GapContext within{building, false, 70, start, end, 0};
  GapTally t = count_gap_hours(week_of({"X.X....."}), 5, hours.h, within);
  EXPECT_EQ(t.gaps, 0);
  EXPECT_EQ(t.transfers, 0);

  GapContext longer{building, false, 69, start, end, 0};
  t = count_gap_hours(week_of({"X.X....."}), 5, hours.h, longer);
  EXPECT_EQ(t.gaps, 1);
  EXPECT_EQ(t.transfers, 1);

  // With the class rotating between buildings every change is a transfer.
  GapContext rotation{building, true, 70, start, end, 0};
  t = count_gap_hours(week_of({"X.X....."}), 5, hours.h, rotation);
  EXPECT_EQ(t.gaps, 1);
  EXPECT_EQ(t.transfers, 1);

  // No timing known: a transfer whatever the minutes.
  GapContext untimed{building, false, 70, nullptr, nullptr, 0};
  t = count_gap_hours(week_of({"X.X....."}), 5, hours.h, untimed);
  EXPECT_EQ(t.transfers, 1);
}

struct RestCase {
  const char* name;
  std::string day;
  int block;
  int gaps;
  int rests;
};
void PrintTo(const RestCase& c, std::ostream* os) { *os << c.name; }
class RestGaps : public ::testing::TestWithParam<RestCase> {};

TEST_P(RestGaps, AGapNextToARunOfTheRestBlockIsARest) {
  const RestCase& c = GetParam();
  Hours hours = eight_hours();
  GapContext ctx{nullptr, false, 0, nullptr, nullptr, c.block};
  GapTally t = count_gap_hours(week_of({c.day}), 5, hours.h, ctx);
  EXPECT_EQ(t.gaps, c.gaps);
  EXPECT_EQ(t.rests, c.rests);
}

const RestCase kRestCases[] = {
    {"ShortRunsBothSides", "X.X.....", 2, 1, 0},
    {"RunBefore", "XX.X....", 2, 1, 1},
    {"RunAfter", "X.XX....", 2, 1, 1},
    {"RunAfterTheSecondFreeHour", "X..XX...", 2, 2, 1},
    {"RunOfThreeNeeded", "XX.XX...", 3, 1, 0},
    {"RunOfThreeBefore", "XXX.X...", 3, 1, 1},
    {"TwoRests", "XX.XX.XX", 2, 2, 2},
    {"NoRestRule", "XXX.XXX.", 0, 1, 0},
};
INSTANTIATE_TEST_SUITE_P(Days, RestGaps, ::testing::ValuesIn(kRestCases),
                         [](const ::testing::TestParamInfo<RestCase>& i) { return std::string(i.param.name); });

// --- the excess over the allowance -------------------------------------

TEST(GapExcess, IsWhatLiesAboveTheAllowanceGrowingInTheFocus) {
  struct {
    int gaps, allowance;
    bool focus;
    int excess;
  } cases[] = {
      {0, 0, false, 0}, {2, 3, false, 0}, {3, 3, false, 0}, {5, 3, false, 2}, {4, 0, false, 4},
      {0, 0, true, 0},  {2, 3, true, 0},  {4, 3, true, 1},  {5, 3, true, 5},  {6, 3, true, 12},
      {7, 3, true, 22},
  };
  for (const auto& c : cases)
    EXPECT_EQ(gap_excess(c.gaps, c.allowance, c.focus), c.excess)
        << c.gaps << " gaps, allowance " << c.allowance << (c.focus ? ", focus" : "");
}

// --- days with many or with two gaps ---------------------------------

TEST(ManyGapDays, SumsTheGapHoursOfDaysWithMoreThanTwo) {
  Hours hours = eight_hours();
  EXPECT_EQ(count_many_gap_days(week_of({"X...X...", "X..X....", "X....X..", "X.X.X.X."}), 5, hours.h), 3 + 4 + 3);
  EXPECT_EQ(count_many_gap_days(week_of({"X..X....", "X.X.X..."}), 5, hours.h), 0);
  EXPECT_EQ(count_many_gap_days(week_of({"", "", "", "", "", "X...X..."}), 5, hours.h), 0);
}

struct TwoGapCase {
  const char* name;
  std::vector<std::string> week;
  bool wants_two;
  int tolerance;
  int count;
};
void PrintTo(const TwoGapCase& c, std::ostream* os) { *os << c.name; }
class TwoGapDays : public ::testing::TestWithParam<TwoGapCase> {};

TEST_P(TwoGapDays, CountsTheDaysWithTwoGapsLessTheToleranceHalved) {
  const TwoGapCase& c = GetParam();
  Hours hours = eight_hours();
  EXPECT_EQ(count_two_gap_days(week_of(c.week), 5, hours.h, c.wants_two, c.tolerance), c.count);
}

// Gap hours a day: 2, 3 and 1 (sum of the days above one: 5).
const std::vector<std::string> kTwoThreeOne = {"X..X....", "X...X...", "X.X....."};
const TwoGapCase kTwoGapCases[] = {
    {"NoGaps", {"XXX....."}, false, 0, 0},
    {"OneGapDaysDoNotCount", {"X.X.....", "X.X....."}, false, 0, 0},
    {"OneDayOfTwoHalved", {"X..X...."}, false, 0, 1},
    {"Summed", kTwoThreeOne, false, 0, 2},
    {"WantsTwoTakesOneADay", kTwoThreeOne, true, 0, 1},
    {"WantsTwoOnTwoGapDayLeavesOne", {"X..X....", "X..X...."}, true, 0, 0},
    {"ToleranceTakenOnce", kTwoThreeOne, false, 1, 2},
    {"ToleranceLeavesOne", kTwoThreeOne, false, 4, 1},
    {"ToleranceAboveTheSum", kTwoThreeOne, false, 9, 0},
    {"NegativeToleranceIsNone", kTwoThreeOne, false, -3, 2},
    {"FourHalved", {"X..X....", "X..X...."}, false, 0, 2},
    {"SixHalved", {"X..X....", "X..X....", "X..X...."}, false, 0, 3},
};
INSTANTIATE_TEST_SUITE_P(Weeks, TwoGapDays, ::testing::ValuesIn(kTwoGapCases),
                         [](const ::testing::TestParamInfo<TwoGapCase>& i) { return std::string(i.param.name); });

// --- adjacent gaps ------------------------------------------------------

struct AdjacentCase {
  const char* name;
  std::vector<std::string> week;
  int mode;
  int count;
};
void PrintTo(const AdjacentCase& c, std::ostream* os) { *os << c.name; }
class AdjacentGaps : public ::testing::TestWithParam<AdjacentCase> {};

TEST_P(AdjacentGaps, CountsAsTheModeSays) {
  const AdjacentCase& c = GetParam();
  Hours hours = eight_hours();
  EXPECT_EQ(count_adjacent_gaps(week_of(c.week), 5, hours.h, c.mode), c.count);
}

const AdjacentCase kAdjacentCases[] = {
    // Mode 2 and above: a lesson after two free hours, with a lesson earlier.
    {"TwoFreeHoursAfterTheFirstLesson", {"X..X...."}, 2, 1},
    {"ThreeFreeHours", {"X...X..."}, 2, 1},
    {"EarlierLessonFurtherBack", {"XX...X.."}, 3, 1},
    {"LessonJustBeforeTheRun", {".X..X..."}, 2, 1},
    {"OneFreeHourOnly", {"X.X.X.X."}, 2, 0},
    {"NoEarlierLesson", {"...X.XX."}, 2, 0},
    {"TwiceADay", {"X..X..X."}, 2, 2},
    {"OverDays", {"X..X....", "XX..XX..", "X.X....."}, 2, 2},
    {"DaysPastTheWeek", {"", "", "", "", "", "X..X...."}, 2, 0},
    // Mode 1: a gap followed by another gap later the same day.
    {"ModeOneTwoGaps", {"X.X.X..."}, 1, 1},
    {"ModeOneThreeGaps", {"X.X.X.X."}, 1, 2},
    {"ModeOneGapThenLongGap", {"X.X..X.."}, 1, 1},
    {"ModeOneSingleGap", {"X.X....."}, 1, 0},
    {"ModeOneLongGapFirst", {"X..X.X.."}, 1, 1},
    {"ModeOneGapsOnTwoDays", {"X.X.....", "X.X....."}, 1, 0},
    // Mode 0: not counted.
    {"ModeZero", {"X..X.X..", "X.X.X..."}, 0, 0},
};
INSTANTIATE_TEST_SUITE_P(Weeks, AdjacentGaps, ::testing::ValuesIn(kAdjacentCases),
                         [](const ::testing::TestParamInfo<AdjacentCase>& i) { return std::string(i.param.name); });

// --- gaps on watched days and on short days ----------------------------

TEST(GapsOnWatchedDays, CountEachGapOnceOnTheWatchedDaysOnly) {
  Hours hours = eight_hours();
  const std::int8_t unset = static_cast<std::int8_t>(255);
  std::int8_t watched[kDays] = {1, 0, 2, unset, 1, 1, 1};
  int per_day[kDays];
  for (int& v : per_day) v = 99;
  WeekMasks w = week_of({"X..X.X..", "X.X.....", "X.X.X.X.", "X.X.....", "XX..XX..", "X.X....."});
  EXPECT_EQ(count_gaps_on_days(w, 5, hours.h, watched, per_day), 2 + 3 + 1);
  const int expected[kDays] = {2, 0, 3, 0, 1, 0, 0};
  for (int d = 0; d < kDays; ++d) EXPECT_EQ(per_day[d], expected[d]) << "day " << d;
  // Without a per-day list the total is the same.
  EXPECT_EQ(count_gaps_on_days(w, 5, hours.h, watched, nullptr), 6);
}

TEST(GapsOnShortDays, CountTheGapHoursOfDaysWithFewLessons) {
  Hours hours = eight_hours();
  int per_day[kDays];
  for (int& v : per_day) v = 99;
  WeekMasks w = week_of({"X..X....", "X.X.X...", "X....X..", "", "X.XX.X..", "X..X...."});
  EXPECT_EQ(count_gaps_on_short_days(w, 5, hours.h, 2, per_day), 2 + 4);
  const int expected[kDays] = {2, 0, 4, 0, 0, 0, 0};
  for (int d = 0; d < kDays; ++d) EXPECT_EQ(per_day[d], expected[d]) << "day " << d;
  EXPECT_EQ(count_gaps_on_short_days(w, 5, hours.h, 3, nullptr), 2 + 2 + 4);
  EXPECT_EQ(count_gaps_on_short_days(w, 5, hours.h, 1, nullptr), 0);
}

// --- hours after the return from lunch ----------------------------------

struct ReturnCase {
  const char* name;
  std::string day;
  int lunch_hour;
  int max_length;
  int minimum;
  int count;
};
void PrintTo(const ReturnCase& c, std::ostream* os) { *os << c.name; }
class HoursAfterReturn : public ::testing::TestWithParam<ReturnCase> {};

TEST_P(HoursAfterReturn, CountsWhatTheAfternoonFallsShortOfTheMinimum) {
  const ReturnCase& c = GetParam();
  Hours hours = eight_hours();
  EXPECT_EQ(count_hours_after_return(week_of({c.day}), 5, hours.h, c.lunch_hour, c.max_length, c.minimum),
            c.count);
}

const ReturnCase kReturnCases[] = {
    {"TwoAfterTheBreakOfThree", "XXXX.XX.", 4, 2, 3, 1},
    {"EnoughAfterTheBreak", "XXXX.XXX", 4, 2, 3, 0},
    {"OneBeforeALaterGap", "XXXX.X.X", 4, 2, 3, 2},
    {"NoBreak", "XXXXXXXX", 4, 2, 3, 0},
    {"NothingAfterTheBreak", "XXXX....", 4, 2, 3, 0},
    {"BreakPastTheWindow", "XXXXXX.X", 4, 2, 3, 0},
    {"FreeLunchHourWalksBack", "XXX.XX..", 3, 2, 3, 1},
    {"EarlierFreeHourBeforeLunch", "XX.X.XX.", 4, 2, 3, 1},
    // A break that starts before the lunch hour is two free hours; the count
    // stops at its second hour, followed by a lesson.
    {"TwoHourBreakBeforeLunch", "X..XXX..", 2, 2, 4, 0},
    {"TwoHourBreakAtLunch", "XX..XX..", 2, 2, 3, 0},
    {"MinimumOfOne", "XXXX.X..", 4, 2, 1, 0},
    {"EmptyDay", "........", 4, 2, 3, 0},
};
INSTANTIATE_TEST_SUITE_P(Days, HoursAfterReturn, ::testing::ValuesIn(kReturnCases),
                         [](const ::testing::TestParamInfo<ReturnCase>& i) { return std::string(i.param.name); });

TEST(HoursAfterReturnOverTheWeek, EveryDayCountsOnItsOwn) {
  Hours hours = eight_hours();
  WeekMasks w = week_of({"XXXX.XX.", "XXXX.X.X", "XXXX.XXX", "", "XXXX.XX.", "XXXX.X.."});
  EXPECT_EQ(count_hours_after_return(w, 5, hours.h, 4, 2, 3), 1 + 2 + 0 + 0 + 1);
}

// --- lunch breaks left free ---------------------------------------------

struct LunchCase {
  const char* name;
  std::vector<std::string> week;
  LunchRule rule;
  int filled;
  std::vector<std::string> after;
};
void PrintTo(const LunchCase& c, std::ostream* os) { *os << c.name; }
class LunchBreaks : public ::testing::TestWithParam<LunchCase> {};

TEST_P(LunchBreaks, FillTheToleratedBreaks) {
  const LunchCase& c = GetParam();
  Hours hours = eight_hours();
  WeekMasks w = week_of(c.week);
  EXPECT_EQ(fill_lunch_breaks(w, 5, hours.h, c.rule, nullptr), c.filled);
  for (int d = 0; d < kDays; ++d) {
    std::string want = d < static_cast<int>(c.after.size()) ? c.after[d] : "";
    if (want.empty()) want = "........";
    EXPECT_EQ(day_text(w.day[d], 8), want) << "day " << d;
  }
}

const LunchCase kLunchCases[] = {
    {"FreeLunchHour", {"XXX.XX.."}, {3, 1, 2, 5}, 1, {"XXXXXX.."}},
    {"BusyLunchHourBreakAfter", {"XXXX.X.."}, {3, 1, 2, 5}, 1, {"XXXXXX.."}},
    {"TwoHourBreak", {"XX..XX.."}, {3, 1, 2, 5}, 1, {"XXXXXX.."}},
    {"BreakTooLong", {"XX...XX."}, {3, 1, 2, 5}, 0, {"XX...XX."}},
    {"BreakTooShort", {"XXX.XX.."}, {3, 2, 3, 5}, 0, {"XXX.XX.."}},
    {"BreakTouchesTheStart", {"...XXX.."}, {2, 1, 3, 5}, 0, {"...XXX.."}},
    {"BreakReachesTheEnd", {"XXX....."}, {3, 1, 9, 5}, 0, {"XXX....."}},
    {"BusyHourThenTheEnd", {"XXXX...."}, {3, 1, 9, 5}, 0, {"XXXX...."}},
    {"NoBreakAtAll", {"XXXXXX.."}, {3, 1, 2, 5}, 0, {"XXXXXX.."}},
    {"OnlyTheToleratedDays", {"XXX.XX..", "XXX.XX..", "XXX.XX.."}, {3, 1, 2, 2}, 2,
     {"XXXXXX..", "XXXXXX..", "XXX.XX.."}},
    {"NoLunchHour", {"XXX.XX.."}, {0, 1, 2, 5}, 0, {"XXX.XX.."}},
    {"NoToleratedDays", {"XXX.XX.."}, {3, 1, 2, 0}, 0, {"XXX.XX.."}},
    {"LunchAtTheLastHours", {"XXXXXX.X"}, {7, 1, 2, 5}, 0, {"XXXXXX.X"}},
};
INSTANTIATE_TEST_SUITE_P(Weeks, LunchBreaks, ::testing::ValuesIn(kLunchCases),
                         [](const ::testing::TestParamInfo<LunchCase>& i) { return std::string(i.param.name); });

TEST(LunchBreakFill, EachFilledHourPointsAtTheLessonThatEndsTheBreak) {
  Hours hours = eight_hours();
  WeekMasks w = week_of({"XX..XX..", "XXXX.X.."});
  std::int16_t from[kDays * kHoursPerDay];
  for (auto& v : from) v = -7;
  EXPECT_EQ(fill_lunch_breaks(w, 5, hours.h, LunchRule{3, 1, 2, 5}, from), 2);
  for (int s = 0; s < kDays * kHoursPerDay; ++s) {
    std::int16_t want = -7;
    if (s == 2 || s == 3) want = 4;
    if (s == kHoursPerDay + 4) want = kHoursPerDay + 5;
    EXPECT_EQ(from[s], want) << "slot " << s;
  }
}

}  // namespace
