// The orario commands that work on the saved timetable, in a school folder
// that has none to read: each stops before running, says which file it
// misses and which command writes it in the user's language, ends with
// status 3 and leaves the folder as it was (no week of its own saved as
// "savego.txt", no reports). The search's record "saveprec.txt", alone in
// the folder after a computation stopped before its first save, is a saved
// timetable: the check, the reports and the balancing read it. The syntax
// check needs no timetable.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "orario_run_support.h"

using engine_test::read_file;
using engine_test::TempDir;
using engine_test::write_file;
using orario_test::contains;
using orario_test::entries;
using orario_test::Outcome;
using orario_test::run_orario;

namespace {

namespace fs = std::filesystem;

std::string piccola() { return read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt"); }
std::string saved_week() { return read_file(std::string(KT_TEST_DATA) + "/savefiles/piccola-savego.txt"); }

TEST(OrarioSavedWeekNeeded, CommandsOnASchoolNeverComputedStopAndWriteNothing) {
  struct Case {
    const char* args;
    const char* file;    // the save the command reads
    const char* writer;  // the command that writes it
  } cases[] = {
      {"REPO:scuola2.txt", "savego.txt", "CALC:"},
      {"REPO:scuola2.txt Tkas", "savetest.txt", "CALC: TPRO"},
      {"SNOD:scuola2.txt", "savego.txt", "CALC:"},
      {"SBIL:scuola2.txt", "savebi.txt", "BILA:"},
      {"DISP:scuola2.txt", "savego.txt", "CALC:"},
      {"RIGO:scuola2.txt", "savego.txt", "CALC:"},
      {"SOST:scuola2.txt", "savego.txt", "CALC:"},
      {"SOLO:scuola2.txt", "savego.txt", "CALC:"},
      {"BILA:scuola2.txt - 5", "savego.txt", "CALC:"},
      {"MISV:scuola2.txt - 5", "savego.txt", "CALC:"},
      {"ASAU:scuola2.txt", "savego.txt", "CALC:"},
      {"--time-limit 10 ASAU:scuola2.txt --rooms 2", "savego.txt", "CALC:"},
  };
  for (const Case& c : cases) {
    TempDir school;
    write_file(school.file("scuola2.txt"), piccola());
    // The day's absences are there: only the missing timetable stops it.
    write_file(school.file("assenze.txt"), "ROSSI\n");
    std::set<std::string> before = entries(school);
    Outcome o = run_orario(school, "LANG=en_GB.UTF-8", c.args);
    EXPECT_EQ(o.status, 3) << c.args << ": " << o.err;
    EXPECT_TRUE(contains(o.err, std::string("No saved timetable to read in this folder (") + c.file + ")"))
        << c.args << ": " << o.err;
    EXPECT_TRUE(contains(o.err, std::string("run ") + c.writer)) << c.args << ": " << o.err;
    EXPECT_EQ(entries(school), before) << c.args;
    EXPECT_EQ(read_file(school.file("scuola2.txt")), piccola()) << c.args;
  }
}

TEST(OrarioSavedWeekNeeded, TheRefusalSpeaksTheUsersLanguage) {
  const struct {
    const char* env;
    const char* text;
  } languages[] = {
      {"LANG=it_IT.UTF-8", "Nessun orario salvato da leggere in questa cartella (savego.txt): il comando non è stato "
                           "eseguito e non ha scritto nulla; eseguite prima CALC:\n"},
      {"LANG=de_DE.UTF-8", "In diesem Ordner ist kein gespeicherter Stundenplan zu lesen (savego.txt): der Befehl "
                           "wurde nicht ausgeführt und hat nichts geschrieben; führen Sie zuerst CALC: aus\n"},
      {"LANG=en_GB.UTF-8", "No saved timetable to read in this folder (savego.txt): the command did not run and "
                           "wrote nothing; run CALC: first\n"},
  };
  TempDir school;
  write_file(school.file("scuola2.txt"), piccola());
  for (const auto& l : languages) {
    Outcome o = run_orario(school, l.env, "REPO:scuola2.txt");
    EXPECT_EQ(o.status, 3) << l.env;
    EXPECT_EQ(o.err, l.text) << l.env;
    EXPECT_EQ(o.out, "") << l.env;
  }
}

// A first computation stopped before it saved leaves only its record; the
// commands read it as the engine does, and the syntax check and the
// computation run without any save.
TEST(OrarioSavedWeekNeeded, TheSearchsRecordAloneIsASavedTimetable) {
  TempDir school;
  write_file(school.file("scuola2.txt"), piccola());
  EXPECT_EQ(run_orario(school, "", "SYNT:scuola2.txt").status, 0);
  write_file(school.file("saveprec.txt"), saved_week());

  Outcome check = run_orario(school, "", "SNOD:scuola2.txt");
  EXPECT_EQ(check.status, 0) << check.err;
  EXPECT_TRUE(contains(check.out, "Violazioni residue: ")) << check.out;
  Outcome reports = run_orario(school, "", "REPO:scuola2.txt");
  EXPECT_EQ(reports.status, 0) << reports.err;
  EXPECT_TRUE(fs::exists(school.path() / "Orario" / "Orario Classi.txt"));
  EXPECT_EQ(read_file(school.file("saveprec.txt")), saved_week()) << "a report run changes no timetable";
  Outcome balance = run_orario(school, "", "BILA:scuola2.txt - 5");
  EXPECT_EQ(balance.status, 0) << balance.err;
  EXPECT_TRUE(fs::exists(school.path() / "savebi.txt"));
  // Now the balancing's result is there for its own check.
  Outcome board = run_orario(school, "", "SBIL:scuola2.txt");
  EXPECT_EQ(board.status, 0) << board.err;
}

}  // namespace
