// Teacher constraints on days and day breaks: free days first and second
// choice (5, 54), lessons outside the available hours (6), the shape of a
// day (20 light, 21 first hours, 22 last hours, 49 in a band), breaks of
// free days (26 generic, 28 per class, 27 special between two days) and
// presence in the week's first and last hour (66). Each id has a full check
// and a teacher delta check, listed in the catalogue's evaluator table.
#pragma once

#include <cstdint>

#include "engine/model.h"

// The rule of id (one of this family's) counts nothing for the teacher
// whatever its week: its first parameter is not given; false for other ids.
inline bool or_day_rule_unset(int id, const EngineTeacher& t) {
  switch (id) {
    case 20: return t.gl_hours == -1;
    case 21: return t.gp_hours == -1;
    case 22: return t.gu_hours == -1;
    case 49: return t.gx[0] == -1;
    case 27: return t.segrubi[0] <= 0;
    case 66: return t.tramox == 0;
    case 26: return t.pause_value == -1;
    case 5: return t.free_day_count < 1;
    case 54: return t.free_day_byte == 0 || t.alt_free_day_count < 1;
    default: return false;
  }
}

std::int64_t or_full_free_days();
std::int64_t or_delta_free_days(int teacher);
std::int64_t or_full_free_days_second();
std::int64_t or_delta_free_days_second(int teacher);
std::int64_t or_full_unavailable_hours();
std::int64_t or_delta_unavailable_hours(int teacher);
std::int64_t or_full_light_days();
std::int64_t or_delta_light_days(int teacher);
std::int64_t or_full_first_hour_days();
std::int64_t or_delta_first_hour_days(int teacher);
std::int64_t or_full_last_hour_days();
std::int64_t or_delta_last_hour_days(int teacher);
std::int64_t or_full_band_days();
std::int64_t or_delta_band_days(int teacher);
std::int64_t or_full_generic_break();
std::int64_t or_delta_generic_break(int teacher);
std::int64_t or_full_special_break();
std::int64_t or_delta_special_break(int teacher);
std::int64_t or_full_class_break();
std::int64_t or_delta_class_break(int teacher);
std::int64_t or_full_week_ends();
std::int64_t or_delta_week_ends(int teacher);

// Per class of the teacher's list, the hours taught on each day; returns
// the number of list classes (at most 84).
struct ClassDayLoads {
  std::int16_t class_index[84];
  int loads[84][7];
  int count;
};
void teacher_class_day_loads(int teacher, ClassDayLoads* out);
