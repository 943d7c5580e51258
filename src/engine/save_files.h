// Timetable save files (".\\savego.txt", ".\\saveprov.txt", ".\\savetest.txt",
// ".\\savebi.txt", ".\\saveprec.txt"): writing the lesson placements, reading
// them back, and the recovery of a previous timetable after the teaching
// posts changed. A parallel worker writes none of them.
#pragma once

// Writes the save file of the kind; nothing in a worker or when it cannot be created.
void or_save_timetable(int kind);
// 0 when every lesson was placed, a positive count when only that many were,
// -3 when no save file exists.
int or_load_timetable(int kind);
// 0 after a recovery; -1 in a worker or when a file cannot be opened; -2 when
// recovery is not allowed (g_recovery_allowed clear).
int or_recover_previous_timetable();
