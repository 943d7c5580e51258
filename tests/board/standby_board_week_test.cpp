// The board's stand-by mode ("Sistema le ore di Sostegno, Disposizione e
// Ricevimento") opened for the first time on the liceo with its reference
// week, after teachers of each building were given stand-by hours: the
// engine places them then and there. A teacher who teaches in one building
// is never shown a building transfer for his stand-by hours, neither when
// the board opens nor when one of them is moved next to his lessons; and
// the week saved reads back ("SBIL:") with each stand-by hour where the
// board showed it.
#include <gtest/gtest.h>

#include "board_program.h"

#include <cstdio>
#include <set>
#include <string>
#include <utility>

#include "board/board_page.h"
#include "board/processing_menu.h"
#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/teacher_availability.h"
#include "engine/text_lines.h"
#include "engine/week_grid_access.h"
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

}  // namespace
