// Joint lessons held together by class: a lesson of one class is with its
// partner when the partner's class has a lesson of the partner's subject in
// the same slot (in the same building, where the building mode asks and
// either lesson fixes its class's building). The count of 76 and the joint
// bonus follow the slot lists through swaps of both classes' lessons, which
// move the entries the lists name the partners at.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/engine_random.h"
#include "engine/status_block.h"
#include "solver/class_constraints.h"
#include "solver/constraint_catalogue.h"
#include "solver/placement_state.h"
#include "solver/priced_exchange.h"
#include "solver/solver_state.h"
#include "solver/school_fixture.h"

namespace {

constexpr int kPerClass = 30;
constexpr int kPairs = 10;  // lesson k of class 0 with lesson k of class 1

struct JointPairSchool {
  JointPairSchool(std::uint64_t seed, bool buildings) {
    SchoolSpec spec;
    spec.lessons_per_class = kPerClass;
    build_school(spec, seed);
    g_eng_school.option_flags = 2;  // joint lessons by class
    for (int k = 0; k < kPairs; ++k) {
      int a = k, b = kPerClass + k;
      g_eng_lessons[a].joint_count = 1;
      g_eng_lessons[a].joint_lessons[0] = b;
      g_eng_lessons[b].joint_count = 1;
      g_eng_lessons[b].joint_lessons[0] = a;
    }
    if (buildings) {
      g_building_mode_flags = 1;
      EngineRandom r(seed + 7);
      for (int l = 0; l < g_eng_school.lesson_count; ++l) {
        g_eng_lessons[l].building = r.below(2);
        g_lesson_buildings[l].anchor = static_cast<std::uint8_t>(r.below(3) == 0);
      }
    }
    for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].held_out = 0;
    ConstraintStats[76].weight = 3;
    place_all_lessons();
    // As every search cycle does, a full check first: it finds the classes
    // with joint lessons, which the delta checks keep to until the next one.
    or_full_joint_lessons();
  }
  ~JointPairSchool() { reset_run_state(); }
};

// Whether some other lesson of the partner's class and subject stands in the
// lesson's slot, found over every lesson's record (not the slot lists).
bool together(int lesson, int partner) {
  const EngineLesson& x = g_eng_lessons[lesson];
  const EngineLesson& p = g_eng_lessons[partner];
  for (int o = 0; o < g_eng_school.lesson_count; ++o) {
    const EngineLesson& y = g_eng_lessons[o];
    if (o == lesson || y.class_index != p.class_index || y.subject != p.subject) continue;
    if (y.day != x.day || y.hour != x.hour) continue;
    if ((g_building_mode_flags & 3) != 0 && (g_lesson_buildings[lesson].anchor || g_lesson_buildings[o].anchor) &&
        y.building != x.building)
      continue;
    return true;
  }
  return false;
}

int pairs_apart(int c) {
  int n = 0;
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    if (g_eng_lessons[l].class_index == c && g_eng_lessons[l].joint_count == 1 &&
        !together(l, g_eng_lessons[l].joint_lessons[0]))
      ++n;
  return n;
}

// Swaps random lessons within class 0 or class 1 and checks 76 and the bonus
// after every swap; returns how many swaps were made.
int swap_and_check(std::uint64_t seed, int rounds, int* apart_seen, int* together_seen) {
  EngineRandom r(seed);
  int swaps = 0;
  for (int round = 0; round < rounds; ++round) {
    int c = static_cast<int>(r.below(2));
    int a = c * kPerClass + static_cast<int>(r.below(kPerClass));
    int b = c * kPerClass + static_cast<int>(r.below(kPerClass));
    if (a == b || or_swap_lessons(a, b) != 0) continue;
    ++swaps;
    or_rebuild_class_grids();
    or_rebuild_teacher_grids();
    for (int k = 0; k < 2; ++k) {
      int apart = pairs_apart(k);
      std::int64_t want = apart > 0 ? or_class_weighted(76, k, static_cast<std::uint32_t>(apart)) : 0;
      EXPECT_EQ(or_delta_joint_lessons(k), want) << "seed " << seed << " round " << round << " class " << k;
    }
    for (int k = 0; k < kPairs; ++k) {
      bool with = together(k, kPerClass + k);
      EXPECT_EQ(or_joint_bonus(k), with ? -1 : 0) << "seed " << seed << " round " << round << " pair " << k;
      ++*(with ? together_seen : apart_seen);
    }
  }
  return swaps;
}

// The clash cross-check on for one test: at its end the walk over the slot's
// lessons must have been asked, and must never have answered otherwise.
class CrossChecked {
 public:
  CrossChecked() {
    or_set_clash_cross_check(true);
    before_ = or_clash_cross_check();
  }
  void ExpectAgreed() const {
    ClashCrossCheck after = or_clash_cross_check();
    or_set_clash_cross_check(false);
    EXPECT_GT(after.walks, before_.walks);
    EXPECT_EQ(after.mismatches, before_.mismatches);
  }

 private:
  ClashCrossCheck before_{};
};

}  // namespace

TEST(JointPairsByClass, CountAndBonusFollowTheListsThroughSwaps) {
  for (std::uint64_t seed = 1; seed <= 4; ++seed) {
    JointPairSchool school(seed, false);
    int apart = 0, with = 0;
    EXPECT_GT(swap_and_check(seed, 300, &apart, &with), 20) << seed;
    EXPECT_GT(apart, 0) << seed;
  }
}

// Pairs in one slot but in different buildings, with either lesson fixing
// its class's building, are apart.
TEST(JointPairsByClass, BuildingsKeepAPairInOneSlotApart) {
  JointPairSchool school(5, true);
  int apart = 0, with = 0;
  swap_and_check(5, 200, &apart, &with);
  // Put a pair in one slot, in two buildings, the partner fixing its day.
  int a = -1, b = -1;
  for (int k = 0; k < kPairs && a < 0; ++k) {
    int p = kPerClass + k;
    for (int o = kPerClass; o < 2 * kPerClass && a < 0; ++o)
      if (o != p && lesson_slot(o) == lesson_slot(k) && or_swap_lessons(o, p) == 0) a = k, b = p;
  }
  ASSERT_GE(a, 0) << "no pair could be put together";
  or_rebuild_class_grids();
  ASSERT_EQ(lesson_slot(a), lesson_slot(b));
  g_eng_lessons[a].building = 0;
  g_eng_lessons[b].building = 1;
  g_lesson_buildings[a].anchor = 0;
  g_lesson_buildings[b].anchor = 1;
  bool other_match = together(a, b);  // another lesson of b's subject may stand there
  EXPECT_EQ(or_joint_bonus(a), other_match ? -1 : 0);
  g_lesson_buildings[b].anchor = 0;
  EXPECT_EQ(or_joint_bonus(a), -1);
  g_eng_lessons[b].building = 0;
  g_lesson_buildings[b].anchor = 1;
  EXPECT_EQ(or_joint_bonus(a), -1);
}

// With the clash cross-check on, every pair found through the partner's own
// list entry is also found by the walk over the slot's lessons.
TEST(JointPairsByClass, PartnersListEntryAnswersAsTheWalk) {
  CrossChecked cross_check;
  for (std::uint64_t seed = 6; seed <= 8; ++seed) {
    JointPairSchool school(seed, seed == 8);
    int apart = 0, with = 0;
    swap_and_check(seed, 200, &apart, &with);
    EXPECT_GT(with, 0) << seed;
  }
  cross_check.ExpectAgreed();
}

// The partner's class grid only suggests a match; the slot's list decides.
// Class 1's lessons (the partners, five to a subject) are swapped without
// rebuilding its grid, so the grid names lessons of the partner's subject
// in slots they have left: the count of 76 for class 0, whose own grid
// stays true, and the bonus of each pair still follow the records.
TEST(JointPairsByClass, AStalePartnerGridNamesNoMatch) {
  CrossChecked cross_check;
  for (std::uint64_t seed = 9; seed <= 12; ++seed) {
    JointPairSchool school(seed, seed == 12);
    EngineRandom r(seed);
    int swaps = 0, apart_seen = 0;
    for (int round = 0; round < 300; ++round) {
      int a = kPerClass + static_cast<int>(r.below(kPerClass));
      int b = kPerClass + static_cast<int>(r.below(kPerClass));
      if (a == b || or_swap_lessons(a, b) != 0) continue;
      ++swaps;
      int apart = pairs_apart(0);
      apart_seen += apart;
      std::int64_t want = apart > 0 ? or_class_weighted(76, 0, static_cast<std::uint32_t>(apart)) : 0;
      EXPECT_EQ(or_delta_joint_lessons(0), want) << "seed " << seed << " round " << round;
      for (int k = 0; k < kPairs; ++k)
        EXPECT_EQ(or_joint_bonus(k), together(k, kPerClass + k) ? -1 : 0)
            << "seed " << seed << " round " << round << " pair " << k;
    }
    EXPECT_GT(swaps, 20) << seed;
    EXPECT_GT(apart_seen, 0) << seed;
  }
  cross_check.ExpectAgreed();
}

namespace {

// A lesson of class 2 with no second teacher whose teacher is free at
// slot, other than those in `taken`; -1 when there is none.
int class_two_lesson_free_at(int slot, const int* taken, int taken_count) {
  for (int l = 2 * kPerClass; l < 3 * kPerClass; ++l) {
    bool used = false;
    for (int k = 0; k < taken_count; ++k) used |= taken[k] == l;
    int t = g_eng_lessons[l].teacher;
    if (!used && !lesson_has_second_teacher(l) && lesson_slot(l) != slot &&
        g_eng_teachers[t].lesson_per_slot[slot] == kGridFree)
      return l;
  }
  return -1;
}

// Four lessons of class 2, each in the others' joint lists, two by two in
// one slot (no teacher twice in a slot): class 2's grid has cells shared by
// joint lessons, holding the lower-numbered.
void share_class_two_cells(int* group) {
  for (int k = 0; k < 4; ++k) group[k] = -1;
  int n = 0;
  for (int first = 2 * kPerClass; first < 3 * kPerClass && n < 4; ++first) {
    bool used = false;
    for (int k = 0; k < n; ++k) used |= group[k] == first;
    if (used || lesson_has_second_teacher(first)) continue;
    group[n] = first;
    int mate = class_two_lesson_free_at(lesson_slot(first), group, n + 1);
    if (mate < 0) continue;
    group[n + 1] = mate;
    set_lesson_place(mate, lesson_place(first));
    or_rebuild_teacher_grids();
    n += 2;
  }
  ASSERT_EQ(n, 4);
  for (int k = 0; k < 4; ++k) {
    EngineLesson& x = g_eng_lessons[group[k]];
    x.joint_count = 3;
    for (int j = 0, m = 0; j < 4; ++j)
      if (j != k) x.joint_lessons[m++] = group[j];
  }
  or_rebuild_slot_index();
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
}

// Moves lesson l alone to the first slot from `from` on where its class has
// no lesson and its teacher none (as a lesson left unplaced is put back):
// its old cell is left with no other lesson of the class taking it.
bool move_to_free_cell(int l, int from) {
  if (lesson_has_second_teacher(l)) return false;
  const EngineLesson& x = g_eng_lessons[l];
  for (int i = 0; i < kWeekSlots; ++i) {
    int slot = (from + i) % kWeekSlots, d = slot / kHoursPerDay, h = slot % kHoursPerDay;
    if (d >= days_per_week() || h >= hours_of_day(d)) continue;
    if (g_eng_classes[x.class_index].week_grid[d][h] != kGridFree ||
        g_eng_teachers[x.teacher].lesson_per_slot[slot] != kGridFree)
      continue;
    const std::uint16_t old_place = lesson_place(l);
    or_slot_list_remove(l);
    set_lesson_place(l, static_cast<std::uint16_t>(d | (h << 8)));
    or_slot_list_add(l);
    or_move_lesson_grids(&l, &old_place, 1);
    return true;
  }
  return false;
}

}  // namespace

// A move updates the grids of a class with joint lessons only at the cells
// its moved lessons left and took: swaps within classes 0 to 2 and across
// them, some of them moving one of two joint lessons out of a shared cell or
// into one, leave every grid as a rebuild of the whole placement would.
TEST(JointPairsByClass, MovedLessonsLeaveTheGridsAsARebuild) {
  CrossChecked cross_check;
  for (std::uint64_t seed = 13; seed <= 16; ++seed) {
    JointPairSchool school(seed, false);
    int group[4];
    share_class_two_cells(group);
    EngineRandom r(seed);
    int swaps = 0, shared_moves = 0, moves_alone = 0;
    for (int round = 0; round < 400; ++round) {
      if (round % 3 == 1 && move_to_free_cell(2 * kPerClass + static_cast<int>(r.below(kPerClass)),
                                             static_cast<int>(r.below(kWeekSlots)))) {
        ++moves_alone;
        expect_grids_rebuilt(("seed " + std::to_string(seed) + " round " + std::to_string(round)).c_str());
        continue;
      }
      int ca = static_cast<int>(r.below(3));
      int cb = r.below(4) == 0 ? static_cast<int>(r.below(3)) : ca;
      int lessons[2] = {ca * kPerClass + static_cast<int>(r.below(kPerClass)),
                        cb * kPerClass + static_cast<int>(r.below(kPerClass))};
      if (round % 2 == 0) {  // one of the four, with another or with any lesson of class 2
        lessons[0] = group[r.below(4)];
        lessons[1] = r.below(2) == 0 ? group[r.below(4)] : 2 * kPerClass + static_cast<int>(r.below(kPerClass));
      }
      const std::uint16_t old_places[2] = {lesson_place(lessons[0]), lesson_place(lessons[1])};
      if (lessons[0] == lessons[1] || old_places[0] == old_places[1] || or_swap_lessons(lessons[0], lessons[1]) != 0)
        continue;
      ++swaps;
      for (int l : lessons)
        for (int k = 0; k < 4; ++k) shared_moves += l == group[k];
      or_move_lesson_grids(lessons, old_places, 2);
      expect_grids_rebuilt(("seed " + std::to_string(seed) + " round " + std::to_string(round)).c_str());
    }
    EXPECT_GT(swaps, 50) << seed;
    EXPECT_GT(shared_moves, 0) << seed;
    EXPECT_GT(moves_alone, 0) << seed;
  }
  cross_check.ExpectAgreed();
}

// Between full checks the delta of 76 looks up each class's lessons with
// partners in their own cells. Of two joint lessons sharing a cell only the
// cell's (the lower-numbered) is the class's there, as in the full check's
// walk of the grid: through moves of the four lessons sharing class 2's
// cells, the classes' deltas add up to the full check made after them, and
// with the clash cross-check on no delta differs from the walk.
TEST(JointPairsByClass, SharedCellsCountInTheDeltaAsInTheFullCheck) {
  CrossChecked cross_check;
  for (std::uint64_t seed = 17; seed <= 20; ++seed) {
    JointPairSchool school(seed, seed == 20);
    int group[4];
    share_class_two_cells(group);
    or_full_joint_lessons();
    EngineRandom r(seed);
    int swaps = 0, shared_cells_seen = 0;
    for (int round = 0; round < 1000; ++round) {
      int lessons[2] = {group[r.below(4)], r.below(2) == 0 ? group[r.below(4)]
                                                            : 2 * kPerClass + static_cast<int>(r.below(kPerClass))};
      const std::uint16_t old_places[2] = {lesson_place(lessons[0]), lesson_place(lessons[1])};
      if (lessons[0] == lessons[1] || old_places[0] == old_places[1] || or_swap_lessons(lessons[0], lessons[1]) != 0)
        continue;
      ++swaps;
      or_move_lesson_grids(lessons, old_places, 2);
      for (int j = 0; j < 4; ++j)
        for (int k = j + 1; k < 4; ++k) shared_cells_seen += lesson_place(group[j]) == lesson_place(group[k]);
      std::int64_t deltas = 0;
      for (int c = 0; c < g_eng_school.class_count; ++c) deltas += or_delta_joint_lessons(c);
      EXPECT_EQ(deltas, or_full_joint_lessons()) << "seed " << seed << " round " << round;
    }
    EXPECT_GT(swaps, 50) << seed;
    EXPECT_GT(shared_cells_seen, 0) << seed;
  }
  cross_check.ExpectAgreed();
}

// The delta of 76 keeps, per lesson with partners, which partners had a match
// in its slot until that slot's list is written again. Swaps of both
// classes' lessons, half of them undone as a refused exchange is (the lists
// put back from their backup), with the deltas asked in between and no full
// check: after every step each class's delta still follows the records.
TEST(JointPairsByClass, KeptPartnerMatchesFollowUndoneSwaps) {
  for (std::uint64_t seed = 21; seed <= 24; ++seed) {
    JointPairSchool school(seed, false);
    EngineRandom r(seed);
    int swaps = 0, undone = 0;
    auto expect_deltas = [&](int round, const char* step) {
      or_rebuild_class_grids();
      for (int c = 0; c < 2; ++c) {
        int apart = pairs_apart(c);
        std::int64_t want = apart > 0 ? or_class_weighted(76, c, static_cast<std::uint32_t>(apart)) : 0;
        EXPECT_EQ(or_delta_joint_lessons(c), want) << "seed " << seed << " round " << round << " " << step;
      }
    };
    for (int round = 0; round < 400; ++round) {
      int a = static_cast<int>(r.below(2)) * kPerClass + static_cast<int>(r.below(kPerClass));
      int b = static_cast<int>(r.below(2)) * kPerClass + static_cast<int>(r.below(kPerClass));
      if (a == b || or_swap_lessons(a, b) != 0) continue;
      ++swaps;
      expect_deltas(round, "swapped");
      if (r.below(2) == 0) continue;
      or_undo_swap_lessons(a, b);
      ++undone;
      expect_deltas(round, "undone");
    }
    EXPECT_GT(undone, 20) << seed;
    EXPECT_GT(swaps, undone) << seed;
  }
}
