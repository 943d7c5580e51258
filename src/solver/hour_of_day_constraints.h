// Teacher constraints on the hours of the day: minimum and maximum days in
// the first hours (12, 13), the last hours (57, 58) and two configured bands
// (16, 17 and 14, 15), days straddling an hour (46), desired (18) and
// maximum (19) hours per day. Each id has a full check and a teacher delta
// check, listed in the catalogue's evaluator table.
#pragma once

#include <cstdint>

#include "engine/model.h"

// The rule of id (one of this family's) counts nothing for the teacher
// whatever its week: its first parameter is not given (-1, or no hours for
// the first and last hours); false for other ids. Inline, so that a sum
// that asks for a constant id reads one byte.
inline bool or_hour_of_day_rule_unset(int id, const EngineTeacher& t) {
  switch (id) {
    case 12: return t.pmin_hours <= 0;
    case 13: return t.pmax_hours <= 0;
    case 57: return t.umin_hours <= 0;
    case 58: return t.umax_hours <= 0;
    case 16: return t.fmin[0] == -1;
    case 17: return t.fmax[0] == -1;
    case 14: return t.emin[0] == -1;
    case 15: return t.emax[0] == -1;
    case 46: return t.cavallomax_hour == -1;
    case 18: return t.ov[0] == -1;
    case 19: return t.om[0] == -1;
    default: return false;
  }
}

std::int64_t or_full_first_hours_min();
std::int64_t or_delta_first_hours_min(int teacher);
std::int64_t or_full_first_hours_max();
std::int64_t or_delta_first_hours_max(int teacher);
std::int64_t or_full_last_hours_min();
std::int64_t or_delta_last_hours_min(int teacher);
std::int64_t or_full_last_hours_max();
std::int64_t or_delta_last_hours_max(int teacher);
std::int64_t or_full_band1_min();
std::int64_t or_delta_band1_min(int teacher);
std::int64_t or_full_band1_max();
std::int64_t or_delta_band1_max(int teacher);
std::int64_t or_full_band2_min();
std::int64_t or_delta_band2_min(int teacher);
std::int64_t or_full_band2_max();
std::int64_t or_delta_band2_max(int teacher);
std::int64_t or_full_straddled_hour();
std::int64_t or_delta_straddled_hour(int teacher);
std::int64_t or_full_desired_hours();
std::int64_t or_delta_desired_hours(int teacher);
std::int64_t or_full_maximum_hours();
std::int64_t or_delta_maximum_hours(int teacher);
