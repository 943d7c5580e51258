// The constraint catalogue: one evaluator pair per constraint id, the gate
// that decides whether an id is evaluated, and the helpers through which
// every full check counts, prices and reports a violation.
//
// Contract of an evaluator pair: the full check walks the whole school and
// returns the sum of its weighted penalties, counting through
// or_count_teacher_violation / or_count_class_violation; the delta check
// prices one teacher (or one class) and has no side effects. Penalties are
// 64-bit: n x teacher (or class) weight x constraint weight.
//
// Workload: the full checks run once per search cycle; the delta checks run
// for the two to four teachers and classes of every candidate move.
#pragma once

#include <cstdint>

#include "engine/status_block.h"
#include "solver/solver_state.h"

using FullCheck = std::int64_t (*)();
using DeltaCheck = std::int64_t (*)(int);

struct EvaluatorPair {
  FullCheck full;
  DeltaCheck delta;
  std::uint8_t placeholder;  // 1 only in the shared not-built-yet pair
};

// Per id (writable so that tests can plant evaluators); ids whose evaluators
// are not written yet point at one shared pair
// that counts 0 (see evaluator_table.cpp, the one place that says which).
extern EvaluatorPair g_evaluators[kConstraintCount];

// Gate of every id: evaluated when its switch-off byte is 0 or g_eval_mode is 2.
// Inline: the class sums of the moves run the delta checks through it.
inline bool or_constraint_active(int id) { return ConstraintSwitchTable[id].off == 0 || g_eval_mode == 2; }
std::int64_t or_run_full_check(int id);
inline std::int64_t or_run_delta_check(int id, int teacher_or_class) {
  if (!or_constraint_active(id)) return 0;
  return g_evaluators[id].delta(teacher_or_class);
}


// n x weight x constraint weight in 64 bits.
std::int64_t or_teacher_weighted(int id, int teacher, std::uint32_t n);
std::int64_t or_class_weighted(int id, int class_index, std::uint32_t n);

// Full-check bookkeeping of one teacher (class) with n violations: counts,
// per-teacher totals, points counter, and the report when the run asks for
// one. Returns the weighted penalty. n = 0 does nothing and returns 0.
std::int64_t or_count_teacher_violation(int id, int teacher, std::uint32_t n, std::uint32_t class_index,
                                        std::uint32_t detail, const char* text);
std::int64_t or_count_class_violation(int id, int class_index, std::uint32_t n, std::uint32_t teacher,
                                      std::uint32_t detail, const char* text);

// Per teacher: the penalty its full checks added in the last full evaluation.
extern std::int64_t g_teacher_full_penalty[kMaxTeachers];
