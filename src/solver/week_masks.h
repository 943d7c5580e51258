// Busy masks of one teacher's or one class's week: one 16-bit word per day,
// bit h set when hour h of that day is taken. The counting rules of the
// teacher and class evaluators are written over these masks, so that a delta
// check touches only the 84 slots of its own teacher or class and a test can
// build a week by hand without a school behind it.
//
// Invariants: bits 12 to 15 are never set; a day mask is always clipped to
// the hours of its day before a rule counts on it (hours past the day's
// length are outside the week).
//
// Workload: built once per evaluator call from a 7 x 12 grid, then read many
// times by popcount and shifts; everything is inline and allocation-free.
#pragma once

#include <bit>
#include <cstdint>
#include <initializer_list>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/model.h"

using DayMask = std::uint16_t;

struct WeekMasks {
  DayMask day[kDays];
};

inline constexpr std::uint16_t kFreeSlot = 0xFFFF;

// Hours lo..hi (0-based, inclusive), clipped to the 12 hours of a day; empty
// when lo > hi after clipping.
constexpr DayMask hour_range(int lo, int hi) {
  if (lo < 0) lo = 0;
  if (hi > kHoursPerDay - 1) hi = kHoursPerDay - 1;
  if (lo > hi) return 0;
  return static_cast<DayMask>(((1u << (hi + 1)) - 1u) & ~((1u << lo) - 1u));
}

// The first `hours` hours of a day.
constexpr DayMask day_hours(int hours) { return hours <= 0 ? 0 : hour_range(0, hours - 1); }

// Counted by halves rather than std::popcount: without a popcount
// instruction in the target flags that is a library call on every count.
inline int busy_count(DayMask m) {
  unsigned v = m;
  v = v - ((v >> 1) & 0x5555u);
  v = (v & 0x3333u) + ((v >> 2) & 0x3333u);
  v = (v + (v >> 4)) & 0x0F0Fu;
  return static_cast<int>((v + (v >> 8)) & 0x1Fu);
}

inline bool is_busy(DayMask m, int hour) {
  return hour >= 0 && hour < kHoursPerDay && ((m >> hour) & 1u) != 0;
}

// First and last busy hour; -1 for an empty day.
inline int first_busy(DayMask m) { return m == 0 ? -1 : std::countr_zero(static_cast<unsigned>(m)); }
inline int last_busy(DayMask m) {
  return m == 0 ? -1 : 31 - std::countl_zero(static_cast<unsigned>(m));
}

// Hours from the first to the last lesson of the day, free hours between
// them included; 0 for an empty day.
inline int day_span(DayMask m) { return m == 0 ? 0 : last_busy(m) - first_busy(m) + 1; }

// Free hours between the first and the last lesson of the day.
inline int day_gap_hours(DayMask m) { return day_span(m) - busy_count(m); }

// Masks of a 84-slot grid whose free entries hold 0xFFFF. Eight slots are
// compared at a time with the SSE2 instructions every x86-64 processor has;
// elsewhere slot by slot.
inline WeekMasks masks_from_grid(const std::uint16_t* grid) {
  static_assert(kDays * kHoursPerDay == 84, "the week is 7 days of 12 hours");
  WeekMasks w{};
#if defined(__SSE2__)
  // busy[0] holds slots 0-63, busy[1] slots 64-83.
  std::uint64_t busy[2] = {0, 0};
  const __m128i free_slot = _mm_set1_epi16(static_cast<short>(kFreeSlot));
  for (int s = 0; s < 80; s += 16) {
    __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(grid + s));
    __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(grid + s + 8));
    // The 16-bit comparisons packed to one byte per slot, one bit per slot.
    __m128i free16 = _mm_packs_epi16(_mm_cmpeq_epi16(low, free_slot), _mm_cmpeq_epi16(high, free_slot));
    std::uint64_t bits = static_cast<unsigned>(_mm_movemask_epi8(free16)) ^ 0xFFFFu;
    busy[s >> 6] |= bits << (s & 63);
  }
  for (int s = 80; s < 84; ++s)
    if (grid[s] != kFreeSlot) busy[1] |= std::uint64_t{1} << (s - 64);
  for (int d = 0; d < kDays; ++d) {
    int first = d * kHoursPerDay;
    std::uint64_t bits = first + kHoursPerDay <= 64 ? busy[0] >> first
                         : first >= 64             ? busy[1] >> (first - 64)
                                                   : (busy[0] >> first) | (busy[1] << (64 - first));
    w.day[d] = static_cast<DayMask>(bits & 0xFFFu);
  }
#else
  for (int d = 0; d < kDays; ++d)
    for (int h = 0; h < kHoursPerDay; ++h)
      if (grid[d * kHoursPerDay + h] != kFreeSlot) w.day[d] |= static_cast<DayMask>(1u << h);
#endif
  return w;
}

// Masks of a week given as text rows, one row a day: 'x' busy, anything else
// free. Meant for tests and small hand-built weeks.
inline WeekMasks masks_from_rows(std::initializer_list<const char*> rows) {
  WeekMasks w{};
  int d = 0;
  for (const char* row : rows) {
    if (d >= kDays) break;
    for (int h = 0; h < kHoursPerDay && row[h] != '\0'; ++h)
      if (row[h] == 'x') w.day[d] |= static_cast<DayMask>(1u << h);
    ++d;
  }
  return w;
}
