// A teaching line's four consecutive-hour maps given to its lessons: each
// digit d gives d lessons of the line the block length d (the main maps) or
// the part's block length d (the part's maps, only lessons with a part);
// maps of one digit too; a map asking for more lessons than the line has is
// refused.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/loader_internal.h"
#include "save_test_fixture.h"

namespace {

// ROSSI teaches 1A six hours of physics, each with BIANCHI's lab part.
void physics_line() {
  save_test::reset_school();
  int k = save_test::add_class("1A");
  int s = save_test::add_subject("FISICA");
  int t = save_test::add_teacher("ROSSI");
  int lab = save_test::add_teacher("BIANCHI");
  for (int i = 0; i < 6; ++i) save_test::add_lesson(t, k, s, lab);
}

std::vector<int> lengths(bool part) {
  std::vector<int> out;
  for (int i = 0; i < g_eng_school.lesson_count; ++i)
    out.push_back(part ? g_eng_lessons[i].part_block_length : g_eng_lessons[i].block_length);
  return out;
}

TEST(ConsecutiveMapsApply, EachMapGivesItsLessonsTheirBlockLength) {
  struct Case {
    int map;
    const char* text;
    std::vector<int> blocks;  // the block lengths of the six lessons, main or part
  } cases[] = {
      {0, "2", {2, 2, 0, 0, 0, 0}}, {0, "23", {2, 2, 3, 3, 3, 0}}, {1, "3", {3, 3, 3, 0, 0, 0}},
      {1, "22", {2, 2, 2, 2, 0, 0}}, {2, "2", {2, 2, 0, 0, 0, 0}}, {2, "32", {3, 3, 3, 2, 2, 0}},
      {3, "2", {2, 2, 0, 0, 0, 0}}, {3, "3", {3, 3, 3, 0, 0, 0}}, {3, "22", {2, 2, 2, 2, 0, 0}},
  };
  for (const Case& c : cases) {
    physics_line();
    bool part = c.map >= 2;
    std::vector<int> other = lengths(!part), before = lengths(part);
    std::snprintf(g_eng_lessons[0].consecutive_maps[c.map], 13, "%s", c.text);
    or_apply_consecutive_maps();
    std::vector<int> want = c.blocks;
    for (std::size_t i = 0; i < want.size(); ++i)
      if (want[i] == 0) want[i] = before[i];
    EXPECT_EQ(lengths(part), want) << c.map << " " << c.text;
    EXPECT_EQ(lengths(!part), other) << c.map << " " << c.text;
  }
}

TEST(ConsecutiveMapsApply, AMapAskingForMoreLessonsThanTheLineHasIsRefused) {
  for (int map : {0, 2}) {
    physics_line();
    std::snprintf(g_eng_lessons[0].consecutive_maps[map], 13, "%s", "43");
    EXPECT_ANY_THROW(or_apply_consecutive_maps()) << map;
  }
}

}  // namespace
