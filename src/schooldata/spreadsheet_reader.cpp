// Reads spreadsheet text (see spreadsheet_reader.h): each line's quoted
// cells unquoted, then normalised (TAB and '|' both separate, runs count
// once, upper case), its columns
// resolved against the model, one row per line with hours above 0.
//
// A lab that bears a subject's name is renamed ("_LAB" appended, or its
// letters raised) so that labs and subjects never share a name. A line
// whose teacher column is empty names nobody and is skipped.
#include "schooldata/spreadsheet_reader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/shell_services.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "schooldata/import_names.h"
#include "schooldata/model_lookups.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/ui_school_model.h"

namespace {

constexpr std::size_t kSheetLineLimit = 12167;

UiSchoolStructure& st = g_ui_structure;

bool subject_named(const std::string& name) {
  int count = static_cast<int>(st.subject_count < kUiMaxSubjects ? st.subject_count : kUiMaxSubjects);
  for (int s = 0; s < count; ++s) {
    if (name == st.subjects[s].name) return true;
  }
  return false;
}

int lab_named(const std::string& name) {
  int count = static_cast<int>(st.lab_count < kUiMaxLabs ? st.lab_count : kUiMaxLabs);
  for (int l = 0; l < count; ++l) {
    if (name == st.labs[l].name) return l;
  }
  return -1;
}

void set_name(char* out, const std::string& name) {
  std::memset(out, 0, kUiNameSize);
  std::memcpy(out, name.data(), name.size() < kUiNameSize - 1 ? name.size() : kUiNameSize - 1);
}

int import_lab(const std::string& raw, const ImportTell& tell) {
  std::string name = og_import_subject_name(raw);
  std::string before;
  for (int guard = 0; subject_named(name) && guard < 2000; ++guard) {
    if (before.empty()) before = name;
    if (name.size() < 16) {
      name += "_LAB";
      continue;
    }
    for (char& c : name) {
      if (c < 'A' || c > 'Z') continue;
      c = c == 'Z' ? 'A' : static_cast<char>(c + 1);
      if (!subject_named(name)) break;
    }
  }
  if (!before.empty()) {
    int old = lab_named(before);
    if (old >= 0) set_name(st.labs[old].name, name);
  }
  int found = lab_named(name);
  if (found >= 0) return found;
  int count = static_cast<int>(st.lab_count < kUiMaxLabs ? st.lab_count : kUiMaxLabs);
  if (count >= kUiMaxLabs) {
    char text[80];
    std::snprintf(text, sizeof text, "Numero laboratori eccede il limite di %d", kUiMaxLabs);
    if (tell) tell(text);
    return kImportLimitReached;
  }
  UiLab& lab = st.labs[count];
  std::memset(&lab, 0, sizeof lab);
  set_name(lab.name, name);
  lab.hours[0] = 255;
  st.lab_count = static_cast<std::uint32_t>(count + 1);
  return count;
}

int co_presence_subject() {
  static const char* const kWord[3] = {"Compresenza", "Mitanwesenheit", "Twin Teacher"};
  const char* word = kWord[g_language < 3 ? g_language : 0];
  int count = static_cast<int>(st.subject_count < kUiMaxSubjects ? st.subject_count : kUiMaxSubjects);
  for (int s = 0; s < count; ++s) {
    // Any case: the structure file stores subject names in upper case.
    if (kt::cp1252_casecmp(st.subjects[s].name, word) == 0 && st.subjects[s].type == 'C') return s;
  }
  if (count >= kUiMaxSubjects) return -1;
  UiSubject& s = st.subjects[count];
  std::memset(&s, 0, sizeof s);
  set_name(s.name, word);
  s.type = 'C';
  st.subject_count = static_cast<std::uint32_t>(count + 1);
  return count;
}

// A line's cells joined by '|' with their quotes read as spreadsheets write
// them: a cell that begins with '"' runs to the closing '"', a doubled '"'
// inside is one '"', and a TAB or '|' inside stays in the cell (as a blank
// or '_', as names are cleaned: '|' separates the school files' fields). A
// '"' inside an unquoted cell is kept; an unclosed quote runs to the end of
// the line.
std::string unquoted_cells(const std::string& line) {
  std::string out;
  std::size_t i = 0;
  for (;;) {
    if (i < line.size() && line[i] == '"') {
      for (++i; i < line.size(); ++i) {
        char c = line[i];
        if (c == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            out += '"';
            ++i;
            continue;
          }
          ++i;
          break;
        }
        out += c == '\t' ? ' ' : c == '|' ? '_' : c;
      }
    }
    while (i < line.size() && line[i] != '\t' && line[i] != '|') out += line[i++];
    if (i >= line.size()) return out;
    out += '|';
    ++i;
  }
}

// -1 stops the read; 0 the line gave no row or a row.
int read_line(const std::vector<std::string>& f, SpreadsheetImport& out, const ImportTell& tell) {
  if (f.size() < 4) return 0;
  int hours = std::atoi(f[3].c_str());
  if (hours <= 0 || f[1].empty()) return 0;
  int subject = og_import_subject(f[0], tell);
  if (subject < 0) return -1;
  int teacher = og_import_teacher(f[1], tell);
  if (teacher < 0) return -1;
  std::string test;
  std::size_t next = 4;
  if (f.size() > 4 && f[4].size() < 2) test = f[next++];
  int co_teacher = -1, co_hours = 0, lab = -1;
  bool co_presence = f.size() > next + 1 && !f[next].empty() && f[next + 1][0] > '0';
  if (co_presence) {
    co_teacher = og_import_teacher(f[next], tell);
    if (co_teacher < 0) return -1;
    co_hours = std::atoi(f[next + 1].c_str());
    if (co_hours > hours) co_hours = hours;
    if (f.size() > next + 2 && !f[next + 2].empty()) {
      if ((lab = import_lab(f[next + 2], tell)) < 0) return -1;
    } else if (out.co_presence_subject < 0) {
      out.co_presence_subject = co_presence_subject();
    }
  }
  int class_index = og_import_class(f[2], tell);
  if (class_index == kImportLimitReached) return -1;
  out.AddRow(teacher, class_index, subject, hours, test, co_teacher, co_hours, lab);
  return 0;
}

}  // namespace

std::string og_spreadsheet_test_pattern(const std::string& test, int hours) {
  std::string pattern;
  if (!test.empty() && (test[0] == 'S' || test[0] == 'Y' || test[0] == 'J')) {
    pattern.push_back('2');
  } else {
    for (char c : test) {
      if (c < '1' || c > '9' || pattern.size() >= 12) break;
      pattern += c;
    }
  }
  auto sum = [&] {
    int total = 0;
    for (char c : pattern) total += c - '0';
    return total;
  };
  if (sum() > hours) {
    int running = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
      while (running + (pattern[i] - '0') > hours && pattern[i] > '0') --pattern[i];
      if (pattern[i] == '0') {
        pattern.resize(i);
        break;
      }
      running += pattern[i] - '0';
    }
  }
  if (hours >= 9 && !pattern.empty() && pattern[0] < '3') pattern.clear();
  return pattern;
}

void SpreadsheetImport::AddRow(int teacher, int class_index, int subject, int hours, const std::string& test,
                               int co_teacher, int co_hours, int lab) {
  if (class_index < 0 || rows.size() >= kImportedLessonLimit) return;
  SpreadsheetRow row;
  row.number = static_cast<std::int32_t>(rows.size()) + 1;
  row.teacher = teacher;
  row.class_index = class_index;
  row.subject = subject;
  row.hours = static_cast<std::uint8_t>(hours > 84 ? 84 : hours);
  row.co_teacher = co_teacher;
  row.lab = lab;
  row.co_hours = static_cast<std::uint8_t>(co_hours < 0 ? 0 : co_hours > 84 ? 84 : co_hours);
  std::string pattern = og_spreadsheet_test_pattern(test, row.hours);
  std::memcpy(row.test_pattern, pattern.data(), pattern.size());
  rows.push_back(row);
}

int og_read_spreadsheet_text(const std::string& path, SpreadsheetImport& out, const ImportTell& tell) {
  out = SpreadsheetImport();
  std::string why;
  int failed = 0;
  SchoolLines read = og_read_import_lines(path, kSheetLineLimit, [&](const std::string& text) {
    std::string line = unquoted_cells(text);
    while (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() + 1 < 3) return true;
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\n');
    buffer.resize(buffer.size() + 4, 0);
    or_normalize_line(buffer.data(), 1);
    std::string normal = buffer.data();
    while (!normal.empty() && (normal.back() == '\n' || normal.back() == '\r')) normal.pop_back();
    std::vector<std::string> fields = og_step_fields(normal, kUiNameSize - 1);
    failed = read_line(fields, out, tell) < 0;
    return !failed;
  }, &why);
  if (read != SchoolLines::kRead) {
    if (tell) tell(read == SchoolLines::kMissing ? og_import_missing_file_text(path) : why);
    return -1;
  }
  if (failed) return -1;
  if (og_rebuild_tracks_from_classes(true, tell) < 0) return -1;
  if (st.track_count >= 2) {
    for (SpreadsheetRow& row : out.rows) row.track = og_track_of_class(row.class_index);
  }
  og_import_default_title("Attenzione: Scuola Creata da file Excel - Definire il nome");
  return 0;
}
