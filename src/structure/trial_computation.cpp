// The trial run of the teacher pages (see trial_computation.h). The engine
// reads the test description while g_status.test_name is set; the block is
// cleared before the run as every launching page does. Only the
// user-interface thread touches the window; the engine thread writes the
// status block, which the timer reads.
#include "structure/trial_computation.h"

#include <cstdio>
#include <cstring>

#include "constraints/exemption_list.h"
#include "engine/status_block.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_utilities.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"
#include "structure/shared_texts.h"
#include "structure/special_calendars.h"

using namespace kt::ui;

namespace {

using shared_text::kWriteFailed;

const MlText kTeacherTitle = {"PROVA l'orario del Professore %s", "TEST des Stundenplanes des Lehrers %s",
                              "TEST of the timetable of teacher %s"};
const MlText kClassesTitle = {"PROVA l'orario delle Classi del Professore %s",
                              "TEST des Stundenplanes der Klassen des Lehrers %s",
                              "TEST of the timetable of the classes of teacher %s"};
// A computation that is no trial (the provisional timetable's).
const MlText kComputationTitle = {"Calcolo dell'Orario Provvisorio", "Berechnung des vorlaeufigen Stundenplanes",
                                  "Calculation of the provisional timetable"};
const MlText kComputationDone = {"Calcolo terminato. Errori rimasti: %d", "Berechnung beendet. Verbleibende Fehler: %d",
                                 "Calculation finished. Errors left: %d"};
const MlText kRunning = {"Prova in corso...", "Test laeuft...", "Test running..."};
const MlText kCalendars = {"Prova non avviata: correggere prima i Calendari delle Classi.",
                           "Test nicht gestartet: zuerst die Kalender der Klassen korrigieren.",
                           "Test not started: correct the calendars of the classes first."};
const MlText kSyntaxFailed = {"Prova non avviata: errore nei dati.\r\n%s", "Test nicht gestartet: Fehler in den Daten.\r\n%s",
                              "Test not started: error in the data.\r\n%s"};
const MlText kNoThread = {"Prova non avviata: un altro calcolo e' in corso.",
                          "Test nicht gestartet: eine andere Berechnung laeuft.",
                          "Test not started: another computation is running."};
const MlText kDone = {"Prova terminata. Errori rimasti: %d", "Test beendet. Verbleibende Fehler: %d",
                      "Test finished. Errors left: %d"};
const MlText kFailed = {"Prova NON riuscita.\r\n%s", "Test NICHT gelungen.\r\n%s", "Test FAILED.\r\n%s"};
const MlText kStopCaption = {"STOP", "STOP", "STOP"};
const MlText kExemptionsCaption = {"Deroghe", "Ausnahmen", "Exemptions"};
const MlText kCloseCaption = {"Chiudi", "Schliessen", "Close"};

constexpr std::uint32_t kButton = kBsPushButton | kWsTabStop;

const ControlTemplate kControls[] = {
    {"Static", Cmake::kTitleId, "", kSsLeft, 6, 6, 308, 12},
    {"Static", Cmake::kStatusId, "", kSsLeft, 6, 20, 308, 10},
    {"Edit", Cmake::kProgressId, "", kEsMultiLine | kEsReadOnly | kEsAutoVScroll | kWsVScroll | kWsBorder, 6, 32,
     308, 100},
    {"Static", Cmake::kResultId, "", kSsLeft, 6, 136, 308, 34},
    {"Button", Cmake::kStopId, "STOP", kButton, 6, 174, 60, 16},
    {"Button", Cmake::kExemptionsId, "Deroghe", kButton, 72, 174, 60, 16},
    {"Button", Cmake::kCloseId, "Chiudi", kButton, 254, 174, 60, 16},
};
const DialogTemplate kTemplate = {Cmake::kTemplate, "Calcolo dell'Orario",
                                  kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 320, 196, kControls};

std::string formatted(const MlText& text, const char* value) {
  char out[kMessageSize + 160];
  std::snprintf(out, sizeof out, text.Get(), value);
  return out;
}

std::string formatted(const MlText& text, int value) {
  char out[160];
  std::snprintf(out, sizeof out, text.Get(), value);
  return out;
}

// The engine's message up to its terminator, never past the buffer.
std::string engine_message() { return std::string(g_status.message, strnlen(g_status.message, kMessageSize)); }

}  // namespace

void ui_register_trial_computation_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}

bool trial_run(bool classes, const char* teacher_name) {
  if (og_write_assignments_file(1, 0) != 0) {
    ui_message_box(formatted(kWriteFailed, og_description_write_error()).c_str());
    return false;
  }
  Cmake make(classes ? EngineCommandCode::CalcTcla : EngineCommandCode::CalcTpro, teacher_name);
  make.DoModal();
  return true;
}

Cmake::Cmake(EngineCommandCode code, const char* test_name) : CResizableDialog(kTemplate), m_code(code) {
  std::memset(m_test_name, 0, sizeof m_test_name);
  if (test_name) std::strncpy(m_test_name, test_name, sizeof m_test_name - 1);
}

Cmake::~Cmake() {
  // A window torn down without its close (the program ending) still leaves
  // no command running against the test description.
  if (m_running) {
    g_status.run_state = kRunStateStopRequested;
    g_engine_thread.Join();
    g_status.test_name[0] = '\0';
  }
}

LResult Cmake::DoModal() {
  ui_register_trial_computation_template();
  g_status.clear();
  std::memcpy(g_status.test_name, m_test_name, sizeof g_status.test_name);
  DoModalCaptioned(true);
  g_status.test_name[0] = '\0';
  return m_result;
}

bool Cmake::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  bool trial = m_code == EngineCommandCode::CalcTcla || m_code == EngineCommandCode::CalcTpro;
  SetDlgItemText(kTitleId, trial ? formatted(m_code == EngineCommandCode::CalcTcla ? kClassesTitle : kTeacherTitle,
                                             m_test_name).c_str()
                                 : kComputationTitle.Get());
  SetDlgItemText(kStopId, kStopCaption.Get());
  SetDlgItemText(kExemptionsId, kExemptionsCaption.Get());
  SetDlgItemText(kCloseId, kCloseCaption.Get());
  Start();
  return true;
}

void Cmake::Start() {
  if (calespe_check_class_hours(2) != 0) {
    Finish(-1, kCalendars.Get());
    return;
  }
  if (og_run_engine(EngineCommandCode::Synt) != 0) {
    Finish(-1, formatted(kSyntaxFailed, engine_message().c_str()));
    return;
  }
  g_status.run_state = kRunStateRunning;
  g_status.phase = 0;
  if (!g_engine_thread.Start(static_cast<std::uint32_t>(m_code))) {
    Finish(-1, kNoThread.Get());
    return;
  }
  m_running = 1;
  SetDlgItemText(kResultId, kRunning.Get());
  SetTimer(kTimer, kTimerMs);
}

void Cmake::OnTimer(WParam id) {
  if (id == kTimer) Poll();
  else CResizableDialog::OnTimer(id);
}

void Cmake::Poll() {
  if (g_status.phase.load() == 255) {
    g_status.phase = 0;
    SetDlgItemText(kStatusId, std::string(g_status.status_text, strnlen(g_status.status_text, kStatusTextSize)).c_str());
    std::string line(g_status.progress_text, strnlen(g_status.progress_text, kProgressTextSize));
    if (!line.empty()) {
      // The last lines are enough to follow the run.
      m_progress += line + "\r\n";
      if (m_progress.size() > 4000) m_progress.erase(0, m_progress.size() - 3000);
      SetDlgItemText(kProgressId, m_progress.c_str());
    }
  }
  // The engine writes 255 at its end; the thread ends after the engine's
  // own message has been answered.
  if (g_status.run_state.load() != kRunStateFinished || g_engine_thread.Running()) return;
  KillTimer(kTimer);
  m_running = 0;
  std::int32_t result = g_engine_thread.Join();
  std::string message = engine_message();
  if (result != 0) Finish(result, formatted(kFailed, message.c_str()));
  else if (!message.empty()) Finish(result, message);
  else if (m_code == EngineCommandCode::CalcTcla || m_code == EngineCommandCode::CalcTpro)
    Finish(result, formatted(kDone, g_status.error_count.load()));
  else
    Finish(result, formatted(kComputationDone, g_status.error_count.load()));
}

void Cmake::Finish(std::int32_t result, const std::string& text) {
  m_result = result;
  m_finished = true;
  m_result_text = text;
  SetDlgItemText(kResultId, text.c_str());
  if (Window* stop = GetDlgItem(kStopId)) stop->EnableWindow(false);
}

bool Cmake::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    switch (command_id(w)) {
      case kStopId:
        if (m_running) g_status.run_state = kRunStateStopRequested;
        return true;
      case kExemptionsId:
        g_exemptions_view.m_running = &m_running;
        if (g_exemptions_view.CreatePanel(this)) {
          g_exemptions_view.LoadExemptionFile(false);
          g_exemptions_view.ShowPanel(true);
        }
        return true;
      case kCloseId: Close(); return true;
      default: break;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}

void Cmake::Close() {
  if (m_running) {
    g_status.run_state = kRunStateStopRequested;
    KillTimer(kTimer);
    std::int32_t result = g_engine_thread.Join();
    m_running = 0;
    if (!m_finished) Finish(result, engine_message());
  }
  // A run that changed the school's status bytes leaves them in its files.
  og_save_if_state_changed();
  EndDialog(m_result);
}

void Cmake::OnDestroy() {
  // The derogation list must not read this window's run flag once it is gone.
  if (g_exemptions_view.m_running == &m_running) {
    g_exemptions_view.m_running = nullptr;
    if (g_exemptions_view.IsCreated()) g_exemptions_view.DestroyWindow();
  }
  CResizableDialog::OnDestroy();
}
