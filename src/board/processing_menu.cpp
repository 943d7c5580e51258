// The processing menu page (see processing_menu.h).
#include "board/processing_menu.h"

#include "board/balancing_page.h"
#include "board/room_window.h"
#include "remote/publishing.h"

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
const MlText kRoomsCaption = {"Assegnazione delle Aule", "Zuweisung der Klassenzimmer", "Allocation of Classrooms"};
const MlText kPublishCaption = {"Pubblica l'orario", "Veroeffentlichen", "Publish timetable"};

const ControlTemplate kControls[] = {
    {"Static", Cmakedibi::kTitleId, "", kSsLeft, 8, 8, 360, 12},
    {"Button", Cmakedibi::kTechnicalEditorId, "Editor tecnico", kBsPushButton | kWsTabStop, 8, 28, 120, 16},
    {"Button", Cmakedibi::kRoomWindowId, "Assegnazione delle Aule", kBsPushButton | kWsTabStop, 136, 28, 120, 16},
    {"Button", Cmakedibi::kPublishId, "Pubblica l'orario", kBsPushButton | kWsTabStop, 264, 28, 104, 16},
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
  ui_register_balancing_page_template();
  g_pages.Install(PageSlot::Bila, &g_balancing_page);
}

bool Cmakedibi::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  ui_set_current_dialog_title(kTitle.Get());
  FitIntoPageArea();
  ShowGrip(false);
  SetDlgItemText(kTitleId, kTitle.Get());
  SetDlgItemText(kTechnicalEditorId, kEditorCaption.Get());
  SetDlgItemText(kRoomWindowId, kRoomsCaption.Get());
  SetDlgItemText(kPublishId, kPublishCaption.Get());
  AnchorControl(kTitleId, kAnchorTopLeft, kAnchorTopRight);
  return true;
}

bool Cmakedibi::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked && command_id(w) == kTechnicalEditorId) {
    alfadlg_go_to_page(kPageEditek);
    return true;
  }
  if (command_code(w) == kBnClicked && command_id(w) == kRoomWindowId) {
    board_open_room_window();
    return true;
  }
  if (command_code(w) == kBnClicked && command_id(w) == kPublishId) {
    krv_publish_from_menu();
    return true;
  }
  return CResizableDialog::OnCommand(w, l);
}
