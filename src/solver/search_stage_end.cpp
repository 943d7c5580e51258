// The end-of-stage step of the local search loop: run when a cycle starts
// with no error left. It releases the next held-out teacher, or, when none
// is left, closes the stage: in the gap stage it picks the gap-stage
// teacher and lowers the gap tolerance once every teacher was released;
// then the staging switches the next constraint on. When nothing is left
// to switch on or release, the timetable is saved and the loop ends.
//
// Invariants: the loop's kept placement (g_current_placement) is the live
// placement with no error whenever this step starts a new stage; the move
// schedule starts again at -2 after every end of a stage.
// Workload: once per stage or released teacher; a few full evaluations.
#include "engine/save_files.h"
#include "engine/status_block.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"
#include "solver/gap_stage.h"
#include "solver/local_search.h"
#include "solver/parallel_exchange.h"
#include "solver/placement_state.h"
#include "solver/result_history.h"
#include "solver/search_loop_parts.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"
#include "solver/stage_stall.h"
#include "solver/teacher_side_move.h"

namespace {

void serve_all_penalty_flags() {
  while (g_release.penalty_flag_count > 0) {
    std::uint32_t before = g_release.penalty_flag_count;
    or_serve_penalty_flag();
    if (g_release.penalty_flag_count == before) break;
  }
}

// Steps 1 to 3: the counters and weights of a fresh stage.
void start_over() {
  g_search.new_stage = 0;
  if (or_search_test_mode()) {
    g_status.test_counter = 0;
    or_store_history(1);
  }
  g_search.history_skip = g_solver.worker_index + 8;
  g_search.move_kind = -2;
  serve_all_penalty_flags();
  or_clear_best_placement();
  or_reset_teacher_side_state();
  or_reset_weights(0);
  g_search.edy_request = 0;
  g_weights.stage_focus = 0;
  g_search.limit_increment = or_cycle_limit();
  g_search.cycle_limit = g_search.cycles + g_search.limit_increment;
  if (g_search.restart_state == 2) ++g_search.kept_restarts;
  g_search.restart_state = 0;
  or_set_constraint_weights();
  ++g_search.stage_counter;
  or_keep_search_placement();
  if (g_status.level.load() == 0) {
    g_search.kept_restarts = 0;
    or_age_teacher_points();
    g_release.no_credit = 0;
    // A stage finished with no gap hour over its allowance is worth racing
    // from: the workers restart from it, so every stage is searched by all.
    if (g_status.second_stage_counter.load() > 0 || g_status.gap_count.load() == 0)
      or_publish_to_workers(1, -1, 1);
  }
}

// Step 6.3: the placement that opens a stage of the stage-focus runs.
void note_stage_start() {
  if (g_status.second_stage_counter.load() <= 0) return;
  g_search.stage_low_value = kNoLowValue;
  g_search.stage_quality_byte = g_status.gap_stage_state;
  g_search.stage_quality_value = static_cast<std::uint32_t>(g_status.gap_stage_count.load());
  or_copy_placement(g_placement_copy);
  or_copy_placement(g_stage_placement);
  or_take_total_score(&g_kept_score);
  or_save_timetable(kSaveRecord);
}

}  // namespace

int or_switch_on_next_stage() {
  bool was_gap_stage = or_in_gap_stage();
  int stage_before = g_status.stage_id;
  int switched = or_staging_next();
  // The teachers processed count those of the stage that runs now.
  if (g_status.stage_id.load() != stage_before) g_status.teachers_processed = 0;
  if (switched && !or_in_gap_stage()) g_search.new_stage = 1;
  if (!was_gap_stage && or_in_gap_stage()) {
    // The gap stage opens at the tolerance the staging set.
    g_status.gap_stage_state = g_status.gap_tolerance_level.load();
    g_search.stage_quality_byte = g_status.gap_stage_state;
    g_search.stage_quality_value = static_cast<std::uint32_t>(g_eng_school.teacher_count);
    or_reset_gap_stage();
  }
  note_stage_start();
  if (switched && !or_in_gap_stage()) {
    or_focus_stage_weights(g_status.stage_id);
    g_search.limit_increment = or_cycle_limit();
    g_search.even_counter = or_even_reset(100);
  }
  return switched;
}

bool or_end_of_stage(int release_mode, int cycle_target) {
  start_over();
  int held_out = or_count_held_out_teachers();
  if (or_next_test_teacher(release_mode, 1)) {
    // A teacher released because the stage reached no error is one the
    // stage has processed (the further steps of a partial release are the
    // same teacher's); a grant while the stage runs restarts by them.
    if (or_count_held_out_teachers() < held_out) g_status.teachers_processed = g_status.teachers_processed.load() + 1;
    g_search.since_restart = 0;
    if (g_eng_run.run_mode == 13) or_publish_to_workers(1, cycle_target, 1);
    if (cycle_target >= 0 && g_release.teacher_under_test >= cycle_target) {
      g_status.test_count = 0;
      return true;
    }
    or_release_focus_teacher();
    or_next_weight_mode(0);
    or_search_evaluate(0);
    or_take_total_score(&g_kept_score);
    g_search.low_point = g_search.record = kNoLowValue;
    g_search.cycle_limit = g_search.cycles + g_search.limit_increment;
    if (or_in_gap_stage() && g_status.level.load() == 0) or_set_gap_stage_weights();
    return false;
  }
  g_status.stage_value = -1;
  if (g_search.search_state == 1) {
    g_eng_run.report_mode = 0;
    g_search.search_state = 2;
    or_set_constraint_weights();
    or_search_evaluate(0);
    or_take_total_score(&g_kept_score);
    return false;
  }
  or_choose_gap_stage_teacher();
  int switched = or_switch_on_next_stage();
  // A lowered gap tolerance starts a new round with every teacher in test;
  // while they are in test their gaps count nothing, so the round is not
  // settled yet: the loop goes on until they are released at the new level.
  bool lowered = or_in_gap_stage() && or_gap_stage_round_end();
  if (switched || lowered) or_note_stage_progress();
  or_search_evaluate(0);
  g_search.low_point = g_search.record = g_status.error_count;
  bool settled = release_mode == 0 || !or_in_gap_stage() ||
                 (g_status.gap_count.load() == 0 && g_status.level.load() == 0 &&
                  g_status.gap_stage_state.load() == 0);
  if (!switched && !lowered && g_status.error_count.load() == 0 && settled) {
    or_keep_search_placement();
    g_search.search_state = 2;
    or_save_timetable(or_search_save_kind());
    // The finished timetable's gap-stage count is the one it has now (the
    // count of the last round's close may be stale): a worker offers it to
    // the main process by that count, which a stale one would refuse.
    if (or_in_gap_stage()) or_gap_stage_quality();
    g_offering_finished_run = true;
    or_publish_to_workers(1, -1, 1);
    g_offering_finished_run = false;
    return true;
  }
  return false;
}
