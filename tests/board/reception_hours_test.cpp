// The reception hours chosen on the board's stand-by mode ("Sistema le ore
// di Sostegno, Disposizione e Ricevimento") on the liceo with its reference
// week, whose classes with special calendars bring calendar pseudo-teachers:
// the hour a teacher's free hour is made his reception hour by the board's
// button is saved, and the reports the save writes anew list it, his and
// every other teacher's, in the reception list ("Ricevimento del Pubblico").
// A lesson moved onto a teacher's reception hour gives him another free hour
// at once, shown on his week before any save.
#include <gtest/gtest.h>

#include "board_program.h"

#include <cstring>
#include <string>
#include <vector>

#include "board/board_page.h"
#include "board/processing_menu.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/teacher_availability.h"
#include "engine/timetable_view.h"
#include "engine/week_grid_access.h"
#include "platform/test_driver.h"
#include "shell/frame.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using Q = Cquadro;

class ReceptionHours : public board_test::BoardProgram {
 protected:
  void SetUp() override {
    BoardProgram::SetUp();
    discard_on_close_ = true;
    CopySample("liceo");
    StartFrame("liceo");
    OpenComputedPage(kPageQuadroStandby);
    ASSERT_EQ(g_current_page, &g_board);
    ASSERT_EQ(g_board.Mode(), 1);
  }
  // The rows of the reception list written last, one per teacher.
  std::vector<std::string> ReceptionRows() {
    std::vector<std::string> rows;
    for (const auto& e : fs::directory_iterator(school_ / "Orario")) {
      std::string name = e.path().filename().string();
      if (name.size() < 28 || name.compare(name.size() - 28, 28, "Ricevimento del Pubblico.txt") != 0) continue;
      std::string text = read(e.path());
      for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
        end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (line.size() > 28 && line[0] == ' ' && line.compare(7, 7, "Docente") != 0) rows.push_back(line);
      }
    }
    return rows;
  }
};

TEST_F(ReceptionHours, TheHourChosenOnTheBoardIsSavedAndListed) {
  ASSERT_GT(g_eng_school.teacher_count, 0);
  // A calendar pseudo-teacher stands for each class with a shorter week.
  bool calendars = false;
  for (int t = 0; t < g_eng_school.teacher_count; ++t) calendars = calendars || or_is_calendar_teacher(t);
  ASSERT_TRUE(calendars);
  std::string name = g_eng_teachers[0].name;
  ASSERT_TRUE(g_board.ShowWeek(Q::kViewTeacher, name.c_str()));
  // The teacher's first free hour of the week between two of his lessons.
  int chosen = -1;
  for (int d = 0; d < or_week_days() && chosen < 0; ++d)
    for (int h = 1; h + 1 < or_day_hours(d) && chosen < 0; ++h)
      if (g_board.Cell(d, h).class_index < 0 && g_board.Cell(d, h - 1).class_index >= 0 &&
          g_board.Cell(d, h + 1).class_index >= 0)
        chosen = d * kHoursPerDay + h;
  ASSERT_GE(chosen, 0) << name << " has no free hour between two lessons";
  int day = chosen / kHoursPerDay, hour = chosen % kHoursPerDay;
  ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, hour, day + 1));
  ASSERT_TRUE(ui.Click(g_board, Q::kReceptionId));
  ASSERT_TRUE(g_board.Changed());
  std::size_t boxes = ui.boxes().size();
  ASSERT_TRUE(ui.Click(g_board, Q::kSaveId));
  EXPECT_FALSE(g_board.Changed()) << ui.Text(g_board, Q::kStatusId);
  EXPECT_EQ(ui.boxes().size(), boxes) << "the save shows no message";

  // The reports were written anew with the reception hours read back.
  std::string day_name = g_eng_school.day_names[day];
  std::vector<std::string> rows = ReceptionRows();
  ASSERT_FALSE(rows.empty());
  int listed = 0;
  for (const std::string& row : rows) {
    std::string shown = row.substr(7, 20), when = row.substr(49, 20);
    listed += when.find_first_not_of(' ') != std::string::npos;
    if (shown.compare(0, name.size(), name) == 0 && shown.find_first_not_of(' ', name.size()) == std::string::npos)
      EXPECT_EQ(when.substr(0, day_name.size()), day_name) << row;
  }
  EXPECT_EQ(listed, int(rows.size())) << "every teacher has a reception hour";
  int t = 0;
  EXPECT_EQ(std::vector<int>({g_eng_teachers[t].reset_marker, g_eng_teachers[t].reception_hour}),
            std::vector<int>({day, hour}));
}

TEST_F(ReceptionHours, ALessonMovedOntoTheReceptionHourGivesTheTeacherAnother) {
  // A lesson of a teacher with a reception hour R, moved on its class's week
  // onto R by trading places with the class's lesson there.
  int teacher = -1, day = -1, hour = -1;
  for (int t = 0; t < int(g_timetable_view.real_teacher_count) && teacher < 0; ++t) {
    const TimetableView::Reception r = g_timetable_view.reception[t];
    if (!or_slot_in_week(r.day, r.hour)) continue;
    for (int i = 0; i < g_eng_school.lesson_count && teacher < 0; ++i) {
      const EngineLesson& l = g_eng_lessons[i];
      if (l.teacher != t || l.standby_marker != 0 || !or_lesson_placed(i) || l.class_index < 0 ||
          l.class_index >= g_eng_school.real_class_count)
        continue;
      ASSERT_TRUE(g_board.ShowWeek(Q::kViewClass, g_eng_classes[l.class_index].code));
      if (g_board.Cell(l.day, l.hour).lesson != i) continue;
      int from_day = l.day, from_hour = l.hour;
      std::size_t boxes = ui.boxes().size();
      ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, from_hour, from_day + 1));
      ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, r.hour, r.day + 1));
      if (ui.boxes().size() != boxes) continue;  // refused: the next lesson
      ASSERT_EQ(int(g_eng_lessons[i].day), int(r.day));
      ASSERT_EQ(int(g_eng_lessons[i].hour), int(r.hour));
      teacher = t;
      day = r.day;
      hour = r.hour;
    }
  }
  ASSERT_GE(teacher, 0) << "no lesson could be moved onto its teacher's reception hour";
  const TimetableView::Reception now = g_timetable_view.reception[teacher];
  ASSERT_TRUE(or_slot_in_week(now.day, now.hour)) << "the teacher is left without a reception hour";
  EXPECT_FALSE(now.day == day && now.hour == hour) << "the reception hour stays under the lesson";
  ASSERT_TRUE(g_board.ShowWeek(Q::kViewTeacher, g_timetable_view.teacher_names[teacher]));
  EXPECT_LT(g_board.Cell(now.day, now.hour).class_index, 0) << "the new hour is a free hour";
  EXPECT_FALSE(or_teacher_slot_closed(teacher, now.day, now.hour));
  EXPECT_EQ(g_board.Grid().GetItemText(now.hour, now.day + 1), "Ricevimento");
  EXPECT_TRUE(g_board.Changed());
}

TEST_F(ReceptionHours, ASaveWhoseReceptionFileCannotBeWrittenWritesNothing) {
  std::string name = g_eng_teachers[0].name;
  ASSERT_TRUE(g_board.ShowWeek(Q::kViewTeacher, name.c_str()));
  int chosen = -1;
  for (int d = 0; d < or_week_days() && chosen < 0; ++d)
    for (int h = 0; h < or_day_hours(d) && chosen < 0; ++h)
      if (g_board.Cell(d, h).class_index < 0 && !or_teacher_slot_closed(0, d, h)) chosen = d * kHoursPerDay + h;
  ASSERT_GE(chosen, 0);
  ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, chosen % kHoursPerDay, chosen / kHoursPerDay + 1));
  ASSERT_TRUE(ui.Click(g_board, Q::kReceptionId));
  ASSERT_TRUE(g_board.Changed());
  // A folder where the reception file goes: it cannot be replaced.
  fs::remove(school_ / "ricevi.txt");
  fs::create_directory(school_ / "ricevi.txt");
  std::string saved = read(school_ / "savego.txt");
  std::size_t boxes = ui.boxes().size();
  ASSERT_TRUE(ui.Click(g_board, Q::kSaveId));
  EXPECT_GT(ui.boxes().size(), boxes) << "the failure is shown";
  EXPECT_TRUE(g_board.Changed()) << "nothing was saved";
  EXPECT_EQ(read(school_ / "savego.txt"), saved) << "the timetable file stays as it was";
  EXPECT_FALSE(fs::exists(school_ / "savebi.txt") && fs::last_write_time(school_ / "savebi.txt") >
                                                         fs::last_write_time(school_ / "savego.txt"));
  fs::remove(school_ / "ricevi.txt");
}

}  // namespace
