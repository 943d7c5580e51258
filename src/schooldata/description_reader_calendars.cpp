// The description reader's class calendars ("CALESPE:", "SCALJAN:",
// "SKAVA:", "SKAVB:", "CLADAYS:") and the SISSI identifiers of the school,
// its teachers, classes and subjects ("SISSI:").
//
// A calendar line names its block by an optional letter ('P' provisional,
// 'G' or none normal) and its class by code; a class no line of the file
// names makes the line do nothing. Hours lie in 1..12 and a day holds at most
// 12 time pairs, so no value reaches another day's cells. A SKAV row keeps its entries in the
// order of the line (the engine reads them in that order). Identifiers are
// cut to their fields' sizes. A few lines per class.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/shell_services.h"
#include "platform/cp1252.h"
#include "schooldata/day_codes.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_reader_parts.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/model_lookups.h"
#include "schooldata/ui_school_model.h"

char g_ui_support_sissi_id[9];

namespace {

const char* const kCalendarMessage[3] = {"Errore configurazione calendario speciale",
                                         "Fehler in der Konfiguration des Sonderkalenders",
                                         "Special calendar configuration error"};

[[noreturn]] void calendar_fail(const std::string& line) {
  desc_fail(kCalendarMessage[0], kCalendarMessage[1], kCalendarMessage[2], line);
}

bool starts(const std::string& text, const char* key) {
  return text.compare(0, std::strlen(key), key) == 0;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

int take_number(const char*& p) {
  int n = 0;
  while (is_digit(*p)) {
    if (n < 100000) n = n * 10 + (*p - '0');
    ++p;
  }
  return n;
}

// Calendar lines of a class no line before them has named. A school without
// its structure file gets its classes from the teaching lines, which may come
// after the calendars (the engine reads them in a later pass): such a line is
// read once into a scratch block, so a bad one still fails at its own line,
// and again for its class when the whole file has been read. A later line of
// that class waits too, so the lines of one class apply in file order.
std::vector<std::string> g_waiting_lines;
std::vector<std::string> g_waiting_classes;
bool g_replaying = false;
UiClassCalendar g_scratch_calendar;

// The calendar block of a line's "[letter:]class:" head; null for a class
// still unknown once the whole file has been read. body is left behind the
// class's ':'.
UiClassCalendar* calendar_of(const std::string& head, std::string& body, const std::string& line) {
  std::size_t at = 0;
  int block = 0;
  if (head.size() >= 2 && (head[0] == 'P' || head[0] == 'G') && head[1] == ':') {
    block = head[0] == 'P' ? 1 : 0;
    at = 2;
  }
  std::size_t colon = head.find(':', at);
  std::size_t bar = head.find('|', at);
  if (colon == std::string::npos || (bar != std::string::npos && bar < colon)) calendar_fail(line);
  body = head.substr(colon + 1);
  const std::string name = head.substr(at, colon - at);
  bool waits = !g_replaying && std::find(g_waiting_classes.begin(), g_waiting_classes.end(), name) != g_waiting_classes.end();
  int c = waits ? -1 : desc_class(name, false, line);
  if (c >= 0) return &g_ui_structure.classes[c].calendars[block];
  if (g_replaying) return nullptr;
  if (!waits) g_waiting_classes.push_back(name);
  g_waiting_lines.push_back(line);
  std::memset(&g_scratch_calendar, 0, sizeof g_scratch_calendar);
  return &g_scratch_calendar;
}

void read_special_calendar(const std::string& head, const std::string& line) {
  std::string body;
  UiClassCalendar* cal = calendar_of(head, body, line);
  if (cal == nullptr) return;
  std::memset(cal->calendar_hours, 0, kUiWeekCells);
  if (!desc_read_week_ranges(cal->calendar_hours, body.c_str())) calendar_fail(line);
  std::vector<std::string> fields = og_split_fields(body);
  for (std::size_t i = 1; i < fields.size(); ++i) {
    if (starts(fields[i], "SCALINO:")) cal->max_day_difference = desc_byte(fields[i].c_str() + 8, line);
  }
}

void read_steps(const std::string& head, const std::string& line) {
  std::string body;
  UiClassCalendar* cal = calendar_of(head, body, line);
  if (cal == nullptr) return;
  cal->max_day_difference = desc_byte(body.c_str(), line);
  std::size_t dash = body.find('-');
  if (dash != std::string::npos && dash < body.find('|')) {
    cal->second_hour_entries = desc_byte(body.c_str() + dash + 1, line);
  }
}

void read_day_lengths(const std::string& head, int row, const std::string& line) {
  std::string body;
  UiClassCalendar* cal = calendar_of(head, body, line);
  if (cal == nullptr) return;
  std::memset(cal->day_lengths[row], 0, sizeof cal->day_lengths[row]);
  const char* p = body.c_str();
  for (int k = 0; k < 12 && is_digit(*p); ++k) {
    int hours = static_cast<int>(desc_fitting(p, 0, UINT8_MAX, line));
    take_number(p);
    if (*p != '-') calendar_fail(line);
    ++p;
    int days = static_cast<int>(desc_fitting(p, 0, UINT8_MAX, line));
    take_number(p);
    cal->day_lengths[row][k][0] = static_cast<std::uint8_t>(hours);
    cal->day_lengths[row][k][1] = static_cast<std::uint8_t>(days);
    if (*p != ':') break;
    ++p;
  }
}

void read_hour_times(const std::string& head, const std::string& line) {
  std::string body;
  UiClassCalendar* cal = calendar_of(head, body, line);
  if (cal == nullptr) return;
  const char* p = body.c_str();
  for (;;) {
    int day = og_next_day_code(p);
    if (day == kNoDayCode) return;
    if (day < 0) calendar_fail(line);
    for (int h = 0; h < 12 && is_digit(*p); ++h) {
      int start = take_number(p);
      if (*p != ':' || !is_digit(p[1])) calendar_fail(line);
      ++p;
      int length = take_number(p);
      cal->hour_start_times[day * 12 + h] = static_cast<std::int16_t>(start > 32767 ? 32767 : start);
      cal->hour_durations[day * 12 + h] = static_cast<std::int16_t>(length > 32767 ? 32767 : length);
      if (*p == ':' && is_digit(p[1])) ++p;
    }
    if (*p == '-') {
      ++p;
    } else if (*p != 0 && *p != '|') {
      calendar_fail(line);
    }
  }
}

void read_sissi(const std::string& rest, const std::string& line) {
  const char* const kMessage = "Errore dati SISSI";
  if (rest.size() < 4 || rest[3] != ':') desc_fail(kMessage, kMessage, kMessage, line);
  std::string kind = rest.substr(0, 3);
  std::vector<std::string> f = og_split_fields(rest.substr(4));
  std::string name = f.empty() ? std::string() : f[0];
  std::string id = f.size() > 1 ? f[1] : std::string();
  // The writer's stand-in for an identifier not set.
  if (id.rfind("UNDEF:", 0) == 0) id.clear();
  if (kind == "IDS") {
    desc_copy(g_ui_settings.sissi_school_id, name, sizeof g_ui_settings.sissi_school_id);
  } else if (kind == "IDD") {
    if (name.empty()) return;
    int t = og_find_or_add_teacher(name.c_str());
    if (t < 0) desc_fail(og_lookup_error(), og_lookup_error(), og_lookup_error(), line);
    desc_copy(g_ui_teachers[t].sissi_id, id, sizeof g_ui_teachers[t].sissi_id);
  } else if (kind == "IDC") {
    if (name.empty()) return;
    // Only a code that starts with its year is a class the structure file
    // keeps; any other would be gone at the next opening.
    if (name[0] < '0' || name[0] > '9') desc_fail(kMessage, kMessage, kMessage, line);
    int c = desc_class(name, true, line);
    desc_copy(g_ui_structure.classes[c].sissi_id, id, sizeof g_ui_structure.classes[c].sissi_id);
  } else if (kind == "IDM") {
    if (name.empty()) return;
    if (kt::cp1252_casecmp(name.c_str(), og_support_subject_word()) == 0) {
      // The writer names the support subject even when no subject carries
      // its name: its identifier is kept, and no subject is made of it.
      desc_copy(g_ui_support_sissi_id, id, sizeof g_ui_support_sissi_id);
      UiSchoolStructure& st = g_ui_structure;
      for (std::uint32_t s = 0; s < st.subject_count && s < kUiMaxSubjects; ++s) {
        if (kt::cp1252_casecmp(st.subjects[s].name, name.c_str()) == 0) {
          desc_copy(st.subjects[s].sissi_id, id, sizeof st.subjects[s].sissi_id);
        }
      }
      return;
    }
    int s = desc_subject(name, 0, line);
    desc_copy(g_ui_structure.subjects[s].sissi_id, id, sizeof g_ui_structure.subjects[s].sissi_id);
  } else {
    desc_fail(kMessage, kMessage, kMessage, line);
  }
}

}  // namespace

const char* og_support_subject_word() {
  static const char* const kWord[3] = {"Sostegno", "Behindertenhilfe", "Handicap Help"};
  return kWord[g_language < 3 ? g_language : 0];
}

const char* og_single_building_name() {
  static const char* const kName[3] = {"Centrale Sede Unica", "Einzige Geb\xE4ude", "Unique building"};
  return kName[g_language < 3 ? g_language : 0];
}

bool desc_read_class_line(const std::string& line) {
  if (starts(line, "CALESPE:")) {
    read_special_calendar(line.substr(8), line);
  } else if (starts(line, "SCALJAN:")) {
    read_steps(line.substr(8), line);
  } else if (starts(line, "SKAVA:") || starts(line, "SKAVB:")) {
    read_day_lengths(line.substr(6), line[4] == 'A' ? 0 : 1, line);
  } else if (starts(line, "CLADAYS:")) {
    read_hour_times(line.substr(8), line);
  } else if (starts(line, "SISSI:")) {
    read_sissi(line.substr(6), line);
  } else {
    return false;
  }
  return true;
}

void desc_forget_waiting_class_lines() {
  g_waiting_lines.clear();
  g_waiting_classes.clear();
}

void desc_read_waiting_class_lines() {
  g_replaying = true;
  std::vector<std::string> lines;
  lines.swap(g_waiting_lines);
  desc_forget_waiting_class_lines();
  try {
    for (const std::string& line : lines) desc_read_class_line(line);
  } catch (...) {
    g_replaying = false;
    throw;
  }
  g_replaying = false;
}

void desc_complete_class_times() {
  UiSchoolStructure& st = g_ui_structure;
  for (std::uint32_t c = 0; c < st.class_count && c < kUiMaxClasses; ++c) {
    for (UiClassCalendar& cal : st.classes[c].calendars) {
      bool empty = true;
      for (int k = 0; k < kUiWeekCells && empty; ++k) {
        empty = cal.hour_start_times[k] == 0 && cal.hour_durations[k] == 0;
      }
      if (!empty) continue;
      std::memcpy(cal.hour_start_times, g_ui_header.hour_start_times, sizeof cal.hour_start_times);
      std::memcpy(cal.hour_durations, g_ui_header.hour_durations, sizeof cal.hour_durations);
    }
  }
}
