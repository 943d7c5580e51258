// The timetable board in the frame on a copy of the small sample school with
// its reference week saved, from the processing section's page command:
// the week of a class shows, two lessons of the class whose teachers are
// free in each other's hour trade places, a move to an hour where the
// teacher is busy in another class is refused with the board's text and
// changes nothing, the saved week loads through the engine with the moved
// hour, and leaving with an unsaved move asks: stay keeps the page, discard
// puts the lesson back, save writes it. In a lab's week a click opens the
// lab booking chooser: freeing the hour lists the lesson among the labs to
// assign, booking it again empties the list and hides the summary.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "board/board_moves.h"
#include "board/board_page.h"
#include "board/processing_menu.h"
#include "engine/engine_main.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "platform/test_driver.h"
#include "schooldata/model_utilities.h"
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

class TimetableBoard : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_frame_templates();
    structure_install_pages();
    board_install_pages();
    og_install_model_utility_hooks();
    school_ = copy_example("piccola", "piccola");
    write(school_ / "savego.txt", read(fs::path(KT_TEST_DATA) / "savefiles/piccola-savego.txt"));
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kSwShow);
    ui.Pump();
  }
  void TearDown() override {
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    g_pages.Install(PageSlot::Makedibi, nullptr);
    g_pages.Install(PageSlot::Quadro, nullptr);
    g_frame_service_hooks.confirm_timetable_use = nullptr;
    TempRoot::TearDown();
  }
  // Opens the board; the school's state says "not computed", so the frame
  // asks first.
  void OpenBoard() {
    ui.AnswerNextModal(kIdYes);
    alfadlg_go_to_page(kPageQuadro);
    ASSERT_EQ(g_current_page, &g_board);
    ASSERT_EQ(ui.PendingSteps(), 0u);
  }
  void ClickHour(int day, int hour) { ASSERT_TRUE(ui.ClickCell(g_board, Q::kGridId, hour, day + 1)); }
  std::string Shown(int day, int hour) { return g_board.Grid().GetItemText(hour, day + 1); }
  // Two lessons of 1A by different teachers, each teacher free in the
  // other's hour: they trade places. A target whose teacher is busy then
  // in another class is refused.
  void FindExchange(int& lesson, int& target, int& refused) {
    lesson = target = refused = -1;
    WeekGridCell a[kWeekSlots], b[kWeekSlots];
    for (int s = 0; s < kWeekSlots && target < 0; ++s)
      for (int t = 0; t < kWeekSlots && target < 0; ++t) {
        const WeekGridCell& x = g_board.Cell(s / kHoursPerDay, s % kHoursPerDay);
        const WeekGridCell& y = g_board.Cell(t / kHoursPerDay, t % kHoursPerDay);
        if (x.class_index < 0 || y.class_index < 0 || x.teacher == y.teacher || x.teacher < 0 || y.teacher < 0 ||
            x.second_teacher >= 0 || y.second_teacher >= 0)
          continue;
        or_fill_week_grid(kGridTeacher, g_eng_teachers[x.teacher].name, a);
        or_fill_week_grid(kGridTeacher, g_eng_teachers[y.teacher].name, b);
        if (a[t].class_index < 0 && b[s].class_index < 0) lesson = x.lesson, target = t;
        else if (refused < 0 && a[t].class_index >= 0) refused = t;
      }
    ASSERT_GE(target, 0);
    ASSERT_GE(refused, 0);
  }
  std::pair<int, int> Place(int lesson) { return {g_eng_lessons[lesson].day, g_eng_lessons[lesson].hour}; }
  // The week the engine loads from the saved file.
  void LoadSaved() {
    const char* argv[] = {"orario", "SNOD:scuola2.txt", nullptr};
    ASSERT_EQ(or_main(0, 2, argv), 0) << g_status.message;
  }
  fs::path school_;
  TestDriver ui;
};

TEST_F(TimetableBoard, MovesChecksSavesAndAsksWhenLeft) {
  OpenBoard();
  EXPECT_EQ(ui.Text(g_board, Q::kTitleId), "Vedi Orario Elaborato");
  EXPECT_EQ(g_board.Mode(), 0);
  EXPECT_EQ(Shown(0, 1), "ROSSI") << "1A, Monday's second hour";
  int lesson, target, refused;
  FindExchange(lesson, target, refused);
  int day = target / kHoursPerDay, hour = target % kHoursPerDay;
  int from_day = g_eng_lessons[lesson].day, from_hour = g_eng_lessons[lesson].hour;
  int partner = g_board.Cell(day, hour).lesson;

  // Where the teacher is busy in another class: refused, nothing moves.
  ClickHour(from_day, from_hour);
  ui.AnswerNextModal(kIdOk);
  ClickHour(refused / kHoursPerDay, refused % kHoursPerDay);
  EXPECT_EQ(ui.boxes().back().texts.at(0), g_board_move_refused.Get());
  EXPECT_EQ(Place(lesson), (std::pair{from_day, from_hour}));
  EXPECT_FALSE(g_board.Changed());

  // Into the hour of a free teacher's lesson: the two trade places.
  std::string teacher = g_eng_teachers[g_eng_lessons[lesson].teacher].name;
  std::string other = g_eng_teachers[g_eng_lessons[partner].teacher].name;
  ClickHour(from_day, from_hour);
  ClickHour(day, hour);
  EXPECT_EQ(Place(lesson), (std::pair{day, hour}));
  EXPECT_EQ(Place(partner), (std::pair{from_day, from_hour}));
  EXPECT_EQ(Shown(day, hour), teacher);
  EXPECT_EQ(Shown(from_day, from_hour), other);
  EXPECT_TRUE(g_board.Changed());

  // Leaving: stay, then discard (the lesson goes back).
  ui.PressInNextModal(CDaticambia::kStayId);
  alfadlg_go_to_page(kPageProcessingMenu);
  EXPECT_EQ(g_current_page, &g_board);
  ui.PressInNextModal(CDaticambia::kDiscardId);
  alfadlg_go_to_page(kPageProcessingMenu);
  EXPECT_EQ(g_current_page, &g_processing_menu);
  EXPECT_EQ(Place(lesson), (std::pair{from_day, from_hour}));

  // Again, and saved by the board's own button.
  OpenBoard();
  ClickHour(from_day, from_hour);
  ClickHour(day, hour);
  ui.Click(g_board, Q::kSaveId);
  EXPECT_FALSE(g_board.Changed());
  LoadSaved();
  EXPECT_EQ(Place(lesson), (std::pair{day, hour}));

  // Moved back and left with the prompt's save.
  OpenBoard();
  ClickHour(day, hour);
  ClickHour(from_day, from_hour);
  ui.PressInNextModal(CDaticambia::kSaveId);
  alfadlg_go_to_page(kPageProcessingMenu);
  EXPECT_EQ(g_current_page, &g_processing_menu);
  LoadSaved();
  EXPECT_EQ(Place(lesson), (std::pair{from_day, from_hour}));
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
