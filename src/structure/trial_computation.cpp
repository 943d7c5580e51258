// The computation window and page (see trial_computation.h). The engine
// reads the test description while g_status.test_name is set; the block is
// cleared before every run as every launching page does, and the bytes the
// page's controls stand for are written after the clearing. Only the
// user-interface thread touches the window; the engine thread writes the
// status block, which the timer reads.
#include "structure/trial_computation.h"
#include "platform/cp1252.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "pickers/exemption_list.h"
#include "engine/report_services.h"
#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "engine/timetable_aside.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_utilities.h"
#include "shell/app_startup.h"
#include "shell/engine_commands.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"
#include "shell/status_file.h"
#include "solver/parpro_area.h"
#include "solver/timetable_state.h"
#include "solver/violation_reporter.h"
#include "structure/shared_texts.h"
#include "structure/special_calendars.h"
#include "structure/support_contact.h"

using namespace kt::ui;

ComputationHooks g_computation_hooks;

namespace {

using shared_text::kReportsWritten;
using shared_text::kWriteFailed;

const MlText kTeacherTitle = {"PROVA l'orario del Professore %s", "TEST des Stundenplanes des Lehrers %s",
                              "TEST of the timetable of teacher %s"};
const MlText kClassesTitle = {"PROVA l'orario delle Classi del Professore %s",
                              "TEST des Stundenplanes der Klassen des Lehrers %s",
                              "TEST of the timetable of the classes of teacher %s"};
const MlText kPageTitle = {"Calcolo dell'Orario", "Berechnung des Stundenplanes", "Timetable Calculation"};
const MlText kProvisionalTitle = {"Calcolo dell'Orario Provvisorio", "Berechnung des vorläufigen Stundenplanes"_cp,
                                  "Calculation of the provisional timetable"};
const MlText kReportsTitle = {"STAMPA dell'orario: Report, RTF, HTML, CSV", "DRUCK des Stundenplanes: Berichte, RTF, HTML, CSV",
                              "PRINTING of the timetable: reports, RTF, HTML, CSV"};
const MlText kCheckTitle = {"VERIFICA dell'orario salvato", "PRÜFUNG des gespeicherten Stundenplanes"_cp,
                            "CHECK of the saved timetable"};
const MlText kRunning = {"Elaborazione in corso...", "Verarbeitung läuft..."_cp, "Processing..."};
const MlText kTestRunning = {"Prova in corso...", "Test läuft..."_cp, "Test running..."};
const MlText kCalendars = {"Calcolo non avviato: correggere prima i Calendari delle Classi.",
                           "Berechnung nicht gestartet: zuerst die Kalender der Klassen korrigieren.",
                           "Computation not started: correct the calendars of the classes first."};
const MlText kSyntaxFailed = {"Calcolo non avviato: errore nei dati.\r\n%s",
                              "Berechnung nicht gestartet: Fehler in den Daten.\r\n%s",
                              "Computation not started: error in the data.\r\n%s"};
const MlText kNoThread = {"Calcolo non avviato: un altro calcolo e' in corso.",
                          "Berechnung nicht gestartet: eine andere Berechnung läuft."_cp,
                          "Computation not started: another computation is running."};
const MlText kDone = {"Elaborazione terminata. Errori rimasti: %d", "Verarbeitung beendet. Verbleibende Fehler: %d",
                      "Processing finished. Errors left: %d"};
const MlText kStopped = {"Calcolo interrotto: salvato il miglior orario trovato. Errori rimasti: %d",
                         "Berechnung abgebrochen: der beste gefundene Stundenplan ist gespeichert. Verbleibende Fehler: %d",
                         "Computation stopped: the best timetable found is saved. Errors left: %d"};
const MlText kBroken = {"Vincoli non rispettati dall'orario:", "Vom Stundenplan verletzte Bedingungen:",
                        "Constraints the timetable breaks:"};
const MlText kFailed = {"Elaborazione NON riuscita.\r\n%s", "Verarbeitung NICHT gelungen.\r\n%s",
                        "Processing FAILED.\r\n%s"};
const MlText kNoTimetable = {"Nessun orario elaborato: calcolare prima l'orario.",
                             "Kein Stundenplan berechnet: zuerst den Stundenplan berechnen.",
                             "No timetable computed: compute the timetable first."};
// The trial runs keep their own wording.
const MlText kTrialCalendars = {"Prova non avviata: correggere prima i Calendari delle Classi.",
                                "Test nicht gestartet: zuerst die Kalender der Klassen korrigieren.",
                                "Test not started: correct the calendars of the classes first."};
const MlText kTrialSyntaxFailed = {"Prova non avviata: errore nei dati.\r\n%s",
                                   "Test nicht gestartet: Fehler in den Daten.\r\n%s",
                                   "Test not started: error in the data.\r\n%s"};
const MlText kTrialNoThread = {"Prova non avviata: un altro calcolo e' in corso.",
                               "Test nicht gestartet: eine andere Berechnung läuft."_cp,
                               "Test not started: another computation is running."};
const MlText kTrialDone = {"Prova terminata. Errori rimasti: %d", "Test beendet. Verbleibende Fehler: %d",
                           "Test finished. Errors left: %d"};
const MlText kTrialFailed = {"Prova NON riuscita.\r\n%s", "Test NICHT gelungen.\r\n%s", "Test FAILED.\r\n%s"};
const MlText kPaused = {"Pausa di 5 secondi richiesta.", "Pause von 5 Sekunden angefordert.",
                        "Pause of 5 seconds requested."};
const MlText kChecking = {"Controllo dei dati in corso - Attendere", "Prüfung der Daten - Bitte warten"_cp,
                          "Checking the data - Please wait"};

const MlText kStopCaption = {"STOP", "STOP", "STOP"};
const MlText kExemptionsCaption = {"Deroghe", "Ausnahmen", "Exemptions"};
const MlText kCloseCaption = {"Chiudi", "Schließen"_cp, "Close"};
const MlText kStartCaption = {"Avvia il calcolo", "Berechnung starten", "Start the computation"};
const MlText kPauseCaption = {"Pausa", "Pause", "Pause"};
const MlText kCpuCaption = {"Non utilizzare la CPU al massimo", "Die CPU nicht voll auslasten",
                            "Do not use the CPU at full power"};
const MlText kStageAgainCaption = {"Ripeti la fase", "Phase wiederholen", "Repeat the stage"};
const MlText kLeaveGapCaption = {"Esci dalle ore buche", "Leerstunden verlassen", "Leave the gap stage"};
const MlText kStageFocusCaption = {"Concentra sulla fase", "Auf die Phase konzentrieren", "Focus on the stage"};
const MlText kProposalCaption = {"Proponi deroghe", "Ausnahmen vorschlagen", "Propose exemptions"};
const MlText kProblemsCaption = {"Problemi", "Probleme", "Problems"};
const MlText kSupportCaption = {"Assistenza", "Hilfe", "Support"};
const MlText kPowerOffCaption = {"Spegni il computer a fine calcolo", "Computer am Ende ausschalten",
                                 "Switch the computer off at the end"};
// The techniques' meanings: REDO the very fast technique (here from an
// empty week), CONT the conservative one, MINI the quick reduction of the
// residual errors, MIBU the fast one, DERR the derogations for every
// residual error; all but the first continue from the saved timetable.
const MlText kTechniqueTexts[5] = {
    {"Calcolo completo di un nuovo orario", "Neuen Stundenplan vollständig berechnen"_cp, "Compute a new timetable"},
    {"Continua dall'orario salvato (tecnica conservativa)", "Vom gespeicherten Stundenplan fortsetzen (konservativ)",
     "Continue from the saved timetable (conservative technique)"},
    {"Riduzione rapida degli errori residui", "Schnelle Verringerung der Restfehler",
     "Quick reduction of the residual errors"},
    {"Continua con la tecnica veloce", "Mit der schnellen Technik fortsetzen", "Continue with the fast technique"},
    {"Deroghe per tutti gli errori residui", "Ausnahmen für alle Restfehler"_cp, "Derogations for all residual errors"},
};
const MlText kAskAnew = {
    "Il calcolo di un nuovo orario parte da una settimana vuota e sostituisce l'orario salvato, che viene "
    "messo da parte: si potra' riprenderlo con \"Riprendi l'orario precedente\".\n\nCalcolare un nuovo orario?",
    "Die Berechnung eines neuen Stundenplanes beginnt mit einer leeren Woche und ersetzt den gespeicherten, der "
    "beiseitegelegt wird: \"Vorherigen Stundenplan zurückholen\" holt ihn zurück.\n\nNeuen Stundenplan "_cp
    "berechnen?",
    "A new timetable is computed from an empty week and replaces the saved one, which is set aside: \"Take back "
    "the previous timetable\" brings it back.\n\nCompute a new timetable?"};
const MlText kAskTakeBack = {
    "Riprendere l'orario messo da parte? L'orario attuale viene messo da parte al suo posto.",
    "Den beiseitegelegten Stundenplan zurückholen? Der aktuelle wird an seiner Stelle beiseitegelegt."_cp,
    "Take back the timetable set aside? The current one is set aside in its place."};
const MlText kTakenBack = {"Ripreso l'orario precedente; quello sostituito e' stato messo da parte.",
                           "Vorheriger Stundenplan zurückgeholt; der ersetzte ist beiseitegelegt."_cp,
                           "The previous timetable is taken back; the one it replaces is set aside."};
const MlText kAsideFailed = {"Calcolo non avviato: l'orario salvato non si puo' mettere da parte.\r\n%s",
                             "Berechnung nicht gestartet: der gespeicherte Stundenplan lässt sich nicht "_cp
                             "beiseitelegen.\r\n%s",
                             "Computation not started: the saved timetable cannot be set aside.\r\n%s"};
const MlText kTakeBackCaption = {"Riprendi l'orario precedente", "Vorherigen Stundenplan zurückholen"_cp,
                                 "Take back the previous timetable"};

constexpr std::uint32_t kButton = kBsPushButton | kWsTabStop;
constexpr std::uint32_t kCheck = kBsAutoCheckBox | kWsTabStop;

const ControlTemplate kControls[] = {
    {"Static", Cmake::kTitleId, "", kSsLeft, 6, 6, 368, 12},
    {"ComboBox", Cmake::kTechniqueId, "", kCbsDropDownList | kWsVScroll | kWsTabStop, 6, 20, 200, 90},
    {"Button", Cmake::kStartId, "Avvia il calcolo", kButton, 212, 20, 90, 14},
    {"Static", Cmake::kStatusId, "", kSsLeft, 6, 38, 368, 10},
    {"Edit", Cmake::kProgressId, "", kEsMultiLine | kEsReadOnly | kEsAutoVScroll | kWsVScroll | kWsBorder, 6, 50,
     368, 110},
    {"Static", Cmake::kResultId, "", kSsLeft, 6, 164, 368, 30},
    {"Button", Cmake::kCpuId, "Non utilizzare la CPU al massimo", kCheck, 6, 196, 150, 12},
    {"Button", Cmake::kProposalId, "Proponi deroghe", kCheck, 160, 196, 90, 12},
    {"Button", Cmake::kStageFocusId, "Concentra sulla fase", kCheck, 254, 196, 120, 12},
    {"Button", Cmake::kStopId, "STOP", kButton, 6, 212, 50, 16},
    {"Button", Cmake::kPauseId, "Pausa", kButton, 60, 212, 44, 16},
    {"Button", Cmake::kStageAgainId, "Ripeti la fase", kButton, 108, 212, 64, 16},
    {"Button", Cmake::kLeaveGapId, "Esci dalle ore buche", kButton, 176, 212, 84, 16},
    {"Button", Cmake::kProblemsId, "Problemi", kButton, 264, 212, 50, 16},
    {"Button", Cmake::kExemptionsId, "Deroghe", kButton, 6, 232, 60, 16},
    {"Button", Cmake::kSupportId, "Assistenza", kButton, 70, 232, 60, 16},
    {"Button", Cmake::kTakeBackId, "Riprendi l'orario precedente", kButton, 134, 232, 150, 16},
    {"Button", Cmake::kPowerOffId, "Spegni il computer a fine calcolo", kCheck, 6, 252, 200, 12},
    {"Button", Cmake::kCloseId, "Chiudi", kButton, 314, 232, 60, 16},
};
const DialogTemplate kTemplate = {Cmake::kTemplate, "Calcolo dell'Orario",
                                  kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 380, 270, kControls};

// Controls only the page shows: the run-control of a search.
constexpr int kPageOnlyIds[] = {Cmake::kTechniqueId, Cmake::kStartId,      Cmake::kCpuId,
                                Cmake::kProposalId,  Cmake::kStageFocusId, Cmake::kPauseId,
                                Cmake::kStageAgainId, Cmake::kLeaveGapId,  Cmake::kProblemsId,
                                Cmake::kPowerOffId, Cmake::kTakeBackId};

std::string formatted(const MlText& text, const char* value) {
  char out[kMessageSize + 160];
  std::snprintf(out, sizeof out, text.Get(), value);
  return out;
}

std::string formatted(const MlText& text, int value) {
  char out[200];
  std::snprintf(out, sizeof out, text.Get(), value);
  return out;
}

// The engine's message up to its terminator, never past the buffer.
std::string engine_message() { return std::string(g_status.message, strnlen(g_status.message, kMessageSize)); }

bool is_trial(EngineCommandCode code) {
  return code == EngineCommandCode::CalcTpro || code == EngineCommandCode::CalcTcla;
}

const MlText& text_of(EngineCommandCode code, const MlText& trial, const MlText& run) {
  return is_trial(code) ? trial : run;
}

bool needs_saved_timetable(EngineCommandCode code) {
  return code == EngineCommandCode::Snod || code == EngineCommandCode::Repo || code == EngineCommandCode::SnodNede;
}

bool is_computation(EngineCommandCode code) {
  for (EngineCommandCode c : Cmake::kTechniques)
    if (c == code) return true;
  return false;
}

// Whether the check and the reports have a saved timetable to read: the
// engine reads the search's record ("saveprec.txt", left alone by a first
// computation stopped before it saved) before "savego.txt".
bool saved_timetable_exists() { return or_saved_timetable_present(); }

// The support window of the computation window, one for the whole run.
Cemergex g_make_support;

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

Cmake::Cmake() : CResizableDialog(kTemplate), m_page_use(true), m_code(EngineCommandCode::CalcRedo) {
  std::memset(m_test_name, 0, sizeof m_test_name);
}

Cmake::Cmake(EngineCommandCode code, const char* test_name, bool from_empty_week)
    : CResizableDialog(kTemplate), m_page_use(false), m_anew_agreed(from_empty_week), m_code(code) {
  std::memset(m_test_name, 0, sizeof m_test_name);
  if (test_name) std::strncpy(m_test_name, test_name, sizeof m_test_name - 1);
}

Cmake::~Cmake() {
  // A window torn down without its close (the program ending) still leaves
  // no command running against the test description.
  if (m_running) StopAndWait(false);
}

LResult Cmake::DoModal() {
  ui_register_trial_computation_template();
  DoModalCaptioned(true);
  return m_result;
}

bool Cmake::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  if (m_page_use) {
    FitIntoPageArea();
    ShowGrip(false);
  }
  std::string title = g_provisional_mode ? kProvisionalTitle.Get() : kPageTitle.Get();
  if (m_code == EngineCommandCode::CalcTcla) title = formatted(kClassesTitle, m_test_name);
  else if (m_code == EngineCommandCode::CalcTpro) title = formatted(kTeacherTitle, m_test_name);
  else if (m_code == EngineCommandCode::Repo) title = kReportsTitle.Get();
  else if (needs_saved_timetable(m_code)) title = kCheckTitle.Get();
  SetDlgItemText(kTitleId, title.c_str());
  const std::pair<int, const MlText*> captions[] = {
      {kStopId, &kStopCaption},         {kExemptionsId, &kExemptionsCaption}, {kCloseId, &kCloseCaption},
      {kStartId, &kStartCaption},       {kPauseId, &kPauseCaption},           {kCpuId, &kCpuCaption},
      {kStageAgainId, &kStageAgainCaption}, {kLeaveGapId, &kLeaveGapCaption}, {kStageFocusId, &kStageFocusCaption},
      {kProposalId, &kProposalCaption}, {kProblemsId, &kProblemsCaption},     {kSupportId, &kSupportCaption},
      {kPowerOffId, &kPowerOffCaption}, {kTakeBackId, &kTakeBackCaption}};
  for (const auto& [id, text] : captions) SetDlgItemText(id, text->Get());
  ShowPageControls(m_page_use);
  if (m_page_use) {
    auto* list = static_cast<ComboBox*>(GetDlgItem(kTechniqueId));
    for (const MlText& text : kTechniqueTexts) list->AddString(text.Get());
    list->SetCurSel(0);
    CheckDlgButton(kCpuId, g_cpu_saver ? kBstChecked : kBstUnchecked);
    CheckDlgButton(kProposalId, g_auto_derogation ? kBstChecked : kBstUnchecked);
    AnchorControl(kProgressId, kAnchorTopLeft, kAnchorBottomRight);
    AnchorPastEdgesOf(kProgressId);
    // The run buttons act on a running search only: greyed until one starts.
    for (int id : {kStopId, kPauseId, kStageAgainId, kLeaveGapId})
      if (Window* w = GetDlgItem(id)) w->EnableWindow(false);
    EnableTakeBack();
  } else {
    m_anew = m_anew_agreed;
    StartRun(m_code);
    m_anew = false;
  }
  return true;
}

void Cmake::ShowPageControls(bool show) {
  for (int id : kPageOnlyIds)
    if (Window* w = GetDlgItem(id)) w->ShowWindow(show ? kSwShow : kSwHide);
}

bool Cmake::Prechecks(EngineCommandCode code) {
  // The class calendars: a test counts its mismatches; a computation looks
  // quietly first and warns (offering the calendars) only on a mismatch.
  if (is_trial(code) ? calespe_check_class_hours(2) != 0
                     : is_computation(code) && calespe_check_class_hours(0) != 0 && calespe_check_class_hours(1) != 0) {
    Finish(-1, text_of(code, kTrialCalendars, kCalendars).Get());
    return false;
  }
  if (g_computation_hooks.busy) g_computation_hooks.busy(*this, kChecking.Get());
  // A check leaves the residual-errors file of the last run as it is; a
  // command that needs a saved timetable is told so by the window itself.
  g_residual_log_suppressed = 1;
  g_quiet_no_timetable = needs_saved_timetable(code) ? 1 : 0;
  std::int32_t syntax = og_run_engine(EngineCommandCode::Synt);
  g_quiet_no_timetable = 0;
  g_residual_log_suppressed = 0;
  if (g_computation_hooks.busy) g_computation_hooks.busy(*this, nullptr);
  if (syntax != 0) {
    Finish(-1, formatted(text_of(code, kTrialSyntaxFailed, kSyntaxFailed), engine_message().c_str()));
    return false;
  }
  if (needs_saved_timetable(code) && !saved_timetable_exists()) {
    Finish(-1, kNoTimetable.Get());
    return false;
  }
  return true;
}

bool Cmake::StartRun(EngineCommandCode code) {
  if (m_running) return false;
  m_code = code;
  m_finished = false;
  m_result = -1;
  m_progress.clear();
  SetDlgItemText(kProgressId, "");
  SetDlgItemText(kStatusId, "");
  g_status.clear();
  std::memcpy(g_status.test_name, m_test_name, sizeof g_status.test_name);
  if (!Prechecks(code)) return false;
  // A new timetable, once the data is known to be right: after the user
  // agreed, the saved one goes aside before anything else is written, and
  // stays there whatever becomes of the run.
  if (m_anew && or_saved_timetable_present()) {
    if (!m_anew_agreed && ui_message_box_type(kAskAnew, kMbYesNo | kMbIconQuestion) != kIdYes) return false;
    if (or_set_aside_saved_timetable() < 0) {
      Finish(-1, formatted(kAsideFailed, engine_message().c_str()));
      return false;
    }
  }
  // The run bytes the controls stand for, after the block was cleared.
  g_status.clear();
  std::memcpy(g_status.test_name, m_test_name, sizeof g_status.test_name);
  if (m_page_use) {
    g_status.cpu_pacing = IsDlgButtonChecked(kCpuId) == kBstChecked ? 1 : 0;
    g_status.exemption_proposal = IsDlgButtonChecked(kProposalId) == kBstChecked ? 1 : 0;
  }
  g_test_run = is_trial(code) ? 1 : 0;
  // Parallel workers load the description this command loads.
  EngineArguments args;
  if (g_process_count > 1 && og_engine_arguments(static_cast<std::uint32_t>(code), args))
    parpro_set_description_name(args.command + 5);
  g_status.run_state = kRunStateRunning;
  g_status.phase = 0;
  g_calc_from_empty_week = m_anew ? 1 : 0;
  if (!g_engine_thread.Start(static_cast<std::uint32_t>(code))) {
    g_test_run = 0;
    g_calc_from_empty_week = 0;
    Finish(-1, text_of(code, kTrialNoThread, kNoThread).Get());
    return false;
  }
  m_running = 1;
  SetDlgItemText(kResultId, (is_trial(code) ? kTestRunning : kRunning).Get());
  for (int id : {kStopId, kPauseId, kStageAgainId, kLeaveGapId})
    if (Window* w = GetDlgItem(id)) w->EnableWindow(true);
  for (int id : {kStartId, kTakeBackId})
    if (Window* w = GetDlgItem(id)) w->EnableWindow(false);
  SetTimer(kTimer, kTimerMs);
  return true;
}

bool Cmake::StartAnew() {
  if (m_running) return false;
  m_anew = true;
  bool started = StartRun(EngineCommandCode::CalcRedo);
  m_anew = false;
  return started;
}

void Cmake::EnableTakeBack() {
  if (Window* w = GetDlgItem(kTakeBackId)) w->EnableWindow(!m_running && or_saved_timetable_aside());
}

void Cmake::TakeBack() {
  if (m_running || !or_saved_timetable_aside()) return;
  if (ui_message_box_type(kAskTakeBack, kMbYesNo | kMbIconQuestion) != kIdYes) return;
  g_status.clear();
  if (or_take_back_saved_timetable() < 0) {
    Finish(-1, engine_message());
    return;
  }
  // The state of the timetable taken back: its check says it.
  std::int32_t check = og_run_engine(EngineCommandCode::Snod);
  og_record_timetable_state(check == kResultRecovered ? '1' : or_timetable_state(check));
  // The reports follow the saved timetable, as at the end of a computation:
  // those of the timetable taken back replace those of the one set aside.
  // The report run's result is shown under the take back's; a run that
  // cannot start (the description no longer checks, no thread) says so
  // there through Finish, so its false needs nothing more here.
  m_after_take_back = true;
  StartRun(EngineCommandCode::Repo);
}

void Cmake::OnTimer(WParam id) {
  if (id == kTimer) Poll();
  else CResizableDialog::OnTimer(id);
}

void Cmake::Poll() {
  if (og_take_engine_progress(m_progress)) {
    SetDlgItemText(kStatusId, std::string(g_status.status_text, strnlen(g_status.status_text, kStatusTextSize)).c_str());
    og_show_progress(*this, kProgressId, m_progress);
  }
  // The engine writes 255 at its end; the thread ends after the engine's
  // own message has been answered.
  if (g_status.run_state.load() != kRunStateFinished || g_engine_thread.Running()) return;
  KillTimer(kTimer);
  m_running = 0;
  g_test_run = 0;
  std::int32_t result = g_engine_thread.Join();
  // A computation's timetable: its state goes into the school's status bytes.
  if (is_computation(m_code)) og_record_timetable_state(or_timetable_state(result));
  std::string message = engine_message();
  bool stopped = false;
  for (int i = 0; i < g_status.history_count.load() && i < kRunHistorySize; ++i)
    stopped = stopped || g_status.history_codes[i] == kHistoryEndAfterStop;
  if (result != 0) Finish(result, formatted(text_of(m_code, kTrialFailed, kFailed), message.c_str()));
  else if (!message.empty()) Finish(result, message);
  else if (m_code == EngineCommandCode::Repo) Finish(result, kReportsWritten.Get());
  else Finish(result, formatted(stopped && !is_trial(m_code) ? kStopped : text_of(m_code, kTrialDone, kDone), g_status.error_count.load()));
  if (result == 0 && (m_code == EngineCommandCode::Snod || m_code == EngineCommandCode::SnodNede)) ShowBrokenConstraints();
  // A computation left to run to its end (nobody pressed STOP) switches the
  // computer off when the user asked for it; switching off ends the program.
  if (m_page_use && is_computation(m_code) && !stopped && IsDlgButtonChecked(kPowerOffId) == kBstChecked)
    og_shutdown_computer(1);
}

// The check of the saved timetable lists, below its progress, what the
// week breaks, in the words of the engine's check lines.
void Cmake::ShowBrokenConstraints() {
  int n = std::clamp(g_status.violation_count.load(), 0, kMaxViolationRecords);
  if (n == 0) return;
  std::size_t heading = m_progress.size();
  m_progress += std::string(kBroken.Get()) + "\r\n";
  for (int i = 0; i < n; ++i) m_progress += "- " + or_violation_text(g_status.violations[i], true) + "\r\n";
  og_show_progress(*this, kProgressId, m_progress);
  // The list is read from its heading down.
  if (auto* box = dynamic_cast<Edit*>(GetDlgItem(kProgressId)))
    box->LineScroll(box->LineFromChar(int(heading)) - box->GetFirstVisibleLine());
}

void Cmake::Finish(std::int32_t result, const std::string& text) {
  m_result = result;
  m_finished = true;
  m_result_text = m_after_take_back ? std::string(kTakenBack.Get()) + "\r\n" + text : text;
  m_after_take_back = false;
  SetDlgItemText(kResultId, m_result_text.c_str());
  for (int id : {kStopId, kPauseId, kStageAgainId, kLeaveGapId})
    if (Window* w = GetDlgItem(id)) w->EnableWindow(false);
  if (Window* start = GetDlgItem(kStartId)) start->EnableWindow(true);
  EnableTakeBack();
  if (g_computation_hooks.run_ended) g_computation_hooks.run_ended(*this, result, g_status.error_count.load());
}

// The byte a run-control button writes into the running search.
void Cmake::OnRunByte(int id) {
  if (!m_running) return;
  switch (id) {
    case kStopId: g_status.run_state = kRunStateStopRequested; break;
    case kPauseId:
      g_status.pause = 1;
      SetDlgItemText(kResultId, kPaused.Get());
      break;
    case kStageAgainId:
    case kLeaveGapId:
      g_status.staging_parameter = IsDlgButtonChecked(kStageFocusId) == kBstChecked ? 1 : 0;
      g_status.staging_request = static_cast<std::uint8_t>(g_status.staging_request.load() |
                                                           (id == kStageAgainId ? 4 : 8));
      break;
    default: break;
  }
}

bool Cmake::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    switch (command_id(w)) {
      case kStopId:
      case kPauseId:
      case kStageAgainId:
      case kLeaveGapId: OnRunByte(command_id(w)); return true;
      case kStartId: {
        auto* list = static_cast<ComboBox*>(GetDlgItem(kTechniqueId));
        int technique = list ? list->GetCurSel() : 0;
        if (technique <= 0)
          StartAnew();
        else
          StartRun(kTechniques[technique < 5 ? technique : 0]);
        return true;
      }
      case kTakeBackId: TakeBack(); return true;
      case kCpuId:
        // Also while the search runs: it reads the byte once per cycle.
        g_cpu_saver = IsDlgButtonChecked(kCpuId) == kBstChecked ? 1 : 0;
        g_status.cpu_pacing = g_cpu_saver;
        return true;
      case kProposalId:
        g_auto_derogation = IsDlgButtonChecked(kProposalId) == kBstChecked ? 1 : 0;
        g_status.exemption_proposal = g_auto_derogation;
        return true;
      case kProblemsId:
        if (g_computation_hooks.show_problems_monitor) g_computation_hooks.show_problems_monitor(*this);
        return true;
      case kExemptionsId:
        g_exemptions_view.m_running = &m_running;
        if (g_exemptions_view.CreatePanel(this)) {
          g_exemptions_view.LoadExemptionFile(false);
          g_exemptions_view.ShowPanel(true);
        }
        return true;
      case kSupportId:
        if (g_make_support.Create(this) == 1) g_make_support.ShowWindow(kSwShow);
        return true;
      case kCloseId: Close(); return true;
      default: break;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}

void Cmake::PlaceProblemsMonitor(int moved) {
  if (g_computation_hooks.place_problems_monitor) g_computation_hooks.place_problems_monitor(*this, moved);
}

void Cmake::StopAndWait(bool show) {
  g_status.run_state = kRunStateStopRequested;
  if (IsWindow()) KillTimer(kTimer);
  std::int32_t result = g_engine_thread.Join();
  m_running = 0;
  g_test_run = 0;
  g_status.test_name[0] = '\0';
  // The stopped computation saved its best timetable: its state counts.
  if (is_computation(m_code)) og_record_timetable_state(or_timetable_state(result));
  if (!m_finished && show && IsWindow()) Finish(result, engine_message());
  // A take back's report run cut short with its window ends here: the next
  // run's result is its own.
  m_after_take_back = false;
}

void Cmake::Close() {
  if (m_running) StopAndWait(true);
  if (m_page_use) {
    alfadlg_go_to_page(kPageProcessingMenu);
    return;
  }
  g_status.test_name[0] = '\0';
  // A run that changed the school's status bytes leaves them in its files.
  og_save_if_state_changed();
  EndDialog(m_result);
}

void Cmake::OnDestroy() {
  // Leaving the page stops its run: the best timetable is saved.
  if (m_running) StopAndWait(false);
  if (g_computation_hooks.close_problems_monitor) g_computation_hooks.close_problems_monitor(*this);
  // The derogation list must not read this window's run flag once it is gone.
  if (g_exemptions_view.m_running == &m_running) {
    g_exemptions_view.m_running = nullptr;
    if (g_exemptions_view.IsCreated()) g_exemptions_view.DestroyWindow();
  }
  CResizableDialog::OnDestroy();
}
