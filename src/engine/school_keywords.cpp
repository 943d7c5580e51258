// The loader's first pass over the school description: the school-level
// settings, band tables, buildings ("SEDE:", "SEDECL:"), subject groups
// ("GM:") and the teachers' teaching lines, which create the lessons.
//
// Keys include their colon and are matched at the start of the line; the
// first match wins. A line that no pass knows is a configuration error, as
// is any value that would not fit its field: more than 12 hours a day, more
// than 7 provisional day values, class-code lengths outside 2..9. The
// lesson table stops at 9999 lessons ("Troppe cattedre / ore").
//
// Workload: one read of a file of a few thousand lines; lookups are linear
// over at most a few hundred subjects and teachers.
#include <cstring>

#include "engine/errors.h"
#include "engine/loader_internal.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"

namespace {

// Lines read by the later passes, or not used by the engine.
const char* const kLaterPassKeys[] = {
    "V:",        "SISSI:",    "LOC:",       "GRULLAB:", "LABOR:",   "PAUSAMATERIA:",
    "DATARELEASE:", "STATUSINFO:", "CLARIPO:", "ROTAZI",  "GINNASIO:", "TIPOLOCL:",
    "INDISIGLE:", "CALESPE:",  "SCALJAN:",   "SKAVA:",   "SKAVB:",   "CLADAYS:",
    "CLADUSPE:"};

// A number of the line into a signed byte field; one the field cannot hold
// refuses the line.
std::int8_t as_byte(int value) { return static_cast<std::int8_t>(loader_fitting(value, -128, 127)); }

// Start of a band list: the next field, or right behind the key when the
// list follows it directly.
const char* band_start(const char* line, std::size_t key_length) {
  const char* p = line + key_length;
  if (*p == '|') return next_field(p);
  return p;
}

void read_band(BandTable& table, const char* p, const char* hint, int limit) {
  while (p != nullptr && !field_end(*p)) {
    int a = take_number(p);
    if (*p != '-') loader_config_error(hint);
    ++p;
    int b = take_number(p);
    if (table.count < limit) {
      table.pairs[table.count][0] = as_byte(a);
      table.pairs[table.count][1] = as_byte(b);
      ++table.count;
    }
    if (*p != ':') break;
    ++p;
  }
}

void read_triples(TripleTable& table, const char* p, const char* hint, bool third_optional) {
  while (p != nullptr && !field_end(*p)) {
    int v[3] = {0, 0, 0};
    v[0] = take_number(p);
    if (*p != '-') loader_config_error(hint);
    ++p;
    v[1] = take_number(p);
    if (*p == '-') {
      ++p;
      v[2] = take_number(p);
    } else if (!third_optional) {
      loader_config_error(hint);
    }
    if (table.count < 8) {
      for (int k = 0; k < 3; ++k) table.triples[table.count][k] = as_byte(v[k]);
      ++table.count;
    }
    if (*p != ':') break;
    ++p;
  }
}

struct BandKey {
  const char* key;
  BandTable EngineSchool::*table;
  const char* hint;
};

const char kHintProf[] = "Configurare DHPROF:fino a ore-quante ore fino a ore- ..";
const char kHintGruppi[] = "Configurare GRUPPIOREMAX:ore max nel giorno in una classe-max per settimana...";

const BandKey kBandKeys[] = {
    {"IHMINIMO:", &EngineSchool::ihminimo, "Configurare IMminimo:fino a ore settimana-quante ore giorno fino a ore- .."},
    {"IHPRESENZA:", &EngineSchool::ihpresenza, kHintProf},
    {"IHINSEGNA:", &EngineSchool::ihinsegna, kHintProf},
    {"IHLABPRESENZA:", &EngineSchool::ihlabpresenza, kHintProf},
    {"IHLABINSEGNA:", &EngineSchool::ihlabinsegna, kHintProf},
    {"IHCONPRESENZA:", &EngineSchool::ihconpresenza, kHintProf},
    {"IHCONINSEGNA:", &EngineSchool::ihconinsegna, kHintProf},
    {"IHBUCHE:", &EngineSchool::ihbuche, kHintProf},
    {"IHBUCHECSB:", &EngineSchool::ihbuchecsb, kHintProf},
    {"IHBUCHECST:", &EngineSchool::ihbuchecst, kHintProf},
    {"IGGIORNI:", &EngineSchool::iggiorni, kHintProf},
    {"MATERIEHSG:", &EngineSchool::materiehsg, kHintProf},
    {"IHSG:", &EngineSchool::ihsg, kHintProf},
    {"IHSGCON", &EngineSchool::ihsgcon, kHintProf},
    {"IHSGLAB", &EngineSchool::ihsglab, kHintProf},
    {"ENTEREXIT:", &EngineSchool::enterexit, "Configurare ENTEREXIT:fino a ore-quanti rientri in classe ore fino a ore- .."},
    {"ENTEREXITCON:", &EngineSchool::enterexitcon, "CONfigurare ENTEREXIT:fino a ore-quanti rientri in classe ore fino a ore- .."},
    {"ENTEREXITLAB:", &EngineSchool::enterexitlab, "CONfigurare ENTEREXIT:fino a ore-quanti rientri in classe ore fino a ore- .."},
    {"GRUPPIOREMAX:", &EngineSchool::gruppioremax, kHintGruppi},
    {"ULTIMEOREMAX:", &EngineSchool::ultimeoremax, kHintGruppi},
};

bool read_band_line(const char* line) {
  for (const BandKey& band : kBandKeys) {
    if (!starts_with(line, band.key)) continue;
    std::size_t length = std::strlen(band.key);
    if (line[length] == ':') ++length;  // "IHSGCON:" and "IHSGLAB:"
    read_band(g_eng_school.*band.table, band_start(line, length), band.hint, 8);
    return true;
  }
  if (starts_with(line, "GIORNIPAUSACL:")) {
    g_eng_school.giornipausacl.count = 0;
    read_band(g_eng_school.giornipausacl, band_start(line, 14),
              "Configurare GIORNIPAUSACL:fino a giorni settimanalii-quanti giorni di pausa ..", 9);
    return true;
  }
  if (starts_with(line, "IHINSEGNAEXTRA:")) {
    read_triples(g_eng_school.ihinsegnaextra, band_start(line, 15),
                 "Configurare IHINSEGNAEXTRA:oltre ore-quante ore-quante volte max:oltre ore- ..", false);
    return true;
  }
  if (starts_with(line, "IHPRESENZAEXTRA:")) {
    read_triples(g_eng_school.ihpresenzaextra, band_start(line, 16),
                 "Configurare IHPRESENZAAEXTRA:oltre ore-quante ore-quante volte max:oltre ore- ..", false);
    return true;
  }
  if (starts_with(line, "PEXDIZ:")) {
    read_triples(g_eng_school.pexdiz, band_start(line, 7),
                 "Configurare PEXDIZ ore del giorno - ore con peso alto ammesse ecc....", true);
    return true;
  }
  return false;
}

// First value of a-b in the field after the key (or right behind it).
const char* value_start(const char* line, std::size_t key_length) {
  return band_start(line, key_length);
}

// Reads a-b; the second value stays when its '-' is absent.
void read_pair(const char* p, std::int32_t* first, std::int32_t* second) {
  if (p == nullptr) return;
  *first = take_number(p);
  if (*p == '-') {
    ++p;
    *second = take_number(p);
  }
}

void read_daysprns(const char* line) {
  const char* p = line + 9;
  if (*p == '|') p = next_field(p);
  for (int d = 0; p != nullptr && is_digit(*p); ++d) {
    if (d >= kDays) loader_config_error("DAYSPRNS: massimo 7 valori");
    int hours = take_number(p);
    if (hours > kHoursPerDay) loader_config_error("Ore del Giorno");
    g_eng_school.provisional_hours_per_day[d] = static_cast<std::uint8_t>(hours);
    if (*p != '-') break;
    ++p;
  }
  const char* next = next_field(p == nullptr ? line : p);
  if (next != nullptr) g_eng_school.daysprns_number = read_number(next);
}

void read_rem(const char* line) {
  ++g_loader.rem_state;
  if (g_loader.rem_state > 4) g_loader.rem_state = 4;
  const char* p = line + 4;
  if (g_loader.rem_state == 1) copy_until(g_eng_school.title, p, 80, nullptr);
  else if (g_loader.rem_state == 3) copy_until(g_eng_school.header2, p, 40, nullptr);
}

void read_maxbuday(const char* line) {
  const char* p = value_start(line, 9);
  char d = p == nullptr ? '\0' : *p;
  if (d != '1' && d != '2' && d != '9')
    loader_config_error("MAXBUDAY: valore 1 o 2 o 9  (se si ammette il giorno con 2 buche, per ricevimento)");
  g_eng_school.maxbuday[0] = static_cast<std::int8_t>(d == '1' ? 0 : d - '0');
  if (p[1] == '-' && is_digit(p[2])) g_eng_school.maxbuday[1] = static_cast<std::int8_t>(p[2] - '0');
}

void read_tekno(const char* line) {
  const char* p = value_start(line, 6);
  if (p == nullptr) return;
  EngineSchool& s = g_eng_school;
  s.tekno[0] = take_number(p);
  for (int k = 1; k <= 2; ++k) {
    if (*p != '-') return;
    ++p;
    s.tekno[k] = take_number(p);
  }
  if (*p != '-') return;
  ++p;
  int n = copy_until(s.tekno_text, p, kNameSize - 1, "-");
  p += n;
  if (*p != '-') return;
  ++p;
  s.tekno[3] = take_number(p);
}

void read_clnames(const char* line) {
  const char* p = value_start(line, 8);
  if (p == nullptr || !is_digit(*p) || *p < '2')
    loader_config_error("Lunghezza Nomi delle Classi 2..9 ");
  g_eng_school.class_code_length = static_cast<std::uint8_t>(*p - '0');
}

void read_pausamensa(const char* line) {
  const char* p = value_start(line, 11);
  if (p == nullptr) return;
  g_eng_school.pausamensa[0] = take_number(p) - 1;
  for (int k = 1; k < 4 && *p == '-'; ++k) {
    ++p;
    g_eng_school.pausamensa[k] = take_number(p);
  }
}

void read_disposizione(const char* line) {
  const char* p = value_start(line, 13);
  const char* const kFieldHint = "DISPOSIZIONE: percentuale|DAY:fino a x per week-n per dai:ecc.";
  int percentage = p == nullptr ? 0 : read_number(p);
  g_eng_school.standby_percentage = static_cast<std::uint8_t>(percentage & 0xFF);
  g_eng_school.standby_grouping = static_cast<std::int8_t>(static_cast<std::uint8_t>(percentage & 0xFF));
  const char* day = next_field(p);
  if (day == nullptr || !starts_with(day, "DISPODAY:")) loader_config_error(kFieldHint);
  const char* band = day + 9;
  if (!is_digit(*band)) band = next_field(band);
  read_band(g_eng_school.standby_band, band,
            "Configurare DISPOSIZIONE:ore max nel giorno in una classe-max per settimana...", 8);
}

// "NOCS:" and "NOSPOSTA:" options of a building line.
void read_building_options(EngineBuilding& building, const char* p) {
  for (; p != nullptr; p = next_field(p)) {
    if (starts_with(p, "NOSPOSTA:")) {
      building.no_move = 1;
      continue;
    }
    if (!starts_with(p, "NOCS:")) continue;
    const char* dash = or_find_range_dash(p + 5);
    if (dash == nullptr) loader_config_error("Errore sintassi NOCS ");
    BuildingCondition entry{};
    int n = static_cast<int>(dash - (p + 5));
    if (n > 24) n = 24;
    std::memcpy(entry.name, p + 5, n);
    entry.value = static_cast<std::uint8_t>(loader_fitting(read_number(dash + 1), -128, 127) & 0xFF);
    bool known = false;
    for (int k = 0; k < building.condition_count; ++k)
      if (std::strcmp(building.conditions[k].name, entry.name) == 0 && building.conditions[k].value == entry.value)
        known = true;
    if (known) continue;
    if (building.condition_count >= kMaxBuildingConditions) loader_config_error("Numero NOCS configurati eccessivo");
    building.conditions[building.condition_count++] = entry;
  }
}

int add_building(const char* name) {
  if (g_eng_school.building_count >= kMaxBuildings) loader_config_error("Numero eccessivo SEDI ");
  int index = g_eng_school.building_count++;
  EngineBuilding& b = g_eng_buildings[index];
  std::memset(static_cast<void*>(&b), 0, sizeof(b));
  std::snprintf(b.name, sizeof b.name, "%s", name);
  return index;
}

void read_sede(const char* line) {
  const char* name_field = next_field(line);
  const char* sections = next_field(name_field);
  if (name_field == nullptr || sections == nullptr)
    loader_config_error("Configurare SEDE: NOMESEDE  sezione-sezione-...");
  char name[kNameSize];
  copy_until(name, name_field, kNameSize - 1, nullptr);
  or_trim_trailing_blanks(name);
  // An empty name would begin every building's name.
  if (name[0] == '\0') loader_config_error("Configurare SEDE: NOMESEDE  sezione-sezione-...");
  // A shortened name continues the building whose name it begins ("SEDE:
  // NORD" after "SEDE: NORDEST" adds sections to NORDEST).
  int index = -1;
  std::size_t length = std::strlen(name);
  for (int k = 0; k < g_eng_school.building_count && index < 0; ++k)
    if (std::strncmp(g_eng_buildings[k].name, name, length) == 0) index = k;
  if (index < 0) index = add_building(name);
  EngineBuilding& b = g_eng_buildings[index];
  if (b.class_count > 0) loader_config_error("Non configurare assieme SEDE: e SEDECL:");
  int width = g_eng_school.class_code_length - 1;
  const char* p = sections;
  while (!field_end(*p)) {
    if (b.section_count >= kMaxBuildingSections) loader_config_error("Numero eccessivo SEZIONI ");
    int n = copy_until(b.sections[b.section_count], p, width, "-");
    ++b.section_count;
    p += n;
    while (!field_end(*p) && *p != '-') ++p;
    if (*p == '-') ++p;
  }
  read_building_options(b, next_field(sections));
}

void read_sedecl(const char* line) {
  const char* name_field = next_field(line);
  if (name_field == nullptr) loader_config_error("Configurare SEDECL: NOMESEDE  classe-classe-...");
  char name[kNameSize];
  copy_until(name, name_field, kNameSize - 1, nullptr);
  or_trim_trailing_blanks(name);
  int index = -1;
  for (int k = 0; k < g_eng_school.building_count && index < 0; ++k)
    if (kt::cp1252_casecmp(g_eng_buildings[k].name, name) == 0) index = k;
  if (index < 0) index = add_building(name);
  EngineBuilding& b = g_eng_buildings[index];
  if (b.section_count > 0) loader_config_error("Non configurare assieme SEDE: e SEDECL:");
  const char* classes = next_field(name_field);
  if (classes == nullptr) return;
  const char* options = classes;
  if (!starts_with(classes, "NOCS:") && !starts_with(classes, "NOSPOSTA:")) {
    int width = g_eng_school.class_code_length;
    const char* p = classes;
    while (!field_end(*p)) {
      if (b.class_count >= kMaxClasses) loader_config_error("Numero eccessivo CLASSI per SEDECL ");
      int n = copy_until(b.classes[b.class_count], p, width, "-");
      if (n > 0) ++b.class_count;
      p += n;
      while (!field_end(*p) && *p != '-') ++p;
      if (*p == '-') ++p;
    }
    options = next_field(classes);
  }
  read_building_options(b, options);
}

int add_subject(const char* group, const char* specific, int source_line) {
  if (g_eng_school.subject_count >= kMaxSubjects) loader_critical("Troppe Materie", source_line);
  int index = g_eng_school.subject_count++;
  EngineSubject& s = g_eng_subjects[index];
  std::memset(static_cast<void*>(&s), 0, sizeof(s));
  std::strncpy(s.group_name, group, kNameSize - 1);
  std::strncpy(s.specific_name, specific, kNameSize - 1);
  return index;
}

std::uint8_t digit_after(const char* line, const char* key) {
  const char* p = std::strstr(line, key);
  if (p == nullptr) return 0;
  p += std::strlen(key);
  return is_digit(*p) ? static_cast<std::uint8_t>(*p - '0') : 0;
}

void read_subject_group(const char* line) {
  char name[kNameSize];
  copy_until(name, line + 3, kNameSize - 1, nullptr);
  // A laboratory group comes back once per block the writer starts and
  // names the same subjects each time; any other group with a specific
  // name already taken starts a subject of its own.
  bool lab_line = std::strstr(line, "LAB:") != nullptr;
  g_loader.block_open = 0;
  for (int s = 0; s < g_eng_school.subject_count; ++s) {
    const EngineSubject& subject = g_eng_subjects[s];
    if (std::strcmp(subject.group_name, name) == 0 && (subject.specific_name[0] == '\0' || lab_line)) {
      g_loader.current_subject = s;
      return;
    }
  }
  int index = add_subject(name, "", 1053);
  g_eng_subjects[index].pexdix = digit_after(line, "PEXDIX:");
  g_eng_subjects[index].no118x = digit_after(line, "NO118X:");
  g_eng_subjects[index].msomx = digit_after(line, "MSOMX:");
  g_loader.current_subject = index;
}

// The specific subject named by the first item of a teaching line.
int specific_subject(const char* item) {
  char name[kNameSize];
  copy_until(name, item, kNameSize - 1, nullptr);
  or_trim_trailing_blanks(name);
  const char* group = g_eng_subjects[g_loader.current_subject].group_name;
  for (int s = 0; s < g_eng_school.subject_count; ++s) {
    EngineSubject& subject = g_eng_subjects[s];
    if (std::strcmp(subject.group_name, group) != 0) continue;
    if (subject.specific_name[0] == '\0') {
      std::strcpy(subject.specific_name, name);
      return s;
    }
    if (std::strcmp(subject.specific_name, name) == 0) return s;
  }
  char group_copy[kNameSize];
  std::strcpy(group_copy, group);
  return add_subject(group_copy, name, 1121);
}

void add_lesson_hours(const char* item) {
  const int length = g_eng_school.class_code_length;
  for (int k = 0; k < length; ++k)
    if (field_end(item[k])) loader_config_error("Numero di ore ?? ");
  if (item[length] != ' ' || !is_digit(item[length + 1])) loader_config_error("Numero di ore ?? ");
  const char* p = item + length + 1;
  int hours = take_number(p);
  int teacher = or_find_or_add_teacher(g_loader.teacher_name);
  int cls = or_find_or_add_class(item, 0);
  int room = or_find_or_add_room_by_name(g_eng_classes[cls].code, length, 0);
  int first = g_eng_school.lesson_count;
  for (int h = 0; h < hours; ++h) {
    if (g_eng_school.lesson_count >= kMaxLessons - 1) loader_critical("Troppe cattedre / ore", 1164);
    EngineLesson& lesson = g_eng_lessons[g_eng_school.lesson_count++];
    or_clear_lesson(lesson);
    lesson.line_number = g_loader.line_number;
    lesson.part_line_number = -1;
    lesson.teacher = teacher;
    lesson.class_index = cls;
    lesson.room = room;
    lesson.subject = lesson.first_subject = g_loader.block_subject;
    lesson.part_subject = -1;
    lesson.second_teacher = -1;
    lesson.common_room = lesson.second_common_room = -1;
    lesson.lab_group = -1;
    lesson.incompatible_subject = -1;
    lesson.paired_subject = -1;
    lesson.building = lesson.forced_building = lesson.room_building = -1;
    lesson.best_room = lesson.further_reference = lesson.chosen_laboratory = -1;
    lesson.day = kDayNotPlaced;
  }
  or_read_class_item_options(p, first, g_eng_school.lesson_count, g_loader.line_number);
}

void read_teacher_item(const char* item) {
  if (is_digit(*item)) {
    add_lesson_hours(item);
    return;
  }
  if (starts_with(item, "REM:")) return;
  if (starts_with(item, "TED:")) {
    const char* plus = nullptr;
    for (int k = 4; k < 14 && !field_end(item[k]); ++k)
      if (item[k] == '+') {
        plus = item + k;
        break;
      }
    if (plus == nullptr) return;
    EngineTeacher& t = g_eng_teachers[or_find_or_add_teacher(g_loader.teacher_name)];
    int value = read_number(plus + 1);
    t.contract_values[0] = t.contract_values[1] = as_byte(value);
    for (const char* p = item; !field_end(*p); ++p) {
      if (starts_with(p, "+NOR")) t.pseudo_flag = 1;
      if (starts_with(p, "+FCA")) t.type_flags |= kTeacherFca;
      if (starts_with(p, "+FCV")) t.fcv_flag = 1;
    }
    return;
  }
  EngineTeacher& t = g_eng_teachers[or_find_or_add_teacher(g_loader.teacher_name)];
  if (starts_with(item, "SOS:")) {
    t.standby_value = as_byte(read_number(item + 4));
  } else if (starts_with(item, "KLK:")) {
    copy_until(t.subject_text, item + 4, kNameSize - 1, nullptr);
  } else if (starts_with(item, "NI:")) {
    char name[kNameSize];
    copy_until(name, item + 3, kNameSize - 1, nullptr);
    or_trim_trailing_blanks(name);
    int self = or_find_or_add_teacher(g_loader.teacher_name);
    int partner = or_find_or_add_teacher(name);
    g_eng_teachers[self].partner = partner;
    g_eng_teachers[partner].partner = self;
  } else if (!read_hour_pairs_item(t, item)) {
    loader_config_error("Cattedre classi ore??");
  }
}

void read_teacher_fields(const char* first_item) {
  bool first = true;
  for (const char* item = first_item; item != nullptr; item = next_field(item), first = false) {
    if (g_loader.current_subject < 0) loader_config_error(" Manca definizione gruppo materie gm:");
    if (first && is_upper_letter(static_cast<unsigned char>(*item)) && or_find_sub_separator(item) == nullptr) {
      g_loader.block_subject = specific_subject(item);
      continue;
    }
    read_teacher_item(item);
  }
}

void read_teacher_line(const char* line) {
  const char* items = next_field(line);
  if (items == nullptr) return;  // a name without items
  if (g_loader.current_subject < 0) loader_config_error(" Manca definizione gruppo materie gm:");
  copy_until(g_loader.teacher_name, line, kNameSize - 1, nullptr);
  or_trim_trailing_blanks(g_loader.teacher_name);
  g_loader.block_open = 1;
  g_loader.block_subject = g_loader.current_subject;
  read_teacher_fields(items);
}

bool read_setting(const char* line) {
  EngineSchool& s = g_eng_school;
  if (starts_with(line, "DAYS:")) or_read_days_line(line);
  else if (starts_with(line, "DAYSPRNS:")) read_daysprns(line);
  else if (starts_with(line, "CORTO:")) or_read_short_days_line(line);
  else if (starts_with(line, "SPECIALEX:")) read_pair(value_start(line, 10), &s.specialex[0], &s.specialex[1]);
  else if (starts_with(line, "OREPROLU:")) s.oreprolu = read_number(value_start(line, 9));
  else if (starts_with(line, "REM:")) read_rem(line);
  else if (starts_with(line, "MAXBUDAY:")) read_maxbuday(line);
  else if (starts_with(line, "ITPLEGGERO:")) s.itpleggero = 1;
  else if (starts_with(line, "NORIPOSOAUTO:")) s.noriposoauto = 1;
  else if (starts_with(line, "NOSALU:")) s.nosalu = read_number(value_start(line, 7));
  else if (starts_with(line, "BUDIME:")) read_pair(value_start(line, 7), &s.budime, &s.budime_second);
  else if (starts_with(line, "TOCOMI:")) read_pair(value_start(line, 7), &s.tocomi, &s.tocomi_second);
  else if (starts_with(line, "TEKNO:")) read_tekno(line);
  else if (starts_with(line, "PAMEZ:")) {
    s.pamez_second = -1;
    read_pair(value_start(line, 6), &s.pamez, &s.pamez_second);
    if (s.pamez_second < 0) s.pamez_second = s.pamez;
  } else if (starts_with(line, "CLNAMES:")) read_clnames(line);
  else if (starts_with(line, "PAUSAMENSA:")) read_pausamensa(line);
  else if (starts_with(line, "PEXDIY:")) s.pexdiy = is_digit(line[7]) ? static_cast<std::uint8_t>(line[7] - '0') : 0;
  else if (starts_with(line, "DISPOSIZIONE:")) read_disposizione(line);
  else if (read_band_line(line)) {
  } else if (starts_with(line, "SEDE:")) read_sede(line);
  else if (starts_with(line, "SEDECL:")) read_sedecl(line);
  else if (starts_with(line, "GM:")) read_subject_group(line);
  else return false;
  return true;
}

bool later_pass_line(const char* line) {
  for (const char* key : kLaterPassKeys)
    if (starts_with(line, key)) return true;
  return false;
}

bool blank_line(const char* line) {
  for (const char* p = line; *p != '\0'; ++p)
    if (*p != ' ' && *p != '|' && *p != '\r' && *p != '\n' && *p != '\t') return false;
  return true;
}

}  // namespace

void or_read_school_keywords(std::FILE* file) {
  bool days_seen = false;
  while (loader_next_line(file)) {
    ++g_loader.line_number;
    const char* line = g_loader.line;
    if (blank_line(line) || later_pass_line(line)) continue;
    if (starts_with(line, "DAYS:")) days_seen = true;
    if (read_setting(line)) continue;
    if (line[0] == '|') {
      if (g_loader.block_open) read_teacher_fields(next_field(line));
      continue;
    }
    // Any other line that starts with a capital is a teacher line, even one
    // whose name holds a colon: the keys above are the only reserved words.
    if (!is_upper_letter(static_cast<unsigned char>(line[0]))) loader_config_error("Messaggio non riconosciuto");
    read_teacher_line(line);
  }
  if (!days_seen) or_raise_config_error("GIORNI ", "DAYS:");
}
