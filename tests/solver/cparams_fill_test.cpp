// The evaluator side tables filled from the loaded model: the service days
// of a teacher come from the derived working days, so the weekly transfer
// limit ("NOMWEEK:") counts once the tables are prepared; the preparation
// also wipes whatever an earlier run left in them. Counts worked out by hand
// from the week of each case (hours count from 0).
#include <gtest/gtest.h>

#include <cstring>

#include "eval2_mini_school.h"
#include "solver/constraint_parameter_fill.h"

namespace {

// Teacher 0 teaches class 0 on two days at hours 0, 2, 3 in buildings
// 0, 1, 0: two building changes a day, four in the week.
void two_transfer_days() {
  for (int d = 0; d < 2; ++d) {
    g_eng_lessons[add_lesson(0, 0, d, 0)].building = 0;
    g_eng_lessons[add_lesson(0, 0, d, 2)].building = 1;
    g_eng_lessons[add_lesson(0, 0, d, 3)].building = 0;
  }
  rebuild_mini_school();
}

struct WeekCase {
  const char* id;
  int working_days;
  int nomweek;
  std::int64_t before;
  std::int64_t after;
};

class FillWeekTransfers : public ::testing::TestWithParam<WeekCase> {};

TEST_P(FillWeekTransfers, ServiceDaysComeFromTheWorkingDays) {
  const WeekCase& k = GetParam();
  mini_school();
  g_eng_teachers[0].max_working_days = static_cast<std::int8_t>(k.working_days);
  g_eng_teachers[0].nomweek = static_cast<std::int8_t>(k.nomweek);
  two_transfer_days();
  EXPECT_EQ(delta_of(39, 0), k.before);
  or_prepare_constraint_parameters();
  EXPECT_EQ(g_teacher_rule_params[0].service_days, k.working_days);
  EXPECT_EQ(delta_of(39, 0), k.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FillWeekTransfers,
    ::testing::Values(WeekCase{"limit2", 5, 2, 0, 2},      // 4 transfers, 2 allowed
                      WeekCase{"limit3", 5, 3, 0, 1},      // 4 transfers, 3 allowed
                      WeekCase{"limit4", 5, 4, 0, 0},      // exactly the limit
                      WeekCase{"unlimited", 5, 6, 0, 0},   // the default limit: days + 1
                      WeekCase{"atdays", 2, 2, 0, 0}),     // limit not below the service days
    [](const ::testing::TestParamInfo<WeekCase>& i) { return std::string(i.param.id); });

TEST(FillReset, EarlierValuesAreWipedBeforeTheFill) {
  mini_school();
  g_teacher_rule_params[1].allowance_51 = 3;
  g_teacher_rule_params[1].service_days = 9;
  g_lesson_rule_params[0].position_wish = 2;
  g_school_rule_params.return_days = 0x5;
  g_eng_teachers[1].max_working_days = 4;
  or_prepare_constraint_parameters();
  EXPECT_EQ(g_teacher_rule_params[1].allowance_51, 0);
  EXPECT_EQ(g_teacher_rule_params[1].service_days, 4);
  EXPECT_EQ(g_lesson_rule_params[0].position_wish, 0);
  EXPECT_EQ(g_school_rule_params.return_days, 0);
}

TEST(FillSchoolSwitches, GradingSwitchFollowsTheSchoolFlag) {
  mini_school();
  g_eng_school.uses_tekgrado = 1;
  or_prepare_constraint_parameters();
  EXPECT_EQ(g_school_rule_params.tekgrado_switch, 1);
  g_eng_school.uses_tekgrado = 0;
  or_prepare_constraint_parameters();
  EXPECT_EQ(g_school_rule_params.tekgrado_switch, 1) << "filled once per load";
  mini_school();
  or_prepare_constraint_parameters();
  EXPECT_EQ(g_school_rule_params.tekgrado_switch, 0) << "a new load fills again";
}

TEST(FillClassCalendars, AFittedCalendarClosesTheOtherHoursInTheProvisionalTimetable) {
  // Class 0's calendar is Monday's first four hours; teacher 0 teaches it
  // at Monday's fifth hour, while the calendar teacher (3) holds the third.
  mini_school();
  g_provisional_mode = 1;
  EngineClass& k = g_eng_classes[0];
  std::memset(k.special_calendar, 0, kWeekSlots);
  for (int h = 0; h < 4; ++h) k.special_calendar[h] = 1;
  std::memcpy(k.provisional_free, k.special_calendar, kWeekSlots);
  g_eng_teachers[3].calendar_class = 0;
  add_lesson(0, 0, 0, 4);
  add_lesson(3, 0, 0, 2);
  rebuild_mini_school();
  EXPECT_EQ(delta_of(63, 0), 0);
  or_prepare_constraint_parameters();
  EXPECT_EQ(g_class_rule_params[1].provisional_available[0], kNotConfigured) << "no calendar of its own";
  EXPECT_EQ(delta_of(63, 0), 1);
  g_provisional_mode = 0;
}

}  // namespace
