// The board's stand-by mode ("Sistema le ore di Sostegno, Disposizione e
// Ricevimento") on the small sample school where ROSSI has stand-by and
// support hours: the hour clicked on the board is marked in the stand-by
// summary beside it, with its count even when no one is on stand-by then,
// and the mark follows the next click.
#include <gtest/gtest.h>

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

class StandbyMode : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_frame_templates();
    structure_install_pages();
    board_install_pages();
    og_install_model_utility_hooks();
    fs::path school = copy_example("piccola", "piccola");
    write(school / "savego.txt", read(fs::path(KT_TEST_DATA) / "savefiles/piccola-savego.txt"));
    std::string description = read(school / "scuola2.txt");
    std::size_t at = description.find("ROSSI\t1A 6\t\n");
    ASSERT_NE(at, std::string::npos);
    description.replace(at, std::strlen("ROSSI\t1A 6\t\n"), "ROSSI\t1A 6\tTED:+2\tSOS:1\t\n");
    write(school / "scuola2.txt", description);
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));
    ASSERT_TRUE(og_read_school_files(0));
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kSwShow);
    ui.Pump();
    ui.AnswerNextModal(kIdYes);  // "not computed": the frame asks first
    alfadlg_go_to_page(kPageQuadroStandby);
    ASSERT_EQ(g_current_page, &g_board);
    ASSERT_TRUE(g_contadispo.IsCreated());
  }
  void TearDown() override {
    if (g_frame.IsWindow()) {
      ui.PressInNextModal(CDaticambia::kDiscardId);
      g_frame.DestroyWindow();
    }
    g_pages.Install(PageSlot::Makedibi, nullptr);
    g_pages.Install(PageSlot::Quadro, nullptr);
    g_pages.Install(PageSlot::Qcorsi, nullptr);
    g_frame_service_hooks.confirm_timetable_use = nullptr;
    og_clear_structure();
    og_clear_school_blocks();
    TempRoot::TearDown();
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
