// The search prices its moves by the delta checks and the teachers' and
// classes' sums; the user reads the full check. On the sample schools with
// every teacher's bundle of constraint lines, loaded by the engine with the
// search's tables prepared ("SNOD:" with "NEDE"), each rule's delta check
// gives every teacher (class) its share of the full check, the shares add up
// to the full total, and a teacher's sum is its rules' deltas added.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "bundled_schools.h"
#include "class_delta_sum.h"
#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/constraint_catalogue.h"
#include "solver/cost_evaluation.h"

namespace fs = std::filesystem;

namespace {

class LoadedDeltaSums : public ::testing::TestWithParam<BundledWeek> {};

TEST_P(LoadedDeltaSums, EveryRulesDeltaIsItsShareOfTheFullCheck) {
  const BundledWeek& c = GetParam();
  std::unique_ptr<SchoolCopy> school = bundled_copy(c);
  fs::path old = fs::current_path();
  fs::current_path(school->folder());
  g_status.clear();
  const char* argv[] = {"Questo non serve", "SNOD:scuola2.txt", "NEDE", nullptr};
  ASSERT_EQ(or_main(1, 3, argv), 0) << g_status.message;
  int teachers = g_eng_school.teacher_count, classes = g_eng_school.class_count;
  std::int64_t total = 0;
  int counting = 0;
  for (int id : kTeacherSumOrder) {
    if (!or_constraint_active(id)) continue;
    std::memset(g_teacher_full_penalty, 0, sizeof g_teacher_full_penalty);
    std::int64_t full = g_evaluators[id].full(), sum = 0;
    counting += full != 0 ? 1 : 0;
    for (int t = 0; t < teachers; ++t) {
      std::int64_t delta = g_evaluators[id].delta(t);
      EXPECT_EQ(delta, g_teacher_full_penalty[t]) << c.name << " id " << id << " teacher " << g_eng_teachers[t].name;
      sum += delta;
    }
    EXPECT_EQ(full, sum) << c.name << " id " << id;
    total += full;
  }
  EXPECT_GT(counting, 5) << "the bundles make many rules count";
  std::int64_t summed = 0;
  for (int t = 0; t < teachers; ++t) {
    std::int64_t one_by_one = 0;
    for (int id : kTeacherSumOrder) one_by_one += or_run_delta_check(id, t);
    EXPECT_EQ(or_teacher_penalty_checked(t), one_by_one) << c.name << " teacher " << g_eng_teachers[t].name;
    EXPECT_EQ(or_teacher_penalty64(t), one_by_one) << c.name << " teacher " << g_eng_teachers[t].name;
    summed += one_by_one;
  }
  EXPECT_EQ(summed, total) << c.name;
  for (int id : kClassSumOrder) {
    if (id == 84 || id == 85 || !or_constraint_active(id)) continue;  // teacher-side shares
    std::memset(g_class_accumulated_penalty, 0, sizeof g_class_accumulated_penalty);
    std::int64_t full = g_evaluators[id].full(), sum = 0;
    for (int k = 0; k < classes; ++k) {
      std::int64_t delta = g_evaluators[id].delta(k);
      EXPECT_EQ(delta, g_class_accumulated_penalty[k]) << c.name << " id " << id << " class " << g_eng_classes[k].code;
      sum += delta;
    }
    EXPECT_EQ(full, sum) << c.name << " id " << id;
  }
  for (int k = 0; k < classes; ++k)
    EXPECT_EQ(or_class_penalty(k), solver_test::class_delta_sum(k)) << c.name << " class " << g_eng_classes[k].code;
  fs::current_path(old);
  reset_run_state();
}

INSTANTIATE_TEST_SUITE_P(
    Weeks, LoadedDeltaSums, ::testing::ValuesIn(kBundledWeeks),
    [](const ::testing::TestParamInfo<BundledWeek>& info) { return std::string(info.param.name); });

}  // namespace
