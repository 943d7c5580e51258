// The special options page (page 15) as the officer saves it: the 15.94
// text stands between dashes in the "TEKNO:" line, before the single-unit
// lessons rule (15.62). A text with a dash, a word or an hour outside 1 to
// 11 is refused with a message and leaves both files as they were; a list of
// hours is saved, read back by the page and by the engine with 15.62 intact.
#include <fstream>
#include <string>

#include "constraints/special_options.h"
#include "engine/engine_main.h"
#include "engine/model.h"
#include "frame_test_support.h"
#include "schooldata/school_file_lines.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using S = Coraspec;

class SpecialOptionsSaved : public ProgramOnSample {
 protected:
  fs::path school() const { return data_root() / "piccola"; }
  std::string files() const { return school_file_lines(); }
  std::string tekno_line() const {
    std::string all = files();
    std::size_t at = all.find("TEKNO:");
    return at == std::string::npos ? "" : all.substr(at, all.find('\n', at) - at);
  }
  // Types the 15.94 text over the old one and presses SALVA.
  void SaveWithText(const std::string& text) {
    Window& page = *g_current_page;
    page.GetDlgItem(S::kChangeAfterId)->SetWindowText("");
    ASSERT_TRUE(ui.Type(page, S::kChangeAfterId, text));
    ASSERT_TRUE(ui.Click(page, S::kSaveId));
  }
};

TEST_F(SpecialOptionsSaved, HoursTextIsCheckedBeforeTheSchoolIsSaved) {
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));  // reads the school
    alfadlg_go_to_page(kPageOraspec);
    ASSERT_NE(g_current_page, nullptr);
    Window& page = *g_current_page;
    ASSERT_TRUE(ui.Select(page, S::kSingleUnitId, 2));
    const std::string before = files();
    // id, text typed: each refused, the files untouched
    const char* const refused[] = {"3-5", "dopo la 3", "12", "0", "4|5"};
    for (const char* text : refused) {
      std::size_t shown = ui.boxes().size();
      ui.AnswerNextModal(kIdOk);
      SaveWithText(text);
      ASSERT_EQ(ui.boxes().size(), shown + 1) << text;
      EXPECT_EQ(ui.boxes().back().texts.at(0).rfind("15.94 - Cambio lezione ammesso dopo ora: scrivere", 0), 0u)
          << text;
      EXPECT_TRUE(ui.HasFocus(page, S::kChangeAfterId)) << text;
      EXPECT_EQ(files(), before) << text;
    }
    SaveWithText("3 5,7");
    EXPECT_EQ(tekno_line(), "TEKNO:\t0-0-0-3 5,7-2\t");
    const char* argv[] = {"orario", "SYNT:scuola2.txt", nullptr};
    EXPECT_EQ(or_main(0, 2, argv), 0) << g_status.message;
    EXPECT_STREQ(g_eng_school.tekno_text, "3 5,7");
    EXPECT_EQ(g_eng_school.tekno[3], 2);
    // Opened again from the saved school: both shown as entered.
    alfadlg_go_to_page(kPageHome);
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    alfadlg_go_to_page(kPageOraspec);
    EXPECT_EQ(ui.Text(*g_current_page, S::kChangeAfterId), "3 5,7");
    EXPECT_EQ(static_cast<ComboBox*>(g_current_page->GetDlgItem(S::kSingleUnitId))->GetCurSel(), 2);
  });
}

// Leaving the page with an unusable text keeps the user there with the
// message; Esc and "drop the changes" leave without a word about it.
TEST_F(SpecialOptionsSaved, UnusableTextKeepsThePageUntilDropped) {
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    alfadlg_go_to_page(kPageOraspec);
    Window* page = g_current_page;
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(ui.Type(*page, S::kChangeAfterId, "2-4"));
    const std::string before = files();
    std::size_t shown = ui.boxes().size();
    ui.AnswerNextModal(kIdOk);
    alfadlg_go_to_page(kPageHome);
    EXPECT_EQ(g_current_page, page);  // refused
    ASSERT_EQ(ui.boxes().size(), shown + 1);
    EXPECT_EQ(ui.boxes().back().texts.at(0).rfind("15.94 - Cambio lezione", 0), 0u);
    ASSERT_TRUE(ui.Click(*page, S::kAbandonId));  // no change reached the model: nothing to ask
    ui.Pump();
    EXPECT_EQ(ui.boxes().size(), shown + 1);
    EXPECT_EQ(ui.Text(*g_current_page, S::kChangeAfterId), "");
    alfadlg_go_to_page(kPageHome);
    EXPECT_EQ(g_current_page, &g_home_page);
    EXPECT_EQ(files(), before);
  });
}

// A school that already holds a text the page would refuse (written before
// the check, or by hand) is not a change of the user's: the page is left
// without a word, and the text stays as the school had it.
TEST_F(SpecialOptionsSaved, AStoredTextThePageWouldRefuseDoesNotHoldThePage) {
  {
    std::ofstream add(school() / "scuola2.txt", std::ios::app | std::ios::binary);
    add << "TEKNO:\t0-0-0-12-1\t\n";
  }
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    alfadlg_go_to_page(kPageOraspec);
    ASSERT_NE(g_current_page, nullptr);
    EXPECT_EQ(ui.Text(*g_current_page, S::kChangeAfterId), "12");
    std::size_t shown = ui.boxes().size();
    alfadlg_go_to_page(kPageHome);
    EXPECT_EQ(g_current_page, &g_home_page);
    EXPECT_EQ(ui.boxes().size(), shown);
  });
}

}  // namespace
