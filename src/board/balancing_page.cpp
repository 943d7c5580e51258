// The balancing page (see balancing_page.h).
#include "board/balancing_page.h"
#include "platform/cp1252.h"

#include <cstring>
#include <string>

#include "constraints/teaching_weights.h"
#include "engine/status_block.h"
#include "engine/timetable_aside.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "solver/timetable_state.h"
#include "shell/dialog_title.h"
#include "shell/engine_commands.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"
#include "structure/shared_texts.h"

using namespace kt::ui;

Cbila g_balancing_page;

namespace {

using shared_text::kReportsWritten;

const MlText kTitle = {"Bilanciamento dell'orario", "Balance von Stundenplan", "Balance of Timetable"};
const MlText kTeachers = {"Bilancia l'orario dei Professori", "Stundenplan der Lehrer ausgleichen",
                          "Balance the teachers' timetable"};
const MlText kWeights = {"Bilancia il Peso Didattico", "Unterrichtsgewicht ausgleichen", "Balance the teaching weight"};
const MlText kWeightDialog = {"Peso Didattico", "Unterrichtsgewicht", "Teaching weight"};
const MlText kRunning = {"Bilanciamento in corso...", "Ausgleich läuft..."_cp, "Balancing running..."};
const MlText kDone = {"Bilanciamento terminato: prendere l'orario bilanciato o scartarlo.",
                      "Ausgleich beendet: den ausgeglichenen Stundenplan übernehmen oder verwerfen."_cp,
                      "Balancing finished: take the balanced timetable or drop it."};
const MlText kSavedInPlace = {"Bilanciamento terminato: orario salvato.", "Ausgleich beendet: Stundenplan gespeichert.",
                              "Balancing finished: timetable saved."};
const MlText kTaken = {"L'orario bilanciato e' ora l'orario salvato; il precedente e' messo da parte.",
                       "Der ausgeglichene Stundenplan ist jetzt der gespeicherte; der vorige ist beiseitegelegt.",
                       "The balanced timetable is now the saved one; the previous one is set aside."};
const MlText kTakenNoReports = {
    "L'orario bilanciato e' ora l'orario salvato, ma i suoi report NON sono stati scritti.",
    "Der ausgeglichene Stundenplan ist jetzt der gespeicherte, aber seine Berichte wurden NICHT geschrieben.",
    "The balanced timetable is now the saved one, but its reports were NOT written."};
const MlText kReportsNotWritten = {
    "Report NON scritti: quelli nella cartella Orario non sono dell'orario salvato.",
    "Berichte NICHT geschrieben: die im Ordner Orario gehören nicht zum gespeicherten Stundenplan."_cp,
    "Reports NOT written: those in the folder Orario are not those of the saved timetable."};
const MlText kDropped = {"Orario bilanciato scartato: resta l'orario salvato.",
                         "Ausgeglichener Stundenplan verworfen: der gespeicherte bleibt.",
                         "Balanced timetable dropped: the saved one stays."};
const MlText kAskTake = {"Prendere l'orario bilanciato come orario salvato?\n(No: scartarlo)",
                         "Den ausgeglichenen Stundenplan als gespeicherten übernehmen?\n(Nein: verwerfen)"_cp,
                         "Take the balanced timetable as the saved one?\n(No: drop it)"};
const MlText kTakeCaption = {"Prendi l'orario bilanciato", "Ausgeglichenen übernehmen"_cp, "Take the balanced timetable"};
const MlText kDropCaption = {"Scarta", "Verwerfen", "Drop"};
const MlText kFailed = {"Bilanciamento NON riuscito.", "Ausgleich NICHT gelungen.", "Balancing FAILED."};
const MlText kNoThread = {"Bilanciamento non avviato: un altro calcolo e' in corso.",
                          "Ausgleich nicht gestartet: eine andere Berechnung läuft."_cp,
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
    {"Button", Cbila::kTakeId, "Prendi l'orario bilanciato", kButton, 8, 190, 150, 16},
    {"Button", Cbila::kDropId, "Scarta", kButton, 166, 190, 100, 16},
};
const DialogTemplate kTemplate = {Cbila::kTemplate, "Bilanciamento dell'orario", kWsChild, 0, 0, 380, 212, kControls};

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
  SetDlgItemText(kTakeId, kTakeCaption.Get());
  SetDlgItemText(kDropId, kDropCaption.Get());
  m_pending = false;
  if (Window* stop = GetDlgItem(kStopId)) stop->EnableWindow(false);
  for (int id : {kTakeId, kDropId})
    if (Window* w = GetDlgItem(id)) w->EnableWindow(false);
  AnchorControl(kTitleId, kAnchorTopLeft, kAnchorTopRight);
  return true;
}

void Cbila::EnableRunButtons(bool enable) {
  for (int id : {kTeachersId, kWeightsId, kWeightDialogId})
    if (Window* w = GetDlgItem(id)) w->EnableWindow(enable);
  if (Window* stop = GetDlgItem(kStopId)) stop->EnableWindow(!enable);
  for (int id : {kTakeId, kDropId})
    if (Window* w = GetDlgItem(id)) w->EnableWindow(enable && m_pending);
}

void Cbila::Start(bool weights) {
  if (m_running) return;
  // A new run replaces the result still waiting.
  m_pending = false;
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
  if (og_take_engine_progress(m_progress)) og_show_progress(*this, kProgressId, m_progress);
  if (g_status.run_state.load() != kRunStateFinished || g_engine_thread.Running()) return;
  KillTimer(kTimer);
  m_result = g_engine_thread.Join();
  Ended();
}

// The run's end: a balanced timetable, when the run left one, waits for the
// user, with its state from the run's last evaluation.
void Cbila::Ended() {
  m_running = false;
  g_status.weight_balancing = 0;
  m_pending = m_result == 0 && or_balanced_timetable_present();
  m_state = m_pending ? or_timetable_state(0) : 0;
  // The provisional timetable's balancing saves into the provisional save itself.
  SetDlgItemText(kResultId, m_result != 0 ? kFailed.Get() : m_pending ? kDone.Get() : kSavedInPlace.Get());
  EnableRunButtons(true);
}

void Cbila::Take() {
  if (!m_pending) return;
  if (or_take_balanced_timetable() < 0) {
    ui_message_box(g_status.message);
    return;
  }
  m_pending = false;
  og_record_timetable_state(m_state);
  // The reports follow the saved timetable, as after a take back: those of
  // the balanced week replace those of the week set aside. They are written
  // before Take returns, so a take on the way out of the page ends with them
  // too; a failed run has shown the engine's message, and the page says
  // that the reports are not the saved timetable's.
  g_status.clear();
  std::int32_t printed = og_run_engine(EngineCommandCode::Repo);
  m_progress += std::string("\r\n") + (printed == 0 ? kReportsWritten : kReportsNotWritten).Get() + "\r\n";
  if (printed != 0) m_progress += std::string(g_status.message, strnlen(g_status.message, sizeof g_status.message)) + "\r\n";
  og_show_progress(*this, kProgressId, m_progress);
  SetDlgItemText(kResultId, (printed == 0 ? kTaken : kTakenNoReports).Get());
  EnableRunButtons(true);
}

void Cbila::Drop() {
  if (!m_pending) return;
  if (or_drop_balanced_timetable() < 0) {
    ui_message_box(g_status.message);
    return;
  }
  m_pending = false;
  SetDlgItemText(kResultId, kDropped.Get());
  EnableRunButtons(true);
}

int Cbila::DestroyWindow() {
  if (IsWindow() && m_running) {
    // Leaving ends the run: the engine keeps and saves its best.
    g_status.run_state = kRunStateStopRequested;
    KillTimer(kTimer);
    m_result = g_engine_thread.Join();
    Ended();
  }
  if (IsWindow() && m_pending) {
    // "No" drops the balanced timetable: a stray Esc must not answer it.
    if (ui_message_box_flags(kAskTake, kMbYesNo | kMbIconQuestion, kMbAnswerByButton) == kIdYes)
      Take();
    else
      Drop();
  }
  return CResizableDialog::DestroyWindow();
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
      case kTakeId: Take(); return true;
      case kDropId: Drop(); return true;
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
