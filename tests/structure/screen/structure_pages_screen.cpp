// The configuration menu, the school page and the buildings page on a real
// display (Xvfb under scripts/test): the frame shows each page of the small
// sample school, the window is read back and written to config_menu.png,
// school_page.png and buildings_page.png in the build folder for a person
// to look at, and a point of the page area left free by the layout shows
// the pages' grey background. The frame tells the window manager it can be
// resized, and with a window manager on the display (openbox, started by the
// test when installed) maximise makes it as large as the screen.
#include <gtest/gtest.h>
#include <unistd.h>


#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/fltk/fltk_backend.h"
#include "platform/ui.h"
#include "screen/png_file.h"
#include "screen/screen_support.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_startup.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "shell/status_file.h"
#include "structure/structure_pages.h"

namespace {

namespace fs = std::filesystem;
using namespace kt::ui;
using kt::ui::screen::pump_until;

class StructurePagesOnScreen : public screen::OnScreenTest {};

void photograph(const std::string& name, WindowPixels& pixels) {
  ASSERT_TRUE(pump_until([&] { return read_window_pixels(g_frame, pixels) && pixels.width > 0; }));
  for (int i = 0; i < 10; ++i) {
    pump_pending();
    fltk_flush(0.03);
  }
  ASSERT_TRUE(read_window_pixels(g_frame, pixels));
  std::string shot = std::string(KT_BINARY_DIR) + "/" + name;
  EXPECT_TRUE(write_png(shot, pixels.width, pixels.height, pixels.rgb)) << shot;
}

TEST_F(StructurePagesOnScreen, ConfigMenuSchoolAndBuildingsPages) {
  if (!started_) return;
  screen::ScreenRoot root("piccola");
  fs::path school = root.school();
  ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));
  g_hint_flags = 1;

  ui_register_toolkit_templates();
  ui_register_frame_templates();
  structure_install_pages();
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  WindowPixels pixels;
  alfadlg_go_to_page(kPageConfigMenu);
  photograph("config_menu.png", pixels);
  Rect area = g_frame.PageArea();
  EXPECT_EQ(pixels.At(area.right - 4, area.top + 2), rgb(244, 244, 244));

  alfadlg_go_to_page(kPageProscuola);
  photograph("school_page.png", pixels);
  EXPECT_EQ(pixels.At(area.right - 4, area.top + 2), rgb(244, 244, 244));

  og_snapshot_all();
  alfadlg_go_to_page(kPagePlessi);
  photograph("buildings_page.png", pixels);
  EXPECT_EQ(pixels.At(area.right - 4, area.top + 2), rgb(244, 244, 244));

  og_snapshot_all();
  g_frame.DestroyWindow();
}

TEST_F(StructurePagesOnScreen, TheFrameCanBeResizedAndMaximised) {
  if (!started_) return;
  screen::WindowManager manager;
  screen::ScreenRoot root;
  ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati"));
  ui_register_toolkit_templates();
  ui_register_frame_templates();
  structure_install_pages();
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  Size least, largest;
  ASSERT_TRUE(pump_until([&] { return window_size_hints(g_frame, least, largest); }));
  Rect before = g_frame.GetWindowRect();
  EXPECT_TRUE(largest.cx == 0 || largest.cx > least.cx) << "the frame's largest width is its least";
  EXPECT_TRUE(largest.cy == 0 || largest.cy > least.cy) << "the frame's largest height is its least";
  EXPECT_LT(least.cx, before.Width());
  if (window_manager_running()) {
    ASSERT_TRUE(ask_window_manager_to_maximise(g_frame));
    Rect work = backend().WorkArea();
    EXPECT_TRUE(pump_until([&] { return g_frame.GetClientRect().Width() > before.Width() + 100; }))
        << "maximise left the frame at " << g_frame.GetWindowRect().Width() << " of " << work.Width();
    // The page area follows the frame: the home page is shown whole, with no bars.
    Rect area = g_frame.PageArea();
    EXPECT_GT(area.Width(), before.Width() - 40);
  } else {
    std::printf("no window manager on the display: maximise not tried\n");
  }
  g_frame.DestroyWindow();
}

}  // namespace
