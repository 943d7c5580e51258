// The teacher-side move procedure of the search loop: for a class chosen
// by the running score, exchange the slots of two of its lessons, price the
// exchange with the cached teacher-side and class-side penalties (the grids
// of the class and of the lessons' teachers rebuilt around it), and keep it
// when it does not make things worse. Around the moves it keeps the pacing
// value (candidate rounds per call) and the call averages behind the
// release threshold of the gap stage, and in the gap stage it manages the
// teachers in test: brings teachers with gap problems in, releases one by
// points past the threshold, and every 28th call steps the gap-stage value
// down. A placement it keeps for a released gap teacher is never worse than
// the loop's record.
//
// Workload: each candidate costs a swap, three grid rebuilds and four cached
// penalty lookups; the pacing value bounds a call to a few hundred rounds.
// The per-class lesson lists are built once per search, not per call.
#include "solver/teacher_side_move.h"

#include <chrono>
#include <cstddef>
#include <cstring>
#include <thread>
#include <vector>

#include "engine/engine_random.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "solver/constraint_staging.h"
#include "solver/cost_evaluation.h"
#include "solver/parpro_area.h"
#include "solver/placement_state.h"
#include "solver/priced_exchange.h"
#include "solver/search_state.h"
#include "solver/search_weights.h"
#include "solver/solver_state.h"
#include "solver/run_state_reset.h"

namespace {

struct TeacherSideState {
  std::int32_t pacing = 394;
  std::int32_t call_counter = -1;
  std::int32_t threshold = 35;
  std::int32_t counter_sum = 0;
  std::int32_t calls = 0;
  std::uint8_t sum_toggle = 0;
  std::int32_t class_cursor = 0;
  std::int32_t class_choice = -1;
  std::uint8_t choice_toggle = 0;
  std::vector<std::vector<int>> class_lessons;  // lessons of each class
  std::vector<int> first_cursor, second_cursor;
};

TeacherSideState g_side;

void default_sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
TeacherSideSleep g_sleep = default_sleep;

int class_count() {
  int n = g_eng_school.class_count;
  return n < 0 ? 0 : (n > kMaxClasses ? kMaxClasses : n);
}

void build_class_lists() {
  int classes = class_count();
  g_side.class_lessons.assign(static_cast<std::size_t>(classes), {});
  g_side.first_cursor.assign(static_cast<std::size_t>(classes), 0);
  g_side.second_cursor.assign(static_cast<std::size_t>(classes), 1);
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    int c = g_eng_lessons[l].class_index;
    if (c >= 0 && c < classes) g_side.class_lessons[static_cast<std::size_t>(c)].push_back(l);
  }
}

// Lessons whose data before the building fields are the same bytes: an
// exchange between them changes nothing.
bool same_lesson_data(int a, int b) {
  return std::memcmp(&g_eng_lessons[a], &g_eng_lessons[b], offsetof(EngineLesson, building)) == 0;
}

// A lesson that sits with its joint lessons pays their number when it moves
// away (from the second phase on, as every priced exchange).
std::int64_t bonus_of(int lesson) { return or_price_joint_bonus(lesson); }

int second_of(int l) {
  return lesson_has_second_teacher(l) ? g_eng_lessons[l].second_teacher : -1;
}

void rebuild_around(int a, int b) {
  or_rebuild_class_grid(g_eng_lessons[a].class_index);
  or_rebuild_teacher_grid_pair(g_eng_lessons[a].teacher, second_of(a));
  or_rebuild_teacher_grid_pair(g_eng_lessons[b].teacher, second_of(b));
}

int choose_class(std::int64_t s, int focus_teacher) {
  int classes = class_count();
  if (s < 3) {
    g_side.choice_toggle ^= 1;
    if (g_side.choice_toggle && focus_teacher >= 0) {
      if (g_side.class_choice >= 0 && g_side.class_choice < classes) return g_side.class_choice;
      // A class of the focus teacher's lessons, drawn at random.
      std::vector<int> own;
      for (int l = 0; l < g_eng_school.lesson_count; ++l)
        if (g_eng_lessons[l].teacher == focus_teacher) own.push_back(g_eng_lessons[l].class_index);
      if (!own.empty()) {
        int c = own[static_cast<std::size_t>(g_engine_random.below(static_cast<int>(own.size())))];
        if (c >= 0 && c < classes) return c;
      }
    }
  } else {
    g_side.choice_toggle = 0;
  }
  g_side.class_cursor = (g_side.class_cursor + 1) % classes;
  return g_side.class_cursor;
}

// One round over the pairs of one class; returns the exchanges kept and
// updates the running score.
int class_round(int c, std::int64_t* s, int* focus_teacher) {
  const std::vector<int>& lessons = g_side.class_lessons[static_cast<std::size_t>(c)];
  int n = static_cast<int>(lessons.size());
  int& first = g_side.first_cursor[static_cast<std::size_t>(c)];
  int& second = g_side.second_cursor[static_cast<std::size_t>(c)];
  if (n < 2) return 0;
  if (first >= n - 1) {
    first = 0;
    second = 1;
  }
  int a = lessons[static_cast<std::size_t>(first)];
  std::int64_t bonus_a = bonus_of(a);
  std::int64_t ta = or_teacher_penalty_of_lesson(a);
  std::int64_t ca = or_class_penalty_of_lesson(a, 0);
  int kept = 0;
  for (; second < n; ++second) {
    int b = lessons[static_cast<std::size_t>(second)];
    if (b == a || same_lesson_data(a, b)) continue;
    // Most pairs clash: test first, price b only for a swap that can be made.
    if (or_swap_clashes(a, b)) continue;
    std::int64_t bonus_b = bonus_of(b);
    std::int64_t tb = or_teacher_penalty_of_lesson(b);
    or_swap_tested_lessons(a, b);
    rebuild_around(a, b);
    or_penalty_cache_open2(a, b);
    // Prices are non-negative: once those after the swap exceed what it
    // must beat, the rest cannot save it and is not priced (see
    // or_priced_exchange; the classes are aligned as pricing would have).
    const std::int64_t bar = ta + tb + ca + bonus_a + bonus_b;
    std::int64_t ca2 = or_class_penalty_of_lesson(a, 0);
    std::int64_t ta2 = ca2 > bar ? 0 : or_teacher_penalty_of_lesson(a);
    std::int64_t tb2 = ca2 + ta2 > bar ? 0 : or_teacher_penalty_of_lesson(b);
    std::int64_t delta = (ta2 + tb2 + ca2) - (ta + tb + ca) - bonus_a - bonus_b;
    if (ca2 + ta2 > bar || delta >= 1) {
      if (ca2 + ta2 > bar) {
        or_align_lesson_class_buildings(a);
        or_align_lesson_class_buildings(b);
      }
      or_undo_swap_lessons(a, b);
      or_penalty_cache_undo2(a, b);
      rebuild_around(a, b);
      continue;
    }
    or_penalty_cache_commit2(a, b);
    ++kept;
    // The joint-points merge after the move looks at the lessons moved.
    g_lesson_buildings[a].moved = 1;
    g_lesson_buildings[b].moved = 1;
    if (ta2 > ta) *focus_teacher = g_eng_lessons[a].teacher;
    if (tb2 > tb) *focus_teacher = g_eng_lessons[b].teacher;
    g_side.class_choice = ca2 != 0 ? g_eng_lessons[b].class_index : -1;
    *s += delta;
    ++second;
    break;
  }
  if (second >= n) {
    ++first;
    second = first + 1;
  }
  return kept;
}

int released_index() {
  int r = g_status.released_teacher;
  return r <= -100 ? -100 - r : r;
}

bool valid_teacher(int t) { return t >= 0 && t < g_eng_school.teacher_count && t < kMaxTeachers; }

// The gap focus teacher carries every gap error left: keep the placement
// (only when it is no worse than the loop's record, so the kept placement
// never gets worse) and release that teacher.
bool gap_errors_are_the_focus_teachers() {
  int t = g_status.gap_stage_teacher;
  int gaps = g_status.gap_count, errors = g_status.error_count;
  return valid_teacher(t) && gaps == errors && gaps == g_eng_teachers[t].gap_marker - 1;
}

void release_gap_focus_teacher() {
  if (g_status.error_count.load() <= g_search.record) or_snapshot_current_placement();
  g_status.released_teacher = g_status.gap_stage_teacher.load();
}

void focus_gap_teacher(bool first_calls, int teachers) {
  int in_test = g_status.teachers_in_test;
  if (first_calls) {
    or_set_constraint_weights();
    if (in_test >= teachers - 1) {
      if (gap_errors_are_the_focus_teachers()) release_gap_focus_teacher();
    } else {
      or_reset_weights(0);
      or_set_gap_stage_weights();
    }
  }
  if (in_test < teachers - 1 && gap_errors_are_the_focus_teachers() &&
      g_eng_teachers[g_status.gap_stage_teacher.load()].release_rank == 0) {
    g_status.teacher_total = g_status.teacher_total.load() + 1;
    release_gap_focus_teacher();
  }
}

// Fewer than all but one teacher in test: bring a teacher with gap
// problems into the test set now and then, and point at the next one.
void grow_gap_test_set() {
  int in_test = g_status.teachers_in_test;
  bool due = in_test == 0 ? g_side.call_counter % 5 == 0 : g_side.call_counter % 2 == 0;
  if (due) {
    or_age_teacher_points();
    or_add_gap_teacher_strict();
    g_side.call_counter = 2;
  }
  int chosen = -1;
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t) {
    const EngineTeacher& x = g_eng_teachers[t];
    if (x.in_test >= 1 || x.gap_marker < 2) continue;
    if (chosen < 0 || x.points > g_eng_teachers[chosen].points) chosen = t;
  }
  g_status.released_teacher = chosen;
  or_extend_cycle_limit(1);
}

// Past the release threshold: the held-out teacher with the most points
// (more than the released one) becomes the released teacher.
void release_by_points() {
  int released = released_index();
  std::uint32_t floor = valid_teacher(released) ? g_eng_teachers[released].points : 0;
  int chosen = -1;
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t) {
    const EngineTeacher& x = g_eng_teachers[t];
    if (x.held_out != 1 || x.points <= floor) continue;
    if (!(g_eval_mode == 0 || g_eval_mode == 2 || x.tekgrado[0] != 0)) continue;
    if (chosen < 0 || x.points > g_eng_teachers[chosen].points) chosen = t;
  }
  if (chosen >= 0) g_status.released_teacher = chosen;
  or_count_test_teachers();
  g_side.call_counter = 0;
  or_reset_weights(0);
  or_set_constraint_weights();
}

// Every 28th call: one step down of the gap-stage value, releasing the
// next teacher from test, or, at 0, the teacher the release rules pick.
void gap_value_step() {
  --g_staging.gap_stage_value;
  int r = released_index();
  or_evaluate_all_constraints(0);
  if (g_status.gap_count.load() != g_status.error_count.load()) or_restore_current_placement();
  if (g_staging.gap_stage_value != 0) {
    or_release_next_teacher(2);
    g_side.call_counter = 2;
  } else {
    if (g_staging.gap_option != 0 && g_status.gap_tolerance_level.load() == 0)
      or_release_lowest_teacher(1);
    else
      or_release_test_teacher();
    for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t) {
      EngineTeacher& x = g_eng_teachers[t];
      if (x.in_test >= 1 && x.gap_marker > 0) ++x.points2;
    }
    int released = released_index();
    if (valid_teacher(released)) {
      ++g_eng_teachers[released].points;
      ++g_eng_teachers[released].points2;
    }
    g_side.call_counter = 0;
  }
  if (valid_teacher(r) && r != released_index()) {
    g_eng_teachers[r].in_test = 1;
    or_count_test_teachers();
  }
  or_reset_weights(0);
  or_set_constraint_weights();
  g_search.low_point = g_search.record = 99;
}

void gap_stage_bookkeeping(std::int64_t s, int teachers) {
  if (g_status.teachers_processed.load() == 0) or_extend_cycle_limit(1);
  if (g_status.teachers_in_test.load() < teachers - 1) {
    grow_gap_test_set();
    return;
  }
  if (g_side.call_counter > g_side.threshold) release_by_points();
  if (g_side.call_counter % 28 != 0) return;
  if (g_staging.gap_stage_value != 0 && g_side.call_counter == 28 && g_status.teachers_in_test.load() > 0) {
    gap_value_step();
  } else if (s > 3 * static_cast<std::int64_t>(g_search.low_point)) {
    or_reset_weights(0);
    or_set_gap_stage_weights();
  } else {
    or_set_constraint_weights();
  }
}

}  // namespace

void or_reset_teacher_side_run_state() { g_side = TeacherSideState{}; }

void or_set_teacher_side_sleep(TeacherSideSleep sleep) { g_sleep = sleep ? sleep : default_sleep; }

void or_reset_teacher_side_state() {
  g_side.call_counter = -1;
  or_set_pacing_value(0);
  g_side.class_choice = -1;
  build_class_lists();
}

void or_set_pacing_value(int) { g_side.pacing = (g_status.teachers_in_test * 3 + 685) / 4; }
std::int32_t or_pacing_value() { return g_side.pacing; }

void or_extend_cycle_limit(int n) { g_search.cycle_limit += n; }

int or_teacher_side_move(int scale, int teacher, std::int32_t* score_out) {
  if (static_cast<int>(g_side.class_lessons.size()) != class_count()) build_class_lists();
  // Release threshold from the average call counter.
  if (g_side.calls != 0) {
    int t = (g_side.counter_sum / g_side.calls) * 6;
    g_side.threshold = t > 35 ? 35 : 56;
  } else {
    g_side.threshold = 35;
  }
  std::int32_t p = (g_status.teachers_in_test * 3 + 685) / 4;
  if (g_status.error_count <= 1) p *= 2;
  p *= scale;
  if (g_process_number > 0) {
    p = g_search.exchanges % 3 == 0 ? p * 3 : p + p / 2;
    std::uint8_t pacing = 0;
    if (parpro_area()) {
      // One byte: read even when a stuck process keeps the mutex.
      bool held = parpro_lock();
      pacing = parpro_area()->worker_pacing;
      if (held) parpro_unlock();
    }
    if (pacing) g_sleep(pacing * 100);
  }
  bool first_calls = g_side.call_counter == -1 || g_side.call_counter == 1;
  if (g_side.call_counter == -1) {
    g_side.call_counter = 1;
    p *= 2;
  } else if (g_side.call_counter == 1) {
    p /= 2;
  }
  int teachers = g_eng_school.teacher_count;
  bool gap_stage = g_status.stage_id == 48;
  if (gap_stage) focus_gap_teacher(first_calls, teachers);
  g_side.pacing = p;
  std::int64_t s = g_solver.total_score;
  if (g_status.teachers_in_test < teachers - 1 && gap_stage) or_set_gap_stage_weights();
  int focus = teacher;
  g_side.class_choice = g_status.worst_class;
  int kept = 0;
  int classes = class_count();
  for (int round = 0; round < p && classes > 0; ++round) {
    if (g_status.run_state.load() == kRunStateStopRequested) break;
    int c = choose_class(s, focus);
    kept += class_round(c, &s, &focus);
    if (s < 1) break;
  }
  g_side.call_counter += 1;
  bool focus_pass = g_eng_run.focus_flags[0] || g_eng_run.focus_flags[1] || g_weights.focus_class_returns;
  if (s > 0 && gap_stage && !focus_pass) gap_stage_bookkeeping(s, teachers);
  if (s <= 0 && g_status.released_teacher >= 0) {
    g_side.counter_sum += g_side.call_counter;
    g_side.calls += 1;
    if (g_side.calls >= 100) {
      g_side.counter_sum = g_side.counter_sum / 5 + g_side.sum_toggle;
      g_side.sum_toggle ^= 1;
      g_side.calls = 20;
    }
  }
  *score_out = static_cast<std::int32_t>(s > 0x7FFFFFFF ? 0x7FFFFFFF : s);
  return kept;
}
