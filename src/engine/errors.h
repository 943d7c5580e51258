// The engine's error reporters, trace log and small shared utilities.
//
// Every failure of the engine leaves through one of four reporters: each one
// formats its message in the run's language into the status block's 400-byte
// message buffer (always cut to fit, never past it), echoes it to the
// standard output and throws one of the two exception types below. Only
// or_main and the public accessors the user interface calls directly catch
// them; nothing in between catches or swallows them, so the clean-up of
// or_main always runs with the message complete.
//
// Workload: reporters run at most once per command; the trace runs a few
// hundred times per run; the 64-bit counters run in the solver's inner loop.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// File errors: or_main closes files, stops the workers and returns -1.
struct EngineFileError {};

// Critical (-1), configuration (-2) and "processing impossible" (-3) errors.
struct EngineError {
  int code;
};

// Module names the reporters print to locate a check.
inline constexpr const char* kSourceMain = "..\\Orario\\OR_mainC";
inline constexpr const char* kSourceUtil = "..\\Orario\\OR_UTIL";
inline constexpr const char* kSourceLoad = "..\\Orario\\OR_LOAD";

[[noreturn]] void or_raise_impossible(const char* text);
// text1 is as a rule the file's name in the program's form; the message
// names it as or_shown_file_name shows it. The source stays as given.
[[noreturn]] void or_raise_file_error(const char* text1, const char* text2, const char* source,
                                      int line);
[[noreturn]] void or_raise_critical_error(const char* text, int code, const char* source, int line);
[[noreturn]] void or_raise_config_error(const char* message, const char* line);

// A file's name as a message shows it: a name in the program's form (it
// holds a '\\') or a path of this system that may lead out of the school
// folder (it starts with '/' or "../") is written the way this system writes
// it (kt::shown_path); a plain name ("savego.txt") and a sentence in place of
// a name are shown as given. A name too long for the message buffer keeps
// its start and its end.
std::string or_shown_file_name(const char* name);

// The run's language index (0 Italian, 1 German, 2 English; anything else
// reads as Italian) and the text of a three-language row.
int or_language();
const char* or_pick_text(const char* const row[3]);
// Writes 1252 text to the standard output as UTF-8 (the terminal's code);
// nothing in a parallel worker process.
void or_print_console(const char* text);
// The same for a formatted line (teacher and class names are 1252 text).
void or_print_console_format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Trace: no text restarts the clocks; a text writes one timed line.
void or_trace(const char* text);
// Milliseconds of the process clock the trace uses; tests replace it.
using TraceClock = std::int64_t (*)();
void or_set_trace_clock(TraceClock clock);  // null: the steady clock

// "%02d-%02d-%04d %02d:%02d:%02d" of the local time, in a static buffer.
const char* or_now_text();
// "%d" of n in a static buffer; 0 gives an empty text.
const char* or_int_text(int n);

// 64-bit counter as (high word, low word).
struct EngineCounter {
  std::uint32_t high;
  std::uint32_t low;
};
void or_counter_add(EngineCounter* counter, std::uint32_t amount);
void or_counter_copy(EngineCounter* destination, const EngineCounter* source);
int or_counter_less(const EngineCounter* a, const EngineCounter* b);

// Output folder of the current command: ".\\Orario\\", ".\\Provvisorio\\" or
// ".\\RisultatoTest\\"; null before the first command.
extern const char* g_output_folder;
// Report file path in the output folder; kind 'b' or 'n' adds the language's
// "Orario " prefix. Returns buffer (which holds at least 260 bytes), or null
// when no output folder is set. The result is a Windows-style path.
char* or_report_path(char* buffer, const char* name, const char* extension, int kind);
inline constexpr int kReportPathSize = 260;

void or_stop_parallel_workers();
void or_delete_previous_save();
void or_delete_test_save();
// Deletes the test save always; with keep 0 also the saved timetables of
// the current mode ("saveprov.txt" in provisional mode, else "saveprec.txt",
// "savego.txt", "savebi.txt", "ricevi.txt"). An error exit passes keep 1,
// so a failed run never costs the user a saved timetable.
void or_delete_save_files(int keep);

// The engine's own open files: every stream opened through or_fopen on the
// thread that runs an engine command is listed, and the error paths close
// only these (never the user interface's files). or_main marks its thread.
void or_mark_engine_thread(bool running);
bool or_on_engine_thread();
void or_register_stream(std::FILE* stream);  // listed only on the engine thread
void or_forget_stream(std::FILE* stream);  // the caller closed it itself
void or_close_engine_streams();
int or_fclose(std::FILE* stream);           // closes and forgets
