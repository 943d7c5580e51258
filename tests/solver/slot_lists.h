// The lessons each week slot holds, by the slot lists the search keeps and
// by the lesson table: the two must agree after every change of places.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "engine/model.h"
#include "solver/placement_state.h"
#include "solver/solver_state.h"

namespace slot_lists_test {

// The lessons each slot's list holds, holes left out.
inline std::vector<std::set<int>> slot_lists() {
  std::vector<std::set<int>> out(kWeekSlots);
  for (int s = 0; s < kWeekSlots; ++s)
    for (std::uint32_t i = 0; i < g_slot_lessons[s].count; ++i)
      if (g_slot_lessons[s].lesson[i] != kHoleEntry) out[s].insert(g_slot_lessons[s].lesson[i]);
  return out;
}

inline std::vector<std::set<int>> slots_of_table() {
  std::vector<std::set<int>> out(kWeekSlots);
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    if (lesson_placed(l)) out[lesson_slot(l)].insert(l);
  return out;
}

}  // namespace slot_lists_test
