// The frame shared by the teacher evaluators of the gap, presence, hour and
// day families: the teacher gate, the teacher's week masks, the day lengths
// in force, and the two runners that turn one counting rule into the full
// check (every teacher, counted, priced and reported through the catalogue)
// and the delta check (one teacher, priced, nothing written).
//
// A rule is one function: it counts for a teacher and, when handed a report,
// fills the report text or makes its own records (rules that report per
// class, per day or per gap). Both checks call the same rule, so a delta
// check always equals its teacher's share of the full check.
//
// Workload: the delta runner is on the move path; it reads only the
// teacher's record and its 84-slot grids.
#pragma once

#include <cstdint>

#include "engine/status_block.h"
#include "solver/constraint_catalogue.h"
#include "solver/week_masks.h"

inline constexpr int kReportTextSize = 64;

// What a full check hands to a rule. A rule that reports per item calls
// record() (counted and reported) or note() (reported only, the rule's
// total is counted once by the runner); else it writes text and the runner
// records its total once.
struct TeacherReport {
  int id;
  int teacher;
  char text[kReportTextSize] = {};
  bool self_recorded = false;
  std::int64_t penalty = 0;
  // The amount for the points counter when the rule has its own (the points
  // x n of the catalogue otherwise); may be negative.
  bool has_secondary = false;
  std::int64_t secondary = 0;
  void set_secondary(std::int64_t amount) {
    has_secondary = true;
    secondary = amount;
  }

  // Counts n violations of id (may differ from the runner's id, for the
  // pair of 8 that also counts 9 and 10) and reports them with class and text.
  void record(int count_id, int class_index, std::uint32_t detail, const char* item_text, int n);
  // Reports without counting, for rules whose records carry running amounts.
  void note(int class_index, const char* item_text, int amount) const;
  // Counts n violations of the runner's id without a report of their own
  // (the rule reported them item by item through note()).
  void count_only(int n);
};

// Counts for teacher t; report is null in a delta check.
using TeacherRule = int (*)(int teacher, TeacherReport* report);

// The gate of every teacher evaluator: held out and waiting, switched off
// for this teacher, excluded by the evaluation mode and its grading byte, or
// not an ordinary teacher (calendar link, type flags 4, 8, 64 unless
// type_flags is false).
bool teacher_rule_gate_outside_sum(int teacher, int id, bool test_type_flags);
// The teacher whose sum runs (-1 none) and the teacher-wide part of the gate
// for that teacher, without and with the type flags tested: kept by
// TeacherWeekScope, so inside a sum only the id's own part is read.
extern int g_week_teacher;
extern bool g_week_open[2];
inline bool teacher_rule_gate(int teacher, int id, bool test_type_flags = true) {
  if (teacher == g_week_teacher && teacher < g_eng_school.teacher_count) {
    if (!g_week_open[test_type_flags ? 1 : 0]) return false;
    const EngineTeacher& t = g_eng_teachers[teacher];
    if (t.constraint_switch[id] == 1) return false;
    return !(g_eval_mode == 2 && t.tekgrado[0] == 0 && ConstraintSwitchTable[id].off != 0);
  }
  return teacher_rule_gate_outside_sum(teacher, id, test_type_flags);
}

// Full and delta check of one rule under the gate. The delta check is
// inline: each evaluator calls it with its own rule, which the compiler can
// then call directly (the moves run it about 60 times per teacher sum).
std::int64_t full_teacher_rule(int id, TeacherRule rule);
inline std::int64_t delta_teacher_rule(int id, TeacherRule rule, int teacher) {
  if (!teacher_rule_gate(teacher, id)) return 0;
  int n = rule(teacher, nullptr);
  return n > 0 ? or_teacher_weighted(id, teacher, static_cast<std::uint32_t>(n)) : 0;
}

// Reports are wanted during a reporting full evaluation.
bool teacher_reports_wanted();

// The teacher's week from its class-per-slot grid; inside that teacher's sum
// the masks built once for it.
extern WeekMasks g_week_masks;
inline WeekMasks teacher_week(int teacher) {
  if (teacher == g_week_teacher) return g_week_masks;
  return masks_from_grid(g_eng_teachers[teacher].class_per_slot);
}

// While one teacher's sum runs the grid stays as it is, so the rules of the
// sum share one build of that teacher's week masks.
class TeacherWeekScope {
 public:
  explicit TeacherWeekScope(int teacher);
  ~TeacherWeekScope();
  TeacherWeekScope(const TeacherWeekScope&) = delete;
  TeacherWeekScope& operator=(const TeacherWeekScope&) = delete;

 private:
  int previous_;
  bool previous_open_[2];
};
// Hours of each day: the provisional calendar when asked and the run is
// provisional, else the normal one (every value at most 12). Nothing changes
// the calendars or the run's mode while a teacher's sum runs, so inside one
// the two lists made when it opened are handed out.
const std::uint8_t* rule_day_hours_made(bool provisional);
extern std::uint8_t g_sum_rule_hours[2][kDays];
inline const std::uint8_t* rule_day_hours(bool provisional_calendar) {
  bool provisional = provisional_calendar && g_provisional_mode != 0;
  return g_week_teacher >= 0 ? g_sum_rule_hours[provisional ? 1 : 0] : rule_day_hours_made(provisional);
}
inline int rule_days() { return days_per_week(); }

// Day names for report texts: short (two letters), full.
const char* day_short_name(int d);
const char* day_full_name(int d);
// "LUNEDI'" for one flagged day; "Lu MA ME" (first day's name cut to two
// letters, then the short names) for several.
void flagged_days_text(unsigned flagged, char* out, int size);
