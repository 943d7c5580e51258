// No control of the toolkit's windows (the frame, the home page, the message
// box, the small choosers and dialogs) slips by one unit from the one it
// lines up with (the check of template_alignment.h).
#include <gtest/gtest.h>

#include "shell/about_box.h"
#include "shell/busy_popup.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/launcher_panel.h"
#include "shell/message_box.h"
#include "shell/message_viewer.h"
#include "shell/small_choosers.h"
#include "shell/small_dialogs.h"
#include "template_alignment.h"

namespace {

TEST(ShellLayout, NoControlSlipsByOneUnit) {
  ui_register_toolkit_templates();
  ui_register_frame_templates();
  ui_register_chooser_templates();
  ui_register_launcher_templates();
  CAboutDlg about(nullptr);  // its template comes with the box
  EXPECT_EQ(template_alignment::problems_of({CAboutDlg::kTemplate, CAlfaDlg::kTemplate, CelaincoWnd::kTemplate,
                                             CPlenixDlg::kTemplate, Czzempty::kTemplate, Ctipode::kTemplate,
                                             Cmessshow::kTemplate, CSTools::kTemplate, Calfaopi::kTemplate,
                                             Cmemoverde::kTemplate, CMessageBox::kTemplate, CPendingPage::kTemplate}),
            "");
}

}  // namespace
