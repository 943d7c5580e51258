// Positions the lists keep across changes made by the page: a list box's
// top row asked for by code stays within its rows; a report list sorted
// keeps its selection mark on the chosen row, or none when none is chosen;
// scrolled sideways by code as far as it goes, the last column ends at the
// rows bar, as with the columns bar; a column taken away while the list is
// scrolled sideways brings the view back within the columns left.
#include <gtest/gtest.h>

#include <string>

#include "platform/controls/list_box.h"
#include "platform/controls/list_view.h"
#include "platform/dialog.h"
#include "platform/test_driver.h"

namespace kt::ui {
namespace {

constexpr int kTemplate = 9351, kRooms = 4701, kGrid = 4702;
const ControlTemplate kControls[] = {
    {"ListBox", kRooms, "", kLbsNotify | kWsVScroll | kWsTabStop, 5, 5, 60, 40},
    {"ListView", kGrid, "", kLvsReport | kWsTabStop, 70, 5, 150, 60},
};
const DialogTemplate kTemplates[] = {{kTemplate, "Posizioni", kWsPopup | kWsCaption, 0, 0, 225, 70, kControls}};

int by_data(std::uintptr_t a, std::uintptr_t b, std::uintptr_t descending) {
  int order = a < b ? -1 : a > b ? 1 : 0;
  return descending ? -order : order;
}

class ListPositions : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    rooms = static_cast<ListBox*>(page.GetDlgItem(kRooms));
    grid = static_cast<ListView*>(page.GetDlgItem(kGrid));
    for (int i = 0; i < 12; ++i) rooms->AddString("aula " + std::to_string(i));
    for (int c = 0; c < 3; ++c) grid->InsertColumn(c, "col" + std::to_string(c), kLvcfmtLeft, 60);
    for (int r = 0; r < 5; ++r) grid->InsertItem(r, "r" + std::to_string(r), std::uintptr_t(10 + r));
  }
  TestDriver ui;
  Dialog page{kTemplate};
  ListBox* rooms = nullptr;
  ListView* grid = nullptr;
};

TEST_F(ListPositions, AListBoxsTopRowStaysWithinItsRows) {
  struct Step {
    int asked, top;
  } steps[] = {{5, 5}, {0, 0}, {-3, 0}, {11, 11}, {40, 11}, {1, 1}};
  for (const Step& s : steps) {
    rooms->SetTopIndex(s.asked);
    EXPECT_EQ(rooms->GetTopIndex(), s.top) << s.asked;
  }
  // The rows drawn start at the top row.
  rooms->SetTopIndex(0);
  EXPECT_EQ(ui.Render(page).TextsOf(kRooms).substr(0, 14), "aula 0|aula 1|");
  rooms->ResetContent();
  rooms->SetTopIndex(3);
  EXPECT_EQ(rooms->GetTopIndex(), 0) << "an empty list has only its top";
}

TEST_F(ListPositions, SortingKeepsTheMarkOnItsRowOrNone) {
  ui.ClickCell(page, kGrid, 1, 0);
  ASSERT_EQ(grid->GetSelectionMark(), 1);
  EXPECT_TRUE(grid->SortItems(by_data, 1));  // descending: r1 goes to row 3
  EXPECT_EQ(grid->GetItemText(3, 0), "r1");
  EXPECT_EQ(grid->GetSelectionMark(), 3);
  EXPECT_EQ(grid->GetNextItem(-1, kLvniSelected), 3);
  // Nothing chosen any more: after a sort no row is marked.
  grid->SetItemState(3, 0, kLvisSelected | kLvisFocused);
  EXPECT_TRUE(grid->SortItems(by_data, 0));
  EXPECT_EQ(grid->GetItemText(0, 0), "r0");
  EXPECT_EQ(grid->GetSelectionMark(), -1);
  EXPECT_FALSE(grid->SortItems(nullptr, 0));
}

TEST_F(ListPositions, AColumnTakenAwayBringsTheViewBack) {
  // 225 - 70 dialog units wide is 150 units, 225 pixels; columns 3 x 200.
  for (int c = 0; c < 3; ++c) grid->SetColumnWidth(c, 200);
  grid->Scroll(1000, 0);
  int before = grid->GetScrollX();
  ASSERT_TRUE(grid->HasRowsScrollBar());
  EXPECT_EQ(before, grid->MaxScrollX());
  EXPECT_EQ(grid->GetHeaderItemRect(2).right, 1 + grid->ViewWidth()) << "the last column's end beside the rows bar";
  ASSERT_GT(before, 200);
  EXPECT_TRUE(grid->DeleteColumn(2));
  EXPECT_EQ(grid->GetScrollX(), grid->MaxScrollX());
  EXPECT_EQ(grid->GetScrollX(), before - 200);
  EXPECT_EQ(grid->GetHeaderItemRect(1).right, 1 + grid->ViewWidth()) << "the last column ends at the edge";
  EXPECT_TRUE(grid->DeleteColumn(1));
  EXPECT_EQ(grid->GetScrollX(), 0) << "one column fits: no scrolling left";
  EXPECT_FALSE(grid->DeleteColumn(1));
  EXPECT_FALSE(grid->DeleteColumn(-1));
}

}  // namespace
}  // namespace kt::ui
