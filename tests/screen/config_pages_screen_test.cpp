// Every page the configuration menu opens, on a real display of 1280x800
// (scripts/xvfb-run), in Italian and in English: the frame shows the page
// of the small sample school, the window is written to
// config_<language>_<step>.png in the build folder for a person to look at,
// and the screen is checked where the page's own drawing says what must be
// there: the page's background at a free point, and every control of the
// page inside the frame's client area, on the screen (nothing the user
// needs, such as SALVA or ABBANDONA, is cut off). The language is chosen
// on the home page as a user does; in each, a question box is shown and
// written to message_box_<language>.png.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/ui_input.h"
#include "schooldata/ui_school_model.h"
#include "screen/png_file.h"
#include "screen/screen_support.h"
#include "shell/app_startup.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"
#include "shell/status_file.h"
#include "structure/config_menu.h"
#include "structure/structure_pages.h"
#include "constraints/constraint_pages.h"

namespace {

namespace fs = std::filesystem;
using namespace kt::ui;
using kt::ui::screen::pump_until;

class ConfigPagesOnScreen : public screen::OnScreenTest {};

const MlText kQuestion = {"Salvare le modifiche alla scuola?", "", "Save the changes to the school?"};

void settle() {
  for (int i = 0; i < 6; ++i) {
    pump_pending();
    fltk_flush(0.02);
  }
}

// The colour the page paints where none of its controls is: its first fill.
Color page_background(Window& page) {
  DisplayList list = render_window(g_frame);
  for (const DrawItemOp& op : list.ops())
    if (op.window == page.handle() && op.op == DrawOp::kFill) return op.color;
  return kNoColor;
}

// A point of the page, in frame client coordinates, that no visible control covers.
bool free_point(Window& page, Point& out) {
  Rect client = page.GetClientRect();
  for (int y = client.bottom - 3; y > 2; y -= 7)
    for (int x = client.right - 3; x > 2; x -= 7) {
      bool covered = false;
      for (Window* c : page.Children())
        if (c->IsWindowVisible() && c->GetRectInParent().Deflate(-2).Contains({x, y})) covered = true;
      if (!covered) {
        out = g_frame.ScreenToClient(page.ClientToScreen(Point{x, y}));
        return true;
      }
    }
  return false;
}

TEST_F(ConfigPagesOnScreen, EveryStepPageInItalianAndEnglish) {
  if (!started_) return;
  Rect work = backend().WorkArea();
  screen::ScreenRoot root("piccola");
  fs::path school = root.school();
  ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));
  g_hint_flags = 1;
  // Nothing is edited here: asked whether to save on leaving, the user says no.
  og_set_unsaved_changes_prompt([] { return 2; });

  ui_register_toolkit_templates();
  ui_register_frame_templates();
  constraints_install_pages();
  structure_install_pages();
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  settle();
  // The frame starts on the home page, white over its page area.
  {
    WindowPixels pixels;
    ASSERT_TRUE(pump_until([&] { return read_window_pixels(g_frame, pixels) && pixels.width > 0; }));
    EXPECT_TRUE(write_png(std::string(KT_BINARY_DIR) + "/app_frame.png", pixels.width, pixels.height, pixels.rgb));
    Rect area = g_frame.PageArea();
    EXPECT_EQ(pixels.At(area.right - 6, area.bottom - 30), rgb(255, 255, 255));
    EXPECT_EQ(g_current_page, &g_home_page);
  }

  struct Language { const char* name; int button; };
  for (const Language& language : {Language{"it", CPlenixDlg::kItalian}, Language{"en", CPlenixDlg::kEnglish}}) {
    alfadlg_go_to_page(kPageHome);
    settle();
    int want = language.button == CPlenixDlg::kEnglish ? 2 : 0;
    if (Window* b = g_home_page.GetDlgItem(language.button); b && ui_language() != want) {
      b->PostMessage(kMsgButtonClick);
      pump_until([&] { return ui_language() == want; });
    }
    // A question box in the language: its blue edge bar and the plain face of its first button.
    {
      CMessageBox box;
      box.SetContent(kQuestion.Get(), kMbYesNo | kMbIconQuestion, 0, nullptr, nullptr, nullptr);
      ASSERT_TRUE(box.Create(nullptr)) << language.name;
      box.ShowWindow(kSwShow);
      Window* first = box.GetDlgItem(CMessageBox::kButtonIds[0]);
      int template_right = first->GetRectInParent().right;
      // Two buttons share the width once the layout timer has run.
      ASSERT_TRUE(pump_until([&] { return first->GetRectInParent().right != template_right; })) << language.name;
      WindowPixels pixels;
      ASSERT_TRUE(pump_until([&] { return read_window_pixels(box, pixels) && pixels.width > 0; })) << language.name;
      std::string shot = std::string(KT_BINARY_DIR) + "/message_box_" + language.name + ".png";
      EXPECT_TRUE(write_png(shot, pixels.width, pixels.height, pixels.rgb)) << shot;
      EXPECT_LE(screen::channel_distance(pixels.At(pixels.width / 2, 0), rgb(0, 51, 153)), 8) << language.name;
      Rect face = first->GetRectInParent();
      EXPECT_LE(screen::channel_distance(pixels.At(face.left + 3, face.top + 3), rgb(244, 244, 244)), 8);
      box.DestroyWindow();
    }
    for (int step = 0; step < Cmenu_confora::kSteps; ++step) {
      std::string id = std::string(language.name) + " step " + std::to_string(step + 1);
      // Leave the page as a user does, with Esc (its Cancel), then open the menu.
      if (g_current_page && step > 0 && g_current_page != &g_config_menu && g_current_page->IsWindow()) {
        input_key(kVkEscape);
        settle();
        EXPECT_FALSE(g_current_page && g_current_page->IsWindow() && g_current_page != &g_config_menu &&
                     g_current_page != &g_home_page) << id << ": Esc left the page open";
      }
      alfadlg_go_to_page(kPageConfigMenu);
      settle();
      ASSERT_EQ(g_current_page, &g_config_menu) << id;
      Window* button = g_config_menu.GetDlgItem(Cmenu_confora::kFirstStepId + step);
      ASSERT_NE(button, nullptr) << id;
      button->PostMessage(kMsgButtonClick);
      EXPECT_TRUE(pump_until([&] { return g_current_page && g_current_page != &g_config_menu; })) << id;
      settle();
      Window* page = g_current_page;
      if (!page || !page->IsWindow()) continue;
      WindowPixels pixels;
      ASSERT_TRUE(read_window_pixels(g_frame, pixels)) << id;
      std::string shot = std::string(KT_BINARY_DIR) + "/config_" + language.name + "_" + std::to_string(step + 1) + ".png";
      EXPECT_TRUE(write_png(shot, pixels.width, pixels.height, pixels.rgb)) << shot;

      Rect frame = g_frame.GetWindowRect();
      EXPECT_TRUE(work.Intersect(frame) == frame) << id << ": the frame leaves the screen";
      // A control beyond the frame's edge is reachable only through the
      // page's scroll bar along that edge.
      Rect client = g_frame.GetClientRect();
      Rect page_rect = g_frame.ScreenToClient(page->GetWindowRect());
      bool scrolls[2] = {false, false};
      for (Window* c : g_frame.Children())
        if (std::string_view(c->ClassName()) == "PageScrollBar" && c->IsWindowVisible())
          scrolls[c->GetClientRect().Width() > c->GetClientRect().Height() ? 0 : 1] = true;
      for (Window* c : page->Children()) {
        if (!c->IsWindowVisible() || c->GetClientRect().IsEmpty()) continue;
        Rect r = g_frame.ScreenToClient(c->GetWindowRect());
        // (a pixel of rounding between the page's and its controls' sizes is allowed)
        bool reachable = page_rect.Deflate(-1).Intersect(r) == r && (scrolls[0] || (r.left >= client.left && r.right <= client.right)) &&
                         (scrolls[1] || (r.top >= client.top && r.bottom <= client.bottom));
        EXPECT_TRUE(reachable) << id << ": control " << c->GetDlgCtrlID() << " \"" << c->GetWindowText()
                               << "\" cannot be reached: " << r.left << "," << r.top << "-" << r.right << "," << r.bottom
                               << " in " << client.right << "x" << client.bottom;
      }
      Point p;
      Color want = page_background(*page);
      if (want != kNoColor && free_point(*page, p) && p.x < pixels.width && p.y < pixels.height) {
        EXPECT_EQ(pixels.At(p.x, p.y), want) << id << " at " << p.x << "," << p.y;
      }
    }
  }
  // Esc on the shown configuration menu climbs to the home page.
  alfadlg_go_to_page(kPageConfigMenu);
  settle();
  ASSERT_EQ(g_current_page, &g_config_menu);
  input_key(kVkEscape);
  EXPECT_TRUE(pump_until([&] { return g_current_page == &g_home_page; }));
  alfadlg_go_to_page(kPageHome);
  settle();
  g_frame.DestroyWindow();
  og_set_unsaved_changes_prompt(nullptr);
}

}  // namespace
