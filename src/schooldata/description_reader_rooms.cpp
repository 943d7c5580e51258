// The description reader's rooms: labs ("LABOR:" name-building and "OR:"
// availability), lab groups ("GRULLAB:") and gyms and other common rooms
// ("LOC:" with subjects, limits, building and availability), plus the
// helpers the reader's units share (error, copy, class and subject lookup).
//
// Week ranges are checked against 12 hours a day before a cell is set; an
// unset mask (first byte 255) is cleared before its first range.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "engine/shell_services.h"
#include "platform/cp1252.h"
#include "schooldata/day_codes.h"
#include "schooldata/description_reader_parts.h"
#include "schooldata/model_lookups.h"
#include "schooldata/ui_school_model.h"

void desc_fail(const std::string& it, const std::string& de, const std::string& en, const std::string&) {
  const std::string* text[3] = {&it, &de, &en};
  throw ReadError{*text[g_language < 3 ? g_language : 0], true};
}

void desc_copy(char* out, const std::string& text, std::size_t size) {
  std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(out, text.data(), n);
  out[n] = 0;
}

int desc_class(const std::string& code, bool add, const std::string& line) {
  int c = og_find_or_add_class(code.c_str(), add ? 1 : 0);
  if (c < 0 && add) desc_fail(og_lookup_error(), og_lookup_error(), og_lookup_error(), line);
  return c;
}

int desc_subject(const std::string& name, char type, const std::string& line) {
  int s = og_find_or_add_subject(name.c_str(), type);
  if (s < 0) desc_fail(og_lookup_error(), og_lookup_error(), og_lookup_error(), line);
  return s;
}

bool desc_read_week_ranges(unsigned char* mask, const char* text) {
  if (mask[0] == 255) std::memset(mask, 0, kUiWeekCells);
  const char* p = text;
  for (;;) {
    int day = og_next_day_code(p);
    if (day == kNoDayCode) return true;
    if (day < 0) return false;
    int a = std::atoi(p);
    const char* dash = std::strchr(p, '-');
    if (dash == nullptr) return false;
    int b = std::atoi(dash + 1);
    if (a < 1 || b > 12 || b < a) return false;
    for (int h = a - 1; h < b; ++h) mask[day * 12 + h] = 1;
    p = dash + 1;
    while (*p >= '0' && *p <= '9') ++p;
  }
}

void desc_read_lab(const std::vector<std::string>& f, const std::vector<std::string>& written, const std::string& line) {
  if (f.empty()) return;
  std::size_t dash = f[0].rfind('-');
  if (dash == std::string::npos) {
    desc_fail("lab: sede indicata errata", "Labor: Gebäude falsch"_cp, "lab: wrong building", line);
  }
  int l = og_find_or_add_lab(f[0].substr(0, dash).c_str());
  if (l < 0) desc_fail("Numero lab eccessivo", "Zu viele Labors", "Too many labs", line);
  UiLab& lab = g_ui_structure.labs[l];
  const std::string& kept = !written.empty() && written[0].size() == f[0].size() ? written[0] : f[0];
  desc_copy(lab.description, kept.substr(dash + 1), kUiNameSize);
  lab.hours[0] = 255;
  for (std::size_t i = 1; i < f.size(); ++i) {
    if (f[i].compare(0, 3, "OR:") != 0) continue;
    if (!desc_read_week_ranges(lab.hours, f[i].c_str() + 3)) {
      desc_fail("Configurare OR:da-a ..", "OR:von-bis ..", "Configure OR:from-to ..", line);
    }
  }
}

void desc_read_lab_group(const std::vector<std::string>& f, const std::string& line) {
  if (f.empty()) return;
  int g = og_find_or_add_lab_group(f[0].c_str());
  if (g < 0) desc_fail(og_lookup_error(), og_lookup_error(), og_lookup_error(), line);
  UiLabGroup& group = g_ui_structure.lab_groups[g];
  for (std::size_t i = 1; i < f.size() && i <= 20; ++i) {
    std::string name = f[i].substr(0, kUiNameSize - 1);
    group.labs[i - 1] = -1;
    for (std::uint32_t l = 0; l < g_ui_structure.lab_count && l < kUiMaxLabs; ++l) {
      if (name == g_ui_structure.labs[l].name) group.labs[i - 1] = static_cast<std::int16_t>(l);
    }
  }
}

namespace {

bool starts(const std::string& text, const char* key) {
  return text.compare(0, std::strlen(key), key) == 0;
}

int gym_building(const UiGym& gym, const std::string& name, const std::string& line) {
  UiSchoolSettings& se = g_ui_settings;
  for (int b = 0; b < se.building_count && b < kUiMaxBuildings; ++b) {
    if (!name.empty() && kt::cp1252_casecmp(name.c_str(), se.buildings[b].name) == 0) return b;
  }
  if (name.empty() && se.building_count < 2) return 0;
  if (name.empty()) {
    for (int b = 0; b < se.building_count && b < kUiMaxBuildings; ++b) {
      bool used = false;
      for (std::uint32_t o = 0; o < se.gym_count && &se.gyms[o] != &gym; ++o) {
        used = used || (se.gyms[o].building == b && se.gyms[o].subjects[0] == gym.subjects[0]);
      }
      if (!used) return b;
    }
  }
  desc_fail("Sede locale comune", "Gebäude des Gemeinschaftsraums"_cp, "Building of common room",
            line);
}

void read_pairs(std::uint8_t (*pairs)[2], std::int8_t& count, const std::string& text, long high,
                const char* too_many, const char* syntax, const std::string& line) {
  std::size_t at = 0;
  while (at < text.size() && text[at] == ':') {
    std::size_t dash = text.find('-', at);
    if (dash == std::string::npos) desc_fail(syntax, syntax, syntax, line);
    if (count >= 9) desc_fail(too_many, too_many, too_many, line);
    pairs[count][0] = static_cast<std::uint8_t>(desc_fitting(text.c_str() + at + 1, 0, high, line));
    pairs[count][1] = text[dash + 1] == 'N' ? 255 : static_cast<std::uint8_t>(desc_fitting(text.c_str() + dash + 1, 0, high, line));
    ++count;
    at = text.find(':', dash);
    if (at == std::string::npos) break;
  }
}

}  // namespace

void desc_read_gym(const std::vector<std::string>& f, const std::string& line) {
  if (f.empty()) return;
  UiSchoolSettings& se = g_ui_settings;
  int g = -1;
  for (std::uint32_t i = 0; i < se.gym_count && i < kUiMaxGyms; ++i) {
    if (kt::cp1252_casecmp(f[0].substr(0, kUiNameSize - 1).c_str(), se.gyms[i].name) == 0) g = static_cast<int>(i);
  }
  if (g < 0) {
    if (se.gym_count >= kUiMaxGyms) {
      desc_fail("Numero Palestre (o altri Locali Comuni) eccessivo", "Zu viele Turnhallen",
                "Too many gyms", line);
    }
    g = static_cast<int>(se.gym_count++);
    UiGym& fresh = se.gyms[g];
    std::memset(&fresh, 0, sizeof fresh);
    desc_copy(fresh.name, f[0], kUiNameSize);
    fresh.hours[0] = 255;
    std::memset(fresh.pairs, 255, sizeof fresh.pairs);
    for (int k = 0; k < 4; ++k) fresh.subjects[k] = -1;
  }
  UiGym& gym = se.gyms[g];
  for (std::size_t i = 1; i < f.size(); ++i) {
    const std::string& it = f[i];
    if (starts(it, "GMPM:")) {
      int k = 0;
      for (std::size_t at = 5; at < it.size() && k < 4;) {
        std::size_t end = it.find('-', at);
        std::string name = it.substr(at, end == std::string::npos ? end : end - at);
        if (!name.empty()) gym.subjects[k++] = desc_subject(name, 'N', line);
        if (end == std::string::npos) break;
        at = end + 1;
      }
      for (; k < 4; ++k) gym.subjects[k] = -1;
    } else if (starts(it, "GM:")) {
      // "GM:" alone: a room of no subject, as the writer puts it.
      gym.subjects[0] = it.size() > 3 ? desc_subject(it.substr(3), 'N', line) : -1;
      gym.subjects[1] = gym.subjects[2] = gym.subjects[3] = -1;
    } else if (starts(it, "MAT:")) {
    } else if (starts(it, "PRMAX:")) {
      if (it.size() > 6 && it[6] >= '0' && it[6] <= '9') gym.max_classes = desc_byte(it.c_str() + 6, line);
    } else if (starts(it, "PRMIN:")) {
      for (std::size_t k = 0; k < 3 && 6 + 2 * k < it.size(); ++k) gym.min_classes[k] = static_cast<std::int8_t>(it[6 + 2 * k] - '0');
    } else if (starts(it, "SEDE:")) {
      gym.building = static_cast<std::int8_t>(gym_building(gym, it.substr(5), line));
    } else if (starts(it, "COPPIE:")) {
      // The pairs are saved as one digit each: a larger number would be
      // written as another character.
      read_pairs(gym.pairs, gym.pair_count, it.substr(6), 9, "Troppe Coppie", "Coppie sintassi errata", line);
    } else if (starts(it, "PEROCOET:")) {
      gym.tolerated_errors = static_cast<std::uint32_t>(desc_fitting(it.c_str() + 9, 0, UINT32_MAX, line));
    } else if (starts(it, "PEROCO:")) {
      read_pairs(gym.sharing, gym.sharing_count, it.substr(6), UINT8_MAX, "Troppe h_peroco", "h_peroco sintassi errata", line);
    } else if (starts(it, "AVOMAX:")) {
      gym.max_product = desc_byte(it.c_str() + 7, line);
    } else if (starts(it, "OR:")) {
      if (!desc_read_week_ranges(gym.hours, it.c_str() + 3)) {
        desc_fail("Configurare OR:da-a ..", "OR:von-bis ..", "Configure OR:from-to ..", line);
      }
    } else if (starts(it, "OX:")) {
      for (std::size_t c = 0; c < static_cast<std::size_t>(kUiWeekCells) && 3 + c < it.size(); ++c) {
        gym.classes_by_hour[c] = static_cast<std::int8_t>(it[3 + c] - '0');
      }
    } else {
      desc_fail("Locali comuni?", "Gemeinschaftsräume?"_cp, "Common rooms?", line);
    }
  }
}
