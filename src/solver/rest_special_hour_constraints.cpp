// Teacher constraints on rest and special hours: rest after a run of lessons
// (42), mandatory free hours (45), presence at the first or last hour (51),
// a lesson wanted at a given hour (52), single-hour lessons (59), rest around
// a given hour (62), hours left unused by the provisional calendar (63),
// double lessons at the edges of a class's day (64), a class's real hours on
// a day (67) and overlapping hours of non-standard length (41).
//
// Allowances (51, 59, 62, 63, 64) are subtracted once: with an allowance of
// n the first n occurrences are free and the charge is max(0, count - n).
// The delta checks are pure; the only model value changed is the allowance
// of 63, raised by its full check as the rule asks (never inside a move).
//
// Workload: delta checks on the move path over the teacher's 84 slots; 41
// and 63 also read class timing tables and a few slot lists.
#include "solver/rest_special_hour_constraints.h"

#include <cstdio>
#include <cstdlib>

#include "engine/status_block.h"
#include "solver/constraint_parameters.h"
#include "solver/evaluator_access.h"
#include "solver/teacher_rule_frame.h"
#include "solver/violation_reporter.h"

namespace {

constexpr int kFeasibilityTestMode = 13;

int beyond_allowance(int count, int allowance) {
  if (allowance <= 0) return count;
  return count > allowance ? count - allowance : 0;
}

// Reports the occurrence numbered `occurrence` (from 1) when it lies beyond
// the allowance; the rule's total is counted by the runner.
void note_beyond(TeacherReport* report, int occurrence, int allowance, int class_index, const char* text) {
  if (report && occurrence > (allowance > 0 ? allowance : 0)) report->note(class_index, text, 1);
}

// ---- 42: rest after a run of lessons ------------------------------------------

int rest_after_run(int teacher, TeacherReport* report) {
  int r = g_eng_teachers[teacher].riposo;
  if (or_rest_rule_unset(42, g_eng_teachers[teacher])) return 0;
  const std::uint8_t* hours = rule_day_hours(false);
  int n = 0, last_class = -1;
  for (int d = 0; d < rule_days(); ++d) {
    int run = 0;
    for (int h = 0; h < hours[d]; ++h) {
      int c = teacher_class_at(teacher, d * kHoursPerDay + h);
      if (c < 0) {
        run = 0;
        continue;
      }
      if (++run > r) ++n, last_class = c;
    }
  }
  if (report && n > 0) std::snprintf(report->text, sizeof report->text, "%s", class_text(last_class));
  return n;
}

// ---- 45: mandatory free hours --------------------------------------------------

int mandatory_free_hours(int teacher, TeacherReport* report) {
  int k = g_eng_teachers[teacher].buk[1];
  if (or_rest_rule_unset(45, g_eng_teachers[teacher])) return 0;
  const std::uint8_t* hours = rule_day_hours(true);
  WeekMasks w = teacher_week(teacher);
  int g = 0;
  for (int d = 0; d < rule_days() && g < k; ++d)
    for (int h = 2; h < hours[d] && g < k; ++h) {
      if (!is_busy(w.day[d], h) || (w.day[d] & hour_range(0, h - 1)) == 0) continue;
      for (int back = h - 1; back >= 1 && !is_busy(w.day[d], back) && g < k; --back) ++g;
    }
  int n = k - g;
  if (report && n > 0) std::snprintf(report->text, sizeof report->text, "%d", k);
  return n > 0 ? n : 0;
}

// ---- 51: presence at the first or last hour ----------------------------------------

bool teaches_ordinary_class(int teacher, int d, int hour_number) {
  if (hour_number < 1 || hour_number > kHoursPerDay) return false;
  int c = teacher_class_at(teacher, d * kHoursPerDay + hour_number - 1);
  return c >= 0 && g_eng_classes[c].room_type == 0;
}

int edge_presence(int teacher, TeacherReport* report) {
  if (g_provisional_mode) return 0;
  const EngineTeacher& t = g_eng_teachers[teacher];
  int a = t.prela[0], b = t.prela[1];
  if (or_rest_rule_unset(51, t)) return 0;
  const std::uint8_t* hours = rule_day_hours(false);
  WeekMasks w = teacher_week(teacher);
  int allowance = g_teacher_rule_params[teacher].allowance_51;
  int days = 0;
  for (int d = 0; d < rule_days(); ++d) {
    int u = (b > 0 && b <= hours[d]) ? b : hours[d];
    if ((w.day[d] & day_hours(u)) == 0) continue;
    if (teaches_ordinary_class(teacher, d, a) || teaches_ordinary_class(teacher, d, u)) continue;
    ++days;
    note_beyond(report, days, allowance, 0, day_short_name(d));
  }
  int n = beyond_allowance(days, allowance);
  if (report) report->count_only(n);
  return n;
}

// ---- 52: lesson at a given hour -------------------------------------------------------

int given_hour(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  WeekMasks w = teacher_week(teacher);
  unsigned flagged = 0;
  int n = 0;
  for (int d = 0; d < rule_days(); ++d) {
    int v = t.dimpe[d];
    if (v <= 0 || v > kHoursPerDay || is_busy(w.day[d], v - 1)) continue;
    ++n;
    flagged |= 1u << d;
  }
  if (report && n > 0) {
    flagged_days_text(flagged, report->text, sizeof report->text);
    for (int d = 0; d < kDays; ++d)
      if (flagged & (1u << d)) or_detail_flag(d);
  }
  return n;
}

// ---- 59: single-hour lessons ------------------------------------------------------------

int single_hour_lessons(int teacher, TeacherReport* report) {
  int value = g_school_rule_params.single_hour_value;
  if (g_eng_run.focus_flags[2] == 0 && value < 2) return 0;
  const EngineTeacher& t = g_eng_teachers[teacher];
  int allowed = value - 2 > 0 ? value - 2 : 0;
  int allowance = g_teacher_rule_params[teacher].allowance_59;
  const std::uint8_t* hours = rule_day_hours(true);
  int tally[kWeekSlots] = {};  // per position of the class list
  int count = 0;
  for (int d = 0; d < rule_days(); ++d)
    for (int h = 0; h < hours[d]; ++h) {
      int c = teacher_class_at(teacher, d * kHoursPerDay + h);
      if (c < 0) continue;
      int position = -1;
      for (int i = 0; i < kWeekSlots && i < t.class_count && t.class_indexes[i] >= 0; ++i)
        if (t.class_indexes[i] == c) {
          position = i;
          break;
        }
      if (position < 0 || t.class_hours[position] < 2) continue;
      bool before = h > 0 && teacher_class_at(teacher, d * kHoursPerDay + h - 1) == c;
      bool after = h + 1 < hours[d] && teacher_class_at(teacher, d * kHoursPerDay + h + 1) == c;
      if (before || after) continue;
      if (++tally[position] <= allowed) continue;
      ++count;
      if (report && count > (allowance > 0 ? allowance : 0)) {
        char text[kReportTextSize];
        std::snprintf(text, sizeof text, "%s %d", day_short_name(d), h + 1);
        report->note(c, text, 1);
      }
    }
  int n = beyond_allowance(count, allowance);
  if (report) report->count_only(n);
  return n;
}

// ---- 62: rest when the day straddles a given hour ------------------------------------------

int straddle_rest(int teacher, TeacherReport* report) {
  if (g_provisional_mode || !g_eng_school.uses_fercav) return 0;
  const EngineTeacher& t = g_eng_teachers[teacher];
  int hh = t.fercav[0], from = t.fercav[1], to = t.fercav[2];
  if (hh < 0 || from < 0 || to < from) return 0;
  WeekMasks w = teacher_week(teacher);
  int allowance = g_teacher_rule_params[teacher].allowance_62;
  int days = 0;
  for (int d = 0; d < rule_days(); ++d) {
    DayMask m = w.day[d];
    bool after = (m & hour_range(hh + 1, kHoursPerDay - 1)) != 0;
    bool before = (m & hour_range(0, hh - 1)) != 0;
    DayMask window = hour_range(from, to);
    if (!after || !before || window == 0 || (m & window) != window) continue;
    ++days;
    note_beyond(report, days, allowance, 0, day_short_name(d));
  }
  int n = beyond_allowance(days, allowance);
  if (report) report->count_only(n);
  return n;
}

// ---- 63: hours unused by the provisional calendar -----------------------------------------

bool provisional_open(int c, int s) {
  const std::uint8_t* grid = g_class_rule_params[c].provisional_available;
  return grid[0] == kNotConfigured || grid[s] != 0;
}

bool calendar_hour_of(int c, int s) {
  std::uint16_t t = g_eng_classes[c].teacher_grid[s];
  return t != kGridFree && t < kMaxTeachers && g_eng_teachers[t].calendar_class == c;
}

int held_out_teachers() {
  int n = 0;
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t) n += g_eng_teachers[t].held_out == 1;
  return n;
}

int unused_provisional_hours(int teacher, TeacherReport* report) {
  if (!g_provisional_mode || g_eng_run.run_mode == kFeasibilityTestMode) return 0;
  const std::uint8_t* prov = rule_day_hours(true);
  const std::uint8_t* normal = rule_day_hours(false);
  TeacherRuleParams& tp = g_teacher_rule_params[teacher];
  int count = 0;
  for (int d = 0; d < rule_days(); ++d)
    for (int h = 0; h < normal[d]; ++h) {
      int s = d * kHoursPerDay + h;
      int c = teacher_class_at(teacher, s);
      if (c < 0) continue;
      if (h < prov[d] && provisional_open(c, s)) continue;
      if (g_eng_classes[c].room_type != 0) continue;
      bool found = false;
      for (int dd = 0; dd < rule_days() && !found; ++dd)
        for (int hh = 0; hh < prov[dd] && !found; ++hh) {
          int x = dd * kHoursPerDay + hh;
          found = provisional_open(c, x) && calendar_hour_of(c, x);
        }
      if (!found) continue;
      ++count;
      note_beyond(report, count, tp.allowance_63, c, class_text(c));
    }
  int n = beyond_allowance(count, tp.allowance_63);
  if (report) {
    report->count_only(n);
    if (n > 0 && held_out_teachers() > g_eng_school.teacher_count * 8 / 10 && tp.allowance_63 < 127)
      ++tp.allowance_63;
  }
  return n;
}

// ---- 64: double lessons at the edges of a class's day ----------------------------------------

bool outside_day(int teacher, int c, int s) {
  if (teacher_class_at(teacher, s) >= 0) return false;
  std::uint16_t t = g_eng_classes[c].teacher_grid[s];
  return t != kGridFree && t < kMaxTeachers && g_eng_teachers[t].calendar_class != -1;
}

bool all_outside(int teacher, int c, int d, int lo, int hi) {
  for (int h = lo; h <= hi; ++h)
    if (!outside_day(teacher, c, d * kHoursPerDay + h)) return false;
  return true;
}

int edge_doubles(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (!g_eng_school.uses_dkif || or_rest_rule_unset(64, t)) return 0;
  const std::uint8_t* hours = rule_day_hours(true);
  int allowance = g_teacher_rule_params[teacher].allowance_64;
  int occurrences = 0, n = 0;
  for (int i = 0; i < kWeekSlots && i < t.class_count && t.class_indexes[i] >= 0; ++i) {
    int c = t.class_indexes[i];
    if (!valid_class(c) || t.class_hours[i] != 2) continue;
    bool done = false;
    for (int d = 0; d < rule_days() && !done; ++d)
      for (int f = 0; f < hours[d] && !done; ++f) {
        int s = d * kHoursPerDay + f;
        if (teacher_class_at(teacher, s) != c) continue;
        bool counted;
        if (f + 1 < hours[d] && teacher_class_at(teacher, s + 1) == c) {
          if (f == 0 || all_outside(teacher, c, d, 0, f - 1) || all_outside(teacher, c, d, f + 2, hours[d] - 1)) {
            done = true;
            continue;
          }
          counted = true;
        } else {
          counted = all_outside(teacher, c, d, 0, f - 1) || all_outside(teacher, c, d, f + 1, hours[d] - 1);
        }
        if (!counted || ++occurrences <= (allowance > 0 ? allowance : 0)) continue;
        ++n;
        if (report) {
          char text[kReportTextSize];
          std::snprintf(text, sizeof text, "%s %.3s", class_text(c), g_eng_school.day_abbrevs[d]);
          report->record(64, c, 0, text, 1);
        }
      }
  }
  return n;
}

// ---- 67: a class's real hours on a day -----------------------------------------------------

int class_real_hours(int teacher, TeacherReport* report) {
  if (g_provisional_mode || !g_eng_school.uses_pligi) return 0;
  int want = g_eng_teachers[teacher].pligi[1];
  if (want == 0) return 0;
  const std::uint8_t* hours = rule_day_hours(false);
  int n = 0;
  for (int d = 0; d < rule_days(); ++d) {
    bool seen[kMaxClasses] = {};
    for (int h = 0; h < hours[d]; ++h) {
      int c = teacher_class_at(teacher, d * kHoursPerDay + h);
      if (c < 0 || seen[c]) continue;
      seen[c] = true;
      int k = 0;
      for (int x = 0; x < hours[d]; ++x) {
        std::uint16_t t = g_eng_classes[c].teacher_grid[d * kHoursPerDay + x];
        if (t != kGridFree && t < kMaxTeachers && g_eng_teachers[t].calendar_class == -1) ++k;
      }
      if (k == want) continue;
      int off = std::abs(want - k);
      n += off;
      if (report) report->note(c, day_short_name(d), off);
    }
  }
  if (report) report->count_only(n);
  return n;
}

// ---- 41: hours of non-standard length -----------------------------------------------------

struct Interval {
  int start, end;
};

Interval hour_interval(int c, int d, int h) {
  const EngineClass& k = g_eng_classes[c];
  return {k.timing[0][d][h], k.timing[0][d][h] + k.timing[1][d][h]};
}

bool overlap(Interval a, Interval b) { return a.start < b.end && b.start < a.end; }

// One lesson per class at a slot, joint lessons aside: room for every class twice.
constexpr int kRoomUsers = 2 * kMaxClasses;

int common_room_excess(int r, int d, int h) {
  static int xs[kRoomUsers], ys[kRoomUsers];
  int nx = 0, ny = 0;
  auto gather = [&](int hour, int* out, int& count) {
    for_each_slot_lesson(d * kHoursPerDay + hour, [&](int l) {
      const EngineLesson& e = g_eng_lessons[l];
      if (count >= kRoomUsers || e.common_room != r || !valid_class(e.class_index)) return;
      if (valid_teacher(e.teacher) && (g_eng_teachers[e.teacher].type_flags & kTeacherFca)) return;
      out[count++] = l;
    });
  };
  gather(h, xs, nx);
  gather(h + 1, ys, ny);
  int most = 0;
  for (int i = 0; i < nx; ++i)
    for (int j = 0; j < ny; ++j) {
      Interval x = hour_interval(g_eng_lessons[xs[i]].class_index, d, h);
      Interval y = hour_interval(g_eng_lessons[ys[j]].class_index, d, h + 1);
      if (!overlap(x, y)) continue;
      int users = 0;
      for (int a = 0; a < nx; ++a) users += hour_interval(g_eng_lessons[xs[a]].class_index, d, h).end >= x.end;
      for (int b = 0; b < ny; ++b) users += hour_interval(g_eng_lessons[ys[b]].class_index, d, h + 1).start <= y.start;
      if (users > most) most = users;
    }
  const EngineCommonRoom& room = g_eng_common_rooms[r];
  int capacity = room.ox_grid[d * kHoursPerDay + h];
  if (capacity < 1) capacity = room.admitted_attendance;
  return most > capacity ? most - capacity : 0;
}

void overlap_text(TeacherReport* report, int c, const char* mark, int d, int h) {
  if (report && std::strlen(report->text) < 280)
    append_text(report->text, sizeof report->text, "%s%s%.2s%c ", class_text(c), mark, day_short_name(d),
                static_cast<char>('1' + h));
}

int nonstandard_hours(int teacher, TeacherReport* report) {
  unsigned mask = g_eng_school.nonstandard_timing_days;
  if (mask == 0 || or_rest_rule_unset(41, g_eng_teachers[teacher])) return 0;
  const std::uint8_t* hours = rule_day_hours(false);
  bool fca = (g_eng_teachers[teacher].type_flags & kTeacherFca) != 0;
  int n = 0;
  for (int d = 0; d < rule_days(); ++d) {
    if ((mask & (1u << d)) == 0) continue;
    for (int h = 0; h + 1 < hours[d]; ++h) {
      int s = d * kHoursPerDay + h;
      int l = teacher_lesson_at(teacher, s);
      if (l < 0) continue;
      int c1 = g_eng_lessons[l].class_index;
      if (!valid_class(c1)) continue;
      int c2 = teacher_class_at(teacher, s + 1);
      if (c2 >= 0 && overlap(hour_interval(c1, d, h), hour_interval(c2, d, h + 1))) {
        ++n;
        overlap_text(report, c1, "-", d, h);
      }
      int room = g_eng_lessons[l].room;
      if (room != c1)
        for_each_slot_lesson(s + 1, [&](int y) {
          const EngineLesson& e = g_eng_lessons[y];
          if (e.room != room || !valid_class(e.class_index)) return;
          if (!overlap(hour_interval(c1, d, h), hour_interval(e.class_index, d, h + 1))) return;
          ++n;
          overlap_text(report, e.class_index, " L-", d, h);
        });
      int r = g_eng_lessons[l].common_room;
      if (r >= 0 && r < kMaxCommonRooms && r < g_eng_school.common_room_count && !fca) {
        int excess = common_room_excess(r, d, h);
        if (excess > 0) {
          n += excess;
          overlap_text(report, c1, " P-", d, h);
        }
      }
    }
  }
  return n;
}

}  // namespace

std::int64_t or_check_rest_after_run() { return full_teacher_rule(42, rest_after_run); }
std::int64_t or_delta_rest_after_run(int t) { return delta_teacher_rule(42, rest_after_run, t); }
std::int64_t or_check_mandatory_free_hours() { return full_teacher_rule(45, mandatory_free_hours); }
std::int64_t or_delta_mandatory_free_hours(int t) { return delta_teacher_rule(45, mandatory_free_hours, t); }
std::int64_t or_check_edge_presence() { return full_teacher_rule(51, edge_presence); }
std::int64_t or_delta_edge_presence(int t) { return delta_teacher_rule(51, edge_presence, t); }
std::int64_t or_check_given_hour() { return full_teacher_rule(52, given_hour); }
std::int64_t or_delta_given_hour(int t) { return delta_teacher_rule(52, given_hour, t); }
std::int64_t or_check_single_hour_lessons() { return full_teacher_rule(59, single_hour_lessons); }
std::int64_t or_delta_single_hour_lessons(int t) { return delta_teacher_rule(59, single_hour_lessons, t); }
std::int64_t or_check_straddle_rest() { return full_teacher_rule(62, straddle_rest); }
std::int64_t or_delta_straddle_rest(int t) { return delta_teacher_rule(62, straddle_rest, t); }
std::int64_t or_check_unused_provisional_hours() { return full_teacher_rule(63, unused_provisional_hours); }
std::int64_t or_delta_unused_provisional_hours(int t) { return delta_teacher_rule(63, unused_provisional_hours, t); }
std::int64_t or_check_edge_doubles() { return full_teacher_rule(64, edge_doubles); }
std::int64_t or_delta_edge_doubles(int t) { return delta_teacher_rule(64, edge_doubles, t); }
std::int64_t or_check_class_real_hours() { return full_teacher_rule(67, class_real_hours); }
std::int64_t or_delta_class_real_hours(int t) { return delta_teacher_rule(67, class_real_hours, t); }
std::int64_t or_check_nonstandard_hours() { return full_teacher_rule(41, nonstandard_hours); }
std::int64_t or_delta_nonstandard_hours(int t) { return delta_teacher_rule(41, nonstandard_hours, t); }
