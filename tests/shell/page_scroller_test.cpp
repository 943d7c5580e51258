// The page area's scroll bars on their own: the thumb's size and place say
// which part of the page shows; a click after the thumb moves a page on (20
// less than shown, at least 20), a drag of the thumb in proportion, the
// wheel by 40 a notch. Both bars draw their arrow heads pointing out.
#include <gtest/gtest.h>

#include <vector>

#include "platform/test_driver.h"
#include "shell/page_scroller.h"

namespace {

using namespace kt::ui;

class PageScrollerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateParams p;
    p.style = kWsPopup | kWsVisible;
    p.rect = {0, 0, 400, 300};
    ASSERT_TRUE(holder.CreateEx(p));
    for (int axis : {0, 1}) {
      PageScrollBar& bar = bars[axis];
      bar.Setup(axis, [this, axis](int offset) { moves[axis].push_back(offset); });
      CreateParams c;
      c.parent = &holder;
      c.style = kWsChild | kWsVisible;
      c.rect = axis == 0 ? Rect{0, 284, 216, 300} : Rect{384, 0, 400, 216};
      ASSERT_TRUE(bar.CreateEx(c));
    }
  }
  void Press(int axis, int along) {
    Point p = axis == 0 ? Point{along, 8} : Point{8, along};
    bars[axis].SendMessage(kMsgLButtonDown, 0, make_point_param(p));
    bars[axis].SendMessage(kMsgLButtonUp, 0, make_point_param(p));
  }
  // The thumb: the third button frame the bar draws (after its two arrows).
  Rect Thumb(int axis) {
    std::vector<Rect> frames;
    DisplayList look = ui.Render(holder);
    for (const DrawItemOp& op : look.ops())
      if (op.window == bars[axis].handle() && op.op == DrawOp::kButtonFrame) frames.push_back(op.rect);
    return frames.size() == 3 ? frames[2] : Rect{};
  }
  TestDriver ui;
  Window holder;
  PageScrollBar bars[2];
  std::vector<int> moves[2];
};

// A bar 216 long: arrows of 16 at both ends, a track of 184.
TEST_F(PageScrollerTest, TheThumbShowsWhichPartIsShown) {
  bars[0].SetRange(920, 230, 0);
  Rect thumb = Thumb(0);
  EXPECT_EQ(thumb.left - bars[0].GetRectInParent().left, 16);
  EXPECT_EQ(thumb.Width(), 184 * 230 / 920);
  bars[0].SetRange(920, 230, 690);  // at the end
  thumb = Thumb(0);
  EXPECT_EQ(thumb.right - bars[0].GetRectInParent().left, 200);
  bars[1].SetRange(10000, 100, 0);  // a tiny part: the thumb keeps 10
  EXPECT_EQ(Thumb(1).Height(), 10);
  bars[1].SetRange(100, 300, 0);  // all shown: the thumb fills the track
  EXPECT_EQ(Thumb(1).Height(), 184);
  EXPECT_EQ(Thumb(1).top, 16);
  int heads = 0;
  DisplayList look = ui.Render(holder);
  for (const DrawItemOp& op : look.ops())
    if (op.op == DrawOp::kLine && (op.window == bars[0].handle() || op.window == bars[1].handle())) ++heads;
  EXPECT_EQ(heads, 16);  // four lines per arrow head, two heads a bar
}

// (The arrows and a page back are in owner_drawn_controls_test.cpp.) A click
// after the thumb goes a page on, the wheel 40 a notch; a click that moves
// nothing tells nobody.
TEST_F(PageScrollerTest, PagesOnAndTheWheelMoveTheShownPart) {
  bars[1].SetRange(1000, 200, 120);
  Press(1, 150);  // after the thumb (38 to 74)
  EXPECT_EQ(bars[1].Offset(), 300);
  bars[1].SendMessage(kMsgMouseWheel, WParam(std::uint16_t(-120)) << 16, 0);
  EXPECT_EQ(bars[1].Offset(), 340);
  bars[1].SendMessage(kMsgMouseWheel, WParam(240) << 16, 0);
  EXPECT_EQ(bars[1].Offset(), 260);
  EXPECT_EQ(moves[1], (std::vector<int>{300, 340, 260}));
  bars[1].SetRange(1000, 200, 800);
  Press(1, 210);  // at the end already: nothing moves, nobody is told
  EXPECT_EQ(moves[1].size(), 3u);
  bars[0].SetRange(100, 30, 0);  // little shown: a click beside the thumb moves 20 at least
  Press(0, 150);
  EXPECT_EQ(bars[0].Offset(), 20);
}

TEST_F(PageScrollerTest, DraggingTheThumbMovesInProportion) {
  bars[0].SetRange(920, 230, 0);
  Rect thumb = Thumb(0);
  int from = thumb.Center().x - bars[0].GetRectInParent().left;
  bars[0].SendMessage(kMsgLButtonDown, 0, make_point_param({from, 8}));
  EXPECT_EQ(bars[0].Offset(), 0);
  bars[0].SendMessage(kMsgMouseMove, 0, make_point_param({from + 46, 8}));
  // 46 of a free track of 184 - 46 = 138 pixels: a third of the 690 to go.
  EXPECT_EQ(bars[0].Offset(), 46 * 690 / 138);
  bars[0].SendMessage(kMsgMouseMove, 0, make_point_param({from + 1000, 8}));
  EXPECT_EQ(bars[0].Offset(), 690);
  bars[0].SendMessage(kMsgLButtonUp, 0, make_point_param({from + 1000, 8}));
  bars[0].SendMessage(kMsgMouseMove, 0, make_point_param({from, 8}));  // let go: no more dragging
  EXPECT_EQ(bars[0].Offset(), 690);
  // A drag moves from where the page was when it began.
  bars[0].SetRange(920, 230, 345);
  from = Thumb(0).Center().x - bars[0].GetRectInParent().left;
  bars[0].SendMessage(kMsgLButtonDown, 0, make_point_param({from, 8}));
  bars[0].SendMessage(kMsgMouseMove, 0, make_point_param({from - 46, 8}));
  EXPECT_EQ(bars[0].Offset(), 345 - 46 * 690 / 138);
  bars[0].SendMessage(kMsgLButtonUp, 0, make_point_param({from - 46, 8}));
}

}  // namespace
