// The scroll bars that lists draw at their right edge when they hold more
// rows than they show, and at their bottom edge when their columns are wider
// than the list: two arrow buttons and a thumb whose size and place follow
// the visible share. The arithmetic is shared by drawing and clicking so the
// thumb is where the user clicks; a horizontal bar is a vertical one turned
// on its side.
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

inline Rect transposed(const Rect& r) { return {r.top, r.left, r.bottom, r.right}; }

inline void draw_scroll_bar(DeviceContext& dc, const Rect& bar, int first, int visible, int total,
                            bool horizontal = false) {
  ScrollBarParts p = scroll_bar_parts(horizontal ? transposed(bar) : bar, first, visible, total);
  if (horizontal) p = {transposed(p.up), transposed(p.down), transposed(p.track), transposed(p.thumb)};
  dc.FillRect(bar, rgb(232, 232, 232));
  dc.DrawButtonFrame(p.up, false);
  dc.DrawButtonFrame(p.down, false);
  if (p.thumb.Height() > 0 && p.thumb.Width() > 0) dc.DrawButtonFrame(p.thumb, false);
  Point u = p.up.Center(), d = p.down.Center();
  for (int i = 0; i < 4; ++i) {
    if (horizontal) {
      dc.Line({u.x - 2 + i, u.y - i}, {u.x - 2 + i, u.y + i + 1}, kWindowTextColor);
      dc.Line({d.x + 1 - i, d.y - i}, {d.x + 1 - i, d.y + i + 1}, kWindowTextColor);
    } else {
      dc.Line({u.x - i, u.y - 2 + i}, {u.x + i + 1, u.y - 2 + i}, kWindowTextColor);
      dc.Line({d.x - i, d.y + 1 - i}, {d.x + i + 1, d.y + 1 - i}, kWindowTextColor);
    }
  }
}

// The first row (or pixel) after a click at y (x on a horizontal bar) on the
// bar: arrows move one line, the track one page, the thumb itself nothing.
inline int scroll_bar_click(const Rect& bar, int y, int first, int visible, int total, bool horizontal = false,
                            int line = 1) {
  ScrollBarParts p = scroll_bar_parts(horizontal ? transposed(bar) : bar, first, visible, total);
  int last = std::max(0, total - visible);
  int to = first;
  if (y < p.up.bottom) to = first - line;
  else if (y >= p.down.top) to = first + line;
  else if (y < p.thumb.top) to = first - std::max(1, visible - line);
  else if (y >= p.thumb.bottom) to = first + std::max(1, visible - line);
  return std::clamp(to, 0, last);
}

}  // namespace kt::ui
