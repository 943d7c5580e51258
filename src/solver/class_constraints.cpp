// The class constraints of the day-by-day kind, wired to the model. A class
// is walked through its grid of lessons per slot; stand-by pseudo-classes
// (at or beyond the real classes) count nothing. Reports of 82, 87 and 88
// carry the weighted penalty as their amount; the others carry the count.
//
// Workload: the class delta checks run for the classes of every priced move.
#include "solver/class_constraints.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/status_block.h"
#include "solver/class_counts.h"
#include "solver/constraint_catalogue.h"
#include "solver/placement_state.h"
#include "solver/violation_reporter.h"

std::uint8_t g_hourly_unit_flags[kHoursPerDay];

namespace {

struct ClassReport {
  int id;
  int class_index;
  std::int64_t penalty = 0;

  // Counts n and reports them; amount_is_penalty reports the weighted value.
  void record(int n, std::uint32_t teacher, std::uint32_t detail, const char* text, bool amount_is_penalty) {
    if (n <= 0) return;
    if (!amount_is_penalty) {
      penalty += or_count_class_violation(id, class_index, static_cast<std::uint32_t>(n), teacher, detail, text);
      return;
    }
    std::int64_t weighted = or_class_weighted(id, class_index, static_cast<std::uint32_t>(n));
    ConstraintStats[id].count += static_cast<std::uint32_t>(n);
    g_class_accumulated_penalty[class_index] += weighted;
    penalty += weighted;
    if (g_eng_run.report_flag != 0 || g_eng_run.report_mode != 0)
      or_report_violation(teacher, static_cast<std::uint32_t>(class_index), detail, text,
                          static_cast<std::uint32_t>(std::min<std::int64_t>(weighted, 0xFFFFFFFF)),
                          static_cast<std::uint32_t>(id));
  }
};

using ClassRule = int (*)(int class_index, ClassReport* report);

bool class_counts(int c) { return c >= 0 && c < kMaxClasses && c < g_eng_school.real_class_count; }

std::int64_t full_class_rule(int id, ClassRule rule) {
  std::int64_t total = 0;
  for (int c = 0; c < g_eng_school.class_count && c < kMaxClasses; ++c) {
    if (!class_counts(c)) continue;
    ClassReport report{id, c};
    or_clear_violation_detail();
    rule(c, &report);
    total += report.penalty;
  }
  return total;
}

std::int64_t delta_class_rule(int id, ClassRule rule, int c) {
  if (!class_counts(c)) return 0;
  int n = rule(c, nullptr);
  return n > 0 ? or_class_weighted(id, c, static_cast<std::uint32_t>(n)) : 0;
}

int lesson_in(int c, int d, int h) {
  std::uint16_t l = g_eng_classes[c].week_grid[d][h];
  return (l == kGridFree || l >= kMaxLessons) ? -1 : l;
}

bool ordinary_teacher(int t) { return t >= 0 && t < kMaxTeachers && g_eng_teachers[t].calendar_class == -1; }

bool teacher_waiting(int t) {
  return t >= 0 && t < kMaxTeachers && g_eng_teachers[t].held_out == 1 && g_eng_teachers[t].second_test == 0;
}

void clear_detail(std::uint8_t form) {
  std::memset(g_violation_detail, 0, kDetailMapSize);
  g_violation_detail[124] = form;
}

// ---- 75: hours of a subject per day -----------------------------------------

int subjects_per_day(int c, ClassReport* report) {
  if (g_eng_school.materiehsg.count == 0) return 0;
  const EngineClass& k = g_eng_classes[c];
  int subjects = std::min<int>(k.tally_count, kWeekSlots);
  if (subjects <= 0) return 0;
  int week_excess[kWeekSlots] = {};
  int n = 0;
  for (int d = 0; d < days_per_week(); ++d) {
    int per_subject[kWeekSlots] = {};
    for (int h = 0; h < hours_of_day(d); ++h) {
      int l = lesson_in(c, d, h);
      if (l < 0) continue;
      int i = 0;
      while (i < subjects && k.tally_subjects[i] != g_eng_lessons[l].subject) ++i;
      if (i == subjects) or_raise_critical_error("SW", -1, "..\\Orario\\OR_VINC", 75);
      ++per_subject[i];
    }
    for (int i = 0; i < subjects; ++i) {
      int e = subject_day_excess(&per_subject[i], &k.materiehsg[i], 1);
      week_excess[i] += e;
      n += e;
    }
  }
  if (report)
    for (int i = 0; i < subjects; ++i) {
      int s = k.tally_subjects[i];
      const char* name = (s >= 0 && s < kMaxSubjects) ? g_eng_subjects[s].specific_name : "";
      report->record(week_excess[i], 0, static_cast<std::uint32_t>(s), name, false);
    }
  return n;
}

// ---- 76: joint lessons --------------------------------------------------------

bool by_class_mode() { return (g_eng_school.option_flags & 2) != 0; }

// A lesson other than `self` in the slot with the class and subject of
// `partner`, in the building of `self` when the building mode asks.
bool building_keeps_apart(int self, int other) {
  return (g_building_mode_flags & 3) != 0 && (g_lesson_buildings[self].anchor || g_lesson_buildings[other].anchor) &&
         g_eng_lessons[other].building != g_eng_lessons[self].building;
}

bool slot_walk_holds_match(int self, int partner, int slot) {
  const EngineLesson& want = g_eng_lessons[partner];
  const SlotLessonList& list = g_slot_lessons[slot];
  for (std::uint32_t i = 0; i < list.count && i < static_cast<std::uint32_t>(kSlotListCapacity); ++i) {
    int other = list.lesson[i];
    if (other < 0 || other == self || other >= kMaxLessons) continue;
    const EngineLesson& o = g_eng_lessons[other];
    if (o.class_index != want.class_index || o.subject != want.subject) continue;
    if (building_keeps_apart(self, other)) continue;
    return true;
  }
  return false;
}

// Whether lesson y is a match the walk would find: listed in the slot, of
// the partner's class and subject, and not kept apart from `self`.
bool listed_match(int self, const EngineLesson& want, int y, int slot) {
  if (y == self || !or_slot_lists(slot, y)) return false;
  const EngineLesson& o = g_eng_lessons[y];
  return o.class_index == want.class_index && o.subject == want.subject && !building_keeps_apart(self, y);
}

// A partner away from the slot is most often matched by another lesson of
// its class and subject there (the subject's other group, or its other
// partner), and that is the lesson the partner's class grid holds in the
// slot or one sharing that cell with it. Each is taken only when the slot's
// list names it, so a grid not in step with the placement costs no more
// than the walk that follows a miss. Of two lessons of one class sharing a
// slot one is in the other's joint list (the grid rebuild refuses any other
// pair), so the cell's joint list names most of the others.
bool grid_holds_match(int self, const EngineLesson& want, int slot) {
  int c = want.class_index;
  if (c < 0 || c >= kMaxClasses) return false;
  int held = lesson_in(c, slot / kHoursPerDay, slot % kHoursPerDay);
  if (held < 0) return false;
  if (listed_match(self, want, held, slot)) return true;
  const EngineLesson& h = g_eng_lessons[held];
  int n = std::clamp(h.joint_count, 0, kMaxJointLessons);
  for (int k = 0; k < n; ++k) {
    int y = h.joint_lessons[k];
    if (y >= 0 && y < kMaxLessons && g_eng_lessons[y].class_index == c && listed_match(self, want, y, slot))
      return true;
  }
  return false;
}

// Whether the slot's list holds a match for the partner: most pairs stand
// together, and then the partner itself is the match, the lesson its class
// grid holds in the slot; for most pairs apart the grid's lesson or one
// sharing its cell is. Either way the slot's list of lesson numbers answers
// without the walk over the other lessons' records. When the grid names no
// match the walk decides: a partner listed in the slot is a lesson of its
// own class and subject, which the walk finds as well, so the list is not
// searched for it first.
bool slot_lists_match(int self, int partner, int slot) {
  if (grid_holds_match(self, g_eng_lessons[partner], slot)) {
    if (or_clash_cross_check_on()) [[unlikely]]
      or_count_clash_cross_check(slot_walk_holds_match(self, partner, slot));
    return true;
  }
  return slot_walk_holds_match(self, partner, slot);
}

// A partner whose teacher is waiting counts as matched wherever it is.
bool slot_holds_match(int self, int partner, int slot) {
  return teacher_waiting(g_eng_lessons[partner].teacher) || slot_lists_match(self, partner, slot);
}

int joint_partners(int l) { return std::clamp(g_eng_lessons[l].joint_count, 0, kMaxJointLessons); }

// The classes with a lesson that has joint partners, and those lessons: the
// others count nothing under 76. Partners are the load's and no move changes
// them, so each full check finds these again and the delta checks until the
// next one pass over the other classes at once, and look only at each
// class's own lessons with partners; after a load every class and lesson may
// count until a full check.
bool g_joint_classes_known = false;
std::uint8_t g_lesson_has_partners[kMaxLessons];
std::vector<std::uint16_t> g_class_joint_lessons[kMaxClasses];  // in lesson order
std::uint64_t g_joint_full_checks = 0;  // how often they were found

void find_joint_classes() {
  std::fill(g_lesson_has_partners, g_lesson_has_partners + kMaxLessons, std::uint8_t{0});
  for (auto& lessons : g_class_joint_lessons) lessons.clear();
  for (int l = 0; l < g_eng_school.lesson_count && l < kMaxLessons; ++l) {
    int c = g_eng_lessons[l].class_index;
    if (joint_partners(l) == 0) continue;
    g_lesson_has_partners[l] = 1;
    if (c < 0 || c >= kMaxClasses) continue;
    g_class_joint_lessons[c].push_back(static_cast<std::uint16_t>(l));
  }
  g_joint_classes_known = true;
  ++g_joint_full_checks;
}

bool has_partners(int l) { return g_joint_classes_known ? g_lesson_has_partners[l] != 0 : joint_partners(l) > 0; }

// Per lesson with partners, which of its partners had a match in the list
// of its slot when last asked (bit k for partner k), with what that answer
// read: the list (its stamp), the lessons' watched fields and the partners
// found by the last full check. A move writes the lists of two slots, so
// the delta checks of a class find most of its lessons with partners in
// slots whose lists are as they were, and read the answer instead of the
// partners' matches. Whether a partner's teacher is waiting is asked each
// time. Lessons kept apart by their buildings depend on more than the list,
// and are never kept.
struct PartnerMatches {
  std::uint64_t list_stamp;
  std::uint64_t fields_at;
  std::uint64_t full_check;
  int slot = -1;
  std::uint16_t matched;
};
PartnerMatches g_partner_matches[kMaxLessons];

bool partner_matches_kept() { return (g_building_mode_flags & 3) == 0; }

std::uint16_t matched_partners(int l, int slot) {
  PartnerMatches& kept = g_partner_matches[l];
  bool current = kept.slot == slot && kept.list_stamp == g_slot_list_stamp[slot] &&
                 kept.fields_at == g_lesson_field_writes && kept.full_check == g_joint_full_checks;
  if (current && !or_clash_cross_check_on()) [[likely]]
    return kept.matched;
  const EngineLesson& x = g_eng_lessons[l];
  std::uint16_t matched = 0;
  for (int k = 0; k < joint_partners(l); ++k) {
    int partner = x.joint_lessons[k];
    if (partner >= 0 && partner < kMaxLessons && slot_lists_match(l, partner, slot))
      matched = static_cast<std::uint16_t>(matched | 1u << k);
  }
  if (current) or_count_clash_cross_check(matched == kept.matched);
  kept = {g_slot_list_stamp[slot], g_lesson_field_writes, g_joint_full_checks, slot, matched};
  return matched;
}

// The partners of lesson l, held by its class grid in slot, that have no
// match there.
int partners_apart(int l, int slot, ClassReport* report) {
  const EngineLesson& x = g_eng_lessons[l];
  if (teacher_waiting(x.teacher)) return 0;
  if (g_eval_mode == 1 && x.teacher >= 0 && x.teacher < kMaxTeachers && g_eng_teachers[x.teacher].tekgrado[0] == 0)
    return 0;
  int n = 0;
  int partners = joint_partners(l);
  if (report == nullptr && by_class_mode() && partner_matches_kept()) {
    std::uint16_t matched = matched_partners(l, slot);
    for (int k = 0; k < partners; ++k) {
      int partner = x.joint_lessons[k];
      if (partner < 0 || partner >= kMaxLessons || (matched >> k & 1) != 0) continue;
      if (!teacher_waiting(g_eng_lessons[partner].teacher)) ++n;
    }
    return n;
  }
  for (int k = 0; k < partners; ++k) {
    int partner = x.joint_lessons[k];
    if (partner < 0 || partner >= kMaxLessons) continue;
    bool together = by_class_mode() ? slot_holds_match(l, partner, slot)
                                    : (lesson_placed(partner) && lesson_slot(partner) == slot);
    if (together) continue;
    ++n;
    // The exemption unlinks the partner of this line.
    if (report) or_detail_set_word(12, g_eng_lessons[partner].line_number);
  }
  return n;
}

// The class grid's walk: the full check's, whose report names the partners
// apart in week order.
int joint_lessons_in_grid(int c, ClassReport* report) {
  int n = 0;
  for (int d = 0; d < days_per_week(); ++d)
    for (int h = 0; h < hours_of_day(d); ++h) {
      int l = lesson_in(c, d, h);
      // Only lessons with partners can count: their records alone are read.
      if (l < 0 || !has_partners(l)) continue;
      n += partners_apart(l, d * kHoursPerDay + h, report);
    }
  return n;
}

// Most cells of a class hold no lesson with partners, and the grid holds a
// lesson only in the cell of its own slot: the delta check looks up the
// class's few lessons with partners in their cells instead of walking the
// week. A lesson that shares its cell with a lower-numbered joint lesson is
// not the cell's, and counts no more than in the walk.
int joint_lessons_listed(int c) {
  int n = 0;
  for (int l : g_class_joint_lessons[c]) {
    if (!lesson_placed(l)) continue;
    int d = g_eng_lessons[l].day, h = g_eng_lessons[l].hour;
    if (d >= days_per_week() || h >= hours_of_day(d) || lesson_in(c, d, h) != l) continue;
    n += partners_apart(l, d * kHoursPerDay + h, nullptr);
  }
  return n;
}

int joint_lessons(int c, ClassReport* report) {
  if (g_eng_run.run_mode == 13) return 0;
  if (report != nullptr || !g_joint_classes_known) return joint_lessons_in_grid(c, report);
  int n = joint_lessons_listed(c);
  if (or_clash_cross_check_on()) [[unlikely]]
    or_count_clash_cross_check(n == joint_lessons_in_grid(c, nullptr));
  return n;
}

int joint_rule(int c, ClassReport* report) {
  int n = joint_lessons(c, report);
  if (report) report->record(n, 0, 0, "", false);
  return n;
}

// ---- 82: pause subject on two following days ---------------------------------

int subject_day_break(int c, ClassReport* report) {
  if (g_eng_school.pause_subject_count <= 0) return 0;
  int n = 0;
  int repeated[10], repeated_count = 0;
  for (int d = 0; d + 1 < days_per_week(); ++d) {
    int today[kHoursPerDay], next[kHoursPerDay];
    std::uint8_t pause[kHoursPerDay];
    int tc = 0, nc = 0;
    for (int h = 0; h < hours_of_day(d); ++h) {
      int l = lesson_in(c, d, h);
      if (l < 0) continue;
      today[tc] = g_eng_lessons[l].subject;
      pause[tc++] = g_eng_lessons[l].pause_subject_flag;
    }
    for (int h = 0; h < hours_of_day(d + 1); ++h) {
      int l = lesson_in(c, d + 1, h);
      if (l >= 0) next[nc++] = g_eng_lessons[l].subject;
    }
    int k = pause_subject_repeats(today, pause, tc, next, nc);
    n += k;
    if (k > 0 && report)
      for (int i = 0; i < tc && repeated_count < 10; ++i)
        if (pause[i] == 1 && std::find(next, next + nc, today[i]) != next + nc &&
            std::find(repeated, repeated + repeated_count, today[i]) == repeated + repeated_count)
          repeated[repeated_count++] = today[i];
  }
  if (report && n > 0) {
    clear_detail(8);
    for (int i = 0; i < repeated_count; ++i) std::memcpy(&g_violation_detail[12 + 4 * i], &repeated[i], 4);
    std::memcpy(&g_violation_detail[125], &repeated_count, 4);
    report->record(n, 0, 0, "NO PAUSA", true);
  }
  return n;
}

// ---- 83: educational weight ----------------------------------------------------

int educational_weight(int c, ClassReport* report) {
  if (g_eng_school.pexdiy == 0) return 0;
  int rows = std::min<int>(g_eng_school.pexdiz.count, kBandPairs);
  int n = 0;
  for (int d = 0; d < days_per_week(); ++d) {
    int lessons = 0, hour_weight = 0, subject_weight = 0;
    int seen[kHoursPerDay], seen_count = 0;
    for (int h = 0; h < hours_of_day(d); ++h) {
      int l = lesson_in(c, d, h);
      if (l < 0 || !ordinary_teacher(g_eng_lessons[l].teacher)) continue;
      int s = g_eng_lessons[l].subject;
      int w = (s >= 0 && s < kMaxSubjects) ? g_eng_subjects[s].pexdix : 0;
      ++lessons;
      hour_weight += w;
      if (std::find(seen, seen + seen_count, s) == seen + seen_count) {
        seen[seen_count++] = s;
        subject_weight += w;
      }
    }
    int excess = educational_weight_excess(lessons, hour_weight, subject_weight, g_eng_classes[c].weight_day_offset[d],
                                           g_eng_school.pexdiz.triples, rows);
    n += excess;
    // The exemption raises the allowance of one day: the last one over it.
    if (report && excess > 0) or_detail_set_word(0, d);
  }
  if (report) report->record(n, 0, 0, "", false);
  return n;
}

// ---- 87: hourly units ------------------------------------------------------------

int unit_interruption(int c, ClassReport* report) {
  if (g_hourly_unit_flags[0] == 0) return 0;
  int n = 0;
  for (int d = 0; d < days_per_week(); ++d) {
    int teacher[kHoursPerDay];
    for (int h = 0; h < kHoursPerDay; ++h) {
      int l = h < hours_of_day(d) ? lesson_in(c, d, h) : -1;
      int t = l >= 0 ? g_eng_lessons[l].teacher : -1;
      teacher[h] = ordinary_teacher(t) ? t : -1;
    }
    unsigned hit = 0;
    int k = unit_interruptions(teacher, hours_of_day(d), g_hourly_unit_flags, &hit);
    n += k;
    if (report && k > 0) {
      char text[41];
      int used = std::snprintf(text, sizeof text, "%s ", g_eng_school.day_codes[d]);
      for (int h = 1; h < kHoursPerDay && used < static_cast<int>(sizeof text); ++h)
        if (hit & (1u << h)) used += std::snprintf(text + used, sizeof text - used, "%d ", h);
      clear_detail(6);
      report->record(k, 0, 0, text, true);
    }
  }
  return n;
}

// ---- 88: day kinds -----------------------------------------------------------------

int day_kinds(int c, ClassReport* report) {
  if (g_eng_run.labrifol_flag == 0) return 0;
  int n = 0;
  for (int d = 0; d < days_per_week(); ++d) {
    if (g_eng_classes[c].day_kind_exempt[d] != 0) continue;
    int a = 0, b = 0;
    for (int h = 0; h < hours_of_day(d); ++h) {
      int l = lesson_in(c, d, h);
      if (l < 0) continue;
      int t = g_eng_lessons[l].teacher;
      if (!ordinary_teacher(t)) continue;
      if (g_eng_teachers[t].labrifol == 1) ++a;
      if (g_eng_teachers[t].labrifol == 2) ++b;
    }
    int k = mixed_day(a, b);
    n += k;
    if (report && k > 0) {
      clear_detail(6);
      g_violation_detail[0] = static_cast<std::uint8_t>(d);
      report->record(k, 0, 0, g_eng_school.day_codes[d], true);
    }
  }
  return n;
}

}  // namespace

int or_joint_bonus(int lesson) {
  if (lesson < 0 || lesson >= kMaxLessons || ConstraintSwitchTable[76].off == 1 || !lesson_placed(lesson)) return 0;
  int slot = lesson_slot(lesson);
  int found = 0, partners = 0;
  const EngineLesson& x = g_eng_lessons[lesson];
  for (int k = 0; k < joint_partners(lesson); ++k) {
    int partner = x.joint_lessons[k];
    if (partner < 0 || partner >= kMaxLessons) continue;
    ++partners;
    bool together;
    if (by_class_mode()) {
      together = !teacher_waiting(g_eng_lessons[partner].teacher) && slot_holds_match(lesson, partner, slot);
    } else {
      together = lesson_placed(partner) && lesson_slot(partner) == slot;
    }
    if (together) ++found;
  }
  return (partners > 0 && found == partners) ? -found : 0;
}

std::int64_t or_full_subjects_per_day() { return full_class_rule(75, subjects_per_day); }
std::int64_t or_delta_subjects_per_day(int c) { return delta_class_rule(75, subjects_per_day, c); }
void or_open_joint_class_gate() { g_joint_classes_known = false; }
std::int64_t or_full_joint_lessons() {
  find_joint_classes();
  return full_class_rule(76, joint_rule);
}
std::int64_t or_delta_joint_lessons(int c) {
  if (g_joint_classes_known && c >= 0 && c < kMaxClasses && g_class_joint_lessons[c].empty()) return 0;
  return delta_class_rule(76, joint_rule, c);
}
std::int64_t or_full_subject_day_break() { return full_class_rule(82, subject_day_break); }
std::int64_t or_delta_subject_day_break(int c) { return delta_class_rule(82, subject_day_break, c); }
std::int64_t or_full_educational_weight() { return full_class_rule(83, educational_weight); }
std::int64_t or_delta_educational_weight(int c) { return delta_class_rule(83, educational_weight, c); }
std::int64_t or_full_unit_interruption() { return full_class_rule(87, unit_interruption); }
std::int64_t or_delta_unit_interruption(int c) { return delta_class_rule(87, unit_interruption, c); }
std::int64_t or_full_day_kinds() { return full_class_rule(88, day_kinds); }
std::int64_t or_delta_day_kinds(int c) { return delta_class_rule(88, day_kinds, c); }
