// Title pop-up menus: the title bar without its "&", disabled at the top;
// no bar with visual styles on while icons still show; items with the same
// icon sharing one image; the bar drawn as a gradient, or plain without a
// gradient; and the user's choice coming back from a tracked menu.
// Drawing is read back from a display list the menu draws its bar into.
#include <gtest/gtest.h>

#include "platform/test_driver.h"
#include "shell/dialog_ml.h"
#include "shell/title_menu.h"

namespace {

using namespace kt::ui;

constexpr int kTemplate = 9614;
const DialogTemplate kTemplates[] = {
    {kTemplate, "Frame", kWsPopup | kWsCaption, 0, 0, 200, 100, {}},
};

struct StylesScope {
  explicit StylesScope(bool on) { ui_set_visual_styles_active(on); }
  ~StylesScope() { ui_set_visual_styles_active(false); }
};

DisplayList draw_title(CTitleMenu& menu) {
  DisplayList out;
  DeviceContext dc(out, backend().metrics(), {0, 0}, Rect{0, 0, 400, 400}, WindowHandle{}, 0);
  MeasureItemInfo size;
  size.item_id = CTitleMenu::kTitleId;
  EXPECT_TRUE(menu.MeasureItem(size));
  DrawItemInfo info;
  info.ctl_type = kOdtMenu;
  info.item_id = CTitleMenu::kTitleId;
  info.dc = &dc;
  info.rect = Rect{0, 0, size.width, size.height};
  EXPECT_TRUE(menu.DrawItem(info));
  return out;
}

TEST(TitleMenu, TitleBarWithoutAmpersandAtTheTop) {
  CTitleMenu menu;
  menu.AppendMenu(kMfString, 101, "Classi");
  menu.AddTitle("&Dati della scuola", false);
  ASSERT_EQ(menu.GetMenuItemCount(), 2);
  EXPECT_EQ(menu.GetMenuItemID(0), CTitleMenu::kTitleId);
  EXPECT_EQ(menu.items()[0].text, "Dati della scuola");
  EXPECT_TRUE(menu.items()[0].flags & kMfDisabled);
  EXPECT_TRUE(menu.items()[0].flags & kMfOwnerDraw);
  EXPECT_FALSE(menu.IconsEnabled());
}

TEST(TitleMenu, VisualStylesDropTheBarButNotTheIcons) {
  StylesScope styles(true);
  CTitleMenu menu;
  menu.AddTitle("Stampe", true);
  menu.AppendMenu(kMfString, 101, "Orario", "IKOP_1");
  EXPECT_EQ(menu.GetMenuItemCount(), 1);
  EXPECT_EQ(menu.items()[0].icon, "IKOP_1");
}

TEST(TitleMenu, SameIconSharesOneImage) {
  CTitleMenu menu;
  menu.AddTitle("Stampe", true);
  menu.AppendMenu(kMfString, 101, "Orario", "IKOP_1");
  menu.AppendMenu(kMfSeparator);
  menu.AppendMenu(kMfString, 102, "Docenti", "IKOP_CONFORA");
  menu.AppendMenu(kMfString, 103, "Classi", "IKOP_1");
  menu.AppendMenu(kMfString, 104, "Aule");
  EXPECT_EQ(menu.ImageCount(), 2);
  EXPECT_EQ(menu.ImageOf(101), 0);
  EXPECT_EQ(menu.ImageOf(103), 0);
  EXPECT_EQ(menu.ImageOf(102), 1);
  EXPECT_EQ(menu.ImageOf(104), -1);
}

TEST(TitleMenu, IconsNeedToBeEnabled) {
  CTitleMenu menu;
  menu.AddTitle("Stampe", false);
  menu.AppendMenu(kMfString, 101, "Orario", "IKOP_1");
  EXPECT_EQ(menu.ImageCount(), 0);
  EXPECT_EQ(menu.items()[1].icon, "");
}

TEST(TitleMenu, BarIsAGradientOrAPlainFill) {
  CTitleMenu menu;
  menu.AddTitle("Stampe", false);
  DisplayList shown = draw_title(menu);
  ASSERT_GE(shown.size(), 2u);
  EXPECT_EQ(shown.ops()[0].op, DrawOp::kGradient);
  EXPECT_EQ(shown.ops()[0].color, menu.m_left_color);
  EXPECT_EQ(shown.ops()[0].color2, menu.m_right_color);
  EXPECT_EQ(shown.TextsOf(0), "Stampe");
  const DrawItemOp& text = shown.ops().back();
  EXPECT_EQ(text.rect.left, CTitleMenu::kMenuCheckWidth + 8);
  EXPECT_EQ(text.color, menu.m_text_color);

  menu.m_gradient_available = false;
  DisplayList plain = draw_title(menu);
  EXPECT_EQ(plain.ops()[0].op, DrawOp::kFill);
  EXPECT_EQ(plain.ops()[0].color, menu.m_left_color);
}

TEST(TitleMenu, ChoiceComesBack) {
  register_dialog_templates(kTemplates);
  TestDriver ui;
  CDialogML frame(kTemplate);
  ASSERT_TRUE(frame.Create(nullptr));
  CTitleMenu menu;
  menu.AddTitle("Dati", true);
  menu.AppendMenu(kMfString, 201, "Classi", "IKOP_1");
  menu.AppendMenu(kMfString, 202, "Docenti", "IKOP_2");
  ui.ChooseNextMenuItem(CTitleMenu::kTitleId);  // the bar cannot be chosen
  EXPECT_EQ(menu.TrackPopupMenu(kTpmReturnCmd, 10, 10, &frame), 0);
  ui.ChooseNextMenuItem("Docenti");
  EXPECT_EQ(menu.TrackPopupMenu(kTpmReturnCmd, 10, 10, &frame), 202);
  ui.Problems();
}

}  // namespace
