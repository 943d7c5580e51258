// No control of the board's windows slips by one unit from the one it lines
// up with (the check of template_alignment.h); the teacher's week window
// keeps one margin round its grid; the timetable board's page, laid out by
// hand around its grid, is pictured by the screen tests.
#include <gtest/gtest.h>

#include "board/balancing_page.h"
#include "board/computation_page.h"
#include "board/courses_board.h"
#include "board/problems_monitor.h"
#include "board/processing_menu.h"
#include "board/room_window.h"
#include "board/worker_page.h"
#include "template_alignment.h"

namespace {

TEST(BoardLayout, NoControlSlipsByOneUnit) {
  board_install_pages();
  ui_register_courses_board_templates();
  ui_register_balancing_page_template();
  ui_register_problems_monitor_template();
  ui_register_processing_menu_template();
  ui_register_room_window_template();
  ui_register_worker_page_template();
  EXPECT_EQ(template_alignment::problems_of({Cmakedibi::kTemplate, Cqcorsi::kTemplate, Cqclegenda::kTemplate,
                                             Cquadrino::kTemplate, Cbila::kTemplate, Cparpro::kTemplate,
                                             Cquadropbs::kTemplate, Cmakewarn::kTemplate, Casau::kTemplate}),
            "");
}

TEST(BoardLayout, TheTeachersWeekKeepsOneMarginRoundItsGrid) {
  ui_register_courses_board_templates();
  const kt::ui::DialogTemplate* t = kt::ui::find_dialog_template(Cquadrino::kTemplate);
  ASSERT_NE(t, nullptr);
  ASSERT_EQ(t->controls.size(), 1u);
  const kt::ui::ControlTemplate& grid = t->controls[0];
  EXPECT_EQ(grid.id, Cquadrino::kGridId);
  EXPECT_EQ(grid.y, grid.x);
  EXPECT_EQ(t->cx - grid.x - grid.cx, grid.x);
  EXPECT_EQ(t->cy - grid.y - grid.cy, grid.x);
}

}  // namespace
