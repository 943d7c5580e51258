// Teacher constraints on rest, free hours and special hours: rest after a
// run (42), mandatory free hours (45), first/last hour presence (51), lesson
// at a given hour (52), single-hour lessons (59), rest around a given hour
// (62), unused provisional hours (63), double lessons at the day's edges
// (64), a class's real hours on a day (67) and hours of non-standard length
// (41). Each id has a full check and a teacher delta check.
#pragma once

#include <cstdint>

#include "engine/model.h"

// The rule of id counts nothing for the teacher whatever its week: no rest
// after a run (42), no mandatory free hours (45), no first or last hour
// presence (51), no double lessons at the edges (64) are asked, no hour of
// non-standard length is taught (41); false for other ids.
inline bool or_rest_rule_unset(int id, const EngineTeacher& t) {
  switch (id) {
    case 42: return t.riposo <= 0;
    case 45: return t.buk[1] <= 0;
    case 51: return t.prela[0] <= 0 && t.prela[1] <= 0;
    case 64: return t.dkif == 0;
    case 41: return !t.nonstandard_timing;
    default: return false;
  }
}

std::int64_t or_check_rest_after_run();
std::int64_t or_delta_rest_after_run(int teacher);
std::int64_t or_check_mandatory_free_hours();
std::int64_t or_delta_mandatory_free_hours(int teacher);
std::int64_t or_check_edge_presence();
std::int64_t or_delta_edge_presence(int teacher);
std::int64_t or_check_given_hour();
std::int64_t or_delta_given_hour(int teacher);
std::int64_t or_check_single_hour_lessons();
std::int64_t or_delta_single_hour_lessons(int teacher);
std::int64_t or_check_straddle_rest();
std::int64_t or_delta_straddle_rest(int teacher);
std::int64_t or_check_unused_provisional_hours();
std::int64_t or_delta_unused_provisional_hours(int teacher);
std::int64_t or_check_edge_doubles();
std::int64_t or_delta_edge_doubles(int teacher);
std::int64_t or_check_class_real_hours();
std::int64_t or_delta_class_real_hours(int teacher);
std::int64_t or_check_nonstandard_hours();
std::int64_t or_delta_nonstandard_hours(int teacher);
