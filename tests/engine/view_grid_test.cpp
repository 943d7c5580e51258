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

#include "engine/errors.h"
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
      for (const WeekGridCell& cell : grid) EXPECT_EQ(cell.class_index, -1) << c.id;
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
  EXPECT_EQ(cell.subject, school.lab);
  EXPECT_EQ(cell.room, -1) << "the class's own room";
  EXPECT_EQ(cell.room_override, 0);
  EXPECT_EQ(cell.flag, 0);
  EXPECT_EQ(cell.supported_class, -1);
  // Calendar hours fill the class grid but name no teacher.
  ASSERT_EQ(or_fill_week_grid(kGridTeacher, "Calendario-1B", grid), 4);
  EXPECT_EQ(filled(grid), 0) << "calendar lessons are not shown";
}

TEST(ViewGrid, LessonsOfASlotInTextOrder) {
  SmallSchool school;
  char text[200];
  std::vector<std::string> got;
  for (int mode = 0, lesson; (lesson = or_next_lesson_text_at_slot(mode, 0, 0, text)) >= 0; mode = 1) got.push_back(text);
  EXPECT_EQ(got, (std::vector<std::string>{"BIANCHI + VERDI - FISICA - 1B", "ROSSI - MATEMATICA - 1A"}));
  EXPECT_EQ(or_next_lesson_text_at_slot(1, 0, 0, text), -1);
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

}  // namespace
