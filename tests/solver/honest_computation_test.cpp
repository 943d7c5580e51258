// A computation stopped by its time limit tells the truth about what it
// saved: the residual errors it lists at its end are those the check of the
// saved week ("REPO:") finds, line for line, and the saved week loads
// without a clash. Run on schools whose every teacher carries a bundle of
// personal constraint lines, so that the search's own bookkeeping (the
// cached sums, the grids, the delta checks of every rule family) has much
// to keep right; whatever the search finds in its time, the list it gives
// must be the saved week's.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bundled_schools.h"
#include "school_fixture.h"

namespace fs = std::filesystem;

namespace {

// The "E:" lines of a residual-errors list.
std::vector<std::string> error_lines(const std::string& text) {
  std::vector<std::string> out;
  for (const std::string& line : split_lines(text))
    if (line.rfind("E:", 0) == 0) out.push_back(line);
  return out;
}

struct Computation {
  BundledWeek week;
  const char* arguments;
};

void PrintTo(const Computation& c, std::ostream* out) { *out << c.week.name << " " << c.arguments; }

class HonestComputation : public ::testing::TestWithParam<Computation> {};

TEST_P(HonestComputation, TheListedResidualErrorsAreTheSavedWeeks) {
  const Computation& c = GetParam();
  std::unique_ptr<SchoolCopy> school = bundled_copy(c.week);
  std::string out;
  ASSERT_EQ(run_orario_in(school->folder(), school->root(), std::string("CALC:scuola2.txt ") + c.arguments, &out), 0)
      << out;
  fs::path list = school->folder() / "Orario" / "Errori Residui.txt";
  std::vector<std::string> computed = error_lines(file_text(list));
  if (c.week.shift >= 0) {
    ASSERT_FALSE(computed.empty()) << out;
  }
  fs::remove(list);
  std::string check;
  ASSERT_EQ(run_orario_in(school->folder(), school->root(), "REPO:scuola2.txt", &check), 0) << check;
  // A save whose lessons clash would be taken over or refused at the load.
  EXPECT_EQ(check.find("RESET"), std::string::npos) << check;
  std::vector<std::string> saved = error_lines(file_text(list));
  EXPECT_EQ(computed, saved) << out;
}

INSTANTIATE_TEST_SUITE_P(
    Bundles, HonestComputation,
    ::testing::Values(Computation{kBundledWeeks[0], "--seed 3 --time-limit 3"},
                      Computation{kBundledWeeks[1], "--seed 11 --time-limit 3"},
                      Computation{kBundledWeeks[3], "--seed 5 --time-limit 3 --new"},
                      Computation{kBundledWeeks[4], "--seed 8 --time-limit 3"},
                      Computation{kBundledWeeks[5], "--seed 2 --time-limit 4"},
                      Computation{kBundledWeeks[7], "--seed 9 --time-limit 4"},
                      // The minimum, staged and continued searches.
                      Computation{kBundledWeeks[0], "MINI --seed 4 --time-limit 3"},
                      Computation{kBundledWeeks[2], "MIBU --seed 4 --time-limit 3"},
                      Computation{kBundledWeeks[4], "CONT --seed 6 --time-limit 3"},
                      Computation{kBundledWeeks[5], "MIBU --seed 3 --time-limit 4"},
                      // The school's own constraint lines, from a week with gap
                      // hours left only.
                      Computation{BundledWeek{"liceo_own", "liceo", "liceo_computed.txt", -1}, "--seed 4 --time-limit 3"}),
    [](const ::testing::TestParamInfo<Computation>& info) {
      return std::string(info.param.week.name) + "_" + std::to_string(info.index);
    });

// The balancing and the overlap reduction on a fixed week: the residual
// errors each lists at its end are those of the week it saved
// ("savebi.txt"), as the check of that week finds them, and no more than
// the week it started from had.
struct Phase {
  BundledWeek week;
  const char* arguments;
};

void PrintTo(const Phase& p, std::ostream* out) { *out << p.week.name << " " << p.arguments; }

class HonestPhase : public ::testing::TestWithParam<Phase> {};

TEST_P(HonestPhase, TheListedResidualErrorsAreTheSavedWeeks) {
  const Phase& p = GetParam();
  std::unique_ptr<SchoolCopy> school = bundled_copy(p.week);
  fs::path list = school->folder() / "Orario" / "Errori Residui.txt";
  std::string out;
  ASSERT_EQ(run_orario_in(school->folder(), school->root(), "REPO:scuola2.txt", &out), 0) << out;
  std::vector<std::string> start = error_lines(file_text(list));
  fs::remove(list);
  ASSERT_EQ(run_orario_in(school->folder(), school->root(), p.arguments, &out), 0) << out;
  std::vector<std::string> phase = error_lines(file_text(list));
  EXPECT_LE(phase.size(), start.size()) << out;
  fs::remove(list);
  fs::copy_file(school->folder() / "savebi.txt", school->folder() / "savego.txt", fs::copy_options::overwrite_existing);
  ASSERT_EQ(run_orario_in(school->folder(), school->root(), "REPO:scuola2.txt", &out), 0) << out;
  EXPECT_EQ(out.find("RESET"), std::string::npos) << out;
  EXPECT_EQ(phase, error_lines(file_text(list))) << out;
}

INSTANTIATE_TEST_SUITE_P(
    Bundles, HonestPhase,
    ::testing::Values(Phase{kBundledWeeks[0], "--seed 3 BILA:scuola2.txt - 40"},
                      Phase{kBundledWeeks[0], "--seed 3 MISV:scuola2.txt - 20"},
                      Phase{kBundledWeeks[4], "--seed 5 BILA:scuola2.txt - 30"},
                      Phase{kBundledWeeks[5], "--seed 2 BILA:scuola2.txt - 4"},
                      Phase{kBundledWeeks[5], "--seed 2 MISV:scuola2.txt - 4"}),
    [](const ::testing::TestParamInfo<Phase>& info) {
      return std::string(info.param.week.name) + "_" + std::to_string(info.index);
    });

}  // namespace
