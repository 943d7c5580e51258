// Builders of a small school in the user interface's model for the page
// tests of the structure and constraint editors: a name written into a
// fixed field, a subject, a teaching post of a teacher. They append to the
// model's tables as they stand, so a test clears the model first; names
// longer than a field are cut, never written past it.
#pragma once

#include <cstdint>
#include <cstring>

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
