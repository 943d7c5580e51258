// Stand-by and support hours as pseudo-lessons of pseudo-classes appended
// behind the real classes (one name sequence "dAA", "dAB" ... for stand-by
// and then support hours), their first placement and their packing into as
// few pseudo-classes as possible.
//
// A teacher's stand-by hours come from "TED:", its support hours from
// "SOS:"; packing never fills a pseudo-class past 83 lessons.
#pragma once

#include <vector>

#include "engine/standby_steps.h"

// Builds the pseudo-classes and pseudo-lessons from the teachers' stand-by
// ("TED:") and support ("SOS:") hours, when the school's grouping byte is set.
void or_create_standby_lessons();
// First placement of every stand-by and support pseudo-lesson.
void or_place_standby_hours();

// For a stand-by or support hour moved by hand into `slot` while another
// such hour holds its pseudo-class there: the first other pseudo-class of
// the same kind and building that no lesson holds at the slot (the lessons
// in `leaving` count as gone) and that has room for one more lesson, with
// its room. False when there is none.
bool or_free_standby_class(int lesson, int slot, const std::vector<int>& leaving, int& class_index, int& room);
