// The computation page in the page holder and the small windows the
// computation control keeps beside it: the end-of-run notice Cmakewarn
// (g_makewarn) and the second busy pop-up (g_busy_popup_2), shown while the
// page's synchronous checks run. The page is the computation window Cmake
// of the structure library; this file gives it its place in the frame and
// fills the hooks by which it reaches the problems monitor and these
// windows.
#pragma once

#include <cstdint>
#include <string>

#include "shell/busy_popup.h"
#include "shell/dialog_ml.h"
#include "structure/trial_computation.h"

// The notice at the end of a computation that left errors: how many, and
// where they are listed. Modeless; a second notice replaces the first.
class Cmakewarn : public CDialogML {
 public:
  static constexpr int kTemplate = 285;
  static constexpr int kTextId = 1001, kCloseId = 1002;

  Cmakewarn() : CDialogML(kTemplate) {}
  // Shows the notice for this many errors left, over the owner.
  void ShowFor(kt::ui::Window* owner, int errors_left);
  const std::string& Text() const { return m_text; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnOK() override { DestroyWindow(); }
  void OnCancel() override { DestroyWindow(); }

 private:
  std::string m_text;
};

extern Cmake g_make_page;
extern Cmakewarn g_makewarn;
extern CelaincoWnd g_busy_popup_2;

// Registers the templates, installs the computation page and fills the
// computation window's hooks.
void board_install_computation_page();
