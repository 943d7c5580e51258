// The lifecycle of the parallel solver processes: the main process starts
// and ends them, each worker serves its command byte in the shared area.
//
// A worker runs the engine on a thread of its own while its first thread
// watches the command byte and the parent; any change asks the running
// computation to stop through the status block's stop byte, exactly as the
// user interface does, so the worker's search ends in order. Nothing here
// waits without a bound: the command byte is polled, the main process
// reaps a worker within a grace time and stops it otherwise, and the COM
// mutex is robust against a holder that died.
#include "solver/parallel_workers.h"

#include <unistd.h>

#include <atomic>
#include <cstring>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "engine/status_block.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "solver/constraint_staging.h"
#include "solver/gap_stage.h"
#include "solver/parallel_exchange.h"
#include "solver/parpro_area.h"

namespace {

struct Worker {
  int index;
  kt::ChildProcess child;
};
std::vector<Worker> g_worker_processes;
// The thread that runs a worker's computation; joined and cleared once the
// computation has ended.
std::thread g_solver_thread;
std::atomic<bool> g_solver_done{true};

}  // namespace

void parpro_close_solver_thread() {
  if (!g_solver_thread.joinable() || !g_solver_done.load()) return;
  if (g_solver_thread.get_id() == std::this_thread::get_id()) return;
  g_solver_thread.join();
  g_solver_thread = std::thread();
}

bool parpro_start_workers(int processes, const char* folder, const char* description_name) {
  if (processes < 2) return false;
  if (processes > kMaxWorkerProcesses + 1) processes = kMaxWorkerProcesses + 1;
  parpro_remove_orphaned_names();
  if (!parpro_create(processes, folder, description_name)) return false;
  if (parpro_lock()) {
    parpro_area()->requested_seed = g_requested_seed < 0 || g_requested_seed > 0x7FFFFFFF
                                        ? -1
                                        : static_cast<std::int32_t>(g_requested_seed);
    parpro_unlock();
  }
  g_worker_processes.clear();
  for (int i = 1; i < processes; ++i) {
    std::string word = "PARPRO:" + std::to_string(i) + "-" + std::to_string(processes);
    kt::ChildProcess child = kt::ChildProcess::spawn_self({word});
    if (child) g_worker_processes.push_back({i, std::move(child)});
  }
  if (g_worker_processes.empty()) {
    parpro_close();
    return false;
  }
  return true;
}

std::vector<LostWorker> parpro_end_workers() {
  // A worker ends only when told to quit: one that has ended already was
  // killed or failed during the command.
  std::vector<LostWorker> lost;
  for (Worker& w : g_worker_processes)
    if (!w.child.running() && w.child.exit_status()) lost.push_back({w.index, *w.child.exit_status()});
  if (g_parpro_area) parpro_set_all_commands(kParproQuit);
  // One deadline for all of them: a worker that is dead is reaped at once,
  // one that lingers past the deadline is terminated, then killed.
  auto deadline = std::chrono::steady_clock::now() + kWorkerQuitGrace;
  for (Worker& w : g_worker_processes) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() < 0) left = std::chrono::milliseconds(0);
    if (!w.child.wait_for(left)) w.child.stop(std::chrono::milliseconds(200));
  }
  g_worker_processes.clear();
  parpro_close();
  return lost;
}

const char* parpro_option_of_run_code(int run_code) {
  switch (run_code) {
    case 13: return "TPRO";
    case 14: return "TCLA";
    case 15: return "";
    case 16: return "CONT";
    case 19: return "MINI";
    case 20: return "MIBU";
    case 29: return "DERR";
    default: return nullptr;
  }
}

namespace {

// The area holds the school folder as the program names it (1252): an
// absolute path of this machine, or a path below the drive root.
bool enter_folder(const std::string& folder) {
  if (folder.empty()) return false;
  std::string path = folder[0] == '/' ? kt::cp1252_to_utf8(folder) : kt::translate_path(folder);
  return ::chdir(path.c_str()) == 0;
}

// Takes a go under the mutex: clears the command byte and copies the run
// settings published with it. False when the mutex could not be had (the
// go stays and is taken at the next look).
bool take_go(int index, int* run_code, std::string* name, std::string* folder) {
  if (!parpro_lock()) return false;
  ParproArea* area = parpro_area();
  area->command[index] = 0;
  area->worker_starts[index] += 1;
  *run_code = area->run_code;
  g_eval_mode = area->eval_mode;
  g_provisional_mode = area->provisional_mode;
  g_test_run = area->test_run;
  g_worker_start_stage = static_cast<std::int32_t>(area->progress.stage_id);
  g_worker_run_serial = area->run_serial;
  name->assign(area->description_name, strnlen(area->description_name, kParproFileNameSize));
  folder->assign(area->current_folder, strnlen(area->current_folder, kParproFolderSize));
  // A main process started with a fixed seed gives each worker its own
  // fixed one, so a benchmark run can be repeated.
  g_requested_seed = area->requested_seed < 0 ? -1 : static_cast<std::int64_t>(area->requested_seed) + 17 * index;
  parpro_unlock();
  return true;
}

// A new go while this worker computes means the main process published a
// timetable (often the worker's own offer, taken). The search of the same
// run decides itself at its next cycle when the publish belongs to its own
// stage or to one it has passed (or_worker_take_published): it takes a
// better timetable or keeps its own, and the others meet its results
// through the result slots. Only a publish of a later stage or of another
// run starts the run again. True while the search is left to decide.
bool search_decides(int run_code) {
  if (!parpro_lock()) return false;
  ParproArea* area = parpro_area();
  int at = or_stage_rank(static_cast<std::int32_t>(area->progress.stage_id));
  int mine = or_stage_rank(g_status.stage_id.load());
  // A run started from a publish of this stage (or a later one) is still
  // on its way there: started again, it would only start the same way.
  int started = or_stage_rank(g_worker_start_stage);
  bool decides = area->run_code == run_code && area->run_serial == g_worker_run_serial && at >= 0 &&
                 (mine >= at || started >= at);
  parpro_unlock();
  return decides;
}

// A worker whose search has reached the gap stage, the last one, while
// the main process is there too (or still before it) searches it in its own
// way to the end: another worker's offer (which stops the others, 9) would
// only throw its gap-stage work away, and what the main process makes of
// the offer reaches it as a publish that its search judges. The 9 is
// cleared; true when it was.
bool keeps_gap_search(int index, int run_code) {
  if (!parpro_lock()) return false;
  ParproArea* area = parpro_area();
  int at = or_stage_rank(static_cast<std::int32_t>(area->progress.stage_id));
  int mine = or_stage_rank(g_status.stage_id.load());
  bool keeps = area->run_code == run_code && area->run_serial == g_worker_run_serial &&
               mine == or_stage_rank(kGapStageId) && at >= 0 && at <= mine &&
               area->command[index] == kParproStopAuto;
  if (keeps) area->command[index] = 0;
  parpro_unlock();
  return keeps;
}

}  // namespace

int parpro_serve_commands(int index, const WorkerHooks& hooks) {
  int runs = 0;
  for (;;) {
    if (hooks.parent_alive && !hooks.parent_alive()) return runs;
    std::uint8_t command = parpro_command(index);
    if (command == kParproQuit) return runs;
    int run_code = 0;
    std::string name, folder;
    if (command != kParproGo || !take_go(index, &run_code, &name, &folder)) {
      hooks.pause();
      continue;
    }
    // The school may have changed since the last run: work in the folder
    // published with this go.
    if (!parpro_option_of_run_code(run_code) || !enter_folder(folder)) continue;

    g_status.clear();
    std::atomic<bool>& done = g_solver_done;
    done = false;
    g_solver_thread = std::thread([&] {
      hooks.run(name.c_str(), run_code);
      done = true;
    });
    bool quit = false;
    int pauses_since_quit = 0;
    while (!done) {
      std::uint8_t now = parpro_command(index);
      bool orphaned = hooks.parent_alive && !hooks.parent_alive();
      if (now == kParproGo && !orphaned && !quit && search_decides(run_code)) now = 0;
      if (now == kParproStopAuto && !orphaned && !quit && keeps_gap_search(index, run_code)) now = 0;
      if (now != 0 || orphaned) {
        g_status.run_state.store(kRunStateStopRequested);
        quit = quit || now == kParproQuit || orphaned;
      }
      // A run that does not end soon after the process was told to quit
      // (or lost its main process) is given up, so no worker outlives it.
      if (quit && ++pauses_since_quit > kWorkerQuitPauses && hooks.give_up) hooks.give_up();
      hooks.pause();
    }
    parpro_close_solver_thread();
    ++runs;
    if (quit) return runs;
  }
}

int parpro_worker_main(int index, const WorkerHooks& hooks) {
  bool opened = false;
  for (int tries = 0; tries < 100 && !opened; ++tries) {
    opened = parpro_open(index);
    if (!opened) hooks.pause();
  }
  if (!opened) return 1;
  parpro_serve_commands(index, hooks);
  parpro_close();
  return 0;
}
