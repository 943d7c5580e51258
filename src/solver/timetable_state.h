// The computation state of a timetable, as the status bytes of the school
// (g_timetable_state, g_provisional_timetable_state) record it for the pages
// that need a computed timetable: '1' not computed, '2' computed with errors
// left, '3' only gap hours left and among them days with two (or many) gap
// hours, '4' only gap hours above the teachers' allowance left (the goal of
// the gap reduction not fully met), '5' done. 0: nothing to record (no
// whole timetable in the model).
//
// Derived from the last full evaluation of the model, which a computation,
// a balancing and a check ("SNOD:") leave behind; the gap constraints are 2
// (days with many gap hours), 3 (days with two) and 48 (gap hours).
#pragma once

// The state of the timetable in the model after a command that ended with
// `result` (og_run_engine's: 0 done, anything else failed and changed no file).
char or_timetable_state(int result);
// Evaluates the model's timetable first (the board after a hand edit); 0
// when the model was never prepared for an evaluation or the evaluation fails.
char or_evaluate_timetable_state();
