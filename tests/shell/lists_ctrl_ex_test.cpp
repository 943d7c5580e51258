// The extended report list: a cell's own colours over the list's defaults,
// and the caller's data word found and kept with its row as rows move.
#include <gtest/gtest.h>

#include "platform/test_driver.h"
#include "shell/dialog_ml.h"
#include "shell/list_ctrl_ex.h"

namespace {

using namespace kt::ui;

constexpr int kTemplate = 9611, kList = 1401;
const ControlTemplate kControls[] = {
    {"ListView", kList, "", kLvsReport | kWsTabStop, 5, 5, 200, 100},
};
const DialogTemplate kTemplates[] = {
    {kTemplate, "Elenco", kWsPopup | kWsCaption, 0, 0, 210, 180, kControls},
};

class ListPage : public CDialogML {
 public:
  ListPage() : CDialogML(kTemplate) {}
  CListCtrlEx list;

 protected:
  void DoDataExchange(DataExchange& dx) override { dx.Control(kList, list); }
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

TEST_F(ListCtrlExPage, CellColoursOverTheDefaultsAndDataFollowsItsRow) {
  AddRows({{"ROSSI", "18"}, {"BIANCHI", "12"}, {"VERDI", "6"}});
  const Color red = rgb(255, 0, 0), blue = rgb(0, 0, 255);
  page.list.SetCellColors(1, 1, kNoColor, red);  // only a text colour
  page.list.SetCellColors(2, 0, blue, red);
  page.list.SetCellColors(7, 0, blue, red);  // out of range: ignored
  Color back = 0, text = 0;
  page.list.CellColors(1, 1, back, text);
  EXPECT_EQ(back, page.list.DefaultBack());
  EXPECT_EQ(text, red);
  page.list.CellColors(1, 0, back, text);
  EXPECT_EQ(text, page.list.DefaultText());

  page.list.InsertItem(0, "NERI", 99);  // rows below move, their records with them
  EXPECT_EQ(Column(0), "NERI,ROSSI,BIANCHI,VERDI");
  EXPECT_EQ(page.list.FindItem({CListCtrlEx::kFindParam, {}, 102}), 3);
  EXPECT_EQ(page.list.FindItem({CListCtrlEx::kFindParam, {}, 100}, 1), -1);  // only rows after the start
  EXPECT_EQ(page.list.GetItemData(0), 99u);
  page.list.CellColors(3, 0, back, text);
  EXPECT_EQ(back, blue);
  EXPECT_TRUE(page.list.DeleteAllItems());
  EXPECT_EQ(page.list.FindItem({CListCtrlEx::kFindParam, {}, 102}), -1);
}

}  // namespace
