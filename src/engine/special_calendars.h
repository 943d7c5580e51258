// Special calendars: a class whose lessons do not fill the school week gets
// a pseudo-teacher "Calendario-<class>" whose pseudo-lessons (subject
// "ZZYBASAX") fill the class's free hours, so the solver places a whole
// week for every class and the free hours land where the calendar says.
//
// Calendar records stand at the ends of their tables and are dropped and
// made again around a loaded or recovered timetable.
#pragma once

inline constexpr const char* kCalendarSubject = "ZZYBASAX";

// A description may not name a subject "ZZYBASAX": its lessons would be
// taken for calendar pseudo-lessons. Configuration error when one does.
void or_refuse_reserved_subject();
// Appends the pseudo-teacher of the class; returns its index.
int or_create_calendar_teacher(int class_index);
// Pseudo-teachers and pseudo-lessons for every class from `first` on whose
// lesson count differs from the weekly hours; first 0 may append the subject.
void or_create_calendar_lessons(int first);
// Lengthens the day after the longest day by one hour, once per run, when a
// laboratory room asks for it; records the day and hour in EngineSchool.
void or_add_extra_hour();
// Removes the calendar pseudo-lessons, pseudo-teachers and the pseudo-subject
// that stand at the end of their tables.
void or_drop_calendar_lessons();
// Places every calendar pseudo-lesson into the free hours of its class,
// hour by hour across the days; 0, or -11 when they do not fit.
int or_place_calendar_lessons();
// Weekly slots and longest day from the hours per day.
void or_recount_week_shape();
