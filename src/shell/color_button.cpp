// Drawing of CColorButton (see color_button.h). Each paint works on a copy
// of the stored caption: the marks decide the colours and are left out of
// what is drawn, and the stored caption is the same after any number of
// paints. The first paint without a caption set takes the window text,
// translated through the button table, as the caption.
#include "shell/color_button.h"

#include <algorithm>

#include "engine/status_block.h"
#include "shell/caption_translation.h"

using namespace kt::ui;

CColorButton::~CColorButton() = default;

void CColorButton::SetCaption(const char* text) {
  m_caption = text ? text : "";
  m_has_caption = true;
  m_caption_translated = false;
  SetWindowText(m_caption);
}

bool CColorButton::OnCreate() {
  ModifyStyle(kBsTypeMask, kBsOwnerDraw);
  return Button::OnCreate();
}

void CColorButton::OnDestroy() {
  // A caption that came from translating the window text belongs to that
  // window: a window made again after a change of language translates again.
  if (m_caption_translated) {
    m_has_caption = false;
    m_caption_translated = false;
    m_caption.clear();
  }
  Button::OnDestroy();
}

void CColorButton::DrawCaption(DeviceContext& dc, const Rect& inside, const std::string& caption, bool pressed,
                               bool disabled) {
  std::uint32_t format = m_format ? m_format : (kDtCenter | kDtVCenter | kDtWordBreak);
  Rect r = inside;
  if (pressed) r = r.Offset(2, 2);
  if (!m_single_line && !(format & kDtSingleLine)) {
    int width = std::max(1, r.Width());
    int breaks = 0;
    for (std::size_t i = 0; i + 1 < caption.size(); ++i)
      if (caption[i] == '\n' && static_cast<unsigned char>(caption[i + 1]) >= 0x20) ++breaks;
    // Centred on the lines the text really breaks into (words do not fill a
    // line to its end, so the text's width over the line's undercounts them).
    int lines = std::max({dc.GetTextExtent(caption).cx / width + 1, breaks + 1,
                          int(DeviceContext::BreakLines(dc.metrics(), dc.font(), caption, width, true).size())});
    int free_height = r.Height() - lines * dc.metrics().LineHeight(dc.font());
    if (free_height > 0) r.top += free_height / 2;
  }
  dc.SetBkMode(kBkTransparent);
  if (disabled) {
    Color keep = dc.SetTextColor(rgb(255, 255, 255));
    dc.DrawText(caption, r.Offset(1, 1), format);
    dc.SetTextColor(keep);
  }
  dc.DrawText(caption, r, format);
}

bool CColorButton::DrawItem(DrawItemInfo& info) {
  if (!info.dc) return false;
  DeviceContext& dc = *info.dc;
  if (!m_has_caption) {
    m_caption = ui_translate_caption_copy(GetWindowText(), g_ml_button_captions);
    m_has_caption = true;
    m_caption_translated = true;
  }
  ColorButtonLook look = color_button_look(m_state, m_caption, g_provisional_mode != 0, m_background, m_text);
  m_background = look.background;
  m_text = look.text;

  bool pressed = (info.state & kOdsSelected) != 0;
  bool disabled = (info.state & kOdsDisabled) != 0;
  Rect r = info.rect;
  if (look.solid) {
    // Face, caption and frame in one colour: the whole button is one bar
    // (the message box's edges are 3 pixels thick; a raised frame would
    // leave one pixel of colour).
    dc.FillRect(r, m_background);
    return true;
  }
  Rect inside = r.Deflate(1);
  dc.DrawButtonFrame(r, pressed);
  dc.FillRect(inside, m_background);
  if (disabled) dc.Checker(inside, rgb(255, 255, 255));
  dc.SetTextColor(m_text);
  DrawCaption(dc, inside, look.caption, pressed, disabled);

  Color frame = look.frame;
  if (m_frame_color != 0) frame = m_frame_color;
  else if (frame == kNoColor) frame = disabled ? rgb(140, 170, 200) : rgb(51, 153, 255);
  if ((info.state & kOdsFocus) && !m_no_focus_frame) frame = rgb(0, 51, 153);
  dc.FrameRect(inside, frame);
  return true;
}
