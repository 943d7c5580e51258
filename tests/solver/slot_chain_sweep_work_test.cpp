// The chain sweep's work: a chain it has built and refused is the same
// chain from any of its lessons toward the other slot, and the placement
// does not change until one is kept, so the sweep does not build and price
// it again. It must still end exactly where trying every candidate one by
// one ends, with fewer chains priced.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "school_fixture.h"
#include "sweep_school.h"
#include "solver/constraint_catalogue.h"
#include "solver/cost_evaluation.h"
#include "solver/neighbourhood_moves.h"
#include "solver/priced_exchange.h"
#include "solver/solver_state.h"

namespace {

void join(int a, int p) {
  g_eng_lessons[a].joint_count = g_eng_lessons[p].joint_count = 1;
  g_eng_lessons[a].joint_lessons[0] = p;
  g_eng_lessons[p].joint_lessons[0] = a;
}

// A random school with joint pairs parted between Tuesday's first and second
// hours, the joint-lessons rule on and nobody held out, as in the open
// search; then one full evaluation, which names the teachers with
// violations.
void school(std::uint64_t seed) {
  build_sweep_school(seed);
  for (int c = 0; c + 1 < 6; ++c) {
    int a = g_eng_classes[c].week_grid[1][0], p = g_eng_classes[c + 1].week_grid[1][1];
    if (a != kGridFree && p != kGridFree && g_eng_lessons[a].joint_count == 0 && g_eng_lessons[p].joint_count == 0 &&
        g_eng_lessons[a].teacher != g_eng_lessons[p].teacher)
      join(a, p);
  }
  ConstraintSwitchTable[76].off = 0;
  ConstraintStats[76].weight = 100;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].held_out = 0;
  or_evaluate_all_constraints64(0);
}

bool in_error(int l) {
  const EngineLesson& x = g_eng_lessons[l];
  for (int k = 0; k < x.joint_count; ++k) {
    int p = x.joint_lessons[k];
    if (lesson_placed(p) && lesson_slot(p) != lesson_slot(l)) return true;
  }
  if (g_teacher_violations[x.teacher] > 0) return true;
  return lesson_has_second_teacher(l) && g_teacher_violations[x.second_teacher] > 0;
}

// The sweep's candidates, each against every slot of the week, tried one by
// one: the work without any chain remembered.
std::int64_t one_by_one(std::int64_t score) {
  std::vector<int> candidates;
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    if (lesson_placed(l) && in_error(l)) candidates.push_back(l);
  for (int l : candidates)
    for (int d = 0; d < days_per_week(); ++d)
      for (int h = 0; h < hours_of_day(d); ++h) {
        int slot = d * kHoursPerDay + h;
        if (!lesson_placed(l) || slot == lesson_slot(l)) continue;
        std::int64_t delta = or_try_slot_chain(l, slot, false);
        if (delta >= 0) continue;
        score += delta;
        if (score < 1) return score;
      }
  return score;
}

std::vector<std::uint16_t> places() {
  std::vector<std::uint16_t> out;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) out.push_back(lesson_place(l));
  return out;
}

TEST(SlotChainSweepWork, TheSweepEndsWhereEveryCandidateTriedOneByOneEndsAndPricesFewerChains) {
  for (std::uint64_t seed : {31u, 32u, 33u}) {
    school(seed);
    std::int64_t start = or_evaluate_all_constraints64(0);
    std::uint64_t priced = g_move_run.priced_exchanges;
    std::int64_t reference_score = one_by_one(start);
    std::uint64_t reference_priced = g_move_run.priced_exchanges - priced;
    std::vector<std::uint16_t> reference_places = places();
    ASSERT_EQ(or_evaluate_all_constraints64(0), reference_score) << "seed " << seed;

    school(seed);
    ASSERT_EQ(or_evaluate_all_constraints64(0), start) << "seed " << seed;
    priced = g_move_run.priced_exchanges;
    std::int64_t running = 0;
    or_sweep_slot_chains(&running);
    std::uint64_t sweep_priced = g_move_run.priced_exchanges - priced;
    expect_sound_placement("chain sweep");
    EXPECT_EQ(running, reference_score) << "seed " << seed;
    EXPECT_EQ(or_evaluate_all_constraints64(0), reference_score) << "seed " << seed;
    EXPECT_EQ(places(), reference_places) << "seed " << seed;
    EXPECT_GT(reference_priced, 0u) << "seed " << seed;
    EXPECT_LT(sweep_priced, reference_priced) << "seed " << seed;
  }
}

}  // namespace
