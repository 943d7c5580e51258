// The archive dialog from the home page of the running program: the school
// archived to a zip in a folder picked in the chooser and restored from it
// over the damaged school (after asking), into a new folder from the data
// root, and never from a damaged or hostile archive, which leaves every
// file of the drive as it was; the cloud says it is not available. Each
// file's write time is in the archive for every zip program to read; a file
// whose name the archive cannot hold or read back is refused and no archive
// is left; an archive without a school folder of its own restores into a
// folder named after it; a second archive goes beside the first, and a
// file chosen as the destination is refused; replacement leftovers stay
// out of the archive; a read-only file keeps its mark, in the plain zip
// form; an archive file that cannot be read is refused with its reason; an
// archive that cannot be written says so and leaves none.
#include <gtest/gtest.h>
#include <minizip/unzip.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <ctime>
#include <map>

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
  // Archives the open school into the folder the chooser answers through
  // the dialog; what the message box then said.
  std::string ArchiveInto(const std::string& chosen) {
    answers_.push_back(chosen);
    std::string said;
    InArchiveDialog([&](Dialog& d) {
      AnswerBox(&said);
      ui.Click(d, Carchivio::kArchiveId);
    });
    EXPECT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    return said;
  }
  // Archives the open school into "\\archivi" through the dialog; the archive's path.
  fs::path ArchiveSchool() {
    fs::create_directories(root_ / "archivi");
    std::string said = ArchiveInto("\\archivi");
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

// Work done after the archive was made (a timetable computed, a search's
// record, a balanced timetable, one set aside, absences) is not read beside
// the archive's older description: once the archive's files are in place
// it is moved, byte for byte, into a sub-folder the message names, and a
// second restore uses a new sub-folder. Notes, printed reports and
// sub-folders stay, and no file is lost.
TEST_F(ArchiveProgram, ARestoreSetsTheDataFilesOfLaterWorkAside) {
  const auto original = folder_files(school());
  Run([&] {
    fs::path zip = ArchiveSchool();
    ASSERT_FALSE(zip.empty());
    auto restore = [&] {
      answers_.push_back("\\archivi\\" + zip.filename().string());
      std::string said;
      InArchiveDialog([&](Dialog& d) {
        AnswerBox(nullptr, kIdYes);
        AnswerBox(&said);
        InArchiveDialog([](Dialog&) {});
        ui.Click(d, Carchivio::kRestoreId);
      });
      EXPECT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
      return said;
    };
    const std::map<std::string, std::string> later = {
        {"SAVEBI.TXT", "bilanciato dopo\n"},
        {"assenze.txt", "assenze dopo\n"},
        {"savego.txt", "orario calcolato dopo\n"},
        {"savego_precedente.txt", "orario messo da parte\n"},
        {"saveprec.txt", "record della ricerca\n"}};
    write(school() / "scuola2.txt", "REM:cambiata dopo l'archivio");
    for (const auto& [name, bytes] : later) write(school() / name, bytes);
    write(school() / "appunti.txt", "miei appunti\n");
    fs::create_directories(school() / "Orario");
    write(school() / "Orario" / "Orario Classi.txt", "stampa dopo\n");

    std::string said = restore();
    EXPECT_NE(said.find("Scuola ripristinata nella cartella [piccola]"), std::string::npos) << said;
    EXPECT_NE(said.find("[Prima del ripristino]"), std::string::npos) << said;
    EXPECT_NE(said.find("saveprec.txt"), std::string::npos) << said;
    auto expected = original;
    expected["appunti.txt"] = "miei appunti\n";
    expected["Orario/Orario Classi.txt"] = "stampa dopo\n";
    for (const auto& [name, bytes] : later) expected["Prima del ripristino/" + name] = bytes;
    EXPECT_EQ(folder_files(school()), expected);
    EXPECT_TRUE(og_school_read_in_current_folder());

    // More work, and a second restore: the first sub-folder is kept as it
    // is and the new files go to one of their own.
    write(school() / "savego.txt", "secondo orario\n");
    said = restore();
    auto after = folder_files(school());
    EXPECT_EQ(after.count("savego.txt"), 0u);
    std::string second;
    for (const auto& [name, bytes] : after)
      if (name.rfind("Prima del ripristino 20", 0) == 0) second = name;
    ASSERT_FALSE(second.empty()) << said;
    EXPECT_EQ(second.substr(second.find('/')), "/savego.txt");
    EXPECT_EQ(after[second], "secondo orario\n");
    after.erase(second);
    EXPECT_EQ(after, expected);
    EXPECT_NE(said.find("[" + second.substr(0, second.find('/')) + "]"), std::string::npos) << said;
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
      {"folder is a file", {{"altra/scuola2.txt", school2}}, "", "[altra] esiste gi\xE0 e non \xE8 una cartella"},
      {"not a zip", {}, "questo non e' un archivio", "Impossibile aprire l'archivio"},
      {"cut short", {}, "", "Impossibile aprire l'archivio"},
  };
  // A whole archive cut in half, and one whose data do not match their CRC.
  write_zip((root_ / "whole.zip").string(), {{"piccola/scuola2.txt", school2}});
  std::string whole = read(root_ / "whole.zip");
  cases[9].bytes = whole.substr(0, whole.size() / 2);
  std::string corrupt = whole;
  corrupt[100] ^= 0x55;  // inside the deflated data of the only entry (after its 49-byte header)
  cases.push_back({"corrupt", {}, corrupt, "danneggiato"});

  write(data_root() / "altra", "un file, non una cartella\n");
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

// The zip's own date of each file (the one every zip program shows) is the
// file's write time.
TEST_F(ArchiveProgram, EachFilesWriteTimeIsInTheArchive) {
  std::tm when{};
  when.tm_year = 2024 - 1900, when.tm_mon = 2, when.tm_mday = 5, when.tm_hour = 10, when.tm_min = 20, when.tm_sec = 30;
  when.tm_isdst = -1;
  std::time_t written = std::mktime(&when);
  struct timespec times[2] = {{written, 0}, {written, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, (school() / "scuola2.txt").c_str(), times, 0), 0);
  Run([&] {
    fs::path zip = ArchiveSchool();
    ASSERT_FALSE(zip.empty());
    unzFile archive = unzOpen64(zip.c_str());
    ASSERT_NE(archive, nullptr);
    ASSERT_EQ(unzLocateFile(archive, "piccola/scuola2.txt", 0), UNZ_OK);
    unz_file_info64 info{};
    ASSERT_EQ(unzGetCurrentFileInfo64(archive, &info, nullptr, 0, nullptr, 0, nullptr, 0), UNZ_OK);
    unzClose(archive);
    const tm_unz& t = info.tmu_date;
    EXPECT_EQ((std::vector<unsigned>{t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec}),
              (std::vector<unsigned>{2024, 2, 5, 10, 20, 30}));
  });
}

// A file whose name would not come back from the archive as it went (a
// backslash in it, a letter the archive's code has not), or two names a restore cannot tell apart: the archive
// is refused with a message that says why, and none is left behind.
TEST_F(ArchiveProgram, NamesTheArchiveCannotGiveBackAreRefused) {
  const struct {
    const char* id;
    std::vector<std::string> files;
    std::vector<std::string> said;
  } cases[] = {
      {"backslash", {"nota\\prima.txt"}, {"Il nome del file non si pu\xF2 scrivere nell'archivio", "prima.txt"}},
      {"not-in-the-archive-code", {"nota \xE6\x97\xA5.txt"}, {"Il nome del file non si pu\xF2 scrivere nell'archivio", "nota"}},
      {"twice", {"appunti.txt", "APPUNTI.TXT"},
       {"L'archivio scritto non si rilegge correttamente e non \xE8 stato tenuto", "due volte"}},
  };
  Run([&] {
    fs::create_directories(root_ / "archivi");
    for (const auto& c : cases) {
      for (const std::string& name : c.files) write(school() / name, "x\n");
      answers_.push_back("\\archivi");
      std::string said;
      InArchiveDialog([&](Dialog& d) {
        AnswerBox(&said);
        ui.Click(d, Carchivio::kArchiveId);
      });
      ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive)) << c.id;
      for (const std::string& part : c.said) EXPECT_NE(said.find(part), std::string::npos) << c.id << ": " << said;
      EXPECT_TRUE(fs::is_empty(root_ / "archivi")) << c.id;
      for (const std::string& name : c.files) fs::remove(school() / name);
    }
  });
}

// A school folder whose name has blanks (as the copy of a school to another
// folder names it) comes back into that folder, after asking, not into a
// second folder beside it; a name that cannot be a folder of the data root
// as it is (hidden, or with a character a pen refuses) is still made one.
TEST_F(ArchiveProgram, ASchoolComesBackIntoTheFolderOfItsOwnName) {
  const std::string school2 = read(school() / "scuola2.txt");
  fs::create_directories(data_root() / "Liceo Galilei");
  write(data_root() / "Liceo Galilei" / "scuola2.txt", "REM:rovinata");
  Run([&] {
    fs::create_directories(root_ / "archivi");
    write_zip((root_ / "archivi" / "galilei.zip").string(), {{"Liceo Galilei/scuola2.txt", school2}});
    write_zip((root_ / "archivi" / "nascosta.zip").string(), {{".nascosta/scuola2.txt", school2}});
    ASSERT_TRUE(og_set_current_folder(g_data_root));
    ui.AnswerNextModal(kIdCancel);  // the cloud code is not given
    answers_.push_back("\\archivi\\galilei.zip");
    std::string asked, restored;
    InArchiveDialog([&](Dialog& d) {
      AnswerBox(&asked, kIdYes);
      AnswerBox(&restored);
      InArchiveDialog([](Dialog&) {});
      ui.Click(d, Carchivio::kRestoreId);
    });
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_NE(asked.find("[Liceo Galilei]"), std::string::npos) << asked;
    EXPECT_NE(restored.find("[Liceo Galilei]"), std::string::npos) << restored;
    EXPECT_EQ(read(data_root() / "Liceo Galilei" / "scuola2.txt"), school2);
    EXPECT_FALSE(fs::exists(data_root() / "Liceo_Galilei"));
    EXPECT_EQ(og_current_folder_path(), "\\KestrinTempusDati\\Liceo Galilei");

    answers_.push_back("\\archivi\\nascosta.zip");
    InArchiveDialog([&](Dialog& d) {
      AnswerBox(&restored);
      InArchiveDialog([](Dialog&) {});
      ui.Click(d, Carchivio::kRestoreId);
    });
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_NE(restored.find("[_nascosta]"), std::string::npos) << restored;
    EXPECT_EQ(read(data_root() / "_nascosta" / "scuola2.txt"), school2);
    EXPECT_FALSE(fs::exists(data_root() / ".nascosta"));
  });
}

// Files at the archive's top level (as another zip program may store a
// school): restored from the data root into a folder named after the archive.
TEST_F(ArchiveProgram, AnArchiveWithoutASchoolFolderRestoresIntoOneNamedAfterIt) {
  const std::string school2 = read(school() / "scuola2.txt");
  Run([&] {
    fs::create_directories(root_ / "archivi");
    write_zip((root_ / "archivi" / "nuova.zip").string(), {{"scuola2.txt", school2}});
    ASSERT_TRUE(og_set_current_folder(g_data_root));
    ui.AnswerNextModal(kIdCancel);  // the cloud code is not given
    answers_.push_back("\\archivi\\nuova.zip");
    std::string restored;
    InArchiveDialog([&](Dialog& d) {
      AnswerBox(&restored);
      InArchiveDialog([](Dialog&) {});
      ui.Click(d, Carchivio::kRestoreId);
    });
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_NE(restored.find("[nuova]"), std::string::npos) << restored;
    EXPECT_EQ(read(data_root() / "nuova" / "scuola2.txt"), school2);
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

namespace {

// Archived twice into one folder, the school gets a second archive beside
// the first, which stays as it was; a destination that is not a folder is
// refused with its name and no archive is written.
TEST_F(ArchiveProgram, ASecondArchiveGoesBesideTheFirstAndAFileIsNoDestination) {
  Run([&] {
    fs::path first = ArchiveSchool();
    std::string kept = read(first);
    write(school() / "nota.txt", "dopo\n");
    ArchiveInto("\\archivi");
    std::vector<fs::path> zips;
    for (const auto& e : fs::directory_iterator(root_ / "archivi")) zips.push_back(e.path());
    EXPECT_EQ(zips.size(), 2u);
    EXPECT_EQ(read(first), kept);

    write(root_ / "archivi" / "un file", "x\n");
    std::string said = ArchiveInto("\\archivi\\un file");
    EXPECT_EQ(said.rfind("Non \xE8 una cartella:", 0), 0u) << said;
    EXPECT_NE(said.find("un file"), std::string::npos) << said;
    EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "archivi"), fs::directory_iterator()), 3);
  });
}

}  // namespace

namespace {

// What a replacement of the school's files leaves behind (a name ending in
// ".~" and a digit) stays out of the archive; names that only look alike
// go in.
TEST_F(ArchiveProgram, OnlyReplacementLeftoversStayOutOfTheArchive) {
  write(school() / "12 note.txt", "a\n");
  write(school() / "bozza.~a", "b\n");
  write(school() / "scuola2.txt.~1", "c\n");
  std::vector<std::string> names;
  Run([&] {
    unzFile archive = unzOpen64(ArchiveSchool().c_str());
    ASSERT_NE(archive, nullptr);
    for (int rc = unzGoToFirstFile(archive); rc == UNZ_OK; rc = unzGoToNextFile(archive)) {
      char name[256];
      ASSERT_EQ(unzGetCurrentFileInfo64(archive, nullptr, name, sizeof name, nullptr, 0, nullptr, 0), UNZ_OK);
      names.push_back(name);
    }
    unzClose(archive);
  });
  auto has = [&](const std::string& name) { return std::find(names.begin(), names.end(), name) != names.end(); };
  EXPECT_TRUE(has("piccola/12 note.txt"));
  EXPECT_TRUE(has("piccola/bozza.~a"));
  EXPECT_TRUE(has("piccola/scuola2.txt"));
  EXPECT_FALSE(has("piccola/scuola2.txt.~1"));
}

}  // namespace

namespace {

// A read-only file is marked so in the archive and the others are not; a
// school's small files carry their sizes in the plain zip form (no zip64
// records), which every zip program reads.
TEST_F(ArchiveProgram, ArchivedFilesKeepTheReadOnlyMarkInThePlainZipForm) {
  write(school() / "sola lettura.txt", "r\n");
  fs::permissions(school() / "sola lettura.txt", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  std::map<std::string, unsigned long> marks;
  std::string bytes;
  Run([&] {
    fs::path zip = ArchiveSchool();
    bytes = read(zip);
    unzFile archive = unzOpen64(zip.c_str());
    ASSERT_NE(archive, nullptr);
    for (int rc = unzGoToFirstFile(archive); rc == UNZ_OK; rc = unzGoToNextFile(archive)) {
      char name[256];
      unz_file_info64 info{};
      ASSERT_EQ(unzGetCurrentFileInfo64(archive, &info, name, sizeof name, nullptr, 0, nullptr, 0), UNZ_OK);
      marks[name] = info.external_fa & 0x01;
    }
    unzClose(archive);
  });
  ASSERT_TRUE(marks.count("piccola/sola lettura.txt"));
  EXPECT_EQ(marks["piccola/sola lettura.txt"], 1u);
  EXPECT_EQ(marks["piccola/scuola2.txt"], 0u);
  // Every local header (signature PK\3\4) asks no zip64 reader (version
  // needed below 4.5) and holds no zip64 block (id 1) among its extra blocks.
  auto u16 = [&](std::size_t at) { return unsigned(std::uint8_t(bytes[at])) | unsigned(std::uint8_t(bytes[at + 1])) << 8; };
  int headers = 0;
  for (std::size_t at = bytes.find("PK\x03\x04"); at != std::string::npos && at + 30 <= bytes.size();
       at = bytes.find("PK\x03\x04", at + 4)) {
    ++headers;
    EXPECT_LT(u16(at + 4), 45u) << at;
    std::size_t extra = at + 30 + u16(at + 26), end = extra + u16(at + 28);
    for (std::size_t block = extra; block + 4 <= end && block + 4 <= bytes.size(); block += 4 + u16(block + 2))
      EXPECT_NE(u16(block), 1u) << at;
  }
  EXPECT_EQ(headers, static_cast<int>(marks.size()));
}

// An archive that cannot be written (its temporary file's place is taken
// by a folder) says why and where, and leaves no archive.
// An archive file is read whole, or not at all with the reason and its
// path: when no file can be opened (every descriptor the process may have
// is taken) the read fails, it is never an empty archive.
TEST_F(ArchiveProgram, AnArchiveFileIsReadWholeOrRefusedWithItsReason) {
  fs::path zip = root_ / "copia.zip";
  write(zip, "PK\x03\x04 whole");
  std::string bytes, why;
  ASSERT_TRUE(og_load_archive_file(zip.string(), &bytes, &why)) << why;
  EXPECT_EQ(bytes, "PK\x03\x04 whole");
  int lowest = ::open("/dev/null", O_RDONLY);
  ASSERT_GE(lowest, 0);
  ::close(lowest);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
  rlimit tight = saved;
  tight.rlim_cur = rlim_t(lowest);
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
  bool read = og_load_archive_file(zip.string(), &bytes, &why);
  ::setrlimit(RLIMIT_NOFILE, &saved);
  EXPECT_FALSE(read);
  EXPECT_EQ(why.rfind("Impossibile leggere l'archivio", 0), 0u) << why;
  EXPECT_NE(why.find("copia.zip"), std::string::npos) << why;
}

TEST_F(ArchiveProgram, AnArchiveThatCannotBeWrittenSaysSoAndLeavesNone) {
  fs::create_directories(root_ / "archivi");
  // The names the archive may take this minute and the next.
  for (std::time_t t : {std::time(nullptr), std::time(nullptr) + 60}) {
    std::tm tm{};
    localtime_r(&t, &tm);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H%M", &tm);
    fs::create_directories(root_ / "archivi" / (std::string("piccola_") + stamp + ".zip.~" + std::to_string(::getpid()) + "-0") / "x");
  }
  std::string said;
  Run([&] { said = ArchiveInto("\\archivi"); });
  EXPECT_EQ(said.rfind("Impossibile scrivere l'archivio (", 0), 0u) << said;
  EXPECT_NE(said.find("piccola_"), std::string::npos) << said;
  for (const auto& e : fs::directory_iterator(root_ / "archivi"))
    EXPECT_NE(e.path().extension(), ".zip") << e.path();
}

// A disk that fills (a file size limit here) while a school is restored
// over its damaged files, or while an archive is written, leaves every
// file as it was and says so: no half-replaced school, no partial archive.
TEST_F(ArchiveProgram, AFullDiskLeavesTheSchoolAndTheArchivesAsTheyWere) {
  std::string big;
  for (unsigned v = 12345; big.size() < 20000;) big += static_cast<char>((v = v * 1103515245u + 12345u) >> 24);
  write(school() / "dati.bin", big);
  Run([&] {
    fs::path zip = ArchiveSchool();
    ASSERT_FALSE(zip.empty());
    write(school() / "scuola2.txt", "REM:rovinata");
    write(school() / "dati.bin", "rovinato");
    const auto damaged = folder_files(school());
    fs::create_directories(root_ / "pieno");

    auto saved_handler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
    answers_.push_back("\\archivi\\" + zip.filename().string());
    std::string restored;
    InArchiveDialog([&](Dialog& d) {
      AnswerBox(nullptr, kIdYes);
      AnswerBox(&restored);
      ui.Click(d, Carchivio::kRestoreId);
    });
    bool clicked = ui.Click(g_home_page, CPlenixDlg::kArchive);
    const auto after_restore = folder_files(school());
    write(school() / "dati.bin", big);  // a school larger than the room left
    std::string archived = ArchiveInto("\\pieno");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, saved_handler);

    ASSERT_TRUE(clicked);
    EXPECT_EQ(restored.rfind("Archivio non ripristinato (", 0), 0u) << restored;
    EXPECT_EQ(after_restore, damaged);
    EXPECT_EQ(archived.rfind("Impossibile scrivere l'archivio (", 0), 0u) << archived;
    EXPECT_TRUE(fs::is_empty(root_ / "pieno"));
  });
}

// An archive damaged anywhere (one byte changed at offsets all along it)
// either gives back exactly the school that was archived, or is refused
// with the drive as it was: never a school with files of another name,
// another folder, or other bytes.
TEST_F(ArchiveProgram, AnArchiveDamagedAnywhereRestoresWholeOrNotAtAll) {
  const auto original = folder_files(school());
  Run([&] {
    fs::path zip = ArchiveSchool();
    ASSERT_FALSE(zip.empty());
    const std::string good = read(zip);
    int refused = 0, restored = 0;
    for (std::size_t at = 0; at < good.size(); at += 3) {
      std::string bad = good;
      bad[at] = static_cast<char>(bad[at] ^ 0x21);
      write(root_ / "danneggiato.zip", bad);
      write(school() / "scuola2.txt", "REM:rovinata");
      const auto drive = folder_files(data_root());
      answers_.push_back("\\danneggiato.zip");
      std::string said;
      bool asked = false;
      InArchiveDialog([&](Dialog& d) {
        ui.OnNextModal([&](Dialog& box) {
          if (ui.Text(box, CMessageBox::kTextId).find("Sostituire") != std::string::npos) {
            asked = true;
            box.EndDialog(kIdYes);
            AnswerBox(&said);
            InArchiveDialog([](Dialog&) {});
          } else {
            said = ui.Text(box, CMessageBox::kTextId);
            box.EndDialog(kIdOk);
          }
        });
        ui.Click(d, Carchivio::kRestoreId);
      });
      ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive)) << at;
      if (said.find("Scuola ripristinata nella cartella [piccola]") == 0) {
        ++restored;
        EXPECT_TRUE(asked) << at;
        EXPECT_EQ(folder_files(school()), original) << at << ": " << said;
        EXPECT_EQ(folder_files(data_root()).size(), drive.size()) << at;
      } else {
        ++refused;
        EXPECT_EQ(folder_files(data_root()), drive) << at << ": " << said;
      }
      ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola")) << at;
    }
    EXPECT_GT(refused, 0);
    EXPECT_GT(restored, 0);
  });
}

}  // namespace
