// A hand-built school for the tests of the later evaluator families and the
// moves: a few teachers and classes, lessons placed one by one at chosen
// slots, then the slot index, the grids, the class lesson lists and the
// teachers' lesson and class lists rebuilt as the solver keeps them. Hours
// are given from 0 (grid indexes).
#pragma once

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "engine/presolve.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/constraint_catalogue.h"
#include "solver/constraint_parameters.h"
#include "solver/placement_state.h"

inline void mini_school(int days = 5, int hours = 6, int teachers = 4, int classes = 3) {
  or_reset_model();
  reset_run_state();
  or_reset_constraint_parameters();
  g_provisional_mode = 0;
  g_eng_run.days_per_week = static_cast<std::uint8_t>(days);
  for (int d = 0; d < days; ++d) {
    g_eng_school.hours_per_day[d] = static_cast<std::uint8_t>(hours);
    g_eng_school.provisional_hours_per_day[d] = static_cast<std::uint8_t>(hours);
    std::snprintf(g_eng_school.day_codes[d], 3, "G%d", d);
    std::snprintf(g_eng_school.day_abbrevs[d], 4, "D%02d", d);
  }
  g_eng_school.teacher_count = teachers;
  g_eng_school.class_count = classes;
  g_eng_school.real_class_count = classes;
  g_eng_school.room_count = classes;
  for (int t = 0; t < teachers; ++t) {
    std::snprintf(g_eng_teachers[t].name, kNameSize, "PROF%d", t);
    g_eng_teachers[t].calendar_class = -1;
    g_eng_teachers[t].partner = -1;
    g_eng_teachers[t].weight = 1;
    g_eng_teachers[t].main_teacher = -1;
  }
  for (int c = 0; c < classes; ++c) {
    std::snprintf(g_eng_classes[c].code, kClassCodeSize, "%dA", c + 1);
    std::snprintf(g_eng_classes[c].display_name, sizeof g_eng_classes[c].display_name, "%dA", c + 1);
    g_eng_classes[c].weight = 1;
    g_eng_classes[c].special_calendar[0] = kNotConfigured;
    g_eng_rooms[c].home_class = static_cast<std::int16_t>(c);
    for (int s = 0; s < kWeekSlots; ++s) g_eng_rooms[c].availability[s] = 1;
  }
}

// Appends a placed lesson; returns its index.
inline int add_lesson(int teacher, int class_index, int day, int hour, int line = 0) {
  int l = g_eng_school.lesson_count++;
  EngineLesson& x = g_eng_lessons[l];
  or_clear_lesson(x);
  x.teacher = teacher;
  x.class_index = class_index;
  x.room = class_index;
  x.second_teacher = -1;
  x.common_room = -1;
  x.second_common_room = -1;
  x.lab_group = -1;
  x.best_room = -1;
  x.chosen_laboratory = -1;
  x.incompatible_subject = -1;
  x.building = -1;
  x.line_number = line;
  x.part_line_number = -1;
  x.day = static_cast<std::uint8_t>(day);
  x.hour = static_cast<std::uint8_t>(hour);
  return l;
}

// Slot index, grids, class lesson lists and teacher class lists.
inline void rebuild_mini_school() {
  or_rebuild_slot_index();
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
  for (int c = 0; c < g_eng_school.class_count; ++c) g_eng_classes[c].lesson_index_count = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    g_eng_teachers[t].lesson_count = 0;
    g_eng_teachers[t].class_count = 0;
    for (std::int16_t& c : g_eng_teachers[t].class_indexes) c = -1;
  }
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    EngineClass& c = g_eng_classes[x.class_index];
    if (c.lesson_index_count < kWeekSlots) c.lesson_indexes[c.lesson_index_count++] = static_cast<std::int16_t>(l);
    EngineTeacher& t = g_eng_teachers[x.teacher];
    if (t.lesson_count < kWeekSlots) t.lesson_indexes[t.lesson_count++] = static_cast<std::int16_t>(l);
    int pos = 0;
    while (pos < t.class_count && t.class_indexes[pos] != x.class_index) ++pos;
    if (pos == t.class_count && pos < kWeekSlots) {
      t.class_indexes[pos] = static_cast<std::int16_t>(x.class_index);
      t.class_hours[pos] = 0;
      ++t.class_count;
    }
    if (pos < kWeekSlots) ++t.class_hours[pos];
  }
}

// Places the lessons in table order at (day, hour) pairs; every lesson
// takes the building of its class.
inline void place_in_order(std::initializer_list<std::pair<int, int>> slots) {
  or_assign_class_buildings(0);
  int l = 0;
  for (const auto& [day, hour] : slots) {
    g_eng_lessons[l].day = static_cast<std::uint8_t>(day);
    g_eng_lessons[l].hour = static_cast<std::uint8_t>(hour);
    ++l;
  }
  rebuild_mini_school();
}

// Violation count of one id for one teacher (or class), through its delta
// check with every weight 1.
inline std::int64_t delta_of(int id, int who) { return g_evaluators[id].delta(who); }
