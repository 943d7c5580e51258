// The class calendar (84) and second-hour entry (85) constraints, counted for
// each class's special-calendar pseudo-teacher (see the .cpp). Delta checks
// take the pseudo-teacher's index; an ordinary teacher counts 0 here.
//
// Invariant: both checks are pure; the pattern cost is exposed for tests of
// the weekly day patterns.
#pragma once

#include <cstdint>

std::int64_t or_check_class_calendar();
std::int64_t or_delta_class_calendar(int teacher);
std::int64_t or_check_second_hour_entry();
std::int64_t or_delta_second_hour_entry(int teacher);

