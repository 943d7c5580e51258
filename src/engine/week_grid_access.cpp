// Room settings and class-name helpers of the engine tables (see
// week_grid_access.h). Every lesson index and name is checked before any
// table is indexed.
#include "engine/week_grid_access.h"

#include <cstdio>
#include <cstring>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/status_block.h"
#include "engine/substitution_services.h"

namespace {

bool valid_lesson(int l) { return l >= 0 && l < g_eng_school.lesson_count; }
bool valid_class(int c) { return c >= 0 && c < g_eng_school.class_count && c < kMaxClasses; }
bool valid_teacher(int t) { return t >= 0 && t < g_eng_school.teacher_count && t < kMaxTeachers; }

int building_of(int lesson) {
  const EngineLesson& l = g_eng_lessons[lesson];
  if (l.building >= 0 && l.building < g_eng_school.building_count) return l.building;
  return valid_class(l.class_index) ? g_eng_classes[l.class_index].building : -1;
}

bool teacher_takes_part(int l, int t) {
  return g_eng_lessons[l].teacher == t || (or_lesson_has_second(l) && g_eng_lessons[l].second_teacher == t);
}

int class_room(int c) {
  if (!valid_class(c)) return -1;
  for (int r = 0; r < g_eng_school.room_count; ++r)
    if (std::strcmp(g_eng_rooms[r].name, g_eng_classes[c].code) == 0) return r;
  return -1;
}

template <typename Record>
int find_exact(const Record* table, int count, const char* name) {
  for (int i = 0; i < count; ++i)
    if (std::strcmp(table[i].name, name) == 0) return i;
  return -1;
}

}  // namespace

void or_set_lesson_room(int lesson, const char* room_name) {
  if (!valid_lesson(lesson)) return;
  EngineLesson& l = g_eng_lessons[lesson];
  if (room_name != nullptr) {
    int r = find_exact(g_eng_rooms, g_eng_school.room_count, room_name);
    if (r < 0) return;
    or_set_lesson_room_setting(lesson, r);
    l.room = r;
    return;
  }
  int home = class_room(l.class_index);
  if (home >= 0) l.room = home;
  or_set_lesson_room_setting(lesson, kRoomSettingNoRoom);
}

void or_reset_record_rooms() {
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (or_lesson_room_setting(i) >= 0) g_eng_lessons[i].room = or_lesson_room_setting(i);
}

namespace {

const char* rotating_buffer(const char* text, int limit) {
  static char buffers[8][22];
  static int next = 0;
  char* out = buffers[next];
  next = (next + 1) % 8;
  std::snprintf(out, 22, "%.*s", limit, text);
  return out;
}

int merged_class(int c) {
  if (!valid_class(c)) return -1;
  int p = g_eng_classes[c].parent;
  return valid_class(p) && !or_is_pseudo_class(c) ? p : c;
}

}  // namespace

const char* or_class_display_name(int c) {
  int m = merged_class(c);
  return rotating_buffer(m >= 0 ? g_eng_classes[m].display_name : "?", 21);
}

const char* or_class_code(int c) {
  int m = merged_class(c);
  return rotating_buffer(m >= 0 ? g_eng_classes[m].code : "?", 3);
}

int or_next_class_by_section(int restart, int* cursor) {
  int n = g_eng_school.real_class_count > 0 ? g_eng_school.real_class_count : g_eng_school.class_count;
  if (n < 2) return 0;
  auto key = [](int c) {
    const char* code = g_eng_classes[c].code;
    int len = g_eng_school.class_code_length >= 3 ? 3 : 2;
    int k = 0;
    for (int i = len - 1; i >= 0; --i) k = k * 256 + static_cast<unsigned char>(code[i]);
    return k;
  };
  if (restart) *cursor = -1;
  int best = -1, best_key = 0;
  for (int c = 0; c < n; ++c) {
    int k = key(c);
    if (k > *cursor && (best < 0 || k < best_key)) {
      best = c;
      best_key = k;
    }
  }
  if (best >= 0) *cursor = best_key;
  return best;
}

void or_lesson_cell_code(char* text, int teacher, int day, int hour) {
  text[0] = '\0';
  if (!valid_teacher(teacher) || !or_slot_in_week(day, hour)) return;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (!teacher_takes_part(i, teacher) || l.day != day || l.hour != hour) continue;
    if (l.standby_marker == 1 || or_is_standby_class(l.class_index)) {
      std::snprintf(text, 8, "Dis");
      return;
    }
    int b = building_of(i);
    if (l.standby_marker == 2) {
      int c = or_lesson_supported_class(i);
      b = valid_class(c) ? g_eng_classes[c].building : -1;
    }
    if (b >= 0 && b < g_eng_school.building_count)
      std::snprintf(text, 8, "%.3s ", g_eng_buildings[b].name);
    else
      std::snprintf(text, 8, " x ");
    return;
  }
}

void or_default_absence_reasons() {
  SubstitutionState& s = g_substitution_state;
  if (s.reason_count != 0) return;
  static const char* const italian[5] = {"Malattia", "Permesso", "Famiglia", "Recupero", "Legge 104"};
  static const char* const german[2] = {"Krankenheit", "Familie"};
  static const char* const english[2] = {"Sickness", "Family"};
  const char* const* rows = italian;
  int count = 5;
  if (g_status.language == 1) {
    rows = german;
    count = 2;
  } else if (g_status.language == 2) {
    rows = english;
    count = 2;
  } else if (g_status.language != 0) {
    // The page calls this directly: the error leaves its message and no reasons.
    try {
      or_raise_critical_error("SW", 0, "..\\Orario\\OR_EDI", 400);
    } catch (const EngineError&) {
      return;
    }
  }
  for (int i = 0; i < count; ++i) std::snprintf(s.reasons[i], sizeof s.reasons[i], "%s", rows[i]);
  s.reason_count = count;
}
