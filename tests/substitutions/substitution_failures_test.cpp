// The substitutions dialog when the engine cannot do a step: a file standing
// where the "Sostituzioni" folder should be stops the computation and the
// printing; the user is told the engine's own message each time, the
// result list shows the cover computed before the writing failed, no folder
// is opened and the file stays as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app_test_support.h"
#include "computed_school.h"
#include "computed_school_program.h"
#include "desktop_wiring.h"
#include "frame_test_support.h"
#include "engine/substitution_services.h"
#include "platform/cp1252.h"
#include "platform/test_driver.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/message_box.h"
#include "substitutions/substitutions_dialog.h"

namespace {

using namespace kt::ui;
using S = Cmenu_sost;
using substitution_test::row_starting;
using substitution_test::rows_of;

class StepFailure : public substitution_test::ComputedSchoolFolder {
 protected:
  TestDriver ui;
};

TEST_F(StepFailure, AFileInPlaceOfTheResultsFolderStopsComputingAndPrinting) {
  kt_app_test::fs::remove_all(school_ / "Sostituzioni");
  write(school_ / "Sostituzioni", "not a folder");
  std::vector<std::string> told;
  std::vector<std::string> results_after_compute, results_after_print;
  kt_app_test::run_program(ui, [&] {
    ui.OnNextModal([&](Dialog& d) {
      ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "ROSSI  ")));
      ui.Click(d, S::kMarkId);
      auto answer = [&] {
        ui.OnNextModal([&](Dialog& box) {
          told.push_back(ui.Text(box, CMessageBox::kTextId));
          box.EndDialog(kIdOk);
        });
      };
      answer();
      ui.Click(d, S::kComputeId);
      results_after_compute = rows_of(d, S::kResultsId);
      answer();
      ui.Click(d, S::kPrintId);
      results_after_print = rows_of(d, S::kResultsId);
      ui.Click(d, kIdCancel);
    });
    ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
  });
  ASSERT_EQ(told.size(), 2u) << "told on computing and again on printing";
  for (const std::string& t : told) {
    EXPECT_NE(t.find("[Sostituzioni/]"), std::string::npos) << t;
    EXPECT_NE(t.find("[Al posto della cartella c'\xE8 un file con lo stesso nome]"), std::string::npos) << t;
  }
  // The cover is computed before it is written: the list shows it, and
  // printing does not compute it again.
  EXPECT_FALSE(results_after_compute.empty());
  EXPECT_EQ(results_after_print, results_after_compute);
  EXPECT_TRUE(opened_.empty()) << "no folder opened";
  EXPECT_EQ(substitution_test::read_file(school_ / "Sostituzioni"), "not a folder");
  // The absences themselves were recorded before the step that failed.
  EXPECT_NE(substitution_test::read_file(school_ / "assenze.txt").find("ASSENTE:ROSSI|Malattia|"), std::string::npos);
}

}  // namespace
