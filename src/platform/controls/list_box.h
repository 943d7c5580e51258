// List boxes: rows of 1252 text with a data word each, single selection or
// multiple (toggle) or extended (Ctrl and Shift) selection, sorted insertion
// (1252 case folding), a top row for scrolling. Changes made by the user
// (mouse, arrows) send LBN_SELCHANGE and double clicks LBN_DBLCLK when the
// list has the notify style; changes made from code send nothing.
// The row store is shared with the combo box's list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/window.h"

namespace kt::ui {

inline constexpr int kLbErr = -1;

struct ListRows {
  struct Row {
    std::string text;
    std::uintptr_t data = 0;
    bool selected = false;
  };
  std::vector<Row> rows;
  bool sorted = false;

  int Add(std::string_view text);               // sorted or at the end
  int Insert(int index, std::string_view text);  // -1: at the end
  int Delete(int index);                         // count left, or kLbErr
  int Find(int start, std::string_view prefix, bool exact) const;
  bool Valid(int i) const { return i >= 0 && i < int(rows.size()); }
};

class ListBox : public Window {
 public:
  const char* ClassName() const override { return "ListBox"; }
  bool Create(std::uint32_t style, const Rect& r, Window* parent, int id);

  int AddString(std::string_view text);
  int InsertString(int index, std::string_view text);
  int DeleteString(int index);
  void ResetContent();
  int GetCount() const { return int(rows_.rows.size()); }
  std::string GetText(int index) const;
  int GetTextLen(int index) const { return rows_.Valid(index) ? int(rows_.rows[std::size_t(index)].text.size()) : kLbErr; }
  int SetItemData(int index, std::uintptr_t data);
  std::uintptr_t GetItemData(int index) const;
  int FindString(int start, std::string_view prefix) const { return rows_.Find(start, prefix, false); }
  int FindStringExact(int start, std::string_view text) const { return rows_.Find(start, text, true); }
  int SelectString(int start, std::string_view prefix);
  // Single selection.
  int SetCurSel(int index);
  int GetCurSel() const;
  // Multiple selection.
  int SetSel(int index, bool select = true);  // -1: all rows
  int GetSel(int index) const;
  int GetSelCount() const;
  std::vector<int> GetSelItems() const;
  int GetCaretIndex() const { return caret_; }
  void SetTopIndex(int index);
  int GetTopIndex() const { return top_; }
  int GetItemHeight() const;
  int ItemFromPoint(Point p) const;  // -1 outside the rows
  void SetHorizontalExtent(int) {}
  int VisibleRows() const;

  // What a user's click on a row does (the test driver selects through it).
  void UserSelect(int index, unsigned mods);

  unsigned GetDlgCode(int) const override { return kWantArrows | kWantChars; }
  void OnPaint(DeviceContext& dc) override;

 protected:
  void OnLButtonDown(Point p, unsigned mods) override;
  void OnLButtonDblClk(Point p, unsigned mods) override;
  void OnKeyDown(int key, unsigned mods) override;
  void OnMouseWheel(int delta, Point p) override;
  void OnSetFocus(Window*) override;
  void OnKillFocus(Window*) override;
  bool OnCreate() override;
  void OnDestroy() override;

 private:
  bool Multiple() const { return (GetStyle() & (kLbsMultipleSel | kLbsExtendedSel)) != 0; }
  void EnsureVisible(int index);
  void TellParent(int code);

  ListRows rows_;
  int cur_ = -1;
  int caret_ = -1;
  int anchor_ = -1;
  int top_ = 0;
};

}  // namespace kt::ui
