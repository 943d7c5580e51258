// The run state of the search: what the moves, passes and stages keep from
// one call to the next (cursors, toggles, call counters, the sampling
// divisor, the records and release bookkeeping of the last run). A fresh
// process starts with these values; a process that runs one command after
// another (the desktop program, a parallel worker, the board) would start
// its next computation from where the last one stopped, so the same seed
// would give another week. or_reset_run_state puts all of it back.
//
// Not run state, and so kept: the loaded school and its derived tables, the
// settings a caller hands over before a command (the room window's cycle
// limit and unattended grouping, the requested seed, the worker index), the
// parallel area, clocks and sleeps replaced by tests, and caches that check
// their own validity against the data they were taken from.
#pragma once

// Every part below, in one call: the start of every engine command.
void or_reset_run_state();

// One part per file that keeps such state.
void or_reset_move_run_state();             // priced_exchange.cpp
void or_reset_neighbourhood_cursors();      // neighbourhood_moves.cpp
void or_reset_worst_scan_cursors();         // cost_evaluation.cpp
void or_reset_improvement_pass_cursors();   // improvement_passes.cpp
void or_reset_improvement_phase_state();    // improvement_phases.cpp
void or_reset_placement_pass_cursors();     // initial_assignment.cpp
void or_reset_double_swap_cursor();         // double_slot_swaps.cpp
void or_reset_joint_pair_cursor();          // joint_group_moves.cpp
void or_reset_release_cursor();             // teacher_test_set.cpp
void or_reset_release_state();              // teacher_release.cpp
void or_reset_staging_settings();           // constraint_staging.cpp
void or_reset_focus_record();               // release_bookkeeping.cpp
void or_reset_gap_stage_state();            // gap_stage.cpp
void or_reset_weight_state();               // search_weights.cpp
void or_reset_teacher_side_run_state();     // teacher_side_move.cpp
void or_reset_run_seed();                   // initial_timetable.cpp
// or_reset_shake_turn (perturbations.h) and or_reset_engine_random
// (engine_random.h) are the engine's parts.
