// A school's two files read and saved as one pair, in a copy of the small
// sample school as the working folder: a save that fails at any file and
// step changes neither file, leaves no temporary and tells which file and
// why in the user's language, for every kind of write failure; a pair of
// files from two saves is told when read; a save killed halfway is completed
// silently at the next reading, and one that cannot be completed refuses
// the school once with its reason, never the school's "not loaded" note,
// until the marker goes; a school refused for a bad file is told once per
// folder with the note that nothing will be saved over it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "desc_test_support.h"
#include "platform/system_atomic_write.h"
#include "platform/test_driver.h"
#include "schooldata/model_lookups.h"
#include "schooldata/school_files.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_startup.h"
#include "shell/message_box.h"

namespace {

namespace fs = std::filesystem;

struct Fault {
  const char* file = "";
  kt::AtomicStep step = kt::AtomicStep::kWrite;
  int error = 0;  // -1: the process ends there, as a kill would
};
Fault g_fault;

int inject(kt::AtomicStep step, const std::string& target) {
  if (step != g_fault.step || !target.ends_with(g_fault.file)) return 0;
  if (g_fault.error == -1) ::_exit(9);
  return g_fault.error;
}

class PairFiles : public SamplePairFolder {
 protected:
  void TearDown() override {
    g_language = 0;
    SamplePairFolder::TearDown();
  }
  std::string Files() const { return slurp(dir_ + "/scuola1.txt") + "\n--\n" + slurp(dir_ + "/scuola2.txt"); }
  std::set<std::string> Entries() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.insert(e.path().filename().string());
    return names;
  }
  // A save of both files in a process that ends at the rename of `file`.
  void SaveKilledAt(const char* file) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      g_fault = {file, kt::AtomicStep::kRename, -1};
      kt::set_atomic_write_fault(inject);
      og_write_school_files();
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 9);
  }
};

TEST_F(PairFiles, EveryWriteFailureChangesNeitherFileAndSaysWhichAndWhy) {
  const std::string before = Files();
  const std::set<std::string> entries = Entries();
  struct Case {
    int language;
    Fault fault;
    std::string said;
  } cases[] = {
      {0, {"scuola2.txt", kt::AtomicStep::kWrite, ENOSPC}, "Dati NON salvati: impossibile scrivere scuola2.txt: disco pieno"},
      {1, {"scuola2.txt", kt::AtomicStep::kWrite, ENOSPC},
       "Daten NICHT gespeichert: scuola2.txt kann nicht geschrieben werden: Datentr\xE4ger voll"},
      {2, {"scuola1.txt", kt::AtomicStep::kSync, EIO}, "Data NOT saved: cannot write scuola1.txt: disk write error"},
      {0, {"scuola1.txt", kt::AtomicStep::kWrite, EDQUOT},
       "Dati NON salvati: impossibile scrivere scuola1.txt: spazio su disco esaurito (quota)"},
      {2, {"scuola.kt-commit", kt::AtomicStep::kWrite, EDQUOT},
       "Data NOT saved: cannot write scuola.kt-commit: disk quota exceeded"},
      {0, {"scuola2.txt", kt::AtomicStep::kSync, EFBIG}, "Dati NON salvati: impossibile scrivere scuola2.txt: file troppo grande"},
      {1, {"scuola2.txt", kt::AtomicStep::kSync, EFBIG},
       "Daten NICHT gespeichert: scuola2.txt kann nicht geschrieben werden: Datei zu gro\xDF"},
      {0, {"scuola1.txt", kt::AtomicStep::kWrite, EROFS},
       "Dati NON salvati: impossibile scrivere scuola1.txt: disco protetto in scrittura"},
      {2, {"scuola1.txt", kt::AtomicStep::kWrite, EROFS}, "Data NOT saved: cannot write scuola1.txt: read-only disk"},
      {0, {"scuola2.txt", kt::AtomicStep::kWrite, EACCES}, "Dati NON salvati: impossibile scrivere scuola2.txt: accesso negato"},
      {2, {"scuola2.txt", kt::AtomicStep::kWrite, EPERM}, "Data NOT saved: cannot write scuola2.txt: permission denied"},
      {1, {"scuola2.txt", kt::AtomicStep::kWrite, EPERM},
       "Daten NICHT gespeichert: scuola2.txt kann nicht geschrieben werden: Zugriff verweigert"},
      {0, {"scuola1.txt", kt::AtomicStep::kWrite, ENOENT}, "Dati NON salvati: impossibile scrivere scuola1.txt: cartella mancante"},
      {2, {"scuola1.txt", kt::AtomicStep::kWrite, ENOENT}, "Data NOT saved: cannot write scuola1.txt: missing folder"},
      {1, {"scuola1.txt", kt::AtomicStep::kWrite, EIO},
       "Daten NICHT gespeichert: scuola1.txt kann nicht geschrieben werden: Schreibfehler auf dem Datentr\xE4ger"},
      {0, {"scuola2.txt", kt::AtomicStep::kWrite, EBUSY},
       std::string("Dati NON salvati: impossibile scrivere scuola2.txt: ") + std::strerror(EBUSY)},
  };
  kt::set_atomic_write_fault(inject);
  for (const Case& c : cases) {
    g_language = std::uint8_t(c.language);
    g_fault = c.fault;
    kt::ui::TestDriver ui;
    ui.AnswerNextModal(kt::ui::kIdOk);
    EXPECT_FALSE(og_save_school_files()) << c.said;
    ASSERT_EQ(ui.boxes().size(), 1u) << c.said;
    EXPECT_EQ(ui.boxes()[0].texts.at(0), c.said);
    EXPECT_EQ(Files(), before) << c.said;
    EXPECT_EQ(Entries(), entries) << c.said << ": no temporary left";
  }
  kt::set_atomic_write_fault(nullptr);
  g_language = 0;
  EXPECT_TRUE(og_save_school_files());
  EXPECT_EQ(Entries(), entries);
}

TEST_F(PairFiles, APairFromTwoSavesIsToldWhenReadInTheUsersLanguage) {
  const std::string earlier = slurp(dir_ + "/scuola2.txt");
  ASSERT_TRUE(og_save_school_files());
  {
    kt::ui::TestDriver ui;
    ASSERT_TRUE(og_read_school_files(0));
    EXPECT_TRUE(ui.boxes().empty()) << "a pair from one save reads silently";
  }
  spit(dir_ + "/scuola2.txt", earlier);
  const char* starts[3] = {
      "Attenzione: scuola1.txt e scuola2.txt di questa cartella non vengono dallo stesso salvataggio",
      "Achtung: scuola1.txt und scuola2.txt dieses Ordners stammen nicht aus demselben Speichern",
      "Warning: scuola1.txt and scuola2.txt of this folder do not come from the same save"};
  for (int language = 0; language < 3; ++language) {
    g_language = std::uint8_t(language);
    kt::ui::TestDriver ui;
    ui.AnswerNextModal(kt::ui::kIdOk);
    EXPECT_TRUE(og_read_school_files(0)) << "the school is read all the same";
    ASSERT_EQ(ui.boxes().size(), 1u) << language;
    EXPECT_EQ(ui.boxes()[0].texts.at(0).rfind(starts[language], 0), 0u) << ui.boxes()[0].texts.at(0);
    EXPECT_TRUE(og_school_loaded());
  }
}

TEST_F(PairFiles, ASaveKilledAtItsRenamesIsCompletedSilentlyAtTheNextReading) {
  const std::set<std::string> clean = Entries();
  const struct {
    const char* killed_at;
    const char* subject;
  } cases[] = {{"scuola1.txt", "A946 LCS SERBO-CROAT"}, {"scuola2.txt", "A846 LSANIERA SLOVEN"}};
  for (const auto& [killed_at, subject] : cases) {
    SCOPED_TRACE(killed_at);
    // The model gains a subject the files do not have.
    const int subjects = og_subject_count();
    ASSERT_EQ(og_find_or_add_subject(subject, 'N'), subjects);
    ASSERT_NO_FATAL_FAILURE(SaveKilledAt(killed_at));
    EXPECT_TRUE(Entries().count("scuola.kt-commit"));
    kt::ui::TestDriver ui;
    std::string why = "unchanged";
    EXPECT_TRUE(og_settle_school_folder(&why));
    EXPECT_EQ(why, "unchanged") << "nothing to say";
    EXPECT_EQ(Entries(), clean) << "the marker and every temporary are gone";
    ASSERT_TRUE(og_read_school_files(0));
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_EQ(og_subject_count(), subjects + 1) << "the save is the one completed";
    EXPECT_EQ(g_structure_pair_stamp, g_description_pair_stamp);
    // The next round adds another subject to the saved school.
    og_clear_structure();
    ASSERT_TRUE(og_read_school_files(0));
  }
}

TEST_F(PairFiles, ASaveThatCannotBeCompletedRefusesTheSchoolOnceWithItsReason) {
  const std::string before = Files();
  // Killed at its first rename: both temporaries and the marker are there;
  // one temporary is lost.
  ASSERT_NO_FATAL_FAILURE(SaveKilledAt("scuola1.txt"));
  std::string lost;
  for (const std::string& name : Entries())
    if (name.rfind("scuola2.txt.~", 0) == 0) lost = name;
  ASSERT_FALSE(lost.empty());
  fs::remove(fs::path(dir_) / lost);
  const std::set<std::string> left = Entries();
  const std::string stopped[3] = {
      "L'ultimo salvataggio di questa scuola si \xE8 interrotto e non si pu\xF2 completare (un file temporaneo del "
      "salvataggio manca). La scuola non \xE8 stata caricata",
      "Das letzte Speichern dieser Schule wurde unterbrochen und kann nicht abgeschlossen werden (eine tempor\xE4re "
      "Datei des Speicherns fehlt). Die Schule wurde nicht geladen",
      "The last save of this school stopped halfway and cannot be completed (a temporary file of the save is "
      "missing). The school was not loaded"};
  for (int language : {0, 2}) {
    g_language = std::uint8_t(language);
    std::string why;
    EXPECT_FALSE(og_settle_school_folder(&why));
    EXPECT_EQ(why.rfind(stopped[language], 0), 0u) << why;
    EXPECT_EQ(why.find("La scuola non \xE8 stata caricata: nessun dato"), std::string::npos) << why;
  }
  g_language = 0;
  og_clear_structure();
  {
    kt::ui::TestDriver ui;
    ui.AnswerNextModal(kt::ui::kIdOk);
    EXPECT_FALSE(og_read_school_files(0));
    EXPECT_FALSE(og_read_school_files(0)) << "refused again";
    ASSERT_EQ(ui.boxes().size(), 1u) << "told once";
    const std::string& said = ui.boxes()[0].texts.at(0);
    EXPECT_EQ(said.rfind(stopped[0], 0), 0u) << said;
    EXPECT_EQ(said.find("nessun dato verr\xE0 salvato su questi file"), std::string::npos) << said;
    EXPECT_FALSE(og_school_loaded());
    ui.AnswerNextModal(kt::ui::kIdOk);
    EXPECT_FALSE(og_save_school_files());
    ASSERT_EQ(ui.boxes().size(), 2u);
    EXPECT_EQ(ui.boxes()[1].texts.at(0).rfind(std::string("Dati NON salvati: ") + stopped[0], 0), 0u)
        << ui.boxes()[1].texts.at(0);
  }
  EXPECT_EQ(Files(), before);
  EXPECT_EQ(Entries(), left) << "the marker and the other temporary stay";
  // The marker taken away by hand: the school reads as before the save and
  // the orphan temporary goes.
  fs::remove(fs::path(dir_) / "scuola.kt-commit");
  kt::ui::TestDriver ui;
  EXPECT_TRUE(og_read_school_files(0));
  EXPECT_TRUE(ui.boxes().empty());
  EXPECT_TRUE(og_school_loaded());
  EXPECT_EQ(Files(), before);
  EXPECT_EQ(Entries().size(), left.size() - 2);
}

TEST_F(PairFiles, ARefusedSchoolIsToldOncePerFolderWithItsNote) {
  spit(dir_ + "/scuola1.txt", std::string("\x01\x02 non e' una scuola\n", 21));
  const char* notes[3] = {
      "\n\nLa scuola non \xE8 stata caricata: nessun dato verr\xE0 salvato su questi file finch\xE9 non si sceglie "
      "una scuola i cui file si leggono.",
      "\n\nDie Schule wurde nicht geladen: nichts wird in diese Dateien gespeichert, bis eine Schule gew\xE4hlt "
      "wird, deren Dateien lesbar sind.",
      "\n\nThe school was not loaded: nothing will be saved over these files until a school whose files read is "
      "chosen."};
  og_clear_structure();
  auto told = [&](int language, const std::string& folder, int readings) {
    fs::current_path(folder);
    g_language = std::uint8_t(language);
    kt::ui::TestDriver ui;
    ui.AnswerNextModal(kt::ui::kIdOk);
    for (int r = 0; r < readings; ++r) EXPECT_FALSE(og_read_school_files(0));
    EXPECT_FALSE(og_school_loaded());
    ASSERT_EQ(ui.boxes().size(), 1u) << "told once: " << folder;
    const std::string& said = ui.boxes()[0].texts.at(0);
    const std::string note = notes[language];
    ASSERT_GT(said.size(), note.size()) << "the reader's own message first: " << said;
    EXPECT_EQ(said.substr(said.size() - note.size()), note) << said;
  };
  told(0, dir_, 3);
  // Another folder refusing alike is told again, in the language now used.
  for (int language : {1, 2}) {
    const std::string other = dir_ + "/altra" + std::to_string(language);
    fs::create_directories(other);
    fs::copy_file(fs::path(dir_) / "scuola1.txt", fs::path(other) / "scuola1.txt");
    fs::copy_file(fs::path(dir_) / "scuola2.txt", fs::path(other) / "scuola2.txt");
    told(language, other, 2);
  }
  fs::current_path(dir_);
}

}  // namespace
