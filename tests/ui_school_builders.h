// Builders of a small school in the user interface's model for the page
// tests of the structure and constraint editors: a name written into a
// fixed field, a subject, a teaching post of a teacher. They append to the
// model's tables as they stand, so a test clears the model first; names
// longer than a field are cut, never written past it.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "schooldata/model_utilities.h"
#include "schooldata/ui_school_model.h"

inline void name_into(char* field, const char* name) {
  std::memset(field, 0, kUiNameSize);
  std::strncpy(field, name, kUiNameSize - 1);
}

inline int add_subject(const char* name, char type = 'N') {
  int s = int(g_ui_structure.subject_count++);
  name_into(g_ui_structure.subjects[s].name, name);
  g_ui_structure.subjects[s].type = type;
  return s;
}

inline UiTeachingPost& add_post(int teacher, int subject, int class_index, int hours) {
  UiTeacher& t = g_ui_teachers[teacher];
  UiTeachingPost& post = t.posts[t.post_count++];
  og_reset_teaching_post(post);
  post.subject = subject;
  post.class_index = class_index;
  post.own.hours = std::int8_t(hours);
  return post;
}

// A new school with the program's defaults: one track "Ordinario" with
// section A, the given classes (codes of three characters) and six hours on
// five days.
inline void new_ui_school(std::initializer_list<const char*> classes) {
  og_clear_structure();
  og_clear_school_blocks();
  og_set_new_structure_defaults();
  og_set_new_school_defaults(-1);
  for (int d = 0; d < 5; ++d) g_ui_header.hours_per_day[d] = 6;
  name_into(g_ui_structure.track_names[0], "Ordinario");
  g_ui_structure.sections[0][0] = 1;
  for (const char* code : classes) std::memcpy(g_ui_structure.classes[g_ui_structure.class_count++].code, code, 4);
}

// Teachers ROSSI (0) and BIANCHI (1) without posts, and lab 0 "LAB SCIENZE",
// always open.
inline void add_rossi_bianchi_and_lab() {
  g_ui_structure.lab_count = 1;
  name_into(g_ui_structure.labs[0].name, "LAB SCIENZE");
  g_ui_structure.labs[0].hours[0] = 255;
  og_init_teacher(0, "ROSSI");
  og_init_teacher(1, "BIANCHI");
  g_ui_settings.teacher_count = 2;
}

// A post in lab 0 with a partner teaching part of its hours.
inline UiTeachingPost& add_lab_post(int teacher, int subject, int class_index, int hours, int partner,
                                    int partner_hours) {
  UiTeachingPost& post = add_post(teacher, subject, class_index, hours);
  post.lab = 0;
  post.partner = partner;
  post.partner_part.hours = std::int8_t(partner_hours);
  return post;
}
