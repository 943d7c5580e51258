// The measures of the improvement phases and their exchange passes: the
// class-pair passes (balance, overlap, weight) and the colleague rotation
// with the balance test (see improvement_phases.h).
//
// Invariant of every pass: an exchange goes through the swap primitive (which
// refuses clashes), the grids of the touched classes and teachers are saved
// before they change, and a refused exchange puts placement, slot lists,
// grids and penalty caches back exactly. A class-pair exchange moves two
// lessons of one class between their own two slots, so no class gap opens.
//
// Workload: a pass tries up to n(n-1)/2 pairs per class; each try prices two
// teachers and one class through the caches and takes the phase measure of
// one or two teachers.
#include <cstdlib>
#include <cstring>

#include "engine/engine_random.h"
#include "engine/lesson_links.h"
#include "solver/classroom_allocation.h"
#include "solver/colleague_rotations.h"
#include "solver/cost_evaluation.h"
#include "solver/improvement_phases.h"
#include "solver/placement_state.h"
#include "solver/priced_exchange.h"
#include "solver/run_state_reset.h"

namespace {

int week_days() { return days_per_week(); }
int longest_day() { return g_eng_run.longest_day > kHoursPerDay ? kHoursPerDay : g_eng_run.longest_day; }

// Pass cursors, per pass and class; they survive between calls.
struct PairCursor {
  std::uint32_t i, j;
};
PairCursor g_balance_cursor[kMaxClasses];
PairCursor g_overlap_cursor[kMaxClasses];
PairCursor g_weight_cursor[kMaxClasses];

}  // namespace

void or_reset_improvement_pass_cursors() {
  for (int c = 0; c < kMaxClasses; ++c) g_balance_cursor[c] = g_overlap_cursor[c] = g_weight_cursor[c] = {0, 0};
}

namespace {

enum class Measure { kBalance, kOverlap, kWeight };

struct Before {
  std::uint32_t a = 0, b = 0;
};

std::uint32_t balance_of(int l) {
  const EngineLesson& x = g_eng_lessons[l];
  return or_teacher_balance(x.teacher, or_lesson_has_second(l) ? x.second_teacher : -1);
}

std::uint32_t measure_one(Measure m, int l) {
  switch (m) {
    case Measure::kBalance: return balance_of(l);
    case Measure::kOverlap: return static_cast<std::uint32_t>(or_count_teacher_overlaps(g_eng_lessons[l].teacher));
    case Measure::kWeight: return or_class_weight_load(g_eng_lessons[l].class_index);
  }
  return 0;
}

// The side that was worse must not get worse (balance); the two overlap
// counts together must not grow; the class's weight load must not grow.
bool measure_holds(Measure m, int a, int b, const Before& before) {
  switch (m) {
    case Measure::kBalance:
      if (before.a <= before.b) return balance_of(b) <= before.b;
      return balance_of(a) <= before.a;
    case Measure::kOverlap:
      return static_cast<std::uint32_t>(or_count_teacher_overlaps(g_eng_lessons[a].teacher) +
                                        or_count_teacher_overlaps(g_eng_lessons[b].teacher)) <= before.a + before.b;
    case Measure::kWeight: return or_class_weight_load(g_eng_lessons[a].class_index) <= before.a;
  }
  return false;
}

bool skip_partner(int a, int b) {
  if (b == a) return true;
  const EngineLesson& x = g_eng_lessons[a];
  const EngineLesson& y = g_eng_lessons[b];
  if (or_lesson_has_second(a)) return y.teacher == x.teacher && y.second_teacher == x.second_teacher;
  return y.teacher == x.teacher;
}

// Tries one exchange of A with B of the same class; true when kept.
bool try_pair(Measure m, int a, int b, Before before) {
  int pair[2] = {a, b};
  std::int64_t bonus = or_price_joint_bonus(a) + or_price_joint_bonus(b);
  std::int64_t teachers_before = or_price_teachers_once(pair, 2);
  std::int64_t class_before = or_price_class(a, 0);
  if (m != Measure::kWeight) before.b = measure_one(m, b);
  std::uint16_t old_places[2] = {lesson_place(a), lesson_place(b)};
  if (or_swap_lessons(a, b) != kNoConflict) return false;
  static GridScratch scratch;
  scratch.clear();
  scratch.save_lessons(pair, 2);
  or_move_lesson_grids(pair, old_places, 2);
  or_penalty_cache_open2(a, b);
  std::int64_t after = or_price_teachers_once(pair, 2) + or_price_class(a, 0);
  std::int64_t delta = after - (teachers_before + class_before + bonus);
  if (delta <= 0 && measure_holds(m, a, b, before)) {
    or_penalty_cache_commit2(a, b);
    g_lesson_checked[a] = g_lesson_checked[b] = 1;
    return true;
  }
  or_undo_swap_lessons(a, b);
  or_penalty_cache_undo2(a, b);
  scratch.restore();
  return false;
}

// One visit of class c; true when an exchange was kept (the visit ends).
bool visit_class(Measure m, int c, PairCursor& cur) {
  const EngineClass& k = g_eng_classes[c];
  std::uint32_t n = static_cast<std::uint32_t>(k.lesson_index_count < 0 ? 0 : k.lesson_index_count);
  if (n > kWeekSlots) n = kWeekSlots;
  if (cur.i >= n) cur.i = 0, cur.j = 0;
  if (cur.j <= cur.i) cur.j = cur.i + 1;
  int last_a = -1;
  Before before;
  while (cur.i < n) {
    if (cur.j >= n) {
      ++cur.i;
      cur.j = cur.i + 1;
      continue;
    }
    int a = k.lesson_indexes[cur.i], b = k.lesson_indexes[cur.j];
    ++cur.j;
    if (a < 0 || b < 0 || a >= g_eng_school.lesson_count || b >= g_eng_school.lesson_count) continue;
    if (!lesson_placed(a) || !lesson_placed(b)) continue;
    if (a != last_a) {
      before.a = measure_one(m, a);
      last_a = a;
    }
    if (g_engine_random.below(17) == 0 || skip_partner(a, b)) continue;
    if (try_pair(m, a, b, before)) return true;
  }
  return false;
}

int class_pair_pass(Measure m, PairCursor* cursors, int sweeps) {
  int classes = g_eng_school.class_count < kMaxClasses ? g_eng_school.class_count : kMaxClasses;
  if (sweeps <= 0 || classes <= 0) return 0;
  int kept = 0;
  for (int s = 0; s < sweeps; ++s) {
    if (++g_move_run.class_cursor >= classes) g_move_run.class_cursor = 0;
    for (int v = 0; v < classes; ++v) {
      int c = (g_move_run.class_cursor + v) % classes;
      if (visit_class(m, c, cursors[c])) ++kept;
    }
  }
  g_move_run.kept_exchanges += static_cast<std::uint32_t>(kept);
  return kept;
}

}  // namespace

std::uint32_t or_teacher_balance(int t, int t2) {
  if (t < 0 || t >= g_eng_school.teacher_count || t == t2) return 0;
  const EngineTeacher& x = g_eng_teachers[t];
  if (x.calendar_class != -1) return 0;
  // Per class met: lessons per day and per hour position, in units of 100.
  struct Tally {
    int c;
    std::int64_t per_day[kDays], per_hour[kHoursPerDay], days, hours, total;
  };
  Tally met[kWeekSlots];
  int count = 0;
  int classes = g_eng_school.class_count < kMaxClasses ? g_eng_school.class_count : kMaxClasses;
  for (int d = 0; d < week_days(); ++d)
    for (int h = 0; h < hours_of_day(d); ++h) {
      int c = x.class_per_slot[d * kHoursPerDay + h];
      if (c == kGridFree || c >= classes) continue;
      int i = 0;
      while (i < count && met[i].c != c) ++i;
      if (i == count) {
        met[count] = Tally{};
        met[count++].c = c;
      }
      Tally& m = met[i];
      if (m.per_day[d] == 0) ++m.days;
      if (m.per_hour[h] == 0) ++m.hours;
      m.per_day[d] += 100;
      m.per_hour[h] += 100;
      m.total += 100;
    }
  std::int64_t sum = 0;
  for (int i = 0; i < count; ++i) {
    const Tally& m = met[i];
    std::int64_t day_avg = m.total / m.days, hour_avg = m.total / m.hours;
    for (int d = 0; d < week_days(); ++d) sum += std::llabs(m.per_day[d] - day_avg);
    for (int h = 0; h < longest_day(); ++h) sum += std::llabs(m.per_hour[h] - hour_avg);
  }
  return static_cast<std::uint32_t>(sum);
}

std::uint32_t or_class_weight_load(int c) {
  if (c < 0 || c >= g_eng_school.class_count || c >= kMaxClasses) return 0;
  const EngineClass& k = g_eng_classes[c];
  std::uint32_t total = 0;
  for (int d = 0; d < week_days(); ++d) {
    std::uint32_t inc = 2;
    for (int h = 0; h < hours_of_day(d); ++h) {
      int l = k.week_grid[d][h];
      if (l == kGridFree || l >= g_eng_school.lesson_count) continue;
      int s = g_eng_lessons[l].subject;
      if (s < 0 || s >= kMaxSubjects || static_cast<std::int8_t>(g_eng_subjects[s].pexdix) <= 0) continue;
      if (inc < (1u << 30)) inc *= 2;
      total += inc;
    }
  }
  return total;
}

void or_total_weight_load() {
  std::uint32_t sum = 0;
  for (int c = 0; c < g_eng_school.real_class_count && c < kMaxClasses; ++c) sum += or_class_weight_load(c);
  g_weight_record.current = static_cast<std::int32_t>(sum);
}

std::uint32_t or_balance_total() {
  std::uint32_t sum = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) sum += or_teacher_balance(t, -1);
  return sum;
}

std::uint32_t or_overlap_total() {
  std::uint32_t sum = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) sum += static_cast<std::uint32_t>(or_count_teacher_overlaps(t));
  return sum;
}

int or_balance_class_pass(int sweeps) { return class_pair_pass(Measure::kBalance, g_balance_cursor, sweeps); }

int or_overlap_class_pass(int sweeps) {
  or_rebuild_teacher_grids();
  return class_pair_pass(Measure::kOverlap, g_overlap_cursor, sweeps);
}

int or_weight_class_pass(int sweeps) { return class_pair_pass(Measure::kWeight, g_weight_cursor, sweeps); }

namespace {

void place_four(const int* lessons, const std::uint16_t* places) {
  for (int i = 0; i < 4; ++i) or_slot_list_remove(lessons[i]);
  for (int i = 0; i < 4; ++i) set_lesson_place(lessons[i], places[i]);
  for (int i = 0; i < 4; ++i) or_slot_list_add(lessons[i]);
}

// A and B move to A2's slot, A2 and B2 to A's; refused (and put back) when a
// lesson would clash there, rooms included.
bool rotate_four(const int* lessons, std::uint16_t* before) {
  for (int i = 0; i < 4; ++i) before[i] = lesson_place(lessons[i]);
  std::uint16_t after[4] = {before[2], before[2], before[0], before[0]};
  place_four(lessons, after);
  for (int i = 0; i < 4; ++i)
    if (or_find_slot_conflict(lessons[i]) != kNoConflict) {
      place_four(lessons, before);
      return false;
    }
  return true;
}

bool try_colleague_rotation(const int* four) {
  int a = four[0], b = four[1];
  std::int64_t bonus = or_price_joint_bonus(a) + or_price_joint_bonus(b);
  int pair[2] = {a, b};
  std::int64_t teachers_before = or_price_teachers_once(pair, 2);
  bool other = g_eng_lessons[b].class_index != g_eng_lessons[a].class_index;
  std::int64_t class_before = or_price_class(a, 0) + (other ? or_price_class(b, 1) : 0);
  Before before;
  before.a = balance_of(a);
  before.b = balance_of(b);
  std::uint16_t old_places[4];
  if (!rotate_four(four, old_places)) return false;
  static GridScratch scratch;
  scratch.clear();
  scratch.save_lessons(four, 4);
  or_move_lesson_grids(four, old_places, 4);
  or_penalty_cache_open2(a, b);
  std::int64_t after = or_price_teachers_once(pair, 2) + or_price_class(a, 0) + (other ? or_price_class(b, 1) : 0);
  std::int64_t delta = after - (teachers_before + class_before + bonus);
  if (delta <= 0 && measure_holds(Measure::kBalance, a, b, before)) {
    or_penalty_cache_commit2(a, b);
    g_lesson_checked[a] = g_lesson_checked[b] = 1;
    return true;
  }
  place_four(four, old_places);
  or_penalty_cache_undo2(a, b);
  scratch.restore();
  return false;
}

}  // namespace

int or_balance_colleague_pass() {
  if (g_colleague_table == nullptr || g_colleague_pair_count <= 0) return 0;
  int kept = 0;
  int start = g_engine_random.below(g_colleague_pair_count);
  for (int k = 1; k <= g_colleague_pair_count; ++k) {
    const ColleaguePair& rec = g_colleague_table[(start + k) % g_colleague_pair_count];
    for (int ia = 0; ia < rec.first_count; ++ia) {
      int a = static_cast<int>(rec.first_list[ia]);
      for (int ib = 0; ib < rec.second_count; ++ib) {
        int b = static_cast<int>(rec.second_list[ib]);
        if (!lesson_placed(a) || lesson_place(a) != lesson_place(b)) continue;
        for (int ia2 = 0; ia2 < rec.first_count; ++ia2) {
          if (ia2 == ia) continue;
          int a2 = static_cast<int>(rec.first_list[ia2]);
          for (int ib2 = 0; ib2 < rec.second_count; ++ib2) {
            if (ib2 == ib) continue;
            int b2 = static_cast<int>(rec.second_list[ib2]);
            if (!lesson_placed(a2) || lesson_place(a2) != lesson_place(b2) || lesson_place(a2) == lesson_place(a))
              continue;
            if (g_engine_random.next() % 2 == 0) continue;
            int four[4] = {a, b, a2, b2};
            if (!try_colleague_rotation(four)) continue;
            ++kept;
            break;  // on to the next A2
          }
        }
      }
    }
  }
  or_rebuild_slot_index();
  g_move_run.kept_exchanges += static_cast<std::uint32_t>(kept);
  return kept;
}
