// Class labels as the structure editors show them: the class code with its
// study-track letter replaced by the track's short name, or the classical
// numerals ("IV", "V", "I", "II", "III") for a class flagged so; and the
// way back from a label to the class. These read the working school model
// (g_ui_structure) with every count clamped to its table, so a damaged
// count never reads past a table. Kept in their own namespace until the
// shell's labelling takes their place.
#pragma once

#include <string>
#include <string_view>

namespace kt::structure {

// The class count and track count of the working model, clamped to the
// tables (0 when negative).
int class_count();
int track_count();

// The label of a class; "?" for an index outside the classes.
std::string og_class_label(int index);
// The index of the first class whose label is the given one; class_count()
// when none is.
int og_find_class_by_label(std::string_view label);

}  // namespace kt::structure
