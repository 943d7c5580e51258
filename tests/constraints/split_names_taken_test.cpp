// Service mode's split of a class taught in groups needs a fictitious
// teacher's name, "ROSSI AR" and a letter: when real teachers hold all 26
// such names, no teacher is made, the posts stay as they are and the save
// refuses the joined class as it does outside service mode.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "constraint_page_fixtures.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::PostConstraintsPage;

TEST_F(PostConstraintsPage, ServiceModeSplitsNothingWhenEverySplitNameIsTaken) {
  g_service_mode = 1;
  int count = int(g_ui_settings.teacher_count);
  for (char letter = 'A'; letter <= 'Z'; ++letter)
    og_init_teacher(count++, (std::string("ROSSI AR") + letter).c_str());
  g_ui_settings.teacher_count = std::uint32_t(count);
  Post(0, 0).own.joined_class = 1;
  int posts = int(g_ui_teachers[0].post_count);
  og_snapshot_all();
  Open();
  ui.PressInNextModal(kYesButton);  // the joined class refused instead
  ui.Click(g_vicat_page, V::kSaveId);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes().back().texts.at(0),
            "La classe abbinata deve avere la stessa materia ed essere di un ALTRO Professore.");
  EXPECT_EQ(ui.PendingSteps(), 0u);
  EXPECT_EQ(int(g_ui_settings.teacher_count), count) << "no fictitious teacher made";
  EXPECT_EQ(int(g_ui_teachers[0].post_count), posts);
  EXPECT_EQ(+Post(0, 0).class_index, 0);
  EXPECT_EQ(+Post(0, 0).own.joined_class, 1);
  for (int t = count - 26; t < count; ++t) EXPECT_EQ(+g_ui_teachers[t].post_count, 0u) << g_ui_teachers[t].name;
}

}  // namespace
