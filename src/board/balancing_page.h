// Cbila, the balancing page "Bilanciamento dell'orario": improves a computed
// timetable without breaking it. One button balances the teachers' days
// ("BILA:" with the weight-balancing selector byte clear), the other spreads
// the subjects of HIGH teaching weight over each class's week (the selector
// byte set, so that "BILA:" runs the weight balancing); "Peso Didattico"
// opens the teaching-weight dialog in its balancing mode, where the hard
// constraint cannot be switched on. The command runs on the engine thread;
// a timer (231 ms) shows its progress lines; "STOP" asks it to end, and it
// then keeps and saves its best timetable ("savebi.txt").
#pragma once

#include <cstdint>
#include <string>

#include "shell/resizable_dialog.h"

class Cbila : public CResizableDialog {
 public:
  static constexpr int kTemplate = 192;
  static constexpr int kTitleId = 1001, kTeachersId = 1002, kWeightsId = 1003, kWeightDialogId = 1004,
                       kStopId = 1005, kProgressId = 1006, kResultId = 1007;
  static constexpr kt::ui::WParam kTimer = 12345681;
  static constexpr std::uint32_t kTimerMs = 231;

  Cbila() : CResizableDialog(kTemplate) {}
  ~Cbila() override;
  bool Running() const { return m_running; }
  std::int32_t Result() const { return m_result; }

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
  void EnableRunButtons(bool enable);

  bool m_running = false;
  std::int32_t m_result = -1;
  std::string m_progress;
};

extern Cbila g_balancing_page;
void ui_register_balancing_page_template();
