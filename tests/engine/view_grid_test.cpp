// Week-grid accessors, room settings and the timetable view over the small
// test school (the class names and section order are held by the reports'
// golden files).
//
// Each case builds its model straight in the tables (save_test_fixture.h)
// and, where files are involved, runs in a fresh temporary school folder
// that also stands for the drive root; nothing sleeps or reads the clock.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/engine_services.h"
#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/placement_services.h"
#include "engine/save_files.h"
#include "engine/substitution_services.h"
#include "engine/text_lines.h"
#include "engine/timetable_view.h"
#include "engine/week_grid_access.h"
#include "save_test_fixture.h"

using save_test::SmallSchool;

namespace {

int filled(const WeekGridCell* grid) {
  int n = 0;
  for (int s = 0; s < kWeekSlots; ++s) n += grid[s].class_index >= 0 ? 1 : 0;
  return n;
}

TEST(ViewGrid, FindsEntitiesByTheirOwnRules) {
  SmallSchool school;
  std::snprintf(g_eng_classes[school.c1b].display_name, 41, "Ib Media");
  struct Case {
    const char* id;
    int kind;
    const char* name;
    int found, cells;
  } cases[] = {
      {"code", kGridClass, "1A", 0, 3},           // calendar hours are left out
      {"code-prefix", kGridClass, "1Axyz", 0, 3}, // the first code-length characters
      {"display-case", kGridClass, "ib media", 1, 3},
      {"teacher", kGridTeacher, "VERDI", 2, 2},     // its own lesson and the one it assists
      {"leads", kGridTeacherLeads, "VERDI", 2, 1},
      {"teacher-case", kGridTeacher, "verdi", -1, 0},
      {"nothing", kGridClass, "5Z", -1, 0},
      {"room-not-lab", kGridRoom, "1A", -1, 0},
      {"common-none", kGridCommonRoom, "PALESTRA", -1, 0},
  };
  for (const Case& c : cases) {
    WeekGridCell grid[kWeekSlots];
    std::memset(static_cast<void*>(grid), 0x5A, sizeof grid);
    EXPECT_EQ(or_fill_week_grid(c.kind, c.name, grid), c.found) << c.id;
    EXPECT_EQ(filled(grid), c.cells) << c.id;
    if (c.found < 0) {
      for (const WeekGridCell& cell : grid) EXPECT_EQ(+cell.class_index, -1) << c.id;
    }
  }
}

TEST(ViewGrid, CellFieldsOfALessonWithASecondTeacher) {
  SmallSchool school;
  WeekGridCell grid[kWeekSlots];
  ASSERT_EQ(or_fill_week_grid(kGridClass, "1B", grid), school.c1b);
  const WeekGridCell& cell = grid[0];  // lesson 3, Monday first hour
  EXPECT_EQ(cell.lesson, 3);
  EXPECT_EQ(cell.lesson_again, 3);
  EXPECT_EQ(cell.teacher, school.bianchi);
  EXPECT_EQ(cell.second_teacher, school.verdi);
  EXPECT_EQ(+cell.subject, school.lab);
  EXPECT_EQ(cell.room, -1) << "the class's own room";
  EXPECT_EQ(cell.room_override, 0);
  EXPECT_EQ(cell.flag, 0);
  EXPECT_EQ(cell.supported_class, -1);
  // Calendar hours fill the class grid but name no teacher.
  ASSERT_EQ(or_fill_week_grid(kGridTeacher, "Calendario-1B", grid), 4);
  EXPECT_EQ(filled(grid), 0) << "calendar lessons are not shown";
}

// A teacher's week edited on the board's grid is taken back into the
// lessons: a lesson whose cell moved goes to the new slot, the others stay;
// a lesson that finds no cell of its class leaves the check failing.
TEST(ViewGrid, TeacherLessonsFollowTheirEditedGrid) {
  SmallSchool school;
  WeekGridCell grid[kWeekSlots];
  ASSERT_EQ(or_fill_week_grid(kGridTeacher, "ROSSI", grid), school.rossi);
  EXPECT_EQ(or_check_lessons_fit_grid(school.rossi, grid), 0);  // unchanged: nothing moves
  EXPECT_EQ(g_eng_lessons[1].day * 100 + g_eng_lessons[1].hour, 1);
  grid[3 * kHoursPerDay + 2] = grid[1];  // Monday's second hour to Thursday's third
  grid[1].class_index = -1;
  EXPECT_EQ(or_check_lessons_fit_grid(school.rossi, grid), 0);
  EXPECT_EQ(g_eng_lessons[1].day * 100 + g_eng_lessons[1].hour, 302);
  EXPECT_EQ(g_eng_lessons[0].day * 100 + g_eng_lessons[0].hour, 0);
  EXPECT_EQ(g_eng_lessons[2].day * 100 + g_eng_lessons[2].hour, 100);
  grid[1 * kHoursPerDay + 0].class_index = school.c1a;  // 1B's hour given to 1A: 1B's lesson has no cell
  EXPECT_EQ(or_check_lessons_fit_grid(school.rossi, grid), -1);
}

std::vector<std::string> slot_texts(int day, int hour) {
  char text[200];
  std::vector<std::string> got;
  for (int mode = 0, lesson; (lesson = or_next_lesson_text_at_slot(mode, day, hour, text)) >= 0; mode = 1)
    got.push_back(text);
  return got;
}

TEST(ViewGrid, LessonsOfASlotInTextOrder) {
  SmallSchool school;
  EXPECT_EQ(slot_texts(0, 0), (std::vector<std::string>{"BIANCHI + VERDI - FISICA - 1B [1B]", "ROSSI - MATEMATICA - 1A [1A]"}));
  char text[200];
  EXPECT_EQ(or_next_lesson_text_at_slot(1, 0, 0, text), -1);
}

// The lab chooser lists every lesson of the hour wherever it is held, so a
// lesson already in another lab can be moved into the one booked; the
// lessons of calendar pseudo-teachers are no lessons to move.
TEST(ViewGrid, EveryLessonOfTheHourWithItsRoom) {
  SmallSchool school;
  int chemistry = save_test::add_room("LAB CHIMICA"), physics = save_test::add_room("LAB FISICA");
  g_eng_rooms[chemistry].lab_flag = g_eng_rooms[physics].lab_flag = 1;
  std::snprintf(g_eng_common_rooms[0].name, kNameSize, "%s", "PALESTRA");
  g_eng_school.common_room_count = 1;
  int gym = save_test::add_lesson(school.verdi, school.c1a, school.math);
  save_test::place(gym, 0, 0);
  g_eng_lessons[gym].common_room = 0;
  struct Case {
    const char* id;
    int lesson, room;  // lesson moved into room first (-1 none)
    std::vector<std::string> listed;
  } cases[] = {
      {"own rooms", -1, -1,
       {"BIANCHI + VERDI - FISICA - 1B [1B]", "ROSSI - MATEMATICA - 1A [1A]", "VERDI - MATEMATICA - 1A [PALESTRA]"}},
      {"in a lab", 3, chemistry,
       {"BIANCHI + VERDI - FISICA - 1B [LAB CHIMICA]", "ROSSI - MATEMATICA - 1A [1A]",
        "VERDI - MATEMATICA - 1A [PALESTRA]"}},
      {"moved on", 3, physics,
       {"BIANCHI + VERDI - FISICA - 1B [LAB FISICA]", "ROSSI - MATEMATICA - 1A [1A]",
        "VERDI - MATEMATICA - 1A [PALESTRA]"}},
  };
  for (const Case& c : cases) {
    if (c.lesson >= 0) {
      EXPECT_EQ(or_next_lesson_text_at_slot(2, c.lesson, c.room, nullptr), -1) << c.id;
    }
    EXPECT_EQ(slot_texts(0, 0), c.listed) << c.id;
  }
  EXPECT_EQ(g_eng_lessons[3].room, physics);
  EXPECT_EQ(or_lesson_room_setting(3), physics);
  EXPECT_TRUE(slot_texts(0, 2).empty()) << "only calendar hours there";
}

// The lab summary's iterator: lessons of a lab group still in their class's
// room, with teacher, class, group, day and hour.
TEST(ViewGrid, LabLessonsStillInTheirClassRoom) {
  SmallSchool school;
  std::snprintf(g_eng_lab_groups[0].name, kNameSize, "%s", "Scienze");
  g_eng_school.lab_group_count = 1;
  int lab = save_test::add_room("LAB FISICA");
  g_eng_lessons[4].lab_group = 0;  // BIANCHI 1A, Wednesday 4th hour: waiting
  g_eng_lessons[5].lab_group = 0;  // VERDI 1B, in its lab already
  or_set_lesson_room(5, "LAB FISICA");
  g_eng_lessons[3].lab_group = 0;  // BIANCHI 1B, in a common room
  g_eng_lessons[3].common_room = 0;
  ASSERT_EQ(g_eng_lessons[5].room, lab);
  EXPECT_EQ(or_iterate_class_room_lessons(2, nullptr, nullptr, nullptr, nullptr, nullptr), 1);
  const char *teacher = nullptr, *klass = nullptr, *group = nullptr;
  int day = -1, hour = -1;
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(or_iterate_class_room_lessons(1, &teacher, &klass, &group, &day, &hour), 1) << round;
    EXPECT_STREQ(teacher, "BIANCHI");
    EXPECT_STREQ(klass, "1A");
    EXPECT_STREQ(group, "Scienze");
    EXPECT_EQ(day, 2);
    EXPECT_EQ(hour, 3);
    EXPECT_EQ(or_iterate_class_room_lessons(0, &teacher, &klass, &group, &day, &hour), 0) << round;
  }
  or_set_lesson_room(5, nullptr);  // back in its class's room: waiting again
  or_set_lesson_room_setting(5, kRoomSettingNone);
  EXPECT_EQ(or_iterate_class_room_lessons(2, nullptr, nullptr, nullptr, nullptr, nullptr), 2);
}

TEST(ViewGrid, StandbyCountCache) {
  SmallSchool school;
  int grid[kWeekSlots];
  EXPECT_EQ(or_count_standby_per_slot(grid), 0);
  or_move_standby_count(0, 0, 1, 1);
  or_count_standby_per_slot(grid);
  EXPECT_EQ(grid[0], 1);
  EXPECT_EQ(grid[13], -1);
  or_move_standby_count(-1, 0, 0, 0);  // drops the cache: the next count is fresh
  EXPECT_EQ(or_count_standby_per_slot(grid), 0);
  EXPECT_EQ(grid[0], 0);
  or_set_standby_grid_keys(7, 9);
  int k1, k2;
  or_get_standby_grid_keys(&k1, &k2);
  EXPECT_EQ(k1 * 10 + k2, 79);
}

TEST(ViewGrid, RoomSettingsReachTheSaveAndTheLesson) {
  save_test::SchoolFolder folder;
  SmallSchool school;
  or_set_lesson_room(4, nullptr);
  EXPECT_EQ(or_lesson_room_setting(4), kRoomSettingNoRoom);
  or_save_timetable(-1);
  std::FILE* f = or_fopen(".\\savego.txt", "rt");
  ASSERT_NE(f, nullptr);
  char line[512];
  std::string lines;
  while (or_read_line(line, 400, f)) lines += line;
  or_fclose(f);
  EXPECT_NE(lines.find("0004 2 3 1A (0) BIANCHI (1)  (-1) CE:0 STZN:|\n"), std::string::npos);

  or_set_lesson_room(4, "1B");
  EXPECT_EQ(g_eng_lessons[4].room, 1);
  EXPECT_EQ(or_lesson_room_setting(4), 1);
  or_set_lesson_room(4, "NO SUCH ROOM");
  EXPECT_EQ(or_lesson_room_setting(4), 1) << "an unknown name changes nothing";
}

TEST(ViewGrid, ViewCopiesTeachersClassesAndReception) {
  SmallSchool school;
  g_eng_teachers[school.rossi].reset_marker = 2;
  g_eng_teachers[school.rossi].reception_hour = 4;
  or_build_timetable_view();
  const TimetableView& v = g_timetable_view;
  EXPECT_EQ((std::vector<long>{v.real_teacher_count, v.pseudo_teacher_count, v.teacher_lesson_count[school.verdi],
                               v.reception[school.rossi].day, v.reception[school.rossi].hour,
                               v.reception[school.bianchi].day, v.reception_wanted[school.rossi], v.class_count,
                               v.support_class_start}),
            (std::vector<long>{3, 2, 2, 2, 4, -1, 1, 2, 300}));
  EXPECT_EQ((std::vector<std::string>{v.teacher_names[1], v.calendar_names[0], v.subject_names[school.math]}),
            (std::vector<std::string>{"BIANCHI", "Calendario-1A", "MATEMATICA"}));
}

// Lessons held in a common room, by the room's exact name; either of a
// lesson's two common rooms counts.
TEST(ViewGrid, CommonRoomLessonCount) {
  SmallSchool school;
  g_eng_school.common_room_count = 2;
  std::snprintf(g_eng_common_rooms[0].name, kNameSize, "%s", "PALESTRA");
  std::snprintf(g_eng_common_rooms[1].name, kNameSize, "%s", "AULA MAGNA");
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    g_eng_lessons[i].common_room = -1;
    g_eng_lessons[i].second_common_room = -1;
  }
  g_eng_lessons[0].common_room = 0;
  g_eng_lessons[2].common_room = 0;
  g_eng_lessons[3].second_common_room = 0;
  g_eng_lessons[4].common_room = 1;
  struct Case {
    const char* name;
    int count;
  } cases[] = {{"PALESTRA", 3}, {"AULA MAGNA", 1}, {"palestra", -1}, {"LAB", -1}};
  for (const Case& c : cases) EXPECT_EQ(or_count_common_room_lessons(c.name), c.count) << c.name;
}

// A teacher's forbidden-hour mask tried on the working grid: kind 101 keeps
// it in the saved grid as well; other kinds run the timed improvement on
// it, and kind 1 puts the working grid back afterwards.
TEST(ViewGrid, TeacherHourMaskTriedAndKept) {
  SmallSchool school;
  static int improved_kind, improved_teacher, weights_set;
  static std::uint8_t seen[kWeekSlots];
  improved_kind = 0, improved_teacher = -1, weights_set = 0;
  EngineServices kept = g_engine_services;
  std::uint32_t score = g_total_score;
  g_engine_services.set_constraint_weights = [] { ++weights_set; };
  g_engine_services.improve_class_timed = [](int kind, int teacher) {
    improved_kind = kind;
    improved_teacher = teacher;
    std::memcpy(seen, g_eng_teachers[teacher].allowed_hours_work, kWeekSlots);
    return 5;
  };
  EngineTeacher& rossi = g_eng_teachers[school.rossi];
  std::uint8_t mask[kWeekSlots] = {};
  mask[3] = mask[14] = 1;

  ASSERT_EQ(rossi.allowed_hours[0], 255) << "no availability set yet";
  EXPECT_EQ(or_try_teacher_hour_mask(1, school.rossi, mask), 5);
  EXPECT_EQ(improved_kind, 1);
  EXPECT_EQ(improved_teacher, school.rossi);
  EXPECT_EQ(weights_set, 1);
  EXPECT_EQ(g_total_score, 99999u);
  EXPECT_EQ(seen[0], 1) << "an unset grid is first filled with allowed hours";
  EXPECT_EQ(seen[3] + seen[14], 0);
  EXPECT_EQ(rossi.allowed_hours_work[3], 255) << "kind 1 puts the working grid back";

  EXPECT_EQ(or_try_teacher_hour_mask(101, school.rossi, mask), 0);
  EXPECT_EQ(weights_set, 1) << "kind 101 only keeps the mask";
  EXPECT_EQ(rossi.allowed_hours[3], 0);
  EXPECT_EQ(rossi.allowed_hours[4], 1);

  mask[3] = 0;
  mask[5] = 1;
  EXPECT_EQ(or_try_teacher_hour_mask(2, school.rossi, mask), 5);
  EXPECT_EQ(seen[5], 1) << "other kinds leave the working grid as it is";
  EXPECT_EQ(seen[3], 0);
  EXPECT_EQ(or_try_teacher_hour_mask(1, -1, mask), -1);
  EXPECT_EQ(or_try_teacher_hour_mask(1, school.rossi, nullptr), -1);
  g_engine_services = kept;
  g_total_score = score;
}

}  // namespace
