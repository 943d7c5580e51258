// The lessons held jointly with a lesson in its hour, as the board gathers
// them before moving a joint lesson: each joint partner that sits in that
// hour; for a partner elsewhere, when the school links joint lessons by
// class (the joint-entry option, on after every reset), the first other
// lesson of the partner's class and subject in that hour; each lesson once;
// nothing for a lesson off the week or past the table. On a small model:
// 1A and 1B, MATEMATICA joint across them.
#include <gtest/gtest.h>

#include <vector>

#include "engine/placement_check.h"
#include "save_test_fixture.h"

namespace {

class JointLessonsInSlot : public ::testing::Test {
 protected:
  void SetUp() override {
    save_test::reset_school();
    int a = save_test::add_class("1A"), b = save_test::add_class("1B");
    int math = save_test::add_subject("MATEMATICA"), art = save_test::add_subject("ARTE");
    int rossi = save_test::add_teacher("ROSSI"), bianchi = save_test::add_teacher("BIANCHI"),
        verdi = save_test::add_teacher("VERDI");
    struct { int teacher, klass, subject, day, hour; } lessons[] = {
        {rossi, a, math, 0, 0},    // 0: Monday 1st, joint with 2
        {rossi, a, math, 1, 0},    // 1: Tuesday 1st, joint with 3 (elsewhere)
        {bianchi, b, math, 0, 0},  // 2: Monday 1st
        {bianchi, b, math, 1, 1},  // 3: Tuesday 2nd
        {verdi, b, art, 1, 0},     // 4: Tuesday 1st, 1B but another subject
        {verdi, b, math, 1, 0},    // 5: Tuesday 1st, 1B MATEMATICA
        {rossi, a, math, -1, 0},   // 6: off the week, joint with 2
    };
    for (const auto& l : lessons) save_test::add_lesson(l.teacher, l.klass, l.subject);
    or_count_hours(0);
    for (int i = 0; i < 7; ++i) save_test::place(i, lessons[i].day, lessons[i].hour);
    joint(0, {2});
    joint(1, {3});
    joint(6, {2});
  }
  static void joint(int lesson, std::vector<int> partners) {
    g_eng_lessons[lesson].joint_count = static_cast<std::int32_t>(partners.size());
    for (std::size_t k = 0; k < partners.size(); ++k) g_eng_lessons[lesson].joint_lessons[k] = partners[k];
  }
};

TEST_F(JointLessonsInSlot, APartnerInTheHourIsItself) {
  EXPECT_EQ(or_joint_lessons_in_slot(0), (std::vector<int>{2}));
}

TEST_F(JointLessonsInSlot, APartnerElsewhereGivesItsClassAndSubjectInTheHour) {
  EXPECT_EQ(or_joint_lessons_in_slot(1), (std::vector<int>{5}));
  // Both partners standing for the same lesson: listed once.
  joint(1, {3, 5});
  EXPECT_EQ(or_joint_lessons_in_slot(1), (std::vector<int>{5}));
  // Without the joint-entry option only partners in the hour count.
  g_eng_school.option_flags &= ~2;
  EXPECT_EQ(or_joint_lessons_in_slot(1), (std::vector<int>{5}));
  joint(1, {3});
  EXPECT_EQ(or_joint_lessons_in_slot(1), (std::vector<int>{}));
}

TEST_F(JointLessonsInSlot, NoneForALessonOffTheWeekOrPastTheTable) {
  EXPECT_EQ(or_joint_lessons_in_slot(6), (std::vector<int>{}));
  EXPECT_EQ(or_joint_lessons_in_slot(-1), (std::vector<int>{}));
  EXPECT_EQ(or_joint_lessons_in_slot(7), (std::vector<int>{}));
  // A lesson without partners.
  EXPECT_EQ(or_joint_lessons_in_slot(4), (std::vector<int>{}));
}

}  // namespace
