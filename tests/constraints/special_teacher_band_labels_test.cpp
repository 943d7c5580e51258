// The special teacher constraints page opened from the frame in each
// language: the three personal band tables ("presence in one class on one
// day", "leaving and re-entering a class", "the last hours of the day")
// draw each row label in the table's label column, ending before the first
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
using V = Cvidia;

class SpecialTeacherBandLabels : public SpecialTeacherPage {
 protected:
  void TearDown() override {
    g_language = 0;
    SpecialTeacherPage::TearDown();
  }
};

TEST_F(SpecialTeacherBandLabels, EveryRowLabelEndsBeforeTheFirstCell) {
  // The text starts 4 pixels in; the first cell's rule stands at the label
  // column's width + 2; a label keeps 2 pixels clear of it.
  constexpr int kTextLeft = 4, kRuleAfterLabel = 2, kClear = 2;
  ScreenFontMetrics screen;
  for (int language : {0, 1, 2}) {
    SCOPED_TRACE(language);
    g_language = std::uint8_t(language);
    OpenInFrame();
    if (HasFatalFailure()) return;
    Dialog& vidia = *g_current_page;
    for (int id : {V::kGroupingId, V::kEnterExitId, V::kLastHoursId}) {
      Window* table = vidia.GetDlgItem(id);
      ASSERT_NE(table, nullptr) << id;
      std::vector<std::string> labels = band_row_labels(table->GetWindowText());
      ASSERT_EQ(labels.size(), 2u) << id << ": " << table->GetWindowText();
      for (const std::string& label : labels) {
        EXPECT_FALSE(label.empty()) << id;
        EXPECT_LE(kTextLeft + screen.TextWidth(table->GetFont(), label), g_hq2_label_width + kRuleAfterLabel - kClear)
            << id << ": " << label;
      }
    }
    g_frame.DestroyWindow();
  }
}

}  // namespace
