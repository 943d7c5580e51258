// The lesson chosen on the courses board: a click on a lesson chooses it and
// asks for the hour to move it to; only an hour of the same class moves it.
// A click on another class's lesson chooses that one instead, a click on the
// class's own name columns or on the chosen lesson again keeps the choice;
// nothing of the week changes until the move.
#include <gtest/gtest.h>

#include "board_program.h"

#include <string>
#include <vector>

#include "board/courses_board.h"
#include "platform/test_driver.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "structure/unsaved_changes_prompt.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

constexpr const char* kChooseTarget = "Clickare l'ora della stessa classe in cui spostare la lezione";

class CoursesChoice : public board_test::BoardProgram {
 protected:
  void SetUp() override {
    BoardProgram::SetUp();
    CopySample("liceo");
    StartFrame("liceo");
    OpenComputedPage(kPageQcorsi);
    ASSERT_EQ(g_current_page, &g_courses_board);
  }
  // The lessons of the first two rows' first columns.
  std::vector<int> Lessons() {
    std::vector<int> out;
    for (int row = 0; row < 2; ++row)
      for (int column = 2; column < 6; ++column) out.push_back(g_courses_board.Cell(row, column).lesson);
    return out;
  }
  std::string Status() { return ui.Text(g_courses_board, Cqcorsi::kStatusId); }
  bool Click(int row, int column) { return ui.ClickCell(g_courses_board, Cqcorsi::kGridId, row, column); }
};

TEST_F(CoursesChoice, OnlyAnHourOfTheChosenLessonsClassMovesIt) {
  const struct {
    const char* id;
    std::vector<std::pair<int, int>> clicks;  // after choosing row 0, column 2
  } cases[] = {
      {"the chosen lesson again", {{0, 2}}},
      {"the class's name columns", {{0, 0}, {0, 1}}},
      {"another class's lesson", {{1, 3}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    int lesson = g_courses_board.Cell(0, 2).lesson;
    ASSERT_GE(lesson, 0);
    ASSERT_GE(g_courses_board.Cell(1, 3).lesson, 0);
    std::vector<int> before = Lessons();
    std::size_t boxes = ui.boxes().size();
    ASSERT_TRUE(Click(0, 2));
    EXPECT_EQ(Status(), kChooseTarget);
    for (auto [row, column] : c.clicks) ASSERT_TRUE(Click(row, column));
    EXPECT_EQ(Status(), kChooseTarget);
    EXPECT_EQ(Lessons(), before) << "nothing moved yet";
    EXPECT_EQ(ui.boxes().size(), boxes) << "nothing refused";
    if (c.clicks.back().first == 1) {
      // The choice is now the other class's lesson: a lesson of the first
      // class only chooses again.
      ASSERT_TRUE(Click(0, 2));
      EXPECT_EQ(Status(), kChooseTarget);
      EXPECT_EQ(Lessons(), before);
    }
    ASSERT_TRUE(Click(0, 3));
    EXPECT_EQ(Status().rfind("Lezione spostata", 0), 0u) << Status();
    EXPECT_EQ(g_courses_board.Cell(0, 3).lesson, lesson);
    // Back where it was, for the next case.
    ASSERT_TRUE(Click(0, 3));
    ASSERT_TRUE(Click(0, 2));
    EXPECT_EQ(Lessons(), before);
  }
  ui.PressInNextModal(CDaticambia::kDiscardId);
}

// Keys on the courses board do what they do on every page: Enter opens
// nothing, Esc leaves the board; only the legend's own button opens the
// legend.
TEST_F(CoursesChoice, OnlyTheLegendButtonOpensTheLegend) {
  ASSERT_FALSE(g_legend.IsWindow() && g_legend.IsWindowVisible());
  g_courses_board.GetDlgItem(Cqcorsi::kGridId)->SetFocus();
  ui.Key(kVkReturn);
  EXPECT_FALSE(g_legend.IsWindow() && g_legend.IsWindowVisible()) << "Enter";
  ui.Click(g_courses_board, Cqcorsi::kSaveId);
  EXPECT_FALSE(g_legend.IsWindow() && g_legend.IsWindowVisible()) << "the save button";
  ui.Click(g_courses_board, Cqcorsi::kLegendId);
  EXPECT_TRUE(g_legend.IsWindow() && g_legend.IsWindowVisible());
  g_legend.DestroyWindow();
  g_courses_board.GetDlgItem(Cqcorsi::kGridId)->SetFocus();
  ui.Key(kVkEscape);
  EXPECT_FALSE(g_legend.IsWindow() && g_legend.IsWindowVisible()) << "Esc";
  EXPECT_NE(g_current_page, &g_courses_board) << "Esc leaves the board";
}

// A save the disk refuses (a folder standing where the saved week goes):
// the user is told what failed and why, the status does not say saved, the
// week stays changed (leaving asks), and the folder is left as it was.
TEST_F(CoursesChoice, ASaveRefusedByTheDiskIsToldAndTheWeekStaysChanged) {
  ASSERT_TRUE(Click(0, 2));
  ASSERT_TRUE(Click(0, 3));
  ASSERT_EQ(Status().rfind("Lezione spostata", 0), 0u);
  std::string moved = Status();
  fs::remove(school_ / "savego.txt");
  fs::create_directories(school_ / "savego.txt" / "inside");
  std::vector<std::string> told;
  ui.OnNextModal([&](Dialog& box) {
    told.push_back(ui.Text(box, CMessageBox::kTextId));
    box.EndDialog(kIdOk);
  });
  ui.Click(g_courses_board, Cqcorsi::kSaveId);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find("[savego.txt]"), std::string::npos) << told[0];
  EXPECT_NE(told[0].find("[Salvataggio dell'orario non riuscito - Al posto del file c"), std::string::npos) << told[0];
  EXPECT_NE(told[0].find(" una cartella]"), std::string::npos) << told[0];
  EXPECT_EQ(Status(), moved) << "not saved";
  EXPECT_TRUE(fs::is_directory(school_ / "savego.txt" / "inside"));
  bool asked = false;
  ui.OnNextModal([&](Dialog& d) {
    asked = true;
    ui.Click(d, CDaticambia::kDiscardId);
  });
  alfadlg_go_to_page(kPageProcessingMenu);
  EXPECT_TRUE(asked) << "the move is still unsaved";
}

}  // namespace
