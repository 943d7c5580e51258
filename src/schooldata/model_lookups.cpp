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
#include <utility>
#include <vector>

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
  // A short code is stored padded with blanks ("1 "): a blank and the end
  // of the code are the same, or "1" would never find the class it made.
  auto same = [length](const char* a, const char* b) {
    for (std::size_t i = 0; i < length; ++i) {
      char x = a[i] != 0 ? a[i] : ' ', y = b[i] != 0 ? b[i] : ' ';
      if (x != y) return false;
      if (a[i] == 0 && b[i] == 0) return true;
    }
    return true;
  };
  for (std::uint32_t i = 0; i < count; ++i) {
    if (same(g_ui_structure.classes[i].code, key)) return static_cast<int>(i);
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

namespace {

// Names longer than a name field met since og_forget_long_subject_names,
// with the subject each became, and the notices of names made unique.
std::vector<std::pair<std::string, int>> g_long_subject_names;
std::vector<std::string> g_subject_notices;

int long_name_owner(int subject) {
  for (const auto& [full, index] : g_long_subject_names) {
    if (index == subject) return 1;
  }
  return 0;
}

}  // namespace

void og_forget_long_subject_names() {
  g_long_subject_names.clear();
  g_subject_notices.clear();
}

const std::vector<std::string>& og_subject_notices() { return g_subject_notices; }

int og_find_or_add_subject(const char* name, char type) {
  std::uint32_t count = g_ui_structure.subject_count;
  if (count > kUiMaxSubjects) count = kUiMaxSubjects;
  // The model keeps 20 characters of a name. A longer one is the subject it
  // became the first time; another long name with the same 20 characters is
  // another subject, whose name is made unique rather than merged.
  const std::string full = name;
  const bool is_long = full.size() > kUiNameSize - 1;
  char field[kUiNameSize];
  set_text(field, name, sizeof field);
  int found = -1;
  for (const auto& [seen, index] : g_long_subject_names) {
    if (is_long && seen == full) found = index;
  }
  for (std::uint32_t i = 0; i < count && found < 0; ++i) {
    if (std::strcmp(g_ui_structure.subjects[i].name, field) != 0) continue;
    if (is_long && long_name_owner(static_cast<int>(i))) {
      std::string taken = field;
      for (const char* c = "23456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"; *c != 0; ++c) {
        field[kUiNameSize - 2] = *c;
        bool free = true;
        for (std::uint32_t j = 0; j < count && free; ++j) free = std::strcmp(g_ui_structure.subjects[j].name, field) != 0;
        if (free) break;
      }
      const char* text[3] = {"La materia %s si chiama ora %s: i suoi primi 20 caratteri erano quelli di %s",
                             "Das Fach %s hei\xDFt nun %s: seine ersten 20 Zeichen waren die von %s",
                             "The subject %s is now called %s: its first 20 characters were those of %s"};
      char notice[400];
      std::snprintf(notice, sizeof notice, text[g_language < 3 ? g_language : 0], name, field, taken.c_str());
      g_subject_notices.push_back(notice);
      break;
    }
    found = static_cast<int>(i);
  }
  if (found >= 0) {
    const UiSubject& s = g_ui_structure.subjects[found];
    if (type == 'C' && s.type != 'C') {
      return fail("Errore: la materia è usata sia per conversazione sia come materia principale"_cp,
                  "Fehler: das Fach dient als Konversation und als Hauptfach",
                  "Error: the subject is used both as conversation and as main subject", name);
    }
    if (is_long) g_long_subject_names.emplace_back(full, found);
    return found;
  }
  if (count >= kUiMaxSubjects) {
    return fail("Numero Materie Eccessivo", "Zu viele Fächer"_cp, "Too many subjects", name);
  }
  UiSubject& s = g_ui_structure.subjects[count];
  std::memset(&s, 0, sizeof s);
  set_text(s.name, field, sizeof s.name);
  s.type = type;
  g_ui_structure.subject_count = count + 1;
  if (is_long) g_long_subject_names.emplace_back(full, static_cast<int>(count));
  return static_cast<int>(count);
}

int og_find_or_add_lab_group(const char* name) {
  char key[kUiNameSize];
  or_copy_to_char_max(key, name, '|', kUiNameSize - 1);
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
