// The band-table picker driven headless: the summary text, a band set to
// "Non definito" clearing its row and sinking behind the used rows, equal
// bands and an empty table refused with the focus on the faulty list, a
// table that must end at the band maximum getting its last pair, a
// quantity on an empty row refused, the not-defined quantity, the running
// sum in the title, restore without defaults, cancel writing nothing, and
// the summary button's rules.
#include <gtest/gtest.h>

#include <string>

#include "constraints/band_table_picker.h"
#include "constraints/summary_buttons.h"
#include "picker_support.h"

namespace {

using namespace kt::ui;
using namespace kt_constraints_test;

struct Table {
  std::int8_t pairs[9][2] = {};
  std::uint8_t count = 0;
  Table(std::initializer_list<std::pair<int, int>> used, int empty_band = 0) {
    for (auto& p : pairs) p[0] = std::int8_t(empty_band);
    for (const auto& [band, quantity] : used) {
      pairs[count][0] = std::int8_t(band);
      pairs[count][1] = std::int8_t(quantity);
      ++count;
    }
  }
  Hq2TableSpec Spec(int band_min, int band_max, int q_min, int q_max) {
    Hq2TableSpec s;
    s.pairs = pairs;
    s.count = &count;
    s.band_min = std::int8_t(band_min);
    s.band_max = std::int8_t(band_max);
    s.quantity_min = std::int8_t(q_min);
    s.quantity_max = std::int8_t(q_max);
    return s;
  }
};

// Opens the picker on spec, runs the steps, then saves (or abandons).
LResult run(Chq2& picker, const Hq2TableSpec& spec, TestDriver& ui, const std::function<void(Dialog&)>& steps,
            bool save, int boxes = 0) {
  picker.SetBandData(nullptr, "Tabella ore", "Fascia", "Quantita", nullptr, spec);
  return run_picker(picker, ui, steps, save, boxes);
}

std::string cells(int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += "\t ";
  return out;
}

TEST(BandTableSummary, BandsQuantitiesAndTheOverWord) {
  Table t({{3, 2}, {12, 5}});
  Hq2TableSpec spec = t.Spec(1, 12, 0, 12);
  spec.over = 1;
  EXPECT_EQ(hq2_summary_text(t.pairs, t.count, spec, "T", "Fascia", "Quantita"),
            "T\nFascia\t 3\t Oltre" + cells(7) + "\nQuantita\t 2\t 5" + cells(7) + "\n");
  EXPECT_EQ(hq2_summary_text(t.pairs, 200, spec, "T", "F", "Q").size(),
            hq2_summary_text(t.pairs, 9, spec, "T", "F", "Q").size());  // a damaged count stops at nine
}

TEST(BandTablePicker, NotDefinedBandClearsTheRowWhichSinks) {
  Table t({{2, 1}, {4, 2}, {6, 3}});
  Chq2 picker;
  TestDriver ui;
  EXPECT_EQ(run(picker, t.Spec(1, 12, 0, 12), ui, [&](Dialog& d) { ui.Select(d, Chq2::kBandIds[0], 0); }, true),
            kIdOk);
  EXPECT_EQ(t.count, 2);
  EXPECT_EQ(t.pairs[0][0], 4);
  EXPECT_EQ(t.pairs[0][1], 2);
  EXPECT_EQ(t.pairs[1][0], 6);
  EXPECT_EQ(t.pairs[2][0], 0);
  EXPECT_TRUE(ui.Problems().empty());
}

TEST(BandTablePicker, EqualBandsAreRefusedWithTheFocusOnTheSecond) {
  Table t({{2, 1}, {4, 2}});
  Chq2 picker;
  TestDriver ui;
  bool focus_on_second = false;
  LResult r = run(picker, t.Spec(1, 12, 0, 12), ui, [&](Dialog& d) {
    ui.Select(d, Chq2::kBandIds[1], 2);  // band 2, as row 0
    d.GetDlgItem(kIdOk)->SetFocus();
    ui.Click(d, kIdOk);
    focus_on_second = ui.HasFocus(d, Chq2::kBandIds[1]);
  }, false, 1);
  EXPECT_EQ(r, kIdCancel);
  EXPECT_TRUE(focus_on_second);
  EXPECT_TRUE(box_says(ui, "Ci sono due FASCE eguali - non consentito"));
  EXPECT_EQ(t.pairs[1][0], 4);  // abandoned: nothing written
}

TEST(BandTablePicker, OrderChecksOfTheQuantities) {
  struct Case { const char* id; std::uint8_t flags; std::pair<int, int> rows[2]; const char* message; };
  const Case cases[] = {
      {"increasing", kHq2Increasing, {{2, 3}, {4, 3}}, "Inserire valori di QUANTITA' sempre crescenti"},
      {"not-increasing", kHq2NotIncreasing, {{2, 3}, {4, 4}}, "Inserire valori di QUANTITA' eguali o decrescenti"},
      {"not-above-band", kHq2NotAboveBand, {{2, 3}, {4, 4}},
       "Inserire valori di QUANTITA' Minori o Eguali alla Fascia corrispondente"},
  };
  for (const Case& c : cases) {
    Table t({c.rows[0], c.rows[1]});
    Hq2TableSpec spec = t.Spec(1, 12, 0, 12);
    spec.flags = c.flags;
    Chq2 picker;
    TestDriver ui;
    EXPECT_EQ(run(picker, spec, ui, [](Dialog&) {}, true, 1), kIdCancel) << c.id;
    EXPECT_TRUE(box_says(ui, c.message)) << c.id;
  }
}

TEST(BandTablePicker, TableEndingAtTheMaximumGetsItsLastPair) {
  Table t({{2, 1}, {3, 2}, {5, 4}});
  Hq2TableSpec spec = t.Spec(1, 30, 0, 7);
  spec.over = 1;
  spec.flags2 = kHq2EndsAtMaximum;
  Chq2 picker;
  TestDriver ui;
  EXPECT_EQ(run(picker, spec, ui, [](Dialog&) {}, true), kIdOk);
  EXPECT_EQ(t.count, 4);
  EXPECT_EQ(t.pairs[3][0], 30);
  EXPECT_EQ(t.pairs[3][1], 4);
}

TEST(BandTablePicker, EmptyTableIsRefusedOrTakesTheDefaults) {
  static const std::int8_t kDefaults[18] = {3, 1, 6, 2};
  for (bool with_defaults : {false, true}) {
    Table t({});
    Hq2TableSpec spec = t.Spec(1, 12, 0, 12);
    spec.flags2 = kHq2NotEmpty;
    spec.defaults = with_defaults ? kDefaults : nullptr;
    Chq2 picker;
    TestDriver ui;
    LResult r = run(picker, spec, ui, [](Dialog&) {}, true, with_defaults ? 0 : 1);
    EXPECT_EQ(r, with_defaults ? kIdOk : kIdCancel);
    EXPECT_EQ(t.count, with_defaults ? 2 : 0);
    EXPECT_EQ(box_says(ui, "Inserire i dati - la tabella non può essere vuota."_cp), !with_defaults);
  }
}

TEST(BandTablePicker, QuantityOnAnEmptyRowIsRefusedAndRestoreWithoutDefaultsOnlyExplains) {
  Table t({{2, 1}});
  Chq2 picker;
  TestDriver ui;
  std::string help;
  run(picker, t.Spec(1, 12, 0, 12), ui, [&](Dialog& d) {
    d.SendMessage(kMsgCommand, make_command_param(Chq2::kQuantityIds[4], kCbnSelChange), 0);
    ui.Click(d, Chq2::kRestoreId);
    help = ui.Text(d, Chq2::kHelpPaneId);
  }, true, 1);
  EXPECT_TRUE(box_says(ui, "Definire prima la FASCIA, e poi la QUANTITA'"));
  EXPECT_EQ(help.rfind("I valori predefiniti dal sistema non esistono", 0), 0u);
  EXPECT_EQ(t.count, 1);
  EXPECT_EQ(t.pairs[0][1], 1);
}

TEST(BandTablePicker, NotDefinedQuantityAndTheRunningSum) {
  Table t({{0, 3}, {2, 2}, {3, 1}}, -1);
  Hq2TableSpec spec = t.Spec(0, 5, 1, 9);
  spec.not_defined = 1;
  spec.flags = kHq2SumMode;
  spec.limit = 40;
  Chq2 picker;
  TestDriver ui;
  std::string title;
  run(picker, spec, ui, [&](Dialog& d) {
    title = ui.Text(d, Chq2::kTitleId);
    ui.Select(d, Chq2::kQuantityIds[2], 0);  // "Non definito"
  }, true);
  EXPECT_EQ(title, " Tabella ore = [ 2 2 3  ] - Somma corrente = 7 ore totali");
  EXPECT_EQ(t.pairs[2][1], 0);  // quantity minimum - 1
  EXPECT_EQ(t.count, 3);
}

// A page with one band-table summary button.
constexpr int kPageTemplate = 9812;
constexpr int kSummaryId = 1302;
const ControlTemplate kPageControls[] = {
    {"Button", kSummaryId, "", kBsPushButton | kWsTabStop, 4, 4, 300, 50},
};
const DialogTemplate kPageTemplates[] = {
    {kPageTemplate, "Pagina", kWsPopup | kWsCaption, 0, 0, 310, 60, kPageControls},
};

class BandPage : public Dialog {
 public:
  BandPage() : Dialog(kPageTemplate) {}
  CBW_HQ2 summary;

 protected:
  void DoDataExchange(DataExchange& dx) override { dx.Control(kSummaryId, summary); }
};

TEST(BandTableSummaryButton, RulesAndTheLabelColumn) {
  register_dialog_templates(kPageTemplates);
  TestDriver ui;
  BandPage page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  Table t({{3, 2}});
  Hq2TableSpec spec = t.Spec(1, 12, 0, 12);
  spec.flags = kHq2NarrowLabel;
  Chq2 picker;
  picker.SetBandData(&page.summary, "T", "F", "Q", nullptr, spec);
  EXPECT_EQ(g_hq2_label_width, 150);
  DisplayList list = ui.Render(page);
  int lines = 0;
  const DrawItemOp *band = nullptr, *caption = nullptr, *quantity = nullptr;
  for (const DrawItemOp* op : list.ForControl(kSummaryId)) {
    lines += op->op == DrawOp::kLine ? 1 : 0;
    if (op->op != DrawOp::kText) continue;
    if (op->text == "F") caption = op;
    if (op->text == " 3") band = op;
    if (op->text == " 2") quantity = op;
  }
  EXPECT_EQ(lines, 2 + 9);
  ASSERT_TRUE(band && caption && quantity);
  EXPECT_EQ(band->rect.left - caption->rect.left, 150);
  EXPECT_EQ(quantity->rect.top - band->rect.top, 20);
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
