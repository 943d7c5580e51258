// The residual-errors log of a run: the trace and the violation reporter hand
// it every line; it echoes each to the standard output and, while the report
// mode word is negative, appends it to "Errori Residui.txt" (German and
// English names by language) in the output folder, created on first use.
//
// Only the main process writes the file and echoes; a worker does neither. The file is a
// log written as it grows, not a rewrite, so it is opened once per run and
// closed by a null text (every end of a command passes one). That close is
// checked like every line: a file system may tell of a refused write only
// when the file is closed. The error paths drop the log unchecked.
#include <cerrno>
#include <cstdio>
#include <string>

#include "engine/errors.h"
#include "engine/model.h"
#include "engine/report_services.h"
#include "engine/run_files.h"
#include "engine/shell_services.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "platform/paths.h"

unsigned char g_residual_log_suppressed = 0;
unsigned char g_room_report_flag = 0;
unsigned char g_rtf_text_form_option = 0;
signed char g_table_blank_paragraphs = 0;

namespace {

const char* const kResidualName[3] = {"Errori Residui.txt", "Fehler Rückstände.txt"_cp,
                                      "Remaining Errors.txt"};

std::FILE* g_residual_file = nullptr;
// The log's name as the messages show it.
std::string g_residual_name;

// Closes the log: 0, or the error of a write the system refused (a line's,
// or one it tells only at the close).
int close_residual_log() {
  std::FILE* file = g_residual_file;
  g_residual_file = nullptr;
  return file ? or_fclose_written(file) : 0;
}

// A line or a close that did not reach the disk ends the command: the log
// goes with the command's other files, and one missing its lines must not
// replace the whole one of the last run (nor pass for this run's whole log).
// Only a command's own thread can end the command; anywhere else the failed
// file is just closed.
void fail_residual_log(int error, int line) {
  if (!or_on_engine_thread()) return;
  errno = error;
  or_raise_file_error(g_residual_name.c_str(), or_write_failure_reason(error, or_language()), kSourceUtil, line);
}

}  // namespace

void or_drop_residual_log() {
  if (g_residual_file) std::fclose(g_residual_file);
  g_residual_file = nullptr;
}

void or_log_residual_error(const char* text) {
  if (!text) {
    if (int error = close_residual_log()) fail_residual_log(error, 2);
    return;
  }
  // Only the main process keeps the log: a worker neither writes nor echoes.
  if (g_residual_log_suppressed || g_process_number != 0) return;
  or_print_console(text);
  if (g_eng_run.report_mode >= 0) return;
  if (!g_residual_file) {
    char path[kReportPathSize];
    if (!or_report_path(path, or_pick_text(kResidualName), nullptr, 0)) return;
    errno = 0;
    g_residual_file = or_open_output_file(kt::translate_path(path), "w");
    if (!g_residual_file) {
      int error = errno;
      const char* why = or_create_failure_reason(error, or_language());
      errno = error;
      or_raise_file_error(path, why, kSourceUtil, 0);
    }
    g_residual_name = path;
  }
  errno = 0;
  bool written = std::fputs(text, g_residual_file) >= 0;
  written = std::fflush(g_residual_file) == 0 && written && !std::ferror(g_residual_file);
  if (written) return;
  int error = close_residual_log();
  fail_residual_log(error != 0 ? error : EIO, 1);
}
