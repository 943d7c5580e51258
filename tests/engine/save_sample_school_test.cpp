// The preparation of the sample school "piccola" with its hand-made save
// (tests/data/savefiles/piccola-savego.txt) it derives the values worked out
// by hand from the description's teacher lines.
#include <gtest/gtest.h>

#include <vector>

#include "engine/presolve.h"
#include "engine/save_files.h"
#include "save_test_fixture.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> teacher_bytes() {
  const auto* t = reinterpret_cast<const std::uint8_t*>(g_eng_teachers);
  return std::vector<std::uint8_t>(t, t + g_eng_school.teacher_count * sizeof(EngineTeacher));
}

TEST(SampleSchool, PreparationDerivesTheTeacherLimitsOnce) {
  save_test::SchoolFolder folder;
  save_test::load_sample_school(folder);
  ASSERT_EQ(or_load_timetable(0), 0);
  or_prepare_model_for_solving();
  struct Case { const char* name; int teaching, presence, min_days, max_days; } cases[] = {
      {"COLOMBO", 4, 99, 6, 6},   // INSEGNA:4; no bands, so the week bounds the days
      {"ESPOSITO", 99, 99, 3, 3}, // GMAX:3 lowers the minimum too
      {"MANCINI", 99, 99, 2, 2},  // GMAX:2
  };
  for (const Case& c : cases) {
    const EngineTeacher& x = g_eng_teachers[engine_test::teacher_index(c.name)];
    EXPECT_EQ((std::vector<int>{x.max_teaching_per_day, x.max_presence_per_day, x.min_working_days, x.max_working_days}),
              (std::vector<int>{c.teaching, c.presence, c.min_days, c.max_days})) << c.name;
  }
  // Lesson limits: ESPOSITO's lessons may use 3 days; FERRARI loses 4 slots.
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (l.teacher == engine_test::teacher_index("ESPOSITO")) { EXPECT_EQ(l.day_limit, 3); }
    if (l.teacher == engine_test::teacher_index("FERRARI")) { EXPECT_EQ((std::vector<int>{l.day_limit, l.slot_limit}), (std::vector<int>{6, 26})); }
  }
  EXPECT_EQ(g_eng_classes[0].tally_count, 12) << "1A has twelve subjects";
  EXPECT_TRUE(g_eng_run.prepared);
  std::vector<std::uint8_t> first = teacher_bytes();
  or_prepare_model_for_solving();
  EXPECT_TRUE(teacher_bytes() == first) << "preparing twice changes nothing";
}

}  // namespace
