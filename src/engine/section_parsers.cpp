// Find-or-add operations of the description loader (classes, subgroup
// classes, rooms, teachers), the week calendar lines ("DAYS:", "CORTO:"),
// day names inside items and the day-range reader shared by "OR:", "OP:",
// "KOP:", "CALESPE:" and the lab and common-room availability.
//
// Invariants: room i is the own room of class i for every class, so a class
// appended after other rooms exist inserts its room at its own index and the
// later rooms (and the lessons' room indexes) move up by one. Every table is
// checked against its capacity before a record is written; hours of a day
// item must lie in 1..12, so no value reaches another day's slots.
//
// Workload: a few hundred classes and rooms, linear searches per lookup.
#include <cstdio>
#include <cstring>

#include "engine/errors.h"
#include "engine/loader_internal.h"
#include "engine/section_parsers.h"
#include "platform/cp1252.h"

namespace {

int code_length(int three_char_flag) {
  return three_char_flag ? 3 : g_eng_school.class_code_length;
}

void copy_code(char* out, const char* code, int length) {
  int k = 0;
  while (k < length && k < kClassCodeSize - 1 && code[k] != '\0' && code[k] != '|' &&
         code[k] != '\r' && code[k] != '\n') {
    out[k] = code[k];
    ++k;
  }
  out[k] = '\0';
}

// Opens a room slot at index at, moving the later rooms and the lessons'
// room indexes up by one.
void insert_room_at(int at, const char* message, const char* text) {
  if (g_eng_school.room_count >= kMaxRooms) or_raise_config_error(message, text);
  for (int r = g_eng_school.room_count; r > at; --r) g_eng_rooms[r] = g_eng_rooms[r - 1];
  ++g_eng_school.room_count;
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (g_eng_lessons[i].room >= at) ++g_eng_lessons[i].room;
  for (int g = 0; g < g_eng_school.lab_group_count; ++g)
    for (std::uint16_t& slot : g_eng_lab_groups[g].rooms)
      if (slot != 0xFFFF && slot >= at) ++slot;
  std::memset(static_cast<void*>(&g_eng_rooms[at]), 0, sizeof(EngineRoom));
}

void name_own_room(int class_index) {
  EngineRoom& room = g_eng_rooms[class_index];
  std::memset(static_cast<void*>(&room), 0, sizeof(room));
  copy_code(room.name, g_eng_classes[class_index].code, kNameSize - 1);
  room.home_class = static_cast<std::int16_t>(class_index);
}

}  // namespace

int or_find_class(const char* code) {
  int length = g_eng_school.class_code_length;
  for (int c = 0; c < g_eng_school.class_count; ++c)
    if (std::strncmp(g_eng_classes[c].code, code, length) == 0) return c;
  return -1;
}

int or_find_or_add_class(const char* code, int three_char_flag) {
  int length = code_length(three_char_flag);
  char wanted[kClassCodeSize];
  copy_code(wanted, code, length);
  for (int c = 0; c < g_eng_school.class_count; ++c)
    if (std::strncmp(g_eng_classes[c].code, wanted, length) == 0) return c;
  if (g_eng_school.class_count >= kMaxClasses)
    or_raise_config_error("Numero di classi eccessivo", "Crea classi");
  int index = g_eng_school.class_count;
  // The own room first: the class is counted only once its room exists.
  if (g_eng_school.room_count > index) insert_room_at(index, "Numero di stanze eccessivo", "Crea stanze");
  else if (g_eng_school.room_count >= kMaxRooms) or_raise_config_error("Numero di stanze eccessivo", "Crea stanze");
  else ++g_eng_school.room_count;
  ++g_eng_school.class_count;
  EngineClass& cls = g_eng_classes[index];
  std::memset(static_cast<void*>(&cls), 0, sizeof(cls));
  std::memcpy(cls.code, wanted, sizeof(wanted));
  cls.parent = -1;
  cls.subgroup_keys[0] = cls.subgroup_keys[1] = -1;
  cls.building = -1;
  cls.three_char_flag = static_cast<std::uint8_t>(three_char_flag ? 1 : 0);
  cls.special_calendar[0] = 255;
  cls.reset_marker = 255;
  cls.weight = 1;
  name_own_room(index);
  return index;
}

int or_create_subgroup_class(int parent, int key1, int key2) {
  for (int c = 0; c < g_eng_school.class_count; ++c)
    if (c != parent && g_eng_classes[c].parent == parent && g_eng_classes[c].subgroup_keys[0] == key1 &&
        g_eng_classes[c].subgroup_keys[1] == key2)
      return c;
  int length = g_eng_school.class_code_length;
  char code[kClassCodeSize];
  copy_code(code, g_eng_classes[parent].code, length);
  auto taken = [&](const char* candidate, int n) {
    for (int c = 0; c < g_eng_school.class_count; ++c)
      if (std::strncmp(g_eng_classes[c].code, candidate, n) == 0) return true;
    return false;
  };
  bool found = false;
  for (char letter = 'Z'; letter >= 'A' && !found; --letter) {
    code[1] = letter;
    found = !taken(code, length);
  }
  if (!found) {
    if (length < 3) {
      g_eng_school.class_code_length = 3;
      length = 3;
      for (int c = 0; c < g_eng_school.class_count; ++c) {
        g_eng_classes[c].code[2] = 'A';
        g_eng_classes[c].code[3] = '\0';
        copy_code(g_eng_rooms[c].name, g_eng_classes[c].code, kNameSize - 1);
      }
      copy_code(code, g_eng_classes[parent].code, 3);
    }
    for (char letter = 'Z'; letter >= 'A' && !found; --letter) {
      code[2] = letter;
      found = !taken(code, length);
    }
    if (!found) or_raise_config_error("Mancano sezioni per espandere Sottogruppi", "Crea classi");
  }
  if (g_eng_school.class_count >= kMaxClasses)
    or_raise_config_error("Numero di classi eccessivo", "Crea classi parallela");
  int index = g_eng_school.class_count;
  insert_room_at(index, "Numero di stanze eccessivo", "Crea stanze parallela");
  ++g_eng_school.class_count;
  EngineClass& cls = g_eng_classes[index];
  cls = g_eng_classes[parent];
  std::memcpy(cls.code, code, sizeof(code));
  cls.parent = parent;
  cls.subgroup_keys[0] = key1;
  cls.subgroup_keys[1] = key2;
  cls.room_type = 1;
  cls.three_char_flag = 0;
  cls.lesson_index_count = 0;
  name_own_room(index);
  return index;
}

namespace {

int find_or_add_room_impl(const char* name, int length, int kind, bool by_kind, int lab_flag) {
  char wanted[kNameSize];
  int n = 0;
  while (n < length && n < kNameSize - 1 && !field_end(name[n])) {
    wanted[n] = name[n];
    ++n;
  }
  wanted[n] = '\0';
  for (int r = 0; r < g_eng_school.room_count; ++r)
    if (std::strcmp(g_eng_rooms[r].name, wanted) == 0 &&
        (!by_kind || g_eng_rooms[r].kind_or_building == kind))
      return r;
  if (g_eng_school.room_count >= kMaxRooms) or_raise_config_error("Numero di stanze eccessivo", "Crea stanze");
  int index = g_eng_school.room_count++;
  EngineRoom& room = g_eng_rooms[index];
  std::memset(static_cast<void*>(&room), 0, sizeof(room));
  std::memcpy(room.name, wanted, sizeof(wanted));
  room.home_class = -1;
  if (by_kind) {
    room.kind_or_building = static_cast<std::int8_t>(kind);
    room.allocation_state = 2;
  } else if (lab_flag) {
    room.lab_flag |= 1;
    std::memset(room.availability, 1, sizeof(room.availability));
  }
  return index;
}

}  // namespace

int or_find_or_add_room_by_name(const char* name, int length, int lab_flag) {
  return find_or_add_room_impl(name, length, 0, false, lab_flag);
}

int or_find_or_add_room(const char* name, int length, int kind) {
  return find_or_add_room_impl(name, length, kind, true, 0);
}

void or_raise_too_many_teachers() {
  static const char* const kText[3] = {
      "%d docenti o più: al massimo %d (contano anche i docenti fittizi dei calendari e delle articolazioni)"_cp,
      "%d Lehrer oder mehr: höchstens %d (auch die Ersatzlehrer der Kalender und Gliederungen zählen)"_cp,
      "%d teachers or more: at most %d (the stand-in teachers of calendars and split classes count too)"};
  char text[200];
  std::snprintf(text, sizeof text, or_pick_text(kText), g_eng_school.teacher_count + 1, kMaxTeachers);
  or_raise_config_error("Numero Professori eccessivo", text);
}

int or_find_or_add_teacher(const char* name) {
  char wanted[kNameSize];
  std::strncpy(wanted, name, kNameSize - 1);
  wanted[kNameSize - 1] = '\0';
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (std::strcmp(g_eng_teachers[t].name, wanted) == 0) return t;
  if (g_eng_school.teacher_count >= kMaxTeachers) or_raise_too_many_teachers();
  int index = g_eng_school.teacher_count;
  or_add_teacher_count();
  EngineTeacher& t = g_eng_teachers[index];
  std::memcpy(t.name, wanted, sizeof(wanted));
  t.in_test = 0;
  std::memset(t.ov, 255, sizeof(t.ov));
  std::memset(t.om, 255, sizeof(t.om));
  t.partner = -1;
  t.calendar_class = -1;
  t.main_teacher = -1;
  t.subject_index = 0xFFFF;
  return index;
}

void or_trim_trailing_blanks(char* text) {
  std::size_t n = std::strlen(text);
  while (n > 0 && text[n - 1] == ' ') text[--n] = '\0';
}

int or_find_building(const char* name) {
  char wanted[kNameSize];
  copy_until(wanted, name, kNameSize - 1, nullptr);
  for (int b = 0; b < g_eng_school.building_count; ++b)
    if (std::strcmp(g_eng_buildings[b].name, wanted) == 0) return b;
  return -1;
}

int or_next_day_name(const char*& cursor) {
  const int days = g_eng_run.days_per_week;
  for (const char* p = cursor; p != nullptr && !field_end(*p) && *p != ' '; ++p) {
    if (field_end(p[1])) break;
    for (int d = 0; d < days; ++d) {
      if (p[0] != g_eng_school.day_codes[d][0] || p[1] != g_eng_school.day_codes[d][1]) continue;
      if (p[2] != ':') loader_config_error("Nome del giorno non seguito da ':'");
      cursor = p + 3;
      return d;
    }
  }
  return -1;
}

const char* read_day_ranges(const char* p, std::uint8_t* grid, const char* message) {
  for (;;) {
    int day = or_next_day_name(p);
    if (day < 0) return p;
    if (!is_digit(*p)) loader_config_error(message);
    int first = take_number(p);
    if (*p != '-') loader_config_error(message);
    ++p;
    if (!is_digit(*p)) loader_config_error(message);
    int last = take_number(p);
    if (first < 1 || last > kHoursPerDay || last < first) loader_config_error(message);
    for (int h = first - 1; h < last; ++h) grid[day * kHoursPerDay + h] = 1;
  }
}

void or_read_days_line(const char* line) {
  EngineSchool& s = g_eng_school;
  const char* p = line + 5;  // behind "DAYS:"
  if (*p == '|') p = next_field(p);
  int longest = 0;
  for (int d = 0; d < kDays; ++d) {
    if (p == nullptr || line_end(p)) loader_config_error("GIORNI ");
    if (!is_upper_letter(static_cast<unsigned char>(p[0])) || !is_upper_letter(static_cast<unsigned char>(p[1])))
      loader_config_error("Nomi Giorni");
    s.day_codes[d][0] = p[0];
    s.day_codes[d][1] = p[1];
    s.day_codes[d][2] = '\0';
    const char* q = p + 2;
    if (!is_digit(*q)) loader_config_error("Ore del Giorno");
    int hours = take_number(q);
    if (hours > kHoursPerDay) loader_config_error("Ore del Giorno");
    s.hours_per_day[d] = static_cast<std::uint8_t>(hours);
    if (hours > longest) longest = hours;
    if (*q == '-') {
      ++q;
      for (int k = 0; k < kNameSize - 1 && !field_end(*q) && *q != ':'; ++k) ++q;
    }
    for (int j = 0; *q == ':'; ++j) {
      if (j >= kHoursPerDay) loader_config_error("Ore del Giorno");
      ++q;
      int first = take_number(q);
      int second = 0;
      if (*q == ':') {
        ++q;
        second = take_number(q);
      }
      s.timing[0][d][j] = static_cast<std::uint16_t>(first < 0 ? 0 : first > 65535 ? 65535 : first);
      s.timing[1][d][j] = static_cast<std::uint16_t>(second < 0 ? 0 : second > 65535 ? 65535 : second);
    }
    p = d < kDays - 1 ? next_field(p) : p;
  }
  int days = 0;
  while (days < kDays && s.hours_per_day[days] > 0) ++days;
  for (int d = days; d < kDays; ++d)
    if (s.hours_per_day[d] > 0) loader_config_error("Non giorni vuoti in mezzo");
  int weekly = 0;
  for (int d = 0; d < days; ++d) weekly += s.hours_per_day[d];
  g_eng_run.days_per_week = static_cast<std::uint8_t>(days);
  g_eng_run.weekly_slots = static_cast<std::uint8_t>(weekly);
  g_eng_run.longest_day = static_cast<std::uint8_t>(longest);
}

void or_read_short_days_line(const char* line) {
  const char* p = next_field(line);
  for (int k = 0; k < kDays && p != nullptr; ++k, p = next_field(p)) {
    int day = -1;
    for (int d = 0; d < kDays && day < 0; ++d)
      if (p[0] == g_eng_school.day_codes[d][0] && p[1] == g_eng_school.day_codes[d][1] && p[0] != '\0')
        day = d;
    if (day < 0) loader_config_error("Nome del giorno corto?");
    int value = 1;
    if (p[2] == '-') value = read_number(p + 3);
    g_eng_school.short_day[day] = static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
  }
}

void or_reset_teacher_constraint_fields() {
  for (int i = 0; i < g_eng_school.teacher_count; ++i) {
    EngineTeacher& t = g_eng_teachers[i];
    t.pmin_hours = t.pmin_days = t.pmax_hours = t.pmax_days = -1;
    t.cavallomax_hour = t.cavallomax_days = -1;
    t.umin_hours = t.umin_days = t.umax_hours = t.umax_days = -1;
    std::memset(t.fmin, 255, 3);
    std::memset(t.fmax, 255, 3);
    std::memset(t.emin, 255, 3);
    std::memset(t.emax, 255, 3);
    std::memset(t.ov, 255, kDays);
    std::memset(t.om, 255, kDays);
    std::memset(t.dimpe, 255, kDays);
    std::memset(t.ovmnb, 255, kDays);
    std::memset(t.allowed_hours, 255, kWeekSlots);
    std::memset(t.allowed_hours_work, 255, kWeekSlots);
    std::memset(t.forbidden_hours, 255, kWeekSlots);
    t.gl_hours = t.gl_days = t.gp_hours = t.gp_days = t.gu_hours = t.gu_days = -1;
    std::memset(t.gx, 255, 3);
    t.gmin_days = t.gmax_days = -1;
    t.insegnamin = t.insegna = t.presenza = 255;
    t.carshare_name[0] = '\0';
    t.carshare_wait = -1;
    t.buk[0] = t.buk[1] = -1;
    t.riposo = -1;
    t.gpausa = -1;
    t.nomotor = -1;
    t.nomweek = -1;
    std::memset(t.pausameper, 255, 4);
    t.maxbudayper = -1;
    t.tekgrado[0] = t.tekgrado[1] = 0;
    t.labrifol = 0;
    t.clasenoc = 3;
  }
}
