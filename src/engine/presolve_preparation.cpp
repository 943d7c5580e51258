// Pre-solve preparation: the values the evaluators and the moves read
// instead of recomputing them, derived once per load when the lessons stand
// in their slots (see presolve.h; the per-teacher limits are in
// presolve_teacher_limits.cpp). The order of the steps matters: the class
// tallies feed the subject limits, the working days feed the class bands,
// and the bands feed the daily limits.
//
// Consecutive-hours maps are turned into rows of 7 numbers; a map of more
// than 7 digits is refused with the critical error rather than written past
// its row.
#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/engine_services.h"
#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/loader_internal.h"
#include "engine/presolve.h"
#include "engine/solver_entry.h"
#include "engine/special_calendars.h"
#include "engine/status_block.h"

namespace {

constexpr const char* kSourceVinu = "..\\Orario\\OR_VINU";
constexpr int kMapRow = 7;  // numbers a row of the class's map tables holds

bool given(int v) { return v > 0 && v != 255; }

bool teaches(int lesson, int t) {
  return g_eng_lessons[lesson].teacher == t || (or_lesson_has_second(lesson) && g_eng_lessons[lesson].second_teacher == t);
}

int ceil_div(int a, int b) { return b <= 0 ? a : (a + b - 1) / b; }

// Value of the first pair whose threshold is at least key, -1 when none.
int band_or_none(const BandTable& b, int key) {
  int n = std::min<int>(b.count, kBandPairs);
  for (int i = 0; i < n; ++i)
    if (b.pairs[i][0] >= key) return static_cast<std::uint8_t>(b.pairs[i][1]);
  return -1;
}

int class_position(const EngineTeacher& x, int c) {
  for (int k = 0; k < x.class_count && k < kWeekSlots; ++k)
    if (x.class_indexes[k] == c) return k;
  return -1;
}

void derive_gap_tolerance() {
  const EngineSchool& s = g_eng_school;
  if (s.ihbuche.count == 0) return;
  for (int t = 0; t < s.teacher_count; ++t) {
    int v = static_cast<std::int8_t>(or_band_lookup(s.ihbuche, g_eng_teachers[t].weekly_hours));
    g_eng_teachers[t].gap_tolerance = static_cast<std::int8_t>(v < 0 ? 0 : v);
  }
}

void derive_teacher_buildings() {
  const EngineSchool& s = g_eng_school;
  for (int t = 0; t < s.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    int count = 0;
    if (s.rotazix_flag) {
      int first = -2;
      bool differ = false;
      for (int k = 0; k < x.class_count && k < kWeekSlots; ++k) {
        int c = x.class_indexes[k];
        if (c < 0 || c >= s.class_count) continue;
        int b = g_eng_classes[c].building;
        if (first == -2) first = b;
        else differ |= b != first;
      }
      count = x.class_count >= 2 && differ ? 2 : 0;
    } else {
      bool seen[kMaxBuildings + 1] = {};
      for (int i = 0; i < x.lesson_count; ++i) {
        int b = g_eng_lessons[x.lesson_indexes[i]].building;
        seen[b >= 1 && b <= 9 ? b : 0] = true;
      }
      for (bool v : seen) count += v ? 1 : 0;
    }
    x.building_count = static_cast<std::int8_t>(count);
    if (count >= 2) {
      int v = band_or_none(s.ihbuchecst, count);
      x.building_count = static_cast<std::int8_t>(v < 0 ? count : v);
      if (s.ihbuchecsb.count > 0) {
        int tol = static_cast<std::int8_t>(or_band_lookup(s.ihbuchecsb, x.weekly_hours));
        x.gap_tolerance = static_cast<std::int8_t>(tol < 0 ? 0 : tol);
      }
    }
  }
}

void derive_gap_days() {
  const EngineSchool& s = g_eng_school;
  for (int t = 0; t < s.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    x.gap_day_values[1] = s.maxbuday[0] > 1 ? s.maxbuday[1] : 0;
    switch (x.maxbudayper) {
      case 2: x.gap_day_values[0] = 2; break;
      case 3: case 4: x.gap_day_values[0] = 2; x.gap_day_values[1] = static_cast<std::int8_t>(x.maxbudayper - 2); break;
      case 5: x.gap_day_values[0] = 5; break;
      case 6: case 7: x.gap_day_values[0] = 5; x.gap_day_values[1] = static_cast<std::int8_t>(x.maxbudayper - 5); break;
      default: break;
    }
    if (given(x.buk[0])) x.gap_tolerance = static_cast<std::int8_t>(std::min(127, x.gap_tolerance + x.buk[0]));
    if (x.nomotor == 4 && x.gap_tolerance < 2) x.gap_tolerance = 2;
  }
}

// Subjects and (teacher, subject, line) triples of each class, from the
// lessons standing in the class's week.
void tally_classes() {
  const EngineSchool& s = g_eng_school;
  for (int c = 0; c < s.class_count; ++c) {
    EngineClass& k = g_eng_classes[c];
    k.tally_count = 0;
    k.triple_count = 0;
    int hours = 0;
    bool whole = true;  // every lesson of the class stands in its week
    for (int i = 0; i < s.lesson_count; ++i) {
      const EngineLesson& l = g_eng_lessons[i];
      if (l.class_index != c) continue;
      if (!or_lesson_placed(i)) {
        whole = false;
        continue;
      }
      if (!or_slot_in_week(l.day, l.hour)) continue;
      ++hours;
      int p = 0;
      while (p < k.tally_count && k.tally_subjects[p] != l.subject) ++p;
      if (p == k.tally_count && p < kWeekSlots) {
        k.tally_subjects[p] = static_cast<std::int16_t>(l.subject);
        k.tally_hours[p] = 0;
        ++k.tally_count;
      }
      if (p < kWeekSlots) ++k.tally_hours[p];
      int q = 0;
      while (q < k.triple_count && !(k.triples[q].teacher == l.teacher && k.triples[q].subject == l.subject &&
                                     k.triples[q].line == l.line_number))
        ++q;
      if (q == k.triple_count && q < kWeekSlots) {
        k.triples[q] = {l.teacher, l.subject, l.line_number, 0};
        ++k.triple_count;
      }
      if (q < kWeekSlots) ++k.triples[q].hours;
    }
    // A placed lesson outside the week, or a count that disagrees with the
    // class's lessons, means the tables are inconsistent. Before a timetable
    // is placed (the balancing commands prepare first) only placed lessons
    // are tallied and there is nothing to compare.
    if (whole && !k.three_char_flag && k.parent < 0 && hours != k.lesson_count)
      or_raise_critical_error("SW", 0, kSourceVinu, 230);
    for (int p = 0; p < k.tally_count; ++p) {
      int v = band_or_none(s.materiehsg, k.tally_hours[p]);
      k.materiehsg[p] = static_cast<std::uint8_t>(v < 0 ? 0 : v);
    }
  }
}

void map_to_row(const char* map, std::uint8_t* row, int line) {
  int n = static_cast<int>(strnlen(map, 13));
  int digits = 0;
  while (digits < n && map[digits] >= '0' && map[digits] <= '9') ++digits;
  if (digits > kMapRow) or_raise_critical_error("SW", 0, kSourceVinu, line);
  std::memset(row, 0, kMapRow);
  for (int i = 0; i < digits; ++i) row[i] = static_cast<std::uint8_t>(map[i] - '0');
}

bool starts_with_digit(const char* map) { return map[0] >= '1' && map[0] <= '9'; }

void convert_consecutive_maps() {
  const EngineSchool& s = g_eng_school;
  // Tables in order: main map, part's first map, second map, part's second map.
  static const int kMapOfTable[4] = {0, 2, 1, 3};
  static const int kLineOfTable[4] = {301, 308, 315, 322};
  for (int c = 0; c < s.class_count; ++c) {
    EngineClass& k = g_eng_classes[c];
    for (int q = 0; q < k.triple_count && q < kWeekSlots; ++q)
      for (int i = 0; i < s.lesson_count; ++i) {
        EngineLesson& l = g_eng_lessons[i];
        if (l.class_index != c || l.teacher != k.triples[q].teacher || l.subject != k.triples[q].subject ||
            l.line_number != k.triples[q].line)
          continue;
        char* main = l.consecutive_maps[0];
        const char* part = l.consecutive_maps[2];
        if (starts_with_digit(main) && starts_with_digit(part)) {
          int same = 0;
          while (same < 12 && main[same] != '\0' && main[same] == part[same]) ++same;
          std::memmove(main, main + same, static_cast<std::size_t>(13 - same));
          main[12] = '\0';
        }
        for (int table = 0; table < 4; ++table) {
          const char* map = l.consecutive_maps[kMapOfTable[table]];
          if (starts_with_digit(map)) map_to_row(map, k.consecutive_rows[table][q], kLineOfTable[table]);
        }
      }
  }
}

void derive_teacher_class_values() {
  const EngineSchool& s = g_eng_school;
  for (int t = 0; t < s.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    if (x.lesson_hours <= 0) continue;
    int m = std::max<int>(x.max_working_days, 1);
    const BandTable* band = nullptr;
    bool divide = false;
    if (x.type_flags & kTeacherLaboratory) band = &s.ihsglab;
    else if (x.type_flags & kTeacherConversation) band = &s.ihsgcon;
    else { band = &s.ihsg; divide = true; }
    for (int k = 0; k < x.class_count && k < kWeekSlots; ++k) {
      int h = x.class_hours[k], c = x.class_indexes[k];
      int v = 0;
      if (band->count > 0) {
        v = or_band_lookup(*band, h);
        if (v == 255) v = 0;
        if (divide) v = std::max(v, ceil_div(h, m));
        for (int i = 0; i < x.lesson_count; ++i) {
          const EngineLesson& l = g_eng_lessons[x.lesson_indexes[i]];
          if (l.class_index == c) v = std::max<int>(v, l.teacher == t ? l.block_length : l.part_block_length);
        }
      }
      for (int i = 0; i < x.lesson_count; ++i) {
        const EngineLesson& l = g_eng_lessons[x.lesson_indexes[i]];
        if (l.class_index != c) continue;
        if (l.teacher == t && l.pmgy_digit > 0) v = l.pmgy_digit;
        if (l.teacher != t && l.pmgz_digit > 0) v = l.pmgz_digit;
      }
      x.per_class_daily[k] = std::max(v, ceil_div(h, m));
    }
    if (x.class_off_count <= 0) continue;
    std::vector<int> counted(kWeekSlots, 0);
    or_count_teacher_class_lessons(t, counted.data());
    for (int k = 0; k < x.class_count && k < kWeekSlots; ++k) {
      int c = x.class_indexes[k], free_days = 0;
      for (int d = 0; d < or_week_days(); ++d) {
        int off = 0;
        for (int r = 0; r < std::min(x.class_off_count, kMaxClassOffRecords); ++r) {
          const TeacherClassOff& o = x.class_off[r];
          if (o.references[0] != c || (o.day != -1 && o.day != d)) continue;
          off += std::max(0, std::min<int>(o.last_hour, or_day_hours(d) - 1) - o.first_hour + 1);
        }
        free_days += off < or_day_hours(d) ? 1 : 0;
      }
      if (free_days > 0) x.per_class_daily[k] = std::max(x.per_class_daily[k], ceil_div(counted[k], free_days));
    }
  }
}

void derive_subject_limits() {
  const EngineSchool& s = g_eng_school;
  if (s.materiehsg.count == 0) return;
  for (int c = 0; c < s.class_count; ++c) {
    EngineClass& k = g_eng_classes[c];
    for (int p = 0; p < k.tally_count && p < kWeekSlots; ++p) {
      int row_sum[2] = {0, 0};
      for (int v = 0; v < kMapRow; ++v) {
        row_sum[0] += k.consecutive_rows[0][p][v];
        row_sum[1] += k.consecutive_rows[2][p][v];
      }
      if (row_sum[0] >= k.tally_hours[p] || row_sum[1] >= k.tally_hours[p]) k.materiehsg[p] = 99;
      int days = or_week_days();
      for (int i = 0; i < s.lesson_count; ++i)
        if (g_eng_lessons[i].class_index == c && g_eng_lessons[i].subject == k.tally_subjects[p])
          days = std::min<int>(days, g_eng_lessons[i].day_limit);
      while (k.materiehsg[p] < 99 && ceil_div(k.tally_hours[p], std::max<int>(k.materiehsg[p], 1)) > days)
        ++k.materiehsg[p];
    }
  }
}

void derive_pauses_and_defaults() {
  EngineSchool& s = g_eng_school;
  s.lunch_pause_flag = s.pausamensa[3] >= 2 ? 1 : 0;
  for (int t = 0; t < s.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    if (x.nomweek < 1) x.nomweek = static_cast<std::int8_t>(x.nomotor == 2 ? 0 : x.max_working_days + 1);
    if (x.pausameper[0] < 1) {
      for (int k = 0; k < 4; ++k) x.pausameper[k] = static_cast<std::int8_t>(s.pausamensa[k]);
      if (s.pausamensa[3] >= 2) s.lunch_pause_flag = 1;
    }
    if (x.gap_day_values[0] < 1) {
      x.gap_day_values[0] = s.maxbuday[0];
      if (x.gap_day_values[0] == 9) x.gap_day_values[0] = x.weekly_hours - x.lesson_hours < 2 ? 0 : 2;
    }
    if (x.lesson_hours <= 0) x.type_flags = kTeacherNoLessons;
    fill_rule_band_from_school(s.ultimeoremax, x.ultimeoremax_pairs, x.ultimeoremax_count);
    if (x.buk[1] > x.max_working_days) x.buk[1] = x.max_working_days;
  }
}

void reduce_for_provisional_week() {
  if (!g_provisional_mode) return;
  int reduction = 0;
  for (int d = 0; d < or_week_days(); ++d) reduction += g_eng_school.provisional_hours_per_day[d] == 0 ? 1 : 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    if (!g_worker_keeps_values) x.min_hours_per_day = 1;
    for (int r = 0; r < reduction && x.min_working_days > 1; ++r) --x.min_working_days;
    if (x.allowed_hours[0] != 255)
      for (int d = 0; d < kDays; ++d)
        for (int h = g_eng_school.provisional_hours_per_day[d]; h < kHoursPerDay; ++h) x.allowed_hours[d * kHoursPerDay + h] = 1;
    x.ultimeoremax_count = 0;
  }
}

void apply_tekno() {
  EngineSchool& s = g_eng_school;
  int teachers = s.teacher_count;
  if (s.tekno[0] != 0) s.tekno[0] = (100 - s.tekno[0]) * teachers / 100;
  if (s.tekno[1] != 0) {
    int counted = 0;
    for (int t = 0; t < teachers; ++t) {
      if (or_is_calendar_teacher(t)) g_eng_teachers[t].tekgrado[0] = 1;
      else if (g_eng_teachers[t].tekgrado[0] > 0) ++counted;
    }
    g_eng_run.tekgrado_teacher_count = counted;
  }
  bool text = s.tekno_text[0] != '\0';
  std::memset(g_eng_run.tekno_day_exclusion, text ? 1 : 0, sizeof g_eng_run.tekno_day_exclusion);
  for (const char* p = s.tekno_text; *p != '\0';) {
    if (*p < '0' || *p > '9') {
      ++p;
      continue;
    }
    int n = 0;
    while (*p >= '0' && *p <= '9') n = std::min(n * 10 + (*p++ - '0'), 100);
    if (n >= 1 && n <= 11) g_eng_run.tekno_day_exclusion[n] = 0;
  }
  or_flag_task_breaks();
  if (s.uses_tekgrado) or_flag_grade_lessons();
}

// The classes of articulated groups ("ARTYW:") are made by the loader, not
// named by the school: no building need claim them.
bool is_articulated_group_class(const EngineClass& k) {
  for (int g = 0; g < g_articulated_group_count; ++g)
    if (std::strncmp(g_articulated_groups[g].code, k.code, static_cast<std::size_t>(g_eng_school.class_code_length)) == 0)
      return true;
  return false;
}

}  // namespace

void or_assign_class_buildings(int from_real_count) {
  EngineSchool& s = g_eng_school;
  int first = from_real_count ? s.real_class_count : 0;
  if (s.building_count <= 0) {
    for (int c = first; c < s.class_count; ++c) g_eng_classes[c].building = -1;
    for (int i = 0; i < s.lesson_count; ++i) g_eng_lessons[i].building = 0;
    return;
  }
  int width = std::max(1, s.class_code_length - 1);
  for (int c = first; c < s.class_count; ++c) {
    EngineClass& k = g_eng_classes[c];
    if (k.parent >= 0 && k.parent < s.class_count && k.parent != c) {
      int b = g_eng_classes[k.parent].building;
      k.building = b;
      if (b >= 0 && b < s.building_count && g_eng_buildings[b].class_count < kMaxClasses) {
        EngineBuilding& building = g_eng_buildings[b];
        std::memcpy(building.classes[building.class_count++], k.code, kClassCodeSize);
      }
      continue;
    }
    // Pseudo-classes added after the load without a link keep the building
    // the stand-by set-up gave them.
    if (s.real_class_count > 0 && c >= s.real_class_count) continue;
    int found = -1;
    for (int b = 0; b < s.building_count && found < 0; ++b) {
      const EngineBuilding& building = g_eng_buildings[b];
      for (int j = 0; j < std::min(building.section_count, kMaxBuildingSections) && found < 0; ++j)
        if (std::strncmp(building.sections[j], k.code + 1, static_cast<std::size_t>(width)) == 0) found = b;
      for (int j = 0; j < std::min(building.class_count, kMaxClasses) && found < 0; ++j)
        if (std::strcmp(building.classes[j], k.code) == 0) found = b;
    }
    if (found < 0 && is_articulated_group_class(k)) continue;  // a derived class of its own
    if (found < 0) or_raise_config_error("Manca sede per classe", k.code);
    k.building = found;
  }
  for (int i = 0; i < s.lesson_count; ++i) {
    EngineLesson& l = g_eng_lessons[i];
    int class_building = l.class_index >= 0 && l.class_index < s.class_count ? g_eng_classes[l.class_index].building : -1;
    int room_building = -1;
    if (l.room >= 0 && l.room < s.room_count && (g_eng_rooms[l.room].lab_flag & 1) && g_eng_rooms[l.room].kind_or_building >= 0)
      room_building = g_eng_rooms[l.room].kind_or_building;
    l.room_building = room_building >= 0 ? room_building : class_building;
    if (l.building < 0) l.building = l.forced_building >= 0 ? l.forced_building : l.room_building;
  }
}

void or_count_teacher_class_lessons(int t, int* counts) {
  const EngineTeacher& x = g_eng_teachers[t];
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (!(l.class_off_flag & 1) || !teaches(i, t)) continue;
    int k = class_position(x, l.class_index);
    if (k < 0) or_raise_critical_error("SW", 0, kSourceVinu, 57);
    ++counts[k];
  }
}

void or_file_teacher_lesson_values() {
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (l.filed_value <= 0 || l.teacher < 0 || l.teacher >= g_eng_school.teacher_count) continue;
    EngineTeacher& x = g_eng_teachers[l.teacher];
    bool present = false;
    for (int k = 0; k < x.filed_count && !present; ++k) present = x.filed[k].line == l.line_number;
    if (present || x.filed_count >= kMaxFiledRecords) continue;
    x.filed[x.filed_count++] = {static_cast<std::uint8_t>(l.filed_value), l.line_number, l.class_index};
  }
}

void or_flag_grade_lessons() {
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    if (g_eng_teachers[t].tekgrado[1] == 0) continue;
    for (int i = 0; i < g_eng_school.lesson_count; ++i)
      if (class_position(g_eng_teachers[t], g_eng_lessons[i].class_index) >= 0) g_eng_lessons[i].grade_flag = 1;
  }
}

void or_prepare_model_for_solving() {
  if (g_eng_run.prepared) return;
  g_eng_run.prepared = 1;
  or_add_extra_hour();
  derive_gap_tolerance();
  derive_teacher_buildings();
  derive_gap_days();
  tally_classes();
  convert_consecutive_maps();
  or_limit_lesson_days_and_slots();
  or_apply_forbidden_hours();
  or_derive_working_days();
  derive_teacher_class_values();
  derive_subject_limits();
  or_fit_teacher_class_bands();
  or_derive_daily_limits();
  or_derive_class_bands(-1);
  EngineSchool& s = g_eng_school;
  for (int i = 0; i < s.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (l.incompatible_subject >= 0 && l.teacher >= 0 && l.teacher < s.teacher_count)
      ++g_eng_teachers[l.teacher].incompatible_subject_lessons;
  }
  for (int t = 0; t < s.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    int reduced = x.contract_values[0] - s.budime;
    x.contract_less_budime = static_cast<std::int8_t>(std::clamp(reduced, 0, 127));
    for (int k = 0; k < x.class_count && k < kWeekSlots; ++k) {
      int c = x.class_indexes[k];
      x.class_room_type_marks[k] = c >= 0 && c < s.class_count && g_eng_classes[c].room_type != 0 ? 1 : 0;
    }
  }
  derive_pauses_and_defaults();
  reduce_for_provisional_week();
  or_file_teacher_lesson_values();
  apply_tekno();
  g_engine_services.prepare_constraint_parameters();
}
