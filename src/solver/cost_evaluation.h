// Cost evaluation: the full evaluation of a placement in the fixed order of
// the catalogue, the per-teacher and per-class penalty sums, the penalty
// caches of the moves, the class-day building alignment and the choice of
// the worst teacher and class.
//
// Invariants: totals are 64-bit (g_solver.total_score); g_total_score is the
// same total saturated to 32 bits for the callers that keep it so. After a
// full evaluation every cache entry is "not computed", so the first move of
// the next cycle recomputes what it reads. A cache entry that is computed
// equals the matching uncached sum for the current placement.
//
// Workload: the full evaluation runs once per search cycle; the cached sums
// run for every candidate move and recompute only the entries a move opened.
#pragma once

#include <cstdint>

#include "engine/placement_services.h"
#include "solver/constraint_catalogue.h"

// Ids of the full evaluation after constraint 76, in order.
extern const std::uint8_t kClassBlockOrder[15];
extern const std::uint8_t kTeacherBlockOrder[64];
// Ids of the checked teacher sum, in order (the phase-1 sum stops after three).
extern const std::uint8_t kTeacherSumOrder[66];
// Ids of the class sum, in order.
extern const std::uint8_t kClassSumOrder[14];

// Full evaluation; report non-zero empties the violation list first and
// records the violations of this evaluation. Returns the total (saturated to
// 32 bits; g_solver.total_score holds the exact one).
unsigned or_evaluate_all_constraints(int report);
std::int64_t or_evaluate_all_constraints64(int report);
unsigned or_rebuild_grids_and_evaluate();

std::int64_t or_teacher_penalty_checked(int teacher);
// The checked sum when it is at most cap; otherwise some value above cap,
// reached with fewer checks (each check counts at least 0).
std::int64_t or_teacher_penalty_checked_capped(int teacher, std::int64_t cap);
// The unchecked teacher sum; the 32-bit form saturates (the engine core reads it).
std::int64_t or_teacher_penalty64(int teacher);
std::uint32_t or_teacher_penalty(int teacher);
std::int64_t or_teacher_penalty_of_lesson(int lesson);
std::int64_t or_class_penalty_of_lesson(int lesson, int class_only);
// The two sums above when they come to at most cap; otherwise some value
// above cap, with the cache entries of the move's opened teachers and
// classes holding a part only: for a move that refuses and undoes its
// caches when the price passes cap.
std::int64_t or_teacher_penalty_of_lesson_capped(int lesson, std::int64_t cap);
std::int64_t or_class_penalty_of_lesson_capped(int lesson, int class_only, std::int64_t cap);

void or_penalty_cache_open2(int a, int b);
void or_penalty_cache_undo2(int a, int b);
void or_penalty_cache_commit2(int a, int b);
void or_penalty_cache_open4(int a, int b, int c, int d);
void or_penalty_cache_undo4(int a, int b, int c, int d);
void or_penalty_cache_commit4(int a, int b, int c, int d);
// Marks every teacher and class entry "not computed".
void or_penalty_cache_invalidate_all();

// The class-side sum of a class, delta check by delta check.
std::int64_t or_class_penalty(int class_index);
// The class sum when it is at most cap; otherwise some value above cap. The
// building alignment is made in either case, as or_class_penalty makes it.
std::int64_t or_class_penalty_capped(int class_index, std::int64_t cap);
// The teacher with the largest penalty and the class with the largest
// class-side sum above 0 into the status block (-2 when none).
void or_find_worst_teacher_and_class();
void or_align_class_day_buildings(int class_index);
// The alignment pricing a lesson's teachers does first: its class's, when
// the building mode is on. A refused move that skips pricing still makes
// it, since the alignment depends on the lessons' earlier buildings.
void or_align_lesson_class_buildings(int lesson);
