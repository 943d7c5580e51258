// The frame on a small screen (1024x600) with the small sample school: the
// frame fits the screen, every page of the configuration menu can be seen
// whole (what lies beyond the frame's page area is reached through the
// frame's page bars), and every column of every list on a page can be
// scrolled into view.
#include <string>

#include "frame_test_support.h"
#include "platform/controls/list_view.h"
#include "shell/page_scroller.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class FrameOnSmallScreen : public FrameInDataRoot {
 protected:
  void SetUp() override {
    FrameInDataRoot::SetUp();
    g_hint_flags = 1;  // the configuration menu's notice dismissed for good
    ui.headless().SetWorkArea(kScreen);
  }
  static constexpr Rect kScreen{0, 0, 1024, 600};
};

// Whether the frame shows a page bar for the axis (0 across, 1 down).
bool page_bar_shown(int axis) {
  for (Window* c : g_frame.Children())
    if (auto* bar = dynamic_cast<PageScrollBar*>(c); bar && bar->IsWindowVisible()) {
      Rect r = bar->GetRectInParent();
      if ((axis == 0) == (r.Width() > r.Height())) return true;
    }
  return false;
}

void expect_page_reachable(const std::string& where) {
  ASSERT_NE(g_current_page, nullptr) << where;
  Rect frame = g_frame.GetWindowRect();
  EXPECT_TRUE(frame.left >= 0 && frame.top >= 0 && frame.right <= 1024 && frame.bottom <= 600)
      << where << ": the frame is off the screen";
  Rect page = g_current_page->GetRectInParent();
  Rect area = g_frame.GetClientRect();
  if (page.right > area.right) {
    EXPECT_TRUE(page_bar_shown(0)) << where << ": the page's right part is cut";
  }
  if (page.bottom > area.bottom) {
    EXPECT_TRUE(page_bar_shown(1)) << where << ": the page's bottom is cut";
  }
  Rect inside = g_current_page->GetClientRect();
  for (Window* c : g_current_page->Children()) {
    if (!c->IsWindowVisible()) continue;
    Rect r = c->GetRectInParent();
    // One pixel is the anchors' rounding, not a cut.
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= inside.right + 1 && r.bottom <= inside.bottom + 1)
        << where << ": control " << c->GetDlgCtrlID() << " (" << c->ClassName() << " \"" << c->GetWindowText().substr(0, 20) << "\" " << r.left << "," << r.top << " " << r.right << "," << r.bottom << ") lies outside its page " << inside.right << "x" << inside.bottom;
    auto* list = dynamic_cast<ListView*>(c);
    if (!list) continue;
    for (int col = 0; col < list->GetColumnCount(); ++col) {
      if (list->GetColumnWidth(col) == 0) continue;  // a column the page keeps hidden
      list->EnsureColumnVisible(col);
      Rect h = list->GetHeaderItemRect(col);
      EXPECT_TRUE(h.left >= 1 && std::min(h.right, h.left + list->ViewWidth()) <= 1 + list->ViewWidth())
          << where << ": column " << col << " of list " << c->GetDlgCtrlID() << " cannot be reached";
    }
    list->SetScrollX(0);
  }
}

TEST_F(FrameOnSmallScreen, EveryConfigurationPageCanBeSeenWhole) {
  EnterSchool();
  OpenFrame();
  expect_page_reachable("home");
  for (int step = 0; step < 21; ++step) {
    alfadlg_go_to_page(kPageConfigMenu);
    expect_page_reachable("configuration menu");
    ASSERT_TRUE(ui.Click(*g_current_page, 2001 + step));
    expect_page_reachable("step " + std::to_string(step + 1));
  }
  ui.Problems();
}

}  // namespace
