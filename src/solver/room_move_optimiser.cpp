// Costs of the classroom allocation in its three modes, the error report of
// the class mode, and the room-move optimiser that swaps the allocation
// rooms of two lessons held at the same slot (see classroom_allocation.h).
//
// Invariant of a swap: both lessons stand at the same slot in allocation
// rooms, so exchanging their rooms can never book a room twice; a swap that
// makes the two classes cost more is taken back at once. The optimiser keeps
// its record (placements and rooms) and ends with it.
//
// Workload: one class cost walks 84 slots; a move round prices two classes
// per try and makes as many tries as there are lessons.
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/errors.h"
#include "engine/engine_random.h"
#include "engine/lesson_links.h"
#include "engine/save_files.h"
#include "engine/school_file_writes.h"
#include "engine/file_replace.h"
#include "engine/status_block.h"
#include "solver/classroom_allocation.h"
#include "solver/cost_evaluation.h"
#include "solver/improvement_phases.h"
#include "solver/neighbourhood_moves.h"
#include "solver/placement_state.h"
#include "solver/priced_exchange.h"

std::int32_t g_room_optimiser_max_cycles = 0;

namespace {

bool in_room_pool(int l) { return or_is_allocation_room(g_eng_lessons[l].room); }
bool helping(int t) { return t >= 0 && t < kMaxTeachers && (g_eng_teachers[t].type_flags & kTeacherFca) != 0; }
int allocation_mode() {
  RoomAllocationParams* p = g_status.room_params.load();
  return p != nullptr ? p->allocation_mode : 0;
}

bool forbidden_for(int c, int room) { return or_room_forbidden_for(c, room); }

const char* day_abbrev(int d) { return g_eng_school.day_abbrevs[d]; }

}  // namespace

std::int64_t or_class_room_cost(int c, bool report, std::FILE* out) {
  if (c < 0 || c >= g_eng_school.real_class_count || c >= kMaxClasses) return 0;
  const EngineClass& k = g_eng_classes[c];
  int home = g_room_allocation.home_room[c];
  std::int64_t cost = 0, step = 1, moves = 0;
  for (int d = 0; d < or_week_days(); ++d) {
    int prev_room = -1, prev_teacher = -1;
    for (int h = 0; h < or_day_hours(d); ++h) {
      int l = k.week_grid[d][h];
      if (l == 0xFFFF || l >= g_eng_school.lesson_count || !in_room_pool(l)) continue;
      const EngineLesson& x = g_eng_lessons[l];
      if (prev_room >= 0 && x.room != prev_room) {
        bool same_pair = x.teacher == prev_teacher;
        cost += step + 5 * step + (same_pair ? 25 * step : 0);
        if (report && out)
          std::fprintf(out, "CLASSE %s spostamento %s %d stesso giorno%s\n", k.display_name, day_abbrev(d), h + 1,
                       same_pair ? " stessi docente e classe" : "");
        ++step, ++moves;
      }
      if (forbidden_for(c, x.room)) {
        cost += 125 * step;
        if (report && out)
          std::fprintf(out, "CLASSE %s in aula vietata %s %s %d\n", k.display_name, g_eng_rooms[x.room].name,
                       day_abbrev(d), h + 1);
      }
      if (home >= 0 && x.room != home) {
        cost += 1;
        if (report && out)
          std::fprintf(out, "CLASSE %s fuori aula preferita %s %s %d\n", k.display_name,
                       g_room_allocation.room_names[home], day_abbrev(d), h + 1);
      }
      cost += moves;
      prev_room = x.room;
      prev_teacher = x.teacher;
    }
  }
  return cost;
}

std::int64_t or_room_cost_all(bool report) {
  std::int64_t cost = 0;
  for (int c = 0; c < g_eng_school.real_class_count && c < kMaxClasses; ++c) cost += or_class_room_cost(c, report, nullptr);
  return cost;
}

std::int64_t or_teacher_room_cost() {
  std::int64_t cost = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    const EngineTeacher& x = g_eng_teachers[t];
    for (int d = 0; d < or_week_days(); ++d) {
      int prev = -1, j = 0;
      for (int h = 0; h < or_day_hours(d); ++h) {
        int l = x.lesson_per_slot[d * kHoursPerDay + h];
        if (l == 0xFFFF || l >= g_eng_school.lesson_count || !or_room_lesson_eligible(l)) continue;
        if (prev >= 0 && g_eng_lessons[l].room != g_eng_lessons[prev].room) {
          ++j;
          cost += j;
          if (g_eng_lessons[l].class_index != g_eng_lessons[prev].class_index) cost += 3 * (j + 1);
        }
        prev = l;
      }
    }
  }
  return cost;
}

namespace {

void refresh_occupancy() {
  for (int r = g_room_allocation.first_allocation_room; r < g_eng_school.room_count && r < kMaxRooms; ++r)
    for (std::int16_t& v : g_eng_rooms[r].occupancy) v = -1;
  int end = or_real_lesson_end();
  for (int l = 0; l < end; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (x.day < kDays && x.hour < kHoursPerDay && in_room_pool(l))
      g_eng_rooms[x.room].occupancy[x.day * kHoursPerDay + x.hour] = static_cast<std::int16_t>(x.teacher);
  }
}

int distinct_teachers(int r) {
  std::vector<bool> seen(kMaxTeachers, false);
  int n = 0;
  for (std::int16_t t : g_eng_rooms[r].occupancy)
    if (t >= 0 && t < kMaxTeachers && !seen[t]) seen[t] = true, ++n;
  return n;
}

}  // namespace

std::int64_t or_room_user_cost() {
  refresh_occupancy();
  std::int64_t cost = 0;
  for (int r = g_room_allocation.first_allocation_room; r < g_eng_school.room_count && r < kMaxRooms; ++r) {
    int n = distinct_teachers(r);
    if (n >= 2) cost += static_cast<std::int64_t>(n) * n;
  }
  return cost;
}

int or_room_changes_of_class(int c, int* own_room_lessons, std::uint8_t* days) {
  int own = 0, changes = 0, prev = -1;
  std::uint8_t bits = 0;
  const EngineClass& k = g_eng_classes[c];
  for (int d = 0; d < or_week_days(); ++d)
    for (int h = 0; h < or_day_hours(d); ++h) {
      int l = k.week_grid[d][h];
      if (l == 0xFFFF || l >= g_eng_school.lesson_count) continue;
      if (or_room_lesson_eligible(l) && g_eng_lessons[l].room == c) {
        ++own;
        bits = static_cast<std::uint8_t>(bits | (1u << d));
      }
      if (!in_room_pool(l)) continue;
      if (prev >= 0 && g_eng_lessons[l].room != prev) ++changes;
      prev = g_eng_lessons[l].room;
    }
  if (own_room_lessons) *own_room_lessons = own;
  if (days) *days = bits;
  return changes;
}

int or_teacher_room_changes(int t) {
  const EngineTeacher& x = g_eng_teachers[t];
  if (x.calendar_class >= 0 || (x.type_flags & (kTeacherLabPseudo | kTeacherFca | kTeacherNoLessons)) != 0) return 0;
  int changes = 0, prev = -1;
  for (int s = 0; s < kWeekSlots; ++s) {
    int l = x.lesson_per_slot[s];
    if (l == 0xFFFF || l >= g_eng_school.lesson_count) continue;
    const EngineLesson& e = g_eng_lessons[l];
    if (e.common_room >= 0 || e.room < 0 || e.room >= kMaxRooms || (g_eng_rooms[e.room].lab_flag & 1) != 0) continue;
    if (prev >= 0 && e.room != prev) ++changes;
    prev = e.room;
  }
  return changes;
}

// From the lessons themselves: only the allocation rooms keep an occupancy
// grid, and any room may be asked about.
int or_room_teacher_count(int r) {
  if (r < 0 || r >= g_eng_school.room_count || r >= kMaxRooms) return 0;
  refresh_occupancy();
  if (or_is_allocation_room(r)) return distinct_teachers(r);
  std::vector<bool> seen(kMaxTeachers, false);
  int n = 0, end = or_real_lesson_end();
  for (int l = 0; l < end; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (x.room != r || x.day >= kDays || x.teacher < 0 || x.teacher >= kMaxTeachers || seen[x.teacher]) continue;
    seen[x.teacher] = true;
    ++n;
  }
  return n;
}

void or_refresh_room_results(int mode) {
  RoomAllocationState& s = g_room_allocation;
  if (mode == 1) {
    for (int t = 0; t < g_eng_school.teacher_count; ++t)
      s.result_count[t] = 0, s.result_days[t] = 0, s.result_changes[t] = or_teacher_room_changes(t);
  } else if (mode == 2) {
    for (int r = 0; r < g_eng_school.room_count && r < kMaxTeachers; ++r)
      s.result_count[r] = 0, s.result_days[r] = 0, s.result_changes[r] = or_room_teacher_count(r);
  } else {
    for (int c = 0; c < g_eng_school.real_class_count && c < kMaxClasses; ++c)
      s.result_changes[c] = or_room_changes_of_class(c, &s.result_count[c], &s.result_days[c]);
  }
}

void or_write_room_error_report() {
  static const char* const kTitles[3] = {"ERRORI Allocazione Aule", "ERRORI Allocazione Aule", "ERRORI Allocazione Aule"};
  char path[kReportPathSize];
  if (or_report_path(path, or_pick_text(kTitles), "txt", 0) == nullptr) return;
  ReplacementFile file;
  or_open_or_raise(file, path, "(Chiudere il documento Word o Xls in uso e ripetere l'operazione)");
  std::FILE* out = file.stream();
  int end = or_real_lesson_end();
  bool any = false;
  for (int s = 0; s < kWeekSlots; ++s)
    for (int l = 0; l < end; ++l) {
      const EngineLesson& x = g_eng_lessons[l];
      if (x.day * kHoursPerDay + x.hour != s || x.day >= kDays || !or_room_lesson_eligible(l) || x.room != x.class_index)
        continue;
      std::fprintf(out, "CLASSE %s NON ASSEGNATA AD AULA %s %d\n", g_eng_classes[x.class_index].display_name,
                   day_abbrev(x.day), x.hour + 1);
      any = true;
    }
  if (any)
    std::fputs("\nImpegnare manualmente i laboratori nelle ore in cui ci sono classi senza aula, poi ripetere la "
               "procedura di assegnazione\n\n", out);
  for (int c = 0; c < g_eng_school.real_class_count && c < kMaxClasses; ++c) or_class_room_cost(c, true, out);
  or_commit_or_raise(file, path, "(Chiudere il documento Word o Xls in uso e ripetere l'operazione)");
}

namespace {

std::int64_t mode_cost(int mode) {
  if (mode == 1) return or_teacher_room_cost();
  if (mode == 2) return or_room_user_cost();
  return or_room_cost_all(false);
}

void follow_partners_at(int slot) {
  int end = or_real_lesson_end();
  for (int l = 0; l < end; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (x.day < kDays && x.day * kHoursPerDay + x.hour == slot && helping(x.teacher)) or_follow_joint_partner(l);
  }
}

bool movable_lesson(int l) {
  const EngineLesson& x = g_eng_lessons[l];
  return in_room_pool(l) && or_room_lesson_eligible(l) && g_room_allocation.movable[x.class_index] != 0 &&
         x.day < kDays;
}

void move_round() {
  int end = or_real_lesson_end();
  if (end <= 1) return;
  for (int tries = 0; tries < end; ++tries) {
    int a = g_engine_random.below(end);
    if (!movable_lesson(a)) continue;
    int ca = g_eng_lessons[a].class_index;
    std::int64_t before_a = or_class_room_cost(ca, false, nullptr);
    if (before_a <= 0) continue;
    int start = g_engine_random.below(end), b = -1;
    for (int k = 1; k <= end && b < 0; ++k) {
      int x = (start + k) % end;
      const EngineLesson& e = g_eng_lessons[x];
      if (x == a || e.class_index == ca || !movable_lesson(x)) continue;
      if (e.day != g_eng_lessons[a].day || e.hour != g_eng_lessons[a].hour) continue;
      b = x;
    }
    if (b < 0) continue;
    int ra = g_eng_lessons[a].room, rb = g_eng_lessons[b].room;
    if (g_eng_school.building_count > 1 && g_eng_rooms[ra].kind_or_building != g_eng_rooms[rb].kind_or_building) continue;
    int cb = g_eng_lessons[b].class_index;
    if (or_room_forbidden_for(ca, rb) || or_room_forbidden_for(cb, ra)) continue;
    std::int64_t before = before_a + or_class_room_cost(cb, false, nullptr);
    int slot = g_eng_lessons[a].day * kHoursPerDay + g_eng_lessons[a].hour;
    g_eng_lessons[a].room = rb;
    g_eng_lessons[b].room = ra;
    follow_partners_at(slot);
    if (or_class_room_cost(ca, false, nullptr) + or_class_room_cost(cb, false, nullptr) > before) {
      g_eng_lessons[a].room = ra;
      g_eng_lessons[b].room = rb;
      follow_partners_at(slot);
    }
  }
}

struct OptimiserRecord {
  bool stored = false;
};

void keep_record(OptimiserRecord& rec) {
  int n = g_eng_school.lesson_count;
  for (int l = 0; l < n; ++l) {
    g_current_placement[l] = lesson_place(l);
    g_placement_copy[l] = g_current_placement[l];
    g_eng_lessons[l].best_room = g_eng_lessons[l].room;
  }
  rec.stored = true;
}

void restore_record(const OptimiserRecord& rec) {
  if (!rec.stored) return;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    set_lesson_place(l, g_current_placement[l]);
    g_eng_lessons[l].room = g_eng_lessons[l].best_room;
  }
  or_rebuild_slot_index();
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
}

const char* perturb(int& selector) {
  const char* label = "";
  switch (selector) {
    case 0: or_sweep_focused_class_pairs(); label = "Tamburo"; break;
    case 1: {
      int classes = g_eng_school.class_count > 0 ? g_eng_school.class_count : 1;
      or_balance_class_pass(g_engine_random.below(classes) + 1);
      label = "Bilancia";
      break;
    }
    default: or_sweep_class_pairs(); label = "Classi     "; break;
  }
  selector = (selector + 1) % 3;
  return label;
}

}  // namespace

void or_optimise_room_moves(int phase) {
  int mode = allocation_mode();
  g_solver.sampling_divisor = 7;
  g_move_run.sampling_divisor = 7;
  int stall_limit = 17, stall = 0, cycles = 0, selector = 0;
  std::int64_t record = kNoRecord, previous = -1;
  OptimiserRecord rec;
  or_rebuild_grids_and_evaluate();
  for (std::uint8_t& b : g_room_allocation.result_days) b = 0;
  std::int64_t cost = mode_cost(mode);
  for (;;) {
    ++cycles;
    or_rebuild_class_grids();
    const char* label = "";
    if (cost <= previous && stall > stall_limit) {
      if (++stall_limit > (phase == 0 ? 37 : 77)) stall_limit = 17;
      if (phase == 1) {
        restore_record(rec);
        label = perturb(selector);
        or_rebuild_class_grids();
        or_rebuild_teacher_grids();
      }
      or_initial_room_allocation();
      stall = 0;
    }
    cost = mode_cost(mode);
    if (cost != previous) {
      if (cost < previous) stall = 0;
      if (cost < record) {
        keep_record(rec);
        record = cost;
        or_refresh_room_results(mode);
        if (label[0] == '\0') label = "Record";
      }
      char line[kProgressTextSize];
      std::snprintf(line, sizeof line, "(%d) Errore (somma ponderata totale degli spostamenti):%d Record:%d (%s)",
                    cycles, static_cast<int>(cost), static_cast<int>(record), label);
      or_trace(line);
      std::snprintf(g_status.progress_text, sizeof g_status.progress_text, "%s", line);
      g_status.phase = 255;
    }
    previous = cost;
    ++stall;
    bool cap = g_room_optimiser_max_cycles > 0 && cycles >= g_room_optimiser_max_cycles;
    if (cost == 0 || g_status.run_state.load() == kRunStateStopRequested || cap) break;
    move_round();
  }
  restore_record(rec);
  or_rebuild_grids_and_evaluate();
  or_save_timetable(kSaveBalance);
  or_write_room_error_report();
  g_status.run_state = kRunStateFinished;
  or_stop_parallel_workers();
}
