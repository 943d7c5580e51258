// The accessors the timetable pages call: 7 x 12 grids of WeekGridCell for
// a class, a teacher, a room or a common room, the lessons of a slot, the
// manual-move checks, room and supported-class settings, and the class-name
// helpers. Day and hour arguments are 0-based; cell = day x 12 + hour.
//
// The pages call them on their own thread while no engine command runs;
// every index they pass is range-checked.
//
// The substitution page reads a teacher's cell codes and the default absence
// reasons.
#pragma once

#include <cstdint>

#include "engine/model.h"

struct WeekGridCell {
  std::uint8_t status;          // 0 after filling; the board's own use
  std::int32_t lesson;
  std::int32_t class_index;     // -1 free
  std::int32_t room;            // own room or working room; -1 the class's own room
  std::uint8_t room_override;   // the lesson has a room setting of its own
  std::int32_t lesson_again;
  std::int32_t teacher;         // -1 for a special-calendar pseudo-teacher
  std::int32_t subject;         // the lesson's second key
  std::int32_t common_room;
  std::int32_t part_subject;    // when a second teacher takes part, else -1
  std::int32_t second_teacher;
  std::uint8_t flag;            // 1 stand-by hour, 2 support hour
  std::int32_t supported_class;
  std::int32_t board[4];        // the board's own fields, left zero
  std::uint8_t unavailable;     // teacher grids: the slot is forbidden
  std::uint8_t transfer_gap;    // teacher grids: free hour between buildings
  std::uint8_t building_code;   // first letter of the lesson's building
  std::uint8_t provisional_free;
};

inline constexpr int kGridClass = 1;
inline constexpr int kGridTeacher = 2;
inline constexpr int kGridRoom = 3;
inline constexpr int kGridCommonRoom = 4;
inline constexpr int kGridTeacherLeads = 11;

int or_fill_week_grid(int kind, const char* name, WeekGridCell* grid);
void or_fill_grid_cell(int lesson, WeekGridCell* grid);
// Mode 0 starts, 1 goes on: the next lesson placed at the slot, in text
// order, wherever it is held (text holds 160 bytes: teacher, second
// teacher, subject, class and the room in brackets), -1 after the last.
// Mode 2 gives lesson `day` the room `hour` as its own and working room.
int or_next_lesson_text_at_slot(int mode, int day, int hour, char* text);
void or_room_report_hint(char* text);
int or_lesson_in_other_room(int lesson);
void or_set_standby_grid_keys(int key1, int key2);
int or_count_standby_per_slot(int* grid);
void or_move_standby_count(int day1, int hour1, int day2, int hour2);
void or_get_standby_grid_keys(int* key1, int* key2);
void or_set_lesson_room(int lesson, const char* room_name);
int or_count_common_room_lessons(const char* name);
int or_keep_placement(int save);
void or_reset_record_rooms();
int or_set_support_class(int teacher, int class_index, int day, int hour);
int or_check_lessons_fit_grid(int teacher, WeekGridCell* grid);
void or_apply_grid_support_classes(WeekGridCell* grid);
int or_commit_placement(int test);
// False when ".\\ricevi.txt" could not be written (the old file stays).
bool or_apply_reception_slots();
// Teachers whose reception hour in the timetable view now holds one of their
// lessons get another at once, picked as the engine picks one; returns how
// many were given a new hour.
int or_repick_covered_reception_hours();
// mask: 84 bytes, non-zero marks a slot the teacher is to be kept out of.
int or_try_teacher_hour_mask(int kind, int teacher, const std::uint8_t* mask);
// The lessons of lab groups still waiting for a lab (no room setting, no
// common room, held in their class's room): mode 1 restarts and gives the
// first, mode 0 the next; 1 when a lesson was given (names point into the
// engine's tables), 0 after the last. Mode 2 counts them.
int or_iterate_class_room_lessons(int mode, const char** teacher, const char** class_name, const char** lab_group,
                                  int* day, int* hour);
int or_check_shared_lessons_fit_grid(int teacher, int second, int room, WeekGridCell* grid);
const char* or_class_display_name(int class_index);
const char* or_class_code(int class_index);
int or_next_class_by_section(int restart, int* cursor);
// A short code of the teacher's lesson at the slot (text holds 8 bytes): the
// first 3 characters of its building and a blank, "Dis" for a stand-by hour,
// " x " when the building is unknown; empty when the teacher is free there.
void or_lesson_cell_code(char* text, int teacher, int day, int hour);
// When no absence reasons are set, the defaults of the user's language.
void or_default_absence_reasons();
