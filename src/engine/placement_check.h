// The engine core's check that a placement is whole and free of clashes:
// used by the save-file reader before it accepts a saved timetable, by the
// recovery of a previous timetable while it matches lessons to slots, and
// by the solver's final check (or_assert_all_lessons_placed).
//
// The pair rule is the placement rule of the whole system: two lessons in
// one slot clash when they share a class or a room (unless they are held
// jointly), a teacher, or a second teacher in any role. SlotOccupancy keeps
// per-slot lists so that checking a whole timetable costs one pass plus the
// pairs inside each slot, not lessons squared.
#pragma once

#include <vector>

#include "engine/model.h"

// Clash code of lessons a and b, both placed in the same slot: 0 none, 1
// class, 2 room, 3 teacher, 4 to 7 the second-teacher cases.
int or_lesson_clash(int a, int b);

// The lessons held jointly with the lesson in its hour: for each of its
// joint partners, the partner itself when it sits in that hour, else, when
// the school links joint lessons by class (the joint-entry option, bit 1 of
// the option byte), the first other lesson of the partner's class and
// subject that does. Empty for an unplaced lesson.
std::vector<int> or_joint_lessons_in_slot(int lesson);

class SlotOccupancy {
 public:
  SlotOccupancy() : slots_(kWeekSlots) {}
  void add(int lesson);          // the lesson's current slot; unplaced: nothing
  // First lesson of the given slot that clashes with the lesson, or -1.
  int clash_at(int lesson, int day, int hour) const;

 private:
  std::vector<std::vector<int>> slots_;
};

// 0 when every lesson is placed and none clashes; otherwise the critical
// error "SW" (source "OR_VINU", line 34).
int or_assert_all_lessons_placed();
// The same test without the error: -1 when all is well, else the first
// lesson that is unplaced or clashes.
int or_first_misplaced_lesson(bool require_all_placed);
