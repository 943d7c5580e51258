// Where windows go and what the screen's own input does to them: maximise
// and restore (asked by the program or done by the window manager), the
// position, size, stacking and showing of one call, centring over the owner,
// a child moved to another parent, a style change that disables, and the
// characters, close requests and placements a backend reports, and the hooks
// that see every message dispatched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/test_driver.h"
#include "platform/ui_input.h"
#include "platform/window.h"

namespace kt::ui {
namespace {

class Logged : public Window {
 public:
  std::vector<std::string> log;

 protected:
  void OnSize(int type, int cx, int cy) override {
    log.push_back("size " + std::to_string(type) + " " + std::to_string(cx) + "x" + std::to_string(cy));
  }
  void OnMove(int x, int y) override { log.push_back("move " + std::to_string(x) + "," + std::to_string(y)); }
  void OnChar(unsigned char ch, unsigned) override { log.push_back(std::string("char ") + char(ch)); }
  void OnKillFocus(Window*) override { log.push_back("kill focus"); }
};

bool create(Window& w, Window* parent, int id, Rect r, std::uint32_t style = 0, Window* owner = nullptr) {
  CreateParams p;
  p.parent = parent;
  p.owner = owner;
  p.id = id;
  p.rect = r;
  p.style = style | (parent ? kWsChild : kWsPopup) | kWsVisible | kWsTabStop;
  return w.CreateEx(p);
}

class Placement : public ::testing::Test {
 protected:
  TestDriver ui;
};

TEST_F(Placement, MaximiseFillsTheWorkAreaAndRestoreGoesBack) {
  Logged frame;
  ASSERT_TRUE(create(frame, nullptr, 0, {10, 20, 410, 320}, kWsCaption));
  Rect work = ui.headless().WorkArea();
  frame.ShowWindow(kSwShowMaximized);
  EXPECT_TRUE(frame.IsZoomed());
  EXPECT_EQ(frame.GetWindowRect(), work);
  ASSERT_FALSE(frame.log.empty());
  EXPECT_EQ(frame.log.back().substr(0, 7), "size 2 ");
  frame.ShowWindow(kSwRestore);
  EXPECT_FALSE(frame.IsZoomed());
  EXPECT_EQ(frame.GetWindowRect(), (Rect{10, 20, 410, 320}));
  // Maximised by the window manager: only the state changes here, and a
  // restore asked later goes back to the size before.
  frame.MoveWindow(Rect{30, 40, 330, 240});
  frame.NoteZoomed(true);
  EXPECT_TRUE(frame.IsZoomed());
  EXPECT_EQ(frame.GetWindowRect(), (Rect{30, 40, 330, 240}));
  input_placement(frame, work);
  frame.ShowWindow(kSwRestore);
  EXPECT_EQ(frame.GetWindowRect(), (Rect{30, 40, 330, 240}));
  frame.NoteZoomed(false);  // already restored: nothing changes
  EXPECT_FALSE(frame.IsZoomed());
}

TEST_F(Placement, OneCallMovesSizesStacksAndShows) {
  Window top;
  ASSERT_TRUE(create(top, nullptr, 0, {0, 0, 300, 200}));
  Logged a, b, c;
  ASSERT_TRUE(create(a, &top, 1, {0, 0, 50, 20}));
  ASSERT_TRUE(create(b, &top, 2, {0, 30, 50, 50}));
  ASSERT_TRUE(create(c, &top, 3, {0, 60, 50, 80}));
  auto order = [&] {
    std::vector<int> ids;
    for (Window* w : top.Children()) ids.push_back(w->GetDlgCtrlID());
    return ids;
  };
  b.SetWindowPos(nullptr, 40, 50, 0, 0, kSwpNoSize | kSwpNoZOrder);
  EXPECT_EQ(b.GetRectInParent(), (Rect{40, 50, 90, 70}));
  b.SetWindowPos(nullptr, 0, 0, 70, 25, kSwpNoMove | kSwpNoZOrder);
  EXPECT_EQ(b.GetRectInParent(), (Rect{40, 50, 110, 75}));
  EXPECT_EQ(order(), (std::vector<int>{1, 2, 3}));
  c.SetWindowPos(kHwndTop, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
  EXPECT_EQ(order(), (std::vector<int>{3, 1, 2}));
  c.SetWindowPos(kHwndBottom, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
  EXPECT_EQ(order(), (std::vector<int>{1, 2, 3}));
  c.SetWindowPos(&a, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
  EXPECT_EQ(order(), (std::vector<int>{1, 3, 2}));
  EXPECT_EQ(c.GetRectInParent(), (Rect{0, 60, 50, 80}));
  a.SetWindowPos(nullptr, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize | kSwpNoZOrder | kSwpHideWindow);
  EXPECT_FALSE(a.IsWindowVisible());
  a.SetWindowPos(nullptr, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize | kSwpNoZOrder | kSwpShowWindow);
  EXPECT_TRUE(a.IsWindowVisible());
  Window gone;
  EXPECT_FALSE(gone.SetWindowPos(nullptr, 0, 0, 10, 10, 0));
}

TEST_F(Placement, CentringOverTheOwnerOrTheWorkArea) {
  Window owner, box, alone, child;
  ASSERT_TRUE(create(owner, nullptr, 0, {100, 100, 500, 400}));
  ASSERT_TRUE(create(box, nullptr, 0, {0, 0, 200, 100}, 0, &owner));
  ASSERT_TRUE(create(alone, nullptr, 0, {5, 5, 105, 55}));
  ASSERT_TRUE(create(child, &owner, 1, {3, 4, 23, 14}));
  box.CenterWindow();
  EXPECT_EQ(box.GetWindowRect(), (Rect{200, 200, 400, 300}));
  alone.CenterWindow();
  Rect work = ui.headless().WorkArea();
  EXPECT_EQ(alone.GetWindowRect().left, work.left + (work.Width() - 100) / 2);
  EXPECT_EQ(alone.GetWindowRect().top, work.top + (work.Height() - 50) / 2);
  child.CenterWindow();  // a child stays where its page put it
  EXPECT_EQ(child.GetRectInParent(), (Rect{3, 4, 23, 14}));
}

TEST_F(Placement, AChildMovesToAnotherParentButNeverUnderItself) {
  Window top, left, right;
  ASSERT_TRUE(create(top, nullptr, 0, {0, 0, 300, 200}));
  ASSERT_TRUE(create(left, &top, 1, {0, 0, 100, 100}));
  ASSERT_TRUE(create(right, &top, 2, {100, 0, 200, 100}));
  Window field;
  ASSERT_TRUE(create(field, &left, 7, {5, 5, 50, 20}));
  field.SetParent(&right);
  EXPECT_EQ(field.GetParent(), &right);
  EXPECT_EQ(right.GetDlgItem(7), &field);
  EXPECT_EQ(left.GetDlgItem(7), nullptr);
  EXPECT_TRUE(left.Children().empty());
  right.SetParent(&field);  // its own descendant: refused
  EXPECT_EQ(right.GetParent(), &top);
  right.SetParent(&right);
  EXPECT_EQ(right.GetParent(), &top);
}

// A style change that disables a window takes the focus from it, as
// EnableWindow does; one that enables it again gives nothing back by itself.
TEST_F(Placement, DisablingByStyleTakesTheFocus) {
  Window top;
  Logged field;
  ASSERT_TRUE(create(top, nullptr, 0, {0, 0, 300, 200}));
  ASSERT_TRUE(create(field, &top, 1, {0, 0, 100, 20}));
  field.SetFocus();
  ASSERT_EQ(Window::GetFocus(), &field);
  field.ModifyStyle(0, kWsDisabled);
  EXPECT_FALSE(field.IsWindowEnabled());
  EXPECT_EQ(Window::GetFocus(), nullptr);
  EXPECT_EQ(field.log, std::vector<std::string>{"kill focus"});
  field.ModifyStyle(kWsDisabled, 0);
  EXPECT_TRUE(field.IsWindowEnabled());
  EXPECT_EQ(Window::GetFocus(), nullptr);
}

// Characters go to the focused window unless a box is up over its window;
// the close box closes an enabled window and beeps at a disabled one; a
// placement moves a top-level window, from its client area adding its frame.
TEST_F(Placement, CharactersCloseRequestsAndPlacementsFromTheScreen) {
  auto* frame = new Logged;
  ASSERT_TRUE(create(*frame, nullptr, 0, {10, 10, 310, 210}, kWsCaption));
  Logged field;
  ASSERT_TRUE(create(field, frame, 1, {0, 0, 100, 20}));
  field.SetFocus();
  EXPECT_TRUE(input_char('a'));
  ui.Pump();
  EXPECT_EQ(field.log, std::vector<std::string>{"char a"});
  frame->EnableWindow(false);  // a box is up: the focus went with it
  ui.ClearBeeps();
  EXPECT_FALSE(input_char('b'));
  input_close(*frame);
  ui.Pump();
  EXPECT_EQ(ui.beeps(), 1);
  EXPECT_EQ(field.log, (std::vector<std::string>{"char a", "kill focus"}));
  EXPECT_TRUE(frame->IsWindow());
  frame->EnableWindow(true);
  frame->log.clear();
  input_placement(*frame, {20, 30, 420, 330});
  EXPECT_EQ(frame->GetWindowRect(), (Rect{20, 30, 420, 330}));
  input_placement(field, {0, 0, 10, 10});  // only top-level windows are placed
  EXPECT_EQ(field.GetRectInParent(), (Rect{0, 0, 100, 20}));
  Point o = frame->ClientOrigin();
  input_client_placement(*frame, {100, 100, 300, 250});
  EXPECT_EQ(frame->GetWindowRect(), (Rect{100 - o.x, 100 - o.y, 300 + o.x, 250 + o.x}));
  EXPECT_EQ(frame->GetClientRect().Width(), 200);
  input_close(*frame);
  ui.Pump();
  EXPECT_FALSE(frame->IsWindow());
  EXPECT_FALSE(field.IsWindow());
  delete frame;
}

// A dispatch hook sees every message after its window handled it, with the
// answer; hooks are told in the order they were added; one that removes
// itself while told is not told again, the others go on.
TEST_F(Placement, DispatchHooksSeeEveryHandledMessage) {
  Logged frame;
  ASSERT_TRUE(create(frame, nullptr, 0, {0, 0, 100, 100}));
  std::vector<std::string> seen;
  int first = 0, second = 0;
  first = add_dispatch_hook([&](const Message& m, LResult r) {
    if (m.message == kMsgChar) seen.push_back("first " + std::to_string(m.wparam) + " " + std::to_string(r));
    if (m.message == kMsgChar && m.wparam == 'b') remove_dispatch_hook(first);
  });
  second = add_dispatch_hook([&](const Message& m, LResult) {
    if (m.message == kMsgChar && m.window == frame.handle()) seen.push_back("second " + std::to_string(m.wparam));
  });
  for (char c : {'a', 'b', 'c'}) frame.SendMessage(kMsgChar, WParam(c), 0);
  remove_dispatch_hook(second);
  frame.SendMessage(kMsgChar, WParam('d'), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"first 97 0", "second 97", "first 98 0", "second 98", "second 99"}));
  EXPECT_EQ(frame.log, (std::vector<std::string>{"char a", "char b", "char c", "char d"}));
}

}  // namespace
}  // namespace kt::ui
