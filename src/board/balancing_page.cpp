// The balancing page (see balancing_page.h).
#include "board/balancing_page.h"

#include <cstring>

#include "constraints/teaching_weights.h"
#include "engine/status_block.h"
#include "schooldata/school_files.h"
#include "shell/dialog_title.h"
#include "shell/engine_commands.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"

using namespace kt::ui;

Cbila g_balancing_page;

namespace {

const MlText kTitle = {"Bilanciamento dell'orario", "Balance von Stundenplan", "Balance of Timetable"};
const MlText kTeachers = {"Bilancia l'orario dei Professori", "Stundenplan der Lehrer ausgleichen",
                          "Balance the teachers' timetable"};
const MlText kWeights = {"Bilancia il Peso Didattico", "Unterrichtsgewicht ausgleichen", "Balance the teaching weight"};
const MlText kWeightDialog = {"Peso Didattico", "Unterrichtsgewicht", "Teaching weight"};
const MlText kRunning = {"Bilanciamento in corso...", "Ausgleich laeuft...", "Balancing running..."};
const MlText kDone = {"Bilanciamento terminato: orario salvato.", "Ausgleich beendet: Stundenplan gespeichert.",
                      "Balancing finished: timetable saved."};
const MlText kFailed = {"Bilanciamento NON riuscito.", "Ausgleich NICHT gelungen.", "Balancing FAILED."};
const MlText kNoThread = {"Bilanciamento non avviato: un altro calcolo e' in corso.",
                          "Ausgleich nicht gestartet: eine andere Berechnung laeuft.",
                          "Balancing not started: another computation is running."};

constexpr std::uint32_t kButton = kBsPushButton | kWsTabStop;

const ControlTemplate kControls[] = {
    {"Static", Cbila::kTitleId, "", kSsLeft, 8, 8, 360, 12},
    {"Button", Cbila::kTeachersId, "", kButton, 8, 28, 150, 16},
    {"Button", Cbila::kWeightsId, "", kButton, 8, 48, 150, 16},
    {"Button", Cbila::kWeightDialogId, "", kButton, 166, 48, 100, 16},
    {"Button", Cbila::kStopId, "STOP", kButton, 274, 28, 60, 16},
    {"Edit", Cbila::kProgressId, "", kEsMultiLine | kEsReadOnly | kEsAutoVScroll | kWsVScroll | kWsBorder, 8, 70, 360,
     100},
    {"Static", Cbila::kResultId, "", kSsLeft, 8, 174, 360, 12},
};
const DialogTemplate kTemplate = {Cbila::kTemplate, "Bilanciamento dell'orario", kWsChild, 0, 0, 380, 192, kControls};

}  // namespace

void ui_register_balancing_page_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}

Cbila::~Cbila() {
  if (m_running) {
    g_status.run_state = kRunStateStopRequested;
    g_engine_thread.Join();
  }
}

bool Cbila::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  ui_set_current_dialog_title(kTitle.Get());
  FitIntoPageArea();
  ShowGrip(false);
  SetDlgItemText(kTitleId, kTitle.Get());
  SetDlgItemText(kTeachersId, kTeachers.Get());
  SetDlgItemText(kWeightsId, kWeights.Get());
  SetDlgItemText(kWeightDialogId, kWeightDialog.Get());
  if (Window* stop = GetDlgItem(kStopId)) stop->EnableWindow(false);
  AnchorControl(kTitleId, kAnchorTopLeft, kAnchorTopRight);
  return true;
}

void Cbila::EnableRunButtons(bool enable) {
  for (int id : {kTeachersId, kWeightsId, kWeightDialogId})
    if (Window* w = GetDlgItem(id)) w->EnableWindow(enable);
  if (Window* stop = GetDlgItem(kStopId)) stop->EnableWindow(!enable);
}

void Cbila::Start(bool weights) {
  if (m_running) return;
  g_status.clear();
  // Cleared with the block: only this page asks for the weight balancing.
  g_status.weight_balancing = weights ? 1 : 0;
  if (!g_engine_thread.Start(static_cast<std::uint32_t>(EngineCommandCode::Bila))) {
    ui_message_box(kNoThread);
    return;
  }
  m_running = true;
  m_progress.clear();
  SetDlgItemText(kProgressId, "");
  SetDlgItemText(kResultId, kRunning.Get());
  EnableRunButtons(false);
  SetTimer(kTimer, kTimerMs);
}

void Cbila::OnTimer(WParam id) {
  if (id == kTimer) Poll();
  else CResizableDialog::OnTimer(id);
}

void Cbila::Poll() {
  if (og_take_engine_progress(m_progress)) SetDlgItemText(kProgressId, m_progress.c_str());
  if (g_status.run_state.load() != kRunStateFinished || g_engine_thread.Running()) return;
  KillTimer(kTimer);
  m_running = false;
  m_result = g_engine_thread.Join();
  g_status.weight_balancing = 0;
  SetDlgItemText(kResultId, m_result == 0 ? kDone.Get() : kFailed.Get());
  EnableRunButtons(true);
}

bool Cbila::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    switch (command_id(w)) {
      case kTeachersId: Start(false); return true;
      case kWeightsId: Start(true); return true;
      case kWeightDialogId: {
        // The dialog starts from the saved school.
        if (!og_read_school_files(0)) return true;
        Cpesodi weights(true, this);
        weights.DoModal();
        return true;
      }
      case kStopId:
        if (m_running) g_status.run_state = kRunStateStopRequested;
        return true;
      default: break;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}

void Cbila::OnDestroy() {
  // Leaving the page ends its run: the engine keeps and saves its best.
  if (m_running) {
    g_status.run_state = kRunStateStopRequested;
    KillTimer(kTimer);
    m_result = g_engine_thread.Join();
    m_running = false;
    g_status.weight_balancing = 0;
  }
  CResizableDialog::OnDestroy();
}
