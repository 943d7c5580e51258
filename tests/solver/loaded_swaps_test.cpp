// The search moves lessons by swapping two of them; on the loaded weeks of
// the sample schools (with their laboratory lessons, second teachers, joint
// lessons and rooms) a swap is refused exactly when either lesson would then
// share its new hour with a lesson of its class (not joint with it), a
// lesson of another class in its room (not joint with it), or a lesson with
// one of its teachers, first or second. A refused swap moves nothing; a kept
// one exchanges the two places and keeps the slot lists in step; an undone
// one puts everything back. The clash test answers as the swap would, and
// moves nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "bundled_schools.h"
#include "engine/engine_main.h"
#include "engine/engine_random.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "slot_lists.h"
#include "solver/cost_evaluation.h"
#include "solver/placement_state.h"
#include "solver/solver_state.h"

namespace fs = std::filesystem;

namespace {

bool listed_joint(int a, int b) {
  const EngineLesson& x = g_eng_lessons[a];
  for (int i = 0; i < x.joint_count && i < kMaxJointLessons; ++i)
    if (x.joint_lessons[i] == b) return true;
  return false;
}

std::set<int> teachers_of(int l) {
  const EngineLesson& x = g_eng_lessons[l];
  std::set<int> out;
  if (x.teacher >= 0) out.insert(x.teacher);
  if (lesson_has_second_teacher(l) && x.second_teacher >= 0) out.insert(x.second_teacher);
  return out;
}

// Whether lesson a, where it sits now, clashes with lesson y in the same hour.
bool clashes_with(int a, int y) {
  const EngineLesson& x = g_eng_lessons[a];
  const EngineLesson& o = g_eng_lessons[y];
  if (x.day != o.day || x.hour != o.hour) return false;
  if (x.class_index == o.class_index && !listed_joint(a, y)) return true;
  if (x.class_index != o.class_index && x.room >= 0 && x.room == o.room && !listed_joint(a, y)) return true;
  for (int t : teachers_of(a))
    if (teachers_of(y).count(t)) return true;
  return false;
}

// Whether the two lessons, their places exchanged, would clash in their new
// hours; the places are left as they were.
bool swap_would_clash(int a, int b) {
  std::uint16_t pa = lesson_place(a), pb = lesson_place(b);
  if (pa == pb) return false;
  set_lesson_place(a, pb);
  set_lesson_place(b, pa);
  bool clash = false;
  for (int y = 0; y < g_eng_school.lesson_count && !clash; ++y) {
    if (!lesson_placed(y)) continue;
    if (y != a && clashes_with(a, y)) clash = true;
    if (y != b && clashes_with(b, y)) clash = true;
  }
  set_lesson_place(a, pa);
  set_lesson_place(b, pb);
  return clash;
}

std::vector<std::uint16_t> places() {
  std::vector<std::uint16_t> p;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) p.push_back(lesson_place(l));
  return p;
}

using slot_lists_test::slot_lists;
using slot_lists_test::slots_of_table;

class LoadedSwaps : public ::testing::TestWithParam<BundledWeek> {
 protected:
  void SetUp() override {
    school_ = bundled_copy(GetParam());
    old_ = fs::current_path();
    fs::current_path(school_->folder());
    g_status.clear();
    const char* argv[] = {"Questo non serve", "SNOD:scuola2.txt", "NEDE", nullptr};
    ASSERT_EQ(or_main(1, 3, argv), 0) << g_status.message;
    for (int l = 0; l < g_eng_school.lesson_count; ++l)
      if (lesson_placed(l)) placed_.push_back(l);
    ASSERT_GT(placed_.size(), 20u);
  }
  void TearDown() override {
    fs::current_path(old_);
    reset_run_state();
  }
  // A lesson of the same class as `l` half of the time (the moves' usual
  // pair), else any placed lesson.
  int partner(EngineRandom& random, int l) {
    if (random.below(2) == 0) return placed_[random.below(static_cast<int>(placed_.size()))];
    std::vector<int> same;
    for (int y : placed_)
      if (g_eng_lessons[y].class_index == g_eng_lessons[l].class_index) same.push_back(y);
    return same[random.below(static_cast<int>(same.size()))];
  }
  std::unique_ptr<SchoolCopy> school_;
  fs::path old_;
  std::vector<int> placed_;
};

TEST_P(LoadedSwaps, ASwapIsRefusedExactlyWhenItWouldClashAndAnUndoPutsItBack) {
  EngineRandom random(11);
  int kept = 0, refused = 0;
  for (int round = 0; round < 600; ++round) {
    int a = placed_[random.below(static_cast<int>(placed_.size()))];
    int b = partner(random, a);
    std::vector<std::uint16_t> before = places();
    std::vector<std::set<int>> lists = slot_lists();
    bool want = swap_would_clash(a, b);
    std::string pair = "lessons " + std::to_string(a) + " and " + std::to_string(b);
    ASSERT_EQ(or_swap_clashes(a, b), want) << pair;
    ASSERT_EQ(places(), before) << pair;
    int code = or_swap_lessons(a, b);
    ASSERT_EQ(code != kNoConflict, want) << pair << " code " << code;
    if (code != kNoConflict) {
      ++refused;
      ASSERT_EQ(places(), before) << pair;
      ASSERT_EQ(slot_lists(), lists) << pair;
      continue;
    }
    std::vector<std::uint16_t> after = before;
    std::swap(after[a], after[b]);
    ASSERT_EQ(places(), after) << pair;
    ASSERT_EQ(slot_lists(), slots_of_table()) << pair;
    if (before[a] == before[b]) continue;
    ++kept;
    if (round % 3 == 0) continue;  // kept
    or_undo_swap_lessons(a, b);
    ASSERT_EQ(places(), before) << pair;
    ASSERT_EQ(slot_lists(), lists) << pair;
  }
  EXPECT_GT(kept, 10);
  EXPECT_GT(refused, 10);
  // The week the kept swaps left rebuilds without a double booking.
  or_rebuild_grids_and_evaluate();
  EXPECT_EQ(slot_lists(), slots_of_table());
}

TEST_P(LoadedSwaps, TheSwapAfterACleanClashTestMovesBothLessons) {
  EngineRandom random(23);
  int done = 0;
  for (int round = 0; round < 400 && done < 40; ++round) {
    int a = placed_[random.below(static_cast<int>(placed_.size()))];
    int b = partner(random, a);
    if (lesson_place(a) == lesson_place(b) || or_swap_clashes(a, b)) continue;
    std::vector<std::uint16_t> after = places();
    std::swap(after[a], after[b]);
    or_swap_tested_lessons(a, b);
    ASSERT_EQ(places(), after);
    ASSERT_EQ(slot_lists(), slots_of_table());
    for (int l : {a, b}) {
      EXPECT_EQ(or_find_lesson_conflict(l), kNoConflict) << l;
      EXPECT_EQ(or_find_slot_conflict(l), kNoConflict) << l;
    }
    ++done;
  }
  EXPECT_GT(done, 5);
}

// Every lesson's first conflict on the loaded week, by the walk over the
// table and by the slot lists, is the pair rule's answer against the lowest
// clashing lesson.
TEST_P(LoadedSwaps, TheConflictWalksAgreeWithThePairRule) {
  for (int l : placed_) {
    int want = kNoConflict;
    for (int y : placed_)
      if (y != l && lesson_slot(y) == lesson_slot(l)) {
        int code = or_lesson_pair_conflict(l, y);
        EXPECT_EQ(code != kNoConflict, clashes_with(l, y)) << l << " against " << y;
        if (code != kNoConflict && want == kNoConflict) want = code;
      }
    EXPECT_EQ(or_find_lesson_conflict(l), want) << l;
    EXPECT_EQ(or_find_slot_conflict(l), want) << l;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Weeks, LoadedSwaps,
    ::testing::Values(kBundledWeeks[0], kBundledWeeks[5], kBundledWeeks[6], kBundledWeeks[7]),
    [](const ::testing::TestParamInfo<BundledWeek>& info) { return std::string(info.param.name); });

}  // namespace
