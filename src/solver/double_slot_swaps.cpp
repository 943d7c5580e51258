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
#include "solver/run_state_reset.h"

namespace {

int g_day = 0, g_hour = -1, g_position = 0;

}  // namespace

void or_reset_double_swap_cursor() {
  g_day = 0;
  g_hour = -1;
  g_position = 0;
}

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
              if (!or_try_pair_exchange(a, b, a2, b2, true, true, delta)) continue;
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
