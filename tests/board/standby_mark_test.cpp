// The board's stand-by mode ("Sistema le ore di Sostegno, Disposizione e
// Ricevimento") on the small sample school where ROSSI has stand-by and
// support hours: the hour clicked on the board is marked in the stand-by
// summary beside it, with its count even when no one is on stand-by then,
// and the mark follows the next click; a new visit starts unmarked.
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
  int first = quiet[0], second = quiet.back();
  for (int s = 0; s < kWeekSlots; ++s) EXPECT_FALSE(Marked(s)) << "nothing is marked before a click, slot " << s;
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

  // Back on the board another time, the summary starts with no mark.
  alfadlg_go_to_page(kPageProcessingMenu);
  ASSERT_NE(g_current_page, &g_board);
  OpenComputedPage(kPageQuadroStandby);
  ASSERT_EQ(g_current_page, &g_board);
  ASSERT_EQ(ui.PendingSteps(), 0u);
  ui.Advance(CContadispo::kTimerMs);
  for (int s = 0; s < kWeekSlots; ++s) EXPECT_FALSE(Marked(s)) << "a mark left from the last visit, slot " << s;
}

// The summary is a tool window of the board: the close box of its title bar
// closes it and the board's button makes it again, Enter and Esc leave it
// open, and it shows the school's week only: the cells of days and hours the
// school lacks are empty and take no click.
TEST_F(StandbyMode, TheSummaryClosesReopensAndShowsTheSchoolWeek) {
  int outside = 0;
  for (int s = 0; s < kWeekSlots; ++s) {
    int d = s / kHoursPerDay, h = s % kHoursPerDay;
    CColorButton& cell = g_contadispo.Cell(d, h);
    EXPECT_EQ(cell.IsWindowEnabled(), or_slot_in_week(d, h)) << "slot " << s;
    if (or_slot_in_week(d, h)) continue;
    ++outside;
    EXPECT_EQ(cell.Caption(), "") << "slot " << s;
    EXPECT_FALSE(ui.Click(cell)) << "a click on a slot outside the week, " << s;
  }
  ASSERT_GT(outside, 0) << "piccola's week is shorter than seven days of twelve hours";
  EXPECT_EQ(ui.Text(g_contadispo, CContadispo::kFirstDayHeadingId), "LU");
  EXPECT_EQ(ui.Text(g_contadispo, CContadispo::kFirstDayHeadingId + 6), "") << "piccola has no Sunday";
  EXPECT_EQ(ui.Text(g_contadispo, CContadispo::kFirstHourHeadingId), "1");
  EXPECT_EQ(ui.Text(g_contadispo, CContadispo::kFirstHourHeadingId + 11), "") << "piccola has no twelfth hour";

  // Esc and Enter in the window leave it open.
  ASSERT_TRUE(ui.Click(g_contadispo.Cell(0, 0)));
  ui.Key(kVkEscape);
  ui.Key(kVkReturn);
  EXPECT_TRUE(g_contadispo.IsCreated() && g_contadispo.IsWindow());

  // The close box closes it; the board stays and its button makes it again.
  ASSERT_TRUE(ui.Close(g_contadispo));
  EXPECT_FALSE(g_contadispo.IsCreated());
  EXPECT_FALSE(g_contadispo.IsWindow());
  ASSERT_EQ(g_current_page, &g_board);
  ASSERT_TRUE(ui.Click(g_board, Q::kStandbyId));
  ASSERT_TRUE(g_contadispo.IsCreated() && g_contadispo.IsWindow());
  EXPECT_TRUE(g_contadispo.IsWindowVisible());
  ui.Advance(CContadispo::kTimerMs);
  EXPECT_FALSE(g_contadispo.Cell(6, 11).IsWindowEnabled());
}

}  // namespace
