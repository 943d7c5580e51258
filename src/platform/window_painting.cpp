// Rendering of a window tree into a display list (see window.h). A window
// paints its background, then itself, then its visible children in creation
// order (later controls over earlier ones), each with a device context whose
// origin is the child's place in top-level client coordinates and whose clip
// is the child's rectangle (cut to its visible area) within its parent's clip.
#include "platform/device_context.h"
#include "platform/ui_backend.h"
#include "platform/window.h"

namespace kt::ui {

namespace {

void paint_tree(Window& w, DisplayList& out, Point origin, Rect clip) {
  if (!w.IsWindow() || !(w.GetStyle() & kWsVisible)) return;
  DeviceContext dc(out, backend().metrics(), origin, clip, w.handle(), w.GetParent() ? w.GetDlgCtrlID() : 0);
  dc.SelectFont(w.GetFont());
  w.OnEraseBackground(dc);
  w.OnPaint(dc);
  std::vector<Window*> kids = w.Children();
  for (Window* c : kids) {
    if (!c->IsWindow()) continue;
    Rect r = c->GetRectInParent();
    Point o{origin.x + r.left, origin.y + r.top};
    Rect child_clip = clip.Intersect(Rect{o.x, o.y, o.x + r.Width(), o.y + r.Height()});
    if (const Rect* area = c->VisibleArea()) child_clip = child_clip.Intersect(area->Offset(origin.x, origin.y));
    paint_tree(*c, out, o, child_clip);
  }
}

}  // namespace

DisplayList render_window(Window& top) {
  DisplayList out;
  Rect c = top.GetClientRect();
  paint_tree(top, out, {0, 0}, c);
  return out;
}

}  // namespace kt::ui
