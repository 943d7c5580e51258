// Fills the evaluator parameter side tables from the loaded model, at the
// start of every search preparation, after the model's derived values (the
// working days of each teacher) are in place.
//
// Invariant: the tables are reset first, so nothing of an earlier load or
// run survives; a value whose source the model does not carry stays "not
// configured" and its evaluator counts nothing. Exemptions applied later may
// raise the filled values further.
//
// Workload: once per command, a pass over the teachers; off the move path.
#include "solver/constraint_parameter_fill.h"

#include "engine/model.h"
#include "solver/constraint_parameters.h"

namespace {

// The days a teacher is on duty: the most working days the teacher's hours
// and rules allow, as derived by the preparation (weekly transfers are only
// limited when the limit is below them).
void fill_teacher(int t) {
  const EngineTeacher& x = g_eng_teachers[t];
  TeacherRuleParams& p = g_teacher_rule_params[t];
  p.service_days = x.max_working_days;
}

}  // namespace

void or_fill_constraint_parameters() {
  int teachers = g_eng_school.teacher_count;
  if (teachers > kMaxTeachers) teachers = kMaxTeachers;
  for (int t = 0; t < teachers; ++t) fill_teacher(t);
  // Teachers whose second grading value is set stand for the class calendar
  // when any teacher of the school uses it.
  g_school_rule_params.tekgrado_switch = g_eng_school.uses_tekgrado != 0 ? 1 : 0;
}

void or_prepare_constraint_parameters() {
  or_reset_constraint_parameters();
  or_fill_constraint_parameters();
}
