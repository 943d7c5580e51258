// Timetable save files (".\\savego.txt", ".\\saveprov.txt", ".\\savetest.txt",
// ".\\savebi.txt", ".\\saveprec.txt"): writing the lesson placements, reading
// them back, and the recovery of a previous timetable after the teaching
// posts changed. A parallel worker writes none of them.
#pragma once

// Writes the save file of the kind; nothing in a worker or when it cannot be created.
void or_save_timetable(int kind);
// A test run: the user interface asked for one, or the run is a trial
// ("CALC:" with "TPRO" or "TCLA"); it writes only ".\\savetest.txt", never
// the real timetable's save files, exemption file or reception hours.
bool or_is_test_run();
// 0 when every lesson was placed, a positive count when only that many were,
// -3 when no save file exists.
int or_load_timetable(int kind);
// What a save that placed only part of the lessons was: damaged (lines that
// do not read, a file cut short), or written for other teaching posts.
enum class SaveVerdict : unsigned char { kWhole, kDamaged, kChanged };
// The save the running command took over by saving a timetable in its place
// (kWhole: none); a damaged one is kept as or_damaged_save_copy() ("savego_
// danneggiato.txt"). A save read and not yet taken over: pending. Every
// command starts with neither.
SaveVerdict or_save_taken_over();
SaveVerdict or_save_verdict_pending();
const char* or_damaged_save_copy();
void or_reset_save_verdicts();
// A computation from an empty week (timetable_aside.h): until the run saved
// its own timetable, the readers find none; and the run never takes a saved
// timetable over. Cleared at the end of every command.
void or_begin_computing_anew();
void or_end_computing_anew();
bool or_computing_anew();
// 0 after a recovery; -1 in a worker or when a file cannot be opened; -2 when
// recovery is not allowed (g_recovery_allowed clear).
int or_recover_previous_timetable();

// Save kinds.
inline constexpr int kSaveNormal = -1;    // ".\\savego.txt"
inline constexpr int kSaveBalance = -2;   // ".\\savebi.txt"
inline constexpr int kSaveTest = -3;      // ".\\savetest.txt"
inline constexpr int kSaveRecord = -4;    // ".\\saveprec.txt", the search's records

// The stand-by and support lines of the last save, behind its first count
// lines: 0, -3 when there is no file, -11 when the file is shorter.
int or_read_standby_placements(int count);
// A week saved from tables that hold no stand-by or support hours (the
// description sets none up and no command prepared them, as on the boards
// that show the lessons only) would drop those the last normal save placed,
// with the class each support hour supports. This sets their lines of that
// save (".\\savego.txt", ".\\saveprov.txt" in provisional mode) aside in
// ".\\tempfileDS.txt", which the next save appends unchanged, leaving out
// each line whose teacher now has a lesson at its hour: that hour is given
// another free one when the stand-by hours are read back. Nothing is set
// aside when the tables hold such hours, in a test run, or when the week
// comes from a computation's record (".\\saveprec.txt", which the reader
// prefers to the save the hours were placed on), nor when no save file is
// there. Returns the number of lines set aside; a save that cannot be read
// or lines that cannot be written are the file error (nothing is then left
// set aside).
int or_set_aside_standby_lines();
// Deletes the lines set aside for a save that was not made.
void or_drop_set_aside_standby_lines();
// How many save lines the first `lessons` lessons of the model take.
int or_saved_line_count(int lessons);
// The first unplaced stand-by (support 0) or support (support 1) lesson of
// the teacher named in a save line's text behind its first blank; -1 none.
int or_find_free_standby_lesson(int support, const char* text);
// Drops the special-calendar pseudo-lessons, teachers and subject from the
// end of the tables; with a non-zero mode creates and places them again.
// Returns the number of placed lessons; mode 2 saves a whole timetable.
int or_rebuild_calendar_lessons(int mode);
// In a parallel worker: the starting timetable handed over by the main process.
void or_restore_worker_timetable();
// The save file a reading command takes in the current mode, and whether it
// is ".\\savego.txt" taken for lack of ".\\saveprec.txt".
const char* or_save_file_to_read(bool* savego_for_lack_of_record);
