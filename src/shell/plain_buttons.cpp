// Drawing of MLButton, CColorBitmap and CBigIcon (see plain_buttons.h).
// MLButton looks its caption up in the button table once per window and
// again when told to (translation state 2); CColorBitmap only paints its
// face and frame, leaving the picture to the page; CBigIcon stretches the
// application icon over its face with a black frame and a dark shadow on
// the right and bottom.
#include "shell/plain_buttons.h"

#include "shell/caption_translation.h"

using namespace kt::ui;

// Both draw themselves whatever button type their template gave.
bool MLButton::OnCreate() {
  ModifyStyle(kBsTypeMask, kBsOwnerDraw);
  return Button::OnCreate();
}

bool CBigIcon::OnCreate() {
  ModifyStyle(kBsTypeMask, kBsOwnerDraw);
  return Button::OnCreate();
}

bool MLButton::DrawItem(DrawItemInfo& info) {
  if (!info.dc) return false;
  DeviceContext& dc = *info.dc;
  if (m_translation != 1) {
    m_caption = ui_translate_caption_copy(GetWindowText(), g_ml_button_captions);
    m_translation = 1;
  }
  bool pressed = (info.state & kOdsSelected) != 0;
  bool disabled = (info.state & kOdsDisabled) != 0;
  Rect r = info.rect;
  dc.DrawButtonFrame(r, pressed);
  Rect inside = r.Deflate(2);
  dc.FillRect(inside, m_white ? rgb(255, 255, 255) : rgb(244, 244, 244));
  std::uint32_t format = kDtWordBreak | kDtCenter;
  Rect text = inside;
  if (m_format > 0) {
    Rect calc = text;
    int h = dc.DrawText(m_caption, calc, format | kDtCalcRect);
    if (h < text.Height()) text.top += (text.Height() - h) / 2;
  }
  if (pressed) text = text.Offset(2, 2);
  dc.SetBkMode(kBkTransparent);
  if (disabled) {
    dc.SetTextColor(kHighlightColor);
    dc.DrawText(m_caption, text.Offset(1, 1), format);
  } else {
    dc.SetTextColor(rgb(64, 64, 64));
    dc.DrawText(m_caption, text, format);
  }
  return true;
}

void MLButton::OnDestroy() {
  if (m_translation == 1) m_translation = 0;
  Button::OnDestroy();
}

void CColorBitmap::OnPaint(DeviceContext& dc) {
  Rect r = GetClientRect();
  Color face = m_states[0] ? kButtonFaceColor : rgb(255, 255, 255);
  dc.FillRect(r, face);
  // The bitmap the caption names ("ac_1", "ac_ come fare"), drawn by the backend.
  std::string name = GetWindowText();
  if (!name.empty()) dc.DrawBitmap(r.Deflate(2), 0, name);
  dc.FrameRect(r, m_states[1] ? rgb(105, 105, 105) : face);
}

void CBigIcon::SizeToIcon() {
  int side = 2 * kIconSize + 8;
  SetWindowPos(nullptr, 0, 0, side, side, kSwpNoMove | kSwpNoZOrder | kSwpNoActivate);
}

bool CBigIcon::DrawItem(DrawItemInfo& info) {
  if (!info.dc) return false;
  DeviceContext& dc = *info.dc;
  Rect r = info.rect;
  dc.DrawBitmap(Rect{2, 2, 2 + r.Width() - 8, 2 + r.Height() - 8}, kAppIcon, "icon");
  dc.FrameRect(r.Deflate(2), rgb(0, 0, 0));
  dc.FillRect(Rect{r.right - 4, r.top, r.right, r.bottom}, rgb(64, 64, 64));
  dc.FillRect(Rect{r.left, r.bottom - 4, r.right, r.bottom}, rgb(64, 64, 64));
  return true;
}
