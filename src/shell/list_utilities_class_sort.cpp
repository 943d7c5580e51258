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

