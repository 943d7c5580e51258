// Counting rules of the class constraints that look at one class's days:
// the block-pattern distance of consecutive hours, hours of a subject above
// its daily maximum, a pause subject on two following days, the daily
// educational weight against the school's table, a change of teacher inside
// an hourly unit, and days mixing the two teacher kinds.
//
// Pure functions over small per-day arrays, so the class evaluators and the
// tests share one rule; nothing here reads the model tables.
//
// Workload: the class delta checks run for the one or two classes of every
// priced move; each rule is a walk over at most 7 x 12 entries.
#pragma once

#include <cstdint>

#include "engine/model.h"

// Remaining block lengths of a pattern or of the days (at most 7 + 7).
struct Blocks {
  int value[14];
  int count = 0;
  void add(int v) {
    if (count < 14) value[count++] = v;
  }
};

// Removes from `days` the values that the pattern cancels, and from the
// pattern the values that found a partner: equal values when at_least is
// false, else the first daily value at least as long.
void cancel_blocks(Blocks& pattern, Blocks& days, bool at_least);

// Distance of the remaining wanted blocks to the remaining daily blocks:
// each wanted length takes the nearest daily value (first on ties) or, with
// none left, counts whole. With both and a non-zero first sum, the
// alternative pattern's distance against its own copy is taken when smaller.
int block_mismatch(Blocks wanted, Blocks days_for_wanted, Blocks alternative, Blocks days_for_alternative,
                   bool both);

// Distance of a line's daily blocks to its wanted and alternative patterns
// (alternative empty: no alternative), after the cancelling step.
int line_block_distance(const int* daily, int days, const Blocks& wanted, const Blocks& alternative,
                        bool at_least);

// Hours above each subject's daily maximum (0 = no maximum) on one day:
// per_subject[i] hours of tally entry i that day, maximum[i] its maximum.
int subject_day_excess(const int* per_subject, const std::uint8_t* maximum, int subjects);

// A pause subject held on day d and again on day d + 1: subjects_today
// lists the day's lessons (pause flag given), subjects_next the next day's.
int pause_subject_repeats(const int* today, const std::uint8_t* today_pause, int today_count,
                          const int* next, int next_count);

// Educational weight of one day: lessons c, weight over the hours H, weight
// counting each subject once S, offset o; table rows {lessons of the day,
// limit per hour, limit per subject}, searched from the last row back.
int educational_weight_excess(int lessons, int hour_weight, int subject_weight, int offset,
                              const std::int8_t (*rows)[3], int row_count);

// Changes of teacher inside an hourly unit: teacher per hour (-1 none or
// not an ordinary teacher); unit[h] set for the hours that continue a unit.
int unit_interruptions(const int* teacher_per_hour, int hours, const std::uint8_t* unit, unsigned* hours_hit);

// Days mixing the two teacher kinds: min(a, b) when both are present.
inline int mixed_day(int kind1_hours, int kind2_hours) {
  return (kind1_hours >= 1 && kind2_hours >= 1) ? (kind1_hours < kind2_hours ? kind1_hours : kind2_hours) : 0;
}
