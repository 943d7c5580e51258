// The engine command wrappers (see engine_commands.h). The table maps every
// command number the pages use to its command word, whether the test file
// "cattTEST.txt" may stand in for the description, and its option word; a
// number outside it is a programming error that ends the program ("param").
#include "shell/engine_commands.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "engine/engine_main.h"
#include "engine/report_services.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "platform/controls/edit.h"
#include "platform/ui_thread.h"
#include "shell/app_startup.h"
#include "shell/message_box.h"
#include "shell/status_file.h"
#include "solver/parallel_workers.h"

std::uint8_t g_engine_quiet_byte = 0;
EngineThread g_engine_thread;

namespace {

struct CommandRow {
  std::uint32_t code;
  const char* word;
  bool test_file_allowed;
  const char* option;  // null: none
};

constexpr CommandRow kCommands[] = {
    {0, "SYNT:", true, nullptr},   {10, "SNOD:", true, nullptr},  {13, "CALC:", true, "TPRO"},
    {14, "CALC:", true, "TCLA"},   {15, "CALC:", false, "REDO"},  {16, "CALC:", false, "CONT"},
    {17, "BILA:", false, nullptr}, {18, "REPO:", false, nullptr}, {19, "CALC:", false, "MINI"},
    {20, "CALC:", false, "MIBU"},  {23, "DISP:", false, nullptr}, {24, "RIGO:", false, nullptr},
    {25, "SBIL:", true, nullptr},  {27, "MISV:", false, nullptr}, {28, "ASAU:", false, nullptr},
    {29, "CALC:", false, "DERR"},  {30, "SNOD:", false, "NEDE"},  {32, "REPO:", false, "Pubk"},
    {41, "REPO:", false, "Tkas"},
};

// The processing menu offers none and one to four blank paragraphs; the
// RTF table form writes one more than the setting.

constexpr const char* kSteps[] = {"SOLO:", "SOSA:", "SOST:", "SOSX:"};

void show_engine_message() {
  if (kt::ui::on_ui_thread()) {
    ui_message_box(g_status.message);
    return;
  }
  kt::ui::call_on_ui([] { ui_message_box(g_status.message); });
}

}  // namespace

void og_apply_report_options() {
  g_rtf_text_form_option = g_processing_options[0] ? 1 : 0;
  signed char blank = static_cast<signed char>(g_processing_options[1]);
  g_table_blank_paragraphs = blank < -1 ? -1 : blank > kMaxBlankParagraphs ? kMaxBlankParagraphs : blank;
}

const char* og_assignments_file_name() { return g_provisional_mode ? "cattPROV.txt" : "scuola2.txt"; }

bool og_engine_arguments(std::uint32_t code, EngineArguments& out) {
  for (const CommandRow& row : kCommands) {
    if (row.code != code) continue;
    const char* file = row.test_file_allowed && g_status.test_name[0] ? "cattTEST.txt" : og_assignments_file_name();
    std::snprintf(out.command, sizeof out.command, "%s%s", row.word, file);
    out.has_option = row.option != nullptr;
    std::snprintf(out.option, sizeof out.option, "%s", row.option ? row.option : "");
    return true;
  }
  return false;
}

bool og_engine_result_shows_message(std::int32_t result) {
  return result != kResultOk && result != kResultTestFirstError && g_engine_quiet_byte != 157;
}

std::int32_t og_run_engine(std::uint32_t code) {
  g_status.language = static_cast<std::int8_t>(g_language);
  og_apply_report_options();
  EngineArguments args;
  if (code > 41 || !og_engine_arguments(code, args)) og_fatal_system_error("param", ".\\OG_util", 178);
  const char* argv[] = {"Questo non serve", args.command, args.has_option ? args.option : nullptr, nullptr};
  std::int32_t r = or_main(1, args.has_option ? 3 : 2, argv);
  parpro_close_solver_thread();
  if (og_engine_result_shows_message(r)) show_engine_message();
  if (r <= kResultTestFirstError && code != 10 && code != 25) r = kResultOk;
  return r;
}

std::int32_t og_run_substitution_step(std::uint32_t step) {
  if (step > 3) og_fatal_system_error("param", ".\\OG_util", 301);
  og_apply_report_options();
  char command[32];
  std::snprintf(command, sizeof command, "%s%s", kSteps[step], "scuola2.txt");
  const char* argv[] = {"Questo non serve", command, nullptr};
  return or_main(1, 2, argv);
}

EngineThread::~EngineThread() {
  // At the end of the program a running command is asked to stop the way the
  // user stops it, so it saves its best timetable and ends.
  if (running_.load()) g_status.run_state.store(kRunStateStopRequested);
  if (thread_.joinable()) thread_.join();
}

bool EngineThread::Start(std::uint32_t code) {
  if (running_.load()) return false;
  if (thread_.joinable()) thread_.join();
  running_ = true;
  thread_ = std::thread([this, code] {
    // Per-thread nice value: the computation yields to the user interface.
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)),
                  ::getpriority(PRIO_PROCESS, 0) + kEngineThreadNice);
    result_ = og_run_engine(code);
    running_ = false;
    kt::ui::post_to_ui([] {});
  });
  return true;
}

std::int32_t EngineThread::Join() {
  while (running_.load()) {
    if (kt::ui::on_ui_thread() && kt::ui::pump_one()) continue;
    std::this_thread::yield();
  }
  if (thread_.joinable()) thread_.join();
  return result_.load();
}

bool og_take_engine_progress(std::string& progress) {
  if (g_status.phase.load() != 255) return false;
  g_status.phase = 0;
  std::string line(g_status.progress_text, strnlen(g_status.progress_text, kProgressTextSize));
  if (!line.empty()) {
    progress += line + "\r\n";
    // Past 4000 characters the oldest lines go, whole lines only: the text
    // left starts at the first line that begins in its last 3000 characters.
    if (progress.size() > 4000) {
      std::size_t newline = progress.find('\n', progress.size() - 3001);
      if (newline + 1 >= progress.size())  // the newest line alone is longer: it stays
        newline = progress.rfind('\n', progress.size() - 2);
      progress.erase(0, newline == std::string::npos ? 0 : newline + 1);
    }
  }
  return true;
}

void og_show_progress(kt::ui::Window& page, int box_id, const std::string& text) {
  if (auto* box = dynamic_cast<kt::ui::Edit*>(page.GetDlgItem(box_id))) box->SetLogText(text);
  else page.SetDlgItemText(box_id, text);
}
