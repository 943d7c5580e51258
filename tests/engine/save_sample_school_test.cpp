// The small sample school end to end through the engine core: the
// description loads, the post-passes derive the model, a hand-made plain
// save (tests/data/savefiles/piccola-savego.txt, the reference clash-free
// week written as save lines) loads whole, and the preparation derives the
// values worked out by hand from the description's teacher lines.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "engine/errors.h"
#include "engine/loader.h"
#include "engine/placement_check.h"
#include "engine/presolve.h"
#include "engine/save_files.h"
#include "engine/timetable_view.h"
#include "save_test_fixture.h"

namespace fs = std::filesystem;

namespace {

int teacher(const char* name) {
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (std::strcmp(g_eng_teachers[t].name, name) == 0) return t;
  return -1;
}

class SampleSchool : public ::testing::Test {
 protected:
  void SetUp() override {
    save_test::load_sample_school(folder);
  }
  save_test::SchoolFolder folder;
};

TEST_F(SampleSchool, HandMadeSaveLoadsWhole) {
  ASSERT_EQ(g_eng_school.lesson_count, 180);
  EXPECT_EQ(g_eng_school.real_class_count, 6);
  EXPECT_EQ(g_eng_run.weekly_slots, 30) << "six days of five hours";
  EXPECT_EQ(or_load_timetable(0), 0);
  EXPECT_EQ(or_first_misplaced_lesson(true), -1);
  // Lesson 0 is ROSSI's Italian in 1A, on Monday's second hour.
  EXPECT_EQ(g_eng_lessons[0].day, 0);
  EXPECT_EQ(g_eng_lessons[0].hour, 1);
}

TEST_F(SampleSchool, SaveOfTheLoadedWeekReadsBackTheSame) {
  ASSERT_EQ(or_load_timetable(0), 0);
  std::vector<int> before = save_test::placements();
  or_save_timetable(-1);
  for (int i = 0; i < g_eng_school.lesson_count; ++i) save_test::place(i, -1, 0);
  EXPECT_EQ(or_load_timetable(0), 0);
  EXPECT_EQ(save_test::placements(), before);
}

TEST_F(SampleSchool, HourTotalsAndWeeklyHours) {
  struct Case {
    const char* name;
    int lessons, classes;
  } cases[] = {{"ROSSI", 18, 2}, {"ESPOSITO", 8, 1}, {"MANCINI", 6, 6}, {"COLOMBO_LAB", 3, 3}, {"FERRARI", 16, 3}};
  for (const Case& c : cases) {
    int t = teacher(c.name);
    ASSERT_GE(t, 0) << c.name;
    EXPECT_EQ(g_eng_teachers[t].lesson_hours, c.lessons) << c.name;
    EXPECT_EQ(g_eng_teachers[t].weekly_hours, c.lessons) << c.name << ": no stand-by or support hours";
    EXPECT_EQ(g_eng_teachers[t].class_count, c.classes) << c.name;
  }
  int rossi = teacher("ROSSI");
  EXPECT_EQ(g_eng_teachers[rossi].class_hours[0], 10) << "1A: Italian 6, history 2, geography 2";
  EXPECT_EQ(g_eng_teachers[rossi].class_hours[1], 8) << "2A: Italian 6, history 2";
}

TEST_F(SampleSchool, PreparationDerivesTheTeacherLimits) {
  ASSERT_EQ(or_load_timetable(0), 0);
  or_prepare_model_for_solving();
  struct Case {
    const char* name;
    int teaching, presence, min_days, max_days;
  } cases[] = {
      {"COLOMBO", 4, 99, 6, 6},   // INSEGNA:4; no bands, so the week bounds the days
      {"GRECO", 4, 99, 6, 6},     // INSEGNA:4
      {"ROSSI", 99, 99, 6, 6},
      {"ESPOSITO", 99, 99, 3, 3}, // GMAX:3 lowers the minimum too
      {"BRUNO", 99, 99, 4, 4},    // GMAX:4
      {"MANCINI", 99, 99, 2, 2},  // GMAX:2
  };
  for (const Case& c : cases) {
    const EngineTeacher& x = g_eng_teachers[teacher(c.name)];
    EXPECT_EQ(x.max_teaching_per_day, c.teaching) << c.name;
    EXPECT_EQ(x.max_presence_per_day, c.presence) << c.name;
    EXPECT_EQ(x.min_working_days, c.min_days) << c.name;
    EXPECT_EQ(x.max_working_days, c.max_days) << c.name;
  }
  // BIANCHI OP:LU:1-2: the allowed grid is the complement within each day.
  const EngineTeacher& bianchi = g_eng_teachers[teacher("BIANCHI")];
  EXPECT_EQ(bianchi.allowed_hours[0], 0);
  EXPECT_EQ(bianchi.allowed_hours[1], 0);
  EXPECT_EQ(bianchi.allowed_hours[2], 1);
  EXPECT_EQ(bianchi.allowed_hours[5], 0) << "the day has five hours";
  EXPECT_EQ(bianchi.allowed_hours[12], 1);
  EXPECT_EQ(bianchi.forbidden_hours[0], 255) << "the forbidden grid is used up";
  // Lesson limits: ESPOSITO's lessons may use 3 days; FERRARI loses 4 slots.
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (l.teacher == teacher("ESPOSITO")) {
      EXPECT_EQ(l.day_limit, 3);
    }
    if (l.teacher == teacher("FERRARI")) {
      EXPECT_EQ(l.day_limit, 6);
      EXPECT_EQ(l.slot_limit, 26);
    }
  }
  // Class 1A: twelve subjects, Italian six hours.
  const EngineClass& k = g_eng_classes[0];
  EXPECT_EQ(k.tally_count, 12);
  int italian = -1;
  for (int p = 0; p < k.tally_count; ++p)
    if (std::strcmp(g_eng_subjects[k.tally_subjects[p]].group_name, "ITALIANO") == 0) italian = p;
  ASSERT_GE(italian, 0);
  EXPECT_EQ(k.tally_hours[italian], 6);
  EXPECT_TRUE(g_eng_run.prepared);
}

TEST_F(SampleSchool, PreparingTwiceChangesNothing) {
  ASSERT_EQ(or_load_timetable(0), 0);
  or_prepare_model_for_solving();
  std::vector<std::uint8_t> first(reinterpret_cast<const std::uint8_t*>(g_eng_teachers),
                                  reinterpret_cast<const std::uint8_t*>(g_eng_teachers + g_eng_school.teacher_count));
  or_prepare_model_for_solving();
  std::vector<std::uint8_t> second(reinterpret_cast<const std::uint8_t*>(g_eng_teachers),
                                   reinterpret_cast<const std::uint8_t*>(g_eng_teachers + g_eng_school.teacher_count));
  EXPECT_TRUE(first == second);
}

TEST_F(SampleSchool, ViewAfterTheLoad) {
  ASSERT_EQ(or_load_timetable(0), 0);
  or_build_timetable_view();
  const TimetableView& v = g_timetable_view;
  EXPECT_EQ(v.days_per_week, 6);
  EXPECT_EQ(v.real_teacher_count, 15u);
  EXPECT_EQ(v.pseudo_teacher_count, 0u);
  EXPECT_EQ(v.class_count, 6u);
  EXPECT_STREQ(v.class_codes[0], "1A");
  EXPECT_EQ(v.teacher_lesson_count[teacher("ROSSI")], 18u);
}

}  // namespace

namespace {

TEST(SampleLiceo, LoadsDerivesAndPreparesWithoutATimetable) {
  save_test::SchoolFolder folder;
  fs::copy_file(fs::path(KT_SOURCE_DIR) / "examples/liceo/scuola2.txt", folder.path() / "scuola2.txt");
  save_test::reset_run_flags();
  or_reset_model();
  or_load_description("scuola2.txt", 0);
  EXPECT_EQ(g_eng_school.lesson_count, 750);
  EXPECT_EQ(g_eng_school.class_count, 25);
  EXPECT_EQ(or_load_timetable(0), -3) << "no save yet";
  EXPECT_NO_THROW(or_prepare_model_for_solving());
  or_build_timetable_view();
  EXPECT_EQ(g_timetable_view.class_count, 25u);
  int teachers_with_limits = 0;
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    teachers_with_limits += g_eng_teachers[t].max_working_days > 0 ? 1 : 0;
  EXPECT_GT(teachers_with_limits, 0);
}

}  // namespace
