// The computation window the processing menu opens for the printing and
// the check of the saved timetable, in the running program: its title bar
// speaks the language chosen on the home page, like its texts.
#include <gtest/gtest.h>

#include <string>

#include "board/processing_menu.h"
#include "shell/frame_test_support.h"
#include "shell/home_page.h"
#include "structure/trial_computation.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using M = Cmakedibi;
using C = Cmake;

class ComputationWindowTitle : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
  }
  TestDriver ui;
};

TEST_F(ComputationWindowTitle, SpeaksTheChosenLanguage) {
  struct Case {
    int button;
    const char* title;
    const char* result;  // the check without a timetable
  };
  const Case cases[] = {
      {CPlenixDlg::kEnglish, "Timetable Calculation", "No timetable computed: compute the timetable first."},
      {CPlenixDlg::kGerman, "Berechnung des Stundenplanes", "Kein Stundenplan berechnet: zuerst den Stundenplan berechnen."},
      {CPlenixDlg::kItalian, "Calcolo dell'Orario", "Nessun orario elaborato: calcolare prima l'orario."},
  };
  copy_example("piccola", "scuola");
  write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\scuola\n");
  run_program(ui, [&] {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.title);
      alfadlg_go_to_page(kPageHome);
      ASSERT_TRUE(ui.Click(g_home_page, c.button));
      alfadlg_go_to_page(kPageProcessingMenu);
      std::string title, result;
      ui.OnNextModal([&](Dialog& d) {
        ui.Render(d);  // the window as the officer sees it, painted
        title = d.GetWindowText();
        result = ui.Text(d, C::kResultId);
        ui.Click(d, C::kCloseId);
      });
      ASSERT_TRUE(ui.Click(g_processing_menu, M::kCheckId));
      EXPECT_EQ(title, c.title);
      EXPECT_EQ(result, c.result);
    }
  });
}

}  // namespace
