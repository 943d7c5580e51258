// The measures of the improvement phases on hand-set grids: the balance of a
// teacher meeting one class at the same hour or at different hours, the
// special-calendar teacher, and the weight load of heavy subjects packed
// into one day or spread over three.
#include <gtest/gtest.h>

#include "engine/model.h"
#include "school_fixture.h"
#include "solver/improvement_phases.h"
#include "solver/solver_state.h"

namespace {

class PhaseMeasures : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_run_state();
    or_reset_model();
    g_eng_school.teacher_count = 2;
    g_eng_school.class_count = 2;
    g_eng_school.real_class_count = 2;
    g_eng_school.lesson_count = 3;
    g_eng_school.subject_count = 2;
    g_eng_run.days_per_week = 5;
    g_eng_run.longest_day = 6;
    for (int d = 0; d < 5; ++d) g_eng_school.hours_per_day[d] = 6;
    for (int t = 0; t < 2; ++t) {
      g_eng_teachers[t].calendar_class = -1;
      for (auto& v : g_eng_teachers[t].class_per_slot) v = kGridFree;
    }
    for (int c = 0; c < 2; ++c)
      for (auto& day : g_eng_classes[c].week_grid)
        for (auto& v : day) v = kGridFree;
    g_eng_subjects[1].pexdix = 1;  // a subject of high educational weight
    for (int l = 0; l < 3; ++l) g_eng_lessons[l].subject = 1;
  }
};

struct BalanceCase {
  const char* id;
  int hours[5];  // hour of the lesson on each day, -1 none
  std::uint32_t expected;
};

class TeacherBalance : public PhaseMeasures, public ::testing::WithParamInterface<BalanceCase> {};

TEST_P(TeacherBalance, DayAndHourPartsAddUp) {
  const BalanceCase& c = GetParam();
  for (int d = 0; d < 5; ++d)
    if (c.hours[d] >= 0) g_eng_teachers[0].class_per_slot[d * kHoursPerDay + c.hours[d]] = 1;
  EXPECT_EQ(or_teacher_balance(0, -1), c.expected);
}

// Same first hour every day: days even (0); the first position holds 500,
// the average is 500 and the five other positions add 500 each (2500).
// Five different hours: each position 100, the sixth adds 100. Two days
// only, both at hour 0: days 100 100 0 0 0 (avg 100) add 300; hours 200 at
// position 0 (avg 200) and 200 for each of the five others: 1000.
INSTANTIATE_TEST_SUITE_P(Cases, TeacherBalance,
                         ::testing::Values(BalanceCase{"same_hour", {0, 0, 0, 0, 0}, 2500},
                                           BalanceCase{"spread_hours", {0, 1, 2, 3, 4}, 100},
                                           BalanceCase{"two_days", {0, 0, -1, -1, -1}, 1300},
                                           BalanceCase{"no_lessons", {-1, -1, -1, -1, -1}, 0}),
                         [](const ::testing::TestParamInfo<BalanceCase>& i) { return std::string(i.param.id); });

TEST_F(PhaseMeasures, CalendarPseudoTeacherAndSameSecondTeacherCountNothing) {
  for (int d = 0; d < 5; ++d) g_eng_teachers[0].class_per_slot[d * kHoursPerDay] = 1;
  EXPECT_EQ(or_teacher_balance(0, 0), 0u);
  g_eng_teachers[0].calendar_class = 1;
  EXPECT_EQ(or_teacher_balance(0, -1), 0u);
  EXPECT_EQ(or_teacher_balance(7, -1), 0u);  // no such teacher
}

TEST_F(PhaseMeasures, HeavySubjectsPackedInOneDayWeighMore) {
  for (int h = 0; h < 3; ++h) g_eng_classes[0].week_grid[0][h] = static_cast<std::uint16_t>(h);
  EXPECT_EQ(or_class_weight_load(0), 4u + 8u + 16u);
  for (int h = 0; h < 3; ++h) g_eng_classes[0].week_grid[0][h] = kGridFree;
  for (int d = 0; d < 3; ++d) g_eng_classes[0].week_grid[d][0] = static_cast<std::uint16_t>(d);
  EXPECT_EQ(or_class_weight_load(0), 12u);
  g_eng_subjects[1].pexdix = 0;
  EXPECT_EQ(or_class_weight_load(0), 0u);
}

TEST_F(PhaseMeasures, TotalWeightLoadLeavesPseudoClassesOut) {
  g_eng_classes[0].week_grid[0][0] = 0;
  g_eng_classes[1].week_grid[0][0] = 1;
  g_eng_school.real_class_count = 1;
  or_total_weight_load();
  EXPECT_EQ(g_weight_record.current, 4);
}

}  // namespace
