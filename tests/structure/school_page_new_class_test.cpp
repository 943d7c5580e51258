// A class made on the school page starts with no forbidden room and no
// preferred room: once saved, the structure file names no room for it, and
// its record holds no room at all.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

#include "schooldata/model_utilities.h"
#include "shell/home_page.h"
#include "structure/config_menu.h"
#include "structure/school_page.h"
#include "structure_page_fixture.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using P = Cproscuola;

class SchoolPageNewClass : public TempRoot {
 protected:
  void TearDown() override {
    og_snapshot_all();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    g_pages.Install(PageSlot::MenuConfora, nullptr);
    g_pages.Install(PageSlot::Proscuola, nullptr);
    TempRoot::TearDown();
  }
  TestDriver ui;
};

TEST_F(SchoolPageNewClass, StartsWithoutRooms) {
  ASSERT_NO_FATAL_FAILURE(open_test_school(data_root(), {"1A ", "2A "}));
  std::strcpy(g_ui_structure.track_names[0], "Ordinario");
  std::memcpy(g_ui_header.day_codes, "LU\0MA\0ME\0GI\0VE\0SA\0DO", 21);
  g_ui_settings.teacher_count = 1;
  og_init_teacher(0, "ROSSI");
  g_ui_teachers[0].post_count = 1;
  g_ui_teachers[0].posts[0].class_index = 0;
  g_ui_teachers[0].posts[0].own.hours = 3;
  og_snapshot_all();
  Cproscuola::s_class_message_pending = Cproscuola::s_section_message_pending = 1;
  ASSERT_NO_FATAL_FAILURE(show_frame_page(ui, kPageProscuola));
  ASSERT_EQ(g_current_page, &g_school_page);

  ui.Click(g_school_page, P::kFirstYearId + 2);  // year 3 in the section of 1A and 2A
  int made = og_find_class_by_label("3A");
  ASSERT_GE(made, 2);
  for (int r = 0; r < 30; ++r) EXPECT_EQ(+g_ui_structure.classes[made].forbidden_rooms[r], -1) << r;
  EXPECT_EQ(+g_ui_structure.classes[made].preferred_room, -1);
  ui.Click(g_school_page, P::kSaveId);
  EXPECT_FALSE(og_school_changed());
  int files = 0;
  for (const auto& e : fs::recursive_directory_iterator(data_root())) {
    if (!e.is_regular_file()) continue;
    std::ifstream in(e.path(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
      if (line.rfind("ASAUVIET:", 0) != 0) continue;
      ++files;
      EXPECT_EQ(line.find("3A"), std::string::npos) << e.path() << ": " << line;
    }
  }
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
