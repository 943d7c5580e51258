// The lessons-by-class page (6b) opened from the frame on the liceo sample
// school: until the user sizes a column, every heading of its hour list and
// every text under it is shown whole in each language (the list scrolls
// sideways instead).
#include <gtest/gtest.h>

#include <string>

#include "schooldata/school_files.h"
#include "shell/list_utilities.h"
#include "structure/lessons_by_class_page.h"
#include "structure_page_fixture.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class LessonsByClassHeadings : public TempRoot {
 protected:
  void TearDown() override {
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    g_pages.Install(PageSlot::Lacoco, nullptr);
    og_clear_structure();
    og_clear_school_blocks();
    g_language = 0;
    TempRoot::TearDown();
  }
};

TEST_F(LessonsByClassHeadings, EveryHeadingAndTextIsShownWhole) {
  ui_register_frame_templates();
  copy_example("liceo", "liceo");
  ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\liceo"));
  for (int language : {1, 2, 0}) {
    SCOPED_TRACE(language);
    g_language = std::uint8_t(language);
    structure_install_pages();
    ASSERT_TRUE(og_read_school_files(0));
    TestDriver ui;
    ASSERT_NO_FATAL_FAILURE(show_frame_page(ui, kPageLacoco));
    ASSERT_NE(g_current_page, nullptr);
    auto* list = static_cast<ListView*>(g_current_page->GetDlgItem(Clacoco::kGridId));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetColumnCount(), Clacoco::kColumns);
    EXPECT_GT(list->GetItemCount(), 0);
    for (int c = 0; c < list->GetColumnCount(); ++c) {
      EXPECT_GE(list->GetColumnWidth(c), ui_list_heading_width(*list, c)) << list->GetColumnHeading(c);
      EXPECT_GE(list->GetColumnWidth(c), ui_list_content_width(*list, c)) << list->GetColumnHeading(c);
    }
    g_frame.DestroyWindow();
    g_pages.Install(PageSlot::Lacoco, nullptr);
  }
}

}  // namespace
