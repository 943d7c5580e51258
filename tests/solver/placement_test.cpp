// Placement state: the pair conflict codes, the swaps and their undo, the
// slot index and the grid rebuilds.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "engine/engine_random.h"
#include "engine/errors.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/placement_state.h"

namespace {

void put(int l, int day, int hour) { set_lesson_place(l, static_cast<std::uint16_t>(day | (hour << 8))); }

struct PairCase {
  const char* id;
  int class_a, class_b, room_a, room_b, teacher_a, teacher_b, second_a, second_b;
  bool joint;
  int expected;
  friend void PrintTo(const PairCase& k, std::ostream* os) { *os << k.id; }
};

class PairConflict : public ::testing::TestWithParam<PairCase> {};

TEST_P(PairConflict, CodeOfTheFirstRuleThatHolds) {
  const PairCase& k = GetParam();
  SchoolSpec spec;
  spec.classes = 2;
  spec.lessons_per_class = 1;
  spec.teachers = 6;
  spec.lab_lessons_per_class = 0;
  build_school(spec, 1);
  EngineLesson* l = g_eng_lessons;
  l[0].class_index = k.class_a;
  l[1].class_index = k.class_b;
  l[0].room = k.room_a;
  l[1].room = k.room_b;
  l[0].teacher = k.teacher_a;
  l[1].teacher = k.teacher_b;
  l[0].second_teacher = k.second_a;
  l[1].second_teacher = k.second_b;
  l[0].piece_kind = k.second_a >= 0 ? kHasLaboratoryPart : 0;
  l[1].piece_kind = k.second_b >= 0 ? kHasConversationPart : 0;
  if (k.joint) {
    l[0].joint_count = 1;
    l[0].joint_lessons[0] = 1;
  }
  put(0, 0, 0);
  put(1, 0, 0);
  EXPECT_EQ(or_lesson_pair_conflict(0, 1), k.expected) << k.id;
  put(1, 0, 1);
  EXPECT_EQ(or_lesson_pair_conflict(0, 1), kNoConflict) << k.id << " other slot";
}

INSTANTIATE_TEST_SUITE_P(
    Codes, PairConflict,
    ::testing::Values(
        PairCase{"none", 0, 1, 0, 1, 0, 1, -1, -1, false, 0},
        PairCase{"class", 0, 0, 0, 0, 0, 1, -1, -1, false, 1},
        PairCase{"joint_class", 0, 0, 0, 0, 0, 1, -1, -1, true, 0},
        PairCase{"joint_class_same_teacher", 0, 0, 0, 0, 2, 2, -1, -1, true, 3},
        PairCase{"room", 0, 1, 4, 4, 0, 1, -1, -1, false, 2},
        PairCase{"joint_room", 0, 1, 4, 4, 0, 1, -1, -1, true, 0},
        PairCase{"teacher", 0, 1, 0, 1, 3, 3, -1, -1, false, 3},
        PairCase{"second_a_is_teacher_b", 0, 1, 0, 1, 0, 4, 4, -1, false, 4},
        PairCase{"teacher_a_is_second_b", 0, 1, 0, 1, 0, 1, 5, 0, false, 5},
        PairCase{"same_second", 0, 1, 0, 1, 0, 1, 5, 5, false, 6},
        PairCase{"second_b_is_teacher_a", 0, 1, 0, 1, 0, 1, -1, 0, false, 7}),
    [](const auto& info) { return std::string(info.param.id); });

struct Snapshot {
  std::vector<std::uint16_t> places;
  std::unique_ptr<SlotLessonList[]> lists{new SlotLessonList[kWeekSlots]};
  void take() {
    places.assign(g_eng_school.lesson_count, 0);
    for (int l = 0; l < g_eng_school.lesson_count; ++l) places[l] = lesson_place(l);
    std::memcpy(lists.get(), g_slot_lessons, sizeof(g_slot_lessons));
  }
  bool same_as_now() const {
    for (int l = 0; l < g_eng_school.lesson_count; ++l)
      if (places[l] != lesson_place(l)) return false;
    return std::memcmp(lists.get(), g_slot_lessons, sizeof(g_slot_lessons)) == 0;
  }
};

class PlacedSchool : public ::testing::Test {
 protected:
  void SetUp() override {
    build_school(SchoolSpec{}, 7);
    place_all_lessons();
  }
};

TEST_F(PlacedSchool, KeptSwapsKeepTheSlotIndexRightAndClashFree) {
  EngineRandom random(5);
  int n = g_eng_school.lesson_count;
  for (int round = 0; round < 300; ++round) {
    int a = random.below(n), b = random.below(n);
    if (or_swap_lessons(a, b) != kNoConflict) continue;
    for (int l = 0; l < n; ++l) ASSERT_EQ(or_find_lesson_conflict(l), kNoConflict);
  }
  std::vector<int> seen(n, 0);
  for (int s = 0; s < kWeekSlots; ++s)
    for (std::uint32_t i = 0; i < g_slot_lessons[s].count; ++i) {
      int l = g_slot_lessons[s].lesson[i];
      if (l == kHoleEntry) continue;
      ASSERT_EQ(lesson_slot(l), s);
      ++seen[l];
    }
  for (int l = 0; l < n; ++l) EXPECT_EQ(seen[l], 1) << l;
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
}

// The clash test answers as the swap does for every pair, from grids that
// match the placement and from grids that lag behind kept swaps, and moves
// nothing.
TEST_F(PlacedSchool, ClashTestAnswersAsTheSwapForEveryPair) {
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
  Snapshot before;
  EngineRandom random(11);
  int n = g_eng_school.lesson_count;
  for (int lagging : {0, 1}) {
    int refused = 0, kept = 0;
    before.take();
    for (int a = 0; a < n; ++a)
      for (int b = 0; b < n; ++b) {
        bool clash = or_swap_clashes(a, b);
        int code = or_swap_lessons(a, b);
        ASSERT_EQ(clash, code != kNoConflict) << "lagging " << lagging << " lessons " << a << " " << b;
        if (clash) ++refused;
        else ++kept, or_undo_swap_lessons(a, b);
      }
    EXPECT_TRUE(before.same_as_now());
    EXPECT_GT(refused, 0);
    EXPECT_GT(kept, 0);
    // Swaps kept without moving the grids: from here on they lag.
    for (int made = 0, tries = 0; made < 40 && tries < 100000; ++tries)
      if (or_swap_lessons(random.below(n), random.below(n)) == kNoConflict) ++made;
  }
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
}

// The clash test reads a copy of the lessons' classes, rooms and teachers:
// rooms written as the allocation writes them and classes changed as the
// stand-by repacking changes them must reach it before the next test, which
// answers as the walk over every lesson's record.
TEST_F(PlacedSchool, ClashTestFollowsRoomAndClassWrites) {
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
  EngineRandom random(23);
  int n = g_eng_school.lesson_count, classes = g_eng_school.class_count;
  int refused = 0, kept = 0;
  auto check = [&](int a, int b) {
    bool clash = or_swap_clashes(a, b);
    std::uint16_t pa = lesson_place(a), pb = lesson_place(b);
    set_lesson_place(a, pb);
    set_lesson_place(b, pa);
    bool walked = pa != pb && (or_find_lesson_conflict(a) != kNoConflict || or_find_lesson_conflict(b) != kNoConflict);
    set_lesson_place(a, pa);
    set_lesson_place(b, pb);
    ++(clash ? refused : kept);
    return clash == walked;
  };
  // A lesson without a class still holds its room against one moved in.
  int a = 0, b = 0;
  while (b < n && (lesson_slot(a) == lesson_slot(b) || or_swap_clashes(a, b))) ++b;
  ASSERT_LT(b, n);
  int y = 0;
  while (y < n && (y == b || lesson_slot(y) != lesson_slot(b))) ++y;
  ASSERT_LT(y, n);
  g_eng_lessons[y].class_index = -1;
  g_eng_lessons[y].room = g_eng_lessons[a].room;
  EXPECT_TRUE(or_swap_clashes(a, b));
  for (int round = 0; round < 12; ++round) {
    for (int w = 0; w < 8; ++w) {
      EngineLesson& l = g_eng_lessons[random.below(n)];
      if (w % 4 == 3) l.class_index = random.below(classes + 1) - 1;  // -1: no class
      else l.room = random.below(classes + 1) - 1;
    }
    for (int k = 0; k < 400; ++k) {
      int p = random.below(n), q = random.below(n);
      ASSERT_TRUE(check(p, q)) << "round " << round << " lessons " << p << " " << q;
    }
  }
  EXPECT_GT(refused, 0);
  EXPECT_GT(kept, 0);
}

// The clash test's per-slot counts and list positions follow every write of
// the lists (holes too), also an undo that copies a list back after a clash
// test read it as the kept swap left it.
TEST_F(PlacedSchool, ClashCountsFollowKeptAndUndoneSwaps) {
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
  or_set_clash_cross_check(true);
  EngineRandom random(31);
  int n = g_eng_school.lesson_count, undone = 0;
  auto other_in_slot = [](int l) {
    const SlotLessonList& list = g_slot_lessons[lesson_slot(l)];
    for (std::uint32_t i = 0; i < list.count; ++i)
      if (list.lesson[i] != kHoleEntry && list.lesson[i] != l) return list.lesson[i];
    return -1;
  };
  int unlisted = -1;  // taken out of its list for a while: its entry is a hole
  for (int round = 0; round < 3000; ++round) {
    if (round % 50 == 0) {
      if (unlisted >= 0) or_slot_list_add(unlisted), unlisted = -1;
      else or_slot_list_remove(unlisted = random.below(n));
    }
    int a = random.below(n), b = random.below(n);
    if (lesson_slot(a) == lesson_slot(b) || a == unlisted || b == unlisted) continue;
    int a2 = other_in_slot(a), b2 = other_in_slot(b);
    bool pairs = round % 3 == 0 && a2 >= 0 && b2 >= 0;
    if ((pairs ? or_swap_lesson_pairs(a, b, a2, b2) : or_swap_lessons(a, b)) != kNoConflict) continue;
    for (int k = 0; k < 10; ++k) or_swap_clashes(random.below(n), random.below(n));
    or_swap_clashes(b, a);
    if (round % 2 == 1) continue;
    if (pairs) or_undo_swap_lesson_pairs(a, b, a2, b2);
    else or_undo_swap_lessons(a, b);
    ++undone;
  }
  if (unlisted >= 0) or_slot_list_add(unlisted);
  ClashCrossCheck seen = or_clash_cross_check();
  or_set_clash_cross_check(false);
  EXPECT_GT(undone, 20);
  EXPECT_GT(seen.walks, 1000u);
  EXPECT_EQ(seen.mismatches, 0u);
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
}

TEST_F(PlacedSchool, RefusedSwapNamesALessonOfTheTwoSlotsAndChangesNothing) {
  int n = g_eng_school.lesson_count;
  for (int a = 0; a < n; ++a)
    for (int b = 0; b < n; ++b) {
      if (lesson_place(a) == lesson_place(b)) continue;
      Snapshot before;
      before.take();
      int code = or_swap_lessons(a, b);
      if (code == kNoConflict) {
        or_undo_swap_lessons(a, b);
        continue;
      }
      EXPECT_TRUE(before.same_as_now());
      int refusing = g_last_conflict_lesson;
      ASSERT_GE(refusing, 0);
      EXPECT_TRUE(lesson_place(refusing) == lesson_place(a) || lesson_place(refusing) == lesson_place(b));
      return;
    }
  FAIL() << "no refused swap found";
}

TEST_F(PlacedSchool, SlotTestAgreesWithTheWalkOverEveryLesson) {
  EngineRandom random(11);
  int n = g_eng_school.lesson_count;
  for (int round = 0; round < 400; ++round) {
    int l = random.below(n);
    std::uint16_t old = lesson_place(l);
    or_slot_list_remove(l);
    put(l, random.below(5), random.below(6));
    EXPECT_EQ(or_find_slot_conflict(l), or_find_lesson_conflict(l)) << round;
    set_lesson_place(l, old);
    or_slot_list_add(l);
  }
}

TEST_F(PlacedSchool, GapTestFindsAFreeHourBeforeAnOccupiedOne) {
  or_rebuild_class_grids();
  EXPECT_EQ(or_any_class_has_gap(), 0);
  int l = g_eng_classes[2].week_grid[1][0];
  set_lesson_place(l, kUnplaced);
  or_rebuild_class_grids();
  EXPECT_EQ(or_any_class_has_gap(), 1);
  g_eng_school.real_class_count = 2;  // class 2 is now a pseudo-class
  EXPECT_EQ(or_any_class_has_gap(), 0);
}

}  // namespace
