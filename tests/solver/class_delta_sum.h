// The class half of the evaluation cross-check: a class's delta checks summed
// in the order the whole evaluation charges them, with the day-building
// alignment first when the building mode is on.
#pragma once

#include <cstdint>

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

}  // namespace solver_test
