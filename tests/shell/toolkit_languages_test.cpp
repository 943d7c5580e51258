// The toolkit's own dialogs shown in each of the three languages: every
// caption drawn fits inside the control that draws it, so a German text
// longer than its Italian key is caught here rather than on a screen. The
// message box is shown with each button set that has long captions, the
// message viewer with its two buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/test_driver.h"
#include "shell/message_box.h"
#include "shell/message_viewer.h"
#include "shell_test_support.h"

namespace {

using namespace kt::ui;

// Texts wider than the control that drew them, one line each.
std::vector<std::string> overflowing_texts(Window& top, const DisplayList& list) {
  std::vector<std::string> out;
  for (const DrawItemOp& op : list.ops()) {
    if (op.op != DrawOp::kText || op.control_id == 0) continue;
    Window* control = top.GetDlgItem(op.control_id);
    if (control && op.rect.Width() > control->GetRectInParent().Width())
      out.push_back(std::to_string(op.control_id) + ": " + op.text);
  }
  return out;
}

TEST(ToolkitLanguages, CaptionsFitTheirControls) {
  TestDriver ui;
  ui_register_toolkit_templates();
  ui_forget_last_message_box();
  for (int language = 0; language < 3; ++language) {
    kt_shell_test::LanguageScope scope(language);
    for (int type : {1, 2, 3, 6}) {
      ui.OnNextModal([&](Dialog& box) {
        ui.Advance(10);
        DisplayList list = ui.Render(box);
        EXPECT_FALSE(list.TextsOf(CMessageBox::kButtonIds[1]).empty()) << language << " " << type;
        EXPECT_EQ(overflowing_texts(box, list), std::vector<std::string>{}) << language << " " << type;
        ui.Click(box, CMessageBox::kButtonIds[0]);
      });
      ui_message_box_type("Operazione completata.", type);
    }
    Cmessshow viewer;
    ASSERT_TRUE(viewer.Create(nullptr));
    viewer.ShowWindow(kSwShow);
    ui.Render(viewer);  // the first paint translates
    EXPECT_EQ(overflowing_texts(viewer, ui.Render(viewer)), std::vector<std::string>{}) << language;
  }
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
