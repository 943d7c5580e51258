// The seam between the headless window core and whatever shows it. The core
// keeps every window, message, timer and drawing; a backend only mirrors the
// top-level windows, feeds input in (ui_input.h), measures text, holds the
// clipboard and the mouse pointer, beeps, and waits when a modal loop has
// nothing to do. The FLTK backend implements this for the program; the
// headless backend below serves tests and the parallel solver processes.
//
// Text widths always come from the backend's metrics, so a dialog is laid
// out the same way headless and on screen when the metrics agree.
// Exactly one backend is current; set_backend() installs one (the headless
// backend is used when none was set).
#pragma once

#include <cstdint>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui_clock.h"
#include "platform/ui_types.h"

namespace kt::ui {

class Window;

class TextMetrics {
 public:
  virtual ~TextMetrics() = default;
  // Width in pixels of 1252 text in one line (tabs count as blanks).
  virtual int TextWidth(const Font& font, std::string_view text) const = 0;
  virtual int LineHeight(const Font& font) const = 0;
  // Pixels of 4 horizontal and 8 vertical dialog units.
  virtual Size DialogBaseUnits(const Font& font) const;
};

// Fixed widths: 3 pixels for the narrow letters, 9 for M and W, 6 for the
// rest at 8 points, scaled by the point size; line height 13 at 8 points.
class HeadlessMetrics final : public TextMetrics {
 public:
  int TextWidth(const Font& font, std::string_view text) const override;
  int LineHeight(const Font& font) const override;
};

// A modal run that is waiting: a dialog's loop or a pop-up menu's.
struct ModalFrame {
  enum class Kind { kDialog, kMenu };
  Kind kind = Kind::kDialog;
  Window* window = nullptr;
  bool ended = false;
  LResult result = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual const TextMetrics& metrics() const = 0;
  virtual Clock& clock() = 0;

  // Top-level windows (no parent): mirrored by the backend.
  virtual void TopLevelCreated(Window&) {}
  virtual void TopLevelDestroyed(Window&) {}
  // activate: false when the program shows the window without making it the
  // active one (a panel shown again beside a dialog): it must not take the
  // keyboard from the window that has it.
  virtual void TopLevelShown(Window&, bool show, bool activate) {}
  virtual void TopLevelMoved(Window&) {}
  virtual void TopLevelTitled(Window&) {}
  virtual void TopLevelActivated(Window&) {}
  // The program maximised (true) or restored a top-level window; its size
  // has already been set.
  virtual void TopLevelZoomed(Window&, bool) {}
  // Something in this top-level window must be drawn again; the backend
  // calls render_window() when it next paints.
  virtual void Invalidate(Window&) {}

  // A modal loop has nothing queued: wait for input until the deadline (-1:
  // none). Returns false when nothing can ever arrive; the loop is then
  // abandoned (headless runs with nothing scripted).
  virtual bool WaitForEvents(std::int64_t deadline_ms, ModalFrame& frame) = 0;
  // Any thread: a message was posted; a waiting loop must wake.
  virtual void Wake() {}

  virtual void Beep(int kind) {}
  virtual std::string GetClipboardText() { return clipboard_; }
  virtual void SetClipboardText(std::string_view text) { clipboard_ = text; }
  virtual Point GetCursorPos() { return cursor_; }
  virtual void SetCursorPos(Point p) { cursor_ = p; }
  virtual Rect WorkArea() { return {0, 0, 1280, 984}; }

 protected:
  std::string clipboard_;
  Point cursor_;
};

// Headless: fixed metrics, beeps counted, no screen. With the virtual clock
// (tests) an idle modal loop asks the idle handler (the test driver) for the
// next scripted step. With real time (a process without a display) it waits
// for the next timer or a post from another thread.
class HeadlessBackend final : public Backend {
 public:
  explicit HeadlessBackend(bool real_time = false) : real_time_(real_time) {}
  const TextMetrics& metrics() const override { return metrics_; }
  Clock& clock() override { return real_time_ ? static_cast<Clock&>(monotonic_) : clock_; }
  VirtualClock& virtual_clock() { return clock_; }
  bool WaitForEvents(std::int64_t deadline_ms, ModalFrame& frame) override;
  void Wake() override;
  void Beep(int kind) override { beeps_.push_back(kind); }
  const std::vector<int>& beeps() const { return beeps_; }
  void ClearBeeps() { beeps_.clear(); }
  // The screen a test stands for (a small laptop screen, say).
  Rect WorkArea() override { return work_area_; }
  void SetWorkArea(const Rect& r) { work_area_ = r; }
  // Returns true when it did something (the loop looks again).
  std::function<bool(ModalFrame&)> idle_handler;

 private:
  HeadlessMetrics metrics_;
  Rect work_area_ = Backend::WorkArea();
  VirtualClock clock_;
  MonotonicClock monotonic_;
  bool real_time_;
  std::vector<int> beeps_;
  std::mutex wake_mutex_;
  std::condition_variable woken_;
  bool wake_ = false;
};

// The current backend; never null.
Backend& backend();
// Installs a backend (not owned); nullptr returns to the built-in headless one.
void set_backend(Backend* b);
HeadlessBackend& default_headless_backend();

// Shortcuts.
inline Clock& ui_clock() { return backend().clock(); }
void message_beep(int kind);

}  // namespace kt::ui
