// or_main: the engine's single entry. It prepares the call (trace clocks,
// output folders, day names, output folder pointer, recovery byte), runs one
// command and turns its end into the result code: the normal end, a quiet
// end, or one of the two error paths that the reporters' exceptions take.
//
// The error paths close only the engine's own files, release both parallel
// mutexes, stop the workers and leave a complete message in g_status. The
// recovery of the previous timetable runs only for a critical error after the
// description was loaded whole: a missing or broken description must never
// touch the saved timetable.
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "engine/command_steps.h"
#include "engine/commands.h"
#include "engine/engine_main.h"
#include "engine/errors.h"
#include "engine/model.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "platform/cp1252.h"
#include "platform/folder_lock.h"
#include "platform/paths.h"
#include "solver/result_history.h"

namespace {

const char* const kCriticalSuffix[3] = {"\n\nErrore critico - correggere e riprovare",
                                        "\n\nKritischer Fehler. Verbessern und wiederholen",
                                        "\n\nCritical error. Correct and try again"};
const char* const kBusyText[3] = {"Elaborazione in corso - Attendere",
                                  "Fortschritte in der Entwicklung - Bitte warten",
                                  "Processing in progress - Please wait"};
const char* const kRecovered[3] = {
    "Attenzione: cattedre cambiate. L'orario predecedente è stato recuperato, ma può contenere "
    "errori (in questo caso, rielaborare)."_cp,
    "Warnung: Unterricht verändert. Der Plan wurde erholt, kann aber Fehler enthalten (in "
    "diesem Fall, wieder bearbeiten)."_cp,
    "Warning: Lessons were changed. The timetable was restored, but can contain errors (in such "
    "case, process it again)."};

// Two commands at once in one school folder would write the reports of one
// timetable beside the other's save: the main process of a command holds
// this lock in the folder for the command's length.
constexpr const char* kFolderLockFile = ".\\orario.lock";
const char* const kFolderBusy[3] = {
    "Un altro calcolo è già in corso in questa cartella (processo %ld)"_cp,
    "In diesem Ordner läuft schon eine andere Berechnung (Prozess %ld)"_cp,
    "Another computation is already running in this folder (process %ld)"};
const char* const kFolderBusyHint[3] = {"Attendere che finisca e ripetere l'operazione",
                                        "Warten, bis sie endet, und den Vorgang wiederholen",
                                        "Wait until it ends and repeat the operation"};

// Takes the folder's lock for the main process (workers share their main
// process's folder and never write the school's files); a folder where the
// lock file cannot even be made (read-only) is left unlocked, as nothing can
// be written there either.
kt::FolderLock lock_school_folder() {
  if (g_process_number != 0) return {};
  kt::FolderLock lock = kt::FolderLock::acquire(kt::translate_path(kFolderLockFile));
  if (lock.status() == kt::FolderLockStatus::kHeldElsewhere) {
    char text[200];
    std::snprintf(text, sizeof text, or_pick_text(kFolderBusy), lock.holder());
    errno = 0;
    or_raise_file_error(text, or_pick_text(kFolderBusyHint), kSourceMain, 100);
  }
  return lock;
}

// Marks the calling thread as the engine's for the length of one command.
struct EngineThreadScope {
  EngineThreadScope() { or_mark_engine_thread(true); }
  ~EngineThreadScope() { or_mark_engine_thread(false); }
};

void append_message(const char* text) {
  std::size_t used = strnlen(g_status.message, kMessageSize - 1);
  std::snprintf(g_status.message + used, kMessageSize - used, "%s", text);
}

void replace_message(const char* text) {
  std::snprintf(g_status.message, kMessageSize, "%s", text);
}

void create_output_folder(const char* windows_name) {
  std::string path = kt::translate_path(windows_name);
  if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST)
    or_raise_file_error(windows_name, "", kSourceMain, 0);
}

void release_parallel_mutexes() {
  or_release_mutex(g_parpro_com_mutex);
  or_release_mutex(g_parpro_io_mutex);
}

int normal_end() {
  or_close_engine_streams();
  or_append_history(g_status.run_state != 0 ? kHistoryEndAfterStop : kHistoryEndWithoutStop);
  g_status.run_state = kRunStateFinished;
  or_stop_parallel_workers();
  g_error_exit_count = 0;
  return kResultOk;
}

int file_error_exit() {
  or_close_engine_streams();
  release_parallel_mutexes();
  or_stop_parallel_workers();
  append_message(or_pick_text(kCriticalSuffix));
  g_status.run_state = kRunStateFinished;
  return kResultError;
}

// Recovery of the previous timetable after a critical error: only when it is
// allowed and the description was loaded whole with lessons in it (a save
// that no longer fits the teaching posts). True when it succeeded and the
// recovered timetable was saved and read back.
bool try_recovery() {
  if (g_recovery_allowed != 1 || !g_description_loaded || g_eng_school.lesson_count <= 0)
    return false;
  char failure[kMessageSize];
  std::memcpy(failure, g_status.message, kMessageSize);
  g_command_steps.busy_popup(or_pick_text(kBusyText), 0);
  bool recovered = false;
  try {
    recovered = g_command_steps.recover_previous_timetable() == 0;
    g_command_steps.busy_popup(nullptr, -1);
    if (recovered) {
      replace_message(or_pick_text(kRecovered));
      g_command_steps.save_timetable(-1);
      g_command_steps.load_timetable(0);
    }
  } catch (const EngineFileError&) {
    recovered = false;
  } catch (const EngineError&) {
    recovered = false;
  }
  if (!recovered) {
    // A recovery that failed part-way reports the original failure.
    g_command_steps.busy_popup(nullptr, -1);
    std::memcpy(g_status.message, failure, kMessageSize);
    or_close_engine_streams();
    release_parallel_mutexes();
  }
  return recovered;
}

int engine_error_exit(int code) {
  ++g_error_exit_count;
  or_close_engine_streams();
  or_delete_save_files(1);
  release_parallel_mutexes();
  or_stop_parallel_workers();
  int result = code;
  if (g_test_run) {
    append_message(or_pick_text(kCriticalSuffix));
    g_status.run_state = kRunStateFinished;
    if (g_error_exit_count == 1) return kResultTestFirstError;
  } else if (code == kResultError && try_recovery()) {
    result = kResultRecovered;
    g_status.run_state = kRunStateFinished;
  } else {
    g_eng_run.report_mode = 0;
    for (char* p = g_status.message; *p; ++p)
      if (static_cast<unsigned char>(*p) < 32 && *p != '\n') *p = ' ';
    or_trace("Exit on longjump - Sintassi errata");
    or_append_history(kHistoryErrorExit);
    g_status.run_state = kRunStateFinished;
    or_stop_parallel_workers();
  }
  return g_quiet_no_timetable ? kResultOk : result;
}

}  // namespace

int or_main(int from_gui, int argc, const char* const* argv) {
  // A call without fromGui is handled like one with it: the errors are
  // caught the same way, so no caller can make the engine end the process.
  EngineThreadScope engine_thread;
  g_description_loaded = 0;
  // Every command starts quiet: a computation ends with the report mode
  // word negative, and a process that runs one command after another (a
  // parallel worker) must not start the next one writing residual lines.
  g_eng_run.report_mode = 0;
  g_eng_run.report_flag = 0;
  kt::FolderLock folder_lock;
  try {
    folder_lock = lock_school_folder();
    or_trace(nullptr);
    create_output_folder(".\\Orario\\");
    if (g_provisional_mode) create_output_folder(".\\Provvisorio\\");
    create_output_folder(".\\RisultatoTest\\");
    errno = 0;  // an existing folder leaves EEXIST, which no later message should show
    or_set_day_names();
    g_output_folder = ".\\RisultatoTest\\";
    if (g_recovery_allowed != 157) g_recovery_allowed = 1;
    // The command word is five characters; a shorter argv[1] is a usage
    // error, never a read past its end.
    if (argc < 2 || !argv || !argv[1] || strnlen(argv[1], 5) < 5) or_raise_usage();
    // The problems monitor shows the history of this command's search only.
    or_forget_result_history();
    CommandEnd end = or_run_command(argc, argv);
    if (end == CommandEnd::kQuiet) {
      or_close_engine_streams();
      return kResultOk;
    }
    return normal_end();
  } catch (const EngineFileError&) {
    return file_error_exit();
  } catch (const EngineError& error) {
    return engine_error_exit(error.code);
  }
}
