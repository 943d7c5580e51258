// The restarts of a staged run ("MIBU", run mode 20) after the user granted
// an exemption while the search runs. The relaxed school is another problem,
// so the search goes back either to the placement kept at the start of the
// running stage or to its own kept placement, depending on how far the stage
// got (how many teachers it processed) and on whether the user asked for a
// full restart; the teachers whose own constraints still fail are held out
// again and the search gets 99 more cycles.
//
// Invariants: every restart ends with a full evaluation with reports, the low
// point at its error count and the restart state 0; the cycle limit only
// grows here. Called from the exemption hook with the problems mutex held.
// Workload: once per granted exemption; a few full evaluations.
#include "engine/status_block.h"
#include "solver/cost_evaluation.h"
#include "solver/exemptions.h"
#include "solver/placement_state.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"
#include "solver/teacher_side_move.h"

namespace {

constexpr int kGapStage = 48;
constexpr int kExtraCycles = 99;

int teacher_total() {
  int n = g_eng_school.teacher_count;
  return n < 0 ? 0 : (n > kMaxTeachers ? kMaxTeachers : n);
}

void restart_bookkeeping() {
  or_search_evaluate(1);
  g_search.low_point = g_status.error_count - g_search.error_adjustment;
  g_search.restart_state = 0;
}

void stage_start_restart() {
  or_restore_stage_start();
  restart_bookkeeping();
}

void kept_placement_restart() {
  or_restore_current_placement();
  restart_bookkeeping();
}

// The user's full restart: back to the stage start with every teacher's
// test state cleared and the stage's bookkeeping started again.
void full_restart() {
  stage_start_restart();
  for (int t = 0; t < teacher_total(); ++t) or_clear_teacher_test(t);
  g_status.teachers_processed = 0;
  g_status.stage_counters[0] = 0;
}

// The search runs on with what the release credit gave it: no credit until
// the stage ends, and more cycles to use the relaxed school.
void close_restart() {
  g_release.no_credit = 1;
  g_release.restart_state = 0;
  or_extend_cycle_limit(kExtraCycles);
}

void restart_in_stage(bool full) {
  int processed = g_status.teachers_processed;
  bool most_processed = processed >= teacher_total() / 2;
  bool fresh_stage = g_release.release_credit == 0 && g_status.stage_start_id.load() == -1;
  if (fresh_stage && !full) {
    if (!most_processed) {
      stage_start_restart();
    } else {
      kept_placement_restart();
    }
    if (most_processed || processed != 0) {
      or_hold_out_penalised_teachers();
      if (g_status.teachers_processed.load() != 0) or_hold_out_penalised_teachers();
    }
  } else if (full) {
    full_restart();
  } else if (most_processed) {
    kept_placement_restart();
    or_hold_out_penalised_teachers();
  } else {
    stage_start_restart();
    if (processed != 0) or_hold_out_penalised_teachers();
  }
  close_restart();
}

// In the gap stage the stage start is only worth going back to once the
// stage processed a teacher; before that the kept placement is as good.
void restart_in_gap_stage() {
  if (g_status.teachers_processed.load() == 0) {
    or_restore_current_placement();
    or_set_constraint_weights();
  } else {
    or_restore_stage_start();
  }
  restart_bookkeeping();
  or_extend_cycle_limit(kExtraCycles);
}

}  // namespace

bool or_restart_after_exemption(std::uint8_t request) {
  if (g_eng_run.run_mode != 20 || request != kExemptionRequestGrant) return false;
  if (g_status.stage_id.load() == kGapStage) {
    restart_in_gap_stage();
  } else {
    restart_in_stage(g_exemption_current.bytes[kExemptionFullRestartOffset] != 0);
  }
  return true;
}
