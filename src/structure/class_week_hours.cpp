// The weekly teaching hours of every class, the lesson hours and state of a
// class calendar, and the check of class hours that the computation window
// runs before a computation (see special_calendars.h).
//
// A post adds its hours to its class and to each of its joint classes (T;
// J counts the hours that reach a class as a joint class); the hours that a
// partner teacher gives in the same class overlap the post's, so they are
// taken off once (never below 0) before the rest is added to W. Partner
// copies (posts shown on a teacher page) are never counted twice.
// Workload: one pass over at most 500 teachers x 40 posts.
#include <algorithm>

#include "engine/status_block.h"
#include "platform/cp1252.h"
#include "schooldata/model_utilities.h"
#include "schooldata/ui_school_model.h"
#include "shell/message_box.h"
#include "structure/special_calendars.h"

namespace {

const MlText kFewerHours = {
    {"Attenzione: il Calendario di talune Classi ha un numero di Ore MINORE del totale delle Ore della Classe. "
     "Correggere?",
     "Achtung: der Kalender einiger Klassen hat WENIGER Stunden als die Stunden der Klasse insgesamt. "
     "Korrigieren?",
     "Warning: the Calendar of some Classes has FEWER Hours than the total Hours of the Class. Correct?"}};

int post_count(const UiTeacher& t) {
  return t.post_count < std::uint32_t(kUiMaxPosts) ? int(t.post_count) : kUiMaxPosts;
}

// Hours of teacher t's own posts in class c.
int hours_in_class(int t, int c) {
  int sum = 0;
  const UiTeacher& teacher = g_ui_teachers[t];
  for (int p = 0; p < post_count(teacher); ++p)
    if (!teacher.posts[p].copy && teacher.posts[p].class_index == c) sum += std::max(0, int(teacher.posts[p].own.hours));
  return sum;
}

// Counter of the warnings shown to test runs; a run with a warning shown
// before is let through. Program-wide, reset by mode 1.
int s_warned = 0;

}  // namespace

ClassWeekHours calespe_class_week_hours() {
  int classes = og_class_count();
  ClassWeekHours h;
  h.total.assign(std::size_t(classes), 0);
  h.joint.assign(std::size_t(classes), 0);
  h.weekly.assign(std::size_t(classes), 0);
  auto valid = [&](int c) { return c >= 0 && c < classes; };
  for (int t = 0; t < og_teacher_count(); ++t) {
    const UiTeacher& teacher = g_ui_teachers[t];
    for (int p = 0; p < post_count(teacher); ++p) {
      const UiTeachingPost& post = teacher.posts[p];
      if (post.copy) continue;
      int hours = std::max(0, int(post.own.hours));
      int c = post.class_index;
      int joints = std::clamp(int(post.joint_count), 0, 8);
      if (valid(c)) h.total[std::size_t(c)] = std::int16_t(h.total[std::size_t(c)] + hours);
      for (int j = 0; j < joints; ++j) {
        int k = post.joint_classes[j];
        if (!valid(k)) continue;
        h.total[std::size_t(k)] = std::int16_t(h.total[std::size_t(k)] + hours);
        h.joint[std::size_t(k)] = std::int16_t(h.joint[std::size_t(k)] + hours);
      }
      if (post.partner >= 0 && post.partner < og_teacher_count() && post.partner != t)
        hours = std::max(0, hours - hours_in_class(post.partner, c));
      if (valid(c)) h.weekly[std::size_t(c)] = std::int16_t(h.weekly[std::size_t(c)] + hours);
      for (int j = 0; j < joints; ++j) {
        int k = post.joint_classes[j];
        if (valid(k)) h.weekly[std::size_t(k)] = std::int16_t(h.weekly[std::size_t(k)] + hours);
      }
    }
  }
  return h;
}

int calespe_calendar_hours(const UiClassCalendar& calendar) {
  int n = 0;
  if (calendar.calendar_hours[0] == 255) {
    for (std::uint8_t hours : g_ui_header.hours_per_day) n += std::min<int>(hours, 12);
    return n;
  }
  for (std::uint8_t cell : calendar.calendar_hours) n += cell == 1 ? 1 : 0;
  return n;
}

std::uint8_t calespe_calendar_state(const UiClassCalendar& calendar) {
  if (calendar.max_day_difference != 0 || calendar.second_hour_entries != 0) return 1;
  for (std::uint8_t cell : calendar.calendar_hours)
    if (cell == 1) return 1;
  return 255;
}

int calespe_check_class_hours(int mode) {
  ClassWeekHours hours = calespe_class_week_hours();
  int set = g_provisional_mode ? 1 : 0;
  for (int c = 0; c < og_class_count(); ++c) {
    const UiClass& cls = g_ui_structure.classes[c];
    if (cls.code[0] == 0 || calespe_calendar_state(cls.calendars[set]) == 255) continue;
    int n = calespe_calendar_hours(cls.calendars[set]);
    int w = hours.weekly[std::size_t(c)];
    if (n == 0 || n == w) continue;
    if (mode == 0) return s_warned ? 0 : -1;
    if (mode == 1) s_warned = 0;
    if (mode == 2 && ++s_warned >= 2) return 0;
    if (n < w) {
      ui_message_box(kFewerHours);
      if (mode == 1) calespe_run(set, true);
      return s_warned ? 0 : -1;
    }
  }
  return 0;
}
