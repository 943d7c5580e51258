// Penalty caches of the moves and the lesson-based sums that read them.
//
// Protocol of a move: price its lessons with the cached sums, open the
// caches of the lessons' teachers and classes (saved = entry, entry = not
// computed), change the placement, price again (the opened entries are
// recomputed and kept as "new" entries), then commit (entry = new) when the
// move is kept or undo (entry = saved) when it is refused. A teacher shared
// by two lessons of one move is saved once, with its value before the move.
//
// Workload: four to eight cache touches per candidate move.
#include <limits>

#include "engine/status_block.h"
#include "solver/cost_evaluation.h"

std::int64_t g_teacher_penalty[kMaxTeachers];
std::int64_t g_teacher_penalty_saved[kMaxTeachers];
std::int64_t g_teacher_penalty_new[kMaxTeachers];
std::int64_t g_class_penalty[kMaxClasses];
std::int64_t g_class_penalty_saved[kMaxClasses];
std::int64_t g_class_penalty_new[kMaxClasses];

namespace {

bool building_mode_on() { return (g_building_mode_flags & 3) != 0; }

int second_of(int l) {
  return lesson_has_second_teacher(l) ? g_eng_lessons[l].second_teacher : -1;
}

bool valid_teacher(int t) { return t >= 0 && t < kMaxTeachers; }
bool valid_class(int c) { return c >= 0 && c < kMaxClasses; }

void open_class(int c) {
  if (!valid_class(c)) return;
  g_class_penalty_saved[c] = g_class_penalty[c];
  g_class_penalty[c] = kPenaltyNotComputed;
  g_class_penalty_new[c] = kPenaltyNotComputed;  // a commit without a recount stays "not computed"
}

void open_teacher(int t) {
  if (!valid_teacher(t)) return;
  g_teacher_penalty_saved[t] = g_teacher_penalty[t];
  g_teacher_penalty[t] = kPenaltyNotComputed;
  g_teacher_penalty_new[t] = kPenaltyNotComputed;
}

enum class Close { kUndo, kCommit };

void close_class(int c, Close how) {
  if (!valid_class(c)) return;
  g_class_penalty[c] = how == Close::kUndo ? g_class_penalty_saved[c] : g_class_penalty_new[c];
}

void close_teacher(int t, Close how) {
  if (!valid_teacher(t)) return;
  g_teacher_penalty[t] = how == Close::kUndo ? g_teacher_penalty_saved[t] : g_teacher_penalty_new[t];
}

void close_lessons(const int* lessons, int n, Close how) {
  for (int i = 0; i < n; ++i) {
    int c = g_eng_lessons[lessons[i]].class_index;
    bool seen = false;
    for (int j = 0; j < i; ++j) seen |= g_eng_lessons[lessons[j]].class_index == c;
    if (!seen) close_class(c, how);
  }
  for (int i = 0; i < n; ++i) {
    close_teacher(g_eng_lessons[lessons[i]].teacher, how);
    close_teacher(second_of(lessons[i]), how);
  }
}

void open_lessons(const int* lessons, int n) {
  for (int i = 0; i < n; ++i) {
    int c = g_eng_lessons[lessons[i]].class_index;
    bool seen = false;
    for (int j = 0; j < i; ++j) seen |= g_eng_lessons[lessons[j]].class_index == c;
    if (!seen) open_class(c);
  }
  // A teacher shared by two lessons of the move is saved once, with its value
  // before the move. "Already opened" is told by this list, not by the
  // sentinel: an entry that was not computed before the move must still get
  // its saved value, or an undo would bring back a stale one.
  int opened[8];
  int count = 0;
  for (int i = 0; i < n; ++i) {
    int l = lessons[i];
    for (int t : {g_eng_lessons[l].teacher.get(), second_of(l)}) {
      bool seen = false;
      for (int k = 0; k < count; ++k) seen |= opened[k] == t;
      if (seen || !valid_teacher(t)) continue;
      opened[count++] = t;
      open_teacher(t);
    }
  }
}

// Checked teacher sum of t through its cache; the result becomes its new entry.
std::int64_t cached_teacher(int t) {
  if (!valid_teacher(t)) return 0;
  std::int64_t v = g_teacher_penalty[t];
  if (v == kPenaltyNotComputed) v = or_teacher_penalty_checked(t);
  g_teacher_penalty_new[t] = v;
  return v;
}

// The same, stopping once the sum passes cap (see
// or_teacher_penalty_checked_capped): the entry then holds a part only, and
// the move that asked refuses and undoes its caches.
std::int64_t cached_teacher_capped(int t, std::int64_t cap) {
  if (!valid_teacher(t)) return 0;
  std::int64_t v = g_teacher_penalty[t];
  if (v == kPenaltyNotComputed) v = or_teacher_penalty_checked_capped(t, cap);
  g_teacher_penalty_new[t] = v;
  return v;
}

}  // namespace

void or_penalty_cache_invalidate_all() {
  for (std::int64_t& v : g_teacher_penalty) v = kPenaltyNotComputed;
  for (std::int64_t& v : g_class_penalty) v = kPenaltyNotComputed;
}

std::int64_t or_class_penalty_of_lesson(int lesson, int class_only) {
  int c = g_eng_lessons[lesson].class_index;
  if (c < 0 || c >= g_eng_school.real_class_count || c >= kMaxClasses) return 0;
  if (building_mode_on()) or_align_class_day_buildings(c);
  std::int64_t v = or_run_delta_check(76, c);
  if (g_solver.search_phase == 1) return v;
  if (!class_only)
    for (int id : {44, 77, 78, 89, 79, 86, 87, 88}) v += or_run_delta_check(id, c);
  std::int64_t cached = g_class_penalty[c];
  if (cached == kPenaltyNotComputed) {
    cached = 0;
    for (int id : {80, 81, 75, 82, 83}) cached += or_run_delta_check(id, c);
  }
  g_class_penalty_new[c] = cached;
  return cached + v;
}

std::int64_t or_class_penalty_of_lesson_capped(int lesson, int class_only, std::int64_t cap) {
  int c = g_eng_lessons[lesson].class_index;
  if (c < 0 || c >= g_eng_school.real_class_count || c >= kMaxClasses) return 0;
  if (building_mode_on()) or_align_class_day_buildings(c);
  std::int64_t v = or_run_delta_check(76, c);
  if (g_solver.search_phase == 1) return v;
  if (v > cap) return v;
  if (!class_only)
    for (int id : {44, 77, 78, 89, 79, 86, 87, 88})
      if ((v += or_run_delta_check(id, c)) > cap) return v;
  std::int64_t cached = g_class_penalty[c];
  if (cached == kPenaltyNotComputed) {
    cached = 0;
    for (int id : {80, 81, 75, 82, 83})
      if ((cached += or_run_delta_check(id, c)) + v > cap) {
        g_class_penalty_new[c] = cached;
        return cached + v;
      }
  }
  g_class_penalty_new[c] = cached;
  return cached + v;
}

void or_align_lesson_class_buildings(int lesson) {
  int c = g_eng_lessons[lesson].class_index;
  if (building_mode_on() && c >= 0) or_align_class_day_buildings(c);
}

namespace {

// The teacher side of a lesson: a calendar teacher's two checks, else the
// lesson's teacher and his second from the cache (or priced by `price`,
// which may stop once past cap: then the second is not priced).
template <typename Price>
std::int64_t teacher_side_of_lesson(int lesson, std::int64_t cap, Price price) {
  const EngineLesson& x = g_eng_lessons[lesson];
  or_align_lesson_class_buildings(lesson);
  int t = x.teacher;
  if (!valid_teacher(t)) return 0;
  if (g_eng_teachers[t].calendar_class >= 0) {
    std::int64_t v = or_run_delta_check(84, t) + or_run_delta_check(85, t);
    g_teacher_penalty_new[t] = v;
    return v;
  }
  std::int64_t part = price(t, cap);
  int s = second_of(lesson);
  if (s < 0 || part > cap) return part;
  return part + price(s, cap - part);
}

}  // namespace

std::int64_t or_teacher_penalty_of_lesson(int lesson) {
  return teacher_side_of_lesson(lesson, std::numeric_limits<std::int64_t>::max(),
                                [](int t, std::int64_t) { return cached_teacher(t); });
}

std::int64_t or_teacher_penalty_of_lesson_capped(int lesson, std::int64_t cap) {
  return teacher_side_of_lesson(lesson, cap, cached_teacher_capped);
}

void or_penalty_cache_open2(int a, int b) {
  int lessons[2] = {a, b};
  open_lessons(lessons, 2);
}

void or_penalty_cache_undo2(int a, int b) {
  int lessons[2] = {a, b};
  close_lessons(lessons, 2, Close::kUndo);
}

void or_penalty_cache_commit2(int a, int b) {
  int lessons[2] = {a, b};
  close_lessons(lessons, 2, Close::kCommit);
}

void or_penalty_cache_open4(int a, int b, int c, int d) {
  int lessons[4] = {a, b, c, d};
  open_lessons(lessons, 4);
}

void or_penalty_cache_undo4(int a, int b, int c, int d) {
  int lessons[4] = {a, b, c, d};
  close_lessons(lessons, 4, Close::kUndo);
}

void or_penalty_cache_commit4(int a, int b, int c, int d) {
  int lessons[4] = {a, b, c, d};
  close_lessons(lessons, 4, Close::kCommit);
}
