// Progress bar and size grip (see progress_bar.h). The bar's filled width
// is the position's share of the range, in whole pixels of the inner face;
// an empty range draws only the face. The grip draws its ridges as lines so
// a screen backend and a test see the same three diagonals. Both controls
// are redrawn whole on every change: they are a few dozen pixels each and
// the processing pages move a bar at most a few times a second.
#include "platform/controls/progress_bar.h"

#include <algorithm>

#include "platform/device_context.h"

namespace kt::ui {

void ProgressBar::OnDestroy() {
  low_ = 0;
  high_ = 100;
  pos_ = 0;
}

void ProgressBar::SetRange(int low, int high) {
  low_ = low;
  high_ = std::max(low, high);
  pos_ = std::clamp(pos_, low_, high_);
  Invalidate();
}

int ProgressBar::SetPos(int pos) {
  int old = pos_;
  pos_ = std::clamp(pos, low_, high_);
  Invalidate();
  return old;
}

void ProgressBar::OnPaint(DeviceContext& dc) {
  Rect r = GetClientRect();
  dc.FillRect(r, back_);
  dc.FrameRect(r, kButtonShadowColor);
  int span = high_ - low_;
  if (span <= 0) return;
  Rect inner = r.Deflate(1);
  long long filled = (long long)(pos_ - low_) * inner.Width() / span;
  if (filled > 0) dc.FillRect(Rect{inner.left, inner.top, inner.left + int(filled), inner.bottom}, bar_);
}

bool SizeGrip::Create(Window* parent, int size) {
  if (!parent || !parent->IsWindow()) return false;
  Rect c = parent->GetClientRect();
  CreateParams p;
  p.class_name = "ScrollBar";
  p.style = kWsChild | kWsVisible | kSbsSizeGrip;
  p.rect = {c.right - size, c.bottom - size, c.right, c.bottom};
  p.parent = parent;
  return CreateEx(p);
}

void SizeGrip::OnPaint(DeviceContext& dc) {
  Rect r = GetClientRect();
  for (int k = 1; k <= 3; ++k) {
    int d = 4 * k;
    dc.Line({r.right - d, r.bottom - 1}, {r.right - 1, r.bottom - d}, kButtonShadowColor);
    dc.Line({r.right - d + 1, r.bottom - 1}, {r.right - 1, r.bottom - d + 1}, kWindowColor);
  }
}

}  // namespace kt::ui
