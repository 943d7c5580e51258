// Exchanging timetables with the parallel solver processes through the
// shared area. The main process publishes a start timetable and the run
// settings and sets every worker's command to go (each worker then starts
// again from it); it alone writes its progress header once per cycle and
// takes results. A worker offers its placement in slot A when it has
// finished the stage the main works on and is no further behind on any
// stage counter, or its stage best with a better quality in slot B. So the
// processes race each stage from the same timetable, and the first to finish
// it hands the result to all the others.
//
// Every access holds the COM mutex, with a bounded wait. A timetable read
// from the area is used only after it passed the checks of
// parpro_check_timetable (this model, inside the week, no clash): a worker
// that died half-way through a write leaves at worst a slot that is thrown
// away. Slot B carries its own timetable (the offerer's stage best), which
// the taker uses as both its live placement and its stage best, so a slot-B
// offer never overwrites a slot-A result waiting to be taken. When the main
// publishes its gap-stage best (kind 2) it sets the flag beside slot B and
// leaves its quality in slot B's quality fields, the bar every later
// slot-B offer must beat. A take in the gap stage starts the stage's
// teacher-by-teacher work again.
//
// An offer stops the other workers (9), not the offerer; after an offer it
// could not take the main process publishes its own timetable, from which
// the stopped workers start again.
//
// A worker whose whole run ended with no error offers it marked finished:
// the main process takes it in whatever stage it is (a worker that searches
// on its own road after a stall may finish while the main is stages behind),
// and its own publishes leave it in slot A until it has looked.
//
// Workload: once per search cycle in the main process (one lock, a 21-byte
// header); timetables of 2 bytes per lesson are copied only when a slot is
// filled or taken, and applied after the mutex is released.
#include "solver/parallel_exchange.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "engine/reception_exemption_files.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"
#include "solver/gap_stage.h"
#include "solver/parpro_area.h"
#include "solver/placement_state.h"
#include "solver/search_loop_parts.h"
#include "solver/search_state.h"
#include "solver/solver_state.h"
#include "solver/search_weights.h"
#include "solver/stage_stall.h"

int g_parpro_takes = 0;
int g_parpro_refusals = 0;
int g_worker_start_stage = -1;
std::uint32_t g_worker_run_serial = 0;
bool g_offering_finished_run = false;

namespace {
// Main process: the stage of its last publish (its position in the
// staging order, -1 none yet this run).
int g_published_rank = -1;
}  // namespace

namespace {

bool publishing_mode() {
  int m = g_eng_run.run_mode;
  return m == 13 || m == 15 || m == 16 || m == 20 || m == 22;
}

ParproHeader own_header(int cycle_target) {
  ParproHeader h;
  h.second_stage_counter = static_cast<std::uint32_t>(g_status.second_stage_counter.load());
  h.level = static_cast<std::uint32_t>(g_status.level.load());
  h.gap_stage_state = g_status.gap_stage_state;
  h.gap_stage_count = static_cast<std::uint32_t>(g_status.gap_stage_count.load());
  h.stage_id = static_cast<std::uint32_t>(g_status.stage_id.load());
  h.cycle_target = static_cast<std::uint32_t>(cycle_target);
  return h;
}

// Own counters each not above the other header's (as signed values).
bool not_above(const ParproHeader& own, const ParproHeader& other) {
  auto le = [](std::uint32_t a, std::uint32_t b) {
    return static_cast<std::int32_t>(a) <= static_cast<std::int32_t>(b);
  };
  return le(own.second_stage_counter, other.second_stage_counter) && le(own.level, other.level) &&
         own.gap_stage_state <= other.gap_stage_state &&
         le(own.gap_stage_count, other.gap_stage_count);
}

void stamp_model(ParproArea* area) {
  area->lesson_count = static_cast<std::uint32_t>(g_eng_school.lesson_count);
  area->model_checksum = parpro_model_checksum();
}

void append_history(std::int32_t code, std::int32_t first, std::int32_t second) {
  int at = g_status.history_count;
  or_append_history(code);
  if (g_status.history_count == at + 1) {
    g_status.history_first[at] = first;
    g_status.history_second[at] = second;
  }
}

void take_placement(const std::uint8_t* field) {
  std::uint16_t placement[kMaxLessons];
  parpro_load_timetable(placement, field);
  or_apply_placement(placement);
  or_rebuild_grids_and_evaluate();
  or_penalty_cache_invalidate_all();
}

// A finished stage's (or a further gap round's) timetable becomes the live
// placement; the teacher-by-teacher work of the gap stage belongs to the
// placement it was started on, so it starts again.
void take_as_live(const std::uint8_t* field) {
  take_placement(field);
  int mode = g_eng_run.run_mode;
  if (g_status.stage_id == kGapStageId) {
    or_reset_gap_stage();
  } else if (mode != 13 && mode != 14 && mode != 16) {
    or_hold_out_failing_teachers();
    or_reset_gap_stage();
  }
  g_status.phase = 255;
}

// A better gap-stage best becomes both the live placement and this
// process's stage best, with its quality.
void take_as_stage_best(const std::uint8_t* field, std::uint8_t quality, std::uint32_t value) {
  take_placement(field);
  or_set_constraint_weights();
  while (or_next_test_teacher(1, 0)) {
  }
  if (g_status.stage_id == kGapStageId) {
    or_set_gap_stage_weights();
    or_reset_gap_stage();
  }
  or_evaluate_all_constraints(0);
  parpro_load_timetable(g_stage_best_placement, field);
  g_search.stage_quality_byte = quality;
  g_search.stage_quality_value = value;
}

// The gap stage's open search counts every teacher's gaps at tolerance 0,
// which a stage counter of the slots does not tell: a worker that finished
// a round with teachers in test (whose gaps count nothing) offers a
// timetable that looks finished and is not. So the open search takes a
// result only when it counts fewer errors there than its own record, and
// goes on with it as its kept placement; otherwise its own stays.
bool take_into_open_search(const std::uint8_t* field) {
  static std::uint16_t own[kMaxLessons];
  or_copy_placement(own);
  take_placement(field);
  int errors = g_status.error_count - g_search.error_adjustment;
  if (errors < g_search.record) {
    or_keep_search_placement();
    g_search.low_point = g_search.record = errors;
    or_note_stage_progress();
    g_status.phase = 255;
    return true;
  }
  or_apply_placement(own);
  or_rebuild_grids_and_evaluate();
  or_penalty_cache_invalidate_all();
  return false;
}

// A worker's finished run: every stage on, nobody in test, no gap
// tolerated, no error. The main process may still be in an earlier stage;
// it switches its remaining stages on, releases its teachers in test and
// counts the timetable the way the run's end judges it. With no error there
// its own search ends on it at once; a worker's count that this process
// does not confirm leaves it searching the gap stage from that timetable.
void take_finished_run(const std::uint8_t* field) {
  take_placement(field);
  for (int steps = 0; steps < kConstraintCount && or_count_switched_off() > 0; ++steps)
    if (!or_switch_on_next_stage()) break;
  while (or_next_test_teacher(1, 0)) {
  }
  or_reset_test_teachers(-1);
  g_status.gap_tolerance_level = 0;
  g_status.gap_stage_state = 0;
  or_set_constraint_weights();
  or_evaluate_all_constraints(0);
  g_status.gap_stage_count = 0;
  g_search.search_state = 2;
  g_status.phase = 255;
  if (g_status.error_count.load() == 0 && g_status.gap_count.load() == 0) return;
  if (or_in_gap_stage()) or_reset_gap_stage();
  or_keep_search_placement();
  g_search.low_point = g_search.record = g_status.error_count - g_search.error_adjustment;
}

// The worker's own state says its run ended with an honest timetable.
bool finished_run_here() {
  int mode = g_eng_run.run_mode;
  return g_offering_finished_run && (mode == 15 || mode == 16) && or_count_switched_off() == 0 &&
         or_in_gap_stage() && g_status.error_count.load() == 0 && g_status.gap_count.load() == 0 &&
         g_status.level.load() == 0 && g_status.gap_stage_state.load() == 0 &&
         g_status.teachers_in_test.load() == 0;
}

int stage_rank(std::int32_t id) { return or_stage_rank(id); }

// Worker: this process's placement into slot A, under the mutex.
void fill_slot_a(ParproArea* area, const ParproHeader& own, std::uint8_t finished) {
  std::uint16_t placement[kMaxLessons];
  or_copy_placement(placement);
  parpro_store_timetable(area->slot_a_timetable, placement);
  area->slot_a_header = own;
  area->slot_a_state = kSlotAFull;
  area->slot_a_finished = finished;
}


bool better_quality(std::uint8_t byte, std::uint32_t value, std::uint8_t other_byte,
                    std::uint32_t other_value) {
  return byte < other_byte || (byte == other_byte && value < other_value);
}

}  // namespace

int or_stage_rank(int stage_id) {
  for (int i = 0; i < static_cast<int>(sizeof kStagingOrder); ++i)
    if (kStagingOrder[i] == stage_id) return i;
  return -1;
}

void or_worker_catch_up() {
  if (g_process_number <= 0 || !g_parpro_area) return;
  int target = or_stage_rank(g_worker_start_stage);
  if (target < 0) return;
  // The main process handed each of these stages over after a long stall
  // (or finished it): searching them again from its timetable would only
  // stall the same way before this worker could search where it searches.
  // Each step switches one stage on; once none is left off the staging
  // would release test teachers instead, which is the stage's own work.
  bool switched = false;
  for (int steps = 0; steps < kConstraintCount && or_stage_rank(g_status.stage_id) < target &&
                      or_count_switched_off() > 0;
       ++steps) {
    if (!or_switch_on_next_stage()) break;
    switched = true;
  }
  if (!switched) return;
  or_evaluate_all_constraints(0);
  or_take_total_score(&g_kept_score);
}

void or_publish_to_workers(int kind, int cycle_target, int source) {
  if (!publishing_mode() || !g_parpro_area) return;
  if (g_process_number > 0) {
    // In a worker, publishing is offering a result to the others.
    or_offer_to_main(kind, cycle_target);
    return;
  }
  if (g_process_count < 2) return;
  if (g_eng_run.run_mode == 13 && g_status.test_counter != 23) return;
  ParproArea* area = parpro_area();
  if (!parpro_lock()) return;
  g_published_rank = or_stage_rank(g_status.stage_id);
  for (int i = 1; i <= kMaxWorkerProcesses; ++i) area->command[i] = kParproGo;
  area->eval_mode = g_eval_mode;
  area->provisional_mode = g_provisional_mode;
  area->test_run = g_test_run;
  area->run_code = g_eng_run.run_mode;
  area->progress = own_header(cycle_target);
  stamp_model(area);
  std::uint16_t placement[kMaxLessons];
  if (source == 1) {
    or_copy_placement(placement);
    parpro_store_timetable(area->start_timetable, placement);
  } else if (source == 0) {
    std::memmove(area->start_timetable, area->slot_a_timetable, kParproTimetableBytes);
  } else {
    const std::uint16_t* from = (g_stage_best_placement[0] & 0xFF) != kNoPlacement
                                    ? g_stage_best_placement
                                : (g_stage_placement[0] & 0xFF) != kNoPlacement ? g_stage_placement
                                                                                 : g_current_placement;
    parpro_store_timetable(area->start_timetable, from);
  }
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t)
    area->teacher_values[t] = g_eng_teachers[t].points2;
  // A finished run waiting in slot A is the run's result: a publish of this
  // process's own (its next stage, say) leaves it for the next look.
  if (area->slot_a_finished == 0 || area->slot_a_state != kSlotAFull) {
    area->slot_a_state = 0;
    area->slot_a_finished = 0;
  }
  // Kind 2 hands on a better gap-stage placement: the flag beside slot B
  // tells the workers that the start timetable is a stage best of the
  // quality written with it, which their slot-B offers must beat.
  area->slot_b_flag = kind == 2 ? 1 : 0;
  if (kind == 2 && area->slot_b_state != kSlotBFull) {
    area->slot_b_quality = g_search.stage_quality_byte;
    area->slot_b_value = g_search.stage_quality_value;
  }
  parpro_unlock();
}

void or_offer_to_main(int kind, int cycle_target) {
  if (!g_parpro_area || g_process_number <= 0) return;
  ParproArea* area = parpro_area();
  if (!parpro_lock()) return;
  if (area->run_serial != g_worker_run_serial) {
    parpro_unlock();
    return;
  }
  ParproHeader own = own_header(cycle_target);
  if (kind == 1 && finished_run_here()) {
    // The run's result: whatever stage the main process is in, it is worth
    // more than any stage's (and than another finished run's, which waits).
    if (area->slot_a_state != kSlotAFull || area->slot_a_finished == 0) fill_slot_a(area, own, 1);
  } else if (kind == 1) {
    ParproHeader published = area->progress;
    ParproHeader slot = area->slot_a_header;
    bool ahead = not_above(own, published) && own.stage_id == published.stage_id &&
                 (area->slot_a_state != kSlotAFull || not_above(own, slot));
    if (ahead) {
      // The others stop by themselves and start again from what the main
      // process makes of this offer; the offerer goes on with its own run.
      for (int i = 1; i <= kMaxWorkerProcesses; ++i)
        if (i != g_process_number && area->command[i] != kParproGo) area->command[i] = kParproStopAuto;
      fill_slot_a(area, own, 0);
    }
  } else if (kind == 2) {
    // An empty slot B still carries the quality of a published stage best.
    bool measured = area->slot_b_state == kSlotBFull || area->slot_b_flag != 0;
    bool better = !measured || g_search.stage_quality_byte < area->slot_b_quality ||
                  (g_search.stage_quality_byte == area->slot_b_quality &&
                   g_search.stage_quality_value < area->slot_b_value);
    if (better) {
      parpro_store_timetable(area->slot_b_timetable, g_stage_best_placement);
      area->slot_b_quality = g_search.stage_quality_byte;
      area->slot_b_value = g_search.stage_quality_value;
      area->slot_b_state = kSlotBFull;
    }
  }
  parpro_unlock();
}

// Slot A is taken when it belongs to the stage this process works on and
// is at least as far on every counter, or holds a finished run; slot B when its quality beats the
// process's own. Either slot is emptied once looked at. The timetable is
// copied out under the mutex and applied after it is released, so the
// workers never wait for this process's evaluation.
int or_take_result_slot(bool* refused_a) {
  if (!g_parpro_area) return 0;
  ParproArea* area = parpro_area();
  static std::uint8_t field[kParproTimetableBytes];
  int taken = 0;
  std::uint32_t gap_count_of_a = 0;
  std::uint8_t quality = 0;
  std::uint32_t value = 0;
  bool looked_at_a = false;
  bool finished_run = false;
  if (!parpro_lock()) return 0;
  if (area->slot_a_state == kSlotAFull) {
    looked_at_a = true;
    ParproHeader slot = area->slot_a_header;
    ParproHeader own = own_header(g_release.teacher_under_test);
    int mode = g_eng_run.run_mode;
    finished_run = area->slot_a_finished != 0 && (mode == 15 || mode == 16);
    bool usable = finished_run ||
                  (static_cast<std::int32_t>(slot.stage_id) == g_status.stage_id &&
                   not_above(slot, own) &&
                   static_cast<std::int32_t>(slot.cycle_target) ==
                       static_cast<std::int32_t>(own.cycle_target));
    if (usable && parpro_check_timetable(area->slot_a_timetable) < 0) {
      std::memcpy(field, area->slot_a_timetable, kParproTimetableBytes);
      gap_count_of_a = slot.gap_stage_count;
      taken = 1;
    }
    area->slot_a_state = 0;
    area->slot_a_finished = 0;
  } else if (area->slot_b_state == kSlotBFull) {
    bool own_better = g_search.stage_quality_byte < area->slot_b_quality ||
                      g_search.stage_quality_value <= area->slot_b_value;
    if (!own_better && parpro_check_timetable(area->slot_b_timetable) < 0) {
      std::memcpy(field, area->slot_b_timetable, kParproTimetableBytes);
      quality = area->slot_b_quality;
      value = area->slot_b_value;
      gap_count_of_a = area->slot_a_header.gap_stage_count;
      taken = 2;
    }
    area->slot_b_state = 0;
  } else {
    area->progress = own_header(g_release.teacher_under_test);
  }
  parpro_unlock();
  if (taken == 1 && finished_run) {
    take_finished_run(field);
  } else if (taken && or_gap_stage_open()) {
    if (!take_into_open_search(field)) taken = 0;
  } else if (taken == 1) {
    take_as_live(field);
  } else if (taken == 2) {
    take_as_stage_best(field, quality, value);
    append_history(59, quality + 1, static_cast<std::int32_t>(value));
  }
  if (taken && g_parpro_trace)
    append_history(61, static_cast<std::int32_t>(gap_count_of_a), taken);
  if (taken) ++g_parpro_takes;
  if (looked_at_a && taken != 1) ++g_parpro_refusals;
  if (refused_a) *refused_a = looked_at_a && taken != 1;
  return taken;
}

int or_worker_take_published() {
  if (!g_parpro_area || g_process_number <= 0 || g_process_number > kMaxWorkerProcesses) return 0;
  ParproArea* area = parpro_area();
  static std::uint8_t field[kParproTimetableBytes];
  int use = kPublishLeft;
  std::uint8_t quality = 0;
  std::uint32_t value = 0;
  // A run that is being stopped leaves a go to the command watcher, which
  // starts the next run from it once this one has ended.
  if (g_status.run_state.load() == kRunStateStopRequested) return 0;
  if (!parpro_lock()) return 0;
  std::uint8_t& command = area->command[g_process_number];
  if (command == kParproGo && area->run_code == g_eng_run.run_mode) {
    ParproHeader published = area->progress;
    ParproHeader own = own_header(g_release.teacher_under_test);
    int at = stage_rank(static_cast<std::int32_t>(published.stage_id));
    int mine = stage_rank(g_status.stage_id);
    bool same_target = g_eng_run.run_mode != 13 || published.cycle_target == own.cycle_target;
    if (at >= 0 && mine > at) {
      use = kPublishKept;
    } else if (at >= 0 && mine == at && same_target) {
      use = kPublishKept;
      if (or_gap_stage_open()) {
        // The gap stage's open search searches apart to its end (workers
        // that all went on from the main's timetable would try one way
        // eight times); its result reaches the others through slot A.
      } else if (area->slot_b_flag != 0) {
        // A published stage best: its quality waits in slot B's fields
        // until a worker's offer fills the slot.
        if (area->slot_b_state != kSlotBFull &&
            better_quality(area->slot_b_quality, area->slot_b_value, g_search.stage_quality_byte,
                           g_search.stage_quality_value)) {
          use = kPublishTakenAsBest;
          quality = area->slot_b_quality;
          value = area->slot_b_value;
        }
      } else if (not_above(published, own) && !not_above(own, published)) {
        use = kPublishTakenAsLive;
      }
      if (use != kPublishKept && parpro_check_timetable(area->start_timetable) >= 0) use = kPublishKept;
    }
    if (use != kPublishLeft) command = 0;
    if (use == kPublishTakenAsLive || use == kPublishTakenAsBest) {
      std::memcpy(field, area->start_timetable, kParproTimetableBytes);
      ++area->worker_takes;
    }
  }
  parpro_unlock();
  if (use == kPublishTakenAsLive) take_as_live(field);
  if (use == kPublishTakenAsBest) take_as_stage_best(field, quality, value);
  return use;
}

void or_parpro_begin_run() {
  if (!g_parpro_area || g_process_number != 0 || !parpro_lock()) return;
  ParproArea* area = parpro_area();
  area->run_serial += 1;
  area->slot_a_state = 0;
  area->slot_a_finished = 0;
  area->slot_b_state = 0;
  area->slot_b_flag = 0;
  parpro_unlock();
}

void or_parpro_clear_worker_counts() {
  // The summary counts one run's trading: the desktop runs many in one process.
  g_published_rank = -1;
  g_parpro_takes = 0;
  g_parpro_refusals = 0;
  if (!g_parpro_area || g_process_number != 0 || !parpro_lock()) return;
  ParproArea* area = parpro_area();
  std::memset(area->worker_cycles, 0, sizeof area->worker_cycles);
  std::memset(area->worker_starts, 0, sizeof area->worker_starts);
  area->worker_takes = 0;
  parpro_unlock();
}

std::string or_parpro_worker_counts() {
  std::string cycles, starts;
  if (!g_parpro_area || !parpro_lock()) return {};
  ParproArea* area = parpro_area();
  for (int i = 1; i < g_process_count && i <= kMaxWorkerProcesses; ++i) {
    if (i > 1) {
      cycles += '/';
      starts += '/';
    }
    cycles += std::to_string(area->worker_cycles[i]);
    starts += std::to_string(area->worker_starts[i]);
  }
  parpro_unlock();
  return "cicli=" + cycles + " avvii=" + starts;
}

int or_parpro_worker_takes() {
  if (!g_parpro_area || !parpro_lock()) return 0;
  int n = static_cast<int>(parpro_area()->worker_takes);
  parpro_unlock();
  return n;
}

void or_exchange_with_workers() {
  if (g_process_number > 0) {
    or_worker_take_published();
    return;
  }
  // The main process alone writes the progress header the workers' offers
  // are measured against, and it takes their results.
  if (!g_parpro_area || g_process_count < 2) return;
  ParproArea* area = parpro_area();
  int level = g_status.level;
  if (level != g_search.level_noted) {
    if (parpro_lock()) {
      int at = g_search.level_noted;
      if (at >= 0 && at < kMaxTeachers) {
        if (level < at) area->level_rises[at] += 1;
        else area->level_falls[at] += 1;
      }
      parpro_unlock();
    }
    g_search.level_rising = level > g_search.level_noted;
    g_search.level_noted = level;
  }
  bool refused_a = false;
  int taken = or_take_result_slot(&refused_a);
  if (taken == 1 && g_eng_run.run_mode != 13) or_publish_to_workers(1, -1, 0);
  if (taken == 2 && g_eng_run.run_mode != 13) or_publish_to_workers(2, -1, -1);
  // The offer of a slot-A result stopped the other workers, which start
  // again at the next publish: one this process could not take (another
  // stage, or no better than its own) is followed by a publish of its own
  // timetable, so they do not wait for its next stage.
  if (refused_a && g_eng_run.run_mode != 13) or_publish_to_workers(1, -1, 1);
  // A stage handed over after a long stall is a later stage that nobody
  // finished: published, the workers (started from it at that stage) search
  // it beside this process instead of stalling, each on its own, on the
  // stages this process has left behind.
  if (taken == 0 && !refused_a && g_eng_run.run_mode != 13 && g_status.level.load() == 0 &&
      or_stage_rank(g_status.stage_id) > g_published_rank)
    or_publish_to_workers(1, -1, 1);
}

void or_set_worker_sleep(std::uint32_t milliseconds) {
  if (!g_parpro_area || g_process_count < 2 || !parpro_lock()) return;
  parpro_area()->worker_sleep_ms = milliseconds;
  parpro_unlock();
}

void or_serve_worker_requests() {
  if (!g_parpro_area || g_process_number <= 0) return;
  ParproArea* area = parpro_area();
  if (!parpro_lock()) return;
  std::uint8_t request = area->request[g_process_number];
  area->request[g_process_number] = 0;
  area->worker_cycles[g_process_number] += 1;
  std::uint32_t sleep_ms = area->worker_sleep_ms;
  parpro_unlock();
  if (request & kParproRequestExemptions) {
    or_reload_exemptions();
    std::snprintf(g_status.status_text, kStatusTextSize, "RILETTE DEROGHE");
    g_status.phase = 255;
  }
  if (request & kParproRequestPairings) {
    ConstraintSwitchTable[76].off = 1;
    std::snprintf(g_status.status_text, kStatusTextSize, "RIGIOCA ABBINAMENTI");
    g_status.phase = 255;
  }
  if (sleep_ms) std::this_thread::sleep_for(std::chrono::milliseconds(sleep_ms > 5000 ? 5000 : sleep_ms));
}
