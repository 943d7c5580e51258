// The vertical scroll bar that lists draw at their right edge when they
// hold more rows than they show: two arrow buttons and a thumb whose size
// and place follow the visible share of the rows. The arithmetic is shared
// by drawing and clicking so the thumb is where the user clicks.
#pragma once

#include <algorithm>

#include "platform/device_context.h"

namespace kt::ui {

inline constexpr int kScrollBarWidth = 16;

struct ScrollBarParts {
  Rect up, down, track, thumb;
};

inline ScrollBarParts scroll_bar_parts(const Rect& bar, int first, int visible, int total) {
  ScrollBarParts p;
  int arrow = std::min(kScrollBarWidth, bar.Height() / 2);
  p.up = {bar.left, bar.top, bar.right, bar.top + arrow};
  p.down = {bar.left, bar.bottom - arrow, bar.right, bar.bottom};
  p.track = {bar.left, p.up.bottom, bar.right, p.down.top};
  int span = std::max(0, p.track.Height());
  int rows = std::max(1, total);
  int size = std::clamp(span * std::max(1, visible) / rows, std::min(span, 8), span);
  int room = span - size;
  int range = std::max(1, total - visible);
  int at = room * std::clamp(first, 0, range) / range;
  p.thumb = {bar.left, p.track.top + at, bar.right, p.track.top + at + size};
  return p;
}

inline void draw_scroll_bar(DeviceContext& dc, const Rect& bar, int first, int visible, int total) {
  ScrollBarParts p = scroll_bar_parts(bar, first, visible, total);
  dc.FillRect(bar, rgb(232, 232, 232));
  dc.DrawButtonFrame(p.up, false);
  dc.DrawButtonFrame(p.down, false);
  if (p.thumb.Height() > 0) dc.DrawButtonFrame(p.thumb, false);
  Point u = p.up.Center(), d = p.down.Center();
  for (int i = 0; i < 4; ++i) {
    dc.Line({u.x - i, u.y - 2 + i}, {u.x + i + 1, u.y - 2 + i}, kWindowTextColor);
    dc.Line({d.x - i, d.y + 1 - i}, {d.x + i + 1, d.y + 1 - i}, kWindowTextColor);
  }
}

// The first row after a click at y on the bar (arrows: one row; track:
// one page; the thumb itself: no change).
inline int scroll_bar_click(const Rect& bar, int y, int first, int visible, int total) {
  ScrollBarParts p = scroll_bar_parts(bar, first, visible, total);
  int last = std::max(0, total - visible);
  int to = first;
  if (y < p.up.bottom) to = first - 1;
  else if (y >= p.down.top) to = first + 1;
  else if (y < p.thumb.top) to = first - std::max(1, visible - 1);
  else if (y >= p.thumb.bottom) to = first + std::max(1, visible - 1);
  return std::clamp(to, 0, last);
}

}  // namespace kt::ui
