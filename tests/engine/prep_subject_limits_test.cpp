// The daily hours a class may have of one subject ("MATERIEHSG:" band, by
// the subject's weekly hours in the class), raised by the preparation until
// the subject's hours fit the days its own lessons may use: a teacher kept to
// fewer days raises his subject's limit and no other. Values worked out by
// hand on a small model.
#include <gtest/gtest.h>

#include <vector>

#include "engine/presolve.h"
#include "save_test_fixture.h"

namespace {

TEST(PrepSubjectLimits, RaisedUntilEachSubjectsHoursFitItsOwnTeachersDays) {
  struct Case {
    const char* id;
    int rossi_days;   // most working days of the teacher of ITALIANO, -1 not given
    int band_value;   // daily hours the band gives any subject
    std::vector<int> limits;  // ITALIANO (6 hours), MATEMATICA (4 hours)
  } cases[] = {
      {"both fit", -1, 2, {2, 2}},          // 6 in 5 days at 2 a day, 4 at 2
      {"raised to the week", -1, 1, {2, 1}},  // 6 hours need 2 a day in 5 days
      {"teacher on two days", 2, 1, {3, 1}},  // 6 hours in 2 days: 3 a day; MATEMATICA keeps 1
      {"teacher on three days", 3, 1, {2, 1}},
  };
  for (const Case& c : cases) {
    save_test::reset_school();
    int k = save_test::add_class("1A");
    int italiano = save_test::add_subject("ITALIANO");
    int matematica = save_test::add_subject("MATEMATICA");
    int rossi = save_test::add_teacher("ROSSI");
    int verdi = save_test::add_teacher("VERDI");
    // Placed anywhere: the tallies count the placed lessons.
    for (int i = 0; i < 10; ++i)
      save_test::place(save_test::add_lesson(i < 6 ? rossi : verdi, k, i < 6 ? italiano : matematica), i / 6, i % 6);
    g_eng_teachers[rossi].gmax_days = static_cast<std::int8_t>(c.rossi_days);
    BandTable& band = g_eng_school.materiehsg;
    band.count = 1;
    band.pairs[0][0] = 99;
    band.pairs[0][1] = static_cast<std::int8_t>(c.band_value);
    or_count_hours(0);
    or_prepare_model_for_solving();
    const EngineClass& x = g_eng_classes[k];
    std::vector<int> limits(2, -1);
    for (int p = 0; p < x.tally_count; ++p) {
      if (x.tally_subjects[p] == italiano) limits[0] = x.materiehsg[p];
      if (x.tally_subjects[p] == matematica) limits[1] = x.materiehsg[p];
    }
    EXPECT_EQ(limits, c.limits) << c.id;
  }
}

}  // namespace
