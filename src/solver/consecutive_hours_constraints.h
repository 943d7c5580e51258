// Class constraints on consecutive hours: the daily blocks of each teaching
// line of a class against the line's wanted block pattern ("G:") and its
// alternative ("G2:") (80), and the same for co-taught and laboratory lessons
// with the part's patterns (81). Each id has a full check and a class delta
// check, listed in the catalogue's evaluator table.
#pragma once

#include <cstdint>

#include "solver/class_counts.h"

std::int64_t or_full_consecutive_hours();
std::int64_t or_delta_consecutive_hours(int class_index);
std::int64_t or_full_consecutive_lab_hours();
std::int64_t or_delta_consecutive_lab_hours(int class_index);
// The delta checks read the lessons' lines from a table built from the
// records; a load that changes the records forgets it.
void or_forget_consecutive_lines();

// Block lengths of a consecutive-hours map ("321": blocks 3, 2, 1); digits
// other than 1..9 end the map.
Blocks blocks_of_map(const char* map, int size);
