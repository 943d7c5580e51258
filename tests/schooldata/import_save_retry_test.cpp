// An import page whose save fails (the disk full) says so and stays open
// with the school's new posts kept; saved again once the disk has room,
// each imported lesson counts once, never twice, in the saved school: the
// Orario Facile page and the spreadsheet page alike; a file imported again
// over its saved import adds nothing.
#include <cerrno>

#include "import_test_support.h"
#include "platform/system_atomic_write.h"
#include "schooldata/description_writer.h"
#include "schooldata/orario_facile_page.h"
#include "schooldata/school_files.h"
#include "schooldata/spreadsheet_page.h"

namespace {

using namespace kt_search_test;
using namespace kt::ui;

int g_full_disk = 0;
int full_disk(kt::AtomicStep step, const std::string& target) {
  return g_full_disk && step == kt::AtomicStep::kWrite && target.ends_with("scuola2.txt") ? ENOSPC : 0;
}

class ImportSaveRetry : public ImportFolder {
 protected:
  void SetUp() override {
    ImportFolder::SetUp();
    WriteSchool("Liceo Prova");
    kt::set_atomic_write_fault(full_disk);
  }
  void TearDown() override {
    kt::set_atomic_write_fault(nullptr);
    g_full_disk = 0;
    ImportFolder::TearDown();
  }
  // The hours of each post of the teacher, read back from the saved files.
  static std::vector<int> SavedHours(const char* name) {
    EXPECT_EQ(og_read_structure_file(0), 0);
    EXPECT_EQ(og_read_assignments_file(0), 0) << og_description_error();
    std::vector<int> hours;
    for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t) {
      if (std::strcmp(g_ui_teachers[t].name, name) != 0) continue;
      for (std::uint32_t p = 0; p < g_ui_teachers[t].post_count; ++p) hours.push_back(g_ui_teachers[t].posts[p].own.hours);
    }
    return hours;
  }
  // Clicks Save twice: the first with the disk full. What the box said,
  // and whether the page was still open for the second.
  template <class Page>
  std::pair<std::string, bool> SaveTwice(TestDriver& ui, Dialog& d, int open_id, int save_id) {
    ui.Click(d, open_id);
    g_full_disk = 1;
    std::size_t shown = ui.boxes().size();
    ui.AnswerNextModal(kIdOk);
    ui.Click(d, save_id);
    std::string said = ui.boxes().size() > shown ? ui.boxes()[shown].texts.at(0) : "<nothing said>";
    bool open = d.IsWindow() && d.IsWindowVisible();
    g_full_disk = 0;
    ui.Click(d, save_id);
    return {said, open};
  }

  // A save refused by a full disk, then made again: the page stays open
  // after the refusal with its message, and the saved school has ROSSI's
  // two lessons once each (2 and 3 hours).
  template <class Page>
  void ExpectRetriedSaveCountsOnce() {
    TestDriver ui;
    std::pair<std::string, bool> first;
    ui.OnNextModal([&](Dialog& d) { first = SaveTwice<Page>(ui, d, Page::kOpenId, Page::kSaveId); });
    Page page;
    EXPECT_EQ(page.DoModal(), Page::kSaved);
    EXPECT_EQ(first.first, "Dati NON salvati: impossibile scrivere scuola2.txt: disco pieno");
    EXPECT_TRUE(first.second) << "the page stays open after a failed save";
    std::vector<int> hours = SavedHours("ROSSI");
    std::sort(hours.begin(), hours.end());
    EXPECT_EQ(hours, (std::vector<int>{2, 3}));
    EXPECT_TRUE(ui.Problems().empty());
  }
};

TEST_F(ImportSaveRetry, OrarioFacileCountsEachLessonOnce) {
  file(drive_ + "/a.ofd",
       "<?xml?>\n"
       "<lesson>\n<subject value=\"Fisica\"/>\n<duration value=\"2\"/>\n<teacher>\n<name value=\"Rossi\"/>\n"
       "</teacher>\n<group>\n<name value=\"4B\"/>\n</group>\n</lesson>\n"
       "<lesson>\n<subject value=\"Arte\"/>\n<duration value=\"3\"/>\n<teacher>\n<name value=\"Rossi\"/>\n"
       "</teacher>\n<group>\n<name value=\"4B\"/>\n</group>\n</lesson>\n");
  chosen_ = "a.ofd";
  ExpectRetriedSaveCountsOnce<Corafac>();
}

TEST_F(ImportSaveRetry, TheSpreadsheetCountsEachRowOnce) {
  file(drive_ + "/d.txt", "Matematica\tRossi\t1A\t3\nStoria\tRossi\t1A\t2\n");
  chosen_ = "d.txt";
  ExpectRetriedSaveCountsOnce<Coraxls>();
}

// The same file imported again over its saved import: every row shows as
// configured and not to import, and saving adds nothing.
TEST_F(ImportSaveRetry, AFileImportedAgainAddsNothing) {
  file(drive_ + "/d.txt", "Matematica\tRossi\t1A\t3\nStoria\tRossi\t1A\t2\n");
  file(drive_ + "/a.ofd",
       "<?xml?>\n"
       "<lesson>\n<subject value=\"Fisica\"/>\n<duration value=\"2\"/>\n<teacher>\n<name value=\"Bianchi\"/>\n"
       "</teacher>\n<group>\n<name value=\"4B\"/>\n</group>\n</lesson>\n");
  TestDriver ui;
  for (int round = 0; round < 2; ++round) {
    std::vector<std::string> configured, to_import;
    chosen_ = "d.txt";
    ui.OnNextModal([&](Dialog& d) {
      ui.Click(d, Coraxls::kOpenId);
      configured = column(d, 1030, 11);
      to_import = column(d, 1030, 12);
      ui.Click(d, Coraxls::kSaveId);
    });
    Coraxls sheet;
    EXPECT_EQ(sheet.DoModal(), Coraxls::kSaved) << round;
    EXPECT_EQ(configured, (std::vector<std::string>(2, round == 0 ? "NO" : "si"))) << round;
    EXPECT_EQ(to_import, (std::vector<std::string>(2, round == 0 ? "si" : "NO"))) << round;
    chosen_ = "a.ofd";
    if (round == 1) ui.AnswerNextModal(kIdYes);  // "... sono gi\xE0 stati inclusi: sicuro di proseguire?"
    ui.OnNextModal([&](Dialog& d) {
      ui.Click(d, Corafac::kOpenId);
      configured = column(d, 1030, 8);
      to_import = column(d, 1030, 9);
      ui.Click(d, Corafac::kSaveId);
    });
    Corafac facile;
    EXPECT_EQ(facile.DoModal(), Corafac::kSaved) << round;
    EXPECT_EQ(configured, (std::vector<std::string>(1, round == 0 ? "NO" : "si"))) << round;
    EXPECT_EQ(to_import, (std::vector<std::string>(1, round == 0 ? "si" : "NO"))) << round;
    std::vector<int> rossi = SavedHours("ROSSI"), bianchi = SavedHours("BIANCHI");
    std::sort(rossi.begin(), rossi.end());
    EXPECT_EQ(rossi, (std::vector<int>{2, 3})) << round;
    EXPECT_EQ(bianchi, (std::vector<int>{2})) << round;
  }
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
