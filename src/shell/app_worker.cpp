// A parallel worker process ("PARPRO:n-m"). It reads the status file (for
// the language and the school folder), takes no lock, writes nothing and
// shows no window. It runs the installed worker computation (the solver's,
// which serves the published computations until it is told to quit or its
// main process is gone). When there is none, or the shared area cannot be
// opened, the worker only waits: it ends when its command byte in the shared
// area reads 100 (quit), when it is told to stop (SIGTERM, SIGINT), or when
// the process that started it has gone, so no worker outlives the program.
// It looks once a second: the wait costs nothing while the user works.
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>

#include "engine/status_block.h"
#include "platform/shared_memory.h"
#include "platform/system_info.h"
#include "shell/app_startup.h"

namespace {

std::atomic<bool> g_stop_asked{false};

constexpr const char* kAreaName = "KestrinTempusParproArea.map";
constexpr std::uint8_t kQuitCommand = 100;

}  // namespace

WorkerComputation g_worker_computation = nullptr;

// True while the worker should go on waiting.
bool og_worker_should_wait(int process_number, int parent, const unsigned char* area) {
  if (g_stop_asked.load()) return false;
  if (parent > 1 && ::getppid() != parent) return false;
  if (area && area[kParproCommandByte + process_number] == kQuitCommand) return false;
  return true;
}

int og_run_worker_process(int process_number, int argc, const char* const* argv) {
  g_process_number = static_cast<std::int8_t>(process_number);
  g_cpu_count = kt::processor_count();
  og_start_instance();
  if (g_worker_computation && g_worker_computation(process_number, g_language) == 0) return 0;
  // The stop signals are taken by the wait itself, so a stop ends the
  // worker at once instead of after the current second.
  sigset_t stops;
  sigemptyset(&stops);
  sigaddset(&stops, SIGTERM);
  sigaddset(&stops, SIGINT);
  ::pthread_sigmask(SIG_BLOCK, &stops, nullptr);
  pid_t parent = ::getppid();
  kt::SharedMemory area;
  while (true) {
    if (!area) area = kt::SharedMemory::open(or_parpro_object_name(kAreaName), kParproAreaSize);
    if (!og_worker_should_wait(process_number, parent, area ? area.bytes() : nullptr)) break;
    timespec second{1, 0};
    if (::sigtimedwait(&stops, nullptr, &second) > 0) g_stop_asked = true;
  }
  return 0;
}
