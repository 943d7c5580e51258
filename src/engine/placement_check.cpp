// Clash rule and whole-placement check (see placement_check.h). The rule's
// order of tests gives the codes the trace prints: class, room, teacher,
// then the second-teacher cases.
//
// The whole-timetable check walks the lessons once and tests each against
// the lessons already seen in its slot, so a school of 10000 lessons costs
// one pass plus the pairs inside each slot.
#include "engine/placement_check.h"

#include "engine/errors.h"
#include "engine/lesson_links.h"

namespace {

bool in_joint_list(const EngineLesson& a, int b) {
  int n = a.joint_count < 0 ? 0 : a.joint_count > kMaxJointLessons ? kMaxJointLessons : a.joint_count;
  for (int i = 0; i < n; ++i)
    if (a.joint_lessons[i] == b) return true;
  return false;
}

int slot_of(int lesson) {
  const EngineLesson& l = g_eng_lessons[lesson];
  if (l.day >= kDays || l.hour >= kHoursPerDay) return -1;
  return l.day * kHoursPerDay + l.hour;
}

}  // namespace

int or_lesson_clash(int a, int b) {
  const EngineLesson& x = g_eng_lessons[a];
  const EngineLesson& y = g_eng_lessons[b];
  if (x.class_index == y.class_index) {
    if (!in_joint_list(x, b)) return 1;
  } else if (x.room >= 0 && x.room == y.room && !in_joint_list(x, b)) {
    return 2;
  }
  if (x.teacher == y.teacher) return 3;
  bool x2 = or_lesson_has_second(a), y2 = or_lesson_has_second(b);
  if (x2) {
    if (x.second_teacher == y.teacher) return 4;
    if (y2 && y.second_teacher == x.teacher) return 5;
    if (y2 && x.second_teacher == y.second_teacher) return 6;
  } else if (y2 && y.second_teacher == x.teacher) {
    return 7;
  }
  return 0;
}

std::vector<int> or_joint_lessons_in_slot(int lesson) {
  std::vector<int> out;
  if (lesson < 0 || lesson >= g_eng_school.lesson_count || slot_of(lesson) < 0) return out;
  const EngineLesson& x = g_eng_lessons[lesson];
  int s = slot_of(lesson);
  bool by_class = (g_eng_school.option_flags & 2) != 0;
  int n = x.joint_count < 0 ? 0 : x.joint_count > kMaxJointLessons ? kMaxJointLessons : x.joint_count;
  for (int k = 0; k < n; ++k) {
    int p = x.joint_lessons[k];
    if (p < 0 || p >= g_eng_school.lesson_count) continue;
    int held = slot_of(p) == s ? p : -1;
    for (int i = 0; held < 0 && by_class && i < g_eng_school.lesson_count; ++i)
      if (i != lesson && slot_of(i) == s && g_eng_lessons[i].class_index == g_eng_lessons[p].class_index &&
          g_eng_lessons[i].subject == g_eng_lessons[p].subject)
        held = i;
    bool listed = false;
    for (int o : out) listed = listed || o == held;
    if (held >= 0 && !listed) out.push_back(held);
  }
  return out;
}

void SlotOccupancy::add(int lesson) {
  int s = slot_of(lesson);
  if (s >= 0) slots_[s].push_back(lesson);
}

int SlotOccupancy::clash_at(int lesson, int day, int hour) const {
  if (day < 0 || day >= kDays || hour < 0 || hour >= kHoursPerDay) return -1;
  EngineLesson& l = g_eng_lessons[lesson];
  std::uint8_t old_day = l.day, old_hour = l.hour;
  l.day = static_cast<std::uint8_t>(day);
  l.hour = static_cast<std::uint8_t>(hour);
  int found = -1;
  for (int other : slots_[day * kHoursPerDay + hour]) {
    if (other == lesson) continue;
    if (or_lesson_clash(lesson, other) != 0 || or_lesson_clash(other, lesson) != 0) {
      found = other;
      break;
    }
  }
  l.day = old_day;
  l.hour = old_hour;
  return found;
}

int or_first_misplaced_lesson(bool require_all_placed) {
  SlotOccupancy occupancy;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    if (!or_lesson_placed(i)) {
      if (require_all_placed) return i;
      continue;
    }
    const EngineLesson& l = g_eng_lessons[i];
    if (!or_slot_in_week(l.day, l.hour)) return i;
    if (occupancy.clash_at(i, l.day, l.hour) >= 0) return i;
    occupancy.add(i);
  }
  return -1;
}

int or_assert_all_lessons_placed() {
  if (or_first_misplaced_lesson(true) >= 0)
    or_raise_critical_error("SW", 0, "..\\Orario\\OR_VINU", 34);
  return 0;
}
