// Teacher constraints on presence, hours and days: presence span, teaching
// hours and minimum hours per day (8, counting 9 and 10 too), working days
// (11), spread of the hours in a class over the week (24), share of late
// lessons in a class (25), stand-by hours per day (4) and the steering sum
// of a flagged teacher (1). Each id has a full check and a teacher delta
// check, listed in the catalogue's evaluator table.
#pragma once

#include <cstdint>

#include "engine/model.h"

// The rule of id (one of this family's) counts nothing for the teacher
// whatever its week: the teacher has no stand-by hours (4), is not flagged
// (1), or has no bands of its own (24, 25); false for other ids.
inline bool or_presence_rule_unset(int id, const EngineTeacher& t) {
  switch (id) {
    case 4: return t.contract_values[0] < 1;
    case 1: return t.penalty_flag == 0;
    case 24: return t.gruppioremax_count <= 0;
    case 25: return t.ultimeoremax_count <= 0;
    default: return false;
  }
}

std::int64_t or_check_presence_teaching();
std::int64_t or_delta_presence_teaching(int teacher);
std::int64_t or_check_working_days();
std::int64_t or_delta_working_days(int teacher);
std::int64_t or_check_class_hour_distribution();
std::int64_t or_delta_class_hour_distribution(int teacher);
std::int64_t or_check_late_lesson_share();
std::int64_t or_delta_late_lesson_share(int teacher);
std::int64_t or_check_standby_per_day();
std::int64_t or_delta_standby_per_day(int teacher);
std::int64_t or_check_bua_diagonal();
std::int64_t or_delta_bua_diagonal(int teacher);
