// Dialog creation from templates, modal and modeless runs, data exchange
// and the dialog's own command defaults (see dialog.h). Keyboard rules are
// in dialog_keyboard.cpp. A modal run keeps its state in a frame on its own
// stack; EndDialog, the window's destruction and the object's destruction
// all end that frame, so whichever comes first the loop unwinds once and
// the owner is enabled again before the dialog window goes away.
#include "platform/dialog.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/controls/combo_box.h"
#include "platform/controls/edit.h"
#include "platform/controls/list_box.h"
#include "platform/device_context.h"
#include "platform/ui_internals.h"
#include "platform/ui_thread.h"

namespace kt::ui {

namespace {
TemplateCaptionTranslator g_caption_translator = nullptr;
}  // namespace

void set_template_caption_translator(TemplateCaptionTranslator translator) { g_caption_translator = translator; }


namespace {
std::function<void(Dialog&)>& modal_observer() {
  static auto* f = new std::function<void(Dialog&)>;
  return *f;
}
}  // namespace

void set_modal_observer(std::function<void(Dialog&)> observer) { modal_observer() = std::move(observer); }

void run_modal_loop(ModalFrame& frame) {
  UiState& s = ui_state();
  s.modal_stack.push_back(&frame);
  while (!frame.ended) {
    if (frame.window && !frame.window->IsWindow()) break;
    if (pump_one()) continue;
    if (!backend().WaitForEvents(next_timer_due(), frame) && !frame.ended) {
      report_ui_problem("modal run of " + std::string(frame.window ? frame.window->GetWindowText() : "a menu") +
                        " abandoned: nothing could end it");
      frame.ended = true;
      frame.result = frame.kind == ModalFrame::Kind::kDialog ? kIdCancel : 0;
    }
  }
  s.modal_stack.erase(std::remove(s.modal_stack.begin(), s.modal_stack.end(), &frame), s.modal_stack.end());
}

// ---- data exchange ----

void DataExchange::Control(int id, Window& control) {
  if (mode_ == Mode::kBind) bindings_.emplace_back(id, &control);
}

Size dialog_template_client_size(const DialogTemplate& t) {
  Font font;
  font.face = t.font_face ? t.font_face : "MS Sans Serif";
  font.points = t.font_points;
  Rect client = dialog_units_to_pixels(t.x, t.y, t.cx, t.cy, backend().metrics().DialogBaseUnits(font));
  return {client.Width(), client.Height()};
}

// ---- dialog ----

Dialog::Dialog(int template_id, Window* parent) : template_id_(template_id), parent_hint_(parent) {}

Dialog::~Dialog() {
  if (modal_) {
    modal_->ended = true;
    modal_ = nullptr;
  }
}

std::vector<int> Dialog::BoundControlIds() {
  DataExchange dx(*this, DataExchange::Mode::kBind);
  DoDataExchange(dx);
  std::vector<int> ids;
  for (auto& [id, w] : dx.bindings()) ids.push_back(id);
  return ids;
}

bool Dialog::CreateFromTemplate(const DialogTemplate& t, Window* parent, bool modal) {
  std::uint32_t style = (t.style & ~create_remove_) | create_add_;
  bool child = !modal && (style & kWsChild) && parent;
  if (child) style &= ~kWsPopup;
  else style = (style & ~kWsChild) | kWsPopup;
  bool show_after = (style & kWsVisible) || modal;
  style &= ~kWsVisible;

  Font font;
  font.face = t.font_face ? t.font_face : "MS Sans Serif";
  font.points = t.font_points;
  Size base = backend().metrics().DialogBaseUnits(font);
  Rect client = dialog_units_to_pixels(t.x, t.y, t.cx, t.cy, base);

  CreateParams p;
  p.class_name = "Dialog";
  p.text = t.caption ? t.caption : "";
  p.style = style;
  p.id = child ? t.id : 0;
  if (child) {
    p.parent = parent;
    p.rect = has_create_rect_ ? create_rect_ : client;
  } else {
    p.owner = parent;
    // The window rectangle holds the client area plus the frame.
    int border = (style & (kWsCaption | kWsThickFrame | kWsBorder | kDsModalFrame)) ? 3 : 0;
    int caption = (style & kWsCaption) == kWsCaption ? 19 : 0;
    int w = client.Width() + 2 * border, h = client.Height() + 2 * border + caption;
    Point at;
    if (has_create_rect_) {
      at = create_rect_.TopLeft();
    } else if (parent && parent->IsWindow()) {
      // At its place over the owner, but never off the screen where the
      // owner stands near (or past) its edge.
      Point over = parent->ClientToScreen(client.TopLeft());
      at = keep_in_work_area(Rect{over.x, over.y, over.x + w, over.y + h}).TopLeft();
    } else {
      Rect work = backend().WorkArea();
      at = {work.left + (work.Width() - w) / 2, work.top + (work.Height() - h) / 2};
    }
    p.rect = {at.x, at.y, at.x + w, at.y + h};
  }
  hidden_by_end_ = false;
  if (!CreateEx(p)) return false;
  SetFont(font, false);

  DataExchange dx(*this, DataExchange::Mode::kBind);
  DoDataExchange(dx);
  for (auto& [id, w] : dx.bindings())
    if (std::none_of(t.controls.begin(), t.controls.end(), [id = id](const ControlTemplate& c) { return c.id == id; }))
      report_ui_problem("template " + std::to_string(t.id) + ": the code binds control " + std::to_string(id) +
                        " that it does not hold");

  for (const ControlTemplate& c : t.controls) {
    Window* obj = nullptr;
    for (auto& [id, w] : dx.bindings())
      if (id == c.id && c.id != kStaticId) obj = w;
    if (obj && obj->IsWindow()) obj = nullptr;  // bound twice: the first binding wins
    if (obj && std::string_view(obj->ClassName()) != "Window" && c.class_name &&
        std::string_view(obj->ClassName()) != c.class_name)
      report_ui_problem("template " + std::to_string(t.id) + ": control " + std::to_string(c.id) + " is a " +
                        c.class_name + " but the code binds a " + obj->ClassName());
    const Window* held = obj;
    if (!obj) obj = make_control(c.class_name);
    CreateParams cp;
    cp.class_name = c.class_name ? c.class_name : "Static";
    cp.text = c.caption ? c.caption : "";
    if (g_caption_translator && !cp.text.empty() && (cp.class_name == "Static" || cp.class_name == "Button"))
      cp.text = g_caption_translator(c, held);
    cp.style = c.style | kWsChild | kWsVisible;
    cp.ex_style = c.ex_style;
    cp.rect = dialog_units_to_pixels(c.x, c.y, c.cx, c.cy, base);
    cp.parent = this;
    cp.id = c.id;
    if (!obj->CreateEx(cp)) report_ui_problem("template " + std::to_string(t.id) + ": control " +
                                              std::to_string(c.id) + " could not be created");
    if (!IsWindow()) return false;
    if ((c.style & kBsTypeMask) == kBsDefPushButton && std::string_view(cp.class_name) == "Button") def_id_ = c.id;
  }

  Rect before_init = GetWindowRect();
  LResult focus_first = SendMessage(kMsgInitDialog, 0, 0);
  if (!IsWindow()) return false;
  // A modal dialog whose template gives no place of its own, and that did
  // not place itself while it started, opens centred over the owner it
  // holds (on the screen), as users expect of a question: left at the
  // owner's corner it stood far from where the user was working, at the
  // top left of a maximised window.
  Window* owner = GetOwner();
  if (!child && !has_create_rect_ && t.x == 0 && t.y == 0 && !IsWindowVisible() &&
      GetWindowRect().TopLeft() == before_init.TopLeft() && owner && owner->IsWindow() && !owner->IsWindowEnabled())
    CenterWindow();
  if (show_after && !hidden_by_end_ && !(modal_ && modal_->ended)) ShowWindow(kSwShow);
  if (focus_first) {
    // A hidden dialog keeps the first Tab stop for the moment it is shown.
    Window* first = nullptr;
    for (Window* c : Children())
      if ((c->GetStyle() & kWsTabStop) && (c->GetStyle() & kWsVisible) && c->IsWindowEnabled()) {
        first = c;
        break;
      }
    if (first && IsWindowVisible()) GotoDlgCtrl(first);
    else if (first) UiInternals::SetLastFocus(*this, first->handle());
  }
  return IsWindow();
}

LResult Dialog::DoModal() {
  check_ui_thread("DoModal");
  if (IsWindow()) return -1;
  const DialogTemplate* t = GetTemplate();
  if (!t) {
    report_ui_problem("no dialog template " + std::to_string(template_id_));
    return -1;
  }
  UiState& s = ui_state();
  Window* owner = parent_hint_ && parent_hint_->IsWindow() ? parent_hint_->GetTopLevel() : GetActiveWindow();
  WindowHandle owner_handle = owner ? owner->handle() : WindowHandle{};
  WindowHandle previous_focus = s.focus;
  ModalFrame frame;
  frame.kind = ModalFrame::Kind::kDialog;
  frame.window = this;
  modal_ = &frame;
  bool disabled_owner = false;
  if (owner && owner->IsWindowEnabled()) {
    owner->EnableWindow(false);
    disabled_owner = true;
  }
  // The dialog holds the whole family of its owner, as the toolkits of this
  // platform make a modal dialog: the window at the top of the owner chain
  // and every visible window it owns (a tool window beside it) besides the
  // owner itself. Left enabled, they would take clicks and keys while the
  // dialog still asks about what they show, and could even close the page
  // the dialog belongs to. Only windows enabled now are held, so a nested
  // dialog gives back exactly what it took.
  Window* root = owner;
  while (root && root->GetOwner()) root = root->GetOwner();
  std::vector<WindowHandle> held;
  auto in_family = [root](Window* w) {
    while (w && w != root) w = w->GetOwner();
    return w == root;
  };
  if (root) {
    for (const UiState::Slot& slot : s.slots) {
      Window* w = slot.window;
      if (!w || w == owner || w->GetParent() || !w->IsWindow() || !w->IsWindowEnabled()) continue;
      if (w != root && (!w->IsWindowVisible() || !in_family(w))) continue;
      held.push_back(w->handle());
    }
  }
  for (WindowHandle h : held)
    if (Window* w = Window::FromHandle(h)) w->EnableWindow(false);
  if (CreateFromTemplate(*t, owner, true)) {
    if (!frame.ended && modal_observer()) modal_observer()(*this);
    run_modal_loop(frame);
  } else if (!frame.ended) {
    frame.result = -1;
  }
  // The owner comes back before this window goes, so activation returns to it.
  Window* owner_now = Window::FromHandle(owner_handle);
  for (WindowHandle h : held)
    if (Window* w = Window::FromHandle(h)) w->EnableWindow(true);
  if (disabled_owner && owner_now) owner_now->EnableWindow(true);
  if (IsWindow()) {
    ShowWindow(kSwHide);
    DestroyNow();
  }
  modal_ = nullptr;
  if (owner_now && owner_now->IsWindowEnabled() && owner_now->IsWindowVisible()) owner_now->SetActiveWindow();
  if (Window* f = Window::FromHandle(previous_focus); f && f->IsWindowVisible() && f->IsEnabledWithAncestors())
    f->SetFocus();
  return frame.result;
}

bool Dialog::Create(int template_id, Window* parent) {
  check_ui_thread("CreateDialog");
  if (IsWindow()) return false;
  template_id_ = template_id;
  const DialogTemplate* t = GetTemplate();
  if (!t) {
    report_ui_problem("no dialog template " + std::to_string(template_id));
    return false;
  }
  return CreateFromTemplate(*t, parent ? parent : parent_hint_, false);
}

void Dialog::EndDialog(LResult result) {
  if (modal_) {
    if (modal_->ended) return;
    modal_->ended = true;
    modal_->result = result;
    if (IsWindow()) ShowWindow(kSwHide);
    hidden_by_end_ = true;
    return;
  }
  if (IsWindow()) ShowWindow(kSwHide);
  hidden_by_end_ = true;
}

void Dialog::PostNcDestroy() {
  if (modal_ && !modal_->ended) {
    modal_->ended = true;
    modal_->result = -1;
  }
}

bool Dialog::UpdateData(bool save) {
  DataExchange dx(*this, save ? DataExchange::Mode::kSave : DataExchange::Mode::kLoad);
  DoDataExchange(dx);
  return !dx.failed();
}

bool Dialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void Dialog::OnOK() {
  if (!UpdateData(true)) return;
  EndDialog(kIdOk);
}

void Dialog::OnCancel() { EndDialog(kIdCancel); }

void Dialog::OnClose() { SendMessage(kMsgCommand, make_command_param(kIdCancel, 0), 0); }

LResult Dialog::WindowProc(std::uint32_t message, WParam w, LParam l) {
  if (message == kMsgInitDialog) {
    LResult result = 0;
    if (RouteThroughMaps(message, w, l, &result)) return result;
    return OnInitDialog() ? 1 : 0;
  }
  return Window::WindowProc(message, w, l);
}

bool Dialog::OnCommand(WParam w, LParam l) {
  if (Window::OnCommand(w, l)) return true;
  int id = command_id(w);
  if (command_code(w) > 1) return false;
  if (id == kIdOk) {
    OnOK();
    return true;
  }
  if (id == kIdCancel) {
    OnCancel();
    return true;
  }
  return false;
}

Color Dialog::OnCtlColor(DeviceContext& dc, Window* control, CtlType type) {
  if (type == CtlType::kEdit || type == CtlType::kListBox) return kNoColor;
  dc.SetBkColor(background_);
  return background_;
}

void Dialog::OnEraseBackground(DeviceContext& dc) {
  Color brush = OnCtlColor(dc, this, CtlType::kDialog);
  dc.FillRect(GetClientRect(), brush == kNoColor ? background_ : brush);
}

}  // namespace kt::ui
