// Small readers over the model that the save files, the stand-by set-up and
// the timetable view share: the class ranges (real classes, then stand-by
// pseudo-classes, then support pseudo-classes), the pseudo-teacher tests,
// the lesson's own room and supported class, and the school week's shape.
//
// The two lesson links are stored one above their value (see model.h) so a
// cleared record means "none"; everything here goes through these readers.
// All functions are inline and branch-light: the solver calls some of them
// per move.
#pragma once

#include <cstring>

#include "engine/model.h"

inline constexpr int kRoomSettingNone = -1;
inline constexpr int kRoomSettingNoRoom = -2;  // written as " STZN:" in the save

inline int or_lesson_room_setting(int lesson) {
  int code = g_eng_lessons[lesson].room_setting_code;
  return code == 0 ? kRoomSettingNone : code < 0 ? kRoomSettingNoRoom : code - 1;
}
inline void or_set_lesson_room_setting(int lesson, int room) {
  g_eng_lessons[lesson].room_setting_code =
      room >= 0 ? room + 1 : room == kRoomSettingNoRoom ? -1 : 0;
}
inline int or_lesson_supported_class(int lesson) {
  return g_eng_lessons[lesson].supported_class_code - 1;
}
inline void or_set_lesson_supported_class(int lesson, int class_index) {
  g_eng_lessons[lesson].supported_class_code = class_index >= 0 ? class_index + 1 : 0;
}

// First support pseudo-class; the model reset leaves 0, which means "none".
inline int or_support_class_start() {
  int s = g_eng_school.support_class_start;
  return s > 0 ? s : kMaxClasses;
}
inline bool or_is_standby_class(int c) {
  return c >= g_eng_school.real_class_count && c < or_support_class_start() &&
         c < g_eng_school.class_count;
}
inline bool or_is_support_class(int c) {
  return c >= or_support_class_start() && c < g_eng_school.class_count;
}
inline bool or_is_pseudo_class(int c) { return c >= g_eng_school.real_class_count; }

// Special-calendar pseudo-teachers carry the class they stand for; the
// model reset leaves 0 in every record, so only names tell them apart
// before the link is set. The calendar set-up sets the link and every
// other teacher keeps -1 through or_init_teacher_links.
inline bool or_is_calendar_teacher(int t) {
  return t >= 0 && t < kMaxTeachers && g_eng_teachers[t].calendar_class >= 0 &&
         std::strncmp(g_eng_teachers[t].name, "Calendario-", 11) == 0;
}

inline bool or_lesson_placed(int l) { return g_eng_lessons[l].day != kDayNotPlaced; }
inline bool or_lesson_has_second(int l) {
  return (g_eng_lessons[l].piece_kind & (kHasLaboratoryPart | kHasConversationPart)) != 0 &&
         g_eng_lessons[l].second_teacher >= 0;
}
inline int or_week_days() {
  int d = g_eng_run.days_per_week;
  return d > kDays ? kDays : d;
}
inline int or_day_hours(int d) {
  int h = g_eng_school.hours_per_day[d];
  return h > kHoursPerDay ? kHoursPerDay : h;
}
inline bool or_slot_in_week(int day, int hour) {
  return day >= 0 && day < or_week_days() && hour >= 0 && hour < or_day_hours(day);
}
