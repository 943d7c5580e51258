// Whether the classes' calendars can hold the lessons at all, asked before a
// computation starts. A class with a calendar of its own (its per-slot
// calendar, or the provisional week's shorter days) must hold its lessons
// inside it, and a teacher's lessons all need slots of their own, so:
//   - a class with more lessons than its calendar has hours, and
//   - a teacher with more lessons in such classes than the hours those
//     classes' calendars have together
// can never reach a timetable without a class-calendar violation, and the
// search would stay in that stage until its stall limit. The computation is
// refused at once instead, naming the classes (and the teacher).
#pragma once

// Raises "processing impossible" with the classes and teachers whose lessons
// the calendar cannot hold; returns when there are none. Classes whose
// calendar violations the user granted as exemptions are left out: there a
// lesson may stand outside the calendar.
void or_check_calendar_capacity();
