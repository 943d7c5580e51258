// Counting rules of the common-room class constraints (see the header). The
// pair and row tables hold at most 10 entries; their counts are clipped so a
// bad count never reads past them, and an empty table applies no row.
//
// Workload: per slot of a class that uses a common room; each call is a
// few comparisons over at most ten pairs or rows.
#include "solver/common_room_counts.h"

#include <algorithm>

namespace {

constexpr int kMaxPairs = 10;
constexpr std::uint8_t kNoPartner = 255;

// Clears the flags of the years paired with `year`; -1 when a pair says the
// year shares with nobody, else whether some pair held the year.
int apply_pairs(int year, unsigned& flags, const std::uint8_t (*pairs)[2], int count) {
  bool held = false;
  for (int i = 0; i < count; ++i) {
    int a = pairs[i][0], b = pairs[i][1];
    if (a != year && b != year) continue;
    if (b == kNoPartner) return -1;
    held = true;
    if (a < 10) flags &= ~(1u << a);
    if (b < 10) flags &= ~(1u << b);
  }
  return held ? 1 : 0;
}

int set_bits(unsigned flags) {
  int n = 0;
  for (; flags; flags &= flags - 1) ++n;
  return n;
}

}  // namespace

int incompatible_years(int own_year, unsigned years_present, const std::uint8_t (*pairs)[2], int pair_count) {
  int count = std::clamp(pair_count, 0, kMaxPairs);
  if (count == 0) return 0;
  unsigned flags = years_present;
  int held = apply_pairs(own_year, flags, pairs, count);
  if (held < 0) return 1;
  if (held > 0) return set_bits(flags);
  for (int other = 0; other < 10; ++other) {
    if (other == own_year || !(years_present & (1u << other))) continue;
    flags = years_present;
    held = apply_pairs(other, flags, pairs, count);
    if (held < 0) return 1;
    if (held > 0) return set_bits(flags);
  }
  return 0;
}

int room_over_capacity(int lessons, int fca, int capacity) {
  if (lessons <= 1) return 0;
  if (lessons > fca) lessons -= fca;
  return lessons > capacity ? lessons - capacity : 0;
}

int sharing_excess(int hours, int shared, const std::uint8_t (*rows)[2], int row_count, int tolerance) {
  int count = std::clamp(row_count, 0, kMaxPairs);
  int limit = -1;
  for (int i = 0; i < count; ++i)
    if (rows[i][0] <= hours) limit = rows[i][1];
  int n = (limit >= 0 && shared > limit) ? 1 : 0;
  return std::max(0, n - std::max(tolerance, 0));
}

int missing_attendance(int minimum, int slot_value, int used, bool only_when_used) {
  if (minimum <= 0) return 0;
  int wanted = (slot_value >= 1 && slot_value <= minimum - 1) ? slot_value : minimum;
  if (used < wanted && (used > 0 || !only_when_used)) return wanted - used;
  return 0;
}
