// Requests served by the local search loop between two cycles: the staging
// requests that the computation page writes into the status block (apply
// the current stage again; leave the gap stage) and the "EDY " pass that
// the loop asks of itself while constraint 5 is the only one left.
//
// Invariants: a served request bit is cleared in the request byte and set
// in the acknowledgement byte; nothing here replaces the kept placement
// (g_current_placement) with one that was not filed by the accounting.
// Workload: at most one request per cycle, each a few evaluations.
#include <cstring>
#include <vector>

#include "engine/engine_random.h"
#include "engine/perturbations.h"
#include "engine/status_block.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"
#include "solver/gap_stage.h"
#include "solver/local_search.h"
#include "solver/placement_state.h"
#include "solver/search_loop_parts.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"

namespace {

constexpr std::uint8_t kApplyStageAgain = 4;
constexpr std::uint8_t kLeaveGapStage = 8;
constexpr int kEdyInterval = 17;

void acknowledge(std::uint8_t bit) {
  g_status.staging_request = static_cast<std::uint8_t>(g_status.staging_request.load() & ~bit);
  g_status.staging_ack = static_cast<std::uint8_t>(g_status.staging_ack.load() | bit);
}

int release_all_held_out() {
  int released = 0;
  while (or_next_test_teacher(1, 0) != 0) ++released;
  return released;
}

void clear_all_teacher_tests() {
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t) or_clear_teacher_test(t);
}

// Level 0, no gap-stage teacher: back to the stage's start with the
// weights the parameter asks for.
void apply_stage_at_level_zero() {
  int stage = g_status.stage_id;
  if (g_status.stage_value.load() < 0) {
    clear_all_teacher_tests();
    or_set_constraint_weights();
  } else {
    or_apply_placement(g_placement_copy);
    if (stage == kGapStageId && g_status.gap_stage_state.load() < 7) {
      or_reset_gap_stage();
    } else if (or_search_test_mode()) {
      or_shake_timetable();
    } else if (g_weights.stage_focus == 1) {
      or_focus_stage_weights(stage);
    } else {
      or_set_constraint_weights();
      if (stage >= 0 && stage < kConstraintCount) ConstraintStats[stage].weight = kFocusWeight;
    }
    or_rebuild_grids_and_evaluate();
    or_penalty_cache_invalidate_all();
    or_take_total_score(&g_kept_score);
    or_reset_weights(0);
    or_search_evaluate(1);
    g_search.even_counter = or_even_reset(100);
  }
  g_search.cycle_limit += 1000;
}

void apply_stage_with_teachers_held_out() {
  if (or_search_test_mode()) {
    int shakes = g_engine_random.below(33) + 1;
    for (int i = 0; i < shakes; ++i) or_shake_timetable();
    g_search.limit_increment = or_cycle_limit();
  } else {
    release_all_held_out();
    or_focus_stage_weights(g_status.stage_id);
    g_status.stage_value = -1;
    g_status.stage_start_id = -1;
    g_search.limit_increment = 2500;
  }
  g_search.cycle_limit += g_search.limit_increment;
  or_search_evaluate(1);
  g_search.low_point = g_status.error_count - g_search.error_adjustment;
}

void apply_stage_again() {
  g_weights.stage_focus = g_status.staging_parameter;
  if (g_status.gap_stage_teacher.load() >= 0) {
    or_set_constraint_weights();
    g_search.cycle_limit += 1000;
    g_search.even_counter = or_even_reset(100);
    if (release_all_held_out() == 0) or_reset_gap_stage();
  } else if (g_status.level.load() == 0) {
    apply_stage_at_level_zero();
  } else {
    apply_stage_with_teachers_held_out();
  }
  acknowledge(kApplyStageAgain);
}

void leave_gap_stage() {
  if (or_in_gap_stage()) {
    or_add_test_teachers(g_eng_school.teacher_count);
    int times = g_status.staging_parameter.load() ? 10 : 1;
    for (int i = 0; i < times; ++i) or_add_test_teacher(1);
  } else {
    g_search.cycle_limit = g_search.cycles + 10;
  }
  or_set_constraint_weights();
  g_search.restart_state = 0;
  g_search.even_counter = 0;
  acknowledge(kLeaveGapStage);
}

}  // namespace

void or_serve_staging_requests() {
  std::uint8_t request = g_status.staging_request;
  if (request & kApplyStageAgain) apply_stage_again();
  if (request & kLeaveGapStage) leave_gap_stage();
}

bool or_edy_pass() {
  if (!g_search.edy_request) return false;
  g_search.edy_request = 0;
  g_search.edy_cycle = g_search.cycles;
  or_search_evaluate(0);
  int errors = g_status.error_count;
  std::uint32_t before = ConstraintStats[5].count;
  std::vector<std::uint16_t> live(static_cast<std::size_t>(kMaxLessons));
  or_copy_placement(live.data());
  or_swap_days_for_worst_teacher();
  or_rebuild_grids_and_evaluate();
  or_penalty_cache_invalidate_all();
  ++g_search.cycles;
  ++g_search.since_restart;
  char line[400];
  or_format_progress(line, "EDY ", 0);
  if (ConstraintStats[5].count < before && g_status.error_count.load() <= errors) {
    or_search_evaluate(1);
  } else {
    or_restore_search_placement(live.data());
  }
  return true;
}

bool or_edy_due() { return g_search.cycles - g_search.edy_cycle >= kEdyInterval; }
