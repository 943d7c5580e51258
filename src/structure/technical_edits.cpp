// The technical editor's edit table and its operations on the engine
// tables (see technical_edits.h). Conflicts: two listed lessons collide
// when they end on the same slot and share the class, a teacher (either as
// teacher or co-teacher) or the room; each gets the other in its list (the
// first 20) and the in-conflict flag.
#include "structure/technical_edits.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/placement_services.h"
#include "platform/paths.h"
#include "platform/system_atomic_write.h"
#include "platform/system_files.h"

TechEditEntry g_tech_edits[kTechEditEntries];

namespace {

bool g_dump_failed = false;

int co_teacher(int lesson) { return or_lesson_has_second(lesson) ? g_eng_lessons[lesson].second_teacher : -1; }

bool share_someone(int i, int j) {
  const EngineLesson& a = g_eng_lessons[i];
  const EngineLesson& b = g_eng_lessons[j];
  int ca = co_teacher(i), cb = co_teacher(j);
  if (a.class_index == b.class_index || a.teacher == b.teacher) return true;
  if ((ca >= 0 && ca == b.teacher) || (cb >= 0 && cb == a.teacher) || (ca >= 0 && ca == cb)) return true;
  return tech_room(i) >= 0 && tech_room(i) == tech_room(j);
}

void link(int i, int j) {
  TechEditEntry& e = g_tech_edits[i];
  e.in_conflict = 1;
  for (std::uint16_t& slot : e.conflicts) {
    if (slot != 65535) continue;
    slot = std::uint16_t(j);
    return;
  }
}

}  // namespace

void tech_reset_edits() {
  for (TechEditEntry& e : g_tech_edits) {
    std::memset(&e, 0, sizeof e);
    e.day = e.hour = 255;
    e.lab = kTechLabUnchanged;
    std::fill(std::begin(e.conflicts), std::end(e.conflicts), std::uint16_t(65535));
  }
}

int tech_listed_lessons() {
  int count = std::min(g_eng_school.lesson_count, kTechEditEntries);
  for (int i = 0; i < count; ++i) {
    int t = g_eng_lessons[i].teacher;
    if (t < 0 || t >= kMaxTeachers || g_eng_teachers[t].calendar_class != -1) return i;
  }
  return std::max(count, 0);
}

void tech_sort_line_runs(int count) {
  auto same_line = [](int a, int b) {
    return g_eng_lessons[a].line_number == g_eng_lessons[b].line_number &&
           g_eng_lessons[a].part_line_number == g_eng_lessons[b].part_line_number;
  };
  for (int start = 0; start < count;) {
    int end = start + 1;
    while (end < count && same_line(start, end)) ++end;
    for (bool swapped = true; swapped;) {
      swapped = false;
      for (int i = start; i + 1 < end; ++i) {
        EngineLesson& a = g_eng_lessons[i];
        EngineLesson& b = g_eng_lessons[i + 1];
        if (a.day > b.day || (a.day == b.day && a.hour > b.hour)) {
          std::swap(a.day, b.day);
          std::swap(a.hour, b.hour);
          swapped = true;
        }
      }
    }
    start = end;
  }
}

int tech_day(int lesson) {
  std::uint8_t d = g_tech_edits[lesson].day;
  return d != 255 ? d : g_eng_lessons[lesson].day;
}

int tech_hour(int lesson) {
  std::uint8_t h = g_tech_edits[lesson].hour;
  return h != 255 ? h : g_eng_lessons[lesson].hour;
}

int tech_own_room(int lesson) {
  int c = g_eng_lessons[lesson].class_index;
  if (c < 0 || c >= g_eng_school.class_count) return -1;
  for (int r = 0; r < g_eng_school.room_count; ++r)
    if (std::strcmp(g_eng_rooms[r].name, g_eng_classes[c].code) == 0) return r;
  return -1;
}

int tech_room(int lesson) {
  std::int32_t lab = g_tech_edits[lesson].lab;
  if (lab >= 0) return lab;
  if (lab == kTechNoLab) return tech_own_room(lesson);
  return g_eng_lessons[lesson].room;
}

int tech_check_conflicts(int count) {
  for (int i = 0; i < count; ++i) {
    std::fill(std::begin(g_tech_edits[i].conflicts), std::end(g_tech_edits[i].conflicts), std::uint16_t(65535));
    g_tech_edits[i].in_conflict = 0;
  }
  std::vector<std::vector<int>> by_slot(kWeekSlots);
  for (int i = 0; i < count; ++i) {
    int d = tech_day(i), h = tech_hour(i);
    if (d < kDays && h < kHoursPerDay) by_slot[std::size_t(d * kHoursPerDay + h)].push_back(i);
  }
  int links = 0;
  for (const std::vector<int>& slot : by_slot)
    for (std::size_t a = 0; a < slot.size(); ++a)
      for (std::size_t b = a + 1; b < slot.size(); ++b) {
        if (!share_someone(slot[a], slot[b])) continue;
        link(slot[a], slot[b]);
        link(slot[b], slot[a]);
        ++links;
      }
  return links;
}

bool tech_any_edit(int count) {
  for (int i = 0; i < count; ++i)
    if (g_tech_edits[i].day != 255 || g_tech_edits[i].lab != kTechLabUnchanged) return true;
  return false;
}

void tech_set_slot(int lesson, int day, int hour) {
  TechEditEntry& e = g_tech_edits[lesson];
  const EngineLesson& l = g_eng_lessons[lesson];
  int d = day >= 0 ? day : e.day != 255 ? e.day : l.day;
  int h = hour >= 0 ? hour : e.hour != 255 ? e.hour : l.hour;
  if (d == l.day && h == l.hour) d = h = 255;
  e.day = std::uint8_t(d);
  e.hour = std::uint8_t(h);
}

void tech_set_lab(int lesson, int lab) {
  const EngineLesson& l = g_eng_lessons[lesson];
  int recorded = or_lesson_room_setting(lesson);
  if (lab == kTechNoLab) {
    bool own_lab = l.room != tech_own_room(lesson) || recorded >= 0;
    g_tech_edits[lesson].lab = own_lab && recorded != kRoomSettingNoRoom ? kTechNoLab : kTechLabUnchanged;
    return;
  }
  g_tech_edits[lesson].lab = lab == l.room || lab == recorded ? kTechLabUnchanged : lab;
}

void tech_apply_edits(int count) {
  for (int i = 0; i < count; ++i) {
    const TechEditEntry& e = g_tech_edits[i];
    if (e.day != 255) {
      g_eng_lessons[i].day = e.day;
      g_eng_lessons[i].hour = e.hour;
    }
    if (e.lab == kTechNoLab) or_set_lesson_room_setting(i, kRoomSettingNoRoom);
    if (e.lab >= 0) {
      g_eng_lessons[i].room = e.lab;
      or_set_lesson_room_setting(i, e.lab);
    }
  }
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    g_current_placement[i] = g_placement_copy[i] = or_lesson_place_value(i);
}

void tech_dump_edits() {
  if (g_dump_failed) return;
  std::string path = kt::translate_path("\\tmp\\edizio.dat");
  kt::make_folders(path.substr(0, path.find_last_of('/')));
  std::string_view bytes(reinterpret_cast<const char*>(g_tech_edits), sizeof g_tech_edits);
  if (!kt::write_file_atomically(path, bytes)) g_dump_failed = true;
}
