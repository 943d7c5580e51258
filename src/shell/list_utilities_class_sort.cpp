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

void og_sort_class_list_box(ListBox& box) {
  struct Entry {
    std::string key;
    std::string text;
    std::uintptr_t data;
  };
  std::vector<Entry> entries;
  for (int i = 0; i < box.GetCount(); ++i) {
    std::string text = box.GetText(i);
    std::string key;
    if (!text.empty() && text[0] >= '0' && text[0] <= '9') {
      std::size_t cut = std::min<std::size_t>(2, text.size());
      key = text.substr(cut) + text.substr(0, cut);
    } else {
      std::string code = og_classical_class_code(text);
      code.resize(3, ' ');
      key = {code[2], code[1], code[0]};
    }
    entries.push_back({key, text, box.GetItemData(i)});
  }
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
  box.ResetContent();
  for (const Entry& e : entries) box.SetItemData(box.AddString(e.text), e.data);
}
