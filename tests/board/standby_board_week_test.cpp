// The board's stand-by mode ("Sistema le ore di Sostegno, Disposizione e
// Ricevimento") opened for the first time on the liceo with its reference
// week, after teachers of each building were given stand-by hours: the
// engine places them then and there. A teacher who teaches in one building
// is never shown a building transfer for his stand-by hours, neither when
// the board opens nor when one of them is moved next to his lessons; and
// the week saved reads back ("SBIL:") with each stand-by hour where the
// board showed it. The officer sees on a teacher's week the reception hour
// the engine gave him and the one he picks instead, never one of SANTORO's
// forbidden hours ("OP:LU:1-2"); choosing the class a support hour supports
// leaves no move pending, and neither does showing another week, which also
// drops the hour chosen on the one before.
#include <gtest/gtest.h>

#include "board_program.h"

#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "board/board_page.h"
#include "board/processing_menu.h"
#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/teacher_availability.h"
#include "engine/text_lines.h"
#include "engine/week_grid_access.h"
#include "platform/cp1252.h"
#include "platform/test_driver.h"
#include "shell/frame.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using Q = Cquadro;
using Slot = std::pair<int, int>;

class StandbyBoardWeek : public board_test::BoardProgram {
 protected:
  void SetUp() override {
    BoardProgram::SetUp();
    discard_on_close_ = true;
    // FONTANA and SANTORO teach in the main building only, FARINA in the
    // annex only.
    CopySample("liceo", {{"FONTANA\t1AS 4\t\n", "FONTANA\t1AS 4\tTED:+2\t\n"},
                         {"SANTORO\t1BS 4\t\n", "SANTORO\t1BS 4\tTED:+2\tSOS:1\t\n"},
                         {"FARINA\t3AL 2\t\n", "FARINA\t3AL 2\tTED:+2\t\n"}});
    StartFrame("liceo");
    OpenComputedPage(kPageQuadroStandby);
    ASSERT_EQ(g_current_page, &g_board);
    ASSERT_EQ(g_board.Mode(), 1);
  }
  // The board's SANTORO, shown as the officer picks him.
  void ShowSantoro() {
    ASSERT_TRUE(ui.Select(g_board, Q::kKindId, Q::kViewTeacher));
    ASSERT_TRUE(ui.Select(g_board, Q::kNameId, "SANTORO"));
  }
  std::string Shown(int s) { return g_board.Grid().GetItemText(s % kHoursPerDay, s / kHoursPerDay + 1); }
  bool ClickSlot(int s) { return ui.ClickCell(g_board, Q::kGridId, s % kHoursPerDay, s / kHoursPerDay + 1); }
  // The slots of the shown week whose cell reads `text`.
  std::vector<int> SlotsShowing(const std::string& text) {
    std::vector<int> slots;
    for (int d = 0; d < or_week_days(); ++d)
      for (int h = 0; h < or_day_hours(d); ++h)
        if (Shown(d * kHoursPerDay + h) == text) slots.push_back(d * kHoursPerDay + h);
    return slots;
  }
  // What every cell of the shown week reads, slot by slot.
  std::vector<std::string> ShownWeek() {
    std::vector<std::string> texts;
    for (int d = 0; d < or_week_days(); ++d)
      for (int h = 0; h < or_day_hours(d); ++h) texts.push_back(Shown(d * kHoursPerDay + h));
    return texts;
  }
  // The free hours of the shown week.
  std::set<int> FreeSlots() {
    std::set<int> free;
    for (int d = 0; d < or_week_days(); ++d)
      for (int h = 0; h < or_day_hours(d); ++h)
        if (g_board.Cell(d, h).class_index < 0) free.insert(d * kHoursPerDay + h);
    return free;
  }
  static int TeacherIndex(const std::string& name) {
    for (int t = 0; t < g_eng_school.teacher_count; ++t)
      if (name == g_eng_teachers[t].name) return t;
    return -1;
  }
  // A file of the school as it stands ("" when there is none).
  std::string SchoolFile(const char* name) { return fs::exists(school_ / name) ? read(school_ / name) : ""; }
  static bool ListsTransfer(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
      if (line.find("TRASFERIMENTO PLESSO") != std::string::npos) return true;
    return false;
  }
  // The stand-by hours of a teacher in a save file's lines.
  std::set<Slot> SavedStandby(const std::string& file, const std::string& teacher) {
    // The program works in the school's folder.
    std::FILE* f = or_fopen(file.c_str(), "rt");
    std::set<Slot> slots;
    if (f == nullptr) return slots;
    char line[512];
    while (or_read_line(line, 400, f) != nullptr) {
      std::string text = line;
      char index[16] = {};
      int d = -1, h = -1;
      if (text.find(" " + teacher + " (") == std::string::npos ||
          std::sscanf(line, "%15s %d %d", index, &d, &h) != 3 || std::string(index).back() != 'D')
        continue;
      slots.insert({d, h});
    }
    or_fclose(f);
    return slots;
  }
};

TEST_F(StandbyBoardWeek, NoTransferForAOneBuildingTeacherAndTheSavedHoursReadBack) {
  EXPECT_FALSE(ListsTransfer(g_board.Problems())) << "the hours just placed move no one between buildings";

  ASSERT_TRUE(g_board.ShowWeek(Q::kViewTeacher, "SANTORO"));
  int santoro = -1;
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (std::string(g_eng_teachers[t].name) == "SANTORO") santoro = t;
  ASSERT_GE(santoro, 0);
  // One of his stand-by hours, and a free hour right after one of his
  // lessons, outside his closed hours.
  int from = -1, to = -1;
  for (int d = 0; d < or_week_days(); ++d)
    for (int h = 0; h < or_day_hours(d); ++h) {
      const WeekGridCell& c = g_board.Cell(d, h);
      if (c.class_index >= 0 && c.flag == 1 && from < 0) from = d * kHoursPerDay + h;
      if (to < 0 && h > 0 && c.class_index < 0 && g_board.Cell(d, h - 1).class_index >= 0 &&
          g_board.Cell(d, h - 1).flag == 0 && !or_teacher_slot_closed(santoro, d, h))
        to = d * kHoursPerDay + h;
    }
  ASSERT_GE(from, 0);
  ASSERT_GE(to, 0) << "SANTORO has no free hour after a lesson";
  ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, from % kHoursPerDay, from / kHoursPerDay + 1));
  ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, to % kHoursPerDay, to / kHoursPerDay + 1));
  ASSERT_EQ(g_board.Cell(to / kHoursPerDay, to % kHoursPerDay).flag, 1) << ui.Text(g_board, Q::kStatusId);
  EXPECT_EQ(ui.Text(g_board, Q::kStatusId).find("TRASFERIMENTO PLESSO"), std::string::npos)
      << ui.Text(g_board, Q::kStatusId);
  EXPECT_FALSE(ListsTransfer(g_board.Problems()));

  std::set<Slot> shown;
  for (int d = 0; d < or_week_days(); ++d)
    for (int h = 0; h < or_day_hours(d); ++h)
      if (g_board.Cell(d, h).class_index >= 0 && g_board.Cell(d, h).flag == 1) shown.insert({d, h});
  std::size_t boxes = ui.boxes().size();
  ASSERT_TRUE(ui.Click(g_board, Q::kSaveId));
  EXPECT_FALSE(g_board.Changed()) << ui.Text(g_board, Q::kStatusId);
  EXPECT_EQ(ui.boxes().size(), boxes) << "the save shows no message";
  EXPECT_EQ(SavedStandby(".\\savebi.txt", "SANTORO"), shown);
  EXPECT_EQ(SavedStandby(".\\savego.txt", "SANTORO"), shown);
  EXPECT_FALSE(ListsTransfer(g_board.Problems())) << "the week read back breaks no building rule either";
}

TEST_F(StandbyBoardWeek, ATeachersWeekShowsHisReceptionHourAndTheOnePickedInstead) {
  ShowSantoro();
  std::vector<int> given = SlotsShowing("Ricevimento");
  ASSERT_EQ(given.size(), 1u) << "the engine gave SANTORO one reception hour";
  EXPECT_LT(g_board.Cell(given[0] / kHoursPerDay, given[0] % kHoursPerDay).class_index, 0);

  // Another free hour of his, outside his closed hours, and one of his
  // lessons.
  int santoro = g_board.m_selected_teacher;
  ASSERT_EQ(std::string(g_eng_teachers[santoro].name), "SANTORO");
  int free_hour = -1, lesson = -1;
  for (int d = 0; d < or_week_days(); ++d)
    for (int h = 0; h < or_day_hours(d); ++h) {
      int s = d * kHoursPerDay + h;
      if (g_board.Cell(d, h).class_index < 0 && s != given[0] && !or_teacher_slot_closed(santoro, d, h) &&
          free_hour < 0)
        free_hour = s;
      if (g_board.Cell(d, h).class_index >= 0 && g_board.Cell(d, h).flag == 0 && lesson < 0) lesson = s;
    }
  ASSERT_GE(free_hour, 0);
  ASSERT_GE(lesson, 0);

  // A lesson's hour is refused: the engine would put the reception elsewhere.
  std::string lesson_text = Shown(lesson);
  std::size_t boxes = ui.boxes().size();
  ASSERT_TRUE(ClickSlot(lesson));
  ASSERT_TRUE(ui.Click(g_board, Q::kReceptionId));
  EXPECT_EQ(ui.boxes().size(), boxes + 1) << "a lesson's hour is no reception hour";
  EXPECT_FALSE(g_board.Changed());
  EXPECT_EQ(SlotsShowing("Ricevimento"), given);
  ASSERT_TRUE(ClickSlot(lesson));  // the move it started ends where it began
  EXPECT_EQ(Shown(lesson), lesson_text);

  ASSERT_TRUE(ClickSlot(free_hour));
  ASSERT_TRUE(ui.Click(g_board, Q::kReceptionId));
  EXPECT_TRUE(g_board.Changed());
  EXPECT_EQ(SlotsShowing("Ricevimento"), std::vector<int>{free_hour}) << "the hour picked replaces the one given";

  // Another teacher's week shows his own; SANTORO's keeps the one picked.
  ASSERT_TRUE(ui.Select(g_board, Q::kNameId, "FONTANA"));
  EXPECT_EQ(SlotsShowing("Ricevimento").size(), 1u);
  ShowSantoro();
  EXPECT_EQ(SlotsShowing("Ricevimento"), std::vector<int>{free_hour});

  // The save reads the week back with the hour where it was picked, and a
  // second teacher's hour picked and saved after it leaves his in place.
  ASSERT_TRUE(ui.Click(g_board, Q::kSaveId));
  EXPECT_FALSE(g_board.Changed()) << ui.Text(g_board, Q::kStatusId);
  EXPECT_EQ(SlotsShowing("Ricevimento"), std::vector<int>{free_hour});
  ASSERT_TRUE(ui.Select(g_board, Q::kNameId, "FONTANA"));
  std::vector<int> fontana = SlotsShowing("Ricevimento");
  ASSERT_EQ(fontana.size(), 1u) << "the saved week shows every teacher's reception hour";
  ASSERT_TRUE(ClickSlot(fontana[0]));
  ASSERT_TRUE(ui.Click(g_board, Q::kReceptionId));
  ASSERT_TRUE(ui.Click(g_board, Q::kSaveId));
  EXPECT_EQ(SlotsShowing("Ricevimento"), fontana);
  ShowSantoro();
  EXPECT_EQ(SlotsShowing("Ricevimento"), std::vector<int>{free_hour});
  EXPECT_EQ(std::vector<int>({g_eng_teachers[santoro].reset_marker, g_eng_teachers[santoro].reception_hour}),
            std::vector<int>({free_hour / kHoursPerDay, free_hour % kHoursPerDay}))
      << "the reception hours the engine read back";
}

TEST_F(StandbyBoardWeek, ChoosingTheSupportedClassLeavesNoMovePending) {
  ShowSantoro();
  int support = -1;
  for (int d = 0; d < or_week_days(); ++d)
    for (int h = 0; h < or_day_hours(d); ++h)
      if (g_board.Cell(d, h).class_index >= 0 && g_board.Cell(d, h).flag == 2 && support < 0)
        support = d * kHoursPerDay + h;
  ASSERT_GE(support, 0) << "SANTORO has a support hour";
  ASSERT_TRUE(ClickSlot(support));
  const std::string pending = ui.Text(g_board, Q::kStatusId);
  ASSERT_FALSE(pending.empty()) << "the click chose the hour as a lesson to move";
  ASSERT_TRUE(ui.Select(g_board, Q::kSupportId, "2CS"));
  EXPECT_EQ(Shown(support), "Sost. 2CS");
  EXPECT_TRUE(g_board.Changed());
  EXPECT_NE(ui.Text(g_board, Q::kStatusId), pending) << "no move is pending";

  // The next click on a free hour chooses, it moves nothing.
  int free_hour = -1;
  for (int d = 0; d < or_week_days() && free_hour < 0; ++d)
    for (int h = 0; h < or_day_hours(d) && free_hour < 0; ++h)
      if (g_board.Cell(d, h).class_index < 0) free_hour = d * kHoursPerDay + h;
  ASSERT_GE(free_hour, 0);
  ASSERT_TRUE(ClickSlot(free_hour));
  EXPECT_EQ(Shown(support), "Sost. 2CS");
  EXPECT_LT(g_board.Cell(free_hour / kHoursPerDay, free_hour % kHoursPerDay).class_index, 0);
  EXPECT_NE(ui.Text(g_board, Q::kStatusId), pending);
}

// A move begun on SANTORO's week and an hour chosen on it are both left
// behind when FONTANA's week is shown: the next click there moves nothing
// and the reception button asks for an hour of FONTANA's week.
TEST_F(StandbyBoardWeek, ShowingAnotherWeekDropsTheChosenHourAndTheMoveBegun) {
  ShowSantoro();
  std::set<int> santoro_free = FreeSlots();
  ASSERT_TRUE(ui.Select(g_board, Q::kNameId, "FONTANA"));
  int fontana = g_board.m_selected_teacher;
  ASSERT_EQ(TeacherIndex("FONTANA"), fontana);
  const std::vector<std::string> fontana_week = ShownWeek();
  std::vector<int> fontana_reception = SlotsShowing("Ricevimento");
  ASSERT_EQ(fontana_reception.size(), 1u);
  // An hour free for both and open to FONTANA, where a reception hour of his
  // would be taken if the chosen hour outlived the week it was chosen on.
  int both_free = -1;
  for (int s : FreeSlots())
    if (both_free < 0 && santoro_free.count(s) && s != fontana_reception[0] &&
        !or_teacher_slot_closed(fontana, s / kHoursPerDay, s % kHoursPerDay))
      both_free = s;
  ASSERT_GE(both_free, 0) << "SANTORO and FONTANA share no free hour";

  // The move: a lesson of SANTORO chosen, then FONTANA shown and a free
  // hour of his clicked.
  ShowSantoro();
  int lesson = -1;
  for (int d = 0; d < or_week_days() && lesson < 0; ++d)
    for (int h = 0; h < or_day_hours(d) && lesson < 0; ++h)
      if (g_board.Cell(d, h).class_index >= 0 && g_board.Cell(d, h).flag == 0) lesson = d * kHoursPerDay + h;
  ASSERT_GE(lesson, 0);
  const std::string lesson_text = Shown(lesson);
  const std::vector<std::string> santoro_week = ShownWeek();
  ASSERT_TRUE(ClickSlot(lesson));
  const std::string pending = ui.Text(g_board, Q::kStatusId);
  ASSERT_FALSE(pending.empty()) << "the click began a move";
  EXPECT_EQ(g_board.Grid().HighlightRow(), lesson % kHoursPerDay);
  EXPECT_EQ(g_board.Grid().HighlightColumn(), lesson / kHoursPerDay + 1);
  ASSERT_TRUE(ui.Select(g_board, Q::kNameId, "FONTANA"));
  EXPECT_EQ(g_board.Grid().HighlightRow(), -1) << "no cell of FONTANA's week is chosen";
  EXPECT_EQ(g_board.Grid().HighlightColumn(), -1);
  EXPECT_EQ(ui.Text(g_board, Q::kStatusId), "") << "no move is pending";
  EXPECT_EQ(ShownWeek(), fontana_week) << "no cell shows the lesson as chosen";
  ASSERT_TRUE(ClickSlot(both_free));
  EXPECT_EQ(ShownWeek(), fontana_week) << "the click moved nothing";
  EXPECT_EQ(ui.Text(g_board, Q::kStatusId), "");
  EXPECT_FALSE(g_board.Changed());
  ShowSantoro();
  EXPECT_EQ(Shown(lesson), lesson_text);
  EXPECT_EQ(ShownWeek(), santoro_week);

  // The hour: chosen on SANTORO's week, then FONTANA shown and the
  // reception button pressed.
  ASSERT_TRUE(ClickSlot(both_free));
  ASSERT_TRUE(ui.Select(g_board, Q::kNameId, "FONTANA"));
  std::size_t boxes = ui.boxes().size();
  ASSERT_TRUE(ui.Click(g_board, Q::kReceptionId));
  ASSERT_EQ(ui.boxes().size(), boxes + 1) << "there is no hour of FONTANA's week to take";
  EXPECT_EQ(ui.boxes().back().texts.at(0), "Scegliere prima un'ora nella settimana di un docente.");
  EXPECT_EQ(SlotsShowing("Ricevimento"), fontana_reception);
  EXPECT_FALSE(g_board.Changed());
}

// SANTORO's forbidden hours are free on his week but closed to him: the
// reception hour is refused there, as on a lesson, and nothing is written;
// an open free hour is taken.
TEST_F(StandbyBoardWeek, AReceptionHourOnAClosedHourIsRefused) {
  ShowSantoro();
  int santoro = g_board.m_selected_teacher;
  ASSERT_EQ(TeacherIndex("SANTORO"), santoro);
  std::vector<int> given = SlotsShowing("Ricevimento");
  ASSERT_EQ(given.size(), 1u);
  int closed = -1, open = -1;
  for (int s : FreeSlots()) {
    if (s == given[0]) continue;
    bool shut = or_teacher_slot_closed(santoro, s / kHoursPerDay, s % kHoursPerDay);
    if (shut && closed < 0) closed = s;
    if (!shut && open < 0) open = s;
  }
  ASSERT_GE(closed, 0) << "SANTORO's forbidden hours on Monday are free";
  EXPECT_EQ(closed / kHoursPerDay, 0);
  ASSERT_GE(open, 0);

  const std::string week = SchoolFile("savego.txt"), receptions = SchoolFile("ricevi.txt");
  ASSERT_FALSE(week.empty());
  std::size_t boxes = ui.boxes().size();
  ASSERT_TRUE(ClickSlot(closed));
  ASSERT_TRUE(ui.Click(g_board, Q::kReceptionId));
  ASSERT_EQ(ui.boxes().size(), boxes + 1) << "a closed hour is no reception hour";
  EXPECT_EQ(ui.boxes().back().texts.at(0),
            "L'ora di ricevimento non può cadere in un'ora in cui il docente non è disponibile."_cp);
  EXPECT_FALSE(g_board.Changed());
  EXPECT_EQ(SlotsShowing("Ricevimento"), given);
  EXPECT_EQ(SchoolFile("savego.txt"), week) << "the week file is as it was";
  EXPECT_EQ(SchoolFile("ricevi.txt"), receptions);

  ASSERT_TRUE(ClickSlot(open));
  ASSERT_TRUE(ui.Click(g_board, Q::kReceptionId));
  EXPECT_EQ(ui.boxes().size(), boxes + 1) << "an open free hour is taken without a word";
  EXPECT_TRUE(g_board.Changed());
  EXPECT_EQ(SlotsShowing("Ricevimento"), std::vector<int>{open});
}

}  // namespace
