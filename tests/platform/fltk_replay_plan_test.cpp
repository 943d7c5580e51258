// The arithmetic a screen backend replays display lists with: which pixels
// an operation may touch (its window inside every ancestor and the visible
// areas on the way, narrowed by the window's own clip operations), where a
// line really ends, gradient steps and the checker pattern. Worked out by
// hand on a small window tree.
#include <gtest/gtest.h>

#include "platform/fltk/replay_plan.h"
#include "platform/test_driver.h"
#include "platform/ui.h"

namespace kt::ui {
namespace {

// Paints a fill over its whole client area.
class CornerPainter : public Window {
 public:
  void OnPaint(DeviceContext& dc) override { dc.FillRect(GetClientRect(), rgb(1, 2, 3)); }
};

// A top window at (100, 100), 300 x 200, holding a page that holds a
// painting control: the tree both tests below draw.
struct PageTree {
  Window top, page;
  CornerPainter corner;
  void Create(Rect page_rect, Rect corner_rect) {
    CreateParams p;
    p.style = kWsPopup | kWsVisible;
    p.rect = {100, 100, 400, 300};
    ASSERT_TRUE(top.CreateEx(p));
    p.style = kWsChild | kWsVisible;
    p.parent = &top;
    p.rect = page_rect;
    ASSERT_TRUE(page.CreateEx(p));
    p.parent = &page;
    p.rect = corner_rect;
    ASSERT_TRUE(corner.CreateEx(p));
  }
  // The clips of what the control painted.
  std::vector<Rect> CornerClips() {
    DisplayList list = render_window(top);
    ClipTracker clips(top);
    std::vector<Rect> seen;
    for (const DrawItemOp& op : list.ops())
      if (op.window == corner.handle()) seen.push_back(clips.ClipFor(op));
    return seen;
  }
};

TEST(ReplayPlan, OperationsAreClippedToTheirWindow) {
  TestDriver ui;
  PageTree tree;
  tree.Create({10, 10, 110, 60}, {50, 20, 150, 40});  // the control sticks out of the page on the right
  std::vector<Rect> seen = tree.CornerClips();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], (Rect{60, 30, 110, 50}));  // the fill: window cut by the page
  ClipTracker clips(tree.top);
  EXPECT_EQ(clips.WindowClip(tree.page.handle()), (Rect{10, 10, 110, 60}));
  EXPECT_EQ(clips.WindowClip(WindowHandle{}), (Rect{0, 0, 300, 200}));
}

// A page larger than its room, scrolled: its visible area cuts what it and
// its controls paint and where they take the mouse; made again, the page
// shows whole until it is given an area again.
TEST(ReplayPlan, AVisibleAreaCutsAWindowAndItsClicks) {
  TestDriver ui;
  PageTree tree;
  // The page scrolled 70 down from its room at y 30; its first control half scrolled out.
  tree.Create({10, -40, 210, 260}, {0, 0, 100, 80});
  Window& top = tree.top;
  Window& page = tree.page;
  CornerPainter& corner = tree.corner;
  page.SetVisibleArea({10, 30, 210, 180});
  std::vector<Rect> seen = tree.CornerClips();
  ClipTracker clips(top);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], (Rect{10, 30, 110, 40}));
  EXPECT_EQ(clips.WindowClip(page.handle()), (Rect{10, 30, 210, 180}));
  EXPECT_EQ(corner.GetVisibleClientRect(), (Rect{10, 30, 110, 40}));
  EXPECT_EQ(top.ChildFromPoint({50, 20}), &top) << "above the room: the page is out of sight there";
  EXPECT_EQ(top.ChildFromPoint({50, 35}), &corner);
  EXPECT_EQ(top.ChildFromPoint({50, 190}), &top) << "below the room";
  EXPECT_EQ(top.ChildFromPoint({150, 100}), &page);

  page.DestroyWindow();
  CreateParams p;
  p.style = kWsChild | kWsVisible;
  p.parent = &top;
  p.rect = {10, -40, 210, 260};
  ASSERT_TRUE(page.CreateEx(p));
  EXPECT_EQ(page.VisibleArea(), nullptr);
  EXPECT_EQ(top.ChildFromPoint({50, 20}), &page);
  EXPECT_EQ(clips.WindowClip(page.handle()), (Rect{10, 0, 210, 200}));
}

TEST(ReplayPlan, LinesStopShortOfTheirEnd) {
  struct Case {
    const char* id;
    Rect line;
    bool paints;
    Point last;
  } cases[] = {
      {"right", {0, 5, 10, 5}, true, {9, 5}},
      {"left", {10, 5, 0, 5}, true, {1, 5}},
      {"down", {3, 0, 3, 4}, true, {3, 3}},
      {"up", {3, 4, 3, 0}, true, {3, 1}},
      {"diagonal", {0, 0, 4, 4}, true, {3, 3}},
      {"shallow", {0, 0, 10, 2}, true, {9, 1}},
      {"point", {7, 7, 7, 7}, false, {0, 0}},
  };
  for (const Case& c : cases) {
    Point last;
    EXPECT_EQ(line_last_pixel(c.line, last), c.paints) << c.id;
    if (c.paints) {
      EXPECT_EQ(last, c.last) << c.id;
    }
  }
}

TEST(ReplayPlan, GradientStepsAndChecker) {
  Color black = rgb(0, 0, 0), white = rgb(255, 255, 255);
  EXPECT_EQ(gradient_step(black, white, 0, 3), black);
  EXPECT_EQ(gradient_step(black, white, 1, 3), rgb(127, 127, 127));
  EXPECT_EQ(gradient_step(black, white, 2, 3), white);
  EXPECT_EQ(gradient_step(rgb(0, 51, 153), white, 0, 1), rgb(0, 51, 153));
  EXPECT_EQ(gradient_step(rgb(200, 0, 10), rgb(100, 50, 10), 1, 2), rgb(100, 50, 10));
  EXPECT_TRUE(checker_pixel(0, 0));
  EXPECT_FALSE(checker_pixel(1, 0));
  EXPECT_TRUE(checker_pixel(1, 1));
  EXPECT_FALSE(checker_pixel(2, 3));
}

}  // namespace
}  // namespace kt::ui
