// A chain exchange is kept only when its price is within a bound, and a
// chain that cannot be kept may be priced with fewer sums than one that is.
// Whatever the shortcut, the decision must be the one of the full price: a
// chain is kept exactly when its price (the change of the whole evaluation)
// is within the bound, and a refused chain leaves everything as it was.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "school_fixture.h"
#include "sweep_school.h"
#include "solver/constraint_catalogue.h"
#include "solver/cost_evaluation.h"
#include "solver/neighbourhood_moves.h"
#include "solver/placement_state.h"
#include "solver/priced_exchange.h"
#include "solver/solver_state.h"

namespace {

constexpr std::int64_t kAnyPrice = std::int64_t{1} << 50;

void join(int a, int p) {
  g_eng_lessons[a].joint_count = g_eng_lessons[p].joint_count = 1;
  g_eng_lessons[a].joint_lessons[0] = p;
  g_eng_lessons[p].joint_lessons[0] = a;
}

// A random school (teachers with day limits, rests, free-day wishes and
// week-long rules) with joint pairs standing together on Monday's first hour
// and parted across Tuesday's first two hours, the joint-lessons rule on and
// nobody held out, as in the open search.
std::int64_t school(std::uint64_t seed) {
  build_sweep_school(seed);
  for (int c = 0; c + 1 < 6; c += 2) {
    int a = g_eng_classes[c].week_grid[0][0], p = g_eng_classes[c + 1].week_grid[0][0];
    if (a != kGridFree && p != kGridFree && g_eng_lessons[a].teacher != g_eng_lessons[p].teacher) join(a, p);
  }
  for (int c = 1; c + 1 < 6; c += 2) {
    int a = g_eng_classes[c].week_grid[1][0], p = g_eng_classes[c + 1].week_grid[1][1];
    if (a != kGridFree && p != kGridFree && g_eng_lessons[a].joint_count == 0 && g_eng_lessons[p].joint_count == 0 &&
        g_eng_lessons[a].teacher != g_eng_lessons[p].teacher)
      join(a, p);
  }
  ConstraintSwitchTable[76].off = 0;
  ConstraintStats[76].weight = 100;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].held_out = 0;
  return or_evaluate_all_constraints64(0);
}

std::vector<std::uint16_t> places() {
  std::vector<std::uint16_t> out;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) out.push_back(lesson_place(l));
  return out;
}

struct Tally {
  int chains = 0, dearer = 0, cheaper = 0;
};

// One chain from the school's start: kept at any price, its price is the
// whole evaluation's change; then, from the start again, it is refused one
// below its price and kept at its price, with the same price.
void check_chain(std::uint64_t seed, int l, int slot, Tally& tally) {
  std::int64_t start = school(seed);
  bool kept = false;
  std::int64_t price = or_try_slot_chain_within(l, slot, kAnyPrice, &kept);
  if (!kept) return;  // clashing, whole, too long or leaving a class gap
  ++tally.chains;
  if (price > 0) ++tally.dearer;
  if (price < 0) ++tally.cheaper;
  ASSERT_EQ(or_evaluate_all_constraints64(0) - start, price) << "seed " << seed << " lesson " << l << " slot " << slot;

  school(seed);
  std::vector<std::uint16_t> before = places();
  or_try_slot_chain_within(l, slot, price - 1, &kept);
  ASSERT_FALSE(kept) << "kept below its price: seed " << seed << " lesson " << l << " slot " << slot;
  ASSERT_EQ(places(), before) << "seed " << seed << " lesson " << l << " slot " << slot;
  ASSERT_EQ(or_evaluate_all_constraints64(0), start) << "seed " << seed << " lesson " << l << " slot " << slot;

  std::int64_t again = or_try_slot_chain_within(l, slot, price, &kept);
  ASSERT_TRUE(kept) << "refused at its price: seed " << seed << " lesson " << l << " slot " << slot;
  EXPECT_EQ(again, price) << "seed " << seed << " lesson " << l << " slot " << slot;
  expect_sound_placement("chain at its price");
}

TEST(SlotChainPriceBound, EveryChainIsKeptExactlyWhenItsWholeEvaluationChangeIsWithinTheBound) {
  Tally tally;
  for (std::uint64_t seed : {41u, 42u}) {
    school(seed);
    std::vector<int> start;  // each lesson's slot, -1 when unplaced
    for (int l = 0; l < g_eng_school.lesson_count; ++l) start.push_back(lesson_placed(l) ? lesson_slot(l) : -1);
    int lessons = g_eng_school.lesson_count;
    for (int l = seed % 9; l < lessons; l += 9)
      for (int d = 0; d < days_per_week(); ++d)
        for (int h = 0; h < hours_of_day(d); ++h) {
          int slot = d * kHoursPerDay + h;
          if (start[l] < 0 || slot == start[l]) continue;
          check_chain(seed, l, slot, tally);
          if (::testing::Test::HasFatalFailure()) return;
        }
  }
  // Both sides of the bound are reached many times over.
  EXPECT_GT(tally.chains, 100);
  EXPECT_GT(tally.dearer, 50);
  EXPECT_GT(tally.cheaper, 10);
}

// The exchange of two lessons of one class, priced over their teachers and
// the class, is kept at a price of at most 0 and refused above; its sums
// after the swap stop once they pass what the swap must beat. A refused
// swap made by hand must raise the whole evaluation, a kept one lowers it
// (or leaves it) by exactly its price.
TEST(SlotChainPriceBound, AnExchangeInOneClassIsRefusedExactlyWhenTheWholeEvaluationWouldRise) {
  int kept = 0, refused = 0;
  for (std::uint64_t seed : {51u, 52u}) {
    build_sweep_school(seed);
    std::int64_t score = or_evaluate_all_constraints64(0);
    for (int c = 0; c < g_eng_school.class_count; ++c)
      for (int a = 0; a < g_eng_school.lesson_count; a += 2)
        for (int b = 0; b < g_eng_school.lesson_count; ++b) {
          if (g_eng_lessons[a].class_index != c || g_eng_lessons[b].class_index != c) continue;
          LessonPrice price = or_price_lesson(a);
          std::vector<std::uint16_t> before = places();
          ExchangeOutcome r = or_priced_exchange(a, b, price, false, ZeroRule::kKeep);
          if (!r.tried) continue;
          if (r.kept) {
            ++kept;
            std::int64_t now = or_evaluate_all_constraints64(0);
            ASSERT_EQ(now - score, r.delta) << "seed " << seed << " lessons " << a << ", " << b;
            ASSERT_LE(r.delta, 0);
            score = now;
            continue;
          }
          ++refused;
          ASSERT_EQ(places(), before) << "seed " << seed << " lessons " << a << ", " << b;
          or_swap_tested_lessons(a, b);
          or_rebuild_grids_and_evaluate();
          ASSERT_GT(g_solver.total_score, score) << "refused a gain: seed " << seed << " lessons " << a << ", " << b;
          or_undo_swap_lessons(a, b);
          or_rebuild_grids_and_evaluate();
          ASSERT_EQ(g_solver.total_score, score) << "seed " << seed << " lessons " << a << ", " << b;
        }
  }
  EXPECT_GT(kept, 10);
  EXPECT_GT(refused, 200);
}

}  // namespace
