// The archive dialog's own words and what its work reports, from the home
// page of the running program: the title, every caption and the state line
// in each of the three languages, for a school, for the data root with a
// cloud code given and without; the messages of an archive and a restore
// word for word, with the number of files and the place; the write time of
// every restored file the archived one (a file older than any zip date
// too), over the school and into a new folder; the folder a restore makes
// named after the archive's own folder or its file name; a name too long
// for the drive refused before anything is written.
#include <gtest/gtest.h>
#include <minizip/unzip.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "remote/school_archive.h"
#include "remote_test_support.h"
#include "schooldata/school_files.h"
#include "schooldata/ui_school_model.h"
#include "schooldata/zip_reader.h"
#include "schooldata/zip_test_support.h"
#include "shell/home_page.h"
#include "structure/input_box.h"

namespace {

using namespace kt_remote_test;
using kt_zip_test::ZipItem;
using kt_zip_test::write_zip;
using A = Carchivio;

struct Seen {
  std::string title;
  std::map<int, std::string> captions;
  bool can_archive = false;
};

class ArchiveDialogTexts : public RemoteProgram {
 protected:
  // What the dialog shows when it opens from the home page.
  Seen Open() {
    Seen seen;
    InArchiveDialog([&](Dialog& d) {
      seen.title = d.GetWindowText();
      for (int id : {A::kStateId, A::kZipLabelId, A::kArchiveId, A::kRestoreId, A::kPenLabelId, A::kPenRestoreId,
                     A::kPenDeleteId, A::kCloudLabelId, A::kCloudSaveId, A::kCloudRestoreId, A::kHelpId, kIdCancel})
        seen.captions[id] = ui.Text(d, id);
      seen.can_archive = ui.IsEnabled(d, A::kArchiveId);
    });
    EXPECT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    return seen;
  }
  // Archives the open school into "\\archivi"; what the box said.
  std::string Archive() {
    fs::create_directories(root_ / "archivi");
    answers_.push_back("\\archivi");
    std::string said;
    InArchiveDialog([&](Dialog& d) {
      AnswerBox(&said);
      ui.Click(d, A::kArchiveId);
    });
    EXPECT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    return said;
  }
  // Restores the archive chosen as `chosen`, saying yes to a replacement
  // when `asks`; what the last box said. A restore that works runs the
  // dialog again for the school now current.
  std::string Restore(const std::string& chosen, bool asks, bool works = true) {
    answers_.push_back(chosen);
    std::string said;
    InArchiveDialog([&](Dialog& d) {
      if (asks) AnswerBox(nullptr, kIdYes);
      AnswerBox(&said);
      if (works) InArchiveDialog([](Dialog&) {});
      ui.Click(d, A::kRestoreId);
    });
    EXPECT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_EQ(ui.PendingSteps(), 0u) << chosen;
    return said;
  }
  static fs::path OnlyZip(const fs::path& folder) {
    std::vector<fs::path> zips;
    for (const auto& e : fs::directory_iterator(folder))
      if (e.path().extension() == ".zip") zips.push_back(e.path());
    EXPECT_EQ(zips.size(), 1u);
    return zips.empty() ? fs::path() : zips.front();
  }
  static std::time_t Local(int year, int month, int day, int hour, int minute, int second) {
    std::tm when{};
    when.tm_year = year - 1900, when.tm_mon = month - 1, when.tm_mday = day;
    when.tm_hour = hour, when.tm_min = minute, when.tm_sec = second;
    when.tm_isdst = -1;
    return std::mktime(&when);
  }
  static void Touch(const fs::path& path, std::time_t t) {
    struct timespec times[2] = {{t, 0}, {t, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
  }
  static std::time_t WrittenAt(const fs::path& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mtime;
  }
};

TEST_F(ArchiveDialogTexts, EveryCaptionInTheUsersLanguageAndTheCurrentSchool) {
  const std::string school_line[3] = {"Scuola corrente: ", "Aktuelle Schule: ", "Current school: "};
  const std::map<int, std::string> captions[3] = {
      {{A::kZipLabelId, "Archivio della scuola in un file zip"},
       {A::kArchiveId, "Archivia la scuola in un file zip"},
       {A::kRestoreId, "Ripristina una scuola da un file zip"},
       {A::kPenLabelId, "Copie sulla Penna USB"},
       {A::kPenRestoreId, "Ripristina dalla Penna USB"},
       {A::kPenDeleteId, "Cancella copie dalla Penna USB"},
       {A::kCloudLabelId, "Cloud (server di KestrinTempus)"},
       {A::kCloudSaveId, "Archivia su Cloud"},
       {A::kCloudRestoreId, "Ripristina da Cloud"},
       {kIdCancel, "[Esc] Ritorna"}},
      {{A::kZipLabelId, "Archiv der Schule in einer Zip-Datei"},
       {A::kArchiveId, "Schule in Zip-Datei archivieren"},
       {A::kRestoreId, "Schule aus Zip-Datei wiederherstellen"},
       {A::kPenLabelId, "Kopien auf dem USB-Stick"},
       {A::kPenRestoreId, "Vom USB-Stick wiederherstellen"},
       {A::kPenDeleteId, "Kopien auf dem USB-Stick l\xF6schen"},
       {A::kCloudLabelId, "Cloud (Server von KestrinTempus)"},
       {A::kCloudSaveId, "In der Cloud archivieren"},
       {A::kCloudRestoreId, "Aus der Cloud wiederherstellen"},
       {kIdCancel, "[Esc] Zur\xFC" "ck"}},
      {{A::kZipLabelId, "Archive of the school in a zip file"},
       {A::kArchiveId, "Archive the school in a zip file"},
       {A::kRestoreId, "Restore a school from a zip file"},
       {A::kPenLabelId, "Copies on the USB pen"},
       {A::kPenRestoreId, "Restore from the USB pen"},
       {A::kPenDeleteId, "Delete copies from the USB pen"},
       {A::kCloudLabelId, "Cloud (KestrinTempus servers)"},
       {A::kCloudSaveId, "Archive on the Cloud"},
       {A::kCloudRestoreId, "Restore from the Cloud"},
       {kIdCancel, "[Esc] Back"}},
  };
  const char* titles[3] = {"Archiviazioni e cloud", "Archivierung und Cloud", "Archives and cloud"};
  const char* help_starts[3] = {"L'archivio zip contiene tutta la cartella della scuola",
                                "Das Zip-Archiv enth\xE4lt den ganzen Ordner der Schule",
                                "The zip archive holds the whole school folder"};
  const int buttons[3] = {CPlenixDlg::kItalian, CPlenixDlg::kGerman, CPlenixDlg::kEnglish};
  Run([&] {
    for (int language = 0; language < 3; ++language) {
      ASSERT_TRUE(ui.Click(g_home_page, buttons[language]));
      Seen seen = Open();
      EXPECT_EQ(seen.title, titles[language]) << language;
      for (const auto& [id, text] : captions[language]) EXPECT_EQ(seen.captions[id], text) << language << " " << id;
      EXPECT_EQ(seen.captions[A::kStateId], school_line[language] + school().string()) << language;
      EXPECT_EQ(seen.captions[A::kHelpId].rfind(help_starts[language], 0), 0u) << seen.captions[A::kHelpId];
      EXPECT_TRUE(seen.can_archive) << language;
    }
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kItalian));
  });
}

// In the data root the dialog cannot archive; its state line says whether
// the cloud code asked for first was given (and kept for the next school).
TEST_F(ArchiveDialogTexts, InTheDataRootTheStateLineSaysWhetherACloudCodeWasGiven) {
  const std::string code = "ABCDEFGHIJ0123456789ABCDEFGHIJ0123456789";
  Seen given, not_given, english;
  Run([&] {
    ASSERT_TRUE(og_set_current_folder(g_data_root));
    ui.OnNextModal([&](Dialog& box) {
      EXPECT_EQ(box.template_id(), Ccasella::kTemplate);
      ui.Type(box, Ccasella::kEdit1Id, code);
      ui.Click(box, kIdOk);
    });
    given = Open();
    EXPECT_EQ(std::string(g_ui_header.school_code), code);
    ui.AnswerNextModal(kIdCancel);
    not_given = Open();
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kEnglish));
    ui.AnswerNextModal(kIdCancel);
    english = Open();
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kItalian));
  });
  EXPECT_EQ(given.captions[A::kStateId],
            "Codice Cloud registrato per la prossima nuova scuola. Nessuna scuola selezionata: si pu\xF2 ripristinare "
            "una scuola da un archivio o dalla Penna USB.");
  EXPECT_EQ(not_given.captions[A::kStateId],
            "Nessuna scuola selezionata: si pu\xF2 ripristinare una scuola da un archivio o dalla Penna USB.");
  EXPECT_EQ(english.captions[A::kStateId],
            "No school selected: a school can be restored from an archive or from the USB pen.");
  EXPECT_FALSE(given.can_archive);
  EXPECT_FALSE(not_given.can_archive);
  EXPECT_FALSE(english.can_archive);
}

// An archive and a restore say word for word how many files they took and
// where, in the user's language.
TEST_F(ArchiveDialogTexts, ArchiveAndRestoreSayHowManyFilesAndWhere) {
  fs::create_directories(school() / "Orario");
  write(school() / "Orario" / "Orario Classi.txt", "una stampa\n");
  const std::size_t count = folder_files(school()).size();
  ASSERT_EQ(count, 3u);  // the two school files and the print
  std::string archived[2], restored[2];
  fs::path zips[2];
  Run([&] {
    for (int english = 0; english < 2; ++english) {
      if (english) {
        ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kEnglish));
      }
      archived[english] = Archive();
      zips[english] = OnlyZip(root_ / "archivi");
      fs::rename(zips[english], root_ / ("copia" + std::to_string(english) + ".zip"));
      zips[english] = root_ / ("copia" + std::to_string(english) + ".zip");
      fs::rename(school(), data_root() / ("vecchia" + std::to_string(english)));
      restored[english] = Restore("\\copia" + std::to_string(english) + ".zip", false);
      EXPECT_EQ(folder_files(school()).size(), count);
    }
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kItalian));
  });
  const std::string n = std::to_string(count);
  EXPECT_EQ(archived[0].rfind("Archivio della scuola creato (" + n + " file):\r\n" + (root_ / "archivi").string() + "/piccola_", 0), 0u)
      << archived[0];
  EXPECT_EQ(archived[1].rfind("Archive of the school created (" + n + " files):\r\n" + (root_ / "archivi").string() + "/piccola_", 0), 0u)
      << archived[1];
  for (const std::string& said : archived) EXPECT_EQ(said.substr(said.size() - 4), ".zip") << said;
  EXPECT_EQ(restored[0], "Scuola ripristinata nella cartella [piccola] (" + n + " file).");
  EXPECT_EQ(restored[1], "School restored into the folder [piccola] (" + n + " files).");
}

// Every restored file is given the write time it had when archived, to the
// second: the school's own files and those of its sub-folders, over the
// school and into a new folder; a file older than the first day a zip date
// can hold is dated that day in the zip and still comes back to its own time.
TEST_F(ArchiveDialogTexts, RestoredFilesKeepTheirWriteTimes) {
  fs::create_directories(school() / "Orario");
  write(school() / "Orario" / "Orario Classi.txt", "una stampa\n");
  write(school() / "antica.txt", "di prima\n");
  const std::map<std::string, std::time_t> times = {
      {"scuola2.txt", Local(2024, 3, 5, 10, 20, 31)},
      {"Orario/Orario Classi.txt", Local(2023, 11, 30, 23, 59, 58)},
      {"antica.txt", Local(1975, 6, 1, 12, 0, 0)},
  };
  for (const auto& [name, t] : times) Touch(school() / name, t);
  std::vector<unsigned> zip_date;
  std::map<std::string, std::time_t> over, fresh;
  Run([&] {
    ASSERT_EQ(Archive().rfind("Archivio della scuola creato", 0), 0u);
    fs::path zip = OnlyZip(root_ / "archivi");
    unzFile archive = unzOpen64(zip.c_str());
    ASSERT_NE(archive, nullptr);
    ASSERT_EQ(unzLocateFile(archive, "piccola/antica.txt", 0), UNZ_OK);
    unz_file_info64 info{};
    ASSERT_EQ(unzGetCurrentFileInfo64(archive, &info, nullptr, 0, nullptr, 0, nullptr, 0), UNZ_OK);
    unzClose(archive);
    const tm_unz& t = info.tmu_date;
    zip_date = {t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};

    // Over the school, its files written again meanwhile.
    for (const auto& [name, t] : times) write(school() / name, "cambiato\n");
    std::string said = Restore("\\archivi\\" + zip.filename().string(), true);
    EXPECT_EQ(said.rfind("Scuola ripristinata nella cartella [piccola]", 0), 0u) << said;
    for (const auto& [name, t] : times) over[name] = WrittenAt(school() / name);

    // Into a new folder.
    fs::rename(school(), data_root() / "vecchia");
    said = Restore("\\archivi\\" + zip.filename().string(), false);
    EXPECT_EQ(said.rfind("Scuola ripristinata nella cartella [piccola]", 0), 0u) << said;
    for (const auto& [name, t] : times) fresh[name] = WrittenAt(school() / name);
  });
  EXPECT_EQ(zip_date, (std::vector<unsigned>{1980, 0, 1, 0, 0, 0}));
  EXPECT_EQ(over, times);
  EXPECT_EQ(fresh, times);
}

// The folder a restore makes: the archive's one top folder as it is (the
// school's own folder), or, when its files have none in common, the
// archive's file name without ".zip" in any case, with letters and digits
// kept and any other character made '_'. An archive whose files sit in
// different folders holds no school.
TEST_F(ArchiveDialogTexts, TheRestoredFolderIsNamedAfterTheArchive) {
  const std::string school2 = read(school() / "scuola2.txt");
  const struct {
    const char* id;
    const char* archive;
    std::vector<ZipItem> items;
    const char* folder;  // nullptr: refused
    std::vector<std::string> files;
    const char* said;
  } cases[] = {
      {"own folder", "qualsiasi.zip", {{"Scuola-B 2/scuola2.txt", school2}, {"Scuola-B 2/Orario/stampa.txt", "s\n"}},
       "Scuola-B 2", {"Orario/stampa.txt", "scuola2.txt"}, "Scuola ripristinata nella cartella [Scuola-B 2] (2 file)."},
      {"file name", "Nuova Scuola.ZIP", {{"scuola2.txt", school2}, {"Orario/stampa.txt", "s\n"}},
       "Nuova_Scuola", {"Orario/stampa.txt", "scuola2.txt"}, "Scuola ripristinata nella cartella [Nuova_Scuola] (2 file)."},
      {"two folders", "mista.zip", {{"prima/scuola2.txt", school2}, {"seconda/appunti.txt", "a\n"}}, nullptr, {},
       "Archivio non ripristinato: non contiene una scuola (manca scuola2.txt)."},
  };
  Run([&] {
    for (const auto& c : cases) {
      fs::path zip = root_ / c.archive;
      write_zip(zip.string(), c.items);
      const auto before = folder_files(data_root());
      std::string said = Restore(std::string("\\") + c.archive, false, c.folder != nullptr);
      EXPECT_EQ(said, c.said) << c.id;
      if (!c.folder) {
        EXPECT_EQ(folder_files(data_root()), before) << c.id;
        continue;
      }
      std::vector<std::string> names;
      for (const auto& [name, bytes] : folder_files(data_root() / c.folder)) names.push_back(name);
      EXPECT_EQ(names, c.files) << c.id;
      EXPECT_EQ(og_current_folder_path(), std::string("\\KestrinTempusDati\\") + c.folder) << c.id;
    }
  });
}

// A file whose name is longer than the drive allows is found before a
// single file is written, and the restore says so.
TEST_F(ArchiveDialogTexts, ANameTooLongForTheDriveIsRefusedBeforeWriting) {
  const std::string school2 = read(school() / "scuola2.txt");
  const std::string long_name(256, 'n');
  write_zip((root_ / "lunga.zip").string(), {{"lunga/scuola2.txt", school2}, {"lunga/" + long_name, "x\n"}});
  std::string said;
  std::map<std::string, std::string> before, after;
  Run([&] {
    before = folder_files(root_);
    said = Restore("\\lunga.zip", false, false);
    after = folder_files(root_);
  });
  EXPECT_EQ(said, std::string("Archivio non ripristinato: ") + ui_zip_error_text(kZipNameTooLong, 0) + ".");
  EXPECT_EQ(after, before);
  EXPECT_FALSE(fs::exists(data_root() / "lunga"));
}

// An archive chosen that is not there, or larger than any school's, is
// refused with the reason, before anything is read or written.
TEST_F(ArchiveDialogTexts, AnArchiveMissingOrTooLargeIsRefusedWithTheReason) {
  fs::path big = root_ / "enorme.zip";
  write(big, "");
  fs::resize_file(big, kArchiveFileLimit + 1);  // sparse: no disk is filled
  const struct {
    int language;
    const char* chosen;
    std::string said;
  } cases[] = {
      {CPlenixDlg::kItalian, "\\nessuno.zip",
       "Impossibile leggere l'archivio (cartella mancante):\r\n" + (root_ / "nessuno.zip").string()},
      {CPlenixDlg::kEnglish, "\\nessuno.zip",
       "The archive cannot be read (missing folder):\r\n" + (root_ / "nessuno.zip").string()},
      {CPlenixDlg::kItalian, "\\enorme.zip",
       "Archivio non ripristinato: il file \xE8 troppo grande per l'archivio di una scuola."},
      {CPlenixDlg::kEnglish, "\\enorme.zip", "Archive not restored: the file is too large for the archive of a school."},
  };
  Run([&] {
    const auto before = folder_files(data_root());
    for (const auto& c : cases) {
      ASSERT_TRUE(ui.Click(g_home_page, c.language));
      EXPECT_EQ(Restore(c.chosen, false, false), c.said) << c.chosen;
    }
    EXPECT_EQ(folder_files(data_root()), before);
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kItalian));
  });
}

// A save of the school that stopped halfway and cannot be completed (its
// marker unreadable) stops the archive with the save's own message: no
// chooser is asked and no archive is written.
TEST_F(ArchiveDialogTexts, AnUnfinishedSaveStopsTheArchiveWithItsReason) {
  std::string said;
  Run([&] {
    fs::create_directories(root_ / "archivi");
    fs::create_directories(school() / "scuola.kt-commit");  // a marker that cannot be read
    answers_.push_back("\\archivi");
    InArchiveDialog([&](Dialog& d) {
      AnswerBox(&said);
      ui.Click(d, A::kArchiveId);
    });
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_TRUE(asked_kinds_.empty()) << "no chooser";
    EXPECT_TRUE(fs::is_empty(root_ / "archivi"));
    fs::remove(school() / "scuola.kt-commit");
  });
  EXPECT_EQ(said.rfind("L'ultimo salvataggio di questa scuola si \xE8 interrotto e non si pu\xF2 completare (", 0), 0u)
      << said;
}

// A school folder without its description is no school to archive: the
// archive is refused with the folder's name, and none is written.
TEST_F(ArchiveDialogTexts, AFolderWithoutTheDescriptionIsNoSchoolToArchive) {
  std::string said[2];
  Run([&] {
    fs::rename(school() / "scuola2.txt", root_ / "scuola2.txt");
    said[0] = Archive();
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kEnglish));
    said[1] = Archive();
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kItalian));
    EXPECT_TRUE(fs::is_empty(root_ / "archivi"));
    fs::rename(root_ / "scuola2.txt", school() / "scuola2.txt");
  });
  EXPECT_EQ(said[0], "La cartella non contiene una scuola (manca scuola2.txt):\r\n" + school().string());
  EXPECT_EQ(said[1], "The folder holds no school (scuola2.txt is missing):\r\n" + school().string());
}

}  // namespace
