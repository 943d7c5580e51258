// Room settings and class-name helpers of the engine tables (see
// week_grid_access.h). Every lesson index and name is checked before any
// table is indexed.
#include "engine/week_grid_access.h"

#include <cstdio>
#include <cstring>

#include "engine/lesson_links.h"

namespace {

bool valid_lesson(int l) { return l >= 0 && l < g_eng_school.lesson_count; }
bool valid_class(int c) { return c >= 0 && c < g_eng_school.class_count && c < kMaxClasses; }

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
