// CSpiegaML: the read-only help pane of a page, which shows the explanation
// of the control that has the focus. Pages call it from the focus handlers
// of their controls, so it is set often and must stay cheap. Each new text
// set through SetText or SetTextML is painted in the other of two blues
// than the one before (a process-wide blink byte flips on each first paint),
// so a change of explanation shows even when the texts look alike. Coloured
// texts and the fixed schemes (1-3 black on green, yellow, light red; 11-14
// green, yellow, dark red, crimson on white) override the blues.
#pragma once

#include <string>

#include "platform/ui.h"
#include "shell/ml_text.h"

class CSpiegaML : public kt::ui::Edit {
 public:
  static constexpr int kMaxKept = 1335;  // characters of the last text kept

  // The window told of each new text (WM_USER+5, wParam 1); may be null.
  void SetOwnerWindow(kt::ui::Window* owner) { m_owner = owner ? owner->handle() : kt::ui::WindowHandle{}; }

  void SetTextML(const MlText* text);
  void SetText(const char* text);
  void SetTextColored(const char* text, kt::ui::Color color);
  // As SetTextColored, with lone line feeds turned into CR LF.
  void SetMultilineText(const char* text, kt::ui::Color color);
  void SetSchemeText(int scheme, const char* text);

  const std::string& LastText() const { return m_last; }
  int Scheme() const { return m_scheme; }
  int Mode() const { return m_mode; }

 protected:
  kt::ui::Color CtlColor(kt::ui::DeviceContext& dc, kt::ui::CtlType type) override;

 private:
  void Show(const char* text);

  kt::ui::Color m_text_color = kt::ui::rgb(0, 51, 153);
  kt::ui::WindowHandle m_owner;
  std::string m_last;
  int m_scheme = 0;
  int m_mode = 0;  // 0 steady, 1 blink once, 2 the stored colour
};
