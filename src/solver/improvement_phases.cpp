// The record-keeping loop shared by the three improvement phases (see
// improvement_phases.h): a cycle of exchange passes, a new measurement, a
// record when the measure went down, and after cycles without a record the
// restores of the record ("Stallo") and the perturbations by the class-pair
// moves at fixed stall counts. A stop request is seen between cycles; the
// phase then restores its record and saves it as ".\\savebi.txt".
//
// The three phases differ only in a table of hooks (measure, cycle move,
// stall step, end); the loop itself is written once.
//
// Workload: each cycle is one pass over every class (or one colleague
// rotation pass) and one measurement; a phase runs until the stall limit or
// the user's stop.
#include <cstdio>
#include <cstring>

#include "engine/engine_random.h"
#include "engine/errors.h"
#include "engine/presolve.h"
#include "engine/save_files.h"
#include "engine/status_block.h"
#include "solver/classroom_allocation.h"
#include "solver/constraint_parameter_fill.h"
#include "solver/cost_evaluation.h"
#include "solver/improvement_phases.h"
#include "solver/neighbourhood_moves.h"
#include "solver/placement_state.h"
#include "solver/priced_exchange.h"
#include "solver/search_weights.h"
#include "solver/run_state_reset.h"

PhaseRecord g_balance_record;
PhaseRecord g_weight_record;
PhaseRecord g_overlap_record;
std::int32_t g_phase_cycles;
std::int32_t g_phase_max_cycles = 0;

namespace {

std::uint8_t g_overlap_alternation;  // keeps its value from one call to the next

enum class Phase { kBalance, kWeight, kOverlap };

std::int32_t measure(Phase p) {
  switch (p) {
    case Phase::kBalance: return static_cast<std::int32_t>(or_balance_total());
    case Phase::kWeight: or_total_weight_load(); return g_weight_record.current;
    case Phase::kOverlap: return static_cast<std::int32_t>(or_overlap_total());
  }
  return 0;
}

PhaseRecord& record_of(Phase p) {
  return p == Phase::kBalance ? g_balance_record : (p == Phase::kWeight ? g_weight_record : g_overlap_record);
}

void keep_placement() {
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    g_current_placement[l] = lesson_place(l);
    g_placement_copy[l] = g_current_placement[l];
  }
}

void restore_kept_placement() {
  for (int l = 0; l < g_eng_school.lesson_count; ++l) set_lesson_place(l, g_current_placement[l]);
  or_rebuild_slot_index();
  or_rebuild_grids_and_evaluate();
}

// The overlap phase holds its placement by the teacher grouping's result,
// kept in the window's parameter block (or here when no window gave one).
std::int32_t g_grouping_best_without_window = kNoRecord;

}  // namespace

void or_reset_improvement_phase_state() {
  g_balance_record = g_weight_record = g_overlap_record = PhaseRecord{};
  g_phase_cycles = 0;
  g_overlap_alternation = 0;
  g_grouping_best_without_window = kNoRecord;
}

namespace {

void test_room_grouping() {
  RoomAllocationParams* p = g_status.room_params.load();
  std::int32_t& best = p != nullptr ? p->best_result : g_grouping_best_without_window;
  int rooms = or_assign_rooms_per_building(1, 0);
  if (rooms < best) {
    keep_placement();
    best = rooms;
  }
}

void progress(const char* label, PhaseRecord& r, int cycles, std::uint32_t stall, int kept, bool with_record_text) {
  char line[kProgressTextSize];
  int n = std::snprintf(line, sizeof line, "%s: err:%d FATTORE:%d Record: %d  (%d T:%d) c:%d-%d S:%d/%d", label,
                        static_cast<int>(g_total_score), r.current, r.record, static_cast<int>(g_best_score.low),
                        g_status.record_cycle.load(), cycles, static_cast<int>(stall),
                        static_cast<int>(g_move_run.kept_exchanges), kept);
  if (with_record_text && n > 0 && n < static_cast<int>(sizeof line))
    std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), " %s",
                  r.current < r.record ? "NUOVO RECORD" : "");
  or_trace(line);
  std::snprintf(g_status.progress_text, sizeof g_status.progress_text, "%s", line);
  g_status.phase = 255;
}

// Takes a lower measure as the record; returns true when it was one.
bool take_record(Phase p, PhaseRecord& r) {
  if (r.current >= r.record) return false;
  r.record = r.current;
  if (p != Phase::kOverlap) keep_placement();
  return true;
}

struct LoopState {
  std::uint32_t stall = 0;
  std::int8_t perturb = 0;
  std::uint8_t parity = 0;
  std::uint8_t rotation = 0;
};

int cycle_move(Phase p, LoopState& s) {
  int classes = g_eng_school.class_count;
  switch (p) {
    case Phase::kBalance:
      s.parity = static_cast<std::uint8_t>(s.parity + 1);
      return (s.parity & 1) ? or_balance_colleague_pass() : or_balance_class_pass(classes);
    case Phase::kWeight: return or_weight_class_pass(classes);
    case Phase::kOverlap:
      g_overlap_alternation = static_cast<std::uint8_t>(1 - g_overlap_alternation);
      return g_overlap_alternation == 1 ? or_sweep_focused_class_pairs() : or_overlap_class_pass(1);
  }
  return 0;
}

void stall_restore() {
  or_print_console("Stallo, Riprendo Record\n");
  restore_kept_placement();
}

void next_perturbation(std::int8_t& p) { p = static_cast<std::int8_t>(static_cast<std::uint8_t>(p) + 1); }

// The stall step; returns false when the loop ends. label/kept tell what
// perturbation ran (label null: none).
bool stall_step(Phase p, LoopState& s, std::uint32_t limit, const char*& label, int& kept) {
  label = nullptr;
  kept = 0;
  if (p == Phase::kOverlap) {
    next_perturbation(s.perturb);
    if (s.perturb % 7 != 0) return true;
    if (s.stall > limit) return false;
    ++s.stall;
    if (s.stall % 2 == 0) {
      stall_restore();
      or_rebuild_teacher_grids();
    }
    s.rotation = static_cast<std::uint8_t>(s.rotation + 1);
    if (s.rotation == 1) kept = or_sweep_focused_class_pairs(), label = "Tamburo";
    else if (s.rotation == 2) {
      int classes = g_eng_school.class_count > 0 ? g_eng_school.class_count : 1;
      kept = or_balance_class_pass(g_engine_random.below(classes) + 1), label = "Bilancia";
    } else {
      s.rotation = 0;
      kept = or_sweep_class_pairs(), label = "Classi     ";
    }
    or_rebuild_teacher_grids();
    return true;
  }
  if (s.stall > limit) return false;
  next_perturbation(s.perturb);
  ++s.stall;
  bool balance = p == Phase::kBalance;
  if (s.stall % (balance ? 7 : 17) == 0) stall_restore();
  if (s.perturb % (balance ? 5 : 3) == 0) {
    kept = or_sweep_class_pairs();
    label = balance ? "Classi     " : "Classi                 ";
  } else if (s.perturb % (balance ? 7 : 5) == 0) {
    kept = or_sweep_focused_class_pairs();
    label = balance ? "Tamburo" : "Tamburo            ";
  }
  return true;
}

void run_phase(Phase p, int cycle_limit) {
  static const char* const kLabels[3] = {"Bilancia  ", "Bilancia Peso  ", "Riduzione Sovrapposizioni  "};
  static const char* const kClosing[3] = {"Bilanciato inizio:%d raggiunto:%d",
                                          "Bilancia Peso Didattico inizio:%d raggiunto:%d",
                                          "Riduzione Sovrapposizioni inizio:%d raggiunto:%d"};
  int which = static_cast<int>(p);
  RoomAllocationParams* params = g_status.room_params.load();
  g_solver.search_phase = 2;
  if (p == Phase::kOverlap) {
    if (params != nullptr) params->best_result = kNoRecord;
    g_grouping_best_without_window = kNoRecord;
  }
  or_prepare_model_for_solving();
  or_prepare_constraint_parameters();
  // The exchanges are priced from the penalty caches: start them from the
  // timetable as loaded, whatever an earlier command left in them.
  or_penalty_cache_invalidate_all();
  or_evaluate_all_constraints(0);
  if (p == Phase::kOverlap) or_rebuild_teacher_grids();
  PhaseRecord& r = record_of(p);
  r.current = r.record = r.previous = r.start = measure(p);
  // The start is the first record; kept here too, so that a restore never
  // depends on what the loader left in the copy.
  if (p != Phase::kOverlap) keep_placement();
  LoopState s;
  g_solver.sampling_divisor = 7;
  g_move_run.sampling_divisor = 7;
  g_status.focus_mode = p == Phase::kOverlap ? 27 : 17;
  or_set_constraint_weights();
  if (p == Phase::kOverlap) test_room_grouping();
  std::uint32_t limit = cycle_limit < 0 ? 0 : static_cast<std::uint32_t>(cycle_limit);
  g_phase_cycles = 0;
  while (g_status.run_state.load() != kRunStateStopRequested) {
    int m = cycle_move(p, s);
    ++g_phase_cycles;
    r.current = measure(p);
    or_evaluate_all_constraints(1);
    progress(kLabels[which], r, g_phase_cycles, s.stall, m, true);
    bool ran_perturbation = false;
    if (take_record(p, r)) {
      s.stall = 0;
      s.perturb = 0;
    } else {
      const char* label = nullptr;
      int kept = 0;
      if (!stall_step(p, s, limit, label, kept)) break;
      if (label != nullptr) {
        ran_perturbation = true;
        g_move_run.kept_exchanges += static_cast<std::uint32_t>(kept);
        r.current = measure(p);
        or_evaluate_all_constraints(1);
        if (take_record(p, r)) s.stall = 0, s.perturb = 0;
        progress(label, r, g_phase_cycles, s.stall, kept, false);
      }
    }
    if (p == Phase::kOverlap || ran_perturbation || s.stall == 0) r.previous = r.current;
    if (p == Phase::kOverlap) test_room_grouping();
    if (g_phase_max_cycles > 0 && g_phase_cycles >= g_phase_max_cycles) break;
  }
  g_eng_run.report_mode = -1;
  char closing[120];
  std::snprintf(closing, sizeof closing, kClosing[which], r.start, r.record);
  if (p == Phase::kOverlap) {
    or_trace(closing);
    restore_kept_placement();
    or_rebuild_teacher_grids();
    or_save_timetable(kSaveBalance);
    or_assign_rooms_per_building(1, 1);
    g_status.run_state = kRunStateFinished;
    or_stop_parallel_workers();
  } else {
    g_status.run_state = kRunStateFinished;
    or_stop_parallel_workers();
    or_trace(closing);
    restore_kept_placement();
    or_save_timetable(kSaveBalance);
  }
  or_print_console(" --- INTERROTTO --- \n");
}

}  // namespace

void or_balance_phase(int cycle_limit) {
  if (g_status.weight_balancing.load() != 0) {
    or_weight_balance_phase(cycle_limit);
    return;
  }
  run_phase(Phase::kBalance, cycle_limit);
}

void or_weight_balance_phase(int cycle_limit) { run_phase(Phase::kWeight, cycle_limit); }

void or_reduce_overlaps_phase(int cycle_limit) { run_phase(Phase::kOverlap, cycle_limit); }
