// Counting rules of the teacher constraints on days and day breaks (see the
// header). The break searches pick the lightest qualifying day again and
// again; a pick that finds no day adds the full 12 hours and closes day 1,
// so every loop ends after the number of picks asked for.
//
// Workload: a handful of loops over at most 7 days per call.
#include "solver/day_counts.h"

DayLoads day_loads(const WeekMasks& week, int days, const std::uint8_t* hours_per_day) {
  DayLoads loads{};
  for (int d = 0; d < days && d < kDays; ++d)
    loads.n[d] = busy_count(week.day[d] & day_hours(hours_per_day[d]));
  return loads;
}

RuleTally count_free_days(const DayLoads& loads, int days, const std::uint8_t* listed, int listed_count,
                          unsigned* flagged) {
  int best = kHoursPerDay;
  unsigned flags = 0;
  for (int i = 0; i < listed_count && i < kDays; ++i) {
    int d = listed[i];
    if (d >= days || d >= kDays) continue;
    if (loads.n[d] > 0) flags |= 1u << d;
    if (loads.n[d] < best) {
      best = loads.n[d];
      flags |= 1u << d;
    }
  }
  RuleTally t;
  if (best == kHoursPerDay && flags == 0) best = 0;  // no listed day inside the week
  t.count = best;
  t.secondary = best;
  if (flagged) *flagged = flags;
  return t;
}

RuleTally count_unavailable_hours(const WeekMasks& week, int days,
                                  const std::uint8_t* hours_per_day,
                                  const std::uint8_t* available, DayMask* flagged_hours) {
  RuleTally t;
  for (int d = 0; d < kDays; ++d) {
    DayMask flagged = 0;
    if (d < days) {
      // Only the busy hours are looked up: a handful of bits against twelve bytes.
      for (unsigned m = week.day[d] & day_hours(hours_per_day[d]); m != 0; m &= m - 1) {
        int h = std::countr_zero(m);
        if (available[d * kHoursPerDay + h] != 1) flagged |= DayMask(1u << h);
      }
    }
    t.count += busy_count(flagged);
    if (flagged_hours) flagged_hours[d] = flagged;
  }
  t.secondary = t.count;
  return t;
}

bool is_light_day(DayMask m, int hours, int block) {
  // Exactly `block` lessons with no free hour between them.
  m &= day_hours(hours);
  return block > 0 && busy_count(m) == block && day_span(m) == block;
}

bool is_first_hours_day(DayMask m, int hours, int block) {
  m &= day_hours(hours);
  DayMask first = hour_range(0, block - 1);
  return block > 0 && busy_count(m & first) == block && (m & ~first) == 0;
}

bool is_last_hours_day(DayMask m, int hours, int leading_free) {
  // Hours 1..H free, lessons after them in one block that starts at H+1.
  m &= day_hours(hours);
  if (leading_free < 0 || (m & hour_range(0, leading_free - 1)) != 0) return false;
  if (m == 0) return false;
  for (int h = leading_free + 1; h < kHoursPerDay; ++h)
    if (is_busy(m, h) && !is_busy(m, h - 1)) return false;
  return true;
}

bool is_band_day(DayMask m, int hours, int first, int last) {
  if (first < 1 || last < first || hours < last) return false;
  m &= day_hours(hours);
  return m == hour_range(first - 1, last - 1);
}

RuleTally count_day_shape(const WeekMasks& week, int days, const std::uint8_t* hours_per_day,
                          DayShape shape, int a, int b, int wanted) {
  int found = 0;
  for (int d = 0; d < days && d < kDays; ++d) {
    DayMask m = week.day[d];
    int hours = hours_per_day[d];
    bool hit = false;
    switch (shape) {
      case DayShape::Light: hit = is_light_day(m, hours, a); break;
      case DayShape::FirstHours: hit = is_first_hours_day(m, hours, a); break;
      case DayShape::LastHours: hit = is_last_hours_day(m, hours, a); break;
      case DayShape::Band: hit = is_band_day(m, hours, a, b); break;
    }
    if (hit) ++found;
  }
  RuleTally t;
  if (wanted - found > 0) {
    t.count = wanted - found;
    t.secondary = t.count;
  }
  return t;
}

int last_inner_break(const int* loads, int days) {
  int run = 0;
  for (int k = 1; k <= days - 2; ++k) {
    if (!(loads[k - 1] > 0 && loads[k] == 0)) continue;
    for (int e = k + 1; e < days; ++e)
      if (loads[e] > 0) {
        run = e - k;
        break;
      }
  }
  return run;
}

// One pick of a break search: the lightest qualifying day among 1..days-2,
// closed to later picks; 12 (and day 1 closed) when none qualifies.
static int pick_lightest(int* n, int days, bool need_neighbours) {
  int best = kHoursPerDay, chosen = -1;
  for (int d = 1; d <= days - 2; ++d) {
    bool ok = need_neighbours ? (n[d - 1] > 0 && n[d] > 0 && n[d + 1] > 0) : n[d] > 0;
    if (ok && n[d] < best) {
      best = n[d];
      chosen = d;
    }
  }
  if (chosen < 0) {
    if (days > 2) n[1] = -1;
    return kHoursPerDay;
  }
  n[chosen] = -1;
  return best;
}

RuleTally count_generic_break(const DayLoads& loads, int days, int wanted) {
  RuleTally t;
  if (days > kDays) days = kDays;
  int run = last_inner_break(loads.n, days);
  if (wanted == 0) {
    t.count = run;
  } else if (wanted > run) {
    int n[kDays];
    for (int d = 0; d < kDays; ++d) n[d] = loads.n[d];
    for (int i = 0; i < wanted - run; ++i) t.count += pick_lightest(n, days, true);
  }
  t.secondary = t.count;
  return t;
}

int count_class_break(const int* loads, int days, int wanted, void (*pick)(void*, int), void* ctx) {
  if (days > kDays) days = kDays;
  if (wanted <= 0) return 0;
  int run = last_inner_break(loads, days);
  if (run >= wanted) return 0;
  int n[kDays] = {};
  for (int d = 0; d < days; ++d) n[d] = loads[d];
  int total = 0;
  for (int i = 0; i < wanted - run; ++i) {
    int amount = pick_lightest(n, days, false);
    total += amount;
    if (amount != 0 && pick) pick(ctx, amount);
  }
  return total;
}

int count_break_options(const int* n, unsigned options, void (*pick)(void*, int), void* ctx) {
  int working = 0;
  for (int d = 0; d < kDays; ++d)
    if (n[d] > 0) ++working;
  auto largest = [](int a, int b, int c) { return a > b ? (a > c ? a : c) : (b > c ? b : c); };
  int added[4] = {};
  if ((options & 0x01) && working == 2 && n[0] > 0 && n[5] > 0) added[0] = largest(n[0], n[5], 0);
  if ((options & 0x02) && working == 2 && n[0] > 0 && n[4] > 0) added[1] = largest(n[0], n[4], 0);
  if ((options & 0x04) && working == 3 && n[0] > 0 && n[4] > 0 && n[5] > 0)
    added[2] = largest(n[0], n[4], n[5]);
  if ((options & 0x08) && working == 3 && n[0] > 0 && n[1] > 0 && n[5] > 0)
    added[3] = largest(n[0], n[1], n[5]);
  int total = 0;
  for (int a : added)
    if (a > 0) {
      total += a;
      if (pick) pick(ctx, a);
    }
  return total;
}

int special_break_excess(int a, int b, int trigger, int allowed) {
  if (trigger <= 0 || a < trigger || b <= allowed) return 0;
  return trigger < b ? b - trigger : b - allowed;
}

bool busy_first_and_last_of_week(const WeekMasks& week, int days, const std::uint8_t* hours_per_day) {
  if (days <= 0 || days > kDays) return false;
  int last_hours = hours_per_day[days - 1];
  return is_busy(week.day[0], 0) && last_hours > 0 && is_busy(week.day[days - 1], last_hours - 1);
}
