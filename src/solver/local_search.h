// The engine's local search loop and its helpers.
#pragma once

#include <cstdint>

void or_search_loop(int release_mode, int cycle_target, int extended);
int or_cycle_limit();
// The short form: kept restarts + 23, plus the level outside a new stage.
int or_cycle_limit_short();
void or_restart_search();
// Formats the progress line into `buffer` (at least 400 bytes), the status
// block's progress text and the trace.
void or_format_progress(char* buffer, const char* tag, int count);
// The move-kind index that follows `index` (-1 after 7).
int or_next_move_kind(int index);
// A cycle proposes an exemption: in run mode 13 every 500 cycles after a
// restart; in run modes 15, 16 and 20 while the level exceeds 8/10 of the
// teachers (real and pseudo) of the timetable view.
bool or_exemption_proposal_due();

// CPU pacing's sleep and clock; tests replace them.
using SearchSleep = void (*)(int milliseconds);
using SearchClockMs = std::int64_t (*)();
void or_set_search_pacing(SearchSleep sleep, SearchClockMs clock);
// Called after every counted cycle with the cycle number (tests stop a run
// at a chosen cycle through it); null for none.
void or_set_cycle_observer(void (*observer)(int cycle));
// Called before every move with its move-kind index; null for none.
void or_set_move_observer(void (*observer)(int kind));
