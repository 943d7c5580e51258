// The fixed weeks of the sample schools with the bundles of personal
// constraint lines turned round to other teachers (and the school limits
// given or left out), so that each rule counts on other teachers' days than
// in the first turn: the list "REPO:" writes for each is the recorded one
// (tests/data/residual/rotations, rewritten only by a change meant to alter
// what a rule counts, with KT_UPDATE_GOLDEN=1), every rule's delta check
// gives each teacher and class its share of the full check, and on piccola
// each violation's exemption granted alone relaxes only its own teacher's
// or class's violations.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "bundled_schools.h"
#include "class_delta_sum.h"
#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "grant_walk.h"
#include "school_fixture.h"
#include "solver/constraint_catalogue.h"
#include "solver/cost_evaluation.h"
#include "solver/exemptions.h"

namespace fs = std::filesystem;

namespace {

// Other school-wide bands, by the teacher's weekly hours: gap hours allowed,
// light days, presence and teaching hours a day, returns to a class; by the
// days a teacher works in a class, the free days wanted between them; no
// lunch pause.
constexpr const char* kOtherLimits =
    "IHBUCHE:\t10-0:99-2\t\nIGGIORNI:\t12-2:99-1\t\nIHPRESENZA:\t99-5\t\nIHINSEGNA:\t99-4\t\n"
    "ENTEREXIT:\t99-1\t\nGIORNIPAUSACL:\t2-1:3-1\t\n";

const BundledWeek kRotatedWeeks[] = {
    {"piccola_saved_2", "piccola", "piccola_saved.txt", 2, kSchoolLimits},
    {"piccola_saved_4", "piccola", "piccola_saved.txt", 4},
    {"piccola_saved_6", "piccola", "piccola_saved.txt", 6, kOtherLimits},
    {"piccola_saved_7", "piccola", "piccola_saved.txt", 7, kSchoolLimits},
    {"piccola_saved_8", "piccola", "piccola_saved.txt", 8, kOtherLimits},
    {"piccola_saved_10", "piccola", "piccola_saved.txt", 10, kSchoolLimits},
    {"piccola_saved_11", "piccola", "piccola_saved.txt", 11},
    {"piccola_saved_12", "piccola", "piccola_saved.txt", 12, kSchoolLimits},
    {"piccola_balanced_1", "piccola", "piccola_balanced.txt", 1, kOtherLimits, true},
    {"piccola_overlaps_6", "piccola", "piccola_overlaps.txt", 6, kSchoolLimits, true},
    {"piccola_balanced_own", "piccola", "piccola_balanced.txt", -1, kSchoolLimits, true},
    {"liceo_computed_3", "liceo", "liceo_computed.txt", 3, kSchoolLimits},
    {"liceo_computed_6", "liceo", "liceo_computed.txt", 6},
    {"liceo_computed_10", "liceo", "liceo_computed.txt", 10, kOtherLimits},
    {"liceo_saved_2", "liceo", "liceo_saved.txt", 2, kSchoolLimits},
    {"liceo_saved_own", "liceo", "liceo_saved.txt", -1, kOtherLimits},
    {"istituto_searched_4", "istituto", "istituto_searched.txt", 4, kSchoolLimits},
    {"istituto_searched_8", "istituto", "istituto_searched.txt", 8},
};

std::string name_of(const ::testing::TestParamInfo<BundledWeek>& info) { return info.param.name; }

// The recorded text of a case, or the text recorded when asked to.
void expect_recorded(const std::string& name, const std::string& got_text, const char* what) {
  fs::path recorded = fs::path(KT_TEST_DATA) / "residual" / "rotations" / name;
  if (const char* update = std::getenv("KT_UPDATE_GOLDEN"); update && *update == '1') {
    std::ofstream(recorded, std::ios::binary | std::ios::trunc) << got_text;
    GTEST_SKIP() << "recorded " << what << " written";
  }
  std::vector<std::string> want = split_lines(file_text(recorded)), got = split_lines(got_text);
  ASSERT_FALSE(want.empty()) << recorded;
  for (std::size_t i = 0; i < want.size() || i < got.size(); ++i) {
    std::string a = i < want.size() ? want[i] : "(none)", b = i < got.size() ? got[i] : "(none)";
    ASSERT_EQ(a, b) << name << " " << what << " line " << i + 1;
  }
}

class RotatedBundles : public ::testing::TestWithParam<BundledWeek> {};

TEST_P(RotatedBundles, TheResidualListIsTheRecordedOne) {
  const BundledWeek& c = GetParam();
  std::unique_ptr<SchoolCopy> school = bundled_copy(c);
  std::string out;
  ASSERT_EQ(run_orario_in(school->folder(), school->root(), "REPO:scuola2.txt", &out), 0) << out;
  std::string list = without_clock(file_text(school->folder() / "Orario" / "Errori Residui.txt"));
  ASSERT_FALSE(list.empty()) << out;
  expect_recorded(std::string(c.name) + ".txt", list, "list");
}

// Each rule's full total and every teacher's and class's share, as the
// search prices them.
TEST_P(RotatedBundles, EveryRulesDeltaIsItsShareOfTheFullCheck) {
  const BundledWeek& c = GetParam();
  std::unique_ptr<SchoolCopy> school = bundled_copy(c);
  fs::path old = fs::current_path();
  fs::current_path(school->folder());
  // The weights an earlier search left in the process are not the check's.
  reset_run_state();
  const char* argv[] = {"Questo non serve", "SNOD:scuola2.txt", "NEDE", nullptr};
  ASSERT_EQ(or_main(1, 3, argv), 0) << g_status.message;
  int counting = solver_test::expect_shares_of_full_check(c.name);
  EXPECT_GT(counting, c.shift >= 0 ? 5 : 0) << "the bundles make many rules count";
  fs::current_path(old);
  reset_run_state();
}

INSTANTIATE_TEST_SUITE_P(Weeks, RotatedBundles, ::testing::ValuesIn(kRotatedWeeks), name_of);

class RotatedGrants : public ::testing::TestWithParam<BundledWeek> {};

TEST_P(RotatedGrants, EachGrantRelaxesOnlyItsOwnViolation) {
  const BundledWeek& c = GetParam();
  std::unique_ptr<SchoolCopy> school = bundled_copy(c);
  fs::path old = fs::current_path();
  fs::current_path(school->folder());
  std::string log = grant_walk::each_grant_alone(c.name);
  fs::current_path(old);
  reset_run_state();
  expect_recorded(std::string(c.name) + "_grants.txt", log, "grants");
}

INSTANTIATE_TEST_SUITE_P(Weeks, RotatedGrants, ::testing::ValuesIn(kRotatedWeeks, kRotatedWeeks + 11), name_of);

}  // namespace
