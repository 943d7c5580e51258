// The class order of the buildings pages' lists (see class_order_list.h).
#include "structure/class_order_list.h"

#include <cstring>

#include "schooldata/model_utilities.h"
#include "schooldata/ui_school_model.h"

using namespace kt::ui;

void ClassOrderList::Reset() {
  m_order.clear();
  for (int c = 0; c < og_class_count(); ++c)
    if (g_ui_structure.classes[c].code[0] != 0) m_order.push_back(c);
}

void ClassOrderList::Sort(int column, Compare compare) {
  if (column < 0 || column >= kColumns) return;
  std::uint8_t& direction = m_direction[std::size_t(column)];
  direction = direction == 1 ? 255 : 1;
  int sign = direction == 1 ? 1 : -1;
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (std::size_t i = 0; i + 1 < m_order.size(); ++i) {
      if (compare(m_order[i], m_order[i + 1], column) * sign <= 0) continue;
      std::swap(m_order[i], m_order[i + 1]);
      swapped = true;
    }
  }
}

std::vector<int> ClassOrderList::SelectedClasses(const ListView& list) {
  std::vector<int> classes;
  for (int row = list.GetNextItem(-1, kLvniSelected); row >= 0; row = list.GetNextItem(row, kLvniSelected)) {
    int c = og_find_class_by_label(list.GetItemText(row, 0).c_str());
    if (c < og_class_count()) classes.push_back(c);
  }
  return classes;
}

void ClassOrderList::SelectClasses(ListView& list, const std::vector<int>& classes) {
  for (int c : classes) {
    int row = list.FindItemByText(-1, og_class_label(c));
    if (row >= 0) list.SetItemState(row, kLvisSelected, kLvisSelected);
  }
}

int ClassOrderList::CompareCodeColumns(int a, int b, int column) {
  const unsigned char* x = reinterpret_cast<const unsigned char*>(g_ui_structure.classes[a].code);
  const unsigned char* y = reinterpret_cast<const unsigned char*>(g_ui_structure.classes[b].code);
  if (column == 1 || column == 2) return int(x[column]) - int(y[column]);
  for (int i = 0; i < 3; ++i)
    if (x[i] != y[i]) return int(x[i]) - int(y[i]);
  return 0;
}
