// The days a teacher's lessons may use, from every source the preparation
// reads (the school's working-days band by weekly hours, the teacher's own
// allowed or forbidden hours, his hours on given days, his most working
// days, and the lessons he assists), seen where they show: a class's daily
// limit of the teacher's subject ("MATERIEHSG:" band, 1 a day here) is
// raised until the subject's hours fit those days, and the other teacher's
// subject keeps its own. Values worked out by hand on a small model:
// ITALIANO 6 hours (ROSSI), MATEMATICA 4 hours (VERDI), a week of 5 days
// of 6 hours.
#include <gtest/gtest.h>

#include <cstring>
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

enum class Source { kNone, kBand, kBandAndAllowed, kAllowedTwoDays, kOvTwoDays, kOvOneDay, kForbiddenThreeDays,
                    kAssistantKeptToTwoDays, kBandAndForbidden, kBandAndMostDays, kBandAllowedAndMostDays };

struct Case {
  const char* id;
  Source source;
  std::vector<int> limits;  // ITALIANO, MATEMATICA
};

TEST(PrepLessonDays, EachSourceOfATeachersDaysRaisesOnlyHisSubjectsLimit) {
  const Case cases[] = {
      {"no limit: 6 hours in 5 days", Source::kNone, {2, 1}},
      // Band by weekly hours: up to 4 hours 4 days (VERDI), else 2 (ROSSI).
      {"working-days band", Source::kBand, {3, 1}},
      // The band also gives his most working days, which hold his lessons.
      {"band, own allowed hours on every day", Source::kBandAndAllowed, {3, 1}},
      // His own most days (3) above the band's (2): the band still holds
      // his lessons to two days...
      {"band, own most days above it", Source::kBandAndMostDays, {3, 1}},
      // ... unless he has his own allowed hours: then his own most days.
      {"band, own allowed hours and most days", Source::kBandAllowedAndMostDays, {2, 1}},
      {"allowed hours on two days", Source::kAllowedTwoDays, {3, 1}},
      // 3 + 3 hours on two given days and none left over: two days.
      {"hours on two given days", Source::kOvTwoDays, {3, 1}},
      // 2 hours on one given day and 4 left over: up to five days.
      {"hours on one given day", Source::kOvOneDay, {2, 1}},
      {"every hour of three days forbidden", Source::kForbiddenThreeDays, {3, 1}},
      {"band, some hours forbidden", Source::kBandAndForbidden, {3, 1}},
      // VERDI on two days assists ITALIANO: both subjects on two days.
      {"assistant kept to two days", Source::kAssistantKeptToTwoDays, {3, 2}},
  };
  for (const Case& c : cases) {
    save_test::reset_school();
    int k = save_test::add_class("1A");
    int italiano = save_test::add_subject("ITALIANO");
    int matematica = save_test::add_subject("MATEMATICA");
    int rossi = save_test::add_teacher("ROSSI");
    int verdi = save_test::add_teacher("VERDI");
    bool assisted = c.source == Source::kAssistantKeptToTwoDays;
    for (int i = 0; i < 10; ++i)
      save_test::place(i < 6 ? save_test::add_lesson(rossi, k, italiano, assisted ? verdi : -1)
                             : save_test::add_lesson(verdi, k, matematica),
                       i / 6, i % 6);
    EngineTeacher& r = g_eng_teachers[rossi];
    switch (c.source) {
      case Source::kNone: break;
      case Source::kBand: set_band(g_eng_school.iggiorni, {{4, 4}, {99, 2}}); break;
      case Source::kBandAndAllowed:
        set_band(g_eng_school.iggiorni, {{4, 4}, {99, 2}});
        std::memset(r.allowed_hours, 1, sizeof r.allowed_hours);
        break;
      case Source::kAllowedTwoDays:
        std::memset(r.allowed_hours, 0, sizeof r.allowed_hours);
        for (int h = 0; h < 6; ++h) r.allowed_hours[1 * kHoursPerDay + h] = r.allowed_hours[3 * kHoursPerDay + h] = 1;
        break;
      case Source::kOvTwoDays:
        std::memset(r.ov, 0, sizeof r.ov);
        r.ov[0] = r.ov[2] = 3;
        break;
      case Source::kOvOneDay:
        std::memset(r.ov, 0, sizeof r.ov);
        r.ov[4] = 2;
        break;
      case Source::kForbiddenThreeDays:
        std::memset(r.forbidden_hours, 0, sizeof r.forbidden_hours);
        for (int d = 0; d < 3; ++d)
          for (int h = 0; h < 6; ++h) r.forbidden_hours[d * kHoursPerDay + h] = 1;
        break;
      case Source::kBandAndForbidden:
        set_band(g_eng_school.iggiorni, {{4, 4}, {99, 2}});
        std::memset(r.forbidden_hours, 0, sizeof r.forbidden_hours);
        r.forbidden_hours[0] = 1;
        break;
      case Source::kAssistantKeptToTwoDays: g_eng_teachers[verdi].gmax_days = 2; break;
      case Source::kBandAndMostDays:
        set_band(g_eng_school.iggiorni, {{4, 4}, {99, 2}});
        r.gmax_days = 3;
        break;
      case Source::kBandAllowedAndMostDays:
        set_band(g_eng_school.iggiorni, {{4, 4}, {99, 2}});
        std::memset(r.allowed_hours, 1, sizeof r.allowed_hours);
        r.gmax_days = 3;
        break;
    }
    BandTable& band = g_eng_school.materiehsg;
    band.count = 1;
    band.pairs[0][0] = 99;
    band.pairs[0][1] = 1;
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
