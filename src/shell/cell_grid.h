// CXQLix and CXQcLix: owner-painted report lists that show a timetable as a
// grid of coloured cells with one highlighted cell, moved by the arrows,
// Home/End, Page Up/Down and the mouse. CXQLix is the lessons-by-class
// grid (even rows light grey, the highlight in its own colour, single
// cells repainted on request); CXQcLix is the courses board, whose cell
// colours come from its page's cell states. A click on the marker column
// (and on column 1 of the board) highlights a whole row instead of a cell.
//
// The pages plug in through the handlers below; an unset handler does
// nothing. Rows and columns are counted by the grid's own insert calls;
// the highlight is always -1 or inside those counts. Grids hold up to a
// few hundred rows of a dozen columns; a repaint redraws the visible rows.
#pragma once

#include <functional>
#include <map>

#include "platform/ui.h"

// The text colour of a page's colour code (1 blue … 9; others black).
kt::ui::Color xq_text_color(int code);

class CXQGridBase : public kt::ui::ListView {
 public:
  int InsertColumn(int index, std::string_view heading, int format = kt::ui::kLvcfmtLeft, int width = 60,
                   int subitem = -1);
  int InsertRow(int index, std::string_view text, std::uintptr_t data = 0);
  int RowCount() const { return m_rows; }
  int ColumnCount() const { return m_columns; }
  int HighlightRow() const { return m_row; }
  int HighlightColumn() const { return m_column; }
  int PreviousRow() const { return m_prev_row; }
  int PreviousColumn() const { return m_prev_column; }
  // The row highlighted as a whole (-1 none).
  int WholeRow() const { return m_whole_row; }
  // Nothing highlighted any more, cell or row, and the page is not told:
  // for a page that shows other rows in the same grid, where the cell
  // chosen on the rows before means nothing. The next key starts again
  // from the first data cell.
  void ClearHighlight();
  void InvalidateCell(int row, int column);

  // Told of every move and click: row, column, 1 for a right click.
  std::function<void(int row, int column, int flag)> m_on_cell_selected;
  std::function<void()> m_on_delete_key;
  int m_marker_column = 0;
  int m_redraw = 0;

 protected:
  explicit CXQGridBase(int first_data_column) : m_first_data_column(first_data_column) {}
  virtual void CellColors(int row, int column, kt::ui::Color& back, kt::ui::Color& text) const = 0;
  virtual int& SharedLastCell() = 0;
  // Tells the page of a move or click (the handler, unless a page class
  // overrides this).
  virtual void OnCellSelected(int row, int column, int flag) {
    if (m_on_cell_selected) m_on_cell_selected(row, column, flag);
  }
  virtual bool IsRowColumn(int column) const { return column == m_marker_column; }
  void ClearCounts();
  // The control's rows and columns go with its window: so do the counts.
  void OnDestroy() override;

  bool OnChildNotify(std::uint32_t message, kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  void OnLButtonDown(kt::ui::Point p, unsigned mods) override;
  void OnLButtonDblClk(kt::ui::Point p, unsigned mods) override { OnLButtonDown(p, mods); }
  void OnRButtonDown(kt::ui::Point p, unsigned mods) override;
  void OnKeyDown(int key, unsigned mods) override;
  unsigned GetDlgCode(int) const override { return kWantArrows | kWantChars; }

  int m_rows = 0;
  int m_columns = 0;
  int m_row = -1, m_column = -1;
  int m_prev_row = -1, m_prev_column = -1;
  int m_whole_row = -1;
  int m_first_data_column;

  bool MoveTo(int row, int column, int flag);

 private:
  void Clicked(kt::ui::Point p, int flag);
};

class CXQLix : public CXQGridBase {
 public:
  CXQLix() : CXQGridBase(1) {}
  static int s_last_cell;
  static constexpr kt::ui::Color kEvenRow = kt::ui::rgb(237, 237, 237);

  void ClearAll();
  // After pause_ms (0: now) the highlight moves to the requested cell, or
  // the requested row is highlighted whole when column 0 is asked.
  void RequestCell(int row, int column) { m_request_row = row, m_request_column = column; }
  void MoveHighlight(int pause_ms);
  // A colour of one cell that overrides the grid's own until ClearAll.
  void PaintCell(int row, int column, kt::ui::Color color);
  kt::ui::Color m_highlight_color = kt::ui::rgb(255, 0, 0);
  // The page's text colour code of a cell (0 black).
  std::function<int(int row, int column)> m_text_code;

 protected:
  void CellColors(int row, int column, kt::ui::Color& back, kt::ui::Color& text) const override;
  int& SharedLastCell() override { return s_last_cell; }
  void OnTimer(kt::ui::WParam id) override;

 private:
  void ApplyRequest();
  int m_request_row = -1, m_request_column = -1;
  std::map<std::pair<int, int>, kt::ui::Color> m_painted;
};

class CXQcLix : public CXQGridBase {
 public:
  CXQcLix() : CXQGridBase(2) {}
  static int s_last_cell;

  void ClearAll();
  void ResetSelection();
  // The page's answers: a cell's state bits and its text colour code.
  std::function<int(int row, int column)> quadro_course_cell_state;
  std::function<int(int row, int column)> quadro_course_cell_color;

  // The colour a state gives a cell, before the white-cell rule.
  static kt::ui::Color StateColor(int state, bool highlighted);

 protected:
  void CellColors(int row, int column, kt::ui::Color& back, kt::ui::Color& text) const override;
  int& SharedLastCell() override { return s_last_cell; }
  bool IsRowColumn(int column) const override { return column == m_marker_column || column == 1; }
};
