// The orario program with a saved timetable that does not fit: the commands
// that take the previous timetable over (the check, the reception hours)
// say so in the user's language and exit 4, the report run and the
// balancing refuse a week they cannot read; a computation from an empty
// week reads no saved week at all; the syntax check says when there is no
// saved timetable.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "orario_run_support.h"

namespace fs = std::filesystem;
using engine_test::read_file;
using engine_test::TempDir;
using engine_test::write_file;
using orario_test::contains;
using orario_test::entries;
using orario_test::Outcome;
using orario_test::run_orario;

namespace {

std::string piccola() { return read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt"); }
std::string plain_save() { return read_file(std::string(KT_TEST_DATA) + "/savefiles/piccola-savego.txt"); }

// The hand-made week with twelve lines dropped in the middle: the lines
// after them name other lessons, as after a change of the teaching posts.
std::string save_of_other_posts() {
  std::string plain = plain_save();
  std::size_t from = 0;
  for (int i = 0; i < 60; ++i) from = plain.find('\n', from) + 1;
  std::size_t to = from;
  for (int i = 0; i < 12; ++i) to = plain.find('\n', to) + 1;
  return plain.substr(0, from) + plain.substr(to);
}

const char* const kEnv[3] = {"LANG=it_IT.UTF-8", "LANG=de_DE.UTF-8", "LANG=en_GB.UTF-8"};

}  // namespace

// Changed posts: the check and the reception hours take the previous
// timetable over, save it whole and say so in each language; the next check
// finds a whole save. The report run and the balancing cannot report on
// such a week either, and say it as a taken-over timetable too.
TEST(OrarioTakeOver, ASaveOfChangedPostsIsTakenOverAndSaidInEachLanguage) {
  const char* kChanged[3] = {
      "Attenzione: cattedre cambiate. L'orario predecedente è stato recuperato, ma può contenere errori (in "
      "questo caso, rielaborare).",
      "Warnung: Unterricht verändert. Der Plan wurde erholt, kann aber Fehler enthalten (in diesem Fall, wieder "
      "bearbeiten).",
      "Warning: Lessons were changed. The timetable was restored, but can contain errors (in such case, process "
      "it again)."};
  const std::string changed = save_of_other_posts();
  for (const char* command : {"SNOD:scuola2.txt", "RIGO:scuola2.txt"})
    for (int language = 0; language < 3; ++language) {
      std::string id = std::string(command) + " " + kEnv[language];
      TempDir school;
      write_file(school.file("scuola2.txt"), piccola());
      write_file(school.file("savego.txt"), changed);
      Outcome o = run_orario(school, kEnv[language], command);
      EXPECT_EQ(o.status, 4) << id << ": " << o.err;
      EXPECT_EQ(o.err, std::string(kChanged[language]) + "\n") << id;
      EXPECT_NE(read_file(school.file("savego.txt")), changed) << id << ": the recovered week is saved";
      EXPECT_EQ(entries(school).count("savego_danneggiato.txt"), 0u) << id;
      Outcome next = run_orario(school, "", "SNOD:scuola2.txt");
      EXPECT_EQ(next.status, 0) << id << ": " << next.err;
    }
}

// A damaged save (cut after its first hundred bytes) is kept beside the
// taken-over timetable under the name the message gives, in each language.
TEST(OrarioTakeOver, ADamagedSaveIsKeptUnderTheNameTheMessageGives) {
  const char* kDamaged[3] = {"il file dell'orario salvato era danneggiato (conservato come savego_danneggiato.txt)",
                             "savego_danneggiato.txt", "savego_danneggiato.txt"};
  const char* kStart[3] = {"Attenzione: ", "Warnung: die Datei des gespeicherten Stundenplans war beschädigt (aufbewahrt als ",
                           "Warning: the saved timetable's file was damaged (kept as "};
  const std::string damaged = plain_save().substr(0, 100);
  for (int language = 0; language < 3; ++language) {
    TempDir school;
    write_file(school.file("scuola2.txt"), piccola());
    write_file(school.file("savego.txt"), damaged);
    Outcome o = run_orario(school, kEnv[language], "SNOD:scuola2.txt");
    EXPECT_EQ(o.status, 4) << kEnv[language] << ": " << o.err;
    EXPECT_EQ(o.err.rfind(kStart[language], 0), 0u) << o.err;
    EXPECT_TRUE(contains(o.err, kDamaged[language])) << o.err;
    EXPECT_FALSE(contains(o.err, "cattedre cambiate") || contains(o.err, "Lessons were changed")) << o.err;
    EXPECT_EQ(read_file(school.file("savego_danneggiato.txt")), damaged) << kEnv[language];
  }
}

// The syntax check on a school without a saved week says "non config" and
// ends well; with one it does not.
TEST(OrarioTakeOver, TheSyntaxCheckSaysWhenThereIsNoSavedWeek) {
  TempDir school;
  write_file(school.file("scuola2.txt"), piccola());
  Outcome without = run_orario(school, "", "SYNT:scuola2.txt");
  EXPECT_EQ(without.status, 0) << without.err;
  EXPECT_TRUE(contains(without.out, "CARICATO") && contains(without.out, "\nnon config\n")) << without.out;
  write_file(school.file("savego.txt"), plain_save());
  Outcome with = run_orario(school, "", "SYNT:scuola2.txt");
  EXPECT_EQ(with.status, 0) << with.err;
  EXPECT_FALSE(contains(with.out, "non config")) << with.out;
  EXPECT_EQ(read_file(school.file("savego.txt")), plain_save());
}

// A computation from an empty week reads no saved week (it runs its search
// instead of finding the saved week whole); a failed one takes nothing over
// and leaves the saved week as it was.
TEST(OrarioTakeOver, AComputationFromAnEmptyWeekReadsNoSavedWeek) {
  TempDir school;
  write_file(school.file("scuola2.txt"), piccola());
  ASSERT_EQ(run_orario(school, "", "--seed 1 --time-limit 30 CALC:scuola2.txt").status, 0);
  // Computed again, the saved week is read and found whole.
  Outcome kept = run_orario(school, "", "--seed 2 --time-limit 30 CALC:scuola2.txt");
  ASSERT_EQ(kept.status, 0) << kept.err;
  EXPECT_TRUE(contains(kept.out, "s.cicli=0 ")) << "the saved week is whole: " << kept.out.substr(0, 2000);
  std::string saved = read_file(school.file("savego.txt"));
  Outcome anew = run_orario(school, "LANG=en_GB.UTF-8", "--new --seed 2 --time-limit 30 CALC:scuola2.txt");
  ASSERT_EQ(anew.status, 0) << anew.err;
  EXPECT_FALSE(contains(anew.out, "s.cicli=0 ")) << anew.out.substr(0, 2000);
  EXPECT_EQ(read_file(school.file("savego_precedente.txt")), saved);
  // The same with a description the engine refuses: no take-over, nothing new.
  saved = read_file(school.file("savego.txt"));
  write_file(school.file("scuola2.txt"), piccola() + "DAYS:\tXX\n");
  Outcome failed = run_orario(school, "", "--new --seed 2 CALC:scuola2.txt");
  EXPECT_EQ(failed.status, 2) << failed.err;
  EXPECT_FALSE(contains(failed.err, "cattedre cambiate")) << failed.err;
  EXPECT_EQ(read_file(school.file("savego.txt")), saved);
}

// A save of which no line can be placed is no missing save: the check and
// the reception hours take the previous timetable over from it and keep it
// as damaged; without any save orario says there is none to read.
TEST(OrarioTakeOver, ASaveWithNoLineToPlaceIsDamagedNotMissing) {
  const struct { const char* id; const char* save; int status; const char* text; } cases[] = {
      {"no save", nullptr, 3, "No saved timetable to read in this folder (savego.txt)"},
      {"lines that do not read", "ABCDEF0123456789\nABCDEF0123456789\n", 4,
       "Warning: the saved timetable's file was damaged (kept as savego_danneggiato.txt)."},
      {"no timetable at all", "not a timetable, but the user's file\n", 4,
       "Warning: the saved timetable's file was damaged (kept as savego_danneggiato.txt)."},
  };
  for (const auto& c : cases)
    for (const char* command : {"SNOD:scuola2.txt", "RIGO:scuola2.txt"}) {
      std::string id = std::string(c.id) + " " + command;
      TempDir school;
      write_file(school.file("scuola2.txt"), piccola());
      if (c.save) write_file(school.file("savego.txt"), c.save);
      Outcome o = run_orario(school, "LANG=en_GB.UTF-8", command);
      EXPECT_EQ(o.status, c.status) << id << ": " << o.err;
      EXPECT_TRUE(contains(o.err, c.text)) << id << ": " << o.err;
      if (c.save) {
        EXPECT_EQ(read_file(school.file("savego_danneggiato.txt")), c.save) << id;
        EXPECT_NE(read_file(school.file("savego.txt")), c.save) << id;
      } else {
        EXPECT_EQ(entries(school).count("savego.txt"), 0u) << id;
      }
    }
}

// The report run and the stand-by assignment build their week from a damaged
// save and save it in its place: they end their work (the reports are
// written) and still say the save was damaged, exit 4.
TEST(OrarioTakeOver, ACommandThatSavedInPlaceOfADamagedSaveSaysSo) {
  const char* kText[3] = {"Attenzione: il file dell'orario salvato era danneggiato (conservato come savego_danneggiato.txt)",
                          "Warnung: die Datei des gespeicherten Stundenplans war beschädigt (aufbewahrt als "
                          "savego_danneggiato.txt)",
                          "Warning: the saved timetable's file was damaged (kept as savego_danneggiato.txt)"};
  const std::string damaged = "not a timetable, but the user's file\n";
  for (const char* command : {"REPO:scuola2.txt", "DISP:scuola2.txt"})
    for (int language = 0; language < 3; ++language) {
      std::string id = std::string(command) + " " + kEnv[language];
      TempDir school;
      write_file(school.file("scuola2.txt"), piccola());
      write_file(school.file("savego.txt"), damaged);
      Outcome o = run_orario(school, kEnv[language], command);
      EXPECT_EQ(o.status, 4) << id << ": " << o.err;
      EXPECT_EQ(o.err.rfind(kText[language], 0), 0u) << id << ": " << o.err;
      // The reports carry the user's language in their names.
      EXPECT_TRUE(fs::is_directory(school.path() / "Orario") && !fs::is_empty(school.path() / "Orario")) << id;
      if (language == 0) { EXPECT_TRUE(fs::exists(school.path() / "Orario" / "Orario Classi.txt")) << id; }
      EXPECT_EQ(read_file(school.file("savego_danneggiato.txt")), damaged) << id;
      EXPECT_NE(read_file(school.file("savego.txt")), damaged) << id;
    }
}
