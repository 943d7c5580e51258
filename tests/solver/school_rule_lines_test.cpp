// School lines that switch on rules no teacher bundle reaches: subjects'
// teaching weights with the school's daily weight bands ("PEXDIY:",
// "PEXDIZ:", "PEXDIX:" on the subject lines), and the free days a teacher's days in a
// class ask for ("GIORNIPAUSACL:") with a class seen only at both ends of
// the week ("NOSALU:"), on piccola's fixed weeks with the teachers' bundles. The list
// "REPO:" writes is the recorded one (tests/data/residual/school_lines,
// rewritten only by a change meant to alter what a rule counts, with
// KT_UPDATE_GOLDEN=1), every class rule's delta check gives each class its
// share of the full check, and each violation's exemption granted alone
// relaxes only its own class's or teacher's violations, as recorded.
#include <gtest/gtest.h>

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

struct LinesCase {
  BundledWeek week;
  // Subject lines given a teaching weight ("GM:NAME\t" -> "GM:NAME\tPEXDIX:n\t").
  const char* weighted[3];
  int weight;
};

const LinesCase kCases[] = {
    {{"weights_saved", "piccola", "piccola_saved.txt", 2, "PEXDIY:1\t\nPEXDIZ:\t4-4-3:6-6-4\t\n"},
     {"ITALIANO", "MATEMATICA", "STORIA"}, 3},
    {{"weights_balanced", "piccola", "piccola_balanced.txt", 8, "PEXDIY:1\t\nPEXDIZ:\t3-2-2:5-4-3:6-5-4\t\n"},
     {"ITALIANO", "GEOGRAFIA", "INGLESE"}, 2},
    {{"breaks_saved", "piccola", "piccola_saved.txt", 4, "GIORNIPAUSACL:\t2-1:3-1\t\nNOSALU:\t3\t\n"}, {}, 0},
    {{"breaks_overlaps", "piccola", "piccola_overlaps.txt", 10, "GIORNIPAUSACL:\t3-2:4-1\t\nNOSALU:\t15\t\n"}, {}, 0},
};

void PrintTo(const LinesCase& c, std::ostream* out) { *out << c.week.name; }

std::unique_ptr<SchoolCopy> lines_copy(const LinesCase& c) {
  std::unique_ptr<SchoolCopy> school = bundled_copy(c.week);
  fs::path description = school->folder() / "scuola2.txt";
  std::string text = file_text(description);
  for (const char* subject : c.weighted) {
    if (!subject) continue;
    std::string from = std::string("GM:") + subject + "\t";
    std::string to = from + "PEXDIX:" + std::to_string(c.weight) + "\t";
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
      text.replace(at, from.size(), to);
  }
  std::ofstream(description, std::ios::binary | std::ios::trunc) << text;
  return school;
}

void expect_recorded(const std::string& name, const std::string& got_text) {
  fs::path recorded = fs::path(KT_TEST_DATA) / "residual" / "school_lines" / name;
  if (const char* update = std::getenv("KT_UPDATE_GOLDEN"); update && *update == '1') {
    std::ofstream(recorded, std::ios::binary | std::ios::trunc) << got_text;
    GTEST_SKIP() << "recorded text written";
  }
  std::vector<std::string> want = split_lines(file_text(recorded)), got = split_lines(got_text);
  ASSERT_FALSE(want.empty()) << recorded;
  for (std::size_t i = 0; i < want.size() || i < got.size(); ++i) {
    std::string a = i < want.size() ? want[i] : "(none)", b = i < got.size() ? got[i] : "(none)";
    ASSERT_EQ(a, b) << name << " line " << i + 1;
  }
}

class SchoolRuleLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(SchoolRuleLines, TheResidualListIsTheRecordedOne) {
  const LinesCase& c = GetParam();
  std::unique_ptr<SchoolCopy> school = lines_copy(c);
  std::string out;
  ASSERT_EQ(run_orario_in(school->folder(), school->root(), "REPO:scuola2.txt", &out), 0) << out;
  std::string list;
  for (std::string line : split_lines(file_text(school->folder() / "Orario" / "Errori Residui.txt"))) {
    if (line.rfind("Fine ", 0) == 0) line = line.substr(0, line.find(" ["));
    list += line + "\n";
  }
  ASSERT_NE(list.find("E:"), std::string::npos) << out;
  expect_recorded(std::string(c.week.name) + ".txt", list);
}

TEST_P(SchoolRuleLines, EveryClassRulesDeltaIsItsShareOfTheFullCheck) {
  const LinesCase& c = GetParam();
  std::unique_ptr<SchoolCopy> school = lines_copy(c);
  fs::path old = fs::current_path();
  fs::current_path(school->folder());
  reset_run_state();
  const char* argv[] = {"Questo non serve", "SNOD:scuola2.txt", "NEDE", nullptr};
  ASSERT_EQ(or_main(1, 3, argv), 0) << g_status.message;
  solver_test::expect_class_shares(c.week.name);
  fs::current_path(old);
  reset_run_state();
}

TEST_P(SchoolRuleLines, EachGrantRelaxesOnlyItsOwnViolation) {
  const LinesCase& c = GetParam();
  std::unique_ptr<SchoolCopy> school = lines_copy(c);
  fs::path old = fs::current_path();
  fs::current_path(school->folder());
  std::string log = grant_walk::each_grant_alone(c.week.name);
  fs::current_path(old);
  reset_run_state();
  expect_recorded(std::string(c.week.name) + "_grants.txt", log);
}

INSTANTIATE_TEST_SUITE_P(Weeks, SchoolRuleLines, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<LinesCase>& info) { return std::string(info.param.week.name); });

}  // namespace
