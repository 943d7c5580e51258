// Seeded initial assignment: the seed of a run, the random placement passes
// that give every lesson hour a slot without a clash, and the repair that
// closes class gaps in a complete placement.
//
// Invariants: a pass answers only after every lesson it was asked to place
// has a clash-free slot, after a stop request (-1), or never (it ends the
// run with "processing impossible" naming a lesson that cannot be placed).
// Workload: one or two passes per computation over up to 9999 lessons; the
// clash test of each try reads one slot's lessons only.
#pragma once

#include <cstdint>

// Builds the live placement of a run (see initial_timetable.cpp). Declared
// for the interpreter in engine/solver_entry.h.
int or_build_initial_timetable(int go_on);

// One placement pass. Mode 1: unplace everything, place the lessons with a
// laboratory part (piece kind exactly 0x10); mode 0: place the rest; mode 2:
// place every unplaced lesson, `start` of them counted as placed. Answers
// the number of lessons tried, -1 when a stop was requested. A lesson that
// keeps failing ends the run with "processing impossible" naming it.
int or_place_lessons_randomly(int mode, int start);
// The same pass with its own cursors and a 60-second budget before it hands
// over to or_place_lessons_randomly; used by the recovery of a timetable.
int or_place_remaining_randomly(int mode, int start);
// Closes the class gaps of a complete placement by moving or exchanging
// lessons; answers the number of moves, -2 after too many moves, -1 after
// too many failures.
int or_repair_restored_timetable(int n);

// Lessons placed first (piece kind exactly 0x10).
int or_count_first_placed_lessons();

// Seed of a run: the clock's seconds modulo 988988988, plus 2, plus 17 x the
// worker index; a requested seed (g_requested_seed, the command line's
// --seed, when not negative) replaces the clock.
std::int32_t or_run_seed(std::int64_t now_seconds, int worker_index);
// Wall clock of the placement passes, in seconds; tests replace it.
using SolverClock = std::int64_t (*)();
void or_set_solver_clock(SolverClock clock);
std::int64_t or_solver_clock_seconds();

// Bounds of a placement pass before it gives a lesson up as impossible.
inline constexpr int kMaxPartnerSearchesPerLesson = 200;
