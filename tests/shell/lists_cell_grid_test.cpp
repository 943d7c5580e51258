// The timetable grids: clicks on data cells reach the page's one handler
// with (row, column, right-click flag), marker-column clicks highlight the
// whole row, clicks outside do nothing; keys move within the grid and not
// left of the first data column; cell colours read back per cell from the
// display list (row stripes, highlight, painted cells and text codes);
// clearing resets counts and the shared last cell.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "platform/test_driver.h"
#include "shell/cell_grid.h"
#include "shell/dialog_ml.h"

namespace {

using namespace kt::ui;

constexpr int kTemplate = 9613, kGrid = 1501;
const ControlTemplate kControls[] = {
    {"ListView", kGrid, "", kLvsReport | kWsTabStop, 0, 0, 300, 80},
};
const DialogTemplate kTemplates[] = {
    {kTemplate, "Quadro", kWsPopup | kWsCaption, 0, 0, 310, 180, kControls},
};

class GridPage : public CDialogML {
 public:
  GridPage() : CDialogML(kTemplate) {}
  CXQLix grid;

 protected:
  void DoDataExchange(DataExchange& dx) override {
    dx.Control(kGrid, grid);
  }
};

struct CellGrid : ::testing::Test {
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    CXQLix* g = &page.grid;
    for (int c = 0; c < 5; ++c) g->InsertColumn(c, c == 0 ? "Classe" : "Ora", kLvcfmtLeft, 50);
    for (int r = 0; r < 3; ++r) {
      g->InsertRow(r, "1" + std::string(1, char('A' + r)));
      for (int c = 1; c < 5; ++c) g->SetItemText(r, c, "m");
    }
    g->m_on_cell_selected = [this](int r, int c, int f) { seen.emplace_back(r, c, f); };
  }
  TestDriver ui;
  GridPage page;
  std::vector<std::tuple<int, int, int>> seen;
};

TEST_F(CellGrid, ClicksReachOneHandlerWithRowAndColumn) {
  ASSERT_TRUE(ui.ClickCell(page, kGrid, 1, 3));
  ASSERT_TRUE(ui.ClickCell(page, kGrid, 2, 1));
  Rect cell;
  ASSERT_TRUE(page.grid.GetSubItemRect(0, 4, cell));
  ASSERT_TRUE(ui.ClickAt(page.grid, cell.Center()));
  std::vector<std::tuple<int, int, int>> expected = {{1, 3, 0}, {2, 1, 0}, {0, 4, 0}};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(page.grid.HighlightRow(), 0);
  EXPECT_EQ(page.grid.PreviousRow(), 2);
  EXPECT_EQ(page.grid.PreviousColumn(), 1);
}

TEST_F(CellGrid, RightClickCarriesTheFlag) {
  Rect cell;
  ASSERT_TRUE(page.grid.GetSubItemRect(2, 3, cell));
  Point below{cell.Center().x, page.grid.GetClientRect().bottom - 3};
  ASSERT_GT(below.y, cell.bottom);
  page.grid.SendMessage(kMsgRButtonDown, 0, make_point_param(below));  // outside the rows
  EXPECT_TRUE(seen.empty());
  page.grid.SendMessage(kMsgRButtonDown, 0, make_point_param(cell.Center()));
  std::vector<std::tuple<int, int, int>> expected = {{2, 3, 1}};
  EXPECT_EQ(seen, expected);
}

TEST_F(CellGrid, MarkerColumnHighlightsTheWholeRow) {
  ASSERT_TRUE(ui.ClickCell(page, kGrid, 2, 0));
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(page.grid.WholeRow(), 2);
  EXPECT_EQ(CXQLix::s_last_cell, 2);
  DisplayList shown = ui.Render(page);
  EXPECT_EQ(shown.CellFill(kGrid, 2, 3)->color, rgb(247, 248, 205));
}

struct KeyCase {
  const char* id;
  int key;
  int row, column;
};

TEST_F(CellGrid, KeysMoveWithinTheGrid) {
  const KeyCase cases[] = {
      {"down", kVkDown, 2, 2},  {"down-stops", kVkDown, 2, 2}, {"end", kVkEnd, 2, 4},
      {"right-stops", kVkRight, 2, 4}, {"prior", kVkPrior, 0, 4}, {"home", kVkHome, 0, 1},
      {"left-stops", kVkLeft, 0, 1},   {"next", kVkNext, 2, 1},
  };
  ASSERT_TRUE(ui.ClickCell(page, kGrid, 1, 2));
  for (const KeyCase& c : cases) {
    ui.Key(c.key);
    EXPECT_EQ(page.grid.HighlightRow(), c.row) << c.id;
    EXPECT_EQ(page.grid.HighlightColumn(), c.column) << c.id;
  }
  int deleted = 0;
  page.grid.m_on_delete_key = [&] { ++deleted; };
  page.grid.SetFocus();
  ui.Key(kVkDelete);
  EXPECT_EQ(deleted, 1);
}

TEST_F(CellGrid, LessonGridColours) {
  page.grid.m_text_code = [](int r, int c) { return r == 1 && c == 2 ? 3 : 0; };
  ASSERT_TRUE(ui.ClickCell(page, kGrid, 0, 1));
  page.grid.PaintCell(1, 4, rgb(1, 2, 3));
  DisplayList shown = ui.Render(page);
  EXPECT_EQ(shown.CellFill(kGrid, 0, 1)->color, rgb(255, 0, 0));
  EXPECT_EQ(shown.CellFill(kGrid, 0, 2)->color, rgb(237, 237, 237));
  EXPECT_EQ(shown.CellFill(kGrid, 1, 2)->color, rgb(255, 255, 255));
  EXPECT_EQ(shown.CellFill(kGrid, 1, 4)->color, rgb(1, 2, 3));
  EXPECT_EQ(shown.CellText(kGrid, 1, 2)->color, rgb(0, 255, 0));
  EXPECT_EQ(shown.CellText(kGrid, 1, 2)->rect.left, shown.CellFill(kGrid, 1, 2)->rect.left + 5);
}

TEST_F(CellGrid, ClearingResetsCountsAndTheSharedCell) {
  ASSERT_TRUE(ui.ClickCell(page, kGrid, 1, 0));
  page.grid.ClearAll();
  EXPECT_EQ(page.grid.RowCount(), 0);
  EXPECT_EQ(page.grid.GetItemCount(), 0);
  EXPECT_EQ(page.grid.ColumnCount(), 5);
  EXPECT_EQ(CXQLix::s_last_cell, -1);
}

}  // namespace
