// The search's own counters beside the engine's run state: what the local
// search loop, the driver, the result history and the exchange with parallel
// processes share during one "calc:" command.
//
// One instance, reset by the driver at the start of each run; the loop
// writes it every cycle. Only the engine thread (or a worker process's
// engine) touches it, so it needs no lock.
#pragma once

#include <cstdint>

inline constexpr std::int32_t kNoLowValue = 99888777;
inline constexpr std::uint8_t kNoPlacement = 255;  // first byte of a placement not stored

struct SearchRunState {
  std::int32_t cycles;          // "s.cicli"
  std::int32_t since_restart;
  std::int32_t exchanges;       // "scambi"
  std::int32_t cycle_limit;
  std::int32_t limit_increment;
  std::int32_t low_point;
  std::int32_t record;
  std::int32_t record_after;    // "dopo"
  std::int32_t error_adjustment;
  std::int32_t run_best;
  std::uint8_t search_state;    // 2 once a record is held
  std::uint8_t restart_state;   // 0, 1, 2
  std::int32_t even_counter;
  std::uint8_t restart_counter;
  std::int32_t kept_restarts;
  std::uint8_t new_stage;
  std::int32_t move_kind;       // -2 .. 7
  std::int32_t stage_low_value;
  std::uint8_t stage_quality_byte;   // of the stage-best placement; lower is better
  std::uint32_t stage_quality_value;
  std::int32_t focus_total;
  std::int32_t start_points[5];  // class, lesson, teacher, class, day
  std::int32_t history_skip;     // accountings left without a history store
  std::int32_t last_result;      // the move result noted before (streaks)
  std::int32_t streak;
  std::int32_t loss_interval;
  std::int32_t next_perturbation;
  std::int32_t sweep_counter;
  std::int32_t sweep_choice;     // every 8th many-error cycle sweeps the worst teacher
  std::int32_t level_noted;      // the level at the last exchange cycle
  std::uint8_t level_rising;
  std::uint8_t stage_hold;
  std::uint8_t applied_exemption;  // an exemption was just applied (kExemptionToRestart, kExemptionRestarted)
  std::int32_t edy_cycle;          // cycle of the last "EDY " pass
  std::uint8_t edy_request;
  std::uint8_t stage_counter;      // grows at every end of a stage
  std::uint8_t first_loss_done;    // a loss was filed since the last gain
  std::int32_t last_loss_errors;   // error count of the last loss
  std::int32_t perturbations;      // perturbations of loss cycles (every 17th rotates the mode)
  // The focus passes of the class-side constraints (common rooms' minimum
  // classes, twin distribution) move class pairs instead of the worst
  // teacher's classes: those constraints are about pairs of classes.
  std::uint8_t class_pairs;
  // The school's credit option: the streak rule shrinks the release credit
  // with the cycle limit. No description keyword sets it yet.
  std::uint8_t credit_option;
  // Accounted cycles since the stage last made progress, and the stall
  // steps taken (stage_stall.h).
  std::int32_t stall_cycles;
  std::int32_t stall_steps;
  // The open search's stall kicks since its last new record, and the
  // record at the last kick.
  std::int32_t kicks_in_row;
  std::int32_t kick_record;
};


extern SearchRunState g_search;

inline bool or_class_pairs_focus() { return g_search.class_pairs != 0; }

// Clears the counters (the driver's start of a run).
void or_reset_search_state();

// Helpers shared by the loop's parts.
// Full evaluation; the run best follows a lower error count. A reporting
// one records the violations with the report limit of 200.
void or_search_evaluate(int report);
// The same with the given report limit (0: the violation list is emptied and
// nothing is recorded).
void or_search_evaluate_limited(int report, std::int32_t limit);
// The report limit of the evaluation after a kept move: 200 while the error
// count is at most 200, else 0 (so many violations are not worth recording).
std::int32_t or_kept_move_report_limit(int errors);
// The live placement becomes the kept one (g_placement_copy and
// g_current_placement) with its score.
void or_keep_search_placement();
// A stored placement becomes the live one, rebuilt, evaluated and kept.
void or_restore_search_placement(const std::uint16_t* placement);
// Test runs ("TPRO", "TCLA") save to their own file.
bool or_search_test_mode();
int or_search_save_kind();
// The even counter's reset value: (-8 - worker index) x factor.
std::int32_t or_even_reset(int factor);
