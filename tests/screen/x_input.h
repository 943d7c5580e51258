// Input sent to a shown window through the X server, as the window manager
// and the user would send it: a click of the first button, a turn of the
// wheel, a key, the close box; and a window's properties as the window
// manager reads them. The screen tests check the backend end to end
// with them: the events reach FLTK exactly as real ones do.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <vector>

#include "platform/ui_types.h"

namespace kt::ui::screen {

// A press and release of a mouse button at p of window w (root_at: the
// same point on the screen); button 4 and 5 are the wheel up and down.
// `state`: the modifier keys held (ShiftMask ...).
inline void x_button(Display* x, ::Window w, Point p, Point root_at, unsigned button = Button1, unsigned state = 0) {
  for (int type : {ButtonPress, ButtonRelease}) {
    XEvent e{};
    e.xbutton.type = type;
    e.xbutton.display = x;
    e.xbutton.window = w;
    e.xbutton.root = DefaultRootWindow(x);
    e.xbutton.x = p.x;
    e.xbutton.y = p.y;
    e.xbutton.x_root = root_at.x;
    e.xbutton.y_root = root_at.y;
    e.xbutton.button = button;
    e.xbutton.state = state | (type == ButtonRelease && button == Button1 ? Button1Mask : 0);
    e.xbutton.same_screen = True;
    XSendEvent(x, w, False, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &e);
  }
  XFlush(x);
}

// A press and release of the first button.
inline void x_click(Display* x, ::Window w, Point p, Point root_at, unsigned state = 0) {
  x_button(x, w, p, root_at, Button1, state);
}

// A key pressed and released in window w.
inline void x_key(Display* x, ::Window w, KeySym sym, unsigned state = 0) {
  for (int type : {KeyPress, KeyRelease}) {
    XEvent e{};
    e.xkey.type = type;
    e.xkey.display = x;
    e.xkey.window = w;
    e.xkey.root = DefaultRootWindow(x);
    e.xkey.keycode = XKeysymToKeycode(x, sym);
    e.xkey.state = state;
    e.xkey.same_screen = True;
    XSendEvent(x, w, False, type == KeyPress ? KeyPressMask : KeyReleaseMask, &e);
  }
  XFlush(x);
}

// The window manager's close box.
inline void x_close(Display* x, ::Window w) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = long(XInternAtom(x, "WM_DELETE_WINDOW", False));
  XSendEvent(x, w, False, NoEventMask, &e);
  XFlush(x);
}

// A window's property of 32-bit items (empty when it has none).
inline std::vector<unsigned long> property_words(Display* x, ::Window w, const char* name) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> out;
  if (XGetWindowProperty(x, w, XInternAtom(x, name, False), 0, 2048, False, AnyPropertyType, &type, &format, &count,
                         &left, &data) == Success && data && format == 32) {
    const auto* p = reinterpret_cast<const unsigned long*>(data);
    out.assign(p, p + count);
  }
  if (data) XFree(data);
  return out;
}

}  // namespace kt::ui::screen
