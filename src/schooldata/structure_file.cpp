// Reader and writer of "scuola1.txt". Lines are "KEY:" followed by fields
// separated by '|'; every line but the title and the service memo is read
// upper-cased, but for the classroom names, which keep their case. The writer
// puts 20 classes per "CLASSI:" line and 4 subjects per "MATERIE:" line,
// counting records it skips, and ends after "MATERIE:" unless classroom
// assignment is in use.
#include "schooldata/structure_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/shell_services.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "schooldata/description_reader_parts.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/school_files.h"
#include "schooldata/status_info.h"
#include "schooldata/ui_school_model.h"

namespace {

std::string g_error;
UiSchoolStructure& st = g_ui_structure;

void copy_text(char* out, const std::string& text, std::size_t size) {
  std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(out, text.data(), n);
  out[n] = 0;
}

// One text per language: Italian, German, English. The reader adds the
// file, the line's number and the line as the file holds it.
std::string fail(const char* it, const char* de, const char* en, const std::string&) {
  const char* text[3] = {it, de, en};
  g_error = text[g_language < 3 ? g_language : 0];
  return g_error;
}

int find_class(const char* code) {
  for (std::uint32_t i = 0; i < st.class_count && i < kUiMaxClasses; ++i) {
    if (std::strcmp(st.classes[i].code, code) == 0) return static_cast<int>(i);
  }
  return -1;
}

std::string class_code_of(const std::string& field) {
  std::size_t length = st.track_count >= 2 ? 3 : 2;
  std::string code = field.substr(0, length);
  if (code.size() == 3 && !or_is_letter(static_cast<unsigned char>(code[2]))) code[2] = ' ';
  return code;
}

int classroom_index(const std::string& name, bool add) {
  std::string cut = name.substr(0, kUiNameSize - 1);
  for (std::uint32_t i = 0; i < st.classroom_count && i < kUiMaxClassrooms; ++i) {
    if (cut == st.classroom_names[i]) return static_cast<int>(i);
  }
  if (!add || st.classroom_count >= kUiMaxClassrooms) return -1;
  copy_text(st.classroom_names[st.classroom_count], cut, kUiNameSize);
  return static_cast<int>(st.classroom_count++);
}

bool read_tracks(const std::vector<std::string>& fields, const std::string& line) {
  for (const std::string& f : fields) {
    if (st.track_count >= kUiMaxTracks) {
      fail("Numero indirizzi eccessivo", "Zu viele Studienrichtungen", "Too many study tracks",
           line);
      return false;
    }
    std::size_t dash = f.find('-');
    int t = st.track_count++;
    copy_text(st.track_names[t], f.substr(0, dash), kUiNameSize);
    if (dash == std::string::npos) continue;
    for (std::size_t i = dash + 1; i < f.size(); ++i) {
      unsigned char c = static_cast<unsigned char>(f[i]);
      if (c >= 'A' && c <= 'Z') st.sections[t][c - 'A'] = 1;
    }
  }
  return true;
}

bool read_classes(const std::vector<std::string>& fields, const std::string& line) {
  for (const std::string& f : fields) {
    if (f[0] < '0' || f[0] > '9') continue;
    std::string code = class_code_of(f);
    if (find_class(code.c_str()) >= 0) continue;
    if (st.class_count >= kUiMaxClasses) {
      fail("Numero Classi Eccessivo", "Zu viele Klassen", "Too many classes", line);
      return false;
    }
    UiClass& c = st.classes[st.class_count++];
    copy_text(c.code, code, sizeof c.code);
    c.preferred_room = -1;
    for (int r = 0; r < 30; ++r) c.forbidden_rooms[r] = -1;
  }
  return true;
}

// One subject of a "MATERIE:" line: "NAME-T", T 'C' or 'N', then the options
// "-P%d", "-N%d", "-M%d" the writer adds in that order.
struct SubjectField {
  std::string name;
  char type = 'N';
  int p = 0, n = 0, m = 0;
};

// Read from the right, since a name may hold '-' itself ("A946 LCS
// SERBO-CROATO"): the options are the trailing pieces of a letter and
// digits, the type the single letter before them, the name all the rest.
bool split_from_right(const std::string& f, SubjectField& out) {
  std::size_t end = f.size();
  const char order[3] = {'M', 'N', 'P'};
  int next = 0;
  for (;;) {
    std::size_t dash = f.rfind('-', end == 0 ? 0 : end - 1);
    if (dash == std::string::npos || dash == 0) return false;
    std::string piece = f.substr(dash + 1, end - dash - 1);
    if (piece == "C" || piece == "N") {
      out.type = piece[0];
      out.name = f.substr(0, dash);
      return true;
    }
    bool digits = piece.size() >= 2 && piece.size() <= 4;
    for (std::size_t i = 1; digits && i < piece.size(); ++i) digits = piece[i] >= '0' && piece[i] <= '9';
    while (digits && next < 3 && order[next] != piece[0]) ++next;
    if (!digits || next == 3) return false;
    int value = std::atoi(piece.c_str() + 1);
    (piece[0] == 'P' ? out.p : piece[0] == 'N' ? out.n : out.m) = value;
    ++next;
    end = dash;
  }
}

// Files of older writers, whose names could not hold '-': the name ends at
// the first '-', the type is the letter after it, and each later piece
// starting with P, N or M sets that option to its first digit.
bool split_at_first_dash(const std::string& f, SubjectField& out) {
  std::size_t dash = f.find('-');
  if (dash == std::string::npos || dash + 1 >= f.size()) return false;
  out.name = f.substr(0, dash);
  out.type = f[dash + 1] == 'C' ? 'C' : 'N';
  for (std::size_t p = f.find('-', dash + 1); p != std::string::npos; p = f.find('-', p + 1)) {
    if (p + 1 >= f.size()) break;
    int digit = p + 2 < f.size() && f[p + 2] >= '0' && f[p + 2] <= '9' ? f[p + 2] - '0' : 0;
    switch (f[p + 1]) {
      case 'P': out.p = digit; break;
      case 'N': out.n = digit; break;
      case 'M': out.m = digit; break;
      default: break;
    }
  }
  return true;
}

bool read_subjects(const std::vector<std::string>& fields, const std::string& line) {
  for (const std::string& f : fields) {
    SubjectField field;
    if (!split_from_right(f, field) && !split_at_first_dash(f, (field = SubjectField{}))) {
      fail("Materie: tipologia errata", "Fächer: falsche Art"_cp, "Subjects: wrong type", line);
      return false;
    }
    std::string name = field.name.substr(0, kUiNameSize - 1);
    int index = -1;
    for (std::uint32_t i = 0; i < st.subject_count; ++i) {
      if (name == st.subjects[i].name) index = static_cast<int>(i);
    }
    if (index < 0) {
      if (st.subject_count >= kUiMaxSubjects) {
        fail("Numero materie eccessivo", "Zu viele Fächer"_cp, "Too many subjects", line);
        return false;
      }
      index = static_cast<int>(st.subject_count++);
      std::memset(&st.subjects[index], 0, sizeof(UiSubject));
      copy_text(st.subjects[index].name, name, kUiNameSize);
    }
    UiSubject& s = st.subjects[index];
    s.type = field.type;
    s.option_p = static_cast<std::uint8_t>(field.p);
    s.option_n = static_cast<std::uint8_t>(field.n);
    s.option_m = static_cast<std::uint8_t>(field.m);
  }
  return true;
}

bool read_labs(const std::vector<std::string>& fields, const std::string& line) {
  for (const std::string& f : fields) {
    std::size_t dash = f.find('-');
    if (dash == std::string::npos) {
      fail("lab: sede indicata errata", "Labor: falscher Standort", "Lab: wrong building", line);
      return false;
    }
    std::string name = f.substr(0, dash).substr(0, kUiNameSize - 1);
    std::uint32_t i = 0;
    while (i < st.lab_count && name != st.labs[i].name) ++i;
    if (i == st.lab_count) {
      if (st.lab_count >= kUiMaxLabs) {
        fail("Numero lab eccessivo", "Zu viele Labore", "Too many labs", line);
        return false;
      }
      ++st.lab_count;
      std::memset(&st.labs[i], 0, sizeof(UiLab));
      copy_text(st.labs[i].name, name, kUiNameSize);
      st.labs[i].hours[0] = 255;
    }
    copy_text(st.labs[i].description, f.substr(dash + 1), kUiNameSize);
  }
  return true;
}

void read_assignment(const std::vector<std::string>& fields, const std::string& line) {
  st.room_assignment_read = 1;
  for (std::uint32_t i = 0; i < kUiMaxClasses; ++i) {
    st.classes[i].preferred_room = -1;
    for (int r = 0; r < 30; ++r) st.classes[i].forbidden_rooms[r] = -1;
  }
  if (fields.empty()) return;
  std::vector<long> numbers;
  const std::string& f = fields[0];
  std::size_t start = 0;
  while (start <= f.size()) {
    std::size_t dash = f.find('-', start);
    if (dash == std::string::npos) dash = f.size();
    numbers.push_back(desc_fitting(f.substr(start, dash - start).c_str(), 0, UINT32_MAX, line));
    start = dash + 1;
  }
  st.room_assignment_mode = static_cast<std::uint32_t>(numbers[0]);
  for (std::size_t i = 1; i < numbers.size() && i <= 10; ++i) {
    st.room_assignment_values[i - 1] = static_cast<std::uint32_t>(numbers[i]);
  }
  if (fields.size() > 1) {
    st.room_assignment_last = desc_byte(fields[1].c_str(), line);
  }
}

void read_memo(const std::string& rest) {
  std::vector<std::string> f = og_split_fields(rest);
  if (f.empty()) return;
  // "version-counter"; a memo written before any version was known starts
  // with the '-' of its counter.
  std::size_t dash = f[0][0] == '-' ? 0 : 5;
  copy_text(st.writer_version, f[0].substr(0, dash), 6);
  if (f[0].size() > dash && f[0][dash] == '-') {
    st.save_counter = static_cast<std::uint32_t>(std::strtoul(f[0].c_str() + dash + 1, nullptr, 10));
  }
  if (f.size() > 1) copy_text(st.memo_date, f[1], 21);
  if (f.size() > 2) copy_text(st.memo_text, f[2], 201);
}

// The fields of a line as the file has them, beside those of the upper-cased
// line (upper case folds one character to one, so the fields agree).
std::vector<std::string> written_fields(const std::string& written, std::size_t colon) {
  return og_split_fields(written.size() > colon ? written.substr(colon + 1) : std::string());
}

// `written`: the same line with its letters as the file has them; classroom
// names keep their case, as the room window shows them.
bool read_line(const std::string& line, const std::string& written, bool& title_seen) {
  std::size_t colon = line.find(':');
  if (line.empty() || line[0] == '|') return true;
  if (colon == std::string::npos) {
    fail("Messaggio non riconosciuto (coge)", "Unbekannte Zeile", "Unknown line", line);
    return false;
  }
  std::string key = line.substr(0, colon + 1);
  std::string rest = line.substr(colon + 1);
  std::vector<std::string> fields = og_split_fields(rest);
  std::string stamp;
  if (og_read_pair_stamp(line, &stamp)) {
    g_structure_pair_stamp = stamp;
  } else if (key == "REM:") {
    if (!title_seen) {
      // A field separator is never the title's: the writer could not give
      // a title that starts with one back.
      std::size_t start = rest.find_first_not_of('|');
      copy_text(g_ui_header.school_name, start == std::string::npos ? std::string() : rest.substr(start), 81);
      title_seen = true;
    }
  } else if (key == "STATUSINFO:") {
    og_read_status_info(rest);
  } else if (key == "SERVICEMEMO:") {
    read_memo(rest);
  } else if (key == "INDIRIZZI:") {
    return read_tracks(fields, line);
  } else if (key == "CLASSI:") {
    return read_classes(fields, line);
  } else if (key == "MATERIE:") {
    return read_subjects(fields, line);
  } else if (key == "LAB:") {
    return read_labs(fields, line);
  } else if (key == "ASAU:") {
    // The description reader's number check, whose refusal this reader
    // reports as its own.
    try {
      read_assignment(fields, line);
    } catch (const ReadError& e) {
      g_error = e.text;
      return false;
    }
  } else if (key == "ASAUMOVE:") {
    for (const std::string& f : fields) {
      int c = find_class(class_code_of(f).c_str());
      if (c >= 0) st.classes[c].room_move = 1;
    }
  } else if (key == "ASAUPREF:") {
    std::vector<std::string> names = written_fields(written, colon);
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const std::string& f = fields[i];
      std::size_t dash = f.find('-');
      int c = find_class(class_code_of(f).c_str());
      if (c >= 0 && dash != std::string::npos) {
        st.classes[c].preferred_room = classroom_index(names[i].substr(dash + 1), true);
      }
    }
  } else if (key == "ASAUVIET:") {
    std::vector<std::string> names = written_fields(written, colon);
    int c = fields.empty() ? -1 : find_class(class_code_of(fields[0]).c_str());
    for (std::size_t i = 1; c >= 0 && i < fields.size(); ++i) {
      int room = classroom_index(names[i], false);
      if (room < 0) continue;
      // Records are packed: the slots are reached by index, never by reference.
      for (int slot = 0; slot < 30; ++slot) {
        if (st.classes[c].forbidden_rooms[slot] == -1) {
          st.classes[c].forbidden_rooms[slot] = room;
          break;
        }
      }
    }
  } else {
    fail("Messaggio non riconosciuto (coge)", "Unbekannte Zeile", "Unknown line", line);
    return false;
  }
  return true;
}

// The title belongs to the header block but travels in this file.
void snapshot_title() {
  std::memcpy(g_ui_header_saved.school_name, g_ui_header.school_name,
              sizeof g_ui_header.school_name);
}

}  // namespace

const char* og_structure_error() { return g_error.c_str(); }

int og_read_structure_file_from(const std::string& path, int create) {
  og_clear_structure();
  g_error.clear();
  g_structure_pair_stamp.clear();
  bool title_seen = false;
  std::size_t number = 0;
  bool bad = false;
  std::string why;
  std::string current;  // the line being read, as the file holds it
  SchoolLines read = og_read_school_lines(path, [&](const std::string& text) {
    current = text;
    std::string line = text;
    for (char& c : line) {
      if (c == '\t') c = '|';
    }
    const std::string written = line;
    // The memo keeps its case: a memo is the user's own text. Only the title
    // keeps its case in the first line; a first line that is not the title
    // reads as it will once a save has put the title before it.
    bool title_line = number++ == 0 && line.rfind("REM:", 0) == 0;
    if (!title_line && line.rfind("SERVICEMEMO:", 0) != 0) {
      for (char& c : line) c = static_cast<char>(kt::cp1252_upper(static_cast<unsigned char>(c)));
    }
    bad = !read_line(line, written, title_seen);
    return !bad;
  }, &why);
  if (read == SchoolLines::kUnusable) g_error = why;
  else if (bad) g_error = og_bad_line_text(path, g_error, current);
  if (bad || read == SchoolLines::kUnusable) {
    og_clear_structure();
    g_structure_pair_stamp.clear();
    snapshot_title();
    og_set_school_blocked(SchoolFilePart::kStructure, g_error.c_str());
    return -2;
  }
  if (read == SchoolLines::kMissing) {
    // No file: nothing could be overwritten.
    og_set_school_blocked(SchoolFilePart::kStructure, nullptr);
    if (!create) return -1;
    og_set_new_structure_defaults();
  }
  og_snapshot_structure();
  snapshot_title();
  og_set_school_blocked(SchoolFilePart::kStructure, nullptr);
  return 0;
}

int og_read_structure_file(int create) {
  // A save of both files that stopped halfway is completed first, so the
  // structure read belongs with the description read next. One that cannot
  // be completed leaves files that may come from two saves: neither is read.
  std::string why;
  if (!og_settle_school_folder(&why)) {
    og_clear_structure();
    g_structure_pair_stamp.clear();
    g_error = why;
    snapshot_title();
    return -2;
  }
  return og_read_structure_file_from("scuola1.txt", create);
}
