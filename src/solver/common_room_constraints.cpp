// The common-room class constraints, wired to the model. The lessons using a
// room in a slot are found through the slot lists, so a class delta check
// reads its own 84 slots and the lists of the slots it uses. Field use:
// capacity "PRMAX:" with the "OX:" digit of the slot when above 0; year
// pairs "COPPIE:"; sharing rows "PEROCO:" with tolerance "PEROCOET:"; the
// minimum "PRMIN:" with its first digit as the only-when-used flag and its
// second as the hour limit; the class-hours limit "AVOMAX:". Members 79 and
// 86 measure the whole school and weigh with class 0's weight.
#include "solver/common_room_constraints.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/status_block.h"
#include "solver/common_room_counts.h"
#include "solver/constraint_catalogue.h"
#include "solver/exemptions.h"
#include "solver/placement_state.h"
#include "solver/week_masks.h"

namespace {

bool class_counts(int c) { return c >= 0 && c < kMaxClasses && c < g_eng_school.real_class_count; }

int rooms() { return std::clamp(g_eng_school.common_room_count, 0, kMaxCommonRooms); }

int lesson_in(int c, int slot) {
  std::uint16_t l = g_eng_classes[c].week_grid[slot / kHoursPerDay][slot % kHoursPerDay];
  return (l == kGridFree || l >= kMaxLessons) ? -1 : l;
}

int year_of(int c) {
  char y = g_eng_classes[c].code[0];
  return (y >= '0' && y <= '9') ? y - '0' : -1;
}

// Lessons of the slot held in room r; years and "+FCA" lessons on request,
// read from the records.
int walk_room_users(int slot, int r, unsigned* years, int* fca) {
  int n = 0;
  // Gathered in locals: a store through years or fca could change the
  // list's count for all the compiler knows, which would then be read again
  // at every lesson.
  unsigned year_bits = 0;
  int fca_users = 0;
  const SlotLessonList& list = g_slot_lessons[slot];
  std::uint32_t count = std::min(list.count, static_cast<std::uint32_t>(kSlotListCapacity));
  for (std::uint32_t i = 0; i < count; ++i) {
    int l = list.lesson[i];
    if (l < 0 || l >= kMaxLessons || g_eng_lessons[l].common_room != r) continue;
    ++n;
    int c = g_eng_lessons[l].class_index;
    if (years && c >= 0 && c < kMaxClasses && year_of(c) >= 0) year_bits |= 1u << year_of(c);
    int t = g_eng_lessons[l].teacher;
    if (fca && t >= 0 && t < kMaxTeachers && (g_eng_teachers[t].type_flags & kTeacherFca)) ++fca_users;
  }
  if (years) *years |= year_bits;
  if (fca) *fca += fca_users;
  return n;
}

// What the walk reads of a listed lesson, four bytes a lesson where the
// records take a cache line each: its common room (-1 none or past the
// tables), its class's year (-1 none) and whether its teacher is "+FCA".
// Common rooms, classes and teachers are watched fields, so the copy is
// taken again when their counts have moved (the building alignment moves
// common rooms, the stand-by repacking classes, a load anything). Class
// codes and teacher types change only by a load and its preparation, which
// a full check follows: each full check takes the copy again.
struct RoomUserKey {
  std::int8_t room;
  std::int8_t year;
  std::uint8_t fca;
  std::uint8_t unused;
};
constexpr int kYears = 10;
RoomUserKey g_room_keys[kMaxLessons];
// Per class, its lessons with a common room in the copy, in lesson order:
// taken with the copy, from the watched class of each lesson. A lesson put
// in another class (the stand-by repacking) stays in its old class's grid
// until the grids are made again, so the lists answer for the grids only
// while no watched field was written since the last full check.
std::vector<std::uint16_t> g_class_room_lessons[kMaxClasses];
std::uint64_t g_room_full_check_fields_at = 0;
bool g_room_full_checked = false;
int g_room_key_count = 0;
std::uint64_t g_room_keys_fields_at = 0, g_room_keys_rooms_at = 0;
std::uint64_t g_room_keys_version = 0;  // counts the copies taken
bool g_room_keys_taken = false;

RoomUserKey room_key_of(int l) {
  const EngineLesson& x = g_eng_lessons[l];
  int r = x.common_room, c = x.class_index, t = x.teacher;
  RoomUserKey k{-1, -1, 0, 0};
  if (r >= 0 && r < kMaxCommonRooms) k.room = static_cast<std::int8_t>(r);
  if (c >= 0 && c < kMaxClasses) k.year = static_cast<std::int8_t>(year_of(c));
  k.fca = t >= 0 && t < kMaxTeachers && (g_eng_teachers[t].type_flags & kTeacherFca) != 0;
  return k;
}

const RoomUserKey* current_room_keys(int& count) {
  int n = std::clamp(g_eng_school.lesson_count, 0, kMaxLessons);
  if (!g_room_keys_taken || g_room_keys_fields_at != g_lesson_field_writes ||
      g_room_keys_rooms_at != g_lesson_common_room_writes || g_room_key_count != n) {
    for (int l = 0; l < n; ++l) g_room_keys[l] = room_key_of(l);
    for (auto& lessons : g_class_room_lessons) lessons.clear();
    for (int l = 0; l < n; ++l) {
      int c = g_eng_lessons[l].class_index;
      if (g_room_keys[l].room >= 0 && c >= 0 && c < kMaxClasses)
        g_class_room_lessons[c].push_back(static_cast<std::uint16_t>(l));
    }
    g_room_key_count = n;
    g_room_keys_fields_at = g_lesson_field_writes;
    g_room_keys_rooms_at = g_lesson_common_room_writes;
    g_room_keys_taken = true;
    ++g_room_keys_version;
  }
  count = g_room_key_count;
  return g_room_keys;
}

// Per slot, how many listed lessons use each common room, how many of them
// are "+FCA" and how many of each year, with a copy of the list's entries
// they were counted from: every use compares the copy with the list and
// counts again the entries that differ, so the list's writers need not know
// of this; a new per-lesson copy counts all again. Lists longer than the
// copy are walked.
constexpr std::uint32_t kRoomCountedEntries = 128;
constexpr std::int32_t kNotAnEntry = -2;  // never a lesson nor a hole
struct SlotRoomUsers {
  std::uint64_t version;      // of the per-lesson copy the counts were taken from
  std::uint32_t count;        // entries of the copy
  std::uint32_t not_counted;  // listed lessons past the per-lesson copy
  std::int32_t lesson[kRoomCountedEntries];
  std::uint8_t users[kMaxCommonRooms];
  std::uint8_t fca[kMaxCommonRooms];
  std::uint8_t year[kMaxCommonRooms][kYears];
};
SlotRoomUsers g_slot_room_users[kWeekSlots];
bool g_room_cross_check = false;
CommonRoomCrossCheck g_room_checks;

// Adds (step 1) or takes out (step -1) one listed lesson; the walk passes
// over negative entries and those past the lesson table.
void count_room_user(SlotRoomUsers& u, std::int32_t l, int step, const RoomUserKey* keys, int key_count) {
  if (l < 0 || l >= kMaxLessons) return;
  if (l >= key_count) {
    u.not_counted += step;
    return;
  }
  const RoomUserKey& k = keys[l];
  if (k.room < 0) return;
  u.users[k.room] += step;
  u.fca[k.room] += step * k.fca;
  if (k.year >= 0) u.year[k.room][k.year] += step;
}

// The slot's counts, brought in step with its list; null when they cannot
// answer.
const SlotRoomUsers* slot_room_users(int slot, const RoomUserKey* keys, int key_count) {
  const SlotLessonList& list = g_slot_lessons[slot];
  std::uint32_t n = std::min(list.count, static_cast<std::uint32_t>(kSlotListCapacity));
  if (n > kRoomCountedEntries) return nullptr;
  SlotRoomUsers& u = g_slot_room_users[slot];
  if (u.version != g_room_keys_version) {
    std::memset(static_cast<void*>(&u), 0, sizeof u);
    u.version = g_room_keys_version;
    for (std::int32_t& e : u.lesson) e = kNotAnEntry;
  }
  // Most uses find the list as it was.
  if (u.count != n || std::memcmp(u.lesson, list.lesson, n * sizeof(std::int32_t)) != 0) {
    std::uint32_t entries = std::max(u.count, n);
    for (std::uint32_t i = 0; i < entries; ++i) {
      std::int32_t was = u.lesson[i];
      std::int32_t now = i < n ? list.lesson[i] : kNotAnEntry;
      if (was == now) continue;
      count_room_user(u, was, -1, keys, key_count);
      count_room_user(u, now, 1, keys, key_count);
      u.lesson[i] = now;
    }
    u.count = n;
  }
  return u.not_counted == 0 ? &u : nullptr;
}

int counted_room_users(const SlotRoomUsers& u, int r, unsigned* years, int* fca) {
  if (years) {
    unsigned year_bits = 0;
    for (int y = 0; y < kYears; ++y)
      if (u.year[r][y] != 0) year_bits |= 1u << y;
    *years |= year_bits;
  }
  if (fca) *fca += u.fca[r];
  return u.users[r];
}

// Lessons of the slot held in room r; years and "+FCA" lessons on request.
// keys: the current copy (current_room_keys).
int room_users(int slot, int r, unsigned* years, int* fca, const RoomUserKey* keys, int key_count) {
  if (r < 0 || r >= kMaxCommonRooms) return walk_room_users(slot, r, years, fca);
  if (!g_room_cross_check) [[likely]] {
    const SlotRoomUsers* u = slot_room_users(slot, keys, key_count);
    return u ? counted_room_users(*u, r, years, fca) : walk_room_users(slot, r, years, fca);
  }
  unsigned walked_years = 0, counted_years = 0;
  int walked_fca = 0, counted_fca = 0;
  int walked = walk_room_users(slot, r, &walked_years, &walked_fca);
  const SlotRoomUsers* u = slot_room_users(slot, keys, key_count);
  int counted = u ? counted_room_users(*u, r, &counted_years, &counted_fca) : walked;
  if (u == nullptr) counted_years = walked_years, counted_fca = walked_fca;
  ++g_room_checks.uses;
  if (counted != walked || counted_years != walked_years || counted_fca != walked_fca) ++g_room_checks.mismatches;
  if (years) *years |= walked_years;
  if (fca) *fca += walked_fca;
  return walked;
}

int room_users(int slot, int r, unsigned* years, int* fca) {
  int key_count = 0;
  const RoomUserKey* keys = current_room_keys(key_count);
  return room_users(slot, r, years, fca, keys, key_count);
}

// The key copy is taken again at the next use.
void forget_room_keys() { g_room_keys_taken = false; }

void record(int id, int c, int n, std::uint32_t detail, const char* text, std::int64_t* total, bool counted) {
  if (n <= 0) return;
  if (counted) *total += or_count_class_violation(id, c, static_cast<std::uint32_t>(n), 0, detail, text);
}

// ---- 77 --------------------------------------------------------------------------

// What class c's lesson in slot, held in room r, counts under 77 there.
int room_excess(int c, int slot, int r, const RoomUserKey* keys, int key_count) {
  const EngineCommonRoom& room = g_eng_common_rooms[r];
  unsigned years = 0;
  int fca = 0;
  int users = room_users(slot, r, &years, &fca, keys, key_count);
  if (users <= 1) return 0;
  int capacity = room.ox_grid[slot] >= 1 && room.ox_grid[slot] <= 9 ? room.ox_grid[slot] : room.admitted_attendance;
  int k = room_over_capacity(users, fca, capacity);
  if (k == 0 && room.coppie_count > 0 && year_of(c) >= 0)
    k = incompatible_years(year_of(c), years, room.coppie, room.coppie_count);
  return k;
}

// The full check's walk of the class's taken slots, in slot order, as its
// report names them.
int common_rooms_in_grid(int c, std::int64_t* total, const RoomUserKey* keys, int key_count) {
  int n = 0;
  int room_count = rooms();
  WeekMasks taken = masks_from_grid(&g_eng_classes[c].week_grid[0][0]);
  for (int d = 0; d < kDays; ++d)
    for (unsigned busy = taken.day[d]; busy != 0; busy &= busy - 1) {
      int h = std::countr_zero(busy);
      int slot = d * kHoursPerDay + h;
      int l = g_eng_classes[c].week_grid[d][h];
      if (l >= kMaxLessons) continue;
      int r = l < key_count ? keys[l].room : g_eng_lessons[l].common_room.get();
      if (r < 0 || r >= room_count) continue;
      int k = room_excess(c, slot, r, keys, key_count);
      n += k;
      if (total) record(77, c, k, static_cast<std::uint32_t>(r), g_eng_common_rooms[r].name, total, true);
    }
  return n;
}

// Most of a class's lessons use no common room, and the grid holds a lesson
// only in the cell of its own slot: the delta check looks up the class's
// lessons with a room in their cells instead of walking its week.
int common_rooms_listed(int c, const RoomUserKey* keys, int key_count) {
  int n = 0;
  int room_count = rooms();
  for (int l : g_class_room_lessons[c]) {
    if (!lesson_placed(l)) continue;
    int d = g_eng_lessons[l].day, h = g_eng_lessons[l].hour;
    if (d >= kDays || h >= kHoursPerDay || g_eng_classes[c].week_grid[d][h] != l) continue;
    int r = keys[l].room;
    if (r >= room_count) continue;
    n += room_excess(c, d * kHoursPerDay + h, r, keys, key_count);
  }
  return n;
}

int common_rooms(int c, std::int64_t* total) {
  int key_count = 0;
  const RoomUserKey* keys = current_room_keys(key_count);
  if (total != nullptr || !g_room_full_checked || g_room_full_check_fields_at != g_lesson_field_writes)
    return common_rooms_in_grid(c, total, keys, key_count);
  int n = common_rooms_listed(c, keys, key_count);
  if (g_room_cross_check) [[unlikely]] {
    ++g_room_checks.uses;
    if (n != common_rooms_in_grid(c, nullptr, keys, key_count)) ++g_room_checks.mismatches;
  }
  return n;
}

// ---- 78 --------------------------------------------------------------------------

int sharing_limits(int c, std::int64_t* total) {
  int n = 0;
  for (int r = 0; r < rooms(); ++r) {
    const EngineCommonRoom& room = g_eng_common_rooms[r];
    if (room.peroco_count <= 0) continue;
    int hours = 0, shared = 0;
    for (int slot = 0; slot < kWeekSlots; ++slot) {
      int l = lesson_in(c, slot);
      if (l < 0 || g_eng_lessons[l].common_room != r) continue;
      ++hours;
      if (room_users(slot, r, nullptr, nullptr) > 1) ++shared;
    }
    int k = sharing_excess(hours, shared, room.peroco, room.peroco_count, room.perocoet);
    n += k;
    if (total) record(78, c, k, static_cast<std::uint32_t>(r), room.name, total, true);
  }
  return n;
}

// ---- 89 --------------------------------------------------------------------------

int room_class_hours(int c, std::int64_t* total) {
  int n = 0;
  for (int r = 0; r < rooms(); ++r) {
    const EngineCommonRoom& room = g_eng_common_rooms[r];
    int limit = room.avomax;
    if (limit < 1 || limit > 10) continue;
    int k = 0;
    for (int d = 0; d < days_per_week(); ++d) {
      bool uses = false;
      int day_users = 0;
      for (int h = 0; h < hours_of_day(d); ++h) {
        int slot = d * kHoursPerDay + h;
        int l = lesson_in(c, slot);
        if (l >= 0 && g_eng_lessons[l].common_room == r) uses = true;
        day_users += room_users(slot, r, nullptr, nullptr);
      }
      if (uses && day_users > limit) k += day_users - limit;
    }
    n += k;
    if (total) record(89, c, k, static_cast<std::uint32_t>(r), room.name, total, true);
  }
  return n;
}

// ---- 79 (school-wide) ------------------------------------------------------------

int common_room_minimum(std::int64_t* total) {
  if (g_eng_run.run_mode == 13 || g_eng_school.real_class_count <= 0) return 0;
  int n = 0;
  for (int r = 0; r < rooms(); ++r) {
    const EngineCommonRoom& room = g_eng_common_rooms[r];
    int minimum = room.needed_attendance;
    bool only_when_used = room.digits[0] != 0;
    if (minimum <= 0 || (!only_when_used && g_eng_run.focus_flags[0] == 0)) continue;
    int hour_limit = room.digits[1];
    bool given = room.availability[0] != kNotConfigured;
    int k = 0;
    for (int d = 0; d < days_per_week(); ++d)
      for (int h = 0; h < hours_of_day(d); ++h) {
        if (hour_limit != 0 && h >= hour_limit) continue;
        int slot = d * kHoursPerDay + h;
        if (given && room.availability[slot] == 0) continue;
        // A slot's own digit of the "OX:" grid below the minimum asks for
        // fewer classes in that hour.
        int digit = room.ox_grid[slot];
        int wanted = digit >= 1 && digit < minimum ? digit : minimum;
        k += missing_attendance(wanted, 0, room_users(slot, r, nullptr, nullptr), only_when_used);
      }
    // The room's tolerance, raised by each granted exemption of 79.
    k = std::max(0, k - g_exemption_allowances.common_room_minimum[r]);
    n += k;
    if (total) record(79, 0, k, static_cast<std::uint32_t>(r), room.name, total, true);
  }
  return n;
}

// ---- 86 (school-wide) ------------------------------------------------------------

int twin_distribution() {
  if (g_eng_run.focus_flags[1] == 0) return 0;
  int wanted = g_eng_school.tocomi;
  int classes = std::min(g_eng_school.real_class_count, kMaxClasses);
  if (wanted <= 0 || classes <= 0) return 0;
  int n = 0;
  for (int d = 0; d < days_per_week(); ++d)
    for (int h = 0; h < hours_of_day(d); ++h) {
      int slot = d * kHoursPerDay + h;
      int lessons = 0, calendar = 0, twins = 0;
      for (int c = 0; c < classes; ++c) {
        int l = lesson_in(c, slot);
        if (l < 0) continue;
        ++lessons;
        const EngineLesson& x = g_eng_lessons[l];
        if (x.teacher >= 0 && x.teacher < kMaxTeachers && g_eng_teachers[x.teacher].calendar_class != -1) ++calendar;
        if (lesson_has_second_teacher(l) && x.second_teacher != x.teacher && twins < wanted) ++twins;
      }
      if (lessons > 0 && calendar < classes && twins < wanted) n += (wanted - twins) * (wanted - twins);
    }
  return n;
}

template <int Id, int (*Rule)(int, std::int64_t*)>
std::int64_t full_per_class() {
  forget_room_keys();
  g_room_full_check_fields_at = g_lesson_field_writes;
  g_room_full_checked = true;
  std::int64_t total = 0;
  for (int c = 0; c < g_eng_school.class_count && c < kMaxClasses; ++c)
    if (class_counts(c)) Rule(c, &total);
  return total;
}

template <int Id, int (*Rule)(int, std::int64_t*)>
std::int64_t delta_per_class(int c) {
  if (!class_counts(c)) return 0;
  int n = Rule(c, nullptr);
  return n > 0 ? or_class_weighted(Id, c, static_cast<std::uint32_t>(n)) : 0;
}

}  // namespace

void or_set_common_room_cross_check(bool on) {
  g_room_cross_check = on;
  g_room_checks = {};
}

CommonRoomCrossCheck or_common_room_cross_check() { return g_room_checks; }

std::int64_t or_full_common_rooms() { return full_per_class<77, common_rooms>(); }
std::int64_t or_delta_common_rooms(int c) { return delta_per_class<77, common_rooms>(c); }
std::int64_t or_full_sharing_limits() { return full_per_class<78, sharing_limits>(); }
std::int64_t or_delta_sharing_limits(int c) { return delta_per_class<78, sharing_limits>(c); }
std::int64_t or_full_room_class_hours() { return full_per_class<89, room_class_hours>(); }
std::int64_t or_delta_room_class_hours(int c) { return delta_per_class<89, room_class_hours>(c); }

std::int64_t or_full_common_room_minimum() {
  forget_room_keys();
  std::int64_t total = 0;
  common_room_minimum(&total);
  return total;
}
std::int64_t or_delta_common_room_minimum(int) {
  int n = common_room_minimum(nullptr);
  return n > 0 && g_eng_school.real_class_count > 0 ? or_class_weighted(79, 0, static_cast<std::uint32_t>(n)) : 0;
}

std::int64_t or_full_twin_distribution() {
  int n = twin_distribution();
  if (n <= 0) return 0;
  return or_count_class_violation(86, 0, static_cast<std::uint32_t>(n), 0, 0, "");
}
std::int64_t or_delta_twin_distribution(int) {
  int n = twin_distribution();
  return n > 0 ? or_class_weighted(86, 0, static_cast<std::uint32_t>(n)) : 0;
}
