// The school-type chooser run modally: two radio groups, OK refused with a
// beep until both groups have a choice, the answer calendar + 10 x level,
// texts in the user's language.
#include <gtest/gtest.h>

#include "platform/test_driver.h"
#include "shell/small_choosers.h"
#include "shell_test_support.h"

namespace {

using namespace kt::ui;

TEST(ChooserSchoolType, AnswerAndMissingLevel) {
  TestDriver ui;
  Ctipode chooser;
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Ctipode::kChecks[0]);
    ui.Click(d, Ctipode::kChecks[1]);  // unchecks the first
    ui.Click(d, Ctipode::kChecks[4]);
    ui.Click(d, Ctipode::kChecks[5]);
    EXPECT_FALSE(ui.IsChecked(d, Ctipode::kChecks[0]));
    EXPECT_FALSE(ui.IsChecked(d, Ctipode::kChecks[4]));
    ui.Click(d, kIdOk);
  });
  EXPECT_EQ(chooser.DoModal(), 51);
  int beeps_after_first_ok = -1;
  ui.ClearBeeps();
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Ctipode::kChecks[3]);
    ui.Click(d, kIdOk);
    beeps_after_first_ok = ui.beeps();
    ui.Click(d, Ctipode::kChecks[4]);
    ui.Click(d, kIdOk);
  });
  Ctipode again;
  EXPECT_EQ(again.DoModal(), 43);
  EXPECT_EQ(beeps_after_first_ok, 1);
}

TEST(ChooserSchoolType, ShowsTheUsersLanguage) {
  kt_shell_test::LanguageScope german(1);
  TestDriver ui;
  Ctipode chooser;
  std::string calendar, title;
  ui.OnNextModal([&](Dialog& d) {
    calendar = ui.Render(d).TextsOf(Ctipode::kChecks[3]);
    title = d.GetWindowText();
    ui.Click(d, Ctipode::kChecks[2]);
    ui.Click(d, Ctipode::kChecks[4]);
    ui.Click(d, kIdOk);
  });
  EXPECT_EQ(chooser.DoModal(), 42);
  EXPECT_EQ(calendar, "Anderer Wochenkalender");
  EXPECT_EQ(title, "Schultyp");
}

// Beside each group its picture: the school levels and the calendars.
TEST(ChooserSchoolType, ShowsAPictureBesideEachGroup) {
  TestDriver ui;
  Ctipode chooser;
  std::vector<int> shown[2];
  ui.OnNextModal([&](Dialog& d) {
    DisplayList look = ui.Render(d);
    for (int i = 0; i < 2; ++i)
      for (const DrawItemOp* op : look.ForControl(Ctipode::kPictureIds[i]))
        if (op->op == DrawOp::kBitmap) shown[i].push_back(op->resource);
    d.EndDialog(kIdCancel);
  });
  chooser.DoModal();
  for (int i = 0; i < 2; ++i) EXPECT_EQ(shown[i], std::vector<int>{Ctipode::kPictures[i]}) << i;
}

}  // namespace
