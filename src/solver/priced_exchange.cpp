// The priced exchange of two lessons (see priced_exchange.h).
//
// Before-values are computed through the caches; an entry that was not
// computed is filled with the value just found, since it is the sum for the
// current placement (this only spares the next candidate a recomputation;
// every price stays what the uncached sums give).
#include "solver/priced_exchange.h"

#include <cstddef>
#include <cstring>

#include "engine/engine_random.h"
#include "solver/class_constraints.h"
#include "solver/cost_evaluation.h"
#include "solver/placement_state.h"
#include "solver/run_state_reset.h"

MoveRunState g_move_run = {0, 0, 1, -1, 0, 0};
std::uint8_t g_lesson_checked[kMaxLessons];

void or_reset_move_run_state() {
  g_move_run = {0, 0, 1, -1, 0, 0};
  std::memset(g_lesson_checked, 0, sizeof g_lesson_checked);
}

namespace {

int second_of(int l) { return lesson_has_second_teacher(l) ? g_eng_lessons[l].second_teacher : -1; }

bool teacher_ok(int t) { return t >= 0 && t < kMaxTeachers && t < g_eng_school.teacher_count; }
bool class_ok(int c) { return c >= 0 && c < kMaxClasses && c < g_eng_school.class_count; }

void settle_teacher(int t) {
  if (!teacher_ok(t) || g_eng_teachers[t].calendar_class >= 0) return;
  if (g_teacher_penalty[t] == kPenaltyNotComputed) g_teacher_penalty[t] = g_teacher_penalty_new[t];
}

std::int64_t teacher_price(int l) {
  std::int64_t v = or_teacher_penalty_of_lesson(l);
  const EngineLesson& x = g_eng_lessons[l];
  if (teacher_ok(x.teacher) && g_eng_teachers[x.teacher].calendar_class < 0) {
    settle_teacher(x.teacher);
    settle_teacher(second_of(l));
  }
  return v;
}

std::int64_t class_price(int l, int class_only) {
  std::int64_t v = or_class_penalty_of_lesson(l, class_only);
  int c = g_eng_lessons[l].class_index;
  if (g_solver.search_phase != 1 && c >= 0 && c < g_eng_school.real_class_count && c < kMaxClasses &&
      g_class_penalty[c] == kPenaltyNotComputed)
    g_class_penalty[c] = g_class_penalty_new[c];
  return v;
}

// teacher_price and class_price after a swap, for a swap refused once its
// price passes cap: above cap the answer is only some value above it, and
// the opened entries hold a part until the refusal undoes them.
std::int64_t teacher_price_capped(int l, std::int64_t cap) {
  std::int64_t v = or_teacher_penalty_of_lesson_capped(l, cap);
  const EngineLesson& x = g_eng_lessons[l];
  if (teacher_ok(x.teacher) && g_eng_teachers[x.teacher].calendar_class < 0) {
    settle_teacher(x.teacher);
    settle_teacher(second_of(l));
  }
  return v;
}

std::int64_t class_price_capped(int l, int class_only, std::int64_t cap) {
  std::int64_t v = or_class_penalty_of_lesson_capped(l, class_only, cap);
  int c = g_eng_lessons[l].class_index;
  if (g_solver.search_phase != 1 && c >= 0 && c < g_eng_school.real_class_count && c < kMaxClasses &&
      g_class_penalty[c] == kPenaltyNotComputed)
    g_class_penalty[c] = g_class_penalty_new[c];
  return v;
}

std::int64_t joint_bonus(int l) {
  if (g_solver.search_phase < 2 || g_eng_lessons[l].joint_count <= 0) return 0;
  return or_joint_bonus(l);
}

// The teachers whose sums a lesson's teacher-side price holds.
int priced_teachers(int l, int* out) {
  const EngineLesson& x = g_eng_lessons[l];
  int n = 0;
  if (!teacher_ok(x.teacher)) return 0;
  out[n++] = x.teacher;
  if (g_eng_teachers[x.teacher].calendar_class < 0 && teacher_ok(second_of(l))) out[n++] = second_of(l);
  return n;
}

// The entries of b's teachers that were priced with `with`: a teacher shared
// by two lessons of a move is priced once.
std::int64_t shared_entries(int b, const int* with, int with_count) {
  int mine[2];
  int n = priced_teachers(b, mine);
  std::int64_t shared = 0;
  for (int i = 0; i < n; ++i)
    for (int k = 0; k < with_count; ++k)
      if (with[k] == mine[i]) {
        shared += g_teacher_penalty_new[mine[i]];
        break;
      }
  return shared;
}

// Teacher-side price of b without the teachers already priced with `with`.
std::int64_t teacher_price_besides(int b, const int* with, int with_count) {
  std::int64_t v = teacher_price(b);
  return v - shared_entries(b, with, with_count);
}

// The same after a swap, refused once it passes cap. A shared teacher's
// entry was priced with the first lesson and is read, not priced again, so
// the bound on b's whole teacher-side price is cap plus those entries.
std::int64_t teacher_price_besides_capped(int b, const int* with, int with_count, std::int64_t cap) {
  std::int64_t bound = cap + shared_entries(b, with, with_count);
  std::int64_t v = teacher_price_capped(b, bound);
  if (v > bound) return v;
  return v - shared_entries(b, with, with_count);
}

bool building_mode_on() { return (g_building_mode_flags & 3) != 0; }

// teacher_price(b) before the swap, read from a_price where it holds the sum
// of b's calendar teacher (the one side effect of that pricing, the teacher's
// new entry, is written as pricing writes it).
std::int64_t teacher_price_before(int b, LessonPrice& a_price) {
  int t = g_eng_lessons[b].teacher;
  if (building_mode_on() || !teacher_ok(t) || g_eng_teachers[t].calendar_class < 0) return teacher_price(b);
  if (a_price.calendar_teacher == t) {
    g_teacher_penalty_new[t] = a_price.calendar_sum;
    return a_price.calendar_sum;
  }
  std::int64_t v = teacher_price(b);
  a_price.calendar_teacher = t;
  a_price.calendar_sum = v;
  return v;
}

bool same_slot(int a, int b) { return g_eng_lessons[a].day == g_eng_lessons[b].day && g_eng_lessons[a].hour == g_eng_lessons[b].hour; }

}  // namespace

bool or_lessons_interchangeable(int a, int b) {
  // Nearly every pair differs in its teacher or class: those two fields
  // answer before the whole record is compared.
  const EngineLesson& x = g_eng_lessons[a];
  const EngineLesson& y = g_eng_lessons[b];
  if (x.teacher != y.teacher || x.class_index != y.class_index) return false;
  return std::memcmp(&x, &y, offsetof(EngineLesson, day)) == 0;
}

std::int64_t or_price_teacher(int l) { return teacher_price(l); }
std::int64_t or_price_class(int l, int class_only) { return class_price(l, class_only); }
std::int64_t or_price_joint_bonus(int l) { return joint_bonus(l); }

std::int64_t or_price_teachers_once(const int* lessons, int n) {
  int seen[8];
  int count = 0;
  std::int64_t total = 0;
  for (int i = 0; i < n; ++i) {
    total += teacher_price_besides(lessons[i], seen, count);
    int mine[2];
    int k = priced_teachers(lessons[i], mine);
    for (int j = 0; j < k && count < 8; ++j) {
      bool known = false;
      for (int m = 0; m < count; ++m) known |= seen[m] == mine[j];
      if (!known) seen[count++] = mine[j];
    }
  }
  return total;
}

LessonPrice or_price_lesson(int a) {
  LessonPrice p;
  p.teacher = teacher_price(a);
  p.cls = class_price(a, 0);
  return p;
}

void GridScratch::save_class(int c) {
  if (!class_ok(c) || class_count >= kClasses) return;
  for (int i = 0; i < class_count; ++i)
    if (class_index[i] == c) return;
  class_index[class_count] = c;
  std::memcpy(class_week[class_count], g_eng_classes[c].week_grid, sizeof class_week[0]);
  std::memcpy(class_teacher[class_count], g_eng_classes[c].teacher_grid, sizeof class_teacher[0]);
  ++class_count;
}

void GridScratch::save_teacher(int t) {
  if (!teacher_ok(t) || teacher_count >= kTeachers) return;
  for (int i = 0; i < teacher_count; ++i)
    if (teacher_index[i] == t) return;
  teacher_index[teacher_count] = t;
  std::memcpy(teacher_class[teacher_count], g_eng_teachers[t].class_per_slot, sizeof teacher_class[0]);
  std::memcpy(teacher_lesson[teacher_count], g_eng_teachers[t].lesson_per_slot, sizeof teacher_lesson[0]);
  ++teacher_count;
}

void GridScratch::save_lessons(const int* lessons, int n) {
  for (int i = 0; i < n; ++i) save_class(g_eng_lessons[lessons[i]].class_index);
  for (int i = 0; i < n; ++i) {
    save_teacher(g_eng_lessons[lessons[i]].teacher);
    save_teacher(second_of(lessons[i]));
  }
}

void GridScratch::restore() const {
  for (int i = 0; i < class_count; ++i) {
    std::memcpy(g_eng_classes[class_index[i]].week_grid, class_week[i], sizeof class_week[0]);
    std::memcpy(g_eng_classes[class_index[i]].teacher_grid, class_teacher[i], sizeof class_teacher[0]);
  }
  for (int i = 0; i < teacher_count; ++i) {
    std::memcpy(g_eng_teachers[teacher_index[i]].class_per_slot, teacher_class[i], sizeof teacher_class[0]);
    std::memcpy(g_eng_teachers[teacher_index[i]].lesson_per_slot, teacher_lesson[i], sizeof teacher_lesson[0]);
  }
}

namespace {

int place_slot(std::uint16_t place) { return (place & 0xFF) * kHoursPerDay + (place >> 8); }

void set_teacher_cell(int t, int slot, std::uint16_t cls, std::uint16_t lesson) {
  if (!teacher_ok(t) || slot < 0 || slot >= kWeekSlots) return;
  g_eng_teachers[t].class_per_slot[slot] = cls;
  g_eng_teachers[t].lesson_per_slot[slot] = lesson;
}

// The cells of class c at the given slots made again; with the clash
// cross-check on, the whole grid is made again after them and compared.
void rebuild_class_cells(int c, const int* slots, int slot_count) {
  or_rebuild_class_grid_cells(c, slots, slot_count);
  if (!or_clash_cross_check_on()) [[likely]]
    return;
  const EngineClass& k = g_eng_classes[c];
  decltype(EngineClass::week_grid) week;
  decltype(EngineClass::teacher_grid) teachers;
  std::memcpy(week, k.week_grid, sizeof week);
  std::memcpy(teachers, k.teacher_grid, sizeof teachers);
  or_rebuild_class_grid(c);
  or_count_clash_cross_check(std::memcmp(week, k.week_grid, sizeof week) == 0 &&
                             std::memcmp(teachers, k.teacher_grid, sizeof teachers) == 0);
}

}  // namespace

void or_move_lesson_grids(const int* lessons, const std::uint16_t* old_places, int n) {
  bool rebuild_class[4] = {};
  for (int i = 0; i < n && i < 4; ++i)
    for (int j = 0; j < n && j < 4; ++j)
      if (g_eng_lessons[lessons[j]].joint_count > 0 &&
          g_eng_lessons[lessons[j]].class_index == g_eng_lessons[lessons[i]].class_index)
        rebuild_class[i] = true;
  for (int i = 0; i < n; ++i) {  // leave the old cells
    int l = lessons[i];
    int old_slot = place_slot(old_places[i]);
    if (old_slot < 0 || old_slot >= kWeekSlots) continue;
    int teachers[2] = {g_eng_lessons[l].teacher, second_of(l)};
    for (int t : teachers)
      if (teacher_ok(t) && g_eng_teachers[t].lesson_per_slot[old_slot] == l)
        set_teacher_cell(t, old_slot, kGridFree, kGridFree);
    int c = g_eng_lessons[l].class_index;
    if (!rebuild_class[i] && class_ok(c) && g_eng_classes[c].week_grid[old_slot / kHoursPerDay][old_slot % kHoursPerDay] == l) {
      g_eng_classes[c].week_grid[old_slot / kHoursPerDay][old_slot % kHoursPerDay] = kGridFree;
      g_eng_classes[c].teacher_grid[old_slot] = kGridFree;
    }
  }
  for (int i = 0; i < n; ++i) {  // take the new ones
    int l = lessons[i];
    if (!lesson_placed(l)) continue;
    int slot = lesson_slot(l);
    const EngineLesson& x = g_eng_lessons[l];
    std::uint16_t cls = static_cast<std::uint16_t>(x.class_index & 0xFFFF);
    set_teacher_cell(x.teacher, slot, cls, static_cast<std::uint16_t>(l));
    set_teacher_cell(second_of(l), slot, cls, static_cast<std::uint16_t>(l));
    if (!rebuild_class[i] && class_ok(x.class_index)) {
      g_eng_classes[x.class_index].week_grid[slot / kHoursPerDay][slot % kHoursPerDay] = static_cast<std::uint16_t>(l);
      g_eng_classes[x.class_index].teacher_grid[slot] = static_cast<std::uint16_t>(x.teacher & 0xFFFF);
    }
  }
  // A class with joint lessons may hold two of them in one cell, and its
  // grid keeps the lowest-numbered: only the cells the class's moved lessons
  // left or took can change, and those are made again as the rebuild makes
  // them.
  for (int i = 0; i < n && i < 4; ++i) {
    int c = g_eng_lessons[lessons[i]].class_index;
    bool done = false;
    for (int j = 0; j < i; ++j) done |= g_eng_lessons[lessons[j]].class_index == c;
    if (!rebuild_class[i] || done) continue;
    int slots[8];
    int slot_count = 0;
    for (int j = i; j < n && j < 4; ++j) {
      if (g_eng_lessons[lessons[j]].class_index != c) continue;
      slots[slot_count++] = place_slot(old_places[j]);
      if (lesson_placed(lessons[j])) slots[slot_count++] = lesson_slot(lessons[j]);
    }
    rebuild_class_cells(c, slots, slot_count);
  }
}

bool or_class_has_gap(int c) {
  if (!class_ok(c) || class_skips_gap_test(c)) return false;
  const EngineClass& k = g_eng_classes[c];
  for (int d = 0; d < days_per_week(); ++d) {
    bool free_seen = false;
    for (int h = 0; h < hours_of_day(d); ++h) {
      bool busy = k.week_grid[d][h] != kGridFree;
      if (busy && free_seen) return true;
      if (!busy) free_seen = true;
    }
  }
  return false;
}

namespace {

struct FourPrice {
  std::int64_t teachers = 0, classes = 0;
};

// Teacher sums of the four lessons (each teacher once); class sum of A's class in full form
// and of each further distinct class in its class-only form.
FourPrice price_four(const int* l) {
  FourPrice p;
  p.teachers = or_price_teachers_once(l, 4);
  for (int i = 0; i < 4; ++i) {
    int c = g_eng_lessons[l[i]].class_index;
    bool seen = false;
    for (int j = 0; j < i; ++j) seen |= g_eng_lessons[l[j]].class_index == c;
    if (!seen) p.classes += or_price_class(l[i], i == 0 ? 0 : 1);
  }
  return p;
}

bool any_gap(const int* l) {
  for (int i = 0; i < 4; ++i)
    if (or_class_has_gap(g_eng_lessons[l[i]].class_index)) return true;
  return false;
}

}  // namespace

int or_try_pair_exchange(int a, int b, int a2, int b2, bool with_bonus, bool keep_even, std::int64_t& delta) {
  const int l[4] = {a, b, a2, b2};
  std::int64_t bonus = 0;
  if (with_bonus)
    for (int x : l) bonus += or_price_joint_bonus(x);
  FourPrice before = price_four(l);
  const std::uint16_t old_places[4] = {lesson_place(a), lesson_place(b), lesson_place(a2), lesson_place(b2)};
  if (or_swap_lesson_pairs(a, b, a2, b2) != kNoConflict) return 0;
  static GridScratch scratch;
  scratch.clear();
  scratch.save_lessons(l, 4);
  or_move_lesson_grids(l, old_places, 4);
  if (any_gap(l)) {
    or_undo_swap_lesson_pairs(a, b, a2, b2);
    scratch.restore();
    return 0;
  }
  or_penalty_cache_open4(a, b, a2, b2);
  FourPrice after = price_four(l);
  delta = (after.teachers + after.classes) - (before.teachers + before.classes) - bonus;
  if (delta < 0 || (delta == 0 && keep_even)) {
    or_penalty_cache_commit4(a, b, a2, b2);
    for (int x : l) g_lesson_checked[x] = 1;
    ++g_move_run.kept_exchanges;
    return 1;
  }
  or_undo_swap_lesson_pairs(a, b, a2, b2);
  or_penalty_cache_undo4(a, b, a2, b2);
  scratch.restore();
  return 0;
}

ExchangeOutcome or_priced_exchange(int a, int b, LessonPrice& a_price, bool price_b_class, ZeroRule rule,
                                   bool keep_class_days) {
  ExchangeOutcome out;
  ++g_move_run.candidate_exchanges;
  if (a == b || same_slot(a, b) || or_lessons_interchangeable(a, b)) return out;
  int class_a = g_eng_lessons[a].class_index, class_b = g_eng_lessons[b].class_index;
  bool other_class = price_b_class && class_b != class_a;
  // Most candidates clash: test first, price b only for a swap that can be made.
  if (or_swap_clashes(a, b)) return out;
  int a_teachers[2];
  int a_teacher_count = priced_teachers(a, a_teachers);
  std::int64_t bonus_a = joint_bonus(a);
  std::int64_t bonus_b = joint_bonus(b);
  std::int64_t t_b = teacher_price_before(b, a_price);
  t_b -= shared_entries(b, a_teachers, a_teacher_count);  // after the pricing, which writes the entries
  std::int64_t c_b = other_class ? class_price(b, 1) : 0;
  const std::uint16_t old_places[2] = {lesson_place(a), lesson_place(b)};
  or_swap_tested_lessons(a, b);
  static GridScratch scratch;
  scratch.clear();
  const int lessons[2] = {a, b};
  scratch.save_lessons(lessons, 2);
  or_move_lesson_grids(lessons, old_places, 2);
  if (keep_class_days && class_b != class_a && (or_class_has_gap(class_a) || or_class_has_gap(class_b))) {
    or_undo_swap_lessons(a, b);
    scratch.restore();
    return out;
  }
  or_penalty_cache_open2(a, b);
  out.tried = true;
  ++g_move_run.priced_exchanges;
  // Every price is a sum of non-negative weighted counts: once the prices
  // after the swap already exceed what it must beat, the swap is refused
  // whatever the rest adds, and the rest is not priced. The refusal still
  // aligns b's class, as pricing b would have: that alignment depends on the
  // lessons' earlier buildings, and later prices read them.
  const std::int64_t bar = a_price.teacher + t_b + a_price.cls + c_b + bonus_a + bonus_b;
  auto refuse = [&](bool b_priced) {
    if (!b_priced) or_align_lesson_class_buildings(b);
    or_undo_swap_lessons(a, b);
    or_penalty_cache_undo2(a, b);
    scratch.restore();
    return out;
  };
  // Each sum also stops inside, at the check that takes it past the bar.
  std::int64_t t_a2 = teacher_price_capped(a, bar);
  if (t_a2 > bar) return refuse(false);
  std::int64_t c_a2 = class_price_capped(a, 0, bar - t_a2);
  if (t_a2 + c_a2 > bar) return refuse(false);
  std::int64_t t_b2 = teacher_price_besides_capped(b, a_teachers, a_teacher_count, bar - t_a2 - c_a2);
  if (t_a2 + c_a2 + t_b2 > bar) return refuse(true);
  std::int64_t c_b2 = other_class ? class_price(b, 1) : 0;
  out.delta = (t_a2 + t_b2 + c_a2 + c_b2) - (a_price.teacher + t_b + a_price.cls + c_b) - bonus_a - bonus_b;
  out.teacher_b_before = t_b;
  out.teacher_b_after = t_b2;
  out.class_a_after = c_a2;
  bool keep = out.delta < 0;
  if (out.delta == 0) {
    if (rule == ZeroRule::kKeep)
      keep = true;
    else if (rule == ZeroRule::kKeepUnlessSeventh)
      keep = g_engine_random.next() % 7 != 0;
  }
  if (keep) {
    or_penalty_cache_commit2(a, b);
    g_lesson_checked[a] = g_lesson_checked[b] = 1;
    ++g_move_run.kept_exchanges;
    a_price = {t_a2, c_a2};
    out.kept = true;
    return out;
  }
  return refuse(true);
}
