// The desktop program's frame on a real display (Xvfb under scripts/test):
// the FLTK backend shows the frame with the home page of the small sample
// school, the window is read back and written to app_frame.png in the build
// folder for a person to look at, and the page area is checked to be the
// home page's white where the display list puts it. The frame is made
// modeless for the picture: a modal run would wait for a key no test sends.
// Without a display the test skips; the shared on-screen fixture starts
// and stops the backend.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/fltk/fltk_backend.h"
#include "platform/ui.h"
#include "screen/png_file.h"
#include "screen/screen_support.h"
#include "shell/app_startup.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/message_box.h"

namespace {

namespace fs = std::filesystem;
using namespace kt::ui;
using kt::ui::screen::pump_until;

class AppFrameOnScreen : public screen::OnScreenTest {};

TEST_F(AppFrameOnScreen, HomePageScreenshot) {
  if (!started_) return;
  char pattern[] = "/tmp/kt-app-screen-XXXXXX";
  fs::path root = ::mkdtemp(pattern);
  fs::path cwd = fs::current_path();
  ::setenv("KESTRINTEMPUS_ROOT", root.c_str(), 1);
  fs::path school = root / "KestrinTempusDati" / "piccola";
  fs::create_directories(school);
  for (const auto& e : fs::directory_iterator(fs::path(KT_SOURCE_DIR) / "examples" / "piccola"))
    fs::copy_file(e.path(), school / e.path().filename());
  ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));

  ui_register_toolkit_templates();
  ui_register_frame_templates();
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  WindowPixels pixels;
  ASSERT_TRUE(pump_until([&] { return read_window_pixels(g_frame, pixels) && pixels.width > 0; }));
  // A second read after the first paints have settled.
  for (int i = 0; i < 10; ++i) {
    pump_pending();
    fltk_flush(0.03);
  }
  ASSERT_TRUE(read_window_pixels(g_frame, pixels));
  std::string shot = std::string(KT_BINARY_DIR) + "/app_frame.png";
  EXPECT_TRUE(write_png(shot, pixels.width, pixels.height, pixels.rgb)) << shot;

  Rect area = g_frame.PageArea();
  Color inside = pixels.At(area.right - 6, area.bottom - 30);
  EXPECT_EQ(inside, rgb(255, 255, 255));
  EXPECT_EQ(g_current_page, &g_home_page);

  g_frame.DestroyWindow();
  fs::current_path(cwd);
  ::unsetenv("KESTRINTEMPUS_ROOT");
  fs::remove_all(root);
}

}  // namespace
