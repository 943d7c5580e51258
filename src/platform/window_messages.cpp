// The window procedure and message routing (see window.h): the message map
// first, then the reflection of a child's command, notification, colour
// request or drawing request to that child, then the virtual handlers.
// dispatch_to wraps every window procedure: it counts the object as busy
// (so it is not deleted under its own feet), runs the dispatch hooks after
// it, and deletes buried auto-delete objects once nothing of theirs runs.
#include <algorithm>

#include "platform/device_context.h"
#include "platform/ui_internals.h"
#include "platform/ui_thread.h"
#include "platform/window.h"

namespace kt::ui {

const MessageMap* Window::ThisMessageMap() {
  static const MessageEntry entries[] = {MessageEntry{}};
  static const MessageMap map{nullptr, entries};
  return &map;
}

const MessageMap* Window::GetMessageMap() const { return ThisMessageMap(); }

namespace {

bool code_matches(int entry_code, int code) {
  return entry_code == code || (entry_code == kAnyCommandCode && (code == 0 || code == 1));
}

// Finds the entry for a message; index receives the handler's index.
const MessageEntry* find_entry(const MessageMap* map, std::uint32_t message, WParam w, LParam l, int* index) {
  int id = 0, code = 0;
  if (message == kMsgCommand) {
    id = command_id(w);
    code = command_code(w);
  } else if (message == kMsgNotify && l) {
    const NotifyHeader* h = reinterpret_cast<const NotifyHeader*>(l);
    id = h->id;
    code = h->code;
  }
  for (; map; map = map->base ? map->base() : nullptr) {
    for (const MessageEntry* e = map->entries; e->kind != MapKind::kEnd; ++e) {
      *index = 0;
      switch (e->kind) {
        case MapKind::kMessage:
          if (e->message == message) return e;
          break;
        case MapKind::kCommand:
          if (message == kMsgCommand && id == e->first && code_matches(e->code, code)) return e;
          break;
        case MapKind::kCommandRange:
          if (message == kMsgCommand && id >= e->first && id <= e->last && code_matches(e->code, code)) {
            *index = id - e->first;
            return e;
          }
          break;
        case MapKind::kCommandList:
          if (message == kMsgCommand && code_matches(e->code, code))
            for (std::size_t i = 0; i < e->id_count; ++i)
              if (e->ids[i] == id) {
                *index = int(i);
                return e;
              }
          break;
        case MapKind::kNotify:
          if (message == kMsgNotify && id == e->first && code == e->code) return e;
          break;
        case MapKind::kEnd:
          break;
      }
    }
  }
  return nullptr;
}

Window* child_of_message(std::uint32_t message, WParam w, LParam l) {
  switch (message) {
    case kMsgCommand:
      return l ? Window::FromHandle(WindowHandle::FromParam(l)) : nullptr;
    case kMsgNotify:
      return l ? Window::FromHandle(reinterpret_cast<const NotifyHeader*>(l)->from) : nullptr;
    case kMsgCtlColor:
      return l ? reinterpret_cast<const CtlColorRequest*>(l)->control : nullptr;
    case kMsgDrawItem: {
      const DrawItemInfo* d = reinterpret_cast<const DrawItemInfo*>(l);
      return d && d->ctl_type != kOdtMenu ? d->window : nullptr;
    }
    default:
      return nullptr;
  }
}

}  // namespace

bool Window::RouteThroughMaps(std::uint32_t message, WParam w, LParam l, LResult* result) {
  int index = 0;
  const MessageEntry* e = find_entry(GetMessageMap(), message, w, l, &index);
  if (!e) return false;
  *result = e->call(*this, index, w, l);
  return true;
}

LResult Window::WindowProc(std::uint32_t message, WParam w, LParam l) {
  LResult result = 0;
  if (Window* child = child_of_message(message, w, l); child && child != this && child->parent_ == this) {
    if (child->OnChildNotify(message, w, l, &result)) return result;
    if (!IsWindow()) return result;
  }
  if (message != kMsgCommand && message != kMsgNotify && RouteThroughMaps(message, w, l, &result)) return result;
  return DefWindowProc(message, w, l);
}

bool Window::OnChildNotify(std::uint32_t message, WParam w, LParam l, LResult* result) {
  if (message == kMsgCtlColor) {
    const CtlColorRequest* req = reinterpret_cast<const CtlColorRequest*>(l);
    Color c = CtlColor(*req->dc, req->type);
    if (c == kNoColor) return false;
    *result = LResult(c);
    return true;
  }
  if (message == kMsgDrawItem) return DrawItem(*reinterpret_cast<DrawItemInfo*>(l));
  return false;
}

bool Window::OnCommand(WParam w, LParam l) {
  LResult ignored = 0;
  return RouteThroughMaps(kMsgCommand, w, l, &ignored);
}

bool Window::OnNotify(WParam w, LParam l, LResult* result) { return RouteThroughMaps(kMsgNotify, w, l, result); }

LResult Window::DefWindowProc(std::uint32_t message, WParam w, LParam l) {
  switch (message) {
    case kMsgCreate:
      return OnCreate() ? 1 : 0;
    case kMsgDestroy:
      OnDestroy();
      return 0;
    case kMsgCommand:
      return OnCommand(w, l) ? 1 : 0;
    case kMsgNotify: {
      LResult result = 0;
      OnNotify(w, l, &result);
      return result;
    }
    case kMsgCtlColor: {
      const CtlColorRequest* req = reinterpret_cast<const CtlColorRequest*>(l);
      return LResult(OnCtlColor(*req->dc, req->control, req->type));
    }
    case kMsgDrawItem:
      OnDrawItem(int(w), *reinterpret_cast<DrawItemInfo*>(l));
      return 1;
    case kMsgMeasureItem:
      OnMeasureItem(int(w), *reinterpret_cast<MeasureItemInfo*>(l));
      return 1;
    case kMsgTimer:
      OnTimer(w);
      return 0;
    case kMsgSize: {
      Point p = point_from_param(l);
      OnSize(int(w), p.x, p.y);
      return 0;
    }
    case kMsgMove: {
      Point p = point_from_param(l);
      OnMove(p.x, p.y);
      return 0;
    }
    case kMsgShowWindow:
      OnShowWindow(w != 0);
      return 0;
    case kMsgEnable:
      OnEnable(w != 0);
      return 0;
    case kMsgActivate:
      OnActivate(w != 0);
      return 0;
    case kMsgSetFocus:
      OnSetFocus(FromHandle(WindowHandle::FromParam(LParam(w))));
      return 0;
    case kMsgKillFocus:
      OnKillFocus(FromHandle(WindowHandle::FromParam(LParam(w))));
      return 0;
    case kMsgKeyDown:
      OnKeyDown(int(w), unsigned(l));
      return 0;
    case kMsgKeyUp:
      OnKeyUp(int(w), unsigned(l));
      return 0;
    case kMsgChar:
      OnChar(static_cast<unsigned char>(w), unsigned(l));
      return 0;
    case kMsgLButtonDown:
      OnLButtonDown(point_from_param(l), unsigned(w));
      return 0;
    case kMsgLButtonUp:
      OnLButtonUp(point_from_param(l), unsigned(w));
      return 0;
    case kMsgLButtonDblClk:
      OnLButtonDblClk(point_from_param(l), unsigned(w));
      return 0;
    case kMsgRButtonDown:
      OnRButtonDown(point_from_param(l), unsigned(w));
      return 0;
    case kMsgRButtonUp:
      OnRButtonUp(point_from_param(l), unsigned(w));
      return 0;
    case kMsgMouseMove:
      OnMouseMove(point_from_param(l), unsigned(w));
      return 0;
    case kMsgMouseWheel:
      OnMouseWheel(int(std::int16_t(w >> 16)), point_from_param(l));
      return 0;
    case kMsgClose:
      OnClose();
      return 0;
    case kMsgSysCommand:
      OnSysCommand(w, l);
      return 0;
    default:
      return 0;
  }
}

LResult dispatch_to(Window& w, std::uint32_t message, WParam wp, LParam lp) {
  UiState& s = ui_state();
  Message m{w.handle(), message, wp, lp};
  ++UiInternals::Busy(w);
  LResult r = UiInternals::Proc(w, message, wp, lp);
  --UiInternals::Busy(w);
  if (!s.hooks.empty()) {
    auto hooks = s.hooks;  // a hook may remove itself
    for (auto& [id, hook] : hooks) hook(m, r);
  }
  if (!s.graveyard.empty()) UiInternals::DeleteBuried();
  return r;
}

void UiInternals::DeleteBuried() {
  UiState& s = ui_state();
  for (std::size_t i = 0; i < s.graveyard.size();) {
    Window* w = s.graveyard[i];
    if (w->busy_ == 0 && !w->IsWindow()) {
      s.graveyard.erase(s.graveyard.begin() + std::ptrdiff_t(i));
      w->auto_delete_ = false;
      delete w;
    } else {
      ++i;
    }
  }
}

int add_dispatch_hook(DispatchHook hook) {
  check_ui_thread("add_dispatch_hook");
  UiState& s = ui_state();
  s.hooks.emplace_back(s.next_hook, std::move(hook));
  return s.next_hook++;
}

void remove_dispatch_hook(int id) {
  UiState& s = ui_state();
  s.hooks.erase(std::remove_if(s.hooks.begin(), s.hooks.end(), [id](auto& h) { return h.first == id; }),
                s.hooks.end());
}

}  // namespace kt::ui
