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
  int counting = solver_test::expect_shares_of_full_check(c.name);
  EXPECT_GT(counting, 5) << "the bundles make many rules count";
  fs::current_path(old);
  reset_run_state();
}

INSTANTIATE_TEST_SUITE_P(
    Weeks, LoadedDeltaSums, ::testing::ValuesIn(kBundledWeeks),
    [](const ::testing::TestParamInfo<BundledWeek>& info) { return std::string(info.param.name); });

}  // namespace
