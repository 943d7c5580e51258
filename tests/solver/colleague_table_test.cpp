// The colleague table the balancing's rotations walk, made from the sample
// schools as the engine loads them: one record for every pair of teachers
// (the second of a higher index) who share a class, for every other class
// of the second teacher, holding the first teacher's lessons in the shared
// class and the second's in the other class, each without a second
// teacher; the console line names the number of records and their size.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/colleague_rotations.h"
#include "solver/solver_state.h"

namespace {

class ColleagueTable : public LoadedSampleSchool {};

// The teacher's lessons in class c without a second teacher, in lesson order.
std::vector<std::uint32_t> own_lessons(int teacher, int c) {
  std::vector<std::uint32_t> out;
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    if (g_eng_lessons[l].teacher == teacher && g_eng_lessons[l].class_index == c && !lesson_has_second_teacher(l))
      out.push_back(static_cast<std::uint32_t>(l));
  return out;
}

std::set<int> classes_of(int teacher) {
  std::set<int> out;
  const EngineTeacher& t = g_eng_teachers[teacher];
  for (int i = 0; i < t.class_count && i < kWeekSlots && t.class_indexes[i] >= 0; ++i) out.insert(t.class_indexes[i]);
  return out;
}

TEST_P(ColleagueTable, OneRecordPerSharedClassAndOtherClassOfTheColleague) {
  testing::internal::CaptureStdout();
  or_alloc_colleague_table();
  std::string out = testing::internal::GetCapturedStdout();
  using Record = std::tuple<int, int, int, int>;
  std::multiset<Record> want;
  int teachers = g_eng_school.teacher_count;
  for (int p = 0; p + 1 < teachers; ++p)
    for (int c : classes_of(p))
      for (int q = p + 1; q < teachers; ++q) {
        std::set<int> of_q = classes_of(q);
        if (of_q.count(c) == 0) continue;
        for (int c2 : of_q)
          if (c2 != c) want.insert({p, q, c, c2});
      }
  ASSERT_FALSE(want.empty());
  ASSERT_EQ(g_colleague_pair_count, static_cast<int>(want.size()));
  ASSERT_NE(g_colleague_table, nullptr);
  std::multiset<Record> got;
  for (int i = 0; i < g_colleague_pair_count; ++i) {
    const ColleaguePair& r = g_colleague_table[i];
    int p = static_cast<int>(r.first_teacher), q = static_cast<int>(r.second_teacher);
    int c = static_cast<int>(r.shared_class), c2 = static_cast<int>(r.other_class);
    got.insert({p, q, c, c2});
    std::vector<std::uint32_t> first(r.first_list, r.first_list + std::max<int>(0, r.first_count));
    std::vector<std::uint32_t> second(r.second_list, r.second_list + std::max<int>(0, r.second_count));
    EXPECT_EQ(first, own_lessons(p, c)) << "record " << i;
    EXPECT_EQ(second, own_lessons(q, c2)) << "record " << i;
  }
  EXPECT_EQ(got, want);
  std::string line = "Coppie di colleghi allocate " + std::to_string(want.size()) + " size " +
                     std::to_string(want.size() * sizeof(ColleaguePair)) + " \n";
  EXPECT_EQ(out, line);
}

INSTANTIATE_TEST_SUITE_P(Examples, ColleagueTable, ::testing::Values("piccola", "liceo"));

}  // namespace
