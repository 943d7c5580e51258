// The rows behind list boxes and combo boxes: 1252 texts with a data word
// each, kept sorted (1252 case folding) when the control has the sort style,
// and the calls both controls answer the same way: count, data words,
// prefix and exact searches from a start row (wrapping round), adding and
// inserting rows while the selected row stays on its text. A control built
// on ListRowsControl keeps its selection in cur_ (-1: none) and says in
// SetCurSel what choosing a row shows.
// Rows are few (days, hours, classes, teachers: tens to a few hundred), so
// every search is a linear scan.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"

namespace kt::ui {

inline constexpr int kLbErr = -1;
inline constexpr int kCbErr = -1;

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

class ListRowsControl : public Window {
 public:
  int GetCount() const { return int(rows_.rows.size()); }
  int FindString(int start, std::string_view prefix) const { return rows_.Find(start, prefix, false); }
  int FindStringExact(int start, std::string_view text) const { return rows_.Find(start, text, true); }
  virtual int SetCurSel(int index) = 0;

 protected:
  std::string RowText(int index) const;
  // Add or insert a row, moving the selection down when the row lands
  // above it; the new row's index, or kLbErr.
  int AddRow(std::string_view text);

  ListRows rows_;
  int cur_ = -1;
};

}  // namespace kt::ui
