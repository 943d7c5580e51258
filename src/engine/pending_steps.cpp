// Engine steps that are not built yet: the save
// files, the timetable view, the stand-by and reception steps, the pre-solve
// preparation and the solver. Each one ends the command with a message that
// names the missing step (or_raise_not_built); the work that builds a step
// deletes its entry here. Nothing but these placeholders lives in this file.
#include <cstdio>

#include "engine/errors.h"
#include "engine/presolve.h"
#include "engine/save_files.h"
#include "engine/solver_entry.h"
#include "engine/standby_steps.h"
#include "engine/text_lines.h"
#include "engine/timetable_view.h"

void or_save_timetable(int kind) { or_raise_not_built("or_save_timetable (save files)"); }

int or_load_timetable(int kind) { or_raise_not_built("or_load_timetable (save files)"); }

int or_recover_previous_timetable() {
  or_raise_not_built("or_recover_previous_timetable (save files)");
}

void or_build_timetable_view() { or_raise_not_built("or_build_timetable_view (timetable view)"); }

void or_prepare_standby_run() { or_raise_not_built("or_prepare_standby_run (stand-by hours)"); }

int or_check_standby_hours(int ask) {
  or_raise_not_built("or_check_standby_hours (stand-by hours)");
}

void or_pack_standby_lessons(int mode) {
  or_raise_not_built("or_pack_standby_lessons (stand-by hours)");
}

void or_allocate_reception_hours() {
  or_raise_not_built("or_allocate_reception_hours (reception hours)");
}

void or_prepare_model_for_solving() {
  or_raise_not_built("or_prepare_model_for_solving (pre-solve preparation)");
}

void or_prepare_search_tables() { or_raise_not_built("or_prepare_search_tables (solver)"); }

void or_balance_phase(int cycle_limit) { or_raise_not_built("or_balance_phase (solver)"); }

void or_reduce_overlaps_phase(int cycle_limit) {
  or_raise_not_built("or_reduce_overlaps_phase (solver)");
}

int or_room_allocation_phase(int mode, int first_room) {
  or_raise_not_built("or_room_allocation_phase (room allocation)");
}

int or_assign_rooms_per_building(int batch, int report) {
  or_raise_not_built("or_assign_rooms_per_building (room allocation)");
}
