// Writer of the school description: builds the whole file from the user
// interface's model and replaces it through a temporary file in the same
// folder, so a failed write leaves the old file. Mode 0 writes
// "scuola2.txt" and marks the model saved, mode 1 the test copy
// "cattTEST.txt" and leaves the model as it is, mode 2 the provisional copy
// "cattPROV.txt" (teachers marked "PRNS:" left out, posts adapted for the
// provisional timetable) and then puts the model back as it was. A worker
// process of the parallel computation writes nothing.
//
// Counts and indexes are taken as they stand but clamped to the model's
// capacities; nothing past a table is read. User-interface thread only.
#pragma once

#include <cstdint>
#include <string>

// Non-zero: every teacher's "V:" line ends with the archive marker
// "QWEQWE" (the service rewrite sets it for one write; readers skip it).
extern std::uint8_t g_description_archive_marker;

// 0 written; -1 the file could not be written or the school is not loaded
// (message in og_description_write_error()), -3 an unknown mode.
int og_write_assignments_file(int mode, int option);
int og_write_assignments_file_to(const std::string& path, int mode);
const char* og_description_write_error();
// The writer in two steps, for a save that writes both school files as one:
// the text (0; 1 in a worker process, which writes nothing; -1 the school is
// not loaded; -3 an unknown mode), then what the write of path changes
// (the model marked saved, the error text with errno's reason) once it is
// known.
class SchoolFileText;
int og_description_text(int mode, SchoolFileText& text);
void og_description_text_written(const std::string& path, int mode, bool written, int error = 0);
// '+' -> '_', '(' -> '[', ')' -> ']'; valid until the next call.
const char* og_escape_name(const char* name);
// "LU:1-5MA:2-3": the runs of set cells of a week mask, day by day.
std::string og_format_week_mask(const unsigned char* mask);
// Installs the reader and writer as the model's description hooks, so the
// save and discard paths of the unsaved-changes check reach them.
void og_install_description_hooks();
// Makes the school code a description is written with when its school has
// none yet: 40 characters (date and time, the title's end, random ones) and
// the terminating zero into code.
void og_make_school_code(char* code);
