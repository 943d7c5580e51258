// The double and three-column band-table pickers driven headless: the
// double summary's "first-second" quantity cells, a fault of the second
// table reported only after the first passed, both tables written back on
// confirmation; the three-column summary, a band B out of range refused
// with the focus on it, restore recounting by band A, and a cancel that
// writes nothing.
#include <gtest/gtest.h>

#include <string>

#include "constraints/band_table_double.h"
#include "constraints/band_table_triple.h"
#include "constraints/summary_buttons.h"
#include "picker_support.h"

namespace {

using namespace kt::ui;
using namespace kt_constraints_test;

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
    }, true, 2);
    EXPECT_TRUE(first_focus);
    EXPECT_EQ(ui.boxes().size(), 3u);  // the picker and one refusal per table
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
  EXPECT_EQ(t.count, 3);
  EXPECT_EQ(t.rows[2][0], 23);
  EXPECT_EQ(t.rows[2][2], 3);
  EXPECT_EQ(t.rows[3][0], 0);  // empty rows hold band minimum - 1
}

}  // namespace
