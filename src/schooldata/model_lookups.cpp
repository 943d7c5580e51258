// Lookups and appends by name over the working copy of the school model.
//
// Counts read from the model are bounded by the capacities before any loop,
// so a damaged count cannot lead past a table. A new record starts from the
// defaults that the pages expect: teachers with reset posts and unset
// constraints, classes with unset calendars and rooms, labs always
// available, lab groups with free slots. Linear searches: tables hold at
// most a few hundred names.
#include "schooldata/model_lookups.h"

#include <cstring>
#include <string>

#include "engine/shell_services.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "schooldata/ui_school_model.h"

namespace {

std::string g_error;

int fail(const char* it, const char* de, const char* en, const char* name) {
  const char* text[3] = {it, de, en};
  g_error = std::string(text[g_language < 3 ? g_language : 0]) + ": " + name;
  return -1;
}

void set_text(char* out, const char* text, std::size_t size) {
  std::size_t n = strnlen(text, size - 1);
  std::memcpy(out, text, n);
  out[n] = 0;
}

}  // namespace

const char* og_lookup_error() { return g_error.c_str(); }

int og_find_or_add_teacher(const char* name) {
  char clean[kUiNameSize];
  og_clean_name(clean, name);
  std::uint32_t count = g_ui_settings.teacher_count;
  if (count > kUiMaxTeachers) count = kUiMaxTeachers;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (std::strcmp(g_ui_teachers[i].name, clean) == 0) return static_cast<int>(i);
  }
  if (count >= kUiMaxTeachers) {
    return fail("Numero Professori Eccessivo", "Zu viele Lehrer", "Too many teachers", clean);
  }
  // A teacher is written as a line that starts with his name: a name the
  // engine would not take for a teacher line (a digit or a sign first)
  // would make every later save a school that no longer loads.
  if (!or_is_teacher_line(clean)) {
    return fail("Nome del Professore non valido", "Ungültiger Lehrername"_cp, "Invalid teacher name", clean);
  }
  og_init_teacher(static_cast<int>(count), clean);
  g_ui_settings.teacher_count = count + 1;
  return static_cast<int>(count);
}

int og_find_or_add_class(const char* code, int add) {
  std::size_t length = g_ui_structure.track_count >= 2 ? 3 : 2;
  char key[4] = {0, 0, 0, 0};
  std::strncpy(key, code, length);
  std::uint32_t count = g_ui_structure.class_count;
  if (count > kUiMaxClasses) count = kUiMaxClasses;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (std::strncmp(g_ui_structure.classes[i].code, key, length) == 0) {
      return static_cast<int>(i);
    }
  }
  if (!add) return -1;
  if (count >= kUiMaxClasses) {
    return fail("Numero Classi Eccessivo", "Zu viele Klassen", "Too many classes", key);
  }
  UiClass& c = g_ui_structure.classes[count];
  std::memset(&c, 0, sizeof c);
  for (std::size_t i = 0; i < length; ++i) c.code[i] = key[i] != 0 ? key[i] : ' ';
  c.preferred_room = -1;
  for (int r = 0; r < 30; ++r) c.forbidden_rooms[r] = -1;
  c.calendars[0].calendar_hours[0] = c.calendars[1].calendar_hours[0] = 255;
  g_ui_structure.class_count = count + 1;
  return static_cast<int>(count);
}

int og_find_or_add_lab(const char* name) {
  std::uint32_t count = g_ui_structure.lab_count;
  if (count > kUiMaxLabs) count = kUiMaxLabs;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (std::strcmp(g_ui_structure.labs[i].name, name) == 0) return static_cast<int>(i);
  }
  if (count >= kUiMaxLabs) {
    return fail("Numero Laboratori Eccessivo", "Zu viele Labore", "Too many labs", name);
  }
  UiLab& lab = g_ui_structure.labs[count];
  std::memset(&lab, 0, sizeof lab);
  set_text(lab.name, name, sizeof lab.name);
  lab.hours[0] = 255;
  g_ui_structure.lab_count = count + 1;
  return static_cast<int>(count);
}

int og_find_or_add_subject(const char* name, char type) {
  std::uint32_t count = g_ui_structure.subject_count;
  if (count > kUiMaxSubjects) count = kUiMaxSubjects;
  for (std::uint32_t i = 0; i < count; ++i) {
    const UiSubject& s = g_ui_structure.subjects[i];
    if (std::strcmp(s.name, name) != 0) continue;
    if (type == 'C' && s.type != 'C') {
      return fail("Errore: la materia è usata sia per conversazione sia come materia principale"_cp,
                  "Fehler: das Fach dient als Konversation und als Hauptfach",
                  "Error: the subject is used both as conversation and as main subject", name);
    }
    return static_cast<int>(i);
  }
  if (count >= kUiMaxSubjects) {
    return fail("Numero Materie Eccessivo", "Zu viele Faecher", "Too many subjects", name);
  }
  UiSubject& s = g_ui_structure.subjects[count];
  std::memset(&s, 0, sizeof s);
  set_text(s.name, name, sizeof s.name);
  s.type = type;
  g_ui_structure.subject_count = count + 1;
  return static_cast<int>(count);
}

int og_find_or_add_lab_group(const char* name) {
  char key[kUiNameSize];
  std::size_t n = 0;
  while (name[n] != 0 && name[n] != '|' && n < kUiNameSize - 1) {
    key[n] = name[n];
    ++n;
  }
  key[n] = 0;
  std::uint32_t count = g_ui_structure.lab_group_count;
  if (count > kUiMaxLabGroups) count = kUiMaxLabGroups;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (std::strcmp(g_ui_structure.lab_groups[i].name, key) == 0) return static_cast<int>(i);
  }
  if (count >= kUiMaxLabGroups) {
    return fail("Numero gruppi lab eccessivo", "Zu viele Laborgruppen", "Too many lab groups", key);
  }
  UiLabGroup& g = g_ui_structure.lab_groups[count];
  std::memset(&g, 0, sizeof g);
  set_text(g.name, key, sizeof g.name);
  for (int i = 0; i < 20; ++i) g.labs[i] = -1;
  g_ui_structure.lab_group_count = count + 1;
  return static_cast<int>(count);
}

std::vector<bool> og_subjects_with_lessons() {
  std::vector<bool> taught(kUiMaxSubjects, false);
  auto mark = [&](int s) {
    if (s >= 0 && s < kUiMaxSubjects) taught[static_cast<std::size_t>(s)] = true;
  };
  std::uint32_t teachers = g_ui_settings.teacher_count < kUiMaxTeachers ? g_ui_settings.teacher_count : kUiMaxTeachers;
  for (std::uint32_t t = 0; t < teachers; ++t) {
    const UiTeacher& teacher = g_ui_teachers[t];
    for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts; ++p) {
      const UiTeachingPost& post = teacher.posts[p];
      if (post.copy) continue;
      if (post.own.hours >= 1) mark(post.subject);
      if (post.partner_part.hours >= 1) mark(post.conversation_subject);
    }
  }
  return taught;
}
