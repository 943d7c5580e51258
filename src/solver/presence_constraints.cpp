// The presence, hours and days constraints, wired to the model. The checks
// of 8 to 11 use the provisional calendar in a provisional run. Slots of
// classes whose class type ("TIPOLOCL:" digit) is 2 are made free in the
// presence grid (bit 0 of the teacher's "CLASENOC:" value) and in the
// teaching grid (bit 1); id 11 frees them whenever the value is non-zero.
// The late-lessons share looks only at classes without a class type. The
// class type is not the kind byte: "INDISIGLE:" gives kind 2 to every class
// of a named track, often the whole school, and only renames them. A
// teaching hour is a lesson of a real class whose subject's "MSOMX:" digit
// is 0.
#include "solver/presence_constraints.h"

#include <cstdio>
#include <cstdlib>

#include "engine/status_block.h"
#include "solver/day_constraints.h"
#include "solver/presence_counts.h"
#include "solver/teacher_rule_frame.h"
#include "solver/violation_reporter.h"

namespace {

bool type2_class(std::uint16_t c) { return c < kMaxClasses && g_eng_classes[c].room_type == 2; }

int lesson_at(const EngineTeacher& t, int slot) {
  std::uint16_t l = t.lesson_per_slot[slot];
  return (l == kFreeSlot || l >= kMaxLessons) ? -1 : l;
}

bool subject_counts(int lesson, bool late_digit) {
  int s = g_eng_lessons[lesson].subject;
  if (s < 0 || s >= kMaxSubjects) return true;
  return (late_digit ? g_eng_subjects[s].no118x : g_eng_subjects[s].msomx) == 0;
}

// Presence grid: occupied slots, type-2 classes freed when asked.
WeekMasks presence_week(const EngineTeacher& t, bool free_type2) {
  // Without type-2 classes to free this is the teacher's plain week, which a
  // running sum has already built; with them, only its taken slots can be
  // freed, so only those are read.
  WeekMasks w = teacher_week(static_cast<int>(&t - g_eng_teachers));
  if (!free_type2) return w;
  for (int d = 0; d < kDays; ++d)
    for (unsigned m = w.day[d]; m != 0; m &= m - 1) {
      int h = __builtin_ctz(m);
      if (type2_class(t.class_per_slot[d * kHoursPerDay + h])) w.day[d] &= static_cast<DayMask>(~(1u << h));
    }
  return w;
}

// The taken slots (the plain week) are the only ones that can teach.
WeekMasks teaching_week(const EngineTeacher& t, bool free_type2) {
  const WeekMasks taken = teacher_week(static_cast<int>(&t - g_eng_teachers));
  WeekMasks w{};
  for (int d = 0; d < kDays; ++d)
    for (unsigned m = taken.day[d]; m != 0; m &= m - 1) {
      int h = __builtin_ctz(m);
      int s = d * kHoursPerDay + h;
      std::uint16_t c = t.class_per_slot[s];
      if (free_type2 && type2_class(c)) continue;
      int l = lesson_at(t, s);
      if (l < 0 || g_eng_lessons[l].class_index >= g_eng_school.real_class_count) continue;
      if (!subject_counts(l, false)) continue;
      w.day[d] |= static_cast<DayMask>(1u << h);
    }
  return w;
}

bool part_switched_off(int id, const EngineTeacher& t) {
  return ConstraintSwitchTable[id].off != 0 && !(g_eval_mode == 2 && t.in_test != 0);
}

struct PresenceSinkContext {
  TeacherReport* report;
};
void presence_record(void* ctx, int id, int value, int n) {
  auto* p = static_cast<PresenceSinkContext*>(ctx);
  if (p->report) p->report->record(id, 0, 0, or_int_text(value), n);
}

// Counts of 8, 9 and 10 for one teacher; records them when report is set.
PresenceTally presence_counts(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  PresenceLimits lim{t.max_presence_per_day, t.max_teaching_per_day, t.min_hours_per_day,
                     {t.xprese_pairs, t.xprese_count > 0 ? t.xprese_count : 0},
                     {t.inse_pairs, t.inse_count > 0 ? t.inse_count : 0}};
  // A day's span and teaching hours never exceed the hours of a grid day:
  // limits at or above that and a minimum of at most one hour count nothing,
  // and without the provisional weekly limit the week needs no walk.
  if (lim.max_presence >= kHoursPerDay && lim.max_teaching >= kHoursPerDay && lim.min_hours <= 1 &&
      !(g_provisional_mode && g_eng_school.daysprns_number >= 1))
    return PresenceTally{};
  if (lim.presence_pairs.count > kBandPairs) lim.presence_pairs.count = kBandPairs;
  if (lim.teaching_pairs.count > kBandPairs) lim.teaching_pairs.count = kBandPairs;
  bool skip9 = part_switched_off(9, t), skip10 = part_switched_off(10, t);
  // Records are made after the week is counted, so the switched-off parts
  // never reach the report.
  struct DayRecord {
    int id, value, n;
  } records[3 * kDays];
  int record_count = 0;
  struct Collect {
    DayRecord* records;
    int* count;
  } collect{records, &record_count};
  auto sink = [](void* ctx, int id, int value, int n) {
    auto* c = static_cast<Collect*>(ctx);
    if (*c->count < 3 * kDays) c->records[(*c->count)++] = {id, value, n};
  };
  PresenceTally tally = count_presence_teaching(presence_week(t, t.clasenoc & 1), teaching_week(t, t.clasenoc & 2),
                                                rule_days(), rule_day_hours(true), lim,
                                                report ? +sink : nullptr, &collect);
  if (skip9) tally.teaching = 0;
  if (skip10) tally.minimum = 0;
  int weekly_excess = 0;
  if (g_provisional_mode && g_eng_school.daysprns_number >= 1 && !skip9 &&
      tally.week_teaching > g_eng_school.daysprns_number)
    weekly_excess = tally.week_teaching - g_eng_school.daysprns_number;
  tally.teaching += weekly_excess;
  if (report) {
    PresenceSinkContext ctx{report};
    for (int i = 0; i < record_count; ++i) {
      const DayRecord& r = records[i];
      if ((r.id == 9 && skip9) || (r.id == 10 && skip10)) continue;
      presence_record(&ctx, r.id, r.value, r.n);
    }
    if (weekly_excess > 0) report->record(9, 0, 0, or_int_text(tally.week_teaching), weekly_excess);
  }
  return tally;
}

int working_days(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (g_eng_school.iggiorni.count == 0 || t.weekly_hours == 0) return 0;
  WeekMasks w = presence_week(t, t.clasenoc != 0);
  const std::uint8_t* hours = rule_day_hours(true);
  int loads[kDays] = {};
  for (int d = 0; d < rule_days(); ++d) loads[d] = busy_count(w.day[d] & day_hours(hours[d]));
  int worked = 0;
  int n = count_working_days(loads, rule_days(), t.min_working_days, t.max_working_days, &worked);
  if (report && n > 0) {
    std::snprintf(report->text, sizeof report->text, "%d invece di %d", worked,
                  worked > t.max_working_days ? t.max_working_days : t.min_working_days);
    // Form 1: too few days worked (the minimum comes down n times); form 2:
    // too many (the maximum goes up n times).
    or_detail_set_form(worked > t.max_working_days ? 2 : 1);
    or_detail_set_word(0, n);
  }
  return n;
}

// Per class of the teacher's list: lessons per day (subject digit as asked)
// and lessons at grid hour h or later over the week.
struct ClassCounts {
  int per_day[kDays];
  int late_from[kHoursPerDay];
};
void class_counts(const EngineTeacher& t, int class_index, bool late_digit, ClassCounts* out) {
  *out = {};
  const std::uint8_t* hours = rule_day_hours(false);
  for (int d = 0; d < rule_days(); ++d)
    for (int h = 0; h < hours[d]; ++h) {
      int s = d * kHoursPerDay + h;
      if (t.class_per_slot[s] != class_index) continue;
      int l = lesson_at(t, s);
      if (l < 0 || !subject_counts(l, late_digit)) continue;
      ++out->per_day[d];
      for (int k = 0; k <= h; ++k) ++out->late_from[k];
    }
}

int distribution(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (or_presence_rule_unset(24, t)) return 0;
  if (report) report->self_recorded = true;
  int n = 0;
  for (int i = 0; i < kWeekSlots && i < t.class_count && t.class_indexes[i] >= 0; ++i) {
    int pairs = t.class_gruppioremax_count[i];
    if (pairs <= 0) continue;
    if (pairs > kBandPairs) pairs = kBandPairs;
    ClassCounts counts;
    class_counts(t, t.class_indexes[i], false, &counts);
    int k = count_class_distribution(counts.per_day, rule_days(), t.class_gruppioremax_pairs[i], pairs);
    n += k;
    if (report && k > 0) {
      or_detail_add_listed(t.class_indexes[i]);
      report->record(24, t.class_indexes[i], 0, g_eng_classes[t.class_indexes[i]].display_name, k);
    }
  }
  return n;
}

int late_share(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (or_presence_rule_unset(25, t)) return 0;
  int pairs = t.ultimeoremax_count > kRuleBandPairs ? kRuleBandPairs : t.ultimeoremax_count;
  if (report) report->self_recorded = true;
  int n = 0;
  for (int i = 0; i < kWeekSlots && i < t.class_count && t.class_indexes[i] >= 0; ++i) {
    int c = t.class_indexes[i];
    if (c >= kMaxClasses || g_eng_classes[c].room_type != 0 || t.late_hours_exempt[i] != 0) continue;
    ClassCounts counts;
    class_counts(t, c, true, &counts);
    int hit = -1;
    int k = count_late_share(counts.late_from, t.class_hours[i], t.ultimeoremax_pairs, pairs, &hit);
    n += k;
    if (report && k > 0) {
      char text[kReportTextSize];
      std::snprintf(text, sizeof text, "%s (%s %d-%d%%)", g_eng_classes[c].display_name, "ORA",
                    t.ultimeoremax_pairs[hit][0], t.ultimeoremax_pairs[hit][1]);
      report->record(25, c, 0, text, k);
    }
  }
  return n;
}

// The daily stand-by maximum every teacher record starts with.
constexpr int kDailyStandbyMaximum = 1;

int standby(int teacher, TeacherReport*) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (or_presence_rule_unset(4, t)) return 0;
  int per_day[kDays] = {};
  const std::uint8_t* hours = rule_day_hours(false);
  for (int d = 0; d < rule_days(); ++d)
    for (int h = 0; h < hours[d]; ++h) {
      std::uint16_t c = t.class_per_slot[d * kHoursPerDay + h];
      if (c != kFreeSlot && c >= g_eng_school.real_class_count) ++per_day[d];
    }
  return count_standby_excess(per_day, rule_days(), kDailyStandbyMaximum);
}

int diagonal(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (or_presence_rule_unset(1, t)) return 0;
  int n = 0;
  for (int s = 0; s < kWeekSlots; ++s)
    if (t.class_per_slot[s] != kFreeSlot) n += std::abs(s / kHoursPerDay - s % kHoursPerDay);
  if (report) std::snprintf(report->text, sizeof report->text, "%s", t.name);
  return n;
}

}  // namespace

std::int64_t or_check_presence_teaching() {
  std::int64_t total = 0;
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t) {
    if (!teacher_rule_gate(t, 8)) continue;
    TeacherReport report{8, t};
    presence_counts(t, &report);
    total += report.penalty;
  }
  return total;
}

std::int64_t or_delta_presence_teaching(int teacher) {
  if (!teacher_rule_gate(teacher, 8)) return 0;
  PresenceTally c = presence_counts(teacher, nullptr);
  return or_teacher_weighted(8, teacher, c.presence) + or_teacher_weighted(9, teacher, c.teaching) +
         or_teacher_weighted(10, teacher, c.minimum);
}

std::int64_t or_check_working_days() { return full_teacher_rule(11, working_days); }
std::int64_t or_delta_working_days(int t) { return delta_teacher_rule(11, working_days, t); }
std::int64_t or_check_class_hour_distribution() { return full_teacher_rule(24, distribution); }
std::int64_t or_delta_class_hour_distribution(int t) { return delta_teacher_rule(24, distribution, t); }
std::int64_t or_check_late_lesson_share() { return full_teacher_rule(25, late_share); }
std::int64_t or_delta_late_lesson_share(int t) { return delta_teacher_rule(25, late_share, t); }
std::int64_t or_check_standby_per_day() { return full_teacher_rule(4, standby); }
std::int64_t or_delta_standby_per_day(int t) { return delta_teacher_rule(4, standby, t); }
std::int64_t or_check_bua_diagonal() { return full_teacher_rule(1, diagonal); }
std::int64_t or_delta_bua_diagonal(int t) { return delta_teacher_rule(1, diagonal, t); }
