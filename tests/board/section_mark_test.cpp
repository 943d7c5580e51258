// The frame's marked section after a board with moves refuses to leave: the
// officer moves a lesson, presses "FILE Operazioni Iniziali" (or "Orario
// Provvisorio", or the home row of the pages panel) and goes back to the
// board from the unsaved-changes question; the board is still shown, so its
// section, "Elaborazione", stays marked and not the one he pressed.
#include <gtest/gtest.h>

#include "board_program.h"

#include "board/board_page.h"
#include "engine/model.h"
#include "engine/week_grid_access.h"
#include "shell/color_button.h"
#include "shell/frame.h"
#include "structure/unsaved_changes_prompt.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using Q = Cquadro;

class SectionMark : public board_test::BoardProgram {
 protected:
  void SetUp() override {
    BoardProgram::SetUp();
    CopySample("piccola");
    StartFrame("piccola");
  }
  // The section buttons marked as the shown page's (colour state 8), by id.
  std::vector<int> Marked() {
    std::vector<int> ids;
    for (int id : {1772, 1773, 1774, 1775})
      if (auto* b = dynamic_cast<CColorButton*>(g_frame.GetDlgItem(id)); b && b->m_state == 8) ids.push_back(id);
    return ids;
  }
};

TEST_F(SectionMark, ABoardThatStaysKeepsItsSectionMarked) {
  // Through the "Elaborazione" menu, as the officer opens it; the school's
  // state says "not computed", so the frame asks first.
  ui.ChooseNextMenuItem(kPageQuadro);
  ui.AnswerNextModal(kIdYes);
  ASSERT_TRUE(ui.Click(g_frame, 1774));
  ASSERT_EQ(g_current_page, &g_board);
  ASSERT_EQ(Marked(), std::vector<int>{1774});

  // Two lessons of one teacher in the first class trade places.
  const char* cls = g_eng_classes[0].code;
  ASSERT_TRUE(g_board.ShowWeek(Q::kViewClass, cls));
  WeekGridCell cells[kWeekSlots];
  or_fill_week_grid(kGridClass, cls, cells);
  int from = -1, to = -1;
  for (int a = 0; a < kWeekSlots && to < 0; ++a)
    for (int b = a + 1; b < kWeekSlots && to < 0; ++b)
      if (cells[a].class_index >= 0 && cells[b].class_index >= 0 && cells[a].teacher >= 0 &&
          cells[a].teacher == cells[b].teacher && cells[a].lesson != cells[b].lesson && cells[a].flag == 0 &&
          cells[b].flag == 0) {
        from = a;
        to = b;
      }
  ASSERT_GE(to, 0);
  ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, from % kHoursPerDay, from / kHoursPerDay + 1));
  ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, to % kHoursPerDay, to / kHoursPerDay + 1));
  ASSERT_TRUE(g_board.Changed());

  struct Way {
    const char* what;
    std::function<void()> press;
  };
  const Way ways[] = {
      {"FILE", [&] { ui.Click(g_frame, 1772); }},
      {"Orario Provvisorio", [&] { ui.Click(g_frame, 1775); }},
      {"home row", [&] { alfadlg_go_to_page(kPageHome); }},
  };
  for (const Way& w : ways) {
    ui.PressInNextModal(CDaticambia::kStayId);
    w.press();
    ASSERT_EQ(ui.PendingSteps(), 0u) << w.what;
    EXPECT_EQ(g_current_page, &g_board) << w.what;
    EXPECT_TRUE(g_board.Changed()) << w.what;
    EXPECT_EQ(Marked(), std::vector<int>{1774}) << w.what;
  }

  // Left for good, the home page's section is marked.
  ui.PressInNextModal(CDaticambia::kDiscardId);
  ui.Click(g_frame, 1772);
  EXPECT_EQ(g_current_page_template, 107u);
  EXPECT_EQ(Marked(), std::vector<int>{1772});
}

}  // namespace
