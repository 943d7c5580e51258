// Cbila, the balancing page "Bilanciamento dell'orario": improves a computed
// timetable without breaking it. One button balances the teachers' days
// ("BILA:" with the weight-balancing selector byte clear), the other spreads
// the subjects of HIGH teaching weight over each class's week (the selector
// byte set, so that "BILA:" runs the weight balancing); "Peso Didattico"
// opens the teaching-weight dialog in its balancing mode, where the hard
// constraint cannot be switched on. The command runs on the engine thread;
// a timer (231 ms) shows its progress lines; "STOP" asks it to end, and it
// then keeps and saves its best timetable ("savebi.txt").
//
// The balanced timetable is not yet the school's: once the run ended the page
// shows the result, and "Prendi l'orario bilanciato" makes it the saved
// timetable (the one it replaces set aside, as before a new computation, so
// the computation page can take it back) and writes its reports ("REPO:"),
// while "Scarta" drops it. Leaving
// the page with a result not yet taken or dropped asks which.
#pragma once

#include <cstdint>
#include <string>

#include "shell/resizable_dialog.h"

class Cbila : public CResizableDialog {
 public:
  static constexpr int kTemplate = 192;
  static constexpr int kTitleId = 1001, kTeachersId = 1002, kWeightsId = 1003, kWeightDialogId = 1004,
                       kStopId = 1005, kProgressId = 1006, kResultId = 1007, kTakeId = 1008, kDropId = 1009;
  static constexpr kt::ui::WParam kTimer = 12345681;
  static constexpr std::uint32_t kTimerMs = 231;

  Cbila() : CResizableDialog(kTemplate) {}
  ~Cbila() override;
  bool Running() const { return m_running; }
  std::int32_t Result() const { return m_result; }
  // A balanced timetable waits to be taken or dropped.
  bool ResultPending() const { return m_pending; }
  int DestroyWindow() override;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnTimer(kt::ui::WParam id) override;
  void OnOK() override {}
  void OnCancel() override {}
  void OnDestroy() override;

 private:
  void Start(bool weights);
  void Poll();
  void Ended();
  void EnableRunButtons(bool enable);
  void Take();
  void Drop();

  bool m_running = false;
  bool m_pending = false;
  char m_state = 0;  // the balanced timetable's state, from the run's last evaluation
  std::int32_t m_result = -1;
  std::string m_progress;
};

extern Cbila g_balancing_page;
void ui_register_balancing_page_template();
