// kestrintempus: the desktop program. Without "PARPRO:" it opens the display
// (without one it says so on stderr and ends with status 1), registers the
// dialog templates and runs the application object: data folder, lock,
// status file, the frame with the home page until the user leaves it.
// With "PARPRO:n-m" it is worker n of a parallel computation: it runs the
// solver's worker, as the workers of orario do, and opens no window at all.
//
// The pieces that do not link each other meet in desktop_wiring.cpp.
#include <csignal>
#include <cstdio>
#include <string>

#include "desktop_wiring.h"

#include "board/worker_page.h"

#include "platform/cp1252.h"
#include "platform/fltk/fltk_backend.h"
#include "platform/system_info.h"
#include "shell/app_startup.h"
#include "solver/parallel_workers.h"
#include "schooldata/sissi_import_page.h"
#include "platform/fltk/file_open_dialog.h"
#include "remote/archive_dialog.h"

namespace {

const char* const kNoDisplay[3] = {
    "kestrintempus: nessuno schermo disponibile (variabile DISPLAY). Il programma ha bisogno di uno schermo.\n",
    "kestrintempus: kein Bildschirm verfügbar (Variable DISPLAY). Das Programm braucht einen Bildschirm.\n",
    "kestrintempus: no display available (variable DISPLAY). The program needs a display.\n"};

// Shows the chooser in the user's language for an existing file or folder.
bool choose_existing(kt::ui::FileOpenRequest request, std::string& path) {
  request.must_exist = true;
  request.language = ui_language();
  kt::ui::FileOpenResult result = kt::ui::choose_file_to_open(request);
  if (!result.chosen()) return false;
  path = result.path;
  return true;
}

bool choose_import_file(const std::string& filter, const std::string& initial, std::string& path) {
  kt::ui::FileOpenRequest request;
  request.filter = filter;
  request.initial_name = initial;
  return choose_existing(request, path);
}

// The archive dialog's chooser: the folder an archive goes to (0), or the
// archive to restore (1).
bool choose_archive_path(int kind, std::string& path) {
  kt::ui::FileOpenRequest request;
  request.choose_folder = kind == 0;
  if (kind != 0) request.filter = "ZIP|*.zip||";
  request.initial_name = "\\";
  request.title = ui_archive_chooser_title(kind);
  return choose_existing(request, path);
}

}  // namespace

int main(int argc, char** argv) {
  // Past a file-size limit a write should fail like one on a full disk, with
  // its message and the earlier files kept, not end the program unseen.
  std::signal(SIGXFSZ, SIG_IGN);
  int worker = og_parse_process_number(argc, argv);
  if (worker >= 1) {
    g_worker_computation = parpro_run_worker_process;
    return og_run_worker_process(worker, argc, argv);
  }
  if (!kt::ui::start_fltk_backend()) {
    std::fputs(kNoDisplay[kt::language_from_locale()], stderr);
    return 1;
  }
  kestrintempus_install();
  g_worker_spawner = [](const std::vector<std::string>& args) { return kt::ChildProcess::spawn_self(args); };
  g_import_file_chooser = choose_import_file;
  g_archive_chooser = choose_archive_path;
  int code = g_app.InitInstance(argc, argv);
  kt::ui::stop_fltk_backend();
  return code;
}
