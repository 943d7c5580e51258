// The sort of the import pages' row tables: a header click toggles the
// column's direction (1 unless it was 1, then -1) and bubble-sorts the rows
// until a pass makes no swap, so rows equal in the column keep their order.
// The rows selected in the list carry a flag through the sort so the page
// can select them again. Tables of at most ten thousand rows, sorted on a
// user's click.
#pragma once

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui.h"

// Texts the import pages share: the sorting tip, the clearing tip, and "si"
// or "NO" in the user's language for the configured and to-import columns.
const char* og_import_sort_tip();
const char* og_import_clear_tip();
const char* og_import_yes_no(bool yes);

// compare(a, b, column) > 0 (times the direction) swaps a before b.
template <typename Row, typename Compare>
void og_sort_import_rows(std::vector<Row>& rows, kt::ui::ListView& list, int column, std::int8_t* direction,
                         Compare compare) {
  for (Row& row : rows) row.selected = 0;
  for (int i = list.GetNextItem(-1, kt::ui::kLvniSelected); i >= 0; i = list.GetNextItem(i, kt::ui::kLvniSelected)) {
    int number = std::atoi(list.GetItemText(i, 0).c_str());
    for (Row& row : rows) {
      if (row.number == number) row.selected = 1;
    }
  }
  *direction = *direction == 1 ? -1 : 1;
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
      if (compare(rows[i], rows[i + 1], column) * *direction > 0) {
        std::swap(rows[i], rows[i + 1]);
        swapped = true;
      }
    }
  }
}

// Selects again the list rows whose table row carries the flag (the list
// was refilled in table order).
template <typename Row>
void og_reselect_import_rows(const std::vector<Row>& rows, kt::ui::ListView& list) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!rows[i].selected) continue;
    list.SetItemState(static_cast<int>(i), kt::ui::kLvisSelected | kt::ui::kLvisFocused,
                      kt::ui::kLvisSelected | kt::ui::kLvisFocused);
  }
}
