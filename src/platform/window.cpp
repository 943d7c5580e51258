// Window life, tree, state and geometry (see window.h). The handle table
// reuses slots and bumps their generation on every release, so a handle kept
// by a timer, a posted message or a page never reaches a later window.
// Destroying a window first destroys the top-level windows it owns, then
// tells the window and its children (parents before children), removes its
// timers and releases the handles; auto-delete objects are deleted later,
// once no window procedure of theirs is still running.
#include "platform/window.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/device_context.h"
#include "platform/ui_internals.h"
#include "platform/ui_thread.h"

namespace kt::ui {

UiState& ui_state() {
  static UiState* state = new UiState;  // never destroyed: windows may outlive static destruction order
  return *state;
}

namespace {

// Non-client sizes of top-level windows.
constexpr int kBorder = 3;
constexpr int kCaption = 19;

bool has_frame(std::uint32_t style) { return (style & (kWsCaption | kWsThickFrame | kWsBorder | kDsModalFrame)) != 0; }

}  // namespace

Window::Window() = default;

Window::~Window() {
  if (IsWindow()) DestroyNow();
  UiState& s = ui_state();
  s.graveyard.erase(std::remove(s.graveyard.begin(), s.graveyard.end(), this), s.graveyard.end());
}

Window* Window::FromHandle(WindowHandle h) {
  UiState& s = ui_state();
  if (h.slot == 0 || h.slot >= s.slots.size()) return nullptr;
  const UiState::Slot& slot = s.slots[h.slot];
  return slot.generation == h.generation ? slot.window : nullptr;
}

bool Window::CreateChild(const char* class_name, std::string_view text, std::uint32_t style, const Rect& r,
                         Window* parent, int id) {
  CreateParams p;
  p.class_name = class_name;
  p.text = std::string(text);
  p.style = style | kWsChild;
  p.rect = r;
  p.parent = parent;
  p.id = id;
  return CreateEx(p);
}

bool Window::CreateEx(const CreateParams& p) {
  check_ui_thread("CreateWindow");
  if (IsWindow()) return false;
  if (p.parent && !p.parent->IsWindow()) return false;
  UiState& s = ui_state();
  std::uint32_t slot;
  if (!s.free_slots.empty()) {
    slot = s.free_slots.back();
    s.free_slots.pop_back();
  } else {
    slot = std::uint32_t(s.slots.size());
    s.slots.push_back({});
  }
  UiState::Slot& entry = s.slots[slot];
  entry.generation++;
  entry.window = this;
  handle_ = {slot, entry.generation};
  class_name_ = p.class_name;
  text_ = p.text;
  style_ = p.style;
  ex_style_ = p.ex_style;
  rect_ = p.rect;
  has_visible_area_ = false;
  id_ = p.id;
  parent_ = p.parent;
  owner_ = p.parent ? nullptr : p.owner;
  if (owner_) owner_ = owner_->GetTopLevel();
  last_focus_ = {};
  if (parent_) {
    parent_->children_.push_back(this);
  } else {
    backend().TopLevelCreated(*this);
  }
  if (!dispatch_to(*this, kMsgCreate, 0, 0)) {
    DestroyNow();
    return false;
  }
  if (!parent_ && (style_ & kWsVisible)) backend().TopLevelShown(*this, true, true);
  return IsWindow();
}

int Window::DestroyWindow() {
  check_ui_thread("DestroyWindow");
  if (!IsWindow()) return 0;
  DestroyNow();
  return 1;
}

void Window::DestroyNow() {
  if (!IsWindow() || destroying_) return;
  destroying_ = true;
  UiState& s = ui_state();
  // Owned top-level windows go first, as with any owner.
  for (std::size_t i = 1; i < s.slots.size(); ++i) {
    Window* w = s.slots[i].window;
    if (w && w->owner_ == this && !w->destroying_) w->DestroyNow();
  }
  if (IsChild(FromHandle(s.focus)) || FromHandle(s.focus) == this) s.focus = {};
  if (s.active == handle_) s.active = {};
  if (s.capture == handle_) s.capture = {};
  for (ModalFrame* f : s.modal_stack)
    if (f->window == this && !f->ended) {
      f->ended = true;
      if (f->result == 0) f->result = -1;
    }
  dispatch_to(*this, kMsgDestroy, 0, 0);
  std::vector<Window*> kids = children_;
  for (Window* c : kids) c->DestroyNow();
  UiInternals::RemoveTimersOf(handle_);
  if (parent_) {
    auto& sib = parent_->children_;
    sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
    parent_->Invalidate();
  } else {
    backend().TopLevelDestroyed(*this);
  }
  s.slots[handle_.slot].window = nullptr;
  s.free_slots.push_back(handle_.slot);
  handle_ = {};
  parent_ = nullptr;
  owner_ = nullptr;
  children_.clear();
  destroying_ = false;
  PostNcDestroy();
  if (auto_delete_) s.graveyard.push_back(this);
}

Window* Window::GetTopLevel() {
  Window* w = this;
  while (w->parent_) w = w->parent_;
  return w;
}

Window* Window::GetDlgItem(int id) const {
  for (Window* c : children_)
    if (c->id_ == id) return c;
  return nullptr;
}

bool Window::IsChild(const Window* w) const {
  for (const Window* p = w ? w->parent_ : nullptr; p; p = p->parent_)
    if (p == this) return true;
  return false;
}

void Window::SetParent(Window* parent) {
  check_ui_thread("SetParent");
  if (!IsWindow() || parent == parent_ || (parent && (parent == this || IsChild(parent)))) return;
  if (parent_) {
    auto& sib = parent_->children_;
    sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
  }
  parent_ = parent;
  if (parent_) parent_->children_.push_back(this);
  Invalidate();
}

void Window::SetWindowText(std::string_view text) {
  check_ui_thread("SetWindowText");
  text_ = std::string(text);
  if (!IsWindow()) return;
  OnSetText();
  if (!parent_) backend().TopLevelTitled(*this);
  Invalidate();
}

void Window::ModifyStyle(std::uint32_t remove, std::uint32_t add) {
  bool was_enabled = !(style_ & kWsDisabled);
  style_ = (style_ & ~remove) | add;
  if (was_enabled != !(style_ & kWsDisabled)) ApplyEnable(was_enabled);
  Invalidate();
}

void Window::ModifyStyleEx(std::uint32_t remove, std::uint32_t add) { ex_style_ = (ex_style_ & ~remove) | add; }

void Window::ApplyEnable(bool was_enabled) {
  bool enable = !(style_ & kWsDisabled);
  if (!enable && was_enabled) {
    UiState& s = ui_state();
    Window* f = FromHandle(s.focus);
    if (f && (f == this || IsChild(f))) {
      s.focus = {};
      dispatch_to(*f, kMsgKillFocus, 0, 0);
    }
  }
  if (IsWindow() && enable != was_enabled) dispatch_to(*this, kMsgEnable, enable, 0);
}

bool Window::EnableWindow(bool enable) {
  check_ui_thread("EnableWindow");
  bool was_disabled = (style_ & kWsDisabled) != 0;
  if (!IsWindow() || was_disabled == !enable) return was_disabled;
  if (enable) style_ &= ~kWsDisabled;
  else style_ |= kWsDisabled;
  ApplyEnable(was_disabled == false);
  Invalidate();
  return was_disabled;
}

bool Window::IsEnabledWithAncestors() const {
  for (const Window* w = this; w; w = w->parent_)
    if (!w->IsWindowEnabled()) return false;
  return true;
}

bool Window::ShowWindow(int cmd) {
  check_ui_thread("ShowWindow");
  bool was = (style_ & kWsVisible) != 0;
  if (!IsWindow()) return was;
  bool show = cmd != kSwHide;
  bool was_zoomed = IsZoomed();
  if (cmd == kSwShowMaximized) style_ |= kWsMaximize;
  if (cmd == kSwRestore || cmd == kSwShowNormal) style_ &= ~(kWsMaximize | kWsMinimize);
  if (cmd == kSwMinimize || cmd == kSwShowMinimized) style_ |= kWsMinimize;
  if (!parent_ && IsZoomed() != was_zoomed) {
    ApplyZoom(IsZoomed());
    if (!IsWindow()) return was;
  }
  if (show == was) {
    if (show && !parent_ && cmd != kSwShowNa && cmd != kSwShowNoActivate) SetActiveWindow();
    return was;
  }
  if (show) style_ |= kWsVisible;
  else style_ &= ~kWsVisible;
  UiState& s = ui_state();
  if (!show) {
    Window* f = FromHandle(s.focus);
    if (f && (f == this || IsChild(f))) {
      s.focus = {};
      dispatch_to(*f, kMsgKillFocus, 0, 0);
    }
  }
  dispatch_to(*this, kMsgShowWindow, show, 0);
  if (!IsWindow()) return was;
  if (!parent_) {
    bool activate = cmd != kSwShowNa && cmd != kSwShowNoActivate;
    backend().TopLevelShown(*this, show, activate);
    if (show && activate) SetActiveWindow();
    if (!show && s.active == handle_) {
      s.active = {};
      if (owner_ && owner_->IsWindowVisible() && owner_->IsWindowEnabled()) owner_->SetActiveWindow();
    }
  } else {
    parent_->Invalidate();
  }
  return was;
}

// A top-level window maximised by the program fills the screen's work area
// and keeps its size before, which a restore gives back; the backend shows
// it maximised the screen's way (a window manager's maximised state).
void Window::ApplyZoom(bool zoom) {
  if (zoom) {
    normal_rect_ = rect_;
    MoveWindow(backend().WorkArea());
  } else if (normal_rect_.Width() > 0 && normal_rect_.Height() > 0) {
    MoveWindow(normal_rect_);
  }
  zoom_asked_ = zoom ? 1 : 0;
  if (IsWindow()) backend().TopLevelZoomed(*this, zoom);
}

void Window::NoteScreenZoomed(bool shown_maximised) {
  if (!IsWindow() || parent_) return;
  if (zoom_asked_ >= 0) {
    if (shown_maximised == (zoom_asked_ == 1)) zoom_asked_ = -1;
    return;
  }
  NoteZoomed(shown_maximised);
}

void Window::NoteZoomed(bool zoomed) {
  if (!IsWindow() || parent_ || zoomed == IsZoomed()) return;
  if (zoomed) normal_rect_ = rect_;
  ModifyStyle(zoomed ? 0 : kWsMaximize, zoomed ? kWsMaximize : 0);
}

bool Window::IsWindowVisible() const {
  if (!IsWindow()) return false;
  for (const Window* w = this; w; w = w->parent_)
    if (!(w->style_ & kWsVisible)) return false;
  return true;
}

void Window::SetFont(const Font& font, bool redraw) {
  font_ = font;
  has_font_ = true;
  if (redraw) Invalidate();
}

Font Window::GetFont() const {
  for (const Window* w = this; w; w = w->parent_)
    if (w->has_font_) return w->font_;
  return Font{};
}

Point Window::ClientOrigin() const {
  if (parent_ || !has_frame(style_)) return {0, 0};
  int top = kBorder + ((style_ & kWsCaption) == kWsCaption ? kCaption : 0);
  return {kBorder, top};
}

Rect Window::GetClientRect() const {
  Point o = ClientOrigin();
  int w = rect_.Width() - (o.x ? 2 * o.x : 0);
  int h = rect_.Height() - (o.y ? o.y + o.x : 0);
  return {0, 0, std::max(0, w), std::max(0, h)};
}

Point Window::ClientToScreen(Point p) const {
  Point o = ClientOrigin();
  Point here{p.x + rect_.left + o.x, p.y + rect_.top + o.y};
  return parent_ ? parent_->ClientToScreen(here) : here;
}

Rect Window::ClientToScreen(Rect r) const {
  Point a = ClientToScreen(r.TopLeft());
  return {a.x, a.y, a.x + r.Width(), a.y + r.Height()};
}

Point Window::ScreenToClient(Point p) const {
  Point origin = ClientToScreen(Point{0, 0});
  return {p.x - origin.x, p.y - origin.y};
}

Rect Window::ScreenToClient(Rect r) const {
  Point a = ScreenToClient(r.TopLeft());
  return {a.x, a.y, a.x + r.Width(), a.y + r.Height()};
}

Rect Window::GetWindowRect() const {
  if (!parent_) return rect_;
  return parent_->ClientToScreen(rect_);
}

void Window::MoveWindow(const Rect& r, bool repaint) {
  check_ui_thread("MoveWindow");
  Rect old = rect_;
  rect_ = r;
  if (!IsWindow()) return;
  if (old.TopLeft() != r.TopLeft()) dispatch_to(*this, kMsgMove, 0, make_point_param(r.TopLeft()));
  if (IsWindow() && (old.Width() != r.Width() || old.Height() != r.Height())) {
    Rect c = GetClientRect();
    dispatch_to(*this, kMsgSize, IsZoomed() ? 2 : 0, make_point_param({c.right, c.bottom}));
  }
  if (!IsWindow()) return;
  if (!parent_) backend().TopLevelMoved(*this);
  if (repaint) {
    Invalidate();
    if (parent_) parent_->Invalidate();
  }
}

bool Window::SetWindowPos(const Window* insert_after, int x, int y, int cx, int cy, std::uint32_t flags) {
  check_ui_thread("SetWindowPos");
  if (!IsWindow()) return false;
  if (!(flags & kSwpNoZOrder) && parent_) {
    auto& sib = parent_->children_;
    sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
    auto at = std::find(sib.begin(), sib.end(), insert_after);
    if (insert_after == kHwndTop) sib.insert(sib.begin(), this);
    else if (insert_after == kHwndBottom || at == sib.end()) sib.push_back(this);
    else sib.insert(at + 1, this);
  }
  Rect r = rect_;
  if (!(flags & kSwpNoMove)) r = r.Offset(x - r.left, y - r.top);
  if (!(flags & kSwpNoSize)) r = {r.left, r.top, r.left + cx, r.top + cy};
  if (r != rect_) MoveWindow(r, !(flags & kSwpNoRedraw));
  if (IsWindow() && (flags & kSwpShowWindow)) ShowWindow((flags & kSwpNoActivate) ? kSwShowNa : kSwShow);
  if (IsWindow() && (flags & kSwpHideWindow)) ShowWindow(kSwHide);
  return IsWindow();
}

// Over its owner, but on the screen: an owner dragged partly off the screen
// or standing at its edge would otherwise take half the box out of reach.
void Window::CenterWindow() {
  if (!IsWindow() || parent_) return;
  Rect around = owner_ && owner_->IsWindow() ? owner_->GetWindowRect() : backend().WorkArea();
  int w = rect_.Width(), h = rect_.Height();
  Rect centred{around.left + (around.Width() - w) / 2, around.top + (around.Height() - h) / 2, 0, 0};
  centred.right = centred.left + w;
  centred.bottom = centred.top + h;
  MoveWindow(keep_in_work_area(centred));
}

Rect keep_in_work_area(const Rect& r) {
  Rect work = backend().WorkArea();
  int w = r.Width(), h = r.Height();
  int left = std::max(work.left, std::min(r.left, work.right - w));
  int top = std::max(work.top, std::min(r.top, work.bottom - h));
  return Rect{left, top, left + w, top + h};
}

Window* Window::ChildFromPoint(Point client) const {
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    Window* c = *it;
    if (!(c->style_ & kWsVisible) || !c->rect_.Contains(client)) continue;
    if (c->has_visible_area_ && !c->visible_area_.Contains(client)) continue;
    // A group box is a frame, not a surface: clicks fall through to what it holds.
    if (std::string_view(c->ClassName()) == "Button" && (c->style_ & kBsTypeMask) == kBsGroupBox) continue;
    return c->ChildFromPoint({client.x - c->rect_.left, client.y - c->rect_.top});
  }
  return const_cast<Window*>(this);
}

void Window::SetVisibleArea(const Rect& in_parent) {
  if (has_visible_area_ && visible_area_ == in_parent) return;
  has_visible_area_ = true;
  visible_area_ = in_parent;
  Invalidate();
}

Rect Window::GetVisibleClientRect() const {
  const Window* top = this;
  while (top->parent_) top = top->parent_;
  Point origin = top->ClientToScreen(Point{0, 0});
  auto in_top = [&](const Rect& screen) { return screen.Offset(-origin.x, -origin.y); };
  Rect r = top->GetClientRect();
  for (const Window* w = this; w->parent_; w = w->parent_) {
    r = r.Intersect(in_top(w->ClientToScreen(w->GetClientRect())));
    if (w->has_visible_area_) r = r.Intersect(in_top(w->parent_->ClientToScreen(w->visible_area_)));
  }
  return r;
}

void Window::Invalidate(bool) {
  if (!IsWindow()) return;
  backend().Invalidate(*GetTopLevel());
}

void Window::OnEraseBackground(DeviceContext&) {}
void Window::OnPaint(DeviceContext&) {}

Color Window::RequestColors(DeviceContext& dc, CtlType type) {
  if (!parent_) return kNoColor;
  CtlColorRequest req{&dc, this, type};
  return Color(parent_->SendMessage(kMsgCtlColor, 0, reinterpret_cast<LParam>(&req)));
}

// ---- focus and activation ----

Window* Window::GetFocus() { return FromHandle(ui_state().focus); }
void Window::SetCapture() { ui_state().capture = handle_; }
void Window::ReleaseCapture() { ui_state().capture = {}; }
Window* Window::GetCapture() { return FromHandle(ui_state().capture); }
Window* Window::GetActiveWindow() { return FromHandle(ui_state().active); }

Window* Window::SetFocus() {
  check_ui_thread("SetFocus");
  UiState& s = ui_state();
  Window* old = FromHandle(s.focus);
  if (!IsWindow() || !IsEnabledWithAncestors()) return old;
  if (old == this) return old;
  Window* top = GetTopLevel();
  if (s.active != top->handle_) {
    s.active = top->handle_;
    backend().TopLevelActivated(*top);
  }
  s.focus = handle_;
  top->last_focus_ = handle_;
  if (old) dispatch_to(*old, kMsgKillFocus, WParam(handle_.ToParam()), 0);
  if (IsWindow() && s.focus == handle_)
    dispatch_to(*this, kMsgSetFocus, old ? WParam(old->handle_.ToParam()) : 0, 0);
  return old;
}

void Window::SetActiveWindow() {
  check_ui_thread("SetActiveWindow");
  if (!IsWindow()) return;
  Window* top = GetTopLevel();
  UiState& s = ui_state();
  if (s.active != top->handle_) {
    Window* old = FromHandle(s.active);
    s.active = top->handle_;
    if (old) dispatch_to(*old, kMsgActivate, 0, 0);
    backend().TopLevelActivated(*top);
    dispatch_to(*top, kMsgActivate, 1, 0);
  }
  Window* f = FromHandle(s.focus);
  if (f && f->GetTopLevel() == top) return;
  Window* last = top->LastFocus();
  if (last && last->IsWindowVisible() && last->IsEnabledWithAncestors()) last->SetFocus();
  else if (top->IsWindowEnabled()) top->SetFocus();
}

// ---- messages ----

LResult Window::SendMessage(std::uint32_t message, WParam w, LParam l) {
  check_ui_thread("SendMessage");
  if (!IsWindow()) return 0;
  return dispatch_to(*this, message, w, l);
}

void Window::NotifyParentCommand(int code) {
  if (parent_) parent_->SendMessage(kMsgCommand, make_command_param(id_, code), handle_.ToParam());
}

LResult Window::NotifyParent(NotifyHeader& header) {
  header.from = handle_;
  header.id = id_;
  header.window = this;
  if (!parent_) return 0;
  return parent_->SendMessage(kMsgNotify, WParam(id_), reinterpret_cast<LParam>(&header));
}

// ---- dialog item helpers ----

void Window::SetDlgItemText(int id, std::string_view text) {
  if (Window* c = GetDlgItem(id)) c->SetWindowText(text);
}

std::string Window::GetDlgItemText(int id) const {
  Window* c = GetDlgItem(id);
  return c ? c->GetWindowText() : std::string();
}

int Window::GetWindowText(char* buffer, int size) const {
  if (!buffer || size <= 0) return 0;
  int n = std::min(int(text_.size()), size - 1);
  text_.copy(buffer, std::size_t(n));
  buffer[n] = '\0';
  return n;
}

int Window::GetDlgItemText(int id, char* buffer, int size) const {
  Window* c = GetDlgItem(id);
  if (c) return c->GetWindowText(buffer, size);
  if (buffer && size > 0) buffer[0] = '\0';
  return 0;
}

void Window::SetDlgItemInt(int id, int value) { SetDlgItemText(id, std::to_string(value)); }

int Window::GetDlgItemInt(int id, bool* ok) const {
  std::string t = GetDlgItemText(id);
  char* end = nullptr;
  long v = std::strtol(t.c_str(), &end, 10);
  bool good = !t.empty() && end && *end == '\0';
  if (ok) *ok = good;
  return good ? int(v) : 0;
}

bool Window::EnableDlgItem(int id, bool enable) {
  Window* c = GetDlgItem(id);
  return c ? c->EnableWindow(enable) : false;
}

bool Window::ShowDlgItem(int id, int cmd) {
  Window* c = GetDlgItem(id);
  return c ? c->ShowWindow(cmd) : false;
}

// The button-state helpers go through the button's own messages so that a
// page's own button class can keep its state its own way.

void Window::CheckDlgButton(int id, int state) {
  if (Window* c = GetDlgItem(id)) c->SendMessage(kMsgButtonSetCheck, WParam(state), 0);
}

int Window::IsDlgButtonChecked(int id) const {
  Window* c = GetDlgItem(id);
  return c ? int(c->SendMessage(kMsgButtonGetCheck, 0, 0)) : 0;
}

void Window::CheckRadioButton(int first, int last, int check) {
  for (Window* c : children_)
    if (c->id_ >= first && c->id_ <= last) c->SendMessage(kMsgButtonSetCheck, c->id_ == check ? 1 : 0, 0);
}

std::vector<Window*> top_level_windows() {
  std::vector<Window*> out;
  UiState& s = ui_state();
  for (std::size_t i = 1; i < s.slots.size(); ++i)
    if (s.slots[i].window && !s.slots[i].window->GetParent()) out.push_back(s.slots[i].window);
  return out;
}

}  // namespace kt::ui
