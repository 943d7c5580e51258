// The solver operations the command interpreter calls: the initial timetable,
// the search tables and weights, the full evaluation, the focus predicates,
// and the phases that work on an existing timetable (balancing, overlap
// reduction, room allocation). Defined by the solver; declared here so the
// interpreter and the solver agree on one signature.
#pragma once

// 1: seeds, places and searches; 0: only builds the placement structures.
// Non-zero means the command goes on.
int or_build_initial_timetable(int search);
void or_reset_weights(int mode);
void or_prepare_search_tables();
// Fills the evaluators' parameter tables from the prepared model, once per
// load; the model preparation calls it last, so every command that
// evaluates sees the school's own parameters.
void or_prepare_constraint_parameters();
// Rebuilds the colleague table of the rotation move; the loader calls it once
// the teachers' lesson and class lists exist.
void or_alloc_colleague_table();
// Full evaluation; report non-zero records the violations.
unsigned or_evaluate_all_constraints(int report);
// Focus predicates of constraints 79, 86 and 59.
int or_focus_common_room_minimum();
int or_focus_twin_distribution();
int or_focus_single_hour_lessons();
void or_balance_phase(int cycle_limit);
void or_reduce_overlaps_phase(int cycle_limit);
int or_room_allocation_phase(int mode, int first_room);
// Rooms used minus one.
int or_assign_rooms_per_building(int batch, int report);
// Set by a caller that runs "asau:" with the room-assignment settings but
// with no window beside the run to stop the teacher grouping or read its
// result (the command line): the grouping then runs its batch search and
// writes its report, as at the end of the overlap reduction.
extern unsigned char g_room_grouping_unattended;
