// Reads "scuola2.txt" line by line: every line is normalised (TABs and the
// line end become '|', upper case from the second line on), classified by
// its keyword and stored in the working copies of the school blocks; the
// teaching lines under a "GM:" line become teaching posts. After the file
// the model is completed (day names, hour times, main subjects) and the
// working copies are copied to the snapshots.
//
// Errors are thrown as ReadError inside this unit and turned into the
// reader's message at its entry point; every table index is checked
// against its capacity before a write. Shaped for a few thousand lines.
#include "schooldata/description_reader.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/shell_services.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "schooldata/day_codes.h"
#include "schooldata/description_reader_parts.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_lookups.h"
#include "schooldata/school_files.h"
#include "schooldata/school_folder_choice.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/status_info.h"
#include "schooldata/teacher_constraints.h"
#include "schooldata/ui_school_model.h"
#include "shell/message_box.h"

namespace {

std::string g_error;
std::string g_release;

// A release written by a program of ours has the shape of our own release
// text ("6.1.M": digits, dots and a letter in the same places). Only such a
// release can say the file comes from a newer program: a converter's mark
// ("CONV1") or any other text is no program's release and sorts above ours
// by chance, so it must not stop the school from being opened and saved.
bool is_program_release(const std::string& text) {
  const std::size_t n = std::strlen(kProgramRelease);
  if (text.size() != n) return false;
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char ours = static_cast<unsigned char>(kProgramRelease[i]);
    unsigned char theirs = static_cast<unsigned char>(text[i]);
    bool same_kind = (ours >= '0' && ours <= '9') ? theirs >= '0' && theirs <= '9'
                     : (ours >= 'A' && ours <= 'Z') ? theirs >= 'A' && theirs <= 'Z'
                                                    : theirs == ours;
    if (!same_kind) return false;
  }
  return true;
}

UiSchoolHeader& hd = g_ui_header;
UiSchoolSettings& se = g_ui_settings;

struct BandKey {
  const char* key;
  UiHq2Table UiSchoolSettings::*table;
  int limit;
};

const BandKey kBands[] = {
    {"IGGIORNI:", &UiSchoolSettings::iggiorni, 9},
    {"GIORNIPAUSACL:", &UiSchoolSettings::giornipausacl, 9},
    {"IHPRESENZA:", &UiSchoolSettings::ihpresenza, 9},
    {"IHINSEGNA:", &UiSchoolSettings::ihinsegna, 9},
    {"IHLABPRESENZA:", &UiSchoolSettings::ihlabpresenza, 9},
    {"IHLABINSEGNA:", &UiSchoolSettings::ihlabinsegna, 9},
    {"IHCONPRESENZA:", &UiSchoolSettings::ihconpresenza, 9},
    {"IHCONINSEGNA:", &UiSchoolSettings::ihconinsegna, 9},
    {"IHBUCHECSB:", &UiSchoolSettings::ihbuchecsb, 9},
    {"IHBUCHECST:", &UiSchoolSettings::ihbuchecst, 9},
    {"IHBUCHE:", &UiSchoolSettings::ihbuche, 9},
    {"IHSG:", &UiSchoolSettings::ihsg, 9},
    {"IHSGCON:", &UiSchoolSettings::ihsgcon, 9},
    {"IHSGLAB:", &UiSchoolSettings::ihsglab, 9},
    {"IHMINIMO:", &UiSchoolSettings::ihminimo, 9},
    {"ENTEREXITCON:", &UiSchoolSettings::enterexitcon, 9},
    {"ENTEREXITLAB:", &UiSchoolSettings::enterexitlab, 9},
    {"ENTEREXIT:", &UiSchoolSettings::enterexit, 9},
    {"GRUPPIOREMAX:", &UiSchoolSettings::gruppioremax, 9},
    {"ULTIMEOREMAX:", &UiSchoolSettings::ultimeoremax, 9},
};

bool starts(const std::string& text, const char* key) {
  return text.compare(0, std::strlen(key), key) == 0;
}

void read_band(UiHq2Table& table, const std::string& field, int limit, const std::string& line) {
  if (field.empty()) return;
  std::size_t at = 0;
  while (at < field.size() && table.count < limit) {
    std::size_t end = field.find(':', at);
    std::string entry = field.substr(at, end == std::string::npos ? end : end - at);
    std::size_t dash = desc_number_end(entry, 0);
    if (dash == std::string::npos) {
      desc_fail("Configurare fascia:fino a ore-quante ore fino a ore- .",
                "Bandtabelle: bis Stunden-wie viele Stunden", "Band table: up to hours-how many",
                line);
    }
    table.pairs[table.count][0] = desc_byte(entry.c_str(), line);
    table.pairs[table.count][1] = desc_byte(entry.c_str() + dash + 1, line);
    ++table.count;
    if (end == std::string::npos) break;
    at = end + 1;
  }
}

void read_pair(const std::vector<std::string>& f, std::int8_t* a, std::int8_t* b, bool copy_first,
               const std::string& line) {
  if (f.empty()) return;
  *a = desc_byte(f[0].c_str(), line);
  std::size_t dash = f[0].find('-', 1);
  if (dash != std::string::npos) {
    *b = desc_byte(f[0].c_str() + dash + 1, line);
  } else if (copy_first) {
    *b = *a;
  }
}

void read_band3(UiHq3Table& table, const std::string& field, int limit, const std::string& line) {
  std::size_t at = 0;
  while (!field.empty() && at < field.size() && table.count < limit) {
    std::size_t end = field.find(':', at);
    std::string entry = field.substr(at, end == std::string::npos ? end : end - at);
    std::size_t d1 = desc_number_end(entry, 0);
    std::size_t d2 = d1 == std::string::npos ? d1 : desc_number_end(entry, d1 + 1);
    if (d1 == std::string::npos || (line[0] != 'P' && d2 == std::string::npos)) {
      desc_fail("Configurare " + line.substr(0, line.find(':')) + ":oltre ore-quante ore-quante volte max:oltre ore- .",
                "Bandtabelle mit drei Werten", "Band table of three values", line);
    }
    table.triples[table.count][0] = desc_byte(entry.c_str(), line);
    table.triples[table.count][1] = desc_byte(entry.c_str() + d1 + 1, line);
    table.triples[table.count][2] = d2 == std::string::npos ? std::int8_t{0} : desc_byte(entry.c_str() + d2 + 1, line);
    ++table.count;
    if (end == std::string::npos) break;
    at = end + 1;
  }
}

// `written`: the same fields with their letters as the file has them (upper
// case folds one character to one, so offsets agree), for the names.
void read_days(const std::vector<std::string>& fields, const std::vector<std::string>& written,
               const std::string& line) {
  for (int d = 0; d < 7 && d < static_cast<int>(fields.size()); ++d) {
    const std::string& f = fields[d];
    const std::string& name = d < static_cast<int>(written.size()) && written[d].size() == f.size() ? written[d] : f;
    // A day code is two letters: every day-keyed item finds its day by
    // them, and a blank or a digit would not come back from the writer.
    if (f.size() < 3 || !or_is_letter(static_cast<unsigned char>(f[0])) ||
        !or_is_letter(static_cast<unsigned char>(f[1]))) {
      desc_fail("Configurazione giorni errata", "Tage falsch", "Bad days", line);
    }
    hd.day_codes[d][0] = f[0];
    hd.day_codes[d][1] = f[1];
    hd.day_codes[d][2] = 0;
    std::size_t at = 2;
    int hours = 0;
    while (at < f.size() && at < 4 && f[at] >= '0' && f[at] <= '9') hours = hours * 10 + (f[at++] - '0');
    if (hours > 12) desc_fail("Numero ore del giorno?", "Stunden pro Tag?", "Hours per day?", line);
    hd.hours_per_day[d] = static_cast<std::uint8_t>(hours);
    if (at < f.size()) ++at;  // the separator before the name
    std::size_t end = f.find(':', at);
    or_copy_to_char_max(hd.day_names[d], name.c_str() + at, ':', kUiNameSize - 1);
    if (end == std::string::npos) continue;
    g_clock_times_flag = 1;
    const char* p = f.c_str() + end;
    for (int h = 0; h < 12 && *p == ':'; ++h) {
      hd.hour_start_times[d * 12 + h] = static_cast<std::int16_t>(desc_fitting(p + 1, INT16_MIN, INT16_MAX, line));
      p = std::strchr(p + 1, ':');
      if (p == nullptr) break;
      hd.hour_durations[d * 12 + h] = static_cast<std::int16_t>(desc_fitting(p + 1, INT16_MIN, INT16_MAX, line));
      p = std::strchr(p + 1, ':');
      if (p == nullptr) break;
    }
  }
}

int building_index(const std::string& name, bool add, const std::string& line) {
  std::string cut = name.substr(0, kUiNameSize - 1);
  for (int b = 0; b < se.building_count && b < kUiMaxBuildings; ++b) {
    if (kt::cp1252_casecmp(cut.c_str(), se.buildings[b].name) == 0) return b;
  }
  if (!add) return -1;
  if (se.building_count >= kUiMaxBuildings) {
    desc_fail("Numero Sedi eccessivo", "Zu viele Gebäude"_cp, "Too many buildings", line);
  }
  desc_copy(se.buildings[se.building_count].name, cut, kUiNameSize);
  return se.building_count++;
}

void read_building(const std::vector<std::string>& f, const std::string& line) {
  if (f.empty()) return;
  int b = building_index(f[0], true, line);
  if (f.size() < 2) return;
  UiBuilding& bu = se.buildings[b];
  // A building without classes has its conditions right after its name, as
  // the engine reads them.
  bool classes = !starts(f[1], "NOCS:") && !starts(f[1], "NOSPOSTA:");
  std::size_t at = 0;
  const std::string list = classes ? f[1] : std::string();
  while (at < list.size()) {
    std::size_t end = list.find('-', at);
    std::string code = list.substr(at, end == std::string::npos ? end : end - at);
    if (!code.empty() && code[0] >= '0' && code[0] <= '9') {
      g_ui_structure.classes[desc_class(code, true, line)].building = static_cast<std::int8_t>(b);
    }
    if (end == std::string::npos) break;
    at = end + 1;
  }
  for (std::size_t i = classes ? 2 : 1; i < f.size(); ++i) {
    if (starts(f[i], "NOSPOSTA:")) {
      bu.no_transfer = 1;
    } else if (starts(f[i], "NOCS:")) {
      std::string item = f[i].substr(5);
      std::size_t dash = item.rfind('-');
      if (dash == std::string::npos) {
        desc_fail("Errore sintassi NOCS", "Syntaxfehler NOCS", "NOCS syntax error", line);
      }
      std::string name = item.substr(0, dash).substr(0, kUiNameSize - 1);
      int value = desc_byte(item.c_str() + dash + 1, line);
      bool held = false;
      for (int k = 0; k < bu.reachable_count && k < 9; ++k) {
        held = held || (name == bu.reachable_names[k] && value == bu.reachable_values[k]);
      }
      if (held) continue;
      if (bu.reachable_count >= 9) {
        desc_fail("Numero condizioni NOCS eccessivo", "Zu viele NOCS", "Too many NOCS", line);
      }
      desc_copy(bu.reachable_names[bu.reachable_count], name, kUiNameSize);
      bu.reachable_values[bu.reachable_count++] = static_cast<std::int8_t>(value);
    } else {
      desc_fail("Configurazione sedi errata", "Gebäude falsch konfiguriert"_cp,
                "Bad building configuration", line);
    }
  }
}

void read_tracks_short(const std::string& field) {
  std::size_t at = 0;
  UiSchoolStructure& st = g_ui_structure;
  while (at + 2 <= field.size()) {
    char letter = field[at];
    std::size_t end = field.find(':', at);
    for (int t = 0; t < st.track_count && t < kUiMaxTracks; ++t) {
      if (st.track_names[t][0] == letter) or_copy_to_char_max(st.track_short_names[t], field.c_str() + at + 2, ':', 3);
    }
    if (end == std::string::npos) break;
    at = end + 1;
  }
}

void read_line(const std::string& line, ReaderState& state) {
  std::size_t colon = line.find(':');
  std::string rest = colon == std::string::npos ? std::string() : line.substr(colon + 1);
  std::vector<std::string> f = og_split_fields(rest);
  std::string stamp;
  if (og_read_pair_stamp(line, &stamp)) {
    g_description_pair_stamp = stamp;
    return;
  }
  if (starts(line, "REM:")) {
    std::string text = rest.size() > 0 && rest[0] == '|' ? rest.substr(1) : rest;
    int n = state.comments++;
    std::vector<std::string> parts = og_split_fields(text);
    if (n == 0) {
      // As in the structure file: no title starts with a field separator.
      std::size_t start = rest.find_first_not_of('|');
      std::string title = start == std::string::npos ? std::string() : rest.substr(start);
      desc_copy(hd.school_name, title.substr(0, title.find('|')), sizeof hd.school_name);
    }
    if (n == 1) desc_copy(g_description_comment, text.substr(0, text.find('|')), 801);
    // The school's kind and year go back to the file as the officer wrote
    // them; the school code, which other files are matched by, in capitals.
    std::string kept = state.as_written.size() == line.size() && colon != std::string::npos
                           ? state.as_written.substr(colon + 1) : rest;
    if (!kept.empty() && kept[0] == '|') kept.erase(0, 1);
    std::vector<std::string> written = og_split_fields(kept);
    if (written.size() != parts.size()) written = parts;
    if (n == 2 && !parts.empty()) desc_copy(hd.school_code, parts[0], 41);
    if (n == 2 && written.size() > 1) desc_copy(hd.id_text1, written[1], 41);
    if (n == 3 && !written.empty()) desc_copy(hd.id_text2, written[0], 41);
    return;
  }
  if (!line.empty() && line[0] == '|') {
    if (state.subject != -1) desc_read_teaching(nullptr, og_split_fields(line), state, line);
    return;
  }
  int subject_before = state.subject;
  if (!starts(line, "GM:")) state.subject = -1;
  if (starts(line, "MAXBUDAY:")) {
    const std::string v = f.empty() ? std::string() : f[0];
    if (v.empty() || (v[0] != '1' && v[0] != '2' && v[0] != '9')) {
      desc_fail("MAXBUDAY: valore 1 o 2 (se si ammette il giorno con 2 buche, per ricevimento)",
                "MAXBUDAY: Wert 1 oder 2", "MAXBUDAY: value 1 or 2", line);
    }
    se.maxbuday[0] = static_cast<std::int8_t>(v[0] - '0');
    if (v.size() > 2 && v[1] == '-') se.maxbuday[1] = desc_byte(v.c_str() + 2, line);
  } else if (starts(line, "STATUSINFO:")) {
    if (!f.empty()) og_read_status_info(f[0]);
  } else if (starts(line, "DATARELEASE:")) {
    g_release = f.empty() ? std::string() : f[0].substr(0, std::strlen(kProgramRelease));
    if (is_program_release(g_release) &&
        std::strncmp(g_release.c_str(), kProgramRelease, std::strlen(kProgramRelease)) > 0) {
      desc_fail("Aggiornare il Software con la release " + g_release + " o superiore",
                "Update software with release " + g_release + " or upper",
                "Update software with release " + g_release + " or upper", line);
    }
  } else if (starts(line, "ITPLEGGERO:")) {
    se.itpleggero = 1;
  } else if (starts(line, "NORIPOSOAUTO:")) {
    se.noriposoauto = 1;
  } else if (starts(line, "NOSALU:")) {
    se.nosalu = f.empty() ? std::int8_t{0} : desc_byte(f[0].c_str(), line);
  } else if (starts(line, "BUDIME:")) {
    read_pair(f, &se.budime1, &se.budime2, false, line);
  } else if (starts(line, "TOCOMI:")) {
    read_pair(f, &se.tocomi[0], &se.tocomi[1], false, line);
  } else if (starts(line, "PAMEZ:")) {
    read_pair(f, &se.pamez[0], &se.pamez[1], true, line);
  } else if (starts(line, "SPECIALEX:")) {
    read_pair(f, &hd.special_values[0], &hd.special_values[1], false, line);
  } else if (starts(line, "OREPROLU:")) {
    hd.extended_hours = static_cast<std::uint8_t>(f.empty() ? 0 : desc_fitting(f[0].c_str(), 0, UINT8_MAX, line));
  } else if (starts(line, "PEXDIY:")) {
    se.pexdiy = static_cast<std::int8_t>(rest.empty() ? 0 : rest[0] - '0');
  } else if (starts(line, "IHINSEGNAEXTRA:") || starts(line, "IHPRESENZAEXTRA:") || starts(line, "PEXDIZ:")) {
    UiHq3Table& t = line[0] == 'P' ? se.pexdiz : line[2] == 'I' ? se.ihinsegnaextra : se.ihpresenzaextra;
    read_band3(t, f.empty() ? std::string() : f[0], line[0] == 'P' ? 9 : 8, line);
  } else if (starts(line, "CLARIPO:")) {
    se.claripo = static_cast<std::uint8_t>(f.empty() ? 0 : desc_fitting(f[0].c_str(), 0, UINT8_MAX, line));
  } else if (starts(line, "DAYS:")) {
    read_days(f, og_split_fields(state.as_written.substr(std::min(colon + 1, state.as_written.size()))), line);
  } else if (starts(line, "CLNAMES:") || starts(line, "PAUSAMATERIA:") || starts(line, "CLADUSPE:")) {
  } else if (starts(line, "INDISIGLE:")) {
    if (!f.empty()) read_tracks_short(f[0]);
  } else if (starts(line, "SEDECL:")) {
    read_building(f, line);
  } else if (starts(line, "LABOR:")) {
    desc_read_lab(f, og_split_fields(state.as_written.substr(std::min(colon + 1, state.as_written.size()))), line);
  } else if (starts(line, "LOC:")) {
    desc_read_gym(f, line);
  } else if (starts(line, "GRULLAB:")) {
    desc_read_lab_group(f, line);
  } else if (starts(line, "PAUSAMENSA:")) {
    if (!f.empty()) {
      const char* p = f[0].c_str();
      // The hour is kept less 1; 0 keeps "not set" (255).
      se.lunch_break[0] = static_cast<std::uint8_t>(desc_fitting(p, 0, UINT8_MAX, line) - 1);
      for (int k = 1; k < 4 && (p = std::strchr(p, '-')) != nullptr; ++k) {
        se.lunch_break[k] = static_cast<std::uint8_t>(desc_fitting(++p, 0, UINT8_MAX, line));
      }
    }
  } else if (starts(line, "GM:")) {
    desc_read_subject_line(f, state, line);
  } else if (desc_read_school_extra(line, rest) || desc_read_class_line(line)) {
  } else if (starts(line, "V:")) {
    if (og_read_teacher_constraints(line.c_str()) != 0) desc_fail(og_constraint_error(), og_constraint_error(), og_constraint_error(), line);
    if (!f.empty()) state.constraint_order.push_back(og_find_or_add_teacher(f[0].c_str()));
  } else {
    for (const BandKey& b : kBands) {
      if (!starts(line, b.key)) continue;
      UiHq2Table& table = se.*(b.table);
      if (std::strcmp(b.key, "GIORNIPAUSACL:") == 0) table.count = 0;
      read_band(table, f.empty() ? std::string() : f[0], b.limit, line);
      return;
    }
    state.subject = subject_before;
    if (state.subject != -1 && or_is_teacher_line(line.c_str())) {
      desc_read_teaching(&line, og_split_fields(line), state, line);
      return;
    }
    desc_fail("Messaggio non riconosciuto (catt)", "Unbekannte Zeile (catt)",
              "Unknown line (catt)", line);
  }
}

// With several study tracks the placeholder name of a one-track school goes
// and unnamed tracks are dropped; then every class marks its section as used
// in its track, so no class of the description is lost when the structure
// is written again.
void complete_tracks_and_sections(UiSchoolStructure& st) {
  int count = st.track_count < 0 ? 0 : st.track_count > kUiMaxTracks ? kUiMaxTracks : st.track_count;
  if (count >= 2) {
    if (kt::cp1252_casecmp(st.track_names[0], "Indirizzo Unico") == 0) st.track_names[0][0] = 0;
    int kept = 0;
    for (int t = 0; t < count; ++t) {
      if (st.track_names[t][0] == 0) continue;
      if (kept != t) {
        std::memcpy(st.track_names[kept], st.track_names[t], kUiNameSize);
        std::memcpy(st.track_short_names[kept], st.track_short_names[t], 4);
        std::memcpy(st.sections[kept], st.sections[t], 26);
      }
      ++kept;
    }
    for (int t = kept; t < count; ++t) {
      std::memset(st.track_names[t], 0, kUiNameSize);
      std::memset(st.track_short_names[t], 0, 4);
      std::memset(st.sections[t], 0, 26);
    }
    count = kept;
    st.track_count = static_cast<std::int8_t>(kept);
  }
  std::uint32_t classes = st.class_count < kUiMaxClasses ? st.class_count : kUiMaxClasses;
  for (std::uint32_t c = 0; c < classes; ++c) {
    const char* code = st.classes[c].code;
    char section = code[1];
    if (section < 'A' || section > 'Z') continue;
    int track = -1;
    if (count >= 1 && (count < 2 || code[2] == 0 || code[2] == ' ')) {
      track = 0;
    } else {
      for (int t = 0; t < count && track < 0; ++t)
        if (st.track_names[t][0] != 0 && kt::cp1252_upper(static_cast<unsigned char>(st.track_names[t][0])) ==
                                                 kt::cp1252_upper(static_cast<unsigned char>(code[2])))
          track = t;
    }
    if (track >= 0) st.sections[track][section - 'A'] = 1;
  }
}

// A building may list only other buildings as reachable ones: a name that is
// none of them is reported and dropped, and reading goes on.
void drop_unknown_reachable_buildings(int lang) {
  static const char* const kMissing[3] = {"Plesso [%s] NON ESISTENTE - Correggere configurazione Plessi",
                                          "Geb\xE4ude [%s] existiert nicht - Konfiguration der Geb\xE4ude verbessern",
                                          "Building [%s] not existing - Correct configuration of buildings"};
  int buildings = se.building_count < kUiMaxBuildings ? se.building_count : kUiMaxBuildings;
  for (int b = 0; b < buildings; ++b) {
    UiBuilding& bu = se.buildings[b];
    int kept = 0;
    int reachable = bu.reachable_count < 0 ? 0 : bu.reachable_count > 9 ? 9 : bu.reachable_count;
    for (int k = 0; k < reachable; ++k) {
      bool known = false;
      for (int o = 0; o < buildings && !known; ++o) known = o != b && std::strcmp(se.buildings[o].name, bu.reachable_names[k]) == 0;
      if (!known) {
        char text[kUiNameSize + 120];
        std::snprintf(text, sizeof text, kMissing[lang], bu.reachable_names[k]);
        ui_message_box(text);
        continue;
      }
      if (kept != k) {
        std::memcpy(bu.reachable_names[kept], bu.reachable_names[k], kUiNameSize);
        bu.reachable_values[kept] = bu.reachable_values[k];
      }
      ++kept;
    }
    for (int k = kept; k < reachable; ++k) {
      bu.reachable_names[k][0] = 0;
      bu.reachable_values[k] = 0;
    }
    bu.reachable_count = static_cast<std::int8_t>(kept);
  }
}

void complete_model() {
  int lang = g_language < 3 ? g_language : 0;
  og_set_default_day_names();
  // Two days of one code: what is written for the second would be read
  // back into the first.
  for (int d = 1; d < 7; ++d) {
    for (int e = 0; e < d; ++e) {
      if (std::strcmp(hd.day_codes[d], hd.day_codes[e]) != 0) continue;
      desc_fail("Configurazione giorni errata", "Tage falsch", "Bad days", std::string("DAYS: ") + hd.day_codes[d]);
    }
  }
  desc_complete_teachers();
  for (int d = 0; d < 7; ++d) {
    for (int h = 0; h < 12 && h < hd.hours_per_day[d]; ++h) {
      int c = d * 12 + h;
      if (hd.hour_start_times[c] != 0 || hd.hour_durations[c] != 0) continue;
      hd.hour_start_times[c] = static_cast<std::int16_t>(h == 0 ? 480 : hd.hour_start_times[c - 1] + 60);
      hd.hour_durations[c] = 60;
    }
  }
  if (se.building_count < 2) {
    desc_copy(se.buildings[0].name, og_single_building_name(), kUiNameSize);
    if (se.building_count == 0) se.building_count = 1;
  }
  desc_read_waiting_class_lines();
  desc_complete_class_times();
  UiSchoolStructure& st = g_ui_structure;
  complete_tracks_and_sections(st);
  for (std::uint32_t l = 0; l < st.lab_count && l < kUiMaxLabs; ++l) {
    UiLab& lab = st.labs[l];
    lab.building = static_cast<std::int8_t>(se.building_count < 2 ? 0 : -1);
    if (se.building_count < 2) continue;
    for (int b = 0; b < se.building_count && b < kUiMaxBuildings; ++b) {
      if (kt::cp1252_casecmp(lab.description, se.buildings[b].name) != 0) continue;
      lab.building = static_cast<std::int8_t>(b);
      desc_copy(lab.description, "Basta co l'oco", kUiNameSize);
      break;
    }
  }
  drop_unknown_reachable_buildings(lang);
}

}  // namespace

int og_read_assignments_file_from(const std::string& path, int create_if_missing) {
  g_error.clear();
  UiSchoolStructure structure_before = g_ui_structure;
  og_clear_school_blocks();
  std::memset(g_description_comment, 0, sizeof g_description_comment);
  g_description_pair_stamp.clear();
  og_forget_long_subject_names();
  g_clock_times_flag = 0;
  for (std::uint32_t c = 0; c < kUiMaxClasses; ++c) {
    g_ui_structure.classes[c].calendars[0].calendar_hours[0] = 255;
    g_ui_structure.classes[c].calendars[1].calendar_hours[0] = 255;
  }
  ReaderState state;
  desc_reset_teaching();
  desc_forget_waiting_class_lines();
  std::size_t number = 0;
  std::string why;
  std::string current;  // the line being read, as the file holds it
  SchoolLines read = SchoolLines::kRead;
  try {
    read = og_read_school_lines(path, [&](const std::string& text) {
      current = text;
      static char buffer[12168];
      std::size_t n = text.size() < sizeof buffer - 8 ? text.size() : sizeof buffer - 8;
      auto normalised = [&](int upper) {
        buffer[n] = '\n';
        buffer[n + 1] = 0;
        or_normalize_line(buffer, upper);
        std::string line;
        for (const char* p = buffer; *p != 0; ++p) {
          if (*p != '\n' && *p != '\r') line += *p;
        }
        return line;
      };
      std::memcpy(buffer, text.data(), n);
      state.as_written = normalised(0);
      std::memcpy(buffer, text.data(), n);
      // Only the title keeps its case; a first line that is not the title
      // reads as it will once a save has put the title before it.
      std::string line = normalised(number++ > 0 || std::strncmp(buffer, "REM:", 4) != 0 ? 1 : 0);
      if (!line.empty() && line != "|") read_line(line, state);
      return true;
    }, &why);
    if (read == SchoolLines::kUnusable) throw ReadError{why};
    if (read == SchoolLines::kRead) {
      complete_model();
      desc_order_teachers(state.constraint_order);
      desc_order_added_classes(static_cast<int>(structure_before.class_count));
    }
  } catch (const ReadError& e) {
    g_error = e.at_line ? og_bad_line_text(path, e.text, current) : e.text;
    g_description_pair_stamp.clear();
    og_clear_school_blocks();
    g_ui_structure = structure_before;
    og_snapshot_all();
    og_set_school_blocked(SchoolFilePart::kDescription, g_error.c_str());
    return -2;
  }
  if (read == SchoolLines::kMissing) {
    g_ui_structure = structure_before;
    // No file: nothing could be overwritten, and an empty school is what
    // the folder holds.
    og_set_school_blocked(SchoolFilePart::kDescription, nullptr);
    if (!create_if_missing) return -1;
    // A folder without a description becomes a new school: its type is
    // asked and its first description written, so the engine and the next
    // read find the school the pages show.
    og_set_new_school_defaults(og_ask_school_type());
    og_snapshot_all();
    if (og_write_assignments_file_to(path, 0) != 0) og_tell_school_not_saved(og_description_write_error());
    return 0;
  }
  og_set_school_blocked(SchoolFilePart::kDescription, nullptr);
  og_snapshot_all();
  return 0;
}

int og_read_assignments_file(int create_if_missing) {
  return og_read_assignments_file_from("scuola2.txt", create_if_missing);
}

const char* og_description_error() { return g_error.c_str(); }

std::size_t desc_number_end(const std::string& entry, std::size_t from) {
  bool sign = from + 1 < entry.size() && entry[from] == '-' && entry[from + 1] >= '0' && entry[from + 1] <= '9';
  return entry.find('-', sign ? from + 1 : from);
}

// A number of the line as atoi reads it, which must fit its field: wrapped
// into the field it would read as another value, or as "not set" and vanish
// at the next save, unsaid; so the line is refused.
int desc_fitting(const char* text, long low, long high, const std::string& line) {
  long v = std::strtol(text, nullptr, 10);
  if (v < low || v > high) {
    std::string low_text = std::to_string(low), high_text = std::to_string(high);
    desc_fail("Valore fuori dai limiti (da " + low_text + " a " + high_text + ")",
              "Wert au\xDF" "erhalb der Grenzen (von " + low_text + " bis " + high_text + ")",
              "Value out of range (" + low_text + " to " + high_text + ")", line);
  }
  return static_cast<int>(v);
}

std::int8_t desc_byte(const char* text, const std::string& line) {
  return static_cast<std::int8_t>(desc_fitting(text, INT8_MIN, INT8_MAX, line));
}
