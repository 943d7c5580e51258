// The windows the processing menu opens over itself, in the running
// program: the computation window (the printing, the check of the saved
// timetable) and the room allocation window. Their title bars speak the
// language chosen on the home page, like their texts.
#include <gtest/gtest.h>

#include <string>

#include "board/processing_menu.h"
#include "board/room_window.h"
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

TEST_F(ComputationWindowTitle, TitleBarsSpeakTheChosenLanguage) {
  struct Case {
    int button;
    const char* title;
    const char* result;  // the check without a timetable
    const char* rooms_title;
  };
  const Case cases[] = {
      {CPlenixDlg::kEnglish, "Timetable Calculation", "No timetable computed: compute the timetable first.",
       "Allocation of Classrooms"},
      {CPlenixDlg::kGerman, "Berechnung des Stundenplanes", "Kein Stundenplan berechnet: zuerst den Stundenplan berechnen.",
       "Zuweisung der Klassenzimmer"},
      {CPlenixDlg::kItalian, "Calcolo dell'Orario", "Nessun orario elaborato: calcolare prima l'orario.",
       "Assegnazione delle Aule"},
  };
  fs::path school = copy_example("piccola", "scuola");
  write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\scuola\n");
  run_program(ui, [&] {
    for (const Case& c : cases) {
      fs::remove(school / "savego.txt");
      SCOPED_TRACE(c.title);
      alfadlg_go_to_page(kPageHome);
      ASSERT_TRUE(ui.Click(g_home_page, c.button));
      alfadlg_go_to_page(kPageProcessingMenu);
      std::string title, result;
      ui.OnNextModal([&](Dialog& d) {
        title = d.GetWindowText();
        result = ui.Text(d, C::kResultId);
        ui.Click(d, C::kCloseId);
      });
      ASSERT_TRUE(ui.Click(g_processing_menu, M::kCheckId));
      EXPECT_EQ(title, c.title);
      EXPECT_EQ(result, c.result);
      fs::copy_file(fs::path(KT_TEST_DATA) / "savefiles/piccola-savego.txt", school / "savego.txt",
                    fs::copy_options::overwrite_existing);

      std::string rooms_title;
      ui.AnswerNextModal(kIdYes);  // this timetable was never computed here: view it anyway
      ui.OnNextModal([&](Dialog& d) {
        rooms_title = d.GetWindowText();
        ui.Click(d, Casau::kCloseId);
      });
      ASSERT_TRUE(ui.Click(g_processing_menu, M::kRoomWindowId));  // on the saved timetable
      EXPECT_EQ(rooms_title, c.rooms_title);
    }
  });
}

}  // namespace
