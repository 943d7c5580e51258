// For every constraint id of the room, calendar, building, companion, rest
// and special-hour families: on random placements of synthetic schools with
// random parameters, the full check equals the sum of the delta checks, each
// teacher's share of the full check equals its delta check, and a delta
// check leaves the model as it found it. Runs with and without reports, in
// the normal and the provisional calendar.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/engine_random.h"
#include "eval2_mini_school.h"
#include "class_delta_sum.h"
#include "solver/cost_evaluation.h"

namespace {

const int kTeacherIds[] = {23, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 45,
                           51, 52, 53, 55, 59, 61, 62, 63, 64, 65, 67, 68, 84, 85};

std::int8_t small(EngineRandom& r, int n) { return static_cast<std::int8_t>(r.below(n)); }

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
}

struct EvalRun {
  const char* id;
  std::uint8_t provisional;
  std::uint8_t eval_mode;
  std::int32_t report;
};

std::vector<std::uint8_t> model_bytes() {
  std::vector<std::uint8_t> bytes(sizeof g_eng_teachers + sizeof g_teacher_rule_params);
  std::memcpy(bytes.data(), g_eng_teachers, sizeof g_eng_teachers);
  std::memcpy(bytes.data() + sizeof g_eng_teachers, g_teacher_rule_params, sizeof g_teacher_rule_params);
  return bytes;
}

TEST(Eval2DeltaSum, FamiliesOnRandomPlacements) {
  const EvalRun runs[] = {{"plain", 0, 0, 0}, {"report", 0, 0, 1}, {"provisional", 1, 0, 0}, {"all-on", 0, 2, -1}};
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    randomise_school(seed);
    for (const EvalRun& run : runs) {
      g_provisional_mode = run.provisional;
      g_eval_mode = run.eval_mode;
      g_eng_run.report_flag = run.report;
      for (int id : kTeacherIds) {
        g_evaluators[id].full();  // settles what a full check may raise (30)
        std::memset(g_teacher_full_penalty, 0, sizeof g_teacher_full_penalty);
        std::int64_t full = g_evaluators[id].full();
        std::vector<std::uint8_t> before = model_bytes();
        std::int64_t sum = 0;
        for (int t = 0; t < g_eng_school.teacher_count; ++t) {
          std::int64_t delta = g_evaluators[id].delta(t);
          EXPECT_EQ(g_teacher_full_penalty[t], delta) << run.id << " seed " << seed << " id " << id << " t " << t;
          sum += delta;
        }
        EXPECT_EQ(full, sum) << run.id << " seed " << seed << " id " << id;
        EXPECT_TRUE(before == model_bytes()) << "delta checks changed the model, id " << id;
      }
      std::int64_t full44 = g_evaluators[44].full();
      std::int64_t sum44 = 0;
      for (int c = 0; c < g_eng_school.class_count; ++c) sum44 += g_evaluators[44].delta(c);
      EXPECT_EQ(full44, sum44) << run.id << " seed " << seed;
    }
  }
  g_provisional_mode = 0;
  g_eval_mode = 0;
  g_eng_run.report_flag = 0;
}

TEST(Eval2DeltaSum, SomeIdsCountOnTheRandomSchools) {
  int counting = 0;
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    randomise_school(seed);
    for (int id : kTeacherIds) counting += g_evaluators[id].full() > 0;
    counting += g_evaluators[44].full() > 0;
  }
  EXPECT_GT(counting, 60);  // the property above is not met by empty checks
}

TEST(Eval2DeltaSum, WholeEvaluationEqualsTheSumOfTheTeacherAndClassSums) {
  for (std::uint64_t seed = 1; seed <= 3; ++seed) {
    randomise_school(seed);
    or_evaluate_all_constraints64(0);  // settles the car-share tolerances
    std::int64_t full = or_evaluate_all_constraints64(0);
    std::int64_t sum = 0;
    for (int t = 0; t < g_eng_school.teacher_count; ++t) {
      sum += or_teacher_penalty_checked(t);
    }
    for (int c = 0; c < g_eng_school.class_count; ++c) sum += solver_test::class_delta_sum(c);
    EXPECT_EQ(full, sum) << seed;
  }
}

}  // namespace
