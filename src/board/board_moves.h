// What the two timetable boards (the week board and the courses board)
// share: loading the saved timetable into the engine tables, moving one
// lesson by hand with the engine's grid checks, saving the week as
// "savego.txt", and the question asked when a board with unsaved moves is
// left. The engine tables are the one copy of the week; the kept placement
// (or_keep_placement) is the week as last loaded or saved, so "discard"
// puts every lesson back there. UI thread only, no engine command running.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/week_grid_access.h"
#include "shell/ml_text.h"

// The texts a refused move shows: a class or a teacher busy at the hour,
// or the lesson's room (a lab, a shared room) taken then by another class.
extern const MlText g_board_move_refused;
extern const MlText g_board_room_taken;
// A lesson held jointly with another class ("%s", that class) that cannot
// go along: the class the officer looks at may well be free at the hour.
extern const MlText g_board_joint_class_busy;
inline constexpr int kBoardRoomTaken = -2;
inline constexpr int kBoardJointClassBusy = -3;
// The text for a result of board_move_lesson that is not 0 (for
// kBoardJointClassBusy, naming the class of the last refused move).
std::string board_move_refusal(int result);

// Loads the description and the saved week ("SNOD:") and keeps that week
// as the one to go back to; false (the engine's message shown) when there
// is no timetable to show. A save the engine takes over is shown as taken.
bool board_load_timetable();
// Keeps the engine tables' week as the one a discard goes back to.
void board_keep_loaded_week();
// Puts every lesson back in the week kept last, grids and evaluation rebuilt.
void board_restore_loaded_week();

// Moves the lesson to (day, hour); `partner`, the lesson the board shows in
// the cell clicked (-1 for an empty cell), goes to the lesson's hour: the
// two trade places. A lesson held jointly with lessons of other classes
// takes them along; a stand-by or support hour whose pseudo-class is taken
// at its new hour moves into another pseudo-class of its kind. Refused
// (nothing changes, -1) when the hour is outside the school day, a lesson is
// a calendar or an unplaced one, the partner is not at that hour, or two
// lessons would clash at either hour by the engine's pair rule (a class or
// a room unless held jointly, a teacher, a second teacher); kBoardRoomTaken
// when the only clash is a room; kBoardJointClassBusy when only lessons that
// would go along as held jointly clash (their class or their teacher busy
// there). 0 when moved.
int board_move_lesson(int lesson, int day, int hour, int partner);

// The constraints the week in the engine tables breaks, one text per
// violation in the words of the engine's check ("SNOD:"): the special
// calendars take their free hours again, the grids are rebuilt and every
// constraint is evaluated with its records kept, as that check does. A week
// the engine cannot evaluate gives the engine's message as its one line.
std::vector<std::string> board_week_problems();

// What a board says after a move: "Lezione spostata", and when the week now
// breaks constraints it did not break before (`before` and `after` from
// board_week_problems), the first of them and how many more.
std::string board_moved_text(const std::vector<std::string>& before, const std::vector<std::string>& after);

// Writes the week (or_commit_placement); false after showing the reason.
// Tables without the stand-by and support hours keep those of the last
// save (or_set_aside_standby_lines), but for an hour the teacher now
// teaches in.
bool board_save_timetable();
// The save of the boards that leave reception hours to the engine: the week
// written (board_save_timetable), then the reports for it ("REPO:"), which
// give a teacher whose reception hour a lesson now covers another one, and
// the saved week loaded again. `notes` names each teacher given a new hour
// (board_reception_moved_text). False when the week was not saved; a
// failed reports' run has shown the engine's message and the week stays saved.
bool board_save_week_and_reports(std::vector<std::string>& notes);
// "Ora di ricevimento di <teacher> spostata a <day>, <n>^ ora: ...".
std::string board_reception_moved_text(int teacher, int day, int hour);
// A board's status line (`status`: what the move or the save says) with
// every teacher given a new reception hour after it, each note as the
// problems list shows it: a move or a save can cover several teachers' hours
// at once, and the officer reads all of them in either place.
std::string board_status_with_reception_notes(std::string status, const std::vector<std::string>& notes);
// Writes the same week as the balancing save ("savebi.txt"); false after
// showing the reason.
bool board_save_balance_copy();

// Asked when a board is left: true to leave (no unsaved moves, or they were
// saved or undone), false to stay (the user's choice, or a failed save).
// `asking` is set while the question is open, so that a second close
// arriving meanwhile leaves without asking again. `save` is the board's own
// save, the one its button makes (false when it failed).
bool board_may_leave(bool changed, bool& asking, const std::function<bool()>& save = board_save_timetable);
