// Hand-built cases of the partner, car-share, class-return, building and
// rest constraints; counts worked out by hand from the week of each case.
// Hours in the comments count from 1, in the code from 0. Allowances are
// checked at, below and above the count (subtracted once), and the
// car-share tolerances are shown to change only in a full check.
#include <gtest/gtest.h>

#include <cstring>

#include "eval2_mini_school.h"
#include "solver/violation_reporter.h"

namespace {

class BuildingRest : public ::testing::Test {
 protected:
  void SetUp() override { mini_school(); }
  // Lessons of teacher t in class c at the given hours of day d.
  static void lessons(int t, int c, int d, std::initializer_list<int> hours, int building = -1) {
    for (int h : hours) {
      int l = add_lesson(t, c, d, h);
      g_eng_lessons[l].building = building;
    }
  }
};

TEST_F(BuildingRest, PartnerOverlapIsOffInTheFeasibilityTest) {
  g_eng_teachers[0].partner = 1;
  lessons(0, 0, 0, {0, 1, 2});
  lessons(1, 1, 0, {1, 2, 3});
  rebuild_mini_school();
  EXPECT_EQ(delta_of(29, 0), 2);
  g_eng_run.run_mode = 13;
  EXPECT_EQ(delta_of(29, 0), 0);
}

TEST_F(BuildingRest, CarShareWithEqualHoursTheEvaluatedTeacherDrives) {
  g_eng_teachers[0].carshare_partner = 1;
  std::snprintf(g_eng_teachers[0].carshare_name, kNameSize, "PROF1");
  g_eng_teachers[0].weekly_hours = g_eng_teachers[1].weekly_hours = 10;
  lessons(0, 0, 0, {2, 3, 4});  // driver: hours 3-5
  lessons(1, 1, 0, {1, 2});     // rider: hour 2 is before the driver's first lesson
  rebuild_mini_school();
  EXPECT_EQ(delta_of(30, 0), 1);
  g_eng_teachers[0].carshare_wait = 1;  // the frame opens one hour earlier
  EXPECT_EQ(delta_of(30, 0), 0);
  g_eng_teachers[0].carshare_wait = 2;
  EXPECT_EQ(delta_of(30, 0), 0);
}

TEST_F(BuildingRest, CarShareTolerancesChangeOnlyInTheFullCheck) {
  g_eng_teachers[0].carshare_partner = 1;
  std::snprintf(g_eng_teachers[0].carshare_name, kNameSize, "PROF1");
  g_eng_teachers[0].weekly_hours = 12;
  g_eng_teachers[1].weekly_hours = 8;
  lessons(0, 0, 0, {0});
  rebuild_mini_school();
  delta_of(30, 0);
  EXPECT_EQ(g_eng_teachers[1].gap_tolerance, 0);  // a delta check writes nothing
  g_evaluators[30].full();
  EXPECT_EQ(g_eng_teachers[1].gap_tolerance, 4);  // the rider may wait 12 - 8 hours
}

TEST_F(BuildingRest, ReturnsIntoAClassWeeklyAndOnOneDay) {
  lessons(0, 0, 0, {0, 2, 4});  // class 1A in hours 1, 3 and 5: two returns
  rebuild_mini_school();
  g_teacher_rule_params[0].allowed_returns[0] = 1;
  EXPECT_EQ(delta_of(32, 0), 2);  // 1 over the weekly allowance, 1 for the second return that day
  g_eng_teachers[0].type_flags = kTeacherLaboratory;  // no daily charge for laboratory teachers
  g_eng_teachers[0].type_flags = kTeacherConversation;
  EXPECT_EQ(delta_of(32, 0), 1);
  g_eng_teachers[0].type_flags = 0;
  g_teacher_rule_params[0].allowed_returns[0] = 2;
  EXPECT_EQ(delta_of(32, 0), 1);
}

TEST_F(BuildingRest, IncompatibleSubjectOnTheSameDayInTheClass) {
  int a = add_lesson(0, 0, 0, 0);
  g_eng_lessons[a].incompatible_subject = 5;
  int b = add_lesson(1, 0, 0, 3);
  g_eng_lessons[b].subject = 5;
  int c = add_lesson(1, 0, 1, 0);
  g_eng_lessons[c].subject = 5;  // another day
  rebuild_mini_school();
  EXPECT_EQ(delta_of(31, 0), 0);  // no incompatible-subject lessons filed
  g_eng_teachers[0].incompatible_subject_lessons = 1;
  EXPECT_EQ(delta_of(31, 0), 1);
}

TEST_F(BuildingRest, ClassHoursPerDayAboveTheDailyMaximum) {
  lessons(0, 0, 0, {0, 1, 2});
  rebuild_mini_school();
  g_eng_teachers[0].per_class_daily[0] = 1;
  EXPECT_EQ(delta_of(23, 0), 0);  // not enabled
  g_school_rule_params.class_max_enabled[1] = 1;
  EXPECT_EQ(delta_of(23, 0), 2);
}

struct AllowanceCase {
  const char* id;
  int transfers;
  int allowance;
  int expected;
};

TEST_F(BuildingRest, TransferAllowanceIsSubtractedOnce) {
  const AllowanceCase cases[] = {
      {"none", 3, 0, 3}, {"two-of-two", 2, 2, 0}, {"three-of-two", 3, 2, 1}, {"one-of-two", 1, 2, 0}};
  for (const AllowanceCase& k : cases) {
    mini_school();
    g_eng_teachers[0].nomotor = 1;  // every transfer counts
    for (int h = 0; h <= k.transfers; ++h) lessons(0, 0, 0, {h}, h % 2);
    rebuild_mini_school();
    g_teacher_rule_params[0].allowance_37 = static_cast<std::int8_t>(k.allowance);
    EXPECT_EQ(delta_of(37, 0), k.expected) << k.id;
  }
}

TEST_F(BuildingRest, TransferRowsAndTheMinimumTransferTime) {
  lessons(0, 0, 0, {0}, 0);
  lessons(0, 1, 0, {1}, 1);
  rebuild_mini_school();
  g_eng_school.pamez = 10;
  g_eng_classes[0].timing[0][0][0] = 480;
  g_eng_classes[0].timing[1][0][0] = 50;
  g_eng_classes[1].timing[0][0][1] = 535;  // 5 minutes after the end: too short
  EXPECT_EQ(delta_of(37, 0), 1);
  g_eng_classes[1].timing[0][0][1] = 545;  // 15 minutes: enough
  EXPECT_EQ(delta_of(37, 0), 0);
  g_eng_school.pamez = 0;  // no minimum: every transfer counts
  EXPECT_EQ(delta_of(37, 0), 1);
  g_building_rule_params[0].row_count = 1;
  g_building_rule_params[0].rows[0] = {1, 0};  // allowed from building 0 to 1 after hour 1
  EXPECT_EQ(delta_of(37, 0), 0);
}

TEST_F(BuildingRest, DayTransfersBeyondTheFirstAndTheDailyAllowance) {
  g_eng_school.building_count = 2;
  lessons(0, 0, 0, {0}, 0);
  lessons(0, 0, 0, {1}, 1);
  lessons(0, 0, 0, {3}, 0);
  lessons(0, 0, 0, {4}, 1);  // three changes on Monday
  rebuild_mini_school();
  EXPECT_EQ(delta_of(38, 0), 2);
  g_teacher_rule_params[0].allowance_38 = 1;
  EXPECT_EQ(delta_of(38, 0), 1);
  g_teacher_rule_params[0].allowance_38 = 3;
  EXPECT_EQ(delta_of(38, 0), 0);
}

TEST_F(BuildingRest, WeekTransfersReportFoundAndLimit) {
  g_eng_teachers[0].nomweek = 2;
  g_teacher_rule_params[0].service_days = 5;
  for (int d = 0; d < 2; ++d) {
    lessons(0, 0, d, {0}, 0);
    lessons(0, 0, d, {2}, 1);
    lessons(0, 0, d, {3}, 0);
  }
  rebuild_mini_school();
  EXPECT_EQ(delta_of(39, 0), 2);  // 4 transfers, 2 allowed
  g_eng_run.report_flag = 1;
  g_status.reporting = 1;
  g_status.violation_count = 0;
  g_evaluators[39].full();
  ASSERT_GE(g_status.violation_count.load(), 1);
  EXPECT_STREQ(g_status.violations[0].text, "4 invece di 2");
  EXPECT_EQ(g_status.violations[0].count, 2u);
}

TEST_F(BuildingRest, BuildingRotationSkipsThePauseHours) {
  g_eng_classes[1].rotazix = 1;
  std::memset(g_eng_school.rotation_pause, 255, 4);  // no pause hours, as loaded
  lessons(0, 0, 0, {0});
  lessons(0, 1, 0, {1});
  lessons(0, 0, 0, {2});
  rebuild_mini_school();
  EXPECT_EQ(delta_of(40, 0), 2);
  g_eng_school.rotation_pause[0] = 0;  // a pause after the first hour
  EXPECT_EQ(delta_of(40, 0), 1);
  g_eng_teachers[0].nomotor = 4;  // rules below 11 other than 0: nothing counts
  EXPECT_EQ(delta_of(40, 0), 0);
}

// ---- rest and special hours --------------------------------------------------

TEST_F(BuildingRest, RestAfterARunOfLessons) {
  mini_school(5, 8);
  g_eng_teachers[0].riposo = 3;
  lessons(0, 0, 0, {0, 1, 2, 3, 4});  // 5 in a row: 2 over
  lessons(0, 0, 1, {0, 1, 2, 4, 5, 6});  // 3 + 3: nothing
  rebuild_mini_school();
  EXPECT_EQ(delta_of(42, 0), 2);
}

TEST_F(BuildingRest, MandatoryFreeHoursFoundBetweenLessons) {
  g_eng_teachers[0].buk[1] = 2;
  lessons(0, 0, 0, {0, 2});  // one free hour between lessons on Monday
  lessons(0, 0, 1, {1, 3});  // and one on Tuesday; the free first hour is no gap
  rebuild_mini_school();
  EXPECT_EQ(delta_of(45, 0), 0);
  g_eng_lessons[3].hour = 2;  // Tuesday now has no gap
  rebuild_mini_school();
  EXPECT_EQ(delta_of(45, 0), 1);
}

TEST_F(BuildingRest, EdgePresenceDaysBeyondTheAllowance) {
  g_eng_teachers[0].prela[0] = 1;
  g_eng_teachers[0].prela[1] = 6;
  lessons(0, 0, 0, {2});     // neither hour 1 nor hour 6
  lessons(0, 0, 1, {0});     // hour 1 taken
  lessons(0, 0, 2, {3});     // neither
  rebuild_mini_school();
  EXPECT_EQ(delta_of(51, 0), 2);
  g_teacher_rule_params[0].allowance_51 = 1;
  EXPECT_EQ(delta_of(51, 0), 1);
}

TEST_F(BuildingRest, GivenHourOfADay) {
  g_eng_teachers[0].dimpe[0] = 3;  // Monday: hour 3 wanted
  g_eng_teachers[0].dimpe[1] = 0;  // Tuesday asks nothing
  lessons(0, 0, 0, {1});
  rebuild_mini_school();
  EXPECT_EQ(delta_of(52, 0), 1);
  g_eng_lessons[0].hour = 2;
  rebuild_mini_school();
  EXPECT_EQ(delta_of(52, 0), 0);
}

TEST_F(BuildingRest, SingleHourLessonsWithTheSchoolValueTwo) {
  lessons(0, 0, 0, {0});      // single
  lessons(0, 0, 1, {1, 2});   // a double
  lessons(0, 0, 2, {4});      // single
  lessons(0, 1, 3, {0});      // class with one hour: left out
  rebuild_mini_school();
  EXPECT_EQ(delta_of(59, 0), 0);  // not asked
  g_school_rule_params.single_hour_value = 2;
  EXPECT_EQ(delta_of(59, 0), 2);
  g_teacher_rule_params[0].allowance_59 = 1;
  EXPECT_EQ(delta_of(59, 0), 1);
}

TEST_F(BuildingRest, StraddleRestNeedsAFreeHourInTheWindow) {
  g_eng_school.uses_fercav = 1;
  g_eng_teachers[0].fercav[0] = 2;
  g_eng_teachers[0].fercav[1] = 2;
  g_eng_teachers[0].fercav[2] = 3;
  lessons(0, 0, 0, {1, 2, 3, 4});  // window 3-4 full: counts
  lessons(0, 0, 1, {1, 3, 4});     // hour 3 free: rests
  rebuild_mini_school();
  EXPECT_EQ(delta_of(62, 0), 1);
  g_teacher_rule_params[0].allowance_62 = 1;
  EXPECT_EQ(delta_of(62, 0), 0);
}

TEST_F(BuildingRest, EdgeDoublesAllowanceLeavesTheFirstOccurrencesFree) {
  g_eng_school.uses_dkif = 1;
  g_eng_teachers[0].dkif = 1;
  g_eng_teachers[3].calendar_class = 0;
  // Monday: class day is hours 1-5, the calendar teacher holds hour 6.
  lessons(1, 0, 0, {0});
  lessons(0, 0, 0, {1, 2});  // a double inside the day
  lessons(1, 0, 0, {3, 4});
  lessons(3, 0, 0, {5});
  rebuild_mini_school();
  EXPECT_EQ(delta_of(64, 0), 1);
  g_teacher_rule_params[0].allowance_64 = 1;
  EXPECT_EQ(delta_of(64, 0), 0);  // with an allowance of 1 the first occurrence is free
}

TEST_F(BuildingRest, RealHoursOfAClassOnADay) {
  g_eng_school.uses_pligi = 1;
  g_eng_teachers[0].pligi[1] = 4;
  g_eng_teachers[3].calendar_class = 0;
  lessons(0, 0, 0, {0, 1});
  lessons(1, 0, 0, {2});
  lessons(3, 0, 0, {3, 4, 5});  // three real hours that day, four wanted
  rebuild_mini_school();
  EXPECT_EQ(delta_of(67, 0), 1);
}

TEST_F(BuildingRest, NonStandardHoursThatOverlap) {
  g_eng_school.nonstandard_timing_days = 1;
  g_eng_teachers[0].nonstandard_timing = 1;
  lessons(0, 0, 0, {0});
  lessons(0, 1, 0, {1});
  rebuild_mini_school();
  g_eng_classes[0].timing[0][0][0] = 480;
  g_eng_classes[0].timing[1][0][0] = 60;
  g_eng_classes[1].timing[0][0][1] = 530;  // starts before 1A's hour ends
  g_eng_classes[1].timing[1][0][1] = 50;
  EXPECT_EQ(delta_of(41, 0), 1);
  g_eng_classes[1].timing[0][0][1] = 540;
  EXPECT_EQ(delta_of(41, 0), 0);
}

}  // namespace
