// The current backend, the headless backend and its fixed text metrics
// (see ui_backend.h). The headless widths are a small table by character
// class, scaled by the point size, so a test can work out by hand where a
// text lands; the dialog base units derive from the average letter width
// as they do for any font, so a template lays out the same way with any
// metrics provider.
#include "platform/ui_backend.h"

#include <chrono>

namespace kt::ui {

Size TextMetrics::DialogBaseUnits(const Font& font) const {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  int w = TextWidth(font, kAlphabet);
  return {(w / 26 + 1) / 2, LineHeight(font)};
}

int HeadlessMetrics::TextWidth(const Font& font, std::string_view text) const {
  int units = 0;
  for (char ch : text) {
    switch (ch) {
      case 'i': case 'l': case 'I': case '.': case ',': case ':': case ';': case '\'': case '|': case '!':
        units += 3;
        break;
      case 'M': case 'W': case 'm': case 'w':
        units += 9;
        break;
      case '\r': case '\n':
        break;
      default:
        units += 6;
    }
  }
  int points = font.points > 0 ? font.points : 8;
  return (units * points + 4) / 8 + (font.bold ? int(text.size()) / 4 : 0);
}

int HeadlessMetrics::LineHeight(const Font& font) const {
  int points = font.points > 0 ? font.points : 8;
  return (13 * points + 4) / 8;
}

bool HeadlessBackend::WaitForEvents(std::int64_t deadline_ms, ModalFrame& frame) {
  if (idle_handler) return idle_handler(frame);
  if (!real_time_) return false;
  std::unique_lock<std::mutex> lock(wake_mutex_);
  if (deadline_ms < 0) {
    woken_.wait(lock, [this] { return wake_; });
  } else {
    std::int64_t wait = deadline_ms - monotonic_.NowMs();
    if (wait > 0) woken_.wait_for(lock, std::chrono::milliseconds(wait), [this] { return wake_; });
  }
  wake_ = false;
  return true;
}

void HeadlessBackend::Wake() {
  {
    std::lock_guard<std::mutex> lock(wake_mutex_);
    wake_ = true;
  }
  woken_.notify_one();
}

namespace {
Backend* g_current = nullptr;
}

HeadlessBackend& default_headless_backend() {
  static HeadlessBackend headless;
  return headless;
}

Backend& backend() { return g_current ? *g_current : default_headless_backend(); }

void set_backend(Backend* b) { g_current = b; }

void message_beep(int kind) { backend().Beep(kind); }

}  // namespace kt::ui
