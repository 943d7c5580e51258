// CDialogML: the base of the fixed-size dialogs. It paints a white
// background, answers its controls' colour requests with white, and
// translates its Italian title once, on the first paint after its window is
// made, through the table of dialog titles. SetWindowTextML sets an Italian
// title translated. Objects are built once (often as globals) and make
// their window many times; the translated flag belongs to the window, so a
// window made again after a change of language is translated again.
#pragma once

#include "platform/ui.h"
#include "shell/ml_text.h"

class CDialogML : public kt::ui::Dialog {
 public:
  explicit CDialogML(int template_id = 0, kt::ui::Window* parent = nullptr);

  // Translates a copy of the Italian title and sets it as the window text;
  // the argument is never written.
  virtual void SetWindowTextML(const char* italian_title);
  void SetWindowTextML(const MlText& title) { SetWindowText(title.Get()); }

  bool IsTitleTranslated() const { return m_translated; }

 protected:
  kt::ui::Color OnCtlColor(kt::ui::DeviceContext& dc, kt::ui::Window* control, kt::ui::CtlType type) override;
  void OnPaint(kt::ui::DeviceContext& dc) override;
  void OnDestroy() override;

  kt::ui::Color m_background = 0xFFFFFF;

 private:
  bool m_translated = false;
};
