// Static control drawing (see static_control.h). Frames and filled
// rectangles ignore colours; text and images ask the parent for colours
// first, so a page's coloured statics answer for themselves through
// reflection and the dialog's background shows through the others. Word
// wrapping follows the draw-text rules of the device context, so a label is
// broken into the same lines headless and on screen.
#include "platform/controls/static_control.h"

#include "platform/device_context.h"

namespace kt::ui {

void StaticText::SetBitmap(int resource, std::string_view name) {
  image_ = resource;
  image_name_ = std::string(name);
  Invalidate();
}

void StaticText::OnLButtonDown(Point, unsigned) {
  if (GetStyle() & kSsNotify) NotifyParentCommand(kStnClicked);
}

void StaticText::OnLButtonDblClk(Point, unsigned) {
  if (GetStyle() & kSsNotify) NotifyParentCommand(kStnDblClk);
}

void StaticText::OnPaint(DeviceContext& dc) {
  Rect r = GetClientRect();
  std::uint32_t type = GetStyle() & kSsTypeMask;
  switch (type) {
    case kSsBlackRect: dc.FillRect(r, kWindowTextColor); return;
    case kSsGrayRect: dc.FillRect(r, kButtonShadowColor); return;
    case kSsWhiteRect: dc.FillRect(r, kWindowColor); return;
    case kSsBlackFrame: dc.FrameRect(r, kWindowTextColor); return;
    case kSsEtchedFrame: dc.FrameRect(r, kButtonShadowColor); return;
    default: break;
  }
  dc.SetTextColor(kWindowTextColor);
  Color brush = RequestColors(dc, CtlType::kStatic);
  if (brush != kNoColor) dc.FillRect(r, brush);
  if (GetStyle() & kSsSunken) dc.FrameRect(r, kButtonShadowColor);
  if (type == kSsIcon || type == kSsBitmap) {
    if (image_ || !image_name_.empty()) {
      if (type == kSsIcon) dc.DrawIcon(r.TopLeft(), image_, image_name_);
      else dc.DrawBitmap(r, image_, image_name_);
    }
    return;
  }
  if (type == kSsOwnerDraw) {
    DrawItemInfo info;
    info.ctl_type = kOdtStatic;
    info.ctl_id = GetDlgCtrlID();
    info.window = this;
    info.dc = &dc;
    info.rect = r;
    if (!DrawItem(info) && GetParent()) GetParent()->SendMessage(kMsgDrawItem, WParam(GetDlgCtrlID()), reinterpret_cast<LParam>(&info));
    return;
  }
  std::uint32_t fmt = kDtWordBreak | kDtExpandTabs;
  if (type == kSsCenter) fmt |= kDtCenter;
  if (type == kSsRight) fmt |= kDtRight;
  if (type == kSsSimple || type == kSsLeftNoWordWrap) fmt = kDtSingleLine;
  if (GetStyle() & kSsCenterImage) fmt = (fmt & ~kDtWordBreak) | kDtSingleLine | kDtVCenter;
  dc.SetBkMode(kBkTransparent);
  if (!IsWindowEnabled()) dc.SetTextColor(kGrayTextColor);
  dc.DrawText(GetWindowText(), r, fmt);
}

}  // namespace kt::ui
