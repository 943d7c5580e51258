// The fixed weeks of the sample schools with the teachers' constraint
// bundles and, on every teacher's line, more personal lines that no bundle
// asks for: adjacent gap hours in both modes ("MAXBUDAYPER:"), the minimum
// and maximum days with the last hours ("UMIN:", "UMAX:") and the banded
// minimum of days with a given hour ("EMIN:"). The list "REPO:" writes is
// the recorded one line by line (tests/data/residual/extra_lines; rewritten
// only by a change meant to alter what a rule counts, with
// KT_UPDATE_GOLDEN=1), and each rule named in it counts there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bundled_schools.h"
#include "school_fixture.h"

namespace fs = std::filesystem;

namespace {

struct ExtraLines {
  BundledWeek week;
  const char* more;  // added to every teacher's line
  std::vector<std::string> rules;  // rule names the list must show
};

void PrintTo(const ExtraLines& c, std::ostream* out) { *out << c.week.name; }

const ExtraLines kCases[] = {
    {{"piccola_saved_adjacent", "piccola", "piccola_saved.txt", 2, kSchoolLimits},
     "MAXBUDAYPER:4\tUMIN:2-5\tEMIN:5-5-5\t",
     {"MIN ULTIME ORE", "MIN 2 FASCIA ORE"}},
    {{"piccola_balanced_last", "piccola", "piccola_balanced.txt", 5, kSchoolLimits},
     "MAXBUDAYPER:3\tUMAX:1-1\t",
     {"MAX ULTIME ORE"}},
    {{"liceo_computed_adjacent", "liceo", "liceo_computed.txt", 3, kSchoolLimits},
     "MAXBUDAYPER:4\tUMAX:1-1\tEMIN:4-4-5\t",
     {"Buche adiacenti nel giorno", "MAX ULTIME ORE", "MIN 2 FASCIA ORE"}},
    {{"liceo_saved_adjacent_one", "liceo", "liceo_saved.txt", 2, kSchoolLimits},
     "MAXBUDAYPER:3\tUMIN:2-5\t",
     {"MIN ULTIME ORE"}},
    {{"istituto_searched_adjacent", "istituto", "istituto_searched.txt", 4, kSchoolLimits},
     "MAXBUDAYPER:4\tUMIN:1-4\tUMAX:2-1\t",
     {"MIN ULTIME ORE", "MAX ULTIME ORE"}},
};

class ExtraLinesResidual : public ::testing::TestWithParam<ExtraLines> {};

TEST_P(ExtraLinesResidual, TheResidualListIsTheRecordedOne) {
  const ExtraLines& c = GetParam();
  std::unique_ptr<SchoolCopy> school = bundled_copy(c.week);
  fs::path description = school->folder() / "scuola2.txt";
  std::string text;
  for (const std::string& line : split_lines(file_text(description)))
    text += line.rfind("V:\t", 0) == 0 ? line + c.more + "\n" : line + "\n";
  std::ofstream(description, std::ios::binary | std::ios::trunc) << text;

  std::string out;
  ASSERT_EQ(run_orario_in(school->folder(), school->root(), "REPO:scuola2.txt", &out), 0) << out;
  std::string list = without_clock(file_text(school->folder() / "Orario" / "Errori Residui.txt"));
  ASSERT_FALSE(list.empty()) << out;
  for (const std::string& rule : c.rules)
    EXPECT_NE(list.find("E:" + rule), std::string::npos) << rule << " counts nowhere";

  fs::path recorded = fs::path(KT_TEST_DATA) / "residual" / "extra_lines" / (std::string(c.week.name) + ".txt");
  if (const char* update = std::getenv("KT_UPDATE_GOLDEN"); update && *update == '1') {
    fs::create_directories(recorded.parent_path());
    std::ofstream(recorded, std::ios::binary | std::ios::trunc) << list;
    GTEST_SKIP() << "recorded list written";
  }
  std::vector<std::string> want = split_lines(file_text(recorded)), got = split_lines(list);
  ASSERT_FALSE(want.empty()) << recorded;
  for (std::size_t i = 0; i < want.size() || i < got.size(); ++i) {
    std::string a = i < want.size() ? want[i] : "(none)", b = i < got.size() ? got[i] : "(none)";
    ASSERT_EQ(a, b) << c.week.name << " line " << i + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(Weeks, ExtraLinesResidual, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ExtraLines>& i) { return std::string(i.param.week.name); });

}  // namespace
