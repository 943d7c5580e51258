// Runs the school-folder chooser for the home page and gives the creation
// of a new school its steps over the school model (see
// school_folder_choice.h). The chooser remembers the code of the school that
// was current, so a new school can keep the same cloud access.
#include "schooldata/school_folder_choice.h"

#include <cstring>

#include "engine/shell_services.h"
#include "platform/cp1252.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/school_files.h"
#include "schooldata/school_folder_chooser.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_startup.h"
#include "shell/message_box.h"
#include "shell/service_mode.h"
#include "shell/small_choosers.h"

std::function<bool(std::string* school, std::string* folder)> g_new_school_names;

namespace {

const char* const kShareCloud[3] = {
    "La nuova scuola condivide l'accesso al cloud della scuola corrente?\n"
    "[Sì] condivide, [No] accesso proprio, [Annulla] non crea la scuola"_cp,
    "Teilt die neue Schule den Cloud-Zugang der aktuellen Schule?\n"
    "[Ja] teilen, [Nein] eigener Zugang, [Abbrechen] Schule nicht anlegen",
    "Does the new school share the cloud access of the current school?\n"
    "[Yes] share, [No] own access, [Cancel] do not create the school"};

}  // namespace

int Cselcloud::DoModal() {
  int language = g_language < 3 ? g_language : 0;
  int answer = ui_message_box_type(kShareCloud[language], kMbYesNoCancel | kMbIconQuestion);
  if (answer == kt::ui::kIdYes) return 1;
  if (answer == kt::ui::kIdNo) return 0;
  return -1;
}

int og_ask_school_type() {
  int type = static_cast<int>(Ctipode().DoModal());
  return type >= 40 && type <= 53 ? type : -1;
}

NewSchoolHooks og_new_school_hooks() {
  NewSchoolHooks hooks;
  hooks.tell = [](const std::string& text) { ui_message_box(text.c_str()); };
  hooks.ask_names = [](std::string* school, std::string* folder) {
    return g_new_school_names && g_new_school_names(school, folder);
  };
  hooks.ask_cloud_share = [] { return Cselcloud().DoModal(); };
  hooks.read_description = [] {
    og_clear_structure();
    og_snapshot_structure();
    // A new folder's description that does not read leaves the school
    // unloaded; the user hears why. The type is asked and the first
    // description written by the steps that follow, so a missing file
    // reads here as an empty school.
    if (og_read_assignments_file(0) == -2) og_tell_school_not_read(og_description_error());
  };
  hooks.set_school_code = [](const std::string& code) {
    std::memset(g_ui_header.school_code, 0, sizeof g_ui_header.school_code);
    std::memcpy(g_ui_header.school_code, code.data(),
                code.size() < sizeof g_ui_header.school_code - 1 ? code.size() : sizeof g_ui_header.school_code - 1);
  };
  // A type chooser closed without a choice leaves only the defaults that
  // need no answer.
  hooks.apply_new_school_defaults = [] { og_set_new_school_defaults(og_ask_school_type()); };
  hooks.write_description = [] { og_save_description_file(); };
  return hooks;
}

void (*g_show_transfer_guide)() = nullptr;

bool og_run_school_folder_chooser(bool create_mode, std::string& folder) {
  Cselscuole chooser;
  chooser.m_create_mode = create_mode;
  chooser.m_service_mode = g_service_mode != 0;
  if (g_show_transfer_guide) chooser.m_show_transfer_guide = g_show_transfer_guide;
  chooser.m_current_school_code = g_ui_header.school_code;
  if (create_mode) chooser.m_current_folder = folder;
  chooser.m_hooks = og_new_school_hooks();
  if (chooser.DoModal() != kt::ui::kIdOk) return false;
  folder = og_current_folder_path();
  return true;
}
