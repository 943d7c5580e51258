// The default step table of the command interpreter and the default services
// of the engine core: every entry is the real function of the engine, the
// solver or the report writers (see command_steps.h and engine_services.h for
// why the tables exist). The program's start-up unit installs both.
#include "engine/command_steps.h"

#include "engine/engine_services.h"
#include "engine/loader.h"
#include "engine/model.h"
#include "engine/placement_services.h"
#include "engine/presolve.h"
#include "engine/report_services.h"
#include "engine/save_files.h"
#include "engine/shell_services.h"
#include "engine/solver_entry.h"
#include "engine/standby_steps.h"
#include "engine/substitution_services.h"
#include "engine/timetable_view.h"

CommandSteps or_default_command_steps() {
  CommandSteps s{};
  s.reset_model = or_reset_model;
  s.load_description = or_load_description;
  s.reset_weights = or_reset_weights;
  s.build_initial_timetable = or_build_initial_timetable;
  s.load_timetable = or_load_timetable;
  s.save_timetable = or_save_timetable;
  s.recover_previous_timetable = or_recover_previous_timetable;
  s.prepare_model_for_solving = or_prepare_model_for_solving;
  s.prepare_search_tables = or_prepare_search_tables;
  s.evaluate_all_constraints = or_evaluate_all_constraints;
  s.focus_common_room_minimum = or_focus_common_room_minimum;
  s.focus_twin_distribution = or_focus_twin_distribution;
  s.focus_single_hour_lessons = or_focus_single_hour_lessons;
  s.prepare_standby_run = or_prepare_standby_run;
  s.check_standby_hours = or_check_standby_hours;
  s.pack_standby_lessons = or_pack_standby_lessons;
  s.allocate_reception_hours = or_allocate_reception_hours;
  s.build_timetable_view = or_build_timetable_view;
  s.balance_phase = or_balance_phase;
  s.reduce_overlaps_phase = or_reduce_overlaps_phase;
  s.room_allocation_phase = or_room_allocation_phase;
  s.assign_rooms_per_building = or_assign_rooms_per_building;
  s.write_all_reports = or_write_all_reports;
  s.write_absences_file = or_write_absences_file;
  s.run_substitutions = or_run_substitutions;
  s.write_substitution_reports = or_write_substitution_reports;
  s.busy_popup = ui_busy_popup;
  return s;
}

EngineServices or_default_engine_services() {
  EngineServices s{};
  s.rebuild_grids_and_evaluate = or_rebuild_grids_and_evaluate;
  s.rebuild_class_grids = or_rebuild_class_grids;
  s.rebuild_teacher_grids = or_rebuild_teacher_grids;
  s.rebuild_slot_index = or_rebuild_slot_index;
  s.any_class_has_gap = or_any_class_has_gap;
  s.place_remaining_randomly = or_place_remaining_randomly;
  s.teacher_penalty = or_teacher_penalty;
  s.set_constraint_weights = or_set_constraint_weights;
  s.improve_class_timed = or_improve_class_timed;
  s.alloc_colleague_table = or_alloc_colleague_table;
  s.prepare_constraint_parameters = or_prepare_constraint_parameters;
  s.evaluate_all_constraints = or_evaluate_all_constraints;
  s.set_class_main_building = or_set_class_main_building;
  s.convert_report_to_rtf = or_convert_report_to_rtf;
  s.convert_report_to_html = or_convert_report_to_html;
  return s;
}
