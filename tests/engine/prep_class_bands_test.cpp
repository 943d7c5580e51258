// A teacher's block band ("GRUPPIOREMAX:" pairs of block length and count)
// made for each of his classes by the preparation: copied from his own, and
// when one of its lengths can be reached in the class, raised so that the
// class's hours spread over his working days fit (the even share on every
// day, one hour more on the days left over), and a pair of the length of the
// class's own daily limit held at least once. Values worked out by hand on
// one class and one teacher working five days.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "engine/presolve.h"
#include "save_test_fixture.h"

namespace {

using Pairs = std::vector<std::pair<int, int>>;

TEST(PrepClassBands, EachClassGetsTheTeachersBandRaisedToItsHours) {
  struct Case {
    const char* id;
    int hours;       // of the teacher in the class
    int daily;       // the line's own daily limit ("PMGY:"), 0 none
    Pairs own;       // the teacher's band
    Pairs expected;  // the class's band
  } cases[] = {
      // 12 hours on 5 days: 2 a day, 3 on two of them.
      {"raised", 12, 0, {{3, 0}}, {{3, 2}, {2, 5}}},
      // 10 hours on 5 days: 2 every day.
      {"even", 10, 0, {{2, 0}}, {{2, 5}}},
      // No length the class can reach (at most 3 a day): the band as it is.
      {"out of reach", 12, 0, {{5, 0}}, {{5, 0}}},
      // The line's own limit of 4 a day: a block of 4 at least once (the
      // teacher's band already holds his 12 hours: 4 blocks of 3).
      {"own daily limit", 12, 4, {{4, 0}, {3, 4}}, {{4, 1}, {3, 4}, {2, 5}}},
      // A count already given stays.
      {"given count kept", 12, 4, {{4, 2}, {3, 4}}, {{4, 2}, {3, 4}, {2, 5}}},
      // Without the line's limit the most a day is 3: no block of 4 asked.
      {"no own limit", 12, 0, {{4, 0}, {3, 4}}, {{4, 0}, {3, 4}, {2, 5}}},
  };
  for (const Case& c : cases) {
    save_test::reset_school();
    int k = save_test::add_class("1A");
    int s = save_test::add_subject("ITALIANO");
    int t = save_test::add_teacher("ROSSI");
    for (int i = 0; i < c.hours; ++i) {
      int l = save_test::add_lesson(t, k, s);
      g_eng_lessons[l].pmgy_digit = static_cast<std::uint8_t>(c.daily);
      save_test::place(l, i / 6, i % 6);
    }
    or_count_hours(0);
    EngineTeacher& x = g_eng_teachers[t];
    x.gruppioremax_count = static_cast<std::int8_t>(c.own.size());
    for (std::size_t p = 0; p < c.own.size(); ++p) {
      x.gruppioremax_pairs[p][0] = static_cast<std::int8_t>(c.own[p].first);
      x.gruppioremax_pairs[p][1] = static_cast<std::int8_t>(c.own[p].second);
    }
    or_prepare_model_for_solving();
    ASSERT_EQ(x.max_working_days, 5) << c.id;
    ASSERT_EQ(x.class_count, 1) << c.id;
    Pairs got;
    for (int p = 0; p < x.class_gruppioremax_count[0]; ++p)
      got.emplace_back(x.class_gruppioremax_pairs[0][p][0], x.class_gruppioremax_pairs[0][p][1]);
    EXPECT_EQ(got, c.expected) << c.id;
  }
}

}  // namespace
