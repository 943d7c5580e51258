// The search driver: once the initial assignment holds a complete
// timetable, it prepares the search, runs the local search loop in the way
// the run mode asks ("TPRO" and "TCLA" test runs, plain "calc:" and "REDO",
// "CONT", "MINI", "MIBU", "DERR"), adds the focus passes of four optional
// constraints, switches every constraint back on, evaluates the final
// timetable and traces the run's summary.
//
// A stop request ends every loop and skips every pass and save that needs
// the run to have gone on. The focus total (violations of the focus
// constraints that a pass left) is subtracted from the final error count,
// never below 0.
#include "solver/search_driver.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/engine_random.h"
#include "engine/errors.h"
#include "engine/placement_check.h"
#include "engine/presolve.h"
#include "engine/save_files.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "solver/constraint_names.h"
#include "solver/constraint_parameter_fill.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"
#include "solver/gap_stage.h"
#include "solver/classroom_allocation.h"
#include "solver/local_search.h"
#include "solver/parallel_exchange.h"
#include "solver/parpro_area.h"
#include "solver/placement_state.h"
#include "solver/result_history.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"
#include "solver/teacher_side_move.h"

namespace {

bool stop_requested() { return g_status.run_state.load() == kRunStateStopRequested; }

void evaluate(int report) {
  g_eng_run.report_flag = report;
  or_evaluate_all_constraints(report);
  g_eng_run.report_flag = 0;
}

void trace_line(const char* format, int a, int b, int c) {
  char line[160];
  std::snprintf(line, sizeof line, format, a, b, c);
  or_trace(line);
}

void clear_all_teacher_tests() {
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t) or_clear_teacher_test(t);
}

void set_placement_none(std::uint16_t* placement) { placement[0] = 0xFF00 | kNoPlacement; }

void draw_start_points() {
  auto draw = [](int n) { return g_engine_random.below(n > 0 ? n : 1); };
  g_search.start_points[0] = draw(g_eng_school.class_count);
  g_search.start_points[1] = draw(g_eng_school.lesson_count);
  g_search.start_points[2] = draw(g_eng_school.teacher_count);
  g_search.start_points[3] = draw(g_eng_school.class_count);
  g_search.start_points[4] = draw(g_eng_run.days_per_week);
}

int find_test_teacher() {
  if (g_process_number > 0 && parpro_area()) {
    // One word: read even when a stuck process keeps the mutex.
    bool held = parpro_lock();
    int t = static_cast<std::int32_t>(parpro_area()->progress.cycle_target);
    if (held) parpro_unlock();
    if (t < 0) g_status.test_name[0] = 0;
    return t;
  }
  if (!g_status.test_name[0]) return -1;
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (std::strcmp(g_eng_teachers[t].name, g_status.test_name) == 0) return t;
  return -1;
}

void run_teacher_test() {
  int teacher = find_test_teacher();
  or_setup_test_set(teacher);
  int target = g_status.test_name[0] ? teacher + 1 : -1;
  or_search_loop(0, target, 0);
}

void run_class_test() {
  or_reset_weights(1);
  or_setup_test_set(-2);
  int teacher = g_status.test_name[0] ? find_test_teacher() : -1;
  int classes = g_eng_school.class_count;
  bool chosen[kMaxClasses] = {};
  int count = 0;
  for (int c = 0; c < classes && c < kMaxClasses; ++c) {
    bool take = teacher < 0 && !g_status.test_name[0];
    for (int l = 0; l < g_eng_school.lesson_count && !take; ++l) {
      const EngineLesson& x = g_eng_lessons[l];
      take = x.class_index == c && (x.teacher == teacher || x.second_teacher == teacher);
    }
    chosen[c] = take;
    count += take ? 1 : 0;
  }
  g_status.test_count = count;
  for (int c = 0; c < classes && c < kMaxClasses; ++c) {
    if (!chosen[c]) continue;
    // The class stays under test through its search: the trace names it and
    // the releases draw on its teachers; it is cleared once its loop ends.
    or_setup_class_test(c);
    evaluate(0);
    or_search_loop(0, -1, 0);
    g_release.class_under_test = -1;
    if (stop_requested()) break;
    or_append_history(14);
    g_status.history_first[g_status.history_count - 1] = c;
    g_status.test_count = g_status.test_count - 1;
  }
}

void common_preparation() {
  or_setup_test_set(-2);
  g_eng_run.report_mode = 0;
  evaluate(0);
  g_search.limit_increment = or_cycle_limit();
  g_search.low_point = g_search.record = g_status.error_count;
  or_set_constraint_weights();
  clear_all_teacher_tests();
  g_status.level = 0;
}

// The subset evaluation of "MIBU": with the school's subset byte at 2, the
// teachers whose lessons are joint, carry a merged part or sit in a room
// other than their class's own (and the special-calendar teachers) take the
// grading byte; the byte becomes 1.
void flag_subset_teachers() {
  if (g_eng_school.tekno[1] != 2) return;
  int teachers = g_eng_school.teacher_count;
  bool flag[kMaxTeachers] = {};
  for (int t = 0; t < teachers && t < kMaxTeachers; ++t) flag[t] = g_eng_teachers[t].calendar_class != -1;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    int t = x.teacher;
    if (t < 0 || t >= teachers || t >= kMaxTeachers) continue;
    bool other_room = x.room >= 0 && x.room < g_eng_school.room_count && x.room < kMaxRooms &&
                      g_eng_rooms[x.room].home_class != x.class_index;
    if (x.joint_count != 0 || x.part_line_number >= 0 || other_room) flag[t] = true;
  }
  int counted = 0;
  for (int t = 0; t < teachers && t < kMaxTeachers; ++t) {
    if (!flag[t]) continue;
    if (g_eng_teachers[t].tekgrado[0] == 0) g_eng_teachers[t].tekgrado[0] = 1;
    ++counted;
  }
  g_eng_run.tekgrado_teacher_count = counted;
  g_eng_school.tekno[1] = 1;
}

void run_mode_20() {
  flag_subset_teachers();
  if (g_process_number == 0 && g_eng_school.tekno[1] != 0) {
    g_eval_mode = 1;
    evaluate(0);
    if (g_status.error_count == 0) {
      g_eval_mode = 2;
      evaluate(0);
    }
  }
  or_staging_start(-1);
  evaluate(1);
  g_search.stage_quality_byte = 7;
  g_search.search_state = 2;
  or_search_loop(1, -1, 0);
}

void run_mode_15() {
  if (g_status.error_count <= g_status.gap_stage_count) {
    g_status.stage_id = -1;
    g_search.search_state = 2;
    or_staging_start(48);
    evaluate(0);
    or_reset_gap_stage();
  } else {
    or_staging_start(48);
    if (g_status.error_count > g_status.gap_stage_count + 10) or_staging_start(-2);
    evaluate(0);
  }
  g_status.gap_stage_state = 0;
  g_status.stage_id = -1;
  g_search.search_state = 2;
  or_worker_catch_up();
  or_search_loop(1, -1, 0);
}

void tighten_gap_tolerance() {
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t) {
    // The model keeps one derived gap limit per teacher.
    EngineTeacher& x = g_eng_teachers[t];
    if (x.gap_tolerance > 0) --x.gap_tolerance;
  }
}

void run_mode_19() {
  g_status.stage_id = -1;
  g_search.search_state = 2;
  if (g_status.error_count == 0 || g_status.error_count == g_status.gap_stage_count) {
    if (g_status.error_count == 0) {
      g_status.focus_mode = 22;
      tighten_gap_tolerance();
    }
    g_eng_run.run_mode = 20;
    common_preparation();
    run_mode_20();
    return;
  }
  g_eng_run.run_mode = 16;
  or_search_loop(1, -1, 1);
  if (!stop_requested()) or_save_timetable(-1);
  g_status.focus_mode = 19;
  or_set_constraint_weights();
  evaluate(1);
}

struct FocusPass {
  int id;
  int (*asks)();
  int history_code;
  int extended;
};

void focus_passes() {
  static const FocusPass kPasses[] = {
      {79, [] { return or_focus_common_room_minimum() == 1 ? 1 : 0; }, 55, 1},
      {86, [] { return or_focus_twin_distribution() != 0 ? 1 : 0; }, 56, 1},
      {59, [] { return or_focus_single_hour_lessons() == 1 ? 1 : 0; }, 57, 1},
      {32, [] { return or_focus_class_returns() == 1 ? 1 : 0; }, 58, 0},
  };
  int mode = g_eng_run.run_mode;
  if ((mode != 15 && mode != 16 && mode != 20) || g_eval_mode == 1) return;
  for (const FocusPass& pass : kPasses) {
    if (stop_requested() || g_status.error_count != 0 || !pass.asks()) continue;
    g_status.stage_id = pass.id;
    std::snprintf(g_status.status_text, kStatusTextSize, "%s",
                  or_constraint_name(pass.id, g_status.language.load()));
    or_append_history(pass.history_code);
    set_placement_none(g_stage_placement);
    set_placement_none(g_stage_best_placement);
    // The pass's own evaluator counts only while its focus flag is set; the
    // flag stays for the final evaluation, whose count of it is taken off.
    if (pass.id == 32) g_weights.focus_class_returns = 1;
    else g_eng_run.focus_flags[pass.id == 79 ? 0 : pass.id == 86 ? 1 : 2] = 1;
    or_focus_single_constraint(pass.id);
    evaluate(1);
    g_search.class_pairs = pass.id == 79 || pass.id == 86;
    or_search_loop(1, -1, pass.extended);
    g_search.class_pairs = 0;
    int own = static_cast<int>(ConstraintStats[pass.id].count);
    if (!stop_requested() && g_status.error_count == own) {
      or_save_timetable(mode == 13 || mode == 14 ? -3 : -1);
      g_search.focus_total += own;
    }
  }
}

// Takes the saved timetable (in a worker: the published one) back when it
// is whole and clash-free; after a save that failed, a file of another run
// or a published timetable of another model, the placement the driver
// holds stays as it is instead of a partial or stale one.
void reload_saved_timetable() {
  int n = g_eng_school.lesson_count;
  std::vector<std::uint16_t> own(static_cast<std::size_t>(n > 0 ? n : 0));
  for (int l = 0; l < n; ++l) own[static_cast<std::size_t>(l)] = lesson_place(l);
  if (g_process_number > 0 && parpro_area()) {
    // A worker starts from the published timetable only when it belongs to
    // the model this worker loaded.
    if (!parpro_lock()) return;
    bool usable = parpro_check_timetable(parpro_area()->start_timetable) < 0;
    parpro_unlock();
    if (!usable) return;
  }
  if (or_load_timetable(1) == 0 && or_first_misplaced_lesson(true) < 0) {
    or_trace("ok");
    return;
  }
  for (int l = 0; l < n; ++l) set_lesson_place(l, own[static_cast<std::size_t>(l)]);
  or_rebuild_grids_and_evaluate();
  or_penalty_cache_invalidate_all();
}

}  // namespace

void or_search_driver() {
  std::uint8_t focus_flags[3];
  std::memcpy(focus_flags, g_eng_run.focus_flags, sizeof focus_flags);
  std::uint8_t focus_class_returns = g_weights.focus_class_returns;
  or_reset_search_state();
  if (g_process_number == 0 && g_process_count > 1 && parpro_active()) {
    or_parpro_begin_run();
    or_parpro_clear_worker_counts();
  }
  draw_start_points();
  g_status.test_counter = 0;
  g_search.search_state = 0;
  int mode = g_eng_run.run_mode;
  g_search.level_noted = 0;
  // The computing runs take the gap hours (48) on last, as the final stage
  // of the staging; the test runs of teachers and classes only ask whether
  // the other constraints can be kept, so 48 stays where the staging left it.
  g_staging.gap_staging = (mode == 13 || mode == 14) ? 0 : 1;

  or_prepare_model_for_solving();
  or_prepare_constraint_parameters();
  or_prepare_search_tables();
  evaluate(0);
  or_reset_weights(1);
  reload_saved_timetable();
  evaluate(0);

  g_search.limit_increment = or_cycle_limit();
  g_search.low_point = g_search.record = g_status.error_count;
  clear_all_teacher_tests();
  g_status.level = 0;
  g_status.level_companion = 0;
  g_gap_stage.history_stamp = -1;
  g_status.gap_stage_target = g_eng_school.teacher_count + 1;
  or_reset_gap_stage();
  g_search.even_counter = (-8 - g_solver.worker_index) * 2;
  g_status.stage_value = -1;
  evaluate(1);
  g_search.stage_quality_value = static_cast<std::uint32_t>(g_eng_school.teacher_count + 1);
  g_status.phase = 255;
  g_search.search_state = 2;
  g_status.focus_mode = mode;
  g_search.stage_low_value = kNoLowValue;
  set_placement_none(g_stage_placement);
  set_placement_none(g_stage_best_placement);
  g_search.stage_quality_byte = 14;
  or_reset_teacher_side_state();

  switch (mode) {
    case 13: run_teacher_test(); break;
    case 14: run_class_test(); break;
    case 15: case 16: case 19: case 20: case 29:
      g_status.stage_value = -1;
      common_preparation();
      if (mode == 20) run_mode_20();
      else if (mode == 15) run_mode_15();
      else if (mode == 19) run_mode_19();
      else {
        g_status.gap_stage_state = 0;
        g_status.stage_id = -1;
        g_search.search_state = 2;
        or_search_loop(1, -1, 0);
      }
      focus_passes();
      break;
    default: or_raise_critical_error("SW", mode, kSourceSybil, 2105);
  }

  mode = g_eng_run.run_mode;
  if (mode != 13 && mode != 14) {
    or_set_constraint_weights();
    clear_all_teacher_tests();
    g_status.level = 0;
    or_reset_gap_stage();
    if (!g_search.stage_hold) {
      g_status.gap_stage_state = 0;
      g_status.stage_value = -1;
      for (ConstraintSwitch& s : ConstraintSwitchTable) s.off = 0;
    }
  }
  g_eng_run.report_mode = -1;
  if (mode == 13 && g_status.test_name[0] && !stop_requested())
    or_setup_test_set(find_test_teacher());
  if (!g_search.stage_hold && mode != 13 && mode != 14) {
    while (or_next_test_teacher(1, 0)) {}
    while (or_staging_next()) {}
    or_reset_gap_stage();
  }
  // The gap stage tolerates extra gap hours while it works; the result is
  // judged against the teachers' real allowance, never a tolerated one.
  g_status.gap_tolerance_level = 0;
  evaluate(1);
  int errors = g_status.error_count - g_search.focus_total;
  g_status.error_count = errors < 0 ? 0 : errors;
  // A record reached while gaps were tolerated is no record of the timetable.
  if (g_search.record < g_status.error_count) g_search.record = g_status.error_count;
  // The lab-group lessons take their labs on the timetable the run hands
  // over; it is saved again with them, so only when it is as good as the
  // best one the run saved.
  if (g_status.error_count <= g_search.record) or_assign_lab_group_rooms();
  g_status.phase = 255;
  g_eval_mode = 0;
  std::memcpy(g_eng_run.focus_flags, focus_flags, sizeof focus_flags);
  g_weights.focus_class_returns = focus_class_returns;
  trace_line("Finito seme=%d s.cicli=%d scambi=%d", g_eng_run.run_seed, g_search.cycles,
             g_search.exchanges);
  trace_line("Finito raggiunto record=%d dopo=%d", g_search.record, g_search.record_after, 0);
  // How the processes of a parallel run traded: results this process took
  // from the slots, publishes its workers took into their searches; what
  // each worker did (cycles, starts) and the offers this process refused.
  if (g_process_number == 0 && g_process_count > 1 && parpro_active()) {
    trace_line("Scambi tra processi: presi=%d ripresi=%d", g_parpro_takes, or_parpro_worker_takes(), 0);
    std::string counts = "Processi ausiliari: " + or_parpro_worker_counts() +
                         " rifiutati=" + std::to_string(g_parpro_refusals);
    or_trace(counts.c_str());
  }
}
