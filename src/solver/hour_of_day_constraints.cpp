// The teacher constraints on hours of the day, wired to the model: each rule
// reads its parameters from the teacher record (a first parameter of -1, the
// stored 255, means not configured), builds the teacher's week masks and
// calls the counting rule of hour_of_day_counts. The bands 57, 16 and 14
// count nothing in a provisional run; the others use the normal calendar.
#include "solver/hour_of_day_constraints.h"

#include <cstdio>

#include "engine/status_block.h"
#include "solver/hour_of_day_counts.h"
#include "solver/teacher_rule_frame.h"
#include "solver/violation_reporter.h"

namespace {

enum class Kind { Min, Max };

// The rule's own amount for the points counter: its factor x points.
void secondary_of(TeacherReport* report, int teacher, const RuleTally& t) {
  if (report) report->set_secondary(t.secondary * g_eng_teachers[teacher].points);
}

// Runs one band rule: band and days from the teacher record.
int band_rule(int teacher, TeacherReport* report, Kind kind, const DayBand& band, int days_limit) {
  WeekMasks week = teacher_week(teacher);
  RuleTally t = kind == Kind::Min ? count_band_minimum(week, rule_days(), band, days_limit)
                                  : count_band_maximum(week, rule_days(), band, days_limit);
  secondary_of(report, teacher, t);
  return t.count;
}

int first_min(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (or_hour_of_day_rule_unset(12, t)) return 0;
  return band_rule(teacher, report, Kind::Min, band_first_hours(t.pmin_hours), t.pmin_days);
}
int first_max(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (or_hour_of_day_rule_unset(13, t)) return 0;
  return band_rule(teacher, report, Kind::Max, band_first_hours(t.pmax_hours), t.pmax_days);
}
int last_min(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (g_provisional_mode || or_hour_of_day_rule_unset(57, t)) return 0;
  return band_rule(teacher, report, Kind::Min, band_last_hours(t.umin_hours, rule_day_hours(false)), t.umin_days);
}
int last_max(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (or_hour_of_day_rule_unset(58, t)) return 0;
  return band_rule(teacher, report, Kind::Max, band_last_hours(t.umax_hours, rule_day_hours(false)), t.umax_days);
}
int band_rule_of(int teacher, TeacherReport* report, int id, const std::int8_t* p, Kind kind,
                 bool provisional_off) {
  if (or_hour_of_day_rule_unset(id, g_eng_teachers[teacher]) || (provisional_off && g_provisional_mode)) return 0;
  return band_rule(teacher, report, kind, band_of_hours(p[0], p[1]), p[2]);
}
int band1_min(int teacher, TeacherReport* report) {
  return band_rule_of(teacher, report, 16, g_eng_teachers[teacher].fmin, Kind::Min, true);
}
int band1_max(int teacher, TeacherReport* report) {
  return band_rule_of(teacher, report, 17, g_eng_teachers[teacher].fmax, Kind::Max, false);
}
int band2_min(int teacher, TeacherReport* report) {
  return band_rule_of(teacher, report, 14, g_eng_teachers[teacher].emin, Kind::Min, true);
}
int band2_max(int teacher, TeacherReport* report) {
  return band_rule_of(teacher, report, 15, g_eng_teachers[teacher].emax, Kind::Max, false);
}

int straddled(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (or_hour_of_day_rule_unset(46, t)) return 0;
  RuleTally r = count_straddled_hour(teacher_week(teacher), rule_days(), rule_day_hours(false),
                                     t.cavallomax_hour, t.cavallomax_days);
  if (report) std::snprintf(report->text, sizeof report->text, "%s", or_int_text(t.cavallomax_hour));
  secondary_of(report, teacher, r);
  return r.count;
}

int desired(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (or_hour_of_day_rule_unset(18, t)) return 0;
  unsigned flagged = 0;
  RuleTally r = count_desired_hours(teacher_week(teacher), rule_days(), rule_day_hours(false), t.ov, &flagged);
  if (report) {
    flagged_days_text(flagged, report->text, sizeof report->text);
    for (int d = 0; d < kDays; ++d)
      if (flagged & (1u << d)) or_detail_flag(d);
  }
  return r.count;
}

int maximum(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (or_hour_of_day_rule_unset(19, t)) return 0;
  int last = -1;
  RuleTally r = count_maximum_hours(teacher_week(teacher), rule_days(), rule_day_hours(false), t.om, &last);
  if (report && last >= 0) {
    std::snprintf(report->text, sizeof report->text, "%s", day_short_name(last));
    // The days over their maximum, each flagged for its exemption.
    for (int d = 0; d <= last; ++d) {
      WeekMasks week = teacher_week(teacher);
      int limit = t.om[d] < 0 ? 0 : t.om[d];
      if (limit < kHoursPerDay && busy_count(week.day[d] & day_hours(rule_day_hours(false)[d])) > limit)
        or_detail_flag(d);
    }
  }
  return r.count;
}

}  // namespace

std::int64_t or_full_first_hours_min() { return full_teacher_rule(12, first_min); }
std::int64_t or_delta_first_hours_min(int t) { return delta_teacher_rule(12, first_min, t); }
std::int64_t or_full_first_hours_max() { return full_teacher_rule(13, first_max); }
std::int64_t or_delta_first_hours_max(int t) { return delta_teacher_rule(13, first_max, t); }
std::int64_t or_full_last_hours_min() { return full_teacher_rule(57, last_min); }
std::int64_t or_delta_last_hours_min(int t) { return delta_teacher_rule(57, last_min, t); }
std::int64_t or_full_last_hours_max() { return full_teacher_rule(58, last_max); }
std::int64_t or_delta_last_hours_max(int t) { return delta_teacher_rule(58, last_max, t); }
std::int64_t or_full_band1_min() { return full_teacher_rule(16, band1_min); }
std::int64_t or_delta_band1_min(int t) { return delta_teacher_rule(16, band1_min, t); }
std::int64_t or_full_band1_max() { return full_teacher_rule(17, band1_max); }
std::int64_t or_delta_band1_max(int t) { return delta_teacher_rule(17, band1_max, t); }
std::int64_t or_full_band2_min() { return full_teacher_rule(14, band2_min); }
std::int64_t or_delta_band2_min(int t) { return delta_teacher_rule(14, band2_min, t); }
std::int64_t or_full_band2_max() { return full_teacher_rule(15, band2_max); }
std::int64_t or_delta_band2_max(int t) { return delta_teacher_rule(15, band2_max, t); }
std::int64_t or_full_straddled_hour() { return full_teacher_rule(46, straddled); }
std::int64_t or_delta_straddled_hour(int t) { return delta_teacher_rule(46, straddled, t); }
std::int64_t or_full_desired_hours() { return full_teacher_rule(18, desired); }
std::int64_t or_delta_desired_hours(int t) { return delta_teacher_rule(18, desired, t); }
std::int64_t or_full_maximum_hours() { return full_teacher_rule(19, maximum); }
std::int64_t or_delta_maximum_hours(int t) { return delta_teacher_rule(19, maximum, t); }
