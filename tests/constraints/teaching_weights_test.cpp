// The teaching-weight dialog on a copy of the small sample school: the
// subjects open by weight, type and name, the columns sort them again (a
// conversation subject named as such in the type column), LOW sets the selected subjects back, the weight table
// opens from its button on its own ranges and is written only when
// confirmed, and each "?" shows its help (the table's says, in balancing,
// that the table is not used).
#include <gtest/gtest.h>

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

TEST_F(SchoolPages, WeightColumnsSortAndLowSetsBack) {
  int n = int(g_ui_structure.subject_count);
  for (int s = 0; s < n; ++s) g_ui_structure.subjects[s].option_p = 0;
  g_ui_structure.subjects[1].type = 'C';  // STORIA as a conversation subject
  g_ui_structure.subjects[3].option_p = 1;  // MATEMATICA high
  ASSERT_TRUE(og_save_school_files());
  std::vector<std::string> names, types, weights_after_low;
  ui.OnNextModal([&](Dialog& d) {
    names = column(d, 0);  // by weight, then type, then name
    ui.ClickHeader(d, W::kListId, 1);
    types = column(d, 1);
    ui.Select(d, W::kListId, 0);
    ui.ClickHeader(d, W::kListId, 0);
    EXPECT_EQ(ui.Text(d, W::kHelpPaneId).rfind("SUGGERIMENTO: se volete vedere", 0), 0u);
    auto* list = static_cast<ListView*>(d.GetDlgItem(W::kListId));
    int maths = -1;
    for (int i = 0; i < list->GetItemCount(); ++i)
      if (list->GetItemText(i, 0) == "MATEMATICA") maths = i;
    ASSERT_GE(maths, 0);
    ui.Select(d, W::kListId, maths);
    ui.Click(d, W::kLowId);
    weights_after_low = column(d, 2);
    ui.AnswerNextModal(kIdYes);
    ui.Click(d, kIdCancel);
  });
  W weights;
  weights.DoModal();
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names, (std::vector<std::string>{"STORIA", "ARTE E IMMAGINE", "FRANCESE", "GEOGRAFIA", "INGLESE",
                                             "ITALIANO", "MUSICA", "RELIGIONE", "SCIENZE", "SCIENZE MOTORIE",
                                             "TECNOLOGIA", "MATEMATICA"}));
  ASSERT_EQ(types.size(), names.size());
  EXPECT_EQ(types.back(), "Conversazione / Compresenza") << "the conversation type sorts last";
  EXPECT_EQ(std::count(types.begin(), types.end(), "Conversazione / Compresenza"), 1);
  EXPECT_EQ(std::count(weights_after_low.begin(), weights_after_low.end(), "Alto"), 0);
  EXPECT_EQ(+g_ui_structure.subjects[3].option_p, 1) << "abandoned: read again";
}

TEST_F(SchoolPages, TheWeightTableOpensOnItsRangesAndIsWrittenWhenConfirmed) {
  g_ui_settings.pexdiz = {{{5, 2, 1}}, 1};
  og_snapshot_all();
  std::string summary;
  std::vector<std::string> bands, seconds, quantities;
  UiHq3Table after_cancel{}, after_ok{};
  ui.OnNextModal([&](Dialog& d) {
    summary = ui.Text(d, W::kTableId);
    ui.OnNextModal([&](Dialog& t) {
      auto items = [&](int id) {
        auto* box = static_cast<ComboBox*>(t.GetDlgItem(id));
        return std::vector<std::string>{box->GetLBText(1), box->GetLBText(box->GetCount() - 1)};
      };
      bands = items(Chq3::kBandIds[0]);
      seconds = items(Chq3::kSecondIds[0]);
      auto* quantity = static_cast<ComboBox*>(t.GetDlgItem(Chq3::kQuantityIds[0]));
      quantities = {quantity->GetLBText(0), quantity->GetLBText(quantity->GetCount() - 1)};
      ui.Key(kVkEscape);
    });
    ui.Click(d, W::kTableId);
    after_cancel = g_ui_settings.pexdiz;
    ui.OnNextModal([&](Dialog& t) {
      ui.Select(t, Chq3::kQuantityIds[0], 0);
      t.GetDlgItem(kIdOk)->SetFocus();
      ui.Click(t, kIdOk);
    });
    ui.Click(d, W::kTableId);
    after_ok = g_ui_settings.pexdiz;
    ui.Click(d, W::kTableHelpId);
    EXPECT_EQ(ui.Text(d, W::kHelpPaneId).rfind("Per ogni lunghezza della giornata di una classe", 0), 0u);
    ui.Click(d, W::kListHelpId);
    EXPECT_EQ(ui.Text(d, W::kHelpPaneId).rfind("SUGGERIMENTO", 0), 0u);
    ui.Click(d, W::kHowToId);
    EXPECT_EQ(ui.Text(d, W::kHelpPaneId).rfind("Selezionate le materie e premete", 0), 0u);
    ui.AnswerNextModal(kIdYes);
    ui.Click(d, kIdCancel);
  });
  W weights;
  weights.DoModal();
  EXPECT_EQ(summary.rfind("Modalit\xE0 di controllo del Peso Didattico", 0), 0u) << summary;
  EXPECT_NE(summary.find("\t 5\t"), std::string::npos) << summary;
  EXPECT_EQ(bands, (std::vector<std::string>{"1", "12"}));
  EXPECT_EQ(seconds, (std::vector<std::string>{"1", "12"}));
  EXPECT_EQ(quantities, (std::vector<std::string>{"0", "12"}));
  EXPECT_EQ(after_cancel.triples[0][2], 1);
  EXPECT_EQ(after_ok.triples[0][2], 0);
  EXPECT_EQ(after_ok.triples[0][0], 5);
}

TEST_F(SchoolPages, InBalancingTheTableHelpSaysItIsNotUsed) {
  og_snapshot_all();
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, W::kTableHelpId);
    EXPECT_EQ(ui.Text(d, W::kHelpPaneId).rfind("In bilanciamento il Peso Didattico", 0), 0u);
    ui.Click(d, kIdCancel);
  });
  W weights(true);
  weights.DoModal();
}

}  // namespace
