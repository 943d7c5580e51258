// Message maps: per class, a static table that routes commands (one id, a
// range of ids, or a list of ids, each reaching one handler with the index of
// the id that fired), control notifications (a notification code from one
// control), and any other message (private WM_USER+n messages,
// timers) to member functions. A class's table is searched first, then its
// base class's table, up to the window base.
//
//   class WeekPicker : public kt::ui::Dialog {
//     ...
//     void OnCell(int index);
//     void OnInvert();
//     LResult OnHelpShown(WParam, LParam);
//     KT_DECLARE_MESSAGE_MAP()
//   };
//   KT_BEGIN_MESSAGE_MAP(WeekPicker, kt::ui::Dialog)
//     KT_ON_COMMAND(1102, OnInvert)
//     KT_ON_COMMAND_LIST(kCellIds, OnCell)
//     KT_ON_MESSAGE(kt::ui::kMsgUser + 5, OnHelpShown)
//   KT_END_MESSAGE_MAP()
//
// Handlers are bound at compile time through template arguments, so a table
// is constant data and a handler with the wrong signature does not compile.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/ui_types.h"

namespace kt::ui {

class Window;

// The header of every notification (kMsgNotify's lparam points at one,
// usually as the first member of a larger structure).
struct NotifyHeader {
  WindowHandle from;
  int id = 0;
  int code = 0;
  Window* window = nullptr;
};

enum class MapKind : std::uint8_t { kEnd, kCommand, kCommandRange, kCommandList, kNotify, kMessage };

// Matches any code that a command can carry (0 from buttons and menus, 1 from
// accelerators).
inline constexpr int kAnyCommandCode = 0x7FFFFFFF;

struct MessageEntry {
  MapKind kind = MapKind::kEnd;
  std::uint32_t message = 0;
  int code = 0;
  int first = 0, last = 0;
  const int* ids = nullptr;
  std::size_t id_count = 0;
  LResult (*call)(Window&, int index, WParam, LParam) = nullptr;
};

struct MessageMap {
  const MessageMap* (*base)() = nullptr;
  const MessageEntry* entries = nullptr;
};

namespace detail {
template <class M>
struct MemberClass;
template <class C, class R, class... A>
struct MemberClass<R (C::*)(A...)> {
  using type = C;
};
template <auto F>
using ClassOf = typename MemberClass<decltype(F)>::type;
}  // namespace detail

// void Handler();
template <auto F>
constexpr MessageEntry on_command(int id, int code = kAnyCommandCode) {
  MessageEntry e;
  e.kind = MapKind::kCommand;
  e.code = code;
  e.first = e.last = id;
  e.call = [](Window& w, int, WParam, LParam) -> LResult {
    (static_cast<detail::ClassOf<F>&>(w).*F)();
    return 0;
  };
  return e;
}

// void Handler(int index): index = id - first.
template <auto F>
constexpr MessageEntry on_command_range(int first, int last, int code = kAnyCommandCode) {
  MessageEntry e;
  e.kind = MapKind::kCommandRange;
  e.code = code;
  e.first = first;
  e.last = last;
  e.call = [](Window& w, int index, WParam, LParam) -> LResult {
    (static_cast<detail::ClassOf<F>&>(w).*F)(index);
    return 0;
  };
  return e;
}

// void Handler(int index): index = position of the id in the list.
template <auto F, std::size_t N>
constexpr MessageEntry on_command_list(const int (&ids)[N], int code = kAnyCommandCode) {
  MessageEntry e = on_command_range<F>(0, 0, code);
  e.kind = MapKind::kCommandList;
  e.ids = ids;
  e.id_count = N;
  return e;
}

// The same with a constant std::array of ids (built by a constexpr function).
template <auto F, std::size_t N>
constexpr MessageEntry on_command_list(const std::array<int, N>& ids, int code = kAnyCommandCode) {
  MessageEntry e = on_command_range<F>(0, 0, code);
  e.kind = MapKind::kCommandList;
  e.ids = ids.data();
  e.id_count = N;
  return e;
}

// void Handler(NotifyHeader* header, LResult* result)
template <auto F>
constexpr MessageEntry on_notify(int code, int id) {
  MessageEntry e;
  e.kind = MapKind::kNotify;
  e.code = code;
  e.first = e.last = id;
  e.call = [](Window& w, int, WParam, LParam l) -> LResult {
    LResult result = 0;
    (static_cast<detail::ClassOf<F>&>(w).*F)(reinterpret_cast<NotifyHeader*>(l), &result);
    return result;
  };
  return e;
}

// LResult Handler(WParam, LParam)
template <auto F>
constexpr MessageEntry on_message(std::uint32_t message) {
  MessageEntry e;
  e.kind = MapKind::kMessage;
  e.message = message;
  e.call = [](Window& w, int, WParam wp, LParam lp) -> LResult {
    return (static_cast<detail::ClassOf<F>&>(w).*F)(wp, lp);
  };
  return e;
}

}  // namespace kt::ui

#define KT_DECLARE_MESSAGE_MAP()                                   \
 protected:                                                        \
  static const ::kt::ui::MessageMap* ThisMessageMap();             \
  const ::kt::ui::MessageMap* GetMessageMap() const override;      \
                                                                   \
 private:

#define KT_BEGIN_MESSAGE_MAP(Class, Base)                                                    \
  const ::kt::ui::MessageMap* Class::GetMessageMap() const { return ThisMessageMap(); }     \
  const ::kt::ui::MessageMap* Class::ThisMessageMap() {                                      \
    using ThisClass = Class;                                                                 \
    using BaseClass = Base;                                                                  \
    static const ::kt::ui::MessageEntry entries[] = {
#define KT_END_MESSAGE_MAP()                                                            \
  ::kt::ui::MessageEntry{}                                                              \
  }                                                                                     \
  ;                                                                                     \
  static const ::kt::ui::MessageMap map{&BaseClass::ThisMessageMap, entries};           \
  return &map;                                                                          \
  }

#define KT_ON_COMMAND(id, fn) ::kt::ui::on_command<&ThisClass::fn>(id),
#define KT_ON_CONTROL(code, id, fn) ::kt::ui::on_command<&ThisClass::fn>(id, code),
#define KT_ON_COMMAND_RANGE(first, last, fn) ::kt::ui::on_command_range<&ThisClass::fn>(first, last),
#define KT_ON_CONTROL_RANGE(code, first, last, fn) ::kt::ui::on_command_range<&ThisClass::fn>(first, last, code),
#define KT_ON_COMMAND_LIST(ids, fn) ::kt::ui::on_command_list<&ThisClass::fn>(ids),
#define KT_ON_NOTIFY(code, id, fn) ::kt::ui::on_notify<&ThisClass::fn>(code, id),
#define KT_ON_MESSAGE(message, fn) ::kt::ui::on_message<&ThisClass::fn>(message),
