// Builds the description text: the school-level lines (comments, release,
// days, buildings, labs, gyms, band tables, general values), then the
// teaching lines grouped under "GM:" headers, then one "V:" line of
// personal constraints per teacher. Logical lines are gathered in memory
// and written through SchoolFileText (scrambled unless plain files are
// asked for), which replaces the file only when the whole text is written.
//
// Values the model marks unset (-1) are not written; a file written from a
// model read from this writer's output reads back to the same model.
#include "schooldata/description_writer.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <random>
#include <string>

#include "engine/shell_services.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_reader_parts.h"
#include "schooldata/description_writer_parts.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/school_files.h"
#include "schooldata/status_info.h"
#include "schooldata/ui_school_model.h"

std::uint8_t g_description_archive_marker = 0;

namespace {

std::string g_error;
UiSchoolHeader& hd = g_ui_header;
UiSchoolSettings& se = g_ui_settings;
UiSchoolStructure& st = g_ui_structure;

// The second comment line: where and by what the file was written.
std::string second_comment() {
  char folder[1024] = "";
  if (getcwd(folder, sizeof folder) == nullptr) folder[0] = 0;
  return std::string(folder) + " (KestrinTempus " + kProgramRelease + ")";
}

// A description that moved to another folder or program leaves a trace: the
// second comment read and the one written are appended to "tech_log.txt"
// beside the file. The reader keeps its comment in upper case, so the two
// are compared without regard to case; after a trace the written one counts
// as read, so each move is logged once.
void log_moved_description(const std::string& path) {
  std::string written = second_comment();
  if (g_description_comment[0] == 0 || kt::cp1252_casecmp(g_description_comment, written.c_str()) == 0) return;
  std::size_t slash = path.find_last_of('/');
  std::string log = slash == std::string::npos ? "tech_log.txt" : path.substr(0, slash + 1) + "tech_log.txt";
  if (std::FILE* f = std::fopen(log.c_str(), "ab")) {
    std::fprintf(f, "%s\n%s\n", g_description_comment, written.c_str());
    std::fclose(f);
  }
  std::snprintf(g_description_comment, sizeof g_description_comment, "%s", written.c_str());
}

// The generator of school codes, seeded from the clock once per run.
std::mt19937& code_random() {
  static std::mt19937 random(static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count()));
  return random;
}

char random_upper() { return char('A' + code_random()() % 26); }

void write_comments(std::string& out) {
  out += std::string("REM:") + hd.school_name + "\n";
  out += "REM:" + second_comment() + "\n";
  if (hd.school_code[0] == 0) og_make_school_code(hd.school_code);
  out += std::string("REM:") + hd.school_code + "|" + hd.id_text1 + "|\n";
  out += std::string("REM:") + hd.id_text2 + "|\n";
  if (std::string stamp = og_pair_stamp_line(); !stamp.empty()) out += stamp + "\n";
  if (std::strncmp(st.writer_version, "5.8.C", 5) >= 0) {
    og_write_status_info(out, st.status);
  }
  out += std::string("DATARELEASE:|") + kProgramRelease + "|\n";
  if (hd.special_values[1] != 0) out += dw_format("SPECIALEX:\t%d-%d\t\n", hd.special_values[0], hd.special_values[1]);
  out += dw_format("CLNAMES:\t%d\t\n", st.track_count >= 2 ? 3 : 2);
}

void write_days(std::string& out) {
  out += "DAYS:\t";
  for (int d = 0; d < 7; ++d) {
    int hours = hd.hours_per_day[d] > 12 ? 12 : hd.hours_per_day[d];
    // A header never read (a school made by an import) has no codes yet;
    // the reader refuses an entry without one.
    static const char* const kCodes[7] = {"LU", "MA", "ME", "GI", "VE", "SA", "DO"};
    const char* code = hd.day_codes[d][0] != 0 && hd.day_codes[d][1] != 0 ? hd.day_codes[d] : kCodes[d];
    out += dw_format("%2.2s%d-%s", code, hours, hd.day_names[d]);
    if (g_clock_times_flag) {
      for (int h = 0; h < hours; ++h) {
        out += dw_format(":%d:%d", hd.hour_start_times[d * 12 + h], hd.hour_durations[d * 12 + h]);
      }
    }
    out += "\t";
  }
  out += "\n";
  int provisional = 0;
  for (int d = 0; d < 7; ++d) provisional += hd.provisional_hours_per_day[d];
  if (provisional > 0) {
    const std::uint8_t* p = hd.provisional_hours_per_day;
    out += dw_format("DAYSPRNS:%d-%d-%d-%d-%d-%d-%d\t%u\t%d\t\n", p[0], p[1], p[2], p[3], p[4],
                     p[5], p[6], hd.provisional_value1, hd.provisional_value2);
  }
  dw_write_short_day(out);
  if (hd.extended_hours != 0) out += dw_format("OREPROLU:\t%d\t\n", hd.extended_hours);
}

void write_tracks_and_buildings(std::string& out) {
  dw_write_class_lists(out);
  if (st.track_count >= 2) {
    std::string items;
    for (int t = 0; t < st.track_count && t < kUiMaxTracks; ++t) {
      if (st.track_short_names[t][0] == 0) continue;
      if (!items.empty()) items += ":";
      items += dw_format("%c-%s", st.track_names[t][0], st.track_short_names[t]);
    }
    if (!items.empty()) out += "INDISIGLE:\t" + items + "\t\n";
  }
  dw_write_rotation(out);
  if (se.building_count < 2) return;
  for (int b = 0; b < se.building_count && b < kUiMaxBuildings; ++b) {
    const UiBuilding& bu = se.buildings[b];
    std::string tail;
    for (int k = 0; k < bu.reachable_count && k < 9; ++k) {
      tail += dw_format("NOCS:%s-%d\t", bu.reachable_names[k], bu.reachable_values[k]);
    }
    if (bu.no_transfer) tail += "NOSPOSTA:\t";
    std::string codes;
    int in_line = 0;
    for (std::uint32_t c = 0; c < st.class_count && c < kUiMaxClasses; ++c) {
      if (st.classes[c].building != b || st.classes[c].code[0] == 0) continue;
      if (in_line == 20) {
        out += std::string("SEDECL:\t") + bu.name + "\t" + codes + "\t" + tail + "\n";
        codes.clear();
        in_line = 0;
      }
      if (in_line++ > 0) codes += "-";
      codes += dw_class_code(static_cast<int>(c));
    }
    if (in_line > 0) {
      out += std::string("SEDECL:\t") + bu.name + "\t" + codes + "\t" + tail + "\n";
    } else if (bu.name[0] != 0) {
      // A building no class is in yet is still the school's: its line names
      // it, and its conditions, without classes (the engine reads it so).
      out += std::string("SEDECL:\t") + bu.name + "\t" + tail + "\n";
    }
  }
}

void write_rooms(std::string& out) {
  for (std::uint32_t l = 0; l < st.lab_count && l < kUiMaxLabs; ++l) {
    const UiLab& lab = st.labs[l];
    if (lab.name[0] == 0) continue;
    bool repeated = false;
    for (std::uint32_t e = 0; e < l; ++e) repeated = repeated || std::strcmp(st.labs[e].name, lab.name) == 0;
    if (repeated) continue;
    const char* building = lab.description;
    if (se.building_count >= 2 && lab.building >= 0 && lab.building < se.building_count) {
      building = se.buildings[lab.building].name;
    }
    out += std::string("LABOR:|") + lab.name + "-" + building + "|";
    if (lab.hours[0] != 255) out += "OR:" + og_format_week_mask(lab.hours) + "\t";
    out += "\n";
  }
  for (std::uint32_t g = 0; g < st.lab_group_count && g < kUiMaxLabGroups; ++g) {
    const UiLabGroup& group = st.lab_groups[g];
    if (group.name[0] == 0) continue;
    out += std::string("GRULLAB:") + group.name + "|";
    for (int k = 0; k < 20; ++k) {
      int l = group.labs[k];
      if (l >= 0 && l < static_cast<int>(st.lab_count) && l < kUiMaxLabs) out += std::string(st.labs[l].name) + "|";
    }
    out += "\n";
  }
  for (std::uint32_t g = 0; g < se.gym_count && g < kUiMaxGyms; ++g) dw_write_gym(out, se.gyms[g]);
}

void write_settings(std::string& out) {
  if (se.lunch_break[0] != 0 && se.lunch_break[0] != 255) {
    const std::uint8_t* p = se.lunch_break;
    out += dw_format("PAUSAMENSA:\t%d-%d-%d-%d\t\n", p[0] + 1, p[1], p[2], p[3]);
  }
  if (se.pexdiy > 0) out += dw_format("PEXDIY:%c\t\n", '0' + se.pexdiy);
  dw_write_bands(out);
  if (se.maxbuday[0] < 1 || se.maxbuday[0] > 9) se.maxbuday[0] = 1;
  out += dw_format("MAXBUDAY:\t%d-%d\t\n", se.maxbuday[0], se.maxbuday[1]);
  if (se.itpleggero) out += "ITPLEGGERO:\t1\t\n";
  if (se.noriposoauto) out += "NORIPOSOAUTO:\t1\t\n";
  if (se.nosalu != 0) {
    se.nosalu = static_cast<std::int8_t>(se.nosalu | 48);
    out += dw_format("NOSALU:\t%d\t\n", se.nosalu);
  }
  if (se.budime1 != 0 || se.budime2 != 0) out += dw_format("BUDIME:\t%d-%d\t\n", se.budime1, se.budime2);
  if (se.tocomi[0] != 0 || se.tocomi[1] != 0) out += dw_format("TOCOMI:\t%d-%d\t\n", se.tocomi[0], se.tocomi[1]);
  dw_write_tekno(out);
  if (se.pamez[0] > 0) out += dw_format("PAMEZ:\t%d-%d\t\n", se.pamez[0], se.pamez[1]);
  if (se.claripo != 0) out += dw_format("CLARIPO:\t%d\t\n", se.claripo);
}

}  // namespace

// A school's code: when and for which school it was made, then random
// characters, so two schools never share one even with the same title.
void og_make_school_code(char* code) {
  using namespace std::chrono;
  system_clock::time_point now = system_clock::now();
  std::time_t seconds = system_clock::to_time_t(now);
  std::tm t{};
  localtime_r(&seconds, &t);
  int ms = int(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  int year = t.tm_year + 1900;
  char year_letter = year >= 2013 && year <= 2039 ? char('A' + year - 2013) : '?';
  std::string title = hd.school_name;
  // A title shorter than eight characters is filled up front with random
  // letters, not blanks: the reader folds runs of blanks, so a code with
  // blanks would not read back as written.
  std::string tail = title.size() > 8 ? title.substr(title.size() - 8) : std::string(8 - title.size(), ' ') + title;
  for (char& c : tail) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    else if (c < 'A' || c > 'Z') c = random_upper();
  }
  char head[64];
  std::snprintf(head, sizeof head, "C%c%c%02d%c%02d%02d%03d_%s_", year_letter, char('A' + t.tm_mon), t.tm_mday,
                char('A' + t.tm_hour), t.tm_min, t.tm_sec, ms, tail.c_str());
  static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string out = head;
  for (int i = 0; i < 17; ++i) {
    if (i == 6) code_random().discard(static_cast<unsigned long long>(ms));
    if (i == 11) {
      unsigned sum = 0;
      for (unsigned char c : second_comment()) sum += c;
      code_random().discard(sum);
    }
    out += kDigits[code_random()() % 36];
  }
  std::snprintf(code, 41, "%s", out.c_str());
}

const char* og_description_write_error() { return g_error.c_str(); }

namespace {

// The blocks the provisional variant changes, kept aside while it writes.
struct ModelCopy {
  UiSchoolStructure structure = g_ui_structure;
  UiSchoolSettings settings = g_ui_settings;
  UiTeacher teachers[kUiMaxTeachers];
  ModelCopy() { std::memcpy(teachers, g_ui_teachers, sizeof teachers); }
  void restore() const {
    g_ui_structure = structure;
    g_ui_settings = settings;
    std::memcpy(g_ui_teachers, teachers, sizeof teachers);
  }
};

std::string build_text(int mode) {
  std::string out;
  write_comments(out);
  write_days(out);
  write_tracks_and_buildings(out);
  write_rooms(out);
  write_settings(out);
  dw_write_calendars(out, mode);
  if (mode == 2) ui_adapt_posts_for_provisional();
  dw_write_teaching(out, mode == 2);
  dw_write_constraints(out, mode == 2);
  dw_write_sissi(out);
  return out;
}

}  // namespace

int og_description_text(int mode, SchoolFileText& text) {
  g_error.clear();
  if (mode < 0 || mode > 2) return -3;
  if (g_process_number != 0) return 1;
  // A school whose files could not be read is never written over them.
  if (!og_school_loaded()) {
    g_error = og_school_unloaded_text();
    return -1;
  }
  std::string out;
  if (mode == 2) {
    // The provisional adaptations live only in the file: the model is put
    // back as it was, unsaved edits included.
    auto kept = std::make_unique<ModelCopy>();
    dw_drop_provisional_partners();
    out = build_text(mode);
    kept->restore();
  } else {
    out = build_text(mode);
  }
  std::size_t at = 0;
  while (at < out.size()) {
    std::size_t end = out.find('\n', at);
    if (end == std::string::npos) end = out.size();
    text.line(out.substr(at, end - at));
    at = end + 1;
  }
  return 0;
}

void og_description_text_written(const std::string& path, int mode, bool written, int error) {
  if (!written) {
    static const char* const kText[3] = {"Impossibile scrivere ", "Kann nicht schreiben: ",
                                         "Cannot write "};
    g_error = std::string(kText[g_language < 3 ? g_language : 0]) + path;
    if (error != 0) g_error += ": " + og_write_failure_reason(error);
    return;
  }
  log_moved_description(!path.empty() && path[0] == '/' ? path : kt::translate_path(path));
  if (mode != 0) return;
  og_snapshot_all();
  g_description_pair_stamp = og_pair_stamp();
}

int og_write_assignments_file_to(const std::string& path, int mode) {
  SchoolFileText text;
  int built = og_description_text(mode, text);
  if (built != 0) return built > 0 ? 0 : built;
  int error = 0;
  bool written = text.commit(path, &error);
  og_description_text_written(path, mode, written, error);
  return written ? 0 : -1;
}

int og_write_assignments_file(int mode, int option) {
  (void)option;
  static const char* const kFiles[3] = {"scuola2.txt", "cattTEST.txt", "cattPROV.txt"};
  if (mode < 0 || mode > 2) return -3;
  return og_write_assignments_file_to(kFiles[mode], mode);
}

namespace {

// Both tell the user when the file did not read or was not written.
int read_hook(int create) {
  if (og_read_assignments_file(create) != -2) return 0;
  og_tell_school_not_read(og_description_error());
  return -1;
}
int write_hook(int mode) {
  if (og_write_assignments_file(mode, 0) == 0) return 0;
  og_tell_school_not_saved(og_description_write_error());
  return -1;
}

}  // namespace

void og_install_description_hooks() {
  DescriptionFileHooks hooks;
  hooks.read = read_hook;
  hooks.write = write_hook;
  hooks.write_both = [] { return og_save_school_files() ? 0 : -1; };
  og_set_description_hooks(hooks);
}
