// The gap stage of the local search: the stage in which constraint 48 (gap
// hours) is on last, with a tolerance that starts at 7 extra gaps per
// teacher and is lowered one step each time no gap error is left. Around it
// the loop works teacher by teacher (gap-teacher mode), keeps the
// placement of best gap quality and offers it to the parallel processes.
//
// Quality of a gap-stage placement: (gap state byte, number of teachers
// whose gaps exceed their own allowance without the tolerance); lower is
// better in both. The gap state byte follows the tolerance level.
#pragma once

#include <cstdint>

struct GapStageState {
  std::int32_t teacher_mode;   // above 0: the gap stage works teacher by teacher
  std::int32_t second_value;   // the over-allowance count + 1 when no progress was made
  std::int32_t noted_errors;   // the stall test's notes; -1 none yet
  std::int32_t noted_quality;
  std::int32_t history_stamp;  // record cycle of the last quality entry; -1 none
  // 1 while the stage searches with every teacher's gaps counting, after its
  // teacher-by-teacher work stalled; the next round (or a reset) ends it.
  std::int32_t open_search;
};
extern GapStageState g_gap_stage;

inline constexpr int kGapStageId = 48;

bool or_in_gap_stage();
bool or_gap_teacher_mode();
// No gap-stage teacher, gap-teacher mode off, the teachers' second test
// bytes and the stall test's notes cleared. The target stays.
void or_reset_gap_stage();
// The all-teachers gap check's count of teachers over their allowance (the
// teacher count while teachers are held out); stored as the gap-stage count.
std::uint32_t or_gap_stage_quality();
// Whether a new record of the gap stage may become the kept placement.
int or_gap_stage_stall_test();
// The accounting's gap step: a better quality with only gap errors left
// goes to the stage-best placement, the run history and slot B.
void or_note_gap_quality();
// End of a gap-stage round with no error left and no held-out teacher:
// marks the teachers over their allowance, picks the gap-stage teacher and
// decides the gap-teacher mode.
void or_choose_gap_stage_teacher();
// After the staging step, in the gap stage at level 0: keeps a better gap
// count and, when no gap error is left, lowers the tolerance one step and
// starts the round again with every teacher in test. Answers true when the
// tolerance was lowered.
bool or_gap_stage_round_end();
// The loop's stall action (even and loss cycles).
void or_stage_action();

// The long-stall step of the gap stage's teacher-by-teacher work
// (stage_stall.h): from the kept placement, every teacher leaves the test
// set, gap-teacher mode ends, the tolerance goes to 0 and the weights are
// the plain ones; the record starts from the new count. The open search
// lasts until the stage's next round or a reset.
void or_open_gap_stage();
bool or_gap_stage_open();
