// Class labels (see class_labels.h). A label is found again by comparing
// it with the label of each class in turn: schools hold at most 300
// classes and a label is looked up once per user choice, so the walk is
// cheap and cannot disagree with the labelling.
#include "structure/class_labels.h"

#include <algorithm>
#include <cstring>

#include "schooldata/ui_school_model.h"

namespace kt::structure {

namespace {

std::string text_of(const char* field, std::size_t size) { return std::string(field, strnlen(field, size)); }

}  // namespace

int class_count() {
  return int(std::min<std::uint32_t>(g_ui_structure.class_count, std::uint32_t(kUiMaxClasses)));
}

int track_count() { return std::clamp<int>(g_ui_structure.track_count, 0, kUiMaxTracks); }

std::string og_class_label(int index) {
  if (index < 0 || index >= class_count()) return "?";
  const UiClass& c = g_ui_structure.classes[index];
  char year = c.code[0];
  std::string label;
  constexpr const char* kNumerals[] = {"IV", "V", "I", "II", "III"};
  if (c.classical_numbering && year >= '1' && year <= '5') {
    label = kNumerals[year - '1'];
  } else {
    label = std::string(1, year);
  }
  label += c.code[1];
  if (track_count() < 2) return label;
  char initial = c.code[2];
  for (int t = 0; t < track_count(); ++t) {
    if (g_ui_structure.track_names[t][0] != initial) continue;
    std::string short_name = text_of(g_ui_structure.track_short_names[t], sizeof g_ui_structure.track_short_names[t]);
    return label + (short_name.empty() ? std::string(1, initial) : short_name);
  }
  return label + initial;
}

int og_find_class_by_label(std::string_view label) {
  int count = class_count();
  for (int i = 0; i < count; ++i)
    if (og_class_label(i) == label) return i;
  return count;
}

}  // namespace kt::structure
