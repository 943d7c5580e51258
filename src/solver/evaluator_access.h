// Small read helpers shared by the later evaluator families: the lesson a
// teacher or class holds at a slot, the lessons listed at a slot, the kind of
// teacher behind a lesson, and bounded text appends for report texts.
//
// Invariants: every helper checks its indexes against the table capacities
// and the school's counts, so a damaged grid entry reads as a free slot
// rather than past an array. No helper writes the model.
//
// Workload: called per slot inside the delta checks; all inline.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "solver/solver_state.h"

// Lesson of teacher t at a slot, -1 when free.
inline int teacher_lesson_at(int teacher, int slot) {
  std::uint16_t l = g_eng_teachers[teacher].lesson_per_slot[slot];
  return (l == kGridFree || l >= kMaxLessons) ? -1 : l;
}
// Class of teacher t at a slot, -1 when free.
inline int teacher_class_at(int teacher, int slot) {
  std::uint16_t c = g_eng_teachers[teacher].class_per_slot[slot];
  return (c == kGridFree || c >= kMaxClasses) ? -1 : c;
}
// Lesson of class c at (d, h), -1 when free.
inline int class_lesson_at(int c, int d, int h) {
  if (d < 0 || d >= kDays || h < 0 || h >= kHoursPerDay) return -1;
  std::uint16_t l = g_eng_classes[c].week_grid[d][h];
  return (l == kGridFree || l >= kMaxLessons) ? -1 : l;
}
inline bool valid_class(int c) { return c >= 0 && c < kMaxClasses && c < g_eng_school.class_count; }
inline bool valid_teacher(int t) { return t >= 0 && t < kMaxTeachers && t < g_eng_school.teacher_count; }
// A teacher record that stands for a class's special calendar.
inline bool calendar_teacher(int t) { return valid_teacher(t) && g_eng_teachers[t].calendar_class >= 0; }
inline bool lesson_of_calendar_teacher(int l) { return l >= 0 && calendar_teacher(g_eng_lessons[l].teacher); }

// Calls f(lesson) for every lesson listed at a slot, holes skipped.
template <typename F>
inline void for_each_slot_lesson(int slot, F&& f) {
  const SlotLessonList& list = g_slot_lessons[slot];
  std::uint32_t n = list.count > kSlotListCapacity ? kSlotListCapacity : list.count;
  for (std::uint32_t i = 0; i < n; ++i) {
    int l = list.lesson[i];
    if (l >= 0 && l < kMaxLessons) f(l);
  }
}

// Display name of a class for report texts.
inline const char* class_text(int c) { return valid_class(c) ? g_eng_classes[c].display_name : ""; }

// Appends to a fixed text while it has room; never writes past size.
inline void append_text(char* text, int size, const char* format, ...) {
  int used = static_cast<int>(std::strlen(text));
  if (used >= size - 1) return;
  va_list args;
  va_start(args, format);
  std::vsnprintf(text + used, static_cast<std::size_t>(size - used), format, args);
  va_end(args);
}
