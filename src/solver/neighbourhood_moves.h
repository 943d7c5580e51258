// The neighbourhood moves of the local search, the phases and the classroom
// allocation: each proposes exchanges of the week slots of lessons (pairs
// inside one class, with or without a focus on chosen teachers, pairs
// across two week slots, flagged teachers against calendar hours), prices
// each through the priced exchange and returns the number it kept. The
// four-lesson colleague rotations are in colleague_rotations.h.
//
// Invariants: cursors are private to each move except the shared class
// cursor of the run; every cursor wraps at its count and never reaches it.
// A move never leaves a clash or a class gap: the swap refuses clashes and
// the moves across classes refuse exchanges that open a gap.
//
// Workload: called once or a few times per search cycle; each call walks
// hundreds to thousands of candidate exchanges.
#pragma once

#include <cstdint>

int or_sweep_class_pairs();
int or_sweep_class_pairs_backward();
int or_sweep_flagged_teacher_pairs();
// out, when given, receives the running score at the end (also on an early end).
int or_sweep_focused_class_pairs(std::int64_t* out = nullptr);
int or_sweep_worst_teacher_classes(int multiplier, std::int64_t* out = nullptr);
int or_sweep_slot_pairs(std::int64_t* out = nullptr);
// Two lessons each way between two slots (double_slot_swaps.cpp).
int or_double_swap_slots(std::int64_t* out = nullptr);
// A joint pair of lessons moved to another slot together (joint_group_moves.cpp).
int or_sweep_joint_groups(std::int64_t* out = nullptr);
// The chain exchange between two slots from each lesson in error
// (slot_chain_moves.cpp); strict gains only.
int or_sweep_slot_chains(std::int64_t* out = nullptr);
// The lessons the chain sweep starts from (parted joint lessons and lessons
// of teachers with violations in the last evaluation); answers their count.
int or_slot_chain_error_lessons(int* out);
// One chain exchange: the lessons bound to `start` across its slot and
// target_slot change slots together. Answers the price when kept (below
// zero, or zero with keep_even), 1 when refused or not a chain to try.
std::int64_t or_try_slot_chain(int start, int target_slot, bool keep_even);
// The same chain kept when its price is at most keep_at_most; *kept says
// whether it was, and the answer is its price when kept, else 0.
std::int64_t or_try_slot_chain_within(int start, int target_slot, std::int64_t keep_at_most, bool* kept);
int or_improve_class_timed(int kind, int index);

// Seconds clock of the timed improvement; tests replace it.
using MoveClock = std::int64_t (*)();
void or_set_move_clock(MoveClock clock);
