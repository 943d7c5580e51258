// The class a support hour supports, chosen on the board's stand-by mode
// ("Sistema le ore di Sostegno, Disposizione e Ricevimento", "Classe
// sostenuta:") on the liceo with its reference week, where SANTORO has one
// support hour and two stand-by hours. Saved on leaving the board, the
// choice is saved as the button saves it: in the week and the balancing
// save (" SOCL:"), and in the reports written anew. A move saved afterwards
// on the board that shows the lessons only ("Vedi Orario Elaborato") keeps
// SANTORO's support hour with its class and the stand-by hour he does not
// now teach in; the stand-by board opened again shows them where they were.
#include <gtest/gtest.h>

#include "board_program.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "board/board_page.h"
#include "board/processing_menu.h"
#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/save_line.h"
#include "engine/text_lines.h"
#include "engine/week_grid_access.h"
#include "platform/test_driver.h"
#include "shell/frame.h"
#include "structure/unsaved_changes_prompt.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using Q = Cquadro;
// A stand-by ('D') or support ('S') line of a save: its letter, day and
// hour, and the class it supports ("" none).
using PseudoLine = std::tuple<char, int, int, std::string>;

class SupportClassSave : public board_test::BoardProgram {
 protected:
  void SetUp() override {
    BoardProgram::SetUp();
    discard_on_close_ = true;
    CopySample("liceo", {{"SANTORO\t1BS 4\t\n", "SANTORO\t1BS 4\tTED:+2\tSOS:1\t\n"}});
    StartFrame("liceo");
    OpenStandbyBoard();
  }
  void OpenStandbyBoard() {
    OpenComputedPage(kPageQuadroStandby);
    ASSERT_EQ(g_current_page, &g_board);
    ASSERT_EQ(g_board.Mode(), 1);
    ShowSantoro();
  }
  void ShowSantoro() {
    ASSERT_TRUE(ui.Select(g_board, Q::kKindId, Q::kViewTeacher));
    ASSERT_TRUE(ui.Select(g_board, Q::kNameId, "SANTORO"));
  }
  std::string Shown(int s) { return g_board.Grid().GetItemText(s % kHoursPerDay, s / kHoursPerDay + 1); }
  bool ClickSlot(int s) { return ui.ClickCell(g_board, Q::kGridId, s % kHoursPerDay, s / kHoursPerDay + 1); }
  // The slots of the shown week whose lesson has the flag (0 lesson, 1
  // stand-by, 2 support).
  std::vector<int> SlotsOf(int flag) {
    std::vector<int> slots;
    for (int d = 0; d < or_week_days(); ++d)
      for (int h = 0; h < or_day_hours(d); ++h)
        if (g_board.Cell(d, h).class_index >= 0 && g_board.Cell(d, h).flag == flag)
          slots.push_back(d * kHoursPerDay + h);
    return slots;
  }
  // SANTORO's support hour supports 2CS.
  void ChooseSupportedClass() {
    std::vector<int> support = SlotsOf(2);
    ASSERT_EQ(support.size(), 1u);
    support_ = support[0];
    ASSERT_TRUE(ClickSlot(support_));
    ASSERT_TRUE(ui.Select(g_board, Q::kSupportId, "2CS"));
    ASSERT_EQ(Shown(support_), "Sost. 2CS");
    ASSERT_TRUE(g_board.Changed());
  }
  // SANTORO's stand-by and support lines of a save file (the program works
  // in the school's folder).
  static std::vector<PseudoLine> SavedLines(const char* file) {
    std::vector<PseudoLine> lines;
    std::FILE* f = or_fopen(file, "rt");
    if (f == nullptr) return lines;
    char line[512];
    while (or_read_line(line, 400, f) != nullptr) {
      SaveLine s;
      if (save_line_pseudo_letter(line) != 0 && parse_save_line(line, s) && s.teacher == "SANTORO")
        lines.emplace_back(s.pseudo_letter, s.day, s.hour, s.supported_class);
    }
    EXPECT_EQ(std::ferror(f), 0) << file;
    or_fclose(f);
    return lines;
  }
  PseudoLine SupportLine() const { return {'S', support_ / kHoursPerDay, support_ % kHoursPerDay, "2CS"}; }
  // The teachers of the "Sost." rows of a class in the complete class report.
  std::string ReportedSupport(const std::string& klass) {
    std::string text = read(school_ / "Orario" / "Orario Classi Completo.txt");
    std::size_t at = text.find("CLASSE " + klass);
    if (at == std::string::npos) return "";
    std::size_t end = text.find("CLASSE ", at + 7);
    std::string rows;
    for (std::size_t row = text.find("Sost.|", at); row < end; row = text.find("Sost.|", row + 1))
      rows += text.substr(row, text.find('\n', row) - row);
    return rows;
  }

  int support_ = -1;
};

TEST_F(SupportClassSave, SavedOnLeavingTheBoardAsByItsButton) {
  ChooseSupportedClass();
  EXPECT_EQ(ReportedSupport("2CS").find("SANTORO"), std::string::npos) << "the reports before the choice";

  std::size_t boxes = ui.boxes().size();
  ui.PressInNextModal(CDaticambia::kSaveId);
  alfadlg_go_to_page(kPageProcessingMenu);
  ui.Pump();
  ASSERT_NE(g_current_page, &g_board) << "the board was left";
  EXPECT_EQ(ui.boxes().size(), boxes + 1) << "only the question was asked";
  for (const char* file : {".\\savego.txt", ".\\savebi.txt"}) {
    std::vector<PseudoLine> lines = SavedLines(file);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), SupportLine()), 1) << file;
  }
  EXPECT_NE(ReportedSupport("2CS").find("SANTORO"), std::string::npos) << "the reports were written anew";

  OpenStandbyBoard();
  EXPECT_EQ(Shown(support_), "Sost. 2CS");
}

TEST_F(SupportClassSave, AMoveOnTheLessonsBoardKeepsTheSupportAndStandbyHours) {
  ChooseSupportedClass();
  std::vector<int> standby = SlotsOf(1);
  ASSERT_EQ(standby.size(), 2u);
  ASSERT_TRUE(ui.Click(g_board, Q::kSaveId));
  ASSERT_FALSE(g_board.Changed()) << ui.Text(g_board, Q::kStatusId);
  ASSERT_EQ(SavedLines(".\\savego.txt").size(), 3u);

  // On the board of the lessons SANTORO's stand-by hours are free hours:
  // in a class's week one of his lessons trades places with the lesson
  // the class has in one of them.
  alfadlg_go_to_page(kPageProcessingMenu);
  OpenComputedPage(kPageQuadro);
  ASSERT_EQ(g_current_page, &g_board);
  ASSERT_EQ(g_board.Mode(), 0);
  ShowSantoro();
  ASSERT_TRUE(SlotsOf(1).empty() && SlotsOf(2).empty());
  std::vector<std::pair<int, std::string>> lessons;
  for (int s : SlotsOf(0))
    lessons.emplace_back(s, g_eng_classes[g_board.Cell(s / kHoursPerDay, s % kHoursPerDay).class_index].code);
  int taken = -1, kept = -1;
  for (int i = 0; i < 2 && taken < 0; ++i)
    for (const auto& [from, klass] : lessons) {
      ASSERT_TRUE(ui.Select(g_board, Q::kKindId, Q::kViewClass));
      ASSERT_TRUE(ui.Select(g_board, Q::kNameId, klass));
      ASSERT_TRUE(ClickSlot(from));
      ASSERT_TRUE(ClickSlot(standby[i]));
      if (!g_board.Changed()) continue;
      taken = standby[i];
      kept = standby[1 - i];
      break;
    }
  ASSERT_GE(taken, 0) << "no lesson of SANTORO can take a stand-by hour of his";
  ShowSantoro();
  ASSERT_GE(g_board.Cell(taken / kHoursPerDay, taken % kHoursPerDay).class_index, 0);
  std::size_t boxes = ui.boxes().size();
  ASSERT_TRUE(ui.Click(g_board, Q::kSaveId));
  ASSERT_FALSE(g_board.Changed()) << ui.Text(g_board, Q::kStatusId);

  std::vector<PseudoLine> saved = SavedLines(".\\savego.txt");
  EXPECT_EQ(saved, (std::vector<PseudoLine>{{'D', kept / kHoursPerDay, kept % kHoursPerDay, ""}, SupportLine()}))
      << "the stand-by hour he now teaches in is left to be placed again";

  // The stand-by board reads them back; the hour left out takes another
  // free hour of his.
  alfadlg_go_to_page(kPageProcessingMenu);
  OpenStandbyBoard();
  EXPECT_EQ(ui.boxes().size(), boxes + 1) << "the saved week reads back without a word (but the question of "
                                               "the week's state)";
  EXPECT_EQ(Shown(support_), "Sost. 2CS");
  std::vector<int> now = SlotsOf(1);
  ASSERT_EQ(now.size(), 2u);
  EXPECT_TRUE(now[0] == kept || now[1] == kept);
  EXPECT_EQ(g_board.Cell(taken / kHoursPerDay, taken % kHoursPerDay).flag, 0) << "his lesson stays in the hour";
}

}  // namespace
