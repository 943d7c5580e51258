// Cquadropbs (g_problems_monitor), the problems monitor of the computation
// page: a modeless window beside the page that lists the violations of the
// running search and lets the user grant one of them (an exemption) or ask
// the search to store its result history.
//
// Every 1999 ms it takes g_problems_mutex without waiting (the engine never
// waits for the monitor: a tick that finds it taken is skipped) and copies
// the records of the best result in the search's result history (the
// stage's result with the fewest errors) into the copied problems list kept
// beside the timetable view; the list shows the copied records whose first
// word is not 0, so the records the engine's exemption hook cleared after a
// grant disappear at once. Its description column names each constraint in
// the words of the engine's check lines. A request goes into the engine's current
// exemption record under the same mutex, its request byte written last, and
// the engine clears it once served; a second request waits for that.
#pragma once

#include <cstdint>

#include "shell/dialog_ml.h"

class Cmake;

class Cquadropbs : public CDialogML {
 public:
  static constexpr int kTemplate = 284;
  static constexpr int kCountId = 1001, kListId = 1002, kGrantId = 1003, kHistoryId = 1004, kRestartId = 1005,
                       kCloseId = 1006, kNoticeId = 1007;
  static constexpr kt::ui::WParam kTimer = 1999;
  static constexpr std::uint32_t kTimerMs = 1999;

  Cquadropbs() : CDialogML(kTemplate) {}
  // Creates the window on first use, beside the computation window.
  void ShowBeside(Cmake& window);
  // Places it again at the right edge of the computation window.
  void PlaceBeside(Cmake& window, int moved);
  // One look at the engine's problems (what the timer does).
  void Refresh();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnTimer(kt::ui::WParam id) override;
  void OnDestroy() override;
  void OnOK() override {}
  void OnCancel() override { DestroyWindow(); }

 private:
  void Request(std::uint8_t code);
  Cmake* m_owner = nullptr;
  std::uint32_t m_shown_signature = 0;
};

extern Cquadropbs g_problems_monitor;
void ui_register_problems_monitor_template();
