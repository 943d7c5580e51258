// The page area's scroll bars (see page_scroller.h).
#include "shell/page_scroller.h"

#include <algorithm>

using namespace kt::ui;

void PageScrollBar::SetRange(int total, int shown, int offset) {
  m_total = std::max(0, total);
  m_shown = std::max(1, shown);
  m_offset = std::clamp(offset, 0, std::max(0, m_total - m_shown));
  Invalidate();
}

PageScrollBar::Parts PageScrollBar::Measure() const {
  Parts p;
  Rect r = GetClientRect();
  p.length = m_axis == 0 ? r.Width() : r.Height();
  p.arrow = std::min(kThickness, p.length / 2);
  int track = std::max(0, p.length - 2 * p.arrow);
  p.thumb_size = std::clamp(m_total > 0 ? track * m_shown / m_total : track, std::min(track, 10), track);
  int range = std::max(1, m_total - m_shown);
  p.thumb_at = p.arrow + (track - p.thumb_size) * m_offset / range;
  return p;
}

Rect PageScrollBar::Span(int from, int to) const {
  Rect r = GetClientRect();
  return m_axis == 0 ? Rect{from, 0, to, r.bottom} : Rect{0, from, r.right, to};
}

void PageScrollBar::OnPaint(DeviceContext& dc) {
  Parts p = Measure();
  dc.FillRect(GetClientRect(), rgb(232, 232, 232));
  dc.DrawButtonFrame(Span(0, p.arrow), false);
  dc.DrawButtonFrame(Span(p.length - p.arrow, p.length), false);
  dc.DrawButtonFrame(Span(p.thumb_at, p.thumb_at + p.thumb_size), m_drag_from >= 0);
  // Arrow heads: small triangles pointing out of the bar.
  Point a = Span(0, p.arrow).Center(), b = Span(p.length - p.arrow, p.length).Center();
  for (int i = 0; i < 4; ++i) {
    if (m_axis == 0) {
      dc.Line({a.x - 2 + i, a.y - i}, {a.x - 2 + i, a.y + i + 1}, kWindowTextColor);
      dc.Line({b.x + 1 - i, b.y - i}, {b.x + 1 - i, b.y + i + 1}, kWindowTextColor);
    } else {
      dc.Line({a.x - i, a.y - 2 + i}, {a.x + i + 1, a.y - 2 + i}, kWindowTextColor);
      dc.Line({b.x - i, b.y + 1 - i}, {b.x + i + 1, b.y + 1 - i}, kWindowTextColor);
    }
  }
}

void PageScrollBar::MoveTo(int offset) {
  int to = std::clamp(offset, 0, std::max(0, m_total - m_shown));
  if (to == m_offset) return;
  m_offset = to;
  Invalidate();
  if (m_on_scroll) m_on_scroll(to);
}

void PageScrollBar::OnLButtonDown(Point pt, unsigned) {
  Parts p = Measure();
  int at = Along(pt);
  if (at < p.arrow) return MoveTo(m_offset - 20);
  if (at >= p.length - p.arrow) return MoveTo(m_offset + 20);
  if (at < p.thumb_at) return MoveTo(m_offset - std::max(20, m_shown - 20));
  if (at >= p.thumb_at + p.thumb_size) return MoveTo(m_offset + std::max(20, m_shown - 20));
  m_drag_from = at;
  m_drag_offset = m_offset;
  SetCapture();
  Invalidate();
}

void PageScrollBar::OnMouseMove(Point pt, unsigned) {
  if (m_drag_from < 0) return;
  Parts p = Measure();
  int track = std::max(1, p.length - 2 * p.arrow - p.thumb_size);
  MoveTo(m_drag_offset + (Along(pt) - m_drag_from) * std::max(0, m_total - m_shown) / track);
}

void PageScrollBar::OnLButtonUp(Point, unsigned) {
  if (m_drag_from < 0) return;
  m_drag_from = -1;
  ReleaseCapture();
  Invalidate();
}

void PageScrollBar::OnMouseWheel(int delta, Point) { MoveTo(m_offset - delta / 120 * 40); }
