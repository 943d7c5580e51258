// The timetable board in the frame on a copy of the liceo with its reference
// week: a lab lesson taken to an hour when its lab holds another class,
// while the lesson's teachers are free then and the lesson it would trade
// places with can take its hour, is refused, nothing moves, and the refusal
// says that the lesson's room is taken, not that a class or a teacher is
// busy (which the officer would look for on the board and not find).
#include <gtest/gtest.h>

#include "board_program.h"

#include <string>

#include "board/board_moves.h"
#include "board/board_page.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/week_grid_access.h"
#include "platform/test_driver.h"
#include "shell/frame.h"

namespace {

using namespace kt::ui;
using Q = Cquadro;

bool lab_room(int room) { return room >= 0 && room < g_eng_school.room_count && (g_eng_rooms[room].lab_flag & 1); }

int slot_of(int l) { return g_eng_lessons[l].day * kHoursPerDay + g_eng_lessons[l].hour; }

int second_of(int l) { return or_lesson_has_second(l) ? g_eng_lessons[l].second_teacher.get() : -1; }

// Whether the lesson's teachers have no lesson at the slot.
bool teachers_free(int l, int s) {
  for (int t : {g_eng_lessons[l].teacher.get(), second_of(l)}) {
    if (t < 0) continue;
    WeekGridCell week[kWeekSlots];
    or_fill_week_grid(kGridTeacher, g_eng_teachers[t].name, week);
    if (week[s].class_index >= 0) return false;
  }
  return true;
}

bool share_teacher(int a, int b) {
  for (int x : {g_eng_lessons[a].teacher.get(), second_of(a)})
    for (int y : {g_eng_lessons[b].teacher.get(), second_of(b)})
      if (x >= 0 && x == y) return true;
  return false;
}

class LabMoveRefusal : public board_test::BoardProgram {
 protected:
  void SetUp() override {
    BoardProgram::SetUp();
    CopySample("liceo");
    StartFrame("liceo");
  }
  // A lab lesson `lesson` and an hour `to` when its lab holds a lesson of
  // another class and of other teachers, its own teachers free then, and
  // the class's lesson at that hour (if any) of teachers free at the lab
  // lesson's hour and held in no lab.
  void FindLabTaken(int& lesson, int& to) {
    lesson = to = -1;
    for (int a = 0; a < g_eng_school.lesson_count && to < 0; ++a) {
      const EngineLesson& x = g_eng_lessons[a];
      if (!or_lesson_placed(a) || !lab_room(x.room) || x.teacher < 0) continue;
      ASSERT_TRUE(g_board.ShowWeek(Q::kViewClass, g_eng_classes[x.class_index].code));
      for (int y = 0; y < g_eng_school.lesson_count && to < 0; ++y) {
        const EngineLesson& o = g_eng_lessons[y];
        if (!or_lesson_placed(y) || o.room != x.room || o.class_index == x.class_index || slot_of(y) == slot_of(a) ||
            share_teacher(a, y) || !teachers_free(a, slot_of(y)))
          continue;
        const WeekGridCell& there = g_board.Cell(o.day, o.hour);
        if (there.class_index >= 0 && (lab_room(g_eng_lessons[there.lesson].room) || !teachers_free(there.lesson, slot_of(a))))
          continue;
        lesson = a;
        to = slot_of(y);
      }
    }
    ASSERT_GE(to, 0) << "no lab lesson whose lab alone is taken at another hour";
  }
  void ClickHour(int day, int hour) { ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, hour, day + 1)); }
};

TEST_F(LabMoveRefusal, AMoveIntoAnHourWhoseLabIsTakenSaysSo) {
  ui.AnswerNextModal(kIdYes);
  alfadlg_go_to_page(kPageQuadro);
  ASSERT_EQ(g_current_page, &g_board);
  int lesson, to;
  FindLabTaken(lesson, to);
  int from_day = g_eng_lessons[lesson].day, from_hour = g_eng_lessons[lesson].hour;
  ASSERT_TRUE(g_board.ShowWeek(Q::kViewClass, g_eng_classes[g_eng_lessons[lesson].class_index].code));
  ClickHour(from_day, from_hour);
  ui.AnswerNextModal(kIdOk);
  ClickHour(to / kHoursPerDay, to % kHoursPerDay);
  ASSERT_FALSE(ui.boxes().empty());
  EXPECT_EQ(ui.boxes().back().texts.at(0), g_board_room_taken.Get())
      << g_eng_teachers[g_eng_lessons[lesson].teacher].name << " in " << g_eng_rooms[g_eng_lessons[lesson].room].name;
  EXPECT_EQ(g_eng_lessons[lesson].day, from_day);
  EXPECT_EQ(g_eng_lessons[lesson].hour, from_hour);
  EXPECT_FALSE(g_board.Changed());
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
