// A provisional week (the first days of school, fewer hours a day and some
// days without lessons) eases every teacher before a search: one hour a day
// is enough, each day without lessons takes one from his fewest working days
// (never below one), the hours past a provisional day's end are left open to
// a teacher with his own allowed hours, and the last-hours bands are
// dropped. The full week keeps all of it. Values worked out by hand on a
// small model (one class, one teacher with 12 lessons).
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/presolve.h"
#include "engine/status_block.h"
#include "save_test_fixture.h"

namespace {

struct Eased {
  int min_hours, min_days, ultime, allowed_past_end;
};

Eased prepare(bool provisional, std::vector<int> day_hours, int own_min_days, bool own_allowed) {
  save_test::reset_school();
  int k = save_test::add_class("1A");
  int s = save_test::add_subject("ITALIANO");
  int t = save_test::add_teacher("ROSSI");
  for (int i = 0; i < 12; ++i) save_test::place(save_test::add_lesson(t, k, s), i / 6, i % 6);
  or_count_hours(0);
  EngineTeacher& x = g_eng_teachers[t];
  g_eng_school.ihminimo.count = 2;  // the school's fewest hours a day: 1 up to 10 weekly hours, then 3
  g_eng_school.ihminimo.pairs[0][0] = 10;
  g_eng_school.ihminimo.pairs[0][1] = 1;
  g_eng_school.ihminimo.pairs[1][0] = 18;
  g_eng_school.ihminimo.pairs[1][1] = 3;
  x.insegnamin = 2;  // his own: two hours a teaching day at least
  x.gmin_days = static_cast<std::int8_t>(own_min_days);
  x.ultimeoremax_count = 1;
  x.ultimeoremax_pairs[0][0] = 1;
  x.ultimeoremax_pairs[0][1] = 2;
  if (own_allowed) {
    std::memset(x.allowed_hours, 0, kWeekSlots);
    for (int d = 0; d < 5; ++d) x.allowed_hours[d * kHoursPerDay] = x.allowed_hours[d * kHoursPerDay + 1] = 1;
  }
  for (int d = 0; d < static_cast<int>(day_hours.size()); ++d)
    g_eng_school.provisional_hours_per_day[d] = static_cast<std::uint8_t>(day_hours[d]);
  g_provisional_mode = provisional ? 1 : 0;
  or_prepare_model_for_solving();
  g_provisional_mode = 0;
  // Allowed slots past the provisional end of Monday (hours 3 to 5).
  int past = 0;
  for (int h = 3; h < 6; ++h) past += x.allowed_hours[h] == 1 ? 1 : 0;
  return {x.min_hours_per_day, x.min_working_days, x.ultimeoremax_count, past};
}

TEST(PrepProvisionalWeek, EveryTeacherIsEasedForTheFirstDays) {
  struct Case {
    const char* id;
    bool provisional;
    std::vector<int> day_hours;
    int own_min_days;
    bool own_allowed;
    Eased want;
  } cases[] = {
      {"full week", false, {3, 3, 0, 3, 3}, 4, false, {2, 4, 1, 0}},
      {"one day without lessons", true, {3, 3, 0, 3, 3}, 4, false, {1, 3, 0, 0}},
      {"two days without lessons", true, {3, 0, 3, 0, 3}, 4, false, {1, 2, 0, 0}},
      {"every day with lessons", true, {3, 3, 3, 3, 3}, 4, false, {1, 4, 0, 0}},
      {"never below one day", true, {3, 0, 0, 0, 0}, 2, false, {1, 1, 0, 0}},
      {"own allowed hours opened past the end", true, {3, 3, 0, 3, 3}, 4, true, {1, 3, 0, 3}},
      {"own allowed hours in the full week", false, {3, 3, 0, 3, 3}, 4, true, {2, 4, 1, 0}},
  };
  for (const Case& c : cases) {
    Eased got = prepare(c.provisional, c.day_hours, c.own_min_days, c.own_allowed);
    EXPECT_EQ((std::vector<int>{got.min_hours, got.min_days, got.ultime, got.allowed_past_end}),
              (std::vector<int>{c.want.min_hours, c.want.min_days, c.want.ultime, c.want.allowed_past_end}))
        << c.id;
  }
}

}  // namespace
