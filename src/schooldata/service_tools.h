// The maintenance operations behind the home page's "@(Service Tools)":
// the chooser CSTools gives a code, og_run_service_tool carries it out on
// the open school's files. Every operation reads both school files first
// and stops with "Archivio non leggibile" when they cannot be read; those
// that change the school write the description again and read it back.
#pragma once

// 171010 (mode 0) and 171011 (mode 1): copies the school of a chosen folder
// into a folder named after the school below it and makes that current;
// mode 1 starts the choice in the service server's folder and keeps the zip
// the school came in. 0 done, 2 no folder chosen or the school unreadable,
// 3 the user kept an existing folder, 4 a folder or file could not be made.
int og_copy_to_folder(int mode);
// Runs the operation of a CSTools code: besides the copy, 17102 (a
// consecutive-hours digit into the daily maximum), 17104/17105 (minimum and
// maximum bands dropped, the daily teaching minimum at most 2), 17106 (the
// teacher "ZZ" partner of no post), 17107 (no reception), 17108 and 17181
// (double or lower every post's hours), 17110-17116 (drop the free day of
// one weekday), 17121/17122 (drop the per-day OM/OV limits), 17131 (clear
// fully forbidden days of teachers with 18 hours or more), 17141 (placement
// options dropped), 17142 (rewrite), 17190 (rewrite with the archive marker,
// then as 17191), 17191 (plain copies of the scrambled files), 17192 (the
// asked clean-up), 17193 (posts sorted by subject name), 17201 (provisional
// exclusions and timetable states reset) and 17203 (two gaps a day for a
// teacher in one building). Codes without an operation here say that the
// function is not available.
void og_run_service_tool(int code);
