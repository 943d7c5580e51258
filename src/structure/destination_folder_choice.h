// Ccanuco: the question asked while found school data are put back: into
// the school folder open now (11) or into the folder of the configuration
// they were saved from (12). The caller gives both folder texts; each is
// the caption of its own button, shown whole. "[Esc] Ritorna a menu
// principale" and Esc answer -1 (give up the restore); Enter presses the
// focused button.
#pragma once

#include <string>

#include "shell/color_button.h"
#include "shell/resizable_dialog.h"

class Ccanuco : public CResizableDialog {
 public:
  static constexpr int kTemplate = 292;
  static constexpr int kCurrentLabelId = 1400;
  static constexpr int kCurrentId = 1401;
  static constexpr int kSavedLabelId = 1402;
  static constexpr int kSavedId = 1403;
  static constexpr int kBackId = 1404;
  static constexpr int kCurrentResult = 11;
  static constexpr int kSavedResult = 12;

  Ccanuco() : CResizableDialog(kTemplate) {}
  kt::ui::LResult DoModal() override;

  std::string m_current_folder;
  std::string m_saved_folder;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnCancel() override;

 private:
  CColorButton m_current, m_saved, m_back;
};
