// Teacher release and the search weights: the teachers whose own
// constraints are held out of the evaluation and released one at a time,
// and the constraint weights that are reset, focused on one constraint or
// perturbed when the search stalls.
//
// Invariants: constraint weights are at least 1 and only grow by saturating
// additions; every divisor (the scale K, the age divisor) is at least 1.
// Workload: called a few times per search cycle; each call walks the 96
// constraint ids or the teachers once.
#pragma once

#include <cstdint>

struct SearchWeightState {
  std::uint32_t increment;  // P, 177 after every focus
  std::uint32_t scale;      // K, 27 at start, 17..37
  std::uint8_t mode;        // weight mode 0..3
  std::uint8_t weights_changed;
  int cursor;               // over the constraint ids
  std::uint8_t side[96];    // cleared with every weight reset
  std::uint8_t focus_class_returns;  // the focus flag of constraint 32 (never set)
  std::uint8_t stage_focus;
  std::uint32_t age_divisor;         // never 0
};
extern SearchWeightState g_weights;

inline constexpr std::uint32_t kPseudoTeacherWeight = 3717;
inline constexpr std::uint32_t kFocusWeight = 1997;

void or_reset_weights(int all);
void or_set_constraint_weights();
void or_set_gap_stage_weights();
void or_focus_stage_weights(int stage);
int or_focus_single_constraint(int id);
void or_next_weight_mode(int highest_mode);
void or_perturb_weights();
void or_apply_focus_flags();

int or_focus_common_room_minimum();
int or_focus_twin_distribution();
int or_focus_single_hour_lessons();
int or_focus_class_returns();

// Teacher release (teacher_release.cpp).
void or_setup_test_set(int teacher);
int or_setup_class_test(int class_index);
void or_clear_teacher_test(int teacher);
void or_hold_out_teacher(int teacher);
void or_hold_out_penalised_teachers();
// Holds out every teacher whose points are 0.
void or_hold_out_pointless_teachers();
int or_hold_out_failing_teachers();
int or_next_test_teacher(int mode, int partial);
int or_add_test_teacher(int force);
int or_partial_test(int teacher);
void or_sync_teacher_points();
void or_age_teacher_points();
void or_serve_penalty_flag();
std::int64_t or_focus_teacher_penalty();
void or_release_focus_teacher();
int or_count_held_out_teachers();
int or_merge_joint_points();
void or_trace_test_state();
void or_note_focus_record();

struct ReleaseState {
  std::int32_t teacher_under_test;  // -1 none
  std::int32_t class_under_test;    // -1 none
  std::int32_t partial_teacher;     // -1 none
  std::int32_t stage_teacher;       // -1 none
  std::int32_t last_released;
  std::int32_t release_credit;
  std::uint8_t focus_kind;
  std::uint8_t credit_counter;
  std::uint8_t no_credit;
  std::uint8_t restart_state;
  std::uint8_t search_state;
  std::uint8_t eligible[500];
  std::uint8_t tested[500];
  int cursor;
  int flag_cursor;
  std::uint32_t penalty_flag_count;
};
extern ReleaseState g_release;
