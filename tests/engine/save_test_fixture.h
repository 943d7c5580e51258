// A small school built straight into the model tables for the save-file,
// view and preparation tests, and a temporary school folder to run in.
// Week: 5 days of 6 hours (30 slots) unless a test changes it.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "engine/lesson_links.h"
#include "engine/loader.h"
#include "engine/model.h"
#include "engine/model_post_passes.h"
#include "engine/placement_services.h"
#include "engine/special_calendars.h"
#include "engine/status_block.h"
#include "engine_test_support.h"

namespace save_test {

namespace fs = std::filesystem;

// A fresh folder that stands for the school folder and the drive root.
class SchoolFolder : public engine_test::TempDir {
 public:
  bool exists(const std::string& name) const { return fs::exists(path() / name); }
  std::string read(const std::string& name) const { return engine_test::read_file(file(name)); }
  void write(const std::string& name, const std::string& bytes) const { engine_test::write_file(file(name), bytes); }

 private:
  engine_test::InFolder in_{path()};
};

inline void reset_run_flags() {
  g_provisional_mode = g_test_run = 0;
  g_process_count = 1;
  g_status.language = 0;
}

// The sample school "piccola" in the folder, with its saved timetable; the
// description is loaded, the saved timetable left to the test.
inline void load_sample_school(const SchoolFolder& folder) {
  fs::copy_file(fs::path(KT_SOURCE_DIR) / "examples/piccola/scuola2.txt", folder.path() / "scuola2.txt");
  fs::copy_file(fs::path(KT_TEST_DATA) / "savefiles/piccola-savego.txt", folder.path() / "savego.txt");
  reset_run_flags();
  or_reset_model();
  or_load_description("scuola2.txt", 0);
}

inline void reset_school(int days = 5, int hours = 6) {
  or_reset_model();
  reset_run_flags();
  g_eng_run.days_per_week = static_cast<std::uint8_t>(days);
  for (int d = 0; d < days; ++d) g_eng_school.hours_per_day[d] = static_cast<std::uint8_t>(hours);
  g_eng_run.weekly_slots = static_cast<std::uint8_t>(days * hours);
  g_eng_run.longest_day = static_cast<std::uint8_t>(hours);
}

inline int add_room(const char* name) {
  int r = g_eng_school.room_count++;
  std::snprintf(g_eng_rooms[r].name, kNameSize, "%s", name);
  std::memset(g_eng_rooms[r].availability, 1, kWeekSlots);
  g_eng_rooms[r].home_class = -1;  // no class owns it, as the loader's labs
  return r;
}

inline int add_class(const char* code) {
  int c = g_eng_school.class_count++;
  EngineClass& k = g_eng_classes[c];
  std::snprintf(k.code, sizeof k.code, "%s", code);
  std::snprintf(k.display_name, sizeof k.display_name, "%s", code);
  k.parent = k.building = -1;
  std::memset(k.special_calendar, 255, sizeof k.special_calendar);
  g_eng_school.real_class_count = g_eng_school.class_count;
  g_eng_rooms[add_room(code)].home_class = static_cast<std::int16_t>(c);
  return c;
}

inline int add_teacher(const char* name) {
  int t = g_eng_school.teacher_count;
  EngineTeacher& x = g_eng_teachers[t];
  std::snprintf(x.name, kNameSize, "%s", name);
  std::memset(x.allowed_hours, 255, sizeof x.allowed_hours);
  std::memset(x.allowed_hours_work, 255, sizeof x.allowed_hours_work);
  std::memset(x.forbidden_hours, 255, sizeof x.forbidden_hours);
  x.insegnamin = x.insegna = x.presenza = 255;
  or_init_teacher_links(t);
  or_add_teacher_count();
  return t;
}

inline int add_subject(const char* name) {
  int s = g_eng_school.subject_count++;
  std::snprintf(g_eng_subjects[s].group_name, kNameSize, "%s", name);
  std::snprintf(g_eng_subjects[s].specific_name, kNameSize, "%s", name);
  return s;
}

inline int room_named(const char* name) {
  for (int r = 0; r < g_eng_school.room_count; ++r)
    if (std::strcmp(g_eng_rooms[r].name, name) == 0) return r;
  return -1;
}

// One lesson hour of a teacher in a class; second >= 0 adds a laboratory part.
inline int add_lesson(int teacher, int c, int subject, int second = -1) {
  int i = g_eng_school.lesson_count++;
  or_init_pseudo_lesson(i, teacher, c, subject, room_named(g_eng_classes[c].code));
  if (second >= 0) {
    g_eng_lessons[i].second_teacher = second;
    g_eng_lessons[i].piece_kind = kHasLaboratoryPart;
  }
  return i;
}

inline void place(int lesson, int day, int hour) { or_place_lesson_everywhere(lesson, day, hour); }

// Slots (day x 12 + hour, -1 unplaced) of the first n lessons, all by default.
inline std::vector<int> placements(int n = -1) {
  std::vector<int> out;
  if (n < 0 || n > g_eng_school.lesson_count) n = g_eng_school.lesson_count;
  for (int i = 0; i < n; ++i)
    out.push_back(or_lesson_placed(i) ? g_eng_lessons[i].day * 12 + g_eng_lessons[i].hour : -1);
  return out;
}

// Calendar pseudo-lessons fill each class's week, as after a load.
inline void fill_class_weeks() {
  or_create_calendar_lessons(0);
  or_count_hours(0);
  or_place_calendar_lessons();
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    or_place_lesson_everywhere(i, or_lesson_placed(i) ? g_eng_lessons[i].day : -1, g_eng_lessons[i].hour);
}

// Two classes, three teachers (VERDI assists one lesson as lab teacher), six
// lessons placed without a clash; the calendar pseudo-teachers 3 and 4 with
// 27 lessons each (6 to 32, 33 to 59) fill the 30-slot week of both classes.
struct SmallSchool {
  int c1a, c1b, rossi, bianchi, verdi, math, lab;
  SmallSchool() {
    reset_school();
    c1a = add_class("1A"), c1b = add_class("1B");
    rossi = add_teacher("ROSSI"), bianchi = add_teacher("BIANCHI"), verdi = add_teacher("VERDI");
    math = add_subject("MATEMATICA"), lab = add_subject("FISICA");
    struct { int teacher, klass, subject, second, day, hour; } lessons[] = {
        {rossi, c1a, math, -1, 0, 0},  {rossi, c1a, math, -1, 0, 1}, {rossi, c1b, math, -1, 1, 0},
        {bianchi, c1b, lab, verdi, 0, 0}, {bianchi, c1a, lab, -1, 2, 3}, {verdi, c1b, lab, -1, 4, 5}};
    for (const auto& l : lessons) add_lesson(l.teacher, l.klass, l.subject, l.second);
    or_count_hours(0);
    for (int i = 0; i < 6; ++i) place(i, lessons[i].day, lessons[i].hour);
    fill_class_weeks();
  }
};

}  // namespace save_test
