// The calendar capacity check (see calendar_capacity.h).
//
// Only what is certain counts, so that a timetable that can be found is
// never refused: a class is bound to its calendar when the class-calendar
// constraint looks at it at all (a real class of room type 0 with a
// special-calendar pseudo-teacher) and its calendar is narrower than the
// week (a per-slot calendar, or the provisional week's shorter days). Inside
// such a class every lesson must stand in a calendar hour, except those of
// teachers who stand in for the calendar (the second "TEKGRADO:" value).
// Lessons of a class share a slot only when they are joint; two lessons of
// one teacher never do (the clash rule knows no exception for the teacher),
// so a teacher's bound lessons need as many distinct calendar hours of its
// classes.
//
// Workload: one pass over the lessons and one over each class's 84 slots.
#include "engine/calendar_capacity.h"

#include <cstdio>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/reception_exemption_files.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "engine/week_grid_access.h"
#include "platform/cp1252.h"

namespace {

constexpr int kClassCalendarId = 84;
constexpr std::size_t kTextBudget = 350;  // the message buffer holds the reporter's frame too
constexpr std::size_t kListBudget = 160;  // each list of classes, so the teachers' lines fit too

const char* const kHeader[3] = {"Il calendario delle classi non può contenere le lezioni:"_cp,
                                "Der Kalender der Klassen fasst die Stunden nicht:",
                                "The classes' calendar cannot hold the lessons:"};
const char* const kClasses[3] = {"\nclassi: ", "\nKlassen: ", "\nclasses: "};
const char* const kClassItem[3] = {"%s (%d ore, calendario %d)", "%s (%d Stunden, Kalender %d)",
                                   "%s (%d hours, calendar %d)"};
const char* const kTeacherLine[3] = {"\n%s: %d ore nelle classi %s, i loro calendari ne hanno %d",
                                     "\n%s: %d Stunden in den Klassen %s, deren Kalender haben %d",
                                     "\n%s: %d hours in the classes %s, whose calendars have %d"};

bool has_slot_calendar(int c) { return g_eng_classes[c].special_calendar[0] != kNotConfigured; }

// The hours the calendar of class c leaves for lessons, as a week of flags;
// false when the class may use the whole week.
bool calendar_hours(int c, std::vector<bool>& open) {
  open.assign(kWeekSlots, false);
  bool narrow = has_slot_calendar(c) || g_provisional_mode != 0;
  if (!narrow) return false;
  for (int d = 0; d < or_week_days(); ++d) {
    int hours = or_day_hours(d);
    if (!has_slot_calendar(c) && g_eng_school.provisional_hours_per_day[d] < hours)
      hours = g_eng_school.provisional_hours_per_day[d];
    for (int h = 0; h < hours; ++h) {
      int s = d * kHoursPerDay + h;
      open[s] = !has_slot_calendar(c) || g_eng_classes[c].special_calendar[s] == 1;
    }
  }
  return true;
}

// Joint lessons of one class may share its slot: a lesson joint with an
// earlier lesson of its class (listed either way) needs no slot of its own
// in the count, since lessons sharing a slot are joint two by two and so
// each slot holds at most one lesson without an earlier joint partner.
std::vector<bool> sharing_an_earlier_slot() {
  int lessons = g_eng_school.lesson_count < kMaxLessons ? g_eng_school.lesson_count : kMaxLessons;
  std::vector<bool> shares(static_cast<std::size_t>(lessons > 0 ? lessons : 0), false);
  for (int a = 0; a < lessons; ++a) {
    const EngineLesson& x = g_eng_lessons[a];
    int n = x.joint_count < 0 ? 0 : x.joint_count > kMaxJointLessons ? kMaxJointLessons : x.joint_count;
    for (int i = 0; i < n; ++i) {
      int b = x.joint_lessons[i];
      if (b < 0 || b >= lessons || b == a || g_eng_lessons[b].class_index != x.class_index) continue;
      shares[static_cast<std::size_t>(a > b ? a : b)] = true;
    }
  }
  return shares;
}

bool stands_in_for_calendar(int t) {
  return t >= 0 && t < g_eng_school.teacher_count && g_eng_school.uses_tekgrado != 0 &&
         g_eng_teachers[t].tekgrado[1] != 0;
}

// The real classes the class-calendar constraint looks at.
std::vector<bool> checked_classes() {
  std::vector<bool> checked(kMaxClasses, false);
  int real = g_eng_school.real_class_count < kMaxClasses ? g_eng_school.real_class_count : kMaxClasses;
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t) {
    const EngineTeacher& x = g_eng_teachers[t];
    int c = x.calendar_class;
    if (!or_is_calendar_teacher(t) || c < 0 || c >= real) continue;
    if ((x.type_flags & (kTeacherLabPseudo | kTeacherFca)) != 0 || g_eng_classes[c].room_type != 0) continue;
    checked[static_cast<std::size_t>(c)] = true;
  }
  for (int c : or_stored_exemption_classes(kClassCalendarId))
    if (c >= 0 && c < kMaxClasses) checked[static_cast<std::size_t>(c)] = false;
  return checked;
}

struct Capacity {
  std::vector<std::vector<bool>> open;  // per bound class, its calendar hours
  std::vector<int> class_lessons;       // per class, the slots its bound lessons need at least
  std::vector<std::vector<int>> teacher_classes;
  std::vector<int> teacher_lessons;
};

void count(Capacity& k) {
  std::vector<bool> checked = checked_classes();
  k.open.assign(kMaxClasses, {});
  for (int c = 0; c < g_eng_school.real_class_count && c < kMaxClasses; ++c)
    if (checked[static_cast<std::size_t>(c)] && !calendar_hours(c, k.open[static_cast<std::size_t>(c)]))
      k.open[static_cast<std::size_t>(c)].clear();
  k.class_lessons.assign(kMaxClasses, 0);
  k.teacher_classes.assign(kMaxTeachers, {});
  k.teacher_lessons.assign(kMaxTeachers, 0);
  std::vector<bool> shares = sharing_an_earlier_slot();
  for (int l = 0; l < g_eng_school.lesson_count && l < kMaxLessons; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    int c = x.class_index;
    if (c < 0 || c >= kMaxClasses || k.open[static_cast<std::size_t>(c)].empty()) continue;
    if (or_is_calendar_teacher(x.teacher) || stands_in_for_calendar(x.teacher)) continue;
    if (!shares[static_cast<std::size_t>(l)]) ++k.class_lessons[static_cast<std::size_t>(c)];
    for (int t : {static_cast<int>(x.teacher), or_lesson_has_second(l) ? static_cast<int>(x.second_teacher) : -1}) {
      if (t < 0 || t >= g_eng_school.teacher_count || t >= kMaxTeachers) continue;
      ++k.teacher_lessons[static_cast<std::size_t>(t)];
      std::vector<int>& list = k.teacher_classes[static_cast<std::size_t>(t)];
      bool listed = false;
      for (int known : list) listed = listed || known == c;
      if (!listed) list.push_back(c);
    }
  }
}

int open_hours(const std::vector<bool>& open) {
  int n = 0;
  for (bool b : open) n += b ? 1 : 0;
  return n;
}

// Appends an item to a list unless the list is full; the first item left
// out becomes "...".
void add_item(std::string& list, const std::string& item, const char* separator, std::size_t budget) {
  if (list.size() >= budget) return;
  if (list.size() + item.size() > budget) {
    list += list.empty() ? "..." : std::string(separator) + "...";
    list.resize(budget);
    return;
  }
  list += (list.empty() ? "" : separator) + item;
}

std::string overfull_classes(const Capacity& k) {
  std::string list;
  char item[120];
  for (int c = 0; c < g_eng_school.real_class_count && c < kMaxClasses; ++c) {
    const std::vector<bool>& open = k.open[static_cast<std::size_t>(c)];
    if (open.empty() || k.class_lessons[static_cast<std::size_t>(c)] <= open_hours(open)) continue;
    std::snprintf(item, sizeof item, or_pick_text(kClassItem), or_class_display_name(c),
                  k.class_lessons[static_cast<std::size_t>(c)], open_hours(open));
    add_item(list, item, ", ", kListBudget);
  }
  return list;
}

// The line of a teacher whose lessons the calendars of its classes cannot
// hold together; empty when they can.
std::string overfull_teacher(const Capacity& k, int t) {
  const std::vector<int>& classes = k.teacher_classes[static_cast<std::size_t>(t)];
  if (classes.empty()) return "";
  std::vector<bool> together(kWeekSlots, false);
  std::string names;
  for (int c : classes) {
    const std::vector<bool>& open = k.open[static_cast<std::size_t>(c)];
    for (std::size_t s = 0; s < together.size(); ++s) together[s] = together[s] || open[s];
    add_item(names, or_class_display_name(c), " ", 90);
  }
  int hours = open_hours(together);
  if (k.teacher_lessons[static_cast<std::size_t>(t)] <= hours) return "";
  char line[300];
  std::snprintf(line, sizeof line, or_pick_text(kTeacherLine), g_eng_teachers[t].name,
                k.teacher_lessons[static_cast<std::size_t>(t)], names.c_str(), hours);
  return line;
}

}  // namespace

void or_check_calendar_capacity() {
  if (g_process_number != 0) return;
  Capacity k;
  count(k);
  std::string text = or_pick_text(kHeader);
  std::string classes = overfull_classes(k);
  bool any = !classes.empty();
  if (any) text += or_pick_text(kClasses) + classes;
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t) {
    std::string line = overfull_teacher(k, t);
    if (line.empty()) continue;
    any = true;
    if (text.size() + line.size() > kTextBudget) {
      text += "\n...";
      break;
    }
    text += line;
  }
  if (any) or_raise_impossible(text.c_str());
}
