// The local search loop: cycles of one move and one full evaluation on the
// live placement, each filed as a gain, an even cycle or a loss against the
// low point since the last restart and the record of the stage. It keeps
// the record placement in g_current_placement (the stop path and every end
// restore it, so the loop never hands back a worse timetable than the one
// it holds), restarts from it when the cycle budget runs out, switches the
// staged constraints on one by one as each stage reaches zero errors
// (search_stage_end.cpp), serves the user interface's requests and the CPU
// pacing (search_requests.cpp), and trades results with the parallel
// processes. In the gap stage (gap_stage.cpp) it works teacher by teacher.
// When most teachers are held out it proposes an exemption from the result
// history; an exemption the user grants restarts it at once.
//
// The move of a cycle follows the move-kind schedule over the neighbourhood
// sweeps, the colleague rotations and the teacher-side move.
//
// Workload: a cycle is one move call (a few hundred candidate exchanges)
// and one full evaluation; everything else per cycle is a handful of
// counters, so the loop's own cost is negligible beside them.
#include "solver/local_search.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "engine/engine_random.h"
#include "engine/errors.h"
#include "engine/perturbations.h"
#include "engine/save_files.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "engine/timetable_view.h"
#include "solver/colleague_rotations.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"
#include "solver/exemptions.h"
#include "solver/gap_stage.h"
#include "solver/neighbourhood_moves.h"
#include "solver/parallel_exchange.h"
#include "solver/parpro_area.h"
#include "solver/placement_state.h"
#include "solver/result_history.h"
#include "solver/search_loop_parts.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"
#include "solver/stage_stall.h"
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
void (*g_move_observer)(int) = nullptr;
std::int64_t g_last_cycle_ms = -1;

bool stop_requested() { return g_status.run_state.load() == kRunStateStopRequested; }

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
  or_restore_search_placement(g_current_placement);
  if (g_search.search_state == 2) or_save_timetable(or_search_save_kind());
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

// Shakes the live timetable and rebuilds the grids from it. A shake moves
// whole hours of the week and can open a hole in a class's day, which the
// loop treats as a fatal fault: such a shake is taken back.
void shake_timetable() {
  static std::uint16_t before[kMaxLessons];
  or_copy_placement(before);
  or_shake_timetable();
  or_rebuild_grids_and_evaluate();
  if (or_any_class_has_gap()) {
    or_apply_placement(before);
    or_rebuild_grids_and_evaluate();
  }
  or_penalty_cache_invalidate_all();
}

int teacher_side(int scale) {
  std::int32_t score = 0;
  int teacher = g_status.gap_stage_teacher;
  return or_teacher_side_move(scale, teacher >= 0 ? teacher : g_solver.focus_teacher, &score);
}

// One move of the schedule; the kind is the move-kind index of the cycle.
int run_move(int kind) {
  if (g_weights.focus_class_returns) return or_double_swap_slots();
  bool restarted = g_search.restart_state != 0;
  bool gap_teachers = or_gap_teacher_mode();
  int level = g_status.level;
  switch (kind) {
    case -2:
    case -1:
      // The teacher-side move puts teachers with gaps in test, whose gaps
      // then count nothing: the open search, which counts everyone's, runs
      // the main process's move in the workers too.
      if (gap_teachers || (kind == -1 && g_process_number > 0 && !or_gap_stage_open())) return teacher_side(3);
      return or_class_pairs_focus() ? or_sweep_focused_class_pairs() : or_sweep_worst_teacher_classes(3);
    case 0: {
      if (gap_teachers) return teacher_side(1);
      int kept;
      if (or_class_pairs_focus()) {
        kept = or_sweep_focused_class_pairs();
      } else if (g_status.error_count < 8) {
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
      if (gap_teachers) return teacher_side(1);
      if (g_status.stage_counters[0] > 0 || g_status.stage_counters[1] > 0)
        return or_sweep_class_pairs();
      if (level == 0 && !restarted) {
        if (!ConstraintSwitchTable[kGapStageId].off) return or_sweep_class_pairs_backward();
        return or_in_gap_stage() ? or_swap_colleague_slots(0) : or_sweep_focused_class_pairs();
      }
      if (level == 0) return or_swap_colleague_slots(0);
      return restarted ? or_swap_colleague_slots(0) : or_sweep_focused_class_pairs();
    case 5:
    case 6: return or_sweep_slot_pairs();
    default:
      if (gap_teachers) return teacher_side(1);
      if (g_search.run_best == g_status.stage_counters[0] ||
          g_search.run_best == g_status.stage_counters[1])
        return or_sweep_class_pairs();
      if (restarted || (level == 0 && or_in_gap_stage())) return or_swap_colleague_slots(0);
      return or_sweep_focused_class_pairs();
  }
}

// The streak rule's shortening: with the school's credit option the release
// credit shrinks with the limit while it is above 5.
void shorten_cycle_limit() {
  --g_search.cycle_limit;
  if (g_search.credit_option && g_release.release_credit > 5) --g_release.release_credit;
}

int pending_stage_teacher() {
  int v = g_status.stage_value;
  if (v >= 0) return v;
  return v < -1 ? -100 - v : -1;
}

// Step 13's points and streak rules after a move that kept exchanges.
void kept_cycle_rules(int kept) {
  int teachers = g_eng_school.teacher_count;
  if (g_search.restart_state == 0 && !or_search_test_mode()) {
    int pending = pending_stage_teacher();
    if (g_status.stage_value.load() == -1 && g_status.gap_stage_teacher.load() < 0 &&
        g_status.level.load() == 0) {
      for (int t = 0; t < teachers && t < kMaxTeachers; ++t)
        if (g_teacher_violations[t] != 0) ++g_eng_teachers[t].points2;
    } else if (pending >= 0 && pending < teachers && pending < kMaxTeachers) {
      ++g_eng_teachers[pending].points2;
    }
  }
  if (or_gap_teacher_mode()) return;
  g_search.streak = kept == g_search.last_result ? g_search.streak + 1 : 0;
  g_search.last_result = kept;
  int streak = g_search.streak;
  if (streak == 0) return;
  if (streak % 2 == 0) or_perturb_weights();
  if (streak % 4 == 0) {
    shorten_cycle_limit();
    or_next_weight_mode(3);
  }
  if (streak % 6 == 0 && g_status.level.load() > 1 && g_search.restart_state != 0) {
    --g_search.cycle_limit;
    or_set_constraint_weights();
    shake_timetable();
    shorten_cycle_limit();
  }
}

// Step 13 after a move that kept exchanges; answers whether the accounting
// follows. A computing run steers the worst-teacher sweep at the teacher and
// class that pay most; a test run leaves them unset.
bool after_kept_move(int kept, int release_mode) {
  if (release_mode == 1) {
    or_find_worst_teacher_and_class();
  } else {
    g_status.worst_teacher = -2;
    g_status.worst_class = -2;
  }
  g_search.exchanges += kept;
  or_search_evaluate_limited(1, or_kept_move_report_limit(g_status.error_count));
  int errors = g_status.error_count;
  if (g_status.stage_id.load() == 5 && errors == static_cast<int>(ConstraintStats[5].count) && or_edy_due())
    g_search.edy_request = 1;
  or_merge_joint_points();
  kept_cycle_rules(kept);
  if (g_solver.focus_teacher >= 0 && g_search.run_best == or_focus_teacher_penalty()) {
    or_release_focus_teacher();
  } else if (errors != g_search.error_adjustment) {
    int stage = g_status.stage_id;
    if (g_weights.stage_focus && stage > 0 && stage < kConstraintCount &&
        static_cast<int>(ConstraintStats[stage].count) == errors)
      or_copy_placement(g_stage_placement);
    return true;
  } else {
    or_serve_penalty_flag();
  }
  or_search_evaluate(0);
  g_status.phase = 255;
  return false;
}

enum class Filed { kGain, kGainKept, kEven, kLoss, kNone };

// Accounting, first part: the stage placement of the stage-focus runs, the
// result history, the sweep counter and the gap stage's quality.
void account_stage(int errors) {
  if (errors < g_search.record) g_search.run_best = errors;
  int stage = g_status.stage_id;
  if (errors <= g_search.stage_low_value && g_status.second_stage_counter.load() > 0 &&
      g_status.level.load() == 0 && stage >= 0 && stage < kConstraintCount &&
      errors == static_cast<int>(ConstraintStats[stage].count)) {
    or_copy_placement(g_stage_placement);
    g_search.stage_quality_byte = g_status.gap_stage_state;
    g_search.stage_quality_value = static_cast<std::uint32_t>(g_status.gap_stage_count.load());
    if (errors < g_search.stage_low_value) or_store_history(1);
    g_search.stage_low_value = errors;
  }
  if (g_search.history_skip > 0)
    --g_search.history_skip;
  else
    or_store_history(0);
  ++g_search.sweep_counter;
  if (or_in_gap_stage() ? g_search.sweep_counter > 39 : g_search.sweep_counter > 29)
    g_search.sweep_counter = or_in_gap_stage() ? 17 : 11;
  or_note_gap_quality();
}

bool record_may_be_kept() {
  if (g_status.stage_value.load() != -1) return false;
  if (!or_in_gap_stage() || g_status.gap_stage_count.load() == 0) return true;
  return or_gap_stage_stall_test() == 1;
}

Filed account_gain(int e) {
  g_search.even_counter = or_even_reset(2);
  g_search.low_point = e;
  g_search.first_loss_done = 0;
  or_release_focus_teacher();
  or_serve_penalty_flag();
  or_copy_placement(g_placement_copy);
  or_copy_placement(g_best_placement);
  or_take_total_score(&g_best_score);
  g_search.cycle_limit = g_search.cycles + g_search.limit_increment;
  if (g_search.search_state < 2) return Filed::kGain;
  if (e >= g_search.record) {
    if (or_total_score_below(&g_kept_score)) or_keep_search_placement();
    return Filed::kGainKept;
  }
  g_search.record = e;
  // The teacher-by-teacher work of the gap stage starts its record again at
  // every teacher it releases: its records are no progress of the stage.
  if (!or_gap_teacher_mode()) or_note_stage_progress();
  // A restart whose search beats the record is a kept restart: the end of
  // the stage counts it, and the later cycle limits grow with the count.
  if (g_search.restart_state == 1) g_search.restart_state = 2;
  g_search.search_state = 2;
  g_search.move_kind = -1;
  g_search.next_perturbation = g_search.cycles + g_search.loss_interval;
  g_search.record_after = g_search.cycles;
  g_status.record_cycle = g_search.cycles;
  if (record_may_be_kept()) {
    or_keep_search_placement();
    if (g_eng_run.run_mode == 16 && g_status.level.load() == 0) or_publish_to_workers(1, -1, 1);
  }
  if (g_weights.stage_focus && g_status.level.load() == 0) {
    or_copy_placement(g_stage_placement);
    or_copy_placement(g_stage_best_placement);
  }
  g_search.sweep_counter = 2;
  if (or_gap_teacher_mode()) {
    g_gap_stage.teacher_mode = 2;
    if (or_in_gap_stage())
      or_set_gap_stage_weights();
    else
      or_set_constraint_weights();
  }
  return Filed::kGain;
}

// Extended 2 gives up on a stall: back to the kept placement.
void give_up_to_kept() {
  or_release_focus_teacher();
  or_set_gap_stage_weights();
  or_restore_search_placement(g_current_placement);
}

// Even cycle; answers false when the cycle ends here (extended 2).
bool account_even(int extended) {
  if (!stored(g_best_placement) || or_total_score_below(&g_best_score)) {
    or_copy_placement(g_best_placement);
    or_take_total_score(&g_best_score);
  }
  if (or_total_score_below(&g_kept_score)) or_keep_search_placement();
  if (++g_search.even_counter > 16 + 2 * g_solver.worker_index) {
    if (extended == 2) {
      give_up_to_kept();
      return false;
    }
    g_search.even_counter = 0;
    or_next_weight_mode(2);
    if (or_search_test_mode()) {
      or_swap_random_slots(1);
      shake_timetable();
    }
    or_stage_action();
  }
  if (g_search.even_counter % (8 + g_solver.worker_index) == 0) or_perturb_weights();
  return true;
}

// Loss cycle; answers true when the loop ends (extended 2).
bool account_loss(int extended, int errors) {
  g_search.loss_interval = g_search.first_loss_done ? g_search.low_point - errors + 11 : 11;
  if (g_search.loss_interval < 5) g_search.loss_interval = 5;
  if (g_search.first_loss_done && errors < g_search.last_loss_errors) or_note_focus_record();
  g_search.first_loss_done = 1;
  g_search.last_loss_errors = errors;
  if (g_search.cycles < g_search.next_perturbation) return false;
  g_search.next_perturbation = g_search.cycles + g_search.loss_interval;
  if (extended == 2) {
    give_up_to_kept();
    return true;
  }
  or_perturb_weights();
  or_stage_action();
  if (++g_search.perturbations % 17 == 0) or_next_weight_mode(2);
  return false;
}

Filed account(int extended, bool* ended) {
  g_status.phase = 255;
  int errors = g_status.error_count;
  account_stage(errors);
  int e = errors - g_search.error_adjustment;
  if (e < g_search.low_point) return account_gain(e);
  Filed filed = e == g_search.low_point ? Filed::kEven : Filed::kLoss;
  if (filed == Filed::kEven) {
    if (!account_even(extended)) return Filed::kNone;
  } else if (account_loss(extended, errors)) {
    *ended = true;
    return filed;
  }
  if (g_search.cycles > g_search.cycle_limit) {
    if (extended > 0) {
      or_restore_search_placement(g_current_placement);
      *ended = true;
    } else {
      or_restart_search();
    }
  }
  return filed;
}

// The trace names a long-stall step with the stage it leaves the loop in.
void trace_stall_step(StallStep step) {
  if (step == StallStep::kNone) return;
  static const char* const kWhat[] = {"", "nuova fase", "buche di tutti", "scambio di ore"};
  char line[160];
  std::snprintf(line, sizeof line, "STALLO LUNGO: %s, fase %d tolleranza %d errori %d", kWhat[static_cast<int>(step)],
                static_cast<int>(g_status.stage_id), static_cast<int>(g_status.gap_tolerance_level),
                static_cast<int>(g_status.error_count));
  or_trace(line);
}

const char* tag_of(Filed f) {
  switch (f) {
    case Filed::kGain: return "Gain";
    case Filed::kGainKept: return "G---";
    case Filed::kEven: return "Even";
    default: return "Loss";
  }
}

const char* teacher_name(int t) {
  return t >= 0 && t < g_eng_school.teacher_count && t < kMaxTeachers ? g_eng_teachers[t].name : "";
}
unsigned teacher_points(int t) {
  return t >= 0 && t < g_eng_school.teacher_count && t < kMaxTeachers ? g_eng_teachers[t].points : 0u;
}

}  // namespace

void or_set_search_pacing(SearchSleep sleep, SearchClockMs clock) {
  g_pacing_sleep = sleep ? sleep : default_sleep;
  g_pacing_clock = clock ? clock : default_clock;
}
void or_set_cycle_observer(void (*observer)(int)) { g_observer = observer; }
void or_set_move_observer(void (*observer)(int)) { g_move_observer = observer; }

int or_next_move_kind(int index) { return index >= 7 ? -1 : index + 1; }

bool or_exemption_proposal_due() {
  int mode = g_eng_run.run_mode;
  if (mode == 13) return g_search.since_restart % 500 == 0;
  if (mode != 15 && mode != 16 && mode != 20) return false;
  // Most teachers held out of the evaluation: the search is stuck on
  // wishes that keep coming back, so one of them is offered as an exemption.
  std::int64_t teachers = static_cast<std::int64_t>(g_timetable_view.real_teacher_count) +
                          g_timetable_view.pseudo_teacher_count;
  return g_status.level.load() > teachers * 8 / 10;
}

int or_cycle_limit_short() {
  return g_search.kept_restarts + 23 + (g_search.new_stage ? 0 : g_status.level.load());
}

int or_cycle_limit() {
  if (g_search.new_stage) return 23;
  if (g_release.release_credit < 1) return g_search.kept_restarts + 77 + g_status.level;
  return g_status.level / 4 + 17 + g_search.kept_restarts;
}

void or_format_progress(char* buffer, const char* tag, int count) {
  int gap_teacher = g_status.gap_stage_teacher;
  int stage_teacher = pending_stage_teacher();
  int gap_second = gap_teacher >= 0 && gap_teacher < kMaxTeachers && gap_teacher < g_eng_school.teacher_count
                       ? static_cast<int>(g_eng_teachers[gap_teacher].points2)
                       : 0;
  std::int64_t stage_penalty = stage_teacher >= 0 ? or_teacher_penalty(stage_teacher) : 0;
  std::snprintf(buffer, 400,
                "%-4.4s:%d-%d-%d-%d E.%d/%d [%s %s %u %d %c %s %u %d-%d] Bx:%d-%d-%d-%d-%d "
                "C:%d/%d/%d S:%d/%d (%d T:%d P.%d-%d-%d/%d/%d)",
                tag, g_search.low_point, static_cast<int>(g_status.error_count), g_search.record,
                g_search.run_best, g_gap_stage.teacher_mode, g_gap_stage.second_value,
                teacher_name(g_release.teacher_under_test), teacher_name(gap_teacher),
                teacher_points(gap_teacher), gap_second,
                g_search.restart_state ? 'a' + g_search.restart_state : '-', teacher_name(stage_teacher),
                teacher_points(stage_teacher), static_cast<int>(stage_penalty),
                static_cast<int>(g_staging.gap_stage_value), static_cast<int>(g_status.stage_id),
                static_cast<int>(g_status.gap_stage_state), static_cast<int>(g_search.stage_quality_value),
                static_cast<int>(g_status.second_stage_counter), g_release.release_credit,
                g_search.cycles, g_search.cycle_limit, g_search.kept_restarts, g_search.exchanges,
                count, g_search.record, g_search.stage_counter, static_cast<int>(g_status.level),
                static_cast<int>(g_status.level_companion), static_cast<int>(g_status.teachers_in_test),
                static_cast<int>(g_status.gap_stage_count), g_eng_school.teacher_count);
  std::snprintf(g_status.progress_text, kProgressTextSize, "%s", buffer);
  or_trace(buffer);
  g_status.phase = 255;
}

void or_restart_search() {
  bool first_of_loop = g_search.restart_state == 0 && g_search.restart_counter == 0;
  g_search.restart_counter = g_search.restart_counter >= 17 ? 1 : g_search.restart_counter + 1;
  g_search.edy_request = 0;
  or_reset_teacher_side_state();
  or_reset_weights(0);
  or_release_focus_teacher();
  or_serve_penalty_flag();
  or_restore_search_placement(g_current_placement);
  bool done = false;
  if (or_in_gap_stage()) {
    int k = g_eng_school.teacher_count - g_status.level + 1;
    if (k < 1) k = 1;
    if (g_engine_random.below(k * k) == 0) {
      or_swap_random_slots(1);
      done = true;
    }
  } else if (g_search.restart_counter % 7 == 0) {
    shake_timetable();
    done = true;
  }
  if (!done) {
    or_add_test_teacher(0);
    g_search.limit_increment = or_cycle_limit();
    if (first_of_loop) g_search.limit_increment /= 3;
    or_set_constraint_weights();
  }
  if (g_search.limit_increment < 0) g_search.limit_increment = or_cycle_limit();
  g_search.cycle_limit = g_search.cycles + g_search.limit_increment;
  g_search.low_point = g_status.error_count - g_search.error_adjustment;
  g_search.even_counter = or_even_reset(2);
  g_search.restart_state = 1;
  char line[400];
  or_format_progress(line, "Gyro", 0);
}

void or_search_loop(int release_mode, int cycle_target, int extended) {
  g_search.cycles = g_search.since_restart = g_search.exchanges = 0;
  g_search.low_point = g_search.record = g_search.run_best = g_status.error_count;
  g_search.restart_counter = 0;
  g_search.streak = 0;
  g_search.move_kind = -1;
  g_search.next_perturbation = 0;
  g_search.edy_cycle = -17;
  if (release_mode) std::memset(g_release.tested, 0, sizeof g_release.tested);
  or_keep_search_placement();
  or_reset_teacher_side_state();
  g_search.limit_increment = or_cycle_limit();
  if (extended > 1) g_search.limit_increment = 2500;
  g_search.cycle_limit = g_search.cycles + g_search.limit_increment + (extended > 1 ? 2500 : 0);
  g_search.sweep_counter = 2;
  or_note_stage_progress();
  g_last_cycle_ms = -1;
  if (g_process_number == 0 && parpro_active()) or_publish_to_workers(1, cycle_target, 1);
  char line[400];
  for (;;) {
    or_serve_staging_requests();
    or_exchange_with_workers();
    if (g_status.error_count == 0) {
      if (or_end_of_stage(release_mode, cycle_target)) return;
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
    if (or_exemption_proposal_due()) or_propose_exemption();
    if (or_edy_pass()) continue;
    if (g_exemption_current.bytes[0] != kExemptionRequestNone) or_exemption_search_hook();
    if (g_search.applied_exemption) {
      // The relaxed school is another problem: restart from the kept
      // placement at once, with the history of the new one. (Leaving the
      // restart to the cycle limit would let a gain of this very cycle
      // put it off for a whole budget.) When the hook chose its own restart
      // (staged runs), a second one from here would undo it.
      bool restart = g_search.applied_exemption != kExemptionRestarted;
      g_search.applied_exemption = 0;
      // The results stored so far were found before the relaxation: kept,
      // they would propose the granted violation again and again. The
      // history starts anew from the relaxed school's own result.
      or_search_evaluate(1);
      or_store_history(1);
      or_search_evaluate(0);
      g_search.search_state = 2;
      if (restart) or_restart_search();
    }
    int kept = 0;
    if (g_eng_run.run_mode == 29) {
      // Exemption search: no move, the history and a proposal every cycle;
      // the cycle is filed as one whose move kept nothing, so past its
      // limit the search restarts from its kept placement.
      or_search_evaluate(1);
      or_store_history(0);
      or_propose_exemption();
      or_search_evaluate(0);
    } else {
      int kind = g_search.move_kind;
      g_search.move_kind = or_next_move_kind(kind);
      if (g_move_observer) g_move_observer(kind);
      kept = run_move(kind);
      // The open search also moves joint pairs whole, which no exchange of
      // two lessons can, and chains of lessons across two slots, which
      // rejoin a parted pair where every smaller move clashes.
      if (or_gap_stage_open()) {
        kept += or_sweep_joint_groups();
        kept += or_sweep_slot_chains();
      }
      if (release_mode == 0) or_trace_test_state();
    }
    bool accounting = true;
    if (kept > 0) {
      accounting = after_kept_move(kept, release_mode);
    } else if (g_eng_run.run_mode != 29) {
      or_search_evaluate(0);
    }
    if (!accounting) continue;
    bool ended = false;
    Filed filed = account(extended, &ended);
    if (kept > 0 && filed != Filed::kNone) or_format_progress(line, tag_of(filed), kept);
    if (ended) return;
    if (filed != Filed::kNone) trace_stall_step(or_count_stage_cycle(release_mode, extended));
  }
}
