// Cmake, the computation window and page "Calcolo dell'Orario" (template
// 158): one class for both of its uses.
// - Built on the caller's stack with a command code and a test name and run
//   modally (navigation locked): the trial runs of the teacher pages (code
//   13 CalcTpro, 14 CalcTcla, on "cattTEST.txt" that the caller has just
//   written), and the reports and checks that the processing menu asks for
//   ("REPO:", "SNOD:"). The run starts with the window.
// - Held by the page holder as the computation page: the user chooses the
//   technique ("CALC:" with REDO, CONT, MINI, MIBU or DERR) and starts it;
//   the first one computes a new timetable from an empty week;
//   pause, CPU pacing, the staging requests, the exemption proposals and the
//   problems monitor act on the running search; with "Spegni il computer a
//   fine calcolo" ticked, a computation that ends by itself switches the
//   computer off (og_shutdown_computer).
//
// A run: the class calendars are checked against the class hours; the
// syntax check runs on the user-interface thread (the residual-errors file
// is left alone meanwhile); a failure ends the run with the engine's
// message and changes no file. Then the status block is cleared, the run
// bytes the controls stand for are written into it and the command runs on
// the engine thread. A timer (231 ms) shows the progress lines and status
// text and, once the run byte reads 255 and the thread has ended, the
// result. "STOP" writes 1 into the run byte: the engine saves its best
// timetable and ends. The end of a computation records the timetable's
// state in the school's status bytes. Leaving or closing asks a running command to stop
// and waits for it, so no command outlives its window.
//
// The problems monitor, the end-of-run notice and the second busy pop-up
// belong to the computation control above this library; the window reaches
// them through g_computation_hooks, which that library fills at start-up.
#pragma once

#include <cstdint>
#include <string>

#include "shell/engine_commands.h"
#include "shell/resizable_dialog.h"

class Cmake;

// What the computation window asks of the computation control; an unset
// entry does nothing (the trial runs need none of them).
struct ComputationHooks {
  // Shows the problems monitor beside the window (and starts its timer).
  void (*show_problems_monitor)(Cmake& window) = nullptr;
  // Places the monitor again; moved is 1 after the frame was moved or sized.
  void (*place_problems_monitor)(Cmake& window, int moved) = nullptr;
  // Closes the monitor when its window goes.
  void (*close_problems_monitor)(Cmake& window) = nullptr;
  // The busy pop-up around the synchronous checks: a text shows it, null hides it.
  void (*busy)(Cmake& window, const char* text) = nullptr;
  // A run ended: its result and the errors left.
  void (*run_ended)(Cmake& window, std::int32_t result, int errors_left) = nullptr;
};
extern ComputationHooks g_computation_hooks;

class Cmake : public CResizableDialog {
 public:
  static constexpr int kTemplate = 158;
  static constexpr int kTitleId = 1001, kStatusId = 1002, kProgressId = 1003, kResultId = 1004, kStopId = 1005,
                       kExemptionsId = 1006, kCloseId = 1007, kTechniqueId = 1008, kStartId = 1009,
                       kPauseId = 1010, kCpuId = 1011, kStageAgainId = 1012, kLeaveGapId = 1013,
                       kStageFocusId = 1014, kProposalId = 1015, kProblemsId = 1016, kSupportId = 1017,
                       kPowerOffId = 1018, kTakeBackId = 1019;
  static constexpr kt::ui::WParam kTimer = 12345678;
  static constexpr std::uint32_t kTimerMs = 231;
  // The techniques of the page, in the order of its list. The first
  // computes a new timetable from an empty week: the saved one is set aside
  // first (after a question), and "Riprendi l'orario precedente" takes it
  // back, swapping it with the current one. The others continue from the
  // saved timetable.
  static constexpr EngineCommandCode kTechniques[5] = {EngineCommandCode::CalcRedo, EngineCommandCode::CalcCont,
                                                       EngineCommandCode::CalcMini, EngineCommandCode::CalcMibu,
                                                       EngineCommandCode::CalcDerr};

  // The page held by the page holder.
  Cmake();
  // The modal window for one command (a trial run with the teacher's name).
  // from_empty_week: the computation starts from an empty week, the saved
  // timetable set aside first (the caller has already asked the user).
  Cmake(EngineCommandCode code, const char* test_name, bool from_empty_week = false);
  ~Cmake() override;
  // Runs the window; the engine's result (0 success; -1 when the run was
  // never started).
  kt::ui::LResult DoModal() override;

  // Starts the command unless one runs; false when it did not start (the
  // window then shows why).
  bool StartRun(EngineCommandCode code);
  // The first technique: asks before it replaces a saved timetable, sets it
  // aside and computes from an empty week.
  bool StartAnew();
  // Swaps the timetable set aside with the saved one, after a question,
  // then writes the reports of the timetable taken back ("REPO:").
  void TakeBack();
  // Places the problems monitor again (moved: 1 after a frame move or size).
  void PlaceProblemsMonitor(int moved);

  bool Running() const { return m_running != 0; }
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
  bool Prechecks(EngineCommandCode code);
  void Poll();
  void Finish(std::int32_t result, const std::string& text);
  void ShowBrokenConstraints();
  // Asks a running command to stop and waits for it; show: the result
  // goes into the window (not while it is being destroyed).
  void StopAndWait(bool show);
  void Close();
  void ShowPageControls(bool show);
  void OnRunByte(int id);
  void EnableTakeBack();

  bool m_page_use;
  bool m_anew = false;  // the run being started computes from an empty week
  bool m_anew_agreed = false;  // the modal window's caller asked before setting aside
  bool m_after_take_back = false;  // the report run a take back starts, until its end
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
