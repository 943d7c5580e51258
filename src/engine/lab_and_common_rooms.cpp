// The loader's lab and common-room passes: "LABOR:" (lab rooms, their
// building and available hours), "GRULLAB:" (lab groups), "LOC:" (gyms and
// other common rooms shared by classes, bound to the lessons of their
// subjects), and the building references of the "NOCS:" exclusion lists.
//
// Invariants: a lab room carries bit 0 of its flag byte; an availability
// grid not given by "OR:" is all usable for labs and 255-first (not given)
// for common rooms; "OX:" needs all 84 digits; every table is checked
// against its capacity before it grows.
//
// Workload: one read of the file per pass; tens of labs and common rooms.
#include <cstdio>
#include <cstring>

#include "engine/errors.h"
#include "engine/loader_internal.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"

namespace {

const char* first_value(const char* line, std::size_t key_length) {
  const char* p = line + key_length;
  return *p == '|' ? next_field(p) : p;
}

void read_lab_line(const char* line) {
  const char* field = first_value(line, 6);
  const char* dash = or_find_range_dash(field);
  if (dash == nullptr) loader_config_error("lab: sede indicata errata");
  char name[kNameSize];
  int n = static_cast<int>(dash - field);
  copy_until(name, field, n < kNameSize - 1 ? n : kNameSize - 1, nullptr);
  int room = -1;
  for (int r = 0; r < g_eng_school.room_count && room < 0; ++r)
    if (std::strcmp(g_eng_rooms[r].name, name) == 0) room = r;
  if (room >= 0) {
    if ((g_eng_rooms[room].lab_flag & 1) == 0) loader_config_error("SW stanza / lab");
  } else {
    if (g_eng_school.room_count >= kMaxRooms) loader_config_error("Numero lab/classi eccessivo");
    room = or_find_or_add_room_by_name(name, kNameSize - 1, 1);
  }
  EngineRoom& lab = g_eng_rooms[room];
  if (g_eng_school.building_count > 1) {
    int building = or_find_building(dash + 1);
    if (building < 0) loader_config_error("LOCale assegnato a SEDE non esistente");
    lab.kind_or_building = static_cast<std::int8_t>(building);
  }
  bool given = false;
  for (const char* p = next_field(field); p != nullptr; p = next_field(p)) {
    if (!starts_with(p, "OR:")) continue;
    if (!given) std::memset(lab.availability, 0, sizeof(lab.availability));
    given = true;
    read_day_ranges(p + 3, lab.availability, "Configurare OR:da-a ..");
  }
  if (!given) std::memset(lab.availability, 1, sizeof(lab.availability));
}

int subject_by_group_name(const char* name) {
  for (int s = 0; s < g_eng_school.subject_count; ++s)
    if (std::strcmp(g_eng_subjects[s].group_name, name) == 0) return s;
  return -1;
}

const char* read_common_room_pairs(const char* p, std::uint8_t (*pairs)[2], std::int32_t& count,
                                   const char* too_many, bool allow_n) {
  const char* const kSyntax = "Errore Sintassi per locali comuni";
  while (!field_end(*p)) {
    if (!is_digit(*p)) loader_config_error(kSyntax);
    int a = take_number(p);
    if (*p != '-') loader_config_error(kSyntax);
    ++p;
    int b = 0;
    if (allow_n && *p == 'N') {
      b = 255;
      ++p;
    } else {
      b = take_number(p);
    }
    if (count >= 10) loader_config_error(too_many);
    pairs[count][0] = static_cast<std::uint8_t>(loader_fitting(a, 0, 255));
    pairs[count][1] = static_cast<std::uint8_t>(loader_fitting(b, 0, 255));
    ++count;
    if (*p != ':') break;
    ++p;
  }
  return p;
}

void read_common_room_option(EngineCommonRoom& room, const char* p) {
  const char* const kSyntax = "Errore Sintassi per locali comuni";
  char message[96];
  if (starts_with(p, "PRMIN:")) {
    p += 6;
    int needed = take_number(p);
    if (needed < 0 || needed > 99) {
      std::snprintf(message, sizeof(message), "Presenti necessari per locale comune Min=0 MAX=%d", 99);
      loader_config_error(message);
    }
    room.needed_attendance = needed;
    for (int k = 0; k < 2 && *p == '-' && is_digit(p[1]); ++k, p += 2)
      room.digits[k] = static_cast<std::uint8_t>(p[1] - '0');
  } else if (starts_with(p, "SEDE:")) {
    room.building = or_find_building(p + 5);
    if (room.building < 0) loader_config_error("LOCale assegnato a SEDE non esistente");
  } else if (starts_with(p, "COPPIE:")) {
    read_common_room_pairs(p + 7, room.coppie, room.coppie_count, "Troppe Coppie", true);
  } else if (starts_with(p, "PEROCOET:")) {
    room.perocoet = read_number(p + 9);
  } else if (starts_with(p, "PEROCO:")) {
    read_common_room_pairs(p + 7, room.peroco, room.peroco_count, "Troppe peroco", false);
    g_eng_school.uses_peroco = 1;
  } else if (starts_with(p, "AVOMAX:")) {
    int value = read_number(p + 7);
    room.avomax = static_cast<std::uint8_t>(loader_fitting(value, -128, 127) & 0xFF);
    if (value >= 1) g_eng_school.uses_avomax = 1;
  } else if (starts_with(p, "OX:")) {
    const char* q = p + 3;
    for (int k = 0; k < kWeekSlots; ++k) {
      if (!is_digit(q[k])) loader_config_error("OX: servono 84 cifre (7 giorni x 12 ore)");
      room.ox_grid[k] = static_cast<std::uint8_t>(q[k] - '0');
    }
  } else if (starts_with(p, "OR:")) {
    if (room.availability[0] == 255) std::memset(room.availability, 0, sizeof(room.availability));
    read_day_ranges(p + 3, room.availability, "Configurare OR:da-a ..");
  } else {
    loader_config_error(kSyntax);
  }
}

int lesson_building(const EngineLesson& lesson) {
  if (lesson.building >= 0) return lesson.building;
  if (lesson.class_index >= 0) return g_eng_classes[lesson.class_index].building;
  return -1;
}

bool same_subject_name(int a, int b) {
  if (a < 0 || b < 0) return false;
  if (a == b) return true;
  const EngineSubject& x = g_eng_subjects[a];
  const EngineSubject& y = g_eng_subjects[b];
  return std::strcmp(x.group_name, y.group_name) == 0 || std::strcmp(x.specific_name, y.specific_name) == 0 ||
         std::strcmp(x.specific_name, y.group_name) == 0 || std::strcmp(x.group_name, y.specific_name) == 0;
}

void bind_common_room(int index) {
  const EngineCommonRoom& room = g_eng_common_rooms[index];
  char text[160];
  for (int k = 0; k < 4; ++k) {
    int subject = room.subjects[k];
    if (subject < 0) continue;
    for (int i = 0; i < g_eng_school.lesson_count; ++i) {
      EngineLesson& lesson = g_eng_lessons[i];
      bool main = lesson.subject == subject;
      bool linked = !main && same_subject_name(lesson.part_subject, subject);
      if (!main && !linked) continue;
      if (room.building >= 0 && lesson_building(lesson) != room.building) continue;
      if (lesson.common_room >= 0 && lesson.common_room != index) {
        std::snprintf(text, sizeof(text),
                      main ? "(B) %s Materia %s già associata a locale comune %s"_cp
                           : "(C) %s Materia %s già associata a locale comune %s"_cp,
                      g_eng_classes[lesson.class_index].code, g_eng_subjects[subject].specific_name,
                      g_eng_common_rooms[lesson.common_room].name);
        loader_config_error_text(text, g_loader.line);
      }
      lesson.common_room = lesson.second_common_room = index;
    }
  }
}

void read_common_room_line(const char* line) {
  const char* const kSyntax = "Errore Sintassi per locali comuni";
  char name[kNameSize];
  copy_until(name, first_value(line, 4), kNameSize - 1, nullptr);
  int index = -1;
  for (int c = 0; c < g_eng_school.common_room_count && index < 0; ++c)
    if (std::strcmp(g_eng_common_rooms[c].name, name) == 0) index = c;
  if (index < 0) {
    if (g_eng_school.common_room_count >= kMaxCommonRooms) loader_config_error("Troppi Locali Comuni");
    index = g_eng_school.common_room_count++;
    EngineCommonRoom& fresh = g_eng_common_rooms[index];
    std::memset(static_cast<void*>(&fresh), 0, sizeof(fresh));
    std::memcpy(fresh.name, name, sizeof(name));
    fresh.building = -1;
    for (int& s : fresh.subjects) s = -1;
    fresh.availability[0] = 255;
  }
  EngineCommonRoom& room = g_eng_common_rooms[index];
  const char* p = next_field(first_value(line, 4));
  if (p == nullptr) loader_config_error(kSyntax);
  char subject[kNameSize];
  if (starts_with(p, "GM:")) {
    copy_until(subject, p + 3, kNameSize - 1, nullptr);
    for (int& s : room.subjects) s = -1;
    room.subjects[0] = subject_by_group_name(subject);
    p = next_field(p);
    if (p == nullptr || !starts_with(p, "MAT:")) loader_config_error(kSyntax);
  } else if (starts_with(p, "GMPM:")) {
    const char* q = p + 5;
    for (int k = 0; k < 4; ++k) {
      room.subjects[k] = -1;
      if (field_end(*q)) continue;
      int n = copy_until(subject, q, kNameSize - 1, "-");
      room.subjects[k] = subject_by_group_name(subject);
      q += n;
      while (!field_end(*q) && *q != '-') ++q;
      if (*q == '-') ++q;
    }
  } else {
    loader_config_error(kSyntax);
  }
  p = next_field(p);
  if (p == nullptr || !starts_with(p, "PRMAX:")) loader_config_error(kSyntax);
  int admitted = read_number(p + 6);
  if (admitted < 1 || admitted > 99) {
    char message[96];
    std::snprintf(message, sizeof(message), "Presenti ammessi per locale comune Min=1 MAX=%d", 99);
    loader_config_error(message);
  }
  room.admitted_attendance = admitted;
  room.building = -1;
  for (p = next_field(p); p != nullptr; p = next_field(p)) read_common_room_option(room, p);
  bind_common_room(index);
}

}  // namespace

void or_read_lab_group_line(const char* line) {
  const char* p = first_value(line, 8);
  char name[kNameSize];
  copy_until(name, p, kNameSize - 1, nullptr);
  int group = -1;
  for (int g = 0; g < g_eng_school.lab_group_count && group < 0; ++g)
    if (std::strcmp(g_eng_lab_groups[g].name, name) == 0) group = g;
  if (group < 0) {
    if (g_eng_school.lab_group_count >= kMaxLabGroups) return;
    group = g_eng_school.lab_group_count++;
    std::memcpy(g_eng_lab_groups[group].name, name, sizeof(name));
    for (auto& slot : g_eng_lab_groups[group].rooms) slot = 0xFFFF;
  }
  p = next_field(p);
  for (int k = 0; k < kLabGroupRooms && p != nullptr; ++k, p = next_field(p)) {
    char room_name[kNameSize];
    copy_until(room_name, p, kNameSize - 1, nullptr);
    for (int r = 0; r < g_eng_school.room_count; ++r)
      if (std::strcmp(g_eng_rooms[r].name, room_name) == 0) {
        g_eng_lab_groups[group].rooms[k] = static_cast<std::uint16_t>(r);
        break;
      }
  }
}

void or_read_lab_lines(std::FILE* file) {
  while (loader_next_line(file)) {
    if (starts_with(g_loader.line, "GRULLAB:")) or_read_lab_group_line(g_loader.line);
    else if (starts_with(g_loader.line, "LABOR:")) read_lab_line(g_loader.line);
  }
}

void or_read_common_room_lines(std::FILE* file) {
  while (loader_next_line(file))
    if (starts_with(g_loader.line, "LOC:")) read_common_room_line(g_loader.line);
}

void or_check_common_room_buildings() {
  char text[64];
  for (int b = 0; b < g_eng_school.building_count; ++b) {
    EngineBuilding& building = g_eng_buildings[b];
    for (int k = 0; k < building.condition_count; ++k) {
      BuildingCondition& entry = building.conditions[k];
      int other = -1;
      for (int o = 0; o < g_eng_school.building_count && other < 0; ++o)
        if (o != b && std::strncmp(g_eng_buildings[o].name, entry.name, kNameSize - 1) == 0) other = o;
      if (other < 0) {
        std::snprintf(text, sizeof(text), "Sede NOCS %s non esiste", entry.name);
        or_raise_config_error(text, building.name);
      }
      entry.building = other;
      entry.value = static_cast<std::uint8_t>(entry.value - 1);
    }
  }
}
