// The teaching-weight dialog's "hard" check asked for with no subject of
// high weight: the dialog says a subject must be high first, the box goes
// back unchecked, and saving then goes through without asking for the
// weight table, writing no hard check into the description.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "constraint_page_fixtures.h"
#include "schooldata/school_files.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::SchoolPages;
using W = Cpesodi;

TEST_F(SchoolPages, TheHardCheckNeedsAHighSubjectAndStaysOffWithout) {
  int n = int(g_ui_structure.subject_count);
  for (int s = 0; s < n; ++s) g_ui_structure.subjects[s].option_p = 0;
  g_ui_settings.pexdiy = 0;
  g_ui_settings.pexdiz.count = 0;
  ASSERT_TRUE(og_save_school_files());
  bool checked_after = true;
  std::vector<std::string> boxes;
  std::size_t shown = 0;
  ui.OnNextModal([&](Dialog& d) {
    ui.PressInNextModal(CMessageBox::kButtonIds[0]);
    ui.Click(d, W::kHardId);
    checked_after = ui.IsChecked(d, W::kHardId);
    shown = ui.boxes().size();  // the dialog itself and the notice
    if (!ui.boxes().empty()) boxes.push_back(ui.boxes().back().texts.at(0));
    ui.Click(d, W::kSaveId);
  });
  W dialog;
  EXPECT_EQ(dialog.DoModal(), W::kSaved);
  EXPECT_FALSE(checked_after);
  EXPECT_EQ(boxes, (std::vector<std::string>{
                       "Configurare almeno una materia con il Peso ALTO per attivare il controllo."}));
  EXPECT_EQ(ui.boxes().size(), shown) << "saving asked for nothing";
  EXPECT_EQ(+g_ui_settings.pexdiy, 0);
  std::string description = read(data_root() / "piccola" / "scuola2.txt");
  EXPECT_EQ(description.find("PEXDIY:"), std::string::npos);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
