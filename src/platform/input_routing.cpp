// Routing of user input (see ui_input.h) and the pre-translation step of the
// message loop. Pre-translation walks from the target up to its top-level
// window, so a dialog sees the keys of every control it holds before they
// are dispatched, and a page shown inside the frame gets them before the frame.
// Input arrives a few times a second at most; every route is a short walk up the tree.
#include "platform/ui_input.h"

#include "platform/controls/combo_box.h"
#include "platform/controls/popup_menu.h"
#include "platform/ui_backend.h"
#include "platform/ui_internals.h"
#include "platform/ui_thread.h"
#include "platform/window.h"

namespace kt::ui {

bool pre_translate_and_dispatch(Window& target, Message& m) {
  for (Window* w = &target; w; w = w->GetParent()) {
    if (w->PreTranslateMessage(m)) return true;
    if (!Window::IsWindow(m.window)) return true;
  }
  if (Window* t = Window::FromHandle(m.window)) dispatch_to(*t, m.message, m.wparam, m.lparam);
  return true;
}

namespace {

bool input_allowed(Window& target) {
  Window* top = target.GetTopLevel();
  if (!top->IsWindowEnabled()) {
    message_beep(kBeepSimple);
    return false;
  }
  return target.IsEnabledWithAncestors() && target.IsWindowVisible();
}

}  // namespace

bool input_mouse(Window& top, std::uint32_t message, Point client, unsigned mods) {
  check_ui_thread("input_mouse");
  if (!top.IsWindow()) return false;
  // A click outside a tracked pop-up menu closes the menu and goes nowhere.
  if (PopupMenu* menu = PopupMenu::Tracking(); menu && menu->MenuWindow() != &top) {
    if (message == kMsgLButtonDown || message == kMsgRButtonDown) menu->Cancel();
    return false;
  }
  // So does a click outside an open drop-down list: it only closes the list.
  if (ComboBox* open = ComboBox::Dropped(); open && open->DropDownWindow() != &top) {
    if (message == kMsgLButtonDown || message == kMsgRButtonDown || message == kMsgLButtonDblClk) {
      input_outside_click();
      return false;
    }
    if (message == kMsgLButtonUp || message == kMsgRButtonUp) return false;
  }
  Window* target = top.ChildFromPoint(client);
  if (Window* captured = Window::GetCapture(); captured && captured->GetTopLevel() == &top) target = captured;
  if (!input_allowed(*target)) return false;
  Point local = target->ScreenToClient(top.ClientToScreen(client));
  return target->PostMessage(message, mods, make_point_param(local));
}

void input_outside_click() {
  check_ui_thread("input_outside_click");
  if (PopupMenu* menu = PopupMenu::Tracking()) return (void)menu->Cancel();
  if (ComboBox* open = ComboBox::Dropped()) open->ShowDropDown(false);
}

bool input_key(int key, unsigned mods) {
  check_ui_thread("input_key");
  Window* target = Window::GetFocus();
  // A tracked pop-up menu takes the keyboard without taking the focus.
  if (PopupMenu* menu = PopupMenu::Tracking(); menu && menu->MenuWindow()) target = menu->MenuWindow();
  if (!target) target = Window::GetActiveWindow();
  if (!target || !input_allowed(*target)) return false;
  if (key == kVkF4 && mods == kModAlt) return input_close(*target->GetTopLevel());
  target->PostMessage(kMsgKeyDown, WParam(key), LParam(mods));
  target->PostMessage(kMsgKeyUp, WParam(key), LParam(mods));
  return true;
}

bool input_char(unsigned char ch, unsigned mods) {
  check_ui_thread("input_char");
  Window* target = Window::GetFocus();
  if (!target || !input_allowed(*target)) return false;
  return target->PostMessage(kMsgChar, ch, LParam(mods));
}

bool input_close(Window& top) {
  if (!top.IsWindow()) return false;
  if (!top.IsWindowEnabled()) {
    message_beep(kBeepSimple);
    return false;
  }
  return top.PostMessage(kMsgClose);
}

void input_placement(Window& top, const Rect& screen_rect) {
  if (top.IsWindow() && !top.GetParent()) top.MoveWindow(screen_rect, true);
}

void input_client_placement(Window& top, const Rect& client_on_screen) {
  Point o = top.ClientOrigin();
  input_placement(top, Rect{client_on_screen.left - o.x, client_on_screen.top - o.y, client_on_screen.right + o.x,
                            client_on_screen.bottom + o.x});
}

void input_screen_zoomed(Window& top, bool shown_maximised) {
  if (top.IsWindow()) top.NoteScreenZoomed(shown_maximised);
}

}  // namespace kt::ui
