// A message box stands over the middle of the window it speaks for, as a
// desktop's own dialogs do, wherever that window is: the frame at its first
// place and moved elsewhere, answering a section button pressed before any
// school was chosen.
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

}  // namespace
