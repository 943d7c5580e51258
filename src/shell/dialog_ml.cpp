// The dialog base (see dialog_ml.h). The first paint translates the title:
// the window text read then is still the template's Italian (nothing else
// sets a title before the first paint without going through
// SetWindowTextML), so it is handed to SetWindowTextML as it is and
// translated exactly once; translating a translation again could match an
// Italian key by accident.
#include "shell/dialog_ml.h"

#include "shell/caption_translation.h"

using namespace kt::ui;

CDialogML::CDialogML(int template_id, Window* parent) : Dialog(template_id, parent) {
  SetBackgroundColor(m_background);
}

void CDialogML::SetWindowTextML(const char* italian_title) {
  SetWindowText(ui_translate_caption_copy(italian_title ? italian_title : "", g_ml_dialog_titles));
}

Color CDialogML::OnCtlColor(DeviceContext& dc, Window* control, CtlType type) {
  dc.SetBkColor(m_background);
  return m_background;
}

void CDialogML::OnPaint(DeviceContext& dc) {
  Dialog::OnPaint(dc);
  if (!m_translated && ui_language() >= 1) {
    char title[1334];
    GetWindowText(title, int(sizeof title));
    m_translated = true;
    SetWindowTextML(title);
  }
  m_translated = true;
}

void CDialogML::OnDestroy() {
  m_translated = false;
  Dialog::OnDestroy();
}
