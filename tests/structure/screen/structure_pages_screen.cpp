// The configuration menu, the school page and the buildings page on a real
// display (Xvfb under scripts/test): the frame shows each page of the small
// sample school, the window is read back and written to config_menu.png,
// school_page.png and buildings_page.png in the build folder for a person
// to look at, and a point of the page area left free by the layout shows
// the pages' grey background.
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
  char pattern[] = "/tmp/kt-structure-screen-XXXXXX";
  fs::path root = ::mkdtemp(pattern);
  fs::path cwd = fs::current_path();
  ::setenv("KESTRINTEMPUS_ROOT", root.c_str(), 1);
  fs::path school = root / "KestrinTempusDati" / "piccola";
  fs::create_directories(school);
  for (const auto& e : fs::directory_iterator(fs::path(KT_SOURCE_DIR) / "examples" / "piccola"))
    fs::copy_file(e.path(), school / e.path().filename());
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
  fs::current_path(cwd);
  ::unsetenv("KESTRINTEMPUS_ROOT");
  fs::remove_all(root);
}

}  // namespace
