// The local search loop: cycles of one move and one full evaluation on the
// live placement, each filed as a gain, an even cycle or a loss against the
// low point since the last restart and the record of the stage. It keeps
// the record placement in g_current_placement (the stop path and every end
// restore it, so the loop never hands back a worse timetable than the one
// it holds), restarts from it when the cycle budget runs out, switches the
// staged constraints on one by one as each stage reaches zero errors,
// serves the stop request and the CPU pacing, and trades results with the
// parallel processes.
//
// The move of a cycle follows the move-kind schedule over the neighbourhood
// sweeps, the colleague rotations and, in workers, the teacher-side move.
//
// Workload: a cycle is one move call (a few hundred candidate exchanges)
// and one full evaluation; everything else per cycle is a handful of
// counters, so the loop's own cost is negligible beside them.
#include "solver/local_search.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "engine/errors.h"
#include "engine/perturbations.h"
#include "engine/save_files.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "solver/constraint_staging.h"
#include "solver/colleague_rotations.h"
#include "solver/cost_evaluation.h"
#include "solver/neighbourhood_moves.h"
#include "solver/parallel_exchange.h"
#include "solver/parpro_area.h"
#include "solver/placement_state.h"
#include "solver/result_history.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"
#include "solver/teacher_side_move.h"

namespace {

void default_sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
std::int64_t default_clock() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
SearchSleep g_pacing_sleep = default_sleep;
SearchClockMs g_pacing_clock = default_clock;
void (*g_observer)(int) = nullptr;
std::int64_t g_last_cycle_ms = -1;

bool stop_requested() { return g_status.run_state.load() == kRunStateStopRequested; }
bool test_mode() { return g_eng_run.run_mode == 13 || g_eng_run.run_mode == 14; }
int save_kind() { return test_mode() ? -3 : -1; }

void evaluate(int report) {
  or_evaluate_all_constraints(report);
  int errors = g_status.error_count;
  if (errors < g_search.run_best) g_search.run_best = errors;
}

void keep_current() {
  or_copy_placement(g_placement_copy);
  or_copy_placement(g_current_placement);
  g_kept_score = g_solver.total_score;
}

// Restores a placement as the live one, rebuilt and evaluated.
void restore_from(const std::uint16_t* placement) {
  or_apply_placement(placement);
  or_rebuild_grids_and_evaluate();
  or_penalty_cache_invalidate_all();
  g_kept_score = g_solver.total_score;
}

bool stored(const std::uint16_t* placement) {
  return (placement[0] & 0xFF) != kNoPlacement || g_eng_school.lesson_count == 0;
}

// Step 6 of a cycle: restore the stage's best and save it once a record is held.
void stop_path() {
  or_release_focus_teacher();
  or_set_constraint_weights();
  const std::uint16_t* chosen = stored(g_stage_best_placement) ? g_stage_best_placement
                                : stored(g_stage_placement)  ? g_stage_placement
                                                             : g_current_placement;
  if (chosen != g_current_placement)
    std::memcpy(g_current_placement, chosen, sizeof(std::uint16_t) * kMaxLessons);
  restore_from(g_current_placement);
  if (g_search.search_state == 2) or_save_timetable(save_kind());
}

void pace_cycle() {
  if (g_process_number == 0 && g_status.cpu_pacing.load()) {
    std::int64_t now = g_pacing_clock();
    std::int64_t elapsed = g_last_cycle_ms < 0 ? 0 : now - g_last_cycle_ms;
    std::uint32_t worker_sleep;
    if (elapsed > 10000 || elapsed < 0) {
      g_pacing_sleep(1000);
      worker_sleep = 100;
    } else {
      g_pacing_sleep(static_cast<int>(elapsed / 20 + 1));
      worker_sleep = static_cast<std::uint32_t>(elapsed / 50 + 1);
    }
    or_set_worker_sleep(worker_sleep);
    g_last_cycle_ms = g_pacing_clock();
  } else if (g_process_number > 0) {
    or_serve_worker_requests();
  }
}

int teacher_side(int scale) {
  std::int32_t score = 0;
  return or_teacher_side_move(scale, g_solver.focus_teacher, &score);
}

bool gap_stage() { return g_status.stage_id == 48; }

// One move of the schedule; the kind is the move-kind index of the cycle.
int run_move(int kind) {
  if (g_weights.focus_class_returns) return or_double_swap_slots();
  bool restarted = g_search.restart_state != 0;
  int level = g_status.level;
  switch (kind) {
    case -2:
    case -1:
      if (kind == -1 && g_process_number > 0) return teacher_side(3);
      return or_sweep_worst_teacher_classes(3);
    case 0: {
      int kept;
      if (g_status.error_count < 8) {
        kept = or_sweep_worst_teacher_classes(1);
      } else {
        ++g_search.sweep_choice;
        kept = g_search.sweep_choice % 8 == 0 ? or_sweep_worst_teacher_classes(1)
                                              : or_sweep_focused_class_pairs();
      }
      if (kept == 0) {
        or_swap_random_slots(1);
        kept = or_sweep_class_pairs();
      }
      return kept;
    }
    case 1:
    case 4: return or_sweep_focused_class_pairs();
    case 2:
      if (g_eng_run.tekgrado_teacher_count > 0 && !ConstraintSwitchTable[68].off)
        return or_sweep_flagged_teacher_pairs();
      return or_sweep_slot_pairs();
    case 3:
      if (g_status.stage_counters[0] > 0 || g_status.stage_counters[1] > 0)
        return or_sweep_class_pairs();
      if (level == 0 && !restarted) {
        if (!ConstraintSwitchTable[48].off) return or_sweep_class_pairs_backward();
        return gap_stage() ? or_swap_colleague_slots(0) : or_sweep_focused_class_pairs();
      }
      if (level == 0) return or_swap_colleague_slots(0);
      return restarted ? or_swap_colleague_slots(0) : or_sweep_focused_class_pairs();
    case 5:
    case 6: return or_sweep_slot_pairs();
    default:
      if (g_search.run_best == g_status.stage_counters[0] ||
          g_search.run_best == g_status.stage_counters[1])
        return or_sweep_class_pairs();
      if (restarted || (level == 0 && gap_stage())) return or_swap_colleague_slots(0);
      return or_sweep_focused_class_pairs();
  }
}

// The end-of-stage step: answers true when the loop ends.
bool end_of_stage(int release_mode, int cycle_target) {
  g_search.new_stage = 0;
  if (test_mode()) {
    g_status.test_counter = 0;
    or_store_history(1);
  }
  g_search.history_skip = g_solver.worker_index + 8;
  g_search.move_kind = -2;
  or_clear_best_placement();
  or_reset_teacher_side_state();
  or_reset_weights(0);
  g_search.limit_increment = or_cycle_limit();
  g_search.cycle_limit = g_search.cycles + g_search.limit_increment;
  if (g_search.restart_state == 2) ++g_search.kept_restarts;
  g_search.restart_state = 0;
  or_set_constraint_weights();
  keep_current();
  if (g_status.level == 0) {
    g_search.kept_restarts = 0;
    or_age_teacher_points();
    if (g_status.second_stage_counter > 0 || g_status.gap_count == 0)
      or_publish_to_workers(1, -1, 1);
  }
  if (or_next_test_teacher(release_mode, 1)) {
    g_search.since_restart = 0;
    if (g_eng_run.run_mode == 13) or_publish_to_workers(1, cycle_target, 1);
    if (cycle_target >= 0 && g_release.teacher_under_test >= cycle_target) {
      g_status.test_count = 0;
      return true;
    }
    or_release_focus_teacher();
    or_next_weight_mode(0);
    evaluate(0);
    g_kept_score = g_solver.total_score;
    g_search.low_point = g_search.record = kNoLowValue;
    g_search.cycle_limit = g_search.cycles + g_search.limit_increment;
    return false;
  }
  g_status.stage_value = -1;
  int switched = or_staging_next();
  if (switched) {
    if (g_status.stage_id != 48) g_search.new_stage = 1;
    g_search.stage_low_value = kNoLowValue;
    or_focus_stage_weights(g_status.stage_id);
    g_search.limit_increment = or_cycle_limit();
    g_search.even_counter = (-8 - g_solver.worker_index) * 100;
  }
  evaluate(0);
  g_search.low_point = g_search.record = g_status.error_count;
  if (!switched && g_status.error_count == 0) {
    keep_current();
    g_search.search_state = 2;
    or_save_timetable(save_kind());
    or_publish_to_workers(1, -1, 1);
    return true;
  }
  return false;
}

enum class Filed { kGain, kGainKept, kEven, kLoss };

Filed account(int extended, bool* ended) {
  g_status.phase = 255;
  int errors = g_status.error_count;
  if (errors < g_search.record) g_search.run_best = errors;
  if (g_search.history_skip > 0)
    --g_search.history_skip;
  else
    or_store_history(0);
  int e = errors - g_search.error_adjustment;
  if (e < g_search.low_point) {
    g_search.even_counter = (-8 - g_solver.worker_index) * 2;
    g_search.low_point = e;
    or_release_focus_teacher();
    or_copy_placement(g_placement_copy);
    g_search.cycle_limit = g_search.cycles + g_search.limit_increment;
    if (g_search.search_state < 2) return Filed::kGain;
    if (e >= g_search.record) {
      if (g_solver.total_score < g_kept_score) keep_current();
      return Filed::kGainKept;
    }
    g_search.record = e;
    g_search.move_kind = -1;
    g_search.record_after = g_search.cycles;
    g_status.record_cycle = g_search.cycles;
    keep_current();
    if (g_eng_run.run_mode == 16 && g_status.level == 0) or_publish_to_workers(1, -1, 1);
    return Filed::kGain;
  }
  if (e == g_search.low_point) {
    if (g_solver.total_score < g_kept_score) keep_current();
    if (++g_search.even_counter > 16 + 2 * g_solver.worker_index) {
      g_search.even_counter = 0;
      or_next_weight_mode(2);
    }
    if (g_search.even_counter % (8 + g_solver.worker_index) == 0) or_perturb_weights();
  } else {
    g_search.loss_interval = g_search.low_point - errors + 11;
    if (g_search.loss_interval < 5) g_search.loss_interval = 5;
    if (g_search.cycles >= g_search.next_perturbation) {
      g_search.next_perturbation = g_search.cycles + g_search.loss_interval;
      if (extended == 2) {
        restore_from(g_current_placement);
        *ended = true;
        return Filed::kLoss;
      }
      or_perturb_weights();
    }
  }
  if (g_search.cycles > g_search.cycle_limit) {
    if (extended > 0) {
      restore_from(g_current_placement);
      *ended = true;
    } else {
      or_restart_search();
    }
  }
  return e == g_search.low_point ? Filed::kEven : Filed::kLoss;
}

const char* tag_of(Filed f) {
  switch (f) {
    case Filed::kGain: return "Gain";
    case Filed::kGainKept: return "G---";
    case Filed::kEven: return "Even";
    default: return "Loss";
  }
}

}  // namespace

void or_set_search_pacing(SearchSleep sleep, SearchClockMs clock) {
  g_pacing_sleep = sleep ? sleep : default_sleep;
  g_pacing_clock = clock ? clock : default_clock;
}
void or_set_cycle_observer(void (*observer)(int)) { g_observer = observer; }
void or_noop_hook() {}

int or_next_move_kind(int index) { return index >= 7 ? -1 : index + 1; }

int or_cycle_limit() {
  if (g_search.new_stage) return 23;
  if (g_release.release_credit < 1) return g_search.kept_restarts + 77 + g_status.level;
  return g_status.level / 4 + 17 + g_search.kept_restarts;
}

int or_cycle_limit_short() {
  return g_search.kept_restarts + 23 + (g_search.new_stage ? 0 : g_status.level.load());
}

void or_format_progress(char* buffer, const char* tag, int count) {
  std::snprintf(buffer, 400,
                "%-4.4s:%d-%d-%d-%d E.%d/%d [%s %s %u %d %c %s %u %d-%d] Bx:%d-%d-%d-%d-%d "
                "C:%d/%d/%d S:%d/%d (%d T:%d P.%d-%d-%d/%d/%d)",
                tag, g_search.low_point, static_cast<int>(g_status.error_count), g_search.record,
                g_search.run_best, 0, 0, g_status.test_name, "", 0u, 0,
                g_search.restart_state ? 'a' + g_search.restart_state : '-', "", 0u, 0, 0,
                static_cast<int>(g_status.stage_id), static_cast<int>(g_status.gap_stage_state),
                static_cast<int>(g_search.stage_quality_value),
                static_cast<int>(g_status.second_stage_counter), g_release.release_credit,
                g_search.cycles, g_search.cycle_limit, g_search.kept_restarts, g_search.exchanges,
                count, g_search.record, 0, static_cast<int>(g_status.level),
                static_cast<int>(g_status.level_companion), 0,
                static_cast<int>(g_status.gap_stage_count), g_eng_school.teacher_count);
  std::snprintf(g_status.progress_text, kProgressTextSize, "%s", buffer);
  or_trace(buffer);
  g_status.phase = 255;
}

void or_restart_search() {
  ++g_search.restart_counter;
  or_reset_teacher_side_state();
  or_reset_weights(0);
  or_release_focus_teacher();
  or_serve_penalty_flag();
  restore_from(g_current_placement);
  or_add_test_teacher(0);
  g_search.limit_increment = or_cycle_limit();
  or_set_constraint_weights();
  g_search.cycle_limit = g_search.cycles + g_search.limit_increment;
  g_search.low_point = g_status.error_count - g_search.error_adjustment;
  g_search.even_counter = (-8 - g_solver.worker_index) * 2;
  g_search.restart_state = 1;
  char line[400];
  or_format_progress(line, "Gyro", 0);
}

void or_search_loop(int release_mode, int cycle_target, int extended) {
  g_search.cycles = g_search.since_restart = g_search.exchanges = 0;
  g_search.low_point = g_search.record = g_search.run_best = g_status.error_count;
  g_search.restart_counter = 0;
  g_search.move_kind = -1;
  g_search.next_perturbation = 0;
  if (release_mode) std::memset(g_release.tested, 0, sizeof g_release.tested);
  keep_current();
  or_reset_teacher_side_state();
  g_search.limit_increment = or_cycle_limit();
  if (extended > 1) g_search.limit_increment = 2500;
  g_search.cycle_limit = g_search.cycles + g_search.limit_increment + (extended > 1 ? 2500 : 0);
  g_search.sweep_counter = 2;
  g_last_cycle_ms = -1;
  if (g_process_number == 0 && parpro_active()) or_publish_to_workers(1, cycle_target, 1);
  char line[400];
  for (;;) {
    g_status.staging_request = 0;
    or_exchange_with_workers();
    if (g_status.error_count == 0) {
      if (end_of_stage(release_mode, cycle_target)) return;
      if (stop_requested()) {
        stop_path();
        return;
      }
      continue;
    }
    ++g_search.cycles;
    ++g_search.since_restart;
    or_set_history_stamp(g_search.cycles);
    pace_cycle();
    if (g_observer) g_observer(g_search.cycles);
    if (stop_requested()) {
      stop_path();
      return;
    }
    if (or_any_class_has_gap()) or_raise_critical_error("SW", 0, kSourceSybil, 103);
    if (g_eng_run.run_mode == 13 && g_search.since_restart % 500 == 0) or_propose_exemption();
    if (g_eng_run.run_mode == 29) {
      // Exemption search: no move, the history and a proposal every cycle.
      evaluate(1);
      or_store_history(0);
      or_propose_exemption();
      evaluate(0);
      // Only granted exemptions lower the count here; when none comes within
      // the cycle budget the run ends rather than turning in place.
      if (g_search.cycles > g_search.cycle_limit) return;
      continue;
    }
    int kind = g_search.move_kind;
    g_search.move_kind = or_next_move_kind(kind);
    int kept = run_move(kind);
    if (kept > 0) g_search.exchanges += kept;
    evaluate(0);
    bool ended = false;
    Filed filed = account(extended, &ended);
    if (kept > 0) or_format_progress(line, tag_of(filed), kept);
    if (ended) return;
  }
}
