// What a replacement of files leaves behind -- a temporary copy
// ("<name>.kt-tmp-<pid>" or "<name>.kt-tmp-<pid>-<n>"), the commit marker,
// a numbered previous copy ("<name>.~<digit>...") -- in any folder of the
// school: the archive leaves every such file out and keeps every name that
// only looks alike, and an archive holding one, at the top or in a
// sub-folder, is refused naming the file, with nothing written.
#include <gtest/gtest.h>
#include <minizip/unzip.h>

#include <set>

#include "remote_test_support.h"
#include "schooldata/zip_test_support.h"
#include "shell/home_page.h"

namespace {

using namespace kt_remote_test;
using kt_zip_test::write_zip;

const char* const kLeftovers[] = {
    "orario.txt.kt-tmp-4242", "orario.txt.kt-tmp-4242-3", "scuola.kt-commit", "orario.txt.~0", "orario.txt.~9",
    "orario.txt.~15",
};
const char* const kLookAlikes[] = {
    "orario.~", "orario.~x", "orario.txt~1", "kt-tmp-1.txt", "orario.kt-tmp", "scuola.kt-commit.txt", "~9.txt",
};

class ArchiveLeftoverNames : public RemoteProgram {
 protected:
  std::set<std::string> ArchivedNames(const fs::path& zip) {
    std::set<std::string> names;
    unzFile archive = unzOpen64(zip.c_str());
    EXPECT_NE(archive, nullptr);
    if (!archive) return names;
    for (int rc = unzGoToFirstFile(archive); rc == UNZ_OK; rc = unzGoToNextFile(archive)) {
      char name[256];
      EXPECT_EQ(unzGetCurrentFileInfo64(archive, nullptr, name, sizeof name, nullptr, 0, nullptr, 0), UNZ_OK);
      names.insert(name);
    }
    unzClose(archive);
    return names;
  }
};

TEST_F(ArchiveLeftoverNames, LeftoversStayOutOfTheArchiveAndLookAlikesGoIn) {
  fs::create_directories(school() / "appunti");
  for (const char* name : kLeftovers) write(school() / "appunti" / name, std::string("x ") + name);
  for (const char* name : kLookAlikes) write(school() / "appunti" / name, std::string("y ") + name);
  std::set<std::string> expected;
  for (const auto& [name, bytes] : folder_files(school())) {
    bool leftover = false;
    for (const char* l : kLeftovers) leftover = leftover || name == std::string("appunti/") + l;
    if (!leftover) expected.insert("piccola/" + name);
  }
  ASSERT_TRUE(expected.count("piccola/scuola2.txt"));
  Run([&] {
    fs::create_directories(root_ / "archivi");
    answers_.push_back("\\archivi");
    std::string said;
    InArchiveDialog([&](Dialog& d) {
      AnswerBox(&said);
      ui.Click(d, Carchivio::kArchiveId);
    });
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    ASSERT_NE(said.find("Archivio della scuola creato"), std::string::npos) << said;
    fs::path zip;
    for (const auto& e : fs::directory_iterator(root_ / "archivi"))
      if (e.path().extension() == ".zip") zip = e.path();
    ASSERT_FALSE(zip.empty());
    EXPECT_EQ(ArchivedNames(zip), expected);
  });
}

TEST_F(ArchiveLeftoverNames, AnArchiveHoldingALeftoverIsRefusedNamingIt) {
  const std::string school2 = read(school() / "scuola2.txt");
  Run([&] {
    const auto before = folder_files(root_);
    for (const char* leftover : kLeftovers)
      for (const std::string folder : {"piccola/", "piccola/appunti/"}) {
        const std::string name = folder + leftover;
        fs::path zip = root_ / "ostile.zip";
        write_zip(zip.string(), {{"piccola/scuola2.txt", school2}, {name, "x"}});
        answers_.push_back("\\ostile.zip");
        std::string said;
        InArchiveDialog([&](Dialog& d) {
          AnswerBox(&said);
          ui.Click(d, Carchivio::kRestoreId);
        });
        ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive)) << name;
        EXPECT_EQ(said, "Archivio non ripristinato: contiene il file [" + name +
                            "], che non appartiene a una scuola.")
            << name;
        fs::remove(zip);
        EXPECT_EQ(folder_files(root_), before) << name;
      }
    EXPECT_EQ(ui.PendingSteps(), 0u);
  });
}

}  // namespace
