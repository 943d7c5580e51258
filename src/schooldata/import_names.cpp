// Shared rules of the imports (see import_names.h): names, lookups with
// their limits, class codes from free-form names, the rebuilding of study
// tracks and sections, and the lesson table.
//
// A class name that begins neither with a year digit 1-9 nor with a Roman
// numeral gives no class: guessing a year from its second character would
// invent classes. Lookups are linear: tables hold a few hundred names.
#include "schooldata/import_names.h"

#include <cstdio>
#include <cstring>

#include "engine/text_lines.h"
#include "schooldata/model_lookups.h"
#include "schooldata/sissi_export_reader.h"
#include "schooldata/ui_school_model.h"
#include "shell/ml_text.h"

namespace {

UiSchoolStructure& st = g_ui_structure;

std::string cleaned(const std::string& raw) {
  char out[kUiNameSize];
  og_clean_name(out, raw.substr(0, kUiNameSize - 1).c_str());
  return out;
}

void tell_limit(const ImportTell& tell, const char* format, int limit) {
  char text[120];
  std::snprintf(text, sizeof text, format, limit);
  if (tell) tell(text);
}

char fold_upper(char c) { return static_cast<char>(or_fold_upper_char(static_cast<unsigned char>(c))); }
bool ascii_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

int class_count() {
  return static_cast<int>(st.class_count < kUiMaxClasses ? st.class_count : kUiMaxClasses);
}

char track_letter(const UiClass& c) { return c.code[2] == 0 ? ' ' : c.code[2]; }

}  // namespace

namespace {

const MlText kMissingFile = {{"Manca file di importazione [%s]", "Importdatei fehlt [%s]", "Import file missing [%s]"}};
const MlText kTooManyPosts = {
    {"Troppe classi per il Professore %s", "Zu viele Klassen f\xFCr den Lehrer %s", "Too many classes for the teacher %s"}};
const MlText kBadClass = {{"Nome della classe [%s] non ammissibile", "Klassenname [%s] nicht zul\xE4ssig",
                           "Class name [%s] not admissible"}};

std::string with_name(const MlText& text, const std::string& name) {
  std::string out = text.Get();
  out.replace(out.find("%s"), 2, name);
  return out;
}

}  // namespace

std::string og_import_missing_file_text(const std::string& path) { return with_name(kMissingFile, path); }
std::string og_import_too_many_posts_text(const char* teacher) { return with_name(kTooManyPosts, teacher); }
std::string og_import_bad_class_text(const std::string& name) { return with_name(kBadClass, name); }

std::string og_import_subject_name(const std::string& raw) { return cleaned(raw); }

std::string og_import_teacher_name(const std::string& raw) { return og_sissi_prefixed_name(cleaned(raw)); }

int og_import_subject(const std::string& raw, const ImportTell& tell) {
  std::string name = og_import_subject_name(raw);
  int count = static_cast<int>(st.subject_count < kUiMaxSubjects ? st.subject_count : kUiMaxSubjects);
  for (int s = 0; s < count; ++s) {
    if (name == st.subjects[s].name) return s;
  }
  if (count >= kUiMaxSubjects) {
    tell_limit(tell, "Numero Materie eccede il limite di %d", kUiMaxSubjects);
    return kImportLimitReached;
  }
  UiSubject& s = st.subjects[count];
  std::memset(&s, 0, sizeof s);
  std::memcpy(s.name, name.data(), name.size());
  s.type = 'N';
  st.subject_count = static_cast<std::uint32_t>(count + 1);
  return count;
}

int og_import_teacher(const std::string& raw, const ImportTell& tell) {
  std::string name = og_import_teacher_name(raw);
  std::uint32_t count = g_ui_settings.teacher_count < kUiMaxTeachers ? g_ui_settings.teacher_count : kUiMaxTeachers;
  for (std::uint32_t t = 0; t < count; ++t) {
    if (name == g_ui_teachers[t].name) return static_cast<int>(t);
  }
  if (count >= kUiMaxTeachers) {
    tell_limit(tell, "Numero Professori eccede il limite di %d", kUiMaxTeachers);
    return kImportLimitReached;
  }
  og_init_teacher(static_cast<int>(count), name.c_str());
  g_ui_settings.teacher_count = count + 1;
  return static_cast<int>(count);
}

std::string og_import_class_code(const std::string& raw) {
  std::string name;
  for (char c : raw) {
    if (c != ' ') name += c;
  }
  std::size_t at = 0;
  char year = 0;
  if (!name.empty() && name[0] >= '0' && name[0] <= '9') {
    if (name[0] == '0') return std::string();
    year = name[0];
    at = 1;
  } else {
    static const struct {
      const char* numeral;
      char year;
    } kRoman[] = {{"VIII", '8'}, {"III", '3'}, {"VII", '7'}, {"II", '2'}, {"IV", '4'},
                  {"VI", '6'},   {"IX", '9'},  {"I", '1'},   {"V", '5'}};
    std::string upper;
    for (char c : name) upper += fold_upper(c);
    for (const auto& r : kRoman) {
      if (upper.compare(0, std::strlen(r.numeral), r.numeral) != 0) continue;
      year = r.year;
      at = std::strlen(r.numeral);
      break;
    }
    if (year == 0) return std::string();
  }
  if (at < name.size() && !or_is_letter(static_cast<unsigned char>(name[at]))) ++at;
  if (at >= name.size() || !ascii_letter(name[at])) return std::string();
  char section = fold_upper(name[at++]);
  if (at < name.size() && name[at] == '_') ++at;
  char track = at < name.size() && ascii_letter(name[at]) ? fold_upper(name[at]) : ' ';
  return std::string{year, section, track};
}

int og_import_class(const std::string& raw, const ImportTell& tell) {
  std::string code = og_import_class_code(raw);
  if (code.empty()) return kImportNoClass;
  for (int c = 0; c < class_count(); ++c) {
    const UiClass& k = st.classes[c];
    if (k.code[0] == code[0] && k.code[1] == code[1] && track_letter(k) == code[2]) return c;
  }
  if (class_count() >= kUiMaxClasses) {
    tell_limit(tell, "Numero Classi eccede il limite di %d", kUiMaxClasses);
    return kImportLimitReached;
  }
  int at = class_count();
  UiClass& k = st.classes[at];
  std::memset(&k, 0, sizeof k);
  std::memcpy(k.code, code.data(), 3);
  k.preferred_room = -1;
  for (int r = 0; r < 30; ++r) k.forbidden_rooms[r] = -1;
  k.calendars[0].calendar_hours[0] = k.calendars[1].calendar_hours[0] = 255;
  st.class_count = static_cast<std::uint32_t>(at + 1);
  return at;
}

int og_rebuild_tracks_from_classes(bool first_takes_letter, const ImportTell& tell) {
  // A track the school already had comes back under its own name: an
  // import into a school of several tracks must not leave them as bare
  // letters.
  char kept[kUiMaxTracks][kUiNameSize];
  int kept_count = st.track_count < 0 ? 0 : st.track_count > kUiMaxTracks ? kUiMaxTracks : st.track_count;
  std::memcpy(kept, st.track_names, sizeof kept);
  st.track_count = 1;
  auto add_track = [&](char letter) {
    if (st.track_count >= kUiMaxTracks) {
      tell_limit(tell, "Numero Indirizzi di studio eccede il limite di %d", kUiMaxTracks);
      return false;
    }
    char* name = st.track_names[st.track_count];
    std::memset(name, 0, kUiNameSize);
    name[0] = letter;
    for (int t = 1; t < kept_count; ++t) {
      if (kept[t][0] != letter) continue;
      std::memcpy(name, kept[t], kUiNameSize - 1);
      break;
    }
    std::memset(st.sections[st.track_count], 0, sizeof st.sections[0]);
    ++st.track_count;
    return true;
  };
  for (int c = 1; c < class_count(); ++c) {
    char letter = track_letter(st.classes[c]);
    if (letter == track_letter(st.classes[c - 1])) continue;
    bool seen = false;
    for (int e = 0; e < c && !seen; ++e) seen = track_letter(st.classes[e]) == letter;
    if (seen) continue;
    if (first_takes_letter && st.track_names[0][0] == 0) st.track_names[0][0] = track_letter(st.classes[c - 1]);
    if (!add_track(letter)) return -1;
  }
  if (st.track_count >= 2 && st.track_count <= 13) {
    char spare = 'A';
    for (; spare <= 'Z'; ++spare) {
      bool used = false;
      for (int t = 0; t < st.track_count && !used; ++t) used = st.track_names[t][0] == spare;
      if (!used) break;
    }
    bool added = false;
    for (int c = 0; c < class_count() && spare <= 'Z'; ++c) {
      if (track_letter(st.classes[c]) != ' ') continue;
      st.classes[c].code[2] = spare;
      if (!added && !add_track(spare)) return -1;
      added = true;
    }
  }
  for (int c = 0; c < class_count(); ++c) {
    char section = st.classes[c].code[1];
    if (section < 'A' || section > 'Z') continue;
    st.sections[st.track_count >= 2 ? og_track_of_class(c) : 0][section - 'A'] = 1;
  }
  if (st.track_count == 1) {
    for (int c = 0; c < class_count(); ++c) st.classes[c].code[2] = ' ';
  }
  return 0;
}

int og_track_of_class(int class_index) {
  if (class_index < 0 || class_index >= class_count()) return 0;
  char letter = track_letter(st.classes[class_index]);
  for (int t = 0; t < st.track_count && t < kUiMaxTracks; ++t) {
    if (st.track_names[t][0] == letter) return t;
  }
  return 0;
}

void og_import_default_title(const char* title) {
  if (std::strlen(g_ui_header.school_name) >= 4) return;
  std::snprintf(g_ui_header.school_name, sizeof g_ui_header.school_name, "%s", title);
}

void ImportedLessons::Add(int teacher, int second_teacher, int class_index, int subject, int hours) {
  if (class_index < 0 || lessons.size() >= kImportedLessonLimit) return;
  if (hours < 0) {
    for (ImportedLesson& l : lessons) {
      if (l.teacher == teacher && l.second_teacher == second_teacher && l.class_index == class_index &&
          l.subject == subject) {
        if (l.hours < 255) ++l.hours;
        return;
      }
    }
    hours = 1;
  }
  ImportedLesson l;
  l.number = static_cast<std::int32_t>(lessons.size()) + 1;
  l.teacher = teacher;
  l.second_teacher = second_teacher;
  l.class_index = class_index;
  l.subject = subject;
  l.hours = static_cast<std::uint8_t>(hours > 84 ? 84 : hours);
  lessons.push_back(l);
}
