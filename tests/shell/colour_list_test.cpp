// Row colours of the coloured report list, read back per cell from the
// display list: a coloured row in every column, white rows without a
// colour, a row far beyond the array, a negative row refused, and plain
// platform colours when colouring is off. The list is a member of a page
// and is driven through the page's window, as the pages will use it.
#include <gtest/gtest.h>

#include "platform/test_driver.h"
#include "shell/colour_list.h"
#include "shell/dialog_ml.h"

namespace {

using namespace kt::ui;

constexpr int kTemplate = 9601, kList = 1401;
const ControlTemplate kControls[] = {
    {"ListView", kList, "", kLvsReport | kWsTabStop, 5, 5, 200, 100},
};
const DialogTemplate kTemplates[] = {
    {kTemplate, "Elenco", kWsPopup | kWsCaption, 0, 0, 210, 110, kControls},
};

class ListPage : public CDialogML {
 public:
  ListPage() : CDialogML(kTemplate) {}
  CColorLix list;

 protected:
  void DoDataExchange(DataExchange& dx) override { dx.Control(kList, list); }
};

TEST(ColourList, RowsTakeTheirColourInEveryColumn) {
  register_dialog_templates(kTemplates);
  TestDriver ui;
  ListPage page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  page.list.InsertColumn(0, "Classe", kLvcfmtLeft, 80);
  page.list.InsertColumn(1, "Ore", kLvcfmtLeft, 60);
  for (const char* name : {"1A", "1B", "2A"}) {
    int row = page.list.InsertItem(page.list.GetItemCount(), name);
    page.list.SetItemText(row, 1, "30");
  }
  page.list.SetItemColor(rgb(255, 0, 0), 1);
  page.list.SetItemColor(rgb(0, 0, 255), -1);  // refused
  page.list.SetItemColor(rgb(0, 255, 0), 250);
  EXPECT_EQ(page.list.ItemColor(250), rgb(0, 255, 0));
  EXPECT_EQ(page.list.ItemColor(349), rgb(255, 255, 255));

  DisplayList list = ui.Render(page);
  ASSERT_NE(list.CellFill(kList, 1, 0), nullptr);
  EXPECT_EQ(list.CellFill(kList, 1, 0)->color, rgb(255, 0, 0));
  EXPECT_EQ(list.CellFill(kList, 1, 1)->color, rgb(255, 0, 0));
  EXPECT_EQ(list.CellFill(kList, 2, 1)->color, rgb(255, 255, 255));
  const DrawItemOp* text = list.CellText(kList, 1, 0);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text, "1B");

  page.list.m_coloring = false;
  page.list.SetItemState(1, kLvisSelected, kLvisSelected);
  page.list.SetFocus();
  DisplayList plain = ui.Render(page);
  EXPECT_EQ(plain.CellFill(kList, 1, 0)->color, kHighlightColor);
}

// The list before any row has a colour, and past the last coloured row:
// every cell is drawn white, and asking for a row the list never coloured
// answers white whatever its number.
TEST(ColourList, RowsWithoutAColourAreWhite) {
  register_dialog_templates(kTemplates);
  TestDriver ui;
  ListPage page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  page.list.InsertColumn(0, "Classe", kLvcfmtLeft, 80);
  for (const char* name : {"1A", "1B"}) page.list.InsertItem(page.list.GetItemCount(), name);
  for (int row : {0, 1, 7, 100000}) EXPECT_EQ(page.list.ItemColor(row), rgb(255, 255, 255)) << row;
  DisplayList shown = ui.Render(page);
  for (int row = 0; row < 2; ++row) {
    ASSERT_NE(shown.CellFill(kList, row, 0), nullptr) << row;
    EXPECT_EQ(shown.CellFill(kList, row, 0)->color, rgb(255, 255, 255)) << row;
  }
  page.list.SetItemColor(rgb(0, 0, 255), 0);
  for (int row : {1, 99, 100, 101, 5000}) EXPECT_EQ(page.list.ItemColor(row), rgb(255, 255, 255)) << row;
  EXPECT_EQ(page.list.ItemColor(0), rgb(0, 0, 255));
  page.DestroyWindow();
}

}  // namespace
