// The lesson-to-room allocation (see classroom_allocation.h): the allocation
// state and the window's query interface, the creation of the allocation
// rooms, the binding of preferred rooms, the initial allocation and the
// entry of the phase. The optimiser and the costs are in
// room_move_optimiser.cpp, the teacher grouping in teacher_grouping.cpp.
//
// Every room a lesson is given is checked free at the lesson's slot first, so
// the allocation never books a room twice; only a helping teacher's lesson
// joins its partner's room.
#include "solver/classroom_allocation.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/report_services.h"
#include "engine/section_parsers.h"
#include "engine/status_block.h"
#include "solver/solver_state.h"

RoomAllocationState g_room_allocation;

namespace {
// The window fills the preferred rooms and forbidden lists before the
// engine command starts, so the state is set up once at start-up and is not
// cleared by the model reset.
struct InitialState {
  InitialState() { or_reset_room_allocation(); }
} g_initial_state;
}  // namespace

namespace {

constexpr std::uint8_t kRoomFree = 2;
constexpr std::uint8_t kRoomGiven = 1;

bool ordinary_teacher(int t) {
  return t >= 0 && t < g_eng_school.teacher_count && !or_is_calendar_teacher(t) &&
         g_eng_teachers[t].calendar_class < 0;
}
bool helping_teacher(int t) { return t >= 0 && t < kMaxTeachers && (g_eng_teachers[t].type_flags & kTeacherFca) != 0; }

bool several_buildings() { return g_eng_school.building_count > 1; }

int class_building(int c) { return c >= 0 && c < kMaxClasses ? g_eng_classes[c].building : -1; }
int room_building(int r) { return g_eng_rooms[r].kind_or_building; }

bool same_building(int lesson, int room) {
  if (!several_buildings()) return true;
  return class_building(g_eng_lessons[lesson].class_index) == room_building(room);
}

int slot_of(int l) { return g_eng_lessons[l].day * kHoursPerDay + g_eng_lessons[l].hour; }
bool placed(int l) {
  return g_eng_lessons[l].day < kDays && g_eng_lessons[l].hour < kHoursPerDay;
}

// Which lesson uses each allocation room at each slot (-1 free).
struct RoomUse {
  std::vector<std::int32_t> at;
  RoomUse() : at(static_cast<std::size_t>(kMaxRooms) * kWeekSlots, -1) {}
  std::int32_t& cell(int room, int slot) { return at[static_cast<std::size_t>(room) * kWeekSlots + slot]; }
  void fill() {
    std::fill(at.begin(), at.end(), -1);
    int end = or_real_lesson_end();
    for (int l = 0; l < end; ++l)
      if (placed(l) && or_is_allocation_room(g_eng_lessons[l].room) && cell(g_eng_lessons[l].room, slot_of(l)) < 0)
        cell(g_eng_lessons[l].room, slot_of(l)) = l;
  }
  // A class is never seated in a room of its forbidden list, even when the
  // room is free and the lesson would otherwise stay without one.
  bool free_for(int room, int l) {
    return cell(room, slot_of(l)) < 0 && !or_room_forbidden_for(g_eng_lessons[l].class_index, room);
  }
  void put(int room, int l) {
    g_eng_lessons[l].room = room;
    cell(room, slot_of(l)) = l;
  }
};

bool in_own_room(int l) { return g_eng_lessons[l].room == g_eng_lessons[l].class_index; }

bool real_class(int c) { return c >= 0 && c < g_eng_school.real_class_count && c < kMaxClasses; }

RoomAllocationParams no_params() {
  RoomAllocationParams p{};
  return p;
}

const char* room_word() {
  static const char* const kWords[3] = {"AULA", "Zimmer", "ROOM"};
  return or_pick_text(kWords);
}

}  // namespace

void or_reset_room_allocation() {
  std::memset(&g_room_allocation, 0, sizeof g_room_allocation);
  std::memset(g_room_allocation.forbidden, 0xFF, sizeof g_room_allocation.forbidden);
  std::memset(g_room_allocation.forbidden_room, 0xFF, sizeof g_room_allocation.forbidden_room);
  std::memset(g_room_allocation.home_room, 0xFF, sizeof g_room_allocation.home_room);
  for (std::int32_t& v : g_room_allocation.result_changes) v = -1;
  g_room_allocation.last_queried = -1;
  g_room_allocation.first_allocation_room = kMaxRooms;
}

int or_real_lesson_end() {
  int n = g_eng_school.lesson_count;
  for (int l = 0; l < n; ++l)
    if (g_eng_lessons[l].standby_marker != 0 || or_is_pseudo_class(g_eng_lessons[l].class_index)) return l;
  return n;
}

bool or_room_forbidden_for(int c, int room) {
  if (c < 0 || c >= kMaxClasses || room < 0) return false;
  for (int i = 0; i < kForbiddenRoomsPerClass; ++i)
    if (g_room_allocation.forbidden_room[c][i] == room) return true;
  return false;
}

bool or_is_allocation_room(int room) {
  return room >= g_room_allocation.first_allocation_room && room < g_eng_school.room_count && room < kMaxRooms;
}

bool or_room_lesson_eligible(int l) {
  const EngineLesson& x = g_eng_lessons[l];
  return x.common_room < 0 && ordinary_teacher(x.teacher) && !helping_teacher(x.teacher) && real_class(x.class_index);
}

void or_create_allocation_rooms(const RoomAllocationParams& params) {
  int buildings = g_eng_school.building_count > 0 ? g_eng_school.building_count : 1;
  if (buildings > kMaxBuildings) buildings = kMaxBuildings;
  int total = 0;
  for (int b = 0; b < buildings; ++b) total += params.rooms_per_building[b] > 0 ? params.rooms_per_building[b] : 0;
  int width = total < 10 ? 1 : (total < 100 ? 2 : 3);
  int number = 1;
  for (int b = 0; b < buildings; ++b)
    for (int i = 0; i < params.rooms_per_building[b]; ++i, ++number) {
      char name[kNameSize];
      std::snprintf(name, sizeof name, "%s:%0*d", room_word(), width, number);
      int r = or_find_or_add_room(name, kNameSize - 1, b);
      g_eng_rooms[r].kind_or_building = static_cast<std::int8_t>(b);
      g_eng_rooms[r].allocation_state = kRoomFree;
    }
}

void or_bind_home_rooms() {
  RoomAllocationState& s = g_room_allocation;
  for (int r = s.first_allocation_room; r < g_eng_school.room_count && r < kMaxRooms; ++r) {
    s.room_names[r][0] = '\0';
    g_eng_rooms[r].home_class = -1;
  }
  for (int c = 0; c < kMaxClasses; ++c) s.home_room[c] = -1;
  for (int c = 0; c < g_eng_school.real_class_count && c < kMaxClasses; ++c) {
    if (s.preferred_room[c][0] == '\0') continue;
    for (int r = s.first_allocation_room; r < g_eng_school.room_count && r < kMaxRooms; ++r) {
      if (g_eng_rooms[r].home_class >= 0) continue;
      if (several_buildings() && room_building(r) != class_building(c)) continue;
      g_eng_rooms[r].home_class = static_cast<std::int16_t>(c);
      s.home_room[c] = static_cast<std::int16_t>(r);
      std::memcpy(s.room_names[r], s.preferred_room[c], kNameSize);
      break;
    }
  }
  for (int c = 0; c < kMaxClasses; ++c)
    for (int i = 0; i < kForbiddenRoomsPerClass; ++i) {
      s.forbidden_room[c][i] = -1;
      int named = s.forbidden[c][i];
      if (named < 0 || named >= kMaxClasses) continue;
      for (int r = s.first_allocation_room; r < g_eng_school.room_count && r < kMaxRooms; ++r)
        if (s.room_names[r][0] != '\0' && std::strncmp(s.room_names[r], s.preferred_room[named], kNameSize) == 0) {
          s.forbidden_room[c][i] = static_cast<std::int16_t>(r);
          break;
        }
    }
}

void or_follow_joint_partner(int l) {
  const EngineLesson& x = g_eng_lessons[l];
  if (x.common_room >= 0 || !ordinary_teacher(x.teacher) || !helping_teacher(x.teacher) || !placed(l)) return;
  for (int k = 0; k < x.joint_count && k < kMaxJointLessons; ++k) {
    int p = x.joint_lessons[k];
    if (p < 0 || p >= g_eng_school.lesson_count || p == l) continue;
    const EngineLesson& y = g_eng_lessons[p];
    if (helping_teacher(y.teacher) || y.day != x.day || y.hour != x.hour) continue;
    g_eng_lessons[l].room = y.room;
    return;
  }
}

void or_initial_room_allocation() {
  RoomAllocationState& s = g_room_allocation;
  int end = or_real_lesson_end();
  for (int l = 0; l < end; ++l) {
    EngineLesson& x = g_eng_lessons[l];
    if (x.common_room < 0 && ordinary_teacher(x.teacher) && or_is_allocation_room(x.room)) x.room = x.class_index;
  }
  int first = s.first_allocation_room, rooms = g_eng_school.room_count < kMaxRooms ? g_eng_school.room_count : kMaxRooms;
  for (int r = first; r < rooms; ++r)
    if (g_eng_rooms[r].allocation_state != 0) g_eng_rooms[r].allocation_state = kRoomFree;
  RoomUse use;
  use.fill();
  // Quota: a movable class keeps at least a fifth of its lessons for the pool.
  std::vector<int> quota(kMaxClasses, 300), own(kMaxClasses, 0);
  for (int l = 0; l < end; ++l)
    if (or_room_lesson_eligible(l) && in_own_room(l)) ++own[g_eng_lessons[l].class_index];
  for (int c = 0; c < kMaxClasses; ++c)
    if (s.movable[c]) quota[c] = own[c] * 80 / 100;
  for (int l = 0; l < end; ++l) {
    int c = g_eng_lessons[l].class_index;
    if (!or_room_lesson_eligible(l) || !placed(l) || !in_own_room(l)) continue;
    int home = s.home_room[c];
    if (home < 0 || quota[c] <= 0 || !same_building(l, home) || !use.free_for(home, l)) continue;
    use.put(home, l);
    g_eng_rooms[home].allocation_state = kRoomGiven;
    --quota[c];
  }
  for (int round = 0; round < 3; ++round)
    for (int c = 0; c < g_eng_school.real_class_count && c < kMaxClasses; ++c) {
      if (round == 0 && s.movable[c]) continue;
      int room = -1;
      for (int l = 0; l < end; ++l) {
        if (g_eng_lessons[l].class_index != c || !or_room_lesson_eligible(l) || !placed(l) || !in_own_room(l)) continue;
        if (room < 0) {
          for (int r = first; r < rooms && room < 0; ++r)
            if (g_eng_rooms[r].allocation_state == kRoomFree && same_building(l, r) && use.free_for(r, l)) room = r;
          if (room < 0) break;  // no unused room left for this class
          g_eng_rooms[room].allocation_state = kRoomGiven;
          use.put(room, l);
          continue;
        }
        if (same_building(l, room)) {
          if (use.free_for(room, l)) use.put(room, l);
          continue;
        }
        if (round < 2) continue;
        for (int r = first; r < rooms; ++r)
          if (same_building(l, r) && use.free_for(r, l)) {
            use.put(r, l);
            break;
          }
      }
    }
  for (int l = 0; l < end; ++l) {
    if (!or_room_lesson_eligible(l) || !placed(l) || !in_own_room(l)) continue;
    for (int r = first; r < rooms; ++r)
      if (same_building(l, r) && use.free_for(r, l)) {
        use.put(r, l);
        break;
      }
  }
  for (int l = 0; l < end; ++l) or_follow_joint_partner(l);
}

namespace {

// The allocation rooms as the last allocation left them, so that a later
// command of the same program (the report run) that reads the school afresh
// still finds the rooms its lessons were given.
std::vector<EngineRoom> g_allocated_rooms;
int g_allocated_lesson_count = -1;

// After a fresh read of the same school the allocation rooms are put back;
// a school that no longer matches (other rooms or lessons) drops the
// allocation instead of naming rooms it does not have.
void take_back_allocation_rooms() {
  RoomAllocationState& s = g_room_allocation;
  if (!s.rooms_allocated) return;
  int first = s.first_allocation_room;
  int end = first + static_cast<int>(g_allocated_rooms.size());
  if (g_eng_school.room_count == end && g_eng_school.lesson_count == g_allocated_lesson_count) return;
  if (g_eng_school.room_count != first || g_eng_school.lesson_count != g_allocated_lesson_count || end > kMaxRooms) {
    s.rooms_allocated = 0;
    return;
  }
  std::copy(g_allocated_rooms.begin(), g_allocated_rooms.end(), g_eng_rooms + first);
  g_eng_school.room_count = end;
}

}  // namespace

int or_room_allocation_phase(int mode, int first_room) {
  RoomAllocationState& s = g_room_allocation;
  if (mode < 0) {
    take_back_allocation_rooms();
    // The reports name the rooms of an allocation only while one is kept:
    // those of another school, after the allocation was dropped, are the
    // reports a fresh process writes.
    if (!s.rooms_allocated) g_room_report_flag = 0;
    for (int r = first_room < 0 ? 0 : first_room; r < g_eng_school.room_count && r < kMaxRooms; ++r)
      if (s.room_names[r][0] != '\0') std::memcpy(g_eng_rooms[r].name, s.room_names[r], kNameSize);
    return s.first_allocation_room;
  }
  RoomAllocationParams* given = g_status.room_params.load();
  RoomAllocationParams params = given != nullptr ? *given : no_params();
  s.first_allocation_room = g_eng_school.room_count;
  s.lessons_moved = 0;
  or_create_allocation_rooms(params);
  int count = params.rooms_per_building[0];
  if (count > 0 && count < g_eng_school.real_class_count) {
    std::vector<std::uint16_t> loaded(static_cast<std::size_t>(g_eng_school.lesson_count));
    for (int l = 0; l < g_eng_school.lesson_count; ++l) loaded[static_cast<std::size_t>(l)] = lesson_place(l);
    int end = or_real_lesson_end();
    for (int l = 0; l < end; ++l) {
      int lab = g_eng_lessons[l].chosen_laboratory;
      if (lab >= 0 && lab < g_eng_school.room_count) g_eng_lessons[l].room = lab;
    }
    or_bind_home_rooms();
    or_initial_room_allocation();
    or_optimise_room_moves(mode == 0 ? 0 : 1);
    for (int l = 0; l < g_eng_school.lesson_count; ++l)
      if (lesson_place(l) != loaded[static_cast<std::size_t>(l)]) s.lessons_moved = 1;
    s.rooms_allocated = 1;
    for (int l = 0; l < g_eng_school.lesson_count && l < kMaxLessons; ++l) s.lesson_result[l] = g_eng_lessons[l].room;
    g_allocated_rooms.assign(g_eng_rooms + s.first_allocation_room, g_eng_rooms + g_eng_school.room_count);
    g_allocated_lesson_count = g_eng_school.lesson_count;
    g_room_report_flag = 1;
  }
  return s.first_allocation_room;
}

void or_add_room_class_pair(const char* class_code, const char* room_name) {
  RoomAllocationState& s = g_room_allocation;
  if (class_code == nullptr || class_code[0] == '\0') {
    std::memset(s.forbidden, 0xFF, sizeof s.forbidden);
    return;
  }
  int c = or_find_class(class_code);
  if (c < 0 || c >= kMaxClasses || room_name == nullptr) return;
  int named = -1;
  for (int k = 0; k < kMaxClasses && named < 0; ++k)
    if (s.preferred_room[k][0] != '\0' && std::strncmp(s.preferred_room[k], room_name, kNameSize - 1) == 0) named = k;
  if (named < 0) return;
  for (int i = 0; i < kForbiddenRoomsPerClass; ++i)
    if (s.forbidden[c][i] < 0) {
      s.forbidden[c][i] = static_cast<std::int16_t>(named);
      return;
    }
}
