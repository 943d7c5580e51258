// The class half of the evaluation cross-check: a class's delta checks summed
// in the order the whole evaluation charges them, with the day-building
// alignment first when the building mode is on.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "engine/model.h"
#include "solver/constraint_catalogue.h"
#include "solver/cost_evaluation.h"
#include "solver/solver_state.h"

namespace solver_test {

inline std::int64_t class_delta_sum(int class_index) {
  if ((g_building_mode_flags & 3) != 0) or_align_class_day_buildings(class_index);
  std::int64_t sum = 0;
  for (int id : {76, 44, 77, 78, 89, 79, 86, 87, 88, 80, 81, 75, 82, 83}) sum += or_run_delta_check(id, class_index);
  return sum;
}

// Every class rule's delta check gives each class its share of the full
// check (the teacher-side shares 84 and 85 aside), and a class's sum is its
// rules' deltas added.
inline void expect_class_shares(const std::string& name) {
  int classes = g_eng_school.class_count;
  for (int id : kClassSumOrder) {
    if (id == 84 || id == 85 || !or_constraint_active(id)) continue;
    std::memset(g_class_accumulated_penalty, 0, sizeof g_class_accumulated_penalty);
    std::int64_t full = g_evaluators[id].full(), sum = 0;
    for (int k = 0; k < classes; ++k) {
      std::int64_t delta = g_evaluators[id].delta(k);
      EXPECT_EQ(delta, g_class_accumulated_penalty[k]) << name << " id " << id << " class " << g_eng_classes[k].code;
      sum += delta;
    }
    EXPECT_EQ(full, sum) << name << " id " << id;
  }
  for (int k = 0; k < classes; ++k)
    EXPECT_EQ(or_class_penalty(k), class_delta_sum(k)) << name << " class " << g_eng_classes[k].code;
}

// The same for the teacher rules, whose shares also add up to the full
// total, and a teacher's sum is his rules' deltas added; then the class
// rules. How many teacher rules count on the loaded week.
inline int expect_shares_of_full_check(const std::string& name) {
  int teachers = g_eng_school.teacher_count, counting = 0;
  std::int64_t total = 0;
  for (int id : kTeacherSumOrder) {
    if (!or_constraint_active(id)) continue;
    std::memset(g_teacher_full_penalty, 0, sizeof g_teacher_full_penalty);
    std::int64_t full = g_evaluators[id].full(), sum = 0;
    counting += full != 0 ? 1 : 0;
    for (int t = 0; t < teachers; ++t) {
      std::int64_t delta = g_evaluators[id].delta(t);
      EXPECT_EQ(delta, g_teacher_full_penalty[t]) << name << " id " << id << " teacher " << g_eng_teachers[t].name;
      sum += delta;
    }
    EXPECT_EQ(full, sum) << name << " id " << id;
    total += full;
  }
  std::int64_t summed = 0;
  for (int t = 0; t < teachers; ++t) {
    std::int64_t one_by_one = 0;
    for (int id : kTeacherSumOrder) one_by_one += or_run_delta_check(id, t);
    EXPECT_EQ(or_teacher_penalty_checked(t), one_by_one) << name << " teacher " << g_eng_teachers[t].name;
    EXPECT_EQ(or_teacher_penalty64(t), one_by_one) << name << " teacher " << g_eng_teachers[t].name;
    summed += one_by_one;
  }
  EXPECT_EQ(summed, total) << name;
  expect_class_shares(name);
  return counting;
}

}  // namespace solver_test
