// The orario program's command words on the small sample school with its
// hand-made saved timetable: what each one traces, ends with and leaves in
// the folder. The report run writes every form (text, RTF, HTML, CSV) into
// "Orario" and keeps the save; its test form reads the trial's save and
// writes no report;
// the stand-by assignment saves the stand-by hours it placed; the
// substitutions of the day read "assenze.txt", end with their own line and
// write the day's cover; the teacher grouping's report is converted; the
// syntax check writes nothing. The report of a computed week with no error
// left counts what the school asks beyond it: the co-taught hours spread
// over the slots, a common room's fewest classes.
#include <gtest/gtest.h>

#include <filesystem>
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

// The sample with its saved week; `replace` edits the description first.
void sample(const TempDir& school, const std::string& from = "", const std::string& to = "") {
  orario_test::piccola_with_saved_week(school, from, to);
}

bool exists(const TempDir& school, const std::string& name) { return fs::exists(school.file(name)); }

TEST(OrarioCommands, TheReportRunWritesEveryFormAndKeepsTheSave) {
  TempDir school;
  sample(school);
  std::string saved = read_file(school.file("savego.txt"));
  Outcome o = run_orario(school, "LANG=it_IT.UTF-8", "REPO:scuola2.txt");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(contains(o.out, "INIZIO REPORT da file ore (senza correzione errori)")) << o.out;
  EXPECT_TRUE(contains(o.out, "Fine Orario [")) << o.out;
  for (const char* name : {"Orario/Orario Classi.txt", "Orario/Orario Classi.rtf", "Orario/HTML/Orario Classi.html",
                           "Orario/Orario Tabella Globale.csv", "Orario/Errori Residui.txt"})
    EXPECT_TRUE(exists(school, name)) << name;
  EXPECT_FALSE(exists(school, "RisultatoTest/Orario Classi.txt"));
  EXPECT_EQ(read_file(school.file("savego.txt")), saved) << "a report run changes no timetable";
}

// The report run's test form (after a trial run) reads the trial's save
// and logs the residual errors in the test folder; it writes no reports.
TEST(OrarioCommands, TheReportTestFormReadsTheTrialsSaveAndWritesNoReports) {
  TempDir school;
  sample(school);
  Outcome without = run_orario(school, "", "REPO:scuola2.txt Tkas");
  EXPECT_EQ(without.status, 3) << "no trial save: nothing to report";
  EXPECT_TRUE(contains(without.err, "Nessun orario salvato da leggere in questa cartella (savetest.txt)")) << without.err;
  write_file(school.file("savetest.txt"), read_file(school.file("savego.txt")));
  Outcome o = run_orario(school, "", "REPO:scuola2.txt Tkas");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(exists(school, "RisultatoTest/Errori Residui.txt"));
  EXPECT_FALSE(exists(school, "RisultatoTest/Orario Classi.txt"));
  EXPECT_FALSE(exists(school, "Orario/Orario Classi.txt"));
  EXPECT_FALSE(contains(o.out, "Fine Orario [")) << o.out;
}

TEST(OrarioCommands, TheReportOfAClearWeekCountsWhatTheSchoolAsksBeyondIt) {
  const struct {
    const char* id;
    const char* line;       // added to the description after the computation
    const char* residual;   // the error the report then lists; none when null
  } cases[] = {
      {"nothing more", "", nullptr},
      {"co-taught hours spread", "TOCOMI:\t2-0\t\n", "E:DISTRIBUZIONE COMPRESENZE"},
      {"common room's fewest classes",
       "LOC:PALESTRA\tGM:SCIENZE MOTORIE\tMAT:SCIENZE MOTORIE\tPRMAX:3\tPRMIN:2\t\n", "E:LOCALI COMUNI Min cl"},
  };
  for (const auto& c : cases) {
    TempDir school;
    sample(school);
    ASSERT_EQ(run_orario(school, "", "--seed 3 --time-limit 20 CALC:scuola2.txt").status, 0) << c.id;
    write_file(school.file("scuola2.txt"), read_file(school.file("scuola2.txt")) + c.line);
    Outcome o = run_orario(school, "", "REPO:scuola2.txt");
    ASSERT_EQ(o.status, 0) << c.id << o.err;
    std::string residual = read_file(school.file("Orario/Errori Residui.txt"));
    if (c.residual) {
      EXPECT_TRUE(contains(residual, c.residual)) << c.id << residual;
    } else {
      EXPECT_FALSE(contains(residual, "E:")) << c.id << residual;
    }
  }
}

TEST(OrarioCommands, TheStandbyAssignmentSavesTheHoursItPlaced) {
  TempDir school;
  sample(school, "ROSSI\t1A 6\t", "ROSSI\tTED:18+2\t1A 6\t");
  std::string saved = read_file(school.file("savego.txt"));
  Outcome o = run_orario(school, "", "DISP:scuola2.txt");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(contains(o.out, "INIZIO ASSEGNAZIONE DISPOSIZIONI")) << o.out;
  EXPECT_TRUE(contains(o.out, "Fine Assegnazione disposizioni [")) << o.out;
  EXPECT_NE(read_file(school.file("savego.txt")), saved) << "the stand-by hours are saved with the week";
  EXPECT_TRUE(exists(school, "Orario/Orario Ore a Disposizione.txt"));
  EXPECT_TRUE(contains(read_file(school.file("Orario/Orario Ore a Disposizione.txt")), "ROSSI"));
  // A second assignment finds them placed: the stand-by classes are there already.
  o = run_orario(school, "", "REPO:scuola2.txt");
  EXPECT_EQ(o.status, 0) << o.err;
}

TEST(OrarioCommands, TheDaysSubstitutionsReadTheAbsencesAndWriteTheCover) {
  TempDir school;
  sample(school, "ROSSI\t1A 6\t", "ROSSI\tTED:18+2\t1A 6\t");
  ASSERT_EQ(run_orario(school, "", "DISP:scuola2.txt").status, 0);
  write_file(school.file("assenze.txt"),
             "GIORNO:2\nMOTIVO:Malattia\nMOTIVO:Permesso\nASSENTE:BIANCHI|Malattia|111110000000\n");
  Outcome loaded = run_orario(school, "", "SOLO:scuola2.txt");
  EXPECT_EQ(loaded.status, 0) << loaded.err;
  EXPECT_TRUE(contains(loaded.out, "INIZIO Caricamento Interfaccia Sostituzioni Assenti")) << loaded.out;
  EXPECT_FALSE(contains(loaded.out, "Fine Calcolo Sostituzioni")) << "loading computes nothing";
  Outcome computed = run_orario(school, "", "SOST:scuola2.txt");
  ASSERT_EQ(computed.status, 0) << computed.err;
  EXPECT_TRUE(contains(computed.out, "INIZIO ASSEGNAZIONE Sostituzioni Assenti")) << computed.out;
  EXPECT_TRUE(contains(computed.out, "Fine Calcolo Sostituzioni [")) << computed.out;
  // The day's cover: every hour of BIANCHI on Tuesday, each by a colleague.
  std::string cover = read_file(school.file("Sostituzioni/dati_sostituzioni.txt"));
  EXPECT_EQ(cover.rfind("GIORNO:2|", 0), 0u) << cover;
  int rows = 0;
  for (std::size_t at = cover.find('\n'); at != std::string::npos && at + 1 < cover.size(); at = cover.find('\n', at + 1)) {
    std::string row = cover.substr(at + 1, cover.find('\n', at + 1) - at - 1);
    EXPECT_TRUE(contains(row, "|BIANCHI|")) << row;
    EXPECT_FALSE(contains(row, "|BIANCHI|BIANCHI|")) << row;
    ++rows;
  }
  EXPECT_GT(rows, 0) << cover;
}

// The teacher grouping into rooms reaches the report conversions through the
// engine's services: its report comes in RTF and HTML beside the text.
TEST(OrarioCommands, TheTeacherGroupingsReportIsConverted) {
  TempDir school;
  sample(school);
  Outcome o = run_orario(school, "", "--seed 3 --time-limit 2 --teachers-per-room 3 MISV:scuola2.txt");
  ASSERT_EQ(o.status, 0) << o.err;
  for (const char* name : {"Orario/Allocazione Aule.txt", "Orario/Allocazione Aule.rtf", "Orario/HTML/Allocazione Aule.html"})
    EXPECT_TRUE(exists(school, name)) << name;
}

TEST(OrarioCommands, TheSyntaxCheckWritesNothing) {
  TempDir school;
  sample(school);
  std::string saved = read_file(school.file("savego.txt"));
  Outcome o = run_orario(school, "", "SNOD:scuola2.txt");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(contains(o.out, "INIZIO CONTROLLO SINTASSI")) << o.out;
  EXPECT_EQ(read_file(school.file("savego.txt")), saved);
  for (const char* folder : {"Orario", "RisultatoTest"}) {
    if (exists(school, folder)) {
      EXPECT_TRUE(fs::is_empty(school.file(folder))) << folder;
    }
  }
  EXPECT_FALSE(exists(school, "scuola3.txt"));
}

}  // namespace
