// Stand-by and support pseudo-lessons: their pseudo-classes, their save lines
// ('D' and 'S') read back by teacher name, packing; and the day and slot
// exchanges (the shaking is walked by every search).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/engine_main.h"
#include "engine/engine_random.h"
#include "engine/perturbations.h"
#include "engine/placement_check.h"
#include "engine/save_files.h"
#include "engine/standby_support.h"
#include "save_test_fixture.h"

extern int g_test_gap_answer;

namespace {

struct StandbySchool {
  int k, a, b;
  StandbySchool(int grouping) {
    save_test::reset_school();
    k = save_test::add_class("1A");
    int s = save_test::add_subject("ITALIANO");
    a = save_test::add_teacher("ALFA");
    b = save_test::add_teacher("BETA");
    g_eng_teachers[a].contract_values[0] = 2;  // "TED:+2": two stand-by hours
    g_eng_teachers[b].contract_values[0] = 3;
    g_eng_teachers[b].standby_value = 1;       // "SOS:1": one support hour
    for (int h = 0; h < 3; ++h) save_test::place(save_test::add_lesson(a, k, s), 2, h);
    for (int h = 3; h < 5; ++h) save_test::place(save_test::add_lesson(b, k, s), 2, h);
    g_eng_school.standby_grouping = static_cast<std::int8_t>(grouping);
    or_count_hours(0);
    or_create_standby_lessons();
    or_count_hours(0);
  }
};

// The six stand-by and support lessons (5 to 10) at fixed hours.
void place_pseudo_lessons() {
  int slots[][2] = {{0, 0}, {0, 1}, {0, 0}, {1, 0}, {1, 1}, {3, 3}};
  for (int i = 5; i < 11; ++i) save_test::place(i, slots[i - 5][0], slots[i - 5][1]);
}

TEST(Standby, OnePseudoClassPerTeacherWhenGrouped) {
  {
    StandbySchool none(0);
    const EngineSchool& s = g_eng_school;
    EXPECT_EQ((std::vector<int>{s.class_count, s.real_class_count, s.lesson_count}), (std::vector<int>{1, 1, 5}));
  }
  StandbySchool school(-1);
  // ALFA: 3 lessons and 2 stand-by hours; BETA: 2 lessons, 3 stand-by, 1 support.
  EXPECT_EQ((std::vector<int>{g_eng_teachers[school.a].weekly_hours, g_eng_teachers[school.b].weekly_hours}),
            (std::vector<int>{5, 6}));
  ASSERT_EQ(+g_eng_school.class_count, 4);
  EXPECT_EQ((std::vector<std::string>{g_eng_classes[1].code, g_eng_classes[2].code, g_eng_classes[3].code}),
            (std::vector<std::string>{"dAA", "dAB", "dAC"}));
  const EngineSchool& s = g_eng_school;
  EXPECT_EQ((std::vector<int>{s.real_class_count, s.support_class_start, s.lesson_count}), (std::vector<int>{1, 3, 11}));
  struct Case { int lesson, teacher, klass, marker; } cases[] = {
      {5, school.a, 1, 1}, {6, school.a, 1, 1}, {7, school.b, 2, 1}, {9, school.b, 2, 1}, {10, school.b, 3, 2}};
  for (const Case& c : cases) {
    const EngineLesson& l = g_eng_lessons[c.lesson];
    EXPECT_EQ((std::vector<int>{l.teacher, l.class_index, l.standby_marker}), (std::vector<int>{c.teacher, c.klass, c.marker}))
        << c.lesson;
    EXPECT_STREQ(g_eng_rooms[l.room].name, g_eng_classes[c.klass].code) << c.lesson;
    EXPECT_FALSE(or_lesson_placed(c.lesson));
  }
  EXPECT_EQ(std::string(g_eng_subjects[g_eng_lessons[5].subject].group_name) + "|" +
                g_eng_subjects[g_eng_lessons[10].subject].group_name, "Disposizione|Sostegno");
}

TEST(Standby, PseudoLinesAreSavedMatchedByNameAndCarriedByTheTakeOver) {
  save_test::SchoolFolder folder;
  StandbySchool school(-1);
  place_pseudo_lessons();
  or_set_lesson_supported_class(10, school.k);
  std::vector<int> expected = save_test::placements();
  or_save_timetable(-1);
  std::string plain = engine_test::unscrambled(".\\savego.txt");
  EXPECT_NE(plain.find("0005D 0 0 dAA (1) ALFA (0)  (-1) CE:0\n"), std::string::npos) << plain;
  EXPECT_NE(plain.find("0010S 3 3 dAC (3) BETA (1)  (-1) CE:0 SOCL:1A-\n"), std::string::npos) << plain;
  // A further stand-by line of ALFA finds no free stand-by lesson: skipped.
  char work[512];
  std::FILE* out = std::fopen("savego.txt", "ab");
  or_write_scrambled_line(out, "0011D 4 4 dAA (1) ALFA (0)  (-1) CE:0\n", work);
  std::fclose(out);
  for (int i = 0; i < 11; ++i) save_test::place(i, -1, 0);
  or_set_lesson_supported_class(10, -1);
  EXPECT_EQ(or_load_timetable(0), 0);
  EXPECT_EQ(save_test::placements(), expected);
  EXPECT_EQ(or_lesson_supported_class(10), school.k);
  // The take-over carries the stand-by lines to the next save.
  g_recovery_allowed = 1;
  ASSERT_EQ(or_recover_previous_timetable(), 0);
  std::string carried = folder.read("tempfileDS.txt");
  EXPECT_NE(carried.find("0005D 0 0 dAA (1) ALFA (0)  (-1) CE:0\n"), std::string::npos) << carried;
  EXPECT_NE(carried.find("0010S 3 3 dAC (3) BETA (1)"), std::string::npos) << carried;
  or_save_timetable(-1);
  EXPECT_FALSE(folder.exists("tempfileDS.txt")) << "the next save appends and deletes it";
  std::string saved = engine_test::unscrambled(".\\savego.txt");
  // 11 lessons, the 25 calendar hours the take-over gave 1A (5 lessons in a
  // 30-hour week), and the seven carried stand-by and support lines (with
  // the further ALFA line).
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 11 + 25 + 7);
}

// The timetable read from a save holding the five ordinary lessons (ALFA's
// three, then BETA's two) in the first hours of `day`, no pseudo-lesson
// among them: everything unplaced before the read.
int load_save_with_lessons_on(save_test::SchoolFolder& folder, int day) {
  std::string lines;
  for (int i = 0; i < 5; ++i)
    lines += "000" + std::to_string(i) + " " + std::to_string(day) + " " + std::to_string(i) + " 1A (0) " +
             (i < 3 ? "ALFA (0)" : "BETA (1)") + "  (-1) CE:0\n";
  folder.write("savego.txt", lines);
  for (int i = 0; i < 11; ++i) save_test::place(i, -1, 0);
  return or_load_timetable(0);
}

TEST(Standby, UnsavedPseudoLessonsTakeFreeHoursOfTheirTeacher) {
  save_test::SchoolFolder folder;
  StandbySchool school(-1);
  EXPECT_EQ(load_save_with_lessons_on(folder, 2), 0);
  EXPECT_EQ(or_first_misplaced_lesson(true), -1);
  for (int i = 5; i < 11; ++i) EXPECT_TRUE(or_lesson_placed(i)) << i;
}

// Read from a save whose lessons sit in the week's first hours, the
// pseudo-lessons still never take an hour their teacher teaches.
TEST(Standby, UnsavedPseudoLessonsAvoidTheirTeachersLessons) {
  save_test::SchoolFolder folder;
  StandbySchool school(-1);
  ASSERT_EQ(load_save_with_lessons_on(folder, 0), 0);
  for (int i = 5; i < 11; ++i) {
    ASSERT_TRUE(or_lesson_placed(i)) << i;
    for (int j = 0; j < 5; ++j) {
      if (g_eng_lessons[j].teacher != g_eng_lessons[i].teacher) continue;
      EXPECT_FALSE(g_eng_lessons[j].day == g_eng_lessons[i].day && g_eng_lessons[j].hour == g_eng_lessons[i].hour)
          << i << " on " << j;
    }
  }
}

TEST(Standby, PackingFillsEarlierPseudoClasses) {
  StandbySchool school(-1);
  place_pseudo_lessons();
  or_pack_standby_lessons(0);
  // dAA is taken at Monday's first hour; support hours pack on their own.
  const EngineLesson* l = g_eng_lessons;
  EXPECT_EQ((std::vector<int>{l[7].class_index, l[8].class_index, l[9].class_index, l[10].class_index,
                              g_eng_classes[1].lesson_index_count}),
            (std::vector<int>{2, 1, 1, 3, 4}));
  EXPECT_EQ(or_first_misplaced_lesson(true), -1);
}

TEST(Perturbations, SwapDaysAndSlots) {
  save_test::SmallSchool school;
  or_swap_days(0, 4);
  EXPECT_EQ(save_test::placements(6), (std::vector<int>{48, 49, 12, 48, 27, 5}));
  g_engine_random.seed_with(3);
  g_test_gap_answer = 1;  // every exchange leaves a class gap: all refused
  std::vector<int> before = save_test::placements();
  EXPECT_EQ(or_swap_random_slots(3), 0);
  EXPECT_EQ(save_test::placements(), before) << "refused exchanges are undone";
  g_test_gap_answer = 0;
  EXPECT_EQ(or_swap_random_slots(3), 3);
  EXPECT_EQ(or_first_misplaced_lesson(true), -1);
}

}  // namespace
