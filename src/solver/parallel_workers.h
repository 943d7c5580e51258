// Starting, serving and ending the parallel solver processes.
//
// The main process creates the shared area, starts copies of its own
// program with "PARPRO:i-n" and, when its command ends, tells them to quit
// and reaps them within a short bounded time (a worker that does not quit
// in time is terminated; one that died is simply reaped). A worker opens
// the area and serves its command byte: 1 runs the published computation
// (in the school folder published with it), any other
// byte that appears during a run (2 stop, 9 stop by itself, 1 a new start,
// 100 quit) stops it in an orderly way, and 100 ends the process. A worker
// also ends when the process that started it is gone. Left to the running
// search instead: a new go of the run's own stage, of one it has passed or
// of the one it started from (a run still on its way there would only start
// the same way again), and a 9 while it searches the gap stage, the last
// one, which it searches apart to its end. A run started from a publish of
// a later stage begins at that stage (or_worker_catch_up).
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/process.h"

// Main process: creates the area (folder and description name for the
// workers) and starts processes - 1 workers. False (and no workers) when
// the area cannot be set up or no worker could be started.
bool parpro_start_workers(int processes, const char* folder, const char* description_name);
// A worker that had ended before the main process told it to quit (it was
// killed, or failed): its process number and how it ended.
struct LostWorker {
  int index;
  kt::ExitStatus status;
};
// Main process: tells every worker to quit, reaps each within a bounded
// time, stops the ones that linger, and removes the area. Returns the
// workers that had already ended: the computation went on without them.
std::vector<LostWorker> parpro_end_workers();

// Joins and clears the thread of a worker's computation once it has ended;
// nothing while it runs or where there is none (the main process).
void parpro_close_solver_thread();

// What a worker runs on "go": one computation in the area's school folder
// with the area's run code; returns the engine's result.
using WorkerRun = std::function<int(const char* description_name, int run_code)>;

struct WorkerHooks {
  WorkerRun run;
  std::function<bool()> parent_alive;   // false ends the worker
  std::function<void()> pause;          // between two polls of the command byte
  // Called when a run has not ended kWorkerQuitPauses pauses after the
  // worker was told to quit or lost its main process; the process ends
  // there (a test's stand-in may instead end the run).
  std::function<void()> give_up;
};

// Pauses (of 20 ms in the programs) a run is given to end after a quit.
inline constexpr int kWorkerQuitPauses = 150;
// How long the main process waits for all its workers to quit together
// before it terminates them: they write no file, and a run can take a
// while to notice its stop, which the main's command should not wait for.
inline constexpr std::chrono::milliseconds kWorkerQuitGrace{300};

// Worker process: serves the command byte of process `index` on an area
// already opened; returns when told to quit or orphaned. Counts the runs.
int parpro_serve_commands(int index, const WorkerHooks& hooks);

// Worker process: opens the area (a bounded number of tries) and serves the
// commands, each run in the school folder published with its go; 0 after a
// quit, 1 when the area could not be opened.
int parpro_worker_main(int index, const WorkerHooks& hooks);

// The whole life of a worker process of either program ("PARPRO:i-n"):
// each go runs the engine's "calc:" command with the published run code,
// in the user's language; the process ends when told to quit, when the
// process that started it is gone, and at the latest a few seconds after
// that even when a run does not end. Ctrl-C is left to the main process.
// Returns the process's exit status (1 when the area could not be opened).
int parpro_run_worker_process(int index, int language);

// The "calc:" option word of a run code ("" for a plain run, null for a
// code no worker runs).
const char* parpro_option_of_run_code(int run_code);
