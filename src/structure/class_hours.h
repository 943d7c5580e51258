// The teaching posts seen from one class, one row per weekly lesson hour,
// and the hour moves the lessons-by-class page makes on them: take one hour
// from the post of the current hour and give it to the post that matches
// the changed hour (or a new post), merge a teacher's posts that became
// identical, count a teacher's hours and a lab's hours.
//
// Everything works on the working g_ui_teachers array. A post touched by a
// move gets its copy byte set as a transient "changed" mark, which the next
// row build reads and clears, so the school files never see it. A post left
// with no weekly hours is removed (the teacher's list closes up). Rows are
// at most 252 (a class's week); further hours are neither shown nor moved.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int kMaxClassHourRows = 252;

struct ClassHourRow {
  int main_class = -1;  // the post's class when the class takes part as articulated class
  int articulated[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
  int subject = -1;
  int teacher = -1;
  int hours_in_class = 0;  // the teacher's hours in this class, extended ones, all classes
  int extended_in_class = 0;
  int total_hours = 0;
  int second_teacher = -1;
  int second_total = 0;
  int conversation = -1;
  bool extended = false;
  int lab = -1;
  int lab_group = -1;
  int lab_hours = 0;
  int subgroup = -1;
  bool changed = false;
};

// The identity of one hour: a post of `teacher` matches it exactly when its
// class, subject, partner, conversation subject and lab are all equal.
struct ClassHour {
  int class_index = -1;
  int teacher = -1;
  int subject = -1;
  int second_teacher = -1;
  int conversation = -1;
  int lab = -1;
  int lab_group = -1;
  bool CoTeaching() const { return conversation >= 0 || lab >= 0; }
};

struct TeacherHours {
  int in_class = 0;
  int extended_in_class = 0;
  int total = 0;
};

// Rows of a class in teacher order, post order, hour order.
std::vector<ClassHourRow> class_hours_build_rows(int class_index);
// The post of the hour: the exact match; else with mode -1, or mode 0 when
// the hour has neither conversation subject nor lab, the first post of the
// teacher with the same class and subject; -1 none.
int class_hours_find_post(const ClassHour& hour, int mode);
TeacherHours class_hours_teacher_hours(int teacher, int class_index);
int class_hours_lab_hours(int lab);
// Joins posts of a teacher with equal class, subject, partner, conversation
// subject and lab into the first (hours added, the second removed); a
// frontal post of the same class and subject as a co-teaching post takes
// over its settings and hours the same way.
void class_hours_merge_posts(int teacher);

// One hour less on the post of the hour: both counts for a co-teaching
// hour; the weekly hours only while above the partner hours for a frontal
// one. False when there was no hour to take.
bool class_hours_take(const ClassHour& hour);
// One hour more on the post that matches the hour, or on a new post (false
// when the teacher already has 40 posts).
bool class_hours_give(const ClassHour& hour);
// Takes one hour from `from` and gives it to `to`; puts it back when `to`
// cannot take it. False when nothing moved.
bool class_hours_move(const ClassHour& from, const ClassHour& to);
// One partner hour less on the post of a co-teaching hour; a post left
// without partner hours loses lab, conversation subject and partner.
bool class_hours_take_partner(const ClassHour& hour);
