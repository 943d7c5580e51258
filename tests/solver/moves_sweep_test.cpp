// The neighbourhood moves on synthetic schools: every sweep keeps the
// placement sound, the running score a move returns equals a fresh full
// evaluation, every computed cache entry equals a recomputation, joint
// lessons keep the grids right and a rotation books no laboratory twice.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/engine_random.h"
#include "eval2_mini_school.h"
#include "school_fixture.h"
#include "sweep_school.h"
#include "solver/colleague_rotations.h"
#include "solver/cost_evaluation.h"
#include "solver/neighbourhood_moves.h"
#include "solver/priced_exchange.h"

namespace {

void random_school(std::uint64_t seed) { build_sweep_school(seed); }

void expect_caches_recomputed(const char* where) {
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    if (g_teacher_penalty[t] == kPenaltyNotComputed || g_eng_teachers[t].calendar_class >= 0) continue;
    EXPECT_EQ(g_teacher_penalty[t], or_teacher_penalty_checked(t)) << where << " teacher " << t;
  }
  for (int c = 0; c < g_eng_school.real_class_count; ++c) {
    if (g_class_penalty[c] == kPenaltyNotComputed) continue;
    std::int64_t part = 0;
    for (int id : {80, 81, 75, 82, 83}) part += or_run_delta_check(id, c);
    EXPECT_EQ(g_class_penalty[c], part) << where << " class " << c;
  }
}

TEST(MovesSweep, EverySweepKeepsThePlacementSoundAndPricesExactly) {
  for (std::uint64_t seed : {1u, 2u, 3u}) {
    random_school(seed);
    std::int64_t start = or_evaluate_all_constraints64(0);
    ASSERT_GT(start, 0);
    for (int round = 0; round < 3; ++round) {
      std::int64_t before = or_evaluate_all_constraints64(0);
      std::int64_t running = 0;
      or_sweep_focused_class_pairs(&running);
      expect_sound_placement("focused");
      expect_caches_recomputed("focused");
      EXPECT_EQ(or_evaluate_all_constraints64(0), running) << "focused, seed " << seed;
      EXPECT_LE(running, before);
      or_sweep_slot_pairs(&running);
      expect_sound_placement("slot pairs");
      expect_caches_recomputed("slot pairs");
      // Lessons of other classes are priced in the class-only form, so the
      // running score of the moves across classes is not compared.
      or_evaluate_all_constraints64(0);
      or_sweep_worst_teacher_classes(1, &running);
      expect_sound_placement("worst teacher");
      EXPECT_EQ(or_evaluate_all_constraints64(0), running) << "worst teacher, seed " << seed;
      or_sweep_class_pairs();
      expect_sound_placement("class pairs");
      expect_caches_recomputed("class pairs");
      or_sweep_class_pairs_backward();
      expect_sound_placement("backward");
      expect_caches_recomputed("backward");
    }
    EXPECT_LT(or_evaluate_all_constraints64(0), start) << "seed " << seed;
  }
}

// Two teachers stand for the calendars of classes 0 and 1, with day patterns
// the random week misses (84 counts). Scans of every lesson A against the
// lessons B of its class, with A's price reused as the sweeps reuse it (a B
// of a calendar teacher then reads that teacher's sum from the price), give
// the outcomes and the placement of the same scans with a price that never
// holds such a sum.
namespace {

void calendar_school(std::uint64_t seed) {
  random_school(seed);
  for (int c : {0, 1}) {
    g_eng_teachers[c].calendar_class = c;
    EngineClass& k = g_eng_classes[c];
    std::memset(k.special_weekdays, 0, sizeof k.special_weekdays);
    std::memcpy(k.special_weekdays, c == 0 ? "66655" : "6664", c == 0 ? 5 : 4);
  }
  rebuild_mini_school();
  or_evaluate_all_constraints64(0);
}

std::vector<std::int64_t> scan_classes(bool reuse) {
  std::vector<std::int64_t> seen;
  for (int c = 0; c < g_eng_school.real_class_count; ++c) {
    int n = g_eng_classes[c].lesson_index_count;
    for (int i = 0; i < n; ++i) {
      int a = g_eng_classes[c].lesson_indexes[i];
      LessonPrice price = or_price_lesson(a);
      for (int j = i + 1; j < n; ++j) {
        int b = g_eng_classes[c].lesson_indexes[j];
        if (!reuse) price.calendar_teacher = -1;
        ExchangeOutcome r = or_priced_exchange(a, b, price, false, ZeroRule::kKeep);
        seen.insert(seen.end(), {r.tried, r.kept, r.delta, r.teacher_b_before, r.teacher_b_after, price.teacher});
      }
    }
  }
  for (int l = 0; l < g_eng_school.lesson_count; ++l) seen.push_back(lesson_place(l));
  return seen;
}

}  // namespace

TEST(MovesSweep, CalendarTeacherSumsReadFromTheScanPriceChangeNoOutcome) {
  for (std::uint64_t seed : {4u, 5u, 6u}) {
    calendar_school(seed);
    ASSERT_GT(g_evaluators[84].full(), 0) << "seed " << seed;
    std::vector<std::int64_t> reused = scan_classes(true);
    calendar_school(seed);
    std::vector<std::int64_t> fresh = scan_classes(false);
    EXPECT_EQ(reused, fresh) << "seed " << seed;
    expect_sound_placement("calendar scans");
  }
}

TEST(MovesSweep, DoubleSwapsKeepThePlacementSound) {
  random_school(8);
  int kept = 0;
  for (int call = 0; call < 40; ++call) {
    or_evaluate_all_constraints64(0);
    std::int64_t running = 0;
    kept += or_double_swap_slots(&running);
    expect_sound_placement("double");
    expect_caches_recomputed("double");
  }
  EXPECT_GT(kept, 0);
}

TEST(MovesEdge, JointLessonsSharingACellKeepTheGridsRight) {
  mini_school(2, 4, 4, 1);
  int j1 = add_lesson(0, 0, 0, 0, 1);
  int j2 = add_lesson(1, 0, 0, 0, 2);
  g_eng_lessons[j1].joint_count = g_eng_lessons[j2].joint_count = 1;
  g_eng_lessons[j1].joint_lessons[0] = j2;
  g_eng_lessons[j2].joint_lessons[0] = j1;
  for (int h = 1; h < 4; ++h) add_lesson(2 + h % 2, 0, 0, h, 3 + h);
  for (int h = 0; h < 4; ++h) add_lesson(h % 4, 0, 1, h, 10 + h);
  rebuild_mini_school();
  g_eng_teachers[0].dimpe[0] = 3;  // teacher 0 wants Monday 3: moving the joint lesson pays
  or_evaluate_all_constraints64(0);
  for (int k = 0; k < 3; ++k) {
    or_sweep_class_pairs();
    expect_sound_placement("joint");
  }
}

// Joins the lessons of classes c and c + 1 at Monday's first hour as a
// joint pair (different teachers, so the pair can stand there).
bool join_first_hours(int c) {
  int a = g_eng_classes[c].week_grid[0][0], p = g_eng_classes[c + 1].week_grid[0][0];
  if (a == kGridFree || p == kGridFree || g_eng_lessons[a].teacher == g_eng_lessons[p].teacher) return false;
  g_eng_lessons[a].joint_count = g_eng_lessons[p].joint_count = 1;
  g_eng_lessons[a].joint_lessons[0] = p;
  g_eng_lessons[p].joint_lessons[0] = a;
  return true;
}

bool pair_together(int a) {
  int p = g_eng_lessons[a].joint_lessons[0];
  return g_eng_lessons[a].day == g_eng_lessons[p].day && g_eng_lessons[a].hour == g_eng_lessons[p].hour;
}

TEST(MovesSweep, JointPairsMoveWholeAndOnlyForTheBetter) {
  int kept = 0, moved_pairs = 0;
  for (std::uint64_t seed : {4u, 5u, 6u, 7u}) {
    random_school(seed);
    std::vector<int> pairs;
    for (int c = 0; c + 1 < 6; c += 2)
      if (join_first_hours(c)) pairs.push_back(g_eng_classes[c].week_grid[0][0]);
    ASSERT_FALSE(pairs.empty()) << "seed " << seed;
    std::vector<std::uint16_t> home;
    for (int a : pairs) home.push_back(lesson_place(a));
    std::int64_t before = or_evaluate_all_constraints64(0);
    for (int call = 0; call < 6; ++call) {
      std::int64_t running = 0;
      kept += or_sweep_joint_groups(&running);
      expect_sound_placement("joint pairs");
      expect_caches_recomputed("joint pairs");
      std::int64_t now = or_evaluate_all_constraints64(0);
      EXPECT_LE(now, before) << "seed " << seed << " call " << call;
      before = now;
      for (int a : pairs) EXPECT_TRUE(pair_together(a)) << "seed " << seed << " lesson " << a;
    }
    for (std::size_t i = 0; i < pairs.size(); ++i) moved_pairs += lesson_place(pairs[i]) != home[i];
  }
  EXPECT_GT(kept, 0);
  EXPECT_GT(moved_pairs, 0);
}

// ---- colleague rotations -------------------------------------------------------

// Teachers 0 and 1 both teach class 0; teacher 1 also teaches class 1.
// A (t0, 1A) and B (t1, 2A) at Monday 1; A2 (t0, 1A) and B2 (t1, 2A) at Monday 2.
void colleague_school() {
  mini_school(1, 4, 3, 3);
  add_lesson(0, 0, 0, 0);  // A
  add_lesson(0, 0, 0, 1);  // A2
  add_lesson(1, 1, 0, 0);  // B
  add_lesson(1, 1, 0, 1);  // B2
  add_lesson(1, 0, 0, 2);  // teacher 1 in the shared class
  add_lesson(2, 0, 0, 3);
  add_lesson(2, 1, 0, 2);
  add_lesson(1, 1, 0, 3);
  rebuild_mini_school();
  g_solver.search_phase = 2;
}

TEST(ColleagueRotations, NoLaboratoryIsEverBookedTwice) {
  colleague_school();
  // A is held in the laboratory (room 3) at Monday 1; class 3A, taught by a
  // teacher who shares no class with teacher 0, holds the laboratory at
  // Monday 2, where the only rotation of A would take it.
  g_eng_school.teacher_count = 4;
  g_eng_teachers[3].calendar_class = -1;
  g_eng_teachers[3].weight = 1;
  g_eng_school.room_count = 4;
  for (std::uint8_t& a : g_eng_rooms[3].availability) a = 1;
  g_eng_lessons[0].room = 3;
  add_lesson(3, 2, 0, 0);
  int lab = add_lesson(3, 2, 0, 1);
  g_eng_lessons[lab].room = 3;
  rebuild_mini_school();
  or_alloc_colleague_table();
  or_evaluate_all_constraints64(0);
  for (int k = 0; k < 20; ++k) {
    or_swap_colleague_slots(k % 2);
    ASSERT_EQ(g_eng_lessons[0].hour, 0) << k;  // the rotation of A is refused every time
    expect_sound_placement("laboratory");
  }
}

}  // namespace
