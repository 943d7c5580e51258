// Teacher release: the teachers whose own constraints wait outside the
// evaluation (held-out byte 1) and are released one at a time, the teacher
// with the most points first, each time the timetable has no error left; a
// released teacher may be released partly, one constraint at a time.
//
// Invariant: the level in the status block is the number of held-out
// teachers after every operation that changes it.
// Workload: a few calls per search cycle; each walks the teachers once.
#include <algorithm>
#include <cstdio>

#include "engine/errors.h"
#include "engine/engine_random.h"
#include "engine/errors.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "solver/cost_evaluation.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"
#include "solver/run_state_reset.h"

ReleaseState g_release = {-1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, {}, {}, 0, 0, 0};

void or_reset_release_state() { g_release = {-1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, {}, {}, 0, 0, 0}; }

namespace {

int teacher_total() {
  int n = g_eng_school.teacher_count;
  return n < 0 ? 0 : (n > kMaxTeachers ? kMaxTeachers : n);
}

void clear_state(int t) {
  EngineTeacher& x = g_eng_teachers[t];
  for (std::uint8_t& b : x.constraint_switch) b = 0;
  x.held_out = 0;
  x.second_test = 0;
}

int recount_level() {
  int n = or_count_held_out_teachers();
  g_status.level = n;
  return n;
}

}  // namespace

int or_count_held_out_teachers() {
  int n = 0;
  for (int t = 0; t < teacher_total(); ++t) n += g_eng_teachers[t].held_out ? 1 : 0;
  return n;
}

void or_clear_teacher_test(int teacher) {
  if (teacher >= 0 && teacher < teacher_total()) clear_state(teacher);
}

void or_hold_out_teacher(int teacher) {
  if (teacher >= 0 && teacher < teacher_total()) g_eng_teachers[teacher].held_out = 1;
}

void or_setup_test_set(int teacher) {
  int teachers = teacher_total();
  if (teacher < -1) {
    g_release.teacher_under_test = -1;
    g_release.class_under_test = -1;
  } else {
    for (int t = 0; t < teachers; ++t) g_eng_teachers[t].held_out = 1;
    g_status.level = teachers;
    int chosen = teacher == -1 ? 0 : teacher;
    if (chosen < teachers) {
      clear_state(chosen);
      g_release.teacher_under_test = chosen;
    }
    if (g_solver.worker_index == 0) {
      ConstraintSwitchTable[0].off = 0;
      ConstraintSwitchTable[35].off = 0;
      g_status.test_counter = 0;
    }
    recount_level();
  }
  for (std::uint8_t& e : g_release.eligible) e = 1;
}

int or_setup_class_test(int class_index) {
  g_release.class_under_test = class_index;
  int teachers = teacher_total();
  for (int t = 0; t < teachers; ++t) {
    g_eng_teachers[t].held_out = 1;
    g_release.eligible[t] = 0;
  }
  int n = g_eng_school.lesson_count;
  for (int l = 0; l < n && l < kMaxLessons; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (x.class_index != class_index) continue;
    for (int t : {x.teacher.get(), lesson_has_second_teacher(l) ? x.second_teacher : -1})
      if (t >= 0 && t < teachers) {
        clear_state(t);
        g_release.eligible[t] = 1;
      }
  }
  return recount_level();
}

void or_hold_out_penalised_teachers() {
  for (int t = 0; t < teacher_total(); ++t) {
    clear_state(t);
    if (or_teacher_penalty_checked(t) != 0) g_eng_teachers[t].held_out = 1;
  }
  recount_level();
}

int or_hold_out_failing_teachers() {
  for (int t = 0; t < teacher_total(); ++t) clear_state(t);
  for (int t = 0; t < teacher_total(); ++t)
    if (or_teacher_penalty(t) != 0) g_eng_teachers[t].held_out = 1;
  return recount_level();
}

void or_hold_out_pointless_teachers() {
  for (int t = 0; t < teacher_total(); ++t)
    if (g_eng_teachers[t].points == 0) g_eng_teachers[t].held_out = 1;
  recount_level();
}

void or_sync_teacher_points() {
  for (int t = 0; t < teacher_total(); ++t) {
    int p = g_eng_teachers[t].partner;
    if (p < 0 || p >= teacher_total() || p == t) continue;
    std::uint32_t high = std::max(g_eng_teachers[t].points, g_eng_teachers[p].points);
    g_eng_teachers[t].points = high;
    g_eng_teachers[p].points = high;
  }
}

int or_partial_test(int teacher) {
  int teachers = teacher_total();
  if (teacher >= 0 && teacher < teachers) {
    int previous = g_release.partial_teacher;
    if (previous >= 0 && previous < teachers)
      for (std::uint8_t& b : g_eng_teachers[previous].constraint_switch) b = 0;
    if (g_status.level.load() < 2) {
      for (int t = 0; t < teachers; ++t)
        for (std::uint8_t& b : g_eng_teachers[t].constraint_switch) b = 0;
      g_release.partial_teacher = -1;
    } else {
      g_release.partial_teacher = teacher;
      for (int id = 0; id < kConstraintCount; ++id)
        g_eng_teachers[teacher].constraint_switch[id] = ConstraintSwitchTable[id].off == 0 ? 1 : 0;
    }
    g_eng_teachers[teacher].held_out = 0;
    return 1;
  }
  int t = g_release.partial_teacher;
  if (t < 0 || t >= teachers) return 0;
  int start = g_engine_random.below(kConstraintCount);
  for (int k = 0; k < kConstraintCount; ++k) {
    int id = (start + k) % kConstraintCount;
    if (!g_eng_teachers[t].constraint_switch[id]) continue;
    g_eng_teachers[t].constraint_switch[id] = 0;
    if (g_parpro_trace) {
      std::snprintf(g_status.status_text, sizeof g_status.status_text, "PARTIAL %s %s",
                    g_eng_teachers[t].name, or_constraint_name(id, g_status.language.load()));
      g_status.phase = 255;
    }
    return 1;
  }
  g_release.partial_teacher = -1;
  return 0;
}

namespace {

// A test of single teachers: the teacher under test is held out again and
// the next untested one is the only teacher whose own rules count.
int rotate_teacher_under_test(int teachers) {
  g_search.search_state = 2;
  int current = g_release.teacher_under_test;
  if (current >= teachers - 1) {
    g_status.level = 0;
    g_status.level_companion = 0;
    return 0;
  }
  if (g_process_number == 0) or_stop_parallel_workers();
  int first_clear = 0;
  while (first_clear < teachers && g_release.tested[first_clear]) ++first_clear;
  if (first_clear >= teachers - 1)
    for (std::uint8_t& b : g_release.tested) b = 0;
  or_hold_out_teacher(current);
  g_release.tested[current] = 1;
  int entries = g_status.history_count;
  or_append_history(13);
  if (g_status.history_count > entries) g_status.history_first[entries] = current;
  int next = current + 1;
  while (next < teachers && g_release.tested[next]) ++next;
  if (next >= teachers) {
    g_status.level = 0;
    g_status.level_companion = 0;
    return 0;
  }
  clear_state(next);
  g_release.teacher_under_test = next;
  g_status.level = teachers - 1;
  return 1;
}

}  // namespace

int or_next_test_teacher(int mode, int partial) {
  int teachers = teacher_total();
  if (mode == -999) {
    for (std::uint8_t& b : g_release.tested) b = 0;
    return 0;
  }
  if (mode == 1 && partial && or_partial_test(-1)) return 1;
  if (recount_level() == 0) {
    g_release.stage_teacher = -1;
    return 0;
  }
  or_sync_teacher_points();
  if (mode == 0 && g_release.class_under_test < 0 && g_release.teacher_under_test >= 0)
    return rotate_teacher_under_test(teachers);
  int chosen = -1;
  for (int k = 0; k < teachers; ++k) {
    int t = (g_release.cursor + k) % teachers;
    const EngineTeacher& x = g_eng_teachers[t];
    if (!g_release.eligible[t] || !x.held_out) continue;
    if (chosen < 0 || x.points >= g_eng_teachers[chosen].points) chosen = t;
  }
  if (chosen < 0) return 0;
  if (partial) {
    or_partial_test(chosen);
  } else {
    clear_state(chosen);
  }
  int level = recount_level();
  g_release.stage_teacher = chosen;
  if (level > 0 && chosen != g_release.last_released) {
    if (mode == 1 && !g_release.no_credit && level * 2 > teachers) {
      if (++g_release.credit_counter > 7) g_release.credit_counter = 1;
      int credit = g_release.credit_counter - level + teachers;
      g_release.release_credit = credit < 0 ? 0 : credit;
    } else {
      g_release.release_credit = 0;
    }
  }
  g_release.last_released = chosen;
  return 1;
}

int or_add_test_teacher(int force) {
  for (int k = 0; k < 3; ++k)
    if (g_eng_run.focus_flags[k]) {
      or_focus_single_constraint(k == 0 ? 79 : k == 1 ? 86 : 59);
      return 0;
    }
  int teachers = teacher_total();
  if ((!force && g_release.class_under_test < 0) || g_release.restart_state == 1 ||
      or_count_held_out_teachers() >= teachers)
    return -1;
  if (or_count_held_out_teachers() < 2) g_release.release_credit = 0;
  if (g_release.release_credit <= 0) {
    int chosen = -1;
    for (int k = 0; k < teachers; ++k) {
      int t = (g_release.cursor + k) % teachers;
      const EngineTeacher& x = g_eng_teachers[t];
      if (x.held_out || t == g_solver.focus_teacher || t == g_release.stage_teacher) continue;
      if (t == g_status.gap_stage_teacher.load()) continue;
      if (chosen < 0 || x.points < g_eng_teachers[chosen].points) chosen = t;
    }
    if (chosen < 0) return -1;
    g_eng_teachers[chosen].held_out = 1;
    recount_level();
    return chosen;
  }
  --g_release.release_credit;
  int start = g_engine_random.below(teachers);
  for (int k = 0; k < teachers; ++k) {
    int t = (start + k) % teachers;
    if (!g_eng_teachers[t].held_out || t == g_release.stage_teacher) continue;
    if (t == g_status.gap_stage_teacher.load()) continue;
    or_hold_out_teacher(g_release.stage_teacher);
    g_release.stage_teacher = t;
    or_partial_test(t);
    recount_level();
    return t;
  }
  recount_level();
  return -1;
}

void or_age_teacher_points() {
  std::uint32_t divisor = g_weights.age_divisor == 0 ? 1 : g_weights.age_divisor;
  std::uint32_t limit = 3111999888u / divisor;
  bool halve = false;
  for (int t = 0; t < teacher_total(); ++t) halve |= g_eng_teachers[t].points2 > limit;
  if (halve)
    for (int t = 0; t < teacher_total(); ++t) g_eng_teachers[t].points2 /= 2;
  if (g_status.stage_id.load() != 48)
    for (int t = 0; t < teacher_total(); ++t) g_eng_teachers[t].points = g_eng_teachers[t].points2;
  or_sync_teacher_points();
  or_evaluate_all_constraints(0);
}

void or_serve_penalty_flag() {
  if (g_release.penalty_flag_count == 0) return;
  int teachers = teacher_total();
  int chosen = -1;
  for (int k = 0; k < teachers; ++k) {
    int t = (g_release.flag_cursor + k) % teachers;
    if (!g_eng_teachers[t].penalty_flag) continue;
    if (chosen < 0 || g_eng_teachers[t].points > g_eng_teachers[chosen].points) chosen = t;
  }
  if (chosen < 0) return;
  g_release.flag_cursor = chosen;
  g_eng_teachers[chosen].penalty_flag = 0;
  --g_release.penalty_flag_count;
  or_print_console_format("TOLTA BUA A %d %s Punti=%d, tot=%d\n", chosen, g_eng_teachers[chosen].name,
              int(g_eng_teachers[chosen].points), int(g_release.penalty_flag_count));
}

std::int64_t or_focus_teacher_penalty() {
  return g_solver.focus_teacher < 0 ? 0 : or_teacher_penalty_checked(g_solver.focus_teacher);
}

void or_release_focus_teacher() {
  int t = g_solver.focus_teacher;
  if (t >= 0 && t < teacher_total()) {
    EngineTeacher& x = g_eng_teachers[t];
    x.weight = x.pseudo_flag == 1 ? kPseudoTeacherWeight : 1;
  }
  g_solver.focus_teacher = -1;
}
