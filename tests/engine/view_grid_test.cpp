// Room settings and the timetable view over the small test school (the
// class names and section order are held by the reports' golden files).
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
