// Model post-passes after loading (see model_post_passes.h). Every load runs
// them, on schools of up to 10000 lessons, 500 teachers and 300 classes, so
// each pass walks the lessons a fixed number of times: what a per-lesson
// step needs about teachers or classes is gathered in a pass before it, never
// by a search over all lessons. Lists are bounded by their 84 entries: a
// class or teacher with more than 83 lessons stops the load with the
// critical error instead of writing past a list.
#include "engine/model_post_passes.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/command_steps.h"
#include "engine/engine_services.h"
#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/solver_entry.h"
#include "engine/special_calendars.h"
#include "engine/standby_support.h"
#include "engine/status_block.h"
#include "engine/timetable_view.h"

namespace {

constexpr int kListLimit = 83;  // lesson and class lists hold 84 entries, one kept free

int language() {
  int l = g_status.language;
  return l >= 0 && l < 3 ? l : 0;
}

void add_to_class_list(int c, int lesson) {
  EngineClass& k = g_eng_classes[c];
  if (k.lesson_index_count >= kListLimit) {
    char text[80];
    std::snprintf(text, sizeof text, "SW - Numero di ore eccessivo Classe [%s]", k.code);
    or_raise_critical_error(text, 0, "..\\Orario\\OR_loadU", 466);
  }
  k.lesson_indexes[k.lesson_index_count++] = static_cast<std::int16_t>(lesson);
}

void add_to_teacher_list(int t, int lesson, int line) {
  EngineTeacher& x = g_eng_teachers[t];
  if (x.lesson_count >= kListLimit) {
    char text[80];
    std::snprintf(text, sizeof text, "SW - Numero di ore eccessivo Professore [%s]", x.name);
    or_raise_critical_error(text, 0, "..\\Orario\\OR_loadU", line);
  }
  x.lesson_indexes[x.lesson_count++] = static_cast<std::int16_t>(lesson);
}

void bump(std::int8_t& v) { v = static_cast<std::int8_t>(v < 127 ? v + 1 : 127); }
void bump(std::uint8_t& v) { v = static_cast<std::uint8_t>(v < 255 ? v + 1 : 255); }

bool valid_teacher(int t) { return t >= 0 && t < g_eng_school.teacher_count && t < kMaxTeachers; }
bool valid_class(int c) { return c >= 0 && c < g_eng_school.class_count && c < kMaxClasses; }

const BandTable& class_band_for(const EngineTeacher& x) {
  if (x.type_flags & kTeacherLaboratory) return g_eng_school.ihsglab;
  if (x.type_flags & kTeacherConversation) return g_eng_school.ihsgcon;
  return g_eng_school.ihsg;
}

void build_teacher_class_tables() {
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    int n = 0;
    for (int i = 0; i < x.lesson_count; ++i) {
      int c = g_eng_lessons[x.lesson_indexes[i]].class_index;
      int k = 0;
      while (k < n && x.class_indexes[k] != c) ++k;
      if (k == n) {
        if (n >= kListLimit) or_raise_critical_error("SW", 0, "..\\Orario\\OR_loadU", 520);
        x.class_indexes[n] = static_cast<std::int16_t>(c);
        x.class_hours[n] = 0;
        ++n;
      }
      ++x.class_hours[k];
    }
    x.class_count = n;
    for (int k = n; k < kWeekSlots; ++k) x.class_indexes[k] = -1;
    const BandTable& band = class_band_for(x);
    for (int k = 0; k < n; ++k)
      x.per_class_daily[k] = band.count > 0 ? or_band_lookup(band, x.class_hours[k]) : 0;
  }
}

// The console listing of the hour totals: classes ten per line, teachers
// (lessons + stand-by and support hours) three per line, rooms four.
void list_hour_totals() {
  const EngineSchool& s = g_eng_school;
  std::string text;
  char item[64];
  auto add = [&](int n, int per_line) {
    text += item;
    if ((n + 1) % per_line == 0) text += '\n';
  };
  auto end_list = [&](int count, int per_line) {
    if (count % per_line != 0) text += '\n';
  };
  for (int c = 0; c < s.class_count && c < kMaxClasses; ++c) {
    std::snprintf(item, sizeof item, "%3.3s:%2d ", g_eng_classes[c].code, g_eng_classes[c].lesson_count);
    add(c, 10);
  }
  end_list(s.class_count, 10);
  for (int t = 0; t < s.teacher_count && t < kMaxTeachers; ++t) {
    const EngineTeacher& x = g_eng_teachers[t];
    int more = x.weekly_hours - x.lesson_hours;
    std::snprintf(item, sizeof item, "%2d %20.20s:%2d+%-2d ", t, x.name, x.lesson_hours, more > 0 ? more : 0);
    add(t, 3);
  }
  end_list(s.teacher_count, 3);
  for (int r = 0; r < s.room_count && r < kMaxRooms; ++r) {
    std::snprintf(item, sizeof item, "ST:%12.12s:%2d ", g_eng_rooms[r].name, g_eng_rooms[r].lesson_count);
    add(r, 4);
  }
  end_list(s.room_count, 4);
  or_print_console(text.c_str());
}

void report_over_full_week() {
  int week = g_eng_run.weekly_slots;
  char text[400];
  text[0] = '\0';
  static const char* const class_rows[3] = {
      "La  Classe / l'Aula %-20.20s ha %d Ore, quando il massimo settimanale prevede %d Ore.\nCorreggere la configurazione (calendario settimanale o cattedre) e ripetere il test",
      ("Die Klasse / der Raum %-20.20s hat %d Stunden, die Woche hat h\xF6" "chstens %d Stunden.\nKonfiguration (Wochenkalender oder Unterricht) korrigieren und den Test wiederholen"),
      "The class / room %-20.20s has %d hours, while the week has at most %d hours.\nCorrect the configuration (weekly calendar or lessons) and repeat the test"};
  static const char* const teacher_rows[3] = {
      "Il professore %-20.20s ha %d Ore, quando il massimo settimanale prevede %d Ore.\nCorreggere la configurazione (calendario settimanale o cattedre) e ripetere il test",
      ("Der Lehrer %-20.20s hat %d Stunden, die Woche hat h\xF6" "chstens %d Stunden.\nKonfiguration (Wochenkalender oder Unterricht) korrigieren und den Test wiederholen"),
      "The teacher %-20.20s has %d hours, while the week has at most %d hours.\nCorrect the configuration (weekly calendar or lessons) and repeat the test"};
  for (int c = 0; c < g_eng_school.class_count; ++c)
    if (g_eng_classes[c].lesson_count > week)
      std::snprintf(text, sizeof text, class_rows[language()], g_eng_classes[c].code, g_eng_classes[c].lesson_count, week);
  // A room's count stops at 255 while a laboratory shared by many classes
  // can hold more: the message recounts the room it names.
  int over_room = -1;
  for (int r = 0; r < g_eng_school.room_count; ++r)
    if (g_eng_rooms[r].lesson_count > week) over_room = r;
  if (over_room >= 0) {
    int hours = 0;
    for (int i = 0; i < g_eng_school.lesson_count; ++i) hours += g_eng_lessons[i].room == over_room ? 1 : 0;
    std::snprintf(text, sizeof text, class_rows[language()], g_eng_rooms[over_room].name, hours, week);
  }
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (g_eng_teachers[t].lesson_hours > week)
      std::snprintf(text, sizeof text, teacher_rows[language()], g_eng_teachers[t].name, g_eng_teachers[t].lesson_hours, week);
  if (text[0] != '\0') or_raise_impossible(text);
}

}  // namespace

void or_count_hours(int first) {
  EngineSchool& s = g_eng_school;
  if (first <= 0) {
    first = 0;
    for (int r = 0; r < s.room_count; ++r) g_eng_rooms[r].lesson_count = 0;
    for (int t = 0; t < s.teacher_count; ++t) g_eng_teachers[t].lesson_hours = 0;
    for (int c = 0; c < s.class_count; ++c) g_eng_classes[c].lesson_count = 0;
  }
  for (int i = first; i < s.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (valid_class(l.class_index)) bump(g_eng_classes[l.class_index].lesson_count);
    if (l.room >= 0 && l.room < s.room_count) bump(g_eng_rooms[l.room].lesson_count);
    if (l.standby_marker != 0) continue;
    if (valid_teacher(l.teacher)) bump(g_eng_teachers[l.teacher].lesson_hours);
    if (or_lesson_has_second(i) && valid_teacher(l.second_teacher)) bump(g_eng_teachers[l.second_teacher].lesson_hours);
  }
  for (int c = 0; c < s.class_count; ++c) g_eng_classes[c].lesson_index_count = 0;
  for (int t = 0; t < s.teacher_count; ++t) g_eng_teachers[t].lesson_count = 0;
  // Whether a teacher leads a lesson of its own, gathered in the same pass
  // so that the second-teacher flags below stay one pass over the lessons.
  bool leads[kMaxTeachers] = {};
  for (int i = 0; i < s.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (valid_class(l.class_index)) add_to_class_list(l.class_index, i);
    if (valid_teacher(l.teacher)) {
      add_to_teacher_list(l.teacher, i, 472);
      leads[l.teacher] = true;
    }
    if (or_lesson_has_second(i) && valid_teacher(l.second_teacher)) add_to_teacher_list(l.second_teacher, i, 485);
  }
  for (int i = 0; i < s.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (!or_lesson_has_second(i) || !valid_teacher(l.second_teacher)) continue;
    if (s.second_teacher_flag_shift != 0 || !leads[l.second_teacher])
      g_eng_teachers[l.second_teacher].type_flags |= static_cast<std::uint8_t>((l.piece_kind >> 4) & 3);
  }
  // Weekly hours, the key of the band tables: the lessons a teacher leads or
  // assists plus its stand-by ("TED:") and support ("SOS:") hours.
  for (int t = 0; t < s.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    int weekly = x.lesson_hours + (x.contract_values[0] > 0 ? x.contract_values[0] : 0) +
                 (x.standby_value > 0 ? x.standby_value : 0);
    x.weekly_hours = static_cast<std::int8_t>(weekly > 127 ? 127 : weekly);
  }
  build_teacher_class_tables();
  list_hour_totals();
  report_over_full_week();
}

void or_fit_class_calendars() {
  int class_lessons[kMaxClasses] = {};
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (valid_class(g_eng_lessons[i].class_index) && !or_is_calendar_teacher(g_eng_lessons[i].teacher))
      ++class_lessons[g_eng_lessons[i].class_index];
  for (int c = 0; c < g_eng_school.class_count && c < kMaxClasses; ++c) {
    EngineClass& k = g_eng_classes[c];
    if (k.special_calendar[0] == 255) continue;
    std::memcpy(k.provisional_free, k.special_calendar, kWeekSlots);
    int lessons = class_lessons[c];
    auto marked = [&](int d, int h) { return k.provisional_free[d * kHoursPerDay + h] == 1; };
    int count = 0;
    for (int d = 0; d < or_week_days(); ++d)
      for (int h = 0; h < or_day_hours(d); ++h) count += marked(d, h) ? 1 : 0;
    bool progress = true;
    while (count < lessons && progress) {
      progress = false;
      for (int d = 0; d < or_week_days() && count < lessons; ++d) {
        int h = 0;
        while (h < or_day_hours(d) && !marked(d, h)) ++h;
        if (h == or_day_hours(d)) continue;  // a day without marks stays free
        while (h < or_day_hours(d) && marked(d, h)) ++h;
        if (h == or_day_hours(d)) continue;
        k.provisional_free[d * kHoursPerDay + h] = 1;
        ++count;
        progress = true;
      }
    }
    if (count > lessons || g_provisional_mode)
      for (int t = 0; t < g_eng_school.teacher_count; ++t)
        if (or_is_calendar_teacher(t) && g_eng_teachers[t].calendar_class == c) g_eng_teachers[t].calendar_larger = 1;
  }
}

void or_prepare_hour_timings() {
  EngineSchool& s = g_eng_school;
  s.nonstandard_timing_days = 0;
  for (int t = 0; t < s.teacher_count; ++t) g_eng_teachers[t].nonstandard_timing = 0;
  bool empty = true;
  for (int d = 0; d < kDays && empty; ++d)
    for (int h = 0; h < kHoursPerDay && empty; ++h) empty = s.timing[0][d][h] == 0 && s.timing[1][d][h] == 0;
  if (empty)
    for (int d = 0; d < kDays; ++d)
      for (int h = 0; h < kHoursPerDay; ++h) {
        s.timing[0][d][h] = static_cast<std::uint16_t>(480 + 60 * h);
        s.timing[1][d][h] = 60;
      }
  // Classes with an hour of their own timing; their teachers are marked in
  // one pass over the lessons afterwards.
  bool own_timing[kMaxClasses] = {};
  for (int c = 0; c < s.class_count && c < kMaxClasses; ++c) {
    EngineClass& k = g_eng_classes[c];
    bool own = false;
    for (int d = 0; d < kDays && !own; ++d)
      for (int h = 0; h < kHoursPerDay && !own; ++h) own = k.timing[0][d][h] != 0 || k.timing[1][d][h] != 0;
    if (!own) {
      std::memcpy(k.timing, s.timing, sizeof k.timing);
      continue;
    }
    for (int d = 0; d < or_week_days(); ++d)
      for (int h = 0; h < or_day_hours(d); ++h) {
        if (k.timing[0][d][h] == s.timing[0][d][h] && k.timing[1][d][h] == s.timing[1][d][h]) continue;
        s.nonstandard_timing_days |= static_cast<std::uint8_t>(1u << d);
        own_timing[c] = true;
      }
  }
  if (s.nonstandard_timing_days == 0) return;
  for (int i = 0; i < s.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (!valid_class(l.class_index) || !own_timing[l.class_index]) continue;
    if (valid_teacher(l.teacher)) g_eng_teachers[l.teacher].nonstandard_timing = 1;
    if (or_lesson_has_second(i) && valid_teacher(l.second_teacher)) g_eng_teachers[l.second_teacher].nonstandard_timing = 1;
  }
  for (int i = 0; i < s.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    bool elsewhere = or_lesson_room_setting(i) >= 0 ||
                     (l.room >= 0 && l.room < s.room_count && valid_class(l.class_index) &&
                      std::strcmp(g_eng_rooms[l.room].name, g_eng_classes[l.class_index].code) != 0);
    if (elsewhere && valid_teacher(l.teacher)) g_eng_teachers[l.teacher].nonstandard_timing = 1;
  }
}

void or_link_car_share_partners() {
  int n = g_eng_school.teacher_count;
  for (int t = 0; t < n; ++t) g_eng_teachers[t].carshare_partner = -1;
  for (int t = 0; t < n; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    if (x.carshare_name[0] == '\0') continue;
    int p = -1;
    for (int u = 0; u < n && p < 0; ++u)
      if (u != t && std::strncmp(g_eng_teachers[u].name, x.carshare_name, kNameSize) == 0) p = u;
    if (p < 0) {
      char message[120], line[60];
      std::snprintf(message, sizeof message, "Non trovato Car Share per %s - Richiesto = %s", x.name, x.carshare_name);
      std::snprintf(line, sizeof line, "Controllare nome di %s", x.carshare_name);
      or_raise_config_error(message, line);
    }
    EngineTeacher& y = g_eng_teachers[p];
    x.carshare_partner = p;
    y.carshare_partner = t;
    std::int8_t wait = x.carshare_wait > y.carshare_wait ? x.carshare_wait : y.carshare_wait;
    x.carshare_wait = y.carshare_wait = wait;
  }
}

void or_merge_teacher_day_lists() {
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    if (x.alt_free_day_count == 0) continue;
    int first = x.free_day_count > kDays ? kDays : x.free_day_count;
    for (int i = 0; i < first; ++i) {
      std::uint8_t day = x.free_days[i];
      if (day >= kDays) continue;
      bool present = false;
      for (int j = 0; j < x.alt_free_day_count && j < kDays; ++j) present |= x.alt_free_days[j] == day;
      if (!present && x.alt_free_day_count < kDays) x.alt_free_days[x.alt_free_day_count++] = day;
    }
  }
}

void or_build_class_display_name(int c) {
  if (c < 0 || c >= kMaxClasses) return;
  EngineClass& k = g_eng_classes[c];
  char* out = k.display_name;
  if (c >= g_eng_school.class_count) {
    std::snprintf(out, sizeof k.display_name, "?");
    return;
  }
  // The class's kind names it: "GINNASIO:" classes count their years the
  // classical way, "INDISIGLE:" classes keep the name the loader gave them.
  char built[sizeof k.display_name];
  switch (k.kind) {
    case 1: {
      static const char* const years[5] = {"IV", "V", "I", "II", "III"};
      char first = k.code[0];
      if (first >= '1' && first <= '5')
        std::snprintf(built, sizeof built, "%s%s", years[first - '1'], k.code + 1);
      else
        std::snprintf(built, sizeof built, "?");
      break;
    }
    case 2:
      return;
    default:
      std::snprintf(built, sizeof built, "%s", k.code);
  }
  std::memcpy(out, built, sizeof built);
}

void or_init_teacher_links(int t) {
  if (t < 0 || t >= kMaxTeachers) return;
  EngineTeacher& x = g_eng_teachers[t];
  x.calendar_class = -1;
  x.carshare_partner = -1;
  x.further_link = -1;
  x.setting_byte = 255;
  x.standby_daily_max = 1;
  x.closing_flag = 0;
}

int or_teacher_has_class(int t, int c) {
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (l.class_index == c && (l.teacher == t || (or_lesson_has_second(i) && l.second_teacher == t))) return 1;
  }
  return 0;
}

int or_teacher_has_subject(int t, int subject) {
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (l.subject == subject && (l.teacher == t || (or_lesson_has_second(i) && l.second_teacher == t))) return 1;
  }
  return 0;
}

void or_init_pseudo_lesson(int i, int teacher, int c, int subject, int room) {
  EngineLesson& l = g_eng_lessons[i];
  or_clear_lesson(l);
  l.teacher = teacher;
  l.class_index = c;
  l.subject = l.first_subject = subject;
  l.room = room;
  l.part_subject = l.second_teacher = l.common_room = l.second_common_room = l.lab_group = -1;
  l.line_number = l.part_line_number = -1;
  l.incompatible_subject = l.building = l.forced_building = l.room_building = -1;
  l.best_room = l.further_reference = l.chosen_laboratory = l.paired_subject = -1;
  l.day = kDayNotPlaced;
  l.day_limit = static_cast<std::uint8_t>(or_week_days());
  l.slot_limit = g_eng_run.weekly_slots;
}

void or_finish_loaded_model() {
  // Hour totals are recounted whole after each step that appends lessons:
  // a pass over at most 10000 lessons, and the lists stay exact.
  or_count_hours(0);
  or_merge_teacher_day_lists();
  or_link_car_share_partners();
  or_prepare_hour_timings();
  or_recount_week_shape();
  or_create_calendar_lessons(0);
  or_fit_class_calendars();
  or_count_hours(0);
  or_create_standby_lessons();
  or_count_hours(0);
  or_create_calendar_lessons(g_eng_school.real_class_count);
  or_count_hours(0);
  int largest = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (g_eng_teachers[t].lesson_hours > largest) largest = g_eng_teachers[t].lesson_hours;
  g_eng_run.max_lesson_hours = largest;
  for (int c = 0; c < g_eng_school.class_count; ++c) or_build_class_display_name(c);
  g_engine_services.alloc_colleague_table();
  g_command_steps.build_timetable_view();
}
