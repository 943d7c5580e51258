// The labs page's new lab group: a new name makes the group, chosen in the
// group list, and empties the name field for the next one with the focus
// on it; a name already in use chooses that group and adds none, the name
// left as typed.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dictionary_support.h"
#include "structure/labs_page.h"

namespace {

using namespace kt::ui;
using namespace dictionary_test;
using L = Clapal;

TEST(LabsGroupAdd, ANewGroupIsChosenAndTheNameFieldEmptied) {
  empty_school();
  add_lab("AULA A");
  UiLabGroup& other = g_ui_structure.lab_groups[g_ui_structure.lab_group_count++];
  std::strcpy(other.name, "ALTRO");
  for (int s = 0; s < 20; ++s) other.labs[s] = -1;
  TestDriver ui;
  Clapal page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  auto* groups = static_cast<ListView*>(page.GetDlgItem(L::kGroupListId));
  auto chosen = [&] {
    int row = groups->GetNextItem(-1, kLvniSelected);
    return row < 0 ? std::string("<none>") : groups->GetItemText(row, 0);
  };

  page.GetDlgItem(L::kGroupNameId)->SetWindowText("NUOVO");
  ui.Click(page, L::kAddGroupId);
  ASSERT_EQ(+g_ui_structure.lab_group_count, 2u);
  EXPECT_STREQ(g_ui_structure.lab_groups[1].name, "NUOVO");
  EXPECT_EQ(chosen(), "NUOVO");
  EXPECT_EQ(ui.Text(page, L::kGroupNameId), "");
  EXPECT_TRUE(ui.HasFocus(page, L::kGroupNameId));

  page.GetDlgItem(L::kGroupNameId)->SetWindowText("ALTRO");
  ui.Click(page, L::kAddGroupId);
  EXPECT_EQ(+g_ui_structure.lab_group_count, 2u);
  EXPECT_EQ(chosen(), "ALTRO");
  EXPECT_EQ(ui.Text(page, L::kGroupNameId), "ALTRO");
  EXPECT_FALSE(ui.HasFocus(page, L::kGroupNameId));
  og_snapshot_all();
  page.DestroyWindow();
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
