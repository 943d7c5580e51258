// For every teacher constraint of the gap, presence, hour-of-day and day
// families: on random placements of synthetic schools with random teacher
// parameters, the full check equals the sum of the teacher delta checks,
// and each teacher's share of the full check equals its delta check. Runs
// with and without reports, in the normal and the provisional calendar.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/engine_random.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/constraint_catalogue.h"
#include "solver/gap_constraints.h"

namespace {

const int kTeacherIds[] = {1, 2, 3, 4, 5, 6, 8, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
                           24, 25, 26, 27, 28, 46, 47, 48, 49, 50, 54, 56, 57, 58, 60, 66};

std::int8_t small(EngineRandom& r, int n) { return static_cast<std::int8_t>(r.below(n)); }

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

// Teachers whose delta check differs from their share of the full check,
// plus one when the full total differs from the sum of the deltas.
int delta_mismatches(int id) {
  std::memset(g_teacher_full_penalty, 0, sizeof g_teacher_full_penalty);
  std::int64_t full = g_evaluators[id].full();
  std::int64_t sum = 0;
  int mismatches = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) {
    std::int64_t delta = g_evaluators[id].delta(t);
    if (g_teacher_full_penalty[t] != delta) ++mismatches;
    sum += delta;
  }
  return mismatches + (full != sum ? 1 : 0);
}

void expect_delta_sum(int id, const char* where) { EXPECT_EQ(delta_mismatches(id), 0) << where << " id " << id; }

struct EvalRun {
  const char* id;
  std::uint8_t provisional;
  std::uint8_t eval_mode;
  std::int32_t report;
};

TEST(EvalDeltaSum, TeacherFamiliesOnRandomPlacements) {
  TempCommandFolder folder;  // the "all-on" run logs its residual errors
  const EvalRun runs[] = {{"plain", 0, 0, 0}, {"report", 0, 0, 1}, {"provisional", 1, 0, 0}, {"graded", 0, 1, 0},
                      {"all-on", 0, 2, -1}};
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    build_random_school(seed);
    for (const EvalRun& run : runs) {
      g_provisional_mode = run.provisional;
      g_eval_mode = run.eval_mode;
      g_eng_run.report_flag = run.report > 0 ? 1 : 0;
      g_eng_run.report_mode = run.report < 0 ? -1 : 0;
      ConstraintSwitchTable[9].off = static_cast<std::uint8_t>(seed % 2);
      ConstraintSwitchTable[13].off = static_cast<std::uint8_t>(seed % 3 == 0);
      g_eng_school.daysprns_number = run.provisional ? 10 : 0;
      g_graded_gap_flag = static_cast<std::uint8_t>(seed % 2 == 0);
      g_status.gap_tolerance_level = static_cast<std::uint8_t>(seed % 8);
      g_status.focus_mode = static_cast<std::uint8_t>(seed == 3 ? 22 : 0);
      for (int id : kTeacherIds) expect_delta_sum(id, run.id);
    }
  }
  g_provisional_mode = 0;
  g_graded_gap_flag = 0;
  reset_run_state();
}

std::int64_t off_by_one_delta(int t) { return g_evaluators[48].delta(t) + (t == 3 ? 1 : 0); }

TEST(EvalDeltaSum, APlantedWrongDeltaIsCaught) {
  build_random_school(2);
  EvaluatorPair saved = g_evaluators[47];
  g_evaluators[47] = {g_evaluators[48].full, off_by_one_delta, 0};
  EXPECT_GT(delta_mismatches(47), 0);
  g_evaluators[47] = saved;
  EXPECT_EQ(delta_mismatches(47), 0);
  reset_run_state();
}

TEST(EvalDeltaSum, FullCheckCountsEachViolationOnce) {
  build_random_school(11);
  for (int id = 0; id < kConstraintCount; ++id) ConstraintStats[id].weight = 1;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].weight = 1;
  for (int id : kTeacherIds) {
    for (ConstraintStat& s : ConstraintStats) s.count = 0;
    std::int64_t full = g_evaluators[id].full();
    std::int64_t counted = ConstraintStats[id].count;
    if (id == 8) counted += ConstraintStats[9].count + ConstraintStats[10].count;
    EXPECT_EQ(full, counted) << "id " << id;
  }
  reset_run_state();
}

}  // namespace
