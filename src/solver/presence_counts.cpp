// Counting rules of the teacher constraints on presence and hours (see the
// header). The hour-band pairs may carry a day's value up one hour at a time;
// the carry and the histogram are kept inside the 13 entries 0..12, so a
// limit or value out of range counts instead of reading past the table.
//
// Workload: at most 7 days and a 13-entry histogram per call.
#include "solver/presence_counts.h"

#include <algorithm>

namespace {

constexpr int kHistSize = kHoursPerDay + 1;

bool pair_names_hours(const HourBandPairs& p, int hours) {
  for (int i = 0; i < p.count; ++i)
    if (p.pairs[i][0] == hours) return true;
  return false;
}

}  // namespace

int daily_excess(int value, int limit, const HourBandPairs& p, int* hist) {
  if (value <= limit) return 0;
  if (p.count > 0) {
    int carried = value;
    for (int v = std::max(limit + 1, 0); v < kHoursPerDay; ++v) {
      if (pair_names_hours(p, v) || hist[v] == 0) continue;
      hist[v + 1] += 1;
      hist[v] = 0;
      ++carried;
    }
    int key = std::min(carried, kHistSize - 1);
    for (int i = 0; i < p.count; ++i)
      if (p.pairs[i][0] >= carried && p.pairs[i][1] >= hist[key]) return 0;
  }
  return value - limit;
}

PresenceTally count_presence_teaching(const WeekMasks& presence, const WeekMasks& teaching, int days,
                                      const std::uint8_t* hours_per_day, const PresenceLimits& lim,
                                      PresenceSink sink, void* ctx) {
  PresenceTally t;
  int hist_p[kHistSize] = {}, hist_t[kHistSize] = {};
  for (int d = 0; d < days && d < kDays; ++d) {
    DayMask hours = day_hours(hours_per_day[d]);
    int p = day_span(presence.day[d] & hours);
    int n = busy_count(teaching.day[d] & hours);
    if (lim.presence_pairs.count > 0) ++hist_p[p];
    if (lim.teaching_pairs.count > 0) ++hist_t[n];
    t.week_teaching += n;
    int np = daily_excess(p, lim.max_presence, lim.presence_pairs, hist_p);
    int nt = daily_excess(n, lim.max_teaching, lim.teaching_pairs, hist_t);
    int nm = (n > 0 && n < lim.min_hours) ? lim.min_hours - n : 0;
    t.presence += np;
    t.teaching += nt;
    t.minimum += nm;
    if (sink) {
      if (np) sink(ctx, 8, p, np);
      if (nt) sink(ctx, 9, n, nt);
      if (nm) sink(ctx, 10, n, nm);
    }
  }
  return t;
}

int count_working_days(const int* loads, int days, int min_days, int max_days, int* worked) {
  int nonempty[kDays], k = 0;
  for (int d = 0; d < days && d < kDays; ++d)
    if (loads[d] > 0) nonempty[k++] = loads[d];
  if (worked) *worked = k;
  if (k <= max_days && k < min_days) return min_days - k;
  if (k > max_days) {
    for (int i = 1; i < k; ++i)  // at most 7 values: insertion sort
      for (int j = i; j > 0 && nonempty[j - 1] > nonempty[j]; --j) std::swap(nonempty[j - 1], nonempty[j]);
    int n = 0;
    for (int i = 0; i < k - std::max(max_days, 0); ++i) n += nonempty[i];
    return n;
  }
  return 0;
}

int count_class_distribution(const int* loads, int days, const std::int8_t (*pairs)[2], int pair_count) {
  int n = 0;
  for (int i = 0; i < pair_count; ++i) {
    int matching = 0;
    for (int d = 0; d < days && d < kDays; ++d)
      if (loads[d] == pairs[i][0]) ++matching;
    if (matching > pairs[i][1]) n += matching - pairs[i][1];
  }
  return n;
}

int count_late_share(const int* late_from, int weekly_hours, const std::int8_t (*pairs)[2],
                     int pair_count, int* first_hit) {
  if (first_hit) *first_hit = -1;
  if (weekly_hours <= 0) return 0;  // no hours in the class: no share to take
  int n = 0;
  for (int i = 0; i < pair_count && i + 1 < weekly_hours; ++i) {
    int from = pairs[i][0] - 1;
    int percent = pairs[i][1];
    int late = (from >= 0 && from < kHoursPerDay) ? late_from[from] : (from < 0 ? late_from[0] : 0);
    if (late * 100 / weekly_hours > percent) {
      n += late - percent * weekly_hours / 100;
      if (first_hit && *first_hit < 0) *first_hit = i;
    }
  }
  return n;
}

int count_standby_excess(const int* standby_per_day, int days, int daily_max) {
  int n = 0;
  for (int d = 0; d < days && d < kDays; ++d)
    if (standby_per_day[d] > daily_max) n += standby_per_day[d] - daily_max;
  return n;
}
