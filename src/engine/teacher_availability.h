// Whether a teacher may be given an hour he does not teach: a stand-by hour
// placed by the engine or by hand, or the cover of an absent colleague.
// The teacher's own constraint line says when he is not at the school's
// disposal: outside his available hours ("OR:"), in his forbidden hours
// ("OP:"), on his free day ("LI:").
//
// The stand-by placement, the reading of a saved week, the check of the
// board's week ("SBIL:") and the choice of covers all ask this one
// question, so they never disagree. Called per slot while hours are placed
// (a few hundred stand-by hours at most); the free-day case walks the
// lessons only for a day on a list of several free days.
#pragma once

// True when the slot (0-based day and hour) is closed to the teacher:
// - a configured grid of available hours ("OR:", or the forbidden hours
//   "OP:" turned into it by the pre-solve preparation) does not allow it;
// - a configured grid of forbidden hours not yet turned into one forbids it;
// - the day is the teacher's one free day, or one of several listed free
//   days (any of which may be the free one) on which he teaches no lesson
//   of a real class: an hour there would take the free day away.
bool or_teacher_slot_closed(int teacher, int day, int hour);
