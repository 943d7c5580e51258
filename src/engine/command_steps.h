// The steps the command interpreter runs, as one table of function pointers
// that the program fills with the real functions at start-up. or_main calls every
// loader, solver, report and substitution step through it, so a test can put
// scripted steps in place (a load that fails, a timetable that is missing)
// and check each command's path, result code and message without a school.
#pragma once

struct CommandSteps {
  void (*reset_model)();
  void (*load_description)(const char* file_name, int mode);
  void (*reset_weights)(int mode);
  int (*build_initial_timetable)(int search);
  int (*load_timetable)(int kind);
  void (*save_timetable)(int kind);
  int (*recover_previous_timetable)();
  void (*prepare_model_for_solving)();
  void (*prepare_search_tables)();
  unsigned (*evaluate_all_constraints)(int report);
  int (*focus_common_room_minimum)();
  int (*focus_twin_distribution)();
  int (*focus_single_hour_lessons)();
  void (*prepare_standby_run)();
  int (*check_standby_hours)(int ask);
  void (*pack_standby_lessons)(int mode);
  void (*allocate_reception_hours)();
  void (*build_timetable_view)();
  void (*balance_phase)(int cycle_limit);
  void (*reduce_overlaps_phase)(int cycle_limit);
  int (*room_allocation_phase)(int mode, int first_room);
  int (*assign_rooms_per_building)(int batch, int report);
  void (*write_all_reports)(int kind, int publish);
  void (*write_absences_file)();
  void (*run_substitutions)(int mode);
  void (*write_substitution_reports)();
  void (*busy_popup)(const char* text, int mode);
};

// The real steps, defined by the command interpreter's library.
CommandSteps or_default_command_steps();
// The steps or_main runs: defined empty in the core (the model passes call
// the view step through it too), filled with the defaults by the program's
// start-up unit (src/command/startup); tests replace entries and restore
// the defaults.
extern CommandSteps g_command_steps;
