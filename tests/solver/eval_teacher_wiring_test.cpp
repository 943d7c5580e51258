// The teacher evaluators read through the model: one teacher's grid set by
// hand, its constraint fields set as the constraint lines would, and the
// Parts' worked cases priced through the full and delta checks, with the
// report texts the violation list shows.
//
// The grids are set by hand; no placement or randomness is involved.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/constraint_catalogue.h"
#include "solver/day_constraints.h"
#include "solver/gap_constraints.h"
#include "solver/hour_of_day_constraints.h"
#include "solver/presence_constraints.h"

namespace {

class TeacherWiring : public ::testing::Test {
 protected:
  void SetUp() override {
    SchoolSpec spec;
    spec.classes = 2;
    spec.teachers = 2;
    spec.days = 6;
    spec.hours = 6;
    spec.lessons_per_class = 1;
    build_school(spec, 1);
    const char* codes[] = {"LU", "MA", "ME", "GI", "VE", "SA"};
    const char* names[] = {"Lunedi", "Martedi", "Mercoledi", "Giovedi", "Venerdi", "Sabato"};
    for (int d = 0; d < 6; ++d) {
      std::strcpy(g_eng_school.day_codes[d], codes[d]);
      std::strcpy(g_eng_school.day_names[d], names[d]);
    }
    EngineTeacher& t = g_eng_teachers[0];
    for (std::uint16_t& c : t.class_per_slot) c = kFreeSlot;
    for (std::uint16_t& l : t.lesson_per_slot) l = kFreeSlot;
    t.pmin_hours = t.pmax_hours = t.umin_hours = t.umax_hours = t.cavallomax_hour = -1;
    t.fmin[0] = t.fmax[0] = t.emin[0] = t.emax[0] = -1;
    t.ov[0] = t.om[0] = -1;
    t.gl_hours = t.gp_hours = t.gu_hours = t.gx[0] = -1;
    t.allowed_hours[0] = kNotConfigured;
    t.pause_value = -1;
    g_eng_school.teacher_count = 1;
  }
  void TearDown() override { reset_run_state(); }
  // Rows of hours 1..6 per day, 'x' a lesson of class 0 (lesson 0).
  void week(std::initializer_list<const char*> rows) {
    EngineTeacher& t = g_eng_teachers[0];
    int d = 0;
    for (const char* row : rows) {
      for (int h = 0; row[h]; ++h)
        if (row[h] == 'x') {
          t.class_per_slot[d * kHoursPerDay + h] = 0;
          t.lesson_per_slot[d * kHoursPerDay + h] = 0;
        }
      ++d;
    }
  }
  // Runs a reporting full check and returns the first record's text.
  std::string first_text(std::int64_t (*full)()) {
    g_eng_run.report_flag = 1;
    g_status.reporting = 1;
    g_status.violation_count = 0;
    full();
    g_status.reporting = 0;
    return g_status.violation_count > 0 ? g_status.violations[0].text : "<none>";
  }
};

TEST_F(TeacherWiring, FirstHoursMaximum) {
  g_eng_teachers[0].pmax_hours = 3;
  g_eng_teachers[0].pmax_days = 2;
  week({"xxx...", "xxx...", "x....."});
  ConstraintStats[13].weight = 5;
  g_eng_teachers[0].weight = 2;
  EXPECT_EQ(or_delta_first_hours_max(0), 10);
  EXPECT_EQ(or_full_first_hours_max(), 10);
  EXPECT_EQ(ConstraintStats[13].count, 1u);
}

TEST_F(TeacherWiring, PointsCounterTakesTheRulesOwnAmount) {
  EngineTeacher& t = g_eng_teachers[0];
  t.pmax_hours = 3;
  t.pmax_days = 2;
  t.points = 10;
  week({"xxx...", "xxx...", "x....."});
  g_secondary_score = {0, 0};
  or_full_first_hours_max();
  // (limit 6 - compared 7) x 10 points, added as an unsigned word.
  EXPECT_EQ(g_secondary_score.low, static_cast<std::uint32_t>(-10));
  t.pmax_hours = -1;
  t.ov[0] = 0;
  t.ov[2] = 2;
  g_secondary_score = {0, 0};
  or_full_desired_hours();  // Wednesday's one lesson: count 1 x 10 points
  EXPECT_EQ(g_secondary_score.low, 10u);
}

TEST_F(TeacherWiring, GateLeavesOutPseudoAndWaitingTeachers) {
  g_eng_teachers[0].pmax_hours = 3;
  g_eng_teachers[0].pmax_days = 0;
  week({"x....."});
  EXPECT_EQ(or_delta_first_hours_max(0), 1);
  g_eng_teachers[0].type_flags = kTeacherNoLessons;
  EXPECT_EQ(or_delta_first_hours_max(0), 0);
  g_eng_teachers[0].type_flags = 0;
  g_eng_teachers[0].calendar_class = 1;
  EXPECT_EQ(or_delta_first_hours_max(0), 0);
  g_eng_teachers[0].calendar_class = -1;
  g_eng_teachers[0].held_out = 1;
  EXPECT_EQ(or_delta_first_hours_max(0), 0);
  g_eng_teachers[0].second_test = 1;  // held out but under test: counts
  EXPECT_EQ(or_delta_first_hours_max(0), 1);
  g_eng_teachers[0].constraint_switch[13] = 1;
  EXPECT_EQ(or_delta_first_hours_max(0), 0);
}

TEST_F(TeacherWiring, ProvisionalRunLeavesOutTheMinimumBands) {
  g_eng_teachers[0].umin_hours = 2;
  g_eng_teachers[0].umin_days = 3;
  week({"x....."});
  EXPECT_EQ(or_delta_last_hours_min(0), 3);
  g_provisional_mode = 1;
  EXPECT_EQ(or_delta_last_hours_min(0), 0);
  g_provisional_mode = 0;
}

TEST_F(TeacherWiring, UnavailableHoursText) {
  EngineTeacher& t = g_eng_teachers[0];
  for (std::uint8_t& a : t.allowed_hours) a = 1;
  t.allowed_hours[0] = t.allowed_hours[2] = 0;
  t.allowed_hours[12 + 4] = 0;
  week({"xxx...", "....x."});
  EXPECT_EQ(first_text(or_full_unavailable_hours), "LU:1,3 MA:5");
}

TEST_F(TeacherWiring, DesiredHoursTexts) {
  EngineTeacher& t = g_eng_teachers[0];
  for (std::int8_t& v : t.ov) v = 0;
  t.ov[1] = 3;
  week({"xxx...", "x....."});
  EXPECT_EQ(first_text(or_full_desired_hours), "MARTEDI");
  t.ov[0] = 4;
  EXPECT_EQ(first_text(or_full_desired_hours), "Lu MA");
  EXPECT_EQ(or_delta_desired_hours(0), 3);
}

TEST_F(TeacherWiring, FreeDaysAlternatives) {
  EngineTeacher& t = g_eng_teachers[0];
  t.free_day_count = 2;
  t.free_days[0] = 0;
  t.free_days[1] = 1;
  week({"xx....", "xxxx.."});
  EXPECT_EQ(or_delta_free_days(0), 2);
  EXPECT_EQ(or_delta_free_days_second(0), 0);  // no second choice in force
}

TEST_F(TeacherWiring, WorkingDaysText) {
  EngineTeacher& t = g_eng_teachers[0];
  g_eng_school.iggiorni.count = 1;
  t.weekly_hours = 18;
  t.clasenoc = 3;
  t.min_working_days = 1;
  t.max_working_days = 5;
  week({"xxxx..", "xxx...", "xx....", "xxxxx.", "xxx...", "xxx..."});
  EXPECT_EQ(or_delta_working_days(0), 2);  // six days, the lightest holds 2
  EXPECT_EQ(first_text(or_check_working_days), "6 invece di 5");
}

TEST_F(TeacherWiring, PresenceAndTeaching) {
  EngineTeacher& t = g_eng_teachers[0];
  t.max_presence_per_day = 4;
  t.max_teaching_per_day = 2;
  t.min_hours_per_day = 0;
  t.clasenoc = 3;
  week({"xx..x."});
  // Presence 5 over 4, teaching 3 over 2; weights 1, 2, 3 for 8, 9, 10.
  ConstraintStats[9].weight = 2;
  EXPECT_EQ(or_delta_presence_teaching(0), 1 + 2);
  EXPECT_EQ(first_text(or_check_presence_teaching), "5");
  EXPECT_EQ(ConstraintStats[8].count, 1u);
  EXPECT_EQ(ConstraintStats[9].count, 1u);
  ConstraintSwitchTable[9].off = 1;  // the teaching part follows its own switch
  EXPECT_EQ(or_delta_presence_teaching(0), 1);
}

TEST_F(TeacherWiring, GapsAllowanceAndFloor) {
  EngineTeacher& t = g_eng_teachers[0];
  week({"x...x.", "x.x..."});  // 3 + 1 gap hours
  EXPECT_EQ(or_delta_gaps(0), 4);
  t.gap_tolerance = 2;
  t.contract_less_budime = 1;
  EXPECT_EQ(or_delta_gaps(0), 1);  // allowance 3
  t.buk[1] = 4;
  EXPECT_EQ(or_delta_gaps(0), 0);  // the second "BUK:" value is a floor
  t.buk[1] = 0;
  t.buk[0] = 70;
  EXPECT_EQ(or_delta_gaps(0), 0);  // gaps switched off for the teacher
  t.buk[0] = 0;
  t.gap_tolerance = 0;
  t.contract_less_budime = 0;
  g_status.focus_mode = 22;
  t.gap_tolerance = 1;
  EXPECT_EQ(or_delta_gaps(0), 12);  // 3 excess hours under the focus
  g_status.focus_mode = 0;
}

TEST_F(TeacherWiring, ShortDaysReportPerDay) {
  EngineTeacher& t = g_eng_teachers[0];
  t.quorvex = 2;
  week({"x..x..", "x.x.x."});
  EXPECT_EQ(or_delta_gaps_short_days(0), 2);  // Monday only (2 lessons, 2 gap hours)
  EXPECT_EQ(first_text(or_full_gaps_short_days), "LU");
  EXPECT_EQ(g_status.violations[0].count, 2u);
  EXPECT_EQ(ConstraintStats[56].count, 2u);
}

}  // namespace
