// Bookkeeping around the teacher release: the points of joint lessons'
// teachers merged after moves, the trace of a test run, and the record kept
// while a focus teacher is worked on.
//
// Workload: once per kept move (the merge walks the lessons once) or once
// per cycle (trace and record).
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/errors.h"
#include "engine/status_block.h"
#include "solver/cost_evaluation.h"
#include "solver/placement_state.h"
#include "solver/search_weights.h"
#include "solver/run_state_reset.h"

namespace {

std::uint16_t g_focus_record[kMaxLessons];
std::int64_t g_focus_record_value = 99888777;

}  // namespace

void or_reset_focus_record() {
  std::memset(g_focus_record, 0, sizeof g_focus_record);
  g_focus_record_value = 99888777;
}

namespace {

int teacher_total() {
  int n = g_eng_school.teacher_count;
  return n < 0 ? 0 : (n > kMaxTeachers ? kMaxTeachers : n);
}

bool valid_teacher(int t) { return t >= 0 && t < teacher_total(); }

}  // namespace

// For each lesson of a released teacher moved since the last call, every
// held-out teacher of its joint lessons is released and the two teachers
// take the larger of their points and of their second counters. Answers
// whether anything changed; then recounts the level and evaluates.
int or_merge_joint_points() {
  int changed = 0;
  int n = std::min(g_eng_school.lesson_count, kMaxLessons);
  for (int l = 0; l < n; ++l) {
    if (!g_lesson_buildings[l].moved) continue;
    g_lesson_buildings[l].moved = 0;
    int t = g_eng_lessons[l].teacher;
    if (!valid_teacher(t) || g_eng_teachers[t].held_out) continue;
    const EngineLesson& x = g_eng_lessons[l];
    int joints = std::clamp(x.joint_count, 0, kMaxJointLessons);
    for (int i = 0; i < joints; ++i) {
      int j = x.joint_lessons[i];
      if (j < 0 || j >= n) continue;
      int u = g_eng_lessons[j].teacher;
      if (!valid_teacher(u) || u == t || !g_eng_teachers[u].held_out) continue;
      EngineTeacher& a = g_eng_teachers[t];
      EngineTeacher& b = g_eng_teachers[u];
      or_clear_teacher_test(u);
      a.points = b.points = std::max(a.points, b.points);
      a.points2 = b.points2 = std::max(a.points2, b.points2);
      changed = 1;
    }
  }
  g_status.level = or_count_held_out_teachers();
  or_evaluate_all_constraints(0);
  return changed;
}

// Status block fields and console line of a test run.
void or_trace_test_state() {
  g_status.test_counter = g_status.test_counter.load() + 1;
  int teachers = teacher_total();
  int c = g_release.class_under_test;
  int t = g_release.teacher_under_test;
  if (c >= 0 && c < kMaxClasses) {
    g_status.focus_mode = 14;
    std::snprintf(g_status.test_display_name, sizeof g_status.test_display_name, "%.20s",
                  g_eng_classes[c].display_name);
    or_print_console_format("TEST SINGOLE CLASSI   CLASSE:%50d/%d = %s  prof:%d  \n", c, g_eng_school.class_count,
                g_eng_classes[c].code, t);
  } else if (!valid_teacher(t)) {
    g_status.focus_mode = 12;
    g_status.test_count = teachers;
    or_print_console_format("TEST SINGOLI    %56d PROF TUTTI ESCLUSI, TEST CONDIZIONI GENERALI \n", teachers);
  } else {
    g_status.focus_mode = 13;
    g_status.test_count = g_status.test_name[0] ? 1 : teachers - t - 1;
    std::snprintf(g_status.test_display_name, sizeof g_status.test_display_name, "%.20s",
                  g_eng_teachers[t].name);
    or_print_console_format("TEST SINGOLI SU %56d %s Punti=%d\n", t, g_eng_teachers[t].name,
                static_cast<int>(g_eng_teachers[t].points));
  }
}

// With a focus teacher: keeps the placement whose error count, less that
// teacher's own violations, is the lowest so far.
void or_note_focus_record() {
  int t = g_solver.focus_teacher;
  if (!valid_teacher(t)) return;
  std::int64_t value = static_cast<std::int64_t>(g_status.error_count.load()) - g_teacher_violations[t];
  if (value > g_focus_record_value) return;
  g_focus_record_value = value;
  or_copy_placement(g_focus_record);
}
