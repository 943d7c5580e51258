// The day's substitutions through or_main on the small sample school with
// its saved week: the absences the page sets go to "assenze.txt" and come
// back field by field; each lesson of an absent teacher at an hour of
// absence gets its row, the rows in hour order, nobody covering twice in
// an hour or while away himself; the report by hour lists every row, the
// one by substitute every covered row in the substitutes' order; a
// damaged absences file is refused and changes nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine_main.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/status_block.h"
#include "engine/substitution_services.h"
#include "orario_run_support.h"

namespace {

namespace fs = std::filesystem;

int run(const char* command) {
  const char* argv[] = {"orario", command, nullptr};
  return or_main(1, 2, argv);
}

class SubstitutionCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    orario_test::piccola_with_saved_week(school_);
    g_status.clear();
    g_provisional_mode = 0;
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
  }
  void TearDown() override { std::memset(&g_substitution_state, 0, sizeof g_substitution_state); }
  // Tuesday: ROSSI away the first three hours (reason 1), BIANCHI the fourth (reason 2).
  void SetAbsences() {
    SubstitutionState& s = g_substitution_state;
    s.day = 2;
    s.absent_count = 2;
    const std::pair<const char*, std::set<int>> away[2] = {{"ROSSI", {0, 1, 2}}, {"BIANCHI", {3}}};
    for (int a = 0; a < 2; ++a) {
      std::snprintf(s.absent[a].name, sizeof s.absent[a].name, "%s", away[a].first);
      s.absent[a].reason = a + 1;
      for (int h : away[a].second) s.absent[a].hours[h] = 1;
    }
  }
  static bool Away(const std::string& name, int hour) {
    return (name == "ROSSI" && hour <= 2) || (name == "BIANCHI" && hour == 3);
  }
  engine_test::TempDir school_;
  engine_test::InFolder in_{school_.path()};
};

TEST_F(SubstitutionCommands, AbsencesGoToTheFileAndComeBack) {
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  const SubstitutionState& s = g_substitution_state;
  EXPECT_EQ(s.day_count, 6);
  EXPECT_GT(s.reason_count, 2);
  ASSERT_GT(+s.teacher_count, 10);
  std::set<std::string> names;
  for (int t = 0; t < s.teacher_count; ++t) names.insert(s.teachers[t]);
  EXPECT_TRUE(names.count("ROSSI") && names.count("MANCINI"));
  SetAbsences();
  SubstitutionState written = s;
  ASSERT_EQ(run("SOSA:scuola2.txt"), 0) << g_status.message;
  ASSERT_TRUE(fs::exists(school_.path() / "assenze.txt"));
  std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  EXPECT_EQ(s.day, written.day);
  EXPECT_EQ(s.reason_count, written.reason_count);
  for (int r = 0; r < s.reason_count; ++r) EXPECT_STREQ(s.reasons[r], written.reasons[r]) << r;
  ASSERT_EQ(s.absent_count, 2);
  for (int a = 0; a < 2; ++a) {
    EXPECT_STREQ(s.absent[a].name, written.absent[a].name);
    EXPECT_EQ(s.absent[a].reason, written.absent[a].reason);
    EXPECT_EQ(+std::memcmp(s.absent[a].hours, written.absent[a].hours, kAbsenceHours), 0) << a;
  }
}

TEST_F(SubstitutionCommands, EveryAbsentLessonHasItsRowAndTheReportsNameTheSubstitutes) {
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  SetAbsences();
  ASSERT_EQ(run("SOSA:scuola2.txt"), 0) << g_status.message;
  ASSERT_EQ(run("SOST:scuola2.txt"), 0) << g_status.message;
  const SubstitutionState& s = g_substitution_state;
  EXPECT_EQ(s.computed_day, 2);
  std::multiset<std::pair<int, std::string>> lessons, rows;  // hour, class
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (!or_lesson_placed(l) || x.day != 1 || or_is_pseudo_class(x.class_index)) continue;
    if (!Away(g_eng_teachers[x.teacher].name, x.hour)) continue;
    if (or_lesson_has_second(l) && !Away(g_eng_teachers[x.second_teacher].name, x.hour)) continue;
    lessons.insert({x.hour, g_eng_classes[x.class_index].code});
  }
  ASSERT_FALSE(lessons.empty());
  std::set<std::pair<std::string, int>> busy;
  std::set<std::string> substitutes;
  for (int i = 0; i < s.row_count; ++i) {
    const SubstitutionRow& r = s.rows[i];
    rows.insert({r.hour, r.class_name});
    EXPECT_TRUE(Away(r.absent, r.hour)) << r.absent << " " << r.hour;
    if (i > 0) {
      EXPECT_LE(s.rows[i - 1].hour, r.hour);
    }
    if (r.kind == kUncovered) {
      EXPECT_STREQ(r.substitute, "");
      continue;
    }
    EXPECT_FALSE(Away(r.substitute, r.hour)) << r.substitute;
    bool teaching = false, of_the_class = false;  // the substitute at that hour, and in the class that week
    for (int l = 0; l < g_eng_school.lesson_count; ++l) {
      const EngineLesson& x = g_eng_lessons[l];
      if (!or_lesson_placed(l) || std::string(g_eng_teachers[x.teacher].name) != r.substitute) continue;
      teaching = teaching || (x.day == 1 && x.hour == r.hour && !or_is_pseudo_class(x.class_index));
      of_the_class = of_the_class || std::string(g_eng_classes[x.class_index].code) == r.class_name;
    }
    EXPECT_FALSE(teaching) << r.substitute << " teaches at " << r.hour;
    if (r.kind == kCoveredByClassTeacher) {
      EXPECT_TRUE(of_the_class) << r.substitute << " in " << r.class_name;
    }
    EXPECT_TRUE(busy.insert({r.substitute, r.hour}).second) << r.substitute << " twice at " << r.hour;
    substitutes.insert(r.substitute);
  }
  EXPECT_EQ(rows, lessons);
  ASSERT_FALSE(substitutes.empty());
  ASSERT_EQ(run("SOSX:scuola2.txt"), 0) << g_status.message;
  // The report by hour has a line per row and counts the uncovered ones; the
  // one by substitute a line per covered row, in the substitutes' order.
  auto data_lines = [&](const char* report) {
    std::vector<std::string> lines;
    std::istringstream text(engine_test::read_file(school_.file(std::string("Sostituzioni/") + report)));
    bool header = true;
    for (std::string line; std::getline(text, line);) {
      if (line.find('|') == std::string::npos) continue;
      if (!header) lines.push_back(line);
      header = false;
    }
    return lines;
  };
  std::vector<std::string> by_hour = data_lines("Sostituzioni.txt"), by_teacher = data_lines("Sostituzioni per Docente.txt");
  EXPECT_EQ(int(by_hour.size()), s.row_count);
  int covered = 0;
  for (int i = 0; i < s.row_count; ++i) {
    const SubstitutionRow& r = s.rows[i];
    if (i < int(by_hour.size())) {
      EXPECT_EQ(std::atoi(by_hour[i].c_str()), r.hour + 1) << by_hour[i];
      EXPECT_NE(by_hour[i].find(r.class_name), std::string::npos) << by_hour[i];
    }
    if (r.kind == kUncovered) continue;
    ++covered;
    int found = 0;
    for (const std::string& line : by_teacher)
      found += line.rfind(r.substitute, 0) == 0 && line.find(r.class_name) != std::string::npos &&
               std::atoi(line.c_str() + line.find('|') + 1) == r.hour + 1;
    EXPECT_EQ(found, 1) << r.substitute << " " << r.class_name;
  }
  EXPECT_EQ(int(by_teacher.size()), covered);
  EXPECT_TRUE(std::is_sorted(by_teacher.begin(), by_teacher.end(), [](const std::string& a, const std::string& b) {
    return a.substr(0, a.find('|')) < b.substr(0, b.find('|'));
  }));
  std::string hour_report = engine_test::read_file(school_.file("Sostituzioni/Sostituzioni.txt"));
  EXPECT_NE(hour_report.find("Ore scoperte: " + std::to_string(s.row_count - covered)), std::string::npos);
}

TEST_F(SubstitutionCommands, ADamagedAbsencesFileIsRefusedAndChangesNothing) {
  ASSERT_EQ(run("SOLO:scuola2.txt"), 0) << g_status.message;
  SetAbsences();
  ASSERT_EQ(run("SOSA:scuola2.txt"), 0) << g_status.message;
  ASSERT_EQ(run("SOST:scuola2.txt"), 0) << g_status.message;
  int rows = g_substitution_state.row_count;
  std::string file = engine_test::read_file(school_.file("assenze.txt"));
  for (const char* damage : {"ASSENTE:NESSUNO|1|111000000000\n", "GIORNO:9\n", "ASSENTE:VERDI|1|12\n"}) {
    engine_test::write_file(school_.file("assenze.txt"), file + damage);
    EXPECT_NE(run("SOST:scuola2.txt"), 0) << damage;
    EXPECT_NE(std::string(g_status.message).find("assenze.txt"), std::string::npos) << damage;
    EXPECT_EQ(g_substitution_state.row_count, rows) << damage;
    g_status.clear();
  }
}

}  // namespace
