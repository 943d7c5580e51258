// Hand-built weeks for the gap rules: gap hours with transfers and rest
// gaps, the lunch break left free, the allowance taken once, days with many
// and with two gaps, adjacent gaps, watched days, short days and hours after
// the return. Rows read hour 1 to 12, 'x' busy.
//
// Each expected value is worked out by hand in the comment beside it.
#include <gtest/gtest.h>

#include "solver/gap_counts.h"

namespace {

const std::uint8_t kEight[kDays] = {8, 8, 8, 8, 8, 8, 0};

TEST(EvalGap, GapHoursAndRestGaps) {
  // Lessons at hours 2 and 5 only: 2 gap hours; with a rest block of 1
  // both are rest gaps.
  WeekMasks w = masks_from_rows({".x..x..."});
  GapContext ctx{};
  EXPECT_EQ(count_gap_hours(w, 5, kEight, ctx).gaps, 2);
  ctx.rest_block = 1;
  GapTally t = count_gap_hours(w, 5, kEight, ctx);
  EXPECT_EQ(t.rests, 2);
  ctx.rest_block = 2;
  EXPECT_EQ(count_gap_hours(w, 5, kEight, ctx).rests, 0);
}

TEST(EvalGap, FreeRunAtEndOfDayIsNoGap) {
  WeekMasks w = masks_from_rows({"xx......", "..xx....", "x.x.x..."});
  EXPECT_EQ(count_gap_hours(w, 5, kEight, GapContext{}).gaps, 2);
}

TEST(EvalGap, TransferGaps) {
  std::int32_t building[kWeekSlots];
  std::uint16_t start[kWeekSlots] = {}, end[kWeekSlots] = {};
  for (int s = 0; s < kWeekSlots; ++s) {
    building[s] = (s % 12) < 2 ? 0 : 1;
    start[s] = static_cast<std::uint16_t>(480 + (s % 12) * 60);
    end[s] = static_cast<std::uint16_t>(start[s] + 60);
  }
  WeekMasks w = masks_from_rows({".x.x...."});  // hour 2 in building 0, hour 4 in building 1
  GapContext ctx{building, false, 0, start, end, 0};
  GapTally t = count_gap_hours(w, 5, kEight, ctx);
  EXPECT_EQ(t.gaps, 1);
  EXPECT_EQ(t.transfers, 1);
  // Transfer time 30 minutes: the 60 free minutes exceed it, still a transfer gap.
  ctx.transfer_minutes = 30;
  EXPECT_EQ(count_gap_hours(w, 5, kEight, ctx).transfers, 1);
  // Transfer time 90: the free hour is the transfer itself, not a gap.
  ctx.transfer_minutes = 90;
  t = count_gap_hours(w, 5, kEight, ctx);
  EXPECT_EQ(t.gaps, 0);
  EXPECT_EQ(t.transfers, 0);
}

TEST(EvalGap, AllowanceSubtractsOnce) {
  // Allowance 2: one gap costs 0, two cost 0, three cost 1.
  EXPECT_EQ(gap_excess(1, 2, false), 0);
  EXPECT_EQ(gap_excess(2, 2, false), 0);
  EXPECT_EQ(gap_excess(3, 2, false), 1);
  // The focus on gaps turns 3 excess hours into 12.
  EXPECT_EQ(gap_excess(5, 2, true), 12);
  EXPECT_EQ(gap_excess(2, 2, true), 0);
}

TEST(EvalGap, LunchBreakFilled) {
  // Lunch at hour index 4 (the fifth hour), breaks of 1 to 2 hours, one day.
  LunchRule rule{4, 1, 2, 1};
  WeekMasks w = masks_from_rows({"xxxx.xx.", "xxxx..xx"});
  std::int16_t from[kWeekSlots];
  for (std::int16_t& f : from) f = -1;
  EXPECT_EQ(fill_lunch_breaks(w, 5, kEight, rule, from), 1);
  EXPECT_EQ(w.day[0], 0b1111111);  // the free fifth hour is filled
  EXPECT_EQ(from[4], 5);           // with the class of the sixth hour
  EXPECT_EQ(w.day[1], 0b11001111);  // MXR 1: the second day keeps its gap
  // A run that reaches the end of the day is no break.
  WeekMasks open = masks_from_rows({"xxxx...."});
  EXPECT_EQ(fill_lunch_breaks(open, 5, kEight, LunchRule{4, 1, 4, 5}, nullptr), 0);
  // Lunch hour busy: the run after it is the break.
  WeekMasks busy = masks_from_rows({"xxxxx.xx"});
  EXPECT_EQ(fill_lunch_breaks(busy, 5, kEight, LunchRule{4, 1, 2, 5}, nullptr), 1);
  EXPECT_EQ(busy.day[0], 0xFF);
}

TEST(EvalGap, ManyAndTwoGapDays) {
  WeekMasks w = masks_from_rows({"x...x...", "x..x....", "x.x.....", "xx......"});
  // Gap hours per day: 3, 2, 1, 0.
  EXPECT_EQ(count_many_gap_days(w, 5, kEight), 3);
  // Days with more than one gap: 3 + 2 = 5, less the tolerance 2 = 3, halved = 1.
  EXPECT_EQ(count_two_gap_days(w, 5, kEight, false, 2), 1);
  // Wanting two gaps: 2 + 1(not counted) = 2, less 2 = 0.
  EXPECT_EQ(count_two_gap_days(w, 5, kEight, true, 2), 0);
  // One day of 3 gap hours and tolerance 2: 3 - 2 = 1, not halved.
  EXPECT_EQ(count_two_gap_days(masks_from_rows({"x...x..."}), 5, kEight, false, 2), 1);
  // Below the tolerance the sum is not charged at all.
  EXPECT_EQ(count_two_gap_days(masks_from_rows({"x..x...."}), 5, kEight, false, 5), 0);
}

TEST(EvalGap, AdjacentGaps) {
  WeekMasks w = masks_from_rows({"x..x.x..", "x.x.x..."});
  EXPECT_EQ(count_adjacent_gaps(w, 5, kEight, 2), 1);  // only Monday's double gap
  EXPECT_EQ(count_adjacent_gaps(w, 5, kEight, 1), 2);  // a gap with another later, each day
  EXPECT_EQ(count_adjacent_gaps(w, 5, kEight, 0), 0);
}

TEST(EvalGap, WatchedAndShortDays) {
  WeekMasks w = masks_from_rows({"x..x.x..", "x.x.....", "x.x.xxxx"});
  const std::int8_t watched[kDays] = {1, 0, 1, 0, 0, 0, 0};
  int per_day[kDays];
  EXPECT_EQ(count_gaps_on_days(w, 5, kEight, watched, per_day), 4);
  EXPECT_EQ(per_day[0], 2);
  EXPECT_EQ(per_day[2], 2);
  // Quorum 3: Monday (3 lessons, 3 gap hours) and Tuesday (2 lessons, 1);
  // Wednesday has 6 lessons.
  EXPECT_EQ(count_gaps_on_short_days(w, 5, kEight, 3, per_day), 4);
  EXPECT_EQ(per_day[2], 0);
}

TEST(EvalGap, HoursAfterReturn) {
  // Lunch at index 4, breaks up to 2 hours, at least 3 hours after the return.
  WeekMasks one_after = masks_from_rows({"xxxx.x.."});
  EXPECT_EQ(count_hours_after_return(one_after, 5, kEight, 4, 2, 3), 2);
  WeekMasks three_after = masks_from_rows({"xxxx.xxx"});
  EXPECT_EQ(count_hours_after_return(three_after, 5, kEight, 4, 2, 3), 0);
  WeekMasks morning = masks_from_rows({"xxxx...."});
  EXPECT_EQ(count_hours_after_return(morning, 5, kEight, 4, 2, 3), 0);
}

}  // namespace
