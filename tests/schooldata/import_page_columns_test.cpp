// The import pages' lists and tips driven headless: every heading of the
// Orario Facile page orders its lessons by that column, then the other way
// round (number, teacher, co-teacher, class, section, subject, hours); the
// spreadsheet's section column likewise; each tip button shows its tip.
#include "schooldata/orario_facile_page.h"
#include "schooldata/spreadsheet_page.h"
#include "import_test_support.h"

namespace {

using namespace kt_search_test;
using namespace kt::ui;

class ImportColumns : public ImportFolder {
 protected:
  void SetUp() override {
    ImportFolder::SetUp();
    std::strcpy(g_ui_header.school_name, "Liceo Prova");
    og_write_structure_file();
  }
  static std::string Lesson(const char* subject, const char* hours, const char* teacher, const char* twin,
                            const char* group) {
    std::string l = std::string("<lesson>\n<subject value=\"") + subject + "\"/>\n<duration value=\"" + hours +
                    "\"/>\n<teacher>\n<name value=\"" + teacher + "\"/>\n</teacher>\n";
    if (twin) l += std::string("<teacher>\n<name value=\"") + twin + "\"/>\n</teacher>\n";
    return l + "<group>\n<name value=\"" + group + "\"/>\n</group>\n</lesson>\n";
  }
};

TEST_F(ImportColumns, EveryOrarioFacileHeadingSortsBothWays) {
  file(drive_ + "/a.ofd", "<?xml?>\n" + Lesson("Fisica", "2", "Rossi", "Bianchi", "1A") +
                              Lesson("Arte", "1", "Verdi", "Neri", "2C") + Lesson("Storia", "3", "Allegri", nullptr, "3B") +
                              Lesson("Chimica", "4", "Conti", "Abate", "1D"));
  chosen_ = "a.ofd";
  TestDriver ui;
  std::vector<std::string> problems;
  std::string tip;
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Corafac::kOpenId);
    struct Column {
      int col;
      bool number;
    } columns[] = {{1, false}, {2, false}, {3, false}, {4, false}, {6, false}, {7, true}, {0, true}};
    for (const Column& c : columns) {
      std::string why = SortsBothWays(ui, d, Corafac::kListId, c.col, c.number);
      if (!why.empty()) problems.push_back(std::to_string(c.col) + ": " + why);
    }
    ui.Click(d, Corafac::kSortTipId);
    tip = ui.Text(d, Corafac::kHelpId);
    ui.Click(d, Corafac::kAbandonId);
  });
  ui.AnswerNextModal(kIdYes);  // leaving without saving
  Corafac page;
  page.DoModal();
  EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems);
  EXPECT_EQ(tip.rfind("SUGGERIMENTO: se volete vedere, ad esempio, quali Professori ha una certa Classe", 0), 0u)
      << tip;
}

TEST_F(ImportColumns, TheSpreadsheetsSectionSortsBothWaysAndEachTipShows) {
  file(drive_ + "/s.txt",
       "Matematica\tRossi\t2B\t3\n"
       "Storia\tBianchi\t1A\t2\n"
       "Arte\tVerdi\t3C\t1\n"
       "Fisica\tAllegri\t1D\t4\n");
  chosen_ = "s.txt";
  TestDriver ui;
  std::string sorted, sort_tip, clear_tip, columns_tip, example;
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Coraxls::kOpenId);
    sorted = SortsBothWays(ui, d, Coraxls::kListId, 4, false);
    ui.Click(d, Coraxls::kSortTipId);
    sort_tip = ui.Text(d, Coraxls::kPurposeId);
    ui.Click(d, Coraxls::kClearTipId);
    clear_tip = ui.Text(d, Coraxls::kPurposeId);
    d.GetDlgItem(Coraxls::kColumnsHelpId)->SetWindowText("");
    ui.Click(d, Coraxls::kColumnsTipId);
    columns_tip = ui.Text(d, Coraxls::kColumnsHelpId);
    d.GetDlgItem(Coraxls::kColumnsHelpId)->SetWindowText("");
    ui.Click(d, Coraxls::kExampleId);  // no example window here: the columns' help instead
    example = ui.Text(d, Coraxls::kColumnsHelpId);
    ui.Click(d, Coraxls::kAbandonId);
  });
  ui.AnswerNextModal(kIdYes);
  Coraxls page;
  page.DoModal();
  EXPECT_EQ(sorted, "");
  EXPECT_EQ(sort_tip.rfind("SUGGERIMENTO: se volete vedere", 0), 0u) << sort_tip;
  EXPECT_EQ(clear_tip.rfind("Potete cancellare le lezioni gi\xE0 configurate in precedenza", 0), 0u) << clear_tip;
  EXPECT_EQ(columns_tip.rfind("Il foglio ha le colonne: nome della materia, nome del professore", 0), 0u) << columns_tip;
  EXPECT_EQ(example, columns_tip);
}

}  // namespace
