// The parts of the local search loop kept in files of their own: the
// staging requests of the user interface and the "EDY " pass
// (search_requests.cpp), and the end-of-stage step (search_stage_end.cpp).
#pragma once

// Serves the request bits 4 (apply the stage again) and 8 (leave the gap
// stage) of the status block; each served bit is acknowledged.
void or_serve_staging_requests();
// The "EDY " pass, when one was requested: exchanges whole days for the
// worst teacher and keeps the result only when constraint 5 improved and
// the error count did not grow. Answers true when it ran (a counted cycle).
bool or_edy_pass();
// 17 cycles have passed since the last "EDY " pass.
bool or_edy_due();
// The staging's next step and the opening of the stage it switched on:
// weights, budget and stage placements; answers whether a constraint was
// switched on (0: nothing is left).
int or_switch_on_next_stage();
// The end-of-stage step (error count 0); answers true when the loop ends.
bool or_end_of_stage(int release_mode, int cycle_target);
