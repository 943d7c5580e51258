// On seeded placements of the sample schools read by the loader: for every
// constraint id of the gap, presence, hour-of-day, day and class families,
// the full check equals the sum of its delta checks (over the teachers for
// teacher ids, over the classes for class ids), with and without reports;
// the school-wide class members (79, 86) give the full value for any class.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/engine_random.h"
#include "engine/loader.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/constraint_catalogue.h"
#include "solver/cost_evaluation.h"
#include "solver/initial_assignment.h"
#include "solver/placement_state.h"

namespace {

const int kTeacherIds[] = {1, 2, 3, 4, 5, 6, 8, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
                           24, 25, 26, 27, 28, 46, 47, 48, 49, 50, 54, 56, 57, 58, 60, 66};
const int kClassIds[] = {75, 76, 77, 78, 80, 81, 82, 83, 87, 88, 89};
const int kSchoolWideIds[] = {79, 86};

class EvalSampleSchool : public LoadedSampleSchool {
 protected:
  void TearDown() override {
    LoadedSampleSchool::TearDown();
    reset_run_state();
  }
  void place(std::uint64_t seed) { ASSERT_TRUE(place_seeded(seed)); }
};

TEST_P(EvalSampleSchool, FullEqualsSumOfDeltas) {
  for (std::uint64_t seed : {3u, 4u}) {
    place(seed);
    for (int report = 0; report < 2; ++report) {
      g_eng_run.report_flag = report;
      for (int id : kTeacherIds) {
        std::memset(g_teacher_full_penalty, 0, sizeof g_teacher_full_penalty);
        std::int64_t full = g_evaluators[id].full(), sum = 0;
        for (int t = 0; t < g_eng_school.teacher_count; ++t) {
          std::int64_t delta = g_evaluators[id].delta(t);
          EXPECT_EQ(g_teacher_full_penalty[t], delta) << GetParam() << " id " << id << " teacher " << t;
          sum += delta;
        }
        EXPECT_EQ(full, sum) << GetParam() << " id " << id;
      }
      for (int id : kClassIds) {
        std::int64_t full = g_evaluators[id].full(), sum = 0;
        for (int c = 0; c < g_eng_school.class_count; ++c) sum += g_evaluators[id].delta(c);
        EXPECT_EQ(full, sum) << GetParam() << " id " << id;
      }
      for (int id : kSchoolWideIds) {
        std::int64_t full = g_evaluators[id].full();
        for (int c = 0; c < g_eng_school.class_count; ++c) EXPECT_EQ(g_evaluators[id].delta(c), full) << id;
      }
    }
  }
}

TEST_P(EvalSampleSchool, ReportingEvaluationListsTheFamiliesViolations) {
  place(6);
  g_eng_run.report_mode = 1;
  std::int64_t total = or_evaluate_all_constraints64(1);
  g_eng_run.report_mode = 0;
  int records = g_status.violation_count.load();
  ASSERT_GT(records, 0);
  EXPECT_GT(total, 0);
  for (int i = 0; i < records; ++i) {
    const ViolationRecord& v = g_status.violations[i];
    EXPECT_NE(g_evaluators[v.constraint_id].placeholder, 1) << v.constraint_id;
    EXPECT_GT(v.count, 0u);
    EXPECT_LE(std::strlen(v.text), 40u);
  }
}

INSTANTIATE_TEST_SUITE_P(Examples, EvalSampleSchool, ::testing::Values("piccola", "liceo"));

}  // namespace
