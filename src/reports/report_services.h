// What the report conversions need of the engine around them, gathered in one
// replaceable table: opening files, the two error reporters, folders, the
// institution heading, the language, the run mode, the processing-menu
// settings and the clock. The converters call nothing else outside this
// folder, so the engine plugs its own `or_fopen`, `or_raise_file_error` and
// status fields in with `set_report_services`, tests plug in a fixed clock and
// a temporary folder, and the command-line converter plugs in plain paths.
//
// Invariants: every member is set (the defaults are complete); the error
// reporters never return (when a plugged one does, the caller throws
// ReportError itself). Paths are 1252 bytes in the program's Windows style.
// Shaped for one report run at a time on the engine thread: the table is a
// process global, read on every conversion, written once at start-up.
#pragma once

#include <cstdio>
#include <ctime>
#include <functional>
#include <stdexcept>
#include <string>

namespace kt {

// Thrown by the default error reporters; the engine's own reporters throw the
// engine's exception types instead. `code` is the engine result (-1).
struct ReportError : std::runtime_error {
  ReportError(int code_, const std::string& message) : std::runtime_error(message), code(code_) {}
  int code;
};

struct ReportServices {
  // The engine's one file-open call: mode "rt", "wt" or "at"; null on failure.
  std::function<std::FILE*(const char* path, const char* mode)> or_fopen;
  // Formats the file-error message and unwinds to the command's entry.
  std::function<void(const char* file, const char* text, const char* source, int line)>
      or_raise_file_error;
  // Formats the critical-error message and unwinds to the command's entry.
  std::function<void(const char* text, int value, const char* source, int line)>
      or_raise_critical_error;
  // Creates a folder; an existing one is no failure. Returns false on failure.
  std::function<bool(const char* folder)> make_folder;
  // Deletes a file when it is there (og_delete_file_if_present).
  std::function<void(const char* path)> delete_file;
  // Moves a finished temporary file over its final name; false on failure.
  std::function<bool(const char* from, const char* to)> rename_file;
  // The institution heading that heads RTF pages and HTML blocks (1252).
  std::function<std::string()> institution_heading;
  // The engine's language index: 0 Italian, 1 German, 2 English.
  std::function<int()> language;
  // The run mode byte; 13 and 14 are test runs that convert nothing.
  std::function<int()> run_mode;
  // Non-zero while the provisional timetable is worked on.
  std::function<bool()> provisional_mode;
  // The "Word 2000" check box: RTF in the box-drawn text form.
  std::function<bool()> rtf_text_form_option;
  // Blank paragraphs between RTF tables (negative: none).
  std::function<int()> table_blank_paragraphs;
  // Local time for the RTF footer.
  std::function<std::tm()> local_time;
};

// Services over real files: paths through kt::translate_path, errors thrown as
// ReportError with the engine's message layout, the system clock, Italian,
// heading "(non assegnato)", no test run, table form, no blank paragraphs.
ReportServices default_report_services();

// The table in use; starts as default_report_services().
ReportServices& report_services();
void set_report_services(ReportServices services);

// Calls the plugged reporter and, should it return, throws ReportError.
// `text` is the report's own text ("File [%s] non trovato"); its %s names
// `path` the way this system writes it (or_shown_file_name).
// `reason`, when given, replaces the language's hint (why a write failed).
[[noreturn]] void report_file_error(const char* text, const std::string& path, const char* source, int line,
                                    const char* reason = nullptr);

// Calls the plugged critical-error reporter and, should it return, throws
// ReportError.
[[noreturn]] void report_critical_error(const char* text, int value, const char* source, int line);

// The institution heading, "(non assegnato)" while none is set.
std::string report_institution_heading();

// The language's hint appended to every file error of the reports.
const char* report_file_error_hint(int language);

}  // namespace kt
