// The application object and the life of the process: reading "PARPRO:" from
// the command line, the data folder "\KestrinTempusDati\" below the drive
// root, the single-instance lock on its "semaphore.dat", the status file, the
// frame's modal runs (again while they end with 999) and the ways out: a
// normal end, a configuration error (exit code -1) and a system error (exit
// code 0), each of which first ends the parallel worker processes.
//
// Invariant: a worker process (g_process_number 1..7) never creates the data
// folder, never takes the lock and never writes the status file.
// The process ends through og_exit_program, whose last step is replaceable
// (tests install their own to see the code instead of leaving the process).
#pragma once

#include <cstdint>
#include <string>

#include "engine/shell_services.h"
#include "platform/instance_lock.h"
#include "platform/process.h"
#include "platform/system_open.h"
#include "platform/window.h"

inline constexpr int kCurrentFolderSize = 400;  // g_current_folder, "CURDIR:" and the shared area's head
inline constexpr int kMaxSolverProcesses = 8;   // the main process and seven workers
inline constexpr int kFrameRunAgain = 999;      // a frame run ending with it runs again

extern std::uint32_t g_cpu_count;
extern kt::ChildProcess g_worker_processes[kMaxSolverProcesses];  // indexes 1..7 used
extern char g_current_folder[kCurrentFolderSize];
extern const char g_data_root[];  // "\\KestrinTempusDati\\"
extern kt::InstanceLock g_instance_lock;

// Screen-mode bookkeeping. Display modes are never changed on this system:
// the switch keeps only the flags the pages read.
struct DisplayMode {
  int width = 0;
  int height = 0;
};
extern DisplayMode g_saved_display_mode;
extern std::uint8_t g_display_changed;
extern std::uint8_t g_display_minimised;

// System-menu commands handed to og_switch_display_mode.
inline constexpr int kScMaximize = 0xF030;
inline constexpr int kScRestore = 0xF120;
inline constexpr int kScDefault = 0xF160;
inline constexpr int kScMinimize = 0xF020;

class CPlenixApp {
 public:
  // The whole run of the main process; argv as main() got it.
  int InitInstance(int argc, const char* const* argv);
  // The fonts the pages share, taken from the frame's dialog font when the
  // frame initialises: that font, its bold form, the "Marlett" symbol font
  // of menu checks and a 10-point font of the same face.
  void CreateSharedFonts(kt::ui::Window& frame);
  kt::ui::Font m_dialog_font, m_bold_font, m_symbol_font, m_ten_point_font;
};
extern CPlenixApp g_app;

// The number after "PARPRO:" anywhere in the arguments (0 when absent or not
// within 1..7, which a worker number must be).
int og_parse_process_number(int argc, const char* const* argv);
// The maker's support staff start the program with the word "SERVIZIO" on
// its command line: the service mode (service_mode.h) of the main process.
bool og_parse_service_mode(int argc, const char* const* argv);

void og_start_instance();
// The language of a first start (no status file): German (1) for a German
// keyboard layout, else Italian (0); without a known layout the locale
// decides between the two. English is never chosen this way.
int og_language_from_keyboard();
void og_ensure_data_root();
// The program path of the current folder: "\\KestrinTempusDati\\scuola"
// below the drive root (1252), else the folder as the system names it.
std::string og_current_folder_path();
// Changes the current folder to a program path; true when it did.
bool og_set_current_folder(const char* path);
// True when the current folder is the data root itself.
bool og_current_folder_is_data_root();

[[noreturn]] void og_exit_program(int code);
[[noreturn]] void og_fatal_config_error(const char* what, const char* detail, const char* source, int line);
[[noreturn]] void og_fatal_system_error(const char* what, const char* source, int line);
void og_switch_display_mode(int command, int minimised);
// Ends the started worker processes, 111 ms apart (exit and Esc on the home page).
void og_stop_worker_processes();

// The last step of og_exit_program; std::exit unless replaced (tests).
using ProcessEnd = void (*)(int code);
ProcessEnd og_set_process_end(ProcessEnd end);

// The text of the lock refusal as og_start_instance shows it (1252).
std::string og_lock_refusal_text(const kt::InstanceLock& lock);

// A parallel worker's whole run (see app_worker.cpp); its exit status.
int og_run_worker_process(int process_number, int argc, const char* const* argv);
// The computation a worker serves (the solver's worker process, installed by
// the program before og_run_worker_process): its exit status, not 0 when the
// shared area could not be opened. Null: the worker only waits to be ended.
using WorkerComputation = int (*)(int process_number, int language);
extern WorkerComputation g_worker_computation;
// One look of the waiting worker: false once it must end (a stop was asked,
// the starting process is gone, or its command byte in the area reads 100).
bool og_worker_should_wait(int process_number, int parent, const unsigned char* area);

// The end-of-run power action: 1 switches the computer off (and ends the
// program), any other mode suspends it; the result of the request. The
// system's power manager is asked through a launcher (tests set their own).
int og_shutdown_computer(int mode);
extern kt::DesktopLauncher g_power_launcher;
