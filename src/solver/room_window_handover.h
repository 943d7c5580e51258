// What the room-assignment window hands the engine before an allocation run,
// shared by the window and by orario's options that stand for it: the check
// of the window's settings against the loaded school, the query calls in the
// window's order, and the reading of the outcome.
//
// The check runs first and hands nothing over when it finds a problem, so a
// wrong setting never reaches the engine half-applied.
#pragma once

#include <string>
#include <vector>

#include "engine/status_block.h"

// One class record of the window (texts in code page 1252).
struct RoomWindowClass {
  std::string code;
  bool movable = true;                  // its lessons may move between rooms
  std::string room;                     // the class's own room, empty none
  std::vector<std::string> forbidden;   // rooms the class must not use
};

inline constexpr int kMaxForbiddenRooms = 30;

// Empty when the settings can be run on the loaded school, else the message
// for the user in the run's language: no rooms to allocate, rooms enough for
// every class (nothing to allocate), an unknown class, a forbidden room that
// is no class's room, too many forbidden rooms, a room name too long or holding '|'.
std::string or_room_window_problem(const RoomAllocationParams& params,
                                   const std::vector<RoomWindowClass>& classes);

// Takes out of `classes` the records of classes the loaded school holds no
// lesson for (a class of the school's structure that no teaching line names
// is unknown to the engine), and a deleted class's empty record; returns the
// codes of the classes taken out. A forbidden room that is the own room of a
// class taken out is dropped from the other lists: no allocation room will
// carry its name.
std::vector<std::string> or_room_window_drop_classes_without_lessons(std::vector<RoomWindowClass>& classes);
// The note that tells the user which classes were left out; empty for none.
std::string or_room_window_left_out_note(const std::vector<std::string>& codes);

// The calls before a run: the preferred names cleared, one record per class
// (a real class without a record is movable and has no room of its own), the
// forbidden lists cleared, then one pair per forbidden room.
void or_room_window_handover(const std::vector<RoomWindowClass>& classes);

// After an allocation: the eligible lessons the allocation could give no
// room (they stay in their class's own room and the reports say so).
int or_unallocated_lesson_count();
// After an allocation that moved lessons in the week (the fewer-room-changes
// run): its rooms were given for the timetable it saved as the balanced one,
// so that one becomes the saved timetable, the previous one set aside, before
// the reports name the rooms; reports of the old week with the new week's
// rooms would seat two classes in one room. 1 taken, 0 nothing to take (no
// lesson moved, or the provisional save already holds it), -1 failed (the
// message is in the status block; every file stays as it was).
int or_take_room_allocation_timetable();
// The message that says the timetable was taken.
std::string or_room_allocation_taken_message();
// The message that tells the user about them, empty when there are none.
std::string or_unallocated_message(int count);
