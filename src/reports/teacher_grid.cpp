// The teacher grid of the report run: one ReportTeacherGrid record per
// teacher with lessons or duties, holding per week slot the text every
// teacher-based report prints (class, stand-by " D ", support " S ",
// reception " R ", a building change " t ") and the slot's room, subject,
// building and own times; then the records sorted by name.
//
// A teacher's slots hold the lessons it teaches in either role, as lesson
// teacher or as second teacher (laboratory and conversation assistants).
//
// Invariants: only real teachers get a record (never a class-calendar
// pseudo-teacher); a slot outside the hours shown keeps its defaults; the
// sort is stable, so equal names keep the engine's teacher order. Shaped for
// 500 teachers x 84 slots: the lessons are indexed by teacher and slot once.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/lesson_links.h"
#include "engine/report_services.h"
#include "engine/status_block.h"
#include "engine/week_grid_access.h"
#include "reports/report_run.h"

namespace {

// Lesson of each teacher in each slot (first one in lesson order), -1 free.
// A teacher teaches a lesson in either role: as its teacher or as its
// second teacher (laboratory or conversation assistant), as the engine's own
// teacher grid holds it.
std::vector<int> lessons_by_teacher_slot() {
  std::vector<int> at(static_cast<size_t>(kMaxTeachers) * kWeekSlots, -1);
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (!or_lesson_placed(l) || x.hour >= kHoursPerDay || x.day >= kDays) continue;
    for (int t : {x.teacher.get(), or_report_second_teacher(l)}) {
      if (t < 0 || t >= kMaxTeachers) continue;
      int& cell = at[static_cast<size_t>(t) * kWeekSlots + x.day * kHoursPerDay + x.hour];
      if (cell < 0) cell = l;
    }
  }
  return at;
}

// The subject a teacher teaches in a lesson: the second teacher's own
// subject when the teacher is the lesson's second teacher and has one.
int subject_taught(int l, int t) {
  const EngineLesson& x = g_eng_lessons[l];
  if (x.teacher != t && or_report_second_teacher(l) == t && x.part_subject >= 0) return x.part_subject;
  return x.subject;
}

void copy_text(char* out, size_t size, const char* in) {
  size_t n = 0;
  for (; n + 1 < size && in[n]; ++n) out[n] = in[n];
  out[n] = 0;
}

int main_subject_of(int t) {
  const EngineTeacher& k = g_eng_teachers[t];
  if (k.subject_index != 0xFFFF) return k.subject_index;
  std::vector<int> count(kMaxSubjects, 0), first(kMaxSubjects, kMaxLessons);
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    if (g_eng_lessons[l].teacher != t && or_report_second_teacher(l) != t) continue;
    int s = subject_taught(l, t);
    if (s < 0 || s >= kMaxSubjects) continue;
    ++count[s];
    first[s] = std::min(first[s], l);
  }
  int best = -1;
  for (int s = 0; s < kMaxSubjects; ++s)
    if (count[s] > 0 && (best < 0 || count[s] > count[best] || (count[s] == count[best] && first[s] < first[best])))
      best = s;
  return best;
}

char building_letter(int b) {
  if (b < 0 || b >= g_eng_school.building_count || b >= kMaxBuildings) return ' ';
  unsigned char c = static_cast<unsigned char>(g_eng_buildings[b].name[0]);
  return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
}

int class_building(int l) {
  int c = l >= 0 ? g_eng_lessons[l].class_index : -1;
  return c >= 0 && c < kMaxClasses ? g_eng_classes[c].building : -1;
}

void fill_lesson_slot(ReportTeacherGrid& r, int t, int s, int l, int d, int h) {
  const EngineLesson& x = g_eng_lessons[l];
  int c = x.class_index;
  bool several = or_report_several_buildings();
  if (or_is_support_class(c)) {
    int supported = or_lesson_supported_class(l);
    if (supported >= 0) {
      const char* text = g_eng_classes[supported].kind ? or_report_class_name(supported) : or_class_code(supported);
      std::snprintf(r.cell[s], sizeof r.cell[s], "%.5s", text);
      copy_text(r.class_code[s], sizeof r.class_code[s], or_class_code(supported));
      r.sign1[s] = 'S';
      if (several) r.sign2[s] = building_letter(x.building), r.building[s] = static_cast<std::int8_t>(x.building);
    } else {
      copy_text(r.cell[s], sizeof r.cell[s], " S ");
      copy_text(r.class_code[s], sizeof r.class_code[s], " S ");
    }
    return;
  }
  if (or_is_standby_class(c)) {
    copy_text(r.cell[s], sizeof r.cell[s], " D ");
    copy_text(r.class_code[s], sizeof r.class_code[s], " D ");
    return;
  }
  int room = or_report_lesson_room(l);
  if (room >= 0 && room < g_eng_school.room_count && (g_eng_rooms[room].lab_flag & 1)) {
    copy_text(r.lab_name[s], sizeof r.lab_name[s], g_eng_rooms[room].name);
    std::snprintf(r.lab_short[s], sizeof r.lab_short[s], "%.*s", g_report.lab_text_width, g_eng_rooms[room].name);
    g_report.lab_rooms_used = true;
  }
  if (g_room_report_flag) r.allocated_room[s] = room;
  r.lesson_subject[s] = subject_taught(l, t);
  copy_text(r.class_code[s], sizeof r.class_code[s], or_class_code(c));
  std::snprintf(r.cell[s], sizeof r.cell[s], "%.5s", or_report_class_name(c));
  if (several) r.sign2[s] = building_letter(x.building), r.building[s] = static_cast<std::int8_t>(x.building);
  int day_length = g_provisional_mode ? g_eng_school.provisional_hours_per_day[d] : or_day_hours(d);
  if (h < day_length) ++r.hours_inside_day;
  const EngineClass& k = g_eng_classes[c];
  if (k.timing[0][d][h] != 0 || k.timing[1][d][h] != 0) {
    int start = k.timing[0][d][h], end = start + k.timing[1][d][h];
    if (start != g_eng_school.timing[0][d][h]) r.start_stamp[s] = static_cast<std::int16_t>(start);
    if (end != g_eng_school.timing[0][d][h] + g_eng_school.timing[1][d][h])
      r.end_stamp[s] = static_cast<std::int16_t>(end);
  }
}

void fill_record(ReportTeacherGrid& r, int t, const std::vector<int>& at) {
  std::memset(static_cast<void*>(&r), 0, sizeof r);
  const EngineTeacher& k = g_eng_teachers[t];
  copy_text(r.name, sizeof r.name, k.name);
  copy_text(r.display_name, sizeof r.display_name, k.name);
  r.copied_byte = k.privilege_flag;
  int subject = main_subject_of(t);
  r.main_subject_index = static_cast<std::int16_t>(k.subject_index != 0xFFFF ? k.subject_index : -1);
  copy_text(r.main_subject, sizeof r.main_subject, or_report_subject_name(subject));
  copy_text(r.main_subject_copy, sizeof r.main_subject_copy, r.main_subject);
  r.kind = k.type_flags;
  r.teacher = t;
  r.represented = -1;
  r.standby_hours = static_cast<std::uint8_t>(k.standby_hours);
  r.teaching_hours = static_cast<std::uint8_t>(k.lesson_hours);
  r.created_byte = k.setting_byte;
  const int* row = &at[static_cast<size_t>(t) * kWeekSlots];
  for (int s = 0; s < kWeekSlots; ++s) {
    r.allocated_room[s] = -1, r.lesson_subject[s] = -1, r.common_room[s] = -1;
    r.start_stamp[s] = -1, r.end_stamp[s] = -1;
    r.sign1[s] = ' ', r.sign2[s] = ' ', r.building[s] = -99;
  }
  int hours = g_report.hours_shown;
  for (int d = 0; d < or_week_days(); ++d)
    for (int h = 0; h < hours; ++h) {
      int s = d * kHoursPerDay + h;
      int l = row[s];
      if (l < 0) {
        copy_text(r.cell[s], sizeof r.cell[s], "     ");
        if (h >= 1 && h <= hours - 2 && row[s - 1] >= 0 && row[s + 1] >= 0) {
          int b1 = class_building(row[s - 1]), b2 = class_building(row[s + 1]);
          if (b1 != b2) copy_text(r.cell[s], sizeof r.cell[s], " t ");
        }
        continue;
      }
      // A slot beyond the provisional day keeps its defaults.
      if (g_provisional_mode && h >= g_eng_school.provisional_hours_per_day[d]) continue;
      fill_lesson_slot(r, t, s, l, d, h);
    }
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (!or_lesson_placed(l) || x.common_room < 0 || x.common_room >= kMaxCommonRooms) continue;
    if (x.teacher != t && or_report_second_teacher(l) != t) continue;
    if (x.day >= kDays || x.hour >= kHoursPerDay) continue;
    r.common_room[x.day * kHoursPerDay + x.hour] = x.common_room;
    r.common_rooms_used[x.common_room] = 1;
  }
  int rd = k.reset_marker, rh = k.reception_hour;
  if (rd < or_week_days() && rh < hours) copy_text(r.cell[rd * kHoursPerDay + rh], 6, " R ");
}

bool gets_record(int t) {
  const EngineTeacher& k = g_eng_teachers[t];
  bool busy = k.lesson_count > 0 || k.lesson_hours > 0 || k.standby_hours > 0 || k.support_hours > 0;
  return busy && !or_report_pseudo_teacher(t);
}

}  // namespace

void or_fill_teacher_grid() {
  std::vector<int> at = lessons_by_teacher_slot();
  int n = 0;
  for (int t = 0; t < g_eng_school.teacher_count && n < kReportTeachers; ++t)
    if (gets_record(t)) fill_record(g_teacher_grid[n++], t, at);
  g_report.teacher_records = n;
  std::stable_sort(g_teacher_grid, g_teacher_grid + n, [](const ReportTeacherGrid& a, const ReportTeacherGrid& b) {
    return std::strcmp(a.name, b.name) < 0;
  });
  for (int i = 0; i < n; ++i) {
    if (!(g_teacher_grid[i].kind & kTeacherFca)) continue;
    int proxy = g_report.proxy[g_teacher_grid[i].teacher];
    for (int j = 0; j < n && proxy >= 0; ++j)
      if (g_teacher_grid[j].teacher == proxy) g_teacher_grid[i].represented = j;
  }
}
