// Pre-solve preparation: the per-lesson, per-class and per-teacher values the
// solver derives from a loaded model; runs once per load.
#pragma once

#include <cstdint>

#include "engine/model.h"

void or_prepare_model_for_solving();

void or_assign_class_buildings(int from_real_count);
int or_assert_all_lessons_placed();
void or_count_teacher_class_lessons(int teacher, int* counts);
void or_flag_grade_lessons();
void or_file_teacher_lesson_values();
void or_apply_forbidden_hours();
void or_limit_lesson_days_and_slots();
void or_derive_working_days();
void or_fit_teacher_class_bands();
void or_flag_task_breaks();
void or_derive_class_bands(int teacher);
void or_derive_daily_limits();
// The most hours a day the teacher may be at school and may teach, as
// or_derive_daily_limits derives them (99: no limit); they need only the
// loaded model, so the cover of an absent colleague asks them too.
int or_teacher_daily_presence_limit(int teacher);
int or_teacher_daily_teaching_limit(int teacher);
// Whether the school's least minutes for a move between buildings do not
// fit between the end of `early_class`'s hour before `hour` and the start
// of `late_class`'s `hour` on the day (always so when the school sets
// none): the move counts against the teacher. The search and the cover of
// an absent colleague ask it alike.
bool or_move_too_short(int early_class, int late_class, int day, int hour);

// A teacher's rule band that the teacher's line left empty (count not
// positive) takes the school's band, at most kRuleBandPairs pairs of it.
void fill_rule_band_from_school(const BandTable& school, std::int8_t (*pairs)[2], std::int8_t& count);
