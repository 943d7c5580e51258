// Constraint weights of the search: reset, focus on one constraint, weight
// modes and the perturbation that shakes the search out of a stall.
//
// Weights are u32 and only grow by saturating additions; every product with
// them is taken in 64 bits by the evaluators. The divisors here (the scale K,
// the error count + 1) are never 0.
// Workload: a few calls per search cycle at most; each walks 96 ids.
#include "solver/search_weights.h"

#include <cstring>

#include "engine/engine_random.h"
#include "engine/status_block.h"
#include "solver/constraint_parameters.h"
#include "solver/cost_evaluation.h"
#include "solver/run_state_reset.h"

SearchWeightState g_weights = {177, 27, 0, 0, 0, {}, 0, 0, 1};

void or_reset_weight_state() {
  g_weights = {177, 27, 0, 0, 0, {}, 0, 0, 1};
  // The focus flags pick the weights a run starts from. A report sets them
  // for the school it evaluates and nothing takes them back, so the next
  // command would start focused where a fresh process starts unfocused.
  std::memset(g_eng_run.focus_flags, 0, sizeof g_eng_run.focus_flags);
}

namespace {

constexpr int kFocusIds[4] = {79, 86, 59, 32};

std::uint32_t sat_add(std::uint32_t a, std::uint64_t b) {
  std::uint64_t s = a + b;
  return s > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(s);
}

std::uint32_t clamp32(std::uint64_t v) { return v > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(v); }

bool focus_flag(int k) {
  if (k < 3) return g_eng_run.focus_flags[k] != 0;
  return g_weights.focus_class_returns != 0;
}

void all_weights(std::uint32_t w) {
  for (ConstraintStat& s : ConstraintStats) s.weight = w;
}

void restart_increment() {
  g_weights.increment = 177;
  for (std::uint8_t& b : g_weights.side) b = 0;
}

int level() { return g_status.level.load(); }
int stage() { return g_status.stage_id.load(); }
bool no_stage() { return stage() < 0; }

void weight_84_when_idle() {
  if (level() == 0 && no_stage()) ConstraintStats[84].weight = kFocusWeight;
}

std::uint32_t errors() {
  int e = g_status.error_count.load();
  return e < 0 ? 0u : static_cast<std::uint32_t>(e);
}

std::uint32_t random_below(std::uint64_t n) {
  if (n == 0) return 0;
  std::uint64_t r = (static_cast<std::uint64_t>(g_engine_random.next()) << 31) ^ g_engine_random.next();
  return static_cast<std::uint32_t>(r % n);
}

void advance_cursor_wrap(std::uint64_t k2, bool mode3) {
  if (++g_weights.cursor <= 95) return;
  g_weights.cursor = 0;
  std::uint64_t e = errors();
  if (mode3) {
    g_weights.increment = clamp32(e * k2 * 117);
    for (ConstraintStat& s : ConstraintStats) s.weight = clamp32(random_below(e + 1) * k2 + 1);
  } else {
    g_weights.increment = clamp32(e * k2);
    for (ConstraintStat& s : ConstraintStats) s.weight = clamp32(random_below((e + 1) * k2) + 1);
  }
}

}  // namespace

void or_apply_focus_flags() {
  for (int k = 0; k < 4; ++k) {
    if (!focus_flag(k)) continue;
    all_weights(kFocusWeight);
    ConstraintStats[kFocusIds[k]].weight = 1;
    restart_increment();
  }
}

void or_reset_weights(int all) {
  int teachers = g_eng_school.teacher_count;
  if (teachers > kMaxTeachers) teachers = kMaxTeachers;
  for (int t = 0; t < teachers; ++t)
    g_eng_teachers[t].weight = g_eng_teachers[t].pseudo_flag == 1 ? kPseudoTeacherWeight : 1;
  if (!all) return;
  // A new run starts from every constraint on with weight 1, whatever the
  // previous command of this process left in the tables.
  or_reset_constraint_tables();
  for (int t = 0; t < teachers; ++t) {
    g_eng_teachers[t].points = 0;
    g_eng_teachers[t].points2 = 0;
  }
  for (int c = 0; c < kMaxClasses; ++c) g_eng_classes[c].weight = 1;
  or_apply_focus_flags();
}

void or_focus_stage_weights(int stage_id) {
  restart_increment();
  all_weights(kFocusWeight);
  if (stage_id >= 0 && stage_id < kConstraintCount) ConstraintStats[stage_id].weight = 1;
  weight_84_when_idle();
}

int or_focus_single_constraint(int id) {
  restart_increment();
  all_weights(kFocusWeight);
  if (id >= 0 && id < kConstraintCount) ConstraintStats[id].weight = 1;
  return id;
}

void or_set_constraint_weights() {
  if (g_weights.stage_focus == 1 && !no_stage() && stage() != 48) {
    or_focus_stage_weights(stage());
    return;
  }
  restart_increment();
  for (int c = 0; c < kMaxClasses; ++c) g_eng_classes[c].weight = 1;
  if (g_status.focus_mode.load() == 22) {
    all_weights(kFocusWeight);
    ConstraintStats[48].weight = 1;
  } else {
    all_weights(1);
  }
  or_apply_focus_flags();
  weight_84_when_idle();
}

void or_set_gap_stage_weights() {
  if (g_weights.stage_focus == 1 && !no_stage()) {
    or_focus_stage_weights(stage());
    return;
  }
  if (level() > 0) {
    all_weights(1);
  } else {
    all_weights(kFocusWeight);
    ConstraintStats[48].weight = 1;
    or_apply_focus_flags();
  }
  if (no_stage()) ConstraintStats[84].weight = kFocusWeight;
}

void or_next_weight_mode(int highest_mode) {
  if (++g_weights.scale > 37) g_weights.scale = 17;
  g_weights.weights_changed = 1;
  if (++g_weights.mode > highest_mode) g_weights.mode = 0;
}

void or_perturb_weights() {
  int run_mode = g_eng_run.run_mode;
  if (run_mode == 19 || run_mode == 22 || g_weights.stage_focus) return;
  g_eng_run.report_flag = 0;
  std::uint64_t k2 = g_weights.scale;
  if (g_status.focus_mode.load() == 22) k2 *= kFocusWeight;
  switch (g_weights.mode) {
    case 0:
      for (int step = 0; step < 98; ++step) {
        advance_cursor_wrap(k2, false);
        ConstraintStat& s = ConstraintStats[g_weights.cursor];
        s.weight = sat_add(s.weight, g_weights.increment);
        g_weights.increment = sat_add(g_weights.increment, errors());
      }
      break;
    case 1:
    case 3: {
      bool mode3 = g_weights.mode == 3;
      for (int step = 0; step < 98; ++step) {
        advance_cursor_wrap(k2, mode3);
        ConstraintStat& s = ConstraintStats[g_weights.cursor];
        if (s.count == 0) {
          s.weight = clamp32(k2 / 2 == 0 ? 1 : k2 / 2);
          continue;
        }
        if (mode3) {
          s.weight = sat_add(s.weight, static_cast<std::uint64_t>(s.count) * g_weights.increment);
          g_weights.increment = sat_add(g_weights.increment, 177ull * errors());
        } else {
          s.weight = sat_add(s.weight, g_weights.increment);
          g_weights.increment = sat_add(g_weights.increment, errors());
        }
        break;
      }
      break;
    }
    default:
      if (++g_weights.cursor > 95) g_weights.cursor = 0;
      ConstraintStats[g_weights.cursor].weight = sat_add(ConstraintStats[g_weights.cursor].weight, g_weights.increment);
      g_weights.increment = sat_add(g_weights.increment, 1);
      break;
  }
  if (g_status.focus_mode.load() == 22) {
    ConstraintStats[48].weight = 1;
  } else if (stage() == 80 || stage() == 81) {
    for (int c = 0; c < kMaxClasses; ++c) g_eng_classes[c].weight = random_below(17) + 1;
  }
  or_apply_focus_flags();
  weight_84_when_idle();
}

int or_focus_common_room_minimum() {
  if (ConstraintSwitchTable[79].off != 0) return 0;
  int rooms = g_eng_school.common_room_count;
  if (rooms > kMaxCommonRooms) rooms = kMaxCommonRooms;
  for (int r = 0; r < rooms; ++r)
    if (g_eng_common_rooms[r].needed_attendance >= 1) return 1;
  return 0;
}

// The school asks for the distribution of co-taught lessons through the
// wanted number per slot, the "TOCOMI:" first value.
int or_focus_twin_distribution() { return g_eng_school.tocomi > 0 ? 1 : 0; }

// The school's single-hour value ("TEKNO:" last value): 1 asks for the pass;
// a value above 2 counts in every stage and is brought back to 1 for it.
int or_focus_single_hour_lessons() {
  std::int8_t& value = g_school_rule_params.single_hour_value;
  if (value > 2) value = 1;
  return value == 1 ? 1 : 0;
}

// Constraint 32 is never focused.
int or_focus_class_returns() { return 0; }
