// Going back to the placement kept at the start of a constraint stage (used
// when an exemption is applied): the placement, the released teachers, the
// evaluation, the kept score and the weights are set as at the stage start.
// The gap stage's own reset and the cycle budget belong to the search loop,
// which calls this and restarts its budget itself.
#include "engine/status_block.h"
#include "solver/cost_evaluation.h"
#include "solver/placement_state.h"
#include "solver/search_weights.h"

// Stage-start placement back into the live placement; answers the total of
// the evaluation that follows (saturated to 32 bits), or the current total
// when no stage-start placement is stored.
unsigned or_restore_stage_start() {
  if ((g_stage_placement[0] & 0x80) != 0) return g_total_score;  // a negative first byte: none
  or_apply_placement(g_stage_placement);
  if (g_status.stage_id.load() != 48)
    while (or_next_test_teacher(1, 0) != 0) {
    }
  unsigned total = or_rebuild_grids_and_evaluate();
  or_take_total_score(&g_kept_score);
  or_set_constraint_weights();
  return total;
}
