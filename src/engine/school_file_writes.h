// The save and exemption writers' use of ReplacementFile: a file that
// cannot be created or completely written is a file error (the user must
// learn that the timetable was not saved), and an appending writer first
// copies the current file into the replacement.
//
// Invariant: the target file is either the old one or the complete new one.
#pragma once

#include <cstdio>
#include <functional>

#include "engine/file_replace.h"

// keep_current: the writer appends (see ReplacementFile::open).
void or_open_or_raise(ReplacementFile& file, const char* name, const char* hint, bool keep_current = false);
void or_commit_or_raise(ReplacementFile& file, const char* name, const char* hint);
// Writes the file whole through `write` (which fills the replacement's
// stream) and puts it in place, where the hint only says what failed ("the
// timetable could not be saved"): the message of a failed create or commit
// goes on with why (access denied, a folder in the file's place...), which
// the user can set right. The caller may set the replacement up first.
void or_replace_or_raise_telling_why(ReplacementFile& file, const char* name, const char* what_failed,
                                     const std::function<void(std::FILE*)>& write);
// Copies the current content of the file (when there is one) into the
// replacement; raises the file error when it cannot be read whole.
void or_copy_current_or_raise(ReplacementFile& file, const char* name, const char* hint);
// Whether the file exists, as the running command left it.
bool or_file_exists_now(const char* name);
