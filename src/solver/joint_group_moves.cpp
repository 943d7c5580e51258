// The joint-group move: a lesson held jointly with one lesson of another
// class (the pair sits in one week slot, as the joint-lessons rule wants)
// moves to another slot together with its partner; in each of the two
// classes the lesson of the target slot takes the pair's slot. A single
// exchange of two lessons parts the pair, which the joint-lessons rule
// prices so high that no such exchange is kept: the pair's teachers' gaps
// and hours could not move at all in the search's last steps.
//
// Invariants: the pair swap refuses clashes and the class shapes do not
// change (each class exchanges two of its own lessons); a taken-back move
// restores placement, slot lists, grids and cache entries.
//
// Workload: a call tries each joint pair against every other slot of the
// week, a few thousand candidates on a school with forty pairs; most end in
// the swap's conflict test.
#include "engine/status_block.h"
#include "solver/cost_evaluation.h"
#include "solver/neighbourhood_moves.h"
#include "solver/placement_state.h"
#include "solver/priced_exchange.h"
#include "solver/run_state_reset.h"

namespace {

int g_pair_cursor = 0;

}  // namespace

void or_reset_joint_pair_cursor() { g_pair_cursor = 0; }

namespace {

bool lesson_ok(int l) { return l >= 0 && l < kMaxLessons && l < g_eng_school.lesson_count; }

// The one partner of a joint pair led by `a`, or -1: each pair is led by
// its lower lesson when both name each other.
int pair_partner(int a) {
  const EngineLesson& x = g_eng_lessons[a];
  if (x.joint_count != 1) return -1;
  int p = x.joint_lessons[0];
  if (!lesson_ok(p) || p == a || !lesson_placed(a) || !lesson_placed(p)) return -1;
  const EngineLesson& y = g_eng_lessons[p];
  if (y.class_index == x.class_index) return -1;
  if (p < a && y.joint_count == 1 && y.joint_lessons[0] == a) return -1;
  return lesson_slot(p) == lesson_slot(a) ? p : -1;
}

int lesson_of_class_at(int c, int d, int h) {
  if (c < 0 || c >= kMaxClasses || c >= g_eng_school.class_count) return -1;
  int l = g_eng_classes[c].week_grid[d][h];
  if (l == kGridFree || !lesson_ok(l)) return -1;
  const EngineLesson& x = g_eng_lessons[l];
  if (x.class_index != c || x.day != d || x.hour != h) return -1;
  return l;
}

}  // namespace

int or_sweep_joint_groups(std::int64_t* out) {
  std::int64_t score = g_solver.total_score;
  int kept = 0;
  auto finish = [&] {
    if (out) *out = score;
    return kept;
  };
  int lessons = g_eng_school.lesson_count;
  if (lessons > kMaxLessons) lessons = kMaxLessons;
  int days = days_per_week();
  for (int step = 0; step < lessons; ++step) {
    g_pair_cursor = g_pair_cursor + 1 >= lessons || g_pair_cursor < 0 ? 0 : g_pair_cursor + 1;
    int a = g_pair_cursor;
    int p = pair_partner(a);
    if (p < 0) continue;
    int home = lesson_slot(a);
    int ca = g_eng_lessons[a].class_index, cp = g_eng_lessons[p].class_index;
    bool moved = false;
    for (int d = 0; d < days && !moved; ++d)
      for (int h = 0; h < hours_of_day(d) && !moved; ++h) {
        if (d * kHoursPerDay + h == home) continue;
        if (g_status.run_state.load() == 1) return finish();
        int b = lesson_of_class_at(ca, d, h), b2 = lesson_of_class_at(cp, d, h);
        if (b < 0 || b2 < 0 || b == b2 || b == p || b2 == a) continue;
        std::int64_t delta = 0;
        if (!or_try_pair_exchange(a, b, p, b2, false, false, delta)) continue;
        ++kept;
        score += delta;
        if (score < 1) return finish();
        moved = true;
      }
  }
  return finish();
}
