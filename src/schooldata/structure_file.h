// The school structure file "scuola1.txt": study tracks and sections,
// classes, subjects, classroom-assignment settings, status bytes and the
// service memo of UiSchoolStructure. Only the user interface reads and
// writes it.
//
// The reader clears the structure (working copy and snapshot), fills the
// working copy and copies it to the snapshot; bad input stops the read with
// a message in the user's language (og_structure_error) and never writes
// past a record or a count. The writer replaces the file whole.
#pragma once

#include <string>

#include "schooldata/ui_school_model.h"

// 0 read; -1 file missing and create 0 (with create the new-structure
// defaults apply); -2 bad content, the message in og_structure_error().
int og_read_structure_file(int create);
int og_read_structure_file_from(const std::string& path, int create);
// 0 written; -1 the file could not be written (the old one stays) or the
// school is not loaded (og_school_loaded).
int og_write_structure_file();
// A class the school files write: its track is known and its section is
// enabled for that track.
bool og_class_in_structure(const UiClass& c);
int og_write_structure_file_to(const std::string& path);
// The writer in two steps, for a save that writes both school files as one:
// the text (0; 1 in a worker process, which writes nothing; -1 the school
// is not loaded), then what the write changes in the model once it is known
// whether the file was written.
class SchoolFileText;
int og_structure_text(SchoolFileText& out);
void og_structure_text_written(bool written);
// Gives every subject the default options its name suggests and sets the
// seventh status byte (the structure editors' dictionary, installed by the
// program); the writer calls it until that byte is '1'.
extern void (*g_apply_default_subject_flags)();
const char* og_structure_error();
// The writer version (into the model) and the save counter of the first
// "SERVICEMEMO:" line of a "scuola1.txt"; 0 when the file, the line or the
// counter is missing. The backup compares a local and a stored copy by it.
unsigned og_read_service_memo(const std::string& path);

