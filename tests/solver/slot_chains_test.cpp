// The chain exchange between two slots: its price is the change of the whole
// evaluation, it never creates a clash or a class gap, it carries joint
// lessons that stand together whole, a refused chain leaves placement and
// grids as they were, and it rejoins a parted joint pair where only a chain
// through three classes can.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/engine_random.h"
#include "eval2_mini_school.h"
#include "school_fixture.h"
#include "sweep_school.h"
#include "solver/cost_evaluation.h"
#include "solver/neighbourhood_moves.h"

namespace {

void random_school(std::uint64_t seed) { build_sweep_school(seed); }

// The joint-lessons rule on and nobody held out, as in the open search:
// every parted joint lesson counts, above any gap.
void hold_nobody_out() {
  ConstraintSwitchTable[76].off = 0;
  ConstraintStats[76].weight = 100;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].held_out = 0;
}

void join(int a, int p) {
  g_eng_lessons[a].joint_count = g_eng_lessons[p].joint_count = 1;
  g_eng_lessons[a].joint_lessons[0] = p;
  g_eng_lessons[p].joint_lessons[0] = a;
}

bool together(int a) {
  int p = g_eng_lessons[a].joint_lessons[0];
  return lesson_slot(a) == lesson_slot(p);
}

// Joint pairs on a random school: classes c and c + 1 joined at Monday's
// first hour (standing together) and, for the next two classes, a lesson of
// Tuesday's first hour with one of Tuesday's second (parted).
struct Pairs {
  std::vector<int> standing, parted;
};


Pairs join_pairs() {
  Pairs pairs;
  for (int c = 0; c + 1 < 6; c += 2) {
    int a = g_eng_classes[c].week_grid[0][0], p = g_eng_classes[c + 1].week_grid[0][0];
    if (a != kGridFree && p != kGridFree && g_eng_lessons[a].teacher != g_eng_lessons[p].teacher) {
      join(a, p);
      pairs.standing.push_back(a);
    }
  }
  for (int c = 1; c + 1 < 6; c += 2) {
    int a = g_eng_classes[c].week_grid[1][0], p = g_eng_classes[c + 1].week_grid[1][1];
    if (a != kGridFree && p != kGridFree && g_eng_lessons[a].joint_count == 0 && g_eng_lessons[p].joint_count == 0 &&
        g_eng_lessons[a].teacher != g_eng_lessons[p].teacher) {
      join(a, p);
      pairs.parted.push_back(a);
    }
  }
  return pairs;
}

struct Snapshot {
  std::vector<std::uint16_t> places;
  std::vector<std::uint16_t> class_grids, teacher_grids;

  static Snapshot take() {
    Snapshot s;
    for (int l = 0; l < g_eng_school.lesson_count; ++l) s.places.push_back(lesson_place(l));
    for (int c = 0; c < g_eng_school.class_count; ++c) {
      const EngineClass& k = g_eng_classes[c];
      for (int d = 0; d < kDays; ++d)
        for (int h = 0; h < kHoursPerDay; ++h) s.class_grids.push_back(k.week_grid[d][h]);
      s.class_grids.insert(s.class_grids.end(), k.teacher_grid, k.teacher_grid + kWeekSlots);
    }
    for (int t = 0; t < g_eng_school.teacher_count; ++t) {
      const EngineTeacher& x = g_eng_teachers[t];
      s.teacher_grids.insert(s.teacher_grids.end(), x.class_per_slot, x.class_per_slot + kWeekSlots);
      s.teacher_grids.insert(s.teacher_grids.end(), x.lesson_per_slot, x.lesson_per_slot + kWeekSlots);
    }
    return s;
  }
};

TEST(SlotChains, EveryChainPricesTheWholeEvaluationsChangeAndKeepsTheTimetableSound) {
  int kept = 0, refused = 0;
  for (std::uint64_t seed : {11u, 12u, 13u}) {
    random_school(seed);
    Pairs pairs = join_pairs();
    hold_nobody_out();
    ASSERT_FALSE(pairs.standing.empty()) << "seed " << seed;
    ASSERT_FALSE(pairs.parted.empty()) << "seed " << seed;
    std::int64_t score = or_evaluate_all_constraints64(0);
    for (int l = 0; l < g_eng_school.lesson_count; l += 3)
      for (int slot = 0; slot < 5 * kHoursPerDay; ++slot) {
        if (slot % kHoursPerDay >= 6) continue;
        Snapshot before = Snapshot::take();
        std::int64_t delta = or_try_slot_chain(l, slot, (l / 3) % 2 == 0);
        std::int64_t now = or_evaluate_all_constraints64(0);
        if (delta > 0) {
          ++refused;
          ASSERT_EQ(now, score) << "refused chain, seed " << seed << " lesson " << l << " slot " << slot;
          Snapshot after = Snapshot::take();
          ASSERT_EQ(after.places, before.places) << "seed " << seed << " lesson " << l;
          ASSERT_EQ(after.class_grids, before.class_grids) << "seed " << seed << " lesson " << l;
          ASSERT_EQ(after.teacher_grids, before.teacher_grids) << "seed " << seed << " lesson " << l;
          continue;
        }
        ++kept;
        ASSERT_EQ(now - score, delta) << "kept chain, seed " << seed << " lesson " << l << " slot " << slot;
        score = now;
        expect_sound_placement("chain");
        for (int a : pairs.standing) ASSERT_TRUE(together(a)) << "seed " << seed << " pair of lesson " << a;
      }
  }
  EXPECT_GT(kept, 10);
  EXPECT_GT(refused, 10);
}

TEST(SlotChains, TheSweepLowersTheScoreAndKeepsJointPairsWhole) {
  int kept = 0;
  for (std::uint64_t seed : {21u, 22u}) {
    random_school(seed);
    Pairs pairs = join_pairs();
    hold_nobody_out();
    std::int64_t before = or_evaluate_all_constraints64(0);
    for (int call = 0; call < 2; ++call) {
      std::int64_t running = 0;
      kept += or_sweep_slot_chains(&running);
      expect_sound_placement("chain sweep");
      std::int64_t now = or_evaluate_all_constraints64(0);
      EXPECT_EQ(now, running) << "seed " << seed << " call " << call;
      EXPECT_LE(now, before) << "seed " << seed << " call " << call;
      before = now;
      for (int a : pairs.standing) EXPECT_TRUE(together(a)) << "seed " << seed << " lesson " << a;
    }
  }
  EXPECT_GT(kept, 0);
}

// One day of two hours and four classes. Lesson A (teacher 0, class 1A) at
// the first hour is joint with P (teacher 1, class 2A) at the second. Each
// of them moving to the other's hour needs its class's lesson of that hour
// to move back, which meets the other teacher or class busy there: A's
// teacher 0 teaches 3A at the second hour, and P's teacher 1 teaches 4A at
// the first. Only a chain through three classes rejoins the pair.
TEST(SlotChains, APartedJointPairIsRejoinedThroughAChainOfThreeClasses) {
  mini_school(1, 2, 4, 4);
  int a = add_lesson(0, 0, 0, 0);
  int x = add_lesson(2, 0, 0, 1);
  int y = add_lesson(3, 1, 0, 0);
  int p = add_lesson(1, 1, 0, 1);
  int w = add_lesson(2, 2, 0, 0);
  int z = add_lesson(0, 2, 0, 1);
  add_lesson(1, 3, 0, 0);
  add_lesson(3, 3, 0, 1);
  // Each lesson its own subject: where joint lessons are linked by class and
  // subject, no other lesson stands in for a partner.
  for (int l = 0; l < g_eng_school.lesson_count; ++l) g_eng_lessons[l].subject = l + 1;
  join(a, p);
  rebuild_mini_school();
  g_solver.search_phase = 2;
  hold_nobody_out();
  std::int64_t before = or_evaluate_all_constraints64(0);
  ASSERT_GT(before, 0);
  // No exchange of two lessons of one class can make it.
  EXPECT_TRUE(or_swap_clashes(a, x));
  EXPECT_TRUE(or_swap_clashes(p, y));
  std::int64_t running = 0;
  EXPECT_GE(or_sweep_slot_chains(&running), 1);
  expect_sound_placement("three classes");
  EXPECT_EQ(lesson_slot(a), lesson_slot(p));
  std::int64_t after = or_evaluate_all_constraints64(0);
  EXPECT_LT(after, before);
  EXPECT_EQ(after, running);
  // Teacher 0 still teaches both hours, in 1A and 3A.
  EXPECT_NE(lesson_slot(a), lesson_slot(z));
  EXPECT_NE(lesson_slot(x), lesson_slot(w));
}

}  // namespace
