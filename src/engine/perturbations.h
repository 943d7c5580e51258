// Random whole-timetable perturbations for the improvement phases: shaking
// days and hours, exchanging the lessons of two slots, two blocks of hours
// or two days.
//
// Every perturbation moves whole slots or whole days, so a clash-free
// timetable stays clash-free; draws come from the engine's generator, so a
// seeded run repeats them. The phases call them a few times per cycle.
#pragma once

#include <cstdint>

// One perturbation; the kind turns 1, 2, 0, 1 ... with each call. Returns
// the full evaluation after the change.
std::uint32_t or_shake_timetable();
// Sets the turn of the kinds back to its start, as in a fresh process.
void or_reset_shake_turn();
// n accepted exchanges of two slots; refused exchanges (a class gap) are
// undone and retried, at most kSwapRetryLimit times per exchange asked for.
// Returns the number of exchanges made.
int or_swap_random_slots(int n);
inline constexpr int kSwapRetryLimit = 50;
// One accepted exchange of the slot of one of the chosen lessons (drawn at
// random) with the slot of another lesson; at most kSwapRetryLimit tries.
int or_swap_slot_of_one_of(const int* chosen, int count);
inline constexpr int kBlockHours = 2;  // a teacher's pair of hours in a row, the long plateaus' usual error
// One accepted exchange of a block of kBlockHours hours in a row holding one
// of the chosen lessons (drawn at random) with the same hours of another day,
// slot by slot and all at once, so the block moves whole; at most
// kSwapRetryLimit tries. Returns 0 when none was found.
int or_swap_block_of_one_of(const int* chosen, int count);
void or_swap_days(int d1, int d2);
int or_swap_days_for_worst_teacher();
