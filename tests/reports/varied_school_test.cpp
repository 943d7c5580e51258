// The report run on a small hand-built school unlike the samples: on
// Wednesday the hours start at 8:30, last 50 minutes and pause for 10 after
// the second, a class whose name is longer than five characters, and a
// support teacher beside the first class's own teacher.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "engine/lesson_links.h"
#include "engine/model_post_passes.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "reports/model_school_fixture.h"
#include "reports/report_run.h"

namespace fs = std::filesystem;
using save_test::add_class;
using save_test::add_lesson;
using save_test::add_subject;
using save_test::place;

namespace {

int add_teacher(const char* name) {
  int t = report_test::add_teacher(name);
  g_eng_teachers[t].reception_handled = 1;
  return t;
}

class VariedSchool : public report_test::ModelSchool {
 protected:
  void SetUp() override {
    StartSchool(3, 4);
    NameDays();
    g_eng_school.standby_grouping = -1;
    g_room_report_flag = 0;
    // Hours of 60 minutes from 8:00 with a pause of 15 after the second;
    // Wednesday's of 50 from 8:30 with a pause of 10.
    const int usual[4] = {480, 540, 615, 675}, wednesday[4] = {510, 560, 620, 670};
    for (int d = 0; d < kDays; ++d)
      for (int h = 0; h < 4; ++h) {
        g_eng_school.timing[0][d][h] = static_cast<std::uint16_t>(d == 2 ? wednesday[h] : usual[h]);
        g_eng_school.timing[1][d][h] = d == 2 ? 50 : 60;
      }
    g_eng_school.nonstandard_timing_days = 1 << 2;  // as the loader marks a day with its own times
    int a = add_class("1A"), b = add_class("2A");
    g_eng_classes[a].kind = 2;  // a study track's long name, as the loader gives it
    std::snprintf(g_eng_classes[a].display_name, sizeof g_eng_classes[a].display_name, "%s", "1Aclassico");
    g_eng_run.longest_class_name = 8;
    int support = add_class("S1");  // the support pseudo-class
    g_eng_school.real_class_count = 2;
    g_eng_school.support_class_start = support;
    int rossi = add_teacher("ROSSI"), verdi = add_teacher("VERDI"), neri = add_teacher("NERI");
    int ita = add_subject("ITALIANO"), mat = add_subject("MATEMATICA"), sos = add_subject("Sostegno");
    for (int d = 0; d < 3; ++d)
      for (int h = 0; h < 4; ++h) {
        place(add_lesson(h % 2 ? verdi : rossi, a, h % 2 ? mat : ita), d, h);
        place(add_lesson(h % 2 ? rossi : verdi, b, h % 2 ? ita : mat), d, h);
      }
    int help = add_lesson(neri, support, sos);
    or_set_lesson_supported_class(help, a);
    place(help, 2, 2);
  }
  std::string read(const std::string& name) const { return folder.read("Orario/" + name); }
};

// The lines of one class's block of a report: from the line holding `from`
// up to (not including) the next line holding `to` (or the end).
std::vector<std::string> block(const std::string& text, const std::string& from, const std::string& to) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  bool inside = false;
  for (std::string line; std::getline(in, line);) {
    if (!inside && line.find(from) != std::string::npos) inside = true;
    else if (inside && !to.empty() && line.find(to) != std::string::npos) break;
    if (inside) lines.push_back(line);
  }
  return lines;
}

bool has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The complete class report gives each day its own times when the days
// differ, a break row where day 0 pauses (with each day's own end of the
// hour before), the support teacher's row under the class's own teacher,
// and an end row with each day's end.
TEST_F(VariedSchool, TheCompleteClassReportShowsEachDaysTimesPausesAndSupport) {
  or_count_hours(0);
  or_write_all_reports(110, 0);
  std::string text = read("Orario Classi Completo.txt");
  std::vector<std::string> first = block(text, "CLASSE 1ACLA", "CLASSE 2A");
  ASSERT_FALSE(first.empty()) << text;
  EXPECT_EQ(first[0].rfind("!3   |CLASSE 1ACLA ", 0), 0u) << "the first five characters of the long name";
  const char* const expected[] = {
      "*0Ora|      Giorno1       |     |      Giorno2       |     |      Giorno3       |",
      "8:00 |ITALIANO            |8:00 |ITALIANO            |8:30 |ITALIANO            |",
      "10:00|intervallo          |10:00|intervallo          |10:10|intervallo          |",
      "10:15|ITALIANO            |10:15|ITALIANO            |10:20|ITALIANO            |",
      "Sost.|                    |     |                    |     |NERI                |",
      "11:15|MATEMATICA          |11:15|MATEMATICA          |11:10|MATEMATICA          |",
      "12:15|                    |12:15|                    |12:00|                    |",
  };
  for (const char* line : expected) EXPECT_TRUE(has(first, line)) << line << "\n" << text.substr(0, 2000);
  std::vector<std::string> second = block(text, "CLASSE 2A", "");
  ASSERT_FALSE(second.empty());
  for (const std::string& line : second) EXPECT_EQ(line.rfind("Sost.", 0), std::string::npos) << line;
  EXPECT_TRUE(has(second, "8:00 |MATEMATICA          |8:00 |MATEMATICA          |8:30 |MATEMATICA          |"));
}

// The class grid reports read a long class name downward, five characters
// an hour; the support report shows the support teacher, with the class's
// own teacher on the row below, and only for the class he supports.
TEST_F(VariedSchool, GridReportsReadLongNamesDownwardAndShowTheSupport) {
  or_count_hours(0);
  or_write_all_reports(110, 0);
  std::string classes = read("Orario Classi.txt");
  std::vector<std::string> first = block(classes, " 1Acla  |", " 2A     |");
  const char* const rows[] = {
      " 1Acla  |8:00 |ROSSI               |8:00 |ROSSI               |8:30 |ROSSI               |",
      " ssico  |9:00 |VERDI               |9:00 |VERDI               |9:20 |VERDI               |",
      "        |10:00|intervallo          |10:00|intervallo          |10:10|intervallo          |",
      "        |12:15|                    |12:15|                    |12:00|                    |",
  };
  for (const char* line : rows) EXPECT_TRUE(has(first, line)) << line << "\n" << classes.substr(0, 1500);
  std::string support = read("Orario Sostegno.txt");
  const char* const support_rows[] = {
      " 1Acla  |8:00 |Rossi               |8:00 |Rossi               |8:30 |Rossi               |",
      "        |10:15|Rossi               |10:15|Rossi               |10:20|NERI                |",
      "        |10:15|                    |     |                    |     |ROSSI               |",
  };
  std::vector<std::string> lines = block(support, "*0CLASSE", "");
  for (const char* line : support_rows) EXPECT_TRUE(has(lines, line)) << line << "\n" << support;
  EXPECT_EQ(support.find(" 2A "), std::string::npos) << "2A has no support";
  // The short class table gives every column the long name's width.
  std::string brief = read("Tabella Classi Breve.txt");
  EXPECT_NE(brief.find(" |Ora#1Aclassico|2A        # |"), std::string::npos) << brief;
}

// The register export books the real classes' hours only: the support
// pseudo-class's lesson is no class's hour of its own.
TEST_F(VariedSchool, TheRegisterExportBooksOnlyTheRealClasses) {
  g_eng_run.run_mode = 0;  // a computed timetable's run: the test runs write no export
  or_count_hours(0);
  or_write_all_reports(110, 0);
  std::string text = read("Registro_Mastercom.csv");
  std::istringstream in(text);
  std::string line;
  ASSERT_TRUE(std::getline(in, line));
  EXPECT_EQ(line, "classe;materia;professore;giorno;ora_inizio;durata");
  int rows = 0;
  while (std::getline(in, line)) {
    ++rows;
    std::string klass = line.substr(0, line.find(';'));
    EXPECT_TRUE(klass == "1Aclassico" || klass == "2A") << line;
    EXPECT_EQ(line.find("NERI"), std::string::npos) << line;
  }
  EXPECT_GT(rows, 0) << text;
}

}  // namespace
