// Where the running program's modal dialogs open: centred over the window
// that holds them (the frame, wherever the user put it), not at its top left
// corner, and always whole on the screen. Checked on the school selection
// and the about box.
#include "frame_test_support.h"
#include "schooldata/school_folder_chooser.h"
#include "shell/about_box.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class DialogPlacement : public ProgramOnSample {
 protected:
  // The next modal is centred over the frame (within a pixel, or kept on the
  // screen where the frame is too near its edge) and whole on the screen.
  void ExpectCentredOverFrame(Dialog& d) {
    Rect frame = g_frame.GetWindowRect(), box = d.GetWindowRect(), work = ui.headless().WorkArea();
    EXPECT_NEAR(box.left + box.Width() / 2, frame.left + frame.Width() / 2, 1) << d.template_id();
    EXPECT_NEAR(box.top + box.Height() / 2, frame.top + frame.Height() / 2, 1) << d.template_id();
    EXPECT_GE(box.left, work.left);
    EXPECT_GE(box.top, work.top);
    EXPECT_LE(box.right, work.right);
    EXPECT_LE(box.bottom, work.bottom);
  }
};

TEST_F(DialogPlacement, ModalDialogsOpenCentredOverTheFrame) {
  Run([&] {
    // The frame moved by the user away from where it started.
    Rect r = g_frame.GetWindowRect();
    g_frame.MoveWindow(Rect{40, 30, 40 + r.Width(), 30 + r.Height()});
    ui.Pump();
    int seen = 0;
    ui.OnNextModal([&](Dialog& d) {
      seen = d.template_id();
      ExpectCentredOverFrame(d);
      ui.Key(kVkEscape);
    });
    ASSERT_TRUE(ui.ClickCaption(g_home_page, "Selezione Scuola"));
    EXPECT_EQ(seen, Cselscuole::kTemplate);
    ui.OnNextModal([&](Dialog& d) {
      seen = d.template_id();
      ExpectCentredOverFrame(d);
      ui.Click(d, kIdOk);
    });
    g_home_page.SendMessage(kMsgSysCommand, CPlenixDlg::kAboutCommand, 0);
    EXPECT_EQ(seen, CAboutDlg::kTemplate);
  });
}

}  // namespace
