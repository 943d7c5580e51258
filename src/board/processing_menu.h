// Cmakedibi, the processing menu page "Elaborazione dell'orario - Menu
// generale e STAMPA": the page the configuration menu's "Elaborazione"
// opens and the technical editor returns to after saving. So far it holds
// its title and the way to the technical editor; the computation, board
// and printing commands of the full page come with their windows.
#pragma once

#include "shell/resizable_dialog.h"

class Cmakedibi : public CResizableDialog {
 public:
  static constexpr int kTemplate = 159;
  static constexpr int kTitleId = 1001, kTechnicalEditorId = 1002, kRoomWindowId = 1003, kPublishId = 1004;

  Cmakedibi() : CResizableDialog(kTemplate) {}

 protected:
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnOK() override {}
};

extern Cmakedibi g_processing_menu;
void ui_register_processing_menu_template();
// Puts the page in the frame's page holder.
void board_install_pages();
