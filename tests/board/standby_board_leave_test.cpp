// A board with an unsaved move, left for the stand-by board: the stand-by
// board's command prepares the week in the engine tables anew from the
// saved files, so the question about the move comes first, while the
// tables still hold it. "Stay" keeps the board, its move and its tables;
// "save" writes the moved week, which the stand-by board then shows; on
// the courses board as on the week board. When the engine cannot prepare
// the week (no saved week), its message is shown and the processing menu
// takes the place of the page that left.
#include <gtest/gtest.h>

#include "board_program.h"

#include <filesystem>
#include <string>
#include <utility>

#include "board/board_page.h"
#include "board/courses_board.h"
#include "board/processing_menu.h"
#include "engine/engine_main.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/status_block.h"
#include "platform/test_driver.h"
#include "shell/frame.h"
#include "structure/unsaved_changes_prompt.h"

namespace {

using namespace kt::ui;
using Q = Cquadro;
namespace fs = std::filesystem;

class StandbyBoardLeave : public board_test::BoardProgram {
 protected:
  void SetUp() override {
    BoardProgram::SetUp();
    CopySample("piccola");
    StartFrame("piccola");
  }
  std::pair<int, int> Place(int lesson) { return {g_eng_lessons[lesson].day, g_eng_lessons[lesson].hour}; }
  // Two lessons of one class by teachers free in each other's hour.
  bool FindExchange(int& lesson, int& partner) {
    WeekGridCell a[kWeekSlots], b[kWeekSlots];
    for (int x = 0; x < g_eng_school.lesson_count; ++x)
      for (int y = 0; y < g_eng_school.lesson_count; ++y) {
        const EngineLesson& p = g_eng_lessons[x];
        const EngineLesson& q = g_eng_lessons[y];
        if (p.class_index != 0 || q.class_index != 0 || p.teacher == q.teacher || p.teacher < 0 || q.teacher < 0 ||
            or_lesson_has_second(x) || or_lesson_has_second(y) || or_is_calendar_teacher(p.teacher) ||
            or_is_calendar_teacher(q.teacher))
          continue;
        or_fill_week_grid(kGridTeacher, g_eng_teachers[p.teacher].name, a);
        or_fill_week_grid(kGridTeacher, g_eng_teachers[q.teacher].name, b);
        if (a[q.day * kHoursPerDay + q.hour].class_index < 0 && b[p.day * kHoursPerDay + p.hour].class_index < 0) {
          lesson = x, partner = y;
          return true;
        }
      }
    return false;
  }
  // The stand-by board asked for: the school's state says "not computed",
  // so the frame asks first and is answered yes; then the board left asks
  // about its move and is answered `answer`.
  void AskForStandbyBoard(int answer) {
    ui.AnswerNextModal(kIdYes);
    ui.PressInNextModal(answer);
    alfadlg_go_to_page(kPageQuadroStandby);
    EXPECT_EQ(ui.PendingSteps(), 0u) << "both questions asked";
  }
  void LoadSaved() {
    const char* argv[] = {"orario", "SNOD:scuola2.txt", nullptr};
    ASSERT_EQ(or_main(0, 2, argv), 0) << g_status.message;
  }
};

TEST_F(StandbyBoardLeave, TheWeekBoardsMoveIsAskedAboutBeforeTheWeekIsPreparedAgain) {
  ui.AnswerNextModal(kIdYes);
  alfadlg_go_to_page(kPageQuadro);
  ASSERT_EQ(g_current_page, &g_board);
  int lesson = -1, partner = -1;
  ASSERT_TRUE(FindExchange(lesson, partner));
  std::pair<int, int> from = Place(lesson), to = Place(partner);
  ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, from.second, from.first + 1));
  ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, to.second, to.first + 1));
  ASSERT_EQ(Place(lesson), to);
  ASSERT_TRUE(g_board.Changed());

  AskForStandbyBoard(CDaticambia::kStayId);
  EXPECT_EQ(g_current_page, &g_board);
  EXPECT_EQ(g_board.Mode(), 0);
  EXPECT_TRUE(g_board.Changed());
  EXPECT_EQ(Place(lesson), to) << "the board stayed over tables that still hold its move";
  EXPECT_EQ(g_board.Cell(to.first, to.second).lesson, lesson);

  AskForStandbyBoard(CDaticambia::kSaveId);
  ASSERT_EQ(g_current_page, &g_board);
  EXPECT_EQ(g_board.Mode(), 1);
  EXPECT_FALSE(g_board.Changed());
  EXPECT_EQ(Place(lesson), to) << "the stand-by board shows the week saved with the move";
  EXPECT_EQ(Place(partner), from);
  LoadSaved();
  EXPECT_EQ(Place(lesson), to) << "the move reached the saved week";
  EXPECT_EQ(Place(partner), from);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

TEST_F(StandbyBoardLeave, TheCoursesBoardsMoveIsSavedBeforeTheWeekIsPreparedAgain) {
  ui.AnswerNextModal(kIdYes);
  alfadlg_go_to_page(kPageQcorsi);
  ASSERT_EQ(g_current_page, &g_courses_board);
  int lesson = -1, partner = -1;
  ASSERT_TRUE(FindExchange(lesson, partner));
  std::pair<int, int> from = Place(lesson), to = Place(partner);
  int row = -1, at = -1, target = -1;
  CXQcLix& grid = g_courses_board.Grid();
  for (int r = 0; r < grid.RowCount(); ++r)
    for (int c = 2; c < grid.ColumnCount(); ++c) {
      const WeekGridCell& cell = g_courses_board.Cell(r, c);
      if (cell.class_index < 0) continue;
      if (cell.lesson == lesson) row = r, at = c;
      if (cell.lesson == partner) target = c;
    }
  ASSERT_GE(row, 0);
  ASSERT_GE(target, 0);
  ASSERT_TRUE(ui.ClickCell(g_courses_board, Cqcorsi::kGridId, row, at));
  ASSERT_TRUE(ui.ClickCell(g_courses_board, Cqcorsi::kGridId, row, target));
  ASSERT_EQ(Place(lesson), to);
  ASSERT_TRUE(g_courses_board.Changed());

  AskForStandbyBoard(CDaticambia::kSaveId);
  ASSERT_EQ(g_current_page, &g_board);
  EXPECT_EQ(g_board.Mode(), 1);
  EXPECT_EQ(Place(lesson), to);
  LoadSaved();
  EXPECT_EQ(Place(lesson), to) << "the move reached the saved week";
  EXPECT_EQ(Place(partner), from);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

TEST_F(StandbyBoardLeave, AWeekThatCannotBePreparedLeadsToTheProcessingMenu) {
  ui.AnswerNextModal(kIdYes);
  alfadlg_go_to_page(kPageQcorsi);
  ASSERT_EQ(g_current_page, &g_courses_board);
  fs::remove(school_ / "savego.txt");
  std::size_t boxes = ui.boxes().size();
  ui.AnswerNextModal(kIdYes);  // the frame's question on the school's state
  ui.AnswerNextModal(kIdOk);   // the engine's message
  alfadlg_go_to_page(kPageQuadroStandby);
  EXPECT_EQ(ui.PendingSteps(), 0u);
  EXPECT_GT(ui.boxes().size(), boxes) << "the engine's message is shown";
  EXPECT_EQ(g_current_page, &g_processing_menu);
  EXPECT_FALSE(fs::exists(school_ / "savego.txt")) << "nothing written";
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
