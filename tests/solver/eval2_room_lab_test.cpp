// Hand-built cases of the room, laboratory, single-lesson and class calendar
// constraints; every count worked out by hand from the week drawn in the
// case. Hours in the comments count from 1, in the code from 0. The
// laboratory group presence is checked per class, as the catalogue prices
// it, and its full check against the sum of the class delta checks.
#include <gtest/gtest.h>

#include "eval2_mini_school.h"
#include "solver/class_calendar_constraints.h"
#include "solver/cost_evaluation.h"

namespace {

class RoomLab : public ::testing::Test {
 protected:
  void SetUp() override { mini_school(); }
};

TEST_F(RoomLab, LaboratoryCountsOnlyAtUnavailableSlots) {
  g_eng_rooms[2].lab_flag = 1;
  g_eng_rooms[2].availability[0 * 12 + 3] = 0;  // Monday, hour 4
  int a = add_lesson(0, 0, 0, 1);
  g_eng_lessons[a].room = 2;
  rebuild_mini_school();
  EXPECT_EQ(delta_of(53, 0), 0);  // hour 2: the laboratory is available
  g_eng_lessons[a].hour = 3;
  rebuild_mini_school();
  EXPECT_EQ(delta_of(53, 0), 1);  // hour 4: unavailable although free
}

TEST_F(RoomLab, CommonRoomWithoutAGridCountsNothing) {
  g_eng_school.common_room_count = 1;
  g_eng_common_rooms[0].availability[0] = kNotConfigured;
  int a = add_lesson(0, 0, 0, 0);
  g_eng_lessons[a].common_room = 0;
  rebuild_mini_school();
  EXPECT_EQ(delta_of(36, 0), 0);
  g_eng_common_rooms[0].availability[0] = 0;
  EXPECT_EQ(delta_of(36, 0), 1);
}

struct EquipmentCase {
  const char* id;
  std::uint32_t earlier, between, later;
  int expected;
};

TEST_F(RoomLab, LaboratoryEquipmentLooksAtTheNearestEarlierLessonWithEquipment) {
  const EquipmentCase cases[] = {
      {"other-gap", 1, 0, 2, 1},   // set up 1, then 2; the lesson between has none
      {"same", 2, 0, 2, 0},        // the nearest earlier one needs the same
      {"nearest", 1, 2, 2, 0},     // the nearest earlier with equipment is the one between
  };
  for (const EquipmentCase& k : cases) {
    mini_school();
    g_school_rule_params.lab_equipment_items = 3;
    g_teacher_rule_params[0].lab_equipment_flag = 1;
    int e = add_lesson(1, 1, 0, 0);
    int b = add_lesson(2, 2, 0, 1);
    int l = add_lesson(0, 0, 0, 2);
    for (int x : {e, b, l}) g_eng_lessons[x].room = 2;
    g_lesson_rule_params[e].lab_equipment = k.earlier;
    g_lesson_rule_params[b].lab_equipment = k.between;
    g_lesson_rule_params[l].lab_equipment = k.later;
    rebuild_mini_school();
    EXPECT_EQ(delta_of(55, 0), k.expected) << k.id;
  }
}

TEST_F(RoomLab, GymEquipmentSetUpAgainCountsOncePerLesson) {
  g_school_rule_params.gym_equipment_items = 2;
  g_teacher_rule_params[0].gym_equipment_flag = 1;
  g_eng_school.common_room_count = 1;
  const std::int32_t later[] = {7, 9, 7, 9, 7};
  int first = add_lesson(0, 0, 0, 0);
  g_lesson_rule_params[first].gym_equipment = 7;
  g_eng_lessons[first].common_room = 0;
  for (int h = 1; h <= 5; ++h) {
    int l = add_lesson(1 + h % 2, h % 2 ? 1 : 2, 0, h);
    g_eng_lessons[l].common_room = 0;
    g_lesson_rule_params[l].gym_equipment = later[h - 1];
  }
  rebuild_mini_school();
  EXPECT_EQ(delta_of(65, 0), 1);
}

struct WishCase {
  const char* id;
  int wish;
  int run_end;      // last hour (from 0) of the run of the same line after the lesson
  int other_after;  // 1: another line after the run
  int expected;
};

TEST_F(RoomLab, EdgeHourWishes) {
  const WishCase cases[] = {
      {"run-to-last", 1, 5, 0, 0},    // hours 3..6 of one line on a six-hour day: accepted
      {"run-to-5", 1, 4, 1, 1},       // hours 3..5, another line at 6: counted once
      {"refuse-inside", 2, 2, 1, 0},  // wish 2 at hour 3 with real lessons around
  };
  for (const WishCase& k : cases) {
    mini_school();
    add_lesson(1, 0, 0, 0, 9);
    add_lesson(1, 0, 0, 1, 9);
    for (int h = 2; h <= k.run_end; ++h) {
      int l = add_lesson(0, 0, 0, h, 5);  // the wish belongs to the line: every lesson has it
      g_lesson_rule_params[l].position_wish = static_cast<std::int8_t>(k.wish);
    }
    if (k.other_after) add_lesson(2, 0, 0, k.run_end + 1, 8);
    rebuild_mini_school();
    EXPECT_EQ(delta_of(43, 0), k.expected) << k.id;
  }
}

TEST_F(RoomLab, RefusedEdgeNextToACalendarHourCounts) {
  g_eng_teachers[3].calendar_class = 0;
  add_lesson(3, 0, 0, 0);  // the class's first hour is calendar time
  int l = add_lesson(0, 0, 0, 1);
  add_lesson(1, 0, 0, 2);
  g_lesson_rule_params[l].position_wish = 2;
  rebuild_mini_school();
  EXPECT_EQ(delta_of(43, 0), 1);
}

TEST_F(RoomLab, TestBlocksNeedConsecutiveHoursOfTheLine) {
  TeacherRuleParams& p = g_teacher_rule_params[0];
  p.post_count = 2;
  p.posts[0] = {};
  p.posts[0].class_index = 0;
  p.posts[0].line = 4;
  p.posts[0].block_length = 2;
  p.posts[0].first_hour = 0;
  p.posts[0].last_hour = 5;
  p.posts[1] = p.posts[0];
  p.posts[1].no_break_wish = 1;
  p.posts[1].break_after[0 * 12 + 2] = 1;  // a break after hour 3 of Monday
  add_lesson(0, 0, 0, 2, 4);
  add_lesson(0, 0, 0, 3, 4);
  add_lesson(0, 0, 1, 0, 4);
  add_lesson(0, 0, 1, 3, 4);
  rebuild_mini_school();
  // The first post takes Monday 3-4; the second finds only single hours.
  EXPECT_EQ(delta_of(33, 0), 1);
  // 61 sees the second post deficient (33 charges it) and leaves it alone;
  // the first post has no wish.
  EXPECT_EQ(delta_of(61, 0), 0);
  g_eng_lessons[3].day = 1;
  g_eng_lessons[3].hour = 1;  // Tuesday 1-2 now fits
  rebuild_mini_school();
  EXPECT_EQ(delta_of(33, 0), 0);
  EXPECT_EQ(delta_of(61, 0), 0);
}

TEST_F(RoomLab, TestBlockAcrossABreakCountsOnceWithoutBreak) {
  TeacherRuleParams& p = g_teacher_rule_params[0];
  p.post_count = 1;
  p.posts[0] = {};
  p.posts[0].class_index = 0;
  p.posts[0].line = 4;
  p.posts[0].block_length = 2;
  p.posts[0].last_hour = 5;
  p.posts[0].no_break_wish = 1;
  p.posts[0].break_after[2] = 1;
  add_lesson(0, 0, 0, 2, 4);
  add_lesson(0, 0, 0, 3, 4);
  rebuild_mini_school();
  EXPECT_EQ(delta_of(33, 0), 0);
  EXPECT_EQ(delta_of(61, 0), 1);
}

TEST_F(RoomLab, ProlongedHoursShortOfTheRequiredCount) {
  g_eng_school.oreprolu = 60;
  for (int h = 0; h < 6; ++h) g_eng_classes[0].timing[1][0][h] = static_cast<std::uint16_t>(h < 2 ? 60 : 50);
  TeacherRuleParams& p = g_teacher_rule_params[0];
  p.prolonged_count = 1;
  p.prolonged[0] = {3, 7, 0};
  add_lesson(0, 0, 0, 0, 7);
  add_lesson(0, 0, 0, 2, 7);
  rebuild_mini_school();
  EXPECT_EQ(delta_of(34, 0), 2);  // one prolonged hour of the three required
}

TEST_F(RoomLab, ForbiddenClassHoursMatchClassLineAndSlot) {
  TeacherRuleParams& p = g_teacher_rule_params[0];
  p.forbidden_count = 1;
  p.forbidden[0] = {0, 3, {}};
  for (std::uint8_t& a : p.forbidden[0].allowed) a = 1;
  p.forbidden[0].allowed[2] = 0;
  p.forbidden[0].allowed[kHoursPerDay + 2] = 0;
  add_lesson(0, 0, 0, 2, 3);  // Monday hour 3, forbidden
  add_lesson(0, 0, 1, 2, 4);  // Tuesday hour 3 of another line
  add_lesson(0, 0, 2, 2, 3);  // Wednesday hour 3 is allowed
  rebuild_mini_school();
  EXPECT_EQ(delta_of(35, 0), 1);
}

TEST_F(RoomLab, LabGroupPresenceIsPricedPerClass) {
  g_eng_school.lab_group_count = 1;
  for (std::uint16_t& r : g_eng_lab_groups[0].rooms) r = 0xFFFF;
  g_eng_lab_groups[0].rooms[0] = 2;  // one laboratory
  int a = add_lesson(0, 0, 0, 0);
  int b = add_lesson(1, 1, 0, 0);
  g_eng_lessons[a].lab_group = g_eng_lessons[b].lab_group = 0;
  rebuild_mini_school();
  // Two group lessons and one room at Monday 1: each class counts 1.
  EXPECT_EQ(delta_of(44, 0), 1);
  EXPECT_EQ(delta_of(44, 1), 1);
  // A lesson of another class held in the laboratory takes the room.
  int c = add_lesson(2, 2, 0, 0);
  g_eng_lessons[c].room = 2;
  g_eng_rooms[2].home_class = -1;
  rebuild_mini_school();
  EXPECT_EQ(delta_of(44, 0), 2);
  std::int64_t full = g_evaluators[44].full();
  EXPECT_EQ(full, delta_of(44, 0) + delta_of(44, 1) + delta_of(44, 2));
}

// ---- class calendar and second-hour entry ----------------------------------

class Calendar : public ::testing::Test {
 protected:
  void SetUp() override {
    mini_school();
    g_eng_teachers[3].calendar_class = 0;  // the calendar teacher of class 0
  }
};

TEST_F(Calendar, SecondHourEntriesBeyondTheLimit) {
  for (int d = 0; d < 3; ++d) add_lesson(3, 0, d, 0);
  for (int d = 0; d < 5; ++d)
    for (int h = 1; h < 6; ++h) add_lesson(d % 2, 0, d, h);
  for (int d = 3; d < 5; ++d) add_lesson(2, 0, d, 0);
  rebuild_mini_school();
  g_eng_classes[0].class_digits[1] = 2;
  EXPECT_EQ(delta_of(85, 3), 0);  // entry switch off
  g_eng_school.option_flags |= 1;
  EXPECT_EQ(delta_of(85, 3), 1);  // three late entries, two allowed
  for (int s = 0; s < kWeekSlots; ++s) g_eng_classes[0].special_calendar[s] = 1;
  g_eng_classes[0].special_calendar[2 * 12] = 0;  // Wednesday's first hour is no lesson time
  EXPECT_EQ(delta_of(85, 3), 0);
  EXPECT_EQ(delta_of(85, 0), 0);  // an ordinary teacher counts nothing here
}

TEST_F(Calendar, PseudoHoursBeforeLessonsAndLateEntries) {
  // Monday: calendar, calendar, lessons 3-6; other days full.
  add_lesson(3, 0, 0, 0);
  add_lesson(3, 0, 0, 1);
  for (int h = 2; h < 6; ++h) add_lesson(0, 0, 0, h);
  for (int d = 1; d < 5; ++d)
    for (int h = 0; h < 6; ++h) add_lesson(1, 0, d, h);
  rebuild_mini_school();
  g_eng_classes[0].special_weekdays[0] = '\0';
  g_eng_classes[0].class_digits[0] = 5;  // lessons up to hour 6 need no entry slot
  // 1 for the calendar hour before hour 3, plus 1 for the one before it.
  EXPECT_EQ(delta_of(84, 3), 2);
  g_eng_classes[0].class_digits[0] = 4;  // the lessons at hour 6 look for an entry slot
  // Monday's hour-6 lesson and the four others each look among the first
  // hour of a day: only Monday 1 holds the calendar teacher, taken once.
  EXPECT_EQ(delta_of(84, 3), 3);
}

struct PatternCase {
  const char* id;
  const char* record;
  const char* profile;
  std::int64_t expected;
};

TEST(WeekPattern, NearestProfileCharacters) {
  const PatternCase cases[] = {
      {"exact", "66660", "0666660", 0},          // every digit matched
      {"one-off", "5", "0666660", 1},            // nearest 6: 1
      {"empty", "", "0666660", 99888777},        // an empty pattern
  };
  for (const PatternCase& c : cases) EXPECT_EQ(or_week_pattern_cost(c.record, c.profile), c.expected) << c.id;
  char eight[8] = "0000000";
  EXPECT_EQ(or_week_pattern_cost("9999999", eight), 63);
}

}  // namespace
