// The teacher's closed slots (see teacher_availability.h). The grids hold
// 255 in their first byte while not configured; an available-hours grid
// allows a slot with 1, a forbidden-hours grid forbids it with a non-zero.
#include "engine/teacher_availability.h"

#include "engine/lesson_links.h"
#include "engine/model.h"

namespace {

bool configured(const std::uint8_t* grid) { return grid[0] != 255; }

bool teaches_on_day(int teacher, int day) {
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (!or_lesson_placed(l) || x.day != day || or_is_pseudo_class(x.class_index)) continue;
    if (x.teacher == teacher || (or_lesson_has_second(l) && x.second_teacher == teacher)) return true;
  }
  return false;
}

}  // namespace

bool or_teacher_slot_closed(int teacher, int day, int hour) {
  if (teacher < 0 || teacher >= g_eng_school.teacher_count || teacher >= kMaxTeachers) return false;
  if (day < 0 || day >= kDays || hour < 0 || hour >= kHoursPerDay) return true;
  const EngineTeacher& t = g_eng_teachers[teacher];
  int s = day * kHoursPerDay + hour;
  if (configured(t.allowed_hours_work) && t.allowed_hours_work[s] != 1) return true;
  if (configured(t.allowed_hours) && t.allowed_hours[s] != 1) return true;
  if (configured(t.forbidden_hours) && t.forbidden_hours[s] != 0) return true;
  int free_days = t.free_day_count > kDays ? kDays : t.free_day_count;
  for (int i = 0; i < free_days; ++i) {
    if (t.free_days[i] != day) continue;
    return free_days == 1 || !teaches_on_day(teacher, day);
  }
  return false;
}
