// The layout lint (see dialog_layout_lint.h). Templates hold at most a few
// hundred controls, so the overlap check compares every pair.
#include "screen/dialog_layout_lint.h"

#include <algorithm>
#include <cmath>

#include "platform/device_context.h"

namespace kt::ui {

namespace {

// Advance widths of the 256 code page 1252 characters, Liberation Sans at
// 10 pixels (control characters 0), as the FLTK backend measures them.
constexpr float kRegular[256] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    3, 3, 4, 6, 6, 9, 7, 2, 3, 3, 4, 6, 3, 3, 3, 3, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 3, 3, 6, 6, 6, 6,
    10, 7, 7, 7, 7, 7, 6, 8, 7, 3, 5, 7, 6, 8, 7, 8, 7, 8, 7, 7, 6, 7, 7, 9, 7, 7, 6, 3, 3, 3, 5, 6,
    3, 6, 6, 5, 6, 6, 3, 6, 6, 2, 2, 5, 2, 8, 6, 6, 6, 6, 3, 5, 3, 6, 5, 7, 5, 5, 5, 3, 3, 3, 6, 4,
    6, 6, 2, 6, 3, 10, 6, 6, 3, 10, 7, 3, 10, 6, 6, 6, 6, 2, 2, 3, 3, 4, 6, 10, 3, 10, 5, 3, 9, 6, 5, 7,
    3, 3, 6, 6, 6, 6, 3, 6, 3, 7, 4, 6, 6, 3, 7, 6, 4, 5, 3, 3, 3, 6, 5, 3, 3, 3, 4, 6, 8, 8, 8, 6,
    7, 7, 7, 7, 7, 7, 10, 7, 7, 7, 7, 7, 3, 3, 3, 3, 7, 7, 8, 8, 8, 8, 8, 6, 8, 7, 7, 7, 7, 7, 7, 6,
    6, 6, 6, 6, 6, 6, 9, 5, 6, 6, 6, 6, 3, 3, 3, 3, 6, 6, 6, 6, 6, 6, 6, 5, 6, 6, 6, 6, 6, 5, 6, 5,
};
constexpr float kBold[256] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    3, 3, 5, 6, 6, 9, 7, 2, 3, 3, 4, 6, 3, 3, 3, 3, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 3, 3, 6, 6, 6, 6,
    10, 7, 7, 7, 7, 7, 6, 8, 7, 3, 6, 7, 6, 8, 7, 8, 7, 8, 7, 7, 6, 7, 7, 9, 7, 7, 6, 3, 3, 3, 6, 6,
    3, 6, 6, 6, 6, 6, 3, 6, 6, 3, 3, 6, 3, 9, 6, 6, 6, 6, 4, 6, 3, 6, 6, 8, 6, 6, 5, 4, 3, 4, 6, 4,
    6, 6, 3, 6, 5, 10, 6, 6, 3, 10, 7, 3, 10, 6, 6, 6, 6, 3, 3, 5, 5, 4, 6, 10, 3, 10, 6, 3, 9, 6, 5, 7,
    3, 3, 6, 6, 6, 6, 3, 6, 3, 7, 4, 6, 6, 3, 7, 6, 4, 5, 3, 3, 3, 6, 6, 3, 3, 3, 4, 6, 8, 8, 8, 6,
    7, 7, 7, 7, 7, 7, 10, 7, 7, 7, 7, 7, 3, 3, 3, 3, 7, 7, 8, 8, 8, 8, 8, 6, 8, 7, 7, 7, 7, 7, 7, 6,
    6, 6, 6, 6, 6, 6, 9, 6, 6, 6, 6, 6, 3, 3, 3, 3, 6, 6, 6, 6, 6, 6, 6, 5, 6, 6, 6, 6, 6, 6, 6, 6,
};
constexpr int kLineHeight = 13;

int font_pixels(const Font& font) { return ((font.points > 0 ? font.points : 8) * 5 + 2) / 4; }

// One line per problem: a line break of a caption is written as a backslash
// and "n", letters above ASCII as a backslash, "x" and two hex digits.
std::string where(const DialogTemplate& t, const ControlTemplate& c) {
  std::string caption;
  for (const char* p = c.caption ? c.caption : ""; *p; ++p) {
    unsigned char ch = static_cast<unsigned char>(*p);
    if (ch == '\n') {
      caption += "\\n";
    } else if (ch >= 0x80) {  // accented letters as hex, so the worklist stays ASCII
      const char* hex = "0123456789ABCDEF";
      caption += {'\\', 'x', hex[ch >> 4], hex[ch & 15]};
    } else if (ch != '\r') {
      caption += char(ch);
    }
  }
  return "template " + std::to_string(t.id) + ", control " + std::to_string(c.id) + " \"" + caption + "\"";
}

bool holds_others(const ControlTemplate& c) {
  std::string_view cls = c.class_name ? c.class_name : "";
  if (cls == "Custom") return true;
  if (cls == "Button") return (c.style & kBsTypeMask) == kBsGroupBox;
  if (cls == "Static") {
    std::uint32_t type = c.style & kSsTypeMask;
    return (type >= kSsBlackRect && type <= kSsBlackFrame + 2) || type == kSsEtchedFrame;  // rectangles, frames
  }
  return false;
}

}  // namespace

int ScreenFontMetrics::TextWidth(const Font& font, std::string_view text) const {
  const float* widths = font.bold ? kBold : kRegular;
  double sum = 0;
  for (char ch : text) sum += widths[static_cast<unsigned char>(ch == '\t' ? ' ' : ch)];
  return int(std::lround(sum * font_pixels(font) / 10.0));
}

int ScreenFontMetrics::LineHeight(const Font& font) const { return (kLineHeight * font_pixels(font) + 5) / 10; }

std::vector<std::string> lint_dialog_on_screen(const DialogTemplate& t, const TextMetrics& metrics, Size screen) {
  if (t.style & (kWsChild | kWsThickFrame)) return {};
  Font font;
  font.face = t.font_face ? t.font_face : "MS Sans Serif";
  font.points = t.font_points;
  Rect r = dialog_units_to_pixels(0, 0, t.cx, t.cy, metrics.DialogBaseUnits(font));
  constexpr int kTitleBar = 24, kBorders = 6;
  int width = r.Width() + kBorders, height = r.Height() + kTitleBar + kBorders;
  if (width <= screen.cx && height <= screen.cy) return {};
  return {"template " + std::to_string(t.id) + ": " + std::to_string(width) + "x" + std::to_string(height) +
          " pixels, more than a " + std::to_string(screen.cx) + "x" + std::to_string(screen.cy) + " screen shows"};
}

std::vector<std::string> lint_dialog_layout(const DialogTemplate& t, const TextMetrics& metrics,
                                            const ShownCaption& caption, const std::vector<SharedPlace>& shared) {
  std::vector<std::string> out;
  Font font;
  font.face = t.font_face ? t.font_face : "MS Sans Serif";
  font.points = t.font_points;
  Size base = metrics.DialogBaseUnits(font);
  int line = metrics.LineHeight(font);
  // A drop-down combo box's template height is that of its open list; on
  // the page it takes one field.
  auto px = [&](const ControlTemplate& c) {
    Rect r = dialog_units_to_pixels(c.x, c.y, c.cx, c.cy, base);
    if (std::string_view(c.class_name ? c.class_name : "") == "ComboBox" && (c.style & kCbsTypeMask) != kCbsSimple)
      r.bottom = std::min(r.bottom, r.top + line + 8);
    return r;
  };
  for (const ControlTemplate& c : t.controls) {
    if (c.x < 0 || c.y < 0 || c.x + c.cx > t.cx || c.y + c.cy > t.cy)
      out.push_back(where(t, c) + ": outside the dialog");
    std::string text = caption ? caption(t, c) : std::string(c.caption ? c.caption : "");
    std::string_view cls = c.class_name ? c.class_name : "";
    if (text.empty() || text.rfind("ac_", 0) == 0) continue;
    Rect r = px(c);
    int room = 0;
    bool wraps = false;
    if (cls == "Static") {
      std::uint32_t type = c.style & kSsTypeMask;
      if (type > kSsRight && type != kSsSimple && type != kSsLeftNoWordWrap) continue;
      room = r.Width();
      wraps = type <= kSsRight;
    } else if (cls == "Button") {
      std::uint32_t type = c.style & kBsTypeMask;
      if (c.style & kBsBitmap) continue;
      if (type == kBsGroupBox) {
        room = r.Width() - 16;
      } else if (!(c.style & kBsPushLike) &&
                 (type == kBsCheckBox || type == kBsAutoCheckBox || type == kBs3State || type == kBsAuto3State ||
                  type == kBsRadioButton || type == kBsAutoRadioButton)) {
        room = r.Width() - 16;
        wraps = (c.style & kBsMultiLine) != 0;
      } else {
        room = r.Width() - 4;  // inside the button's raised frame
        wraps = (c.style & kBsMultiLine) != 0 || type == kBsOwnerDraw;
      }
    } else {
      continue;
    }
    // Drawing marks of owner-drawn captions ("!SALVA", "@...") are not shown.
    std::string shown = text;
    if (cls == "Button" && (c.style & kBsTypeMask) == kBsOwnerDraw)
      while (!shown.empty() && (shown[0] == '!' || shown[0] == '@')) shown.erase(0, 1);
    std::string one_line;
    for (char ch : shown)
      if (ch != '&' && ch != '\r') one_line += ch;
    if (!wraps) {
      bool fits = true;
      std::size_t start = 0;
      while (start <= one_line.size()) {
        std::size_t nl = one_line.find('\n', start);
        if (nl == std::string::npos) nl = one_line.size();
        if (metrics.TextWidth(font, std::string_view(one_line).substr(start, nl - start)) > room) fits = false;
        start = nl + 1;
      }
      if (!fits) out.push_back(where(t, c) + ": caption wider than its control");
      continue;
    }
    int lines = int(DeviceContext::BreakLines(metrics, font, one_line, room, true).size());
    int height = cls == "Button" ? r.Height() - 2 : r.Height();
    bool too_wide = false;
    for (std::string_view word : DeviceContext::BreakLines(metrics, font, one_line, room, true))
      if (metrics.TextWidth(font, word) > room) too_wide = true;
    if (too_wide || lines * line > std::max(height, line))
      out.push_back(where(t, c) + ": caption needs " + std::to_string(lines) + " lines");
  }
  for (std::size_t i = 0; i < t.controls.size(); ++i) {
    const ControlTemplate& a = t.controls[i];
    if (holds_others(a)) continue;
    for (std::size_t k = i + 1; k < t.controls.size(); ++k) {
      const ControlTemplate& b = t.controls[k];
      if (holds_others(b)) continue;
      if (std::any_of(shared.begin(), shared.end(), [&](const SharedPlace& s) {
            return s.template_id == t.id &&
                   ((s.control == a.id && s.other == b.id) || (s.control == b.id && s.other == a.id));
          }))
        continue;
      Rect ra = px(a), rb = px(b);
      if (!ra.Intersect(rb).IsEmpty()) out.push_back(where(t, a) + " overlaps control " + std::to_string(b.id));
    }
  }
  return out;
}

}  // namespace kt::ui
