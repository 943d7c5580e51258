// Teacher gap constraints: gap hours beyond the allowance (48), days with
// many gaps (2), days with two gaps (3), adjacent gaps (47), gaps on watched
// days (50), gaps on short days (56) and hours after the return from lunch
// (60). Each id has a full check and a teacher delta check, listed in the
// catalogue's evaluator table, plus the all-teachers gap test of the search.
#pragma once

#include <cstdint>

#include "engine/model.h"
#include "solver/gap_counts.h"

// The teacher's gap rules are switched off by its own value.
inline bool or_gaps_switched_off(const EngineTeacher& t) { return t.buk[0] >= 70; }

// The rule of id counts nothing for the teacher whatever its week: no short
// days are given (56), no adjacent gaps are counted (47); false for other ids.
inline bool or_gap_rule_unset(int id, const EngineTeacher& t) {
  return (id == 56 && t.quorvex == 0) || (id == 47 && (or_gaps_switched_off(t) || t.gap_day_values[1] == 0));
}

std::int64_t or_full_gaps();
std::int64_t or_delta_gaps(int teacher);
// The graded variant of 48, used in place of the plain one while the run's
// graded-gap flag is set: the in-test byte grades the allowance.
std::int64_t or_full_gaps_graded();
std::int64_t or_delta_gaps_graded(int teacher);
// The run's graded-gap flag (set by the search driver).
extern std::uint8_t g_graded_gap_flag;

std::int64_t or_full_many_gap_days();
std::int64_t or_delta_many_gap_days(int teacher);
std::int64_t or_full_two_gap_days();
std::int64_t or_delta_two_gap_days(int teacher);
std::int64_t or_full_adjacent_gaps();
std::int64_t or_delta_adjacent_gaps(int teacher);
std::int64_t or_full_gaps_on_given_days();
std::int64_t or_delta_gaps_on_given_days(int teacher);
std::int64_t or_full_gaps_short_days();
std::int64_t or_delta_gaps_short_days(int teacher);
std::int64_t or_full_hours_after_return();
std::int64_t or_delta_hours_after_return(int teacher);

// Extra hours of the teacher from class hours longer than 60 minutes, when
// the school's second "BUDIME:" value is set; fill_from (may be null) names
// the slot whose class a filled lunch hour takes.
int or_extra_duration_hours(int teacher, const std::int16_t* fill_from);

// Gap hours beyond the allowance of one teacher, without the gap tolerance
// level of the run and without the focus (the search's gap test).
int gap_excess_of_teacher(int teacher, bool with_tolerance_level, int extra_allowance = 0);

// 1 when every teacher is within limit (count of teachers over 0 in *out),
// 0 when one is over it or teachers are held out.
int or_gap_check_all_teachers(int* out, int limit);

// The teacher's week with its tolerated lunch breaks filled in: what every
// gap evaluator counts on.
WeekMasks or_prepare_gap_grid(int teacher);
