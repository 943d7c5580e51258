// The FLTK backend object: start and stop, the mirrors of the core's
// top-level windows (created with them, placed, titled, shown, minimised,
// raised when activated, deleted with them), the wait of the modal loops,
// and the services the core asks of a screen: beep, clipboard, mouse
// pointer, work area. Rendering is lazy: Invalidate marks a mirror, and the
// next wait renders its display list before FLTK paints, so the core is
// never entered from inside FLTK's drawing.
//
// Workload: a handful of windows, one render per change; other threads only
// wake the loop (once per pending wake, so the wake pipe never fills).
#include <FL/Fl_RGB_Image.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <atomic>
#include <cstdlib>

#include "platform/cp1252.h"
#include "platform/dialog.h"
#include "platform/fltk/file_open_dialog.h"
#include "platform/fltk/fltk_internal.h"
#include "platform/ui_thread.h"

namespace kt::ui {

namespace {

FltkBackend* g_backend = nullptr;
// Set while a wake is in FLTK's pipe; cleared on the user-interface thread
// when the wake is taken, so a post made at any moment is never missed.
std::atomic<bool> g_wake_pending{false};
void wake_taken(void*) { g_wake_pending = false; }

Rect client_on_screen(const Window& w) {
  Rect c = w.GetClientRect();
  Point o = w.ClientToScreen(Point{0, 0});
  return {o.x, o.y, o.x + c.Width(), o.y + c.Height()};
}

// Receives the clipboard's text, which X delivers as an event.
class PasteReceiver final : public Fl_Widget {
 public:
  PasteReceiver() : Fl_Widget(0, 0, 0, 0) {}
  void draw() override {}
  int handle(int event) override {
    if (event != FL_PASTE) return 0;
    if (g_backend) g_backend->PasteArrived(Fl::event_text(), Fl::event_length());
    return 1;
  }
};

PasteReceiver* g_paste_receiver = nullptr;

// The program's icon: a blue square holding a white week grid.
const Fl_RGB_Image& program_icon() {
  static unsigned char pixels[32 * 32 * 3];
  static Fl_RGB_Image* image = nullptr;
  if (image) return *image;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      bool grid = x >= 4 && x < 28 && y >= 6 && y < 28 && ((x - 4) % 6 == 0 || (y - 6) % 5 == 0 || x == 27 || y == 27);
      unsigned char* p = pixels + (y * 32 + x) * 3;
      p[0] = grid ? 255 : 0;
      p[1] = grid ? 255 : 51;
      p[2] = grid ? 255 : 153;
    }
  image = new Fl_RGB_Image(pixels, 32, 32, 3);
  return *image;
}

// A modal dialog is a dialog to the window manager, as GTK and Qt type
// theirs: it gets a dialog's frame and place (kept over its owner, which it
// is transient for). It cannot be minimised either: minimised, it would
// leave its owner disabled with nothing on the screen to end the run. The
// window manager learns it from the Motif hints, listing what the window
// may do and show (its move, close and, when sizeable, resize and
// maximise) without the minimise; FLTK writes these hints again with every
// size range, so this follows each. The type goes first: a window manager
// that has the window already reads its type again when the hints (or the
// owner) change. A borderless box has no frame to type or buttons to take away.
void keep_modal_dialog_on_screen(MirrorWindow& m, Window& w) {
  auto* dialog = dynamic_cast<Dialog*>(&w);
  if (!m.shown() || !m.border() || !dialog || !dialog->IsModal()) return;
  Atom kind = XInternAtom(fl_display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  XChangeProperty(fl_display, fl_xid(&m), XInternAtom(fl_display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(&kind), 1);
  constexpr long kHintFunctions = 1, kHintDecorations = 2;
  constexpr long kFuncResize = 2, kFuncMove = 4, kFuncMaximise = 16, kFuncClose = 32;
  constexpr long kDecorBorder = 2, kDecorResizeHandles = 4, kDecorTitle = 8, kDecorMenu = 16, kDecorMaximise = 64;
  bool sizeable = (w.GetStyle() & kWsThickFrame) != 0;
  long hints[5] = {kHintFunctions | kHintDecorations, kFuncMove | kFuncClose,
                   kDecorBorder | kDecorTitle | kDecorMenu, 0, 0};
  if (sizeable) {
    hints[1] |= kFuncResize | kFuncMaximise;
    hints[2] |= kDecorResizeHandles | kDecorMaximise;
  }
  Atom motif = XInternAtom(fl_display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(fl_display, fl_xid(&m), motif, motif, 32, PropModeReplace, reinterpret_cast<unsigned char*>(hints),
                  5);
}

// The sizes the user may give a sizeable window: the least is the one the
// window keeps to (its minimum/maximum information, whole-window sizes made
// client sizes here), the largest is none unless the window sets one. FLTK
// fixes a window's size on every resize the program makes, so this is told
// again after each.
void apply_size_range(MirrorWindow& m, Window& w) {
  if (!(w.GetStyle() & kWsThickFrame)) {
    keep_modal_dialog_on_screen(m, w);
    return;
  }
  MinMaxInfo info{};
  w.SendMessage(kMsgGetMinMaxInfo, 0, reinterpret_cast<LParam>(&info));
  Rect outer = w.GetWindowRect(), client = w.GetClientRect();
  int frame_w = outer.Width() - client.Width(), frame_h = outer.Height() - client.Height();
  int least_w = std::max(80, info.min_track_size.x - frame_w), least_h = std::max(60, info.min_track_size.y - frame_h);
  int most_w = info.max_track_size.x > 0 ? std::max(least_w, info.max_track_size.x - frame_w) : 0;
  int most_h = info.max_track_size.y > 0 ? std::max(least_h, info.max_track_size.y - frame_h) : 0;
  m.size_range(least_w, least_h, most_w, most_h);
  keep_modal_dialog_on_screen(m, w);
}

// Asks the window manager to add or remove the maximised state of a shown
// window; false when there is none to ask.
bool send_maximise_request(unsigned long xid, bool maximise) {
  if (!xid || !window_manager_running()) return false;
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = xid;
  e.xclient.message_type = XInternAtom(fl_display, "_NET_WM_STATE", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = maximise ? 1 : 0;  // add or remove
  e.xclient.data.l[1] = long(XInternAtom(fl_display, "_NET_WM_STATE_MAXIMIZED_VERT", False));
  e.xclient.data.l[2] = long(XInternAtom(fl_display, "_NET_WM_STATE_MAXIMIZED_HORZ", False));
  e.xclient.data.l[3] = 1;  // from an application
  XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &e);
  XFlush(fl_display);
  return true;
}

}  // namespace

bool window_is_maximised(unsigned long xid) {
  if (!xid || !fl_display) return false;
  Atom state = XInternAtom(fl_display, "_NET_WM_STATE", False);
  Atom vert = XInternAtom(fl_display, "_NET_WM_STATE_MAXIMIZED_VERT", False);
  Atom horz = XInternAtom(fl_display, "_NET_WM_STATE_MAXIMIZED_HORZ", False);
  Atom type = None;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  bool v = false, h = false;
  if (XGetWindowProperty(fl_display, xid, state, 0, 32, False, XA_ATOM, &type, &format, &items, &after, &data) ==
          Success &&
      data && format == 32) {
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < items; ++i) {
      v = v || atoms[i] == vert;
      h = h || atoms[i] == horz;
    }
  }
  if (data) XFree(data);
  return v && h;
}

Color WindowPixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return kNoColor;
  const unsigned char* p = rgb.data() + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3;
  return ui::rgb(p[0], p[1], p[2]);
}

bool display_available() {
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name) return false;
  ::Display* d = XOpenDisplay(nullptr);
  if (!d) return false;
  XCloseDisplay(d);
  return true;
}

bool start_fltk_backend() {
  if (g_backend) return true;
  if (!display_available()) return false;
  static bool locked = false;
  if (!locked) Fl::lock();  // once per process: lets other threads wake the loop with Fl::awake
  locked = true;
  g_wake_pending = false;
  fl_open_display();
  install_font_set();
  Fl_Window::default_icon(&program_icon());
  // The name the window manager groups the program's windows under (its
  // task bar, its window switcher): without it every window is "FLTK".
  Fl_Window::default_xclass(kProgramWindowClass);
  Fl_Group* current = Fl_Group::current();
  Fl_Group::current(nullptr);
  if (!g_paste_receiver) g_paste_receiver = new PasteReceiver;
  Fl_Group::current(current);
  g_backend = new FltkBackend;
  set_backend(g_backend);
  claim_ui_thread();
  install_native_file_chooser();
  for (Window* w : top_level_windows()) {
    g_backend->TopLevelCreated(*w);
    if (w->IsWindowVisible()) g_backend->TopLevelShown(*w, true, true);
  }
  return true;
}

void stop_fltk_backend() {
  if (!g_backend) return;
  set_backend(nullptr);
  set_file_open_handler(nullptr);
  g_backend->CloseAll();
  Fl::check();
  delete g_backend;
  g_backend = nullptr;
}

void fltk_flush(double seconds) {
  if (!g_backend) return;
  g_backend->RenderDirty();
  if (seconds <= 0) {
    Fl::check();
  } else {
    MonotonicClock clock;
    std::int64_t end = clock.NowMs() + std::int64_t(seconds * 1000);
    for (std::int64_t now = clock.NowMs(); now < end; now = clock.NowMs()) Fl::wait(double(end - now) / 1000.0);
  }
  g_backend->RenderDirty();
  Fl::flush();
}

FltkBackend::FltkBackend() = default;

FltkBackend::~FltkBackend() { CloseAll(); }

MirrorWindow* FltkBackend::Find(const Window& w) {
  auto it = mirrors_.find(std::uint64_t(w.handle().ToParam()));
  return it == mirrors_.end() ? nullptr : it->second;
}

void FltkBackend::CloseAll() {
  Fl::grab(nullptr);
  for (auto& [key, m] : mirrors_) {
    m->hide();
    Fl::delete_widget(m);
  }
  mirrors_.clear();
}

void FltkBackend::Place(MirrorWindow& m, Window& w) {
  Rect c = client_on_screen(w);
  int width = std::max(1, c.Width()), height = std::max(1, c.Height());
  m.screen_rect = Rect{c.left, c.top, c.left + width, c.top + height};
  if (m.x() == c.left && m.y() == c.top && m.w() == width && m.h() == height) return;
  m.syncing = true;
  m.resize(c.left, c.top, width, height);
  m.syncing = false;
  apply_size_range(m, w);
}

void FltkBackend::TopLevelCreated(Window& w) {
  if (Find(w)) return;
  Fl_Group* current = Fl_Group::current();
  Fl_Group::current(nullptr);
  auto* m = new MirrorWindow(*this, w, client_on_screen(w));
  Fl_Group::current(current);
  m->copy_label(cp1252_to_utf8(w.GetWindowText()).c_str());
  if (w.ClientOrigin() == Point{0, 0}) {
    // Pop-up menus sit where they are put and take no focus; borderless
    // dialogs (message boxes) keep the focus but have no frame.
    m->menu = std::string_view(w.ClassName()) == "Menu" || std::string_view(w.ClassName()) == "ComboList";
    if (m->menu) m->set_override();
    else m->border(0);
  }
  if (w.GetOwner()) m->set_non_modal();
  // A sizing frame lets the user resize; other windows keep their size.
  apply_size_range(*m, w);
  mirrors_[std::uint64_t(w.handle().ToParam())] = m;
}

void FltkBackend::TopLevelDestroyed(Window& w) {
  auto it = mirrors_.find(std::uint64_t(w.handle().ToParam()));
  if (it == mirrors_.end()) return;
  MirrorWindow* m = it->second;
  mirrors_.erase(it);
  if (Fl::grab() == m) Fl::grab(nullptr);
  m->hide();
  Fl::delete_widget(m);
}

void FltkBackend::TopLevelShown(Window& w, bool show, bool activate) {
  MirrorWindow* m = Find(w);
  if (!m) return;
  if (!show) {
    if (Fl::grab() == m) Fl::grab(nullptr);
    m->hide();
    return;
  }
  Place(*m, w);
  m->dirty = true;
  // A dialog made sizeable after its creation (its class adds the thick
  // frame while it is created) is sizeable for the window manager too:
  // without a size range FLTK would give it a least and a largest size
  // equal to its size, and maximise would do nothing.
  apply_size_range(*m, w);
  // A window shown minimised from the start is mapped asking to be iconic
  // (its first hints say so): mapped first and minimised after, it raced
  // the window manager, which could show it before the request came.
  bool iconic_from_start = w.IsIconic() && !m->shown();
  bool mapping = !m->shown();
  if (iconic_from_start) {
    m->iconic = true;
    m->iconize();
  } else {
    m->show();
  }
  keep_modal_dialog_on_screen(*m, w);
  // A window mapped without activation asks the window manager not to give
  // it the keyboard (a user time of 0); one that would all the same is
  // refused once (MirrorWindow::handle), so the keys stay with the window
  // the user was in.
  if (mapping && !activate && !m->menu) {
    m->mapped_inactive = true;
    long zero = 0;
    XChangeProperty(fl_display, fl_xid(m), XInternAtom(fl_display, "_NET_WM_USER_TIME", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&zero), 1);
  }
  // A menu sees every click, so one outside it (on the desktop, on another
  // program) closes it.
  if (m->menu) Fl::grab(m);
  if (Window* owner = w.GetOwner()) {
    MirrorWindow* om = Find(*owner);
    if (om && om->shown()) XSetTransientForHint(fl_display, fl_xid(m), fl_xid(om));
  }
  if (w.IsIconic() && !iconic_from_start) {
    m->iconic = true;
    m->iconize();
  }
  // The window exists for others (the window manager, a test reading its
  // properties) once the server has handled the requests: sent is not
  // enough, as the server takes each client's requests in its own turn.
  XSync(fl_display, False);
}

void FltkBackend::TopLevelMoved(Window& w) {
  if (MirrorWindow* m = Find(w)) {
    Place(*m, w);
    m->dirty = true;
  }
}

void FltkBackend::TopLevelZoomed(Window& w, bool zoomed) {
  MirrorWindow* m = Find(w);
  if (!m || !m->shown()) return;
  // The window manager keeps its own maximised state (its title bar's
  // button, and the size a restore goes back to).
  bool shown_maximised = window_is_maximised(fl_xid(m));
  if (zoomed) {
    if (!shown_maximised) send_maximise_request(fl_xid(m), true);
    return;
  }
  // Asked even when the window manager shows no maximised state yet: the
  // program's maximise may still be on its way to it, and would otherwise
  // come after this restore.
  send_maximise_request(fl_xid(m), false);
  // A restore gives back the size the window manager saved when it
  // maximised; the program had already sized the window to the screen by
  // then, so that is no restore at all. The size before is the program's:
  // asked for after the restore, it is the one the window keeps. It is
  // asked for even when the window manager shows no maximised state any
  // more: the move to the program's size may itself have ended that state
  // (a window manager may take a resize of a maximised window as its end),
  // and the window then kept the screen's size.
  XMoveResizeWindow(fl_display, fl_xid(m), m->x(), m->y(), unsigned(std::max(1, m->w())),
                    unsigned(std::max(1, m->h())));
  XFlush(fl_display);
}

void FltkBackend::TopLevelTitled(Window& w) {
  if (MirrorWindow* m = Find(w)) m->copy_label(cp1252_to_utf8(w.GetWindowText()).c_str());
}

void FltkBackend::TopLevelActivated(Window& w) {
  MirrorWindow* m = Find(w);
  // A minimised window stays so: the keyboard given to it would have the
  // window manager restore it.
  if (m) m->mapped_inactive = false;
  if (!m || !m->shown() || !m->visible() || m->menu || m->iconic) return;
  // Raised, and given the keyboard again: after a message box closes, Esc
  // and the other keys reach the page without a click first.
  if (Fl::first_window() != m) m->show();
  if (Fl::focus() != m && !(Fl::focus() && Fl::focus()->window() == m)) Fl::focus(m);
}

void FltkBackend::GiveKeyboardBack(Window& active) {
  TopLevelActivated(active);
  MirrorWindow* m = Find(active);
  if (!m || !m->shown() || !m->visible() || m->iconic) return;
  XSetInputFocus(fl_display, fl_xid(m), RevertToParent, CurrentTime);
  XFlush(fl_display);
}

void FltkBackend::Invalidate(Window& w) {
  if (MirrorWindow* m = Find(w)) m->dirty = true;
}

void FltkBackend::RenderDirty() {
  // A paint handler may create or destroy windows: walk a copy of the handles.
  std::vector<std::uint64_t> keys;
  for (auto& [key, m] : mirrors_) keys.push_back(key);
  for (std::uint64_t key : keys) {
    auto it = mirrors_.find(key);
    if (it == mirrors_.end()) continue;
    MirrorWindow* m = it->second;
    Window* w = Window::FromHandle(m->core());
    if (!w) continue;
    bool iconic = w->IsIconic() && w->IsWindowVisible();
    if (iconic != m->iconic && m->shown()) {
      m->iconic = iconic;
      if (iconic) m->iconize();
      else m->show();
    }
    if (!m->dirty || !w->IsWindowVisible()) continue;
    m->dirty = false;
    m->list = render_window(*w);
    if (m->overlay) m->overlay->Sync();
    m->redraw();
  }
}

bool FltkBackend::WaitForEvents(std::int64_t deadline_ms, ModalFrame&) {
  RenderDirty();
  double wait = 3600;
  if (deadline_ms >= 0) wait = std::max<double>(0, double(deadline_ms - clock_.NowMs()) / 1000.0);
  Fl::wait(wait);
  return true;
}

void FltkBackend::Wake() {
  // One wake in the pipe is enough: the loop empties the whole queue.
  if (!g_wake_pending.exchange(true)) Fl::awake(wake_taken, nullptr);
}

void FltkBackend::Beep(int kind) {
  switch (kind) {
    case kBeepQuestion: fl_beep(FL_BEEP_QUESTION); break;
    case kBeepExclamation: fl_beep(FL_BEEP_ERROR); break;
    case kBeepStop: fl_beep(FL_BEEP_ERROR); break;
    default: fl_beep(FL_BEEP_DEFAULT); break;
  }
}

void FltkBackend::SetClipboardText(std::string_view text) {
  std::string utf8 = cp1252_to_utf8(text);
  Fl::copy(utf8.c_str(), int(utf8.size()), 1);
}

void FltkBackend::PasteArrived(const char* text, int length) {
  pasted_.assign(text ? text : "", text ? std::size_t(std::max(0, length)) : 0);
  paste_done_ = true;
}

std::string FltkBackend::GetClipboardText() {
  // The owner of the clipboard may be another program: its answer comes as
  // an event, waited for a short while.
  paste_done_ = false;
  pasted_.clear();
  Fl::paste(*g_paste_receiver, 1);
  std::int64_t until = clock_.NowMs() + 500;
  while (!paste_done_ && clock_.NowMs() < until) Fl::wait(0.02);
  return paste_done_ ? utf8_to_cp1252(pasted_) : std::string();
}

Point FltkBackend::GetCursorPos() {
  int x = 0, y = 0;
  Fl::get_mouse(x, y);
  return {x, y};
}

void FltkBackend::SetCursorPos(Point p) {
  XWarpPointer(fl_display, None, RootWindow(fl_display, fl_screen), 0, 0, 0, 0, p.x, p.y);
  XFlush(fl_display);
}

Rect FltkBackend::WorkArea() {
  int x = 0, y = 0, w = 0, h = 0;
  Fl::screen_work_area(x, y, w, h);
  return {x, y, x + w, y + h};
}

unsigned long native_window(Window& top) {
  MirrorWindow* m = g_backend ? g_backend->Find(top) : nullptr;
  return m && m->shown() && m->visible() ? static_cast<unsigned long>(fl_xid(m)) : 0;
}

bool window_size_hints(Window& top, Size& least, Size& largest) {
  unsigned long xid = native_window(top);
  if (!xid) return false;
  XSizeHints hints{};
  long supplied = 0;
  if (!XGetWMNormalHints(fl_display, xid, &hints, &supplied)) hints.flags = 0;
  least = (hints.flags & PMinSize) ? Size{hints.min_width, hints.min_height} : Size{0, 0};
  largest = (hints.flags & PMaxSize) ? Size{hints.max_width, hints.max_height} : Size{0, 0};
  return true;
}

namespace {

int ignore_x_error(::Display*, XErrorEvent*) { return 0; }

// The window named by a window's _NET_SUPPORTING_WM_CHECK property, 0 when
// it has none (or is gone: the error is not FLTK's to report).
::Window supporting_check(::Window of) {
  Atom check = XInternAtom(fl_display, "_NET_SUPPORTING_WM_CHECK", False);
  Atom type = None;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  XSync(fl_display, False);
  auto old = XSetErrorHandler(ignore_x_error);
  ::Window found = 0;
  if (XGetWindowProperty(fl_display, of, check, 0, 1, False, XA_WINDOW, &type, &format, &items, &after, &data) ==
          Success &&
      data && items == 1 && format == 32)
    found = *reinterpret_cast<const ::Window*>(data);
  if (data) XFree(data);
  XSync(fl_display, False);
  XSetErrorHandler(old);
  return found;
}

}  // namespace

bool window_manager_running() {
  if (!fl_display) return false;
  // A window manager that ended leaves the root's property behind: the
  // window it names must still be there and name itself.
  ::Window child = supporting_check(RootWindow(fl_display, fl_screen));
  return child != 0 && supporting_check(child) == child;
}

bool ask_window_manager_to_maximise(Window& top) { return send_maximise_request(native_window(top), true); }

bool window_manager_shows_maximised(Window& top) { return window_is_maximised(native_window(top)); }

bool read_window_pixels(Window& top, WindowPixels& out) {
  if (!g_backend) return false;
  MirrorWindow* m = g_backend->Find(top);
  if (!m || !m->shown()) return false;
  // The server maps and exposes the window in its own time: handle events
  // until it has been painted with the current list.
  MonotonicClock clock;
  std::int64_t until = clock.NowMs() + 3000;
  do {
    g_backend->RenderDirty();
    Fl::flush();
    XSync(fl_display, False);
    Fl::check();
  } while ((!m->visible_r() || m->damage() || m->dirty || !m->painted) && clock.NowMs() < until && Fl::wait(0.02) >= 0);
  if (!m->visible_r() || !m->painted) return false;
  Fl::flush();
  XSync(fl_display, False);
  out.width = m->w();
  out.height = m->h();
  out.rgb.assign(std::size_t(out.width) * std::size_t(out.height) * 3, 0);
  m->make_current();
  fl_read_image(out.rgb.data(), 0, 0, out.width, out.height);
  return true;
}

bool read_screen_pixels(const Rect& area, WindowPixels& out) {
  if (!g_backend || area.Width() <= 0 || area.Height() <= 0) return false;
  g_backend->RenderDirty();
  Fl::flush();
  XSync(fl_display, False);
  XImage* image = XGetImage(fl_display, RootWindow(fl_display, fl_screen), area.left, area.top,
                            unsigned(area.Width()), unsigned(area.Height()), AllPlanes, ZPixmap);
  if (!image) return false;
  Visual* visual = DefaultVisual(fl_display, fl_screen);
  auto channel = [](unsigned long pixel, unsigned long mask) {
    if (!mask) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    unsigned long top = mask >> shift;
    return int(((pixel & mask) >> shift) * 255 / top);
  };
  out.width = area.Width();
  out.height = area.Height();
  out.rgb.assign(std::size_t(out.width) * std::size_t(out.height) * 3, 0);
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) {
      unsigned long p = XGetPixel(image, x, y);
      unsigned char* d = &out.rgb[(std::size_t(y) * std::size_t(out.width) + std::size_t(x)) * 3];
      d[0] = static_cast<unsigned char>(channel(p, visual->red_mask));
      d[1] = static_cast<unsigned char>(channel(p, visual->green_mask));
      d[2] = static_cast<unsigned char>(channel(p, visual->blue_mask));
    }
  XDestroyImage(image);
  return true;
}

}  // namespace kt::ui
