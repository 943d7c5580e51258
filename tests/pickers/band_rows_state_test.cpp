// What each row of a band table offers: a used row's band and quantity
// lists open (its band list shut when the bands are fixed), the first
// empty row open for a new band only, every later empty row shut; the
// state following each choice. And the double table's captions, shown on
// both tables and in the summary the caller's button shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pickers/band_table_double.h"
#include "pickers/band_table_picker.h"
#include "platform/controls/button.h"
#include "picker_support.h"

namespace {

using namespace kt::ui;
using namespace kt_constraints_test;

// Each row as two letters: band list, quantity list; "o" open, "-" shut.
std::string rows_state(TestDriver& ui, Dialog& d) {
  std::string out;
  for (int r = 0; r < 9; ++r) {
    out += ui.IsEnabled(d, Chq2::kBandIds[std::size_t(r)]) ? 'o' : '-';
    out += ui.IsEnabled(d, Chq2::kQuantityIds[std::size_t(r)]) ? 'o' : '-';
    out += ' ';
  }
  out.pop_back();
  return out;
}

TEST(BandRowsState, OnlyTheFirstEmptyRowTakesANewBand) {
  const struct {
    const char* id;
    std::uint8_t flags;
    int used;
    std::vector<std::pair<int, int>> choices;  // (row, band list index) chosen in turn
    std::string opened, after;
  } cases[] = {
      {"two rows used", 0, 2, {}, "oo oo o- -- -- -- -- -- --", "oo oo o- -- -- -- -- -- --"},
      {"a band on the first empty row", 0, 2, {{2, 7}}, "oo oo o- -- -- -- -- -- --", "oo oo oo o- -- -- -- -- --"},
      {"two new bands", 0, 1, {{1, 3}, {2, 9}}, "oo o- -- -- -- -- -- -- --", "oo oo oo o- -- -- -- -- --"},
      {"an empty table", 0, 0, {}, "o- -- -- -- -- -- -- -- --", "o- -- -- -- -- -- -- -- --"},
      {"a full table", 0, 9, {}, "oo oo oo oo oo oo oo oo oo", "oo oo oo oo oo oo oo oo oo"},
      {"fixed bands", kHq2FixedBands, 2, {}, "-o -o -- -- -- -- -- -- --", "-o -o -- -- -- -- -- -- --"},
  };
  for (const auto& c : cases) {
    std::int8_t pairs[9][2] = {};
    std::uint8_t count = std::uint8_t(c.used);
    for (int r = 0; r < c.used; ++r) pairs[r][0] = std::int8_t(r + 1), pairs[r][1] = 1;
    Hq2TableSpec spec;
    spec.pairs = pairs;
    spec.count = &count;
    spec.band_min = 1;
    spec.band_max = 12;
    spec.quantity_min = 0;
    spec.quantity_max = 12;
    spec.flags = c.flags;
    Chq2 picker;
    TestDriver ui;
    std::string opened, after;
    picker.SetBandData(nullptr, "Tabella ore", "Fascia", "Quantita", nullptr, spec);
    run_picker(picker, ui, [&](Dialog& d) {
      opened = rows_state(ui, d);
      for (auto [row, index] : c.choices) ui.Select(d, Chq2::kBandIds[std::size_t(row)], index);
      after = rows_state(ui, d);
    }, false, 1);
    EXPECT_EQ(opened, c.opened) << c.id;
    EXPECT_EQ(after, c.after) << c.id;
  }
}

// The double table's band and quantity captions stand on both tables, and
// the summary on the caller's button is captioned alike.
TEST(BandRowsState, TheDoubleTableShowsItsCaptionsOnBothTables) {
  std::int8_t first[9][2] = {{1, 2}, {2, 3}};
  std::int8_t second[9][2] = {{1, 1}};
  std::uint8_t counts[2] = {2, 1};
  Hq2AltTableSpec spec;
  spec.pairs = first;
  spec.second_pairs = second;
  spec.count = &counts[0];
  spec.second_count = &counts[1];
  spec.quantity_max = 7;
  Button target;
  Chq2alt picker;
  TestDriver ui;
  picker.SetBandData(&target, "Prima", "Seconda", "Fascia oraria", "Numero di ore", nullptr, nullptr, spec);
  std::string summary = target.GetWindowText();
  std::vector<std::string> captions;
  run_picker(picker, ui, [&](Dialog& d) {
    for (int t = 0; t < 2; ++t) {
      captions.push_back(ui.Text(d, Chq2alt::kBandCaptionIds[t]));
      captions.push_back(ui.Text(d, Chq2alt::kQuantityCaptionIds[t]));
    }
  }, false);
  EXPECT_EQ(captions, (std::vector<std::string>{"Fascia oraria", "Numero di ore", "Fascia oraria", "Numero di ore"}));
  EXPECT_EQ(summary, "Prima\nFascia oraria\t 1\t 2\t \t \t \t \t \t \t \nNumero di ore\t 2-1\t 3\t \t \t \t \t \t \t \n");
  // Captions left out keep the ones given before.
  Chq2alt again;
  again.SetBandData(&target, "Prima", "Seconda", "Fascia oraria", "Numero di ore", nullptr, nullptr, spec);
  again.SetBandData(&target, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, spec);
  EXPECT_EQ(target.GetWindowText(), summary);
}

}  // namespace
