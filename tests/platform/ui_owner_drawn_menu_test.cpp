// Menu items drawn by their owner (the title menu's own rows): the owner is
// asked each item's size, which makes the row and the menu that big, and
// draws each row in its place told whether it is lit, grey or checked; a
// menu that draws its items itself leaves the owner out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/popup_menu.h"
#include "platform/device_context.h"
#include "platform/test_driver.h"
#include "platform/window.h"

namespace kt::ui {
namespace {

class MenuOwner : public Window {
 public:
  std::vector<std::string> log;

 protected:
  void OnMeasureItem(int, MeasureItemInfo& info) override {
    log.push_back("measure " + std::to_string(info.item_id) + " data " + std::to_string(info.item_data));
    info.height = 30;
    info.width = 150;
  }
  void OnDrawItem(int, DrawItemInfo& info) override {
    if (info.ctl_type != kOdtMenu) return;
    log.push_back("draw " + std::to_string(info.item_id) + " state " + std::to_string(info.state) + " at " +
                  std::to_string(info.rect.top) + "-" + std::to_string(info.rect.bottom) + " data " +
                  std::to_string(info.item_data));
    info.dc->FillRect(info.rect, rgb(1, 2, 3));
  }
};

class SelfDrawnMenu : public PopupMenu {
 public:
  int drawn = 0;

 protected:
  bool MeasureItem(MeasureItemInfo& info) override {
    info.height = 25;
    return true;
  }
  bool DrawItem(DrawItemInfo& info) override {
    ++drawn;
    info.dc->FillRect(info.rect, rgb(9, 9, 9));
    return true;
  }
};

class OwnerDrawnMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateParams p;
    p.style = kWsPopup | kWsVisible;
    p.rect = {0, 0, 400, 300};
    ASSERT_TRUE(owner.CreateEx(p));
  }
  TestDriver ui;
  MenuOwner owner;
};

TEST_F(OwnerDrawnMenu, TheOwnerSizesAndDrawsEachRowInItsState) {
  PopupMenu menu;
  menu.AppendMenu(kMfOwnerDraw, 11, "Orario");
  menu.AppendMenu(kMfOwnerDraw | kMfGrayed, 12, "Stampa");
  menu.AppendMenu(kMfOwnerDraw | kMfChecked, 13, "Classi");
  menu.AppendMenu(kMfString, 14, "Esci");
  std::vector<std::string> drawn;
  int height = 0, width = 0;
  int fills = 0;
  ui.OnNextMenu([&](PopupMenu& shown) {
    Window& w = *shown.MenuWindow();
    height = w.GetWindowRect().Height();
    width = w.GetWindowRect().Width();
    owner.log.clear();
    w.SendMessage(kMsgMouseMove, 0, make_point_param(Point{20, 2 + 30 + 30 + 10}));  // over the third row
    DisplayList look = ui.Render(w);
    for (const DrawItemOp& op : look.ops()) fills += op.op == DrawOp::kFill && op.color == rgb(1, 2, 3);
    drawn = owner.log;
    shown.Cancel();
  });
  EXPECT_EQ(menu.TrackPopupMenu(kTpmReturnCmd, 10, 10, &owner), 0);
  // Three rows of 30 and one of 19 between 2-pixel edges; 150 wide and more for the plain row's text.
  EXPECT_EQ(height, 2 + 3 * 30 + 19 + 2);
  EXPECT_GE(width, 150 + 4);
  EXPECT_EQ(drawn, (std::vector<std::string>{"draw 11 state 0 at 2-32 data 0",
                                             "draw 12 state " + std::to_string(kOdsGrayed) + " at 32-62 data 0",
                                             "draw 13 state " + std::to_string(kOdsSelected | kOdsChecked) +
                                                 " at 62-92 data 0"}));
  EXPECT_EQ(fills, 3);
  ui.Problems();
}

TEST_F(OwnerDrawnMenu, TheOwnerIsAskedEachItemsSize) {
  PopupMenu menu;
  menu.AppendMenu(kMfOwnerDraw, 21, "Uno");
  menu.AppendMenu(kMfString, 22, "Due");
  menu.AppendMenu(kMfOwnerDraw, 23, "Tre");
  ui.CancelNextMenu();
  owner.log.clear();
  menu.TrackPopupMenu(kTpmReturnCmd, 10, 10, &owner);
  std::vector<std::string> measured;
  for (const std::string& l : owner.log)
    if (l.rfind("measure", 0) == 0) measured.push_back(l);
  EXPECT_EQ(measured, (std::vector<std::string>{"measure 21 data 0", "measure 23 data 0"}));
  ui.Problems();
}

TEST_F(OwnerDrawnMenu, AMenuThatDrawsItselfLeavesTheOwnerOut) {
  SelfDrawnMenu menu;
  menu.AppendMenu(kMfOwnerDraw, 31, "Uno");
  menu.AppendMenu(kMfOwnerDraw, 32, "Due");
  int height = 0;
  ui.OnNextMenu([&](PopupMenu& shown) {
    height = shown.MenuWindow()->GetWindowRect().Height();
    ui.Render(*shown.MenuWindow());
    shown.Choose(32);
  });
  owner.log.clear();
  EXPECT_EQ(menu.TrackPopupMenu(kTpmReturnCmd, 10, 10, &owner), 32);
  EXPECT_EQ(height, 2 + 2 * 25 + 2);
  EXPECT_EQ(menu.drawn, 2);
  EXPECT_EQ(owner.log, std::vector<std::string>{});
}

// The same menu shown again after the page changed it lays its rows out
// afresh: a click lands on the row now under the mouse.
TEST_F(OwnerDrawnMenu, AMenuShownAgainAfterAChangeLaysItsRowsOutAfresh) {
  PopupMenu menu;
  menu.AppendMenu(kMfString, 41, "Apri");
  menu.AppendMenu(kMfString, 42, "Salva");
  ui.CancelNextMenu();
  EXPECT_EQ(menu.TrackPopupMenu(kTpmReturnCmd, 10, 10, &owner), 0);
  menu.InsertMenu(0, kMfSeparator);
  menu.InsertMenu(0, kMfString, 40, "Nuovo");
  int height = 0;
  ui.OnNextMenu([&](PopupMenu& shown) {
    Window& w = *shown.MenuWindow();
    height = w.GetWindowRect().Height();
    // Rows: Nuovo 2-21, the separator 21-29, Apri 29-48, Salva 48-67.
    w.SendMessage(kMsgLButtonUp, 0, make_point_param(Point{20, 50}));
  });
  EXPECT_EQ(menu.TrackPopupMenu(kTpmReturnCmd, 10, 10, &owner), 42);
  EXPECT_EQ(height, 2 + 3 * 19 + 8 + 2);
  ui.Problems();
}

}  // namespace
}  // namespace kt::ui
