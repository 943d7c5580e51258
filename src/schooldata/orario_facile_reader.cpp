// Readers of the Orario Facile data file (".ofd", tagged XML-like lines or
// the compact form whose first byte is 3) and of the Argo Darwin export
// (".drw", sections of key="value" lines). Each finds or adds subjects,
// teachers and classes (names in upper case, as the school files keep
// them), stores the lessons in the page's lesson table and rebuilds the
// study tracks from the class codes.
//
// Lessons without a first teacher, and Argo numbers outside the file's own
// lists, are skipped: they would name nobody. Each lesson of the tagged form
// starts with 1 hour unless it gives its own duration. Lines are bounded at
// 12167 characters as the other school files.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/text_lines.h"
#include "schooldata/import_names.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/ui_school_model.h"

namespace {

constexpr std::size_t kImportLineLimit = 12167;
constexpr char kItem = 2;  // item separator of the compact form

// False after telling why: no file, or one that cannot be read whole.
bool read_lines(const std::string& path, std::vector<std::string>& lines, const ImportTell& tell) {
  std::string why;
  SchoolLines read = og_read_import_lines(path, kImportLineLimit, [&](const std::string& text) {
    std::string line = text;
    while (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() + 1 >= 3) lines.push_back(line);  // the line end counts
    return true;
  }, &why);
  if (read == SchoolLines::kRead) return true;
  if (tell) tell(read == SchoolLines::kMissing ? og_import_missing_file_text(path) : why);
  return false;
}

std::string upper_line(const std::string& line) {
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\n');
  buffer.resize(buffer.size() + 4, 0);
  or_normalize_line(buffer.data(), 1);
  std::string out = buffer.data();
  while (!out.empty() && (out.back() == '\n' || out.back() == '|')) out.pop_back();
  return out;
}

// The text after VALUE=" up to "/>; false when the line has not both.
bool tag_value(const std::string& line, std::string& value) {
  std::size_t start = line.find("VALUE=\"");
  if (start == std::string::npos) return false;
  start += 7;
  std::size_t end = line.find("\"/>", start);
  if (end == std::string::npos) return false;
  value = line.substr(start, end - start);
  return true;
}

struct TaggedLesson {
  bool in_lesson = false, in_teacher = false, in_group = false;
  int subject = -1, class_index = -1, teachers[2] = {-1, -1}, counter = 0, hours = 1;
};

int read_tagged(const std::vector<std::string>& lines, ImportedLessons& out, const ImportTell& tell) {
  TaggedLesson l;
  for (const std::string& raw : lines) {
    std::string line = upper_line(raw);
    std::string value;
    if (line.find("<LESSON>") != std::string::npos) {
      l = TaggedLesson();
      l.in_lesson = true;
    } else if (line.find("</LESSON>") != std::string::npos) {
      if (l.in_lesson && l.teachers[0] >= 0) out.Add(l.teachers[0], l.teachers[1], l.class_index, l.subject, l.hours);
      l.in_lesson = false;
    } else if (line.find("<TEACHER>") != std::string::npos) {
      l.in_teacher = true;
    } else if (line.find("</TEACHER>") != std::string::npos) {
      l.in_teacher = false;
      ++l.counter;
    } else if (line.find("<GROUP>") != std::string::npos) {
      l.in_group = true;
    } else if (line.find("</GROUP>") != std::string::npos) {
      l.in_group = false;
    } else if (!l.in_lesson || !tag_value(line, value)) {
      continue;
    } else if (line.find("<SUBJECT ") != std::string::npos) {
      if ((l.subject = og_import_subject(value, tell)) < 0) return -1;
    } else if (line.find("<DURATION ") != std::string::npos) {
      l.hours = std::atoi(value.c_str());
    } else if (line.find("<TIME ") != std::string::npos) {
    } else if (line.find("<NAME ") != std::string::npos) {
      if (l.in_teacher && l.counter < 2) {
        if ((l.teachers[l.counter] = og_import_teacher(value, tell)) < 0) return -1;
      } else if (l.in_group) {
        l.class_index = og_import_class(value, tell);
        if (l.class_index == kImportLimitReached) return -1;
      }
    }
  }
  return 0;
}

// Items enclosed by byte-2 pairs inside the first braces after `key`.
std::vector<std::string> braced_items(const std::string& line, const char* key) {
  std::vector<std::string> items;
  std::size_t at = line.find(key);
  if (at == std::string::npos) return items;
  std::size_t open = line.find('{', at), close = line.find('}', at);
  if (open == std::string::npos || close == std::string::npos || close < open) return items;
  std::string inside = line.substr(open + 1, close - open - 1);
  std::vector<char> item(inside.size() + 1);
  for (std::size_t p = inside.find(kItem); p != std::string::npos;) {
    const char* end = or_copy_to_char(item.data(), inside.c_str() + p + 1, kItem);
    if (*end != kItem) break;
    items.emplace_back(item.data());
    p = inside.find(kItem, static_cast<std::size_t>(end - inside.c_str()) + 1);
  }
  return items;
}

int read_compact(const std::vector<std::string>& lines, ImportedLessons& out, const ImportTell& tell) {
  const std::string marker = std::string("_LESSON ") + kItem;
  for (const std::string& raw : lines) {
    std::string line = upper_line(raw);
    std::size_t at = line.find(marker);
    if (at == std::string::npos) continue;
    // The subject runs to the next item mark, at most 20 characters.
    char subject_name[kUiNameSize];
    or_copy_to_char_max(subject_name, line.c_str() + at + marker.size(), kItem, 20);
    int subject = og_import_subject(subject_name, tell);
    if (subject < 0) return -1;
    std::size_t size = line.find("_TIMESIZE=");
    int hours = size == std::string::npos ? 1 : std::atoi(line.c_str() + size + 10);
    std::vector<std::string> names = braced_items(line, "_TEACHERS");
    int teachers[2] = {-1, -1};
    for (std::size_t k = 0; k < 2 && k < names.size(); ++k) {
      if (names[k].empty()) continue;
      if ((teachers[k] = og_import_teacher(names[k], tell)) < 0) return -1;
    }
    std::vector<std::string> groups = braced_items(line, "_GROUPS");
    int class_index = groups.empty() ? kImportNoClass : og_import_class(groups[0], tell);
    if (class_index == kImportLimitReached) return -1;
    if (teachers[0] >= 0) out.Add(teachers[0], teachers[1], class_index, subject, hours);
  }
  return 0;
}

int finish(const char* title, const ImportTell& tell) {
  if (og_rebuild_tracks_from_classes(false, tell) < 0) return -1;
  og_import_default_title(title);
  return 0;
}

// The double-quoted value after key in line; false when there is none.
bool quoted(const std::string& line, const char* key, std::string& value, std::size_t from = 0) {
  std::size_t at = line.find(key, from);
  if (at == std::string::npos) return false;
  std::size_t open = line.find('"', at + std::strlen(key));
  if (open == std::string::npos) return false;
  std::vector<char> text(line.size() + 1);
  if (*or_copy_to_char(text.data(), line.c_str() + open + 1, '"') != '"') return false;
  value = text.data();
  return true;
}

// Names as the other imports take them: their lines are upper-cased before
// the names are looked up, and the school files keep names in upper case;
// a name left in the file's own case would stand next to the school's
// ("Matematica" beside "MATEMATICA") and be saved as a second one of it.
std::string upper_name(const std::string& name) {
  std::string out = name;
  for (char& c : out) c = static_cast<char>(or_fold_upper_char(static_cast<unsigned char>(c)));
  return out;
}

int number_after(const std::string& line, const char* key) {
  std::size_t at = line.find(key);
  if (at == std::string::npos) return -1;
  const char* p = line.c_str() + at + std::strlen(key);
  if (*p < '0' || *p > '9') return -1;
  return std::atoi(p);
}

}  // namespace

int og_read_orario_facile(const std::string& path, ImportedLessons& out, const ImportTell& tell) {
  out.lessons.clear();
  std::vector<std::string> lines;
  if (!read_lines(path, lines, tell)) return -1;
  bool compact = false;
  for (const std::string& line : lines) {
    if (line.compare(0, 4, "<?xm") == 0) break;
    if (line[0] == 3) {
      compact = true;
      break;
    }
  }
  int read = compact ? read_compact(lines, out, tell) : read_tagged(lines, out, tell);
  if (read < 0) return -1;
  return finish("Attenzione: Scuola Creata da dati sistema ORARIO FACILE - Definire il nome", tell);
}

int og_read_argo_darwin(const std::string& path, ImportedLessons& out, const ImportTell& tell) {
  out.lessons.clear();
  std::vector<std::string> lines;
  if (!read_lines(path, lines, tell)) return -1;
  enum { kNone, kSubjects, kClasses, kTeachers, kActivities } section = kNone;
  // The activities number the file's own subjects, classes and teachers in
  // the order of its sections; in a school that already has some, each
  // stands where it was found or added, so the numbers go through these.
  std::vector<int> subjects, classes, teachers;
  auto at = [](const std::vector<int>& found, int number) {
    return number >= 0 && number < static_cast<int>(found.size()) ? found[number] : -1;
  };
  for (const std::string& line : lines) {
    if (line[0] == '}') {
      section = kNone;
      continue;
    }
    if (line.compare(0, 8, "_materie") == 0) section = kSubjects;
    else if (line.compare(0, 7, "_classi") == 0) section = kClasses;
    else if (line.compare(0, 8, "_docenti") == 0) section = kTeachers;
    else if (line.compare(0, 9, "_attivita") == 0) section = kActivities;
    if (line[0] == '_') continue;
    std::string value, second;
    if (section == kSubjects && quoted(line, "nome=", value)) {
      int found = og_import_subject(upper_name(value), tell);
      if (found < 0) return -1;
      subjects.push_back(found);
    } else if (section == kClasses && quoted(line, "nome=", value)) {
      int found = og_import_class(value, tell);
      if (found == kImportLimitReached) return -1;
      classes.push_back(found);  // a name that gives no class keeps its number
    } else if (section == kTeachers && quoted(line, "cognome=", value)) {
      std::size_t after = line.find("cognome=") + 8;
      if (quoted(line, "conome=", second, after)) value += " " + second;
      int found = og_import_teacher(upper_name(value), tell);
      if (found < 0) return -1;
      teachers.push_back(found);
    } else if (section == kActivities) {
      int subject = at(subjects, number_after(line, "materia="));
      int class_index = at(classes, number_after(line, "classi=("));
      int teacher = at(teachers, number_after(line, "docenti=("));
      int second_teacher = -1;
      std::size_t docenti = line.find("docenti=(");
      std::size_t comma = docenti == std::string::npos ? std::string::npos : line.find(',', docenti);
      bool partner = comma != std::string::npos && line[comma + 1] >= '0' && line[comma + 1] <= '9';
      if (partner) second_teacher = at(teachers, std::atoi(line.c_str() + comma + 1));
      if (subject >= 0 && teacher >= 0 && class_index >= 0 && (!partner || second_teacher >= 0)) {
        out.Add(teacher, second_teacher, class_index, subject, -1);
      }
    }
  }
  return finish("Attenzione: Scuola Creata da dati sistema DARWIN ARGO - Definire il nome", tell);
}
