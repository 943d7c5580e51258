// Booking a lab's hour on the timetable board when the school has two labs:
// the small sample school with a second lab, LAB ARTE, and a lab group of
// both labs for COLOMBO's hours in 1A. An hour booked in LAB ARTE's view
// goes to LAB ARTE, not to the lab the engine lists first (the science
// lab, which its lessons use); the other lab's view stays empty. The
// chooser offers the lessons of the hour clicked.
#include <gtest/gtest.h>

#include "board_program.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "board/board_page.h"
#include "board/processing_menu.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "platform/controls/combo_box.h"
#include "platform/test_driver.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "structure/lab_booking_chooser.h"
#include "structure/lab_summary.h"
#include "structure/structure_pages.h"
#include "structure/unsaved_changes_prompt.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using Q = Cquadro;

class TwoLabs : public board_test::BoardProgram {
 protected:
  void SetUp() override {
    BoardProgram::SetUp();
    discard_on_close_ = true;
    CopySample("piccola", {{"COLOMBO\t1A 2\t\n", "COLOMBO\t1A 2 GLB:SCIENZE-\t\n"},
                           {"\nLABOR:", "\nLABOR:|LAB ARTE-Centrale Sede Unica|\nLABOR:"},
                           {"\nLOC:", "\nGRULLAB:\tSCIENZE\tLAB SCIENZE\tLAB ARTE\t\nLOC:"}});
    StartFrame("piccola");
    OpenComputedPage(kPageQuadro);
    ASSERT_EQ(g_current_page, &g_board);
  }
  // Shows the board's view of the lab named `name`.
  bool ShowLab(const std::string& name) {
    if (!ui.Select(g_board, Q::kKindId, Q::kViewLab)) return false;
    auto* names = dynamic_cast<ComboBox*>(g_board.GetDlgItem(Q::kNameId));
    if (!names) return false;
    for (int i = 0; i < names->GetCount(); ++i)
      if (names->GetLBText(i) == name) return ui.Select(g_board, Q::kNameId, i);
    return false;
  }
};

TEST_F(TwoLabs, AnHourBookedInALabsViewGoesToThatLab) {
  ASSERT_TRUE(ShowLab("LAB ARTE"));
  int lesson = -1, day = -1, hour = -1;
  for (int i = 0; i < g_eng_school.lesson_count && lesson < 0; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (l.lab_group >= 0 && g_board.Cell(l.day, l.hour).class_index < 0) lesson = i, day = l.day, hour = l.hour;
  }
  ASSERT_GE(lesson, 0);
  ui.OnNextModal([&](Dialog& d) {
    ui.Advance(133);
    auto* list = static_cast<ComboBox*>(d.GetDlgItem(Cmanulab::kListId));
    for (int i = 1; i < list->GetCount(); ++i)
      if (list->GetLBText(i).rfind("COLOMBO - ", 0) == 0) ui.Select(d, Cmanulab::kListId, i);
  });
  ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, hour, day + 1));
  EXPECT_EQ(g_board.Cell(day, hour).lesson, lesson) << "the view's lab shows the booking";
  int room = or_lesson_room_setting(lesson);
  ASSERT_GE(room, 0);
  EXPECT_STREQ(g_eng_rooms[room].name, "LAB ARTE");
  ASSERT_TRUE(ShowLab("LAB SCIENZE"));
  EXPECT_LT(g_board.Cell(day, hour).class_index, 0) << "the other lab holds nothing then";
}

// A free hour of a lab clicked on the board offers the lessons held at that
// day and hour, one per class busy then; cancelled, it books nothing.
TEST_F(TwoLabs, TheChooserOffersTheLessonsOfTheHourClicked) {
  ASSERT_TRUE(ShowLab("LAB ARTE"));
  const int day = 2, hour = 3;  // Wednesday's fourth hour
  ASSERT_LT(g_board.Cell(day, hour).class_index, 0);
  // Each lesson then as its teacher and class: "<teacher> ... - <class> [room]".
  std::vector<std::string> expected, offered;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (l.day == day && l.hour == hour && l.class_index >= 0 && l.class_index < g_eng_school.real_class_count)
      expected.push_back(std::string(g_eng_teachers[l.teacher].name) + "|" + g_eng_classes[l.class_index].code);
  }
  ASSERT_FALSE(expected.empty());
  ui.OnNextModal([&](Dialog& d) {
    ui.Advance(133);
    auto* list = static_cast<ComboBox*>(d.GetDlgItem(Cmanulab::kListId));
    for (int i = 1; i < list->GetCount(); ++i) {
      std::string text = list->GetLBText(i);
      std::size_t dash = text.rfind(" - "), room = text.rfind(" [");
      std::size_t name_end = std::min(text.find(" - "), text.find(" + "));
      offered.push_back(text.substr(0, name_end) + "|" + text.substr(dash + 3, room - dash - 3));
    }
    ui.Key(kVkEscape);
  });
  ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, hour, day + 1));
  std::sort(expected.begin(), expected.end());
  std::sort(offered.begin(), offered.end());
  EXPECT_EQ(offered, expected);
  EXPECT_LT(g_board.Cell(day, hour).class_index, 0);
  EXPECT_FALSE(g_board.Changed());
}

}  // namespace
