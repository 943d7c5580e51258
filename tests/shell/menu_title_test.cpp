// Title pop-up menus: the title bar without its "&", disabled at the top
// (the frame's menus and the choices coming back from them are driven from
// start-up in frame_program_test.cpp).
#include <gtest/gtest.h>

#include "shell/title_menu.h"

namespace {

using namespace kt::ui;

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

}  // namespace
