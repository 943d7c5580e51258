// Renaming inside the saved timetable: when a teacher, class or subject is
// renamed, ".\savego.txt" must name it the new way or the next load would
// miss it. Lines of the save file are scrambled, so each line is read in
// clear (plain lines are kept as they are), its first occurrence of the old
// name replaced, and written scrambled again to ".\tempfile.txt", which then
// replaces the save file. A save file that cannot be read or rewritten is
// left as it was. Lines are at most 200 characters.
#pragma once

// 1 when the save file was rewritten, 0 when there was none or it was left.
int og_rename_in_saved_timetable(const char* old_name, const char* new_name);
