// The lessons-by-class page's previous and next class buttons: each steps
// to the neighbouring class in the class list, showing its lessons; past
// the first or the last class a beep, and the class stays. The auto-save
// box opens ticked or not as the run's choice stands, and a click turns it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dictionary_support.h"
#include "shell/home_page.h"
#include "structure/lessons_by_class_page.h"

namespace {

using namespace kt::ui;
using namespace dictionary_test;
using C = Clacoco;

TEST(LessonsByClassSteps, PreviousAndNextStepThroughTheClassesAndBeepAtTheEnds) {
  empty_school();
  g_selected_class = -1;
  for (const char* code : {"1A ", "2A ", "3A "}) std::memcpy(g_ui_structure.classes[g_ui_structure.class_count++].code, code, 3);
  g_ui_structure.sections[0][0] = 1;
  int maths = add_subject("MATEMATICA");
  for (int c = 0; c < 3; ++c) {
    int t = add_teacher(c == 0 ? "ROSSI" : c == 1 ? "VERDI" : "BIANCHI", maths);
    g_ui_teachers[t].posts[0].class_index = c;
    g_ui_teachers[t].posts[0].own.hours = std::int8_t(c + 1);
  }
  og_snapshot_all();
  g_lacoco_save_without_asking = false;
  TestDriver ui;
  Clacoco page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ASSERT_EQ(page.SelectedClass(), 0);
  struct Step {
    int button;
    int class_after;
    int beeps;
    std::size_t rows;  // the class's weekly hours
  } steps[] = {{C::kPrevId, 0, 1, 1}, {C::kNextId, 1, 0, 2}, {C::kNextId, 2, 0, 3},
               {C::kNextId, 2, 1, 3}, {C::kPrevId, 1, 0, 2}, {C::kPrevId, 0, 0, 1}};
  int n = 0;
  for (const Step& s : steps) {
    SCOPED_TRACE(n++);
    ui.ClearBeeps();
    ui.Click(page, s.button);
    EXPECT_EQ(page.SelectedClass(), s.class_after);
    EXPECT_EQ(g_selected_class, s.class_after);
    EXPECT_EQ(ui.beeps(), s.beeps);
    EXPECT_EQ(page.Rows().size(), s.rows);
    ASSERT_FALSE(page.Rows().empty());
    EXPECT_EQ(page.Rows().front().teacher, s.class_after);
  }
  page.DestroyWindow();
  og_snapshot_all();
  EXPECT_TRUE(ui.Problems().empty());
}

TEST(LessonsByClassSteps, TheAutoSaveBoxOpensAsTheRunsChoiceStands) {
  for (bool stored : {true, false}) {
    SCOPED_TRACE(stored);
    empty_school();
    g_selected_class = -1;
    std::memcpy(g_ui_structure.classes[g_ui_structure.class_count++].code, "1A ", 3);
    g_ui_structure.sections[0][0] = 1;
    og_snapshot_all();
    g_lacoco_save_without_asking = stored;
    TestDriver ui;
    Clacoco page;
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    EXPECT_EQ(ui.IsChecked(page, C::kAutoSaveId), stored);
    EXPECT_EQ(page.IsDlgButtonChecked(C::kAutoSaveId), stored ? 1 : 0);
    ui.Click(page, C::kAutoSaveId);
    EXPECT_EQ(ui.IsChecked(page, C::kAutoSaveId), !stored);
    EXPECT_EQ(g_lacoco_save_without_asking, !stored);
    page.DestroyWindow();
    g_lacoco_save_without_asking = false;
    og_snapshot_all();
    EXPECT_TRUE(ui.Problems().empty());
  }
}

}  // namespace
