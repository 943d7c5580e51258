// The class calendar (84) and the second-hour entry (85), counted for the
// special-calendar pseudo-teacher of each class: its pseudo-lessons fill the
// class's slots that are not lesson time, so where they stand tells whether
// the class's week keeps its calendar.
//
// Both are priced on the teacher side (the pseudo-teacher's weight) and the
// delta checks take the pseudo-teacher. The record of a violation names the
// pseudo-teacher in the teacher place and the class in the class place, so
// that the teacher values the reporter copies belong to a real record.
//
// Invariants: the checks are pure (no model value changes); the scratch
// grid is one week of 84 slots, local to the call.
//
// Workload: one pseudo-teacher per special-calendar class; a check walks the
// class's 84 slots a few times.
#include "solver/class_calendar_constraints.h"

#include <cstdlib>
#include <cstring>

#include "engine/status_block.h"
#include "solver/constraint_parameters.h"
#include "solver/evaluator_access.h"
#include "solver/exemptions.h"
#include "solver/teacher_rule_frame.h"

namespace {

constexpr std::int64_t kEmptyPatternCost = 99888777;

bool entry_switch() { return (g_eng_school.option_flags & 1) != 0; }

// The gate of both ids: an eligible pseudo-teacher and its class, else -1.
int calendar_class_of(int teacher, int id) {
  if (!valid_teacher(teacher)) return -1;
  const EngineTeacher& t = g_eng_teachers[teacher];
  int c = t.calendar_class;
  if (c < 0) return -1;  // most teachers: asked first
  if (t.held_out == 1 && t.second_test == 0) return -1;
  if (t.constraint_switch[id] == 1) return -1;
  bool graded = t.tekgrado[0] != 0;
  if (g_eval_mode == 1 && !graded) return -1;
  if (g_eval_mode == 2 && !graded && ConstraintSwitchTable[id].off != 0) return -1;
  if ((t.type_flags & (kTeacherLabPseudo | kTeacherFca | kTeacherNoLessons)) != 0) return -1;
  if (c >= g_eng_school.real_class_count || !valid_class(c)) return -1;
  if (g_eng_classes[c].room_type != 0) return -1;
  return c;
}

bool has_slot_calendar(int c) { return g_eng_classes[c].special_calendar[0] != kNotConfigured; }

bool first_hour_is(int c, int d, int teacher) {
  int l = class_lesson_at(c, d, 0);
  return l >= 0 && g_eng_lessons[l].teacher == teacher;
}

int second_hour_entry_count(int teacher, int c) {
  if (!entry_switch()) return 0;
  const EngineClass& k = g_eng_classes[c];
  int entries = 0;
  for (int d = 0; d < rule_days(); ++d) {
    if (!first_hour_is(c, d, teacher)) continue;
    if (has_slot_calendar(c) && k.special_calendar[d * kHoursPerDay] != 1) continue;
    ++entries;
  }
  // A granted exemption of 85 allows the class more entries.
  int over = entries - k.class_digits[1] - g_exemption_allowances.second_hour_allowance[c];
  return over > 0 ? over : 0;
}

// ---- 84 --------------------------------------------------------------------

struct CalendarGrid {
  std::uint16_t teacher[kWeekSlots];
};

bool graded_stand_in(int teacher) {
  return g_school_rule_params.tekgrado_switch != 0 && valid_teacher(teacher) &&
         g_eng_teachers[teacher].tekgrado[1] != 0;
}

void build_calendar_grid(int c, int pseudo, CalendarGrid& g) {
  const EngineClass& k = g_eng_classes[c];
  static_assert(sizeof g.teacher == sizeof k.teacher_grid);
  std::memcpy(g.teacher, k.teacher_grid, sizeof g.teacher);
  if (g_school_rule_params.tekgrado_switch != 0)  // else no teacher stands in
    for (std::uint16_t& t : g.teacher)
      if (t != kGridFree && graded_stand_in(t)) t = static_cast<std::uint16_t>(pseudo);
  int limit = k.class_digits[1];
  if (!entry_switch() || limit <= 0) return;
  for (int d = 0; d < rule_days() && limit > 0; ++d)
    if (g.teacher[d * kHoursPerDay] == pseudo) {
      g.teacher[d * kHoursPerDay] = kGridFree;
      --limit;
    }
}

bool real_at(const CalendarGrid& g, int s, int pseudo) { return g.teacher[s] != kGridFree && g.teacher[s] != pseudo; }

bool calendar_slot(int c, int s) { return !has_slot_calendar(c) || g_eng_classes[c].special_calendar[s] == 1; }

int pseudo_hours_before_lessons(int c, const CalendarGrid& g, int pseudo, const std::uint8_t* hours,
                                bool calendar_only) {
  int v = 0;
  for (int d = 0; d < rule_days(); ++d)
    for (int h = 1; h < hours[d]; ++h) {
      int s = d * kHoursPerDay + h;
      if (calendar_only && (!calendar_slot(c, s) || !calendar_slot(c, s - 1))) continue;
      if (g.teacher[s - 1] != pseudo || !real_at(g, s, pseudo)) continue;
      v += 1;
      for (int back = h - 2; back >= 0 && g.teacher[d * kHoursPerDay + back] == pseudo; --back) ++v;
    }
  return v;
}

// Lessons after a late entry that a pseudo-hour earlier in the week could
// have taken: the heaviest days are set aside first; then each lesson, in
// the class's list order, takes the first pseudo-hour (day by day, hour by
// hour) before its own entry hour. Per day the hours are bit masks, so a
// lesson's search is one test per day, none when no day has a pseudo-hour
// before its entry (the days' hours taken together say so), and the walk
// ends once no pseudo-hour is left to take.
int late_entries(int c, const CalendarGrid& g, int pseudo, const std::uint8_t* hours, bool calendar_only) {
  DayMask pseudo_hours[kDays] = {}, real_hours[kDays] = {}, excluded[kDays] = {};
  for (int d = 0; d < rule_days(); ++d)
    for (int h = 0; h < hours[d]; ++h) {
      int s = d * kHoursPerDay + h;
      if (g.teacher[s] == pseudo) {
        if (!calendar_only || calendar_slot(c, s)) pseudo_hours[d] |= static_cast<DayMask>(1u << h);
      } else if (g.teacher[s] != kGridFree) {
        real_hours[d] |= static_cast<DayMask>(1u << h);
      }
    }
  for (int round = 0; round < g_school_rule_params.heavy_day_count; ++round) {
    int best_day = -1, best = -1;
    for (int d = 0; d < rule_days(); ++d) {
      int real = busy_count(static_cast<DayMask>(real_hours[d] & ~excluded[d]));
      if (real > best) best = real, best_day = d;
    }
    if (best_day < 0) break;
    excluded[best_day] |= real_hours[best_day];
  }
  int left = 0;  // pseudo-hours still to take (never set aside above)
  // The hours that hold a pseudo-hour on some day: a lesson none of whose
  // hours before its entry is among them has nothing to take. A pseudo-hour
  // taken below stays in, which only sends a lesson to the day walk for
  // nothing.
  DayMask any_day = 0;
  for (int d = 0; d < rule_days(); ++d) {
    left += busy_count(pseudo_hours[d]);
    any_day |= pseudo_hours[d];
  }
  const EngineClass& k = g_eng_classes[c];
  int v = 0;
  int count = k.lesson_index_count > kWeekSlots ? kWeekSlots : k.lesson_index_count;
  for (int i = 0; i < count && left > 0; ++i) {
    int l = k.lesson_indexes[i];
    if (l < 0 || l >= kMaxLessons || !lesson_placed(l)) continue;
    // The place first: the teacher is read (another part of the record)
    // only for a lesson that could take a pseudo-hour.
    int e = g_eng_lessons[l].hour - k.class_digits[0];
    if (e <= 0) continue;
    DayMask before_entry = day_hours(e);
    if ((any_day & before_entry) == 0) continue;  // no day has one to take
    int s = lesson_slot(l);
    if (s < 0 || s >= kWeekSlots || is_busy(excluded[s / kHoursPerDay], s % kHoursPerDay)) continue;
    if (calendar_only && !calendar_slot(c, s)) continue;
    if (g_eng_lessons[l].teacher == pseudo) continue;
    for (int d = 0; d < rule_days(); ++d) {
      unsigned open = pseudo_hours[d] & before_entry;
      if (open == 0) continue;
      DayMask taken = static_cast<DayMask>(open & (0u - open));
      pseudo_hours[d] &= static_cast<DayMask>(~taken);
      excluded[d] |= taken;
      --left;
      ++v;
      break;
    }
  }
  return v;
}

std::int64_t pattern_cost(const char* record, const char* profile) {
  int length = static_cast<int>(strnlen(record, kDays));
  if (length == 0) return kEmptyPatternCost;
  bool used[kDays] = {};
  bool matched[kDays] = {};
  for (int i = 0; i < length; ++i)
    for (int p = 0; p < kDays; ++p)
      if (!used[p] && profile[p] == record[i]) {
        used[p] = matched[i] = true;
        break;
      }
  std::int64_t cost = 0;
  for (int i = 0; i < length; ++i) {
    if (matched[i]) continue;
    int best = -1, best_diff = 0;
    for (int p = 0; p < kDays; ++p) {
      if (used[p]) continue;
      int diff = std::abs(record[i] - profile[p]);
      if (best < 0 || diff < best_diff) best = p, best_diff = diff;
    }
    if (best < 0) {
      cost += record[i] - '0';
    } else {
      used[best] = true;
      cost += best_diff;
    }
  }
  return cost;
}

std::int64_t week_pattern_cost(int c, const CalendarGrid& g, int pseudo, const std::uint8_t* hours) {
  char profile[kDays];
  for (int d = 0; d < kDays; ++d) {
    int real = 0;
    if (d < rule_days())
      for (int h = 0; h < hours[d]; ++h) real += real_at(g, d * kHoursPerDay + h, pseudo) ? 1 : 0;
    profile[d] = static_cast<char>('0' + real);
  }
  const EngineClass& k = g_eng_classes[c];
  std::int64_t a = pattern_cost(k.special_weekdays, profile);
  std::int64_t b = pattern_cost(k.special_weekdays_b, profile);
  return a < b ? a : b;
}

// First hour of day d that holds the pseudo-teacher or is free, -1 none.
int first_open_hour(int c, int d, int pseudo, const std::uint8_t* hours) {
  for (int h = 0; h < hours[d]; ++h) {
    std::uint16_t t = g_eng_classes[c].teacher_grid[d * kHoursPerDay + h];
    if (t == kGridFree || t == pseudo) return h;
  }
  return -1;
}

int return_day_shift(int c, int pseudo, const std::uint8_t* hours) {
  if (g_class_rule_params[c].return_byte != 0 || g_school_rule_params.return_days == 0) return 0;
  std::uint8_t flags = g_school_rule_params.return_teacher_flags;
  int v = 0;
  int m = -1;
  for (int d = 0; d < rule_days(); ++d) {
    if (g_school_rule_params.return_days & (1u << d)) continue;
    int h = first_open_hour(c, d, pseudo, hours);
    if (h >= 0 && (m < 0 || h < m)) m = h;
  }
  for (int d = 0; d < rule_days(); ++d) {
    if ((g_school_rule_params.return_days & (1u << d)) == 0) continue;
    int r = first_open_hour(c, d, pseudo, hours);
    if (r < 0) r = hours[d];
    while (r > 0) {
      std::uint16_t t = g_eng_classes[c].teacher_grid[d * kHoursPerDay + r - 1];
      if (t == kGridFree || t >= kMaxTeachers || (g_eng_teachers[t].type_flags & flags) == 0) break;
      --r;
    }
    if (m >= 0 && m < r) v += r - m;
  }
  return v;
}

std::int64_t class_calendar_count(int pseudo, int c) {
  const std::uint8_t* hours = rule_day_hours(true);
  CalendarGrid g;
  build_calendar_grid(c, pseudo, g);
  std::int64_t v = 0;
  bool slot_calendar = has_slot_calendar(c);
  if (slot_calendar) {
    const EngineClass& k = g_eng_classes[c];
    int count = k.lesson_index_count > kWeekSlots ? kWeekSlots : k.lesson_index_count;
    for (int i = 0; i < count; ++i) {
      int l = k.lesson_indexes[i];
      if (l < 0 || l >= kMaxLessons || !lesson_placed(l)) continue;
      // Nearly every lesson stands in calendar time: the slot is asked
      // first, and the teacher's record read only for the others.
      int s = lesson_slot(l);
      if (s < 0 || s >= kWeekSlots || k.special_calendar[s] != 0) continue;
      int t = g_eng_lessons[l].teacher;
      if (calendar_teacher(t) || graded_stand_in(t)) continue;
      ++v;
    }
    if (g_teacher_rule_params[pseudo].calendar_check) v += pseudo_hours_before_lessons(c, g, pseudo, hours, true);
  } else {
    v += pseudo_hours_before_lessons(c, g, pseudo, hours, false);
  }
  if (g_eng_classes[c].special_weekdays[0] == '\0')
    v += late_entries(c, g, pseudo, hours, slot_calendar);
  else
    v += week_pattern_cost(c, g, pseudo, hours);
  if (!slot_calendar) v += return_day_shift(c, pseudo, hours);
  // What the class's exemptions granted: the short-day calendar and up to two
  // further allowances, each one violation less.
  const ExemptionAllowances& a = g_exemption_allowances;
  v -= a.short_day_calendar[c] + a.calendar_allowance[c];
  return v > 0 ? v : 0;
}

std::uint32_t clamp_count(std::int64_t v) { return v > 0xFFFFFFFFll ? 0xFFFFFFFFu : static_cast<std::uint32_t>(v); }

template <typename Count>
std::int64_t full_calendar(int id, Count count) {
  std::int64_t total = 0;
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t) {
    int c = calendar_class_of(t, id);
    if (c < 0) continue;
    std::int64_t n = count(t, c);
    if (n > 0) total += or_count_teacher_violation(id, t, clamp_count(n), static_cast<std::uint32_t>(c), 0, "0");
  }
  return total;
}

template <typename Count>
std::int64_t delta_calendar(int id, int teacher, Count count) {
  int c = calendar_class_of(teacher, id);
  if (c < 0) return 0;
  std::int64_t n = count(teacher, c);
  return n > 0 ? or_teacher_weighted(id, teacher, clamp_count(n)) : 0;
}

}  // namespace

std::int64_t or_check_second_hour_entry() {
  return full_calendar(85, [](int t, int c) { return static_cast<std::int64_t>(second_hour_entry_count(t, c)); });
}
std::int64_t or_delta_second_hour_entry(int teacher) {
  return delta_calendar(85, teacher,
                        [](int t, int c) { return static_cast<std::int64_t>(second_hour_entry_count(t, c)); });
}
std::int64_t or_check_class_calendar() { return full_calendar(84, class_calendar_count); }
std::int64_t or_delta_class_calendar(int teacher) { return delta_calendar(84, teacher, class_calendar_count); }

