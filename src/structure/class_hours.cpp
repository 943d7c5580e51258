// The hour moves of the lessons-by-class page (see class_hours.h). Posts
// are found by value, never kept by index across a move, because a move may
// remove a post and close up the teacher's list. Indexes read from the
// model are bounded before use: a damaged count never reads past a table.
#include "structure/class_hours.h"

#include <algorithm>
#include <cstring>

#include "schooldata/ui_school_model.h"
#include "schooldata/model_utilities.h"

namespace {

int post_count(int teacher) { return ui_bounded_count(g_ui_teachers[teacher].post_count, kUiMaxPosts); }
bool valid_teacher(int t) { return t >= 0 && t < og_teacher_count(); }

bool covers(const UiTeachingPost& post, int class_index) {
  if (post.class_index == class_index) return true;
  int joint = std::clamp(int(post.joint_count), 0, 8);
  for (int j = 0; j < joint; ++j)
    if (post.joint_classes[j] == class_index) return true;
  return false;
}

bool exact(const UiTeachingPost& post, const ClassHour& hour) {
  return post.class_index == hour.class_index && post.subject == hour.subject && post.partner == hour.second_teacher &&
         post.conversation_subject == hour.conversation && post.lab == hour.lab;
}

bool frontal(const UiTeachingPost& post) { return post.partner < 0 && post.conversation_subject < 0 && post.lab < 0; }

void remove_post(int teacher, int p) {
  UiTeacher& t = g_ui_teachers[teacher];
  int count = post_count(teacher);
  for (int k = p; k + 1 < count; ++k) t.posts[k] = t.posts[k + 1];
  og_reset_teaching_post(t.posts[count - 1]);
  t.post_count = std::uint32_t(count - 1);
}

void drop_partner_part(UiTeachingPost& post) {
  post.partner_part.hours = 0;
  post.lab = post.conversation_subject = post.partner = -1;
  post.lab_group = -1;
}

// Removes the post when it has no weekly hour left, else marks it changed.
void settle(int teacher, int p) {
  UiTeachingPost& post = g_ui_teachers[teacher].posts[p];
  if (post.own.hours <= 0)
    remove_post(teacher, p);
  else
    post.copy = 1;
}

}  // namespace

std::vector<ClassHourRow> class_hours_build_rows(int class_index) {
  std::vector<ClassHourRow> rows;
  for (int t = 0; t < og_teacher_count(); ++t) {
    TeacherHours mine = class_hours_teacher_hours(t, class_index);
    for (int p = 0; p < post_count(t); ++p) {
      UiTeachingPost& post = g_ui_teachers[t].posts[p];
      if (!covers(post, class_index)) continue;
      bool changed = post.copy != 0;
      post.copy = 0;
      ClassHourRow row;
      row.main_class = post.class_index == class_index ? -1 : post.class_index;
      for (int j = 0; j < std::clamp(int(post.joint_count), 0, 8); ++j) row.articulated[j] = post.joint_classes[j];
      row.subject = post.subject;
      row.teacher = t;
      row.hours_in_class = mine.in_class;
      row.extended_in_class = mine.extended_in_class;
      row.total_hours = mine.total;
      row.subgroup = post.own.subgroup_subject;
      row.changed = changed;
      for (int h = 0; h < post.own.hours; ++h) {
        if (int(rows.size()) >= kMaxClassHourRows) return rows;
        ClassHourRow r = row;
        r.extended = h < post.own.extended_hours;
        if (h < post.partner_part.hours) {
          r.conversation = post.conversation_subject;
          r.lab = post.lab;
          r.lab_group = post.lab_group;
          r.lab_hours = post.lab >= 0 ? class_hours_lab_hours(post.lab) : 0;
          r.second_teacher = valid_teacher(post.partner) ? post.partner : -1;
          if (r.second_teacher >= 0) r.second_total = class_hours_teacher_hours(r.second_teacher, -1).total;
        }
        rows.push_back(r);
      }
    }
  }
  return rows;
}

int class_hours_find_post(const ClassHour& hour, int mode) {
  if (!valid_teacher(hour.teacher)) return -1;
  const UiTeacher& t = g_ui_teachers[hour.teacher];
  for (int p = 0; p < post_count(hour.teacher); ++p)
    if (exact(t.posts[p], hour)) return p;
  if (mode == -1 || (mode == 0 && !hour.CoTeaching()))
    for (int p = 0; p < post_count(hour.teacher); ++p)
      if (t.posts[p].class_index == hour.class_index && t.posts[p].subject == hour.subject) return p;
  return -1;
}

TeacherHours class_hours_teacher_hours(int teacher, int class_index) {
  TeacherHours sum;
  for (int t = 0; t < og_teacher_count(); ++t)
    for (int p = 0; p < post_count(t); ++p) {
      const UiTeachingPost& post = g_ui_teachers[t].posts[p];
      int hours = 0, extended = 0;
      if (t == teacher) {
        hours = post.own.hours;
        extended = post.own.extended_hours;
      } else if (post.partner == teacher) {
        hours = post.partner_part.hours;
        extended = post.partner_part.extended_hours;
      } else {
        continue;
      }
      sum.total += hours;
      if (post.class_index == class_index) {
        sum.in_class += hours;
        sum.extended_in_class += extended;
      }
    }
  return sum;
}

int class_hours_lab_hours(int lab) {
  int hours = 0;
  for (int t = 0; t < og_teacher_count(); ++t)
    for (int p = 0; p < post_count(t); ++p)
      if (g_ui_teachers[t].posts[p].lab == lab) hours += g_ui_teachers[t].posts[p].partner_part.hours;
  return hours;
}

void class_hours_merge_posts(int teacher) {
  if (!valid_teacher(teacher)) return;
  UiTeacher& t = g_ui_teachers[teacher];
  for (bool joined = true; joined;) {
    joined = false;
    for (int a = 0; a < post_count(teacher) && !joined; ++a)
      for (int b = a + 1; b < post_count(teacher) && !joined; ++b) {
        UiTeachingPost& first = t.posts[a];
        UiTeachingPost& second = t.posts[b];
        if (first.class_index != second.class_index || first.subject != second.subject) continue;
        bool same = first.partner == second.partner && first.conversation_subject == second.conversation_subject &&
                    first.lab == second.lab;
        bool absorb = !same && frontal(first) && !frontal(second);
        if (!same && !absorb) continue;
        if (absorb) {
          first.partner = second.partner;
          first.conversation_subject = second.conversation_subject;
          first.lab = second.lab;
          first.lab_group = second.lab_group;
        }
        first.own.hours = std::int8_t(first.own.hours + second.own.hours);
        first.partner_part.hours = std::int8_t(first.partner_part.hours + second.partner_part.hours);
        first.copy = std::uint8_t(first.copy | second.copy);
        remove_post(teacher, b);
        joined = true;
      }
  }
}

bool class_hours_take(const ClassHour& hour) {
  int p = class_hours_find_post(hour, 0);
  if (p < 0) return false;
  UiTeachingPost& post = g_ui_teachers[hour.teacher].posts[p];
  if (hour.CoTeaching()) {
    if (post.own.hours <= 0 || post.partner_part.hours <= 0) return false;
    --post.own.hours;
    if (--post.partner_part.hours == 0) drop_partner_part(post);
  } else {
    if (post.own.hours <= post.partner_part.hours) return false;
    --post.own.hours;
  }
  settle(hour.teacher, p);
  return true;
}

bool class_hours_give(const ClassHour& hour) {
  if (!valid_teacher(hour.teacher)) return false;
  int p = class_hours_find_post(hour, 0);
  UiTeacher& t = g_ui_teachers[hour.teacher];
  if (p < 0) {
    if (post_count(hour.teacher) >= kUiMaxPosts) return false;
    p = post_count(hour.teacher);
    UiTeachingPost& fresh = t.posts[p];
    og_reset_teaching_post(fresh);
    fresh.class_index = hour.class_index;
    fresh.subject = hour.subject;
    fresh.partner = hour.second_teacher;
    fresh.conversation_subject = hour.conversation;
    fresh.lab = hour.lab;
    fresh.lab_group = hour.lab_group;
    t.post_count = std::uint32_t(p + 1);
  }
  UiTeachingPost& post = t.posts[p];
  ++post.own.hours;
  if (hour.CoTeaching() && exact(post, hour)) ++post.partner_part.hours;
  post.copy = 1;
  return true;
}

bool class_hours_move(const ClassHour& from, const ClassHour& to) {
  if (!class_hours_take(from)) return false;
  if (!class_hours_give(to)) {
    class_hours_give(from);
    return false;
  }
  class_hours_merge_posts(from.teacher);
  if (to.teacher != from.teacher) class_hours_merge_posts(to.teacher);
  return true;
}

bool class_hours_take_partner(const ClassHour& hour) {
  int p = class_hours_find_post(hour, 1);
  if (p < 0) return false;
  UiTeachingPost& post = g_ui_teachers[hour.teacher].posts[p];
  if (post.partner_part.hours <= 0) return false;
  if (--post.partner_part.hours == 0) drop_partner_part(post);
  post.copy = 1;
  return true;
}
