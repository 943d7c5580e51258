// Teacher constraints that involve other people and places: a partner who
// must not teach at the same time (29), a car-share companion (30),
// incompatible subjects on one day (31), returns into a class (32), hours
// with one class per day (23), moves between buildings per gap, day and week
// (37, 38, 39), building rotation by class (40) and the school-wide count of
// the dynamic building management (68).
//
// Allowances (37, 38) are subtracted once: the charge is max(0, count -
// allowance). The delta checks are pure. Two full-check rules change model
// values as the rules ask: 30 raises the gap tolerances of a car-share pair
// (a value fixed by the weekly hours, so the first full evaluation settles
// it) and 23 raises a class's daily maximum when it reports in a
// provisional run. Neither happens inside a move, so the price a move sees
// before and after an exchange is computed against the same parameters.
//
// Workload: delta checks on the move path; each walks the teacher's 84 slots
// (68 also reads the first slot list of each day).
#include "solver/building_companion_constraints.h"

#include <bit>
#include <cstdio>
#include <cstdlib>

#include "engine/presolve.h"
#include "engine/status_block.h"
#include "solver/constraint_parameters.h"
#include "solver/evaluator_access.h"
#include "solver/teacher_rule_frame.h"
#include "solver/violation_reporter.h"

namespace {

constexpr int kFeasibilityTestMode = 13;

int subtract_allowance(int count, int allowance) {
  if (allowance <= 0) return count;
  return count > allowance ? count - allowance : 0;
}

// ---- 29: partner teaching at the same time ---------------------------------

int no_overlap(int teacher, TeacherReport* report) {
  if (g_eng_run.run_mode == kFeasibilityTestMode) return 0;
  int p = g_eng_teachers[teacher].partner;
  if (!valid_teacher(p)) return 0;
  WeekMasks a = teacher_week(teacher);
  WeekMasks b = teacher_week(p);
  const std::uint8_t* hours = rule_day_hours(false);
  int n = 0;
  for (int d = 0; d < rule_days(); ++d) n += busy_count(static_cast<DayMask>(a.day[d] & b.day[d] & day_hours(hours[d])));
  if (report && n > 0) std::snprintf(report->text, sizeof report->text, "%s", g_eng_teachers[p].name);
  return n;
}

// ---- 30: car share ----------------------------------------------------------

void raise_tolerance(int teacher, int value) {
  if (value > 127) value = 127;
  if (g_eng_teachers[teacher].gap_tolerance < value) g_eng_teachers[teacher].gap_tolerance = static_cast<std::int8_t>(value);
}

int car_share(int teacher, TeacherReport* report) {
  const EngineTeacher& self = g_eng_teachers[teacher];
  int p = self.carshare_partner;
  if (self.carshare_name[0] == '\0' || !valid_teacher(p) || p == teacher) return 0;
  const EngineTeacher& partner = g_eng_teachers[p];
  if (partner.held_out == 1) return 0;
  if (g_eval_mode == 1 && partner.tekgrado[0] == 0) return 0;
  int rt = g_eng_teachers[teacher].weekly_hours, rp = partner.weekly_hours;
  int driver = teacher, rider = p;
  if (rt < rp) driver = p, rider = teacher;
  if (report) {  // the full check settles the tolerances; a delta check only reads
    if (rp < rt) {
      raise_tolerance(p, rt - rp);
    } else if (rt < rp) {
      raise_tolerance(teacher, rp - rt);
    } else {
      int larger = g_eng_teachers[teacher].gap_tolerance > partner.gap_tolerance ? g_eng_teachers[teacher].gap_tolerance
                                                                                 : partner.gap_tolerance;
      raise_tolerance(teacher, larger);
      raise_tolerance(p, larger);
    }
  }
  WeekMasks dw = teacher_week(driver);
  WeekMasks rw = teacher_week(rider);
  const std::uint8_t* hours = rule_day_hours(false);
  int wait = g_eng_teachers[teacher].carshare_wait;
  int n = 0;
  for (int d = 0; d < rule_days(); ++d) {
    DayMask within = day_hours(hours[d]);
    DayMask dm = dw.day[d] & within, rm = rw.day[d] & within;
    if (dm == 0 || rm == 0) continue;
    int first = first_busy(dm), last = last_busy(dm);
    if (wait > 0) {
      if (first > 0)
        --first;
      else if (last < hours[d] - 1)
        ++last;
    }
    n += busy_count(static_cast<DayMask>(rm & ~hour_range(first, last)));
  }
  if (report && n > 0) std::snprintf(report->text, sizeof report->text, "%s", partner.name);
  return n;
}

// ---- 31: incompatible subjects ------------------------------------------------

int incompatible_subjects(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (t.incompatible_subject_lessons == 0) return 0;
  const std::uint8_t* hours = rule_day_hours(false);
  int n = 0;
  int count = t.lesson_count > kWeekSlots ? kWeekSlots : t.lesson_count;
  for (int i = 0; i < count; ++i) {
    int l = t.lesson_indexes[i];
    if (l < 0 || l >= kMaxLessons || !lesson_placed(l)) continue;
    int subject = g_eng_lessons[l].incompatible_subject;
    int c = g_eng_lessons[l].class_index;
    int d = g_eng_lessons[l].day;
    if (subject < 0 || !valid_class(c) || d >= kDays) continue;
    for (int h = 0; h < hours[d]; ++h) {
      int x = class_lesson_at(c, d, h);
      if (x < 0 || g_eng_lessons[x].subject != subject) continue;
      ++n;
      if (report) {
        append_text(report->text, sizeof report->text, "%s ", class_text(c));
        or_detail_add_listed(c);
      }
    }
  }
  return n;
}

// ---- 32: returns into a class --------------------------------------------------

int class_list_length(const EngineTeacher& t) {
  int limit = t.class_count < kWeekSlots ? t.class_count : kWeekSlots;
  int n = 0;
  while (n < limit && t.class_indexes[n] >= 0) ++n;
  return n;
}

// Returns of one class in the teacher's week: every run of the class after
// the first of its day is a return (weekly), every one after the second is
// also beyond the daily one.
struct ClassReturns {
  std::uint16_t class_index;
  std::int16_t weekly;
  std::int16_t beyond_daily;
};

// The hours where a run of one grid value starts: busy, and the first of
// its day or after an hour holding another value (or none). Eight slots are
// compared at a time with SSE2, as masks_from_grid does.
WeekMasks run_starts_from_grid(const std::uint16_t* grid) {
  WeekMasks w{};
#if defined(__SSE2__)
  std::uint64_t starts[2] = {0, 0};  // slots 0-63, 64-83
  const __m128i free_slot = _mm_set1_epi16(static_cast<short>(kFreeSlot));
  for (int s = 0; s < 80; s += 16) {
    __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(grid + s));
    __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(grid + s + 8));
    // Slot 0 has no previous slot: it is a day's first hour, settled below.
    __m128i before_low = s == 0 ? _mm_slli_si128(low, 2)
                                : _mm_loadu_si128(reinterpret_cast<const __m128i*>(grid + s - 1));
    __m128i before_high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(grid + s + 7));
    __m128i no_start_low = _mm_or_si128(_mm_cmpeq_epi16(low, free_slot), _mm_cmpeq_epi16(low, before_low));
    __m128i no_start_high = _mm_or_si128(_mm_cmpeq_epi16(high, free_slot), _mm_cmpeq_epi16(high, before_high));
    std::uint64_t bits =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(no_start_low, no_start_high))) ^ 0xFFFFu;
    starts[s >> 6] |= bits << (s & 63);
  }
  for (int s = 80; s < 84; ++s)
    if (grid[s] != kFreeSlot && grid[s] != grid[s - 1]) starts[1] |= std::uint64_t{1} << (s - 64);
  for (int d = 0; d < kDays; ++d) {
    int first = d * kHoursPerDay;
    std::uint64_t bits = first + kHoursPerDay <= 64 ? starts[0] >> first
                         : first >= 64             ? starts[1] >> (first - 64)
                                                   : (starts[0] >> first) | (starts[1] << (64 - first));
    w.day[d] = static_cast<DayMask>((bits & 0xFFEu) | (grid[first] != kFreeSlot ? 1u : 0u));
  }
#else
  for (int d = 0; d < kDays; ++d)
    for (int h = 0; h < kHoursPerDay; ++h) {
      std::uint16_t v = grid[d * kHoursPerDay + h];
      if (v != kFreeSlot && (h == 0 || v != grid[d * kHoursPerDay + h - 1])) w.day[d] |= static_cast<DayMask>(1u << h);
    }
#endif
  return w;
}

// The classes with returns in the teacher's week, from the hours where a
// run of a class starts (a day with at most one run has no return).
// Classes without a return are not listed, so a teacher who never returns
// into a class is done after the walk.
int week_returns(int teacher, const std::uint8_t* hours, ClassReturns* out) {
  const std::uint16_t* grid = g_eng_teachers[teacher].class_per_slot;
  const WeekMasks starts = run_starts_from_grid(grid);
  const int class_count = g_eng_school.class_count < kMaxClasses ? g_eng_school.class_count : kMaxClasses;
  int found = 0;
  for (int d = 0; d < rule_days(); ++d) {
    unsigned m = starts.day[d] & day_hours(hours[d]);
    if ((m & (m - 1)) == 0) continue;
    const std::uint16_t* row = grid + d * kHoursPerDay;
    std::uint16_t seen[kHoursPerDay];
    std::uint8_t runs[kHoursPerDay];
    int seen_count = 0;
    for (; m != 0; m &= m - 1) {
      std::uint16_t c = row[std::countr_zero(m)];
      if (c >= class_count) continue;
      int j = 0;
      while (j < seen_count && seen[j] != c) ++j;
      if (j == seen_count) {
        seen[seen_count] = c, runs[seen_count] = 1, ++seen_count;
        continue;
      }
      ++runs[j];
      int k = 0;
      while (k < found && out[k].class_index != c) ++k;
      if (k == found) out[found++] = ClassReturns{c, 0, 0};
      ++out[k].weekly;
      if (runs[j] > 2) ++out[k].beyond_daily;
    }
  }
  return found;
}

int class_returns(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  int classes = class_list_length(t);
  if (classes == 0) return 0;
  ClassReturns counted[kWeekSlots];
  int found = week_returns(teacher, rule_day_hours(true), counted);
  // Allowances only grow from 0 (one per exempted class), so a week without
  // returns charges nothing.
  if (found == 0) return 0;
  bool daily_rule = (t.type_flags & (kTeacherLaboratory | kTeacherConversation)) == 0;
  int n = 0;
  int last_step2 = -1, last_step3 = -1;
  for (int i = 0; i < classes; ++i) {
    int c = t.class_indexes[i];
    if (!valid_class(c) || g_eng_classes[c].room_type == 2) continue;
    int k = 0;
    while (k < found && counted[k].class_index != c) ++k;
    int weekly = k < found ? counted[k].weekly : 0;
    int excess = weekly - g_teacher_rule_params[teacher].allowed_returns[i];
    if (excess > 0) n += excess, last_step2 = c;
    if (daily_rule && k < found && counted[k].beyond_daily > 0) n += counted[k].beyond_daily, last_step3 = c;
    if (report && (last_step2 == c || last_step3 == c)) or_detail_add_listed(c);
  }
  if (report && n > 0) {
    if (last_step3 >= 0)
      std::snprintf(report->text, sizeof report->text, "%s", g_eng_classes[last_step3].code);
    else if (last_step2 >= 0)
      std::snprintf(report->text, sizeof report->text, "%s", class_text(last_step2));
  }
  return n;
}

// ---- 23: hours with one class per day ---------------------------------------------

int class_daily_maximum(int teacher, TeacherReport* report) {
  if (!g_school_rule_params.class_max_enabled[0] && !g_school_rule_params.class_max_enabled[1]) return 0;
  EngineTeacher& t = g_eng_teachers[teacher];
  const std::uint8_t* hours = rule_day_hours(true);
  int n = 0;
  int classes = class_list_length(t);
  for (int i = 0; i < classes; ++i) {
    int c = t.class_indexes[i];
    if (!valid_class(c)) continue;
    for (int d = 0; d < rule_days(); ++d) {
      int k = 0;
      for (int h = 0; h < hours[d]; ++h) {
        int s = d * kHoursPerDay + h;
        if (teacher_class_at(teacher, s) != c) continue;
        int l = teacher_lesson_at(teacher, s);
        int subject = l >= 0 ? g_eng_lessons[l].subject : -1;
        if (subject >= 0 && subject < kMaxSubjects && g_eng_subjects[subject].msomx != 0) continue;
        ++k;
      }
      int excess = k - t.per_class_daily[i];
      if (excess <= 0) continue;
      n += excess;
      if (report) {
        or_detail_add_listed(c);
        report->record(23, c, 0, class_text(c), excess);
        if (g_provisional_mode && g_eng_run.run_mode != kFeasibilityTestMode && teacher_reports_wanted())
          ++t.per_class_daily[i];
      }
    }
  }
  return n;
}

// ---- 37, 38, 39, 40: buildings --------------------------------------------------

int lesson_building(int l) { return l >= 0 ? g_eng_lessons[l].building : -1; }

// Teachers all of whose lessons (first or second teacher) stand in one
// building: no two lessons of their grids can lie in different buildings,
// so 37 and 38 cannot count for them. Buildings are set by the preparation
// of a run (a lesson still without one gets it after the stand-by set-up)
// and, while the building alignment is on, by every move; so each full
// check of 37 or 38 finds these teachers again, a lesson without a building
// keeps its teachers out, the checks use them only while the alignment is
// off, and a load leaves them unknown. The full checks themselves read
// every teacher.
bool g_one_building[kMaxTeachers];
bool g_one_building_known = false;

void find_one_building_teachers() {
  constexpr int kUnseen = -2;
  static int building_of[kMaxTeachers];
  for (int t = 0; t < kMaxTeachers; ++t) building_of[t] = kUnseen, g_one_building[t] = true;
  int lessons = g_eng_school.lesson_count < kMaxLessons ? g_eng_school.lesson_count : kMaxLessons;
  for (int l = 0; l < lessons; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    for (int t : {x.teacher, x.second_teacher}) {
      if (t < 0 || t >= kMaxTeachers) continue;
      if (x.building < 0)
        g_one_building[t] = false;
      else if (building_of[t] == kUnseen)
        building_of[t] = x.building;
      else if (building_of[t] != x.building)
        g_one_building[t] = false;
    }
  }
  g_one_building_known = true;
}

bool in_one_building(int teacher) {
  return g_one_building_known && (g_building_mode_flags & 3) == 0 && teacher >= 0 && teacher < kMaxTeachers &&
         g_one_building[teacher];
}

bool real_lesson(int teacher, int slot) {
  int c = teacher_class_at(teacher, slot);
  return c >= 0 && c < g_eng_school.class_count;
}

bool transfer_row_allows(int from, int to, int hour) {
  if (from < 0 || from >= kMaxBuildings) return false;
  const BuildingRuleParams& b = g_building_rule_params[from];
  int rows = b.row_count > kMaxTransferRows ? kMaxTransferRows : b.row_count;
  for (int k = 0; k < rows; ++k)
    if (b.rows[k].target == to && (b.rows[k].hour == hour || b.rows[k].hour > 12)) return true;
  return false;
}

int building_transfers(int teacher, TeacherReport* report) {
  int m = g_eng_teachers[teacher].nomotor;
  if (m == 2) m = 0;
  if (m == 3 || m == 5) return 0;
  const std::uint8_t* hours = rule_day_hours(false);
  WeekMasks w = teacher_week(teacher);
  int n = 0;
  for (int d = 0; d < rule_days(); ++d)
    // Only hours whose hour before is also taken can hold a transfer.
    for (unsigned pairs = w.day[d] & (w.day[d] << 1) & day_hours(hours[d]); pairs != 0; pairs &= pairs - 1) {
      int h = std::countr_zero(pairs);
      int s = d * kHoursPerDay + h;
      if (!real_lesson(teacher, s - 1) || !real_lesson(teacher, s)) continue;
      int b1 = lesson_building(teacher_lesson_at(teacher, s - 1));
      int b2 = lesson_building(teacher_lesson_at(teacher, s));
      if (b1 == b2) continue;
      bool counted;
      if (m == 0)
        counted = !transfer_row_allows(b1, b2, h - 1) &&
                  or_move_too_short(teacher_class_at(teacher, s - 1), teacher_class_at(teacher, s), d, h);
      else if (m < 11)
        counted = true;
      else
        counted = h != m - 12;
      if (counted) ++n;
    }
  n = subtract_allowance(n, g_teacher_rule_params[teacher].allowance_37);
  if (report && n > 0) std::snprintf(report->text, sizeof report->text, "%s", g_eng_teachers[teacher].name);
  return n;
}

bool counts_transfers(int b) { return b >= 0 && b < kMaxBuildings && g_building_rule_params[b].counts_transfers != 0; }

bool all_free(const WeekMasks& w, int d, int lo, int hi) {
  return lo > hi || (w.day[d] & hour_range(lo, hi)) == 0;
}

int day_transfers_by_rotation(int teacher, TeacherReport* report) {
  const std::uint8_t* hours = rule_day_hours(false);
  int n = 0;
  for (int d = 0; d < rule_days(); ++d) {
    int changes = 0, previous = -1;
    for (int h = 0; h < hours[d]; ++h) {
      int c = teacher_class_at(teacher, d * kHoursPerDay + h);
      if (c < 0) continue;
      if (previous >= 0 && g_eng_classes[previous].rotazix != g_eng_classes[c].rotazix) ++changes;
      previous = c;
    }
    if (changes > 1) {
      ++n;
      if (report) append_text(report->text, sizeof report->text, "%.3s ", g_eng_school.day_abbrevs[d]);
    }
  }
  return n;
}

int day_transfers(int teacher, TeacherReport* report) {
  int m = g_eng_teachers[teacher].nomotor;
  if (m == 5) return 0;
  if (g_school_rule_params.per_class_transfers) return day_transfers_by_rotation(teacher, report);
  if (g_eng_school.building_count <= 0) return 0;
  const std::uint8_t* hours = rule_day_hours(false);
  WeekMasks w = teacher_week(teacher);
  int pause = g_eng_school.pausamensa[0];
  bool lunch_rule = g_eng_school.tocomi_second != 0 && pause >= 1;
  // The lesson grid's own busy hours: a lesson without a class leaves the
  // class grid free.
  WeekMasks taken = masks_from_grid(g_eng_teachers[teacher].lesson_per_slot);
  int n = 0;
  for (int d = 0; d < rule_days(); ++d) {
    int transfers = 0, previous = -1;
    for (unsigned busy = taken.day[d] & day_hours(hours[d]); busy != 0; busy &= busy - 1) {
      int h = std::countr_zero(busy);
      int l = teacher_lesson_at(teacher, d * kHoursPerDay + h);
      if (l < 0) continue;
      if (previous >= 0) {
        int b1 = lesson_building(previous), b2 = lesson_building(l);
        if (b1 != b2) {
          bool after_lunch = lunch_rule && h - 1 >= pause && all_free(w, d, pause, h - 1);
          if (!after_lunch) ++transfers;
          if (counts_transfers(b1) || counts_transfers(b2)) {
            bool excused = (m == 4 && h >= 3 && all_free(w, d, h - 2, h - 1)) ||
                           (m == 6 && h >= 2 && all_free(w, d, h - 1, h - 1));
            if (!excused) ++n;
          }
        }
      }
      previous = l;
    }
    if (transfers > 1) n += transfers - 1;
  }
  n = subtract_allowance(n, g_teacher_rule_params[teacher].allowance_38);
  if (report && n > 0) std::snprintf(report->text, sizeof report->text, "%s", g_eng_teachers[teacher].name);
  return n;
}

const char* const kInsteadOf[3] = {"%d invece di %d", "%d statt %d", "%d instead of %d"};

int week_transfers(int teacher, TeacherReport* report) {
  int limit = g_eng_teachers[teacher].nomweek;
  if (limit >= g_teacher_rule_params[teacher].service_days) return 0;
  const std::uint8_t* hours = rule_day_hours(false);
  int transfers = 0;
  for (int d = 0; d < rule_days(); ++d) {
    int previous = -1;
    for (int h = 0; h < hours[d]; ++h) {
      int l = teacher_lesson_at(teacher, d * kHoursPerDay + h);
      if (l < 0) continue;
      if (previous >= 0 && lesson_building(previous) != lesson_building(l)) ++transfers;
      previous = l;
    }
  }
  int n = transfers - limit;
  if (n <= 0) return 0;
  if (report) {
    int language = g_status.language.load();
    if (language < 0 || language > 2) language = 0;
    std::snprintf(report->text, sizeof report->text, kInsteadOf[language], transfers, limit);
  }
  return n;
}

bool rotation_pause_at(int index) {
  for (int k = 0; k < 4; ++k)
    if (g_eng_school.rotation_pause[k] == index) return true;
  return false;
}

int building_rotation(int teacher, TeacherReport* report) {
  int m = g_eng_teachers[teacher].nomotor;
  if (m == 2) m = 0;
  if (m == 3 || m == 5 || (m != 0 && m < 11)) return 0;
  const std::uint8_t* hours = rule_day_hours(false);
  int n = 0, last_early = -1, last_late = -1;
  for (int d = 0; d < rule_days(); ++d)
    for (int h = 1; h < hours[d]; ++h) {
      int s = d * kHoursPerDay + h;
      if (!real_lesson(teacher, s - 1) || !real_lesson(teacher, s)) continue;
      int a = teacher_class_at(teacher, s - 1), b = teacher_class_at(teacher, s);
      if (g_eng_classes[a].rotazix == g_eng_classes[b].rotazix) continue;
      bool counted = m == 0 ? !rotation_pause_at(h - 1) : h != m - 10;
      if (!counted) continue;
      ++n;
      last_early = a, last_late = b;
    }
  if (report && n > 0)
    std::snprintf(report->text, sizeof report->text, "%s %s", class_text(last_late), g_eng_classes[last_early].code);
  return n;
}

// ---- 68: dynamic building management ---------------------------------------------

constexpr int kDayMinimum[kDays] = {4, 4, 4, 4, 4, 6, 0};
constexpr int kDayMaximum[kDays] = {6, 6, 6, 6, 6, 6, 0};

int dynamic_buildings(int teacher, TeacherReport* report) {
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (g_provisional_mode || !g_eng_school.uses_tekgrado || t.tekgrado[1] == 0 || t.lesson_count <= 0) return 0;
  int per_round = 0;
  for (int d = 0; d < rule_days(); ++d) {
    int k = 0;
    for_each_slot_lesson(d * kHoursPerDay, [&](int x) {
      if (g_lesson_rule_params[x].selection != 0 && g_eng_lessons[x].building == 0) ++k;
    });
    int off = k < kDayMinimum[d] ? kDayMinimum[d] - k : (k > kDayMaximum[d] ? k - kDayMaximum[d] : 0);
    per_round += off;
    if (report && off > 0) append_text(report->text, sizeof report->text, "%s %d ", day_short_name(d), per_round);
  }
  return per_round * t.lesson_count;
}

}  // namespace

std::int64_t or_check_no_overlap() { return full_teacher_rule(29, no_overlap); }
std::int64_t or_delta_no_overlap(int t) { return delta_teacher_rule(29, no_overlap, t); }
std::int64_t or_check_car_share() { return full_teacher_rule(30, car_share); }
std::int64_t or_delta_car_share(int t) { return delta_teacher_rule(30, car_share, t); }
std::int64_t or_check_incompatible_subjects() { return full_teacher_rule(31, incompatible_subjects); }
std::int64_t or_delta_incompatible_subjects(int t) { return delta_teacher_rule(31, incompatible_subjects, t); }
std::int64_t or_check_class_returns() { return full_teacher_rule(32, class_returns); }
std::int64_t or_delta_class_returns(int t) { return delta_teacher_rule(32, class_returns, t); }
std::int64_t or_check_class_daily_maximum() { return full_teacher_rule(23, class_daily_maximum); }
std::int64_t or_delta_class_daily_maximum(int t) { return delta_teacher_rule(23, class_daily_maximum, t); }
void or_open_building_rule_gates() { g_one_building_known = false; }
std::int64_t or_check_building_transfers() {
  find_one_building_teachers();
  return full_teacher_rule(37, building_transfers);
}
std::int64_t or_delta_building_transfers(int t) {
  return in_one_building(t) ? 0 : delta_teacher_rule(37, building_transfers, t);
}
std::int64_t or_check_day_transfers() {
  find_one_building_teachers();
  return full_teacher_rule(38, day_transfers);
}
std::int64_t or_delta_day_transfers(int t) {
  // Transfers counted by class rotation do not read the buildings.
  if (!g_school_rule_params.per_class_transfers && in_one_building(t)) return 0;
  return delta_teacher_rule(38, day_transfers, t);
}
std::int64_t or_check_week_transfers() { return full_teacher_rule(39, week_transfers); }
std::int64_t or_delta_week_transfers(int t) { return delta_teacher_rule(39, week_transfers, t); }
std::int64_t or_check_building_rotation() { return full_teacher_rule(40, building_rotation); }
std::int64_t or_delta_building_rotation(int t) { return delta_teacher_rule(40, building_rotation, t); }
std::int64_t or_check_dynamic_buildings() { return full_teacher_rule(68, dynamic_buildings); }
std::int64_t or_delta_dynamic_buildings(int t) { return delta_teacher_rule(68, dynamic_buildings, t); }
