// Week-grid accessors of the timetable pages (see week_grid_access.h).
//
// The pages call these on the user interface's thread while no engine
// command runs. Every entity is looked up by name per call (a few hundred
// records), and every grid is filled by one pass over the lessons, so a
// page redraw costs well under a millisecond. Lesson, day and hour
// arguments from the pages are range-checked before any table is indexed;
// the accessors that can reach an error reporter catch its exception, as
// the pages have no engine command around them.
#include "engine/week_grid_access.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine_services.h"
#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/placement_services.h"
#include "engine/reception_exemption_files.h"
#include "engine/save_files.h"
#include "engine/special_calendars.h"
#include "engine/status_block.h"
#include "engine/substitution_services.h"
#include "engine/timetable_view.h"
#include "platform/cp1252.h"

namespace {

int language() {
  int l = g_status.language;
  return l >= 0 && l < 3 ? l : 0;
}

bool valid_lesson(int l) { return l >= 0 && l < g_eng_school.lesson_count; }
bool valid_class(int c) { return c >= 0 && c < g_eng_school.class_count && c < kMaxClasses; }
bool valid_teacher(int t) { return t >= 0 && t < g_eng_school.teacher_count && t < kMaxTeachers; }

int class_room(int c) {
  if (!valid_class(c)) return -1;
  for (int r = 0; r < g_eng_school.room_count; ++r)
    if (std::strcmp(g_eng_rooms[r].name, g_eng_classes[c].code) == 0) return r;
  return -1;
}

int lesson_room(int l) {
  int own = or_lesson_room_setting(l);
  return own >= 0 ? own : g_eng_lessons[l].room;
}

int building_of(int lesson) {
  const EngineLesson& l = g_eng_lessons[lesson];
  if (l.building >= 0 && l.building < g_eng_school.building_count) return l.building;
  return valid_class(l.class_index) ? g_eng_classes[l.class_index].building : -1;
}

bool teacher_takes_part(int l, int t) {
  return g_eng_lessons[l].teacher == t || (or_lesson_has_second(l) && g_eng_lessons[l].second_teacher == t);
}

void clear_grid(WeekGridCell* grid) {
  std::memset(static_cast<void*>(grid), 0, sizeof(WeekGridCell) * kWeekSlots);
  for (int i = 0; i < kWeekSlots; ++i) grid[i].class_index = -1;
}

int find_class(const char* name) {
  int n = g_eng_school.class_code_length;
  for (int c = 0; c < g_eng_school.class_count; ++c)
    if (std::strncmp(g_eng_classes[c].code, name, static_cast<std::size_t>(n)) == 0) return c;
  for (int c = 0; c < g_eng_school.class_count; ++c)
    if (kt::cp1252_casecmp(g_eng_classes[c].display_name, name) == 0) return c;
  return -1;
}

template <typename Record>
int find_exact(const Record* table, int count, const char* name) {
  for (int i = 0; i < count; ++i)
    if (std::strcmp(table[i].name, name) == 0) return i;
  return -1;
}

void mark_teacher_extras(int t, WeekGridCell* grid) {
  const EngineTeacher& x = g_eng_teachers[t];
  if (x.allowed_hours_work[0] != 255)
    for (int s = 0; s < kWeekSlots; ++s) grid[s].unavailable = x.allowed_hours_work[s] == 0 ? 1 : 0;
  if (g_eng_school.transfer_option == 0) return;
  for (int d = 0; d < or_week_days(); ++d)
    for (int h = 1; h <= or_day_hours(d) - 2; ++h) {
      const WeekGridCell& before = grid[d * kHoursPerDay + h - 1];
      const WeekGridCell& after = grid[d * kHoursPerDay + h + 1];
      if (grid[d * kHoursPerDay + h].class_index >= 0 || before.class_index < 0 || after.class_index < 0) continue;
      if (building_of(before.lesson) != building_of(after.lesson)) grid[d * kHoursPerDay + h].transfer_gap = 1;
    }
}

char g_last_grid_name[kNameSize];

}  // namespace

void or_fill_grid_cell(int lesson, WeekGridCell* grid) {
  if (!valid_lesson(lesson) || !or_lesson_placed(lesson)) return;
  const EngineLesson& l = g_eng_lessons[lesson];
  if (or_is_calendar_teacher(l.teacher) || !or_slot_in_week(l.day, l.hour)) return;
  WeekGridCell& cell = grid[l.day * kHoursPerDay + l.hour];
  cell.status = 0;
  cell.lesson = lesson;
  cell.class_index = l.class_index;
  int room = lesson_room(lesson);
  cell.room = (or_is_pseudo_class(l.class_index) || room == class_room(l.class_index)) ? -1 : room;
  cell.room_override = or_lesson_room_setting(lesson) >= 0 ? 1 : 0;
  cell.lesson_again = lesson;
  cell.teacher = l.teacher;
  cell.subject = l.subject;
  cell.common_room = l.common_room;
  cell.part_subject = (l.piece_kind & (kHasLaboratoryPart | kHasConversationPart)) ? l.part_subject : -1;
  cell.second_teacher = or_lesson_has_second(lesson) ? l.second_teacher : -1;
  cell.flag = l.standby_marker;
  cell.supported_class = or_lesson_supported_class(lesson);
  if (g_eng_school.building_count > 1) {
    int b = building_of(lesson);
    if (l.standby_marker == 2 && valid_class(cell.supported_class)) b = g_eng_classes[cell.supported_class].building;
    if (b >= 0 && b < g_eng_school.building_count) cell.building_code = static_cast<std::uint8_t>(g_eng_buildings[b].name[0]);
  }
  if (g_provisional_mode && valid_class(l.class_index))
    cell.provisional_free = g_eng_classes[l.class_index].provisional_free[l.day * kHoursPerDay + l.hour] == 0 ? 1 : 0;
}

int or_fill_week_grid(int kind, const char* name, WeekGridCell* grid) {
  std::snprintf(g_last_grid_name, sizeof g_last_grid_name, "%s", name ? name : "");
  clear_grid(grid);
  if (name == nullptr) return -1;
  int found = -1;
  switch (kind) {
    case kGridClass:
      found = find_class(name);
      if (found >= 0)
        for (int i = 0; i < g_eng_school.lesson_count; ++i)
          if (g_eng_lessons[i].class_index == found) or_fill_grid_cell(i, grid);
      break;
    case kGridTeacher:
    case kGridTeacherLeads:
      found = find_exact(g_eng_teachers, g_eng_school.teacher_count, name);
      if (found >= 0) {
        for (int i = 0; i < g_eng_school.lesson_count; ++i)
          if (kind == kGridTeacher ? teacher_takes_part(i, found) : g_eng_lessons[i].teacher == found)
            or_fill_grid_cell(i, grid);
        mark_teacher_extras(found, grid);
      }
      break;
    case kGridRoom:
      for (int r = 0; r < g_eng_school.room_count && found < 0; ++r)
        if ((g_eng_rooms[r].lab_flag & 1) && std::strcmp(g_eng_rooms[r].name, name) == 0) found = r;
      if (found >= 0)
        for (int i = 0; i < g_eng_school.lesson_count; ++i)
          if (lesson_room(i) == found) or_fill_grid_cell(i, grid);
      break;
    case kGridCommonRoom:
      found = find_exact(g_eng_common_rooms, g_eng_school.common_room_count, name);
      if (found >= 0)
        for (int i = 0; i < g_eng_school.lesson_count; ++i)
          if (g_eng_lessons[i].common_room == found || g_eng_lessons[i].second_common_room == found)
            or_fill_grid_cell(i, grid);
      break;
    default:
      break;
  }
  return found;
}

namespace {

std::vector<std::pair<std::string, int>> g_slot_texts;
std::size_t g_slot_cursor = 0;

// The room a lesson is held in, as the lab chooser names it: a common
// room's name, else its own room setting, else its working room.
const char* room_name_of(int i) {
  const EngineLesson& l = g_eng_lessons[i];
  if (l.common_room >= 0 && l.common_room < g_eng_school.common_room_count && l.common_room < kMaxCommonRooms)
    return g_eng_common_rooms[l.common_room].name;
  int room = lesson_room(i);
  return room >= 0 && room < g_eng_school.room_count && room < kMaxRooms ? g_eng_rooms[room].name : "";
}

}  // namespace

int or_next_lesson_text_at_slot(int mode, int day, int hour, char* text) {
  if (mode == 2) {
    if (valid_lesson(day) && hour >= 0 && hour < g_eng_school.room_count) {
      or_set_lesson_room_setting(day, hour);
      g_eng_lessons[day].room = hour;
    }
    return -1;
  }
  if (mode == 0) {
    g_slot_texts.clear();
    g_slot_cursor = 0;
    // Every lesson of a real class and teacher placed at the hour, wherever
    // it is held: a lesson in another lab can be moved into the one booked.
    if (or_slot_in_week(day, hour))
      for (int i = 0; i < g_eng_school.lesson_count; ++i) {
        const EngineLesson& l = g_eng_lessons[i];
        if (l.day != day || l.hour != hour || or_is_pseudo_class(l.class_index) || !valid_class(l.class_index)) continue;
        if (!valid_teacher(l.teacher) || or_is_calendar_teacher(l.teacher)) continue;
        const char* subject = l.subject >= 0 && l.subject < g_eng_school.subject_count ? g_eng_subjects[l.subject].specific_name : "";
        char line[160];
        if (or_lesson_has_second(i) && valid_teacher(l.second_teacher))
          std::snprintf(line, sizeof line, "%s + %s - %s - %s", g_eng_teachers[l.teacher].name,
                        g_eng_teachers[l.second_teacher].name, subject, g_eng_classes[l.class_index].code);
        else
          std::snprintf(line, sizeof line, "%s - %s - %s", g_eng_teachers[l.teacher].name, subject,
                        g_eng_classes[l.class_index].code);
        std::string entry = line;
        const char* room = room_name_of(i);
        if (room[0] != '\0') entry += std::string(" [") + room + "]";
        g_slot_texts.emplace_back(entry, i);
      }
    std::stable_sort(g_slot_texts.begin(), g_slot_texts.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
  }
  if (g_slot_cursor >= g_slot_texts.size()) {
    if (text) text[0] = '\0';
    return -1;
  }
  const auto& entry = g_slot_texts[g_slot_cursor++];
  if (text) std::snprintf(text, 160, "%s", entry.first.c_str());
  return entry.second;
}

void or_room_report_hint(char* text) {
  static const char* const hints[3] = {"Le aule assegnate sono rappresentate nei report:",
                                       "Die zugewiesenen R\xE4ume stehen in den Berichten:",
                                       "The assigned rooms are shown in the reports:"};
  static const char* const reports[3][3] = {
      {"Allocazione Aule", "Locali esterni alle Classi", "Professori Orizzontale"},
      {"Raumzuweisung", "R\xE4ume au\xDF" "erhalb der Klassen", "Lehrer waagerecht"},
      {"Room allocation", "Rooms outside the classes", "Teachers landscape"}};
  int l = language();
  std::sprintf(text, "%s\n\n\"%s\",\n\n\"%s\",\n\n\"%s\"", hints[l], reports[l][0], reports[l][1], reports[l][2]);
}

int or_lesson_in_other_room(int lesson) {
  if (!valid_lesson(lesson)) return 0;
  const EngineLesson& l = g_eng_lessons[lesson];
  if (or_is_pseudo_class(l.class_index) || !valid_class(l.class_index)) return 0;
  return lesson_room(lesson) != class_room(l.class_index) ? 1 : 0;
}

namespace {

struct StandbyCache {
  bool valid = false;
  int counts[kWeekSlots] = {};
  // The slot the board marks; none until it stores one, and none again
  // once the counts are dropped, so a reopened summary marks nothing stale.
  int keys[2] = {-1, -1};
} g_standby_cache;

}  // namespace

void or_set_standby_grid_keys(int key1, int key2) {
  g_standby_cache.keys[0] = key1;
  g_standby_cache.keys[1] = key2;
}

void or_get_standby_grid_keys(int* key1, int* key2) {
  *key1 = g_standby_cache.keys[0];
  *key2 = g_standby_cache.keys[1];
}

int or_count_standby_per_slot(int* grid) {
  if (!g_standby_cache.valid) {
    std::memset(g_standby_cache.counts, 0, sizeof g_standby_cache.counts);
    for (int i = 0; i < g_eng_school.lesson_count; ++i) {
      const EngineLesson& l = g_eng_lessons[i];
      if (l.standby_marker != 1) continue;
      if (!or_lesson_placed(i) || l.day >= kDays || l.hour >= kHoursPerDay) return -1;
      ++g_standby_cache.counts[l.day * kHoursPerDay + l.hour];
    }
    g_standby_cache.valid = true;
  }
  int total = 0;
  for (int s = 0; s < kWeekSlots; ++s) {
    if (grid) grid[s] = g_standby_cache.counts[s];
    total += g_standby_cache.counts[s];
  }
  return total;
}

void or_move_standby_count(int day1, int hour1, int day2, int hour2) {
  if (day1 < 0 || day2 < 0) {
    g_standby_cache.valid = false;
    g_standby_cache.keys[0] = g_standby_cache.keys[1] = -1;
    return;
  }
  if (!g_standby_cache.valid || day1 >= kDays || day2 >= kDays || hour1 < 0 || hour2 < 0 ||
      hour1 >= kHoursPerDay || hour2 >= kHoursPerDay)
    return;
  ++g_standby_cache.counts[day1 * kHoursPerDay + hour1];
  --g_standby_cache.counts[day2 * kHoursPerDay + hour2];
}

void or_set_lesson_room(int lesson, const char* room_name) {
  if (!valid_lesson(lesson)) return;
  EngineLesson& l = g_eng_lessons[lesson];
  if (room_name != nullptr) {
    int r = find_exact(g_eng_rooms, g_eng_school.room_count, room_name);
    if (r < 0) return;
    or_set_lesson_room_setting(lesson, r);
    l.room = r;
    return;
  }
  int home = class_room(l.class_index);
  if (home >= 0) l.room = home;
  or_set_lesson_room_setting(lesson, kRoomSettingNoRoom);
}

int or_count_common_room_lessons(const char* name) {
  int r = find_exact(g_eng_common_rooms, g_eng_school.common_room_count, name);
  if (r < 0) return -1;
  int n = 0;
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (g_eng_lessons[i].common_room == r || g_eng_lessons[i].second_common_room == r) ++n;
  return n;
}

namespace {
bool g_placement_kept = false;
}

int or_keep_placement(int save) {
  if (save) {
    for (int i = 0; i < g_eng_school.lesson_count; ++i) g_current_placement[i] = or_lesson_place_value(i);
    g_placement_kept = true;
    return 1;
  }
  if (!g_placement_kept) return 0;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    g_eng_lessons[i].day = static_cast<std::uint8_t>(g_current_placement[i] & 0xFF);
    g_eng_lessons[i].hour = static_cast<std::uint8_t>(g_current_placement[i] >> 8);
  }
  try {
    g_engine_services.rebuild_grids_and_evaluate();
  } catch (const EngineError&) {
    return -1;
  }
  return 1;
}

void or_reset_record_rooms() {
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (or_lesson_room_setting(i) >= 0) g_eng_lessons[i].room = or_lesson_room_setting(i);
}

int or_set_support_class(int teacher, int class_index, int day, int hour) {
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (l.teacher == teacher && l.day == day && l.hour == hour && or_lesson_placed(i)) {
      or_set_lesson_supported_class(i, valid_class(class_index) ? class_index : -1);
      return 0;
    }
  }
  return -1;
}

namespace {

// Matches each lesson to the cell of its slot, then moves the lessons that
// do not match into the first free matching cells. 0 all matched, else -1.
template <typename Select>
int fit_lessons_to_grid(WeekGridCell* grid, Select select) {
  std::vector<int> lessons;
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (select(i)) lessons.push_back(i);
  bool taken[kWeekSlots] = {};
  auto matches = [&](int i, int s) {
    const WeekGridCell& c = grid[s];
    return c.status == 0 && c.class_index == g_eng_lessons[i].class_index && c.flag == g_eng_lessons[i].standby_marker &&
           c.supported_class == or_lesson_supported_class(i);
  };
  std::vector<int> unmatched;
  for (int i : lessons) {
    const EngineLesson& l = g_eng_lessons[i];
    int s = or_lesson_placed(i) && l.day < kDays && l.hour < kHoursPerDay ? l.day * kHoursPerDay + l.hour : -1;
    if (s >= 0 && !taken[s] && matches(i, s)) taken[s] = true;
    else unmatched.push_back(i);
  }
  int result = 0;
  for (int i : unmatched) {
    int found = -1;
    for (int d = 0; d < kDays && found < 0; ++d)
      for (int h = 0; h < kHoursPerDay && found < 0; ++h)
        if (!taken[d * kHoursPerDay + h] && matches(i, d * kHoursPerDay + h)) found = d * kHoursPerDay + h;
    if (found < 0) {
      result = -1;
      continue;
    }
    taken[found] = true;
    or_place_lesson_everywhere(i, found / kHoursPerDay, found % kHoursPerDay);
  }
  return result;
}

}  // namespace

int or_check_lessons_fit_grid(int teacher, WeekGridCell* grid) {
  return fit_lessons_to_grid(grid, [&](int i) { return g_eng_lessons[i].teacher == teacher; });
}

int or_check_shared_lessons_fit_grid(int teacher, int second, int room, WeekGridCell* grid) {
  return fit_lessons_to_grid(grid, [&](int i) {
    const EngineLesson& l = g_eng_lessons[i];
    int where = room >= 0 ? room : class_room(l.class_index);
    return l.teacher == teacher && or_lesson_has_second(i) && l.second_teacher == second && lesson_room(i) == where;
  });
}

void or_apply_grid_support_classes(WeekGridCell* grid) {
  for (int s = 0; s < kWeekSlots; ++s) {
    const WeekGridCell& c = grid[s];
    if (c.class_index >= 0 && c.flag == 2 && c.supported_class >= 0 && valid_lesson(c.lesson))
      or_set_lesson_supported_class(c.lesson, c.supported_class);
  }
}

int or_commit_placement(int test) {
  int result = or_place_calendar_lessons();
  if (result != 0) return result;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) g_current_placement[i] = or_lesson_place_value(i);
  try {
    or_save_timetable(test ? kSaveTest : kSaveNormal);
  } catch (const EngineFileError&) {
    return -1;
  } catch (const EngineError& e) {
    return e.code;
  }
  return result;
}

int or_try_teacher_hour_mask(int kind, int teacher, const std::uint8_t* mask) {
  if (!valid_teacher(teacher) || mask == nullptr) return -1;
  EngineTeacher& x = g_eng_teachers[teacher];
  if (kind == 1 || kind == 101) {
    std::memcpy(x.allowed_hours_work, x.allowed_hours, kWeekSlots);
    if (x.allowed_hours_work[0] == 255) std::memset(x.allowed_hours_work, 1, kWeekSlots);
    for (int s = 0; s < kWeekSlots; ++s)
      if (mask[s]) x.allowed_hours_work[s] = 0;
    if (kind == 101) {
      std::memcpy(x.allowed_hours, x.allowed_hours_work, kWeekSlots);
      return 0;
    }
  }
  int result = -1;
  try {
    g_total_score = 99999;
    g_engine_services.set_constraint_weights();
    result = g_engine_services.improve_class_timed(kind, teacher);
  } catch (const EngineError&) {
    result = -1;
  }
  if (kind == 1) std::memcpy(x.allowed_hours_work, x.allowed_hours, kWeekSlots);
  return result;
}

bool or_apply_reception_slots() {
  const TimetableView& v = g_timetable_view;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    x.reset_marker = static_cast<std::uint8_t>(v.reception[t].day);
    x.reception_hour = static_cast<std::uint8_t>(v.reception[t].hour);
    for (int k = 0; k < 14; ++k) {
      x.reset_pairs[k][0] = static_cast<std::uint8_t>(v.reception[t].candidates[k][0]);
      x.reset_pairs[k][1] = static_cast<std::uint8_t>(v.reception[t].candidates[k][1]);
    }
  }
  try {
    g_engine_services.rebuild_teacher_grids();
    or_write_reception_slots();
  } catch (const EngineFileError&) {
    return false;
  } catch (const EngineError&) {
    return false;
  }
  return true;
}

int or_repick_covered_reception_hours() {
  TimetableView& v = g_timetable_view;
  int given = 0;
  int teachers = std::min<int>(g_eng_school.teacher_count, static_cast<int>(v.real_teacher_count));
  for (int t = 0; t < teachers && t < kMaxTeachers; ++t) {
    TimetableView::Reception& r = v.reception[t];
    if (!or_slot_in_week(r.day, r.hour)) continue;
    if (!or_teacher_in_class_at(t, r.day, r.hour)) continue;
    // The pick reads the teacher's record and his placed lessons; the view
    // is the copy the board edits, so the new hour goes there.
    or_pick_reception_hour(t);
    const EngineTeacher& x = g_eng_teachers[t];
    r.day = static_cast<std::int8_t>(x.reset_marker < kDays ? x.reset_marker : 255);
    r.hour = static_cast<std::int8_t>(x.reception_hour);
    ++given;
  }
  return given;
}

namespace {

int g_room_lesson_cursor = 0;

// A lesson of a lab group still waiting for its lab: no room setting, no
// common room, held in its class's own room.
bool waits_for_lab(int i) {
  const EngineLesson& l = g_eng_lessons[i];
  return l.lab_group >= 0 && l.lab_group < g_eng_school.lab_group_count && l.lab_group < kMaxLabGroups &&
         or_lesson_room_setting(i) == kRoomSettingNone && l.common_room < 0 && valid_class(l.class_index) &&
         l.room == class_room(l.class_index);
}

}  // namespace

int or_iterate_class_room_lessons(int mode, const char** teacher, const char** class_name, const char** lab_group,
                                  int* day, int* hour) {
  if (mode == 2) {
    int n = 0;
    for (int i = 0; i < g_eng_school.lesson_count; ++i) n += waits_for_lab(i) ? 1 : 0;
    return n;
  }
  if (mode == 1) g_room_lesson_cursor = 0;
  while (g_room_lesson_cursor < g_eng_school.lesson_count) {
    int i = g_room_lesson_cursor++;
    if (!waits_for_lab(i)) continue;
    const EngineLesson& l = g_eng_lessons[i];
    if (teacher) *teacher = valid_teacher(l.teacher) ? g_eng_teachers[l.teacher].name : "";
    if (class_name) *class_name = g_eng_classes[l.class_index].code;
    if (lab_group) *lab_group = g_eng_lab_groups[l.lab_group].name;
    if (day) *day = l.day;
    if (hour) *hour = l.hour;
    return 1;
  }
  return 0;
}

namespace {

const char* rotating_buffer(const char* text, int limit) {
  static char buffers[8][22];
  static int next = 0;
  char* out = buffers[next];
  next = (next + 1) % 8;
  std::snprintf(out, 22, "%.*s", limit, text);
  return out;
}

int merged_class(int c) {
  if (!valid_class(c)) return -1;
  int p = g_eng_classes[c].parent;
  return valid_class(p) && !or_is_pseudo_class(c) ? p : c;
}

}  // namespace

const char* or_class_display_name(int c) {
  int m = merged_class(c);
  return rotating_buffer(m >= 0 ? g_eng_classes[m].display_name : "?", 21);
}

const char* or_class_code(int c) {
  int m = merged_class(c);
  return rotating_buffer(m >= 0 ? g_eng_classes[m].code : "?", 3);
}

int or_next_class_by_section(int restart, int* cursor) {
  int n = g_eng_school.real_class_count > 0 ? g_eng_school.real_class_count : g_eng_school.class_count;
  if (n < 2) return 0;
  auto key = [](int c) {
    const char* code = g_eng_classes[c].code;
    int len = g_eng_school.class_code_length >= 3 ? 3 : 2;
    int k = 0;
    for (int i = len - 1; i >= 0; --i) k = k * 256 + static_cast<unsigned char>(code[i]);
    return k;
  };
  if (restart) *cursor = -1;
  int best = -1, best_key = 0;
  for (int c = 0; c < n; ++c) {
    int k = key(c);
    if (k > *cursor && (best < 0 || k < best_key)) {
      best = c;
      best_key = k;
    }
  }
  if (best >= 0) *cursor = best_key;
  return best;
}

void or_lesson_cell_code(char* text, int teacher, int day, int hour) {
  text[0] = '\0';
  if (!valid_teacher(teacher) || !or_slot_in_week(day, hour)) return;
  // His articulated group's lessons, under his stand-in, are his hours too.
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (!or_lesson_is_teachers(i, teacher) || l.day != day || l.hour != hour) continue;
    if (l.standby_marker == 1 || or_is_standby_class(l.class_index)) {
      std::snprintf(text, 8, "Dis");
      return;
    }
    int b = building_of(i);
    if (l.standby_marker == 2) {
      int c = or_lesson_supported_class(i);
      b = valid_class(c) ? g_eng_classes[c].building : -1;
    }
    if (b >= 0 && b < g_eng_school.building_count)
      std::snprintf(text, 8, "%.3s ", g_eng_buildings[b].name);
    else
      std::snprintf(text, 8, " x ");
    return;
  }
}

void or_default_absence_reasons() {
  SubstitutionState& s = g_substitution_state;
  if (s.reason_count != 0) return;
  static const char* const italian[5] = {"Malattia", "Permesso", "Famiglia", "Recupero", "Legge 104"};
  static const char* const german[2] = {"Krankenheit", "Familie"};
  static const char* const english[2] = {"Sickness", "Family"};
  const char* const* rows = italian;
  int count = 5;
  if (g_status.language == 1) {
    rows = german;
    count = 2;
  } else if (g_status.language == 2) {
    rows = english;
    count = 2;
  } else if (g_status.language != 0) {
    // The page calls this directly: the error leaves its message and no reasons.
    try {
      or_raise_critical_error("SW", 0, "..\\Orario\\OR_EDI", 400);
    } catch (const EngineError&) {
      return;
    }
  }
  for (int i = 0; i < count; ++i) std::snprintf(s.reasons[i], sizeof s.reasons[i], "%s", rows[i]);
  s.reason_count = count;
}
