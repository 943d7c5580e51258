// Saving a school's two files as one step, from the subjects page of the
// frame started on a copy of a sample school: a full disk or another write
// error changes neither file and says which file and why in the user's
// language; a save killed at any of its renames reopens as the old school or
// the new one, never a mix, and leaves nothing behind; a pair of files from
// two saves is told when read. A save that cannot be completed at the next
// opening (its marker unreadable, a rename refused, a temporary lost) keeps
// its marker and temporaries, says so, and no save writes over them until a
// later opening completes it.
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <set>

#include "edit_sequence.h"
#include "failing_reads.h"
#include "platform/system_atomic_write.h"
#include "schooldata/data_file_restore.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/school_files.h"
#include "structure/subjects_page.h"
#include "structure_page_fixture.h"

namespace {

using edit_sequence::EditSequence;
namespace fs = std::filesystem;

// The injected fault: at `step` of the file named `file`, fail with `error`,
// or end the process as a kill would when `error` is -1.
struct Fault {
  const char* file = "";
  kt::AtomicStep step = kt::AtomicStep::kWrite;
  int error = 0;
};
Fault g_fault;

int inject(kt::AtomicStep step, const std::string& target) {
  if (step != g_fault.step || !target.ends_with(g_fault.file)) return 0;
  if (g_fault.error == -1) ::_exit(9);
  return g_fault.error;
}

class SchoolPairSave : public EditSequence {
 protected:
  void TearDown() override {
    kt::set_atomic_write_fault(nullptr);
    og_set_school_file_read(nullptr);
    EditSequence::TearDown();
  }
  // A save of both files with `subject` added, in a process that dies at the
  // rename of `killed_at`, as the program killed there would.
  void SaveKilledAt(const char* killed_at, const char* subject) {
    ASSERT_NE(AddSubject(subject), nullptr);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      g_fault = {killed_at, kt::AtomicStep::kRename, -1};
      kt::set_atomic_write_fault(inject);
      og_write_school_files();
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 9) << "the save died at its rename";
    // The program that saved is gone with its unsaved model; this one starts
    // afresh (the opening reads the files again).
    og_snapshot_all();
  }
  // Opens the school from the home page as a user does; the texts of the
  // boxes it showed.
  std::vector<std::string> Open() { return kt_app_test::open_school_from_home(ui); }
  // The SALVA of the teachers page, reached although the school did not
  // load; the first box it showed.
  std::string SaveFromTeacherPage() {
    alfadlg_go_to_page(kPageProcat);
    ui.Pump();
    if (g_current_page == nullptr) return "<no page>";
    std::size_t shown = ui.boxes().size();
    ui.Click(*g_current_page, Cprocat::kSaveId);
    return ui.boxes().size() > shown ? ui.boxes()[shown].texts.at(0) : "<nothing said>";
  }
  // A subject of the ministry list (as the list shows it, cut to 20
  // characters) added on the subjects page, not saved.
  Cmaterie* AddSubject(const char* name) {
    alfadlg_go_to_page(kPageMaterie);
    auto* page = dynamic_cast<Cmaterie*>(g_current_page);
    EXPECT_NE(page, nullptr);
    if (page == nullptr) return nullptr;
    EXPECT_TRUE(ui.Select(*page, Cmaterie::kMinistryId, name)) << name;
    ui.Click(*page, Cmaterie::kAddMinistryId);
    return page;
  }
  std::string Files() const { return read(school_ / "scuola1.txt") + "\n--\n" + read(school_ / "scuola2.txt"); }
  std::set<std::string> Entries() const {
    std::set<std::string> names;
    // The first save of a copied sample logs its move in "tech_log.txt".
    for (const auto& e : fs::directory_iterator(school_)) names.insert(e.path().filename().string());
    names.erase("tech_log.txt");
    return names;
  }
  static bool HasSubject(const char* name) {
    for (int i = 0; i < og_subject_count(); ++i) {
      if (std::strncmp(g_ui_structure.subjects[i].name, name, kUiNameSize - 1) == 0) return true;
    }
    return false;
  }
  bool Said(const std::string& text) {
    for (const auto& box : ui.boxes()) {
      for (const std::string& t : box.texts) {
        if (t == text) return true;
      }
    }
    return false;
  }
};

TEST_F(SchoolPairSave, AWriteErrorChangesNeitherFileAndSaysWhichAndWhy) {
  ASSERT_NO_FATAL_FAILURE(Start("piccola"));
  const std::string before = Files();
  const std::set<std::string> entries = Entries();
  Cmaterie* page = AddSubject("A946 LCS SERBO-CROAT");
  ASSERT_NE(page, nullptr);
  struct Case {
    int language;
    Fault fault;
    const char* said;
  } cases[] = {
      {0, {"scuola2.txt", kt::AtomicStep::kWrite, ENOSPC},
       "Dati NON salvati: impossibile scrivere scuola2.txt: disco pieno"},
      {2, {"scuola1.txt", kt::AtomicStep::kSync, EIO}, "Data NOT saved: cannot write scuola1.txt: disk write error"},
      {1, {"scuola.kt-commit", kt::AtomicStep::kWrite, EDQUOT},
       "Daten NICHT gespeichert: scuola.kt-commit kann nicht geschrieben werden: Speicherplatz ersch\xF6pft (Quote)"},
  };
  kt::set_atomic_write_fault(inject);
  for (const Case& c : cases) {
    g_language = std::uint8_t(c.language);
    g_fault = c.fault;
    ui.PressInNextModal(CMessageBox::kButtonIds[0]);
    ui.Click(*page, Cmaterie::kSaveId);
    EXPECT_TRUE(Said(c.said)) << c.said;
    EXPECT_EQ(Files(), before) << c.said;
    EXPECT_EQ(Entries(), entries) << c.said << ": no temporary left";
  }
  // The pages that save the description alone say why too.
  g_language = 0;
  g_fault = {"scuola2.txt", kt::AtomicStep::kWrite, ENOSPC};
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  EXPECT_FALSE(og_save_description_file());
  EXPECT_TRUE(Said("Dati NON salvati: Impossibile scrivere scuola2.txt: disco pieno"));
  EXPECT_EQ(Files(), before);
  kt::set_atomic_write_fault(nullptr);
  ui.Click(*page, Cmaterie::kSaveId);
  EXPECT_NE(Files(), before);
  EXPECT_EQ(Entries(), entries);
  ASSERT_TRUE(og_read_school_files(0));
  EXPECT_TRUE(HasSubject("A946 LCS SERBO-CROAT"));
}

TEST_F(SchoolPairSave, ASaveKilledAtAnyRenameReopensTheOldOrTheNewSchool) {
  ASSERT_NO_FATAL_FAILURE(Start("piccola"));
  const std::set<std::string> entries = Entries();
  struct Case {
    const char* killed_at;  // the rename the process dies at
    const char* subject;
    bool new_school;
  } cases[] = {{"scuola.kt-commit", "C038 CONV. SERBO-CR", false},
               {"scuola1.txt", "A846 LSANIERA SLOVEN", true},
               {"scuola2.txt", "A946 LCS SERBO-CROAT", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.killed_at);
    const std::string structure = read(school_ / "scuola1.txt"), description = read(school_ / "scuola2.txt");
    ASSERT_NE(AddSubject(c.subject), nullptr);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      g_fault = {c.killed_at, kt::AtomicStep::kRename, -1};
      kt::set_atomic_write_fault(inject);
      og_write_school_files();
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 9) << "the save died at its rename";
    if (std::strcmp(c.killed_at, "scuola2.txt") == 0) {
      // What the kill left: the new structure beside the old description.
      EXPECT_NE(read(school_ / "scuola1.txt"), structure);
      EXPECT_EQ(read(school_ / "scuola2.txt"), description);
    }
    ASSERT_TRUE(og_read_school_files(0));
    EXPECT_EQ(HasSubject(c.subject), c.new_school);
    EXPECT_EQ(read(school_ / "scuola1.txt") != structure, c.new_school);
    EXPECT_EQ(read(school_ / "scuola2.txt") != description, c.new_school);
    EXPECT_EQ(g_structure_pair_stamp, g_description_pair_stamp);
    EXPECT_EQ(Entries(), entries) << "the marker and every temporary are gone";
    loader_test::Outcome synt = loader_test::run_synt(read(school_ / "scuola2.txt"));
    EXPECT_EQ(synt.code, 0) << synt.message;
  }
  EXPECT_TRUE(ui.boxes().empty()) << "a completed save needs no word to the user";
}

TEST_F(SchoolPairSave, APairFromTwoSavesIsToldWhenRead) {
  ASSERT_NO_FATAL_FAILURE(Start("piccola"));
  ASSERT_TRUE(og_save_school_files());
  const std::string earlier = read(school_ / "scuola2.txt");
  Cmaterie* page = AddSubject("C032 CONV. INGLESE");
  ASSERT_NE(page, nullptr);
  ui.Click(*page, Cmaterie::kSaveId);
  ASSERT_TRUE(og_read_school_files(0));
  EXPECT_TRUE(ui.boxes().empty());
  std::ofstream(school_ / "scuola2.txt", std::ios::binary) << earlier;
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ASSERT_TRUE(og_read_school_files(0));
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.front().rfind("Attenzione: scuola1.txt e scuola2.txt di questa cartella non vengono "
                                               "dallo stesso salvataggio", 0),
            0u);
}

TEST_F(SchoolPairSave, ASaveThatCannotBeCompletedKeepsItsFilesAndRefusesEverySave) {
  ASSERT_NO_FATAL_FAILURE(Start("piccola"));
  const std::set<std::string> clean = Entries();
  ASSERT_NO_FATAL_FAILURE(SaveKilledAt("scuola2.txt", "A846 LSANIERA SLOVEN"));
  // The new structure beside the old description, the marker and the
  // description's temporary: what the next opening must finish.
  const std::string mixed = Files();
  const std::set<std::string> left = Entries();
  ASSERT_EQ(left.size(), clean.size() + 2);
  ASSERT_TRUE(left.count("scuola.kt-commit"));
  const std::string kStopped = "L'ultimo salvataggio di questa scuola si \xE8 interrotto e non si pu\xF2 completare (";
  struct Case {
    const char* id;
    void (*fault)();
    const char* reason;
  } cases[] = {
      {"the marker does not read",
       [] {
         FailingFile::name = "scuola.kt-commit";
         FailingFile::after = 12;
         FailingFile::served = 0;
         og_set_school_file_read(FailingFile::read);
       },
       "Errore di lettura del file "},
      {"the description's rename is refused",
       [] {
         g_fault = {"scuola2.txt", kt::AtomicStep::kRename, EACCES};
         kt::set_atomic_write_fault(inject);
       },
       "(accesso negato)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    // Twice: a second opening must not take the save for done either.
    for (int opening = 0; opening < 2; ++opening) {
      c.fault();
      std::vector<std::string> said = Open();
      // Said at the first opening; the program does not repeat a refusal it
      // told for this folder until the school reads again.
      ASSERT_EQ(said.size(), opening == 0 ? 1u : 0u);
      if (opening == 0) {
        EXPECT_EQ(said[0].rfind(kStopped, 0), 0u) << said[0];
        EXPECT_NE(said[0].find(c.reason), std::string::npos) << said[0];
        EXPECT_NE(said[0].find("si riprova a ogni apertura"), std::string::npos) << said[0];
      }
      EXPECT_EQ(g_current_page, &g_home_page);
      EXPECT_FALSE(og_school_loaded());
      EXPECT_FALSE(HasSubject("A846 LSANIERA SLOVEN")) << "no half of the save is shown";
      // Every save refuses and names the save to finish.
      std::string refused = SaveFromTeacherPage();
      EXPECT_EQ(refused.rfind(std::string("Dati NON salvati: ") + kStopped, 0), 0u) << refused;
      EXPECT_FALSE(og_save_school_files());
      EXPECT_FALSE(og_save_description_file());
      EXPECT_EQ(og_write_structure_file(), -1);
      EXPECT_EQ(Files(), mixed);
      EXPECT_EQ(Entries(), left) << "the marker and the temporary stay";
      kt::set_atomic_write_fault(nullptr);
      og_set_school_file_read(nullptr);
    }
  }
  // A disk that reads again: the opening completes the save, silently.
  EXPECT_TRUE(Open().empty());
  EXPECT_EQ(g_current_page, &g_config_menu);
  EXPECT_TRUE(og_school_loaded());
  EXPECT_TRUE(HasSubject("A846 LSANIERA SLOVEN"));
  EXPECT_EQ(g_structure_pair_stamp, g_description_pair_stamp);
  EXPECT_NE(Files(), mixed);
  EXPECT_EQ(Entries(), clean);
  loader_test::Outcome synt = loader_test::run_synt(read(school_ / "scuola2.txt"));
  EXPECT_EQ(synt.code, 0) << synt.message;
}

TEST_F(SchoolPairSave, ASaveWhoseTemporaryIsLostIsNeverTakenForDone) {
  ASSERT_NO_FATAL_FAILURE(Start("piccola"));
  const std::string before = Files();
  // Killed before its first rename: both temporaries are there; one is lost.
  ASSERT_NO_FATAL_FAILURE(SaveKilledAt("scuola1.txt", "C038 CONV. SERBO-CR"));
  ASSERT_EQ(Files(), before);
  std::string lost;
  for (const std::string& name : Entries()) {
    if (name.rfind("scuola2.txt.~", 0) == 0) lost = name;
  }
  ASSERT_FALSE(lost.empty());
  fs::remove(school_ / lost);
  const std::set<std::string> left = Entries();
  for (int opening = 0; opening < 2; ++opening) {
    std::vector<std::string> said = Open();
    ASSERT_EQ(said.size(), opening == 0 ? 1u : 0u);  // told once
    if (opening == 0) {
      EXPECT_NE(said[0].find("(un file temporaneo del salvataggio manca)"), std::string::npos) << said[0];
    }
    EXPECT_FALSE(og_school_loaded());
    EXPECT_EQ(Files(), before) << "the structure's temporary is not renamed over it";
    EXPECT_EQ(Entries(), left);
  }
  // Nothing can finish it; once the marker is taken away by hand, the school
  // opens as it was before the save, and the orphan temporary goes.
  fs::remove(school_ / "scuola.kt-commit");
  EXPECT_TRUE(Open().empty());
  EXPECT_TRUE(og_school_loaded());
  EXPECT_FALSE(HasSubject("C038 CONV. SERBO-CR"));
  EXPECT_EQ(Files(), before);
  EXPECT_EQ(Entries().size(), left.size() - 2);
}

// A folder restored from a copy while its save waits to be completed: the
// restored files are newer than the save, which is dropped with a word.
TEST_F(SchoolPairSave, FilesRestoredOverAnUnfinishedSaveStayAsRestored) {
  ASSERT_NO_FATAL_FAILURE(Start("piccola"));
  const std::set<std::string> clean = Entries();
  fs::path copy = school_.parent_path() / "copia";
  fs::create_directories(copy);
  for (const char* file : {"scuola1.txt", "scuola2.txt"}) fs::copy_file(school_ / file, copy / file);
  ASSERT_NO_FATAL_FAILURE(SaveKilledAt("scuola2.txt", "A846 LSANIERA SLOVEN"));
  FailingFile::name = "scuola.kt-commit";
  FailingFile::after = 0;
  FailingFile::served = 0;
  og_set_school_file_read(FailingFile::read);
  ASSERT_EQ(Open().size(), 1u);
  EXPECT_FALSE(og_school_loaded());
  og_set_school_file_read(nullptr);
  DataFileDialogue yes;
  yes.ask_yes_no = [](const std::string&) { return true; };
  ASSERT_EQ(data_file_restore_to_working(copy.string(), school_.string(), yes, 0), DataFileOutcome::kRestored);
  std::vector<std::string> said = Open();
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0].rfind("Un salvataggio di questa scuola interrotto in precedenza non \xE8 stato completato", 0), 0u)
      << said[0];
  EXPECT_EQ(g_current_page, &g_config_menu);
  EXPECT_FALSE(HasSubject("A846 LSANIERA SLOVEN"));
  EXPECT_EQ(read(school_ / "scuola1.txt"), read(copy / "scuola1.txt"));
  EXPECT_EQ(read(school_ / "scuola2.txt"), read(copy / "scuola2.txt"));
  EXPECT_EQ(Entries(), clean);
}

}  // namespace
