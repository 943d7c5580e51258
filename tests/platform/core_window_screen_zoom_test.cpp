// A frame maximised and restored by the program while a window manager
// reports its own steps late: the placements and maximised states the screen
// reports on the way are not taken for the user's, so a restore still gives
// back the size the frame had before. Once the window manager shows the
// state the program asked for, its changes (the user's title bar button)
// are followed again.
#include <gtest/gtest.h>

#include "platform/test_driver.h"
#include "platform/ui_input.h"
#include "platform/window.h"

namespace kt::ui {
namespace {

class ScreenZoom : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateParams p;
    p.style = kWsPopup | kWsCaption | kWsThickFrame | kWsVisible;
    p.rect = sized;
    ASSERT_TRUE(frame.CreateEx(p));
    work = ui.headless().WorkArea();
    ASSERT_NE(work, sized);
  }

  // What the screen reports after the window manager moved or sized the
  // frame: where it is, and whether it shows it maximised.
  void Report(const Rect& where, bool maximised) {
    input_screen_zoomed(frame, maximised);
    input_placement(frame, where);
    ui.Pump();
  }

  TestDriver ui;
  Window frame;
  const Rect sized{100, 80, 700, 500};
  Rect work;
};

TEST_F(ScreenZoom, AMaximiseThatTheWindowManagerShowsInTwoStepsIsRestoredToTheSizeBefore) {
  frame.ShowWindow(kSwShowMaximized);
  ASSERT_TRUE(frame.IsZoomed());
  // The window manager first applies the size the program gave the frame,
  // not maximised yet; then it maximises it.
  Report(work, false);
  EXPECT_TRUE(frame.IsZoomed()) << "the program's maximise is on its way, not undone by the user";
  Report(work, true);
  EXPECT_TRUE(frame.IsZoomed());
  frame.ShowWindow(kSwRestore);
  EXPECT_FALSE(frame.IsZoomed());
  EXPECT_EQ(frame.GetWindowRect(), sized);
}

TEST_F(ScreenZoom, ARestoreReportedLateKeepsTheSizeBefore) {
  frame.ShowWindow(kSwShowMaximized);
  Report(work, true);
  frame.ShowWindow(kSwRestore);
  ASSERT_EQ(frame.GetWindowRect(), sized);
  // Reports made before the window manager took the restore: the frame
  // still maximised at the screen's size.
  Report(work, true);
  EXPECT_FALSE(frame.IsZoomed()) << "the program's restore is on its way, not undone by the user";
  Report(sized, false);
  EXPECT_FALSE(frame.IsZoomed());
  EXPECT_EQ(frame.GetWindowRect(), sized);
  // A maximise and restore later, by the program again: the size before
  // is still the one given back.
  frame.ShowWindow(kSwShowMaximized);
  Report(work, false);
  Report(work, true);
  frame.ShowWindow(kSwRestore);
  Report(work, true);
  Report(sized, false);
  EXPECT_FALSE(frame.IsZoomed());
  EXPECT_EQ(frame.GetWindowRect(), sized);
}

TEST_F(ScreenZoom, TheUsersMaximiseAndRestoreAreFollowedOnceTheProgramsAreShown) {
  frame.ShowWindow(kSwShowMaximized);
  Report(work, true);
  frame.ShowWindow(kSwRestore);
  Report(sized, false);
  // The user maximises it with the window manager's button, and restores it.
  Report(work, true);
  EXPECT_TRUE(frame.IsZoomed());
  EXPECT_EQ(frame.GetWindowRect(), work);
  Report(sized, false);
  EXPECT_FALSE(frame.IsZoomed());
  EXPECT_EQ(frame.GetWindowRect(), sized);
  // Maximised by the user, restored by the program: back to the size the
  // user had before.
  Report(work, true);
  frame.ShowWindow(kSwRestore);
  EXPECT_FALSE(frame.IsZoomed());
  EXPECT_EQ(frame.GetWindowRect(), sized);
}

TEST_F(ScreenZoom, AMaximiseNoWindowManagerShowsStaysTheProgramsUntilItRestores) {
  frame.ShowWindow(kSwShowMaximized);
  // No window manager: the screen never shows a maximised state.
  Report(work, false);
  Report(work, false);
  EXPECT_TRUE(frame.IsZoomed());
  EXPECT_EQ(frame.GetWindowRect(), work);
  frame.ShowWindow(kSwRestore);
  Report(sized, false);
  EXPECT_FALSE(frame.IsZoomed());
  EXPECT_EQ(frame.GetWindowRect(), sized);
}

}  // namespace
}  // namespace kt::ui
