// kestrintempus: the desktop program. Without "PARPRO:" it opens the display
// (without one it says so on stderr and ends with status 1), registers the
// dialog templates and runs the application object: data folder, lock,
// status file, the frame with the home page until the user leaves it.
// With "PARPRO:n-m" it is worker n of a parallel computation: it runs the
// solver's worker, as the workers of orario do, and opens no window at all.
//
// The program joins the pieces that do not link each other: the home page's
// school buttons reach the school-folder chooser, whose new school asks its
// names with the structure editors' input box.
#include <cstdio>
#include <string>

#include "constraints/constraint_pages.h"
#include "platform/cp1252.h"
#include "platform/fltk/fltk_backend.h"
#include "platform/system_info.h"
#include "shell/app_startup.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/message_box.h"
#include "shell/model_utilities.h"
#include "solver/parallel_workers.h"
#include "schooldata/description_writer.h"
#include "schooldata/school_folder_choice.h"
#include "schooldata/sissi_import_page.h"
#include "platform/fltk/file_open_dialog.h"
#include "structure/input_box.h"
#include "structure/structure_pages.h"
#include "structure/unsaved_changes_prompt.h"

namespace {

const char* const kNoDisplay[3] = {
    "kestrintempus: nessuno schermo disponibile (variabile DISPLAY). Il programma ha bisogno di uno schermo.\n",
    "kestrintempus: kein Bildschirm verfügbar (Variable DISPLAY). Das Programm braucht einen Bildschirm.\n",
    "kestrintempus: no display available (variable DISPLAY). The program needs a display.\n"};

bool ask_new_school_names(std::string* school, std::string* folder) {
  char school_name[81] = "";
  char folder_name[61] = "";
  if (casella_run_input_box("Inserire il nome completo della Scuola", school_name, 80, 8,
                            "Inserire il nome della Cartella per i dati della Scuola", folder_name, 60, 8, nullptr,
                            0) != kt::ui::kIdOk)
    return false;
  *school = school_name;
  *folder = folder_name;
  return true;
}

bool choose_import_file(const std::string& filter, const std::string& initial, std::string& path) {
  kt::ui::FileOpenRequest request;
  request.filter = filter;
  request.initial_name = initial;
  request.must_exist = true;
  request.language = ui_language();
  kt::ui::FileOpenResult result = kt::ui::choose_file_to_open(request);
  if (!result.chosen()) return false;
  path = result.path;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int worker = og_parse_process_number(argc, argv);
  if (worker >= 1) {
    g_worker_computation = parpro_run_worker_process;
    return og_run_worker_process(worker, argc, argv);
  }
  if (!kt::ui::start_fltk_backend()) {
    std::fputs(kNoDisplay[kt::language_from_locale()], stderr);
    return 1;
  }
  ui_register_toolkit_templates();
  ui_register_frame_templates();
  g_school_folder_chooser = [](std::string& folder) { return og_run_school_folder_chooser(false, folder); };
  g_new_school_creator = [](std::string& folder) { return og_run_school_folder_chooser(true, folder); };
  g_new_school_names = ask_new_school_names;
  g_import_file_chooser = choose_import_file;
  ui_install_unsaved_changes_prompt();
  og_install_description_hooks();
  og_install_model_utility_hooks();
  constraints_install_pages();
  structure_install_pages();
  int code = g_app.InitInstance(argc, argv);
  kt::ui::stop_fltk_backend();
  return code;
}
