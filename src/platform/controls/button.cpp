// Button behaviour and drawing (see button.h). A push-like check or radio
// box is drawn as a push button that stays pressed while checked. A radio
// button that becomes checked by a click unchecks the other automatic radio
// buttons of its group (from the previous control with the group style to
// the next one). A push button shows the default frame while Return would
// press it (the focused push button, else the dialog's default one) and a
// dotted focus rectangle inside while it holds the focus.
#include "platform/controls/button.h"

#include "platform/device_context.h"
#include "platform/dialog.h"

namespace kt::ui {

bool Button::IsCheckKind() const {
  std::uint32_t t = GetButtonStyle();
  return t == kBsCheckBox || t == kBsAutoCheckBox || t == kBs3State || t == kBsAuto3State;
}

bool Button::IsRadioKind() const {
  std::uint32_t t = GetButtonStyle();
  return t == kBsRadioButton || t == kBsAutoRadioButton;
}

void Button::SetCheck(int state) {
  if (check_ == state) return;
  check_ = state;
  Invalidate();
}

void Button::SetState(bool pushed) {
  if (pushed_ == pushed) return;
  pushed_ = pushed;
  Invalidate();
}

void Button::Click() {
  if (!IsWindow() || !IsEnabledWithAncestors()) return;
  std::uint32_t t = GetButtonStyle();
  if (t == kBsGroupBox) return;
  if (t == kBsAutoCheckBox) SetCheck(check_ == kBstChecked ? kBstUnchecked : kBstChecked);
  if (t == kBsAuto3State) SetCheck((check_ + 1) % 3);
  if (t == kBsAutoRadioButton && GetParent()) {
    const std::vector<Window*>& kids = GetParent()->Children();
    std::size_t at = 0;
    while (at < kids.size() && kids[at] != this) ++at;
    std::size_t first = at;
    while (first > 0 && !(kids[first]->GetStyle() & kWsGroup)) --first;
    for (std::size_t i = first; i < kids.size(); ++i) {
      if (i > first && (kids[i]->GetStyle() & kWsGroup)) break;
      Button* b = dynamic_cast<Button*>(kids[i]);
      if (b && b != this && b->GetButtonStyle() == kBsAutoRadioButton) b->SetCheck(kBstUnchecked);
    }
    SetCheck(kBstChecked);
  }
  NotifyParentCommand(kBnClicked);
}

unsigned Button::GetDlgCode(int) const {
  std::uint32_t t = GetButtonStyle();
  if (t == kBsGroupBox) return kStaticCode;
  if (IsRadioKind()) return kButtonCode | kRadioCode;
  if (IsCheckKind()) return kButtonCode;
  return kButtonCode | (t == kBsDefPushButton ? kDefPushCode : kUndefPushCode);
}

LResult Button::WindowProc(std::uint32_t message, WParam w, LParam l) {
  switch (message) {
    case kMsgButtonGetCheck:
      return check_;
    case kMsgButtonSetCheck:
      SetCheck(int(w));
      return 0;
    case kMsgButtonClick:
      Click();
      return 0;
    default:
      return Window::WindowProc(message, w, l);
  }
}

void Button::OnLButtonDown(Point, unsigned) {
  if (GetButtonStyle() == kBsGroupBox) return;
  SetFocus();
  SetCapture();
  SetState(true);
}

void Button::OnLButtonDblClk(Point p, unsigned mods) {
  double_clicked_ = true;
  OnLButtonDown(p, mods);
}

void Button::OnLButtonUp(Point p, unsigned) {
  if (GetCapture() == this) ReleaseCapture();
  if (!pushed_) return;
  SetState(false);
  bool dbl = double_clicked_;
  double_clicked_ = false;
  if (!GetClientRect().Contains(p)) return;
  WindowHandle self = handle();
  Click();
  if (dbl && IsWindow(self) && (IsRadioKind() || GetButtonStyle() == kBsOwnerDraw || (GetStyle() & kBsNotify)))
    NotifyParentCommand(kBnDoubleClicked);
}

void Button::OnSetFocus(Window*) {
  Invalidate();
  if (GetStyle() & kBsNotify) NotifyParentCommand(kBnSetFocus);
}

void Button::OnKillFocus(Window*) {
  pushed_ = false;
  Invalidate();
  if (GetStyle() & kBsNotify) NotifyParentCommand(kBnKillFocus);
}

void Button::OnDestroy() {
  pushed_ = false;
  double_clicked_ = false;
}

std::uint32_t Button::ItemState() const {
  std::uint32_t s = 0;
  if (pushed_) s |= kOdsSelected;
  if (!IsWindowEnabled()) s |= kOdsDisabled;
  if (GetFocus() == this) s |= kOdsFocus;
  if (check_ == kBstChecked) s |= kOdsChecked;
  return s;
}

void Button::OnPaint(DeviceContext& dc) {
  std::uint32_t t = GetButtonStyle();
  if (t == kBsOwnerDraw) {
    DrawItemInfo info;
    info.ctl_type = kOdtButton;
    info.ctl_id = GetDlgCtrlID();
    info.state = ItemState();
    info.window = this;
    info.dc = &dc;
    info.rect = GetClientRect();
    std::size_t before = dc.list().ops().size();
    WindowHandle self = handle();
    if (!DrawItem(info) && GetParent()) GetParent()->SendMessage(kMsgDrawItem, WParam(GetDlgCtrlID()), reinterpret_cast<LParam>(&info));
    // Nobody drew it (a template's owner-drawn button left to the generic
    // control): it shows as a push button rather than as nothing.
    if (IsWindow(self) && dc.list().ops().size() == before) PaintPush(dc, pushed_);
    return;
  }
  if (t == kBsGroupBox) return PaintGroup(dc);
  if ((IsCheckKind() || IsRadioKind()) && !(GetStyle() & kBsPushLike)) return PaintCheck(dc);
  PaintPush(dc, pushed_ || ((GetStyle() & kBsPushLike) && check_ == kBstChecked));
}

bool Button::ShowsAsDefault() const {
  for (const Window* p = GetParent(); p; p = p->GetParent())
    if (const Dialog* d = dynamic_cast<const Dialog*>(p)) return d->ReturnButton(GetFocus()) == this;
  return GetButtonStyle() == kBsDefPushButton;
}

void Button::PaintPush(DeviceContext& dc, bool pressed) {
  Rect r = GetClientRect();
  Color brush = RequestColors(dc, CtlType::kButton);
  (void)brush;
  dc.DrawButtonFrame(r, pressed);
  dc.FillRect(r.Deflate(2), kButtonFaceColor);
  if (ShowsAsDefault()) dc.FrameRect(r, kWindowTextColor);
  if (GetFocus() == this) dc.DrawFocusRect(r.Deflate(3));
  dc.SetBkMode(kBkTransparent);
  dc.SetTextColor(IsWindowEnabled() ? kWindowTextColor : kGrayTextColor);
  Rect text = r.Deflate(4).Offset(pressed ? 1 : 0, pressed ? 1 : 0);
  if (bitmap_) dc.DrawBitmap(text, bitmap_);
  else if (GetStyle() & kBsMultiLine) {
    Rect calc = text;
    int h = dc.DrawText(GetWindowText(), calc, kDtCenter | kDtWordBreak | kDtCalcRect);
    text.top += (text.Height() - h) / 2;
    dc.DrawText(GetWindowText(), text, kDtCenter | kDtWordBreak);
  } else {
    dc.DrawText(GetWindowText(), text, kDtCenter | kDtVCenter | kDtSingleLine);
  }
}

void Button::PaintCheck(DeviceContext& dc) {
  Rect r = GetClientRect();
  dc.SetTextColor(kWindowTextColor);
  Color brush = RequestColors(dc, CtlType::kStatic);
  if (brush != kNoColor) dc.FillRect(r, brush);
  int box = 13;
  int top = (r.Height() - box) / 2;
  bool left_text = (GetStyle() & kBsLeftText) != 0;
  Rect mark = left_text ? Rect{r.right - box, top, r.right, top + box} : Rect{0, top, box, top + box};
  dc.DrawCheckMark(mark, check_, IsRadioKind());
  Rect text = left_text ? Rect{0, 0, r.right - box - 4, r.bottom} : Rect{box + 4, 0, r.right, r.bottom};
  dc.SetBkMode(kBkTransparent);
  if (!IsWindowEnabled()) dc.SetTextColor(kGrayTextColor);
  std::uint32_t fmt = (GetStyle() & kBsMultiLine) ? kDtWordBreak : (kDtSingleLine | kDtVCenter);
  dc.DrawText(GetWindowText(), text, fmt);
  if (GetFocus() == this) dc.FrameRect(text, kGrayTextColor);
}

void Button::PaintGroup(DeviceContext& dc) {
  Rect r = GetClientRect();
  dc.SetTextColor(kWindowTextColor);
  Color brush = RequestColors(dc, CtlType::kStatic);
  int half = dc.GetTextExtent("X").cy / 2;
  dc.FrameRect(Rect{0, half, r.right, r.bottom}, kButtonShadowColor);
  std::string text = GetWindowText();
  if (text.empty()) return;
  Size s = dc.GetTextExtent(text);
  Rect tr{8, 0, 8 + s.cx + 4, s.cy};
  dc.FillRect(tr, brush == kNoColor ? dc.GetBkColor() : brush);
  dc.SetBkMode(kBkTransparent);
  if (!IsWindowEnabled()) dc.SetTextColor(kGrayTextColor);
  dc.DrawText(text, tr.Offset(2, 0), kDtSingleLine);
}

}  // namespace kt::ui
