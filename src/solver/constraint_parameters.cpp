// Storage and reset of the evaluator parameters that live beside the model
// (see constraint_parameters.h). The reset is the one place that says what
// "not configured" means for each value; the static initial values say the
// same, so a first load in a fresh process needs no reset call.
//
// Workload: the reset runs once per load; nothing here is on the move path.
#include "solver/constraint_parameters.h"

#include <cstring>

#include "solver/building_companion_constraints.h"
#include "solver/class_constraints.h"
#include "solver/consecutive_hours_constraints.h"
#include "solver/room_lab_constraints.h"

TeacherRuleParams g_teacher_rule_params[kMaxTeachers];
LessonRuleParams g_lesson_rule_params[kMaxLessons];
ClassRuleParams g_class_rule_params[kMaxClasses];
BuildingRuleParams g_building_rule_params[kMaxBuildings];
SchoolRuleParams g_school_rule_params;

void or_reset_constraint_parameters() {
  for (TeacherRuleParams& t : g_teacher_rule_params) t = TeacherRuleParams{};
  std::memset(g_lesson_rule_params, 0, sizeof g_lesson_rule_params);
  for (ClassRuleParams& c : g_class_rule_params) c = ClassRuleParams{};
  std::memset(g_building_rule_params, 0, sizeof g_building_rule_params);
  std::memset(&g_school_rule_params, 0, sizeof g_school_rule_params);
  or_open_room_rule_gates();
  or_open_building_rule_gates();
  or_open_joint_class_gate();
  or_forget_consecutive_lines();
}
