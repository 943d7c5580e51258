// Before a search, each teacher takes the school's pause days of a class
// ("GIORNIPAUSACL:" pairs of day and value) unless he has his own pause
// ("GPAUSA:") or no hours, and the extra teaching and presence bands (the
// triples of lesson hours, block and count) of the last row his lesson hours
// reach, unless a band of his own already starts at that block or below;
// a laboratory teacher reads the laboratory bands of daily presence and
// teaching. Values worked out by hand on a small model (one class, one
// teacher with 12 lessons).
#include <gtest/gtest.h>

#include <vector>

#include "engine/presolve.h"
#include "save_test_fixture.h"

namespace {

int one_teacher(int lessons) {
  save_test::reset_school();
  int k = save_test::add_class("1A");
  int s = save_test::add_subject("ITALIANO");
  int t = save_test::add_teacher("ROSSI");
  for (int i = 0; i < lessons; ++i) save_test::place(save_test::add_lesson(t, k, s), i / 6, i % 6);
  or_count_hours(0);
  return t;
}

void set_pairs(BandTable& band, std::initializer_list<std::pair<int, int>> pairs) {
  band.count = 0;
  for (auto [a, b] : pairs) {
    band.pairs[band.count][0] = static_cast<std::int8_t>(a);
    band.pairs[band.count++][1] = static_cast<std::int8_t>(b);
  }
}

void set_triples(TripleTable& table, std::initializer_list<std::vector<int>> rows) {
  table.count = 0;
  for (const std::vector<int>& r : rows) {
    for (int k = 0; k < 3; ++k) table.triples[table.count][k] = static_cast<std::int8_t>(r[k]);
    ++table.count;
  }
}

TEST(PrepPauseDays, TheSchoolsPauseDaysReachTeachersWithoutTheirOwnPause) {
  struct Case {
    const char* id;
    int lessons, gpausa;
    std::vector<int> days;  // pause_days[0..7], 255 none
    int count, pause;
  } cases[] = {
      // Day 9 is past the table: left out.
      {"school's days", 12, 0, {255, 2, 255, 1, 255, 255, 255, 255}, 2, -1},
      {"own pause", 12, 3, {255, 255, 255, 255, 255, 255, 255, 255}, 0, 3},
  };
  for (const Case& c : cases) {
    int t = one_teacher(c.lessons);
    set_pairs(g_eng_school.giornipausacl, {{1, 2}, {3, 1}, {9, 1}});
    g_eng_teachers[t].gpausa = static_cast<std::int8_t>(c.gpausa);
    or_prepare_model_for_solving();
    const EngineTeacher& x = g_eng_teachers[t];
    EXPECT_EQ(std::vector<int>(x.pause_days, x.pause_days + 8), c.days) << c.id;
    EXPECT_EQ(+x.pause_day_count, c.count) << c.id;
    EXPECT_EQ(+x.pause_value, c.pause) << c.id;
  }
}

TEST(PrepExtraBands, TheLastRowReachedIsAddedUnlessAnOwnBandStartsBelowIt) {
  struct Case {
    const char* id;
    int lessons;
    std::vector<std::pair<int, int>> own;  // own extra teaching pairs
    std::vector<int> teaching;             // pairs after, flattened
    std::vector<int> presence;
  } cases[] = {
      {"first row", 12, {}, {3, 1}, {5, 2}},
      {"last row reached", 16, {}, {4, 2}, {6, 3}},
      {"no row reached", 8, {}, {}, {}},
      {"own band at a lower block", 12, {{2, 5}}, {2, 5}, {5, 2}},
      {"own band at the same block", 12, {{3, 4}}, {3, 4}, {5, 2}},
      {"own band at a higher block", 12, {{5, 1}}, {5, 1, 3, 1}, {5, 2}},
  };
  for (const Case& c : cases) {
    int t = one_teacher(c.lessons);
    set_triples(g_eng_school.ihinsegnaextra, {{10, 3, 1}, {14, 4, 2}});
    set_triples(g_eng_school.ihpresenzaextra, {{10, 5, 2}, {14, 6, 3}});
    EngineTeacher& x = g_eng_teachers[t];
    x.inse_count = 0;
    for (auto [a, b] : c.own) {
      x.inse_pairs[x.inse_count][0] = static_cast<std::uint8_t>(a);
      x.inse_pairs[x.inse_count++][1] = static_cast<std::uint8_t>(b);
    }
    or_prepare_model_for_solving();
    std::vector<int> teaching, presence;
    for (int k = 0; k < x.inse_count; ++k) teaching.insert(teaching.end(), {x.inse_pairs[k][0], x.inse_pairs[k][1]});
    for (int k = 0; k < x.xprese_count; ++k) presence.insert(presence.end(), {x.xprese_pairs[k][0], x.xprese_pairs[k][1]});
    EXPECT_EQ(teaching, c.teaching) << c.id;
    EXPECT_EQ(presence, c.presence) << c.id;
  }
}

TEST(PrepDailyBands, EachKindOfTeacherReadsItsOwnBands) {
  struct Case {
    const char* id;
    std::uint8_t flags;
    int presence, teaching;
  } cases[] = {
      {"class teacher", 0, 5, 4},
      {"laboratory teacher", kTeacherLaboratory, 6, 3},
      {"conversation teacher", kTeacherConversation, 7, 2},
  };
  for (const Case& c : cases) {
    int t = one_teacher(12);
    set_pairs(g_eng_school.ihpresenza, {{18, 5}});
    set_pairs(g_eng_school.ihinsegna, {{18, 4}});
    set_pairs(g_eng_school.ihlabpresenza, {{18, 6}});
    set_pairs(g_eng_school.ihlabinsegna, {{18, 3}});
    set_pairs(g_eng_school.ihconpresenza, {{18, 7}});
    set_pairs(g_eng_school.ihconinsegna, {{18, 2}});
    g_eng_teachers[t].type_flags = c.flags;
    or_prepare_model_for_solving();
    const EngineTeacher& x = g_eng_teachers[t];
    EXPECT_EQ((std::vector<int>{x.max_presence_per_day, x.max_teaching_per_day}),
              (std::vector<int>{c.presence, c.teaching}))
        << c.id;
  }
}

}  // namespace
