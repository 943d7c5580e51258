// The lab choice of lab-group lessons after a computation and the teachers'
// overlap count used by the overlap-reduction phase (read from the slot
// lists, which every swap keeps in step with the placement).
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/engine_services.h"
#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/report_services.h"
#include "engine/save_files.h"
#include "engine/section_parsers.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "solver/classroom_allocation.h"
#include "solver/solver_state.h"

#include <unistd.h>

#include "platform/paths.h"

void or_assign_lab_group_rooms() {
  if (g_eng_run.run_mode == 13 || g_eng_run.run_mode == 14) return;
  int end = or_real_lesson_end();
  bool any = false;
  for (int l = 0; l < end && !any; ++l) any = g_eng_lessons[l].lab_group >= 0;
  if (!any) return;
  for (int pass = 0; pass < 2; ++pass)
    for (int l = 0; l < end; ++l) {
      EngineLesson& x = g_eng_lessons[l];
      int g = x.lab_group;
      if (g < 0 || g >= g_eng_school.lab_group_count || g >= kMaxLabGroups) continue;
      if (x.room != x.class_index || x.common_room >= 0 || x.day >= kDays || x.chosen_laboratory >= 0) continue;
      for (int k = 0; k < kLabGroupRooms; ++k) {
        int r = g_eng_lab_groups[g].rooms[k];
        if (r == 0xFFFF || r >= g_eng_school.room_count) continue;
        bool taken = false;
        for (int o = 0; o < end && !taken; ++o) {
          const EngineLesson& y = g_eng_lessons[o];
          taken = o != l && y.day == x.day && y.hour == x.hour && (y.room == r || y.chosen_laboratory == r);
        }
        if (!taken) {
          x.chosen_laboratory = r;
          break;
        }
      }
    }
  or_save_timetable(kSaveNormal);
}

int or_count_teacher_overlaps(int t) {
  if (t < 0 || t >= g_eng_school.teacher_count || g_eng_teachers[t].calendar_class >= 0) return 0;
  bool buildings = g_eng_school.building_count > 1;
  int end = or_real_lesson_end();
  auto counts = [end](int l) {
    return l >= 0 && l < end && g_eng_lessons[l].room == g_eng_lessons[l].class_index && or_room_lesson_eligible(l);
  };
  int n = 0;
  // The slot lists follow every swap, so the count needs no grid rebuild.
  for (int s = 0; s < kWeekSlots; ++s) {
    const SlotLessonList& list = g_slot_lessons[s];
    int mine = -2;
    for (std::uint32_t i = 0; i < list.count && mine == -2; ++i) {
      int l = list.lesson[i];
      if (counts(l) && g_eng_lessons[l].teacher == t) mine = g_eng_classes[g_eng_lessons[l].class_index].building;
    }
    if (mine == -2) continue;
    int seen[kMaxClasses];
    int seen_count = 0;
    for (std::uint32_t i = 0; i < list.count; ++i) {
      int l = list.lesson[i];
      if (!counts(l)) continue;
      int other = g_eng_lessons[l].teacher;
      if (other == t || (buildings && g_eng_classes[g_eng_lessons[l].class_index].building != mine)) continue;
      bool known = false;
      for (int k = 0; k < seen_count && !known; ++k) known = seen[k] == other;
      if (!known && seen_count < kMaxClasses) seen[seen_count++] = other, ++n;
    }
  }
  return n;
}
