// Paths of the solver that a planted fault once passed unseen, each on a
// small description loaded through the engine's own loader (or_main,
// "SYNT:"): the class-off hours of a teacher's second class stay with that
// class. Hours count from 0; the week is five days of six hours.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/loader_harness.h"
#include "engine/presolve.h"
#include "engine/standby_steps.h"
#include "eval2_mini_school.h"
#include "school_fixture.h"
#include "solver/constraint_parameter_fill.h"
#include "solver/cost_evaluation.h"
#include "solver/priced_exchange.h"
#include "solver/search_weights.h"
#include "solver/constraint_staging.h"

namespace {

void load(const std::string& lines) {
  loader_test::Outcome outcome = loader_test::run_synt(std::string(loader_test::kWeek) + lines);
  ASSERT_EQ(outcome.code, 0) << outcome.message;
  reset_run_state();
  g_provisional_mode = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].weight = 1;
  for (int c = 0; c < g_eng_school.class_count; ++c) g_eng_classes[c].weight = 1;
}

TEST(SolverFaults, ClassOffHoursOfTheSecondClassStayWithIt) {
  // One line: 1A is off on Monday hours 1-2, 2A on Tuesday hours 1-2.
  struct Case {
    const char* id;
    std::pair<int, int> first, second;  // 1A's and 2A's lesson
    std::int64_t expected;              // forbidden hours taken (35)
  } cases[] = {
      {"each on the other's day", {1, 0}, {0, 0}, 0},
      {"1A on its own off hour", {0, 1}, {0, 0}, 1},
      {"2A on its own off hour", {1, 0}, {1, 1}, 1},
      {"both", {0, 0}, {1, 0}, 2},
  };
  for (const Case& c : cases) {
    load("GM:MAT\t\nROSSI\t1A 1 KOP:LU:1-2\t2A 1 KOP:MA:1-2\t\n");
    place_in_order({c.first, c.second});
    or_reset_constraint_parameters();
    or_prepare_constraint_parameters();
    EXPECT_EQ(delta_of(35, 0), c.expected) << c.id;
  }
  reset_run_state();
}

int teacher_named(const char* name) {
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (std::string(g_eng_teachers[t].name) == name) return t;
  return -1;
}

// Hours of one class a day (23, given by the "IHSG:" band): two Monday
// hours of 1A exceed ROSSI's daily value of 1, while the hours of a subject
// marked "MSOMX:" are left out of the count.
TEST(SolverFaults, ClassDailyMaximumLeavesOutMsomxSubjects) {
  struct Case {
    const char* id;
    const char* options;  // of VERDI's subject
    std::int64_t verdi;   // VERDI's excess in 2A
  } cases[] = {{"plain", "", 1}, {"exempt", "MSOMX:1\t", 0}};
  for (const Case& c : cases) {
    load(std::string("IHSG:4-1\t\nGM:MAT\t\nROSSI\t1A 4\t\nGM:MUS\t") + c.options +
         "\nVERDI\t2A 4\t\n");
    or_prepare_model_for_solving();  // the daily values and the rule parameters
    place_in_order({{0, 0}, {0, 1}, {1, 0}, {2, 0}, {0, 2}, {0, 3}, {1, 1}, {2, 1}});
    EXPECT_EQ(delta_of(23, teacher_named("ROSSI")), 1) << c.id;
    EXPECT_EQ(delta_of(23, teacher_named("VERDI")), c.verdi) << c.id;
  }
  reset_run_state();
}

// A stand-by hour goes where the teacher's penalty does not grow; when no
// hour is such (ROSSI's two Monday hours in 1A exceed the daily value
// whatever happens), it fills the first free hour after one of his lessons
// rather than the last hour tried.
TEST(SolverFaults, StandbyHourFallsBackToTheHourAfterALesson) {
  struct Case {
    const char* id;
    std::initializer_list<std::pair<int, int>> lessons;  // ROSSI's four hours in 1A
    std::pair<int, int> standby;
  } cases[] = {
      {"penalty everywhere", {{0, 0}, {0, 1}, {1, 0}, {2, 0}}, {1, 1}},
      {"penalty everywhere, later", {{0, 0}, {0, 1}, {2, 2}, {3, 3}}, {0, 2}},
  };
  for (const Case& c : cases) {
    load("IHSG:4-1\t\nGM:MAT\t\nROSSI\t1A 4\tTED:+1\t\n");
    place_in_order(c.lessons);
    g_eng_school.standby_grouping = -1;  // as the stand-by command sets it
    engine_test::TempDir dir;  // the evaluation writes its residual errors
    engine_test::InFolder in(dir.path());
    std::filesystem::create_directories(dir.path() / "RisultatoTest");
    or_prepare_standby_run();
    int standby = -1;
    for (int l = 0; l < g_eng_school.lesson_count; ++l)
      if (g_eng_lessons[l].standby_marker == 1) standby = l;
    ASSERT_GE(standby, 0) << c.id;
    EXPECT_EQ(std::make_pair(int{g_eng_lessons[standby].day}, int{g_eng_lessons[standby].hour}), c.standby) << c.id;
  }
  reset_run_state();
}

// A focus pass weighs every constraint heavily but the one in focus.
TEST(SolverFaults, FocusPassesLeaveTheirConstraintAtWeightOne) {
  struct Case {
    const char* id;
    void (*focus)(int);
    int constraint;
  } cases[] = {
      {"single 59", [](int id) { or_focus_single_constraint(id); }, 59},
      {"single 0", [](int id) { or_focus_single_constraint(id); }, 0},
      {"stage 23", or_focus_stage_weights, 23},
  };
  for (const Case& c : cases) {
    load("GM:MAT\t\nROSSI\t1A 2\t\n");
    c.focus(c.constraint);
    EXPECT_EQ(ConstraintStats[c.constraint].weight, 1u) << c.id;
    EXPECT_EQ(ConstraintStats[c.constraint + 1].weight, kFocusWeight) << c.id;
  }
  reset_run_state();
}

// Releasing a teacher from test takes the highest release rank first, the
// most points among equals (the later teacher on a tie).
TEST(SolverFaults, ReleaseFromTestPrefersRankThenPoints) {
  struct Case {
    const char* id;
    int rank[3];
    std::uint32_t points[3];
    int released;
  } cases[] = {
      {"rank over points", {2, 1, 1}, {0, 9, 9}, 0},
      {"points among equals", {1, 1, 1}, {3, 7, 5}, 1},
      {"tie to the later", {1, 1, 0}, {4, 4, 9}, 1},
  };
  for (const Case& c : cases) {
    load("GM:MAT\t\nROSSI\t1A 1\t\nVERDI\t1A 1\t\nBIANCHI\t1A 1\t\n");
    for (int t = 0; t < 3; ++t) {
      g_eng_teachers[t].in_test = 1;
      g_eng_teachers[t].release_rank = static_cast<decltype(g_eng_teachers[t].release_rank)>(c.rank[t]);
      g_eng_teachers[t].points = c.points[t];
    }
    EXPECT_EQ(or_release_test_teacher(), 2) << c.id;
    EXPECT_EQ(g_status.released_teacher.load(), c.released) << c.id;
    EXPECT_EQ(g_eng_teachers[c.released].in_test, 0) << c.id;
  }
  reset_run_state();
}

// A car share's full check raises the gap tolerance of the partner with
// fewer hours by the difference, and of both to the larger one on equal
// hours; a tolerance already higher stays.
TEST(SolverFaults, CarShareRaisesTheGapToleranceOfThePartnerWithFewerHours) {
  struct Case {
    const char* id;
    int verdi_hours, verdi_before, rossi_before;
    int verdi, rossi;  // tolerances after the check
  } cases[] = {
      {"fewer hours", 2, 0, 0, 2, 0},
      {"already higher", 2, 5, 0, 5, 0},
      {"equal hours", 4, 1, 3, 3, 3},
  };
  for (const Case& c : cases) {
    load("GM:MAT\t\nROSSI\t1A 4\t\nVERDI\t2A " + std::to_string(c.verdi_hours) +
         "\t\nV:\tVERDI\tCARSHARE:ROSSI:0\t\n");
    or_prepare_model_for_solving();
    int rossi = teacher_named("ROSSI"), verdi = teacher_named("VERDI");
    g_eng_teachers[verdi].gap_tolerance = static_cast<std::int8_t>(c.verdi_before);
    g_eng_teachers[rossi].gap_tolerance = static_cast<std::int8_t>(c.rossi_before);
    g_evaluators[30].full();
    EXPECT_EQ(g_eng_teachers[verdi].gap_tolerance, c.verdi) << c.id;
    EXPECT_EQ(g_eng_teachers[rossi].gap_tolerance, c.rossi) << c.id;
  }
  reset_run_state();
}

// A teacher shared by the lessons of an exchange is priced once: two of
// ROSSI's lessons cost what one of them costs (his two Monday hours in 1A
// exceed his daily value there, so the price is not 0).
TEST(SolverFaults, ASharedTeacherIsPricedOnce) {
  load("IHSG:4-1\t\nGM:MAT\t\nROSSI\t1A 4\t\n");
  or_prepare_model_for_solving();
  place_in_order({{0, 0}, {0, 1}, {1, 0}, {2, 0}});
  or_penalty_cache_invalidate_all();  // as a search starts
  int pair[2] = {0, 1};
  std::int64_t one = or_price_teacher(0);
  EXPECT_GT(one, 0);
  EXPECT_EQ(or_price_teachers_once(pair, 2), one);
  reset_run_state();
}

// The class break (28, "GIORNIPAUSACL:"): a teacher who sees 1A on two days
// wants one free day between them; the days he works in the class choose
// the row of the table.
TEST(SolverFaults, ClassBreakTakesTheRowOfTheDaysWorkedInTheClass) {
  struct Case {
    const char* id;
    std::pair<int, int> first, second;
    bool cost;
  } cases[] = {
      {"Monday and Tuesday", {0, 0}, {1, 0}, true},
      {"Monday and Wednesday", {0, 0}, {2, 0}, false},
  };
  for (const Case& c : cases) {
    load("GIORNIPAUSACL:\t2-1\t\nGM:MAT\t\nROSSI\t1A 2\t\n");
    or_prepare_model_for_solving();
    place_in_order({c.first, c.second});
    EXPECT_EQ(delta_of(28, teacher_named("ROSSI")) > 0, c.cost) << c.id;
  }
  reset_run_state();
}

// Returns into a class (32): every run of a class after the first of its
// day is a return for the week, every one after the second also one beyond
// the day's; runs end at the day's end and hours past the day's length do
// not count.
TEST(SolverFaults, ClassReturnsCountTheRunsOfEachDay) {
  struct Case {
    const char* id;
    std::int8_t allowed;  // returns into 1A allowed in the week
    std::uint8_t type_flags;
    std::int64_t expected;
  } cases[] = {
      {"plain", 0, 0, 5},  // 1A: 3 returns, 1 beyond a day's; 2A: 1 return
      {"one return allowed", 1, 0, 4},
      {"laboratory teacher: no daily rule", 0, kTeacherLaboratory, 4},
  };
  for (const Case& c : cases) {
    mini_school(5, 6, 1, 3);
    g_eng_school.hours_per_day[2] = g_eng_school.provisional_hours_per_day[2] = 4;
    const int week[][6] = {{0, 1, 0, 0, 1, 0}, {0, -1, 0, -1, -1, -1}, {1, 0, -1, -1, -1, 1}};
    for (int d = 0; d < 3; ++d)
      for (int h = 0; h < 6; ++h)
        if (week[d][h] >= 0) add_lesson(0, week[d][h], d, h);
    rebuild_mini_school();
    g_teacher_rule_params[0].allowed_returns[0] = c.allowed;
    g_eng_teachers[0].type_flags = c.type_flags;
    EXPECT_EQ(delta_of(32, 0), c.expected) << c.id;
    EXPECT_EQ(g_evaluators[32].full(), c.expected) << c.id;
  }
  reset_run_state();
}

// The class calendar (84) counts a lesson after a late entry once for a
// pseudo-hour earlier in the week that it could have taken: the lessons
// take them in the class's list order, each the first one (day by day)
// before its own hour, and a pseudo-hour is taken once.
TEST(SolverFaults, ClassCalendarLessonsTakeTheEarlierPseudoHoursInListOrder) {
  struct Case {
    const char* id;
    std::pair<int, int> lessons[3];  // class 1A's lessons in list order
    std::int64_t expected;
  } cases[] = {
      // Wednesday 2 takes Monday 0; Thursday 1 then finds none (Tuesday's
      // is not before hour 1).
      {"hour 2 first", {{2, 2}, {3, 1}, {4, 0}}, 1},
      // Thursday 1 takes Monday 0, Wednesday 2 then takes Tuesday 1.
      {"hour 1 first", {{3, 1}, {2, 2}, {4, 0}}, 2},
      {"every lesson at its day's first hour", {{2, 0}, {3, 0}, {4, 0}}, 0},
  };
  for (const Case& c : cases) {
    mini_school(5, 6, 2, 1);
    g_eng_teachers[1].calendar_class = 0;  // teacher 1 stands for 1A's calendar
    for (const auto& [day, hour] : c.lessons) add_lesson(0, 0, day, hour);
    add_lesson(1, 0, 0, 0);  // pseudo-hours: Monday 0, Tuesday 1
    add_lesson(1, 0, 1, 1);
    rebuild_mini_school();
    EXPECT_EQ(delta_of(84, 1), c.expected) << c.id;
    EXPECT_EQ(g_evaluators[84].full(), c.expected) << c.id;
  }
  reset_run_state();
}

}  // namespace

namespace {

// Teacher 1 stands for 1A's calendar; teacher 0 teaches 1A, teacher 2 is a
// laboratory teacher. hours[d]: 1A's lessons from the day's first hour,
// the last lab_hours[d] of them the laboratory teacher's.
void calendar_week(const int (&hours)[5], const int (&lab_hours)[5] = {0, 0, 0, 0, 0}) {
  mini_school(5, 6, 3, 1);
  g_eng_teachers[1].calendar_class = 0;
  g_eng_teachers[2].type_flags = kTeacherLaboratory;
  for (int d = 0; d < 5; ++d)
    for (int h = 0; h < hours[d]; ++h) add_lesson(h >= hours[d] - lab_hours[d] ? 2 : 0, 0, d, h);
  rebuild_mini_school();
}

std::int64_t calendar_count() {
  std::int64_t delta = delta_of(84, 1);
  EXPECT_EQ(g_evaluators[84].full(), delta);
  return delta;
}

}  // namespace

// The class calendar (84) with the week's days named by their lesson counts
// ("SKAV:"/"SKAVB:", e.g. "665"): each count not found among the days costs
// its distance to the nearest day left, and the better of the two strings
// counts.
TEST(SolverFaults, ClassCalendarPricesTheWeekAgainstItsBetterDayPattern) {
  struct Case {
    const char* first;
    const char* second;
    std::int64_t expected;
  } cases[] = {
      {"665", "", 0},     // Monday, Tuesday and Wednesday match
      {"666", "", 1},     // the third 6 takes Wednesday's 5
      {"6665", "", 2},    // the third 6 takes a 4
      {"6665", "44", 0},  // the second string matches
      {"7", "", 1},
  };
  for (const Case& c : cases) {
    calendar_week({6, 6, 5, 4, 4});
    EngineClass& k = g_eng_classes[0];
    std::memset(k.special_weekdays, 0, sizeof k.special_weekdays);
    std::memset(k.special_weekdays_b, 0, sizeof k.special_weekdays_b);
    std::memcpy(k.special_weekdays, c.first, std::strlen(c.first));
    std::memcpy(k.special_weekdays_b, c.second, std::strlen(c.second));
    EXPECT_EQ(calendar_count(), c.expected) << c.first << "/" << c.second;
  }
  reset_run_state();
}

// The class calendar's return days (Wednesday here): a return day's lessons
// past the earliest end of the other days count an hour each, the
// laboratory teacher's last hours of the day left out.
TEST(SolverFaults, ClassCalendarReturnDaysEndWithTheOtherDays) {
  struct Case {
    const char* id;
    int hours[5];
    int lab_hours[5];
    std::uint8_t return_days;
    std::int64_t expected;
  } cases[] = {
      {"Wednesday full, the others end at 4", {4, 4, 6, 4, 4}, {0, 0, 0, 0, 0}, 0x04, 2},
      {"Wednesday one hour longer", {4, 4, 5, 4, 4}, {0, 0, 0, 0, 0}, 0x04, 1},
      {"Monday ends at 3", {3, 4, 6, 4, 4}, {0, 0, 0, 0, 0}, 0x04, 3},
      {"Wednesday shorter", {4, 4, 3, 4, 4}, {0, 0, 0, 0, 0}, 0x04, 0},
      {"the last two hours in the laboratory", {4, 4, 6, 4, 4}, {0, 0, 2, 0, 0}, 0x04, 0},
      {"one laboratory hour", {4, 4, 6, 4, 4}, {0, 0, 1, 0, 0}, 0x04, 1},
      {"Wednesday and Friday", {4, 4, 6, 4, 5}, {0, 0, 0, 0, 0}, 0x14, 3},
      {"no return day", {4, 4, 6, 4, 4}, {0, 0, 0, 0, 0}, 0, 0},
  };
  for (const Case& c : cases) {
    calendar_week(c.hours, c.lab_hours);
    g_school_rule_params.return_days = c.return_days;
    g_school_rule_params.return_teacher_flags = kTeacherLaboratory;
    EXPECT_EQ(calendar_count(), c.expected) << c.id;
  }
  g_school_rule_params.return_days = 0;
  g_school_rule_params.return_teacher_flags = 0;
  reset_run_state();
}

// The car share (30): the partner with more weekly hours drives (VERDI on
// equal hours, as the teacher who asks); each hour of the other outside the
// driver's span of the day counts, and a wait widens the span by an hour,
// before it where the day leaves room, else after it. ROSSI teaches Monday
// 1-2 and Tuesday 1-2.
TEST(SolverFaults, CarShareCountsTheRidersHoursOutsideTheDriversDay) {
  struct Case {
    const char* id;
    int wait;
    std::vector<std::pair<int, int>> verdi;  // VERDI's hours
    std::int64_t expected;
  } cases[] = {
      {"ROSSI drives", 0, {{0, 0}, {0, 3}, {1, 1}}, 2},
      {"ROSSI drives, an hour's wait before", 1, {{0, 0}, {0, 3}, {1, 1}}, 1},
      {"VERDI drives", 0, {{0, 0}, {0, 3}, {1, 0}, {2, 0}, {2, 1}}, 2},
      {"VERDI drives, an hour's wait after", 1, {{0, 0}, {0, 3}, {1, 0}, {2, 0}, {2, 1}}, 1},
      {"equal hours: VERDI drives", 0, {{0, 0}, {0, 3}, {1, 0}, {2, 0}}, 2},
  };
  for (const Case& c : cases) {
    load("GM:MAT\t\nROSSI\t1A 4\t\nVERDI\t2A " + std::to_string(c.verdi.size()) + "\t\nV:\tVERDI\tCARSHARE:ROSSI:" +
         std::to_string(c.wait) + "\t\n");
    or_prepare_model_for_solving();
    std::vector<std::pair<int, int>> week = {{0, 1}, {0, 2}, {1, 1}, {1, 2}};  // ROSSI's, then VERDI's
    week.insert(week.end(), c.verdi.begin(), c.verdi.end());
    for (std::size_t l = 0; l < week.size(); ++l) {
      g_eng_lessons[l].day = static_cast<std::uint8_t>(week[l].first);
      g_eng_lessons[l].hour = static_cast<std::uint8_t>(week[l].second);
    }
    rebuild_mini_school();
    int verdi = teacher_named("VERDI");
    ASSERT_EQ(+g_eng_teachers[verdi].carshare_wait, c.wait) << c.id;
    EXPECT_EQ(delta_of(30, verdi), c.expected) << c.id;
    EXPECT_EQ(g_evaluators[30].full(), c.expected) << c.id;
  }
  reset_run_state();
}

// The dynamic building management (68): each day the first hour's lessons
// of the first building that take part in the selection are held between 4
// and 6 (6 and 6 on Saturday); every lesson of a teacher it concerns pays
// the week's shortfall and excess. counts[d]: such lessons on day d, one per
// class from 1A; PROF7, whom the rule concerns, teaches one lesson.
TEST(SolverFaults, DynamicBuildingsHoldTheFirstHourBetweenTheDaysBounds) {
  struct Case {
    const char* id;
    int counts[6];
    std::int64_t expected;
  } cases[] = {
      {"within every day's bounds", {4, 4, 4, 6, 5, 6}, 0},
      {"Monday one short", {3, 4, 4, 4, 4, 6}, 1},
      {"Tuesday one over", {4, 7, 4, 4, 4, 6}, 1},
      {"Friday one over", {4, 4, 4, 4, 7, 6}, 1},
      {"Friday two short", {4, 4, 4, 4, 2, 6}, 2},
      {"Saturday one short", {4, 4, 4, 4, 4, 5}, 1},
      {"Saturday one over", {4, 4, 4, 4, 4, 7}, 1},
      {"each day off", {3, 7, 0, 7, 7, 4}, 1 + 1 + 4 + 1 + 1 + 2},
      {"each day off, PROF7 teaching Thursday's eighth lesson: two lessons", {3, 7, 0, 8, 7, 4}, 2 * 11},
  };
  for (const Case& c : cases) {
    mini_school(6, 6, 8, 8);
    g_eng_school.uses_tekgrado = 1;
    for (int d = 0; d < 6; ++d)
      for (int k = 0; k < c.counts[d]; ++k) {
        int l = add_lesson(k, k, d, 0);
        g_eng_lessons[l].building = 0;
      }
    add_lesson(7, 7, 0, 3);
    rebuild_mini_school();
    for (int l = 0; l < g_eng_school.lesson_count; ++l) g_lesson_rule_params[l].selection = 1;
    g_eng_teachers[7].tekgrado[1] = 1;
    EXPECT_EQ(delta_of(68, 7), c.expected) << c.id;
    EXPECT_EQ(g_evaluators[68].full(), c.expected) << c.id;
  }
  reset_run_state();
}
