// The current backend, the headless backend and its fixed text metrics
// (see ui_backend.h). The headless widths are a small table by character
// class, scaled by the point size, so a test can work out by hand where a
// text lands; the dialog base units derive from the average letter width
// as they do for any font, so a template lays out the same way with any
// metrics provider.
#include "platform/ui_backend.h"

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

bool HeadlessBackend::WaitForEvents(std::int64_t, ModalFrame& frame) {
  return idle_handler ? idle_handler(frame) : false;
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
