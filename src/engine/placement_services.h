// The solver's placement state that the engine core shares: the two
// whole-timetable copies a loaded timetable is written into (defined in the
// core, placement_copies.cpp), the grid rebuild with its evaluation, and the
// random placement the recovery uses for lessons it could not match. The
// solver defines the functions; the core calls them only through
// g_engine_services (engine_services.h), since it sits below the solver.
//
// Invariant: a placement value is day | hour << 8, day 255 = not placed.
#pragma once

#include <cstdint>

#include "engine/model.h"

extern std::uint16_t g_current_placement[kMaxLessons];
extern std::uint16_t g_placement_copy[kMaxLessons];

// Rebuilds the slot index and the class and teacher grids, then evaluates.
std::uint32_t or_rebuild_grids_and_evaluate();
void or_rebuild_class_grids();
void or_rebuild_teacher_grids();
void or_rebuild_slot_index();
int or_place_remaining_randomly(int mode, int start);
// 1 when some class has a free hour before an occupied one on a day.
int or_any_class_has_gap();
// The teacher's weighted penalty of the current placement.
std::uint32_t or_teacher_penalty(int teacher);

// The score of the last full evaluation, the constraint weights and the
// timed class improvement the board's "try this hour mask" runs.
extern std::uint32_t g_total_score;
void or_set_constraint_weights();
int or_improve_class_timed(int kind, int teacher);

// The 16-bit placement value of a lesson: day in the low byte, hour high.
inline std::uint16_t or_lesson_place_value(int lesson) {
  return static_cast<std::uint16_t>(g_eng_lessons[lesson].day | (g_eng_lessons[lesson].hour << 8));
}
// Places a lesson (day 255 unplaces it) and writes both placement copies.
inline void or_place_lesson_everywhere(int lesson, int day, int hour) {
  g_eng_lessons[lesson].day = static_cast<std::uint8_t>(day < 0 ? kDayNotPlaced : day);
  g_eng_lessons[lesson].hour = static_cast<std::uint8_t>(day < 0 ? 0 : hour);
  g_current_placement[lesson] = or_lesson_place_value(lesson);
  g_placement_copy[lesson] = or_lesson_place_value(lesson);
}
