// The buildings page's class list sorted by a click on a heading: by the
// class, by its section, by its rotation group, each click turning the
// direction, with the chosen class still chosen and the sorting tip shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "structure/buildings_page.h"
#include "structure_page_fixture.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using P = Cplessi;

class BuildingsClassOrder : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ASSERT_NO_FATAL_FAILURE(open_test_school(data_root(), {"1A ", "2B ", "3A ", "1B ", "2A "}));
    g_ui_structure.sections[0][1] = 1;
    const int groups[] = {2, 0, 1, 3, 1};
    for (int c = 0; c < 5; ++c) g_ui_structure.classes[c].rotation = std::uint8_t(groups[c]);
    g_ui_settings.building_count = 1;
    std::strcpy(g_ui_settings.buildings[0].name, "Via Roma");
    std::memset(g_ui_settings.rotation_breaks, 255, 4);
    og_snapshot_all();
    ASSERT_NO_FATAL_FAILURE(show_frame_page(ui, kPagePlessi));
    ASSERT_EQ(g_current_page, &g_buildings_page);
  }
  void TearDown() override {
    og_snapshot_all();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    for (PageSlot s : {PageSlot::MenuConfora, PageSlot::Proscuola, PageSlot::Plessi}) g_pages.Install(s, nullptr);
    TempRoot::TearDown();
  }
  ListView& list() { return *static_cast<ListView*>(g_buildings_page.GetDlgItem(P::kClassListId)); }
  // Each row's cells, "label|section|track|group".
  std::vector<std::string> rows() {
    std::vector<std::string> out;
    for (int r = 0; r < list().GetItemCount(); ++r)
      out.push_back(list().GetItemText(r, 0) + "|" + list().GetItemText(r, 1) + "|" + list().GetItemText(r, 2) + "|" +
                    list().GetItemText(r, 3));
    return out;
  }
  std::vector<std::string> column(int c) {
    std::vector<std::string> out;
    for (int r = 0; r < list().GetItemCount(); ++r) out.push_back(list().GetItemText(r, c));
    return out;
  }
  TestDriver ui;
};

// 1 ascending, -1 descending, 0 neither.
int direction(const std::vector<std::string>& keys) {
  bool up = true, down = true;
  for (std::size_t i = 0; i + 1 < keys.size(); ++i) {
    up = up && keys[i] <= keys[i + 1];
    down = down && keys[i] >= keys[i + 1];
  }
  return up && !down ? 1 : down && !up ? -1 : 0;
}

TEST_F(BuildingsClassOrder, EachHeadingSortsByItsColumnBothWays) {
  ASSERT_EQ(list().GetItemCount(), 5);
  // Every class shows its section and its group's letter.
  std::vector<std::string> shown = rows();
  std::sort(shown.begin(), shown.end());
  EXPECT_EQ(shown, (std::vector<std::string>{"1A|A| |B", "1B|B| |C", "2A|A| |A", "2B|B| | ", "3A|A| |A"}));
  for (int c : {0, 1, 3}) {
    SCOPED_TRACE(c);
    ASSERT_TRUE(ui.ClickHeader(g_buildings_page, P::kClassListId, c));
    int first = direction(column(c));
    EXPECT_NE(first, 0) << ::testing::PrintToString(rows());
    ASSERT_TRUE(ui.ClickHeader(g_buildings_page, P::kClassListId, c));
    EXPECT_EQ(direction(column(c)), -first) << ::testing::PrintToString(rows());
    EXPECT_EQ(list().GetItemCount(), 5);
  }
  EXPECT_EQ(ui.Text(g_buildings_page, P::kHelpPaneId).rfind("SUGGERIMENTO: se volete vedere", 0), 0u);
}

TEST_F(BuildingsClassOrder, TheChosenClassStaysChosenAndShowsItsGroup) {
  ASSERT_TRUE(ui.Select(g_buildings_page, P::kClassListId, list().FindItemByText(-1, "1B")));
  EXPECT_EQ(ui.Text(g_buildings_page, P::kGroupId), "C");
  for (int c : {3, 1, 0, 3}) {
    ASSERT_TRUE(ui.ClickHeader(g_buildings_page, P::kClassListId, c));
    int chosen = list().GetNextItem(-1, kLvniSelected);
    ASSERT_GE(chosen, 0) << c;
    EXPECT_EQ(list().GetItemText(chosen, 0), "1B") << c;
    EXPECT_EQ(list().GetNextItem(chosen, kLvniSelected), -1) << c;
  }
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
