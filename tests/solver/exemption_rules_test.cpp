// What one granted exemption relaxes, rule by rule, on a hand-built school:
// the parameter of its teacher (or class) that moves, in which direction,
// and that it stops at its bound; the working-days grant by its form and
// the number of days it lists, the days a day-flagged grant names, and the
// class-side allowances. Teacher 0 and class 0 in every case.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/reception_exemption_files.h"
#include "eval2_mini_school.h"
#include "solver/constraint_parameters.h"
#include "solver/exemptions.h"

namespace {

#define FIELD(expr) [](int v) { expr = static_cast<std::remove_reference_t<decltype(expr)>>(v); }, [] { return int(expr); }

struct Rule {
  const char* what;
  int id;
  std::function<void(int)> set;
  std::function<int()> get;
  int before, after;
};

EngineTeacher& T() { return g_eng_teachers[0]; }
TeacherRuleParams& P() { return g_teacher_rule_params[0]; }

StoredExemption record(int id, int teacher = 0, int class_index = 0) {
  StoredExemption r{};
  or_set_exemption_word(r, kExemptionIdOffset, static_cast<std::uint32_t>(id));
  or_set_exemption_word(r, kExemptionTeacherOffset, static_cast<std::uint32_t>(teacher));
  or_set_exemption_word(r, kExemptionClassOffset, static_cast<std::uint32_t>(class_index));
  return r;
}

const Rule kRules[] = {
    {"gap days to 5", 2, FIELD(T().gap_day_values[0]), 1, 5},
    {"gap days already above 5", 2, FIELD(T().gap_day_values[0]), 6, 6},
    {"gap days to 2", 3, FIELD(T().gap_day_values[0]), 0, 2},
    {"gap days already 2", 3, FIELD(T().gap_day_values[0]), 3, 3},
    {"free days asked", 5, FIELD(T().free_day_count), 2, 0},
    {"free day settled", 5, FIELD(T().free_day_byte), 0, 1},
    {"minimum hours", 10, FIELD(T().min_hours_per_day), 3, 2},
    {"minimum hours at 1", 10, FIELD(T().min_hours_per_day), 1, 1},
    {"first hours minimum", 12, FIELD(T().pmin_days), 2, 1},
    {"first hours minimum at 0", 12, FIELD(T().pmin_days), 0, 0},
    {"first hours maximum", 13, FIELD(T().pmax_days), 2, 3},
    {"first hours maximum at 7", 13, FIELD(T().pmax_days), 7, 7},
    {"band 2 minimum", 14, FIELD(T().emin[2]), 2, 1},
    {"band 2 maximum", 15, FIELD(T().emax[2]), 6, 7},
    {"band 1 minimum", 16, FIELD(T().fmin[2]), 1, 0},
    {"band 1 maximum", 17, FIELD(T().fmax[2]), 7, 7},
    {"light days", 20, FIELD(T().gl_days), 2, 1},
    {"days with first hours", 21, FIELD(T().gp_days), 1, 0},
    {"days with last hours", 22, FIELD(T().gu_days), 0, 0},
    {"special pause", 27, FIELD(T().segrubi[1]), 0, 1},
    {"building transfers", 37, FIELD(P().allowance_37), 0, 1},
    {"building transfers raise the day's too", 37, FIELD(P().allowance_38), 1, 2},
    {"day transfers", 38, FIELD(P().allowance_38), 0, 1},
    {"day transfers leave the building's", 38, FIELD(P().allowance_37), 0, 0},
    {"week transfers", 39, FIELD(T().nomweek), 2, 3},
    {"mandatory gaps", 45, FIELD(T().buk[1]), 1, 0},
    {"days around the hour", 46, FIELD(T().cavallomax_days), 3, 4},
    {"adjacent gaps", 47, FIELD(T().gap_day_values[1]), 2, 0},
    {"gap tolerance", 48, FIELD(T().gap_tolerance), 1, 2},
    {"days in the band", 49, FIELD(T().gx[2]), 3, 2},
    {"first/last hour duty", 51, FIELD(P().allowance_51), 0, 1},
    {"second-choice free days", 54, FIELD(T().alt_free_day_count), 2, 0},
    {"QUORVEX", 56, FIELD(T().quorvex), 3, 0},
    {"last hours minimum", 57, FIELD(T().umin_days), 1, 0},
    {"last hours maximum", 58, FIELD(T().umax_days), 0, 1},
    {"single-unit lessons", 59, FIELD(P().allowance_59), 0, 1},
    {"hours after a return", 60, FIELD(T().pausameper[3]), 3, 2},
    {"hours after a return at 1", 60, FIELD(T().pausameper[3]), 1, 1},
    {"rest around the hour", 62, FIELD(P().allowance_62), 2, 3},
    {"unused hours", 63, FIELD(P().allowance_63), 0, 1},
    {"double hours at the ends", 64, FIELD(P().allowance_64), 0, 1},
    {"TRAMOX", 66, FIELD(T().tramox), 1, 0},
    {"fictitious teacher", 67, FIELD(T().pligi[1]), 2, 0},
    {"fictitious teacher below 2", 67, FIELD(T().pligi[1]), 1, 1},
    {"rest gap unset", 42, FIELD(T().riposo), 0, 0},
    {"rest gap up", 42, FIELD(T().riposo), 3, 4},
    {"rest gap at the longest day", 42, FIELD(T().riposo), 6, 0},
    {"second-hour entries", 85, FIELD(g_exemption_allowances.second_hour_allowance[0]), 6, 7},
    {"second-hour entries at 7", 85, FIELD(g_exemption_allowances.second_hour_allowance[0]), 7, 7},
};

class ExemptionRule : public ::testing::TestWithParam<Rule> {
 protected:
  void SetUp() override {
    mini_school();
    g_eng_run.longest_day = 6;
    or_reset_exemption_allowances();
    for (int t = 0; t < 2; ++t) g_teacher_rule_params[t] = TeacherRuleParams{};
    add_lesson(0, 0, 0, 0);
    add_lesson(1, 0, 0, 1);
    rebuild_mini_school();
  }
  void TearDown() override {
    or_reset_exemption_allowances();
    reset_run_state();
  }
};

TEST_P(ExemptionRule, MovesItsParameterOnceWithinItsBound) {
  const Rule& k = GetParam();
  k.set(k.before);
  StoredExemption r = record(k.id);
  EXPECT_EQ(or_apply_exemption(r, 0), k.id == 2 ? (k.before >= 5) : k.id == 3 ? (k.before >= 2) : 0)
      << "testing changes nothing and tells whether it is in force";
  EXPECT_EQ(k.get(), k.before);
  EXPECT_EQ(or_apply_exemption(r, 1), 0);
  EXPECT_EQ(k.get(), k.after);
}

INSTANTIATE_TEST_SUITE_P(Rules, ExemptionRule, ::testing::ValuesIn(kRules), [](const auto& info) {
  std::string name;
  for (const char* p = info.param.what; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return name + "_" + std::to_string(info.index);
});

// The working-days grant lists n days (the detail's first value): form 1
// lowers the first week-days limit n times, not below 1; form 2 raises the
// second n times, not beyond the days of the week (5 here); without a form
// nothing moves.
TEST_F(ExemptionRule, WorkingDaysMoveByTheDaysListed) {
  struct Case {
    const char* id;
    int form, days;
    int min_before, max_before;
    int min_after, max_after;
  } cases[] = {
      {"one day, fewer", 1, 1, 3, 4, 2, 4},
      {"one day, fewer, at 1", 1, 1, 1, 4, 1, 4},
      {"three days, fewer", 1, 3, 3, 4, 1, 4},
      {"one day, more", 2, 1, 3, 3, 3, 4},
      {"one day, more, at the week", 2, 1, 3, 5, 3, 5},
      {"three days, more", 2, 3, 2, 3, 2, 5},
      {"no form", 0, 2, 3, 3, 3, 3},
      {"no days", 1, 0, 3, 3, 3, 3},
  };
  for (const Case& c : cases) {
    T().min_working_days = static_cast<std::int8_t>(c.min_before);
    T().max_working_days = static_cast<std::int8_t>(c.max_before);
    StoredExemption r = record(11);
    or_set_exemption_word(r, kExemptionMapOffset, static_cast<std::uint32_t>(c.days));
    r.bytes[kExemptionMapOffset + 124] = static_cast<std::uint8_t>(c.form);
    ASSERT_EQ(or_apply_exemption(r, 1), 0) << c.id;
    EXPECT_EQ(T().min_working_days, c.min_after) << c.id;
    EXPECT_EQ(T().max_working_days, c.max_after) << c.id;
  }
}

// Grants that name days (detail bytes 0-6) change those days only.
TEST_F(ExemptionRule, DayFlaggedGrantsChangeTheFlaggedDaysOnly) {
  struct Case {
    const char* id;
    int rule;
    std::function<int(int)> day;  // the day's value after
    int before;
    int flagged, unflagged;
  };
  const Case cases[] = {
      {"desired hours down", 18, [](int d) { return int(T().ov[d]); }, 2, 1, 2},
      {"desired hours at 0", 18, [](int d) { return int(T().ov[d]); }, 0, 0, 0},
      {"maximum hours up", 19, [](int d) { return int(T().om[d]); }, 5, 6, 5},
      {"maximum hours at 12", 19, [](int d) { return int(T().om[d]); }, 12, 12, 12},
      {"gap limit cleared", 50, [](int d) { return int(T().ovmnb[d]); }, 2, 0, 2},
      {"duty hour cleared", 52, [](int d) { return int(T().dimpe[d]); }, 4, 0, 4},
      {"no duty hour kept", 52, [](int d) { return int(T().dimpe[d]); }, 13, 13, 13},
  };
  for (const Case& c : cases) {
    for (int d = 0; d < kDays; ++d) {
      T().ov[d] = T().om[d] = T().ovmnb[d] = T().dimpe[d] = static_cast<std::int8_t>(c.before);
    }
    StoredExemption r = record(c.rule);
    r.bytes[kExemptionMapOffset + 1] = 1;  // Tuesday
    r.bytes[kExemptionMapOffset + 4] = 1;  // Friday
    ASSERT_EQ(or_apply_exemption(r, 1), 0) << c.id;
    for (int d = 0; d < 5; ++d) EXPECT_EQ(c.day(d), d == 1 || d == 4 ? c.flagged : c.unflagged) << c.id << " day " << d;
  }
}

// The class-side grants: the day given by the detail's first byte, and the
// short-day calendar before the calendar allowance.
TEST_F(ExemptionRule, ClassGrantsRaiseTheClassesOwnAllowances) {
  StoredExemption weight = record(83, 0, 1);
  weight.bytes[kExemptionMapOffset] = 2;
  ASSERT_EQ(or_apply_exemption(weight, 1), 0);
  EXPECT_EQ(g_eng_classes[1].weight_day_offset[2], 1);
  EXPECT_EQ(g_eng_classes[1].weight_day_offset[1] + g_eng_classes[0].weight_day_offset[2], 0);
  StoredExemption kind = record(88, 0, 1);
  kind.bytes[kExemptionMapOffset] = 3;
  ASSERT_EQ(or_apply_exemption(kind, 1), 0);
  EXPECT_EQ(g_eng_classes[1].day_kind_exempt[3], 1);
  EXPECT_EQ(g_eng_classes[1].day_kind_exempt[2], 0);

  ExemptionAllowances& a = g_exemption_allowances;
  struct Step {
    bool short_day;
    int short_calendar, allowance;
  };
  // Without a short day: the calendar allowance, up to 2. With one: the
  // short-day calendar first, then the allowance.
  for (bool short_day : {false, true}) {
    or_reset_exemption_allowances();
    g_eng_school.short_day[4] = short_day ? 1 : 0;
    const Step steps[] = {{short_day, short_day ? 1 : 0, short_day ? 0 : 1},
                          {short_day, short_day ? 1 : 0, short_day ? 1 : 2},
                          {short_day, short_day ? 1 : 0, 2},
                          {short_day, short_day ? 1 : 0, 2}};
    for (const Step& s : steps) {
      ASSERT_EQ(or_apply_exemption(record(84, 0, 1), 1), 0);
      EXPECT_EQ(a.short_day_calendar[1], s.short_calendar) << short_day;
      EXPECT_EQ(a.calendar_allowance[1], s.allowance) << short_day;
    }
    EXPECT_EQ(a.calendar_allowance[0] + a.short_day_calendar[0], 0);
  }
  g_eng_school.short_day[4] = 0;
}

// Ids without a rule, and records naming no teacher or class of the
// school, change nothing and answer -1.
TEST_F(ExemptionRule, RecordsWithoutARuleOrOutsideTheSchoolAreRefused) {
  T().gap_tolerance = 1;
  for (int id : {1, 4, 7, 26, 29, 30, 36, 40, 41, 53, 68, 75, 77, 78, 82, 86, 87, 89})
    EXPECT_EQ(or_apply_exemption(record(id), 1), -1) << id;
  EXPECT_EQ(or_apply_exemption(record(48, 4), 1), -1) << "teacher past the school";
  EXPECT_EQ(or_apply_exemption(record(48, -1), 1), -1);
  EXPECT_EQ(or_apply_exemption(record(85, 0, 3), 1), -1) << "class past the school";
  EXPECT_EQ(T().gap_tolerance, 1);
  for (int c = 0; c < kMaxClasses; ++c) ASSERT_EQ(g_exemption_allowances.second_hour_allowance[c], 0);
}

}  // namespace
