// Before a search: a teacher's "J:" task (on a day past the first two)
// marks the hours of its class followed by a break (the next hour starts
// later than this one ends), by the class's own timing; a task on the first
// two days counts as a plain "K:" task, and a plain task keeps its grid.
// With graded technical teachers asked for, the lessons of every class of a
// teacher given a class grade are flagged, and no others. Values worked out
// by hand on a small model.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/presolve.h"
#include "save_test_fixture.h"

namespace {

std::vector<int> marked_slots(const std::uint8_t* grid) {
  std::vector<int> out;
  for (int s = 0; s < kWeekSlots; ++s)
    if (grid[s] != 0) out.push_back(grid[s] == 1 ? s : 1000 + s);
  return out;
}

TEST(PrepTaskBreaks, AJTaskMarksTheClassHoursBeforeABreak) {
  save_test::reset_school(5, 6);
  int k = save_test::add_class("1A");
  int s = save_test::add_subject("ITALIANO");
  int t = save_test::add_teacher("ROSSI");
  for (int i = 0; i < 6; ++i) save_test::place(save_test::add_lesson(t, k, s), i / 6, i % 6);
  // 1A: hours of 60 minutes from 8:00, with ten minutes' break after
  // Monday's second hour and after Thursday's fourth; Friday's fifth hour
  // lasts 50 minutes and the sixth starts at 13:00 as usual.
  EngineClass& c = g_eng_classes[k];
  for (int d = 0; d < 5; ++d) {
    int start = 480;
    for (int h = 0; h < 6; ++h) {
      c.timing[0][d][h] = static_cast<std::uint16_t>(start);
      c.timing[1][d][h] = 60;
      start += 60;
      if ((d == 0 && h == 1) || (d == 3 && h == 3)) start += 10;
    }
  }
  c.timing[1][4][4] = 50;
  or_count_hours(0);
  EngineTeacher& x = g_eng_teachers[t];
  x.task_count = 3;
  TeacherTask* tasks = x.tasks;
  for (int i = 0; i < 3; ++i) {
    tasks[i].references[0] = k;
    tasks[i].references[1] = 0;
    tasks[i].first_hour = 1;
    tasks[i].last_hour = 3;
    std::memset(tasks[i].grid, 0, sizeof tasks[i].grid);
    tasks[i].grid[83] = 9;  // what a plain task holds stays
  }
  tasks[0].day = 3;  // a "J:" task on Wednesday
  tasks[0].j_flag = 1;
  tasks[1].day = 1;  // a "J:" task on Monday: a plain task
  tasks[1].j_flag = 1;
  tasks[2].day = 3;  // a plain task
  tasks[2].j_flag = 0;
  or_prepare_model_for_solving();
  EXPECT_EQ(marked_slots(tasks[0].grid), (std::vector<int>{0 * kHoursPerDay + 1, 3 * kHoursPerDay + 3, 4 * kHoursPerDay + 4}));
  EXPECT_EQ(+tasks[1].j_flag, 0);
  EXPECT_EQ(marked_slots(tasks[1].grid), (std::vector<int>{1083}));
  EXPECT_EQ(marked_slots(tasks[2].grid), (std::vector<int>{1083}));
}

TEST(PrepGradeLessons, TheClassesOfAGradedTeacherHaveTheirLessonsFlagged) {
  save_test::reset_school();
  int a = save_test::add_class("1A"), b = save_test::add_class("1B"), c = save_test::add_class("1C");
  int s = save_test::add_subject("TECNOLOGIA");
  int graded = save_test::add_teacher("ROSSI"), plain = save_test::add_teacher("BIANCHI");
  // ROSSI teaches 1A and 1B, BIANCHI 1B and 1C.
  int lessons[][2] = {{graded, a}, {graded, b}, {plain, b}, {plain, c}, {plain, c}};
  for (int i = 0; i < 5; ++i) save_test::place(save_test::add_lesson(lessons[i][0], lessons[i][1], s), 0, i);
  or_count_hours(0);
  g_eng_teachers[graded].tekgrado[1] = 2;
  g_eng_school.uses_tekgrado = 1;
  or_prepare_model_for_solving();
  std::vector<int> flags;
  for (int i = 0; i < 5; ++i) flags.push_back(g_eng_lessons[i].grade_flag);
  // Every lesson of 1A and 1B, whoever teaches it; none of 1C.
  EXPECT_EQ(flags, (std::vector<int>{1, 1, 1, 0, 0}));

  // Without graded teachers asked for, nothing is flagged.
  save_test::reset_school();
  a = save_test::add_class("1A");
  s = save_test::add_subject("TECNOLOGIA");
  graded = save_test::add_teacher("ROSSI");
  save_test::place(save_test::add_lesson(graded, a, s), 0, 0);
  or_count_hours(0);
  g_eng_teachers[graded].tekgrado[1] = 2;
  or_prepare_model_for_solving();
  EXPECT_EQ(+g_eng_lessons[0].grade_flag, 0);
}

}  // namespace
