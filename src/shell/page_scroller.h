// The scroll bars of the frame's page area. A page whose template is larger
// than the page area (a small screen) keeps its own size and is moved under
// the area; a bar along the bottom and one along the right say which part
// shows and move it: arrows by 20 pixels, a click beside the thumb by a
// page, dragging the thumb, the wheel over the bar.
#pragma once

#include <functional>

#include "platform/ui.h"

class PageScrollBar : public kt::ui::Window {
 public:
  // axis 0: horizontal, 1: vertical. on_scroll receives the new offset.
  void Setup(int axis, std::function<void(int)> on_scroll) {
    m_axis = axis;
    m_on_scroll = std::move(on_scroll);
  }
  // The page's length, the shown length and the offset of the shown part.
  void SetRange(int total, int shown, int offset);
  int Offset() const { return m_offset; }
  static constexpr int kThickness = 16;

  void OnPaint(kt::ui::DeviceContext& dc) override;

 protected:
  void OnLButtonDown(kt::ui::Point p, unsigned mods) override;
  void OnLButtonUp(kt::ui::Point p, unsigned mods) override;
  void OnMouseMove(kt::ui::Point p, unsigned mods) override;
  void OnMouseWheel(int delta, kt::ui::Point p) override;

 private:
  struct Parts {
    int length = 0, arrow = 0, thumb_at = 0, thumb_size = 0;
  };
  Parts Measure() const;
  int Along(kt::ui::Point p) const { return m_axis == 0 ? p.x : p.y; }
  kt::ui::Rect Span(int from, int to) const;
  void MoveTo(int offset);

  int m_axis = 0;
  int m_total = 0, m_shown = 0, m_offset = 0;
  int m_drag_from = -1, m_drag_offset = 0;
  std::function<void(int)> m_on_scroll;
};
