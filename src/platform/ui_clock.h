// The clock of the user interface: timers, sleeps and "how long ago" checks
// (the message box remembers its last answer for 60 seconds) all read time
// from here, never from the system directly. The program runs on the real
// monotonic clock; tests install a virtual clock and advance it by hand, so
// a 231 ms timer fires exactly when the test says and no test ever sleeps.
//
// Milliseconds since an arbitrary start, 64-bit; wall-clock seconds are a
// separate reading because a remembered time must survive nothing but the
// process, and the real clock never goes backwards.
#pragma once

#include <cstdint>

namespace kt::ui {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t NowMs() const = 0;
  // Seconds for "time since" checks; the same time base as NowMs.
  std::int64_t NowSeconds() const { return NowMs() / 1000; }
  // Waits; the virtual clock only moves its time forward.
  virtual void SleepMs(std::int64_t ms) = 0;
};

class MonotonicClock final : public Clock {
 public:
  std::int64_t NowMs() const override;
  void SleepMs(std::int64_t ms) override;
};

class VirtualClock final : public Clock {
 public:
  explicit VirtualClock(std::int64_t start_ms = 1'000'000) : now_(start_ms) {}
  std::int64_t NowMs() const override { return now_; }
  void SleepMs(std::int64_t ms) override { if (ms > 0) now_ += ms; }
  void SetMs(std::int64_t ms) { now_ = ms; }

 private:
  std::int64_t now_;
};

}  // namespace kt::ui
