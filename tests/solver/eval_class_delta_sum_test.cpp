// For every class constraint built so far: on random placements of
// synthetic schools with joint lessons, pause subjects, an educational
// weight table, hourly units and teacher kinds, the full check equals the
// sum of the class delta checks; the joint bonus is minus the partners
// exactly when they all stand in the lesson's slot.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/engine_random.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/class_constraints.h"
#include "solver/constraint_catalogue.h"
#include "solver/placement_state.h"

namespace {

const int kClassIds[] = {75, 76, 80, 81, 82, 83, 87, 88};

void tally_subjects(int c) {
  EngineClass& k = g_eng_classes[c];
  k.tally_count = 0;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    if (g_eng_lessons[l].class_index != c) continue;
    int s = g_eng_lessons[l].subject, i = 0;
    while (i < k.tally_count && k.tally_subjects[i] != s) ++i;
    if (i == k.tally_count) k.tally_subjects[k.tally_count++] = static_cast<std::int16_t>(s);
  }
}

void build_class_school(std::uint64_t seed) {
  SchoolSpec spec;
  spec.classes = 6;
  spec.lessons_per_class = 28;
  build_school(spec, seed);
  EngineRandom r(seed + 99);
  g_eng_school.real_class_count = 5;
  // Joint pairs: lesson k of class 0 with lesson k of class 1, for a few k.
  for (int k = 10; k < 14; ++k) {
    int a = k, b = spec.lessons_per_class + k;
    g_eng_lessons[a].joint_count = 1;
    g_eng_lessons[a].joint_lessons[0] = b;
    g_eng_lessons[b].joint_count = 2;
    g_eng_lessons[b].joint_lessons[0] = a;
    g_eng_lessons[b].joint_lessons[1] = -1;
  }
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    g_eng_lessons[l].pause_subject_flag = g_eng_lessons[l].subject == 1;
    if (l % 5 == 0) {
      std::strcpy(g_eng_lessons[l].consecutive_maps[0], r.below(2) ? "221" : "32");
      std::strcpy(g_eng_lessons[l].consecutive_maps[1], r.below(2) ? "11111" : "");
      std::strcpy(g_eng_lessons[l].consecutive_maps[2], "2");
    }
  }
  g_eng_school.pause_subject_count = 1;
  for (int s = 0; s < 8; ++s) g_eng_subjects[s].pexdix = static_cast<std::uint8_t>(r.below(3));
  g_eng_school.pexdiy = 1;
  g_eng_school.pexdiz.count = 2;
  const std::int8_t rows[2][3] = {{4, 3, 2}, {6, 5, 3}};
  std::memcpy(g_eng_school.pexdiz.triples, rows, sizeof rows);
  for (int h = 0; h < kHoursPerDay; ++h) g_hourly_unit_flags[h] = static_cast<std::uint8_t>(h % 2 == 1 || h == 0);
  g_eng_run.labrifol_flag = 1;
  for (int t = 0; t < spec.teachers; ++t) {
    g_eng_teachers[t].labrifol = static_cast<std::int8_t>(r.below(3));
    g_eng_teachers[t].held_out = r.below(6) == 0;
  }
  g_eng_school.materiehsg.count = 1;
  place_all_lessons();
  for (int c = 0; c < spec.classes; ++c) {
    tally_subjects(c);
    g_eng_classes[c].weight = 1 + r.below(3);
    for (int i = 0; i < kWeekSlots; ++i) g_eng_classes[c].materiehsg[i] = static_cast<std::uint8_t>(r.below(3));
  }
  for (int id = 0; id < kConstraintCount; ++id) ConstraintStats[id].weight = 1 + r.below(3);
}

// The hourly-unit flags of constraint 87 are planted by build_class_school
// (no loaded school sets them): the fixture gives back what it found, so no
// later test evaluates 87 with flags of this file.
class EvalClassDeltaSum : public ::testing::Test {
 protected:
  void SetUp() override { std::memcpy(saved_flags_, g_hourly_unit_flags, sizeof saved_flags_); }
  void TearDown() override {
    std::memcpy(g_hourly_unit_flags, saved_flags_, sizeof saved_flags_);
    reset_run_state();
  }
  std::uint8_t saved_flags_[kHoursPerDay];
};

TEST_F(EvalClassDeltaSum, ClassFamilyOnRandomPlacements) {
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    build_class_school(seed);
    for (int mode = 0; mode < 2; ++mode) {
      g_eng_school.option_flags = static_cast<std::uint8_t>(mode ? 2 : 0);  // by class, or plain
      g_eng_run.report_flag = mode;
      for (int id : kClassIds) {
        std::memset(g_class_accumulated_penalty, 0, sizeof g_class_accumulated_penalty);
        std::int64_t full = g_evaluators[id].full();
        std::int64_t sum = 0;
        for (int c = 0; c < g_eng_school.class_count; ++c) {
          std::int64_t delta = g_evaluators[id].delta(c);
          EXPECT_EQ(g_class_accumulated_penalty[c], delta) << "id " << id << " class " << c;
          sum += delta;
        }
        EXPECT_EQ(full, sum) << "seed " << seed << " id " << id;
      }
    }
  }
  reset_run_state();
}

TEST_F(EvalClassDeltaSum, JointBonus) {
  build_class_school(3);
  g_eng_school.option_flags = 0;
  for (int k = 10; k < 14; ++k) {
    int a = k, b = 28 + k;
    bool together = lesson_slot(a) == lesson_slot(b);
    EXPECT_EQ(or_joint_bonus(a), together ? -1 : 0) << k;
    EXPECT_EQ(or_joint_bonus(b), together ? -1 : 0) << k;  // the empty entry is passed over
  }
  // Put one pair together by hand: the bonus appears.
  set_lesson_place(28 + 10, lesson_place(10));
  EXPECT_EQ(or_joint_bonus(10), -1);
  ConstraintSwitchTable[76].off = 1;
  EXPECT_EQ(or_joint_bonus(10), 0);
  reset_run_state();
}

TEST_F(EvalClassDeltaSum, JointLessonsApartCountInEachClass) {
  build_class_school(4);
  g_eng_school.option_flags = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].held_out = 0;
  int apart = 0;
  for (int k = 10; k < 14; ++k) apart += lesson_slot(k) != lesson_slot(28 + k);
  for (ConstraintStat& s : ConstraintStats) s = {0, 1};
  for (int c = 0; c < 2; ++c) g_eng_classes[c].weight = 1;
  g_evaluators[76].full();
  EXPECT_EQ(static_cast<int>(ConstraintStats[76].count), 2 * apart);
  reset_run_state();
}

}  // namespace
