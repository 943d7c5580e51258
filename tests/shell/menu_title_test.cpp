// Title pop-up menus: the title bar without its "&", disabled at the top and
// never chosen, and the user's choice coming back from a tracked menu (the
// frame's menus are driven from start-up in frame_program_test.cpp).
#include <gtest/gtest.h>

#include "platform/test_driver.h"
#include "shell/dialog_ml.h"
#include "shell/title_menu.h"

namespace {

using namespace kt::ui;

constexpr int kTemplate = 9614;
const DialogTemplate kTemplates[] = {{kTemplate, "Frame", kWsPopup | kWsCaption, 0, 0, 200, 100, {}}};

// A frame and, over it, a menu of two pages under the bar "&Dati della scuola".
class TitleMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(frame.Create(nullptr));
    menu.AppendMenu(kMfString, 201, "Classi", "IKOP_1");
    menu.AppendMenu(kMfString, 202, "Docenti", "IKOP_2");
    menu.AddTitle("&Dati della scuola", true);
  }
  TestDriver ui;
  CDialogML frame{kTemplate};
  CTitleMenu menu;
};

TEST_F(TitleMenu, TitleBarAtTheTopAndTheChoiceComesBack) {
  ASSERT_EQ(menu.GetMenuItemCount(), 3);
  EXPECT_EQ(menu.items()[0].id, CTitleMenu::kTitleId);
  EXPECT_EQ(menu.items()[0].text, "Dati della scuola");
  EXPECT_TRUE(menu.items()[0].flags & kMfDisabled);
  EXPECT_TRUE(menu.items()[0].flags & kMfOwnerDraw);
  ui.ChooseNextMenuItem(CTitleMenu::kTitleId);  // the bar cannot be chosen
  EXPECT_EQ(menu.TrackPopupMenu(kTpmReturnCmd, 10, 10, &frame), 0);
  ui.ChooseNextMenuItem("Docenti");
  EXPECT_EQ(menu.TrackPopupMenu(kTpmReturnCmd, 10, 10, &frame), 202);
  ui.Problems();
}

// The title bar is drawn in its own bold font; the items under it keep the
// menu's plain font.
TEST_F(TitleMenu, ItemsUnderTheTitleKeepThePlainFont) {
  std::vector<std::pair<std::string, Font>> texts;
  ui.OnNextMenu([&](PopupMenu& shown) {
    ASSERT_NE(shown.MenuWindow(), nullptr);
    DisplayList look = ui.Render(*shown.MenuWindow());
    for (const DrawItemOp& op : look.ops())
      if (op.op == DrawOp::kText) texts.emplace_back(op.text, op.font);
    shown.Cancel();
  });
  menu.TrackPopupMenu(kTpmReturnCmd, 10, 10, &frame);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].first, "Dati della scuola");
  EXPECT_TRUE(texts[0].second.bold);
  for (std::size_t i = 1; i < texts.size(); ++i) {
    EXPECT_EQ(texts[i].second, Font{}) << texts[i].first;
  }
  ui.Problems();
}

}  // namespace
