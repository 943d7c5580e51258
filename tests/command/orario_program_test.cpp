// The orario program end to end, in a temporary school folder that is also the
// drive root: exit status, messages in the user's language, what it leaves in
// the folder. Bad input ends with a clear message, never a crash or a lost file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "loader_harness.h"
#include "orario_run_support.h"

using engine_test::read_file;
using loader_test::kWeek;
using engine_test::TempDir;
using engine_test::write_file;
using orario_test::Outcome;
using orario_test::contains;
using orario_test::entries;
using orario_test::run_orario;

namespace {

std::string teachers(int n) {
  std::string text = std::string(kWeek) + "GM:MAT\t\n";
  for (int t = 0; t < n; ++t) text += "T" + std::to_string(t) + "\t1A 0\t\n";
  return text;
}

std::string utf16(const std::string& text) {
  std::string out = "\xFF\xFE";
  for (char c : text) {
    out += c;
    out += '\0';
  }
  return out;
}

}  // namespace

TEST(OrarioProgram, UsageWithoutACommandWord) {
  TempDir school;
  for (const char* args : {"", "CAL"}) {
    Outcome o = run_orario(school, "", args);
    EXPECT_EQ(o.status, 1) << args;
    EXPECT_EQ(o.err,
              "Syntax: orario calc:file_cattedre [cicli_bilanciamento]\n"
              "orario bila:file_cattedre file_ore ciclimax\n") << args;
  }
  EXPECT_TRUE(entries(school).empty());
  Outcome o = run_orario(school, "", "XXXX:scuola2.txt");  // the engine's own usage error
  EXPECT_EQ(o.status, 1);
  EXPECT_TRUE(contains(o.err, "Syntax: orario calc:file_cattedre")) << o.err;
}

TEST(OrarioProgram, OwnOptions) {
  TempDir school;
  Outcome help = run_orario(school, "LANG=en_GB.UTF-8", "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(contains(help.out, "Usage: orario COMMAND:")) << help.out;
  for (const char* args :
       {"--frobnicate CALC:x.txt", "--seed CALC:x.txt", "--time-limit -3", "--processes 12 CALC:x.txt", "CALC:x.txt a b c"}) {
    Outcome o = run_orario(school, "LANG=it_IT.UTF-8", args);
    EXPECT_EQ(o.status, 1) << args;
    EXPECT_TRUE(contains(o.err, "Opzione non valida")) << args << ": " << o.err;
  }
}

TEST(OrarioProgram, MissingDescription) {
  struct Case { const char* id; const char* env; const char* text; } cases[] = {
      {"italian-default", "", "Errore critico [Manca file descrizione scuola]"},
      {"lang-de", "LANG=de_DE.UTF-8", "Kritischer Fehler [Manca file descrizione scuola]"},
      {"lc-all-wins", "LANG=it_IT LC_ALL=en_US.UTF-8", "Critical error [Manca file descrizione"},
      {"lc-messages", "LANG=en_US LC_MESSAGES=de_AT", "Kritischer Fehler"},
      {"unknown-lang", "LANG=fr_FR.UTF-8", "Errore critico"},
  };
  for (const Case& c : cases) {
    TempDir school;
    write_file(school.file("savego.txt"), "previous timetable");
    Outcome o = run_orario(school, c.env, "CALC:scuola2.txt");
    EXPECT_EQ(o.status, 1) << c.id;
    EXPECT_TRUE(contains(o.err, c.text)) << c.id << ": " << o.err;
    // Nothing was added, not even the output folders; the saved timetable is untouched.
    EXPECT_EQ(entries(school), (std::set<std::string>{"savego.txt"})) << c.id;
    EXPECT_EQ(read_file(school.file("savego.txt")), "previous timetable") << c.id;
  }
}

TEST(OrarioProgram, SchoolFolderFromThePath) {
  TempDir root;
  std::filesystem::create_directory(root.path() / "scuola");
  write_file(root.file("scuola/scuola2.txt"), read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt"));
  write_file(root.file("scuola/savego.txt"), read_file(std::string(KT_TEST_DATA) + "/savefiles/piccola-savego.txt"));
  Outcome o = run_orario(root, "", "REPO:scuola/scuola2.txt");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(std::filesystem::is_directory(root.path() / "scuola" / "Orario"));
  EXPECT_FALSE(std::filesystem::exists(root.path() / "Orario"));
  Outcome missing = run_orario(root, "LANG=en_US", "CALC:nowhere/scuola2.txt");
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(contains(missing.err, "School folder not found: nowhere")) << missing.err;
}

TEST(OrarioProgram, CalcComputesSavesAndWritesTheReports) {
  TempDir school;
  write_file(school.file("scuola2.txt"), read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt"));
  Outcome o = run_orario(school, "LANG=it_IT.UTF-8", "--seed 7 --time-limit 60 CALC:scuola2.txt");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(contains(o.out, "INIZIO") && contains(o.out, "Fine Orario")) << o.out;
  EXPECT_FALSE(read_file(school.file("savego.txt")).empty());
  EXPECT_TRUE(contains(read_file(school.file("Orario/Orario Classi.txt")), " 1A ")) << "the class timetable names its classes";
}

// A computation stopped before its first whole week (here at once, while
// the lessons are being placed) saves nothing and writes no report; it says
// so and fails instead of ending well. With --new the saved week and its
// copy set aside stay as they were; on a whole saved week a stop saves.
TEST(OrarioProgram, AStopBeforeTheFirstWeekIsNoSuccess) {
  TempDir school;
  write_file(school.file("scuola2.txt"), read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt"));
  Outcome at_once = run_orario(school, "LANG=it_IT.UTF-8", "--seed 7 --time-limit 0 CALC:scuola2.txt");
  EXPECT_EQ(at_once.status, 130);
  EXPECT_TRUE(contains(at_once.err, "nessun orario salvato")) << at_once.err;
  EXPECT_EQ(entries(school), (std::set<std::string>{"scuola2.txt"}));

  ASSERT_EQ(run_orario(school, "", "--seed 7 --time-limit 60 CALC:scuola2.txt").status, 0);
  std::string week = read_file(school.file("savego.txt"));
  Outcome anew = run_orario(school, "LANG=en_GB.UTF-8", "--seed 7 --time-limit 0 --new CALC:scuola2.txt");
  EXPECT_EQ(anew.status, 130);
  EXPECT_TRUE(contains(anew.err, "no timetable saved")) << anew.err;
  EXPECT_EQ(read_file(school.file("savego.txt")), week) << "the saved week stays as it was";
  EXPECT_EQ(read_file(school.file("savego_precedente.txt")), week);
  // On a whole saved week a stop at once still ends with the week saved again.
  EXPECT_EQ(run_orario(school, "", "--seed 7 --time-limit 0 CALC:scuola2.txt").status, 0);
}

// The teachers' and classes' trial runs write their timetable to the test
// save only: with no saved timetable they create no real save, exemption or
// reception file, and with one they leave it byte for byte as it was.
TEST(OrarioProgram, TrialRunsWriteOnlyTheTestFiles) {
  std::string description = read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt");
  for (const char* option : {"TPRO", "TCLA"}) {
    TempDir school;
    write_file(school.file("scuola2.txt"), description);
    Outcome o = run_orario(school, "", std::string("--seed 3 --time-limit 30 CALC:scuola2.txt ") + option);
    EXPECT_EQ(o.status, 0) << option << o.err;
    std::set<std::string> names = entries(school);
    EXPECT_EQ(names.count("savetest.txt"), 1u) << option;
    for (const char* real : {"savego.txt", "saveprec.txt", "scuola3.txt", "ricevi.txt"}) EXPECT_EQ(names.count(real), 0u) << real;
    write_file(school.file("savego.txt"), "kept timetable\n");
    write_file(school.file("saveprec.txt"), "kept record\n");
    o = run_orario(school, "", std::string("--seed 4 --time-limit 30 CALC:scuola2.txt ") + option);
    EXPECT_EQ(read_file(school.file("savego.txt")) + read_file(school.file("saveprec.txt")), "kept timetable\nkept record\n")
        << option;
    EXPECT_EQ(entries(school).count("scuola3.txt"), 0u) << option;
  }
}

// A trial run on a description with an error is a test run's first error:
// status 4, the engine's message with the test's closing line, and the
// description left as it was.
TEST(OrarioProgram, ATrialOnABadDescriptionIsTheTestsFirstError) {
  std::string description =
      read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt") + "DAYS:\tXX\n";
  for (const char* option : {"TPRO", "TCLA"}) {
    TempDir school;
    write_file(school.file("scuola2.txt"), description);
    Outcome o = run_orario(school, "LANG=it_IT.UTF-8", std::string("--seed 3 CALC:scuola2.txt ") + option);
    EXPECT_EQ(o.status, 4) << option << o.err;
    EXPECT_NE(o.err.find("Ore del Giorno"), std::string::npos) << option << o.err;
    EXPECT_NE(o.err.find("correggere e riprovare"), std::string::npos) << option << o.err;
    EXPECT_EQ(read_file(school.file("scuola2.txt")), description) << option;
    EXPECT_EQ(entries(school).count("savego.txt"), 0u) << option;
  }
}

// A description that exists but cannot be read says why, in the user's
// language, and no file of the school folder changes.
TEST(OrarioProgram, ADescriptionThatCannotBeReadSaysWhy) {
  // Root reads any file: the unreadable case runs as nobody then.
  std::string as = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "";
  struct Case { const char* id; bool folder; const char* env; const char* text; } cases[] = {
      {"folder-it", true, "LANG=it_IT.UTF-8", "[È una cartella, non un file]"},
      {"folder-en", true, "LANG=en_GB.UTF-8", "[Is a folder, not a file]"},
      {"unreadable-it", false, "LANG=it_IT.UTF-8", "[Manca il permesso di leggere il file]"},
      {"unreadable-de", false, "LANG=de_DE.UTF-8", "[Keine Berechtigung, die Datei zu lesen]"},
  };
  for (const Case& c : cases) {
    TempDir school;
    std::filesystem::permissions(school.path(), std::filesystem::perms::all);
    write_file(school.file("savego.txt"), "previous timetable");
    if (c.folder) {
      std::filesystem::create_directory(school.path() / "scuola2.txt");
    } else {
      write_file(school.file("scuola2.txt"), "REM:\tLiceo\n");
      std::filesystem::permissions(school.file("scuola2.txt"), std::filesystem::perms::none);
    }
    Outcome o = run_orario(school, c.env, "SNOD:scuola2.txt", c.folder ? "" : as);
    EXPECT_EQ(o.status, 1) << c.id;
    EXPECT_TRUE(contains(o.err, c.text) && !contains(o.err, "Manca file descrizione")) << c.id << ": " << o.err;
    EXPECT_EQ(read_file(school.file("savego.txt")), "previous timetable") << c.id;
    EXPECT_EQ(entries(school), (std::set<std::string>{"savego.txt", "scuola2.txt"})) << c.id;
  }
}

// A description or saved timetable that is no regular file (a FIFO, a
// link to a device without end) is refused at once, never waited on or read
// for ever; a name that is empty or too long for the system says so; in
// the user's language, and the folder's files stay as they were.
TEST(OrarioProgram, FilesThatAreNoRegularFileAreRefusedNotRead) {
  const std::string piccola = read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt");
  const char* kNotRegular[3] = {"[Non è un file normale (è un dispositivo, una FIFO o un socket)]",
                                "[Keine gewöhnliche Datei (ein Gerät, eine FIFO oder ein Socket)]",
                                "[Not a regular file (a device, a FIFO or a socket)]"};
  const char* kEnv[3] = {"LANG=it_IT.UTF-8", "LANG=de_DE.UTF-8", "LANG=en_GB.UTF-8"};
  struct Case {
    const char* id;
    const char* file;  // made a FIFO or a link to /dev/zero
    bool fifo;
    const char* args;
    const char* shown;
    const char* const* reasons;
  } cases[] = {
      {"description-fifo", "scuola2.txt", true, "SYNT:scuola2.txt", "[scuola2.txt]", kNotRegular},
      {"description-device", "scuola2.txt", false, "CALC:scuola2.txt", "[scuola2.txt]", kNotRegular},
      {"save-fifo", "savego.txt", true, "SNOD:scuola2.txt", "[savego.txt]", kNotRegular},
      {"save-device", "savego.txt", false, "REPO:scuola2.txt", "[savego.txt]", kNotRegular},
  };
  for (const Case& c : cases)
    for (int language = 0; language < 3; ++language) {
      TempDir school;
      write_file(school.file("scuola2.txt"), piccola);
      std::filesystem::remove(school.file(c.file));
      if (c.fifo)
        ASSERT_EQ(::mkfifo(school.file(c.file).c_str(), 0600), 0);
      else
        std::filesystem::create_symlink("/dev/zero", school.file(c.file));
      Outcome o = run_orario(school, kEnv[language], c.args);
      EXPECT_EQ(o.status, 1) << c.id;
      EXPECT_TRUE(contains(o.err, c.shown) && contains(o.err, c.reasons[language])) << c.id << ": " << o.err;
      EXPECT_TRUE(std::string(c.file) == "scuola2.txt" || read_file(school.file("scuola2.txt")) == piccola) << c.id;
      EXPECT_EQ(entries(school).count("savego.txt"), std::string(c.file) == "savego.txt" ? 1u : 0u) << c.id;
    }
  struct Name { const char* args; const char* env; const char* text; } names[] = {
      {"SYNT:", "LANG=it_IT.UTF-8", "[Manca il nome del file]"},
      {"SYNT:", "LANG=en_GB.UTF-8", "[The file name is missing]"},
      {"SYNT:", "LANG=de_DE.UTF-8", "[Der Dateiname fehlt]"},
  };
  for (const Name& n : names) {
    TempDir school;
    Outcome o = run_orario(school, n.env, n.args);
    EXPECT_EQ(o.status, 1) << n.env;
    EXPECT_TRUE(contains(o.err, n.text) && !contains(o.err, "cartella")) << n.env << ": " << o.err;
  }
  TempDir school;
  Outcome o = run_orario(school, "LANG=it_IT.UTF-8", "SYNT:" + std::string(300, 'a') + ".txt");
  EXPECT_EQ(o.status, 1);
  EXPECT_TRUE(contains(o.err, "[Nome del file troppo lungo]") && contains(o.err, "aaa...aaa")) << o.err;
  EXPECT_FALSE(contains(o.err, "Manca file descrizione")) << o.err;
}

TEST(OrarioProgram, ExitStatusFollowsTheResult) {
  TempDir school;
  write_file(school.file("scuola2.txt"), "REM:\tLiceo\n");
  EXPECT_EQ(run_orario(school, "", "CALC:scuola2.txt FAST").status, 1);  // an unknown option
  Outcome one_letter = run_orario(school, "LANG=en_GB.UTF-8", "CALC:scuola2.txt X");  // so is one letter
  EXPECT_EQ(one_letter.status, 1);
  EXPECT_TRUE(contains(one_letter.err, "X\n")) << one_letter.err;
  EXPECT_EQ(run_orario(school, "", "SOSX:scuola2.txt").status, 3);       // nothing to write
}

// The phases on a computed timetable: without a cycle count they say at the
// start how they end (the Part's default), with one they do not; the
// publishing report without a school code (the command line has none) says
// so and fails instead of writing nothing and ending well.
TEST(OrarioProgram, PhasesSayTheirDefaultAndPublishingNeedsASchoolCode) {
  TempDir school;
  write_file(school.file("scuola2.txt"), read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt"));
  ASSERT_EQ(run_orario(school, "", "--seed 7 CALC:scuola2.txt").status, 0);
  struct Case { const char* args; const char* env; bool note; } phases[] = {
      {"--time-limit 1 BILA:scuola2.txt", "LANG=it_IT.UTF-8", true},
      {"--time-limit 1 MISV:scuola2.txt", "LANG=en_GB.UTF-8", true},
      {"BILA:scuola2.txt - 0", "LANG=it_IT.UTF-8", false},
      {"MISV:scuola2.txt - 0", "LANG=en_GB.UTF-8", false},
  };
  for (const Case& c : phases) {
    Outcome o = run_orario(school, c.env, c.args);
    EXPECT_EQ(o.status, 0) << c.args << o.err;
    bool noted = contains(o.out, "Nessun numero di cicli: la fase finisce dopo 100000 cicli senza un nuovo record") ||
                 contains(o.out, "No cycle count: the phase ends after 100000 cycles without a new record");
    EXPECT_EQ(noted, c.note) << c.args << o.out.substr(0, 400);
  }
  struct Language { const char* env; const char* text; } languages[] = {
      {"LANG=it_IT.UTF-8", "[La scuola non ha un codice: l'orario non può essere pubblicato]"},
      {"LANG=de_DE.UTF-8", "[Die Schule hat keinen Code: der Stundenplan kann nicht veröffentlicht werden]"},
      {"LANG=en_GB.UTF-8", "[The school has no code: the timetable cannot be published]"},
  };
  std::filesystem::remove_all(school.path() / "Orario");
  std::set<std::string> before = entries(school);
  for (const Language& l : languages) {
    Outcome o = run_orario(school, l.env, "REPO:scuola2.txt Pubk");
    EXPECT_EQ(o.status, 3) << l.env;
    EXPECT_TRUE(contains(o.err, l.text)) << l.env << ": " << o.err;
  }
  // A refused command makes no output folder.
  EXPECT_EQ(entries(school), before);
}

// Names are 1252 text inside the engine; the terminal gets them in UTF-8,
// in the trace, the engine's own reports and the violation list of "SNOD:".
TEST(OrarioProgram, TextsReachTheTerminalInUtf8) {
  TempDir school;
  // NICOLÒ ("\xD2" in 1252) teaches both classes and refuses hours 2 to 4 of
  // the one day: some violation is always left, and it names him.
  write_file(school.file("scuola2.txt"),
             "REM:Scuola\nREM:C:\\ORARIO\\PROVA\nREM:CPROVA|Prova|\nREM:Anno 2026|\nCLNAMES:\t2\t\n"
             "DAYS:\tLU5-Luned\xEC\tMA0-Marted\xEC\tME0\tGI0\tVE0\tSA0\tDO0\t\n"
             "SEDECL:\tCENTRO\t1A-1B\t\n\nGM:ITALIANO\t\nNICOL\xD2\t1A 1\t\n\t1B 1\t\n"
             "BIANCHI\t1A 4\t\nVERDI\t1B 4\t\nV:\tNICOL\xD2\tOP:LU:2-4\t\n");
  Outcome calc = run_orario(school, "LANG=it_IT.UTF-8", "--seed 3 --time-limit 1 CALC:scuola2.txt");
  Outcome check = run_orario(school, "LANG=it_IT.UTF-8", "SNOD:scuola2.txt");
  EXPECT_EQ(check.status, 0) << check.err;
  for (const Outcome* o : {&calc, &check}) {
    EXPECT_TRUE(contains(o->out, "assegnata a 0-NICOL\xC3\x92 e a")) << o->out;
    EXPECT_FALSE(contains(o->out, "NICOL\xD2")) << o->out;
  }
  EXPECT_TRUE(contains(check.out, "NICOL\xC3\x92 ")) << check.out;
  // The load lists the hour totals of classes, teachers and rooms.
  EXPECT_TRUE(contains(check.out, "\n 1A: 5  1B: 5 \n 0               NICOL\xC3\x92: 2+0   1")) << check.out;
  EXPECT_TRUE(contains(check.out, "ST:          1A: 5 ST:          1B: 5 \n")) << check.out;
  EXPECT_TRUE(contains(check.out, "Violazioni residue: ")) << check.out;
}

// Descriptions too large or too odd for a fuzzer to try: a huge file of
// comments, one enormous line, more teachers than allowed, UTF-16 or a
// byte-order mark, NUL bytes. Each is read or refused with a message.
TEST(HostileFiles, AreReadOrRefusedWithAMessageAndNothingIsOverwritten) {
  const std::string piccola = read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt");
  std::string comments;
  while (comments.size() < (50u << 20)) comments += "REM:una riga di commento che il programma ignora\n";
  // loads: 1 must load, 0 must be refused, -1 either.
  const struct { const char* id; std::string bytes; int loads; } cases[] = {
      {"50 MB of comments", piccola + comments, 1},
      {"a 10 MB line", piccola + "REM:" + std::string(10u << 20, 'x') + "\n", 0},
      {"a 10 MB teacher line", piccola + "ROSSI\t" + std::string(10u << 20, '1') + "\n", 0},
      {"600 teachers", teachers(600), 0}, {"UTF-8 byte-order mark", "\xEF\xBB\xBF" + piccola, 0},
      {"UTF-16", utf16(piccola), 0},
      {"NUL bytes in a line", piccola + std::string("ROSSI\t1A\0 2\t\n", 13), 0},
      {"NUL bytes only", std::string(4096, '\0'), 0},
  };
  const std::string saved = "not a timetable, but the user's file\n";
  for (const auto& c : cases) {
    TempDir school;
    write_file(school.file("scuola2.txt"), c.bytes);
    write_file(school.file("savego.txt"), saved);
    Outcome o = run_orario(school, "", "SYNT:scuola2.txt");
    EXPECT_TRUE(read_file(school.file("scuola2.txt")) == c.bytes && read_file(school.file("savego.txt")) == saved)
        << c.id;
    if (c.loads == 1 || (c.loads == -1 && o.status == 0)) {
      EXPECT_EQ(o.status, 0) << c.id << ": " << o.err;
    } else {
      EXPECT_TRUE(o.status >= 1 && o.status <= 3) << c.id << ": " << o.status;
      EXPECT_FALSE(o.err.empty()) << c.id;
    }
  }
}

namespace {

// The teachers' week report, per teacher: the cells of its week, row by row
// (one row per hour, one cell per day, 30 characters each).
std::map<std::string, std::vector<std::vector<std::string>>> teacher_weeks(const std::string& report) {
  std::map<std::string, std::vector<std::vector<std::string>>> weeks;
  std::string who;
  std::size_t at = 0;
  while (at < report.size()) {
    std::size_t end = report.find('\n', at);
    if (end == std::string::npos) end = report.size();
    std::string line = report.substr(at, end - at);
    at = end + 1;
    if (line.rfind("@0", 0) == 0) who.clear();
    if (line.size() > 26 && line.compare(20, 6, "|8:00 ") == 0) {
      who = line.substr(0, 20);
      who.erase(who.find_last_not_of(' ') + 1);
    }
    if (who.empty() || line.size() < 27 || line[20] != '|' || line[26] != '|') continue;
    std::vector<std::string> row;
    for (std::size_t cell = 27; cell + 30 <= line.size(); cell += 31) row.push_back(line.substr(cell, 30));
    weeks[who].push_back(row);
  }
  return weeks;
}

bool is_reception(const std::string& cell) { return cell.rfind("  R ", 0) == 0; }
bool is_lesson(const std::string& cell) {
  return !is_reception(cell) && cell.find_first_not_of(' ') != std::string::npos;
}

}  // namespace

// Parents' reception hours go to the people who teach: on the small sample
// school, whose two lab assistants' hours stand in "<teacher>_LAB"
// pseudo-teachers, the reports of a saved week give a reception hour to each
// real teacher and none to a pseudo-teacher, and the reception file has one
// line per real teacher.
TEST(OrarioProgram, ReceptionHoursGoToRealTeachersOnly) {
  TempDir school;
  write_file(school.file("scuola2.txt"), read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt"));
  write_file(school.file("savego.txt"), read_file(std::string(KT_TEST_DATA) + "/savefiles/piccola-savego.txt"));
  Outcome o = run_orario(school, "", "--seed 1 REPO:scuola2.txt");
  ASSERT_EQ(o.status, 0) << o.err;
  std::string report = read_file(school.file("Orario/Orario Professori Orizzontale.txt"));
  std::map<std::string, int> receptions;
  for (const auto& [name, rows] : teacher_weeks(report)) {
    int& n = receptions[name];
    for (const auto& row : rows) n += static_cast<int>(std::count_if(row.begin(), row.end(), is_reception));
  }
  ASSERT_EQ(receptions.count("COLOMBO_LAB") + receptions.count("RICCI_LAB"), 2u) << report.substr(0, 400);
  int real = 0;
  for (const auto& [name, count] : receptions) {
    bool lab = name.size() > 4 && name.compare(name.size() - 4, 4, "_LAB") == 0;
    EXPECT_EQ(count, lab ? 0 : 1) << name;
    real += !lab;
  }
  EXPECT_EQ(real, 13);
  std::string file = read_file(school.file("ricevi.txt"));
  EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), real) << "one line per real teacher";
}

// The returns into a class a teacher is allowed (the "ENTEREXIT:" band of
// the general parameters, by the hours he has in the class) lower what the
// check of a saved week charges: with none every return is charged, with
// the new-school defaults fewer, with seven allowed in any class none.
TEST(OrarioProgram, ReturnsIntoAClassAreChargedBeyondTheBandsAllowance) {
  auto charged = [](const std::string& band) {
    TempDir school;
    std::string description = read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt");
    if (!band.empty()) description += "ENTEREXIT:\t" + band + "\t\n";
    write_file(school.file("scuola2.txt"), description);
    write_file(school.file("savego.txt"), read_file(std::string(KT_TEST_DATA) + "/savefiles/piccola-savego.txt"));
    Outcome o = run_orario(school, "", "SNOD:scuola2.txt");
    EXPECT_EQ(o.status, 0) << band << o.err;
    // "E:RIENTRI in Classe   P=n   NAME   qt=  k (class)": the sum of k.
    int total = 0;
    for (std::size_t at = o.out.find("E:RIENTRI in Classe"); at != std::string::npos;
         at = o.out.find("E:RIENTRI in Classe", at + 1))
      total += std::atoi(o.out.c_str() + o.out.find("qt=", at) + 3);
    return total;
  };
  int none = charged(""), defaults = charged("5-0:8-1:99-2"), lenient = charged("99-7");
  EXPECT_GT(none, 0);
  EXPECT_LT(defaults, none);
  EXPECT_GT(defaults, 0);
  EXPECT_EQ(lenient, 0);
}

// A teacher of an articulated group gives its lessons under a stand-in named
// after him ("RE A"): parents see the teacher, once, and never in an hour in
// which he is with the group. In the saved week RE teaches 2B on Monday at
// the first and the fourth hour and the group at the first and the third,
// apart from his 2B lesson (a week need not keep the two together): between his
// own lessons the third hour looks free, but he is with the group then.
TEST(OrarioProgram, ArticulatedGroupsGiveTheirTeacherOneReceptionHour) {
  TempDir school;
  write_file(school.file("scuola2.txt"), read_file(std::string(KT_TEST_DATA) + "/loader/small/scuola2.txt"));
  write_file(school.file("savego.txt"), read_file(std::string(KT_TEST_DATA) + "/savefiles/small-articulated-savego.txt"));
  Outcome o = run_orario(school, "", "--seed 1 REPO:scuola2.txt");
  ASSERT_EQ(o.status, 0) << o.err;
  std::string report = read_file(school.file("Orario/Orario Professori Orizzontale.txt"));
  auto weeks = teacher_weeks(report);
  ASSERT_TRUE(weeks.count("RE") && weeks.count("RE A")) << report.substr(0, 400);
  int real = 0;
  for (const auto& [name, rows] : weeks) {
    int receptions = 0;
    for (const auto& row : rows) receptions += static_cast<int>(std::count_if(row.begin(), row.end(), is_reception));
    bool stand_in = name == "RE A" || (name.size() > 4 && name.compare(name.size() - 4, 4, "_LAB") == 0);
    // SOLE only stands by: no lesson for parents to come next to.
    EXPECT_EQ(receptions, stand_in || name == "SOLE" ? 0 : 1) << name;
    real += !stand_in;
  }
  EXPECT_EQ(real, 11);
  const auto& own = weeks["RE"];
  const auto& group = weeks["RE A"];
  for (std::size_t h = 0; h < own.size() && h < group.size(); ++h)
    for (std::size_t d = 0; d < own[h].size() && d < group[h].size(); ++d)
      EXPECT_FALSE(is_reception(own[h][d]) && is_lesson(group[h][d])) << "hour " << h << " day " << d;
  std::string file = read_file(school.file("ricevi.txt"));
  EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), real) << "one line per real teacher";
}

// Stand-by hours as the teachers' page gives them ("TED:+2" for three
// teachers, no grouping line): "disp:" places and packs them and writes the
// stand-by report; "REPO:" on the week it saved, as after the board's save,
// must print that same report, each teacher at disposal once under his hour
// and no hour split into rows of one teacher each.
TEST(OrarioProgram, SavedStandbyHoursReportAsPlaced) {
  TempDir school;
  std::string description = read_file(std::string(KT_SOURCE_DIR) + "/examples/liceo/scuola2.txt");
  for (const char* post : {"FONTANA\t1AS 4\t\n", "SANTORO\t1BS 4\t\n", "MARINI\t1CS 4\t\n"}) {
    std::string line = post;
    std::size_t at = description.find(line);
    ASSERT_NE(at, std::string::npos) << line;
    description.replace(at, line.size(), line.substr(0, line.size() - 1) + "TED:+2\t\n");
  }
  write_file(school.file("scuola2.txt"), description);
  write_file(school.file("savego.txt"), read_file(std::string(KT_TEST_DATA) + "/savefiles/liceo-savego.txt"));
  const std::string report_name = "Orario/Orario Ore a Disposizione.txt";
  Outcome placed = run_orario(school, "", "--seed 1 DISP:scuola2.txt");
  ASSERT_EQ(placed.status, 0) << placed.err;
  std::string placed_report = read_file(school.file(report_name));
  for (const char* who : {"FONTANA", "SANTORO", "MARINI"}) {
    std::size_t n = 0;
    for (std::size_t at = placed_report.find(who); at != std::string::npos; at = placed_report.find(who, at + 1)) ++n;
    ASSERT_EQ(n, 2u) << who << "\n" << placed_report;
  }
  Outcome reported = run_orario(school, "", "--seed 1 REPO:scuola2.txt");
  ASSERT_EQ(reported.status, 0) << reported.err;
  EXPECT_EQ(read_file(school.file(report_name)), placed_report);
}

// "ricevi.txt" names the teacher of each line next to his index: a line
// whose teacher is no longer at that index (a teacher added or removed since)
// gives its hour to the teacher it names, never to the one who now has the
// index. Here the line at ROSSI's index names a teacher who has left, with
// an hour ROSSI could take: ROSSI keeps the hour the engine picks for him.
TEST(OrarioProgram, AReceptionHourFollowsTheTeachersNameNotHisIndex) {
  TempDir school;
  write_file(school.file("scuola2.txt"), read_file(std::string(KT_TEST_DATA) + "/loader/small/scuola2.txt"));
  write_file(school.file("savego.txt"), read_file(std::string(KT_TEST_DATA) + "/savefiles/small-articulated-savego.txt"));
  Outcome o = run_orario(school, "", "--seed 1 REPO:scuola2.txt");
  ASSERT_EQ(o.status, 0) << o.err;
  auto week = teacher_weeks(read_file(school.file("Orario/Orario Professori Orizzontale.txt")))["ROSSI"];
  ASSERT_FALSE(week.empty());
  int own_day = -1, own_hour = -1, day = -1, hour = -1;
  for (std::size_t h = 0; h < week.size(); ++h)
    for (std::size_t d = 0; d < week[h].size(); ++d) {
      if (is_reception(week[h][d])) own_day = int(d), own_hour = int(h);
      bool next_to_lesson = (h > 0 && is_lesson(week[h - 1][d])) || (h + 1 < week.size() && is_lesson(week[h + 1][d]));
      // Tuesday on: his constraints leave him Wednesday to Friday open.
      if (day < 0 && d >= 2 && week[h][d].find_first_not_of(' ') == std::string::npos && next_to_lesson)
        day = int(d), hour = int(h);
    }
  ASSERT_GE(own_day, 0);
  ASSERT_GE(day, 0);
  ASSERT_FALSE(day == own_day && hour == own_hour);
  write_file(school.file("ricevi.txt"), "0|GONE|" + std::to_string(day) + "|" + std::to_string(hour) + "|\n");
  o = run_orario(school, "", "--seed 1 REPO:scuola2.txt");
  ASSERT_EQ(o.status, 0) << o.err;
  week = teacher_weeks(read_file(school.file("Orario/Orario Professori Orizzontale.txt")))["ROSSI"];
  ASSERT_GT(week.size(), std::size_t(std::max(hour, own_hour)));
  EXPECT_FALSE(is_reception(week[hour][day])) << "the hour of the teacher who left";
  EXPECT_TRUE(is_reception(week[own_hour][own_day])) << "his own hour";
}
