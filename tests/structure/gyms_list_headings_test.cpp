// The shared rooms page opened from the frame shows its room list with
// readable headings in each language: a column is at least as wide as its
// heading, unless the headings together are wider than the list, in which
// case the columns fill the list's whole width (no heading cut short while
// room is left over on the right).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "shell/list_utilities.h"
#include "structure/gyms_page.h"
#include "structure_page_fixture.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class GymsListHeadings : public TempRoot {
 protected:
  void TearDown() override {
    og_snapshot_all();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    for (PageSlot s : {PageSlot::MenuConfora, PageSlot::Proscuola, PageSlot::Pale}) g_pages.Install(s, nullptr);
    g_language = 0;
    TempRoot::TearDown();
  }
};

TEST_F(GymsListHeadings, EveryHeadingShowsWholeOrTheListIsFull) {
  for (int language : {0, 1, 2}) {
    SCOPED_TRACE(language);
    g_language = std::uint8_t(language);
    ASSERT_NO_FATAL_FAILURE(open_test_school(data_root(), {"1A ", "2A "}));
    g_ui_settings.building_count = 1;
    std::strcpy(g_ui_settings.buildings[0].name, "SEDE CENTRALE");
    std::strcpy(g_ui_structure.subjects[0].name, "SCIENZE MOTORIE");
    g_ui_structure.subject_count = 1;
    UiGym& g = g_ui_settings.gyms[g_ui_settings.gym_count++];
    std::strcpy(g.name, "PALESTRA");
    g.subjects[0] = 0;
    for (int s = 1; s < 4; ++s) g.subjects[s] = -1;
    g.max_classes = 2;
    g.hours[0] = 255;
    for (auto& pair : g.pairs) pair[0] = pair[1] = 255;
    og_snapshot_all();
    TestDriver ui;
    ASSERT_NO_FATAL_FAILURE(show_frame_page(ui, kPagePale));
    ASSERT_NE(g_current_page, nullptr);
    auto* list = static_cast<ListView*>(g_current_page->GetDlgItem(Cpale::kListId));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetItemCount(), 1);
    int headings = 0, sum = 0;
    for (int c = 0; c < list->GetColumnCount(); ++c) {
      headings += ui_list_heading_width(*list, c);
      sum += list->GetColumnWidth(c);
    }
    int available = list->GetWindowRect().Width() - 4;
    if (headings <= available) {
      for (int c = 0; c < list->GetColumnCount(); ++c)
        EXPECT_GE(list->GetColumnWidth(c), ui_list_heading_width(*list, c)) << list->GetColumnHeading(c);
    } else {
      EXPECT_GE(sum, available - list->GetColumnCount()) << "headings need " << headings;
    }
    g_frame.DestroyWindow();
    g_pages.Install(PageSlot::Pale, nullptr);
    g_ui_settings.gym_count = 0;
  }
}

}  // namespace
