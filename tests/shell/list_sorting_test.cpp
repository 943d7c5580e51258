// The extended report list sorted by a heading click, one kind of column at
// a time, on texts that tell the kinds apart: whole numbers before words
// (by value among themselves, by their characters against words), the same
// with case folded, leading numbers, decimals written with a comma, words
// with and without case, and dates in the program's day-month-year order.
// A column of no sort kind keeps its rows as they are.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/test_driver.h"
#include "shell/dialog_ml.h"
#include "shell/list_ctrl_ex.h"

namespace {

using namespace kt::ui;

constexpr int kTemplate = 9641, kList = 1401;
const ControlTemplate kControls[] = {
    {"ListView", kList, "", kLvsReport | kWsTabStop, 5, 5, 200, 100},
};
const DialogTemplate kTemplates[] = {
    {kTemplate, "Elenco", kWsPopup | kWsCaption, 0, 0, 210, 120, kControls},
};

class ListPage : public CDialogML {
 public:
  ListPage() : CDialogML(kTemplate) {}
  CListCtrlEx list;

 protected:
  void DoDataExchange(DataExchange& dx) override { dx.Control(kList, list); }
};

struct SortCase {
  const char* id;
  int type;
  std::vector<const char*> rows;
  std::string ascending;   // after the first click
  std::string descending;  // after a second click on a toggling column
};

std::string column(ListPage& page) {
  std::string out;
  for (int r = 0; r < page.list.GetItemCount(); ++r) out += (r ? "|" : "") + page.list.GetItemText(r, 0);
  return out;
}

TEST(ListSorting, EachKindOfColumnSortsItsOwnWay) {
  const SortCase cases[] = {
      {"numbers and words", 4, {"10", "abc", "9", "B", "7"}, "7|9|10|B|abc", "abc|B|10|9|7"},
      {"numbers and words, case folded", 6, {"b", "10", "A", "9", "c"}, "9|10|A|b|c", "c|b|A|10|9"},
      {"a padded number is a word", 4, {"007", "8", "x"}, "007|8|x", "x|8|007"},
      {"leading numbers", 1, {"12 ore", "3 ore", "20"}, "3 ore|12 ore|20", "20|12 ore|3 ore"},
      {"decimals with a comma", 2, {"10,5", "2,5", "7"}, "2,5|7|10,5", "10,5|7|2,5"},
      {"words, case folded", 5, {"b", "C", "a"}, "a|b|C", "C|b|a"},
      {"words by their characters", 3, {"b", "C", "a"}, "C|a|b", "b|a|C"},
      {"dates", 7, {"10/02/2025", "01/03/24", "5-1-2025"}, "01/03/24|5-1-2025|10/02/2025",
       "10/02/2025|5-1-2025|01/03/24"},
  };
  register_dialog_templates(kTemplates);
  for (const SortCase& c : cases) {
    TestDriver ui;
    ListPage page;
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    page.list.InsertColumn(0, "Valore", kLvcfmtLeft, 80);
    for (const char* text : c.rows) page.list.InsertItem(page.list.GetItemCount(), text);
    page.list.SetColumnSort(0, CListCtrlEx::kSortToggles | CListCtrlEx::kSortAscending, c.type);
    // A toggling column turns on the click: ascending marked, the first click sorts downwards.
    ASSERT_TRUE(ui.ClickHeader(page, kList, 0)) << c.id;
    EXPECT_EQ(column(page), c.descending) << c.id;
    EXPECT_EQ(page.list.GetSortArrow(0), 2) << c.id;
    ASSERT_TRUE(ui.ClickHeader(page, kList, 0)) << c.id;
    EXPECT_EQ(column(page), c.ascending) << c.id;
    EXPECT_EQ(page.list.GetSortArrow(0), 1) << c.id;
    page.DestroyWindow();
  }
}

TEST(ListSorting, AColumnOfNoSortKindKeepsItsRows) {
  register_dialog_templates(kTemplates);
  TestDriver ui;
  ListPage page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  page.list.InsertColumn(0, "Valore", kLvcfmtLeft, 80);
  for (const char* text : {"b", "a", "c"}) page.list.InsertItem(page.list.GetItemCount(), text);
  page.list.SetColumnSort(0, CListCtrlEx::kSortAscending, 0);
  ui.ClickHeader(page, kList, 0);
  EXPECT_EQ(column(page), "b|a|c");
}

}  // namespace
