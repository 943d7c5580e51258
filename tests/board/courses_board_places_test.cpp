// Where the courses board puts what it shows, on the liceo's saved week:
// - every hour column is as wide as the longest teacher's name it holds
//   (one width for all, at least 60 pixels), so no name is cut;
// - the teacher's week opens clear of the class names and the first hours
//   and never over the row being worked on, the first row or the last;
// - the question asked on opening it and the box of a refused move stand
//   over the middle of the frame they speak for, not at its corner.
#include <gtest/gtest.h>

#include "board_program.h"

#include <string>

#include "board/courses_board.h"
#include "shell/message_box.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

constexpr int kTextInset = 7;  // a cell's text starts 5 pixels in and keeps 2 clear of the next cell

bool overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The centre of `inner` is that of `outer`, give or take a pixel of rounding.
void expect_centred(const Rect& inner, const Rect& outer, const char* what) {
  EXPECT_NEAR(inner.Center().x, outer.Center().x, 1) << what;
  EXPECT_NEAR(inner.Center().y, outer.Center().y, 1) << what;
}

class CoursesBoardPlaces : public board_test::BoardProgram {
 protected:
  void SetUp() override {
    BoardProgram::SetUp();
    CopySample("liceo");
    StartFrame("liceo");
  }
  void Open() {
    ui.OnNextModal([&](Dialog& box) {
      question_ = box.GetWindowRect();
      owner_ = g_frame.GetWindowRect();
      ui.Click(box, CMessageBox::kButtonIds[0]);  // yes, view it
    });
    alfadlg_go_to_page(kPageQcorsi);
    ASSERT_EQ(g_current_page, &g_courses_board);
  }
  // The grid's row on the screen, across the grid.
  Rect RowOnScreen(int row) {
    CXQcLix& grid = g_courses_board.Grid();
    Rect item;
    EXPECT_TRUE(grid.GetItemRect(row, item));
    Rect r = grid.ClientToScreen(item);
    Rect g = grid.GetWindowRect();
    return Rect{g.left, r.top, g.right, r.bottom};
  }
  Rect question_{}, owner_{};
};

TEST_F(CoursesBoardPlaces, EveryTeachersNameFitsItsHourColumn) {
  Open();
  CXQcLix& grid = g_courses_board.Grid();
  ASSERT_GT(grid.RowCount(), 0);
  int width = grid.GetColumnWidth(2);
  EXPECT_GE(width, 60);
  for (int c = 2; c < grid.ColumnCount(); ++c) {
    EXPECT_EQ(grid.GetColumnWidth(c), width) << "column " << c;
    for (int r = 0; r < grid.RowCount(); ++r)
      EXPECT_LE(grid.GetStringWidth(grid.GetItemText(r, c)), grid.GetColumnWidth(c) - kTextInset)
          << r << "/" << c << ": " << grid.GetItemText(r, c);
  }
}

TEST_F(CoursesBoardPlaces, TheTeachersWeekKeepsClearOfTheRowWorkedOn) {
  Open();
  CXQcLix& grid = g_courses_board.Grid();
  int last = grid.RowCount() - 1;
  ASSERT_GT(last, 0);
  // The class names and the first two hours of the week.
  Rect first_columns;
  ASSERT_TRUE(grid.GetSubItemRect(0, 3, first_columns));
  first_columns = grid.ClientToScreen(Rect{0, 0, first_columns.right, grid.GetClientRect().bottom});
  for (int row : {0, last, 0}) {
    SCOPED_TRACE(row);
    ASSERT_TRUE(ui.ClickCell(g_courses_board, Cqcorsi::kGridId, row, 2));
    ASSERT_TRUE(g_quadrino.IsWindowVisible());
    Rect week = g_quadrino.GetWindowRect();
    EXPECT_FALSE(overlap(week, RowOnScreen(row))) << "over the row clicked";
    EXPECT_FALSE(overlap(week, first_columns)) << "over the first columns";
    EXPECT_TRUE(overlap(week, grid.GetWindowRect())) << "beside the board";
    ui.RightClick(grid);  // the choice dropped: the next click chooses again
  }
}

TEST_F(CoursesBoardPlaces, ItsMessageBoxesStandOverTheMiddleOfTheFrame) {
  Open();
  ASSERT_FALSE(question_.IsEmpty());
  expect_centred(question_, owner_, "the question before the board");

  // A lesson at each class's first hour is tried at each other hour of its
  // row until a move is refused.
  discard_on_close_ = true;
  CXQcLix& grid = g_courses_board.Grid();
  Rect refused{}, frame{};
  bool seen = false;
  ui.OnNextModal([&](Dialog& box) {
    seen = true;
    refused = box.GetWindowRect();
    frame = g_frame.GetWindowRect();
    ui.Click(box, CMessageBox::kButtonIds[0]);
  });
  for (int row = 0; row < grid.RowCount() && !seen; ++row)
    for (int to = 3; to < grid.ColumnCount() && !seen; ++to) {
      if (grid.GetItemText(row, 2).empty()) break;
      ASSERT_TRUE(ui.ClickCell(g_courses_board, Cqcorsi::kGridId, row, 2));
      ASSERT_TRUE(ui.ClickCell(g_courses_board, Cqcorsi::kGridId, row, to));
    }
  ASSERT_TRUE(seen) << "no move was refused";
  expect_centred(refused, frame, "the refused move");
}

}  // namespace
