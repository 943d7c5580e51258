// The "Pagine" panel's rows: a caption of one line keeps the row's own
// height (the height an unused row still has), a longer caption grows its
// row by whole lines, and the rows follow one another without gaps or
// overlaps, in the order of the menu.
#include <gtest/gtest.h>

#include "frame_test_support.h"

namespace {

using namespace kt::ui;
using kt_app_test::FrameInDataRoot;

TEST_F(FrameInDataRoot, PanelRowsKeepTheirHeightAndFollowOneAnother) {
  EnterSchool();
  OpenFrame();
  alfadlg_go_to_page(kPageConfigMenu);
  ASSERT_TRUE(g_launcher_panel.IsCreated());
  int unused = g_launcher_panel.GetDlgItem(Calfaopi::TextId(Calfaopi::kRows - 1))->GetRectInParent().Height();
  ASSERT_GT(unused, 0);
  int shown = 0, one_line = 0, taller = 0, bottom = -1;
  for (int row = 0; row < Calfaopi::kRows; ++row) {
    Window* text = g_launcher_panel.GetDlgItem(Calfaopi::TextId(row));
    if (!text->IsWindowVisible()) continue;
    ++shown;
    Rect r = text->GetRectInParent();
    if (r.Height() == unused) ++one_line;
    else if (r.Height() > unused) ++taller;
    else ADD_FAILURE() << "row " << row << " lower than a row of one line: " << r.Height() << " < " << unused;
    if (bottom >= 0) EXPECT_GE(r.top, bottom) << "row " << row << " overlaps the one before";
    bottom = r.bottom;
  }
  EXPECT_GT(shown, 10);
  EXPECT_GT(one_line, 5);
  EXPECT_GE(taller, 1);
  ui.Problems();
}

}  // namespace
