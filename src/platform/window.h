// The window of the headless core. A Window is a C++ object that may own one
// live window at a time: created, it gets a handle (slot and generation) and
// sits in the tree with a parent, an owner, a control id, a rectangle, a
// style, a 1252 text and a font; destroyed, the object stays as it was
// built, ready to be created again. Global page objects are built before
// main and touch nothing global until they are created.
//
// Messages: SendMessage runs the window procedure now; PostMessage queues
// (from any thread). The window procedure looks in the message map first,
// then offers commands, notifications, colour requests and owner drawing to
// the control that sent them (a control answers for itself first), and only
// then calls the virtual handlers of the receiving window. After every
// window procedure the dispatch hooks run.
//
// Only the user-interface thread may call a window operation; a call from
// another thread is reported by the thread check (ui_thread.h).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_map.h"
#include "platform/ui_types.h"

namespace kt::ui {

class DeviceContext;

struct CreateParams {
  std::string class_name = "Window";
  std::string text;
  std::uint32_t style = 0;
  std::uint32_t ex_style = 0;
  Rect rect;              // in the parent's client coordinates; screen for top-level windows
  Window* parent = nullptr;
  Window* owner = nullptr;  // top-level windows only
  int id = 0;
};

// What an owner-drawn control or menu item asks its parent to draw.
struct DrawItemInfo {
  std::uint32_t ctl_type = kOdtButton;
  int ctl_id = 0;
  int item_id = 0;
  std::uint32_t state = 0;  // kOds... bits
  Window* window = nullptr;
  DeviceContext* dc = nullptr;
  Rect rect;
  std::uintptr_t item_data = 0;
};

struct MeasureItemInfo {
  std::uint32_t ctl_type = kOdtMenu;
  int ctl_id = 0;
  int item_id = 0;
  int width = 0;
  int height = 0;
  std::uintptr_t item_data = 0;
};

// kMsgCtlColor carries one of these in its lparam; the answer is a brush colour.
struct CtlColorRequest {
  DeviceContext* dc = nullptr;
  Window* control = nullptr;
  CtlType type = CtlType::kStatic;
};

struct Message {
  WindowHandle window;
  std::uint32_t message = 0;
  WParam wparam = 0;
  LParam lparam = 0;
};

inline LParam make_point_param(Point p) { return LParam((p.x & 0xFFFF) | ((p.y & 0xFFFF) << 16)); }
inline Point point_from_param(LParam l) { return {int(std::int16_t(l & 0xFFFF)), int(std::int16_t((l >> 16) & 0xFFFF))}; }
// A command carries the whole 32-bit id (page command ids pass 16 bits) and
// the notification code above it.
inline WParam make_command_param(int id, int code) {
  return WParam(std::uint32_t(id)) | (WParam(std::uint16_t(code)) << 32);
}
inline int command_id(WParam w) { return int(std::uint32_t(w & 0xFFFFFFFFu)); }
inline int command_code(WParam w) { return int(std::uint16_t((w >> 32) & 0xFFFF)); }
static_assert(sizeof(WParam) >= 8, "commands need 64-bit message parameters");

class Window {
 public:
  Window();
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // ---- life ----
  bool CreateEx(const CreateParams& params);
  // A child control of the given class: the style gains the child bit.
  bool CreateChild(const char* class_name, std::string_view text, std::uint32_t style, const Rect& r, Window* parent,
                   int id);
  // Returns 1 when the window is gone, anything else when it refused
  // (a page with unsaved changes); the object always survives.
  virtual int DestroyWindow();
  WindowHandle handle() const { return handle_; }
  bool IsWindow() const { return bool(handle_); }
  static Window* FromHandle(WindowHandle h);
  static bool IsWindow(WindowHandle h) { return FromHandle(h) != nullptr; }
  // The core deletes the object after its window is destroyed (generic
  // controls made from templates).
  void SetAutoDelete(bool on) { auto_delete_ = on; }
  virtual const char* ClassName() const { return class_name_.c_str(); }

  // ---- tree ----
  Window* GetParent() const { return parent_; }
  Window* GetOwner() const { return owner_; }
  Window* GetTopLevel();
  const std::vector<Window*>& Children() const { return children_; }
  int GetDlgCtrlID() const { return id_; }
  void SetDlgCtrlID(int id) { id_ = id; }
  Window* GetDlgItem(int id) const;
  bool IsChild(const Window* w) const;  // w is a descendant
  void SetParent(Window* parent);

  // ---- state ----
  virtual void SetWindowText(std::string_view text);
  std::string GetWindowText() const { return text_; }
  // Copies at most size - 1 bytes and a terminating zero; returns the count.
  int GetWindowText(char* buffer, int size) const;
  int GetWindowTextLength() const { return int(text_.size()); }
  std::uint32_t GetStyle() const { return style_; }
  std::uint32_t GetExStyle() const { return ex_style_; }
  void ModifyStyle(std::uint32_t remove, std::uint32_t add);
  void ModifyStyleEx(std::uint32_t remove, std::uint32_t add);
  bool EnableWindow(bool enable);  // returns whether it was disabled before
  bool IsWindowEnabled() const { return IsWindow() && !(style_ & kWsDisabled); }
  bool IsEnabledWithAncestors() const;
  bool ShowWindow(int cmd);  // returns whether it was visible before
  bool IsWindowVisible() const;
  bool IsZoomed() const { return (style_ & kWsMaximize) != 0; }
  // The screen maximised or restored a top-level window itself (the user,
  // through the window manager): only the state changes, the size comes as
  // a placement. The size before it is kept for a later restore.
  void NoteZoomed(bool zoomed);
  // What the screen shows of a top-level window's maximised state, with
  // each placement it reports. While a maximise or restore the program
  // asked for is on its way, the window manager shows the state before it
  // (and places the window at the size the program gave it first): that is
  // no change by the user. Once it shows the state asked for, any other is.
  void NoteScreenZoomed(bool shown_maximised);
  bool IsIconic() const { return (style_ & kWsMinimize) != 0; }
  void SetFont(const Font& font, bool redraw = true);
  Font GetFont() const;

  // ---- geometry ----
  Rect GetWindowRect() const;      // screen
  Rect GetClientRect() const;      // (0,0,w,h)
  Rect GetRectInParent() const { return rect_; }
  void MoveWindow(const Rect& r, bool repaint = true);
  void MoveWindow(int x, int y, int w, int h, bool repaint = true) { MoveWindow(Rect{x, y, x + w, y + h}, repaint); }
  // Position, size, stacking and showing in one call (kSwp... flags); after
  // kHwndTop / kHwndBottom or a sibling, the window moves in its parent's
  // child order, which is also the Tab order.
  bool SetWindowPos(const Window* insert_after, int x, int y, int cx, int cy, std::uint32_t flags);
  // Centres a top-level window over its owner (or the work area).
  void CenterWindow();
  Point ClientToScreen(Point p) const;
  Rect ClientToScreen(Rect r) const;
  Point ScreenToClient(Point p) const;
  Rect ScreenToClient(Rect r) const;
  // The client area's offset inside the window rectangle (caption, borders).
  Point ClientOrigin() const;
  Window* ChildFromPoint(Point client) const;  // deepest visible descendant, or this
  // The part of the parent's client area in which a child shows and takes
  // the mouse, as a window region does: a page larger than the room its
  // parent gives it is cut to that room, and what lies beyond is neither
  // painted nor hit. None set (every new window): the whole window.
  void SetVisibleArea(const Rect& in_parent);
  const Rect* VisibleArea() const { return has_visible_area_ ? &visible_area_ : nullptr; }
  // Where the client area can be seen, in the top-level window's client
  // coordinates: cut by its own and every ancestor's client area and
  // visible area (what a screen may paint of it).
  Rect GetVisibleClientRect() const;

  // ---- painting ----
  void Invalidate(bool erase = true);
  void RedrawWindow() { Invalidate(); }
  virtual void OnEraseBackground(DeviceContext& dc);
  virtual void OnPaint(DeviceContext& dc);
  // Asks the parent for colours (kMsgCtlColor); returns the brush colour or
  // kNoColor when nobody answered.
  Color RequestColors(DeviceContext& dc, CtlType type);

  // ---- focus and activation ----
  Window* SetFocus();
  static Window* GetFocus();
  static Window* GetActiveWindow();
  void SetActiveWindow();
  // Mouse capture: while set, every mouse message goes to this window.
  void SetCapture();
  static void ReleaseCapture();
  static Window* GetCapture();
  // The control that had the focus when this top-level window was left.
  Window* LastFocus() const { return FromHandle(last_focus_); }

  // ---- messages ----
  LResult SendMessage(std::uint32_t message, WParam w = 0, LParam l = 0);
  bool PostMessage(std::uint32_t message, WParam w = 0, LParam l = 0);
  // Tells the parent: command (code, id, this) or notification.
  void NotifyParentCommand(int code);
  LResult NotifyParent(NotifyHeader& header);

  // ---- timers ----
  WParam SetTimer(WParam id, std::uint32_t elapse_ms);
  bool KillTimer(WParam id);

  // ---- dialog item helpers ----
  void SetDlgItemText(int id, std::string_view text);
  std::string GetDlgItemText(int id) const;
  int GetDlgItemText(int id, char* buffer, int size) const;
  void SetDlgItemInt(int id, int value);
  int GetDlgItemInt(int id, bool* ok = nullptr) const;
  void CheckDlgButton(int id, int state);
  int IsDlgButtonChecked(int id) const;
  void CheckRadioButton(int first, int last, int check);
  bool EnableDlgItem(int id, bool enable);
  bool ShowDlgItem(int id, int cmd);

  // ---- keyboard interface of controls ----
  static constexpr unsigned kWantArrows = 1, kWantTab = 2, kWantAllKeys = 4, kWantChars = 0x80,
                            kButtonCode = 0x2000, kDefPushCode = 0x10, kUndefPushCode = 0x20,
                            kRadioCode = 0x40, kStaticCode = 0x100;
  virtual unsigned GetDlgCode(int key) const { return 0; }
  // A click from the keyboard (Space, Enter on a focused button, mnemonic).
  virtual void Click() {}
  virtual bool PreTranslateMessage(Message& msg) { return false; }

 protected:
  virtual LResult WindowProc(std::uint32_t message, WParam w, LParam l);
  LResult DefWindowProc(std::uint32_t message, WParam w, LParam l);
  virtual const MessageMap* GetMessageMap() const;
  static const MessageMap* ThisMessageMap();
  // Looks a message up in the maps; true when a handler ran.
  bool RouteThroughMaps(std::uint32_t message, WParam w, LParam l, LResult* result);

  // Overridables called by the default window procedure.
  virtual bool OnCreate() { return true; }
  virtual void OnDestroy() {}
  virtual void PostNcDestroy() {}
  virtual bool OnCommand(WParam w, LParam l);
  virtual bool OnNotify(WParam w, LParam l, LResult* result);
  // The reflection of a child's message: commands, notifications, colour
  // requests and drawing come here first; true when the child answered.
  virtual bool OnChildNotify(std::uint32_t message, WParam w, LParam l, LResult* result);
  virtual Color CtlColor(DeviceContext& dc, CtlType type) { return kNoColor; }
  virtual bool DrawItem(DrawItemInfo& info) { return false; }
  virtual Color OnCtlColor(DeviceContext& dc, Window* control, CtlType type) { return kNoColor; }
  virtual void OnDrawItem(int id, DrawItemInfo& info) {}
  virtual void OnMeasureItem(int id, MeasureItemInfo& info) {}
  virtual void OnTimer(WParam id) {}
  virtual void OnSize(int type, int cx, int cy) {}
  virtual void OnMove(int x, int y) {}
  virtual void OnShowWindow(bool show) {}
  virtual void OnEnable(bool enable) {}
  virtual void OnActivate(bool active) {}
  virtual void OnSetFocus(Window* old) {}
  virtual void OnKillFocus(Window* next) {}
  virtual void OnKeyDown(int key, unsigned mods) {}
  virtual void OnKeyUp(int key, unsigned mods) {}
  virtual void OnChar(unsigned char ch, unsigned mods) {}
  virtual void OnLButtonDown(Point p, unsigned mods) {}
  virtual void OnLButtonUp(Point p, unsigned mods) {}
  virtual void OnLButtonDblClk(Point p, unsigned mods) { OnLButtonDown(p, mods); }
  virtual void OnRButtonDown(Point p, unsigned mods) {}
  virtual void OnRButtonUp(Point p, unsigned mods) {}
  virtual void OnMouseMove(Point p, unsigned mods) {}
  virtual void OnMouseWheel(int delta, Point p) {}
  virtual void OnClose() { DestroyWindow(); }
  virtual void OnSysCommand(WParam command, LParam l) {}
  virtual void OnSetText() {}

  // Destroys without asking (parents take their children, owners their
  // owned windows, and the window object's destructor).
  void DestroyNow();

 private:
  friend struct UiInternals;

  void ApplyEnable(bool enable);
  void ApplyZoom(bool zoom);
  void Detach();

  WindowHandle handle_;
  Window* parent_ = nullptr;
  Window* owner_ = nullptr;
  std::vector<Window*> children_;
  int id_ = 0;
  std::uint32_t style_ = 0;
  std::uint32_t ex_style_ = 0;
  Rect rect_;
  bool has_visible_area_ = false;
  Rect visible_area_;  // in the parent's client coordinates
  Rect normal_rect_;  // a maximised top-level window's size before
  // The maximised state the program last asked of the screen, until the
  // screen shows it (-1: none on its way).
  int zoom_asked_ = -1;
  std::string text_;
  std::string class_name_ = "Window";
  Font font_;
  bool has_font_ = false;
  WindowHandle last_focus_;
  bool auto_delete_ = false;
  bool destroying_ = false;
  int busy_ = 0;  // window procedures of this object on the stack
};

// Stacking places for SetWindowPos: first or last among the siblings.
inline const Window* const kHwndTop = nullptr;
inline const Window* const kHwndBottom = reinterpret_cast<const Window*>(std::uintptr_t(1));

// The dispatch hook: runs after every window procedure (sent or posted).
using DispatchHook = std::function<void(const Message&, LResult)>;
int add_dispatch_hook(DispatchHook hook);
void remove_dispatch_hook(int id);

// Every live top-level window, in creation order.
std::vector<Window*> top_level_windows();
// Destroys every window and empties the queue and the timers (test set-up
// and program exit).
void reset_ui();

}  // namespace kt::ui

#include "platform/display_list.h"

namespace kt::ui {
// Paints a top-level window and everything visible in it (background, own
// painting, then the children in creation order, each clipped to its parent).
DisplayList render_window(Window& top);
}  // namespace kt::ui
