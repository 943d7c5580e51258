// kestrintempus: the desktop program. Without "PARPRO:" it opens the display
// (without one it says so on stderr and ends with status 1), registers the
// dialog templates and runs the application object: data folder, lock,
// status file, the frame with the home page until the user leaves it.
// With "PARPRO:n-m" it is worker n of a parallel computation and opens no
// window at all.
//
// Until the school chooser is built, "Selezione Scuola" asks for the
// description file "scuola2.txt" of a school with the system's file dialog
// and makes its folder current.
#include <cstdio>
#include <string>

#include "constraints/post_constraints_page.h"
#include "platform/cp1252.h"
#include "platform/fltk/file_open_dialog.h"
#include "platform/fltk/fltk_backend.h"
#include "platform/system_info.h"
#include "shell/app_startup.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/message_box.h"
#include "shell/model_utilities.h"
#include "schooldata/description_writer.h"
#include "structure/unsaved_changes_prompt.h"
#include "structure/dictionary_page.h"

namespace {

const char* const kNoDisplay[3] = {
    "kestrintempus: nessuno schermo disponibile (variabile DISPLAY). Il programma ha bisogno di uno schermo.\n",
    "kestrintempus: kein Bildschirm verfügbar (Variable DISPLAY). Das Programm braucht einen Bildschirm.\n",
    "kestrintempus: no display available (variable DISPLAY). The program needs a display.\n"};

bool choose_school_by_description(std::string& folder) {
  kt::ui::FileOpenRequest request;
  request.filter = "scuola2.txt|scuola2.txt||";
  request.must_exist = true;
  kt::ui::FileOpenResult result = kt::ui::choose_file_to_open(request);
  if (!result.chosen()) return false;
  std::size_t cut = result.path.find_last_of("\\/");
  folder = cut == std::string::npos ? std::string(".") : result.path.substr(0, cut);
  if (folder.empty()) folder = "\\";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int worker = og_parse_process_number(argc, argv);
  if (worker >= 1) return og_run_worker_process(worker, argc, argv);
  if (!kt::ui::start_fltk_backend()) {
    std::fputs(kNoDisplay[kt::language_from_locale()], stderr);
    return 1;
  }
  ui_register_toolkit_templates();
  ui_register_frame_templates();
  subjects_install_pages();
  post_constraints_install_pages();
  g_school_folder_chooser = choose_school_by_description;
  ui_install_unsaved_changes_prompt();
  og_install_description_hooks();
  og_install_model_utility_hooks();
  int code = g_app.InitInstance(argc, argv);
  kt::ui::stop_fltk_backend();
  return code;
}
