// Reader of a teacher's personal-constraint line of the description
// ("V:|name|PMAX:1-2|LI:VE:|..."), already normalised: fields separated by
// '|', upper case. It fills UiTeacher::personal of the teacher found or
// added by name.
//
// Bounds follow the school header: D days with lessons, H hours of the
// longest day. Bad items stop the line with a message in the user's
// language; grid ranges and pair tables never write past their arrays.
#pragma once

// 0 read (a line without a name does nothing), -1 with the message in
// og_constraint_error().
int og_read_teacher_constraints(const char* line);
const char* og_constraint_error();
