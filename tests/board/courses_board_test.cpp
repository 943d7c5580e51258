// The courses board on the liceo's saved week (two study tracks, labs,
// co-taught hours): a row per class in section order (track, then section,
// then year), a column per hour of each day, each cell the teacher of the
// class's lesson; the legend draws each line on the colour the grid gives
// the hours it explains; the teacher's week window follows the cell; a
// move says what it breaks anew, and only that; a saved move stays.
#include <gtest/gtest.h>

#include "board_program.h"

#include <string>
#include <vector>

#include "board/courses_board.h"
#include "board/processing_menu.h"
#include "engine/model.h"
#include "platform/test_driver.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "structure/structure_pages.h"
#include "structure/unsaved_changes_prompt.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class CoursesBoard : public board_test::BoardProgram {
 protected:
  void SetUp() override {
    BoardProgram::SetUp();
    CopySample("liceo");
    StartFrame("liceo");
    OpenComputedPage(kPageQcorsi);
    ASSERT_EQ(g_current_page, &g_courses_board);
  }
  // The first cell of the grid whose state is exactly `state`; false when none.
  bool FindState(int state, int& row, int& column) {
    CXQcLix& grid = g_courses_board.Grid();
    for (row = 0; row < grid.RowCount(); ++row)
      for (column = 2; column < grid.ColumnCount(); ++column)
        if (quadro_course_cell_state(row, column) == state) return true;
    return false;
  }
  Color LegendLine(int line) {
    DisplayList list = ui.Render(g_legend);
    for (const DrawItemOp& op : list.ops())
      if (op.control_id == Cqclegenda::kFirstLineId + line && op.op == DrawOp::kFill) return op.color;
    return kNoColor;
  }
};

// Track letter, section letter, year: the order of the rows.
std::string section_key(const std::string& code) { return std::string{code[2], code[1], code[0]}; }

TEST_F(CoursesBoard, ARowPerClassInSectionOrderAndAColumnPerHour) {
  CXQcLix& grid = g_courses_board.Grid();
  ASSERT_EQ(grid.RowCount(), g_eng_school.real_class_count);
  std::vector<std::string> rows;
  for (int r = 0; r < grid.RowCount(); ++r) rows.push_back(grid.GetItemText(r, 1));
  EXPECT_EQ(rows.front(), "1AL") << "the linguistic track's first class leads";
  for (std::size_t r = 1; r < rows.size(); ++r)
    EXPECT_LT(section_key(rows[r - 1]), section_key(rows[r])) << rows[r - 1] << " before " << rows[r];
  for (int c = 0; c < g_eng_school.real_class_count; ++c)
    EXPECT_EQ(grid.GetItemText(g_courses_board.Row(c), 1), g_eng_classes[c].code);
  int hours = 0;
  for (int d = 0; d < g_eng_run.days_per_week; ++d) hours += g_eng_school.hours_per_day[d];
  ASSERT_EQ(grid.ColumnCount(), 2 + hours);
  EXPECT_EQ(g_courses_board.Column(0, 0), 2);
  EXPECT_EQ(g_courses_board.Column(1, 0), 2 + g_eng_school.hours_per_day[0]);
  EXPECT_EQ(g_courses_board.Column(g_eng_run.days_per_week, 0), -1);
  // Every lesson of a class shows its teacher in the class's row at its hour.
  int shown = 0;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (x.class_index >= g_eng_school.real_class_count || x.teacher >= g_eng_school.teacher_count) continue;
    int row = g_courses_board.Row(x.class_index), column = g_courses_board.Column(x.day, x.hour);
    if (column < 0 || g_courses_board.Cell(row, column).lesson != l) continue;
    EXPECT_EQ(grid.GetItemText(row, column), g_eng_teachers[x.teacher].name) << l;
    ++shown;
  }
  EXPECT_GT(shown, 100);
}

TEST_F(CoursesBoard, TheLegendShowsEachStateOnTheGridsColour) {
  ui.Click(g_courses_board, Cqcorsi::kLegendId);
  ASSERT_TRUE(g_legend.IsWindowVisible());
  EXPECT_EQ(ui.Text(g_legend, Cqclegenda::kFirstLineId + 2), "Ora in laboratorio");
  EXPECT_EQ(ui.Text(g_legend, Cqclegenda::kFirstLineId + 3), "Ora in compresenza");
  // A co-taught hour of the liceo as the grid paints it (its lab hours are
  // co-taught too); the lab line has a colour of its own.
  int row = 0, column = 0;
  ASSERT_TRUE(FindState(32, row, column)) << "no co-taught hour";
  Color shared = ui.Render(g_courses_board).CellFill(Cqcorsi::kGridId, row, column)->color;
  EXPECT_EQ(LegendLine(3), shared);
  EXPECT_EQ(LegendLine(2), CXQcLix::StateColor(8, false));
  EXPECT_NE(LegendLine(2), shared);
  ASSERT_TRUE(FindState(0, row, column));
  Color plain = ui.Render(g_courses_board).CellFill(Cqcorsi::kGridId, row, column)->color;
  EXPECT_NE(LegendLine(2), plain);
  EXPECT_NE(LegendLine(3), plain);
  // The chosen lesson's colour, once a lesson is chosen.
  ASSERT_TRUE(ui.ClickCell(g_courses_board, Cqcorsi::kGridId, row, column));
  EXPECT_EQ(LegendLine(0), ui.Render(g_courses_board).CellFill(Cqcorsi::kGridId, row, column)->color);
  EXPECT_EQ(LegendLine(Cqclegenda::kLines - 1), rgb(255, 0, 0));
  // The teacher's week of the chosen cell: his classes at their hours.
  int teacher = g_courses_board.Cell(row, column).teacher;
  ASSERT_TRUE(g_quadrino.IsWindowVisible());
  EXPECT_EQ(g_quadrino.Teacher(), teacher);
  EXPECT_NE(g_quadrino.GetWindowText().find(g_eng_teachers[teacher].name), std::string::npos);
  ListView& week = g_quadrino.Grid();
  int shown = 0;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (x.teacher != teacher || x.class_index >= g_eng_school.real_class_count || x.day >= g_eng_run.days_per_week) continue;
    EXPECT_EQ(week.GetItemText(x.hour, x.day + 1), g_eng_classes[x.class_index].code) << l;
    ++shown;
  }
  EXPECT_GT(shown, 0);
  EXPECT_EQ(week.GetItemText(0, 0), "1");
}

// Each move says what it breaks anew, and only that: once a move broke a
// rule, a later move that breaks nothing more says only that the lesson
// moved. (Four moves the saved week takes, of the first class's Monday
// lessons one hour later; the third leaves a teacher without his free day.)
TEST_F(CoursesBoard, EachMoveSaysOnlyWhatItBreaksAnew) {
  const struct {
    int column;
    const char* said;  // how the status begins
  } moves[] = {
      {2, "Lezione spostata"},
      {6, "Lezione spostata"},
      {7, "Lezione spostata: ora l'orario viola GIORNI LIBERI alternativi - DE SANTIS: 1"},
      {10, "Lezione spostata"},
  };
  std::size_t boxes = ui.boxes().size();
  for (const auto& m : moves) {
    ASSERT_GE(g_courses_board.Cell(0, m.column).lesson, 0) << m.column;
    ASSERT_TRUE(ui.ClickCell(g_courses_board, Cqcorsi::kGridId, 0, m.column));
    ASSERT_TRUE(ui.ClickCell(g_courses_board, Cqcorsi::kGridId, 0, m.column + 1));
    std::string status = ui.Text(g_courses_board, Cqcorsi::kStatusId);
    EXPECT_EQ(status.rfind(m.said, 0), 0u) << m.column << ": " << status;
    if (std::string(m.said) == "Lezione spostata") {
      EXPECT_EQ(status, m.said) << m.column;
    }
  }
  EXPECT_EQ(ui.boxes().size(), boxes) << "every move taken";
  ui.PressInNextModal(CDaticambia::kDiscardId);
}

// A move saved from the courses board: the status says so, the saved week
// holds the lesson at its new hour when the board opens again, and leaving
// asks nothing.
TEST_F(CoursesBoard, ASavedMoveStaysAndLeavingAsksNothing) {
  int lesson = g_courses_board.Cell(0, 2).lesson;
  ASSERT_GE(lesson, 0);
  std::string before = read(school_ / "savego.txt");
  ASSERT_TRUE(ui.ClickCell(g_courses_board, Cqcorsi::kGridId, 0, 2));
  ASSERT_TRUE(ui.ClickCell(g_courses_board, Cqcorsi::kGridId, 0, 3));
  ASSERT_EQ(ui.Text(g_courses_board, Cqcorsi::kStatusId).rfind("Lezione spostata", 0), 0u);
  ui.Click(g_courses_board, Cqcorsi::kSaveId);
  EXPECT_EQ(ui.Text(g_courses_board, Cqcorsi::kStatusId), "Orario salvato");
  EXPECT_NE(read(school_ / "savego.txt"), before);
  std::size_t boxes = ui.boxes().size();
  alfadlg_go_to_page(kPageProcessingMenu);
  EXPECT_EQ(ui.boxes().size(), boxes);
  ASSERT_EQ(g_current_page, &g_processing_menu);
  OpenComputedPage(kPageQcorsi);
  ASSERT_EQ(g_current_page, &g_courses_board);
  EXPECT_EQ(g_courses_board.Cell(0, 3).lesson, lesson);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// The grid's text colours: the class columns in black; an hour in blue
// only when it is co-taught, else black (red only for a teacher's clash);
// an hour without a lesson writes nothing.
TEST_F(CoursesBoard, TheGridWritesNamesInBlackAndCoTaughtHoursInBlue) {
  CXQcLix& grid = g_courses_board.Grid();
  DisplayList list = ui.Render(g_courses_board);
  const Color black = rgb(0, 0, 0), blue = rgb(0, 0, 255), red = rgb(255, 0, 0);
  int blues = 0, names = 0;
  for (int row = 0; row < grid.RowCount(); ++row)
    for (int column = 0; column < grid.ColumnCount(); ++column) {
      const DrawItemOp* text = list.CellText(Cqcorsi::kGridId, row, column);
      if (!text || text->text.empty()) continue;
      if (column < 2) {
        EXPECT_EQ(text->color, black) << "row " << row << " column " << column;
        ++names;
        continue;
      }
      bool shared = g_courses_board.Cell(row, column).second_teacher >= 0;
      if (text->color == blue) ++blues;
      EXPECT_TRUE(text->color == (shared ? blue : black) || text->color == red)
          << "row " << row << " column " << column << " " << text->text;
    }
  EXPECT_GT(names, 0);
  EXPECT_GT(blues, 0) << "the liceo has co-taught hours";
}

}  // namespace
