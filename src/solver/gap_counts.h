// Counting rules of the teacher gap constraints: gap hours of a day (free
// hours between two lessons), the lunch break that a teacher may leave free,
// the transfer and rest gaps that widen the allowance, and the members that
// count days with many or two gaps, adjacent gaps, gaps on watched days,
// gaps on short days and the hours after the return from lunch.
//
// Pure functions over week masks and per-slot building tables; the gap
// evaluators build those from the teacher's grids and call these, so the
// full and the delta checks share one rule.
//
// Workload: the gap family is the most often priced part of the search;
// every rule is a walk over at most 7 x 12 slots of one teacher.
#pragma once

#include <cstdint>

#include "solver/week_masks.h"

// The lunch rule: hour (0-based), break length bounds, days it is tolerated.
struct LunchRule {
  int hour;
  int min_length;
  int max_length;
  int days;  // "MXR:"
};
// Fills the tolerated lunch breaks into the week (busy bits) and, for each
// filled hour, fill_from[slot] gets the slot whose class fills it (the next
// occupied hour); other entries are left alone. Returns the breaks filled.
int fill_lunch_breaks(WeekMasks& week, int days, const std::uint8_t* hours_per_day, const LunchRule& rule,
                      std::int16_t* fill_from);

// What the main gap rule needs besides the mask.
struct GapContext {
  // Building of the class (rotation) or of the lesson (no rotation) in each
  // slot, -1 unknown; null when the school has one building.
  const std::int32_t* building;
  bool rotation;
  int transfer_minutes;            // 0: any change of building is a transfer gap
  const std::uint16_t* slot_start;  // minute each slot starts (null: no timing)
  const std::uint16_t* slot_end;    // minute each slot ends
  int rest_block;                  // "RIPOSO:" length, 0 none
};
struct GapTally {
  int gaps = 0;       // G
  int transfers = 0;  // F
  int rests = 0;      // R
};
GapTally count_gap_hours(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                         const GapContext& ctx);

// The excess over the allowance, at least 0; in the focus on gaps the excess
// grows as n(3n-1)/2.
int gap_excess(int gaps, int allowance, bool focus);

// Days with more than two gap hours: their gap hours summed.
int count_many_gap_days(const WeekMasks& week, int days, const std::uint8_t* hours_per_day);
// Days with two gap hours (less one when the teacher wants two gaps),
// less the tolerance once, halved above 1.
int count_two_gap_days(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                       bool wants_two, int tolerance);
// Adjacent gaps: mode above 1 counts runs of two free hours before a lesson
// with a lesson earlier; mode 1 counts gaps followed by another gap later
// the same day.
int count_adjacent_gaps(const WeekMasks& week, int days, const std::uint8_t* hours_per_day, int mode);
// Gaps (counted once, at their end) on the watched days (a positive byte;
// 255, a day the teacher gave no value for, is not watched); per_day gets
// each day's count.
int count_gaps_on_days(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                       const std::int8_t* watched, int* per_day);
// Gap hours of the days with at most `quorum` lessons; per_day as above.
int count_gaps_on_short_days(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                             int quorum, int* per_day);
// Hours after the return from the lunch break short of `minimum`.
int count_hours_after_return(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                             int lunch_hour, int max_length, int minimum);
