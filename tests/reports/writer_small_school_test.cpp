// Report writers on small schools built straight into the model tables
// (three classes, a handful of teachers, five days of six hours at 8:00,
// 9:00 ...): the class main building, the register exports (Mastercom runs
// and pipe lines), the publishing and global grid exports, the class grid
// kinds and sort orders, the subject codes, the teacher grid list routines,
// the flexible stand-by report and the signature sheet. Each case works out
// its expected lines by hand. Test runs (mode 13) keep the conversions out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/model_post_passes.h"
#include "engine/report_services.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "reports/model_school_fixture.h"
#include "reports/report_run.h"
#include "reports/report_text_format.h"

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

// ---- Class main building ---------------------------------------------------------

TEST_F(SmallSchool, ClassMainBuildingFollowsTheTeachersLessons) {
  struct Case {
    const char* id;
    int buildings;
    int grouping;
    std::vector<int> lessons_per_building;  // lessons of the teacher in buildings 0, 1, 2
    int expected;
  } cases[] = {
      {"no-buildings", 0, -1, {2}, -1},
      {"grouped", 3, 1, {0, 3}, 7},  // the class keeps what it had
      {"4-4-1", 3, -1, {4, 4, 1}, 0},
      {"1-3-2", 3, -1, {1, 3, 2}, 1},
      {"no-lessons", 2, -1, {}, 0},
  };
  for (const Case& c : cases) {
    save_test::reset_school(5, 6);
    int k = add_class("1A");
    int t = add_teacher("ROSSI");
    int s = add_subject("ITALIANO");
    for (size_t b = 0; b < c.lessons_per_building.size(); ++b)
      for (int n = 0; n < c.lessons_per_building[b]; ++n) g_eng_lessons[add_lesson(t, k, s)].building = static_cast<int>(b);
    g_eng_school.building_count = c.buildings;
    g_eng_school.standby_grouping = static_cast<std::int8_t>(c.grouping);
    g_eng_classes[k].building = 7;
    or_set_class_main_building(k, t);
    EXPECT_EQ(g_eng_classes[k].building, c.expected) << c.id;
  }
}

// ---- Register exports --------------------------------------------------------------

TEST_F(SmallSchool, MastercomJoinsConsecutiveHoursOfOneTeacher) {
  int a = add_class("1A"), b = add_class("2A");
  int rossi = add_teacher("ROSSI"), verdi = add_teacher("VERDI");
  int ita = add_subject("ITALIANO"), mat = add_subject("MATEMATICA");
  for (int h = 0; h < 3; ++h) place(add_lesson(rossi, a, ita), 0, h);  // Monday 1-3: one line of 3
  place(add_lesson(rossi, b, ita), 1, 0);                              // Tuesday 1 and 3 split by VERDI
  place(add_lesson(verdi, b, mat), 1, 1);
  place(add_lesson(rossi, b, ita), 1, 2);
  add_lesson(verdi, a, mat);  // never placed: no line
  prepare();
  g_eng_run.run_mode = 0;
  or_write_mastercom_export();
  EXPECT_EQ(read("Registro_Mastercom.csv"),
            "classe;materia;professore;giorno;ora_inizio;durata\n"
            "1A;ITALIANO;ROSSI;0;0;3\n"
            "2A;ITALIANO;ROSSI;1;0;1\n"
            "2A;MATEMATICA;VERDI;1;1;1\n"
            "2A;ITALIANO;ROSSI;1;2;1\n");
}

TEST_F(SmallSchool, MastercomSecondPassNamesTheSecondTeachers) {
  int a = add_class("1A");
  int rossi = add_teacher("ROSSI"), lab = add_teacher("ROSSI_LAB"), bianchi = add_teacher("BIANCHI");
  g_eng_teachers[lab].type_flags = kTeacherLabPseudo;
  g_eng_teachers[lab].main_teacher = bianchi;
  int sci = add_subject("SCIENZE");
  place(add_lesson(rossi, a, sci, lab), 2, 3);
  place(add_lesson(rossi, a, sci, lab), 2, 4);
  prepare();
  g_eng_run.run_mode = 0;
  or_write_mastercom_export();
  EXPECT_EQ(read("Registro_Mastercom.csv"),
            "classe;materia;professore;giorno;ora_inizio;durata\n"
            "1A;SCIENZE;ROSSI;2;3;2\n"
            "1A;SCIENZE;BIANCHI;2;3;2\n");
}

// A register books subjects: a run of one teacher's hours ends where the
// subject changes, and the laboratory pseudo-teacher of the lesson teacher
// itself books no second line for hours the first pass booked.
TEST_F(SmallSchool, MastercomRunsEndAtASubjectChangeAndBookNoHourTwice) {
  int a = add_class("1A");
  int fontana = add_teacher("FONTANA"), own_lab = add_teacher("FONTANA_LAB");
  g_eng_teachers[own_lab].type_flags = kTeacherLabPseudo;
  g_eng_teachers[own_lab].main_teacher = fontana;
  int ita = add_subject("ITALIANO"), lat = add_subject("LATINO"), sto = add_subject("STORIA");
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
            "1A;STORIA;FONTANA;0;3;2\n");
}

TEST_F(SmallSchool, MastercomIsNotWrittenInTestRuns) {
  add_class("1A");
  prepare();
  for (int mode : {13, 14}) {
    g_eng_run.run_mode = static_cast<std::uint8_t>(mode);
    or_write_mastercom_export();
    EXPECT_FALSE(folder.exists("Orario/Registro_Mastercom.csv")) << mode;
  }
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
  std::snprintf(g_eng_school.school_code, sizeof g_eng_school.school_code, "%s", "MI01");  // "SISSI:IDS:"
  prepare();
  or_write_register_pipe_export();
  EXPECT_EQ(read("Esportazione Sissi Axios.txt"),
            "MI01|ROSSI|1A|SCIENZE|1|2|\n"
            "MI01|V77|1A|SCIENZE|1|2|\n"
            "MI01|ROSSI|1A|SCIENZE|2|3|\n"
            "MI01|ROSSI|1A|SCIENZE|0|0|\n");
}

TEST_F(SmallSchool, PipeExportNeedsTheSchoolsRegisterCode) {
  place(add_lesson(add_teacher("ROSSI"), add_class("1A"), add_subject("ARTE")), 0, 0);
  prepare();
  or_write_register_pipe_export();
  EXPECT_FALSE(folder.exists("Orario/Esportazione Sissi Axios.txt"));
}

// ---- Grid exports ------------------------------------------------------------------

TEST_F(SmallSchool, GridExportsShowFreeSlotsAsEmptyFields) {
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
  or_write_global_export();
  EXPECT_EQ(read("Export_K1.txt"),
            "#SCHOOL:K1:(non assegnato)\n#CALE:2:3\n#MEMO:Orario dal 15\n"
            "ROSSI:1/A/ ,,R/ / ,-,,1/A/ ,-\n\n");
  EXPECT_EQ(read("Orario Global_Export.txt"),
            "*2Docente     ,-  Lunedi   ,-  Martedi  ,-\n"
            "ROSSI:1A,,R,-,,1A,-\n");
}

// ---- Class grid ----------------------------------------------------------------------

TEST_F(SmallSchool, ClassGridSortModes) {
  // Codes with a track character: mode 0 groups by track, then section and
  // year; mode 101 orders the years 1, 2, 4, 5, 3.
  g_eng_school.class_code_length = 3;
  const char* codes[] = {"3Ai", "1Bm", "2Ai", "4Ai", "5Ai", "1Ai"};
  int t = add_teacher("ROSSI"), s = add_subject("ARTE");
  int h = 0;
  for (const char* code : codes) place(add_lesson(t, add_class(code), s), 0, h++ % 6);
  prepare();
  auto order = [] {
    std::string out;
    for (int i = 0; i < g_report.class_records; ++i) out += std::string(g_class_grid[i].raw_code) + " ";
    return out;
  };
  or_fill_class_grid(0, 0);
  EXPECT_EQ(order(), "1Ai 2Ai 3Ai 4Ai 5Ai 1Bm ");
  or_fill_class_grid(0, 101);
  EXPECT_EQ(order(), "1Ai 1Bm 2Ai 4Ai 5Ai 3Ai ");
}

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

TEST_F(SmallSchool, GridReportKindsOutsideTheTableStopTheRun) {
  add_class("1A");
  prepare();
  or_write_grid_report(3, 0);
  EXPECT_TRUE(fs::is_empty(folder.path() / "Orario")) << "kind 3 writes nothing";
  for (int kind : {8, 9, 65, 99}) EXPECT_THROW(or_write_grid_report(kind, 0), EngineError) << kind;
}

TEST_F(SmallSchool, WeeklyGridOfOneClass) {
  g_eng_run.days_per_week = 2;
  int a = add_class("1A");
  int rossi = add_teacher("ROSSI"), ita = add_subject("ITALIANO");
  place(add_lesson(rossi, a, ita), 0, 0);
  place(add_lesson(rossi, a, ita), 1, 1);
  prepare();
  or_fill_class_grid(0, 0);
  or_write_grid_report(0, 0);
  std::string rule(57, '-');
  EXPECT_EQ(read("Orario Classi.txt"),
            rule + "\n"
            "*0CLASSE|  Ora|       Lunedi       |      Martedi       |\n" +
            rule + "\n"
            " 1A     |8:00 |ROSSI               |                    |\n" +
            rule + "\n"
            "        |9:00 |                    |ROSSI               |\n" +
            rule + "\n\n");
}

// ---- Subject codes and list routines --------------------------------------------------

TEST_F(SmallSchool, SubjectCodesAreShortAndDistinct) {
  struct Case {
    const char* id;
    std::vector<const char*> names;
    std::vector<const char*> codes;
    int longest;
  } cases[] = {
      {"m-clash", {"MATEMATICA", "MUSICA"}, {"MA", "M"}, 2},
      {"same-name", {"ARTE", "ARTE"}, {"A", "A"}, 1},
      {"last-word", {"STORIA DELL'ARTE", "STORIA"}, {"SA", "S"}, 1},
      {"three", {"ITALIANO", "INGLESE", "INFORMATICA"}, {"IT", "I", "IN"}, 2},
  };
  for (const Case& c : cases) {
    save_test::reset_school(5, 6);
    for (const char* name : c.names) add_subject(name);
    or_build_subject_codes();
    for (size_t i = 0; i < c.names.size(); ++i) EXPECT_STREQ(g_subject_short_names[i], c.codes[i]) << c.id << " " << i;
    EXPECT_EQ(g_subject_code_longest, c.longest) << c.id;
  }
}

TEST_F(SmallSchool, TeacherClassListAndSubjectWalk) {
  int a = add_class("1A"), b = add_class("2B");
  int rossi = add_teacher("ROSSI"), bianchi = add_teacher("BIANCHI"), verdi = add_teacher("VERDI");
  int ita = add_subject("ITALIANO"), fis = add_subject("FISICA");
  place(add_lesson(rossi, b, ita), 0, 0);
  place(add_lesson(rossi, a, ita), 0, 1);
  place(add_lesson(rossi, a, ita), 1, 1);
  place(add_lesson(bianchi, a, fis), 0, 2);
  place(add_lesson(verdi, b, ita), 1, 2);
  prepare();
  char list[600];
  int rossi_record = -1;  // the records are sorted by name
  for (int i = 0; i < g_report.teacher_records; ++i)
    if (std::strcmp(g_teacher_grid[i].name, "ROSSI") == 0) rossi_record = i;
  EXPECT_EQ(or_teacher_class_list(list, rossi_record), 6) << "2B and 1A, each with its blank";
  EXPECT_STREQ(list, "1A 2B ");
  EXPECT_EQ(or_teacher_class_list(nullptr, -1), 6);
  int length = 0;
  EXPECT_EQ(or_next_grid_subject(nullptr, &length), 2);
  EXPECT_EQ(length, 8);
  char name[32];
  or_next_grid_subject(name, nullptr);
  EXPECT_STREQ(name, "FISICA");
  or_next_grid_subject(name, nullptr);
  EXPECT_STREQ(name, "ITALIANO");
}

// ---- Flexible stand-by and signatures ----------------------------------------------

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

TEST_F(SmallSchool, SignatureSheetListsATeacherOnceUnderTheFirstHour) {
  g_eng_run.days_per_week = 1;
  int a = add_class("1A");
  int rossi = add_teacher("ROSSI"), verdi = add_teacher("VERDI");
  int ita = add_subject("ITALIANO");
  place(add_lesson(rossi, a, ita), 0, 1);
  place(add_lesson(rossi, a, ita), 0, 2);
  add_lesson(verdi, a, ita);  // VERDI only has a reception hour that day
  g_eng_teachers[verdi].reset_marker = 0;
  g_eng_teachers[verdi].reception_hour = 0;
  g_eng_teachers[verdi].reception_handled = 1;
  g_eng_teachers[rossi].reception_handled = 1;
  prepare();
  or_write_signature_sheet(1, -1);
  std::string text = read("Foglio Firme O.txt");
  size_t first = text.find("ROSSI");
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(text.find("ROSSI", first + 1), std::string::npos) << "listed once";
  EXPECT_NE(text.find("  2 9:00            |ROSSI"), std::string::npos) << text;
  EXPECT_EQ(text.find("VERDI"), std::string::npos) << "a reception hour is no duty";
  EXPECT_EQ(text.back(), '\f');
}

// ---- Rooms outside the classes and co-teachers ----------------------------------------

TEST_F(SmallSchool, RoomsOutsideTheClassesGetATableEach) {
  g_eng_run.days_per_week = 2;
  int a = add_class("1A");
  int lab = save_test::add_room("LAB CHIMICA");
  g_eng_rooms[lab].lab_flag = 1;
  int rossi = add_teacher("ROSSI"), sci = add_subject("SCIENZE");
  int in_lab = add_lesson(rossi, a, sci);
  or_set_lesson_room_setting(in_lab, lab);
  place(in_lab, 1, 0);
  place(add_lesson(rossi, a, sci), 0, 1);  // in the class's own room: not listed
  prepare();
  or_fill_class_grid(5, 0);
  ASSERT_EQ(g_report.class_records, 1);
  EXPECT_STREQ(g_class_grid[0].display_name, "LAB CHIMICA");
  or_write_grid_report(5, 0);
  std::vector<std::string> lines = lines_of(read("Orario Locali esterni alle Classi.txt"));
  ASSERT_GE(lines.size(), 6u);
  size_t width = lines[0].size();
  EXPECT_EQ(lines[1], "*3     |LOCALE:LAB CHIMICA" + std::string(width - 27, ' ') + "|");
  EXPECT_EQ(lines[3], "*0  Ora|          Lunedi          |         Martedi          |");
  EXPECT_EQ(lines[6], "  8:00 |                    |     #ROSSI               |1A   #");
}

TEST_F(SmallSchool, CoTeacherPortraitOnlyWhenTeachersShareACell) {
  g_eng_run.days_per_week = 1;
  int a = add_class("1A");
  int rossi = add_teacher("ROSSI"), neri = add_teacher("NERI"), ita = add_subject("ITALIANO");
  place(add_lesson(rossi, a, ita), 0, 0);
  place(add_lesson(rossi, a, ita), 0, 1);
  prepare();
  or_write_teacher_portrait_twins();
  EXPECT_FALSE(folder.exists("Orario/Orario Professori Verticale Compresenze.txt"));
  place(add_lesson(neri, a, ita), 0, 1);
  prepare();
  or_write_teacher_portrait_twins();
  std::string text = read("Orario Professori Verticale Compresenze.txt");
  // L is 5 (the longer of the two names); ROSSI's co-teaching row names NERI
  // in the second hour.
  EXPECT_NE(text.find("|   Com|     |NERI |"), std::string::npos) << text;
  EXPECT_NE(text.find("|   Com|     |ROSSI|"), std::string::npos) << text;
}

// A second teacher (a laboratory assistant) teaches the hour too: the
// teacher grid gives it the class and its own subject, and the co-teachers'
// portrait names each of the two in the other's row.
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

// A class that keeps hour times of its own makes the teacher reports show
// each lesson's own end (or start) beside the class.
TEST_F(SmallSchool, OwnClassTimesAppearInTheTeacherReports) {
  g_eng_run.days_per_week = 1;
  int a = add_class("1A"), b = add_class("2A");
  int rossi = add_teacher("ROSSI"), ita = add_subject("ITALIANO");
  for (int d = 0; d < kDays; ++d)
    for (int h = 0; h < kHoursPerDay; ++h) {
      g_eng_classes[a].timing[0][d][h] = static_cast<std::uint16_t>(480 + 60 * h);
      g_eng_classes[a].timing[1][d][h] = h == 0 ? 50 : 60;  // 1A's first hour ends at 8:50
    }
  place(add_lesson(rossi, a, ita), 0, 0);
  place(add_lesson(rossi, b, ita), 0, 1);
  or_prepare_hour_timings();
  prepare();
  or_write_teacher_portrait();
  std::string text = read("Orario Professori Verticale.txt");
  EXPECT_NE(text.find("|1A   f:8:50 |2A          |"), std::string::npos) << text;
}

// ---- Provisional timetable -------------------------------------------------------------

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
