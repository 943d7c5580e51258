// The frame on a small screen (1024x600) with the small sample school: the
// frame fits the screen, every page of the configuration menu can be seen
// whole (what lies beyond the frame's page area is reached through the
// frame's page bars), and every column of every list on a page can be
// scrolled into view. A scrolled page shows, and takes clicks, only in the
// page area between the frame's buttons and bars.
#include <string>

#include "frame_test_support.h"
#include "platform/controls/list_view.h"
#include "platform/fltk/replay_plan.h"
#include "shell/message_box.h"
#include "platform/ui_input.h"
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

// A page taller than the page area, scrolled to its end with the wheel over
// the frame's bar: what lies above the area (under and between the section
// buttons) and under the bars is neither painted nor clicked.
TEST_F(FrameOnSmallScreen, AScrolledPageShowsOnlyInThePageArea) {
  EnterSchool();
  OpenFrame();
  PageScrollBar* bar = nullptr;
  for (int step = 0; step < 21 && !bar; ++step) {
    alfadlg_go_to_page(kPageConfigMenu);
    ASSERT_TRUE(ui.Click(*g_current_page, 2001 + step));
    for (Window* c : g_frame.Children())
      if (auto* b = dynamic_cast<PageScrollBar*>(c); b && b->IsWindowVisible()) {
        Rect r = b->GetRectInParent();
        if (r.Height() > r.Width()) bar = b;
      }
  }
  ASSERT_NE(bar, nullptr) << "no configuration page is taller than the page area";
  Rect area = g_frame.PageArea();
  for (int turn = 0; turn < 60; ++turn)
    input_mouse(g_frame, kMsgMouseWheel, bar->GetRectInParent().Center(),
                unsigned(std::uint16_t(std::int16_t(-120))) << 16);
  ui.Pump();
  Rect page = g_current_page->GetRectInParent();
  ASSERT_LT(page.top, area.top - 10) << "scrolled down";

  auto on_page = [](Window* w) { return w && (w == g_current_page || g_current_page->IsChild(w)); };
  DisplayList list = ui.Render(g_frame);
  ClipTracker clips(g_frame);
  int painted = 0;
  for (const DrawItemOp& op : list.ops()) {
    if (!on_page(Window::FromHandle(op.window))) continue;
    Rect clip = clips.ClipFor(op);
    if (clip.IsEmpty()) continue;
    ++painted;
    EXPECT_EQ(clip.Intersect(area), clip) << "control " << op.control_id << " paints outside the page area";
    for (Window* c : g_frame.Children())
      if (c != g_current_page && c->IsWindowVisible())
        EXPECT_TRUE(clip.Intersect(c->GetRectInParent()).IsEmpty())
            << "control " << op.control_id << " paints over the frame's control " << c->GetDlgCtrlID();
  }
  EXPECT_GT(painted, 0);
  // Above the area the page is out of sight: a click there does not reach it.
  for (Point p : {Point{area.Center().x, area.top - 1}, Point{area.left + 2, 1}, Point{area.right - 2, area.top - 1}})
    EXPECT_FALSE(on_page(g_frame.ChildFromPoint(p))) << p.x << "," << p.y;
  EXPECT_TRUE(on_page(g_frame.ChildFromPoint({area.left + 4, area.top + 4})));
  // Back at the top the page starts at the area's top.
  for (int turn = 0; turn < 60; ++turn)
    input_mouse(g_frame, kMsgMouseWheel, bar->GetRectInParent().Center(),
                unsigned(std::uint16_t(std::int16_t(120))) << 16);
  ui.Pump();
  EXPECT_EQ(g_current_page->GetRectInParent().top, area.top);
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

namespace {

// On the small screen the frame leaves room for the "Pagine" panel on its
// right (moving to the screen's edge), the panel takes what is left, and
// every one of its 26 rows can be scrolled into view with the wheel and
// opened; a larger page moves the frame over rather than the panel to the
// other side, and the home page puts the frame back.
TEST_F(FrameOnSmallScreen, EveryRowOfThePagesPanelCanBeReached) {
  EnterSchool();
  OpenFrame();
  Rect home = g_frame.GetWindowRect();
  alfadlg_go_to_page(kPageConfigMenu);
  alfadlg_go_to_page(kPageHome);
  ASSERT_TRUE(g_launcher_panel.IsWindowVisible());
  Rect frame = g_frame.GetWindowRect(), panel = g_launcher_panel.GetWindowRect();
  EXPECT_EQ(frame.left, 0) << "the frame made room on its right";
  EXPECT_EQ(panel.left, frame.right);
  EXPECT_EQ(panel.right, 1024);
  EXPECT_LT(panel.Width(), g_launcher_panel.NaturalWidth());
  EXPECT_GE(panel.Width(), g_launcher_panel.LeastWidth());
  EXPECT_EQ(frame.Width(), home.Width());

  ASSERT_EQ(g_launcher_panel.RowCount(), 26);
  Rect inside = g_launcher_panel.GetClientRect();
  Window* last = g_launcher_panel.GetDlgItem(Calfaopi::TextId(25));
  ASSERT_GT(last->GetRectInParent().bottom, inside.bottom);
  Window* row = g_launcher_panel.GetDlgItem(Calfaopi::TextId(2));
  Point over = g_launcher_panel.ScreenToClient(row->ClientToScreen(row->GetClientRect().Center()));
  for (int turn = 0; turn < 40; ++turn) {
    input_mouse(g_launcher_panel, kMsgMouseWheel, over, unsigned(std::uint16_t(std::int16_t(-120))) << 16);
    ui.Pump();
  }
  Rect shown = last->GetRectInParent();
  EXPECT_TRUE(shown.top >= 0 && shown.bottom <= inside.bottom) << shown.top << "-" << shown.bottom;
  ASSERT_EQ(g_launcher_panel.PageOf(25), kPageQuadroStandby);
  // Every row is as high as its caption needs at the narrower width.
  for (int r = 0; r < g_launcher_panel.RowCount(); ++r) {
    auto* text = static_cast<CColorButton*>(g_launcher_panel.GetDlgItem(Calfaopi::TextId(r)));
    int lines = int(DeviceContext::BreakLines(backend().metrics(), text->GetFont(), text->Caption(),
                                              text->GetClientRect().Width() - 8, true)
                        .size());
    EXPECT_GE(text->GetClientRect().Height(), lines * backend().metrics().LineHeight(text->GetFont())) << r;
  }
  ASSERT_TRUE(ui.Click(*g_launcher_panel.GetDlgItem(Calfaopi::TextId(21))));
  EXPECT_EQ(g_current_page_template, 158u);
  ui.Problems();
}

// On a screen of 1366x768 a larger page makes the frame grow past the room
// the panel needs on its right: the frame moves over, the panel keeps its
// side, and the frame goes back to its place with the home page.
TEST_F(FrameOnSmallScreen, TheFrameMovesOverForThePanelAndBack) {
  ui.headless().SetWorkArea(Rect{0, 0, 1366, 768});
  EnterSchool();
  OpenFrame();
  alfadlg_go_to_page(kPageConfigMenu);
  alfadlg_go_to_page(kPageHome);
  Rect home = g_frame.GetWindowRect();
  auto beside = [] {
    Rect f = g_frame.GetWindowRect(), p = g_launcher_panel.GetWindowRect();
    return g_launcher_panel.IsWindowVisible() && p.left == f.right && p.right <= 1366;
  };
  EXPECT_TRUE(beside());
  g_frame.MoveWindow(Rect{1366 - home.Width() - 150, home.top, 1366 - 150, home.bottom});  // the user's place
  Rect placed = g_frame.GetWindowRect();
  EXPECT_TRUE(beside()) << "narrower, the panel stays on its side";
  alfadlg_go_to_page(kPageParameters2);
  EXPECT_GT(g_frame.GetWindowRect().Width(), placed.Width());
  EXPECT_TRUE(beside()) << "the frame moved over for the panel";
  alfadlg_go_to_page(kPageHome);
  Rect back = g_frame.GetWindowRect();
  EXPECT_EQ(back.left, placed.left);
  EXPECT_EQ(back.Width(), placed.Width());
  EXPECT_TRUE(beside());
  ui.Problems();
}

}  // namespace
