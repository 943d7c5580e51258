// Keys pressed on the extended report list: as the program's lists are made,
// no key takes a row away (Delete included), the selection stays; a list
// that lets the Delete key delete takes away exactly the selected rows, the
// other keys still deleting nothing, and an edit under way is dropped.
#include <gtest/gtest.h>

#include <string>

#include "platform/test_driver.h"
#include "shell/dialog_ml.h"
#include "shell/list_ctrl_ex.h"

namespace {

using namespace kt::ui;

constexpr int kTemplate = 9651, kList = 1411, kEdit = 1412;
const ControlTemplate kControls[] = {
    {"ListView", kList, "", kLvsReport | kWsTabStop, 5, 5, 200, 100},
    {"Edit", kEdit, "", kWsTabStop, 5, 110, 60, 12},
};
const DialogTemplate kTemplates[] = {
    {kTemplate, "Elenco", kWsPopup | kWsCaption, 0, 0, 210, 140, kControls},
};

class ListPage : public CDialogML {
 public:
  ListPage() : CDialogML(kTemplate) {}
  CListCtrlEx list;
  Edit editor;

 protected:
  void DoDataExchange(DataExchange& dx) override {
    dx.Control(kList, list);
    dx.Control(kEdit, editor);
  }
};

class ListKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    page.list.InsertColumn(0, "Nome", kLvcfmtLeft, 80);
    for (const char* name : {"a", "b", "c", "d", "e"}) page.list.InsertItem(page.list.GetItemCount(), name, 0);
  }
  // The rows' names, the selected ones in capitals.
  std::string Rows() {
    std::string out;
    for (int r = 0; r < page.list.GetItemCount(); ++r) {
      std::string name = page.list.GetItemText(r, 0);
      if (page.list.GetItemState(r, kLvisSelected)) name[0] = char(name[0] - 'a' + 'A');
      out += name;
    }
    return out;
  }
  void SelectRows(std::initializer_list<int> rows) {
    for (int r = 0; r < page.list.GetItemCount(); ++r) page.list.SetItemState(r, 0, kLvisSelected);
    for (int r : rows) page.list.SetItemState(r, kLvisSelected, kLvisSelected);
    page.list.SetFocus();
  }
  TestDriver ui;
  ListPage page;
};

const int kKeysThatNeverDelete[] = {kVkBack, kVkSpace, kVkInsert, kVkHome, 'D', '0'};

TEST_F(ListKeys, AsTheProgramMakesItNoKeyTakesARowAway) {
  SelectRows({1, 3});
  ASSERT_EQ(Rows(), "aBcDe");
  ui.Key(kVkDelete);
  EXPECT_EQ(Rows(), "aBcDe");
  for (int key : kKeysThatNeverDelete) {
    SelectRows({1, 3});
    ui.Key(key);
    EXPECT_EQ(page.list.GetItemCount(), 5) << key;
  }
  EXPECT_TRUE(page.IsWindowVisible());  // no key closed the page
}

TEST_F(ListKeys, TheDeleteKeyTakesAwayExactlyTheSelectedRowsWhenAllowed) {
  page.list.m_delete_key_deletes = true;
  for (int key : kKeysThatNeverDelete) {
    SelectRows({1, 3});
    ui.Key(key);
    EXPECT_EQ(page.list.GetItemCount(), 5) << key;
  }
  SelectRows({1, 3});
  ui.Key(kVkDelete);
  EXPECT_EQ(Rows(), "ace");
  SelectRows({0, 2});
  ui.Key(kVkDelete);
  EXPECT_EQ(Rows(), "c");
  SelectRows({});
  ui.Key(kVkDelete);
  EXPECT_EQ(Rows(), "c");  // nothing chosen, nothing taken
}

TEST_F(ListKeys, DeletingDropsAnEditUnderWay) {
  page.list.m_delete_key_deletes = true;
  CListCtrlEx::EditorRecord record;
  record.editor = &page.editor;
  page.list.SetColumnEditor(0, record);
  ASSERT_TRUE(page.list.EditCell(4, 0));
  page.editor.SetWindowText("zz");
  SelectRows({0});
  ui.Key(kVkDelete);
  EXPECT_EQ(page.list.EditRow(), -1);
  EXPECT_EQ(Rows(), "bcde");  // the edited row kept its name
}

}  // namespace
