// Colours and first-paint translation of the coloured statics and check
// boxes (see coloured_texts.h). The first paint translates the text before
// drawing it, so the Italian caption never flashes on screen. The flag is
// set whatever the language, so an Italian window never looks at the tables.
// Each control keeps its own brush colour, which is what it answers to the
// platform's colour request and what fills its background.
#include "shell/coloured_texts.h"

#include "shell/caption_translation.h"

using namespace kt::ui;

namespace {

// Reads the window text (at most 1333 characters), translates it and sets
// the result.
void translate_window_text(Window& w, const MlText* table) {
  char text[1334];
  w.GetWindowText(text, int(sizeof text));
  const char* shown = ui_translate_caption(text, table);
  w.SetWindowText(shown);
}

}  // namespace

void CMuto::SetColorValues(Color text, Color background) {
  if (text != kNoColor) m_text = text;
  if (background != kNoColor) {
    m_background = background;
    m_own_background = true;
  }
  Invalidate();
}

void CStaticML::OnPaint(DeviceContext& dc) {
  if (!m_translated && ui_language() >= 1) {
    m_translated = true;
    translate_window_text(*this, g_ml_static_captions);
  }
  m_translated = true;
  CMuto::OnPaint(dc);
}

void CStaticML::OnDestroy() {
  m_translated = false;
  CMuto::OnDestroy();
}

void CCheckML::SetColors(Color text, Color background) {
  m_text = text == kNoColor ? Color(0x000000) : text;
  if (background == kNoColor) {
    m_background = 0xFFFFFF;
  } else {
    m_background = background;
    m_brush = background;
    m_own_background = true;
  }
  Invalidate();
}

void CCheckML::OnPaint(DeviceContext& dc) {
  if (!m_translated && ui_language() >= 1) {
    m_translated = true;
    translate_window_text(*this, g_ml_check_captions);
  }
  m_translated = true;
  CCheck::OnPaint(dc);
}

void CCheckML::OnDestroy() {
  m_translated = false;
  CCheck::OnDestroy();
}
