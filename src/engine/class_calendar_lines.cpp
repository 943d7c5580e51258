// Class-level lines of the teacher pass that need the classes: identifiers
// for the outside school register ("SISSI:"), hour durations ("CLADAYS:"),
// special week days ("SKAVA:", "SKAVB:") and special calendars ("CALESPE:",
// "SCALJAN:").
//
// A calendar line counts in one mode only: 'P' for the provisional
// timetable, 'G' (or no letter) for the normal one. Hours of a special
// calendar lie in 1..12 and a day has at most 12 duration pairs, so no value
// reaches another day's slots. A line naming an unknown class does nothing.
//
// Workload: at most a few lines per class.
#include <cstring>

#include "engine/errors.h"
#include "engine/loader_internal.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"

namespace {

// Finds the class of a calendar line. Returns -1 when the line does not
// count in this mode or names no class; p is left behind the class's ':'.
int calendar_class(const char*& p, const char* message) {
  bool provisional = g_provisional_mode != 0;
  if ((p[0] == 'P' || p[0] == 'G') && p[1] == ':') {
    if ((p[0] == 'P') != provisional) return -1;
    p += 2;
  } else if (provisional) {
    return -1;
  }
  const char* colon = or_find_sub_separator(p);
  if (colon == nullptr) loader_config_error(message);
  // Day lines may follow the class code without its colon ("1ALU:480:60"):
  // a text longer than a class code holds the code and the first day.
  const int length = g_eng_school.class_code_length;
  int n = static_cast<int>(colon - p);
  char code[kClassCodeSize];
  copy_until(code, p, n < length ? n : length, nullptr);
  p = n > length ? p + length : colon + 1;
  return or_find_class(code);
}

const char* line_value(const char* line, std::size_t key_length) {
  const char* p = line + key_length;
  return *p == '|' ? next_field(p) : p;
}

}  // namespace

void or_read_sissi_ids(const char* line) {
  const char* p = line_value(line, 6);
  if (p == nullptr) loader_config_error("Errore dati SISSI");
  char name[kNameSize];
  if (starts_with(p, "IDS:")) {
    copy_until(g_eng_school.school_code, line_value(p, 4), sizeof(g_eng_school.school_code) - 1, nullptr);
    return;
  }
  bool teacher = starts_with(p, "IDD:");
  bool cls = starts_with(p, "IDC:");
  bool subject = starts_with(p, "IDM:");
  if (!teacher && !cls && !subject) loader_config_error("Errore dati SISSI");
  const char* name_start = line_value(p, 4);
  copy_until(name, name_start, kNameSize - 1, nullptr);
  or_trim_trailing_blanks(name);
  const char* id = next_field(name_start);
  char value[17];
  copy_until(value, id, 16, nullptr);
  if (teacher) {
    for (int t = 0; t < g_eng_school.teacher_count; ++t)
      if (std::strcmp(g_eng_teachers[t].name, name) == 0) std::memcpy(g_eng_teachers[t].sissi_id, value, 17);
  } else if (cls) {
    int length = g_eng_school.class_code_length < 3 ? 2 : g_eng_school.class_code_length;
    for (int c = 0; c < g_eng_school.class_count; ++c)
      if (std::strncmp(g_eng_classes[c].code, name, length) == 0) {
        std::memcpy(g_eng_classes[c].sissi_id, value, 17);
        break;
      }
  } else {
    value[8] = '\0';
    for (int s = 0; s < g_eng_school.subject_count; ++s)
      if (std::strcmp(g_eng_subjects[s].group_name, name) == 0 || std::strcmp(g_eng_subjects[s].specific_name, name) == 0)
        std::memcpy(g_eng_subjects[s].sissi_id, value, 9);
    static const char* const kSupport[3] = {"Sostegno", "Behindertenhilfe", "Handicap Help"};
    int language = g_status.language;
    if (language < 0 || language > 2) language = 0;
    if (kt::cp1252_casecmp(name, kSupport[language]) == 0)
      copy_until(g_eng_school.support_code, value, sizeof(g_eng_school.support_code) - 1, nullptr);
  }
}

void or_read_class_hour_durations(const char* line) {
  const char* const kMessage = "Errore configurazione classi con ore di durata fuori standard";
  const char* p = line + 8;
  int cls = calendar_class(p, kMessage);
  if (cls < 0) return;
  EngineClass& c = g_eng_classes[cls];
  for (int day = or_next_day_name(p); day >= 0; day = or_next_day_name(p)) {
    for (int j = 0; is_digit(*p); ++j) {
      if (j >= kHoursPerDay) loader_config_error(kMessage);
      int start = take_number(p);
      if (*p != ':' || !is_digit(p[1])) loader_config_error(kMessage);
      ++p;
      int length = take_number(p);
      c.timing[0][day][j] = static_cast<std::uint16_t>(start > 65535 ? 65535 : start);
      c.timing[1][day][j] = static_cast<std::uint16_t>(length > 65535 ? 65535 : length);
      if (*p == ':') ++p;
    }
    if (*p == '-') ++p;
  }
}

void or_read_class_special_days(const char* line, int which) {
  const char* const kMessage = "Errore configurazione calendario speciale";
  const char* p = line + 6;
  int cls = calendar_class(p, kMessage);
  if (cls < 0) return;
  char* days = which == 0 ? g_eng_classes[cls].special_weekdays : g_eng_classes[cls].special_weekdays_b;
  std::memset(days, '0', kDays);
  int filled = 0;
  for (int pair = 0; pair < kHoursPerDay && is_digit(*p); ++pair) {
    char digit = *p++;
    if (*p != '-') loader_config_error(kMessage);
    ++p;
    int count = take_number(p);
    for (int k = 0; k < count && filled < kDays; ++k) days[filled++] = digit;
    if (*p != ':') break;
    ++p;
  }
  if (g_provisional_mode == 0) return;
  for (int d = 0; d < kDays; ++d) {
    auto reached = [&](char c) {
      for (int k = 0; k < kDays; ++k)
        if (g_eng_school.provisional_hours_per_day[k] >= c - '0') return true;
      return false;
    };
    while (days[d] > '0' && !reached(days[d])) --days[d];
  }
}

void or_read_class_special_calendar(const char* line, int which) {
  const char* const kMessage = "Errore configurazione calendario speciale";
  const char* p = line + 8;  // "CALESPE:" and "SCALJAN:" have the same length
  int cls = calendar_class(p, kMessage);
  if (cls < 0) return;
  EngineClass& c = g_eng_classes[cls];
  if (which == 1) {
    if (is_digit(*p)) c.class_digits[0] = static_cast<std::uint8_t>(*p - '0');
    const char* dash = or_find_range_dash(p);
    if (dash != nullptr && is_digit(dash[1])) c.class_digits[1] = static_cast<std::uint8_t>(dash[1] - '0');
    g_eng_school.option_flags |= 1;
    return;
  }
  std::memset(c.special_calendar, 0, sizeof(c.special_calendar));
  read_day_ranges(p, c.special_calendar, kMessage);
  for (const char* f = next_field(p); f != nullptr; f = next_field(f))
    if (starts_with(f, "SCALINO:")) c.scalino_step = static_cast<std::uint8_t>(loader_fitting(read_number(f + 8), -128, 127) & 0xFF);
}
