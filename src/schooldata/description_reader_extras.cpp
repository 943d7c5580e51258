// The description reader's school-level lines that are not band tables or
// rooms: provisional hours ("DAYSPRNS:"), short days ("CORTO:"), the stand-by
// bands ("DISPOSIZIONE:"), class lists with a flag or a value ("GINNASIO:",
// "TIPOLOCL:", "ROTAZIA:", "ROTAZIX:"), the rotation pauses and the
// "TEKNO:" values.
//
// Every class named in a list is found or added through the shared lookup,
// which refuses a 301st class with its message; list items whose first
// character is not a digit are skipped. Each field is parsed within its own
// text, so nothing is read past a field. A handful of lines per file.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "schooldata/description_reader.h"
#include "schooldata/description_reader_parts.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/ui_school_model.h"

namespace {

UiSchoolHeader& hd = g_ui_header;
UiSchoolSettings& se = g_ui_settings;

bool starts(const std::string& text, const char* key) {
  return text.compare(0, std::strlen(key), key) == 0;
}

std::vector<std::string> split(const std::string& text, char sep) {
  std::vector<std::string> items;
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t end = text.find(sep, at);
    if (end == std::string::npos) end = text.size();
    items.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return items;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Class of a list item (found or added); -1 when the item is no class code.
int list_class(const std::string& item, const std::string& line) {
  if (item.empty() || !is_digit(item[0])) return -1;
  return desc_class(item, true, line);
}

void read_provisional_days(const std::string& rest, const std::string& line) {
  std::vector<std::string> f = og_split_fields(rest);
  if (f.empty()) return;
  std::vector<std::string> hours = split(f[0], '-');
  for (int d = 0; d < 7 && d < static_cast<int>(hours.size()); ++d) {
    int h = std::atoi(hours[d].c_str());
    hd.provisional_hours_per_day[d] = static_cast<std::uint8_t>(h < 0 ? 0 : h > 12 ? 12 : h);
  }
  if (f.size() > 1) hd.provisional_value1 = static_cast<std::uint32_t>(desc_fitting(f[1].c_str(), 0, UINT32_MAX, line));
  if (f.size() > 2) hd.provisional_value2 = desc_byte(f[2].c_str(), line);
}

// The header's day codes while reading; the language's codes before a
// "DAYS:" line has given them.
int day_of_code(const std::string& field) {
  static const char* const kCodes[7] = {"LU", "MA", "ME", "GI", "VE", "SA", "DO"};
  if (field.size() < 2) return -1;
  for (int d = 0; d < 7; ++d) {
    const char* code = hd.day_codes[d][0] != 0 ? hd.day_codes[d] : kCodes[d];
    if (field[0] == code[0] && field[1] == code[1]) return d;
  }
  return -1;
}

void read_short_days(const std::vector<std::string>& f, const std::string& line) {
  for (std::size_t i = 0; i < f.size() && i < 7; ++i) {
    int d = day_of_code(f[i]);
    if (d < 0) desc_fail("Nome del giorno corto?", "Name des kurzen Tages?", "Short day name?", line);
    std::size_t dash = f[i].find('-');
    hd.short_days[d] = static_cast<std::uint8_t>(dash == std::string::npos ? 1 : desc_fitting(f[i].c_str() + dash + 1, 0, UINT8_MAX, line));
  }
}

void read_standby_bands(const std::string& rest, const std::string& line) {
  std::size_t field = rest.find("DISPODAY:");
  std::size_t first_bar = rest.find('|', 1);
  if (field == std::string::npos || field > first_bar + 1) {
    desc_fail("DISPOSIZIONE: percentuale|DAY:fino a x per week-n per dai:ecc.",
              "DISPOSIZIONE: Prozent|DAY:bis x pro Woche-n pro Tag:usw.",
              "DISPOSIZIONE: percentage|DAY:up to x per week-n per day:etc.", line);
  }
  // The number before "DISPODAY:" as the engine takes it (sign, digits).
  std::size_t at = !rest.empty() && rest[0] == '|' ? 1 : 0;
  se.standby_grouping = at < field ? static_cast<std::int32_t>(desc_fitting(rest.c_str() + at, INT32_MIN, INT32_MAX, line)) : 0;
  std::string bands = rest.substr(field + 9);
  if (!bands.empty() && bands[0] == '|') bands.erase(0, 1);
  bands = bands.substr(0, bands.find('|'));
  UiHq2Table& t = se.dispoday;
  for (const std::string& entry : split(bands, ':')) {
    if (entry.empty() || t.count >= 9) break;
    std::size_t dash = desc_number_end(entry, 0);
    if (dash == std::string::npos) {
      desc_fail("Configurare DISPOSIZIONE:ore max nel giorno in una classe-max per settimana..",
                "DISPOSIZIONE: max. Stunden am Tag-max. pro Woche",
                "DISPOSIZIONE: max hours a day-max per week", line);
    }
    t.pairs[t.count][0] = desc_byte(entry.c_str(), line);
    t.pairs[t.count][1] = desc_byte(entry.c_str() + dash + 1, line);
    ++t.count;
  }
}

void read_classical(const std::vector<std::string>& f, const std::string& line) {
  if (f.empty()) return;
  for (const std::string& item : split(f[0], '-')) {
    int c = list_class(item, line);
    if (c >= 0) g_ui_structure.classes[c].classical_numbering = 1;
  }
}

void read_class_types(const std::vector<std::string>& f, const std::string& line) {
  if (f.empty()) return;
  std::vector<std::string> items = split(f[0], '-');
  for (std::size_t i = 0; i + 1 < items.size(); i += 2) {
    int c = list_class(items[i], line);
    const std::string& digit = items[i + 1];
    if (c >= 0 && !digit.empty() && is_digit(digit[0])) {
      g_ui_structure.classes[c].class_type = static_cast<std::uint8_t>(digit[0] - '0');
    }
  }
}

void start_rotation() {
  se.rotation_in_use = 1;
  std::memset(se.rotation_breaks, 255, sizeof se.rotation_breaks);
}

void read_rotation(const std::vector<std::string>& f, bool with_values, const std::string& line) {
  if (f.empty()) return;
  for (const std::string& item : split(f[0], '-')) {
    std::size_t colon = item.find(':');
    if (with_values && colon == std::string::npos) continue;
    int c = list_class(item.substr(0, colon), line);
    if (c < 0) continue;
    int value = with_values ? static_cast<int>(desc_fitting(item.c_str() + colon + 1, 0, UINT8_MAX, line)) : 1;
    g_ui_structure.classes[c].rotation = static_cast<std::uint8_t>(value);
  }
  start_rotation();
}

// Up to n numbers a-b-c... read from p; stops at the first missing '-'.
void read_dashed(const char* p, std::uint8_t* out, int n, const std::string& line) {
  for (int k = 0; k < n; ++k) {
    out[k] = static_cast<std::uint8_t>(desc_fitting(p, 0, UINT8_MAX, line));
    const char* dash = std::strchr(p, '-');
    const char* bar = std::strchr(p, '|');
    if (dash == nullptr || (bar != nullptr && bar < dash)) return;
    p = dash + 1;
  }
}

void read_tekno(const std::vector<std::string>& f, const std::string& line) {
  if (f.empty()) return;
  std::vector<std::string> parts = split(f[0], '-');
  for (int k = 0; k < 3; ++k) {
    if (k >= static_cast<int>(parts.size())) return;
    se.tekno[k] = desc_byte(parts[k].c_str(), line);
  }
  if (parts.size() < 4) return;
  desc_copy(se.tekno_text, parts[3], kUiNameSize);
  if (parts.size() < 5) return;
  se.tekno_value = desc_byte(parts[4].c_str(), line);
}

}  // namespace

bool desc_read_school_extra(const std::string& line, const std::string& rest) {
  std::vector<std::string> f = og_split_fields(rest);
  if (starts(line, "DAYSPRNS:")) {
    read_provisional_days(rest, line);
  } else if (starts(line, "CORTO:")) {
    read_short_days(f, line);
  } else if (starts(line, "DISPOSIZIONE:")) {
    read_standby_bands(rest, line);
  } else if (starts(line, "GINNASIO:")) {
    read_classical(f, line);
  } else if (starts(line, "TIPOLOCL:")) {
    read_class_types(f, line);
  } else if (starts(line, "ROTAZIAPAUSA:")) {
    read_dashed(rest.c_str(), se.rotation_breaks, 4, line);
  } else if (starts(line, "ROTAZIA:")) {
    read_rotation(f, false, line);
  } else if (starts(line, "ROTAZIX:")) {
    read_rotation(f, true, line);
  } else if (starts(line, "TEKNO:")) {
    read_tekno(f, line);
  } else {
    return false;
  }
  return true;
}
