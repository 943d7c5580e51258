// Grouping teachers into shared rooms (or_assign_rooms_per_building): the
// teachers who teach in their classes' own rooms are put k to a room so that
// no two teachers of a room teach at the same slot, with as few rooms as a
// random search over their order finds; and its report per building.
//
// Invariant: a teacher joins a group's room only when it shares no slot with
// any teacher at an earlier position of the group, so a room is never used
// twice at one slot. Each building gets its own preparation and search.
// When no two positions in different groups exist the search stops at once
// instead of drawing a swap it cannot make.
//
// Workload: up to 500 teachers; one round costs about n x k matrix reads,
// and a batch search runs a few hundred to a few thousand rounds.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/engine_random.h"
#include "engine/errors.h"
#include "engine/file_replace.h"
#include "engine/lesson_links.h"
#include "engine/school_file_writes.h"
#include "engine/status_block.h"
#include "solver/classroom_allocation.h"

namespace {

constexpr const char* kReportHint = "(Chiudere il documento Word o Xls in uso e ripetere l'operazione)";

struct Grouping {
  std::vector<int> teachers;                // concerned teachers, in teacher order
  std::vector<std::uint8_t> shared;         // n x n: slots both teach
  std::vector<int> best_room;               // per position of teachers
  int best_rooms = 0;
};

bool concerned_kind(int t) {
  const EngineTeacher& x = g_eng_teachers[t];
  return !or_is_calendar_teacher(t) && x.calendar_class < 0 &&
         (x.type_flags & (kTeacherLabPseudo | kTeacherFca | kTeacherNoLessons)) == 0;
}

void prepare(int building, Grouping& g) {
  std::vector<std::vector<std::uint8_t>> busy(static_cast<std::size_t>(g_eng_school.teacher_count),
                                              std::vector<std::uint8_t>(kWeekSlots, 0));
  std::vector<bool> has(static_cast<std::size_t>(g_eng_school.teacher_count), false);
  int end = or_real_lesson_end();
  for (int l = 0; l < end; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    if (x.teacher < 0 || x.teacher >= g_eng_school.teacher_count || x.day >= kDays || x.hour >= kHoursPerDay) continue;
    if (!or_room_lesson_eligible(l) || x.room != x.class_index || !concerned_kind(x.teacher)) continue;
    if (building >= 0 && g_eng_classes[x.class_index].building != building) continue;
    has[x.teacher] = true;
    busy[x.teacher][x.day * kHoursPerDay + x.hour] = 1;
  }
  g.teachers.clear();
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (has[t]) g.teachers.push_back(t);
  std::size_t n = g.teachers.size();
  g.shared.assign(n * n, 0);
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = i + 1; j < n; ++j) {
      int both = 0;
      for (int s = 0; s < kWeekSlots; ++s) both += busy[g.teachers[i]][s] && busy[g.teachers[j]][s];
      std::uint8_t v = static_cast<std::uint8_t>(both > 255 ? 255 : both);
      g.shared[i * n + j] = g.shared[j * n + i] = v;
    }
}

// Rooms used by one order; room[position in teachers] receives each room.
int assign(const Grouping& g, const std::vector<int>& order, int k, std::vector<int>& room) {
  std::size_t n = order.size();
  room.assign(n, -1);
  int rooms = 0;
  for (std::size_t start = 0; start < n; start += static_cast<std::size_t>(k)) {
    int first = order[start];
    if (room[first] < 0) room[first] = rooms++;
    for (std::size_t p = start + 1; p < start + static_cast<std::size_t>(k) && p < n; ++p) {
      int who = order[p];
      if (room[who] >= 0) continue;
      bool clash = false;
      for (std::size_t q = start; q < p && !clash; ++q) clash = g.shared[static_cast<std::size_t>(who) * n + order[q]] != 0;
      if (!clash) room[who] = room[first];
    }
  }
  for (std::size_t i = 0; i < n; ++i)
    if (room[i] < 0) room[i] = rooms++;
  return rooms;
}

std::int64_t seconds_now() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void progress(const Grouping& g, int k, std::int64_t started) {
  std::snprintf(g_status.progress_text, sizeof g_status.progress_text,
                "Professori interessati:%3d, Professori per aula:%d, Aule impegnate:%3d (tempo: %d secondi)",
                static_cast<int>(g.teachers.size()), k, g.best_rooms, static_cast<int>(seconds_now() - started));
  g_status.phase = 255;
}

void search(Grouping& g, int k, int batch, std::int64_t started) {
  std::size_t n = g.teachers.size();
  std::vector<int> order(n), best_order(n), room;
  for (std::size_t i = 0; i < n; ++i) order[i] = static_cast<int>(i);
  best_order = order;
  g.best_rooms = assign(g, order, k, g.best_room);
  progress(g, k, started);
  std::size_t groups = (n + static_cast<std::size_t>(k) - 1) / static_cast<std::size_t>(k);
  if (groups < 2) return;  // no two positions in different groups
  std::int64_t stop_point = 100;
  for (std::int64_t round = 1;; ++round) {
    int rooms = assign(g, order, k, room);
    if (rooms > g.best_rooms) {
      order = best_order;
    } else {
      best_order = order;
      if (rooms < g.best_rooms) {
        g.best_rooms = rooms;
        g.best_room = room;
        stop_point = round > 111222 ? stop_point + 1333444 : 99 * round;
        progress(g, k, started);
      }
    }
    std::uint8_t state = g_status.run_state.load();
    if (state != kRunStateRunning) break;
    if (batch != 0 && round > stop_point) break;
    std::size_t a, b;
    do {
      a = static_cast<std::size_t>(g_engine_random.below(static_cast<std::int32_t>(n)));
      b = static_cast<std::size_t>(g_engine_random.below(static_cast<std::int32_t>(n)));
    } while (a / static_cast<std::size_t>(k) == b / static_cast<std::size_t>(k));
    std::swap(order[a], order[b]);
  }
}

void write_report(const Grouping& g, int k, int building) {
  char name[64], path[kReportPathSize];
  if (building >= 0) std::snprintf(name, sizeof name, "Allocazione Aule Plesso %s", g_eng_buildings[building].name);
  else std::snprintf(name, sizeof name, "Allocazione Aule");
  if (or_report_path(path, name, "txt", 0) == nullptr) return;
  ReplacementFile file;
  or_open_or_raise(file, path, kReportHint);
  std::FILE* out = file.stream();
  std::string rule(static_cast<std::size_t>(k) * 23 + 11, '-');
  std::fprintf(out, "%s\n", rule.c_str());
  for (int r = 0; r < g.best_rooms; ++r) {
    std::fprintf(out, "|Aula %3d |", r + 1);
    int used = 0;
    for (std::size_t i = 0; i < g.teachers.size(); ++i)
      if (g.best_room[i] == r) {
        std::fprintf(out, " %20.20s |", g_eng_teachers[g.teachers[i]].name);
        ++used;
      }
    for (; used < k; ++used) std::fprintf(out, " %20.20s |", "");
    std::fputc('\n', out);
  }
  std::fprintf(out, "%s\n", rule.c_str());
  or_commit_or_raise(file, path, kReportHint);
}

std::vector<TeacherGroupingResult> g_last_grouping;

}  // namespace

unsigned char g_room_grouping_unattended = 0;

const std::vector<TeacherGroupingResult>& or_last_teacher_grouping() { return g_last_grouping; }

int or_assign_rooms_per_building(int batch, int report) {
  static std::int64_t started = seconds_now();
  RoomAllocationParams* params = g_status.room_params.load();
  int k = params != nullptr ? params->teachers_per_room : 3;
  if (k < 1) {
    k = 3;
    if (params != nullptr) params->teachers_per_room = 3;
  }
  int buildings = g_eng_school.building_count;
  int total = 0;
  g_last_grouping.clear();
  for (int b = 0; b < (buildings > 0 ? buildings : 1); ++b) {
    Grouping g;
    prepare(buildings > 0 ? b : -1, g);
    search(g, k, batch, started);
    total += g.best_rooms;
    g_last_grouping.push_back({buildings > 0 ? b : -1, static_cast<int>(g.teachers.size()), g.best_rooms});
    if (report) write_report(g, k, buildings > 0 ? b : -1);
  }
  if (batch == 0) {
    g_status.run_state = kRunStateFinished;
    or_stop_parallel_workers();
  }
  return total - 1;
}
