// The gap stage's steps inside the local search loop (see gap_stage.h):
// its reset, its quality and stall test, the accounting's record of the
// best gap quality (run history codes 59 and 54, slot B of the parallel
// area), the choice of the gap-stage teacher at the end of a round, the
// lowering of the gap tolerance, the loop's stall action, and the open
// search that a long stall of the teacher-by-teacher work turns to
// (stage_stall.h).
//
// Invariants: the gap state byte of the status block moves with the gap
// tolerance level and never goes below 0; the stage-best quality only gets
// better within one tolerance step (it is set back to the teacher count when
// the tolerance is lowered). Nothing here runs outside the gap stage except
// the stall action's restore of the best placement.
// Workload: the quality walks the teachers once (one gap count each); it
// runs on accounting cycles of the gap stage only.
#include "solver/gap_stage.h"

#include "engine/save_files.h"
#include "engine/status_block.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"
#include "solver/gap_constraints.h"
#include "solver/local_search.h"
#include "solver/parallel_exchange.h"
#include "solver/placement_state.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"
#include "solver/stage_stall.h"
#include "solver/run_state_reset.h"

GapStageState g_gap_stage = {0, 0, -1, 0, -1, 0};

namespace {

constexpr int kQualityEntry = 59;
constexpr int kTighterEntry = 54;
constexpr int kNoLimit = 1 << 20;

int teacher_total() {
  int n = g_eng_school.teacher_count;
  return n < 0 ? 0 : (n > kMaxTeachers ? kMaxTeachers : n);
}

// Teachers the all-teachers gap check leaves out.
bool outside_gap_check(const EngineTeacher& x) {
  return x.pseudo_flag || x.calendar_class != -1 ||
         (x.type_flags & (kTeacherLabPseudo | kTeacherFca | kTeacherNoLessons)) != 0 || x.buk[0] >= 70;
}

void append_entry(int code, int first, int second) {
  int before = g_status.history_count;
  or_append_history(code);
  int after = g_status.history_count;
  if (after == before || after < 1) return;
  g_status.history_first[after - 1] = first;
  g_status.history_second[after - 1] = second;
}

// Entries 59 (quality byte + 1, the count or -1 when not below the teacher
// count) and 54 (the quality byte left 7 while the gap option is on).
void write_quality_entries(std::uint8_t previous_byte) {
  std::int32_t q = static_cast<std::int32_t>(g_search.stage_quality_value);
  append_entry(kQualityEntry, g_search.stage_quality_byte + 1, q < teacher_total() ? q : -1);
  if (previous_byte == 7 && g_search.stage_quality_byte < 7 && g_staging.gap_option != 0)
    append_entry(kTighterEntry, g_search.stage_quality_byte, q);
}

void keep_live_placement() {
  or_copy_placement(g_placement_copy);
  or_copy_placement(g_current_placement);
  or_take_total_score(&g_kept_score);
}

}  // namespace

void or_reset_gap_stage_state() { g_gap_stage = {0, 0, -1, 0, -1, 0}; }

bool or_in_gap_stage() { return g_status.stage_id.load() == kGapStageId; }
bool or_gap_teacher_mode() { return g_gap_stage.teacher_mode > 0; }

void or_reset_gap_stage() {
  g_gap_stage.teacher_mode = 0;
  g_gap_stage.second_value = 0;
  g_gap_stage.noted_errors = -1;
  g_gap_stage.noted_quality = 0;
  g_gap_stage.open_search = 0;
  g_status.gap_stage_teacher = -1;
  for (int t = 0; t < teacher_total(); ++t) g_eng_teachers[t].second_test = 0;
}

std::uint32_t or_gap_stage_quality() {
  int over = 0;
  std::uint32_t q = or_gap_check_all_teachers(&over, kNoLimit) ? static_cast<std::uint32_t>(over)
                                                                : static_cast<std::uint32_t>(teacher_total());
  g_status.gap_stage_count = static_cast<std::int32_t>(q);
  return q;
}

int or_gap_stage_stall_test() {
  if (g_status.level.load() > 0) return 0;
  int errors = g_status.error_count;
  int stage_error = g_status.gap_stage_error;
  if (g_status.gap_stage_count.load() < g_status.gap_stage_target.load() - 1 && stage_error == errors)
    return 1;
  int t = g_status.gap_stage_teacher;
  if (t >= 0 && t < teacher_total() && g_eng_teachers[t].gap_marker == stage_error + 1) return 1;
  int quality = static_cast<int>(g_search.stage_quality_value);
  bool better = g_gap_stage.noted_errors < 0 || errors < g_gap_stage.noted_errors ||
                (errors == g_gap_stage.noted_errors && quality < g_gap_stage.noted_quality);
  if (!better) return 0;
  g_gap_stage.noted_errors = errors;
  g_gap_stage.noted_quality = quality;
  return 1;
}

void or_note_gap_quality() {
  if (!or_in_gap_stage()) return;
  g_status.gap_stage_error = static_cast<std::int32_t>(ConstraintStats[kGapStageId].count);
  std::uint32_t q = or_gap_stage_quality();
  if (g_status.gap_stage_error.load() != g_status.error_count.load() || q >= g_search.stage_quality_value)
    return;
  or_note_stage_progress();
  std::uint8_t previous = g_search.stage_quality_byte;
  g_search.stage_quality_byte = g_status.gap_stage_state;
  g_search.stage_quality_value = q;
  or_copy_placement(g_stage_best_placement);
  int stamp = g_status.record_cycle;
  if (stamp != g_gap_stage.history_stamp) {
    g_gap_stage.history_stamp = stamp;
    write_quality_entries(previous);
    or_publish_to_workers(2, -1, -1);
  }
  or_set_gap_stage_weights();
}

void or_choose_gap_stage_teacher() {
  if (!or_in_gap_stage() || g_status.level.load() != 0 || g_status.gap_stage_count.load() <= 0) return;
  if (!(or_gap_teacher_mode() && g_status.gap_stage_teacher.load() >= 0)) or_reset_gap_stage();
  int count = 0, chosen = -1, largest = 0;
  for (int t = 0; t < teacher_total(); ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    if (outside_gap_check(x)) continue;
    int n = gap_excess_of_teacher(t, false);
    if (n <= 0) continue;
    x.second_test = 1;
    ++count;
    if (chosen < 0 || n > largest || (n == largest && x.points > g_eng_teachers[chosen].points)) {
      chosen = t;
      largest = n;
    }
  }
  g_status.gap_stage_teacher = chosen;
  if (count < g_status.gap_stage_target.load() || g_status.gap_stage_state.load() > 6) {
    g_status.gap_stage_target = count;
    or_reset_gap_stage();
    or_evaluate_all_constraints(0);
    or_take_total_score(&g_kept_score);
    g_search.cycle_limit += 99;
    g_gap_stage.teacher_mode = 1;
  } else {
    g_gap_stage.second_value = count + 1;
    g_gap_stage.teacher_mode = -1;
  }
  or_save_timetable(kSaveRecord);
  // Closing step: the count of the round is the gap-stage count.
  g_status.gap_stage_count = count;
  or_count_test_teachers();
}

bool or_gap_stage_round_end() {
  if (!or_in_gap_stage() || g_status.level.load() != 0) return false;
  g_gap_stage.teacher_mode = 1;
  g_gap_stage.open_search = 0;
  or_set_gap_stage_weights();
  std::uint32_t q = or_gap_stage_quality();
  if (q <= g_search.stage_quality_value) {
    g_search.stage_quality_value = q;
    keep_live_placement();
    or_copy_placement(g_stage_placement);
    or_save_timetable(kSaveRecord);
  }
  or_evaluate_all_constraints(0);
  if (g_status.error_count.load() != 0 || g_status.gap_count.load() != 0) return false;
  if (g_status.gap_stage_state.load() == 0 || g_status.teachers_in_test.load() != 0) return false;
  or_publish_to_workers(1, -1, 1);
  std::uint8_t previous = g_search.stage_quality_byte;
  g_status.gap_stage_state = static_cast<std::uint8_t>(g_status.gap_stage_state.load() - 1);
  if (g_status.gap_tolerance_level.load() > 0)
    g_status.gap_tolerance_level = static_cast<std::uint8_t>(g_status.gap_tolerance_level.load() - 1);
  g_search.stage_quality_value = static_cast<std::uint32_t>(teacher_total());
  or_reset_test_teachers(teacher_total());
  or_evaluate_all_constraints(0);
  g_search.stage_quality_byte = g_status.gap_stage_state;
  g_search.stage_quality_value = or_gap_stage_quality();
  or_copy_placement(g_stage_best_placement);
  write_quality_entries(previous);
  return true;
}

void or_stage_action() {
  if (!or_in_gap_stage()) {
    if (g_search.kept_restarts > 0 && g_search.restart_state == 0) or_restore_best_placement();
    return;
  }
  if (!or_gap_teacher_mode()) {
    if (g_status.gap_stage_count.load() < g_status.gap_stage_target.load() - 1) {
      or_set_gap_stage_weights();
      return;
    }
    or_restore_best_placement();
    if (g_status.error_count.load() <= 3 * g_search.low_point)
      or_perturb_weights();
    else
      or_set_gap_stage_weights();
    // The open search counts every teacher's gaps by design: its stall
    // leaves the test set as it is.
    if (!g_gap_stage.open_search && g_status.gap_stage_count.load() < teacher_total() - 1)
      or_add_test_teachers(1);
    return;
  }
  if (g_search.restart_state != 0) or_reset_test_teachers(1);
}

namespace {

// The open search starts from the loop's kept placement, counted anew.
void restart_open_search() {
  or_set_constraint_weights();
  or_evaluate_all_constraints(0);
  keep_live_placement();
  g_search.low_point = g_search.record = g_status.error_count - g_search.error_adjustment;
  g_search.limit_increment = or_cycle_limit();
  g_search.cycle_limit = g_search.cycles + g_search.limit_increment;
}

}  // namespace

bool or_gap_stage_open() { return or_in_gap_stage() && g_gap_stage.open_search != 0; }

void or_open_gap_stage() {
  or_restore_search_placement(g_current_placement);
  or_reset_gap_stage();
  or_reset_test_teachers(-1);
  // The open search is judged as the finished timetable will be: at
  // tolerance 0 (the gap state byte moves with it). A quality of it is
  // measured against the teachers afresh.
  g_status.gap_tolerance_level = 0;
  g_status.gap_stage_state = 0;
  g_search.stage_quality_byte = 0;
  g_search.stage_quality_value = static_cast<std::uint32_t>(teacher_total());
  g_gap_stage.open_search = 1;
  restart_open_search();
}
