// The building a stand-by pseudo-class is reported with: where its teacher
// gives most lessons (ties to the lowest building, a teacher without lessons
// to the first), none in a school without buildings, and left alone while
// the school groups its stand-by hours (one class for several teachers).
#include <gtest/gtest.h>

#include "engine/report_services.h"
#include "reports/model_school_fixture.h"

using save_test::add_class;
using save_test::add_lesson;
using save_test::add_subject;

namespace {

class StandbyClassBuilding : public report_test::ModelSchool {
 protected:
  void SetUp() override {
    StartSchool(2, 4);
    a_ = add_class("1A");
    standby_ = add_class("D1");
    rossi_ = report_test::add_teacher("ROSSI");
    verdi_ = report_test::add_teacher("VERDI");
    subject_ = add_subject("ITALIANO");
    g_eng_school.building_count = 3;
    g_eng_school.standby_grouping = -1;
  }
  void Lessons(int teacher, int building, int count) {
    for (int i = 0; i < count; ++i) g_eng_lessons[add_lesson(teacher, a_, subject_)].building = building;
  }
  int Building(int teacher) {
    g_eng_classes[standby_].building = 77;
    or_set_class_main_building(standby_, teacher);
    return g_eng_classes[standby_].building;
  }
  int a_ = 0, standby_ = 0, rossi_ = 0, verdi_ = 0, subject_ = 0;
};

TEST_F(StandbyClassBuilding, TheBuildingOfMostLessons) {
  Lessons(rossi_, 0, 1);
  Lessons(rossi_, 2, 3);
  Lessons(rossi_, 1, 2);
  Lessons(verdi_, 1, 5);
  Lessons(rossi_, kMaxBuildings, 4);  // outside the building table: not counted
  Lessons(rossi_, -1, 4);             // no building
  EXPECT_EQ(Building(rossi_), 2);
  EXPECT_EQ(Building(verdi_), 1);
}

TEST_F(StandbyClassBuilding, TiesGoToTheLowestAndNoLessonsToTheFirst) {
  Lessons(rossi_, 2, 2);
  Lessons(rossi_, 1, 2);
  EXPECT_EQ(Building(rossi_), 1);
  EXPECT_EQ(Building(verdi_), 0);
  EXPECT_EQ(Building(-1), 0);
}

TEST_F(StandbyClassBuilding, NoneWithoutBuildingsAndUntouchedWhenGrouped) {
  Lessons(rossi_, 2, 2);
  g_eng_school.standby_grouping = 0;
  EXPECT_EQ(Building(rossi_), 77);
  g_eng_school.building_count = 0;
  EXPECT_EQ(Building(rossi_), -1);
  g_eng_classes[standby_].building = 5;
  or_set_class_main_building(-1, rossi_);
  or_set_class_main_building(kMaxClasses, rossi_);
  EXPECT_EQ(g_eng_classes[standby_].building, 5);
}

}  // namespace
