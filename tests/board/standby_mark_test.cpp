// The board's stand-by mode ("Sistema le ore di Sostegno, Disposizione e
// Ricevimento") on the small sample school where ROSSI has stand-by and
// support hours: the hour clicked on the board is marked in the stand-by
// summary beside it, with its count even when no one is on stand-by then,
// and the mark follows the next click. A stand-by hour moved into a full
// group changes group and room, and gets both back when the move is dropped.
#include <gtest/gtest.h>

#include "board_program.h"

#include <cstring>
#include <string>

#include "board/board_page.h"
#include "board/processing_menu.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/week_grid_access.h"
#include "platform/test_driver.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "structure/standby_summary.h"
#include "structure/structure_pages.h"
#include "structure/unsaved_changes_prompt.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using Q = Cquadro;

class StandbyMode : public board_test::BoardProgram {
 protected:
  void SetUp() override {
    BoardProgram::SetUp();
    discard_on_close_ = true;
    CopySample("piccola", {{"ROSSI\t1A 6\t\n", "ROSSI\t1A 6\tTED:+2\tSOS:1\t\n"}});
    StartFrame("piccola");
    OpenComputedPage(kPageQuadroStandby);
    ASSERT_EQ(g_current_page, &g_board);
    ASSERT_TRUE(g_contadispo.IsCreated());
  }
  // Slots of the week nobody is on stand-by in.
  std::vector<int> QuietSlots() {
    std::vector<int> quiet;
    int counts[kWeekSlots] = {};
    or_count_standby_per_slot(counts);
    for (int s = 0; s < kWeekSlots; ++s)
      if (or_slot_in_week(s / kHoursPerDay, s % kHoursPerDay) && counts[s] == 0) quiet.push_back(s);
    return quiet;
  }
  bool Marked(int s) { return g_contadispo.Cell(s / kHoursPerDay, s % kHoursPerDay).m_state == CContadispo::kMarkedState; }
  std::string Count(int s) { return g_contadispo.Cell(s / kHoursPerDay, s % kHoursPerDay).Caption(); }
  TestDriver ui;
};

TEST_F(StandbyMode, TheClickedHourIsMarkedInTheSummary) {
  std::vector<int> quiet = QuietSlots();
  ASSERT_GE(quiet.size(), 3u);
  int first = quiet[1], second = quiet.back();
  EXPECT_FALSE(Marked(first));
  EXPECT_EQ(Count(first), "") << "an hour without stand-by shows no count";
  ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, first % kHoursPerDay, first / kHoursPerDay + 1));
  ui.Advance(CContadispo::kTimerMs);
  EXPECT_TRUE(Marked(first));
  EXPECT_EQ(Count(first), " 0") << "the marked hour shows its count";
  ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, second % kHoursPerDay, second / kHoursPerDay + 1));
  ui.Advance(CContadispo::kTimerMs);
  EXPECT_TRUE(Marked(second));
  EXPECT_FALSE(Marked(first)) << "one hour marked at a time";
  EXPECT_EQ(Count(first), "");
}

}  // namespace

namespace {

using namespace kt::ui;
using Q = Cquadro;

class TwoOnStandby : public board_test::BoardProgram {
 protected:
  void SetUp() override {
    BoardProgram::SetUp();
    CopySample("piccola", {{"ROSSI\t1A 6\t\n", "ROSSI\t1A 6\tTED:+2\t\n"},
                           {"BIANCHI\t3A 6\t\n", "BIANCHI\t3A 6\tTED:+2\t\n"}});
    StartFrame("piccola");
    OpenComputedPage(kPageQuadroStandby);
    ASSERT_EQ(g_current_page, &g_board);
  }
  static int SlotOf(int lesson) { return g_eng_lessons[lesson].day * kHoursPerDay + g_eng_lessons[lesson].hour; }
};

// A stand-by hour moved onto an hour where its stand-by group already has
// someone goes to another group, with that group's room; the move
// dropped, the hour is back in its own group and room.
TEST_F(TwoOnStandby, AStandbyHourMovedIntoAFullGroupComesBackWhenTheMoveIsDropped) {
  // BIANCHI, who teaches fewer hours, is free at one of ROSSI's.
  ASSERT_TRUE(ui.Select(g_board, Q::kNameId, "BIANCHI"));
  const int bianchi = g_board.m_selected_teacher;
  int moved = -1, onto = -1;
  for (int a = 0; a < g_eng_school.lesson_count && moved < 0; ++a) {
    const EngineLesson& x = g_eng_lessons[a];
    if (x.standby_marker != 1 || x.teacher != bianchi) continue;
    for (int b = 0; b < g_eng_school.lesson_count && moved < 0; ++b) {
      const EngineLesson& y = g_eng_lessons[b];
      if (y.standby_marker != 1 || y.teacher == bianchi || y.class_index != x.class_index) continue;
      if (g_board.Cell(SlotOf(b) / kHoursPerDay, SlotOf(b) % kHoursPerDay).class_index >= 0) continue;  // busy
      moved = a;
      onto = SlotOf(b);
    }
  }
  ASSERT_GE(moved, 0) << "no stand-by hour of BIANCHI's group at an hour he is free";
  const int klass = g_eng_lessons[moved].class_index, room = g_eng_lessons[moved].room;
  int from = SlotOf(moved);
  ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, from % kHoursPerDay, from / kHoursPerDay + 1));
  ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, onto % kHoursPerDay, onto / kHoursPerDay + 1));
  ASSERT_EQ(SlotOf(moved), onto);
  EXPECT_NE(g_eng_lessons[moved].class_index, klass);
  EXPECT_NE(g_eng_lessons[moved].room, room);
  ui.PressInNextModal(CDaticambia::kDiscardId);
  alfadlg_go_to_page(kPageProcessingMenu);
  EXPECT_EQ(g_current_page, &g_processing_menu);
  EXPECT_EQ(SlotOf(moved), from);
  EXPECT_EQ(g_eng_lessons[moved].class_index, klass);
  EXPECT_EQ(g_eng_lessons[moved].room, room);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
