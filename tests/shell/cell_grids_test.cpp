// The timetable grids on a page: each cell painted in its colour with its
// text 5 pixels in, even rows grey, the highlighted cell in its colour and a
// whole row in its own; the keys moving the highlight inside the data
// columns, the clicks on a cell or on the marker column, a right click's
// flag, the Delete key's handler, a highlight cleared, a requested cell
// reached at once or after a pause; and the courses board's colours by cell
// state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/test_driver.h"
#include "shell/cell_grid.h"
#include "shell/dialog_ml.h"

namespace {

using namespace kt::ui;

constexpr int kTemplate = 9621, kLessons = 1411, kCourses = 1412;
const ControlTemplate kControls[] = {
    {"ListView", kLessons, "", kLvsReport | kWsTabStop, 5, 5, 300, 120},
    {"ListView", kCourses, "", kLvsReport | kWsTabStop, 5, 130, 300, 120},
};
const DialogTemplate kTemplates[] = {{kTemplate, "Griglie", kWsPopup | kWsCaption, 0, 0, 310, 255, kControls}};

constexpr Color kWhite = rgb(255, 255, 255);
constexpr Color kWholeRow = rgb(247, 248, 205);

class GridPage : public CDialogML {
 public:
  GridPage() : CDialogML(kTemplate) {}
  CXQLix lessons;
  CXQcLix courses;

 protected:
  void DoDataExchange(DataExchange& dx) override {
    dx.Control(kLessons, lessons);
    dx.Control(kCourses, courses);
  }
};

class CellGrids : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    for (CXQGridBase* grid : {static_cast<CXQGridBase*>(&page.lessons), static_cast<CXQGridBase*>(&page.courses)}) {
      const char* heads[] = {"", "Classe", "Lun", "Mar", "Mer"};
      for (int c = 0; c < 5; ++c) grid->InsertColumn(c, heads[c], kLvcfmtLeft, 40);
      for (int r = 0; r < 4; ++r) {
        grid->InsertRow(r, "");
        grid->SetItemText(r, 1, "1" + std::string(1, char('A' + r)));
        for (int c = 2; c < 5; ++c) grid->SetItemText(r, c, "M" + std::to_string(r) + std::to_string(c));
      }
      grid->m_on_cell_selected = [this](int row, int column, int flag) {
        told.push_back(std::to_string(row) + "," + std::to_string(column) + (flag ? " right" : ""));
      };
    }
  }
  Color Fill(int id, int row, int column) {
    auto render = ui.Render(page);  // the cell's operation lives in it
    const DrawItemOp* op = render.CellFill(id, row, column);
    return op ? op->color : kNoColor;
  }
  Point CellCentre(CXQGridBase& grid, int row, int column) {
    Rect r;
    grid.GetSubItemRect(row, column, r);
    return r.Center();
  }
  TestDriver ui;
  GridPage page;
  std::vector<std::string> told;
};

TEST_F(CellGrids, CellsShowTheirColoursAndTexts) {
  page.lessons.m_text_code = [](int row, int column) { return row == 1 && column == 3 ? 2 : 0; };
  page.lessons.PaintCell(3, 4, rgb(131, 255, 170));
  page.lessons.PaintCell(9, 4, rgb(1, 1, 1));  // outside the grid: nothing
  DisplayList look = ui.Render(page);
  const struct {
    int row, column;
    Color back, text;
  } cases[] = {{0, 2, CXQLix::kEvenRow, rgb(0, 0, 0)},
               {1, 2, kWhite, rgb(0, 0, 0)},
               {1, 3, kWhite, rgb(255, 0, 0)},
               {3, 4, rgb(131, 255, 170), rgb(0, 0, 0)}};
  for (const auto& c : cases) {
    const DrawItemOp* fill = look.CellFill(kLessons, c.row, c.column);
    const DrawItemOp* text = look.CellText(kLessons, c.row, c.column);
    ASSERT_TRUE(fill && text) << c.row << "," << c.column;
    EXPECT_EQ(color_name(fill->color), color_name(c.back)) << c.row << "," << c.column;
    EXPECT_EQ(color_name(text->color), color_name(c.text)) << c.row << "," << c.column;
    EXPECT_EQ(text->text, "M" + std::to_string(c.row) + std::to_string(c.column));
    EXPECT_EQ(text->rect.left, fill->rect.left + 5);
  }
  const Color codes[] = {rgb(0, 0, 0),     rgb(0, 0, 255),   rgb(255, 0, 0),   rgb(0, 255, 0),   rgb(0, 255, 255),
                         rgb(255, 255, 0), rgb(255, 0, 255), rgb(255, 0, 240), rgb(240, 0, 255), rgb(0, 255, 240)};
  for (int code = 0; code <= 9; ++code) EXPECT_EQ(color_name(xq_text_color(code)), color_name(codes[code])) << code;
  EXPECT_EQ(xq_text_color(10), rgb(0, 0, 0));
  page.lessons.ClearAll();
  EXPECT_EQ(page.lessons.RowCount(), 0);
}

TEST_F(CellGrids, KeysMoveTheHighlightInsideTheDataColumns) {
  CXQLix& grid = page.lessons;
  grid.SetFocus();
  const struct {
    int key;
    int row, column;
  } steps[] = {{kVkRight, 0, 2}, {kVkRight, 0, 3}, {kVkEnd, 0, 4},  {kVkRight, 0, 4}, {kVkNext, 3, 4},
               {kVkDown, 3, 4},  {kVkUp, 2, 4},    {kVkHome, 2, 1}, {kVkLeft, 2, 1},  {kVkPrior, 0, 1}};
  for (const auto& s : steps) {
    ui.Key(s.key);
    EXPECT_EQ(grid.HighlightRow(), s.row) << s.key;
    EXPECT_EQ(grid.HighlightColumn(), s.column) << s.key;
  }
  EXPECT_EQ(told.size(), 10u);
  EXPECT_EQ(told.front(), "0,2");  // the first move starts from the first data column
  EXPECT_EQ(grid.PreviousRow(), 2);
  EXPECT_EQ(grid.PreviousColumn(), 1);
  EXPECT_EQ(color_name(Fill(kLessons, 0, 1)), color_name(grid.m_highlight_color));
  EXPECT_EQ(color_name(Fill(kLessons, 2, 1)), color_name(CXQLix::kEvenRow));
  int deleted = 0;
  grid.m_on_delete_key = [&] { ++deleted; };
  ui.Key(kVkDelete);
  EXPECT_EQ(deleted, 1);
  EXPECT_EQ(grid.HighlightRow(), 0);
}

TEST_F(CellGrids, ClicksOnACellOrOnTheMarkerColumn) {
  CXQLix& grid = page.lessons;
  ui.ClickAt(grid, CellCentre(grid, 2, 3));
  EXPECT_EQ(grid.HighlightRow(), 2);
  EXPECT_EQ(grid.HighlightColumn(), 3);
  grid.SendMessage(kMsgRButtonDown, 0, make_point_param(CellCentre(grid, 1, 4)));
  EXPECT_EQ(told, (std::vector<std::string>{"2,3", "1,4 right"}));
  ui.ClickAt(grid, CellCentre(grid, 3, 0));  // the marker column: the whole row
  EXPECT_EQ(grid.WholeRow(), 3);
  EXPECT_EQ(CXQLix::s_last_cell, 3);
  EXPECT_EQ(told.size(), 2u);
  EXPECT_EQ(color_name(Fill(kLessons, 3, 2)), color_name(kWholeRow));
  ui.ClickAt(grid, CellCentre(grid, 0, 2));
  EXPECT_EQ(grid.WholeRow(), -1);
  // The courses board takes its class column as a marker too.
  ui.ClickAt(page.courses, CellCentre(page.courses, 1, 1));
  EXPECT_EQ(page.courses.WholeRow(), 1);
  EXPECT_EQ(page.courses.HighlightRow(), -1);
}

// A page that shows other rows in the grid drops what was chosen: no cell
// nor row stays painted, the page hears nothing, and the keys start again
// from the first data cell.
TEST_F(CellGrids, AClearedHighlightLeavesNothingChosen) {
  CXQLix& grid = page.lessons;
  ui.ClickAt(grid, CellCentre(grid, 2, 3));
  ui.ClickAt(grid, CellCentre(grid, 1, 4));
  ASSERT_EQ(grid.HighlightRow(), 1);
  grid.ClearHighlight();
  EXPECT_EQ(grid.HighlightRow(), -1);
  EXPECT_EQ(grid.HighlightColumn(), -1);
  EXPECT_EQ(grid.PreviousRow(), -1);
  EXPECT_EQ(grid.PreviousColumn(), -1);
  EXPECT_EQ(told.size(), 2u) << "the page is not told";
  EXPECT_EQ(color_name(Fill(kLessons, 1, 4)), color_name(kWhite));
  ui.ClickAt(grid, CellCentre(grid, 3, 0));
  ASSERT_EQ(grid.WholeRow(), 3);
  grid.ClearHighlight();
  EXPECT_EQ(grid.WholeRow(), -1);
  EXPECT_EQ(CXQLix::s_last_cell, -1);
  EXPECT_EQ(color_name(Fill(kLessons, 3, 2)), color_name(kWhite));
  grid.SetFocus();
  ui.Key(kVkRight);
  EXPECT_EQ(grid.HighlightRow(), 0);
  EXPECT_EQ(grid.HighlightColumn(), 2);
}

TEST_F(CellGrids, ARequestedCellIsReachedAtOnceOrAfterThePause) {
  CXQLix& grid = page.lessons;
  grid.RequestCell(2, 4);
  grid.MoveHighlight(0);
  EXPECT_EQ(grid.HighlightRow(), 2);
  EXPECT_EQ(grid.HighlightColumn(), 4);
  grid.RequestCell(1, 3);
  grid.MoveHighlight(300);
  ui.Advance(200);
  EXPECT_EQ(grid.HighlightRow(), 2);
  ui.Advance(200);
  EXPECT_EQ(grid.HighlightRow(), 1);
  EXPECT_EQ(grid.HighlightColumn(), 3);
  grid.RequestCell(3, 0);  // column 0: the row as a whole
  grid.MoveHighlight(0);
  EXPECT_EQ(grid.WholeRow(), 3);
  grid.RequestCell(9, 2);  // outside the rows: nothing
  grid.MoveHighlight(0);
  EXPECT_EQ(grid.WholeRow(), 3);
  EXPECT_EQ(grid.HighlightRow(), 1);
}

// The courses board: a cell's state bits choose its colour, the later rules
// over the earlier; a white cell and the marker column show the row's
// ground.
TEST_F(CellGrids, CoursesBoardColoursFollowTheCellStates) {
  const struct {
    int state;
    bool highlighted;
    Color color;
  } cases[] = {{0, false, kWhite},
               {1 << 3, false, rgb(255, 249, 210)},
               {1 << 4, false, rgb(255, 153, 51)},
               {1 << 5, false, rgb(255, 204, 255)},
               {1 << 6, false, rgb(227, 250, 180)},
               {1 << 6, true, rgb(255, 0, 0)},
               {(1 << 1) | (1 << 6), true, rgb(247, 248, 205)},
               {(1 << 4) | (1 << 1), false, rgb(255, 153, 51)},
               {(1 << 2) | (1 << 4), false, rgb(131, 255, 170)},
               {-1, false, rgb(255, 255, 0)},
               {-1, true, rgb(255, 255, 0)},
               {1 | (1 << 2), true, rgb(176, 172, 250)}};
  for (const auto& c : cases)
    EXPECT_EQ(color_name(CXQcLix::StateColor(c.state, c.highlighted)), color_name(c.color))
        << c.state << " " << c.highlighted;
  page.courses.quadro_course_cell_state = [](int row, int column) { return row == 1 && column >= 2 ? 1 << 2 : 0; };
  page.courses.quadro_course_cell_color = [](int row, int) { return row == 1 ? 1 : 0; };
  EXPECT_EQ(color_name(Fill(kCourses, 1, 3)), color_name(rgb(131, 255, 170)));
  EXPECT_EQ(color_name(Fill(kCourses, 0, 3)), color_name(CXQLix::kEvenRow));
  EXPECT_EQ(color_name(Fill(kCourses, 3, 3)), color_name(kWhite));
  EXPECT_EQ(color_name(ui.Render(page).CellText(kCourses, 1, 3)->color), color_name(rgb(0, 0, 255)));
  ui.ClickAt(page.courses, CellCentre(page.courses, 2, 2));
  EXPECT_EQ(color_name(Fill(kCourses, 2, 2)), color_name(rgb(255, 0, 0)));
  page.courses.m_marker_column = 4;
  EXPECT_EQ(color_name(Fill(kCourses, 1, 4)), color_name(kWhite));  // the marker column keeps the row's ground
  page.courses.ResetSelection();
  EXPECT_EQ(page.courses.HighlightRow(), -1);
  EXPECT_EQ(page.courses.RowCount(), 0);
  EXPECT_EQ(page.courses.m_redraw, 1);
}

}  // namespace
