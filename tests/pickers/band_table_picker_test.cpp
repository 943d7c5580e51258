// The band-table picker driven headless: the summary text, a band set to
// "Non definito" clearing its row and sinking behind the used rows, equal
// bands and an empty table refused with the focus on the faulty list, a
// table that must end at the band maximum getting its last pair, a
// quantity on an empty row refused, the not-defined quantity, the running
// sum in the title, restore without defaults, cancel writing nothing, and
// the summary button's rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>


#include "pickers/band_table_double.h"
#include "pickers/band_table_picker.h"
#include "pickers/band_table_triple.h"
#include "pickers/summary_buttons.h"
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

TEST(BandTableSummary, BandsQuantitiesAndTheOverWord) {
  Table t({{3, 2}, {12, 5}});
  Hq2TableSpec spec = t.Spec(1, 12, 0, 12);
  spec.over = 1;
  EXPECT_EQ(hq2_summary_text(t.pairs, t.count, spec, "T", "Fascia", "Quantita"),
            "T\nFascia\t 3\t Oltre\t \t \t \t \t \t \t \nQuantita\t 2\t 5\t \t \t \t \t \t \t \n");
  EXPECT_EQ(hq2_summary_text(t.pairs, 200, spec, "T", "F", "Q").size(),
            hq2_summary_text(t.pairs, 9, spec, "T", "F", "Q").size());  // a damaged count stops at nine
}

TEST(BandTablePicker, NotDefinedBandClearsTheRowWhichSinks) {
  Table t({{2, 1}, {4, 2}, {6, 3}});
  Chq2 picker;
  TestDriver ui;
  EXPECT_EQ(run(picker, t.Spec(1, 12, 0, 12), ui, [&](Dialog& d) { ui.Select(d, Chq2::kBandIds[0], 0); }, true),
            kIdOk);
  EXPECT_EQ(+t.count, 2);
  EXPECT_EQ(t.pairs[0][0], 4);
  EXPECT_EQ(t.pairs[0][1], 2);
  EXPECT_EQ(t.pairs[1][0], 6);
  EXPECT_EQ(t.pairs[2][0], 0);
  EXPECT_TRUE(ui.Problems().empty());
}

// Typing "25" into a band list keeps the focus there while typing, so the
// list ends on 25 (not 2, then 5 in the next list); the rows sort once the
// list is left.
TEST(BandTablePicker, TypedBandsKeepTheFocusUntilTheListIsLeft) {
  Table t({{4, 1}, {30, 2}});
  Chq2 picker;
  TestDriver ui;
  bool focus_kept = false;
  EXPECT_EQ(run(picker, t.Spec(1, 30, 0, 12), ui, [&](Dialog& d) {
    ui.Type(d, Chq2::kBandIds[0], "25");
    focus_kept = ui.HasFocus(d, Chq2::kBandIds[0]);
    d.GetDlgItem(kIdOk)->SetFocus();
  }, true), kIdOk);
  EXPECT_TRUE(focus_kept);
  EXPECT_EQ(t.pairs[0][0], 25);
  EXPECT_EQ(t.pairs[0][1], 1);
  EXPECT_EQ(t.pairs[1][0], 30);
  EXPECT_TRUE(ui.Problems().empty());
}

// Esc with an edit asks first: No stays on the table, Yes leaves it unwritten;
// Esc with no edit leaves at once.
TEST(BandTablePicker, EscAsksBeforeDroppingEdits) {
  Table t({{4, 1}});
  Chq2 picker;
  TestDriver ui;
  bool stayed = false;
  ui.OnNextModal([&](Dialog& d) {
    ui.Select(d, Chq2::kBandIds[0], 6);
    ui.PressInNextModal(CMessageBox::kButtonIds[1]);  // No
    ui.Key(kVkEscape);
    stayed = d.IsWindow() && d.IsWindowVisible();
    ui.PressInNextModal(CMessageBox::kButtonIds[0]);  // Yes
    ui.Key(kVkEscape);
  });
  picker.SetBandData(nullptr, "Tabella ore", "Fascia", "Quantita", nullptr, t.Spec(1, 12, 0, 12));
  ui_register_toolkit_templates();
  EXPECT_EQ(picker.DoModal(), kIdCancel);
  EXPECT_TRUE(stayed);
  EXPECT_EQ(ui.boxes().size(), 3u);
  EXPECT_EQ(t.pairs[0][0], 4);
  Chq2 untouched;
  ui.OnNextModal([&](Dialog&) { ui.Key(kVkEscape); });
  untouched.SetBandData(nullptr, "Tabella ore", "Fascia", "Quantita", nullptr, t.Spec(1, 12, 0, 12));
  EXPECT_EQ(untouched.DoModal(), kIdCancel);
  EXPECT_EQ(ui.boxes().size(), 4u);
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
      // A file may carry what the lists cannot show: a quantity past the table's range.
      {"quantity-beyond-range", 0, {{2, 3}, {4, 20}}, "Definire la QUANTITA' (oppure eliminare la FASCIA corrispondente)"},
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
  EXPECT_EQ(+t.count, 4);
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
    EXPECT_EQ(+t.count, with_defaults ? 2 : 0);
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
  EXPECT_EQ(+t.count, 1);
  EXPECT_EQ(t.pairs[0][1], 1);
}

// Restore with defaults, once confirmed, shows the default pairs in the
// lists and saves them.
TEST(BandTablePicker, RestoreShowsAndSavesTheDefaults) {
  static const std::int8_t kDefaults[18] = {3, 1, 6, 2};
  Table t({{5, 4}, {9, 1}, {11, 2}});
  Hq2TableSpec spec = t.Spec(1, 12, 0, 12);
  spec.defaults = kDefaults;
  Chq2 picker;
  TestDriver ui;
  std::vector<std::string> shown;
  run(picker, spec, ui, [&](Dialog& d) {
    ui.AnswerNextModal(6);  // Yes: restore
    ui.Click(d, Chq2::kRestoreId);
    for (int i = 0; i < 3; ++i) shown.push_back(ui.Text(d, Chq2::kBandIds[i]) + "/" + ui.Text(d, Chq2::kQuantityIds[i]));
  }, true, 1);
  EXPECT_EQ(shown[0].substr(shown[0].find('/')), "/1") << shown[0];
  EXPECT_EQ(shown[1].substr(shown[1].find('/')), "/2") << shown[1];
  EXPECT_NE(shown[0].find('3'), std::string::npos) << shown[0];
  EXPECT_NE(shown[1].find('6'), std::string::npos) << shown[1];
  EXPECT_EQ(+t.count, 2);
  EXPECT_EQ((std::vector<int>{t.pairs[0][0], t.pairs[0][1], t.pairs[1][0], t.pairs[1][1]}), (std::vector<int>{3, 1, 6, 2}));
}

// The "?" beside restore shows the defaults a restore would bring, a line
// per column (a band at the maximum of an open-ended table reads "Oltre"),
// or that there are none; it changes nothing.
TEST(BandTablePicker, TheRestoreHelpShowsTheDefaultsColumnByColumn) {
  static const std::int8_t kDefaults[18] = {3, 1, 6, 2, 12, 5};
  const std::string shown =
      "Usare questo pulsante per rispristinare i valori predefiniti dal sistema per questa tabella, che sono i "
      "seguenti:\r\n\r\n";
  const struct {
    const char* id;
    const std::int8_t* defaults;
    bool over;
    std::string help;
  } cases[] = {
      {"defaults", kDefaults, false, shown + "  Fascia   3   6  12 \r\nQuantita   1   2   5 "},
      {"open-ended", kDefaults, true, shown + "  Fascia   3   6 Oltre \r\nQuantita   1   2   5 "},
      {"none", nullptr, false,
       "I valori predefiniti dal sistema non esistono per questa tabella.\r\nSe necessario, configurarla "
       "opportunamente."},
  };
  for (const auto& c : cases) {
    Table t({{5, 4}});
    Hq2TableSpec spec = t.Spec(1, 12, 0, 12);
    spec.defaults = c.defaults;
    spec.over = c.over;
    Chq2 picker;
    TestDriver ui;
    std::string help;
    run(picker, spec, ui, [&](Dialog& d) {
      ui.Click(d, Chq2::kRestoreHelpId);
      help = ui.Text(d, Chq2::kHelpPaneId);
    }, false);
    EXPECT_EQ(help, c.help) << c.id;
    EXPECT_EQ(+t.count, 1) << c.id;
  }
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
  EXPECT_EQ(+t.count, 3);
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
  // The rules meet: each column rule starts on the first row rule and runs a
  // row past the last.
  std::vector<int> rows;
  std::vector<std::pair<int, int>> columns;
  for (const DrawItemOp* op : list.ForControl(kSummaryId)) {
    if (op->op != DrawOp::kLine) continue;
    if (op->rect.top == op->rect.bottom) rows.push_back(op->rect.top);
    else columns.emplace_back(std::min(op->rect.top, op->rect.bottom), std::max(op->rect.top, op->rect.bottom));
  }
  ASSERT_EQ(rows.size(), 2u);
  ASSERT_EQ(columns.size(), 9u);
  for (const auto& [top, bottom] : columns) {
    EXPECT_EQ(top, *std::min_element(rows.begin(), rows.end()));
    EXPECT_EQ(bottom, *std::max_element(rows.begin(), rows.end()) + 20);
  }
  EXPECT_TRUE(ui.Problems().empty());
}

// The double and three-column pickers: the double summary's
// "first-second" quantity cells, a fault of the second table reported only
// after the first passed, both tables written back on confirmation; the
// three-column summary, a band B out of range refused with the focus on it,
// restore recounting by band A.
struct Double {
  std::int8_t first[9][2] = {{1, 3}, {2, 2}};
  std::int8_t second[9][2] = {{1, 1}, {2, 3}};
  std::uint8_t counts[2] = {2, 2};
  Hq2AltTableSpec Spec() {
    Hq2AltTableSpec s;
    s.pairs = first;
    s.second_pairs = second;
    s.count = &counts[0];
    s.second_count = &counts[1];
    s.quantity_max = 7;
    return s;
  }
};

TEST(DoubleBandTable, SummaryPairsTheQuantitiesOfBothTables) {
  Double t;
  t.second[1][0] = 0;  // the second table's row 2 is empty
  t.counts[1] = 1;
  std::string text = hq2alt_summary_text(t.Spec(), 2, 1, "T", "F", "Q");
  EXPECT_EQ(text, "T\nF\t 1\t 2\t \t \t \t \t \t \t \nQ\t 3-1\t 2\t \t \t \t \t \t \t \n");
  Double both;
  EXPECT_NE(hq2alt_summary_text(both.Spec(), 2, 2, "T", "F", "Q").find("\t 3-1\t 2-3\t "), std::string::npos);
}

TEST(DoubleBandTable, SecondTableFaultComesAfterTheFirstAndBothAreWritten) {
  Double t;
  Hq2AltTableSpec spec = t.Spec();
  spec.flags = kHq2Increasing;  // first 3 / 2 breaks it, second 1 / 3 keeps it
  {
    Chq2alt picker;
    TestDriver ui;
    picker.SetBandData(nullptr, "Prima", "Seconda", "F", "Q", nullptr, nullptr, spec);
    bool first_focus = false;
    run_picker(picker, ui, [&](Dialog& d) {
      d.GetDlgItem(kIdOk)->SetFocus();
      ui.Click(d, kIdOk);
      first_focus = ui.HasFocus(d, Chq2alt::QuantityId(0, 1));
      ui.Select(d, Chq2alt::QuantityId(0, 1), 4);  // first table 3 / 4
      ui.Select(d, Chq2alt::QuantityId(1, 1), 0);  // second table 1 / 0
    }, true, 3);
    EXPECT_TRUE(first_focus);
    // The picker, one refusal per table, and the question before abandoning the edits.
    EXPECT_EQ(ui.boxes().size(), 4u);
    EXPECT_TRUE(box_says(ui, "Uscire senza salvare le modifiche alla tabella?"));
    EXPECT_TRUE(box_says(ui, "Inserire valori di QUANTITA' sempre crescenti"));
    EXPECT_EQ(t.first[1][1], 2);  // refused twice: nothing written
    EXPECT_TRUE(ui.Problems().empty());
  }
  Chq2alt picker;
  TestDriver ui;
  Double fixed;
  spec = fixed.Spec();
  spec.flags = kHq2Increasing;
  fixed.first[1][1] = 4;
  picker.SetBandData(nullptr, "Prima", "Seconda", "F", "Q", nullptr, nullptr, spec);
  run_picker(picker, ui, [&](Dialog& d) {
    ui.Select(d, Chq2alt::BandId(1, 2), 5);  // second table gains band 5
    ui.Select(d, Chq2alt::QuantityId(1, 2), 5);
  }, true);
  EXPECT_EQ(fixed.counts[1], 3);
  EXPECT_EQ(fixed.second[2][0], 5);
  EXPECT_EQ(fixed.second[2][1], 6);
  EXPECT_EQ(fixed.first[1][1], 4);
}

// Restore on the double table: the first table takes the defaults, the
// second is emptied, or with fixed bands keeps its bands and loses only
// its quantities; both are written on confirmation.
TEST(DoubleBandTable, RestoreGivesTheFirstTableItsDefaultsAndClearsTheSecond) {
  static const std::int8_t kDefaults[18] = {3, 1, 5, 2};
  struct Case {
    std::uint8_t flags;
    int second_count;
    std::vector<int> second;  // bands and quantities of its first two rows
  } cases[] = {{0, 0, {0, 0, 0, 0}}, {kHq2FixedBands, 2, {1, 1, 2, 1}}};
  for (const Case& c : cases) {
    Double t;
    Hq2AltTableSpec spec = t.Spec();
    spec.defaults = kDefaults;
    spec.flags = c.flags;
    Chq2alt picker;
    TestDriver ui;
    picker.SetBandData(nullptr, "Prima", "Seconda", "F", "Q", nullptr, nullptr, spec);
    std::string first_row;
    run_picker(picker, ui, [&](Dialog& d) {
      ui.AnswerNextModal(6);  // Yes: restore
      ui.Click(d, Chq2alt::kRestoreId);
      first_row = ui.Text(d, Chq2alt::BandId(0, 0)) + "/" + ui.Text(d, Chq2alt::QuantityId(0, 0));
    }, true, 1);
    SCOPED_TRACE(int(c.flags));
    EXPECT_EQ(first_row.substr(first_row.find('/')), "/1") << first_row;
    EXPECT_EQ(t.counts[0], 2);
    EXPECT_EQ((std::vector<int>{t.first[0][0], t.first[0][1], t.first[1][0], t.first[1][1]}),
              (std::vector<int>{3, 1, 5, 2}));
    EXPECT_EQ(t.counts[1], c.second_count);
    EXPECT_EQ((std::vector<int>{t.second[0][0], t.second[0][1], t.second[1][0], t.second[1][1]}), c.second);
    EXPECT_TRUE(ui.Problems().empty());
  }
}

struct Triple {
  std::int8_t rows[9][3] = {{10, 5, 1}, {20, 6, 2}};
  std::uint8_t count = 2;
  Hq3TableSpec Spec() {
    Hq3TableSpec s;
    s.triples = rows;
    s.count = &count;
    s.over = 1;
    return s;
  }
};

TEST(ThreeColumnBandTable, SummaryHasALinePerColumn) {
  Triple t;
  t.rows[1][0] = 60;
  EXPECT_EQ(hq3_summary_text(t.rows, 2, t.Spec(), "T", "A", "B", "Q"),
            "T\nA\t 10\t Oltre\t \t \t \t \t \t \t \nB\t 5\t 6\t \t \t \t \t \t \t \nQ\t 1\t 2\t \t \t \t \t \t \t \n");
}

// Opened, each used row shows its second band, ready to change, and OK
// keeps the table as it was.
TEST(ThreeColumnBandTable, EachRowOpensWithItsSecondBand) {
  Triple t;
  Chq3 picker;
  TestDriver ui;
  picker.SetBandData(nullptr, "T", "A", "B", "Q", nullptr, t.Spec());
  std::vector<std::string> shown;
  std::vector<bool> live;
  run_picker(picker, ui, [&](Dialog& d) {
    for (int r = 0; r < 3; ++r) {
      shown.push_back(ui.Text(d, Chq3::kSecondIds[std::size_t(r)]));
      live.push_back(ui.IsEnabled(d, Chq3::kSecondIds[std::size_t(r)]));
    }
  }, true);
  EXPECT_EQ(shown[0], "5");
  EXPECT_EQ(shown[1], "6");
  EXPECT_EQ(shown[2], "");
  EXPECT_EQ(live, (std::vector<bool>{true, true, false}));
  EXPECT_EQ(+t.count, 2);
  EXPECT_EQ((std::vector<int>{t.rows[0][1], t.rows[1][1]}), (std::vector<int>{5, 6}));
}

TEST(ThreeColumnBandTable, SecondBandOutOfRangeIsRefusedAndRestoreRecounts) {
  static const std::int8_t kDefaults[27] = {18, 6, 1, 19, 6, 2, 23, 5, 3};
  Triple t;
  t.rows[1][1] = 0;  // band B not set
  Hq3TableSpec spec = t.Spec();
  spec.defaults = kDefaults;
  Chq3 picker;
  TestDriver ui;
  picker.SetBandData(nullptr, "T", "A", "B", "Q", nullptr, spec);
  bool focus_on_b = false;
  run_picker(picker, ui, [&](Dialog& d) {
    d.GetDlgItem(kIdOk)->SetFocus();
    ui.Click(d, kIdOk);
    focus_on_b = ui.HasFocus(d, Chq3::kSecondIds[1]);
    ui.AnswerNextModal(6);  // the restore question: Yes
    ui.Click(d, Chq3::kRestoreId);
  }, true, 1);
  EXPECT_TRUE(focus_on_b);
  EXPECT_TRUE(box_says(ui, "Definire la SECONDA FASCIA (oppure eliminare la FASCIA corrispondente)"));
  EXPECT_EQ(+t.count, 3);
  EXPECT_EQ(t.rows[2][0], 23);
  EXPECT_EQ(t.rows[2][2], 3);
  EXPECT_EQ(t.rows[3][0], 0);  // empty rows hold band minimum - 1
}

}  // namespace

namespace {

using namespace kt::ui;
using namespace kt_constraints_test;

// The three-column table's lists: a second band chosen for a row (the
// focus going on to its quantity), a quantity chosen, no quantity on an empty row; the restore help
// has a line per column; the caller's summary is written on opening and
// the chosen values on confirmation.
TEST(ThreeColumnBandTable, ListsChangeTheirRowAndTheRestoreHelpHasALinePerColumn) {
  static const std::int8_t kDefaults[27] = {18, 6, 1, 19, 7, 2, 23, 5, 3};
  register_dialog_templates(kPageTemplates);
  TestDriver ui;
  BandPage page;
  ASSERT_TRUE(page.Create(nullptr));
  Triple t;
  Hq3TableSpec spec = t.Spec();
  spec.defaults = kDefaults;
  Chq3 picker;
  picker.SetBandData(&page.summary, "T", "A", "B", "Q", nullptr, spec);
  EXPECT_EQ(page.summary.GetWindowText(), hq3_summary_text(t.rows, 2, spec, "T", "A", "B", "Q"));
  std::string help, second_shown;
  bool quantity_next = false;
  run_picker(picker, ui, [&](Dialog& d) {
    ui.Select(d, Chq3::kSecondIds[0], 8);    // row 1: band B 8
    quantity_next = ui.HasFocus(d, Chq3::kQuantityIds[0]);
    ui.Select(d, Chq3::kQuantityIds[1], 5);  // row 2: quantity 5
    second_shown = ui.Text(d, Chq3::kSecondIds[0]);
    EXPECT_FALSE(ui.IsEnabled(d, Chq3::kQuantityIds[2]));  // the empty third row
    ui.Click(d, Chq3::kRestoreHelpId);
    help = ui.Text(d, Chq3::kHelpPaneId);
  }, true);
  EXPECT_EQ(second_shown, "8");
  EXPECT_TRUE(quantity_next) << "a second band chosen, its row's quantity comes next";
  std::size_t lines = 0;
  for (std::size_t at = help.find("\r\n"); at != std::string::npos; at = help.find("\r\n", at + 2)) ++lines;
  EXPECT_EQ(lines, 4u) << help;  // the text, an empty line, then A, B and Q
  EXPECT_NE(help.find("  18  19  23"), std::string::npos) << help;
  EXPECT_NE(help.find("   6   7   5"), std::string::npos) << help;
  EXPECT_NE(help.find("   1   2   3"), std::string::npos) << help;
  EXPECT_EQ(+t.count, 2);
  EXPECT_EQ((std::vector<int>{t.rows[0][0], t.rows[0][1], t.rows[0][2]}), (std::vector<int>{10, 8, 1}));
  EXPECT_EQ((std::vector<int>{t.rows[1][0], t.rows[1][1], t.rows[1][2]}), (std::vector<int>{20, 6, 5}));
  EXPECT_EQ(t.rows[2][2], 0);
  EXPECT_EQ(ui.Problems(), std::vector<std::string>{});
}

}  // namespace
