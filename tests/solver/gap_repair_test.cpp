// Closing a class's gaps in a complete placement (a saved week that no
// longer fits, or a fresh random placement): a gap is closed first by
// pulling down a later lesson of the class, searched over every day of the
// week whichever day the search starts from, so that a gap with a later
// lesson on its own day takes one move, whatever the seed.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/engine_random.h"
#include "school_fixture.h"
#include "solver/initial_assignment.h"
#include "solver/placement_state.h"

namespace {

std::uint16_t at(int day, int hour) { return static_cast<std::uint16_t>(day | (hour << 8)); }

struct Case {
  std::vector<std::uint16_t> class0;   // the places of class 0's lessons
  std::vector<std::uint16_t> after;    // the same lessons after the repair
  int moves;
};

TEST(GapRepair, ALaterLessonIsPulledDownWhateverDayTheSearchStartsFrom) {
  const Case cases[] = {
      // Monday 0 and 2: the lesson at 2 comes down to 1.
      {{at(0, 0), at(0, 2)}, {at(0, 0), at(0, 1)}, 1},
      // Wednesday 0, 1 and 4: the latest comes down to 2, then the next gap
      // (Wednesday 3) has no later lesson and none is needed.
      {{at(2, 0), at(2, 1), at(2, 4)}, {at(2, 0), at(2, 1), at(2, 2)}, 1},
      // Friday 0 and 3: the lesson at 3 comes down to 1.
      {{at(4, 0), at(4, 3)}, {at(4, 0), at(4, 1)}, 1},
  };
  for (const Case& c : cases) {
    for (std::uint64_t seed = 1; seed <= 25; ++seed) {
      SCOPED_TRACE("class 0 on day " + std::to_string(c.class0[0] & 0xFF) + ", seed " + std::to_string(seed));
      SchoolSpec spec;
      spec.classes = 2;
      spec.lessons_per_class = static_cast<int>(c.class0.size());
      spec.teachers = 4;
      spec.lab_lessons_per_class = 0;
      build_school(spec, 7);
      std::vector<int> own, other;
      for (int l = 0; l < g_eng_school.lesson_count; ++l)
        (g_eng_lessons[l].class_index == 0 ? own : other).push_back(l);
      ASSERT_EQ(own.size(), c.class0.size());
      for (std::size_t i = 0; i < own.size(); ++i) set_lesson_place(own[i], c.class0[i]);
      // Class 1 on Tuesday from the first hour, out of class 0's way.
      for (std::size_t i = 0; i < other.size(); ++i) set_lesson_place(other[i], at(1, static_cast<int>(i)));
      g_engine_random.seed_with(seed);
      ASSERT_EQ(or_repair_restored_timetable(g_eng_school.lesson_count), c.moves);
      for (std::size_t i = 0; i < own.size(); ++i) EXPECT_EQ(lesson_place(own[i]), c.after[i]) << "lesson " << i;
      for (std::size_t i = 0; i < other.size(); ++i)
        EXPECT_EQ(lesson_place(other[i]), at(1, static_cast<int>(i))) << "class 1 stays";
      EXPECT_EQ(or_any_class_has_gap(), 0);
    }
  }
}

}  // namespace
