// The real window that mirrors one top-level window of the core. It paints
// the display list the backend rendered for it and turns FLTK events into
// the core's input: mouse buttons (a second click in time is a double
// click), moves, the wheel (120 per notch, up positive, carried in the high
// word of the message's first parameter), keys and the characters they type
// (as 1252 bytes), activation, the window manager's close (the core's close
// message: a dialog answers it as Cancel) and moves or resizes by the user.
//
// FLTK's own Esc handling never runs: every key is taken here, and the close
// callback ignores the Esc shortcut. Anything that would run a window
// procedure (activation, placement) is posted to the user-interface queue,
// so FLTK callbacks never re-enter the core.
#include <FL/fl_draw.H>
#include <FL/x.H>

#include "platform/cp1252.h"
#include "platform/fltk/fltk_internal.h"
#include "platform/ui_input.h"
#include "platform/ui_thread.h"

namespace kt::ui {

namespace {

void close_callback(Fl_Widget* widget, void*) {
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
  auto* m = static_cast<MirrorWindow*>(widget);
  if (Window* top = Window::FromHandle(m->core())) input_close(*top);
}

}  // namespace

MirrorWindow::MirrorWindow(FltkBackend& backend, Window& core, const Rect& client)
    : Fl_Double_Window(client.left, client.top, std::max(1, client.Width()), std::max(1, client.Height())),
      backend_(backend),
      core_(core.handle()) {
  overlay = new EditOverlay(*this);
  end();
  resizable(nullptr);
  callback(close_callback);
}

MirrorWindow::~MirrorWindow() = default;

void MirrorWindow::draw() {
  fl_rectf(0, 0, w(), h(), uchar(red_of(kButtonFaceColor)), uchar(green_of(kButtonFaceColor)),
           uchar(blue_of(kButtonFaceColor)));
  if (Window* top = Window::FromHandle(core_)) replay_display_list(list, *top);
  ++painted;
  if (overlay && overlay->visible()) draw_child(*overlay);
}

void MirrorWindow::resize(int x, int y, int w, int h) {
  Fl_Double_Window::resize(x, y, w, h);
  if (syncing || !shown()) return;
  WindowHandle handle = core_;
  Rect r{x, y, x + w, y + h};
  screen_rect = r;
  // The window manager may have maximised or restored it (its title bar's
  // button): the core learns the state with the size, and tells it from the
  // state before a maximise or restore of its own that is still on its way.
  bool zoomed = window_is_maximised(fl_xid(this));
  post_to_ui([handle, r, zoomed] {
    Window* top = Window::FromHandle(handle);
    if (!top) return;
    // A move and a resize come as two events: only the last is where the
    // window is. Handing the core the first would send the screen back a
    // size it has left, which a window manager takes as the user's.
    auto* screen = dynamic_cast<FltkBackend*>(&backend());
    MirrorWindow* m = screen ? screen->Find(*top) : nullptr;
    if (m && m->screen_rect != r) return;
    input_screen_zoomed(*top, zoomed);
    input_client_placement(*top, r);
  });
}

int MirrorWindow::handle(int event) {
  Window* top = Window::FromHandle(core_);
  if (!top) return Fl_Double_Window::handle(event);
  bool in_overlay = overlay && overlay->visible() && Fl::event_inside(overlay);
  switch (event) {
    case FL_PUSH:
    case FL_RELEASE:
    case FL_DRAG:
    case FL_MOVE:
    case FL_MOUSEWHEEL:
      if (in_overlay && event != FL_MOUSEWHEEL) {
        int used = Fl_Double_Window::handle(event);
        // A drag the core's field began (a press on a field the entry
        // came up over after it) goes on and ends in the core, which
        // holds the mouse until the button goes up; a field without the
        // mouse leaves the move and the release alone.
        if ((event == FL_DRAG || event == FL_RELEASE) && Fl::event_button() == FL_LEFT_MOUSE) HandleMouse(event, *top);
        return used;
      }
      return HandleMouse(event, *top);
    case FL_ENTER:
    case FL_LEAVE:
      return 1;
    case FL_SHOW:
      if (iconic) {
        // Restored by the user from the window manager.
        iconic = false;
        WindowHandle handle = core_;
        post_to_ui([handle] {
          if (Window* w = Window::FromHandle(handle)) w->ModifyStyle(kWsMinimize, 0);
        });
      }
      return Fl_Double_Window::handle(event);
    case FL_FOCUS: {
      // A pop-up never takes the activation from the window it serves.
      if (menu) return 1;
      WindowHandle handle = core_;
      // The window manager's own choice for a window the program mapped
      // without activation (a window manager that focuses every new window):
      // the active window keeps the keyboard.
      bool refused = mapped_inactive;
      mapped_inactive = false;
      post_to_ui([handle, refused] {
        Window* w = Window::FromHandle(handle);
        if (!w || !w->IsWindowVisible()) return;
        Window* active = Window::GetActiveWindow();
        auto* screen = dynamic_cast<FltkBackend*>(&backend());
        if (refused && active && active != w && active->IsWindowVisible() && screen) screen->GiveKeyboardBack(*active);
        else if (w->IsWindowEnabled() && active != w) w->SetActiveWindow();
        // A window under a modal dialog brings the dialog back to the front.
        else if (!w->IsWindowEnabled() && active && active != w) backend().TopLevelActivated(*active);
      });
      Fl_Double_Window::handle(event);
      return 1;
    }
    case FL_UNFOCUS:
      Fl_Double_Window::handle(event);
      return 1;
    case FL_KEYBOARD:
      // Here as the focus, or as the parent of a native entry that left
      // the key (Tab, Enter, Esc) to the dialog: the core's either way.
      return HandleKey(*top);
    case FL_KEYUP:
    case FL_SHORTCUT:
      return 1;
    default:
      return Fl_Double_Window::handle(event);
  }
}

int MirrorWindow::HandleMouse(int event, Window& top) {
  Point p{Fl::event_x(), Fl::event_y()};
  unsigned mods = core_mods(Fl::event_state());
  bool right = Fl::event_button() == FL_RIGHT_MOUSE;
  std::uint32_t message = kMsgMouseMove;
  switch (event) {
    case FL_PUSH:
      mapped_inactive = false;
      if (Fl::event_button() == FL_MIDDLE_MOUSE) return 1;
      if (menu && !Fl::event_inside(0, 0, w(), h())) {
        post_to_ui([] { input_outside_click(); });
        return 1;
      }
      if (Fl::focus() != this && !(overlay && Fl::focus() == overlay)) Fl::focus(this);
      // Quick presses in one place: every second one is a double click, as
      // before (two double clicks in a row on a list, one after the other,
      // both open what they point at), and the third is marked as the third
      // for the text fields, which then take the line.
      message = right ? kMsgRButtonDown : (Fl::event_clicks() % 2 == 1 ? kMsgLButtonDblClk : kMsgLButtonDown);
      if (!right && Fl::event_clicks() == 2) mods |= kModTripleClick;
      break;
    case FL_RELEASE:
      if (Fl::event_button() == FL_MIDDLE_MOUSE) return 1;
      message = right ? kMsgRButtonUp : kMsgLButtonUp;
      break;
    case FL_MOUSEWHEEL: {
      int dy = Fl::event_dy();
      if (dy == 0) return 1;
      message = kMsgMouseWheel;
      mods |= unsigned(std::uint16_t(std::int16_t(-dy * 120))) << 16;
      break;
    }
    default:
      break;
  }
  input_mouse(top, message, p, mods);
  return 1;
}

int MirrorWindow::HandleKey(Window&) {
  int key = core_key_for(Fl::event_key());
  unsigned mods = core_mods(Fl::event_state());
  if (key == kVkShift || key == kVkControl) return 1;
  if (key && !input_key(key, mods)) return 1;
  if (key == kVkBack) {
    input_char('\b', mods);
  } else if (key == kVkReturn) {
    input_char('\r', mods);
  } else if (!(mods & (kModControl | kModAlt)) && Fl::event_length() > 0) {
    const char* text = Fl::event_text();
    if (static_cast<unsigned char>(text[0]) >= 0x20 && text[0] != 0x7F) {
      for (char ch : utf8_to_cp1252(std::string_view(text, std::size_t(Fl::event_length()))))
        input_char(static_cast<unsigned char>(ch), mods);
    }
  }
  return 1;
}

}  // namespace kt::ui
