// Find-or-add operations over the model tables and the day-name reader of
// the description lines, used by the loader's passes and by the room
// allocation. Each one checks its table's capacity and leaves through the
// configuration-error reporter when a table is full; none returns an index
// outside its table.
#pragma once

// The class whose code equals the first L characters of code (L: 3 with the
// three-character flag, else the school's class-code length), appended with
// its own room when there is none.
int or_find_or_add_class(const char* code, int three_char_flag);
// The subgroup class of parent for the two keys, made when missing.
int or_create_subgroup_class(int parent, int key1, int key2);
// Rooms by name (up to the first '|' within length); lab_flag 1 marks a new
// room as a laboratory usable at every hour.
int or_find_or_add_room_by_name(const char* name, int length, int lab_flag);
// Rooms by name and kind byte; a new one takes the kind and allocation byte 2.
int or_find_or_add_room(const char* name, int length, int kind);
int or_find_or_add_teacher(const char* name);
// The configuration error of a description with more teachers than the
// tables hold: it names the limit and the count reached, not the name of
// whichever teacher (perhaps a class calendar's stand-in) came last.
[[noreturn]] void or_raise_too_many_teachers();
// -1 when no class has the code, compared on the class-code length.
int or_find_class(const char* code);
// -1 when no building has the name (up to '|', 20 characters).
int or_find_building(const char* name);
// The next day named "DD:" from the cursor (the cursor moves behind the
// colon), or -1 at the end of the field, a '|' or a blank.
int or_next_day_name(const char*& cursor);
void or_trim_trailing_blanks(char* text);
