// Report list views: columns with a heading, format and width; rows of
// sub-item texts with a data word and a state (selected, focused); single or
// multiple selection; a top row and a horizontal offset for scrolling, with
// a bar at the bottom while the columns are wider than the list (Left/Right
// and the wheel over the headings move it too). Dragging a heading's
// right edge resizes that column; a click elsewhere on a heading sorts.
// Notifications to the parent (each answered first by the list itself when
// its class overrides OnChildNotify through reflection): NM_CLICK, NM_DBLCLK
// and NM_RCLICK with the row and column hit, LVN_ITEMCHANGED for every
// state change the user makes, LVN_COLUMNCLICK for a header click,
// HDN_ENDTRACK when a column divider is dropped, LVN_KEYDOWN before a key is
// handled, LVN_BEGINLABELEDIT / LVN_ENDLABELEDIT around in-place editing,
// and NM_CUSTOMDRAW at each paint stage (list, row, cell) so the parent or
// the list's own class can colour every cell or draw it whole.
// Changes made from code send LVN_ITEMCHANGED too, as callers expect.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/controls/edit.h"
#include "platform/controls/list_rows.h"
#include "platform/window.h"

namespace kt::ui {

class DeviceContext;

struct ListViewNotify {
  NotifyHeader hdr;
  int item = -1;
  int subitem = -1;
  std::uint32_t new_state = 0;
  std::uint32_t old_state = 0;
  std::uint32_t changed = 0;  // 8: state changed
  Point point;
  std::uintptr_t param = 0;  // the row's data word
  int key = 0;
  int width = 0;              // HDN_ENDTRACK: the new width
  const char* text = nullptr;  // LVN_ENDLABELEDIT: the edited text, null when cancelled
};

struct ListViewCustomDraw {
  NotifyHeader hdr;
  std::uint32_t stage = 0;
  DeviceContext* dc = nullptr;
  Rect rect;
  int item = -1;
  int subitem = -1;
  std::uintptr_t item_data = 0;
  std::uint32_t item_state = 0;
  Color text_color = kNoColor;   // set by the answer; kNoColor keeps the default
  Color back_color = kNoColor;
};

// The editor of in-place label editing: it keeps Enter and Esc for itself.
class LabelEdit : public Edit {
 public:
  unsigned GetDlgCode(int) const override { return kWantAllKeys | kWantChars | kWantArrows; }

 protected:
  void OnKeyDown(int key, unsigned mods) override;
  void OnChar(unsigned char ch, unsigned mods) override;
};

class ListView : public Window {
 public:
  const char* ClassName() const override { return "ListView"; }
  bool Create(std::uint32_t style, const Rect& r, Window* parent, int id);

  // Columns.
  int InsertColumn(int index, std::string_view heading, int format = kLvcfmtLeft, int width = 60, int subitem = -1);
  bool DeleteColumn(int index);
  int GetColumnCount() const { return int(columns_.size()); }
  int GetColumnWidth(int index) const;
  bool SetColumnWidth(int index, int width);
  std::string GetColumnHeading(int index) const;
  bool SetColumnHeading(int index, std::string_view heading);
  // The sort mark of a heading: 0 none, 1 ascending (up), 2 descending (down).
  bool SetSortArrow(int column, int direction);
  int GetSortArrow(int column) const;
  // Width in pixels of a text in the list's font (column fitting).
  int GetStringWidth(std::string_view text) const;

  // Rows.
  int InsertItem(int index, std::string_view text, std::uintptr_t data = 0);
  bool DeleteItem(int index);
  bool DeleteAllItems();
  int GetItemCount() const { return int(rows_.size()); }
  bool SetItemText(int item, int subitem, std::string_view text);
  std::string GetItemText(int item, int subitem) const;
  bool SetItemData(int item, std::uintptr_t data);
  std::uintptr_t GetItemData(int item) const;
  bool SetItemState(int item, std::uint32_t state, std::uint32_t mask);  // item -1: every row
  std::uint32_t GetItemState(int item, std::uint32_t mask) const;
  int GetNextItem(int start, std::uint32_t flags) const;
  int GetSelectionMark() const { return mark_; }
  int GetSelectedCount() const;
  // Finds the row with this data word after start (-1: from the top).
  int FindItemByData(int start, std::uintptr_t data) const;
  int FindItemByText(int start, std::string_view text) const;
  // Sorts rows by a comparison of their data words, as the list's callers do.
  using CompareFunc = int (*)(std::uintptr_t a, std::uintptr_t b, std::uintptr_t param);
  bool SortItems(CompareFunc compare, std::uintptr_t param);
  std::uint32_t SetExtendedStyle(std::uint32_t ex);
  std::uint32_t GetExtendedStyle() const { return ex_; }
  void SetBkColor(Color c) { back_ = c; Invalidate(); }
  Color GetBkColor() const { return back_; }
  void SetTextColor(Color c) { text_ = c; Invalidate(); }
  Color GetTextColor() const { return text_; }

  // Scrolling and geometry.
  bool EnsureVisible(int item, bool partial_ok = false);
  int GetTopIndex() const { return top_; }
  // The vertical bar drawn while there are more rows than fit.
  Rect RowsScrollBar() const;
  int GetCountPerPage() const;
  bool Scroll(int dx, int dy);
  int GetScrollX() const { return scroll_x_; }
  // Scrolls sideways to x (clamped to what the columns allow).
  void SetScrollX(int x);
  // The largest useful horizontal offset: 0 while every column fits.
  int MaxScrollX() const;
  // Scrolls sideways until the column shows whole (or its left part when it
  // is wider than the list).
  bool EnsureColumnVisible(int column);
  // The horizontal bar drawn while the columns are wider than the list.
  Rect ColumnsScrollBar() const;
  bool HasColumnsScrollBar() const;
  bool HasRowsScrollBar() const;
  // The width the columns are shown in (inside the frame and any row bar).
  int ViewWidth() const;
  int RowHeight() const;
  int HeaderHeight() const;
  bool GetItemRect(int item, Rect& r) const;
  bool GetSubItemRect(int item, int subitem, Rect& r) const;
  Rect GetHeaderItemRect(int column) const;
  // Row and column at a client point; -1 when none. On the header: row -1.
  int SubItemHitTest(Point p, int* subitem, bool* on_header = nullptr) const;
  int HitTest(Point p) const { return SubItemHitTest(p, nullptr); }

  // In-place editing of a row's first column (the edit-labels style).
  Edit* EditLabel(int item);
  int EditingItem() const { return editing_; }
  Edit* GetEditControl() { return editing_ >= 0 ? &editor_ : nullptr; }
  void EndEditLabel(bool accept);

  // What the user does (the test driver acts through these).
  void UserClickHeader(int column);
  void UserEndTrack(int column, int width);

  unsigned GetDlgCode(int key) const override { return kWantArrows | kWantChars; }
  void OnPaint(DeviceContext& dc) override;

 protected:
  void OnLButtonDown(Point p, unsigned mods) override;
  void OnLButtonUp(Point p, unsigned mods) override;
  void OnMouseMove(Point p, unsigned mods) override;
  // A press on a scroll bar or a column divider, which the list handles
  // itself whatever its class does with clicks; true when it was one.
  bool PressOnFrame(Point p);
  void OnLButtonDblClk(Point p, unsigned mods) override;
  void OnRButtonDown(Point p, unsigned mods) override;
  void OnKeyDown(int key, unsigned mods) override;
  void OnChar(unsigned char ch, unsigned mods) override;
  void OnMouseWheel(int delta, Point p) override;
  void OnSetFocus(Window*) override;
  void OnKillFocus(Window*) override;
  bool OnCommand(WParam w, LParam l) override;
  void OnDestroy() override;

 private:
  struct Column {
    std::string heading;
    int format = kLvcfmtLeft;
    int width = 60;
    int arrow = 0;
  };
  struct Row {
    std::vector<std::string> texts;
    std::uintptr_t data = 0;
    std::uint32_t state = 0;
  };

  bool SingleSel() const { return (GetStyle() & kLvsSingleSel) != 0; }
  void ChangeState(int item, std::uint32_t state, std::uint32_t mask);
  void SelectByUser(int item, unsigned mods);
  LResult SendCustomDraw(ListViewCustomDraw& cd);
  LResult Notify(int code, int item, int subitem, Point p = {});
  void PaintCell(DeviceContext& dc, int item, int col, const Rect& cell, std::uint32_t row_answer);

  std::vector<Column> columns_;
  std::vector<Row> rows_;
  TypeAhead typed_;  // typing moves to the row whose first column starts so
  std::uint32_t ex_ = 0;
  int ColumnsWidth() const;
  bool BarsShown(bool* rows_bar) const;
  int DividerAt(Point p) const;

  int top_ = 0;
  int scroll_x_ = 0;
  int tracking_ = -1;  // the column whose divider is being dragged
  int track_from_x_ = 0, track_from_width_ = 0;
  int mark_ = -1;
  int anchor_ = -1;
  Color back_ = kWindowColor;
  Color text_ = kWindowTextColor;
  LabelEdit editor_;
  int editing_ = -1;
};

}  // namespace kt::ui
