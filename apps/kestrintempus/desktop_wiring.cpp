// The joints of the desktop program (see desktop_wiring.h).
#include "desktop_wiring.h"

#include <cstdio>
#include <string>

#include "board/processing_menu.h"
#include "constraints/constraint_pages.h"
#include "platform/cp1252.h"
#include "remote/archive_dialog.h"
#include "remote/guide_windows.h"
#include "remote/service_windows.h"
#include "schooldata/data_file_search_dialog.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/school_folder_choice.h"
#include "schooldata/spreadsheet_page.h"
#include "schooldata/service_tools.h"
#include "schooldata/ui_school_model.h"
#include "schooldata/structure_file.h"
#include "shell/corner_windows.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"
#include "structure/destination_folder_choice.h"
#include "structure/input_box.h"
#include "structure/structure_pages.h"
#include "structure/subject_dictionary.h"
#include "structure/support_contact.h"
#include "structure/unsaved_changes_prompt.h"
#include "substitutions/substitutions_dialog.h"

namespace {

// The names box of a new school, in the user's language (its title is the
// second prompt, so the German and English prompts are short enough to be
// read whole in the title bar).
const MlText kSchoolNamePrompt = {"Inserire il nome completo della Scuola", "Vollständiger Name der Schule"_cp,
                                  "Full name of the school"};
const MlText kFolderNamePrompt = {"Inserire il nome della Cartella per i dati della Scuola",
                                  "Ordnername für die Daten der Schule"_cp, "Folder name for the school's data"};

bool ask_new_school_names(std::string* school, std::string* folder) {
  char school_name[81] = "";
  char folder_name[61] = "";
  if (casella_run_input_box(kSchoolNamePrompt.Get(), school_name, 80, 8, kFolderNamePrompt.Get(), folder_name, 60, 8,
                            nullptr, 0) != kt::ui::kIdOk)
    return false;
  *school = school_name;
  *folder = folder_name;
  return true;
}

// One support-contact window for the whole run, owned by the frame; only a
// window just made is shown, so a second request leaves the open one where
// it is (not even brought forward).
void show_support_contact(kt::ui::Window* frame) {
  static Cemergex window;
  if (window.Create(frame) == 1) window.ShowWindow(kt::ui::kSwShow);
}

// The restore from a pen into another school asks where the data go.
int choose_data_folder(const std::string& working, const std::string& target) {
  Ccanuco choice;
  choice.m_current_folder = kt::utf8_to_cp1252(working);
  choice.m_saved_folder = kt::utf8_to_cp1252(target);
  return static_cast<int>(choice.DoModal());
}

}  // namespace

void kestrintempus_install() {
  ui_register_toolkit_templates();
  ui_register_frame_templates();
  g_school_folder_chooser = [](std::string& folder) { return og_run_school_folder_chooser(false, folder); };
  g_new_school_creator = [](std::string& folder) { return og_run_school_folder_chooser(true, folder); };
  g_new_school_names = ask_new_school_names;
  g_ask_text = [](const char* prompt, char* answer, int max) {
    return casella_run_input_box(prompt, answer, max, 0, nullptr, nullptr, 0, 0, nullptr, 0);
  };
  g_frame_service_hooks.show_support_contact = show_support_contact;
  g_frame_service_hooks.reread_school_files = [] { return og_read_school_files(0); };
  g_frame_service_hooks.read_school_if_other_folder = [] {
    if (!og_school_read_in_current_folder()) og_read_school_files(0);
  };
  g_frame_service_hooks.run_service_tool = og_run_service_tool;
  g_frame_service_hooks.keep_cloud_code = [](const char* code) {
    std::snprintf(g_ui_header.school_code, sizeof g_ui_header.school_code, "%.40s", code);
  };
  g_frame_service_hooks.show_advice_guide = [](kt::ui::Window* parent) { g_guide_menu.Open(parent); };
  g_frame_service_hooks.show_getting_started_guide = [](kt::ui::Window* parent) {
    g_guide_gene.Open(parent);
    g_corner.Add(&g_guide_gene);
  };
  g_frame_service_hooks.open_web_page = ui_open_web_page;
  g_frame_service_hooks.run_archive = ui_run_archive_dialog;
  g_frame_service_hooks.create_service_windows = ui_create_service_windows;
  g_frame_service_hooks.show_assistance_console = ui_show_assistance_console;
  g_frame_service_hooks.bring_console_forward = krv_bring_console_forward;
  g_frame_service_hooks.focus_console_once = krv_focus_console_once;
  g_frame_service_hooks.reset_language_windows = [] {
    krv_destroy_callback_dialog();
    krv_reset_console();
  };
  g_frame_service_hooks.show_remote_monitor = ui_show_tulm_monitor;
  g_frame_service_hooks.open_remote_monitor = ui_open_tulm_monitor;
  g_frame_service_hooks.create_remote_window = ui_create_tulm_window;
  g_frame_service_hooks.dock_remote_window = ui_dock_tulm_window;
  g_frame_service_hooks.remote_window_rect = ui_tulm_window_rect;
  g_frame_service_hooks.run_video = ui_run_video;
  g_frame_service_hooks.fetch_school_notices = [](int keep) {
    krv_fetch_mailed_data();
    krv_fetch_warning_file(keep);
  };
  g_show_transfer_guide = [] { g_guide_trasfe.Open(); };
  g_show_spreadsheet_example = [] { g_guide_xls.Open(); };
  SupportContactHooks& support = support_contact_hooks();
  support.show_assistance_console = ui_show_assistance_console;
  support.show_callback_dialog = krv_show_callback_dialog;
  g_rical.m_dialogue.choose_data_folder = choose_data_folder;
  g_apply_default_subject_flags = [] { ui_set_default_subject_flags(-1); };
  ui_install_unsaved_changes_prompt();
  og_install_description_hooks();
  og_install_model_utility_hooks();
  constraints_install_pages();
  structure_install_pages();
  board_install_pages();
  substitutions_install_pages();
}
