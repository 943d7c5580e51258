// Special-calendar pseudo-teachers and their lessons (see special_calendars.h).
// Calendar records are appended at the ends of the teacher, lesson and
// subject tables and dropped from there again, so a rebuild never shifts
// the indexes of the description's own records. Every class short of the
// week has one (in many schools every class), so the per-class facts a step
// needs are gathered in one pass over the tables first.
#include "engine/special_calendars.h"

#include <cstdio>
#include <cstring>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/model_post_passes.h"

namespace {

bool is_calendar_subject(int s) {
  return s >= 0 && s < g_eng_school.subject_count &&
         std::strcmp(g_eng_subjects[s].group_name, kCalendarSubject) == 0;
}

int find_calendar_subject() {
  for (int s = 0; s < g_eng_school.subject_count; ++s)
    if (is_calendar_subject(s)) return s;
  return -1;
}

int append_calendar_subject() {
  if (g_eng_school.subject_count >= kMaxSubjects)
    or_raise_critical_error("Troppe Materie", 0, "..\\Orario\\OR_EDI", 60);
  int s = g_eng_school.subject_count++;
  std::memset(&g_eng_subjects[s], 0, sizeof g_eng_subjects[s]);
  std::snprintf(g_eng_subjects[s].group_name, kNameSize, "%s", kCalendarSubject);
  std::snprintf(g_eng_subjects[s].specific_name, kNameSize, "%s", kCalendarSubject);
  return s;
}

int class_room(int c) {
  for (int r = 0; r < g_eng_school.room_count; ++r)
    if (std::strcmp(g_eng_rooms[r].name, g_eng_classes[c].code) == 0) return r;
  return -1;
}

// Per class: its lessons other than calendar ones, and whether it already
// has its calendar pseudo-teacher; one pass over lessons and teachers.
struct ClassCalendarState {
  int lessons[kMaxClasses] = {};
  bool has_teacher[kMaxClasses] = {};

  ClassCalendarState() {
    for (int i = 0; i < g_eng_school.lesson_count; ++i) {
      int c = g_eng_lessons[i].class_index;
      if (c >= 0 && c < kMaxClasses && !or_is_calendar_teacher(g_eng_lessons[i].teacher)) ++lessons[c];
    }
    for (int t = 0; t < g_eng_school.teacher_count; ++t) {
      int c = g_eng_teachers[t].calendar_class;
      if (or_is_calendar_teacher(t) && c >= 0 && c < kMaxClasses) has_teacher[c] = true;
    }
  }
};

}  // namespace

void or_refuse_reserved_subject() {
  for (int s = 0; s < g_eng_school.subject_count; ++s)
    if (std::strcmp(g_eng_subjects[s].group_name, kCalendarSubject) == 0 ||
        std::strcmp(g_eng_subjects[s].specific_name, kCalendarSubject) == 0)
      or_raise_config_error("Vietato usare il nome di materia", kCalendarSubject);
}

void or_recount_week_shape() {
  int slots = 0, longest = 0;
  for (int d = 0; d < or_week_days(); ++d) {
    slots += or_day_hours(d);
    if (or_day_hours(d) > longest) longest = or_day_hours(d);
  }
  g_eng_run.weekly_slots = static_cast<std::uint8_t>(slots);
  g_eng_run.longest_day = static_cast<std::uint8_t>(longest);
}

int or_create_calendar_teacher(int c) {
  char name[64];
  int width = or_is_pseudo_class(c) ? 3 : g_eng_school.class_code_length;
  std::snprintf(name, sizeof name, "%s%-*.*s", "Calendario-", width, width, g_eng_classes[c].code);
  name[kNameSize - 1] = '\0';
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (std::strcmp(g_eng_teachers[t].name, name) == 0) or_raise_critical_error("SW", 0, "..\\Orario\\OR_EDI", 33);
  // Calendar teachers come on top of the description's own: a school can
  // reach the table's end here, which is the teacher limit of the loader.
  if (g_eng_school.teacher_count >= kMaxTeachers) or_raise_config_error("Numero Professori eccessivo", name);
  int t = g_eng_school.teacher_count;
  EngineTeacher& x = g_eng_teachers[t];
  std::memset(static_cast<void*>(&x), 0, sizeof x);
  std::memcpy(x.name, name, kNameSize);
  x.reset_marker = 255;
  for (auto& pair : x.reset_pairs) pair[0] = 255;
  std::memset(x.allowed_hours, 255, sizeof x.allowed_hours);
  std::memset(x.allowed_hours_work, 255, sizeof x.allowed_hours_work);
  std::memset(x.forbidden_hours, 255, sizeof x.forbidden_hours);
  x.insegnamin = x.insegna = x.presenza = 255;
  std::memset(x.ov, 255, sizeof x.ov);
  std::memset(x.om, 255, sizeof x.om);
  // No "NI:" partner and no main teacher: 0 would tie it to the first teacher.
  x.partner = -1;
  x.main_teacher = -1;
  x.pseudo_flag = 1;
  x.subject_index = 0xFFFF;
  or_init_teacher_links(t);
  x.calendar_class = c;
  // It takes no reception hour through its class link; its reception byte
  // stays unset like every other setting, since a set one would tell the
  // report run that the school's reception hours are handled and leave every
  // teacher's out of the reception lists.
  or_add_teacher_count();
  return t;
}

void or_create_calendar_lessons(int first) {
  if (g_eng_school.lesson_count == 0) return;
  or_add_extra_hour();
  or_recount_week_shape();
  int week = g_eng_run.weekly_slots;
  int subject = find_calendar_subject();
  ClassCalendarState state;
  for (int c = first < 0 ? 0 : first; c < g_eng_school.class_count && c < kMaxClasses; ++c) {
    int have = state.lessons[c];
    if (have == week || state.has_teacher[c]) continue;
    if (subject < 0) {
      if (first != 0) return;
      subject = append_calendar_subject();
    }
    int t = or_create_calendar_teacher(c);
    for (int n = have; n < week; ++n) {
      if (g_eng_school.lesson_count + 1 >= kMaxLessons)
        or_raise_critical_error("Troppe cattedre / ore", 0, "..\\Orario\\OR_EDI", 128);
      int i = g_eng_school.lesson_count++;
      or_init_pseudo_lesson(i, t, c, subject, class_room(c));
    }
  }
}

void or_add_extra_hour() {
  EngineSchool& s = g_eng_school;
  if (s.extra_hour > 0 || s.lesson_count == 0) return;
  // The trigger: a laboratory room booked for every hour of the week.
  or_recount_week_shape();
  int week = g_eng_run.weekly_slots;
  bool asked = false;
  for (int r = 0; r < s.room_count && r < kMaxRooms && !asked; ++r)
    asked = (g_eng_rooms[r].lab_flag & 1) != 0 && g_eng_rooms[r].lesson_count == week;
  int days = or_week_days();
  if (!asked || days <= 0) return;
  int longest = 0;
  for (int d = 1; d < days; ++d)
    if (or_day_hours(d) > or_day_hours(longest)) longest = d;
  for (int k = 1; k <= days; ++k) {
    int d = (longest + k) % days;
    int h = or_day_hours(d);
    if (h < 1 || h > kHoursPerDay - 1) continue;
    s.extra_hour_day = d;
    s.extra_hour = h;
    s.extra_hour_former_length = static_cast<std::uint8_t>(h);
    s.hours_per_day[d] = static_cast<std::uint8_t>(h + 1);
    int start = s.timing[0][d][h - 1] + s.timing[1][d][h - 1];
    s.timing[0][d][h] = static_cast<std::uint16_t>(start > 65535 ? 65535 : start);
    s.timing[1][d][h] = s.timing[1][d][h - 1];
    or_recount_week_shape();
    return;
  }
}

void or_drop_calendar_lessons() {
  EngineSchool& s = g_eng_school;
  while (s.lesson_count > 0 && or_is_calendar_teacher(g_eng_lessons[s.lesson_count - 1].teacher)) --s.lesson_count;
  while (s.teacher_count > 0 && or_is_calendar_teacher(s.teacher_count - 1)) --s.teacher_count;
  bool still_used = false;
  for (int i = 0; i < s.lesson_count; ++i) still_used |= is_calendar_subject(g_eng_lessons[i].subject);
  if (!still_used && s.subject_count > 0 && is_calendar_subject(s.subject_count - 1)) --s.subject_count;
}

int or_place_calendar_lessons() {
  std::uint8_t busy[kMaxClasses][kWeekSlots] = {};
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (or_is_calendar_teacher(l.teacher) || !or_lesson_placed(i)) continue;
    if (l.class_index >= 0 && l.class_index < kMaxClasses && l.day < kDays && l.hour < kHoursPerDay)
      busy[l.class_index][l.day * kHoursPerDay + l.hour] = 1;
  }
  int result = 0;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    EngineLesson& l = g_eng_lessons[i];
    if (!or_is_calendar_teacher(l.teacher)) continue;
    l.day = kDayNotPlaced;
    if (l.class_index < 0 || l.class_index >= kMaxClasses) continue;
    bool done = false;
    for (int h = 0; h < kHoursPerDay && !done; ++h)
      for (int d = 0; d < or_week_days() && !done; ++d) {
        if (h >= or_day_hours(d) || busy[l.class_index][d * kHoursPerDay + h]) continue;
        busy[l.class_index][d * kHoursPerDay + h] = 1;
        l.day = static_cast<std::uint8_t>(d);
        l.hour = static_cast<std::uint8_t>(h);
        done = true;
      }
    if (!done) result = -11;
  }
  return result;
}
