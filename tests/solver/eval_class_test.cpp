// Hand-built cases for the class rules: the block-pattern distance of
// consecutive hours, subject hours per day, pause subjects on following
// days, the educational weight table, hourly units and mixed days.
//
// Each expected value is worked out by hand in the comment beside it.
#include <gtest/gtest.h>

#include "solver/class_counts.h"

namespace {

Blocks blocks(std::initializer_list<int> values) {
  Blocks b;
  for (int v : values) b.add(v);
  return b;
}

TEST(EvalClass, BlockMismatch) {
  // Wanted 2, 2, 1 against daily blocks 2, 1, 1: the 2 and a 1 cancel, the
  // remaining 2 takes the nearest 1: total 1.
  const int daily[kDays] = {2, 1, 1, 0, 0, 0, 0};
  EXPECT_EQ(line_block_distance(daily, 3, blocks({2, 2, 1}), Blocks{}, false), 1);
  // Over a whole week the empty days stand as 0 and are farther than the 1.
  EXPECT_EQ(line_block_distance(daily, 5, blocks({2, 2, 1}), Blocks{}, false), 1);
  // Exact pattern: 0.
  EXPECT_EQ(line_block_distance(daily, 3, blocks({1, 2, 1}), Blocks{}, false), 0);
  // The alternative pattern matches exactly: 0 wins over the wanted one's 1.
  EXPECT_EQ(line_block_distance(daily, 3, blocks({2, 2, 1}), blocks({1, 1, 2}), false), 0);
  // No daily values left: the wanted length counts whole.
  EXPECT_EQ(line_block_distance(daily, 0, blocks({3}), Blocks{}, false), 3);
}

TEST(EvalClass, LaboratoryBlocksCancelByLength) {
  // A wanted 2 cancels the first daily value at least as long (the 3).
  const int daily[kDays] = {3, 1, 0, 0, 0, 0, 0};
  EXPECT_EQ(line_block_distance(daily, 2, blocks({2}), Blocks{}, true), 0);
  EXPECT_EQ(line_block_distance(daily, 2, blocks({2}), Blocks{}, false), 1);
}

TEST(EvalClass, SubjectDayExcess) {
  const int per_subject[3] = {3, 1, 2};
  const std::uint8_t maximum[3] = {2, 0, 1};  // 0: no maximum
  EXPECT_EQ(subject_day_excess(per_subject, maximum, 3), 2);
}

TEST(EvalClass, PauseSubjectRepeats) {
  const int today[3] = {4, 5, 4};
  const std::uint8_t pause[3] = {1, 0, 1};
  const int next[2] = {4, 5};
  EXPECT_EQ(pause_subject_repeats(today, pause, 3, next, 2), 2);  // subject 4 twice today, once tomorrow
  EXPECT_EQ(pause_subject_repeats(today, pause, 3, next, 0), 0);
}

TEST(EvalClass, EducationalWeight) {
  const std::int8_t rows[3][3] = {{4, 6, 3}, {5, 8, 4}, {6, 9, 0}};
  // 5 lessons: rows 6 and 5 are reached, the 5-lesson row gives 8 and 4.
  EXPECT_EQ(educational_weight_excess(5, 10, 5, 0, rows, 3), 3);
  // The offset lowers both sums.
  EXPECT_EQ(educational_weight_excess(5, 10, 5, 1, rows, 3), 1);
  // 7 lessons: no row reached, limit per hour 99 and no limit per subject.
  EXPECT_EQ(educational_weight_excess(7, 50, 40, 0, rows, 3), 0);
  // An empty table is never searched.
  EXPECT_EQ(educational_weight_excess(3, 120, 40, 0, rows, 0), 21);
}

TEST(EvalClass, UnitInterruptions) {
  const int teacher[6] = {1, 2, 2, 3, -1, 3};
  const std::uint8_t unit[kHoursPerDay] = {1, 1, 0, 1, 0, 1};
  unsigned hit = 0;
  EXPECT_EQ(unit_interruptions(teacher, 6, unit, &hit), 2);  // hours 1 and 3
  EXPECT_EQ(hit, 0b1010u);
}

TEST(EvalClass, MixedDays) {
  EXPECT_EQ(mixed_day(3, 2), 2);
  EXPECT_EQ(mixed_day(3, 0), 0);
}

}  // namespace
