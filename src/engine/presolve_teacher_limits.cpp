// Per-teacher steps of the pre-solve preparation: allowed hours from the
// forbidden ones, the days and slots each lesson may use, the working days,
// the daily limits and the hours-per-day bands of each class.
//
// Values "not given" in a teacher's constraint line are 255 in unsigned
// bytes and -1 (or 0 before the constraint pass) in signed ones; every test
// below treats anything not positive as not given. Every result is clamped
// to the week (days per week, hours of the day), so a band table full of
// 255 never yields a limit beyond the week. Each step is one pass over the
// teachers and their lesson lists.
#include <algorithm>
#include <cstring>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/presolve.h"
#include "engine/special_calendars.h"
#include "engine/status_block.h"

namespace {

bool given(int v) { return v > 0 && v != 255; }
bool configured(const std::uint8_t* grid) { return grid[0] != 255; }

int days_with_allowed_hour(const EngineTeacher& x) {
  int n = 0;
  for (int d = 0; d < or_week_days(); ++d)
    for (int h = 0; h < or_day_hours(d); ++h)
      if (x.allowed_hours[d * kHoursPerDay + h] == 1) {
        ++n;
        break;
      }
  return n;
}

bool teaches(int lesson, int t) {
  return g_eng_lessons[lesson].teacher == t || (or_lesson_has_second(lesson) && g_eng_lessons[lesson].second_teacher == t);
}

int clamp_days(int v) { return std::clamp(v, 0, or_week_days()); }

}  // namespace

void or_apply_forbidden_hours() {
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    if (configured(x.forbidden_hours)) {
      for (int d = 0; d < kDays; ++d)
        for (int h = 0; h < kHoursPerDay; ++h) {
          int s = d * kHoursPerDay + h;
          std::uint8_t v = (d < or_week_days() && h < or_day_hours(d) && x.forbidden_hours[s] == 0) ? 1 : 0;
          x.allowed_hours[s] = x.allowed_hours_work[s] = v;
        }
      std::memset(x.forbidden_hours, 255, sizeof x.forbidden_hours);
    }
    if (x.free_day_count == 1 && x.free_days[0] < kDays && configured(x.allowed_hours_work))
      std::memset(x.allowed_hours_work + x.free_days[0] * kHoursPerDay, 0, kHoursPerDay);
  }
}

void or_limit_lesson_days_and_slots() {
  int days = or_week_days(), slots = g_eng_run.weekly_slots;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    g_eng_lessons[i].day_limit = static_cast<std::uint8_t>(days);
    g_eng_lessons[i].slot_limit = static_cast<std::uint8_t>(slots);
  }
  const EngineSchool& s = g_eng_school;
  for (int t = 0; t < s.teacher_count; ++t) {
    const EngineTeacher& x = g_eng_teachers[t];
    int d = days, n = slots;
    if (s.iggiorni.count > 0 && !configured(x.allowed_hours)) {
      int b = or_band_lookup(s.iggiorni, x.weekly_hours);
      d = std::min(d, b);
      n = std::min(n, b * days);
    }
    int ov_days = 0, ov_sum = 0;
    for (int k = 0; k < days; ++k)
      if (given(x.ov[k])) {
        ++ov_days;
        ov_sum += x.ov[k];
      }
    if (ov_days > 0) d = std::min(d, ov_days + std::max(0, x.weekly_hours - ov_sum));
    if (configured(x.allowed_hours)) {
      int allowed = 0;
      for (int k = 0; k < days; ++k)
        for (int h = 0; h < or_day_hours(k); ++h) allowed += x.allowed_hours[k * kHoursPerDay + h] == 1 ? 1 : 0;
      d = std::min(d, days_with_allowed_hour(x));
      n = std::min(n, allowed);
    }
    if (configured(x.forbidden_hours)) {
      int open_days = 0, forbidden = 0;
      for (int k = 0; k < days; ++k) {
        int closed = 0;
        for (int h = 0; h < or_day_hours(k); ++h) closed += x.forbidden_hours[k * kHoursPerDay + h] != 0 ? 1 : 0;
        forbidden += closed;
        open_days += closed < or_day_hours(k) ? 1 : 0;
      }
      d = std::min(d, open_days);
      n = std::min(n, slots - forbidden);
    }
    if (given(x.gmax_days)) d = std::min<int>(d, x.gmax_days);
    d = clamp_days(d);
    n = std::clamp(n, 0, slots);
    for (int i = 0; i < s.lesson_count; ++i) {
      if (!teaches(i, t)) continue;
      EngineLesson& l = g_eng_lessons[i];
      l.day_limit = static_cast<std::uint8_t>(std::min<int>(l.day_limit, d));
      l.slot_limit = static_cast<std::uint8_t>(std::min<int>(l.slot_limit, n));
    }
  }
}

void or_derive_working_days() {
  const EngineSchool& s = g_eng_school;
  for (int t = 0; t < s.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    if (x.weekly_hours <= 0) continue;
    bool from_band = !given(x.gmin_days);
    int lo = from_band ? or_band_lookup(s.iggiorni, x.lesson_hours) : x.gmin_days;
    int hi;
    if (given(x.gmax_days)) {
      hi = x.gmax_days;
      lo = std::min(lo, hi);
    } else {
      hi = or_band_lookup(s.iggiorni, x.weekly_hours);
    }
    lo = clamp_days(lo);
    hi = clamp_days(hi);
    if (hi == 1 && from_band && lo == 1 && x.class_count == 1 && x.lesson_hours >= 3) lo = hi = 2;
    hi = std::max(hi, lo);
    if (configured(x.allowed_hours)) lo = std::min(lo, days_with_allowed_hour(x));
    x.min_working_days = static_cast<std::int8_t>(lo);
    x.max_working_days = static_cast<std::int8_t>(hi);
    for (int i = 0; i < s.lesson_count; ++i)
      if (teaches(i, t) && g_eng_lessons[i].day_limit > hi) g_eng_lessons[i].day_limit = static_cast<std::uint8_t>(hi);
  }
  for (int t = 0; t < s.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    bool has_pause = x.weekly_hours > 0 && given(x.gpausa);
    x.pause_value = has_pause ? x.gpausa : static_cast<std::int8_t>(-1);
    if (g_provisional_mode && x.min_working_days == x.max_working_days && x.min_working_days > 1) --x.min_working_days;
    std::memset(x.pause_days, 255, sizeof x.pause_days);
    x.pause_day_count = 0;
    if (x.weekly_hours <= 0 || has_pause) continue;
    for (int k = 0; k < std::min<int>(s.giornipausacl.count, kBandPairs); ++k) {
      int a = s.giornipausacl.pairs[k][0];
      if (a < 0 || a >= 8) continue;
      x.pause_days[a] = static_cast<std::uint8_t>(s.giornipausacl.pairs[k][1]);
      ++x.pause_day_count;
    }
  }
}

namespace {

// The most hours a day the teacher may be present (presence) or teach: his
// own "PRESENZA:" or "INSEGNA:", else the band of his kind for his weekly
// hours, else no limit (99).
int daily_limit(const EngineTeacher& x, bool presence) {
  const EngineSchool& s = g_eng_school;
  const BandTable* band = presence ? &s.ihpresenza : &s.ihinsegna;
  if (x.type_flags & kTeacherLaboratory) band = presence ? &s.ihlabpresenza : &s.ihlabinsegna;
  else if (x.type_flags & kTeacherConversation) band = presence ? &s.ihconpresenza : &s.ihconinsegna;
  std::uint8_t own = presence ? x.presenza : x.insegna;
  int limit = own != 255 && own != 0 ? own : band->count == 0 ? 99 : or_band_lookup(*band, x.weekly_hours);
  return std::min(limit, 99);
}

}  // namespace

int or_teacher_daily_presence_limit(int teacher) {
  if (teacher < 0 || teacher >= g_eng_school.teacher_count || teacher >= kMaxTeachers) return 99;
  return daily_limit(g_eng_teachers[teacher], true);
}

int or_teacher_daily_teaching_limit(int teacher) {
  if (teacher < 0 || teacher >= g_eng_school.teacher_count || teacher >= kMaxTeachers) return 99;
  return daily_limit(g_eng_teachers[teacher], false);
}

void or_derive_daily_limits() {
  const EngineSchool& s = g_eng_school;
  for (int t = 0; t < s.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    x.max_presence_per_day = static_cast<std::int8_t>(daily_limit(x, true));
    x.max_teaching_per_day = static_cast<std::int8_t>(daily_limit(x, false));

    auto extra = [&](const TripleTable& table, std::uint8_t (*pairs)[2], std::int8_t& count) {
      int found = -1;
      for (int k = 0; k < std::min<int>(table.count, kBandPairs); ++k)
        if (table.triples[k][0] <= x.lesson_hours) found = k;
      if (found < 0) return;
      int b = table.triples[found][1], c = table.triples[found][2];
      for (int k = 0; k < count && k < kBandPairs; ++k)
        if (pairs[k][0] <= b) return;
      if (count < 0) count = 0;
      if (count >= kBandPairs) return;
      pairs[count][0] = static_cast<std::uint8_t>(b);
      pairs[count][1] = static_cast<std::uint8_t>(c);
      ++count;
    };
    extra(s.ihinsegnaextra, x.inse_pairs, x.inse_count);
    extra(s.ihpresenzaextra, x.xprese_pairs, x.xprese_count);

    int minimum = 0;
    if (!or_is_calendar_teacher(t) && s.ihminimo.count > 0) {
      minimum = given(x.insegnamin) ? x.insegnamin : or_band_lookup(s.ihminimo, x.weekly_hours);
      if (configured(x.allowed_hours)) {
        for (int d = 0; d < or_week_days(); ++d) {
          int hours = or_day_hours(d);
          if (d == s.extra_hour_day && s.extra_hour > 0) hours = s.extra_hour_former_length;
          int n = 0;
          for (int h = 0; h < hours; ++h) n += x.allowed_hours[d * kHoursPerDay + h] == 1 ? 1 : 0;
          if (n > 0 && n < minimum) minimum = n;
        }
      }
      for (int d = 0; d < or_week_days(); ++d)
        if (x.ov[d] >= 1 && x.ov[d] < minimum) minimum = x.ov[d];
      if (x.class_count == 1 && x.lesson_count > 0) {
        const EngineLesson& first = g_eng_lessons[x.lesson_indexes[0]];
        for (int m = 0; m < 2; ++m)
          for (int k = 0; k < 12 && first.consecutive_maps[m][k] != '\0'; ++k) {
            int digit = first.consecutive_maps[m][k] - '0';
            if (digit > 0 && digit <= 9 && digit < minimum) minimum = digit;
          }
      }
      if (minimum >= 2 && x.lesson_hours / minimum < x.min_working_days) --minimum;
      if (given(x.gl_hours) && minimum > x.gl_hours) minimum = x.gl_hours;
      minimum = std::clamp(minimum, 0, kHoursPerDay);
    }
    x.min_hours_per_day = static_cast<std::int8_t>(minimum);
  }
}

void fill_rule_band_from_school(const BandTable& school, std::int8_t (*pairs)[2], std::int8_t& count) {
  if (count > 0) return;
  int n = std::min<int>(school.count, kRuleBandPairs);
  for (int k = 0; k < n; ++k) {
    pairs[k][0] = school.pairs[k][0];
    pairs[k][1] = school.pairs[k][1];
  }
  count = static_cast<std::int8_t>(n);
}

void or_fit_teacher_class_bands() {
  const EngineSchool& s = g_eng_school;
  for (int t = 0; t < s.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    if (x.lesson_hours <= 0) continue;
    fill_rule_band_from_school(s.gruppioremax, x.gruppioremax_pairs, x.gruppioremax_count);
    int pairs = std::clamp<int>(x.gruppioremax_count, 0, kRuleBandPairs);
    for (int i = 0; i < x.lesson_count; ++i) {
      int lesson = x.lesson_indexes[i];
      if (lesson < 0 || lesson > 65534) or_raise_critical_error("SW", 0, "..\\Orario\\OR_VINU", 1069);
      for (int m = 0; m < 2; ++m) {
        const char* map = g_eng_lessons[lesson].consecutive_maps[m];
        if (map[0] < '1' || map[0] > '9') continue;
        int counts[10] = {};
        for (int k = 0; k < 12 && map[k] != '\0'; ++k)
          if (map[k] >= '0' && map[k] <= '9') ++counts[map[k] - '0'];
        for (int p = 0; p < pairs; ++p) {
          int first = x.gruppioremax_pairs[p][0];
          if (first >= 0 && first <= 9 && counts[first] > x.gruppioremax_pairs[p][1])
            x.gruppioremax_pairs[p][1] = static_cast<std::int8_t>(counts[first]);
        }
      }
    }
    if (pairs == 0 || (x.type_flags & (kTeacherLabPseudo | kTeacherFca | kTeacherNoLessons))) continue;
    int largest = 0;
    for (int k = 0; k < x.class_count && k < kWeekSlots; ++k) largest = std::max<int>(largest, x.class_hours[k]);
    auto capacity = [&] {
      int sum = 0, seconds = 0, smallest = 99;
      for (int p = 0; p < pairs; ++p) {
        sum += x.gruppioremax_pairs[p][0] * x.gruppioremax_pairs[p][1];
        seconds += x.gruppioremax_pairs[p][1];
        smallest = std::min<int>(smallest, x.gruppioremax_pairs[p][0]);
      }
      if (smallest >= 2) sum += (x.max_working_days - seconds) * (smallest - 1);
      return sum;
    };
    int current = 0;
    for (int step = 0; step < 100 && capacity() < largest; ++step) {
      if (x.gruppioremax_pairs[current][1] < x.max_working_days - (pairs - 1))
        ++x.gruppioremax_pairs[current][1];
      else
        current = (current + 1) % pairs;
    }
  }
}

void or_derive_class_bands(int teacher) {
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    if (teacher >= 0 && t != teacher) continue;
    EngineTeacher& x = g_eng_teachers[t];
    if (or_is_calendar_teacher(t) || (x.type_flags & (kTeacherLabPseudo | kTeacherFca | kTeacherNoLessons))) continue;
    int pairs = std::clamp<int>(x.gruppioremax_count, 0, kRuleBandPairs);
    if (pairs == 0) continue;
    int m = std::max<int>(x.max_working_days, 1);
    for (int k = 0; k < x.class_count && k < kWeekSlots; ++k) {
      auto& band = x.class_gruppioremax_pairs[k];
      std::int8_t& count = x.class_gruppioremax_count[k];
      for (int p = 0; p < pairs; ++p) {
        band[p][0] = x.gruppioremax_pairs[p][0];
        band[p][1] = x.gruppioremax_pairs[p][1];
      }
      count = static_cast<std::int8_t>(pairs);
      int h = x.class_hours[k], q = h / m, r = h % m;
      bool qualifies = false;
      for (int p = 0; p < count; ++p) qualifies |= band[p][0] <= (r ? q + 1 : q);
      if (!qualifies) continue;
      auto raise = [&](int first, int at_least) {
        for (int p = 0; p < count; ++p)
          if (band[p][0] == first) {
            if (band[p][1] < at_least) band[p][1] = static_cast<std::int8_t>(at_least);
            return;
          }
        if (count < kBandPairs) {
          band[count][0] = static_cast<std::int8_t>(first);
          band[count][1] = static_cast<std::int8_t>(at_least);
          ++count;
        }
      };
      raise(q, m);
      if (r != 0) raise(q + 1, r);
      int ihsg = x.per_class_daily[k];
      if (ihsg > 1)
        for (int p = 0; p < count; ++p)
          if (band[p][0] == ihsg && band[p][1] == 0) band[p][1] = 1;
    }
  }
}

void or_flag_task_breaks() {
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    EngineTeacher& x = g_eng_teachers[t];
    for (int k = 0; k < std::clamp(x.task_count, 0, kMaxTeacherTasks); ++k) {
      TeacherTask& task = x.tasks[k];
      if (task.day < 2) task.j_flag = 0;
      if (!task.j_flag) continue;
      std::memset(task.grid, 0, sizeof task.grid);
      int c = task.references[0];
      if (c < 0 || c >= g_eng_school.class_count) continue;
      const EngineClass& klass = g_eng_classes[c];
      for (int d = 0; d < or_week_days(); ++d)
        for (int h = 0; h + 1 < or_day_hours(d); ++h)
          if (klass.timing[0][d][h + 1] > klass.timing[0][d][h] + klass.timing[1][d][h])
            task.grid[d * kHoursPerDay + h] = 1;
    }
  }
}

bool or_move_too_short(int early_class, int late_class, int day, int hour) {
  int minimum = static_cast<std::int8_t>(g_eng_school.pamez & 0xFF);
  if (minimum < 1) return true;
  const EngineClass& a = g_eng_classes[early_class];
  const EngineClass& b = g_eng_classes[late_class];
  int gap = static_cast<int>(b.timing[0][day][hour]) - a.timing[0][day][hour - 1] - a.timing[1][day][hour - 1];
  return gap < minimum;
}
