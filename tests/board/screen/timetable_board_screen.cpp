// The timetable board on a real display (Xvfb under scripts/test): the frame
// opens the board on a copy of the small sample school with its reference
// week saved, the window is read back and written to timetable_board.png in
// the build folder for a person to look at, and the cell of 1A's Monday
// second hour, which holds ROSSI's lesson, shows dark text pixels on its
// light background.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "board/board_page.h"
#include "board/processing_menu.h"
#include "platform/fltk/fltk_backend.h"
#include "platform/ui.h"
#include "screen/png_file.h"
#include "screen/screen_support.h"
#include "shell/app_startup.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "shell/status_file.h"
#include "structure/structure_pages.h"

namespace {

namespace fs = std::filesystem;
using namespace kt::ui;
using kt::ui::screen::pump_until;

class TimetableBoardOnScreen : public screen::OnScreenTest {};

TEST_F(TimetableBoardOnScreen, ShowsTheWeekOfAClass) {
  if (!started_) return;
  screen::ScreenRoot root("piccola");
  fs::path school = root.school();
  fs::copy_file(fs::path(KT_SOURCE_DIR) / "tests/data/savefiles/piccola-savego.txt", school / "savego.txt");
  ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));

  ui_register_toolkit_templates();
  ui_register_frame_templates();
  structure_install_pages();
  board_install_pages();
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  alfadlg_go_to_page(kPageQuadro);
  ASSERT_EQ(g_current_page, &g_board);
  EXPECT_EQ(g_board.Grid().GetItemText(1, 1), "ITALIANO - ROSSI");

  WindowPixels pixels;
  ASSERT_TRUE(pump_until([&] { return read_window_pixels(g_frame, pixels) && pixels.width > 0; }));
  for (int i = 0; i < 10; ++i) {
    pump_pending();
    fltk_flush(0.03);
  }
  ASSERT_TRUE(read_window_pixels(g_frame, pixels));
  std::string shot = std::string(KT_BINARY_DIR) + "/timetable_board.png";
  EXPECT_TRUE(write_png(shot, pixels.width, pixels.height, pixels.rgb)) << shot;
  Rect cell;
  ASSERT_TRUE(g_board.Grid().GetSubItemRect(1, 1, cell));
  Rect on_screen = g_board.Grid().ClientToScreen(cell);
  Point corner = g_frame.ScreenToClient(Point{on_screen.left, on_screen.top});
  int dark = 0;
  for (int y = corner.y; y < corner.y + cell.Height(); ++y)
    for (int x = corner.x; x < corner.x + cell.Width(); ++x) {
      if (x < 0 || y < 0 || x >= pixels.width || y >= pixels.height) continue;
      Color c = pixels.At(x, y);
      dark += (c & 0xFF) < 96 && ((c >> 8) & 0xFF) < 96 && ((c >> 16) & 0xFF) < 96 ? 1 : 0;
    }
  EXPECT_GT(dark, 10) << "the subject and the teacher's name are drawn in the cell";

  g_board.DestroyWindow();
  g_frame.DestroyWindow();
  g_pages.Install(PageSlot::Quadro, nullptr);
}

}  // namespace
