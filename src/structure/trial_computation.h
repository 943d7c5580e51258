// Cmake, the computation window, in the form the teacher pages need of it:
// a trial run for one teacher (code 13, CalcTpro) or for that teacher's
// classes (code 14, CalcTcla) on the test description "cattTEST.txt" that
// the caller has just written; the provisional-timetable page runs it for
// its computation (code 15, on "cattPROV.txt"). Built on the caller's stack and run modally
// with the frame's navigation locked.
//
// The run: the teacher's name goes into the status block's test name; the
// class calendars are checked against the class hours; the syntax check
// runs on the user-interface thread and a failure ends the run with the
// engine's message; then the run byte is cleared and the command runs on
// the engine thread at lowered priority. A timer (231 ms) shows the
// engine's progress lines and, once the run byte reads 255 and the thread
// has ended, the result: the engine's message or the errors left. "STOP"
// writes 1 into the run byte; "Deroghe" shows the derogation list of the
// run. Closing asks a running command to stop, waits for the thread,
// clears the test name (later commands read the school's own description
// again) and unlocks the navigation.
#pragma once

#include <cstdint>
#include <string>

#include "shell/engine_commands.h"
#include "shell/resizable_dialog.h"

class Cmake : public CResizableDialog {
 public:
  static constexpr int kTemplate = 158;
  static constexpr int kTitleId = 1001, kStatusId = 1002, kProgressId = 1003, kResultId = 1004, kStopId = 1005,
                       kExemptionsId = 1006, kCloseId = 1007;
  static constexpr kt::ui::WParam kTimer = 12345678;
  static constexpr std::uint32_t kTimerMs = 231;

  Cmake(EngineCommandCode code, const char* test_name);
  ~Cmake() override;
  // Runs the window; the engine's result (0 success; -1 when the run was
  // never started).
  kt::ui::LResult DoModal() override;

  std::int32_t Result() const { return m_result; }
  bool Finished() const { return m_finished; }
  // The result text the window shows, also once it is closed.
  const std::string& ResultText() const { return m_result_text; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnTimer(kt::ui::WParam id) override;
  void OnOK() override {}
  void OnCancel() override { Close(); }
  void OnDestroy() override;

 private:
  void Start();
  void Poll();
  void Finish(std::int32_t result, const std::string& text);
  void Close();

  EngineCommandCode m_code;
  char m_test_name[21];
  std::int32_t m_result = -1;
  bool m_finished = false;
  // Non-zero while the engine thread runs: the derogation list refuses to
  // rewrite its file meanwhile.
  std::uint8_t m_running = 0;
  std::string m_progress;
  std::string m_result_text;
};

void ui_register_trial_computation_template();

// What every trial button does after its page's own checks: writes the
// test description "cattTEST.txt" and runs the window for the teacher (or
// his classes). A failed write is shown, nothing runs and the answer is
// false; the window shows the run's own result.
bool trial_run(bool classes, const char* teacher_name);
