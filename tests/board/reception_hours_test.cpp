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

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "board/board_page.h"
#include "board/courses_board.h"
#include "board/processing_menu.h"
#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/reception_exemption_files.h"
#include "engine/teacher_availability.h"
#include "engine/text_lines.h"
#include "engine/timetable_view.h"
#include "engine/week_grid_access.h"
#include "platform/test_driver.h"
#include "shell/frame.h"
#include "structure/structure_pages.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using Q = Cquadro;
namespace fs = std::filesystem;

// The rows of the reception list written last, one per teacher.
std::vector<std::string> reception_rows(const fs::path& school) {
  std::vector<std::string> rows;
  if (!fs::exists(school / "Orario")) return rows;
  for (const auto& e : fs::directory_iterator(school / "Orario")) {
    std::string name = e.path().filename().string();
    if (name.size() < 28 || name.compare(name.size() - 28, 28, "Ricevimento del Pubblico.txt") != 0) continue;
    std::ifstream in(e.path(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
      end = text.find('\n', at);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(at, end - at);
      if (line.size() > 28 && line[0] == ' ' && line.compare(7, 7, "Docente") != 0) rows.push_back(line);
    }
  }
  return rows;
}

// A lesson of a teacher with a reception hour in the board's view moved, on
// its class's week, onto that hour by trading places with the class's lesson
// there (`hours`: each teacher's, as the stand-by board's view had them);
// the teacher and the hour, -1 when no such move was taken.
using Hours = std::vector<TimetableView::Reception>;
Hours view_reception_hours() {
  return Hours(g_timetable_view.reception, g_timetable_view.reception + g_timetable_view.real_teacher_count);
}
int move_onto_reception_hour(TestDriver& ui, int& day, int& hour, const Hours& hours = view_reception_hours()) {
  for (int t = 0; t < int(hours.size()); ++t) {
    const TimetableView::Reception r = hours[std::size_t(t)];
    if (!or_slot_in_week(r.day, r.hour)) continue;
    for (int i = 0; i < g_eng_school.lesson_count; ++i) {
      const EngineLesson& l = g_eng_lessons[i];
      if (l.teacher != t || l.standby_marker != 0 || !or_lesson_placed(i) || l.class_index < 0 ||
          l.class_index >= g_eng_school.real_class_count)
        continue;
      if (!g_board.ShowWeek(Q::kViewClass, g_eng_classes[l.class_index].code)) continue;
      if (g_board.Cell(l.day, l.hour).lesson != i) continue;
      std::size_t boxes = ui.boxes().size();
      if (!ui.ClickCell(g_board, Q::kGridId, l.hour, l.day + 1)) continue;
      if (!ui.ClickCell(g_board, Q::kGridId, r.hour, r.day + 1)) continue;
      if (ui.boxes().size() != boxes) continue;  // refused: the next lesson
      if (int(g_eng_lessons[i].day) != r.day || int(g_eng_lessons[i].hour) != r.hour) continue;
      day = r.day;
      hour = r.hour;
      return t;
    }
  }
  return -1;
}

// "Ora di ricevimento di <teacher> spostata a <day>, <n>^ ora".
std::string moved_note(int t, int day, int hour) {
  return std::string("Ora di ricevimento di ") + g_eng_teachers[t].name + " spostata a " +
         g_eng_school.day_names[day] + ", " + std::to_string(hour + 1) + "^ ora";
}

// Two lessons of one class that can trade places and take both teachers'
// reception hours at once: the teacher of `a` is free at the hour of `b` and
// the teacher of `b` at the hour of `a`, both open to parents then.
struct Trade {
  int a = -1, b = -1;
};
std::vector<Trade> trades() {
  auto plain = [](int i) {
    const EngineLesson& l = g_eng_lessons[i];
    return l.standby_marker == 0 && or_lesson_placed(i) && l.class_index >= 0 &&
           l.class_index < g_eng_school.real_class_count && !or_lesson_has_second(i) && or_teacher_receives_parents(l.teacher);
  };
  auto free_at = [](int t, int day, int hour) {
    return or_teacher_lesson_at(t, day, hour) < 0 && !or_teacher_in_class_at(t, day, hour) &&
           !or_teacher_slot_closed(t, day, hour);
  };
  std::vector<Trade> found;
  for (int a = 0; a < g_eng_school.lesson_count; ++a) {
    if (!plain(a)) continue;
    const EngineLesson& x = g_eng_lessons[a];
    for (int b = a + 1; b < g_eng_school.lesson_count; ++b) {
      const EngineLesson& y = g_eng_lessons[b];
      if (!plain(b) || y.class_index != x.class_index || y.teacher == x.teacher || y.day == x.day) continue;
      if (free_at(x.teacher, y.day, y.hour) && free_at(y.teacher, x.day, x.hour)) found.push_back({a, b});
    }
  }
  return found;
}

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
  std::vector<std::string> ReceptionRows() { return reception_rows(school_); }
  // The hour chosen on the teacher's week as his reception hour with the
  // board's button; false when the board refused it.
  bool ChooseReception(int t, int day, int hour) {
    if (!g_board.ShowWeek(Q::kViewTeacher, g_eng_teachers[t].name)) return false;
    std::size_t boxes = ui.boxes().size();
    if (!ui.ClickCell(g_board, Q::kGridId, hour, day + 1) || !ui.Click(g_board, Q::kReceptionId)) return false;
    return ui.boxes().size() == boxes && g_timetable_view.reception[t].day == day &&
           g_timetable_view.reception[t].hour == hour;
  }
  // Each teacher of the trade given the hour of the other lesson as his
  // reception hour, on the stand-by board; false when the board refused one.
  bool ChooseTradedHours(const Trade& trade) {
    const EngineLesson x = g_eng_lessons[trade.a], y = g_eng_lessons[trade.b];
    return ChooseReception(x.teacher, y.day, y.hour) && ChooseReception(y.teacher, x.day, x.hour);
  }
  // The first trade whose teachers could be given each other's hours (its
  // lessons -1 when none could).
  Trade FirstTradeWithChosenHours() {
    for (const Trade& t : trades())
      if (ChooseTradedHours(t)) return t;
    return Trade{};
  }
  // Lesson `a` moved onto the cell of `b` on their class's week: they trade
  // places. False when the board refused the move.
  bool Move(const Trade& trade) {
    const EngineLesson x = g_eng_lessons[trade.a], y = g_eng_lessons[trade.b];
    if (!g_board.ShowWeek(Q::kViewClass, g_eng_classes[x.class_index].code)) return false;
    std::size_t boxes = ui.boxes().size();
    if (!ui.ClickCell(g_board, Q::kGridId, x.hour, x.day + 1) || !ui.ClickCell(g_board, Q::kGridId, y.hour, y.day + 1))
      return false;
    return ui.boxes().size() == boxes && g_eng_lessons[trade.a].day == y.day && g_eng_lessons[trade.a].hour == y.hour;
  }
  // Both teachers of the trade have a new reception hour, named in the
  // status line and in the problems list.
  void ExpectBothNamed(const Trade& trade) {
    std::string status = ui.Text(g_board, Q::kStatusId);
    for (int t : {int(g_eng_lessons[trade.a].teacher), int(g_eng_lessons[trade.b].teacher)}) {
      std::string note;
      for (const std::string& line : g_board.Problems())
        if (line.rfind("Ora di ricevimento di " + std::string(g_eng_teachers[t].name) + " spostata a ", 0) == 0) note = line;
      ASSERT_FALSE(note.empty()) << g_eng_teachers[t].name << " is not in the problems list";
      EXPECT_NE(status.find(note), std::string::npos) << status << "\n lacks: " << note;
    }
    EXPECT_EQ(status.find(".."), std::string::npos) << status;
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
    if (shown.compare(0, name.size(), name) == 0 && shown.find_first_not_of(' ', name.size()) == std::string::npos) {
      EXPECT_EQ(when.substr(0, day_name.size()), day_name) << row;
    }
  }
  EXPECT_EQ(listed, int(rows.size())) << "every teacher has a reception hour";
  int t = 0;
  EXPECT_EQ(std::vector<int>({g_eng_teachers[t].reset_marker, g_eng_teachers[t].reception_hour}),
            std::vector<int>({day, hour}));
}

TEST_F(ReceptionHours, ALessonMovedOntoTheReceptionHourGivesTheTeacherAnother) {
  int day = -1, hour = -1;
  int teacher = move_onto_reception_hour(ui, day, hour);
  ASSERT_GE(teacher, 0) << "no lesson could be moved onto its teacher's reception hour";
  const TimetableView::Reception now = g_timetable_view.reception[teacher];
  ASSERT_TRUE(or_slot_in_week(now.day, now.hour)) << "the teacher is left without a reception hour";
  EXPECT_FALSE(now.day == day && now.hour == hour) << "the reception hour stays under the lesson";
  ASSERT_TRUE(g_board.ShowWeek(Q::kViewTeacher, g_timetable_view.teacher_names[teacher]));
  EXPECT_LT(g_board.Cell(now.day, now.hour).class_index, 0) << "the new hour is a free hour";
  EXPECT_FALSE(or_teacher_slot_closed(teacher, now.day, now.hour));
  EXPECT_EQ(g_board.Grid().GetItemText(now.hour, now.day + 1), "Ricevimento");
  EXPECT_TRUE(g_board.Changed());
  // The officer is told: the teacher and his new hour, in the status line
  // and the problems list.
  std::string note = moved_note(teacher, now.day, now.hour);
  EXPECT_NE(ui.Text(g_board, Q::kStatusId).find(note), std::string::npos) << ui.Text(g_board, Q::kStatusId);
  bool listed = false;
  for (const std::string& line : g_board.Problems()) listed = listed || line.find(note) != std::string::npos;
  EXPECT_TRUE(listed) << note;
}

// One move that covers two teachers' reception hours names both, in the
// status line as in the problems list.
TEST_F(ReceptionHours, AMoveCoveringTwoReceptionHoursNamesBothTeachers) {
  for (const Trade& trade : trades()) {
    if (!ChooseTradedHours(trade) || !Move(trade)) continue;
    const EngineLesson x = g_eng_lessons[trade.a], y = g_eng_lessons[trade.b];
    for (int t : {int(x.teacher), int(y.teacher)}) {
      const TimetableView::Reception r = g_timetable_view.reception[t];
      EXPECT_TRUE(or_slot_in_week(r.day, r.hour)) << g_eng_teachers[t].name;
      EXPECT_FALSE(or_teacher_in_class_at(t, r.day, r.hour)) << g_eng_teachers[t].name;
    }
    ExpectBothNamed(trade);
    return;
  }
  FAIL() << "no two lessons could trade places onto their teachers' reception hours";
}

// The view board ("Vedi Orario Elaborato") leaves reception hours to the
// engine: a lesson moved there onto a teacher's reception hour and saved
// gives him another one in "ricevi.txt" and in the reports the save writes
// for the saved week, and the officer is told which.
TEST_F(ReceptionHours, TheViewBoardsSaveGivesACoveredReceptionHourAnother) {
  // The stand-by board's opening gave every teacher an hour, in the view
  // and in "ricevi.txt"; the view board opens on the same saved week.
  ASSERT_TRUE(fs::exists(school_ / "ricevi.txt"));
  Hours hours = view_reception_hours();
  OpenComputedPage(kPageQuadro);
  ASSERT_EQ(g_current_page, &g_board);
  ASSERT_EQ(g_board.Mode(), 0);
  int day = -1, hour = -1;
  int teacher = move_onto_reception_hour(ui, day, hour, hours);
  ASSERT_GE(teacher, 0) << "no lesson could be moved onto its teacher's reception hour";
  std::size_t boxes = ui.boxes().size();
  ASSERT_TRUE(ui.Click(g_board, Q::kSaveId));
  ASSERT_FALSE(g_board.Changed()) << ui.Text(g_board, Q::kStatusId);
  EXPECT_EQ(ui.boxes().size(), boxes) << ui.boxes().back().texts.front();
  ASSERT_TRUE(or_teacher_in_class_at(teacher, day, hour)) << "the saved week holds the move";

  // "ricevi.txt" as the engine reads it: another hour, a free one.
  ASSERT_GE(or_read_reception_slots(), 0);
  int now_day = g_eng_teachers[teacher].reset_marker, now_hour = g_eng_teachers[teacher].reception_hour;
  ASSERT_TRUE(or_slot_in_week(now_day, now_hour)) << "the teacher is left without a reception hour";
  EXPECT_FALSE(now_day == day && now_hour == hour) << "the reception hour stays under the lesson";
  EXPECT_FALSE(or_teacher_in_class_at(teacher, now_day, now_hour));

  // The reception list was written for the saved week, with the new hour.
  std::string name = g_eng_teachers[teacher].name, day_name = g_eng_school.day_names[now_day];
  bool found = false;
  for (const std::string& row : ReceptionRows()) {
    std::string shown = row.substr(7, 20), when = row.substr(49, 20);
    if (shown.compare(0, name.size(), name) != 0 || shown.find_first_not_of(' ', name.size()) != std::string::npos)
      continue;
    found = true;
    EXPECT_EQ(when.substr(0, day_name.size()), day_name) << row;
  }
  EXPECT_TRUE(found) << "the save wrote the reception list with " << name;

  std::string note = moved_note(teacher, now_day, now_hour);
  EXPECT_NE(ui.Text(g_board, Q::kStatusId).find(note), std::string::npos) << ui.Text(g_board, Q::kStatusId);
  bool listed = false;
  for (const std::string& line : g_board.Problems()) listed = listed || line.find(note) != std::string::npos;
  EXPECT_TRUE(listed) << note;
}

// The disk fails as the view board's save reads the reception hours saved
// before: the officer is told which file could not be read, not left with
// a save that names nobody; the week is saved and the reports' run, which
// reads the file again, goes on.
TEST_F(ReceptionHours, TheViewBoardsSaveTellsAReceptionFileItCannotRead) {
  ASSERT_TRUE(fs::exists(school_ / "ricevi.txt"));
  Hours hours = view_reception_hours();
  OpenComputedPage(kPageQuadro);
  ASSERT_EQ(g_current_page, &g_board);
  int day = -1, hour = -1;
  int teacher = move_onto_reception_hour(ui, day, hour, hours);
  ASSERT_GE(teacher, 0) << "no lesson could be moved onto its teacher's reception hour";
  std::size_t boxes = ui.boxes().size();
  LineByteSource saved = g_line_byte_source;
  // Only the board's own read fails; the engine's runs read the file whole.
  g_line_byte_source = [](std::FILE* stream) {
    if (!or_on_engine_thread() && std::strstr(or_stream_name(stream), "ricevi") != nullptr) {
      errno = EIO;
      return kLineReadError;
    }
    return std::fgetc(stream);
  };
  bool clicked = ui.Click(g_board, Q::kSaveId);
  g_line_byte_source = saved;
  ASSERT_TRUE(clicked);
  ASSERT_EQ(ui.boxes().size(), boxes + 1) << "the read error is not told";
  EXPECT_NE(ui.boxes().back().texts.at(0).find("ricevi.txt"), std::string::npos) << ui.boxes().back().texts.at(0);
  EXPECT_FALSE(g_board.Changed()) << ui.Text(g_board, Q::kStatusId);
  EXPECT_TRUE(or_teacher_in_class_at(teacher, day, hour)) << "the saved week holds the move";
}

// The view board's save that covers two teachers' reception hours names
// both, in the status line as in the problems list.
TEST_F(ReceptionHours, TheViewBoardsSaveCoveringTwoReceptionHoursNamesBothTeachers) {
  Trade trade = FirstTradeWithChosenHours();
  ASSERT_GE(trade.a, 0) << "no two teachers could be given each other's hours";
  // The hours chosen go to "ricevi.txt", which the view board's save reads.
  ASSERT_TRUE(ui.Click(g_board, Q::kSaveId));
  ASSERT_FALSE(g_board.Changed()) << ui.Text(g_board, Q::kStatusId);
  OpenComputedPage(kPageQuadro);
  ASSERT_EQ(g_current_page, &g_board);
  ASSERT_EQ(g_board.Mode(), 0);
  ASSERT_TRUE(Move(trade)) << "the board refused the trade";
  std::size_t boxes = ui.boxes().size();
  ASSERT_TRUE(ui.Click(g_board, Q::kSaveId));
  ASSERT_FALSE(g_board.Changed()) << ui.Text(g_board, Q::kStatusId);
  EXPECT_EQ(ui.boxes().size(), boxes);
  EXPECT_EQ(ui.Text(g_board, Q::kStatusId).rfind("Orario salvato. Ora di ricevimento di ", 0), 0u)
      << ui.Text(g_board, Q::kStatusId);
  ExpectBothNamed(trade);
}

// The courses board's save says it the same way: both teachers, each note
// once, one full stop between them.
TEST_F(ReceptionHours, TheCoursesBoardsSaveCoveringTwoReceptionHoursNamesBothTeachers) {
  Trade trade = FirstTradeWithChosenHours();
  ASSERT_GE(trade.a, 0) << "no two teachers could be given each other's hours";
  ASSERT_TRUE(ui.Click(g_board, Q::kSaveId));
  ASSERT_FALSE(g_board.Changed()) << ui.Text(g_board, Q::kStatusId);
  OpenComputedPage(kPageQcorsi);
  ASSERT_EQ(g_current_page, &g_courses_board);
  const EngineLesson x = g_eng_lessons[trade.a], y = g_eng_lessons[trade.b];
  int row = g_courses_board.Row(x.class_index);
  std::size_t boxes = ui.boxes().size();
  ASSERT_TRUE(ui.ClickCell(g_courses_board, Cqcorsi::kGridId, row, g_courses_board.Column(x.day, x.hour)));
  ASSERT_TRUE(ui.ClickCell(g_courses_board, Cqcorsi::kGridId, row, g_courses_board.Column(y.day, y.hour)));
  ASSERT_EQ(ui.boxes().size(), boxes) << "the board refused the trade";
  ASSERT_TRUE(g_courses_board.Save());
  ASSERT_EQ(ui.boxes().size(), boxes);
  // Each teacher's new hour as "ricevi.txt" now has it.
  ASSERT_GE(or_read_reception_slots(), 0);
  std::string status = ui.Text(g_courses_board, Cqcorsi::kStatusId);
  EXPECT_EQ(status.rfind("Orario salvato. Ora di ricevimento di ", 0), 0u) << status;
  for (int t : {int(x.teacher), int(y.teacher)}) {
    std::string note = moved_note(t, g_eng_teachers[t].reset_marker, g_eng_teachers[t].reception_hour);
    EXPECT_NE(status.find(note), std::string::npos) << status << "\n lacks: " << note;
  }
  EXPECT_EQ(status.find(".."), std::string::npos) << status;
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

// The small school with an articulated group: RE teaches 2B and, under his
// stand-in "RE A ", the group. In the saved week he teaches 2B on Monday at
// the first and the fourth hour and the group at the first and the third,
// so on his own week the third hour looks free. Its lab brings a "_LAB"
// stand-in for the lab's assistant hours.
class ReceptionStandIns : public board_test::BoardProgram {
 protected:
  void SetUp() override {
    BoardProgram::SetUp();
    discard_on_close_ = true;
    ui_register_frame_templates();
    structure_install_pages();
    board_install_pages();
    og_install_model_utility_hooks();
    school_ = copy_articulated_school("small");
    StartFrame("small");
    OpenComputedPage(kPageQuadroStandby);
    ASSERT_EQ(g_current_page, &g_board);
    ASSERT_EQ(g_board.Mode(), 1);
  }
  int Teacher(const char* name) {
    for (int t = 0; t < g_eng_school.teacher_count; ++t)
      if (std::strcmp(g_eng_teachers[t].name, name) == 0) return t;
    return -1;
  }
  // Clicks the hour on the teacher's week and asks for it as his reception
  // hour; the texts of the box shown, empty when none was.
  std::vector<std::string> ChooseReception(const char* name, int day, int hour) {
    EXPECT_TRUE(g_board.ShowWeek(Q::kViewTeacher, name)) << name;
    std::size_t boxes = ui.boxes().size();
    EXPECT_TRUE(ui.ClickCell(g_board, Q::kGridId, hour, day + 1));
    EXPECT_TRUE(ui.Click(g_board, Q::kReceptionId));
    return ui.boxes().size() > boxes ? ui.boxes().back().texts : std::vector<std::string>{};
  }
  static bool Says(const std::vector<std::string>& texts, const std::string& what) {
    for (const std::string& t : texts)
      if (t.find(what) != std::string::npos) return true;
    return false;
  }
};

TEST_F(ReceptionStandIns, AnHourTheTeacherGivesTheGroupIsNoFreeHour) {
  int re = Teacher("RE");
  ASSERT_GE(re, 0);
  const TimetableView::Reception before = g_timetable_view.reception[re];
  ASSERT_TRUE(g_board.ShowWeek(Q::kViewTeacher, "RE"));
  ASSERT_LT(g_board.Cell(0, 2).class_index, 0) << "his own week shows Monday's third hour free";
  ASSERT_GE(g_board.Cell(0, 3).class_index, 0);
  std::vector<std::string> texts = ChooseReception("RE", 0, 2);
  EXPECT_TRUE(Says(texts, "ore libere del docente")) << "the hour is refused";
  // The refusal says why the hour that looks free is not: he teaches the
  // group then, under his stand-in's name.
  EXPECT_TRUE(Says(texts, "insegna come RE A")) << (texts.empty() ? "" : texts.back());
  EXPECT_FALSE(g_board.Changed());
  EXPECT_EQ(int(g_timetable_view.reception[re].day), int(before.day));
  EXPECT_EQ(int(g_timetable_view.reception[re].hour), int(before.hour));
  // The engine picked him no hour with the group either.
  EXPECT_FALSE(before.day == 0 && before.hour == 2);
}

TEST_F(ReceptionStandIns, AStandInGetsNoReceptionHour) {
  std::vector<std::string> stand_ins;
  for (std::uint32_t t = 0; t < g_timetable_view.real_teacher_count; ++t) {
    std::string name = g_timetable_view.teacher_names[t];
    if (name.rfind("RE A", 0) == 0 || (name.size() > 4 && name.compare(name.size() - 4, 4, "_LAB") == 0))
      stand_ins.push_back(name);
  }
  ASSERT_EQ(stand_ins.size(), 2u) << "the group's and the lab's stand-ins are on the board's list";
  for (const std::string& name : stand_ins) {
    int t = Teacher(name.c_str());
    ASSERT_TRUE(g_board.ShowWeek(Q::kViewTeacher, name.c_str()));
    int chosen = -1;
    for (int d = 0; d < or_week_days() && chosen < 0; ++d)
      for (int h = 0; h < or_day_hours(d) && chosen < 0; ++h)
        if (g_board.Cell(d, h).class_index < 0 && !or_teacher_slot_closed(t, d, h)) chosen = d * kHoursPerDay + h;
    ASSERT_GE(chosen, 0) << name;
    std::vector<std::string> texts = ChooseReception(name.c_str(), chosen / kHoursPerDay, chosen % kHoursPerDay);
    EXPECT_TRUE(Says(texts, "nella settimana del docente")) << name;
    EXPECT_FALSE(or_slot_in_week(g_timetable_view.reception[t].day, g_timetable_view.reception[t].hour)) << name;
    EXPECT_EQ(g_board.Grid().GetItemText(chosen % kHoursPerDay, chosen / kHoursPerDay + 1), "") << name;
  }
  EXPECT_FALSE(g_board.Changed());
}

}  // namespace
