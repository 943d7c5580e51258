// The switch and statistics tables, the gates and the bookkeeping helpers
// that every evaluator uses (see constraint_catalogue.h).
//
// Weighted products are taken in 64 bits: the teacher weight of a pseudo
// teacher is 3717, focused constraint weights are 1997, and the weight
// perturbation keeps adding to them, so a 32-bit product would wrap.
#include "solver/constraint_catalogue.h"

#include "engine/status_block.h"
#include "solver/violation_reporter.h"

ConstraintSwitch ConstraintSwitchTable[kConstraintCount];
ConstraintStat ConstraintStats[kConstraintCount] = {
#define KT_ONE {0, 1}
    KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE,
    KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE,
    KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE,
    KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE,
    KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE,
    KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE,
    KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE,
    KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE, KT_ONE,
#undef KT_ONE
};
std::int64_t g_teacher_full_penalty[kMaxTeachers];
std::uint32_t g_teacher_violations[kMaxTeachers];
std::int64_t g_class_accumulated_penalty[kMaxClasses];
LessonBuildingState g_lesson_buildings[kMaxLessons];
std::uint8_t g_building_mode_flags;

void or_reset_constraint_tables() {
  for (int id = 0; id < kConstraintCount; ++id) {
    ConstraintSwitchTable[id].off = 0;
    ConstraintStats[id] = {0, 1};
  }
}

std::int64_t or_run_full_check(int id) {
  if (!or_constraint_active(id)) return 0;
  return g_evaluators[id].full();
}

std::int64_t or_teacher_weighted(int id, int teacher, std::uint32_t n) {
  return static_cast<std::int64_t>(n) * g_eng_teachers[teacher].weight * ConstraintStats[id].weight;
}

std::int64_t or_class_weighted(int id, int class_index, std::uint32_t n) {
  return static_cast<std::int64_t>(n) * g_eng_classes[class_index].weight * ConstraintStats[id].weight;
}

namespace {
bool reports_asked() { return g_eng_run.report_flag != 0 || g_eng_run.report_mode != 0; }
}  // namespace

std::int64_t or_count_teacher_violation(int id, int teacher, std::uint32_t n, std::uint32_t class_index,
                                        std::uint32_t detail, const char* text) {
  if (n == 0 || teacher < 0 || teacher >= kMaxTeachers) return 0;
  std::int64_t penalty = or_teacher_weighted(id, teacher, n);
  ConstraintStats[id].count += n;
  g_teacher_violations[teacher] += n;
  g_teacher_full_penalty[teacher] += penalty;
  std::uint64_t points = static_cast<std::uint64_t>(g_eng_teachers[teacher].points) * n;
  while (points > 0xFFFFFFFFull) {
    or_counter_add(&g_secondary_score, 0xFFFFFFFFu);
    points -= 0xFFFFFFFFull;
  }
  or_counter_add(&g_secondary_score, static_cast<std::uint32_t>(points));
  if (reports_asked()) or_report_violation(teacher, class_index, detail, text, n, id);
  return penalty;
}

std::int64_t or_count_class_violation(int id, int class_index, std::uint32_t n, std::uint32_t teacher,
                                      std::uint32_t detail, const char* text) {
  if (n == 0 || class_index < 0 || class_index >= kMaxClasses) return 0;
  std::int64_t penalty = or_class_weighted(id, class_index, n);
  ConstraintStats[id].count += n;
  g_class_accumulated_penalty[class_index] += penalty;
  if (reports_asked()) or_report_violation(teacher, class_index, detail, text, n, id);
  return penalty;
}
