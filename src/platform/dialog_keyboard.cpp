// Keyboard rules of dialogs (see dialog.h). Tab order is the order of the
// children (template order); a group runs from a control with the group
// style to the next one. Only visible, enabled controls take part. A dialog
// shown inside another one (a page in the frame) holds its controls in that
// order where it stands among the outer dialog's children, so Tab walks from
// the frame's buttons through the page and back, as in any desktop program;
// left to each dialog on its own, the frame's buttons never led into the
// page and the page's controls never back out. Moving the focus into an edit
// selects its whole text, as users expect when they tab through a form.
#include <algorithm>

#include "platform/controls/edit.h"
#include "platform/dialog.h"
#include "platform/ui_backend.h"

namespace kt::ui {

namespace {

bool can_take_focus(const Window* w) { return w->IsWindowVisible() && w->IsWindowEnabled(); }

bool is_push_button(const Window* w) {
  if (std::string_view(w->ClassName()) != "Button") return false;
  std::uint32_t type = w->GetStyle() & kBsTypeMask;
  return type == kBsPushButton || type == kBsDefPushButton || type == kBsOwnerDraw;
}

// The dialog whose keyboard rules apply to a control: its nearest dialog ancestor.
const Dialog* nearest_dialog(const Window* w) {
  for (const Window* p = w->GetParent(); p; p = p->GetParent())
    if (const Dialog* d = dynamic_cast<const Dialog*>(p)) return d;
  return nullptr;
}

// A dialog shown inside another dialog: its controls belong to the outer
// dialog's Tab order.
bool is_inner_dialog(const Window* w) {
  return (w->GetStyle() & kWsChild) && dynamic_cast<const Dialog*>(w) && nearest_dialog(w);
}

// The windows of the Tab order under `parent`, in order, inner dialogs
// opened in place; the stops among them are the controls with the Tab stop
// style that can take the focus.
void collect_tab_order(const Window* parent, std::vector<Window*>& out) {
  for (Window* w : parent->Children()) {
    if (is_inner_dialog(w) && can_take_focus(w)) collect_tab_order(w, out);
    else out.push_back(w);
  }
}

bool is_tab_stop(const Window* w) { return (w->GetStyle() & kWsTabStop) && can_take_focus(w); }

// The dialog whose Tab order holds this one: the outermost of the dialogs
// it is shown inside.
Dialog* tab_order_owner(Dialog* d) {
  while (is_inner_dialog(d)) d = const_cast<Dialog*>(nearest_dialog(d));
  return d;
}

}  // namespace

Window* Dialog::ReturnButton(Window* focus) const {
  if (focus && is_push_button(focus) && focus->IsWindowEnabled() && nearest_dialog(focus) == this) return focus;
  return GetDlgItem(GetDefID());
}

Window* Dialog::GetNextDlgTabItem(Window* from, bool previous) const {
  std::vector<Window*> order;
  collect_tab_order(this, order);
  int n = int(order.size());
  if (n == 0) return nullptr;
  // A control deeper down (the edit of a combo box, a control inside a
  // group) counts as the window of the order that holds it.
  int start = -1;
  for (Window* w = from; w && w != this && start < 0; w = w->GetParent())
    for (int i = 0; i < n && start < 0; ++i)
      if (order[std::size_t(i)] == w) start = i;
  for (int step = 1; step <= n; ++step) {
    int i = start < 0 ? (previous ? n - step : step - 1) : ((start + (previous ? -step : step)) % n + n) % n;
    if (is_tab_stop(order[std::size_t(i)])) return order[std::size_t(i)];
  }
  return nullptr;
}

Window* Dialog::GetNextDlgGroupItem(Window* from, bool previous) const {
  const std::vector<Window*>& kids = Children();
  auto it = std::find(kids.begin(), kids.end(), from);
  if (it == kids.end()) return nullptr;
  std::size_t at = std::size_t(it - kids.begin());
  std::size_t first = at;
  while (first > 0 && !(kids[first]->GetStyle() & kWsGroup)) --first;
  std::size_t last = at + 1;
  while (last < kids.size() && !(kids[last]->GetStyle() & kWsGroup)) ++last;
  std::size_t count = last - first;
  for (std::size_t step = 1; step < count; ++step) {
    std::size_t i = previous ? first + (at - first + count - step) % count : first + (at - first + step) % count;
    if (can_take_focus(kids[i])) return kids[i];
  }
  return from;
}

void Dialog::GotoDlgCtrl(Window* control) {
  if (!control || !control->IsWindow()) return;
  control->SetFocus();
  if (Edit* e = dynamic_cast<Edit*>(control)) e->SetSel(0, -1);
}

bool Dialog::PreTranslateMessage(Message& m) {
  if (m.message != kMsgKeyDown && m.message != kMsgChar) return false;
  Window* target = Window::FromHandle(m.window);
  if (!target || (target != this && !IsChild(target))) return false;
  int key = int(m.wparam);
  unsigned mods = unsigned(m.lparam);
  if (m.message == kMsgKeyDown) {
    for (const Accelerator& a : accelerators_)
      if (a.key == key && a.mods == mods) {
        SendMessage(kMsgCommand, make_command_param(a.command, 1), 0);
        return true;
      }
  }
  unsigned code = target->GetDlgCode(key);
  if (code & kWantAllKeys) return false;
  if (m.message == kMsgChar) {
    // The characters of keys the dialog takes are not typed into controls.
    bool nav = key == '\t' || key == '\r' || key == 0x1B || (key == ' ' && (code & kButtonCode));
    return nav && !((key == '\t') && (code & kWantTab));
  }
  return HandleKey(target, key, mods);
}

bool Dialog::HandleKey(Window* target, int key, unsigned mods) {
  unsigned code = target->GetDlgCode(key);
  switch (key) {
    case kVkTab: {
      if ((code & kWantTab) || (mods & kModControl)) return false;
      // A dialog that holds the focus itself starts at its own first (last) stop.
      Dialog* owner = target == this ? this : tab_order_owner(this);
      Window* next = owner->GetNextDlgTabItem(target == this ? nullptr : target, (mods & kModShift) != 0);
      owner->GotoDlgCtrl(next);
      return true;
    }
    case kVkLeft: case kVkUp: case kVkRight: case kVkDown: {
      if (code & kWantArrows) return false;
      Window* from = target;
      while (from && from->GetParent() != this) from = from->GetParent();
      if (!from) return false;
      Window* next = GetNextDlgGroupItem(from, key == kVkLeft || key == kVkUp);
      if (next && next != from) {
        GotoDlgCtrl(next);
        if (std::string_view(next->ClassName()) == "Button" && (next->GetStyle() & kBsTypeMask) == kBsAutoRadioButton)
          next->Click();
      }
      return true;
    }
    case kVkReturn: {
      Window* def = ReturnButton(target);
      if (def && def == target && def->IsWindowEnabled()) {
        target->Click();
        return true;
      }
      int id = GetDefID();
      if (def && !def->IsWindowEnabled()) {
        message_beep(kBeepSimple);
        return true;
      }
      SendMessage(kMsgCommand, make_command_param(id, kBnClicked), def ? def->handle().ToParam() : 0);
      return true;
    }
    case kVkEscape: {
      Window* cancel = GetDlgItem(kIdCancel);
      if (cancel && !cancel->IsWindowEnabled()) cancel = nullptr;
      SendMessage(kMsgCommand, make_command_param(kIdCancel, kBnClicked), cancel ? cancel->handle().ToParam() : 0);
      return true;
    }
    case kVkSpace:
      if (code & kButtonCode) {
        target->Click();
        return true;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace kt::ui
