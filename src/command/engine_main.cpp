// or_main: the engine's single entry. It prepares the call (trace clocks,
// output folders, day names, output folder pointer, recovery byte), runs one
// command and turns its end into the result code: the normal end, a quiet
// end, or one of the two error paths that the reporters' exceptions take.
//
// The error paths close only the engine's own files, release both parallel
// mutexes, stop the workers and leave a complete message in g_status. The
// recovery of the previous timetable runs only for a critical error after the
// description was loaded whole: a missing or broken description must never
// touch the saved timetable. The files a command writes are put in place
// together at its normal end (run_files.h) and dropped on the error paths,
// so a failed command leaves the folder as it found it; a command that
// saved a timetable in place of a save that did not fit ends with -999.
#include <cerrno>
#include <cstring>
#include <string>

#include "engine/command_steps.h"
#include "engine/commands.h"
#include "engine/engine_main.h"
#include "engine/errors.h"
#include "engine/model.h"
#include "engine/run_files.h"
#include "engine/save_files.h"
#include "engine/school_folder_lock.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "engine/timetable_aside.h"
#include "platform/cp1252.h"
#include "platform/folder_lock.h"
#include "platform/paths.h"
#include "solver/result_history.h"
#include "solver/run_state_reset.h"
#include "engine/report_services.h"
#include "reports/engine_report_services.h"

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
// The same for a save file that was damaged; %s names the copy of it kept.
const char* const kRecoveredDamaged[3] = {
    "Attenzione: il file dell'orario salvato era danneggiato (conservato come %s). L'orario è stato "
    "recuperato, ma può contenere errori (in questo caso, rielaborare)."_cp,
    "Warnung: die Datei des gespeicherten Stundenplans war beschädigt (aufbewahrt als %s). Der Plan wurde "
    "erholt, kann aber Fehler enthalten (in diesem Fall, wieder bearbeiten)."_cp,
    "Warning: the saved timetable's file was damaged (kept as %s). The timetable was restored, but can "
    "contain errors (in such case, process it again)."};

// What the user is told of a timetable taken over from a save that did not fit.
void tell_taken_over() {
  if (or_save_taken_over() == SaveVerdict::kDamaged)
    std::snprintf(g_status.message, kMessageSize, or_pick_text(kRecoveredDamaged),
                  or_shown_file_name(or_damaged_save_copy()).c_str());
  else
    std::snprintf(g_status.message, kMessageSize, "%s", or_pick_text(kRecovered));
}

// Marks the calling thread as the engine's for the length of one command;
// what a caller asked of this one command ends with it.
struct EngineThreadScope {
  EngineThreadScope() { or_mark_engine_thread(true); }
  ~EngineThreadScope() {
    or_mark_engine_thread(false);
    or_end_computing_anew();
    g_calc_from_empty_week = 0;
  }
};

void append_message(const char* text) {
  std::size_t used = strnlen(g_status.message, kMessageSize - 1);
  std::snprintf(g_status.message + used, kMessageSize - used, "%s", text);
}

// The files of one command, gathered while it runs (run_files.h): put in
// place together at its end, dropped when it fails. Workers write nothing.
struct RunFilesScope {
  RunFilesScope() {
    if (g_process_number == 0) or_run_files_begin();
  }
  ~RunFilesScope() { or_run_files_abort(); }
};

const char* const kCommitFailed[3] = {
    "I file dell'elaborazione non sono stati sostituiti", "Die Dateien der Verarbeitung wurden nicht ersetzt",
    "The files of the run were not replaced"};
const char* const kCommitPending[3] = {
    "I file dell'elaborazione saranno completati al prossimo avvio",
    "Die Dateien der Verarbeitung werden beim nächsten Start vervollständigt"_cp,
    "The files of the run will be completed at the next start"};

// Puts the command's files in place; a failure is the command's file error.
void commit_run_files() {
  std::string failed;
  int error = 0;
  bool pending = false;
  if (or_run_files_commit(&failed, &error, &pending)) return;
  errno = error;
  std::string why = std::string(or_pick_text(pending ? kCommitPending : kCommitFailed)) + " - " +
                    or_write_failure_reason(error, or_language());
  or_raise_file_error(failed.c_str(), why.c_str(), kSourceMain, 0);
}

// What an earlier command left: a replacement to complete, temporaries of
// processes that are gone.
void settle_school_folder() {
  if (g_process_number != 0) return;
  int error = 0;
  if (or_settle_run_files(&error)) return;
  errno = error;
  or_raise_file_error("orario.kt-commit", or_write_failure_reason(error, or_language()), kSourceMain, 1);
}

void release_parallel_mutexes() {
  or_release_mutex(g_parpro_com_mutex);
  or_release_mutex(g_parpro_io_mutex);
}

int normal_end() {
  // The log's close is checked before its step is committed: a close that
  // fails fails the command like a line that fails.
  or_log_residual_error(nullptr);
  or_close_engine_streams();
  commit_run_files();
  or_append_history(g_status.run_state != 0 ? kHistoryEndAfterStop : kHistoryEndWithoutStop);
  g_status.run_state = kRunStateFinished;
  or_stop_parallel_workers();
  g_error_exit_count = 0;
  // A command that saved in place of a save that did not fit says so,
  // whichever it was.
  if (or_save_taken_over() == SaveVerdict::kWhole) return kResultOk;
  tell_taken_over();
  return kResultRecovered;
}

int file_error_exit() {
  or_close_engine_streams();
  or_run_files_abort();
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
  // A computation from an empty week took no saved timetable to recover.
  if (g_recovery_allowed != 1 || !g_description_loaded || g_eng_school.lesson_count <= 0 || or_computing_anew())
    return false;
  char failure[kMessageSize];
  std::memcpy(failure, g_status.message, kMessageSize);
  g_command_steps.busy_popup(or_pick_text(kBusyText), 0);
  bool recovered = false;
  // The recovery's files are one step of their own.
  RunFilesScope files;
  try {
    recovered = g_command_steps.recover_previous_timetable() == 0;
    g_command_steps.busy_popup(nullptr, -1);
    if (recovered) {
      g_command_steps.save_timetable(-1);
      g_command_steps.load_timetable(0);
      commit_run_files();
      tell_taken_over();
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
  // The failed command's files go first: the clean-up below and a recovery
  // work on the files as they were before it.
  or_run_files_abort();
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
  // Every command starts its search from the cursors, toggles and counters
  // a fresh process starts with: a process that runs one command after
  // another (the desktop program, a parallel worker) computes for a seed
  // the week "orario --seed" computes.
  or_reset_run_state();
  // Every command starts quiet: a computation ends with the report mode
  // word negative, and a process that runs one command after another (a
  // parallel worker) must not start the next one writing residual lines.
  g_eng_run.report_mode = 0;
  g_eng_run.report_flag = 0;
  kt::FolderLock folder_lock;
  try {
    folder_lock = or_lock_school_folder();
    or_trace(nullptr);
    // The output folders are made by the first file written into them, so a
    // command that fails before it writes leaves no trace in the folder.
    settle_school_folder();
    or_reset_save_verdicts();
    // Every conversion of the command (the substitution reports' too) reads
    // and writes the command's files through the engine's own calls.
    or_plug_engine_report_services();
    errno = 0;
    or_set_day_names();
    g_output_folder = ".\\RisultatoTest\\";
    if (g_recovery_allowed != 157) g_recovery_allowed = 1;
    // The command word is five characters; a shorter argv[1] is a usage
    // error, never a read past its end.
    if (argc < 2 || !argv || !argv[1] || strnlen(argv[1], 5) < 5) or_raise_usage();
    // The problems monitor shows the history of this command's search only.
    or_forget_result_history();
    RunFilesScope files;
    CommandEnd end = or_run_command(argc, argv);
    if (end == CommandEnd::kQuiet) {
      or_log_residual_error(nullptr);
      or_close_engine_streams();
      commit_run_files();
      return kResultOk;
    }
    return normal_end();
  } catch (const EngineFileError&) {
    return file_error_exit();
  } catch (const EngineError& error) {
    return engine_error_exit(error.code);
  }
}
