// The computation page's run buttons in the running program: STOP, pause,
// repeat the stage and leave the gap stage act on a running search only,
// so they are greyed when the page opens and when a run has ended, and
// usable while the search runs; the start button the other way round.
#include <gtest/gtest.h>

#include <vector>

#include "board/computation_page.h"
#include "board/processing_menu.h"
#include "engine/status_block.h"
#include "shell/engine_commands.h"
#include "shell/frame_test_support.h"
#include "structure/trial_computation.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using M = Cmakedibi;
using C = Cmake;

class RunButtons : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
  }
  // Which of STOP, pause, repeat the stage, leave the gap stage and start
  // can be clicked.
  std::vector<bool> Usable() {
    std::vector<bool> out;
    for (int id : {C::kStopId, C::kPauseId, C::kStageAgainId, C::kLeaveGapId, C::kStartId})
      out.push_back(ui.IsEnabled(g_make_page, id));
    return out;
  }
  TestDriver ui;
};

TEST_F(RunButtons, ActOnARunningSearchOnly) {
  const std::vector<bool> idle = {false, false, false, false, true};
  const std::vector<bool> running = {true, true, true, true, false};
  copy_example("piccola", "scuola");
  write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\scuola\n");
  run_program(ui, [&] {
    alfadlg_go_to_page(kPageProcessingMenu);
    ui.Click(g_processing_menu, M::kComputeId);
    ASSERT_EQ(g_current_page, &g_make_page);
    EXPECT_EQ(Usable(), idle) << "on opening";
    // A greyed button takes no click and asks nothing of the next run.
    EXPECT_FALSE(ui.Click(g_make_page, C::kPauseId));
    EXPECT_EQ(g_status.pause.load(), 0);

    ui.Click(g_make_page, C::kStartId);
    EXPECT_EQ(Usable(), running) << "while the search runs";
    g_engine_thread.Join();
    ui.Advance(C::kTimerMs);
    ASSERT_TRUE(g_make_page.Finished());
    EXPECT_EQ(Usable(), idle) << "after the run";
    ui.Click(g_make_page, C::kCloseId);
  });
}

}  // namespace
