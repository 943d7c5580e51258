// The band table's warning at its limit: where the table asks for it, a
// quantity chosen at or over the limit shows the table's explanation in the
// help pane in dark red, then crimson, turn by turn, each further choice at
// the limit flashing again; a quantity under the limit leaves the pane as it
// was; without the request, or without an explanation, no choice flashes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pickers/band_table_dialog.h"
#include "pickers/band_table_picker.h"
#include "pickers/band_table_rows.h"
#include "picker_support.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::run_picker;

const MlText kExplanation = {"Spiegazione del limite", "Erklaerung", "Explanation"};

// The help pane's text colour as drawn: "blue" for its plain blues.
std::string pane_colour(TestDriver& ui, Dialog& d) {
  DisplayList list = ui.Render(d);
  for (const DrawItemOp* op : list.ForControl(Chq2::kHelpPaneId))
    if (op->op == DrawOp::kText && !op->text.empty()) {
      if (op->color == rgb(0, 51, 153) || op->color == rgb(0, 34, 136)) return "blue";
      if (op->color == rgb(170, 0, 0)) return "dark red";
      if (op->color == rgb(165, 0, 33)) return "crimson";
      return "other";
    }
  return "empty";
}

struct Choices {
  std::vector<std::string> colours;  // after opening, then after each choice
  std::string pane;                  // the pane's last text
  int quantity = -1;                 // the row's quantity kept by OK
};

Choices choose(std::uint8_t flags2, const MlText* explanation, const std::vector<int>& quantities) {
  std::int8_t pairs[9][2] = {{3, 1}};
  std::uint8_t count = 1;
  Hq2TableSpec spec;
  spec.pairs = pairs;
  spec.count = &count;
  spec.band_min = 1;
  spec.band_max = 12;
  spec.quantity_min = 0;
  spec.quantity_max = 9;
  spec.limit = 4;
  spec.flags2 = flags2;
  Chq2 picker;
  TestDriver ui;
  picker.SetBandData(nullptr, "Tabella ore", "Fascia", "Quantita", explanation, spec);
  Choices out;
  run_picker(picker, ui, [&](Dialog& d) {
    out.colours.push_back(pane_colour(ui, d));
    for (int q : quantities) {
      ui.Select(d, Chq2::kQuantityIds[0], q);
      out.colours.push_back(pane_colour(ui, d));
    }
    out.pane = ui.Text(d, Chq2::kHelpPaneId);
  }, true);
  out.quantity = pairs[0][1];
  EXPECT_TRUE(ui.Problems().empty());
  return out;
}

using Colours = std::vector<std::string>;

TEST(BandTableFlash, AQuantityAtTheLimitFlashesTheExplanationTurnByTurn) {
  Choices r = choose(kHq2FlashAtLimit, &kExplanation, {2, 5, 6, 4, 1});
  EXPECT_EQ(r.colours, (Colours{"blue", "blue", "dark red", "crimson", "dark red", "dark red"}));
  EXPECT_EQ(r.pane, "Spiegazione del limite");
  EXPECT_EQ(r.quantity, 1);
}

TEST(BandTableFlash, UnderTheLimitNothingFlashes) {
  Choices r = choose(kHq2FlashAtLimit, &kExplanation, {0, 3, 2});
  EXPECT_EQ(r.colours, (Colours{"blue", "blue", "blue", "blue"}));
  EXPECT_EQ(r.quantity, 2);
}

TEST(BandTableFlash, WithoutTheRequestOrAnExplanationNothingFlashes) {
  Choices plain = choose(0, &kExplanation, {5, 9, 4});
  EXPECT_EQ(plain.colours, (Colours{"blue", "blue", "blue", "blue"}));
  EXPECT_EQ(plain.quantity, 4);
  Choices silent = choose(kHq2FlashAtLimit, nullptr, {5, 9});
  for (const std::string& c : silent.colours) EXPECT_NE(c, "dark red");
  for (const std::string& c : silent.colours) EXPECT_NE(c, "crimson");
  EXPECT_EQ(silent.quantity, 9);
}

}  // namespace
