// or_reset_run_state: the parts of the search's run state, set back in one
// call (see run_state_reset.h).
#include "solver/run_state_reset.h"

#include "engine/engine_random.h"
#include "engine/perturbations.h"

void or_reset_run_state() {
  or_reset_move_run_state();
  or_reset_neighbourhood_cursors();
  or_reset_worst_scan_cursors();
  or_reset_improvement_pass_cursors();
  or_reset_improvement_phase_state();
  or_reset_placement_pass_cursors();
  or_reset_double_swap_cursor();
  or_reset_joint_pair_cursor();
  or_reset_release_cursor();
  or_reset_release_state();
  or_reset_staging_settings();
  or_reset_focus_record();
  or_reset_gap_stage_state();
  or_reset_weight_state();
  or_reset_teacher_side_run_state();
  or_reset_run_seed();
  or_reset_engine_random();
  or_reset_shake_turn();
}
