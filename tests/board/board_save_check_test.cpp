// The timetable board on a copy of the liceo with its reference week: after
// the moves a school makes (two lessons of a class swapped, a lesson held
// jointly by two classes, a lab lesson, a lesson with a room of its own, a
// move onto a teacher's busy hour, a move and the move back, moves dropped
// on leaving), the saved file holds exactly the week the board showed, one
// line per lesson in its hour and room, and the engine's check of the saved
// week ("SNOD:") lists what the board listed.
#include <gtest/gtest.h>

#include "board_program.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "board/board_moves.h"
#include "board/board_page.h"
#include "board/processing_menu.h"
#include "engine/engine_main.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/save_line.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "engine/week_grid_access.h"
#include "solver/violation_reporter.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using Q = Cquadro;

// A lesson as a week shows it: class, teacher, second teacher, hour, room.
using Shown = std::tuple<std::string, std::string, std::string, int, int, std::string>;

std::string name_of(const char* text, std::size_t size) { return std::string(text, strnlen(text, size)); }
std::string teacher(int t) {
  return t >= 0 && t < g_eng_school.teacher_count ? name_of(g_eng_teachers[t].name, sizeof g_eng_teachers[t].name) : "";
}
bool calendar(int l) { return teacher(g_eng_lessons[l].teacher).rfind("Calendario-", 0) == 0; }

class BoardSaveCheck : public board_test::BoardProgram {
 protected:
  void TearDown() override {
    BoardProgram::TearDown();
    g_requested_seed = -1;
  }
  // The liceo with BIANCO's two hours in 1AS held jointly with 1BS, its
  // week computed here.
  void OpenWithJointLesson() {
    CopySample("liceo", {{"BIANCO\t1AS 2\t", "BIANCO\t1AS 2 I:1BS\t"}});
    fs::remove(school_ / "savego.txt");
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\liceo"));
    g_requested_seed = 5;
    const char* argv[] = {"orario", "CALC:scuola2.txt", nullptr};
    ASSERT_EQ(or_main(1, 2, argv), 0) << g_status.message;
    StartFrame("liceo");
  }
  void OpenBoard() {
    // Below a finished week the frame asks (or tells) first.
    if (g_timetable_state < '5') ui.AnswerNextModal(g_timetable_state == '4' ? kIdOk : kIdYes);
    alfadlg_go_to_page(kPageQuadro);
    ASSERT_EQ(ui.PendingSteps(), 0u);
    ASSERT_EQ(g_current_page, &g_board);
  }
  void Leave() {
    alfadlg_go_to_page(kPageProcessingMenu);
    ASSERT_EQ(g_current_page, &g_processing_menu);
  }
  void ClickHour(int slot) { ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, slot % kHoursPerDay, slot / kHoursPerDay + 1)); }
  int SlotOf(int l) const { return g_eng_lessons[l].day * kHoursPerDay + g_eng_lessons[l].hour; }
  // Every class's week as the board shows it (the engine's grids it fills
  // from), the lessons' rooms from the labs' weeks.
  std::vector<Shown> BoardWeek() {
    std::vector<Shown> week;
    labs.clear();
    for (int c = 0; c < g_eng_school.real_class_count; ++c) {
      WeekGridCell cells[kWeekSlots];
      std::string code = name_of(g_eng_classes[c].code, sizeof g_eng_classes[c].code);
      or_fill_week_grid(kGridClass, code.c_str(), cells);
      for (int s = 0; s < kWeekSlots; ++s) {
        const WeekGridCell& x = cells[s];
        if (x.class_index < 0 || x.teacher < 0 || calendar(x.lesson)) continue;
        int setting = or_lesson_room_setting(x.lesson);
        std::string room = setting >= 0 ? name_of(g_eng_rooms[setting].name, sizeof g_eng_rooms[setting].name) : "";
        week.emplace_back(code, teacher(x.teacher), teacher(x.second_teacher), s / kHoursPerDay, s % kHoursPerDay,
                          room);
      }
    }
    // And the labs' weeks: who is in which lab when.
    for (int r = 0; r < g_eng_school.room_count; ++r) {
      if (!(g_eng_rooms[r].lab_flag & 1)) continue;
      WeekGridCell cells[kWeekSlots];
      std::string lab = name_of(g_eng_rooms[r].name, sizeof g_eng_rooms[r].name);
      or_fill_week_grid(kGridRoom, lab.c_str(), cells);
      for (int s = 0; s < kWeekSlots; ++s)
        if (cells[s].class_index >= 0 && cells[s].teacher >= 0)
          labs.emplace_back(name_of(g_eng_classes[cells[s].class_index].code, sizeof g_eng_classes[0].code),
                            teacher(cells[s].teacher), "", s / kHoursPerDay, s % kHoursPerDay, lab);
    }
    std::sort(week.begin(), week.end());
    std::sort(labs.begin(), labs.end());
    return week;
  }
  std::vector<Shown> labs;
  // The real classes' lessons of the saved file, read line by line.
  std::vector<Shown> SavedWeek() {
    std::vector<Shown> week;
    std::FILE* in = std::fopen((school_ / "savego.txt").c_str(), "rb");
    EXPECT_NE(in, nullptr);
    if (!in) return week;
    char plain[2048];
    while (or_read_line(plain, sizeof plain, in)) {
      if (!*plain || *plain == '\n') continue;
      SaveLine s;
      EXPECT_TRUE(parse_save_line(plain, s)) << plain;
      if (s.pseudo_letter || s.teacher.rfind("Calendario-", 0) == 0 || s.day < 0) continue;
      week.emplace_back(s.class_code, s.teacher, s.second_teacher, s.day, s.hour, s.has_room ? s.room : "");
    }
    std::fclose(in);
    std::sort(week.begin(), week.end());
    return week;
  }
  // The status line after a save. A move onto a teacher's reception hour
  // makes the save give him another, and the line names it; which week the
  // engine computes, and so which moves cover such an hour, depends on the
  // build and the machine.
  void ExpectSaved() {
    std::string status = ui.Text(g_board, Q::kStatusId);
    EXPECT_TRUE(status == "Orario salvato" || status.rfind("Orario salvato. Ora di ricevimento di ", 0) == 0)
        << status;
  }
  // Saves, leaves, and checks the saved week against what the board showed
  // and listed, then opens the board again.
  void SaveAndCheck(const char* what) {
    SCOPED_TRACE(what);
    std::vector<Shown> shown = BoardWeek(), in_labs = labs;
    std::vector<std::string> listed = g_board.Problems();
    ui.Click(g_board, Q::kSaveId);
    ExpectSaved();
    Leave();
    std::vector<Shown> saved = SavedWeek();
    EXPECT_EQ(saved.size(), shown.size());
    for (const Shown& s : shown)
      EXPECT_EQ(std::count(saved.begin(), saved.end(), s), std::count(shown.begin(), shown.end(), s))
          << std::get<0>(s) << " " << std::get<1>(s) << " " << std::get<3>(s) << "/" << std::get<4>(s) << " "
          << std::get<5>(s);
    const char* argv[] = {"orario", "SNOD:scuola2.txt", nullptr};
    ASSERT_EQ(or_main(0, 2, argv), 0) << g_status.message;
    std::vector<std::string> checked;
    for (int i = 0; i < g_status.violation_count; ++i) checked.push_back(or_violation_text(g_status.violations[i], true));
    std::sort(listed.begin(), listed.end());
    std::sort(checked.begin(), checked.end());
    EXPECT_EQ(listed, checked);
    OpenBoard();
    EXPECT_EQ(BoardWeek(), shown);
    EXPECT_EQ(labs, in_labs);
  }
  // Moves `lesson` in its class's week to the first hour that takes it
  // (trading places with what is there); the slot it went to, or -1.
  int MoveSomewhere(int lesson, bool want_swap = true) {
    int klass = g_eng_lessons[lesson].class_index;
    EXPECT_TRUE(g_board.ShowWeek(Q::kViewClass, g_eng_classes[klass].code));
    for (int t = 0; t < kWeekSlots; ++t) {
      int from = SlotOf(lesson);
      if (t == from || !or_slot_in_week(t / kHoursPerDay, t % kHoursPerDay)) continue;
      const WeekGridCell& there = g_board.Cell(t / kHoursPerDay, t % kHoursPerDay);
      if (want_swap != (there.class_index >= 0) || (there.class_index >= 0 && calendar(there.lesson))) continue;
      std::size_t boxes = ui.boxes().size();
      ClickHour(from);
      ClickHour(t);
      if (ui.boxes().size() == boxes) {
        EXPECT_EQ(SlotOf(lesson), t);
        return t;
      }
      EXPECT_EQ(SlotOf(lesson), from);
      ui.Problems();  // the refusal's box, left unanswered
    }
    return -1;
  }
  int Find(bool (*wanted)(int)) {
    for (int l = 0; l < g_eng_school.lesson_count; ++l)
      if (g_eng_lessons[l].day != kDayNotPlaced && g_eng_lessons[l].class_index < g_eng_school.real_class_count &&
          g_eng_lessons[l].standby_marker == 0 && !calendar(l) && wanted(l))
        return l;
    return -1;
  }
};

TEST_F(BoardSaveCheck, TheSavedWeekIsTheBoardsAndTheCheckListsWhatTheBoardListed) {
  CopySample("liceo");
  StartFrame("liceo");
  OpenBoard();
  SaveAndCheck("as loaded");

  int plain = Find([](int l) { return g_eng_lessons[l].joint_count == 0 && g_eng_lessons[l].second_teacher < 0; });
  ASSERT_GE(plain, 0);
  ASSERT_GE(MoveSomewhere(plain), 0);
  SaveAndCheck("two lessons of a class swapped");


  int lab = Find([](int l) { return g_eng_lessons[l].lab_group >= 0 || or_lesson_has_second(l); });
  ASSERT_GE(lab, 0) << "no lab lesson";
  ASSERT_GE(MoveSomewhere(lab), 0);
  SaveAndCheck("a lab lesson moved");

  int roomed = Find([](int l) {
    int r = g_eng_lessons[l].room;
    return g_eng_lessons[l].lab_group < 0 && r >= 0 && r < g_eng_school.room_count && (g_eng_rooms[r].lab_flag & 1);
  });
  ASSERT_GE(roomed, 0) << "no lesson in a lab of its own";
  ASSERT_GE(MoveSomewhere(roomed), 0);
  SaveAndCheck("a lesson in its lab moved");

  // Onto an hour the teacher teaches in another class: refused.
  {
    int l = plain, from = SlotOf(l);
    WeekGridCell mine[kWeekSlots];
    or_fill_week_grid(kGridTeacher, teacher(g_eng_lessons[l].teacher).c_str(), mine);
    int busy = -1;
    for (int s = 0; s < kWeekSlots && busy < 0; ++s)
      if (mine[s].class_index >= 0 && mine[s].class_index != g_eng_lessons[l].class_index) busy = s;
    ASSERT_GE(busy, 0);
    ASSERT_TRUE(g_board.ShowWeek(Q::kViewClass, g_eng_classes[g_eng_lessons[l].class_index].code));
    std::size_t boxes = ui.boxes().size();
    ClickHour(from);
    ClickHour(busy);
    ASSERT_EQ(ui.boxes().size(), boxes + 1);
    EXPECT_EQ(ui.boxes().back().texts.at(0), g_board_move_refused.Get());
    ui.Problems();  // its box, left unanswered
    EXPECT_EQ(SlotOf(l), from);
    SaveAndCheck("a clash refused");
  }

  // A move and the move back.
  {
    int from = SlotOf(plain);
    int to = MoveSomewhere(plain);
    ASSERT_GE(to, 0);
    ClickHour(to);
    ClickHour(from);
    EXPECT_EQ(SlotOf(plain), from);
    SaveAndCheck("moved and moved back");
  }

  // Moves dropped on leaving: the week is the one saved last.
  {
    std::vector<Shown> before = BoardWeek();
    ASSERT_GE(MoveSomewhere(plain), 0);
    ui.PressInNextModal(CDaticambia::kDiscardId);
    Leave();
    OpenBoard();
    EXPECT_EQ(BoardWeek(), before);
    SaveAndCheck("moves dropped");
  }
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

TEST_F(BoardSaveCheck, AJointLessonMovedIsSavedWithItsPartnerClass) {
  OpenWithJointLesson();
  OpenBoard();
  int joint = Find([](int l) { return g_eng_lessons[l].joint_count > 0; });
  ASSERT_GE(joint, 0);
  ASSERT_GE(MoveSomewhere(joint), 0);
  SaveAndCheck("a joint lesson swapped");
  ASSERT_GE(MoveSomewhere(joint, false) + MoveSomewhere(joint), -2);
  SaveAndCheck("a joint lesson moved again");
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// The stand-by board's save writes the reports anew: they are those the
// engine writes from the saved week.
TEST_F(BoardSaveCheck, TheReportsWrittenAtTheStandbySaveShowTheSavedWeek) {
  CopySample("liceo");
  StartFrame("liceo");
  if (g_timetable_state < '5') ui.AnswerNextModal(g_timetable_state == '4' ? kIdOk : kIdYes);
  alfadlg_go_to_page(kPageQuadroStandby);
  ASSERT_EQ(g_current_page, &g_board);
  int plain = Find([](int l) { return g_eng_lessons[l].joint_count == 0 && g_eng_lessons[l].second_teacher < 0; });
  ASSERT_GE(plain, 0);
  ASSERT_GE(MoveSomewhere(plain), 0);
  std::vector<Shown> shown = BoardWeek();
  ui.Click(g_board, Q::kSaveId);
  ExpectSaved();
  std::vector<std::string> listed = g_board.Problems();
  EXPECT_EQ(SavedWeek(), shown);
  Leave();
  std::vector<std::pair<std::string, std::string>> at_save;
  for (const auto& e : fs::recursive_directory_iterator(school_ / "Orario"))
    if (e.is_regular_file()) at_save.emplace_back(e.path().string(), read(e.path()));
  ASSERT_FALSE(at_save.empty());
  const char* argv[] = {"orario", "REPO:scuola2.txt", nullptr};
  ASSERT_EQ(or_main(0, 2, argv), 0) << g_status.message;
  std::sort(at_save.begin(), at_save.end());
  // The residual list ends with the time it was written, and the printed
  // reports carry it in their footers: a minute may pass between the runs.
  auto untimed = [](std::string text) {
    std::size_t at = text.find("Fine Orario [");
    if (at != std::string::npos) text.resize(at);
    static const std::regex stamp(R"(\( ?\d{1,2} [^ ()]+ \d{4} \d{2}:\d{2}\))");
    return std::regex_replace(text, stamp, "(-)");
  };
  for (const auto& [path, text] : at_save) EXPECT_EQ(untimed(read(path)), untimed(text)) << path;
  std::string residual = read(school_ / "Orario" / "Errori Residui.txt");
  std::size_t errors = 0;
  for (std::size_t at = residual.find("E:"); at != std::string::npos; at = residual.find("\nE:", at + 1)) ++errors;
  EXPECT_EQ(errors, listed.size()) << residual;
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
