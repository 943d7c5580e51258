// The double exchange between two week slots: two lessons of the first slot
// (A, A2) take the second slot and two of the second (B, B2) take the
// first, priced over the four lessons' teachers and classes. Used in place
// of the other moves while the search focuses on class returns.
//
// Invariants: the pair swap refuses clashes; an exchange that would leave
// a class with a gap is taken back before it is priced; a taken-back
// exchange restores placement, slot lists, grids and cache entries.
//
// Workload: a call walks the lessons of one slot against every later slot
// of the week; most candidates end in the swap's conflict test.
#include "engine/status_block.h"
#include "solver/cost_evaluation.h"
#include "solver/neighbourhood_moves.h"
#include "solver/placement_state.h"
#include "solver/priced_exchange.h"

namespace {

struct FourPrice {
  std::int64_t teachers = 0, classes = 0;
};

// Teacher sums of the four lessons (each teacher once); class sum of A's class in full form
// and of each further distinct class in its class-only form.
FourPrice price_four(const int* l) {
  FourPrice p;
  p.teachers = or_price_teachers_once(l, 4);
  for (int i = 0; i < 4; ++i) {
    int c = g_eng_lessons[l[i]].class_index;
    bool seen = false;
    for (int j = 0; j < i; ++j) seen |= g_eng_lessons[l[j]].class_index == c;
    if (!seen) p.classes += or_price_class(l[i], i == 0 ? 0 : 1);
  }
  return p;
}

bool any_gap(const int* l) {
  for (int i = 0; i < 4; ++i)
    if (or_class_has_gap(g_eng_lessons[l[i]].class_index)) return true;
  return false;
}

// One candidate; returns 1 when kept, with the delta in `delta`.
int try_double(int a, int b, int a2, int b2, std::int64_t& delta) {
  const int l[4] = {a, b, a2, b2};
  std::int64_t bonus = 0;
  for (int x : l) bonus += or_price_joint_bonus(x);
  FourPrice before = price_four(l);
  const std::uint16_t old_places[4] = {lesson_place(a), lesson_place(b), lesson_place(a2), lesson_place(b2)};
  if (or_swap_lesson_pairs(a, b, a2, b2) != kNoConflict) return 0;
  static GridScratch scratch;
  scratch.clear();
  scratch.save_lessons(l, 4);
  or_move_lesson_grids(l, old_places, 4);
  if (any_gap(l)) {
    or_undo_swap_lesson_pairs(a, b, a2, b2);
    scratch.restore();
    return 0;
  }
  or_penalty_cache_open4(a, b, a2, b2);
  FourPrice after = price_four(l);
  delta = (after.teachers + after.classes) - (before.teachers + before.classes) - bonus;
  if (delta <= 0) {
    or_penalty_cache_commit4(a, b, a2, b2);
    for (int x : l) g_lesson_checked[x] = 1;
    ++g_move_run.kept_exchanges;
    return 1;
  }
  or_undo_swap_lesson_pairs(a, b, a2, b2);
  or_penalty_cache_undo4(a, b, a2, b2);
  scratch.restore();
  return 0;
}

int g_day = 0, g_hour = -1, g_position = 0;

}  // namespace

int or_double_swap_slots(std::int64_t* out) {
  std::int64_t score = g_solver.total_score;
  int days = days_per_week();
  auto finish = [&](int kept) {
    if (out) *out = score;
    return kept;
  };
  if (days <= 0) return finish(0);
  ++g_hour;
  if (g_day >= days) g_day = 0;
  if (g_hour >= hours_of_day(g_day)) {
    g_hour = 0;
    g_day = g_day + 1 >= days ? 0 : g_day + 1;
  }
  if (g_hour >= hours_of_day(g_day)) return finish(0);
  int slot1 = g_day * kHoursPerDay + g_hour;
  int kept = 0;
  int entries = static_cast<int>(g_slot_lessons[slot1].count);
  for (int e = 0; e < entries; ++e) {
    int count1 = static_cast<int>(g_slot_lessons[slot1].count);
    g_position = (g_position + 1 >= count1 || g_position < 0) ? 0 : g_position + 1;
    int a = g_slot_lessons[slot1].lesson[g_position];
    if (a < 0) continue;
    bool next_a = false;
    for (int d2 = g_day; d2 < days && !next_a; ++d2)
      for (int h2 = g_hour + 1; h2 < hours_of_day(d2) && !next_a; ++h2) {
        if (g_status.run_state.load() == 1) return finish(kept);
        int slot2 = d2 * kHoursPerDay + h2;
        const SlotLessonList& list2 = g_slot_lessons[slot2];
        for (std::uint32_t ib = 0; ib < list2.count && !next_a; ++ib) {
          int b = list2.lesson[ib];
          if (b < 0 || b >= a || or_lessons_interchangeable(a, b)) continue;
          for (std::uint32_t ia2 = 0; ia2 < g_slot_lessons[slot1].count && !next_a; ++ia2) {
            int a2 = g_slot_lessons[slot1].lesson[ia2];
            if (a2 < 0 || a2 == a) continue;
            for (std::uint32_t ib2 = 0; ib2 < list2.count && !next_a; ++ib2) {
              int b2 = list2.lesson[ib2];
              if (b2 < 0 || b2 == b) continue;
              std::int64_t delta = 0;
              if (!try_double(a, b, a2, b2, delta)) continue;
              ++kept;
              score += delta;
              if (delta < 0 || score < 1) return finish(kept);
              next_a = true;
            }
          }
        }
      }
  }
  return finish(kept);
}
