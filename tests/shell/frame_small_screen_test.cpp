// The frame on a small screen (1024x600) with the small sample school: the
// frame fits the screen, every page of the configuration menu can be seen
// whole (what lies beyond the frame's page area is reached through the
// frame's page bars), and every column of every list on a page can be
// scrolled into view.
#include <string>

#include "frame_test_support.h"
#include "platform/controls/list_view.h"
#include "shell/message_box.h"
#include "shell/page_scroller.h"
#include "structure/support_contact.h"

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
        << where << ": control " << c->GetDlgCtrlID() << " lies outside its page";
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

// The "Pagine" panel sits beside the frame, on the screen, or not at all:
// never over the page. Its rows are as high as their captions need, and a
// box opened inside another box gives it back when the outer one closes.
TEST_F(FrameOnSmallScreen, ThePagesPanelNeverCoversTheFrame) {
  EnterSchool();
  OpenFrame();
  alfadlg_go_to_page(kPageConfigMenu);
  ASSERT_TRUE(g_launcher_panel.IsCreated());
  auto beside = [] {
    Rect frame = g_frame.GetWindowRect(), panel = g_launcher_panel.GetWindowRect();
    bool apart = panel.left >= frame.right || panel.right <= frame.left;
    bool on_screen = panel.left >= 0 && panel.top >= 0 && panel.right <= 1024 && panel.bottom <= 600;
    return apart && on_screen;
  };
  EXPECT_FALSE(g_launcher_panel.IsWindowVisible() && !beside()) << "the panel covers the frame or leaves the screen";
  // A frame moved to the left edge leaves room on the right.
  Rect frame = g_frame.GetWindowRect();
  g_frame.MoveWindow(Rect{0, 0, frame.Width(), frame.Height()});
  ui.Pump();
  if (1024 - frame.Width() >= g_launcher_panel.GetWindowRect().Width()) {
    EXPECT_TRUE(g_launcher_panel.IsWindowVisible());
    EXPECT_TRUE(beside());
  }
  // A frame as wide as the screen leaves no room: the panel waits hidden.
  g_frame.MoveWindow(Rect{0, 0, 1024, 600});
  ui.Pump();
  EXPECT_FALSE(g_launcher_panel.IsWindowVisible());
  EXPECT_TRUE(g_launcher_panel.IsWanted());
  // On a wider screen there is room again, and the panel comes back.
  ui.headless().SetWorkArea(Rect{0, 0, 1366, 768});
  g_frame.MoveWindow(Rect{0, 0, frame.Width(), frame.Height()});
  ui.Pump();
  ASSERT_TRUE(g_launcher_panel.IsWindowVisible());
  EXPECT_EQ(g_launcher_panel.GetWindowRect().left, frame.Width());

  // Long captions take two lines, and their row grows.
  Rect one_line = g_launcher_panel.GetDlgItem(Calfaopi::TextId(5))->GetRectInParent();   // "Laboratori"
  Rect two_lines = g_launcher_panel.GetDlgItem(Calfaopi::TextId(9))->GetRectInParent();  // the long 6b caption
  EXPECT_GT(two_lines.Height(), one_line.Height());

  // A box inside a box: the panel comes back once both are closed.
  bool hidden_inside = false;
  ui.OnNextModal([&](Dialog& outer) {
    ui.OnNextModal([&](Dialog& inner) {
      hidden_inside = !g_launcher_panel.IsWindowVisible();
      inner.EndDialog(kIdOk);
    });
    ui_message_box("interna");
    outer.EndDialog(kIdOk);
  });
  ui_message_box("esterna");
  EXPECT_TRUE(hidden_inside);
  EXPECT_TRUE(g_launcher_panel.IsWindowVisible());

  // The support window opened and closed from the frame: the panel stays.
  ASSERT_TRUE(ui.Click(g_frame, 1779));
  Window* support = nullptr;
  for (Window* w : top_level_windows())
    if (w->IsWindowVisible() && w->GetDlgItem(Cemergex::kCloseId)) support = w;
  ASSERT_NE(support, nullptr);
  ui.Click(*support, Cemergex::kCloseId);
  EXPECT_TRUE(g_launcher_panel.IsWindowVisible());
  ui.Problems();
}

}  // namespace
