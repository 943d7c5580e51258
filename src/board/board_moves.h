// What the two timetable boards (the week board and the courses board)
// share: loading the saved timetable into the engine tables, moving one
// lesson by hand with the engine's grid checks, saving the week as
// "savego.txt", and the question asked when a board with unsaved moves is
// left. The engine tables are the one copy of the week; the kept placement
// (or_keep_placement) is the week as last loaded or saved, so "discard"
// puts every lesson back there. UI thread only, no engine command running.
#pragma once

#include "engine/week_grid_access.h"
#include "shell/ml_text.h"

// The text a refused move shows.
extern const MlText g_board_move_refused;

// Loads the description and the saved week ("SNOD:") and keeps that week
// as the one to go back to; false (the engine's message shown) when there
// is no timetable to show.
bool board_load_timetable();
// Keeps the engine tables' week as the one a discard goes back to.
void board_keep_loaded_week();
// Puts every lesson back in the week kept last, grids and evaluation rebuilt.
void board_restore_loaded_week();

// Moves the lesson to (day, hour): the lesson's own teacher's lessons are
// matched against that teacher's grid with the two cells exchanged, so a
// lesson of the teacher already at the target trades places with it.
// Refused (nothing changes, -1) when the hour is outside the school day,
// the class or a second teacher is busy there, the lesson is a calendar or
// an unplaced one, or the engine cannot match the grid. 0 when moved.
int board_move_lesson(int lesson, int day, int hour);

// Writes the week (or_commit_placement); false after showing the reason.
bool board_save_timetable();
// Writes the same week as the balancing save ("savebi.txt"); false after
// showing the reason.
bool board_save_balance_copy();

// Asked when a board is left: true to leave (no unsaved moves, or they were
// saved or undone), false to stay (the user's choice, or a failed save).
// `asking` is set while the question is open, so that a second close
// arriving meanwhile leaves without asking again.
bool board_may_leave(bool changed, bool& asking);
