// The archive dialog from the home page of the running program: the school
// archived to a zip in a folder picked in the chooser and restored from it
// over the damaged school (after asking), into a new folder from the data
// root, and never from a damaged or hostile archive, which leaves every
// file of the drive as it was; the cloud says it is not available.
#include <gtest/gtest.h>

#include <algorithm>

#include "remote/school_archive.h"
#include "remote_test_support.h"
#include "schooldata/school_files.h"
#include "schooldata/ui_school_model.h"
#include "schooldata/zip_test_support.h"
#include "shell/home_page.h"

namespace {

using namespace kt_remote_test;
using kt_zip_test::ZipItem;
using kt_zip_test::write_zip;

class ArchiveProgram : public RemoteProgram {
 protected:
  // The one archive the folder holds.
  static fs::path only_zip(const fs::path& folder) {
    std::vector<fs::path> zips;
    for (const auto& e : fs::directory_iterator(folder))
      if (e.path().extension() == ".zip") zips.push_back(e.path());
    EXPECT_EQ(zips.size(), 1u);
    return zips.empty() ? fs::path() : zips.front();
  }
  // Archives the open school into "\\archivi" through the dialog; the archive's path.
  fs::path ArchiveSchool() {
    fs::create_directories(root_ / "archivi");
    answers_.push_back("\\archivi");
    std::string said;
    InArchiveDialog([&](Dialog& d) {
      AnswerBox(&said);
      ui.Click(d, Carchivio::kArchiveId);
    });
    EXPECT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_NE(said.find("Archivio della scuola creato"), std::string::npos) << said;
    return only_zip(root_ / "archivi");
  }
};

TEST_F(ArchiveProgram, ArchivedSchoolComesBackOverTheDamagedOneAfterAsking) {
  fs::create_directories(school() / "Orario");
  write(school() / "Orario" / "Orario Classi.txt", "una stampa\n");
  const auto original = folder_files(school());
  Run([&] {
    fs::path zip = ArchiveSchool();
    ASSERT_FALSE(zip.empty());
    EXPECT_EQ(asked_kinds_, std::vector<int>{0});
    EXPECT_EQ(zip.filename().string().rfind("piccola_", 0), 0u) << zip;
    EXPECT_FALSE(fs::exists(zip.string() + ".~" + std::to_string(::getpid()) + "-0"));

    // The school is damaged; a first restore is refused by the user and
    // changes nothing, the second puts every file back.
    write(school() / "scuola2.txt", "REM:rovinata");
    fs::remove(school() / "Orario" / "Orario Classi.txt");
    write(school() / "appunti.txt", "miei appunti\n");
    const auto damaged = folder_files(school());
    std::string asked, restored;
    answers_.push_back("\\archivi\\" + zip.filename().string());
    InArchiveDialog([&](Dialog& d) {
      AnswerBox(&asked, kIdNo);
      ui.Click(d, Carchivio::kRestoreId);
    });
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_NE(asked.find("[piccola]"), std::string::npos) << asked;
    EXPECT_EQ(folder_files(school()), damaged);

    answers_.push_back("\\archivi\\" + zip.filename().string());
    InArchiveDialog([&](Dialog& d) {
      AnswerBox(nullptr, kIdYes);
      AnswerBox(&restored);
      InArchiveDialog([](Dialog&) {});  // run again for the school now current
      ui.Click(d, Carchivio::kRestoreId);
    });
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_NE(restored.find("Scuola ripristinata nella cartella [piccola]"), std::string::npos) << restored;
    auto expected = original;
    expected["appunti.txt"] = "miei appunti\n";  // a file of the user's own stays
    EXPECT_EQ(folder_files(school()), expected);
    EXPECT_EQ(modes_, (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(og_current_folder_path(), "\\KestrinTempusDati\\piccola");
    EXPECT_TRUE(og_school_read_in_current_folder());
  });
}

// From the data root (the cloud code not given) the dialog cannot archive,
// but restores a school into a new folder named by the archive, which then
// becomes the current school; the status file says so.
TEST_F(ArchiveProgram, RestoreFromTheDataRootMakesTheSchoolFolder) {
  const auto original = folder_files(school());
  Run([&] {
    fs::path zip = ArchiveSchool();
    ASSERT_FALSE(zip.empty());
    fs::rename(school(), data_root() / "vecchia");
    ASSERT_TRUE(og_set_current_folder(g_data_root));
    ui.AnswerNextModal(kIdCancel);  // the cloud code is not given
    answers_.push_back("\\archivi\\" + zip.filename().string());
    bool could_archive = true;
    std::string restored;
    InArchiveDialog([&](Dialog& d) {
      could_archive = ui.IsEnabled(d, Carchivio::kArchiveId);
      AnswerBox(&restored);  // no question: the folder is new
      InArchiveDialog([](Dialog&) {});
      ui.Click(d, Carchivio::kRestoreId);
    });
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_FALSE(could_archive);
    EXPECT_NE(restored.find("[piccola]"), std::string::npos) << restored;
    EXPECT_EQ(folder_files(school()), original);
    EXPECT_EQ(modes_, (std::vector<int>{0, 2, 0}));
    EXPECT_EQ(og_current_folder_path(), "\\KestrinTempusDati\\piccola");
    for (const auto& e : fs::directory_iterator(data_root()))
      EXPECT_EQ(e.path().filename().string().find(".ripristino"), std::string::npos) << e.path();
  });
  EXPECT_NE(read(data_root() / "plenixstatus.txt").size(), 0u);
}

// Archives that are damaged, hostile or not a school's are refused with a
// message that says why, and every file of the drive stays as it was.
TEST_F(ArchiveProgram, DamagedOrHostileArchivesAreRefusedAndChangeNothing) {
  const std::string school2 = read(school() / "scuola2.txt");
  ZipItem link("piccola/collegamento", "/etc/passwd", 3, 0xA1FF0000u);
  struct Case {
    const char* id;
    std::vector<ZipItem> items;  // empty: the bytes below instead
    std::string bytes;
    const char* said;
  };
  std::vector<Case> cases = {
      {"climb", {{"piccola/scuola2.txt", school2}, {"piccola/../../fuori.txt", "x"}}, "", "porta fuori dalla cartella della scuola"},
      {"absolute", {{"/tmp/piccola/scuola2.txt", school2}}, "", "porta fuori dalla cartella della scuola"},
      {"drive", {{"C:piccola/scuola2.txt", school2}}, "", "porta fuori dalla cartella della scuola"},
      {"link", {{"piccola/scuola2.txt", school2}, link}, "", "collegamento"},
      {"marker", {{"piccola/scuola2.txt", school2}, {"piccola/scuola.kt-commit", "x"}}, "", "non appartiene"},
      {"twice", {{"piccola/scuola2.txt", school2}, {"piccola/SCUOLA2.TXT", "REM:altra"}}, "", "due volte"},
      {"no school", {{"piccola/appunti.txt", "x"}}, "", "manca scuola2.txt"},
      {"not a zip", {}, "questo non e' un archivio", "Impossibile aprire l'archivio"},
      {"cut short", {}, "", "Impossibile aprire l'archivio"},
  };
  // A whole archive cut in half, and one whose data do not match their CRC.
  write_zip((root_ / "whole.zip").string(), {{"piccola/scuola2.txt", school2}});
  std::string whole = read(root_ / "whole.zip");
  cases[8].bytes = whole.substr(0, whole.size() / 2);
  std::string corrupt = whole;
  corrupt[100] ^= 0x55;  // inside the deflated data of the only entry (after its 49-byte header)
  cases.push_back({"corrupt", {}, corrupt, "danneggiato"});

  Run([&] {
    const auto before = folder_files(root_);
    for (const Case& c : cases) {
      fs::path zip = root_ / "ostile.zip";
      if (!c.items.empty()) write_zip(zip.string(), c.items);
      else write(zip, c.bytes);
      auto files = folder_files(root_);
      answers_.push_back("\\ostile.zip");
      std::string said;
      InArchiveDialog([&](Dialog& d) {
        AnswerBox(&said);
        ui.Click(d, Carchivio::kRestoreId);
      });
      ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive)) << c.id;
      EXPECT_NE(said.find(c.said), std::string::npos) << c.id << ": " << said;
      EXPECT_EQ(folder_files(root_), files) << c.id;
      EXPECT_FALSE(fs::exists(root_ / "fuori.txt")) << c.id;
      EXPECT_FALSE(fs::exists("/tmp/piccola/scuola2.txt")) << c.id;
      fs::remove(zip);
    }
    EXPECT_EQ(folder_files(root_), before);
    EXPECT_EQ(ui.PendingSteps(), 0u);
  });
}

// An archive is never written inside the school it holds, the chooser's
// cancel does nothing, and the cloud says it is not available.
TEST_F(ArchiveProgram, ArchiveRefusesTheSchoolFolderAndTheCloudIsNotAvailable) {
  Run([&] {
    const auto before = folder_files(root_);
    answers_.push_back("\\KestrinTempusDati\\piccola\\Orario");
    fs::create_directories(school() / "Orario");
    std::string inside, cloud_save, cloud_restore;
    InArchiveDialog([&](Dialog& d) {
      AnswerBox(&inside);
      ui.Click(d, Carchivio::kArchiveId);
      ui.Click(d, Carchivio::kArchiveId);  // the chooser cancelled: nothing said
      AnswerBox(&cloud_save);
      ui.Click(d, Carchivio::kCloudSaveId);
      AnswerBox(&cloud_restore);
      ui.Click(d, Carchivio::kCloudRestoreId);
    });
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_NE(inside.find("fuori dalla cartella della scuola"), std::string::npos) << inside;
    EXPECT_NE(cloud_save.find("non \xE8 disponibile"), std::string::npos) << cloud_save;
    EXPECT_EQ(cloud_save, cloud_restore);
    EXPECT_EQ(asked_kinds_, (std::vector<int>{0, 0}));
    fs::remove(school() / "Orario");
    EXPECT_EQ(folder_files(root_), before);
  });
}

}  // namespace
