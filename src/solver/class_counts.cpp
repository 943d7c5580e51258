// Counting rules of the class constraints (see the header). The pattern
// tables hold at most 7 blocks and the weight table at most 9 rows; every
// loop is bounded by those counts, and an empty table is never searched.
//
// Workload: called for one or two classes per priced move; every rule is
// allocation-free and bounded by fixed table sizes.
#include "solver/class_counts.h"

#include <cstdlib>

namespace {

void remove_at(Blocks& b, int i) {
  for (int k = i; k + 1 < b.count; ++k) b.value[k] = b.value[k + 1];
  --b.count;
}

int nearest_sum(Blocks& wanted, Blocks& days) {
  int sum = 0;
  for (int i = 0; i < wanted.count; ++i) {
    int a = wanted.value[i];
    int best = -1, best_distance = 0;
    for (int k = 0; k < days.count; ++k) {
      int distance = std::abs(a - days.value[k]);
      if (best < 0 || distance < best_distance) {
        best = k;
        best_distance = distance;
      }
    }
    if (best < 0) {
      sum += a;
    } else {
      sum += best_distance;
      remove_at(days, best);
    }
  }
  return sum;
}

}  // namespace

void cancel_blocks(Blocks& pattern, Blocks& days, bool at_least) {
  for (int i = 0; i < pattern.count;) {
    int found = -1;
    for (int k = 0; k < days.count && found < 0; ++k)
      if (at_least ? days.value[k] >= pattern.value[i] : days.value[k] == pattern.value[i]) found = k;
    if (found >= 0) {
      remove_at(days, found);
      remove_at(pattern, i);
    } else {
      ++i;
    }
  }
}

int block_mismatch(Blocks wanted, Blocks days_for_wanted, Blocks alternative, Blocks days_for_alternative,
                   bool both) {
  int first = nearest_sum(wanted, days_for_wanted);
  if (first == 0 || !both) return first;
  int second = nearest_sum(alternative, days_for_alternative);
  return second < first ? second : first;
}

int line_block_distance(const int* daily, int days, const Blocks& wanted, const Blocks& alternative,
                        bool at_least) {
  Blocks day_a, day_b;
  for (int d = 0; d < days && d < kDays; ++d) {
    day_a.add(daily[d]);
    day_b.add(daily[d]);
  }
  Blocks a = wanted, b = alternative;
  cancel_blocks(b, day_b, at_least);
  cancel_blocks(a, day_a, at_least);
  return block_mismatch(a, day_a, b, day_b, alternative.count > 0);
}

int subject_day_excess(const int* per_subject, const std::uint8_t* maximum, int subjects) {
  int n = 0;
  for (int i = 0; i < subjects; ++i)
    if (maximum[i] != 0 && per_subject[i] > maximum[i]) n += per_subject[i] - maximum[i];
  return n;
}

int pause_subject_repeats(const int* today, const std::uint8_t* today_pause, int today_count,
                          const int* next, int next_count) {
  int n = 0;
  for (int i = 0; i < today_count; ++i) {
    if (today_pause[i] != 1) continue;
    for (int k = 0; k < next_count; ++k)
      if (next[k] == today[i]) ++n;
  }
  return n;
}

int educational_weight_excess(int lessons, int hour_weight, int subject_weight, int offset,
                              const std::int8_t (*rows)[3], int row_count) {
  int hour_limit = 99, subject_limit = 0;
  for (int r = row_count - 1; r >= 0 && lessons <= rows[r][0]; --r) {
    hour_limit = rows[r][1];
    subject_limit = rows[r][2];
  }
  int n = 0;
  if (hour_limit != 0 && hour_weight - offset > hour_limit) n += hour_weight - offset - hour_limit;
  if (subject_limit != 0 && subject_weight - offset > subject_limit) n += subject_weight - offset - subject_limit;
  return n;
}

int unit_interruptions(const int* teacher, int hours, const std::uint8_t* unit, unsigned* hours_hit) {
  int n = 0;
  unsigned hit = 0;
  for (int h = 1; h < hours && h < kHoursPerDay; ++h) {
    if (!unit[h] || teacher[h - 1] < 0 || teacher[h] < 0) continue;
    if (teacher[h - 1] != teacher[h]) {
      ++n;
      hit |= 1u << h;
    }
  }
  if (hours_hit) *hours_hit = hit;
  return n;
}
