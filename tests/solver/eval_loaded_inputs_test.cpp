// The evaluator inputs that come from a school description loaded through
// the engine's loader ("SYNT:"): each evaluator counts nothing before the
// parameter fill and its keyword's violation after it; and the reliefs that
// granted exemptions keep in the model. Hours count from 0.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/loader_harness.h"
#include "engine/presolve.h"
#include "engine/reception_exemption_files.h"
#include "eval2_mini_school.h"
#include "solver/constraint_parameter_fill.h"
#include "solver/cost_evaluation.h"
#include "solver/exemptions.h"

namespace {

class LoadedInputs : public ::testing::Test {
 protected:
  // Loads the lines after the week; every teacher and class weighs 1.
  void load(const std::string& lines) {
    loader_test::Outcome outcome = loader_test::run_synt(std::string(loader_test::kWeek) + lines);
    ASSERT_EQ(outcome.code, 0) << outcome.message;
    reset_run_state();
    g_provisional_mode = 0;
    for (int t = 0; t < g_eng_school.teacher_count; ++t) g_eng_teachers[t].weight = 1;
    for (int c = 0; c < g_eng_school.class_count; ++c) g_eng_classes[c].weight = 1;
  }
  // The count of an id for teacher 0 before and after the fill.
  static std::pair<std::int64_t, std::int64_t> before_and_after(int id) {
    or_reset_constraint_parameters();
    std::int64_t before = delta_of(id, 0);
    or_prepare_constraint_parameters();
    return {before, delta_of(id, 0)};
  }
};

TEST_F(LoadedInputs, TaskItemsGiveTestBlocks) {
  // A block of two hours within hours 1 to 3 (0 to 2 from 0): the three
  // lessons stand on three days, the longest run is 1.
  load("GM:MAT\t\nROSSI\t1A 3 K:2:1-3\t\n");
  place_in_order({{0, 0}, {1, 0}, {2, 0}});
  EXPECT_EQ(before_and_after(33), std::make_pair(std::int64_t{0}, std::int64_t{1}));
}

TEST_F(LoadedInputs, CommonRoomMinimumTakesTheSlotsOwnNumber) {
  // Two classes wanted in the gym whenever it is used; Monday's first hour
  // asks for one only ("OX:" digit 1), so only Tuesday's lone class misses one.
  std::string ox = "1" + std::string(83, '0');
  std::string room = "LOC:PAL\tGM:MAT\tMAT:MAT\tPRMAX:2\tPRMIN:2-1-0\tOX:";
  for (const std::string& grid : {std::string(84, '0'), ox}) {
    load("GM:MAT\t\nROSSI\t1A 2\t\n" + room + grid + "\t\n");
    place_in_order({{0, 0}, {1, 0}});
    or_prepare_constraint_parameters();
    or_evaluate_all_constraints(0);
    EXPECT_EQ(static_cast<int>(ConstraintStats[79].count), grid == ox ? 1 : 2) << grid;
  }
}

TEST_F(LoadedInputs, JTaskWantsItsBlockWithoutABreak) {
  // Monday's hour 1 is followed by a break (it ends at 600, hour 2 starts
  // at 610): the block at hours 1-2 is a block, but not one without break.
  load("GM:MAT\t\nROSSI\t1A 3 J:2:1-4\t\n");
  EngineClass& c = g_eng_classes[0];
  const int starts[4] = {480, 540, 610, 670};
  for (int h = 0; h < 4; ++h) c.timing[0][0][h] = static_cast<std::uint16_t>(starts[h]), c.timing[1][0][h] = 60;
  or_flag_task_breaks();
  place_in_order({{0, 1}, {0, 2}, {3, 0}});
  EXPECT_EQ(before_and_after(33), std::make_pair(std::int64_t{0}, std::int64_t{0}));
  EXPECT_EQ(delta_of(61, 0), 1);
}

TEST_F(LoadedInputs, OrpItemsAskForProlongedHours) {
  // Two of the line's hours must fall in prolonged hours (90 minutes from
  // "OREPROLU:"); only Monday's first hour of the class is one.
  load("OREPROLU:\t90\t\nGM:MAT\t\nROSSI\t1A 3 ORP:2\t\n");
  g_eng_classes[0].timing[1][0][0] = 90;
  or_file_teacher_lesson_values();
  place_in_order({{0, 0}, {1, 0}, {2, 0}});
  EXPECT_EQ(before_and_after(34), std::make_pair(std::int64_t{0}, std::int64_t{1}));
}

TEST_F(LoadedInputs, OrpPlacementGivesThePositionWish) {
  // "ORP:2" refuses the first and last hours, "ORP:1" wants them (the
  // placement of the teaching-post constraints page). Each lesson stands
  // at hour 1 or 3 of a six-hour day between lessons of another teacher.
  load("GM:MAT\t\nROSSI\t1A 2 ORP:2\t\nGM:ITA\t\nBIANCHI\t1A 6\t\n");
  place_in_order({{0, 0}, {1, 2}, {0, 1}, {1, 0}, {1, 1}, {1, 3}, {2, 0}, {3, 0}});
  EXPECT_EQ(before_and_after(43), std::make_pair(std::int64_t{0}, std::int64_t{1}));
  load("GM:MAT\t\nROSSI\t1A 2 ORQ:1\t\nGM:ITA\t\nBIANCHI\t1A 6\t\n");
  place_in_order({{0, 0}, {1, 2}, {0, 1}, {1, 0}, {1, 1}, {1, 3}, {2, 0}, {3, 0}});
  EXPECT_EQ(before_and_after(43), std::make_pair(std::int64_t{0}, std::int64_t{1}));
  load("GM:MAT\t\nROSSI\t1A 2 ORP:3\t\nGM:ITA\t\nBIANCHI\t1A 6\t\n");
  place_in_order({{0, 0}, {1, 2}, {0, 1}, {1, 0}, {1, 1}, {1, 3}, {2, 0}, {3, 0}});
  EXPECT_EQ(before_and_after(43), std::make_pair(std::int64_t{0}, std::int64_t{0})) << "3 is no placement";
}

TEST_F(LoadedInputs, KopItemsForbidHoursOfTheClass) {
  // Monday hours 1-2 and, on every day, hour 6 are closed to the line.
  load("GM:MAT\t\nROSSI\t1A 3 KOP:LU:1-2 KOP:X:6-6\t\n");
  place_in_order({{0, 1}, {1, 5}, {2, 1}});
  EXPECT_EQ(before_and_after(35), std::make_pair(std::int64_t{0}, std::int64_t{2}));
}

TEST_F(LoadedInputs, BuildingRowsAndTheNoMoveFlag) {
  // Monday: 1A (NORD), 2A (SUD), 1A (NORD): two changes of building.
  const std::string schools = "GM:MAT\t\nROSSI\t1A 2\t2A 1\t\nV:\tROSSI\tNOMOTOR:2\t\n";
  load("SEDECL:\tNORD\t1A\tNOSPOSTA:\t\nSEDECL:\tSUD\t2A\t\n" + schools);
  place_in_order({{0, 0}, {0, 2}, {0, 1}});
  // Per day: one change beyond the first, and both touch the no-move NORD.
  EXPECT_EQ(before_and_after(38), std::make_pair(std::int64_t{1}, std::int64_t{3}));
  // From NORD to SUD after hour 1 (0 from 0) is a reachable move.
  load("SEDECL:\tNORD\t1A\tNOCS:SUD-1\t\nSEDECL:\tSUD\t2A\t\n" + schools);
  place_in_order({{0, 0}, {0, 2}, {0, 1}});
  EXPECT_EQ(before_and_after(37), std::make_pair(std::int64_t{2}, std::int64_t{1}));
}

TEST_F(LoadedInputs, TheLoaderGivesEveryLessonItsBuilding) {
  // Rossi never moves between buildings and teaches 1A (NORD) and 2A (SUD):
  // Monday 1A, 2A, 1A. The lessons take their buildings from the load
  // itself, so the transfers count.
  load("SEDECL:\tNORD\t1A\t\nSEDECL:\tSUD\t2A\t\nGM:MAT\t\nROSSI\t1A 2\t2A 1\t\n"
       "V:\tROSSI\tNOMOTOR:2\t\n");
  const int nord = g_eng_classes[0].building, sud = g_eng_classes[1].building;
  ASSERT_NE(nord, sud);
  const int expected[] = {nord, nord, sud};
  for (int l = 0; l < 3; ++l) EXPECT_EQ(g_eng_lessons[l].building, expected[l]) << l;
  for (int l = 0; l < 3; ++l) g_eng_lessons[l].day = 0;
  g_eng_lessons[0].hour = 0;
  g_eng_lessons[1].hour = 2;
  g_eng_lessons[2].hour = 1;
  rebuild_mini_school();
  or_prepare_model_for_solving();
  or_prepare_constraint_parameters();
  EXPECT_EQ(delta_of(37, 0), 2);  // NORD -> SUD -> NORD, hour after hour
  EXPECT_EQ(delta_of(39, 0), 2);  // no move allowed in the week
  // A class no building claims is refused.
  loader_test::Outcome outcome = loader_test::run_synt(std::string(loader_test::kWeek) +
                                                       "SEDECL:\tNORD\t1A\t\nGM:MAT\t\nROSSI\t1A 2\t2A 1\t\n");
  EXPECT_NE(outcome.code, 0);
  EXPECT_NE(outcome.message.find("Manca sede per classe"), std::string::npos) << outcome.message;
}

TEST_F(LoadedInputs, ExemptionsAfterTheFillOutliveALaterPreparation) {
  load("GM:MAT\t\nROSSI\t1A 3 K:2:1-3\t\n");
  place_in_order({{0, 0}, {1, 0}, {2, 0}});
  g_eng_run.prepared = 1;
  StoredExemption r{};
  or_set_exemption_word(r, kExemptionIdOffset, 33);
  or_set_exemption_word(r, kExemptionClassOffset, 0);
  ASSERT_NE(g_exemption_applier, nullptr);
  EXPECT_EQ(g_exemption_applier(r), 0);
  EXPECT_EQ(delta_of(33, 0), 0);
  or_prepare_constraint_parameters();
  EXPECT_EQ(delta_of(33, 0), 0) << "the post stays out of the rule for this load";
}

// Two teaching lines of 1A want their two hours in one block and get two
// single hours each. The violation of 80 names its line's teacher and
// subject in detail words 0 and 4, and granting it takes that line's
// pattern away, whichever line it is; the other line still counts.
TEST_F(LoadedInputs, ConsecutiveHoursGrantForgivesTheLineItNames) {
  load("GM:MAT\t\nROSSI\t1A 2 G:2\t\nGM:ITA\t\nBIANCHI\t1A 2 G:2\t\n");
  place_in_order({{0, 0}, {1, 0}, {0, 1}, {2, 0}});
  or_prepare_constraint_parameters();
  auto records_of_80 = [] {
    g_eng_run.report_flag = 200;
    or_evaluate_all_constraints(1);
    g_eng_run.report_flag = 0;
    std::vector<ViolationRecord> found;
    for (int i = 0; i < g_status.violation_count.load(); ++i)
      if (g_status.violations[i].constraint_id == 80) found.push_back(g_status.violations[i]);
    return found;
  };
  auto words = [](const ViolationRecord& v) {
    StoredExemption r = or_exemption_from_violation(v, kExemptionRequestGrant);
    return std::make_pair(or_exemption_map_word(r, 0), or_exemption_map_word(r, 4));
  };
  std::vector<ViolationRecord> before = records_of_80();
  ASSERT_EQ(before.size(), 2u);
  const int rossi = g_eng_lessons[0].teacher, bianchi = g_eng_lessons[2].teacher;
  EXPECT_EQ(words(before[0]), std::make_pair(rossi, static_cast<std::int32_t>(g_eng_lessons[0].subject)));
  EXPECT_EQ(words(before[1]), std::make_pair(bianchi, static_cast<std::int32_t>(g_eng_lessons[2].subject)));
  std::int64_t both = delta_of(80, 0);
  struct Step {
    const char* id;
    int teacher, subject;  // the entry the grant names
    std::vector<int> left;  // teachers whose line still counts
  } steps[] = {
      {"second line", bianchi, g_eng_lessons[2].subject, {rossi}},
      {"again", bianchi, g_eng_lessons[2].subject, {rossi}},
      {"no such entry", rossi, g_eng_lessons[2].subject, {rossi}},
      {"first line", rossi, g_eng_lessons[0].subject, {}},
  };
  for (const Step& s : steps) {
    StoredExemption r = or_exemption_from_violation(before[0], kExemptionRequestGrant);
    or_set_exemption_word(r, kExemptionMapOffset + 0, static_cast<std::uint32_t>(s.teacher));
    or_set_exemption_word(r, kExemptionMapOffset + 4, static_cast<std::uint32_t>(s.subject));
    EXPECT_EQ(or_apply_exemption(r, 1), 0) << s.id;
    std::vector<int> left;
    for (const ViolationRecord& v : records_of_80()) left.push_back(static_cast<int>(v.teacher));
    EXPECT_EQ(left, s.left) << s.id;
    EXPECT_EQ(delta_of(80, 0), s.left.empty() ? 0 : both / 2) << s.id;
  }
  // The lab table (81) is another entry: nothing of 80 is granted by it.
  load("GM:MAT\t\nROSSI\t1A 2 G:2\t\n");
  place_in_order({{0, 0}, {1, 0}});
  or_prepare_constraint_parameters();
  StoredExemption lab{};
  or_set_exemption_word(lab, kExemptionIdOffset, 81);
  or_set_exemption_word(lab, kExemptionMapOffset + 4, static_cast<std::uint32_t>(g_eng_lessons[0].subject));
  EXPECT_EQ(or_apply_exemption(lab, 1), 0);
  EXPECT_GT(delta_of(80, 0), 0);
}

TEST_F(LoadedInputs, LastTeknoValueAsksForNoSingleHourLessons) {
  // Rule 2: no single-hour lesson in a class of two or more hours.
  load("TEKNO:\t0-0-0--2\t\nGM:MAT\t\nROSSI\t1A 2\t2A 2\t\n");
  place_in_order({{0, 0}, {1, 0}, {2, 0}, {2, 1}});
  EXPECT_EQ(before_and_after(59), std::make_pair(std::int64_t{0}, std::int64_t{2}));
}

TEST_F(LoadedInputs, NosaluBitsChargeAClassSeenOnlyAtBothEndsOfTheWeek) {
  // Bit 2: a class seen only on Monday and Friday. The break tables of the
  // preparation stand in by hand: a break per class, none wanted for two days.
  load("NOSALU:\t2\t\nGM:MAT\t\nROSSI\t1A 3\t\n");
  EngineTeacher& t = g_eng_teachers[0];
  t.pause_value = -1;
  t.pause_day_count = 1;
  std::memset(t.pause_days, 0, sizeof t.pause_days);
  place_in_order({{0, 0}, {0, 1}, {4, 0}});
  EXPECT_EQ(delta_of(28, 0), 2);  // the larger of Monday's 2 and Friday's 1
  g_eng_school.nosalu = 0;
  EXPECT_EQ(delta_of(28, 0), 0);
}

TEST_F(LoadedInputs, SecondBudimeValueCountsLongHoursAsGaps) {
  // Two 90-minute hours back to back: no gap, but an hour of extra time
  // once the second "BUDIME:" value asks for it.
  for (const char* budime : {"BUDIME:\t0-0\t\n", "BUDIME:\t0-1\t\n"}) {
    load(std::string(budime) + "GM:MAT\t\nROSSI\t1A 2\t\n");
    g_eng_teachers[0].gap_tolerance = 0;
    g_eng_classes[0].timing[1][0][0] = g_eng_classes[0].timing[1][0][1] = 90;
    place_in_order({{0, 0}, {0, 1}});
    EXPECT_EQ(delta_of(48, 0), g_eng_school.budime_second != 0 ? 1 : 0) << budime;
  }
}

TEST_F(LoadedInputs, GapBetweenBuildingsUsesTheSecondPamezValue) {
  // Monday: 1A (NORD) ends at 9:00, 2A (SUD) starts at 10:00 after a free
  // hour. The gap rule's transfer time is the second "PAMEZ:" value: above
  // 60 minutes the free hour is the transfer itself, below it a gap.
  for (const char* pamez : {"PAMEZ:\t90-30\t\n", "PAMEZ:\t30-90\t\n"}) {
    load(std::string("SEDECL:\tNORD\t1A\t\nSEDECL:\tSUD\t2A\t\n") + pamez + "GM:MAT\t\nROSSI\t1A 1\t2A 1\t\n");
    g_eng_teachers[0].gap_tolerance = 0;
    g_eng_teachers[0].building_count = 0;
    g_eng_classes[0].timing[0][0][0] = 480;
    g_eng_classes[0].timing[1][0][0] = 60;
    g_eng_classes[1].timing[0][0][2] = 600;
    g_eng_classes[1].timing[1][0][2] = 60;
    place_in_order({{0, 0}, {0, 2}});
    EXPECT_EQ(delta_of(48, 0), g_eng_school.pamez_second == 30 ? 1 : 0) << pamez;
  }
}

TEST_F(LoadedInputs, OnlyAOneHourGapBetweenBuildingsIsATransfer) {
  // Monday: 1A (NORD) at 8:00 and 11:00, 2A (SUD) at 13:00. The two free
  // hours after 8:00 are gaps whatever the buildings; the one free hour
  // before 13:00 is a transfer of 60 minutes: within a transfer time of 90
  // it is no gap, above one of 30 it is.
  for (const char* pamez : {"PAMEZ:\t30-90\t\n", "PAMEZ:\t90-30\t\n"}) {
    load(std::string("SEDECL:\tNORD\t1A\t\nSEDECL:\tSUD\t2A\t\n") + pamez + "GM:MAT\t\nROSSI\t1A 2\t2A 1\t\n");
    g_eng_teachers[0].gap_tolerance = 0;
    g_eng_teachers[0].building_count = 0;
    g_eng_classes[0].timing[0][0][0] = 480;
    g_eng_classes[0].timing[1][0][0] = 60;
    g_eng_classes[0].timing[0][0][3] = 660;
    g_eng_classes[0].timing[1][0][3] = 60;
    g_eng_classes[1].timing[0][0][5] = 780;
    g_eng_classes[1].timing[1][0][5] = 60;
    place_in_order({{0, 0}, {0, 3}, {0, 5}});
    EXPECT_EQ(delta_of(48, 0), g_eng_school.pamez_second == 90 ? 2 : 3) << pamez;
  }
}

struct ReliefCase {
  const char* id;
  int constraint;
  bool class_side;
  void (*setup)();
};

// Teacher 0 and class 0 in every case; the lessons are placed by the setup.
const ReliefCase kReliefs[] = {
    {"late25", 25, false,
     [] {
       EngineTeacher& t = g_eng_teachers[0];
       t.ultimeoremax_count = 1;
       t.ultimeoremax_pairs[0][0] = 5;  // from the fifth hour
       t.ultimeoremax_pairs[0][1] = 0;  // no share allowed
       add_lesson(0, 0, 0, 4);
       add_lesson(0, 0, 1, 0);
     }},
    {"pause28", 28, false,
     [] {
       EngineTeacher& t = g_eng_teachers[0];
       t.pause_value = -1;
       t.pause_day_count = 1;
       std::memset(t.pause_days, 0, sizeof t.pause_days);
       g_eng_school.nosalu = 2;
       add_lesson(0, 0, 0, 0);
       add_lesson(0, 0, 4, 0);
     }},
    {"weight83", 83, true,
     [] {
       g_eng_school.pexdiy = 1;
       g_eng_school.pexdiz.count = 1;
       g_eng_school.pexdiz.triples[0][0] = 12;  // up to 12 lessons a day
       g_eng_school.pexdiz.triples[0][1] = 1;   // weight 1 per day
       g_eng_school.pexdiz.triples[0][2] = 0;
       g_eng_subjects[0].pexdix = 1;
       add_lesson(0, 0, 0, 0);
       add_lesson(0, 0, 0, 1);
     }},
    {"kinds88", 88, true,
     [] {
       g_eng_run.labrifol_flag = 1;
       g_eng_teachers[0].labrifol = 1;
       g_eng_teachers[1].labrifol = 2;
       add_lesson(0, 0, 0, 0);
       add_lesson(1, 0, 0, 1);
     }},
};

class ExemptionReliefs : public ::testing::TestWithParam<ReliefCase> {};

TEST_P(ExemptionReliefs, TheRuleCountsUntilTheClassIsExempted) {
  const ReliefCase& k = GetParam();
  mini_school();
  k.setup();
  rebuild_mini_school();
  EXPECT_EQ(delta_of(k.constraint, 0), 1);
  StoredExemption r{};
  or_set_exemption_word(r, kExemptionIdOffset, static_cast<std::uint32_t>(k.constraint));
  or_set_exemption_word(r, kExemptionTeacherOffset, 0);
  or_set_exemption_word(r, kExemptionClassOffset, 0);  // detail byte 0: Monday
  EXPECT_EQ(or_apply_exemption(r, 1), 0);
  EXPECT_EQ(delta_of(k.constraint, 0), 0);
  mini_school();
  k.setup();
  rebuild_mini_school();
  EXPECT_EQ(delta_of(k.constraint, 0), 1) << "a new load starts without the relief";
}

INSTANTIATE_TEST_SUITE_P(Cases, ExemptionReliefs, ::testing::ValuesIn(kReliefs),
                         [](const ::testing::TestParamInfo<ReliefCase>& i) { return std::string(i.param.id); });

// The service days of a teacher come from the derived working days, so the
// weekly transfer limit ("NOMWEEK:") counts once the tables are filled.
// Teacher 0 teaches class 0 on two days at hours 0, 2, 3 in buildings
// 0, 1, 0: two building changes a day, four in the week.
void two_transfer_days() {
  for (int d = 0; d < 2; ++d) {
    g_eng_lessons[add_lesson(0, 0, d, 0)].building = 0;
    g_eng_lessons[add_lesson(0, 0, d, 2)].building = 1;
    g_eng_lessons[add_lesson(0, 0, d, 3)].building = 0;
  }
  rebuild_mini_school();
}

struct WeekCase {
  const char* id;
  int working_days;
  int nomweek;
  std::int64_t before;
  std::int64_t after;
};

class FillWeekTransfers : public ::testing::TestWithParam<WeekCase> {};

TEST_P(FillWeekTransfers, ServiceDaysComeFromTheWorkingDays) {
  const WeekCase& k = GetParam();
  mini_school();
  g_eng_teachers[0].max_working_days = static_cast<std::int8_t>(k.working_days);
  g_eng_teachers[0].nomweek = static_cast<std::int8_t>(k.nomweek);
  two_transfer_days();
  EXPECT_EQ(delta_of(39, 0), k.before);
  or_prepare_constraint_parameters();
  EXPECT_EQ(g_teacher_rule_params[0].service_days, k.working_days);
  EXPECT_EQ(delta_of(39, 0), k.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FillWeekTransfers,
    ::testing::Values(WeekCase{"limit2", 5, 2, 0, 2},      // 4 transfers, 2 allowed
                      WeekCase{"limit3", 5, 3, 0, 1},      // 4 transfers, 3 allowed
                      WeekCase{"limit4", 5, 4, 0, 0},      // exactly the limit
                      WeekCase{"unlimited", 5, 6, 0, 0},   // the default limit: days + 1
                      WeekCase{"atdays", 2, 2, 0, 0}),     // limit not below the service days
    [](const ::testing::TestParamInfo<WeekCase>& i) { return std::string(i.param.id); });

TEST(FillSchoolSwitches, GradingSwitchFollowsTheSchoolFlag) {
  mini_school();
  g_eng_school.uses_tekgrado = 1;
  or_prepare_constraint_parameters();
  EXPECT_EQ(g_school_rule_params.tekgrado_switch, 1);
  g_eng_school.uses_tekgrado = 0;
  or_prepare_constraint_parameters();
  EXPECT_EQ(g_school_rule_params.tekgrado_switch, 1) << "filled once per load";
  mini_school();
  or_prepare_constraint_parameters();
  EXPECT_EQ(g_school_rule_params.tekgrado_switch, 0) << "a new load fills again";
}

TEST(FillClassCalendars, AFittedCalendarClosesTheOtherHoursInTheProvisionalTimetable) {
  // Class 0's calendar is Monday's first four hours; teacher 0 teaches it
  // at Monday's fifth hour, while the calendar teacher (3) holds the third.
  mini_school();
  g_provisional_mode = 1;
  EngineClass& k = g_eng_classes[0];
  std::memset(k.special_calendar, 0, kWeekSlots);
  for (int h = 0; h < 4; ++h) k.special_calendar[h] = 1;
  std::memcpy(k.provisional_free, k.special_calendar, kWeekSlots);
  g_eng_teachers[3].calendar_class = 0;
  add_lesson(0, 0, 0, 4);
  add_lesson(3, 0, 0, 2);
  rebuild_mini_school();
  EXPECT_EQ(delta_of(63, 0), 0);
  or_prepare_constraint_parameters();
  EXPECT_EQ(g_class_rule_params[1].provisional_available[0], kNotConfigured) << "no calendar of its own";
  EXPECT_EQ(delta_of(63, 0), 1);
  g_provisional_mode = 0;
}

// The lab and gym equipment exemptions free only the lessons the violation
// named: its teacher's, in its class, in its room; the same teacher in
// another class and another teacher in the same room keep the rule.
TEST(ExemptionEquipment, OnlyTheTeachersLessonsOfTheClassInTheRoomAreFreed) {
  for (int id : {55, 65}) {
    SCOPED_TRACE(id);
    mini_school();
    int named = add_lesson(0, 1, 0, 0);
    int other_class = add_lesson(0, 2, 0, 1);
    int other_teacher = add_lesson(1, 1, 0, 2);
    int other_room = add_lesson(0, 1, 0, 3);
    for (int l : {named, other_class, other_teacher}) g_eng_lessons[l].room = 2;
    rebuild_mini_school();
    for (int l = 0; l < g_eng_school.lesson_count; ++l) g_lesson_rule_params[l] = LessonRuleParams{};
    StoredExemption r{};
    or_set_exemption_word(r, kExemptionIdOffset, static_cast<std::uint32_t>(id));
    or_set_exemption_word(r, kExemptionTeacherOffset, 0);
    or_set_exemption_word(r, kExemptionClassOffset, 1);
    or_set_exemption_word(r, kExemptionMapOffset + 16, 2);  // the room
    ASSERT_EQ(or_apply_exemption(r, 1), 0);
    auto skipped = [id](int l) {
      return int(id == 55 ? g_lesson_rule_params[l].lab_equipment_skip : g_lesson_rule_params[l].gym_equipment_skip);
    };
    EXPECT_EQ((std::vector<int>{skipped(named), skipped(other_class), skipped(other_teacher), skipped(other_room)}),
              (std::vector<int>{1, 0, 0, 0}));
  }
}

// On a day of non-standard hours, a teacher who goes from one class's hour
// to the next hour of a class whose hour starts before the first ends is
// counted once per such change; with the hours apart, nothing.
TEST(NonstandardHours, AChangeIntoAnOverlappingHourCounts) {
  for (int start : {530, 540}) {  // 1B's second hour at 8:50 or 9:00, after 1A's first, 8:00-9:00
    SCOPED_TRACE(start);
    mini_school();
    g_eng_school.nonstandard_timing_days = 0x01;  // Monday
    g_eng_teachers[0].nonstandard_timing = 1;
    for (int c : {0, 1})
      for (int h = 0; h < 6; ++h) {
        g_eng_classes[c].timing[0][0][h] = static_cast<std::int16_t>(480 + 60 * h);
        g_eng_classes[c].timing[1][0][h] = 60;
      }
    g_eng_classes[1].timing[0][0][1] = static_cast<std::int16_t>(start);
    add_lesson(0, 0, 0, 0);
    add_lesson(0, 1, 0, 1);
    rebuild_mini_school();
    EXPECT_EQ(delta_of(41, 0) > 0, start < 540);
  }
}

}  // namespace
