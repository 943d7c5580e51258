// Start-up and the ways out of the process (see app_startup.h). The data
// root is "\KestrinTempusDati\" below the drive root (KESTRINTEMPUS_ROOT, else
// the home folder). The lock is an flock held for the life of the process;
// the kernel drops it however the process ends. A refused second copy says
// why in the user's language, also on stderr for a start from a terminal,
// and ends with code 0 without touching the status file.
#include "shell/app_startup.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "platform/cp1252.h"
#include "platform/keyboard_layout.h"
#include "platform/paths.h"
#include "platform/system_files.h"
#include "platform/system_info.h"
#include "platform/ui_backend.h"
#include "platform/ui_thread.h"
#include "shell/busy_popup.h"
#include "shell/frame.h"
#include "shell/service_mode.h"
#include "shell/message_box.h"
#include "shell/status_file.h"
#include "solver/parpro_area.h"

std::uint32_t g_cpu_count = 1;
kt::ChildProcess g_worker_processes[kMaxSolverProcesses];
char g_current_folder[kCurrentFolderSize] = "\\KestrinTempusDati\\";
const char g_data_root[] = "\\KestrinTempusDati\\";
kt::InstanceLock g_instance_lock;
DisplayMode g_saved_display_mode;
std::uint8_t g_display_changed = 0;
std::uint8_t g_display_minimised = 0;
CPlenixApp g_app;

namespace {

void default_end(int code) { std::exit(code); }
ProcessEnd g_process_end = default_end;

const MlText kAccessDenied = {
    "L'utente [%s] deve avere pieno controllo (lettura e scrittura) della cartella [%s].\n\nInformare "
    "l'amministratore di sistema.\n\n(Codice errore=%d)",
    "The user [%s] must have full control (read and write) of folder [%s].\n\nContact system "
    "administrator.\n\n(Error Code=%d)",
    "The user [%s] must have full control (read and write) of folder [%s].\n\nContact system "
    "administrator.\n\n(Error Code=%d)"};
const MlText kAlreadyRunning = {
    "KestrinTempus è già in Esecuzione!\n\nNon si possono eseguire due istanze del programma."_cp,
    "KestrinTempus läuft bereits\n\nMan kann nicht zwei Instanzen des Programms erstellen."_cp,
    "KestrinTempus is already running\n\nYou can't run two instances of the program."};
// The lock file cannot be used at all (a folder in its place, a disk
// error): no other copy is running, so the user must be told what to fix.
const MlText kLockUnusable = {
    "Impossibile usare il file di blocco [%s]: %s\n\nSe è una cartella, rimuoverla e riavviare il programma.\n\n(Codice errore=%d)"_cp,
    "Die Sperrdatei [%s] ist nicht verwendbar: %s\n\nIst sie ein Ordner, ihn entfernen und das Programm neu starten.\n\n(Fehlercode=%d)"_cp,
    "The lock file [%s] cannot be used: %s\n\nIf it is a folder, remove it and start the program again.\n\n(Error Code=%d)"};
const MlText kLockIsFolder = {"è una cartella, non un file"_cp, "ist ein Ordner, keine Datei",
                              "it is a folder, not a file"};
const MlText kLockOpenFailed = {"non si apre"_cp, "lässt sich nicht öffnen"_cp, "it cannot be opened"};

const MlText kConfigError = {
    "Errore di Configurazione [%s][%s](%s - line: %d)- Fine Programma - Richiedere Assistenza",
    "Konfiguration Fehler [%s] [%s] (%s - line: %d) - Programm-Ende - Hilfe anfordern",
    "Configuration Error [%s] [%s] (%s - line: %d) - End Program - Request Assistance"};
const MlText kSystemError = {"Errore di sistema (%s)[file: %s, line: %d, errno= %d, GLE= %d, s= %d]\n",
                             "System error (%s)[file: %s, line: %d, errno= %d, GLE= %d, s= %d]\n",
                             "System error (%s)[file: %s, line: %d, errno= %d, GLE= %d, s= %d]\n"};

// The folder of the drive root that holds the data root, without the
// trailing separator.
std::string data_root_on_disk() {
  std::string path = kt::translate_path(g_data_root);
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

void say_on_terminal(const std::string& text) {
  std::string line = kt::cp1252_to_utf8(text);
  std::fprintf(stderr, "%s\n", line.c_str());
}

// A fatal reporter may be called from the engine thread: the box is shown by
// the user-interface thread, which owns every window.
void show_box(const char* text) {
  if (kt::ui::on_ui_thread()) {
    ui_message_box(text);
    return;
  }
  kt::ui::call_on_ui([text] { ui_message_box(text); });
}

}  // namespace

ProcessEnd og_set_process_end(ProcessEnd end) {
  ProcessEnd old = g_process_end;
  g_process_end = end ? end : default_end;
  return old;
}

int og_parse_process_number(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const char* at = argv[i] ? std::strstr(argv[i], "PARPRO:") : nullptr;
    if (!at) continue;
    int n = std::atoi(at + 7);
    return n >= 1 && n < kMaxSolverProcesses ? n : 0;
  }
  return 0;
}

bool og_parse_service_mode(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i)
    if (argv[i] && std::strcmp(argv[i], "SERVIZIO") == 0) return true;
  return false;
}

std::string og_current_folder_path() {
  char buffer[4096];
  if (!::getcwd(buffer, sizeof buffer)) return g_data_root;
  std::string cwd = buffer;
  std::string root = kt::drive_root();
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  std::string rest;
  if (cwd == root) {
    rest = "/";
  } else if (cwd.size() > root.size() && cwd.compare(0, root.size(), root) == 0 &&
             (cwd[root.size()] == '/' || root == "/")) {
    rest = cwd.substr(root == "/" ? 0 : root.size());
  } else {
    return kt::utf8_to_cp1252(cwd);
  }
  for (char& c : rest)
    if (c == '/') c = '\\';
  return kt::utf8_to_cp1252(rest);
}

bool og_set_current_folder(const char* path) {
  if (g_process_count > 1 && g_parpro_area) {
    std::memset(g_parpro_area, 0, kCurrentFolderSize);
    std::strncpy(reinterpret_cast<char*>(g_parpro_area), path, kCurrentFolderSize - 1);
  }
  std::string where = path[0] == '/' ? kt::cp1252_to_utf8(path) : kt::translate_path(path);
  return ::chdir(where.c_str()) == 0;
}

bool og_current_folder_is_data_root() {
  char buffer[4096];
  if (!::getcwd(buffer, sizeof buffer)) return false;
  return kt::cp1252_casecmp(kt::utf8_to_cp1252(buffer).c_str(), kt::utf8_to_cp1252(data_root_on_disk()).c_str()) == 0;
}

void og_ensure_data_root() {
  if (g_process_number >= 1) return;
  std::string folder = data_root_on_disk();
  if (!kt::folder_exists(folder)) kt::make_folders(folder);
  if (!kt::folder_exists(folder)) {
    static const char kNoFolder[] = "Impossibile accedere alla Cartella per i dati di sistema [%s]";
    char text[600];
    std::snprintf(text, sizeof text, kNoFolder, kt::utf8_to_cp1252(folder).c_str());
    say_on_terminal(text);
    ui_message_box(text);
    og_exit_program(-1);
  }
  og_set_current_folder(g_data_root);
}

std::string og_lock_refusal_text(const kt::InstanceLock& lock) {
  char text[1200];
  if (lock.status() == kt::InstanceLockStatus::kAccessDenied) {
    std::string user = kt::utf8_to_cp1252(kt::user_name());
    std::snprintf(text, sizeof text, kAccessDenied.Get(), user.c_str(), kt::utf8_to_cp1252(data_root_on_disk()).c_str(),
                  lock.shown_code());
    return text;
  }
  if (lock.status() == kt::InstanceLockStatus::kFailed) {
    const char* why = lock.error() == EISDIR ? kLockIsFolder.Get() : kLockOpenFailed.Get();
    std::snprintf(text, sizeof text, kLockUnusable.Get(), kt::utf8_to_cp1252(lock.path()).c_str(), why,
                  lock.shown_code());
    return text;
  }
  std::snprintf(text, sizeof text, "%s\n(%d)", kAlreadyRunning.Get(), lock.shown_code());
  std::string out = text;
  // Who holds it, as the holder wrote it: its process id and user.
  if (!lock.holder().empty()) out += "\n[" + kt::utf8_to_cp1252(lock.holder()) + "]";
  return out;
}

int og_language_from_keyboard() {
  std::string layout = kt::keyboard_layout();
  if (layout.empty()) return kt::language_from_locale() == 1 ? 1 : 0;
  for (const char* german : {"de", "at", "ch", "li", "lu"})
    if (layout == german) return 1;
  return 0;
}

void og_start_instance() {
  if (g_process_number < 1) {
    og_ensure_data_root();
    g_instance_lock = kt::InstanceLock::acquire(data_root_on_disk());
    // A main process killed earlier could not remove its parallel area.
    if (g_instance_lock) parpro_remove_orphaned_names();
    if (!g_instance_lock) {
      std::string text = og_lock_refusal_text(g_instance_lock);
      say_on_terminal(text);
      ui_message_box(text.c_str());
      kt::ui::ui_clock().SleepMs(99);
      g_process_end(0);
      std::abort();
    }
  }
  if (!og_read_status_file()) {
    std::snprintf(g_current_folder, sizeof g_current_folder, "%s", g_data_root);
    g_language = static_cast<std::uint8_t>(og_language_from_keyboard());
  }
  // Told once, by the main process: the file stays as it is for the user
  // to restore or remove.
  if (og_status_file_unreadable() && g_process_number < 1) {
    std::string text = og_status_file_unreadable_text();
    say_on_terminal(text);
    ui_message_box(text.c_str());
  }
  og_set_current_folder(g_current_folder);
}

void og_stop_worker_processes() {
  if (g_process_number >= 1) return;
  bool started = false;
  for (int i = 1; i < kMaxSolverProcesses; ++i) {
    if (!g_worker_processes[i]) continue;
    started = true;
    g_worker_processes[i].stop(std::chrono::milliseconds(111));
    g_worker_processes[i] = kt::ChildProcess();
  }
  // The shared area and its mutexes go with the workers that used them.
  if (started) {
    parpro_close();
    parpro_remove_names();
  }
}

void og_exit_program(int code) {
  og_stop_worker_processes();
  g_display_minimised = 0;
  g_display_changed = 0;
  g_process_end(code);
  std::abort();
}

void og_fatal_config_error(const char* what, const char* detail, const char* source, int line) {
  what = what ? what : "";
  detail = detail ? detail : "";
  std::string text(std::strlen(what) + std::strlen(detail) + std::strlen(source ? source : "") + 200, '\0');
  std::snprintf(text.data(), text.size(), kConfigError.Get(), what, detail, source ? source : "", line);
  text.resize(std::strlen(text.c_str()));
  say_on_terminal(text);
  show_box(text.c_str());
  og_exit_program(-1);
}

void og_fatal_system_error(const char* what, const char* source, int line) {
  int error = errno;
  char text[400];
  std::snprintf(text, sizeof text, kSystemError.Get(), what ? what : "", source ? source : "", line, error, error, 0);
  say_on_terminal(text);
  for (int i = 0; i < 3; ++i) show_box(text);
  og_exit_program(0);
}

void og_switch_display_mode(int command, int minimised) {
  // Only the flags: this system never changes the screen's mode, so the
  // saved mode is always the current one.
  switch (command) {
    case kScRestore:
      if (!minimised) g_display_changed = 0;
      break;
    default:
      break;
  }
  g_display_minimised = static_cast<std::uint8_t>(minimised);
}

void CPlenixApp::CreateSharedFonts(kt::ui::Window& frame) {
  m_dialog_font = frame.GetFont();
  m_bold_font = m_dialog_font;
  m_bold_font.bold = true;
  m_symbol_font = kt::ui::Font{};
  m_symbol_font.face = "Marlett";
  m_symbol_font.points = m_dialog_font.points;
  m_ten_point_font = m_dialog_font;
  m_ten_point_font.face = m_dialog_font.face.substr(0, 32);
  m_ten_point_font.points = 10;
}

int CPlenixApp::InitInstance(int argc, const char* const* argv) {
  g_process_number = static_cast<std::int8_t>(og_parse_process_number(argc, argv));
  if (g_process_number == 0 && og_parse_service_mode(argc, argv)) g_service_mode = 1;
  g_cpu_count = kt::processor_count();
  g_ui_busy_popup_hook = shell_busy_popup_from_any_thread;
  og_start_instance();
  kt::ui::LResult result;
  do {
    result = g_frame.DoModal();
  } while (result == kFrameRunAgain);
  og_write_status_file();
  og_switch_display_mode(kScRestore, 0);
  return 0;
}

