// The question asked when a lunch break is set for the first time, on the
// school's special options, in the afternoon returns dialog or among a
// teacher's special constraints: how many afternoon returns a week each
// teacher may have in the most common case. Asked only while every teacher
// has the same maximum; the answer becomes the maximum ("MXR") of all.
//
// Invariant: the answer lies between 0 and the number of days longer than
// the break hour; the box has no way out but an answer (a cancel takes the
// proposed number, an answer out of range is refused and asked again).
// Workload: one question per switch-on of a lunch break, 500 teachers.
#pragma once

// break_hour: the hour of the day (counted from 0) at which the break falls.
// Returns the number stored, or -1 when the teachers differ (nothing asked).
int lunch_ask_afternoon_returns(int break_hour);
