// Report writers on small schools built straight into the model tables
// (five days of six hours at 8:00, 9:00 ...), for what the sample schools'
// golden reports do not show: the register and publishing exports, two
// lessons in one class slot, the flexible stand-by report, a laboratory
// assistant's hours and the provisional summary.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

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
using report_test::add_teacher;

namespace {

const char* const kDayNames[7] = {"Lunedi", "Martedi", "Mercoledi", "Giovedi", "Venerdi", "Sabato", "Domenica"};

class SmallSchool : public report_test::ModelSchool {
 protected:
  void SetUp() override {
    StartSchool(5, 6);
    for (int d = 0; d < kDays; ++d) {
      std::snprintf(g_eng_school.day_names[d], kNameSize, "%s", kDayNames[d]);
      std::snprintf(g_eng_school.day_abbrevs[d], 4, "%.3s", kDayNames[d]);
    }
    g_eng_school.standby_grouping = -1;
    fs::create_directories(folder.path() / "Orario");
    g_eng_school.school_code[0] = 0;
    g_publish_delete = 0;
  }

  // Counts hours and fills the report data once the lessons are placed.
  void prepare() {
    or_count_hours(0);
    or_prepare_report_data();
  }
  std::string read(const std::string& name) const { return folder.read("Orario/" + name); }
};

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

// A run of one teacher's hours ends where the subject changes; the
// laboratory pseudo-teacher of the lesson teacher itself books no second
// line, one of another teacher books that teacher's line in a second pass.
TEST_F(SmallSchool, MastercomRunsEndAtASubjectChangeAndBookNoHourTwice) {
  int a = add_class("1A");
  int fontana = add_teacher("FONTANA"), own_lab = add_teacher("FONTANA_LAB");
  int bianchi = add_teacher("BIANCHI"), other_lab = add_teacher("BIANCHI_LAB");
  g_eng_teachers[own_lab].type_flags = g_eng_teachers[other_lab].type_flags = kTeacherLabPseudo;
  g_eng_teachers[own_lab].main_teacher = fontana;
  g_eng_teachers[other_lab].main_teacher = bianchi;
  int ita = add_subject("ITALIANO"), lat = add_subject("LATINO"), sto = add_subject("STORIA");
  place(add_lesson(fontana, a, sto, other_lab), 2, 3);
  place(add_lesson(fontana, a, sto, other_lab), 2, 4);
  add_lesson(fontana, a, ita);  // never placed: no line
  place(add_lesson(fontana, a, ita), 0, 0);
  place(add_lesson(fontana, a, ita), 0, 1);
  place(add_lesson(fontana, a, lat), 0, 2);
  place(add_lesson(fontana, a, sto), 0, 3);
  place(add_lesson(fontana, a, sto, own_lab), 0, 4);
  prepare();
  g_eng_run.run_mode = 0;
  or_write_mastercom_export();
  EXPECT_EQ(read("Registro_Mastercom.csv"),
            "classe;materia;professore;giorno;ora_inizio;durata\n"
            "1A;ITALIANO;FONTANA;0;0;2\n"
            "1A;LATINO;FONTANA;0;2;1\n"
            "1A;STORIA;FONTANA;0;3;2\n"
            "1A;STORIA;FONTANA;2;3;2\n"
            "1A;STORIA;BIANCHI;2;3;2\n");
}

TEST_F(SmallSchool, PipeExportOneLinePerTeacherOfALesson) {
  int a = add_class("1A");
  int rossi = add_teacher("ROSSI"), verdi = add_teacher("VERDI"), lab = add_teacher("LAB");
  g_eng_teachers[lab].type_flags = kTeacherLabPseudo;
  std::snprintf(g_eng_teachers[verdi].sissi_id, sizeof g_eng_teachers[verdi].sissi_id, "%s", "V77");
  int sci = add_subject("SCIENZE");
  place(add_lesson(rossi, a, sci, verdi), 0, 1);  // two lines
  place(add_lesson(rossi, a, sci, lab), 1, 2);    // the laboratory pseudo-teacher has none
  add_lesson(rossi, a, sci);                      // unplaced: day and hour 0
  prepare();
  or_write_register_pipe_export();
  EXPECT_FALSE(folder.exists("Orario/Esportazione Sissi Axios.txt")) << "no register code of the school";
  std::snprintf(g_eng_school.school_code, sizeof g_eng_school.school_code, "%s", "MI01");  // "SISSI:IDS:"
  prepare();
  or_write_register_pipe_export();
  EXPECT_EQ(read("Esportazione Sissi Axios.txt"),
            "MI01|ROSSI|1A|SCIENZE|1|2|\n"
            "MI01|V77|1A|SCIENZE|1|2|\n"
            "MI01|ROSSI|1A|SCIENZE|2|3|\n"
            "MI01|ROSSI|1A|SCIENZE|0|0|\n");
}

TEST_F(SmallSchool, PublishExportShowsFreeSlotsAsEmptyFields) {
  g_eng_run.days_per_week = 2;
  int a = add_class("1A");
  int rossi = add_teacher("ROSSI");
  int ita = add_subject("ITALIANO");
  place(add_lesson(rossi, a, ita), 0, 0);
  place(add_lesson(rossi, a, ita), 1, 2);
  g_eng_teachers[rossi].reset_marker = 0;  // reception on Monday, third hour
  g_eng_teachers[rossi].reception_hour = 2;
  g_eng_teachers[rossi].reception_handled = 1;
  std::snprintf(g_publish_school_code, sizeof g_publish_school_code, "%s", "K1");
  std::snprintf(g_publish_memo, sizeof g_publish_memo, "%s", "Orario dal 15");
  prepare();
  ASSERT_EQ(g_report.hours_shown, 3) << "the empty fourth to sixth hours are not shown";
  or_write_publish_export();
  EXPECT_EQ(read("Export_K1.txt"),
            "#SCHOOL:K1:(non assegnato)\n#CALE:2:3\n#MEMO:Orario dal 15\n"
            "ROSSI:1/A/ ,,R/ / ,-,,1/A/ ,-\n\n");
}

// Two lessons in one class slot: each shows the other's teacher.
TEST_F(SmallSchool, ClassGridKindsPutTheirTexts) {
  int a = add_class("1A");
  int rossi = add_teacher("ROSSI"), verdi = add_teacher("VERDI"), neri = add_teacher("NERI");
  int ita = add_subject("ITALIANO");
  place(add_lesson(rossi, a, ita, verdi), 0, 0);
  place(add_lesson(neri, a, ita), 0, 0);  // two lessons in one slot
  prepare();
  or_fill_class_grid(72, 0);
  ASSERT_EQ(g_report.class_records, 1);
  EXPECT_STREQ(g_class_grid[0].planes[2][0][0], "NERI") << "the later lesson writes plane 2 last";
  EXPECT_STREQ(g_class_grid[0].planes[3][0][0], "VERDI");
  EXPECT_STREQ(g_class_grid[0].planes[4][0][0], "NERI") << "ROSSI's lesson saw NERI beside it";
  EXPECT_STREQ(g_class_grid[0].planes[5][0][0], "ROSSI") << "and NERI's lesson saw ROSSI";
  or_fill_class_grid(4, 0);
  EXPECT_STREQ(g_class_grid[0].planes[2][0][0], "ITALIANO");
  or_fill_class_grid(1, 0);
  EXPECT_STREQ(g_class_grid[0].planes[2][0][0], "VERDI");
  EXPECT_EQ(g_class_grid[0].start[0][0], 480);
  EXPECT_EQ(g_class_grid[0].end[0][0], 540);
}

TEST_F(SmallSchool, FlexibleStandbyRowsPerHour) {
  g_eng_run.days_per_week = 2;
  int a = add_class("1A");
  int ita = add_subject("ITALIANO");
  const char* names[] = {"ANNA", "BRUNO", "CARLA", "DARIO"};
  int teachers[4];
  for (int i = 0; i < 4; ++i) {
    teachers[i] = add_teacher(names[i]);
    place(add_lesson(teachers[i], a, ita), 0, 2 + i % 2);
  }
  prepare();
  or_fill_class_grid(8, 0);
  or_write_flexible_standby_report();
  EXPECT_FALSE(folder.exists("Orario/Orario Ore a Disposizione Flessibili.txt")) << "nobody has such hours";
  for (int i = 0; i < 3; ++i) g_eng_teachers[teachers[i]].reset_pairs[0][0] = 0, g_eng_teachers[teachers[i]].reset_pairs[0][1] = 1;
  g_eng_teachers[teachers[3]].reset_pairs[0][0] = 1, g_eng_teachers[teachers[3]].reset_pairs[0][1] = 1;
  or_write_flexible_standby_report();
  std::vector<std::string> lines = lines_of(read("Orario Ore a Disposizione Flessibili.txt"));
  std::vector<std::string> second_hour;
  for (const std::string& line : lines)
    if (line.find("ANNA") != std::string::npos || line.find("BRUNO") != std::string::npos ||
        line.find("CARLA") != std::string::npos)
      second_hour.push_back(line);
  ASSERT_EQ(second_hour.size(), 3u);
  EXPECT_EQ(second_hour[0], "9:00    |ANNA                |DARIO               |");
  EXPECT_EQ(second_hour[1], "        |BRUNO               |                    |");
  EXPECT_EQ(second_hour[2], "        |CARLA               |                    |");
}

TEST_F(SmallSchool, SecondTeachersHaveTheirHoursInTheTeacherReports) {
  g_eng_run.days_per_week = 1;
  int a = add_class("1A");
  int rossi = add_teacher("ROSSI"), neri = add_teacher("NERI");
  g_eng_teachers[neri].type_flags = kTeacherLaboratory;
  int fis = add_subject("FISICA"), lab = add_subject("LAB FISICA");
  place(add_lesson(rossi, a, fis), 0, 0);
  int shared = add_lesson(rossi, a, fis, neri);
  g_eng_lessons[shared].part_subject = lab;
  place(shared, 0, 1);
  prepare();
  const ReportTeacherGrid* assistant = nullptr;
  for (int i = 0; i < g_report.teacher_records; ++i)
    if (g_teacher_grid[i].teacher == neri) assistant = &g_teacher_grid[i];
  ASSERT_NE(assistant, nullptr);
  EXPECT_STREQ(assistant->cell[0], "     ");
  EXPECT_STREQ(assistant->cell[1], "1A");
  EXPECT_EQ(assistant->lesson_subject[1], lab);
  EXPECT_STREQ(assistant->main_subject, "LAB FISICA");
  or_write_teacher_portrait_twins();
  std::string text = read("Orario Professori Verticale Compresenze.txt");
  EXPECT_NE(text.find("|   Com|     |NERI |"), std::string::npos) << text;
  EXPECT_NE(text.find("|   Com|     |ROSSI|"), std::string::npos) << text;
}

TEST_F(SmallSchool, ProvisionalSummaryBlanksZerosAndListsIncompleteClasses) {
  int a = add_class("1A");
  int rossi = add_teacher("ROSSI"), ita = add_subject("ITALIANO");
  place(add_lesson(rossi, a, ita), 0, 0);
  place(add_lesson(rossi, a, ita), 0, 1);
  place(add_lesson(rossi, a, ita), 1, 4);  // beyond the provisional day of two hours
  for (int d = 0; d < 5; ++d) g_eng_school.provisional_hours_per_day[d] = 2;
  g_provisional_mode = 1;
  prepare();
  or_write_provisional_standby_summary();
  g_provisional_mode = 0;
  std::vector<std::string> lines = lines_of(read("Orario Disposizione Provvisorio.txt"));
  std::string blank(20, ' ');
  auto number = [](int n) {
    char text[24];
    std::snprintf(text, sizeof text, "%20d", n);
    return std::string(text);
  };
  std::vector<std::string> expected_rows = {
      "ROSSI               |" + number(3) + "|" + blank + "|" + number(2) + "|" + number(1) + "|",
      "ROSSI               |" + std::string(18, ' ') + "1A|" + number(3) + "|" + number(2) + "|" + blank + "|",
      blank + "|" + std::string(18, ' ') + "1A|" + blank + "|" + number(2) + "|" + blank + "|",
  };
  for (const std::string& row : expected_rows)
    EXPECT_NE(std::find(lines.begin(), lines.end(), row), lines.end()) << row;
}

// The last column blanks its 0 as the others do: a teacher whose hours all
// lie in the provisional week has none left over; 10 and 20 stay whole.
TEST_F(SmallSchool, ProvisionalSummaryBlanksAZeroInItsLastColumn) {
  int a = add_class("1A");
  int ita = add_subject("ITALIANO");
  int rossi = add_teacher("ROSSI"), bianchi = add_teacher("BIANCHI");
  place(add_lesson(rossi, a, ita), 0, 0);
  place(add_lesson(rossi, a, ita), 0, 1);
  for (int i = 0; i < 10; ++i) place(add_lesson(bianchi, a, ita), 1 + i / 5, i % 5);
  for (int d = 0; d < 5; ++d) g_eng_school.provisional_hours_per_day[d] = 2;
  g_provisional_mode = 1;
  prepare();
  or_write_provisional_standby_summary();
  g_provisional_mode = 0;
  std::vector<std::string> lines = lines_of(read("Orario Disposizione Provvisorio.txt"));
  auto row = [](const char* name, const char* l, const char* s, const char* p, const char* rest) {
    char text[128];
    std::snprintf(text, sizeof text, "%-20.20s|%20s|%20s|%20s|%20s|", name, l, s, p, rest);
    return std::string(text);
  };
  struct Case {
    const char* id;
    std::string row;
  } cases[] = {
      {"nothing left", row("ROSSI", "2", "", "2", "")},
      {"ten placed, four of them provisional", row("BIANCHI", "10", "", "4", "6")},
  };
  for (const Case& c : cases) EXPECT_NE(std::find(lines.begin(), lines.end(), c.row), lines.end()) << c.id;
}

// Past 66 rows a section goes on a new page under its own header again.
TEST_F(SmallSchool, ProvisionalSummaryRepeatsItsHeadersAfter67Rows) {
  const int classes[3] = {add_class("1A"), add_class("2A"), add_class("3A")};
  int ita = add_subject("ITALIANO");
  for (int i = 0; i < 70; ++i) {  // 70 teachers of one hour, 70 posts
    char name[16];
    std::snprintf(name, sizeof name, "DOC%02d", i);
    int slot = i / 3;
    place(add_lesson(add_teacher(name), classes[i % 3], ita), slot % 5, slot / 5);
  }
  for (int d = 0; d < 5; ++d) g_eng_school.provisional_hours_per_day[d] = 2;
  g_provisional_mode = 1;
  prepare();
  or_write_provisional_standby_summary();
  g_provisional_mode = 0;
  std::vector<std::string> lines = lines_of(read("Orario Disposizione Provvisorio.txt"));
  auto header = [](const char* b, const char* c, const char* d, const char* e) {
    char text[128];
    std::snprintf(text, sizeof text, "%-20.20s|%20s|%20s|%20s|%20s|", "Docente", b, c, d, e);
    return std::string(text);
  };
  struct Case {
    const char* id;
    std::string header;
  } cases[] = {
      {"teachers", header("Ore di Cattedra", "Ore a Disposizione", "Ore nel Provvisorio", "Disponibili")},
      {"posts", header("CLASSE", "Ore di Cattedra", "Ore nel Provvisorio", "")},
  };
  for (const Case& c : cases) {
    std::vector<size_t> at;
    for (size_t i = 0; i < lines.size(); ++i)
      if (lines[i] == c.header) at.push_back(i);
    ASSERT_EQ(at.size(), 2u) << c.id;
    // header, rule, 67 rows each above its rule, then the page break opens
    // the rule over the repeated header.
    EXPECT_EQ(at[1] - at[0], 1u + 67u * 2u + 2u) << c.id;
    EXPECT_EQ(lines[at[1] - 1].substr(0, 2), "\f-") << c.id;
  }
}

TEST_F(SmallSchool, ProvisionalSummaryLeavesOutFullClasses) {
  int a = add_class("1A");
  int rossi = add_teacher("ROSSI"), ita = add_subject("ITALIANO");
  g_eng_run.days_per_week = 1;
  g_eng_school.provisional_hours_per_day[0] = 2;
  place(add_lesson(rossi, a, ita), 0, 0);
  place(add_lesson(rossi, a, ita), 0, 1);
  g_provisional_mode = 1;
  prepare();
  or_write_provisional_standby_summary();
  g_provisional_mode = 0;
  std::string text = read("Orario Disposizione Provvisorio.txt");
  EXPECT_EQ(text.find("Classi incomplete"), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 1) << "only the break before the teaching posts";
}

}  // namespace
