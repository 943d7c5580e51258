// The improvement phases that work on a finished timetable: balancing (each
// teacher meets each class at times spread over the days and the hours of
// the day), balancing by educational weight (heavy subjects spread over a
// class's days) and overlap reduction (fewer teachers teaching in their
// classes' own rooms at the same slot, so the teacher grouping needs fewer
// rooms). Each phase keeps its best timetable as a record and never lets the
// weighted constraint cost rise: every exchange is priced through the
// penalty caches and kept only when the cost does not rise and the phase's
// measure does not get worse.
//
// Workload: one measurement walks every teacher's grid (a few hundred
// teachers x 84 slots); a pass tries the lesson pairs of every class once.
#pragma once

#include <cstdint>

// The phase's measure values.
struct PhaseRecord {
  std::int32_t current;
  std::int32_t record;
  std::int32_t previous;
  std::int32_t start;
};

// Balance measure of teacher t (0 for a special-calendar pseudo-teacher and
// when t2 equals t); the second teacher's own balance is not added.
std::uint32_t or_teacher_balance(int t, int t2);
std::uint32_t or_class_weight_load(int class_index);
// Stores the sum over the real classes as the weight phase's current value.
void or_total_weight_load();
std::uint32_t or_balance_total();
std::uint32_t or_overlap_total();

int or_balance_class_pass(int sweeps);
int or_balance_colleague_pass();
int or_overlap_class_pass(int sweeps);
int or_weight_class_pass(int sweeps);

void or_balance_phase(int cycle_limit);
void or_weight_balance_phase(int cycle_limit);
void or_reduce_overlaps_phase(int cycle_limit);

// The phases' state, readable by tests.
extern PhaseRecord g_balance_record;
extern PhaseRecord g_weight_record;
extern PhaseRecord g_overlap_record;
// Cycles the last phase ran.
extern std::int32_t g_phase_cycles;
// Bound on a phase's cycles for runs without a user to stop them (tests,
// batch use); 0 = until the stall limit or a stop request.
extern std::int32_t g_phase_max_cycles;
