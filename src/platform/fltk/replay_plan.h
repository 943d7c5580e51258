// What a screen backend needs to replay a display list faithfully, apart
// from the drawing calls themselves: the clip rectangle of each operation
// (the drawing window's client area cut by every ancestor's and by the
// visible areas on the way, then by the window's own clip operations), the
// pixels a line really covers (its end point is excluded, as the dialog
// code expects), gradient steps and the checker pattern. Inline and free of
// any toolkit, so headless tests check the same arithmetic the screen uses.
//
// A list holds a few thousand operations at most; the tracker keeps one
// rectangle per window that drew, looked up by handle.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <unordered_map>

#include "platform/display_list.h"
#include "platform/window.h"

namespace kt::ui {

class ClipTracker {
 public:
  explicit ClipTracker(Window& top) : top_(top) {}

  // The rectangle (top-level client coordinates) an operation may paint; a
  // clip operation narrows its window's clip for the operations after it.
  Rect ClipFor(const DrawItemOp& op) {
    std::uint64_t key = std::uint64_t(op.window.ToParam());
    auto it = clips_.find(key);
    if (it == clips_.end()) it = clips_.emplace(key, WindowClip(op.window)).first;
    if (op.op == DrawOp::kClip) it->second = it->second.Intersect(op.rect);
    return it->second;
  }

  // A window's client area in the top-level window, cut by its ancestors'
  // and by the visible areas on the way up.
  Rect WindowClip(WindowHandle h) const {
    Window* w = Window::FromHandle(h);
    if (!w || w->GetTopLevel() != &top_) return top_.GetClientRect();
    return w->GetVisibleClientRect();
  }

 private:
  Window& top_;
  std::unordered_map<std::uint64_t, Rect> clips_;
};

// The last pixel a line paints: one short of its end along the line's
// longer direction; a line of no length paints nothing (returns false).
inline bool line_last_pixel(const Rect& line, Point& last) {
  int dx = line.right - line.left, dy = line.bottom - line.top;
  if (dx == 0 && dy == 0) return false;
  if (std::abs(dx) >= std::abs(dy)) {
    int step = dx > 0 ? 1 : -1;
    last = {line.right - step, line.top + (dy * (dx - step)) / dx};
  } else {
    int step = dy > 0 ? 1 : -1;
    last = {line.left + (dx * (dy - step)) / dy, line.bottom - step};
  }
  return true;
}

// The colour of step i of n from `from` to `to` (step 0 is `from`, step
// n - 1 is `to`).
inline Color gradient_step(Color from, Color to, int i, int n) {
  if (n <= 1) return from;
  auto mix = [&](int a, int b) { return a + (b - a) * i / (n - 1); };
  return rgb(mix(red_of(from), red_of(to)), mix(green_of(from), green_of(to)), mix(blue_of(from), blue_of(to)));
}

inline bool checker_pixel(int x, int y) { return ((x + y) & 1) == 0; }

}  // namespace kt::ui
