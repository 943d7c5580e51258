// Personal-constraint lines: items read into the teacher's record with the
// bounds of the school's week, bad items refused with a message. Packed
// fields are compared by value (unary +).
#include <gtest/gtest.h>

#include <string>

#include "schooldata/model_lookups.h"
#include "schooldata/model_utilities.h"
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

// Which groups of a teacher's constraints differ from a new teacher's: the
// days and hours (1), the further conditions (2), both or none. Each field
// changed alone marks its own group only.
TEST_F(TeacherConstraints, GroupsThatDifferFromTheDefaults) {
  ASSERT_EQ(og_find_or_add_teacher("A"), 0);
  og_set_teacher_defaults(0);
  const UiTeacherConstraints defaults = g_ui_teachers[0].personal;
  EXPECT_EQ(og_teacher_constraint_groups(0), 0);
  struct Case {
    const char* field;
    void (*change)(UiTeacherConstraints&);
    int groups;
  };
  const Case cases[] = {
      {"pmin[1]", [](UiTeacherConstraints& c) { ++c.pmin[1]; }, 1},
      {"pmax[1]", [](UiTeacherConstraints& c) { ++c.pmax[1]; }, 1},
      {"fmin[2]", [](UiTeacherConstraints& c) { ++c.fmin[2]; }, 1},
      {"fmax[2]", [](UiTeacherConstraints& c) { ++c.fmax[2]; }, 1},
      {"emin[2]", [](UiTeacherConstraints& c) { ++c.emin[2]; }, 1},
      {"emax[2]", [](UiTeacherConstraints& c) { ++c.emax[2]; }, 1},
      {"cavallomax[1]", [](UiTeacherConstraints& c) { ++c.cavallomax[1]; }, 1},
      {"ov[6]", [](UiTeacherConstraints& c) { ++c.ov[6]; }, 1},
      {"om[6]", [](UiTeacherConstraints& c) { ++c.om[6]; }, 1},
      {"ovmnb[6]", [](UiTeacherConstraints& c) { ++c.ovmnb[6]; }, 1},
      {"dimpe[6]", [](UiTeacherConstraints& c) { ++c.dimpe[6]; }, 1},
      {"op[83]", [](UiTeacherConstraints& c) { ++c.op[83]; }, 1},
      {"li[6]", [](UiTeacherConstraints& c) { ++c.li[6]; }, 1},
      {"lialt[6]", [](UiTeacherConstraints& c) { ++c.lialt[6]; }, 1},
      {"gmin", [](UiTeacherConstraints& c) { ++c.gmin; }, 1},
      {"gmax", [](UiTeacherConstraints& c) { ++c.gmax; }, 1},
      {"presenza", [](UiTeacherConstraints& c) { ++c.presenza; }, 1},
      {"insegnamin", [](UiTeacherConstraints& c) { ++c.insegnamin; }, 1},
      {"insegna", [](UiTeacherConstraints& c) { ++c.insegna; }, 1},
      {"inse.count", [](UiTeacherConstraints& c) { ++c.inse.count; }, 1},
      {"xprese.pairs[8][1]", [](UiTeacherConstraints& c) { ++c.xprese.pairs[8][1]; }, 1},
      {"gl[1]", [](UiTeacherConstraints& c) { ++c.gl[1]; }, 1},
      {"gp[1]", [](UiTeacherConstraints& c) { ++c.gp[1]; }, 1},
      {"gu[1]", [](UiTeacherConstraints& c) { ++c.gu[1]; }, 1},
      {"gx[2]", [](UiTeacherConstraints& c) { ++c.gx[2]; }, 1},
      {"buk[1]", [](UiTeacherConstraints& c) { ++c.buk[1]; }, 1},
      {"riposo", [](UiTeacherConstraints& c) { ++c.riposo; }, 1},
      {"ignorapausa", [](UiTeacherConstraints& c) { ++c.ignorapausa; }, 1},
      {"carshare_partner", [](UiTeacherConstraints& c) { ++c.carshare_partner; }, 2},
      {"carshare_wait", [](UiTeacherConstraints& c) { ++c.carshare_wait; }, 2},
      {"gpausa", [](UiTeacherConstraints& c) { ++c.gpausa; }, 2},
      {"nomotor", [](UiTeacherConstraints& c) { ++c.nomotor; }, 2},
      {"nomweek", [](UiTeacherConstraints& c) { ++c.nomweek; }, 2},
      {"gruppioremax.count", [](UiTeacherConstraints& c) { ++c.gruppioremax.count; }, 2},
      {"ultimeoremax.pairs[7][0]", [](UiTeacherConstraints& c) { ++c.ultimeoremax.pairs[7][0]; }, 2},
      {"enterexit.count", [](UiTeacherConstraints& c) { ++c.enterexit.count; }, 2},
      {"paulab", [](UiTeacherConstraints& c) { ++c.paulab; }, 2},
      {"quorvex", [](UiTeacherConstraints& c) { ++c.quorvex; }, 2},
      {"clasenoc", [](UiTeacherConstraints& c) { ++c.clasenoc; }, 2},
      {"dkif", [](UiTeacherConstraints& c) { ++c.dkif; }, 2},
      {"tramox", [](UiTeacherConstraints& c) { ++c.tramox; }, 2},
      {"pligi[1]", [](UiTeacherConstraints& c) { ++c.pligi[1]; }, 2},
      {"segrubi[1]", [](UiTeacherConstraints& c) { ++c.segrubi[1]; }, 2},
      {"prela[1]", [](UiTeacherConstraints& c) { ++c.prela[1]; }, 2},
      {"fercav[2]", [](UiTeacherConstraints& c) { ++c.fercav[2]; }, 2},
      {"pausameper[3]", [](UiTeacherConstraints& c) { ++c.pausameper[3]; }, 2},
      {"maxbudayper", [](UiTeacherConstraints& c) { ++c.maxbudayper; }, 2},
      {"tekgrado[1]", [](UiTeacherConstraints& c) { ++c.tekgrado[1]; }, 2},
      {"labrifol", [](UiTeacherConstraints& c) { ++c.labrifol; }, 2},
      {"ni", [](UiTeacherConstraints& c) { ++c.ni; }, 2},
  };
  for (const Case& c : cases) {
    g_ui_teachers[0].personal = defaults;
    c.change(g_ui_teachers[0].personal);
    EXPECT_EQ(og_teacher_constraint_groups(0), c.groups) << c.field;
  }
  ++g_ui_teachers[0].personal.li[0];
  EXPECT_EQ(og_teacher_constraint_groups(0), 3);
  EXPECT_EQ(og_teacher_constraint_groups(-1), 0);
  EXPECT_EQ(og_teacher_constraint_groups(kUiMaxTeachers), 0);
}

// Items read by their own rules: the last-hour bands as first-hour bands
// from the day's end, the defaults an item of 0 stands for, the weekly
// moves that a never-moving teacher cannot have, notes and markers
// skipped, pairs without their dash refused.
TEST_F(TeacherConstraints, ItemsReadByTheirRules) {
  struct Case {
    const char* line;
    int (*value)(const UiTeacher&);
    int expected;
  };
  const Case cases[] = {
      {"V:|A|UMIN:2-3|", [](const UiTeacher& t) { return t.personal.fmin[0] * 100 + t.personal.fmin[1] * 10 + t.personal.fmin[2]; }, 563},
      {"V:|A|UMAX:1-2|", [](const UiTeacher& t) { return t.personal.fmax[0] * 100 + t.personal.fmax[1] * 10 + t.personal.fmax[2]; }, 662},
      {"V:|A|QUORVEX:0|", [](const UiTeacher& t) { return int(t.personal.quorvex); }, 2},
      {"V:|A|QUORVEX:4|", [](const UiTeacher& t) { return int(t.personal.quorvex); }, 4},
      {"V:|A|CLASENOC:0|", [](const UiTeacher& t) { return int(t.personal.clasenoc); }, 3},
      {"V:|A|CLASENOC:1|", [](const UiTeacher& t) { return int(t.personal.clasenoc); }, 1},
      {"V:|A|NOMOTOR:2|NOMWEEK:3|", [](const UiTeacher& t) { return int(t.personal.nomweek); }, 0},
      {"V:|A|NOMOTOR:3|NOMWEEK:3|", [](const UiTeacher& t) { return int(t.personal.nomweek); }, 3},
      {"V:|A|NOMOTOR:2|NOMWEEK:0|", [](const UiTeacher& t) { return int(t.personal.nomweek); }, 0},
      {"V:|A|MXR:7|", [](const UiTeacher& t) { return int(t.mxr); }, 7},
      {"V:|A|BUK:3|", [](const UiTeacher& t) { return t.personal.buk[0] * 10 + t.personal.buk[1]; }, 29},  // the second stays unset
      {"V:|A|GX:1-2-3|", [](const UiTeacher& t) { return t.personal.gx[0] * 100 + t.personal.gx[1] * 10 + t.personal.gx[2]; }, 123},
      {"V:|A|GU:2-4|", [](const UiTeacher& t) { return t.personal.gu[0] * 10 + t.personal.gu[1]; }, 24},
      {"V:|A|ULTIMEOREMAX:2-1:3-2|", [](const UiTeacher& t) { return t.personal.ultimeoremax.count * 100 + t.personal.ultimeoremax.pairs[1][0] * 10 + t.personal.ultimeoremax.pairs[1][1]; }, 232},
      {"V:|A|ENTEREXIT:4-1|", [](const UiTeacher& t) { return t.personal.enterexit.count * 100 + t.personal.enterexit.pairs[0][0] * 10 + t.personal.enterexit.pairs[0][1]; }, 141},
      {"V:|A|REM:nota|PRIVILEGIO|QWEQWE|GMAX:2|", [](const UiTeacher& t) { return int(t.personal.gmax); }, 2},
      {"V:|A|PAUSAMEPER:2-30-45-1|", [](const UiTeacher& t) { return t.personal.pausameper[0] * 1000 + t.personal.pausameper[1] * 10 + t.personal.pausameper[3]; }, 1301},
  };
  for (const Case& c : cases) {
    og_clear_structure();
    og_set_new_school_defaults(52);
    g_ui_header.hours_per_day[5] = 0;
    ASSERT_EQ(og_read_teacher_constraints(c.line), 0) << c.line << ": " << og_constraint_error();
    EXPECT_EQ(c.value(g_ui_teachers[0]), c.expected) << c.line;
  }
  for (const char* line : {"V:|A|GL:3|", "V:|A|GP:2|", "V:|A|GU:1|", "V:|A|GX:1|", "V:|A|INSE:4|"}) {
    EXPECT_EQ(og_read_teacher_constraints(line), -1) << line;
    EXPECT_NE(std::string(og_constraint_error()), "") << line;
  }
}

}  // namespace

