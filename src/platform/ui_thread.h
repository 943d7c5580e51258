// The user-interface thread and the queue that feeds it. Only the thread
// that first touches a window (or calls claim_ui_thread) may use windows;
// other threads (the engine worker, copy and search workers, the remote
// services) hand work over with post_to_ui or call_on_ui, or post a message
// to a window handle, and the UI thread runs it from its message loop.
//
// A window call from another thread is a programming error; the thread check
// reports it through a handler: a debug build stops the program with the
// name of the call, a release build writes it once to stderr, and tests
// install their own handler to count.
//
// call_on_ui blocks the caller until the UI thread has run the function; it
// must never be used by a thread the UI thread is itself waiting for.
#pragma once

#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <type_traits>

#include "platform/ui_types.h"

namespace kt::ui {

bool on_ui_thread();
void claim_ui_thread();
void check_ui_thread(const char* operation);
using ThreadCheckHandler = void (*)(const char* operation);
ThreadCheckHandler set_thread_check_handler(ThreadCheckHandler handler);

// Any thread: posts a message to a window by its handle (a worker keeps the
// handle, never the window object); false when the window is gone.
bool post_message(WindowHandle target, std::uint32_t message, WParam w = 0, LParam l = 0);

// Any thread: queues a task for the UI thread's loop.
void post_to_ui(std::function<void()> task);

// Any thread: runs f on the UI thread and returns its result.
template <class F>
auto call_on_ui(F&& f) -> std::invoke_result_t<F> {
  using R = std::invoke_result_t<F>;
  if (on_ui_thread()) return f();
  auto done = std::make_shared<std::promise<R>>();
  std::future<R> result = done->get_future();
  post_to_ui([done, fn = std::forward<F>(f)]() mutable {
    if constexpr (std::is_void_v<R>) {
      fn();
      done->set_value();
    } else {
      done->set_value(fn());
    }
  });
  return result.get();
}

// UI thread: runs one queued message or task, or else one due timer.
// Returns false when there was nothing to do.
bool pump_one();
// Runs queued work and due timers until there is none; returns how many.
int pump_pending();
// When the earliest timer is due (clock milliseconds), -1 when none.
std::int64_t next_timer_due();

}  // namespace kt::ui
