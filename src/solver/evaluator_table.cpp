// Which evaluator pair prices which constraint id.
//
// This table is the one place that says which evaluators price which ids.
// Ids 0, 7, 9, 10, 69-74 and 90-95 have no evaluator of their own by design
// (9 and 10 are counted by the pair of 8) and point at `no_evaluator`.
//
// A family of evaluators has its rows as {its_full_check, its_delta_check};
// a full check counts through
// or_count_teacher_violation / or_count_class_violation, a delta check
// prices with or_teacher_weighted / or_class_weighted and has no side effects.
#include "solver/building_companion_constraints.h"
#include "solver/class_calendar_constraints.h"
#include "solver/class_constraints.h"
#include "solver/common_room_constraints.h"
#include "solver/consecutive_hours_constraints.h"
#include "solver/constraint_catalogue.h"
#include "solver/day_constraints.h"
#include "solver/gap_constraints.h"
#include "solver/hour_of_day_constraints.h"
#include "solver/presence_constraints.h"
#include "solver/rest_special_hour_constraints.h"
#include "solver/room_lab_constraints.h"

namespace {

std::int64_t zero_full() { return 0; }
std::int64_t zero_delta(int) { return 0; }

constexpr EvaluatorPair no_evaluator = {zero_full, zero_delta, 0};

}  // namespace

EvaluatorPair g_evaluators[kConstraintCount] = {
    no_evaluator,  // 0
    {or_check_bua_diagonal, or_delta_bua_diagonal, 0},  // 1
    {or_full_many_gap_days, or_delta_many_gap_days, 0},  // 2
    {or_full_two_gap_days, or_delta_two_gap_days, 0},  // 3
    {or_check_standby_per_day, or_delta_standby_per_day, 0},  // 4
    {or_full_free_days, or_delta_free_days, 0},  // 5
    {or_full_unavailable_hours, or_delta_unavailable_hours, 0},  // 6
    no_evaluator,  // 7: named and staged, never evaluated
    {or_check_presence_teaching, or_delta_presence_teaching, 0},  // 8
    no_evaluator,  // 9: counted by the pair of 8
    no_evaluator,  // 10: counted by the pair of 8
    {or_check_working_days, or_delta_working_days, 0},  // 11
    {or_full_first_hours_min, or_delta_first_hours_min, 0},  // 12
    {or_full_first_hours_max, or_delta_first_hours_max, 0},  // 13
    {or_full_band2_min, or_delta_band2_min, 0},  // 14
    {or_full_band2_max, or_delta_band2_max, 0},  // 15
    {or_full_band1_min, or_delta_band1_min, 0},  // 16
    {or_full_band1_max, or_delta_band1_max, 0},  // 17
    {or_full_desired_hours, or_delta_desired_hours, 0},  // 18
    {or_full_maximum_hours, or_delta_maximum_hours, 0},  // 19
    {or_full_light_days, or_delta_light_days, 0},  // 20
    {or_full_first_hour_days, or_delta_first_hour_days, 0},  // 21
    {or_full_last_hour_days, or_delta_last_hour_days, 0},  // 22
    {or_check_class_daily_maximum, or_delta_class_daily_maximum, 0},  // 23
    {or_check_class_hour_distribution, or_delta_class_hour_distribution, 0},  // 24
    {or_check_late_lesson_share, or_delta_late_lesson_share, 0},  // 25
    {or_full_generic_break, or_delta_generic_break, 0},  // 26
    {or_full_special_break, or_delta_special_break, 0},  // 27
    {or_full_class_break, or_delta_class_break, 0},  // 28
    {or_check_no_overlap, or_delta_no_overlap, 0},  // 29
    {or_check_car_share, or_delta_car_share, 0},  // 30
    {or_check_incompatible_subjects, or_delta_incompatible_subjects, 0},  // 31
    {or_check_class_returns, or_delta_class_returns, 0},  // 32
    {or_check_test_hours, or_delta_test_hours, 0},  // 33
    {or_check_prolonged_hours, or_delta_prolonged_hours, 0},  // 34
    {or_check_class_forbidden_hours, or_delta_class_forbidden_hours, 0},  // 35
    {or_check_common_room_hours, or_delta_common_room_hours, 0},  // 36
    {or_check_building_transfers, or_delta_building_transfers, 0},  // 37
    {or_check_day_transfers, or_delta_day_transfers, 0},  // 38
    {or_check_week_transfers, or_delta_week_transfers, 0},  // 39
    {or_check_building_rotation, or_delta_building_rotation, 0},  // 40
    {or_check_nonstandard_hours, or_delta_nonstandard_hours, 0},  // 41
    {or_check_rest_after_run, or_delta_rest_after_run, 0},  // 42
    {or_check_edge_hour_position, or_delta_edge_hour_position, 0},  // 43
    {or_check_lab_group_presence, or_delta_lab_group_presence, 0},  // 44
    {or_check_mandatory_free_hours, or_delta_mandatory_free_hours, 0},  // 45
    {or_full_straddled_hour, or_delta_straddled_hour, 0},  // 46
    {or_full_adjacent_gaps, or_delta_adjacent_gaps, 0},  // 47
    {or_full_gaps, or_delta_gaps, 0},  // 48
    {or_full_band_days, or_delta_band_days, 0},  // 49
    {or_full_gaps_on_given_days, or_delta_gaps_on_given_days, 0},  // 50
    {or_check_edge_presence, or_delta_edge_presence, 0},  // 51
    {or_check_given_hour, or_delta_given_hour, 0},  // 52
    {or_check_lab_hours, or_delta_lab_hours, 0},  // 53
    {or_full_free_days_second, or_delta_free_days_second, 0},  // 54
    {or_check_lab_equipment, or_delta_lab_equipment, 0},  // 55
    {or_full_gaps_short_days, or_delta_gaps_short_days, 0},  // 56
    {or_full_last_hours_min, or_delta_last_hours_min, 0},  // 57
    {or_full_last_hours_max, or_delta_last_hours_max, 0},  // 58
    {or_check_single_hour_lessons, or_delta_single_hour_lessons, 0},  // 59
    {or_full_hours_after_return, or_delta_hours_after_return, 0},  // 60
    {or_check_test_hours_no_break, or_delta_test_hours_no_break, 0},  // 61
    {or_check_straddle_rest, or_delta_straddle_rest, 0},  // 62
    {or_check_unused_provisional_hours, or_delta_unused_provisional_hours, 0},  // 63
    {or_check_edge_doubles, or_delta_edge_doubles, 0},  // 64
    {or_check_gym_equipment, or_delta_gym_equipment, 0},  // 65
    {or_full_week_ends, or_delta_week_ends, 0},  // 66
    {or_check_class_real_hours, or_delta_class_real_hours, 0},  // 67
    {or_check_dynamic_buildings, or_delta_dynamic_buildings, 0},  // 68
    no_evaluator,  // 69
    no_evaluator,  // 70
    no_evaluator,  // 71
    no_evaluator,  // 72
    no_evaluator,  // 73
    no_evaluator,  // 74
    {or_full_subjects_per_day, or_delta_subjects_per_day, 0},  // 75
    {or_full_joint_lessons, or_delta_joint_lessons, 0},  // 76
    {or_full_common_rooms, or_delta_common_rooms, 0},  // 77
    {or_full_sharing_limits, or_delta_sharing_limits, 0},  // 78
    {or_full_common_room_minimum, or_delta_common_room_minimum, 0},  // 79
    {or_full_consecutive_hours, or_delta_consecutive_hours, 0},  // 80
    {or_full_consecutive_lab_hours, or_delta_consecutive_lab_hours, 0},  // 81
    {or_full_subject_day_break, or_delta_subject_day_break, 0},  // 82
    {or_full_educational_weight, or_delta_educational_weight, 0},  // 83
    {or_check_class_calendar, or_delta_class_calendar, 0},  // 84
    {or_check_second_hour_entry, or_delta_second_hour_entry, 0},  // 85
    {or_full_twin_distribution, or_delta_twin_distribution, 0},  // 86
    {or_full_unit_interruption, or_delta_unit_interruption, 0},  // 87
    {or_full_day_kinds, or_delta_day_kinds, 0},  // 88
    {or_full_room_class_hours, or_delta_room_class_hours, 0},  // 89
    no_evaluator,  // 90
    no_evaluator,  // 91
    no_evaluator,  // 92
    no_evaluator,  // 93
    no_evaluator,  // 94
    no_evaluator,  // 95
};

