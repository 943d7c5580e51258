// Common-room rules by hand (capacity, year pairs, sharing rows with the
// tolerance taken once, missing attendance) and, on random placements of a
// synthetic school with shared rooms, the full checks against the delta
// checks: per class for 77, 78 and 89; school-wide for 79 and 86, whose
// delta check for any class equals the full check.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/engine_random.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/common_room_constraints.h"
#include "solver/common_room_counts.h"
#include "solver/constraint_catalogue.h"
#include "solver/placement_state.h"

namespace {

TEST(EvalCommonRoom, Capacity) {
  EXPECT_EQ(room_over_capacity(3, 0, 2), 1);
  EXPECT_EQ(room_over_capacity(3, 1, 2), 0);  // the "+FCA" lesson does not take a place
  EXPECT_EQ(room_over_capacity(1, 0, 0), 0);  // a room used by one class is never over
}

TEST(EvalCommonRoom, YearPairs) {
  const std::uint8_t pairs[3][2] = {{1, 2}, {3, 255}, {4, 5}};
  // Years 1 and 2 may share: nothing left over.
  EXPECT_EQ(incompatible_years(1, (1u << 1) | (1u << 2), pairs, 3), 0);
  // Year 1 with 2 and 4: the 4 is not paired with 1.
  EXPECT_EQ(incompatible_years(1, (1u << 1) | (1u << 2) | (1u << 4), pairs, 3), 1);
  // Year 3 shares with nobody.
  EXPECT_EQ(incompatible_years(3, (1u << 3) | (1u << 1), pairs, 3), 1);
  // Year 6 in no pair: the other years present decide (4 with 5 and 6: the 6 is left).
  EXPECT_EQ(incompatible_years(6, (1u << 6) | (1u << 4) | (1u << 5), pairs, 3), 1);
  EXPECT_EQ(incompatible_years(1, (1u << 1) | (1u << 9), pairs, 0), 0);  // no pairs: no rule
}

TEST(EvalCommonRoom, SharingRowsAndToleranceOnce) {
  const std::uint8_t rows[2][2] = {{2, 1}, {5, 3}};
  EXPECT_EQ(sharing_excess(4, 2, rows, 2, 0), 1);  // row {2, 1} applies: 2 shared > 1
  EXPECT_EQ(sharing_excess(6, 3, rows, 2, 0), 0);  // row {5, 3}: 3 shared is allowed
  EXPECT_EQ(sharing_excess(1, 1, rows, 2, 0), 0);  // no row applies
  EXPECT_EQ(sharing_excess(4, 2, rows, 2, 1), 0);  // the tolerance takes this room's count
  EXPECT_EQ(sharing_excess(4, 2, rows, 0, 0), 0);  // an empty table applies nothing
}

TEST(EvalCommonRoom, MissingAttendance) {
  EXPECT_EQ(missing_attendance(3, 0, 1, true), 2);
  EXPECT_EQ(missing_attendance(3, 2, 1, true), 1);  // the slot asks for 2 only
  EXPECT_EQ(missing_attendance(3, 0, 0, true), 0);  // an unused slot is not watched
  EXPECT_EQ(missing_attendance(3, 0, 0, false), 3);
}

void build_room_school(std::uint64_t seed) {
  SchoolSpec spec;
  spec.classes = 6;
  build_school(spec, seed);
  EngineRandom r(seed + 5);
  g_eng_school.common_room_count = 3;
  for (int k = 0; k < 3; ++k) {
    EngineCommonRoom& room = g_eng_common_rooms[k];
    std::snprintf(room.name, kNameSize, "AULA%d", k);
    room.admitted_attendance = 1 + r.below(2);
    room.needed_attendance = r.below(3);
    room.digits[0] = static_cast<std::uint8_t>(r.below(2));
    room.digits[1] = static_cast<std::uint8_t>(r.below(5));
    room.availability[0] = kNotConfigured;
    for (int s = 0; s < kWeekSlots; ++s) room.ox_grid[s] = static_cast<std::uint8_t>(r.below(3));
    room.coppie_count = 2;
    room.coppie[0][0] = 1;
    room.coppie[0][1] = 2;
    room.coppie[1][0] = 3;
    room.coppie[1][1] = 255;
    room.peroco_count = 2;
    room.peroco[0][0] = 1;
    room.peroco[0][1] = 0;
    room.peroco[1][0] = 4;
    room.peroco[1][1] = 2;
    room.perocoet = k == 2;
    room.avomax = static_cast<std::uint8_t>(1 + r.below(3));
  }
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    g_eng_lessons[l].common_room = g_eng_lessons[l].subject < 3 ? g_eng_lessons[l].subject : -1;
  g_eng_teachers[2].type_flags = kTeacherFca;
  g_eng_teachers[5].calendar_class = 1;
  g_eng_school.tocomi = 2;
  g_eng_run.focus_flags[0] = 1;
  g_eng_run.focus_flags[1] = 1;
  place_all_lessons();
  for (int c = 0; c < spec.classes; ++c) g_eng_classes[c].weight = 1 + r.below(3);
  for (int id = 0; id < kConstraintCount; ++id) ConstraintStats[id].weight = 1 + r.below(3);
}

TEST(EvalCommonRoom, FullAgainstDeltaOnRandomPlacements) {
  std::int64_t seen[kConstraintCount] = {};
  for (std::uint64_t seed = 1; seed <= 5; ++seed) {
    build_room_school(seed);
    g_eng_run.report_flag = static_cast<std::int32_t>(seed % 2);
    for (int id : {77, 78, 89}) {
      std::int64_t full = g_evaluators[id].full(), sum = 0;
      for (int c = 0; c < g_eng_school.class_count; ++c) sum += g_evaluators[id].delta(c);
      EXPECT_EQ(full, sum) << "seed " << seed << " id " << id;
      seen[id] += full;
    }
    for (int id : {79, 86}) {
      std::int64_t full = g_evaluators[id].full();
      for (int c = 0; c < g_eng_school.class_count; ++c)
        EXPECT_EQ(g_evaluators[id].delta(c), full) << "seed " << seed << " id " << id;
    }
    seen[79] += g_evaluators[79].full();
    EXPECT_GT(g_evaluators[86].full(), 0);
  }
  for (int id : {77, 78, 79, 89}) EXPECT_GT(seen[id], 0) << "id " << id << " never counted";
  g_eng_run.focus_flags[0] = g_eng_run.focus_flags[1] = 0;
  reset_run_state();
}

std::int64_t class_delta_total(int id) {
  std::int64_t sum = 0;
  for (int c = 0; c < g_eng_school.class_count; ++c) sum += g_evaluators[id].delta(c);
  return sum;
}

// The delta checks count a slot's users from a copy that the full checks
// take afresh; a common room moved in between (as the building alignment
// moves them inside a search), a lesson moved to another class (as the
// stand-by repacking does) or a swap of two lessons' slots must reach the
// next delta check.
TEST(EvalCommonRoom, DeltaFollowsChangedRoomsClassesAndSlots) {
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    build_room_school(seed);
    if (seed > 3)  // rooms large enough for the years to decide: first years only with first years
      for (int k = 0; k < 3; ++k) {
        EngineCommonRoom& room = g_eng_common_rooms[k];
        room.admitted_attendance = 9;
        std::memset(room.ox_grid, 0, sizeof room.ox_grid);
        room.coppie[0][1] = 1;
        room.coppie_count = 1;
      }
    for (int id : {77, 78, 89}) EXPECT_EQ(class_delta_total(id), g_evaluators[id].full()) << "seed " << seed;
    for (int id : {77, 78, 89}) class_delta_total(id);  // counts taken after the last full check
    EngineRandom r(seed + 11);
    for (int l = 0; l < g_eng_school.lesson_count; ++l) {
      EngineLesson& x = g_eng_lessons[l];
      if (seed > 3) {
        if (r.below(3) == 0) x.class_index = (x.class_index + 3) % 6;  // another year
      } else if (r.below(4) == 0) {
        x.common_room = x.common_room < 0 ? static_cast<std::int32_t>(r.below(3)) : -1;
      }
    }
    int a = static_cast<int>(r.below(static_cast<std::uint32_t>(g_eng_school.lesson_count)));
    int b = static_cast<int>(r.below(static_cast<std::uint32_t>(g_eng_school.lesson_count)));
    if (or_swap_lessons(a, b) == kNoConflict) or_rebuild_class_grids();
    std::int64_t after[3];
    int k = 0;
    for (int id : {77, 78, 89}) after[k++] = class_delta_total(id);
    k = 0;
    for (int id : {77, 78, 89}) EXPECT_EQ(after[k++], g_evaluators[id].full()) << "seed " << seed << " id " << id;
  }
  g_eng_run.focus_flags[0] = g_eng_run.focus_flags[1] = 0;
  reset_run_state();
}

// Two joint lessons of one class in one cell, in the same common room: the
// class grid holds the lower-numbered, and only that one is the class's
// there, in the delta checks as in the full check's walk of the grid.
TEST(EvalCommonRoom, OnlyTheLessonAJointCellHoldsCounts) {
  int shared = 0;
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    build_room_school(seed);
    for (int k = 0; k < 3; ++k) {  // one user fits: two in a room always count
      g_eng_common_rooms[k].admitted_attendance = 1;
      std::memset(g_eng_common_rooms[k].ox_grid, 0, sizeof g_eng_common_rooms[k].ox_grid);
    }
    int a = -1, b = -1;
    for (int x = 0; x < g_eng_school.lesson_count && a < 0; ++x)
      for (int y = x + 1; y < g_eng_school.lesson_count && a < 0; ++y) {
        const EngineLesson& p = g_eng_lessons[x];
        const EngineLesson& q = g_eng_lessons[y];
        if (p.class_index != 0 || q.class_index != 0 || p.common_room < 0 || lesson_has_second_teacher(x) ||
            lesson_has_second_teacher(y) || lesson_slot(x) == lesson_slot(y) ||
            g_eng_teachers[q.teacher].lesson_per_slot[lesson_slot(x)] != kGridFree)
          continue;
        a = x, b = y;
      }
    if (a < 0) continue;
    g_eng_lessons[b].common_room = g_eng_lessons[a].common_room.get();
    g_eng_lessons[a].joint_count = g_eng_lessons[b].joint_count = 1;
    g_eng_lessons[a].joint_lessons[0] = b;
    g_eng_lessons[b].joint_lessons[0] = a;
    set_lesson_place(b, lesson_place(a));
    or_rebuild_slot_index();
    or_rebuild_class_grids();
    or_rebuild_teacher_grids();
    ++shared;
    std::int64_t full = g_evaluators[77].full();
    EXPECT_GT(full, 0) << "seed " << seed;
    EXPECT_EQ(class_delta_total(77), full) << "seed " << seed;
  }
  EXPECT_GT(shared, 2);
  g_eng_run.focus_flags[0] = g_eng_run.focus_flags[1] = 0;
  reset_run_state();
}

}  // namespace
