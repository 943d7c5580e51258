// The staging of a computation on a week with many kinds of violation (the
// bundled sample schools, checked with the search's tables prepared): the
// start that keeps what is satisfied leaves on exactly the rules that count
// nothing on the week, so the week has no error under them; the plain start
// switches everything off but the two ids that are never staged; each step
// switches one rule back on in the priority order, the ids without a rule
// of their own all at the first step and the gap hours last, and once all
// are on the steps go on to the teachers in test.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "bundled_schools.h"
#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/constraint_catalogue.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"

namespace fs = std::filesystem;

namespace {

constexpr int kGapHours = 48;

class Staging : public ::testing::TestWithParam<BundledWeek> {
 protected:
  void SetUp() override {
    school_ = bundled_copy(GetParam());
    old_ = fs::current_path();
    fs::current_path(school_->folder());
    g_status.clear();
    const char* argv[] = {"Questo non serve", "SNOD:scuola2.txt", "NEDE", nullptr};
    ASSERT_EQ(or_main(1, 3, argv), 0) << g_status.message;
    ASSERT_GT(g_status.error_count.load(), 0);
  }
  void TearDown() override {
    for (ConstraintSwitch& s : ConstraintSwitchTable) s.off = 0;
    g_staging = {};
    fs::current_path(old_);
    reset_run_state();
  }
  std::unique_ptr<SchoolCopy> school_;
  fs::path old_;
};

TEST_P(Staging, KeepingWhatIsSatisfiedLeavesOnOnlyTheRulesThatCountNothing) {
  or_staging_start(-2);
  int off = 0;
  for (int id = 0; id < kConstraintCount; ++id) {
    if (id == 0 || id == 95 || id == kGapHours) continue;
    // The presence check (8) counts the teaching (9) and minimum-hours (10)
    // rules while they are on; their own checks count nothing.
    if (id == 9 || id == 10) {
      off += ConstraintSwitchTable[id].off != 0 ? 1 : 0;
      continue;
    }
    bool counts = g_evaluators[id].full() != 0;
    EXPECT_EQ(ConstraintSwitchTable[id].off != 0, counts) << GetParam().name << " id " << id;
    off += counts ? 1 : 0;
  }
  EXPECT_GT(off, 3) << "the bundles break several rules";
  EXPECT_EQ(g_staging.gap_weighting, 0);
  EXPECT_EQ(ConstraintSwitchTable[0].off, 0);
  EXPECT_EQ(ConstraintSwitchTable[95].off, 0);
  // The gap hours stay on only when the week keeps the real allowance.
  int level = g_status.gap_tolerance_level.load();
  g_status.gap_tolerance_level = 0;
  bool gaps = g_evaluators[kGapHours].full() != 0;
  g_status.gap_tolerance_level = level;
  EXPECT_EQ(ConstraintSwitchTable[kGapHours].off != 0, gaps);
  EXPECT_EQ(g_status.switched_off_count.load(), or_count_switched_off());
  EXPECT_EQ(or_count_switched_off(), off + (gaps ? 1 : 0));
  // What stayed on is kept by the week; with gap hours left, the tolerance
  // level is the lowest that prices the week as the widest one does.
  if (!gaps) {
    EXPECT_EQ(or_evaluate_all_constraints64(0), 0);
  } else {
    ConstraintSwitchTable[kGapHours].off = 0;
    g_status.gap_tolerance_level = 7;
    std::int64_t widest = or_evaluate_all_constraints64(0);
    g_status.gap_tolerance_level = level;
    EXPECT_EQ(or_evaluate_all_constraints64(0), widest);
    if (level > 0) {
      g_status.gap_tolerance_level = level - 1;
      EXPECT_NE(or_evaluate_all_constraints64(0), widest);
    }
  }
}

TEST_P(Staging, EachStepSwitchesOnTheNextRuleInThePriorityOrder) {
  g_staging.gap_staging = 1;
  or_staging_start(-1);
  for (int id = 0; id < kConstraintCount; ++id)
    EXPECT_EQ(ConstraintSwitchTable[id].off, id == 0 || id == 95 ? 0 : 1) << id;
  EXPECT_EQ(g_status.switched_off_count.load(), kConstraintCount - 2);
  std::vector<int> order;
  for (int id : kStagingOrder) order.push_back(id);
  ASSERT_EQ(order.back(), kGapHours);
  std::vector<int> switched;
  for (int step = 0; step < 200 && or_count_switched_off() > 0; ++step) {
    int before = or_count_switched_off();
    ASSERT_EQ(or_staging_next(), 1) << "step " << step;
    switched.push_back(g_status.stage_id.load());
    if (step == 0) {
      for (int id : kStagingFreeIds) EXPECT_EQ(ConstraintSwitchTable[id].off, 0) << id;
    } else {
      EXPECT_EQ(or_count_switched_off(), before - 1) << "step " << step;
    }
    EXPECT_EQ(ConstraintSwitchTable[switched.back()].off, 0);
    EXPECT_EQ(g_status.switched_off_count.load(), or_count_switched_off());
  }
  // The id 94 has no rule: it comes on first, alone, then the order.
  ASSERT_FALSE(switched.empty());
  EXPECT_EQ(switched.front(), 94);
  std::vector<int> rest(switched.begin() + 1, switched.end());
  EXPECT_EQ(rest, order);
  EXPECT_EQ(or_count_switched_off(), 0);
}

TEST_P(Staging, WithoutGapStagingTheGapHoursStayOffAndTheStagingEnds) {
  g_staging.gap_staging = 0;
  or_staging_start(-1);
  int steps = 0, last = 1;
  while (steps < 200 && (last = or_staging_next()) != 0) ++steps;
  EXPECT_EQ(last, 0);
  EXPECT_EQ(or_count_switched_off(), 1);
  EXPECT_EQ(ConstraintSwitchTable[kGapHours].off, 1);
  EXPECT_EQ(steps, static_cast<int>(sizeof kStagingOrder) - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Weeks, Staging, ::testing::Values(kBundledWeeks[0], kBundledWeeks[4], kBundledWeeks[5]),
    [](const ::testing::TestParamInfo<BundledWeek>& info) { return std::string(info.param.name); });

}  // namespace
