// The processing menu page and the technical editor in the frame on a copy
// of the small sample school with its reference week saved: the frame's
// page command opens the menu with its title, and its button leads to the
// technical editor, which loads the school and the saved week through the
// engine, with the hours of one teaching line listed in time order. ROSSI
// teaches 1A on Monday's second hour (lesson 0, saved as Tuesday's, where
// lesson 1 of the same line was saved) and 2A on Monday's third (lesson 6). Moving lesson 6 onto the second hour lists
// the two lessons in each other's conflicts and blocks the save; its own
// hour again clears the edit. Leaving with an edit asks: No keeps the
// page, Yes drops the edit. A lab given to lesson 0 is saved, the page
// returns to the menu, and the engine loads the week with that lab. Each
// of the menu's page buttons opens its page.
#include <gtest/gtest.h>

#include "board_program.h"

#include <cstring>
#include <utility>

#include "board/balancing_page.h"
#include "board/courses_board.h"
#include "board/processing_menu.h"
#include "engine/engine_main.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "platform/test_driver.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "structure/standby_summary.h"
#include "structure/structure_pages.h"
#include "structure/technical_editor.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using E = Ceditek;

class ProcessingMenu : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_frame_templates();
    structure_install_pages();
    board_install_pages();
    fs::path school = copy_example("piccola", "piccola");
    // Two hours of ROSSI's Italian in 1A saved out of time order.
    std::string save = read(fs::path(KT_TEST_DATA) / "savefiles/piccola-savego.txt");
    for (auto [from, to] : {std::pair{"0000 0 1 ", "0000 1 1 "}, std::pair{"0001 1 1 ", "0001 0 1 "}}) {
      std::size_t at = save.find(from);
      ASSERT_NE(at, std::string::npos) << from;
      save.replace(at, std::strlen(to), to);
    }
    write(school / "savego.txt", save);
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kSwShow);
    ui.Pump();
  }
  void TearDown() override {
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    g_pages.Install(PageSlot::Makedibi, nullptr);
    TempRoot::TearDown();
  }
  // The editor the processing menu runs (modal, so reached inside a step).
  Ceditek* editor_ = &g_technical_editor;
  ListView& List() { return *static_cast<ListView*>(editor_->GetDlgItem(E::kListId)); }
  // The row that shows the lesson ("Progr." is the lesson number).
  int Row(int lesson) {
    for (int r = 0; r < List().GetItemCount(); ++r)
      if (std::atoi(List().GetItemText(r, 0).c_str()) == lesson) return r;
    return -1;
  }
  std::string Cell(int lesson, int column) { return List().GetItemText(Row(lesson), column); }
  TestDriver ui;
};

TEST_F(ProcessingMenu, TechnicalEditorMovesChecksConflictsAndSavesALab) {
  alfadlg_go_to_page(kPageProcessingMenu);
  ASSERT_EQ(g_current_page, &g_processing_menu);
  EXPECT_EQ(ui.Text(g_processing_menu, Cmakedibi::kTitleId), "Elaborazione dell'orario - Menu generale e STAMPA");
  // The menu runs the editor modally over the frame; it ends with 999 and
  // the menu is where the user was.
  int runs = 0;
  ui.OnNextModal([&](Dialog& d) {
    ++runs;
    editor_ = &static_cast<Ceditek&>(d);
    ASSERT_GE(Row(6), 0);
    EXPECT_EQ(Cell(0, 1), "1 LU");
    EXPECT_EQ(Cell(1, 1), "2 MA");
    EXPECT_EQ(Cell(6, 2), " 3");

    ui.Select(d, E::kListId, Row(6));
    ui.Select(d, E::kHourId, 1);  // onto ROSSI's lesson in 1A
    EXPECT_EQ(Cell(6, 4), " 2");
    EXPECT_NE((" " + Cell(6, 9)).find(" 0 "), std::string::npos) << Cell(6, 9);
    EXPECT_NE((" " + Cell(0, 9)).find(" 6 "), std::string::npos) << Cell(0, 9);
    ui.AnswerNextModal(kIdOk);
    ui.Click(d, E::kSaveId);
    EXPECT_EQ(ui.boxes().back().texts.at(0), "Ci sono CONFLITTI: controllare colonna dei conflitti");
    EXPECT_TRUE(d.IsWindow());
    ui.Select(d, E::kHourId, 2);  // its own hour again
    EXPECT_EQ(Cell(6, 3), "...");
    EXPECT_EQ(Cell(6, 4), "...");
    EXPECT_EQ(Cell(0, 9), "");

    ui.Select(d, E::kDayId, 4);  // an edit left unsaved
    ui.AnswerNextModal(kIdNo);
    ui.Click(d, E::kAbandonId);
    EXPECT_EQ(ui.boxes().back().texts.at(0), "Sicuro di abbandonare le modifiche ?");
    EXPECT_TRUE(d.IsWindow());
    ui.AnswerNextModal(kIdYes);
    ui.Click(d, E::kAbandonId);
  });
  ui.Click(g_processing_menu, Cmakedibi::kTechnicalEditorId);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(g_current_page, &g_processing_menu);

  ui.OnNextModal([&](Dialog& d) {
    ++runs;
    editor_ = &static_cast<Ceditek&>(d);
    EXPECT_EQ(Cell(6, 3), "...");  // the dropped edit is gone
    ui.Select(d, E::kListId, Row(0));
    ui.Select(d, E::kLabId, 1);  // LAB SCIENZE
    EXPECT_EQ(Cell(0, 8), "LAB SCIENZE");
    EXPECT_EQ(Cell(0, 9), "");
    ui.Click(d, E::kSaveId);
  });
  ui.Click(g_processing_menu, Cmakedibi::kTechnicalEditorId);
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(g_current_page, &g_processing_menu);

  const char* argv[] = {"orario", "SYNT:scuola2.txt", nullptr};
  ASSERT_EQ(or_main(0, 2, argv), 0) << g_status.message;
  int lab = or_lesson_room_setting(0);
  ASSERT_GE(lab, 0);
  EXPECT_STREQ(g_eng_rooms[lab].name, "LAB SCIENZE");
  EXPECT_EQ(g_eng_lessons[6].hour, 2);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using E = Ceditek;

// The modal form over the frame: abandoning ends with 999; a save
// with no change ends with 999 too and writes a timetable the engine loads,
// of the ordinary lessons only; navigation is locked while it runs.
TEST_F(ProcessingMenu, ModalFormEndsWith999AndSavesOnlyOrdinaryLessons) {
  alfadlg_go_to_page(kPageProcessingMenu);
  int listed = -1;
  bool locked = false;
  ui.OnNextModal([&](Dialog& d) {
    listed = static_cast<Ceditek&>(d).Listed();
    locked = g_busy_code != 0 || !ui.IsEnabled(g_frame, 1772);
    ui.Click(d, E::kAbandonId);  // nothing edited: no question
  });
  EXPECT_EQ(tech_run_editor_modal(), E::kModalEnd);
  EXPECT_GT(listed, 0);
  EXPECT_TRUE(locked);
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, E::kSaveId);
  });
  EXPECT_EQ(tech_run_editor_modal(), E::kModalEnd);
  EXPECT_EQ(g_eng_school.lesson_count, listed);
  const char* argv[] = {"orario", "SYNT:scuola2.txt", nullptr};
  ASSERT_EQ(or_main(0, 2, argv), 0) << g_status.message;
  EXPECT_EQ(g_current_page, &g_processing_menu);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// The page form, through its page command: an unsaved edit asks before
// leaving, and the page returns to the processing menu.
TEST_F(ProcessingMenu, PageFormAsksBeforeLeavingAndReturnsToTheMenu) {
  alfadlg_go_to_page(kPageEditek);
  ASSERT_EQ(g_current_page, &g_technical_editor);
  ASSERT_GE(Row(6), 0);
  ui.Select(g_technical_editor, E::kListId, Row(6));
  ui.Select(g_technical_editor, E::kDayId, 4);
  ui.AnswerNextModal(kIdYes);
  ui.Click(g_technical_editor, E::kAbandonId);
  EXPECT_EQ(ui.boxes().back().texts.at(0), "Sicuro di abbandonare le modifiche ?");
  EXPECT_EQ(g_current_page, &g_processing_menu);
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace

namespace {

using namespace kt::ui;

class MenuButtons : public board_test::BoardProgram {};

// Each of the menu's page buttons opens its own page over a computed week
// (the frame's question answered yes): the board, the balancing page, the
// courses board, and the board in its stand-by mode with the summary beside
// it; the menu is the page again from the frame each time.
TEST_F(MenuButtons, EachPageButtonOpensItsPage) {
  discard_on_close_ = true;
  CopySample("piccola");
  StartFrame("piccola");
  const struct {
    int button;
    Window* page;
    bool standby;
  } cases[] = {{Cmakedibi::kViewId, &g_board, false},
               {Cmakedibi::kBalanceId, &g_balancing_page, false},
               {Cmakedibi::kCoursesId, &g_courses_board, false},
               {Cmakedibi::kStandbyId, &g_board, true}};
  for (const auto& c : cases) {
    alfadlg_go_to_page(kPageProcessingMenu);
    ASSERT_EQ(g_current_page, &g_processing_menu) << c.button;
    ui.AnswerNextModal(kIdYes);
    ui.Click(g_processing_menu, c.button);
    EXPECT_EQ(ui.PendingSteps(), 0u) << c.button;
    EXPECT_EQ(g_current_page, c.page) << c.button;
    EXPECT_EQ(g_contadispo.IsCreated() && g_contadispo.IsWindow(), c.standby) << c.button;
  }
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

}  // namespace
