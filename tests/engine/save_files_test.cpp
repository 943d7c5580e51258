// Save files: the save line; each kind written and read back; partial,
// truncated and corrupted saves; the take-over; write failures; workers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "engine/engine_main.h"
#include "engine/placement_check.h"
#include "engine/shell_services.h"
#include "engine/save_files.h"
#include "engine/save_line.h"
#include "save_test_fixture.h"

using save_test::SchoolFolder;
using engine_test::unscrambled;
using save_test::SmallSchool;

namespace {

std::string format_save_line(const SaveLine& l) {
  std::string text;
  format_save_line_into(l, text);
  return text;
}

SaveLine sample() {
  SaveLine l;
  l.lesson = 7, l.day = 2, l.hour = 3, l.class_index = 0, l.teacher_index = 4, l.points = 12;
  l.class_code = "1A", l.teacher = "ROSSI";
  return l;
}

TEST(SaveLineFormat, LayoutOfEachOptionalPart) {
  struct Case { const char* id; void (*edit)(SaveLine&); const char* expected; } cases[] = {
      {"plain", [](SaveLine&) {}, "0007 2 3 1A (0) ROSSI (4)  (-1) CE:12\n"},
      {"second", [](SaveLine& l) { l.second_teacher = "VERDI"; l.second_index = 9;
                                   l.has_second_points = true; l.second_points = 5; },
       "0007 2 3 1A (0) ROSSI (4) VERDI (9) CE:12CF:5\n"},
      {"standby", [](SaveLine& l) { l.pseudo_letter = 'D'; l.class_code = "dAA"; l.class_index = 6; },
       "0007D 2 3 dAA (6) ROSSI (4)  (-1) CE:12\n"},
      {"support", [](SaveLine& l) { l.pseudo_letter = 'S'; l.has_supported_class = true;
                                    l.supported_class = "2B"; },
       "0007S 2 3 1A (0) ROSSI (4)  (-1) CE:12 SOCL:2B-\n"},
      {"norooms", [](SaveLine& l) { l.no_room = true; }, "0007 2 3 1A (0) ROSSI (4)  (-1) CE:12 STZN:|\n"},
      {"room", [](SaveLine& l) { l.has_room = true; l.room = "LAB FISICA"; },
       "0007 2 3 1A (0) ROSSI (4)  (-1) CE:12 STZM:LAB FISICA|\n"},
      {"unplaced", [](SaveLine& l) { l.day = -1; l.hour = -1; }, "0007 -1 -1 1A (0) ROSSI (4)  (-1) CE:12\n"},
      {"wide", [](SaveLine& l) { l.lesson = 12345; l.points = 4294967295u; l.has_second_points = true; },
       "12345 2 3 1A (0) ROSSI (4)  (-1) CE:4294967295CF:0\n"},
  };
  for (const Case& c : cases) {
    SaveLine l = sample();
    c.edit(l);
    std::string text = format_save_line(l);
    EXPECT_EQ(text, c.expected) << c.id;
    // The search formats into strings kept from the previous save.
    std::string reused(300, 'x');
    format_save_line_into(l, reused);
    EXPECT_EQ(reused, c.expected) << c.id;
    SaveLine back;
    ASSERT_TRUE(parse_save_line(text.c_str(), back)) << c.id;
    EXPECT_EQ(format_save_line(back), text) << c.id;
  }
}

TEST(SaveLineFormat, TheWidestLineCutsEachNameToItsField) {
  SaveLine l;
  std::string name(30, 'N');
  l.lesson = l.day = l.hour = l.class_index = l.teacher_index = l.second_index = -2147483647 - 1;
  l.pseudo_letter = 'S';
  l.class_code = l.teacher = l.second_teacher = l.supported_class = l.room = name;
  l.points = l.second_points = 4294967295u;
  l.has_second_points = l.has_supported_class = l.no_room = l.has_room = true;
  std::string n20(20, 'N'), low = "-2147483648";
  std::string expected = low + "S " + low + " " + low + " " + n20 + " (" + low + ") " + n20 + " (" + low + ") " + n20 +
                         " (" + low + ") CE:4294967295CF:4294967295 SOCL:" + n20 + "- STZN:| STZM:" + n20 + "|\n";
  EXPECT_EQ(format_save_line(l), expected);
}

TEST(SaveLineParse, RefusesBadLines) {
  struct Case { const char* id; const char* text; } cases[] = {
      {"empty", ""}, {"letter", "x007 2 3 1A (0) ROSSI (4)  (-1) CE:12\n"},
      {"day7", "0007 7 3 1A (0) ROSSI (4)  (-1) CE:12\n"}, {"hour12", "0007 2 12 1A (0) ROSSI (4)  (-1) CE:12\n"},
      {"dayneg", "0007 -1 3 1A (0) ROSSI (4)  (-1) CE:12\n"}, {"nobrace", "0007 2 3 1A 0 ROSSI (4)  (-1) CE:12\n"},
      {"noce", "0007 2 3 1A (0) ROSSI (4)  (-1)\n"},
      {"longname", "0007 2 3 1A (0) ABCDEFGHIJKLMNOPQRSTUVWXYZ (4)  (-1) CE:12\n"},
      {"index", "0007 2 3 1A (0) ROSSI (99999999)  (-1) CE:12\n"},
      {"trail", "0007 2 3 1A (0) ROSSI (4)  (-1) CE:12 junk\n"}, {"cut", "0007 2 3 1A (0) ROS"},
      {"stzm", "0007 2 3 1A (0) ROSSI (4)  (-1) CE:12 STZM:AULA\n"},
  };
  for (const Case& c : cases) {
    SaveLine l;
    EXPECT_FALSE(parse_save_line(c.text, l)) << c.id;
  }
}

TEST(SaveLineParse, CarriageReturnAndLetter) {
  SaveLine l;
  ASSERT_TRUE(parse_save_line("0012S 0 0 sAA (9) BIANCHI (1)  (-1) CE:0\r\n", l));
  EXPECT_EQ((std::vector<int>{l.pseudo_letter, l.class_index, save_line_pseudo_letter("0012S 0 0 x"),
                              save_line_pseudo_letter("0012 0 0 x"), save_line_pseudo_letter("nospace")}),
            (std::vector<int>{'S', 9, 'S', 0, 0}));
}

const char* const kSmallSchoolSave =
    "0000 0 0 1A (0) ROSSI (0)  (-1) CE:0\n"
    "0001 0 1 1A (0) ROSSI (0)  (-1) CE:0\n"
    "0002 1 0 1B (1) ROSSI (0)  (-1) CE:0\n"
    "0003 0 0 1B (1) BIANCHI (1) VERDI (2) CE:0CF:0\n"
    "0004 2 3 1A (0) BIANCHI (1)  (-1) CE:0\n"
    "0005 4 5 1B (1) VERDI (2)  (-1) CE:0\n";

std::vector<std::string> physical_lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size() - 1;
    lines.push_back(bytes.substr(start, end - start + 1));
    start = end + 1;
  }
  return lines;
}

void unplace_all() {
  for (int i = 0; i < g_eng_school.lesson_count; ++i) save_test::place(i, -1, 0);
}

const char* const kSaveFiles[] = {"savego.txt", "savebi.txt", "savetest.txt", "saveprec.txt", "saveprov.txt"};

TEST(SaveFiles, EachKindWritesItsFileAndReadsBack) {
  // file: "" when nothing is written; run_mode: what the reading command sets.
  struct Case { const char* id; bool provisional, test; int kind; const char* file; std::uint8_t run_mode; } cases[] = {
      {"go", false, false, -1, "savego.txt", 15}, {"bi", false, false, -2, "savebi.txt", 26},
      {"test", false, false, -3, "savetest.txt", 41}, {"prec", false, false, -4, "saveprec.txt", 15},
      {"testrun", false, true, -1, "savetest.txt", 15}, {"prov", true, false, -1, "saveprov.txt", 15},
      {"provbi", true, false, -2, "saveprov.txt", 15}, {"provtest", true, false, -3, "savetest.txt", 41},
      {"provprec", true, false, -4, "", 15},
  };
  for (const Case& c : cases) {
    SchoolFolder folder;
    SmallSchool school;
    std::vector<int> expected = save_test::placements(6);
    g_provisional_mode = c.provisional;
    g_test_run = c.test;
    or_save_timetable(c.kind);
    for (const char* name : kSaveFiles)
      EXPECT_EQ(folder.exists(name), std::string(name) == c.file) << c.id << " " << name;
    if (c.file[0] == '\0') continue;
    std::string plain = unscrambled(c.file);
    EXPECT_EQ(plain.substr(0, std::strlen(kSmallSchoolSave)), kSmallSchoolSave) << c.id;
    EXPECT_NE(plain.find("0006 1 0 1A (0) Calendario-1A (3)  (-1) CE:0\n"), std::string::npos) << c.id;
    EXPECT_EQ(std::count(plain.begin(), plain.end(), '\n'), 60) << c.id;
    EXPECT_NE(folder.read(c.file).find("0000"), 0u) << c.id << ": stored scrambled";
    unplace_all();
    g_eng_run.run_mode = c.run_mode;
    EXPECT_EQ(or_load_timetable(0), 0) << c.id;
    // The calendar lessons take the classes' free hours again in turn.
    EXPECT_EQ(save_test::placements(6), expected) << c.id;
  }
}

TEST(SaveFiles, OtherKindsGoToTheOutputFolder) {
  SchoolFolder folder;
  SmallSchool school;
  std::filesystem::create_directory(folder.path() / "RisultatoTest");
  const char* previous = g_output_folder;
  g_output_folder = ".\\RisultatoTest\\";
  or_save_timetable(-7);
  g_output_folder = previous;
  EXPECT_EQ(unscrambled(".\\RisultatoTest\\_savego.txt").substr(0, std::strlen(kSmallSchoolSave)), kSmallSchoolSave);
  EXPECT_FALSE(folder.exists("savego.txt"));
  g_process_number = 3;  // workers write nothing
  or_save_timetable(-1);
  g_process_number = 0;
  EXPECT_FALSE(folder.exists("savego.txt"));
}

TEST(SaveFiles, SaveDropsTheRecordSaveAndReadPrefersIt) {
  SchoolFolder folder;
  SmallSchool school;
  or_save_timetable(-1);
  // The first save creates the exemption file, later saves keep it.
  std::string exemptions = folder.read("scuola3.txt");
  EXPECT_EQ(exemptions, "0219" + std::string(438, '0') + "\r\n");
  save_test::place(5, 3, 2);
  or_save_timetable(-4);
  EXPECT_TRUE(folder.exists("saveprec.txt"));
  unplace_all();
  EXPECT_EQ(or_load_timetable(0), 0);
  EXPECT_EQ(g_eng_lessons[5].day, 3) << "an interrupted computation resumes from its record";
  // The provisional timetable saved meanwhile leaves the final timetable's
  // record where its interrupted computation resumes.
  std::string record = folder.read("saveprec.txt");
  g_provisional_mode = 1;
  or_save_timetable(-1);
  g_provisional_mode = 0;
  EXPECT_TRUE(folder.exists("saveprov.txt"));
  EXPECT_EQ(folder.read("saveprec.txt"), record);
  or_save_timetable(-1);
  EXPECT_FALSE(folder.exists("saveprec.txt"));
  EXPECT_EQ(folder.read("scuola3.txt"), exemptions);
}

TEST(SaveFiles, ARecordSaveRewritesOnlyAChangedPlacementOrAFileChangedSince) {
  SchoolFolder folder;
  SmallSchool school;
  or_save_timetable(-4);
  std::string first = folder.read("saveprec.txt");
  or_save_timetable(-4);
  EXPECT_EQ(folder.read("saveprec.txt"), first) << "the same placement: the file is left as it was";

  save_test::place(5, 3, 2);
  or_save_timetable(-4);
  EXPECT_NE(unscrambled("saveprec.txt").find("0005 3 2 1B (1) VERDI (2)  (-1) CE:0\n"), std::string::npos);

  std::string kept = unscrambled("saveprec.txt");
  std::filesystem::remove(folder.path() / "saveprec.txt");
  or_save_timetable(-4);
  EXPECT_EQ(unscrambled("saveprec.txt"), kept) << "a removed record is written again";

  or_save_timetable(-1);  // the full save drops the record...
  EXPECT_FALSE(folder.exists("saveprec.txt"));
  or_save_timetable(-4);  // ...and the next record of the same placement brings it back
  EXPECT_EQ(unscrambled("saveprec.txt"), kept);

  std::string bytes = folder.read("saveprec.txt");
  {
    std::FILE* f = std::fopen((folder.path() / "saveprec.txt").c_str(), "r+b");
    ASSERT_NE(f, nullptr);
    std::fputc(bytes[0] == '0' ? '1' : '0', f);  // same size, other content
    std::fclose(f);
  }
  or_save_timetable(-4);
  EXPECT_EQ(unscrambled("saveprec.txt"), kept) << "a record changed since is written again";
}

TEST(SaveFiles, PartialAndTruncatedSavesReturnThePlacedCount) {
  SchoolFolder folder;
  SmallSchool school;
  or_save_timetable(-1);
  std::vector<std::string> lines = physical_lines(folder.read("savego.txt"));
  ASSERT_EQ(lines.size(), 60u);
  folder.write("savego.txt", lines[0] + lines[1] + lines[2]);
  unplace_all();
  // Three lessons and the 54 calendar lessons that fill the classes' weeks.
  EXPECT_EQ(or_load_timetable(0), 57);
  EXPECT_EQ(save_test::placements(6), (std::vector<int>{0, 1, 12, -1, -1, -1}));
  // Every truncation loads as no timetable or a partial one.
  std::string whole;
  for (const std::string& line : lines) whole += line;
  for (std::size_t cut = 0; cut < whole.size(); cut += 7) {
    folder.write("savego.txt", whole.substr(0, cut));
    unplace_all();
    int result = or_load_timetable(0);
    EXPECT_TRUE(result == -3 || result == 0 || (result > 0 && result < 60)) << "cut " << cut << " gave " << result;
  }
}

TEST(SaveFiles, ACorruptedLineLeavesOnlyItsLessonUnplaced) {
  SchoolFolder folder;
  SmallSchool school;
  std::vector<int> expected = save_test::placements();
  or_save_timetable(-1);
  std::vector<std::string> lines = physical_lines(folder.read("savego.txt"));
  for (std::size_t bad = 0; bad < 6; ++bad) {
    std::string bytes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      std::string line = lines[i];
      if (i == bad) line[5] = line[5] == '0' ? '1' : '0';
      bytes += line;
    }
    folder.write("savego.txt", bytes);
    unplace_all();
    EXPECT_EQ(or_load_timetable(0), 59) << "line " << bad;
    std::vector<int> want(expected.begin(), expected.begin() + 6);
    want[bad] = -1;
    EXPECT_EQ(save_test::placements(6), want) << "line " << bad;
  }
}

TEST(SaveFiles, OutOfRangeSlotsAreRefused) {
  // The week has 5 days of 6 hours. The calendar lessons still take their
  // free hours; lesson 0 does not.
  for (const char* line : {"0000 5 0 1A (0) ROSSI (0)  (-1) CE:0\n", "0000 0 6 1A (0) ROSSI (0)  (-1) CE:0\n"}) {
    SchoolFolder folder;
    SmallSchool school;
    folder.write("savego.txt", line);
    unplace_all();
    EXPECT_EQ(or_load_timetable(0), 54) << line;
    EXPECT_EQ(save_test::placements(1)[0], -1) << line;
  }
}

TEST(SaveFiles, AClashIsTheCriticalErrorThatStartsTheTakeOver) {
  SchoolFolder folder;
  SmallSchool school;
  or_save_timetable(-1);
  // Lesson 3 passes from BIANCHI to ROSSI, who teaches lesson 0 in its slot.
  g_eng_lessons[3].teacher = school.rossi;
  or_count_hours(0);
  unplace_all();
  EXPECT_THROW(or_load_timetable(0), EngineError);
  EXPECT_EQ(std::string(g_status.message).rfind("(0) Errore critico", 0), 0u) << g_status.message;
  g_recovery_allowed = 1;
  EXPECT_EQ((std::vector<int>{or_recover_previous_timetable(), g_recovery_allowed, or_first_misplaced_lesson(true)}),
            (std::vector<int>{0, 0, -1}));
  EXPECT_EQ(save_test::placements(2), (std::vector<int>{0, 1})) << "unchanged lessons keep their saved slots";
  EXPECT_EQ(or_recover_previous_timetable(), -2) << "recovery runs once per command";
}

TEST(SaveFiles, RecoveryMatchesByNamesAfterTeachersMoved) {
  SchoolFolder folder;
  SmallSchool school;
  or_save_timetable(-1);
  // A new teacher (NERI, 0) is inserted before the others: every index shifts.
  save_test::reset_school();
  for (const char* code : {"1A", "1B"}) save_test::add_class(code);
  for (const char* name : {"NERI", "ROSSI", "BIANCHI", "VERDI"}) save_test::add_teacher(name);
  int math = save_test::add_subject("MATEMATICA"), lab = save_test::add_subject("FISICA");
  struct { int teacher, klass, subject, second; } lessons[] = {{0, 0, math, -1}, {1, 0, math, -1}, {1, 0, math, -1}, {1, 1, math, -1},
                 {2, 1, lab, 3},   {2, 0, lab, -1},  {3, 1, lab, -1}};
  for (const auto& l : lessons) save_test::add_lesson(l.teacher, l.klass, l.subject, l.second);
  or_count_hours(0);
  g_recovery_allowed = 1;
  ASSERT_EQ(or_recover_previous_timetable(), 0);
  std::vector<int> got = save_test::placements(7);
  EXPECT_EQ(std::vector<int>(got.begin() + 1, got.end()), (std::vector<int>{0, 1, 12, 0, 27, 53}));
  EXPECT_GE(got[0], 0) << "the new lesson takes a free slot";
  EXPECT_EQ(or_first_misplaced_lesson(true), -1);
}

TEST(SaveFiles, ProvisionalRecoveryReadsTheProvisionalSave) {
  SchoolFolder folder;
  SmallSchool school;
  or_save_timetable(-1);
  std::vector<int> normal = save_test::placements();
  g_provisional_mode = 1;
  save_test::place(4, 3, 3);
  or_save_timetable(-1);
  unplace_all();
  g_recovery_allowed = 1;
  ASSERT_EQ(or_recover_previous_timetable(), 0);
  EXPECT_EQ(save_test::placements()[4], 3 * 12 + 3);
  EXPECT_NE(save_test::placements(), normal);
  EXPECT_TRUE(folder.exists("savego.txt")) << "the normal save is never touched";
}

TEST(SaveFiles, AFailedWriteRaisesTheFileErrorAndKeepsTheOldSave) {
  SchoolFolder folder;
  SmallSchool school;
  std::filesystem::create_directory(folder.path() / "savebi.txt");
  EXPECT_THROW(or_save_timetable(-2), EngineFileError);
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "savebi.txt"));
  for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
    EXPECT_EQ(entry.path().filename().string().find("kt-tmp"), std::string::npos) << "a temporary file is left";
}

TEST(SaveFiles, AWorkerTakesItsStartingTimetableFromTheSharedArea) {
  SmallSchool school;
  std::vector<std::uint8_t> area(kParproAreaSize);
  std::uint16_t first = 3 | (4 << 8);  // lesson 0 on Thursday's fifth hour
  std::memcpy(area.data() + 501, &first, 2);
  std::uint32_t values[3] = {5, 0, 10};
  std::memcpy(area.data() + 20501, values, sizeof values);
  std::uint8_t* previous = g_parpro_area;
  g_parpro_area = area.data();
  struct Case { int process; std::uint32_t points[3]; } cases[] = {{2, {5, 10, 0}}, {4, {1, 0, 2}}, {6, {1, 0, 2}}};
  for (const Case& c : cases) {
    g_process_number = static_cast<std::int8_t>(c.process);
    EXPECT_EQ(or_load_timetable(0), 0);
    EXPECT_EQ(save_test::placements(1)[0], 3 * 12 + 4);
    for (int t = 0; t < 3; ++t) EXPECT_EQ(g_eng_teachers[t].points, c.points[t]) << c.process << " " << t;
  }
  g_process_number = 3;
  or_load_timetable(0);
  for (int t = 0; t < 5; ++t) EXPECT_LT(g_eng_teachers[t].points, 5u) << "a random number below the teacher count";
  g_process_number = 0;
  g_parpro_area = previous;
}

}  // namespace
