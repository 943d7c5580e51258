// The teaching-weight list's headings: each press on a heading turns that
// column's order over (the list opens sorted on every column upwards, so the
// first press sorts downwards), the other columns keep their own turn, equal
// keys keep the order they had, and the subjects chosen stay chosen.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "constraint_page_fixtures.h"
#include "schooldata/school_files.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::SchoolPages;
using W = Cpesodi;

std::vector<std::string> column(Dialog& d, int c) {
  auto* list = static_cast<ListView*>(d.GetDlgItem(W::kListId));
  std::vector<std::string> out;
  for (int i = 0; i < list->GetItemCount(); ++i) out.push_back(list->GetItemText(i, c));
  return out;
}

std::vector<std::string> chosen(Dialog& d) {
  auto* list = static_cast<ListView*>(d.GetDlgItem(W::kListId));
  std::vector<std::string> out;
  for (int i = list->GetNextItem(-1, kLvniSelected); i >= 0; i = list->GetNextItem(i, kLvniSelected))
    out.push_back(list->GetItemText(i, 0));
  return out;
}

const std::vector<std::string> kUp = {"ARTE E IMMAGINE", "FRANCESE",  "GEOGRAFIA", "INGLESE",
                                      "ITALIANO",        "MATEMATICA", "MUSICA",    "RELIGIONE",
                                      "SCIENZE",         "SCIENZE MOTORIE", "STORIA", "TECNOLOGIA"};

TEST_F(SchoolPages, EachPressOnAHeadingTurnsThatColumnsOrderOver) {
  int n = int(g_ui_structure.subject_count);
  for (int s = 0; s < n; ++s) g_ui_structure.subjects[s].option_p = 0;
  g_ui_structure.subjects[3].option_p = 1;  // MATEMATICA high
  ASSERT_TRUE(og_save_school_files());
  std::vector<std::vector<std::string>> names, weights;
  std::vector<std::string> kept;
  ui.OnNextModal([&](Dialog& d) {
    names.push_back(column(d, 0));
    weights.push_back(column(d, 2));
    auto* list = static_cast<ListView*>(d.GetDlgItem(W::kListId));
    for (int i = 0; i < list->GetItemCount(); ++i)
      if (list->GetItemText(i, 0) == "MUSICA") ui.Select(d, W::kListId, i);
    ui.ClickHeader(d, W::kListId, 0);
    names.push_back(column(d, 0));
    kept = chosen(d);
    ui.ClickHeader(d, W::kListId, 0);
    names.push_back(column(d, 0));
    ui.ClickHeader(d, W::kListId, 2);  // by weight, downwards: the high one first, the rest by name as they were
    names.push_back(column(d, 0));
    weights.push_back(column(d, 2));
    ui.ClickHeader(d, W::kListId, 2);  // upwards: the high one last
    names.push_back(column(d, 0));
    weights.push_back(column(d, 2));
    ui.Click(d, kIdCancel);
  });
  W dialog;
  dialog.DoModal();
  ASSERT_EQ(names.size(), 5u);
  std::vector<std::string> down(kUp.rbegin(), kUp.rend());
  EXPECT_EQ(names[1], down) << "the first press sorts by name downwards";
  EXPECT_EQ(kept, (std::vector<std::string>{"MUSICA"}));
  EXPECT_EQ(names[2], kUp) << "the second press upwards again";
  std::vector<std::string> high_first = {"MATEMATICA"};
  for (const std::string& s : kUp)
    if (s != "MATEMATICA") high_first.push_back(s);
  EXPECT_EQ(names[3], high_first);
  EXPECT_EQ(weights[1].front(), "Alto");
  EXPECT_EQ(std::count(weights[1].begin(), weights[1].end(), "Alto"), 1);
  std::vector<std::string> high_last(high_first.begin() + 1, high_first.end());
  high_last.push_back("MATEMATICA");
  EXPECT_EQ(names[4], high_last);
  EXPECT_EQ(weights[2].back(), "Alto");
}

}  // namespace
