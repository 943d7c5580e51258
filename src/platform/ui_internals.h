// Shared state of the window core, private to src/platform: the handle
// table, the posted-message queue, the timers, focus and activation, the
// stack of modal runs, the dispatch hooks and the objects waiting to be
// deleted. One instance per process, built on first use, so global window
// objects can be constructed before main without touching it.
#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "platform/ui_backend.h"
#include "platform/window.h"

namespace kt::ui {

struct TimerEntry {
  WindowHandle window;
  WParam id = 0;
  std::int64_t interval = 0;
  std::int64_t due = 0;
  std::uint64_t order = 0;  // equal due times fire in the order they were set
};

struct QueuedItem {
  WindowHandle target;
  std::uint32_t message = 0;
  WParam wparam = 0;
  LParam lparam = 0;
  std::function<void()> task;  // set for post_to_ui work
};

struct UiState {
  struct Slot {
    Window* window = nullptr;
    std::uint32_t generation = 0;
  };
  std::vector<Slot> slots{Slot{}};  // slot 0 is the null handle
  std::vector<std::uint32_t> free_slots;

  std::mutex queue_mutex;
  std::deque<QueuedItem> queue;

  std::vector<TimerEntry> timers;
  std::uint64_t timer_order = 0;

  WindowHandle focus;
  WindowHandle active;
  WindowHandle capture;
  std::vector<ModalFrame*> modal_stack;

  std::vector<std::pair<int, DispatchHook>> hooks;
  int next_hook = 1;

  std::vector<Window*> graveyard;

  std::thread::id ui_thread;
  bool ui_thread_claimed = false;
  std::mutex thread_mutex;
};

UiState& ui_state();

// Access to the private parts of Window for the core's own files.
struct UiInternals {
  static void SetLastFocus(Window& top, WindowHandle h) { top.last_focus_ = h; }
  static int& Busy(Window& w) { return w.busy_; }
  static bool AutoDelete(const Window& w) { return w.auto_delete_; }
  static LResult Proc(Window& w, std::uint32_t m, WParam wp, LParam lp) { return w.WindowProc(m, wp, lp); }
  static void Destroy(Window& w) { w.DestroyNow(); }
  static void RemoveTimersOf(WindowHandle h);
  static void DeleteBuried();
};

// Runs the window procedure with hooks and deferred deletion.
LResult dispatch_to(Window& w, std::uint32_t message, WParam wp, LParam lp);

// The rectangle moved (its size kept) so that it lies within the work
// area; one larger than the work area keeps its top-left corner there.
Rect keep_in_work_area(const Rect& r);

}  // namespace kt::ui
