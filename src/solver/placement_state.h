// Placement state of the solver: the conflict tests that decide whether two
// lessons may share a week slot, the swaps that exchange the slots of lessons
// and take themselves back on a conflict, the rebuilds of the slot index and
// of the class and teacher grids, and the whole-timetable copies.
//
// Invariant kept by every operation here: each placed lesson appears exactly
// once in the list of its slot (holes aside); an unplaced lesson (day 255)
// appears in none. The swaps keep the slot index; the class and teacher grids
// are rebuilt by the caller once a move is kept.
//
// Workload: the swaps and the pair test run millions of times per search; a
// refused swap costs two short list copies and a few pair tests.
#pragma once

#include <cstdint>

#include "engine/placement_services.h"
#include "solver/solver_state.h"

// Conflict codes of the pair test.
enum ConflictCode : int {
  kNoConflict = 0,
  kConflictClass = 1,
  kConflictRoom = 2,
  kConflictTeacher = 3,
  kConflictSecondIsTeacherB = 4,
  kConflictTeacherIsSecondB = 5,
  kConflictSameSecond = 6,
  kConflictSecondOfBIsTeacher = 7,
};

// Code of lesson a against lesson b; 0 when they are in different slots.
int or_lesson_pair_conflict(int a, int b);
// First non-zero code of the lesson against the other lessons listed in its
// slot (the lowest conflicting index); the caller keeps the slot index in
// step with the placement.
// First non-zero code of the lesson against every other placed lesson, in
// index order, on the raw placement (no index). The moves ask the slot-list
// form below, which keeps to the lessons the index holds; the tests check
// both agree.
int or_find_lesson_conflict(int lesson);
int or_find_slot_conflict(int lesson);

// Adds a placed lesson to its slot's list / takes it out (entry becomes a hole).
void or_slot_list_add(int lesson);
void or_slot_list_remove(int lesson);

int or_swap_lessons(int a, int b);
// Whether or_swap_lessons(a, b) would refuse the swap, with nothing moved:
// a move tests before it prices, since most candidate swaps are refused.
// The lesson named as refusing may differ from the one the swap names. The
// teacher and class grids answer where they show a clash, else the walk.
bool or_swap_clashes(int a, int b);
// or_swap_lessons(a, b) right after or_swap_clashes(a, b) found no clash,
// with nothing changed in between: the same swap without testing again.
void or_swap_tested_lessons(int a, int b);
int or_swap_lesson_pairs(int a, int b, int a2, int b2);
// Every listed lesson at slot_a takes slot_b and every one at slot_b takes
// slot_a, all at once (a chain of lessons bound to each other across the two
// slots); refused and taken back on a clash, as the pair swaps are. The undo
// is for a chain the swap made, with nothing changed in between.
int or_swap_lesson_chain(const int* lessons, int n, int slot_a, int slot_b);
void or_undo_swap_lesson_chain(const int* lessons, int n, int slot_a, int slot_b);
void or_undo_swap_lessons(int a, int b);
void or_undo_swap_lesson_pairs(int a, int b, int a2, int b2);

void or_rebuild_slot_index();
void or_rebuild_class_grid(int class_index);
// The same with the lessons of ordinary teachers only (no calendar
// pseudo-teacher): the class's own hours under a special calendar.
void or_rebuild_class_grid_real_teachers(int class_index);
// The cells of the class's grid at the given slots only, as the whole
// rebuild makes them: for a grid in step with the placement but there.
void or_rebuild_class_grid_cells(int class_index, const int* slots, int slot_count);
void or_rebuild_class_grids();
void or_rebuild_teacher_grid_pair(int teacher, int second_teacher);
void or_rebuild_teacher_grids();
int or_any_class_has_gap();

void or_snapshot_current_placement();
void or_restore_current_placement();
int or_restore_best_placement();
unsigned or_restore_stage_start();
void or_clear_best_placement();
void or_copy_placement(std::uint16_t* to);
void or_apply_placement(const std::uint16_t* from);

// Score kept with g_current_placement by the search.
// The kept score: the total score of the kept placement, a (high, low) pair.
extern EngineCounter g_kept_score;

// Sleep used by the pause request of the swaps; tests replace it.
using SolverSleep = void (*)(int milliseconds);
void or_set_solver_sleep(SolverSleep sleep);

// The slot-list walk reads a compact copy of the lessons' classes, rooms and
// teachers. With the cross-check on (tests), every walk also runs over the
// records themselves and counts the walks whose answer differs.
struct ClashCrossCheck {
  std::uint64_t walks;
  std::uint64_t mismatches;
};
void or_set_clash_cross_check(bool on);
ClashCrossCheck or_clash_cross_check();
// For the other shortcuts over the slot lists: whether the cross-check is on,
// and one comparison of a shortcut with its plain walk.
bool or_clash_cross_check_on();
void or_count_clash_cross_check(bool agreed);

// Whether the slot's list names the lesson (within its count): the entry the
// lesson was last written to answers at once where it still holds, else the
// list's lesson numbers are scanned (no record is read).
bool or_slot_lists(int slot, int lesson);
