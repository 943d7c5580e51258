// The user interface's only way into the engine: a command number
// (EngineCommandCode) becomes the engine's argument vector {"Questo non
// serve", command word + description file, option word}, or_main runs it on
// the calling thread, the engine's message is shown when the result is
// neither 0 nor -998, and the special endings -998 and -999 read as 0 except
// for the codes 10 and 25.
//
// Computations run on one engine thread at a time, at lowered priority
// (EngineThread); the syntax check "SYNT:" and the substitution steps run on
// the user-interface thread. A message raised by the engine thread is shown
// by the user-interface thread, which the engine thread waits for.
#pragma once

#include <string>

#include <atomic>
#include <cstdint>
#include <thread>

namespace kt::ui {
class Window;
}

enum class EngineCommandCode : std::uint32_t {
  Synt = 0,
  Snod = 10,
  CalcTpro = 13,
  CalcTcla = 14,
  CalcRedo = 15,
  CalcCont = 16,
  Bila = 17,
  Repo = 18,
  CalcMini = 19,
  CalcMibu = 20,
  Disp = 23,
  Rigo = 24,
  Sbil = 25,
  Misv = 27,
  Asau = 28,
  CalcDerr = 29,
  SnodNede = 30,
  RepoPubk = 32,
  RepoTkas = 41,
};

enum class SubstitutionStep : std::uint32_t { Solo = 0, Sosa = 1, Sost = 2, Sosx = 3 };

// 157 while the combination test runs many commands: no message is shown.
extern std::uint8_t g_engine_quiet_byte;
// The report options of the status file's "OLDWRD:" bytes handed to the
// report writers: byte 0 the "Word 2000" box (the RTF text form), byte 1
// the blank paragraphs between RTF tables as a signed byte (-1: none, at
// most 3). Every engine command applies them before it runs, so the saved
// options hold from the program's first run on.
inline constexpr int kMaxBlankParagraphs = 3;
void og_apply_report_options();

// "cattPROV.txt" in provisional mode, else "scuola2.txt".
const char* og_assignments_file_name();

// The command's argument vector; false for a code that has no command.
struct EngineArguments {
  char command[420];
  char option[5];
  bool has_option;
};
bool og_engine_arguments(std::uint32_t code, EngineArguments& out);

// Whether og_run_engine shows the engine's message for a result: not for 0,
// not for the first error of a test run (-998), not while the quiet marker
// 157 is set.
bool og_engine_result_shows_message(std::int32_t result);
std::int32_t og_run_engine(std::uint32_t code);
// When the engine's phase byte says a progress line is ready: clears the
// byte and adds the line to the end of `progress`, of which only the last
// whole lines are kept (enough to follow a run). True when the byte was set,
// so a new status text may be ready too.
bool og_take_engine_progress(std::string& progress);
// Shows a page's progress text in its box: the box follows the newest line
// unless the user has scrolled up to read.
void og_show_progress(kt::ui::Window& page, int box_id, const std::string& text);
inline std::int32_t og_run_engine(EngineCommandCode code) { return og_run_engine(static_cast<std::uint32_t>(code)); }
std::int32_t og_run_substitution_step(std::uint32_t step);

// One engine command on a thread of its own at lowered priority. Start
// refuses while a command runs; the pages poll Running() on their timers.
class EngineThread {
 public:
  ~EngineThread();
  bool Start(std::uint32_t code);
  bool Running() const { return running_.load(); }
  // A command was started and its result has not been taken (Join) yet:
  // the page that started it still shows it under way. User-interface
  // thread only.
  bool Pending() const { return running_.load() || thread_.joinable(); }
  // Waits for the end (the UI thread keeps serving the thread's requests
  // meanwhile); the command's result.
  std::int32_t Join();
  std::int32_t Result() const { return result_.load(); }

 private:
  std::thread thread_;
  std::atomic<bool> running_{false};
  std::atomic<std::int32_t> result_{0};
};
// The one engine thread of the program.
extern EngineThread g_engine_thread;

// Lowered priority of engine threads (a nice value added to the process's).
inline constexpr int kEngineThreadNice = 5;
