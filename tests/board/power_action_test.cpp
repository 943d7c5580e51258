// The end-of-run power action of the computation page, in the desktop
// program started as main() starts it on the small sample school: only a
// computation started with "Spegni il computer a fine calcolo" ticked asks
// the system's power manager to switch off once it ends by itself. The
// power manager is the test's own launcher, which refuses, so nothing is
// switched off and the program goes on after saying so.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "board/computation_page.h"
#include "board/processing_menu.h"
#include "shell/frame_test_support.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using C = Cmake;

class PowerAction : public ProgramOnSample {
 protected:
  void TearDown() override {
    g_power_launcher = nullptr;
    ProgramOnSample::TearDown();
  }
};

TEST_F(PowerAction, OnlyATickedComputationAsksToSwitchOffAtItsEnd) {
  std::vector<std::vector<std::string>> asked;
  g_power_launcher = [&](const std::vector<std::string>& argv, int*) {
    asked.push_back(argv);
    return false;
  };
  struct Case {
    const char* id;
    bool ticked;
    std::size_t asked_after;
  };
  const Case cases[] = {{"not ticked", false, 0}, {"ticked", true, 1}};
  Run([&] {
    for (const Case& c : cases) {
      alfadlg_go_to_page(kPageMake);
      ASSERT_EQ(g_current_page, &g_make_page) << c.id;
      EXPECT_TRUE(ui.IsVisible(g_make_page, C::kPowerOffId)) << c.id;
      EXPECT_FALSE(ui.IsChecked(g_make_page, C::kPowerOffId)) << c.id;  // each visit starts unticked
      if (c.ticked) ui.Click(g_make_page, C::kPowerOffId);
      std::size_t boxes = ui.boxes().size();
      // A timetable saved by the run before is set aside after a question.
      bool saved = std::filesystem::exists(data_root() / "piccola" / "savego.txt");
      if (saved) ui.AnswerNextModal(kIdYes);
      if (c.ticked) ui.AnswerNextModal(kIdOk);  // the refusal of the power manager
      ui.Click(g_make_page, C::kStartId);
      g_engine_thread.Join();
      ui.Advance(C::kTimerMs);
      EXPECT_EQ(ui.Text(g_make_page, C::kResultId), "Elaborazione terminata. Errori rimasti: 0") << c.id;
      ASSERT_EQ(asked.size(), c.asked_after) << c.id;
      if (c.ticked) {
        EXPECT_EQ(asked.back(), (std::vector<std::string>{"systemctl", "poweroff"}));
        ASSERT_EQ(ui.boxes().size(), boxes + (saved ? 2 : 1));
        EXPECT_EQ(ui.boxes().back().texts.at(0), "AdjustTokenPrivileges enable failed.");
      }
      alfadlg_go_to_page(kPageProcessingMenu);
    }
  });
}

// The modal computation window (the trial runs of the teacher pages, the
// reports and the check of the processing menu) never switches anything
// off: the box is the page's alone and stays hidden there.
TEST_F(PowerAction, TheModalComputationWindowHasNoPowerOption) {
  Run([&] {
    alfadlg_go_to_page(kPageProcessingMenu);
    bool shown = true;
    std::string result;
    ui.OnNextModal([&](Dialog& d) {
      shown = ui.IsVisible(d, C::kPowerOffId);
      result = ui.Text(d, C::kResultId);
      ui.Click(d, C::kCloseId);
    });
    ui.Click(g_processing_menu, Cmakedibi::kCheckId);
    EXPECT_FALSE(shown);
    EXPECT_EQ(result, "Nessun orario elaborato: calcolare prima l'orario.");
  });
}

}  // namespace
