// The substitutions dialog's labels and buttons in the user's language,
// chosen in the status file before the desktop program starts: each label
// over its list and each button, as the dialog shows them once drawn.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app_test_support.h"
#include "computed_school.h"
#include "engine/substitution_services.h"
#include "frame_test_support.h"
#include "platform/test_driver.h"
#include "shell/home_page.h"
#include "substitutions/substitutions_dialog.h"

namespace {

using namespace kt::ui;
using S = Cmenu_sost;

class DialogWords : public kt_app_test::TempRoot {
 protected:
  void TearDown() override {
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
    TempRoot::TearDown();
  }
  // The texts of the dialog's labels and buttons as drawn, in the
  // language of the status file.
  std::vector<std::string> Shown(int language) {
    kestrintempus_install();
    substitution_test::copy_computed_school(data_root() / "piccola");
    write(data_root() / "plenixstatus.txt",
          "CURDIR:\\KestrinTempusDati\\piccola\nLINGUA:" + std::to_string(language) + "\n");
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
    std::vector<std::string> shown;
    kt_app_test::run_program(ui, [&] {
      ui.OnNextModal([&](Dialog& d) {
        DisplayList drawn = ui.Render(d);
        for (Window* c : d.Children()) {
          std::string kind = c->ClassName();
          bool hour_box = c->GetDlgCtrlID() >= S::kFirstHourId && c->GetDlgCtrlID() < S::kFirstHourId + 12;
          if ((kind == "Static" && c->GetDlgCtrlID() != S::kTitleId) || (kind == "Button" && !hour_box))
            shown.push_back(kind == "Static" ? c->GetWindowText() : drawn.TextsOf(c->GetDlgCtrlID()));
        }
        ui.Click(d, kIdCancel);
      });
      ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
    });
    return shown;
  }
  TestDriver ui;
};

TEST_F(DialogWords, LabelsAndButtonsSpeakTheUsersLanguage) {
  const std::vector<std::string> shown[3] = {
      {"Giorno:", "Insegnanti e ore del giorno:", "Motivo:", "Ore di assenza:", "Segna assente", "Togli assenza",
       "Assenti:", "CALCOLA le sostituzioni", "STAMPA", "Chiudi", "Sostituzioni:"},
      {"Tag", "Lehrer und Stunden des Tages:", "Grund:", "Abwesenheitsstunden:", "Als abwesend eintragen",
       "Abwesenheit aufheben", "Abwesend:", "Vertretungen BERECHNEN", "DRUCKEN", "Schlie\xDF" "en", "Vertretungen:"},
      {"Day", "Teachers and hours of the day:", "Reason:", "Hours of absence:", "Mark absent", "Remove the absence",
       "Absent:", "COMPUTE the substitutions", "PRINT", "Close", "Substitutions:"}};
  for (int language : {2, 1, 0}) {
    SCOPED_TRACE(language);
    TearDown();
    SetUp();
    EXPECT_EQ(Shown(language), shown[language]);
  }
}

}  // namespace
