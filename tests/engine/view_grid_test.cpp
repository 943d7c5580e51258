// Week-grid accessors and the timetable view over the small test school.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "engine/save_files.h"
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
  struct Case { const char* id; int kind; const char* name; int found, cells; } cases[] = {
      {"code", kGridClass, "1A", 0, 3},           // calendar hours are left out
      {"code-prefix", kGridClass, "1Axyz", 0, 3}, // the first code-length characters
      {"display-case", kGridClass, "ib media", 1, 3},
      {"teacher", kGridTeacher, "VERDI", 2, 2},     // its own lesson and the one it assists
      {"leads", kGridTeacherLeads, "VERDI", 2, 1}, {"teacher-case", kGridTeacher, "verdi", -1, 0},
      {"nothing", kGridClass, "5Z", -1, 0}, {"room-not-lab", kGridRoom, "1A", -1, 0},
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

TEST(ViewGrid, CellFieldsAndTextsOfASlot) {
  SmallSchool school;
  WeekGridCell grid[kWeekSlots];
  ASSERT_EQ(or_fill_week_grid(kGridClass, "1B", grid), school.c1b);
  const WeekGridCell& c = grid[0];  // lesson 3, Monday first hour, in the class's own room
  EXPECT_EQ((std::vector<int>{c.lesson, c.lesson_again, c.teacher, c.second_teacher, c.subject, c.room,
                              c.room_override, c.flag, c.supported_class}),
            (std::vector<int>{3, 3, school.bianchi, school.verdi, school.lab, -1, 0, 0, -1}));
  // Calendar hours fill the class grid but name no teacher.
  ASSERT_EQ(or_fill_week_grid(kGridTeacher, "Calendario-1B", grid), 4);
  EXPECT_EQ(filled(grid), 0) << "calendar lessons are not shown";
  // The lessons of a slot as text, in text order.
  char text[200];
  std::vector<std::string> got;
  for (int mode = 0, lesson; (lesson = or_next_lesson_text_at_slot(mode, 0, 0, text)) >= 0; mode = 1) got.push_back(text);
  EXPECT_EQ(got, (std::vector<std::string>{"BIANCHI + VERDI - FISICA - 1B", "ROSSI - MATEMATICA - 1A"}));
  EXPECT_EQ(or_next_lesson_text_at_slot(1, 0, 0, text), -1);
}

TEST(ViewGrid, RoomSettingsReachTheSaveAndTheGrid) {
  save_test::SchoolFolder folder;
  SmallSchool school;
  or_set_lesson_room(4, nullptr);
  EXPECT_EQ(or_lesson_room_setting(4), kRoomSettingNoRoom);
  or_save_timetable(-1);
  EXPECT_NE(engine_test::unscrambled(".\\savego.txt").find("0004 2 3 1A (0) BIANCHI (1)  (-1) CE:0 STZN:|\n"),
            std::string::npos);
  or_set_lesson_room(4, "1B");
  WeekGridCell grid[kWeekSlots];
  or_fill_week_grid(kGridClass, "1A", grid);
  EXPECT_EQ((std::vector<int>{grid[2 * 12 + 3].room, grid[2 * 12 + 3].room_override}), (std::vector<int>{1, 1}));
  or_set_lesson_room(4, "NO SUCH ROOM");
  EXPECT_EQ(or_lesson_room_setting(4), 1) << "an unknown name changes nothing";
}

TEST(ViewGrid, ClassNamesAndSectionOrder) {
  SmallSchool school;
  save_test::add_class("2A");
  std::set<std::string> names;
  for (int i = 0; i < 8; ++i) names.insert(or_class_code(i % 3));
  EXPECT_EQ(names, (std::set<std::string>{"1A", "1B", "2A"}));
  const char* a = or_class_display_name(0);
  const char* b = or_class_display_name(1);
  EXPECT_EQ(std::string(a) + b, "1A1B") << "eight rotating buffers keep earlier results";
  int cursor = 0;
  std::vector<int> order;
  for (int c = or_next_class_by_section(1, &cursor); c >= 0; c = or_next_class_by_section(0, &cursor)) order.push_back(c);
  EXPECT_EQ(order, (std::vector<int>{0, 2, 1})) << "section A first, then by year";
}

TEST(ViewGrid, ViewCopiesTeachersClassesAndReceptionAndCountsStandby) {
  SmallSchool school;
  int grid[kWeekSlots];  // the stand-by count cache first
  EXPECT_EQ(or_count_standby_per_slot(grid), 0);
  or_move_standby_count(0, 0, 1, 1);
  or_count_standby_per_slot(grid);
  EXPECT_EQ((std::vector<int>{grid[0], grid[13]}), (std::vector<int>{1, -1}));
  or_move_standby_count(-1, 0, 0, 0);  // drops the cache: the next count is fresh
  EXPECT_EQ((std::vector<int>{or_count_standby_per_slot(grid), grid[0]}), (std::vector<int>{0, 0}));
  or_set_standby_grid_keys(7, 9);
  int keys[2];
  or_get_standby_grid_keys(&keys[0], &keys[1]);
  EXPECT_EQ((std::vector<int>{keys[0], keys[1]}), (std::vector<int>{7, 9}));
  g_eng_teachers[school.rossi].reset_marker = 2, g_eng_teachers[school.rossi].reception_hour = 4;
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
