// The test driver (see test_driver.h). Mouse actions are posted straight to
// the control (not hit-tested) so that a test names what it clicks; the
// checks a real click meets still apply: a control that is hidden or
// disabled refuses, and a window under a modal dialog beeps.
// Steps run in the order scripted; a step of the wrong kind is a reported problem.
#include "platform/test_driver.h"

#include <algorithm>

#include "platform/controls/combo_box.h"
#include "platform/controls/list_box.h"
#include "platform/controls/list_view.h"
#include "platform/controls/popup_menu.h"
#include "platform/ui_input.h"
#include "platform/ui_thread.h"

namespace kt::ui {

TestDriver::TestDriver() {
  reset_ui();
  take_ui_problems();
  set_backend(&backend_);
  claim_ui_thread();
  backend_.idle_handler = [this](ModalFrame& f) { return OnIdle(f); };
  set_modal_observer([this](Dialog& d) {
    BoxShown box;
    box.template_id = d.template_id();
    box.caption = d.GetWindowText();
    for (Window* c : d.Children()) {
      std::string_view cls = c->ClassName();
      if (c->IsWindowVisible() && (cls == "Static" || cls == "Edit" || cls == "Button") && !c->GetWindowText().empty())
        box.texts.push_back(c->GetWindowText());
    }
    boxes_.push_back(std::move(box));
  });
}

TestDriver::~TestDriver() {
  reset_ui();
  set_modal_observer(nullptr);
  backend_.idle_handler = nullptr;
  set_backend(nullptr);
}

bool TestDriver::OnIdle(ModalFrame& frame) {
  bool menu = frame.kind == ModalFrame::Kind::kMenu;
  if (steps_.empty() || steps_.front().menu != menu) {
    problems_.push_back(std::string(menu ? "a pop-up menu" : "a modal dialog") + " came up with no step scripted for it");
    return false;
  }
  Step step = std::move(steps_.front());
  steps_.pop_front();
  step.run(frame);
  return true;
}

void TestDriver::AnswerNextModal(LResult result) {
  steps_.push_back({false, [result](ModalFrame& f) {
                      if (Dialog* d = dynamic_cast<Dialog*>(f.window)) d->EndDialog(result);
                    }});
}

void TestDriver::OnNextModal(std::function<void(Dialog&)> step) {
  steps_.push_back({false, [step = std::move(step)](ModalFrame& f) {
                      Dialog* d = dynamic_cast<Dialog*>(f.window);
                      if (d) step(*d);
                    }});
}

void TestDriver::PressInNextModal(int id) {
  OnNextModal([this, id](Dialog& d) { Click(d, id); });
}

void TestDriver::PressInNextModal(std::string_view caption) {
  OnNextModal([this, caption = std::string(caption)](Dialog& d) { ClickCaption(d, caption); });
}

void TestDriver::ChooseNextMenuItem(int id) {
  steps_.push_back({true, [this, id](ModalFrame&) {
                      PopupMenu* m = PopupMenu::Tracking();
                      if (!m || !m->Choose(id)) {
                        problems_.push_back("menu item " + std::to_string(id) + " cannot be chosen");
                        if (m) m->Cancel();
                      }
                    }});
}

void TestDriver::ChooseNextMenuItem(std::string_view text) {
  steps_.push_back({true, [this, text = std::string(text)](ModalFrame&) {
                      PopupMenu* m = PopupMenu::Tracking();
                      if (!m) return;
                      for (const MenuItem& item : m->items())
                        if (item.text == text && m->Choose(item.id)) return;
                      problems_.push_back("menu item \"" + text + "\" cannot be chosen");
                      m->Cancel();
                    }});
}

void TestDriver::OnNextMenu(std::function<void(PopupMenu&)> step) {
  steps_.push_back({true, [this, step = std::move(step)](ModalFrame&) {
                      PopupMenu* m = PopupMenu::Tracking();
                      if (!m) return problems_.push_back("no menu to look at");
                      step(*m);
                    }});
}

void TestDriver::CancelNextMenu() {
  steps_.push_back({true, [](ModalFrame&) {
                      if (PopupMenu* m = PopupMenu::Tracking()) m->Cancel();
                    }});
}

int TestDriver::Pump() { return pump_pending(); }

void TestDriver::Advance(std::int64_t ms) {
  VirtualClock& c = clock();
  std::int64_t target = c.NowMs() + std::max<std::int64_t>(ms, 0);
  Pump();
  for (;;) {
    std::int64_t next = next_timer_due();
    if (next < 0 || next > target) break;
    c.SetMs(std::max(c.NowMs(), next));
    Pump();
  }
  c.SetMs(std::max(c.NowMs(), target));
  Pump();
}

Window* TestDriver::Find(Window& dialog, int id) {
  Window* c = dialog.GetDlgItem(id);
  if (!c) problems_.push_back("no control " + std::to_string(id) + " in \"" + dialog.GetWindowText() + "\"");
  return c;
}

bool TestDriver::Usable(Window& control) {
  if (!control.IsWindow()) return false;
  if (!control.GetTopLevel()->IsWindowEnabled()) {
    message_beep(kBeepSimple);
    return false;
  }
  return control.IsWindowVisible() && control.IsEnabledWithAncestors();
}

bool TestDriver::Mouse(Window& control, Point local, std::uint32_t down, std::uint32_t up, unsigned mods, bool twice) {
  if (!Usable(control)) return false;
  LParam at = make_point_param(local);
  control.PostMessage(down, mods, at);
  control.PostMessage(up, mods, at);
  if (twice) {
    control.PostMessage(down == kMsgLButtonDown ? kMsgLButtonDblClk : down, mods, at);
    control.PostMessage(up, mods, at);
  }
  Pump();
  return true;
}

bool TestDriver::Click(Window& control) {
  return Mouse(control, control.GetClientRect().Center(), kMsgLButtonDown, kMsgLButtonUp, 0, false);
}

bool TestDriver::Click(Window& dialog, int id) {
  Window* c = Find(dialog, id);
  return c && Click(*c);
}

bool TestDriver::ClickCaption(Window& dialog, std::string_view caption) {
  for (Window* c : dialog.Children())
    if (c->GetWindowText() == caption) return Click(*c);
  problems_.push_back("no control captioned \"" + std::string(caption) + "\"");
  return false;
}

bool TestDriver::DoubleClick(Window& control) {
  return Mouse(control, control.GetClientRect().Center(), kMsgLButtonDown, kMsgLButtonUp, 0, true);
}

bool TestDriver::RightClick(Window& control) {
  return Mouse(control, control.GetClientRect().Center(), kMsgRButtonDown, kMsgRButtonUp, 0, false);
}

namespace {

// The press the screen reports as the n-th of quick presses in one place
// (counted from 1): a double click every second one, a marked press the third.
bool nth_press(Window& top, Point in_top, unsigned mods, int n) {
  return input_mouse(top, n % 2 == 0 ? kMsgLButtonDblClk : kMsgLButtonDown, in_top,
                     n == 3 ? mods | kModTripleClick : mods);
}

}  // namespace

bool TestDriver::ClickAt(Window& window, Point client, unsigned mods, int clicks) {
  Window* top = window.GetTopLevel();
  Point in_top = top->ScreenToClient(window.ClientToScreen(client));
  bool ok = true;
  for (int n = 1; ok && n <= std::max(1, clicks); ++n) {
    ok = nth_press(*top, in_top, mods, n) && input_mouse(*top, kMsgLButtonUp, in_top, mods);
    Pump();
  }
  return ok;
}

bool TestDriver::Drag(Window& window, const std::vector<Point>& path, unsigned mods, int clicks) {
  if (path.empty()) return false;
  Window* top = window.GetTopLevel();
  if (clicks > 1 && !ClickAt(window, path[0], mods, clicks - 1)) return false;
  // Each step is handled before the next is routed, as the user's hand is slower than the queue.
  for (std::size_t i = 0; i < path.size() + 1; ++i) {
    Point p = top->ScreenToClient(window.ClientToScreen(path[std::min(i, path.size() - 1)]));
    bool ok = i == 0 ? nth_press(*top, p, mods, std::max(1, clicks))
                     : input_mouse(*top, i == path.size() ? kMsgLButtonUp : kMsgMouseMove, p, mods);
    if (!ok) return false;
    Pump();
  }
  return true;
}

bool TestDriver::Type(Window& control, std::string_view text) {
  if (!Usable(control)) return false;
  if (Window::GetFocus() != &control) control.SetFocus();
  for (char ch : text) control.PostMessage(kMsgChar, static_cast<unsigned char>(ch), 0);
  Pump();
  return true;
}

bool TestDriver::Key(int key, unsigned mods) {
  bool ok = input_key(key, mods);
  Pump();
  return ok;
}

bool TestDriver::Close(Window& window) {
  bool ok = input_close(*window.GetTopLevel());
  Pump();
  return ok;
}

bool TestDriver::Select(Window& dialog, int id, int index, unsigned mods) {
  Window* c = Find(dialog, id);
  if (!c || !Usable(*c)) return false;
  if (ListBox* lb = dynamic_cast<ListBox*>(c)) {
    if (index < 0 || index >= lb->GetCount()) return false;
    lb->SetFocus();
    lb->UserSelect(index, mods);
  } else if (ComboBox* cb = dynamic_cast<ComboBox*>(c)) {
    if (index < 0 || index >= cb->GetCount()) return false;
    cb->SetFocus();
    cb->UserChoose(index);
  } else if (dynamic_cast<ListView*>(c)) {
    return ClickCell(dialog, id, index, 0);
  } else {
    problems_.push_back("control " + std::to_string(id) + " has no rows to select");
    return false;
  }
  Pump();
  return true;
}

bool TestDriver::Select(Window& dialog, int id, std::string_view text) {
  Window* c = Find(dialog, id);
  int index = -1;
  if (ListBox* lb = dynamic_cast<ListBox*>(c)) index = lb->FindStringExact(-1, text);
  else if (ComboBox* cb = dynamic_cast<ComboBox*>(c)) index = cb->FindStringExact(-1, text);
  else if (ListView* lv = dynamic_cast<ListView*>(c)) index = lv->FindItemByText(-1, text);
  if (index < 0) {
    problems_.push_back("no row \"" + std::string(text) + "\" in control " + std::to_string(id));
    return false;
  }
  return Select(dialog, id, index);
}

bool TestDriver::ClickCell(Window& dialog, int id, int row, int column, bool double_click) {
  ListView* lv = dynamic_cast<ListView*>(Find(dialog, id));
  if (!lv) return false;
  lv->EnsureVisible(row);
  lv->EnsureColumnVisible(column);
  Rect cell;
  if (!lv->GetSubItemRect(row, column, cell)) return false;
  return Mouse(*lv, cell.Center(), kMsgLButtonDown, kMsgLButtonUp, 0, double_click);
}

bool TestDriver::ClickHeader(Window& dialog, int id, int column) {
  ListView* lv = dynamic_cast<ListView*>(Find(dialog, id));
  if (!lv || column < 0 || column >= lv->GetColumnCount()) return false;
  lv->EnsureColumnVisible(column);
  return Mouse(*lv, lv->GetHeaderItemRect(column).Center(), kMsgLButtonDown, kMsgLButtonUp, 0, false);
}

// Presses on the column's right edge in the header, moves the mouse by the
// change of width and lets go, through the same routing as the real mouse.
bool TestDriver::DragColumnEdge(Window& dialog, int id, int column, int width) {
  ListView* lv = dynamic_cast<ListView*>(Find(dialog, id));
  if (!lv || !Usable(*lv) || column < 0 || column >= lv->GetColumnCount()) return false;
  lv->EnsureColumnVisible(column);
  if (int beyond = lv->GetHeaderItemRect(column).right - lv->ViewWidth(); beyond > 0)
    lv->SetScrollX(lv->GetScrollX() + beyond);  // the edge itself in view
  Rect heading = lv->GetHeaderItemRect(column);
  Window* top = lv->GetTopLevel();
  auto at = [&](int x) { return top->ScreenToClient(lv->ClientToScreen(Point{x, heading.Center().y})); };
  int to = heading.left + width;
  // Each step is handled before the next is routed: the press takes the capture.
  const std::pair<std::uint32_t, int> steps[] = {
      {kMsgLButtonDown, heading.right}, {kMsgMouseMove, to}, {kMsgLButtonUp, to}};
  for (auto [message, x] : steps) {
    if (!input_mouse(*top, message, at(x), 0)) return false;
    Pump();
  }
  return true;
}

DisplayList TestDriver::Render(Window& window) { return render_window(*window.GetTopLevel()); }

std::string TestDriver::Text(Window& dialog, int id) {
  Window* c = Find(dialog, id);
  return c ? c->GetWindowText() : std::string();
}

bool TestDriver::IsChecked(Window& dialog, int id) { return Find(dialog, id) && dialog.IsDlgButtonChecked(id) == 1; }
bool TestDriver::IsEnabled(Window& dialog, int id) { Window* c = Find(dialog, id); return c && c->IsWindowEnabled(); }
bool TestDriver::IsVisible(Window& dialog, int id) { Window* c = Find(dialog, id); return c && c->IsWindowVisible(); }
bool TestDriver::HasFocus(Window& dialog, int id) { Window* c = Find(dialog, id); return c && Window::GetFocus() == c; }

std::vector<std::string> TestDriver::Problems() {
  std::vector<std::string> out = take_ui_problems();
  out.insert(out.end(), problems_.begin(), problems_.end());
  problems_.clear();
  return out;
}

}  // namespace kt::ui
