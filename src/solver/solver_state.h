// The solver's own tables beside the engine model: the per-slot lesson lists,
// the whole-timetable placement copies, the constraint switch and statistics
// tables, the penalty caches and the totals of the last full evaluation.
//
// Invariants: all storage is static and fixed-size (the search never
// allocates); a placement is one 16-bit value per lesson, day in the low byte
// (255 = not placed) and hour in the high byte; a penalty cache entry is
// either a computed penalty (>= 0) or kPenaltyNotComputed. Penalties and
// totals are 64-bit: teacher weight x constraint weight reaches 3717 x 1997
// and grows with the weight perturbation, so 32-bit products would wrap.
//
// Workload: the slot lists and caches are read and written on every move of
// the search (millions per run); the copies are taken a few times per cycle.
#pragma once

#include <cstdint>

#include "engine/errors.h"
#include "engine/model.h"
#include "solver/constraint_names.h"

inline constexpr int kSlotListCapacity = kMaxLessons;  // every lesson could share one slot
inline constexpr std::uint16_t kGridFree = 0xFFFF;
inline constexpr std::uint16_t kUnplaced = 0x00FF;  // day 255, hour 0
inline constexpr std::int64_t kPenaltyNotComputed = -1;
inline constexpr int kHoleEntry = -1;

// One week slot's lessons; entry -1 is a hole left by a removal and is reused
// before the list grows.
struct SlotLessonList {
  std::uint32_t count;
  std::int32_t lesson[kSlotListCapacity];
};

extern SlotLessonList g_slot_lessons[kWeekSlots];
extern SlotLessonList g_slot_lessons2[kWeekSlots];  // the swaps' backup of the two lists
// Per slot, the number of list writes of the whole run at the last write of
// its list: while a slot's stamp stands, its list is as it was (what is
// worked out from a list can be kept against it).
extern std::uint64_t g_slot_list_stamp[kWeekSlots];

extern std::uint16_t g_current_placement[kMaxLessons];
extern std::uint16_t g_placement_copy[kMaxLessons];
extern std::uint16_t g_best_placement[kMaxLessons];  // first byte 255: none stored
extern std::uint16_t g_stage_placement[kMaxLessons];
extern std::uint16_t g_stage_best_placement[kMaxLessons];
// The total score of the last full evaluation as a (high, low) pair, and
// the best score, which goes with g_best_placement (0 when none).
extern EngineCounter g_total_score_pair;
extern EngineCounter g_best_score;
// The kept or the best score becomes the current total score.
void or_take_total_score(EngineCounter* score);
// The current total score is below the given one.
bool or_total_score_below(const EngineCounter* score);

// Lesson that refused the last swap, for the caller's trace.
extern std::int32_t g_last_conflict_lesson;

// Per constraint id: the staging's switch-off byte (0 evaluated, 1 off).
struct ConstraintSwitch {
  std::uint8_t off;
};
// Per constraint id: violations of the last full evaluation and the weight.
struct ConstraintStat {
  std::uint32_t count;
  std::uint32_t weight;
};
extern ConstraintSwitch ConstraintSwitchTable[kConstraintCount];
extern ConstraintStat ConstraintStats[kConstraintCount];

// Penalty caches of the moves (see cost_evaluation.cpp for the protocol).
extern std::int64_t g_teacher_penalty[kMaxTeachers];
extern std::int64_t g_teacher_penalty_saved[kMaxTeachers];
extern std::int64_t g_teacher_penalty_new[kMaxTeachers];
extern std::int64_t g_class_penalty[kMaxClasses];
extern std::int64_t g_class_penalty_saved[kMaxClasses];
extern std::int64_t g_class_penalty_new[kMaxClasses];
extern std::uint32_t g_teacher_violations[kMaxTeachers];
extern std::int64_t g_class_accumulated_penalty[kMaxClasses];

// Per-lesson state of the class-day building alignment.
struct LessonBuildingState {
  std::int32_t own_building;
  std::int32_t own_common_room;
  std::uint8_t anchor;  // 1: the lesson fixes its class's building for its day
  std::uint8_t moved;
};
extern LessonBuildingState g_lesson_buildings[kMaxLessons];
extern std::uint8_t g_building_mode_flags;  // bits 0 and 1 switch the alignment on

// Totals of the last full evaluation and the search values read by the
// evaluation (written by the search driver and loop).
struct SolverTotals {
  std::int64_t total_score;  // 64-bit total of the last full evaluation
  std::int64_t peak_total_score;
  std::int64_t class_subtotal;
  std::int64_t subtotal_76;
  std::int64_t consecutive_subtotal;  // constraints 80 and 81
  std::uint32_t flagged_teacher_violations;
  std::uint8_t search_phase;  // 1: first phase of a search
  std::int32_t focus_teacher;  // -1 none
  std::int32_t worker_index;   // 0 main process, 1..7 workers
  std::uint8_t sampling_divisor;  // the moves' sampling divisor D; read through or_sampling_divisor
};
extern SolverTotals g_solver;

// The total of the last full evaluation as the Parts keep it (u32; a larger
// total saturates here, g_solver.total_score holds the exact value).
extern std::uint32_t g_total_score;
// Points counter of the evaluators (teacher points x violations).
extern EngineCounter g_secondary_score;

// Placement helpers: the 16-bit value of a lesson, day in the low byte.
inline std::uint16_t lesson_place(int l) {
  const EngineLesson& x = g_eng_lessons[l];
  return static_cast<std::uint16_t>(x.day | (x.hour << 8));
}
inline void set_lesson_place(int l, std::uint16_t place) {
  g_eng_lessons[l].day = static_cast<std::uint8_t>(place & 0xFF);
  g_eng_lessons[l].hour = static_cast<std::uint8_t>(place >> 8);
}
inline bool lesson_placed(int l) { return g_eng_lessons[l].day != kDayNotPlaced; }
inline int lesson_slot(int l) { return g_eng_lessons[l].day * kHoursPerDay + g_eng_lessons[l].hour; }
inline bool lesson_has_second_teacher(int l) {
  return (g_eng_lessons[l].piece_kind & (kHasLaboratoryPart | kHasConversationPart)) != 0;
}
inline int days_per_week() {
  int d = g_eng_run.days_per_week;
  return d > kDays ? kDays : d;
}
inline int hours_of_day(int d) {
  int h = g_eng_school.hours_per_day[d];
  return h > kHoursPerDay ? kHoursPerDay : h;
}
// A class whose gaps do not count: the stand-by and support pseudo-classes.
inline bool class_skips_gap_test(int c) { return c >= g_eng_school.real_class_count; }

// Source name the solver's consistency checks print.
inline constexpr const char* kSourceSybil = "..\\Orario\\OR_SYBIL";

// The moves' sampling divisor, never 0 whatever a phase left in the byte.
inline int or_sampling_divisor() { return g_solver.sampling_divisor == 0 ? 1 : g_solver.sampling_divisor; }

// Clears the switch table and the statistics (every weight 1).
void or_reset_constraint_tables();

