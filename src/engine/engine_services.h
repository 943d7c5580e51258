// What the engine core calls of the layers above it: the solver's grid
// rebuilds, evaluation and placement, and the report writers' building
// choice and text-report conversions. The core sits below the solver and the
// reports, so it reaches them only through this table, which starts empty
// and which the program's start-up fills with the real functions
// (or_default_engine_services, next to the command interpreter's step
// table); a program that leaves out a definition does not link.
//
// Invariant: filled before the first command runs; tests may replace an
// entry and restore the defaults afterwards, as with g_command_steps.
#pragma once

#include <cstdint>

struct EngineServices {
  // Solver: slot index, class and teacher grids, then the full evaluation.
  std::uint32_t (*rebuild_grids_and_evaluate)();
  void (*rebuild_class_grids)();
  void (*rebuild_teacher_grids)();
  void (*rebuild_slot_index)();
  int (*any_class_has_gap)();
  int (*place_remaining_randomly)(int mode, int start);
  std::uint32_t (*teacher_penalty)(int teacher);
  void (*set_constraint_weights)();
  int (*improve_class_timed)(int kind, int teacher);
  void (*alloc_colleague_table)();
  void (*prepare_constraint_parameters)();
  unsigned (*evaluate_all_constraints)(int report);
  // Report writers and conversions.
  void (*set_class_main_building)(int class_index, int teacher);
  void (*convert_report_to_rtf)(const char* path, int a, int b, int c);
  void (*convert_report_to_html)(const char* path, int a, int b);
};

// The real services, defined by the command interpreter's library.
EngineServices or_default_engine_services();
// The services in use; empty until the program's start-up fills it.
extern EngineServices g_engine_services;
