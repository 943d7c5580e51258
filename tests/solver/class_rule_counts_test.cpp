// What each class rule on one class's days counts on values written by
// hand: the distance of the daily blocks of consecutive hours to the wanted
// pattern and its alternative (exact or at-least matching), the hours of a
// subject above its daily maximum, a pause subject held again the next day,
// the daily educational weight against the school's table, a change of
// teacher inside an hourly unit and the days mixing the two teacher kinds.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "solver/class_counts.h"

namespace {

Blocks blocks_of(std::vector<int> v) {
  Blocks b;
  for (int x : v) b.add(x);
  return b;
}

std::vector<int> values(const Blocks& b) { return std::vector<int>(b.value, b.value + b.count); }

TEST(BlockCancelling, RemovesThePairsFromBothSides) {
  Blocks pattern = blocks_of({2, 2, 1});
  Blocks days = blocks_of({3, 2, 1, 0, 0});
  cancel_blocks(pattern, days, false);
  EXPECT_EQ(values(pattern), std::vector<int>({2}));
  EXPECT_EQ(values(days), std::vector<int>({3, 0, 0}));

  pattern = blocks_of({2, 2, 1});
  days = blocks_of({3, 2, 1, 0, 0});
  cancel_blocks(pattern, days, true);  // the first day at least as long
  EXPECT_TRUE(values(pattern).empty());
  EXPECT_EQ(values(days), std::vector<int>({0, 0}));

  pattern = blocks_of({4, 1});
  days = blocks_of({3, 2, 0});
  cancel_blocks(pattern, days, true);
  EXPECT_EQ(values(pattern), std::vector<int>({4}));
  EXPECT_EQ(values(days), std::vector<int>({2, 0}));

  Blocks many;
  for (int i = 0; i < 20; ++i) many.add(i);
  EXPECT_EQ(many.count, 14);
  EXPECT_EQ(many.value[13], 13);
}

struct DistanceCase {
  const char* name;
  std::vector<int> daily;
  std::vector<int> wanted;
  std::vector<int> alternative;
  bool at_least;
  int distance;
};
void PrintTo(const DistanceCase& c, std::ostream* os) { *os << c.name; }
class BlockDistance : public ::testing::TestWithParam<DistanceCase> {};

TEST_P(BlockDistance, IsTheNearestDailyBlockForEachWantedOne) {
  const DistanceCase& c = GetParam();
  EXPECT_EQ(line_block_distance(c.daily.data(), static_cast<int>(c.daily.size()), blocks_of(c.wanted),
                                blocks_of(c.alternative), c.at_least),
            c.distance);
}

const DistanceCase kDistanceCases[] = {
    {"ExactPattern", {2, 2, 1, 0, 0}, {2, 2, 1}, {}, false, 0},
    {"OneBlockOff", {3, 2, 1, 0, 0}, {2, 2, 1}, {}, false, 1},
    {"AtLeastTakesTheLongerDay", {3, 2, 1, 0, 0}, {2, 2, 1}, {}, true, 0},
    {"AtLeastStillShort", {1, 1, 1, 0, 0}, {2, 1}, {}, true, 1},
    {"TheAlternativeFits", {3, 3, 0, 0, 0}, {2, 2, 2}, {3, 3}, false, 0},
    {"TheAlternativeIsWorse", {3, 3, 0, 0, 0}, {3, 2}, {1, 1, 1}, false, 1},
    {"TheAlternativeIsBetter", {3, 3, 0, 0, 0}, {2, 2, 2}, {3, 1}, false, 1},
    {"WantedBeyondTheDays", {2, 2}, {2, 2, 3}, {}, false, 3},
    {"TiesTakeTheFirstDay", {1, 3, 9, 9, 9}, {2, 4}, {}, false, 1 + 1},
    {"TiesTakeTheFirstDayShort", {1, 3}, {2, 4}, {}, false, 1 + 1},
    {"DaysPastTheWeekAreNone", {1, 1, 1, 1, 1, 1, 1, 2}, {2}, {}, false, 1},
    {"NothingWanted", {3, 1, 0, 4, 2}, {}, {}, false, 0},
};
INSTANTIATE_TEST_SUITE_P(Lines, BlockDistance, ::testing::ValuesIn(kDistanceCases),
                         [](const ::testing::TestParamInfo<DistanceCase>& i) { return std::string(i.param.name); });

TEST(BlockMismatch, TheAlternativeIsLookedAtOnlyWhenAskedAndNeeded) {
  // Wanted {2, 4} on days {1, 3}: 1 + 1; the alternative {3} on {3}: 0.
  EXPECT_EQ(block_mismatch(blocks_of({2, 4}), blocks_of({1, 3}), blocks_of({3}), blocks_of({3}), true), 0);
  EXPECT_EQ(block_mismatch(blocks_of({2, 4}), blocks_of({1, 3}), blocks_of({3}), blocks_of({3}), false), 2);
  // A first distance of 0 stands.
  EXPECT_EQ(block_mismatch(blocks_of({}), blocks_of({1, 3}), blocks_of({9}), blocks_of({}), true), 0);
  // A worse alternative leaves the first.
  EXPECT_EQ(block_mismatch(blocks_of({2}), blocks_of({4}), blocks_of({5}), blocks_of({}), true), 2);
}

TEST(SubjectDayExcess, CountsTheHoursAboveEachSubjectsMaximum) {
  const int per_subject[] = {3, 1, 4, 2, 5};
  const std::uint8_t maximum[] = {2, 0, 4, 1, 0};
  EXPECT_EQ(subject_day_excess(per_subject, maximum, 5), 1 + 1);
  EXPECT_EQ(subject_day_excess(per_subject, maximum, 1), 1);
  EXPECT_EQ(subject_day_excess(per_subject, maximum, 0), 0);
  const std::uint8_t tight[] = {1, 1, 1, 1, 1};
  EXPECT_EQ(subject_day_excess(per_subject, tight, 5), 2 + 0 + 3 + 1 + 4);
}

TEST(PauseSubjects, CountEachLessonOfAPauseSubjectHeldAgainTheNextDay) {
  const int today[] = {5, 7, 9};
  const std::uint8_t pause[] = {1, 0, 1};
  const int next[] = {9, 5, 5, 7};
  EXPECT_EQ(pause_subject_repeats(today, pause, 3, next, 4), 2 + 1);
  EXPECT_EQ(pause_subject_repeats(today, pause, 3, next, 1), 1);
  EXPECT_EQ(pause_subject_repeats(today, pause, 1, next, 4), 2);
  const std::uint8_t no_pause[] = {0, 0, 2};
  EXPECT_EQ(pause_subject_repeats(today, no_pause, 3, next, 4), 0);
  EXPECT_EQ(pause_subject_repeats(today, pause, 3, next, 0), 0);
}

TEST(EducationalWeight, CountsTheWeightAboveTheTableRowOfTheDaysLessons) {
  // Rows: up to 4 lessons 10 / 8, up to 6 lessons 12 / 10, up to 8 lessons 15 / 12.
  const std::int8_t rows[][3] = {{4, 10, 8}, {6, 12, 10}, {8, 15, 12}};
  struct {
    int lessons, hour_weight, subject_weight, offset, excess;
  } cases[] = {
      {5, 15, 12, 1, 2 + 1},   {6, 15, 12, 1, 2 + 1},  {7, 15, 12, 1, 0},   {7, 17, 14, 1, 1 + 1},
      {3, 15, 12, 1, 4 + 3},   {4, 11, 9, 1, 0},       {4, 12, 9, 1, 1},    {9, 50, 50, 1, 0},
      {5, 13, 11, 0, 1 + 1},   {5, 13, 11, 2, 0},      {8, 15, 12, 0, 0},   {8, 16, 13, 0, 1 + 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(educational_weight_excess(c.lessons, c.hour_weight, c.subject_weight, c.offset, rows, 3), c.excess)
        << c.lessons << " lessons, weights " << c.hour_weight << "/" << c.subject_weight << " less " << c.offset;
  // A limit of 0 is no limit.
  const std::int8_t no_hour_limit[][3] = {{6, 0, 5}};
  EXPECT_EQ(educational_weight_excess(5, 40, 12, 1, no_hour_limit, 1), 6);
  const std::int8_t no_subject_limit[][3] = {{6, 5, 0}};
  EXPECT_EQ(educational_weight_excess(5, 12, 40, 1, no_subject_limit, 1), 6);
  // No table: an hour limit of 99 and no subject limit.
  EXPECT_EQ(educational_weight_excess(5, 99, 40, 0, rows, 0), 0);
  EXPECT_EQ(educational_weight_excess(5, 101, 40, 1, rows, 0), 1);
}

TEST(UnitInterruptions, CountTheChangesOfTeacherInsideAUnit) {
  const int teacher[kHoursPerDay] = {1, 1, 2, 2, -1, 3, 4, 4, 5, 6, 6, 7};
  const std::uint8_t unit[kHoursPerDay] = {0, 1, 1, 0, 1, 1, 1, 1, 0, 0, 0, 1};
  unsigned hit = 0xFFFF;
  EXPECT_EQ(unit_interruptions(teacher, 8, unit, &hit), 2);
  EXPECT_EQ(hit, (1u << 2) | (1u << 6));
  EXPECT_EQ(unit_interruptions(teacher, 6, unit, &hit), 1);
  EXPECT_EQ(hit, 1u << 2);
  EXPECT_EQ(unit_interruptions(teacher, 12, unit, &hit), 3);
  EXPECT_EQ(hit, (1u << 2) | (1u << 6) | (1u << 11));
  EXPECT_EQ(unit_interruptions(teacher, 20, unit, nullptr), 3);
  EXPECT_EQ(unit_interruptions(teacher, 1, unit, &hit), 0);
  EXPECT_EQ(hit, 0u);
}

TEST(MixedDays, CountTheSmallerKindWhenBothArePresent) {
  EXPECT_EQ(mixed_day(2, 3), 2);
  EXPECT_EQ(mixed_day(3, 1), 1);
  EXPECT_EQ(mixed_day(2, 2), 2);
  EXPECT_EQ(mixed_day(0, 4), 0);
  EXPECT_EQ(mixed_day(4, 0), 0);
  EXPECT_EQ(mixed_day(1, 1), 1);
}

}  // namespace
