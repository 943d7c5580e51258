// Windows shown beside the one the user works in, on a real display with a
// window manager: a window the program shows without making it active (the
// pages panel shown again after a message box, while a dialog is open) does
// not take the keyboard, so the next key (Esc) still reaches the dialog; a
// window shown as active takes it. The key is sent where the X server has
// the input focus, as the user's keyboard sends it. Every window carries
// the program's class, by which the window manager names it.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <string>
#include <vector>

#include "screen/screen_support.h"
#include "screen/x_input.h"

namespace {

using namespace kt::ui;
using kt::ui::screen::pump_until;
using Window = kt::ui::Window;  // not X's

// A top-level window with a frame that notes the keys it is given.
class KeyWindow : public Window {
 public:
  bool Make(const char* title, Rect rect, Window* owner) {
    CreateParams p;
    p.text = title;
    p.style = kWsCaption | kWsSysMenu | kWsBorder;
    p.rect = rect;
    p.owner = owner;
    return CreateEx(p);
  }
  std::vector<int> keys;

 protected:
  void OnKeyDown(int key, unsigned) override { keys.push_back(key); }
};

class ShownBeside : public screen::OnScreenTest {
 protected:
  void SetUp() override {
    OnScreenTest::SetUp();
    if (!started_) return;
    manager_ = std::make_unique<screen::WindowManager>();
    x_ = XOpenDisplay(nullptr);
    ASSERT_NE(x_, nullptr);
  }
  void TearDown() override {
    if (started_ && x_) XCloseDisplay(x_);
    manager_.reset();
    OnScreenTest::TearDown();
  }
  // Lets the window manager act on what was shown (it may move the focus).
  static void Settle() {
    MonotonicClock clock;
    for (std::int64_t end = clock.NowMs() + 700; clock.NowMs() < end;) {
      pump_pending();
      fltk_flush(0.02);
    }
  }
  ::Window XFocus() {
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(x_, &focus, &revert);
    return focus;
  }

  std::unique_ptr<screen::WindowManager> manager_;
  Display* x_ = nullptr;
};

TEST_F(ShownBeside, OnlyAWindowShownAsActiveTakesTheKeyboard) {
  if (!started_) return;
  if (!window_manager_running()) GTEST_SKIP() << "no window manager (openbox) to hand out the focus";
  struct Case {
    int show;
    bool panel_takes_keys;
  } cases[] = {{kSwShowNa, false}, {kSwShowNoActivate, false}, {kSwShow, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.show);
    KeyWindow frame, dialog, panel;
    ASSERT_TRUE(frame.Make("Frame", {60, 60, 560, 460}, nullptr));
    ASSERT_TRUE(panel.Make("Panel", {580, 60, 760, 460}, &frame));
    frame.ShowWindow(kSwShow);
    panel.ShowWindow(kSwShowNa);
    ASSERT_TRUE(pump_until([&] { return native_window(frame) != 0 && native_window(panel) != 0; }));
    Settle();
    // A dialog over the frame, as a modal one: the frame is disabled.
    ASSERT_TRUE(dialog.Make("Dialog", {120, 120, 420, 320}, &frame));
    frame.EnableWindow(false);
    dialog.ShowWindow(kSwShow);
    ASSERT_TRUE(pump_until([&] { return native_window(dialog) != 0 && XFocus() == native_window(dialog); }));
    // The panel goes while a message box shows, and comes back after it.
    panel.ShowWindow(kSwHide);
    Settle();
    panel.ShowWindow(c.show);
    ASSERT_TRUE(pump_until([&] { return native_window(panel) != 0; }));
    Settle();
    Window* active = Window::GetActiveWindow();
    EXPECT_EQ(active, c.panel_takes_keys ? static_cast<Window*>(&panel) : &dialog);
    screen::x_key(x_, XFocus(), XK_Escape);
    KeyWindow& taker = c.panel_takes_keys ? panel : dialog;
    KeyWindow& other = c.panel_takes_keys ? dialog : panel;
    EXPECT_TRUE(pump_until([&] { return !taker.keys.empty(); })) << "the key went elsewhere";
    EXPECT_TRUE(other.keys.empty());
    dialog.DestroyWindow();
    panel.DestroyWindow();
    frame.DestroyWindow();
    Settle();
  }
}

// The window manager names and groups the program's windows (task bar,
// window switcher) by their class: the program's own, not the toolkit's.
TEST_F(ShownBeside, WindowsCarryTheProgramsClass) {
  if (!started_) return;
  KeyWindow frame, dialog;
  ASSERT_TRUE(frame.Make("Frame", {60, 60, 360, 260}, nullptr));
  ASSERT_TRUE(dialog.Make("Dialog", {100, 100, 300, 200}, &frame));
  frame.ShowWindow(kSwShow);
  dialog.ShowWindow(kSwShow);
  ASSERT_TRUE(pump_until([&] { return native_window(frame) != 0 && native_window(dialog) != 0; }));
  for (Window* w : {static_cast<Window*>(&frame), static_cast<Window*>(&dialog)}) {
    XClassHint hint{};
    ASSERT_NE(XGetClassHint(x_, native_window(*w), &hint), 0);
    EXPECT_STREQ(hint.res_class, "KestrinTempus");
    XFree(hint.res_name);
    XFree(hint.res_class);
  }
  dialog.DestroyWindow();
  frame.DestroyWindow();
}

}  // namespace
