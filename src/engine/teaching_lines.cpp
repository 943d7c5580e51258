// Options of the class items of a teaching line: "1A 3 G:21 KOP:LU:1-2 ..."
// sets, on the lessons the item has just created, consecutive-hours maps,
// daily limits, joint and articulated classes, teacher tasks and class-off
// hours, names of the school's two item lists, incompatible and paired
// subjects and building splits.
//
// Options are blank-separated tokens up to the end of the field; each token
// starts with its keyword and an unknown token is a configuration error.
// Both the one-character "PMGY:" form ('1' to '<') and the decimal form the
// user interface writes ("PMGY:12") are read. Every hour and day value is
// checked before it indexes a grid or a table.
//
// Workload: a few options per class item, a few thousand items per school.
#include <algorithm>
#include <cstring>
#include <functional>

#include "engine/errors.h"
#include "engine/loader_internal.h"

ArticulatedGroup g_articulated_groups[kMaxArticulatedGroups];
int g_articulated_group_count = 0;
int g_articulated_running_number = 100000;

namespace {

struct ItemContext {
  int first;     // first lesson of the item
  int end;       // one past its last lesson
  int line;      // description line number
  int teacher;   // the line's teacher
  int artyw;     // "ARTYW:" items read so far on this item
  bool numbered; // the item's lessons carry articulated running numbers
};

template <typename F>
void each_lesson(const ItemContext& c, F f) {
  for (int i = c.first; i < c.end; ++i) f(g_eng_lessons[i]);
}

const char* read_map(const char* p, char* out) {
  int n = 0;
  char digits[8];
  while (is_digit(*p)) {
    if (*p == '0') loader_config_error("Mappa ore consecutive con '0' - non ha senso");
    if (n < 7) digits[n++] = *p;
    ++p;
  }
  // Highest digit first; at most seven, so a plain insertion sort.
  for (int i = 1; i < n; ++i)
    for (int j = i; j > 0 && digits[j - 1] < digits[j]; --j) std::swap(digits[j - 1], digits[j]);
  std::memcpy(out, digits, n);
  out[n] = '\0';
  return p;
}

const char* read_pmg(const char* p, std::uint8_t EngineLesson::*field, const ItemContext& c) {
  int value = -1;
  if (is_digit(p[0]) && is_digit(p[1])) {
    value = take_number(p);
  } else if (p[0] >= '1' && p[0] <= '<') {
    value = p[0] - '0';
    ++p;
  }
  if (value < 1 || value > kHoursPerDay) loader_config_error("PMGY:1..9");
  each_lesson(c, [&](EngineLesson& l) { l.*field = static_cast<std::uint8_t>(value); });
  return p;
}

// Text up to the stop character (or a blank when the stop is missing).
const char* read_text(const char* p, char stop, char* out) {
  const char* end = p;
  while (!field_end(*end) && *end != stop) ++end;
  if (*end != stop) {
    end = p;
    while (!field_end(*end) && *end != ' ') ++end;
  }
  int n = static_cast<int>(end - p);
  std::memcpy(out, p, std::min(n, kNameSize - 1));
  out[std::min(n, kNameSize - 1)] = '\0';
  or_trim_trailing_blanks(out);
  return *end == stop ? end + 1 : end;
}

int list_position(char (*names)[kNameSize], std::int32_t& count, const char* name) {
  for (int k = 0; k < count; ++k)
    if (std::strcmp(names[k], name) == 0) return k + 1;
  if (count >= 20) return 0;
  std::strcpy(names[count], name);
  return ++count;
}

// True when an option keyword starts at p.
bool option_starts(const char* p) {
  static const char* const kKeys[] = {"G:",    "G2:",    "PMGY:", "PMGZ:", "ORP:",  "ORQ:",  "ITPMX:",
                                      "ATTRE:", "ZENDO:", "MNIG:", "GRUL:", "GLB:",  "MISCRE:", "SPLX:",
                                      "SPLY:", "I:",     "ARTYW:", "K:",    "J:",    "KOP:",  "REMREM:"};
  for (const char* key : kKeys)
    if (starts_with(p, key)) return true;
  return false;
}

// A list name runs to the end of the field or to a blank that starts the
// next option, so names the user interface writes with blanks stay whole.
const char* read_named_list(const char* p, int which, const ItemContext& c) {
  const char* end = p;
  while (!field_end(*end) && !(*end == ' ' && option_starts(end + 1))) ++end;
  char name[kNameSize];
  int n = static_cast<int>(end - p);
  copy_until(name, p, n < kNameSize - 1 ? n : kNameSize - 1, nullptr);
  or_trim_trailing_blanks(name);
  EngineSchool& s = g_eng_school;
  int position = which == 0 ? list_position(s.attre_names, s.attre_count, name)
                            : list_position(s.zendo_names, s.zendo_count, name);
  each_lesson(c, [&](EngineLesson& l) { l.list_positions[which] = position; });
  if (which == 1) g_eng_teachers[c.teacher].item_marks |= kMarkZendo;
  return end;
}

const char* read_split(const char* p, bool with_digit, const ItemContext& c) {
  char name[kNameSize];
  const char* end = read_text(p, with_digit ? '-' : ':', name);
  int digit = 0;
  if (with_digit) {
    if (is_digit(*end)) digit = *end++ - '0';
    if (*end == ':') ++end;
  }
  int building = or_find_building(name);
  if (building < 0) return end;
  each_lesson(c, [&](EngineLesson& l) {
    l.forced_building = building;
    if (with_digit) l.building_flag = static_cast<std::uint8_t>(digit);
  });
  if (with_digit) g_eng_school.split_flags |= static_cast<std::uint8_t>(digit);
  return end;
}

const char* read_joint_code(const char* p, const ItemContext& c) {
  char code[kClassCodeSize];
  int length = g_eng_school.class_code_length;
  int n = copy_until(code, p, length, " ");
  each_lesson(c, [&](EngineLesson& l) {
    std::memcpy(l.joint_code, code, sizeof(code));
    std::memcpy(l.joint_class_code, code, 3);
  });
  return p + n;
}

const char* read_articulated(const char* p, ItemContext& c) {
  if (g_articulated_group_count >= kMaxArticulatedGroups) loader_config_error("Troppe articolazioni");
  ArticulatedGroup& group = g_articulated_groups[g_articulated_group_count++];
  int n = copy_until(group.code, p, g_eng_school.class_code_length, " ");
  group.position = c.artyw++;
  if (!c.numbered) {
    c.numbered = true;
    group.first_number = g_articulated_running_number;
    each_lesson(c, [&](EngineLesson& l) {
      l.articulated_number = g_articulated_running_number;
      if (++g_articulated_running_number >= 2000111001) g_articulated_running_number = 1;
    });
    group.end_number = g_articulated_running_number;
  } else {
    group.first_number = g_eng_lessons[c.first].articulated_number;
    group.end_number = c.end > c.first ? g_eng_lessons[c.end - 1].articulated_number + 1 : group.first_number;
  }
  const char* end = p + n;
  while (!field_end(*end) && *end != ' ') ++end;
  return end;
}

const char* read_task(const char* p, bool j_flag, const ItemContext& c) {
  const char* const kMessage = "Errore di sintassi COMPITI";
  if (!is_digit(*p)) loader_config_error(kMessage);
  // The item's first number is the length of the test block in hours (the
  // desktop page offers 1 to 12), not a day: a block of 7 or more hours is
  // as valid as a shorter one.
  int day = take_number(p);
  if (*p != ':') loader_config_error(kMessage);
  ++p;
  int first = take_number(p);
  if (*p != '-') loader_config_error(kMessage);
  ++p;
  int last = take_number(p);
  if (day < 0 || day > kHoursPerDay || first < 1 || last > kHoursPerDay || last < first) loader_config_error(kMessage);
  EngineTeacher& t = g_eng_teachers[c.teacher];
  if (t.task_count >= kMaxTeacherTasks) loader_config_error("Numero compiti eccessivo");
  TeacherTask& task = t.tasks[t.task_count++];
  std::memset(static_cast<void*>(&task), 0, sizeof(task));
  task.references[0] = c.first < c.end ? g_eng_lessons[c.first].class_index : -1;
  task.references[1] = c.line;
  task.day = static_cast<std::int8_t>(day);
  task.first_hour = static_cast<std::int8_t>(first - 1);
  task.last_hour = static_cast<std::int8_t>(last - 1);
  task.j_flag = j_flag ? 1 : 0;
  return p;
}

void add_class_off(const ItemContext& c, int day, int first, int last) {
  EngineTeacher& t = g_eng_teachers[c.teacher];
  if (t.class_off_count >= kMaxClassOffRecords) loader_config_error("Numero clapoff eccessivo");
  TeacherClassOff& entry = t.class_off[t.class_off_count++];
  entry.references[0] = c.first < c.end ? g_eng_lessons[c.first].class_index : -1;
  entry.references[1] = c.line;
  entry.day = static_cast<std::int8_t>(day);
  entry.first_hour = static_cast<std::int8_t>(first - 1);
  entry.last_hour = static_cast<std::int8_t>(last - 1);
}

const char* read_hour_range(const char* p, int* first, int* last, const char* message) {
  if (!is_digit(*p)) loader_config_error(message);
  *first = take_number(p);
  if (*p != '-' || !is_digit(p[1])) loader_config_error(message);
  ++p;
  *last = take_number(p);
  if (*first < 1 || *last > kHoursPerDay || *last < *first) loader_config_error(message);
  return p;
}

const char* read_class_off(const char* p, const ItemContext& c) {
  const char* const kMessage = "Errore di sintassi KOP:";
  int first = 0;
  int last = 0;
  if (p[0] == 'X' && p[1] == ':') {
    p = read_hour_range(p + 2, &first, &last, kMessage);
    add_class_off(c, -1, first, last);
  } else {
    int day = or_next_day_name(p);
    if (day < 0) loader_config_error(kMessage);
    while (day >= 0) {
      p = read_hour_range(p, &first, &last, kMessage);
      add_class_off(c, day, first, last);
      day = or_next_day_name(p);
    }
  }
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (g_eng_lessons[i].line_number == c.line) g_eng_lessons[i].class_off_flag |= 1;
  while (!field_end(*p) && *p != ' ') ++p;
  return p;
}

const char* read_option(const char* p, ItemContext& c) {
  EngineTeacher& t = g_eng_teachers[c.teacher];
  if (starts_with(p, "G2:") || starts_with(p, "G:")) {
    int map = p[1] == '2' ? 1 : 0;
    char text[13];
    p = read_map(p + (map ? 3 : 2), text);
    if (c.first < c.end) std::strcpy(g_eng_lessons[c.first].consecutive_maps[map], text);
    return p;
  }
  if (starts_with(p, "PMGY:")) return read_pmg(p + 5, &EngineLesson::pmgy_digit, c);
  if (starts_with(p, "PMGZ:")) return read_pmg(p + 5, &EngineLesson::pmgz_digit, c);
  if (starts_with(p, "ORP:") || starts_with(p, "ORQ:")) {
    bool reception = p[2] == 'Q';
    p += 4;
    int value = loader_fitting(take_number(p), -128, 127);
    each_lesson(c, [&](EngineLesson& l) { l.filed_value = static_cast<std::int8_t>(value); });
    if (reception) t.item_marks |= kMarkOrq;
    return p;
  }
  if (starts_with(p, "ITPMX:")) {
    p += 6;
    int value = take_number(p);
    each_lesson(c, [&](EngineLesson& l) { l.itpmx = value; });
    return p;
  }
  if (starts_with(p, "ATTRE:")) return read_named_list(p + 6, 0, c);
  if (starts_with(p, "ZENDO:")) return read_named_list(p + 6, 1, c);
  if (starts_with(p, "MNIG:") || starts_with(p, "GRUL:") || starts_with(p, "GLB:")) {
    char text[kNameSize];
    char kind = p[1];
    p = kind == 'L' ? read_text(p + 4, '-', text) : read_text(p + 5, ':', text);
    each_lesson(c, [&](EngineLesson& l) {
      char* field = kind == 'N' ? l.incompatible_subject_name : kind == 'R' ? l.paired_subject_name : l.group_text;
      std::memcpy(field, text, kNameSize);
    });
    return p;
  }
  if (starts_with(p, "MISCRE:")) {
    p += 7;
    int value = loader_fitting(take_number(p), -128, 127);
    if (*p == ':') ++p;
    each_lesson(c, [&](EngineLesson& l) { l.miscre = static_cast<std::uint8_t>(value & 0xFF); });
    t.item_marks |= kMarkMiscre;
    return p;
  }
  if (starts_with(p, "SPLX:")) return read_split(p + 5, false, c);
  if (starts_with(p, "SPLY:")) return read_split(p + 5, true, c);
  if (starts_with(p, "I:")) return read_joint_code(p + 2, c);
  if (starts_with(p, "ARTYW:")) return read_articulated(p + 6, c);
  if (starts_with(p, "K:") || starts_with(p, "J:")) return read_task(p + 2, p[0] == 'J', c);
  if (starts_with(p, "KOP:")) return read_class_off(p + 4, c);
  if (starts_with(p, "REMREM:")) {
    while (!field_end(*p) && *p != ' ') ++p;
    return p;
  }
  loader_config_error("Cattedre classi ore??");
}

}  // namespace

void or_read_class_item_options(const char* item, int first_lesson, int end_lesson, int line_number) {
  ItemContext c{first_lesson, end_lesson, line_number,
                or_find_or_add_teacher(g_loader.teacher_name), 0, false};
  const char* p = item;
  while (!field_end(*p)) {
    if (*p == ' ') {
      ++p;
      continue;
    }
    p = read_option(p, c);
  }
}
