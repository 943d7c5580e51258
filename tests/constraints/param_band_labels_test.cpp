// The general parameter pages (11 to 14) and the special options page (15)
// opened from the frame in each language: every band table button draws
// each row label in the table's label column, ending before the first
// cell's rule, measured with the widths of the screen's dialog font.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "constraint_page_fixtures.h"
#include "page_contents.h"
#include "pickers/band_table_picker.h"
#include "screen/dialog_layout_lint.h"

namespace {

using namespace kt_constraints_test;
using namespace kt::ui;

class ParamBandLabels : public ParamPages {
 protected:
  void TearDown() override {
    g_language = 0;
    ParamPages::TearDown();
  }
  // Goes to `page` through the frame and checks each shown band button
  // whose label column is `label_width` (0: the program-wide one of the
  // two-column tables, read once the page is open).
  void CheckPage(int page_command, const std::vector<int>& ids, int label_width, std::size_t rows) {
    // The text starts 4 pixels in; the first cell's rule stands at the
    // label column's width + 2; a label keeps 2 pixels clear of it.
    constexpr int kTextLeft = 4, kRuleAfterLabel = 2, kClear = 2;
    ScreenFontMetrics screen;
    ASSERT_TRUE(alfadlg_go_to_page(page_command));
    ASSERT_NE(g_current_page, nullptr);
    Dialog& shown = *g_current_page;
    int width = label_width ? label_width : g_hq2_label_width;
    for (int id : ids) {
      Window* table = shown.GetDlgItem(id);
      ASSERT_NE(table, nullptr) << id;
      if (!table->IsWindowVisible()) continue;
      std::vector<std::string> labels = band_row_labels(table->GetWindowText());
      ASSERT_EQ(labels.size(), rows) << id << ": " << table->GetWindowText();
      for (const std::string& label : labels) {
        EXPECT_FALSE(label.empty()) << id;
        EXPECT_LE(kTextLeft + screen.TextWidth(table->GetFont(), label), width + kRuleAfterLabel - kClear)
            << page_command << "/" << id << ": " << label;
      }
    }
  }
};

TEST_F(ParamBandLabels, EveryRowLabelEndsBeforeTheFirstCell) {
  constraints_install_pages();
  ui_register_frame_templates();
  std::vector<int> band_ids;
  for (int k = 0; k < Corapage::kSlots; ++k) band_ids.push_back(Corapage::kFirstBandId + k);
  std::vector<int> extra_ids(std::begin(Corapage::kExtraIds), std::end(Corapage::kExtraIds));
  std::vector<int> special_ids(std::begin(Coraspec::kExtraIds), std::end(Coraspec::kExtraIds));
  for (int language : {0, 1, 2}) {
    SCOPED_TRACE(language);
    g_language = std::uint8_t(language);
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kSwShow);
    ui.Pump();
    for (int command : {kPageParameters1, kPageParameters2, kPageParameters3, kPageParameters4}) {
      CheckPage(command, band_ids, 0, 2);
      if (HasFatalFailure()) return;
    }
    // The tables of the long days: three rows in a 300-pixel label column,
    // on the second page and on the special options page.
    CheckPage(kPageParameters2, extra_ids, 300, 3);
    if (HasFatalFailure()) return;
    CheckPage(kPageOraspec, special_ids, 300, 3);
    if (HasFatalFailure()) return;
    og_snapshot_all();
    g_frame.DestroyWindow();
  }
}

}  // namespace
