// A synthetic school for the neighbourhood moves' sweeps: six classes of 28
// lessons on a week of five six-hour days, twelve teachers with random day
// limits and rests, each class in its own room, every lesson placed, and the
// search in its staged phase.
#pragma once

#include <cstdint>

#include "engine/engine_random.h"
#include "eval2_mini_school.h"
#include "school_fixture.h"

inline void build_sweep_school(std::uint64_t seed) {
  SchoolSpec spec;
  spec.classes = 6;
  spec.days = 5;
  spec.hours = 6;
  spec.lessons_per_class = 28;
  spec.teachers = 12;
  build_school(spec, seed);
  or_reset_constraint_parameters();
  g_eng_school.room_count = spec.classes;
  for (int c = 0; c < spec.classes; ++c) g_eng_rooms[c].home_class = static_cast<std::int16_t>(c);
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    g_eng_lessons[l].line_number = l / 3;
    g_eng_lessons[l].lab_group = -1;
    g_eng_lessons[l].best_room = -1;
    g_eng_lessons[l].incompatible_subject = -1;
  }
  place_all_lessons();
  rebuild_mini_school();
  EngineRandom r(seed + 100);
  for (int t = 0; t < spec.teachers; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    x.riposo = static_cast<std::int8_t>(2 + r.below(2));
    x.buk[1] = static_cast<std::int8_t>(r.below(3));
    x.dimpe[r.below(5)] = static_cast<std::int8_t>(1 + r.below(6));
    x.om[0] = 3;
  }
  g_solver.search_phase = 2;
}
