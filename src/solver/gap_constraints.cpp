// The teacher gap constraints, wired to the model. Every member reads the
// teacher's week with its tolerated lunch breaks filled in (only the busy
// masks: a filled hour has a class but no lesson, so it never makes a
// building transfer of its own). Days take the provisional lengths in a
// provisional run, except for the short-day rule (56), which uses the
// normal calendar.
#include "solver/gap_constraints.h"

#include <algorithm>
#include <bit>

#include "engine/status_block.h"
#include "solver/teacher_rule_frame.h"
#include "solver/violation_reporter.h"

namespace {

// Per-call building and timing tables of the main gap rule.
std::int32_t g_gap_building[kWeekSlots];
std::uint16_t g_gap_start[kWeekSlots];
std::uint16_t g_gap_end[kWeekSlots];

bool gaps_switched_off(const EngineTeacher& t) { return or_gaps_switched_off(t); }

LunchRule lunch_rule(const EngineTeacher& t) {
  return LunchRule{t.pausameper[0], t.pausameper[1], t.pausameper[2], t.mxr};
}

WeekMasks gap_week(int teacher, std::int16_t* fill_from) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  WeekMasks w = teacher_week(teacher);
  LunchRule r = lunch_rule(t);
  if (r.hour > 0 && r.days > 0) fill_lunch_breaks(w, rule_days(), rule_day_hours(true), r, fill_from);
  return w;
}

// Buildings and times per slot for the transfer test, at the slots in
// `needed` (a day mask per day); false when the school has no transfers to
// look at.
bool fill_gap_buildings(const EngineTeacher& t, const std::int16_t* fill_from, const DayMask* needed) {
  bool rotation = g_eng_school.rotazix_flag != 0;
  if (!rotation && g_eng_school.building_count < 2) return false;
  for (int d = 0; d < kDays; ++d) {
    for (unsigned m = needed[d]; m != 0; m &= m - 1) {
      int h = std::countr_zero(m);
      int s = d * kHoursPerDay + h;
      g_gap_building[s] = -1;
      g_gap_start[s] = g_gap_end[s] = 0;
      std::uint16_t c = t.class_per_slot[s];
      int source = s;
      if (c == kFreeSlot && rotation && fill_from[s] >= 0) {
        source = fill_from[s];
        c = t.class_per_slot[source];
      }
      if (c == kFreeSlot || c >= kMaxClasses) continue;
      if (rotation) {
        g_gap_building[s] = g_eng_classes[c].building;
      } else {
        std::uint16_t l = t.lesson_per_slot[s];
        if (l != kFreeSlot && l < kMaxLessons) g_gap_building[s] = g_eng_lessons[l].building;
      }
      g_gap_start[s] = g_eng_classes[c].timing[0][d][h];
      g_gap_end[s] = static_cast<std::uint16_t>(g_gap_start[s] + g_eng_classes[c].timing[1][d][h]);
    }
  }
  return true;
}

// The slots whose building and times count_gap_hours reads: the hours on
// either side of a free hour with lessons on both sides, in each day as the
// count clips it. The other slots of the tables are never read.
void transfer_slots(const WeekMasks& w, int days, const std::uint8_t* hours, DayMask* needed) {
  for (int d = 0; d < kDays; ++d) {
    needed[d] = 0;
    if (d >= days) continue;
    unsigned m = w.day[d] & day_hours(hours[d]);
    unsigned single = ~m & (m << 1) & (m >> 1) & day_hours(kHoursPerDay);
    needed[d] = static_cast<DayMask>(((single << 1) | (single >> 1)) & day_hours(kHoursPerDay));
  }
}

}  // namespace

// The gap evaluators' view of the teacher's week: its own grid, with the
// tolerated lunch breaks filled in when the teacher has a lunch rule.
WeekMasks or_prepare_gap_grid(int teacher) { return gap_week(teacher, nullptr); }

// Hours longer than 60 minutes ("BUDIME:" second value) add their extra
// minutes to the gap count, filled lunch hours included; a slot whose length
// the class's timing does not give adds nothing.
int or_extra_duration_hours(int teacher, const std::int16_t* fill_from) {
  if (g_eng_school.budime_second == 0) return 0;
  const EngineTeacher& t = g_eng_teachers[teacher];
  int minutes = 0;
  for (int s = 0; s < kWeekSlots; ++s) {
    std::uint16_t c = t.class_per_slot[s];
    if (c == kFreeSlot && fill_from != nullptr && fill_from[s] >= 0 && fill_from[s] < kWeekSlots)
      c = t.class_per_slot[fill_from[s]];
    if (c == kFreeSlot || c >= kMaxClasses) continue;
    int length = g_eng_classes[c].timing[1][s / kHoursPerDay][s % kHoursPerDay];
    if (length > 0) minutes += length - 60;
  }
  return minutes > 0 ? (minutes + 1) / 60 : 0;
}

std::uint8_t g_graded_gap_flag;

int gap_excess_of_teacher(int teacher, bool with_tolerance_level, int extra_allowance) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  std::int16_t fill_from[kWeekSlots];
  std::fill(fill_from, fill_from + kWeekSlots, static_cast<std::int16_t>(-1));
  WeekMasks w = gap_week(teacher, fill_from);
  int days = rule_days();
  const std::uint8_t* hours = rule_day_hours(true);
  DayMask needed[kDays];
  transfer_slots(w, days, hours, needed);
  GapContext ctx{};
  if (fill_gap_buildings(t, fill_from, needed)) {
    ctx.building = g_gap_building;
    ctx.rotation = g_eng_school.rotazix_flag != 0;
    ctx.transfer_minutes = g_eng_school.pamez_second;
    ctx.slot_start = g_gap_start;
    ctx.slot_end = g_gap_end;
  }
  ctx.rest_block = (t.riposo > 0 && g_eng_school.noriposoauto == 0) ? t.riposo : 0;
  GapTally g = count_gap_hours(w, days, hours, ctx);
  g.gaps += or_extra_duration_hours(teacher, fill_from);
  if (g.gaps <= 0) return 0;
  int transfers = std::min(g.transfers, std::max<int>(t.building_count, 0));
  int allowance = (with_tolerance_level ? g_status.gap_tolerance_level.load() : 0) + t.contract_less_budime +
                  g.rests + t.gap_tolerance + transfers + extra_allowance;
  allowance = std::max<int>(allowance, t.buk[1]);
  return std::max(0, g.gaps - allowance);
}

namespace {

void mark_gap_teacher(TeacherReport* report, int n) {
  if (!report) return;
  EngineTeacher& t = g_eng_teachers[report->teacher];
  if (n > 0)
    t.gap_marker = static_cast<std::uint8_t>(std::min(n + 1, 255));
  else if (t.gap_marker > 1)
    t.gap_marker = 1;
}

int gaps(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (gaps_switched_off(t) || t.in_test == 1) return 0;
  int n = gap_excess(gap_excess_of_teacher(teacher, true), 0, g_status.focus_mode == 22);
  mark_gap_teacher(report, n);
  return n;
}

// Graded: in-test 2 counts nothing; in-test 1 counts nothing from tolerance
// level 7 on, else has one more gap allowed; in evaluation mode 2 a graded
// teacher gets no tolerance level.
int gaps_graded(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (gaps_switched_off(t) || t.in_test == 2) return 0;
  int level = g_status.gap_tolerance_level.load();
  if (t.in_test == 1 && level >= 7) return 0;
  bool with_level = !(g_eval_mode == 2 && t.tekgrado[0] != 0);
  int n = gap_excess(gap_excess_of_teacher(teacher, with_level, t.in_test == 1 ? 1 : 0), 0,
                     g_status.focus_mode == 22);
  mark_gap_teacher(report, n);
  return n;
}

bool two_gap_rules_off(const EngineTeacher& t) { return gaps_switched_off(t) || t.gap_day_values[0] >= 5; }

int many_gap_days(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (two_gap_rules_off(t)) return 0;
  int n = count_many_gap_days(or_prepare_gap_grid(teacher), rule_days(), rule_day_hours(true));
  mark_gap_teacher(report, n);
  return n;
}

int two_gap_days(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (two_gap_rules_off(t)) return 0;
  int n = count_two_gap_days(or_prepare_gap_grid(teacher), rule_days(), rule_day_hours(true), t.nomotor == 4,
                             t.gap_day_values[0]);
  mark_gap_teacher(report, n);
  return n;
}

int adjacent(int teacher, TeacherReport*) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (or_gap_rule_unset(47, t)) return 0;
  return count_adjacent_gaps(or_prepare_gap_grid(teacher), rule_days(), rule_day_hours(true), t.gap_day_values[1]);
}

void day_detail(int d) {
  std::fill(g_violation_detail, g_violation_detail + kDetailMapSize, std::uint8_t{0});
  g_violation_detail[124] = 7;
  g_violation_detail[d] = 1;
}

int given_days(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (gaps_switched_off(t)) return 0;
  bool watched = false;
  for (std::int8_t b : t.ovmnb) watched |= b > 0;  // 255 (-1): not given
  if (!watched) return 0;
  int per_day[kDays];
  int n = count_gaps_on_days(or_prepare_gap_grid(teacher), rule_days(), rule_day_hours(true), t.ovmnb, per_day);
  if (report) {
    int so_far = 0;
    for (int d = 0; d < kDays; ++d)
      for (int k = 0; k < per_day[d]; ++k) {
        ++so_far;
        day_detail(d);
        report->note(0, day_short_name(d), so_far);
      }
    report->count_only(n);
  }
  return n;
}

int short_days(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (or_gap_rule_unset(56, t) || g_provisional_mode) return 0;
  int per_day[kDays];
  int n = count_gaps_on_short_days(or_prepare_gap_grid(teacher), rule_days(), rule_day_hours(false), t.quorvex,
                                   per_day);
  if (report) {
    for (int d = 0; d < kDays; ++d)
      if (per_day[d] > 0) {
        day_detail(d);
        report->note(0, day_short_name(d), per_day[d]);
      }
    report->count_only(n);
  }
  return n;
}

int after_return(int teacher, TeacherReport*) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  // The school's enabling flag is its lunch-pause flag: some lunch pause
  // asks for at least two hours after the return.
  if (g_provisional_mode || g_eng_school.lunch_pause_flag == 0 || t.pausameper[0] < 1 || t.mxr < 1 ||
      t.pausameper[3] < 2)
    return 0;
  return count_hours_after_return(teacher_week(teacher), rule_days(), rule_day_hours(false), t.pausameper[0],
                                  t.pausameper[2], t.pausameper[3]);
}

}  // namespace

std::int64_t or_full_gaps() {
  return g_graded_gap_flag ? or_full_gaps_graded() : full_teacher_rule(48, gaps);
}
std::int64_t or_delta_gaps(int t) {
  return g_graded_gap_flag ? or_delta_gaps_graded(t) : delta_teacher_rule(48, gaps, t);
}
std::int64_t or_full_gaps_graded() { return full_teacher_rule(48, gaps_graded); }
std::int64_t or_delta_gaps_graded(int t) { return delta_teacher_rule(48, gaps_graded, t); }
std::int64_t or_full_many_gap_days() { return full_teacher_rule(2, many_gap_days); }
std::int64_t or_delta_many_gap_days(int t) { return delta_teacher_rule(2, many_gap_days, t); }
std::int64_t or_full_two_gap_days() { return full_teacher_rule(3, two_gap_days); }
std::int64_t or_delta_two_gap_days(int t) { return delta_teacher_rule(3, two_gap_days, t); }
std::int64_t or_full_adjacent_gaps() { return full_teacher_rule(47, adjacent); }
std::int64_t or_delta_adjacent_gaps(int t) { return delta_teacher_rule(47, adjacent, t); }
std::int64_t or_full_gaps_on_given_days() { return full_teacher_rule(50, given_days); }
std::int64_t or_delta_gaps_on_given_days(int t) { return delta_teacher_rule(50, given_days, t); }
std::int64_t or_full_gaps_short_days() { return full_teacher_rule(56, short_days); }
std::int64_t or_delta_gaps_short_days(int t) { return delta_teacher_rule(56, short_days, t); }
std::int64_t or_full_hours_after_return() { return full_teacher_rule(60, after_return); }
std::int64_t or_delta_hours_after_return(int t) { return delta_teacher_rule(60, after_return, t); }

int or_gap_check_all_teachers(int* out, int limit) {
  if (out) *out = 0;
  if (g_status.level.load() > 0) return 0;
  int over = 0;
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t) {
    const EngineTeacher& x = g_eng_teachers[t];
    if (x.pseudo_flag || x.calendar_class != -1 ||
        (x.type_flags & (kTeacherLabPseudo | kTeacherFca | kTeacherNoLessons)) || gaps_switched_off(x))
      continue;
    int n = gap_excess_of_teacher(t, false);
    if (n > limit) return 0;
    if (n > 0) ++over;
    if (out) *out = over;
  }
  return 1;
}
