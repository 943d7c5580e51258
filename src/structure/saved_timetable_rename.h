// Renaming inside the saved timetable: when a teacher, class or subject is
// renamed, ".\savego.txt" must name it the new way or the next load would
// miss it. Lines of the save file are scrambled, so each line is read in
// clear (plain lines are kept as they are), its first occurrence of the old
// name replaced, and written scrambled again to a temporary beside the save
// file, which is synced and then renamed over it. A save file that cannot be
// read whole or rewritten is left exactly as it was. Lines are at most 200
// characters.
#pragma once

#include <string>

// 1 when the save file was rewritten, 0 when there is none, -1 when it is
// there but could not be read whole or rewritten: it is left as it was and
// *why (when given) says what failed, in the user's language.
int og_rename_in_saved_timetable(const char* old_name, const char* new_name, std::string* why = nullptr);
