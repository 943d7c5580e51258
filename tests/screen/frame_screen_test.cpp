// The desktop program's frame on a real display with a window manager
// (openbox, started for the test when installed), driven as the user drives
// it: events go through the X server. The frame tells the window manager it
// can be sized (a least size, no largest) also after it grew for a page, the
// user's resize and the window manager's maximise and restore reach the
// frame and its page; the "Pagine" panel stays beside the frame, and every
// row of it can be scrolled into view with the wheel and opened; the section
// buttons answer after a change of language, the choice of a school and the
// substitutions window; a section menu opened from the keyboard opens under
// its button, one opened with the mouse beside the pointer.
//
// Modal runs (a menu, a dialog) hold the test's thread: what the user does
// inside them is done by a timer's steps (Stepper) that run in their loop.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "desktop_wiring.h"
#include "platform/controls/list_view.h"
#include "platform/controls/popup_menu.h"
#include "schooldata/school_folder_chooser.h"
#include "schooldata/ui_school_model.h"
#include "screen/screen_support.h"
#include "screen/x_input.h"
#include "shell/app_startup.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/launcher_panel.h"
#include "shell/ml_text.h"
#include "shell/page_scroller.h"
#include "shell/status_file.h"
#include "substitutions/computed_school.h"
#include "substitutions/substitutions_dialog.h"

namespace {

namespace fs = std::filesystem;
using namespace kt::ui;
using kt::ui::screen::pump_until;
using Window = kt::ui::Window;  // not X's

void settle() {
  for (int i = 0; i < 6; ++i) {
    pump_pending();
    fltk_flush(0.02);
  }
}

// Steps done while a modal loop holds the thread: every 50 ms the step runs
// until it says it is done.
class Stepper : public Window {
 public:
  explicit Stepper(std::function<bool()> step) : step_(std::move(step)) {
    CreateParams p;
    p.class_name = "Window";
    p.style = kWsPopup;
    p.rect = {0, 0, 1, 1};
    if (CreateEx(p)) SetTimer(1, 50);
  }
  ~Stepper() override {
    if (IsWindow()) DestroyWindow();
  }
  bool done = false;

 protected:
  void OnTimer(WParam) override {
    if (done || !step_()) return;
    done = true;
    KillTimer(1);
  }

 private:
  std::function<bool()> step_;
};

// The step that closes a menu once it is shown, keeping where it lay.
std::function<bool()> close_menu(Rect* where) {
  return [where] {
    PopupMenu* menu = PopupMenu::Tracking();
    if (!menu || !menu->MenuWindow()) return false;
    *where = menu->MenuWindow()->GetWindowRect();
    menu->Cancel();
    return true;
  };
}

class FrameOnScreen : public screen::OnScreenTest {
 protected:
  void SetUp() override {
    OnScreenTest::SetUp();
    if (!started_) return;
    manager_ = std::make_unique<screen::WindowManager>();
    char pattern[] = "/tmp/kt-frame-screen-XXXXXX";
    root_ = ::mkdtemp(pattern);
    cwd_ = fs::current_path();
    ::setenv("KESTRINTEMPUS_ROOT", root_.c_str(), 1);
    substitution_test::copy_computed_school(root_ / "KestrinTempusDati" / "piccola");
    kestrintempus_install();
    og_set_unsaved_changes_prompt([] { return 2; });
    g_hint_flags = 1;
    g_language = 0;
    x_ = XOpenDisplay(nullptr);
    ASSERT_NE(x_, nullptr);
  }
  void TearDown() override {
    if (started_) {
      if (g_frame.IsWindow()) g_frame.DestroyWindow();
      og_set_unsaved_changes_prompt(nullptr);
      g_language = 0;
      if (x_) XCloseDisplay(x_);
      fs::current_path(cwd_);
      ::unsetenv("KESTRINTEMPUS_ROOT");
      fs::remove_all(root_);
      manager_.reset();
    }
    OnScreenTest::TearDown();
  }
  void OpenFrame(const char* folder) {
    ASSERT_TRUE(og_set_current_folder(folder));
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kSwShow);
    ASSERT_TRUE(pump_until([] { return native_window(g_frame) != 0; }));
    settle();
  }
  // A click at a control's centre, through the X server.
  void Click(Window& control) {
    Window& top = *control.GetTopLevel();
    Point screen = control.ClientToScreen(control.GetClientRect().Center());
    screen::x_click(x_, native_window(top), top.ScreenToClient(screen), screen);
  }
  void DoubleClick(Window& top, Point screen) {
    for (int i = 0; i < 2; ++i) screen::x_click(x_, native_window(top), top.ScreenToClient(screen), screen);
  }
  // Clicks a frame's section button and waits for the menu it opens; the
  // menu's place is kept, and the menu closed.
  bool SectionMenuOpens(int section_id, Rect* where = nullptr) {
    Rect menu_rect;
    Stepper closing(close_menu(&menu_rect));
    Click(*g_frame.GetDlgItem(section_id));
    bool opened = pump_until([&] { return closing.done; });
    if (where) *where = menu_rect;
    return opened;
  }

  // The page covers the frame's page area, less the bars of a page larger
  // than the area.
  static bool PageFillsItsArea() {
    Rect area = g_frame.PageArea();
    Rect page = g_frame.ScreenToClient(g_current_page->GetWindowRect());
    const int bar = PageScrollBar::kThickness;
    return page.left <= area.left && page.top <= area.top && page.right >= area.right - bar &&
           page.bottom >= area.bottom - bar;
  }

  std::unique_ptr<screen::WindowManager> manager_;
  fs::path root_, cwd_;
  Display* x_ = nullptr;
};

TEST_F(FrameOnScreen, TheUserAndTheWindowManagerSizeTheFrameAndItsPage) {
  if (!started_) return;
  OpenFrame("\\KestrinTempusDati\\piccola");
  Rect start = g_frame.GetClientRect();
  Rect work = backend().WorkArea();
  alfadlg_go_to_page(kPageConfigMenu);
  settle();
  if (g_frame.GetWindowRect().Height() < work.Height()) {
    EXPECT_GT(g_frame.GetClientRect().Height(), start.Height()) << "the frame grows for the configuration menu";
  }
  // Grown by the program, the frame is still sizeable: its own start is the
  // least, and there is no largest.
  Size least, largest;
  ASSERT_TRUE(pump_until([&] { return window_size_hints(g_frame, least, largest); }));
  EXPECT_EQ(least, (Size{start.Width(), start.Height()}));
  EXPECT_EQ(largest, (Size{0, 0}));

  // The user makes it larger (as far as the screen has room): the frame and
  // its page follow.
  Rect before = g_frame.GetClientRect();
  int wider = std::clamp(work.right - g_frame.GetWindowRect().right, 1, 120);
  XResizeWindow(x_, native_window(g_frame), unsigned(before.Width() + wider), unsigned(before.Height()));
  XFlush(x_);
  ASSERT_TRUE(pump_until([&] { return g_frame.GetClientRect().Width() == before.Width() + wider; }));
  settle();
  EXPECT_TRUE(PageFillsItsArea()) << "the page follows the frame";
  ASSERT_TRUE(window_size_hints(g_frame, least, largest));
  EXPECT_EQ(largest, (Size{0, 0}));

  if (!window_manager_running()) {
    std::printf("no window manager on the display: maximise not tried\n");
    return;
  }
  Rect sized = g_frame.GetWindowRect();
  ASSERT_TRUE(ask_window_manager_to_maximise(g_frame));
  ASSERT_TRUE(pump_until([&] { return g_frame.IsZoomed(); }));
  ASSERT_TRUE(pump_until([&] { return g_frame.GetClientRect().Width() > before.Width() + wider; }));
  EXPECT_GT(g_frame.GetWindowRect().Width(), work.Width() - 10);
  settle();
  EXPECT_TRUE(PageFillsItsArea()) << "the page follows the maximised frame";
  EXPECT_FALSE(g_launcher_panel.IsWindowVisible()) << "no room beside a maximised frame: the panel waits";
  // Another page keeps the user's maximised frame.
  alfadlg_go_to_page(kPageHome);
  settle();
  EXPECT_TRUE(g_frame.IsZoomed());
  EXPECT_TRUE(window_manager_shows_maximised(g_frame));
  // Restored, it has its size from before and its place.
  g_frame.ShowWindow(kSwRestore);
  ASSERT_TRUE(pump_until([&] { return !window_manager_shows_maximised(g_frame); }));
  // (The window manager's own restore comes first, at the size it saved;
  // on a busy machine the program's size can follow it later than a
  // settle.)
  EXPECT_TRUE(pump_until([&] { return g_frame.GetWindowRect() == sized; }));
  EXPECT_FALSE(g_frame.IsZoomed());
  EXPECT_EQ(g_frame.GetWindowRect(), sized);

  // Maximised by the program (the courses board wants the whole screen)
  // and restored by it (the next page), it has its size from before too,
  // not the screen's that the program gave it on the way.
  g_frame.ShowWindow(kSwShowMaximized);
  ASSERT_TRUE(pump_until([&] { return window_manager_shows_maximised(g_frame); }));
  settle();
  EXPECT_GT(g_frame.GetWindowRect().Width(), work.Width() - 10);
  g_frame.ShowWindow(kSwRestore);
  ASSERT_TRUE(pump_until([&] { return !window_manager_shows_maximised(g_frame); }));
  EXPECT_TRUE(pump_until([&] { return g_frame.GetWindowRect() == sized; }));
  EXPECT_FALSE(g_frame.IsZoomed());
  EXPECT_EQ(g_frame.GetWindowRect(), sized);
  XWindowAttributes shown{};
  ASSERT_TRUE(XGetWindowAttributes(x_, native_window(g_frame), &shown));
  EXPECT_EQ((Size{shown.width, shown.height}), (Size{g_frame.GetClientRect().Width(), g_frame.GetClientRect().Height()}))
      << "the screen's window and the program's frame";
}

TEST_F(FrameOnScreen, ThePagesPanelStaysBesideTheFrameAndReachesEveryRow) {
  if (!started_) return;
  OpenFrame("\\KestrinTempusDati\\piccola");
  alfadlg_go_to_page(kPageConfigMenu);
  alfadlg_go_to_page(kPageHome);
  settle();
  ASSERT_TRUE(g_launcher_panel.IsWindowVisible());
  auto beside = [] {
    Rect frame = g_frame.GetWindowRect(), panel = g_launcher_panel.GetWindowRect();
    return panel.left >= frame.right && panel.top == frame.top;
  };
  EXPECT_TRUE(beside()) << "the panel sits at the frame's right edge";
  ASSERT_EQ(g_launcher_panel.RowCount(), 26);
  Window* last = g_launcher_panel.GetDlgItem(Calfaopi::TextId(25));
  ASSERT_NE(last, nullptr);
  Rect inside = g_launcher_panel.GetClientRect();
  ASSERT_GT(last->GetRectInParent().bottom, inside.bottom) << "the rows are higher than the panel here";

  // The wheel over the rows brings the last one into view.
  Window* row = g_launcher_panel.GetDlgItem(Calfaopi::TextId(3));
  Point at = row->ClientToScreen(row->GetClientRect().Center());
  for (int turn = 0; turn < 40 && last->GetRectInParent().bottom > inside.bottom; ++turn) {
    screen::x_button(x_, native_window(g_launcher_panel), g_launcher_panel.ScreenToClient(at), at, Button5);
    int offset = g_launcher_panel.ScrollOffset();
    pump_until([&] { return g_launcher_panel.ScrollOffset() != offset; });
  }
  EXPECT_LE(last->GetRectInParent().bottom, inside.bottom);
  EXPECT_GE(last->GetRectInParent().top, 0);
  // ... and it opens its page.
  Window* make = g_launcher_panel.GetDlgItem(Calfaopi::TextId(21));  // "Calcolo dell'Orario"
  ASSERT_EQ(g_launcher_panel.PageOf(21), kPageMake);
  ASSERT_TRUE(make->IsWindowVisible());
  Click(*make);
  EXPECT_TRUE(pump_until([] { return g_current_page_template == 158u; }));

  // A larger page makes the frame grow: the panel keeps its side, or waits
  // hidden; it never lies over the frame.
  alfadlg_go_to_page(kPageParameters2);
  settle();
  if (g_launcher_panel.IsWindowVisible()) {
    EXPECT_TRUE(beside());
  }
  alfadlg_go_to_page(kPageHome);
  settle();
  EXPECT_TRUE(g_launcher_panel.IsWindowVisible());
  EXPECT_TRUE(beside());
}

TEST_F(FrameOnScreen, TheSectionButtonsAnswerAfterALanguageASchoolAndTheSubstitutions) {
  if (!started_) return;
  OpenFrame("\\KestrinTempusDati");
  // A school chosen with the chooser: double clicks on its row, then on ".".
  int step = 0;
  Stepper choose([&] {
    Cselscuole* chooser = nullptr;
    for (Window* w : top_level_windows())
      if (auto* c = dynamic_cast<Cselscuole*>(w); c && c->IsWindowVisible()) chooser = c;
    if (!chooser) return false;
    auto* list = static_cast<ListView*>(chooser->GetDlgItem(Cselscuole::kListId));
    std::string want = step == 0 ? "piccola" : ".";
    for (int i = 0; i < list->GetItemCount(); ++i) {
      Rect cell;
      if (list->GetItemText(i, 0) != want || !list->GetSubItemRect(i, 0, cell)) continue;
      DoubleClick(*chooser, list->ClientToScreen(cell.Center()));
      return ++step == 2;
    }
    return false;
  });
  Click(*g_home_page.GetDlgItem(CPlenixDlg::kSelectSchool));
  ASSERT_TRUE(pump_until([&] { return choose.done && og_current_folder_path() == "\\KestrinTempusDati\\piccola"; }));
  settle();
  EXPECT_TRUE(SectionMenuOpens(1773)) << "after choosing a school";

  // The language: English, then back.
  Click(*g_home_page.GetDlgItem(CPlenixDlg::kEnglish));
  ASSERT_TRUE(pump_until([] { return g_language == 2 && g_home_page.IsWindow(); }));
  settle();
  EXPECT_TRUE(SectionMenuOpens(1774)) << "after the language";
  EXPECT_EQ(g_language, 2) << "a click on a section button reaches nothing else";
  Click(*g_home_page.GetDlgItem(CPlenixDlg::kItalian));
  ASSERT_TRUE(pump_until([] { return g_language == 0 && g_home_page.IsWindow(); }));
  settle();

  // The substitutions window, closed with its close box.
  Stepper close_substitutions([&] {
    for (Window* w : top_level_windows())
      if (auto* d = dynamic_cast<Cmenu_sost*>(w); d && d->IsWindowVisible() && native_window(*d)) {
        screen::x_close(x_, native_window(*d));
        return true;
      }
    return false;
  });
  Click(*g_home_page.GetDlgItem(CPlenixDlg::kSubstitutions));
  ASSERT_TRUE(pump_until([&] { return close_substitutions.done; }));
  settle();
  EXPECT_TRUE(SectionMenuOpens(1773)) << "after the substitutions window";

  // Opened with the mouse, a menu lies beside the pointer; from the keyboard,
  // under its button.
  Window* processing = g_frame.GetDlgItem(1774);
  Rect button = processing->GetWindowRect();
  Point pointer = button.Center();
  XWarpPointer(x_, None, DefaultRootWindow(x_), 0, 0, 0, 0, pointer.x, pointer.y);
  XFlush(x_);
  settle();
  Rect menu;
  ASSERT_TRUE(SectionMenuOpens(1774, &menu));
  EXPECT_EQ(menu.TopLeft(), (Point{pointer.x + 20, pointer.y + 20}));
  // The user clicks in the frame (a free point of the page), then moves the
  // focus to the button and presses Space, the pointer left where it was.
  Rect area = g_frame.PageArea();
  Point free_point{area.right - 4, area.bottom - 4};
  screen::x_click(x_, native_window(g_frame), free_point, g_frame.ClientToScreen(free_point));
  XWarpPointer(x_, None, DefaultRootWindow(x_), 0, 0, 0, 0, 2, 2);
  XFlush(x_);
  settle();
  processing->SetFocus();
  Stepper keyboard_menu(close_menu(&menu));
  screen::x_key(x_, native_window(g_frame), XK_space);
  ASSERT_TRUE(pump_until([&] { return keyboard_menu.done; }));
  EXPECT_EQ(menu.TopLeft(), (Point{button.left, button.bottom}));
}

}  // namespace
