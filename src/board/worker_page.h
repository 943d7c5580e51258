// The parallel solver processes of the desktop program: their start at the
// home page's first initialisation (og_parpro_start_workers) and Cparpro,
// the worker page (template 279, created hidden), which tells what the
// process is in the computation: its number and the command its byte of
// the shared area holds.
//
// The main process creates the shared area and starts the workers once;
// they live as long as the program: each serves the computations the main
// process publishes and ends when the program ends, and by itself when the
// program is gone (killed included), so no worker is left behind.
#pragma once

#include <string>
#include <vector>

#include "platform/process.h"
#include "shell/resizable_dialog.h"

class Cparpro : public CResizableDialog {
 public:
  static constexpr int kTemplate = 279;
  static constexpr int kTitleId = 1001, kStateId = 1002;
  static constexpr kt::ui::WParam kTimer = 2790;
  static constexpr std::uint32_t kTimerMs = 1000;

  Cparpro() : CResizableDialog(kTemplate) {}
  // The state line the page shows now.
  static std::string StateText();

 protected:
  bool OnInitDialog() override;
  void OnTimer(kt::ui::WParam id) override;
  void OnDestroy() override;
  void OnOK() override {}
};

extern Cparpro g_worker_page;
void ui_register_worker_page_template();

// How a worker process is started: the program itself with "PARPRO:i-n"
// (set by the desktop program at start-up); null starts none.
using WorkerSpawner = kt::ChildProcess (*)(const std::vector<std::string>& args);
extern WorkerSpawner g_worker_spawner;

// The number of solver processes the program runs: the variable
// KESTRINTEMPUS_PROCESSES (1 to 8) when set, else the processor count, at
// most 8.
int og_parpro_process_setting();
// count -1: the setting. In the main process, once: creates the shared area
// for the current folder and starts count - 1 workers (g_process_count,
// g_worker_processes). Returns the number of solver processes now running
// (1: the main process alone).
int og_parpro_start_workers(int count);
