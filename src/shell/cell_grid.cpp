// Painting, keys and clicks of the timetable grids (see cell_grid.h). The
// grids answer the platform's custom-draw requests themselves: each cell
// is filled with its colour and its text drawn 5 pixels from the left, so
// the platform's own selection colours never show. Moves and clicks go
// through one path that repaints the old and the new cell and tells the
// page once.
#include "shell/cell_grid.h"

#include <algorithm>

using namespace kt::ui;

int CXQLix::s_last_cell = -1;
int CXQcLix::s_last_cell = -1;

namespace {

constexpr WParam kMoveTimer = 0x5151;
constexpr Color kWhite = rgb(255, 255, 255);
constexpr Color kWholeRow = rgb(247, 248, 205);

}  // namespace

Color xq_text_color(int code) {
  switch (code) {
    case 1: return rgb(0, 0, 255);
    case 2: return rgb(255, 0, 0);
    case 3: return rgb(0, 255, 0);
    case 4: return rgb(0, 255, 255);
    case 5: return rgb(255, 255, 0);
    case 6: return rgb(255, 0, 255);
    case 7: return rgb(255, 0, 240);
    case 8: return rgb(240, 0, 255);
    case 9: return rgb(0, 255, 240);
    default: return rgb(0, 0, 0);
  }
}

// ---- shared grid behaviour ----

int CXQGridBase::InsertColumn(int index, std::string_view heading, int format, int width, int subitem) {
  int column = ListView::InsertColumn(index, heading, format, width, subitem);
  if (column >= 0) ++m_columns;
  return column;
}

int CXQGridBase::InsertRow(int index, std::string_view text, std::uintptr_t data) {
  int row = ListView::InsertItem(index, text, data);
  if (row >= 0) ++m_rows;
  return row;
}

void CXQGridBase::ClearCounts() {
  DeleteAllItems();
  m_rows = 0;
  m_row = m_column = m_prev_row = m_prev_column = m_whole_row = -1;
  SharedLastCell() = -1;
  Invalidate(false);
}

void CXQGridBase::OnDestroy() {
  kt::ui::ListView::OnDestroy();
  m_rows = m_columns = 0;
  m_row = m_column = m_prev_row = m_prev_column = m_whole_row = -1;
}

void CXQGridBase::ClearHighlight() {
  bool shown = m_row >= 0 || m_whole_row >= 0;
  if (m_whole_row >= 0 && SharedLastCell() == m_whole_row) SharedLastCell() = -1;
  m_row = m_column = m_prev_row = m_prev_column = m_whole_row = -1;
  if (shown && IsWindow()) Invalidate(false);
}

void CXQGridBase::InvalidateCell(int row, int column) {
  if (row >= 0 && row < m_rows && column >= 0 && column < m_columns) Invalidate(false);
}

bool CXQGridBase::MoveTo(int row, int column, int flag) {
  if (row < 0 || row >= m_rows || column < 0 || column >= m_columns) return false;
  m_prev_row = m_row;
  m_prev_column = m_column;
  m_row = row;
  m_column = column;
  m_whole_row = -1;
  EnsureVisible(row);
  EnsureColumnVisible(column);
  InvalidateCell(m_prev_row, m_prev_column);
  InvalidateCell(row, column);
  OnCellSelected(row, column, flag);
  return true;
}

void CXQGridBase::Clicked(Point p, int flag) {
  SetFocus();
  if (flag == 0 && PressOnFrame(p)) return;
  int column = -1;
  bool on_header = false;
  int row = SubItemHitTest(p, &column, &on_header);
  // A press on a heading is the list's own: the page that owns the grid
  // sorts its rows by that column.
  if (on_header && flag == 0) return UserClickHeader(column);
  if (on_header || row < 0 || row >= m_rows || column < 0 || column >= m_columns) return;
  if (IsRowColumn(column)) {
    m_whole_row = row;
    SharedLastCell() = row;
    Invalidate(false);
    return;
  }
  MoveTo(row, column, flag);
}

void CXQGridBase::OnLButtonDown(Point p, unsigned) { Clicked(p, 0); }

void CXQGridBase::OnRButtonDown(Point p, unsigned) { Clicked(p, 1); }

void CXQGridBase::OnKeyDown(int key, unsigned mods) {
  if (m_rows == 0 || m_columns == 0) return;
  int row = std::max(m_row, 0), column = std::max(m_column, m_first_data_column);
  switch (key) {
    case kVkPrior: row = 0; break;
    case kVkNext: row = m_rows - 1; break;
    case kVkEnd: column = m_columns - 1; break;
    case kVkHome: column = m_first_data_column; break;
    case kVkUp: row = std::max(0, row - 1); break;
    case kVkDown: row = std::min(m_rows - 1, row + 1); break;
    case kVkLeft: column = std::max(m_first_data_column, column - 1); break;
    case kVkRight: column = std::min(m_columns - 1, column + 1); break;
    case kVkDelete:
      if (m_on_delete_key) m_on_delete_key();
      return;
    default: ListView::OnKeyDown(key, mods); return;
  }
  MoveTo(row, std::min(column, m_columns - 1), 0);
}

bool CXQGridBase::OnChildNotify(std::uint32_t message, WParam w, LParam l, LResult* result) {
  if (message != kMsgNotify || !l) return ListView::OnChildNotify(message, w, l, result);
  NotifyHeader* header = reinterpret_cast<NotifyHeader*>(l);
  if (header->code != kNmCustomDraw || header->window != this) return ListView::OnChildNotify(message, w, l, result);
  ListViewCustomDraw* cd = reinterpret_cast<ListViewCustomDraw*>(l);
  if (cd->stage == kCddsPrePaint) {
    *result = kCdrfNotifyItemDraw;
  } else if (cd->stage == kCddsItemPrePaint) {
    *result = kCdrfNotifySubItemDraw;
  } else if (cd->stage == (kCddsItemPrePaint | kCddsSubItem) && cd->dc) {
    Color back = kWhite, text = rgb(0, 0, 0);
    CellColors(cd->item, cd->subitem, back, text);
    DeviceContext& dc = *cd->dc;
    dc.FillRect(cd->rect, back);
    dc.SetTextColor(text);
    dc.SetBkMode(kBkTransparent);
    Rect text_rect{cd->rect.left + 5, cd->rect.top, cd->rect.right, cd->rect.bottom};
    dc.DrawText(GetItemText(cd->item, cd->subitem), text_rect,
                kDtLeft | kDtSingleLine | kDtVCenter | kDtNoPrefix);
    *result = kCdrfSkipDefault;
  } else {
    *result = kCdrfDoDefault;
  }
  return true;
}

// ---- lessons by class ----

void CXQLix::ClearAll() {
  m_painted.clear();
  ClearCounts();
}

void CXQLix::PaintCell(int row, int column, Color color) {
  if (row < 0 || row >= m_rows || column < 0 || column >= m_columns) return;
  m_painted[{row, column}] = color;
  InvalidateCell(row, column);
}

void CXQLix::CellColors(int row, int column, Color& back, Color& text) const {
  back = row % 2 == 0 ? kEvenRow : kWhite;
  if (row == m_whole_row) back = kWholeRow;
  if (auto it = m_painted.find({row, column}); it != m_painted.end()) back = it->second;
  if (row == m_row && column == m_column) back = m_highlight_color;
  text = xq_text_color(m_text_code ? m_text_code(row, column) : 0);
}

void CXQLix::MoveHighlight(int pause_ms) {
  if (pause_ms <= 0) return ApplyRequest();
  SetTimer(kMoveTimer, std::uint32_t(pause_ms));
}

void CXQLix::OnTimer(WParam id) {
  if (id != kMoveTimer) return CXQGridBase::OnTimer(id);
  KillTimer(kMoveTimer);
  ApplyRequest();
}

void CXQLix::ApplyRequest() {
  if (m_request_row < 0 || m_request_row >= m_rows) return;
  if (m_request_column == 0) {
    m_whole_row = m_request_row;
    s_last_cell = m_request_row;
    Invalidate(false);
    return;
  }
  MoveTo(m_request_row, m_request_column, 0);
}

// ---- courses board ----

void CXQcLix::ClearAll() { ClearCounts(); }

void CXQcLix::ResetSelection() {
  m_row = m_column = m_prev_row = m_prev_column = m_whole_row = -1;
  s_last_cell = -1;
  m_rows = 0;
  m_columns = 0;
  m_redraw = 1;
}

Color CXQcLix::StateColor(int state, bool highlighted) {
  Color c = kWhite;
  bool bits = state >= 0;  // a negative state is a mark of its own, not a set of bits
  auto bit = [&](int n) { return bits && (state & (1 << n)) != 0; };
  if (bit(3)) c = rgb(255, 249, 210);
  if (bit(4)) c = rgb(255, 153, 51);
  if (bit(5)) c = rgb(255, 204, 255);
  if (bit(6)) c = rgb(227, 250, 180);
  if (highlighted) c = rgb(255, 0, 0);
  if (bit(1)) c = rgb(247, 248, 205);
  if (bit(4)) c = rgb(255, 153, 51);
  if (bit(2)) c = rgb(131, 255, 170);
  if (state < 0) c = rgb(255, 255, 0);
  if (bit(0)) c = rgb(176, 172, 250);
  return c;
}

void CXQcLix::CellColors(int row, int column, Color& back, Color& text) const {
  int state = quadro_course_cell_state ? quadro_course_cell_state(row, column) : 0;
  back = StateColor(state, row == m_row && column == m_column);
  if (back == kWhite || column == m_marker_column) {
    if (row == m_whole_row) back = kWholeRow;
    else back = row % 2 == 0 ? CXQLix::kEvenRow : kWhite;
  }
  text = xq_text_color(quadro_course_cell_color ? quadro_course_cell_color(row, column) : 0);
}
