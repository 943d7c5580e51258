// The personal teacher constraints page opened in the running program after
// the officer chose a language on the home page: the full-days row "between
// hour ... and hour ..." joins its two hours with the word of that language,
// in a label that ends before the second hour's list begins.
#include "constraints/teacher_constraints_page.h"
#include "frame_test_support.h"
#include "shell/home_page.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

using TeacherLimitsWords = ProgramOnSample;

TEST_F(TeacherLimitsWords, TheFullDaysRowJoinsItsHoursInTheChosenLanguage) {
  struct Case {
    int button;
    const char* and_word;
    const char* between;  // the row's own label, translated by the caption table
  };
  const Case cases[] = {{CPlenixDlg::kGerman, "und", "VOLLE Tage zwischen Stunde"},
                        {CPlenixDlg::kEnglish, "and", "FULL days between hour"},
                        {CPlenixDlg::kItalian, "e", "Giorni PIENI tra l'Ora"}};
  Run([&] {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.and_word);
      alfadlg_go_to_page(kPageHome);
      ASSERT_TRUE(ui.Click(g_home_page, c.button));
      alfadlg_go_to_page(kPageConfigMenu);  // reads the school
      alfadlg_go_to_page(kPageVipro);
      ASSERT_NE(g_current_page, nullptr);
      Dialog& page = *g_current_page;
      EXPECT_EQ(ui.Text(page, Cvipro::kFullDaysAndId), c.and_word);
      Window* word = page.GetDlgItem(Cvipro::kFullDaysAndId);
      Window* second_hour = page.GetDlgItem(3067);
      ASSERT_TRUE(word && second_hour);
      EXPECT_LE(word->GetWindowRect().right, second_hour->GetWindowRect().left);
      // The row's first label is the one before the first hour's list.
      bool seen = false;
      for (Window* child : page.Children())
        if (child->GetWindowText() == c.between) seen = true;
      EXPECT_TRUE(seen) << c.between;
    }
  });
}

}  // namespace
