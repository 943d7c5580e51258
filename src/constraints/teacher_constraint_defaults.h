// Defaults of a teacher's constraints: the number of teaching days, the
// least lesson hours in a day, the most presence and lesson hours in a day
// and the derogations that raise those maxima follow from the teacher's
// weekly load through the general parameters. The teacher page shows them
// in the fields left unset (fill) and takes every value equal to its
// default out of the record before it checks or saves (strip), so the
// school description holds only the teacher's own deviations.
//
// Invariants: strip after fill with nothing edited gives back the record
// as it was before fill; the default derogation lists are those computed
// at the last fill, kept by the caller between fill and strip.
#pragma once

#include "schooldata/ui_school_model.h"

struct TeacherDefaults {
  int gmin = -1, gmax = -1, insegnamin = -1, presenza = -1, insegna = -1;
  bool one_class = false;  // all posts in one class with 3 or more hours
  UiHq2Table lesson{}, presence{};  // the default derogation lists
  int shown_gmax = -1;              // GMAX as shown after the last fill
};

// Weekly lesson hours of a teacher: a post's own hours, a partner copy's
// second-part hours.
int vipro_lesson_hours(const UiTeacher& t);
// Computes the defaults of a teacher (the derogation lists included).
TeacherDefaults vipro_compute_defaults(const UiTeacher& t);
void vipro_fill_defaults(UiTeacher& t, TeacherDefaults& d);
void vipro_strip_defaults(UiTeacher& t, const TeacherDefaults& d);
