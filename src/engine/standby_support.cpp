// Stand-by and support pseudo-lessons (see standby_support.h).
//
// The set-up runs once per load over at most a few hundred stand-by hours;
// the packing repeats whole passes until nothing moves, each pass a walk
// over the pseudo-lessons with a per-class occupancy table. Stand-by and
// support pseudo-classes share one name sequence ("dAA", "dAB" ...), so no
// two pseudo-classes share a code. Packing fills a pseudo-class to at most
// 83 lessons, the size of a class's lesson list, so it never overfills one.
#include "engine/standby_support.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/engine_services.h"
#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/model_post_passes.h"
#include "engine/placement_services.h"
#include "engine/presolve.h"
#include "engine/save_files.h"
#include "engine/shell_services.h"
#include "engine/report_services.h"
#include "engine/solver_entry.h"
#include "engine/status_block.h"
#include "engine/teacher_availability.h"

namespace {

constexpr int kPackLimit = 83;  // a class's lesson list holds 83 lessons

int language() {
  int l = g_status.language;
  return l >= 0 && l < 3 ? l : 0;
}

int append_subject(const char* const rows[3]) {
  int s = g_eng_school.subject_count++;
  std::memset(&g_eng_subjects[s], 0, sizeof g_eng_subjects[s]);
  std::snprintf(g_eng_subjects[s].group_name, kNameSize, "%s", rows[language()]);
  std::snprintf(g_eng_subjects[s].specific_name, kNameSize, "%s", rows[language()]);
  return s;
}

struct PseudoClassMaker {
  int sequence = 0;
  int open = -1;       // the pseudo-class being filled
  int open_hours = 0;  // lessons put into it
  int open_room = -1;  // its room

  int make(int teacher) {
    EngineSchool& s = g_eng_school;
    // Pseudo-classes come after the description's classes and rooms, so a
    // school near the limits reaches them here: the class creation's limits.
    if (s.class_count >= kMaxClasses) or_raise_config_error("Numero di classi eccessivo", "Crea classi");
    if (s.room_count >= kMaxRooms) or_raise_config_error("Numero di stanze eccessivo", "Crea stanze");
    int c = s.class_count++;
    EngineClass& k = g_eng_classes[c];
    std::memset(static_cast<void*>(&k), 0, sizeof k);
    std::snprintf(k.code, sizeof k.code, "d%c%c", 'A' + (sequence / 26) % 26, 'A' + sequence % 26);
    ++sequence;
    std::memcpy(k.display_name, k.code, sizeof k.code);
    k.parent = -1;
    k.building = -1;
    k.reset_marker = 255;
    std::memset(k.special_calendar, 255, sizeof k.special_calendar);
    std::memset(k.week_grid, 0xFF, sizeof k.week_grid);
    std::memset(k.teacher_grid, 0xFF, sizeof k.teacher_grid);
    k.weight = 1;
    int r = s.room_count++;
    std::memset(static_cast<void*>(&g_eng_rooms[r]), 0, sizeof g_eng_rooms[r]);
    std::snprintf(g_eng_rooms[r].name, kNameSize, "%s", k.code);
    g_eng_rooms[r].home_class = static_cast<std::int16_t>(c);
    std::memset(g_eng_rooms[r].availability, 1, kWeekSlots);
    if (s.building_count > 0) g_engine_services.set_class_main_building(c, teacher);
    open = c;
    open_room = r;
    open_hours = 0;
    return c;
  }
};

void standby_round(int round, int subject, PseudoClassMaker& maker) {
  EngineSchool& s = g_eng_school;
  int grouping = s.standby_grouping;
  int week = g_eng_run.weekly_slots > 0 ? g_eng_run.weekly_slots : kWeekSlots;
  int capacity = grouping > 0 && grouping < 100 ? week * grouping / 100 : week;
  if (capacity < 1) capacity = 1;
  for (int t = 0; t < s.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    if (or_is_calendar_teacher(t)) continue;
    std::int8_t& hours = round == 1 ? x.standby_hours : x.support_hours;
    int limit = x.weekly_hours - x.standby_correction;
    if (hours > limit) hours = static_cast<std::int8_t>(limit < 0 ? 0 : limit);
    if (hours <= 0) continue;
    int both = (x.standby_hours > 0 ? x.standby_hours : 0) + (x.support_hours > 0 ? x.support_hours : 0);
    if (maker.open < 0 || grouping < 0 || (grouping < 100 && maker.open_hours + both >= capacity && maker.open_hours > 0))
      maker.make(t);
    for (int h = 0; h < hours; ++h) {
      if (maker.open_hours >= capacity) maker.make(t);
      if (s.lesson_count + 1 >= kMaxLessons)
        or_raise_critical_error("Troppe cattedre / ore", 0, "..\\Orario\\or_disp0", 128);
      int i = s.lesson_count++;
      or_init_pseudo_lesson(i, t, maker.open, subject, maker.open_room);
      g_eng_lessons[i].standby_marker = static_cast<std::uint8_t>(round);
      ++maker.open_hours;
    }
  }
}

bool has_pseudo_lessons() {
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (g_eng_lessons[i].standby_marker != 0) return true;
  return false;
}

bool any_pseudo_lesson_placed() {
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    if (g_eng_lessons[i].standby_marker != 0 && or_lesson_placed(i)) return true;
  return false;
}

// The teacher's first free slot, hours in order and the days within each
// hour, as the placement walks them; (0, 0) when every hour is taken.
void first_free_slot(const std::uint8_t* busy, int& day, int& hour) {
  for (int h = 0; h < kHoursPerDay; ++h)
    for (int d = 0; d < or_week_days(); ++d)
      if (h < or_day_hours(d) && !busy[d * kHoursPerDay + h]) {
        day = d;
        hour = h;
        return;
      }
}

}  // namespace

void or_create_standby_lessons() {
  EngineSchool& s = g_eng_school;
  s.real_class_count = s.class_count;
  s.support_class_start = kMaxClasses;
  if (s.standby_grouping == 0) return;
  if (s.subject_count >= kMaxSubjects - 1)
    or_raise_critical_error("Troppe Materie - Crezione Disposizione / Sostegno", 0, "..\\Orario\\or_disp0", 30);
  static const char* const standby_rows[3] = {"Disposizione", "Vertretung", "Substitutions"};
  static const char* const support_rows[3] = {"Sostegno", "Behindertenhilfe", "Handicap Help"};
  int standby_subject = append_subject(standby_rows);
  int support_subject = append_subject(support_rows);
  for (int t = 0; t < s.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    x.standby_hours = x.contract_values[0] > 0 ? x.contract_values[0] : 0;
    x.support_hours = x.standby_value > 0 ? x.standby_value : 0;
  }
  PseudoClassMaker maker;
  standby_round(1, standby_subject, maker);
  s.support_class_start = s.class_count;
  maker.open = -1;  // support hours never share a stand-by pseudo-class
  standby_round(2, support_subject, maker);
}

void or_place_standby_hours() {
  std::uint32_t reference = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    if (x.standby_hours <= 0 && x.support_hours <= 0) continue;
    if (x.standby_work[0] != 0) {
      reference = g_engine_services.teacher_penalty(t);
      x.standby_work[0] = x.standby_work[1] = 0;
    }
    for (int i = 0; i < g_eng_school.lesson_count; ++i) {
      EngineLesson& l = g_eng_lessons[i];
      if (l.teacher != t || l.standby_marker == 0) continue;
      std::uint8_t busy[kWeekSlots] = {};
      for (int j = 0; j < g_eng_school.lesson_count; ++j) {
        const EngineLesson& o = g_eng_lessons[j];
        if (j == i || !or_lesson_placed(j) || o.day >= kDays || o.hour >= kHoursPerDay) continue;
        if (o.teacher == t || (or_lesson_has_second(j) && o.second_teacher == t)) busy[o.day * kHoursPerDay + o.hour] = 1;
      }
      // The teacher's closed hours (forbidden hours, free day) are never
      // tried; the last slot tried starts at his first free hour, which a
      // teacher without any open free hour is left with.
      int last_d = 0, last_h = 0;
      first_free_slot(busy, last_d, last_h);
      bool done = false;
      for (int h = 0; h < kHoursPerDay && !done; ++h)
        for (int d = 0; d < or_week_days() && !done; ++d) {
          if (h >= or_day_hours(d) || busy[d * kHoursPerDay + h] || or_teacher_slot_closed(t, d, h)) continue;
          or_place_lesson_everywhere(i, d, h);
          last_d = d;
          last_h = h;
          g_engine_services.rebuild_grids_and_evaluate();
          if (g_engine_services.teacher_penalty(t) <= reference) {
            or_print_console_format("Prof %d-%s ORA DISPOSIZIONE ALLOCATA %d %d \n", t, x.name, d, h);
            done = true;
          }
        }
      if (!done) {
        or_print_console_format("Prof %d-%s ORA DISPOSIZIONE NON ALLOCABILE cerco buca %d %d \n", t, x.name, last_d, last_h);
        for (int h = 0; h < kHoursPerDay && !done; ++h)
          for (int d = 0; d < or_week_days() && !done; ++d) {
            if (h == 0 || h >= or_day_hours(d) || busy[d * kHoursPerDay + h] || !busy[d * kHoursPerDay + h - 1] ||
                or_teacher_slot_closed(t, d, h))
              continue;
            or_place_lesson_everywhere(i, d, h);
            or_print_console_format("Prof %d-%s ORA DISPOSIZIONE ALLOCATA COMUNQUE %d %d \n", t, x.name, d, h);
            done = true;
          }
      }
      if (!done) {
        or_place_lesson_everywhere(i, last_d, last_h);
        or_print_console_format("Prof %d-%s ORA DISPOSIZIONE NON ALLOCABILE SENZA ERRORE %d %d \n", t, x.name, last_d, last_h);
      }
      g_engine_services.rebuild_grids_and_evaluate();
    }
  }
  for (int i = 0; i < g_eng_school.lesson_count; ++i) or_place_lesson_everywhere(i, or_lesson_placed(i) ? g_eng_lessons[i].day : -1, g_eng_lessons[i].hour);
  g_eng_run.report_mode = -1;
  g_engine_services.rebuild_grids_and_evaluate();
}

void or_pack_standby_lessons(int mode) {
  EngineSchool& s = g_eng_school;
  std::uint8_t marker = mode == 0 ? 1 : 2;
  std::vector<std::uint8_t> busy(static_cast<std::size_t>(kMaxClasses) * kWeekSlots);
  std::vector<int> held(kMaxClasses);
  auto rebuild = [&] {
    std::fill(busy.begin(), busy.end(), 0);
    std::fill(held.begin(), held.end(), 0);
    for (int i = 0; i < s.lesson_count; ++i) {
      const EngineLesson& l = g_eng_lessons[i];
      if (l.class_index < 0 || l.class_index >= kMaxClasses) continue;
      ++held[l.class_index];
      if (or_lesson_placed(i) && l.day < kDays && l.hour < kHoursPerDay)
        busy[l.class_index * kWeekSlots + l.day * kHoursPerDay + l.hour] = 1;
    }
  };
  rebuild();
  bool moved = true;
  while (moved) {
    moved = false;
    for (int i = s.lesson_count - 1; i >= 0; --i) {
      EngineLesson& l = g_eng_lessons[i];
      if (l.standby_marker != marker || !or_lesson_placed(i) || l.day >= kDays || l.hour >= kHoursPerDay) continue;
      int slot = l.day * kHoursPerDay + l.hour;
      for (int j = 0; j < i; ++j) {
        const EngineLesson& e = g_eng_lessons[j];
        if (e.standby_marker != marker || e.class_index >= l.class_index || e.class_index < 0) continue;
        int target = e.class_index;
        if (g_eng_classes[target].building != g_eng_classes[l.class_index].building) continue;
        if (busy[target * kWeekSlots + slot] || held[target] >= kPackLimit) continue;
        busy[l.class_index * kWeekSlots + slot] = 0;
        --held[l.class_index];
        l.class_index = target;
        l.room = e.room;
        busy[target * kWeekSlots + slot] = 1;
        ++held[target];
        moved = true;
        break;
      }
    }
  }
  or_count_hours(0);
  for (int i = 0; i < s.lesson_count; ++i) {
    g_current_placement[i] = or_lesson_place_value(i);
    g_placement_copy[i] = or_lesson_place_value(i);
  }
  g_engine_services.rebuild_class_grids();
}

void or_prepare_standby_run() {
  or_create_standby_lessons();
  // The new stand-by and support hours take the building of their
  // pseudo-class, as they do when a saved placement is read back: without
  // one, each hour next to a lesson would count as a move between buildings,
  // the placement would shun the hours beside the teacher's lessons and the
  // reports and the board would list transfers the saved week does not have.
  or_assign_class_buildings(1);
  or_count_hours(0);
  or_prepare_model_for_solving();
  g_engine_services.evaluate_all_constraints(1);
  or_place_standby_hours();
  or_count_hours(0);
}

int or_check_standby_hours(int ask) {
  if (g_process_number != 0) return -1;
  EngineSchool saved = g_eng_school;
  int real_lessons = g_eng_school.lesson_count;
  int saved_lines = or_saved_line_count(real_lessons);
  or_create_standby_lessons();
  or_count_hours(0);
  or_prepare_model_for_solving();
  g_engine_services.evaluate_all_constraints(0);
  // Stand-by hours that no line of the save places were never saved: a
  // failure, which the commands answer by placing them anew ("disp:").
  if (or_read_standby_placements(saved_lines) == 0 && (!has_pseudo_lessons() || any_pseudo_lesson_placed())) {
    for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].standby_work[0] = g_eng_teachers[t].standby_work[1] = 0;
    or_count_hours(0);
    or_assign_class_buildings(1);
    return 0;
  }
  if (ask) or_raise_critical_error("Mancano ore assegnate alle disposizioni", 0, "..\\Orario\\OR_LOAD", 323);
  g_eng_school = saved;
  or_count_hours(0);
  return -1;
}

bool or_free_standby_class(int lesson, int slot, const std::vector<int>& leaving, int& class_index, int& room) {
  const EngineSchool& s = g_eng_school;
  if (lesson < 0 || lesson >= s.lesson_count || slot < 0 || slot >= kWeekSlots) return false;
  const EngineLesson& moved = g_eng_lessons[lesson];
  if (moved.standby_marker == 0 || moved.class_index < 0 || moved.class_index >= kMaxClasses) return false;
  std::vector<std::uint8_t> taken(kMaxClasses);
  for (int i = 0; i < s.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    bool gone = false;
    for (int g : leaving) gone = gone || g == i;
    if (gone || !or_lesson_placed(i) || l.day >= kDays || l.hour >= kHoursPerDay) continue;
    if (l.day * kHoursPerDay + l.hour == slot && l.class_index >= 0 && l.class_index < kMaxClasses)
      taken[l.class_index] = 1;
  }
  bool support = moved.standby_marker == 2;
  for (int c = s.real_class_count; c < s.class_count && c < kMaxClasses; ++c) {
    if (c == moved.class_index || (support ? !or_is_support_class(c) : !or_is_standby_class(c))) continue;
    if (g_eng_classes[c].building != g_eng_classes[moved.class_index].building) continue;
    if (taken[c] || g_eng_classes[c].lesson_count >= kPackLimit) continue;
    for (int r = 0; r < s.room_count && r < kMaxRooms; ++r)
      if (g_eng_rooms[r].home_class == c) {
        class_index = c;
        room = r;
        return true;
      }
  }
  return false;
}
