// The room settings of single lessons and the class-name helpers of the
// engine tables: the save reader marks a lesson without a room, the
// technical editor puts every lesson back in its recorded room, and the
// reports name classes and walk them by section; the substitution page reads
// a teacher's cell codes and the default absence reasons. Called while no
// engine command runs; every index is range-checked.
#pragma once

#include "engine/model.h"

// A room by its exact name becomes the lesson's own and working room (an
// unknown name changes nothing); null takes the lesson out of any room and
// back to its class's room.
void or_set_lesson_room(int lesson, const char* room_name);
// Every lesson with a room setting of its own is put back in that room.
void or_reset_record_rooms();
const char* or_class_display_name(int class_index);
const char* or_class_code(int class_index);
int or_next_class_by_section(int restart, int* cursor);
// A short code of the teacher's lesson at the slot (text holds 8 bytes): the
// first 3 characters of its building and a blank, "Dis" for a stand-by hour,
// " x " when the building is unknown; empty when the teacher is free there.
void or_lesson_cell_code(char* text, int teacher, int day, int hour);
// When no absence reasons are set, the defaults of the user's language.
void or_default_absence_reasons();
