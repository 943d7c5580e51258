// Anchoring and arrangement (see resizable_layout.h). The platform moves
// every control at once in its own deferred positioning; here the controls
// are moved one after the other, which looks the same because nothing is
// drawn until the whole arrangement is done. Margins are integer pixels and
// the percentages divide with truncation toward zero, so a dialog brought
// back to its first size puts every control back exactly where it was.
#include "shell/resizable_layout.h"

using namespace kt::ui;

CResizableLayout::~CResizableLayout() = default;
CResizableGrip::~CResizableGrip() = default;
CResizableMinMax::~CResizableMinMax() = default;
CResizableState::~CResizableState() = default;

void CResizableLayout::AnchorControl(Window* control, Anchor top_left, Anchor bottom_right) {
  Window* parent = GetLayoutWindow();
  if (!control || !control->IsWindow() || !parent) return;
  LayoutInfo info;
  info.window = control->handle();
  info.class_name = control->ClassName();
  info.style = control->GetStyle();
  if (info.class_name == "Button" && (info.style & kBsTypeMask) == kBsGroupBox)
    control->ModifyStyle(0, kWsClipSiblings);
  if (info.class_name == "ListBox") info.hscroll_check = true;
  if (bottom_right.x == -1 && bottom_right.y == -1) bottom_right = top_left;
  info.top_left = top_left;
  info.bottom_right = bottom_right;
  Rect r = control->GetRectInParent();
  Rect client = GetLayoutClientRect();
  bool laid_out_elsewhere = m_laid_out_size.cx > 0 && m_laid_out_size.cy > 0;
  int w = laid_out_elsewhere ? m_laid_out_size.cx : client.Width();
  int h = laid_out_elsewhere ? m_laid_out_size.cy : client.Height();
  info.top_left_margin = {r.left - w * top_left.x / 100, r.top - h * top_left.y / 100};
  info.bottom_right_margin = {r.right - w * bottom_right.x / 100, r.bottom - h * bottom_right.y / 100};
  info.refresh = MustRepaintControl(info);
  m_layout.push_back(info);
}

void CResizableLayout::AnchorControl(int id, Anchor top_left, Anchor bottom_right) {
  Window* parent = GetLayoutWindow();
  AnchorControl(parent ? parent->GetDlgItem(id) : nullptr, top_left, bottom_right);
}

void CResizableLayout::AnchorPastEdgesOf(int id) {
  Window* parent = GetLayoutWindow();
  Window* grown = parent ? parent->GetDlgItem(id) : nullptr;
  if (!grown) return;
  auto anchored = [&](const Window* w) {
    for (const LayoutInfo& info : m_layout)
      if (info.window == w->handle()) return &info;
    return static_cast<const LayoutInfo*>(nullptr);
  };
  const LayoutInfo* own = anchored(grown);
  if (!own) return;
  const Anchor edge = own->bottom_right;  // a copy: anchoring below appends to the list
  const Rect g = grown->GetRectInParent();
  for (Window* child : parent->Children()) {
    if (child == grown || child->GetDlgCtrlID() == CResizableGrip::kGripId || anchored(child)) continue;
    Rect r = child->GetRectInParent();
    // Beside means level with the control: a group below it that reaches
    // further right than the control moves down as one, not torn apart.
    bool below = r.top >= g.bottom, beside = !below && r.left >= g.right;
    if (!beside && !below) continue;
    Anchor top_left{beside ? edge.x : 0, below ? edge.y : 0};
    Anchor bottom_right = top_left;
    if (beside && r.bottom >= g.bottom) bottom_right.y = edge.y;
    AnchorControl(child, top_left, bottom_right);
  }
}

void CResizableLayout::AddAnchorCallback(int callback_id) {
  LayoutInfo info;
  info.callback_id = callback_id;
  if (m_first_callback < 0) m_first_callback = int(m_layout.size());
  m_layout.push_back(info);
}

void CResizableLayout::RemoveAllAnchors() {
  m_layout.clear();
  m_first_callback = -1;
}

Rect CResizableLayout::GetLayoutClientRect() const {
  Window* w = GetLayoutWindow();
  return w ? w->GetClientRect() : Rect{};
}

void CResizableLayout::ArrangeLayout() {
  Rect client = GetLayoutClientRect();
  int w = client.Width(), h = client.Height();
  for (LayoutInfo& info : m_layout) {
    if (!info.window && !ArrangeControlHook(info)) continue;
    Window* control = Window::FromHandle(info.window);
    if (!control) continue;
    Rect now = control->GetRectInParent();
    Rect next{w * info.top_left.x / 100 + info.top_left_margin.x, h * info.top_left.y / 100 + info.top_left_margin.y,
              w * info.bottom_right.x / 100 + info.bottom_right_margin.x,
              h * info.bottom_right.y / 100 + info.bottom_right_margin.y};
    if (next == now) continue;
    control->MoveWindow(next, info.refresh || info.hscroll_check);
  }
}

bool CResizableLayout::MayClipControl(const LayoutInfo& info) const {
  std::uint32_t type = info.style & kSsTypeMask;
  if (info.class_name == "ToolbarWindow32") return !(info.style & 0x8000);  // transparent toolbar
  if (info.class_name == "Button") return (info.style & kBsTypeMask) != kBsGroupBox;
  if (info.class_name == "Static") {
    if (type == kSsIcon || type == 0xF) return !(info.style & kSsCenterImage);
    return type == 4 || type == 5 || type == 6 || type == 14 || type == 16 || type == 17;
  }
  return true;
}

bool CResizableLayout::MustRepaintControl(const LayoutInfo& info) const {
  if (info.class_name != "Static") return false;
  std::uint32_t type = info.style & kSsTypeMask;
  if (type <= 2 || type == 14 || type == 15) return true;
  if (type == 3 || type == 11 || type == 16 || type == 17) return false;
  return (info.style & kSsCenterImage) != 0;
}

// ---- grip ----

CResizableGrip::CResizableGrip() : m_grip_size{16, 16} {}

bool CResizableGrip::CreateSizeGrip(Window* parent) {
  if (m_grip.IsWindow()) return true;
  if (!m_grip.Create(parent, m_grip_size.cx)) return false;
  m_grip.SetDlgCtrlID(kGripId);
  m_grip.ModifyStyle(0, kWsClipSiblings);
  UpdateGripPos();
  return true;
}

void CResizableGrip::ShowGrip(bool show) {
  if (m_grip.IsWindow()) m_grip.ShowWindow(show ? kSwShow : kSwHide);
}

void CResizableGrip::UpdateGripPos() {
  Window* w = GetLayoutWindow();
  if (!w || !m_grip.IsWindow()) return;
  Rect c = w->GetClientRect();
  m_grip.SetWindowPos(nullptr, c.right - m_grip_size.cx, c.bottom - m_grip_size.cy, 0, 0,
                      kSwpNoSize | kSwpNoZOrder | kSwpNoActivate);
  m_grip.EnableWindow(!w->IsZoomed());
}

// ---- track sizes ----

void CResizableMinMax::SetMinimumSize(Size size) {
  m_min_track = size;
  m_use_min_track = true;
}

void CResizableMinMax::SetMaximumSize(Size size) {
  m_max_track = size;
  m_use_max_track = true;
}

void CResizableMinMax::SetMaximizedRect(const Rect& r) {
  m_max_position = r.TopLeft();
  m_max_size = {r.Width(), r.Height()};
  m_use_max_rect = true;
}

void CResizableMinMax::ResetAll() { m_use_max_track = m_use_min_track = m_use_max_rect = false; }

void CResizableMinMax::FillMinMaxInfo(MinMaxInfo& info) const {
  if (m_use_min_track) info.min_track_size = {m_min_track.cx, m_min_track.cy};
  if (m_use_max_track) info.max_track_size = {m_max_track.cx, m_max_track.cy};
  if (m_use_max_rect) {
    info.max_position = m_max_position;
    info.max_size = {m_max_size.cx, m_max_size.cy};
  }
}

Size CResizableMinMax::ClampTrackSize(Size s) const {
  if (m_use_max_track) {
    if (s.cx > m_max_track.cx) s.cx = m_max_track.cx;
    if (s.cy > m_max_track.cy) s.cy = m_max_track.cy;
  }
  if (m_use_min_track) {
    if (s.cx < m_min_track.cx) s.cx = m_min_track.cx;
    if (s.cy < m_min_track.cy) s.cy = m_min_track.cy;
  }
  return s;
}
