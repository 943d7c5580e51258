// The bounds of the seeded initial assignment (the placement itself is
// checked on the sample schools, the pass that places the missing lessons
// by the take-over of a partial save): a school that cannot be placed, and
// the run's seed.
#include <gtest/gtest.h>

#include <string>

#include "engine/engine_random.h"
#include "engine/errors.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/initial_assignment.h"
#include "solver/placement_state.h"

namespace {

TEST(AssignmentBounds, AnUnplaceableLessonEndsAsImpossibleNamingIt) {
  // One teacher with more lessons than the week has slots.
  build_school(SchoolSpec{2, 2, 3, 6, 2, 0}, 9);
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

// The remaining-placement pass (the take-over of a partial save) hands its
// lessons over to the plain pass once it has run for more than 60 seconds:
// the plain pass reads the clock only at its start. With a clock 60 seconds
// that always reads 60 seconds after the pass's start it keeps going,
// reading it at every try.
int g_clock_reads = 0;
std::int64_t g_clock_step = 0;
std::int64_t stepping_clock() { return g_clock_reads++ == 0 ? 0 : g_clock_step; }

TEST(AssignmentBounds, TheRemainingPassHandsOverAfterSixtySeconds) {
  for (std::int64_t step : {60, 61}) {
    SCOPED_TRACE(step);
    build_school(SchoolSpec{}, 6);
    g_clock_reads = 0;
    g_clock_step = step;
    or_set_solver_clock(stepping_clock);
    g_engine_random.seed_with(2);
    int result = or_place_remaining_randomly(2, 0);
    or_set_solver_clock(nullptr);
    EXPECT_GE(result, 1);
    if (step == 61)
      EXPECT_EQ(g_clock_reads, 3) << "its start, the first try past 60 s, the plain pass's start";
    else
      EXPECT_GT(g_clock_reads, g_eng_school.lesson_count);
    for (int l = 0; l < g_eng_school.lesson_count; ++l) {
      ASSERT_TRUE(lesson_placed(l)) << l;
      ASSERT_EQ(or_find_lesson_conflict(l), kNoConflict) << l;
    }
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
