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

// Whether text starts with prefix, case folded by code page 1252.
bool starts_with_folded(std::string_view text, std::string_view prefix);

// The type-ahead of the lists: the letters typed within a second of each
// other make a prefix, and the row being extended stays chosen while it
// still matches ("FR" keeps FRANCESE); a single letter, or one letter
// repeated, moves on to the next row starting with it.
class TypeAhead {
 public:
  // find(start, prefix): the first row after start (wrapping round) whose
  // text starts with prefix, -1 when none. Answers the row to choose for
  // the typed character, -1 for none.
  template <class Find>
  int Next(unsigned char ch, std::int64_t now, int cur, Find find) {
    if (now - typed_at_ > kPauseMs) typed_.clear();
    typed_at_ = now;
    typed_ += char(ch);
    if (typed_.size() > 1) {
      if (cur >= 0 && find(cur - 1, typed_) == cur) return cur;
      int i = find(-1, typed_);
      if (i >= 0) return i;
      if (typed_.find_first_not_of(typed_[0]) != std::string::npos) return -1;
      typed_.resize(1);
    }
    return find(cur, typed_);
  }

 private:
  static constexpr std::int64_t kPauseMs = 1000;
  std::string typed_;
  std::int64_t typed_at_ = 0;
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
