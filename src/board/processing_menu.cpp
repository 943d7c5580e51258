// The processing menu page (see processing_menu.h).
#include "board/processing_menu.h"

#include "board/board_page.h"
#include "board/courses_board.h"

#include "shell/dialog_title.h"
#include "shell/frame.h"
#include "shell/ml_text.h"

using namespace kt::ui;

Cmakedibi g_processing_menu;

namespace {

const MlText kTitle = {"Elaborazione dell'orario - Menu generale e STAMPA",
                       "Verarbeitung des Stundenplanes - Ueberblick und Druck",
                       "Timetable Processing - Overview and Printing"};
const MlText kEditorCaption = {"Editor tecnico", "Technischer Editor", "Technical editor"};

const ControlTemplate kControls[] = {
    {"Static", Cmakedibi::kTitleId, "", kSsLeft, 8, 8, 360, 12},
    {"Button", Cmakedibi::kTechnicalEditorId, "Editor tecnico", kBsPushButton | kWsTabStop, 8, 28, 120, 16},
};
const DialogTemplate kTemplate = {Cmakedibi::kTemplate, "Elaborazione dell'orario", kWsChild, 0, 0, 380, 60,
                                  kControls};

}  // namespace

void ui_register_processing_menu_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}

void board_install_pages() {
  ui_register_processing_menu_template();
  g_pages.Install(PageSlot::Makedibi, &g_processing_menu);
  ui_register_board_template();
  g_pages.Install(PageSlot::Quadro, &g_board);
  ui_register_courses_board_templates();
  g_pages.Install(PageSlot::Qcorsi, &g_courses_board);
}

bool Cmakedibi::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  ui_set_current_dialog_title(kTitle.Get());
  FitIntoPageArea();
  ShowGrip(false);
  SetDlgItemText(kTitleId, kTitle.Get());
  SetDlgItemText(kTechnicalEditorId, kEditorCaption.Get());
  AnchorControl(kTitleId, kAnchorTopLeft, kAnchorTopRight);
  return true;
}

bool Cmakedibi::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked && command_id(w) == kTechnicalEditorId) {
    alfadlg_go_to_page(kPageEditek);
    return true;
  }
  return CResizableDialog::OnCommand(w, l);
}
