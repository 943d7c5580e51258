// The life of a parallel solver process, the same in the command-line
// engine and in the desktop program: it serves its command byte in the
// shared area and runs each published computation with the engine's own
// command interpreter, exactly as the main process runs its command, so a
// worker differs from the main only in its process number (no saves, its
// own seed, the teacher-side move in its schedule).
//
// No window, no lock, no file of its own. The main process ends it through
// the quit byte; when that process is gone it ends by itself, and a run
// that does not stop in time is abandoned with the process (_exit), so a
// worker never outlives the program that started it.
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "solver/parallel_workers.h"
#include "solver/parpro_area.h"

int parpro_run_worker_process(int index, int language) {
  if (index < 1 || index > kMaxWorkerProcesses) return 1;
  // Ctrl-C reaches the whole process group; the stop is the main's to give.
  std::signal(SIGINT, SIG_IGN);
  pid_t parent = ::getppid();
  WorkerHooks hooks;
  hooks.run = [language](const char* name, int run_code) {
    std::string command = std::string("CALC:") + name;
    const char* option = parpro_option_of_run_code(run_code);
    std::vector<const char*> argv = {"Questo non serve", command.c_str()};
    if (option && *option) argv.push_back(option);
    argv.push_back(nullptr);
    g_status.language = language;
    return or_main(1, static_cast<int>(argv.size() - 1), argv.data());
  };
  // Once the area is open its creator is the program to follow: a worker
  // started just before its program died was already handed to another
  // parent when it first looked.
  hooks.parent_alive = [parent] {
    pid_t main = static_cast<pid_t>(parpro_main_pid());
    return ::getppid() == (main > 0 ? main : parent);
  };
  hooks.pause = [] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); };
  hooks.give_up = [] {
    std::fflush(stdout);
    ::_exit(0);
  };
  return parpro_worker_main(index, hooks);
}
