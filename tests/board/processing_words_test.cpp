// The processing pages in German and English, as the officer reads them
// after choosing the language on the home page: the processing menu's
// title and buttons, the computation page's techniques and buttons and the
// problems monitor's buttons. German words are written with their umlauts
// and sharp s, the way the frame's own menu writes the same pages' names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/computation_page.h"
#include "board/problems_monitor.h"
#include "board/processing_menu.h"
#include "platform/controls/combo_box.h"
#include "shell/frame_test_support.h"
#include "shell/home_page.h"
#include "structure/trial_computation.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using M = Cmakedibi;
using C = Cmake;
using P = Cquadropbs;

struct Words {
  int language_button;
  std::vector<std::string> menu;        // title, courses, stand-by, check, publish
  std::vector<std::string> techniques;  // the first and the last technique
  std::vector<std::string> computation; // take back, close
  std::vector<std::string> monitor;     // grant, close
};

class ProcessingWords : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
  }
  TestDriver ui;
};

TEST_F(ProcessingWords, ThePagesSpeakTheChosenLanguageWithItsOwnLetters) {
  const Words cases[] = {
      {CPlenixDlg::kGerman,
       {"Verarbeitung des Stundenplanes - \xDC" "berblick und Druck",
        "Stundenplan durch Abschnitte anzeigen um manuell zu \xE4" "ndern",
        "Verwaltung der Behindertenhilfe, Verf\xFC" "gung und Sprechstunden",
        "PR\xDC" "FUNG des gespeicherten Stundenplanes", "Ver\xF6" "ffentlichen"},
       {"Neuen Stundenplan vollst\xE4" "ndig berechnen", "Ausnahmen f\xFC" "r alle Restfehler"},
       {"Vorherigen Stundenplan zur\xFC" "ckholen", "Schlie\xDF" "en"},
       {"Ausnahme gew\xE4" "hren", "Schlie\xDF" "en"}},
      {CPlenixDlg::kEnglish,
       {"Timetable Processing - Overview and Printing", "View Timetable for Sections and change it manually",
        "Hours for Substitutions, - for Handicap Support - And Receipt of Public", "CHECK the saved timetable",
        "Publish timetable"},
       {"Compute a new timetable", "Derogations for all residual errors"},
       {"Take back the previous timetable", "Close"},
       {"Grant the exemption", "Close"}},
  };
  copy_example("piccola", "scuola");
  write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\scuola\n");
  run_program(ui, [&] {
    for (const Words& words : cases) {
      SCOPED_TRACE(words.language_button);
      alfadlg_go_to_page(kPageHome);
      ASSERT_TRUE(ui.Click(g_home_page, words.language_button));
      alfadlg_go_to_page(kPageProcessingMenu);
      ASSERT_EQ(g_current_page, &g_processing_menu);
      EXPECT_EQ((std::vector<std::string>{ui.Text(g_processing_menu, M::kTitleId),
                                          ui.Text(g_processing_menu, M::kCoursesId),
                                          ui.Text(g_processing_menu, M::kStandbyId),
                                          ui.Text(g_processing_menu, M::kCheckId),
                                          ui.Text(g_processing_menu, M::kPublishId)}),
                words.menu);

      ui.Click(g_processing_menu, M::kComputeId);
      ASSERT_EQ(g_current_page, &g_make_page);
      auto* techniques = static_cast<ComboBox*>(g_make_page.GetDlgItem(C::kTechniqueId));
      ASSERT_NE(techniques, nullptr);
      ASSERT_GE(techniques->GetCount(), 2);
      EXPECT_EQ((std::vector<std::string>{techniques->GetLBText(0), techniques->GetLBText(techniques->GetCount() - 1)}),
                words.techniques);
      EXPECT_EQ((std::vector<std::string>{ui.Text(g_make_page, C::kTakeBackId), ui.Text(g_make_page, C::kCloseId)}),
                words.computation);

      ui.Click(g_make_page, C::kProblemsId);
      ASSERT_TRUE(g_problems_monitor.IsWindow() && g_problems_monitor.IsWindowVisible());
      EXPECT_EQ((std::vector<std::string>{ui.Text(g_problems_monitor, P::kGrantId),
                                          ui.Text(g_problems_monitor, P::kCloseId)}),
                words.monitor);
      ui.Click(g_problems_monitor, P::kCloseId);
      ui.Click(g_make_page, C::kCloseId);
      EXPECT_EQ(g_current_page, &g_processing_menu);
    }
  });
}

}  // namespace
