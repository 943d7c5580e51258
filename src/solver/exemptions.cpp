// The exemption switch over constraint ids and its three entry points (see
// exemptions.h). One rule per id: which parameter moves, in which direction,
// within which bound. The rules read the record's teacher, class and detail
// map; every index taken from a record is range-checked, since records come
// back from a file the user can edit.
//
// The solver installs the applying mode as the engine's exemption applier at
// start-up, so that the exemption file's reader re-applies stored records
// after every load.
#include "solver/exemptions.h"

#include <array>
#include <cstring>
#include <mutex>
#include <vector>

#include "engine/presolve.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "solver/constraint_parameter_fill.h"
#include "solver/constraint_parameters.h"
#include "solver/cost_evaluation.h"
#include "solver/parallel_exchange.h"
#include "solver/result_history.h"
#include "solver/search_state.h"

ExemptionAllowances g_exemption_allowances;
// The copy of the violation list that the board shows.
ViolationRecord g_copied_problems[kMaxViolationRecords];
std::int32_t g_copied_problem_count;

namespace {

constexpr int kDetailSize = 129;
constexpr int kListCountOffset = 125;
constexpr int kFormCodeOffset = 124;
constexpr int kMaxListed = 31;  // 32-bit values that fit before the count

// A stored exemption re-applied after a load relaxes values of the side
// tables too; they are filled first (once per load), so that the fill of a
// later search preparation does not wipe what the exemption relaxed.
int applier(const StoredExemption& r) {
  if (g_eng_run.prepared) or_prepare_constraint_parameters();
  return or_apply_exemption(r, 1);
}

struct InstallApplier {
  InstallApplier() { g_exemption_applier = applier; }
} g_install_applier;

void down(std::int8_t& v, int floor) {
  if (v > floor) --v;
}
void up(std::int8_t& v, int ceiling) {
  if (v < ceiling) ++v;
}
void up8(std::uint8_t& v, int ceiling) {
  if (v < ceiling) ++v;
}
void add_one(std::int8_t& v) {
  if (v < 127) ++v;
}

int listed_count(const StoredExemption& r) {
  std::int32_t n = or_exemption_map_word(r, kListCountOffset);
  return n < 0 ? 0 : (n > kMaxListed ? kMaxListed : n);
}

int class_position(const EngineTeacher& t, int c) {
  for (int i = 0; i < kWeekSlots && i < t.class_count && t.class_indexes[i] >= 0; ++i)
    if (t.class_indexes[i] == c) return i;
  return -1;
}

int days_of_week() { return g_eng_run.days_per_week > kDays ? kDays : g_eng_run.days_per_week; }

// Rule 6: flagged slots and, within a day, the hours between two flagged ones.
void open_flagged_hours(EngineTeacher& t, const StoredExemption& r) {
  for (int d = 0; d < kDays; ++d) {
    int last = -1;
    for (int h = 0; h < kHoursPerDay; ++h) {
      if (or_exemption_map(r, d * kHoursPerDay + h) == 0) continue;
      for (int k = last < 0 ? h : last; k <= h; ++k) t.allowed_hours[d * kHoursPerDay + k] = 1;
      last = h;
    }
  }
}

// Rules 8 and 9: the first hour count above the start whose allowance is
// below the limit gets one more; an hour count without a pair gets (h, 1).
void raise_band_allowance(std::uint8_t (*pairs)[2], std::int8_t& count, int start) {
  int limit = days_of_week();
  int n = count < 0 ? 0 : (count > kBandPairs ? kBandPairs : count);
  for (int h = start + 1; h <= kHoursPerDay; ++h) {
    int found = -1;
    for (int p = 0; p < n; ++p)
      if (pairs[p][0] == h) found = p;
    if (found < 0) {
      if (n < kBandPairs) {
        pairs[n][0] = static_cast<std::uint8_t>(h);
        pairs[n][1] = 1;
        count = static_cast<std::int8_t>(n + 1);
        return;
      }
      continue;
    }
    if (pairs[found][1] < limit) {
      ++pairs[found][1];
      return;
    }
  }
}

void rule_working_days(int teacher, const StoredExemption& r) {
  EngineTeacher& t = g_eng_teachers[teacher];
  int n = or_exemption_map_word(r, 0);
  if (n < 0) n = 0;
  if (n > kDays) n = kDays;
  int form = or_exemption_map(r, kFormCodeOffset);
  for (int i = 0; i < n; ++i) {
    if (form == 1) down(t.min_working_days, 1);
    if (form == 2) {
      up(t.max_working_days, days_of_week());
      or_derive_class_bands(teacher);
    }
  }
}

// Rules over the teacher's class list, lessons and teaching posts.
void apply_class_list_rule(int id, int teacher, int c, int pos, const StoredExemption& r) {
  EngineTeacher& t = g_eng_teachers[teacher];
  TeacherRuleParams& p = g_teacher_rule_params[teacher];
  int listed = listed_count(r);
  switch (id) {
    case 23:
      for (int i = 0; i < listed; ++i) {
        int k = class_position(t, or_exemption_map_word(r, 4 * i));
        if (k >= 0 && t.per_class_daily[k] < 84) ++t.per_class_daily[k];
      }
      or_derive_class_bands(teacher);
      break;
    case 24:
      for (int i = 0; i < listed; ++i) {
        int k = class_position(t, or_exemption_map_word(r, 4 * i));
        if (k < 0) continue;
        for (int q = 0; q < kBandPairs; ++q) up(t.class_gruppioremax_pairs[k][q][1], 7);
      }
      break;
    case 25: if (pos >= 0) t.late_hours_exempt[pos] = 1; break;
    case 28: if (pos >= 0) t.class_pause_exempt[pos] = 1; break;
    case 31:
      for (int l = 0; l < g_eng_school.lesson_count; ++l) {
        if (g_eng_lessons[l].teacher != teacher) continue;
        for (int i = 0; i < listed; ++i)
          if (g_eng_lessons[l].class_index == or_exemption_map_word(r, 4 * i)) g_eng_lessons[l].incompatible_subject = -1;
      }
      break;
    case 32:
      for (int i = 0; i < listed; ++i) {
        int k = class_position(t, or_exemption_map_word(r, 4 * i));
        if (k >= 0) add_one(p.allowed_returns[k]);
      }
      break;
    case 33:
      // The post's block and its first hour: a block length of -1 takes the
      // post out of the test-hours rule.
      for (int i = 0; i < p.post_count && i < kMaxTeachingPosts; ++i)
        if (c >= 0 && p.posts[i].class_index == c) p.posts[i].block_length = -1, p.posts[i].first_hour = -1;
      break;
    case 34: {
      int line_class = or_exemption_map_word(r, 12);
      for (int i = 0; i < p.prolonged_count && i < kMaxProlongedRecords; ++i)
        if (p.prolonged[i].class_index == line_class)
          for (int k = 0; k < listed && p.prolonged[i].required > 0; ++k) --p.prolonged[i].required;
      break;
    }
    case 35: {
      int a = or_exemption_map_word(r, 92), b = or_exemption_map_word(r, 96);
      for (int i = 0; i < p.forbidden_count && i < kMaxForbiddenClassHours; ++i) {
        ForbiddenClassHours& f = p.forbidden[i];
        if (f.class_index != a || f.line != b) continue;
        for (int s = 0; s < kWeekSlots; ++s)
          if (or_exemption_map(r, s)) f.allowed[s] = 1;
      }
      break;
    }
    default: break;
  }
}

// Teacher-side rules; false when the id has no teacher rule.
bool apply_teacher_rule(int id, int teacher, int c, const StoredExemption& r) {
  EngineTeacher& t = g_eng_teachers[teacher];
  TeacherRuleParams& p = g_teacher_rule_params[teacher];
  int pos = c >= 0 ? class_position(t, c) : -1;
  switch (id) {
    case 2: if (t.gap_day_values[0] < 5) t.gap_day_values[0] = 5; break;
    case 3: if (t.gap_day_values[0] < 2) t.gap_day_values[0] = 2; break;
    case 5: t.free_day_count = 0; t.free_day_byte = 1; break;
    case 6: open_flagged_hours(t, r); break;
    case 8: raise_band_allowance(t.xprese_pairs, t.xprese_count, t.max_presence_per_day); break;
    case 9: raise_band_allowance(t.inse_pairs, t.inse_count, t.max_teaching_per_day); break;
    case 10: down(t.min_hours_per_day, 1); break;
    case 11: rule_working_days(teacher, r); break;
    case 12: down(t.pmin_days, 0); break;
    case 14: down(t.emin[2], 0); break;
    case 16: down(t.fmin[2], 0); break;
    case 57: down(t.umin_days, 0); break;
    case 13: up(t.pmax_days, 7); break;
    case 15: up(t.emax[2], 7); break;
    case 17: up(t.fmax[2], 7); break;
    case 46: up(t.cavallomax_days, 7); break;
    case 58: up(t.umax_days, 7); break;
    case 18:
      for (int d = 0; d < kDays; ++d)
        if (or_exemption_map(r, d)) down(t.ov[d], 0);
      break;
    case 19:
      for (int d = 0; d < kDays; ++d)
        if (or_exemption_map(r, d)) up(t.om[d], 12);
      break;
    case 20: down(t.gl_days, 0); break;
    case 21: down(t.gp_days, 0); break;
    case 22: down(t.gu_days, 0); break;
    case 49: down(t.gx[2], 0); break;
    case 27: add_one(t.segrubi[1]); break;
    case 23: case 24: case 25: case 28: case 31: case 32: case 33: case 34: case 35:
      apply_class_list_rule(id, teacher, c, pos, r);
      break;
    case 37: add_one(p.allowance_37); add_one(p.allowance_38); break;
    case 38: add_one(p.allowance_38); break;
    case 39: add_one(t.nomweek); break;
    case 42: {
      int longest = g_eng_run.longest_day;
      if (t.riposo == 0) break;
      if (t.riposo < longest) ++t.riposo;
      else t.riposo = 0;
      break;
    }
    case 43: {
      int of_class = or_exemption_map_word(r, 12);
      for (int l = 0; l < g_eng_school.lesson_count; ++l)
        if (g_eng_lessons[l].teacher == teacher && g_eng_lessons[l].class_index == of_class)
          g_lesson_rule_params[l].position_wish = 0;
      break;
    }
    case 44: {
      int line = or_exemption_map_word(r, 12);
      for (int l = 0; l < g_eng_school.lesson_count; ++l) {
        const EngineLesson& e = g_eng_lessons[l];
        if (e.teacher == teacher && e.line_number == line && e.lab_group >= 0 &&
            g_lesson_rule_params[l].lab_group_skip == 0)
          g_lesson_rule_params[l].lab_group_skip = 1;
      }
      break;
    }
    case 45: down(t.buk[1], 0); break;
    case 47: t.gap_day_values[1] = 0; break;
    case 48: add_one(t.gap_tolerance); break;
    case 50:
      for (int d = 0; d < kDays; ++d)
        if (or_exemption_map(r, d)) t.ovmnb[d] = 0;
      break;
    case 51: add_one(p.allowance_51); break;
    case 52:
      for (int d = 0; d < kDays; ++d)
        if (or_exemption_map(r, d) && t.dimpe[d] < 13) t.dimpe[d] = 0;
      break;
    case 54: t.alt_free_day_count = 0; break;
    case 55:
    case 65: {
      int room = or_exemption_map_word(r, 16);
      for (int l = 0; l < g_eng_school.lesson_count; ++l) {
        const EngineLesson& e = g_eng_lessons[l];
        if (e.teacher != teacher || e.class_index != c || e.room != room) continue;
        if (id == 55) g_lesson_rule_params[l].lab_equipment_skip = 1;
        else g_lesson_rule_params[l].gym_equipment_skip = 1;
      }
      break;
    }
    case 56: t.quorvex = 0; break;
    case 59: add_one(p.allowance_59); break;
    case 62: add_one(p.allowance_62); break;
    case 63: add_one(p.allowance_63); break;
    case 64: add_one(p.allowance_64); break;
    case 60: down(t.pausameper[3], 1); break;
    case 61:
      for (int i = 0; i < p.post_count && i < kMaxTeachingPosts; ++i)
        if (c >= 0 && p.posts[i].class_index == c) p.posts[i].no_break_wish = 0;
      break;
    case 66: t.tramox = 0; break;
    case 67: if (t.pligi[1] >= 2) t.pligi[1] = 0; break;
    default: return false;
  }
  return true;
}

// The entry of class c named by the teacher and subject of the violation:
// its pattern no longer counts. A second grant of the same entry changes
// nothing.
void grant_consecutive_entry(int c, int teacher, int subject, bool lab) {
  ExemptionAllowances& a = g_exemption_allowances;
  if (or_consecutive_line_granted(c, teacher, subject, lab) || a.consecutive_grant_count >= kMaxConsecutiveGrants) return;
  a.consecutive_grants[a.consecutive_grant_count++] = {c, teacher, subject, static_cast<std::uint8_t>(lab ? 1 : 0)};
  a.consecutive_granted[c] |= lab ? 2 : 1;
}

// Class-side and common-room rules; false when the id has no such rule.
bool apply_class_rule(int id, int c, const StoredExemption& r) {
  ExemptionAllowances& a = g_exemption_allowances;
  switch (id) {
    case 76: {
      int line = or_exemption_map_word(r, 12);
      for (int l = 0; l < g_eng_school.lesson_count; ++l) {
        EngineLesson& e = g_eng_lessons[l];
        if (e.class_index != c || e.joint_count <= 0) continue;
        for (int k = 0; k < e.joint_count && k < kMaxJointLessons; ++k) {
          int j = e.joint_lessons[k];
          if (j >= 0 && j < g_eng_school.lesson_count && g_eng_lessons[j].line_number == line) {
            e.joint_lessons[k] = -1;
            break;
          }
        }
      }
      break;
    }
    case 79: {
      int room = static_cast<std::int32_t>(or_exemption_word(r, kExemptionIdOffset + 12));
      if (room >= 0 && room < g_eng_school.common_room_count && room < kMaxCommonRooms) ++a.common_room_minimum[room];
      break;
    }
    case 80: case 81: grant_consecutive_entry(c, or_exemption_map_word(r, 0), or_exemption_map_word(r, 4), id == 81); break;
    case 83: {
      int d = or_exemption_map(r, 0);
      if (d < kDays && g_eng_classes[c].weight_day_offset[d] < 127) ++g_eng_classes[c].weight_day_offset[d];
      break;
    }
    case 84: {
      bool short_day = false;
      for (int d = 0; d < days_of_week(); ++d) short_day |= g_eng_school.short_day[d] != 0;
      if (short_day && a.short_day_calendar[c] == 0) a.short_day_calendar[c] = 1;
      else up8(a.calendar_allowance[c], 2);
      break;
    }
    case 85: up8(a.second_hour_allowance[c], 7); break;
    case 88: {
      int d = or_exemption_map(r, 0);
      if (d < kDays) g_eng_classes[c].day_kind_exempt[d] = 1;
      break;
    }
    default: return false;
  }
  return true;
}

bool has_rule(int id) {
  if (id < 2 || id > 88) return false;
  switch (id) {
    case 4: case 7: case 26: case 29: case 30: case 36: case 40: case 41: case 53:
    case 77: case 78: case 82: case 86: case 87:
      return false;
    default:
      return !(id >= 68 && id <= 75);
  }
}

}  // namespace

void or_reset_exemption_allowances() { std::memset(&g_exemption_allowances, 0, sizeof g_exemption_allowances); }

bool or_consecutive_line_granted(int c, int teacher, int subject, bool lab) {
  const ExemptionAllowances& a = g_exemption_allowances;
  if (c < 0 || c >= kMaxClasses || (a.consecutive_granted[c] & (lab ? 2 : 1)) == 0) return false;
  for (int i = 0; i < a.consecutive_grant_count; ++i) {
    const ConsecutiveGrant& g = a.consecutive_grants[i];
    if (g.class_index == c && g.teacher == teacher && g.subject == subject && (g.lab != 0) == lab) return true;
  }
  return false;
}

std::uint32_t or_exemption_word(const StoredExemption& r, int offset) {
  if (offset < 0 || offset + 4 > kExemptionRecordSize) return 0;
  const std::uint8_t* p = r.bytes + offset;
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t or_exemption_id(const StoredExemption& r) {
  return static_cast<std::int32_t>(or_exemption_word(r, kExemptionIdOffset));
}
std::int32_t or_exemption_teacher(const StoredExemption& r) {
  return static_cast<std::int32_t>(or_exemption_word(r, kExemptionTeacherOffset));
}
std::int32_t or_exemption_class(const StoredExemption& r) {
  return static_cast<std::int32_t>(or_exemption_word(r, kExemptionClassOffset));
}

std::uint8_t or_exemption_map(const StoredExemption& r, int i) {
  return i >= 0 && i < kDetailSize ? r.bytes[kExemptionMapOffset + i] : 0;
}

std::int32_t or_exemption_map_word(const StoredExemption& r, int offset) {
  if (offset < 0 || offset + 4 > kDetailSize) return 0;
  return static_cast<std::int32_t>(or_exemption_word(r, kExemptionMapOffset + offset));
}

std::int32_t or_apply_exemption(const StoredExemption& record, int mode) {
  int id = or_exemption_id(record);
  if (!has_rule(id)) return -1;
  int teacher = or_exemption_teacher(record);
  int c = or_exemption_class(record);
  bool class_side = id >= 75;
  // A record that names no valid teacher (or class) cannot relax anything;
  // a stale record from an edited school must not write outside a table.
  if (!class_side && (teacher < 0 || teacher >= g_eng_school.teacher_count || teacher >= kMaxTeachers)) return -1;
  bool class_ok = c >= 0 && c < g_eng_school.class_count && c < kMaxClasses;
  if (class_side && id != 79 && !class_ok) return -1;
  if (!class_ok) c = -1;
  if (mode == 0) {
    if (id == 2) return g_eng_teachers[teacher].gap_day_values[0] >= 5 ? 1 : 0;
    if (id == 3) return g_eng_teachers[teacher].gap_day_values[0] >= 2 ? 1 : 0;
    return 0;
  }
  if (class_side) apply_class_rule(id, c, record);
  else apply_teacher_rule(id, teacher, c, record);
  return 0;
}

std::int32_t or_apply_exemption_records(int all) {
  if (all != 0) {
    std::int32_t result = or_apply_exemption(g_exemption_current, 1);
    or_evaluate_all_constraints(0);
    return result;
  }
  int n = g_status.violation_count.load();
  if (n > kMaxViolationRecords) n = kMaxViolationRecords;
  for (int i = 0; i < n; ++i) {
    g_exemption_current = or_exemption_from_violation(g_status.violations[i], g_exemption_current.bytes[0]);
    if (or_apply_exemption(g_exemption_current, 1) == 0) or_append_exemption(0);
  }
  return 0;
}

namespace {

// A violation as the grants tell it apart: the record without its request
// bytes and its running record number.
using GrantKey = std::array<std::uint8_t, kExemptionRecordSize>;
std::vector<GrantKey> g_search_grants;

GrantKey grant_key(const StoredExemption& r) {
  GrantKey k{};
  std::memcpy(k.data(), r.bytes, kExemptionRecordSize);
  k[0] = k[1] = 0;
  std::memset(k.data() + kExemptionIdOffset + 20, 0, 4);
  return k;
}

// The same violation granted a second time in one search: its first grant
// did not lift it (the rule moves nothing the evaluator reads, or is at its
// bound), so another line in the exemption file would only repeat it at
// every later load, and the exemption search would grant it every cycle.
bool granted_before(const StoredExemption& r) {
  GrantKey k = grant_key(r);
  for (const GrantKey& g : g_search_grants)
    if (g == k) return true;
  g_search_grants.push_back(k);
  return false;
}

}  // namespace

void or_forget_search_grants() { g_search_grants.clear(); }

std::int32_t or_test_current_exemption() { return or_apply_exemption(g_exemption_current, 0); }

std::int32_t or_exemption_search_hook() {
  StoredExemption& r = g_exemption_current;
  if (r.bytes[0] == kExemptionRequestHistory) {
    int result = or_store_history(1);
    if (result == 1) r.bytes[0] = kExemptionRequestNone;
    return result;
  }
  std::lock_guard<std::timed_mutex> hold(g_problems_mutex);
  if (or_test_current_exemption() == 0 && !granted_before(r)) {
    or_append_exemption(0);
    or_apply_exemption(r, 1);
    int n = g_copied_problem_count;
    if (n > kMaxViolationRecords) n = kMaxViolationRecords;
    for (int i = 0; i < n; ++i) g_copied_problems[i].constraint_id = 0;
    if (g_eng_run.run_mode == 13) g_status.test_counter = 0;
    g_search.applied_exemption =
        or_restart_after_exemption(r.bytes[0]) ? kExemptionRestarted : kExemptionToRestart;
    if (g_process_number == 0) or_publish_to_workers(1, -1, 1);
  }
  r.bytes[0] = kExemptionRequestNone;
  return 0;
}
