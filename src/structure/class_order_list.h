// The class lists of the buildings page and of the classes-to-buildings
// dialog: the page's own order of the classes (indexes into the class
// table), a direction byte per column that flips on every sort (1
// ascending, 255 descending; kept from one visit to the next), a stable
// bubble sort by one column, and the way back from the selected rows to
// their classes through the labels.
//
// Invariants: the order holds each live class (code not deleted) once;
// equal keys keep their order, so successive sorts by several columns
// nest. At most 300 classes: a bubble sort is fast enough per click.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/ui.h"

class ClassOrderList {
 public:
  static constexpr int kColumns = 4;
  // Key of class a against class b in a column: the sign says the order.
  using Compare = int (*)(int a, int b, int column);

  // The classes in table order.
  void Reset();
  const std::vector<int>& Order() const { return m_order; }
  // Flips the column's direction and sorts by it.
  void Sort(int column, Compare compare);
  // The classes of the selected rows of a list whose first column holds
  // class labels.
  static std::vector<int> SelectedClasses(const kt::ui::ListView& list);
  // Selects the rows whose first column shows one of these classes.
  static void SelectClasses(kt::ui::ListView& list, const std::vector<int>& classes);
  // Column 0 by code, 1 section letter, 2 track letter (both unsigned).
  static int CompareCodeColumns(int a, int b, int column);

 private:
  std::vector<int> m_order;
  std::array<std::uint8_t, kColumns> m_direction{};
};
