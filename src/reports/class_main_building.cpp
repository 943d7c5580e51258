// The main building of a stand-by pseudo-class: the building where its
// teacher gives most lessons, so the class's stand-by hours are reported
// with that building. Called by the stand-by set-up for each class it makes.
//
// Invariants: without buildings the class has none (-1); the building is
// only chosen while the school keeps one stand-by class per teacher (the
// grouping value is negative); ties go to the lowest building number, and a
// teacher without lessons gives building 0. A lesson whose building lies
// outside the table is not counted.
#include "engine/model.h"
#include "engine/report_services.h"

void or_set_class_main_building(int class_index, int teacher) {
  if (class_index < 0 || class_index >= kMaxClasses) return;
  if (g_eng_school.building_count <= 0) {
    g_eng_classes[class_index].building = -1;
    return;
  }
  if (g_eng_school.standby_grouping >= 0) return;
  int count[kMaxBuildings] = {};
  for (int l = 0; l < g_eng_school.lesson_count && teacher >= 0; ++l) {
    int b = g_eng_lessons[l].building;
    if (g_eng_lessons[l].teacher == teacher && b >= 0 && b < kMaxBuildings) ++count[b];
  }
  int best = 0;
  for (int b = 1; b < kMaxBuildings; ++b)
    if (count[b] > count[best]) best = b;
  g_eng_classes[class_index].building = best;
}
