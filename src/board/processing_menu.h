// Cmakedibi, the processing menu page "Elaborazione dell'orario - Menu
// generale e STAMPA": the page the configuration menu's "Elaborazione"
// opens and the technical editor returns to after saving. It leads to every
// page of the processing group (computation, timetable view, balancing,
// courses board, stand-by hours, technical editor), asks for the reports
// ("REPO:") and the check of the saved timetable ("SNOD:") in the
// computation window, and holds the two report options: "Word 2000" (the
// RTF text form, and global tables paged after 24 teacher lines) and the
// blank paragraphs between tables. Both options are the two option bytes
// of the status file ("OLDWRD:"), so they outlive the run.
#pragma once

#include <cstdint>

#include "shell/resizable_dialog.h"

class Cmakedibi : public CResizableDialog {
 public:
  static constexpr int kTemplate = 159;
  static constexpr int kTitleId = 1001, kTechnicalEditorId = 1002, kComputeId = 1003, kViewId = 1004,
                       kBalanceId = 1005, kCoursesId = 1006, kStandbyId = 1007, kReportsId = 1008, kCheckId = 1009,
                       kWord2000Id = 1010, kBlankLabelId = 1011, kBlankListId = 1012,
                       kRoomWindowId = 1013, kPublishId = 1014;

  Cmakedibi() : CResizableDialog(kTemplate) {}

 protected:
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnOK() override {}
};

extern Cmakedibi g_processing_menu;
void ui_register_processing_menu_template();
// The report options of the status file's option bytes, handed to the
// report writers: byte 0 the "Word 2000" box, byte 1 the blank paragraphs
// between tables as a signed byte (255: none).
void makedibi_apply_report_options();
// Puts the pages of the computation control in the frame's page holder and
// fills the hooks by which the lower layers reach them.
void board_install_pages();
