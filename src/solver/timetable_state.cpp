// The computation state of the model's timetable (see timetable_state.h).
#include "solver/timetable_state.h"

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/status_block.h"
#include "solver/cost_evaluation.h"
#include "solver/solver_state.h"

namespace {

constexpr int kManyGapDays = 2, kTwoGapDays = 3, kGapHours = 48;

bool whole_timetable() {
  if (g_eng_school.lesson_count <= 0) return false;
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (!or_lesson_placed(i)) return false;
  return true;
}

}  // namespace

char or_timetable_state(int result) {
  if (result != 0 || !whole_timetable()) return 0;
  long errors = g_status.error_count.load();
  if (errors <= 0) return '5';
  long gap_days = static_cast<long>(ConstraintStats[kManyGapDays].count) + ConstraintStats[kTwoGapDays].count;
  long gaps = gap_days + static_cast<long>(ConstraintStats[kGapHours].count);
  if (errors > gaps) return '2';
  return gap_days > 0 ? '3' : '4';
}

char or_evaluate_timetable_state() {
  if (!g_eng_run.prepared || !whole_timetable()) return 0;
  try {
    or_rebuild_grids_and_evaluate();
  } catch (const EngineFileError&) {
    return 0;
  } catch (const EngineError&) {
    return 0;
  }
  return or_timetable_state(0);
}
