// Class order for list boxes of class labels (see list_utilities.h). The
// key puts what varies least first: for modern labels the study track
// text, for classical ones the track letter, then section, then year, so
// a school's classes come out grouped by course. Boxes hold at most the
// 300 classes of a school; a stable sort keeps equal labels in place.
#include <algorithm>
#include <vector>

#include "shell/list_utilities.h"

using namespace kt::ui;

std::string og_classical_class_code(std::string_view label) {
  std::size_t colon = label.substr(0, 20).find(':');
  if (colon != std::string_view::npos) label.remove_prefix(colon + 1);
  struct Numeral {
    std::string_view roman;
    char year;
  };
  // Longest numerals first, so "III" is not read as "I".
  constexpr Numeral kNumerals[] = {{"III", '5'}, {"II", '4'}, {"IV", '1'}, {"I", '3'}, {"V", '2'}};
  for (const Numeral& n : kNumerals) {
    if (label.substr(0, n.roman.size()) != n.roman) continue;
    return std::string(1, n.year) + std::string(label.substr(n.roman.size(), 2));
  }
  return "?" + std::string(label.substr(0, 2));
}

std::string og_class_order_key(const std::string& label) {
  if (!label.empty() && label[0] >= '0' && label[0] <= '9') {
    std::size_t cut = std::min<std::size_t>(2, label.size());
    std::string key = label.substr(cut);
    if (cut == 2) key += label[1];
    return key + label[0];
  }
  std::string code = og_classical_class_code(label);
  code.resize(3, ' ');
  return {code[2], code[1], code[0]};
}

namespace {

template <typename Box, typename Text>
void sort_labels(Box& box, Text text_of) {
  std::vector<std::string> labels;
  for (int i = 0; i < box.GetCount(); ++i) labels.push_back(text_of(box, i));
  std::stable_sort(labels.begin(), labels.end(),
                   [](const std::string& a, const std::string& b) { return og_class_order_key(a) < og_class_order_key(b); });
  box.ResetContent();
  for (const std::string& label : labels) box.AddString(label);
}

}  // namespace

void og_sort_class_list_box(ListBox& box) {
  sort_labels(box, [](const ListBox& b, int i) { return b.GetText(i); });
}

void og_sort_class_list_box(ComboBox& box) {
  sort_labels(box, [](const ComboBox& b, int i) { return b.GetLBText(i); });
}
