// The question asked when a lunch break is set for the first time, on the
// school's special options, in the afternoon returns dialog or among a
// teacher's special constraints: how many afternoon returns a week each
// teacher may have in the most common case. Asked only while every teacher
// has the same maximum; the answer becomes the maximum ("MXR") of all.
//
// Invariant: the answer lies between 0 and the number of days longer than
// the break hour; an answer out of range is refused and asked again, and a
// cancel changes no teacher.
// Workload: one question per switch-on of a lunch break, 500 teachers.
#pragma once

#include "platform/ui.h"

// break_hour: the hour of the day (counted from 0) at which the break falls.
// Returns the number stored, or -1 when the teachers differ (nothing asked)
// or the question was cancelled (nothing stored).
int lunch_ask_afternoon_returns(int break_hour);

// The break-hour list "-", "2" ... "11": entry k is the stored hour k. A
// school file may hold a later hour (written by hand); the list then gets
// one entry more showing it, so the officer sees the hour the school keeps
// and saving without touching the list keeps it.
struct LunchHourList {
  int beyond = 0;  // the stored hour past "11" given its own entry, 0 none
  void Fill(kt::ui::ComboBox& list, int stored);
  int IndexOf(int stored) const { return stored <= 10 ? stored : stored == beyond ? 11 : 0; }
  int HourAt(int index) const { return index <= 10 ? index : beyond; }
};
