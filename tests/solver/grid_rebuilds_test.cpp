// The class and teacher grids and the slot lists are derived from the
// lesson table; the search rebuilds them whole, one class at a time or one
// teacher pair at a time, and puts whole placements back. On the loaded
// weeks of the sample schools every kind of rebuild gives the grids the
// lesson table says (each lesson in its class's and its teachers' cells,
// joint lessons of a class in one cell keeping the first), leaves the other
// classes and teachers as they were, and a placement put back brings back
// its grids and its score.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "bundled_schools.h"
#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "slot_lists.h"
#include "solver/cost_evaluation.h"
#include "solver/placement_state.h"
#include "solver/solver_state.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint16_t kJunk = 0x7777;

struct Grids {
  std::vector<std::uint16_t> class_cells, class_teachers, teacher_classes, teacher_lessons;
  bool operator==(const Grids&) const = default;
};

int classes() { return g_eng_school.class_count; }
int teachers() { return g_eng_school.teacher_count; }

// What the lesson table says each grid holds; `skip_calendar` leaves out the
// lessons of the calendar pseudo-teachers in the class grids of the classes
// in `only_class` (-1: every class).
Grids expected(bool skip_calendar = false, int only_class = -1) {
  Grids g;
  g.class_cells.assign(static_cast<std::size_t>(classes()) * kDays * kHoursPerDay, kGridFree);
  g.class_teachers.assign(static_cast<std::size_t>(classes()) * kWeekSlots, kGridFree);
  g.teacher_classes.assign(static_cast<std::size_t>(teachers()) * kWeekSlots, kGridFree);
  g.teacher_lessons.assign(static_cast<std::size_t>(teachers()) * kWeekSlots, kGridFree);
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    if (!lesson_placed(l)) continue;
    const EngineLesson& x = g_eng_lessons[l];
    int c = x.class_index, slot = lesson_slot(l);
    bool calendar = g_eng_teachers[x.teacher].calendar_class >= 0;
    if (!(skip_calendar && calendar && (only_class < 0 || only_class == c))) {
      std::uint16_t& cell = g.class_cells[(static_cast<std::size_t>(c) * kDays + x.day) * kHoursPerDay + x.hour];
      if (cell == kGridFree) {
        cell = static_cast<std::uint16_t>(l);
        g.class_teachers[static_cast<std::size_t>(c) * kWeekSlots + slot] = static_cast<std::uint16_t>(x.teacher);
      }
    }
    std::vector<int> who = {x.teacher};
    if (lesson_has_second_teacher(l) && x.second_teacher >= 0) who.push_back(x.second_teacher);
    for (int t : who) {
      g.teacher_classes[static_cast<std::size_t>(t) * kWeekSlots + slot] = static_cast<std::uint16_t>(c);
      g.teacher_lessons[static_cast<std::size_t>(t) * kWeekSlots + slot] = static_cast<std::uint16_t>(l);
    }
  }
  return g;
}

Grids current() {
  Grids g;
  for (int c = 0; c < classes(); ++c) {
    const EngineClass& k = g_eng_classes[c];
    for (int d = 0; d < kDays; ++d)
      for (int h = 0; h < kHoursPerDay; ++h) g.class_cells.push_back(k.week_grid[d][h]);
    g.class_teachers.insert(g.class_teachers.end(), k.teacher_grid, k.teacher_grid + kWeekSlots);
  }
  for (int t = 0; t < teachers(); ++t) {
    const EngineTeacher& x = g_eng_teachers[t];
    g.teacher_classes.insert(g.teacher_classes.end(), x.class_per_slot, x.class_per_slot + kWeekSlots);
    g.teacher_lessons.insert(g.teacher_lessons.end(), x.lesson_per_slot, x.lesson_per_slot + kWeekSlots);
  }
  return g;
}

void scramble_class(int c) {
  for (auto& row : g_eng_classes[c].week_grid) std::fill(std::begin(row), std::end(row), kJunk);
  std::fill(std::begin(g_eng_classes[c].teacher_grid), std::end(g_eng_classes[c].teacher_grid), kJunk);
}

void scramble_teacher(int t) {
  std::fill(std::begin(g_eng_teachers[t].class_per_slot), std::end(g_eng_teachers[t].class_per_slot), kJunk);
  std::fill(std::begin(g_eng_teachers[t].lesson_per_slot), std::end(g_eng_teachers[t].lesson_per_slot), kJunk);
}

// The first grid cell where two sets of grids differ, for the message.
std::string first_difference(const Grids& want, const Grids& got) {
  auto where = [](const char* what, const std::vector<std::uint16_t>& a, const std::vector<std::uint16_t>& b,
                  int per) -> std::string {
    if (a.size() != b.size()) return std::string(what) + " sizes differ";
    for (std::size_t i = 0; i < a.size(); ++i)
      if (a[i] != b[i])
        return std::string(what) + " " + std::to_string(i / per) + " cell " + std::to_string(i % per) + ": want " +
               std::to_string(a[i]) + ", got " + std::to_string(b[i]);
    return "";
  };
  std::string s = where("class", want.class_cells, got.class_cells, kDays * kHoursPerDay);
  if (s.empty()) s = where("class teacher", want.class_teachers, got.class_teachers, kWeekSlots);
  if (s.empty()) s = where("teacher class", want.teacher_classes, got.teacher_classes, kWeekSlots);
  if (s.empty()) s = where("teacher lesson", want.teacher_lessons, got.teacher_lessons, kWeekSlots);
  return s;
}

using slot_lists_test::slot_lists;
using slot_lists_test::slots_of_table;

// A class has a gap when a free hour of a day comes before a lesson of the
// same day; the stand-by and support classes are not asked.
bool some_class_has_gap() {
  for (int c = 0; c < g_eng_school.real_class_count && c < classes(); ++c)
    for (int d = 0; d < days_per_week(); ++d) {
      bool seen_free = false;
      for (int h = 0; h < hours_of_day(d); ++h) {
        bool free = g_eng_classes[c].week_grid[d][h] == kGridFree;
        if (!free && seen_free) return true;
        seen_free = seen_free || free;
      }
    }
  return false;
}

std::vector<std::uint16_t> places() {
  std::vector<std::uint16_t> p;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) p.push_back(lesson_place(l));
  return p;
}

class GridRebuilds : public ::testing::TestWithParam<BundledWeek> {
 protected:
  void SetUp() override {
    school_ = bundled_copy(GetParam());
    old_ = fs::current_path();
    fs::current_path(school_->folder());
    g_status.clear();
    const char* argv[] = {"Questo non serve", "SNOD:scuola2.txt", "NEDE", nullptr};
    ASSERT_EQ(or_main(1, 3, argv), 0) << g_status.message;
    ASSERT_GT(classes(), 0);
    ASSERT_GT(teachers(), 0);
  }
  void TearDown() override {
    fs::current_path(old_);
    reset_run_state();
  }
  std::unique_ptr<SchoolCopy> school_;
  fs::path old_;
};

TEST_P(GridRebuilds, WholeRebuildsGiveTheGridsAndSlotListsOfTheLessonTable) {
  Grids want = expected();
  ASSERT_EQ(current(), want) << first_difference(want, current());
  ASSERT_EQ(slot_lists(), slots_of_table());
  for (int c = 0; c < classes(); ++c) scramble_class(c);
  for (int t = 0; t < teachers(); ++t) scramble_teacher(t);
  or_rebuild_class_grids();
  Grids half = current();
  EXPECT_EQ(half.class_cells, want.class_cells);
  EXPECT_EQ(half.class_teachers, want.class_teachers);
  EXPECT_TRUE(std::all_of(half.teacher_lessons.begin(), half.teacher_lessons.end(),
                          [](std::uint16_t v) { return v == kJunk; }))
      << "the class rebuild leaves the teacher grids alone";
  or_rebuild_teacher_grids();
  EXPECT_EQ(current(), want) << first_difference(want, current());
  // The slot lists, rebuilt after lessons have moved, list each lesson in its
  // new slot only.
  int moved = 0;
  for (int l = 0; l < g_eng_school.lesson_count && moved < 3; ++l)
    if (lesson_placed(l)) {
      g_eng_lessons[l].day = kDayNotPlaced;
      ++moved;
    }
  or_rebuild_slot_index();
  EXPECT_EQ(slot_lists(), slots_of_table());
}

TEST_P(GridRebuilds, OneClassRebuildGivesThatClassItsGridAndLeavesTheOthers) {
  Grids want = expected();
  for (int c = 0; c < classes(); ++c) {
    scramble_class(c);
    or_rebuild_class_grid(c);
    ASSERT_EQ(current(), want) << "class " << g_eng_classes[c].code << ": " << first_difference(want, current());
  }
  // Outside the classes nothing is rebuilt.
  scramble_class(0);
  or_rebuild_class_grid(-1);
  or_rebuild_class_grid(classes());
  EXPECT_EQ(g_eng_classes[0].week_grid[0][0], kJunk);
  or_rebuild_class_grid(0);
  EXPECT_EQ(current(), want);
}

TEST_P(GridRebuilds, TheRealTeachersRebuildLeavesOutTheCalendarPseudoTeachers) {
  Grids want = expected();
  for (int c = 0; c < classes(); ++c) {
    scramble_class(c);
    or_rebuild_class_grid_real_teachers(c);
    Grids real = expected(true, c);
    ASSERT_EQ(current(), real) << "class " << g_eng_classes[c].code << ": " << first_difference(real, current());
    or_rebuild_class_grid(c);
  }
  EXPECT_EQ(current(), want);
}

TEST_P(GridRebuilds, ATeacherPairRebuildGivesBothTeachersTheirGridsAndLeavesTheOthers) {
  Grids want = expected();
  int n = teachers();
  for (int t = 0; t < n; ++t) {
    std::set<int> partners = {-1, t, (t + 1) % n, n};
    for (int l = 0; l < g_eng_school.lesson_count; ++l) {
      const EngineLesson& x = g_eng_lessons[l];
      if (!lesson_has_second_teacher(l) || x.second_teacher < 0) continue;
      if (x.teacher == t) partners.insert(x.second_teacher);
      if (x.second_teacher == t) partners.insert(x.teacher);
    }
    for (int u : partners) {
      scramble_teacher(t);
      if (u >= 0 && u < n) scramble_teacher(u);
      or_rebuild_teacher_grid_pair(t, u);
      ASSERT_EQ(current(), want) << "teachers " << t << " and " << u << ": " << first_difference(want, current());
    }
  }
  // A first teacher outside the school rebuilds nothing.
  scramble_teacher(0);
  or_rebuild_teacher_grid_pair(-1, 0);
  or_rebuild_teacher_grid_pair(n, 0);
  EXPECT_EQ(g_eng_teachers[0].lesson_per_slot[0], kJunk);
  or_rebuild_teacher_grid_pair(0, -1);
  EXPECT_EQ(current(), want);
}

TEST_P(GridRebuilds, AFreeHourBeforeALessonIsAClassGap) {
  EXPECT_EQ(or_any_class_has_gap() != 0, some_class_has_gap());
  int made = 0;
  for (int c = 0; c < classes(); ++c)
    for (int d = 0; d < days_per_week(); ++d) {
      std::uint16_t* row = g_eng_classes[c].week_grid[d];
      int first = -1, last = -1;
      for (int h = 0; h < hours_of_day(d); ++h)
        if (row[h] != kGridFree) {
          if (first < 0) first = h;
          last = h;
        }
      if (first < 0) continue;
      for (int h : {first, last}) {
        std::uint16_t kept = row[h];
        row[h] = kGridFree;
        bool want = some_class_has_gap();
        EXPECT_EQ(or_any_class_has_gap() != 0, want)
            << "class " << g_eng_classes[c].code << " day " << d << " hour " << h;
        made += want && h < last ? 1 : 0;
        row[h] = kept;
      }
    }
  EXPECT_GT(made, 0);
  EXPECT_EQ(or_any_class_has_gap() != 0, some_class_has_gap());
}

// Days 0 and 1 swapped for every lesson: a week as free of clashes as the
// loaded one.
std::vector<std::uint16_t> days_swapped(const std::vector<std::uint16_t>& p) {
  std::vector<std::uint16_t> out = p;
  for (std::uint16_t& v : out) {
    int day = v & 0xFF;
    if (day == 0 || day == 1) v = static_cast<std::uint16_t>((v & 0xFF00) | (1 - day));
  }
  return out;
}

TEST_P(GridRebuilds, APlacementPutBackBringsBackItsGridsAndScore) {
  ASSERT_EQ(hours_of_day(0), hours_of_day(1));
  or_rebuild_grids_and_evaluate();
  EngineCounter first_score = g_total_score_pair;
  std::uint32_t first_total = g_total_score;
  std::vector<std::uint16_t> first = places();
  Grids first_grids = current();
  std::vector<std::uint16_t> copy(kMaxLessons, 0);
  or_copy_placement(copy.data());
  EXPECT_TRUE(std::equal(first.begin(), first.end(), copy.begin()));
  or_snapshot_current_placement();

  std::vector<std::uint16_t> second = days_swapped(first);
  or_apply_placement(second.data());
  EXPECT_EQ(places(), second);
  or_rebuild_grids_and_evaluate();
  Grids second_grids = current();
  EXPECT_EQ(second_grids, expected());
  for (int c = 0; c < classes(); ++c)
    for (int h = 0; h < kHoursPerDay; ++h)
      ASSERT_EQ(g_eng_classes[c].week_grid[1][h], first_grids.class_cells[(c * kDays + 0) * kHoursPerDay + h]);
  EngineCounter second_score = g_total_score_pair;

  // The current placement put back: its lessons, grids and score, which
  // becomes the kept score.
  or_restore_current_placement();
  EXPECT_EQ(places(), first);
  EXPECT_EQ(current(), first_grids);
  EXPECT_EQ(g_total_score_pair.high, first_score.high);
  EXPECT_EQ(g_total_score_pair.low, first_score.low);
  EXPECT_EQ(g_kept_score.low, first_score.low);
  EXPECT_EQ(g_kept_score.high, first_score.high);
  EXPECT_EQ(g_total_score, first_total);

  // No best placement stored: nothing is put back.
  or_clear_best_placement();
  EXPECT_EQ(g_best_score.high, 0u);
  EXPECT_EQ(g_best_score.low, 0u);
  EXPECT_EQ(or_restore_best_placement(), 0);
  EXPECT_EQ(places(), first);
  // A stored best placement is put back with its grids and score.
  or_apply_placement(second.data());
  or_copy_placement(g_best_placement);
  or_apply_placement(first.data());
  or_rebuild_grids_and_evaluate();
  EXPECT_EQ(or_restore_best_placement(), 1);
  EXPECT_EQ(places(), second);
  EXPECT_EQ(current(), second_grids);
  EXPECT_EQ(g_kept_score.low, second_score.low);
  EXPECT_EQ(g_kept_score.high, second_score.high);
  or_clear_best_placement();
}

INSTANTIATE_TEST_SUITE_P(
    Weeks, GridRebuilds,
    ::testing::Values(kBundledWeeks[0], kBundledWeeks[4], kBundledWeeks[5], kBundledWeeks[6], kBundledWeeks[7]),
    [](const ::testing::TestParamInfo<BundledWeek>& info) { return std::string(info.param.name); });

}  // namespace
