// The Orario Facile and spreadsheet import pages driven headless: reading,
// saving posts with co-presence partners, clearing, abandoning.

#include "schooldata/description_writer.h"
#include "schooldata/orario_facile_page.h"
#include "schooldata/sissi_import_page.h"
#include "schooldata/spreadsheet_page.h"
#include "import_test_support.h"

namespace {

using namespace kt_search_test;
using namespace kt::ui;

class ImportPages : public ImportFolder {
 protected:
  void SetUp() override {
    ImportFolder::SetUp();
    std::strcpy(g_ui_structure.subjects[0].name, "Compresenza00");
    g_ui_structure.subjects[0].type = 'C';
    g_ui_structure.subject_count = 1;
    WriteSchool("Liceo Prova");
  }
  static std::vector<std::string> column(Dialog& d, int col) { return ImportFolder::column(d, 1030, col); }
  static std::string subject(int s) { return s < 0 ? std::string("-") : g_ui_structure.subjects[s].name; }
};

TEST_F(ImportPages, OrarioFacileSavesCoPresencePostsAndAbandonRereads) {
  std::string lesson = [](const char* subject, const char* hours, bool twin) {
    std::string l = std::string("<lesson>\n<subject value=\"") + subject + "\"/>\n<duration value=\"" + hours +
                    "\"/>\n<teacher>\n<name value=\"Rossi\"/>\n</teacher>\n";
    if (twin) l += "<teacher>\n<name value=\"Bianchi\"/>\n</teacher>\n";
    return l + "<group>\n<name value=\"IV B\"/>\n</group>\n</lesson>\n";
  }("Fisica", "2", true);
  file(drive_ + "/a.ofd", "<?xml?>\n" + lesson + lesson +
                              "<lesson>\n<subject value=\"Arte\"/>\n<teacher>\n<name value=\"Rossi\"/>\n</teacher>\n"
                              "<group>\n<name value=\"4B\"/>\n</group>\n</lesson>\n");
  chosen_ = "a.ofd";
  TestDriver ui;
  std::vector<std::string> intro, to_import, by_subject;
  ui.OnNextModal([&](Dialog& d) {
    intro = column(d, 1);
    ui.Click(d, Corafac::kOpenId);
    to_import = column(d, 9);
    ui.ClickHeader(d, Corafac::kListId, 6);
    by_subject = column(d, 0);
    ui.Click(d, Corafac::kSaveId);
  });
  Corafac page;
  EXPECT_EQ(page.DoModal(), Corafac::kSaved);
  EXPECT_EQ(intro.size(), 5u);
  EXPECT_EQ(to_import, (std::vector<std::string>{"si", "si", "si"}));
  EXPECT_EQ(by_subject, (std::vector<std::string>{"3", "1", "2"}));
  const UiTeacher* rossi = teacher("ROSSI");
  ASSERT_NE(rossi, nullptr);
  ASSERT_EQ(+rossi->post_count, 2u);
  // The lessons were applied in the sorted order: ARTE first.
  EXPECT_EQ(+rossi->posts[0].partner, -1);
  EXPECT_EQ(+rossi->posts[1].own.hours, 4);
  EXPECT_EQ(+rossi->posts[1].partner_part.hours, 4);
  // Names are stored in upper case: "COMPRESENZA00" counts as taken.
  EXPECT_EQ(subject(rossi->posts[1].conversation_subject), "COMPRESENZA01");
  EXPECT_EQ(g_ui_structure.status[2], '1');
  // Read back, the same file shows every lesson configured; abandoning
  // re-reads the files; a missing Argo file ends the page with -1.
  ASSERT_EQ(og_read_structure_file(0), 0);
  ASSERT_EQ(og_read_assignments_file(0), 0) << og_description_error();
  std::vector<std::string> configured;
  ui.AnswerNextModal(kIdYes);
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Corafac::kOpenId);
    configured = column(d, 8);
    ui.Click(d, Corafac::kAbandonId);
  });
  Corafac again;
  EXPECT_EQ(again.DoModal(), kIdCancel);
  EXPECT_EQ(configured, (std::vector<std::string>{"si", "si", "si"}));
  rossi = teacher("ROSSI");
  ASSERT_NE(rossi, nullptr);
  EXPECT_EQ(+rossi->post_count, 2u);
  chosen_ = "none.drw";
  ui.AnswerNextModal(kIdYes);
  ui.OnNextModal([&](Dialog& d) { ui.Click(d, Corafac::kArgoId); });
  ui.AnswerNextModal(kIdOk);  // "Manca file di importazione [...]"
  Corafac failing;
  EXPECT_EQ(failing.DoModal(), -1);
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(ImportPages, SpreadsheetSavesPatternsPartnersAndClearsForARereading) {
  file(drive_ + "/d.txt",
       "Matematica\tRossi\t1A\t3\t2\tBianchi\t2\n"
       "Matematica|Rossi|1A|1|N|Bianchi|1\n"
       "Storia\tRossi\t1A\t2\t3\tRossi\t2\n");
  chosen_ = "d.txt";
  TestDriver ui;
  bool save_before = true, save_after = false;
  ui.OnNextModal([&](Dialog& d) {
    save_before = ui.IsEnabled(d, Coraxls::kSaveId);
    ui.Click(d, Coraxls::kOpenId);
    save_after = ui.IsEnabled(d, Coraxls::kSaveId);
    ui.Click(d, Coraxls::kSaveId);
  });
  Coraxls page;
  EXPECT_EQ(page.DoModal(), Coraxls::kSaved);
  EXPECT_FALSE(save_before);
  EXPECT_TRUE(save_after);
  const UiTeacher* rossi = teacher("ROSSI");
  ASSERT_NE(rossi, nullptr);
  ASSERT_EQ(+rossi->post_count, 2u);
  const UiTeachingPost& maths = rossi->posts[0];
  EXPECT_EQ(+maths.own.hours, 4);
  EXPECT_EQ(+maths.partner_part.hours, 3);
  EXPECT_STREQ(maths.own.grouping1, "2");
  EXPECT_EQ(subject(maths.conversation_subject), "COMPRESENZA");  // saved in upper case
  EXPECT_STREQ(g_ui_teachers[maths.partner].name, "BIANCHI");
  EXPECT_EQ(+rossi->posts[1].partner, -1);
  EXPECT_EQ(+rossi->posts[1].conversation_subject, -1);
  EXPECT_EQ(g_ui_structure.status[5], '1');
  // Clearing the posts and reading again offers every row anew.
  std::vector<std::string> configured, to_import;
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Coraxls::kOpenId);
    ui.Click(d, Coraxls::kClearId);
    configured = column(d, 11);
    to_import = column(d, 12);
    ui.Click(d, Coraxls::kNotExpertId);
  });
  ui.AnswerNextModal(kIdYes);  // "Sicuro di cancellare tutti gli elementi ?"
  Coraxls again;
  EXPECT_EQ(again.DoModal(), kIdCancel);
  EXPECT_EQ(configured, (std::vector<std::string>{"NO", "NO", "NO"}));
  EXPECT_EQ(to_import, (std::vector<std::string>{"si", "si", "si"}));
  rossi = teacher("ROSSI");
  ASSERT_NE(rossi, nullptr);
  EXPECT_EQ(+rossi->post_count, 2u);  // abandoned: the saved school again
  EXPECT_TRUE(ui.Problems().empty());
}

// Each column's heading orders the spreadsheet's rows by it, and again the
// other way round.
TEST_F(ImportPages, SpreadsheetHeadingsSortByTheirColumn) {
  file(drive_ + "/s.txt",
       "Matematica\tRossi\t2B\t3\n"
       "Storia\tBianchi\t1A\t2\n"
       "Arte\tVerdi\t3C\t1\n"
       "Fisica\tAllegri\t1D\t4\n");
  chosen_ = "s.txt";
  TestDriver ui;
  std::vector<std::string> problems;
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Coraxls::kOpenId);
    struct Column {
      int col;
      bool number;
    } columns[] = {{1, false}, {2, false}, {3, false}, {4, false}, {6, true}};  // the row number's column is narrow
    for (const Column& c : columns) {
      std::string why = SortsBothWays(ui, d, Coraxls::kListId, c.col, c.number);
      if (!why.empty()) problems.push_back(std::to_string(c.col) + ": " + why);
    }
    ui.Click(d, Coraxls::kAbandonId);
  });
  Coraxls page;
  page.DoModal();
  EXPECT_TRUE(problems.empty()) << problems[0];
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
