// Parameters of the later teacher and class evaluators kept beside the
// model: per-teacher allowances raised by exemptions, prolonged-hour records,
// teaching posts with test blocks and the forbidden hours of a class; per-
// lesson position wishes and equipment; per-class return rules; per-building
// transfer rows; and a few school-wide switches. (The car-share partner and
// the non-standard hours come with the model.)
//
// Invariant: the reset (or_reset_constraint_parameters) leaves every value in
// its "not configured" state, under which the evaluators that read it count
// nothing. The fill (constraint_parameter_fill.h) copies what the loaded
// model carries, once per load; exemptions then raise values; the evaluators
// only read them, except where an evaluator's own rule raises a value (named
// there).
//
// Workload: read on every delta check of the evaluators; plain static arrays.
#pragma once

#include <cstdint>

#include "engine/model.h"

inline constexpr int kMaxProlongedRecords = 20;
inline constexpr int kMaxTeachingPosts = 20;
inline constexpr int kMaxForbiddenClassHours = 40;  // one per teaching line with "KOP:"
inline constexpr int kMaxTransferRows = 10;

struct ProlongedRecord {
  std::uint8_t required;
  std::int32_t line;
  std::int32_t class_index;
};

// A teaching post with a class test block ("ORE COMPITO").
struct TeachingPost {
  std::int32_t class_index;  // -1 none
  std::int32_t line;
  std::int8_t block_length;
  std::int8_t first_hour;  // allowed hours, counted from 0
  std::int8_t last_hour;
  std::uint8_t no_break_wish;
  std::uint8_t break_after[kWeekSlots];  // 1: a break follows this slot
  std::uint8_t deficient;
};

// The week of one class and teaching line in which the teacher must not
// teach that line ("KOP:" items of the line).
struct ForbiddenClassHours {
  std::int32_t class_index;
  std::int32_t line;
  std::uint8_t allowed[kWeekSlots];  // 0: not allowed
};

struct TeacherRuleParams {
  std::int8_t allowance_37, allowance_38, allowance_51, allowance_59;
  std::int8_t allowance_62, allowance_63, allowance_64;
  std::int8_t service_days;
  std::int8_t allowed_returns[kWeekSlots];  // per position of the class list
  ProlongedRecord prolonged[kMaxProlongedRecords];
  std::int32_t prolonged_count;
  std::uint8_t prolonged_first_only;
  TeachingPost posts[kMaxTeachingPosts];
  std::int32_t post_count;
  ForbiddenClassHours forbidden[kMaxForbiddenClassHours];
  std::int32_t forbidden_count;
  std::uint8_t lab_equipment_flag;
  std::uint8_t gym_equipment_flag;
  std::uint8_t calendar_check;     // constraint 84 checks pseudo-hours on calendar slots
};

struct LessonRuleParams {
  std::int8_t position_wish;  // 0 none, 1 wants first/last hours, 2 refuses them
  std::uint32_t lab_equipment;  // 0 none
  std::uint8_t lab_equipment_skip;
  std::int32_t gym_equipment;  // 0 none
  std::uint8_t gym_equipment_skip;
  std::uint8_t lab_group_skip;
  std::uint8_t selection;  // constraint 68
};

struct ClassRuleParams {
  std::uint8_t return_byte;  // 0: the return-day rule of constraint 84 applies
  std::uint8_t provisional_available[kWeekSlots] = {kNotConfigured};  // first byte 255: not configured
};

struct TransferRow {
  std::int32_t target;
  std::uint8_t hour;  // above 12: any hour
};

struct BuildingRuleParams {
  TransferRow rows[kMaxTransferRows];
  std::int32_t row_count;
  std::uint8_t counts_transfers;
};

struct SchoolRuleParams {
  std::int32_t lab_equipment_items;
  std::int32_t gym_equipment_items;
  std::uint8_t per_class_transfers;  // constraint 38 counts class rotation values
  std::uint8_t class_max_enabled[2];  // constraint 23 runs when either is set
  std::int8_t single_hour_value;      // constraint 59
  std::int32_t heavy_day_count;       // constraint 84
  std::uint8_t return_days;           // constraint 84, bit d marks a return day
  std::uint8_t return_teacher_flags;  // constraint 84: type flags that extend a return
  std::uint8_t tekgrado_switch;       // constraint 84: TEKGRADO teachers stand for the calendar
};

extern TeacherRuleParams g_teacher_rule_params[kMaxTeachers];
extern LessonRuleParams g_lesson_rule_params[kMaxLessons];
extern ClassRuleParams g_class_rule_params[kMaxClasses];
extern BuildingRuleParams g_building_rule_params[kMaxBuildings];
extern SchoolRuleParams g_school_rule_params;

// Everything back to "not configured".
void or_reset_constraint_parameters();
