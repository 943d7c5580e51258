// The frame's and the home page's templates: sound by the template lint, every
// control the code binds present, and in each of the three languages every
// caption drawn fits inside the control that draws it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_test_support.h"
#include "platform/test_driver.h"
#include "shell/frame.h"
#include "shell/home_page.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

using FrameLanguages = TempRoot;

TEST_F(FrameLanguages, TemplatesAreSound) {
  TestDriver ui;
  ui_register_frame_templates();
  for (int id : {CAlfaDlg::kTemplate, CPlenixDlg::kTemplate, CPendingPage::kTemplate}) {
    const DialogTemplate* t = find_dialog_template(id);
    ASSERT_NE(t, nullptr) << id;
    EXPECT_EQ(lint_dialog_template(*t), std::vector<std::string>{}) << id;
  }
  EXPECT_EQ(lint_bound_ids(*find_dialog_template(CAlfaDlg::kTemplate), g_frame.BoundControlIds()),
            std::vector<std::string>{});
  EXPECT_EQ(lint_bound_ids(*find_dialog_template(CPlenixDlg::kTemplate), g_home_page.BoundControlIds()),
            std::vector<std::string>{});
}

TEST_F(FrameLanguages, CaptionsFitTheirControls) {
  TestDriver ui;
  ui_register_frame_templates();
  fs::create_directories(data_root());
  og_set_current_folder(g_data_root);
  for (int language = 0; language < 3; ++language) {
    g_language = std::uint8_t(language);
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kSwShow);
    ui.Render(g_frame);  // the first paint translates
    DisplayList list = ui.Render(g_frame);
    std::vector<std::string> wide;
    int checked = 0;
    for (const DrawItemOp& op : list.ops()) {
      if (op.op != DrawOp::kText || op.control_id <= 0) continue;
      // Frame and page share an id (1775): the control is the one under the text.
      Window* control = nullptr;
      for (Window* c : {g_frame.GetDlgItem(op.control_id), g_home_page.GetDlgItem(op.control_id)}) {
        if (!c) continue;
        Rect r = g_frame.ScreenToClient(c->GetWindowRect());
        Point mid{(op.rect.left + op.rect.right) / 2, (op.rect.top + op.rect.bottom) / 2};
        if (mid.x >= r.left && mid.x < r.right && mid.y >= r.top && mid.y < r.bottom) control = c;
      }
      checked += control ? 1 : 0;
      if (control && control->GetDlgCtrlID() != CPlenixDlg::kHelpId && op.rect.Width() > control->GetRectInParent().Width())
        wide.push_back(std::to_string(op.control_id) + ": " + op.text);
    }
    EXPECT_EQ(wide, std::vector<std::string>{}) << language;
    EXPECT_GT(checked, 25) << language;  // the section buttons and the page's buttons were seen
    g_frame.DestroyWindow();
  }
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
