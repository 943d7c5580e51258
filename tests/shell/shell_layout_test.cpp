// No control of the toolkit's windows (the frame, the home page, the message
// box, the small choosers and dialogs) slips by one unit from the one it
// lines up with, nor leaves the spacing of its row, its window's margins or
// the middle (the checks of template_alignment.h).
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

const std::vector<int>& toolkit_templates() {
  ui_register_toolkit_templates();
  ui_register_frame_templates();
  ui_register_chooser_templates();
  ui_register_launcher_templates();
  CAboutDlg about(nullptr);  // its template comes with the box
  static const std::vector<int> ids = {CAboutDlg::kTemplate,   CAlfaDlg::kTemplate,    CelaincoWnd::kTemplate,
                                       CPlenixDlg::kTemplate,  Czzempty::kTemplate,    Ctipode::kTemplate,
                                       Cmessshow::kTemplate,   CSTools::kTemplate,     Calfaopi::kTemplate,
                                       Cmemoverde::kTemplate,  CMessageBox::kTemplate, CPendingPage::kTemplate};
  return ids;
}

TEST(ShellLayout, NoControlSlipsByOneUnit) { EXPECT_EQ(template_alignment::problems_of(toolkit_templates()), ""); }

// Rows of buttons keep their rhythm, windows their margins and centred
// controls the middle. The viewer's bottom margin is one unit wider than its
// top one as it was drawn, and the launcher panel's rows leave a unit under
// the last: those two stay as they are.
TEST(ShellLayout, RowsMarginsAndCentresKeepTheirSpacing) {
  std::string text;
  for (int id : toolkit_templates())
    for (const std::string& p : template_alignment::spacing_problems(*kt::ui::find_dialog_template(id))) text += p + "\n";
  EXPECT_EQ(text, "240: top and bottom margins one unit apart\n271: top and bottom margins one unit apart\n");
}

}  // namespace
