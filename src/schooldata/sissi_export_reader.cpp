// Reads a SISSI export (see sissi_export_reader.h) in two passes: the first
// counts the records and adds their study tracks, the second finds or adds
// teacher, class and subject of each record and appends its import row (or,
// in code-correction mode, fills the correspondence table).
//
// A record starts at the file's first line and at every line that begins
// with digits and '|'; other lines continue it. The reader steps through a
// record's fields one by one (a run of '|' is one separator, so an empty
// field is not counted), copying each up to its width; a record that lacks
// a field a step needs ends at that step. Names are compared exactly, track
// names without regard to case. The model's counts are bounded by its
// capacities.
#include "schooldata/sissi_export_reader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "schooldata/import_names.h"
#include "schooldata/model_lookups.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/ui_school_model.h"

namespace {

using Tell = std::function<void(const std::string&)>;

UiSchoolStructure& st = g_ui_structure;

// Widths of the fields as the reader takes them.
constexpr int kSchoolIdWidth = 4;
constexpr int kIdWidth = 16;     // teacher and class ids
constexpr int kNameWidth = 20;   // teacher and subject names, subject ids for the lookup
constexpr int kClassFieldWidth = 255;
constexpr int kHoursWidth = 10;

// Steps through the fields of a normalised record: each field copied up to
// its separator and width, then on past the run of separators behind it.
class FieldCursor {
 public:
  explicit FieldCursor(std::string record) : text_(record.begin(), record.end()) {
    text_.push_back('\0');
    at_ = text_.data();
    if (*at_ == '|') at_ = or_next_field(at_, '|');
  }
  // The next field, at most `width` characters; false when none is left.
  bool next(std::string& field, int width) {
    if (at_ == nullptr || *at_ == '\0') return false;
    std::vector<char> out(static_cast<std::size_t>(width) + 1);
    or_copy_to_char_n(out.data(), at_, '|', width);
    field = out.data();
    at_ = or_next_field(at_, '|');
    return true;
  }

 private:
  std::vector<char> text_;
  char* at_;
};

bool starts_record(const std::string& line) {
  std::size_t i = 0;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
  return i > 0 && i < line.size() && line[i] == '|';
}

// The records of the file, joined and normalised (upper case, fields
// between '|').
// False with the reason in why when the file cannot be read whole.
SchoolLines read_records(const std::string& path, std::vector<std::string>& records, std::string* why) {
  bool first = true;
  SchoolLines read = og_read_import_lines(path, kSissiRecordLimit, [&](const std::string& line) {
    if (first || starts_record(line)) {
      first = false;
      if (line.size() + 1 >= 3) records.push_back(line);  // the line end counts
    } else if (!records.empty() && records.back().size() < kSissiRecordLimit) {
      records.back() += " " + line;
    }
    return true;
  }, why);
  if (read != SchoolLines::kRead) return read;
  for (std::string& r : records) {
    if (r.size() > kSissiRecordLimit) r.resize(kSissiRecordLimit);
    std::vector<char> buffer(r.begin(), r.end());
    buffer.push_back('\n');
    buffer.resize(buffer.size() + 4, 0);
    or_normalize_line(buffer.data(), 1);
    r = buffer.data();
    while (!r.empty() && (r.back() == '\n' || r.back() == '\r')) r.pop_back();
  }
  return read;
}

std::string cleaned(const std::string& text) {
  char out[kUiNameSize];
  og_clean_name(out, text.substr(0, kUiNameSize - 1).c_str());
  return out;
}

void copy_text(char* out, const std::string& text, std::size_t size) {
  std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(out, text.data(), n);
  out[n] = 0;
}

// The study track name of a class field: from the third character when the
// fourth is a blank, else after the first run of blanks.
std::string track_name_of(const std::string& field) {
  if (field.size() >= 4 && field[3] == ' ') return field.substr(2);
  std::size_t blank = field.find(' ');
  if (blank == std::string::npos) return std::string();
  std::size_t start = field.find_first_not_of(' ', blank);
  return start == std::string::npos ? std::string() : field.substr(start);
}

int find_track(const std::string& name) {
  int count = st.track_count < kUiMaxTracks ? st.track_count : kUiMaxTracks;
  for (int t = 0; t < count; ++t) {
    if (kt::cp1252_casecmp(st.track_names[t] + (st.track_names[t][0] ? 1 : 0), name.c_str()) == 0) return t;
  }
  return -1;
}

// The track of a class field's study track name. A track the reader added
// holds its letter and then the name ("ALICEO SCIENTIFICO"); a track named
// on the school page holds the name itself, its first letter the initial
// ("LICEO SCIENTIFICO"), or, when that initial was taken, another letter and
// a blank before it ("B LICEO SCIENTIFICO"), cut to the field's 20
// characters. The letter-and-name form is tried on every track first, so a
// track matched before is matched still; the page's forms only compare the
// whole name, never a part of it ("SCIENTIFICO" is not "LICEO SCIENTIFICO").
int find_field_track(const std::string& field) {
  std::string name = track_name_of(field);
  int found = find_track(cleaned("_" + name).substr(1));
  if (found >= 0 || name.empty()) return found;
  std::string whole = cleaned(name);
  int count = st.track_count < kUiMaxTracks ? st.track_count : kUiMaxTracks;
  for (int t = 0; t < count; ++t) {
    const char* held = st.track_names[t];
    if (kt::cp1252_casecmp(held, whole.c_str()) == 0) return t;
  }
  for (int t = 0; t < count; ++t) {
    const char* held = st.track_names[t];
    if (held[0] == 0 || held[1] != ' ') continue;
    std::string prefixed = cleaned(std::string(held, 2) + name);
    if (kt::cp1252_casecmp(held, prefixed.c_str()) == 0) return t;
  }
  return -1;
}

std::string limit_text(const char* format, int limit) {
  char text[160];
  std::snprintf(text, sizeof text, format, limit);
  return text;
}

// Adds the study track of a record; false at the fifteenth.
bool add_track(const std::string& field5, const Tell& tell) {
  std::string name = cleaned("_" + track_name_of(field5));
  if (find_field_track(field5) >= 0) return true;
  if (st.track_count >= kUiMaxTracks) {
    tell(limit_text("Numero Indirizzi di studio eccede il limite di %d", kUiMaxTracks));
    return false;
  }
  copy_text(st.track_names[st.track_count++], name, kUiNameSize);
  return true;
}

// The school's single track, as it was before the file's tracks took its
// place.
struct KeptTrack {
  char name[kUiNameSize];
  char short_name[4];
  std::uint8_t sections[26];
};

KeptTrack keep_track(int t) {
  KeptTrack k;
  std::memcpy(k.name, st.track_names[t], sizeof k.name);
  k.name[kUiNameSize - 1] = 0;
  std::memcpy(k.short_name, st.track_short_names[t], sizeof k.short_name);
  std::memcpy(k.sections, st.sections[t], sizeof k.sections);
  return k;
}

bool is_track_letter(char c) { return c >= 'A' && c <= 'Z'; }

bool letter_taken(char letter, int except) {
  for (int t = 0; t < st.track_count; ++t) {
    if (t != except && st.track_names[t][0] == letter) return true;
  }
  return false;
}

// A track still without its letter takes 'A' plus its position, or, when
// another track has that letter already, the first letter no track has:
// two tracks of one letter would put their classes together.
void letter_new_tracks() {
  for (int t = 0; t < st.track_count; ++t) {
    if (st.track_names[t][0] != '_') continue;
    char letter = static_cast<char>('A' + t);
    for (char c = 'A'; letter_taken(letter, t) && c <= 'Z'; ++c) letter = c;
    st.track_names[t][0] = letter;
  }
}

// The file's tracks have taken the place of the school's single track, but
// the school's classes belong to that track and have no track letter (one
// track needs none). They go to the file's track of the same name, or the
// school's track comes back next to the file's; either way it keeps its
// name, and its classes take its letter, as classes of a school of several
// tracks must. False after telling the track limit.
bool keep_classes_track(const KeptTrack& kept, const Tell& tell) {
  const char* part = kept.name[0] ? kept.name + 1 : kept.name;
  int at = find_track(kept.name);  // a name given by hand, its letter its own first one
  if (at < 0) at = find_track(part);
  if (at < 0) {
    if (st.track_count >= kUiMaxTracks) {
      tell(limit_text("Numero Indirizzi di studio eccede il limite di %d", kUiMaxTracks));
      return false;
    }
    at = st.track_count++;
  }
  // The file's first track took the single track's place and its section
  // flags; they are the school's classes' own.
  std::memset(st.sections[0], 0, sizeof st.sections[0]);
  std::memset(st.track_short_names[0], 0, sizeof st.track_short_names[0]);
  std::memcpy(st.track_names[at], kept.name, sizeof kept.name);
  std::memcpy(st.track_short_names[at], kept.short_name, sizeof kept.short_name);
  for (int s = 0; s < 26; ++s) st.sections[at][s] |= kept.sections[s];
  if (st.track_names[at][0] == 0) std::memcpy(st.track_names[at], "_", 2);
  char letter = st.track_names[at][0];
  if (!is_track_letter(letter) || letter_taken(letter, at)) st.track_names[at][0] = '_';
  letter_new_tracks();
  letter = st.track_names[at][0];
  for (std::uint32_t c = 0; c < st.class_count && c < kUiMaxClasses; ++c) st.classes[c].code[2] = letter;
  return true;
}

int find_teacher(const std::string& name) {
  int count = static_cast<int>(g_ui_settings.teacher_count < kUiMaxTeachers ? g_ui_settings.teacher_count : kUiMaxTeachers);
  for (int t = 0; t < count; ++t) {
    if (name == g_ui_teachers[t].name) return t;
  }
  return -1;
}

int find_subject(const std::string& name, bool by_id) {
  int count = static_cast<int>(st.subject_count < kUiMaxSubjects ? st.subject_count : kUiMaxSubjects);
  for (int s = 0; s < count; ++s) {
    if (name == (by_id ? st.subjects[s].sissi_id : st.subjects[s].name)) return s;
  }
  return -1;
}

// The entry of the correspondence table that holds name in the field chosen
// by `member`, or the first one whose field is empty.
template <std::size_t N>
SissiCorrespondence& entry_for(SissiImport& out, char (SissiCorrespondence::*member)[N], const std::string& name,
                               bool& is_new) {
  for (int e = 0; e < out.entry_count; ++e) {
    if (name == (out.entries[e].*member)) return is_new = false, out.entries[e];
  }
  for (int e = 0; e < out.entry_count; ++e) {
    if ((out.entries[e].*member)[0] == 0) return is_new = true, out.entries[e];
  }
  is_new = true;
  if (out.entry_count >= static_cast<int>(out.entries.size())) out.entries.emplace_back();
  return out.entries[out.entry_count++];
}

// The fields of one record that the reader uses, each at its width.
struct SissiRecord {
  std::string school, teacher_id, teacher_name, class_id, class_field, subject_id, subject_name;
};

struct RecordReader {
  SissiImport& out;
  bool correction;
  const Tell& tell;

  // -1 stops the read; 0 the record ended early; 1 a row was added.
  int read(const std::string& record) {
    FieldCursor f(record);
    SissiRecord r;
    if (!f.next(r.school, kSchoolIdWidth)) return 0;
    copy_text(g_ui_settings.sissi_school_id, r.school, sizeof g_ui_settings.sissi_school_id);
    SissiImportRow row;
    if (!f.next(r.teacher_id, kIdWidth) || !f.next(r.teacher_name, kNameWidth)) return 0;
    if (teacher(r, row) < 0) return -1;
    if (!f.next(r.class_id, kIdWidth) || !f.next(r.class_field, kClassFieldWidth)) return 0;
    if (klass(r, row) < 0) return -1;
    if (!f.next(r.subject_id, kNameWidth) || !f.next(r.subject_name, kNameWidth)) return 0;
    if (subject(r, row) < 0) return -1;
    std::string hours_field;
    if (!f.next(hours_field, kHoursWidth)) return 0;
    int hours = std::atoi(hours_field.c_str());
    row.hours = static_cast<std::uint8_t>(hours < 1 ? 1 : hours > 84 ? 84 : hours);
    row.number = static_cast<std::int32_t>(out.rows.size()) + 1;
    out.rows.push_back(row);
    return 1;
  }

  int teacher(const SissiRecord& f, SissiImportRow& row) {
    std::string name = og_sissi_prefixed_name(cleaned(f.teacher_name));
    row.teacher = find_teacher(name);
    if (correction) {
      bool is_new = false;
      SissiCorrespondence& e = entry_for(out, &SissiCorrespondence::teacher_name, name, is_new);
      if (is_new) copy_text(e.teacher_name, name, sizeof e.teacher_name), copy_text(e.teacher_id, f.teacher_id, sizeof e.teacher_id);
      return 0;
    }
    if (row.teacher >= 0) return 0;
    std::uint32_t count = g_ui_settings.teacher_count;
    if (count >= kUiMaxTeachers) {
      tell(limit_text("Numero Professori eccede il limite di %d", kUiMaxTeachers));
      return -1;
    }
    og_init_teacher(static_cast<int>(count), name.c_str());
    copy_text(g_ui_teachers[count].sissi_id, f.teacher_id, sizeof g_ui_teachers[count].sissi_id);
    g_ui_settings.teacher_count = count + 1;
    row.teacher = static_cast<std::int32_t>(count);
    return 0;
  }

  int klass(const SissiRecord& f, SissiImportRow& row) {
    const std::string& field = f.class_field;
    if (field.size() < 2 || field[0] < '1' || field[0] > '9' || field[1] < 'A' || field[1] > 'Z') {
      tell(og_import_bad_class_text(field.substr(0, 2)));
      return -1;
    }
    char code[4] = {field[0], field[1], ' ', 0};
    int track = 0;
    if (st.track_count >= 2) {
      track = find_field_track(field);
      if (track < 0) track = 0;
      code[2] = st.track_names[track][0];
    }
    row.track = track;
    st.sections[track][field[1] - 'A'] = 1;
    row.class_index = og_find_or_add_class(code, 0);
    if (correction) {
      std::string name = st.track_count >= 2 ? std::string(code, 3) : std::string(code, 2);
      bool is_new = false;
      SissiCorrespondence& e = entry_for(out, &SissiCorrespondence::class_name, name, is_new);
      if (is_new) copy_text(e.class_name, name, sizeof e.class_name), copy_text(e.class_id, f.class_id, sizeof e.class_id);
      return 0;
    }
    if (row.class_index >= 0) return 0;
    if (st.class_count >= kUiMaxClasses) {
      tell(limit_text("Numero Classi eccede il limite di %d", kUiMaxClasses));
      return -1;
    }
    row.class_index = og_find_or_add_class(code, 1);
    if (row.class_index < 0) return tell(og_lookup_error()), -1;
    UiClass& c = st.classes[row.class_index];
    c.building = 0;
    copy_text(c.sissi_id, f.class_id, sizeof c.sissi_id);
    return 0;
  }

  int subject(const SissiRecord& f, SissiImportRow& row) {
    std::string name = cleaned(f.subject_name);
    row.subject = find_subject(name, false);
    if (correction) {
      bool is_new = false;
      SissiCorrespondence& e = entry_for(out, &SissiCorrespondence::subject_name, name, is_new);
      if (is_new) copy_text(e.subject_name, name, sizeof e.subject_name), copy_text(e.subject_id, f.subject_id, sizeof e.subject_id);
      return 0;
    }
    if (row.subject < 0) row.subject = find_subject(f.subject_id, true);
    if (row.subject >= 0) return 0;
    if (st.subject_count >= kUiMaxSubjects) {
      tell(limit_text("Numero Materie eccede il limite di %d", kUiMaxSubjects));
      return -1;
    }
    UiSubject& s = st.subjects[st.subject_count];
    std::memset(&s, 0, sizeof s);
    copy_text(s.name, name, sizeof s.name);
    copy_text(s.sissi_id, f.subject_id, sizeof s.sissi_id);
    s.type = 'N';
    row.subject = static_cast<std::int32_t>(st.subject_count++);
    return 0;
  }
};

}  // namespace

std::string og_sissi_prefixed_name(const std::string& name) {
  char buffer[kUiNameSize] = {};
  std::snprintf(buffer, sizeof buffer, "%s", name.c_str());
  og_prefix_non_letter_name(buffer, kUiNameSize - 1);
  return buffer;
}

int og_read_sissi_export(const std::string& path, bool code_correction, SissiImport& out, const Tell& tell) {
  out = SissiImport();
  std::vector<std::string> records;
  std::string why;
  SchoolLines read = read_records(path, records, &why);
  if (read != SchoolLines::kRead) {
    tell(read == SchoolLines::kMissing ? og_import_missing_file_text(path) : why);
    return -1;
  }
  // The tracks of the file replace a single track; a file that names none
  // leaves it, since a school without any track cannot be computed.
  bool single = st.track_count == 1;
  KeptTrack kept = keep_track(0);
  if (single) st.track_count = 0;
  if (st.track_count < 0 || st.track_count > kUiMaxTracks) st.track_count = 0;
  for (const std::string& r : records) {
    // Fields 1 to 6 give a track; the fifth names it.
    FieldCursor f(r);
    std::string field, class_field;
    bool whole = true;
    for (int n = 1; n <= 6 && whole; ++n) whole = f.next(n == 5 ? class_field : field, kClassFieldWidth);
    if (whole && !add_track(class_field, tell)) return -1;
  }
  if (single && st.track_count == 0) st.track_count = 1;
  if (single && st.track_count >= 2 && st.class_count > 0 && !keep_classes_track(kept, tell)) return -1;
  if (st.track_count >= 2) letter_new_tracks();
  out.rows.reserve(records.size());
  if (code_correction) out.entries.resize(records.size());
  RecordReader reader{out, code_correction, tell};
  for (const std::string& r : records) {
    if (reader.read(r) < 0) return -1;
  }
  if (std::strlen(g_ui_header.school_name) < 4) {
    copy_text(g_ui_header.school_name, "Attenzione: Scuola Creata da dati sistema SISSI - Definire il nome",
              sizeof g_ui_header.school_name);
  }
  return 0;
}
