// The extended report list: comparisons of every sort type, sorting on a
// heading click (direction turning per click, caller data following its
// row), cell colours by level read back from the display list, data-word
// search, and in-place editing kept by a click elsewhere, dropped by Esc,
// moved by Tab, refused by the end callback and by a read-only column.
#include <gtest/gtest.h>

#include "platform/test_driver.h"
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

TEST(ListCtrlExCompare, EachSortType) {
  const CompareCase cases[] = {
      {"none", 0, "b", "a", 0},
      {"int", 1, "10", "9", 1},
      {"int-leading", 1, "3x", "12y", -1},
      {"dec-equal", 2, "1.2", "1.5", 0},
      {"dec-apart", 2, "2.9", "1.5", 1},
      {"dec-comma", 2, "3,5", "1,2", 1},
      {"text-case", 3, "a", "B", 1},
      {"mixed-num", 4, "10", "9", 1},
      {"mixed-text", 4, "10a", "9a", -1},
      {"mixed-zero", 4, "0", "9", -1},
      {"fold", 5, "a", "B", -1},
      {"mixed-fold", 6, "abc", "ABD", -1},
      {"mixed-fold-num", 6, "100", "20", 1},
      {"date", 7, "01/02/2024", "31/01/2024", 1},
      {"other", 9, "a", "B", 1},
  };
  for (const CompareCase& c : cases) EXPECT_EQ(list_ex_compare_texts(c.type, c.a, c.b), c.expected) << c.id;
}

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

TEST_F(ListCtrlExPage, DecimalsLessThanOneApartKeepTheirOrder) {
  AddRows({{"a", "1.5"}, {"b", "1.2"}, {"c", "0.1"}});
  page.list.SetColumnSort(1, CListCtrlEx::kSortAscending, 2);
  ASSERT_TRUE(page.list.SortByColumn(1, false));
  EXPECT_EQ(Column(1), "0.1,1.5,1.2");
}

TEST_F(ListCtrlExPage, UnsortedColumnIgnoresClicks) {
  AddRows({{"b", "1"}, {"a", "2"}});
  ASSERT_TRUE(ui.ClickHeader(page, kList, 0));
  EXPECT_EQ(Column(0), "b,a");
  EXPECT_EQ(page.list.SortedColumn(), -1);
}

int by_data_descending(std::uintptr_t a, std::uintptr_t b, int) { return a < b ? 1 : a > b ? -1 : 0; }

TEST_F(ListCtrlExPage, OwnComparisonGetsTheCallerData) {
  AddRows({{"x", "1"}, {"y", "2"}, {"z", "3"}});
  page.list.SetColumnSort(0, CListCtrlEx::kSortAscending, 0, by_data_descending);
  page.list.SortByColumn(0, false);
  EXPECT_EQ(Column(0), "z,y,x");
}

TEST_F(ListCtrlExPage, CellColoursComeFromTheFirstLevelThatSetsOne) {
  AddRows({{"a", "1"}, {"b", "2"}, {"c", "3"}});
  const Color red = rgb(255, 0, 0), blue = rgb(0, 0, 255), green = rgb(0, 255, 0);
  page.list.SetColumnColors(1, green, kNoColor);
  page.list.SetRowColors(1, blue, kNoColor);
  page.list.SetCellColors(1, 1, kNoColor, red);  // only a text colour
  page.list.SetCellColors(9, 1, red, red);       // no such row: ignored
  DisplayList shown = ui.Render(page);
  struct Case {
    const char* id;
    int row, column;
    Color back;
  } cases[] = {
      {"plain", 0, 0, page.list.DefaultBack()},
      {"column", 0, 1, green},
      {"row", 1, 0, blue},
      {"cell-text-only", 1, 1, page.list.DefaultBack()},
      {"column-again", 2, 1, green},
  };
  for (const Case& c : cases) {
    const DrawItemOp* fill = shown.CellFill(kList, c.row, c.column);
    ASSERT_NE(fill, nullptr) << c.id;
    EXPECT_EQ(fill->color, c.back) << c.id;
  }
  const DrawItemOp* text = shown.CellText(kList, 1, 1);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->color, red);
}

TEST_F(ListCtrlExPage, FindsRowsByCallerDataAndFreesRecords) {
  AddRows({{"a", "1"}, {"b", "2"}, {"c", "3"}});
  EXPECT_EQ(page.list.FindItemByData(-1, 101), 1);
  EXPECT_EQ(page.list.FindItemByData(1, 101), -1);
  EXPECT_EQ(page.list.FindItem({CListCtrlEx::kFindParam, {}, 102}), 2);
  EXPECT_EQ(page.list.FindItem({CListCtrlEx::kFindString, "b", 0}), 1);
  EXPECT_TRUE(page.list.DeleteItem(0));
  EXPECT_EQ(page.list.FindItemByData(-1, 102), 1);
  EXPECT_TRUE(page.list.DeleteAllItems());
  EXPECT_EQ(page.list.GetItemCount(), 0);
  EXPECT_EQ(page.list.GetItemData(0), 0u);
}

TEST_F(ListCtrlExPage, RowsInsertedThroughTheBaseGetARecordOnDemand) {
  ListView& base = page.list;
  base.InsertItem(0, "grezzo", 0xDEADBEEF);  // a data word that is no record
  EXPECT_EQ(page.list.GetItemData(0), 0u);
  page.list.SetRowColors(0, rgb(1, 2, 3), kNoColor);
  EXPECT_EQ(ui.Render(page).CellFill(kList, 0, 1)->color, rgb(1, 2, 3));
  EXPECT_TRUE(page.list.SetItemData(0, 7));
  EXPECT_EQ(page.list.FindItemByData(-1, 7), 0);
}

TEST_F(ListCtrlExPage, DeleteKeyRemovesSelectedRowsWhenAllowed) {
  AddRows({{"a", "1"}, {"b", "2"}, {"c", "3"}});
  page.list.SetItemState(0, kLvisSelected, kLvisSelected);
  page.list.SetItemState(2, kLvisSelected, kLvisSelected);
  page.list.SetFocus();
  ui.Key(kVkDelete);
  EXPECT_EQ(page.list.GetItemCount(), 3);
  page.list.m_delete_key_deletes = true;
  page.list.SetFocus();
  ui.Key(kVkDelete);
  EXPECT_EQ(Column(0), "b");
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

TEST_F(ListCtrlExPage, ComboEditorPreparedByTheBeginCallback) {
  AddRows({{"a", "Lu"}, {"b", "Ma"}});
  for (const char* day : {"Lu", "Ma", "Me"}) page.combo.AddString(day);
  CListCtrlEx::EditorRecord record;
  record.editor = &page.combo;
  record.begin = [&](Window& editor, int, int, const std::string& text) {
    auto& combo = static_cast<ComboBox&>(editor);
    return combo.SelectString(-1, text) >= 0;
  };
  page.list.SetColumnEditor(1, record);
  ASSERT_TRUE(page.list.EditCell(1, 1));
  EXPECT_EQ(page.combo.GetCurSel(), 1);
  page.combo.SetCurSel(2);
  ui.Key(kVkReturn);
  EXPECT_EQ(page.list.GetItemText(1, 1), "Me");
}

TEST_F(ListCtrlExPage, DestroyingTheListGivesTheEditorBack) {
  AddRows({{"a", "1"}});
  CListCtrlEx::EditorRecord record;
  record.editor = &page.editor;
  page.list.SetColumnEditor(1, record);
  ASSERT_TRUE(page.list.EditCell(0, 1));
  page.list.DestroyWindow();
  EXPECT_TRUE(page.editor.IsWindow());
  EXPECT_EQ(page.editor.GetParent(), &page);
}

}  // namespace
