// The posted-message queue, the cross-thread hand-over, the timers and the
// thread check (see ui_thread.h). Posted messages and tasks run in the order
// they were posted; timers are looked at only when the queue is empty, and a
// timer that is due fires once however late it is (its next time counts from
// now), so a slow handler never causes a burst of ticks. Messages and timers
// of a destroyed window are dropped: its handle no longer resolves.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/ui_internals.h"
#include "platform/ui_thread.h"
#include "platform/window.h"

namespace kt::ui {

namespace {

void default_thread_check(const char* operation) {
#ifndef NDEBUG
  std::fprintf(stderr, "window call %s from a thread that is not the user-interface thread\n", operation);
  std::abort();
#else
  static bool told = false;
  if (!told) std::fprintf(stderr, "window call %s from a thread that is not the user-interface thread\n", operation);
  told = true;
#endif
}

ThreadCheckHandler g_thread_check = default_thread_check;

}  // namespace

bool on_ui_thread() {
  UiState& s = ui_state();
  std::lock_guard<std::mutex> lock(s.thread_mutex);
  return !s.ui_thread_claimed || s.ui_thread == std::this_thread::get_id();
}

void claim_ui_thread() {
  UiState& s = ui_state();
  std::lock_guard<std::mutex> lock(s.thread_mutex);
  s.ui_thread = std::this_thread::get_id();
  s.ui_thread_claimed = true;
}

void check_ui_thread(const char* operation) {
  UiState& s = ui_state();
  {
    std::lock_guard<std::mutex> lock(s.thread_mutex);
    if (!s.ui_thread_claimed) {
      s.ui_thread = std::this_thread::get_id();
      s.ui_thread_claimed = true;
      return;
    }
    if (s.ui_thread == std::this_thread::get_id()) return;
  }
  g_thread_check(operation);
}

ThreadCheckHandler set_thread_check_handler(ThreadCheckHandler handler) {
  ThreadCheckHandler old = g_thread_check;
  g_thread_check = handler ? handler : default_thread_check;
  return old;
}

bool Window::PostMessage(std::uint32_t message, WParam w, LParam l) {
  return post_message(handle_, message, w, l);
}

bool post_message(WindowHandle h, std::uint32_t message, WParam w, LParam l) {
  if (!h) return false;
  UiState& s = ui_state();
  {
    std::lock_guard<std::mutex> lock(s.queue_mutex);
    s.queue.push_back(QueuedItem{h, message, w, l, {}});
  }
  backend().Wake();
  return true;
}

void post_to_ui(std::function<void()> task) {
  UiState& s = ui_state();
  {
    std::lock_guard<std::mutex> lock(s.queue_mutex);
    s.queue.push_back(QueuedItem{{}, 0, 0, 0, std::move(task)});
  }
  backend().Wake();
}

// Runs a posted input message through the pre-translation of the target and
// its ancestors (dialog keyboard rules, accelerators) before dispatching it.
bool pre_translate_and_dispatch(Window& target, Message& m);

namespace {

bool run_due_timer() {
  UiState& s = ui_state();
  if (s.timers.empty()) return false;
  std::int64_t now = ui_clock().NowMs();
  auto best = s.timers.end();
  for (auto it = s.timers.begin(); it != s.timers.end(); ++it)
    if (it->due <= now && (best == s.timers.end() || it->due < best->due ||
                           (it->due == best->due && it->order < best->order)))
      best = it;
  if (best == s.timers.end()) return false;
  best->due = now + std::max<std::int64_t>(best->interval, 1);
  best->order = ++s.timer_order;
  WindowHandle h = best->window;
  WParam id = best->id;
  if (Window* w = Window::FromHandle(h)) dispatch_to(*w, kMsgTimer, id, 0);
  return true;
}

}  // namespace

bool pump_one() {
  check_ui_thread("pump");
  UiState& s = ui_state();
  QueuedItem item;
  bool have = false;
  {
    std::lock_guard<std::mutex> lock(s.queue_mutex);
    if (!s.queue.empty()) {
      item = std::move(s.queue.front());
      s.queue.pop_front();
      have = true;
    }
  }
  if (have) {
    if (item.task) {
      item.task();
    } else if (Window* w = Window::FromHandle(item.target)) {
      Message m{item.target, item.message, item.wparam, item.lparam};
      pre_translate_and_dispatch(*w, m);
    }
    if (!s.graveyard.empty()) UiInternals::DeleteBuried();
    return true;
  }
  return run_due_timer();
}

int pump_pending() {
  int n = 0;
  // A timer re-armed with a zero interval would keep this busy forever: a
  // pass looks at each timer at most once, since firing moves it past now.
  while (pump_one()) ++n;
  return n;
}

std::int64_t next_timer_due() {
  UiState& s = ui_state();
  std::int64_t best = -1;
  for (const TimerEntry& t : s.timers)
    if (best < 0 || t.due < best) best = t.due;
  return best;
}

WParam Window::SetTimer(WParam id, std::uint32_t elapse_ms) {
  check_ui_thread("SetTimer");
  if (!IsWindow()) return 0;
  UiState& s = ui_state();
  std::int64_t due = ui_clock().NowMs() + std::max<std::uint32_t>(elapse_ms, 1);
  for (TimerEntry& t : s.timers)
    if (t.window == handle_ && t.id == id) {
      t.interval = elapse_ms;
      t.due = due;
      t.order = ++s.timer_order;
      return id;
    }
  s.timers.push_back(TimerEntry{handle_, id, std::int64_t(elapse_ms), due, ++s.timer_order});
  return id;
}

bool Window::KillTimer(WParam id) {
  check_ui_thread("KillTimer");
  UiState& s = ui_state();
  auto it = std::find_if(s.timers.begin(), s.timers.end(),
                         [&](const TimerEntry& t) { return t.window == handle_ && t.id == id; });
  if (it == s.timers.end()) return false;
  s.timers.erase(it);
  return true;
}

void UiInternals::RemoveTimersOf(WindowHandle h) {
  UiState& s = ui_state();
  s.timers.erase(std::remove_if(s.timers.begin(), s.timers.end(), [&](const TimerEntry& t) { return t.window == h; }),
                 s.timers.end());
}

void reset_ui() {
  UiState& s = ui_state();
  for (ModalFrame* f : s.modal_stack) f->ended = true;
  // By handle: destroying an owner takes its owned windows, which may be
  // deleted objects by the time the loop reaches them.
  std::vector<WindowHandle> tops;
  for (Window* w : top_level_windows()) tops.push_back(w->handle());
  for (WindowHandle h : tops)
    if (Window* w = Window::FromHandle(h)) UiInternals::Destroy(*w);
  {
    std::lock_guard<std::mutex> lock(s.queue_mutex);
    s.queue.clear();
  }
  s.timers.clear();
  s.hooks.clear();
  s.focus = {};
  s.active = {};
  s.capture = {};
  UiInternals::DeleteBuried();
  std::lock_guard<std::mutex> lock(s.thread_mutex);
  s.ui_thread_claimed = false;
}

}  // namespace kt::ui
