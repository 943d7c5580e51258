// Counting rules of the teacher constraints on hours of the day (see the
// header). Every loop runs over the days of the week only, and every band is
// clipped to the 12 hours of a day, so a parameter out of range counts
// nothing instead of reading past a row.
//
// Workload: a few popcounts per day per call.
#include "solver/hour_of_day_counts.h"

#include <algorithm>

DayBand band_of_hours(int first, int last) {
  DayBand band{};
  band.width = last >= first ? last - first + 1 : 0;
  DayMask m = band.width > 0 ? hour_range(first - 1, last - 1) : 0;
  for (DayMask& day : band.hours) day = m;
  return band;
}

DayBand band_first_hours(int n) {
  DayBand band = band_of_hours(1, n);
  band.width = n > 0 ? n : 0;
  return band;
}

DayBand band_last_hours(int n, const std::uint8_t* hours_per_day) {
  DayBand band{};
  band.width = n > 0 ? n : 0;
  for (int d = 0; d < kDays; ++d) {
    int hours = hours_per_day[d];
    band.hours[d] = n > 0 ? hour_range(hours - n, hours - 1) : 0;
  }
  return band;
}

RuleTally count_band_minimum(const WeekMasks& week, int days, const DayBand& band, int min_days) {
  int found = 0;
  for (int d = 0; d < days && d < kDays; ++d)
    if ((week.day[d] & band.hours[d]) != 0) ++found;
  RuleTally t;
  if (min_days - found > 0) {
    t.count = min_days - found;
    t.secondary = t.count;
  }
  return t;
}

RuleTally count_band_maximum(const WeekMasks& week, int days, const DayBand& band, int max_days) {
  int hours = 0, found = 0;
  for (int d = 0; d < days && d < kDays; ++d) {
    int n = busy_count(week.day[d] & band.hours[d]);
    hours += n;
    if (n > 0) ++found;
  }
  RuleTally t;
  int hour_limit = band.width * max_days;
  if (hours > hour_limit) {
    t.count = hours - hour_limit;
    t.secondary = hour_limit - hours;
  } else if (found > max_days) {
    t.count = found - max_days;
    t.secondary = max_days - found;
  }
  return t;
}

RuleTally count_straddled_hour(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                               int hour, int max_days) {
  // Every straddling day is charged its smaller side, so the order in which
  // the days are taken out does not change the sum.
  int straddling = 0, total = 0;
  for (int d = 0; d < days && d < kDays; ++d) {
    DayMask m = week.day[d] & day_hours(hours_per_day[d]);
    int before = busy_count(m & hour_range(0, hour - 1));
    int after = before > 0 ? busy_count(m & hour_range(hour + 1, hours_per_day[d] - 1)) : 0;
    if (before > 0 && after > 0) {
      ++straddling;
      total += std::min(before, after);
    }
  }
  RuleTally t;
  if (straddling > max_days && straddling > 0) {
    t.count = total;
    t.secondary = -static_cast<long long>(total);
  }
  return t;
}

RuleTally count_desired_hours(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                              const std::int8_t* desired, unsigned* flagged) {
  RuleTally t;
  unsigned flags = 0;
  for (int d = 0; d < days && d < kDays; ++d) {
    int want = desired[d];
    if (want == 0) continue;
    int n = busy_count(week.day[d] & day_hours(hours_per_day[d]));
    if (n < want) {
      t.count += want - n;
      flags |= 1u << d;
    }
  }
  t.secondary = t.count;
  if (flagged) *flagged = flags;
  return t;
}

RuleTally count_maximum_hours(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                              const std::int8_t* maximum, int* last_day) {
  RuleTally t;
  int last = -1;
  for (int d = 0; d < days && d < kDays; ++d) {
    int limit = maximum[d];
    if (limit >= kHoursPerDay) continue;
    if (limit < 0) limit = 0;
    int n = busy_count(week.day[d] & day_hours(hours_per_day[d]));
    if (n > limit) {
      t.count += n - limit;
      last = d;
    }
  }
  t.secondary = t.count;
  if (last_day) *last_day = last;
  return t;
}
