// The four error reporters. Each formats its message in the run's language
// into the status block's message buffer, echoes it to the standard output
// (the main process only) and throws: EngineFileError for file errors, EngineError with -1, -2 or -3
// for the others. or_main catches them, cleans up and returns the code.
//
// Invariants: a message never runs past the 400-byte buffer (snprintf cuts
// it); errno is read before anything else can change it; the message is
// complete before the throw, since the user interface may read it at once.
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <string>


#include "engine/errors.h"
#include "engine/model.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "platform/cp1252.h"
#include "platform/paths.h"

namespace {

const char* const kImpossible[3] = {
    "(%d) Elaborazione richiesta impossibile\n[%s]\n"_cp,
    "(%d) Verarbeitung unmöglich\n[%s]\n"_cp,
    "(%d) Requested processing impossible\n[%s]\n"_cp};
const char* const kFileError[3] = {
    "(%d) Errore File \n[%s]\n[%s]\n[%s, line:%d, errno=%d, GLE=%d, s=%d]\n"_cp,
    "(%d) Datei Fehler \n[%s]\n[%s]\n[%s, line:%d, errno=%d, GLE=%d, s=%d]\n"_cp,
    "(%d) File error \n[%s]\n[%s]\n[%s, line:%d, errno=%d, GLE=%d, s=%d]\n"_cp};
const char* const kCriticalError[3] = {
    "(%d) Errore critico [%s][%d]\n[%s, line:%d, errno=%d, GLE=%d, s=%d]\n"_cp,
    "(%d) Kritischer Fehler [%s][%d]\n[%s, line:%d, errno=%d, GLE=%d, s=%d]\n"_cp,
    "(%d) Critical error [%s][%d]\n[%s, line:%d, errno=%d, GLE=%d, s=%d]\n"_cp};
const char* const kConfigError[3] = {
    "(%d) Errore di configurazione [%s] - [%s]\n"_cp,
    "(%d) Konfiguration Fehler [%s] - [%s]\n"_cp,
    "(%d) Configuration error [%s] - [%s]\n"_cp};

const char* text_or_empty(const char* s) { return s ? s : ""; }

void echo_message() { or_print_console(g_status.message); }

}  // namespace

int or_language() {
  int language = g_status.language;
  return language >= 0 && language <= 2 ? language : 0;
}

const char* or_pick_text(const char* const row[3]) { return row[or_language()]; }

// Only the main process owns the console: a worker's lines would interleave
// with the main's mid-line and repeat each per process, and what a worker has
// to say reaches the main through the shared area and the status block.
void or_print_console(const char* text) {
  if (!text || g_process_number != 0) return;
  std::string utf8 = kt::cp1252_to_utf8(text);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fflush(stdout);
}

void or_print_console_format(const char* format, ...) {
  char text[1024];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  or_print_console(text);
}

void or_raise_impossible(const char* text) {
  std::snprintf(g_status.message, kMessageSize, or_pick_text(kImpossible), g_process_number,
                text_or_empty(text));
  echo_message();
  throw EngineError{-3};
}

std::string or_shown_file_name(const char* name) {
  std::string text = text_or_empty(name);
  bool path = text.find('\\') != std::string::npos || text.rfind("/", 0) == 0 || text.rfind("../", 0) == 0;
  if (path) text = kt::shown_path(text);
  if (text.size() <= 120) return text;
  return text.substr(0, 56) + "..." + text.substr(text.size() - 56);
}

void or_raise_file_error(const char* text1, const char* text2, const char* source, int line) {
  int error = errno;
  std::string name = or_shown_file_name(text1);
  std::snprintf(g_status.message, kMessageSize, or_pick_text(kFileError), g_process_number, name.c_str(),
                text_or_empty(text2), text_or_empty(source), line, error, error, g_eng_run.run_seed);
  echo_message();
  throw EngineFileError{};
}

void or_raise_critical_error(const char* text, int code, const char* source, int line) {
  int error = errno;
  std::snprintf(g_status.message, kMessageSize, or_pick_text(kCriticalError), g_process_number,
                text_or_empty(text), code, text_or_empty(source), line, error, error,
                g_eng_run.run_seed);
  echo_message();
  throw EngineError{-1};
}

void or_raise_config_error(const char* message, const char* line) {
  std::snprintf(g_status.message, kMessageSize, or_pick_text(kConfigError), g_process_number,
                text_or_empty(message), text_or_empty(line));
  echo_message();
  throw EngineError{-2};
}
