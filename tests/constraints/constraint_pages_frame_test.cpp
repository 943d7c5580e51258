// The constraint pages inside the real frame: once installed, the frame's
// page commands open the general parameters (the fourth command showing the
// one-building page), the special options and the teacher constraints in
// place of their stand-ins, an abandon without changes re-opens the page
// through the frame, and moving on from an unchanged page asks nothing.
#include <gtest/gtest.h>

#include "../shell/app_test_support.h"
#include "constraints/constraint_pages.h"
#include "constraints/param_pages.h"
#include "platform/test_driver.h"
#include "schooldata/description_reader.h"
#include "schooldata/structure_file.h"
#include "shell/frame.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class ConstraintPagesInFrame : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_frame_templates();
    constraints_install_pages();
    copy_example("piccola", "piccola");
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));
    og_read_structure_file(0);
    og_read_assignments_file(0);
    g_ui_settings.building_count = 1;
    g_ui_settings.rotation_breaks[0] = 0;
    og_snapshot_all();
  }
  void TearDown() override {
    og_snapshot_all();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    TempRoot::TearDown();
  }
  TestDriver ui;
};

TEST_F(ConstraintPagesInFrame, PageCommandsOpenTheInstalledPages) {
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  ui.Pump();
  ASSERT_TRUE(g_frame.GoTo(kPageParameters4));
  ui.Pump();
  ASSERT_NE(g_current_page, nullptr);
  EXPECT_EQ(g_current_page->template_id(), Corapage::kTemplate);
  auto* page = static_cast<Corapage*>(g_current_page);
  EXPECT_EQ(page->Page(), 4);  // its rows: see the parameter pages test
  std::size_t boxes = ui.boxes().size();
  ui.Click(*page, Corapage::kAbandonId);  // nothing changed: read again and re-opened, no question
  ui.Pump();
  EXPECT_EQ(ui.boxes().size(), boxes);
  EXPECT_EQ(g_current_page, page);
  EXPECT_TRUE(page->IsWindow());

  ASSERT_TRUE(g_frame.GoTo(kPageOraspec));
  ui.Pump();
  EXPECT_EQ(g_current_page->template_id(), 129);
  ASSERT_TRUE(g_frame.GoTo(kPageVipro));
  ui.Pump();
  EXPECT_EQ(g_current_page->template_id(), 152);
  EXPECT_EQ(ui.boxes().size(), boxes);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
