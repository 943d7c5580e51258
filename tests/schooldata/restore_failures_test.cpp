// A restore of a found copy that cannot be done says why, in the user's
// language, and goes no further: a file of the working folder that cannot be
// replaced is named; a disk full half way through the copy changes no file; a pen's copy whose folder cannot be made on the disk
// names that folder; nothing chosen, or the folder in use, is refused alike
// from the pen.
#include "schooldata/data_file_restore.h"

#include <cerrno>

#include "platform/system_atomic_write.h"
#include "search_test_support.h"

namespace {

using namespace kt_search_test;

struct Told {
  std::vector<std::string> asked, told;
  DataFileDialogue dialogue() {
    DataFileDialogue d;
    d.ask_yes_no = [this](const std::string& t) {
      asked.push_back(t);
      return true;
    };
    d.tell = [this](const std::string& t) { told.push_back(t); };
    d.choose_data_folder = [](const std::string&, const std::string&) { return 0; };
    return d;
  }
};

class RestoreFailures : public SearchFolders {};

TEST_F(RestoreFailures, AFileThatCannotBeReplacedIsNamed) {
  std::string work = drive_ + "/KestrinTempusDati/work", copy = drive_ + "/old/copy";
  for (const char* name : {"scuola1.txt", "scuola2.txt", "savego.txt"}) file(copy + "/" + name, std::string("C") + name);
  file(work + "/scuola1.txt", "Wscuola1.txt");
  fs::create_directories(work + "/scuola2.txt");  // its place taken by a folder
  const char* said[3] = {"Errore nella copia di [scuola2.txt]: i file precedenti sono rimasti invariati",
                         "Fehler beim Kopieren von [scuola2.txt]: die bisherigen Dateien sind unver\xE4ndert",
                         "Error copying [scuola2.txt]: the previous files are unchanged"};
  for (int language = 0; language < 3; ++language) {
    Told t;
    EXPECT_EQ(data_file_restore_to_working(copy, work, t.dialogue(), language), DataFileOutcome::kFailed);
    ASSERT_EQ(t.told.size(), 1u) << language;
    EXPECT_EQ(t.told[0], said[language]);
    EXPECT_TRUE(fs::is_directory(work + "/scuola2.txt"));
    EXPECT_FALSE(fs::exists(work + "/savego.txt")) << "the copy stops at the failure";
  }
}

TEST_F(RestoreFailures, APensCopyWhoseFolderCannotBeMadeNamesIt) {
  std::string selected = pen_ + "/Copia_Dati_Orario/liceo";
  for (const char* name : {"scuola1.txt", "scuola2.txt"}) file(selected + "/" + name, std::string("P") + name);
  file(drive_ + "/KestrinTempusDati", "un file al posto della cartella");
  Told t;
  std::string now_current = "unchanged";
  EXPECT_EQ(data_file_restore_from_pen(selected, pen_, drive_ + "/KestrinTempusDati/altra", true, t.dialogue(), 2,
                                       &now_current),
            DataFileOutcome::kFailed);
  ASSERT_EQ(t.told.size(), 1u);
  EXPECT_EQ(t.told[0], "Error creating [" + drive_ + "/KestrinTempusDati/liceo]");
  EXPECT_EQ(now_current, "unchanged");
  EXPECT_TRUE(t.asked.empty());

  const char* select_first[3] = {"Selezionare una Cartella / Scuola prima di procedere",
                                 "W\xE4hlen Sie einen Ordner / Schule, bevor Sie fortfahren",
                                 "Select a Folder / School before proceeding"};
  const char* other[3] = {"Scegliere una cartella diversa da quella in uso",
                          "W\xE4hlen Sie eine andere als die im Einsatz Ordner", "Choose a folder other than the one in use"};
  for (int language = 0; language < 3; ++language) {
    Told none;
    EXPECT_EQ(data_file_restore_from_pen("", pen_, selected, false, none.dialogue(), language, &now_current),
              DataFileOutcome::kNothingSelected);
    EXPECT_EQ(data_file_restore_from_pen(selected + "/", pen_, selected, false, none.dialogue(), language, &now_current),
              DataFileOutcome::kSameFolder);
    EXPECT_EQ(none.told, (std::vector<std::string>{select_first[language], other[language]}));
  }
}

int g_full_at = 0;  // the disk fills while this file of the copy is written
const char* g_full_name = "";
int full_disk(kt::AtomicStep step, const std::string& target) {
  return g_full_at && step == kt::AtomicStep::kWrite && target.ends_with(g_full_name) ? ENOSPC : 0;
}

// The disk full while a later file of the copy is written: the message says
// the files in use are unchanged, and so they are, every one; the school is
// never left with files of two different copies.
TEST_F(RestoreFailures, ADiskFullHalfWayChangesNoFile) {
  std::string work = drive_ + "/KestrinTempusDati/work", copy = drive_ + "/old/copy";
  for (const char* name : {"scuola1.txt", "scuola2.txt", "savego.txt"}) {
    file(copy + "/" + name, std::string("C") + name);
    file(work + "/" + name, std::string("W") + name);
  }
  kt::set_atomic_write_fault(full_disk);
  for (const char* full : {"work/scuola2.txt", "work/savego.txt"}) {
    g_full_at = 1;
    g_full_name = full;
    Told t;
    EXPECT_EQ(data_file_restore_to_working(copy, work, t.dialogue(), 0), DataFileOutcome::kFailed) << full;
    ASSERT_EQ(t.told.size(), 1u) << full;
    EXPECT_EQ(t.told[0].rfind("Errore nella copia di [", 0), 0u) << t.told[0];
    EXPECT_NE(t.told[0].find("i file precedenti sono rimasti invariati"), std::string::npos) << t.told[0];
    for (const char* name : {"scuola1.txt", "scuola2.txt", "savego.txt"})
      EXPECT_EQ(read(work + "/" + name), std::string("W") + name) << full << ": " << name;
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(work)) left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"savego.txt", "scuola1.txt", "scuola2.txt"})) << "no temporary left";
  }
  g_full_at = 0;
  kt::set_atomic_write_fault(nullptr);
  Told t;
  EXPECT_EQ(data_file_restore_to_working(copy, work, t.dialogue(), 0), DataFileOutcome::kRestored);
  for (const char* name : {"scuola1.txt", "scuola2.txt", "savego.txt"})
    EXPECT_EQ(read(work + "/" + name), std::string("C") + name) << name;
}

}  // namespace
