// For every constraint family built: on random placements of synthetic
// schools with random parameters, the full check equals the sum of the
// delta checks, each teacher's (or class's) share of the full check equals
// its delta check, and a delta check leaves the model as it found it. Runs
// with and without reports, in the normal and the provisional calendar.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "engine/engine_random.h"
#include "engine/status_block.h"
#include "eval2_mini_school.h"
#include "solver/class_constraints.h"
#include "solver/constraint_parameter_fill.h"
#include "solver/constraint_parameters.h"
#include "solver/cost_evaluation.h"
#include "solver/gap_constraints.h"

namespace {

std::int8_t small(EngineRandom& r, int n) { return static_cast<std::int8_t>(r.below(n)); }

std::vector<std::uint8_t> model_bytes() {
  std::vector<std::uint8_t> bytes(sizeof g_eng_teachers + sizeof g_teacher_rule_params);
  std::memcpy(bytes.data(), g_eng_teachers, sizeof g_eng_teachers);
  std::memcpy(bytes.data() + sizeof g_eng_teachers, g_teacher_rule_params, sizeof g_teacher_rule_params);
  return bytes;
}

// Teachers (or classes) whose delta check differs from their share of the
// full check, plus one when the full total differs from the sum of the
// deltas or a delta check changed the model.
template <std::size_t N>
int delta_mismatches(int id, std::int64_t (&shares)[N], int count) {
  std::memset(shares, 0, sizeof shares);
  std::int64_t full = g_evaluators[id].full(), sum = 0;
  std::vector<std::uint8_t> before = model_bytes();
  int mismatches = 0;
  for (int who = 0; who < count; ++who) {
    std::int64_t delta = g_evaluators[id].delta(who);
    if (shares[who] != delta) ++mismatches;
    sum += delta;
  }
  return mismatches + (full != sum ? 1 : 0) + (before != model_bytes() ? 1 : 0);
}
int teacher_mismatches(int id) { return delta_mismatches(id, g_teacher_full_penalty, g_eng_school.teacher_count); }

// Teachers whose sum (switched-on checks only, the week and the day lengths
// made once for them) differs from their checks run one by one outside a sum.
int sum_mismatches() {
  int n = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    std::int64_t one_by_one = 0;
    for (int id : kTeacherSumOrder) one_by_one += or_run_delta_check(id, t);
    n += or_teacher_penalty_checked(t) != one_by_one ? 1 : 0;
  }
  return n;
}

struct EvalRun {
  const char* id;
  std::uint8_t provisional;
  std::uint8_t eval_mode;
  std::int32_t report;
};

void set_run(const EvalRun& run) {
  g_provisional_mode = run.provisional;
  g_eval_mode = run.eval_mode;
  g_eng_run.report_flag = run.report > 0 ? 1 : 0;
  g_eng_run.report_mode = run.report < 0 ? -1 : 0;
}

// ---- gap, presence, hour-of-day and day families ----

namespace gaps {

const int kTeacherIds[] = {1, 2, 3, 4, 5, 6, 8, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
                           24, 25, 26, 27, 28, 46, 47, 48, 49, 50, 54, 56, 57, 58, 60, 66};

// The teacher's class list from its placed lessons, as the preparation makes it.
void fill_class_list(int t) {
  EngineTeacher& x = g_eng_teachers[t];
  x.class_count = 0;
  for (int i = 0; i < kWeekSlots; ++i) x.class_indexes[i] = -1;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    const EngineLesson& lesson = g_eng_lessons[l];
    if (lesson.teacher != t && lesson.second_teacher != t) continue;
    int pos = 0;
    while (pos < x.class_count && x.class_indexes[pos] != lesson.class_index) ++pos;
    if (pos == x.class_count) {
      x.class_indexes[pos] = static_cast<std::int16_t>(lesson.class_index);
      x.class_hours[pos] = 0;
      ++x.class_count;
    }
    ++x.class_hours[pos];
  }
}

void randomise_teacher(int t, EngineRandom& r) {
  EngineTeacher& x = g_eng_teachers[t];
  x.weight = 1 + r.below(4);
  x.points = r.below(50);
  x.tekgrado[0] = small(r, 2);
  x.held_out = r.below(8) == 0;
  x.second_test = small(r, 2);
  x.in_test = static_cast<std::uint8_t>(r.below(5) == 0 ? 1 + r.below(2) : 0);
  x.type_flags = r.below(10) == 0 ? kTeacherFca : 0;
  x.calendar_class = r.below(15) == 0 ? 0 : -1;
  x.pmin_hours = small(r, 4) - 1;
  x.pmin_days = small(r, 5);
  x.pmax_hours = small(r, 4) - 1;
  x.pmax_days = small(r, 4);
  x.umin_hours = small(r, 3) - 1;
  x.umin_days = small(r, 5);
  x.umax_hours = small(r, 3) - 1;
  x.umax_days = small(r, 3);
  x.cavallomax_hour = small(r, 5) - 1;
  x.cavallomax_days = small(r, 3);
  std::int8_t* bands[] = {x.fmin, x.fmax, x.emin, x.emax};
  for (std::int8_t* b : bands) {
    b[0] = small(r, 5) - 1;
    b[1] = static_cast<std::int8_t>(b[0] + r.below(3));
    b[2] = small(r, 4);
  }
  for (int d = 0; d < kDays; ++d) {
    x.ov[d] = r.below(3) == 0 ? small(r, 6) : 0;
    x.om[d] = r.below(3) == 0 ? small(r, 6) : 12;
    x.ovmnb[d] = r.below(4) == 0;
  }
  x.free_day_count = static_cast<std::uint8_t>(r.below(3));
  x.alt_free_day_count = static_cast<std::uint8_t>(r.below(3));
  for (int i = 0; i < kDays; ++i) {
    x.free_days[i] = static_cast<std::uint8_t>(r.below(6));
    x.alt_free_days[i] = static_cast<std::uint8_t>(r.below(6));
  }
  x.free_day_byte = small(r, 2);
  if (r.below(2)) {
    for (std::uint8_t& a : x.allowed_hours) a = r.below(5) != 0;
  } else {
    x.allowed_hours[0] = kNotConfigured;
  }
  x.gl_hours = small(r, 5) - 1;
  x.gl_days = small(r, 3);
  x.gp_hours = small(r, 4) - 1;
  x.gp_days = small(r, 3);
  x.gu_hours = small(r, 4) - 1;
  x.gu_days = small(r, 3);
  x.gx[0] = small(r, 4) - 1;
  x.gx[1] = static_cast<std::int8_t>(x.gx[0] + r.below(3));
  x.gx[2] = small(r, 3);
  x.pause_value = small(r, 4) - 1;
  x.ignorapausa = small(r, 2);
  x.pause_day_count = static_cast<std::uint8_t>(r.below(3));
  for (std::uint8_t& p : x.pause_days) p = r.below(3) == 0 ? 255 : static_cast<std::uint8_t>(r.below(3));
  x.segrubi[0] = small(r, 4);
  x.segrubi[1] = small(r, 3);
  x.tramox = small(r, 2);
  x.penalty_flag = r.below(4) == 0;
  x.clasenoc = small(r, 4);
  x.max_presence_per_day = static_cast<std::int8_t>(3 + r.below(4));
  x.max_teaching_per_day = static_cast<std::int8_t>(2 + r.below(4));
  x.min_hours_per_day = small(r, 4);
  x.xprese_count = small(r, 3);
  x.inse_count = small(r, 3);
  for (int i = 0; i < kBandPairs; ++i) {
    x.xprese_pairs[i][0] = static_cast<std::uint8_t>(3 + r.below(6));
    x.xprese_pairs[i][1] = static_cast<std::uint8_t>(r.below(3));
    x.inse_pairs[i][0] = static_cast<std::uint8_t>(3 + r.below(6));
    x.inse_pairs[i][1] = static_cast<std::uint8_t>(r.below(3));
  }
  x.weekly_hours = static_cast<std::int8_t>(r.below(20));
  x.min_working_days = small(r, 6);
  x.max_working_days = static_cast<std::int8_t>(x.min_working_days + r.below(3));
  fill_class_list(t);
  x.gruppioremax_count = small(r, 2);
  for (int i = 0; i < x.class_count; ++i) {
    x.class_gruppioremax_count[i] = small(r, 3);
    for (int k = 0; k < kBandPairs; ++k) {
      x.class_gruppioremax_pairs[i][k][0] = small(r, 4);
      x.class_gruppioremax_pairs[i][k][1] = small(r, 3);
    }
  }
  x.ultimeoremax_count = small(r, 3);
  for (int k = 0; k < kRuleBandPairs; ++k) {
    x.ultimeoremax_pairs[k][0] = static_cast<std::int8_t>(1 + r.below(6));
    x.ultimeoremax_pairs[k][1] = static_cast<std::int8_t>(r.below(80));
  }
  x.contract_values[0] = small(r, 2);
  x.contract_less_budime = small(r, 2);
  x.gap_tolerance = small(r, 3);
  x.building_count = small(r, 2);
  x.buk[0] = r.below(10) == 0 ? 70 : 0;
  x.buk[1] = small(r, 2);
  x.riposo = small(r, 3);
  x.nomotor = r.below(3) == 0 ? 4 : 0;
  x.gap_day_values[0] = r.below(2) ? 2 : 5;
  x.gap_day_values[1] = small(r, 3);
  x.quorvex = small(r, 4);
  x.pausameper[0] = small(r, 5);
  x.pausameper[1] = small(r, 2);
  x.pausameper[2] = static_cast<std::int8_t>(1 + r.below(3));
  x.pausameper[3] = small(r, 4);
  x.mxr = small(r, 3);
}

void build_random_school(std::uint64_t seed) {
  SchoolSpec spec;
  spec.days = 6;
  spec.hours = 6;
  spec.classes = 5;
  spec.lessons_per_class = 27;
  spec.teachers = 12;
  build_school(spec, seed);
  // A short Saturday and a stand-by pseudo-class exercise day lengths and
  // the stand-by rule.
  g_eng_school.hours_per_day[5] = 4;
  g_eng_school.provisional_hours_per_day[0] = 5;
  for (int d = 1; d < kDays; ++d) g_eng_school.provisional_hours_per_day[d] = g_eng_school.hours_per_day[d];
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    int c = g_eng_lessons[l].class_index;
    g_eng_lessons[l].building = c % 2;
  }
  g_eng_school.real_class_count = 4;
  g_eng_school.building_count = 2;
  g_eng_school.iggiorni.count = 1;
  g_eng_school.uses_tramox = 1;
  g_eng_classes[1].kind = 2;
  for (int s = 0; s < kMaxSubjects && s < 8; ++s) g_eng_subjects[s] = {};
  g_eng_subjects[2].msomx = 1;
  g_eng_subjects[3].no118x = 1;
  place_all_lessons();
  EngineRandom r(seed * 7919 + 1);
  for (int t = 0; t < spec.teachers; ++t) randomise_teacher(t, r);
  for (int id = 0; id < kConstraintCount; ++id) ConstraintStats[id].weight = 1 + r.below(3);
}

}  // namespace gaps

TEST(EvalDeltaSum, GapFamiliesOnRandomPlacements) {
  TempCommandFolder folder;  // the "all-on" run logs its residual errors
  const EvalRun runs[] = {{"plain", 0, 0, 0}, {"report", 0, 0, 1}, {"provisional", 1, 0, 0}, {"graded", 0, 1, 0},
                          {"all-on", 0, 2, -1}};
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    gaps::build_random_school(seed);
    for (const EvalRun& run : runs) {
      set_run(run);
      ConstraintSwitchTable[9].off = static_cast<std::uint8_t>(seed % 2);
      ConstraintSwitchTable[13].off = static_cast<std::uint8_t>(seed % 3 == 0);
      g_eng_school.daysprns_number = run.provisional ? 10 : 0;
      g_graded_gap_flag = static_cast<std::uint8_t>(seed % 2 == 0);
      g_status.gap_tolerance_level = static_cast<std::uint8_t>(seed % 8);
      g_status.focus_mode = static_cast<std::uint8_t>(seed == 3 ? 22 : 0);
      for (int id : gaps::kTeacherIds) EXPECT_EQ(teacher_mismatches(id), 0) << run.id << " seed " << seed << " id " << id;
      EXPECT_EQ(sum_mismatches(), 0) << run.id << " seed " << seed;
    }
  }
  g_provisional_mode = 0;
  g_graded_gap_flag = 0;
  reset_run_state();
}

TEST(EvalDeltaSum, FullCheckCountsEachViolationOnce) {
  gaps::build_random_school(11);
  for (int id = 0; id < kConstraintCount; ++id) ConstraintStats[id].weight = 1;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].weight = 1;
  for (int id : gaps::kTeacherIds) {
    for (ConstraintStat& s : ConstraintStats) s.count = 0;
    std::int64_t full = g_evaluators[id].full();
    std::int64_t counted = ConstraintStats[id].count;
    if (id == 8) counted += ConstraintStats[9].count + ConstraintStats[10].count;
    EXPECT_EQ(full, counted) << "id " << id;
  }
  reset_run_state();
}

// ---- room, calendar, building, companion, rest and special-hour families ----

namespace rules {

const int kTeacherIds[] = {23, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 45,
                           51, 52, 53, 55, 59, 61, 62, 63, 64, 65, 67, 68, 84, 85};

void randomise_teacher(int t, EngineRandom& r) {
  EngineTeacher& x = g_eng_teachers[t];
  TeacherRuleParams& p = g_teacher_rule_params[t];
  x.weight = 1 + r.below(4);
  x.points = r.below(50);
  x.tekgrado[0] = small(r, 2);
  x.tekgrado[1] = r.below(4) == 0;
  x.held_out = r.below(8) == 0;
  x.partner = r.below(3) == 0 ? static_cast<std::int32_t>(r.below(g_eng_school.teacher_count)) : -1;
  x.carshare_partner = r.below(3) == 0 ? static_cast<std::int32_t>(r.below(g_eng_school.teacher_count)) : -1;
  std::snprintf(x.carshare_name, kNameSize, "%s", x.carshare_partner >= 0 ? "COLLEGA" : "");
  x.carshare_wait = small(r, 3);
  x.weekly_hours = small(r, 20);
  x.incompatible_subject_lessons = r.below(2);
  x.riposo = small(r, 4);
  x.buk[1] = small(r, 4);
  x.prela[0] = small(r, 4);
  x.prela[1] = small(r, 7);
  for (int d = 0; d < kDays; ++d) x.dimpe[d] = r.below(3) == 0 ? small(r, 7) : 0;
  x.fercav[0] = small(r, 5);
  x.fercav[1] = small(r, 4);
  x.fercav[2] = static_cast<std::int8_t>(x.fercav[1] + r.below(2));
  x.dkif = small(r, 2);
  x.pligi[1] = small(r, 5);
  x.nomotor = r.below(3) == 0 ? static_cast<std::int8_t>(r.below(14)) : 0;
  x.nomweek = small(r, 4);
  for (int i = 0; i < x.class_count; ++i) x.per_class_daily[i] = small(r, 4);
  p.allowance_37 = small(r, 3);
  p.allowance_38 = small(r, 3);
  p.allowance_51 = small(r, 2);
  p.allowance_59 = small(r, 2);
  p.allowance_62 = small(r, 2);
  p.allowance_63 = small(r, 2);
  p.allowance_64 = small(r, 3);
  p.service_days = small(r, 6);
  for (std::int8_t& a : p.allowed_returns) a = small(r, 2);
  p.lab_equipment_flag = small(r, 2);
  p.gym_equipment_flag = small(r, 2);
  x.nonstandard_timing = small(r, 2);
  p.calendar_check = small(r, 2);
  p.prolonged_count = r.below(3);
  p.prolonged_first_only = r.below(4) == 0;
  for (int k = 0; k < p.prolonged_count; ++k)
    p.prolonged[k] = {static_cast<std::uint8_t>(r.below(4)), static_cast<std::int32_t>(r.below(4)),
                      static_cast<std::int32_t>(r.below(g_eng_school.class_count))};
  p.post_count = r.below(3);
  for (int k = 0; k < p.post_count; ++k) {
    TeachingPost& post = p.posts[k];
    post = {};
    post.class_index = x.class_count > 0 ? x.class_indexes[r.below(x.class_count)] : -1;
    post.line = r.below(4);
    post.block_length = static_cast<std::int8_t>(1 + r.below(3));
    post.first_hour = small(r, 2);
    post.last_hour = static_cast<std::int8_t>(3 + r.below(4));
    post.no_break_wish = small(r, 2);
    for (std::uint8_t& b : post.break_after) b = r.below(6) == 0;
  }
  p.forbidden_count = r.below(3);
  for (int k = 0; k < p.forbidden_count; ++k) {
    ForbiddenClassHours& f = p.forbidden[k];
    f.class_index = x.class_count > 0 ? x.class_indexes[r.below(x.class_count)] : 0;
    f.line = r.below(4);
    for (std::uint8_t& a : f.allowed) a = r.below(3) != 0;
  }
}

void randomise_school(std::uint64_t seed) {
  SchoolSpec spec;
  spec.days = 5;
  spec.hours = 6;
  spec.classes = 5;
  spec.lessons_per_class = 27;
  spec.teachers = 12;
  build_school(spec, seed);
  or_reset_constraint_parameters();
  g_eng_school.room_count = spec.classes + 2;
  g_eng_school.common_room_count = 2;
  g_eng_school.lab_group_count = 1;
  g_eng_school.building_count = 2;
  g_eng_school.oreprolu = 55;
  g_eng_school.pamez = 10;
  g_eng_school.uses_fercav = g_eng_school.uses_dkif = g_eng_school.uses_pligi = g_eng_school.uses_tekgrado = 1;
  g_eng_school.option_flags |= 1;
  std::memset(g_eng_school.rotation_pause, 255, 4);
  g_eng_school.rotation_pause[0] = 2;
  for (int d = 0; d < 5; ++d) g_eng_school.provisional_hours_per_day[d] = static_cast<std::uint8_t>(d == 0 ? 5 : 6);
  EngineRandom r(seed * 31 + 7);
  SchoolRuleParams& s = g_school_rule_params;
  s.lab_equipment_items = s.gym_equipment_items = 2;
  s.class_max_enabled[0] = 1;
  s.single_hour_value = 2 + small(r, 2);
  g_eng_school.nonstandard_timing_days = 0x15;
  s.heavy_day_count = r.below(2);
  s.return_days = 0x04;
  s.return_teacher_flags = kTeacherLaboratory;
  s.tekgrado_switch = small(r, 2);
  s.per_class_transfers = r.below(3) == 0;
  for (std::uint16_t& room : g_eng_lab_groups[0].rooms) room = 0xFFFF;
  g_eng_lab_groups[0].rooms[0] = static_cast<std::uint16_t>(spec.classes);
  for (int k = 0; k < spec.classes + 2; ++k) {
    g_eng_rooms[k].home_class = static_cast<std::int16_t>(k < spec.classes ? k : -1);
    g_eng_rooms[k].lab_flag = k >= spec.classes;
    for (std::uint8_t& a : g_eng_rooms[k].availability) a = r.below(5) != 0;
  }
  for (int k = 0; k < 2; ++k) {
    g_eng_common_rooms[k].admitted_attendance = 1;
    for (std::uint8_t& a : g_eng_common_rooms[k].availability) a = r.below(5) != 0;
  }
  g_building_rule_params[0].row_count = 1;
  g_building_rule_params[0].rows[0] = {1, 2};
  g_building_rule_params[1].counts_transfers = 1;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    EngineLesson& x = g_eng_lessons[l];
    x.line_number = r.below(4);
    x.part_line_number = -1;
    x.best_room = -1;
    x.incompatible_subject = r.below(6) == 0 ? static_cast<std::int32_t>(r.below(6)) : -1;
    x.building = static_cast<std::int32_t>(r.below(2));
    x.lab_group = r.below(5) == 0 ? 0 : -1;
    if (r.below(6) == 0) x.room = spec.classes + static_cast<std::int32_t>(r.below(2));
    x.common_room = r.below(6) == 0 ? static_cast<std::int32_t>(r.below(2)) : -1;
    LessonRuleParams& p = g_lesson_rule_params[l];
    p.position_wish = small(r, 3);
    p.lab_equipment = r.below(3);
    p.gym_equipment = static_cast<std::int32_t>(r.below(3));
    p.selection = small(r, 2);
  }
  for (int c = 0; c < spec.classes; ++c) {
    EngineClass& k = g_eng_classes[c];
    k.room_type = r.below(5) == 0 ? 2 : 0;
    k.rotazix = small(r, 2);
    k.class_digits[0] = static_cast<std::uint8_t>(r.below(4));
    k.class_digits[1] = static_cast<std::uint8_t>(r.below(3));
    if (r.below(2)) std::memcpy(k.special_weekdays, "665", 3);
    std::memcpy(k.special_weekdays_b, "6666", 4);
    if (r.below(2))
      for (int x = 0; x < kWeekSlots; ++x) k.special_calendar[x] = r.below(5) != 0;
    else
      k.special_calendar[0] = kNotConfigured;
    for (int d = 0; d < kDays; ++d)
      for (int h = 0; h < kHoursPerDay; ++h) {
        k.timing[0][d][h] = static_cast<std::uint16_t>(480 + 55 * h + r.below(12));
        k.timing[1][d][h] = static_cast<std::uint16_t>(50 + r.below(10));
      }
  }
  place_all_lessons();
  // Class lists and lesson lists as the preparation makes them;
  // teacher 1, who teaches class 0, stands for its calendar.
  rebuild_mini_school();
  g_eng_teachers[1].calendar_class = 0;
  for (int t = 0; t < spec.teachers; ++t) randomise_teacher(t, r);
  for (int id = 0; id < kConstraintCount; ++id) ConstraintStats[id].weight = 1 + r.below(3);
  // Teacher 2 stands for class 1's calendar, a week without a slot calendar
  // (its return days count), priced by a day pattern on every other seed.
  EngineClass& second = g_eng_classes[1];
  g_eng_teachers[2].calendar_class = 1;
  second.room_type = 0;
  second.special_calendar[0] = kNotConfigured;
  std::memset(second.special_weekdays, 0, sizeof second.special_weekdays);
  if (seed % 2 == 0) std::memcpy(second.special_weekdays, "6654", 4);
  // Teachers 3 and 4 partners both ways: each is the other's driver or
  // rider, by their hours.
  for (int t : {3, 4}) {
    g_eng_teachers[t].partner = g_eng_teachers[t].carshare_partner = 7 - t;
    std::snprintf(g_eng_teachers[t].carshare_name, kNameSize, "%s", "COLLEGA");
  }
}

}  // namespace rules

// A teacher's sum leaves out the checks that the teacher's own parameters
// leave without work: parameters given or taken away between two sums, with
// the switches as they were, show in the next sum.
TEST(EvalDeltaSum, TeacherSumsFollowTheTeachersParameters) {
  EngineRandom r(4242);
  gaps::build_random_school(5);
  EXPECT_EQ(sum_mismatches(), 0);
  for (int round = 0; round < 4; ++round) {
    for (int t = 0; t < g_eng_school.teacher_count; ++t) gaps::randomise_teacher(t, r);
    EXPECT_EQ(sum_mismatches(), 0) << "gap family, round " << round;
  }
  // Another check planted in place of a rule that is left out is summed.
  EvaluatorPair own = g_evaluators[12];
  for (int id : {13, 58}) {
    g_evaluators[12] = g_evaluators[id];
    EXPECT_EQ(sum_mismatches(), 0) << "id " << id << " planted as 12";
  }
  g_evaluators[12] = own;
  rules::randomise_school(5);
  EXPECT_EQ(sum_mismatches(), 0);
  for (int round = 0; round < 4; ++round) {
    for (int t = 0; t < g_eng_school.teacher_count; ++t) rules::randomise_teacher(t, r);
    EXPECT_EQ(sum_mismatches(), 0) << "rule families, round " << round;
  }
  reset_run_state();
}

TEST(EvalDeltaSum, RuleFamiliesOnRandomPlacements) {
  const EvalRun runs[] = {{"plain", 0, 0, 0}, {"report", 0, 0, 1}, {"provisional", 1, 0, 0}, {"all-on", 0, 2, -1}};
  int counting = 0;
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    rules::randomise_school(seed);
    for (int id : rules::kTeacherIds) counting += g_evaluators[id].full() > 0;
    for (const EvalRun& run : runs) {
      set_run(run);
      g_eng_run.report_flag = run.report;
      g_eng_run.report_mode = 0;
      for (int id : rules::kTeacherIds) {
        g_evaluators[id].full();  // settles what a full check may raise (30)
        EXPECT_EQ(teacher_mismatches(id), 0) << run.id << " seed " << seed << " id " << id;
      }
      EXPECT_EQ(sum_mismatches(), 0) << run.id << " seed " << seed;
      std::int64_t full44 = g_evaluators[44].full(), sum44 = 0;
      for (int c = 0; c < g_eng_school.class_count; ++c) sum44 += g_evaluators[44].delta(c);
      EXPECT_EQ(full44, sum44) << run.id << " seed " << seed;
    }
  }
  EXPECT_GT(counting, 60);  // the property is not met by empty checks
  g_provisional_mode = 0;
  g_eval_mode = 0;
  g_eng_run.report_flag = 0;
}

// A load that closes other laboratory hours is seen by the laboratory-hours
// delta check at once, before any full check runs.
TEST(EvalDeltaSum, LabHoursDeltaReadsTheRoomsOfTheLastLoad) {
  rules::randomise_school(2);
  g_evaluators[53].full();
  for (int r = 0; r < g_eng_school.room_count && r < kMaxRooms; ++r)
    for (int s = 0; s < kWeekSlots; ++s) g_eng_rooms[r].availability[s] = s % 2;
  or_reset_constraint_parameters();
  std::int64_t deltas = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) deltas += g_evaluators[53].delta(t);
  std::memset(g_teacher_full_penalty, 0, sizeof g_teacher_full_penalty);
  std::int64_t full = g_evaluators[53].full();
  EXPECT_GT(full, 0);
  EXPECT_EQ(deltas, full);
}

// The moves skip the building transfers (37, 38) of teachers who teach in
// one building only. Their deltas still agree with the full checks when a
// teacher's lessons without a building get differing ones after the last
// full check (as after the stand-by set-up), and after a load that moves
// lessons to other buildings, before any full check.
TEST(EvalDeltaSum, BuildingTransferDeltasFollowBuildingsSetAfterTheLastFullCheck) {
  auto involves = [](const EngineLesson& x, int t) { return x.teacher == t || x.second_teacher == t; };
  auto deltas_then_full = [](int id, std::int64_t* full) {
    std::int64_t sum = 0;
    for (int t = 0; t < g_eng_school.teacher_count; ++t) sum += g_evaluators[id].delta(t);
    std::memset(g_teacher_full_penalty, 0, sizeof g_teacher_full_penalty);
    *full = g_evaluators[id].full();
    return sum;
  };
  std::int64_t late_counted = 0;
  for (std::uint64_t seed = 1; seed <= 4; ++seed) {
    rules::randomise_school(seed);
    g_school_rule_params.per_class_transfers = 0;
    EngineTeacher& late_teacher = g_eng_teachers[0];
    late_teacher.nomotor = 1;
    late_teacher.held_out = 0;
    g_teacher_rule_params[0].allowance_37 = g_teacher_rule_params[0].allowance_38 = 0;
    for (int l = 0; l < g_eng_school.lesson_count; ++l) {
      EngineLesson& x = g_eng_lessons[l];
      x.building = involves(x, 0) ? -1 : (x.teacher < 6 ? 1 : l % 2);
    }
    for (int id : {37, 38}) EXPECT_EQ(teacher_mismatches(id), 0) << "seed " << seed << " id " << id;
    // Teacher 0's lessons get their buildings: one day's first lesson another.
    int first_day = -1;
    for (int l = 0; l < g_eng_school.lesson_count; ++l) {
      EngineLesson& x = g_eng_lessons[l];
      if (!involves(x, 0)) continue;
      bool other = lesson_placed(l) && first_day < 0;
      if (other) first_day = x.day;
      x.building = other ? 0 : 1;
    }
    for (int id : {37, 38}) {
      std::int64_t full = 0;
      std::int64_t deltas = deltas_then_full(id, &full);
      EXPECT_EQ(deltas, full) << "seed " << seed << " id " << id;
      late_counted += g_teacher_full_penalty[0];
    }
    or_reset_constraint_parameters();
    for (int l = 0; l < g_eng_school.lesson_count; ++l) g_eng_lessons[l].building = (l / 2) % 2;
    for (int id : {37, 38}) {
      std::int64_t full = 0;
      std::int64_t deltas = deltas_then_full(id, &full);
      EXPECT_GT(full, 0) << "seed " << seed << " id " << id;
      EXPECT_EQ(deltas, full) << "seed " << seed << " id " << id;
    }
  }
  EXPECT_GT(late_counted, 0);  // the buildings set late do count
  reset_run_state();
}

// ---- class family: joint lessons, pause subjects, an educational weight
// table, hourly units and teacher kinds ----

namespace classes {

const int kClassIds[] = {75, 76, 80, 81, 82, 83, 87, 88};

void tally_subjects(int c) {
  EngineClass& k = g_eng_classes[c];
  k.tally_count = 0;
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    if (g_eng_lessons[l].class_index != c) continue;
    int s = g_eng_lessons[l].subject, i = 0;
    while (i < k.tally_count && k.tally_subjects[i] != s) ++i;
    if (i == k.tally_count) k.tally_subjects[k.tally_count++] = static_cast<std::int16_t>(s);
  }
}

void build_class_school(std::uint64_t seed) {
  SchoolSpec spec;
  spec.classes = 6;
  spec.lessons_per_class = 28;
  build_school(spec, seed);
  EngineRandom r(seed + 99);
  g_eng_school.real_class_count = 5;
  // Joint pairs: lesson k of class 0 with lesson k of class 1, for a few k.
  for (int k = 10; k < 14; ++k) {
    int a = k, b = spec.lessons_per_class + k;
    g_eng_lessons[a].joint_count = 1;
    g_eng_lessons[a].joint_lessons[0] = b;
    g_eng_lessons[b].joint_count = 2;
    g_eng_lessons[b].joint_lessons[0] = a;
    g_eng_lessons[b].joint_lessons[1] = -1;
  }
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    g_eng_lessons[l].pause_subject_flag = g_eng_lessons[l].subject == 1;
    if (l % 5 == 0) {
      std::strcpy(g_eng_lessons[l].consecutive_maps[0], r.below(2) ? "221" : "32");
      std::strcpy(g_eng_lessons[l].consecutive_maps[1], r.below(2) ? "11111" : "");
      std::strcpy(g_eng_lessons[l].consecutive_maps[2], "2");
    }
  }
  g_eng_school.pause_subject_count = 1;
  for (int s = 0; s < 8; ++s) g_eng_subjects[s].pexdix = static_cast<std::uint8_t>(r.below(3));
  g_eng_school.pexdiy = 1;
  g_eng_school.pexdiz.count = 2;
  const std::int8_t rows[2][3] = {{4, 3, 2}, {6, 5, 3}};
  std::memcpy(g_eng_school.pexdiz.triples, rows, sizeof rows);
  for (int h = 0; h < kHoursPerDay; ++h) g_hourly_unit_flags[h] = static_cast<std::uint8_t>(h % 2 == 1 || h == 0);
  g_eng_run.labrifol_flag = 1;
  for (int t = 0; t < spec.teachers; ++t) {
    g_eng_teachers[t].labrifol = static_cast<std::int8_t>(r.below(3));
    g_eng_teachers[t].held_out = r.below(6) == 0;
  }
  g_eng_school.materiehsg.count = 1;
  place_all_lessons();
  for (int c = 0; c < spec.classes; ++c) {
    tally_subjects(c);
    g_eng_classes[c].weight = 1 + r.below(3);
    for (int i = 0; i < kWeekSlots; ++i) g_eng_classes[c].materiehsg[i] = static_cast<std::uint8_t>(r.below(3));
  }
  for (int id = 0; id < kConstraintCount; ++id) ConstraintStats[id].weight = 1 + r.below(3);
}

}  // namespace classes

// The hourly-unit flags of constraint 87 are planted by build_class_school
// (no loaded school sets them): the fixture gives back what it found.
class EvalClassDeltaSum : public ::testing::Test {
 protected:
  void SetUp() override { std::memcpy(saved_flags_, g_hourly_unit_flags, sizeof saved_flags_); }
  void TearDown() override {
    std::memcpy(g_hourly_unit_flags, saved_flags_, sizeof saved_flags_);
    reset_run_state();
  }
  std::uint8_t saved_flags_[kHoursPerDay];
};

TEST_F(EvalClassDeltaSum, ClassFamilyOnRandomPlacements) {
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    classes::build_class_school(seed);
    for (int mode = 0; mode < 2; ++mode) {
      g_eng_school.option_flags = static_cast<std::uint8_t>(mode ? 2 : 0);  // by class, or plain
      g_eng_run.report_flag = mode;
      for (int id : classes::kClassIds)
        EXPECT_EQ(delta_mismatches(id, g_class_accumulated_penalty, g_eng_school.class_count), 0)
            << "seed " << seed << " id " << id;
    }
  }
}

// A load that brings other patterns is seen by the consecutive-hours delta
// checks at once, before any full check runs.
TEST_F(EvalClassDeltaSum, ConsecutiveDeltaReadsThePatternsOfTheLastLoad) {
  classes::build_class_school(2);
  g_eng_school.option_flags = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].held_out = 0;
  g_evaluators[80].full();
  g_evaluators[81].full();
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    std::strcpy(g_eng_lessons[l].consecutive_maps[0], l % 3 == 0 ? "6" : "");
    std::strcpy(g_eng_lessons[l].consecutive_maps[2], l % 3 == 1 ? "4" : "");
  }
  or_reset_constraint_parameters();
  for (int id : {80, 81}) {
    std::int64_t deltas = 0;
    for (int c = 0; c < g_eng_school.class_count; ++c) deltas += g_evaluators[id].delta(c);
    std::memset(g_class_accumulated_penalty, 0, sizeof g_class_accumulated_penalty);
    std::int64_t full = g_evaluators[id].full();
    EXPECT_GT(full, 0) << id;
    EXPECT_EQ(deltas, full) << id;
  }
  reset_run_state();
}

// Once the parameters are prepared, as a search starts, the consecutive-hours
// delta keeps what it worked out for a line's week; a week changed only on
// its last days (Friday's hours turned round by one in every class) is
// worked out anew.
TEST_F(EvalClassDeltaSum, ConsecutiveDeltaFollowsAWeekChangedOnItsLastDays) {
  classes::build_class_school(4);
  g_eng_school.option_flags = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].held_out = 0;
  or_prepare_constraint_parameters();
  const int friday = 4, hours = g_eng_school.hours_per_day[friday];
  for (int round = 0; round < hours; ++round) {
    for (int id : {80, 81}) {
      EXPECT_EQ(delta_mismatches(id, g_class_accumulated_penalty, g_eng_school.class_count), 0)
          << "round " << round << " id " << id;
    }
    EXPECT_GT(g_evaluators[80].full(), 0) << "round " << round;
    for (int l = 0; l < g_eng_school.lesson_count; ++l)
      if (g_eng_lessons[l].day == friday)
        g_eng_lessons[l].hour = static_cast<std::uint8_t>((g_eng_lessons[l].hour + 1) % hours);
    or_rebuild_slot_index();
    or_rebuild_class_grids();
    or_rebuild_teacher_grids();
  }
  or_reset_model();  // the prepared parameters and the kept line table go with it
  reset_run_state();
}

// Lines whose lessons carry patterns of their own (the line's first lesson
// in the week that has any decides), lines with the same teacher, subject
// and number in two classes, and lines whose patterned lessons are taken out
// of the week and put back: the kept line table prices each class as the
// full check does, while the days' hours are turned round.
TEST_F(EvalClassDeltaSum, ConsecutiveDeltaFollowsLinesOfManyPatternsAndClasses) {
  const char* wanted[] = {"", "221", "32", "4", "111"};
  const char* alternative[] = {"", "11111", "33"};
  const char* lab_wanted[] = {"", "2", "3", "21"};
  for (std::uint64_t seed = 1; seed <= 4; ++seed) {
    classes::build_class_school(seed);
    EngineRandom r(seed + 7);
    g_eng_school.option_flags = 0;
    for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].held_out = 0;
    for (int l = 0; l < g_eng_school.lesson_count; ++l) {
      EngineLesson& x = g_eng_lessons[l];
      if (x.class_index <= 1) x.subject = x.teacher;  // the same lines in classes 0 and 1
      std::strcpy(x.consecutive_maps[0], wanted[r.below(5)]);
      std::strcpy(x.consecutive_maps[1], alternative[r.below(3)]);
      std::strcpy(x.consecutive_maps[2], lab_wanted[r.below(4)]);
    }
    or_prepare_constraint_parameters();
    const int days = g_eng_run.days_per_week;
    auto expect_same = [&](int round, const char* state) {
      or_rebuild_slot_index();
      or_rebuild_class_grids();
      or_rebuild_teacher_grids();
      for (int id : {80, 81})
        EXPECT_EQ(delta_mismatches(id, g_class_accumulated_penalty, g_eng_school.class_count), 0)
            << "seed " << seed << " round " << round << " " << state << " id " << id;
    };
    for (int round = 0; round < 16; ++round) {
      const int day = r.below(days), hours = g_eng_school.hours_per_day[day], by = 1 + r.below(hours - 1);
      for (int l = 0; l < g_eng_school.lesson_count; ++l)
        if (g_eng_lessons[l].day == day)
          g_eng_lessons[l].hour = static_cast<std::uint8_t>((g_eng_lessons[l].hour + by) % hours);
      expect_same(round, "turned");
      EXPECT_GT(g_evaluators[80].full() + g_evaluators[81].full(), 0) << "seed " << seed << " round " << round;
      std::vector<std::pair<int, std::uint8_t>> taken_out;  // lesson, day
      for (int k = 0; k < 8; ++k) {
        int l = r.below(g_eng_school.lesson_count);
        if (!lesson_placed(l) || g_eng_lessons[l].joint_count > 0) continue;
        taken_out.emplace_back(l, g_eng_lessons[l].day);
        g_eng_lessons[l].day = kDayNotPlaced;
      }
      expect_same(round, "some out");
      for (auto [l, d] : taken_out) g_eng_lessons[l].day = d;
    }
  }
  or_reset_model();
  reset_run_state();
}

TEST_F(EvalClassDeltaSum, JointBonus) {
  classes::build_class_school(3);
  g_eng_school.option_flags = 0;
  for (int k = 10; k < 14; ++k) {
    int a = k, b = 28 + k;
    bool together = lesson_slot(a) == lesson_slot(b);
    EXPECT_EQ(or_joint_bonus(a), together ? -1 : 0) << k;
    EXPECT_EQ(or_joint_bonus(b), together ? -1 : 0) << k;  // the empty entry is passed over
  }
  // Put one pair together by hand: the bonus appears.
  set_lesson_place(28 + 10, lesson_place(10));
  EXPECT_EQ(or_joint_bonus(10), -1);
  ConstraintSwitchTable[76].off = 1;
  EXPECT_EQ(or_joint_bonus(10), 0);
  reset_run_state();
}

TEST_F(EvalClassDeltaSum, JointLessonsApartCountInEachClass) {
  classes::build_class_school(4);
  for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].held_out = 0;
  // Two pairs brought together: 2A's partner swaps places with the 2A
  // lesson at its 1A partner's hour. They are not counted.
  for (int k : {10, 12}) {
    int a = k, b = 28 + k;
    for (int o = 28; o < 56; ++o)
      if (o != b && lesson_slot(o) == lesson_slot(a)) {
        std::uint16_t place = lesson_place(b);
        set_lesson_place(b, lesson_place(o));
        set_lesson_place(o, place);
        break;
      }
  }
  or_rebuild_slot_index();
  or_rebuild_class_grids();
  int apart = 0;
  for (int k = 10; k < 14; ++k) apart += lesson_slot(k) != lesson_slot(28 + k);
  EXPECT_EQ(apart, 2);
  // By class, any lesson of the partner's class and subject in the slot
  // will do.
  auto matched = [](int l, int partner) {
    for (int o = 0; o < g_eng_school.lesson_count; ++o)
      if (o != l && lesson_slot(o) == lesson_slot(l) && g_eng_lessons[o].class_index == g_eng_lessons[partner].class_index &&
          g_eng_lessons[o].subject == g_eng_lessons[partner].subject)
        return true;
    return false;
  };
  int unmatched = 0;
  for (int k = 10; k < 14; ++k) unmatched += !matched(k, 28 + k) + !matched(28 + k, k);
  EXPECT_GT(unmatched, 0);
  for (std::uint8_t flags : {0, 2}) {
    g_eng_school.option_flags = flags;
    for (ConstraintStat& s : ConstraintStats) s = {0, 1};
    for (int c = 0; c < 2; ++c) g_eng_classes[c].weight = 1;
    g_evaluators[76].full();
    EXPECT_EQ(static_cast<int>(ConstraintStats[76].count), flags ? unmatched : 2 * apart) << int(flags);
  }
  reset_run_state();
}

}  // namespace
