// The school's rule bands (GRUPPIOREMAX, ULTIMEOREMAX) handed to each
// teacher who has none of his own before a search: every pair as the school
// gives it, at most eight; a teacher's own pairs stay.
#include <gtest/gtest.h>

#include <vector>

#include "engine/presolve.h"
#include "save_test_fixture.h"

namespace {

int one_teacher() {
  save_test::reset_school();
  int k = save_test::add_class("1A");
  int s = save_test::add_subject("ITALIANO");
  int t = save_test::add_teacher("ROSSI");
  for (int i = 0; i < 8; ++i) save_test::place(save_test::add_lesson(t, k, s), i / 6, i % 6);
  or_count_hours(0);
  return t;
}

void set_band(BandTable& band, int count) {
  band.count = static_cast<std::int8_t>(count);
  for (int i = 0; i < count; ++i) {
    band.pairs[i][0] = static_cast<std::int8_t>(10 + i);
    band.pairs[i][1] = static_cast<std::int8_t>(i + 1);
  }
}

std::vector<int> pairs_of(const std::int8_t (*pairs)[2], int count) {
  std::vector<int> out = {count};
  for (int i = 0; i < count && i < kRuleBandPairs; ++i) {
    out.push_back(pairs[i][0]);
    out.push_back(pairs[i][1]);
  }
  return out;
}

TEST(PrepRuleBands, TheSchoolsPairsReachEveryTeacherWithoutHisOwn) {
  for (int count : {1, 3, 8, 9}) {
    int t = one_teacher();
    set_band(g_eng_school.gruppioremax, count);
    set_band(g_eng_school.ultimeoremax, count);
    or_prepare_model_for_solving();
    std::vector<int> want = {count > kRuleBandPairs ? kRuleBandPairs : count};
    for (int i = 0; i < want[0]; ++i) {
      want.push_back(10 + i);
      want.push_back(i + 1);
    }
    const EngineTeacher& x = g_eng_teachers[t];
    EXPECT_EQ(pairs_of(x.gruppioremax_pairs, x.gruppioremax_count), want) << count;
    EXPECT_EQ(pairs_of(x.ultimeoremax_pairs, x.ultimeoremax_count), want) << count;
  }
}

TEST(PrepRuleBands, ATeachersOwnPairsStay) {
  int t = one_teacher();
  set_band(g_eng_school.gruppioremax, 3);
  set_band(g_eng_school.ultimeoremax, 3);
  EngineTeacher& x = g_eng_teachers[t];
  x.gruppioremax_count = 1;
  x.gruppioremax_pairs[0][0] = 30;
  x.gruppioremax_pairs[0][1] = 4;
  x.ultimeoremax_count = 2;
  x.ultimeoremax_pairs[0][0] = 5;
  x.ultimeoremax_pairs[0][1] = 1;
  x.ultimeoremax_pairs[1][0] = 20;
  x.ultimeoremax_pairs[1][1] = 2;
  or_prepare_model_for_solving();
  EXPECT_EQ(pairs_of(x.gruppioremax_pairs, x.gruppioremax_count), (std::vector<int>{1, 30, 4}));
  EXPECT_EQ(pairs_of(x.ultimeoremax_pairs, x.ultimeoremax_count), (std::vector<int>{2, 5, 1, 20, 2}));
}

}  // namespace
