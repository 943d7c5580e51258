// Staging start and staging step (see constraint_staging.h).
//
// Invariant: the staging is the only writer of the switch-off bytes besides
// the reset; a constraint goes back off only through a new staging start.
// Workload: a staging start runs up to 96 full evaluations once per driver
// step (keep-what-is-satisfied); a step runs one teacher sum per teacher.
#include "solver/constraint_staging.h"

#include <cstdio>
#include <cstring>

#include "engine/status_block.h"
#include "solver/cost_evaluation.h"
#include "solver/run_state_reset.h"

const std::uint8_t kStagingOrder[82] = {
    35, 80, 81, 76, 44, 77, 78, 89, 79, 86, 87, 88, 83, 85, 84, 67, 11, 43, 6,  7,  5,
    54, 75, 82, 29, 30, 31, 34, 36, 53, 33, 61, 55, 65, 26, 27, 28, 12, 13, 46, 57, 58,
    16, 17, 14, 15, 20, 21, 22, 49, 32, 8,  9,  10, 23, 64, 24, 25, 18, 19, 51, 52, 42,
    45, 68, 40, 37, 38, 39, 41, 4,  47, 50, 56, 60, 66, 62, 63, 59, 2,  3,  48};
const std::uint8_t kStagingFreeIds[11] = {1, 69, 70, 71, 72, 73, 74, 90, 91, 92, 93};

StagingSettings g_staging;

void or_reset_staging_settings() { g_staging = StagingSettings{}; }

namespace {

constexpr int kGapStage = 48;
constexpr int kParproLevelTableA = 22501;  // two 500-entry u32 tables of the shared area
constexpr int kParproLevelTableB = 24501;

void set_all_switches(std::uint8_t value) {
  for (ConstraintSwitch& s : ConstraintSwitchTable) s.off = value;
}

void store_switched_off() { g_status.switched_off_count = or_count_switched_off(); }

void switch_on_stage(int id) {
  ConstraintSwitchTable[id].off = 0;
  g_status.stage_id = id;
  std::snprintf(g_status.status_text, sizeof g_status.status_text, "%.40s",
                or_constraint_name(id, g_status.language.load()));
}

int teacher_total() {
  int n = g_eng_school.teacher_count;
  return n < 0 ? 0 : (n > kMaxTeachers ? kMaxTeachers : n);
}

void clear_teachers_in_test() {
  for (int t = 0; t < teacher_total(); ++t) g_eng_teachers[t].in_test = 0;
  g_status.teachers_in_test = 0;
}

void clear_parallel_level_tables() {
  if (g_parpro_area == nullptr) return;
  if (!or_wait_mutex_for(g_parpro_com_mutex, 2000)) return;
  std::memset(g_parpro_area + kParproLevelTableA, 0, 500 * sizeof(std::uint32_t));
  std::memset(g_parpro_area + kParproLevelTableB, 0, 500 * sizeof(std::uint32_t));
  or_release_mutex(g_parpro_com_mutex);
}

// Keep-what-is-satisfied start: each id alone decides whether it stays on.
void start_keeping_satisfied() {
  for (int id = 0; id < kConstraintCount; ++id) {
    ConstraintSwitchTable[id].off = 0;
    if (or_evaluate_all_constraints64(0) != 0) ConstraintSwitchTable[id].off = 1;
  }
  ConstraintSwitchTable[kGapStage].off = 0;
  g_staging.gap_weighting = 0;
  clear_teachers_in_test();
  // Kept on only when satisfied against the real allowance: a timetable that
  // meets it only at a tolerated level still needs the gap stage.
  g_status.gap_tolerance_level = 0;
  if (g_evaluators[kGapStage].full() == 0) {
    ConstraintSwitchTable[0].off = 0;
    ConstraintSwitchTable[95].off = 0;
    return;
  }
  g_status.gap_tolerance_level = 7;
  g_staging.gap_weighting = 0;
  std::int64_t e = or_evaluate_all_constraints64(0);
  while (g_status.gap_tolerance_level.load() > 0) {
    g_status.gap_tolerance_level = g_status.gap_tolerance_level.load() - 1;
    if (or_evaluate_all_constraints64(0) != e) {
      g_status.gap_tolerance_level = g_status.gap_tolerance_level.load() + 1;
      break;
    }
  }
  ConstraintSwitchTable[kGapStage].off = 1;
  ConstraintSwitchTable[0].off = 0;
  ConstraintSwitchTable[95].off = 0;
}

}  // namespace

int or_count_switched_off() {
  int n = 0;
  for (const ConstraintSwitch& s : ConstraintSwitchTable) n += s.off != 0 ? 1 : 0;
  return n;
}

void or_staging_start(int stage) {
  if (stage >= 0 && stage < kConstraintCount) {
    set_all_switches(0);
    ConstraintSwitchTable[stage].off = 1;
    if (stage == kGapStage) {
      g_status.gap_tolerance_level = 7;
      g_staging.gap_weighting = (g_staging.gap_option == 0 && g_eng_run.run_mode != 20) ? 7 : 0;
      or_reset_test_teachers(teacher_total());
    }
  } else if (stage < 0) {
    set_all_switches(0);
    or_evaluate_all_constraints64(0);
    set_all_switches(1);
    if (stage == -2) {
      start_keeping_satisfied();
    } else {
      g_staging.gap_weighting = 0;
      or_reset_test_teachers(teacher_total());
      g_status.gap_tolerance_level = 7;
      ConstraintSwitchTable[0].off = 0;
      ConstraintSwitchTable[95].off = 0;
    }
  }
  store_switched_off();
}

int or_staging_next() {
  g_status.stage_start_id = -1;
  clear_parallel_level_tables();
  store_switched_off();
  if (g_status.switched_off_count.load() == 0) {
    or_count_test_teachers();
    return or_release_test_teacher();
  }
  for (int id : kStagingFreeIds)
    if (ConstraintSwitchTable[id].off) switch_on_stage(id);
  if (ConstraintSwitchTable[94].off) {
    switch_on_stage(94);
  } else {
    for (int id : kStagingOrder) {
      if (!ConstraintSwitchTable[id].off) continue;
      if (id == kGapStage) {
        if (g_staging.gap_staging == 0) break;
        switch_on_stage(id);
        or_append_history(52);
        if (g_staging.gap_option != 0) or_append_history(53);
      } else {
        switch_on_stage(id);
      }
      break;
    }
  }
  g_status.stage_counters[0] = 0;
  if (g_status.stage_id.load() == kGapStage) {
    or_reset_test_teachers(teacher_total());
  } else {
    g_status.stage_counters[1] = 0;
    for (int t = 0; t < teacher_total(); ++t)
      g_eng_teachers[t].penalty_seen = or_teacher_penalty(t) != 0 ? 1 : 0;
  }
  store_switched_off();
  if (g_staging.gap_staging == 0 && g_status.switched_off_count.load() == 1 &&
      ConstraintSwitchTable[kGapStage].off)
    return 0;
  return 1;
}
