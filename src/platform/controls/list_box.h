// List boxes: rows of 1252 text with a data word each, single selection or
// multiple (toggle) or extended (Ctrl and Shift) selection, sorted insertion
// (1252 case folding), a top row for scrolling. Changes made by the user
// (mouse, arrows) send LBN_SELCHANGE and double clicks LBN_DBLCLK when the
// list has the notify style; changes made from code send nothing.
// The rows and their shared calls are the combo box's too (list_rows.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/controls/list_rows.h"

namespace kt::ui {

class ListBox : public ListRowsControl {
 public:
  const char* ClassName() const override { return "ListBox"; }

  int AddString(std::string_view text);
  int DeleteString(int index);
  void ResetContent();
  std::string GetText(int index) const { return RowText(index); }
  // Single selection.
  int SetCurSel(int index) override;
  int GetCurSel() const;
  int GetSel(int index) const;
  int GetCaretIndex() const { return caret_; }
  void SetTopIndex(int index);
  int GetTopIndex() const { return top_; }
  int GetItemHeight() const;
  int ItemFromPoint(Point p) const;  // -1 outside the rows
  void SetHorizontalExtent(int) {}
  int VisibleRows() const;
  // The bar drawn at the right edge while there are more rows than fit.
  Rect ScrollBarRect() const;

  // What a user's click on a row does (the test driver selects through it).
  void UserSelect(int index, unsigned mods);

  unsigned GetDlgCode(int) const override { return kWantArrows | kWantChars; }
  void OnPaint(DeviceContext& dc) override;

 protected:
  void OnLButtonDown(Point p, unsigned mods) override;
  void OnLButtonDblClk(Point p, unsigned mods) override;
  void OnKeyDown(int key, unsigned mods) override;
  void OnChar(unsigned char ch, unsigned mods) override;
  void OnMouseWheel(int delta, Point p) override;
  void OnSetFocus(Window*) override;
  void OnKillFocus(Window*) override;
  bool OnCreate() override;
  void OnDestroy() override;

 private:
  TypeAhead typed_;
  bool Multiple() const { return (GetStyle() & (kLbsMultipleSel | kLbsExtendedSel)) != 0; }
  void EnsureVisible(int index);
  void TellParent(int code);

  int caret_ = -1;
  int anchor_ = -1;
  int top_ = 0;
};

}  // namespace kt::ui
