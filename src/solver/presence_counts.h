// Counting rules of the teacher constraints on presence and hours: the
// daily presence span and teaching hours against their limits (with the
// tolerated excess days of the hour-band pairs), the number of working days,
// the spread of a teacher's hours in one class over the week, the share of
// late lessons in a class, stand-by hours per day, and the steering sum of
// a flagged teacher.
//
// Pure functions over week masks and small per-day tables; the evaluators
// build those from the teacher's grids and the model and call these.
//
// Workload: every teacher on each full evaluation, one teacher per priced
// move; at most 7 days x 13 histogram entries per rule.
#pragma once

#include <cstdint>

#include "solver/week_masks.h"

// One day's excess of a daily limit, with the tolerated days of the
// teacher's (hours, days) pairs: hist counts the days seen so far per value.
struct HourBandPairs {
  const std::uint8_t (*pairs)[2];
  int count;
};
// Returns the excess n of the day (0 when within the limit or tolerated).
// hist has 13 entries (0 to 12) and is updated as the rule says.
int daily_excess(int value, int limit, const HourBandPairs& pairs, int* hist);

// Presence (span of the day), teaching hours and minimum per day, summed
// over the week. day_excess receives each day's counts for reporting.
struct PresenceTally {
  int presence = 0;   // id 8
  int teaching = 0;   // id 9
  int minimum = 0;    // id 10
  int week_teaching = 0;
};
struct PresenceLimits {
  int max_presence;
  int max_teaching;
  int min_hours;
  HourBandPairs presence_pairs;
  HourBandPairs teaching_pairs;
};
using PresenceSink = void (*)(void* ctx, int id, int value, int n);
PresenceTally count_presence_teaching(const WeekMasks& presence, const WeekMasks& teaching, int days,
                                      const std::uint8_t* hours_per_day, const PresenceLimits& limits,
                                      PresenceSink sink, void* ctx);

// Working days: days with a lesson against the minimum and maximum. With
// more days than the maximum, the lessons of the lightest days to free.
int count_working_days(const int* loads, int days, int min_days, int max_days, int* worked);

// Spread of one class's hours over the week: for each (hours, days) pair,
// days holding exactly that many hours beyond the days allowed.
int count_class_distribution(const int* loads, int days, const std::int8_t (*pairs)[2], int pair_count);

// Late lessons of one class: for each (from hour, percent) pair while its
// position + 1 is below the weekly hours, the lessons at or after the hour
// above the share. late_from[h] = lessons at grid hour h or later.
// first_hit gets the position of the first pair that counted (-1 none).
int count_late_share(const int* late_from, int weekly_hours, const std::int8_t (*pairs)[2],
                     int pair_count, int* first_hit = nullptr);

// Stand-by hours per day above the daily maximum.
int count_standby_excess(const int* standby_per_day, int days, int daily_max);
