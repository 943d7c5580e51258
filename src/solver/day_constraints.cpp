// The teacher constraints on days and day breaks, wired to the model. The
// free-day and available-hour rules use the provisional calendar in a
// provisional run; the shape and break rules count nothing there. The class
// break (28) gates on its own type rule: a laboratory pseudo-teacher takes
// part only with "PAULAB:", while "+FCA" and teachers without lessons do.
#include "solver/day_constraints.h"

#include <cstdio>
#include <cstring>

#include "engine/status_block.h"
#include "solver/day_counts.h"
#include "solver/teacher_rule_frame.h"
#include "solver/violation_reporter.h"

void teacher_class_day_loads(int teacher, ClassDayLoads* out) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  out->count = 0;
  for (int i = 0; i < kWeekSlots && i < t.class_count && t.class_indexes[i] >= 0; ++i) {
    out->class_index[out->count] = t.class_indexes[i];
    for (int& v : out->loads[out->count]) v = 0;
    ++out->count;
  }
  const std::uint8_t* hours = rule_day_hours(false);
  int days = rule_days();
  for (int d = 0; d < days; ++d)
    for (int h = 0; h < hours[d]; ++h) {
      std::uint16_t c = t.class_per_slot[d * kHoursPerDay + h];
      if (c == kFreeSlot) continue;
      for (int i = 0; i < out->count; ++i)
        if (out->class_index[i] == c) {
          ++out->loads[i][d];
          break;
        }
    }
}

namespace {

int free_days_of(int teacher, TeacherReport* report, const std::uint8_t* listed, int count) {
  if (count < 1) return 0;
  DayLoads loads = day_loads(teacher_week(teacher), rule_days(), rule_day_hours(true));
  unsigned flagged = 0;
  RuleTally r = count_free_days(loads, rule_days(), listed, count, &flagged);
  if (report && r.count > 0) flagged_days_text(flagged, report->text, sizeof report->text);
  return r.count;
}

int free_days(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (or_day_rule_unset(5, t)) return 0;
  return free_days_of(teacher, report, t.free_days, t.free_day_count);
}

int free_days_second(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (or_day_rule_unset(54, t)) return 0;
  return free_days_of(teacher, report, t.alt_free_days, t.alt_free_day_count);
}

int unavailable(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (t.allowed_hours[0] == kNotConfigured) return 0;
  DayMask flagged[kDays];
  RuleTally r = count_unavailable_hours(teacher_week(teacher), rule_days(), rule_day_hours(true),
                                        t.allowed_hours, flagged);
  if (report && r.count > 0) {
    // Points x the weighted penalty, not x the count.
    report->set_secondary(static_cast<std::int64_t>(t.points) *
                          or_teacher_weighted(6, teacher, static_cast<std::uint32_t>(r.count)));
    // The hours taught outside the allowed ones, for the exemption that
    // opens them.
    std::memset(g_violation_detail, 0, kDetailMapSize);
    for (int d = 0; d < kDays; ++d)
      for (int h = 0; h < kHoursPerDay; ++h)
        if (is_busy(flagged[d], h)) g_violation_detail[d * kHoursPerDay + h] = 1;
    int used = 0, size = static_cast<int>(sizeof report->text);
    for (int d = 0; d < kDays && used < size - 1; ++d) {
      if (!flagged[d]) continue;
      used += std::snprintf(report->text + used, static_cast<std::size_t>(size - used), "%s%s:",
                            used > 0 ? " " : "", day_short_name(d));
      bool first = true;
      for (int h = 0; h < kHoursPerDay && used < size - 1; ++h)
        if (is_busy(flagged[d], h)) {
          used += std::snprintf(report->text + used, static_cast<std::size_t>(size - used), "%s%d",
                                first ? "" : ",", h + 1);
          first = false;
        }
    }
  }
  return r.count;
}

int shape_rule(int teacher, DayShape shape, int a, int b, int wanted) {
  // a == -1: the first parameter is not given (see or_day_rule_unset).
  if (g_provisional_mode || a == -1) return 0;
  return count_day_shape(teacher_week(teacher), rule_days(), rule_day_hours(false), shape, a, b, wanted).count;
}

int light_days(int teacher, TeacherReport*) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  return shape_rule(teacher, DayShape::Light, t.gl_hours, 0, t.gl_days);
}
int first_hour_days(int teacher, TeacherReport*) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  return shape_rule(teacher, DayShape::FirstHours, t.gp_hours, 0, t.gp_days);
}
int last_hour_days(int teacher, TeacherReport*) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  return shape_rule(teacher, DayShape::LastHours, t.gu_hours, 0, t.gu_days);
}
int band_days(int teacher, TeacherReport*) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  return shape_rule(teacher, DayShape::Band, t.gx[0], t.gx[1], t.gx[2]);
}

int generic_break(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (g_provisional_mode || or_day_rule_unset(26, t)) return 0;
  DayLoads loads = day_loads(teacher_week(teacher), rule_days(), rule_day_hours(false));
  int n = count_generic_break(loads, rule_days(), t.pause_value).count;
  if (report) std::snprintf(report->text, sizeof report->text, "%s", t.name);
  return n;
}

struct PickContext {
  TeacherReport* report;
  int class_index;
};
void record_pick(void* ctx, int amount) {
  auto* p = static_cast<PickContext*>(ctx);
  if (p->report)
    p->report->record(28, p->class_index, 0, g_eng_classes[p->class_index].display_name, amount);
}

// A class of the teacher's list that an exemption took out of the class break.
bool exempt_class(const EngineTeacher& t, int c) {
  for (int i = 0; i < kWeekSlots && i < t.class_count && t.class_indexes[i] >= 0; ++i)
    if (t.class_indexes[i] == c) return t.class_pause_exempt[i] != 0;
  return false;
}

int class_break(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (g_provisional_mode || t.pause_value != -1 || t.ignorapausa >= 1 || t.pause_day_count == 0)
    return 0;
  if ((t.type_flags & kTeacherLabPseudo) != 0 && t.paulab == 0) return 0;
  static ClassDayLoads loads;
  teacher_class_day_loads(teacher, &loads);
  int days = rule_days(), n = 0;
  if (report) report->self_recorded = true;
  for (int i = 0; i < loads.count; ++i) {
    int c = loads.class_index[i];
    if (c >= g_eng_school.class_count || exempt_class(t, c)) continue;
    int worked = 0;
    for (int d = 0; d < days; ++d)
      if (loads.loads[i][d] > 0) ++worked;
    // A day count past the table stands for no break wanted.
    int wanted = worked < static_cast<int>(sizeof t.pause_days) ? static_cast<std::int8_t>(t.pause_days[worked]) : -1;
    PickContext ctx{report, c};
    n += count_class_break(loads.loads[i], days, wanted, record_pick, &ctx);
    // The school's "NOSALU:" bits: a class seen only at both ends of the week.
    n += count_break_options(loads.loads[i], static_cast<unsigned>(g_eng_school.nosalu) & 0x0F, record_pick, &ctx);
  }
  return n;
}

int special_break(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  int trigger = t.segrubi[0], allowed = t.segrubi[1];
  if (g_provisional_mode || or_day_rule_unset(27, t)) return 0;
  static ClassDayLoads loads;
  teacher_class_day_loads(teacher, &loads);
  if (report) report->self_recorded = true;
  int n = 0;
  for (int d = 0; d + 1 < rule_days(); ++d)
    for (int i = 0; i < loads.count; ++i) {
      int excess = special_break_excess(loads.loads[i][d], loads.loads[i][d + 1], trigger, allowed);
      if (excess <= 0) continue;
      n += excess;
      int c = loads.class_index[i];
      if (report) report->record(27, c, 0, g_eng_classes[c].display_name, excess);
    }
  return n;
}

int week_ends(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (g_provisional_mode || !g_eng_school.uses_tramox || or_day_rule_unset(66, t)) return 0;
  if (report) std::snprintf(report->text, sizeof report->text, "%s", "1-ULT");
  return busy_first_and_last_of_week(teacher_week(teacher), rule_days(), rule_day_hours(false)) ? 1 : 0;
}

// The class break has its own type rule in place of the frame's.
std::int64_t full_class_break_rule() {
  std::int64_t total = 0;
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t) {
    if (!teacher_rule_gate(t, 28, false)) continue;
    TeacherReport report{28, t};
    class_break(t, &report);
    total += report.penalty;
  }
  return total;
}

}  // namespace

std::int64_t or_full_free_days() { return full_teacher_rule(5, free_days); }
std::int64_t or_delta_free_days(int t) { return delta_teacher_rule(5, free_days, t); }
std::int64_t or_full_free_days_second() { return full_teacher_rule(54, free_days_second); }
std::int64_t or_delta_free_days_second(int t) { return delta_teacher_rule(54, free_days_second, t); }
std::int64_t or_full_unavailable_hours() { return full_teacher_rule(6, unavailable); }
std::int64_t or_delta_unavailable_hours(int t) { return delta_teacher_rule(6, unavailable, t); }
std::int64_t or_full_light_days() { return full_teacher_rule(20, light_days); }
std::int64_t or_delta_light_days(int t) { return delta_teacher_rule(20, light_days, t); }
std::int64_t or_full_first_hour_days() { return full_teacher_rule(21, first_hour_days); }
std::int64_t or_delta_first_hour_days(int t) { return delta_teacher_rule(21, first_hour_days, t); }
std::int64_t or_full_last_hour_days() { return full_teacher_rule(22, last_hour_days); }
std::int64_t or_delta_last_hour_days(int t) { return delta_teacher_rule(22, last_hour_days, t); }
std::int64_t or_full_band_days() { return full_teacher_rule(49, band_days); }
std::int64_t or_delta_band_days(int t) { return delta_teacher_rule(49, band_days, t); }
std::int64_t or_full_generic_break() { return full_teacher_rule(26, generic_break); }
std::int64_t or_delta_generic_break(int t) { return delta_teacher_rule(26, generic_break, t); }
std::int64_t or_full_special_break() { return full_teacher_rule(27, special_break); }
std::int64_t or_delta_special_break(int t) { return delta_teacher_rule(27, special_break, t); }
std::int64_t or_full_class_break() { return full_class_break_rule(); }
std::int64_t or_delta_class_break(int t) {
  if (!teacher_rule_gate(t, 28, false)) return 0;
  int n = class_break(t, nullptr);
  return n > 0 ? or_teacher_weighted(28, t, static_cast<std::uint32_t>(n)) : 0;
}
std::int64_t or_full_week_ends() { return full_teacher_rule(66, week_ends); }
std::int64_t or_delta_week_ends(int t) { return delta_teacher_rule(66, week_ends, t); }
