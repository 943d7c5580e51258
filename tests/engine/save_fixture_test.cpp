// Stand-ins for the solver's placement operations, installed in the engine's
// services table for the whole test program: the random placement puts each
// unplaced lesson into the first slot where it clashes with nothing.
#include <gtest/gtest.h>

#include "engine/engine_services.h"
#include "engine/placement_check.h"
#include "save_test_fixture.h"

int g_test_gap_answer = 0;  // what the class gap check answers

namespace {

std::uint32_t rebuild_grids_and_evaluate() { return 0; }
void rebuild_grids() {}
int any_class_has_gap() { return g_test_gap_answer; }
std::uint32_t teacher_penalty(int) { return 0; }

int place_remaining_randomly(int, int) {
  SlotOccupancy occupancy;
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (or_lesson_placed(i)) occupancy.add(i);
  int tried = 0;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    if (or_lesson_placed(i)) continue;
    ++tried;
    for (int s = 0; s < kWeekSlots && !or_lesson_placed(i); ++s) {
      int d = s / kHoursPerDay, h = s % kHoursPerDay;
      if (!or_slot_in_week(d, h) || occupancy.clash_at(i, d, h) >= 0) continue;
      or_place_lesson_everywhere(i, d, h);
      occupancy.add(i);
    }
  }
  return tried;
}

class PlacementStandIns : public ::testing::Environment {
 public:
  void SetUp() override {
    g_engine_services.rebuild_grids_and_evaluate = rebuild_grids_and_evaluate;
    g_engine_services.rebuild_class_grids = rebuild_grids;
    g_engine_services.rebuild_teacher_grids = rebuild_grids;
    g_engine_services.rebuild_slot_index = rebuild_grids;
    g_engine_services.any_class_has_gap = any_class_has_gap;
    g_engine_services.teacher_penalty = teacher_penalty;
    g_engine_services.place_remaining_randomly = place_remaining_randomly;
  }
};

[[maybe_unused]] ::testing::Environment* const g_placement_stand_ins =
    ::testing::AddGlobalTestEnvironment(new PlacementStandIns);

}  // namespace
