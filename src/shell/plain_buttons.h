// Three small buttons of the pages: MLButton, a plain owner-drawn button
// with a multi-line caption translated through the button table;
// CColorBitmap, a framed face in white or grey that pages draw a bitmap on;
// CBigIcon, the program's icon as a button (the busy pop-up, the copy
// dialog), sized to twice the icon plus a shadow.
#pragma once

#include <string>

#include "platform/ui.h"

class MLButton : public kt::ui::Button {
 public:
  // 0 not yet translated, 1 translated, 2 take the window text again.
  int m_translation = 0;
  bool m_white = false;  // else a light grey face
  int m_format = 0;      // above 0: word-wrapped and vertically centred

  const std::string& Caption() const { return m_caption; }

 protected:
  bool OnCreate() override;
  bool DrawItem(kt::ui::DrawItemInfo& info) override;
  void OnDestroy() override;

 private:
  std::string m_caption;
};

class CColorBitmap : public kt::ui::Button {
 public:
  // [0]: grey face (else white); [1]: dark frame; the rest belong to pages.
  unsigned char m_states[5] = {0, 0, 0, 0, 0};
  void OnPaint(kt::ui::DeviceContext& dc) override;
};

class CBigIcon : public kt::ui::Button {
 public:
  static constexpr int kIconSize = 32;  // the system icon size the layout assumes
  static constexpr int kAppIcon = 1;
  // Twice the icon size plus 8 pixels each way; the place stays.
  void SizeToIcon();

 protected:
  bool OnCreate() override;
  bool DrawItem(kt::ui::DrawItemInfo& info) override;
};
