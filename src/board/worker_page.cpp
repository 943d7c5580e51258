// The parallel solver processes of the desktop program (see worker_page.h).
#include "board/worker_page.h"

#include <cstdio>
#include <cstdlib>

#include "engine/status_block.h"
#include "shell/app_startup.h"
#include "shell/frame.h"
#include "shell/ml_text.h"
#include "solver/parpro_area.h"

using namespace kt::ui;

Cparpro g_worker_page;
WorkerSpawner g_worker_spawner = nullptr;

namespace {

const MlText kTitle = {"Processo di calcolo parallelo", "Paralleler Rechenprozess", "Parallel computing process"};
const MlText kMain = {"Processo principale: %d processi di calcolo", "Hauptprozess: %d Rechenprozesse",
                      "Main process: %d computing processes"};
const MlText kWorker = {"Processo %d: %s", "Prozess %d: %s", "Process %d: %s"};
const MlText kWaiting = {"in attesa", "wartet", "waiting"};
const MlText kComputing = {"calcolo in corso", "rechnet", "computing"};
const MlText kStopping = {"fine del calcolo", "Ende der Berechnung", "ending the computation"};

const ControlTemplate kControls[] = {
    {"Static", Cparpro::kTitleId, "", kSsLeft, 8, 8, 240, 12},
    {"Static", Cparpro::kStateId, "", kSsLeft, 8, 24, 240, 12},
};
const DialogTemplate kTemplate = {Cparpro::kTemplate, "Processo di calcolo parallelo", kWsChild, 0, 0, 256, 44,
                                  kControls};

}  // namespace

void ui_register_worker_page_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}

std::string Cparpro::StateText() {
  char text[160];
  if (g_process_number < 1) {
    std::snprintf(text, sizeof text, kMain.Get(), g_process_count > 1 ? int(g_process_count) : 1);
    return text;
  }
  const MlText* state = &kWaiting;
  if (g_parpro_area && parpro_lock()) {
    std::uint8_t command = parpro_area()->command[g_process_number];
    parpro_unlock();
    if (command == kParproGo || g_status.run_state.load() == kRunStateRunning) state = &kComputing;
    else if (command != 0) state = &kStopping;
  }
  std::snprintf(text, sizeof text, kWorker.Get(), int(g_process_number), state->Get());
  return text;
}

bool Cparpro::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  FitIntoPageArea();
  ShowGrip(false);
  // The page is never shown: a worker process runs with no visible window.
  ShowWindow(kSwHide);
  SetDlgItemText(kTitleId, kTitle.Get());
  SetDlgItemText(kStateId, StateText().c_str());
  SetTimer(kTimer, kTimerMs);
  return true;
}

void Cparpro::OnTimer(WParam id) {
  if (id != kTimer) return CResizableDialog::OnTimer(id);
  SetDlgItemText(kStateId, StateText().c_str());
}

void Cparpro::OnDestroy() {
  KillTimer(kTimer);
  CResizableDialog::OnDestroy();
}

int og_parpro_process_setting() {
  if (const char* text = std::getenv("KESTRINTEMPUS_PROCESSES")) {
    int n = std::atoi(text);
    if (n >= 1 && n <= kMaxSolverProcesses) return n;
  }
  int n = static_cast<int>(g_cpu_count);
  return n < 1 ? 1 : n > kMaxSolverProcesses ? kMaxSolverProcesses : n;
}

int og_parpro_start_workers(int count) {
  if (g_process_number != 0) return 1;
  if (g_process_count > 1) return g_process_count;
  int n = count < 0 ? og_parpro_process_setting() : count;
  if (n > kMaxSolverProcesses) n = kMaxSolverProcesses;
  if (n < 2 || !g_worker_spawner) return 1;
  parpro_tag_names_with_process();
  if (!parpro_create(n, og_current_folder_path().c_str(), "scuola2.txt")) return 1;
  int started = 0;
  for (int i = 1; i < n; ++i) {
    std::string word = "PARPRO:" + std::to_string(i) + "-" + std::to_string(n);
    g_worker_processes[i] = g_worker_spawner({word});
    if (g_worker_processes[i]) ++started;
  }
  if (started == 0) {
    parpro_close();
    parpro_remove_names();
    return 1;
  }
  return g_process_count;
}
