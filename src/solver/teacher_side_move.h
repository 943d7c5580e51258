// The teacher-side move: exchanges the week slots of two lessons of one
// class, priced with the cached teacher and class penalties, and steers the
// choice of class towards what the last kept exchange made worse.
#pragma once

#include <cstdint>

// Runs up to the pacing value of candidate rounds; returns the exchanges
// kept and leaves the running score in *score_out.
int or_teacher_side_move(int scale, int teacher, std::int32_t* score_out);
// Resets the call counter and the pacing value (the search's restarts) and
// rebuilds the per-class lesson lists of the loaded model.
void or_reset_teacher_side_state();
// The pacing value: (teachers in test x 3 + 685) / 4.
void or_set_pacing_value(int unused);
std::int32_t or_pacing_value();
// Adds cycles to the running loop's cycle limit.
void or_extend_cycle_limit(int n);

// Sleeps between steps of a worker; tests replace it.
using TeacherSideSleep = void (*)(int milliseconds);
void or_set_teacher_side_sleep(TeacherSideSleep sleep);
