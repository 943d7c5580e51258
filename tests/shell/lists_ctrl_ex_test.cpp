// The extended report list: sorting on a heading click (direction turning
// per click, caller data following its row), and in-place editing kept by a
// click elsewhere, dropped by Esc, moved by Tab, refused by the end callback
// and by a read-only column; a cell's own data and editor. The courses
// board's grid emptied whole.
#include <gtest/gtest.h>

#include "platform/test_driver.h"
#include "shell/cell_grid.h"
#include "shell/dialog_ml.h"
#include "shell/list_ctrl_ex.h"

namespace {

using namespace kt::ui;

constexpr int kTemplate = 9611, kList = 1401, kEdit = 1402, kOther = 1403, kCombo = 1404;
const ControlTemplate kControls[] = {
    {"ListView", kList, "", kLvsReport | kWsTabStop, 5, 5, 200, 100},
    {"Edit", kEdit, "", kWsTabStop, 5, 110, 60, 12},
    {"Button", kOther, "Altro", kWsTabStop, 80, 110, 40, 12},
    {"ComboBox", kCombo, "", kCbsDropDownList | kWsTabStop, 130, 110, 60, 60},
};
const DialogTemplate kTemplates[] = {
    {kTemplate, "Elenco", kWsPopup | kWsCaption, 0, 0, 210, 180, kControls},
};

class ListPage : public CDialogML {
 public:
  ListPage() : CDialogML(kTemplate) {}
  CListCtrlEx list;
  Edit editor;
  ComboBox combo;

 protected:
  void DoDataExchange(DataExchange& dx) override {
    dx.Control(kList, list);
    dx.Control(kEdit, editor);
    dx.Control(kCombo, combo);
  }
};

struct ListCtrlExPage : ::testing::Test {
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    page.list.InsertColumn(0, "Nome", kLvcfmtLeft, 80);
    page.list.InsertColumn(1, "Ore", kLvcfmtLeft, 60);
  }
  void AddRows(std::initializer_list<std::pair<const char*, const char*>> rows) {
    std::uintptr_t data = 100;
    for (auto [name, hours] : rows) {
      int row = page.list.InsertItem(page.list.GetItemCount(), name, data++);
      page.list.SetItemText(row, 1, hours);
    }
  }
  std::string Column(int column) {
    std::string out;
    for (int r = 0; r < page.list.GetItemCount(); ++r) out += (r ? "," : "") + page.list.GetItemText(r, column);
    return out;
  }
  TestDriver ui;
  ListPage page;
};

struct CompareCase {
  const char* id;
  int type;
  const char* a;
  const char* b;
  int expected;
};

TEST_F(ListCtrlExPage, HeaderClicksSortAndTurnTheDirection) {
  AddRows({{"Rossi", "9"}, {"Bianchi", "10"}, {"Verdi", "2"}});
  page.list.SetColumnSort(1, CListCtrlEx::kSortToggles, 4);
  ASSERT_TRUE(ui.ClickHeader(page, kList, 1));
  EXPECT_EQ(Column(1), "2,9,10");  // first bit set then swapped by the click: ascending
  EXPECT_EQ(page.list.GetSortArrow(1), 1);
  EXPECT_EQ(Column(0), "Verdi,Rossi,Bianchi");
  EXPECT_EQ(page.list.GetItemData(0), 102u);  // data follows its row
  ASSERT_TRUE(ui.ClickHeader(page, kList, 1));
  EXPECT_EQ(Column(1), "10,9,2");
  EXPECT_EQ(page.list.GetSortArrow(1), 2);
  page.list.SetColumnSort(0, CListCtrlEx::kSortAscending, 5);
  ASSERT_TRUE(ui.ClickHeader(page, kList, 0));
  EXPECT_EQ(Column(0), "Bianchi,Rossi,Verdi");
  EXPECT_EQ(page.list.GetSortArrow(1), 0);  // the old arrow is gone
  EXPECT_EQ(page.list.GetSortArrow(0), 1);
}

TEST_F(ListCtrlExPage, EditingKeepsTextOnClickElsewhereAndDropsItOnEsc) {
  AddRows({{"a", "1"}, {"b", "2"}});
  CListCtrlEx::EditorRecord record;
  record.editor = &page.editor;
  page.list.SetColumnEditor(1, record);

  ASSERT_TRUE(ui.ClickCell(page, kList, 0, 1, true));
  ASSERT_EQ(page.list.EditRow(), 0);
  EXPECT_EQ(page.editor.GetParent(), &page.list);
  EXPECT_EQ(page.editor.GetWindowText(), "1");
  page.editor.SetWindowText("7");
  ui.Key(kVkEscape);
  EXPECT_EQ(page.list.EditRow(), -1);
  EXPECT_EQ(page.list.GetItemText(0, 1), "1");
  EXPECT_EQ(page.editor.GetParent(), &page);
  EXPECT_TRUE(page.IsWindowVisible());  // Esc did not reach the dialog

  ASSERT_TRUE(ui.ClickCell(page, kList, 1, 1, true));
  page.editor.SetWindowText("8");
  ASSERT_TRUE(ui.Click(page, kOther));
  EXPECT_EQ(page.list.EditRow(), -1);
  EXPECT_EQ(page.list.GetItemText(1, 1), "8");

  ASSERT_TRUE(ui.ClickCell(page, kList, 0, 1, true));
  page.editor.SetWindowText("5");
  ui.Key(kVkReturn);
  EXPECT_EQ(page.list.GetItemText(0, 1), "5");

  ASSERT_TRUE(ui.ClickCell(page, kList, 0, 1, true));
  page.editor.SetWindowText("6");
  PopupMenu menu;
  menu.AppendMenu(kMfString, 4242, "Salva");
  ui.ChooseNextMenuItem(4242);
  menu.TrackPopupMenu(kTpmLeftAlign, 0, 0, &page);  // a menu choice ends the editing too
  ui.Pump();
  EXPECT_EQ(page.list.EditRow(), -1);
  EXPECT_EQ(page.list.GetItemText(0, 1), "6");
  EXPECT_FALSE(page.list.EditCell(0, 0));  // column 0 has no editor
}

TEST_F(ListCtrlExPage, TabMovesAndEndCallbackMayRefuse) {
  AddRows({{"a", "1"}, {"b", "2"}});
  CListCtrlEx::EditorRecord record;
  record.editor = &page.editor;
  record.end = [](int, int, std::string& text) { return text != "x"; };
  page.list.SetColumnEditor(1, record);
  int appended = 0;
  page.list.m_append_row = [&](CListCtrlEx& list) {
    ++appended;
    int row = list.InsertItem(list.GetItemCount(), "new");
    list.SetItemText(row, 1, "0");
    return row;
  };
  ASSERT_TRUE(page.list.EditCell(0, 1));
  page.editor.SetWindowText("x");
  ui.Key(kVkTab);
  EXPECT_EQ(page.list.GetItemText(0, 1), "1");  // refused
  EXPECT_EQ(page.list.EditRow(), 1);
  ui.Key(kVkTab, kModShift);
  EXPECT_EQ(page.list.EditRow(), 0);
  ui.Key(kVkTab);
  page.editor.SetWindowText("4");
  ui.Key(kVkTab);  // leaves the last cell: a row is appended
  EXPECT_EQ(appended, 1);
  EXPECT_EQ(page.list.GetItemText(1, 1), "4");
  EXPECT_EQ(page.list.EditRow(), 2);
  EXPECT_EQ(page.list.EditColumn(), 1);

  CListCtrlEx::EditorRecord locked;
  locked.read_only = true;
  page.list.EndEditing(false);
  page.list.SetRowEditor(0, locked);
  EXPECT_FALSE(page.list.EditCell(0, 1));
}

// Only Tab past the last cell adds a row: Shift+Tab on the first cell
// goes nowhere, and the list adds none.
TEST_F(ListCtrlExPage, ShiftTabOnTheFirstCellAddsNoRow) {
  AddRows({{"a", "1"}, {"b", "2"}});
  CListCtrlEx::EditorRecord record;
  record.editor = &page.editor;
  page.list.SetColumnEditor(1, record);
  int appended = 0;
  page.list.m_append_row = [&](CListCtrlEx& list) {
    ++appended;
    return list.InsertItem(list.GetItemCount(), "new");
  };
  ASSERT_TRUE(page.list.EditCell(0, 1));
  ui.Key(kVkTab, kModShift);
  EXPECT_EQ(appended, 0);
  EXPECT_EQ(page.list.GetItemCount(), 2);
  EXPECT_EQ(page.list.EditRow(), 0);
}

// A double click edits the cell under it in any column that has an editor,
// the first one too; none on a column without one.
TEST_F(ListCtrlExPage, DoubleClickEditsTheCellUnderItInAnyColumn) {
  AddRows({{"a", "1"}, {"b", "2"}});
  CListCtrlEx::EditorRecord record;
  record.editor = &page.editor;
  page.list.SetColumnEditor(0, record);
  ASSERT_TRUE(ui.ClickCell(page, kList, 1, 1, true));
  EXPECT_EQ(page.list.EditRow(), -1);  // column 1 has no editor here
  ASSERT_TRUE(ui.ClickCell(page, kList, 1, 0, true));
  EXPECT_EQ(page.list.EditRow(), 1);
  EXPECT_EQ(page.list.EditColumn(), 0);
  EXPECT_EQ(page.editor.GetWindowText(), "b");
}

// A cell's data word and its own editor: kept by the cell's record, gone
// with its row, ignored out of range.
TEST_F(ListCtrlExPage, CellDataAndCellEditor) {
  AddRows({{"a", "1"}, {"b", "2"}, {"c", "3"}});
  page.list.SetCellData(1, 1, 77);
  page.list.SetCellData(2, 0, 88);
  page.list.SetCellData(9, 0, 5);  // no such row
  page.list.SetCellData(0, 4, 5);  // no such column
  EXPECT_EQ(page.list.GetCellData(1, 1), 77u);
  EXPECT_EQ(page.list.GetCellData(1, 0), 0u);
  EXPECT_EQ(page.list.GetCellData(9, 0), 0u);
  ASSERT_TRUE(page.list.DeleteItem(0));
  EXPECT_EQ(page.list.GetCellData(0, 1), 77u);  // the record moved up with its row
  EXPECT_EQ(page.list.GetCellData(1, 0), 88u);

  CListCtrlEx::EditorRecord record;
  record.editor = &page.editor;
  page.list.SetCellEditor(1, 1, record);
  EXPECT_FALSE(page.list.EditCell(0, 1));
  ASSERT_TRUE(page.list.EditCell(1, 1));
  EXPECT_EQ(page.editor.GetWindowText(), "3");
  page.list.EndEditing(false);
}

// The courses board's grid: ClearAll drops its rows, its counts and the
// highlight, and the last cell it shares with its page.
class GridPage : public CDialogML {
 public:
  GridPage() : CDialogML(kTemplate) {}
  CXQcLix grid;

 protected:
  void DoDataExchange(DataExchange& dx) override { dx.Control(kList, grid); }
};

// A chosen row shows in the highlight across the row unless the page gave
// its cells colours of their own: those keep their colours, chosen or not.
TEST_F(ListCtrlExPage, AChosenRowShowsHighlightedUnlessItsCellsHaveColours) {
  AddRows({{"ROSSI", "18"}, {"BIANCHI", "12"}, {"VERDI", "6"}});
  page.list.SetCellColors(2, 1, rgb(255, 0, 0), kNoColor);
  page.list.SetFocus();
  auto fill = [&](int row, int column) {
    const DisplayList drawn = ui.Render(page);
    const DrawItemOp* cell = drawn.CellFill(kList, row, column);
    return cell ? cell->color : kNoColor;
  };
  ui.Select(page, kList, 1);
  EXPECT_EQ(fill(1, 0), kHighlightColor);
  EXPECT_EQ(fill(1, 1), kHighlightColor);
  EXPECT_EQ(fill(0, 0), page.list.GetBkColor());
  ui.Select(page, kList, 2);
  EXPECT_EQ(fill(2, 0), kHighlightColor);
  EXPECT_EQ(fill(2, 1), rgb(255, 0, 0));
  EXPECT_EQ(fill(1, 0), page.list.GetBkColor());
}

TEST(CoursesGrid, ClearAllEmptiesTheGridAndItsHighlight) {
  register_dialog_templates(kTemplates);
  TestDriver ui;
  GridPage page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  for (int c = 0; c < 4; ++c) page.grid.InsertColumn(c, c < 2 ? "" : "LU1");
  for (int r = 0; r < 3; ++r) page.grid.InsertRow(r, "");
  ASSERT_TRUE(ui.ClickCell(page, kList, 1, 3));
  ASSERT_EQ(page.grid.HighlightRow(), 1);
  CXQcLix::s_last_cell = 7;
  page.grid.ClearAll();
  EXPECT_EQ(page.grid.GetItemCount(), 0);
  EXPECT_EQ(page.grid.RowCount(), 0);
  EXPECT_EQ(page.grid.HighlightRow(), -1);
  EXPECT_EQ(page.grid.HighlightColumn(), -1);
  EXPECT_EQ(CXQcLix::s_last_cell, -1);
  EXPECT_EQ(page.grid.ColumnCount(), 4) << "the columns stay";
}

}  // namespace
