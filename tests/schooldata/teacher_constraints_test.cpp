// Personal-constraint lines: items read into the teacher's record with the
// bounds of the school's week, bad items refused with a message. Packed
// fields are compared by value (unary +).
#include <gtest/gtest.h>

#include <string>

#include "schooldata/teacher_constraints.h"
#include "schooldata/ui_school_model.h"

namespace {

// Week of the tests: Monday to Friday, 6 hours (D 5, H 6).
class TeacherConstraints : public ::testing::Test {
 protected:
  void SetUp() override {
    og_clear_structure();
    og_clear_school_blocks();
    og_set_new_school_defaults(52);
    g_ui_header.hours_per_day[5] = 0;
  }
  const UiTeacherConstraints& c() const { return g_ui_teachers[0].personal; }
};

TEST_F(TeacherConstraints, SampleItems) {
  ASSERT_EQ(og_read_teacher_constraints("V:|FONTANA|PMAX:1-2|LI:VE:|"), 0) << og_constraint_error();
  EXPECT_STREQ(g_ui_teachers[0].name, "FONTANA");
  EXPECT_EQ(+c().pmax[0], 1);
  EXPECT_EQ(+c().pmax[1], 2);
  EXPECT_EQ(+c().li[4], 1);
  EXPECT_EQ(+c().li[0], 0);
  EXPECT_EQ(+c().gmin, -1);
}

TEST_F(TeacherConstraints, BoundsOfTheWeek) {
  ASSERT_EQ(og_read_teacher_constraints("V:|A|PMIN:1-9|PMAX:1-9|UMIN:2-3|GMAX:9|INSEGNA:0|"), 0);
  EXPECT_EQ(+c().pmin[1], 5);      // at most D
  EXPECT_EQ(+c().pmax[1], 4);      // at most D - 1
  EXPECT_EQ(+c().fmin[0], 5);      // H - 2 + 1
  EXPECT_EQ(+c().fmin[1], 6);
  EXPECT_EQ(+c().fmin[2], 3);
  EXPECT_EQ(+c().gmax, 5);
  EXPECT_EQ(+c().insegna, 1);
}

TEST_F(TeacherConstraints, GridRanges) {
  ASSERT_EQ(og_read_teacher_constraints("V:|A|OP:LU:1-2MA:5-99|"), 0) << og_constraint_error();
  EXPECT_EQ(+c().op[0], 1);
  EXPECT_EQ(+c().op[1], 1);
  EXPECT_EQ(+c().op[2], 0);
  EXPECT_EQ(+c().op[12 + 4], 1);
  EXPECT_EQ(+c().op[12 + 11], 1);  // clipped at the twelfth hour
  EXPECT_EQ(+c().op[24], 0);
}

TEST_F(TeacherConstraints, AvailableHoursClearTheGrid) {
  ASSERT_EQ(og_read_teacher_constraints("V:|A|OR:LU:1-3|"), 0);
  EXPECT_EQ(+c().op[0], 0);
  EXPECT_EQ(+c().op[3], 1);
  EXPECT_EQ(+c().op[6], 0);  // beyond Monday's 6 hours
  EXPECT_EQ(+c().op[12], 1);
}

TEST_F(TeacherConstraints, PairTablesAndPartner) {
  ASSERT_EQ(og_read_teacher_constraints("V:|A|INSE:5-2:6-1|CARSHARE:B:2|PAUSAMEPER:4-30-60-1|"),
            0);
  EXPECT_EQ(+c().inse.count, 2);
  EXPECT_EQ(+c().inse.pairs[1][0], 6);
  EXPECT_EQ(+c().carshare_partner, 1);
  EXPECT_STREQ(g_ui_teachers[1].name, "B");
  EXPECT_EQ(+c().pausameper[0], 3);
  EXPECT_EQ(+g_ui_settings.teacher_count, 2u);
}

TEST_F(TeacherConstraints, PairTableStopsAtCapacity) {
  std::string line = "V:|A|GRUPPIOREMAX";
  for (int i = 1; i <= 12; ++i) line += ":" + std::to_string(i) + "-1";
  ASSERT_EQ(og_read_teacher_constraints((line + "|").c_str()), 0);
  EXPECT_EQ(+c().gruppioremax.count, 8);
}

// Bad items are refused with a message; a line without a name does nothing.
TEST_F(TeacherConstraints, BadItemsAreRefusedAndNoNameDoesNothing) {
  EXPECT_EQ(og_read_teacher_constraints("V:|"), 0);
  EXPECT_EQ(+g_ui_settings.teacher_count, 0u);
  for (const char* line : {"V:|A|PIPPO:1|", "V:|A|PMIN:3|", "V:|A|PMIN:1-0|", "V:|A|OP:LU:3|", "V:|A|OP:LU1-2|",
                           "V:|A|NOMOTOR:9|", "V:|A|LI:VEN|", "V:|A|CARSHARE:B|", "V:|A|XPRESE:5|"}) {
    EXPECT_EQ(og_read_teacher_constraints(line), -1) << line;
    EXPECT_NE(std::string(og_constraint_error()), "") << line;
  }
}

}  // namespace

