// A message box stands over the middle of the window it speaks for, as a
// desktop's own dialogs do, wherever that window is: the frame at its first
// place and moved elsewhere, answering a section button pressed before any
// school was chosen; on the screen when the frame was dragged partly off it.
#include "frame_test_support.h"
#include "shell/message_box.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class MessageBoxPlace : public FrameInDataRoot {};

TEST_F(MessageBoxPlace, ItStandsOverTheMiddleOfTheFrame) {
  OpenFrame();
  for (Point at : {Point{-1, -1}, Point{0, 0}, Point{120, 60}}) {
    SCOPED_TRACE(at.x);
    if (at.x >= 0) {
      Rect r = g_frame.GetWindowRect();
      g_frame.MoveWindow(Rect{at.x, at.y, at.x + r.Width(), at.y + r.Height()});
    }
    Rect box{}, frame = g_frame.GetWindowRect();
    std::string said;
    ui.OnNextModal([&](Dialog& d) {
      EXPECT_EQ(d.template_id(), CMessageBox::kTemplate);
      box = d.GetWindowRect();
      said = ui.Text(d, CMessageBox::kTextId);
      ui.Click(d, CMessageBox::kButtonIds[0]);
    });
    ASSERT_TRUE(ui.Click(g_frame, CAlfaDlg::kSectionIds[1]));  // the configuration, without a school
    EXPECT_FALSE(said.empty());
    ASSERT_FALSE(box.IsEmpty());
    EXPECT_NEAR(box.Center().x, frame.Center().x, 1);
    EXPECT_NEAR(box.Center().y, frame.Center().y, 1);
    EXPECT_LT(box.Width(), frame.Width());
  }
}

// Dragged by its title past an edge of the screen, the frame takes the box
// along only as far as the screen reaches: the whole box stays in sight.
TEST_F(MessageBoxPlace, ItStaysOnTheScreenWhenTheFrameReachesPastItsEdge) {
  OpenFrame();
  Rect work = backend().WorkArea();
  Rect r = g_frame.GetWindowRect();
  const Point places[] = {{work.left - r.Width() + 150, 40},
                          {work.right - 150, work.bottom - 80},
                          {work.left + 30, work.top - r.Height() + 60}};
  for (Point at : places) {
    SCOPED_TRACE(at.x);
    g_frame.MoveWindow(Rect{at.x, at.y, at.x + r.Width(), at.y + r.Height()});
    Rect box{};
    ui.OnNextModal([&](Dialog& d) {
      box = d.GetWindowRect();
      ui.Click(d, CMessageBox::kButtonIds[0]);
    });
    ASSERT_TRUE(ui.Click(g_frame, CAlfaDlg::kSectionIds[1]));
    ASSERT_FALSE(box.IsEmpty());
    EXPECT_GE(box.left, work.left);
    EXPECT_GE(box.top, work.top);
    EXPECT_LE(box.right, work.right);
    EXPECT_LE(box.bottom, work.bottom);
  }
}

}  // namespace
