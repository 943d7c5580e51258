// Seeded initial assignment: every lesson placed without a clash and without
// a class gap, laboratory lessons first, and the bounded end of a school
// that cannot be placed.
#include <gtest/gtest.h>

#include <string>

#include "engine/engine_random.h"
#include "engine/errors.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/initial_assignment.h"
#include "solver/placement_state.h"

namespace {

struct SchoolCase {
  const char* id;
  SchoolSpec spec;
  std::uint64_t seed;
  friend void PrintTo(const SchoolCase& k, std::ostream* os) { *os << k.id; }
};

SchoolSpec spec(int classes, int days, int hours, int per_class, int teachers, int labs) {
  SchoolSpec s;
  s.classes = classes;
  s.days = days;
  s.hours = hours;
  s.lessons_per_class = per_class;
  s.teachers = teachers;
  s.lab_lessons_per_class = labs;
  return s;
}

class Assignment : public ::testing::TestWithParam<SchoolCase> {};

TEST_P(Assignment, PlacesEveryLessonWithoutClashOrClassGap) {
  build_school(GetParam().spec, GetParam().seed);
  g_engine_random.seed_with(GetParam().seed);
  ASSERT_GE(or_place_lessons_randomly(1, 0), 0);
  // After the first pass only the laboratory lessons are placed, all of them.
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    EXPECT_EQ(lesson_placed(l), g_eng_lessons[l].piece_kind == kHasLaboratoryPart) << l;
  ASSERT_GE(or_place_lessons_randomly(0, 0), 0);
  or_rebuild_class_grids();
  if (or_any_class_has_gap()) {
    ASSERT_GE(or_repair_restored_timetable(g_eng_school.lesson_count), 0);
  }
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    ASSERT_TRUE(lesson_placed(l)) << l;
    ASSERT_EQ(or_find_lesson_conflict(l), kNoConflict) << l;
  }
  or_rebuild_class_grids();
  or_rebuild_teacher_grids();
  EXPECT_EQ(or_any_class_has_gap(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Schools, Assignment,
    ::testing::Values(SchoolCase{"small_full_week", spec(6, 5, 6, 30, 12, 2), 1},
                      SchoolCase{"small_part_week", spec(6, 5, 6, 26, 12, 2), 2},
                      SchoolCase{"six_days", spec(12, 6, 5, 30, 24, 3), 3},
                      SchoolCase{"no_labs", spec(8, 5, 6, 28, 14, 0), 4},
                      SchoolCase{"large", spec(30, 6, 6, 32, 60, 3), 5}),
    [](const auto& info) { return std::string(info.param.id); });

TEST(AssignmentBounds, AnUnplaceableLessonEndsAsImpossibleNamingIt) {
  // One teacher with more lessons than the week has slots.
  SchoolSpec s = spec(2, 2, 3, 6, 2, 0);
  build_school(s, 9);
  for (int l = 0; l < g_eng_school.lesson_count; ++l) g_eng_lessons[l].teacher = 0;
  g_engine_random.seed_with(1);
  try {
    or_place_lessons_randomly(1, 0);
    or_place_lessons_randomly(0, 0);
    FAIL() << "placed a teacher in two classes at once";
  } catch (const EngineError& e) {
    EXPECT_EQ(e.code, -3);
    std::string message = g_status.message;
    EXPECT_NE(message.find("Impossibile collocare la cattedra/ora"), std::string::npos) << message;
    EXPECT_NE(message.find("PROF00"), std::string::npos) << message;
  }
}

TEST(AssignmentBounds, AStopRequestEndsThePass) {
  build_school(SchoolSpec{}, 1);
  g_status.run_state = kRunStateStopRequested;
  EXPECT_EQ(or_place_lessons_randomly(0, 0), -1);
  g_status.run_state = kRunStateRunning;
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    if (lesson_placed(l)) {
      EXPECT_EQ(or_find_lesson_conflict(l), kNoConflict);
    }
}

std::int64_t g_fake_seconds = 0;
std::int64_t jumping_clock() { return g_fake_seconds += 61; }

TEST(AssignmentBounds, TheRemainingPassHandsOverAfterSixtySeconds) {
  build_school(SchoolSpec{}, 6);
  or_set_solver_clock(jumping_clock);
  g_engine_random.seed_with(2);
  int result = or_place_remaining_randomly(2, 0);
  or_set_solver_clock(nullptr);
  EXPECT_GE(result, 1);
  for (int l = 0; l < g_eng_school.lesson_count; ++l) {
    ASSERT_TRUE(lesson_placed(l));
    ASSERT_EQ(or_find_lesson_conflict(l), kNoConflict);
  }
}

struct SeedCase {
  const char* id;
  std::int64_t now;
  int worker;
  std::int64_t requested;
  std::int32_t expected;
};

class Seed : public ::testing::TestWithParam<SeedCase> {};

TEST_P(Seed, FromTheClockOrTheRequest) {
  const SeedCase& k = GetParam();
  std::int64_t saved = g_requested_seed;
  g_requested_seed = k.requested;
  EXPECT_EQ(or_run_seed(k.now, k.worker), k.expected);
  g_requested_seed = saved;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Seed,
    ::testing::Values(SeedCase{"clock", 1000, 0, -1, 1002}, SeedCase{"wraps", 988988990, 0, -1, 4},
                      SeedCase{"worker", 1000, 3, -1, 1053}, SeedCase{"requested", 1000, 3, 77, 77}),
    [](const auto& info) { return std::string(info.param.id); });

}  // namespace
