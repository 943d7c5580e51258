// Counting rules of the teacher gap constraints (see the header). A day is
// always clipped to its own hours first; a free run that reaches the start
// or the end of the day is never a gap and never a lunch break.
//
// Workload: the most priced family; every rule is one pass over the day
// masks of one teacher, with no allocation.
#include "solver/gap_counts.h"

#include <algorithm>

namespace {

DayMask day_of(const WeekMasks& w, int d, const std::uint8_t* hours) {
  return w.day[d] & day_hours(hours[d]);
}

int clip_days(int days) { return days > kDays ? kDays : days; }

}  // namespace

int fill_lunch_breaks(WeekMasks& week, int days, const std::uint8_t* hours_per_day, const LunchRule& r,
                      std::int16_t* fill_from) {
  if (r.hour <= 0 || r.days <= 0) return 0;
  int filled = 0;
  for (int d = 0; d < clip_days(days) && filled < r.days; ++d) {
    int hours = std::min<int>(hours_per_day[d], kHoursPerDay);
    int p = r.hour;
    if (p >= hours - 1) continue;
    DayMask m = week.day[d] & day_hours(hours);
    int from, to;  // the free run from..to, both inclusive
    if (is_busy(m, p)) {
      from = p + 1;
      to = from;
      while (to < hours && !is_busy(m, to)) ++to;
      if (to >= hours) continue;  // reaches the end of the day
      --to;
      if (to < from) continue;
    } else {
      from = p;
      while (from > 0 && !is_busy(m, from - 1)) --from;
      to = p;
      while (to < hours && !is_busy(m, to)) ++to;
      if (from == 0 || to >= hours) continue;  // touches the start or the end
      --to;
    }
    int length = to - from + 1;
    if (length < r.min_length || length > r.max_length || length < 1) continue;
    for (int h = from; h <= to; ++h) {
      week.day[d] |= static_cast<DayMask>(1u << h);
      if (fill_from) fill_from[d * kHoursPerDay + h] = static_cast<std::int16_t>(d * kHoursPerDay + to + 1);
    }
    ++filled;
  }
  return filled;
}

GapTally count_gap_hours(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                         const GapContext& c) {
  GapTally t;
  for (int d = 0; d < clip_days(days); ++d) {
    DayMask m = day_of(week, d, hours_per_day);
    int first = first_busy(m), last = last_busy(m);
    for (int h = first + 1; first >= 0 && h < last; ++h) {
      if (is_busy(m, h)) continue;
      ++t.gaps;
      int slot = d * kHoursPerDay + h;
      if (c.building && is_busy(m, h - 1) && is_busy(m, h + 1)) {
        int before = c.building[slot - 1], after = c.building[slot + 1];
        if (before >= 0 && after >= 0 && before != after) {
          if (c.rotation || c.transfer_minutes <= 0 || !c.slot_start) {
            ++t.transfers;
          } else if (c.slot_start[slot + 1] - c.slot_end[slot - 1] > c.transfer_minutes) {
            ++t.transfers;
          } else {
            --t.gaps;  // the free hour is the transfer itself
            continue;
          }
        }
      }
      if (c.rest_block > 0) {
        int run_before = 0, run_after = 0;
        for (int k = h - 1; k >= 0 && is_busy(m, k); --k) ++run_before;
        for (int k = h + 1; k < kHoursPerDay && is_busy(m, k); ++k) ++run_after;
        if (run_before >= c.rest_block || run_after >= c.rest_block) ++t.rests;
      }
    }
  }
  return t;
}

int gap_excess(int gaps, int allowance, bool focus) {
  int n = std::max(0, gaps - allowance);
  if (focus && n >= 1) n = n * (3 * n - 1) / 2;
  return n;
}

int count_many_gap_days(const WeekMasks& week, int days, const std::uint8_t* hours_per_day) {
  int n = 0;
  for (int d = 0; d < clip_days(days); ++d) {
    int g = day_gap_hours(day_of(week, d, hours_per_day));
    if (g > 2) n += g;
  }
  return n;
}

int count_two_gap_days(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                       bool wants_two, int tolerance) {
  int sum = 0;
  for (int d = 0; d < clip_days(days); ++d) {
    int g = day_gap_hours(day_of(week, d, hours_per_day));
    if (g >= 2 && wants_two) --g;
    if (g > 1) sum += g;
  }
  sum = std::max(0, sum - std::max(tolerance, 0));
  if (sum > 1) sum /= 2;
  return sum;
}

int count_adjacent_gaps(const WeekMasks& week, int days, const std::uint8_t* hours_per_day, int mode) {
  int n = 0;
  for (int d = 0; d < clip_days(days); ++d) {
    DayMask m = day_of(week, d, hours_per_day);
    if (mode > 1) {
      for (int h = 3; h < kHoursPerDay; ++h)
        if (is_busy(m, h) && !is_busy(m, h - 1) && !is_busy(m, h - 2) &&
            (m & hour_range(0, h - 3)) != 0)
          ++n;
    } else if (mode == 1) {
      for (int h = 0; h + 2 < kHoursPerDay; ++h) {
        if (!(is_busy(m, h + 2) && !is_busy(m, h + 1) && (m & hour_range(0, h)) != 0)) continue;
        // another gap later the same day: a free hour followed by a lesson
        for (int k = h + 3; k + 1 < kHoursPerDay; ++k)
          if (!is_busy(m, k) && is_busy(m, k + 1)) {
            ++n;
            break;
          }
      }
    }
  }
  return n;
}

int count_gaps_on_days(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                       const std::int8_t* watched, int* per_day) {
  int n = 0;
  for (int d = 0; d < kDays; ++d) {
    int k = 0;
    if (d < days && watched[d] > 0) {
      DayMask m = day_of(week, d, hours_per_day);
      for (int h = 2; h < kHoursPerDay; ++h)
        if (is_busy(m, h) && !is_busy(m, h - 1) && (m & hour_range(0, h - 2)) != 0) ++k;
    }
    if (per_day) per_day[d] = k;
    n += k;
  }
  return n;
}

int count_gaps_on_short_days(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                             int quorum, int* per_day) {
  int n = 0;
  for (int d = 0; d < kDays; ++d) {
    int k = 0;
    if (d < days) {
      DayMask m = day_of(week, d, hours_per_day);
      if (busy_count(m) <= quorum) k = day_gap_hours(m);
    }
    if (per_day) per_day[d] = k;
    n += k;
  }
  return n;
}

int count_hours_after_return(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                             int lunch_hour, int max_length, int minimum) {
  int n = 0;
  for (int d = 0; d < clip_days(days); ++d) {
    int hours = std::min<int>(hours_per_day[d], kHoursPerDay);
    DayMask m = week.day[d] & day_hours(hours);
    int start = lunch_hour;
    if (start >= kHoursPerDay) continue;
    if (start >= 0 && !is_busy(m, start)) {
      while (start > 0 && !is_busy(m, start)) --start;
    }
    int brk = -1;
    for (int h = std::max(start, 0); h < lunch_hour + max_length && h < hours - 1; ++h) {
      if (is_busy(m, h) || (m & hour_range(0, h - 1)) == 0) continue;
      if (!is_busy(m, h + 1) || h >= lunch_hour) {
        brk = h;
        break;
      }
    }
    if (brk < 0) continue;
    int c = 0;
    for (int h = brk + 1; h < hours; ++h) {
      if (is_busy(m, h)) {
        ++c;
      } else if (is_busy(m, h + 1)) {
        break;
      }
    }
    if (c >= 1 && c <= minimum - 1) n += minimum - c;
  }
  return n;
}
