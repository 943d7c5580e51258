// CAboutDlg: the about box (template 100) that the home page's about
// command opens: the program's name and release, closed with OK.
#pragma once

#include "shell/resizable_dialog.h"

class CAboutDlg : public CResizableDialog {
 public:
  static constexpr int kTemplate = 100;
  static constexpr int kReleaseId = 1001;
  explicit CAboutDlg(kt::ui::Window* parent = nullptr);
};
