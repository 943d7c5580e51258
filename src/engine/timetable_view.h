// The timetable view that the user interface's pages read: rebuilt whole from
// the model after a load and by the commands that change the placement.
#pragma once

void or_build_timetable_view();

#include <cstdint>

#include "engine/model.h"

// What the timetable pages read, in this field order. Text fields are 21
// bytes (20 characters and a zero) unless said otherwise.
struct TimetableView {
  std::uint8_t days_per_week;
  std::uint8_t longest_day;
  char header[40];                  // the school's 40-character header text
  char day_codes[kDays][3];
  char teacher_names[kMaxTeachers][kNameSize];  // real teachers
  std::uint8_t teacher_keyword_flag[kMaxTeachers];
  std::uint8_t reception_wanted[kMaxTeachers];
  std::uint8_t standby_correction[kMaxTeachers];
  std::uint8_t standby_hours[kMaxTeachers];
  std::uint8_t support_hours[kMaxTeachers];
  std::uint8_t rest_setting[kMaxTeachers];
  std::uint8_t option_flags[kMaxTeachers];
  char calendar_names[kMaxTeachers][kNameSize];  // special-calendar pseudo-teachers
  std::uint32_t real_teacher_count;
  std::uint32_t pseudo_teacher_count;
  char class_codes[kMaxClasses][4];  // "Dis" stand-by, "Sos" support pseudo-classes
  std::int32_t merged_into[kMaxClasses];
  char class_display_names[kMaxClasses][kNameSize];
  std::uint32_t building_count;
  char building_names[kMaxBuildings][kNameSize];
  std::uint8_t class_building[kMaxClasses];
  std::uint32_t class_count;
  std::uint32_t real_class_count;
  std::uint32_t support_class_start;
  std::int32_t teacher_lessons[kMaxTeachers][kWeekSlots];
  std::uint32_t teacher_lesson_count[kMaxTeachers];
  char subject_names[kMaxSubjects][42];
  std::uint32_t subject_count;
  char room_names[kMaxRooms][kNameSize];
  std::uint8_t room_flags[kMaxRooms];
  std::uint32_t room_count;
  char common_room_names[kMaxCommonRooms][kNameSize];
  std::uint32_t common_room_count;
  struct Reception {
    std::int8_t day;
    std::int8_t hour;
    std::int8_t candidates[14][2];
  } reception[kMaxTeachers];
};

extern TimetableView g_timetable_view;
