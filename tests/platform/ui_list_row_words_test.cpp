// A report list's rows keep what the page puts in them: each row's data
// word and each cell's text, from the first row to the last, read back and
// found again; a row out of range is refused and changes nothing.
#include <gtest/gtest.h>

#include <string>

#include "platform/controls/list_view.h"
#include "platform/test_driver.h"
#include "platform/window.h"

namespace kt::ui {
namespace {

TEST(ListRowWords, EveryRowKeepsItsDataWordAndItsTexts) {
  TestDriver ui;
  Window page;
  CreateParams p;
  p.style = kWsPopup | kWsVisible;
  p.rect = {0, 0, 300, 200};
  ASSERT_TRUE(page.CreateEx(p));
  ListView list;
  CreateParams lp;
  lp.class_name = "ListView";
  lp.style = kLvsReport | kWsChild | kWsVisible;
  lp.parent = &page;
  lp.id = 40;
  lp.rect = {5, 5, 205, 105};
  ASSERT_TRUE(list.CreateEx(lp));
  list.InsertColumn(0, "Classe", kLvcfmtLeft, 80);
  list.InsertColumn(1, "Ore", kLvcfmtLeft, 40);
  for (int r = 0; r < 3; ++r)
    list.InsertItem(r, "c" + std::to_string(r));
  for (int r = 0; r < 3; ++r) {
    EXPECT_TRUE(list.SetItemData(r, std::uintptr_t(70 + r))) << r;
    EXPECT_TRUE(list.SetItemText(r, 1, std::to_string(r + 1) + " ore")) << r;
  }
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(list.GetItemData(r), std::uintptr_t(70 + r)) << r;
    EXPECT_EQ(list.GetItemText(r, 0), "c" + std::to_string(r));
    EXPECT_EQ(list.GetItemText(r, 1), std::to_string(r + 1) + " ore");
    EXPECT_EQ(list.FindItemByData(-1, std::uintptr_t(70 + r)), r);
    EXPECT_EQ(list.FindItemByText(-1, "c" + std::to_string(r)), r);
  }
  for (int r : {-1, 3}) {
    EXPECT_FALSE(list.SetItemData(r, 99)) << r;
    EXPECT_FALSE(list.SetItemText(r, 0, "x")) << r;
    EXPECT_EQ(list.GetItemData(r), 0u) << r;
    EXPECT_EQ(list.GetItemText(r, 0), "") << r;
  }
  EXPECT_EQ(list.GetItemText(0, 2), "") << "no such column";
  EXPECT_EQ(list.GetItemText(0, -1), "");
  EXPECT_EQ(list.FindItemByData(-1, 99), -1);
  EXPECT_EQ(list.GetItemCount(), 3);
  page.DestroyWindow();
}

} // namespace
} // namespace kt::ui
