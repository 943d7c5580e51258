// The real monotonic clock of the program (see ui_clock.h): steady_clock in
// milliseconds, never adjusted by changes of the wall clock, so timers and
// "within 60 seconds" checks cannot jump when the user changes the time.
// Sleeping blocks the calling thread; the user-interface thread sleeps only
// where the dialog code asks for a pause (a highlight that moves after a
// delay), and tests never reach this file.
#include "platform/ui_clock.h"

#include <chrono>
#include <thread>

namespace kt::ui {

std::int64_t MonotonicClock::NowMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void MonotonicClock::SleepMs(std::int64_t ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace kt::ui
