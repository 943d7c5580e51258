// The buildings a teacher moves between, counted before a search from the
// buildings of all his lessons (a lesson of no known building counts with
// the first), or, where the school rotates its classes ("ROTAZIX"), as two
// when his classes stand in different buildings; two or more take the
// school's band of buildings ("IHBUCHECST:") when it has a value for them,
// and the school's gap tolerance for teachers between buildings
// ("IHBUCHECSB:", by weekly hours) in place of his own. Values worked out
// by hand on a small model: ROSSI with four lessons (12 weekly hours with
// the rest of the week's lessons of other teachers left out).
#include <gtest/gtest.h>

#include <vector>

#include "engine/presolve.h"
#include "save_test_fixture.h"

namespace {

void set_band(BandTable& band, std::initializer_list<std::pair<int, int>> pairs) {
  band.count = 0;
  for (auto [a, b] : pairs) {
    band.pairs[band.count][0] = static_cast<std::int8_t>(a);
    band.pairs[band.count++][1] = static_cast<std::int8_t>(b);
  }
}

struct Case {
  const char* id;
  std::vector<int> lesson_buildings;  // ROSSI's four lessons, in lesson order
  bool bands;                         // IHBUCHECST {(2,7),(9,8)}, IHBUCHECSB {(99,4)}
  int count, tolerance;               // tolerance from IHBUCHE: 1
};

TEST(PrepTeacherBuildings, CountedFromEveryLessonThenTheSchoolsBands) {
  const Case cases[] = {
      {"one building", {1, 1, 1, 1}, true, 1, 1},
      {"the first lesson alone in its building", {1, 2, 2, 2}, false, 2, 1},
      {"the last lesson alone in its building", {2, 2, 2, 1}, false, 2, 1},
      {"three buildings", {3, 1, 2, 3}, false, 3, 1},
      {"no known building counts with the first", {0, -1, 12, 0}, false, 1, 1},
      {"a known and an unknown one", {-1, 4, 4, 4}, false, 2, 1},
      {"two buildings, the bands", {1, 2, 2, 2}, true, 7, 4},
      {"three buildings, the bands", {3, 1, 2, 3}, true, 8, 4},
  };
  for (const Case& c : cases) {
    save_test::reset_school();
    int k = save_test::add_class("1A");
    int s = save_test::add_subject("ITALIANO");
    int t = save_test::add_teacher("ROSSI");
    for (int i = 0; i < 4; ++i) {
      int l = save_test::add_lesson(t, k, s);
      save_test::place(l, 0, i);
      g_eng_lessons[l].building = c.lesson_buildings[i];
    }
    or_count_hours(0);
    set_band(g_eng_school.ihbuche, {{99, 1}});
    if (c.bands) {
      set_band(g_eng_school.ihbuchecst, {{2, 7}, {9, 8}});
      set_band(g_eng_school.ihbuchecsb, {{99, 4}});
    }
    or_prepare_model_for_solving();
    const EngineTeacher& x = g_eng_teachers[t];
    EXPECT_EQ((std::vector<int>{x.building_count, x.gap_tolerance}), (std::vector<int>{c.count, c.tolerance})) << c.id;
  }
}

TEST(PrepTeacherBuildings, RotatingClassesCountTwoWhenTheirBuildingsDiffer) {
  struct Rotating { const char* id; std::vector<int> class_buildings; int count; } cases[] = {
      {"one class", {1}, 0},
      {"two classes, one building", {1, 1}, 0},
      {"two classes, two buildings", {1, 2}, 2},
      {"the first class elsewhere", {2, 1, 1}, 2},
      {"the last class elsewhere", {1, 1, 2}, 2},
  };
  for (const Rotating& c : cases) {
    save_test::reset_school();
    int s = save_test::add_subject("ITALIANO");
    int t = save_test::add_teacher("ROSSI");
    const char* codes[] = {"1A", "2A", "3A"};
    for (std::size_t i = 0; i < c.class_buildings.size(); ++i) {
      int k = save_test::add_class(codes[i]);
      g_eng_classes[k].building = c.class_buildings[i];
      save_test::place(save_test::add_lesson(t, k, s), 0, static_cast<int>(i));
    }
    or_count_hours(0);
    g_eng_school.rotazix_flag = 1;
    or_prepare_model_for_solving();
    EXPECT_EQ(+g_eng_teachers[t].building_count, c.count) << c.id;
  }
}

}  // namespace
