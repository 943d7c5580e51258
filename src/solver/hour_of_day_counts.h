// Counting rules of the teacher constraints on hours of the day: days worked
// in the first or last hours or in a configured band (MIN and MAX kinds),
// days straddling a given hour, and the desired and maximum hours per day.
//
// Pure functions over a teacher's week masks: no model tables are read, so
// the full and the delta checks share one rule and tests build weeks by
// hand. A result carries the count and the factor of the teacher's points
// that goes into the secondary score (negative where the rule says so).
//
// Workload: called for every teacher on every full evaluation and for one
// teacher on every priced move; each rule is a few popcounts per day.
#pragma once

#include <cstdint>

#include "solver/week_masks.h"

struct RuleTally {
  int count = 0;
  long long secondary = 0;  // multiplied by the teacher's points
};

// Band of a day as a mask per day, with its width in hours.
struct DayBand {
  DayMask hours[kDays];
  int width;
};

// Hours first..last (1-based, inclusive) on every day.
DayBand band_of_hours(int first, int last);
// The first n hours of every day.
DayBand band_first_hours(int n);
// The last n hours of each day, by the day's own length.
DayBand band_last_hours(int n, const std::uint8_t* hours_per_day);

// MIN kind: days busy in the band fall short of min_days.
RuleTally count_band_minimum(const WeekMasks& week, int days, const DayBand& band, int min_days);
// MAX kind: busy band hours above width x max_days, else band days above
// max_days.
RuleTally count_band_maximum(const WeekMasks& week, int days, const DayBand& band, int max_days);

// Days with lessons both before and after the straddled hour H+1 (1-based):
// when more than max_days straddle, the smaller side of every straddling day.
RuleTally count_straddled_hour(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                               int hour, int max_days);

// Desired hours per day: the hours missing on the days that want some.
// flagged gets one bit per day that fell short.
RuleTally count_desired_hours(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                              const std::int8_t* desired, unsigned* flagged);

// Maximum hours per day (12 = no limit): the hours above it; last_day is the
// last day found above its limit (-1 none).
RuleTally count_maximum_hours(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                              const std::int8_t* maximum, int* last_day);
