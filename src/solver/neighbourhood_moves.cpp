// The pair moves inside classes, the slot-pair move and the timed
// improvement (see neighbourhood_moves.h). Each move keeps its own cursors
// between calls; the random draws (the zero-delta rule, the focused move's
// sampling, the choices of classes) are made in the order the moves meet
// their candidates, so a run is reproducible from its seed.
#include "solver/neighbourhood_moves.h"

#include <ctime>
#include <initializer_list>

#include "engine/engine_random.h"
#include "engine/status_block.h"
#include "solver/cost_evaluation.h"
#include "solver/priced_exchange.h"
#include "solver/run_state_reset.h"

namespace {

// A stop request ends a sweep between two of its classes, passes or
// slots, so a stop (or a worker's new start) is served within moments
// even when one sweep is long.
bool stop_asked() { return g_status.run_state.load() == kRunStateStopRequested; }

int class_total() {
  int n = g_eng_school.class_count;
  return n < 0 ? 0 : (n > kMaxClasses ? kMaxClasses : n);
}

int class_size(int c) {
  int n = g_eng_classes[c].lesson_index_count;
  return n < 0 ? 0 : (n > kWeekSlots ? kWeekSlots : n);
}

int class_lesson(int c, int i) {
  int l = g_eng_classes[c].lesson_indexes[i];
  return (l >= 0 && l < g_eng_school.lesson_count && lesson_placed(l)) ? l : -1;
}

// Steps a cursor by one, wrapping at the count (never reaching it).
int step_cursor(int cursor, int count) {
  if (count <= 0) return 0;
  ++cursor;
  return (cursor >= count || cursor < 0) ? 0 : cursor;
}

std::int64_t default_clock() { return static_cast<std::int64_t>(std::time(nullptr)); }
MoveClock g_move_clock = default_clock;

// Cursors i and j of one move, per class.
struct PairCursors {
  int i[kMaxClasses];
  int j[kMaxClasses];
};

enum class Walk { kContinue, kLeaveClass, kEndMove };

// Walks the pairs i < j of class c from the move's cursors, forward; visit
// returns what to do next. Returns how the walk ended (kContinue: done).
template <typename Visit>
Walk walk_forward(int c, PairCursors& cur, Visit&& visit) {
  int n = class_size(c);
  int& i = cur.i[c];
  int& j = cur.j[c];
  if (i >= n || i < 0) i = j = 0;
  while (i < n) {
    int a = class_lesson(c, i);
    if (a >= 0) {
      LessonPrice price = or_price_lesson(a);
      for (int next = j > i ? j + 1 : i + 1; next < n; ++next) {
        j = next;
        int b = class_lesson(c, next);
        if (b < 0) continue;
        Walk w = visit(a, b, price);
        if (w != Walk::kContinue) return w;
      }
    }
    ++i;
    j = i;
  }
  return Walk::kContinue;
}

// The mirror: i from n - 1 down, j from i - 1 down to 0.
template <typename Visit>
Walk walk_backward(int c, PairCursors& cur, Visit&& visit) {
  int n = class_size(c);
  int& i = cur.i[c];
  int& j = cur.j[c];
  if (i < 0 || i >= n) i = j = n - 1;
  while (i >= 0) {
    int a = class_lesson(c, i);
    if (a >= 0) {
      LessonPrice price = or_price_lesson(a);
      for (int next = j < i ? j - 1 : i - 1; next >= 0; --next) {
        j = next;
        int b = class_lesson(c, next);
        if (b < 0) continue;
        Walk w = visit(a, b, price);
        if (w != Walk::kContinue) return w;
      }
    }
    --i;
    j = i;
  }
  i = -1;
  return Walk::kContinue;
}

PairCursors g_forward_cursors, g_backward_cursors, g_focused_cursors, g_worst_cursors, g_timed_cursors;
int g_backward_class_cursor = 0;

// The moves' own counters, toggles and cursors, kept from one call to the
// next; here rather than in the moves so that a new run can set them back.
struct MoveCounters {
  std::uint32_t focused_calls = 0;  // its modulo decides when the focused move draws a class
  bool worst_call_toggle = false;
  bool worst_turn_toggle = false;
  int worst_own_cursor = 0;
  int slot_day1 = 0, slot_hour1 = 0, slot_position1 = 0, slot_day2 = 0, slot_hour2 = 0;
  int flagged_cursor = 0;
  int flagged_i[kMaxClasses] = {}, flagged_j[kMaxClasses] = {};
};
MoveCounters g_counters;

std::int64_t running_start() { return g_solver.total_score; }

void store(std::int64_t* out, std::int64_t score) {
  if (out) *out = score;
}

// T of the pass counts: the level less the graded teachers when larger.
int level_term() {
  int level = g_status.level.load();
  int graded = g_eng_run.tekgrado_teacher_count;
  return level > graded ? level - graded : level;
}

int worker_scaled(int passes) {
  if (g_solver.worker_index <= 0) return passes;
  return g_move_run.kept_exchanges % 3 == 0 ? 3 * passes : passes + passes / 2;
}

bool teacher_touches(int l, int t) {
  if (t < 0) return false;
  const EngineLesson& x = g_eng_lessons[l];
  return x.teacher == t || (lesson_has_second_teacher(l) && x.second_teacher == t);
}

bool in_class_list(int teacher, int c) {
  if (teacher < 0 || teacher >= kMaxTeachers) return false;
  const EngineTeacher& t = g_eng_teachers[teacher];
  for (int k = 0; k < kWeekSlots && k < t.class_count && t.class_indexes[k] >= 0; ++k)
    if (t.class_indexes[k] == c) return true;
  return false;
}

}  // namespace

void or_reset_neighbourhood_cursors() {
  for (PairCursors* c : {&g_forward_cursors, &g_backward_cursors, &g_focused_cursors, &g_worst_cursors, &g_timed_cursors})
    *c = PairCursors{};
  g_backward_class_cursor = 0;
  g_counters = MoveCounters{};
}

void or_set_move_clock(MoveClock clock) { g_move_clock = clock ? clock : default_clock; }

int or_sweep_class_pairs() {
  int classes = class_total();
  g_move_run.class_cursor = step_cursor(g_move_run.class_cursor, classes);
  int kept = 0;
  for (int k = 0; k < classes && !stop_asked(); ++k) {
    int c = (g_move_run.class_cursor + k) % classes;
    walk_forward(c, g_forward_cursors, [&](int a, int b, LessonPrice& price) {
      if (or_priced_exchange(a, b, price, false, ZeroRule::kKeepUnlessSeventh).kept) ++kept;
      return Walk::kContinue;
    });
  }
  return kept;
}

int or_sweep_class_pairs_backward() {
  int classes = class_total();
  if (classes <= 0) return 0;
  --g_backward_class_cursor;
  if (g_backward_class_cursor < 0 || g_backward_class_cursor >= classes) g_backward_class_cursor = classes - 1;
  int kept = 0;
  for (int k = 0; k < classes && !stop_asked(); ++k) {
    int c = ((g_backward_class_cursor - k) % classes + classes) % classes;
    walk_backward(c, g_backward_cursors, [&](int a, int b, LessonPrice& price) {
      if (or_priced_exchange(a, b, price, false, ZeroRule::kKeep).kept) ++kept;
      return Walk::kContinue;
    });
  }
  return kept;
}

int or_sweep_focused_class_pairs(std::int64_t* out) {
  std::uint32_t& calls = g_counters.focused_calls;
  int classes = class_total();
  std::int64_t score = running_start();
  if (classes <= 0) {
    store(out, score);
    return 0;
  }
  ++calls;
  if (calls % (7u * static_cast<std::uint32_t>(classes)) == 0)
    g_move_run.class_cursor = g_engine_random.below(classes);
  int passes = worker_scaled(69 + 2 * level_term());
  int f1 = g_status.stage_id.load() == 48 ? g_move_run.gap_teacher : g_solver.focus_teacher;
  int f2 = g_status.worst_teacher.load();
  int divisor = g_move_run.sampling_divisor < 1 ? 1 : g_move_run.sampling_divisor;
  int kept = 0;
  for (int pass = 0; pass < passes && !stop_asked(); ++pass) {
    g_move_run.class_cursor = step_cursor(g_move_run.class_cursor, classes);
    bool end_pass = false;
    for (int k = 0; k < classes && !end_pass; ++k) {
      int c = (g_move_run.class_cursor + k) % classes;
      Walk w = walk_forward(c, g_focused_cursors, [&](int a, int b, LessonPrice& price) {
        bool focus = teacher_touches(a, f1) || teacher_touches(a, f2) || teacher_touches(b, f1) ||
                     teacher_touches(b, f2);
        if (!focus && g_engine_random.below(divisor) != 0) return Walk::kContinue;
        ExchangeOutcome r = or_priced_exchange(a, b, price, false, ZeroRule::kKeep);
        if (!r.kept) return Walk::kContinue;
        ++kept;
        score += r.delta;
        if (score < 1) return Walk::kEndMove;
        if (g_eng_lessons[a].class_index >= g_eng_school.real_class_count) end_pass = true;
        return Walk::kLeaveClass;
      });
      if (w == Walk::kEndMove) {
        store(out, score);
        return kept;
      }
    }
  }
  store(out, score);
  return kept;
}

int or_sweep_worst_teacher_classes(int multiplier, std::int64_t* out) {
  bool& call_toggle = g_counters.worst_call_toggle;
  bool& turn_toggle = g_counters.worst_turn_toggle;
  int& own_cursor = g_counters.worst_own_cursor;
  call_toggle = !call_toggle;
  int classes = class_total();
  std::int64_t score = running_start();
  if (classes <= 0) {
    store(out, score);
    return 0;
  }
  int turns = worker_scaled((level_term() + 134 + g_status.teachers_in_test.load()) * multiplier);
  g_move_run.class_cursor = step_cursor(g_move_run.class_cursor, classes);
  int ft = g_status.worst_teacher.load();
  if (ft < 0 || ft >= g_eng_school.teacher_count) ft = 0;
  int fc = g_status.worst_class.load();
  int kept = 0;
  for (int turn = 0; turn < turns && !stop_asked(); ++turn) {
    int c = -1;
    if (score < 3) {
      turn_toggle = !turn_toggle;
      if (turn_toggle) {
        if (fc >= 0 && fc < classes) {
          c = fc;
        } else if (fc == -1 && g_eng_teachers[ft].class_count > 0) {
          int n = g_eng_teachers[ft].class_count > kWeekSlots ? kWeekSlots : g_eng_teachers[ft].class_count;
          int pick = g_eng_teachers[ft].class_indexes[g_engine_random.below(n)];
          if (pick >= 0 && pick < classes) c = pick;
        }
      }
    }
    if (c < 0) {
      own_cursor = step_cursor(own_cursor, classes);
      c = own_cursor;
    }
    Walk w = walk_forward(c, g_worst_cursors, [&](int a, int b, LessonPrice& price) {
      LessonPrice before = price;
      ExchangeOutcome r = or_priced_exchange(a, b, price, false, ZeroRule::kKeep);
      if (!r.kept) return Walk::kContinue;
      ++kept;
      score += r.delta;
      if (price.teacher > before.teacher) ft = g_eng_lessons[a].teacher;
      if (r.teacher_b_after > r.teacher_b_before) ft = g_eng_lessons[b].teacher;
      fc = r.class_a_after == 0 ? -1 : g_eng_lessons[b].class_index;
      if (score < 1) return Walk::kEndMove;
      return call_toggle ? Walk::kLeaveClass : Walk::kContinue;
    });
    if (w == Walk::kEndMove) break;
  }
  store(out, score);
  return kept;
}

int or_sweep_slot_pairs(std::int64_t* out) {
  int& day1 = g_counters.slot_day1;
  int& hour1 = g_counters.slot_hour1;
  int& position1 = g_counters.slot_position1;
  int& day2 = g_counters.slot_day2;
  int& hour2 = g_counters.slot_hour2;
  std::int64_t score = running_start();
  int days = days_per_week();
  if (days <= 0) {
    store(out, score);
    return 0;
  }
  day1 = step_cursor(day1, days);
  int hours1 = hours_of_day(day1);
  if (hours1 <= 0) {
    store(out, score);
    return 0;
  }
  hour1 = step_cursor(hour1, hours1);
  bool quota = g_eng_school.tekno[0] != 0;
  int kept = 0;
  for (int hs = 0; hs < hours1 && !stop_asked(); ++hs) {
    int slot1 = day1 * kHoursPerDay + hour1;
    int entries = static_cast<int>(g_slot_lessons[slot1].count);
    for (int e = 0; e < entries; ++e) {
      position1 = step_cursor(position1, static_cast<int>(g_slot_lessons[slot1].count));
      int a = g_slot_lessons[slot1].lesson[position1];
      if (a < 0) continue;
      LessonPrice price = or_price_lesson(a);
      for (int ds = 0; ds < days; ++ds) {
        day2 = step_cursor(day2, days);
        int hours2 = hours_of_day(day2);
        for (int h2 = 0; h2 < hours2; ++h2) {
          hour2 = step_cursor(hour2, hours2);
          int slot2 = day2 * kHoursPerDay + hour2;
          if (slot2 == slot1) continue;
          for (std::uint32_t k = 0; k < g_slot_lessons[slot2].count; ++k) {
            int b = g_slot_lessons[slot2].lesson[k];
            if (b < 0 || b >= a) continue;
            ExchangeOutcome r = or_priced_exchange(a, b, price, true, ZeroRule::kKeep, true);
            if (!r.kept) continue;
            ++kept;
            score += r.delta;
            if (r.delta < 0 || score <= 0) {
              store(out, score);
              return kept;
            }
            if (quota) break;
          }
        }
      }
    }
    hour1 = step_cursor(hour1, hours1);
  }
  store(out, score);
  return kept;
}

int or_sweep_flagged_teacher_pairs() {
  int& cursor = g_counters.flagged_cursor;
  int* pos_i = g_counters.flagged_i;
  int* pos_j = g_counters.flagged_j;
  int classes = class_total();
  if (classes <= 0) return 0;
  auto flagged = [](int l) {
    int t = g_eng_lessons[l].teacher;
    return t >= 0 && t < kMaxTeachers && g_eng_teachers[t].tekgrado[1] != 0;
  };
  bool any = false;
  for (int c = 0; c < classes && !any; ++c)
    for (int i = 0; i < class_size(c) && !any; ++i) any = class_lesson(c, i) >= 0 && flagged(class_lesson(c, i));
  if (!any) return 0;
  cursor = step_cursor(cursor, classes);
  int kept = 0, visits = 0;
  for (int c = cursor; visits < classes; c = step_cursor(c, classes)) {
    int n = class_size(c);
    bool has = false;
    for (int i = 0; i < n && !has; ++i) has = class_lesson(c, i) >= 0 && flagged(class_lesson(c, i));
    if (!has) continue;
    ++visits;
    for (int step = 0; step < n; ++step) {
      pos_i[c] = step_cursor(pos_i[c], n);
      int a = class_lesson(c, pos_i[c]);
      if (a < 0 || !flagged(a)) continue;
      LessonPrice price = or_price_lesson(a);
      for (int s2 = 0; s2 < n; ++s2) {
        pos_j[c] = step_cursor(pos_j[c], n);
        int b = class_lesson(c, pos_j[c]);
        if (b < 0) continue;
        int tb = g_eng_lessons[b].teacher;
        if (tb < 0 || tb >= kMaxTeachers || g_eng_teachers[tb].calendar_class < 0) continue;
        if (g_eng_lessons[b].hour != hours_of_day(g_eng_lessons[b].day) - 1) continue;
        if (or_priced_exchange(a, b, price, false, ZeroRule::kKeepUnlessSeventh).kept) ++kept;
      }
    }
  }
  return kept;
}

int or_improve_class_timed(int kind, int index) {
  int classes = class_total();
  if (classes <= 0) return 0;
  std::int64_t deadline = g_move_clock() + 5;
  g_move_run.class_cursor = step_cursor(g_move_run.class_cursor, classes);
  bool toggle = false;
  int kept = 0;
  while (g_move_clock() < deadline) {
    toggle = !toggle;
    int r = g_engine_random.below(classes);
    int c;
    if (kind == 0)
      c = toggle ? r : index;
    else
      c = (!toggle || in_class_list(index, r)) ? r : -1;
    if (c < 0 || c >= classes) continue;
    bool touched = false;
    walk_forward(c, g_timed_cursors, [&](int a, int b, LessonPrice& price) {
      if (!or_priced_exchange(a, b, price, false, ZeroRule::kKeep).kept) return Walk::kContinue;
      ++kept;
      if (kind == 0)
        touched = g_eng_lessons[a].class_index == index || g_eng_lessons[b].class_index == index;
      else
        touched = teacher_touches(a, index) || teacher_touches(b, index);
      return Walk::kLeaveClass;
    });
    if (touched) return kept;
  }
  return 0;
}
