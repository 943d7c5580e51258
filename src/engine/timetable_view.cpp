// The timetable view: one compact block, rebuilt whole from the model after
// a load and after each command that changes the placement, which the pages
// of the user interface read instead of the engine's tables. Building it is
// a straight copy (about 300 KB); it runs a few times per command.
#include "engine/timetable_view.h"

#include <cstdio>
#include <cstring>

#include "engine/lesson_links.h"

TimetableView g_timetable_view;

namespace {

void copy_name(char* out, const char* in, std::size_t size) {
  std::size_t n = 0;
  while (n + 1 < size && n < 20 && in[n] != '\0') {
    out[n] = in[n];
    ++n;
  }
  out[n] = '\0';
}

std::uint8_t clamp_byte(int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

int first_calendar_teacher() {
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (or_is_calendar_teacher(t)) return t;
  return g_eng_school.teacher_count;
}

void copy_teachers(TimetableView& v) {
  int n = g_eng_school.teacher_count > kMaxTeachers ? kMaxTeachers : g_eng_school.teacher_count;
  int real = first_calendar_teacher();
  v.real_teacher_count = static_cast<std::uint32_t>(real);
  v.pseudo_teacher_count = static_cast<std::uint32_t>(n - real);
  for (int t = 0; t < n; ++t) {
    const EngineTeacher& x = g_eng_teachers[t];
    if (t < real) copy_name(v.teacher_names[t], x.name, kNameSize);
    else copy_name(v.calendar_names[t - real], x.name, kNameSize);
    v.teacher_keyword_flag[t] = x.pseudo_flag;
    v.reception_wanted[t] = x.reception_handled == 0 ? 1 : 0;
    v.standby_correction[t] = clamp_byte(x.standby_correction);
    v.standby_hours[t] = clamp_byte(x.standby_hours);
    v.support_hours[t] = clamp_byte(x.support_hours);
    if (g_eng_school.rest_option == 0) v.rest_setting[t] = static_cast<std::uint8_t>(x.riposo);
    v.option_flags[t] = x.type_flags;
    int count = x.lesson_count < 0 ? 0 : x.lesson_count > kWeekSlots ? kWeekSlots : x.lesson_count;
    for (int i = 0; i < count; ++i) v.teacher_lessons[t][i] = x.lesson_indexes[i];
    v.teacher_lesson_count[t] = static_cast<std::uint32_t>(count);
    v.reception[t].day = static_cast<std::int8_t>(x.reset_marker);
    v.reception[t].hour = static_cast<std::int8_t>(x.reception_hour);
    for (int k = 0; k < 14; ++k) {
      v.reception[t].candidates[k][0] = static_cast<std::int8_t>(x.reset_pairs[k][0]);
      v.reception[t].candidates[k][1] = static_cast<std::int8_t>(x.reset_pairs[k][1]);
    }
  }
}

void copy_classes(TimetableView& v) {
  int n = g_eng_school.class_count > kMaxClasses ? kMaxClasses : g_eng_school.class_count;
  for (int c = 0; c < n; ++c) {
    const EngineClass& k = g_eng_classes[c];
    bool pseudo = or_is_pseudo_class(c);
    if (or_is_standby_class(c)) std::memcpy(v.class_codes[c], "Dis", 4);
    else if (or_is_support_class(c)) std::memcpy(v.class_codes[c], "Sos", 4);
    else copy_name(v.class_codes[c], k.code, 4);
    v.merged_into[c] = pseudo ? -1 : k.parent;
    copy_name(v.class_display_names[c], pseudo ? k.code : k.display_name, kNameSize);
    v.class_building[c] = static_cast<std::uint8_t>(k.building);
  }
  v.class_count = static_cast<std::uint32_t>(n);
  v.real_class_count = static_cast<std::uint32_t>(g_eng_school.real_class_count);
  v.support_class_start = static_cast<std::uint32_t>(or_support_class_start());
}

}  // namespace

void or_build_timetable_view() {
  TimetableView& v = g_timetable_view;
  std::memset(static_cast<void*>(&v), 0, sizeof v);
  v.days_per_week = g_eng_run.days_per_week;
  v.longest_day = g_eng_run.longest_day;
  std::memcpy(v.header, g_eng_school.header2, sizeof v.header);
  for (int d = 0; d < kDays; ++d) {
    std::memcpy(v.day_codes[d], g_eng_school.day_codes[d], 2);
    v.day_codes[d][2] = '\0';
  }
  copy_teachers(v);
  copy_classes(v);
  int buildings = g_eng_school.building_count > kMaxBuildings ? kMaxBuildings : g_eng_school.building_count;
  v.building_count = static_cast<std::uint32_t>(buildings < 0 ? 0 : buildings);
  for (int b = 0; b < buildings; ++b) copy_name(v.building_names[b], g_eng_buildings[b].name, kNameSize);
  int subjects = g_eng_school.subject_count > kMaxSubjects ? kMaxSubjects : g_eng_school.subject_count;
  for (int s = 0; s < subjects; ++s) {
    const EngineSubject& x = g_eng_subjects[s];
    copy_name(v.subject_names[s], x.group_name, kNameSize);
    if (x.specific_name[0] != '\0' && std::strncmp(x.specific_name, x.group_name, 20) != 0)
      std::snprintf(v.subject_names[s], sizeof v.subject_names[s], "%.20s %.20s", x.group_name, x.specific_name);
  }
  v.subject_count = static_cast<std::uint32_t>(subjects);
  int rooms = g_eng_school.room_count > kMaxRooms ? kMaxRooms : g_eng_school.room_count;
  for (int r = 0; r < rooms; ++r) {
    copy_name(v.room_names[r], g_eng_rooms[r].name, kNameSize);
    v.room_flags[r] = g_eng_rooms[r].lab_flag;
  }
  v.room_count = static_cast<std::uint32_t>(rooms);
  int common = g_eng_school.common_room_count > kMaxCommonRooms ? kMaxCommonRooms : g_eng_school.common_room_count;
  for (int r = 0; r < common; ++r) copy_name(v.common_room_names[r], g_eng_common_rooms[r].name, kNameSize);
  v.common_room_count = static_cast<std::uint32_t>(common);
}
