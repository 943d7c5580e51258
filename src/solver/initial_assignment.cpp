// The random placement passes of the initial assignment.
//
// A pass walks the lessons from a random start and gives each unplaced one
// the first slot, from a cursor that carries over from lesson to lesson,
// where it clashes with nothing. When every remaining lesson has failed in a
// row, the failing lesson looks for a partner to trade slots with, and
// failing that a few random lessons of the same teacher or class are taken
// out again so that the walk can go on.
//
// Bounds: the pass watches the stop byte on every lesson, and a lesson that
// has needed a partner search more than kMaxPartnerSearchesPerLesson times
// (or a pass that has tried far more lessons than the school has) ends the
// run with "processing impossible" naming the lesson, instead of evicting
// and retrying forever.
//
// The slot index is kept in step with every placement of the pass, so each
// clash test reads only the lessons of one slot.
#include "solver/initial_assignment.h"

#include <initializer_list>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "engine/engine_random.h"
#include "engine/status_block.h"
#include "solver/placement_state.h"
#include "solver/run_state_reset.h"

namespace {

struct PassCursor {
  int day = 0;
  int hour = 0;
  int pass_counter = 0;
  std::uint8_t placements_mod256 = 0;
  const char* tag = "N";
};

PassCursor g_cursor_n{0, 0, 0, 0, "N"};
PassCursor g_cursor_r{0, 0, 0, 0, "R"};
std::uint16_t g_partner_searches[kMaxLessons];

std::int64_t real_clock() { return static_cast<std::int64_t>(std::time(nullptr)); }
SolverClock g_clock = real_clock;

}  // namespace

void or_reset_placement_pass_cursors() {
  g_cursor_n = PassCursor{0, 0, 0, 0, "N"};
  g_cursor_r = PassCursor{0, 0, 0, 0, "R"};
}

namespace {

int lesson_total() {
  int n = g_eng_school.lesson_count;
  return n < 0 ? 0 : (n > kMaxLessons ? kMaxLessons : n);
}

int weekly_slots() {
  int slots = g_eng_run.weekly_slots;
  if (slots > 0) return slots;
  slots = 0;
  for (int d = 0; d < days_per_week(); ++d) slots += hours_of_day(d);
  return slots;
}

bool stop_requested() { return g_status.run_state.load(std::memory_order_relaxed) == kRunStateStopRequested; }

void unplace_indexed(int l) {
  if (!lesson_placed(l)) return;
  or_slot_list_remove(l);
  set_lesson_place(l, kUnplaced);
}

// Puts l at `place` and answers whether it fits; the index is updated only
// when it does.
bool try_place(int l, std::uint16_t place) {
  set_lesson_place(l, place);
  if (or_find_slot_conflict(l) != kNoConflict) return false;
  or_slot_list_add(l);
  return true;
}

[[noreturn]] void raise_unplaceable(int l) {
  const EngineLesson& x = g_eng_lessons[l];
  const char* teacher = x.teacher >= 0 && x.teacher < kMaxTeachers ? g_eng_teachers[x.teacher].name : "";
  const char* klass = x.class_index >= 0 && x.class_index < kMaxClasses ? g_eng_classes[x.class_index].code : "";
  static const char* const kFormats[3] = {
      "Impossibile collocare la cattedra/ora %d: %s, classe %s",
      "Unterricht %d nicht einplanbar: %s, Klasse %s",
      "Lesson %d cannot be placed: %s, class %s"};
  int language = g_status.language.load();
  if (language < 0 || language > 2) language = 0;
  char text[160];
  std::snprintf(text, sizeof text, kFormats[language], l, teacher, klass);
  or_raise_impossible(text);
}

// Scans from the cursor for the first free slot of l; leaves l at the last
// slot tried (unindexed) when none was free.
bool scan_for_slot(int l, PassCursor& cur) {
  int days = days_per_week();
  int budget = weekly_slots();
  if (days <= 0 || budget <= 0) raise_unplaceable(l);
  int idle_days = 0;
  for (;;) {
    if (cur.day >= days) {
      cur.day = 0;
      cur.hour = 0;
    }
    int hours = hours_of_day(cur.day);
    bool tried_any = false;
    for (; cur.hour < hours; ++cur.hour) {
      tried_any = true;
      if (try_place(l, static_cast<std::uint16_t>(cur.day | (cur.hour << 8)))) return true;
      if (--budget < 1) return false;
    }
    // A week whose days all have no hours would never spend the budget.
    idle_days = tried_any ? 0 : idle_days + 1;
    if (idle_days > kDays) raise_unplaceable(l);
    ++cur.day;
    cur.hour = 0;
  }
}

bool partner_allowed(int mode, int j) { return mode != 0 || !lesson_has_second_teacher(j); }

// Another placed lesson j moves into r's last tried slot and r takes j's.
bool trade_with_partner(int mode, int r) {
  std::uint16_t wanted = lesson_place(r);
  int n = lesson_total();
  for (int j = 0; j < n; ++j) {
    if (j == r || !lesson_placed(j) || !partner_allowed(mode, j)) continue;
    std::uint16_t old = lesson_place(j);
    if (old == wanted) continue;
    or_slot_list_remove(j);
    if (!try_place(j, wanted)) {
      set_lesson_place(j, old);
      or_slot_list_add(j);
      continue;
    }
    if (try_place(r, old)) return true;
    or_slot_list_remove(j);
    set_lesson_place(j, old);
    or_slot_list_add(j);
  }
  return false;
}

bool shares_teacher_or_class(int a, int b) {
  const EngineLesson& x = g_eng_lessons[a];
  const EngineLesson& y = g_eng_lessons[b];
  return x.teacher == y.teacher || x.class_index == y.class_index;
}

bool has_unplaced_companion(int q) {
  int n = lesson_total();
  for (int j = 0; j < n; ++j)
    if (j != q && !lesson_placed(j) && shares_teacher_or_class(q, j)) return true;
  return false;
}

int evict_random_lessons(int mode, int times) {
  int n = lesson_total();
  int evicted = 0;
  for (int k = 0; k < times; ++k) {
    int q = g_engine_random.below(n);
    if (mode == 0 && lesson_has_second_teacher(q)) continue;
    if (lesson_placed(q) && has_unplaced_companion(q)) {
      unplace_indexed(q);
      ++evicted;
    }
  }
  return evicted;
}

void write_progress(PassCursor& cur, int placed, int tried, int r) {
  ++cur.pass_counter;
  char line[kProgressTextSize];
  std::snprintf(line, sizeof line, "RAND %s %d Assegnati=%d su %d, Cnt=%d ca=%d (%d:%d)", cur.tag,
                cur.pass_counter, placed, lesson_total(), tried, r, cur.day, cur.hour);
  std::snprintf(g_status.progress_text, sizeof g_status.progress_text, "%s", line);
  or_trace(line);
  g_status.phase = 255;
}

bool candidate(int mode, int r) {
  if (lesson_placed(r)) return false;
  return mode != 1 || g_eng_lessons[r].piece_kind == kHasLaboratoryPart;
}

struct PassOptions {
  int mode;
  int start;
  PassCursor* cursor;
  bool watch_clock;  // hand over to the plain pass after 60 seconds
  int evict_divisor; // 100 (+1) for the plain pass, 10 for the remaining pass
};

// Placed lessons among those the mode places (mode 1: laboratory lessons only).
int count_placed(int mode) {
  int n = lesson_total(), placed = 0;
  for (int l = 0; l < n; ++l)
    if (lesson_placed(l) && (mode != 1 || g_eng_lessons[l].piece_kind == kHasLaboratoryPart)) ++placed;
  return placed;
}

int run_pass(const PassOptions& opt) {
  int mode = opt.mode;
  if (mode < 0 || mode > 2) return 0;
  int n = lesson_total();
  if (n == 0) return 0;
  PassCursor& cur = *opt.cursor;
  cur.day = 0;
  cur.hour = 0;
  int placed = opt.start;
  int target = n;
  if (mode == 1) {
    target = or_count_first_placed_lessons();
  } else if (mode == 0) {
    placed = or_count_first_placed_lessons();
  }
  or_rebuild_slot_index();
  std::memset(g_partner_searches, 0, sizeof g_partner_searches);
  int r = g_engine_random.below(n);
  int tried = 0, fails = 0;
  if (target <= placed) return 0;
  const std::int64_t started = g_clock();
  // A solvable school needs a few tries per lesson; this is far beyond that.
  const std::int64_t try_limit = 400ll * n + 100000;
  int idle = 0;
  while (placed < target) {
    r = r + 1 >= n ? 0 : r + 1;
    if (!candidate(mode, r)) {
      // A whole round without a candidate: the counts were off; recount.
      if (++idle > n) {
        if (count_placed(mode) >= target) break;
        or_raise_critical_error("SW", placed, kSourceSybil, 560);
      }
      continue;
    }
    idle = 0;
    ++tried;
    if (tried > try_limit) raise_unplaceable(r);
    bool ok = scan_for_slot(r, cur);
    if (stop_requested()) {
      if (!ok) set_lesson_place(r, kUnplaced);
      return -1;
    }
    if (opt.watch_clock && g_clock() - started > 60) {
      if (!ok) set_lesson_place(r, kUnplaced);
      return or_place_lessons_randomly(mode, count_placed(2));
    }
    if (ok) {
      ++placed;
      fails = 0;
      if (++cur.placements_mod256 == 0) write_progress(cur, placed, tried, r);
      continue;
    }
    ++fails;
    if (fails <= target - placed) {
      set_lesson_place(r, kUnplaced);
      continue;
    }
    if (++g_partner_searches[r] > kMaxPartnerSearchesPerLesson) raise_unplaceable(r);
    if (trade_with_partner(mode, r)) {
      ++placed;
      fails = 0;
      continue;
    }
    set_lesson_place(r, kUnplaced);
    int times = opt.evict_divisor == 100 ? target / 100 + 1 : target / 10;
    placed -= evict_random_lessons(mode, times);
    if (r > 1) r -= 2;
  }
  return tried;
}

}  // namespace

int or_count_first_placed_lessons() {
  int n = lesson_total(), count = 0;
  for (int l = 0; l < n; ++l) count += g_eng_lessons[l].piece_kind == kHasLaboratoryPart ? 1 : 0;
  return count;
}

void or_set_solver_clock(SolverClock clock) { g_clock = clock ? clock : real_clock; }
std::int64_t or_solver_clock_seconds() { return g_clock(); }

int or_place_lessons_randomly(int mode, int start) {
  if (mode < 0 || mode > 2) return 0;
  if (mode == 1) {
    int n = lesson_total();
    for (int l = 0; l < n; ++l) set_lesson_place(l, kUnplaced);
    start = 0;
  }
  return run_pass({mode, start, &g_cursor_n, false, 100});
}

int or_place_remaining_randomly(int mode, int start) {
  if (mode < 0 || mode > 2) return 0;
  return run_pass({mode, start, &g_cursor_r, true, 10});
}
