// Synthetic schools for the solver tests: a few classes, teachers and rooms
// built straight into the engine model tables, shaped like a real school
// (each class fills most of its week, each teacher teaches a few classes,
// some lessons carry a laboratory part with a second teacher).
#pragma once

#include <cstdint>

#include "engine/model.h"

struct SchoolSpec {
  int classes = 6;
  int days = 5;
  int hours = 6;
  int lessons_per_class = 30;  // at most days x hours
  int teachers = 12;
  int lab_lessons_per_class = 2;  // lessons with a laboratory part (second teacher)
};

// Resets the model and the solver tables and builds the school; every
// lesson unplaced. Deterministic for a given spec and seed.
void build_school(const SchoolSpec& spec, std::uint64_t seed);
// Places every lesson with the solver's passes (laboratory lessons first).
void place_all_lessons();
// Resets the status block and the run's bytes between tests.
void reset_run_state();
