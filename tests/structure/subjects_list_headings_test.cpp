// The subjects page opened from the frame shows its subject list with every
// heading whole in German and English: each column leaves its heading the
// room the list draws it in (5 pixels before, 3 after), with a few subjects
// in the list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "structure/subjects_page.h"
#include "structure_page_fixture.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class SubjectsListHeadings : public TempRoot {
 protected:
  void TearDown() override {
    og_snapshot_all();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    for (PageSlot s : {PageSlot::MenuConfora, PageSlot::Proscuola, PageSlot::Materie}) g_pages.Install(s, nullptr);
    g_language = 0;
    TempRoot::TearDown();
  }
};

TEST_F(SubjectsListHeadings, EveryHeadingShowsWholeInGermanAndEnglish) {
  for (int language : {1, 2}) {
    SCOPED_TRACE(language);
    g_language = std::uint8_t(language);
    ASSERT_NO_FATAL_FAILURE(open_test_school(data_root(), {"1A ", "2A "}));
    for (const char* name : {"ITALIANO", "MATEMATICA", "SCIENZE MOTORIE"})
      std::strcpy(g_ui_structure.subjects[g_ui_structure.subject_count++].name, name);
    og_snapshot_all();
    TestDriver ui;
    ASSERT_NO_FATAL_FAILURE(show_frame_page(ui, kPageMaterie));
    ASSERT_NE(g_current_page, nullptr);
    auto* list = static_cast<ListView*>(g_current_page->GetDlgItem(Cmaterie::kListId));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetItemCount(), 3);
    ASSERT_EQ(list->GetColumnCount(), 4);
    for (int c = 0; c < list->GetColumnCount(); ++c) {
      std::string heading = list->GetColumnHeading(c);
      EXPECT_LE(list->GetStringWidth(heading) + 8, list->GetColumnWidth(c)) << heading;
    }
    g_frame.DestroyWindow();
    g_pages.Install(PageSlot::Materie, nullptr);
  }
}

}  // namespace
