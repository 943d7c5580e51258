// Link stand-ins for the solver's placement state that the engine core uses
// (see placement_services.h), so the engine library links alone for its own
// tests. The solver's definitions take their place in both programs; a
// stand-in that is ever reached ends the command naming the step, and tests
// supply their own.
#include "engine/errors.h"
#include "engine/placement_services.h"

__attribute__((weak)) std::uint16_t g_current_placement[kMaxLessons];
__attribute__((weak)) std::uint16_t g_placement_copy[kMaxLessons];

__attribute__((weak)) std::uint32_t or_rebuild_grids_and_evaluate() {
  or_raise_not_built("or_rebuild_grids_and_evaluate (solver)");
}
__attribute__((weak)) void or_rebuild_class_grids() { or_raise_not_built("or_rebuild_class_grids (solver)"); }
__attribute__((weak)) void or_rebuild_teacher_grids() { or_raise_not_built("or_rebuild_teacher_grids (solver)"); }
__attribute__((weak)) void or_rebuild_slot_index() { or_raise_not_built("or_rebuild_slot_index (solver)"); }
__attribute__((weak)) int or_place_remaining_randomly(int mode, int start) {
  or_raise_not_built("or_place_remaining_randomly (solver)");
}
__attribute__((weak)) int or_any_class_has_gap() { or_raise_not_built("or_any_class_has_gap (solver)"); }
__attribute__((weak)) std::uint32_t or_teacher_penalty(int teacher) {
  or_raise_not_built("or_teacher_penalty (solver)");
}
__attribute__((weak)) std::uint32_t g_total_score;
__attribute__((weak)) void or_set_constraint_weights() { or_raise_not_built("or_set_constraint_weights (solver)"); }
__attribute__((weak)) int or_improve_class_timed(int kind, int teacher) {
  or_raise_not_built("or_improve_class_timed (solver)");
}
