// Classroom allocation: after a timetable exists, decides in which room each
// lesson is held. Every lesson starts in its class's own room (room i is the
// own room of class i); the allocation creates a pool of allocation rooms per
// building and moves lessons into them, so that a school with fewer rooms
// than classes can still seat every class. Also the grouping of teachers into
// shared rooms, the lab choice of lab-group lessons and the overlap count of
// the overlap-reduction phase.
//
// Invariants: an allocation room (index >= first allocation room) holds at
// most one lesson per slot, except where a helping teacher's lesson follows
// its joint partner into the same room; a lesson that finds no free room
// stays in its class's own room and is listed in the report. The stand-by
// and support lessons appended after the real lessons are never touched.
//
// Workload: a few thousand lessons, a few dozen allocation rooms; the
// optimiser prices two classes per try, a few thousand tries per cycle.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "engine/model.h"
#include "engine/status_block.h"

inline constexpr int kForbiddenRoomsPerClass = 30;
inline constexpr std::int32_t kNoRecord = 99888777;

struct RoomAllocationState {
  std::int32_t first_allocation_room;
  char room_names[kMaxRooms][kNameSize];
  char preferred_room[kMaxClasses][kNameSize];
  std::uint8_t movable[kMaxClasses];
  std::int16_t forbidden[kMaxClasses][kForbiddenRoomsPerClass];  // class indexes; -1 ends the list
  std::int16_t forbidden_room[kMaxClasses][kForbiddenRoomsPerClass];  // bound rooms, -1 none
  std::int16_t home_room[kMaxClasses];                          // -1 none
  // Results for the window, per class (mode 0), teacher (1) or room (2).
  std::int32_t result_count[kMaxTeachers];
  std::uint8_t result_days[kMaxTeachers];
  std::int32_t result_changes[kMaxTeachers];  // -1 once read (or not stored)
  std::int32_t last_queried;                  // entity of the last code-11 query
  std::int32_t lesson_result[kMaxLessons];
  std::uint8_t rooms_allocated;
  // The allocation moved lessons in the week ("misv:" perturbs the timetable
  // to save room changes): its rooms belong to the timetable it saved as the
  // balanced one, not to the saved timetable.
  std::uint8_t lessons_moved;
};
extern RoomAllocationState g_room_allocation;

// Clears the whole allocation state (the model reset's part of it).
void or_reset_room_allocation();

int or_room_allocation_phase(int mode, int first_room);
int or_assign_rooms_per_building(int batch, int report);
int or_room_allocation_query(int code, const char* class_code, const char* room_name, int* out_count,
                             std::uint8_t* out_days);
void or_add_room_class_pair(const char* class_code, const char* room_name);
void or_show_room_reports(int mode);
void or_assign_lab_group_rooms();
int or_count_teacher_overlaps(int teacher);

// Pieces of the allocation, exposed for the optimiser and the tests.
bool or_room_lesson_eligible(int lesson);
bool or_is_allocation_room(int room);
bool or_room_forbidden_for(int class_index, int room);
int or_real_lesson_end();  // first stand-by or support lesson, else the lesson count
void or_create_allocation_rooms(const RoomAllocationParams& params);
void or_bind_home_rooms();
void or_initial_room_allocation();
void or_follow_joint_partner(int lesson);
std::int64_t or_class_room_cost(int class_index, bool report, std::FILE* out);
std::int64_t or_room_cost_all(bool report);
std::int64_t or_teacher_room_cost();
std::int64_t or_room_user_cost();
void or_refresh_room_results(int mode);
int or_room_changes_of_class(int class_index, int* own_room_lessons, std::uint8_t* days);
void or_optimise_room_moves(int phase);
void or_write_room_error_report();
int or_teacher_room_changes(int teacher);
int or_room_teacher_count(int room);

// Bound on the optimiser's cycles for runs without a user to stop them
// (tests, batch use); 0 = until the cost is 0 or a stop is asked.
extern std::int32_t g_room_optimiser_max_cycles;

// What the last teacher grouping found, one entry per building in building
// order (one entry, building -1, for a school without buildings): the
// concerned teachers and the rooms they were put into.
struct TeacherGroupingResult {
  int building;
  int teachers;
  int rooms;
};
const std::vector<TeacherGroupingResult>& or_last_teacher_grouping();
