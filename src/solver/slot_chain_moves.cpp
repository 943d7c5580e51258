// The chain exchange between two week slots (a Kempe chain): from a lesson
// at slot A and a target slot B, the lessons of A and B bound to it, and to
// each other, by a class, a teacher (either of two teachers), a room or a
// joint partnership that stands together, all change slot at once: those at
// A take B and those at B take A. The chain never clashes (whatever would
// clash with a moved lesson is in the chain too) and carries joint lessons
// that stand together whole, so it can bring a parted joint lesson to its
// partner's slot across any number of classes: the move the search's last
// errors wait for, where every single exchange, pair move and two-class
// chain clashes.
//
// Candidates: the lessons in error (a joint lesson parted from its partner,
// the lessons of a teacher with violations in the last evaluation) against
// every other slot of the week. A chain that takes every lesson of both
// slots is the whole-slot exchange, left to the search's stall action, and
// is skipped, as are chains past kMaxChain lessons.
//
// Price: the teacher sums of every teacher of the chain's lessons and the
// class sums of every class that the two slots' joint lessons or the chain
// touch, all in their full, uncached forms, after less before: the change of
// the whole evaluation, since nothing outside those teachers and classes
// reads the two slots' lessons. Kept only for a strict gain; the sums after
// a chain stop once they pass that bound, the rest being unable to bring
// the price back.
//
// Invariants: a refused chain restores placement, slot lists and grids
// exactly; a kept one leaves the grids rebuilt for the new placement and
// every cache entry "not computed".
//
// Workload: a few hundred chains a call on a school of a thousand lessons,
// each a walk over two slot lists; only chains that are neither clashing,
// whole nor leaving a class with a gap are priced. Within a sweep, a chain
// is built and priced once until one is kept (the same chain comes from
// each of its lessons in error, from either slot), and each teacher's and
// class's sum before a chain is taken once for the same span.
#include <cstdint>
#include <cstring>

#include "engine/status_block.h"
#include "solver/cost_evaluation.h"
#include "solver/neighbourhood_moves.h"
#include "solver/placement_state.h"
#include "solver/priced_exchange.h"

namespace {

constexpr int kMaxChain = 24;
constexpr int kMaxPricedClasses = 48;
constexpr int kMaxPricedTeachers = 2 * kMaxChain;

bool lesson_ok(int l) { return l >= 0 && l < kMaxLessons && l < g_eng_school.lesson_count; }
bool teacher_ok(int t) { return t >= 0 && t < kMaxTeachers && t < g_eng_school.teacher_count; }
bool class_ok(int c) { return c >= 0 && c < kMaxClasses && c < g_eng_school.class_count; }
int second_of(int l) { return lesson_has_second_teacher(l) ? g_eng_lessons[l].second_teacher : -1; }
int partners_of(int l) {
  int n = g_eng_lessons[l].joint_count;
  return n < 0 ? 0 : (n > kMaxJointLessons ? kMaxJointLessons : n);
}
bool by_class_joints() { return (g_eng_school.option_flags & 2) != 0; }

bool joint_listed(int a, int b) {
  for (int k = 0; k < partners_of(a); ++k)
    if (g_eng_lessons[a].joint_lessons[k] == b) return true;
  return false;
}

// Whether two lessons would clash in one slot: the pair test's rule without
// the slot (a class or a room shared, unless joint; a teacher shared in any
// role).
bool would_clash(int a, int b) {
  const EngineLesson& x = g_eng_lessons[a];
  const EngineLesson& y = g_eng_lessons[b];
  bool joint = joint_listed(a, b);
  if (x.class_index == y.class_index) {
    if (!joint) return true;
  } else if (x.room >= 0 && x.room == y.room && !joint) {
    return true;
  }
  int xt[2] = {x.teacher, second_of(a)}, yt[2] = {y.teacher, second_of(b)};
  for (int s : xt)
    for (int t : yt)
      if (s >= 0 && s == t) return true;
  return false;
}

// Whether b stands with a as its joint partner (or, where joint lessons are
// linked by class, as the lesson of the partner's class and subject) in the
// slot they share.
bool stands_with(int a, int b) {
  for (int k = 0; k < partners_of(a); ++k) {
    int p = g_eng_lessons[a].joint_lessons[k];
    if (p == b) return true;
    if (by_class_joints() && lesson_ok(p) && g_eng_lessons[p].class_index == g_eng_lessons[b].class_index &&
        g_eng_lessons[p].subject == g_eng_lessons[b].subject)
      return true;
  }
  return false;
}

struct Chain {
  int lesson[kMaxChain];
  int n = 0;
};

// The slot's listed lessons.
int listed(int slot, int* out) {
  const SlotLessonList& list = g_slot_lessons[slot];
  int n = 0;
  for (std::uint32_t i = 0; i < list.count && i < static_cast<std::uint32_t>(kSlotListCapacity); ++i) {
    int l = list.lesson[i];
    if (lesson_ok(l) && lesson_slot(l) == slot) out[n++] = l;
  }
  return n;
}

// The closure from `start` (at slot_a) toward slot_b; false when it grows
// past kMaxChain or takes every lesson of both slots.
bool build_chain(int start, int slot_a, int slot_b, Chain& chain) {
  static int at_a[kSlotListCapacity], at_b[kSlotListCapacity];
  static bool in_a[kSlotListCapacity], in_b[kSlotListCapacity];
  int na = listed(slot_a, at_a), nb = listed(slot_b, at_b);
  std::memset(in_a, 0, sizeof(bool) * static_cast<unsigned>(na));
  std::memset(in_b, 0, sizeof(bool) * static_cast<unsigned>(nb));
  chain.n = 0;
  for (int i = 0; i < na; ++i)
    if (at_a[i] == start) {
      in_a[i] = true;
      chain.lesson[chain.n++] = start;
    }
  if (chain.n == 0) return false;
  for (int head = 0; head < chain.n; ++head) {
    int x = chain.lesson[head];
    bool from_a = lesson_slot(x) == slot_a;
    // Lessons of the other slot it would clash with there; lessons of its
    // own slot that stand with it as joint lessons.
    int* other = from_a ? at_b : at_a;
    bool* other_in = from_a ? in_b : in_a;
    int other_n = from_a ? nb : na;
    for (int i = 0; i < other_n; ++i) {
      if (other_in[i] || !would_clash(x, other[i])) continue;
      if (chain.n >= kMaxChain) return false;
      other_in[i] = true;
      chain.lesson[chain.n++] = other[i];
    }
    int* own = from_a ? at_a : at_b;
    bool* own_in = from_a ? in_a : in_b;
    int own_n = from_a ? na : nb;
    for (int i = 0; i < own_n; ++i) {
      if (own_in[i] || !(stands_with(x, own[i]) || stands_with(own[i], x))) continue;
      if (chain.n >= kMaxChain) return false;
      own_in[i] = true;
      chain.lesson[chain.n++] = own[i];
    }
  }
  return chain.n < na + nb;
}

struct PricedSet {
  int teacher[kMaxPricedTeachers];
  int teachers = 0;
  int cls[kMaxPricedClasses];
  int classes = 0;
  bool overflow = false;

  void add_teacher(int t) {
    if (!teacher_ok(t)) return;
    for (int i = 0; i < teachers; ++i)
      if (teacher[i] == t) return;
    if (teachers >= kMaxPricedTeachers) {
      overflow = true;
      return;
    }
    teacher[teachers++] = t;
  }
  void add_class(int c) {
    if (!class_ok(c)) return;
    for (int i = 0; i < classes; ++i)
      if (cls[i] == c) return;
    if (classes >= kMaxPricedClasses) {
      overflow = true;
      return;
    }
    cls[classes++] = c;
  }
};

// The teachers and classes whose sums the chain can change: the chain's
// lessons' own, and the classes of the two slots' joint lessons and of
// their partners (a joint lesson's count reads its partner's slot).
void priced_set(const Chain& chain, int slot_a, int slot_b, PricedSet& set) {
  for (int i = 0; i < chain.n; ++i) {
    int l = chain.lesson[i];
    set.add_teacher(g_eng_lessons[l].teacher);
    set.add_teacher(second_of(l));
    set.add_class(g_eng_lessons[l].class_index);
  }
  static int at[kSlotListCapacity];
  for (int slot : {slot_a, slot_b}) {
    int n = listed(slot, at);
    for (int i = 0; i < n; ++i) {
      int l = at[i];
      if (partners_of(l) == 0) continue;
      set.add_class(g_eng_lessons[l].class_index);
      for (int k = 0; k < partners_of(l); ++k) {
        int p = g_eng_lessons[l].joint_lessons[k];
        if (lesson_ok(p)) set.add_class(g_eng_lessons[p].class_index);
      }
    }
  }
}

std::int64_t teacher_sum(int t) {
  if (g_eng_teachers[t].calendar_class >= 0) return or_run_delta_check(84, t) + or_run_delta_check(85, t);
  return or_teacher_penalty_checked(t);
}

std::int64_t price(const PricedSet& set) {
  std::int64_t v = 0;
  for (int i = 0; i < set.teachers; ++i) v += teacher_sum(set.teacher[i]);
  for (int i = 0; i < set.classes; ++i)
    if (set.cls[i] < g_eng_school.real_class_count) v += or_class_penalty(set.cls[i]);
  return v;
}

bool building_mode_on() { return (g_building_mode_flags & 3) != 0; }

// price(set) when it is at most cap, else some value above cap. A chain is
// kept only when its sums after come to at most a bound, and no sum is below
// 0: once the sums taken pass the bound, the rest cannot bring the price
// back, so they are skipped (most chains are refused within the first
// teacher or two). The class sums align the class-day buildings first; the
// skipped classes are still aligned, in the same order, so the placement's
// buildings end as a full price leaves them.
std::int64_t price_capped(const PricedSet& set, std::int64_t cap) {
  std::int64_t v = 0;
  int i = 0;
  for (; i < set.teachers && v <= cap; ++i) {
    int t = set.teacher[i];
    if (g_eng_teachers[t].calendar_class >= 0) {
      v += or_run_delta_check(84, t);
      if (v <= cap) v += or_run_delta_check(85, t);
    } else {
      v += or_teacher_penalty_checked_capped(t, cap - v);
    }
  }
  for (int k = 0; k < set.classes; ++k) {
    int c = set.cls[k];
    if (c >= g_eng_school.real_class_count) continue;
    if (v <= cap) v += or_class_penalty_capped(c, cap - v);
    else if (building_mode_on()) or_align_class_day_buildings(c);
  }
  return v;
}

// Grid copies of the teachers and classes a chain touches.
struct ChainGrids {
  int cls[kMaxPricedClasses];
  std::uint16_t class_week[kMaxPricedClasses][kWeekSlots];
  std::uint16_t class_teacher[kMaxPricedClasses][kWeekSlots];
  int classes = 0;
  int teacher[kMaxPricedTeachers];
  std::uint16_t teacher_class[kMaxPricedTeachers][kWeekSlots];
  std::uint16_t teacher_lesson[kMaxPricedTeachers][kWeekSlots];
  int teachers = 0;

  void save(const Chain& chain) {
    classes = teachers = 0;
    for (int i = 0; i < chain.n; ++i) {
      int l = chain.lesson[i];
      int c = g_eng_lessons[l].class_index;
      bool seen = !class_ok(c);
      for (int k = 0; k < classes && !seen; ++k) seen = cls[k] == c;
      if (!seen) {
        cls[classes] = c;
        std::memcpy(class_week[classes], g_eng_classes[c].week_grid, sizeof class_week[0]);
        std::memcpy(class_teacher[classes], g_eng_classes[c].teacher_grid, sizeof class_teacher[0]);
        ++classes;
      }
      for (int t : {static_cast<int>(g_eng_lessons[l].teacher), second_of(l)}) {
        bool known = !teacher_ok(t);
        for (int k = 0; k < teachers && !known; ++k) known = teacher[k] == t;
        if (known) continue;
        teacher[teachers] = t;
        std::memcpy(teacher_class[teachers], g_eng_teachers[t].class_per_slot, sizeof teacher_class[0]);
        std::memcpy(teacher_lesson[teachers], g_eng_teachers[t].lesson_per_slot, sizeof teacher_lesson[0]);
        ++teachers;
      }
    }
  }
  void rebuild() const {
    for (int k = 0; k < classes; ++k) or_rebuild_class_grid(cls[k]);
    for (int k = 0; k < teachers; ++k) or_rebuild_teacher_grid_pair(teacher[k], -1);
  }
  void restore() const {
    for (int k = 0; k < classes; ++k) {
      std::memcpy(g_eng_classes[cls[k]].week_grid, class_week[k], sizeof class_week[0]);
      std::memcpy(g_eng_classes[cls[k]].teacher_grid, class_teacher[k], sizeof class_teacher[0]);
    }
    for (int k = 0; k < teachers; ++k) {
      std::memcpy(g_eng_teachers[teacher[k]].class_per_slot, teacher_class[k], sizeof teacher_class[0]);
      std::memcpy(g_eng_teachers[teacher[k]].lesson_per_slot, teacher_lesson[k], sizeof teacher_lesson[0]);
    }
  }
};

bool chain_leaves_gap(const ChainGrids& grids) {
  for (int k = 0; k < grids.classes; ++k)
    if (or_class_has_gap(grids.cls[k])) return true;
  return false;
}

// A joint lesson whose partner stands in another slot.
bool parted(int l) {
  if (!lesson_placed(l)) return false;
  for (int k = 0; k < partners_of(l); ++k) {
    int p = g_eng_lessons[l].joint_lessons[k];
    if (lesson_ok(p) && lesson_placed(p) && lesson_slot(p) != lesson_slot(l)) return true;
  }
  return false;
}

bool in_error(int l) {
  if (parted(l)) return true;
  for (int t : {static_cast<int>(g_eng_lessons[l].teacher), second_of(l)})
    if (teacher_ok(t) && g_teacher_violations[t] > 0) return true;
  return false;
}

}  // namespace

namespace {

// The chain the last attempt built (or began to build): its lessons are one
// closure, so an attempt from any of them toward the other slot builds the
// same chain.
Chain g_last_chain;

// Per lesson and slot, the sweep pass in which a chain from the lesson
// toward the slot was built and not kept. The placement has not changed
// since (a kept chain starts a new pass), so trying it again would build
// the same chain and price it the same.
std::uint32_t g_refused_pass[kMaxLessons][kWeekSlots];
std::uint32_t g_pass = 0;

// Inside a sweep, the sums of the placement the pass started from, taken
// once a pass: a refused chain gives the placement back exactly.
bool g_sweeping = false;
std::uint32_t g_teacher_sum_pass[kMaxTeachers];
std::int64_t g_teacher_sum_before[kMaxTeachers];
std::uint32_t g_class_sum_pass[kMaxClasses];
std::int64_t g_class_sum_before[kMaxClasses];

std::int64_t price_before(const PricedSet& set) {
  std::int64_t v = 0;
  for (int i = 0; i < set.teachers; ++i) {
    int t = set.teacher[i];
    if (g_teacher_sum_pass[t] != g_pass) {
      g_teacher_sum_before[t] = teacher_sum(t);
      g_teacher_sum_pass[t] = g_pass;
    }
    v += g_teacher_sum_before[t];
  }
  for (int i = 0; i < set.classes; ++i) {
    int c = set.cls[i];
    if (c >= g_eng_school.real_class_count) continue;
    if (g_class_sum_pass[c] != g_pass) {
      g_class_sum_before[c] = or_class_penalty(c);
      g_class_sum_pass[c] = g_pass;
    }
    v += g_class_sum_before[c];
  }
  return v;
}

void new_pass() {
  if (++g_pass == 0) {
    std::memset(g_refused_pass, 0, sizeof g_refused_pass);
    std::memset(g_teacher_sum_pass, 0, sizeof g_teacher_sum_pass);
    std::memset(g_class_sum_pass, 0, sizeof g_class_sum_pass);
    g_pass = 1;
  }
}

bool refused_before(int l, int slot) { return g_refused_pass[l][slot] == g_pass; }

// Every lesson of the chain just refused, toward the slot it would have
// taken.
void note_refused(int slot_a, int slot_b) {
  for (int i = 0; i < g_last_chain.n; ++i) {
    int l = g_last_chain.lesson[i];
    int at = lesson_slot(l);
    if (at == slot_a) g_refused_pass[l][slot_b] = g_pass;
    else if (at == slot_b) g_refused_pass[l][slot_a] = g_pass;
  }
}

struct ChainOutcome {
  bool priced = false, kept = false;
  std::int64_t delta = 0;
};

// Prices the chain from `start` toward target_slot and keeps it when its
// price is at most keep_at_most.
ChainOutcome attempt(int start, int target_slot, std::int64_t keep_at_most) {
  ChainOutcome out;
  if (!lesson_ok(start) || !lesson_placed(start)) return out;
  int slot_a = lesson_slot(start);
  if (target_slot == slot_a || target_slot < 0 || target_slot >= kWeekSlots) return out;
  Chain& chain = g_last_chain;
  chain.n = 0;
  if (!build_chain(start, slot_a, target_slot, chain)) return out;
  static PricedSet set;
  set = PricedSet{};
  priced_set(chain, slot_a, target_slot, set);
  if (set.overflow) return out;
  std::int64_t before = g_sweeping ? price_before(set) : price(set);
  static ChainGrids grids;
  grids.save(chain);
  if (or_swap_lesson_chain(chain.lesson, chain.n, slot_a, target_slot) != kNoConflict) return out;
  grids.rebuild();
  if (chain_leaves_gap(grids)) {
    or_undo_swap_lesson_chain(chain.lesson, chain.n, slot_a, target_slot);
    grids.restore();
    return out;
  }
  ++g_move_run.priced_exchanges;
  out.priced = true;
  out.delta = price_capped(set, before + keep_at_most) - before;
  if (out.delta <= keep_at_most) {
    out.kept = true;
    for (int i = 0; i < chain.n; ++i) g_lesson_checked[chain.lesson[i]] = 1;
    ++g_move_run.kept_exchanges;
    // The sums were taken uncached: the entries of the moved teachers and
    // classes are left to be taken again.
    for (int i = 0; i < set.teachers; ++i) g_teacher_penalty[set.teacher[i]] = kPenaltyNotComputed;
    for (int i = 0; i < set.classes; ++i) g_class_penalty[set.cls[i]] = kPenaltyNotComputed;
    return out;
  }
  or_undo_swap_lesson_chain(chain.lesson, chain.n, slot_a, target_slot);
  grids.restore();
  return out;
}

int error_lessons(int* out) {
  int lessons = g_eng_school.lesson_count;
  if (lessons > kMaxLessons) lessons = kMaxLessons;
  int n = 0;
  for (int l = 0; l < lessons; ++l)
    if (lesson_placed(l) && in_error(l)) out[n++] = l;
  return n;
}

}  // namespace

int or_slot_chain_error_lessons(int* out) { return error_lessons(out); }

std::int64_t or_try_slot_chain(int start, int target_slot, bool keep_even) {
  ChainOutcome o = attempt(start, target_slot, keep_even ? 0 : -1);
  return o.kept ? o.delta : 1;
}

std::int64_t or_try_slot_chain_within(int start, int target_slot, std::int64_t keep_at_most, bool* kept) {
  ChainOutcome o = attempt(start, target_slot, keep_at_most);
  if (kept) *kept = o.kept;
  return o.kept ? o.delta : 0;
}

int or_sweep_slot_chains(std::int64_t* out) {
  std::int64_t score = g_solver.total_score;
  int kept = 0;
  auto finish = [&] {
    g_sweeping = false;
    if (out) *out = score;
    return kept;
  };
  new_pass();
  g_sweeping = true;
  int days = days_per_week();
  static int candidates[kMaxLessons];
  int n = error_lessons(candidates);
  for (int i = 0; i < n; ++i) {
    int l = candidates[i];
    for (int d = 0; d < days; ++d)
      for (int h = 0; h < hours_of_day(d); ++h) {
        if (g_status.run_state.load() == 1) return finish();
        int slot = d * kHoursPerDay + h;
        if (!lesson_placed(l) || slot == lesson_slot(l)) continue;
        if (refused_before(l, slot)) continue;
        int from = lesson_slot(l);
        std::int64_t delta = or_try_slot_chain(l, slot, false);
        if (delta >= 0) {
          note_refused(from, slot);
          continue;
        }
        new_pass();
        ++kept;
        score += delta;
        if (score < 1) return finish();
      }
  }
  return finish();
}
