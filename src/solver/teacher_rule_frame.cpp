// The teacher evaluators' frame (see the header): gate, week masks, day
// lengths, texts, and the full and delta runners over one counting rule.
//
// Invariant: the full runner walks the teachers in index order (the order
// of the violation records) and a delta check writes nothing at all.
#include "solver/teacher_rule_frame.h"

#include <cstdio>
#include <cstring>

#include "engine/status_block.h"
#include "platform/cp1252.h"
#include "solver/violation_reporter.h"

void TeacherReport::record(int count_id, int class_index, std::uint32_t detail, const char* item_text,
                           int n) {
  self_recorded = true;
  if (n <= 0) return;
  penalty += or_count_teacher_violation(count_id, teacher, static_cast<std::uint32_t>(n),
                                        static_cast<std::uint32_t>(class_index < 0 ? 0 : class_index),
                                        detail, item_text);
}

void TeacherReport::note(int class_index, const char* item_text, int amount) const {
  if (amount <= 0 || !teacher_reports_wanted()) return;
  or_report_violation(static_cast<std::uint32_t>(teacher),
                      static_cast<std::uint32_t>(class_index < 0 ? 0 : class_index), 0, item_text,
                      static_cast<std::uint32_t>(amount), static_cast<std::uint32_t>(id));
}

void TeacherReport::count_only(int n) {
  self_recorded = true;
  if (n <= 0) return;
  std::int64_t weighted = or_teacher_weighted(id, teacher, static_cast<std::uint32_t>(n));
  ConstraintStats[id].count += static_cast<std::uint32_t>(n);
  g_teacher_violations[teacher] += static_cast<std::uint32_t>(n);
  g_teacher_full_penalty[teacher] += weighted;
  or_counter_add(&g_secondary_score, g_eng_teachers[teacher].points * static_cast<std::uint32_t>(n));
  penalty += weighted;
}

bool teacher_reports_wanted() { return g_eng_run.report_flag != 0 || g_eng_run.report_mode != 0; }

int g_week_teacher = -1;
bool g_week_open[2];

WeekMasks g_week_masks;
std::uint8_t g_sum_rule_hours[2][kDays];

// The hours of each day of one calendar, each at most 12.
static void clamped_day_hours(bool provisional, std::uint8_t* out);

namespace {

bool teacher_open(const EngineTeacher& t, bool test_type_flags) {
  if (t.held_out == 1 && t.second_test == 0) return false;
  if (g_eval_mode == 1 && t.tekgrado[0] == 0) return false;
  if (t.calendar_class != -1) return false;
  if (test_type_flags && (t.type_flags & (kTeacherLabPseudo | kTeacherFca | kTeacherNoLessons)) != 0)
    return false;
  return true;
}
}  // namespace

namespace {
// The gate outside a teacher's sum, inline for the full runner's walk.
inline bool gate_outside_sum(int teacher, int id, bool test_type_flags) {
  if (teacher < 0 || teacher >= kMaxTeachers || teacher >= g_eng_school.teacher_count) return false;
  const EngineTeacher& t = g_eng_teachers[teacher];
  if (t.held_out == 1 && t.second_test == 0) return false;
  if (t.constraint_switch[id] == 1) return false;
  bool graded = t.tekgrado[0] != 0;
  if (g_eval_mode == 1 && !graded) return false;
  if (g_eval_mode == 2 && !graded && ConstraintSwitchTable[id].off != 0) return false;
  if (t.calendar_class != -1) return false;
  if (test_type_flags && (t.type_flags & (kTeacherLabPseudo | kTeacherFca | kTeacherNoLessons)) != 0)
    return false;
  return true;
}
}  // namespace

bool teacher_rule_gate_outside_sum(int teacher, int id, bool test_type_flags) {
  return gate_outside_sum(teacher, id, test_type_flags);
}

namespace {

// The catalogue's bookkeeping of one teacher's violations with the rule's
// own amount for the points counter, added as an unsigned 32-bit value.
std::int64_t count_with_secondary(TeacherReport& r, int n) {
  std::int64_t weighted = or_teacher_weighted(r.id, r.teacher, static_cast<std::uint32_t>(n));
  ConstraintStats[r.id].count += static_cast<std::uint32_t>(n);
  g_teacher_violations[r.teacher] += static_cast<std::uint32_t>(n);
  g_teacher_full_penalty[r.teacher] += weighted;
  or_counter_add(&g_secondary_score, static_cast<std::uint32_t>(r.secondary));
  if (teacher_reports_wanted())
    or_report_violation(static_cast<std::uint32_t>(r.teacher), 0, 0, r.text, static_cast<std::uint32_t>(n),
                        static_cast<std::uint32_t>(r.id));
  return weighted;
}

}  // namespace

std::int64_t full_teacher_rule(int id, TeacherRule rule) {
  std::int64_t total = 0;
  // Each teacher's report starts as a copy of this one: a copy is a few
  // vector moves, a fresh aggregate a string store the processor starts slowly.
  const TeacherReport blank{id, 0};
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t) {
    bool open = t == g_week_teacher ? teacher_rule_gate(t, id) : gate_outside_sum(t, id, true);
    if (!open) continue;
    TeacherReport report = blank;
    report.teacher = t;
    // The clearing does nothing while no records are kept.
    if (g_status.reporting.load() != 0) or_clear_violation_detail();
    int n = rule(t, &report);
    if (!report.self_recorded && n > 0) {
      if (report.has_secondary)
        report.penalty += count_with_secondary(report, n);
      else
        report.penalty += or_count_teacher_violation(id, t, static_cast<std::uint32_t>(n), 0, 0, report.text);
    }
    total += report.penalty;
  }
  return total;
}

TeacherWeekScope::TeacherWeekScope(int teacher)
    : previous_(g_week_teacher), previous_open_{g_week_open[0], g_week_open[1]} {
  g_week_teacher = -1;
  if (teacher < 0 || teacher >= kMaxTeachers) return;
  const EngineTeacher& t = g_eng_teachers[teacher];
  g_week_masks = masks_from_grid(t.class_per_slot);
  g_week_open[0] = teacher_open(t, false);
  g_week_open[1] = teacher_open(t, true);
  if (previous_ < 0) {
    // The outermost sum makes the lists; a nested one finds them made.
    clamped_day_hours(false, g_sum_rule_hours[0]);
    clamped_day_hours(true, g_sum_rule_hours[1]);
  }
  g_week_teacher = teacher;
}

TeacherWeekScope::~TeacherWeekScope() {
  // A nested sum of another teacher leaves the masks of the outer one stale.
  g_week_teacher = -1;
  if (previous_ >= 0) {
    g_week_masks = masks_from_grid(g_eng_teachers[previous_].class_per_slot);
    g_week_open[0] = previous_open_[0];
    g_week_open[1] = previous_open_[1];
    g_week_teacher = previous_;
  }
}

namespace {
std::uint8_t g_rule_hours[2][kDays];
}

static void clamped_day_hours(bool provisional, std::uint8_t* out) {
  const std::uint8_t* source =
      provisional ? g_eng_school.provisional_hours_per_day : g_eng_school.hours_per_day;
#if defined(__SSE2__)
  // All seven days at once: a teacher's sum makes both lists.
  std::uint64_t days = 0;
  std::memcpy(&days, source, kDays);
  __m128i clamped = _mm_min_epu8(_mm_cvtsi64_si128(static_cast<long long>(days)),
                                 _mm_set1_epi8(static_cast<char>(kHoursPerDay)));
  days = static_cast<std::uint64_t>(_mm_cvtsi128_si64(clamped));
  std::memcpy(out, &days, kDays);
#else
  for (int d = 0; d < kDays; ++d) out[d] = source[d] > kHoursPerDay ? kHoursPerDay : source[d];
#endif
}

const std::uint8_t* rule_day_hours_made(bool provisional) {
  std::uint8_t* out = g_rule_hours[provisional ? 1 : 0];
  clamped_day_hours(provisional, out);
  return out;
}


const char* day_short_name(int d) { return g_eng_school.day_codes[d]; }
const char* day_full_name(int d) { return g_eng_school.day_names[d]; }

void flagged_days_text(unsigned flagged, char* out, int size) {
  if (size <= 0) return;
  out[0] = '\0';
  int first = -1, flagged_count = 0;
  for (int d = 0; d < kDays; ++d)
    if (flagged & (1u << d)) {
      if (first < 0) first = d;
      ++flagged_count;
    }
  if (first < 0) return;
  if (flagged_count == 1) {
    std::snprintf(out, static_cast<std::size_t>(size), "%s", day_full_name(first));
    kt::cp1252_make_upper(out);
    return;
  }
  int used = std::snprintf(out, static_cast<std::size_t>(size), "%.2s", day_full_name(first));
  for (int d = first + 1; d < kDays && used < size; ++d)
    if (flagged & (1u << d))
      used += std::snprintf(out + used, static_cast<std::size_t>(size - used), " %s", day_short_name(d));
}
