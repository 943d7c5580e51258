// The steps a page test scripts for one trial run in the computation
// window: the engine runs on its own thread as in the program; the step
// waits for the thread, lets the window's timer see the end, reads what the
// window shows and closes it. With stop the user presses "STOP" first, as
// one does with a test that goes on looking for a better timetable. Message boxes the engine raises meanwhile
// need steps of their own, scripted after this one.
#pragma once

#include <string>
#include <vector>

#include "platform/test_driver.h"
#include "structure/trial_computation.h"

struct TrialShown {
  std::string title;
  std::string result;
  bool stop_enabled = true;
};

inline void watch_trial(kt::ui::TestDriver& ui, std::vector<TrialShown>& shown, bool stop) {
  ui.OnNextModal([&ui, &shown, stop](kt::ui::Dialog& d) {
    if (stop) ui.Click(d, Cmake::kStopId);
    g_engine_thread.Join();
    ui.Advance(Cmake::kTimerMs);
    shown.push_back({ui.Text(d, Cmake::kTitleId), ui.Text(d, Cmake::kResultId), ui.IsEnabled(d, Cmake::kStopId)});
    ui.Click(d, Cmake::kCloseId);
  });
}
