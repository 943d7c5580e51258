// The double band table as its caller's summary and its help pane show it:
// a quantity is summarised for every row within the table's count that has
// a band (at least the band minimum) and a quantity at least the quantity
// minimum, whatever the quantity is against the band minimum; each table's
// explanation is shown while the user works in that table or asks its "?",
// and explanations left out of a later set-up keep the earlier ones.
#include <gtest/gtest.h>

#include <string>

#include "pickers/band_table_dialog.h"
#include "pickers/band_table_double.h"
#include "picker_support.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::run_picker;

// The summary's quantity line, its tabs and spaces dropped between cells:
// "a|b|..." for the nine columns.
std::string quantities(const std::string& summary) {
  std::size_t last = summary.rfind('\n', summary.size() - 2);
  std::string line = summary.substr(last + 1);
  std::string out;
  std::size_t at = line.find('\t');
  for (int i = 0; i < 9 && at != std::string::npos; ++i) {
    std::size_t next = line.find('\t', at + 1);
    std::string cell = line.substr(at + 2, next == std::string::npos ? std::string::npos : next - at - 2);
    if (!cell.empty() && cell.back() == '\n') cell.pop_back();
    out += (i ? "|" : "") + cell;
    at = next;
  }
  return out;
}

TEST(DoubleTableShown, TheSummaryCountsRowsByBandAndQuantityMinimums) {
  const struct {
    const char* id;
    int band_min, quantity_min;
    std::int8_t first[3][2], second[3][2];
    std::uint8_t counts[2];
    const char* shown;
  } cases[] = {
      {"quantities under the band minimum", 3, 1, {{3, 2}, {5, 1}}, {{4, 2}}, {2, 1}, "2-2|1|||||||"},
      {"a quantity of nought allowed", 1, 0, {{2, 0}, {4, 3}}, {{3, 0}, {5, 1}}, {2, 2}, "0-0|3-1|||||||"},
      {"a quantity under its minimum", 1, 2, {{2, 1}, {4, 3}}, {{3, 2}}, {2, 1}, "2|3|||||||"},
      {"a row without a band", 2, 1, {{1, 3}, {4, 3}}, {{0, 2}, {3, 2}}, {2, 2}, "|3-2|||||||"},
      {"rows past the count", 1, 1, {{2, 4}, {4, 3}, {6, 2}}, {{3, 5}, {5, 6}}, {1, 1}, "4-5||||||||"},
  };
  for (const auto& c : cases) {
    std::int8_t first[9][2] = {}, second[9][2] = {};
    for (int r = 0; r < 3; ++r)
      for (int k = 0; k < 2; ++k) {
        first[r][k] = c.first[r][k];
        second[r][k] = c.second[r][k];
      }
    std::uint8_t counts[2] = {c.counts[0], c.counts[1]};
    Hq2AltTableSpec spec;
    spec.pairs = first;
    spec.second_pairs = second;
    spec.count = &counts[0];
    spec.second_count = &counts[1];
    spec.band_min = std::int8_t(c.band_min);
    spec.band_max = 9;
    spec.quantity_min = std::int8_t(c.quantity_min);
    spec.quantity_max = 9;
    EXPECT_EQ(quantities(hq2alt_summary_text(spec, counts[0], counts[1], "T", "F", "Q")), c.shown) << c.id;
  }
}

const MlText kFirstExplanation = {"Prima spiegazione", "Erste", "First"};
const MlText kSecondExplanation = {"Seconda spiegazione", "Zweite", "Second"};

TEST(DoubleTableShown, EachTablesExplanationShowsWhereTheUserWorks) {
  std::int8_t first[9][2] = {{1, 3}, {2, 2}}, second[9][2] = {{1, 1}, {2, 3}};
  std::uint8_t counts[2] = {2, 2};
  Hq2AltTableSpec spec;
  spec.pairs = first;
  spec.second_pairs = second;
  spec.count = &counts[0];
  spec.second_count = &counts[1];
  spec.quantity_max = 7;
  Chq2alt picker;
  TestDriver ui;
  picker.SetBandData(nullptr, "Prima", "Seconda", "Fascia oraria", "Numero di ore", &kFirstExplanation,
                     &kSecondExplanation, spec);
  for (int opening = 0; opening < 2; ++opening) {
    std::vector<std::string> panes;
    run_picker(picker, ui, [&](Dialog& d) {
      panes.push_back(ui.Text(d, Chq2alt::kHelpPaneId));
      ui.Click(d, Chq2alt::kExplanationHelpIds[1]);
      panes.push_back(ui.Text(d, Chq2alt::kHelpPaneId));
      ui.Click(d, Chq2alt::kExplanationHelpIds[0]);
      panes.push_back(ui.Text(d, Chq2alt::kHelpPaneId));
      ui.Select(d, Chq2alt::QuantityId(1, 0), 2);
      panes.push_back(ui.Text(d, Chq2alt::kHelpPaneId));
      ui.Select(d, Chq2alt::QuantityId(0, 1), 2);
      panes.push_back(ui.Text(d, Chq2alt::kHelpPaneId));
    }, false, 1);
    EXPECT_EQ(panes, (std::vector<std::string>{"Prima spiegazione", "Seconda spiegazione", "Prima spiegazione",
                                               "Seconda spiegazione", "Prima spiegazione"}))
        << "opening " << opening;
    // Set up again without explanations: the earlier ones stay.
    picker.SetBandData(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, spec);
  }
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
