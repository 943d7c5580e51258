// The working copies and snapshots of the user interface's school model,
// the byte comparison that detects unsaved changes, the save-or-discard
// decision, and the defaults of a new teacher, structure and school.
//
// Invariant: after every successful read or normal save the snapshot equals
// the working copy, so og_save_if_changed(1) returns 0.
#include "schooldata/ui_school_model.h"

#include <cstring>
#include <string>

#include "engine/shell_services.h"
#include "schooldata/band_defaults.h"
#include "schooldata/school_files.h"
#include "schooldata/structure_file.h"
#include "shell/app_startup.h"

UiSchoolStructure g_ui_structure, g_ui_structure_saved;
UiSchoolHeader g_ui_header, g_ui_header_saved;
UiSchoolSettings g_ui_settings, g_ui_settings_saved;
UiTeacher g_ui_teachers[kUiMaxTeachers], g_ui_teachers_saved[kUiMaxTeachers];
std::uint8_t g_clock_times_flag = 0;
std::uint8_t g_inconsistent_data_flag = 0;
char g_description_comment[801];

namespace {

UnsavedChangesPrompt g_prompt = nullptr;
std::string g_blocked[3];
DescriptionFileHooks g_description_hooks;

template <typename T>
bool differs(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) != 0;
}

void copy_name(char* out, const char* text, std::size_t size) {
  std::strncpy(out, text, size - 1);
  out[size - 1] = 0;
}

}  // namespace

void og_set_school_blocked(SchoolFilePart part, const char* why) {
  g_blocked[static_cast<int>(part)] = why != nullptr ? why : "";
}

bool og_school_loaded() { return g_blocked[0].empty() && g_blocked[1].empty() && g_blocked[2].empty(); }

bool og_school_blocked_by(SchoolFilePart part) { return !g_blocked[static_cast<int>(part)].empty(); }

const char* og_school_unloaded_text() {
  // The unfinished save first: it is why the files themselves were not read.
  for (int part : {2, 0, 1}) {
    if (!g_blocked[part].empty()) return g_blocked[part].c_str();
  }
  return "";
}

void og_clear_structure() {
  std::memset(&g_ui_structure, 0, sizeof g_ui_structure);
  std::memset(&g_ui_structure_saved, 0, sizeof g_ui_structure_saved);
}

void og_clear_school_blocks() {
  std::memset(&g_ui_header, 0, sizeof g_ui_header);
  std::memset(&g_ui_header_saved, 0, sizeof g_ui_header_saved);
  std::memset(&g_ui_settings, 0, sizeof g_ui_settings);
  std::memset(&g_ui_settings_saved, 0, sizeof g_ui_settings_saved);
  std::memset(g_ui_teachers, 0, sizeof g_ui_teachers);
  std::memset(g_ui_teachers_saved, 0, sizeof g_ui_teachers_saved);
}

void og_snapshot_structure() { g_ui_structure_saved = g_ui_structure; }

void og_snapshot_all() {
  g_ui_structure_saved = g_ui_structure;
  g_ui_header_saved = g_ui_header;
  g_ui_settings_saved = g_ui_settings;
  std::memcpy(g_ui_teachers_saved, g_ui_teachers, sizeof g_ui_teachers);
}

bool og_structure_changed() { return differs(g_ui_structure, g_ui_structure_saved); }

bool og_school_changed() {
  if (og_structure_changed() || differs(g_ui_header, g_ui_header_saved) ||
      differs(g_ui_settings, g_ui_settings_saved)) {
    return true;
  }
  std::uint32_t count = g_ui_settings.teacher_count;
  if (count > kUiMaxTeachers) count = kUiMaxTeachers;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (differs(g_ui_teachers[i], g_ui_teachers_saved[i])) return true;
  }
  return false;
}

void og_set_unsaved_changes_prompt(UnsavedChangesPrompt prompt) { g_prompt = prompt; }
void og_set_description_hooks(DescriptionFileHooks hooks) { g_description_hooks = hooks; }

int og_save_if_changed(int check_only) {
  if (!og_school_changed()) return 0;
  if (check_only) return 1;
  int answer = g_prompt != nullptr ? g_prompt() : 3;
  switch (answer) {
    case 1:
      if (g_description_hooks.write_both != nullptr) return g_description_hooks.write_both() == 0 ? 0 : -1;
      if (og_write_structure_file() != 0) {
        og_tell_school_not_saved(og_structure_not_saved_reason());
        return -1;
      }
      if (g_description_hooks.write != nullptr && g_description_hooks.write(0) != 0) return -1;
      return 0;
    case 2:
      if (og_read_structure_file(0) == -2) {
        og_tell_school_not_read(og_structure_error());
        return -1;
      }
      if (g_description_hooks.read != nullptr && g_description_hooks.read(0) != 0) return -1;
      return 0;
    case 3:
      return 1;
    default:
      // The prompt has three answers; any other is a fault of the program.
      og_fatal_system_error("SW", ".\\OG_catw", __LINE__);
  }
}

void og_set_new_structure_defaults() {
  static const char* const kTitle[3] = {"Inserire Nome della scuola",
                                        "Legen Sie den Namen der Schule", "Insert Name of School"};
  copy_name(g_ui_header.school_name, kTitle[g_language < 3 ? g_language : 0],
            sizeof g_ui_header.school_name);
  g_ui_structure.track_count = 1;
  g_ui_structure.status[1] = '0';
}

namespace {

void fill_if_empty(UiHq2Table& table, int (*get)(UiHq2Table*, UiHq2Table*, int)) {
  if (og_hq2_count(table) == 0) get(&table, nullptr, 1);
}

void default_calendar(int unit) {
  static const char* const kCodes[7] = {"LU", "MA", "ME", "GI", "VE", "SA", "DO"};
  static const char* const kNames[7] = {"LUNEDI'", "martedi'", "mercoledi'", "giovedi'",
                                        "venerDI'", "sabato", "domenica"};
  UiSchoolHeader& h = g_ui_header;
  for (int d = 0; d < 7; ++d) {
    copy_name(h.day_codes[d], kCodes[d], sizeof h.day_codes[d]);
    copy_name(h.day_names[d], kNames[d], sizeof h.day_names[d]);
    h.hours_per_day[d] = d < 6 ? 6 : 0;
  }
  UiSchoolSettings& s = g_ui_settings;
  std::memset(&s.buildings[0], 0, sizeof s.buildings[0]);
  copy_name(s.buildings[0].name, "Centrale", kUiNameSize);
  s.building_count = 1;
  s.maxbuday[0] = 9;
  if (unit == 0) {
    for (int d = 0; d < 5; ++d) h.hours_per_day[d] = 7;
    h.hours_per_day[5] = 0;
  } else if (unit == 1) {
    h.short_days[5] = 1;
    for (int d = 0; d < 5; ++d) h.hours_per_day[d] = 7;
    h.hours_per_day[5] = 5;
  } else {
    h.short_days[5] = 1;
  }
}

}  // namespace

void og_set_new_school_defaults(int type_code) {
  UiSchoolSettings& s = g_ui_settings;
  if (type_code >= 0) {
    int unit = type_code % 10;
    default_calendar(unit);
    for (UiHq2Table* t : {&s.iggiorni, &s.giornipausacl, &s.ihminimo, &s.ihsg, &s.ihsglab,
                          &s.ihsgcon, &s.gruppioremax, &s.ultimeoremax, &s.enterexit,
                          &s.enterexitlab, &s.enterexitcon, &s.ihbuche, &s.dispoday}) {
      fill_if_empty(*t, og_get_hq2_defaults);
    }
    UiHq2Table* presence[6] = {&s.ihpresenza,    &s.ihinsegna,     &s.ihlabpresenza,
                               &s.ihlabinsegna, &s.ihconpresenza, &s.ihconinsegna};
    for (UiHq2Table* t : presence) {
      fill_if_empty(*t, unit > 1 ? og_get_hq2_defaults : og_get_hq2_defaults_alt);
    }
    if (type_code < 50) {
      for (UiHq2Table* t : {&s.ihsg, &s.ihsglab, &s.ihsgcon, &s.gruppioremax}) {
        og_get_hq2_defaults_lower(t, nullptr, 1);
      }
      for (UiHq2Table* t : presence) og_get_hq2_defaults_lower(t, nullptr, 1);
      og_get_hq3_defaults_lower(&s.ihinsegnaextra, nullptr, 1);
      og_get_hq3_defaults_lower(&s.ihpresenzaextra, nullptr, 1);
    } else {
      if (og_hq3_count(s.ihinsegnaextra) == 0) og_get_hq3_defaults(&s.ihinsegnaextra, nullptr, 1);
      if (og_hq3_count(s.ihpresenzaextra) == 0) {
        og_get_hq3_defaults(&s.ihpresenzaextra, nullptr, 1);
      }
    }
  }
  fill_if_empty(s.ihbuchecsb, og_get_hq2_defaults);
  fill_if_empty(s.ihbuchecst, og_get_hq2_defaults);
}
