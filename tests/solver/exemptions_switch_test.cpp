// The exemption switch on hand-built records: ids without a rule, the two
// ids that can tell they are in force, the bounded "up" and "down" rules,
// the rules with a detail map, records naming no valid teacher or class, and
// the walk over the violation list that appends what it applied.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/model.h"
#include "engine/status_block.h"
#include "school_fixture.h"
#include "solver/constraint_parameters.h"
#include "solver/exemptions.h"

namespace fs = std::filesystem;

namespace {

class Exemptions : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_run_state();
    or_reset_model();
    or_reset_constraint_parameters();
    or_reset_exemption_allowances();
    g_eng_school.teacher_count = 3;
    g_eng_school.class_count = 2;
    g_eng_school.real_class_count = 2;
    g_eng_run.days_per_week = 5;
    g_eng_run.longest_day = 6;
    EngineTeacher& t = g_eng_teachers[0];
    t.class_indexes[0] = 1;
    t.class_indexes[1] = -1;
    t.class_count = 1;
  }

  static StoredExemption record(int id, int teacher = 0, int c = 0) {
    StoredExemption r{};
    or_set_exemption_word(r, kExemptionIdOffset, static_cast<std::uint32_t>(id));
    or_set_exemption_word(r, kExemptionTeacherOffset, static_cast<std::uint32_t>(teacher));
    or_set_exemption_word(r, kExemptionClassOffset, static_cast<std::uint32_t>(c));
    return r;
  }
  static void set_map(StoredExemption& r, int i, std::uint8_t v) { r.bytes[kExemptionMapOffset + i] = v; }
  static void set_map_word(StoredExemption& r, int offset, std::uint32_t v) {
    or_set_exemption_word(r, kExemptionMapOffset + offset, v);
  }
};

TEST_F(Exemptions, IdsWithoutRuleAnswerMinusOneInBothModes) {
  for (int id : {-1, 0, 1, 4, 7, 26, 29, 30, 36, 40, 41, 53, 68, 70, 74, 75, 77, 78, 82, 86, 87, 89, 95}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(or_apply_exemption(record(id), 0), -1);
    EXPECT_EQ(or_apply_exemption(record(id), 1), -1);
  }
}

TEST_F(Exemptions, GapDayTolerancesTellWhenInForce) {
  EngineTeacher& t = g_eng_teachers[0];
  t.gap_day_values[0] = 3;
  EXPECT_EQ(or_apply_exemption(record(2), 0), 0);
  EXPECT_EQ(or_apply_exemption(record(3), 0), 1);  // 3 is already 2 or more
  EXPECT_EQ(or_apply_exemption(record(2), 1), 0);
  EXPECT_EQ(t.gap_day_values[0], 5);
  EXPECT_EQ(or_apply_exemption(record(2), 0), 1);
  EXPECT_EQ(or_apply_exemption(record(3), 1), 0);
  EXPECT_EQ(t.gap_day_values[0], 5);  // id 3 does not lower it
  t.gap_day_values[0] = 0;
  or_apply_exemption(record(3), 1);
  EXPECT_EQ(t.gap_day_values[0], 2);
}

TEST_F(Exemptions, OtherRulesAnswerNotYetInForceWhenTested) {
  g_eng_teachers[0].gap_tolerance = 4;
  EXPECT_EQ(or_apply_exemption(record(48), 0), 0);
  EXPECT_EQ(g_eng_teachers[0].gap_tolerance, 4);  // testing changes nothing
}

struct BoundCase {
  const char* name;
  int id;
  std::int8_t EngineTeacher::*field;
  std::int8_t start;
  std::int8_t after_one;
  std::int8_t after_three;
};

class ExemptionBounds : public Exemptions, public ::testing::WithParamInterface<BoundCase> {};

TEST_P(ExemptionBounds, MovesOneStepWithinItsBound) {
  const BoundCase& c = GetParam();
  EngineTeacher& t = g_eng_teachers[0];
  t.*c.field = c.start;
  EXPECT_EQ(or_apply_exemption(record(c.id), 1), 0);
  EXPECT_EQ(t.*c.field, c.after_one);
  or_apply_exemption(record(c.id), 1);
  or_apply_exemption(record(c.id), 1);
  EXPECT_EQ(t.*c.field, c.after_three);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ExemptionBounds,
    ::testing::Values(BoundCase{"min_hours_10", 10, &EngineTeacher::min_hours_per_day, 3, 2, 1},
                      BoundCase{"min_hours_floor_10", 10, &EngineTeacher::min_hours_per_day, 1, 1, 1},
                      BoundCase{"first_min_12", 12, &EngineTeacher::pmin_days, 2, 1, 0},
                      BoundCase{"first_max_13", 13, &EngineTeacher::pmax_days, 5, 6, 7},
                      BoundCase{"straddle_46", 46, &EngineTeacher::cavallomax_days, 0, 1, 3},
                      BoundCase{"last_min_57", 57, &EngineTeacher::umin_days, 1, 0, 0},
                      BoundCase{"last_max_58", 58, &EngineTeacher::umax_days, 7, 7, 7},
                      BoundCase{"light_20", 20, &EngineTeacher::gl_days, 2, 1, 0},
                      BoundCase{"first_days_21", 21, &EngineTeacher::gp_days, 4, 3, 1},
                      BoundCase{"last_days_22", 22, &EngineTeacher::gu_days, 0, 0, 0},
                      BoundCase{"gap_tol_48", 48, &EngineTeacher::gap_tolerance, 0, 1, 3},
                      BoundCase{"weekly_transfer_39", 39, &EngineTeacher::nomweek, 1, 2, 4}),
    [](const ::testing::TestParamInfo<BoundCase>& i) { return std::string(i.param.name); });

TEST_F(Exemptions, RestGapSettingCyclesAtTheLongestDay) {
  EngineTeacher& t = g_eng_teachers[0];
  t.riposo = 5;
  or_apply_exemption(record(42), 1);
  EXPECT_EQ(t.riposo, 6);
  or_apply_exemption(record(42), 1);  // at the longest day (6): back to 0
  EXPECT_EQ(t.riposo, 0);
  or_apply_exemption(record(42), 1);  // 0 stays 0
  EXPECT_EQ(t.riposo, 0);
}

TEST_F(Exemptions, UnavailableHoursOpenFlaggedSlotsAndTheHoursBetween) {
  EngineTeacher& t = g_eng_teachers[0];
  std::memset(t.allowed_hours, 0, sizeof t.allowed_hours);
  StoredExemption r = record(6);
  set_map(r, 1 * 12 + 1, 1);  // Tuesday hour 1
  set_map(r, 1 * 12 + 4, 1);  // Tuesday hour 4
  set_map(r, 3 * 12 + 0, 1);  // Thursday hour 0 alone
  or_apply_exemption(r, 1);
  int open = 0;
  for (std::uint8_t b : t.allowed_hours) open += b;
  EXPECT_EQ(open, 5);
  for (int h = 1; h <= 4; ++h) EXPECT_EQ(t.allowed_hours[12 + h], 1) << h;
  EXPECT_EQ(t.allowed_hours[36], 1);
}

TEST_F(Exemptions, PresenceAllowanceRaisesTheFirstHourBelowTheLimit) {
  EngineTeacher& t = g_eng_teachers[0];
  t.max_presence_per_day = 5;
  t.xprese_pairs[0][0] = 6;
  t.xprese_pairs[0][1] = 5;  // at the limit (5 days)
  t.xprese_pairs[1][0] = 7;
  t.xprese_pairs[1][1] = 2;
  t.xprese_count = 2;
  or_apply_exemption(record(8), 1);
  EXPECT_EQ(t.xprese_pairs[0][1], 5);
  EXPECT_EQ(t.xprese_pairs[1][1], 3);
  t.xprese_pairs[1][1] = 5;
  or_apply_exemption(record(8), 1);  // 6 and 7 full: 8 has no pair and gets (8, 1)
  EXPECT_EQ(t.xprese_count, 3);
  EXPECT_EQ(t.xprese_pairs[2][0], 8);
  EXPECT_EQ(t.xprese_pairs[2][1], 1);
}

TEST_F(Exemptions, PerDayRulesFollowTheFlaggedDays) {
  EngineTeacher& t = g_eng_teachers[0];
  for (int d = 0; d < kDays; ++d) t.om[d] = 12, t.ov[d] = 3, t.dimpe[d] = 4, t.ovmnb[d] = 2;
  t.om[2] = 5;
  StoredExemption r = record(19);
  set_map(r, 0, 1);
  set_map(r, 2, 1);
  or_apply_exemption(r, 1);
  EXPECT_EQ(t.om[0], 12);  // at its bound
  EXPECT_EQ(t.om[2], 6);
  or_set_exemption_word(r, kExemptionIdOffset, 18);
  or_apply_exemption(r, 1);
  EXPECT_EQ(t.ov[0], 2);
  EXPECT_EQ(t.ov[1], 3);
  or_set_exemption_word(r, kExemptionIdOffset, 52);
  or_apply_exemption(r, 1);
  EXPECT_EQ(t.dimpe[2], 0);
  EXPECT_EQ(t.dimpe[3], 4);
  or_set_exemption_word(r, kExemptionIdOffset, 50);
  or_apply_exemption(r, 1);
  EXPECT_EQ(t.ovmnb[0], 0);
  EXPECT_EQ(t.ovmnb[4], 2);
}

TEST_F(Exemptions, ListedClassesRaiseReturnsOfTheirPositionOnly) {
  StoredExemption r = record(32);
  set_map_word(r, 0, 1);   // class 1: position 0 of the teacher's list
  set_map_word(r, 4, 0);   // class 0: not in the list
  set_map_word(r, 125, 2);
  or_apply_exemption(r, 1);
  EXPECT_EQ(g_teacher_rule_params[0].allowed_returns[0], 1);
  EXPECT_EQ(g_teacher_rule_params[0].allowed_returns[1], 0);
}

TEST_F(Exemptions, CalendarRuleTakesTheShortDayFirstThenTheAllowanceUpToTwo) {
  g_eng_school.short_day[3] = 4;
  for (int i = 0; i < 4; ++i) EXPECT_EQ(or_apply_exemption(record(84, 0, 1), 1), 0);
  EXPECT_EQ(g_exemption_allowances.short_day_calendar[1], 1);
  EXPECT_EQ(g_exemption_allowances.calendar_allowance[1], 2);
  g_eng_school.short_day[3] = 0;
  or_apply_exemption(record(84, 0, 0), 1);  // no short day: the allowance
  EXPECT_EQ(g_exemption_allowances.short_day_calendar[0], 0);
  EXPECT_EQ(g_exemption_allowances.calendar_allowance[0], 1);
}

TEST_F(Exemptions, RecordsNamingNoValidTeacherOrClassChangeNothing) {
  EXPECT_EQ(or_apply_exemption(record(48, 3), 1), -1);       // teacher count is 3
  EXPECT_EQ(or_apply_exemption(record(48, -5), 1), -1);
  EXPECT_EQ(or_apply_exemption(record(85, 0, 2), 1), -1);    // class count is 2
  EXPECT_EQ(or_apply_exemption(record(85, 0, 70000), 0), -1);
}

TEST_F(Exemptions, JointLinkOfTheGivenLineIsCut) {
  g_eng_school.lesson_count = 3;
  EngineLesson& a = g_eng_lessons[0];
  a.class_index = 1;
  a.joint_count = 2;
  a.joint_lessons[0] = 1;
  a.joint_lessons[1] = 2;
  g_eng_lessons[1].line_number = 7;
  g_eng_lessons[2].line_number = 9;
  StoredExemption r = record(76, 0, 1);
  set_map_word(r, 12, 9);
  or_apply_exemption(r, 1);
  EXPECT_EQ(a.joint_lessons[0], 1);
  EXPECT_EQ(a.joint_lessons[1], -1);
}

// The walk over the violation list, in a temporary school folder.
class ExemptionFile : public Exemptions {
 protected:
  void SetUp() override {
    Exemptions::SetUp();
    char pattern[] = "/tmp/kt_exempt_XXXXXX";
    dir_ = mkdtemp(pattern);
    old_ = fs::current_path();
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(old_);
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  static ViolationRecord violation(int id, int teacher) {
    ViolationRecord v{};
    v.constraint_id = static_cast<std::uint32_t>(id);
    v.teacher = static_cast<std::uint32_t>(teacher);
    return v;
  }
  fs::path dir_, old_;
};

TEST_F(ExemptionFile, EmptyViolationListTouchesNoFile) {
  EXPECT_EQ(or_apply_exemption_records(0), 0);
  EXPECT_FALSE(fs::exists(dir_ / "scuola3.txt"));
}

TEST_F(ExemptionFile, OnlyAppliedRecordsAreAppended) {
  std::strcpy(g_eng_teachers[1].name, "ROSSI");
  g_status.violations[0] = violation(4, 1);   // no rule
  g_status.violations[1] = violation(48, 1);  // applied
  g_status.violation_count = 2;
  EXPECT_EQ(or_apply_exemption_records(0), 0);
  EXPECT_EQ(g_eng_teachers[1].gap_tolerance, 1);
  std::ifstream in(dir_ / "scuola3.txt");
  std::string line;
  int lines = 0;
  while (std::getline(in, line)) {
    ++lines;
    ASSERT_EQ(line.substr(0, 4), "0219");
    EXPECT_EQ(line.substr(4 + 2 * kExemptionIdOffset, 8), "30000000");  // id 48 = 0x30
  }
  EXPECT_EQ(lines, 1);
}

}  // namespace

namespace {

TEST_F(ExemptionFile, StoredRecordsAreAppliedAgainAfterAReload) {
  g_status.violations[0] = violation(48, 2);
  g_status.violation_count = 1;
  or_apply_exemption_records(0);
  EXPECT_EQ(g_eng_teachers[2].gap_tolerance, 1);
  g_eng_teachers[2].gap_tolerance = 0;  // as after a fresh load
  EXPECT_EQ(or_reload_exemptions(), 1);
  EXPECT_EQ(g_eng_teachers[2].gap_tolerance, 1);
}

TEST_F(ExemptionFile, HookGrantsTheRequestOnceAndClearsTheCopiedList) {
  g_exemption_current = or_exemption_from_violation(violation(45, 1), kExemptionRequestGrant);
  g_eng_teachers[1].buk[1] = 2;
  g_copied_problem_count = 2;
  g_copied_problems[0].constraint_id = 45;
  g_copied_problems[1].constraint_id = 12;
  EXPECT_EQ(or_exemption_search_hook(), 0);
  EXPECT_EQ(g_eng_teachers[1].buk[1], 1);
  EXPECT_EQ(g_exemption_current.bytes[0], kExemptionRequestNone);
  EXPECT_EQ(g_copied_problems[0].constraint_id, 0u);
  EXPECT_EQ(g_copied_problems[1].constraint_id, 0u);
  EXPECT_TRUE(fs::exists(dir_ / "scuola3.txt"));
  g_copied_problem_count = 0;
}

TEST_F(ExemptionFile, HookLeavesAnIdWithoutRuleAlone) {
  g_exemption_current = or_exemption_from_violation(violation(4, 1), kExemptionRequestGrant);
  EXPECT_EQ(or_exemption_search_hook(), 0);
  EXPECT_EQ(g_exemption_current.bytes[0], kExemptionRequestNone);
  EXPECT_FALSE(fs::exists(dir_ / "scuola3.txt"));
}

}  // namespace

namespace {

TEST_F(Exemptions, PostRulesTouchOnlyThePostsOfTheRecordsClass) {
  TeacherRuleParams& p = g_teacher_rule_params[0];
  p.post_count = 2;
  p.posts[0] = TeachingPost{};
  p.posts[0].class_index = 1;
  p.posts[0].block_length = 2;
  p.posts[0].no_break_wish = 1;
  p.posts[1] = TeachingPost{};
  p.posts[1].class_index = -1;  // a post without a class
  p.posts[1].block_length = 2;
  p.posts[1].no_break_wish = 1;
  or_apply_exemption(record(33, 0, 5), 1);  // class 5 is outside the table: nothing moves
  or_apply_exemption(record(61, 0, 5), 1);
  EXPECT_EQ(p.posts[1].block_length, 2);
  EXPECT_EQ(p.posts[1].no_break_wish, 1);
  or_apply_exemption(record(33, 0, 1), 1);
  or_apply_exemption(record(61, 0, 1), 1);
  EXPECT_EQ(p.posts[0].block_length, -1);
  EXPECT_EQ(p.posts[0].no_break_wish, 0);
  EXPECT_EQ(p.posts[1].block_length, 2);
}

}  // namespace
