// What "REPO:" writes to "Errori Residui.txt" for a fixed week: the sample
// schools with every teacher given a bundle of personal constraint lines
// (each bundle on another teacher from case to case), so that the checks of
// most teacher rule families count something on a week nobody searched for
// them. The list names each violated rule, its teacher or class, the count
// and the detail text; the recorded lists in tests/data/residual hold it
// line by line. Only a change meant to alter what a rule counts rewrites
// them (KT_UPDATE_GOLDEN=1, said in its commit). The weeks are kept beside
// the lists, so that a new search leaves them alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "bundled_schools.h"
#include "school_fixture.h"

namespace fs = std::filesystem;

namespace {

class ResidualErrors : public ::testing::TestWithParam<BundledWeek> {};

TEST_P(ResidualErrors, TheListOfAFixedWeekIsTheRecordedOne) {
  const BundledWeek& c = GetParam();
  std::unique_ptr<SchoolCopy> copy = bundled_copy(c);
  const SchoolCopy& school = *copy;
  fs::path data = fs::path(KT_TEST_DATA) / "residual";

  std::string out;
  ASSERT_EQ(run_orario_in(school.folder(), school.root(), "REPO:scuola2.txt", &out), 0) << out;
  std::string list = without_clock(file_text(school.folder() / "Orario" / "Errori Residui.txt"));
  ASSERT_NE(list.find("E:"), std::string::npos) << out;
  // Every line of the file is echoed on the console as it is written (the
  // console's own code page aside: only the plain ASCII lines are compared).
  for (const std::string& line : split_lines(list)) {
    bool ascii = std::all_of(line.begin(), line.end(), [](char ch) { return (ch & 0x80) == 0; });
    if (ascii && line.rfind("E:", 0) == 0) {
      EXPECT_NE(out.find(line), std::string::npos) << line;
    }
  }

  fs::path recorded = data / (std::string(c.name) + ".txt");
  if (const char* update = std::getenv("KT_UPDATE_GOLDEN"); update && *update == '1') {
    std::ofstream(recorded, std::ios::binary | std::ios::trunc) << list;
    GTEST_SKIP() << "recorded list written";
  }
  std::vector<std::string> want = split_lines(file_text(recorded)), got = split_lines(list);
  ASSERT_FALSE(want.empty()) << recorded;
  for (std::size_t i = 0; i < want.size() || i < got.size(); ++i) {
    std::string a = i < want.size() ? want[i] : "(none)", b = i < got.size() ? got[i] : "(none)";
    ASSERT_EQ(a, b) << c.name << " line " << i + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Weeks, ResidualErrors,
    ::testing::ValuesIn(kBundledWeeks),
    [](const ::testing::TestParamInfo<BundledWeek>& info) { return std::string(info.param.name); });

}  // namespace
