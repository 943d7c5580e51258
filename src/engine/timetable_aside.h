// The saved timetable set aside, taken back, and replaced by a balanced one.
//
// Computing a new timetable from an empty week replaces the saved one; so
// does taking a balanced timetable. Before either, the saved timetable's
// files are copied aside beside themselves ("savego.txt" as
// "savego_precedente.txt", with "saveprec.txt" and "ricevi.txt"; in
// provisional mode "saveprov.txt"), and taking it back swaps the two sets,
// so the timetable that was current goes aside in its turn and nothing is
// ever lost. A file absent from a set is absent from its copy too.
//
// Each operation reads every file it needs before it writes any, and writes
// its files as one step of the school folder (run_files.h), holding the
// folder's lock: a failure or a crash leaves both sets as they were. The
// result is 0 done, 1 nothing to do, -1 failed with the reason in
// g_status.message. The desktop's computation and balancing pages and
// `orario` call them; they run on the calling thread.
#pragma once

#include <cstdint>

// 1 asks the next "CALC:" to compute from an empty week: it reads no saved
// timetable (the caller set the saved one aside first) until it saved its
// own. Every engine command clears it when it ends.
extern std::uint8_t g_calc_from_empty_week;

// Copies the current mode's saved timetable aside (replacing the copy kept
// before); 1 when there is no saved timetable.
int or_set_aside_saved_timetable();
// Swaps the saved timetable and the one set aside; 1 when none is aside.
int or_take_back_saved_timetable();
// Whether the current mode has a saved timetable, and one set aside.
bool or_saved_timetable_present();
bool or_saved_timetable_aside();

// The balancing's result ("savebi.txt") becomes the saved timetable, the
// saved one going aside; 1 when there is no balanced timetable.
int or_take_balanced_timetable();
// Drops the balancing's result.
int or_drop_balanced_timetable();
// Whether a balancing left a result to take or drop.
bool or_balanced_timetable_present();
