// The long-stall rule of the local search loop: a stage of a staged run
// that has not lowered its record for a long while, counted in search
// cycles, stops holding the run and does something else. Outside the gap
// stage it hands over to the next stage (the constraint after it is
// switched on; the errors it left keep counting). In the gap stage it
// leaves the teacher-by-teacher work for an open search: every teacher's
// gaps count, at tolerance 0, with the plain weights, as the finished
// timetable is judged. When the open search stalls too, it starts again
// from its kept placement with two week slots exchanged whole; after a few
// such exchanges in a row without a new record, a block of two hours in a
// row holding a lesson in error is exchanged whole with the same hours of
// another day, or, with no such block, one of the two slots is that of a
// lesson in error.
//
// Progress, which restarts the count: a lower record outside the gap
// stage's teacher-by-teacher work (whose record starts again at every
// teacher it releases), a better gap-stage quality, a lowered tolerance and
// every constraint the staging switches on.
#pragma once

#include <cstdint>

// Cycles without progress after which a stage takes its stall step: the
// restart budget of a new stage (23 cycles) two and a half times over.
inline constexpr std::int32_t kLongStallCycles = 60;
// Open-search stall steps in a row (no new record between them) that
// exchange two random slots before the exchange aims at a lesson in error
// (a block of hours holding one, else its slot).
inline constexpr std::int32_t kPlainSlotExchanges = 3;

// What the stall step did (for the trace and the tests).
enum class StallStep : std::uint8_t {
  kNone,          // not a staged run, or nothing was left to do
  kHandOver,      // the next constraint was switched on
  kOpenGapStage,  // the gap stage left its teacher-by-teacher work
  kSlotExchange,  // the open search went on from its kept placement, two slots exchanged
};

// The loop notes progress of the stage (the count starts again).
void or_note_stage_progress();
// One accounted cycle of a staged computing run: counts it and, past the
// limit, takes the stall step. Answers the step taken (kNone mostly).
StallStep or_count_stage_cycle(int release_mode, int extended);
// Cycles counted since the last progress.
std::int32_t or_stalled_cycles();
// The stall step itself (the loop's caller checks the limit first).
StallStep or_long_stall_step();
