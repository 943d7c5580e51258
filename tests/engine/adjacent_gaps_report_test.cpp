// Adjacent gap hours of a day as "REPO:" lists them: the small sample's
// hand-made week with one lesson pair of a class swapped, so that ROSSI has
// on Monday two single gaps (hours 2 and 4 free between lessons at 1, 3 and
// 5) or on Thursday one gap of two hours (lessons at 1, 4 and 5). What the
// teacher's "MAXBUDAYPER:" or the school's "MAXBUDAY:" second figure asks
// for decides which of the two counts: 1 counts a day's gap followed by
// another, 2 a gap of two hours or more; 0 (the sample's own) counts none,
// and neither counts when the teacher's gaps are switched off ("BUK:70").
#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "orario_run_support.h"

namespace {

using engine_test::read_file;
using engine_test::TempDir;
using engine_test::write_file;
using orario_test::contains;
using orario_test::Outcome;
using orario_test::run_orario;

// The sample's saved week with the hours of two of its lines (by number)
// exchanged: both lessons are of one class on one day, so the class keeps
// its week.
std::string week_with_swap(const std::string& first, const std::string& second) {
  std::string week = read_file(std::string(KT_TEST_DATA) + "/savefiles/piccola-savego.txt");
  std::istringstream in(week);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::size_t a = lines.size(), b = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind(first + " ", 0) == 0) a = i;
    if (lines[i].rfind(second + " ", 0) == 0) b = i;
  }
  EXPECT_LT(a, lines.size()) << first;
  EXPECT_LT(b, lines.size()) << second;
  if (a == lines.size() || b == lines.size()) return week;
  // "NNNN D H ...": the hour is the third field, one digit.
  std::swap(lines[a][7], lines[b][7]);
  std::string out;
  for (const std::string& line : lines) out += line + "\n";
  return out;
}

// Monday: ROSSI's 1A lesson at hour 2 and MARINO's at hour 5 exchanged
// (ROSSI: lessons 1, 3, 5).
std::string monday_two_single_gaps() { return week_with_swap("0000", "0097"); }
// Thursday: ROSSI's 2A lesson at hour 3 and BRUNO's at hour 1 exchanged
// (ROSSI: lessons 1, 4, 5).
std::string thursday_two_hour_gap() { return week_with_swap("0010", "0128"); }

// The lines of the list naming one rule.
std::vector<std::string> rule_lines(const std::string& list, const std::string& rule) {
  std::vector<std::string> found;
  std::istringstream in(list);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("E:" + rule, 0) == 0) found.push_back(line);
  return found;
}

struct AdjacentCase {
  const char* name;
  bool monday;             // else Thursday's week
  const char* school_line; // the "MAXBUDAY:" line, as in the description
  const char* rossi_items; // added to ROSSI's constraint line
  int count;               // ROSSI's count of the rule, 0 for no line
};

const AdjacentCase kCases[] = {
    {"OneSingleGapAfterAnotherCountsForOne", true, "MAXBUDAY:\t9-0", "MAXBUDAYPER:3\t", 1},
    {"OneSingleGapAfterAnotherIsNoTwoHourGap", true, "MAXBUDAY:\t9-0", "MAXBUDAYPER:4\t", 0},
    {"ATwoHourGapCountsForTwo", false, "MAXBUDAY:\t9-0", "MAXBUDAYPER:4\t", 1},
    {"ATwoHourGapIsNoSecondGap", false, "MAXBUDAY:\t9-0", "MAXBUDAYPER:3\t", 0},
    {"ATwoHourGapCountsForSeven", false, "MAXBUDAY:\t9-0", "MAXBUDAYPER:7\t", 1},
    {"OneSingleGapAfterAnotherCountsForSix", true, "MAXBUDAY:\t9-0", "MAXBUDAYPER:6\t", 1},
    {"TwoAloneTakesTheSchoolsNone", true, "MAXBUDAY:\t9-0", "MAXBUDAYPER:2\t", 0},
    {"TheSchoolsOneReachesEveryTeacher", true, "MAXBUDAY:\t2-1", "", 1},
    {"TheSchoolsTwoReachesEveryTeacher", false, "MAXBUDAY:\t2-2", "", 1},
    {"TheSchoolsSecondFigureWithoutTwoGapDays", false, "MAXBUDAY:\t1-2", "", 0},
    {"TheSchoolsSecondFigureWithNineFirst", false, "MAXBUDAY:\t9-2", "", 1},
    {"TheTeachersOwnOverTheSchools", false, "MAXBUDAY:\t2-2", "MAXBUDAYPER:3\t", 0},
    {"SwitchedOffGapsCountNothing", true, "MAXBUDAY:\t9-0", "MAXBUDAYPER:3\tBUK:70\t", 0},
    {"NoFigureCountsNothing", false, "MAXBUDAY:\t9-0", "", 0},
};

void PrintTo(const AdjacentCase& c, std::ostream* os) { *os << c.name; }

class AdjacentGapsReport : public ::testing::TestWithParam<AdjacentCase> {};

TEST_P(AdjacentGapsReport, TheListNamesRossiWithTheCount) {
  const AdjacentCase& c = GetParam();
  TempDir school;
  std::string text = read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt");
  std::size_t at = text.find("MAXBUDAY:\t9-0");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 13, c.school_line);
  at = text.find("V:\tROSSI\tLI:SA:\t");
  ASSERT_NE(at, std::string::npos);
  text.insert(at + 16, c.rossi_items);
  write_file(school.file("scuola2.txt"), text);
  write_file(school.file("savego.txt"), c.monday ? monday_two_single_gaps() : thursday_two_hour_gap());

  Outcome o = run_orario(school, "LANG=it_IT.UTF-8", "REPO:scuola2.txt");
  ASSERT_EQ(o.status, 0) << o.out << o.err;
  std::string list = read_file(school.file("Orario/Errori Residui.txt"));
  ASSERT_TRUE(contains(list, "E:")) << list;
  std::vector<std::string> lines = rule_lines(list, "Buche adiacenti nel giorno");
  if (c.count == 0) {
    EXPECT_TRUE(lines.empty()) << list;
    return;
  }
  ASSERT_EQ(lines.size(), 1u) << list;
  EXPECT_EQ(lines[0], "E:Buche adiacenti nel giorno               P=0   ROSSI                qt=  " +
                          std::to_string(c.count) + " ()    ");
  EXPECT_TRUE(contains(o.out, lines[0])) << o.out;
}

// The rule's name in the list of each language, for ROSSI's two single gaps.
TEST(AdjacentGapsReportLanguages, TheRuleIsNamedInTheListsLanguage) {
  struct Language { const char* env; const char* list; const char* line; };
  const Language languages[] = {
      {"LANG=it_IT.UTF-8", "Orario/Errori Residui.txt",
       "E:Buche adiacenti nel giorno               P=0   ROSSI                qt=  1 ()    "},
      {"LANG=en_GB.UTF-8", "Orario/Remaining Errors.txt",
       "E:Adjacent gaps in the day                 P=0   ROSSI                qt=  1 ()    "},
      {"LANG=de_DE.UTF-8", "Orario/Fehler R\xC3\xBC" "ckst\xC3\xA4nde.txt",
       "E:Benachbarte Hohlstunden am Tag           P=0   ROSSI                qt=  1 ()    "},
  };
  for (const Language& l : languages) {
    SCOPED_TRACE(l.env);
    TempDir school;
    std::string text = read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt");
    std::size_t at = text.find("V:\tROSSI\tLI:SA:\t");
    ASSERT_NE(at, std::string::npos);
    text.insert(at + 16, "MAXBUDAYPER:3\t");
    write_file(school.file("scuola2.txt"), text);
    write_file(school.file("savego.txt"), monday_two_single_gaps());
    Outcome o = run_orario(school, l.env, "REPO:scuola2.txt");
    ASSERT_EQ(o.status, 0) << o.out << o.err;
    std::string list = read_file(school.file(l.list));
    EXPECT_TRUE(contains(list, std::string(l.line) + "\n")) << list;
    EXPECT_TRUE(contains(o.out, l.line)) << o.out;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, AdjacentGapsReport, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<AdjacentCase>& info) { return std::string(info.param.name); });

}  // namespace
