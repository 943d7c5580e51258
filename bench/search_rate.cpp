// Search speed of one process: "CALC:" with a fixed seed on a sample school,
// stopped after a fixed time the way --time-limit stops it, then cycles per
// second, candidate exchanges (every exchange offered for pricing, clashing
// ones included) and priced exchanges per second of the search loop, and the
// process's peak memory. Rates are given per second of the process's own CPU
// time as well as per wall second, since the wall figures follow whatever
// else the machine runs. Run by hand, one school per run:
//   build/bench/search_rate [school] [seconds] [seed]     (liceo 30 1)
// The school is a folder of examples/ (liceo, piccola, istituto when the
// branch has it), or the path of any school folder (a name with a '/'),
// worked on in a temporary copy.
// KT_RATE_STOP_CYCLE=N stops the search after cycle N instead of after the
// time, and KT_RATE_KEEP=folder keeps the run's console lines and saved
// timetable, unscrambled, there (trace.txt, savego.txt): two builds that make the same
// moves leave the same files but for the clock columns, so a change meant to
// be only faster can be checked on any school with a diff.
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "solver/local_search.h"
#include "solver/priced_exchange.h"
#include "solver/search_state.h"

namespace fs = std::filesystem;

namespace {

double cpu_seconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double wall_seconds() {
  using namespace std::chrono;
  return duration_cast<duration<double>>(steady_clock::now().time_since_epoch()).count();
}

// The search loop's figures from its first cycle on (loading and the
// initial assignment left out).
struct Mark {
  bool set = false;
  double cpu = 0, wall = 0;
  std::uint64_t candidates = 0, priced = 0;
  int cycle = 0;
};
Mark g_first;
int g_stop_cycle = -1;

void on_cycle(int cycle) {
  if (g_stop_cycle >= 0 && cycle >= g_stop_cycle) g_status.run_state.store(kRunStateStopRequested);
  if (g_first.set) return;
  g_first = {true, cpu_seconds(), wall_seconds(), g_move_run.candidate_exchanges, g_move_run.priced_exchanges,
             cycle};
}

}  // namespace

int main(int argc, char** argv) {
  std::string school = argc > 1 ? argv[1] : "liceo";
  double seconds = argc > 2 ? std::atof(argv[2]) : 30.0;
  long long seed = argc > 3 ? std::atoll(argv[3]) : 1;
  if (const char* stop = std::getenv("KT_RATE_STOP_CYCLE"); stop && *stop) g_stop_cycle = std::atoi(stop);
  if (g_stop_cycle >= 0) seconds = 1e7;
  const char* keep = std::getenv("KT_RATE_KEEP");
  fs::path keep_folder = keep && *keep ? fs::absolute(keep) : fs::path();
  fs::path source = fs::path(KT_SOURCE_DIR) / "examples" / school;
  if (school.find('/') != std::string::npos) {
    source = fs::absolute(school);
    school = source.filename().string();
  }
  if (!fs::exists(source / "scuola2.txt")) {
    std::fprintf(stderr, "no school %s\n", source.c_str());
    return 1;
  }
  char pattern[] = "/tmp/kt_rate_XXXXXX";
  fs::path root = mkdtemp(pattern);
  fs::copy(source, root / school, fs::copy_options::recursive);
  fs::current_path(root / school);
  ::setenv("KESTRINTEMPUS_ROOT", root.c_str(), 1);
  ::setenv("KESTRINTEMPUS_PARPRO_TAG", ("rate" + std::to_string(::getpid())).c_str(), 1);

  // The engine's console lines go to a file of the copy.
  std::fflush(stdout);
  int console = ::dup(1);
  if (!std::freopen("trace.txt", "w", stdout)) return 1;

  g_status.clear();
  g_requested_seed = seed;
  or_set_cycle_observer(on_cycle);
  std::mutex mutex;
  std::condition_variable done_cv;
  bool done = false;
  std::thread timer([&] {
    std::unique_lock<std::mutex> lock(mutex);
    if (!done_cv.wait_for(lock, std::chrono::duration<double>(seconds), [&] { return done; }))
      g_status.run_state.store(kRunStateStopRequested);
  });
  const char* engine_argv[] = {"Questo non serve", "CALC:scuola2.txt", nullptr};
  int result = or_main(1, 2, engine_argv);
  double cpu_end = cpu_seconds(), wall_end = wall_seconds();
  {
    std::lock_guard<std::mutex> lock(mutex);
    done = true;
  }
  done_cv.notify_all();
  timer.join();

  std::fflush(stdout);
  ::dup2(console, 1);
  ::close(console);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  double cpu = cpu_end - g_first.cpu, wall = wall_end - g_first.wall;
  int cycles = g_search.cycles - g_first.cycle;
  double candidates = static_cast<double>(g_move_run.candidate_exchanges - g_first.candidates);
  double priced = static_cast<double>(g_move_run.priced_exchanges - g_first.priced);
  std::printf("school %s seed %lld limit %.0f s result %d errors %d\n", school.c_str(), seed, seconds, result,
              static_cast<int>(g_status.error_count.load()));
  std::printf("search: %d cycles, %.0f candidate and %.0f priced exchanges in %.2f cpu s (%.2f wall s)\n", cycles,
              candidates, priced, cpu, wall);
  if (cpu > 0 && wall > 0)
    std::printf("per cpu s: %.2f cycles, %.0f candidates, %.0f priced | per wall s: %.2f cycles, %.0f candidates\n",
                cycles / cpu, candidates / cpu, priced / cpu, cycles / wall, candidates / wall);
  std::printf("peak memory: %ld KB\n", usage.ru_maxrss);
  std::error_code ignored;
  if (!keep_folder.empty()) {
    fs::create_directories(keep_folder);
    fs::copy_file("trace.txt", keep_folder / "trace.txt", fs::copy_options::overwrite_existing, ignored);
    // What the run left unsolved, as the finished timetable's list says it
    // (none when the run saved no list: no stale one from an earlier run).
    fs::remove(keep_folder / "residual.txt", ignored);
    fs::copy_file("Orario/Errori Residui.txt", keep_folder / "residual.txt", fs::copy_options::overwrite_existing,
                  ignored);
    // The save's lines in their plain form: their scrambling seed is the clock's.
    std::ifstream in("savego.txt", std::ios::binary);
    std::ofstream out(keep_folder / "savego.txt", std::ios::binary | std::ios::trunc);
    std::string line;
    while (std::getline(in, line)) {
      line += "\n";
      std::string plain(line.size() + 1, '\0');
      or_scramble_line(1, line.c_str(), plain.data());
      out << plain.c_str();
    }
  }
  fs::current_path("/");
  fs::remove_all(root, ignored);
  return result == 0 ? 0 : 1;
}
