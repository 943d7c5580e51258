// or_build_initial_timetable: the start of every computation. It seeds the
// engine's generator, takes the saved timetable when there is one, places
// every remaining lesson hour (laboratory lessons first), closes class gaps,
// checks that no class or teacher is booked twice, saves a fresh placement
// and hands over to the search driver.
//
// Invariants: a placement is saved only when every lesson is placed and the
// clash and gap checks have passed; a stop request during a pass ends the
// function at once, saving nothing. The seed is printed and fully decides
// the placement for a given description and save file.
#include <initializer_list>
#include <cstdio>
#include <cstring>

#include "engine/calendar_capacity.h"
#include "engine/engine_random.h"
#include "engine/errors.h"
#include "engine/save_files.h"
#include "engine/solver_entry.h"
#include "engine/status_block.h"
#include "solver/cost_evaluation.h"
#include "solver/initial_assignment.h"
#include "solver/placement_state.h"
#include "solver/run_state_reset.h"
#include "solver/search_driver.h"

namespace {

int lesson_total() {
  int n = g_eng_school.lesson_count;
  return n < 0 ? 0 : (n > kMaxLessons ? kMaxLessons : n);
}

void trace_number(const char* format, int value) {
  char line[120];
  std::snprintf(line, sizeof line, format, value);
  or_trace(line);
}

// Every lesson placed and no pair in one slot clashes; else the critical error.
void check_complete_without_clash(const char* text, int line) {
  int n = lesson_total();
  for (int l = 0; l < n; ++l)
    if (!lesson_placed(l)) or_raise_critical_error(text, l, kSourceSybil, line);
  or_rebuild_slot_index();
  for (int l = 0; l < n; ++l)
    if (or_find_slot_conflict(l) != kNoConflict) or_raise_critical_error(text, l, kSourceSybil, line);
}

void seed_run() {
  std::int32_t seed = or_run_seed(or_solver_clock_seconds(), g_solver.worker_index);
  g_eng_run.run_seed = seed;
  g_engine_random.seed_with(static_cast<std::uint64_t>(static_cast<std::uint32_t>(seed)));
  or_print_console_format(" SEME %ld \n", static_cast<long>(seed));
  g_status.focus_mode = 11;
  g_status.phase = 255;
}

void repair_or_fail(int line) {
  int moves = or_repair_restored_timetable(lesson_total());
  char text[120];
  std::snprintf(text, sizeof text, "Orario precedente non valido - RESET necessario (%d)", moves);
  or_trace(text);
  if (moves < 0) or_raise_critical_error(text, moves, kSourceSybil, line);
}

// The building and common room each lesson was given by the preparation are
// its own ones, to which the class-day alignment returns it.
void note_own_buildings() {
  int n = lesson_total();
  for (int l = 0; l < n; ++l)
    g_lesson_buildings[l] = {g_eng_lessons[l].building, g_eng_lessons[l].common_room, 0, 0};
}

void keep_as_current() {
  or_copy_placement(g_placement_copy);
  or_copy_placement(g_current_placement);
}

}  // namespace

// The error messages show the seed of the command's own run, 0 until it
// draws one, as in a fresh process: a command refused after a computation
// must not show the seed of that computation.
void or_reset_run_seed() { g_eng_run.run_seed = 0; }

std::int32_t or_run_seed(std::int64_t now_seconds, int worker_index) {
  if (g_requested_seed >= 0) return static_cast<std::int32_t>(g_requested_seed % 2147483647);
  std::int64_t s = now_seconds % 988988988;
  if (s < 0) s += 988988988;
  return static_cast<std::int32_t>(s + 2 + 17 * worker_index);
}

int or_build_initial_timetable(int go_on) {
  int n = lesson_total();
  if (n == 0) {
    static const char* const kRows[3] = {
        "Orario non ancora configurato - elaborazione impossibile",
        "Stundenplan nicht konfiguriert - Verarbeitung unm\xF6glich",
        "Configuration absent - processing impossible"};
    int language = g_status.language.load();
    or_raise_file_error(kRows[language >= 0 && language <= 2 ? language : 0], "", kSourceSybil, 1601);
  }
  // A week whose calendars cannot hold the lessons is said before anything
  // is placed: the search would only wear itself out on the calendar stage.
  if (go_on) or_check_calendar_capacity();
  seed_run();
  g_solver.search_phase = 0;
  note_own_buildings();
  for (int l = 0; l < n; ++l) set_lesson_place(l, kUnplaced);
  int restored = or_load_timetable(1);
  bool fresh = false;
  if (restored == -3 || restored < 0) {
    fresh = true;
    for (int l = 0; l < n; ++l) set_lesson_place(l, kUnplaced);
    int result = or_place_lessons_randomly(1, 0);
    trace_number("Estrazione %d", result);
    if (result < 0) return 0;
    result = or_place_lessons_randomly(0, 0);
    trace_number("Estrazione %d", result);
    if (result < 0) return 0;
  } else if (restored > 0) {
    int result = or_place_lessons_randomly(2, restored);
    trace_number("Estrazione %d", restored + (result < 0 ? 0 : result));
    if (result < 0) return 0;
    check_complete_without_clash("SW", 1610);
    keep_as_current();
    if (go_on) repair_or_fail(1612);
    keep_as_current();
    or_save_timetable(-1);
  } else {
    check_complete_without_clash("SW", 1615);
    if (go_on) repair_or_fail(1616);
  }
  or_append_history(11);

  or_rebuild_slot_index();
  check_complete_without_clash("SW - Ubiquit\xE0 Pretesa", 1620);
  or_rebuild_class_grids();
  // A school whose classes do not fill every hour gets gaps from the random
  // walk; they are closed here as for a restored timetable.
  if (fresh && or_any_class_has_gap()) {
    int moves = or_repair_restored_timetable(lesson_total());
    trace_number("Ore buche delle classi chiuse (%d)", moves);
    if (moves < 0) or_raise_critical_error("SW - Classi con ore buche", moves, kSourceSybil, 1624);
  }
  or_rebuild_class_grids();
  if (or_any_class_has_gap()) or_raise_critical_error("SW - Classi con ore buche", 0, kSourceSybil, 1626);
  or_rebuild_teacher_grids();
  or_trace("Distribuzione Prof");

  or_evaluate_all_constraints(0);
  if (fresh) {
    keep_as_current();
    or_save_timetable(-1);
  }
  if (go_on) {
    or_search_driver();
    or_rebuild_slot_index();
    or_rebuild_class_grids();
    or_rebuild_teacher_grids();
    or_trace("Distribuzione Prof Finale");
    check_complete_without_clash("SW", 1640);
    or_rebuild_class_grids();
    if (or_any_class_has_gap()) or_raise_critical_error("SW", 0, kSourceSybil, 1642);
    trace_number("Verificato Finale (s.=%d)", g_eng_run.run_seed);
  }
  return 1;
}
