// The computation page on a real display (scripts/xvfb-run): the frame on
// the processing menu of a copy of the large sample school, the
// computation started there, and the page shown while the search reports
// its progress. The window is written to computation_page.png in the build
// folder for a person to look at; the screen is checked where the page's
// own drawing says what must be there: the progress box inside the frame's
// client area with the search's lines in it, and the STOP button enabled.
// The run is stopped before the test ends.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "board/computation_page.h"
#include "board/processing_menu.h"
#include "constraints/constraint_pages.h"
#include "screen/png_file.h"
#include "screen/screen_support.h"
#include "shell/app_startup.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "structure/structure_pages.h"

namespace {

namespace fs = std::filesystem;
using namespace kt::ui;
using kt::ui::screen::pump_until;

class ComputationPageOnScreen : public screen::OnScreenTest {};

TEST_F(ComputationPageOnScreen, ShowsTheProgressOfARunningComputation) {
  if (!started_) return;
  screen::ScreenRoot root("istituto");
  fs::path school = root.school();
  ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\istituto"));

  ui_register_toolkit_templates();
  ui_register_frame_templates();
  constraints_install_pages();
  structure_install_pages();
  board_install_pages();
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  alfadlg_go_to_page(kPageProcessingMenu);
  ASSERT_TRUE(pump_until([] { return g_current_page == &g_processing_menu; }));
  g_processing_menu.GetDlgItem(Cmakedibi::kComputeId)->PostMessage(kMsgButtonClick);
  ASSERT_TRUE(pump_until([] { return g_current_page == &g_make_page; }));
  g_make_page.GetDlgItem(Cmake::kStartId)->PostMessage(kMsgButtonClick);
  Window* progress = g_make_page.GetDlgItem(Cmake::kProgressId);
  // The engine reads the school and places its lessons before its first progress line.
  EXPECT_TRUE(pump_until([&] { return progress->GetWindowText().find("Even:") != std::string::npos; }, 120000));

  WindowPixels pixels;
  ASSERT_TRUE(pump_until([&] { return read_window_pixels(g_frame, pixels) && pixels.width > 0; }));
  EXPECT_TRUE(write_png(std::string(KT_BINARY_DIR) + "/computation_page.png", pixels.width, pixels.height, pixels.rgb));
  Rect box = g_frame.ScreenToClient(progress->GetWindowRect());
  Rect client = g_frame.GetClientRect();
  EXPECT_TRUE(progress->IsWindowVisible());
  EXPECT_GE(box.left, client.left);
  EXPECT_LE(box.right, client.right);
  EXPECT_LE(box.bottom, client.bottom);
  EXPECT_TRUE(g_make_page.GetDlgItem(Cmake::kStopId)->IsWindowEnabled());
  // The box's inside is the edit's white, not the page's colour.
  EXPECT_EQ(pixels.At(box.left + 4, box.bottom - 4), rgb(255, 255, 255));

  // After the stop the engine still writes the school's reports: on a busy
  // machine that takes longer than a redraw.
  g_make_page.GetDlgItem(Cmake::kStopId)->PostMessage(kMsgButtonClick);
  EXPECT_TRUE(pump_until([] { return g_make_page.Finished(); }, 120000));
  g_frame.DestroyWindow();
  og_stop_worker_processes();
}

}  // namespace
