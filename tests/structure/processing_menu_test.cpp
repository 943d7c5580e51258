// The processing menu page in the frame on a copy of the small sample
// school: the frame's page command opens it with its title, and its button
// leads to the technical editor, which loads the sample through the engine.
#include <gtest/gtest.h>

#include "board/processing_menu.h"
#include "platform/test_driver.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "structure/structure_pages.h"
#include "structure/technical_editor.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class ProcessingMenu : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_frame_templates();
    structure_install_pages();
    board_install_pages();
    copy_example("piccola", "piccola");
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kSwShow);
    ui.Pump();
  }
  void TearDown() override {
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    g_pages.Install(PageSlot::Makedibi, nullptr);
    TempRoot::TearDown();
  }
  TestDriver ui;
};

TEST_F(ProcessingMenu, OpensWithItsTitleAndLeadsToTheTechnicalEditor) {
  alfadlg_go_to_page(kPageProcessingMenu);
  ASSERT_EQ(g_current_page, &g_processing_menu);
  EXPECT_EQ(ui.Text(g_processing_menu, Cmakedibi::kTitleId), "Elaborazione dell'orario - Menu generale e STAMPA");
  ui.Click(g_processing_menu, Cmakedibi::kTechnicalEditorId);
  EXPECT_EQ(g_current_page, &g_technical_editor);
  EXPECT_TRUE(g_technical_editor.IsWindowVisible());
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
