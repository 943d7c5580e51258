// Restoring a found copy and deleting a copy from the pen: the questions
// asked, the files copied, the data files of later work set aside, the
// folders a deletion never touches.
#include "schooldata/data_file_restore.h"

#include <algorithm>
#include <climits>

#include "search_test_support.h"

namespace {

using namespace kt_search_test;

struct Answers {
  std::vector<std::string> asked, told;
  std::vector<bool> replies;  // in order; missing replies are Yes
  int chooser = 0;
  bool chooser_called = false;
  DataFileDialogue dialogue() {
    DataFileDialogue d;
    d.ask_yes_no = [this](const std::string& t) {
      asked.push_back(t);
      return asked.size() <= replies.size() ? bool(replies[asked.size() - 1]) : true;
    };
    d.tell = [this](const std::string& t) { told.push_back(t); };
    d.choose_data_folder = [this](const std::string&, const std::string&) {
      chooser_called = true;
      return chooser;
    };
    return d;
  }
};

const char* kAllFiles[] = {"scuola1.txt", "scuola2.txt", "scuola3.txt", "scuola3P.txt", "savego.txt",
                           "saveprov.txt", "assenze.txt", "ricevi.txt", "cattPROV.txt"};

class SearchRestore : public SearchFolders {
 protected:
  void school(const std::string& folder, const std::string& tag, std::time_t when = 1700000000) {
    for (const char* name : kAllFiles) file(folder + "/" + name, tag + name, when);
  }
  std::vector<std::string> present(const std::string& folder, const std::string& tag) {
    std::vector<std::string> out;
    for (const char* name : kAllFiles)
      if (read(folder + "/" + name) == tag + name) out.push_back(name);
    return out;
  }
};

TEST_F(SearchRestore, ToWorkingFolderCopiesEightFiles) {
  std::string work = drive_ + "/KestrinTempusDati/work", copy = drive_ + "/old/copy";
  school(work, "W");
  school(copy, "C");
  Answers a;
  EXPECT_EQ(data_file_restore_to_working("", work, a.dialogue(), 2), DataFileOutcome::kNothingSelected);
  EXPECT_EQ(a.told.back(), "Select a Folder / School before proceeding");
  EXPECT_EQ(data_file_restore_to_working(work + "/", work, a.dialogue(), 2), DataFileOutcome::kSameFolder);
  EXPECT_EQ(a.told.back(), "Choose a folder other than the one in use");
  a.replies = {false};
  EXPECT_EQ(data_file_restore_to_working(copy, work, a.dialogue(), 0), DataFileOutcome::kCancelled);
  EXPECT_EQ(a.asked.back(), "Sicuro di ricoprire la configurazione esistente?");
  EXPECT_EQ(present(work, "C"), std::vector<std::string>{});
  a.replies.clear();
  a.asked.clear();
  EXPECT_EQ(data_file_restore_to_working(copy, work, a.dialogue(), 0), DataFileOutcome::kRestored);
  EXPECT_EQ(a.asked.size(), 1u);
  EXPECT_EQ(present(work, "C"), (std::vector<std::string>{"scuola1.txt", "scuola2.txt", "scuola3.txt", "scuola3P.txt",
                                                          "savego.txt", "saveprov.txt", "assenze.txt", "ricevi.txt"}));
  // The provisional description the copy did not give is set aside.
  EXPECT_EQ(present(work, "W"), std::vector<std::string>{});
  EXPECT_EQ(read(work + "/Prima del ripristino/cattPROV.txt"), "WcattPROV.txt");
  EXPECT_EQ(a.told.back(),
            "I file di dati di un lavoro successivo alla copia ripristinata (cattPROV.txt) sono stati spostati nella "
            "sottocartella [Prima del ripristino] della scuola.");
}

// A file of later work that cannot be moved (here its new path would be
// longer than a path may be) is named with the reason; the copy's files
// are in place all the same and the restore is done, the files that could
// be moved are set aside, and the one left is still whole.
TEST_F(SearchRestore, AFileOfLaterWorkThatCannotBeMovedIsNamed) {
  std::string work = drive_ + "/KestrinTempusDati/";
  const std::size_t length = PATH_MAX - 40;  // room for the restore's temporaries, not for the longest move
  while (work.size() < length) work += std::string(std::min<std::size_t>(200, length - work.size()), 'w') + "/";
  work.pop_back();
  ASSERT_EQ(work.size(), length);
  std::string copy = drive_ + "/old/copy";
  file(copy + "/scuola2.txt", "copia");
  file(work + "/scuola2.txt", "nuova");
  file(work + "/savego.txt", "orario dopo");
  file(work + "/savego_precedente.txt", "orario messo da parte");
  Answers a;
  EXPECT_EQ(data_file_restore_to_working(copy, work, a.dialogue(), 2), DataFileOutcome::kRestored);
  EXPECT_EQ(read(work + "/scuola2.txt"), "copia");
  EXPECT_EQ(read(work + "/Prima del ripristino/savego.txt"), "orario dopo");
  EXPECT_EQ(read(work + "/savego_precedente.txt"), "orario messo da parte");
  ASSERT_EQ(a.told.size(), 1u);
  EXPECT_NE(a.told[0].find("(savego.txt) were moved into the sub-folder [Prima del ripristino]"), std::string::npos)
      << a.told[0];
  EXPECT_NE(a.told[0].find("The file [savego_precedente.txt] of work later than the restored copy could not be moved ("),
            std::string::npos)
      << a.told[0];
}

TEST(SearchPenTarget, Table) {
  struct Case {
    const char* id;
    const char* selected;
    const char* want;
  } cases[] = {
      {"backup", "/media/u/PEN/Copia_Dati_Orario/liceo", "/home/u/KestrinTempusDati/liceo"},
      {"backup-slash", "/media/u/PEN/Copia_Dati_Orario/liceo/", "/home/u/KestrinTempusDati/liceo"},
      {"backup-case", "/media/u/PEN/COPIA_DATI_ORARIO/a/b", "/home/u/KestrinTempusDati/a/b"},
      {"elsewhere", "/media/u/PEN/scuole/liceo", "/home/u/scuole/liceo"},
      {"name-inside", "/media/u/PEN/xCopia_Dati_Orario/a", "/home/u/xCopia_Dati_Orario/a"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(data_file_pen_target(c.selected, "/media/u/PEN", "/home/u/"), c.want) << c.id;
}

TEST_F(SearchRestore, FromPenAsksTwiceOnlyWhenDiskIsNewer) {
  std::string copy = pen_ + "/Copia_Dati_Orario/liceo", target = drive_ + "/KestrinTempusDati/liceo";
  struct Case {
    const char* id;
    std::time_t disk_time;
    std::vector<bool> replies;
    std::size_t questions;
    DataFileOutcome outcome;
  } cases[] = {
      {"equal-times", 1700000000, {}, 1, DataFileOutcome::kRestored},
      {"disk-newer", 1700000060, {}, 2, DataFileOutcome::kRestored},
      {"disk-newer-no", 1700000060, {true, false}, 2, DataFileOutcome::kCancelled},
      {"first-no", 1700000000, {false}, 1, DataFileOutcome::kCancelled},
      {"disk-older", 1600000000, {}, 1, DataFileOutcome::kRestored},
  };
  for (const Case& c : cases) {
    fs::remove_all(target);
    school(copy, "P", 1700000000);
    school(target, "D", c.disk_time);
    Answers a;
    a.replies = c.replies;
    std::string now;
    fs::current_path(drive_);
    EXPECT_EQ(data_file_restore_from_pen(copy, pen_, drive_ + "/KestrinTempusDati", true, a.dialogue(), 2, &now),
              c.outcome)
        << c.id;
    EXPECT_EQ(a.asked.size(), c.questions) << c.id;
    if (c.questions == 2) {
      EXPECT_EQ(a.asked[1].substr(0, 8), "CAUTION:") << c.id;
    }
    EXPECT_FALSE(a.chooser_called) << c.id;
    if (c.outcome == DataFileOutcome::kRestored) {
      EXPECT_EQ(now, target) << c.id;
      EXPECT_EQ(fs::current_path().string(), target) << c.id;
      EXPECT_EQ(present(target, "P"), (std::vector<std::string>{"scuola1.txt", "scuola2.txt", "scuola3.txt",
                                                                "savego.txt", "saveprov.txt", "assenze.txt",
                                                                "ricevi.txt"}))
          << c.id;
      EXPECT_EQ(present(target, "D"), std::vector<std::string>{}) << c.id;
      EXPECT_EQ(read(target + "/Prima del ripristino/scuola3P.txt"), "Dscuola3P.txt") << c.id;
      EXPECT_EQ(read(target + "/Prima del ripristino/cattPROV.txt"), "DcattPROV.txt") << c.id;
    } else {
      EXPECT_EQ(present(target, "P"), std::vector<std::string>{}) << c.id;
    }
  }
}

TEST_F(SearchRestore, FromPenIntoNewFolderAsksNothing) {
  std::string copy = pen_ + "/Copia_Dati_Orario/nuova";
  school(copy, "P");
  Answers a;
  std::string now;
  EXPECT_EQ(data_file_restore_from_pen(copy, pen_, drive_ + "/KestrinTempusDati", true, a.dialogue(), 0, &now),
            DataFileOutcome::kRestored);
  EXPECT_TRUE(a.asked.empty());
  EXPECT_EQ(now, drive_ + "/KestrinTempusDati/nuova");
  EXPECT_EQ(read(now + "/scuola2.txt"), "Pscuola2.txt");
}

TEST_F(SearchRestore, FromPenChooserDecides) {
  std::string copy = pen_ + "/Copia_Dati_Orario/liceo", work = drive_ + "/KestrinTempusDati/altra";
  school(copy, "P");
  school(work, "W");
  Answers a;
  a.chooser = -1;
  std::string now;
  EXPECT_EQ(data_file_restore_from_pen(copy, pen_, work, false, a.dialogue(), 0, &now), DataFileOutcome::kCancelled);
  EXPECT_TRUE(a.chooser_called);
  EXPECT_FALSE(fs::exists(drive_ + "/KestrinTempusDati/liceo"));
  a.chooser = 11;
  EXPECT_EQ(data_file_restore_from_pen(copy, pen_, work, false, a.dialogue(), 0, &now), DataFileOutcome::kRestored);
  EXPECT_EQ(now, work);
  EXPECT_EQ(read(work + "/scuola1.txt"), "Pscuola1.txt");
  EXPECT_FALSE(fs::exists(drive_ + "/KestrinTempusDati/liceo"));
}

TEST_F(SearchRestore, DeleteMovesBackupsAndRemovesOthers) {
  std::string backup = pen_ + "/Copia_Dati_Orario/liceo", other = pen_ + "/mie/scuola";
  school(backup, "P");
  school(other, "O");
  Answers a;
  a.replies = {false};
  EXPECT_EQ(data_file_delete_copy(backup, pen_, drive_, a.dialogue(), 2), DataFileOutcome::kCancelled);
  EXPECT_NE(a.asked[0].find("[" + backup + "]"), std::string::npos);
  EXPECT_TRUE(fs::exists(backup + "/scuola2.txt"));
  a.replies.clear();
  EXPECT_EQ(data_file_delete_copy(backup, pen_, drive_, a.dialogue(), 2), DataFileOutcome::kDeleted);
  EXPECT_FALSE(fs::exists(backup));
  EXPECT_EQ(read(pen_ + "/Copia_Dati_DELETE/liceo/scuola2.txt"), "Pscuola2.txt");
  EXPECT_EQ(data_file_delete_copy(other, pen_, drive_, a.dialogue(), 2), DataFileOutcome::kDeleted);
  EXPECT_FALSE(fs::exists(other));
  EXPECT_TRUE(fs::exists(pen_ + "/mie"));
  // A second copy of the same name: the moved one is there, so it is removed.
  school(backup, "Q");
  EXPECT_EQ(data_file_delete_copy(backup, pen_, drive_, a.dialogue(), 2), DataFileOutcome::kDeleted);
  EXPECT_FALSE(fs::exists(backup));
  EXPECT_EQ(read(pen_ + "/Copia_Dati_DELETE/liceo/scuola2.txt"), "Pscuola2.txt");
}

TEST_F(SearchRestore, DeleteRefusesRootsAndTheWorkingFolder) {
  std::string copy = pen_ + "/Copia_Dati_Orario/liceo";
  school(copy, "P");
  Answers a;
  EXPECT_EQ(data_file_delete_copy(pen_, pen_, drive_, a.dialogue(), 0), DataFileOutcome::kFailed);
  EXPECT_EQ(data_file_delete_copy(drive_ + "/x", pen_, drive_, a.dialogue(), 0), DataFileOutcome::kFailed);
  EXPECT_EQ(data_file_delete_copy(copy, pen_, copy + "/", a.dialogue(), 0), DataFileOutcome::kFailed);
  EXPECT_EQ(data_file_delete_copy(pen_ + "/Copia_Dati_Orario", pen_, copy, a.dialogue(), 0), DataFileOutcome::kFailed);
  EXPECT_EQ(data_file_delete_copy("", pen_, drive_, a.dialogue(), 0), DataFileOutcome::kNothingSelected);
  EXPECT_TRUE(a.asked.empty());
  EXPECT_EQ(a.told.size(), 4u);
  EXPECT_TRUE(fs::exists(copy + "/scuola2.txt"));
}

}  // namespace
