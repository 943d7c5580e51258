// The special teacher constraints page opened from the frame in each
// language: each of the three personal band tables is wide enough to show
// its label column and all nine cells inside its white area, and no other
// control of the page stands on it (the right-hand column keeps clear).
#include <gtest/gtest.h>

#include <string>

#include "constraint_page_fixtures.h"
#include "pickers/band_table_picker.h"

namespace {

using namespace kt_constraints_test;
using namespace kt::ui;
using V = Cvidia;

class SpecialTeacherBandCells : public SpecialTeacherPage {
 protected:
  void TearDown() override {
    g_language = 0;
    SpecialTeacherPage::TearDown();
  }
};

bool overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST_F(SpecialTeacherBandCells, EveryCellShowsAndNoControlStandsOnATable) {
  // The first cell's rule stands at the label column's width + 2; nine
  // cells of 36 pixels follow; the white area ends 2 pixels inside the
  // button's edge.
  constexpr int kRuleAfterLabel = 2, kCells = 9, kCellWidth = 36, kFrame = 2;
  for (int language : {0, 1, 2}) {
    SCOPED_TRACE(language);
    g_language = std::uint8_t(language);
    OpenInFrame();
    if (HasFatalFailure()) return;
    Dialog& vidia = *g_current_page;
    Rect page = vidia.GetWindowRect();
    for (int id : {V::kGroupingId, V::kEnterExitId, V::kLastHoursId}) {
      Window* table = vidia.GetDlgItem(id);
      ASSERT_NE(table, nullptr) << id;
      ASSERT_TRUE(table->IsWindowVisible()) << id;
      Rect r = table->GetWindowRect();
      EXPECT_GE(r.Width() - kFrame, g_hq2_label_width + kRuleAfterLabel + kCells * kCellWidth)
          << id << ": " << r.Width() << " pixels wide";
      EXPECT_LE(r.right, page.right) << id;
      for (Window* other : vidia.Children()) {
        if (other == table || !other->IsWindowVisible()) continue;
        EXPECT_FALSE(overlap(r, other->GetWindowRect()))
            << id << " under control " << other->GetDlgCtrlID() << " \"" << other->GetWindowText() << "\"";
      }
    }
    g_frame.DestroyWindow();
  }
}

}  // namespace
