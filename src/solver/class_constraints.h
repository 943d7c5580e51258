// Class constraints: hours of a subject per day (75), joint lessons held
// together (76), a pause subject on two following days (82), the daily
// educational weight (83), a change of teacher inside an hourly unit (87)
// and days mixing the two teacher kinds (88). Each id has a full check over
// the classes and a class delta check, listed in the catalogue's evaluator
// table; the joint bonus lets the moves keep joint lessons together.
#pragma once

#include <cstdint>

#include "engine/model.h"

std::int64_t or_full_subjects_per_day();
std::int64_t or_delta_subjects_per_day(int class_index);
// After a load: every class may count under 76 until a full check.
void or_open_joint_class_gate();
std::int64_t or_full_joint_lessons();
std::int64_t or_delta_joint_lessons(int class_index);
std::int64_t or_full_subject_day_break();
std::int64_t or_delta_subject_day_break(int class_index);
std::int64_t or_full_educational_weight();
std::int64_t or_delta_educational_weight(int class_index);
std::int64_t or_full_unit_interruption();
std::int64_t or_delta_unit_interruption(int class_index);
std::int64_t or_full_day_kinds();
std::int64_t or_delta_day_kinds(int class_index);

// 0, or minus the number of the lesson's joint lessons when every one of
// them stands in the lesson's slot (by class and subject in the by-class
// joint mode). 0 while constraint 76 is switched off.
int or_joint_bonus(int lesson);

// The run's hourly-unit flags: byte h set when hour h continues the unit of
// hour h - 1; the first byte switches constraint 87 on. Filled by the loader.
extern std::uint8_t g_hourly_unit_flags[kHoursPerDay];
