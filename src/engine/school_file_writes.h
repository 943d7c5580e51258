// The save and exemption writers' use of ReplacementFile: a file that
// cannot be created or completely written is a file error (the user must
// learn that the timetable was not saved), and an appending writer first
// copies the current file into the replacement.
#pragma once

#include "engine/file_replace.h"

void or_open_or_raise(ReplacementFile& file, const char* name, const char* hint);
void or_commit_or_raise(ReplacementFile& file, const char* name, const char* hint);
// Copies the current content of the file (when there is one) into the
// replacement; raises the file error when it cannot be read whole.
void or_copy_current_or_raise(ReplacementFile& file, const char* name, const char* hint);
