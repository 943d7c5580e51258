// The room-assignment window's side of the classroom allocation: the query
// codes it calls directly while the engine runs or after it ended, the
// conversion or deletion of the allocation reports, the lab choice of
// lab-group lessons after a computation and the teachers' overlap count used
// by the overlap-reduction phase (read from the slot lists, which every
// swap keeps in step with the placement).
//
// Every key the window passes is looked up and range-checked; a key that is
// no class, teacher or room answers -1 and changes nothing.
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

namespace {

int allocation_mode() {
  RoomAllocationParams* p = g_status.room_params.load();
  return p != nullptr ? p->allocation_mode : 0;
}

int find_teacher(const char* name) {
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (std::strncmp(g_eng_teachers[t].name, name, kNameSize - 1) == 0) return t;
  return -1;
}

int find_room(const char* name) {
  for (int r = 0; r < g_eng_school.room_count && r < kMaxRooms; ++r)
    if (std::strncmp(g_eng_rooms[r].name, name, kNameSize - 1) == 0) return r;
  return -1;
}

void set_out(int* count, std::uint8_t* days, int c, std::uint8_t d) {
  if (count) *count = c;
  if (days) *days = d;
}

}  // namespace

int or_room_allocation_query(int code, const char* class_code, const char* room_name, int* out_count,
                             std::uint8_t* out_days) {
  RoomAllocationState& s = g_room_allocation;
  if (code == 9999) {
    std::memset(s.preferred_room, 0, sizeof s.preferred_room);
    return 0;
  }
  // Whether every class has a result not yet read: the window asks it
  // without a key.
  if (code == 13) {
    for (int c = 0; c < g_eng_school.real_class_count && c < kMaxClasses; ++c)
      if (s.result_changes[c] == -1) return -1;
    return 1;
  }
  if (class_code == nullptr) return -1;
  int mode = code > 10 ? allocation_mode() : 0;
  int key = mode == 1 ? find_teacher(class_code) : (mode == 2 ? find_room(class_code) : or_find_class(class_code));
  if (key < 0 || key >= kMaxTeachers) return -1;
  if (code == 0 || code == 1) {
    if (key >= kMaxClasses) return -1;
    s.movable[key] = static_cast<std::uint8_t>(code);
    std::memset(s.preferred_room[key], 0, kNameSize);
    if (room_name != nullptr) std::snprintf(s.preferred_room[key], kNameSize, "%.20s", room_name);
    return -1;
  }
  if (code == 11) {
    s.last_queried = key;
    if (mode == 1) {
      set_out(out_count, out_days, 0, 0);
      return or_teacher_room_changes(key);
    }
    if (mode == 2) {
      set_out(out_count, out_days, 0, 0);
      return or_room_teacher_count(key);
    }
    if (key >= kMaxClasses) return -1;
    int own = 0;
    std::uint8_t days = 0;
    int changes = or_room_changes_of_class(key, &own, &days);
    set_out(out_count, out_days, own, days);
    return changes;
  }
  if (code == 12) {
    set_out(out_count, out_days, s.result_count[key], s.result_days[key]);
    int changes = s.result_changes[key];
    s.result_changes[key] = -1;
    return changes;
  }
  return -1;
}

void or_show_room_reports(int mode) {
  int buildings = g_eng_school.building_count;
  for (int b = 0; b < (buildings > 0 ? buildings : 1); ++b) {
    char name[64], path[kReportPathSize];
    if (buildings > 0) std::snprintf(name, sizeof name, "Allocazione Aule Plesso %.*s", kNameSize - 1, g_eng_buildings[b].name);
    else std::snprintf(name, sizeof name, "Allocazione Aule");
    if (or_report_path(path, name, "txt", 0) == nullptr) return;
    // Only the teacher grouping writes these reports: after the
    // lesson-to-room allocation there is nothing to convert.
    if (::access(kt::translate_path(path).c_str(), F_OK) != 0) continue;
    if (mode == 0) {
      g_engine_services.convert_report_to_rtf(path, 0, 0, 0);
      g_engine_services.convert_report_to_html(path, 0, 0);
    } else {
      ::unlink(kt::translate_path(path).c_str());
    }
  }
}

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
