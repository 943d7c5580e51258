// The service-tools and school-type choosers run modally with scripted
// steps: each tool button's code comes back, the jolly button shows its
// box and keeps the dialog, the "Forza release" box mirrors the process
// flag; the school type behaves as two radio groups, refuses OK with a beep
// until both groups have a choice, and answers calendar + 10 x level.
#include <gtest/gtest.h>

#include "platform/test_driver.h"
#include "shell/message_box.h"
#include "shell/small_choosers.h"
#include "shell_test_support.h"

namespace {

using namespace kt::ui;

struct ToolCase {
  const char* id;
  int control;
  int code;
};

TEST(ChooserServiceTools, EachButtonEndsWithItsCode) {
  ui_register_toolkit_templates();
  const ToolCase cases[] = {
      {"import-tmp", 1031, 171010}, {"import-vps", 1035, 171011}, {"tuesday", 1437, 17111},
      {"sunday", 1442, 17116},      {"no-brentix", 1055, 17201},  {"two-gaps", 1043, 17203},
      {"cancel", kIdCancel, kIdCancel},
  };
  for (const ToolCase& c : cases) {
    TestDriver ui;
    CSTools tools;
    std::string version;
    ui.OnNextModal([&](Dialog& d) {
      version = ui.Text(d, CSTools::kVersionId);
      ui.Click(d, c.control);
    });
    EXPECT_EQ(tools.DoModal(), c.code) << c.id;
    EXPECT_EQ(version, "6.1.M") << c.id;
    EXPECT_TRUE(ui.Problems().empty()) << c.id;
  }
}

TEST(ChooserServiceTools, JollyShowsABoxAndStaysAndReleaseFlagIsMirrored) {
  ui_register_toolkit_templates();
  TestDriver ui;
  g_force_release = 1;
  bool checked_at_open = false;
  CSTools tools;
  ui.OnNextModal([&](Dialog& d) {
    checked_at_open = ui.IsChecked(d, CSTools::kForceReleaseId);
    ui.Click(d, CSTools::kJollyId);
    ui.Click(d, CSTools::kUnusedId);
    ui.Click(d, CSTools::kForceReleaseId);
  });
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);  // the jolly's box
  ui.OnNextModal([&](Dialog& d) { ui.Click(d, 1051); });
  EXPECT_EQ(tools.DoModal(), 17104);
  EXPECT_TRUE(checked_at_open);
  EXPECT_EQ(g_force_release, 0);
  ASSERT_FALSE(ui.boxes().empty());
  bool found = false;
  for (const auto& box : ui.boxes())
    for (const std::string& t : box.texts) found = found || t == "Only debug, special code for this call";
  EXPECT_TRUE(found);
}

TEST(ChooserSchoolType, SecondCalendarAndSecondLevelGive51) {
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
}

TEST(ChooserSchoolType, MissingLevelBeepsAndStays) {
  TestDriver ui;
  Ctipode chooser;
  int beeps_after_first_ok = -1;
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Ctipode::kChecks[3]);
    ui.Click(d, kIdOk);
    beeps_after_first_ok = ui.beeps();
  });
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Ctipode::kChecks[4]);
    ui.Click(d, kIdOk);
  });
  EXPECT_EQ(chooser.DoModal(), 43);
  EXPECT_EQ(beeps_after_first_ok, 1);
}

TEST(ChooserSchoolType, ShowsTheUsersLanguage) {
  kt_shell_test::LanguageScope german(1);
  TestDriver ui;
  Ctipode chooser;
  std::string calendar, title;
  ui.OnNextModal([&](Dialog& d) {
    DisplayList shown = ui.Render(d);
    calendar = shown.TextsOf(Ctipode::kChecks[3]);
    title = d.GetWindowText();
    ui.Click(d, Ctipode::kChecks[2]);
    ui.Click(d, Ctipode::kChecks[4]);
    ui.Click(d, kIdOk);
  });
  EXPECT_EQ(chooser.DoModal(), 42);
  EXPECT_EQ(calendar, "Anderer Wochenkalender");
  EXPECT_EQ(title, "Schultyp");
}

}  // namespace
