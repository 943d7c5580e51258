// Link stand-ins for the engine steps that the solver and the room
// allocation define: they let the engine library link alone for its own
// tests. Both programs link those libraries whole, so their definitions
// always replace these; a stand-in that is ever reached ends the command
// with a message that names the step (or_raise_not_built). The evaluator
// parameter fill and the colleague table are the quiet stand-ins: without
// the solver there is nothing to fill.
#include <cstdio>

#include "engine/errors.h"
#include "engine/presolve.h"
#include "engine/save_files.h"
#include "engine/solver_entry.h"
#include "engine/standby_steps.h"
#include "engine/text_lines.h"
#include "engine/timetable_view.h"

// The solver defines these; the weak stand-ins let the engine's own tests
// link without the solver library, and lose to the solver wherever it is linked.
__attribute__((weak)) int or_build_initial_timetable(int search) {
  or_raise_not_built("or_build_initial_timetable (solver)");
}

__attribute__((weak)) void or_reset_weights(int mode) { or_raise_not_built("or_reset_weights (solver)"); }

__attribute__((weak)) unsigned or_evaluate_all_constraints(int report) {
  or_raise_not_built("or_evaluate_all_constraints (solver)");
}

__attribute__((weak)) int or_focus_common_room_minimum() {
  or_raise_not_built("or_focus_common_room_minimum (solver)");
}

__attribute__((weak)) int or_focus_twin_distribution() {
  or_raise_not_built("or_focus_twin_distribution (solver)");
}

__attribute__((weak)) int or_focus_single_hour_lessons() {
  or_raise_not_built("or_focus_single_hour_lessons (solver)");
}

// Without the solver there are no evaluator parameters to fill.
__attribute__((weak)) void or_prepare_constraint_parameters() {}

// Without the solver there are no rotations to build a table for.
__attribute__((weak)) void or_alloc_colleague_table() {}

__attribute__((weak)) void or_prepare_search_tables() {
  or_raise_not_built("or_prepare_search_tables (solver)");
}

__attribute__((weak)) void or_balance_phase(int cycle_limit) { or_raise_not_built("or_balance_phase (solver)"); }

__attribute__((weak)) void or_reduce_overlaps_phase(int cycle_limit) {
  or_raise_not_built("or_reduce_overlaps_phase (solver)");
}

__attribute__((weak)) int or_room_allocation_phase(int mode, int first_room) {
  or_raise_not_built("or_room_allocation_phase (room allocation)");
}

__attribute__((weak)) int or_assign_rooms_per_building(int batch, int report) {
  or_raise_not_built("or_assign_rooms_per_building (room allocation)");
}
