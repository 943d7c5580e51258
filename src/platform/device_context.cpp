// Recording device context (see device_context.h). Text layout: lines are
// broken at "\n" (a "\r" before it is dropped) and, with word breaking, at
// the last blank that keeps the line within the width; a word longer than
// the width is cut where it no longer fits.
// Operations with nothing to draw (empty rectangles, no colour) are not recorded.
#include "platform/device_context.h"

#include <algorithm>

#include "platform/ui_backend.h"

namespace kt::ui {

DeviceContext::DeviceContext(DisplayList& out, const TextMetrics& metrics, Point origin, Rect clip,
                             WindowHandle window, int control_id)
    : out_(out), metrics_(metrics), origin_(origin), clip_(clip), window_(window), control_id_(control_id) {}

DrawItemOp DeviceContext::Base(DrawOp op, const Rect& r, Color c) const {
  DrawItemOp d;
  d.op = op;
  d.rect = r.Offset(origin_.x, origin_.y);
  d.color = c;
  d.window = window_;
  d.control_id = control_id_;
  d.item = item_;
  d.subitem = subitem_;
  return d;
}

void DeviceContext::FillRect(const Rect& r, Color c) {
  if (c == kNoColor || r.IsEmpty()) return;
  out_.Add(Base(DrawOp::kFill, r, c));
}

void DeviceContext::FrameRect(const Rect& r, Color c) {
  if (c == kNoColor || r.IsEmpty()) return;
  out_.Add(Base(DrawOp::kFrame, r, c));
}

void DeviceContext::Line(Point a, Point b, Color c, int width) {
  DrawItemOp d = Base(DrawOp::kLine, Rect{a.x, a.y, b.x, b.y}, c);
  d.width = width;
  out_.Add(std::move(d));
}

void DeviceContext::GradientFill(const Rect& r, Color from, Color to, bool vertical) {
  DrawItemOp d = Base(DrawOp::kGradient, r, from);
  d.color2 = to;
  d.vertical = vertical;
  out_.Add(std::move(d));
}

void DeviceContext::DrawBitmap(const Rect& r, int resource, std::string_view name) {
  DrawItemOp d = Base(DrawOp::kBitmap, r, kNoColor);
  d.resource = resource;
  d.text = name;
  out_.Add(std::move(d));
}

void DeviceContext::DrawIcon(Point at, int resource, std::string_view name) {
  DrawItemOp d = Base(DrawOp::kIcon, Rect{at.x, at.y, at.x + 16, at.y + 16}, kNoColor);
  d.resource = resource;
  d.text = name;
  out_.Add(std::move(d));
}

void DeviceContext::DrawButtonFrame(const Rect& r, bool pressed) {
  DrawItemOp d = Base(DrawOp::kButtonFrame, r, kButtonFaceColor);
  d.pressed = pressed;
  out_.Add(std::move(d));
}

void DeviceContext::DrawCheckMark(const Rect& r, int state, bool radio) {
  DrawItemOp d = Base(DrawOp::kCheckMark, r, text_color_);
  d.width = state;
  d.vertical = radio;
  out_.Add(std::move(d));
}

void DeviceContext::Checker(const Rect& r, Color c) { out_.Add(Base(DrawOp::kChecker, r, c)); }

void DeviceContext::DrawFocusRect(const Rect& r) {
  if (r.Width() < 3 || r.Height() < 3) return;
  Checker(Rect{r.left, r.top, r.right, r.top + 1}, kWindowTextColor);
  Checker(Rect{r.left, r.bottom - 1, r.right, r.bottom}, kWindowTextColor);
  Checker(Rect{r.left, r.top + 1, r.left + 1, r.bottom - 1}, kWindowTextColor);
  Checker(Rect{r.right - 1, r.top + 1, r.right, r.bottom - 1}, kWindowTextColor);
}

std::vector<std::string_view> DeviceContext::BreakLines(const TextMetrics& m, const Font& f, std::string_view text,
                                                        int width, bool word_break) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t nl = text.find('\n', start);
    std::string_view para = text.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start);
    if (!para.empty() && para.back() == '\r') para.remove_suffix(1);
    if (!word_break || width <= 0) {
      lines.push_back(para);
    } else {
      while (true) {
        if (m.TextWidth(f, para) <= width) {
          lines.push_back(para);
          break;
        }
        std::size_t cut = 0, last_blank = std::string_view::npos;
        while (cut < para.size() && m.TextWidth(f, para.substr(0, cut + 1)) <= width) {
          if (para[cut] == ' ') last_blank = cut;
          ++cut;
        }
        if (para[cut] == ' ') last_blank = cut;
        if (last_blank != std::string_view::npos && last_blank > 0) cut = last_blank;
        if (cut == 0) cut = 1;
        lines.push_back(para.substr(0, cut));
        para.remove_prefix(cut);
        while (!para.empty() && para.front() == ' ') para.remove_prefix(1);
        if (para.empty()) break;
      }
    }
    if (nl == std::string_view::npos) break;
    start = nl + 1;
  }
  return lines;
}

int DeviceContext::DrawText(std::string_view text, Rect& r, std::uint32_t format) {
  bool single = (format & kDtSingleLine) != 0;
  std::string owned;
  if (!(format & kDtNoPrefix) && text.find('&') != std::string_view::npos) {
    // "&&" shows one ampersand, a lone "&" marks a mnemonic and is not shown.
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '&' && i + 1 < text.size()) ++i;
      else if (text[i] == '&') continue;
      owned += text[i];
    }
    text = owned;
  }
  std::vector<std::string_view> lines;
  if (single) {
    lines.push_back(text);
  } else {
    lines = BreakLines(metrics_, font_, text, r.Width(), (format & kDtWordBreak) != 0);
  }
  int lh = metrics_.LineHeight(font_);
  int height = lh * int(lines.size());
  if (format & kDtCalcRect) {
    int w = 0;
    for (std::string_view l : lines) w = std::max(w, metrics_.TextWidth(font_, l));
    r.right = r.left + w;
    r.bottom = r.top + height;
    return height;
  }
  int y = r.top;
  if (single && (format & kDtVCenter)) y = r.top + (r.Height() - lh) / 2;
  else if (single && (format & kDtBottom)) y = r.bottom - lh;
  for (std::string_view l : lines) {
    int w = metrics_.TextWidth(font_, l);
    int x = r.left;
    if (format & kDtCenter) x = r.left + (r.Width() - w) / 2;
    else if (format & kDtRight) x = r.right - w;
    DrawItemOp d = Base(DrawOp::kText, Rect{x, y, x + w, y + lh}, text_color_);
    d.text = std::string(l);
    d.format = format;
    d.font = font_;
    d.transparent = bk_mode_ == kBkTransparent;
    d.color2 = d.transparent ? kNoColor : bk_color_;
    if (!l.empty()) out_.Add(std::move(d));
    y += lh;
  }
  return height;
}

void DeviceContext::TextOut(int x, int y, std::string_view text) {
  Size s = GetTextExtent(text);
  Rect r{x, y, x + s.cx, y + s.cy};
  DrawText(text, r, kDtSingleLine | kDtNoPrefix);
}

Size DeviceContext::GetTextExtent(std::string_view text) const {
  return {metrics_.TextWidth(font_, text), metrics_.LineHeight(font_)};
}

}  // namespace kt::ui
