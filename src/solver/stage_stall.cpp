// The long-stall rule of the local search loop (see stage_stall.h).
//
// Only the staged computing runs take it: a run whose loop releases
// teachers (release mode 1), restarts instead of ending at its cycle limit
// (extended 0) and works on a stage of the staging. The test runs, the
// focus passes and "CONT" (no stage) keep their own ends.
//
// Invariant: every step starts again from the loop's kept placement, so
// the placement the loop hands back is never worse than before the step
// (the slot exchange leaves the record and its placement where they are).
// Workload: one or two full evaluations per step, a step every 60 cycles at
// most.
#include "solver/stage_stall.h"

#include "engine/perturbations.h"
#include "engine/status_block.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"
#include "solver/gap_stage.h"
#include "solver/neighbourhood_moves.h"
#include "solver/local_search.h"
#include "solver/placement_state.h"
#include "solver/search_loop_parts.h"
#include "solver/search_state.h"

namespace {

bool staged_run(int release_mode, int extended) {
  if (release_mode != 1 || extended != 0 || g_staging.gap_staging == 0) return false;
  int stage = g_status.stage_id;
  return stage >= 0 && stage < kConstraintCount;
}

// The next constraint of the staging takes over; the stage's errors stay
// in the count. The record starts from the count of the new stage.
StallStep hand_over() {
  or_restore_search_placement(g_current_placement);
  if (!or_switch_on_next_stage()) return StallStep::kNone;
  if (or_in_gap_stage()) {
    // Every teacher is in test: the errors handed over are worked on while
    // no gap counts; the rounds of the stage start when none is left.
    g_search.new_stage = 0;
    g_search.limit_increment = or_cycle_limit();
  }
  g_search.cycle_limit = g_search.cycles + g_search.limit_increment;
  or_search_evaluate(0);
  or_keep_search_placement();
  g_search.low_point = g_search.record = g_status.error_count - g_search.error_adjustment;
  return StallStep::kHandOver;
}

StallStep gap_stage_step() {
  if (!or_gap_stage_open()) {
    or_open_gap_stage();
    return StallStep::kOpenGapStage;
  }
  // The open search goes on from its kept placement with two of its week
  // slots exchanged whole (as a restart of the gap stage may do): lessons
  // joint with other classes' and hours in a row move together, which no
  // exchange of two lessons does. Its record and kept placement stay until
  // it beats them.
  if (g_search.record < g_search.kick_record) g_search.kicks_in_row = 0;
  ++g_search.kicks_in_row;
  g_search.kick_record = g_search.record;
  or_restore_search_placement(g_current_placement);
  // Random slots seldom touch the few lessons a long plateau is about (a
  // teacher's block of hours on his free day): after three exchanges in a
  // row that found no new record, a block of two hours in a row holding a
  // lesson in error goes whole to another day, since one hour of the pair
  // moved alone is put back by the search; with no such block, one of the
  // two slots exchanged is that of a lesson in error. Plateaus the plain
  // exchange leaves soon keep their road.
  int made = 0;
  if (g_search.kicks_in_row > kPlainSlotExchanges) {
    static int in_error[kMaxLessons];
    int count = or_slot_chain_error_lessons(in_error);
    made = or_swap_block_of_one_of(in_error, count);
    if (made == 0) made = or_swap_slot_of_one_of(in_error, count);
  }
  if (made == 0) or_swap_random_slots(1);
  or_penalty_cache_invalidate_all();
  g_search.low_point = g_status.error_count - g_search.error_adjustment;
  g_search.cycle_limit = g_search.cycles + g_search.limit_increment;
  return StallStep::kSlotExchange;
}

}  // namespace

void or_note_stage_progress() { g_search.stall_cycles = 0; }

std::int32_t or_stalled_cycles() { return g_search.stall_cycles; }

StallStep or_long_stall_step() {
  StallStep step = or_in_gap_stage() ? gap_stage_step() : hand_over();
  if (step != StallStep::kNone) ++g_search.stall_steps;
  or_note_stage_progress();
  return step;
}

StallStep or_count_stage_cycle(int release_mode, int extended) {
  if (!staged_run(release_mode, extended)) return StallStep::kNone;
  if (++g_search.stall_cycles <= kLongStallCycles) return StallStep::kNone;
  return or_long_stall_step();
}
