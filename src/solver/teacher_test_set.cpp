// The set of teachers in test: the teachers whose own constraints the
// teacher-side moves work on, filled by points and released one at a time
// once every constraint is on.
//
// Every operation ends by storing the number of teachers in test in the
// status block. "Released teacher" is a teacher index t, or -100 - t when the
// alternating rule released it with kind 1, or -1.
// Workload: a few calls per stage; each walks the teachers once or twice.
#include "engine/status_block.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"
#include "solver/run_state_reset.h"

namespace {

int g_release_cursor = 0;
std::uint8_t g_release_toggle = 0;

}  // namespace

void or_reset_release_cursor() {
  g_release_cursor = 0;
  g_release_toggle = 0;
}

namespace {

int teacher_total() {
  int n = g_eng_school.teacher_count;
  return n < 0 ? 0 : (n > kMaxTeachers ? kMaxTeachers : n);
}

int released_index() {
  int r = g_status.released_teacher.load();
  return r <= -100 ? -100 - r : r;
}

int store_count() {
  int n = 0;
  for (int t = 0; t < teacher_total(); ++t) n += g_eng_teachers[t].in_test >= 1 ? 1 : 0;
  g_status.teachers_in_test = n;
  return n;
}

bool in_test(int t) { return g_eng_teachers[t].in_test >= 1; }

// Not in test, release rank 0, not the released teacher: the fewest points.
int pick_unranked_fewest_points(int min_gap_marker) {
  int best = -1, released = released_index();
  for (int t = 0; t < teacher_total(); ++t) {
    const EngineTeacher& x = g_eng_teachers[t];
    if (in_test(t) || x.release_rank != 0 || t == released) continue;
    if (min_gap_marker > 0 && x.gap_marker < min_gap_marker) continue;
    if (best < 0 || x.points < g_eng_teachers[best].points) best = t;
  }
  return best;
}

// Among ranked teachers: the smallest release rank, on ties the fewest points.
int pick_smallest_rank(int min_gap_marker, std::uint32_t rank_limit, bool below_released) {
  int best = -1, released = released_index();
  for (int t = 0; t < teacher_total(); ++t) {
    const EngineTeacher& x = g_eng_teachers[t];
    if (in_test(t) || t == released) continue;
    if (min_gap_marker > 0 ? x.gap_marker < min_gap_marker : x.calendar_class != -1) continue;
    if (min_gap_marker > 0 && x.release_rank > rank_limit) continue;
    if (below_released && released >= 0 && released < kMaxTeachers &&
        x.release_rank >= g_eng_teachers[released].release_rank)
      continue;
    if (best < 0 || x.release_rank < g_eng_teachers[best].release_rank ||
        (x.release_rank == g_eng_teachers[best].release_rank && x.points < g_eng_teachers[best].points))
      best = t;
  }
  return best;
}

int add_one_teacher() {
  int t = pick_unranked_fewest_points(0);
  if (t < 0) t = pick_smallest_rank(0, 0, true);
  if (t >= 0) g_eng_teachers[t].in_test = 1;
  return t;
}

bool all_constraints_on() { return or_count_switched_off() == 0; }

void mark_released(int t, int kind) {
  g_eng_teachers[t].in_test = 0;
  g_status.released_teacher = kind == 1 ? -100 - t : t;
}

}  // namespace

int or_count_test_teachers() { return store_count(); }

int or_reset_test_teachers(int n) {
  int teachers = teacher_total();
  if (n < 0) {
    for (int t = 0; t < teachers; ++t) g_eng_teachers[t].in_test = 0;
    store_count();
    return 0;
  }
  if (n > 0) {
    for (int t = 0; t < teachers; ++t) {
      bool graded = g_eng_teachers[t].tekgrado[0] != 0;
      g_eng_teachers[t].in_test = (g_eval_mode == 2 && graded) ? 0 : 1;
    }
    g_status.teacher_total = teachers;
    return store_count();
  }
  add_one_teacher();
  return store_count();
}

int or_add_test_teachers(int n) {
  int teachers = teacher_total();
  for (int t = 0; t < teachers; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    if (g_solver.worker_index >= 1) {
      if (x.calendar_class >= 0 || (x.type_flags & (4 | 8 | 64)) != 0) x.in_test = 1;
    } else if (x.gap_marker == 0) {
      x.in_test = 1;
    }
  }
  int added = 0;
  while (added < n) {
    int t = pick_unranked_fewest_points(0);
    if (t < 0) break;
    g_eng_teachers[t].in_test = 1;
    ++added;
  }
  int count = store_count();
  return added == 0 && n > 0 ? -1 : count;
}

int or_add_gap_teacher() {
  int t = pick_unranked_fewest_points(1);
  if (t < 0) t = pick_smallest_rank(1, g_staging.gap_stage_value, false);
  if (t < 0) return or_reset_test_teachers(0);
  g_eng_teachers[t].in_test = 1;
  return store_count();
}

int or_add_gap_teacher_strict() {
  int t = pick_unranked_fewest_points(2);
  if (t < 0) return or_add_gap_teacher();
  g_eng_teachers[t].in_test = 1;
  return store_count();
}

int or_release_lowest_teacher(int kind) {
  if (all_constraints_on()) {
    int best = -1;
    for (int t = 0; t < teacher_total(); ++t)
      if (in_test(t) && (best < 0 || g_eng_teachers[t].points < g_eng_teachers[best].points)) best = t;
    if (best >= 0) mark_released(best, kind);
  }
  return store_count();
}

int or_release_next_teacher(int kind) {
  int teachers = teacher_total();
  if (all_constraints_on() && teachers > 0) {
    for (int k = 1; k <= teachers; ++k) {
      int t = (g_release_cursor + k) % teachers;
      if (!in_test(t)) continue;
      g_release_cursor = t;
      mark_released(t, kind);
      store_count();
      return 1;
    }
  }
  return store_count();
}

int or_release_test_teacher() {
  if (!all_constraints_on()) return store_count();
  if (g_eng_run.run_mode == 20 && g_status.gap_tolerance_level.load() == 0) {
    g_release_toggle ^= 1;
    return g_release_toggle ? or_release_next_teacher(2) : or_release_lowest_teacher(1);
  }
  int best = -1;
  for (int t = 0; t < teacher_total(); ++t) {
    const EngineTeacher& x = g_eng_teachers[t];
    if (!in_test(t) || x.release_rank == 0) continue;
    if (best < 0 || x.release_rank > g_eng_teachers[best].release_rank ||
        (x.release_rank == g_eng_teachers[best].release_rank && x.points >= g_eng_teachers[best].points))
      best = t;
  }
  if (best < 0)
    for (int t = 0; t < teacher_total(); ++t)
      if (in_test(t) && (best < 0 || g_eng_teachers[t].points >= g_eng_teachers[best].points)) best = t;
  if (best >= 0) mark_released(best, 2);
  return store_count();
}
